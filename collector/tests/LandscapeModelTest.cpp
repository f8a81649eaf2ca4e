#include "CollectorLandscape.h"

#include <collector/SapDatabase.h>
#include <collector/SapHost.h>
#include <collector/SapSystem.h>

namespace
{
class LandscapeModelTest : public CollectorLandscape
{
protected:
    // PRD with a second host, and the services the servers announce.
    void LoadServers(std::initializer_list<sapsim::CInstanceInfo> instances)
    {
        sapsim::CTopology topology = MakeTestTopology();
        sapsim::CHostInfo second = topology.hosts[0];
        second.name = L"saplx02";
        second.ip = L"10.20.1.12";
        topology.hosts.push_back(second);
        topology.systems[0].instances = instances;
        Landscape().Load(topology);
    }
    void LogOn(CSapSystem& system, LPCWSTR sysnr)
    {
        SetLogon(system, sysnr);
        system.Connect();
        system.GetSystemInfo();
    }
    static CString SystemNumberOf(const CRfcClient& instance)
    {
        CString router, host, domain, sysnr, client, user, password, language;
        instance.GetLogonData(router, host, domain, sysnr, client, user, password, language);
        return host + L"/" + sysnr;
    }
    static CSapInstance* Find(CSapSystem& system, LPCWSTR name)
    {
        CSapInstance* instance = nullptr;
        system.m_instances.Lookup(name, instance);
        return instance;
    }
};
} // namespace

TEST_F(LandscapeModelTest, DiscoveryTakesTheSystemNumberFromTheServiceOrTheName)
{
    LoadServers({{kHost, L"00", 0x1F, L"sapdp11"}, {kHost, L"11", 0x1F}, {L"saplx02", L"12", 0x1F, L"gw3312"}});
    CSapSystem system;
    LogOn(system, L"00");
    EXPECT_EQ(L"PRD", system.m_strSystemId);
    EXPECT_EQ(L"ORACLE", system.m_strDatabaseSystem);
    ASSERT_EQ(L"(nothing thrown)", ThrownText([&] { system.DiscoverInstances(); }));

    ASSERT_EQ(3, system.m_instances.GetCount());
    const struct
    {
        LPCWSTR name;
        LPCWSTR logon;
    } expected[] = {
        {L"saplx01_PRD_00", L"saplx01/11"}, {L"saplx01_PRD_11", L"saplx01/11"}, {L"saplx02_PRD_12", L"saplx02/12"}};
    for (const auto& e : expected)
    {
        CSapInstance* instance = Find(system, e.name);
        ASSERT_NE(nullptr, instance) << e.name;
        EXPECT_EQ(e.logon, SystemNumberOf(*instance)) << e.name;
        EXPECT_EQ(e.name, instance->m_strInstanceName);
        EXPECT_EQ(L"PRD", instance->m_strSystemId) << "described over its own connection";
        EXPECT_EQ(L"ORACLE", instance->m_strDatabaseSystem);
        EXPECT_FALSE(instance->m_strServices.IsEmpty());
    }
    EXPECT_EQ(L"saplx02", Find(system, L"saplx02_PRD_12")->m_strHostName);

    const auto logons = Count(sapsim::Operation::Logon);
    system.DiscoverInstances();
    EXPECT_EQ(3, system.m_instances.GetCount());
    EXPECT_EQ(logons, Count(sapsim::Operation::Logon)) << "a second discovery adds nothing";
}

TEST_F(LandscapeModelTest, ANegativeSystemNumberIsRefused)
{
    LoadServers({{kHost, L"00", 0x1F}, {L"saplx02", L"05", 0x1F, L"sapdp-5"}});
    CSapSystem system;
    LogOn(system, L"00");
    EXPECT_STREQ(L"RFC Exception -> Invalid system number: -5.", ThrownText([&] { system.DiscoverInstances(); }));
    EXPECT_EQ(2, system.m_instances.GetCount()) << "the instances entered before stay";
    EXPECT_EQ(L"PRD", Find(system, L"saplx01_PRD_00")->m_strSystemId);
}

TEST_F(LandscapeModelTest, AuthorizationsStopAtTheFirstMissingOne)
{
    CSapSystem full;
    LogOn(full, L"00");
    EXPECT_EQ(L"(nothing thrown)", ThrownText([&] { full.CheckAuthorizations(); }));
    EXPECT_EQ(33u, Count(sapsim::Operation::Invoke, L"AUTHORITY_CHECK"));

    sapsim::CTopology topology = MakeTestTopology();
    topology.systems[0].users[0].authorizations = {L"S_ADMI_FCD", L"S_RZL_ADM",  L"S_C_FUNCT", L"S_DATASET",
                                                   L"S_LOG_COM",  L"S_TABU_DIS", L"S_TOOLS_EX"};
    Landscape().Load(topology);
    CSapSystem partial;
    LogOn(partial, L"00");
    EXPECT_EQ(L"RFC Exception -> AuthorityCheck(S_RFC): USER_NOT_AUTHORIZED",
              ThrownText([&] { partial.CheckAuthorizations(); }));
    EXPECT_EQ(7u, Count(sapsim::Operation::Invoke, L"AUTHORITY_CHECK"));
}

TEST_F(LandscapeModelTest, HostsAndDatabasesShareNoInstanceWithTheSystem)
{
    CSapSystem system;
    LogOn(system, L"00");
    system.DiscoverInstances();
    CSapInstance* source = Find(system, L"saplx01_PRD_00");
    ASSERT_NE(nullptr, source);

    CSapHost host;
    CSapDatabase database;
    CSapInstance* hostInstance = host.AddInstance(*source);
    CSapInstance* databaseInstance = database.AddInstance(*source);
    ASSERT_NE(nullptr, hostInstance);
    EXPECT_NE(source, hostInstance);
    EXPECT_NE(hostInstance, databaseInstance);
    EXPECT_EQ(L"saplx01_PRD_00", hostInstance->m_strInstanceName);
    EXPECT_EQ(L"saplx01", hostInstance->m_strHostName);
    EXPECT_EQ(L"10.20.1.11", hostInstance->m_strIpAddress);
    EXPECT_EQ(L"Linux", hostInstance->m_strOs);

    const auto logons = Count(sapsim::Operation::Logon);
    EXPECT_EQ(hostInstance, host.AddInstance(*source)) << "a known instance is returned";
    EXPECT_EQ(logons, Count(sapsim::Operation::Logon)) << "and opens no connection";

    host.RemoveInstance(hostInstance);
    EXPECT_EQ(0, host.m_instances.GetCount());
    host.RemoveInstance(nullptr);
}
