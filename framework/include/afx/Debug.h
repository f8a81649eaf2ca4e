// Diagnostic macros. ASSERT checks in every build without LUMITER_NO_ASSERTIONS; VERIFY always evaluates.
#pragma once

#include <cassert>

#ifndef LUMITER_NO_ASSERTIONS
#define ASSERT(f) ((void)(!!(f) || (_wassert(_CRT_WIDE(#f), _CRT_WIDE(__FILE__), __LINE__), 0)))
#else
#define ASSERT(f) ((void)0)
#endif

#define VERIFY(f) ((void)(f))
#define ASSERT_VALID(pOb) ASSERT((pOb) != nullptr)
#define TRACE(...) ((void)0)
