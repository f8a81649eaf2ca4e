#include <collector/RfcClient.h>
#include <collector/SessionTime.h>
#include <rfc/Sapwln3StatrecDirectRead.h>
#include <rfc/ScsmDsrComponentsListRfc.h>
#include <rfc/SwncStatrecRead.h>

#include <cmath>

namespace
{
// ".dss": the texts of a dialog step; the times, the task type and the four figures are set
// by hand.
constexpr RecordField<CSwncStatrecRead> kDialogStepFields[] = {
    RECORD_FIELD(CSwncStatrecRead, 16, 24, Text, ACCOUNT),
    RECORD_FIELD(CSwncStatrecRead, 40, 40, Text, TCODE),
    RECORD_FIELD(CSwncStatrecRead, 80, 80, Text, REPORT),
};
constexpr RecordLayout<CSwncStatrecRead> kDialogStepLayout{177, kDialogStepFields};
static_assert(kDialogStepLayout.IsValid());
const unsigned kTaskTypeOffset = 160;

// ".dsr": the fields of the record; the times and the component are set by hand.
constexpr RecordField<CSapwln3StatrecDirectRead> kDsrFields[] = {
    RECORD_FIELD(CSapwln3StatrecDirectRead, 360, 64, Text, USER),
    RECORD_FIELD(CSapwln3StatrecDirectRead, 424, 256, Text, ACTION),
    RECORD_FIELD(CSapwln3StatrecDirectRead, 684, 4, Int32, CPUTIME),
    RECORD_FIELD(CSapwln3StatrecDirectRead, 688, 4, Int32, QUEUETIME),
    RECORD_FIELD(CSapwln3StatrecDirectRead, 692, 4, Int32, LOADTIME),
    RECORD_FIELD(CSapwln3StatrecDirectRead, 696, 4, Int32, GENTIME),
    RECORD_FIELD(CSapwln3StatrecDirectRead, 700, 4, Int32, NETTIME),
    RECORD_FIELD(CSapwln3StatrecDirectRead, 704, 4, Int32, WAITTIME),
    RECORD_FIELD(CSapwln3StatrecDirectRead, 708, 4, Int32, MAXMEM),
    RECORD_FIELD(CSapwln3StatrecDirectRead, 712, 4, Int32, RESPTIME),
};
constexpr RecordLayout<CSapwln3StatrecDirectRead> kDsrLayout{716, kDsrFields};
static_assert(kDsrLayout.IsValid());
const unsigned kCompNameOffset = 16;
const unsigned kCompNameBytes = 264;
const unsigned kCompClassOffset = 280;
const unsigned kCompClassBytes = 80;

const LPCTSTR kNormalRecords = _T("NORMAL_RECORDS");
const LPCTSTR kStatRecords = _T("STAT_RECORDS");

// Both statistic readers take the window [reader's window start, end) as UTC texts; a time
// that cannot be broken down gives empty texts, which the module refuses.
template <class R> void SetReadWindow(R& reader, __time64_t nEnd)
{
    const CTime start(static_cast<__time64_t>(reader.m_nWindowStart));
    const CTime end(nEnd);
    reader.READ_START_DATE = start.FormatGmt(_T("%Y%m%d"));
    reader.READ_START_TIME = start.FormatGmt(_T("%H%M%S"));
    reader.READ_END_DATE = end.FormatGmt(_T("%Y%m%d"));
    reader.READ_END_TIME = end.FormatGmt(_T("%H%M%S"));
}

// "yyyymmddhhmmss", read in the time zone that the client asked for.
__time64_t TimestampTime(const CString& strTimestamp)
{
    const std::wstring_view timestamp(strTimestamp.GetString(), strTimestamp.GetLength());
    return UtcDateTime(timestamp.substr(0, 8), timestamp.substr(std::min<size_t>(8, timestamp.size()), 6));
}

// The sum of the figures in thousands, truncated, of which the low 32 bits are kept.
int Thousands(std::initializer_list<LPCTSTR> figures)
{
    double dSum = 0.0;
    for (LPCTSTR lpszFigure : figures)
        dSum += TextToDouble(lpszFigure);
    const double dThousands = std::trunc(dSum / 1000.0);
    if (!std::isfinite(dThousands))
        return 0;
    // Below 2^32 the remainder is the figure itself.
    const double dLow = std::fabs(dThousands) < 4294967296.0 ? dThousands : std::fmod(dThousands, 4294967296.0);
    return static_cast<int>(static_cast<UINT32>(static_cast<__int64>(dLow)));
}

void FillDialogStep(CSessionRecord& record, const CSwncStatrecRead& step)
{
    const __time64_t nStart = TimestampTime(step.STARTTIMESTAMP);
    const __time64_t nEnd = TimestampTime(step.ENDTIMESTAMP);
    record.Fill(step, kDialogStepLayout, 0);
    record.SetInt64(0, nStart);
    record.SetInt64(8, nEnd);
    BYTE taskType = 0;
    CBaseRfc::HexToByte(step.TASKTYPE, taskType);
    // One byte: the figure written at the next offset covers the three above it.
    record.SetInt32(kTaskTypeOffset, taskType);
    record.SetInt32(161, Thousands({step.RESPTI, step.GUITIME, step.GUINETTIME}));
    record.SetInt32(165, Thousands({step.CPUTI}));
    record.SetInt32(169, Thousands({step.DBREQTIME, step.DBPREQTIME}));
    record.SetInt32(173, Thousands({step.MEMSUM}));
}

void FillDsrRecord(CSessionRecord& record, const CSapwln3StatrecDirectRead& request,
                   const CScsmDsrComponentsListRfc& component)
{
    const __time64_t nStart = UtcDateTime(request.STARTDATE, request.STARTTIME);
    const __time64_t nEnd = UtcDateTime(request.ENDDATE, request.ENDTIME);
    record.Fill(request, kDsrLayout, 0);
    record.SetInt64(0, nStart);
    record.SetInt64(8, nEnd);
    record.SetText(kCompNameOffset, kCompNameBytes, component.COMPNAME);
    record.SetText(kCompClassOffset, kCompClassBytes, component.COMPCLASS);
}

// One record per row of the table while not stopping, counted in nCount and in the reader's
// running total. A row whose times cannot be read is left out, counted in nSkipped, and the
// others are still written.
template <class R, class Fill>
void WriteStatisticRows(CSessionFile& file, R& reader, LPCTSTR lpszTable, unsigned nSize,
                        const CRfcConnection& connection, UINT32& nCount, UINT32& nSkipped, Fill fill)
{
    const unsigned nRows = reader.GetTableRowCount(lpszTable);
    if (nRows == 0)
        return;
    CSessionRecord record(nSize);
    for (unsigned nRow = 0; nRow < nRows && !connection.GetStopFlag(); ++nRow)
    {
        reader.OnTableRow(lpszTable, nRow);
        try
        {
            fill(record);
        }
        catch (CInvalidArgException* e)
        {
            e->Delete();
            ++nSkipped;
            continue;
        }
        file.Write(record);
        ++nCount;
    }
    reader.m_nRowTotal += nCount;
    reader.DeleteTableRows(lpszTable);
}
} // namespace

void CRfcClient::ReadStatRecords()
{
    const bool bFirstUse = m_pStatRecords == nullptr;
    const RFC_FUNCTION_HANDLE hKnown = bFirstUse ? nullptr : m_pStatRecords->GetFunctionHandle();
    CSwncStatrecRead* pRead = Prepare(m_pStatRecords);
    if (bFirstUse && m_pStatRecords != nullptr)
        m_pStatRecords->m_nWindowStart = static_cast<ULONGLONG>(m_nStartTime);
    if (pRead == nullptr)
        return;
    // A function made anew returns every table; only the main records are wanted.
    if (pRead->GetFunctionHandle() != hKnown)
        pRead->ActivateNormalRecordsOnly();
    SetReadWindow(*pRead, m_nSampleTime);
    pRead->SetImportParameters();
    pRead->CallFunctionModule(this);
    pRead->GetExportParameters();
}

void CRfcClient::WriteStatRecordsFile()
{
    CSwncStatrecRead* pRead = Result(m_pStatRecords);
    if (pRead == nullptr)
        return;
    {
        CSessionFile file(m_strFiles[fileStatRecords], SessionFileMode::History, *this);
        if (!file.IsOpen())
            return;
        m_nDialogStepCount = 0;
        m_nSkippedRecords = 0;
        WriteStatisticRows(file, *pRead, kNormalRecords, kDialogStepLayout.nSize, *this, m_nDialogStepCount,
                           m_nSkippedRecords, [pRead](CSessionRecord& record) { FillDialogStep(record, *pRead); });
    }
    // Only once the read is in the file does the next read start at this tick; a write that
    // failed reads the longer window again.
    pRead->m_nWindowStart = static_cast<ULONGLONG>(m_nSampleTime);
}

void CRfcClient::GetDsrComponents()
{
    if (CScsmDsrComponentsListRfc* pList = Prepare(m_pDsrComponents))
    {
        pList->RESTRICT_TO_COMPONENT_TYPE = _T("SAPJ2ENode");
        pList->SetImportParameters();
        pList->CallFunctionModule(this);
    }
}

void CRfcClient::ReadDsrRecords()
{
    const bool bFirstUse = m_pDsrRecords == nullptr;
    CSapwln3StatrecDirectRead* pRead = Prepare(m_pDsrRecords);
    if (bFirstUse && m_pDsrRecords != nullptr)
        m_pDsrRecords->m_nWindowStart = static_cast<ULONGLONG>(m_nStartTime);
    const CScsmDsrComponentsListRfc* pComponent = Result(m_pDsrComponents);
    if (pRead == nullptr || pComponent == nullptr)
        return;
    // Every component of a tick reads the same window: the capture moves it after the last.
    pRead->COMPONENT = pComponent->COMPNAME;
    pRead->COMPONENT_TYPE = pComponent->COMPCLASS;
    SetReadWindow(*pRead, m_nSampleTime);
    pRead->SetImportParameters();
    pRead->CallFunctionModule(this);
    pRead->GetExportParameters();
}

void CRfcClient::WriteDsrRecordsFile()
{
    CSapwln3StatrecDirectRead* pRead = Result(m_pDsrRecords);
    const CScsmDsrComponentsListRfc* pComponent = Result(m_pDsrComponents);
    if (pRead == nullptr || pComponent == nullptr)
        return;
    CSessionFile file(m_strFiles[fileDsrRecords], SessionFileMode::History, *this);
    if (file.IsOpen())
    {
        m_nSkippedRecords = 0;
        WriteStatisticRows(file, *pRead, kStatRecords, kDsrLayout.nSize, *this, m_nDsrCount, m_nSkippedRecords,
                           [pRead, pComponent](CSessionRecord& record) { FillDsrRecord(record, *pRead, *pComponent); });
    }
}
