#include <grid/services/rowscols/GridMoveRowsColsImp.h>

#include <grid/core/AppData.h>
#include <grid/core/Data.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/SpanCellPool.h>
#include <toolkit/foundation/ScopedValue.h>

#include <algorithm>
#include <vector>

using tarnwick::foundation::SECScopedValue;

ROWCOL GXMovedIndex(ROWCOL n, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest)
{
    const ROWCOL nCount = nTo - nFrom + 1;
    if (n >= nFrom && n <= nTo)
        return nDest + (n - nFrom);
    if (nDest < nFrom && n >= nDest && n < nFrom)
        return n + nCount;
    if (nDest > nFrom && n > nTo && n <= nDest + nCount - 1)
        return n - nCount;
    return n;
}

BOOL CGXGridMoveRowsColsImp::StoreMoveRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest,
                                           BOOL bProcessed)
{
    return StoreMove(pGrid, TRUE, nFrom, nTo, nDest, bProcessed);
}

BOOL CGXGridMoveRowsColsImp::StoreMoveCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest,
                                           BOOL bProcessed)
{
    return StoreMove(pGrid, FALSE, nFrom, nTo, nDest, bProcessed);
}

void CGXGridMoveRowsColsImp::UpdateMoveRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, UINT flags,
                                            BOOL bHint)
{
    UpdateMove(pGrid, TRUE, nFrom, nTo, nDest, flags);
    if (CGXAbstractGridUpdateHintImp* pHints = pGrid->HintSender(bHint))
        pHints->HintMoveRows(pGrid, nFrom, nTo, nDest, flags);
}

void CGXGridMoveRowsColsImp::UpdateMoveCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, UINT flags,
                                            BOOL bHint)
{
    UpdateMove(pGrid, FALSE, nFrom, nTo, nDest, flags);
    if (CGXAbstractGridUpdateHintImp* pHints = pGrid->HintSender(bHint))
        pHints->HintMoveCols(pGrid, nFrom, nTo, nDest, flags);
}

BOOL CGXGridMoveRowsColsImp::MoveRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, UINT flags,
                                      int nCommandKind)
{
    return Move(pGrid, TRUE, nFrom, nTo, nDest, flags, nCommandKind);
}

BOOL CGXGridMoveRowsColsImp::MoveCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, UINT flags,
                                      int nCommandKind)
{
    return Move(pGrid, FALSE, nFrom, nTo, nDest, flags, nCommandKind);
}

BOOL CGXGridMoveRowsColsImp::StoreMove(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest,
                                       BOOL bProcessed)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (nFrom == nDest || nFrom > nTo || pParam == nullptr)
        return FALSE;
    if (CGXData* pData = pGrid->GetData())
        bProcessed |= bRows ? pData->MoveRowsImpl(nFrom, nTo, nDest) : pData->MoveColsImpl(nFrom, nTo, nDest);
    if (!bProcessed)
        return FALSE;
    pGrid->DocumentLinkCall(1);
    if (CGXAbstractGridHideCellsImp* pHide = pGrid->m_pHideCellsImp)
        bRows ? pHide->MoveHiddenRows(pGrid, nFrom, nTo, nDest) : pHide->MoveHiddenCols(pGrid, nFrom, nTo, nDest);
    if (bRows)
    {
        const ROWCOL nCount = pGrid->GetRowCount();
        pParam->m_RowHeights.MoveKeys(nFrom, nTo, nDest);
        pParam->m_SelRects.MoveRows(nFrom, nTo, nDest, nCount);
        pParam->m_CoveredCellsList.MoveRows(nFrom, nTo, nDest, nCount);
    }
    else
    {
        const ROWCOL nCount = pGrid->GetColCount();
        pParam->m_ColWidths.MoveKeys(nFrom, nTo, nDest);
        pParam->m_SelRects.MoveCols(nFrom, nTo, nDest, nCount);
        pParam->m_CoveredCellsList.MoveCols(nFrom, nTo, nDest, nCount);
    }
    pParam->RebuildCoveredCellsPool();
    // Every span pool follows; the merged spans are then worked out anew from the first change.
    if (CGXAbstractSpanCellPoolImp* pPools = GXGetAppDataPtr()->m_pSpanCellPoolImp)
    {
        for (CGXSpanCellPool* pPool : {pParam->m_pFloatCellsPool, pParam->m_pFloatCellsPool2,
                                       pParam->m_pMergeCellsPool, pParam->m_pMergeCellsPool2})
            bRows ? pPools->MoveRows(pPool, nFrom, nTo, nDest) : pPools->MoveCols(pPool, nFrom, nTo, nDest);
        if ((pParam->m_wMergeCellsMode & 3) != 0)
        {
            const ROWCOL nFirst = std::min(nFrom, nDest);
            pGrid->DelayMergeCells(bRows ? CGXRange(nFirst, 0, std::max(nFirst, pGrid->GetRowCount()), pGrid->GetColCount())
                                         : CGXRange(0, nFirst, pGrid->GetRowCount(), std::max(nFirst, pGrid->GetColCount())));
        }
    }
    pGrid->OnRowsColsMoved(bRows, nFrom, nTo, nDest);
    return TRUE;
}

void CGXGridMoveRowsColsImp::UpdateMove(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest,
                                        UINT flags)
{
    (bRows ? pGrid->m_nLastVisibleRow : pGrid->m_nLastVisibleCol) = GX_INVALID;
    ROWCOL nRow, nCol;
    if (pGrid->GetCurrentCell(&nRow, &nCol))
    {
        (bRows ? nRow : nCol) = GXMovedIndex(bRows ? nRow : nCol, nFrom, nTo, nDest);
        pGrid->MoveCurrentCellPosition(nRow, nCol);
    }
    pGrid->RefreshFrameAfterStructure();
    const CGXGridParam* pParam = pGrid->GetParam();
    if (pParam->m_bLockUpdate)
        return;
    const auto isHidden = [&](ROWCOL n) { return bRows ? pGrid->IsRowHidden(n) : pGrid->IsColHidden(n); };
    if ((flags & GX_INVALIDATE) != 0 || isHidden(nFrom) || isHidden(nTo) || isHidden(nDest) ||
        (pParam->m_wMergeCellsMode & 3) != 0 || pParam->m_wFloatCellsMode != 0)
    {
        pGrid->RedrawGrid(flags, FALSE);
        return;
    }
    pGrid->RepaintFrom(bRows, std::min(nFrom, nDest), flags);
    if ((flags & (GX_INVALIDATE | GX_UPDATEBITS)) != 0)
        pGrid->UpdateScrollbars();
}

BOOL CGXGridMoveRowsColsImp::UncoverCutRanges(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest)
{
    // The block lands before this index of the numbering before the move.
    const ROWCOL nGap = nDest > nFrom ? nDest + (nTo - nFrom + 1) : nDest;
    std::vector<CGXRange> cut;
    const CGXRangeList& covered = pGrid->GetParam()->m_CoveredCellsList;
    for (POSITION pos = covered.GetHeadPosition(); pos != nullptr;)
    {
        const CGXRange& range = *covered.GetNextRange(pos);
        const ROWCOL nFirst = bRows ? range.top : range.left;
        const ROWCOL nLast = bRows ? range.bottom : range.right;
        // Whole after the move: inside the block, or around it or beside it with the block
        // landing between its ends (or not at all inside it).
        const BOOL bOverlaps = nFirst <= nTo && nLast >= nFrom;
        const BOOL bInside = nFirst >= nFrom && nLast <= nTo;
        const BOOL bHoldsBlock = nFirst <= nFrom && nLast >= nTo;
        const BOOL bGapInside = nFirst < nGap && nGap <= nLast;
        if (!bInside && (bOverlaps ? !(bHoldsBlock && bGapInside) : bGapInside))
            cut.push_back(range);
    }
    for (const CGXRange& range : cut)
        pGrid->SetCoveredCellsRowCol(range.top, range.left, range.top, range.left, GX_INVALIDATE, 0);
    return !cut.empty();
}

BOOL CGXGridMoveRowsColsImp::Move(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, UINT flags,
                                  int nCommandKind)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr || !pGrid->TransferCurrentCell(TRUE, GX_UPDATENOW, TRUE))
        return FALSE;
    CGXAbstractCommandFactory* pFactory = pGrid->m_pCommandFactory;
    const BOOL bTransaction = nCommandKind == 0 && pFactory != nullptr;
    if (bTransaction)
    {
        const CGXAppData* pAppData = GXGetAppDataPtr();
        pFactory->BeginUndoBlock(pGrid, bRows ? pAppData->m_sMoveRows : pAppData->m_sMoveColumns);
    }
    if (nCommandKind == 0 && UncoverCutRanges(pGrid, bRows, nFrom, nTo, nDest))
        flags = (flags | GX_INVALIDATE) & ~GX_UPDATEBITS;
    BOOL bStored;
    {
        const SECScopedValue<BOOL> noRecords(pParam->m_bUndoEnabled, pParam->m_bUndoEnabled && nCommandKind == 1);
        bStored = bRows ? pGrid->StoreMoveRows(nFrom, nTo, nDest, FALSE) : pGrid->StoreMoveCols(nFrom, nTo, nDest, FALSE);
    }
    if (!bStored)
    {
        if (bTransaction)
            pFactory->RollbackUndoBlock(pGrid);
        return FALSE;
    }
    bRows ? pGrid->UpdateMoveRows(nFrom, nTo, nDest, flags, TRUE) : pGrid->UpdateMoveCols(nFrom, nTo, nDest, flags, TRUE);
    if (pGrid->IsUndoRecorded(nCommandKind))
    {
        const ROWCOL nDestLast = nDest + (nTo - nFrom);
        pFactory->AddCommand(pGrid, pFactory->CreateMoveRowsColsCmd(bRows, nDest, nDestLast, nFrom), nCommandKind);
        if (nCommandKind == 2 || nCommandKind == 3)
            pFactory->ShowCommandCell(pGrid, bRows ? nDest : pGrid->GetTopRow(), bRows ? pGrid->GetLeftCol() : nDest,
                                      FALSE);
    }
    if (bTransaction)
        pFactory->EndUndoBlock(pGrid);
    return TRUE;
}

BEGIN_MESSAGE_MAP(CGXDragLineWnd, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

CGXDragLineWnd::CGXDragLineWnd(COLORREF rgbLine) : m_rgbLine(rgbLine)
{
}

BOOL CGXDragLineWnd::CreateDragLine(CWnd* pParent)
{
    return CreateEx(0, GXGetAppDataPtr()->m_sSaveBitsClassName, _T(""), WS_CHILD, CRect(0, 0, 1, 1), pParent, 0);
}

void CGXDragLineWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    DrawLine(&dc, rect);
}

void CGXDragLineWnd::DrawLine(CDC* pDC, const CRect& rect) const
{
    CPen pen(PS_SOLID, 1, m_rgbLine);
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->MoveTo(rect.left, rect.top);
    pDC->LineTo(rect.right - 1, rect.bottom - 1);
    pDC->SetPixel(rect.right - 1, rect.bottom - 1, m_rgbLine); // LineTo leaves out its end point
    pDC->SelectObject(pOldPen);
}
