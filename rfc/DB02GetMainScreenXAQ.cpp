#include <rfc/DB02GetMainScreenXAQ.h>

IMPLEMENT_DYNAMIC(CDB02GetMainScreenXAQ, CBaseRfc)

namespace
{
const RfcText<CDB02GetMainScreenXAQ> kEntryScreenData[] = {
    RFC_TEXT(CDB02GetMainScreenXAQ, DBSYS),      RFC_TEXT(CDB02GetMainScreenXAQ, SYSID),
    RFC_TEXT(CDB02GetMainScreenXAQ, REFRDATE),   RFC_TEXT(CDB02GetMainScreenXAQ, REFRTIME),
    RFC_TEXT(CDB02GetMainScreenXAQ, TSNUM),      RFC_TEXT(CDB02GetMainScreenXAQ, TSSIZE),
    RFC_TEXT(CDB02GetMainScreenXAQ, TSFREE),     RFC_TEXT(CDB02GetMainScreenXAQ, TSPCTUSED),
    RFC_TEXT(CDB02GetMainScreenXAQ, IXNUM),      RFC_TEXT(CDB02GetMainScreenXAQ, IXSIZE),
    RFC_TEXT(CDB02GetMainScreenXAQ, IXFREE),     RFC_TEXT(CDB02GetMainScreenXAQ, IXPCTUSED),
    RFC_TEXT(CDB02GetMainScreenXAQ, TBNUM),      RFC_TEXT(CDB02GetMainScreenXAQ, TBSIZE),
    RFC_TEXT(CDB02GetMainScreenXAQ, TBMISSDB),   RFC_TEXT(CDB02GetMainScreenXAQ, IXMISSDB),
    RFC_TEXT(CDB02GetMainScreenXAQ, TBMISSDDIC), RFC_TEXT(CDB02GetMainScreenXAQ, IXMISSDDIC),
    RFC_TEXT(CDB02GetMainScreenXAQ, MONI_VER),
};
const RfcTextGroup<CDB02GetMainScreenXAQ> kExportGroups[] = {
    {_T("ENTRY_SCREEN_DATA"), kEntryScreenData},
};
} // namespace

CDB02GetMainScreenXAQ::CDB02GetMainScreenXAQ(CRfcConnection* pConnection)
    : CBaseRfc(pConnection, _T("DB02_GET_MAIN_SCREEN_XAQ"))
{
}

void CDB02GetMainScreenXAQ::GetExportParameters()
{
    GetExports(*this, kExportGroups);
}
