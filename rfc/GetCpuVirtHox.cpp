#include <rfc/GetCpuVirtHox.h>

IMPLEMENT_DYNAMIC(CGetCpuVirtHox, CBaseRfc)

namespace
{
const RfcText<CGetCpuVirtHox> kImports[] = {
    RFC_IMPORT(CGetCpuVirtHox, LOCAL_REMOTE, "LOCAL"),
    RFC_IMPORT(CGetCpuVirtHox, LOGICAL_DESTINATION, " "),
};
const RfcText<CGetCpuVirtHox> kTfCpuVirtHoxColumns[] = {
    RFC_TEXT(CGetCpuVirtHox, TYPE),
    RFC_TEXT(CGetCpuVirtHox, SUBTYPE),
    RFC_TEXT(CGetCpuVirtHox, SERIALNR),
    RFC_TEXT(CGetCpuVirtHox, PARTITION_NAME),
    RFC_TEXT(CGetCpuVirtHox, PARTITION_ID),
    RFC_TEXT(CGetCpuVirtHox, PARTITION_TYPE),
    RFC_TEXT(CGetCpuVirtHox, POOL_CPU),
    RFC_TEXT(CGetCpuVirtHox, VIRTUAL_CPU),
    RFC_TEXT(CGetCpuVirtHox, PART_CONFIG),
    RFC_TEXT(CGetCpuVirtHox, THREADS),
    RFC_TEXT(CGetCpuVirtHox, PHYS_CPU_CONSUMP),
    RFC_TEXT(CGetCpuVirtHox, PHYS_CPU_IDLE),
    RFC_TEXT(CGetCpuVirtHox, ENTITLEMENT),
    RFC_TEXT(CGetCpuVirtHox, ENTITLEMENT_CONSUMP),
    RFC_TEXT(CGetCpuVirtHox, AVAILABLE),
    RFC_TEXT(CGetCpuVirtHox, AVAILABLE_CONSUMP),
    RFC_TEXT(CGetCpuVirtHox, MODELNAME),
    RFC_TEXT(CGetCpuVirtHox, PROCESSOR),
    RFC_TEXT(CGetCpuVirtHox, FREQUENCY),
};
const RfcTextGroup<CGetCpuVirtHox> kTables[] = {
    {_T("TF_CPU_VIRT_HOX"), kTfCpuVirtHoxColumns},
};
} // namespace

CGetCpuVirtHox::CGetCpuVirtHox(CRfcConnection* pConnection) : CBaseRfc(pConnection, _T("GET_CPU_VIRT_HOX"))
{
    SetDefaults(*this, kImports);
}

void CGetCpuVirtHox::SetImportParameters()
{
    SetStrings(GetFunctionHandle(), *this, kImports);
}

void CGetCpuVirtHox::GetExportParameters()
{
    m_status.Read(*this, _T("F_CPU_VIRT_HOX_READ"), TRUE);
}

void CGetCpuVirtHox::OnTableRow(LPCTSTR lpszTable, unsigned nRow)
{
    ReadTableRow(*this, lpszTable, nRow, kTables);
}
