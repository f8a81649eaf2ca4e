#include <rfc/RfcSystemInfo.h>

IMPLEMENT_DYNAMIC(CRfcSystemInfo, CBaseRfc)

namespace
{
const RfcText<CRfcSystemInfo> kParameters[] = {
    RFC_TEXT(CRfcSystemInfo, CURRENT_RESOURCES),
    RFC_TEXT(CRfcSystemInfo, MAXIMAL_RESOURCES),
    RFC_TEXT(CRfcSystemInfo, RECOMMENDED_DELAY),
};
const RfcText<CRfcSystemInfo> kRfcsiExport[] = {
    RFC_TEXT(CRfcSystemInfo, RFCPROTO),   RFC_TEXT(CRfcSystemInfo, RFCCHARTYP),  RFC_TEXT(CRfcSystemInfo, RFCINTTYP),
    RFC_TEXT(CRfcSystemInfo, RFCFLOTYP),  RFC_TEXT(CRfcSystemInfo, RFCDEST),     RFC_TEXT(CRfcSystemInfo, RFCHOST),
    RFC_TEXT(CRfcSystemInfo, RFCSYSID),   RFC_TEXT(CRfcSystemInfo, RFCDATABS),   RFC_TEXT(CRfcSystemInfo, RFCDBHOST),
    RFC_TEXT(CRfcSystemInfo, RFCDBSYS),   RFC_TEXT(CRfcSystemInfo, RFCSAPRL),    RFC_TEXT(CRfcSystemInfo, RFCMACH),
    RFC_TEXT(CRfcSystemInfo, RFCOPSYS),   RFC_TEXT(CRfcSystemInfo, RFCTZONE),    RFC_TEXT(CRfcSystemInfo, RFCDAYST),
    RFC_TEXT(CRfcSystemInfo, RFCIPADDR),  RFC_TEXT(CRfcSystemInfo, RFCKERNRL),   RFC_TEXT(CRfcSystemInfo, RFCHOST2),
    RFC_TEXT(CRfcSystemInfo, RFCSI_RESV), RFC_TEXT(CRfcSystemInfo, RFCIPV6ADDR),
};
const RfcTextGroup<CRfcSystemInfo> kExports[] = {
    {nullptr, kParameters},
    {_T("RFCSI_EXPORT"), kRfcsiExport},
};
} // namespace

CRfcSystemInfo::CRfcSystemInfo(CRfcConnection* pConnection) : CBaseRfc(pConnection, _T("RFC_SYSTEM_INFO"))
{
}

void CRfcSystemInfo::GetExportParameters()
{
    GetExports(*this, kExports);
}
