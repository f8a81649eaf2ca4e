#include <collector/RfcClient.h>
#include <rfc/PflGetServerParamValues.h>
#include <rfc/ThRequestQueue.h>
#include <rfc/ThSaprel.h>
#include <rfc/ThWpInfo.h>

#include <iterator>

namespace
{
constexpr RecordField<CThSaprel> kSaprelFields[] = {
    RECORD_FIELD(CThSaprel, 0, 160, Text, KERN_REL),          RECORD_FIELD(CThSaprel, 160, 160, Text, KERN_DBLIB),
    RECORD_FIELD(CThSaprel, 320, 160, Text, KERN_COMP_ON),    RECORD_FIELD(CThSaprel, 480, 160, Text, KERN_COMP_TIME),
    RECORD_FIELD(CThSaprel, 640, 160, Text, KERN_PATCHLEVEL),
};
constexpr RecordLayout<CThSaprel> kSaprelLayout{800, kSaprelFields};
static_assert(kSaprelLayout.IsValid());

// The value field follows the name; it holds the instance's own value, else the default.
constexpr RecordField<CPflGetServerParamValues> kServerParamFields[] = {
    RECORD_FIELD(CPflGetServerParamValues, 0, 120, Text, PARAM_NAME),
};
constexpr RecordLayout<CPflGetServerParamValues> kServerParamLayout{240, kServerParamFields};
static_assert(kServerParamLayout.IsValid());
constexpr unsigned kServerParamValueOffset = 120;
constexpr unsigned kServerParamValueBytes = 120;

constexpr RecordField<CThWpInfo> kWpInfoFields[] = {
    RECORD_TIME(CThWpInfo, 0),
    RECORD_FIELD(CThWpInfo, 8, 4, Text, WP_NO),
    RECORD_FIELD(CThWpInfo, 12, 6, Text, WP_TYP),
    RECORD_FIELD(CThWpInfo, 18, 16, Text, WP_PID),
    RECORD_FIELD(CThWpInfo, 34, 14, Text, WP_STATUS),
    RECORD_FIELD(CThWpInfo, 48, 10, Text, WP_WAITING),
    RECORD_FIELD(CThWpInfo, 58, 4, Text, WP_SEM),
    RECORD_FIELD(CThWpInfo, 62, 8, Text, WP_RESTART),
    RECORD_FIELD(CThWpInfo, 70, 4, Text, WP_DUMPS),
    RECORD_FIELD(CThWpInfo, 74, 16, Text, WP_CPU),
    RECORD_FIELD(CThWpInfo, 90, 12, Text, WP_ELTIME),
    RECORD_FIELD(CThWpInfo, 102, 6, Text, WP_MANDT),
    RECORD_FIELD(CThWpInfo, 108, 24, Text, WP_BNAME),
    RECORD_FIELD(CThWpInfo, 132, 80, Text, WP_REPORT),
    RECORD_FIELD(CThWpInfo, 212, 50, Text, WP_ACTION),
    RECORD_FIELD(CThWpInfo, 262, 60, Text, WP_TABLE),
    RECORD_FIELD(CThWpInfo, 322, 40, Text, WP_SERVER),
    RECORD_FIELD(CThWpInfo, 362, 80, Text, WP_WAITINF),
    RECORD_FIELD(CThWpInfo, 442, 16, Text, WP_WAITTIM),
    RECORD_FIELD(CThWpInfo, 458, 6, Text, WP_SEMSTAT),
    RECORD_FIELD(CThWpInfo, 464, 20, Text, WP_INDEX),
};
constexpr RecordLayout<CThWpInfo> kWpInfoLayout{484, kWpInfoFields};
static_assert(kWpInfoLayout.IsValid());

// The ".drq" record: the sample time, then the current length of each queue, in this order.
constexpr unsigned kRequestQueueSize = 36;
const LPCTSTR kQueueNames[] = {_T("NOWP"), _T("DIA"), _T("UPD"), _T("ENQ"), _T("BTC"), _T("SPO"), _T("UP2")};
constexpr unsigned kFirstQueueOffset = 8;
static_assert(kFirstQueueOffset + std::size(kQueueNames) * sizeof(INT32) == kRequestQueueSize);

// A REQUEST_QUEUES line is the queue's name followed by numbers, of which the first is its
// current length. What cannot be read stays empty or 0; the names are compared exactly, so a
// longer first word is no queue.
struct CQueueLine
{
    CString strName;
    int nLength = 0;
};

const LPCTSTR kBlanks = _T(" \t\r\n\v\f");

CQueueLine ParseQueueLine(const CString& strLine)
{
    // Tokenize gives an empty text, and _wtoi 0, for what is not there.
    int nPosition = 0;
    CQueueLine line;
    line.strName = strLine.Tokenize(kBlanks, nPosition);
    line.nLength = _wtoi(strLine.Tokenize(kBlanks, nPosition));
    return line;
}
} // namespace

void CRfcClient::GetSaprel()
{
    if (CThSaprel* pSaprel = Prepare(m_pThSaprel))
    {
        pSaprel->SetImportParameters();
        pSaprel->CallFunctionModule(this);
        pSaprel->GetExportParameters();
    }
}

void CRfcClient::WriteSaprelFile()
{
    WriteRecord(m_pThSaprel, fileSaprel, SessionFileMode::Snapshot, kSaprelLayout);
}

void CRfcClient::GetServerParamValues()
{
    if (CPflGetServerParamValues* pParams = Prepare(m_pServerParamValues))
        pParams->CallFunctionModule(this);
}

void CRfcClient::WriteServerParamFile()
{
    CPflGetServerParamValues* pParams = Result(m_pServerParamValues);
    if (pParams == nullptr)
        return;
    CSessionFile file(m_strFiles[fileServerParams], SessionFileMode::Snapshot, *this);
    if (!file.IsOpen())
        return;
    const LPCTSTR lpszTable = _T("SUBST_SRV_PARAM_TBL");
    const unsigned nRows = pParams->GetTableRowCount(lpszTable);
    if (nRows == 0)
        return;
    CSessionRecord record(kServerParamLayout.nSize);
    for (unsigned nRow = 0; nRow < nRows && !GetStopFlag(); ++nRow)
    {
        pParams->OnTableRow(lpszTable, nRow);
        record.Fill(*pParams, kServerParamLayout, m_nSampleTime);
        record.SetText(kServerParamValueOffset, kServerParamValueBytes,
                       pParams->USER_VALUE.IsEmpty() ? pParams->DFL_VALUE : pParams->USER_VALUE);
        file.Write(record);
    }
    pParams->DeleteTableRows(lpszTable);
}

void CRfcClient::GetRequestQueue()
{
    if (CThRequestQueue* pQueue = Prepare(m_pThRequestQueue))
        pQueue->CallFunctionModule(this);
}

// One record per capture; a queue without a line stays 0, a later line of a queue wins.
void CRfcClient::WriteRequestQueueFile()
{
    CThRequestQueue* pQueue = Result(m_pThRequestQueue);
    if (pQueue == nullptr)
        return;
    CSessionFile file(m_strFiles[fileRequestQueue], SessionFileMode::History, *this);
    if (!file.IsOpen())
        return;
    const LPCTSTR lpszTable = _T("REQUEST_QUEUES");
    const unsigned nRows = pQueue->GetTableRowCount(lpszTable);
    if (nRows == 0)
        return;
    CSessionRecord record(kRequestQueueSize);
    record.SetInt64(0, m_nSampleTime);
    for (unsigned nRow = 0; nRow < nRows && !GetStopFlag(); ++nRow)
    {
        pQueue->OnTableRow(lpszTable, nRow);
        const CQueueLine line = ParseQueueLine(pQueue->THLINE);
        for (unsigned nQueue = 0; nQueue < std::size(kQueueNames); ++nQueue)
        {
            if (line.strName == kQueueNames[nQueue])
            {
                record.SetInt32(kFirstQueueOffset + nQueue * sizeof(INT32), line.nLength);
                break;
            }
        }
    }
    file.Write(record);
    pQueue->DeleteTableRows(lpszTable);
}

void CRfcClient::GetWpInfo()
{
    if (CThWpInfo* pWpInfo = Prepare(m_pThWpInfo))
    {
        pWpInfo->WITH_CPU = _T("01");
        pWpInfo->SetImportParameters();
        pWpInfo->CallFunctionModule(this);
    }
}

void CRfcClient::WriteWpInfoFile()
{
    WriteTable(m_pThWpInfo, fileWpInfo, SessionFileMode::Snapshot, _T("WPLIST"), kWpInfoLayout);
}
