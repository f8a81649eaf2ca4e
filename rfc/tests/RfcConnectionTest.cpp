#include "SimulatedLandscape.h"

#include <rfc/GetSystemTimeRemote.h>

#include <chrono>
#include <thread>

namespace
{
using sapsim::FaultKind;
using sapsim::Operation;

class RfcConnectionTest : public SimulatedLandscape
{
};

} // namespace

TEST_F(RfcConnectionTest, ComposesTheApplicationServerHostFromRouterHostAndDomain)
{
    // The simulated partner names the host that it could not reach.
    const struct
    {
        LPCWSTR router;
        LPCWSTR host;
        LPCWSTR domain;
        LPCWSTR expected;
    } cases[] = {
        {L"", L"nohost", L"", L"nohost"},
        {L"/H/gw/H/", L"nohost", L"", L"/H/gw/H/nohost"},
        {L"", L"nohost", L"corp.example", L"nohost.corp.example"},
        {L"/H/gw/H/", L"nohost", L"corp.example", L"/H/gw/H/nohost.corp.example"},
        {L" /H/gw/H/ ", L"\tnohost ", L" corp.example\t", L"/H/gw/H/nohost.corp.example"},
    };
    for (const auto& c : cases)
    {
        CRfcConnection connection;
        connection.SetLogonData(c.router, c.host, c.domain, L"00", L"100", kUser, kPassword, L"EN");
        CRfcException* e = Thrown([&] { connection.Connect(); });
        ASSERT_NE(e, nullptr) << c.expected;
        CString expected;
        expected.Format(L"partner '%s:sapdp00' not reached", c.expected);
        EXPECT_STREQ(e->m_strMessage, expected);
        e->Delete();
    }

    CRfcConnection connection;
    connection.SetLogonData(L"/H/gw/H/", kHost, kDomain, L"00", L"100", kUser, kPassword, L"EN");
    connection.Connect();
    EXPECT_TRUE(connection.IsAlive());
}

TEST_F(RfcConnectionTest, KeepsLogonValuesTrimmedAndCopiesTheAttributes)
{
    CRfcConnection connection;
    connection.SetLogonData(L"  ", L" saplx01 ", L"\t", L" 00 ", L" 100\t", L" TESTER ", L" secret ", L" EN ");
    CString router, host, domain, sysnr, client, user, password, language;
    connection.GetLogonData(router, host, domain, sysnr, client, user, password, language);
    EXPECT_STREQ(router, L"");
    EXPECT_STREQ(host, L"saplx01");
    EXPECT_STREQ(domain, L"");
    EXPECT_STREQ(sysnr, L"00");
    EXPECT_STREQ(client, L"100");
    EXPECT_STREQ(user, L"TESTER");
    EXPECT_STREQ(password, L"secret");
    EXPECT_STREQ(language, L"EN");

    connection.Connect();
    EXPECT_TRUE(connection.HasConnectionHandle());
    EXPECT_STREQ(connection.GetAttribute(CRfcConnection::attrSysId), L"PRD");
    EXPECT_STREQ(connection.GetAttribute(CRfcConnection::attrPartnerRel), L"700");
    EXPECT_STREQ(connection.GetAttribute(CRfcConnection::attrClient), L"100");
    EXPECT_STREQ(connection.GetAttribute(CRfcConnection::attrUser), L"TESTER");
    EXPECT_STREQ(connection.GetAttribute(CRfcConnection::attrSysNumber), L"00");
}

TEST_F(RfcConnectionTest, RefusesReleasesBefore700AndClosesTheConnection)
{
    const size_t startHandles = OpenHandles();
    for (const TestSystem& system : kTestSystems)
    {
        // Releases compare as texts, so 46C comes before 700.
        const bool refused = CString(system.release) == L"640" || CString(system.release) == L"46C";
        CRfcConnection connection;
        SetLogon(connection, system.sysnr);
        const CString thrown = ThrownText([&] { connection.Connect(); });
        if (refused)
        {
            CString expected;
            expected.Format(L"RFC Exception -> SAP system release %s is not supported.", system.release);
            EXPECT_STREQ(thrown, expected);
            EXPECT_EQ(OpenHandles(), startHandles) << system.release;
            EXPECT_FALSE(connection.IsAlive());
        }
        else
        {
            EXPECT_STREQ(thrown, L"(nothing thrown)");
            EXPECT_TRUE(connection.IsAlive()) << system.release;
            EXPECT_STREQ(connection.GetAttribute(CRfcConnection::attrPartnerRel), system.release);
        }
    }
    EXPECT_EQ(OpenHandles(), startHandles);
}

TEST_F(RfcConnectionTest, FailingOpenThrowsUnlessStopped)
{
    CRfcConnection connection;
    SetLogon(connection, L"00", L"wrong");
    CString text = ThrownText([&] { connection.Connect(); });
    EXPECT_EQ(text.Find(L"RFC Exception -> Function: CRfcConnection::Connect - RfcOpenConnection() | Code: "
                        L"RFC_LOGON_FAILURE | Group: LOGON_FAILURE |"),
              0)
        << text.GetString();
    EXPECT_FALSE(connection.HasConnectionHandle());

    connection.SetStopFlag(TRUE);
    EXPECT_STREQ(ThrownText([&] { connection.Connect(); }), L"(nothing thrown)");
    EXPECT_FALSE(connection.HasConnectionHandle());
    // A stopped connection still refuses an old release, quietly.
    CRfcConnection old;
    SetLogon(old, L"01");
    old.SetStopFlag(TRUE);
    EXPECT_STREQ(ThrownText([&] { old.Connect(); }), L"(nothing thrown)");
    old.SetStopFlag(FALSE);
    EXPECT_FALSE(old.IsAlive());
}

TEST_F(RfcConnectionTest, IsAliveWithoutAnOpenConnectionCallsNothing)
{
    const unsigned long long startCalls = LibraryCalls();
    CRfcConnection never;
    SetLogon(never);
    EXPECT_FALSE(never.IsAlive());
    EXPECT_EQ(LibraryCalls(), startCalls);

    CRfcConnection stopped;
    SetLogon(stopped);
    stopped.Connect();
    stopped.SetStopFlag(TRUE);
    const unsigned long long openCalls = LibraryCalls();
    EXPECT_FALSE(stopped.IsAlive());
    EXPECT_EQ(LibraryCalls(), openCalls);

    stopped.SetStopFlag(FALSE);
    stopped.Disconnect();
    const unsigned long long closedCalls = LibraryCalls();
    EXPECT_FALSE(stopped.IsAlive());
    EXPECT_EQ(LibraryCalls(), closedCalls);
    // Owners still choose Reconnect for it.
    EXPECT_TRUE(stopped.HasConnectionHandle());
}

TEST_F(RfcConnectionTest, DisconnectClosesAConnectionWhosePartnerIsGone)
{
    const size_t startHandles = OpenHandles();
    CRfcConnection connection;
    SetLogon(connection);
    connection.Connect();
    AddFault(FaultKind::HostDown);
    EXPECT_FALSE(connection.IsAlive());
    EXPECT_EQ(connection.GetLastReturnCode(), RFC_COMMUNICATION_FAILURE);
    connection.Disconnect();
    EXPECT_EQ(OpenHandles(), startHandles);
    const unsigned long long calls = LibraryCalls();
    EXPECT_FALSE(connection.IsAlive());
    EXPECT_EQ(LibraryCalls(), calls);

    EXPECT_FALSE(connection.Reconnect());
    EXPECT_FALSE(connection.HasConnectionHandle());
    Landscape().ClearFaults();
    EXPECT_TRUE(connection.CheckConnection());
    EXPECT_TRUE(connection.HasConnectionHandle());
    EXPECT_EQ(OpenHandles(), startHandles + 1);
}

TEST_F(RfcConnectionTest, ReconnectAfterADroppedConnectionLeaksNoHandle)
{
    const size_t startHandles = OpenHandles();
    {
        CRfcConnection connection;
        SetLogon(connection);
        connection.Connect();
        for (int i = 0; i < 3; i++)
        {
            EXPECT_EQ(Landscape().DropConnections(L"PRD"), 1);
            EXPECT_FALSE(connection.IsAlive());
            EXPECT_TRUE(connection.CheckConnection());
            EXPECT_TRUE(connection.IsAlive());
            EXPECT_EQ(OpenHandles(), startHandles + 1);
        }
        // Connect on an open connection replaces its handle.
        connection.Connect();
        EXPECT_EQ(OpenHandles(), startHandles + 1);
    }
    EXPECT_EQ(OpenHandles(), startHandles);
}

// The worker is inside a slow call and holds the mutex; Disconnect waits its second (not at
// all for a stopping owner), then closes under the call, which ends at once.
TEST_F(RfcConnectionTest, DisconnectEndsACallThatHoldsTheConnection)
{
    const size_t startHandles = OpenHandles();
    for (const BOOL stopping : {TRUE, FALSE})
    {
        CRfcConnection connection;
        SetLogon(connection);
        connection.Connect();
        {
            CGetSystemTimeRemote time(&connection);
            ASSERT_TRUE(time.HasFunction(&connection));
            AddFault(FaultKind::SlowCall, L"GET_SYSTEM_TIME_REMOTE", 60000);

            CString thrown;
            const unsigned long long invokes = nwrfc::CEntryCounters::Get(nwrfc::EntryPoint::Invoke);
            std::thread worker([&] { thrown = ThrownText([&] { time.CallFunctionModule(&connection); }); });
            while (nwrfc::CEntryCounters::Get(nwrfc::EntryPoint::Invoke) == invokes) // into the call
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            const auto start = std::chrono::steady_clock::now();
            connection.SetStopFlag(stopping);
            connection.Disconnect();
            // Whether the disconnect waited for the call: timed alone, without the worker's
            // steps after it, which a busy machine may delay.
            const auto disconnected = std::chrono::steady_clock::now() - start;
            worker.join();
            if (stopping)
                EXPECT_LT(disconnected, std::chrono::milliseconds(900));
            else
                EXPECT_GE(disconnected, std::chrono::milliseconds(900));
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
            Landscape().ClearFaults();
            if (stopping)
                EXPECT_STREQ(thrown, L"(nothing thrown)");
            else // the failed call re-opened the connection for the next one, then threw
                EXPECT_EQ(thrown.Find(L"RFC Exception -> Function: CBaseRfc::CallFunctionModule - RfcInvoke() | "
                                      L"Code: RFC_CLOSED |"),
                          0)
                    << thrown.GetString();
        }
        EXPECT_EQ(connection.IsAlive(), !stopping);
        EXPECT_EQ(OpenHandles(), startHandles + (stopping ? 0 : 1));
    }
    EXPECT_EQ(OpenHandles(), startHandles);
}
