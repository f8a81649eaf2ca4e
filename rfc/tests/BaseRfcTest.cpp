#include "SimulatedLandscape.h"

#include <rfc/GetCpuAll.h>
#include <rfc/GetMemAll.h>
#include <rfc/ThEnvironment.h>
#include <rfc/ThServerList.h>

namespace
{
using sapsim::FaultKind;
using sapsim::Operation;

class BaseRfcTest : public SimulatedLandscape
{
protected:
    void SetUp() override
    {
        SimulatedLandscape::SetUp();
        SetLogon(m_connection);
    }

    CRfcConnection m_connection;
};

} // namespace

TEST(HexToByte, ReadsOneOrTwoDigits)
{
    const struct
    {
        LPCWSTR text;
        BYTE expected;
    } cases[] = {
        {L"ff", 255}, {L"FF", 255}, {L"7", 0x70}, {L"", 0}, {L"1", 0x10}, {L"0F", 15}, {L"a5c", 0xA5},
    };
    for (const auto& c : cases)
    {
        BYTE value = 0xEE;
        EXPECT_EQ(CBaseRfc::HexToByte(c.text, value), 1) << c.text;
        EXPECT_EQ(value, c.expected) << c.text;
    }
    BYTE value = 0xEE;
    EXPECT_EQ(CBaseRfc::HexToByte(L"zz", value), 0);
    EXPECT_EQ(value, 0xEE);
}

TEST(HexToByte, ReadsAsTheScannerReadsThePaddedUpperCaseText)
{
    const LPCWSTR texts[] = {L"ff",  L"7",  L"",   L" f", L"+f",           L"-1",     L"-f",     L"x1",
                             L"\t7", L"G1", L"1G", L"0x", L"\xff11\xff10", L"\xff11", L"\x0663", L"  ",
                             L"+",   L"-",  L"aB", L"9z"};
    for (LPCWSTR text : texts)
    {
        CString padded(text);
        padded.MakeUpper();
        while (padded.GetLength() < 2)
            padded += L'0';
        unsigned scanned = 0xEEEE;
        const int expectedCount = swscanf(padded, L"%2x", &scanned);
        BYTE value = 0xEE;
        EXPECT_EQ(CBaseRfc::HexToByte(text, value), std::max(expectedCount, 0)) << text;
        EXPECT_EQ(value, expectedCount == 1 ? static_cast<BYTE>(scanned) : 0xEE) << text;
    }
}

TEST_F(BaseRfcTest, ALookupThatFailedWhileTheConnectionWasDownIsRepeatedOnceItAnswers)
{
    CGetCpuAll early(&m_connection); // before the connection is opened
    EXPECT_FALSE(early.HasFunction(&m_connection));
    m_connection.Connect();
    EXPECT_TRUE(early.HasFunction(&m_connection));

    ASSERT_EQ(Landscape().DropConnections(L"PRD"), 1);
    CGetMemAll broken(&m_connection);
    const unsigned long long lookups = Count(Operation::Describe, L"GET_MEM_ALL");
    EXPECT_FALSE(broken.HasFunction(&m_connection)); // still broken: no lookup
    EXPECT_EQ(Count(Operation::Describe, L"GET_MEM_ALL"), lookups);

    EXPECT_TRUE(m_connection.CheckConnection());
    ASSERT_TRUE(broken.HasFunction(&m_connection));
    broken.SetImportParameters();
    broken.CallFunctionModule(&m_connection);
    EXPECT_GT(broken.GetTableRowCount(L"TF_MEM_ALL"), 0u);
}

TEST_F(BaseRfcTest, AStoppedOwnerMakesNoCallAndThrowsNothing)
{
    m_connection.Connect();
    CGetCpuAll before(&m_connection);
    ASSERT_TRUE(before.HasFunction(&m_connection));
    m_connection.SetStopFlag(TRUE);
    const unsigned long long lookups = Count(Operation::Describe);
    CGetCpuAll after(&m_connection);
    EXPECT_FALSE(after.HasFunction(&m_connection));
    EXPECT_EQ(Count(Operation::Describe), lookups);

    ASSERT_EQ(Landscape().DropConnections(L"PRD"), 1);
    before.SetImportParameters();
    EXPECT_STREQ(ThrownText([&] { before.CallFunctionModule(&m_connection); }), L"(nothing thrown)");
    EXPECT_EQ(Count(Operation::Invoke), 0u);
}

TEST_F(BaseRfcTest, TableOperations)
{
    m_connection.Connect();
    CThEnvironment environment(&m_connection);
    environment.CallFunctionModule(&m_connection);
    const unsigned rows = environment.GetTableRowCount(L"ENVIRONMENT");
    ASSERT_GT(rows, 1u);

    // The characters of "LINE", padded with blanks.
    SAP_UC line[40];
    environment.GetBytes(environment.SetTableRow(L"ENVIRONMENT", 0), line, 40);
    EXPECT_EQ(CString(line, 40), CString(L"SAPSYSTEMNAME=PRD") + CString(L' ', 23));

    EXPECT_EQ(ThrownText([&] {
                  environment.OnTableRow(L"NO_SUCH_TABLE", 0);
              }).Find(L"RFC Exception -> Function: CBaseRfc::GetTableHandle - RfcGetTable(NO_SUCH_TABLE) | "),
              0);
    EXPECT_EQ(ThrownText([&] {
                  environment.OnTableRow(L"ENVIRONMENT", rows);
              }).Find(L"RFC Exception -> Function: CBaseRfc::SetTableRow - RfcMoveTo(ENVIRONMENT) | "),
              0);
    CString field;
    EXPECT_EQ(ThrownText([&] {
                  environment.GetString(environment.GetFunctionHandle(), L"NO_FIELD", field);
              }).Find(L"RFC Exception -> Function: CBaseRfc::GetString()(NO_FIELD) | "),
              0);

    EXPECT_NE(environment.AppendTableRow(L"ENVIRONMENT"), nullptr);
    EXPECT_EQ(environment.GetTableRowCount(L"ENVIRONMENT"), rows + 1);
    environment.DeleteTableRows(L"ENVIRONMENT");
    EXPECT_EQ(environment.GetTableRowCount(L"ENVIRONMENT"), 0u);
}

TEST_F(BaseRfcTest, SwitchedOffTablesAreNotFilled)
{
    m_connection.Connect();
    CThServerList servers(&m_connection);
    servers.SetParameterActive(L"LIST", FALSE);
    servers.SetImportParameters();
    servers.CallFunctionModule(&m_connection);
    EXPECT_EQ(servers.GetTableRowCount(L"LIST"), 0u);
    EXPECT_EQ(servers.GetTableRowCount(L"LIST_IPV6"), 1u);
    EXPECT_EQ(ThrownText([&] {
                  servers.SetParameterActive(L"NO_SUCH", TRUE);
              }).Find(L"RFC Exception -> Function: CBaseRfc::SetParameterActive - RfcSetParameterActive()(NO_SUCH) | "),
              0);
}

TEST_F(BaseRfcTest, AValueIsCutAtItsFirstNul)
{
    m_connection.Connect();
    CBaseRfc table(&m_connection, L"RFC_READ_TABLE");
    ASSERT_TRUE(table.HasFunction(&m_connection));
    const RFC_FUNCTION_HANDLE hFunction = table.GetFunctionHandle();
    // QUERY_TABLE holds 30 characters; 30 stands for no NUL at all.
    for (const int nul : {0, 1, 7, 8, 9, 15, 16, 17, 29, 30})
    {
        CString value;
        for (int i = 0; i < 30; ++i)
            value += static_cast<wchar_t>(i == nul ? 0 : L'A' + i % 26);
        table.SetString(hFunction, L"QUERY_TABLE", value);
        CString read = L"old";
        table.GetString(hFunction, L"QUERY_TABLE", read);
        EXPECT_EQ(value.Left(nul), read) << nul << ": " << read.GetString();
    }
}
