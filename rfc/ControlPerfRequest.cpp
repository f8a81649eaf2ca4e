#include <rfc/ControlPerfRequest.h>

IMPLEMENT_DYNAMIC(CControlPerfRequest, CBaseRfc)

namespace
{
const RfcText<CControlPerfRequest> kImports[] = {
    RFC_IMPORT(CControlPerfRequest, LOCAL_REMOTE, "LOCAL"), RFC_IMPORT(CControlPerfRequest, LOGICAL_DESTINATION, " "),
    RFC_IMPORT(CControlPerfRequest, REQUEST_TYP, "0"),      RFC_IMPORT(CControlPerfRequest, REQUEST_ID, "0"),
    RFC_IMPORT(CControlPerfRequest, REQUEST_MODE, " "),     RFC_IMPORT(CControlPerfRequest, REQUEST_PARAM1, " "),
    RFC_IMPORT(CControlPerfRequest, REQUEST_PARAM2, " "),   RFC_IMPORT(CControlPerfRequest, REQUEST_PARAM3, " "),
};
const RfcText<CControlPerfRequest> kParameters[] = {
    RFC_TEXT(CControlPerfRequest, REQUEST_ID),     RFC_TEXT(CControlPerfRequest, REQUEST_RETURN_CODE),
    RFC_TEXT(CControlPerfRequest, REQUEST_PARAM1), RFC_TEXT(CControlPerfRequest, REQUEST_PARAM2),
    RFC_TEXT(CControlPerfRequest, REQUEST_PARAM3),
};
const RfcTextGroup<CControlPerfRequest> kExports[] = {
    {nullptr, kParameters},
};
} // namespace

CControlPerfRequest::CControlPerfRequest(CRfcConnection* pConnection)
    : CBaseRfc(pConnection, _T("CONTROL_PERF_REQUEST"))
{
    SetDefaults(*this, kImports);
}

void CControlPerfRequest::SetImportParameters()
{
    SetStrings(GetFunctionHandle(), *this, kImports);
}

void CControlPerfRequest::GetExportParameters()
{
    GetExports(*this, kExports);
}
