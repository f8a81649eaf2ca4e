#include <collector/RfcClient.h>
#include <collector/SessionTime.h>
#include <rfc/AuthorityCheck.h>
#include <rfc/ControlPerfRequest.h>
#include <rfc/DB02GetMainScreenXAQ.h>
#include <rfc/DB02OraFillTD110.h>
#include <rfc/DB4St04Overview.h>
#include <rfc/DB6Pm1st4.h>
#include <rfc/DB6PmTabspaceConfig.h>
#include <rfc/DbOraMainList.h>
#include <rfc/GetCpuAll.h>
#include <rfc/GetDB4DbSize.h>
#include <rfc/GetCpuVirtHox.h>
#include <rfc/GetDiskSingle.h>
#include <rfc/GetFsysSingle.h>
#include <rfc/GetKEMRALparInfo.h>
#include <rfc/GetKEMRASpagAll.h>
#include <rfc/GetKEMRAStorAll.h>
#include <rfc/GetLanSingle.h>
#include <rfc/GetMemAll.h>
#include <rfc/GetParameter.h>
#include <rfc/GetSystemTimeRemote.h>
#include <rfc/GetTopSingle.h>
#include <rfc/OcsGetInfo.h>
#include <rfc/PflGetServerParamValues.h>
#include <rfc/ReadTableRsddstatDm.h>
#include <rfc/ReadTableRsddstatOlap.h>
#include <rfc/ReadTableTrdir.h>
#include <rfc/RfcException.h>
#include <rfc/RfcSystemInfo.h>
#include <rfc/Sapwln3StatrecDirectRead.h>
#include <rfc/SaptuneGetStorageInfos.h>
#include <rfc/SaptuneGetSummaryStatistic.h>
#include <rfc/ScsmDsrComponentsListRfc.h>
#include <rfc/SmonReadHardwareDescrFile.h>
#include <rfc/SwncStatrecRead.h>
#include <rfc/ThEnvironment.h>
#include <rfc/ThRequestQueue.h>
#include <rfc/ThSaprel.h>
#include <rfc/ThServerList.h>
#include <rfc/ThWpInfo.h>

IMPLEMENT_DYNCREATE(CRfcClient, CRfcConnection)

namespace
{
constexpr RecordField<CRfcSystemInfo> kSystemInfoFields[] = {
    RECORD_FIELD(CRfcSystemInfo, 0, 6, Text, RFCPROTO),       RECORD_FIELD(CRfcSystemInfo, 6, 8, Text, RFCCHARTYP),
    RECORD_FIELD(CRfcSystemInfo, 14, 6, Text, RFCINTTYP),     RECORD_FIELD(CRfcSystemInfo, 20, 6, Text, RFCFLOTYP),
    RECORD_FIELD(CRfcSystemInfo, 26, 64, Text, RFCDEST),      RECORD_FIELD(CRfcSystemInfo, 90, 16, Text, RFCHOST),
    RECORD_FIELD(CRfcSystemInfo, 106, 16, Text, RFCSYSID),    RECORD_FIELD(CRfcSystemInfo, 122, 16, Text, RFCDATABS),
    RECORD_FIELD(CRfcSystemInfo, 138, 64, Text, RFCDBHOST),   RECORD_FIELD(CRfcSystemInfo, 202, 20, Text, RFCDBSYS),
    RECORD_FIELD(CRfcSystemInfo, 222, 8, Text, RFCSAPRL),     RECORD_FIELD(CRfcSystemInfo, 230, 10, Text, RFCMACH),
    RECORD_FIELD(CRfcSystemInfo, 240, 20, Text, RFCOPSYS),    RECORD_FIELD(CRfcSystemInfo, 260, 12, Text, RFCTZONE),
    RECORD_FIELD(CRfcSystemInfo, 272, 2, Text, RFCDAYST),     RECORD_FIELD(CRfcSystemInfo, 274, 30, Text, RFCIPADDR),
    RECORD_FIELD(CRfcSystemInfo, 304, 8, Text, RFCKERNRL),    RECORD_FIELD(CRfcSystemInfo, 312, 64, Text, RFCHOST2),
    RECORD_FIELD(CRfcSystemInfo, 376, 90, Text, RFCIPV6ADDR),
};
constexpr RecordLayout<CRfcSystemInfo> kSystemInfoLayout{466, kSystemInfoFields};
static_assert(kSystemInfoLayout.IsValid());

// Searched in this order: the first word found in the collector's operating-system text wins.
const LPCTSTR kOsWords[] = {_T("KEMRA"), _T("TOLVA"), _T("HOX"),  _T("Linux"), _T("Windows NT"),
                            _T("SunOS"), _T("HP-UX"), _T("OSF1"), _T("SINIX"), _T("Relia")};

// The facts that every landscape object copies from RFC_SYSTEM_INFO.
const struct
{
    CString CRfcClient::*pMember;
    CString CRfcSystemInfo::*pField;
} kSystemFacts[] = {
    {&CRfcClient::m_strSystemId, &CRfcSystemInfo::RFCSYSID},
    {&CRfcClient::m_strSapRelease, &CRfcSystemInfo::RFCSAPRL},
    {&CRfcClient::m_strKernelRelease, &CRfcSystemInfo::RFCKERNRL},
    {&CRfcClient::m_strOs, &CRfcSystemInfo::RFCOPSYS},
    {&CRfcClient::m_strDatabaseName, &CRfcSystemInfo::RFCDATABS},
    {&CRfcClient::m_strDatabaseHost, &CRfcSystemInfo::RFCDBHOST},
    {&CRfcClient::m_strDatabaseSystem, &CRfcSystemInfo::RFCDBSYS},
};

template <class... R> void DeleteEach(R*&... pReaders)
{
    ((delete pReaders, pReaders = nullptr), ...);
}
} // namespace

CRfcClient::CRfcClient()
    : LOCAL_REMOTE(_T("LOCAL")), LOGICAL_DESTINATION(_T(" ")), SYSTEM_ID(_T("0")), m_nStartTime(0), m_nSampleTime(0),
      m_nDsrCount(0), m_nDialogStepCount(0), m_nSkippedRecords(0), m_nOtherReports(0), m_nCustomerReports(0),
      m_bReportComplete(FALSE), m_bDsrEnabled(FALSE), m_pBaselines(&m_baselines), m_pAuthorityCheck(nullptr),
      m_pControlPerfRequest(nullptr), m_pGetParameter(nullptr), m_pGetSystemTimeRemote(nullptr),
      m_pRfcSystemInfo(nullptr), m_pThServerList(nullptr), m_pGetCpuAll(nullptr), m_pGetCpuVirtHox(nullptr),
      m_pGetMemAll(nullptr), m_pGetDiskSingle(nullptr), m_pGetFsysSingle(nullptr), m_pGetLanSingle(nullptr),
      m_pGetTopSingle(nullptr), m_pGetLparInfo(nullptr), m_pGetSpagAll(nullptr), m_pGetStorAll(nullptr),
      m_pThEnvironment(nullptr), m_pReadHardwareDescrFile(nullptr), m_pThSaprel(nullptr), m_pServerParamValues(nullptr),
      m_pThRequestQueue(nullptr), m_pThWpInfo(nullptr), m_pOraMainList(nullptr), m_pOraFillTD110(nullptr),
      m_pDb6Pm1st4(nullptr), m_pDb6TablespaceConfig(nullptr), m_pDb4Overview(nullptr), m_pDb4DbSize(nullptr),
      m_pDb02MainScreen(nullptr), m_pDsrComponents(nullptr), m_pDsrRecords(nullptr), m_pStatRecords(nullptr),
      m_pStorageInfos(nullptr), m_pSummaryStatistic(nullptr), m_pOcsGetInfo(nullptr), m_pReadTrdir(nullptr),
      m_pReadRsddstatOlap(nullptr), m_pReadRsddstatDm(nullptr)
{
}

CRfcClient::~CRfcClient()
{
    SetStopFlag(TRUE);
    Disconnect();
    DeleteReaders();
}

void CRfcClient::DeleteReaders()
{
    DeleteEach(m_pAuthorityCheck, m_pControlPerfRequest, m_pGetParameter, m_pGetSystemTimeRemote, m_pRfcSystemInfo,
                  m_pThServerList, m_pGetCpuAll, m_pGetCpuVirtHox, m_pGetMemAll, m_pGetDiskSingle, m_pGetFsysSingle,
                  m_pGetLanSingle, m_pGetTopSingle, m_pGetLparInfo, m_pGetSpagAll, m_pGetStorAll, m_pThEnvironment,
                  m_pReadHardwareDescrFile, m_pThSaprel, m_pServerParamValues, m_pThRequestQueue, m_pThWpInfo,
                  m_pOraMainList, m_pOraFillTD110, m_pDb6Pm1st4, m_pDb6TablespaceConfig, m_pDb4Overview, m_pDb4DbSize,
                  m_pDb02MainScreen, m_pDsrComponents, m_pDsrRecords, m_pStatRecords, m_pStorageInfos,
                  m_pSummaryStatistic, m_pOcsGetInfo, m_pReadTrdir, m_pReadRsddstatOlap, m_pReadRsddstatDm);
}

void CRfcClient::AuthorityCheck(LPCTSTR lpszObject, LPCTSTR lpszField1, LPCTSTR lpszValue1, LPCTSTR lpszField2,
                                LPCTSTR lpszValue2, LPCTSTR lpszField3, LPCTSTR lpszValue3)
{
    CAuthorityCheck* pCheck = Prepare(m_pAuthorityCheck);
    if (pCheck == nullptr)
        return;
    pCheck->USER = GetLogonUser();
    pCheck->OBJECT = lpszObject;
    pCheck->FIELD1 = lpszField1;
    pCheck->VALUE1 = lpszValue1;
    pCheck->FIELD2 = lpszField2;
    pCheck->VALUE2 = lpszValue2;
    pCheck->FIELD3 = lpszField3;
    pCheck->VALUE3 = lpszValue3;
    // The module answers with an ABAP exception, so a passed check fails the call too.
    CString strKey;
    try
    {
        pCheck->SetImportParameters();
        pCheck->CallFunctionModule(this);
        return;
    }
    catch (CException* e)
    {
        if (auto* pRfc = DYNAMIC_DOWNCAST(CRfcException, e))
            strKey = pRfc->m_strKey;
        e->Delete();
    }
    strKey.Trim();
    if (strKey != _T("USER_IS_AUTHORIZED") && !GetStopFlag())
        CRfcException::ThrowAuthority(lpszObject, strKey);
}

void CRfcClient::GetParameter()
{
    GetHostReader(m_pGetParameter);
}

void CRfcClient::DetectOsType()
{
    if (!GetStopFlag())
        GetParameter();
    if (m_pGetParameter == nullptr || m_pGetParameter->GetFunctionHandle() == nullptr || GetStopFlag())
        return;
    m_strRemoteOs.Empty();
    for (LPCTSTR lpszWord : kOsWords)
    {
        if (m_pGetParameter->FP_OPSYSTEM.Find(lpszWord) >= 0)
        {
            m_strRemoteOs = lpszWord;
            break;
        }
    }
    if (m_strRemoteOs.IsEmpty())
        m_strRemoteOs = m_strDatabaseSystem == _T("XAQ") ? _T("KEMRA") : _T("Other");
}

void CRfcClient::ControlPerfRequestCluster()
{
    CControlPerfRequest* pRequest = Prepare(m_pControlPerfRequest);
    if (pRequest == nullptr)
        return;
    pRequest->REQUEST_ID = _T("-1");
    SendPerfRequest(*pRequest, _T("107"), _T("S"), _T("CLUSMAR"));

    // "cluster;system;member;system;member...": the first token is never a system.
    const CString strAnswer = pRequest->REQUEST_PARAM1;
    int nPosition = 0;
    strAnswer.Tokenize(_T(";"), nPosition);
    for (CString strToken = strAnswer.Tokenize(_T(";"), nPosition); nPosition >= 0;
         strToken = strAnswer.Tokenize(_T(";"), nPosition))
    {
        if (strToken == m_strMainframeSystem)
        {
            const CString strMember = strAnswer.Tokenize(_T(";"), nPosition);
            if (nPosition >= 0)
                SYSTEM_ID = strMember;
            return;
        }
    }
}

void CRfcClient::SendPerfRequest(CControlPerfRequest& request, LPCTSTR lpszType, LPCTSTR lpszMode, LPCTSTR lpszParam1)
{
    request.LOCAL_REMOTE = LOCAL_REMOTE;
    request.LOGICAL_DESTINATION = LOGICAL_DESTINATION;
    request.REQUEST_TYP = lpszType;
    request.REQUEST_MODE = lpszMode;
    request.REQUEST_PARAM1 = lpszParam1;
    request.REQUEST_PARAM2 = _T(" ");
    request.REQUEST_PARAM3 = _T(" ");
    request.SetImportParameters();
    request.CallFunctionModule(this);
    request.GetExportParameters();
}

void CRfcClient::GetServerList()
{
    if (CThServerList* pList = Prepare(m_pThServerList))
    {
        pList->SetImportParameters();
        pList->CallFunctionModule(this);
    }
}

void CRfcClient::GetSystemInfo()
{
    if (CRfcSystemInfo* pInfo = Prepare(m_pRfcSystemInfo))
    {
        pInfo->CallFunctionModule(this);
        pInfo->GetExportParameters();
    }
}

void CRfcClient::CopySystemFacts(const CRfcSystemInfo& info)
{
    for (const auto& fact : kSystemFacts)
        this->*fact.pMember = info.*fact.pField;
}

void CRfcClient::WriteSystemInfoFile()
{
    WriteRecord(m_pRfcSystemInfo, fileSystemInfo, SessionFileMode::Snapshot, kSystemInfoLayout);
}

__time64_t CRfcClient::GetSystemTimeRemote()
{
    CGetSystemTimeRemote* pTime = Prepare(m_pGetSystemTimeRemote);
    if (pTime == nullptr)
        return 0;
    pTime->CallFunctionModule(this);
    pTime->GetExportParameters();
    if (GetStopFlag())
        return 0;
    return LocalDateTime(pTime->L_DATE, pTime->L_TIME);
}
