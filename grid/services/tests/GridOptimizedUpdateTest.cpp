#include "GridTestSupport.h"

#include <grid/core/GridParam.h>

#include <gtest/gtest.h>

#include <vector>

namespace
{
// Records the scrolls it is asked for (and leaves the window as it is) and what it paints.
class ScrollRecordingGrid : public TestGrid
{
public:
    void DrawGrid(CDC* pDC) override
    {
        CRect rect;
        pDC->GetClipBox(&rect);
        m_painted.push_back(rect);
        TestGrid::DrawGrid(pDC);
    }
    std::vector<CRect> m_painted;
    int ScrollWindow(int dx, int dy, const RECT* pScroll, const RECT* /*pClip*/) override
    {
        m_scrolls.push_back({dx, dy, pScroll != nullptr ? CRect(*pScroll) : CRect()});
        return 1;
    }
    struct Scroll
    {
        int dx;
        int dy;
        CRect rect;
    };
    std::vector<Scroll> m_scrolls;
};

// Rows of 20 pixels below a header row of 20 in a window of 200: rows 1-9 are visible.
class OptimizedUpdateTest : public HiddenGridOfTest<ScrollRecordingGrid>
{
protected:
    void SetUp() override
    {
        HiddenGridOfTest::SetUp();
        m_grid.SetDefaultRowHeight(20);
        m_grid.SetRowHeight(0, 0, 20);
        // Row numbers in the headers would repaint their column after every change.
        m_grid.GetParam()->m_abSettingsA[0] = FALSE;
        // Update regions are kept only for shown windows.
        Parent().ShowWindow(SW_SHOWNA);
        m_grid.ShowWindow(SW_SHOWNA);
        m_grid.UpdateWindow();
        m_grid.m_scrolls.clear();
        m_grid.m_painted.clear();
    }
    void TearDown() override
    {
        Parent().ShowWindow(SW_HIDE);
        HiddenGridOfTest::TearDown();
    }
    // The window's update rectangle after the change, empty when nothing is to be painted.
    CRect Updated()
    {
        CRect rect;
        if (!m_grid.GetUpdateRect(&rect))
            rect.SetRectEmpty();
        m_grid.ValidateRect(nullptr);
        return rect;
    }
};

} // namespace

TEST_F(OptimizedUpdateTest, RowsInsertedAboveTheTopRowKeepThePicture)
{
    m_grid.SetRowCount(40);
    m_grid.SetTopRow(20, 0);
    Updated();
    m_grid.m_painted.clear();
    ASSERT_TRUE(m_grid.InsertRows(3, 3, nullptr, nullptr, nullptr, 0, GX_UPDATENOW));
    EXPECT_EQ(m_grid.GetTopRow(), 23u);
    EXPECT_TRUE(Updated().IsRectEmpty());
    EXPECT_TRUE(m_grid.m_painted.empty());
    EXPECT_TRUE(m_grid.m_scrolls.empty());
}

TEST_F(OptimizedUpdateTest, RemovingAllRowsPutsTheTopRowAtOne)
{
    m_grid.SetTopRow(10, 0);
    ASSERT_TRUE(m_grid.RemoveRows(1, 20, 0));
    EXPECT_EQ(m_grid.GetTopRow(), 1u);
}

TEST_F(OptimizedUpdateTest, AnInsertScrollsWhatFollowsAndPaintsTheNewRowsOnly)
{
    ASSERT_TRUE(m_grid.InsertRows(3, 2, nullptr, nullptr, nullptr, 0, GX_UPDATENOW));
    ASSERT_EQ(m_grid.m_scrolls.size(), 1u);
    EXPECT_EQ(m_grid.m_scrolls[0].dy, 40);
    EXPECT_EQ(m_grid.m_scrolls[0].rect.top, 60);
    ASSERT_EQ(m_grid.m_painted.size(), 1u);
    EXPECT_EQ(m_grid.m_painted[0].top, 60);
    EXPECT_EQ(m_grid.m_painted[0].bottom, 100);

    m_grid.m_painted.clear();
    ASSERT_TRUE(m_grid.RemoveRows(3, 4, GX_UPDATENOW));
    ASSERT_EQ(m_grid.m_scrolls.size(), 2u);
    EXPECT_EQ(m_grid.m_scrolls[1].dy, -40);
    // The row at 3 and the strip uncovered at the bottom; nothing above the change. (The
    // recalculation after a removal then paints its dirty cells only.)
    ASSERT_FALSE(m_grid.m_painted.empty());
    EXPECT_EQ(m_grid.m_painted.front().top, 60);

    ASSERT_TRUE(m_grid.HideRows(2, 3, TRUE, nullptr, GX_UPDATENOW));
    ASSERT_EQ(m_grid.m_scrolls.size(), 3u);
    EXPECT_EQ(m_grid.m_scrolls[2].dy, -40);
    EXPECT_EQ(m_grid.m_scrolls[2].rect.top, 40);
}

TEST_F(OptimizedUpdateTest, Flag1InvalidatesInsteadOfScrolling)
{
    ASSERT_TRUE(m_grid.InsertRows(3, 1, nullptr, nullptr, nullptr, 0, GX_INVALIDATE));
    EXPECT_TRUE(m_grid.m_scrolls.empty());
    const CRect updated = Updated();
    EXPECT_EQ(updated.top, 60);
    EXPECT_EQ(updated.bottom, 200);
}

TEST_F(OptimizedUpdateTest, AChangeBelowTheViewPaintsNothing)
{
    ASSERT_TRUE(m_grid.InsertRows(15, 2, nullptr, nullptr, nullptr, 0, GX_UPDATENOW));
    EXPECT_TRUE(m_grid.m_scrolls.empty());
    EXPECT_TRUE(m_grid.m_painted.empty());
    EXPECT_TRUE(Updated().IsRectEmpty());
}

// Numbered row headers read differently below an inserted or removed row, and all of them after a
// change above the view; hiding keeps the numbers.
TEST_F(OptimizedUpdateTest, NumberedRowHeadersRepaintTheirColumnFromTheChangeDown)
{
    m_grid.GetParam()->m_abSettingsA[0] = TRUE;
    m_grid.SetRowCount(40);
    Updated();
    const int nHeader = m_grid.GetColWidth(0);
    CRgn region;
    region.CreateRectRgn(0, 0, 0, 0);
    auto updatedAt = [&](int x, int y) {
        m_grid.GetUpdateRgn(&region);
        return region.PtInRegion(x, y) != FALSE;
    };
    ASSERT_TRUE(m_grid.InsertRows(3, 2, nullptr, nullptr, nullptr, 0, GX_UPDATEONPRESS));
    EXPECT_TRUE(updatedAt(nHeader / 2, 190)) << "the header column down to the bottom";
    EXPECT_FALSE(updatedAt(nHeader / 2, 50)) << "above the change";
    EXPECT_FALSE(updatedAt(nHeader + 5, 190)) << "scrolled cells keep their picture";
    Updated();

    // A removal updates the window at once (its recalculation may then repaint more).
    m_grid.SetTopRow(20, 0);
    Updated();
    m_grid.m_painted.clear();
    ASSERT_TRUE(m_grid.RemoveRows(3, 4, GX_UPDATEONPRESS));
    EXPECT_EQ(m_grid.GetTopRow(), 18u);
    ASSERT_FALSE(m_grid.m_painted.empty());
    EXPECT_EQ(m_grid.m_painted.front(), CRect(0, 20, nHeader, 200)) << "the row headers below the column header";

    ASSERT_TRUE(m_grid.HideRows(3, 4, TRUE, nullptr, GX_UPDATEONPRESS));
    EXPECT_TRUE(Updated().IsRectEmpty());
}

TEST_F(OptimizedUpdateTest, WithMergedCellsEveryChangeRepaintsTheWholeGrid)
{
    m_grid.SetMergeCellsMode(1, FALSE);
    Updated();
    ASSERT_TRUE(m_grid.InsertRows(3, 1, nullptr, nullptr, nullptr, 0, GX_INVALIDATE));
    EXPECT_TRUE(m_grid.m_scrolls.empty());
    CRect rectGrid;
    m_grid.GetGridRect(&rectGrid);
    EXPECT_EQ(Updated(), rectGrid);
}
