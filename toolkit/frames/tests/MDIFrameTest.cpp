// The toolkit's MDI frame in a hidden window: dock bars with their strips, docking with a share
// and a length, the dock cycle, showing bars, the caption, filters and the routing of commands.
#include <toolkit/foundation/WndPlugIn.h>
#include <toolkit/frames/ControlBar.h>
#include <toolkit/frames/FrameWnd.h>
#include <toolkit/frames/MDIChildWnd.h>
#include <toolkit/frames/MDIFrameWnd.h>
#include <toolkit/frames/MultiDocTemplate.h>
#include <toolkit/frames/SysCommandEx.h>
#include <toolkit/workspace/WorkspaceManagerEx.h>

#include <afxpriv.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <testing/MemoryCanvas.h>
#include <testing/MessagePump.h>

using tarnwick::frames::SECAutoHideBar;
using tarnwick::frames::SECControlBar;
using tarnwick::frames::SECDockBar;
using tarnwick::frames::SECDockLayout;
using tarnwick::frames::SECDockPlacement;
using tarnwick::frames::SECFrameDocking;
using tarnwick::frames::SECFrameWnd;
using tarnwick::frames::SECMDIChildWnd;
using tarnwick::frames::SECMDIFrameWnd;
using tarnwick::frames::SECMsgFilter;
using tarnwick::frames::SECMultiDocTemplate;
using tarnwick::workspace::SECWorkspaceManagerEx;

namespace
{
std::vector<std::string> g_route;

constexpr UINT ID_CHILD_FIRST = 0x8101;
constexpr UINT ID_MANAGER_STOPS = 0x8102;
constexpr UINT ID_MANAGER_PASSES = 0x8103;
constexpr UINT ID_FRAME_ONLY = 0x8104;

// Answers what it is told for mouse moves, non-client buttons and the extended commands.
class ProbeFilter : public SECMsgFilter
{
    DECLARE_DYNCREATE(ProbeFilter)
public:
    DWORD m_dwAnswer = 0;
    LRESULT m_lResult = 0;
    DWORD FilterMessage(UINT, WPARAM, LPARAM, LRESULT* pResult) override
    {
        *pResult = m_lResult;
        return m_dwAnswer;
    }
};
IMPLEMENT_DYNCREATE(ProbeFilter, SECMsgFilter)

class TestFrame : public SECMDIFrameWnd
{
public:
    int m_nMouseMoves = 0;
    int m_nNcButtonDowns = 0;
    ProbeFilter* AddProbe()
    {
        return static_cast<ProbeFilter*>(GetMsgFilter().FindFilter(500, RUNTIME_CLASS(ProbeFilter), 0));
    }
    std::vector<UINT> FilterIDs()
    {
        std::vector<UINT> ids;
        for (INT_PTR i = 0; i < GetMsgFilter().GetChildCount(); ++i)
            ids.push_back(GetMsgFilter().GetChild(i)->GetID());
        return ids;
    }
    SECMsgFilter& Filters()
    {
        return GetMsgFilter();
    }

protected:
    afx_msg void OnMouseMove(UINT, CPoint)
    {
        ++m_nMouseMoves;
    }
    afx_msg void OnNcLButtonDown(UINT, CPoint)
    {
        ++m_nNcButtonDowns;
    }
    afx_msg void OnFrameCommand(UINT nID)
    {
        g_route.push_back("frame " + std::to_string(nID - ID_CHILD_FIRST));
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(TestFrame, SECMDIFrameWnd)
ON_WM_MOUSEMOVE()
ON_WM_NCLBUTTONDOWN()
ON_COMMAND_RANGE(ID_CHILD_FIRST, ID_FRAME_ONLY, OnFrameCommand)
END_MESSAGE_MAP()

class TestChild : public SECMDIChildWnd
{
protected:
    afx_msg void OnChildCommand()
    {
        g_route.push_back("child");
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(TestChild, SECMDIChildWnd)
ON_COMMAND(ID_CHILD_FIRST, OnChildCommand)
END_MESSAGE_MAP()

class TestManager : public SECWorkspaceManagerEx
{
    DECLARE_DYNCREATE(TestManager)
protected:
    afx_msg void OnStops()
    {
        g_route.push_back("manager stops");
        StopMsgProcessing();
    }
    afx_msg void OnPasses()
    {
        g_route.push_back("manager passes");
    }
    afx_msg void OnChildFirst()
    {
        g_route.push_back("manager sees the child's");
        StopMsgProcessing();
    }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(TestManager, SECWorkspaceManagerEx)
BEGIN_MESSAGE_MAP(TestManager, SECWorkspaceManagerEx)
ON_COMMAND(ID_CHILD_FIRST, OnChildFirst)
ON_COMMAND(ID_MANAGER_STOPS, OnStops)
ON_COMMAND(ID_MANAGER_PASSES, OnPasses)
END_MESSAGE_MAP()

class MDIFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_route.clear();
        m_pFrame = new TestFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, _T("Frames"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600)));
    }
    void TearDown() override
    {
        m_pFrame->DestroyWindow();
        PumpPendingMessages();
    }
    SECControlBar* MakeBar(DWORD dwStyle, UINT nID)
    {
        m_bars.push_back(std::make_unique<SECControlBar>());
        SECControlBar* pBar = m_bars.back().get();
        EXPECT_TRUE(pBar->Create(m_pFrame, _T("Bar"), WS_CHILD | WS_VISIBLE | dwStyle, 0, nID));
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        return pBar;
    }
    // The frame is hidden: the window's own flag.
    static bool IsShown(const CWnd* pWnd)
    {
        return (pWnd->GetStyle() & WS_VISIBLE) != 0;
    }
    CRect ClientRectOf(CWnd* pWnd) const
    {
        CRect rect;
        pWnd->GetWindowRect(&rect);
        m_pFrame->ScreenToClient(&rect);
        return rect;
    }
    TestFrame* m_pFrame = nullptr;
    // Bars go with their windows before the frame object goes.
    std::vector<std::unique_ptr<SECControlBar>> m_bars;
};

TEST_F(MDIFrameTest, EnableDockingMakesFourDockBarsEachWithAHiddenStrip)
{
    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    struct Side
    {
        UINT nID;
        DWORD dwAlign;
        bool bHorz;
    };
    const Side sides[] = {{AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP, true},
                          {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM, true},
                          {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT, false},
                          {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT, false}};
    // The dock bars in the frame's list of bars in the order of the sides.
    std::vector<UINT> dockBarOrder;
    for (POSITION pos = m_pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        auto* pBar = static_cast<CControlBar*>(m_pFrame->m_listControlBars.GetNext(pos));
        if (pBar->IsDockBar())
            dockBarOrder.push_back(static_cast<UINT>(pBar->GetDlgCtrlID()));
    }
    EXPECT_EQ(dockBarOrder, (std::vector<UINT>{AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                                               AFX_IDW_DOCKBAR_RIGHT}));
    for (const Side& side : sides)
    {
        auto* pDockBar = dynamic_cast<SECDockBar*>(m_pFrame->GetControlBar(side.nID));
        ASSERT_NE(pDockBar, nullptr) << side.nID;
        EXPECT_EQ(pDockBar->m_dwStyle & CBRS_ALIGN_ANY, side.dwAlign);
        SECAutoHideBar* pStrip = m_pFrame->GetAutoHideBar(side.dwAlign);
        ASSERT_NE(pStrip->m_hWnd, nullptr);
        EXPECT_EQ(pStrip->m_pDockBar, pDockBar);
        EXPECT_FALSE(IsShown(pStrip));
        EXPECT_GE(static_cast<UINT>(pStrip->GetDlgCtrlID()), 0x8000u);
        EXPECT_EQ(pStrip->m_fPctWidth, 1.0f);
        // 150 long across its side as docked, 24 thick.
        EXPECT_EQ(side.bHorz ? pStrip->m_szMRUHorzDock.cy : pStrip->m_szMRUVertDock.cx, 150);
        const CSize size = pStrip->CalcDynamicLayout(-1, side.bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK);
        EXPECT_EQ(side.bHorz ? size.cy : size.cx, SECAutoHideBar::THICKNESS);
    }
    // Hidden strips take no room: the MDI client fills the frame.
    m_pFrame->RecalcLayout();
    CRect rectClient;
    m_pFrame->GetClientRect(&rectClient);
    EXPECT_EQ(m_pFrame->GetDocking().GetRemainingClientRect(), rectClient);
    // A second call makes no more.
    const INT_PTR nBars = m_pFrame->m_listControlBars.GetCount();
    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    EXPECT_EQ(m_pFrame->m_listControlBars.GetCount(), nBars);
}

TEST_F(MDIFrameTest, DockControlBarSizedGivesTheBarItsLength)
{
    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    SECControlBar* pLandscape = MakeBar(CBRS_LEFT | CBRS_SIZE_DYNAMIC, 32775);
    SECControlBar* pOutput = MakeBar(CBRS_BOTTOM | CBRS_SIZE_DYNAMIC, 32776);
    m_pFrame->DockControlBarSized(pLandscape, AFX_IDW_DOCKBAR_LEFT, 0, 0, 1.0f, 250);
    m_pFrame->DockControlBarSized(pOutput, AFX_IDW_DOCKBAR_BOTTOM, 0, 0, 0.75f, 200);
    m_pFrame->RecalcLayout();

    EXPECT_EQ(pLandscape->m_pDockBar, m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_EQ(pOutput->m_pDockBar, m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_EQ(ClientRectOf(pLandscape).Width(), 250);
    EXPECT_EQ(ClientRectOf(pOutput).Height(), 200);
    // Both open the first row of their dock bar, before the hidden strip.
    auto* pLeft = static_cast<SECDockBar*>(m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_EQ(pLeft->FindBar(pLandscape), 1);
    EXPECT_EQ(pLeft->FindBar(m_pFrame->GetAutoHideBar(CBRS_ALIGN_LEFT)), 2);
    // The view's area is what the bars leave.
    const CRect& rectLeft = m_pFrame->GetDocking().GetRemainingClientRect();
    EXPECT_GE(rectLeft.left, 250);
    CRect rectClient;
    m_pFrame->GetClientRect(&rectClient);
    EXPECT_LE(rectLeft.bottom, rectClient.bottom - 200);
}

TEST_F(MDIFrameTest, NextDockPositionWalksTheCycleFromTheBottom)
{
    struct Step
    {
        UINT nDockBarID;
        SECDockPlacement flags;
    };
    // Row break, bottom, break, left, break, right; then bottom, left, right in one row.
    const Step steps[] = {
        {AFX_IDW_DOCKBAR_BOTTOM, {1, 1, 6}}, {AFX_IDW_DOCKBAR_LEFT, {1, 1, 7}}, {AFX_IDW_DOCKBAR_RIGHT, {1, 1, 6}},
        {AFX_IDW_DOCKBAR_BOTTOM, {0, 1, 2}}, {AFX_IDW_DOCKBAR_LEFT, {0, 1, 3}}, {AFX_IDW_DOCKBAR_RIGHT, {0, 1, 2}},
    };
    for (const Step& step : steps)
    {
        UINT nDockBarID = 0;
        SECDockPlacement flags{};
        SECDockLayout layout{};
        m_pFrame->NextDockPosition(nDockBarID, flags, layout);
        EXPECT_EQ(nDockBarID, step.nDockBarID);
        EXPECT_EQ(flags.nRow, step.flags.nRow);
        EXPECT_EQ(flags.nColumn, step.flags.nColumn);
        EXPECT_EQ(flags.nFlags, step.flags.nFlags);
        EXPECT_EQ(layout.fPercent, 1.0f);
        EXPECT_EQ(layout.nLength, 150);
    }
}

TEST_F(MDIFrameTest, ShowBarDelayedAtOnceOrNotAtAll)
{
    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    SECControlBar* pBar = MakeBar(CBRS_BOTTOM | CBRS_SIZE_DYNAMIC, 32776);
    m_pFrame->DockControlBarSized(pBar, AFX_IDW_DOCKBAR_BOTTOM, 0, 0, 1.0f, 200);
    m_pFrame->RecalcLayout();
    const int nBottom = m_pFrame->GetDocking().GetRemainingClientRect().bottom;

    // Unchanged: nothing to do.
    m_pFrame->m_nIdleFlags = 0;
    m_pFrame->ShowBar(pBar, TRUE, TRUE);
    EXPECT_EQ(m_pFrame->m_nIdleFlags, 0u);
    EXPECT_EQ(pBar->m_nStateFlags & (CControlBar::delayHide | CControlBar::delayShow), 0u);

    // Delayed: the window stays, the frame lays out when idle.
    m_pFrame->ShowBar(pBar, FALSE, TRUE);
    EXPECT_TRUE(IsShown(pBar));
    EXPECT_FALSE(pBar->IsVisible());
    EXPECT_EQ(m_pFrame->m_nIdleFlags & (CFrameWnd::idleLayout | CFrameWnd::idleNotify),
              static_cast<UINT>(CFrameWnd::idleLayout | CFrameWnd::idleNotify));

    // At once: hidden and laid out, so that the view takes the room.
    m_pFrame->ShowBar(pBar, FALSE, FALSE);
    EXPECT_FALSE(IsShown(pBar));
    EXPECT_EQ(pBar->m_nStateFlags & (CControlBar::delayHide | CControlBar::delayShow), 0u);
    EXPECT_GT(m_pFrame->GetDocking().GetRemainingClientRect().bottom, nBottom);
    m_pFrame->ShowBar(pBar, TRUE, FALSE);
    EXPECT_TRUE(IsShown(pBar));
    EXPECT_EQ(m_pFrame->GetDocking().GetRemainingClientRect().bottom, nBottom);
}

TEST_F(MDIFrameTest, CaptionRectangleLeavesRoomForTheCaptionButtons)
{
    const int cxSize = ::GetSystemMetrics(SM_CXSIZE);
    struct Case
    {
        DWORD dwStyle;
        CPoint ptInset;
        int nButtons;
        int nBorder;
    };
    const int cxFrame = ::GetSystemMetrics(SM_CXFRAME);
    const int cyFrame = ::GetSystemMetrics(SM_CYFRAME);
    const int cxBorder = ::GetSystemMetrics(SM_CXBORDER);
    const int cyBorder = ::GetSystemMetrics(SM_CYBORDER);
    const Case cases[] = {
        // Sizing frame; minimize, maximize and close.
        {WS_OVERLAPPEDWINDOW, CPoint(cxFrame, cyFrame), 3, cxBorder},
        // A thin frame with a system menu: close only.
        {WS_POPUP | WS_CAPTION | WS_SYSMENU, CPoint(cxBorder, cyBorder + 1), 1, 0},
        // No system menu: no buttons.
        {WS_POPUP | WS_CAPTION, CPoint(cxBorder, cyBorder + 1), 0, 0},
    };
    for (const Case& c : cases)
    {
        m_pFrame->ModifyStyle(WS_OVERLAPPEDWINDOW | WS_POPUP, c.dwStyle, SWP_FRAMECHANGED);
        CRect rectWindow;
        m_pFrame->GetWindowRect(&rectWindow);
        CRect rect;
        m_pFrame->CalcCaptionRect(rect);
        EXPECT_EQ(rect.TopLeft(), c.ptInset) << std::hex << c.dwStyle;
        EXPECT_EQ(rect.Height(), ::GetSystemMetrics(SM_CYSIZE));
        EXPECT_EQ(rect.right, rectWindow.Width() - c.ptInset.x - c.nButtons * cxSize - c.nBorder)
            << std::hex << c.dwStyle;
    }
}

TEST_F(MDIFrameTest, CaptionGradientFillsBandsInFixedPointSteps)
{
    struct Band
    {
        int x;
        COLORREF cr;
    };
    struct Case
    {
        int nWidth;
        COLORREF crFrom;
        COLORREF crTo;
        std::vector<Band> bands;
    };
    const COLORREF crUntouched = RGB(1, 2, 3);
    const Case cases[] = {
        // 120 bands of 2 pixels; blue steps half a unit.
        {240,
         RGB(0, 0, 0),
         RGB(240, 120, 60),
         {{0, RGB(0, 0, 0)}, {3, RGB(2, 1, 0)}, {4, RGB(4, 2, 1)}, {239, RGB(238, 119, 59)}}},
        // The last band reaches the right edge.
        {250,
         RGB(0, 0, 0),
         RGB(240, 120, 60),
         {{237, RGB(236, 118, 59)}, {238, RGB(238, 119, 59)}, {249, RGB(238, 119, 59)}}},
        // Fewer pixels than bands: one band a pixel, running down.
        {5, RGB(10, 0, 0), RGB(0, 0, 0), {{0, RGB(10, 0, 0)}, {1, RGB(8, 0, 0)}, {4, RGB(2, 0, 0)}}},
        // A caption without width draws nothing.
        {0, RGB(10, 0, 0), RGB(0, 0, 0), {{0, crUntouched}}},
        {-4, RGB(10, 0, 0), RGB(0, 0, 0), {{0, crUntouched}}},
    };
    for (const Case& c : cases)
    {
        MemoryCanvas canvas(300, 4, crUntouched);
        SECFrameDocking::FillGradient(canvas.Dc(), CRect(0, 0, c.nWidth, 4), c.crFrom, c.crTo);
        for (const Band& band : c.bands)
            EXPECT_EQ(canvas.Dc().GetPixel(band.x, 1), band.cr) << "width " << c.nWidth << " x " << band.x;
    }
}

TEST_F(MDIFrameTest, CaptionStyleAnswersThePreviousSetting)
{
    EXPECT_FALSE(m_pFrame->SetCaptionStyle(TRUE, FALSE));
    EXPECT_TRUE(m_pFrame->GetDocking().IsCaptionStyleOn());
    EXPECT_TRUE(m_pFrame->SetCaptionStyle(FALSE, TRUE));
    EXPECT_FALSE(m_pFrame->GetDocking().IsCaptionStyleOn());
    PumpPendingMessages();
}

TEST_F(MDIFrameTest, CommandsReachTheActiveChildTheWorkspaceManagerThenTheFrame)
{
    ASSERT_NE(m_pFrame->CreateWorkspaceManager(_T("Software\\Test"), TRUE, RUNTIME_CLASS(TestManager), FALSE), nullptr);
    auto* pChild = new TestChild;
    ASSERT_TRUE(pChild->Create(nullptr, _T("Sheet"), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                               CFrameWnd::rectDefault, m_pFrame));
    pChild->MDIActivate();
    ASSERT_EQ(m_pFrame->MDIGetActive(), pChild);

    struct Case
    {
        UINT nID;
        std::vector<std::string> route;
    };
    const Case cases[] = {
        {ID_CHILD_FIRST, {"child"}},
        {ID_MANAGER_STOPS, {"manager stops"}},
        {ID_MANAGER_PASSES, {"manager passes", "frame 2"}},
        {ID_FRAME_ONLY, {"frame 3"}},
    };
    for (const Case& c : cases)
    {
        g_route.clear();
        m_pFrame->SendMessage(WM_COMMAND, c.nID);
        EXPECT_EQ(g_route, c.route) << c.nID;
    }
}

TEST_F(MDIFrameTest, AClickIntoAnInactiveChildActivatesIt)
{
    auto* pFirst = new TestChild;
    auto* pSecond = new TestChild;
    for (TestChild* pChild : {pFirst, pSecond})
        ASSERT_TRUE(pChild->Create(nullptr, _T("Sheet"), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                   CFrameWnd::rectDefault, m_pFrame));
    pSecond->MDIActivate();
    ASSERT_EQ(m_pFrame->MDIGetActive(), pSecond);
    pFirst->SendMessage(WM_PARENTNOTIFY, WM_LBUTTONDOWN, MAKELPARAM(5, 5));
    EXPECT_EQ(m_pFrame->MDIGetActive(), pFirst);
    pSecond->SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(m_pFrame->m_hWnd),
                         MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(m_pFrame->MDIGetActive(), pSecond);
    // Other notices from its children leave it as it is.
    pFirst->SendMessage(WM_PARENTNOTIFY, WM_MOUSEMOVE, 0);
    EXPECT_EQ(m_pFrame->MDIGetActive(), pSecond);
}

TEST_F(MDIFrameTest, WorkspaceManagerIsMadeOnlyFromAWorkspaceManagerClass)
{
    EXPECT_EQ(m_pFrame->CreateWorkspaceManager(_T("Key"), TRUE, nullptr, FALSE), nullptr);
    EXPECT_EQ(m_pFrame->CreateWorkspaceManager(_T("Key"), TRUE, RUNTIME_CLASS(SECMsgFilter), FALSE), nullptr);
    auto* pManager = dynamic_cast<SECWorkspaceManagerEx*>(m_pFrame->CreateWorkspaceManager(
        _T("Software\\ZOL\\LumiterSAP\\v5.0"), TRUE, RUNTIME_CLASS(SECWorkspaceManagerEx), FALSE));
    ASSERT_NE(pManager, nullptr);
    EXPECT_EQ(m_pFrame->GetDocking().GetWorkspaceManager(), pManager);
    EXPECT_EQ(pManager->GetFrame(), m_pFrame);
    EXPECT_EQ(pManager->GetBaseKey(), CString(_T("Software\\ZOL\\LumiterSAP\\v5.0\\")));
    EXPECT_EQ(pManager->GetRootKey(), HKEY_CURRENT_USER);
    EXPECT_TRUE(pManager->IsRegistryMode());
}

TEST_F(MDIFrameTest, AFilterThatHandlesAMouseMessageKeepsItFromTheFrame)
{
    ProbeFilter* pProbe = m_pFrame->AddProbe();
    struct Case
    {
        DWORD dwAnswer;
        int nReached;
    };
    // Only the handled bit counts.
    const Case cases[] = {{0x0, 1}, {0x1, 0}, {0x8, 1}, {0x9, 0}};
    for (const Case& c : cases)
    {
        pProbe->m_dwAnswer = c.dwAnswer;
        m_pFrame->m_nMouseMoves = 0;
        m_pFrame->m_nNcButtonDowns = 0;
        m_pFrame->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
        m_pFrame->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(10, 10));
        EXPECT_EQ(m_pFrame->m_nMouseMoves, c.nReached) << c.dwAnswer;
        EXPECT_EQ(m_pFrame->m_nNcButtonDowns, c.nReached) << c.dwAnswer;
    }
}

// Takes the frame's mouse moves.
class MousePlugIn : public tarnwick::foundation::SECWndPlugIn
{
protected:
    afx_msg void OnMouseMove(UINT, CPoint)
    {
        StopMsgProcessing();
        SetMsgHandled(0);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(MousePlugIn, tarnwick::foundation::SECWndPlugIn)
ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

TEST_F(MDIFrameTest, TheMessagePlugInSeesMessagesFirst)
{
    auto* pPlugIn = new MousePlugIn;
    ASSERT_TRUE(pPlugIn->PlugInTo(m_pFrame));
    m_pFrame->GetDocking().SetMessagePlugIn(pPlugIn);
    m_pFrame->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    m_pFrame->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(10, 10));
    EXPECT_EQ(m_pFrame->m_nMouseMoves, 0);
    EXPECT_EQ(m_pFrame->m_nNcButtonDowns, 1);
}

TEST_F(MDIFrameTest, ExtendedSystemCommandsGoToTheFilters)
{
    ProbeFilter* pProbe = m_pFrame->AddProbe();
    pProbe->m_dwAnswer = 0xF;
    pProbe->m_lResult = 42;
    EXPECT_EQ(m_pFrame->SendMessage(tarnwick::frames::nsSysCommandEx::GetSysCommandExMessage(), 0xC010, 0), 42);
}

TEST_F(MDIFrameTest, PlainTemplatesInstallOnlyTheCommandAndDoubleClickFilters)
{
    using namespace tarnwick::frames;
    using namespace tarnwick::frames::nsSysCommandEx;
    EXPECT_EQ(m_pFrame->FilterIDs(), (std::vector<UINT>{257, 261}));
    EXPECT_TRUE(m_pFrame->Filters().GetChild(0)->IsKindOf(RUNTIME_CLASS(ScxMsgFilter)));
    EXPECT_TRUE(m_pFrame->Filters().GetChild(1)->IsKindOf(RUNTIME_CLASS(ScxNCRDBLClkMDIMaxChildMsgFilter)));

    // The caption buttons come with the row; the maximized child's button sits in it.
    m_pFrame->InstallFilters(TRUE);
    EXPECT_EQ(m_pFrame->FilterIDs(), (std::vector<UINT>{257, 261, 256}));
    SECMsgFilter* pRow = m_pFrame->Filters().FindFilter(256, nullptr, 0);
    EXPECT_TRUE(pRow->IsKindOf(RUNTIME_CLASS(SECCapConLstMDIMaxChildMsgFilter)));
    SECMsgFilter* pButton = pRow->FindFilter(260, nullptr, 0);
    ASSERT_NE(pButton, nullptr);
    EXPECT_TRUE(pButton->IsKindOf(RUNTIME_CLASS(ScxButtonMDIMaxChildMsgFilter)));
    m_pFrame->InstallFilters(FALSE);
    EXPECT_FALSE(pRow->IsEnabled());
}

class TestSDIFrame : public SECFrameWnd
{
protected:
    afx_msg void OnFrameCommand(UINT nID)
    {
        g_route.push_back("frame " + std::to_string(nID - ID_CHILD_FIRST));
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(TestSDIFrame, SECFrameWnd)
ON_COMMAND_RANGE(ID_CHILD_FIRST, ID_FRAME_ONLY, OnFrameCommand)
END_MESSAGE_MAP()

TEST(SDIFrameTest, DocksWithTheBarsSideAndRoutesCommandsThroughTheWorkspaceManager)
{
    g_route.clear();
    auto* pFrame = new TestSDIFrame;
    ASSERT_TRUE(pFrame->Create(nullptr, _T("Frame"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480)));
    pFrame->EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_RIGHT);
    EXPECT_NE(dynamic_cast<SECDockBar*>(pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP)), nullptr);
    EXPECT_NE(dynamic_cast<SECDockBar*>(pFrame->GetControlBar(AFX_IDW_DOCKBAR_RIGHT)), nullptr);
    EXPECT_EQ(pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT), nullptr);
    {
        // A top bar commits its length as its docked height, a right one as its width.
        SECControlBar top;
        SECControlBar right;
        ASSERT_TRUE(top.Create(pFrame, _T("Top"), WS_CHILD | WS_VISIBLE | CBRS_TOP, 0, 0x8201));
        ASSERT_TRUE(right.Create(pFrame, _T("Right"), WS_CHILD | WS_VISIBLE | CBRS_RIGHT, 0, 0x8202));
        for (SECControlBar* pBar : {&top, &right})
            pBar->EnableDocking(CBRS_ALIGN_ANY);
        pFrame->DockControlBarSized(&top, 0, 0, 0, 1.0f, 80);
        pFrame->DockControlBarSized(&right, AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f, 120);
        pFrame->RecalcLayout();
        EXPECT_EQ(top.m_pDockBar, pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
        EXPECT_EQ(top.m_szMRUHorzDock.cy, 80);
        EXPECT_EQ(right.m_szMRUVertDock.cx, 120);
        CRect rect;
        top.GetWindowRect(&rect);
        EXPECT_EQ(rect.Height(), 80);
        right.GetWindowRect(&rect);
        EXPECT_EQ(rect.Width(), 120);

        ASSERT_NE(pFrame->CreateWorkspaceManager(_T("Key"), TRUE, RUNTIME_CLASS(TestManager), FALSE), nullptr);
        for (UINT nID : {ID_MANAGER_STOPS, ID_MANAGER_PASSES, ID_FRAME_ONLY})
            pFrame->SendMessage(WM_COMMAND, nID);
        EXPECT_EQ(g_route, (std::vector<std::string>{"manager stops", "manager passes", "frame 2", "frame 3"}));
        pFrame->DestroyWindow();
    }
    PumpPendingMessages();
}

class DocumentFrameApp : public CWinApp
{
public:
    DocumentFrameApp() : CWinApp(_T("Frames"))
    {
    }
};

TEST(MDIFrameTemplateTest, ADockableTemplateSwitchesTheCaptionButtonsOn)
{
    DocumentFrameApp app;
    app.AddDocTemplate(
        new SECMultiDocTemplate(130, RUNTIME_CLASS(CDocument), RUNTIME_CLASS(SECMDIChildWnd), RUNTIME_CLASS(CView)));
    TestFrame frame;
    EXPECT_EQ(frame.FilterIDs(), (std::vector<UINT>{257, 256, 261}));
}
} // namespace
