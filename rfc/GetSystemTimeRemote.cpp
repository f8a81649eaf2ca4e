#include <rfc/GetSystemTimeRemote.h>

IMPLEMENT_DYNAMIC(CGetSystemTimeRemote, CBaseRfc)

namespace
{
const RfcText<CGetSystemTimeRemote> kParameters[] = {
    RFC_TEXT(CGetSystemTimeRemote, K_DATE),
    RFC_TEXT(CGetSystemTimeRemote, K_TIME),
    RFC_TEXT(CGetSystemTimeRemote, L_DATE),
    RFC_TEXT(CGetSystemTimeRemote, L_TIME),
};
const RfcTextGroup<CGetSystemTimeRemote> kExports[] = {
    {nullptr, kParameters},
};
} // namespace

CGetSystemTimeRemote::CGetSystemTimeRemote(CRfcConnection* pConnection)
    : CBaseRfc(pConnection, _T("GET_SYSTEM_TIME_REMOTE"))
{
}

void CGetSystemTimeRemote::GetExportParameters()
{
    GetExports(*this, kExports);
}
