// The threads of this process, counted with a Toolhelp snapshot (Wine answers 0 to the handle
// count, so handles cannot stand in for threads).
#pragma once

#include <cstddef>

size_t ThreadCount();
