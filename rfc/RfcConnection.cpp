#include <rfc/RfcConnection.h>

#include <rfc/RfcException.h>

#include <cstddef>
#include <iterator>

IMPLEMENT_DYNCREATE(CRfcConnection, CObject)

namespace
{
// Where each attribute stands in RFC_ATTRIBUTES and how many characters it may have.
struct AttributeField
{
    size_t offset;
    int nWidth;
};

// In the order of CRfcConnection::Attribute.
const AttributeField kAttributeFields[] = {
    {offsetof(RFC_ATTRIBUTES, dest), 65},         {offsetof(RFC_ATTRIBUTES, host), 101},
    {offsetof(RFC_ATTRIBUTES, partnerHost), 101}, {offsetof(RFC_ATTRIBUTES, sysNumber), 3},
    {offsetof(RFC_ATTRIBUTES, sysId), 9},         {offsetof(RFC_ATTRIBUTES, client), 4},
    {offsetof(RFC_ATTRIBUTES, user), 13},         {offsetof(RFC_ATTRIBUTES, language), 3},
    {offsetof(RFC_ATTRIBUTES, trace), 2},         {offsetof(RFC_ATTRIBUTES, isoLanguage), 3},
    {offsetof(RFC_ATTRIBUTES, codepage), 5},      {offsetof(RFC_ATTRIBUTES, partnerCodepage), 5},
    {offsetof(RFC_ATTRIBUTES, rfcRole), 2},       {offsetof(RFC_ATTRIBUTES, type), 2},
    {offsetof(RFC_ATTRIBUTES, partnerType), 2},   {offsetof(RFC_ATTRIBUTES, rel), 5},
    {offsetof(RFC_ATTRIBUTES, partnerRel), 5},    {offsetof(RFC_ATTRIBUTES, kernelRel), 5},
    {offsetof(RFC_ATTRIBUTES, cpicConvId), 9},    {offsetof(RFC_ATTRIBUTES, progName), 129},
};
static_assert(std::size(kAttributeFields) == CRfcConnection::attrCount);

const LPCTSTR kOldestRelease = _T("700");
const DWORD kDisconnectWait = 1000;

CString Trimmed(LPCTSTR lpsz)
{
    CString str(lpsz);
    return str.Trim();
}
} // namespace

CRfcConnection::CRfcConnection() : m_bStop(FALSE), m_hConnection(nullptr), m_bHasHandle(FALSE), m_nLastRc(RFC_OK)
{
    ZeroMemory(&m_errorInfo, sizeof(m_errorInfo));
}

CRfcConnection::~CRfcConnection()
{
    Disconnect();
}

void CRfcConnection::SetLogonData(LPCTSTR lpszRouter, LPCTSTR lpszHost, LPCTSTR lpszDomain, LPCTSTR lpszSysNr,
                                  LPCTSTR lpszClient, LPCTSTR lpszUser, LPCTSTR lpszPasswd, LPCTSTR lpszLang,
                                  LPCTSTR lpszTrace)
{
    CSingleLock lock(&m_mutex, TRUE);
    m_strRouter = Trimmed(lpszRouter);
    m_strHost = Trimmed(lpszHost);
    m_strDomain = Trimmed(lpszDomain);
    m_strSysNr = Trimmed(lpszSysNr);
    m_strClient = Trimmed(lpszClient);
    m_strUser = Trimmed(lpszUser);
    m_strPasswd = Trimmed(lpszPasswd);
    m_strLang = Trimmed(lpszLang);
    m_strTrace = Trimmed(lpszTrace);
    if (m_strDomain.IsEmpty())
        m_strAsHost = m_strRouter + m_strHost;
    else
        m_strAsHost.Format(_T("%s%s.%s"), (LPCTSTR)m_strRouter, (LPCTSTR)m_strHost, (LPCTSTR)m_strDomain);
    m_strAsHost.Trim();
}

void CRfcConnection::CopyLogonData(const CRfcConnection& source, LPCTSTR lpszHost, LPCTSTR lpszSysNr)
{
    CString strRouter, strHost, strDomain, strSysNr, strClient, strUser, strPasswd, strLang;
    source.GetLogonData(strRouter, strHost, strDomain, strSysNr, strClient, strUser, strPasswd, strLang);
    SetLogonData(strRouter, lpszHost != nullptr ? lpszHost : (LPCTSTR)strHost, strDomain,
                 lpszSysNr != nullptr ? lpszSysNr : (LPCTSTR)strSysNr, strClient, strUser, strPasswd, strLang);
}

void CRfcConnection::SetLogonData(LPCTSTR lpszRouter, LPCTSTR lpszHost, LPCTSTR lpszDomain, LPCTSTR lpszSysNr,
                                  LPCTSTR lpszClient, LPCTSTR lpszUser, LPCTSTR lpszPasswd, LPCTSTR lpszLang)
{
    SetLogonData(lpszRouter, lpszHost, lpszDomain, lpszSysNr, lpszClient, lpszUser, lpszPasswd, lpszLang, _T("0"));
}

void CRfcConnection::GetLogonData(CString& strRouter, CString& strHost, CString& strDomain, CString& strSysNr,
                                  CString& strClient, CString& strUser, CString& strPasswd, CString& strLang) const
{
    CSingleLock lock(&m_mutex, TRUE);
    strRouter = m_strRouter;
    strHost = m_strHost;
    strDomain = m_strDomain;
    strSysNr = m_strSysNr;
    strClient = m_strClient;
    strUser = m_strUser;
    strPasswd = m_strPasswd;
    strLang = m_strLang;
}

void CRfcConnection::Connect()
{
    CSingleLock lock(&m_mutex, TRUE);
    if (LPCTSTR lpszFailed = Open())
    {
        if (!m_bStop)
            CRfcException::Throw(CString(_T("CRfcConnection::Connect - ")) + lpszFailed, m_errorInfo);
        return;
    }
    // Releases compare as texts: "46C" sorts before "700" as it should.
    const CString& strRelease = m_strAttributes[attrPartnerRel];
    if (strRelease.Compare(kOldestRelease) < 0)
    {
        Disconnect();
        CString strText;
        strText.Format(_T("SAP system release %s is not supported."), (LPCTSTR)strRelease);
        if (!m_bStop)
            CRfcException::ThrowText(strText);
    }
}

BOOL CRfcConnection::Reconnect()
{
    Disconnect();
    CSingleLock lock(&m_mutex, TRUE);
    return Open() == nullptr;
}

void CRfcConnection::Disconnect()
{
    CSingleLock lock(&m_mutex);
    // Goes on without the mutex after the wait: closing under a running call is safe in the
    // library, and that call then fails. An owner that is stopping does not wait at all, so
    // that stopping a tree of threads ends their calls at once.
    if (!m_bStop)
        lock.Lock(kDisconnectWait);
    Close();
}

BOOL CRfcConnection::IsAlive()
{
    CSingleLock lock(&m_mutex, TRUE);
    RFC_CONNECTION_HANDLE hConnection = m_hConnection;
    if (hConnection == nullptr || m_bStop)
        return FALSE;
    m_nLastRc = RfcPing(hConnection, &m_errorInfo);
    return m_nLastRc == RFC_OK;
}

BOOL CRfcConnection::CheckConnection()
{
    return IsAlive() || Reconnect();
}

LPCTSTR CRfcConnection::Open()
{
    Close();
    const RFC_CONNECTION_PARAMETER parameters[] = {
        {_T("ashost"), m_strAsHost}, {_T("sysnr"), m_strSysNr}, {_T("client"), m_strClient}, {_T("user"), m_strUser},
        {_T("passwd"), m_strPasswd}, {_T("lang"), m_strLang},   {_T("trace"), m_strTrace},
    };
    RFC_CONNECTION_HANDLE hConnection =
        RfcOpenConnection(parameters, static_cast<unsigned>(std::size(parameters)), &m_errorInfo);
    m_hConnection = hConnection;
    m_bHasHandle = hConnection != nullptr;
    if (hConnection == nullptr)
        return _T("RfcOpenConnection");

    m_nLastRc = RfcPing(hConnection, &m_errorInfo);
    if (m_nLastRc != RFC_OK)
        return _T("RfcPing");

    RFC_ATTRIBUTES attributes;
    ZeroMemory(&attributes, sizeof(attributes));
    m_nLastRc = RfcGetConnectionAttributes(hConnection, &attributes, &m_errorInfo);
    if (m_nLastRc != RFC_OK)
        return _T("RfcGetConnectionAttributes");
    for (int i = 0; i < attrCount; i++)
    {
        const AttributeField& field = kAttributeFields[i];
        const SAP_UC* pText =
            reinterpret_cast<const SAP_UC*>(reinterpret_cast<const BYTE*>(&attributes) + field.offset);
        m_strAttributes[i].Format(_T("%.*s"), field.nWidth, pText);
        m_strAttributes[i].Trim();
    }
    return nullptr;
}

void CRfcConnection::Close()
{
    // Whoever takes the handle out closes it, so it is closed exactly once.
    if (RFC_CONNECTION_HANDLE hConnection = m_hConnection.exchange(nullptr))
    {
        RFC_ERROR_INFO errorInfo; // not ours: Disconnect may run beside a call that writes m_errorInfo
        RfcCloseConnection(hConnection, &errorInfo);
    }
}
