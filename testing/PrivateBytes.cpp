#include <testing/PrivateBytes.h>

#include <windows.h>

#include <psapi.h>

PrivateBytes ReadPrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                sizeof(counters)))
        return {0, 0};
    if (counters.PeakPagefileUsage != 0)
        return {counters.PrivateUsage, counters.PeakPagefileUsage};
    return {counters.WorkingSetSize, counters.PeakWorkingSetSize};
}
