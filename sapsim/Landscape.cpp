#include <sapsim/Landscape.h>

#include <sapsim/CallContext.h>
#include <sapsim/Failure.h>
#include <sapsim/LandscapeException.h>
#include <sapsim/LandscapeFile.h>
#include <sapsim/ModuleRegistry.h>

#include <algorithm>
#include <optional>

namespace sapsim
{
namespace
{
const LPCWSTR kOperationNames[] = {L"logon", L"ping", L"describe", L"invoke"};

CString CountKey(Operation operation, LPCWSTR module)
{
    CString key = kOperationNames[static_cast<int>(operation)];
    if (module != nullptr)
        key += CString(L":") + module;
    return key;
}

// "/H/router/S/3299/H/host.example.com" -> "host.example.com"; empty for a route without end.
CString WithoutRouter(CString host)
{
    if (host.Left(3) != L"/H/")
        return host;
    int next = host.Find(L"/H/", 3);
    if (next < 0)
        return CString();
    for (; next >= 0; next = host.Find(L"/H/"))
        host = host.Mid(next + 3);
    return host;
}

bool HostMatches(const CHostInfo& host, const CString& name)
{
    if (name.CompareNoCase(host.name) == 0 || name.CompareNoCase(host.ip) == 0)
        return true;
    const int dot = name.Find(L'.');
    return dot > 0 && name.Left(dot).CompareNoCase(host.name) == 0 &&
           (host.domain.IsEmpty() || name.Mid(dot + 1).CompareNoCase(host.domain) == 0);
}

[[noreturn]] void NotReached(const CString& host, const CString& sysnr)
{
    CString message;
    message.Format(L"partner '%s:sapdp%s' not reached", host.GetString(), sysnr.GetString());
    CFailure::Throw(FailureKind::Communication, L"RFC_ERROR_COMMUNICATION", message);
}

// Every text field of a structure, those of nested structures included, with its slot.
template <typename Visit> void ForEachText(const CStructureType& type, unsigned base, Visit&& visit)
{
    for (int i = 0; i < type.FieldCount(); ++i)
    {
        const CFieldDef& field = type.Field(i);
        if (field.kind == FieldKind::Structure)
            ForEachText(*field.type, base + type.SlotOf(i), visit);
        else if (field.kind != FieldKind::Table)
            visit(field, base + type.SlotOf(i));
    }
}

// Every text of the function's active scalar and structure parameters of the given directions.
template <typename Visit>
void ForEachParameterText(CFunctionData& function, std::initializer_list<Direction> directions, Visit&& visit)
{
    const CStructureType& type = function.Type();
    for (int i = 0; i < type.FieldCount(); ++i)
    {
        const CFieldDef& field = type.Field(i);
        if (!function.IsActive(i) || field.kind == FieldKind::Table ||
            std::find(directions.begin(), directions.end(), field.direction) == directions.end())
            continue;
        if (field.kind == FieldKind::Structure)
            ForEachText(*field.type, type.SlotOf(i),
                        [&](const CFieldDef& text, unsigned slot) { visit(function.Parameters(), text, slot); });
        else
            visit(function.Parameters(), field, type.SlotOf(i));
    }
}

// What the caller sent: the parameters and the rows of the tables before the call. A text that
// the answer holds unchanged at its place is the request handed back as it came (the field names
// in RFC_READ_TABLE's FIELDS, the conditions in its OPTIONS), so faults of the answer leave it
// alone: a request rewritten by a fault would break every later call of the function.
class CSentTexts
{
public:
    explicit CSentTexts(CFunctionData& function) : m_parameters(function.Parameters())
    {
        for (int table = 0; table < function.Type().TableCount(); ++table)
        {
            const CTable& rows = function.Table(table);
            m_rows.emplace_back();
            for (unsigned row = 0; row < rows.RowCount(); ++row)
                m_rows.back().push_back(rows.Row(row));
        }
    }

    bool InParameters(const CRecord& now, unsigned slot) const
    {
        return Unchanged(m_parameters, now, slot);
    }
    bool InRow(int table, unsigned row, const CRecord& now, unsigned slot) const
    {
        return row < m_rows[table].size() && Unchanged(m_rows[table][row], now, slot);
    }

private:
    static bool Unchanged(const CRecord& sent, const CRecord& now, unsigned slot)
    {
        return !sent.Get(slot).empty() && sent.Get(slot) == now.Get(slot);
    }

    CRecord m_parameters;
    std::vector<std::vector<CRecord>> m_rows;
};

// Every text that a call returns (exports, changing parameters and the rows of tables) but
// those that the caller sent.
template <typename Visit> void ForEachResult(CFunctionData& function, const CSentTexts& sent, Visit&& visit)
{
    ForEachParameterText(function, {Direction::Export, Direction::Changing},
                         [&](CRecord& record, const CFieldDef& field, unsigned slot) {
                             if (!sent.InParameters(record, slot))
                                 visit(record, field, slot);
                         });
    const CStructureType& type = function.Type();
    for (int i = 0; i < type.FieldCount(); ++i)
    {
        const int table = type.TableOf(i);
        if (table < 0 || !function.IsActive(i))
            continue;
        CTable& rows = function.Table(table);
        for (unsigned row = 0; row < rows.RowCount(); ++row)
            ForEachText(rows.RowType(), 0, [&](const CFieldDef& text, unsigned slot) {
                if (!sent.InRow(table, row, rows.Row(row), slot))
                    visit(rows.Row(row), text, slot);
            });
    }
}

void ClearExport(CRecord& record, const CFieldDef&, unsigned slot)
{
    record.Set(slot, {});
}

// The value without its leading blanks, filled up to 600 characters, so that 600 characters
// remain after any trimming.
void MakeOverlong(CRecord& record, const CFieldDef&, unsigned slot)
{
    const size_t kLength = 600;
    std::wstring text(record.Get(slot));
    text.erase(0, text.find_first_not_of(L' ') == std::wstring::npos ? text.size() : text.find_first_not_of(L' '));
    text.resize(kLength, L'X');
    record.Set(slot, text);
}

// The user and kernel time of the calling thread, in 100 ns units.
unsigned long long ThreadCpuTime()
{
    FILETIME creation, exit, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &creation, &exit, &kernel, &user))
        return 0;
    const auto value = [](const FILETIME& time) {
        return static_cast<unsigned long long>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
    };
    return value(kernel) + value(user);
}

// Adds the calling thread's CPU time between construction and destruction to the total, also
// when the handler leaves with an exception.
class CCpuTimer
{
public:
    explicit CCpuTimer(std::atomic<unsigned long long>& total) : m_total(total), m_start(ThreadCpuTime())
    {
    }
    CCpuTimer(const CCpuTimer&) = delete;
    CCpuTimer& operator=(const CCpuTimer&) = delete;
    ~CCpuTimer()
    {
        m_total += ThreadCpuTime() - m_start;
    }

private:
    std::atomic<unsigned long long>& m_total;
    const unsigned long long m_start;
};

void MakeImpossibleDate(CRecord& record, const CFieldDef& field, unsigned slot)
{
    if (field.kind == FieldKind::Date)
        record.Set(slot, L"20231345");
    else if (field.kind == FieldKind::Time)
        record.Set(slot, L"256199");
}
} // namespace

CLandscape& CLandscape::Active()
{
    static CLandscape* landscape = [] {
        auto* created = new CLandscape; // lives until the process ends, after every user
        created->LoadFromEnvironment();
        return created;
    }();
    return *landscape;
}

CLandscape::CLandscape() = default;

void CLandscape::Load(CTopology topology)
{
    topology.Validate();
    auto installed = std::make_shared<const CTopology>(std::move(topology));
    CSingleLock lock(&m_lock, TRUE);
    m_topology = std::move(installed);
    m_loadError.Empty();
    m_file.Empty();
    m_fixedTime = 0;
    m_faults.clear();
    m_counts.clear();
    m_log.clear();
    m_logNext = 0;
    m_logTexts.clear();
    m_handlerCpuTime = 0;
}

void CLandscape::LoadFromEnvironment()
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"LUMITER_LANDSCAPE", path, MAX_PATH);
    if (length == 0)
    {
        Load(CTopology::Default());
        return;
    }
    try
    {
        if (length >= MAX_PATH)
            CLandscapeException::Throw(L"LUMITER_LANDSCAPE names a path that is too long.");
        Load(CLandscapeFile::Read(path));
    }
    catch (CException* e)
    {
        wchar_t message[512];
        e->GetErrorMessage(message, 512);
        e->Delete();
        // Every logon quotes it in its error, whose sentence ends with its own period.
        CString text(message);
        if (text.Right(1) == L".")
            text = text.Left(text.GetLength() - 1);
        CSingleLock lock(&m_lock, TRUE);
        m_topology.reset();
        m_loadError = text;
    }
    CSingleLock lock(&m_lock, TRUE);
    m_file = length < MAX_PATH ? path : L"";
}

CString CLandscape::File() const
{
    CSingleLock lock(&m_lock, TRUE);
    return m_file;
}

CString CLandscape::LoadError() const
{
    CSingleLock lock(&m_lock, TRUE);
    return m_loadError;
}

std::shared_ptr<const CTopology> CLandscape::Topology() const
{
    CSingleLock lock(&m_lock, TRUE);
    return m_topology;
}

void CLandscape::SetTime(__time64_t time)
{
    CSingleLock lock(&m_lock, TRUE);
    m_fixedTime = time;
}

__time64_t CLandscape::Now() const
{
    CSingleLock lock(&m_lock, TRUE);
    return m_fixedTime != 0 ? m_fixedTime : _time64(nullptr);
}

void CLandscape::AddFault(const CFault& fault)
{
    CSingleLock lock(&m_lock, TRUE);
    m_faults.push_back(fault);
}

void CLandscape::ClearFaults()
{
    CSingleLock lock(&m_lock, TRUE);
    m_faults.clear();
}

int CLandscape::DropConnections(LPCWSTR system, LPCWSTR instance)
{
    CFault scope;
    scope.system = system;
    scope.instance = instance;
    CSingleLock lock(&m_lock, TRUE);
    int dropped = 0;
    for (const std::weak_ptr<CSession>& weak : m_sessions)
    {
        const std::shared_ptr<CSession> session = weak.lock();
        if (session != nullptr && !session->IsClosed() &&
            scope.Matches(session->System().id, session->InstanceName(), nullptr, nullptr))
        {
            session->Drop();
            ++dropped;
        }
    }
    return dropped;
}

unsigned long long CLandscape::Count(Operation operation, LPCWSTR module) const
{
    CSingleLock lock(&m_lock, TRUE);
    const auto it = m_counts.find(CountKey(operation, module));
    return it == m_counts.end() ? 0 : it->second;
}

std::vector<CCallRecord> CLandscape::CallLog() const
{
    CSingleLock lock(&m_lock, TRUE);
    std::vector<CCallRecord> log;
    log.reserve(m_log.size());
    for (size_t i = 0; i < m_log.size(); ++i)
    {
        const CLoggedCall& call = m_log[(m_logNext + i) % m_log.size()];
        log.push_back({call.time, call.operation, *call.system, *call.instance, *call.user, *call.module, *call.result});
    }
    return log;
}

const CString* CLandscape::LogText(LPCWSTR text)
{
    return &*m_logTexts.insert(text != nullptr ? text : L"").first;
}

void CLandscape::Record(Operation operation, const CSession* session, LPCWSTR module, LPCWSTR result)
{
    const __time64_t now = Now();
    CSingleLock lock(&m_lock, TRUE);
    ++m_counts[CountKey(operation, nullptr)];
    if (module != nullptr)
        ++m_counts[CountKey(operation, module)];
    const CString* none = LogText(nullptr);
    const CLoggedCall call{now,
                           operation,
                           session != nullptr ? LogText(session->System().id) : none,
                           session != nullptr ? LogText(session->InstanceName()) : none,
                           session != nullptr ? LogText(session->User()) : none,
                           LogText(module),
                           LogText(result)};
    if (m_log.empty())
        m_log.reserve(kCallLogSize);
    if (m_log.size() < kCallLogSize)
        m_log.push_back(call);
    else
        m_log[m_logNext] = call;
    m_logNext = (m_logNext + 1) % kCallLogSize;
}

void CLandscape::RecordFailure(Operation operation, const CSession* session, LPCWSTR module, CException* failure)
{
    auto* known = dynamic_cast<CFailure*>(failure);
    Record(operation, session, module, known != nullptr ? known->m_key.GetString() : L"RUNTIME_ERROR");
}

const CInstanceInfo* CLandscape::FindInstance(const CTopology& topology, const CString& ashost, const CString& sysnr,
                                              const CSystemInfo*& system) const
{
    const CString name = WithoutRouter(ashost);
    for (const CSystemInfo& candidate : topology.systems)
    {
        for (const CInstanceInfo& instance : candidate.instances)
        {
            if (instance.sysnr == sysnr && HostMatches(*topology.FindHost(instance.host), name))
            {
                system = &candidate;
                return &instance;
            }
        }
    }
    return nullptr;
}

std::shared_ptr<CSession> CLandscape::Logon(const CLogonParameters& parameters)
{
    std::shared_ptr<const CTopology> topology;
    CString loadError;
    {
        CSingleLock lock(&m_lock, TRUE);
        topology = m_topology;
        loadError = m_loadError;
    }
    try
    {
        if (topology == nullptr)
            CFailure::Throw(FailureKind::Communication, L"RFC_ERROR_LANDSCAPE", loadError);
        if (parameters.ashost.IsEmpty())
            CFailure::Throw(FailureKind::InvalidParameter, L"RFC_INVALID_PARAMETER",
                            L"Parameter ASHOST, GWHOST, MSHOST or SERVER_PORT is missing.");
        if (parameters.sysnr.IsEmpty())
            CFailure::Throw(FailureKind::InvalidParameter, L"RFC_INVALID_PARAMETER", L"Parameter SYSNR is missing.");

        const CSystemInfo* system = nullptr;
        const CInstanceInfo* instance = FindInstance(*topology, parameters.ashost, parameters.sysnr, system);
        if (instance == nullptr)
            NotReached(parameters.ashost, parameters.sysnr);
        auto session = std::make_shared<CSession>(topology, *system, *instance, parameters.user, parameters.client,
                                                  parameters.lang.IsEmpty() ? CString(L"EN") : parameters.lang);
        if (IsHostDown(*session))
            NotReached(parameters.ashost, parameters.sysnr);
        if (!system->HasClient(parameters.client))
        {
            CString message;
            message.Format(L"client %s is not available in this system", parameters.client.GetString());
            CFailure::Throw(FailureKind::Logon, L"RFC_ERROR_LOGON_FAILURE", message);
        }
        const CUserInfo* user = system->FindUser(parameters.user);
        if (user == nullptr || user->password != parameters.passwd)
            CFailure::Throw(FailureKind::Logon, L"RFC_ERROR_LOGON_FAILURE",
                            L"Name or password is incorrect (repeat logon)");

        Record(Operation::Logon, session.get(), nullptr, L"OK");
        CSingleLock lock(&m_lock, TRUE);
        std::erase_if(m_sessions, [](const std::weak_ptr<CSession>& weak) { return weak.expired(); });
        m_sessions.push_back(session);
        return session;
    }
    catch (CException* e)
    {
        RecordFailure(Operation::Logon, nullptr, nullptr, e);
        throw;
    }
}

std::vector<CFault> CLandscape::Faults(const CSession& session, LPCWSTR module) const
{
    std::vector<CFault> matching;
    CSingleLock lock(&m_lock, TRUE);
    for (const CFault& fault : m_faults)
    {
        if (fault.Matches(session.System().id, session.InstanceName(), session.Host().name, module))
            matching.push_back(fault);
    }
    return matching;
}

bool CLandscape::IsHostDown(const CSession& session) const
{
    const std::vector<CFault> faults = Faults(session, nullptr);
    return std::any_of(faults.begin(), faults.end(),
                       [](const CFault& fault) { return fault.kind == FaultKind::HostDown && fault.module.IsEmpty(); });
}

void CLandscape::CheckConnected(const CSession& session) const
{
    if (session.IsClosed())
        CFailure::Throw(FailureKind::Closed, L"RFC_CLOSED", L"connection closed");
    if (session.IsDropped() || IsHostDown(session))
    {
        CString message;
        message.Format(L"connection to partner '%s:sapdp%s' broken", session.Host().name.GetString(),
                       session.Instance().sysnr.GetString());
        CFailure::Throw(FailureKind::Communication, L"RFC_ERROR_COMMUNICATION", message);
    }
}

void CLandscape::Ping(const CSession& session)
{
    CCpuTimer timer(m_handlerCpuTime);
    try
    {
        CheckConnected(session);
        Record(Operation::Ping, &session, nullptr, L"OK");
    }
    catch (CException* e)
    {
        RecordFailure(Operation::Ping, &session, nullptr, e);
        throw;
    }
}

const CFunctionModule& CLandscape::Describe(const CSession& session, LPCWSTR module)
{
    try
    {
        CheckConnected(session);
        const CFunctionModule* found = CModuleRegistry::Instance().Find(module);
        const std::vector<CFault> faults = Faults(session, module);
        if (found == nullptr || std::any_of(faults.begin(), faults.end(),
                                            [](const CFault& fault) { return fault.kind == FaultKind::MissingModule; }))
        {
            CString message;
            message.Format(L"Function module \"%s\" not found", module);
            CFailure::Throw(FailureKind::NotFound, L"FU_NOT_FOUND", message);
        }
        Record(Operation::Describe, &session, found->Name(), L"OK");
        return *found;
    }
    catch (CException* e)
    {
        RecordFailure(Operation::Describe, &session, module, e);
        throw;
    }
}

void CLandscape::Invoke(CSession& session, CFunctionData& function)
{
    // All of it is the SAP system's side of the call.
    CCpuTimer timer(m_handlerCpuTime);
    const CString& module = function.Module().Name();
    try
    {
        CheckConnected(session);
        const std::vector<CFault> faults = Faults(session, module);
        auto has = [&](FaultKind kind) {
            return std::any_of(faults.begin(), faults.end(),
                               [kind](const CFault& fault) { return fault.kind == kind; });
        };
        DWORD delay = 0;
        for (const CFault& fault : faults)
        {
            if (fault.kind == FaultKind::SlowCall)
                delay = std::max(delay, fault.delayMs);
        }
        if (delay > 0 && !session.Wait(delay))
            CFailure::Throw(FailureKind::Closed, L"RFC_CLOSED", L"connection closed during the call");
        CheckConnected(session);
        if (has(FaultKind::MissingModule))
        {
            CString message;
            message.Format(L"Function module \"%s\" not found", module.GetString());
            CFailure::Throw(FailureKind::AbapRuntime, L"CALL_FUNCTION_NOT_FOUND", message);
        }
        for (const CFault& fault : faults)
        {
            if (fault.kind == FaultKind::AbapException)
                CFailure::Throw(FailureKind::AbapException, fault.key, fault.key);
        }

        ForEachParameterText(function, {Direction::Export}, ClearExport);
        std::optional<CSentTexts> sent;
        if (has(FaultKind::OverlongValues) || has(FaultKind::InvalidDates))
            sent.emplace(function);
        CCallContext context(session, function, Now(), has(FaultKind::EmptyResult));
        function.Module().Generate(context);
        if (has(FaultKind::OverlongValues))
            ForEachResult(function, *sent, MakeOverlong);
        if (has(FaultKind::InvalidDates))
            ForEachResult(function, *sent, MakeImpossibleDate);
        // Returned tables are read from their first row.
        for (int i = 0; i < function.Type().FieldCount(); ++i)
        {
            if (function.Type().TableOf(i) >= 0 && function.IsActive(i))
                function.Table(function.Type().TableOf(i)).MoveTo(0);
        }
        Record(Operation::Invoke, &session, module, L"OK");
    }
    catch (CException* e)
    {
        RecordFailure(Operation::Invoke, &session, module, e);
        throw;
    }
}

} // namespace sapsim
