// Filling the caller's RFC_ERROR_INFO, and the frame of every entry point: count the call,
// and turn whatever goes wrong inside into an error code instead of letting it leave the C
// interface.
#pragma once

#include <nwrfc/EntryCounters.h>
#include <sapnwrfc.h>

#include <afx.h>
#include <sapsim/Failure.h>

#include <new>

namespace nwrfc
{

class CErrorInfo
{
public:
    // Both accept a null info and return the code.
    static RFC_RC Ok(RFC_ERROR_INFO* info);
    static RFC_RC Fail(RFC_ERROR_INFO* info, RFC_RC code, LPCWSTR key, LPCWSTR message);
    static RFC_RC Fail(RFC_ERROR_INFO* info, const sapsim::CFailure& failure);
    static RFC_RC InvalidHandle(RFC_ERROR_INFO* info);
    static RFC_RC InvalidParameter(RFC_ERROR_INFO* info, LPCWSTR message);
    // The format's %s is the name.
    static RFC_RC InvalidParameter(RFC_ERROR_INFO* info, LPCWSTR format, LPCWSTR name);
};

// Runs body (returning RFC_RC) for an entry point.
template <typename Body> RFC_RC Guarded(EntryPoint entry, RFC_ERROR_INFO* info, Body&& body)
{
    try
    {
        CEntryCounters::Add(entry);
        return body();
    }
    catch (sapsim::CFailure* failure)
    {
        const RFC_RC code = CErrorInfo::Fail(info, *failure);
        failure->Delete();
        return code;
    }
    catch (CException* e)
    {
        wchar_t message[512];
        e->GetErrorMessage(message, 512);
        e->Delete();
        return CErrorInfo::Fail(info, RFC_EXTERNAL_FAILURE, L"RFC_EXTERNAL_FAILURE", message);
    }
    catch (const std::bad_alloc&)
    {
        return CErrorInfo::Fail(info, RFC_MEMORY_INSUFFICIENT, L"RFC_MEMORY_INSUFFICIENT", L"out of memory");
    }
}

} // namespace nwrfc
