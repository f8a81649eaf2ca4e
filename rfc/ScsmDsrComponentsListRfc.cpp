#include <rfc/ScsmDsrComponentsListRfc.h>

IMPLEMENT_DYNAMIC(CScsmDsrComponentsListRfc, CBaseRfc)

namespace
{
const RfcText<CScsmDsrComponentsListRfc> kImports[] = {
    RFC_IMPORT(CScsmDsrComponentsListRfc, RESTRICT_TO_MON_SYSTEM, ""),
    RFC_IMPORT(CScsmDsrComponentsListRfc, RESTRICT_TO_MON_AGENT, ""),
    RFC_IMPORT(CScsmDsrComponentsListRfc, RESTRICT_TO_COMPONENT_TYPE, ""),
};
const RfcText<CScsmDsrComponentsListRfc> kComponentColumns[] = {
    RFC_TEXT(CScsmDsrComponentsListRfc, COMPNAME),
    RFC_TEXT(CScsmDsrComponentsListRfc, COMPCLASS),
    RFC_TEXT(CScsmDsrComponentsListRfc, COMPGUID),
};
const RfcTextGroup<CScsmDsrComponentsListRfc> kTables[] = {
    {_T("DSR_COMPONENTS"), kComponentColumns},
};
} // namespace

CScsmDsrComponentsListRfc::CScsmDsrComponentsListRfc(CRfcConnection* pConnection)
    : CBaseRfc(pConnection, _T("SCSM_DSR_COMPONENTS_LIST_RFC"))
{
    SetDefaults(*this, kImports);
}

void CScsmDsrComponentsListRfc::SetImportParameters()
{
    SetStrings(GetFunctionHandle(), *this, kImports);
}

void CScsmDsrComponentsListRfc::OnTableRow(LPCTSTR lpszTable, unsigned nRow)
{
    ReadTableRow(*this, lpszTable, nRow, kTables);
}
