// The workload statistics modules: SWNC_STATREC_READ (the ABAP statistic records of the instance),
// SCSM_DSR_COMPONENTS_LIST_RFC (the components that write distributed statistics records) and
// SAPWLN3_STATREC_DIRECT_READ (the distributed statistics records of one component). A minute's records follow
// from the seed, the instance or component and the minute alone, so a window always returns the same records and
// a longer window the union of the shorter ones. Every step begins and ends within one second, so all time
// columns of a record lie in any window that holds it.
#include <sapsim/CallContext.h>
#include <sapsim/ModuleRegistry.h>

#include <algorithm>

namespace sapsim
{
namespace
{
const __time64_t kMinute = 60;

// A window [begin, end) in UTC seconds.
struct CWindow
{
    __time64_t begin;
    __time64_t end;
};

bool AllDigits(const CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i)
    {
        if (!iswdigit(text[i]))
            return false;
    }
    return true;
}

// A date "YYYYMMDD" and a time "HHMMSS" or "HH:MM:SS", read as UTC; -1 when they are no moment.
__time64_t ParseMoment(const CString& date, CString time)
{
    if (time.GetLength() == 8 && time[2] == L':' && time[5] == L':')
        time = time.Left(2) + time.Mid(3, 2) + time.Mid(6, 2);
    if (date.GetLength() != 8 || time.GetLength() != 6 || !AllDigits(date) || !AllDigits(time))
        return -1;
    tm parts{};
    parts.tm_year = _wtoi(date.Left(4)) - 1900;
    parts.tm_mon = _wtoi(date.Mid(4, 2)) - 1;
    parts.tm_mday = _wtoi(date.Mid(6, 2));
    parts.tm_hour = _wtoi(time.Left(2));
    parts.tm_min = _wtoi(time.Mid(2, 2));
    parts.tm_sec = _wtoi(time.Mid(4, 2));
    const tm wanted = parts;
    const __time64_t moment = _mkgmtime64(&parts);
    // The conversion carries 31 February or 24:00 into the next unit; such texts are no moment.
    if (moment < 0 || parts.tm_mon != wanted.tm_mon || parts.tm_mday != wanted.tm_mday ||
        parts.tm_hour != wanted.tm_hour || parts.tm_min != wanted.tm_min || parts.tm_sec != wanted.tm_sec)
        return -1;
    return moment;
}

// The statistics files keep two days.
const __time64_t kRetention = 2 * 86400;

// The window is read as UTC, the time zone that the client sends. Records are written when a step ends, so none
// lies at or after the current time.
CWindow ReadWindow(const CCallContext& call)
{
    const __time64_t begin = ParseMoment(call.Import(L"READ_START_DATE"), call.Import(L"READ_START_TIME"));
    const __time64_t end = ParseMoment(call.Import(L"READ_END_DATE"), call.Import(L"READ_END_TIME"));
    if (begin < 0 || end < 0)
        call.Raise(L"INVALID_TIME_PERIOD");
    return {std::max(begin, call.Now() - kRetention), std::min(end, call.Now())};
}

// The records of one writer in a window. Record i of a minute with n records lies in its second i * 60 / n, so
// the records of a minute come in time order and those of a window are found without making the others.
class CRecordSchedule
{
public:
    CRecordSchedule(UINT64 seed, unsigned perMinute, const CWindow& window) : m_seed(seed), m_perMinute(perMinute)
    {
        for (__time64_t minute = window.begin / kMinute; perMinute > 0 && minute * kMinute < window.end; ++minute)
        {
            const UINT64 first = static_cast<UINT64>(std::max<__time64_t>(window.begin - minute * kMinute, 0));
            const UINT64 last = static_cast<UINT64>(std::min<__time64_t>(window.end - minute * kMinute, kMinute));
            const CMinute part{minute, (first * perMinute + kMinute - 1) / kMinute,
                               (last * perMinute + kMinute - 1) / kMinute};
            if (part.to > part.from)
            {
                m_minutes.push_back(part);
                m_count += part.to - part.from;
            }
        }
    }

    unsigned Count() const
    {
        return static_cast<unsigned>(m_count);
    }
    // visit(second, number in its minute, random numbers of the record)
    template <class Visit> void ForEach(Visit visit) const
    {
        for (const CMinute& part : m_minutes)
        {
            const UINT64 minuteSeed = CRandom::Mix(m_seed, static_cast<UINT64>(part.minute));
            for (UINT64 i = part.from; i < part.to; ++i)
            {
                CRandom random(CRandom::Mix(minuteSeed, i));
                visit(part.minute * kMinute + static_cast<__time64_t>(i * kMinute / m_perMinute), i, random);
            }
        }
    }

private:
    struct CMinute
    {
        __time64_t minute;
        UINT64 from; // first record of the minute in the window
        UINT64 to;   // one after the last
    };

    UINT64 m_seed;
    UINT64 m_perMinute;
    UINT64 m_count = 0;
    std::vector<CMinute> m_minutes;
};

// The date, time and timestamp texts of a second, made again only when the second changes.
class CMomentTexts
{
public:
    void Update(__time64_t moment)
    {
        if (moment == m_moment)
            return;
        m_moment = moment;
        tm parts{};
        _gmtime64_s(&parts, &moment);
        m_date.Format(L"%04d%02d%02d", parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday);
        m_time.Format(L"%02d%02d%02d", parts.tm_hour, parts.tm_min, parts.tm_sec);
        m_timestamp = m_date + m_time;
    }
    LPCWSTR Date() const
    {
        return m_date;
    }
    LPCWSTR Time() const
    {
        return m_time;
    }
    LPCWSTR Timestamp() const
    {
        return m_timestamp;
    }

private:
    __time64_t m_moment = -1;
    CString m_date;
    CString m_time;
    CString m_timestamp;
};

// 32 hexadecimal digits.
CString TransactionId(CRandom& random)
{
    const wchar_t* const digits = L"0123456789ABCDEF";
    wchar_t text[33];
    for (int half = 0; half < 2; ++half)
    {
        UINT64 value = random.Next();
        for (int i = 15; i >= 0; --i, value >>= 4)
            text[half * 16 + i] = digits[value & 15];
    }
    text[32] = 0;
    return text;
}

const LPCWSTR kUsers[] = {L"MUELLER", L"SMITH", L"GARCIA", L"NAKAMURA", L"DUBOIS", L"ROSSI"};

struct CDialogProgram
{
    LPCWSTR report;
    LPCWSTR tcode;
};
const CDialogProgram kDialogPrograms[] = {
    {L"SAPMV45A", L"VA01"}, {L"SAPMM06E", L"ME21N"},           {L"SAPMF05A", L"FB01"},
    {L"SAPLMGMM", L"MM03"}, {L"SAPLSMTR_NAVIGATION", L"SMEN"}, {L"RSWNCGLOBAL", L"ST03N"},
};

// Task types other than dialog run only on instances that offer their service.
struct CTaskType
{
    LPCWSTR code; // TASKTYPE, the type's byte in hexadecimal
    unsigned service;
    LPCWSTR report;
};
const CTaskType kOtherTasks[] = {
    {L"02", 2, L"RSM13000"},
    {L"04", 8, L"RSBTCRTE"},
    {L"03", 16, L"RSPOWP00"},
};

// One dialog step, update, background or spool step.
void FillDialogStep(CRecordWriter row, const CCallContext& call, const CMomentTexts& moment, UINT64 number,
                    CRandom& random)
{
    const CSession& session = call.Session();
    const CSystemInfo& system = session.System();
    const long long kind = random.Range(0, 9);
    const CTaskType* task = kind < 7 ? nullptr : &kOtherTasks[kind - 7];
    if (task != nullptr && (session.Instance().services & task->service) == 0)
        task = nullptr;
    const CDialogProgram& program = kDialogPrograms[random.Range(0, std::size(kDialogPrograms) - 1)];
    const LPCWSTR user = kUsers[random.Range(0, std::size(kUsers) - 1)];
    // Microseconds; the step ends in the second that it starts in.
    const long long response = random.Range(20000, 499999);
    const long long cpu = response * random.Range(10, 60) / 100;
    const long long database = response * random.Range(10, 50) / 100;
    const bool dialog = task == nullptr;
    row.Set(L"RECNO", static_cast<long long>(number) + 1)
        .Set(L"DISPCNT", 1LL)
        .Set(L"ZTTADATE", moment.Date())
        .Set(L"STARTDATE", moment.Date())
        .Set(L"STARTTIME", moment.Time())
        .Set(L"STARTTIMESTAMP", moment.Timestamp())
        .Set(L"ENDDATE", moment.Date())
        .Set(L"ENDTIME", moment.Time())
        .Set(L"ENDTIMESTAMP", moment.Timestamp())
        .Set(L"TARGETTIMEZONE", L"UTC")
        .Set(L"RESPTI", response)
        .Set(L"CPUTI", cpu)
        .Set(L"QUEUETI", random.Range(50, 5000))
        .Set(L"WPID", random.Range(0, 5))
        .Set(L"TASKTYPE", dialog ? L"01" : task->code)
        .Set(L"ACCOUNT", user)
        .Set(L"MANDT", system.clients[random.Range(0, system.clients.size() - 1)])
        .Set(L"INPUTLEN", dialog ? random.Range(200, 4000) : 0LL)
        .Set(L"OUTPUTLEN", dialog ? random.Range(1000, 40000) : 0LL)
        .Set(L"ROLLINCNT", 1LL)
        .Set(L"ROLLINTI", random.Range(100, 2000))
        .Set(L"DSQLCNT", random.Range(0, 200))
        .Set(L"RFCCNT", 0LL)
        .Set(L"HTTPCNT", 0LL)
        .Set(L"MEMSUM", random.Range(100000, 20000000))
        .Set(L"TRANSID", TransactionId(random))
        .Set(L"TERMINALID", dialog ? CString(L"PC-") + user : CString())
        .Set(L"REPORT", dialog ? program.report : task->report)
        .Set(L"TCODE", dialog ? program.tcode : L"")
        .Set(L"PROCTI", response - cpu / 2 - database)
        .Set(L"GUITIME", dialog ? random.Range(1000, 80000) : 0LL)
        .Set(L"GUICNT", dialog ? 1LL : 0LL)
        .Set(L"GUINETTIME", dialog ? random.Range(100, 20000) : 0LL)
        .Set(L"DBREQTIME", database)
        .Set(L"DBPREQTIME", 0LL)
        .Set(L"DBPCOUNT", 0LL);
}

UINT64 WriterSeed(const CCallContext& call, LPCWSTR writer)
{
    return CRandom::Mix(CRandom::Mix(call.Session().Topology().seed, writer), L"STATREC");
}

const LPCWSTR kSubrecordTables[] = {
    L"BTC_STEP_RECORDS",
    L"DB_RECORDS",
    L"TABLE_RECORDS",
    L"RFC_CLIENT_RECORDS",
    L"RFC_SERVER_RECORDS",
    L"RFC_CLIENT_DEST_RECORDS",
    L"RFC_SERVER_DEST_RECORDS",
    L"TIMEINT_RECORDS",
    L"SPOOL_PRINT_RECORDS",
    L"SPOOL_ACTIVITY_RECORDS",
    L"DB_PROCEDURE_RECORDS",
    L"ADM_MESSAGE_RECORDS",
    L"CLIENT_INFO_RECORDS",
    L"SUBRECORD_INDEX",
    L"ASTAT_RECORDS",
    L"HTTP_CLIENT_RECORDS",
    L"HTTP_CLIENT_DEST_RECORDS",
    L"HTTP_SERVER_RECORDS",
    L"HTTP_SERVER_DEST_RECORDS",
    L"SMTP_CLIENT_RECORDS",
    L"SMTP_CLIENT_DEST_RECORDS",
    L"SMTP_SERVER_RECORDS",
    L"SMTP_SERVER_DEST_RECORDS",
    L"VM_CONTAINER_RECORDS",
};

// The instance writes main records only (its subrecord collection is off), so the subrecord tables come back empty.
void StatisticRecords(CCallContext& call)
{
    const CSession& session = call.Session();
    const CRecordSchedule schedule(WriterSeed(call, session.InstanceName()), session.Instance().statRecordsPerMinute,
                                   ReadWindow(call));
    CTableWriter table = call.Result(L"NORMAL_RECORDS");
    table.Reserve(schedule.Count());
    CMomentTexts moment;
    schedule.ForEach([&](__time64_t second, UINT64 number, CRandom& random) {
        moment.Update(second);
        FillDialogStep(table.Append(), call, moment, number, random);
    });
    for (LPCWSTR subrecords : kSubrecordTables)
        call.Result(subrecords);
    call.Exports()
        .Set(L"RECORDS_READ", schedule.Count())
        .Set(L"SINGLE_RECORDS_READ", schedule.Count())
        .Set(L"EOF_REACHED", L"X")
        .Set(L"EOI_REACHED", L"X");
}

struct CComponent
{
    CString name;
    LPCWSTR componentClass;
    CString guid;
    const CInstanceInfo* instance;
};

// Each instance runs a Java dispatcher and one or two server nodes; the same for every call.
std::vector<CComponent> Components(const CSession& session)
{
    std::vector<CComponent> components;
    for (const CInstanceInfo& instance : session.System().instances)
    {
        const CString prefix = session.System().InstanceName(instance);
        CRandom random(CRandom::Mix(CRandom::Mix(session.Topology().seed, prefix), L"J2EE"));
        components.push_back({prefix + L"_dispatcher", L"SAPJ2EDispatcher", TransactionId(random), &instance});
        const long long nodes = random.Range(1, 2);
        for (long long node = 0; node < nodes; ++node)
        {
            CString name;
            name.Format(L"%s_server%lld", prefix.GetString(), node);
            components.push_back({name, L"SAPJ2ENode", TransactionId(random), &instance});
        }
    }
    return components;
}

void ComponentList(CCallContext& call)
{
    const CString system = call.Import(L"RESTRICT_TO_MON_SYSTEM");
    const CString componentClass = call.Import(L"RESTRICT_TO_COMPONENT_TYPE");
    CTableWriter table = call.Result(L"DSR_COMPONENTS");
    if (!system.IsEmpty() && system.CompareNoCase(call.Session().System().id) != 0)
        return;
    for (const CComponent& component : Components(call.Session()))
    {
        if (componentClass.IsEmpty() || componentClass.CompareNoCase(component.componentClass) == 0)
            table.Append()
                .Set(L"COMPNAME", component.name)
                .Set(L"COMPCLASS", component.componentClass)
                .Set(L"COMPGUID", component.guid);
    }
}

const LPCWSTR kActions[] = {L"/irj/portal", L"/webdynpro/dispatcher/sap.com/tc~lm~webadmin", L"/nwa/sysinfo",
                            L"/sap/public/bc/ur", L"/useradmin/userAdminServlet"};

// One request of a Java server node, with the client that sent it.
void FillRequest(CRecordWriter row, const CCallContext& call, const CMomentTexts& moment, CRandom& random)
{
    // Milliseconds; the request ends in the second that it starts in.
    const long long response = random.Range(5, 499);
    const LPCWSTR user = kUsers[random.Range(0, std::size(kUsers) - 1)];
    const LPCWSTR action = kActions[random.Range(0, std::size(kActions) - 1)];
    const CString transaction = TransactionId(random);
    CRecordWriter main = row.Structure(L"MAINREC");
    main.Set(L"STARTDATE", moment.Date())
        .Set(L"STARTTIME", moment.Time())
        .Set(L"ENDDATE", moment.Date())
        .Set(L"ENDTIME", moment.Time())
        .Set(L"TRANSID", transaction)
        .Set(L"SERVICE", L"HTTP")
        .Set(L"ACTION", action)
        .Set(L"ACTIONTYPE", L"URL")
        .Set(L"USER", user)
        .Set(L"PROCESSID", random.Range(1000, 30000))
        .Set(L"THREADID", random.Range(1, 400))
        .Set(L"CPUTIME", response * random.Range(10, 60) / 100)
        .Set(L"QUEUETIME", random.Range(0, 5))
        .Set(L"LOADTIME", random.Range(0, 3))
        .Set(L"GENTIME", 0LL)
        .Set(L"NETTIME", random.Range(0, 20))
        .Set(L"WAITTIME", random.Range(0, 10))
        .Set(L"MAXMEM", random.Range(200, 60000))
        .Set(L"RESPTIME", response);
    row.Structure(L"CLIENTINFO")
        .Set(L"I_SYSTEM", call.Session().System().id)
        .Set(L"I_ACTION", action)
        .Set(L"I_ACTTYPE", L"URL")
        .Set(L"I_SERVICE", L"HTTP")
        .Set(L"I_USER", user)
        .Set(L"PRE_SYSID", L"")
        .Set(L"TRACEFLAG", L"");
}

// A component that the system does not have has no records.
void DistributedRecords(CCallContext& call)
{
    const CWindow window = ReadWindow(call);
    const CString name = call.Import(L"COMPONENT");
    const std::vector<CComponent> components = Components(call.Session());
    const auto found = std::find_if(components.begin(), components.end(), [&](const CComponent& component) {
        return component.name.CompareNoCase(name) == 0;
    });
    const CRecordSchedule schedule(WriterSeed(call, name),
                                   found == components.end() ? 0 : found->instance->statRecordsPerMinute, window);
    CTableWriter table = call.Result(L"STAT_RECORDS");
    table.Reserve(schedule.Count());
    CMomentTexts moment;
    __time64_t first = -1;
    __time64_t last = -1;
    schedule.ForEach([&](__time64_t second, UINT64, CRandom& random) {
        moment.Update(second);
        FillRequest(table.Append(), call, moment, random);
        first = first < 0 ? second : first;
        last = second;
    });
    call.Result(L"CTYP1RECS");
    CRecordWriter info = call.Exports().Structure(L"RECORD_INFO");
    if (first >= 0)
        info.SetMoment(L"FIRSTRECDT", L"FIRSTRECTM", first).SetMoment(L"LASTRECDT", L"LASTRECTM", last);
    info.Set(L"EOFREACHED", L"X").Set(L"NOOFRECS", schedule.Count());
}

std::vector<CFieldDef> Columns(std::initializer_list<LPCWSTR> names, unsigned width)
{
    std::vector<CFieldDef> fields;
    for (LPCWSTR name : names)
        fields.push_back(Char(name, width));
    return fields;
}

// The read window of both record modules; times also as "HH:MM:SS".
std::vector<CFieldDef> WindowImports()
{
    return {Import(L"READ_START_DATE", 8), Import(L"READ_START_TIME", 8, L"00:00:00"), Import(L"READ_END_DATE", 8),
            Import(L"READ_END_TIME", 8, L"00:00:00")};
}

void RegisterStatisticRecords(CModuleRegistry& registry)
{
    std::vector<CFieldDef> parameters = {Import(L"READ_TIMEZONE", 6, L"UTC"), Import(L"NO_OF_RECORDS", 10, L"-1")};
    for (const CFieldDef& window : WindowImports())
        parameters.push_back(window);
    for (const CFieldDef& field :
         {Import(L"READ_CLIENT", 3), Import(L"READ_USERNAME", 12), Import(L"FLAG_EXCLUDE_USERNAME", 1),
          Import(L"READ_WORKPROCESS", 4, L"FFFF"), Import(L"READ_TCODE", 20), Import(L"READ_DIALOGSTEPID", 32),
          Import(L"STATISTIC_FILE", 255), Import(L"ASTAT_FILE", 255), Import(L"NO_BUFFER_FLUSH", 1),
          Import(L"FLAG_READ_STAT", 1, L"X"), Import(L"FLAG_READ_ASTAT", 1, L" "), Export(L"RECORDS_READ", 10),
          Export(L"SINGLE_RECORDS_READ", 10), Export(L"EOF_REACHED", 1), Export(L"EOI_REACHED", 1)})
        parameters.push_back(field);

    std::vector<CFieldDef> normal = Columns({L"RECNO",
                                             L"DISPCNT",
                                             L"ZTTADATE",
                                             L"STARTDATE",
                                             L"STARTTIME",
                                             L"STARTTIMESTAMP",
                                             L"ENDDATE",
                                             L"ENDTIME",
                                             L"ENDTIMESTAMP",
                                             L"TARGETTIMEZONE",
                                             L"RESPTI",
                                             L"CPUTI",
                                             L"QUEUETI",
                                             L"WPID",
                                             L"TASKTYPE",
                                             L"TABLOAD",
                                             L"ACCOUNT",
                                             L"MANDT",
                                             L"ROLLKEY",
                                             L"INPUTLEN",
                                             L"OUTPUTLEN",
                                             L"MAXROLL",
                                             L"MAXPAGE",
                                             L"ROLLINCNT",
                                             L"ROLLINTI",
                                             L"ROLLOUTCNT",
                                             L"ROLLOUTTI",
                                             L"LOCKCNT",
                                             L"LOCKTI",
                                             L"GENERATETI",
                                             L"REPLOADTI",
                                             L"CUALOADTI",
                                             L"DYNPLOADTI",
                                             L"DSQLCNT",
                                             L"QUECNT",
                                             L"QUETI",
                                             L"DDICTI",
                                             L"RFCCNT",
                                             L"RFCTI",
                                             L"HTTPCNT",
                                             L"HTTPTIME",
                                             L"MEMSUM",
                                             L"PRIVSUM",
                                             L"USEDBYTES",
                                             L"MAXBYTES",
                                             L"MAXBYTESDI",
                                             L"ADCNT",
                                             L"ADTIME",
                                             L"ABGC_RUN_COUNT",
                                             L"ABGC_TIME",
                                             L"ABGC_FREED_OBJS",
                                             L"ABGC_ALLOC_OBJS",
                                             L"ABGC_CALLED_EXPL",
                                             L"PRIVMODE",
                                             L"WPRESTART",
                                             L"TRANSID",
                                             L"CONTEXT_ID",
                                             L"DIALOG_STEP",
                                             L"ROLLED_OUT",
                                             L"LUW_INFO",
                                             L"SLI_CNT",
                                             L"ENTRY_ID",
                                             L"TERMINALID",
                                             L"DYNPRONR",
                                             L"REPORT",
                                             L"TCODE",
                                             L"STARTTIME1",
                                             L"STARTTIME2",
                                             L"ENDTIME1",
                                             L"ENDTIME2",
                                             L"PROCTI",
                                             L"GUITIME",
                                             L"GUICNT",
                                             L"GUINETTIME",
                                             L"DBREQTIME",
                                             L"DBPREQTIME",
                                             L"DBPCOUNT",
                                             L"CUA_PROG",
                                             L"CUA_FUNC"},
                                            20);
    for (CFieldDef& field : normal)
    {
        if (field.name == L"TRANSID" || field.name == L"CONTEXT_ID" || field.name == L"REPORT" ||
            field.name == L"CUA_PROG" || field.name == L"ENTRY_ID")
            field.width = 40;
    }
    parameters.push_back(Tables(L"NORMAL_RECORDS", registry.AddType(L"SWNCSTATREC", std::move(normal))));

    const std::initializer_list<LPCWSTR> rfcColumns = {
        L"CALL_STEP",        L"CALL_NUMBER",         L"CONNECTION_ID",     L"DESTINATION_NAME",
        L"TIMESTAMP",        L"FUNCTION_NAME",       L"PROGRAM_NAME",      L"PROGRAM_LINE",
        L"CALL_TIME",        L"EXECUTION_TIME",      L"IDLE_TIME",         L"DATA_SEND",
        L"APPL_DATA_SEND",   L"DATA_RECEIVE",        L"APPL_DATA_RECEIVE", L"PARTNER_INSTANCE_NAME",
        L"DATA_SEND_TIME",   L"DATA_RECEIVE_TIME",   L"RFC_USER_NAME",     L"RFC_CLIENT_NUMBER",
        L"CALLER_USER_NAME", L"CALLER_CLIENT_NUMBER"};
    const std::initializer_list<LPCWSTR> rfcDestColumns = {L"CONNECTION_ID",         L"RFC_TYPE",
                                                           L"ENGINE_TYPE",           L"PARTNER_ENGINE_TYPE",
                                                           L"TRANSACTION_CODE",      L"PROGRAM_NAME",
                                                           L"DESTINATION_NAME",      L"IP_ADDRESS",
                                                           L"PARTNER_IP_ADDRESS",    L"INSTANCE_NAME",
                                                           L"PARTNER_INSTANCE_NAME", L"PARTNER_RELEASE",
                                                           L"CALL_TIME_DIA",         L"CALL_TIME_CON",
                                                           L"EXECUTION_TIME_DIA",    L"EXECUTION_TIME_CON",
                                                           L"IDLE_TIME_DIA",         L"IDLE_TIME_CON",
                                                           L"DATA_SEND_DIA",         L"DATA_SEND_CON",
                                                           L"APPL_DATA_SEND_DIA",    L"APPL_DATA_SEND_CON",
                                                           L"DATA_RECEIVE_DIA",      L"DATA_RECEIVE_CON",
                                                           L"APPL_DATA_RECEIVE_DIA", L"APPL_DATA_RECEIVE_CON",
                                                           L"CALL_NUMBER_DIA",       L"CALL_NUMBER_CON",
                                                           L"INBOUND_TID",           L"INBOUND_QUEUE_NAME",
                                                           L"OUTBOUND_TID",          L"OUTBOUND_QUEUE_NAME",
                                                           L"DATA_SEND_TIME_DIA",    L"DATA_SEND_TIME_CON",
                                                           L"DATA_RECEIVE_TIME_DIA", L"DATA_RECEIVE_TIME_CON",
                                                           L"RFC_USER_NAME",         L"RFC_CLIENT_NUMBER",
                                                           L"CALLER_USER_NAME",      L"CALLER_CLIENT_NUMBER",
                                                           L"LOGON_METHOD",          L"LOGON_TIME",
                                                           L"AUTHORIZATION_TIME"};
    const CStructureType& btc = registry.AddType(L"SWNCBTCSTEP", Columns({L"STEP", L"JOBNAME", L"JOBCOUNT"}, 32));
    const CStructureType& db = registry.AddType(
        L"SWNCDBREC", Columns({L"CONNECTION_NAME", L"READDIRCNT", L"READDIRTI",  L"READDIRREC", L"READDIRBUF",
                               L"READSEQCNT",      L"READSEQTI",  L"READSEQREC", L"READSEQBUF", L"PHYREADCNT",
                               L"INSCNT",          L"INSTI",      L"INSREC",     L"PHYINSCNT",  L"UPDCNT",
                               L"UPDTI",           L"UPDREC",     L"PHYUPDCNT",  L"DELCNT",     L"DELTI",
                               L"DELREC",          L"PHYDELCNT",  L"COMMITTI",   L"DBPROCNT",   L"DBPROCTI"},
                              30));
    const CStructureType& tab =
        registry.AddType(L"SWNCTABREC", Columns({L"TABNAME", L"MODCNT", L"DIRCNT", L"SEQCNT", L"TABTIME"}, 30));
    const CStructureType& rfc = registry.AddType(L"SWNCRFCREC", Columns(rfcColumns, 64));
    const CStructureType& rfcDest = registry.AddType(L"SWNCRFCDEST", Columns(rfcDestColumns, 64));
    const CStructureType& index = registry.AddType(
        L"SWNCSUBINDEX",
        Columns({L"RECORDNO",    L"DB_B",        L"DB_E",        L"TAB_B",      L"TAB_E",      L"BTC_B",
                 L"BTC_E",       L"RFC_CLI_B",   L"RFC_CLI_E",   L"RFC_SERV_B", L"RFC_SERV_E", L"RFC_CLID_B",
                 L"RFC_CLID_E",  L"RFC_SERVDB",  L"RFC_SERVDE",  L"SPO_PRI_B",  L"SPO_PRI_E",  L"SPO_ACT_B",
                 L"SPO_ACT_E",   L"TI_INT_B",    L"TI_INT_E",    L"ADM_B",      L"ADM_E",      L"DB_PROC_B",
                 L"DB_PROC_E",   L"CLINFO_B",    L"CLINFO_E",    L"HTP_CLI_B",  L"HTP_CLI_E",  L"HTP_CLID_B",
                 L"HTP_CLID_E",  L"HTP_SRV_B",   L"HTP_SRV_E",   L"HTP_SRVD_B", L"HTP_SRVD_E", L"SMTP_CLI_B",
                 L"SMTP_CLI_E",  L"SMTP_CLID_B", L"SMTP_CLID_E", L"SMTP_SRV_B", L"SMTP_SRV_E", L"SMTP_SRVD_B",
                 L"SMTP_SRVD_E", L"VMC_B",       L"VMC_E",       L"ASTAT_B",    L"ASTAT_E"},
                10));
    // The subrecords that no reader looks into: a record number and the raw subrecord.
    const CStructureType& other = registry.AddType(L"SWNCSUBREC", {Char(L"RECORDNO", 10), Char(L"SUBRECORD", 255)});
    for (LPCWSTR name : kSubrecordTables)
    {
        const CString table = name;
        const CStructureType* type = &other;
        if (table == L"BTC_STEP_RECORDS")
            type = &btc;
        else if (table == L"DB_RECORDS")
            type = &db;
        else if (table == L"TABLE_RECORDS")
            type = &tab;
        else if (table == L"RFC_CLIENT_RECORDS" || table == L"RFC_SERVER_RECORDS")
            type = &rfc;
        else if (table == L"RFC_CLIENT_DEST_RECORDS" || table == L"RFC_SERVER_DEST_RECORDS")
            type = &rfcDest;
        else if (table == L"SUBRECORD_INDEX")
            type = &index;
        parameters.push_back(Tables(name, *type));
    }
    registry.AddModule(L"SWNC_STATREC_READ", std::move(parameters), StatisticRecords);
}

void RegisterDistributedRecords(CModuleRegistry& registry)
{
    registry.AddModule(L"SCSM_DSR_COMPONENTS_LIST_RFC",
                       {Import(L"RESTRICT_TO_MON_SYSTEM", 8), Import(L"RESTRICT_TO_MON_AGENT", 40),
                        Import(L"RESTRICT_TO_COMPONENT_TYPE", 40),
                        Tables(L"DSR_COMPONENTS",
                               registry.AddType(L"SCSM_DSR_COMPONENT", {Char(L"COMPNAME", 132), Char(L"COMPCLASS", 40),
                                                                        Char(L"COMPGUID", 32)}))},
                       ComponentList);

    std::vector<CFieldDef> parameters = {Import(L"COMPONENT", 132), Import(L"COMPONENT_TYPE", 40),
                                         Import(L"MONITORING_SYSTEM", 8)};
    for (const CFieldDef& window : WindowImports())
        parameters.push_back(window);
    const CStructureType& main = registry.AddType(
        L"SAPWLN3_MAINREC",
        {Char(L"STARTDATE", 8),   Char(L"STARTTIME", 6),   Char(L"ENDDATE", 8),     Char(L"ENDTIME", 6),
         Char(L"TRANSID", 32),    Char(L"SERVICE", 40),    Char(L"ACTION", 128),    Char(L"ACTIONTYPE", 10),
         Char(L"USER", 32),       Char(L"PROCESSID", 10),  Char(L"THREADID", 10),   Char(L"CPUTIME", 10),
         Char(L"QUEUETIME", 10),  Char(L"LOADTIME", 10),   Char(L"GENTIME", 10),    Char(L"NETTIME", 10),
         Char(L"WAITTIME", 10),   Char(L"MAXMEM", 10),     Char(L"LUWINFO", 10),    Char(L"RESPTIME", 10),
         Char(L"ADDITINFO", 128), Char(L"STARTTIME1", 10), Char(L"STARTTIME2", 10), Char(L"ENDTIME1", 10),
         Char(L"ENDTIME2", 10)});
    const CStructureType& client =
        registry.AddType(L"SAPWLN3_CLIENTINFO",
                         {Char(L"I_SYSTEM", 8), Char(L"I_ACTION", 128), Char(L"I_ACTTYPE", 10), Char(L"I_SERVICE", 40),
                          Char(L"I_USER", 32), Char(L"PRE_SYSID", 8), Char(L"TRACEFLAG", 1)});
    for (const CFieldDef& field :
         {Import(L"TIMEZONE", 6, L"UTC"), Import(L"READ_TRANSID", 32), Import(L"READ_SERVICE", 40, L"-1"),
          Import(L"READ_ACTION", 128), Import(L"READ_ACTION_TYPE", 10, L"-1"), Import(L"READ_USERNAME", 32),
          Import(L"READ_EXCLUDE_USERNAME", 32), Import(L"READ_MAX_NO_OF_RECORDS", 10, L"-1"),
          Import(L"GET_TEST_DATA", 1),
          ExportStructure(L"RECORD_INFO",
                          registry.AddType(L"SAPWLN3_RECORD_INFO",
                                           {Char(L"FIRSTRECDT", 8), Char(L"FIRSTRECTM", 6), Char(L"LASTRECDT", 8),
                                            Char(L"LASTRECTM", 6), Char(L"EOFREACHED", 1), Char(L"NOOFRECS", 10)})),
          Tables(L"STAT_RECORDS",
                 registry.AddType(L"SAPWLN3_STATREC", {Struct(L"MAINREC", main), Struct(L"CLIENTINFO", client)})),
          Tables(L"CTYP1RECS", registry.AddType(L"SAPWLN3_CTYP1REC", Columns({L"COMPTYPE", L"COMPNAME", L"DESTINAT",
                                                                              L"CALLTIME", L"REXECTIME", L"SENTBYTES",
                                                                              L"RCVDBYTES", L"NOOFCALLS", L"ADDITINFO"},
                                                                             64)))})
        parameters.push_back(field);
    registry.AddModule(L"SAPWLN3_STATREC_DIRECT_READ", std::move(parameters), DistributedRecords);
}
} // namespace

void RegisterWorkloadModules(CModuleRegistry& registry)
{
    RegisterStatisticRecords(registry);
    RegisterDistributedRecords(registry);
}

} // namespace sapsim
