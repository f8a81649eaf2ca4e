#include <rfc/ReadTableRsddstatDm.h>

IMPLEMENT_DYNAMIC(CReadTableRsddstatDm, CRfcReadTable)

namespace
{
const RfcDataField<CReadTableRsddstatDm> kFields[] = {
    RFC_FIELD(CReadTableRsddstatDm, STEPUID),
    RFC_NUMBER_FIELD(CReadTableRsddstatDm, HANDLEID),
    RFC_FIELD(CReadTableRsddstatDm, HANDLETP),
    RFC_FIELD(CReadTableRsddstatDm, UNAME),
    RFC_FIELD(CReadTableRsddstatDm, UTIME),
    RFC_FIELD(CReadTableRsddstatDm, CALDAY),
    RFC_FIELD(CReadTableRsddstatDm, OBJNAME),
    RFC_FIELD(CReadTableRsddstatDm, DMUID),
    RFC_NUMBER_FIELD(CReadTableRsddstatDm, ACCESSCNT),
    RFC_NUMBER_FIELD(CReadTableRsddstatDm, ACCESSTP),
    RFC_FIELD(CReadTableRsddstatDm, INFOPROV),
    RFC_FIELD(CReadTableRsddstatDm, PARTPROV),
    RFC_FIELD(CReadTableRsddstatDm, AGGREGATE),
    RFC_FIELD(CReadTableRsddstatDm, TABLTP),
    RFC_FIELD(CReadTableRsddstatDm, TIMEDMPREP),
    RFC_FIELD(CReadTableRsddstatDm, TIMEDMPOST),
    RFC_FIELD(CReadTableRsddstatDm, TIMEREAD),
    RFC_FIELD(CReadTableRsddstatDm, TIMESID),
    RFC_FIELD(CReadTableRsddstatDm, TIMENAVATTR),
    RFC_FIELD(CReadTableRsddstatDm, TIMEHIERARCHY),
    RFC_FIELD(CReadTableRsddstatDm, DBSEL),
    RFC_FIELD(CReadTableRsddstatDm, DBTRANS),
    RFC_FIELD(CReadTableRsddstatDm, WP_ID),
    RFC_FIELD(CReadTableRsddstatDm, PROCESSCNT),
    RFC_FIELD(CReadTableRsddstatDm, SLOTNR),
    RFC_FIELD(CReadTableRsddstatDm, STARTTIME),
};
} // namespace

CReadTableRsddstatDm::CReadTableRsddstatDm(CRfcConnection* pConnection) : CRfcReadTable(pConnection, _T("RSDDSTAT_DM"))
{
}

void CReadTableRsddstatDm::OnTableRow(LPCTSTR lpszTable, unsigned nRow)
{
    CRfcReadTable::OnTableRow(lpszTable, nRow);
    if (wcscmp(lpszTable, _T("DATA")) == 0)
        CutDataRow();
}

void CReadTableRsddstatDm::CutDataRow()
{
    CutFields<CReadTableRsddstatDm>(*this, kFields);
}
