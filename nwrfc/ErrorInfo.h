// Filling the caller's RFC_ERROR_INFO, and the frame of every entry point: count the call,
// and turn whatever goes wrong inside into an error code instead of letting it leave the C
// interface.
#pragma once

#include <nwrfc/ThreadRecord.h>
#include <sapnwrfc.h>

#include <afx.h>
#include <sapsim/Failure.h>

#include <new>
#include <type_traits>

namespace nwrfc
{

class CErrorInfo
{
public:
    // Each accepts a null info and returns the code. Ok is called on every successful field
    // read: it clears only what a reader looks at.
    static RFC_RC Ok(RFC_ERROR_INFO* info)
    {
        if (info != nullptr)
        {
            info->code = RFC_OK;
            info->group = OK;
            info->key[0] = 0;
            info->message[0] = 0;
            info->abapMsgClass[0] = 0;
            info->abapMsgType[0] = 0;
            info->abapMsgNumber[0] = 0;
        }
        return RFC_OK;
    }
    static RFC_RC Fail(RFC_ERROR_INFO* info, RFC_RC code, LPCWSTR key, LPCWSTR message);
    static RFC_RC Fail(RFC_ERROR_INFO* info, const sapsim::CFailure& failure);
    static RFC_RC InvalidHandle(RFC_ERROR_INFO* info);
    static RFC_RC InvalidParameter(RFC_ERROR_INFO* info, LPCWSTR message);
    // The format's %s is the name.
    static RFC_RC InvalidParameter(RFC_ERROR_INFO* info, LPCWSTR format, LPCWSTR name);
};

// Runs body (returning RFC_RC) for an entry point. A body that takes the caller's thread
// record gets it, so that a field read looks its record up once.
template <typename Body> RFC_RC Guarded(EntryPoint entry, RFC_ERROR_INFO* info, Body&& body)
{
    try
    {
        CThreadRecord& caller = CThreadRecord::Current();
        caller.Count(entry);
        if constexpr (std::is_invocable_v<Body, CThreadRecord&>)
            return body(caller);
        else
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
