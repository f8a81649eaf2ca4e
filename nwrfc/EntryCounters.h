// How often each entry point of the RFC library was called, for tests and diagnostics. Each
// thread counts its own calls in its record.
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
    // Calls since the process started, on every thread.
    static unsigned long long Get(EntryPoint entry);
};

} // namespace nwrfc
