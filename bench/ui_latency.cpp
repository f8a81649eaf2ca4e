// How soon the program's windows paint while a session collects, in the program started in this
// process on a shown main window, with two systems of the simulated landscape registered
// (PRD, and OLD raised to release 700 so that it is collected too). Each of 10 runs starts a
// session through the wizard and times from Finish posted to the session form's first paint
// handled; then, with that session collecting, times System > Add's OK with a wrong password,
// from the command posted to its message box's first paint handled; then stops the session.
// Prints the medians of the runs.
//
// Run it under Wine's null driver like the tests, or on a display (scripts/wine-x11).
#include <app/Lumiter5App.h>
#include <app/Lumiter5Doc.h>
#include <app/Lumiter5View.h>
#include <app/MainFrame.h>
#include <app/resource.h>

#include <sapsim/Landscape.h>

#include <testing/MessagePump.h>
#include <testing/ModalScript.h>
#include <testing/TempDirectory.h>

#include <BenchFigures.h>

#include "../app/tests/ReadmeLogon.h"
#include "../app/tests/ReadmeSession.h"

#include <cstdio>
#include <optional>

namespace
{
const int kRuns = 10;
const DWORD kPaintTimeoutMs = 20000;
// 1 January 2027, 00:00:00 UTC: each run's session starts an hour later, so ids differ.
const __time64_t kFirstStart = 1798761600;

// The window whose first paint ends a measurement, and when that paint was handled.
struct PaintWatch
{
    std::function<bool(HWND)> isTarget;
    Clock::time_point posted;
    std::optional<Clock::time_point> painted;
    WNDPROC pfnOriginal = nullptr;
    HWND hTarget = nullptr;
    HHOOK hHook = nullptr;
    HHOOK hSentHook = nullptr;
};
PaintWatch* g_pWatch = nullptr;

LRESULT CALLBACK TimedWindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    PaintWatch& watch = *g_pWatch;
    const LRESULT lResult = ::CallWindowProc(watch.pfnOriginal, hWnd, nMessage, wParam, lParam);
    if (nMessage == WM_PAINT && !watch.painted)
        watch.painted = Clock::now();
    return lResult;
}

// A WM_PAINT taken from the queue for the target: the window's procedure is wrapped before the
// message is dispatched, so that the end of its handling is seen (the hook below sees only sent
// messages).
LRESULT CALLBACK OnGetMessage(int nCode, WPARAM wParam, LPARAM lParam)
{
    const MSG& msg = *reinterpret_cast<MSG*>(lParam);
    PaintWatch* pWatch = g_pWatch;
    if (nCode == HC_ACTION && pWatch != nullptr && msg.message == WM_PAINT && pWatch->hTarget == nullptr &&
        pWatch->isTarget(msg.hwnd))
    {
        pWatch->hTarget = msg.hwnd;
        pWatch->pfnOriginal = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtr(msg.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TimedWindowProc)));
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

// A WM_PAINT sent to the target's procedure at once (UpdateWindow), seen when it returns.
LRESULT CALLBACK OnSentMessageHandled(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPRETSTRUCT& sent = *reinterpret_cast<CWPRETSTRUCT*>(lParam);
    PaintWatch* pWatch = g_pWatch;
    if (nCode == HC_ACTION && pWatch != nullptr && sent.message == WM_PAINT && !pWatch->painted &&
        pWatch->isTarget(sent.hwnd))
        pWatch->painted = Clock::now();
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

class WatchScope
{
public:
    explicit WatchScope(std::function<bool(HWND)> isTarget)
    {
        m_watch.isTarget = std::move(isTarget);
        m_watch.hHook = ::SetWindowsHookEx(WH_GETMESSAGE, &OnGetMessage, nullptr, ::GetCurrentThreadId());
        m_watch.hSentHook =
            ::SetWindowsHookEx(WH_CALLWNDPROCRET, &OnSentMessageHandled, nullptr, ::GetCurrentThreadId());
        g_pWatch = &m_watch;
    }
    ~WatchScope()
    {
        if (m_watch.hTarget != nullptr && ::IsWindow(m_watch.hTarget))
            ::SetWindowLongPtr(m_watch.hTarget, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_watch.pfnOriginal));
        ::UnhookWindowsHookEx(m_watch.hHook);
        ::UnhookWindowsHookEx(m_watch.hSentHook);
        g_pWatch = nullptr;
    }
    void MarkPosted()
    {
        m_watch.posted = Clock::now();
    }
    bool Painted() const
    {
        return m_watch.painted.has_value();
    }
    // Milliseconds from the post to the paint, or a negative figure when none came.
    double Milliseconds() const
    {
        return m_watch.painted ? Seconds(*m_watch.painted - m_watch.posted) * 1e3 : -1;
    }

private:
    PaintWatch m_watch;
};

bool IsSessionForm(HWND hWnd)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CLumiter5View));
}

bool IsMessageBoxOf(HWND hWnd, HWND hDialog)
{
    TCHAR szClass[16] = {};
    ::GetClassName(hWnd, szClass, _countof(szClass));
    return hDialog != nullptr && hWnd != hDialog && ::lstrcmp(szClass, _T("#32770")) == 0 &&
           ::GetWindow(hWnd, GW_OWNER) == hDialog;
}

void Register(CMainFrame& frame, Entries entries)
{
    ModalScript script({[&](ModalWindow& dialog) {
        for (const auto& [nID, strText] : entries)
            dialog.SetItemText(nID, strText);
        dialog.Press(IDOK);
    }});
    frame.SendMessage(WM_COMMAND, ID_SYSTEM_ADD);
    PumpPendingMessages();
}

Entries OldEntries()
{
    Entries entries = kReadmeEntries;
    for (auto& [nID, strText] : entries)
        if (nID == IDC_HOST_NAME)
            strText = _T("sapwin01");
        else if (nID == IDC_SYSTEM_NUMBER)
            strText = _T("10");
    return entries;
}

CLumiter5Doc* OnlySession(CLumiter5App& app)
{
    POSITION pos = app.GetFirstDocTemplatePosition();
    CDocTemplate* pTemplate = app.GetNextDocTemplate(pos);
    POSITION doc = pTemplate->GetFirstDocPosition();
    return doc != nullptr ? DYNAMIC_DOWNCAST(CLumiter5Doc, pTemplate->GetNextDoc(doc)) : nullptr;
}

// Session > Start through the wizard: Finish posted to the form's first paint.
double StartSession(CMainFrame& frame)
{
    WatchScope watch(&IsSessionForm);
    ModalScript script({[&](ModalWindow& sheet) {
        FinishesWizard()(sheet);
        watch.MarkPosted();
    }});
    frame.SendMessage(WM_COMMAND, ID_FILE_NEW);
    PumpMessagesUntil([&] { return watch.Painted(); }, kPaintTimeoutMs);
    return watch.Milliseconds();
}

// System > Add with a wrong password: OK posted to the message box's first paint.
double WrongPassword(CMainFrame& frame)
{
    HWND hDialog = nullptr;
    WatchScope watch([&](HWND hWnd) { return IsMessageBoxOf(hWnd, hDialog); });
    ModalScript script({[&](ModalWindow& dialog) {
                            hDialog = dialog.Handle();
                            for (const auto& [nID, strText] : kReadmeEntries)
                                dialog.SetItemText(nID, nID == IDC_PASSWORD ? _T("wrong") : strText);
                            watch.MarkPosted();
                            dialog.Press(IDOK);
                        },
                        [](ModalWindow& box) { box.Press(IDOK); },
                        [](ModalWindow& dialog) { dialog.Press(IDCANCEL); }});
    frame.SendMessage(WM_COMMAND, ID_SYSTEM_ADD);
    return watch.Milliseconds();
}

void PrintFigure(const char* pszWhat, std::vector<double> runs)
{
    std::printf("  %-44s median %7.1f ms   min %7.1f   max %7.1f\n", pszWhat, Median(runs),
                *std::min_element(runs.begin(), runs.end()), *std::max_element(runs.begin(), runs.end()));
}
} // namespace

int main()
{
    sapsim::CTopology topology = sapsim::CTopology::Default();
    for (sapsim::CSystemInfo& system : topology.systems)
        system.release = _T("700");
    sapsim::CLandscape::Active().Load(topology);

    TempDirectory data;
    CLumiter5App app;
    app.m_nCmdShow = SW_SHOWNORMAL;
    if (!app.InitInstance())
    {
        std::printf("the program did not start\n");
        return 1;
    }
    app.WriteProfileString(_T("Properties"), _T("DataPath"), data.Path() + _T("DATA\\"));
    CMainFrame& frame = *app.GetMainFrame();
    PumpMessagesFor(500);
    Register(frame, kReadmeEntries);
    Register(frame, OldEntries());
    if (frame.GetSystems().GetCount() != 2)
    {
        std::printf("PRD and OLD were not both registered\n");
        return 1;
    }
    StoreWizardEntries(app, frame);

    std::vector<double> forms, boxes;
    for (int nRun = 0; nRun < kRuns; ++nRun)
    {
        CLumiter5Doc::SetClock(kFirstStart + nRun * 3600);
        forms.push_back(StartSession(frame));
        boxes.push_back(WrongPassword(frame));
        if (CLumiter5Doc* pDoc = OnlySession(app))
            pDoc->OnCloseDocument();
        PumpPendingMessages();
    }
    std::printf("a session of PRD and OLD collecting, %d runs (negative: no paint within %lu ms)\n", kRuns,
                kPaintTimeoutMs);
    PrintFigure("Finish posted to the form's first paint", forms);
    PrintFigure("OK posted to the message box's first paint", boxes);
    frame.DestroyWindow();
    PumpPendingMessages();
    return 0;
}
