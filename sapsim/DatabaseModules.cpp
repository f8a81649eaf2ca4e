// The database modules of ORACLE (DB_ORA_MAIN_LIST, DB02_ORA_FILL_TD110), DB6 (DB6_PM_1ST4,
// DB6_PM_TABSPACECONFIG), QUORV (DB4_ST04_OVERVIEW, GET_DB4_DBSIZE) and XAQ (DB02_GET_MAIN_SCREEN_XAQ). The database
// restarts every Thursday at midnight; counters grow with its uptime, sizes with the day of the year.
#include <sapsim/CallContext.h>
#include <sapsim/ModuleRegistry.h>

namespace sapsim
{
namespace
{
const __time64_t kWeek = 7 * 86400;

// Of the fields that both structures have: ratios in percent; sizes stay as they are; everything else counts up from
// the restart.
const LPCWSTR kRatios[] = {L"BUFQUAL", L"DDQUAL", L"GETRATIO", L"PINRATIO", L"LCKHITRATI"};
const LPCWSTR kSizes[] = {L"BUFSIZE", L"DICTSIZE", L"LOGSIZE", L"SORTMEM"};
// Counters of "DBORA" that "DBORA_GLOBAL" does not have.
const LPCWSTR kInstanceCounters[] = {L"LOG_SWITCH", L"SQLRELOADS", L"REDO_WAIT", L"REDO_PROBL",
                                     L"CPU_TIME",   L"WAIT_TOTAL", L"WAIT_BUSY", L"RESP_TIME"};
const LPCWSTR kCounters[] = {
    L"BUFREADS",   L"BUFPWRITES", L"BUFPREADS",  L"BUFWAITS",   L"BUFWTIME",  L"LOGENTRIES", L"LOGALLOC",
    L"LOGFAULT",   L"USERCALLS",  L"RECURCALLS", L"COMMITS",    L"PARSES",    L"ROLLBACKS",  L"LOGWRITES",
    L"LOGWTIME",   L"LOGBLOCKS",  L"LOGWSIZE",   L"LOGLATCH",   L"SCANSHORT", L"SCANLONG",   L"SCANROWS",
    L"SCANBLOCKS", L"FETCHROWID", L"FETCHCONT",  L"SORTDISK",   L"SORTROWS",  L"CPUUSAGE",   L"CPUCALLS",
    L"CPURECURS",  L"CPUPARSE",   L"USERTOREC",  L"READCALLRA", L"DD_GETS",   L"DD_GET_MIS", L"CONSISTGET",
    L"GLOBLCKCON", L"DBWRCROSSI", L"PINGWRITES",
};

const CDatabaseInfo& Database(const CCallContext& call)
{
    const CSession& session = call.Session();
    return *session.Topology().FindDatabase(session.System().database);
}

// A figure of the field that stays the same across calls (its rate or size).
long long Constant(const CDatabaseInfo& database, LPCWSTR field, long long low, long long high)
{
    return CRandom(CRandom::Mix(CRandom::Mix(0, database.name), field)).Range(low, high);
}

__time64_t Uptime(const CCallContext& call)
{
    return call.Now() % kWeek + 1;
}

void FillOracleStatistics(CCallContext& call, CRecordWriter writer, const CDatabaseInfo& database)
{
    const __time64_t uptime = Uptime(call);
    CRandom random = call.Random(database.name, L"DBORA");
    writer.Set(L"DB_NAME", database.name);
    writer.SetMoment(L"DB_UP_DATE", L"DB_UP_TIME", call.Now() - uptime + 1);
    for (LPCWSTR field : kRatios)
        writer.Set(field, Constant(database, field, 85, 98) + random.Range(0, 1));
    for (LPCWSTR field : kSizes)
        writer.Set(field, Constant(database, field, 4, 4096));
    for (LPCWSTR field : kCounters)
        writer.Set(field, uptime * Constant(database, field, 1, 400) + random.Range(0, 99));
}

void OracleMainList(CCallContext& call)
{
    const CDatabaseInfo& database = Database(call);
    CRecordWriter exports = call.Exports();
    CRecordWriter dbora = exports.Structure(L"DBORA");
    FillOracleStatistics(call, dbora, database);
    dbora.SetMoment(L"CURR_DATE", L"CURR_TIME", call.Now());
    dbora.Set(L"DB_THREAD", 1LL)
        .Set(L"DB_INSTANC", database.name)
        .Set(L"DB_SERVER", database.host)
        .Set(L"THREAD_STA", L"OPEN")
        .Set(L"SAPDBHOST", database.host)
        .Set(L"VERSION", database.release)
        .Set(L"ARCHIVER", L"STARTED")
        .Set(L"ELAPSED_TI", Uptime(call))
        .Set(L"CPU_COUNT", call.Session().Host().cpus)
        .Set(L"SESS_BUSY", Constant(database, L"SESS_BUSY", 5, 40))
        .Set(L"CPU_BUSY", Constant(database, L"CPU_BUSY", 5, 60));
    CRandom random = call.Random(database.name, L"DBORA_INSTANCE");
    for (LPCWSTR field : kInstanceCounters)
        dbora.Set(field, Uptime(call) * Constant(database, field, 1, 50) + random.Range(0, 99));
    FillOracleStatistics(call, exports.Structure(L"DBORA_GLOBAL"), database);
}

// Tablespaces, tables and indexes grow a little every day of the year.
void OracleFillTd110(CCallContext& call)
{
    const CSession& session = call.Session();
    const CDatabaseInfo& database = Database(call);
    const long long day = call.Now() / 86400 % 365;
    const long long tablespaceMB = Constant(database, L"TSSI", 200000, 800000);
    const long long usedMB = tablespaceMB * 6 / 10 + day * tablespaceMB / 1000;
    CRecordWriter td110 = call.Exports().Structure(L"TD110");
    td110.SetMoment(L"DATUM", L"UZEIT", call.Now());
    td110.Set(L"DBSYS", database.system)
        .Set(L"SYSID", session.System().id)
        .Set(L"TSNO", Constant(database, L"TSNO", 20, 40))
        .Set(L"TSSI", tablespaceMB)
        .Set(L"TSFR", tablespaceMB - usedMB)
        .Set(L"TSFRP", (tablespaceMB - usedMB) * 100 / tablespaceMB)
        .Set(L"TSMF", Constant(database, L"TSMF", 5, 30))
        .Set(L"TSUS", usedMB);
    for (LPCWSTR field : {L"TANO", L"TINO", L"TA1E", L"TI1E", L"TASI", L"TISI", L"TACI", L"TICI", L"TAOI", L"TIOI",
                          L"TAVI", L"TIVI", L"TSAU"})
        td110.Set(field, Constant(database, field, 1000, 90000) + day * Constant(database, field, 0, 20));
    CTableWriter segments = call.Result(L"SEGMT");
    for (LPCWSTR segment : {L"VBAK", L"MARA", L"TBTCO"})
        segments.Append().Set(L"SEGMENT", segment).Set(L"SIZE_MB", Constant(database, segment, 10, 9000));
}
CString Timestamp(__time64_t moment)
{
    tm parts{};
    _gmtime64_s(&parts, &moment);
    CString text;
    text.Format(L"%04d%02d%02d%02d%02d%02d", parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
                parts.tm_min, parts.tm_sec);
    return text;
}

const LPCWSTR kDb6Ratios[] = {L"BP_QAL",     L"BP_D_HITRT", L"BP_I_HITRT", L"CATCA_QAL",
                              L"PKG_CA_QAL", L"LSNGAP_PCT", L"LGBUFHITRT"};
const LPCWSTR kDb6Counters[] = {
    L"BUFFPAGE",   L"BP_SZ",      L"BP_AV_RTM",  L"BP_AV_WTM",  L"BP_NUM",     L"PL_D_LRS",   L"PL_D_PRS",
    L"PL_D_WS",    L"BP_D_SPRS",  L"BP_D_SWS",   L"PL_I_LRS",   L"PL_I_PRS",   L"PL_I_WS",    L"BP_I_SPRS",
    L"BP_I_SWS",   L"PL_RD_TM",   L"PL_WT_TM",   L"CATCA_SZ",   L"MAXAPPLS",   L"PKG_CA_SZ",  L"CATCA_LKU",
    L"CATCA_INS",  L"CATCA_OF",   L"CATCA_HPFL", L"PKG_CA_LKU", L"PKG_CA_INS", L"PKG_NUM_OV", L"PKG_SZ_TOP",
    L"NUM_IOSVRS", L"AV_ASP_RTM", L"NUM_IOCLNS", L"AV_ASP_WTM", L"PL_A_DRS",   L"PL_A_DWS",   L"PL_A_IRS",
    L"PL_A_IWS",   L"PL_A_RTM",   L"PL_A_WTM",   L"LCKLISTSZ",  L"LCK_LSTIU",  L"LCK_ESCALS", L"X_LCK_ESCA",
    L"LCK_WAITS",  L"LCK_W_TM",   L"AV_WTM_LCK", L"LCKS_HELD",  L"DEADLOCKS",  L"LCK_TMOUT",  L"CMMT_SQLST",
    L"RBCK_SQLST", L"SELC_SQLST", L"UID_SQLST",  L"DYN_SQLST",  L"STC_SQLST",  L"FAIL_SQLST", L"DDL_SQLST",
    L"RW_DELETED", L"RW_INSRTED", L"RW_SELECED", L"RW_UPDATED", L"SORTHEAPSZ", L"SRT_HP_ALO", L"TOT_SORTS",
    L"TOT_SRT_TM", L"AV_SORT_TM", L"SRT_OF",     L"ACTIV_SORT", L"DIRCT_RDS",  L"DIRCT_WTS",  L"DIRCT_RTM",
    L"DIRCT_WTM",  L"DIRCT_RRQS", L"DIRCT_WRQS", L"AV_DCT_RTM", L"AV_DCT_WTM", L"AV_DCT_RDS", L"AV_DCT_WTS",
    L"PL_D_TE",    L"PL_D_FE",    L"PL_I_TE",    L"PL_I_FE",    L"TOT_LGUTOP", L"SEC_LGUSTP", L"SEC_LGALLO",
    L"LOG_READS",  L"LOG_WRITES", L"TOT_LGUSED", L"TOT_LGAVL",  L"LOGFILSIZ",  L"LOGPRIMARY", L"LOGSECOND",
    L"TOT_HAJN",   L"TOT_HALOOP", L"HAJN_OF",    L"HAJN_SM_OF", L"PL_TD_LRS",  L"PL_TD_PRS",  L"PL_TI_LRS",
    L"PL_TI_PRS",  L"PL_A_DRRQ",  L"PL_A_IRRQ",  L"CATCASZTOP", L"RESTRTRNGE", L"AVGLWTPPAG", L"AVGLWTPIO",
    L"AVGLRTPPAG", L"AVGLRTPIO",  L"LOGREADTS",  L"LOGREADTNS", L"LOGWRITS",   L"LOGWRITNS",  L"NUMLOGWRIO",
    L"NUMLOGRDIO", L"NUMLOGPPIO", L"NUMLOGBFUL", L"NUMLOGDFND", L"LOGREDOREC", L"LOGHELDDTY", L"SOFTMAX",
    L"SCPERHOUR"};

// One row for the partition asked for; its counters grow from the restart.
void Db6Snapshot(CCallContext& call)
{
    const CDatabaseInfo& database = Database(call);
    CRandom random = call.Random(database.name, L"DB6_PM_1ST4");
    const __time64_t uptime = Uptime(call);
    CRecordWriter row = call.Result(L"IT_DB6PM1ST4").Append();
    row.Set(L"DBMSTRTTME", Timestamp(call.Now() - uptime + 1))
        .Set(L"COMPTIME", Timestamp(call.Now()))
        .Set(L"LAST_RESET", Timestamp(call.Now() - uptime + 1));
    for (LPCWSTR field : kDb6Ratios)
        row.Set(field, Constant(database, field, 85, 98) + random.Range(0, 1));
    for (LPCWSTR field : kDb6Counters)
        row.Set(field, uptime * Constant(database, field, 1, 50) + random.Range(0, 99));
}

// The tablespaces fill up over the year; an automatic one grows by its increment when full.
void Db6Tablespaces(CCallContext& call)
{
    const CSession& session = call.Session();
    const CDatabaseInfo& database = Database(call);
    const long long day = call.Now() / 86400 % 365;
    const CString id = session.System().id;
    const CString names[] = {L"SYSCATSPACE", id + L"#BTABD", id + L"#BTABI", id + L"#STABD", id + L"#STABI"};
    CTableWriter table = call.Result(L"IT_DB6PMCP");
    long long number = 0;
    for (const CString& name : names)
    {
        const long long total = Constant(database, name, 10000, 900000);
        const long long used = total / 2 + day * total / 800;
        CRecordWriter row = table.Append();
        row.Set(L"COMPTIME", Timestamp(call.Now()))
            .Set(L"PARTITN", call.Import(L"PARTITN"))
            .Set(L"TBS_ID", number++)
            .Set(L"CALLERFLAG", call.Import(L"CALLERFLAG"))
            .Set(L"DBMSTRTTME", Timestamp(call.Now() - Uptime(call) + 1))
            .Set(L"PRGVERS", 1LL)
            .Set(L"TBS_NAME", name)
            .Set(L"TBS_TYPE", L"DMS")
            .Set(L"CONTENTS", L"A")
            .Set(L"TBSSTATE", L"NORMAL")
            .Set(L"TOTALPAGES", total)
            .Set(L"USABLEPGS", total - 64)
            .Set(L"PAGESIZE", 16384LL)
            .Set(L"EXTSIZE", 2LL)
            .Set(L"PF_SZ", 0LL)
            .Set(L"NUM_CONT", 1LL)
            .Set(L"USEDPAGES", used)
            .Set(L"FREEPAGES", total - 64 - used)
            .Set(L"HGHWTRMRK", used + 32)
            .Set(L"AUTOSTOR", L"YES")
            .Set(L"AUTORESIZ", L"YES")
            .Set(L"INITSIZ", 33554432LL)
            .Set(L"CURRSIZ", total * 16384)
            .Set(L"INCRSIZABS", 0LL)
            .Set(L"INCRSIZPCT", 10LL)
            .Set(L"LASTRESIZ", Timestamp(call.Now() - day * 86400))
            .Set(L"LASTRSZFAI", L"NO")
            .Set(L"MAX_SIZE", -1LL);
    }
}

// Statement counts and times since the restart; the counts add up to QQSUMCNT.
const LPCWSTR kDb4Statements[] = {L"QQCOMCNT", L"QQRBKCNT", L"QQSELCNT", L"QQINSCNT",
                                  L"QQUPDCNT", L"QQDELCNT", L"QQDDLCNT", L"QQOTHCNT"};
const LPCWSTR kDb4Counters[] = {L"QQTSCCNT", L"QQTSCTOTR", L"QQSRTCNT",   L"QQSRTTOTR", L"QQIDCCNT",
                                L"QQTMFCNT", L"QQIDACNT",  L"QQIDATBCNT", L"QQIDAQRYCT"};
// Seconds spent, with their fraction.
const LPCWSTR kDb4Times[] = {L"QQTSCTTIME", L"QQSRTTTIME", L"QQIDCTTIME", L"QQTMFTTIME"};

// "YYYY-MM-DD-HH.MM.SS.000000", as the database writes its timestamps.
CString Db4Timestamp(__time64_t moment)
{
    tm parts{};
    _gmtime64_s(&parts, &moment);
    CString text;
    text.Format(L"%04d-%02d-%02d-%02d.%02d.%02d.000000", parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                parts.tm_hour, parts.tm_min, parts.tm_sec);
    return text;
}

CString Decimal(double value)
{
    CString text;
    text.Format(L"%.3f", value);
    return text;
}

// The SQL statistics since the restart; the wait statistics were taken at the last full minute.
void Db4Overview(CCallContext& call)
{
    const CDatabaseInfo& database = Database(call);
    const __time64_t uptime = Uptime(call);
    CRandom random = call.Random(database.name, L"DB4_ST04_OVERVIEW");
    CRecordWriter exports = call.Exports();
    exports.SetMoment(L"DATE", L"TIME", call.Now())
        .SetMoment(L"WAIT_STATS_DATE", L"WAIT_STATS_TIME", call.Now() - call.Now() % 60)
        .Set(L"WAIT_STAT_SUBRC", 0LL);
    CRecordWriter stats = exports.Structure(L"DB_STATS");
    long long statements = 0;
    for (LPCWSTR field : kDb4Statements)
    {
        const long long count = uptime * Constant(database, field, 1, 200) + random.Range(0, 99);
        stats.Set(field, count);
        statements += count;
    }
    for (LPCWSTR field : kDb4Counters)
        stats.Set(field, uptime * Constant(database, field, 1, 20) + random.Range(0, 99));
    for (LPCWSTR field : kDb4Times)
        stats.Set(field, Decimal(uptime * Constant(database, field, 1, 500) / 1000.0));
    const long long logical = uptime * Constant(database, L"LOGICREAD", 2000, 9000) + random.Range(0, 999);
    const long long physical = logical * Constant(database, L"PHYSREAD", 1, 8) / 100;
    const long long totalMs = statements * Constant(database, L"QQTOTAVGT", 1, 20);
    stats.Set(L"QQDMPTIME", Db4Timestamp(call.Now() - uptime + 1))
        .Set(L"QQSUMCNT", statements)
        .Set(L"QQODFTIME", Db4Timestamp(call.Now()))
        .Set(L"QQTOTAVGT", totalMs / statements)
        .Set(L"QQTOTTIME", totalMs)
        .Set(L"PHYSREAD", physical)
        .Set(L"LOGICREAD", logical)
        .Set(L"QUALITY", Decimal(100.0 * (logical - physical) / logical))
        .Set(L"READPCALL", Decimal(static_cast<double>(logical) / statements))
        .Set(L"TIMEPCALL", Decimal(static_cast<double>(totalMs) / statements));
}

// Kilobytes; tables, constraints and indexes grow a little every day of the year.
void Db4Size(CCallContext& call)
{
    const CDatabaseInfo& database = Database(call);
    const long long day = call.Now() / 86400 % 365;
    long long total = 0;
    CRecordWriter size = call.Exports().Structure(L"DB4_DBSIZE");
    for (LPCWSTR field : {L"TAB_SIZE", L"CST_SIZE", L"IDX_SIZE"})
    {
        const long long base = Constant(database, field, 10000000, 300000000);
        size.Set(field, base + day * base / 1000);
        total += base + day * base / 1000;
    }
    size.Set(L"DB_SIZE", total);
}

// Tablespaces fill up over the year; a few objects are missing in the database or the dictionary.
void XaqMainScreen(CCallContext& call)
{
    const CSession& session = call.Session();
    const CDatabaseInfo& database = Database(call);
    const long long day = call.Now() / 86400 % 365;
    const long long tablespaceKB = Constant(database, L"TSSIZE", 50000000, 400000000);
    const long long usedKB = tablespaceKB / 2 + day * tablespaceKB / 1000;
    const long long indexKB = usedKB * Constant(database, L"IXSIZE", 20, 40) / 100;
    CRecordWriter screen = call.Exports().Structure(L"ENTRY_SCREEN_DATA");
    screen.SetMoment(L"REFRDATE", L"REFRTIME", call.Now());
    screen.Set(L"DBSYS", database.system)
        .Set(L"SYSID", session.System().id)
        .Set(L"TSNUM", Constant(database, L"TSNUM", 8, 30))
        .Set(L"TSSIZE", tablespaceKB)
        .Set(L"TSFREE", tablespaceKB - usedKB)
        .Set(L"TSPCTUSED", usedKB * 100 / tablespaceKB)
        .Set(L"IXNUM", Constant(database, L"IXNUM", 50000, 120000) + day * 3)
        .Set(L"IXSIZE", indexKB)
        .Set(L"IXFREE", indexKB / 10)
        .Set(L"IXPCTUSED", 90LL)
        .Set(L"TBNUM", Constant(database, L"TBNUM", 40000, 90000) + day * 2)
        .Set(L"TBSIZE", usedKB - indexKB)
        .Set(L"TBMISSDB", Constant(database, L"TBMISSDB", 0, 3))
        .Set(L"IXMISSDB", Constant(database, L"IXMISSDB", 0, 5))
        .Set(L"TBMISSDDIC", Constant(database, L"TBMISSDDIC", 0, 2))
        .Set(L"IXMISSDDIC", Constant(database, L"IXMISSDDIC", 0, 2))
        .Set(L"MONI_VER", L"1");
}
} // namespace

void RegisterDatabaseModules(CModuleRegistry& registry)
{
    const std::vector<CFieldDef> dboraFields = {
        Char(L"DB_NAME", 8),     Char(L"DB_THREAD", 3),   Char(L"DB_INSTANC", 16), Char(L"DB_SERVER", 32),
        Char(L"CURR_TIME", 6),   Char(L"CURR_DATE", 8),   Char(L"DB_UP_TIME", 6),  Char(L"DB_UP_DATE", 8),
        Char(L"THREAD_STA", 8),  Char(L"SAPDBHOST", 32),  Char(L"VERSION", 20),    Char(L"ELAPSED_TI", 15),
        Char(L"ARCHIVER", 8),    Char(L"LOG_SWITCH", 15), Char(L"BUFSIZE", 15),    Char(L"BUFREADS", 15),
        Char(L"BUFQUAL", 15),    Char(L"BUFPWRITES", 15), Char(L"BUFPREADS", 15),  Char(L"BUFWAITS", 15),
        Char(L"BUFWTIME", 15),   Char(L"DICTSIZE", 15),   Char(L"DDQUAL", 15),     Char(L"GETRATIO", 15),
        Char(L"PINRATIO", 15),   Char(L"LOGSIZE", 15),    Char(L"LOGENTRIES", 15), Char(L"LOGALLOC", 15),
        Char(L"LOGFAULT", 15),   Char(L"USERCALLS", 15),  Char(L"RECURCALLS", 15), Char(L"COMMITS", 15),
        Char(L"PARSES", 15),     Char(L"ROLLBACKS", 15),  Char(L"LOGWRITES", 15),  Char(L"LOGWTIME", 15),
        Char(L"LOGBLOCKS", 15),  Char(L"LOGWSIZE", 15),   Char(L"LOGLATCH", 15),   Char(L"SCANSHORT", 15),
        Char(L"SCANLONG", 15),   Char(L"SCANROWS", 15),   Char(L"SCANBLOCKS", 15), Char(L"FETCHROWID", 15),
        Char(L"FETCHCONT", 15),  Char(L"SORTMEM", 15),    Char(L"SORTDISK", 15),   Char(L"SORTROWS", 15),
        Char(L"CPUUSAGE", 15),   Char(L"CPUCALLS", 15),   Char(L"CPURECURS", 15),  Char(L"CPUPARSE", 15),
        Char(L"USERTOREC", 15),  Char(L"READCALLRA", 15), Char(L"DD_GETS", 15),    Char(L"DD_GET_MIS", 15),
        Char(L"CONSISTGET", 15), Char(L"GLOBLCKCON", 15), Char(L"LCKHITRATI", 15), Char(L"DBWRCROSSI", 15),
        Char(L"PINGWRITES", 15), Char(L"SQLRELOADS", 15), Char(L"REDO_WAIT", 15),  Char(L"REDO_PROBL", 15),
        Char(L"CPU_TIME", 15),   Char(L"WAIT_TOTAL", 15), Char(L"WAIT_BUSY", 15),  Char(L"SESS_BUSY", 15),
        Char(L"CPU_BUSY", 15),   Char(L"RESP_TIME", 15),  Char(L"CPU_COUNT", 15)};
    const std::vector<CFieldDef> globalFields = {
        Char(L"DB_NAME", 8),     Char(L"DB_UP_DATE", 8),  Char(L"DB_UP_TIME", 6),  Char(L"BUFSIZE", 15),
        Char(L"BUFREADS", 15),   Char(L"BUFQUAL", 15),    Char(L"BUFPWRITES", 15), Char(L"BUFPREADS", 15),
        Char(L"BUFWAITS", 15),   Char(L"BUFWTIME", 15),   Char(L"DICTSIZE", 15),   Char(L"DDQUAL", 15),
        Char(L"GETRATIO", 15),   Char(L"PINRATIO", 15),   Char(L"LOGSIZE", 15),    Char(L"LOGENTRIES", 15),
        Char(L"LOGALLOC", 15),   Char(L"LOGFAULT", 15),   Char(L"USERCALLS", 15),  Char(L"RECURCALLS", 15),
        Char(L"COMMITS", 15),    Char(L"PARSES", 15),     Char(L"ROLLBACKS", 15),  Char(L"LOGWRITES", 15),
        Char(L"LOGWTIME", 15),   Char(L"LOGBLOCKS", 15),  Char(L"LOGWSIZE", 15),   Char(L"LOGLATCH", 15),
        Char(L"SCANSHORT", 15),  Char(L"SCANLONG", 15),   Char(L"SCANROWS", 15),   Char(L"SCANBLOCKS", 15),
        Char(L"FETCHROWID", 15), Char(L"FETCHCONT", 15),  Char(L"SORTMEM", 15),    Char(L"SORTDISK", 15),
        Char(L"SORTROWS", 15),   Char(L"CPUUSAGE", 15),   Char(L"CPUCALLS", 15),   Char(L"CPURECURS", 15),
        Char(L"CPUPARSE", 15),   Char(L"USERTOREC", 15),  Char(L"READCALLRA", 15), Char(L"DD_GETS", 15),
        Char(L"DD_GET_MIS", 15), Char(L"CONSISTGET", 15), Char(L"GLOBLCKCON", 15), Char(L"LCKHITRATI", 15),
        Char(L"DBWRCROSSI", 15), Char(L"PINGWRITES", 15)};
    CFieldDef release =
        Struct(L"ORA_RELEASE", registry.AddType(L"ORA_RELEASE", {Char(L"R1", 2), Char(L"R2", 2), Char(L"R3", 2),
                                                                 Char(L"R4", 2), Char(L"R5", 2)}));
    release.direction = Direction::Import;
    registry.AddModule(L"DB_ORA_MAIN_LIST",
                       {release, Import(L"ALL_INSTANCES", 1, L" "),
                        ExportStructure(L"DBORA", registry.AddType(L"DBORA", dboraFields)),
                        ExportStructure(L"DBORA_GLOBAL", registry.AddType(L"DBORA_GLOBAL", globalFields))},
                       OracleMainList);

    const std::vector<CFieldDef> td110Fields = {
        Char(L"DBSYS", 10), Char(L"DATUM", 8), Char(L"UZEIT", 6),  Char(L"SYSID", 8), Char(L"TSNO", 15),
        Char(L"TSSI", 15),  Char(L"TSFR", 15), Char(L"TSFRP", 15), Char(L"TSMF", 15), Char(L"TSUS", 15),
        Char(L"TANO", 15),  Char(L"TINO", 15), Char(L"TA1E", 15),  Char(L"TI1E", 15), Char(L"TASI", 15),
        Char(L"TISI", 15),  Char(L"TACI", 15), Char(L"TICI", 15),  Char(L"TAOI", 15), Char(L"TIOI", 15),
        Char(L"TAVI", 15),  Char(L"TIVI", 15), Char(L"TSAU", 15)};
    registry.AddModule(
        L"DB02_ORA_FILL_TD110",
        {Import(L"FLAG_REFRESH", 1, L" "), ExportStructure(L"TD110", registry.AddType(L"TD110", td110Fields)),
         Tables(L"SEGMT", registry.AddType(L"DB02_SEGMENT", {Char(L"SEGMENT", 30), Char(L"SIZE_MB", 15)}))},
        OracleFillTd110);
    registry.AddModule(
        L"DB6_PM_1ST4",
        {Import(L"ACTION", 2, L"0"), Import(L"PARTITN", 4, L"0"), Import(L"CONNECTION", 30),
         Tables(L"IT_DB6PM1ST4",
                registry.AddType(
                    L"DB6PM1ST4",
                    {Char(L"DBMSTRTTME", 14), Char(L"COMPTIME", 14),   Char(L"LAST_RESET", 14), Char(L"BUFFPAGE", 20),
                     Char(L"BP_SZ", 20),      Char(L"BP_QAL", 20),     Char(L"BP_AV_RTM", 20),  Char(L"BP_AV_WTM", 20),
                     Char(L"BP_D_HITRT", 20), Char(L"BP_I_HITRT", 20), Char(L"BP_NUM", 20),     Char(L"PL_D_LRS", 20),
                     Char(L"PL_D_PRS", 20),   Char(L"PL_D_WS", 20),    Char(L"BP_D_SPRS", 20),  Char(L"BP_D_SWS", 20),
                     Char(L"PL_I_LRS", 20),   Char(L"PL_I_PRS", 20),   Char(L"PL_I_WS", 20),    Char(L"BP_I_SPRS", 20),
                     Char(L"BP_I_SWS", 20),   Char(L"PL_RD_TM", 20),   Char(L"PL_WT_TM", 20),   Char(L"CATCA_SZ", 20),
                     Char(L"CATCA_QAL", 20),  Char(L"MAXAPPLS", 20),   Char(L"PKG_CA_SZ", 20),  Char(L"PKG_CA_QAL", 20),
                     Char(L"CATCA_LKU", 20),  Char(L"CATCA_INS", 20),  Char(L"CATCA_OF", 20),   Char(L"CATCA_HPFL", 20),
                     Char(L"PKG_CA_LKU", 20), Char(L"PKG_CA_INS", 20), Char(L"PKG_NUM_OV", 20), Char(L"PKG_SZ_TOP", 20),
                     Char(L"NUM_IOSVRS", 20), Char(L"AV_ASP_RTM", 20), Char(L"NUM_IOCLNS", 20), Char(L"AV_ASP_WTM", 20),
                     Char(L"PL_A_DRS", 20),   Char(L"PL_A_DWS", 20),   Char(L"PL_A_IRS", 20),   Char(L"PL_A_IWS", 20),
                     Char(L"PL_A_RTM", 20),   Char(L"PL_A_WTM", 20),   Char(L"LCKLISTSZ", 20),  Char(L"LCK_LSTIU", 20),
                     Char(L"LCK_ESCALS", 20), Char(L"X_LCK_ESCA", 20), Char(L"LCK_WAITS", 20),  Char(L"LCK_W_TM", 20),
                     Char(L"AV_WTM_LCK", 20), Char(L"LCKS_HELD", 20),  Char(L"DEADLOCKS", 20),  Char(L"LCK_TMOUT", 20),
                     Char(L"CMMT_SQLST", 20), Char(L"RBCK_SQLST", 20), Char(L"SELC_SQLST", 20), Char(L"UID_SQLST", 20),
                     Char(L"DYN_SQLST", 20),  Char(L"STC_SQLST", 20),  Char(L"FAIL_SQLST", 20), Char(L"DDL_SQLST", 20),
                     Char(L"RW_DELETED", 20), Char(L"RW_INSRTED", 20), Char(L"RW_SELECED", 20), Char(L"RW_UPDATED", 20),
                     Char(L"SORTHEAPSZ", 20), Char(L"SRT_HP_ALO", 20), Char(L"TOT_SORTS", 20),  Char(L"TOT_SRT_TM", 20),
                     Char(L"AV_SORT_TM", 20), Char(L"SRT_OF", 20),     Char(L"ACTIV_SORT", 20), Char(L"DIRCT_RDS", 20),
                     Char(L"DIRCT_WTS", 20),  Char(L"DIRCT_RTM", 20),  Char(L"DIRCT_WTM", 20),  Char(L"DIRCT_RRQS", 20),
                     Char(L"DIRCT_WRQS", 20), Char(L"AV_DCT_RTM", 20), Char(L"AV_DCT_WTM", 20), Char(L"AV_DCT_RDS", 20),
                     Char(L"AV_DCT_WTS", 20), Char(L"PL_D_TE", 20),    Char(L"PL_D_FE", 20),    Char(L"PL_I_TE", 20),
                     Char(L"PL_I_FE", 20),    Char(L"TOT_LGUTOP", 20), Char(L"SEC_LGUSTP", 20), Char(L"SEC_LGALLO", 20),
                     Char(L"LOG_READS", 20),  Char(L"LOG_WRITES", 20), Char(L"TOT_LGUSED", 20), Char(L"TOT_LGAVL", 20),
                     Char(L"LOGFILSIZ", 20),  Char(L"LOGPRIMARY", 20), Char(L"LOGSECOND", 20),  Char(L"TOT_HAJN", 20),
                     Char(L"TOT_HALOOP", 20), Char(L"HAJN_OF", 20),    Char(L"HAJN_SM_OF", 20), Char(L"PL_TD_LRS", 20),
                     Char(L"PL_TD_PRS", 20),  Char(L"PL_TI_LRS", 20),  Char(L"PL_TI_PRS", 20),  Char(L"PL_A_DRRQ", 20),
                     Char(L"PL_A_IRRQ", 20),  Char(L"CATCASZTOP", 20), Char(L"LSNGAP_PCT", 20), Char(L"RESTRTRNGE", 20),
                     Char(L"AVGLWTPPAG", 20), Char(L"AVGLWTPIO", 20),  Char(L"AVGLRTPPAG", 20), Char(L"AVGLRTPIO", 20),
                     Char(L"LGBUFHITRT", 20), Char(L"LOGREADTS", 20),  Char(L"LOGREADTNS", 20), Char(L"LOGWRITS", 20),
                     Char(L"LOGWRITNS", 20),  Char(L"NUMLOGWRIO", 20), Char(L"NUMLOGRDIO", 20), Char(L"NUMLOGPPIO", 20),
                     Char(L"NUMLOGBFUL", 20), Char(L"NUMLOGDFND", 20), Char(L"LOGREDOREC", 20), Char(L"LOGHELDDTY", 20),
                     Char(L"SOFTMAX", 20),    Char(L"SCPERHOUR", 20)}))},
        Db6Snapshot);
    registry.AddModule(
        L"DB6_PM_TABSPACECONFIG",
        {Import(L"ACTION", 2, L"0"), Import(L"PARTITN", 4, L"0"), Import(L"CALLERFLAG", 1, L"U"),
         Import(L"COMPTIME", 14), Import(L"CONNECTION", 30),
         Tables(L"IT_DB6PMCP",
                registry.AddType(L"DB6PMCP", {Char(L"COMPTIME", 14),   Char(L"PARTITN", 4),     Char(L"TBS_ID", 20),
                                              Char(L"CALLERFLAG", 1),  Char(L"DBMSTRTTME", 14), Char(L"PRGVERS", 20),
                                              Char(L"TBS_NAME", 18),   Char(L"TBS_TYPE", 3),    Char(L"CONTENTS", 1),
                                              Char(L"TBSSTATE", 20),   Char(L"TOTALPAGES", 20), Char(L"USABLEPGS", 20),
                                              Char(L"PAGESIZE", 20),   Char(L"EXTSIZE", 20),    Char(L"PF_SZ", 20),
                                              Char(L"NUM_CONT", 20),   Char(L"USEDPAGES", 20),  Char(L"FREEPAGES", 20),
                                              Char(L"HGHWTRMRK", 20),  Char(L"AUTOSTOR", 3),    Char(L"AUTORESIZ", 3),
                                              Char(L"INITSIZ", 20),    Char(L"CURRSIZ", 20),    Char(L"INCRSIZABS", 20),
                                              Char(L"INCRSIZPCT", 20), Char(L"LASTRESIZ", 14),  Char(L"LASTRSZFAI", 3),
                                              Char(L"MAX_SIZE", 20)}))},
        Db6Tablespaces);

    registry.AddModule(
        L"DB4_ST04_OVERVIEW",
        {Import(L"RESETFLAG", 1, L" "), Import(L"DBHOST", 32), Import(L"SCHEMANAME", 10), Import(L"SYSTEM_ID", 8),
         Export(L"DATE", 8), Export(L"TIME", 6), Export(L"WAIT_STATS_DATE", 8), Export(L"WAIT_STATS_TIME", 6),
         Export(L"WAIT_STAT_SUBRC", 10),
         ExportStructure(
             L"DB_STATS",
             registry.AddType(
                 L"DB4_ST04_STATS",
                 {Char(L"QQDMPTIME", 26),  Char(L"QQSUMCNT", 20),   Char(L"QQCOMCNT", 20),   Char(L"QQRBKCNT", 20),
                  Char(L"QQSELCNT", 20),   Char(L"QQINSCNT", 20),   Char(L"QQUPDCNT", 20),   Char(L"QQDELCNT", 20),
                  Char(L"QQDDLCNT", 20),   Char(L"QQOTHCNT", 20),   Char(L"QQTSCCNT", 20),   Char(L"QQTSCTOTR", 20),
                  Char(L"QQTSCTTIME", 20), Char(L"QQSRTCNT", 20),   Char(L"QQSRTTOTR", 20),  Char(L"QQSRTTTIME", 20),
                  Char(L"QQIDCCNT", 20),   Char(L"QQIDCTTIME", 20), Char(L"QQTMFCNT", 20),   Char(L"QQTMFTTIME", 20),
                  Char(L"QQIDACNT", 20),   Char(L"QQIDATBCNT", 20), Char(L"QQIDAQRYCT", 20), Char(L"QQODFTIME", 26),
                  Char(L"QQTOTAVGT", 20),  Char(L"QQTOTTIME", 20),  Char(L"PHYSREAD", 20),   Char(L"LOGICREAD", 20),
                  Char(L"QUALITY", 20),    Char(L"READPCALL", 20),  Char(L"TIMEPCALL", 20)}))},
        Db4Overview);
    registry.AddModule(
        L"GET_DB4_DBSIZE",
        {ExportStructure(L"DB4_DBSIZE",
                         registry.AddType(L"DB4_DBSIZE", {Char(L"TAB_SIZE", 20), Char(L"CST_SIZE", 20),
                                                          Char(L"IDX_SIZE", 20), Char(L"DB_SIZE", 20)}))},
        Db4Size);
    registry.AddModule(
        L"DB02_GET_MAIN_SCREEN_XAQ",
        {ExportStructure(
            L"ENTRY_SCREEN_DATA",
            registry.AddType(L"DB02_XAQ_ENTRY_SCREEN",
                             {Char(L"DBSYS", 10), Char(L"SYSID", 8), Char(L"REFRDATE", 8), Char(L"REFRTIME", 6),
                              Char(L"TSNUM", 20), Char(L"TSSIZE", 20), Char(L"TSFREE", 20), Char(L"TSPCTUSED", 20),
                              Char(L"IXNUM", 20), Char(L"IXSIZE", 20), Char(L"IXFREE", 20), Char(L"IXPCTUSED", 20),
                              Char(L"TBNUM", 20), Char(L"TBSIZE", 20), Char(L"TBMISSDB", 20), Char(L"IXMISSDB", 20),
                              Char(L"TBMISSDDIC", 20), Char(L"IXMISSDDIC", 20), Char(L"MONI_VER", 1)}))},
        XaqMainScreen);
}

} // namespace sapsim
