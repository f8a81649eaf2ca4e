#include <rfc/DB4St04Overview.h>

IMPLEMENT_DYNAMIC(CDB4St04Overview, CBaseRfc)

namespace
{
const RfcText<CDB4St04Overview> kImports[] = {
    RFC_IMPORT(CDB4St04Overview, RESETFLAG, " "),
    RFC_IMPORT(CDB4St04Overview, DBHOST, ""),
    RFC_IMPORT(CDB4St04Overview, SCHEMANAME, ""),
    RFC_IMPORT(CDB4St04Overview, SYSTEM_ID, ""),
};
const RfcText<CDB4St04Overview> kExports[] = {
    RFC_TEXT(CDB4St04Overview, DATE),
    RFC_TEXT(CDB4St04Overview, TIME),
    RFC_TEXT(CDB4St04Overview, WAIT_STATS_DATE),
    RFC_TEXT(CDB4St04Overview, WAIT_STATS_TIME),
    RFC_TEXT(CDB4St04Overview, WAIT_STAT_SUBRC),
};
const RfcText<CDB4St04Overview> kDbStats[] = {
    RFC_TEXT(CDB4St04Overview, QQDMPTIME),  RFC_TEXT(CDB4St04Overview, QQSUMCNT),
    RFC_TEXT(CDB4St04Overview, QQCOMCNT),   RFC_TEXT(CDB4St04Overview, QQRBKCNT),
    RFC_TEXT(CDB4St04Overview, QQSELCNT),   RFC_TEXT(CDB4St04Overview, QQINSCNT),
    RFC_TEXT(CDB4St04Overview, QQUPDCNT),   RFC_TEXT(CDB4St04Overview, QQDELCNT),
    RFC_TEXT(CDB4St04Overview, QQDDLCNT),   RFC_TEXT(CDB4St04Overview, QQOTHCNT),
    RFC_TEXT(CDB4St04Overview, QQTSCCNT),   RFC_TEXT(CDB4St04Overview, QQTSCTOTR),
    RFC_TEXT(CDB4St04Overview, QQTSCTTIME), RFC_TEXT(CDB4St04Overview, QQSRTCNT),
    RFC_TEXT(CDB4St04Overview, QQSRTTOTR),  RFC_TEXT(CDB4St04Overview, QQSRTTTIME),
    RFC_TEXT(CDB4St04Overview, QQIDCCNT),   RFC_TEXT(CDB4St04Overview, QQIDCTTIME),
    RFC_TEXT(CDB4St04Overview, QQTMFCNT),   RFC_TEXT(CDB4St04Overview, QQTMFTTIME),
    RFC_TEXT(CDB4St04Overview, QQIDACNT),   RFC_TEXT(CDB4St04Overview, QQIDATBCNT),
    RFC_TEXT(CDB4St04Overview, QQIDAQRYCT), RFC_TEXT(CDB4St04Overview, QQODFTIME),
    RFC_TEXT(CDB4St04Overview, QQTOTAVGT),  RFC_TEXT(CDB4St04Overview, QQTOTTIME),
    RFC_TEXT(CDB4St04Overview, PHYSREAD),   RFC_TEXT(CDB4St04Overview, LOGICREAD),
    RFC_TEXT(CDB4St04Overview, QUALITY),    RFC_TEXT(CDB4St04Overview, READPCALL),
    RFC_TEXT(CDB4St04Overview, TIMEPCALL),
};
const RfcTextGroup<CDB4St04Overview> kExportGroups[] = {
    {nullptr, kExports},
    {_T("DB_STATS"), kDbStats},
};
} // namespace

CDB4St04Overview::CDB4St04Overview(CRfcConnection* pConnection) : CBaseRfc(pConnection, _T("DB4_ST04_OVERVIEW"))
{
    SetDefaults(*this, kImports);
}

void CDB4St04Overview::SetImportParameters()
{
    SetStrings(GetFunctionHandle(), *this, kImports);
}

void CDB4St04Overview::GetExportParameters()
{
    GetExports(*this, kExportGroups);
}
