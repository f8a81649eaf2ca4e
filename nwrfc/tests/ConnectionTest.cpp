#include "RfcFixture.h"

#include <nwrfc/HandleRegistry.h>

namespace
{
class ConnectionTest : public RfcFixture
{
};

TEST_F(ConnectionTest, LogonMatchesHostSystemNumberAndCredentials)
{
    const struct
    {
        LPCWSTR ashost;
        LPCWSTR sysnr;
        LPCWSTR client;
        LPCWSTR user;
        LPCWSTR password;
        RFC_RC code;
        RFC_ERROR_GROUP group;
        LPCWSTR message; // part of it
    } kCases[] = {
        {L"saplx01", L"00", L"100", L"LUMITER", L"Lumiter5!", RFC_OK, OK, L""},
        {L"SAPLX01.lumiter.example", L"00", L"100", L"lumiter", L"Lumiter5!", RFC_OK, OK, L""},
        {L"/H/gate.example/S/3299/H/saplx01", L"00", L"100", L"lumiter", L"Lumiter5!", RFC_OK, OK, L""},
        {L"/H/gate/H/relay/H/sapwin01.lumiter.example", L"10", L"200", L"lumiter", L"Lumiter5!", RFC_OK, OK, L""},
        {L"10.20.1.12", L"01", L"000", L"lumiter", L"Lumiter5!", RFC_OK, OK, L""},
        {L"saplx01", L"00", L"100", L"lumiter", L"lumiter5!", RFC_LOGON_FAILURE, LOGON_FAILURE,
         L"Name or password is incorrect"},
        {L"saplx01", L"00", L"100", L"nobody", L"Lumiter5!", RFC_LOGON_FAILURE, LOGON_FAILURE,
         L"Name or password is incorrect"},
        {L"saplx01", L"00", L"999", L"lumiter", L"Lumiter5!", RFC_LOGON_FAILURE, LOGON_FAILURE,
         L"client 999 is not available"},
        {L"saplx02", L"00", L"100", L"lumiter", L"Lumiter5!", RFC_COMMUNICATION_FAILURE, COMMUNICATION_FAILURE,
         L"partner 'saplx02:sapdp00' not reached"},
        {L"saplx01", L"01", L"100", L"lumiter", L"Lumiter5!", RFC_COMMUNICATION_FAILURE, COMMUNICATION_FAILURE,
         L"not reached"},
        {L"saplx01.other.example", L"00", L"100", L"lumiter", L"Lumiter5!", RFC_COMMUNICATION_FAILURE,
         COMMUNICATION_FAILURE, L"not reached"},
        {L"/H/gate/S/3299", L"00", L"100", L"lumiter", L"Lumiter5!", RFC_COMMUNICATION_FAILURE, COMMUNICATION_FAILURE,
         L"not reached"},
        {L"", L"00", L"100", L"lumiter", L"Lumiter5!", RFC_INVALID_PARAMETER, EXTERNAL_RUNTIME_FAILURE, L"ASHOST"},
    };
    for (const auto& test : kCases)
    {
        SCOPED_TRACE((CString(test.ashost) + L" " + test.sysnr + L" " + test.client + L" " + test.user).GetString());
        RFC_CONNECTION_HANDLE connection = Open(test.ashost, test.sysnr, test.client, test.user, test.password);
        EXPECT_EQ(test.code == RFC_OK, connection != nullptr);
        EXPECT_EQ(test.code, m_error.code);
        EXPECT_EQ(test.group, m_error.group);
        if (*test.message != 0)
        {
            EXPECT_NE(nullptr, wcsstr(m_error.message, test.message)) << m_error.message;
        }
    }
}

TEST_F(ConnectionTest, AttributesDescribeTheInstanceAndTheSystemRelease)
{
    const struct
    {
        LPCWSTR host;
        LPCWSTR sysnr;
        LPCWSTR client;
        LPCWSTR sysId;
        LPCWSTR release;
    } kCases[] = {{L"saplx01", L"00", L"100", L"PRD", L"700"},
                  {L"sapwin01", L"01", L"100", L"PRD", L"700"},
                  {L"sapwin01", L"10", L"200", L"OLD", L"640"}};
    for (const auto& test : kCases)
    {
        RFC_CONNECTION_HANDLE connection = Open(test.host, test.sysnr, test.client, L"lumiter");
        ASSERT_NE(nullptr, connection) << m_error.message;
        RFC_ATTRIBUTES attributes;
        memset(&attributes, 0x55, sizeof(attributes));
        ASSERT_EQ(RFC_OK, RfcGetConnectionAttributes(connection, &attributes, &m_error));
        EXPECT_STREQ(test.release, attributes.partnerRel);
        EXPECT_STREQ(test.sysId, attributes.sysId);
        EXPECT_STREQ(test.host, attributes.partnerHost);
        EXPECT_STREQ(test.sysnr, attributes.sysNumber);
        EXPECT_STREQ(test.client, attributes.client);
        EXPECT_STREQ(L"LUMITER", attributes.user);
        EXPECT_STREQ(L"EN", attributes.isoLanguage);
        EXPECT_STREQ(L"E", attributes.language);
        EXPECT_EQ(0, attributes.reserved[0]);
    }
}

TEST_F(ConnectionTest, ClosedAndMadeUpHandlesAreRefused)
{
    RFC_CONNECTION_HANDLE connection = Open();
    ASSERT_NE(nullptr, connection);
    RFC_FUNCTION_HANDLE function = Create(connection, L"TH_SERVER_LIST");
    ASSERT_NE(nullptr, function);
    RFC_TABLE_HANDLE table = Table(function, L"LIST");
    ASSERT_EQ(RFC_OK, RfcDestroyFunction(function, &m_error));
    ASSERT_EQ(RFC_OK, RfcCloseConnection(connection, &m_error));
    m_connections.clear();

    RFC_ATTRIBUTES attributes;
    unsigned count = 0;
    const auto madeUp = reinterpret_cast<RFC_CONNECTION_HANDLE>(uintptr_t(0x12345678));
    const auto madeUpFunction = reinterpret_cast<RFC_FUNCTION_HANDLE>(uintptr_t(0x7FFF00001234));
    const std::vector<std::pair<const char*, RFC_RC>> kCalls = {
        {"ping closed", RfcPing(connection, &m_error)},
        {"close twice", RfcCloseConnection(connection, &m_error)},
        {"attributes", RfcGetConnectionAttributes(connection, &attributes, &m_error)},
        {"invoke", RfcInvoke(connection, function, &m_error)},
        {"ping made up", RfcPing(madeUp, &m_error)},
        {"ping null", RfcPing(nullptr, &m_error)},
        {"destroy twice", RfcDestroyFunction(function, &m_error)},
        {"row count of destroyed", RfcGetRowCount(table, &count, &m_error)},
        {"get from destroyed", RfcGetString(function, L"SERVICES", nullptr, 0, nullptr, &m_error)},
        {"made-up function", RfcSetString(madeUpFunction, L"SERVICES", L"FF", 2, &m_error)},
        {"connection as function", RfcDestroyFunction(reinterpret_cast<RFC_FUNCTION_HANDLE>(connection), &m_error)},
    };
    for (const auto& [what, rc] : kCalls)
        EXPECT_EQ(RFC_INVALID_HANDLE, rc) << what;
    EXPECT_EQ(nullptr, RfcGetFunctionDesc(connection, L"TH_SERVER_LIST", &m_error));
    EXPECT_EQ(RFC_INVALID_HANDLE, m_error.code);
}

TEST_F(ConnectionTest, HandleCountReturnsToItsStartAfterOpenAndCloseCycles)
{
    const size_t start = nwrfc::CHandleRegistry::Instance().OpenCount();
    for (int cycle = 0; cycle < 20; ++cycle)
    {
        RFC_CONNECTION_HANDLE connection = Open();
        ASSERT_NE(nullptr, connection);
        RFC_FUNCTION_HANDLE function = Create(connection, L"GET_CPU_ALL");
        ASSERT_NE(nullptr, function);
        EXPECT_EQ(start + 2, nwrfc::CHandleRegistry::Instance().OpenCount());
        ASSERT_EQ(RFC_OK, RfcInvoke(connection, function, &m_error));
        RfcDestroyFunction(function, &m_error);
        RfcCloseConnection(connection, &m_error);
        m_connections.clear();
        // A connection broken by the partner is released by the library itself.
        RFC_CONNECTION_HANDLE broken = Open();
        Landscape().DropConnections(L"PRD");
        EXPECT_EQ(RFC_COMMUNICATION_FAILURE, RfcPing(broken, &m_error));
        m_connections.clear();
    }
    EXPECT_EQ(start, nwrfc::CHandleRegistry::Instance().OpenCount());
}
} // namespace
