#include <grid/services/views/GridUpdateHintImp.h>

#include <afxext.h>

#include <grid/core/GridAxis.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/RangeList.h>
#include <grid/services/views/GridHint.h>

namespace
{
// The hint kinds, by what the receiving view does.
enum HintKind : DWORD
{
    hintRedraw = 1,
    hintInvalidateRange = 2,
    hintRowCount = 3,
    hintColCount = 4,
    hintHideRows = 5,
    hintHideCols = 6,
    hintInsertCols = 7,
    hintInsertRows = 8,
    hintRemoveCols = 9,
    hintRemoveRows = 10,
    hintMoveCols = 11,
    hintMoveRows = 12,
    hintRangeChange = 13,
    hintUpdateWindow = 14,
    hintFrozenRows = 15,
    hintFrozenCols = 16,
    hintRedrawRange = 17,
    hintCoveredCells = 18,
    hintUpdateZoom = 19,
    hintStoreZoom = 20,
    hintParamSetting = 21,
    hintAppNotify = 22,
    hintSelectionChanges = 23,
    hintTransferCurrentCell = 24,
    hintTopRow = 25,
    hintLeftCol = 26,
    hintSetCurrentCell = 27,
    hintFloatedCells = 28,
    hintMergedCells = 29,
    hintSelectionFrame = 30,
    hintRowsSorted = 31,
    hintColsSorted = 32,
    hintRedrawGrid = 33,
    hintRefreshBaseStyles = 34,
    hintBaseStyleChange = 35,
    hintRecalc = 36
};

// The hint kinds that have a row and a column twin, by direction.
struct AxisHints
{
    DWORD count;
    DWORD frozen;
    DWORD hide;
    DWORD insert;
    DWORD remove;
    DWORD move;
    DWORD sorted;
    DWORD first;
};
constexpr AxisHints rowHints{hintRowCount,   hintFrozenRows, hintHideRows,   hintInsertRows,
                             hintRemoveRows, hintMoveRows,   hintRowsSorted, hintTopRow};
constexpr AxisHints colHints{hintColCount,   hintFrozenCols, hintHideCols,   hintInsertCols,
                             hintRemoveCols, hintMoveCols,   hintColsSorted, hintLeftCol};

const AxisHints& HintsOf(BOOL bRows)
{
    return bRows ? rowHints : colHints;
}

// A hint of the kind from the grid's view, with the redraw flags.
struct SentHint : CGXGridHint
{
    SentHint(const CGXGridCore* pGrid, DWORD nKind, UINT nFlags = 0) : CGXGridHint(nKind, pGrid->GetViewId())
    {
        flags = nFlags;
    }
    SentHint(const CGXGridCore* pGrid, DWORD nKind, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol, UINT nFlags)
        : SentHint(pGrid, nKind, nFlags)
    {
        row1 = nRow;
        col1 = nCol;
        row2 = nToRow;
        col2 = nToCol;
    }
    // A band of rows (columns) from nFrom to nTo, of the direction's kind, with what its
    // receivers read of it.
    SentHint(const CGXGridCore* pGrid, DWORD AxisHints::*pKind, BOOL bRows, ROWCOL nFrom, ROWCOL nTo, void* pObject,
             UINT nFlags)
        : SentHint(pGrid, HintsOf(bRows).*pKind, nFlags)
    {
        (bRows ? row1 : col1) = nFrom;
        (bRows ? row2 : col2) = nTo;
        object = pObject;
    }
};

// Sends the hint to the other views of the document.
BOOL Send(CGXGridCore* pGrid, CGXGridHint& hint)
{
    pGrid->UpdateAllViews(pGrid->GridWnd(), 0, &hint);
    return TRUE;
}

// Sends a band of rows (columns) as a hint of the direction's kind.
BOOL SendBand(CGXGridCore* pGrid, DWORD AxisHints::*pKind, BOOL bRows, ROWCOL nFrom, ROWCOL nTo, void* pObject,
              UINT flags)
{
    SentHint hint(pGrid, pKind, bRows, nFrom, nTo, pObject, flags);
    return Send(pGrid, hint);
}

// The band fields of a hint in its direction.
ROWCOL From(const CGXGridHint& hint, BOOL bRows)
{
    return bRows ? hint.row1 : hint.col1;
}
ROWCOL To(const CGXGridHint& hint, BOOL bRows)
{
    return bRows ? hint.row2 : hint.col2;
}
ROWCOL& Dest(CGXGridHint& hint, BOOL bRows)
{
    return bRows ? hint.row3 : hint.col3;
}

// Replays a hint of a kind with a row and a column twin through the core operation of its
// direction.
void ReplayAxis(CGXGridCore* pGrid, CGXGridHint& hint, BOOL bRows)
{
    const AxisHints& kinds = HintsOf(bRows);
    const GXGridAxis axis(*pGrid, bRows);
    const UINT flags = hint.flags;
    const DWORD id = hint.id;
    if (id == kinds.count)
        axis.UpdateChangedCount(From(hint, bRows), flags, FALSE);
    else if (id == kinds.frozen)
        axis.UpdateFrozen(From(hint, bRows), To(hint, bRows), flags, FALSE);
    else if (id == kinds.hide)
        axis.UpdateHide(From(hint, bRows), To(hint, bRows), static_cast<const BYTE*>(hint.object), flags, FALSE);
    else if (id == kinds.insert)
        axis.UpdateInsert(From(hint, bRows), hint.value2, flags, FALSE);
    else if (id == kinds.remove)
        axis.UpdateRemove(From(hint, bRows), To(hint, bRows), static_cast<int*>(hint.object), flags, FALSE);
    else if (id == kinds.move)
        axis.UpdateMove(From(hint, bRows), To(hint, bRows), Dest(hint, bRows), flags, FALSE);
    else if (id == kinds.sorted)
        axis.OnSorted(hint.range, flags, FALSE);
    else if (id == kinds.first)
        axis.SetFirst(From(hint, bRows), flags, FALSE);
}

// Kinds 25 and 26 reach a pane only beside another in its splitter's row (column), and only
// the pane that the hint names.
BOOL IsPaneBeside(const CGXGridCore* pGrid, const CGXGridHint& hint)
{
    const CSplitterWnd* pSplitter = pGrid->GetSplitterParent();
    if (pSplitter == nullptr || hint.object != pGrid->GridWnd())
        return FALSE;
    return hint.id == hintTopRow ? pSplitter->GetColumnCount() >= 2 : pSplitter->GetRowCount() >= 2;
}
} // namespace

void CGXGridUpdateHintImp::OnHint(CGXGridCore* pGrid, CObject* pHint)
{
    auto* pGridHint = DYNAMIC_DOWNCAST(CGXGridHint, pHint);
    if (pGrid->GetParam() == nullptr || pGridHint == nullptr)
        return;
    if (pGridHint->viewId != CGXGridHint::allViews && pGridHint->viewId != pGrid->GetViewId())
        return;
    if (pGridHint->id < hintRedraw || pGridHint->id > hintRecalc)
        return;
    if ((pGridHint->id == hintTopRow || pGridHint->id == hintLeftCol) && !IsPaneBeside(pGrid, *pGridHint))
        return;
    if (pGridHint->id == hintUpdateZoom || pGridHint->id == hintStoreZoom)
    {
        const CSplitterWnd* pSplitter = pGrid->GetSplitterParent();
        const BOOL bSameSplitter = pSplitter != nullptr && pGridHint->object == pSplitter;
        if (!bSameSplitter && pGrid->GetParam()->m_wFloatCellsMode == 0)
            return;
    }
    Replay(pGrid, *pGridHint);
}

void CGXGridUpdateHintImp::Replay(CGXGridCore* pGrid, CGXGridHint& hint)
{
    const UINT flags = hint.flags;
    switch (hint.id)
    {
    case hintRowCount:
    case hintFrozenRows:
    case hintHideRows:
    case hintInsertRows:
    case hintRemoveRows:
    case hintMoveRows:
    case hintRowsSorted:
    case hintTopRow:
        ReplayAxis(pGrid, hint, TRUE);
        break;
    case hintColCount:
    case hintFrozenCols:
    case hintHideCols:
    case hintInsertCols:
    case hintRemoveCols:
    case hintMoveCols:
    case hintColsSorted:
    case hintLeftCol:
        ReplayAxis(pGrid, hint, FALSE);
        break;
    case hintRedraw:
    case hintRedrawGrid:
        pGrid->RedrawGrid(flags, FALSE);
        break;
    case hintInvalidateRange:
        pGrid->InvalidateRange(hint.row1, hint.col1, hint.row2, hint.col2, flags, FALSE);
        break;
    case hintRangeChange:
        if (pGrid->m_pUserSelectRangeImp != nullptr)
            pGrid->m_pUserSelectRangeImp->RedrawRangeChange(pGrid, static_cast<POSITION>(hint.object), hint.row1,
                                                            hint.col1, hint.row2, hint.col2, FALSE);
        break;
    case hintUpdateWindow:
        if (pGrid->GridWnd() != nullptr && pGrid->GridWnd()->GetSafeHwnd() != nullptr)
            pGrid->GridWnd()->UpdateWindow();
        break;
    case hintRedrawRange:
        pGrid->RedrawRange(hint.range, flags, FALSE);
        break;
    case hintCoveredCells:
        pGrid->UpdateCoveredCellsRowCol(hint.row1, hint.col1, hint.row2, hint.col2, flags, FALSE);
        break;
    case hintUpdateZoom:
        pGrid->UpdateZoom(static_cast<int>(hint.value1), flags, FALSE);
        break;
    case hintStoreZoom:
        pGrid->StoreZoom(static_cast<int>(hint.value1), FALSE);
        break;
    case hintParamSetting:
        pGrid->OnParamSettingChanged(static_cast<BOOL>(hint.value1), FALSE);
        break;
    case hintAppNotify:
        pGrid->OnGridAppNotify(1);
        break;
    case hintSelectionChanges:
        if (hint.object != nullptr && pGrid->m_pUserSelectRangeImp != nullptr)
            pGrid->m_pUserSelectRangeImp->RedrawSelectionChanges(pGrid, *static_cast<const CGXRangeList*>(hint.object),
                                                                 FALSE);
        break;
    case hintTransferCurrentCell:
        hint.value2 &= pGrid->TransferCurrentCell(static_cast<BOOL>(hint.value1), flags, FALSE) ? 1 : 0;
        break;
    case hintSetCurrentCell:
        pGrid->SetCurrentCell(hint.row1, hint.col1, flags);
        break;
    case hintFloatedCells:
        if (pGrid->m_pFloatCellsImp != nullptr)
            pGrid->m_pFloatCellsImp->UpdateFloatedCellsRowCol(pGrid, hint.row1, hint.col1, hint.row2, hint.col2, flags,
                                                              FALSE);
        break;
    case hintMergedCells:
        if (pGrid->m_pMergeCellsImp != nullptr)
            pGrid->m_pMergeCellsImp->UpdateMergedCellsRowCol(pGrid, hint.row1, hint.col1, hint.row2, hint.col2, flags,
                                                             FALSE);
        break;
    case hintSelectionFrame:
        if (pGrid->m_pExcelLikeFrameImp != nullptr)
            pGrid->m_pExcelLikeFrameImp->OnSelectionFrameChanged(pGrid, static_cast<BOOL>(flags), FALSE);
        break;
    case hintRefreshBaseStyles:
        pGrid->RefreshBaseStyles(flags, FALSE);
        break;
    case hintBaseStyleChange:
        pGrid->RefreshAfterBaseStyleChange(static_cast<WORD>(hint.value2), flags, FALSE);
        break;
    case hintRecalc:
        pGrid->RecalcAndRedraw(FALSE, static_cast<CString*>(hint.object), FALSE);
        break;
    default:
        break;
    }
}

BOOL CGXGridUpdateHintImp::SendToPanesBeside(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFirst, UINT flags)
{
    int nPaneRow = 0;
    int nPaneCol = 0;
    const CSplitterWnd* pSplitter = pGrid->GetSplitterParent(&nPaneRow, &nPaneCol);
    if (pSplitter == nullptr || (bRows ? pSplitter->GetColumnCount() : pSplitter->GetRowCount()) < 2)
        return FALSE;
    SentHint hint(pGrid, &AxisHints::first, bRows, nFirst, 0, nullptr, flags);
    const int nPanes = bRows ? pSplitter->GetColumnCount() : pSplitter->GetRowCount();
    for (int i = 0; i < nPanes; ++i)
    {
        CWnd* pPane = bRows ? pSplitter->GetPane(nPaneRow, i) : pSplitter->GetPane(i, nPaneCol);
        if (pPane == nullptr || pPane == pGrid->GridWnd())
            continue;
        hint.object = pPane;
        Send(pGrid, hint);
    }
    return TRUE;
}

BOOL CGXGridUpdateHintImp::HintParamSettingChanged(CGXGridCore* pGrid, DWORD nSetting)
{
    SentHint hint(pGrid, hintParamSetting);
    hint.value1 = nSetting;
    return Send(pGrid, hint);
}

BOOL CGXGridUpdateHintImp::HintSetCurrentCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, UINT flags)
{
    SentHint hint(pGrid, hintSetCurrentCell, flags);
    hint.row1 = nRow;
    hint.col1 = nCol;
    return Send(pGrid, hint);
}

BOOL CGXGridUpdateHintImp::HintTransferCurrentCell(CGXGridCore* pGrid, BOOL bSaveAndValidate, UINT flags)
{
    SentHint hint(pGrid, hintTransferCurrentCell, flags);
    hint.value1 = static_cast<DWORD>(bSaveAndValidate);
    hint.value2 = 1;
    Send(pGrid, hint);
    return hint.value2 != 0;
}

BOOL CGXGridUpdateHintImp::HintChangedRowCount(CGXGridCore* pGrid, ROWCOL nOldCount, UINT flags)
{
    return SendBand(pGrid, &AxisHints::count, TRUE, nOldCount, 0, nullptr, flags);
}

BOOL CGXGridUpdateHintImp::HintChangedColCount(CGXGridCore* pGrid, ROWCOL nOldCount, UINT flags)
{
    return SendBand(pGrid, &AxisHints::count, FALSE, nOldCount, 0, nullptr, flags);
}

BOOL CGXGridUpdateHintImp::HintFrozenCols(CGXGridCore* pGrid, ROWCOL nOldFrozenCols, ROWCOL nOldHeaderCols, UINT flags)
{
    return SendBand(pGrid, &AxisHints::frozen, FALSE, nOldFrozenCols, nOldHeaderCols, nullptr, flags);
}

BOOL CGXGridUpdateHintImp::HintFrozenRows(CGXGridCore* pGrid, ROWCOL nOldFrozenRows, ROWCOL nOldHeaderRows, UINT flags)
{
    return SendBand(pGrid, &AxisHints::frozen, TRUE, nOldFrozenRows, nOldHeaderRows, nullptr, flags);
}

BOOL CGXGridUpdateHintImp::HintTopRow(CGXGridCore* pGrid, ROWCOL nRow, UINT flags)
{
    return SendToPanesBeside(pGrid, TRUE, nRow, flags);
}

BOOL CGXGridUpdateHintImp::HintLeftCol(CGXGridCore* pGrid, ROWCOL nCol, UINT flags)
{
    return SendToPanesBeside(pGrid, FALSE, nCol, flags);
}

BOOL CGXGridUpdateHintImp::HintInsertRows(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCount, UINT flags)
{
    SentHint hint(pGrid, &AxisHints::insert, TRUE, nRow, 0, nullptr, flags);
    hint.value2 = nCount;
    return Send(pGrid, hint);
}

BOOL CGXGridUpdateHintImp::HintInsertCols(CGXGridCore* pGrid, ROWCOL nCol, ROWCOL nCount, UINT flags)
{
    SentHint hint(pGrid, &AxisHints::insert, FALSE, nCol, 0, nullptr, flags);
    hint.value2 = nCount;
    return Send(pGrid, hint);
}

BOOL CGXGridUpdateHintImp::HintInvalidateRange(CGXGridCore* pGrid, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom,
                                               ROWCOL nRight, UINT flags)
{
    SentHint hint(pGrid, hintInvalidateRange, nTop, nLeft, nBottom, nRight, flags);
    return Send(pGrid, hint);
}

BOOL CGXGridUpdateHintImp::HintRedraw(CGXGridCore* pGrid, UINT flags)
{
    SentHint hint(pGrid, hintRedraw, flags);
    return Send(pGrid, hint);
}

BOOL CGXGridUpdateHintImp::HintRecalc(CGXGridCore* pGrid, CString* pError)
{
    SentHint hint(pGrid, hintRecalc);
    hint.object = pError;
    return Send(pGrid, hint);
}

BOOL CGXGridUpdateHintImp::HintAppNotify(CGXGridCore* pGrid)
{
    SentHint hint(pGrid, hintAppNotify);
    return Send(pGrid, hint);
}

BOOL CGXGridUpdateHintImp::HintScroll(CGXGridCore* pGrid, int nDirection)
{
    const BOOL bRows = nDirection == 1 || nDirection == 3;
    return SendToPanesBeside(pGrid, bRows, GXGridAxis(*pGrid, bRows).First(), GX_UPDATENOW);
}

BOOL CGXGridUpdateHintImp::HintSelectionChanges(CGXGridCore* pGrid, const CGXRange& range, const CGXRangeList* pOldList)
{
    SentHint hint(pGrid, hintSelectionChanges);
    hint.range = range;
    hint.object = const_cast<CGXRangeList*>(pOldList);
    return Send(pGrid, hint);
}

BOOL CGXGridUpdateHintImp::HintSelectionFrame(CGXGridCore* pGrid, BOOL bOn)
{
    SentHint hint(pGrid, hintSelectionFrame, static_cast<UINT>(bOn));
    return Send(pGrid, hint);
}

BOOL CGXGridUpdateHintImp::HintRangeChange(CGXGridCore* pGrid, POSITION pos, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom,
                                           ROWCOL nRight)
{
    SentHint hint(pGrid, hintRangeChange, nTop, nLeft, nBottom, nRight, 0);
    hint.object = pos;
    return Send(pGrid, hint);
}

BOOL CGXGridUpdateHintImp::HintUpdateWindow(CGXGridCore* pGrid)
{
    SentHint hint(pGrid, hintUpdateWindow);
    return Send(pGrid, hint);
}

BOOL CGXGridUpdateHintImp::HintHideRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, const BYTE* pOldStates,
                                        UINT flags)
{
    return SendBand(pGrid, &AxisHints::hide, TRUE, nFrom, nTo, const_cast<BYTE*>(pOldStates), flags);
}

BOOL CGXGridUpdateHintImp::HintHideCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, const BYTE* pOldStates,
                                        UINT flags)
{
    return SendBand(pGrid, &AxisHints::hide, FALSE, nFrom, nTo, const_cast<BYTE*>(pOldStates), flags);
}

BOOL CGXGridUpdateHintImp::HintStoreZoom(CGXGridCore* pGrid, int nZoom)
{
    SentHint hint(pGrid, hintStoreZoom);
    hint.value1 = static_cast<DWORD>(nZoom);
    hint.object = pGrid->GetSplitterParent();
    return Send(pGrid, hint);
}

BOOL CGXGridUpdateHintImp::HintUpdateZoom(CGXGridCore* pGrid, int nOldZoom, UINT flags)
{
    SentHint hint(pGrid, hintUpdateZoom, flags);
    hint.value1 = static_cast<DWORD>(nOldZoom);
    hint.object = pGrid->GetSplitterParent();
    return Send(pGrid, hint);
}

BOOL CGXGridUpdateHintImp::HintRedrawRange(CGXGridCore* pGrid, const CGXRange& range, UINT flags)
{
    SentHint hint(pGrid, hintRedrawRange, flags);
    hint.range = range;
    return Send(pGrid, hint);
}

BOOL CGXGridUpdateHintImp::HintRefreshBaseStyles(CGXGridCore* pGrid, UINT flags)
{
    SentHint hint(pGrid, hintRefreshBaseStyles, flags);
    return Send(pGrid, hint);
}

BOOL CGXGridUpdateHintImp::HintRedrawGrid(CGXGridCore* pGrid, UINT flags)
{
    SentHint hint(pGrid, hintRedrawGrid, flags);
    return Send(pGrid, hint);
}

BOOL CGXGridUpdateHintImp::HintBaseStyleChange(CGXGridCore* pGrid, WORD nBaseStyleId, UINT flags)
{
    SentHint hint(pGrid, hintBaseStyleChange, flags);
    hint.value2 = nBaseStyleId;
    return Send(pGrid, hint);
}

BOOL CGXGridUpdateHintImp::HintCoveredCells(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                                            UINT flags)
{
    SentHint hint(pGrid, hintCoveredCells, nRow, nCol, nToRow, nToCol, flags);
    return Send(pGrid, hint);
}

BOOL CGXGridUpdateHintImp::HintFloatedCells(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                                            UINT flags)
{
    SentHint hint(pGrid, hintFloatedCells, nRow, nCol, nToRow, nToCol, flags);
    return Send(pGrid, hint);
}

BOOL CGXGridUpdateHintImp::HintMergedCells(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                                           UINT flags)
{
    SentHint hint(pGrid, hintMergedCells, nRow, nCol, nToRow, nToCol, flags);
    return Send(pGrid, hint);
}

BOOL CGXGridUpdateHintImp::HintRowsSorted(CGXGridCore* pGrid, const CGXRange& range, UINT flags)
{
    SentHint hint(pGrid, &AxisHints::sorted, TRUE, 0, 0, nullptr, flags);
    hint.range = range;
    return Send(pGrid, hint);
}

BOOL CGXGridUpdateHintImp::HintColsSorted(CGXGridCore* pGrid, const CGXRange& range, UINT flags)
{
    SentHint hint(pGrid, &AxisHints::sorted, FALSE, 0, 0, nullptr, flags);
    hint.range = range;
    return Send(pGrid, hint);
}

BOOL CGXGridUpdateHintImp::HintRemoveRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, const int* pOldHeights,
                                          UINT flags)
{
    return SendBand(pGrid, &AxisHints::remove, TRUE, nFrom, nTo, const_cast<int*>(pOldHeights), flags);
}

BOOL CGXGridUpdateHintImp::HintRemoveCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, const int* pOldWidths,
                                          UINT flags)
{
    return SendBand(pGrid, &AxisHints::remove, FALSE, nFrom, nTo, const_cast<int*>(pOldWidths), flags);
}

BOOL CGXGridUpdateHintImp::HintMoveRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, UINT flags)
{
    SentHint hint(pGrid, &AxisHints::move, TRUE, nFrom, nTo, nullptr, flags);
    Dest(hint, TRUE) = nDest;
    return Send(pGrid, hint);
}

BOOL CGXGridUpdateHintImp::HintMoveCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, UINT flags)
{
    SentHint hint(pGrid, &AxisHints::move, FALSE, nFrom, nTo, nullptr, flags);
    Dest(hint, FALSE) = nDest;
    return Send(pGrid, hint);
}
