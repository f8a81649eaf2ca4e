#include <rfc/GetDiskSingle.h>

IMPLEMENT_DYNAMIC(CGetDiskSingle, CBaseRfc)

namespace
{
const RfcText<CGetDiskSingle> kImports[] = {
    RFC_IMPORT(CGetDiskSingle, LOCAL_REMOTE, "LOCAL"),
    RFC_IMPORT(CGetDiskSingle, LOGICAL_DESTINATION, " "),
};
const RfcText<CGetDiskSingle> kTfDiskSingleColumns[] = {
    RFC_TEXT(CGetDiskSingle, TYPE),     RFC_TEXT(CGetDiskSingle, SUBTYPE),    RFC_TEXT(CGetDiskSingle, SERIALNR),
    RFC_TEXT(CGetDiskSingle, DISKNAME), RFC_TEXT(CGetDiskSingle, UTIL),       RFC_TEXT(CGetDiskSingle, AVG_QUEUEL),
    RFC_TEXT(CGetDiskSingle, AVG_WAIT), RFC_TEXT(CGetDiskSingle, AVG_SERVIC), RFC_TEXT(CGetDiskSingle, KB_SEC),
    RFC_TEXT(CGetDiskSingle, OP_SEC),   RFC_TEXT(CGetDiskSingle, RESPONSE),
};
const RfcTextGroup<CGetDiskSingle> kTables[] = {
    {_T("TF_DISK_SINGLE"), kTfDiskSingleColumns},
};
} // namespace

CGetDiskSingle::CGetDiskSingle(CRfcConnection* pConnection) : CBaseRfc(pConnection, _T("GET_DISK_SINGLE"))
{
    SetDefaults(*this, kImports);
}

void CGetDiskSingle::SetImportParameters()
{
    SetStrings(GetFunctionHandle(), *this, kImports);
}

void CGetDiskSingle::GetExportParameters()
{
    m_status.Read(*this, _T("F_DISK_SINGLE_READ"), FALSE);
}

void CGetDiskSingle::OnTableRow(LPCTSTR lpszTable, unsigned nRow)
{
    ReadTableRow(*this, lpszTable, nRow, kTables);
}
