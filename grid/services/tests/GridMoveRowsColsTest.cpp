#include "GridTestSupport.h"

#include <grid/core/GridParam.h>
#include <grid/core/Style.h>
#include <grid/services/rowscols/GridMoveRowsColsImp.h>

#include <gtest/gtest.h>

namespace
{
class MoveRowsColsTest : public HiddenGridOfTest<DisablingGrid>
{
protected:
    void SetUp() override
    {
        HiddenGridOfTest::SetUp();
        for (ROWCOL n = 1; n <= 10; ++n)
        {
            CString strValue;
            strValue.Format(_T("r%u"), n);
            m_grid.SetValueRange(CGXRange(n, 1), strValue);
        }
        m_grid.GetParam()->GetUndoList()->RemoveAll();
    }
    CString Value(ROWCOL nRow, ROWCOL nCol = 1)
    {
        return m_grid.GetValueRowCol(nRow, nCol);
    }
};

} // namespace

TEST(MovedIndexTest, RowsFollowTheBlock)
{
    // Rows 2..3 to 5: the block, the rows it passes and the rows beyond.
    const ROWCOL expected[][2] = {{1, 1}, {2, 5}, {3, 6}, {4, 2}, {6, 4}, {7, 7}};
    for (const auto& e : expected)
        EXPECT_EQ(GXMovedIndex(e[0], 2, 3, 5), e[1]) << e[0];
    // Rows 6..7 to 2: rows 2..5 make room.
    EXPECT_EQ(GXMovedIndex(2, 6, 7, 2), 4u);
    EXPECT_EQ(GXMovedIndex(7, 6, 7, 2), 3u);
    EXPECT_EQ(GXMovedIndex(8, 6, 7, 2), 8u);
}

TEST_F(MoveRowsColsTest, ABlockLandsWithItsDataHeightsHiddenStatesAndCoverings)
{
    ASSERT_NE(m_grid.m_pMoveRowsColsImp, nullptr);
    m_grid.SetRowHeight(4, 4, 40);
    m_grid.HideRows(3, 0);
    ASSERT_TRUE(m_grid.SetCoveredCellsRowCol(4, 2, 4, 3));
    // Rows 3-4 dropped before row 8 start at row 6.
    ASSERT_TRUE(m_grid.MoveRows(3, 4, 6));
    EXPECT_EQ(Value(3), _T("r5"));
    EXPECT_EQ(Value(5), _T("r7"));
    EXPECT_EQ(Value(6), _T("r3"));
    EXPECT_EQ(Value(7), _T("r4"));
    EXPECT_EQ(Value(8), _T("r8"));
    EXPECT_EQ(m_grid.GetRowHeight(7), 40);
    EXPECT_NE(m_grid.GetRowHeight(4), 40);
    EXPECT_TRUE(m_grid.IsRowHidden(6));
    EXPECT_FALSE(m_grid.IsRowHidden(3));
    CGXRange covered;
    ASSERT_NE(m_grid.GetCoveredCellsRowCol(7, 3, covered), nullptr);
    EXPECT_EQ(RangeBounds(covered), RangeBounds(CGXRange(7, 2, 7, 3)));

    ASSERT_TRUE(m_grid.Undo());
    EXPECT_EQ(Value(3), _T("r3"));
    EXPECT_EQ(Value(4), _T("r4"));
    EXPECT_EQ(m_grid.GetRowHeight(4), 40);
    EXPECT_TRUE(m_grid.IsRowHidden(3));
}

TEST_F(MoveRowsColsTest, AMoveOntoItselfAnswersZero)
{
    EXPECT_FALSE(m_grid.MoveRows(3, 4, 3));
    EXPECT_FALSE(m_grid.StoreMoveRows(3, 4, 3, TRUE));
    EXPECT_EQ(Value(3), _T("r3"));
    EXPECT_TRUE(m_grid.GetParam()->GetUndoList()->IsEmpty());
}

TEST_F(MoveRowsColsTest, TheCurrentCellFollowsItsRow)
{
    const ROWCOL cases[][2] = {{2, 5}, {6, 4}, {7, 7}};
    for (const auto& c : cases)
    {
        ASSERT_TRUE(m_grid.SetCurrentCell(c[0], 2));
        ASSERT_TRUE(m_grid.MoveRows(2, 3, 5));
        EXPECT_EQ(m_grid.Current(), std::make_pair(c[1], ROWCOL(2))) << c[0];
        ASSERT_TRUE(m_grid.Undo());
    }
}

TEST_F(MoveRowsColsTest, CuttingACoveredRangeUncoversItAndUndoRestoresBoth)
{
    ASSERT_TRUE(m_grid.SetCoveredCellsRowCol(3, 2, 5, 2));
    m_grid.GetParam()->GetUndoList()->RemoveAll();
    ASSERT_TRUE(m_grid.MoveRows(4, 4, 8));
    CGXRange covered;
    EXPECT_EQ(m_grid.GetCoveredCellsRowCol(3, 2, covered), nullptr);
    EXPECT_EQ(Value(8), _T("r4"));
    ASSERT_EQ(m_grid.GetParam()->GetUndoList()->GetCount(), 1); // one step

    ASSERT_TRUE(m_grid.Undo());
    EXPECT_EQ(Value(4), _T("r4"));
    ASSERT_NE(m_grid.GetCoveredCellsRowCol(3, 2, covered), nullptr);
    EXPECT_EQ(RangeBounds(covered), RangeBounds(CGXRange(3, 2, 5, 2)));
}

TEST_F(MoveRowsColsTest, ACoveredRangeThatMovesWholeStaysCovered)
{
    ASSERT_TRUE(m_grid.SetCoveredCellsRowCol(3, 2, 4, 2));
    ASSERT_TRUE(m_grid.MoveRows(3, 5, 7));
    CGXRange covered;
    ASSERT_NE(m_grid.GetCoveredCellsRowCol(7, 2, covered), nullptr);
    EXPECT_EQ(RangeBounds(covered), RangeBounds(CGXRange(7, 2, 8, 2)));
}

TEST_F(MoveRowsColsTest, ColumnsMoveAsRowsDo)
{
    m_grid.SetValueRange(CGXRange(1, 2), _T("c2"));
    m_grid.SetColWidth(2, 2, 77);
    ASSERT_TRUE(m_grid.MoveCols(2, 2, 4));
    EXPECT_EQ(Value(1, 4), _T("c2"));
    EXPECT_EQ(m_grid.GetColWidth(4), 77);
    EXPECT_EQ(Value(1, 2), _T(""));
}
