#include <rfc/DbOraMainList.h>

IMPLEMENT_DYNAMIC(CDbOraMainList, CBaseRfc)

namespace
{
const RfcText<CDbOraMainList> kRelease[] = {
    RFC_IMPORT(CDbOraMainList, R1, ""), RFC_IMPORT(CDbOraMainList, R2, ""), RFC_IMPORT(CDbOraMainList, R3, ""),
    RFC_IMPORT(CDbOraMainList, R4, ""), RFC_IMPORT(CDbOraMainList, R5, ""),
};
const RfcText<CDbOraMainList> kImports[] = {
    RFC_IMPORT(CDbOraMainList, ALL_INSTANCES, " "),
};
const RfcText<CDbOraMainList> kDbora[] = {
    RFC_TEXT(CDbOraMainList, DB_NAME),    RFC_TEXT(CDbOraMainList, DB_THREAD),  RFC_TEXT(CDbOraMainList, DB_INSTANC),
    RFC_TEXT(CDbOraMainList, DB_SERVER),  RFC_TEXT(CDbOraMainList, CURR_TIME),  RFC_TEXT(CDbOraMainList, CURR_DATE),
    RFC_TEXT(CDbOraMainList, DB_UP_TIME), RFC_TEXT(CDbOraMainList, DB_UP_DATE), RFC_TEXT(CDbOraMainList, THREAD_STA),
    RFC_TEXT(CDbOraMainList, SAPDBHOST),  RFC_TEXT(CDbOraMainList, VERSION),    RFC_TEXT(CDbOraMainList, ELAPSED_TI),
    RFC_TEXT(CDbOraMainList, ARCHIVER),   RFC_TEXT(CDbOraMainList, LOG_SWITCH), RFC_TEXT(CDbOraMainList, BUFSIZE),
    RFC_TEXT(CDbOraMainList, BUFREADS),   RFC_TEXT(CDbOraMainList, BUFQUAL),    RFC_TEXT(CDbOraMainList, BUFPWRITES),
    RFC_TEXT(CDbOraMainList, BUFPREADS),  RFC_TEXT(CDbOraMainList, BUFWAITS),   RFC_TEXT(CDbOraMainList, BUFWTIME),
    RFC_TEXT(CDbOraMainList, DICTSIZE),   RFC_TEXT(CDbOraMainList, DDQUAL),     RFC_TEXT(CDbOraMainList, GETRATIO),
    RFC_TEXT(CDbOraMainList, PINRATIO),   RFC_TEXT(CDbOraMainList, LOGSIZE),    RFC_TEXT(CDbOraMainList, LOGENTRIES),
    RFC_TEXT(CDbOraMainList, LOGALLOC),   RFC_TEXT(CDbOraMainList, LOGFAULT),   RFC_TEXT(CDbOraMainList, USERCALLS),
    RFC_TEXT(CDbOraMainList, RECURCALLS), RFC_TEXT(CDbOraMainList, COMMITS),    RFC_TEXT(CDbOraMainList, PARSES),
    RFC_TEXT(CDbOraMainList, ROLLBACKS),  RFC_TEXT(CDbOraMainList, LOGWRITES),  RFC_TEXT(CDbOraMainList, LOGWTIME),
    RFC_TEXT(CDbOraMainList, LOGBLOCKS),  RFC_TEXT(CDbOraMainList, LOGWSIZE),   RFC_TEXT(CDbOraMainList, LOGLATCH),
    RFC_TEXT(CDbOraMainList, SCANSHORT),  RFC_TEXT(CDbOraMainList, SCANLONG),   RFC_TEXT(CDbOraMainList, SCANROWS),
    RFC_TEXT(CDbOraMainList, SCANBLOCKS), RFC_TEXT(CDbOraMainList, FETCHROWID), RFC_TEXT(CDbOraMainList, FETCHCONT),
    RFC_TEXT(CDbOraMainList, SORTMEM),    RFC_TEXT(CDbOraMainList, SORTDISK),   RFC_TEXT(CDbOraMainList, SORTROWS),
    RFC_TEXT(CDbOraMainList, CPUUSAGE),   RFC_TEXT(CDbOraMainList, CPUCALLS),   RFC_TEXT(CDbOraMainList, CPURECURS),
    RFC_TEXT(CDbOraMainList, CPUPARSE),   RFC_TEXT(CDbOraMainList, USERTOREC),  RFC_TEXT(CDbOraMainList, READCALLRA),
    RFC_TEXT(CDbOraMainList, DD_GETS),    RFC_TEXT(CDbOraMainList, DD_GET_MIS), RFC_TEXT(CDbOraMainList, CONSISTGET),
    RFC_TEXT(CDbOraMainList, GLOBLCKCON), RFC_TEXT(CDbOraMainList, LCKHITRATI), RFC_TEXT(CDbOraMainList, DBWRCROSSI),
    RFC_TEXT(CDbOraMainList, PINGWRITES), RFC_TEXT(CDbOraMainList, SQLRELOADS), RFC_TEXT(CDbOraMainList, REDO_WAIT),
    RFC_TEXT(CDbOraMainList, REDO_PROBL), RFC_TEXT(CDbOraMainList, CPU_TIME),   RFC_TEXT(CDbOraMainList, WAIT_TOTAL),
    RFC_TEXT(CDbOraMainList, WAIT_BUSY),  RFC_TEXT(CDbOraMainList, SESS_BUSY),  RFC_TEXT(CDbOraMainList, CPU_BUSY),
    RFC_TEXT(CDbOraMainList, RESP_TIME),  RFC_TEXT(CDbOraMainList, CPU_COUNT),
};
const RfcText<CDbOraMainList> kDboraGlobal[] = {
    {_T("DB_NAME"), &CDbOraMainList::GLOBAL_DB_NAME},       {_T("DB_UP_DATE"), &CDbOraMainList::GLOBAL_DB_UP_DATE},
    {_T("DB_UP_TIME"), &CDbOraMainList::GLOBAL_DB_UP_TIME}, {_T("BUFSIZE"), &CDbOraMainList::GLOBAL_BUFSIZE},
    {_T("BUFREADS"), &CDbOraMainList::GLOBAL_BUFREADS},     {_T("BUFQUAL"), &CDbOraMainList::GLOBAL_BUFQUAL},
    {_T("BUFPWRITES"), &CDbOraMainList::GLOBAL_BUFPWRITES}, {_T("BUFPREADS"), &CDbOraMainList::GLOBAL_BUFPREADS},
    {_T("BUFWAITS"), &CDbOraMainList::GLOBAL_BUFWAITS},     {_T("BUFWTIME"), &CDbOraMainList::GLOBAL_BUFWTIME},
    {_T("DICTSIZE"), &CDbOraMainList::GLOBAL_DICTSIZE},     {_T("DDQUAL"), &CDbOraMainList::GLOBAL_DDQUAL},
    {_T("GETRATIO"), &CDbOraMainList::GLOBAL_GETRATIO},     {_T("PINRATIO"), &CDbOraMainList::GLOBAL_PINRATIO},
    {_T("LOGSIZE"), &CDbOraMainList::GLOBAL_LOGSIZE},       {_T("LOGENTRIES"), &CDbOraMainList::GLOBAL_LOGENTRIES},
    {_T("LOGALLOC"), &CDbOraMainList::GLOBAL_LOGALLOC},     {_T("LOGFAULT"), &CDbOraMainList::GLOBAL_LOGFAULT},
    {_T("USERCALLS"), &CDbOraMainList::GLOBAL_USERCALLS},   {_T("RECURCALLS"), &CDbOraMainList::GLOBAL_RECURCALLS},
    {_T("COMMITS"), &CDbOraMainList::GLOBAL_COMMITS},       {_T("PARSES"), &CDbOraMainList::GLOBAL_PARSES},
    {_T("ROLLBACKS"), &CDbOraMainList::GLOBAL_ROLLBACKS},   {_T("LOGWRITES"), &CDbOraMainList::GLOBAL_LOGWRITES},
    {_T("LOGWTIME"), &CDbOraMainList::GLOBAL_LOGWTIME},     {_T("LOGBLOCKS"), &CDbOraMainList::GLOBAL_LOGBLOCKS},
    {_T("LOGWSIZE"), &CDbOraMainList::GLOBAL_LOGWSIZE},     {_T("LOGLATCH"), &CDbOraMainList::GLOBAL_LOGLATCH},
    {_T("SCANSHORT"), &CDbOraMainList::GLOBAL_SCANSHORT},   {_T("SCANLONG"), &CDbOraMainList::GLOBAL_SCANLONG},
    {_T("SCANROWS"), &CDbOraMainList::GLOBAL_SCANROWS},     {_T("SCANBLOCKS"), &CDbOraMainList::GLOBAL_SCANBLOCKS},
    {_T("FETCHROWID"), &CDbOraMainList::GLOBAL_FETCHROWID}, {_T("FETCHCONT"), &CDbOraMainList::GLOBAL_FETCHCONT},
    {_T("SORTMEM"), &CDbOraMainList::GLOBAL_SORTMEM},       {_T("SORTDISK"), &CDbOraMainList::GLOBAL_SORTDISK},
    {_T("SORTROWS"), &CDbOraMainList::GLOBAL_SORTROWS},     {_T("CPUUSAGE"), &CDbOraMainList::GLOBAL_CPUUSAGE},
    {_T("CPUCALLS"), &CDbOraMainList::GLOBAL_CPUCALLS},     {_T("CPURECURS"), &CDbOraMainList::GLOBAL_CPURECURS},
    {_T("CPUPARSE"), &CDbOraMainList::GLOBAL_CPUPARSE},     {_T("USERTOREC"), &CDbOraMainList::GLOBAL_USERTOREC},
    {_T("READCALLRA"), &CDbOraMainList::GLOBAL_READCALLRA}, {_T("DD_GETS"), &CDbOraMainList::GLOBAL_DD_GETS},
    {_T("DD_GET_MIS"), &CDbOraMainList::GLOBAL_DD_GET_MIS}, {_T("CONSISTGET"), &CDbOraMainList::GLOBAL_CONSISTGET},
    {_T("GLOBLCKCON"), &CDbOraMainList::GLOBAL_GLOBLCKCON}, {_T("LCKHITRATI"), &CDbOraMainList::GLOBAL_LCKHITRATI},
    {_T("DBWRCROSSI"), &CDbOraMainList::GLOBAL_DBWRCROSSI}, {_T("PINGWRITES"), &CDbOraMainList::GLOBAL_PINGWRITES},
};
const RfcTextGroup<CDbOraMainList> kExports[] = {
    {_T("DBORA"), kDbora},
    {_T("DBORA_GLOBAL"), kDboraGlobal},
};
} // namespace

CDbOraMainList::CDbOraMainList(CRfcConnection* pConnection) : CBaseRfc(pConnection, _T("DB_ORA_MAIN_LIST"))
{
    SetDefaults(*this, kRelease);
    SetDefaults(*this, kImports);
}

void CDbOraMainList::SetImportParameters()
{
    SetStrings(GetStructure(GetFunctionHandle(), _T("ORA_RELEASE")), *this, kRelease);
    SetStrings(GetFunctionHandle(), *this, kImports);
}

void CDbOraMainList::GetExportParameters()
{
    GetExports(*this, kExports);
}
