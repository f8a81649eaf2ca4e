// Dragging, floating, docking back and sizing toolkit bars in a shown frame under the null
// driver; every modal loop gets its input posted before it starts.
#include <toolkit/bars/StatusBar.h>
#include <toolkit/frames/ControlBar.h>
#include <toolkit/frames/DockBar.h>
#include <toolkit/frames/DockContext.h>
#include <toolkit/frames/MiniDockFrameWnd.h>

#include <memory>
#include <vector>

#include <gtest/gtest.h>
#include <testing/MessagePump.h>

#include "HiddenFrameTest.h"

using tarnwick::bars::SECStatusBar;
using tarnwick::frames::SECControlBar;
using tarnwick::frames::SECDockBar;
using tarnwick::frames::SECDockContext;
using tarnwick::frames::SECMiniDockFrameWnd;

namespace
{
// A frame with toolkit dock bars on its four sides that docks into them by rectangle, as the
// toolkit's frames do, and floats bars in toolkit floating frames.
class DockingFrame : public CFrameWnd
{
public:
    DockingFrame()
    {
        m_pFloatingFrameClass = RUNTIME_CLASS(SECMiniDockFrameWnd);
    }
    void EnableToolkitDocking()
    {
        for (const auto& [nID, dwStyle] : {std::pair{AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
                                          {AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM},
                                          {AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
                                          {AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT}})
        {
            auto* pDockBar = new SECDockBar;
            pDockBar->m_bAutoDelete = TRUE;
            ASSERT_TRUE(pDockBar->Create(this, WS_CHILD | WS_VISIBLE | dwStyle, nID));
        }
    }
    using CFrameWnd::DockControlBar;
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) override
    {
        if (auto* pToolkitDockBar = DYNAMIC_DOWNCAST(SECDockBar, pDockBar))
            pToolkitDockBar->DockControlBarEx(pBar, lpRect);
        else
            CFrameWnd::DockControlBar(pBar, pDockBar, lpRect);
    }
    // The status line's text each time a posted WM_APP reaches the frame.
    std::vector<CString> m_statusTexts;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_APP)
            return CFrameWnd::WindowProc(message, wParam, lParam);
        auto* pStatus = static_cast<SECStatusBar*>(GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE));
        m_statusTexts.push_back(pStatus != nullptr ? pStatus->GetPaneText(0) : CString());
        return 0;
    }
};

class DockContextTest : public HiddenFrameTest
{
protected:
    CFrameWnd* NewFrame() override
    {
        return new DockingFrame;
    }
    void SetUp() override
    {
        HiddenFrameTest::SetUp();
        Frame().EnableToolkitDocking();
        m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        m_pOutput = std::make_unique<SECControlBar>();
        ASSERT_TRUE(m_pOutput->Create(m_pFrame, _T("Output"), 0x10008204, 0x10F31, 32776));
        m_pOutput->EnableDocking(CBRS_ALIGN_ANY);
        Frame().DockControlBar(m_pOutput.get(), AFX_IDW_DOCKBAR_BOTTOM);
        m_pFrame->RecalcLayout();
    }
    void TearDown() override
    {
        m_pOutput.reset();
        HiddenFrameTest::TearDown();
    }
    DockingFrame& Frame()
    {
        return *static_cast<DockingFrame*>(m_pFrame);
    }
    CDockBar* DockBar(UINT nID)
    {
        return static_cast<CDockBar*>(m_pFrame->GetControlBar(nID));
    }
    // Posts a mouse message at a screen point to the bar, which holds the capture.
    void PostMouse(UINT message, CPoint ptScreen)
    {
        m_pOutput->ScreenToClient(&ptScreen);
        m_pOutput->PostMessage(message, message == WM_MOUSEMOVE ? MK_LBUTTON : 0,
                               MAKELPARAM(static_cast<WORD>(ptScreen.x), static_cast<WORD>(ptScreen.y)));
    }
    // Drags the bar from ptFrom to ptTo with the keys posted first.
    void Drag(CPoint ptFrom, CPoint ptTo, std::initializer_list<MSG> before = {}, bool bRelease = true)
    {
        for (const MSG& msg : before)
            m_pOutput->PostMessage(msg.message, msg.wParam, msg.lParam);
        PostMouse(WM_MOUSEMOVE, ptTo);
        if (bRelease)
            PostMouse(WM_LBUTTONUP, ptTo);
        m_pOutput->m_pDockContext->StartDrag(ptFrom);
    }
    CPoint BarPoint()
    {
        CRect rect;
        m_pOutput->GetWindowRect(&rect);
        return rect.CenterPoint();
    }
    UINT DockBarID()
    {
        return m_pOutput->m_pDockBar != nullptr ? static_cast<UINT>(m_pOutput->m_pDockBar->GetDlgCtrlID()) : 0;
    }
    CPoint LeftDockBarPoint()
    {
        CRect rect;
        DockBar(AFX_IDW_DOCKBAR_LEFT)->GetWindowRect(&rect);
        return CPoint(rect.left, rect.top + 150);
    }
    std::unique_ptr<SECControlBar> m_pOutput;
};

MSG Key(UINT message, WPARAM nKey)
{
    MSG msg{};
    msg.message = message;
    msg.wParam = nKey;
    return msg;
}

TEST_F(DockContextTest, DraggedToMidScreenFloatsInAToolkitFrameAndDocksBackOnTheLeft)
{
    ASSERT_EQ(DockBarID(), AFX_IDW_DOCKBAR_BOTTOM);
    const CPoint ptFrom = BarPoint();
    Drag(ptFrom, ptFrom + CSize(200, -250));
    ASSERT_TRUE(m_pOutput->IsFloating());
    CFrameWnd* pFloating = m_pOutput->GetParentFrame();
    ASSERT_TRUE(pFloating->IsKindOf(RUNTIME_CLASS(SECMiniDockFrameWnd)));
    CString strTitle;
    pFloating->GetWindowText(strTitle);
    EXPECT_EQ(strTitle, CString(_T("Output")));
    EXPECT_EQ(::GetCapture(), nullptr);

    Drag(BarPoint(), LeftDockBarPoint());
    EXPECT_EQ(DockBarID(), AFX_IDW_DOCKBAR_LEFT);
    EXPECT_FALSE(m_pOutput->IsFloating());
}

TEST_F(DockContextTest, TheStatusLineAsksForCtrlDuringTheDragAndIsReadyAfter)
{
    CWinApp app(_T("Docking"));
    app.m_pMainWnd = m_pFrame;
    SECStatusBar status;
    const UINT indicator = 0; // the message pane
    ASSERT_TRUE(status.Create(m_pFrame));
    ASSERT_TRUE(status.SetIndicators(&indicator, 1));
    // The idle prompt that the frame posted when it was made goes first.
    PumpPendingMessages();
    // Read while the drag's loop runs.
    m_pFrame->PostMessage(WM_APP);
    const CPoint ptFrom = BarPoint();
    Drag(ptFrom, ptFrom + CSize(200, -250));
    app.m_pMainWnd = nullptr;
    ASSERT_EQ(Frame().m_statusTexts.size(), 1u);
    EXPECT_EQ(Frame().m_statusTexts[0], CString(_T("Press the Ctrl key to prevent docking.")));
    EXPECT_EQ(status.GetPaneText(0), CString(_T("Ready")));
}

TEST_F(DockContextTest, EscapeTheRightButtonAndCtrlKeepTheBarFromDocking)
{
    const CPoint ptFrom = BarPoint();
    Drag(ptFrom, LeftDockBarPoint(), {Key(WM_KEYDOWN, VK_ESCAPE)}, false);
    EXPECT_EQ(DockBarID(), AFX_IDW_DOCKBAR_BOTTOM);
    Drag(ptFrom, LeftDockBarPoint(), {Key(WM_RBUTTONDOWN, 0)}, false);
    EXPECT_EQ(DockBarID(), AFX_IDW_DOCKBAR_BOTTOM);
    EXPECT_EQ(::GetCapture(), nullptr);

    Drag(ptFrom, LeftDockBarPoint(), {Key(WM_KEYDOWN, VK_CONTROL)});
    EXPECT_TRUE(m_pOutput->IsFloating());
}

TEST_F(DockContextTest, AFloatingBarDocksOnlyOnceMovedFivePixels)
{
    // Floating over the left dock bar, the mouse on that dock bar's edge.
    const CPoint ptLeft = LeftDockBarPoint();
    m_pFrame->FloatControlBar(m_pOutput.get(), ptLeft - CSize(20, 20));
    ASSERT_TRUE(m_pOutput->IsFloating());
    Drag(ptLeft, ptLeft + CSize(3, 1));
    EXPECT_TRUE(m_pOutput->IsFloating());
    Drag(ptLeft, ptLeft + CSize(4, 1));
    EXPECT_FALSE(m_pOutput->IsFloating());
    EXPECT_EQ(DockBarID(), AFX_IDW_DOCKBAR_LEFT);
}

TEST_F(DockContextTest, DoubleClickTogglesBetweenTheDockBarAndTheFloatingFrame)
{
    m_pOutput->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(100, 40));
    ASSERT_TRUE(m_pOutput->IsFloating());
    CFrameWnd* pFloating = m_pOutput->GetParentFrame();
    // The floating frame moves and closes only.
    const HMENU hSysMenu = ::GetSystemMenu(pFloating->m_hWnd, FALSE);
    for (UINT nCommand : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE})
        EXPECT_EQ(::GetMenuState(hSysMenu, nCommand, MF_BYCOMMAND), static_cast<UINT>(-1)) << nCommand;

    // Closing the frame hides the bar; showing the bar shows the same frame.
    pFloating->SendMessage(WM_CLOSE);
    EXPECT_FALSE(m_pOutput->IsWindowVisible());
    m_pFrame->ShowControlBar(m_pOutput.get(), TRUE, FALSE);
    EXPECT_EQ(m_pOutput->GetParentFrame(), pFloating);
    EXPECT_TRUE(pFloating->IsWindowVisible());

    m_pOutput->m_pDockContext->ToggleDocking();
    EXPECT_EQ(DockBarID(), AFX_IDW_DOCKBAR_BOTTOM);
}

// A dock context that notes the drags it is asked to start instead of running them.
class DragCounter : public SECDockContext
{
public:
    using SECDockContext::SECDockContext;
    void StartDrag(CPoint) override
    {
        ++m_nDrags;
    }
    int m_nDrags = 0;
};

TEST_F(DockContextTest, OnlyTheCaptionOfAFrameOfOneBarDragsIt)
{
    for (const DWORD dwMulti : {0ul, static_cast<DWORD>(CBRS_FLOAT_MULTI)})
    {
        auto* pCounter = new DragCounter(m_pOutput.get());
        delete m_pOutput->m_pDockContext;
        m_pOutput->m_pDockContext = pCounter;
        m_pFrame->FloatControlBar(m_pOutput.get(), CPoint(300, 200), CBRS_ALIGN_TOP | dwMulti);
        CFrameWnd* pFloating = m_pOutput->GetParentFrame();
        ASSERT_TRUE(pFloating->IsKindOf(RUNTIME_CLASS(SECMiniDockFrameWnd)));
        // Released first: a caption left to the system moves the window only while pressed.
        pFloating->PostMessage(WM_LBUTTONUP);
        pFloating->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(310, 205));
        PumpPendingMessages();
        EXPECT_EQ(pCounter->m_nDrags, dwMulti ? 0 : 1) << "multi " << dwMulti;
        m_pFrame->DockControlBar(m_pOutput.get(), AFX_IDW_DOCKBAR_BOTTOM);
    }
}

TEST_F(DockContextTest, AllowDockingOffFloatsTheBarAndRefusesDocking)
{
    m_pOutput->SendMessage(WM_COMMAND, tarnwick::frames::ID_SEC_ALLOW_DOCKING);
    ASSERT_TRUE(m_pOutput->IsFloating());
    EXPECT_EQ(m_pOutput->m_dwDockStyle & CBRS_ALIGN_ANY, 0u);
    Drag(BarPoint(), LeftDockBarPoint());
    EXPECT_TRUE(m_pOutput->IsFloating());
    m_pOutput->m_pDockContext->ToggleDocking();
    EXPECT_TRUE(m_pOutput->IsFloating());

    m_pOutput->SendMessage(WM_COMMAND, tarnwick::frames::ID_SEC_ALLOW_DOCKING);
    EXPECT_EQ(m_pOutput->m_dwDockStyle & CBRS_ALIGN_ANY, static_cast<DWORD>(CBRS_ALIGN_ANY));
    Drag(BarPoint(), LeftDockBarPoint());
    EXPECT_EQ(DockBarID(), AFX_IDW_DOCKBAR_LEFT);
}

TEST_F(DockContextTest, AFloatingSizeableBarKeepsTheFramesMinimumWidth)
{
    m_pFrame->FloatControlBar(m_pOutput.get(), CPoint(300, 200));
    CFrameWnd* pFloating = m_pOutput->GetParentFrame();
    CRect rect;
    pFloating->GetWindowRect(&rect);
    const CPoint ptEdge(rect.right - 1, rect.CenterPoint().y);
    PostMouse(WM_MOUSEMOVE, ptEdge - CSize(rect.Width() - 10, 0));
    PostMouse(WM_LBUTTONUP, ptEdge - CSize(rect.Width() - 10, 0));
    m_pOutput->m_pDockContext->StartResize(HTRIGHT, ptEdge);
    pFloating = m_pOutput->GetParentFrame();
    pFloating->GetWindowRect(&rect);
    const auto* pContext = static_cast<SECDockContext*>(m_pOutput->m_pDockContext);
    EXPECT_GE(rect.Width(), pContext->GetMinFrameSize().cx);
    EXPECT_EQ(pContext->GetMinFrameSize().cx, ::GetSystemMetrics(SM_CXMENUSIZE) +
                                                  2 * (::GetSystemMetrics(SM_CXFRAME) + ::GetSystemMetrics(SM_CXBORDER)));
}

TEST_F(DockContextTest, LandingOutlines)
{
    // A bar of share 1.0 in the top row; Output, also 1.0, is dragged over it.
    SECControlBar landscape;
    ASSERT_TRUE(landscape.Create(m_pFrame, _T("SAP Landscape"), 0x10002204, 0x10F31, 32775));
    landscape.EnableDocking(CBRS_ALIGN_ANY);
    Frame().DockControlBar(&landscape, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->RecalcLayout();
    auto* pTop = static_cast<SECDockBar*>(DockBar(AFX_IDW_DOCKBAR_TOP));
    CRect rectTop, rectRow;
    pTop->GetWindowRect(&rectTop);
    landscape.GetWindowRect(&rectRow);
    m_pOutput->m_fPctWidth = 1.0f;
    landscape.m_fPctWidth = 1.0f;
    const int nThickness = std::max(landscape.CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK).cy,
                                    m_pOutput->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK).cy);

    const CRect rectDrag(rectRow.left + 100, rectRow.top + 10, rectRow.left + 500, rectRow.top + 110);
    const CPoint ptMouse(rectDrag.left + 100, rectDrag.top + 50);
    int nRow = -1;
    CRect rectLast;
    CPoint ptLast;
    const CRect rectHalf = pTop->CalcDragDockRect(m_pOutput.get(), rectDrag, ptMouse, &nRow, &rectLast, &ptLast);
    EXPECT_EQ(rectHalf.Width(), rectTop.Width() / 2);
    EXPECT_EQ(rectHalf.Height(), nThickness);
    // The mouse keeps its relative place: a quarter along, half across.
    EXPECT_NEAR(ptMouse.x - rectHalf.left, rectHalf.Width() / 4, 1);
    EXPECT_NEAR(ptMouse.y - rectHalf.top, rectHalf.Height() / 2, 1);
    EXPECT_EQ(nRow, 1);

    // Over the same row the outline only moves with the mouse.
    const CRect rectMoved =
        pTop->CalcDragDockRect(m_pOutput.get(), rectDrag + CPoint(7, 3), ptMouse + CSize(7, 3), &nRow, &rectLast, &ptLast);
    EXPECT_EQ(rectMoved, rectHalf + CPoint(7, 3));

    // A fixed-size bar keeps its own rectangle.
    nRow = -1;
    m_pOutput->m_dwExStyle |= tarnwick::frames::CBRS_EX_FIXEDSIZE;
    EXPECT_EQ(pTop->CalcDragDockRect(m_pOutput.get(), rectDrag, ptMouse, &nRow, &rectLast, &ptLast), rectDrag);
    m_pOutput->m_dwExStyle &= ~tarnwick::frames::CBRS_EX_FIXEDSIZE;

    // Beyond the last row a new row spans the dock bar.
    nRow = -1;
    const CRect rectBelow = rectDrag + CPoint(0, rectRow.Height() + 200);
    const CRect rectNewRow = pTop->CalcDragDockRect(m_pOutput.get(), rectBelow, rectBelow.CenterPoint(), &nRow,
                                                    &rectLast, &ptLast);
    EXPECT_EQ(rectNewRow, CRect(rectTop.left, rectBelow.top, rectTop.right, rectBelow.bottom));
    landscape.DestroyWindow();
}
} // namespace
