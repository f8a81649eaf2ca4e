// The process's peak private bytes, for tests that show that damaged input claims no memory
// before its data runs out.
#pragma once

#include <windows.h>

#include <psapi.h>

inline SIZE_T PeakPrivateBytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    return ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters)) ? counters.PeakPagefileUsage : 0;
}
