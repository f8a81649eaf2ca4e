#include <rfc/AuthorityCheck.h>

IMPLEMENT_DYNAMIC(CAuthorityCheck, CBaseRfc)

namespace
{
const RfcText<CAuthorityCheck> kImports[] = {
    RFC_IMPORT(CAuthorityCheck, NEW_BUFFERING, "3"), RFC_IMPORT(CAuthorityCheck, USER, " "),
    RFC_IMPORT(CAuthorityCheck, OBJECT, " "),        RFC_IMPORT(CAuthorityCheck, FIELD1, " "),
    RFC_IMPORT(CAuthorityCheck, VALUE1, " "),        RFC_IMPORT(CAuthorityCheck, FIELD2, " "),
    RFC_IMPORT(CAuthorityCheck, VALUE2, " "),        RFC_IMPORT(CAuthorityCheck, FIELD3, " "),
    RFC_IMPORT(CAuthorityCheck, VALUE3, " "),        RFC_IMPORT(CAuthorityCheck, FIELD4, " "),
    RFC_IMPORT(CAuthorityCheck, VALUE4, " "),        RFC_IMPORT(CAuthorityCheck, FIELD5, " "),
    RFC_IMPORT(CAuthorityCheck, VALUE5, " "),        RFC_IMPORT(CAuthorityCheck, FIELD6, " "),
    RFC_IMPORT(CAuthorityCheck, VALUE6, " "),        RFC_IMPORT(CAuthorityCheck, FIELD7, " "),
    RFC_IMPORT(CAuthorityCheck, VALUE7, " "),        RFC_IMPORT(CAuthorityCheck, FIELD8, " "),
    RFC_IMPORT(CAuthorityCheck, VALUE8, " "),        RFC_IMPORT(CAuthorityCheck, FIELD9, " "),
    RFC_IMPORT(CAuthorityCheck, VALUE9, " "),        RFC_IMPORT(CAuthorityCheck, FIELD10, " "),
    RFC_IMPORT(CAuthorityCheck, VALUE10, " "),
};
} // namespace

CAuthorityCheck::CAuthorityCheck(CRfcConnection* pConnection) : CBaseRfc(pConnection, _T("AUTHORITY_CHECK"))
{
    SetDefaults(*this, kImports);
}

void CAuthorityCheck::SetImportParameters()
{
    SetStrings(GetFunctionHandle(), *this, kImports);
}
