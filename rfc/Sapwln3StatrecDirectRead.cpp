#include <rfc/Sapwln3StatrecDirectRead.h>

IMPLEMENT_DYNAMIC(CSapwln3StatrecDirectRead, CBaseRfc)

namespace
{
const RfcText<CSapwln3StatrecDirectRead> kImports[] = {
    RFC_IMPORT(CSapwln3StatrecDirectRead, COMPONENT, ""),
    RFC_IMPORT(CSapwln3StatrecDirectRead, COMPONENT_TYPE, ""),
    RFC_IMPORT(CSapwln3StatrecDirectRead, MONITORING_SYSTEM, ""),
    RFC_IMPORT(CSapwln3StatrecDirectRead, READ_START_DATE, ""),
    RFC_IMPORT(CSapwln3StatrecDirectRead, READ_START_TIME, "00:00:00"),
    RFC_IMPORT(CSapwln3StatrecDirectRead, READ_END_DATE, ""),
    RFC_IMPORT(CSapwln3StatrecDirectRead, READ_END_TIME, "00:00:00"),
    RFC_IMPORT(CSapwln3StatrecDirectRead, TIMEZONE, "UTC"),
    RFC_IMPORT(CSapwln3StatrecDirectRead, READ_TRANSID, ""),
    RFC_IMPORT(CSapwln3StatrecDirectRead, READ_SERVICE, "-1"),
    RFC_IMPORT(CSapwln3StatrecDirectRead, READ_ACTION, ""),
    RFC_IMPORT(CSapwln3StatrecDirectRead, READ_ACTION_TYPE, "-1"),
    RFC_IMPORT(CSapwln3StatrecDirectRead, READ_USERNAME, ""),
    RFC_IMPORT(CSapwln3StatrecDirectRead, READ_EXCLUDE_USERNAME, ""),
    RFC_IMPORT(CSapwln3StatrecDirectRead, READ_MAX_NO_OF_RECORDS, "-1"),
    RFC_IMPORT(CSapwln3StatrecDirectRead, GET_TEST_DATA, ""),
};
const RfcText<CSapwln3StatrecDirectRead> kRecordInfo[] = {
    RFC_TEXT(CSapwln3StatrecDirectRead, FIRSTRECDT), RFC_TEXT(CSapwln3StatrecDirectRead, FIRSTRECTM),
    RFC_TEXT(CSapwln3StatrecDirectRead, LASTRECDT),  RFC_TEXT(CSapwln3StatrecDirectRead, LASTRECTM),
    RFC_TEXT(CSapwln3StatrecDirectRead, EOFREACHED), RFC_TEXT(CSapwln3StatrecDirectRead, NOOFRECS),
};
const RfcText<CSapwln3StatrecDirectRead> kMainRecord[] = {
    RFC_TEXT(CSapwln3StatrecDirectRead, STARTDATE),  RFC_TEXT(CSapwln3StatrecDirectRead, STARTTIME),
    RFC_TEXT(CSapwln3StatrecDirectRead, ENDDATE),    RFC_TEXT(CSapwln3StatrecDirectRead, ENDTIME),
    RFC_TEXT(CSapwln3StatrecDirectRead, TRANSID),    RFC_TEXT(CSapwln3StatrecDirectRead, SERVICE),
    RFC_TEXT(CSapwln3StatrecDirectRead, ACTION),     RFC_TEXT(CSapwln3StatrecDirectRead, ACTIONTYPE),
    RFC_TEXT(CSapwln3StatrecDirectRead, USER),       RFC_TEXT(CSapwln3StatrecDirectRead, PROCESSID),
    RFC_TEXT(CSapwln3StatrecDirectRead, THREADID),   RFC_TEXT(CSapwln3StatrecDirectRead, CPUTIME),
    RFC_TEXT(CSapwln3StatrecDirectRead, QUEUETIME),  RFC_TEXT(CSapwln3StatrecDirectRead, LOADTIME),
    RFC_TEXT(CSapwln3StatrecDirectRead, GENTIME),    RFC_TEXT(CSapwln3StatrecDirectRead, NETTIME),
    RFC_TEXT(CSapwln3StatrecDirectRead, WAITTIME),   RFC_TEXT(CSapwln3StatrecDirectRead, MAXMEM),
    RFC_TEXT(CSapwln3StatrecDirectRead, LUWINFO),    RFC_TEXT(CSapwln3StatrecDirectRead, RESPTIME),
    RFC_TEXT(CSapwln3StatrecDirectRead, ADDITINFO),  RFC_TEXT(CSapwln3StatrecDirectRead, STARTTIME1),
    RFC_TEXT(CSapwln3StatrecDirectRead, STARTTIME2), RFC_TEXT(CSapwln3StatrecDirectRead, ENDTIME1),
    RFC_TEXT(CSapwln3StatrecDirectRead, ENDTIME2),
};
const RfcText<CSapwln3StatrecDirectRead> kClientInfo[] = {
    RFC_TEXT(CSapwln3StatrecDirectRead, I_SYSTEM),  RFC_TEXT(CSapwln3StatrecDirectRead, I_ACTION),
    RFC_TEXT(CSapwln3StatrecDirectRead, I_ACTTYPE), RFC_TEXT(CSapwln3StatrecDirectRead, I_SERVICE),
    RFC_TEXT(CSapwln3StatrecDirectRead, I_USER),    RFC_TEXT(CSapwln3StatrecDirectRead, PRE_SYSID),
    RFC_TEXT(CSapwln3StatrecDirectRead, TRACEFLAG),
};
const RfcText<CSapwln3StatrecDirectRead> kCallColumns[] = {
    {_T("COMPTYPE"), &CSapwln3StatrecDirectRead::CTYP1RECS_COMPTYPE},
    {_T("COMPNAME"), &CSapwln3StatrecDirectRead::CTYP1RECS_COMPNAME},
    {_T("DESTINAT"), &CSapwln3StatrecDirectRead::CTYP1RECS_DESTINAT},
    {_T("CALLTIME"), &CSapwln3StatrecDirectRead::CTYP1RECS_CALLTIME},
    {_T("REXECTIME"), &CSapwln3StatrecDirectRead::CTYP1RECS_REXECTIME},
    {_T("SENTBYTES"), &CSapwln3StatrecDirectRead::CTYP1RECS_SENTBYTES},
    {_T("RCVDBYTES"), &CSapwln3StatrecDirectRead::CTYP1RECS_RCVDBYTES},
    {_T("NOOFCALLS"), &CSapwln3StatrecDirectRead::CTYP1RECS_NOOFCALLS},
    {_T("ADDITINFO"), &CSapwln3StatrecDirectRead::CTYP1RECS_ADDITINFO},
};
const RfcTextGroup<CSapwln3StatrecDirectRead> kExports[] = {
    {_T("RECORD_INFO"), kRecordInfo},
};
// The structures of a "STAT_RECORDS" row.
const RfcTextGroup<CSapwln3StatrecDirectRead> kStatRecordStructures[] = {
    {_T("MAINREC"), kMainRecord},
    {_T("CLIENTINFO"), kClientInfo},
};
} // namespace

CSapwln3StatrecDirectRead::CSapwln3StatrecDirectRead(CRfcConnection* pConnection)
    : CBaseRfc(pConnection, _T("SAPWLN3_STATREC_DIRECT_READ"))
{
    SetDefaults(*this, kImports);
}

void CSapwln3StatrecDirectRead::SetImportParameters()
{
    SetStrings(GetFunctionHandle(), *this, kImports);
}

void CSapwln3StatrecDirectRead::GetExportParameters()
{
    GetExports(*this, kExports);
}

void CSapwln3StatrecDirectRead::OnTableRow(LPCTSTR lpszTable, unsigned nRow)
{
    RFC_TABLE_HANDLE hRow = SetTableRow(lpszTable, nRow);
    if (wcscmp(lpszTable, _T("STAT_RECORDS")) == 0)
    {
        for (const RfcTextGroup<CSapwln3StatrecDirectRead>& structure : kStatRecordStructures)
            GetStrings(GetStructure(hRow, structure.lpszName), *this, structure.texts);
    }
    else if (wcscmp(lpszTable, _T("CTYP1RECS")) == 0)
        GetStrings(hRow, *this, kCallColumns);
}
