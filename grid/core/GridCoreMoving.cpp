// Moving and dragging rows and columns, the freeze commands, and the hooks that resizing and
// dragging ask: forwarders to their feature objects (nothing, or 0, without one) and allowing
// defaults.
#include <grid/core/GridCore.h>

#include <grid/core/AbstractImps.h>
#include <grid/core/Properties.h>

#include <algorithm>

BOOL CGXGridCore::StoreMoveRows(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow, BOOL bProcessed)
{
    return m_pMoveRowsColsImp != nullptr && m_pMoveRowsColsImp->StoreMoveRows(this, nFromRow, nToRow, nDestRow, bProcessed);
}

BOOL CGXGridCore::StoreMoveCols(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol, BOOL bProcessed)
{
    return m_pMoveRowsColsImp != nullptr && m_pMoveRowsColsImp->StoreMoveCols(this, nFromCol, nToCol, nDestCol, bProcessed);
}

void CGXGridCore::UpdateMoveRows(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow, UINT flags, BOOL bHint)
{
    if (m_pMoveRowsColsImp != nullptr)
        m_pMoveRowsColsImp->UpdateMoveRows(this, nFromRow, nToRow, nDestRow, flags, bHint);
}

void CGXGridCore::UpdateMoveCols(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol, UINT flags, BOOL bHint)
{
    if (m_pMoveRowsColsImp != nullptr)
        m_pMoveRowsColsImp->UpdateMoveCols(this, nFromCol, nToCol, nDestCol, flags, bHint);
}

// The checked move: a block inside the grid to a place where it lands inside the grid.
BOOL CGXGridCore::MoveRows(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow, UINT flags, int nCommandKind)
{
    const ROWCOL nCount = GetRowCount();
    if (nFromRow == 0 || nFromRow > nToRow || nToRow > nCount || nDestRow == 0 ||
        nDestRow > nCount - (nToRow - nFromRow) || nDestRow == nFromRow)
        return FALSE;
    return DoMoveRows(nFromRow, nToRow, nDestRow, flags, nCommandKind);
}

BOOL CGXGridCore::MoveCols(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol, UINT flags, int nCommandKind)
{
    const ROWCOL nCount = GetColCount();
    if (nFromCol == 0 || nFromCol > nToCol || nToCol > nCount || nDestCol == 0 ||
        nDestCol > nCount - (nToCol - nFromCol) || nDestCol == nFromCol)
        return FALSE;
    return DoMoveCols(nFromCol, nToCol, nDestCol, flags, nCommandKind);
}

BOOL CGXGridCore::DoMoveRows(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow, UINT flags, int nCommandKind)
{
    return m_pMoveRowsColsImp != nullptr &&
           m_pMoveRowsColsImp->MoveRows(this, nFromRow, nToRow, nDestRow, flags, nCommandKind);
}

BOOL CGXGridCore::DoMoveCols(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol, UINT flags, int nCommandKind)
{
    return m_pMoveRowsColsImp != nullptr &&
           m_pMoveRowsColsImp->MoveCols(this, nFromCol, nToCol, nDestCol, flags, nCommandKind);
}

BOOL CGXGridCore::StartDragRowsCols(ROWCOL nRow, ROWCOL nCol)
{
    return m_pUserDragSelectRangeImp != nullptr && m_pUserDragSelectRangeImp->StartDragRowsCols(this, nRow, nCol);
}

void CGXGridCore::OnDragFeedback(ROWCOL nStartRow, ROWCOL nStartCol, ROWCOL nTargetRow, ROWCOL nTargetCol)
{
    if (m_pUserDragSelectRangeImp != nullptr)
        m_pUserDragSelectRangeImp->OnDragFeedback(this, nStartRow, nStartCol, nTargetRow, nTargetCol);
}

BOOL CGXGridCore::OnDropRowsCols(ROWCOL nStartRow, ROWCOL nStartCol, ROWCOL nTargetRow, ROWCOL nTargetCol)
{
    return m_pUserDragSelectRangeImp != nullptr &&
           m_pUserDragSelectRangeImp->OnDropRowsCols(this, nStartRow, nStartCol, nTargetRow, nTargetCol);
}

void CGXGridCore::CancelDrag()
{
    if (m_pUserDragSelectRangeImp != nullptr)
        m_pUserDragSelectRangeImp->CancelDrag(this);
}

BOOL CGXGridCore::CanFreezeCols()
{
    return m_pFreezeMenuHelperImp != nullptr && m_pFreezeMenuHelperImp->CanFreezeCols(this);
}

void CGXGridCore::FreezeColsCmd()
{
    if (m_pFreezeMenuHelperImp != nullptr)
        m_pFreezeMenuHelperImp->FreezeCols(this);
}

BOOL CGXGridCore::CanUnfreezeCols()
{
    return m_pFreezeMenuHelperImp != nullptr && m_pFreezeMenuHelperImp->CanUnfreezeCols(this);
}

void CGXGridCore::UnfreezeColsCmd()
{
    if (m_pFreezeMenuHelperImp != nullptr)
        m_pFreezeMenuHelperImp->UnfreezeCols(this);
}

BOOL CGXGridCore::CanFreezeRows()
{
    return m_pFreezeMenuHelperImp != nullptr && m_pFreezeMenuHelperImp->CanFreezeRows(this);
}

void CGXGridCore::FreezeRowsCmd()
{
    if (m_pFreezeMenuHelperImp != nullptr)
        m_pFreezeMenuHelperImp->FreezeRows(this);
}

BOOL CGXGridCore::CanUnfreezeRows()
{
    return m_pFreezeMenuHelperImp != nullptr && m_pFreezeMenuHelperImp->CanUnfreezeRows(this);
}

void CGXGridCore::UnfreezeRowsCmd()
{
    if (m_pFreezeMenuHelperImp != nullptr)
        m_pFreezeMenuHelperImp->UnfreezeRows(this);
}

BOOL CGXGridCore::CanResizeRow(ROWCOL /*nRow*/)
{
    return TRUE;
}

BOOL CGXGridCore::CanResizeCol(ROWCOL /*nCol*/)
{
    return TRUE;
}

BOOL CGXGridCore::OnTrackRowHeight(ROWCOL /*nRow*/, int /*nHeight*/)
{
    return TRUE;
}

BOOL CGXGridCore::OnTrackColWidth(ROWCOL /*nCol*/, int /*nWidth*/)
{
    return TRUE;
}

BOOL CGXGridCore::OnTrackRowHeightEnd(ROWCOL /*nRow*/, int /*nHeight*/)
{
    return TRUE;
}

BOOL CGXGridCore::OnTrackColWidthEnd(ROWCOL /*nCol*/, int /*nWidth*/)
{
    return TRUE;
}

BOOL CGXGridCore::CanDragRows(ROWCOL /*nFromRow*/, ROWCOL /*nToRow*/)
{
    return TRUE;
}

BOOL CGXGridCore::CanDragCols(ROWCOL /*nFromCol*/, ROWCOL /*nToCol*/)
{
    return TRUE;
}

BOOL CGXGridCore::CanDropRows(ROWCOL /*nFromRow*/, ROWCOL /*nToRow*/, ROWCOL /*nTargetRow*/)
{
    return TRUE;
}

BOOL CGXGridCore::CanDropCols(ROWCOL /*nFromCol*/, ROWCOL /*nToCol*/, ROWCOL /*nTargetCol*/)
{
    return TRUE;
}

BOOL CGXGridCore::OnDropRows(ROWCOL /*nFromRow*/, ROWCOL /*nToRow*/, ROWCOL /*nTargetRow*/)
{
    return TRUE;
}

BOOL CGXGridCore::OnDropCols(ROWCOL /*nFromCol*/, ROWCOL /*nToCol*/, ROWCOL /*nTargetCol*/)
{
    return TRUE;
}

void CGXGridCore::OnRowsColsMoved(BOOL /*bRows*/, ROWCOL /*nFrom*/, ROWCOL /*nTo*/, ROWCOL /*nDest*/)
{
}

void CGXGridCore::OnPrepareCell(ROWCOL /*nRow*/, ROWCOL /*nCol*/)
{
}

BOOL CGXGridCore::LockRedraw(BOOL /*bLock*/)
{
    return FALSE;
}

