#include <rfc/GetParameter.h>

IMPLEMENT_DYNAMIC(CGetParameter, CBaseRfc)

namespace
{
const RfcText<CGetParameter> kImports[] = {
    RFC_IMPORT(CGetParameter, LOCAL_REMOTE, "LOCAL"),
    RFC_IMPORT(CGetParameter, LOGICAL_DESTINATION, " "),
};
const RfcText<CGetParameter> kParameters[] = {
    RFC_TEXT(CGetParameter, FP_RECCOUNT),    RFC_TEXT(CGetParameter, FP_MAXRECORDS),
    RFC_TEXT(CGetParameter, FP_RECORDSIZE),  RFC_TEXT(CGetParameter, FP_ACTIVEFLAG),
    RFC_TEXT(CGetParameter, FP_INTERVAL),    RFC_TEXT(CGetParameter, FP_COLLVERSION),
    RFC_TEXT(CGetParameter, FP_COLLSINCE),   RFC_TEXT(CGetParameter, FP_OPSYSTEM),
    RFC_TEXT(CGetParameter, FP_DETAILSCOLL), RFC_TEXT(CGetParameter, FP_DETAILSREQI),
    RFC_TEXT(CGetParameter, FP_DETAILSMODE), RFC_TEXT(CGetParameter, FP_LASTCOLLWRT),
    RFC_TEXT(CGetParameter, FP_LASTCOLLINT), RFC_TEXT(CGetParameter, FP_NORMCOLLINT),
    RFC_TEXT(CGetParameter, FP_TRACELEVEL),  RFC_TEXT(CGetParameter, FP_IDLEINTERVAL),
    RFC_TEXT(CGetParameter, FP_IDLEAFTER),
};
const RfcTextGroup<CGetParameter> kExports[] = {
    {nullptr, kParameters},
};
} // namespace

CGetParameter::CGetParameter(CRfcConnection* pConnection) : CBaseRfc(pConnection, _T("GET_PARAMETER"))
{
    SetDefaults(*this, kImports);
}

void CGetParameter::SetImportParameters()
{
    SetStrings(GetFunctionHandle(), *this, kImports);
}

void CGetParameter::GetExportParameters()
{
    GetExports(*this, kExports);
}
