#include <rfc/ReadTableRsddstatOlap.h>

IMPLEMENT_DYNAMIC(CReadTableRsddstatOlap, CRfcReadTable)

namespace
{
const RfcDataField<CReadTableRsddstatOlap> kFields[] = {
    RFC_FIELD(CReadTableRsddstatOlap, SESSIONUID),      RFC_FIELD(CReadTableRsddstatOlap, STEPUID),
    RFC_NUMBER_FIELD(CReadTableRsddstatOlap, HANDLEID), RFC_FIELD(CReadTableRsddstatOlap, HANDLETP),
    RFC_NUMBER_FIELD(CReadTableRsddstatOlap, EVENTID),  RFC_FIELD(CReadTableRsddstatOlap, UNAME),
    RFC_FIELD(CReadTableRsddstatOlap, STEPTP),          RFC_NUMBER_FIELD(CReadTableRsddstatOlap, STEPCNT),
    RFC_FIELD(CReadTableRsddstatOlap, UTIME),           RFC_FIELD(CReadTableRsddstatOlap, CALDAY),
    RFC_FIELD(CReadTableRsddstatOlap, RUNTIME),         RFC_FIELD(CReadTableRsddstatOlap, INFOPROV),
    RFC_FIELD(CReadTableRsddstatOlap, OBJNAME),         RFC_FIELD(CReadTableRsddstatOlap, OBJPROP),
    RFC_FIELD(CReadTableRsddstatOlap, STATLEVEL),       RFC_NUMBER_FIELD(CReadTableRsddstatOlap, EVTIME),
    RFC_FIELD(CReadTableRsddstatOlap, EVCOUNT),         RFC_FIELD(CReadTableRsddstatOlap, EVENTIDCNT),
    RFC_FIELD(CReadTableRsddstatOlap, STARTTIME),
};
} // namespace

CReadTableRsddstatOlap::CReadTableRsddstatOlap(CRfcConnection* pConnection)
    : CRfcReadTable(pConnection, _T("RSDDSTAT_OLAP"))
{
}

void CReadTableRsddstatOlap::OnTableRow(LPCTSTR lpszTable, unsigned nRow)
{
    CRfcReadTable::OnTableRow(lpszTable, nRow);
    if (wcscmp(lpszTable, _T("DATA")) == 0)
        CutDataRow();
}

void CReadTableRsddstatOlap::CutDataRow()
{
    CutFields<CReadTableRsddstatOlap>(*this, kFields);
}
