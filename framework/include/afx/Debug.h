// Diagnostic macros. ASSERT checks only in debug builds; VERIFY always evaluates its argument.
#pragma once

#include <cassert>

#ifdef _DEBUG
#define ASSERT(f) assert(f)
#else
#define ASSERT(f) ((void)0)
#endif

#define VERIFY(f) ((void)(f))
#define ASSERT_VALID(pOb) ASSERT((pOb) != nullptr)
#define TRACE(...) ((void)0)
