// Rows of sizeable bars in a dock bar of a hidden frame: shares become rectangles, splitters
// part the bars and the rows, client edges close them.
#include <toolkit/foundation/AuxData.h>
#include <toolkit/frames/ControlBar.h>
#include <toolkit/frames/DockBar.h>
#include <toolkit/frames/DockBarSplitter.h>

#include <memory>
#include <vector>

#include <gtest/gtest.h>
#include <testing/MemoryCanvas.h>

#include "HiddenFrameTest.h"

using tarnwick::frames::SECControlBar;
using tarnwick::frames::SECDockBar;

namespace
{
class DockBarLayoutTest : public HiddenFrameTest
{
protected:
    void TearDown() override
    {
        m_bars.clear();
        m_dockBar.reset();
        HiddenFrameTest::TearDown();
    }
    SECDockBar& MakeDockBar(DWORD dwAlign, UINT nID)
    {
        m_dockBar = std::make_unique<SECDockBar>();
        EXPECT_TRUE(m_dockBar->Create(m_pFrame, WS_CHILD | WS_VISIBLE | dwAlign, nID));
        m_dockBar->m_rectLayout = CRect(0, 0, 600, 400);
        return *m_dockBar;
    }
    // A bottom dock bar as large as one row of bars needs.
    SECDockBar& MakeBottomDockBar()
    {
        SECDockBar& dockBar = MakeDockBar(CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM);
        dockBar.SetWindowPos(nullptr, 0, 0, 600, 192, SWP_NOZORDER | SWP_NOACTIVATE);
        return dockBar;
    }
    SECControlBar* AddBar(float fShare)
    {
        m_bars.push_back(std::make_unique<SECControlBar>());
        SECControlBar* pBar = m_bars.back().get();
        EXPECT_TRUE(pBar->Create(m_dockBar.get(), nullptr, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, 0,
                                 0xE900 + static_cast<UINT>(m_bars.size())));
        pBar->m_fPctWidth = fShare;
        pBar->m_pDockBar = m_dockBar.get();
        m_dockBar->m_arrBars.InsertAt(m_dockBar->m_arrBars.GetSize(), pBar);
        return pBar;
    }
    // A bar of the frame, docked only through the dock bar's operations.
    SECControlBar* AddFrameBar(float fShare, DWORD dwExStyle = 0)
    {
        m_bars.push_back(std::make_unique<SECControlBar>());
        SECControlBar* pBar = m_bars.back().get();
        EXPECT_TRUE(pBar->Create(m_pFrame, nullptr, WS_CHILD | WS_VISIBLE | CBRS_TOP, dwExStyle,
                                 0xE900 + static_cast<UINT>(m_bars.size())));
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        pBar->m_fPctWidth = fShare;
        return pBar;
    }
    std::vector<CRect> SplitterRects() const
    {
        std::vector<CRect> rects;
        for (int i = 0; i < m_dockBar->GetSplitterCount(); ++i)
            rects.push_back(m_dockBar->GetSplitter(i)->GetRect());
        return rects;
    }
    std::vector<CRect> EdgeRects() const
    {
        std::vector<CRect> rects;
        for (int i = 0; i < m_dockBar->GetClientEdgeCount(); ++i)
            rects.push_back(m_dockBar->GetClientEdge(i)->GetRect());
        return rects;
    }
    CRect BarRect(CControlBar* pBar) const
    {
        CRect rect;
        pBar->GetWindowRect(&rect);
        m_dockBar->ScreenToClient(&rect);
        return rect;
    }
    std::unique_ptr<SECDockBar> m_dockBar;
    std::vector<std::unique_ptr<SECControlBar>> m_bars;
};

TEST_F(DockBarLayoutTest, SharesOfABottomRowBecomeRectanglesAndTheLastTakesTheRemainder)
{
    SECDockBar& dockBar = MakeDockBar(CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM);
    SECControlBar* pA = AddBar(0.5f);
    SECControlBar* pB = AddBar(0.25f);
    SECControlBar* pC = AddBar(0.25f);
    dockBar.m_arrBars.Add(nullptr);
    const CSize size = dockBar.CalcFixedLayout(TRUE, TRUE);
    // 600 less two 6-pixel splitters leaves 588: 294, 147 and the rest.
    EXPECT_EQ(BarRect(pA), CRect(0, 7, 294, 187));
    EXPECT_EQ(BarRect(pB), CRect(300, 7, 447, 187));
    EXPECT_EQ(BarRect(pC), CRect(453, 7, 600, 187));
    EXPECT_EQ(size, CSize(600, 1 + 6 + 180 + 3 + 2));
    EXPECT_EQ(SplitterRects(),
              (std::vector<CRect>{CRect(0, 1, 600, 7), CRect(294, 7, 300, 187), CRect(447, 7, 453, 187)}));
    EXPECT_EQ(dockBar.GetSplitter(1)->GetRowIndex(), 1);
    EXPECT_TRUE(dockBar.GetSplitter(1)->IsVertical());
    EXPECT_FALSE(dockBar.GetSplitter(0)->IsVertical());
    EXPECT_EQ(EdgeRects(), std::vector<CRect>{CRect(0, 187, 600, 190)});
    // Another layout keeps the objects whose places stay.
    const SECDockBar::Splitter* pKept = dockBar.GetSplitter(1);
    dockBar.CalcFixedLayout(TRUE, TRUE);
    EXPECT_EQ(dockBar.GetSplitter(1), pKept);

    // A hidden bar leaves its share to the others and no splitter.
    pB->ShowWindow(SW_HIDE);
    dockBar.CalcFixedLayout(TRUE, TRUE);
    EXPECT_EQ(dockBar.GetSplitterCount(), 2);
    EXPECT_EQ(BarRect(pC).right, 600);
    EXPECT_EQ(BarRect(pA).Width() + 6 + BarRect(pC).Width(), 600);
}

TEST_F(DockBarLayoutTest, SplittersAndEdgesPerSide)
{
    const struct
    {
        DWORD dwAlign;
        UINT nID;
        CRect bar, splitter;
        std::vector<CRect> edges;
    } cases[] = {
        {CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP, {0, 3, 600, 183}, {0, 183, 600, 189}, {{0, 0, 600, 3}}},
        {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM, {0, 7, 600, 187}, {0, 1, 600, 7}, {{0, 187, 600, 190}}},
        {CBRS_ALIGN_LEFT,
         AFX_IDW_DOCKBAR_LEFT,
         {3, 0, 303, 400},
         {303, 0, 309, 400},
         {{0, 0, 3, 400}, {309, 0, 312, 400}}},
        {CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT, {7, 0, 307, 400}, {1, 0, 7, 400}, {{307, 0, 310, 400}}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nID);
        SECDockBar& dockBar = MakeDockBar(c.dwAlign, c.nID);
        SECControlBar* pBar = AddBar(1.0f);
        dockBar.m_arrBars.Add(nullptr);
        dockBar.CalcFixedLayout(TRUE, (c.dwAlign & CBRS_ORIENT_HORZ) != 0);
        EXPECT_EQ(BarRect(pBar), c.bar);
        EXPECT_EQ(SplitterRects(), std::vector<CRect>{c.splitter});
        EXPECT_EQ(EdgeRects(), c.edges);
        m_bars.clear();
    }
}

TEST_F(DockBarLayoutTest, SplitterDragsKeepBarsAndRowsAndEscapeMovesNothing)
{
    SECDockBar& dockBar = MakeBottomDockBar();
    SECControlBar* pA = AddBar(0.5f);
    SECControlBar* pB = AddBar(0.25f);
    SECControlBar* pC = AddBar(0.25f);
    dockBar.m_arrBars.Add(nullptr);
    dockBar.CalcFixedLayout(TRUE, TRUE);
    // The drag's messages wait in the queue for the drag loop.
    auto drag = [&](int nSplitter, CPoint from, CPoint to, UINT nEnd) {
        ::PostMessage(dockBar.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(to.x, to.y));
        if (nEnd == WM_KEYDOWN)
            ::PostMessage(dockBar.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
        else if (nEnd == WM_QUIT)
            ::PostQuitMessage(3);
        else
            ::PostMessage(dockBar.m_hWnd, nEnd, 0, MAKELPARAM(to.x, to.y));
        dockBar.TrackSplitter(dockBar.GetSplitter(nSplitter), from);
        dockBar.CalcFixedLayout(TRUE, TRUE);
    };

    for (UINT nCancel : {WM_KEYDOWN, WM_RBUTTONDOWN, WM_CANCELMODE, WM_QUIT})
    {
        drag(1, CPoint(297, 50), CPoint(590, 50), nCancel);
        EXPECT_EQ(BarRect(pA), CRect(0, 7, 294, 187)) << nCancel;
        EXPECT_EQ(BarRect(pB), CRect(300, 7, 447, 187)) << nCancel;
        EXPECT_EQ(::GetCapture(), nullptr);
    }
    // The quit that ended the drag is posted again for the application's loop.
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);

    // Dragged far right: the two bars after it keep 24 pixels each, and their splitter.
    drag(1, CPoint(297, 50), CPoint(590, 50), WM_LBUTTONUP);
    EXPECT_NEAR(BarRect(pA).right, 600 - 24 - 6 - 24 - 6, 1); // shares are whole pixels only after truncation
    EXPECT_GE(BarRect(pB).Width(), 24);
    EXPECT_GE(BarRect(pC).Width(), 24);
    EXPECT_EQ(BarRect(pC).right, 600);
    EXPECT_NEAR(pA->m_fPctWidth + pB->m_fPctWidth + pC->m_fPctWidth, 1.0f, 1e-4);

    // And far left: the bar before it keeps its 24.
    drag(1, CPoint(BarRect(pA).right + 3, 50), CPoint(-100, 50), WM_LBUTTONUP);
    EXPECT_EQ(BarRect(pA).Width(), 24);

    // The row splitter dragged down leaves the row 19 pixels.
    drag(0, CPoint(300, 4), CPoint(300, 400), WM_LBUTTONUP);
    EXPECT_EQ(BarRect(pA).Height(), 19);
    EXPECT_EQ(pB->m_szMRUHorzDock.cy, 19);

    // Dragged up, the row grows until the frame's client area keeps 19 pixels.
    drag(0, CPoint(300, 4), CPoint(300, -3000), WM_LBUTTONUP);
    CRect rectPane;
    m_pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rectPane);
    EXPECT_EQ(rectPane.Height(), 19);
}

TEST_F(DockBarLayoutTest, SplittersShowTheirCursorsAndDraw)
{
    SECDockBar& dockBar = MakeDockBar(CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM);
    AddBar(0.5f);
    AddBar(0.5f);
    dockBar.m_arrBars.Add(nullptr);
    dockBar.CalcFixedLayout(TRUE, TRUE);
    // The cursors come from the framework's resources.
    const HCURSOR hVertical = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(AFX_IDC_HSPLITBAR));
    const HCURSOR hHorizontal = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(AFX_IDC_VSPLITBAR));
    ASSERT_NE(hVertical, nullptr);
    ASSERT_NE(hHorizontal, nullptr);
    const struct
    {
        CPoint point;
        HCURSOR hCursor;
    } cases[] = {
        {{299, 50}, hVertical},
        {{100, 3}, hHorizontal},
        {{100, 50}, ::LoadCursor(nullptr, IDC_ARROW)},
    };
    for (const auto& c : cases)
    {
        ::SetCursor(nullptr);
        dockBar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(c.point.x, c.point.y));
        EXPECT_EQ(::GetCursor(), c.hCursor) << c.point.x << "," << c.point.y;
    }

    // Splitters and edges in the classic look.
    MemoryCanvas canvas(600, 200, RGB(1, 2, 3));
    dockBar.DoPaint(&canvas.Dc());
    EXPECT_EQ(canvas.Pixel(297, 50), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.Pixel(299, 50), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(canvas.Pixel(301, 50), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.Pixel(302, 50), ::GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(canvas.Pixel(100, 187), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.Pixel(100, 188), ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST_F(DockBarLayoutTest, FindInsertIndexAnswersTheBandAndPlaceOfADrop)
{
    SECDockBar& dockBar = MakeBottomDockBar();
    AddBar(0.5f);
    AddBar(0.25f);
    AddBar(0.25f);
    dockBar.m_arrBars.Add(nullptr);
    dockBar.CalcFixedLayout(TRUE, TRUE);
    const struct
    {
        int nLeft;
        CPoint centre;
        int nIndex;
    } cases[] = {
        {320, {400, 50}, 2},  // after the first bar, whose centre lies before the drop's left edge
        {10, {100, 50}, 1},   // at the row's start
        {590, {600, 50}, 4},  // after the row's last bar
        {320, {400, 300}, 5}, // beyond every row: the list's size
        {320, {400, -10}, 0}, // in front of every row
    };
    for (const auto& c : cases)
        EXPECT_EQ(dockBar.FindInsertIndex(CRect(c.nLeft, c.centre.y - 20, c.nLeft + 100, c.centre.y + 20), c.centre),
                  c.nIndex)
            << c.nLeft << "," << c.centre.y;
}

TEST_F(DockBarLayoutTest, DockingByRectanglePlaceAndPlaceholder)
{
    SECDockBar& dockBar = MakeBottomDockBar();
    SECControlBar* pA = AddFrameBar(0.5f);
    SECControlBar* pB = AddFrameBar(0.5f);
    SECControlBar* pC = AddFrameBar(0.25f);
    dockBar.DockControlBarEx(pA);
    dockBar.DockControlBarSizedAt(pB, 1, 0);
    // Docked bars take the dock bar's side and all borders, and live in it.
    EXPECT_EQ(pA->GetParent(), &dockBar);
    EXPECT_EQ(pA->m_pDockBar, &dockBar);
    EXPECT_EQ(pA->m_dwStyle & (CBRS_ALIGN_ANY | CBRS_BORDER_ANY | CBRS_FLOATING),
              DWORD(CBRS_ALIGN_BOTTOM | CBRS_BORDER_ANY));
    ASSERT_EQ(dockBar.m_arrBars.GetSize(), 4);
    EXPECT_EQ(dockBar.m_arrBars[2], pB);
    dockBar.CalcFixedLayout(TRUE, TRUE);

    // Dropped between A and B (screen coordinates): its centre lies in the row, its left edge
    // beyond A's centre.
    CRect rectDrop(320, 50, 420, 90);
    dockBar.ClientToScreen(&rectDrop);
    dockBar.DockControlBarEx(pC, &rectDrop);
    ASSERT_EQ(dockBar.m_arrBars.GetSize(), 5);
    EXPECT_EQ(dockBar.m_arrBars[2], pC);
    EXPECT_EQ(dockBar.m_arrBars[3], pB);

    // Dropped where it already is, it stays.
    dockBar.CalcFixedLayout(TRUE, TRUE);
    CRect rectHere;
    pC->GetWindowRect(&rectHere);
    rectHere.OffsetRect(2, 0);
    dockBar.DockControlBarEx(pC, &rectHere);
    EXPECT_EQ(dockBar.m_arrBars[2], pC);
    EXPECT_EQ(dockBar.m_arrBars.GetSize(), 5);

    // Taken out with a placeholder, it comes back to that place.
    dockBar.RemoveControlBar(pC, -1, 1);
    EXPECT_EQ(dockBar.FindBar(pC), -1);
    dockBar.ReDockControlBar(pC);
    EXPECT_EQ(dockBar.FindBar(pC), 2);
    EXPECT_EQ(dockBar.m_arrBars.GetSize(), 5);

    // From another dock bar: it leaves the old one.
    auto* pTop = new SECDockBar;
    ASSERT_TRUE(pTop->Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP));
    pTop->DockControlBarEx(pC);
    EXPECT_EQ(dockBar.FindBar(pC), -1);
    EXPECT_EQ(pTop->FindBar(pC), 1);
    EXPECT_TRUE(pC->m_dwStyle & CBRS_ALIGN_TOP);
    pTop->RemoveControlBar(pC);
    pC->m_pDockBar = nullptr;
    pTop->DestroyWindow();
}

TEST_F(DockBarLayoutTest, DockingAtAPlaceFitsTheRowWithTheNewBar)
{
    SECDockBar& dockBar = MakeDockBar(CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP);
    SECControlBar* pA = AddFrameBar(1.0f);
    SECControlBar* pB = AddFrameBar(0.25f);
    dockBar.DockControlBarSizedAt(pA, 0, 0);
    dockBar.DockControlBarSizedAt(pB, 1, 0);
    EXPECT_NEAR(pB->m_fPctWidth, 0.25f, 1e-4);
    EXPECT_NEAR(pA->m_fPctWidth, 0.75f, 1e-4);
    EXPECT_TRUE(pB->IsShareSettled());
}

TEST_F(DockBarLayoutTest, RowsOfFixedSizeBarsKeepTheirOffsets)
{
    SECDockBar& dockBar = MakeDockBar(CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP);
    SECControlBar* pA = AddFrameBar(1.0f, 0x4);
    SECControlBar* pB = AddFrameBar(1.0f, 0x4);
    SECControlBar* pWide = AddFrameBar(1.0f, 0x4 | 0x80);
    for (SECControlBar* pBar : {pA, pB, pWide})
        pBar->m_szMRUHorzDock = CSize(100, 30);
    dockBar.DockControlBarSizedAt(pA, 0, 0);
    dockBar.DockControlBarSizedAt(pB, 1, 0);
    dockBar.DockControlBarSizedAt(pWide, 0, 1);
    dockBar.CalcFixedLayout(TRUE, TRUE);
    EXPECT_EQ(BarRect(pA), CRect(0, 0, 100, 30));
    EXPECT_EQ(BarRect(pB), CRect(100, 0, 200, 30));
    EXPECT_EQ(BarRect(pWide), CRect(0, 30, 600, 60));
    EXPECT_TRUE(pA->m_dwExStyle & 0x8);
    // Put further along, a bar stays there; beyond the end it is pulled back in.
    pB->SetWindowPos(nullptr, 350, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dockBar.CalcFixedLayout(TRUE, TRUE);
    EXPECT_EQ(BarRect(pB), CRect(350, 0, 450, 30));
    pB->SetWindowPos(nullptr, 580, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dockBar.CalcFixedLayout(TRUE, TRUE);
    EXPECT_EQ(BarRect(pB), CRect(500, 0, 600, 30));
}

TEST_F(DockBarLayoutTest, ChangedBarsAreRepaintedOnceTheLayoutIsDone)
{
    SECDockBar& dockBar = MakeDockBar(CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP);
    SECControlBar* pA = AddFrameBar(1.0f);
    dockBar.DockControlBarEx(pA);
    m_pFrame->ShowWindow(SW_SHOWNA);
    m_pFrame->RecalcLayout();
    ASSERT_TRUE(dockBar.IsInRedrawList(pA));
    dockBar.RedrawChangedBars();
    EXPECT_FALSE(dockBar.IsInRedrawList(pA));
}

TEST_F(DockBarLayoutTest, InsertBarAtRectFindsTheRowOrMakesOne)
{
    SECDockBar& dockBar = MakeBottomDockBar();
    AddBar(0.5f);
    AddBar(0.5f);
    dockBar.m_arrBars.Add(nullptr);
    dockBar.CalcFixedLayout(TRUE, TRUE); // the row spans y 7 to 187
    SECControlBar* pX = AddFrameBar(1.0f);
    const struct
    {
        CRect rect;
        int nIndex;
        INT_PTR nSize;
    } cases[] = {
        {{10, 80, 110, 120}, 1, 5},  // in the row, before the first bar's centre
        {{400, 80, 500, 120}, 2, 5}, // before the second bar, whose centre lies beyond its left edge
        {{500, 80, 600, 120}, 3, 5}, // after both centres: the row's end
        {{10, -60, 110, -20}, 1, 6}, // before the row: a new first row
        {{10, 300, 110, 340}, 4, 6}, // beyond it: a new last row
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(dockBar.InsertBarAtRect(pX, c.rect, c.rect.CenterPoint()), c.nIndex) << c.rect.top;
        EXPECT_EQ(dockBar.m_arrBars.GetSize(), c.nSize) << c.rect.top;
        dockBar.RemoveControlBar(pX, -1, -1);
        EXPECT_EQ(dockBar.m_arrBars.GetSize(), 4);
    }
}

TEST_F(DockBarLayoutTest, FlatTabsWidenTopAndLeftDockBars)
{
    const int nGrow = SECGetAuxData()->bWin4 ? 2 : 1;
    const struct
    {
        DWORD dwAlign;
        UINT nID;
        int nGrow;
    } cases[] = {
        {CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP, nGrow},
        {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT, nGrow},
        {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM, 0},
    };
    for (const auto& c : cases)
    {
        SECDockBar& dockBar = MakeDockBar(c.dwAlign, c.nID);
        AddBar(1.0f);
        dockBar.m_arrBars.Add(nullptr);
        const bool bHorz = (c.dwAlign & CBRS_ORIENT_HORZ) != 0;
        const CSize sizePlain = dockBar.CalcFixedLayout(TRUE, bHorz);
        SECDockBar::SetFlatTabsFlag(TRUE);
        const CSize sizeFlat = dockBar.CalcFixedLayout(TRUE, bHorz);
        SECDockBar::SetFlatTabsFlag(FALSE);
        EXPECT_EQ(bHorz ? sizeFlat.cy - sizePlain.cy : sizeFlat.cx - sizePlain.cx, c.nGrow) << c.nID;
        m_bars.clear();
    }
}

TEST_F(DockBarLayoutTest, MenuKeysInADockedBarGoToTheFrame)
{
    SECDockBar& dockBar = MakeDockBar(CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP);
    MSG msg{dockBar.m_hWnd, WM_SYSCHAR, 'f', 0, 0, {0, 0}};
    EXPECT_TRUE(dockBar.PreTranslateMessage(&msg));
    MSG posted{};
    ASSERT_TRUE(::PeekMessage(&posted, m_pFrame->m_hWnd, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE));
    EXPECT_EQ(posted.wParam, WPARAM(SC_KEYMENU));
    EXPECT_EQ(posted.lParam, LPARAM('f'));
}

TEST_F(DockBarLayoutTest, EmptyDockBarTakesNoSpace)
{
    SECDockBar& dockBar = MakeDockBar(CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(dockBar.CalcFixedLayout(TRUE, TRUE).cy, 0);
}
} // namespace
