#include <rfc/ThEnvironment.h>

IMPLEMENT_DYNAMIC(CThEnvironment, CBaseRfc)

namespace
{
const RfcText<CThEnvironment> kEnvironmentColumns[] = {
    RFC_TEXT(CThEnvironment, LINE),
};
const RfcTextGroup<CThEnvironment> kTables[] = {
    {_T("ENVIRONMENT"), kEnvironmentColumns},
};
} // namespace

CThEnvironment::CThEnvironment(CRfcConnection* pConnection) : CBaseRfc(pConnection, _T("TH_ENVIRONMENT"))
{
}

void CThEnvironment::OnTableRow(LPCTSTR lpszTable, unsigned nRow)
{
    ReadTableRow(*this, lpszTable, nRow, kTables);
}
