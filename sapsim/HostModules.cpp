// The operating-system collector's modules: the GET_ readers of host figures, GET_PARAMETER,
// SMON_READ_HARDWARE_DESCR_FILE and TH_ENVIRONMENT. Figures follow the working day of the
// host's time zone and are the same for the same host, seed and minute, whichever instance
// reads them.
#include <sapsim/CallContext.h>
#include <sapsim/ModuleRegistry.h>

#include <algorithm>
#include <cmath>

namespace sapsim
{
namespace
{
enum class Status
{
    None,
    WithoutOs,
    WithOs,
};

using RowFiller = void (*)(CCallContext&, const CHostInfo&, CTableWriter&);

struct CHostModule
{
    LPCWSTR name;
    LPCWSTR table;
    Status status;
    bool mainframe; // has the import SYSTEM_ID
    std::vector<CFieldDef> exports;
    std::vector<CFieldDef> columns;
    RowFiller rows;
};

const int kCollectorInterval = 10; // seconds

// Share of the host's capacity in use: low at night and at weekends, highest in the afternoon.
double Activity(const CCallContext& call, const CHostInfo& host)
{
    const __time64_t local = call.Now() / 60 * 60 + host.timeZone; // one value a minute
    const double hour = static_cast<double>(local % 86400) / 3600.0;
    const long long weekday = (local / 86400 + 4) % 7; // 1970-01-01 was a Thursday
    double activity = 0.12;
    if (weekday >= 1 && weekday <= 5 && hour > 7.0 && hour < 19.0)
        activity += 0.65 * std::sin((hour - 7.0) / 12.0 * 3.14159265358979);
    return activity;
}

long long Scaled(CRandom& random, double base, double spread)
{
    const double noise = static_cast<double>(random.Range(-1000, 1000)) / 1000.0 * spread;
    return std::max(0LL, std::llround(base * (1.0 + noise)));
}

CString Timestamp(__time64_t moment)
{
    tm parts{};
    _gmtime64_s(&parts, &moment);
    CString text;
    text.Format(L"%04d/%02d/%02d %02d:%02d:%02d", parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
                parts.tm_min, parts.tm_sec);
    return text;
}

bool IsWindows(const CHostInfo& host)
{
    return host.os == L"Windows NT";
}

void CpuRows(CCallContext& call, const CHostInfo& host, CTableWriter& table)
{
    CRandom random = call.Random(host.name, L"CPU");
    const double activity = Activity(call, host);
    const long long user = std::min(95LL, Scaled(random, activity * 80.0, 0.2));
    const long long system = std::min(100 - user, Scaled(random, activity * 12.0 + 1.0, 0.3));
    const long long wait = std::min(100 - user - system, Scaled(random, activity * 4.0, 0.5));
    const long long idle = 100 - user - system;
    const double load = activity * host.cpus * 100.0;
    table.Append()
        .Set(L"TYPE", L"CPU")
        .Set(L"SUBTYPE", L"ALL")
        .Set(L"SERIALNR", 1LL)
        .Set(L"NBR_CPU", host.cpus)
        .Set(L"LOAD1_AVG", Scaled(random, load, 0.25))
        .Set(L"LOAD5_AVG", Scaled(random, load, 0.12))
        .Set(L"LOAD15_AVG", Scaled(random, load, 0.05))
        .Set(L"INT_SEC", Scaled(random, 800.0 * host.cpus * (0.3 + activity), 0.2))
        .Set(L"SYSC_SEC", Scaled(random, 5000.0 * host.cpus * (0.2 + activity), 0.2))
        .Set(L"CS_SEC", Scaled(random, 2500.0 * host.cpus * (0.2 + activity), 0.2))
        .Set(L"USR_TOTAL", user)
        .Set(L"SYS_TOTAL", system)
        .Set(L"IDLE_TOTAL", idle)
        .Set(L"IDLE_TRUE", idle - wait)
        .Set(L"WAIT_TRUE", wait);
}

// Only partitioned hosts report a partition; the others answer partition 0.
void VirtualCpuRows(CCallContext& call, const CHostInfo& host, CTableWriter& table)
{
    CRecordWriter row = table.Append();
    row.Set(L"TYPE", L"CPU").Set(L"SUBTYPE", L"VIRT").Set(L"SERIALNR", 1LL);
    if (host.os != L"HOX")
    {
        row.Set(L"PARTITION_ID", 0LL);
        return;
    }
    CRandom random = call.Random(host.name, L"CPU_VIRT");
    const double activity = Activity(call, host);
    const long long entitlement = host.cpus * 50;
    CString partition = host.name;
    row.Set(L"PARTITION_NAME", partition.MakeUpper())
        .Set(L"PARTITION_ID", 1 + static_cast<long long>(CRandom::Mix(call.Session().Topology().seed, host.name) % 32))
        .Set(L"PARTITION_TYPE", 2LL)
        .Set(L"POOL_CPU", host.cpus * 2)
        .Set(L"VIRTUAL_CPU", host.cpus)
        .Set(L"PART_CONFIG", 1LL)
        .Set(L"THREADS", 4LL)
        .Set(L"PHYS_CPU_CONSUMP", Scaled(random, activity * host.cpus * 100.0, 0.2))
        .Set(L"PHYS_CPU_IDLE", Scaled(random, (1.0 - activity) * host.cpus * 100.0, 0.1))
        .Set(L"ENTITLEMENT", entitlement)
        .Set(L"ENTITLEMENT_CONSUMP", Scaled(random, activity * 150.0, 0.2))
        .Set(L"AVAILABLE", host.cpus * 100)
        .Set(L"AVAILABLE_CONSUMP", Scaled(random, activity * 100.0, 0.2))
        .Set(L"MODELNAME", host.model)
        .Set(L"PROCESSOR", host.model)
        .Set(L"FREQUENCY", host.cpuMHz);
}

void MemoryRows(CCallContext& call, const CHostInfo& host, CTableWriter& table)
{
    CRandom random = call.Random(host.name, L"MEM");
    const double activity = Activity(call, host);
    const long long physical = host.memoryMB * 1024LL;
    const long long swap = host.swapMB * 1024LL;
    table.Append()
        .Set(L"TYPE", L"MEM")
        .Set(L"SUBTYPE", L"ALL")
        .Set(L"SERIALNR", 1LL)
        .Set(L"IN_PG_SEC", Scaled(random, activity * 40.0, 0.5))
        .Set(L"OUT_PG_SEC", Scaled(random, activity * 12.0, 0.5))
        .Set(L"IN_KB_SEC", Scaled(random, activity * 160.0, 0.5))
        .Set(L"OUT_KB_SEC", Scaled(random, activity * 48.0, 0.5))
        .Set(L"FREE_MEM", std::min(physical, Scaled(random, physical * (0.55 - 0.4 * activity), 0.05)))
        .Set(L"PHYS_MEM", physical)
        .Set(L"SWAP_CONF", swap)
        .Set(L"SWAP_FREE", std::min(swap, Scaled(random, swap * (0.97 - 0.1 * activity), 0.01)))
        .Set(L"SWAP_SIZE", swap)
        .Set(L"SWAP_MAX", swap);
}

void DiskRows(CCallContext& call, const CHostInfo& host, CTableWriter& table)
{
    const double activity = Activity(call, host);
    for (const CDiskInfo& disk : host.disks)
    {
        CRandom random = call.Random(host.name, L"DISK" + disk.name);
        const long long operations = Scaled(random, 40.0 + activity * 600.0, 0.3);
        table.Append()
            .Set(L"TYPE", L"DISK")
            .Set(L"SUBTYPE", L"SINGLE")
            .Set(L"SERIALNR", 1LL)
            .Set(L"DISKNAME", disk.name)
            .Set(L"UTIL", std::min(100LL, Scaled(random, 5.0 + activity * 60.0, 0.3)))
            .Set(L"AVG_QUEUEL", Scaled(random, activity * 3.0, 0.5))
            .Set(L"AVG_WAIT", Scaled(random, 1.0 + activity * 4.0, 0.4))
            .Set(L"AVG_SERVIC", Scaled(random, 2.0 + activity * 3.0, 0.3))
            .Set(L"KB_SEC", operations * 16)
            .Set(L"OP_SEC", operations)
            .Set(L"RESPONSE", Scaled(random, 3.0 + activity * 7.0, 0.3));
    }
}

// One file system per disk, filling slowly over the days.
void FileSystemRows(CCallContext& call, const CHostInfo& host, CTableWriter& table)
{
    const LPCWSTR kMounts[] = {L"/", L"/usr/sap", L"/sapmnt", L"/data", L"/backup"};
    const double days = static_cast<double>(call.Now() / 86400 % 365);
    for (size_t i = 0; i < host.disks.size(); ++i)
    {
        CString name;
        if (IsWindows(host))
            name.Format(L"%c:\\", static_cast<wchar_t>(L'C' + i));
        else
            name = i < std::size(kMounts) ? CString(kMounts[i]) : L"/data" + host.disks[i].name;
        const long long capacity = host.disks[i].capacityMB;
        const double used = std::min(0.95, 0.35 + 0.1 * static_cast<double>(i % 3) + days / 365.0 * 0.4);
        table.Append()
            .Set(L"TYPE", L"FSYS")
            .Set(L"SUBTYPE", L"SINGLE")
            .Set(L"SERIALNR", 1LL)
            .Set(L"FSYSNAME", name)
            .Set(L"CAPACITY", capacity)
            .Set(L"FREE", std::llround(capacity * (1.0 - used)));
    }
}

void LanRows(CCallContext& call, const CHostInfo& host, CTableWriter& table)
{
    const double activity = Activity(call, host);
    for (const CString& lan : host.lans)
    {
        CRandom random = call.Random(host.name, L"LAN" + lan);
        const bool loopback = lan == L"lo";
        const long long in = Scaled(random, (loopback ? 50.0 : 400.0) + activity * 6000.0, 0.3);
        const long long out = Scaled(random, (loopback ? 50.0 : 300.0) + activity * 5000.0, 0.3);
        table.Append()
            .Set(L"TYPE", L"LAN")
            .Set(L"SUBTYPE", L"SINGLE")
            .Set(L"SERIALNR", 1LL)
            .Set(L"LANNAME", lan)
            .Set(L"IN_PACKETS", in)
            .Set(L"OUT_PACKET", out)
            .Set(L"IN_ERRORS", 0LL)
            .Set(L"OUT_ERRORS", 0LL)
            .Set(L"COLLISIONS", 0LL)
            .Set(L"PACKETS", in + out);
    }
}

void ProcessRows(CCallContext& call, const CHostInfo& host, CTableWriter& table)
{
    struct Process
    {
        LPCWSTR command;
        LPCWSTR user; // %s: the system id in lower case
        double share;
        int residentMB;
    };
    const Process kProcesses[] = {
        {L"disp+work", L"%sadm", 0.30, 1800}, {L"disp+work", L"%sadm", 0.22, 1500},
        {L"disp+work", L"%sadm", 0.15, 1200}, {L"oracle", L"ora%s", 0.12, 4200},
        {L"disp+work", L"%sadm", 0.08, 900},  {L"gwrd", L"%sadm", 0.02, 60},
        {L"icman", L"%sadm", 0.02, 120},      {L"msg_server", L"%sadm", 0.01, 40},
        {L"saposcol", L"root", 0.01, 30},     {L"sapstartsrv", L"%sadm", 0.005, 80},
    };
    const double activity = Activity(call, host);
    CString sid = call.Session().System().id;
    sid.MakeLower();
    const long long uptimeSeconds = call.Now() % (30 * 86400) + 3600;
    CRandom random = call.Random(host.name, L"PROCESS");
    int index = 0;
    for (const Process& process : kProcesses)
    {
        CString user;
        user.Format(process.user, sid.GetString());
        if (IsWindows(host))
            user = L"SAPService" + call.Session().System().id;
        const long long cpuSeconds = std::llround(uptimeSeconds * process.share * 0.2);
        CString cpuTime;
        cpuTime.Format(L"%lld:%02lld:%02lld", cpuSeconds / 3600, cpuSeconds / 60 % 60, cpuSeconds % 60);
        table.Append()
            .Set(L"TYPE", L"PROC")
            .Set(L"SUBTYPE", L"TOP")
            .Set(L"SERIALNR", 1LL)
            .Set(L"PROC_ID", 1200 + 37 * index + static_cast<long long>(CRandom::Mix(7, host.name) % 900))
            .Set(L"USERNAME", user)
            .Set(L"COMMAND", IsWindows(host) ? CString(process.command) + L".EXE" : CString(process.command))
            .Set(L"CPU_UTIL", Scaled(random, process.share * activity * 100.0, 0.3))
            .Set(L"CPU_TIME", cpuTime)
            .Set(L"RES_SIZE", process.residentMB * 1024LL)
            .Set(L"PRIORITY", 20LL)
            .Set(L"PRIV_PAGES", process.residentMB * 200LL);
        ++index;
    }
}

// The mainframe figures exist only on mainframe hosts; elsewhere the tables stay empty.
void LparRows(CCallContext& call, const CHostInfo& host, CTableWriter& table)
{
    if (host.os != L"KEMRA")
        return;
    const int partitions = 3;
    call.Exports()
        .Set(L"CPU_MODEL", host.model)
        .Set(L"NUM_OF_PROCESSORS", host.cpus)
        .Set(L"NUM_OF_LOG_PARTITIONS", partitions);
    for (int i = 0; i < partitions; ++i)
    {
        CString name;
        name.Format(L"LPAR%d", i + 1);
        table.Append()
            .Set(L"NAME", name)
            .Set(L"ACTIVE", L"Y")
            .Set(L"CPUS", host.cpus / partitions + 1)
            .Set(L"WEIGHT", 100 - 20 * i)
            .Set(L"CAPPING", i == 2 ? L"YES" : L"NO");
    }
}

void PagingRows(CCallContext& call, const CHostInfo& host, CTableWriter& table)
{
    if (host.os != L"KEMRA")
        return;
    CRandom random = call.Random(host.name, L"SPAG");
    const double activity = Activity(call, host);
    table.Append()
        .Set(L"TYPE", L"SPAG")
        .Set(L"SUBTYPE", L"ALL")
        .Set(L"SERIALNR", 1LL)
        .Set(L"INTRVALSEC", 60LL)
        .Set(L"AVGPROCUTL", Scaled(random, activity * 90.0, 0.2))
        .Set(L"AVGSYSPGRT", Scaled(random, activity * 20.0, 0.4))
        .Set(L"AVGKEMRACUTL", Scaled(random, activity * 70.0, 0.2))
        .Set(L"PG_IN", Scaled(random, activity * 300.0, 0.4))
        .Set(L"PG_OUT", Scaled(random, activity * 120.0, 0.4))
        .Set(L"PG_IN_PRV", Scaled(random, activity * 80.0, 0.4))
        .Set(L"PG_OT_PRV", Scaled(random, activity * 30.0, 0.4))
        .Set(L"PG_TO_EXST", Scaled(random, activity * 20.0, 0.4))
        .Set(L"PG_FR_EXST", Scaled(random, activity * 25.0, 0.4))
        .Set(L"PG_IN_BLCK", Scaled(random, activity * 10.0, 0.4))
        .Set(L"PG_IN_BNUM", Scaled(random, activity * 40.0, 0.4));
}

void StorageRows(CCallContext& call, const CHostInfo& host, CTableWriter& table)
{
    if (host.os != L"KEMRA")
        return;
    CRandom random = call.Random(host.name, L"STOR");
    const double activity = Activity(call, host);
    table.Append()
        .Set(L"TYPE", L"STOR")
        .Set(L"SUBTYPE", L"ALL")
        .Set(L"SERIALNR", 1LL)
        .Set(L"INTRVALSEC", 60LL)
        .Set(L"HIGH_UIC_C", Scaled(random, 2540.0 * (1.0 - activity), 0.1))
        .Set(L"X_MIG_AGE", Scaled(random, 4000.0 * (1.0 - activity), 0.2))
        .Set(L"C_FRM_AVAL", Scaled(random, host.memoryMB * 256.0 * (0.5 - 0.3 * activity), 0.1))
        .Set(L"X_FRM_AVAL", Scaled(random, host.memoryMB * 64.0 * (0.5 - 0.3 * activity), 0.1));
}

std::vector<CFieldDef> Columns(std::initializer_list<LPCWSTR> names, unsigned width,
                               std::initializer_list<CFieldDef> texts = {})
{
    std::vector<CFieldDef> columns = {Char(L"TYPE", 10), Char(L"SUBTYPE", 10), Char(L"SERIALNR", 11)};
    for (LPCWSTR name : names)
        columns.push_back(Char(name, width));
    for (const CFieldDef& text : texts)
    {
        const auto it = std::find_if(columns.begin(), columns.end(),
                                     [&](const CFieldDef& column) { return column.name == text.name; });
        *it = text;
    }
    return columns;
}

std::vector<CHostModule> HostModules()
{
    const unsigned kNumber = 11;
    return {
        {L"GET_CPU_ALL",
         L"TF_CPU_ALL",
         Status::WithOs,
         false,
         {},
         Columns({L"NBR_CPU", L"LOAD1_AVG", L"LOAD5_AVG", L"LOAD15_AVG", L"INT_SEC", L"SYSC_SEC", L"CS_SEC",
                  L"USR_TOTAL", L"SYS_TOTAL", L"IDLE_TOTAL", L"IDLE_TRUE", L"WAIT_TRUE"},
                 kNumber),
         CpuRows},
        {L"GET_CPU_VIRT_HOX",
         L"TF_CPU_VIRT_HOX",
         Status::WithOs,
         false,
         {},
         Columns({L"PARTITION_NAME", L"PARTITION_ID", L"PARTITION_TYPE", L"POOL_CPU", L"VIRTUAL_CPU", L"PART_CONFIG",
                  L"THREADS", L"PHYS_CPU_CONSUMP", L"PHYS_CPU_IDLE", L"ENTITLEMENT", L"ENTITLEMENT_CONSUMP",
                  L"AVAILABLE", L"AVAILABLE_CONSUMP", L"MODELNAME", L"PROCESSOR", L"FREQUENCY"},
                 kNumber, {Char(L"PARTITION_NAME", 64), Char(L"MODELNAME", 64), Char(L"PROCESSOR", 64)}),
         VirtualCpuRows},
        {L"GET_MEM_ALL",
         L"TF_MEM_ALL",
         Status::WithoutOs,
         false,
         {},
         Columns({L"IN_PG_SEC", L"OUT_PG_SEC", L"IN_KB_SEC", L"OUT_KB_SEC", L"FREE_MEM", L"PHYS_MEM", L"SWAP_CONF",
                  L"SWAP_FREE", L"SWAP_SIZE", L"SWAP_MAX"},
                 kNumber),
         MemoryRows},
        {L"GET_DISK_SINGLE",
         L"TF_DISK_SINGLE",
         Status::WithoutOs,
         false,
         {},
         Columns({L"DISKNAME", L"UTIL", L"AVG_QUEUEL", L"AVG_WAIT", L"AVG_SERVIC", L"KB_SEC", L"OP_SEC", L"RESPONSE"},
                 kNumber, {Char(L"DISKNAME", 36)}),
         DiskRows},
        {L"GET_FSYS_SINGLE",
         L"TF_FSYS_SINGLE",
         Status::WithoutOs,
         false,
         {},
         Columns({L"FSYSNAME", L"CAPACITY", L"FREE"}, kNumber, {Char(L"FSYSNAME", 36)}),
         FileSystemRows},
        {L"GET_LAN_SINGLE",
         L"TF_LAN_SINGLE",
         Status::WithoutOs,
         false,
         {},
         Columns({L"LANNAME", L"IN_PACKETS", L"OUT_PACKET", L"IN_ERRORS", L"OUT_ERRORS", L"COLLISIONS", L"PACKETS"},
                 kNumber, {Char(L"LANNAME", 8)}),
         LanRows},
        {L"GET_TOP_SINGLE",
         L"TF_TOP_SINGLE",
         Status::WithoutOs,
         false,
         {},
         Columns(
             {L"PROC_ID", L"USERNAME", L"COMMAND", L"CPU_UTIL", L"CPU_TIME", L"RES_SIZE", L"PRIORITY", L"PRIV_PAGES"},
             kNumber, {Char(L"USERNAME", 12), Char(L"COMMAND", 40), Char(L"CPU_TIME", 8)}),
         ProcessRows},
        {L"GET_KEMRA_LPAR_INFO",
         L"TF_LPAR_INFO",
         Status::None,
         true,
         {Export(L"CPU_MODEL", 52), Export(L"NUM_OF_PROCESSORS", kNumber), Export(L"NUM_OF_LOG_PARTITIONS", kNumber)},
         {Char(L"NAME", 10), Char(L"ACTIVE", 1), Char(L"CPUS", 4), Char(L"WEIGHT", 4), Char(L"CAPPING", 3)},
         LparRows},
        {L"GET_KEMRA_SPAG_ALL",
         L"TF_SPAG_ALL",
         Status::WithOs,
         true,
         {},
         Columns({L"INTRVALSEC", L"AVGPROCUTL", L"AVGSYSPGRT", L"AVGKEMRACUTL", L"PG_IN", L"PG_OUT", L"PG_IN_PRV",
                  L"PG_OT_PRV", L"PG_TO_EXST", L"PG_FR_EXST", L"PG_IN_BLCK", L"PG_IN_BNUM"},
                 kNumber),
         PagingRows},
        {L"GET_KEMRA_STOR_ALL",
         L"TF_STOR_ALL",
         Status::WithOs,
         true,
         {},
         Columns({L"INTRVALSEC", L"HIGH_UIC_C", L"X_MIG_AGE", L"C_FRM_AVAL", L"X_FRM_AVAL"}, kNumber),
         StorageRows},
    };
}

// "TF_CPU_ALL" -> "F_CPU_ALL_READ"
CString ReadFlagName(LPCWSTR table)
{
    return CString(table).Mid(1) + L"_READ";
}

const LPCWSTR kStatusFields[] = {L"ACTIVEFLAG",  L"INTERVAL",    L"OP_SYSTEM",   L"DETAILSCOLL", L"DETAILSREQI",
                                 L"DETAILSMODE", L"LASTCOLLWRT", L"LASTCOLLINT", L"NORMCOLLINT"};

void SetStatus(CCallContext& call, const CHostInfo& host, LPCWSTR table, Status status)
{
    CRecordWriter exports = call.Exports();
    exports.Set(ReadFlagName(table), L"X")
        .Set(L"ACTIVEFLAG", 1LL)
        .Set(L"INTERVAL", kCollectorInterval)
        .Set(L"DETAILSCOLL", 1LL)
        .Set(L"DETAILSREQI", 0LL)
        .Set(L"DETAILSMODE", 0LL)
        .Set(L"LASTCOLLWRT", Timestamp(call.Now() - call.Now() % kCollectorInterval))
        .Set(L"LASTCOLLINT", kCollectorInterval)
        .Set(L"NORMCOLLINT", kCollectorInterval);
    if (status == Status::WithOs)
        exports.Set(L"OP_SYSTEM", host.os);
}

void AddHostModule(CModuleRegistry& registry, const CHostModule& module)
{
    std::vector<CFieldDef> parameters = {Import(L"LOCAL_REMOTE", 6, L"LOCAL"), Import(L"LOGICAL_DESTINATION", 32)};
    if (module.mainframe)
        parameters.push_back(Import(L"SYSTEM_ID", 11, L"0"));
    if (module.status != Status::None)
    {
        parameters.push_back(Export(ReadFlagName(module.table), 1));
        for (LPCWSTR field : kStatusFields)
        {
            if (module.status == Status::WithOs || CString(field) != L"OP_SYSTEM")
                parameters.push_back(Export(field, CString(field) == L"LASTCOLLWRT" ? 25 : 11));
        }
    }
    parameters.insert(parameters.end(), module.exports.begin(), module.exports.end());
    parameters.push_back(Tables(module.table, registry.AddType(module.table, module.columns)));
    const CString table = module.table;
    const Status status = module.status;
    const RowFiller rows = module.rows;
    registry.AddModule(module.name, std::move(parameters), [table, status, rows](CCallContext& call) {
        const CHostInfo& host = call.TargetHost();
        if (status != Status::None)
            SetStatus(call, host, table, status);
        CTableWriter writer = call.Result(table);
        rows(call, host, writer);
    });
}

// The collector's own parameters, as GET_PARAMETER reports them.
void Parameters(CCallContext& call)
{
    const CHostInfo& host = call.TargetHost();
    const __time64_t started = call.Now() - call.Now() % 86400 - 3 * 86400 + 6 * 3600;
    const long long records = (call.Now() - started) / kCollectorInterval;
    call.Exports()
        .Set(L"FP_RECCOUNT", std::min(records, 8640LL))
        .Set(L"FP_MAXRECORDS", 8640LL)
        .Set(L"FP_RECORDSIZE", 1024LL)
        .Set(L"FP_ACTIVEFLAG", 1LL)
        .Set(L"FP_INTERVAL", kCollectorInterval)
        .Set(L"FP_COLLVERSION", L"COLL 20.95 700 - 20.64 NW 7.00 (2007/03/01)")
        .Set(L"FP_COLLSINCE", Timestamp(started))
        .Set(L"FP_OPSYSTEM", host.os + L" " + host.osRelease)
        .Set(L"FP_DETAILSCOLL", 1LL)
        .Set(L"FP_DETAILSREQI", 0LL)
        .Set(L"FP_DETAILSMODE", 0LL)
        .Set(L"FP_LASTCOLLWRT", Timestamp(call.Now() - call.Now() % kCollectorInterval))
        .Set(L"FP_LASTCOLLINT", kCollectorInterval)
        .Set(L"FP_NORMCOLLINT", kCollectorInterval)
        .Set(L"FP_TRACELEVEL", 1LL)
        .Set(L"FP_IDLEINTERVAL", 60LL)
        .Set(L"FP_IDLEAFTER", 0LL);
}

// The file that CONTROL_PERF_REQUEST named: "...hwinfo_<host>_<request>.txt".
void HardwareDescription(CCallContext& call)
{
    const CString file = call.Import(L"FILE_NAME");
    const int start = file.Find(L"hwinfo_");
    const int end = start < 0 ? -1 : file.Find(L'_', start + 7);
    const CHostInfo* host =
        end < 0 ? nullptr : call.Session().Topology().FindHost(file.Mid(start + 7, end - start - 7));
    if (host == nullptr)
        call.Raise(L"FILE_NOT_FOUND");
    std::vector<CString> lines;
    CString line;
    line.Format(L"Hardware description of host %s", host->name.GetString());
    lines.push_back(line);
    line.Format(L"Operating system: %s %s", host->os.GetString(), host->osRelease.GetString());
    lines.push_back(line);
    line.Format(L"Processor: %s", host->model.GetString());
    lines.push_back(line);
    line.Format(L"Number of processors: %d", host->cpus);
    lines.push_back(line);
    line.Format(L"Processor speed (MHz): %d", host->cpuMHz);
    lines.push_back(line);
    line.Format(L"Physical memory (MB): %d", host->memoryMB);
    lines.push_back(line);
    line.Format(L"Swap space (MB): %d", host->swapMB);
    lines.push_back(line);
    for (const CDiskInfo& disk : host->disks)
    {
        line.Format(L"Disk %s (MB): %d", disk.name.GetString(), disk.capacityMB);
        lines.push_back(line);
    }
    for (const CString& lan : host->lans)
        lines.push_back(L"Network interface: " + lan);
    CTableWriter table = call.Result(L"HW_OBJECT_DESCR_TBL");
    for (const CString& text : lines)
        table.Append().Set(L"DESCR", text);
}

void Environment(CCallContext& call)
{
    const CSession& session = call.Session();
    const CHostInfo& host = session.Host();
    const CDatabaseInfo& database = *session.Topology().FindDatabase(session.System().database);
    const CString& sid = session.System().id;
    std::vector<CString> lines = {L"SAPSYSTEMNAME=" + sid, L"SAPSYSTEM=" + session.Instance().sysnr,
                                  L"HOSTNAME=" + host.name, L"dbms_type=" + database.system,
                                  L"dbs_name=" + database.name};
    if (IsWindows(host))
        lines.insert(lines.end(), {L"Path=C:\\usr\\sap\\" + sid + L"\\SYS\\exe\\uc\\NTAMD64;C:\\Windows\\system32",
                                   L"OS=Windows_NT", L"PROCESSOR_ARCHITECTURE=AMD64"});
    else
        lines.insert(lines.end(),
                     {L"PATH=/usr/sap/" + sid + L"/SYS/exe/run:/usr/bin:/bin", L"SHELL=/bin/csh", L"LANG=en_US.UTF-8"});
    if (database.system == L"ORACLE")
    {
        CString version = database.release;
        version.Remove(L'.');
        lines.push_back(L"ORACLE_HOME=/oracle/" + sid + L"/" + version.Left(3) + L"_64");
    }
    CTableWriter table = call.Result(L"ENVIRONMENT");
    for (const CString& line : lines)
        table.Append().Set(L"LINE", line);
}
} // namespace

void RegisterHostModules(CModuleRegistry& registry)
{
    for (const CHostModule& module : HostModules())
        AddHostModule(registry, module);

    registry.AddModule(L"GET_PARAMETER",
                       {Import(L"LOCAL_REMOTE", 6, L"LOCAL"), Import(L"LOGICAL_DESTINATION", 32),
                        Export(L"FP_RECCOUNT", 11), Export(L"FP_MAXRECORDS", 11), Export(L"FP_RECORDSIZE", 11),
                        Export(L"FP_ACTIVEFLAG", 11), Export(L"FP_INTERVAL", 11), Export(L"FP_COLLVERSION", 52),
                        Export(L"FP_COLLSINCE", 25), Export(L"FP_OPSYSTEM", 52), Export(L"FP_DETAILSCOLL", 11),
                        Export(L"FP_DETAILSREQI", 11), Export(L"FP_DETAILSMODE", 11), Export(L"FP_LASTCOLLWRT", 25),
                        Export(L"FP_LASTCOLLINT", 11), Export(L"FP_NORMCOLLINT", 11), Export(L"FP_TRACELEVEL", 11),
                        Export(L"FP_IDLEINTERVAL", 11), Export(L"FP_IDLEAFTER", 11)},
                       Parameters);

    registry.AddModule(L"SMON_READ_HARDWARE_DESCR_FILE",
                       {Import(L"FILE_NAME", 255),
                        Tables(L"HW_OBJECT_DESCR_TBL", registry.AddType(L"HW_OBJECT_DESCR", {Char(L"DESCR", 255)}))},
                       HardwareDescription);

    registry.AddModule(L"TH_ENVIRONMENT",
                       {Tables(L"ENVIRONMENT", registry.AddType(L"ENVIRONMENT_LINE", {Char(L"LINE", 255)}))},
                       Environment);
}

} // namespace sapsim
