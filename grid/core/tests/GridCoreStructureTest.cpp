#include "GridTestSupport.h"

#include <grid/core/Data.h>
#include <grid/core/GridParam.h>
#include <grid/core/Style.h>

#include <gtest/gtest.h>

#include <vector>

namespace
{
// Records what the hidden-cells feature is told; hides nothing.
class RecordingHideCells : public CGXAbstractGridHideCellsImp
{
public:
    void RemoveHiddenRows(CGXGridCore*, ROWCOL nFrom, ROWCOL nTo) override
    {
        m_calls.push_back({FALSE, TRUE, nFrom, nTo});
    }
    void RemoveHiddenCols(CGXGridCore*, ROWCOL nFrom, ROWCOL nTo) override
    {
        m_calls.push_back({FALSE, FALSE, nFrom, nTo});
    }
    void InsertHiddenRows(CGXGridCore*, ROWCOL nFrom, ROWCOL nCount) override
    {
        m_calls.push_back({TRUE, TRUE, nFrom, nCount});
    }
    void InsertHiddenCols(CGXGridCore*, ROWCOL nFrom, ROWCOL nCount) override
    {
        m_calls.push_back({TRUE, FALSE, nFrom, nCount});
    }
    void MoveHiddenRows(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL) override
    {
    }
    void MoveHiddenCols(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL) override
    {
    }
    BOOL HideRows(CGXGridCore*, ROWCOL, ROWCOL, BOOL, CByteArray*, UINT, int) override
    {
        return FALSE;
    }
    BOOL IsRowHidden(CGXGridCore*, ROWCOL) override
    {
        return FALSE;
    }
    BOOL StoreHideRow(CGXGridCore*, ROWCOL, BOOL) override
    {
        return FALSE;
    }
    BOOL HideCols(CGXGridCore*, ROWCOL, ROWCOL, BOOL, CByteArray*, UINT, int) override
    {
        return FALSE;
    }
    BOOL IsColHidden(CGXGridCore*, ROWCOL) override
    {
        return FALSE;
    }
    BOOL StoreHideCol(CGXGridCore*, ROWCOL, BOOL) override
    {
        return FALSE;
    }
    struct Call
    {
        BOOL bInsert;
        BOOL bRows;
        ROWCOL n1;
        ROWCOL n2;
    };
    std::vector<Call> m_calls;
};

// Records the repaints it is asked for and leaves nothing for the core to repaint.
class RecordingOptimizedUpdate : public CGXAbstractGridOptimizedUpdateImp
{
public:
    void UpdateInsertRows(CGXGridCore*, ROWCOL nRow, ROWCOL nCount, UINT& flags) override
    {
        m_calls.push_back({nRow, nCount, 0});
        flags = 0;
    }
    void UpdateInsertCols(CGXGridCore*, ROWCOL, ROWCOL, UINT&) override
    {
    }
    void UpdateRemoveRows(CGXGridCore*, ROWCOL nFrom, ROWCOL nTo, const int* pOldHeights, UINT& flags) override
    {
        m_calls.push_back({nFrom, nTo, pOldHeights != nullptr ? pOldHeights[0] : -1});
        flags = 0;
    }
    void UpdateRemoveCols(CGXGridCore*, ROWCOL, ROWCOL, const int*, UINT&) override
    {
    }
    void UpdateHideRows(CGXGridCore*, ROWCOL, ROWCOL, const int*, UINT&) override
    {
    }
    void UpdateHideCols(CGXGridCore*, ROWCOL, ROWCOL, const int*, UINT&) override
    {
    }
    struct Call
    {
        ROWCOL n1;
        ROWCOL n2;
        int nFirstOldHeight;
    };
    std::vector<Call> m_calls;
};

// Records the moves that reach the feature.
class RecordingMoveRowsCols : public CGXAbstractGridMoveRowsColsImp
{
public:
    BOOL StoreMoveRows(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, BOOL) override
    {
        return FALSE;
    }
    void UpdateMoveRows(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, UINT, BOOL) override
    {
    }
    BOOL StoreMoveCols(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, BOOL) override
    {
        return FALSE;
    }
    void UpdateMoveCols(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, UINT, BOOL) override
    {
    }
    BOOL MoveRows(CGXGridCore*, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, UINT flags, int nCommandKind) override
    {
        m_moves.push_back({nFrom, nTo, nDest, flags, nCommandKind});
        return TRUE;
    }
    BOOL MoveCols(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, UINT, int) override
    {
        return FALSE;
    }
    struct Move
    {
        ROWCOL nFrom;
        ROWCOL nTo;
        ROWCOL nDest;
        UINT flags;
        int nCommandKind;
    };
    std::vector<Move> m_moves;
};

// Records the locks of the selection frame.
class RecordingFrame : public CGXAbstractGridExcelLikeFrameImp
{
public:
    void DrawSelectionFrame(CGXGridCore*, CDC*, const CRect&, CBrush*, BOOL, BOOL, int, BOOL) override
    {
    }
    void InvalidateSelectionFrame(CGXGridCore*, CDC*, const CGXRange&, int, UINT) override
    {
    }
    void UpdateSelectionFrame(CGXGridCore*, CDC*, BOOL, const CGXRange&) override
    {
    }
    void RedrawSelectionFrame(CGXGridCore*) override
    {
    }
    void OnSelectionFrameChanged(CGXGridCore*, BOOL, BOOL) override
    {
    }
    void DrawFrameOfPass(CGXGridCore*, CDC*) override
    {
    }
    void RefreshExcelLikeFrame(CGXGridCore*) override
    {
        ++m_nRefreshed;
    }
    BOOL LockFrame(CGXGridCore*, BOOL bLock, BOOL) override
    {
        m_locks.push_back(bLock);
        const BOOL bOld = m_bLocked;
        m_bLocked = bLock;
        return bOld;
    }
    BOOL m_bLocked = FALSE;
    std::vector<BOOL> m_locks;
    int m_nRefreshed = 0;
};

// Records the ranges that merged cells are asked to evaluate anew; merges nothing.
class RecordingMergeCells : public CGXAbstractGridMergeCellsImp
{
public:
    void SetMergeCellsMode(CGXGridCore*, WORD, BOOL) override
    {
    }
    void DelayMergeCells(CGXGridCore*, const CGXRange& range, ROWCOL, ROWCOL) override
    {
        m_delayed.push_back(range);
    }
    BOOL EvalMergeCells(CGXGridCore*, const CGXRange&, CGXRange*) override
    {
        return FALSE;
    }
    CGXRange* GetMergedCellsRowCol(CGXGridCore*, ROWCOL, ROWCOL, CGXRange&, int) override
    {
        return nullptr;
    }
    BOOL CanMergeCell(CGXGridCore*, CGXControl*, ROWCOL, ROWCOL, const CGXStyle&, int) override
    {
        return FALSE;
    }
    BOOL CanMergeCells(CGXGridCore*, const CGXStyle&, const CGXStyle&) override
    {
        return FALSE;
    }
    BOOL SetMergedCellsRowCol(CGXGridCore*, int, ROWCOL, ROWCOL, ROWCOL, ROWCOL, UINT) override
    {
        return FALSE;
    }
    BOOL UpdateMergedCellsRowCol(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, ROWCOL, UINT, BOOL) override
    {
        return FALSE;
    }
    void MergeMergedCells(CGXGridCore*, CGXRange&) override
    {
    }
    BOOL EvalMergeCell(CGXGridCore*, ROWCOL, ROWCOL, CGXRange*) override
    {
        return FALSE;
    }
    std::vector<CGXRange> m_delayed;
};

// Remembers the row it was last bound to.
class BindingControl : public CGXControl
{
public:
    using CGXControl::CGXControl;
    void Init(ROWCOL nRow, ROWCOL nCol) override
    {
        m_nBoundRow = nRow;
        CGXControl::Init(nRow, nCol);
    }
    ROWCOL m_nBoundRow = 0;
};

class CountingUpdateObject : public CGXAbstractUpdateObject
{
public:
    void Update() override
    {
        ++m_nUpdates;
    }
    int m_nUpdates = 0;
};

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
    auto* pControl = new BindingControl(&m_grid);
    m_grid.RegisterControl(m_grid.GetStandardStyle()->GetControl(), pControl, FALSE, FALSE);
    m_grid.SetCurrentCellPosition(TRUE, 6, 2);
    ASSERT_EQ(m_grid.GetCurrentCellControl(), pControl);
    pControl->Init(6, 2);

    ASSERT_TRUE(m_grid.RemoveRows(2, 3));
    ROWCOL nRow = 0, nCol = 0;
    ASSERT_TRUE(m_grid.GetCurrentCell(&nRow, &nCol));
    EXPECT_EQ(nRow, 4u);
    EXPECT_EQ(nCol, 2u);
    EXPECT_EQ(pControl->m_nBoundRow, 4u); // the bound control follows

    ASSERT_TRUE(m_grid.InsertRows(1, 2));
    ASSERT_TRUE(m_grid.GetCurrentCell(&nRow, &nCol));
    EXPECT_EQ(nRow, 6u);
    EXPECT_EQ(pControl->m_nBoundRow, 6u);

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

TEST_F(GridCoreStructureTest, ChangesTellTheHiddenCellsAndOptimisedUpdateFeatures)
{
    auto* pHide = new RecordingHideCells;
    auto* pUpdate = new RecordingOptimizedUpdate;
    delete m_grid.m_pHideCellsImp;
    delete m_grid.m_pOptimizedUpdateImp;
    m_grid.m_pHideCellsImp = pHide;
    m_grid.m_pOptimizedUpdateImp = pUpdate;
    const int nHeight4 = m_grid.GetRowHeight(4);

    ASSERT_TRUE(m_grid.InsertRows(3, 2));
    ASSERT_TRUE(m_grid.RemoveRows(4, 5));

    ASSERT_EQ(pHide->m_calls.size(), 2u);
    EXPECT_TRUE(pHide->m_calls[0].bInsert);
    EXPECT_TRUE(pHide->m_calls[0].bRows);
    EXPECT_EQ(pHide->m_calls[0].n1, 3u);
    EXPECT_EQ(pHide->m_calls[0].n2, 2u);
    EXPECT_FALSE(pHide->m_calls[1].bInsert);
    EXPECT_EQ(pHide->m_calls[1].n2, 5u);
    ASSERT_EQ(pUpdate->m_calls.size(), 2u);
    EXPECT_EQ(pUpdate->m_calls[0].n1, 3u);
    EXPECT_EQ(pUpdate->m_calls[0].n2, 2u);
    EXPECT_EQ(pUpdate->m_calls[1].n1, 4u);
    EXPECT_EQ(pUpdate->m_calls[1].nFirstOldHeight, nHeight4);
}

TEST_F(GridCoreStructureTest, AChangeLocksTheSelectionFrameForItsTime)
{
    auto* pFrame = new RecordingFrame;
    delete m_grid.m_pExcelLikeFrameImp;
    m_grid.m_pExcelLikeFrameImp = pFrame;
    m_grid.GetParam()->m_anCoreSettings[3] = 1;
    ASSERT_TRUE(m_grid.InsertRows(3, 1));
    EXPECT_EQ(pFrame->m_locks, (std::vector<BOOL>{TRUE, FALSE}));
    EXPECT_EQ(pFrame->m_nRefreshed, 1); // the frame follows the moved selection
    EXPECT_FALSE(pFrame->m_bLocked);
}

TEST_F(GridCoreStructureTest, InsertingHandsTheKeptDataUndoEntryBackAfterItsStoreStep)
{
    CObArray styles;
    styles.SetSize(2); // one row of two cells, both empty
    CObList undoInfo; // any object
    styles.Add(&undoInfo);
    ASSERT_TRUE(m_grid.InsertRows(3, 1, nullptr, &styles, nullptr, 2));
    EXPECT_EQ(m_pFactory->m_pRestoredUndoInfo, &undoInfo);
    EXPECT_EQ(m_grid.GetRowCount(), 11u);
}

TEST_F(GridCoreStructureTest, MovingRowsChecksTheBlockAndForwards)
{
    auto* pMove = new RecordingMoveRowsCols;
    delete m_grid.m_pMoveRowsColsImp;
    m_grid.m_pMoveRowsColsImp = pMove;
    EXPECT_FALSE(m_grid.MoveRows(5, 6, 5));  // onto itself
    EXPECT_FALSE(m_grid.MoveRows(9, 10, 10)); // would end past the last row
    EXPECT_FALSE(m_grid.MoveRows(0, 2, 5));
    EXPECT_FALSE(m_grid.MoveRows(6, 5, 1));
    EXPECT_TRUE(pMove->m_moves.empty());

    ASSERT_TRUE(m_grid.MoveRows(2, 3, 9, GX_UPDATENOW, 1));
    ASSERT_EQ(pMove->m_moves.size(), 1u);
    EXPECT_EQ(pMove->m_moves[0].nFrom, 2u);
    EXPECT_EQ(pMove->m_moves[0].nTo, 3u);
    EXPECT_EQ(pMove->m_moves[0].nDest, 9u);
    EXPECT_EQ(pMove->m_moves[0].flags, GX_UPDATENOW);
    EXPECT_EQ(pMove->m_moves[0].nCommandKind, 1);
}

TEST_F(GridCoreStructureTest, AChangedCountTellsTheUpdateObjectAndTheHint)
{
    auto* pHints = new RecordingHints;
    m_grid.m_pUpdateHintImp = pHints;
    m_grid.m_bHintsEnabled = TRUE;
    CountingUpdateObject update;
    m_grid.m_pUpdateObject = &update;

    m_grid.GetData()->SetRowCount(4);
    m_grid.UpdateChangedRowCount(10, GX_INVALIDATE, TRUE);
    EXPECT_EQ(update.m_nUpdates, 1);
    EXPECT_EQ(pHints->m_nHints, 1);
    EXPECT_EQ(pHints->m_nOldCount, 10u);

    m_grid.UpdateChangedColCount(3, 0, FALSE);
    EXPECT_EQ(update.m_nUpdates, 2);
    EXPECT_EQ(pHints->m_nHints, 1);

    ASSERT_TRUE(m_grid.InsertRows(1, 1));
    EXPECT_EQ(update.m_nUpdates, 3);
    m_grid.m_pUpdateObject = nullptr;
}

TEST_F(GridCoreStructureTest, MergedCellsAreEvaluatedAnewFromTheChange)
{
    auto* pMerge = new RecordingMergeCells;
    delete m_grid.m_pMergeCellsImp;
    m_grid.m_pMergeCellsImp = pMerge;
    ASSERT_TRUE(m_grid.RemoveRows(4, 5));
    EXPECT_TRUE(pMerge->m_delayed.empty()); // merging is off

    m_grid.GetParam()->m_wMergeCellsMode = 1;
    ASSERT_TRUE(m_grid.RemoveRows(4, 5));
    ASSERT_TRUE(m_grid.FreezeRows(3, 0));
    ASSERT_EQ(pMerge->m_delayed.size(), 2u);
    // From the first removed row to the end of the grid.
    EXPECT_EQ(pMerge->m_delayed[0].top, 4u);
    EXPECT_EQ(pMerge->m_delayed[0].bottom, 6u);
    // Across the old and the new frozen edge.
    EXPECT_EQ(pMerge->m_delayed[1].top, 1u);
    EXPECT_EQ(pMerge->m_delayed[1].bottom, 4u);
}
