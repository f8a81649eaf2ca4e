#include <rfc/CollectorStatus.h>

#include <rfc/BaseRfc.h>

namespace
{
const RfcText<CCollectorStatus> kBeforeOpSystem[] = {
    RFC_TEXT(CCollectorStatus, ACTIVEFLAG),
    RFC_TEXT(CCollectorStatus, INTERVAL),
};
const RfcText<CCollectorStatus> kAfterOpSystem[] = {
    RFC_TEXT(CCollectorStatus, DETAILSCOLL), RFC_TEXT(CCollectorStatus, DETAILSREQI),
    RFC_TEXT(CCollectorStatus, DETAILSMODE), RFC_TEXT(CCollectorStatus, LASTCOLLWRT),
    RFC_TEXT(CCollectorStatus, LASTCOLLINT), RFC_TEXT(CCollectorStatus, NORMCOLLINT),
};
} // namespace

void CCollectorStatus::Read(CBaseRfc& rfc, LPCTSTR lpszReadFlag, BOOL bWithOpSystem)
{
    RFC_FUNCTION_HANDLE hFunction = rfc.GetFunctionHandle();
    rfc.GetString(hFunction, lpszReadFlag, READ);
    rfc.GetStrings(hFunction, *this, kBeforeOpSystem);
    if (bWithOpSystem)
        rfc.GetString(hFunction, _T("OP_SYSTEM"), OP_SYSTEM);
    rfc.GetStrings(hFunction, *this, kAfterOpSystem);
}
