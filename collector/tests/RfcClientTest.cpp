#include "CollectorLandscape.h"

#include <collector/SessionFile.h>
#include <rfc/AuthorityCheck.h>
#include <rfc/GetSystemTimeRemote.h>
#include <rfc/RfcSystemInfo.h>

namespace
{
using RfcClientTest = CollectorLandscape;

// A result table of the test's own: "row N" in column TEXT, N from 1.
struct RowsReader
{
    unsigned rows = 0;
    unsigned deletedRows = 0;
    unsigned failingRow = UINT_MAX; // reading this row throws
    CString TEXT;

    unsigned GetTableRowCount(LPCTSTR)
    {
        return rows;
    }
    void OnTableRow(LPCTSTR, unsigned row)
    {
        if (row == failingRow)
            AfxThrowNotSupportedException();
        TEXT.Format(L"row %u", row + 1);
    }
    void DeleteTableRows(LPCTSTR)
    {
        deletedRows = rows;
        rows = 0;
    }
};
constexpr RecordField<RowsReader> kRowFields[] = {RECORD_TIME(RowsReader, 0),
                                                  RECORD_FIELD(RowsReader, 8, 12, Text, TEXT)};
constexpr RecordLayout<RowsReader> kRowLayout{20, kRowFields};

std::vector<BYTE> RowRecord(long long time, unsigned row)
{
    CString text;
    text.Format(L"row %u", row);
    return GoldenRecord(20).Int64(0, time).Text(8, 12, text).Bytes();
}

class SessionFileModes : public RfcClientTest
{
protected:
    // Writes `rows` rows at `time` in the mode; the records that the file then holds.
    std::vector<std::vector<BYTE>> Write(SessionFileMode mode, unsigned rows, long long time)
    {
        RowsReader reader;
        reader.rows = rows;
        {
            CSessionFile file(m_path, mode, m_connection, &m_baselineEnd);
            WriteTableRecords(file, reader, L"T", kRowLayout, time, m_connection,
                              mode == SessionFileMode::BaselineAndLatest ? &m_baselineEnd : nullptr);
        }
        EXPECT_EQ(rows, reader.deletedRows) << "rows are given back only when there were some";
        return ReadRecords(m_path, 20);
    }

    CString m_path = m_session.File(L"rows.dat");
    CRfcConnection m_connection;
    ULONGLONG m_baselineEnd = 0;
};
} // namespace

TEST_F(RfcClientTest, SystemInformationRecordFollowsTheFieldTable)
{
    CRfcClient client;
    Connect(client);
    client.GetSystemInfo();
    client.WriteSystemInfoFile();

    const CRfcSystemInfo& info = *client.m_pRfcSystemInfo;
    struct Field
    {
        size_t offset;
        size_t size;
        const CString& text;
    };
    const Field table[] = {
        {0, 6, info.RFCPROTO},     {6, 8, info.RFCCHARTYP},  {14, 6, info.RFCINTTYP},     {20, 6, info.RFCFLOTYP},
        {26, 64, info.RFCDEST},    {90, 16, info.RFCHOST},   {106, 16, info.RFCSYSID},    {122, 16, info.RFCDATABS},
        {138, 64, info.RFCDBHOST}, {202, 20, info.RFCDBSYS}, {222, 8, info.RFCSAPRL},     {230, 10, info.RFCMACH},
        {240, 20, info.RFCOPSYS},  {260, 12, info.RFCTZONE}, {272, 2, info.RFCDAYST},     {274, 30, info.RFCIPADDR},
        {304, 8, info.RFCKERNRL},  {312, 64, info.RFCHOST2}, {376, 90, info.RFCIPV6ADDR},
    };
    GoldenRecord expected(466);
    for (const Field& field : table)
        expected.Text(field.offset, field.size, field.text);
    EXPECT_EQ(L"PRD", info.RFCSYSID);
    EXPECT_EQ(expected.Bytes(), ReadFileBytes(client.GetFileName(fileSystemInfo)));

    // A stopped client leaves the snapshot alone.
    client.SetStopFlag(TRUE);
    client.m_pRfcSystemInfo->RFCSYSID = L"XXX";
    client.WriteSystemInfoFile();
    EXPECT_EQ(expected.Bytes(), ReadFileBytes(client.GetFileName(fileSystemInfo)));
}

TEST_F(SessionFileModes, SnapshotKeepsTheLatestRowsOnly)
{
    EXPECT_EQ(3u, Write(SessionFileMode::Snapshot, 3, 1).size());
    const auto records = Write(SessionFileMode::Snapshot, 2, 2);
    ASSERT_EQ(2u, records.size());
    EXPECT_EQ(RowRecord(2, 1), records[0]);
    EXPECT_EQ(RowRecord(2, 2), records[1]);
    EXPECT_TRUE(Write(SessionFileMode::Snapshot, 0, 3).empty()) << "no rows leave a snapshot empty";
}

TEST_F(SessionFileModes, HistoryAppendsEveryCapture)
{
    Write(SessionFileMode::History, 2, 1);
    EXPECT_EQ(2u, Write(SessionFileMode::History, 0, 2).size()) << "no rows leave it unchanged";
    const auto records = Write(SessionFileMode::History, 1, 3);
    ASSERT_EQ(3u, records.size());
    EXPECT_EQ(RowRecord(1, 2), records[1]);
    EXPECT_EQ(RowRecord(3, 1), records[2]);
}

TEST_F(SessionFileModes, BaselineAndLatestKeepsTheFirstCaptureWithRows)
{
    EXPECT_TRUE(Write(SessionFileMode::BaselineAndLatest, 0, 1).empty());
    EXPECT_TRUE(FileExists(m_path));
    EXPECT_EQ(0u, m_baselineEnd);
    EXPECT_EQ(3u, Write(SessionFileMode::BaselineAndLatest, 3, 2).size());
    EXPECT_EQ(60u, m_baselineEnd);
    EXPECT_EQ(6u, Write(SessionFileMode::BaselineAndLatest, 3, 3).size());
    auto records = Write(SessionFileMode::BaselineAndLatest, 3, 4);
    ASSERT_EQ(6u, records.size());
    EXPECT_EQ(RowRecord(2, 3), records[2]) << "the baseline";
    EXPECT_EQ(RowRecord(4, 1), records[3]) << "the latest";
    // Fewer rows leave the surplus of the capture before.
    records = Write(SessionFileMode::BaselineAndLatest, 1, 5);
    ASSERT_EQ(6u, records.size());
    EXPECT_EQ(RowRecord(5, 1), records[3]);
    EXPECT_EQ(RowRecord(4, 2), records[4]);
}

TEST_F(SessionFileModes, FailedOpenThrowsTheFilledFileException)
{
    m_path = m_session.File(L"missing\\rows.dat");
    try
    {
        CSessionFile file(m_path, SessionFileMode::History, m_connection);
        FAIL() << "no exception";
    }
    catch (CFileException* e)
    {
        EXPECT_EQ(CFileException::badPath, e->m_cause);
        EXPECT_EQ(m_path, e->m_strFileName);
        e->Delete();
    }
    m_connection.SetStopFlag(TRUE);
    CSessionFile quiet(m_path, SessionFileMode::History, m_connection);
    EXPECT_FALSE(quiet.IsOpen()) << "a stopping owner is not told";
}

TEST_F(RfcClientTest, DetectOsTypeTakesTheFirstWordOfItsList)
{
    struct Case
    {
        LPCWSTR os;
        LPCWSTR release;
        LPCWSTR database;
        LPCWSTR expected;
    };
    const Case cases[] = {
        {L"SunOS", L"5.10", L"ORACLE", L"SunOS"},
        {L"SunOS", L"Linux", L"ORACLE", L"Linux"},
        {L"Windows", L"NT 6.1", L"ORACLE", L"Windows NT"},
        {L"sunos", L"5.10", L"ORACLE", L"Other"},
        {L"", L"", L"XAQ", L"KEMRA"},
        {L"", L"", L"DB6", L"Other"},
    };
    for (const Case& c : cases)
    {
        sapsim::CTopology topology = MakeTestTopology();
        topology.hosts[0].os = c.os;
        topology.hosts[0].osRelease = c.release;
        Landscape().Load(topology);
        CRfcClient client;
        Connect(client);
        client.m_strDatabaseSystem = c.database;
        client.DetectOsType();
        EXPECT_EQ(c.expected, client.m_strRemoteOs) << c.os << L" " << c.release;
    }
}

TEST_F(RfcClientTest, ClusterAnswerNamesTheMemberAfterTheSystem)
{
    // The mainframe answers "PLEX1;MVS01;1": the first token is the cluster, never a system.
    const struct
    {
        LPCWSTR system;
        LPCWSTR expected;
    } cases[] = {{L"MVS01", L"1"}, {L"PLEX1", L"0"}, {L"mvs01", L"0"}, {L"", L"0"}};
    for (const auto& c : cases)
    {
        CRfcClient client;
        Connect(client);
        client.LOCAL_REMOTE = L"INTERN";
        client.LOGICAL_DESTINATION = L"SAPCCMSR.MVS01.99";
        client.m_strMainframeSystem = c.system;
        client.ControlPerfRequestCluster();
        EXPECT_EQ(c.expected, client.SYSTEM_ID) << c.system;
    }
}

TEST_F(RfcClientTest, AuthorityCheckPassesOrThrowsItsKey)
{
    sapsim::CTopology topology = MakeTestTopology();
    topology.systems[0].users[0].authorizations = {L"S_ADMI_FCD"};
    Landscape().Load(topology);
    CRfcClient client;
    Connect(client);
    EXPECT_EQ(L"(nothing thrown)", ThrownText([&] {
                  client.AuthorityCheck(L"S_ADMI_FCD", L"S_ADMI_FCD", L"ST0R", L" ", L" ", L" ", L" ");
              }));
    EXPECT_EQ(L"RFC Exception -> AuthorityCheck(S_RZL_ADM): USER_NOT_AUTHORIZED",
              ThrownText([&] { client.AuthorityCheck(L"S_RZL_ADM", L"ACTVT", L"03", L" ", L" ", L" ", L" "); }));
    EXPECT_EQ(L"TESTER", client.m_pAuthorityCheck->USER);
}

TEST_F(RfcClientTest, RemoteTimeIsTheServersLocalClock)
{
    Landscape().SetTime(1700000000); // 2023-11-14 22:13:20 UTC
    CRfcClient client;
    Connect(client);
    const __time64_t remote = client.GetSystemTimeRemote();
    struct tm local = {};
    ASSERT_EQ(0, _localtime64_s(&local, &remote));
    EXPECT_EQ(L"20231114", client.m_pGetSystemTimeRemote->L_DATE);
    EXPECT_EQ(22, local.tm_hour);
    EXPECT_EQ(13, local.tm_min);

    AddFault(sapsim::FaultKind::InvalidDates, L"GET_SYSTEM_TIME_REMOTE");
    try
    {
        client.GetSystemTimeRemote();
        FAIL() << "an impossible date is no time";
    }
    catch (CInvalidArgException* e)
    {
        e->Delete();
    }
}

TEST_F(RfcClientTest, WrapperFirstUsedWhileDownCollectsAfterReconnect)
{
    CRfcClient client;
    Connect(client);
    client.Disconnect();
    sapsim::CFault down;
    down.kind = sapsim::FaultKind::HostDown;
    Landscape().AddFault(down);
    EXPECT_FALSE(client.Reconnect());
    client.GetSystemInfo();
    ASSERT_NE(nullptr, client.m_pRfcSystemInfo) << "made on first use";
    client.WriteSystemInfoFile();
    EXPECT_FALSE(FileExists(client.GetFileName(fileSystemInfo)));

    Landscape().ClearFaults();
    EXPECT_TRUE(client.Reconnect());
    client.GetSystemInfo();
    client.WriteSystemInfoFile();
    EXPECT_EQ(466u, ReadFileBytes(client.GetFileName(fileSystemInfo)).size());
}

TEST_F(SessionFileModes, RecordsGatheredWhenAReadFailsAreKept)
{
    RowsReader reader;
    reader.rows = 5;
    reader.failingRow = 3;
    try
    {
        CSessionFile file(m_path, SessionFileMode::BaselineAndLatest, m_connection, &m_baselineEnd);
        WriteTableRecords(file, reader, L"T", kRowLayout, 7, m_connection, &m_baselineEnd);
        ADD_FAILURE() << "the failed read was not reported";
    }
    catch (CNotSupportedException* e)
    {
        e->Delete();
    }
    const auto records = ReadRecords(m_path, 20);
    ASSERT_EQ(3u, records.size());
    EXPECT_EQ(RowRecord(7, 3), records[2]);
    EXPECT_EQ(0u, m_baselineEnd) << "the baseline stays as it was";
    EXPECT_EQ(0u, reader.deletedRows);
}

// Under Wine, Z:\dev\full is the device that refuses every write for want of space. A write
// that fails is reported once, whether it fails when a block is full or when the file goes.
TEST_F(SessionFileModes, FailedWritesThrowTheFileExceptionOnce)
{
    for (const unsigned rows : {3u, 5000u})
    {
        RowsReader reader;
        reader.rows = rows;
        int reported = 0;
        try
        {
            CSessionFile file(L"Z:\\dev\\full", SessionFileMode::History, m_connection);
            ASSERT_TRUE(file.IsOpen());
            WriteTableRecords(file, reader, L"T", kRowLayout, 1, m_connection);
        }
        catch (CFileException* e)
        {
            EXPECT_EQ(CFileException::diskFull, e->m_cause) << rows;
            e->Delete();
            ++reported;
        }
        EXPECT_EQ(1, reported) << rows;
    }
}
