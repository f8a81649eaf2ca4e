// The core's selection and find support, its invalidation and its forwarders without features.
#include "GridTestSupport.h"

#include <grid/core/Style.h>

#include <grid/core/Data.h>
#include <grid/core/FindReplaceState.h>
#include <grid/core/GridParam.h>

#include <gtest/gtest.h>

namespace
{
// Counts the hints that the core passes on.
class RecordingCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_nEnabled = bOn;
    }
    int m_nEnabled = -1;
};

using GridCoreSupportTest = HiddenGridTest;

// Stores what it is given as the cell's value, upper-cased.
class UpperCaseControl : public CGXControl
{
public:
    using CGXControl::CGXControl;
    BOOL StoreValue(ROWCOL nRow, ROWCOL nCol, const CString& strText, const CGXStyle* pStyle) override
    {
        m_nControlId = pStyle->GetControl();
        CString strUpper(strText);
        strUpper.MakeUpper();
        return m_pGrid->StoreCellValue(nRow, nCol, strUpper, GX_INVALIDATE, pStyle);
    }
    WORD m_nControlId = 0;
};
} // namespace

TEST_F(GridCoreSupportTest, SelectedRowsAndRanges)
{
    CGXRangeList& selection = m_grid.GetParam()->m_SelRects;
    selection.AddTail(new CGXRange(CGXRange().SetRows(3, 5)));
    selection.AddTail(new CGXRange(CGXRange().SetRows(9, 9)));
    CDWordArray rows;
    ASSERT_EQ(m_grid.GetSelectedRows(rows, FALSE, FALSE), 4);
    EXPECT_EQ(rows[0], 3u);
    EXPECT_EQ(rows[1], 4u);
    EXPECT_EQ(rows[2], 5u);
    EXPECT_EQ(rows[3], 9u);

    CGXRangeList copy;
    EXPECT_TRUE(m_grid.CopyRangeList(copy, TRUE));
    EXPECT_EQ(copy.GetCount(), 2);

    selection.DeleteAll();
    EXPECT_EQ(m_grid.GetSelectedRows(rows, FALSE, TRUE), 0); // no current cell either
    EXPECT_FALSE(m_grid.CopyRangeList(copy, TRUE));
    EXPECT_TRUE(copy.IsEmpty());
    m_grid.SetCurrentCellPosition(TRUE, 7, 2);
    ASSERT_EQ(m_grid.GetSelectedRows(rows, FALSE, TRUE), 1);
    EXPECT_EQ(rows[0], 7u);
    EXPECT_TRUE(m_grid.CopyRangeList(copy, TRUE));
    EXPECT_TRUE(m_grid.IsRangeInList(7, 2, &copy));
}

TEST_F(GridCoreSupportTest, InvalidationFollowsItsFlags)
{
    CDocument document;
    auto* pHints = new RecordingHints;
    m_grid.m_pUpdateHintImp = pHints;
    m_grid.SetGridWnd(&m_grid, &document, nullptr);
    m_grid.m_bHintsEnabled = TRUE;
    Parent().ShowWindow(SW_SHOWNA);
    m_grid.ShowWindow(SW_SHOWNA);
    m_grid.ValidateRect(nullptr);

    m_grid.InvalidateRange(1, 1, 1, 1, 0, TRUE);
    CRect rectUpdate;
    EXPECT_FALSE(m_grid.GetUpdateRect(&rectUpdate));
    EXPECT_EQ(pHints->m_nHints, 0);

    m_grid.InvalidateRange(1, 1, 1, 1, GX_INVALIDATE, TRUE);
    EXPECT_TRUE(m_grid.GetUpdateRect(&rectUpdate));
    EXPECT_EQ(rectUpdate, m_grid.CalcRectFromRowCol(1, 1));
    EXPECT_EQ(pHints->m_nHints, 1);

    m_grid.InvalidateRange(1, 1, 1, 1, GX_INVALIDATE, FALSE);
    EXPECT_EQ(pHints->m_nHints, 1);

    // A recalculation tells the other views only when asked to.
    m_grid.RecalcAndRedraw(FALSE, nullptr, FALSE);
    EXPECT_EQ(pHints->m_nRecalcHints, 0);
    m_grid.RecalcAndRedraw(FALSE, nullptr, TRUE);
    EXPECT_EQ(pHints->m_nRecalcHints, 1);
    m_grid.SetGridWnd(&m_grid, nullptr, nullptr);
    Parent().ShowWindow(SW_HIDE);
}

TEST_F(GridCoreSupportTest, WithoutFeaturesTheForwardersAnswerNothing)
{
    delete m_grid.m_pCommandFactory;
    m_grid.m_pCommandFactory = nullptr;
    delete m_grid.m_pDirectCopyMoveCellsImp;
    m_grid.m_pDirectCopyMoveCellsImp = nullptr;
    delete m_grid.m_pResizeToFitImp;
    m_grid.m_pResizeToFitImp = nullptr;
    delete m_grid.m_pMoveRowsColsImp;
    m_grid.m_pMoveRowsColsImp = nullptr;
    delete m_grid.m_pClearCellsImp;
    m_grid.m_pClearCellsImp = nullptr;
    delete m_grid.m_pSortImp;
    m_grid.m_pSortImp = nullptr;
    delete m_grid.m_pFindReplaceImp;
    m_grid.m_pFindReplaceImp = nullptr;
    m_grid.SetExcelLikeFillImp(nullptr);
    delete m_grid.m_pCutPasteImp;
    m_grid.m_pCutPasteImp = nullptr;
    delete m_grid.m_pTextDataExchangeImp;
    m_grid.m_pTextDataExchangeImp = nullptr;
    delete m_grid.m_pStyleDataExchangeImp;
    m_grid.m_pStyleDataExchangeImp = nullptr;
    CGXRangeList list;
    list.AddTail(new CGXRange(1, 1));
    const CGXRange range(1, 1);
    const CDWordArray order;
    ROWCOL nSearchRow = 1;
    const BOOL answers[] = {
        m_grid.Copy(),
        m_grid.Paste(),
        m_grid.Cut(),
        m_grid.CanCopy(),
        m_grid.CanCut(),
        m_grid.CanPaste(),
        m_grid.CopyRangeListToClipboard(list),
        m_grid.CutRangeList(list, FALSE),
        m_grid.PasteRangeList(range),
        m_grid.PasteStylesFromClipboard(range),
        m_grid.IsGridClipboardFormatAvailable(),
        m_grid.ConfirmClipboardAction(),
        m_grid.CopyTextToClipboard(list),
        m_grid.CopyDataToClipboard(list, FALSE),
        m_grid.CanClear(),
        m_grid.ClearSelection(FALSE),
        m_grid.Undo(),
        m_grid.Redo(),
        m_grid.IsRowHidden(3),
        m_grid.ResizeRowHeightsToFit(range),
        m_grid.RestoreDataObjectUndoInfo(nullptr, 0, 0),
        m_grid.CopyCells(range, 5, 5),
        m_grid.SetRangeName(L"Total", range, nullptr, 0, 0),
        m_grid.DeleteRangeName(L"Total", 0, 0),
        m_grid.MoveRowsToSortOrder(range, order),
        m_grid.MoveColDataToSortOrder(range, order),
        m_grid.MoveRows(2, 3, 6),
        m_grid.DoMoveCols(1, 2, 3),
        m_grid.StoreMoveRows(2, 3, 6, TRUE),
        m_grid.StartDragRowsCols(2, 0),
        m_grid.OnDropRowsCols(2, 0, 6, 0),
        m_grid.CanFreezeCols(),
        m_grid.CanUnfreezeRows(),
        m_grid.ClearRange(range, TRUE),
        m_grid.ExecuteCommand(nullptr, &m_grid, 0),
        m_grid.FindNext(TRUE),
        m_grid.SearchCells(nSearchRow, 1, TRUE),
        m_grid.QueryDelayedMergeCells(1, 1, 5, 5),
        m_grid.EvalFloatCell(1, 1, nullptr, TRUE, TRUE),
        m_grid.SingleRangeListCallA(range, FALSE),
        m_grid.SingleRangeListCallB(range, FALSE),
        m_grid.SpareCallA(1, 2, 3),
        m_grid.SpareCallJ(1, 2, 3, 4),
    };
    for (size_t i = 0; i < std::size(answers); ++i)
        EXPECT_FALSE(answers[i]) << i;

    RecordingCmdUI undo, redo;
    EXPECT_FALSE(m_grid.UpdateUndoCommandUI(&undo));
    EXPECT_FALSE(m_grid.UpdateRedoCommandUI(&redo));
    EXPECT_EQ(undo.m_nEnabled, FALSE);
    EXPECT_EQ(redo.m_nEnabled, FALSE);

    CGXRange covered(2, 2, 4, 4);
    EXPECT_EQ(m_grid.GetCoveredCellsRowCol(3, 3, covered), nullptr);
    EXPECT_EQ(covered.bottom, 4u); // untouched
    EXPECT_EQ(m_grid.GetCellRangeRowCol(3, 3, covered), nullptr);
}

TEST(FindReplaceStateTest, TheAnsiCopyFitsMultiByteText)
{
    GX_FR_STATE state;
    state.m_strFind = L"Stra\u00dfe \u20ac\u4e2d";
    state.PrepareFind();
    EXPECT_STREQ(state.m_strFindUpper, L"STRA\u00dfE \u20ac\u4e2d");
    // The whole text, however many bytes a character takes in the code page.
    char szExpected[64];
    ASSERT_GT(::WideCharToMultiByte(CP_ACP, 0, state.m_strFind, -1, szExpected, 64, nullptr, nullptr), 0);
    ASSERT_NE(state.GetAnsiFind(), nullptr);
    EXPECT_STREQ(state.GetAnsiFind(), szExpected);

    state.m_bCase = TRUE;
    state.PrepareFind();
    EXPECT_STREQ(state.m_strFindUpper, state.m_strFind);
    state.FreeAnsiFind();
    EXPECT_EQ(state.GetAnsiFind(), nullptr);
    EXPECT_TRUE(state.m_bNext); // searches down by default
}

TEST_F(GridCoreSupportTest, ValuesAreStoredPlainlyOrThroughTheCellsControl)
{
    ASSERT_TRUE(m_grid.StoreCellValue(2, 3, L"plain", GX_INVALIDATE, nullptr));
    CString strText;
    m_grid.GetCellValueText(strText, 2, 3);
    EXPECT_STREQ(strText, L"plain");

    const WORD nId = m_grid.GetStandardStyle()->GetControl();
    auto* pControl = new UpperCaseControl(&m_grid);
    m_grid.RegisterControl(nId, pControl, FALSE, FALSE);
    ASSERT_TRUE(m_grid.SetControlTextRowCol(4, 1, L"abc", GX_INVALIDATE, nullptr));
    EXPECT_STREQ(m_grid.GetValueRowCol(4, 1), L"ABC");
    EXPECT_EQ(pControl->m_nControlId, nId); // the composed style was handed on

    // A read-only grid refuses both.
    m_grid.SetParamSetting(TRUE);
    EXPECT_FALSE(m_grid.StoreCellValue(2, 3, L"x", GX_INVALIDATE, nullptr));
    EXPECT_FALSE(m_grid.SetControlTextRowCol(4, 1, L"x", GX_INVALIDATE, nullptr));
    EXPECT_STREQ(m_grid.GetValueRowCol(4, 1), L"ABC");
}
