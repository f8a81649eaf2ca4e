// The modules that describe one application server instance: TH_SAPREL, PFL_GET_SERVER_PARAM_VALUES,
// TH_REQUEST_QUEUE and TH_WPINFO. Queues and work processes change from minute to minute.
#include <sapsim/CallContext.h>
#include <sapsim/ModuleRegistry.h>

namespace sapsim
{
namespace
{
struct CWorkProcessKind
{
    LPCWSTR type;     // WP_TYP
    LPCWSTR queue;    // the request queue that feeds it
    unsigned count;   // processes of an instance offering the service
    unsigned service; // message-type bit of the service, 0 for all instances
};

const CWorkProcessKind kWorkProcessKinds[] = {
    {L"DIA", L"DIA", 6, 0}, {L"UPD", L"UPD", 2, 2},  {L"ENQ", L"ENQ", 1, 4},
    {L"BTC", L"BTC", 3, 8}, {L"SPO", L"SPO", 1, 16}, {L"UP2", L"UP2", 1, 32},
};

const LPCWSTR kReports[] = {L"SAPMSSY1", L"RSM13000", L"SAPLSDTX", L"RSBTCRTE", L"SAPMV45A"};
const LPCWSTR kTables[] = {L"VBAK", L"MARA", L"TBTCO", L"VBHDR", L"DD03L"};

void KernelRelease(CCallContext& call)
{
    const CSession& session = call.Session();
    const CDatabaseInfo* database = session.Topology().FindDatabase(session.System().database);
    const CString dbLibrary = database != nullptr ? database->system + L" " + database->release : CString(L"");
    const CString patchLevel = L"100";
    call.Exports()
        .Set(L"KERN_REL", session.System().kernel)
        .Set(L"KERN_DBLIB", dbLibrary)
        .Set(L"KERN_COMP_ON", session.Host().os + L" " + session.Host().osRelease)
        .Set(L"KERN_COMP_TIME", L"Jan 12 2026 08:15:42")
        .Set(L"KERN_PATCHLEVEL", patchLevel);
    CTableWriter lines = call.Result(L"KERN_INFO");
    lines.Append().Set(L"THLINE", L"kernel release                " + session.System().kernel);
    lines.Append().Set(L"THLINE", L"kernel patch number           " + patchLevel);
    lines.Append().Set(L"THLINE", L"database library              " + dbLibrary);
}

CString Number(long long value)
{
    CString text;
    text.Format(L"%lld", value);
    return text;
}

unsigned ProcessCount(const CInstanceInfo& instance, const CWorkProcessKind& kind)
{
    return kind.service == 0 || (instance.services & kind.service) != 0 ? kind.count : 0;
}

// The user value is set where the instance profile differs from the default.
void ServerParameters(CCallContext& call)
{
    const CSession& session = call.Session();
    const CInstanceInfo& instance = session.Instance();
    struct CParameter
    {
        LPCWSTR name;
        CString user;
        CString dflt;
    };
    const CParameter parameters[] = {
        {L"SAPSYSTEMNAME", session.System().id, L""},
        {L"SAPSYSTEM", instance.sysnr, L""},
        {L"rdisp/wp_no_dia", Number(ProcessCount(instance, kWorkProcessKinds[0])), L"2"},
        {L"rdisp/wp_no_vb", Number(ProcessCount(instance, kWorkProcessKinds[1])), L"1"},
        {L"rdisp/wp_no_btc", Number(ProcessCount(instance, kWorkProcessKinds[3])), L"1"},
        {L"rdisp/max_wprun_time", L"", L"600"},
        {L"abap/heap_area_total", Number(session.Host().memoryMB / 2LL * 1048576), L"2000000000"},
        {L"login/system_client", session.System().clients.empty() ? CString(L"") : session.System().clients[0], L"000"},
    };
    for (LPCWSTR tableName : {L"SUBST_SRV_PARAM_TBL", L"USUBST_SRV_PARAM_TBL"})
    {
        CTableWriter table = call.Result(tableName);
        for (const CParameter& parameter : parameters)
            table.Append()
                .Set(L"STATUS", parameter.user.IsEmpty() ? L"D" : L"U")
                .Set(L"PARAM_NAME", parameter.name)
                .Set(L"USER_VALUE", parameter.user)
                .Set(L"DFL_VALUE", parameter.dflt);
    }
}

// Each line: the queue, then its current, highest and maximal length, writes and reads.
void RequestQueues(CCallContext& call)
{
    const CSession& session = call.Session();
    CRandom random = call.Random(session.InstanceName(), L"REQUEST_QUEUE");
    CTableWriter table = call.Result(L"REQUEST_QUEUES");
    const __time64_t uptime = call.Now() % 86400 + 3600;
    for (LPCWSTR queue : {L"NOWP", L"DIA", L"UPD", L"ENQ", L"BTC", L"SPO", L"UP2"})
    {
        const long long current = random.Range(0, 4);
        const long long writes = uptime * random.Range(1, 20);
        CString line;
        line.Format(L"%-4s %lld %lld %d %lld %lld", queue, current, current + random.Range(0, 40), 2000, writes,
                    writes - current);
        table.Append().Set(L"THLINE", line);
    }
}

void WorkProcesses(CCallContext& call)
{
    const CSession& session = call.Session();
    const bool withCpu = call.Import(L"WITH_CPU") == L"01";
    CRandom random = call.Random(session.InstanceName(), L"WPINFO");
    CTableWriter table = call.Result(L"WPLIST");
    long long number = 0;
    for (const CWorkProcessKind& kind : kWorkProcessKinds)
    {
        for (unsigned i = 0; i < ProcessCount(session.Instance(), kind); ++i, ++number)
        {
            const bool running = random.Range(0, 2) == 0;
            const size_t job = static_cast<size_t>(random.Range(0, 4));
            CString cpu;
            if (withCpu)
                cpu.Format(L"%lld:%02lld", random.Range(0, 59), random.Range(0, 59));
            CRecordWriter row = table.Append();
            row.Set(L"WP_NO", number)
                .Set(L"WP_ITYPE", static_cast<long long>(&kind - kWorkProcessKinds) + 1)
                .Set(L"WP_TYP", kind.type)
                .Set(L"WP_PID", 4000 + random.Range(0, 60000))
                .Set(L"WP_ISTATUS", running ? 4LL : 2LL)
                .Set(L"WP_STATUS", running ? L"Running" : L"Waiting")
                .Set(L"WP_IWAIT", 0LL)
                .Set(L"WP_WAITING", L"")
                .Set(L"WP_SEM", L"")
                .Set(L"WP_IRESTRT", 1LL)
                .Set(L"WP_RESTART", L"Yes")
                .Set(L"WP_DUMPS", random.Range(0, 3) == 0 ? 1LL : 0LL)
                .Set(L"WP_CPU", cpu)
                .Set(L"WP_ELTIME", running ? random.Range(1, 900) : 0LL)
                .Set(L"WP_MANDT", running && !session.System().clients.empty() ? session.System().clients[0] : L"")
                .Set(L"WP_BNAME", running ? session.User() : L"")
                .Set(L"WP_REPORT", running ? kReports[job] : L"")
                .Set(L"WP_IACTION", running ? 2LL : 0LL)
                .Set(L"WP_ACTION", running ? L"Sequential Read" : L"")
                .Set(L"WP_TABLE", running ? kTables[job] : L"")
                .Set(L"WP_SERVER", session.InstanceName())
                .Set(L"WP_WAITINF", L"")
                .Set(L"WP_WAITTIM", L"")
                .Set(L"WP_SEMSTAT", L"")
                .Set(L"WP_INDEX", number);
        }
    }
}
} // namespace

void RegisterInstanceModules(CModuleRegistry& registry)
{
    const CStructureType& line = registry.AddType(L"THLINE", {Char(L"THLINE", 80)});
    registry.AddModule(L"TH_SAPREL",
                       {Import(L"DYNPRO", 1, L" "), Export(L"KERN_REL", 21), Export(L"KERN_DBLIB", 40),
                        Export(L"KERN_COMP_ON", 80), Export(L"KERN_COMP_TIME", 20), Export(L"KERN_PATCHLEVEL", 8),
                        Tables(L"KERN_INFO", line)},
                       KernelRelease);

    const CStructureType& parameter =
        registry.AddType(L"SUBST_SRV_PARAM", {Char(L"STATUS", 1), Char(L"PARAM_NAME", 60), Char(L"USER_VALUE", 60),
                                              Char(L"DFL_VALUE", 60)});
    registry.AddModule(L"PFL_GET_SERVER_PARAM_VALUES",
                       {Tables(L"SUBST_SRV_PARAM_TBL", parameter), Tables(L"USUBST_SRV_PARAM_TBL", parameter)},
                       ServerParameters);

    registry.AddModule(L"TH_REQUEST_QUEUE", {Tables(L"REQUEST_QUEUES", line)}, RequestQueues);

    const CStructureType& workProcess = registry.AddType(
        L"WPINFO", {Char(L"WP_NO", 2),      Char(L"WP_ITYPE", 1),    Char(L"WP_TYP", 3),     Char(L"WP_PID", 8),
                    Char(L"WP_ISTATUS", 1), Char(L"WP_STATUS", 7),   Char(L"WP_IWAIT", 1),   Char(L"WP_WAITING", 5),
                    Char(L"WP_SEM", 2),     Char(L"WP_IRESTRT", 1),  Char(L"WP_RESTART", 4), Char(L"WP_DUMPS", 2),
                    Char(L"WP_CPU", 8),     Char(L"WP_ELTIME", 6),   Char(L"WP_MANDT", 3),   Char(L"WP_BNAME", 12),
                    Char(L"WP_REPORT", 40), Char(L"WP_IACTION", 1),  Char(L"WP_ACTION", 25), Char(L"WP_TABLE", 30),
                    Char(L"WP_SERVER", 20), Char(L"WP_WAITINF", 40), Char(L"WP_WAITTIM", 8), Char(L"WP_SEMSTAT", 3),
                    Char(L"WP_INDEX", 10)});
    registry.AddModule(L"TH_WPINFO",
                       {Import(L"SRVNAME", 40, L" "), Import(L"WITH_CPU", 2, L"00"), Tables(L"WPLIST", workProcess)},
                       WorkProcesses);
}

} // namespace sapsim
