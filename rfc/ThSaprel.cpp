#include <rfc/ThSaprel.h>

IMPLEMENT_DYNAMIC(CThSaprel, CBaseRfc)

namespace
{
const RfcText<CThSaprel> kImports[] = {
    RFC_IMPORT(CThSaprel, DYNPRO, " "),
};
const RfcText<CThSaprel> kExports[] = {
    RFC_TEXT(CThSaprel, KERN_REL),       RFC_TEXT(CThSaprel, KERN_DBLIB),      RFC_TEXT(CThSaprel, KERN_COMP_ON),
    RFC_TEXT(CThSaprel, KERN_COMP_TIME), RFC_TEXT(CThSaprel, KERN_PATCHLEVEL),
};
const RfcTextGroup<CThSaprel> kExportGroups[] = {
    {nullptr, kExports},
};
const RfcText<CThSaprel> kLineColumns[] = {
    RFC_TEXT(CThSaprel, THLINE),
};
} // namespace

CThSaprel::CThSaprel(CRfcConnection* pConnection) : CBaseRfc(pConnection, _T("TH_SAPREL"))
{
    SetDefaults(*this, kImports);
}

void CThSaprel::SetImportParameters()
{
    SetStrings(GetFunctionHandle(), *this, kImports);
}

void CThSaprel::GetExportParameters()
{
    GetExports(*this, kExportGroups);
}

void CThSaprel::OnTableRow(LPCTSTR lpszTable, unsigned nRow)
{
    GetStrings(SetTableRow(lpszTable, nRow), *this, kLineColumns);
}
