#include <rfc/GetKEMRASpagAll.h>

IMPLEMENT_DYNAMIC(CGetKEMRASpagAll, CBaseRfc)

namespace
{
const RfcText<CGetKEMRASpagAll> kImports[] = {
    RFC_IMPORT(CGetKEMRASpagAll, LOCAL_REMOTE, "LOCAL"),
    RFC_IMPORT(CGetKEMRASpagAll, LOGICAL_DESTINATION, " "),
    RFC_IMPORT(CGetKEMRASpagAll, SYSTEM_ID, "0"),
};
const RfcText<CGetKEMRASpagAll> kTfSpagAllColumns[] = {
    RFC_TEXT(CGetKEMRASpagAll, TYPE),         RFC_TEXT(CGetKEMRASpagAll, SUBTYPE),
    RFC_TEXT(CGetKEMRASpagAll, SERIALNR),     RFC_TEXT(CGetKEMRASpagAll, INTRVALSEC),
    RFC_TEXT(CGetKEMRASpagAll, AVGPROCUTL),   RFC_TEXT(CGetKEMRASpagAll, AVGSYSPGRT),
    RFC_TEXT(CGetKEMRASpagAll, AVGKEMRACUTL), RFC_TEXT(CGetKEMRASpagAll, PG_IN),
    RFC_TEXT(CGetKEMRASpagAll, PG_OUT),       RFC_TEXT(CGetKEMRASpagAll, PG_IN_PRV),
    RFC_TEXT(CGetKEMRASpagAll, PG_OT_PRV),    RFC_TEXT(CGetKEMRASpagAll, PG_TO_EXST),
    RFC_TEXT(CGetKEMRASpagAll, PG_FR_EXST),   RFC_TEXT(CGetKEMRASpagAll, PG_IN_BLCK),
    RFC_TEXT(CGetKEMRASpagAll, PG_IN_BNUM),
};
const RfcTextGroup<CGetKEMRASpagAll> kTables[] = {
    {_T("TF_SPAG_ALL"), kTfSpagAllColumns},
};
} // namespace

CGetKEMRASpagAll::CGetKEMRASpagAll(CRfcConnection* pConnection) : CBaseRfc(pConnection, _T("GET_KEMRA_SPAG_ALL"))
{
    SetDefaults(*this, kImports);
}

void CGetKEMRASpagAll::SetImportParameters()
{
    SetStrings(GetFunctionHandle(), *this, kImports);
}

void CGetKEMRASpagAll::GetExportParameters()
{
    m_status.Read(*this, _T("F_SPAG_ALL_READ"), TRUE);
}

void CGetKEMRASpagAll::OnTableRow(LPCTSTR lpszTable, unsigned nRow)
{
    ReadTableRow(*this, lpszTable, nRow, kTables);
}
