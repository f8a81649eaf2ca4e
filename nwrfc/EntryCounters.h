// How often each entry point of the RFC library was called, for tests and diagnostics.
#pragma once

#include <atomic>

namespace nwrfc
{

enum class EntryPoint
{
    OpenConnection,
    CloseConnection,
    Ping,
    GetConnectionAttributes,
    GetFunctionDesc,
    CreateFunction,
    DestroyFunction,
    Invoke,
    SetParameterActive,
    SetString,
    GetString,
    GetChars,
    GetStructure,
    GetTable,
    GetRowCount,
    MoveTo,
    AppendNewRow,
    DeleteAllRows,
    Count
};

class CEntryCounters
{
public:
    static void Add(EntryPoint entry)
    {
        s_counters[static_cast<int>(entry)].value.fetch_add(1, std::memory_order_relaxed);
    }
    // Calls since the process started.
    static unsigned long long Get(EntryPoint entry)
    {
        return s_counters[static_cast<int>(entry)].value.load(std::memory_order_relaxed);
    }

private:
    // One cache line each, so that threads calling different entry points do not slow each other.
    struct alignas(64) CCounter
    {
        std::atomic<unsigned long long> value{0};
    };
    static CCounter s_counters[static_cast<int>(EntryPoint::Count)];
};

} // namespace nwrfc
