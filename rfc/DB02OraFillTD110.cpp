#include <rfc/DB02OraFillTD110.h>

IMPLEMENT_DYNAMIC(CDB02OraFillTD110, CBaseRfc)

namespace
{
const RfcText<CDB02OraFillTD110> kImports[] = {
    RFC_IMPORT(CDB02OraFillTD110, FLAG_REFRESH, " "),
};
const RfcText<CDB02OraFillTD110> kTd110[] = {
    RFC_TEXT(CDB02OraFillTD110, DBSYS), RFC_TEXT(CDB02OraFillTD110, DATUM), RFC_TEXT(CDB02OraFillTD110, UZEIT),
    RFC_TEXT(CDB02OraFillTD110, SYSID), RFC_TEXT(CDB02OraFillTD110, TSNO),  RFC_TEXT(CDB02OraFillTD110, TSSI),
    RFC_TEXT(CDB02OraFillTD110, TSFR),  RFC_TEXT(CDB02OraFillTD110, TSFRP), RFC_TEXT(CDB02OraFillTD110, TSMF),
    RFC_TEXT(CDB02OraFillTD110, TSUS),  RFC_TEXT(CDB02OraFillTD110, TANO),  RFC_TEXT(CDB02OraFillTD110, TINO),
    RFC_TEXT(CDB02OraFillTD110, TA1E),  RFC_TEXT(CDB02OraFillTD110, TI1E),  RFC_TEXT(CDB02OraFillTD110, TASI),
    RFC_TEXT(CDB02OraFillTD110, TISI),  RFC_TEXT(CDB02OraFillTD110, TACI),  RFC_TEXT(CDB02OraFillTD110, TICI),
    RFC_TEXT(CDB02OraFillTD110, TAOI),  RFC_TEXT(CDB02OraFillTD110, TIOI),  RFC_TEXT(CDB02OraFillTD110, TAVI),
    RFC_TEXT(CDB02OraFillTD110, TIVI),  RFC_TEXT(CDB02OraFillTD110, TSAU),
};
const RfcTextGroup<CDB02OraFillTD110> kExports[] = {
    {_T("TD110"), kTd110},
};
} // namespace

CDB02OraFillTD110::CDB02OraFillTD110(CRfcConnection* pConnection) : CBaseRfc(pConnection, _T("DB02_ORA_FILL_TD110"))
{
    SetDefaults(*this, kImports);
}

void CDB02OraFillTD110::SetImportParameters()
{
    SetStrings(GetFunctionHandle(), *this, kImports);
}

void CDB02OraFillTD110::GetExportParameters()
{
    GetExports(*this, kExports);
}
