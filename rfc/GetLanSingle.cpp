#include <rfc/GetLanSingle.h>

IMPLEMENT_DYNAMIC(CGetLanSingle, CBaseRfc)

namespace
{
const RfcText<CGetLanSingle> kImports[] = {
    RFC_IMPORT(CGetLanSingle, LOCAL_REMOTE, "LOCAL"),
    RFC_IMPORT(CGetLanSingle, LOGICAL_DESTINATION, " "),
};
const RfcText<CGetLanSingle> kTfLanSingleColumns[] = {
    RFC_TEXT(CGetLanSingle, TYPE),      RFC_TEXT(CGetLanSingle, SUBTYPE),    RFC_TEXT(CGetLanSingle, SERIALNR),
    RFC_TEXT(CGetLanSingle, LANNAME),   RFC_TEXT(CGetLanSingle, IN_PACKETS), RFC_TEXT(CGetLanSingle, OUT_PACKET),
    RFC_TEXT(CGetLanSingle, IN_ERRORS), RFC_TEXT(CGetLanSingle, OUT_ERRORS), RFC_TEXT(CGetLanSingle, COLLISIONS),
    RFC_TEXT(CGetLanSingle, PACKETS),
};
const RfcTextGroup<CGetLanSingle> kTables[] = {
    {_T("TF_LAN_SINGLE"), kTfLanSingleColumns},
};
} // namespace

CGetLanSingle::CGetLanSingle(CRfcConnection* pConnection) : CBaseRfc(pConnection, _T("GET_LAN_SINGLE"))
{
    SetDefaults(*this, kImports);
}

void CGetLanSingle::SetImportParameters()
{
    SetStrings(GetFunctionHandle(), *this, kImports);
}

void CGetLanSingle::GetExportParameters()
{
    m_status.Read(*this, _T("F_LAN_SINGLE_READ"), FALSE);
}

void CGetLanSingle::OnTableRow(LPCTSTR lpszTable, unsigned nRow)
{
    ReadTableRow(*this, lpszTable, nRow, kTables);
}
