// Sessions run in the program as the user runs them: Session > Start with PRD registered and the
// wizard filled, the form's texts and the session directory's files, the minute ticks on the
// session clock, and Stop from the menu, the form and the main window's close; then the starts
// that must not happen or must not collect.
#include "DialogTest.h"
#include "ReadmeSession.h"
#include "StartedApp.h"

#include <app/Lumiter5Doc.h>
#include <app/Lumiter5View.h>
#include <app/SystemTree.h>
#include <app/resource.h>

#include <testing/ChildProcess.h>
#include <testing/TempDirectory.h>
#include <toolkit/bars/MenuBar.h>

#include <ThreadCount.h>

#include <sapsim/Fault.h>

#include <string>
#include <thread>

namespace
{
using Actions = std::vector<ModalScript::Action>;

// Wednesday, 4 March 2026, 05:06:07 UTC.
constexpr __time64_t kStart = 1772600767;
constexpr LPCTSTR kStartId = _T("20260304050607");

// The file's size, or -1 when it is not there.
LONGLONG FileSize(const CString& strPath)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!::GetFileAttributesEx(strPath, GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string FileBytes(const CString& strPath)
{
    CFile file;
    if (!file.Open(strPath, CFile::modeRead | CFile::shareDenyNone))
        return {};
    std::string bytes(static_cast<size_t>(file.GetLength()), '\0');
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

// The session files hold their texts in UTF-16.
bool Holds(const CString& strPath, const CString& strText)
{
    const std::string text(reinterpret_cast<const char*>(strText.GetString()), strText.GetLength() * sizeof(WCHAR));
    return FileBytes(strPath).find(text) != std::string::npos;
}

class SessionTest : public ShownApp
{
protected:
    void SetUp() override
    {
        Landscape().Load(sapsim::CTopology::Default());
        ShownApp::SetUp();
        CLumiter5Doc::SetClock(kStart);
        App().WriteProfileString(_T("Properties"), _T("DataPath"), m_data.Path() + _T("DATA\\"));
    }
    void TearDown() override
    {
        Landscape().ClearFaults();
        ShownApp::TearDown();
        CLumiter5Doc::SetClock(0);
    }

    static sapsim::CLandscape& Landscape()
    {
        return sapsim::CLandscape::Active();
    }

    // PRD registered, with what the wizard asks of it and of the customer known from before.
    void AddReadmeSystem()
    {
        RunScripted(ID_SYSTEM_ADD, {Fills(kReadmeEntries)});
        StoreWizardEntries(App(), Frame());
    }
    // Session > Start with the wizard finished as a user finishes it.
    void Start(Actions after = {})
    {
        Actions actions = {FinishesWizard()};
        actions.insert(actions.end(), after.begin(), after.end());
        RunScripted(ID_FILE_NEW, std::move(actions));
    }
    std::vector<CLumiter5Doc*> Documents()
    {
        std::vector<CLumiter5Doc*> documents;
        POSITION pos = App().GetFirstDocTemplatePosition();
        CDocTemplate* pTemplate = App().GetNextDocTemplate(pos);
        for (POSITION doc = pTemplate->GetFirstDocPosition(); doc != nullptr;)
            documents.push_back(DYNAMIC_DOWNCAST(CLumiter5Doc, pTemplate->GetNextDoc(doc)));
        return documents;
    }
    static std::vector<CLumiter5View*> Views(CLumiter5Doc& doc)
    {
        std::vector<CLumiter5View*> views;
        for (POSITION pos = doc.GetFirstViewPosition(); pos != nullptr;)
            views.push_back(DYNAMIC_DOWNCAST(CLumiter5View, doc.GetNextView(pos)));
        return views;
    }
    UINT ShownMenu()
    {
        return Frame().GetMenuBar()->GetCurrentMenuId();
    }
    CString SessionDirectory() const
    {
        return m_data.Path() + _T("DATA\\") + kStartId + _T("\\");
    }
    CString HostFile(LPCTSTR lpszExtension) const
    {
        return SessionDirectory() + _T("saplx01.") + lpszExtension;
    }
    // The minute tick at the time: the clock is set and the view's timer message posted.
    static void Tick(CLumiter5View& view, __time64_t nTime)
    {
        CLumiter5Doc::SetClock(nTime);
        view.PostMessage(WM_TIMER, CLumiter5View::kTimerId);
        PumpPendingMessages();
    }
    // Waits until the file has grown beyond the size.
    static ::testing::AssertionResult Grows(const CString& strPath, LONGLONG nSize)
    {
        return PumpMessagesUntil([&] { return FileSize(strPath) > nSize; }, 20000);
    }

    TempDirectory m_data;
};

TEST_F(SessionTest, StartMakesTheSessionDirectoryShowsTheFormAndWritesTheControlFiles)
{
    AddReadmeSystem();
    Start();
    const std::vector<CLumiter5Doc*> documents = Documents();
    ASSERT_EQ(documents.size(), 1u);
    CLumiter5Doc& doc = *documents[0];
    EXPECT_TRUE(doc.HasCollector());
    EXPECT_EQ(doc.GetTitle(), kStartId);
    EXPECT_EQ(doc.GetSessionPath(), SessionDirectory());
    EXPECT_EQ(App().GetProfileString(_T("Properties"), _T("SessionPath")), SessionDirectory());
    EXPECT_EQ(ShownMenu(), static_cast<UINT>(IDR_LUMITER5TYPE));

    // The first tick, a second after the view opened, shows the times.
    CLumiter5View& view = *Views(doc).at(0);
    Tick(view, kStart + 1);
    const std::pair<int, LPCTSTR> texts[] = {
        {IDC_SESSION_SYSTEMS, _T("PRD")},
        {IDC_START_TIME, _T("Wednesday, March 04, 2026  05:06 UTC")},
        {IDC_CURRENT_TIME, _T("Wednesday, March 04, 2026  05:06 UTC")},
        {IDC_ELAPSED_TIME, _T("0 days, 00 hours, 00 minutes")},
    };
    for (const auto& [nID, lpszText] : texts)
    {
        CString strShown;
        view.GetDlgItemText(nID, strShown);
        EXPECT_EQ(strShown, lpszText) << nID;
    }

    for (LPCTSTR lpszFile : {_T("customer.ctl"), _T("zol.ctl"), _T("pc.ctl"), _T("host.ctl")})
        EXPECT_TRUE(PumpMessagesUntil([&] { return FileSize(SessionDirectory() + lpszFile) > 0; })) << CW2A(lpszFile);
    EXPECT_TRUE(Holds(SessionDirectory() + _T("customer.ctl"), kReadmeCompany));
    // The host's hardware goes with its machine information file.
    EXPECT_TRUE(PumpMessagesUntil([&] { return Holds(HostFile(_T("mif")), kReadmeVendor); }));
    const CPcInfo& pc = App().GetPcInfo();
    ASSERT_FALSE(pc.m_strOs.IsEmpty());
    EXPECT_TRUE(Holds(SessionDirectory() + _T("pc.ctl"), pc.m_strOs.Left(32)));
}

TEST_F(SessionTest, TicksRefreshTheTimesAndGrowTheHostHistories)
{
    AddReadmeSystem();
    Start();
    CLumiter5Doc& doc = *Documents().at(0);
    CLumiter5View& view = *Views(doc).at(0);
    const CString strCpu = HostFile(_T("cpu"));
    LONGLONG nSize = FileSize(strCpu);
    for (int nMinutes : {1, 65})
    {
        Tick(view, kStart + nMinutes * 60);
        EXPECT_TRUE(Grows(strCpu, nSize)) << nMinutes;
        nSize = FileSize(strCpu);
    }
    EXPECT_EQ(doc.GetElapsedText(), _T("0 days, 01 hours, 05 minutes"));
    CString strShown;
    view.GetDlgItemText(IDC_CURRENT_TIME, strShown);
    EXPECT_EQ(strShown, _T("Wednesday, March 04, 2026  06:11 UTC"));
}

TEST_F(SessionTest, ATickThatMissesTheCollectorLockSignalsNothing)
{
    AddReadmeSystem();
    Start();
    CLumiter5Doc& doc = *Documents().at(0);
    CLumiter5View& view = *Views(doc).at(0);
    const CString strCpu = HostFile(_T("cpu"));
    Tick(view, kStart + 60);
    ASSERT_TRUE(Grows(strCpu, -1));
    const LONGLONG nRecord = FileSize(strCpu);

    // Another thread holds the lock for longer than the tick waits.
    HANDLE hHeld = ::CreateEvent(nullptr, TRUE, FALSE, nullptr);
    HANDLE hRelease = ::CreateEvent(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        CSingleLock lock(&doc.GetCollectorMutex(), TRUE);
        ::SetEvent(hHeld);
        ::WaitForSingleObject(hRelease, 10000);
    });
    ::WaitForSingleObject(hHeld, 10000);
    Tick(view, kStart + 120);
    ::SetEvent(hRelease);
    holder.join();
    ::CloseHandle(hHeld);
    ::CloseHandle(hRelease);
    EXPECT_EQ(doc.GetElapsedText(), _T("0 days, 00 hours, 02 minutes"));

    // The next minute's tick captures once: one record more than before the missed one.
    Tick(view, kStart + 180);
    ASSERT_TRUE(Grows(strCpu, nRecord));
    PumpMessagesFor(500);
    EXPECT_EQ(FileSize(strCpu), 2 * nRecord);
}

TEST_F(SessionTest, TwoWindowsOfASessionSignalItsCollectorOncePerMinute)
{
    AddReadmeSystem();
    Start();
    RunCommand(ID_WINDOW_NEW);
    CLumiter5Doc& doc = *Documents().at(0);
    const std::vector<CLumiter5View*> views = Views(doc);
    ASSERT_EQ(views.size(), 2u);
    const CString strCpu = HostFile(_T("cpu"));
    // The start minute's capture comes first, asked for by this tick or by a view's own timer
    // when it runs out before (a second after the view opened, which a slow machine reaches).
    Tick(*views[0], kStart);
    ASSERT_TRUE(Grows(strCpu, 0));
    PumpMessagesFor(500);
    const LONGLONG nRecord = FileSize(strCpu);
    LONGLONG nSize = nRecord;
    for (int nMinute = 1; nMinute <= 2; ++nMinute)
    {
        for (CLumiter5View* pView : views)
            Tick(*pView, kStart + nMinute * 60);
        ASSERT_TRUE(Grows(strCpu, nSize)) << nMinute;
        PumpMessagesFor(500);
        nSize = FileSize(strCpu);
    }
    // Two more minutes, two more captures of the same size.
    EXPECT_EQ(nSize, 3 * nRecord);
    Tick(*views[0], kStart + 180);
    ASSERT_TRUE(Grows(strCpu, nSize));
    PumpMessagesFor(500);
    EXPECT_EQ(FileSize(strCpu), 4 * nRecord);
}

// How the session is stopped, and whether every call of the session is then a slow one.
struct StopCase
{
    const char* name;
    int nWay; // 0 Session > Stop, 1 the form's button, 2 closing the main window
    bool bSlowCalls;
};

class SessionStopTest : public SessionTest, public ::testing::WithParamInterface<StopCase>
{
};

TEST_P(SessionStopTest, StopClosesTheSessionWithinTwoSecondsAndLeavesNoThread)
{
    AddReadmeSystem();
    const size_t nThreadsBefore = ThreadCount();
    Start();
    CLumiter5Doc& doc = *Documents().at(0);
    CLumiter5View& view = *Views(doc).at(0);
    ASSERT_TRUE(PumpMessagesUntil([&] { return FileSize(SessionDirectory() + _T("host.ctl")) > 0; }));
    if (GetParam().bSlowCalls)
    {
        sapsim::CFault fault;
        fault.kind = sapsim::FaultKind::SlowCall;
        fault.delayMs = 60000;
        Landscape().AddFault(fault);
        Tick(view, kStart + 60);
        PumpMessagesFor(300);
    }
    EXPECT_GT(ThreadCount(), nThreadsBefore);

    const ULONGLONG ullStart = ::GetTickCount64();
    switch (GetParam().nWay)
    {
    case 0:
        RunCommand(ID_FILE_CLOSE);
        break;
    case 1:
        view.SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_CLOSE, BN_CLICKED),
                         reinterpret_cast<LPARAM>(view.GetDlgItem(ID_FILE_CLOSE)->m_hWnd));
        break;
    default:
        Frame().SendMessage(WM_CLOSE);
        break;
    }
    const ULONGLONG ullTaken = ::GetTickCount64() - ullStart;
    EXPECT_LT(ullTaken, 2000u);
    EXPECT_TRUE(Documents().empty());
    EXPECT_LE(ThreadCount(), nThreadsBefore);
    if (GetParam().nWay != 2)
    {
        PumpPendingMessages();
        EXPECT_EQ(ShownMenu(), static_cast<UINT>(IDR_MAINFRAME));
    }
    else
        EXPECT_EQ(App().m_pMainWnd, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Ways, SessionStopTest,
                         ::testing::Values(StopCase{"Menu", 0, false}, StopCase{"FormButton", 1, false},
                                           StopCase{"MainWindowClose", 2, false}, StopCase{"MenuSlow", 0, true},
                                           StopCase{"FormButtonSlow", 1, true},
                                           StopCase{"MainWindowCloseSlow", 2, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SessionTest, WithoutSystemsStartShowsItsMessageAndNoWizard)
{
    CString strText;
    RunScripted(ID_FILE_NEW, {Reads(strText)});
    EXPECT_EQ(strText, _T("No SAP systems defined."));
    EXPECT_TRUE(Documents().empty());
    EXPECT_EQ(ShownMenu(), static_cast<UINT>(IDR_MAINFRAME));
}

TEST_F(SessionTest, ACancelledWizardOpensNothing)
{
    AddReadmeSystem();
    RunScripted(ID_FILE_NEW, {[](ModalWindow& sheet) { sheet.Press(IDCANCEL); }});
    EXPECT_TRUE(Documents().empty());
    EXPECT_EQ(::GetFileAttributes(m_data.File(_T("DATA"))), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ShownMenu(), static_cast<UINT>(IDR_MAINFRAME));
}

TEST_F(SessionTest, ASecondStartInTheSameSecondIsRefusedAndLeavesTheFirstSessionAlone)
{
    AddReadmeSystem();
    Start();
    ASSERT_TRUE(PumpMessagesUntil([&] { return FileSize(SessionDirectory() + _T("host.ctl")) > 0; }));
    const LONGLONG nHostControl = FileSize(SessionDirectory() + _T("host.ctl"));
    CString strText;
    Start({Reads(strText)});
    EXPECT_EQ(strText, _T("Lumiter Exception: session directory ") + SessionDirectory() + _T(" already exists."));
    const std::vector<CLumiter5Doc*> documents = Documents();
    ASSERT_EQ(documents.size(), 2u);
    EXPECT_TRUE(documents[0]->HasCollector());
    EXPECT_FALSE(documents[1]->HasCollector());
    PumpMessagesFor(300);
    EXPECT_EQ(FileSize(SessionDirectory() + _T("host.ctl")), nHostControl);

    // The session without a collector closes with Stop like any other.
    RunCommand(ID_FILE_CLOSE);
    EXPECT_EQ(Documents().size(), 1u);
}

TEST_F(SessionTest, RemovesWaitForTheSessionToStop)
{
    AddReadmeSystem();
    ShowTab(0);
    CSystemTree& tree = Frame().GetLandscapeWnd().GetSystemTree();
    const CPoint point = LabelPoint(tree, tree.GetChildItem(TVI_ROOT));
    tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    tree.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    ASSERT_EQ(tree.GetSelections().size(), 1u);
    const INT_PTR nHosts = Frame().GetHosts().GetCount();

    // Each remove right behind the start, while the collector's worker may still be starting
    // its threads from the landscape's objects.
    Start();
    for (UINT nID : {ID_SYSTEM_REMOVE, ID_HOST_REMOVE, ID_DATABASE_REMOVE})
    {
        CString strText;
        RunScripted(nID, {Reads(strText)});
        EXPECT_EQ(strText,
                  _T("A running session collects the SAP landscape. Stop the session before removing from it."))
            << nID;
    }
    EXPECT_EQ(Frame().GetSystems().GetCount(), 1);
    EXPECT_EQ(Frame().GetHosts().GetCount(), nHosts);
    EXPECT_EQ(Frame().GetDatabases().GetCount(), 1);
    EXPECT_TRUE(PumpMessagesUntil([&] { return FileSize(SessionDirectory() + _T("PRD.sap")) > 0; }));

    RunCommand(ID_FILE_CLOSE);
    ASSERT_TRUE(Documents().empty());
    RunCommand(ID_SYSTEM_REMOVE);
    EXPECT_TRUE(Frame().GetSystems().IsEmpty());
    EXPECT_TRUE(Frame().GetHosts().IsEmpty());
}

TEST_F(SessionTest, EverySessionsWindowMenuEntryCarriesItsTitle)
{
    AddReadmeSystem();
    Start();
    CLumiter5Doc::SetClock(kStart + 60);
    Start();
    const std::vector<CLumiter5Doc*> documents = Documents();
    ASSERT_EQ(documents.size(), 2u);
    PumpPendingMessages();
    // The Window menu is the shown menu's popup that the MDI client lists its children in.
    const HMENU hShared = Frame().GetMenu()->GetSafeHmenu();
    std::vector<CString> entries;
    for (int nPopup = 0; nPopup < ::GetMenuItemCount(hShared); ++nPopup)
    {
        const HMENU hPopup = ::GetSubMenu(hShared, nPopup);
        for (int nItem = 0; hPopup != nullptr && nItem < ::GetMenuItemCount(hPopup); ++nItem)
        {
            const UINT nID = ::GetMenuItemID(hPopup, nItem);
            if (nID < AFX_IDM_FIRST_MDICHILD || nID > AFX_IDM_FIRST_MDICHILD + 8)
                continue;
            TCHAR szText[64] = {};
            ::GetMenuString(hPopup, nItem, szText, _countof(szText), MF_BYPOSITION);
            entries.push_back(szText);
        }
    }
    std::vector<CString> expected;
    for (size_t i = 0; i < documents.size(); ++i)
        expected.push_back(CString(_T("&")) + static_cast<TCHAR>(_T('1') + i) + _T(' ') + documents[i]->GetTitle());
    EXPECT_EQ(entries, expected);
}

TEST_F(SessionTest, ADataPathThatCannotHoldASessionIsReportedAndNothingCollects)
{
    AddReadmeSystem();
    // A file where a level of the path should be.
    CFile blocker(m_data.File(_T("blocker")), CFile::modeCreate | CFile::modeWrite);
    blocker.Close();
    const CString strLong = m_data.Path() + CString(_T('x'), 240) + _T("\\");
    const struct
    {
        CString strDataPath;
        CString strMessage;
    } cases[] = {
        {m_data.File(_T("blocker\\DATA\\")),
         _T("Lumiter Exception: unable to create directory ") + m_data.File(_T("blocker"))},
        {strLong, _T("Lumiter Exception: data path ") + strLong + _T(" is too long to hold a session directory.")},
    };
    for (const auto& c : cases)
    {
        App().WriteProfileString(_T("Properties"), _T("DataPath"), c.strDataPath);
        CString strText;
        Start({Reads(strText)});
        EXPECT_EQ(strText, c.strMessage);
        ASSERT_EQ(Documents().size(), 1u);
        EXPECT_FALSE(Documents()[0]->HasCollector());
        RunCommand(ID_FILE_CLOSE);
        EXPECT_TRUE(Documents().empty());
    }
    EXPECT_EQ(::GetFileAttributes(m_data.File(_T("blocker\\DATA"))), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SessionTest, AFreshProfileTakesTheCurrentDirectoryAsProgramPath)
{
    AddReadmeSystem();
    App().WriteProfileString(_T("Properties"), _T("DataPath"), nullptr);
    App().WriteProfileString(_T("Properties"), _T("ProgramPath"), nullptr);
    TCHAR szBefore[MAX_PATH] = {};
    ::GetCurrentDirectory(MAX_PATH, szBefore);
    ::SetCurrentDirectory(m_data.Path());
    Start();
    ::SetCurrentDirectory(szBefore);
    EXPECT_EQ(App().GetProfileString(_T("Properties"), _T("ProgramPath")), m_data.Path());
    EXPECT_EQ(App().GetProfileString(_T("Properties"), _T("DataPath")), m_data.Path() + _T("DATA\\"));
    ASSERT_EQ(Documents().size(), 1u);
    EXPECT_TRUE(Documents()[0]->HasCollector());
    EXPECT_NE(::GetFileAttributes(SessionDirectory()), INVALID_FILE_ATTRIBUTES);
    RunCommand(ID_FILE_CLOSE);
}

TEST_F(SessionTest, ARelativeDataPathLiesInTheProgramFolder)
{
    AddReadmeSystem();
    App().WriteProfileString(_T("Properties"), _T("ProgramPath"), m_data.Path());
    App().WriteProfileString(_T("Properties"), _T("DataPath"), _T("sessions"));
    Start();
    ASSERT_EQ(Documents().size(), 1u);
    EXPECT_EQ(Documents()[0]->GetSessionPath(), m_data.Path() + _T("sessions\\") + kStartId + _T("\\"));
    EXPECT_NE(::GetFileAttributes(m_data.Path() + _T("sessions\\") + kStartId), INVALID_FILE_ATTRIBUTES);
    RunCommand(ID_FILE_CLOSE);
}

// Run as a program of its own with a file name on its command line.
TEST(SessionCommandLineTest, AFileNameOnTheCommandLineOpensNoDocument)
{
    TCHAR szChild[8] = {};
    if (::GetEnvironmentVariable(_T("LUMITER_COMMAND_LINE_CHILD"), szChild, 8) == 0)
    {
        TempDirectory directory;
        const CString strFile = directory.File(_T("session.lumiter"));
        CFile(strFile, CFile::modeCreate | CFile::modeWrite).Close();
        ::SetEnvironmentVariable(_T("LUMITER_COMMAND_LINE_CHILD"), _T("1"));
        const long nExit = RunChildProcess(ExecutableFolder() + _T("app_tests.exe"),
                                           _T("--gtest_filter=SessionCommandLineTest.* \"") + strFile + _T("\""));
        ::SetEnvironmentVariable(_T("LUMITER_COMMAND_LINE_CHILD"), nullptr);
        EXPECT_EQ(nExit, 0);
        return;
    }
    CLumiter5App app;
    app.m_nCmdShow = SW_HIDE;
    ASSERT_TRUE(app.InitInstance());
    POSITION pos = app.GetFirstDocTemplatePosition();
    EXPECT_EQ(app.GetNextDocTemplate(pos)->GetFirstDocPosition(), nullptr);
    app.m_pMainWnd->DestroyWindow();
    PumpPendingMessages();
}
} // namespace
