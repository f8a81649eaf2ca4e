#include <collector/SapSystem.h>
#include <rfc/RfcException.h>
#include <rfc/RfcSystemInfo.h>
#include <rfc/ThServerList.h>

IMPLEMENT_DYNCREATE(CSapSystem, CRfcClient)

namespace
{
struct Authorization
{
    LPCTSTR lpszObject;
    LPCTSTR lpszField1;
    LPCTSTR lpszValue1;
    LPCTSTR lpszField2;
    LPCTSTR lpszValue2;
    LPCTSTR lpszField3;
    LPCTSTR lpszValue3;
};

#define RFC_GROUP(name)                                                                                                \
    {                                                                                                                  \
        _T("S_RFC"), _T("RFC_TYPE"), _T("FUGR"), _T("RFC_NAME"), _T(name), _T("ACTVT"), _T("16")                       \
    }
// Checked in this order; " " stands for a field that is not checked.
const Authorization kAuthorizations[] = {
    {_T("S_ADMI_FCD"), _T("S_ADMI_FCD"), _T("ST0R"), _T(" "), _T(" "), _T(" "), _T(" ")},
    {_T("S_ADMI_FCD"), _T("S_ADMI_FCD"), _T("SM21"), _T(" "), _T(" "), _T(" "), _T(" ")},
    {_T("S_RZL_ADM"), _T("ACTVT"), _T("03"), _T(" "), _T(" "), _T(" "), _T(" ")},
    {_T("S_C_FUNCT"), _T("PROGRAM"), _T("*"), _T("ACTVT"), _T("16"), _T("CFUNCNAME"), _T("*")},
    {_T("S_DATASET"), _T("PROGRAM"), _T("*"), _T("ACTVT"), _T("33"), _T("FILENAME"), _T("*")},
    {_T("S_LOG_COM"), _T("COMMAND"), _T("TABLESPACE_INFO"), _T("OPSYSTEM"), _T("ANYOS"), _T("HOST"), _T("*")},
    RFC_GROUP("CADR"),
    RFC_GROUP("DB02_XAQ"),
    RFC_GROUP("DB6M"),
    RFC_GROUP("OCSI"),
    RFC_GROUP("PERF_TRA_DIA"),
    RFC_GROUP("RFC1"),
    RFC_GROUP("RFCH"),
    RFC_GROUP("SCSM_READ_STATISTICS"),
    RFC_GROUP("SDB6PM"),
    RFC_GROUP("SDB6PMST04"),
    RFC_GROUP("SDIFRUNTIME"),
    RFC_GROUP("SDTX"),
    RFC_GROUP("SMON"),
    RFC_GROUP("SPFL"),
    RFC_GROUP("SRFC"),
    RFC_GROUP("STD1"),
    RFC_GROUP("STD4"),
    RFC_GROUP("STU4"),
    RFC_GROUP("STUB"),
    RFC_GROUP("STUN"),
    RFC_GROUP("STUW"),
    RFC_GROUP("SUSE"),
    RFC_GROUP("SUSR"),
    RFC_GROUP("SYST"),
    RFC_GROUP("THFB"),
    {_T("S_TABU_DIS"), _T("ACTVT"), _T("03"), _T("DICBERCLS"), _T("&NC&"), _T(" "), _T(" ")},
    {_T("S_TOOLS_EX"), _T("AUTH"), _T("S_TOOLS_EX_A"), _T(" "), _T(" "), _T(" "), _T(" ")},
};
#undef RFC_GROUP
static_assert(std::size(kAuthorizations) == 33);

// The system number of a server: from its service when that is "sapdpNN", else the last two
// characters of its name.
CString SystemNumberOf(const CString& strName, const CString& strService)
{
    const CString strNumber = strService.Left(5) == _T("sapdp") ? strService.Right(2) : strName.Right(2);
    if (static_cast<unsigned>(_wtoi(strNumber)) > 99)
    {
        CString strText;
        strText.Format(_T("Invalid system number: %s."), (LPCTSTR)strNumber);
        CRfcException::ThrowText(strText);
    }
    return strNumber;
}
} // namespace

CSapSystem::CSapSystem() : m_instances(10)
{
}

CSapSystem::~CSapSystem()
{
    DeleteInstances(m_instances, m_instanceMutex);
}

void CSapSystem::GetSystemInfo()
{
    CRfcClient::GetSystemInfo();
    if (m_pRfcSystemInfo == nullptr)
        return;
    CopySystemFacts(*m_pRfcSystemInfo);
    m_strInstanceName = m_pRfcSystemInfo->RFCDEST;
    m_strHostName = m_pRfcSystemInfo->RFCHOST2;
}

void CSapSystem::CheckAuthorizations()
{
    for (const Authorization& a : kAuthorizations)
        AuthorityCheck(a.lpszObject, a.lpszField1, a.lpszValue1, a.lpszField2, a.lpszValue2, a.lpszField3,
                       a.lpszValue3);
}

void CSapSystem::DiscoverInstances()
{
    GetServerList();
    if (m_pThServerList == nullptr)
        return;
    CThServerList& list = *m_pThServerList;
    const unsigned nRows = list.GetTableRowCount(_T("LIST"));
    CSingleLock lock(&m_instanceMutex, TRUE);
    for (unsigned nRow = 0; nRow < nRows; ++nRow)
    {
        list.OnTableRow(_T("LIST"), nRow);
        CSapInstance* pInstance = nullptr;
        if (m_instances.Lookup(list.NAME, pInstance))
            continue;
        pInstance = new CSapInstance;
        m_instances.SetAt(list.NAME, pInstance);
        const CString strSysNr = SystemNumberOf(list.NAME, list.SERV);
        pInstance->CopyLogonData(*this, list.HOST, strSysNr);
        pInstance->Describe();
        pInstance->m_strInstanceName = list.NAME;
        pInstance->m_strHostName = list.HOST;
        pInstance->m_strServices = list.FormatMsgTypes();
    }
}
