#include <nwrfc/ErrorInfo.h>

namespace nwrfc
{
namespace
{
struct CFailureCode
{
    sapsim::FailureKind kind;
    RFC_RC code;
    RFC_ERROR_GROUP group;
};

const CFailureCode kFailureCodes[] = {
    {sapsim::FailureKind::Logon, RFC_LOGON_FAILURE, LOGON_FAILURE},
    {sapsim::FailureKind::Communication, RFC_COMMUNICATION_FAILURE, COMMUNICATION_FAILURE},
    {sapsim::FailureKind::Closed, RFC_CLOSED, COMMUNICATION_FAILURE},
    {sapsim::FailureKind::NotFound, RFC_NOT_FOUND, ABAP_APPLICATION_FAILURE},
    {sapsim::FailureKind::AbapException, RFC_ABAP_EXCEPTION, ABAP_APPLICATION_FAILURE},
    {sapsim::FailureKind::AbapRuntime, RFC_ABAP_RUNTIME_FAILURE, ABAP_RUNTIME_FAILURE},
    {sapsim::FailureKind::InvalidParameter, RFC_INVALID_PARAMETER, EXTERNAL_RUNTIME_FAILURE},
};

template <size_t N> void CopyText(SAP_UC (&target)[N], LPCWSTR text)
{
    wcsncpy_s(target, N, text == nullptr ? L"" : text, _TRUNCATE);
}

RFC_RC Fill(RFC_ERROR_INFO* info, RFC_RC code, RFC_ERROR_GROUP group, LPCWSTR key, LPCWSTR message)
{
    if (info != nullptr)
    {
        *info = RFC_ERROR_INFO{};
        info->code = code;
        info->group = group;
        CopyText(info->key, key);
        CopyText(info->message, message);
    }
    return code;
}
} // namespace

RFC_RC CErrorInfo::Fail(RFC_ERROR_INFO* info, RFC_RC code, LPCWSTR key, LPCWSTR message)
{
    return Fill(info, code, EXTERNAL_RUNTIME_FAILURE, key, message);
}

RFC_RC CErrorInfo::Fail(RFC_ERROR_INFO* info, const sapsim::CFailure& failure)
{
    for (const CFailureCode& known : kFailureCodes)
    {
        if (known.kind == failure.m_kind)
            return Fill(info, known.code, known.group, failure.m_key, failure.m_message);
    }
    return Fill(info, RFC_UNKNOWN_ERROR, EXTERNAL_RUNTIME_FAILURE, failure.m_key, failure.m_message);
}

RFC_RC CErrorInfo::InvalidHandle(RFC_ERROR_INFO* info)
{
    return Fail(info, RFC_INVALID_HANDLE, L"RFC_INVALID_HANDLE", L"An invalid handle was passed to the API call");
}

RFC_RC CErrorInfo::InvalidParameter(RFC_ERROR_INFO* info, LPCWSTR message)
{
    return Fail(info, RFC_INVALID_PARAMETER, L"RFC_INVALID_PARAMETER", message);
}

RFC_RC CErrorInfo::InvalidParameter(RFC_ERROR_INFO* info, LPCWSTR format, LPCWSTR name)
{
    CString message;
    message.Format(format, name == nullptr ? L"(null)" : name);
    return InvalidParameter(info, message);
}

} // namespace nwrfc
