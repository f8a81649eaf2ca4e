// A switchable fault of the simulated landscape. Empty scope texts match everything, so a
// fault can hit one module of one instance or every call of a whole system.
#pragma once

#include <afx.h>

namespace sapsim
{

enum class FaultKind
{
    HostDown,       // logons fail with "partner not reached"; open connections break at their next call
    SlowCall,       // calls take delayMs, unless the connection is closed meanwhile
    MissingModule,  // RfcGetFunctionDesc finds no such module; calls of it fail
    AbapException,  // calls raise the ABAP exception named by key
    EmptyResult,    // calls succeed with blank exports and empty tables
    OverlongValues, // every text of the result is 600 characters long
    InvalidDates,   // dates and times of the result are impossible
};

struct CFault
{
    FaultKind kind = FaultKind::HostDown;
    CString system;   // system id
    CString instance; // "host_SID_NN"
    CString host;
    CString module;
    CString key;       // AbapException
    DWORD delayMs = 0; // SlowCall

    // Names compare without regard to case; an empty scope text matches any name.
    bool Matches(LPCWSTR systemId, LPCWSTR instanceName, LPCWSTR hostName, LPCWSTR moduleName) const;
};

} // namespace sapsim
