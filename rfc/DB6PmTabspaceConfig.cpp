#include <rfc/DB6PmTabspaceConfig.h>

IMPLEMENT_DYNAMIC(CDB6PmTabspaceConfig, CBaseRfc)

namespace
{
const RfcText<CDB6PmTabspaceConfig> kImports[] = {
    RFC_IMPORT(CDB6PmTabspaceConfig, ACTION, "0"),     RFC_IMPORT(CDB6PmTabspaceConfig, PARTITN, "0"),
    RFC_IMPORT(CDB6PmTabspaceConfig, CALLERFLAG, "U"), RFC_IMPORT(CDB6PmTabspaceConfig, COMPTIME, ""),
    RFC_IMPORT(CDB6PmTabspaceConfig, CONNECTION, ""),
};
const RfcText<CDB6PmTabspaceConfig> kColumns[] = {
    {_T("COMPTIME"), &CDB6PmTabspaceConfig::COL_COMPTIME},
    {_T("PARTITN"), &CDB6PmTabspaceConfig::COL_PARTITN},
    RFC_TEXT(CDB6PmTabspaceConfig, TBS_ID),
    {_T("CALLERFLAG"), &CDB6PmTabspaceConfig::COL_CALLERFLAG},
    RFC_TEXT(CDB6PmTabspaceConfig, DBMSTRTTME),
    RFC_TEXT(CDB6PmTabspaceConfig, PRGVERS),
    RFC_TEXT(CDB6PmTabspaceConfig, TBS_NAME),
    RFC_TEXT(CDB6PmTabspaceConfig, TBS_TYPE),
    RFC_TEXT(CDB6PmTabspaceConfig, CONTENTS),
    RFC_TEXT(CDB6PmTabspaceConfig, TBSSTATE),
    RFC_TEXT(CDB6PmTabspaceConfig, TOTALPAGES),
    RFC_TEXT(CDB6PmTabspaceConfig, USABLEPGS),
    RFC_TEXT(CDB6PmTabspaceConfig, PAGESIZE),
    RFC_TEXT(CDB6PmTabspaceConfig, EXTSIZE),
    RFC_TEXT(CDB6PmTabspaceConfig, PF_SZ),
    RFC_TEXT(CDB6PmTabspaceConfig, NUM_CONT),
    RFC_TEXT(CDB6PmTabspaceConfig, USEDPAGES),
    RFC_TEXT(CDB6PmTabspaceConfig, FREEPAGES),
    RFC_TEXT(CDB6PmTabspaceConfig, HGHWTRMRK),
    RFC_TEXT(CDB6PmTabspaceConfig, AUTOSTOR),
    RFC_TEXT(CDB6PmTabspaceConfig, AUTORESIZ),
    RFC_TEXT(CDB6PmTabspaceConfig, INITSIZ),
    RFC_TEXT(CDB6PmTabspaceConfig, CURRSIZ),
    RFC_TEXT(CDB6PmTabspaceConfig, INCRSIZABS),
    RFC_TEXT(CDB6PmTabspaceConfig, INCRSIZPCT),
    RFC_TEXT(CDB6PmTabspaceConfig, LASTRESIZ),
    RFC_TEXT(CDB6PmTabspaceConfig, LASTRSZFAI),
    RFC_TEXT(CDB6PmTabspaceConfig, MAX_SIZE),
};
const RfcTextGroup<CDB6PmTabspaceConfig> kTables[] = {
    {_T("IT_DB6PMCP"), kColumns},
};
} // namespace

CDB6PmTabspaceConfig::CDB6PmTabspaceConfig(CRfcConnection* pConnection)
    : CBaseRfc(pConnection, _T("DB6_PM_TABSPACECONFIG"))
{
    SetDefaults(*this, kImports);
}

void CDB6PmTabspaceConfig::SetImportParameters()
{
    SetStrings(GetFunctionHandle(), *this, kImports);
}

void CDB6PmTabspaceConfig::OnTableRow(LPCTSTR lpszTable, unsigned nRow)
{
    ReadTableRow(*this, lpszTable, nRow, kTables);
}
