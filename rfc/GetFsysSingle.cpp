#include <rfc/GetFsysSingle.h>

IMPLEMENT_DYNAMIC(CGetFsysSingle, CBaseRfc)

namespace
{
const RfcText<CGetFsysSingle> kImports[] = {
    RFC_IMPORT(CGetFsysSingle, LOCAL_REMOTE, "LOCAL"),
    RFC_IMPORT(CGetFsysSingle, LOGICAL_DESTINATION, " "),
};
const RfcText<CGetFsysSingle> kTfFsysSingleColumns[] = {
    RFC_TEXT(CGetFsysSingle, TYPE),     RFC_TEXT(CGetFsysSingle, SUBTYPE),  RFC_TEXT(CGetFsysSingle, SERIALNR),
    RFC_TEXT(CGetFsysSingle, FSYSNAME), RFC_TEXT(CGetFsysSingle, CAPACITY), RFC_TEXT(CGetFsysSingle, FREE),
};
const RfcTextGroup<CGetFsysSingle> kTables[] = {
    {_T("TF_FSYS_SINGLE"), kTfFsysSingleColumns},
};
} // namespace

CGetFsysSingle::CGetFsysSingle(CRfcConnection* pConnection) : CBaseRfc(pConnection, _T("GET_FSYS_SINGLE"))
{
    SetDefaults(*this, kImports);
}

void CGetFsysSingle::SetImportParameters()
{
    SetStrings(GetFunctionHandle(), *this, kImports);
}

void CGetFsysSingle::GetExportParameters()
{
    m_status.Read(*this, _T("F_FSYS_SINGLE_READ"), FALSE);
}

void CGetFsysSingle::OnTableRow(LPCTSTR lpszTable, unsigned nRow)
{
    ReadTableRow(*this, lpszTable, nRow, kTables);
}
