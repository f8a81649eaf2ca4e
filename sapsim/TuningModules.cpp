// SAPTUNE_GET_STORAGE_INFOS: the shared memory segments and pools, the roll, paging and
// extended memory and the process memory of an instance. SAPTUNE_GET_SUMMARY_STATISTIC: the
// tuning summary, its figures drawn at random, its rows named after buffers and tables.
#include <sapsim/CallContext.h>
#include <sapsim/ModuleRegistry.h>

namespace sapsim
{
namespace
{
struct CSegment
{
    long long key;
    LPCWSTR name;
    long long sizeKb;
};

const CSegment kSegments[] = {
    {1, L"Administration", 8},
    {2, L"Disp. administration tables", 2400},
    {4, L"Disp. semaphores", 64},
    {6, L"ABAP program buffer", 300000},
    {7, L"Update task administration", 40},
    {10, L"Pool 10", 120000},
    {14, L"Presentation buffer", 4400},
    {40, L"Pool 40", 200000},
};

struct CSummaryGroup
{
    LPCWSTR name;
    std::vector<LPCWSTR> fields;
};

const CSummaryGroup kSummaryStructures[] = {
    {L"ROLL_AREA",
     {L"AREA_WP", L"AREA_SHM", L"AREA_SIZE", L"CURR_USED", L"MAX_USED", L"FILE_SIZE", L"QUOTA_DIA", L"QUOTA_NDIA",
      L"QUOTA_DIA_64", L"QUOTA_NDIA_64"}},
    {L"PAGING_AREA",
     {L"AREA_WP", L"AREA_SHM", L"AREA_SIZE", L"CURR_USED", L"MAX_USED", L"FILE_SIZE", L"QUOTA_DIA", L"QUOTA_NDIA",
      L"QUOTA_DIA_64", L"QUOTA_NDIA_64"}},
    {L"LOGIC_ACCESSES",
     {L"UPDCNT", L"UPDFAIL", L"DELCNT", L"DELFAIL", L"INSCNT", L"INSFAIL", L"DIRCNT", L"DIRFAIL", L"SEQCNT"}},
    {L"DB_ACCESSES", {L"UPDATE", L"DELETE", L"INSERT", L"DIRECT", L"SEQUENTIAL"}},
    {L"TOTAL_HITRATIO", {L"DIRECT", L"SEQUENTIAL", L"AVERAGE"}},
    {L"TOTAL_DURATIONS", {L"UPDATE", L"DELETE", L"INSERT", L"DIRECT", L"SEQUENTIAL"}},
    {L"TOTAL_ROWS", {L"UPDATE", L"DELETE", L"INSERT", L"DIRECT", L"SEQUENTIAL"}},
    {L"TOTAL_OPERATIONS", {L"REQUESTS", L"FAILS", L"CALLS", L"ROWS"}},
    {L"SAP_CURSOR_CACHE_TOTAL",
     {L"ID_REQ", L"ID_HITS", L"ID_HITR", L"ID_FREE", L"ID_MAX", L"ID_INS", L"ID_DEL", L"STMT_REQ", L"STMT_HITS",
      L"STMT_HITR", L"STMT_FREE", L"STMT_MAX", L"STMT_INS", L"STMT_DEL"}},
    {L"EXTENDED_MEMORY_USAGE",
     {L"ATTACHED", L"ALLOCATED", L"USED", L"TOTAL", L"QUOTA_DIA", L"QUOTA_NDIA", L"QUOTA_DIA_64", L"QUOTA_NDIA_64"}},
    {L"HEAP_MEMORY_USAGE",
     {L"USED", L"TOTAL", L"QUOTA_DIA", L"QUOTA_NDIA", L"TOTAL_DIA", L"TOTAL_NDIA", L"QUOTA_DIA_64", L"QUOTA_NDIA_64"}},
    {L"PXA_INFO", {L"GAPS", L"PRG_GEN"}},
    {L"LOGIC_ACCESSES_64",
     {L"UPDCNT", L"UPDFAIL", L"DELCNT", L"DELFAIL", L"INSCNT", L"INSFAIL", L"DIRCNT", L"DIRFAIL", L"SEQCNT"}},
    {L"DB_ACCESSES_64", {L"UPDATE", L"DELETE", L"INSERT", L"DIRECT", L"SEQUENTIAL"}},
    {L"TOTAL_DURATIONS_64", {L"UPDATE", L"DELETE", L"INSERT", L"DIRECT", L"SEQUENTIAL"}},
    {L"TOTAL_ROWS_64", {L"UPDATE", L"DELETE", L"INSERT", L"DIRECT", L"SEQUENTIAL"}},
};
// Tables whose 64-bit or history twin has the same columns.
const std::vector<LPCWSTR> kBufferStatisticFields = {
    L"ALLOC_SIZE", L"AVAIL_SIZE", L"FRAME_SIZE", L"MAX_OBJCTS", L"HASH_WIDTH", L"CUT_VALUE", L"ACT_OBJCTS",
    L"CON_OBJCTS", L"USED_SPACE", L"MAX_FRMES",  L"ALLOC_FRMS", L"REQUEST",    L"HIT",       L"OBJ_N_FND",
    L"INSERT",     L"UPDATE",     L"REQ_DELETE", L"DELETE",     L"FREE_OBJCT", L"DB_ACCESS", L"DB_ACC_SVD",
    L"REORG",      L"SWAP",       L"SWAP_FRAME", L"SEARCH",     L"SEARCH_INS", L"SUM_SIZE",  L"SUM_SIZE2",
    L"MAX_SIZE",   L"MIN_SIZE",   L"REFRESH",    L"SIZE_UNIT",  L"RESERVE",    L"ALLOC",     L"SMODE",
    L"UP_TIME",    L"LAST_REFR",  L"NAME",       L"HITRATIO",   L"DB_QUALITY"};
const std::vector<LPCWSTR> kTableStatisticFields = {
    L"UPDCNT",     L"UPDFAIL",    L"DELCNT",   L"DELFAIL",   L"INSCNT",    L"INSFAIL",  L"DIRCNT",     L"DIRFAIL",
    L"SEQCNT",     L"SEQFAIL",    L"UPD_PREP", L"UPD_EXEC",  L"UPD_ROW",   L"UPD_DUR",  L"DEL_PREP",   L"DEL_EXEC",
    L"DEL_ROW",    L"DEL_DUR",    L"INS_PREP", L"INS_EXEC",  L"INS_ROW",   L"INS_DUR",  L"DIR_PREP",   L"DIR_OPEN",
    L"DIR_FETCH",  L"DIR_DUR",    L"SEQ_PREP", L"SEQ_OPEN",  L"SEQ_FETCH", L"SEQ_ROW",  L"SEQ_DUR",    L"LOAD_PREP",
    L"LOAD_OPEN",  L"LOAD_FETCH", L"LOAD_ROW", L"LOAD_DUR",  L"BUF_RESET", L"BUF_SIZE", L"BUF_SIZEMX", L"BUF_RECS",
    L"BUF_RECSMX", L"BUF_DIR",    L"BUF_SEQ",  L"REGIONS_N", L"SEQ_SCAN",  L"TNAME",    L"REF",        L"RNAME",
    L"BUF",        L"SQL",        L"BUF_STATE"};
const std::vector<LPCWSTR> kModeMemoryFields = {L"ROLLKEY", L"NAME", L"ATTACHED", L"IMODE", L"MEMSUM", L"PRIVSUM",
                                                L"I0",      L"I1",   L"I2",       L"I3",    L"I4",     L"I5",
                                                L"I6",      L"I7",   L"I8",       L"I9",    L"IMODEG", L"EMODEG"};

const CSummaryGroup kSummaryTables[] = {
    {L"BUFFER_STATISTIC", kBufferStatisticFields},
    {L"TABLE_STATISTIC", kTableStatisticFields},
    {L"BUFFER_NAMES", {L"BUFFERNAME", L"BUFFNAME64"}},
    {L"TABLE_QUALITIES", {L"TNAME", L"Q_DIRECTRD", L"Q_SEQRD", L"Q_TOTAL"}},
    {L"CURSOR_CACHE_INFO",
     {L"WRKPROCESS", L"SI_MAX", L"SI_REQUEST", L"SI_FOUNDS", L"SI_INSERTS", L"SI_DELETES", L"SI0_REQ", L"S_MAX",
      L"S_REQUEST", L"S_FOUNDS", L"S_INSERTS", L"S_DELETES", L"S_REPARSES", L"WP_ITYPE", L"WP_PID"}},
    {L"EXTENDED_MEMORY_ACTIVE_CONTEXT",
     {L"SRVNAME", L"HANDLE", L"ROLLKEY", L"ROLLINFO", L"ATTACHED", L"WPID", L"ACTIMODE", L"MEMSUMKB", L"PRIVSUMKB",
      L"PRIVTIME", L"TCODE", L"USEKB", L"MAXKB", L"MAXDIAKB", L"STACKMODKB", L"USGLOBALKB", L"USEHYPERKB",
      L"MEMOFREEMB"}},
    {L"ALLOC_PROCEDURE_DIA", {L"MEMTYPE", L"AMOUNT"}},
    {L"ALLOC_PROCEDURE_NONDIA", {L"MEMTYPE", L"AMOUNT"}},
    {L"INTERNAL_EXTERNAL_MODES_MEMORY", kModeMemoryFields},
    {L"MODE_MEMORY_HISTORY", kModeMemoryFields},
    {L"BUFFER_STATISTIC_64", kBufferStatisticFields},
    {L"TABLE_STATISTIC_64", kTableStatisticFields},
};
const LPCWSTR kSummaryExports[] = {L"BUFSTAT_AVAILABLE", L"CCSTAT_AVAILABLE", L"EMSTAT_AVAILABLE",
                                   L"PXAINF_AVAILABLE",  L"RPSTAT_AVAILABLE", L"TABSTAT_AVAILABLE",
                                   L"RFC_ERROR",         L"RFC_ERROR_TYPE",   L"NUMBER_OF_TABLES"};

const LPCWSTR kBuffers[] = {L"PXA", L"CUA", L"SCREEN", L"TABL", L"TABLP"};
const LPCWSTR kTables[] = {L"MARA", L"T000", L"TSTC", L"VBAK", L"DD02L", L"USR02"};

CString DateText(const tm& parts)
{
    CString text;
    text.Format(L"%04d%02d%02d", parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday);
    return text;
}

CString TimeText(const tm& parts)
{
    CString text;
    text.Format(L"%02d%02d%02d", parts.tm_hour, parts.tm_min, parts.tm_sec);
    return text;
}

void StorageInfos(CCallContext& call)
{
    const CSession& session = call.Session();
    CRandom random = call.Random(session.InstanceName(), L"SAPTUNE_GET_STORAGE_INFOS");
    CTableWriter table = call.Result(L"SHMTABLE");
    CTableWriter texts = call.Result(L"SHM_TEXTS");
    CTableWriter pools = call.Result(L"SHM_POOLS");
    long long total = 0;
    long long used = 0;
    for (const CSegment& segment : kSegments)
    {
        const long long size = segment.sizeKb * 1024;
        const long long fill = size / 100 * random.Range(40, 99);
        total += size;
        used += fill;
        table.Append()
            .Set(L"SHMKEY", segment.key)
            .Set(L"SIZE", size)
            .Set(L"PTR", L"7F0000000000")
            .Set(L"FILL", fill)
            .Set(L"PATTERN", L"0")
            .Set(L"OSKEY", 58900000 + segment.key)
            .Set(L"HANDLE", segment.key * 32768)
            .Set(L"ATTACH", L"X");
        texts.Append().Set(L"SHMKEY", segment.key).Set(L"SHMNAME", segment.name);
        if (segment.key == 10 || segment.key == 40)
            pools.Append()
                .Set(L"P_NUM", segment.key)
                .Set(L"PSIZE", size)
                .Set(L"PSIZE_USED", fill)
                .Set(L"PSIZE_NUSE", size - fill);
    }
    const long long processes = 10 + random.Range(0, 20);
    tm parts{};
    const __time64_t now = call.Now();
    _gmtime64_s(&parts, &now);
    call.Exports()
        .Set(L"SHM_TOTAL_USED", used)
        .Set(L"SHM_TOTAL", total)
        .Set(L"SHM_ASIZE_USED", used + random.Range(0, 4096))
        .Set(L"SHM_TOTAL_NOT_USED", total - used)
        .Set(L"ROLL_AREA", 262144000LL)
        .Set(L"EXT_MEM", 4294967296LL)
        .Set(L"USE_PAGING", 0LL)
        .Set(L"HEAP_AREA_TOTAL", 2000000000LL)
        .Set(L"PAGE_BUFSZ", 65536000LL)
        .Set(L"SHORT_ST", 4096LL)
        .Set(L"DW_TEXT", 12000000 + random.Range(0, 999999))
        .Set(L"DW_DATA", 3000000 + random.Range(0, 999999))
        .Set(L"DW_BSS", 600000 + random.Range(0, 99999))
        .Set(L"DW_ERROR", L"")
        .Set(L"VMEM_SIZE", processes * 300000000)
        .Set(L"VMEM_SIZE_WP", 300000000LL)
        .Set(L"WP_NUMBER", processes)
        .Set(L"CURSOR_CACHE", 2000LL)
        .Set(L"NUM_SHMS", static_cast<long long>(std::size(kSegments)))
        .Set(L"OP_SYS", session.Host().os)
        .Set(L"WP_ALL", processes * 320000000)
        .Set(L"ANALYSIS_TIME", TimeText(parts))
        .Set(L"ANALYSIS_DATE", DateText(parts));
}

// The names of a table's rows: buffers, database tables, or numbered entries.
std::vector<CString> RowNames(const CString& table, long long processes)
{
    std::vector<CString> names;
    if (table.Find(L"BUFFER") == 0)
        names.assign(std::begin(kBuffers), std::end(kBuffers));
    else if (table.Find(L"TABLE") == 0)
        names.assign(std::begin(kTables), std::end(kTables));
    else
    {
        for (long long i = 0; i < (table == L"CURSOR_CACHE_INFO" ? processes : 2); ++i)
        {
            CString name;
            name.Format(L"%s_%lld", table.Left(4).GetString(), i);
            names.push_back(name);
        }
    }
    return names;
}

void SummaryStatistic(CCallContext& call)
{
    const CSession& session = call.Session();
    CRandom random = call.Random(session.InstanceName(), L"SAPTUNE_GET_SUMMARY_STATISTIC");
    const __time64_t now = call.Now();
    const __time64_t startup = now - random.Range(1, 60) * 86400;
    tm analysis{}, started{};
    _gmtime64_s(&analysis, &now);
    _gmtime64_s(&started, &startup);
    CRecordWriter exports = call.Exports();
    exports.Set(L"ANALYSIS_DATE", DateText(analysis))
        .Set(L"ANALYSIS_TIME", TimeText(analysis))
        .Set(L"STARTUP_DATE", DateText(started))
        .Set(L"STARTUP_TIME", TimeText(started))
        .Set(L"BUFSTAT_AVAILABLE", L"X")
        .Set(L"CCSTAT_AVAILABLE", L"X")
        .Set(L"EMSTAT_AVAILABLE", L"X")
        .Set(L"PXAINF_AVAILABLE", L"X")
        .Set(L"RPSTAT_AVAILABLE", L"X")
        .Set(L"TABSTAT_AVAILABLE", L"X")
        .Set(L"RFC_ERROR", L"")
        .Set(L"RFC_ERROR_TYPE", L"")
        .Set(L"NUMBER_OF_TABLES", static_cast<long long>(std::size(kTables)));
    for (const CSummaryGroup& structure : kSummaryStructures)
    {
        CRecordWriter writer = exports.Structure(structure.name);
        for (LPCWSTR field : structure.fields)
            writer.Set(field, random.Range(0, 999999));
    }
    const long long processes = 5 + random.Range(0, 10);
    for (const CSummaryGroup& table : kSummaryTables)
    {
        CTableWriter writer = call.Result(table.name);
        for (const CString& name : RowNames(table.name, processes))
        {
            CRecordWriter row = writer.Append();
            for (LPCWSTR field : table.fields)
            {
                const CString column = field;
                if (column == L"NAME" || column == L"TNAME" || column.Find(L"BUFF") == 0 || column == L"SRVNAME")
                    row.Set(field, name);
                else
                    row.Set(field, random.Range(0, 999999));
            }
        }
    }
}
} // namespace

void RegisterTuningModules(CModuleRegistry& registry)
{
    std::vector<CFieldDef> parameters = {Import(L"DESTINATION", 32, L"NONE")};
    for (LPCWSTR name : {L"SHM_TOTAL_USED", L"SHM_TOTAL",  L"SHM_ASIZE_USED",  L"SHM_TOTAL_NOT_USED", L"ROLL_AREA",
                         L"EXT_MEM",        L"USE_PAGING", L"HEAP_AREA_TOTAL", L"PAGE_BUFSZ",         L"SHORT_ST",
                         L"DW_TEXT",        L"DW_DATA",    L"DW_BSS",          L"DW_ERROR",           L"VMEM_SIZE",
                         L"VMEM_SIZE_WP",   L"WP_NUMBER",  L"CURSOR_CACHE",    L"NUM_SHMS",           L"OP_SYS",
                         L"WP_ALL"})
        parameters.push_back(Export(name, 20));
    parameters.insert(
        parameters.end(),
        {Export(Time(L"ANALYSIS_TIME")), Export(Date(L"ANALYSIS_DATE")),
         Tables(L"SHM_POOLS", registry.AddType(L"SHM_POOL", {Char(L"P_NUM", 4), Char(L"PSIZE", 20),
                                                             Char(L"PSIZE_USED", 20), Char(L"PSIZE_NUSE", 20)})),
         Tables(L"SHMTABLE",
                registry.AddType(L"SHM_SEGMENT",
                                 {Char(L"SHMKEY", 6), Char(L"SIZE", 20), Char(L"PTR", 16), Char(L"FILL", 20),
                                  Char(L"PATTERN", 4), Char(L"OSKEY", 11), Char(L"HANDLE", 11), Char(L"ATTACH", 1)})),
         Tables(L"SHM_TEXTS", registry.AddType(L"SHM_TEXT", {Char(L"SHMKEY", 6), Char(L"SHMNAME", 40)}))});
    registry.AddModule(L"SAPTUNE_GET_STORAGE_INFOS", std::move(parameters), StorageInfos);

    std::vector<CFieldDef> summary = {Import(L"DESTINATION", 32, L"NONE"), Export(Date(L"ANALYSIS_DATE")),
                                      Export(Time(L"ANALYSIS_TIME")), Export(Date(L"STARTUP_DATE")),
                                      Export(Time(L"STARTUP_TIME"))};
    for (LPCWSTR name : kSummaryExports)
        summary.push_back(Export(name, 20));
    const auto fieldsOf = [](const CSummaryGroup& group) {
        std::vector<CFieldDef> fields;
        for (LPCWSTR field : group.fields)
            fields.push_back(Char(field, 20));
        return fields;
    };
    for (const CSummaryGroup& structure : kSummaryStructures)
        summary.push_back(ExportStructure(structure.name, registry.AddType(structure.name, fieldsOf(structure))));
    for (const CSummaryGroup& table : kSummaryTables)
        summary.push_back(Tables(table.name, registry.AddType(table.name, fieldsOf(table))));
    registry.AddModule(L"SAPTUNE_GET_SUMMARY_STATISTIC", std::move(summary), SummaryStatistic);
}

} // namespace sapsim
