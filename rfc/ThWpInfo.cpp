#include <rfc/ThWpInfo.h>

IMPLEMENT_DYNAMIC(CThWpInfo, CBaseRfc)

namespace
{
const RfcText<CThWpInfo> kImports[] = {
    RFC_IMPORT(CThWpInfo, SRVNAME, " "),
    RFC_IMPORT(CThWpInfo, WITH_CPU, "00"),
};
const RfcText<CThWpInfo> kWpListColumns[] = {
    RFC_TEXT(CThWpInfo, WP_NO),      RFC_TEXT(CThWpInfo, WP_ITYPE),   RFC_TEXT(CThWpInfo, WP_TYP),
    RFC_TEXT(CThWpInfo, WP_PID),     RFC_TEXT(CThWpInfo, WP_ISTATUS), RFC_TEXT(CThWpInfo, WP_STATUS),
    RFC_TEXT(CThWpInfo, WP_IWAIT),   RFC_TEXT(CThWpInfo, WP_WAITING), RFC_TEXT(CThWpInfo, WP_SEM),
    RFC_TEXT(CThWpInfo, WP_IRESTRT), RFC_TEXT(CThWpInfo, WP_RESTART), RFC_TEXT(CThWpInfo, WP_DUMPS),
    RFC_TEXT(CThWpInfo, WP_CPU),     RFC_TEXT(CThWpInfo, WP_ELTIME),  RFC_TEXT(CThWpInfo, WP_MANDT),
    RFC_TEXT(CThWpInfo, WP_BNAME),   RFC_TEXT(CThWpInfo, WP_REPORT),  RFC_TEXT(CThWpInfo, WP_IACTION),
    RFC_TEXT(CThWpInfo, WP_ACTION),  RFC_TEXT(CThWpInfo, WP_TABLE),   RFC_TEXT(CThWpInfo, WP_SERVER),
    RFC_TEXT(CThWpInfo, WP_WAITINF), RFC_TEXT(CThWpInfo, WP_WAITTIM), RFC_TEXT(CThWpInfo, WP_SEMSTAT),
    RFC_TEXT(CThWpInfo, WP_INDEX),
};
const RfcTextGroup<CThWpInfo> kTables[] = {
    {_T("WPLIST"), kWpListColumns},
};
} // namespace

CThWpInfo::CThWpInfo(CRfcConnection* pConnection) : CBaseRfc(pConnection, _T("TH_WPINFO"))
{
    SetDefaults(*this, kImports);
}

void CThWpInfo::SetImportParameters()
{
    SetStrings(GetFunctionHandle(), *this, kImports);
}

void CThWpInfo::OnTableRow(LPCTSTR lpszTable, unsigned nRow)
{
    ReadTableRow(*this, lpszTable, nRow, kTables);
}
