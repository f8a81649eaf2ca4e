#include "GridTestSupport.h"

#include <grid/core/GridParam.h>
#include <grid/core/Properties.h>

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace
{
constexpr WORD idHeader = 52520;

// Records the header cells it is asked to redraw.
class HeaderRecordingGrid : public TestGrid
{
public:
    void RedrawRowCol(ROWCOL nRow, ROWCOL nCol, UINT flags, BOOL bHint) override
    {
        if (nRow == 0 || nCol == 0)
            m_headers.insert({nRow, nCol});
        TestGrid::RedrawRowCol(nRow, nCol, flags, bHint);
    }
    std::set<std::pair<ROWCOL, ROWCOL>> m_headers;
};

using MarkEditHeaderTest = HiddenGridOfTest<HeaderRecordingGrid>;

} // namespace

TEST_F(MarkEditHeaderTest, MovingTheCurrentCellRedrawsTheHeadersThatLoseAndGainTheMark)
{
    m_grid.SetDefaultColWidth(40); // columns 1-5 in view
    ASSERT_TRUE(m_grid.SetCurrentCell(2, 2));
    m_grid.m_headers.clear();
    ASSERT_TRUE(m_grid.SetCurrentCell(5, 4));
    const std::set<std::pair<ROWCOL, ROWCOL>> expected = {{2, 0}, {0, 2}, {5, 0}, {0, 4}};
    EXPECT_EQ(m_grid.m_headers, expected);
    ROWCOL nRow = 0, nCol = 0;
    m_grid.GetMarkedHeaders(nRow, nCol);
    EXPECT_EQ(nRow, 5u);
    EXPECT_EQ(nCol, 4u);

    CGXControl* pHeader = m_grid.GetRegisteredControl(idHeader);
    ASSERT_NE(pHeader, nullptr);
    EXPECT_TRUE(pHeader->ForwardFeatureC(5, 0, 0));
    EXPECT_TRUE(pHeader->ForwardFeatureC(0, 4, 0));
    EXPECT_FALSE(pHeader->ForwardFeatureC(2, 0, 0));
    m_grid.GetProperties()->m_bMarkRowHeader = FALSE;
    EXPECT_FALSE(pHeader->ForwardFeatureC(5, 0, 0));
}

TEST_F(MarkEditHeaderTest, TheHeadersOfSelectedWholeColumnsAreMarked)
{
    m_grid.SelectRange(CGXRange().SetCols(3, 4));
    CGXControl* pHeader = m_grid.GetRegisteredControl(idHeader);
    EXPECT_TRUE(pHeader->ForwardFeatureC(0, 3, 0));
    EXPECT_TRUE(pHeader->ForwardFeatureC(0, 4, 0));
    EXPECT_FALSE(pHeader->ForwardFeatureC(0, 5, 0));
}
