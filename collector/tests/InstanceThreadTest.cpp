#include "CollectorLandscape.h"
#include "TestSessionHost.h"

#include <collector/CollectorThread.h>
#include <collector/InstanceThread.h>
#include <collector/Lumiter5Message.h>
#include <rfc/RfcSystemInfo.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>

// Heap objects of one size are followed from new to delete, so that a test can tell whether
// every output message that was made was also freed. The slots are plain memory: following
// must not allocate.
namespace
{
std::atomic<size_t> g_followedSize = 0;
std::mutex g_followedLock;
void* g_followed[256];

void Follow(void* p, size_t size)
{
    if (size != g_followedSize || p == nullptr)
        return;
    std::lock_guard<std::mutex> lock(g_followedLock);
    for (void*& slot : g_followed)
    {
        if (slot == nullptr)
        {
            slot = p;
            return;
        }
    }
}
void Unfollow(void* p)
{
    if (g_followedSize == 0)
        return;
    std::lock_guard<std::mutex> lock(g_followedLock);
    for (void*& slot : g_followed)
    {
        if (slot == p)
            slot = nullptr;
    }
}
size_t Followed()
{
    std::lock_guard<std::mutex> lock(g_followedLock);
    return std::count_if(std::begin(g_followed), std::end(g_followed), [](void* p) { return p != nullptr; });
}
} // namespace

void* operator new(size_t size)
{
    void* p = HeapAlloc(GetProcessHeap(), 0, size == 0 ? 1 : size);
    if (p == nullptr)
        throw std::bad_alloc();
    Follow(p, size);
    return p;
}
void operator delete(void* p) noexcept
{
    Unfollow(p);
    HeapFree(GetProcessHeap(), 0, p);
}
void operator delete(void* p, size_t) noexcept
{
    Unfollow(p);
    HeapFree(GetProcessHeap(), 0, p);
}

namespace
{
const __time64_t kMonday = 1700438400; // 2023-11-20 00:00:00 UTC

class InstanceThreadTest : public CollectorLandscape
{
protected:
    void SetUp() override
    {
        CollectorLandscape::SetUp();
        m_collector.SetSessionDirectory(m_session.Path());
        m_collector.LoadSettings(m_host);
    }
    // A system's own thread for PRD, started and connected.
    std::unique_ptr<CInstanceThread> StartThread(int category = CSessionHost::categorySystem)
    {
        auto thread = std::make_unique<CInstanceThread>(&m_collector);
        SetLogon(*thread);
        thread->m_nCategory = category;
        thread->m_strSessionDirectory = m_session.Path();
        thread->m_strSystemId = L"PRD";
        thread->m_strInstanceName = L"saplx01_PRD_00";
        thread->m_strHostName = kHost;
        thread->m_strDatabaseName = L"PRD";
        thread->m_strDatabaseSystem = L"ORACLE";
        thread->Start();
        thread->SetEvent(CInstanceThread::eventOpenConnection);
        return thread;
    }
    static bool WaitFor(const std::function<bool()>& condition, DWORD timeout = 20000)
    {
        const DWORD start = GetTickCount();
        while (!condition())
        {
            if (GetTickCount() - start > timeout)
                return false;
            Sleep(5);
        }
        return true;
    }
    static bool Connected(CInstanceThread& thread)
    {
        return WaitFor([&] { return thread.HasConnectionHandle() != FALSE; });
    }
    // The modules called and pings made since the landscape was loaded, in order.
    static std::vector<CString> Calls()
    {
        std::vector<CString> calls;
        for (const sapsim::CCallRecord& call : Landscape().CallLog())
        {
            if (call.operation == sapsim::Operation::Invoke)
                calls.push_back(call.module);
            else if (call.operation == sapsim::Operation::Ping)
                calls.push_back(L"(ping)");
        }
        return calls;
    }
    static std::vector<CString> ReadLines(const CString& path)
    {
        std::vector<CString> lines;
        CStdioFile file;
        if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone | CFile::typeText))
            return lines;
        for (CString line; file.ReadString(line);)
            lines.push_back(line);
        return lines;
    }
    // The log files of the session directory.
    std::vector<CString> LogFiles() const
    {
        std::vector<CString> names;
        CFileFind find;
        for (BOOL more = find.FindFile(m_session.File(L"*.log")); more;)
        {
            more = find.FindNextFile();
            names.push_back(find.GetFileName());
        }
        return names;
    }

    TestSessionHost m_host;
    CCollectorThread m_collector{&m_host};
};
} // namespace

TEST(CaptureSchedule, DueWhenTheIntervalDividesTheMinute)
{
    const int minutes[] = {60, 7, 15, 56, -1}; // minute 0 counts as 60
    const struct
    {
        int interval;
        bool due[5];
    } cases[] = {
        {0, {false, false, false, false, false}},  {-1, {false, false, false, false, false}},
        {1, {true, true, true, true, true}},       {7, {false, true, false, true, false}},
        {15, {true, false, true, false, false}},   {60, {true, false, false, false, false}},
        {61, {false, false, false, false, false}},
    };
    for (const auto& c : cases)
    {
        for (size_t i = 0; i < std::size(minutes); ++i)
            EXPECT_EQ(c.due[i], CInstanceThread::IsDue(c.interval, minutes[i]) != FALSE)
                << "interval " << c.interval << ", minute " << minutes[i];
    }
    // The minute of the local time.
    struct tm local = {};
    local.tm_year = 123;
    local.tm_mon = 10;
    local.tm_mday = 20;
    local.tm_hour = 10;
    local.tm_isdst = -1;
    EXPECT_EQ(60, CInstanceThread::LocalMinute(_mktime64(&local)));
    local.tm_min = 7;
    EXPECT_EQ(7, CInstanceThread::LocalMinute(_mktime64(&local)));
    EXPECT_EQ(-1, CInstanceThread::LocalMinute(-5));
}

TEST_F(InstanceThreadTest, FileNamesFollowTheirOwners)
{
    CInstanceThread thread(&m_collector);
    thread.m_strSessionDirectory = L"C:\\s\\";
    thread.m_strSystemId = L"PRD";
    thread.m_strInstanceName = L"saplx01_PRD_00";
    thread.m_strHostName = L"saplx01";
    thread.m_strDatabaseName = L"PRDDB";
    thread.m_strDatabaseHost = L"dbhost";
    const struct
    {
        SessionFile file;
        LPCWSTR name;
    } table[] = {
        {fileComponents, L"C:\\s\\PRD.cmp"},
        {filePatches, L"C:\\s\\PRD.ptc"},
        {fileReports, L"C:\\s\\PRD.rpt"},
        {fileDsrRecords, L"C:\\s\\PRD.dsr"},
        {fileBiOlap, L"C:\\s\\PRD.bif"},
        {fileBiDataManager, L"C:\\s\\PRD.bib"},
        {fileOraMainList, L"C:\\s\\PRDDB.ors"},
        {fileOraFillTD110, L"C:\\s\\PRDDB.ort"},
        {fileDb6Pm1st4, L"C:\\s\\PRDDB.d6s"},
        {fileDb6Tablespaces, L"C:\\s\\PRDDB.d6t"},
        {fileDb4Overview, L"C:\\s\\PRDDB.d4s"},
        {fileDb4DbSize, L"C:\\s\\PRDDB.d4t"},
        {fileDb02MainScreen, L"C:\\s\\PRDDB.d2t"},
        {fileCpuAll, L"C:\\s\\saplx01.cpu"},
        {fileCpuVirtHox, L"C:\\s\\saplx01.cpv"},
        {fileMemAll, L"C:\\s\\saplx01.mem"},
        {fileDiskSingle, L"C:\\s\\saplx01.dsk"},
        {fileFsysSingle, L"C:\\s\\saplx01.fs"},
        {fileLanSingle, L"C:\\s\\saplx01.lan"},
        {fileTopSingle, L"C:\\s\\saplx01.ps"},
        {fileHardwareDescr, L"C:\\s\\saplx01.hw"},
        {fileEnvironment, L"C:\\s\\saplx01.env"},
        {fileLparInfo, L"C:\\s\\saplx01.lpr"},
        {fileSpagAll, L"C:\\s\\saplx01.spg"},
        {fileStorAll, L"C:\\s\\saplx01.str"},
        {fileSystemInfo, L"C:\\s\\saplx01_PRD_00.sys"},
        {fileSaprel, L"C:\\s\\saplx01_PRD_00.krn"},
        {fileSaposcol, L"C:\\s\\saplx01_PRD_00.sos"},
        {fileServerParams, L"C:\\s\\saplx01_PRD_00.pfl"},
        {fileWpInfo, L"C:\\s\\saplx01_PRD_00.wp"},
        {fileStorageInfos, L"C:\\s\\saplx01_PRD_00.stg"},
        {fileRequestQueue, L"C:\\s\\saplx01_PRD_00.drq"},
        {fileInstanceMemory, L"C:\\s\\saplx01_PRD_00.mem"},
        {fileSummary, L"C:\\s\\saplx01_PRD_00.sum"},
        {fileTableStatistics, L"C:\\s\\saplx01_PRD_00.tbl"},
        {fileBufferStatistics, L"C:\\s\\saplx01_PRD_00.buf"},
        {fileTableQualities, L"C:\\s\\saplx01_PRD_00.tql"},
        {fileCursorCache, L"C:\\s\\saplx01_PRD_00.ccs"},
        {fileStatRecords, L"C:\\s\\saplx01_PRD_00.dss"},
    };
    static_assert(std::size(table) == fileCount);
    const __time64_t before = _time64(nullptr);
    thread.BuildFileNames();
    EXPECT_GE(thread.m_nStartTime, before);
    for (const auto& row : table)
        EXPECT_EQ(row.name, thread.GetFileName(row.file));

    // A host reached remotely is named after the database host; so is "local" in lower case.
    for (LPCWSTR remote : {L"INTERN", L"local"})
    {
        thread.LOCAL_REMOTE = remote;
        thread.BuildFileNames();
        EXPECT_EQ(L"C:\\s\\dbhost.cpu", thread.GetFileName(fileCpuAll)) << remote;
        EXPECT_EQ(L"C:\\s\\dbhost.str", thread.GetFileName(fileStorAll)) << remote;
        EXPECT_EQ(L"C:\\s\\saplx01_PRD_00.mem", thread.GetFileName(fileInstanceMemory));
    }
}

TEST_F(InstanceThreadTest, ThreadsConnectLogAndPostToTheOutputWindow)
{
    HWND sink = CreateWindowEx(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, sink);
    m_host.m_hOutput = sink;
    m_host.m_now = kMonday + 15 * 60;
    // Each line carries the minute of the wall clock when it was logged.
    const __time64_t nStart = _time64(nullptr);
    std::vector<std::pair<WPARAM, CString>> posted;
    std::vector<CString> times;
    auto takePosted = [&] {
        for (MSG msg; PeekMessage(&msg, sink, WM_LUMITER5_MESSAGE, WM_LUMITER5_MESSAGE, PM_REMOVE);)
        {
            auto* message = reinterpret_cast<CLumiter5Message*>(msg.lParam);
            EXPECT_EQ(L"saplx01_PRD_00", message->m_strSource);
            times.push_back(message->m_strTime);
            posted.emplace_back(msg.wParam, message->m_strText);
            delete message;
        }
        return posted.size() >= 3u;
    };
    {
        auto thread = StartThread(CSessionHost::categoryInstance);
        ASSERT_TRUE(Connected(*thread));
        thread->SetEvent(CInstanceThread::eventInitialInstanceTasks);
        // The file exists from its opening on; its record arrives when the writer closes it.
        EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(thread->GetFileName(fileSystemInfo)).size() == 466u; }));
        // The next capture's line follows the file; a thread told to stop posts no more.
        EXPECT_TRUE(WaitFor(takePosted));
    }
    takePosted();
    DestroyWindow(sink);
    std::vector<CString> minutes;
    for (__time64_t nMinute = nStart / 60; nMinute <= _time64(nullptr) / 60; ++nMinute)
        minutes.push_back(CThreadObject::FormatLogTime(nMinute * 60));
    for (const CString& strTime : times)
        EXPECT_NE(std::find(minutes.begin(), minutes.end(), strTime), minutes.end()) << CW2A(strTime);
    ASSERT_GE(posted.size(), 3u);
    EXPECT_EQ(CSessionHost::categoryInstance, posted[0].first);
    EXPECT_EQ(L"opening connection.", posted[0].second);
    EXPECT_EQ(L"capturing instance information.", posted[1].second);

    const std::vector<CString> logs = LogFiles();
    ASSERT_EQ(1u, logs.size());
    EXPECT_EQ(0, logs[0].Find(L"saplx01_PRD_00(0x")) << logs[0].GetString();
    EXPECT_EQ(logs[0].GetLength() - 5, logs[0].Find(L").log"));
    const std::vector<BYTE> bytes = ReadFileBytes(m_session.File(logs[0]));
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(std::string::npos, text.find(" : opening connection.\r\n")) << text;
    const std::vector<CString> lines = ReadLines(m_session.File(logs[0]));
    ASSERT_FALSE(lines.empty());
    // "10:15 UTC  Mon, Nov 20, 2023 : opening connection."
    const CString& first = lines[0];
    EXPECT_EQ(L" UTC  ", first.Mid(5, 6));
    EXPECT_EQ(L" : opening connection.", first.Mid(first.Find(L" : "))) << first.GetString();
}

TEST(ThreadLog, TimeTextIsUtcWithoutLeadingZeroInTheDay)
{
    EXPECT_EQ(L"00:00 UTC  Mon, Nov 20, 2023", CThreadObject::FormatLogTime(kMonday));
    EXPECT_EQ(L"08:05 UTC  Wed, Nov 1, 2023", CThreadObject::FormatLogTime(1698825900));
    EXPECT_EQ(L"", CThreadObject::FormatLogTime(-1));
}

TEST_F(InstanceThreadTest, DatabaseThreadsLogUnderDatabaseAndType)
{
    {
        auto thread = StartThread(CSessionHost::categoryDatabase);
        ASSERT_TRUE(Connected(*thread));
    }
    const std::vector<CString> logs = LogFiles();
    ASSERT_EQ(1u, logs.size());
    EXPECT_EQ(0, logs[0].Find(L"PRD_ORACLE(0x")) << logs[0].GetString();
}

namespace
{
// Runs the handlers on the test's own thread, so that every capture of an event is written when
// the event's handler returns.
class SteppedInstanceThread : public CInstanceThread
{
public:
    using CInstanceThread::CInstanceThread;
    using CInstanceThread::OnEvent;
};

// The host's and the database's files that exist in the directory.
std::vector<SessionFile> WrittenCaptures(const CInstanceThread& thread)
{
    std::vector<SessionFile> written;
    for (int file = fileOraMainList; file <= fileStorAll; ++file)
    {
        if (FileExists(thread.GetFileName(static_cast<SessionFile>(file))))
            written.push_back(static_cast<SessionFile>(file));
    }
    return written;
}
} // namespace

TEST_F(InstanceThreadTest, HostSystemsAndDatabaseTypesChooseTheirCaptures)
{
    const std::vector<SessionFile> kCommonHost = {fileCpuAll,     fileMemAll,    fileDiskSingle,
                                                  fileFsysSingle, fileLanSingle, fileTopSingle};
    const auto with = [](std::vector<SessionFile> files, std::initializer_list<SessionFile> more) {
        files.insert(files.end(), more);
        std::sort(files.begin(), files.end());
        return files;
    };
    const std::vector<SessionFile> kMainframe = {fileLparInfo, fileSpagAll, fileStorAll};
    const struct
    {
        LPCWSTR what;
        LPCWSTR os;          // of the host the connection reaches
        LPCWSTR destination; // empty for the host of the instance
        LPCWSTR databaseType;
        std::vector<SessionFile> written;
    } cases[] = {
        {L"local Linux", L"Linux", L"", L"", with(kCommonHost, {fileHardwareDescr, fileEnvironment})},
        {L"local HOX", L"HOX", L"", L"", with(kCommonHost, {fileCpuVirtHox, fileHardwareDescr, fileEnvironment})},
        {L"local TOLVA", L"TOLVA", L"", L"", with(kCommonHost, {fileCpuVirtHox, fileHardwareDescr, fileEnvironment})},
        {L"local KEMRA", L"KEMRA", L"", L"", kMainframe},
        {L"remote mainframe", L"KEMRA", L"mvs01", L"", kMainframe},
        {L"remote Linux", L"Linux", L"saplx01", L"", kCommonHost},
        {L"ORACLE", L"Linux", L"", L"ORACLE", {fileOraMainList, fileOraFillTD110}},
        {L"DB6", L"Linux", L"", L"DB6", {fileDb6Pm1st4, fileDb6Tablespaces}},
        {L"QUORV", L"Linux", L"", L"QUORV", {fileDb4Overview, fileDb4DbSize}},
        {L"XAQ", L"Linux", L"", L"XAQ", {fileDb02MainScreen}},
        {L"an unknown type", L"Linux", L"", L"SYBASE", {}},
    };
    // Minute 60: every host and database interval is due.
    m_host.m_now = kMonday + 3600;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(CW2A(c.what));
        sapsim::CTopology topology = MakeTestTopology();
        topology.hosts[*c.destination == 0 ? 0 : 1].os = c.os;
        Landscape().Load(topology);
        Landscape().SetTime(m_host.m_now);
        TempDirectory session;
        SteppedInstanceThread thread(&m_collector);
        SetLogon(thread);
        thread.m_strSessionDirectory = session.Path();
        thread.m_strSystemId = L"PRD";
        thread.m_strInstanceName = L"saplx01_PRD_00";
        thread.m_strHostName = kHost;
        thread.m_strOs = c.os;
        thread.m_strDatabaseName = L"PRD";
        if (*c.destination != 0)
        {
            thread.LOCAL_REMOTE = L"REMOTE";
            thread.LOGICAL_DESTINATION = CString(L"SAPCCMSR.") + c.destination + L".99";
            thread.m_strDatabaseHost = c.destination;
        }
        thread.BuildFileNames();
        thread.OnEvent(CInstanceThread::eventOpenConnection);
        ASSERT_TRUE(thread.HasConnectionHandle());
        if (*c.databaseType != 0)
        {
            thread.m_nCategory = CSessionHost::categoryDatabase;
            thread.m_strDatabaseSystem = c.databaseType;
            thread.OnEvent(CInstanceThread::eventPeriodicDatabaseTasks);
        }
        else
        {
            thread.m_nCategory = CSessionHost::categoryHost;
            thread.OnEvent(CInstanceThread::eventInitialHostTasks);
            thread.OnEvent(CInstanceThread::eventPeriodicHostTasks);
        }
        EXPECT_EQ(c.written, WrittenCaptures(thread));
    }
}

TEST_F(InstanceThreadTest, EventsSetWhileBusyRunOnceLowestFirst)
{
    auto thread = StartThread();
    ASSERT_TRUE(Connected(*thread));
    // The slow call outlasts, by far, the steps the test takes while it runs.
    AddFault(sapsim::FaultKind::SlowCall, L"RFC_SYSTEM_INFO", 1500);
    thread->SetEvent(CInstanceThread::eventInitialInstanceTasks);
    ASSERT_TRUE(WaitFor([] { return Count(sapsim::Operation::Invoke, L"GET_SYSTEM_TIME_REMOTE") == 1; }));
    // While the slow call runs: the initial tasks twice more, which their reset drops, and two
    // pings, which run once, before the initial tasks that were set first.
    thread->SetEvent(CInstanceThread::eventInitialInstanceTasks);
    thread->SetEvent(CInstanceThread::eventPingWithReconnect);
    thread->SetEvent(CInstanceThread::eventPingWithReconnect);
    Sleep(50);
    thread->SetEvent(CInstanceThread::eventInitialInstanceTasks);
    ASSERT_TRUE(WaitFor([&] { return FileExists(thread->GetFileName(fileSystemInfo)); }));
    Landscape().ClearFaults();
    // The last of the clock reads and pings: the initial tasks' clock read, then one ping.
    const auto lastTwo = [] {
        std::vector<CString> calls = Calls();
        std::erase_if(calls, [](const CString& c) { return c != L"(ping)" && c != L"GET_SYSTEM_TIME_REMOTE"; });
        return std::vector<CString>(calls.end() - std::min<size_t>(calls.size(), 2), calls.end());
    };
    const std::vector<CString> expected = {L"GET_SYSTEM_TIME_REMOTE", L"(ping)"};
    EXPECT_TRUE(WaitFor([&] { return lastTwo() == expected; }));
    // And nothing after them.
    Sleep(300);
    EXPECT_EQ(expected, lastTwo());
    EXPECT_EQ(1u, Count(sapsim::Operation::Invoke, L"GET_SYSTEM_TIME_REMOTE"));
}

TEST_F(InstanceThreadTest, AFailingRemoteClockDoesNotCostTheInitialCaptures)
{
    auto thread = StartThread();
    ASSERT_TRUE(Connected(*thread));
    AddFault(sapsim::FaultKind::InvalidDates, L"GET_SYSTEM_TIME_REMOTE");
    thread->SetEvent(CInstanceThread::eventInitialInstanceTasks);
    ASSERT_TRUE(WaitFor([&] { return FileExists(thread->GetFileName(fileSystemInfo)); }));
}

TEST_F(InstanceThreadTest, StoppingEndsASlowCallAtOnce)
{
    auto thread = StartThread();
    ASSERT_TRUE(Connected(*thread));
    AddFault(sapsim::FaultKind::SlowCall, L"GET_SYSTEM_TIME_REMOTE", 10000);
    const auto invokes = nwrfc::CEntryCounters::Get(nwrfc::EntryPoint::Invoke);
    thread->SetEvent(CInstanceThread::eventInitialInstanceTasks);
    ASSERT_TRUE(WaitFor([&] { return nwrfc::CEntryCounters::Get(nwrfc::EntryPoint::Invoke) > invokes; }));
    const auto start = std::chrono::steady_clock::now();
    thread.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(0u, Count(sapsim::Operation::Invoke, L"RFC_SYSTEM_INFO")) << "no capture after the stop";
}

TEST_F(InstanceThreadTest, AMessageThatCannotBePostedIsFreedBySender)
{
    // A window that is gone refuses every post, so the first line keeps being retried.
    HWND gone = CreateWindowEx(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    m_host.m_hOutput = gone;
    g_followedSize = sizeof(CLumiter5Message);
    auto thread = StartThread();
    EXPECT_TRUE(WaitFor([] { return Followed() >= 1; })) << "the first line waits to be posted";
    thread.reset();
    EXPECT_EQ(0u, Followed()) << "and is freed when the thread stops";
    g_followedSize = 0;
    EXPECT_EQ(0u, Count(sapsim::Operation::Logon)) << "the thread never got past its first line";
}

TEST_F(InstanceThreadTest, AFailingComponentIsLoggedAndTheNextOneStillRead)
{
    // Two instances make at least two server nodes, each a component of its own.
    sapsim::CTopology topology = MakeTestTopology();
    topology.systems[0].instances.push_back({kHost, L"10", 0x1F});
    Landscape().Load(topology);
    m_host.m_now = kMonday + 3600;
    Landscape().SetTime(m_host.m_now);
    auto thread = StartThread();
    thread->m_bDsrEnabled = TRUE;
    ASSERT_TRUE(Connected(*thread));

    // The first component's read is cut off with the connection; the call reconnects and throws.
    // The read is slow enough for the test to cut it off whatever the machine's load; the
    // reads after it are not slowed.
    AddFault(sapsim::FaultKind::SlowCall, L"SAPWLN3_STATREC_DIRECT_READ", 1500);
    const auto invokes = nwrfc::CEntryCounters::Get(nwrfc::EntryPoint::Invoke);
    thread->SetEvent(CInstanceThread::eventPeriodicSystemTasks);
    ASSERT_TRUE(WaitFor([&] { return nwrfc::CEntryCounters::Get(nwrfc::EntryPoint::Invoke) >= invokes + 2; }));
    Sleep(50);
    Landscape().ClearFaults();
    EXPECT_EQ(1, Landscape().DropConnections(L"PRD"));
    // The BI capture that follows reads its tables.
    ASSERT_TRUE(WaitFor([&] { return Count(sapsim::Operation::Invoke, L"RFC_READ_TABLE") > 0; }));
    thread.reset();

    std::vector<CString> lines;
    for (const CString& log : LogFiles())
        for (const CString& line : ReadLines(m_session.File(log)))
            lines.push_back(line.Mid(line.Find(L" : ") + 3));
    std::vector<CString> dsr;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(dsr), [](const CString& line) {
        return line.Find(L"distributed statistics") >= 0 || line.Find(L"RFC Exception") == 0;
    });
    ASSERT_GE(dsr.size(), 4u);
    EXPECT_EQ(0, dsr[0].Find(L"capturing distributed statistics records for SAPJ2ENode ")) << dsr[0].GetString();
    EXPECT_EQ(0, dsr[1].Find(L"RFC Exception -> ")) << dsr[1].GetString();
    EXPECT_EQ(0, dsr[2].Find(L"capturing distributed statistics records for SAPJ2ENode ")) << dsr[2].GetString();
    EXPECT_NE(dsr[0], dsr[2]) << "the next component";
    EXPECT_EQ(0, dsr[3].Find(L"captured ")) << dsr[3].GetString();
}
