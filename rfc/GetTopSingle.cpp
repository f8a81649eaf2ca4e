#include <rfc/GetTopSingle.h>

IMPLEMENT_DYNAMIC(CGetTopSingle, CBaseRfc)

namespace
{
const RfcText<CGetTopSingle> kImports[] = {
    RFC_IMPORT(CGetTopSingle, LOCAL_REMOTE, "LOCAL"),
    RFC_IMPORT(CGetTopSingle, LOGICAL_DESTINATION, " "),
};
const RfcText<CGetTopSingle> kTfTopSingleColumns[] = {
    RFC_TEXT(CGetTopSingle, TYPE),     RFC_TEXT(CGetTopSingle, SUBTYPE),    RFC_TEXT(CGetTopSingle, SERIALNR),
    RFC_TEXT(CGetTopSingle, PROC_ID),  RFC_TEXT(CGetTopSingle, USERNAME),   RFC_TEXT(CGetTopSingle, COMMAND),
    RFC_TEXT(CGetTopSingle, CPU_UTIL), RFC_TEXT(CGetTopSingle, CPU_TIME),   RFC_TEXT(CGetTopSingle, RES_SIZE),
    RFC_TEXT(CGetTopSingle, PRIORITY), RFC_TEXT(CGetTopSingle, PRIV_PAGES),
};
const RfcTextGroup<CGetTopSingle> kTables[] = {
    {_T("TF_TOP_SINGLE"), kTfTopSingleColumns},
};
} // namespace

CGetTopSingle::CGetTopSingle(CRfcConnection* pConnection) : CBaseRfc(pConnection, _T("GET_TOP_SINGLE"))
{
    SetDefaults(*this, kImports);
}

void CGetTopSingle::SetImportParameters()
{
    SetStrings(GetFunctionHandle(), *this, kImports);
}

void CGetTopSingle::GetExportParameters()
{
    m_status.Read(*this, _T("F_TOP_SINGLE_READ"), FALSE);
}

void CGetTopSingle::OnTableRow(LPCTSTR lpszTable, unsigned nRow)
{
    ReadTableRow(*this, lpszTable, nRow, kTables);
}
