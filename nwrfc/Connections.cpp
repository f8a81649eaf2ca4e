// Opening, checking and closing connections.
#include <nwrfc/Connections.h>
#include <nwrfc/ErrorInfo.h>
#include <nwrfc/FunctionTable.h>
#include <nwrfc/HandleRegistry.h>

#include <sapsim/Landscape.h>

namespace nwrfc
{
namespace
{
uintptr_t Id(RFC_CONNECTION_HANDLE handle)
{
    return reinterpret_cast<uintptr_t>(handle);
}

std::shared_ptr<sapsim::CSession> FindSession(RFC_CONNECTION_HANDLE handle)
{
    return std::static_pointer_cast<sapsim::CSession>(
        CHandleRegistry::Instance().Find(Id(handle), HandleKind::Connection));
}

template <size_t N> void CopyText(SAP_UC (&target)[N], LPCWSTR text)
{
    wcsncpy_s(target, N, text, _TRUNCATE);
}

// The one-letter logon language of an ISO code.
LPCWSTR SapLanguage(const CString& iso)
{
    const struct
    {
        LPCWSTR iso;
        LPCWSTR sap;
    } kLanguages[] = {{L"EN", L"E"}, {L"DE", L"D"}, {L"FR", L"F"}, {L"ES", L"S"}, {L"IT", L"I"}, {L"JA", L"J"}};
    for (const auto& language : kLanguages)
    {
        if (iso.CompareNoCase(language.iso) == 0)
            return language.sap;
    }
    return iso;
}
} // namespace

void ReleaseBroken(uintptr_t connection, const sapsim::CFailure& failure)
{
    if (failure.m_kind != sapsim::FailureKind::Communication)
        return;
    const std::shared_ptr<void> session = CHandleRegistry::Instance().Remove(connection, HandleKind::Connection);
    if (session != nullptr)
        static_cast<sapsim::CSession*>(session.get())->Close();
}

} // namespace nwrfc

using namespace nwrfc;

RFC_CONNECTION_HANDLE SAP_API SimRfcOpenConnection(const RFC_CONNECTION_PARAMETER* connectionParams,
                                                   unsigned paramCount, RFC_ERROR_INFO* errorInfo)
{
    uintptr_t handle = 0;
    Guarded(EntryPoint::OpenConnection, errorInfo, [&] {
        if (connectionParams == nullptr && paramCount > 0)
            return CErrorInfo::InvalidParameter(errorInfo, L"The connection parameters are missing.");
        sapsim::CLogonParameters logon;
        const struct
        {
            LPCWSTR name;
            CString sapsim::CLogonParameters::*value;
        } kNames[] = {{L"ashost", &sapsim::CLogonParameters::ashost}, {L"sysnr", &sapsim::CLogonParameters::sysnr},
                      {L"client", &sapsim::CLogonParameters::client}, {L"user", &sapsim::CLogonParameters::user},
                      {L"passwd", &sapsim::CLogonParameters::passwd}, {L"lang", &sapsim::CLogonParameters::lang}};
        for (unsigned i = 0; i < paramCount; ++i)
        {
            const RFC_CONNECTION_PARAMETER& parameter = connectionParams[i];
            if (parameter.name == nullptr || parameter.value == nullptr)
                return CErrorInfo::InvalidParameter(errorInfo, L"A connection parameter has no name or value.");
            for (const auto& known : kNames)
            {
                if (_wcsicmp(parameter.name, known.name) == 0)
                    logon.*known.value = CString(parameter.value).Trim();
            }
        }
        std::shared_ptr<sapsim::CSession> session = sapsim::CLandscape::Active().Logon(logon);
        handle = CHandleRegistry::Instance().Add(HandleKind::Connection, session);
        return CErrorInfo::Ok(errorInfo);
    });
    return reinterpret_cast<RFC_CONNECTION_HANDLE>(handle);
}

RFC_RC SAP_API SimRfcCloseConnection(RFC_CONNECTION_HANDLE rfcHandle, RFC_ERROR_INFO* errorInfo)
{
    return Guarded(EntryPoint::CloseConnection, errorInfo, [&] {
        const std::shared_ptr<void> session = CHandleRegistry::Instance().Remove(Id(rfcHandle), HandleKind::Connection);
        if (session == nullptr)
            return CErrorInfo::InvalidHandle(errorInfo);
        // Ends a call that another thread is waiting in.
        static_cast<sapsim::CSession*>(session.get())->Close();
        return CErrorInfo::Ok(errorInfo);
    });
}

RFC_RC SAP_API SimRfcPing(RFC_CONNECTION_HANDLE rfcHandle, RFC_ERROR_INFO* errorInfo)
{
    return Guarded(EntryPoint::Ping, errorInfo, [&] {
        const std::shared_ptr<sapsim::CSession> session = FindSession(rfcHandle);
        if (session == nullptr)
            return CErrorInfo::InvalidHandle(errorInfo);
        try
        {
            sapsim::CLandscape::Active().Ping(*session);
        }
        catch (sapsim::CFailure* failure)
        {
            ReleaseBroken(Id(rfcHandle), *failure);
            throw;
        }
        return CErrorInfo::Ok(errorInfo);
    });
}

RFC_RC SAP_API SimRfcGetConnectionAttributes(RFC_CONNECTION_HANDLE rfcHandle, RFC_ATTRIBUTES* attr,
                                             RFC_ERROR_INFO* errorInfo)
{
    return Guarded(EntryPoint::GetConnectionAttributes, errorInfo, [&] {
        const std::shared_ptr<sapsim::CSession> session = FindSession(rfcHandle);
        if (session == nullptr)
            return CErrorInfo::InvalidHandle(errorInfo);
        if (attr == nullptr)
            return CErrorInfo::InvalidParameter(errorInfo, L"The attributes record is missing.");
        wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1] = L"";
        DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
        GetComputerNameW(computer, &length);
        const sapsim::CSystemInfo& system = session->System();
        CString conversation;
        conversation.Format(L"%08lu", session->ConversationId());

        *attr = RFC_ATTRIBUTES{};
        CopyText(attr->host, computer);
        CopyText(attr->partnerHost, session->Host().name);
        CopyText(attr->sysNumber, session->Instance().sysnr);
        CopyText(attr->sysId, system.id);
        CopyText(attr->client, session->Client());
        CopyText(attr->user, session->User());
        CopyText(attr->language, SapLanguage(session->Language()));
        CopyText(attr->trace, L"0");
        CopyText(attr->isoLanguage, session->Language());
        CopyText(attr->codepage, L"4103");
        CopyText(attr->partnerCodepage, L"4103");
        CopyText(attr->rfcRole, L"C");
        CopyText(attr->type, L"E");
        CopyText(attr->partnerType, L"3");
        CopyText(attr->rel, L"720");
        CopyText(attr->partnerRel, system.release);
        CopyText(attr->kernelRel, system.kernel);
        CopyText(attr->cpicConvId, conversation);
        CopyText(attr->progName, L"SAPLSYST");
        CopyText(attr->partnerBytesPerChar, L"2");
        CopyText(attr->partnerSystemCodepage, L"4103");
        CopyText(attr->partnerIP, session->Host().ip);
        return CErrorInfo::Ok(errorInfo);
    });
}
