#include <rfc/GetKEMRAStorAll.h>

IMPLEMENT_DYNAMIC(CGetKEMRAStorAll, CBaseRfc)

namespace
{
const RfcText<CGetKEMRAStorAll> kImports[] = {
    RFC_IMPORT(CGetKEMRAStorAll, LOCAL_REMOTE, "LOCAL"),
    RFC_IMPORT(CGetKEMRAStorAll, LOGICAL_DESTINATION, " "),
    RFC_IMPORT(CGetKEMRAStorAll, SYSTEM_ID, "0"),
};
const RfcText<CGetKEMRAStorAll> kTfStorAllColumns[] = {
    RFC_TEXT(CGetKEMRAStorAll, TYPE),       RFC_TEXT(CGetKEMRAStorAll, SUBTYPE),
    RFC_TEXT(CGetKEMRAStorAll, SERIALNR),   RFC_TEXT(CGetKEMRAStorAll, INTRVALSEC),
    RFC_TEXT(CGetKEMRAStorAll, HIGH_UIC_C), RFC_TEXT(CGetKEMRAStorAll, X_MIG_AGE),
    RFC_TEXT(CGetKEMRAStorAll, C_FRM_AVAL), RFC_TEXT(CGetKEMRAStorAll, X_FRM_AVAL),
};
const RfcTextGroup<CGetKEMRAStorAll> kTables[] = {
    {_T("TF_STOR_ALL"), kTfStorAllColumns},
};
} // namespace

CGetKEMRAStorAll::CGetKEMRAStorAll(CRfcConnection* pConnection) : CBaseRfc(pConnection, _T("GET_KEMRA_STOR_ALL"))
{
    SetDefaults(*this, kImports);
}

void CGetKEMRAStorAll::SetImportParameters()
{
    SetStrings(GetFunctionHandle(), *this, kImports);
}

void CGetKEMRAStorAll::GetExportParameters()
{
    m_status.Read(*this, _T("F_STOR_ALL_READ"), TRUE);
}

void CGetKEMRAStorAll::OnTableRow(LPCTSTR lpszTable, unsigned nRow)
{
    ReadTableRow(*this, lpszTable, nRow, kTables);
}
