// The collection engine against a simulated landscape, in two parts.
//
// A whole session: 10 systems of 4 instances each on a handful of hosts, one database per
// system, driven through 120 ticks as fast as the engine finishes them. The ticks are
// successive minutes, two hours of a session, so every capture runs as often as its interval
// says. It prints the CPU time per tick, split into the share
// of the simulated landscape's module handlers and the engine's, the peak memory and the bytes
// written. Under Wine each thread holds a block of its own of about a megabyte, which on Windows
// is a few pages of stack: the benchmark measures it with idle threads first and also gives the
// working set without it.
//
// Workload throughput: 100,000 statistic records read and written by one client, the median of
// several runs, with the time the simulated module spends generating them taken out.
//
// Stop: sessions of 10, 25 and 50 systems stopped idle and with every call hanging, each phase of
// the stop timed, beside the platform's time to end as many bare threads. Memory: the working set
// before Start, at the end of a session of 50 systems and after Stop, twice.
//
// Usage: collector_session [session directory [session|workload|stop|memory]]; without a
// directory, a fresh one under the temp path is used and removed at the end; without a part, the
// session and the workload run.
#include <collector/CollectorThread.h>
#include <collector/ForEachValue.h>
#include <collector/RfcClient.h>
#include <collector/SapSystem.h>
#include <collector/SessionFile.h>
#include <rfc/RfcException.h>
#include <sapsim/Landscape.h>
#include <BenchFigures.h>
#include <TestSessionHost.h>
#include <ThreadCount.h>

#include <afxwin.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace
{
const int kSystems = 10;
const int kInstancesPerSystem = 4;
const int kSystemsPerHost = 2;
const int kHosts = kSystems / kSystemsPerHost;
const int kTicks = 120;
const __time64_t kMonday = 1700438400;          // 2023-11-20 00:00:00 UTC
const DWORD kQuietMs = 50;                      // no call for this long: the tick's work is done
const unsigned long long kIdleCpu = 10 * 10000; // CPU time of an idle process in kQuietMs, 100 ns units
const double kEngineTargetMs = 2.0;             // per instance per tick
const int kDialogStepInterval = 15;             // minutes, the default of "DialogStepInterval"
const double kMemoryTargetMB = 64.0;

const unsigned kStatRecords = 100000; // per one-minute window
const unsigned kDialogStepSize = 177; // bytes of a record of the statistic records file
const int kThroughputRuns = 5;
const double kThroughputTarget = 500000.0;

const LPCWSTR kUser = L"BENCH";
const LPCWSTR kPassword = L"bench";

unsigned long long Ticks(const FILETIME& time)
{
    return static_cast<unsigned long long>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

// User and kernel time in 100 ns units.
unsigned long long ProcessCpuTime()
{
    FILETIME creation, exit, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user);
    return Ticks(kernel) + Ticks(user);
}

unsigned long long ThreadCpuTime()
{
    FILETIME creation, exit, kernel, user;
    GetThreadTimes(GetCurrentThread(), &creation, &exit, &kernel, &user);
    return Ticks(kernel) + Ticks(user);
}

double Milliseconds(unsigned long long cpuTime)
{
    return static_cast<double>(cpuTime) / 1e4;
}

PROCESS_MEMORY_COUNTERS MemoryCounters()
{
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
    return memory;
}

// What one idle thread adds to the working set here: under Wine each thread holds a block of its
// own of about a megabyte, which on Windows is a few pages of stack.
double ThreadBlockMB()
{
    const int kProbes = 64;
    CEvent release(FALSE, TRUE);
    std::atomic<int> started = 0;
    struct Probe
    {
        CEvent* release;
        std::atomic<int>* started;
    } probe{&release, &started};
    const SIZE_T before = MemoryCounters().WorkingSetSize;
    std::vector<CWinThread*> threads;
    for (int i = 0; i < kProbes; i++)
    {
        CWinThread* thread = AfxBeginThread(
            [](LPVOID parameter) -> UINT {
                auto* p = static_cast<Probe*>(parameter);
                ++*p->started;
                WaitForSingleObject(*p->release, INFINITE);
                return 0;
            },
            &probe, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        thread->m_bAutoDelete = FALSE;
        thread->ResumeThread();
        threads.push_back(thread);
    }
    while (started < kProbes)
        Sleep(1);
    const SIZE_T after = MemoryCounters().WorkingSetSize;
    release.SetEvent();
    for (CWinThread* thread : threads)
    {
        WaitForSingleObject(*thread, INFINITE);
        delete thread;
    }
    return static_cast<double>(after - before) / kProbes / (1024.0 * 1024.0);
}

sapsim::CLandscape& Landscape()
{
    return sapsim::CLandscape::Active();
}

CString HostName(int host)
{
    CString name;
    name.Format(L"benchlx%02d", host + 1);
    return name;
}

// The instances of system s go round the hosts; on its host every instance has a system number
// of its own.
int HostOf(int system, int instance, int hosts)
{
    return (system * kInstancesPerSystem + instance) % hosts;
}

CString SystemNumber(int system, int instance, int hosts)
{
    CString sysnr;
    sysnr.Format(L"%02d", (system * kInstancesPerSystem + instance) / hosts);
    return sysnr;
}

sapsim::CHostInfo BenchHost(const CString& name, int number)
{
    sapsim::CHostInfo host;
    host.name = name;
    host.os = L"Linux";
    host.osRelease = L"5.14.21";
    host.ip.Format(L"10.0.0.%d", number + 1);
    host.model = L"Bench CPU @ 2.40GHz";
    host.cpus = 8;
    host.cpuMHz = 2400;
    host.disks = {{L"sda", 1048576}, {L"sdb", 2097152}};
    host.lans = {L"eth0"};
    return host;
}

sapsim::CSystemInfo BenchSystem(const CString& id, std::vector<sapsim::CInstanceInfo> instances)
{
    sapsim::CSystemInfo system;
    system.id = id;
    system.release = L"700";
    system.kernel = L"721";
    system.database = id;
    system.clients = {L"100"};
    system.users = {sapsim::CUserInfo{kUser, kPassword, {L"*"}}};
    system.instances = std::move(instances);
    system.tables = {{L"TRDIR", 30000, 0}, {L"RSDDSTAT_OLAP", 2000, 0}, {L"RSDDSTAT_DM", 2000, 0}};
    return system;
}

// The systems with their instances on half as many hosts, one database per system.
sapsim::CTopology SessionTopology(int systems)
{
    const int hosts = systems / kSystemsPerHost;
    sapsim::CTopology topology;
    for (int host = 0; host < hosts; host++)
        topology.hosts.push_back(BenchHost(HostName(host), host));
    for (int system = 0; system < systems; system++)
    {
        CString id;
        id.Format(L"B%02d", system);
        std::vector<sapsim::CInstanceInfo> instances;
        for (int instance = 0; instance < kInstancesPerSystem; instance++)
            instances.push_back(
                {HostName(HostOf(system, instance, hosts)), SystemNumber(system, instance, hosts), 0x1F});
        topology.databases.push_back({id, L"ORACLE", HostName(HostOf(system, 0, hosts)), L"10.2.0"});
        topology.systems.push_back(BenchSystem(id, std::move(instances)));
    }
    return topology;
}

// Loads the landscape and enters its systems as the add-system command does; false, with the
// reason on stderr, when the model does not come out as built.
bool EnterLandscape(TestSessionHost& host, int systems)
{
    Landscape().Load(SessionTopology(systems));
    Landscape().SetTime(kMonday);
    host.m_now = kMonday;
    const int hosts = systems / kSystemsPerHost;
    for (int system = 0; system < systems; system++)
        host.AddSystem(HostName(HostOf(system, 0, hosts)), SystemNumber(system, 0, hosts), kUser, kPassword);
    int discovered = 0;
    ForEachValue(host.GetSystems(),
                 [&](CSapSystem* system) { discovered += static_cast<int>(system->m_instances.GetCount()); });
    if (discovered == systems * kInstancesPerSystem && host.GetHosts().GetCount() == hosts &&
        host.GetDatabases().GetCount() == systems)
        return true;
    std::fprintf(stderr, "the landscape model has %d instances, %d hosts and %d databases\n", discovered,
                 static_cast<int>(host.GetHosts().GetCount()), static_cast<int>(host.GetDatabases().GetCount()));
    return false;
}

unsigned long long LandscapeCalls()
{
    unsigned long long calls = 0;
    for (sapsim::Operation operation :
         {sapsim::Operation::Logon, sapsim::Operation::Ping, sapsim::Operation::Describe, sapsim::Operation::Invoke})
        calls += Landscape().Count(operation);
    return calls;
}

// Waits until the landscape has seen no call and the process has been all but idle for
// kQuietMs: every thread is done with its calls and files. The CPU time catches the calls
// still running, which the landscape counts only when they end.
void WaitUntilQuiet()
{
    unsigned long long calls = LandscapeCalls();
    unsigned long long cpu = ProcessCpuTime();
    DWORD quietSince = GetTickCount();
    while (GetTickCount() - quietSince < kQuietMs)
    {
        Sleep(5);
        const unsigned long long callsNow = LandscapeCalls();
        const unsigned long long cpuNow = ProcessCpuTime();
        if (callsNow != calls || cpuNow - cpu > kIdleCpu)
        {
            calls = callsNow;
            cpu = cpuNow;
            quietSince = GetTickCount();
        }
    }
}

struct DirectorySize
{
    unsigned long long bytes = 0;
    unsigned files = 0;
};

DirectorySize SizeOf(const CString& directory)
{
    DirectorySize size;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(directory + L"\\*", &found);
    if (find == INVALID_HANDLE_VALUE)
        return size;
    do
    {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        {
            size.bytes += static_cast<unsigned long long>(found.nFileSizeHigh) << 32 | found.nFileSizeLow;
            ++size.files;
        }
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return size;
}

void RemoveDirectoryTree(const CString& directory)
{
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(directory + L"\\*", &found);
    if (find != INVALID_HANDLE_VALUE)
    {
        do
        {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
                DeleteFileW(directory + L"\\" + found.cFileName);
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    RemoveDirectoryW(directory);
}

CString FreshTempDirectory()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    CString directory;
    directory.Format(L"%scollector_session_%lu_%lu", temp, GetCurrentProcessId(), GetTickCount());
    return directory;
}

const char* Verdict(bool held)
{
    return held ? "met" : "MISSED";
}

int RunSession(const CString& directory)
{
    const double threadBlockMB = ThreadBlockMB();
    TestSessionHost host;
    if (!EnterLandscape(host, kSystems))
        return 1;
    const int instances = kSystems * kInstancesPerSystem;

    const unsigned long long cpuBefore = ProcessCpuTime();
    const unsigned long long callsBefore = Landscape().Count(sapsim::Operation::Invoke);
    const Clock::time_point start = Clock::now();
    auto collector = std::make_unique<CCollectorThread>(&host);
    collector->SetSessionDirectory(directory);
    collector->Start();
    // From here on the main thread only drives and waits.
    const unsigned long long driverBefore = ThreadCpuTime();
    collector->SetEvent(CCollectorThread::eventStart);
    WaitUntilQuiet();
    std::vector<double> tickSeconds;
    for (int tick = 1; tick <= kTicks; tick++)
    {
        const Clock::time_point set = Clock::now();
        host.m_now = kMonday + static_cast<__time64_t>(tick) * 60;
        Landscape().SetTime(host.m_now);
        collector->SetEvent(CCollectorThread::eventPeriodic);
        WaitUntilQuiet();
        tickSeconds.push_back(Seconds(Clock::now() - set) - kQuietMs / 1000.0);
    }
    const double wallSeconds = Seconds(Clock::now() - start);
    const size_t threads = ThreadCount();
    const unsigned long long cpu = ProcessCpuTime() - cpuBefore;
    const unsigned long long driver = ThreadCpuTime() - driverBefore;
    const unsigned long long simulation = Landscape().HandlerCpuTime();
    const unsigned long long calls = Landscape().Count(sapsim::Operation::Invoke) - callsBefore;
    collector.reset();

    const PROCESS_MEMORY_COUNTERS memory = MemoryCounters();
    const DirectorySize written = SizeOf(directory);

    // The host captures run once per host and tick, the dialog step reads once per instance and
    // interval: fewer means ticks that reached a busy thread.
    const unsigned long long cpuReads = Landscape().Count(sapsim::Operation::Invoke, L"GET_CPU_ALL");
    const unsigned long long statReads = Landscape().Count(sapsim::Operation::Invoke, L"SWNC_STATREC_READ");

    const unsigned long long engine = cpu - simulation - driver;
    const double engineMs = Milliseconds(engine) / kTicks / instances;
    const double peakWorkingSetMB = static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
    const double peakPagefileMB = static_cast<double>(memory.PeakPagefileUsage) / (1024.0 * 1024.0);
    const double threadBlocksMB = static_cast<double>(threads) * threadBlockMB;
    const double ownWorkingSetMB = peakWorkingSetMB - threadBlocksMB;
    std::printf("collector_session: %d systems x %d instances on %d hosts, %d databases, %d ticks\n", kSystems,
                kInstancesPerSystem, kHosts, kSystems, kTicks);
    std::printf("  wall time: %.2f s in all (start included), median %.1f ms of work per tick\n", wallSeconds,
                Median(tickSeconds) * 1000.0);
    std::printf("  calls: %llu in all; GET_CPU_ALL %llu of %d, SWNC_STATREC_READ %llu of %d expected\n", calls,
                cpuReads, kHosts * kTicks, statReads, instances * (kTicks / kDialogStepInterval));
    std::printf("  CPU time per tick: %.2f ms (process, start included)\n", Milliseconds(cpu) / kTicks);
    std::printf("    simulated landscape (module handlers): %.2f ms (%.0f%%)\n", Milliseconds(simulation) / kTicks,
                100.0 * static_cast<double>(simulation) / static_cast<double>(cpu));
    std::printf("    benchmark driver (main thread): %.2f ms (%.0f%%)\n", Milliseconds(driver) / kTicks,
                100.0 * static_cast<double>(driver) / static_cast<double>(cpu));
    std::printf("    engine: %.2f ms (%.0f%%), %.3f ms per instance per tick\n", Milliseconds(engine) / kTicks,
                100.0 * static_cast<double>(engine) / static_cast<double>(cpu), engineMs);
    std::printf("  peak memory: working set %.1f MB, pagefile usage %.1f MB\n", peakWorkingSetMB, peakPagefileMB);
    std::printf(
        "    of the working set, Wine's block of each thread: %zu threads x %.2f MB = %.1f MB; the rest %.1f MB\n",
        threads, threadBlockMB, threadBlocksMB, ownWorkingSetMB);
    std::printf("  bytes written: %llu in %u files\n", written.bytes, written.files);
    std::printf("  target engine CPU <= %.1f ms per instance per tick: %s\n", kEngineTargetMs,
                Verdict(engineMs <= kEngineTargetMs));
    std::printf("  target peak memory < %.0f MB: %s\n", kMemoryTargetMB,
                Verdict(ownWorkingSetMB < kMemoryTargetMB && peakPagefileMB < kMemoryTargetMB));
    return 0;
}

sapsim::CTopology ThroughputTopology()
{
    sapsim::CTopology topology;
    topology.hosts.push_back(BenchHost(L"benchwl", 100));
    topology.databases.push_back({L"BWL", L"ORACLE", L"benchwl", L"10.2.0"});
    sapsim::CInstanceInfo instance{L"benchwl", L"00", 0x1F};
    instance.statRecordsPerMinute = kStatRecords;
    topology.systems.push_back(BenchSystem(L"BWL", {instance}));
    return topology;
}

// The bare writes of as many records as a run writes, to tell them from reading the rows and
// converting them.
double RecordWriteSeconds(const CString& path)
{
    DeleteFileW(path);
    const Clock::time_point start = Clock::now();
    {
        CSessionFile file(path, SessionFileMode::History);
        const CSessionRecord record(kDialogStepSize);
        for (unsigned i = 0; i < kStatRecords; i++)
            file.Write(record);
    }
    const double seconds = Seconds(Clock::now() - start);
    DeleteFileW(path);
    return seconds;
}

int RunThroughput(const CString& directory)
{
    Landscape().Load(ThroughputTopology());
    CRfcClient client;
    client.SetLogonData(L"", L"benchwl", L"", L"00", L"100", kUser, kPassword, L"EN");
    client.Connect();
    const CString file = directory + L"\\throughput.dss";
    client.m_strFiles[fileStatRecords] = file;
    // One minute per run, each after the one before.
    client.m_nStartTime = kMonday;
    std::vector<double> net, raw, handlerShare, writeShare, recordWrites;
    for (int run = 1; run <= kThroughputRuns; run++)
    {
        client.m_nSampleTime = kMonday + run * 60;
        Landscape().SetTime(client.m_nSampleTime);
        DeleteFileW(file);
        const unsigned long long handlerBefore = Landscape().HandlerCpuTime();
        const Clock::time_point start = Clock::now();
        client.ReadStatRecords();
        const Clock::time_point read = Clock::now();
        client.WriteStatRecordsFile();
        const Clock::time_point end = Clock::now();
        const double handler = Milliseconds(Landscape().HandlerCpuTime() - handlerBefore) / 1000.0;
        if (client.m_nDialogStepCount != kStatRecords)
        {
            std::fprintf(stderr, "run %d wrote %u records, expected %u\n", run,
                         static_cast<unsigned>(client.m_nDialogStepCount), kStatRecords);
            return 1;
        }
        const double total = Seconds(end - start);
        raw.push_back(kStatRecords / total);
        net.push_back(kStatRecords / (total - handler));
        handlerShare.push_back(handler);
        writeShare.push_back(Seconds(end - read));
        recordWrites.push_back(RecordWriteSeconds(file));
    }
    DeleteFileW(file);
    const double median = Median(net);
    std::printf("collector_session workload: %u statistic records per run, median of %d runs\n", kStatRecords,
                kThroughputRuns);
    std::printf("  read + write: %.0f records per second (raw, module handler included: %.0f)\n", median, Median(raw));
    std::printf("  module handler %.3f s, writing the file %.3f s (the bare record writes alone: %.3f s)\n",
                Median(handlerShare), Median(writeShare), Median(recordWrites));
    std::printf("  target >= %.0f records per second: %s\n", kThroughputTarget, Verdict(median >= kThroughputTarget));
    return 0;
}
const int kStopSizes[] = {10, 25, 50};
const int kStopRuns = 3;
const DWORD kHangMs = 10 * 60 * 1000;
const double kStopTargetMs = 1000.0;  // at 50 systems
const double kStopGrowthTarget = 1.5; // from 10 to 50 systems

// The phases of a stop, in seconds, as the collector's deletion runs them.
struct StopPhases
{
    double collector = 0; // its own worker
    double request = 0;   // every thread of the tree told, every connection closed
    double wait = 0;      // until every worker has ended
    double remove = 0;    // the deletion of the tree's objects and the heaps' free pages
    double Total() const
    {
        return collector + request + wait + remove;
    }
};

// Stops a session of the landscape that has written its control files and, when hanging, is stuck
// in a call on every thread; each phase timed on its own. What the deletion then waits for is
// nothing: the phases before it have done its work.
StopPhases StopSession(int systems, bool hanging, const CString& directory)
{
    TestSessionHost host;
    if (!EnterLandscape(host, systems))
        AfxThrowUserException();
    auto collector = std::make_unique<CCollectorThread>(&host);
    collector->SetSessionDirectory(directory);
    collector->Start();
    collector->SetEvent(CCollectorThread::eventStart);
    WaitUntilQuiet();
    if (hanging)
    {
        sapsim::CFault fault;
        fault.kind = sapsim::FaultKind::SlowCall;
        fault.delayMs = kHangMs;
        Landscape().AddFault(fault);
        host.m_now = kMonday + 60;
        Landscape().SetTime(host.m_now);
        collector->SetEvent(CCollectorThread::eventPeriodic);
        WaitUntilQuiet();
    }
    StopPhases phases;
    Clock::time_point mark = Clock::now();
    const auto lap = [&](double& phase) {
        const Clock::time_point now = Clock::now();
        phase = Seconds(now - mark);
        mark = now;
    };
    collector->ResetEvent(CCollectorThread::eventPeriodic);
    collector->Stop();
    lap(phases.collector);
    std::vector<CThreadObject*> tree;
    const std::function<void(CThreadObject&)> take = [&](CThreadObject& thread) {
        tree.push_back(&thread);
        thread.ForEachOwnedThread(take);
    };
    collector->ForEachOwnedThread(take);
    for (CThreadObject* thread : tree)
        thread->RequestStop();
    lap(phases.request);
    CThreadObject::StopTogether({collector.get()});
    lap(phases.wait);
    collector.reset();
    lap(phases.remove);
    return phases;
}

// What the platform takes to end as many bare threads as the tree has: each waits on one event,
// which is set, and they are waited for together and their handles closed, as the tree's are.
double ThreadExitSeconds(int count)
{
    struct Bare
    {
        CEvent release{FALSE, TRUE};
        std::atomic<int> waiting = 0;
    } bare;
    std::vector<HANDLE> threads;
    for (int i = 0; i < count; i++)
    {
        HANDLE thread = CreateThread(
            nullptr, 0,
            [](LPVOID parameter) -> DWORD {
                auto* b = static_cast<Bare*>(parameter);
                ++b->waiting;
                WaitForSingleObject(b->release, INFINITE);
                return 0;
            },
            &bare, 0, nullptr);
        if (thread == nullptr)
            AfxThrowResourceException();
        threads.push_back(thread);
    }
    // Ending threads that all wait is what is timed.
    while (bare.waiting < count)
        Sleep(1);
    const Clock::time_point start = Clock::now();
    bare.release.SetEvent();
    for (size_t first = 0; first < threads.size(); first += MAXIMUM_WAIT_OBJECTS)
        WaitForMultipleObjects(static_cast<DWORD>(std::min<size_t>(MAXIMUM_WAIT_OBJECTS, threads.size() - first)),
                               &threads[first], TRUE, INFINITE);
    for (HANDLE thread : threads)
        CloseHandle(thread);
    return Seconds(Clock::now() - start);
}

// The tree's threads at a size: per system its thread, its own instance thread, a database thread
// and an instance thread each under the system, its host and its database; a thread per host.
int TreeThreads(int systems)
{
    return systems * (3 + 3 * kInstancesPerSystem) + systems / kSystemsPerHost;
}

// Each size and case stopped in turns, with the platform's floor of as many bare threads beside it.
// The last column, the whole stop, is what bench/collector_stop_compare reads.
int RunStop(const CString& directory)
{
    std::printf("collector_session stop: systems x %d instances, median ms of %d runs\n", kInstancesPerSystem,
                kStopRuns);
    std::printf("  %-8s %7s %8s %9s %9s %8s %8s %8s %6s\n", "case", "systems", "threads", "bare-exit", "collector",
                "request", "wait", "remove", "stop");
    for (bool hanging : {false, true})
    {
        double totalMs[std::size(kStopSizes)] = {};
        for (size_t size = 0; size < std::size(kStopSizes); size++)
        {
            const int systems = kStopSizes[size];
            const size_t threadsBefore = ThreadCount();
            std::vector<double> bare, collector, request, wait, remove, total;
            for (int run = 0; run < kStopRuns; run++)
            {
                bare.push_back(ThreadExitSeconds(TreeThreads(systems)));
                const StopPhases phases = StopSession(systems, hanging, directory);
                collector.push_back(phases.collector);
                request.push_back(phases.request);
                wait.push_back(phases.wait);
                remove.push_back(phases.remove);
                total.push_back(phases.Total());
            }
            if (ThreadCount() > threadsBefore)
                std::printf("  %zu threads left of %zu\n", ThreadCount(), threadsBefore);
            totalMs[size] = Median(total) * 1000.0;
            std::printf("  %-8s %7d %8d %9.0f %9.0f %8.0f %8.0f %8.0f %6.0f\n", hanging ? "hanging" : "idle", systems,
                        TreeThreads(systems), Median(bare) * 1000.0, Median(collector) * 1000.0,
                        Median(request) * 1000.0, Median(wait) * 1000.0, Median(remove) * 1000.0, totalMs[size]);
        }
        const double largest = totalMs[std::size(kStopSizes) - 1];
        std::printf("  %s: target <= %.0f ms at %d systems: %s; growth from %d systems %.2fx, target <= %.1fx: %s\n",
                    hanging ? "hanging" : "idle", kStopTargetMs, kStopSizes[std::size(kStopSizes) - 1],
                    Verdict(largest <= kStopTargetMs), kStopSizes[0], largest / totalMs[0], kStopGrowthTarget,
                    Verdict(largest / totalMs[0] <= kStopGrowthTarget));
    }
    return 0;
}

const int kMemorySystems = 50;
const int kMemoryTicks = 100;
const double kMemoryReturnTargetMB = 20.0;

double WorkingSetMB()
{
    return static_cast<double>(MemoryCounters().WorkingSetSize) / (1024.0 * 1024.0);
}

// A session of the large landscape, minute after minute: the working set before Start, at its end
// and after Stop, twice, so that the second session shows whether it starts from the first one's
// baseline.
int RunMemory(const CString& directory)
{
    TestSessionHost host;
    if (!EnterLandscape(host, kMemorySystems))
        return 1;
    std::printf("collector_session memory: %d systems x %d instances, %d ticks, working set MB\n", kMemorySystems,
                kInstancesPerSystem, kMemoryTicks);
    const double baseline = WorkingSetMB();
    for (int session = 1; session <= 2; session++)
    {
        const double before = WorkingSetMB();
        auto collector = std::make_unique<CCollectorThread>(&host);
        collector->SetSessionDirectory(directory);
        collector->Start();
        collector->SetEvent(CCollectorThread::eventStart);
        WaitUntilQuiet();
        for (int tick = 1; tick <= kMemoryTicks; tick++)
        {
            host.m_now = kMonday + static_cast<__time64_t>(tick) * 60;
            Landscape().SetTime(host.m_now);
            collector->SetEvent(CCollectorThread::eventPeriodic);
            WaitUntilQuiet();
        }
        const double end = WorkingSetMB();
        const size_t threads = ThreadCount();
        collector.reset();
        const double after = WorkingSetMB();
        std::printf("  session %d: before Start %.1f, at the end %.1f (%zu threads), after Stop %.1f (%zu threads)\n",
                    session, before, end, threads, after, ThreadCount());
    }
    const double last = WorkingSetMB();
    std::printf("  target after Stop within %.0f MB of before the first Start: %+.1f MB, %s\n", kMemoryReturnTargetMB,
                last - baseline, Verdict(last - baseline <= kMemoryReturnTargetMB));
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    const bool given = argc > 1;
    const CString directory = given ? CString(argv[1]) : FreshTempDirectory();
    if (!CreateDirectoryW(directory, nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
    {
        std::fprintf(stderr, "cannot create %ls\n", directory.GetString());
        return 1;
    }
    const CString part = argc > 2 ? CString(argv[2]) : CString();
    int result = 1;
    try
    {
        if (part == L"stop")
            return RunStop(directory);
        if (part == L"memory")
            return RunMemory(directory);
        result = part != L"workload" ? RunSession(directory) : 0;
        if (result == 0 && part != L"session")
            result = RunThroughput(directory);
    }
    catch (CException* e)
    {
        wchar_t text[512];
        e->GetErrorMessage(text, 512);
        std::fprintf(stderr, "failed: %ls\n", text);
        e->Delete();
    }
    if (!given)
        RemoveDirectoryTree(directory);
    return result;
}
