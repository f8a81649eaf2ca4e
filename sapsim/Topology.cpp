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

[[noreturn]] void Invalid(LPCWSTR format, LPCWSTR name, LPCWSTR other = L"")
{
    CString message;
    message.Format(format, name, other);
    CLandscapeException::Throw(message);
}

template <typename Item> void CheckUnique(const std::vector<Item>& items, CString Item::*name, LPCWSTR what)
{
    for (const Item& item : items)
    {
        if ((item.*name).IsEmpty())
            Invalid(L"A %s has no name.", what);
        if (FindByName(items, name, item.*name) != &item)
            Invalid(L"The %s %s is described twice.", what, item.*name);
    }
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

void CTopology::Validate() const
{
    CheckUnique(hosts, &CHostInfo::name, L"host");
    CheckUnique(databases, &CDatabaseInfo::name, L"database");
    CheckUnique(systems, &CSystemInfo::id, L"system");
    for (const CDatabaseInfo& database : databases)
    {
        if (FindHost(database.host) == nullptr)
            Invalid(L"The database %s is on the unknown host %s.", database.name, database.host);
    }
    for (const CSystemInfo& system : systems)
    {
        if (FindDatabase(system.database) == nullptr)
            Invalid(L"The system %s uses the unknown database %s.", system.id, system.database);
        if (system.clients.empty())
            Invalid(L"The system %s has no client.", system.id);
        if (system.users.empty())
            Invalid(L"The system %s has no user.", system.id);
        if (system.instances.empty())
            Invalid(L"The system %s has no instance.", system.id);
        for (const CInstanceInfo& instance : system.instances)
        {
            if (FindHost(instance.host) == nullptr)
                Invalid(L"The system %s has an instance on the unknown host %s.", system.id, instance.host);
            if (instance.sysnr.GetLength() != 2 || !iswdigit(instance.sysnr[0]) || !iswdigit(instance.sysnr[1]))
                Invalid(L"The system %s has an instance with the system number '%s'; two digits are needed.", system.id,
                        instance.sysnr);
        }
    }
    std::vector<const CInstanceInfo*> instances;
    for (const CSystemInfo& system : systems)
    {
        for (const CInstanceInfo& instance : system.instances)
        {
            for (const CInstanceInfo* other : instances)
            {
                if (other->host.CompareNoCase(instance.host) == 0 && other->sysnr == instance.sysnr)
                    Invalid(L"Two instances on host %s have the system number %s.", instance.host, instance.sysnr);
            }
            instances.push_back(&instance);
        }
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
