#include <rfc/GetCpuAll.h>

IMPLEMENT_DYNAMIC(CGetCpuAll, CBaseRfc)

namespace
{
const RfcText<CGetCpuAll> kImports[] = {
    RFC_IMPORT(CGetCpuAll, LOCAL_REMOTE, "LOCAL"),
    RFC_IMPORT(CGetCpuAll, LOGICAL_DESTINATION, " "),
};
const RfcText<CGetCpuAll> kTfCpuAllColumns[] = {
    RFC_TEXT(CGetCpuAll, TYPE),       RFC_TEXT(CGetCpuAll, SUBTYPE),   RFC_TEXT(CGetCpuAll, SERIALNR),
    RFC_TEXT(CGetCpuAll, NBR_CPU),    RFC_TEXT(CGetCpuAll, LOAD1_AVG), RFC_TEXT(CGetCpuAll, LOAD5_AVG),
    RFC_TEXT(CGetCpuAll, LOAD15_AVG), RFC_TEXT(CGetCpuAll, INT_SEC),   RFC_TEXT(CGetCpuAll, SYSC_SEC),
    RFC_TEXT(CGetCpuAll, CS_SEC),     RFC_TEXT(CGetCpuAll, USR_TOTAL), RFC_TEXT(CGetCpuAll, SYS_TOTAL),
    RFC_TEXT(CGetCpuAll, IDLE_TOTAL), RFC_TEXT(CGetCpuAll, IDLE_TRUE), RFC_TEXT(CGetCpuAll, WAIT_TRUE),
};
const RfcTextGroup<CGetCpuAll> kTables[] = {
    {_T("TF_CPU_ALL"), kTfCpuAllColumns},
};
} // namespace

CGetCpuAll::CGetCpuAll(CRfcConnection* pConnection) : CBaseRfc(pConnection, _T("GET_CPU_ALL"))
{
    SetDefaults(*this, kImports);
}

void CGetCpuAll::SetImportParameters()
{
    SetStrings(GetFunctionHandle(), *this, kImports);
}

void CGetCpuAll::GetExportParameters()
{
    m_status.Read(*this, _T("F_CPU_ALL_READ"), TRUE);
}

void CGetCpuAll::OnTableRow(LPCTSTR lpszTable, unsigned nRow)
{
    ReadTableRow(*this, lpszTable, nRow, kTables);
}
