// The row and column structure: frozen and header counts, and inserting and removing rows and
// columns in three steps (the public operation with undo, the store step, the update step).
// Rows and columns share one implementation, chosen by bRows.
#include <grid/core/GridCore.h>

#include <grid/controls/Control.h>

#include <grid/core/AppData.h>
#include <grid/core/Data.h>
#include <grid/core/GridParam.h>
#include <grid/core/LongOperationImp.h>
#include <grid/core/Style.h>

#include <algorithm>

#include <memory>

BOOL CGXGridCore::SetFrozenRows(ROWCOL nFrozenRows, ROWCOL nHeaderRows, UINT /*flags*/)
{
    if (IsReadOnlyLocked() || m_pParam == nullptr)
        return FALSE;
    m_pParam->m_nFrozenRows = nFrozenRows;
    m_pParam->m_nHeaderRows = nHeaderRows;
    DocumentLinkCall(1);
    return TRUE;
}

BOOL CGXGridCore::SetFrozenCols(ROWCOL nFrozenCols, ROWCOL nHeaderCols, UINT /*flags*/)
{
    if (IsReadOnlyLocked() || m_pParam == nullptr)
        return FALSE;
    m_pParam->m_nFrozenCols = nFrozenCols;
    m_pParam->m_nHeaderCols = nHeaderCols;
    DocumentLinkCall(1);
    return TRUE;
}

BOOL CGXGridCore::FreezeRows(ROWCOL nFrozenRows, ROWCOL nHeaderRows, UINT flags, int nCommandKind)
{
    return Freeze(TRUE, nFrozenRows, nHeaderRows, flags, nCommandKind);
}

BOOL CGXGridCore::FreezeCols(ROWCOL nFrozenCols, ROWCOL nHeaderCols, UINT flags, int nCommandKind)
{
    return Freeze(FALSE, nFrozenCols, nHeaderCols, flags, nCommandKind);
}

BOOL CGXGridCore::Freeze(BOOL bRows, ROWCOL nFrozen, ROWCOL nHeader, UINT flags, int nCommandKind)
{
    const ROWCOL nOldFrozen = bRows ? GetFrozenRows() : GetFrozenCols();
    const ROWCOL nOldHeader = bRows ? GetHeaderRows() : GetHeaderCols();
    if (!(bRows ? SetFrozenRows(nFrozen, nHeader, flags) : SetFrozenCols(nFrozen, nHeader, flags)))
        return FALSE;
    if (bRows)
        UpdateFrozenRows(nOldFrozen, nOldHeader, flags, TRUE);
    else
        UpdateFrozenCols(nOldFrozen, nOldHeader, flags, TRUE);
    if (IsUndoRecorded(nCommandKind))
        m_pCommandFactory->AddCommand(this, m_pCommandFactory->CreateFreezeCmd(this, bRows, nOldFrozen, nOldHeader),
                                      nCommandKind);
    return TRUE;
}

void CGXGridCore::UpdateFrozenRows(ROWCOL nOldFrozenRows, ROWCOL nOldHeaderRows, UINT flags, BOOL bHint)
{
    UpdateFrozen(TRUE, nOldFrozenRows, flags);
    if (CGXAbstractGridUpdateHintImp* pHints = HintSender(bHint))
        pHints->HintFrozenRows(this, nOldFrozenRows, nOldHeaderRows, flags);
}

void CGXGridCore::UpdateFrozenCols(ROWCOL nOldFrozenCols, ROWCOL nOldHeaderCols, UINT flags, BOOL bHint)
{
    UpdateFrozen(FALSE, nOldFrozenCols, flags);
    if (CGXAbstractGridUpdateHintImp* pHints = HintSender(bHint))
        pHints->HintFrozenCols(this, nOldFrozenCols, nOldHeaderCols, flags);
}

void CGXGridCore::UpdateFrozen(BOOL bRows, ROWCOL nOldFrozen, UINT flags)
{
    const ROWCOL nFrozen = bRows ? GetFrozenRows() : GetFrozenCols();
    ROWCOL& nFirst = bRows ? m_nTopRow : m_nLeftCol;
    // A view that began just below the frozen part still does, so unfreezing shows what
    // freezing hid.
    nFirst = nFirst == nOldFrozen + 1 ? nFrozen + 1 : std::max(nFirst, nFrozen + 1);
    OnFrozenCountChanged();
    // Spans across the old or the new frozen edge are evaluated anew.
    CGXRange range;
    const ROWCOL nLow = std::min(nOldFrozen, nFrozen);
    const ROWCOL nHigh = std::max(nOldFrozen, nFrozen) + 1;
    if (bRows)
        DelayMergeCells(range.SetRows(std::max<ROWCOL>(nLow, 1), nHigh));
    else
    {
        range.SetCols(std::max<ROWCOL>(nLow, 1), nHigh);
        DelayMergeCells(range);
        DelayFloatCells(range);
    }
    if (!m_bLockUpdate)
        RedrawGrid(flags, FALSE);
}

BOOL CGXGridCore::StoreInsertRows(ROWCOL nRow, ROWCOL nCount, BOOL bProcessed)
{
    return StoreInsert(TRUE, nRow, nCount, bProcessed);
}

BOOL CGXGridCore::StoreInsertCols(ROWCOL nCol, ROWCOL nCount, BOOL bProcessed)
{
    return StoreInsert(FALSE, nCol, nCount, bProcessed);
}

BOOL CGXGridCore::StoreRemoveRows(ROWCOL nFromRow, ROWCOL nToRow, BOOL bProcessed)
{
    return StoreRemove(TRUE, nFromRow, nToRow, bProcessed);
}

BOOL CGXGridCore::StoreRemoveCols(ROWCOL nFromCol, ROWCOL nToCol, BOOL bProcessed)
{
    return StoreRemove(FALSE, nFromCol, nToCol, bProcessed);
}

BOOL CGXGridCore::StoreInsert(BOOL bRows, ROWCOL nFrom, ROWCOL nCount, BOOL bProcessed)
{
    if (IsReadOnlyLocked() || m_pParam == nullptr)
        return FALSE;
    if (CGXData* pData = GetData())
        bProcessed |= bRows ? pData->InsertRowsImpl(nFrom, nCount) : pData->InsertColsImpl(nFrom, nCount);
    if (!bProcessed)
        return FALSE;
    DocumentLinkCall(1);
    if (m_pHideCellsImp != nullptr)
        bRows ? m_pHideCellsImp->InsertHiddenRows(this, nFrom, nCount)
              : m_pHideCellsImp->InsertHiddenCols(this, nFrom, nCount);
    if (bRows)
    {
        m_pParam->m_RowHeights.InsertKeys(nFrom, nCount);
        m_pParam->m_SelRects.InsertRows(nFrom, nCount);
        m_pParam->m_CoveredCellsList.InsertRows(nFrom, nCount);
    }
    else
    {
        m_pParam->m_ColWidths.InsertKeys(nFrom, nCount);
        m_pParam->m_SelRects.InsertCols(nFrom, nCount);
        m_pParam->m_CoveredCellsList.InsertCols(nFrom, nCount);
    }
    FollowStructureInSpans(bRows, TRUE, nFrom, nCount);
    return TRUE;
}

BOOL CGXGridCore::StoreRemove(BOOL bRows, ROWCOL nFrom, ROWCOL nTo, BOOL bProcessed)
{
    if (IsReadOnlyLocked() || m_pParam == nullptr)
        return FALSE;
    if (CGXData* pData = GetData())
        bProcessed |= bRows ? pData->RemoveRowsImpl(nFrom, nTo) : pData->RemoveColsImpl(nFrom, nTo);
    if (!bProcessed)
        return FALSE;
    DocumentLinkCall(1);
    if (m_pHideCellsImp != nullptr)
        bRows ? m_pHideCellsImp->RemoveHiddenRows(this, nFrom, nTo) : m_pHideCellsImp->RemoveHiddenCols(this, nFrom, nTo);
    if (bRows)
    {
        m_pParam->m_RowHeights.RemoveKeys(nFrom, nTo);
        m_pParam->m_SelRects.RemoveRows(nFrom, nTo, GetRowCount());
        m_pParam->m_CoveredCellsList.RemoveRows(nFrom, nTo, GetRowCount());
    }
    else
    {
        m_pParam->m_ColWidths.RemoveKeys(nFrom, nTo);
        m_pParam->m_SelRects.RemoveCols(nFrom, nTo, GetColCount());
        m_pParam->m_CoveredCellsList.RemoveCols(nFrom, nTo, GetColCount());
    }
    FollowStructureInSpans(bRows, FALSE, nFrom, nTo);
    return TRUE;
}

BOOL CGXGridCore::InsertRows(ROWCOL nRow, ROWCOL nCount, int* pHeights, CObArray* pCellStyles, CObArray* pRowStyles,
                             ROWCOL nColCount, UINT flags, int nCommandKind)
{
    return Insert(TRUE, nRow, nCount, pHeights, pCellStyles, pRowStyles, nColCount, flags, nCommandKind);
}

BOOL CGXGridCore::InsertCols(ROWCOL nCol, ROWCOL nCount, int* pWidths, CObArray* pCellStyles, CObArray* pColStyles,
                             ROWCOL nRowCount, UINT flags, int nCommandKind)
{
    return Insert(FALSE, nCol, nCount, pWidths, pCellStyles, pColStyles, nRowCount, flags, nCommandKind);
}

BOOL CGXGridCore::RemoveRows(ROWCOL nFromRow, ROWCOL nToRow, UINT flags, int nCommandKind)
{
    return Remove(TRUE, nFromRow, nToRow, flags, nCommandKind);
}

BOOL CGXGridCore::RemoveCols(ROWCOL nFromCol, ROWCOL nToCol, UINT flags, int nCommandKind)
{
    return Remove(FALSE, nFromCol, nToCol, flags, nCommandKind);
}

// Runs the store step with the command factory recording it only when an undo record is wanted;
// nArg is the count when inserting and the last row (column) when removing.
BOOL CGXGridCore::RunStoreStep(BOOL bRecord, BOOL bRows, BOOL bInsert, ROWCOL nFrom, ROWCOL nArg)
{
    const int nOldState = m_pCommandFactory != nullptr ? m_pCommandFactory->SetDataObjectUndoState(this, bRecord) : 0;
    BOOL bStored;
    if (bInsert)
        bStored = bRows ? StoreInsertRows(nFrom, nArg, FALSE) : StoreInsertCols(nFrom, nArg, FALSE);
    else
        bStored = bRows ? StoreRemoveRows(nFrom, nArg, FALSE) : StoreRemoveCols(nFrom, nArg, FALSE);
    if (m_pCommandFactory == nullptr)
        return bStored;
    m_pCommandFactory->SetDataObjectUndoState(this, nOldState);
    if (!bStored)
        m_pCommandFactory->DiscardDataObjectUndoInfo(this);
    return bStored;
}

BOOL CGXGridCore::Insert(BOOL bRows, ROWCOL nFrom, ROWCOL nCount, const int* pSizes, const CObArray* pCellStyles,
                         const CObArray* pLineStyles, ROWCOL nOtherCount, UINT flags, int nCommandKind)
{
    if (nFrom == 0 || nCount == 0 || !TransferCurrentCell(TRUE, GX_UPDATENOW, TRUE))
        return FALSE;
    HintImpScope hintScope(this);
    CGXLongOperationScope operation;
    const BOOL bUndo = IsUndoRecorded(nCommandKind);
    const CGXAppData* pAppData = GXGetAppDataPtr();
    if (nCommandKind == 0 && m_pCommandFactory != nullptr)
        m_pCommandFactory->BeginUndoBlock(this, bRows ? pAppData->m_sInsertRows : pAppData->m_sInsertColumns);
    const BOOL bStored = RunStoreStep(bUndo, bRows, TRUE, nFrom, nCount);
    BOOL bUndoInfoRestored = FALSE;
    if (bStored)
    {
        // The cell styles of line i lie at i * nOtherCount, from row (column) 0 on.
        for (ROWCOL i = 0; i < nCount; ++i)
        {
            const ROWCOL n = nFrom + i;
            if (pSizes != nullptr)
                bRows ? StoreRowHeight(n, pSizes[i]) : StoreColWidth(n, pSizes[i]);
            for (ROWCOL j = 0; pCellStyles != nullptr && j < nOtherCount; ++j)
            {
                const INT_PTR nIndex = static_cast<INT_PTR>(i) * nOtherCount + j;
                if (auto* pStyle = static_cast<const CGXStyle*>(
                        nIndex < pCellStyles->GetSize() ? pCellStyles->GetAt(nIndex) : nullptr))
                    StoreStyleRowCol(bRows ? n : j, bRows ? j : n, pStyle, CGXStyle::modeCopy, 0);
            }
            if (pLineStyles != nullptr && static_cast<INT_PTR>(i) < pLineStyles->GetSize())
                if (auto* pStyle = static_cast<const CGXStyle*>(pLineStyles->GetAt(i)))
                    StoreStyleRowCol(bRows ? n : 0, bRows ? 0 : n, pStyle, CGXStyle::modeCopy, -1);
        }
        // The entry after the cell styles holds what the data object's undo kept of the removed
        // rows (columns) at their old coordinates: it goes back once they are there again.
        const INT_PTR nUndoInfo = static_cast<INT_PTR>(nCount) * nOtherCount;
        if (pCellStyles != nullptr && nUndoInfo < pCellStyles->GetSize() && pCellStyles->GetAt(nUndoInfo) != nullptr)
            bUndoInfoRestored = RestoreDataObjectUndoInfo(pCellStyles->GetAt(nUndoInfo), 0, 0);
        if (bRows)
            UpdateInsertRows(nFrom, nCount, flags, TRUE);
        else
            UpdateInsertCols(nFrom, nCount, flags, TRUE);
        if (bUndo)
            AddStructureCommand(bRows, nFrom, m_pCommandFactory->CreateInsertCmd(this, bRows, nFrom, nCount),
                                nCommandKind);
        if (bUndoInfoRestored)
            RecalcAndRedraw(TRUE, nullptr, TRUE);
    }
    if (nCommandKind == 0 && m_pCommandFactory != nullptr)
        m_pCommandFactory->EndUndoBlock(this);
    return bStored;
}

BOOL CGXGridCore::Remove(BOOL bRows, ROWCOL nFrom, ROWCOL nTo, UINT flags, int nCommandKind)
{
    const ROWCOL nCount = bRows ? GetRowCount() : GetColCount();
    if (nFrom == 0 || nFrom > nTo || nFrom > nCount || !TransferCurrentCell(TRUE, GX_UPDATENOW, TRUE))
        return FALSE;
    nTo = std::min(nTo, nCount);
    HintImpScope hintScope(this);
    CGXLongOperationScope operation;
    const BOOL bUndo = IsUndoRecorded(nCommandKind);
    const ROWCOL nOtherCount = (bRows ? GetColCount() : GetRowCount()) + 1;
    CObject* pSavedStyles = nullptr;
    if (bUndo && !m_pCommandFactory->SaveRemovedStyles(this, bRows, nFrom, nTo, nOtherCount, pSavedStyles))
        return FALSE;
    const CGXAppData* pAppData = GXGetAppDataPtr();
    if (nCommandKind == 0 && m_pCommandFactory != nullptr)
        m_pCommandFactory->BeginUndoBlock(this, bRows ? pAppData->m_sRemovingRows : pAppData->m_sRemovingColumns);
    std::unique_ptr<int[]> oldSizes(new int[static_cast<size_t>(nTo - nFrom) + 1]);
    if (bRows)
        GetRowHeightsArray(nFrom, nTo, oldSizes.get());
    else
        GetColWidthsArray(nFrom, nTo, oldSizes.get());
    if (m_pCoveredCellsImp != nullptr)
    {
        UINT nAdjustFlags = flags;
        bRows ? m_pCoveredCellsImp->AdjustCoveredCellsOnRemoveRows(this, nFrom, nTo, nAdjustFlags, FALSE)
              : m_pCoveredCellsImp->AdjustCoveredCellsOnRemoveCols(this, nFrom, nTo, nAdjustFlags, FALSE);
    }
    const BOOL bStored = RunStoreStep(bUndo, bRows, FALSE, nFrom, nTo);
    if (bStored)
    {
        if (bRows)
            UpdateRemoveRows(nFrom, nTo, oldSizes.get(), flags, TRUE);
        else
            UpdateRemoveCols(nFrom, nTo, oldSizes.get(), flags, TRUE);
        if (bUndo)
            AddStructureCommand(bRows, nFrom,
                                m_pCommandFactory->CreateRemoveCmd(this, bRows, nFrom, nTo - nFrom + 1,
                                                                   oldSizes.release(), pSavedStyles, nOtherCount),
                                nCommandKind);
        // The selection list may have lost the node under construction.
        m_posEditedRange = nullptr;
        SelectRange(CGXRange(), FALSE, FALSE);
        RecalcAndRedraw(TRUE, nullptr, TRUE);
    }
    else
        delete pSavedStyles;
    if (nCommandKind == 0 && m_pCommandFactory != nullptr)
        m_pCommandFactory->EndUndoBlock(this);
    return bStored;
}

void CGXGridCore::AddStructureCommand(BOOL bRows, ROWCOL nFirst, CObject* pCommand, int nCommandKind)
{
    m_pCommandFactory->AddCommand(this, pCommand, nCommandKind);
    if (nCommandKind == 2 || nCommandKind == 3)
        ShowCommandCell(bRows ? nFirst : GetTopRow(), bRows ? GetLeftCol() : nFirst, TRUE);
}

void CGXGridCore::UpdateInsertRows(ROWCOL nRow, ROWCOL nCount, UINT flags, BOOL bHint)
{
    UpdateInsert(TRUE, nRow, nCount, flags);
    if (CGXAbstractGridUpdateHintImp* pHints = HintSender(bHint))
        pHints->HintInsertRows(this, nRow, nCount, flags);
}

void CGXGridCore::UpdateInsertCols(ROWCOL nCol, ROWCOL nCount, UINT flags, BOOL bHint)
{
    UpdateInsert(FALSE, nCol, nCount, flags);
    if (CGXAbstractGridUpdateHintImp* pHints = HintSender(bHint))
        pHints->HintInsertCols(this, nCol, nCount, flags);
}

void CGXGridCore::UpdateRemoveRows(ROWCOL nFromRow, ROWCOL nToRow, int* pOldHeights, UINT flags, BOOL bHint)
{
    UpdateRemove(TRUE, nFromRow, nToRow, pOldHeights, flags);
    if (CGXAbstractGridUpdateHintImp* pHints = HintSender(bHint))
        pHints->HintRemoveRows(this, nFromRow, nToRow, pOldHeights, flags);
}

void CGXGridCore::UpdateRemoveCols(ROWCOL nFromCol, ROWCOL nToCol, int* pOldWidths, UINT flags, BOOL bHint)
{
    UpdateRemove(FALSE, nFromCol, nToCol, pOldWidths, flags);
    if (CGXAbstractGridUpdateHintImp* pHints = HintSender(bHint))
        pHints->HintRemoveCols(this, nFromCol, nToCol, pOldWidths, flags);
}

void CGXGridCore::UpdateInsert(BOOL bRows, ROWCOL nFrom, ROWCOL nCount, UINT flags)
{
    (bRows ? m_nLastVisibleRow : m_nLastVisibleCol) = GX_INVALID;
    const ROWCOL nCurrent = bRows ? m_nCurrentRow : m_nCurrentCol;
    if (m_bCurrentCell && nCurrent >= nFrom)
        MoveCurrentCellPosition(bRows ? nCurrent + nCount : m_nCurrentRow, bRows ? m_nCurrentCol : nCurrent + nCount);
    ROWCOL& nFirst = bRows ? m_nTopRow : m_nLeftCol;
    if (nFirst == (bRows ? GetFrozenRows() : GetFrozenCols()))
        ++nFirst;
    RefreshFrameAfterStructure();
    if (!m_bLockUpdate)
    {
        const BOOL bOldLock = LockScrollbars(TRUE);
        if (m_pOptimizedUpdateImp != nullptr)
            bRows ? m_pOptimizedUpdateImp->UpdateInsertRows(this, nFrom, nCount, flags)
                  : m_pOptimizedUpdateImp->UpdateInsertCols(this, nFrom, nCount, flags);
        else
            RepaintFrom(bRows, nFrom, flags);
        LockScrollbars(bOldLock);
        if ((flags & GX_UPDATEBITS) != 0)
            UpdateScrollbars(FALSE, FALSE);
    }
    TellUpdateObject();
}

void CGXGridCore::UpdateRemove(BOOL bRows, ROWCOL nFrom, ROWCOL nTo, const int* pOldSizes, UINT flags)
{
    (bRows ? m_nLastVisibleRow : m_nLastVisibleCol) = GX_INVALID;
    const ROWCOL nCurrent = bRows ? m_nCurrentRow : m_nCurrentCol;
    if (m_bCurrentCell && nCurrent >= nFrom && nCurrent <= nTo)
        SetCurrentCellPosition(FALSE, 0, 0);
    else if (m_bCurrentCell && nCurrent > nTo)
        MoveCurrentCellPosition(bRows ? nCurrent - (nTo - nFrom + 1) : m_nCurrentRow,
                                bRows ? m_nCurrentCol : nCurrent - (nTo - nFrom + 1));
    RefreshFrameAfterStructure();
    if (!m_bLockUpdate)
    {
        const BOOL bOldLock = LockScrollbars(TRUE);
        if (m_pOptimizedUpdateImp != nullptr)
            bRows ? m_pOptimizedUpdateImp->UpdateRemoveRows(this, nFrom, nTo, pOldSizes, flags)
                  : m_pOptimizedUpdateImp->UpdateRemoveCols(this, nFrom, nTo, pOldSizes, flags);
        else
            RepaintFrom(bRows, nFrom, flags);
        LockScrollbars(bOldLock);
        if (flags != 0)
            UpdateScrollbars((flags & GX_UPDATENOW) == 0, FALSE);
    }
    TellUpdateObject();
}

// The current cell moves with its row (column); a control bound to it follows.
void CGXGridCore::MoveCurrentCellPosition(ROWCOL nRow, ROWCOL nCol)
{
    SetCurrentCellPosition(TRUE, nRow, nCol);
    CGXControl* pControl = GetCurrentCellControl();
    if (pControl != nullptr && pControl->IsBoundToCell())
        pControl->Init(nRow, nCol);
}

void CGXGridCore::RepaintFrom(BOOL bRows, ROWCOL nFrom, UINT flags)
{
    InvalidateRange(bRows ? nFrom : 0, bRows ? 0 : nFrom, GetRowCount(), GetColCount(), flags, FALSE);
}

// The excel-like frame follows the selection that the change moved.
void CGXGridCore::RefreshFrameAfterStructure()
{
    if (m_pParam != nullptr && m_pParam->m_anCoreSettings[3] != 0)
        RefreshExcelLikeFrame();
}

void CGXGridCore::TellUpdateObject()
{
    if (m_pUpdateObject != nullptr)
        m_pUpdateObject->Update();
    NotifyAppFeatures();
}

void CGXGridCore::UpdateChangedRowCount(ROWCOL nOldCount, UINT flags, BOOL bHint)
{
    UpdateChangedCount(TRUE, nOldCount, flags);
    if (CGXAbstractGridUpdateHintImp* pHints = HintSender(bHint))
        pHints->HintChangedRowCount(this, nOldCount, flags);
}

void CGXGridCore::UpdateChangedColCount(ROWCOL nOldCount, UINT flags, BOOL bHint)
{
    UpdateChangedCount(FALSE, nOldCount, flags);
    if (CGXAbstractGridUpdateHintImp* pHints = HintSender(bHint))
        pHints->HintChangedColCount(this, nOldCount, flags);
}

void CGXGridCore::UpdateChangedCount(BOOL bRows, ROWCOL nOldCount, UINT flags)
{
    const ROWCOL nCount = bRows ? GetRowCount() : GetColCount();
    if (m_bCurrentCell && (bRows ? m_nCurrentRow : m_nCurrentCol) > nCount)
        ResetCurrentCell(FALSE);
    (bRows ? m_nLastVisibleRow : m_nLastVisibleCol) = GX_INVALID;
    if (!m_bLockUpdate && (flags & (GX_INVALIDATE | GX_UPDATEBITS)) != 0)
    {
        UpdateScrollbars(FALSE, FALSE);
        // Only what lies from the first changed row (column) on is painted anew, and only
        // when it is in view.
        const ROWCOL nFrom = std::min(nOldCount, nCount);
        CWnd* pWnd = m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr ? m_pGridWnd : nullptr;
        if (m_bInitDone && pWnd != nullptr && nFrom <= (bRows ? GetLastVisibleRow() : GetLastVisibleCol()))
        {
            CRect rect;
            GetGridRect(&rect);
            if (bRows)
                rect.top = std::max(rect.top, static_cast<LONG>(GetClientRowTop(AbsRowToVisible(nFrom))));
            else
                rect.left = std::max(rect.left, static_cast<LONG>(GetClientColLeft(AbsColToVisible(nFrom))));
            pWnd->InvalidateRect(&rect, TRUE);
            if ((flags & GX_UPDATENOW) != 0)
                pWnd->UpdateWindow();
        }
    }
    TellUpdateObject();
}
