#include "SimulatedLandscape.h"

sapsim::CTopology MakeTestTopology()
{
    sapsim::CTopology topology;
    sapsim::CHostInfo host;
    host.name = kHost;
    host.domain = kDomain;
    host.os = L"Linux";
    host.osRelease = L"5.14.21";
    host.ip = L"10.20.1.11";
    host.model = L"Test CPU @ 2.10GHz";
    host.cpus = 4;
    host.disks = {{L"sda", 1048576}};
    host.lans = {L"eth0"};
    topology.hosts.push_back(host);
    sapsim::CHostInfo mainframe = host;
    mainframe.name = L"mvs01";
    mainframe.os = L"KEMRA";
    mainframe.ip = L"10.20.1.50";
    topology.hosts.push_back(mainframe);
    topology.databases.push_back(sapsim::CDatabaseInfo{L"PRD", L"ORACLE", kHost, L"10.2.0"});
    for (const TestSystem& test : kTestSystems)
    {
        sapsim::CSystemInfo system;
        system.id = test.id;
        system.release = test.release;
        system.kernel = L"721";
        system.database = L"PRD";
        system.clients = {L"100"};
        system.users = {sapsim::CUserInfo{kUser, kPassword, {L"*"}}};
        system.instances = {sapsim::CInstanceInfo{kHost, test.sysnr, 0x1F}};
        topology.systems.push_back(system);
    }
    return topology;
}

void SimulatedLandscape::SetUp()
{
    Landscape().Load(MakeTestTopology());
}

void SimulatedLandscape::SetLogon(CRfcConnection& connection, LPCWSTR sysnr, LPCWSTR password)
{
    connection.SetLogonData(L"", kHost, L"", sysnr, L"100", kUser, password, L"EN");
}

void SimulatedLandscape::AddFault(sapsim::FaultKind kind, LPCWSTR module, DWORD delayMs)
{
    sapsim::CFault fault;
    fault.kind = kind;
    fault.module = module;
    fault.delayMs = delayMs;
    Landscape().AddFault(fault);
}

unsigned long long SimulatedLandscape::LibraryCalls()
{
    unsigned long long calls = 0;
    for (int entry = 0; entry < static_cast<int>(nwrfc::EntryPoint::Count); entry++)
        calls += nwrfc::CEntryCounters::Get(static_cast<nwrfc::EntryPoint>(entry));
    return calls;
}
