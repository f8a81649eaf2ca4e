#include <rfc/GetDB4DbSize.h>

IMPLEMENT_DYNAMIC(CGetDB4DbSize, CBaseRfc)

namespace
{
const RfcText<CGetDB4DbSize> kDb4Dbsize[] = {
    RFC_TEXT(CGetDB4DbSize, TAB_SIZE),
    RFC_TEXT(CGetDB4DbSize, CST_SIZE),
    RFC_TEXT(CGetDB4DbSize, IDX_SIZE),
    RFC_TEXT(CGetDB4DbSize, DB_SIZE),
};
const RfcTextGroup<CGetDB4DbSize> kExportGroups[] = {
    {_T("DB4_DBSIZE"), kDb4Dbsize},
};
} // namespace

CGetDB4DbSize::CGetDB4DbSize(CRfcConnection* pConnection) : CBaseRfc(pConnection, _T("GET_DB4_DBSIZE"))
{
}

void CGetDB4DbSize::GetExportParameters()
{
    GetExports(*this, kExportGroups);
}
