#include <rfc/GetMemAll.h>

IMPLEMENT_DYNAMIC(CGetMemAll, CBaseRfc)

namespace
{
const RfcText<CGetMemAll> kImports[] = {
    RFC_IMPORT(CGetMemAll, LOCAL_REMOTE, "LOCAL"),
    RFC_IMPORT(CGetMemAll, LOGICAL_DESTINATION, " "),
};
const RfcText<CGetMemAll> kTfMemAllColumns[] = {
    RFC_TEXT(CGetMemAll, TYPE),       RFC_TEXT(CGetMemAll, SUBTYPE),    RFC_TEXT(CGetMemAll, SERIALNR),
    RFC_TEXT(CGetMemAll, IN_PG_SEC),  RFC_TEXT(CGetMemAll, OUT_PG_SEC), RFC_TEXT(CGetMemAll, IN_KB_SEC),
    RFC_TEXT(CGetMemAll, OUT_KB_SEC), RFC_TEXT(CGetMemAll, FREE_MEM),   RFC_TEXT(CGetMemAll, PHYS_MEM),
    RFC_TEXT(CGetMemAll, SWAP_CONF),  RFC_TEXT(CGetMemAll, SWAP_FREE),  RFC_TEXT(CGetMemAll, SWAP_SIZE),
    RFC_TEXT(CGetMemAll, SWAP_MAX),
};
const RfcTextGroup<CGetMemAll> kTables[] = {
    {_T("TF_MEM_ALL"), kTfMemAllColumns},
};
} // namespace

CGetMemAll::CGetMemAll(CRfcConnection* pConnection) : CBaseRfc(pConnection, _T("GET_MEM_ALL"))
{
    SetDefaults(*this, kImports);
}

void CGetMemAll::SetImportParameters()
{
    SetStrings(GetFunctionHandle(), *this, kImports);
}

void CGetMemAll::GetExportParameters()
{
    m_status.Read(*this, _T("F_MEM_ALL_READ"), FALSE);
}

void CGetMemAll::OnTableRow(LPCTSTR lpszTable, unsigned nRow)
{
    ReadTableRow(*this, lpszTable, nRow, kTables);
}
