// How often each entry point of the RFC library was called, for tests and diagnostics.
#pragma once

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
    // Inline with the thread records, which keep the counts.
    static void Add(EntryPoint entry);
    // Calls since the process started, on every thread.
    static unsigned long long Get(EntryPoint entry);
};

} // namespace nwrfc
