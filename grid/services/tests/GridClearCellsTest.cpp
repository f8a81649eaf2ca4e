// Clearing cells: each cell of a range list once, values or styles, one undo step, and every
// way out of a refused or aborted clearing leaving the grid ready for the next command.
#include "GridTestSupport.h"

#include <grid/core/AppData.h>
#include <grid/core/GridParam.h>
#include <grid/core/LongOperationImp.h>
#include <grid/core/Style.h>

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace
{
// Counts the value stores per cell and refuses the one at m_refused.
class CountingGrid : public TestGrid
{
public:
    BOOL StoreCellValue(ROWCOL nRow, ROWCOL nCol, const CString& strText, UINT flags, const CGXStyle* pStyle) override
    {
        ++m_stores[{nRow, nCol}];
        if (std::make_pair(nRow, nCol) == m_refused)
            return FALSE;
        return TestGrid::StoreCellValue(nRow, nCol, strText, flags, pStyle);
    }
    BOOL IsLockUpdate() const
    {
        return m_bLockUpdate;
    }
    std::map<std::pair<ROWCOL, ROWCOL>, int> m_stores;
    std::pair<ROWCOL, ROWCOL> m_refused{0, 0};
};

class GridClearCellsTest : public HiddenGridOfTest<CountingGrid>
{
protected:
    void SetUp() override
    {
        HiddenGridOfTest::SetUp();
        // Rows 1-4 of columns 1-4 hold "r.c", bold in column 2; row 5 stays empty.
        for (ROWCOL r = 1; r <= 4; ++r)
            for (ROWCOL c = 1; c <= 4; ++c)
            {
                CGXStyle style;
                CString strValue;
                strValue.Format(_T("%u.%u"), r, c);
                style.SetValue(strValue);
                if (c == 2)
                    style.SetFont(CGXFont().SetBold(TRUE));
                m_grid.GetData()->StoreStyleImpl(r, c, &style, CGXStyle::modeCopy, 0);
            }
    }
    CString Value(ROWCOL nRow, ROWCOL nCol)
    {
        return m_grid.GetValueRowCol(nRow, nCol);
    }
    BOOL HasOwnStyle(ROWCOL nRow, ROWCOL nCol)
    {
        CGXStyle style;
        return m_grid.GetStyleRowCol(nRow, nCol, style, CGXStyle::modeCopy, 0) && style.GetIncludeBits() != 0;
    }
    INT_PTR UndoCount()
    {
        return m_grid.GetParam()->GetUndoList()->GetCount();
    }
    // The grid is ready for the next command: no lock, no open block, no long operation.
    void ExpectSettled()
    {
        EXPECT_FALSE(m_grid.IsLockUpdate());
        EXPECT_EQ(m_grid.GetParam()->m_nUndoBlockLevel, 0);
        EXPECT_FALSE(m_grid.IsExecutingBlock());
        EXPECT_EQ(GXLongOpGetLevel(), -1);
    }
};

CGXRangeList& Ranges(CGXRangeList& list, std::initializer_list<CGXRange> ranges)
{
    for (const CGXRange& range : ranges)
        list.AddTail(new CGXRange(range));
    return list;
}
} // namespace

TEST_F(GridClearCellsTest, OverlappingRangesClearEachCellOnceAsOneUndoStep)
{
    CGXRangeList list;
    Ranges(list, {CGXRange(1, 1, 3, 2), CGXRange(2, 2, 5, 3)});
    ASSERT_TRUE(m_grid.ClearRangeList(list, FALSE));

    std::map<std::pair<ROWCOL, ROWCOL>, int> expected;
    for (ROWCOL r = 1; r <= 4; ++r) // row 5 was empty: nothing stored there
        for (ROWCOL c = 1; c <= 3; ++c)
            if (list.IsCellInList(r, c))
                expected[{r, c}] = 1;
    EXPECT_EQ(m_grid.m_stores, expected);
    EXPECT_EQ(Value(2, 2), L"");
    EXPECT_EQ(Value(1, 3), L"1.3");
    EXPECT_TRUE(HasOwnStyle(2, 2)); // the values went, the bold font stays
    EXPECT_EQ(UndoCount(), 1);
    ExpectSettled();

    ASSERT_TRUE(m_grid.Undo());
    EXPECT_EQ(Value(2, 2), L"2.2");
    EXPECT_EQ(Value(4, 3), L"4.3");
    EXPECT_EQ(UndoCount(), 0);
}

TEST_F(GridClearCellsTest, EmptyCellsRecordNoCommand)
{
    CGXRangeList list;
    Ranges(list, {CGXRange(5, 1, 8, 5)});
    EXPECT_TRUE(m_grid.ClearRangeList(list, FALSE));
    EXPECT_TRUE(m_grid.m_stores.empty());
    EXPECT_EQ(UndoCount(), 0);
}

TEST_F(GridClearCellsTest, StylesModeRemovesTheCellsStyles)
{
    CGXRangeList list;
    Ranges(list, {CGXRange().SetCols(2, 2)});
    ASSERT_TRUE(m_grid.ClearRangeList(list, TRUE));
    EXPECT_FALSE(HasOwnStyle(3, 2));
    EXPECT_TRUE(HasOwnStyle(3, 3));
    ASSERT_TRUE(m_grid.Undo());
    EXPECT_TRUE(HasOwnStyle(3, 2));
    EXPECT_EQ(Value(3, 2), L"3.2");
}

TEST_F(GridClearCellsTest, ARefusedStoreStopsWithEverythingEnded)
{
    m_grid.m_refused = {2, 1};
    CGXRangeList list;
    Ranges(list, {CGXRange(1, 1, 3, 1)});
    EXPECT_FALSE(m_grid.ClearRangeList(list, FALSE));
    ExpectSettled();
    EXPECT_EQ(Value(1, 1), L"");    // cleared before the refusal, and undoable
    EXPECT_EQ(Value(3, 1), L"3.1"); // never reached
    ASSERT_TRUE(m_grid.Undo());
    EXPECT_EQ(Value(1, 1), L"1.1");

    // The next command is an undo step of its own, not part of a dead block.
    m_grid.m_refused = {0, 0};
    EXPECT_TRUE(m_grid.ClearRangeList(list, FALSE));
    EXPECT_EQ(UndoCount(), 1);
}

TEST_F(GridClearCellsTest, AnAbortWithRollbackChangesNothing)
{
    m_app.m_answers = {IDRETRY}; // Retry asks for the rollback
    CGXRangeList list;
    Ranges(list, {CGXRange(1, 1, 4, 4)});
    {
        const EscapeAbort abort(&m_grid);
        EXPECT_FALSE(m_grid.ClearRangeList(list, FALSE));
    }
    ASSERT_EQ(m_app.m_boxes.size(), 1u);
    ExpectSettled();
    for (ROWCOL r = 1; r <= 4; ++r)
        for (ROWCOL c = 1; c <= 4; ++c)
        {
            CString strValue;
            strValue.Format(_T("%u.%u"), r, c);
            EXPECT_EQ(Value(r, c), strValue);
        }
    EXPECT_EQ(UndoCount(), 0);
}

TEST_F(GridClearCellsTest, ClearRangeWithStylesRemovesOnlyTheClearedColumnsBaseStyles)
{
    CGXStyle interior;
    interior.SetFont(CGXFont().SetItalic(TRUE));
    m_grid.SetStyleRange(CGXRange().SetCols(1, 4), &interior, CGXStyle::modeCopy, 0, nullptr, GX_INVALIDATE, 0);
    m_grid.SetStyleRange(CGXRange().SetRows(1, 2), &interior, CGXStyle::modeCopy, 0, nullptr, GX_INVALIDATE, 0);
    const INT_PTR nUndo = UndoCount();
    const auto hasBase = [this](ROWCOL nRow, ROWCOL nCol) {
        CGXStyle style;
        return m_grid.GetStyleRowCol(nRow, nCol, style, CGXStyle::modeCopy, -1) && style.GetIncludeBits() != 0;
    };

    ASSERT_TRUE(m_grid.ClearRange(CGXRange().SetCols(2, 3), TRUE));
    EXPECT_TRUE(hasBase(0, 1));
    EXPECT_FALSE(hasBase(0, 2));
    EXPECT_FALSE(hasBase(0, 3));
    EXPECT_TRUE(hasBase(0, 4));
    EXPECT_TRUE(hasBase(1, 0)); // the rows' base styles stay
    EXPECT_TRUE(hasBase(2, 0));
    EXPECT_FALSE(HasOwnStyle(1, 2));
    EXPECT_EQ(UndoCount(), nUndo + 1);
    ASSERT_TRUE(m_grid.Undo());
    EXPECT_TRUE(hasBase(0, 2));
    EXPECT_EQ(Value(1, 2), L"1.2");
}

TEST_F(GridClearCellsTest, CanClearCellsTable)
{
    struct Case
    {
        BOOL bReadOnly;
        BOOL bSelection;
        BOOL bCurrent;
        BOOL bExpected;
    };
    const Case cases[] = {
        {FALSE, FALSE, FALSE, FALSE}, {FALSE, TRUE, FALSE, TRUE}, {FALSE, FALSE, TRUE, TRUE},
        {TRUE, TRUE, TRUE, FALSE},
    };
    for (const Case& c : cases)
    {
        m_grid.GetParam()->m_bReadOnly = c.bReadOnly;
        m_grid.GetParam()->m_SelRects.DeleteAll();
        if (c.bSelection)
            m_grid.GetParam()->m_SelRects.AddTail(new CGXRange(1, 1, 2, 2));
        if (c.bCurrent)
            m_grid.SetCurrentCell(1, 1);
        else
            m_grid.ResetCurrentCell(FALSE);
        EXPECT_EQ(m_grid.CanClear(), c.bExpected) << c.bReadOnly << c.bSelection << c.bCurrent;
    }
    m_grid.GetParam()->m_bReadOnly = FALSE;
}
