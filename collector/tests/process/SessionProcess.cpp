// A headless session in a process of its own, for the tests that need the RFC library chosen
// afresh (it is chosen once per process). It logs on to the two systems of the session tests as
// the add-system command does, starts the collector in the folder that LUMITER_TEST_SESSION
// names and, when systems were added, ticks twice at pinned times, each time waiting until the
// files are written. Beside the session files it writes report.txt: the add-system errors and
// the calls that reached the built-in simulation.
#include "../TestSessionHost.h"

#include <collector/CollectorThread.h>
#include <collector/PcInfo.h>
#include <nwrfc/Binding.h>
#include <nwrfc/EntryCounters.h>
#include <nwrfc/tests/StandIn.h>
#include <sapsim/Landscape.h>

#include <afx.h>

#include <map>

namespace
{
const __time64_t kMonday = 1700438400; // 2023-11-20 00:00:00 UTC: minute 0, every capture due

void PinTime(__time64_t time)
{
    if (!SetStandInTime(time))
        sapsim::CLandscape::Active().SetTime(time);
}

// Waits until no file of the folder has changed for two seconds: a tick that reaches an
// instance thread still busy with the one before would be dropped.
void WaitUntilWritten(const CString& folder)
{
    std::map<CString, ULONGLONG> before;
    int quiet = 0;
    for (int poll = 0; poll < 600 && quiet < 20; ++poll)
    {
        Sleep(100);
        std::map<CString, ULONGLONG> now;
        CFileFind find;
        for (BOOL more = find.FindFile(folder + L"*"); more;)
        {
            more = find.FindNextFile();
            if (!find.IsDirectory())
                now[find.GetFileName()] = find.GetLength();
        }
        quiet = now == before ? quiet + 1 : 0;
        before = std::move(now);
    }
}

unsigned long long SimulatedCalls()
{
    unsigned long long calls = 0;
    for (int entry = 0; entry < static_cast<int>(nwrfc::EntryPoint::Count); entry++)
        calls += nwrfc::CEntryCounters::Get(static_cast<nwrfc::EntryPoint>(entry));
    return calls;
}
} // namespace

int main()
{
    wchar_t folder[MAX_PATH];
    if (GetEnvironmentVariableW(L"LUMITER_TEST_SESSION", folder, MAX_PATH) == 0)
        return 2;
    const CString directory = CString(folder) + L"\\";
    CStdioFile report(directory + L"report.txt", CFile::modeCreate | CFile::modeWrite | CFile::typeText);

    nwrfc::CBinding::Process();
    PinTime(kMonday);
    CPcInfo pc;
    pc.m_strOs = L"Windows 7";
    TestSessionHost host;
    host.m_pc = &pc;
    host.m_now = kMonday;
    for (LPCWSTR server : {L"saplx01/00", L"saplx02/02"})
    {
        try
        {
            const CString name(server);
            host.AddSystem(name.Left(7), name.Right(2), L"TESTER", L"secret");
        }
        catch (CException* e)
        {
            wchar_t text[1024];
            e->GetErrorMessage(text, 1024);
            e->Delete();
            report.WriteString(CString(L"add-system: ") + text + L"\n");
        }
    }
    {
        CCollectorThread collector(&host);
        collector.SetSessionDirectory(folder);
        collector.Start();
        collector.SetEvent(CCollectorThread::eventStart);
        WaitUntilWritten(directory);
        // Without a system there is nothing to tick.
        for (int hour = 1; hour <= 2 && host.m_systems.GetCount() > 0; ++hour)
        {
            host.m_now = kMonday + hour * 3600;
            PinTime(host.m_now);
            collector.SetEvent(CCollectorThread::eventPeriodic);
            WaitUntilWritten(directory);
        }
    }
    host.RemoveAll();
    CString calls;
    calls.Format(L"simulated calls: %I64u\n", SimulatedCalls());
    report.WriteString(calls);
    return 0;
}
