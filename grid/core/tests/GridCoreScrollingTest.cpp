#include "GridTestSupport.h"

#include <grid/core/Data.h>
#include <grid/core/GridParam.h>

#include <gtest/gtest.h>

namespace
{
// A grid that counts the scrolling hooks and may refuse a new top row.
class ScrollGrid : public TestGrid
{
public:
    BOOL CanChangeTopRow(ROWCOL /*nRow*/) override
    {
        ++m_nAsked;
        return m_bAllow;
    }
    void OnTopRowChanged() override
    {
        ++m_nChanged;
    }

    BOOL m_bAllow = TRUE;
    int m_nAsked = 0;
    int m_nChanged = 0;
};

// A hidden 300-by-200 grid of 100 rows and 3 columns, the first two rows frozen; the window
// has both scroll-bar styles when asked.
class GridCoreScrollingTest : public GridWindowTest
{
protected:
    void Create(DWORD dwStyle = 0, ROWCOL nRows = 100)
    {
        m_grid.CreateHidden(&Parent(), CRect(0, 0, 300, 200), dwStyle);
        m_grid.GetData()->SetRowCount(nRows);
        m_grid.GetData()->SetColCount(3);
        m_grid.GetParam()->m_nFrozenRows = 2;
        m_grid.SetTopRow(3, 0, FALSE);
    }
    void TearDown() override
    {
        if (m_grid.GetSafeHwnd() != nullptr)
            m_grid.DestroyWindow();
    }
    // The pixels that rows 0 to the frozen rows and then nFrom .. nTo take.
    int HeightWithFrozen(ROWCOL nFrom, ROWCOL nTo)
    {
        return m_grid.CalcSumOfRowHeights(0, 2) + m_grid.CalcSumOfRowHeights(nFrom, nTo);
    }
    int GridHeight()
    {
        CRect rect;
        m_grid.GetGridRect(&rect);
        return rect.Height();
    }
    // The first top row from which every row to the end fits the grid.
    ROWCOL LastUsefulTop()
    {
        ROWCOL nTop = m_grid.GetRowCount();
        while (nTop > 3 && HeightWithFrozen(nTop - 1, m_grid.GetRowCount()) <= GridHeight())
            --nTop;
        return nTop;
    }
    BOOL HasStyle(DWORD dwStyle)
    {
        return (m_grid.GetStyle() & dwStyle) != 0;
    }

    ScrollGrid m_grid;
};
} // namespace

TEST_F(GridCoreScrollingTest, TheTopRowStaysBetweenTheFrozenRowsAndTheCount)
{
    Create();
    m_grid.SetTopRow(1, 0, FALSE);
    EXPECT_EQ(m_grid.GetTopRow(), 3u);
    m_grid.SetTopRow(500, 0, FALSE);
    EXPECT_EQ(m_grid.GetTopRow(), 100u);
    m_grid.SetTopRow(0, 0, FALSE);
    EXPECT_EQ(m_grid.GetTopRow(), 3u);
    EXPECT_EQ(m_grid.m_nChanged, 4); // the fixture's own call included

    // While printing only the print-time top row moves.
    m_grid.SetPrinting(TRUE);
    m_grid.SetTopRow(40, 0, FALSE);
    EXPECT_EQ(m_grid.GetTopRow(), 40u);
    m_grid.SetPrinting(FALSE);
    EXPECT_EQ(m_grid.GetTopRow(), 3u);
}

TEST_F(GridCoreScrollingTest, ARefusedTopRowChangesNothing)
{
    Create();
    m_grid.m_bAllow = FALSE;
    m_grid.m_nChanged = 0;
    for (const UINT flags : {0u, GX_INVALIDATE, GX_UPDATENOW, GX_UPDATEONPRESS})
    {
        m_grid.SetTopRow(20, flags, TRUE);
        EXPECT_EQ(m_grid.GetTopRow(), 3u) << flags;
    }
    EXPECT_FALSE(m_grid.DoScroll(3, 5));
    EXPECT_EQ(m_grid.GetTopRow(), 3u);
    EXPECT_EQ(m_grid.m_nChanged, 0);
    EXPECT_GT(m_grid.m_nAsked, 0);
}

TEST_F(GridCoreScrollingTest, ScrollingStopsAtTheFrozenRowsAndAtTheLastUsefulRow)
{
    Create();
    m_grid.m_nChanged = 0;
    EXPECT_FALSE(m_grid.DoScroll(1, 1)); // already at the first scrollable row
    EXPECT_EQ(m_grid.m_nChanged, 0);

    EXPECT_TRUE(m_grid.DoScroll(3, 4));
    EXPECT_EQ(m_grid.GetTopRow(), 7u);
    EXPECT_TRUE(m_grid.DoScroll(1, 10));
    EXPECT_EQ(m_grid.GetTopRow(), 3u);

    const ROWCOL nLastUseful = LastUsefulTop();
    ASSERT_GT(nLastUseful, 3u);
    EXPECT_TRUE(m_grid.DoScroll(3, 1000));
    EXPECT_EQ(m_grid.GetTopRow(), nLastUseful);
    EXPECT_FALSE(m_grid.DoScroll(3, 1));
    EXPECT_EQ(m_grid.m_nChanged, 3);
    EXPECT_FALSE(m_grid.IsScrolling());

    // A move by the scroll-bar messages.
    m_grid.SetTopRow(3, 0, FALSE);
    m_grid.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0));
    EXPECT_EQ(m_grid.GetTopRow(), 4u);
    m_grid.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 50));
    EXPECT_EQ(m_grid.GetTopRow(), 50u);
    m_grid.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0));
    EXPECT_EQ(m_grid.GetTopRow(), nLastUseful);
    m_grid.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_TOP, 0));
    EXPECT_EQ(m_grid.GetTopRow(), 3u);
    // A page down shows the row after the last whole one on top; a page up goes back.
    BOOL bPartial = FALSE;
    ROWCOL nLast = m_grid.GetLastVisibleRow(&bPartial);
    if (bPartial)
        --nLast;
    m_grid.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0));
    EXPECT_EQ(m_grid.GetTopRow(), nLast + 1);
    m_grid.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_PAGEUP, 0));
    EXPECT_EQ(m_grid.GetTopRow(), 3u);
    // During a paint pass the messages are ignored.
    m_grid.m_nDrawingDepth = 1;
    m_grid.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0));
    m_grid.m_nDrawingDepth = 0;
    EXPECT_EQ(m_grid.GetTopRow(), 3u);
}

TEST_F(GridCoreScrollingTest, ColumnsScrollAsTheTwinsOfRows)
{
    Create();
    m_grid.GetData()->SetColCount(30);
    m_grid.SetLeftCol(0, 0, FALSE);
    EXPECT_EQ(m_grid.GetLeftCol(), 1u);
    EXPECT_TRUE(m_grid.DoScroll(4, 2));
    EXPECT_EQ(m_grid.GetLeftCol(), 3u);
    m_grid.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINELEFT, 0));
    EXPECT_EQ(m_grid.GetLeftCol(), 2u);
    EXPECT_TRUE(m_grid.DoScroll(2, 5));
    EXPECT_EQ(m_grid.GetLeftCol(), 1u);
    EXPECT_FALSE(m_grid.DoScroll(2, 1));
}

TEST_F(GridCoreScrollingTest, ACellComesIntoViewOnlyWhenItIsOutOfView)
{
    Create();
    EXPECT_FALSE(m_grid.ScrollCellInView(1, 1)); // frozen
    EXPECT_FALSE(m_grid.ScrollCellInView(4, 1)); // inside the view
    EXPECT_EQ(m_grid.GetTopRow(), 3u);

    // A row below the view becomes the last whole row.
    ASSERT_TRUE(m_grid.ScrollCellInView(30, 1));
    const ROWCOL nTop = m_grid.GetTopRow();
    EXPECT_LE(HeightWithFrozen(nTop, 30), GridHeight());
    EXPECT_GT(HeightWithFrozen(nTop - 1, 30), GridHeight());

    // A row past the end shows the last row at the bottom.
    ASSERT_TRUE(m_grid.ScrollCellInView(5000, 1));
    EXPECT_EQ(m_grid.GetTopRow(), LastUsefulTop());

    // A row above the view becomes the top row.
    EXPECT_TRUE(m_grid.ScrollCellInView(10, 1));
    EXPECT_EQ(m_grid.GetTopRow(), 10u);

    // The skip flag holds off the next call only.
    EXPECT_FALSE(m_grid.SetSkipScrollInView(TRUE));
    EXPECT_FALSE(m_grid.ScrollCellInView(60, 1));
    EXPECT_EQ(m_grid.GetTopRow(), 10u);
    EXPECT_FALSE(m_grid.GetSkipScrollInView());
    EXPECT_TRUE(m_grid.ScrollCellInView(60, 1));
}

TEST_F(GridCoreScrollingTest, TheLastRowThatFitsDoesNotScroll)
{
    Create(0, 5);
    EXPECT_FALSE(m_grid.ScrollCellInView(5, 1));
    EXPECT_EQ(m_grid.GetTopRow(), 3u);
}

TEST_F(GridCoreScrollingTest, ScrollBarValuesAreScaledBelow32768)
{
    Create(WS_VSCROLL | WS_HSCROLL);
    m_grid.SetScrollBarMode(SB_VERT, 1, FALSE);
    m_grid.SetScrollRange(SB_VERT, 1, 100000, FALSE);
    EXPECT_EQ(m_grid.GetScrollScale(SB_VERT), 4);
    int nMin = 0;
    int nMax = 0;
    ::GetScrollRange(m_grid.GetSafeHwnd(), SB_VERT, &nMin, &nMax);
    EXPECT_EQ(nMin, 1);
    EXPECT_EQ(nMax, 25000);
    m_grid.GetScrollRange(SB_VERT, &nMin, &nMax);
    EXPECT_EQ(nMax, 100000);

    m_grid.SetScrollPos(SB_VERT, 40000, FALSE);
    EXPECT_EQ(::GetScrollPos(m_grid.GetSafeHwnd(), SB_VERT), 10000);
    EXPECT_EQ(m_grid.GetScrollPos(SB_VERT), 40000);
    EXPECT_EQ(m_grid.GetScrollBarMode(SB_BOTH), 0);
}

TEST_F(GridCoreScrollingTest, BarsShowAndHideByTheirMode)
{
    Create(WS_VSCROLL | WS_HSCROLL, 5);
    m_grid.GetData()->SetColCount(1);
    // Mode 2 hides a bar when everything fits.
    m_grid.SetScrollBarMode(SB_BOTH, 2, FALSE);
    m_grid.UpdateScrollbars(FALSE, FALSE);
    EXPECT_FALSE(HasStyle(WS_VSCROLL));
    EXPECT_FALSE(HasStyle(WS_HSCROLL));

    // With more rows it shows, its range ending at the last useful top row.
    m_grid.GetData()->SetRowCount(100);
    m_grid.UpdateScrollbars(FALSE, TRUE);
    EXPECT_TRUE(HasStyle(WS_VSCROLL));
    int nMin = 0;
    int nMax = 0;
    m_grid.GetScrollRange(SB_VERT, &nMin, &nMax);
    EXPECT_EQ(nMin, 3);
    EXPECT_EQ(static_cast<ROWCOL>(nMax), LastUsefulTop());

    // Mode 0 hides for good; mode 1 shows at once.
    m_grid.SetScrollBarMode(SB_VERT, 0, TRUE);
    EXPECT_FALSE(HasStyle(WS_VSCROLL));
    m_grid.SetScrollBarMode(SB_VERT, 1, TRUE);
    EXPECT_TRUE(HasStyle(WS_VSCROLL));

    // While locked nothing changes; unlocking updates.
    m_grid.SetScrollBarMode(SB_VERT, 2, FALSE);
    m_grid.GetData()->SetRowCount(5);
    EXPECT_FALSE(m_grid.LockScrollbars(TRUE));
    m_grid.UpdateScrollbars(FALSE, FALSE);
    EXPECT_TRUE(HasStyle(WS_VSCROLL));
    EXPECT_TRUE(m_grid.LockScrollbars(FALSE));
    EXPECT_FALSE(HasStyle(WS_VSCROLL));
}

TEST_F(GridCoreScrollingTest, AProportionalBarPullsBackATopRowPastTheLastUsefulRow)
{
    Create(WS_VSCROLL);
    ASSERT_EQ(m_grid.GetScrollBarMode(SB_VERT), 10);
    m_grid.SetTopRow(100, 0, FALSE);
    m_grid.UpdateScrollbars(TRUE, FALSE);
    EXPECT_EQ(m_grid.GetTopRow(), LastUsefulTop());
    // The thumb covers the rows that the last page shows.
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    ASSERT_TRUE(::GetScrollInfo(m_grid.GetSafeHwnd(), SB_VERT, &info));
    EXPECT_EQ(info.nMax, 100);
    EXPECT_EQ(info.nPage, 100 + 1 - LastUsefulTop());
}

TEST_F(GridCoreScrollingTest, MouseTrackingPostsItsTimerAtOnce)
{
    Create();
    MSG msg;
    while (::PeekMessage(&msg, m_grid.GetSafeHwnd(), WM_TIMER, WM_TIMER, PM_REMOVE))
    {
    }
    ASSERT_TRUE(m_grid.StartMouseTracking(FALSE, TRUE, FALSE));
    EXPECT_TRUE(m_grid.IsMouseTrackingPending());
    ASSERT_TRUE(::PeekMessage(&msg, m_grid.GetSafeHwnd(), WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 992u);
    // The end of a scroll-bar drag stops it.
    m_grid.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0));
    EXPECT_FALSE(m_grid.IsMouseTrackingPending());

    // Without a window there is no timer and no tracking.
    CGXGridCore core;
    EXPECT_FALSE(core.StartMouseTracking(FALSE, TRUE, TRUE));
    EXPECT_FALSE(core.IsMouseTrackingPending());
}

TEST_F(GridCoreScrollingTest, ScrollingTellsTheUpdateHintOnlyWhenHintsAreOn)
{
    Create();
    auto* pHints = new RecordingHints;
    m_grid.m_pUpdateHintImp = pHints;
    m_grid.SetTopRow(10, 0, TRUE);
    EXPECT_TRUE(m_grid.ScrollAndHint(3, 1));
    EXPECT_EQ(pHints->m_nHints, 0);

    m_grid.m_bHintsEnabled = TRUE;
    m_grid.SetTopRow(20, 0, TRUE);
    m_grid.SetTopRow(21, 0, FALSE);
    EXPECT_EQ(pHints->m_nHints, 1);
    EXPECT_TRUE(m_grid.ScrollAndHint(1, 2));
    EXPECT_EQ(pHints->m_nHints, 2);
    EXPECT_EQ(m_grid.GetTopRow(), 19u);
    m_grid.SetTopRow(3, 0, FALSE);
    EXPECT_FALSE(m_grid.ScrollAndHint(1, 1)); // nothing scrolled, nothing told
    EXPECT_EQ(pHints->m_nHints, 2);
}
