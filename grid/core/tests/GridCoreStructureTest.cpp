#include "GridTestSupport.h"

#include <grid/core/Data.h>
#include <grid/core/GridParam.h>

#include <gtest/gtest.h>

namespace
{
class GridCoreStructureTest : public GridWindowTest
{
protected:
    void SetUp() override
    {
        GridWindowTest::SetUp();
        m_grid.CreateHidden(&Parent(), CRect(0, 0, 300, 200));
        m_grid.GetData()->SetRowCount(10);
        m_grid.GetData()->SetColCount(3);
        for (ROWCOL nRow = 1; nRow <= 10; ++nRow)
        {
            CString strValue;
            strValue.Format(L"r%u", nRow);
            ASSERT_TRUE(m_grid.SetValueRange(CGXRange(nRow, 1), strValue));
        }
        m_grid.m_pCommandFactory = m_pFactory;
    }
    void TearDown() override
    {
        m_grid.DestroyWindow();
    }
    const RecordedStructureCommand* LastCommand() const
    {
        return m_pFactory->m_commands.empty()
                   ? nullptr
                   : static_cast<const RecordedStructureCommand*>(m_pFactory->m_commands.back());
    }

    TestGrid m_grid;
    RecordingCommandFactory* m_pFactory = new RecordingCommandFactory;
};
} // namespace

TEST_F(GridCoreStructureTest, InsertingRowsShiftsCellsSizesAndRanges)
{
    ASSERT_TRUE(m_grid.SetRowHeight(6, 6, 40));
    m_grid.GetParam()->m_SelRects.AddTail(new CGXRange(5, 1, 6, 2));

    ASSERT_TRUE(m_grid.InsertRows(3, 2));

    EXPECT_EQ(m_grid.GetRowCount(), 12u);
    EXPECT_STREQ(m_grid.GetValueRowCol(2, 1), L"r2");
    EXPECT_STREQ(m_grid.GetValueRowCol(3, 1), L"");
    EXPECT_STREQ(m_grid.GetValueRowCol(5, 1), L"r3");
    EXPECT_STREQ(m_grid.GetValueRowCol(12, 1), L"r10");
    EXPECT_EQ(m_grid.GetRowHeight(8), 40);
    EXPECT_NE(m_grid.GetRowHeight(6), 40);
    const auto* pRange = static_cast<const CGXRange*>(m_grid.GetParam()->m_SelRects.GetHead());
    EXPECT_EQ(pRange->top, 7u);
    EXPECT_EQ(pRange->bottom, 8u);

    const RecordedStructureCommand* pCommand = LastCommand();
    ASSERT_NE(pCommand, nullptr);
    EXPECT_EQ(pCommand->m_kind, RecordedStructureCommand::insert);
    EXPECT_EQ(pCommand->m_n1, 3u);
    EXPECT_EQ(pCommand->m_n2, 2u);
}

TEST_F(GridCoreStructureTest, RemovingRowsShiftsCellsSizesAndRangesAndKeepsTheOldHeights)
{
    ASSERT_TRUE(m_grid.SetRowHeight(3, 3, 25));
    ASSERT_TRUE(m_grid.SetRowHeight(8, 8, 40));
    m_grid.GetParam()->m_SelRects.AddTail(new CGXRange(7, 1, 9, 2));
    m_pFactory->m_commands.clear();

    ASSERT_TRUE(m_grid.RemoveRows(3, 5));

    EXPECT_EQ(m_grid.GetRowCount(), 7u);
    EXPECT_STREQ(m_grid.GetValueRowCol(2, 1), L"r2");
    EXPECT_STREQ(m_grid.GetValueRowCol(3, 1), L"r6");
    EXPECT_STREQ(m_grid.GetValueRowCol(7, 1), L"r10");
    EXPECT_EQ(m_grid.GetRowHeight(5), 40);
    const auto* pRange = static_cast<const CGXRange*>(m_grid.GetParam()->m_SelRects.GetHead());
    EXPECT_EQ(pRange->top, 4u);
    EXPECT_EQ(pRange->bottom, 6u);

    const RecordedStructureCommand* pCommand = LastCommand();
    ASSERT_NE(pCommand, nullptr);
    EXPECT_EQ(pCommand->m_kind, RecordedStructureCommand::remove);
    EXPECT_EQ(pCommand->m_n1, 3u);
    EXPECT_EQ(pCommand->m_n2, 3u);
    ASSERT_EQ(pCommand->m_oldSizes.size(), 3u);
    EXPECT_EQ(pCommand->m_oldSizes[0], 25);
}

TEST_F(GridCoreStructureTest, ColumnsAreTheTwinsOfRows)
{
    ASSERT_TRUE(m_grid.SetValueRange(CGXRange(1, 3), L"c3"));
    ASSERT_TRUE(m_grid.InsertCols(2, 1));
    EXPECT_EQ(m_grid.GetColCount(), 4u);
    EXPECT_STREQ(m_grid.GetValueRowCol(1, 4), L"c3");
    ASSERT_TRUE(m_grid.RemoveCols(1, 2));
    EXPECT_EQ(m_grid.GetColCount(), 2u);
    EXPECT_STREQ(m_grid.GetValueRowCol(1, 2), L"c3");
}

TEST_F(GridCoreStructureTest, ReplayingAnUndoRecordsNoCommand)
{
    m_pFactory->m_commands.clear();
    ASSERT_TRUE(m_grid.InsertRows(1, 1, nullptr, nullptr, nullptr, 0, GX_INVALIDATE, 1));
    ASSERT_TRUE(m_grid.RemoveRows(1, 1, GX_INVALIDATE, 1));
    ASSERT_TRUE(m_grid.FreezeRows(2, 0, GX_INVALIDATE, 1));
    EXPECT_TRUE(m_pFactory->m_commands.empty());

    ASSERT_TRUE(m_grid.FreezeRows(3, 1));
    const RecordedStructureCommand* pCommand = LastCommand();
    ASSERT_NE(pCommand, nullptr);
    EXPECT_EQ(pCommand->m_kind, RecordedStructureCommand::freeze);
    EXPECT_EQ(pCommand->m_n1, 2u);
    EXPECT_EQ(pCommand->m_n2, 0u);
}

TEST_F(GridCoreStructureTest, FreezingRaisesTheTopRowPastTheFrozenRows)
{
    ASSERT_TRUE(m_grid.FreezeRows(3, 1));
    EXPECT_EQ(m_grid.GetFrozenRows(), 3u);
    EXPECT_EQ(m_grid.GetHeaderRows(), 1u);
    EXPECT_EQ(m_grid.m_nTopRow, 4u);
}

TEST_F(GridCoreStructureTest, InsertingAtTheFrozenEdgeMovesTheTopRowDown)
{
    m_grid.GetParam()->m_nFrozenRows = 2;
    m_grid.m_nTopRow = 2;
    ASSERT_TRUE(m_grid.InsertRows(1, 1));
    EXPECT_EQ(m_grid.m_nTopRow, 3u);
}

TEST_F(GridCoreStructureTest, TheCurrentCellFollowsOrLeavesWithRemovedRows)
{
    m_grid.SetCurrentCellPosition(TRUE, 6, 2);
    ASSERT_TRUE(m_grid.RemoveRows(2, 3));
    ROWCOL nRow = 0, nCol = 0;
    ASSERT_TRUE(m_grid.GetCurrentCell(&nRow, &nCol));
    EXPECT_EQ(nRow, 4u);
    EXPECT_EQ(nCol, 2u);

    ASSERT_TRUE(m_grid.InsertRows(1, 2));
    ASSERT_TRUE(m_grid.GetCurrentCell(&nRow, &nCol));
    EXPECT_EQ(nRow, 6u);

    ASSERT_TRUE(m_grid.RemoveRows(5, 7));
    EXPECT_FALSE(m_grid.GetCurrentCell(&nRow, &nCol));
}

TEST_F(GridCoreStructureTest, RefusedChangesLeaveTheGridAsItWas)
{
    m_pFactory->m_bSaveStyles = FALSE;
    EXPECT_FALSE(m_grid.RemoveRows(1, 2));
    EXPECT_EQ(m_grid.GetRowCount(), 10u);
    m_pFactory->m_bSaveStyles = TRUE;

    EXPECT_FALSE(m_grid.RemoveRows(11, 12));
    EXPECT_FALSE(m_grid.InsertRows(0, 1));

    m_grid.SetParamSetting(TRUE);
    EXPECT_FALSE(m_grid.InsertRows(1, 1));
    EXPECT_FALSE(m_grid.RemoveRows(1, 1));
    EXPECT_FALSE(m_grid.FreezeRows(2, 0));
    EXPECT_EQ(m_grid.GetRowCount(), 10u);
    EXPECT_EQ(m_grid.GetFrozenRows(), 0u);
    EXPECT_STREQ(m_grid.GetValueRowCol(1, 1), L"r1");
}

TEST_F(GridCoreStructureTest, SettingTheCountInsertsOrRemovesAtTheEnd)
{
    ASSERT_TRUE(m_grid.SetRowCount(4));
    EXPECT_EQ(m_grid.GetRowCount(), 4u);
    EXPECT_STREQ(m_grid.GetValueRowCol(4, 1), L"r4");
    ASSERT_TRUE(m_grid.SetRowCount(6));
    EXPECT_EQ(m_grid.GetRowCount(), 6u);
    EXPECT_STREQ(m_grid.GetValueRowCol(5, 1), L"");
}
