#include <rfc/GetKEMRALparInfo.h>

IMPLEMENT_DYNAMIC(CGetKEMRALparInfo, CBaseRfc)

namespace
{
const RfcText<CGetKEMRALparInfo> kImports[] = {
    RFC_IMPORT(CGetKEMRALparInfo, LOCAL_REMOTE, "LOCAL"),
    RFC_IMPORT(CGetKEMRALparInfo, LOGICAL_DESTINATION, " "),
    RFC_IMPORT(CGetKEMRALparInfo, SYSTEM_ID, "0"),
};
const RfcText<CGetKEMRALparInfo> kParameters[] = {
    RFC_TEXT(CGetKEMRALparInfo, CPU_MODEL),
    RFC_TEXT(CGetKEMRALparInfo, NUM_OF_PROCESSORS),
    RFC_TEXT(CGetKEMRALparInfo, NUM_OF_LOG_PARTITIONS),
};
const RfcTextGroup<CGetKEMRALparInfo> kExports[] = {
    {nullptr, kParameters},
};
const RfcText<CGetKEMRALparInfo> kTfLparInfoColumns[] = {
    RFC_TEXT(CGetKEMRALparInfo, NAME),   RFC_TEXT(CGetKEMRALparInfo, ACTIVE),  RFC_TEXT(CGetKEMRALparInfo, CPUS),
    RFC_TEXT(CGetKEMRALparInfo, WEIGHT), RFC_TEXT(CGetKEMRALparInfo, CAPPING),
};
const RfcTextGroup<CGetKEMRALparInfo> kTables[] = {
    {_T("TF_LPAR_INFO"), kTfLparInfoColumns},
};
} // namespace

CGetKEMRALparInfo::CGetKEMRALparInfo(CRfcConnection* pConnection) : CBaseRfc(pConnection, _T("GET_KEMRA_LPAR_INFO"))
{
    SetDefaults(*this, kImports);
}

void CGetKEMRALparInfo::SetImportParameters()
{
    SetStrings(GetFunctionHandle(), *this, kImports);
}

void CGetKEMRALparInfo::GetExportParameters()
{
    GetExports(*this, kExports);
}

void CGetKEMRALparInfo::OnTableRow(LPCTSTR lpszTable, unsigned nRow)
{
    ReadTableRow(*this, lpszTable, nRow, kTables);
}
