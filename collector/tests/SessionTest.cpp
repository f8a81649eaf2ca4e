// Whole sessions against the simulated landscape: the collector, its system, host and database
// threads and their instance threads, driven by ticks that the test sets.
#include "CollectorLandscape.h"
#include "TestSessionHost.h"

#include <collector/CollectorThread.h>
#include <collector/DatabaseThread.h>
#include <collector/PcInfo.h>
#include <collector/SapDatabase.h>
#include <collector/SapHost.h>
#include <collector/SapSystem.h>
#include <ThreadCount.h>

#include <chrono>
#include <functional>
#include <memory>

namespace
{
const __time64_t kMonday = 1700438400; // 2023-11-20 00:00:00 UTC: minute 0, every capture due

// Two systems (700 and 701) with three instances on two hosts, and two ORACLE databases.
sapsim::CTopology SessionTopology()
{
    sapsim::CTopology topology = MakeTestTopology();
    sapsim::CHostInfo second = topology.hosts[0];
    second.name = L"saplx02";
    second.ip = L"10.20.1.12";
    topology.hosts.push_back(second);
    topology.databases.push_back(sapsim::CDatabaseInfo{L"QAS", L"ORACLE", L"saplx02", L"10.2.0"});
    topology.systems.resize(1);
    topology.systems[0].instances = {{kHost, L"00", 0x1F}, {L"saplx02", L"01", 0x1F}};
    sapsim::CSystemInfo qas = topology.systems[0];
    qas.id = L"QAS";
    qas.release = L"701";
    qas.database = L"QAS";
    qas.instances = {{L"saplx02", L"02", 0x1F}};
    topology.systems.push_back(qas);
    return topology;
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeout = 20000)
{
    const DWORD start = GetTickCount();
    while (!condition())
    {
        if (GetTickCount() - start > timeout)
            return false;
        Sleep(10);
    }
    return true;
}

class SessionTest : public CollectorLandscape
{
protected:
    void SetUp() override
    {
        CollectorLandscape::SetUp();
        Landscape().Load(SessionTopology());
        m_host.m_now = kMonday;
        m_pc.m_strOs = L"Windows 7";
        m_host.m_pc = &m_pc;
        try
        {
            m_host.AddSystem(kHost, L"00", kUser, kPassword);
            m_host.AddSystem(L"saplx02", L"02", kUser, kPassword);
        }
        catch (CException* e)
        {
            wchar_t text[300];
            e->GetErrorMessage(text, 300);
            ADD_FAILURE() << e->GetRuntimeClass()->m_lpszClassName << ": " << text;
            e->Delete();
        }
    }
    void TearDown() override
    {
        m_collector.reset();
        m_host.RemoveAll();
    }
    void StartSession()
    {
        m_collector = std::make_unique<CCollectorThread>(&m_host);
        m_collector->SetSessionDirectory(m_session.Path().Left(m_session.Path().GetLength() - 1));
        m_collector->Start();
        m_collector->SetEvent(CCollectorThread::eventStart);
        // A tick that finds a host's instance threads still connecting finds none answering and
        // is lost to the host: the session starts once the landscape has had no call for a while.
        EXPECT_TRUE(LandscapeSettles()) << "the session's threads still call the landscape";
    }
    static bool LandscapeSettles()
    {
        const DWORD quietMs = 300;
        unsigned long long calls = 0;
        DWORD lastChange = GetTickCount();
        return WaitFor([&] {
            unsigned long long now = 0;
            for (sapsim::Operation operation :
                 {sapsim::Operation::Logon, sapsim::Operation::Ping, sapsim::Operation::Invoke})
                now += Landscape().Count(operation);
            if (now != calls)
            {
                calls = now;
                lastChange = GetTickCount();
            }
            return calls > 0 && GetTickCount() - lastChange >= quietMs;
        });
    }
    // A tick at the given hour after Monday midnight; minute 0 makes every capture due.
    void Tick(int hour)
    {
        m_host.m_now = kMonday + hour * 3600;
        Landscape().SetTime(m_host.m_now);
        m_collector->SetEvent(CCollectorThread::eventPeriodic);
    }
    // A tick, waiting until each host's last capture of it is written (a tick that reaches an
    // instance thread while it still works on the one before would be dropped).
    void TickAndWait(int hour, std::initializer_list<LPCWSTR> hosts = {L"saplx01", L"saplx02"})
    {
        std::vector<std::pair<CString, size_t>> before;
        for (LPCWSTR host : hosts)
            before.emplace_back(CString(host) + L".ps", Size(CString(host) + L".ps"));
        Tick(hour);
        for (const auto& [file, size] : before)
            EXPECT_TRUE(WaitFor([&] { return Size(file) > size; })) << file.GetString() << " at hour " << hour;
    }
    size_t Size(LPCWSTR name) const
    {
        return ReadFileBytes(m_session.File(name)).size();
    }
    bool SizeIs(LPCWSTR name, size_t size) const
    {
        return WaitFor([&] { return Size(name) == size; });
    }
    // Lines of the log files of the pattern that end in the text.
    size_t LogLines(LPCWSTR pattern, LPCWSTR text) const
    {
        size_t count = 0;
        CFileFind find;
        for (BOOL more = find.FindFile(m_session.File(pattern)); more;)
        {
            more = find.FindNextFile();
            CStdioFile file;
            if (!file.Open(find.GetFilePath(), CFile::modeRead | CFile::shareDenyNone | CFile::typeText))
                continue;
            for (CString line; file.ReadString(line);)
                count += line.Right(static_cast<int>(wcslen(text))) == text;
        }
        return count;
    }
    size_t Count(LPCWSTR pattern) const
    {
        size_t count = 0;
        CFileFind find;
        for (BOOL more = find.FindFile(m_session.File(pattern)); more;)
        {
            more = find.FindNextFile();
            ++count;
        }
        return count;
    }

    TestSessionHost m_host;
    CPcInfo m_pc;
    std::unique_ptr<CCollectorThread> m_collector;
};
} // namespace

TEST_F(SessionTest, ASessionWritesItsControlDataAndLogFiles)
{
    ASSERT_EQ(2, m_host.m_systems.GetCount());
    ASSERT_EQ(2, m_host.m_hosts.GetCount());
    ASSERT_EQ(2, m_host.m_databases.GetCount());
    m_host.m_profile[L"Customer\\Company"] = L"Example Ltd.";
    StartSession();
    EXPECT_EQ(L"PRD, QAS", m_collector->GetSystemIdList());

    EXPECT_TRUE(SizeIs(L"customer.ctl", 3712));
    EXPECT_TRUE(SizeIs(L"zol.ctl", 4416));
    EXPECT_TRUE(SizeIs(L"pc.ctl", 2260));
    EXPECT_TRUE(SizeIs(L"system.ctl", 2 * 2092));
    EXPECT_TRUE(SizeIs(L"instance.ctl", 3 * 2440));
    EXPECT_TRUE(SizeIs(L"host.ctl", 2 * 2326));
    EXPECT_TRUE(SizeIs(L"database.ctl", 2 * 2084));
    // The control files follow the children.
    EXPECT_EQ(2, m_collector->m_databaseThreads.GetCount()) << "one thread per database";
    const std::vector<BYTE> pc = ReadFileBytes(m_session.File(L"pc.ctl"));
    EXPECT_EQ(GoldenRecord(2260).Int32(0, 5072).Text(4, 128, L"Windows 7").Bytes(), pc);
    const std::vector<BYTE> customer = ReadFileBytes(m_session.File(L"customer.ctl"));
    EXPECT_EQ(GoldenRecord(3712).Text(0, 128, L"Example Ltd.").Bytes(), customer);
    EXPECT_TRUE(SizeIs(L"PRD.sap", 100));
    EXPECT_TRUE(SizeIs(L"QAS.sap", 100));
    EXPECT_TRUE(SizeIs(L"saplx01.mif", 144));
    const std::vector<BYTE> mif = GoldenRecord(144).Int32(132, 2400).Bytes();
    EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(m_session.File(L"saplx02.mif")) == mif; }));
    for (LPCWSTR instance : {L"saplx01_PRD_00.sos", L"saplx02_PRD_01.sos", L"saplx02_QAS_02.sos"})
        EXPECT_TRUE(SizeIs(instance, 360)) << instance;

    // Three ticks: the hosts are measured once per tick over one connection.
    TickAndWait(1);
    const size_t cpuBytes = Size(L"saplx01.cpu");
    ASSERT_GT(cpuBytes, 0u);
    EXPECT_EQ(0u, cpuBytes % 56);
    TickAndWait(2);
    TickAndWait(3);
    EXPECT_EQ(3 * cpuBytes, Size(L"saplx01.cpu"));
    for (LPCWSTR file : {L"saplx01.mem", L"saplx02.mem", L"saplx01.dsk", L"saplx01.fs", L"saplx01.lan", L"saplx02.ps"})
        EXPECT_GT(Size(file), 0u) << file;
    EXPECT_EQ(0u, Size(L"saplx01.mem") % 48);
    // The initial host tasks ran with the first tick, once the instance threads answered.
    for (LPCWSTR text : {L"saplx01.env", L"saplx01.hw", L"saplx02.env", L"saplx02.hw"})
        EXPECT_TRUE(WaitFor([&] { return Size(text) > 0; })) << text;
    const std::vector<BYTE> env = ReadFileBytes(m_session.File(L"saplx01.env"));
    EXPECT_NE(std::string::npos, std::string(env.begin(), env.end()).find("\r\n")) << "text lines";
    // Both databases of the same type are collected.
    EXPECT_TRUE(WaitFor([&] { return Size(L"PRD.ors") == 1840 && Size(L"QAS.ors") == 1840; }));

    m_collector.reset();
    // One log per thread: the collector, two systems, two hosts, two databases and the
    // instance threads of each (two own, three of the systems, three of the hosts, three of
    // the databases).
    EXPECT_EQ(18u, Count(L"*.log"));
    EXPECT_EQ(1u, Count(L"collector(0x*).log"));
    EXPECT_EQ(3u, Count(L"PRD_ORACLE(0x*).log")) << "the database's thread and its two instance threads";
    for (LPCWSTR host : {L"saplx01(0x*).log", L"saplx02(0x*).log"})
    {
        EXPECT_EQ(1u, LogLines(host, L" : capturing host environment.")) << host;
        EXPECT_EQ(3u, LogLines(host, L" : capturing host cpu statistics.")) << "one thread per tick";
    }
    EXPECT_EQ(3u, LogLines(L"collector(0x*).log", L" : setting periodic host events."));
    EXPECT_EQ(2u, Count(L"QAS_ORACLE(0x*).log"));
}

TEST_F(SessionTest, AHostThatComesBackIsCollectedFromTheNextTick)
{
    sapsim::CFault down;
    down.kind = sapsim::FaultKind::HostDown;
    down.host = L"saplx02";
    Landscape().AddFault(down);
    StartSession();
    TickAndWait(1, {L"saplx01"});
    const size_t cpuBytes = Size(L"saplx01.cpu");
    TickAndWait(2, {L"saplx01"});
    TickAndWait(3, {L"saplx01"});
    EXPECT_EQ(3 * cpuBytes, Size(L"saplx01.cpu")) << "the other host goes on";
    EXPECT_EQ(0u, Size(L"saplx02.cpu"));
    EXPECT_EQ(0u, Size(L"saplx02.env"));

    Landscape().ClearFaults();
    TickAndWait(4, {L"saplx01"}); // the instance threads reconnect on this tick's ping
    TickAndWait(5);
    // The host's files and its initial tasks are written by other threads than the one whose
    // file the tick waited for.
    EXPECT_TRUE(WaitFor([&] { return Size(L"saplx02.cpu") > 0; })) << "collected again";
    EXPECT_TRUE(SizeIs(L"saplx01.cpu", 5 * cpuBytes));
    EXPECT_TRUE(WaitFor([&] { return Size(L"saplx02.env") > 0; })) << "and its initial tasks ran";
    TickAndWait(6);
    EXPECT_EQ(1u, LogLines(L"saplx02(0x*).log", L" : capturing host hardware information.")) << "once";
}

TEST_F(SessionTest, DeletingTheCollectorEndsEveryRunningCallAtOnce)
{
    const size_t threadsBefore = ThreadCount();
    const size_t handlesBefore = OpenHandles();
    StartSession();
    ASSERT_TRUE(SizeIs(L"database.ctl", 2 * 2084));
    // Every call from now on takes a minute. The second tick finds the instance threads busy:
    // the host and database threads then wait in their pings for the connections.
    AddFault(sapsim::FaultKind::SlowCall, L"", 60000);
    Tick(1);
    Sleep(300);
    Tick(2);
    Sleep(300);
    const auto start = std::chrono::steady_clock::now();
    m_collector.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_TRUE(WaitFor([&] { return ThreadCount() <= threadsBefore; }))
        << ThreadCount() << " threads, " << threadsBefore << " before";
    EXPECT_EQ(handlesBefore, OpenHandles());
}

TEST_F(SessionTest, TheCollectorOwnsTheWholeTreeAndDeletingItEndsEveryThread)
{
    const size_t threadsBefore = ThreadCount();
    StartSession();
    m_collector->Stop();
    // Two systems, two hosts and two databases, each with its instance threads; the systems also
    // with their own.
    size_t children = 0, tree = 0;
    std::function<void(CThreadObject&)> count = [&](CThreadObject& thread) {
        ++tree;
        EXPECT_TRUE(thread.HasWorker());
        thread.ForEachOwnedThread(count);
    };
    m_collector->ForEachOwnedThread([&](CThreadObject& child) {
        ++children;
        count(child);
    });
    EXPECT_EQ(6u, children);
    EXPECT_EQ(6u + 2u + 3u * 3u, tree);
    m_collector.reset();
    EXPECT_TRUE(WaitFor([&] { return ThreadCount() <= threadsBefore; }))
        << ThreadCount() << " threads, " << threadsBefore << " before";
}

TEST_F(SessionTest, StoppingInTheMiddleOfATickEndsEveryThreadAndLeavesWholeFiles)
{
    const size_t threadsBefore = ThreadCount();
    const size_t handlesBefore = OpenHandles();
    StartSession();
    ASSERT_TRUE(SizeIs(L"database.ctl", 2 * 2084));
    Tick(1);
    // The first file of the tick is written: the other captures are running or still to come.
    ASSERT_TRUE(WaitFor([&] { return Size(L"saplx01.cpu") > 0 || Size(L"saplx02.cpu") > 0; }));
    m_collector.reset();
    EXPECT_TRUE(WaitFor([&] { return ThreadCount() <= threadsBefore; }))
        << ThreadCount() << " threads, " << threadsBefore << " before";
    EXPECT_EQ(handlesBefore, OpenHandles());

    const struct
    {
        LPCWSTR file;
        size_t recordSize;
    } kRecords[] = {{L"saplx01.cpu", 56}, {L"saplx02.cpu", 56},         {L"saplx01.mem", 48},
                    {L"saplx02.mem", 48}, {L"saplx01_PRD_00.sos", 360}, {L"saplx02_QAS_02.sos", 360}};
    for (const auto& record : kRecords)
        EXPECT_EQ(0u, Size(record.file) % record.recordSize) << record.file;
    CFileFind find;
    for (BOOL more = find.FindFile(m_session.File(L"*.log")); more;)
    {
        more = find.FindNextFile();
        const std::vector<BYTE> log = ReadFileBytes(find.GetFilePath());
        ASSERT_GE(log.size(), 2u) << find.GetFileName().GetString();
        EXPECT_TRUE(log[log.size() - 2] == '\r' && log.back() == '\n') << find.GetFileName().GetString();
    }
}
