#include <sapsim/Topology.h>

#include <sapsim/LandscapeException.h>

namespace sapsim
{
namespace
{
template <typename Item> const Item* FindByName(const std::vector<Item>& items, CString Item::*name, LPCWSTR wanted)
{
    for (const Item& item : items)
    {
        if ((item.*name).CompareNoCase(wanted) == 0)
            return &item;
    }
    return nullptr;
}

CString Problem(LPCWSTR format, LPCWSTR name, LPCWSTR other = L"")
{
    CString problem;
    problem.Format(format, name, other);
    return problem;
}

// The item at index has a name that no item before it has.
template <typename Item>
CString UniquenessProblem(const std::vector<Item>& items, size_t index, CString Item::*name, LPCWSTR what)
{
    const CString& wanted = items[index].*name;
    if (wanted.IsEmpty())
        return Problem(L"a %s has no name", what);
    for (size_t i = 0; i < index; ++i)
    {
        if ((items[i].*name).CompareNoCase(wanted) == 0)
            return Problem(L"the %s %s is described twice", what, wanted);
    }
    return CString();
}

CHostInfo MakeHost(LPCWSTR name, LPCWSTR os, LPCWSTR release, LPCWSTR ip, LPCWSTR model, int cpus, int mhz,
                   int memoryMB, int swapMB, int timeZone, std::vector<CDiskInfo> disks, std::vector<CString> lans)
{
    CHostInfo host;
    host.name = name;
    host.domain = L"lumiter.example";
    host.os = os;
    host.osRelease = release;
    host.ip = ip;
    host.model = model;
    host.cpus = cpus;
    host.cpuMHz = mhz;
    host.memoryMB = memoryMB;
    host.swapMB = swapMB;
    host.timeZone = timeZone;
    host.disks = std::move(disks);
    host.lans = std::move(lans);
    return host;
}

CSystemInfo MakeSystem(LPCWSTR id, LPCWSTR release, LPCWSTR database, std::vector<CString> clients,
                       std::vector<CInstanceInfo> instances)
{
    CSystemInfo system;
    system.id = id;
    system.release = release;
    system.kernel = release;
    system.database = database;
    system.clients = std::move(clients);
    system.instances = std::move(instances);
    system.users.push_back(CUserInfo{L"LUMITER", L"Lumiter5!", {L"*"}});
    system.tables = {{L"TRDIR", 30000, 0}, {L"RSDDSTAT_OLAP", 2000, 0}, {L"RSDDSTAT_DM", 2000, 0}};
    return system;
}
} // namespace

bool CUserInfo::IsAuthorized(LPCWSTR object) const
{
    for (const CString& authorization : authorizations)
    {
        if (authorization == L"*" || authorization.CompareNoCase(object) == 0)
            return true;
    }
    return false;
}

bool CSystemInfo::HasClient(LPCWSTR client) const
{
    for (const CString& known : clients)
    {
        if (known == client)
            return true;
    }
    return false;
}

const CUserInfo* CSystemInfo::FindUser(LPCWSTR user) const
{
    return FindByName(users, &CUserInfo::name, user);
}

const CTableInfo* CSystemInfo::FindTable(LPCWSTR table) const
{
    return FindByName(tables, &CTableInfo::name, table);
}

CString CSystemInfo::InstanceName(const CInstanceInfo& instance) const
{
    CString name;
    name.Format(L"%s_%s_%s", instance.host.GetString(), id.GetString(), instance.sysnr.GetString());
    return name;
}

const CHostInfo* CTopology::FindHost(LPCWSTR name) const
{
    return FindByName(hosts, &CHostInfo::name, name);
}

const CDatabaseInfo* CTopology::FindDatabase(LPCWSTR name) const
{
    return FindByName(databases, &CDatabaseInfo::name, name);
}

const CSystemInfo* CTopology::FindSystem(LPCWSTR id) const
{
    return FindByName(systems, &CSystemInfo::id, id);
}

CString CTopology::HostProblem(size_t host) const
{
    return UniquenessProblem(hosts, host, &CHostInfo::name, L"host");
}

CString CTopology::DatabaseProblem(size_t database) const
{
    const CDatabaseInfo& entry = databases[database];
    if (FindHost(entry.host) == nullptr)
        return Problem(L"the database %s is on the unknown host %s", entry.name, entry.host);
    return UniquenessProblem(databases, database, &CDatabaseInfo::name, L"database");
}

CString CTopology::SystemProblem(size_t system) const
{
    const CSystemInfo& entry = systems[system];
    if (FindDatabase(entry.database) == nullptr)
        return Problem(L"the system %s uses the unknown database %s", entry.id, entry.database);
    return UniquenessProblem(systems, system, &CSystemInfo::id, L"system");
}

CString CTopology::InstanceProblem(size_t system, size_t instance) const
{
    const CSystemInfo& owner = systems[system];
    const CInstanceInfo& entry = owner.instances[instance];
    if (FindHost(entry.host) == nullptr)
        return Problem(L"the system %s has an instance on the unknown host %s", owner.id, entry.host);
    if (entry.sysnr.GetLength() != 2 || !iswdigit(entry.sysnr[0]) || !iswdigit(entry.sysnr[1]))
        return Problem(L"the system %s has an instance with the system number '%s'; two digits are needed", owner.id,
                       entry.sysnr);
    for (size_t s = 0; s <= system; ++s)
    {
        const size_t before = s < system ? systems[s].instances.size() : instance;
        for (size_t i = 0; i < before; ++i)
        {
            const CInstanceInfo& other = systems[s].instances[i];
            if (other.host.CompareNoCase(entry.host) == 0 && other.sysnr == entry.sysnr)
                return Problem(L"two instances on host %s have the system number %s", entry.host, entry.sysnr);
        }
    }
    return CString();
}

CString CTopology::CompletenessProblem(size_t system) const
{
    const CSystemInfo& entry = systems[system];
    if (entry.clients.empty())
        return Problem(L"the system %s has no client", entry.id);
    if (entry.users.empty())
        return Problem(L"the system %s has no user", entry.id);
    if (entry.instances.empty())
        return Problem(L"the system %s has no instance", entry.id);
    return CString();
}

void CTopology::Validate() const
{
    const auto check = [](CString problem) {
        if (problem.IsEmpty())
            return;
        // As a sentence of its own.
        problem.SetAt(0, towupper(problem[0]));
        CLandscapeException::Throw(problem + L".");
    };
    for (size_t i = 0; i < hosts.size(); ++i)
        check(HostProblem(i));
    for (size_t i = 0; i < databases.size(); ++i)
        check(DatabaseProblem(i));
    for (size_t i = 0; i < systems.size(); ++i)
    {
        check(SystemProblem(i));
        for (size_t j = 0; j < systems[i].instances.size(); ++j)
            check(InstanceProblem(i, j));
        check(CompletenessProblem(i));
    }
}

CTopology CTopology::Default()
{
    CTopology topology;
    topology.hosts.push_back(MakeHost(L"saplx01", L"Linux", L"5.14.21", L"10.20.1.11",
                                      L"Intel(R) Xeon(R) Gold 6230 CPU @ 2.10GHz", 16, 2100, 131072, 32768, 3600,
                                      {{L"sda", 1048576}, {L"sdb", 2097152}}, {L"eth0", L"lo"}));
    topology.hosts.push_back(MakeHost(L"sapwin01", L"Windows NT", L"6.3", L"10.20.1.12",
                                      L"Intel(R) Xeon(R) CPU E5-2680 v4 @ 2.40GHz", 8, 2400, 32768, 49152, 3600,
                                      {{L"Disk0", 409600}, {L"Disk1", 819200}}, {L"Ethernet"}));
    topology.databases.push_back(CDatabaseInfo{L"PRD", L"ORACLE", L"saplx01", L"10.2.0"});
    topology.databases.push_back(CDatabaseInfo{L"OLD", L"DB6", L"sapwin01", L"08.02.0"});

    CSystemInfo prd =
        MakeSystem(L"PRD", L"700", L"PRD", {L"000", L"100"}, {{L"saplx01", L"00", 0x1F}, {L"sapwin01", L"01", 0x09}});
    prd.users.push_back(CUserInfo{L"AUDITOR", L"Audit-2024", {L"S_RFC", L"S_ADMI_FCD"}});
    topology.systems.push_back(std::move(prd));
    topology.systems.push_back(MakeSystem(L"OLD", L"640", L"OLD", {L"000", L"200"}, {{L"sapwin01", L"10", 0x1F}}));
    return topology;
}

} // namespace sapsim
