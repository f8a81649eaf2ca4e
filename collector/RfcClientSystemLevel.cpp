#include <collector/RfcClient.h>
#include <collector/SessionTime.h>
#include <rfc/OcsGetInfo.h>
#include <rfc/ReadTableRsddstatDm.h>
#include <rfc/ReadTableRsddstatOlap.h>
#include <rfc/ReadTableTrdir.h>

#include <ctime>

namespace
{
// The add-on text at 100 comes from the matching TT_ADDON row.
constexpr RecordField<COcsGetInfo> kComponentFields[] = {
    RECORD_FIELD(COcsGetInfo, 0, 60, Text, TT_COMPONENT_0),
    RECORD_FIELD(COcsGetInfo, 60, 20, Text, TT_COMPONENT_30),
    RECORD_FIELD(COcsGetInfo, 80, 20, Text, TT_COMPONENT_40),
};
constexpr RecordLayout<COcsGetInfo> kComponentLayout{220, kComponentFields};
static_assert(kComponentLayout.IsValid());
const unsigned kAddonOffset = 100;
const unsigned kAddonBytes = 120;

// The time is the patch's own date and time.
constexpr RecordField<COcsGetInfo> kPatchFields[] = {
    RECORD_TIME(COcsGetInfo, 0),
    RECORD_FIELD(COcsGetInfo, 8, 40, Text, TT_PATCH_0),
    RECORD_FIELD(COcsGetInfo, 48, 120, Text, TT_PATCH_20),
};
constexpr RecordLayout<COcsGetInfo> kPatchLayout{168, kPatchFields};
static_assert(kPatchLayout.IsValid());

constexpr RecordField<CReadTableRsddstatOlap> kOlapFields[] = {
    RECORD_FIELD(CReadTableRsddstatOlap, 0, 50, Text, SESSIONUID),
    RECORD_FIELD(CReadTableRsddstatOlap, 50, 50, Text, STEPUID),
    RECORD_FIELD(CReadTableRsddstatOlap, 100, 4, Int32, HANDLEID),
    RECORD_FIELD(CReadTableRsddstatOlap, 104, 8, Text, HANDLETP),
    RECORD_FIELD(CReadTableRsddstatOlap, 112, 4, Int32, EVENTID),
    RECORD_FIELD(CReadTableRsddstatOlap, 116, 24, Text, UNAME),
    RECORD_FIELD(CReadTableRsddstatOlap, 140, 8, Text, STEPTP),
    RECORD_FIELD(CReadTableRsddstatOlap, 148, 4, Int32, STEPCNT),
    RECORD_FIELD(CReadTableRsddstatOlap, 152, 12, Text, UTIME),
    RECORD_FIELD(CReadTableRsddstatOlap, 164, 16, Text, CALDAY),
    RECORD_FIELD(CReadTableRsddstatOlap, 180, 8, Double, RUNTIME),
    RECORD_FIELD(CReadTableRsddstatOlap, 188, 60, Text, INFOPROV),
    RECORD_FIELD(CReadTableRsddstatOlap, 248, 60, Text, OBJNAME),
    RECORD_FIELD(CReadTableRsddstatOlap, 308, 20, Text, OBJPROP),
    RECORD_FIELD(CReadTableRsddstatOlap, 328, 4, Int32, STATLEVEL),
    RECORD_FIELD(CReadTableRsddstatOlap, 332, 8, Double, EVTIME),
    RECORD_FIELD(CReadTableRsddstatOlap, 340, 8, Double, EVCOUNT),
    RECORD_FIELD(CReadTableRsddstatOlap, 348, 4, Int32, EVENTIDCNT),
    RECORD_FIELD(CReadTableRsddstatOlap, 352, 50, Text, STARTTIME),
};
constexpr RecordLayout<CReadTableRsddstatOlap> kOlapLayout{402, kOlapFields};
static_assert(kOlapLayout.IsValid());

constexpr RecordField<CReadTableRsddstatDm> kDmFields[] = {
    RECORD_FIELD(CReadTableRsddstatDm, 0, 50, Text, STEPUID),
    RECORD_FIELD(CReadTableRsddstatDm, 50, 4, Int32, HANDLEID),
    RECORD_FIELD(CReadTableRsddstatDm, 54, 8, Text, HANDLETP),
    RECORD_FIELD(CReadTableRsddstatDm, 62, 24, Text, UNAME),
    RECORD_FIELD(CReadTableRsddstatDm, 86, 12, Text, UTIME),
    RECORD_FIELD(CReadTableRsddstatDm, 98, 16, Text, CALDAY),
    RECORD_FIELD(CReadTableRsddstatDm, 114, 60, Text, OBJNAME),
    RECORD_FIELD(CReadTableRsddstatDm, 174, 50, Text, DMUID),
    RECORD_FIELD(CReadTableRsddstatDm, 224, 4, Int32, ACCESSCNT),
    RECORD_FIELD(CReadTableRsddstatDm, 228, 2, Text, ACCESSTP),
    RECORD_FIELD(CReadTableRsddstatDm, 230, 60, Text, INFOPROV),
    RECORD_FIELD(CReadTableRsddstatDm, 290, 60, Text, PARTPROV),
    RECORD_FIELD(CReadTableRsddstatDm, 350, 60, Text, AGGREGATE),
    RECORD_FIELD(CReadTableRsddstatDm, 410, 2, Text, TABLTP),
    RECORD_FIELD(CReadTableRsddstatDm, 412, 8, Double, TIMEDMPREP),
    RECORD_FIELD(CReadTableRsddstatDm, 420, 8, Double, TIMEDMPOST),
    RECORD_FIELD(CReadTableRsddstatDm, 428, 8, Double, TIMEREAD),
    RECORD_FIELD(CReadTableRsddstatDm, 436, 8, Double, TIMESID),
    RECORD_FIELD(CReadTableRsddstatDm, 444, 8, Double, TIMENAVATTR),
    RECORD_FIELD(CReadTableRsddstatDm, 452, 8, Double, TIMEHIERARCHY),
    RECORD_FIELD(CReadTableRsddstatDm, 460, 4, Int32, DBSEL),
    RECORD_FIELD(CReadTableRsddstatDm, 464, 4, Int32, DBTRANS),
    RECORD_FIELD(CReadTableRsddstatDm, 468, 4, Int32, WP_ID),
    RECORD_FIELD(CReadTableRsddstatDm, 472, 4, Int32, PROCESSCNT),
    RECORD_FIELD(CReadTableRsddstatDm, 476, 4, Int32, SLOTNR),
    RECORD_FIELD(CReadTableRsddstatDm, 480, 50, Text, STARTTIME),
};
constexpr RecordLayout<CReadTableRsddstatDm> kDmLayout{530, kDmFields};
static_assert(kDmLayout.IsValid());

// Other programs, then customer programs.
const unsigned kReportSize = 8;

// A patch without a valid date or time keeps its place in the list with time 0.
__time64_t PatchTime(const CString& strDate, const CString& strTime)
{
    try
    {
        return LocalDateTime(strDate, strTime);
    }
    catch (CInvalidArgException* e)
    {
        e->Delete();
        return 0;
    }
}

// The moment as UTC text, empty when it cannot be broken down.
// Reads the rows of the reader's window: from its start on the start's day, and every row of
// the days after it. A successful call moves the window on to the time of this tick.
void ReadBiWindow(CRfcReadTable& reader, CRfcConnection& connection, __time64_t nSampleTime)
{
    const CTime start(static_cast<__time64_t>(reader.m_nWindowStart));
    const CString strDate = start.FormatGmt(_T("%Y%m%d"));
    const CString strTime = start.FormatGmt(_T("%H%M%S"));
    reader.TEXT.Format(_T("(CALDAY = '%s' AND UTIME >= '%s') OR CALDAY > '%s'"), (LPCTSTR)strDate, (LPCTSTR)strTime,
                       (LPCTSTR)strDate);
    if (reader.GetTableRowCount(_T("OPTIONS")) == 0)
        reader.AppendOptionsRow();
    else
        reader.SetOptionsText();
    reader.SetImportParameters();
    reader.CallFunctionModule(&connection);
    reader.m_nWindowStart = static_cast<ULONGLONG>(nSampleTime);
}
} // namespace

void CRfcClient::GetOcsInfo()
{
    if (COcsGetInfo* pInfo = Prepare(m_pOcsGetInfo))
    {
        pInfo->CallFunctionModule(this);
        pInfo->GetString(pInfo->GetFunctionHandle(), _T("EV_SAPRL"), pInfo->EV_SAPRL);
    }
}

void CRfcClient::WriteComponentFile()
{
    COcsGetInfo* pInfo = Result(m_pOcsGetInfo);
    if (pInfo == nullptr)
        return;
    CSessionFile file(m_strFiles[fileComponents], SessionFileMode::Snapshot, *this);
    if (!file.IsOpen())
        return;
    CSessionRecord record(kComponentLayout.nSize);
    const unsigned nComponents = pInfo->GetTableRowCount(_T("TT_COMPONENT"));
    for (unsigned nComponent = 0; nComponent < nComponents && !GetStopFlag(); ++nComponent)
    {
        pInfo->OnTableRow(_T("TT_COMPONENT"), nComponent);
        record.Fill(*pInfo, kComponentLayout, m_nSampleTime);
        const unsigned nAddons = pInfo->GetTableRowCount(_T("TT_ADDON"));
        for (unsigned nAddon = 0; nAddon < nAddons && !GetStopFlag(); ++nAddon)
        {
            pInfo->OnTableRow(_T("TT_ADDON"), nAddon);
            if (pInfo->TT_ADDON_0 == pInfo->TT_COMPONENT_0)
            {
                record.SetText(kAddonOffset, kAddonBytes, pInfo->TT_ADDON_102);
                break;
            }
        }
        file.Write(record);
    }
}

void CRfcClient::WritePatchFile()
{
    COcsGetInfo* pInfo = Result(m_pOcsGetInfo);
    if (pInfo == nullptr)
        return;
    CSessionFile file(m_strFiles[filePatches], SessionFileMode::Snapshot, *this);
    if (!file.IsOpen())
        return;
    const unsigned nPatches = pInfo->GetTableRowCount(_T("TT_PATCH"));
    if (nPatches == 0)
        return;
    CSessionRecord record(kPatchLayout.nSize);
    for (unsigned nPatch = 0; nPatch < nPatches && !GetStopFlag(); ++nPatch)
    {
        pInfo->OnTableRow(_T("TT_PATCH"), nPatch);
        record.Fill(*pInfo, kPatchLayout, PatchTime(pInfo->TT_PATCH_107, pInfo->TT_PATCH_115));
        file.Write(record);
    }
    pInfo->DeleteTableRows(_T("TT_PATCH"));
}

void CRfcClient::ReadTrdir(int nRowCount)
{
    CReadTableTrdir* pRead = Prepare(m_pReadTrdir);
    if (pRead == nullptr)
        return;
    // Only the program name is asked for. The row stays in the function from call to call;
    // a function made anew has none.
    if (pRead->GetTableRowCount(_T("FIELDS")) == 0)
    {
        pRead->FIELDNAME = _T("NAME");
        pRead->AppendFieldsRow();
    }
    pRead->ROWSKIPS.Format(_T("%I64u"), pRead->m_nRowTotal);
    pRead->ROWCOUNT.Format(_T("%d"), nRowCount);
    pRead->SetImportParameters();
    pRead->CallFunctionModule(this);
}

void CRfcClient::WriteTrdirFile()
{
    CReadTableTrdir* pRead = Result(m_pReadTrdir);
    if (pRead == nullptr)
        return;
    // A page shorter than asked for is the last one; a row count of 0 asked for all rows.
    const unsigned nRows = pRead->GetTableRowCount(_T("DATA"));
    const int nRequested = _wtoi(pRead->ROWCOUNT);
    if (nRequested <= 0 || nRows < static_cast<unsigned>(nRequested))
        m_bReportComplete = TRUE;
    if (nRows == 0)
        return;
    for (unsigned nRow = 0; nRow < nRows && !GetStopFlag(); ++nRow)
    {
        pRead->OnTableRow(_T("DATA"), nRow);
        const TCHAR chFirst = pRead->WA.IsEmpty() ? _T('\0') : pRead->WA[0];
        if (chFirst == _T('Y') || chFirst == _T('Z'))
            ++m_nCustomerReports;
        else
            ++m_nOtherReports;
        ++pRead->m_nRowTotal;
    }
    pRead->DeleteTableRows(_T("DATA"));
    if (GetStopFlag())
        return;
    CSessionFile file(m_strFiles[fileReports], SessionFileMode::Snapshot, *this);
    if (!file.IsOpen())
        return;
    CSessionRecord record(kReportSize);
    record.SetInt32(0, static_cast<int>(m_nOtherReports));
    record.SetInt32(4, static_cast<int>(m_nCustomerReports));
    file.Write(record);
}

void CRfcClient::ReadRsddstatOlap()
{
    const bool bFirstUse = m_pReadRsddstatOlap == nullptr;
    CReadTableRsddstatOlap* pRead = Prepare(m_pReadRsddstatOlap);
    if (bFirstUse && m_pReadRsddstatOlap != nullptr)
        m_pReadRsddstatOlap->m_nWindowStart = static_cast<ULONGLONG>(m_nStartTime);
    if (pRead != nullptr)
        ReadBiWindow(*pRead, *this, m_nSampleTime);
}

void CRfcClient::WriteRsddstatOlapFile()
{
    WriteTable(m_pReadRsddstatOlap, fileBiOlap, SessionFileMode::History, _T("DATA"), kOlapLayout);
}

void CRfcClient::ReadRsddstatDm()
{
    const bool bFirstUse = m_pReadRsddstatDm == nullptr;
    CReadTableRsddstatDm* pRead = Prepare(m_pReadRsddstatDm);
    if (bFirstUse && m_pReadRsddstatDm != nullptr)
        m_pReadRsddstatDm->m_nWindowStart = static_cast<ULONGLONG>(m_nStartTime);
    if (pRead != nullptr)
        ReadBiWindow(*pRead, *this, m_nSampleTime);
}

void CRfcClient::WriteRsddstatDmFile()
{
    WriteTable(m_pReadRsddstatDm, fileBiDataManager, SessionFileMode::History, _T("DATA"), kDmLayout);
}
