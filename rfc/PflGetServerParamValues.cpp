#include <rfc/PflGetServerParamValues.h>

IMPLEMENT_DYNAMIC(CPflGetServerParamValues, CBaseRfc)

namespace
{
const RfcText<CPflGetServerParamValues> kParamColumns[] = {
    RFC_TEXT(CPflGetServerParamValues, STATUS),
    RFC_TEXT(CPflGetServerParamValues, PARAM_NAME),
    RFC_TEXT(CPflGetServerParamValues, USER_VALUE),
    RFC_TEXT(CPflGetServerParamValues, DFL_VALUE),
};
const RfcTextGroup<CPflGetServerParamValues> kTables[] = {
    {_T("SUBST_SRV_PARAM_TBL"), kParamColumns},
    {_T("USUBST_SRV_PARAM_TBL"), kParamColumns},
};
} // namespace

CPflGetServerParamValues::CPflGetServerParamValues(CRfcConnection* pConnection)
    : CBaseRfc(pConnection, _T("PFL_GET_SERVER_PARAM_VALUES"))
{
}

void CPflGetServerParamValues::OnTableRow(LPCTSTR lpszTable, unsigned nRow)
{
    ReadTableRow(*this, lpszTable, nRow, kTables);
}
