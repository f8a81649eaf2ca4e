// Documents of dockable templates in their three forms: MDI child, docked and floating frames,
// switched through the extended system commands, and the MDI frame's active docked frame.
#include <toolkit/frames/CaptionMsgFilter.h>
#include <toolkit/frames/DockableFrame.h>
#include <toolkit/frames/FrameBar.h>
#include <toolkit/frames/MDIChildWnd.h>
#include <toolkit/frames/MDIFrameWnd.h>
#include <toolkit/frames/MultiDocTemplate.h>
#include <toolkit/frames/SysCommandEx.h>
#include <toolkit/frames/VisibleFrames.h>

#include <afxpriv.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <testing/MemoryCanvas.h>
#include <testing/MessagePump.h>

#include "DocumentTestClasses.h"

using tarnwick::frames::FindOtherVisibleDockableFrame;
using tarnwick::frames::SECCaptionControlMsgFilter;
using tarnwick::frames::FindOtherVisibleMDIChild;
using tarnwick::frames::SECDockableFrame;
using tarnwick::frames::SECFrameBar;
using tarnwick::frames::SECMDIChildWnd;
using tarnwick::frames::SECMDIFrameWnd;
using tarnwick::frames::SECMultiDocTemplate;
using namespace tarnwick::frames::nsSysCommandEx;

namespace
{
// Logs the activation messages that reach the watched windows.
class ActivationLog
{
public:
    explicit ActivationLog(std::vector<std::pair<HWND, std::string>> windows)
    {
        s_pLog = this;
        m_windows = std::move(windows);
        m_hHook = ::SetWindowsHookEx(WH_CALLWNDPROC, &Hook, nullptr, ::GetCurrentThreadId());
    }
    ~ActivationLog()
    {
        ::UnhookWindowsHookEx(m_hHook);
        s_pLog = nullptr;
    }
    ActivationLog(const ActivationLog&) = delete;
    ActivationLog& operator=(const ActivationLog&) = delete;
    std::vector<std::string> m_entries;

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        const auto* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (nCode == HC_ACTION && s_pLog != nullptr)
            for (const auto& [hWnd, name] : s_pLog->m_windows)
                if (pMsg->hwnd == hWnd)
                {
                    if (pMsg->message == WM_NCACTIVATE)
                        s_pLog->m_entries.push_back(name + " ncactivate " + std::to_string(pMsg->wParam != 0));
                    else if (pMsg->message == WM_MDIACTIVATE)
                        s_pLog->m_entries.push_back(name + " mdiactivate " + std::to_string(pMsg->wParam));
                    else if (pMsg->message == WM_SETFOCUS)
                        s_pLog->m_entries.push_back(name + " focus");
                    else if (pMsg->message == WM_SETTEXT)
                        s_pLog->m_entries.push_back(name + " title");
                }
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    static inline ActivationLog* s_pLog = nullptr;
    std::vector<std::pair<HWND, std::string>> m_windows;
    HHOOK m_hHook = nullptr;
};

// Remembers how the default window procedure was last asked to draw the caption.
class CaptionProbeFrame : public SECMDIFrameWnd
{
public:
    BOOL m_bCaptionActive = FALSE;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NCACTIVATE)
            m_bCaptionActive = wParam != 0;
        return SECMDIFrameWnd::DefWindowProc(message, wParam, lParam);
    }
};

class DockedFramesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pSheets = Add(new SECMultiDocTemplate(130, RUNTIME_CLASS(TestDocA), RUNTIME_CLASS(SECMDIChildWnd),
                                                RUNTIME_CLASS(TestViewA)));
        m_pLogs = Add(new SECMultiDocTemplate(128, RUNTIME_CLASS(TestDocB), RUNTIME_CLASS(SECMDIChildWnd),
                                              RUNTIME_CLASS(TestViewB)));
        m_pPlain = Add(new CMultiDocTemplate(131, RUNTIME_CLASS(TestDocA), RUNTIME_CLASS(SECMDIChildWnd),
                                             RUNTIME_CLASS(TestViewA)));
        ACCEL accel{FVIRTKEY, VK_F5, TestViewA::ID_VIEW_COMMAND};
        m_hAccel = ::CreateAcceleratorTable(&accel, 1);
        m_pSheets->m_hAccelTable = m_hAccel;
        m_pFrame = new CaptionProbeFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, _T("Documents"), WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                                     CRect(0, 0, 800, 600)));
        m_app.m_pMainWnd = m_pFrame;
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->ShowWindow(SW_SHOW);
        m_pFrame->RecalcLayout();
    }
    void TearDown() override
    {
        m_pFrame->DestroyWindow();
        PumpPendingMessages();
        m_app.m_pMainWnd = nullptr;
        m_pSheets->m_hAccelTable = nullptr;
        ::DestroyAcceleratorTable(m_hAccel);
    }
    template <class T> T* Add(T* pTemplate)
    {
        m_app.AddDocTemplate(pTemplate);
        return pTemplate;
    }
    static TestViewA* ViewOf(CDocument* pDoc)
    {
        POSITION pos = pDoc->GetFirstViewPosition();
        return static_cast<TestViewA*>(pDoc->GetNextView(pos));
    }
    // A new document of the template in an MDI child.
    TestViewA* OpenChild(CMultiDocTemplate* pTemplate)
    {
        CDocument* pDoc = pTemplate->OpenDocumentFile(nullptr);
        return pDoc != nullptr ? ViewOf(pDoc) : nullptr;
    }
    // A new document of the template toggled into a docked frame, its view in pView; null when
    // that fails.
    SECDockableFrame* OpenDocked(CMultiDocTemplate* pTemplate, TestViewA*& pView)
    {
        pView = OpenChild(pTemplate);
        if (pView == nullptr || Command(pView->GetParentFrame(), STATE_TOGGLE) != TRUE)
            return nullptr;
        PumpPendingMessages();
        return DYNAMIC_DOWNCAST(SECDockableFrame, pView->GetParentFrame());
    }
    // Sends the extended command for the frame; the message's result.
    static LRESULT Command(CWnd* pFrame, int nCommand, DWORD dwFlags = 0, CPoint point = CPoint(0, 0))
    {
        SysCommandExRecord record{};
        record.hWnd = pFrame->m_hWnd;
        record.nCommand = nCommand;
        record.dwFlags = dwFlags;
        record.x = point.x;
        record.y = point.y;
        return SendSysCommandExMessage(SCX_EXECUTE, record);
    }
    static SECFrameBar* BarOf(CFrameWnd* pFrame)
    {
        return DYNAMIC_DOWNCAST(SECFrameBar, pFrame->GetParent());
    }
    // The menu the window answers to a query, or null.
    static HMENU QueryMenu(CWnd* pFrame, LRESULT& lResult)
    {
        SysCommandExRecord record{};
        record.hWnd = pFrame->m_hWnd;
        lResult = SendSysCommandExMessage(SCX_QUERYMENU, record);
        return record.hMenu;
    }
    // The checked items' texts, the two popups' items after the forms.
    static std::vector<std::string> CheckedItems(HMENU hMenu)
    {
        std::vector<std::string> checked;
        for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i)
        {
            if (const HMENU hSub = ::GetSubMenu(hMenu, i))
            {
                for (const std::string& item : CheckedItems(hSub))
                    checked.push_back(item);
                continue;
            }
            if (!(::GetMenuState(hMenu, i, MF_BYPOSITION) & MF_CHECKED))
                continue;
            TCHAR szText[64] = {};
            ::GetMenuString(hMenu, i, szText, 64, MF_BYPOSITION);
            checked.push_back(std::string(CW2A(szText)));
        }
        return checked;
    }

    DocumentsApp m_app;
    SECMultiDocTemplate* m_pSheets = nullptr;
    SECMultiDocTemplate* m_pLogs = nullptr;
    CMultiDocTemplate* m_pPlain = nullptr;
    HACCEL m_hAccel = nullptr;
    CaptionProbeFrame* m_pFrame = nullptr;
};

TEST_F(DockedFramesTest, ToggleMovesTheSameViewBetweenAnMDIChildAndADockedFrame)
{
    TestViewA* pView = OpenChild(m_pSheets);
    ASSERT_NE(pView, nullptr);
    CDocument* pDoc = pView->GetDocument();
    CFrameWnd* pChild = pView->GetParentFrame();
    ASSERT_TRUE(pChild->IsKindOf(RUNTIME_CLASS(SECMDIChildWnd)));
    const HWND hChild = pChild->m_hWnd;
    const HWND hView = pView->m_hWnd;

    EXPECT_EQ(Command(pChild, STATE_TOGGLE), TRUE);
    auto* pDocked = DYNAMIC_DOWNCAST(SECDockableFrame, pView->GetParentFrame());
    ASSERT_NE(pDocked, nullptr);
    EXPECT_EQ(pView->m_hWnd, hView);
    EXPECT_EQ(pView->GetDlgCtrlID(), static_cast<int>(AFX_IDW_PANE_FIRST));
    EXPECT_EQ(pDocked->GetActiveView(), pView);
    EXPECT_EQ(pDocked->GetActiveDocument(), pDoc);
    SECFrameBar* pBar = BarOf(pDocked);
    ASSERT_NE(pBar, nullptr);
    // The cycle's first place: the bottom.
    EXPECT_EQ(m_pSheets->GetDockingSide(pDocked), SECMultiDocTemplate::SIDE_BOTTOM);
    EXPECT_EQ(pBar->m_dwExStyle, 0x40u);
    CString strBarTitle;
    pBar->GetWindowText(strBarTitle);
    EXPECT_EQ(strBarTitle, pDoc->GetTitle());
    EXPECT_EQ(m_pFrame->GetActiveDockedFrame(), pDocked);
    // The child the view left is hidden now and gone once the command has returned.
    EXPECT_TRUE(::IsWindow(hChild));
    EXPECT_FALSE(::GetWindowLong(hChild, GWL_STYLE) & WS_VISIBLE);
    PumpPendingMessages();
    EXPECT_FALSE(::IsWindow(hChild));

    // Back: an MDI child again, the bar gone.
    const HWND hBar = pBar->m_hWnd;
    EXPECT_EQ(Command(pDocked, STATE_TOGGLE), TRUE);
    auto* pNewChild = DYNAMIC_DOWNCAST(SECMDIChildWnd, pView->GetParentFrame());
    ASSERT_NE(pNewChild, nullptr);
    EXPECT_EQ(m_pFrame->MDIGetActive(), pNewChild);
    EXPECT_EQ(m_pFrame->GetActiveDockedFrame(), nullptr);
    PumpPendingMessages();
    EXPECT_FALSE(::IsWindow(hBar));
    EXPECT_EQ(pView->m_hWnd, hView);

    // From floating too.
    ASSERT_EQ(Command(pNewChild, STATE_TOGGLE), TRUE);
    PumpPendingMessages();
    pDocked = DYNAMIC_DOWNCAST(SECDockableFrame, pView->GetParentFrame());
    ASSERT_NE(pDocked, nullptr);
    m_pFrame->FloatControlBar(BarOf(pDocked), CPoint(200, 200));
    EXPECT_EQ(m_pSheets->GetDockingSide(pDocked), SECMultiDocTemplate::SIDE_FLOATING);
    EXPECT_EQ(Command(pDocked, STATE_TOGGLE), TRUE);
    EXPECT_TRUE(pView->GetParentFrame()->IsKindOf(RUNTIME_CLASS(SECMDIChildWnd)));
    PumpPendingMessages();
    EXPECT_EQ(pView->m_nInitialUpdates, 1);
    EXPECT_EQ(pDoc->GetFirstViewPosition() != nullptr, true);
}

TEST_F(DockedFramesTest, TheMenuShowsTheWindowsFormAndPlainTemplatesHaveNone)
{
    TestViewA* pView = OpenChild(m_pSheets);
    ASSERT_EQ(Command(pView->GetParentFrame(), STATE_TOP), TRUE);
    PumpPendingMessages();
    CFrameWnd* pDocked = pView->GetParentFrame();
    ASSERT_TRUE(pDocked->IsKindOf(RUNTIME_CLASS(SECDockableFrame)));
    EXPECT_EQ(m_pSheets->GetDockingSide(pDocked), SECMultiDocTemplate::SIDE_TOP);
    LRESULT lResult = 0;
    HMENU hMenu = QueryMenu(pDocked, lResult);
    ASSERT_NE(hMenu, nullptr);
    EXPECT_TRUE(lResult);
    EXPECT_EQ(CheckedItems(hMenu), (std::vector<std::string>{"&Docked", "&Top"}));
    ::DestroyMenu(hMenu);

    TestViewA* pOther = OpenChild(m_pLogs);
    auto* pChild = static_cast<CMDIChildWnd*>(pOther->GetParentFrame());
    pChild->MDIMaximize();
    ASSERT_TRUE(pChild->IsZoomed());
    hMenu = QueryMenu(pChild, lResult);
    ASSERT_NE(hMenu, nullptr);
    EXPECT_EQ(CheckedItems(hMenu), (std::vector<std::string>{"&MDI Child", "Ma&ximized"}));
    ::DestroyMenu(hMenu);

    TestViewA* pPlain = OpenChild(m_pPlain);
    EXPECT_EQ(QueryMenu(pPlain->GetParentFrame(), lResult), nullptr);
    EXPECT_FALSE(lResult);
    EXPECT_EQ(Command(pPlain->GetParentFrame(), STATE_TOGGLE), FALSE);
    EXPECT_TRUE(pPlain->GetParentFrame()->IsKindOf(RUNTIME_CLASS(SECMDIChildWnd)));
}

TEST_F(DockedFramesTest, MenuChoicesTakeTheWindowToEachForm)
{
    TestViewA* pView = OpenChild(m_pSheets);
    ASSERT_EQ(Command(pView->GetParentFrame(), STATE_TOGGLE), TRUE);
    PumpPendingMessages();
    // Maximized from docked: a zoomed child; the given place is not applied.
    EXPECT_EQ(Command(pView->GetParentFrame(), STATE_MAXIMIZED, SCX_POSITION, CPoint(7, 9)), TRUE);
    PumpPendingMessages();
    auto* pChild = DYNAMIC_DOWNCAST(CMDIChildWnd, pView->GetParentFrame());
    ASSERT_NE(pChild, nullptr);
    EXPECT_TRUE(pChild->IsZoomed());
    pChild->MDIRestore();
    pChild->SetWindowPos(nullptr, 40, 30, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rectChild;
    pChild->GetWindowRect(&rectChild);

    // Floating from an MDI child: where the child stood.
    EXPECT_EQ(Command(pChild, STATE_FLOATING), TRUE);
    PumpPendingMessages();
    CFrameWnd* pDocked = pView->GetParentFrame();
    ASSERT_TRUE(pDocked->IsKindOf(RUNTIME_CLASS(SECDockableFrame)));
    EXPECT_EQ(m_pSheets->GetDockingSide(pDocked), SECMultiDocTemplate::SIDE_FLOATING);
    CRect rectFloating;
    BarOf(pDocked)->GetParentFrame()->GetWindowRect(&rectFloating);
    EXPECT_EQ(rectFloating.TopLeft(), rectChild.TopLeft());

    // Docked at the top, then moved to the left.
    EXPECT_EQ(Command(pDocked, STATE_TOP), FALSE);
    EXPECT_EQ(m_pSheets->GetDockingSide(pDocked), SECMultiDocTemplate::SIDE_TOP);
    EXPECT_EQ(Command(pDocked, STATE_LEFT), FALSE);
    SECFrameBar* pBar = BarOf(pDocked);
    EXPECT_EQ(pBar->m_pDockBar->GetDlgCtrlID(), static_cast<int>(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_EQ(pBar->GetBarStyle() & CBRS_ALIGN_ANY, static_cast<DWORD>(CBRS_ALIGN_LEFT));
    EXPECT_EQ(pBar->GetBarStyle() & 0x1400u, 0x1400u);
    EXPECT_EQ(pView->GetParentFrame(), pDocked);
}

TEST_F(DockedFramesTest, RequestsWithoutViewTemplateOrFrameChangeNothing)
{
    auto* pBare = new SECMDIChildWnd;
    ASSERT_TRUE(pBare->Create(nullptr, _T("Bare"), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault,
                              m_pFrame));
    pBare->InstallFilters(1);
    EXPECT_EQ(Command(pBare, STATE_TOGGLE), FALSE);
    LRESULT lResult = 0;
    EXPECT_EQ(QueryMenu(pBare, lResult), nullptr);
    EXPECT_TRUE(::IsWindow(pBare->m_hWnd));
    EXPECT_TRUE(pBare->GetStyle() & WS_VISIBLE);
    // An unknown code and a window that is no frame.
    TestViewA* pView = OpenChild(m_pSheets);
    SysCommandExRecord record{};
    record.hWnd = pView->GetParentFrame()->m_hWnd;
    EXPECT_EQ(SendSysCommandExMessage(0xC030, record), 0);
    record.hWnd = pView->m_hWnd;
    record.nCommand = STATE_TOGGLE;
    EXPECT_EQ(::SendMessage(pView->GetParentFrame()->m_hWnd, GetSysCommandExMessage(), SCX_EXECUTE,
                            reinterpret_cast<LPARAM>(&record)),
              0);
    EXPECT_TRUE(pView->GetParentFrame()->IsKindOf(RUNTIME_CLASS(SECMDIChildWnd)));
}

TEST_F(DockedFramesTest, DocumentsOpenDockedInTheNamedFrameBar)
{
    CDocument* pDoc = m_pLogs->OpenDockedDocumentFile(nullptr, FALSE, TRUE, 0xE8A0);
    ASSERT_NE(pDoc, nullptr);
    auto* pBar = DYNAMIC_DOWNCAST(SECFrameBar, m_pFrame->GetControlBar(0xE8A0));
    ASSERT_NE(pBar, nullptr);
    TestViewA* pView = ViewOf(pDoc);
    EXPECT_TRUE(pView->IsKindOf(RUNTIME_CLASS(TestViewB)));
    EXPECT_EQ(pView->GetParentFrame()->GetParent(), pBar);
    EXPECT_EQ(pView->m_nInitialUpdates, 1);
    EXPECT_EQ(m_pFrame->GetActiveDockedFrame(), pView->GetParentFrame());

    // An empty frame bar that a restored layout made is filled.
    auto* pEmpty = new SECFrameBar;
    ASSERT_TRUE(pEmpty->Create(m_pFrame, nullptr, WS_VISIBLE | CBRS_LEFT, 0x40, 0xE8A1));
    pEmpty->m_bAutoDelete = TRUE;
    pEmpty->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(pEmpty, static_cast<CDockBar*>(m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT)));
    CFrameWnd* pSecond = m_pLogs->CreateDockedFrame(pDoc, 0xE8A1);
    ASSERT_NE(pSecond, nullptr);
    EXPECT_EQ(pSecond->GetParent(), pEmpty);
    EXPECT_EQ(m_pFrame->GetControlBar(0xE8A1), pEmpty);
    // A new view of the document, for the caller's initial update.
    EXPECT_NE(DYNAMIC_DOWNCAST(TestViewB, pSecond->GetDescendantWindow(AFX_IDW_PANE_FIRST)), nullptr);
    // A taken id gives a free one.
    CFrameWnd* pThird = m_pLogs->CreateDockedFrame(pDoc, 0xE8A0);
    ASSERT_NE(pThird, nullptr);
    EXPECT_NE(BarOf(pThird), pBar);
    EXPECT_EQ(m_pLogs->CreateDockedFrame(nullptr, 0), nullptr);
}

TEST_F(DockedFramesTest, TheDockableFrameTakesTheTemplatesLooksAndResources)
{
    TestViewA* pView = OpenChild(m_pSheets);
    ASSERT_EQ(Command(pView->GetParentFrame(), STATE_TOGGLE), TRUE);
    PumpPendingMessages();
    auto* pDocked = static_cast<SECDockableFrame*>(pView->GetParentFrame());
    EXPECT_TRUE(pDocked->GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(pDocked->GetStyle() & FWS_PREFIXTITLE);
    EXPECT_EQ(pDocked->m_hAccelTable, m_hAccel);
    const CString strTitle = pView->GetDocument()->GetTitle();
    pDocked->m_nWindow = 2;
    pDocked->OnUpdateFrameTitle(TRUE);
    CString strText;
    pDocked->GetWindowText(strText);
    EXPECT_EQ(strText, strTitle + _T(":2"));
    pDocked->m_nWindow = 0;
    pDocked->OnUpdateFrameTitle(TRUE);
    pDocked->GetWindowText(strText);
    EXPECT_EQ(strText, strTitle);

    // The template's accelerator reaches the view through the main window.
    pView->SetFocus();
    ::PostMessage(pView->m_hWnd, WM_KEYDOWN, VK_F5, 0);
    PumpPendingMessages();
    EXPECT_EQ(pView->m_nCommands, 1);

    // Destroying the frame takes its bar and empties its row.
    CDockBar* pDockBar = BarOf(pDocked)->m_pDockBar;
    const UINT nBarID = BarOf(pDocked)->GetDlgCtrlID();
    const int nDocked = pDockBar->GetDockedCount();
    pDocked->DestroyWindow();
    PumpPendingMessages();
    EXPECT_EQ(m_pFrame->GetControlBar(nBarID), nullptr);
    EXPECT_EQ(pDockBar->GetDockedCount(), nDocked - 1);
    EXPECT_EQ(m_pFrame->GetActiveDockedFrame(), nullptr);
}

TEST_F(DockedFramesTest, TheActiveDockedFrameStandsInForTheActiveChild)
{
    TestViewA* pChildView = OpenChild(m_pSheets);
    TestViewA* pDockedView = OpenChild(m_pSheets);
    ASSERT_EQ(Command(pDockedView->GetParentFrame(), STATE_TOGGLE), TRUE);
    PumpPendingMessages();
    auto* pDocked = static_cast<SECDockableFrame*>(pDockedView->GetParentFrame());
    CFrameWnd* pChild = pChildView->GetParentFrame();
    m_pFrame->ClearActiveDockedFrame(TRUE);
    static_cast<CMDIChildWnd*>(pChild)->MDIActivate();
    pChildView->SetFocus();

    {
        ActivationLog log({{pDocked->m_hWnd, "docked"},
                           {m_pFrame->m_hWndMDIClient, "client"},
                           {pDockedView->m_hWnd, "view"},
                           {m_pFrame->m_hWnd, "main"}});
        m_pFrame->SetActiveDockedFrame(pDocked, FALSE);
        ASSERT_GE(log.m_entries.size(), 4u);
        EXPECT_EQ(std::vector<std::string>(log.m_entries.begin(), log.m_entries.begin() + 4),
                  (std::vector<std::string>{"docked ncactivate 1", "client mdiactivate 0", "client ncactivate 0",
                                            "view focus"}));
        EXPECT_EQ(::GetFocus(), pDockedView->m_hWnd);
        // Again without force: nothing.
        log.m_entries.clear();
        m_pFrame->SetActiveDockedFrame(pDocked, FALSE);
        EXPECT_TRUE(log.m_entries.empty());
    }
    EXPECT_EQ(m_pFrame->GetActiveFrame(), pDocked);

    // Commands reach the docked frame's view, not the child's.
    m_pFrame->SendMessage(WM_COMMAND, TestViewA::ID_VIEW_COMMAND);
    EXPECT_EQ(pDockedView->m_nCommands, 1);
    EXPECT_EQ(pChildView->m_nCommands, 0);
    // The frame's activation gives the focus back to its view.
    pChildView->SetFocus();
    pDockedView->m_frameActivations.clear();
    pChildView->m_frameActivations.clear();
    m_pFrame->SendMessage(WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(::GetFocus(), pDockedView->m_hWnd);
    // ... and tells that view of the frame's activation.
    EXPECT_EQ(pDockedView->m_frameActivations, std::vector<UINT>{WA_ACTIVE});
    EXPECT_TRUE(pChildView->m_frameActivations.empty());
    // The main caption stays active while the frame is in the foreground (taken back first: test
    // programs running beside this one bring their own windows to the front).
    m_pFrame->SetForegroundWindow();
    ASSERT_EQ(::GetForegroundWindow(), m_pFrame->m_hWnd);
    m_pFrame->SendMessage(WM_NCACTIVATE, FALSE);
    EXPECT_TRUE(m_pFrame->m_bCaptionActive);
    // The title names the docked frame's document, not the child's.
    CString strTitle;
    m_pFrame->GetWindowText(strTitle);
    EXPECT_NE(strTitle.Find(pDockedView->GetDocument()->GetTitle()), -1);
    EXPECT_EQ(strTitle.Find(pChildView->GetDocument()->GetTitle()), -1);

    // A click into the child clears it.
    pChild->SendMessage(WM_PARENTNOTIFY, WM_LBUTTONDOWN, MAKELPARAM(5, 5));
    EXPECT_EQ(m_pFrame->GetActiveDockedFrame(), nullptr);
    m_pFrame->SendMessage(WM_COMMAND, TestViewA::ID_VIEW_COMMAND);
    EXPECT_EQ(pChildView->m_nCommands, 1);
    EXPECT_EQ(pDockedView->m_nCommands, 1);
    // Without a docked frame the caption follows the message.
    m_pFrame->SendMessage(WM_NCACTIVATE, FALSE);
    EXPECT_FALSE(m_pFrame->m_bCaptionActive);
}

TEST_F(DockedFramesTest, DestroyingTheActiveDockedFrameHandsActivityOn)
{
    TestViewA* pFirst = nullptr;
    TestViewA* pSecond = nullptr;
    SECDockableFrame* pFirstFrame = OpenDocked(m_pSheets, pFirst);
    SECDockableFrame* pSecondFrame = OpenDocked(m_pLogs, pSecond);
    ASSERT_NE(pFirstFrame, nullptr);
    ASSERT_NE(pSecondFrame, nullptr);
    ASSERT_EQ(m_pFrame->GetActiveDockedFrame(), pSecondFrame);
    // Another visible docked frame takes over, so that commands never reach a frame that is gone.
    pSecondFrame->DestroyWindow();
    EXPECT_EQ(m_pFrame->GetActiveDockedFrame(), pFirstFrame);
    m_pFrame->SendMessage(WM_COMMAND, TestViewA::ID_VIEW_COMMAND);
    EXPECT_EQ(pFirst->m_nCommands, 1);
    // The last one clears it.
    pFirstFrame->DestroyWindow();
    EXPECT_EQ(m_pFrame->GetActiveDockedFrame(), nullptr);
    PumpPendingMessages();
}

TEST_F(DockedFramesTest, OtherVisibleFramesAreFoundByTheirVisibility)
{
    TestViewA* pChildView = OpenChild(m_pSheets);
    CFrameWnd* pChild = pChildView->GetParentFrame();
    TestViewA* pDockedView = OpenChild(m_pSheets);
    ASSERT_EQ(Command(pDockedView->GetParentFrame(), STATE_TOGGLE), TRUE);
    PumpPendingMessages();
    auto* pDocked = static_cast<SECDockableFrame*>(pDockedView->GetParentFrame());
    TestViewA* pFloatView = OpenChild(m_pLogs);
    ASSERT_EQ(Command(pFloatView->GetParentFrame(), STATE_FLOATING), TRUE);
    PumpPendingMessages();
    auto* pFloating = static_cast<SECDockableFrame*>(pFloatView->GetParentFrame());
    ASSERT_EQ(m_pLogs->GetDockingSide(pFloating), SECMultiDocTemplate::SIDE_FLOATING);

    EXPECT_TRUE(FindOtherVisibleMDIChild(nullptr));
    EXPECT_FALSE(FindOtherVisibleMDIChild(pChild));
    EXPECT_EQ(FindOtherVisibleDockableFrame(nullptr), pDocked);
    EXPECT_EQ(FindOtherVisibleDockableFrame(pDocked), pFloating);
    // A hidden frame bar or floating frame does not count.
    m_pFrame->ShowBar(BarOf(pDocked), FALSE, FALSE);
    EXPECT_EQ(FindOtherVisibleDockableFrame(nullptr), pFloating);
    BarOf(pFloating)->GetParentFrame()->ShowWindow(SW_HIDE);
    EXPECT_EQ(FindOtherVisibleDockableFrame(nullptr), nullptr);
    pChild->ShowWindow(SW_HIDE);
    EXPECT_FALSE(FindOtherVisibleMDIChild(nullptr));
}

TEST_F(DockedFramesTest, CaptionGesturesToggleAndDropTheMenu)
{
    TestViewA* pView = OpenChild(m_pSheets);
    CFrameWnd* pChild = pView->GetParentFrame();
    // A right double-click on the caption toggles.
    CRect rectWindow;
    pChild->GetWindowRect(&rectWindow);
    const CPoint ptCaption(rectWindow.left + 30, rectWindow.top + 8);
    pChild->SendMessage(WM_NCRBUTTONDBLCLK, HTCAPTION, MAKELPARAM(ptCaption.x, ptCaption.y));
    PumpPendingMessages();
    CFrameWnd* pDocked = pView->GetParentFrame();
    EXPECT_TRUE(pDocked->IsKindOf(RUNTIME_CLASS(SECDockableFrame)));
    // The right button released on the caption drops the menu: its loop takes the Escape
    // waiting for it and closes unchosen.
    pDocked->GetWindowRect(&rectWindow);
    ::PostMessage(pDocked->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    pDocked->SendMessage(WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(rectWindow.left + 10, rectWindow.top + 4));
    MSG msg;
    EXPECT_FALSE(::PeekMessage(&msg, pDocked->m_hWnd, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE));
    EXPECT_EQ(pView->GetParentFrame(), pDocked);
}

// The point of the frame's caption, in screen coordinates, this far from its left end.
CPoint CaptionPoint(CWnd& frame, int nFromLeft = 10)
{
    CRect rectWindow;
    frame.GetWindowRect(&rectWindow);
    return CPoint(rectWindow.left + nFromLeft, rectWindow.top + 4);
}

LPARAM PointParam(CPoint point)
{
    return MAKELPARAM(point.x, point.y);
}

// Whether a key press posted before the call waits in the queue still: a modal loop (a menu, a
// drag) takes it.
bool EscapeWaits()
{
    MSG msg;
    return ::PeekMessage(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE) != 0;
}

TEST_F(DockedFramesTest, ClicksInsideAndOnTheCaptionActivateFloatDockAndDrag)
{
    TestViewA* pFirst = nullptr;
    TestViewA* pSecond = nullptr;
    SECDockableFrame* pFirstFrame = OpenDocked(m_pSheets, pFirst);
    SECDockableFrame* pSecondFrame = OpenDocked(m_pSheets, pSecond);
    ASSERT_NE(pFirstFrame, nullptr);
    ASSERT_NE(pSecondFrame, nullptr);
    ASSERT_EQ(m_pFrame->GetActiveDockedFrame(), pSecondFrame);

    // A left or right click inside, and a mouse activation, make the frame the active one.
    pFirstFrame->SendMessage(WM_PARENTNOTIFY, WM_LBUTTONDOWN, MAKELPARAM(5, 5));
    EXPECT_EQ(m_pFrame->GetActiveDockedFrame(), pFirstFrame);
    pSecondFrame->SendMessage(WM_PARENTNOTIFY, WM_RBUTTONDOWN, MAKELPARAM(5, 5));
    EXPECT_EQ(m_pFrame->GetActiveDockedFrame(), pSecondFrame);
    pFirstFrame->SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(m_pFrame->m_hWnd),
                             MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(m_pFrame->GetActiveDockedFrame(), pFirstFrame);

    // A caption double-click floats the docked frame; on the floating one it docks again.
    const int nSide = m_pSheets->GetDockingSide(pFirstFrame);
    ASSERT_NE(nSide, SECMultiDocTemplate::SIDE_NONE);
    ASSERT_NE(nSide, SECMultiDocTemplate::SIDE_FLOATING);
    pFirstFrame->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, PointParam(CaptionPoint(*pFirstFrame)));
    PumpPendingMessages();
    EXPECT_EQ(m_pSheets->GetDockingSide(pFirstFrame), SECMultiDocTemplate::SIDE_FLOATING);
    EXPECT_EQ(pFirst->GetParentFrame(), pFirstFrame);
    pFirstFrame->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, PointParam(CaptionPoint(*pFirstFrame)));
    PumpPendingMessages();
    EXPECT_EQ(m_pSheets->GetDockingSide(pFirstFrame), nSide);

    // A caption press drags the bar: the drag's loop takes the Escape waiting for it, lets the
    // mouse go and leaves the bar where it was.
    ASSERT_EQ(::GetCapture(), nullptr);
    const int nSecondSide = m_pSheets->GetDockingSide(pSecondFrame);
    ::PostMessage(m_pFrame->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    pSecondFrame->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, PointParam(CaptionPoint(*pSecondFrame)));
    EXPECT_FALSE(EscapeWaits());
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(m_pSheets->GetDockingSide(pSecondFrame), nSecondSide);
    EXPECT_EQ(m_pFrame->GetActiveDockedFrame(), pSecondFrame);

    // A click on the floating frame bar activates its floating frame.
    ASSERT_EQ(Command(pSecondFrame, STATE_FLOATING), TRUE);
    PumpPendingMessages();
    m_pFrame->SetActiveWindow();
    CWnd* pFloating = BarOf(pSecondFrame)->GetParentFrame();
    ASSERT_NE(pFloating, m_pFrame);
    EXPECT_EQ(BarOf(pSecondFrame)->SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(pFloating->m_hWnd),
                                               MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_ACTIVATE);
    EXPECT_EQ(::GetActiveWindow(), pFloating->m_hWnd);
    m_pFrame->SetActiveWindow();
}

TEST_F(DockedFramesTest, TheDiamondsHoldAndRightClickDropTheMenu)
{
    TestViewA* pView = nullptr;
    SECDockableFrame* pDocked = OpenDocked(m_pSheets, pView);
    ASSERT_NE(pDocked, nullptr);
    auto* pDiamond = static_cast<SECCaptionControlMsgFilter*>(
        pDocked->GetMsgFilter().FindFilter(FILTER_CHILD_BUTTON, nullptr, -1));
    ASSERT_NE(pDiamond, nullptr);
    ASSERT_FALSE(pDiamond->GetButtonRect().IsRectEmpty());
    CRect rectWindow;
    pDocked->GetWindowRect(&rectWindow);
    const LPARAM lDiamond = PointParam(pDiamond->GetButtonRect().CenterPoint() + rectWindow.TopLeft());

    // The right button drops the menu at once; closed unchosen, the frame stays as it was.
    ::PostMessage(pDocked->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    pDocked->SendMessage(WM_NCRBUTTONDOWN, HTCAPTION, lDiamond);
    EXPECT_FALSE(EscapeWaits());
    EXPECT_EQ(pView->GetParentFrame(), pDocked);
    // Held, the left button drops it too, and the diamond comes up afterwards.
    pDiamond->SetHoldDelay(0);
    ::PostMessage(pDocked->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    pDocked->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, lDiamond);
    EXPECT_FALSE(EscapeWaits());
    EXPECT_FALSE(pDiamond->GetState() & DFCS_PUSHED);
    EXPECT_FALSE(pDiamond->IsTracking());
    EXPECT_EQ(pView->GetParentFrame(), pDocked);
}
} // namespace
