// The user-interface side of threads and the application: the message loop and its idle
// work, command updates during idle, the window procedure's exception guard, message boxes
// and the program's entry.
#include <afxpriv.h>

#include <atomic>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <testing/MessagePump.h>

namespace
{
constexpr UINT ID_PROMPT = 62000;
// Command ids stay below 0xF000, where the system commands begin.
constexpr UINT ID_SAVE = 0x8200;
constexpr UINT ID_BOLD = 0x8201;
constexpr UINT ID_NO_HANDLER = 0x8202;
constexpr UINT ID_THROW_FILE = 0x8203;
constexpr UINT ID_THROW_USER = 0x8204;
constexpr UINT ID_THROW_MEMORY = 0x8205;
constexpr UINT ID_QUIT = 0x8206;
constexpr int kTimedOut = -99;

using Log = std::vector<std::string>;

// Records the message boxes instead of showing them.
class TestApp : public CWinApp
{
public:
    struct Report
    {
        CString text;
        UINT nType;
        UINT nIDHelp;
    };
    std::vector<Report> m_reports;

    TestApp() : CWinApp(_T("AppTest"))
    {
    }
    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override
    {
        m_reports.push_back({lpszPrompt, nType, nIDPrompt});
        return IDOK;
    }
};

// Runs the thread's loop; a loop that does not end in time is ended with kTimedOut.
int RunWithDeadline(CWinThread& thread, UINT nDeadline = 5000)
{
    const UINT_PTR nTimer =
        ::SetTimer(nullptr, 0, nDeadline, [](HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(kTimedOut); });
    const int nResult = thread.Run();
    ::KillTimer(nullptr, nTimer);
    return nResult;
}

class MainWnd : public CWnd
{
public:
    Log m_log;
    int m_nIdleUpdates = 0;
    BOOL m_bQuitOnIdle = TRUE;
    BOOL m_bCanSave = FALSE;
    BOOL m_bBold = TRUE;

    BOOL CreateMain(DWORD dwStyle = 0)
    {
        return CreateEx(0, AfxRegisterWndClass(0), _T("main"), WS_OVERLAPPEDWINDOW | dwStyle, 0, 0, 300, 200, nullptr,
                        nullptr);
    }

protected:
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
    {
        ++m_nIdleUpdates;
        m_log.push_back("OnIdleUpdateCmdUI " + std::to_string(wParam));
        if (CMenu* pMenu = GetMenu())
            AfxUpdateMenuCmdUI(pMenu->GetSubMenu(0), this, static_cast<BOOL>(wParam));
        if (m_bQuitOnIdle)
            ::PostQuitMessage(0);
        return 0;
    }
    afx_msg void OnUpdateSave(CCmdUI* pCmdUI)
    {
        pCmdUI->Enable(m_bCanSave);
    }
    afx_msg void OnUpdateBold(CCmdUI* pCmdUI)
    {
        pCmdUI->SetCheck(m_bBold);
    }
    afx_msg void OnSave()
    {
    }
    afx_msg void OnBold()
    {
    }
    afx_msg void OnThrowFile()
    {
        m_log.push_back("OnThrowFile");
        AfxThrowFileException(CFileException::fileNotFound, -1, _T("lost.dat"));
    }
    afx_msg void OnThrowUser()
    {
        m_log.push_back("OnThrowUser");
        AfxThrowUserException();
    }
    afx_msg void OnThrowMemory()
    {
        m_log.push_back("OnThrowMemory");
        AfxThrowMemoryException();
    }
    afx_msg void OnQuit()
    {
        m_log.push_back("OnQuit");
        ::PostQuitMessage(3);
    }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(MainWnd, CWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_UPDATE_COMMAND_UI(ID_SAVE, OnUpdateSave)
    ON_UPDATE_COMMAND_UI(ID_BOLD, OnUpdateBold)
    ON_COMMAND(ID_SAVE, OnSave)
    ON_COMMAND(ID_BOLD, OnBold)
    ON_COMMAND(ID_THROW_FILE, OnThrowFile)
    ON_COMMAND(ID_THROW_USER, OnThrowUser)
    ON_COMMAND(ID_THROW_MEMORY, OnThrowMemory)
    ON_COMMAND(ID_QUIT, OnQuit)
END_MESSAGE_MAP()
// clang-format on

class ChildWnd : public CWnd
{
public:
    Log m_log;
    BOOL m_bEatKeys = TRUE;

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_CHAR)
            m_log.push_back("PreTranslateMessage " + std::to_string(pMsg->message));
        return m_bEatKeys && pMsg->message == WM_KEYDOWN;
    }

protected:
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM)
    {
        m_log.push_back("OnIdleUpdateCmdUI");
        return 0;
    }
    afx_msg void OnKeyDown(UINT nChar, UINT, UINT)
    {
        m_log.push_back("OnKeyDown " + std::to_string(nChar));
    }
    afx_msg void OnChar(UINT nChar, UINT, UINT)
    {
        m_log.push_back("OnChar " + std::to_string(nChar));
        ::PostQuitMessage(0);
    }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(ChildWnd, CWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
END_MESSAGE_MAP()
// clang-format on

class AppLoopTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_main.CreateMain());
        ASSERT_TRUE(m_child.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 50, 20), &m_main, 1));
        m_app.m_pMainWnd = &m_main;
        // Leftovers of earlier tests must not end the loop.
        PumpPendingMessages();
        TakeQuitMessage();
    }
    void TearDown() override
    {
        // The main window's end posts WM_QUIT, which must not reach later tests.
        m_main.DestroyWindow();
        PumpPendingMessages();
        TakeQuitMessage();
    }

    TestApp m_app;
    MainWnd m_main;
    ChildWnd m_child;
};

TEST_F(AppLoopTest, IdleUpdatesTheVisibleMainWindowAndItsDescendants)
{
    m_main.ShowWindow(SW_SHOWNA);
    EXPECT_EQ(RunWithDeadline(m_app), 0);
    ASSERT_FALSE(m_main.m_log.empty());
    EXPECT_EQ(m_main.m_log.front(), "OnIdleUpdateCmdUI 1");
    EXPECT_EQ(m_child.m_log, Log{"OnIdleUpdateCmdUI"});
}

TEST_F(AppLoopTest, AHiddenMainWindowIsNotUpdated)
{
    m_main.SetTimer(1, 30, [](HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(1); });
    EXPECT_EQ(RunWithDeadline(m_app), 1);
    EXPECT_EQ(m_main.m_nIdleUpdates, 0);
    EXPECT_TRUE(m_child.m_log.empty());
}

TEST_F(AppLoopTest, UpdateHandlersSetTheMenuDuringIdle)
{
    CMenu bar, popup;
    ASSERT_TRUE(bar.CreateMenu());
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING, ID_SAVE, _T("Save"));
    popup.AppendMenu(MF_STRING, ID_BOLD, _T("Bold"));
    popup.AppendMenu(MF_STRING, ID_NO_HANDLER, _T("Nothing"));
    bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.Detach()), _T("File"));
    ASSERT_TRUE(m_main.SetMenu(&bar));
    // The window owns its menu from now on.
    bar.Detach();
    m_main.ShowWindow(SW_SHOWNA);

    EXPECT_EQ(RunWithDeadline(m_app), 0);
    const auto state = [&](UINT nID) {
        return m_main.GetMenu()->GetSubMenu(0)->GetMenuState(nID, MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED);
    };
    EXPECT_EQ(state(ID_SAVE), UINT(MF_GRAYED));
    EXPECT_EQ(state(ID_BOLD), UINT(MF_CHECKED));
    EXPECT_EQ(state(ID_NO_HANDLER), UINT(MF_GRAYED));

    m_main.m_bCanSave = TRUE;
    m_main.m_bBold = FALSE;
    EXPECT_EQ(RunWithDeadline(m_app), 0);
    EXPECT_EQ(state(ID_SAVE), 0u);
    EXPECT_EQ(state(ID_BOLD), 0u);
}

TEST_F(AppLoopTest, AnExceptionFromACommandHandlerIsReportedAndTheLoopGoesOn)
{
    m_main.m_bQuitOnIdle = FALSE;
    for (UINT nID : {ID_THROW_FILE, ID_THROW_USER, ID_THROW_MEMORY, ID_QUIT})
        m_main.PostMessage(WM_COMMAND, nID);
    // The quit code comes back through ExitInstance.
    EXPECT_EQ(RunWithDeadline(m_app), 3);
    EXPECT_EQ(m_main.m_log, (Log{"OnThrowFile", "OnThrowUser", "OnThrowMemory", "OnQuit"}));

    // User exceptions have been reported by whoever threw them.
    ASSERT_EQ(m_app.m_reports.size(), 2u);
    EXPECT_EQ(m_app.m_reports[0].text, _T("lost.dat was not found."));
    EXPECT_EQ(m_app.m_reports[0].nType, UINT(MB_ICONSTOP));
    EXPECT_EQ(m_app.m_reports[1].text, _T("Out of memory."));
    EXPECT_EQ(m_app.m_reports[1].nType, UINT(MB_ICONEXCLAMATION | MB_SYSTEMMODAL));
}

TEST_F(AppLoopTest, PreTranslateMessageSeesMessagesBeforeTheirWindow)
{
    m_main.m_bQuitOnIdle = FALSE;
    m_child.PostMessage(WM_KEYDOWN, 'A');
    m_child.PostMessage(WM_CHAR, 'b');
    EXPECT_EQ(RunWithDeadline(m_app), 0);
    // The key was translated away; the character reached the window.
    EXPECT_EQ(m_child.m_log, (Log{"PreTranslateMessage " + std::to_string(WM_KEYDOWN),
                                  "PreTranslateMessage " + std::to_string(WM_CHAR), "OnChar 98"}));
}

TEST_F(AppLoopTest, DestroyingTheMainWindowEndsTheLoop)
{
    m_main.m_bQuitOnIdle = FALSE;
    m_main.PostMessage(WM_CLOSE);
    EXPECT_EQ(RunWithDeadline(m_app), 0);
    EXPECT_EQ(m_main.m_hWnd, nullptr);
    EXPECT_EQ(m_app.m_pMainWnd, nullptr);
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
}

TEST_F(AppLoopTest, IdleFreesTemporaryObjectsOnlyWhenTheMapsAreUnlocked)
{
    const HWND hRaw =
        ::CreateWindowEx(0, WC_STATIC, nullptr, WS_CHILD, 0, 0, 10, 10, m_main.m_hWnd, nullptr, nullptr, nullptr);
    AfxLockTempMaps();
    CWnd* pTemp = CWnd::FromHandle(hRaw);
    EXPECT_TRUE(m_app.OnIdle(0));
    EXPECT_FALSE(m_app.OnIdle(1));
    EXPECT_EQ(CWnd::FromHandle(hRaw), pTemp);
    EXPECT_EQ(pTemp->m_hWnd, hRaw);
    AfxUnlockTempMaps();
}

TEST(AppRunTest, AnApplicationWithoutMainWindowEndsAtOnce)
{
    TestApp app;
    PumpPendingMessages();
    TakeQuitMessage();
    EXPECT_EQ(RunWithDeadline(app), 0);
}

// Windows whose handlers throw while the window is made or painted.
class FailingWnd : public CWnd
{
public:
    BOOL m_bFailCreate = TRUE;
    int m_nPaints = 0;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (m_bFailCreate)
            AfxThrowResourceException();
        return CWnd::OnCreate(lpCreateStruct);
    }
    afx_msg void OnPaint()
    {
        ++m_nPaints;
        AfxThrowNotSupportedException();
    }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(FailingWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
END_MESSAGE_MAP()
// clang-format on

TEST(AppExceptionTest, ExceptionsWhileCreatingOrPaintingFailQuietly)
{
    TestApp app;
    HiddenWindow parent;
    // Hidden windows are not painted.
    parent.Wnd().ShowWindow(SW_SHOWNA);
    FailingWnd wnd;
    EXPECT_FALSE(wnd.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 20, 20), &parent.Wnd(), 1));
    EXPECT_EQ(wnd.m_hWnd, nullptr);

    wnd.m_bFailCreate = FALSE;
    ASSERT_TRUE(wnd.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 20, 20), &parent.Wnd(), 1));
    wnd.Invalidate();
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.m_nPaints, 1);
    // The failed paint was validated, so it does not come back.
    CRect update;
    EXPECT_FALSE(wnd.GetUpdateRect(update));
    EXPECT_TRUE(app.m_reports.empty());
}

TEST(AppMessageBoxTest, ReportsAndPromptsGoThroughTheApplication)
{
    TestApp app;
    EXPECT_EQ(AfxMessageBox(ID_PROMPT, MB_YESNO), IDOK);
    EXPECT_EQ(AfxMessageBox(ID_PROMPT, MB_OK, 7), IDOK);
    CFileException error(CFileException::accessDenied, ERROR_ACCESS_DENIED, _T("locked.dat"));
    EXPECT_EQ(error.ReportError(MB_OKCANCEL), IDOK);
    ASSERT_EQ(app.m_reports.size(), 3u);
    EXPECT_EQ(app.m_reports[0].text, _T("A prompt from the resources."));
    EXPECT_EQ(app.m_reports[0].nType, UINT(MB_YESNO));
    // The prompt's id is its help id unless another one is given.
    EXPECT_EQ(app.m_reports[0].nIDHelp, ID_PROMPT);
    EXPECT_EQ(app.m_reports[1].nIDHelp, 7u);
    EXPECT_EQ(app.m_reports[2].text, _T("Access to locked.dat was denied."));
    EXPECT_EQ(app.m_reports[2].nType, UINT(MB_OKCANCEL));
}

TEST(AppWaitCursorTest, WaitCursorsNestAndRestoreTheCursorAtTheEnd)
{
    TestApp app;
    const HCURSOR hArrow = ::LoadCursor(nullptr, IDC_ARROW);
    const HCURSOR hWait = ::LoadCursor(nullptr, IDC_WAIT);
    ::SetCursor(hArrow);
    CCmdTarget target;
    target.BeginWaitCursor();
    target.BeginWaitCursor();
    EXPECT_EQ(app.m_nWaitCursorCount, 2);
    EXPECT_EQ(::GetCursor(), hWait);
    ::SetCursor(hArrow);
    target.RestoreWaitCursor();
    EXPECT_EQ(::GetCursor(), hWait);
    target.EndWaitCursor();
    EXPECT_EQ(::GetCursor(), hWait);
    target.EndWaitCursor();
    EXPECT_EQ(::GetCursor(), hArrow);
    // An end too many changes nothing.
    target.EndWaitCursor();
    EXPECT_EQ(app.m_nWaitCursorCount, 0);
    EXPECT_EQ(::GetCursor(), hArrow);

    // A scope left by an exception ends its wait cursor.
    try
    {
        CWaitCursor wait;
        EXPECT_EQ(app.m_nWaitCursorCount, 1);
        EXPECT_EQ(::GetCursor(), hWait);
        ::SetCursor(hArrow);
        wait.Restore();
        EXPECT_EQ(::GetCursor(), hWait);
        throw 1;
    }
    catch (int)
    {
    }
    EXPECT_EQ(app.m_nWaitCursorCount, 0);
    EXPECT_EQ(::GetCursor(), hArrow);
}

TEST(AppResourceTest, TheResourceHandleDefaultsToTheInstance)
{
    TestApp app;
    EXPECT_EQ(AfxGetInstanceHandle(), app.m_hInstance);
    EXPECT_EQ(AfxGetResourceHandle(), app.m_hInstance);
    const HINSTANCE hOther = ::GetModuleHandle(_T("user32.dll"));
    AfxSetResourceHandle(hOther);
    EXPECT_EQ(AfxGetResourceHandle(), hOther);
    // Prompts come from the resource module: user32 has no such string.
    EXPECT_EQ(AfxMessageBox(ID_PROMPT), IDOK);
    AfxSetResourceHandle(app.m_hInstance);
    EXPECT_EQ(app.m_reports.at(0).text, _T(""));
}

// An application whose InitInstance makes its main window.
class WindowedApp : public TestApp
{
public:
    MainWnd m_main;
    BOOL m_bSucceed = TRUE;

    BOOL InitInstance() override
    {
        if (!m_main.CreateMain())
            return FALSE;
        m_pMainWnd = &m_main;
        m_main.m_bQuitOnIdle = FALSE;
        m_main.PostMessage(WM_CLOSE);
        return m_bSucceed;
    }
    int ExitInstance() override
    {
        return m_bSucceed ? TestApp::ExitInstance() : 12;
    }
};

TEST(AppEntryTest, AfxWinMainRunsTheApplication)
{
    WindowedApp app;
    TCHAR commandLine[] = _T("/test");
    EXPECT_EQ(AfxWinMain(::GetModuleHandle(nullptr), nullptr, commandLine, SW_HIDE), 0);
    EXPECT_EQ(app.m_lpCmdLine, commandLine);
    EXPECT_EQ(app.m_nCmdShow, SW_HIDE);
    EXPECT_EQ(app.m_main.m_hWnd, nullptr);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST(AppEntryTest, AFailedInitInstanceDestroysTheMainWindow)
{
    WindowedApp app;
    app.m_bSucceed = FALSE;
    TCHAR commandLine[] = _T("");
    EXPECT_EQ(AfxWinMain(::GetModuleHandle(nullptr), nullptr, commandLine, SW_SHOW), 12);
    EXPECT_EQ(app.m_main.m_hWnd, nullptr);
    PumpPendingMessages();
    EXPECT_EQ(TakeQuitMessage(), 0);
}

// A user-interface thread with a main window of its own.
std::atomic<HWND> g_hThreadMainWnd{nullptr};

class UiThread : public CWinThread
{
    DECLARE_DYNCREATE(UiThread)
public:
    BOOL InitInstance() override
    {
        if (!m_main.CreateMain())
            return FALSE;
        m_main.m_bQuitOnIdle = FALSE;
        m_pMainWnd = &m_main;
        g_hThreadMainWnd = m_main.m_hWnd;
        return TRUE;
    }

private:
    MainWnd m_main;
};

IMPLEMENT_DYNCREATE(UiThread, CWinThread)

TEST(AppThreadTest, AUserInterfaceThreadRunsUntilItsMainWindowIsGone)
{
    g_hThreadMainWnd = nullptr;
    CWinThread* pThread = AfxBeginThread(RUNTIME_CLASS(UiThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(pThread, nullptr);
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    ASSERT_TRUE(PumpMessagesUntil([] { return g_hThreadMainWnd.load() != nullptr; }));
    // The window's object belongs to the other thread's map.
    EXPECT_EQ(CWnd::FromHandlePermanent(g_hThreadMainWnd), nullptr);
    ::PostMessage(g_hThreadMainWnd, WM_CLOSE, 0, 0);
    ASSERT_EQ(::WaitForSingleObject(pThread->m_hThread, 5000), WAIT_OBJECT_0);
    DWORD dwExitCode = 1;
    ::GetExitCodeThread(pThread->m_hThread, &dwExitCode);
    EXPECT_EQ(dwExitCode, 0u);
    EXPECT_FALSE(::IsWindow(g_hThreadMainWnd));
    delete pThread;
}
} // namespace
