// Start-up: the main window with its menus, toolbar, status bar and docked bars, the view
// commands, the splash window and the first line of the output window.
#include "StartedApp.h"

#include <app/MessageTabWnd.h>
#include <app/resource.h>

#include <nwrfc/Binding.h>
#include <sapsim/Landscape.h>
#include <testing/TempDirectory.h>
#include <testing/MessagePump.h>
#include <toolkit/bars/CustomStatusBar.h>
#include <toolkit/bars/CustomToolBar.h>
#include <toolkit/bars/StdBtn.h>
#include <toolkit/tabs/3DTabControl.h>
#include <toolkit/tabs/3DTabWnd.h>

using tarnwick::bars::SECCustomStatusBar;
using tarnwick::bars::SECCustomToolBar;
using tarnwick::tabs::SEC3DTabControl;
using tarnwick::tabs::SEC3DTabWnd;

namespace
{
using AppStartTest = StartedApp;

std::vector<CString> MenuLabels(HMENU hMenu)
{
    std::vector<CString> labels;
    for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i)
    {
        wchar_t label[64] = {};
        ::GetMenuStringW(hMenu, i, label, 64, MF_BYPOSITION);
        labels.emplace_back(label);
    }
    return labels;
}

SEC3DTabWnd& BarTabs(CControlBar& bar)
{
    return *DYNAMIC_DOWNCAST(SEC3DTabWnd, bar.GetDlgItem(AFX_IDW_PANE_FIRST));
}

HWND FindThreadWindow(LPCWSTR lpszTitle)
{
    struct Search
    {
        LPCWSTR lpszTitle;
        HWND hWnd;
    } search = {lpszTitle, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) {
            auto& s = *reinterpret_cast<Search*>(lParam);
            wchar_t title[64] = {};
            ::GetWindowTextW(hWnd, title, 64);
            if (wcscmp(title, s.lpszTitle) == 0)
                s.hWnd = hWnd;
            return s.hWnd == nullptr ? TRUE : FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.hWnd;
}

TEST_F(AppStartTest, TheMainWindowIsAWorkbookTitledLumiter5WithMenu128)
{
    CMainFrame& frame = Frame();
    EXPECT_EQ(App().m_pMainWnd, &frame);
    CString strTitle;
    frame.GetWindowText(strTitle);
    EXPECT_EQ(strTitle, _T("Lumiter5"));
    EXPECT_TRUE(frame.GetWorkbookMode());
    const std::vector<CString> expected = {_T("&System"), _T("S&ession"), _T("&View"), _T("&Help")};
    EXPECT_EQ(MenuLabels(frame.GetMenu()->GetSafeHmenu()), expected);
}

TEST_F(AppStartTest, TheOutputWindowsFirstLineNamesTheRfcLibrary)
{
    PumpPendingMessages();
    CListCtrl* pList = SourceList(OutputCategory(Frame().GetOutputWnd(), 0), _T("Lumiter5"));
    ASSERT_NE(pList, nullptr);
    ASSERT_EQ(pList->GetItemCount(), 1);
    EXPECT_EQ(pList->GetItemText(0, 1), nwrfc::CBinding::Process().Describe());
    EXPECT_TRUE(pList->GetItemText(0, 1).Find(_T("RFC library: ")) == 0);
}

// The program started with LUMITER_LANDSCAPE naming a landscape file.
struct LandscapeFileCase
{
    const char* pszText;
    LPCTSTR lpszLineFormat; // %s: the file's path
};

class LandscapeFileStartTest : public StartedApp, public ::testing::WithParamInterface<LandscapeFileCase>
{
protected:
    void SetUp() override
    {
        CFile file(m_strFile, CFile::modeCreate | CFile::modeWrite);
        file.Write(GetParam().pszText, static_cast<UINT>(strlen(GetParam().pszText)));
        file.Close();
        ::SetEnvironmentVariable(_T("LUMITER_LANDSCAPE"), m_strFile);
        sapsim::CLandscape::Active().LoadFromEnvironment();
        StartedApp::SetUp();
    }
    void TearDown() override
    {
        StartedApp::TearDown();
        ::SetEnvironmentVariable(_T("LUMITER_LANDSCAPE"), nullptr);
        sapsim::CLandscape::Active().LoadFromEnvironment();
    }

    TempDirectory m_directory;
    const CString m_strFile = m_directory.File(_T("landscape.txt"));
};

TEST_P(LandscapeFileStartTest, TheFirstLineSaysWhetherTheFileCanBeUsed)
{
    PumpPendingMessages();
    CListCtrl* pList = SourceList(OutputCategory(Frame().GetOutputWnd(), 0), _T("Lumiter5"));
    ASSERT_NE(pList, nullptr);
    CString strExpected;
    strExpected.Format(GetParam().lpszLineFormat, static_cast<LPCTSTR>(m_strFile));
    EXPECT_EQ(pList->GetItemText(0, 1), strExpected);
}

INSTANTIATE_TEST_SUITE_P(
    GoodAndBroken, LandscapeFileStartTest,
    ::testing::Values(
        LandscapeFileCase{"host one os=Linux\n"
                          "database DB system=DB6 host=one\n"
                          "system ONE release=701 database=DB clients=300\n"
                          "user ONE ME password=pw auth=*\n"
                          "instance ONE host=one sysnr=42 services=dialog\n",
                          _T("RFC library: built-in simulated SAP landscape (%s)")},
        LandscapeFileCase{
            "host one os=Linux\n"
            "database DB system=DB6 host=one\n"
            "system ONE release=701 database=DB clients=300\n"
            "frobnicate ONE\n",
            _T("RFC library: built-in simulated SAP landscape cannot be used: Landscape file %s, line 4: ")
            _T("unknown keyword 'frobnicate'.")}));

TEST_F(AppStartTest, ToolbarMainHasNineEntriesAndThoseWithoutHandlerAreDisabled)
{
    auto* pBar = DYNAMIC_DOWNCAST(SECCustomToolBar, Frame().GetControlBar(AFX_IDW_TOOLBAR));
    ASSERT_NE(pBar, nullptr);
    CString strTitle;
    pBar->GetWindowText(strTitle);
    EXPECT_EQ(strTitle, _T("Main"));
    const struct
    {
        UINT nID;
        BOOL bEnabled;
    } entries[] = {{ID_SYSTEM_ADD, TRUE},       {ID_SYSTEM_REMOVE, TRUE},  {0, FALSE},
                   {ID_FILE_NEW, TRUE},         {ID_FILE_CLOSE, FALSE},    {ID_SESSION_PACKAGE, TRUE},
                   {0, FALSE},                  {ID_HELP_FINDER, TRUE},    {ID_APP_ABOUT, TRUE}};
    ASSERT_EQ(pBar->GetBtnCount(), static_cast<int>(std::size(entries)));
    // As the idle time of the message loop does.
    Frame().SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    for (int i = 0; i < pBar->GetBtnCount(); ++i)
    {
        EXPECT_EQ(pBar->GetButton(i)->m_nID, entries[i].nID) << i;
        if (entries[i].nID == 0)
            continue;
        EXPECT_EQ(QueryCommand(entries[i].nID).bEnabled, entries[i].bEnabled) << i;
        EXPECT_EQ((pBar->GetButtonStyle(i) & tarnwick::bars::TBBS_DISABLED) == 0, entries[i].bEnabled) << i;
    }
}

TEST_F(AppStartTest, TheMenuCommandsOfOtherPartsStayDisabledAndTheFrameOnesWork)
{
    const struct
    {
        UINT nID;
        BOOL bEnabled;
    } commands[] = {{ID_APP_EXIT, TRUE},          {ID_SESSION_PROPERTIES, TRUE},  {ID_VIEW_LANDSCAPE, TRUE},
                    {ID_VIEW_OUTPUT, TRUE},       {ID_VIEW_WORKBOOK, TRUE},       {ID_VIEW_TOOLBAR, TRUE},
                    {ID_VIEW_STATUS_BAR, TRUE},   {ID_HELP, TRUE},                {ID_DEFAULT_HELP, TRUE},
                    {ID_HOST_ADD, TRUE},          {ID_HOST_REMOVE, TRUE},         {ID_DATABASE_REMOVE, TRUE},
                    {ID_HOST_ADD_INSTANCE, TRUE}};
    for (const auto& c : commands)
        EXPECT_EQ(QueryCommand(c.nID).bEnabled, c.bEnabled) << c.nID;
}

TEST_F(AppStartTest, TheStatusBarShowsReadyAndTheKeyIndicators)
{
    auto* pBar = DYNAMIC_DOWNCAST(SECCustomStatusBar, Frame().GetControlBar(AFX_IDW_STATUS_BAR));
    ASSERT_NE(pBar, nullptr);
    // As the idle time of the message loop does.
    Frame().SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    EXPECT_EQ(pBar->GetPaneText(0), _T("Ready"));
    EXPECT_EQ(pBar->GetPaneText(1), _T("CAP"));
    EXPECT_EQ(pBar->GetPaneText(2), _T("NUM"));
    EXPECT_EQ(pBar->GetPaneText(3), _T("SCRL"));
}

TEST_F(AppStartTest, TheLandscapeIsDockedLeftAndTheOutputAtTheBottom)
{
    CLandscapeWnd& landscape = Frame().GetLandscapeWnd();
    EXPECT_TRUE(landscape.IsDockedLeft());
    EXPECT_TRUE(landscape.IsVisible());
    CString strTitle;
    landscape.GetWindowText(strTitle);
    EXPECT_EQ(strTitle, _T("SAP Landscape"));
    const std::vector<CString> landscapeTabs = {_T("System"), _T("Host"), _T("Database")};
    EXPECT_EQ(TabLabels(BarTabs(landscape)), landscapeTabs);
    EXPECT_EQ(landscape.GetSystemTree().GetColumnHeading(0), _T("SAP Systems"));
    EXPECT_EQ(landscape.GetHostTree().GetColumnHeading(0), _T("Hosts"));
    EXPECT_EQ(landscape.GetDatabaseTree().GetColumnHeading(0), _T("Databases"));
    for (int nTab = 0; nTab < 3; ++nTab)
        EXPECT_NE(static_cast<SEC3DTabControl*>(BarTabs(landscape).GetTabControl())->GetTab3D(nTab).m_hIcon, nullptr) << nTab;

    COutputWnd& output = Frame().GetOutputWnd();
    EXPECT_TRUE(output.IsDockedBottom());
    EXPECT_TRUE(output.IsVisible());
    output.GetWindowText(strTitle);
    EXPECT_EQ(strTitle, _T("Output"));
    const std::vector<CString> outputTabs = {_T("Lumiter5"), _T("System"), _T("Instance"), _T("Host"),
                                             _T("Database")};
    EXPECT_EQ(TabLabels(BarTabs(output)), outputTabs);

    for (DWORD dwSide : {CBRS_ALIGN_LEFT, CBRS_ALIGN_TOP, CBRS_ALIGN_RIGHT, CBRS_ALIGN_BOTTOM})
        EXPECT_FALSE(Frame().GetAutoHideBar(dwSide)->IsWindowVisible()) << dwSide;
}

TEST_F(AppStartTest, ViewCommandsToggleTheirBarAndCheckMark)
{
    const struct
    {
        UINT nID;
        CControlBar& bar;
    } views[] = {{ID_VIEW_LANDSCAPE, Frame().GetLandscapeWnd()}, {ID_VIEW_OUTPUT, Frame().GetOutputWnd()}};
    for (const auto& v : views)
    {
        EXPECT_EQ(QueryCommand(v.nID).nCheck, 1) << v.nID;
        RunCommand(v.nID);
        EXPECT_FALSE(v.bar.IsVisible()) << v.nID;
        EXPECT_EQ(QueryCommand(v.nID).nCheck, 0) << v.nID;
        RunCommand(v.nID);
        EXPECT_TRUE(v.bar.IsVisible()) << v.nID;
        EXPECT_EQ(QueryCommand(v.nID).nCheck, 1) << v.nID;
    }
}

TEST_F(AppStartTest, WorkbookCommandTogglesWorkbookMode)
{
    EXPECT_EQ(QueryCommand(ID_VIEW_WORKBOOK).nCheck, 1);
    RunCommand(ID_VIEW_WORKBOOK);
    EXPECT_FALSE(Frame().GetWorkbookMode());
    EXPECT_EQ(QueryCommand(ID_VIEW_WORKBOOK).nCheck, 0);
    RunCommand(ID_VIEW_WORKBOOK);
    EXPECT_TRUE(Frame().GetWorkbookMode());
}

TEST_F(AppStartTest, TheSplashClosesOnAKeyPress)
{
    const HWND hSplash = FindThreadWindow(L"SECSplashWnd");
    ASSERT_NE(hSplash, nullptr);
    EXPECT_EQ(::GetWindow(hSplash, GW_OWNER), Frame().GetSafeHwnd());
    ::PostMessageW(hSplash, WM_KEYDOWN, VK_SPACE, 0);
    ASSERT_TRUE(PumpMessagesUntil([&] { return !::IsWindow(hSplash); }));
    EXPECT_TRUE(::IsWindow(Frame().GetSafeHwnd()));
}

TEST_F(AppStartTest, ExitClosesTheMainWindowAndHelpTopicsShowsNothing)
{
    const HWND hFrame = Frame().GetSafeHwnd();
    RunCommand(ID_HELP_FINDER);
    EXPECT_TRUE(::IsWindow(hFrame));
    Frame().SendMessage(WM_COMMAND, ID_APP_EXIT);
    PumpPendingMessages();
    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_EQ(App().m_pMainWnd, nullptr);
}
} // namespace
