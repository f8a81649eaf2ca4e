#include <grid/services/mouse/GridExcelLikeFrameImp.h>

#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>

namespace
{
// The frame's width beyond the range and the handle's reach past its corner.
constexpr int nFrameReach = 2;
constexpr int nHandleReach = 3;

BOOL IsFrameOn(CGXGridCore* pGrid)
{
    const CGXGridParam* pParam = pGrid->GetParam();
    return pParam != nullptr && pParam->m_anCoreSettings[3] != 0;
}

} // namespace

CRect CGXGridExcelLikeFrameImp::FrameRect(CGXGridCore* pGrid, const CGXRange& range)
{
    CRect rect;
    pGrid->GetLastVisibleRow();
    pGrid->GetLastVisibleCol();
    pGrid->CalcRectFromRowColEx(&rect, range.top, range.left, range.bottom, range.right, FALSE);
    return rect;
}

CGXRange CGXGridExcelLikeFrameImp::FrameRangeOf(CGXGridCore* pGrid, const CGXRange& range, int& nHandle)
{
    const ROWCOL nFirstRow = pGrid->GetHeaderRows() + 1;
    const ROWCOL nFirstCol = pGrid->GetHeaderCols() + 1;
    const ROWCOL nRows = pGrid->GetRowCount();
    const ROWCOL nCols = pGrid->GetColCount();
    nHandle = range.IsCols() ? 7 : range.IsRows() ? 2 : 0;
    if (range.IsCols())
        return CGXRange(nFirstRow, range.left, nRows, range.right);
    if (range.IsRows())
        return CGXRange(range.top, nFirstCol, range.bottom, nCols);
    if (range.IsTable())
        return CGXRange(nFirstRow, nFirstCol, nRows, nCols);
    CGXRange cells(range);
    pGrid->ExpandRangeByCoveredCells(cells);
    return cells;
}

BOOL CGXGridExcelLikeFrameImp::SelectedRange(CGXGridCore* pGrid, CGXRange& range)
{
    const CGXRangeList& selection = pGrid->GetParam()->m_SelRects;
    if (!selection.IsEmpty())
    {
        range = *selection.GetTailRange();
        return range.IsValid();
    }
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if (!pGrid->GetCurrentCell(&nRow, &nCol))
        return FALSE;
    range = CGXRange(nRow, nCol);
    return TRUE;
}

void CGXGridExcelLikeFrameImp::DrawSelectionFrame(CGXGridCore* pGrid, CDC* pDC, const CRect& rectRange, CBrush* pBrush,
                                                  BOOL bTopOpen, BOOL bLeftOpen, int nHandle, BOOL bNoFrame)
{
    CRect rect = rectRange;
    if (pGrid->GetParam()->m_bFramePixelOffset)
        rect.OffsetRect(1, 1);
    if (!bNoFrame)
    {
        // Three pixels from edge - 1 to edge + 2; an open side stays inside the cells.
        const int nTop = bTopOpen ? rect.top : rect.top - 1;
        const int nLeft = bLeftOpen ? rect.left : rect.left - 1;
        pDC->FillRect(CRect(nLeft, nTop, rect.right + 2, nTop + 3), pBrush);
        pDC->FillRect(CRect(nLeft, rect.bottom - 1, rect.right + 2, rect.bottom + 2), pBrush);
        pDC->FillRect(CRect(nLeft, nTop, nLeft + 3, rect.bottom + 2), pBrush);
        pDC->FillRect(CRect(rect.right - 1, nTop, rect.right + 2, rect.bottom + 2), pBrush);
    }
    if (nHandle < 0)
        return;
    const CPoint corner = nHandle == 7 ? CPoint(rect.right, rect.top)
                          : nHandle == 2 ? CPoint(rect.left, rect.bottom)
                                         : CPoint(rect.right, rect.bottom);
    // Two crossing bars and the corner pixels make the 5 x 5 square.
    pDC->FillRect(CRect(corner.x - 2, corner.y - 1, corner.x + 3, corner.y + 2), pBrush);
    pDC->FillRect(CRect(corner.x - 1, corner.y - 2, corner.x + 2, corner.y + 3), pBrush);
    for (const CPoint& offset : {CPoint(-2, -2), CPoint(2, -2), CPoint(-2, 2), CPoint(2, 2)})
        pDC->FillRect(CRect(corner + offset, CSize(1, 1)), pBrush);
}

void CGXGridExcelLikeFrameImp::InvalidateSelectionFrame(CGXGridCore* pGrid, CDC* /*pDC*/, const CGXRange& range,
                                                        int /*nHandle*/, UINT flags)
{
    CWnd* pWnd = pGrid->GridWnd();
    if (pGrid->GetParam()->m_bLockUpdate || pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return;
    CRect rect = FrameRect(pGrid, range);
    if (rect.IsRectEmpty())
        return;
    rect.InflateRect(nFrameReach + 1, nFrameReach + 1, nHandleReach + 1, nHandleReach + 1);
    pWnd->InvalidateRect(rect);
    if ((flags & GX_UPDATENOW) != 0)
        pWnd->UpdateWindow();
}

void CGXGridExcelLikeFrameImp::UpdateSelectionFrame(CGXGridCore* pGrid, CDC* pDC, BOOL bRedrawOld,
                                                    const CGXRange& range)
{
    if (!IsFrameOn(pGrid) || m_bLocked)
        return;
    if (bRedrawOld && m_bShown)
        InvalidateSelectionFrame(pGrid, pDC, m_range, m_nHandle, GX_INVALIDATE);
    m_range = FrameRangeOf(pGrid, range, m_nHandle);
    m_bShown = TRUE;
    InvalidateSelectionFrame(pGrid, pDC, m_range, m_nHandle, GX_INVALIDATE);
}

void CGXGridExcelLikeFrameImp::RedrawSelectionFrame(CGXGridCore* pGrid)
{
    if (m_bShown && m_nHandle != 0)
        InvalidateSelectionFrame(pGrid, nullptr, m_range, m_nHandle, GX_INVALIDATE);
}

void CGXGridExcelLikeFrameImp::OnSelectionFrameChanged(CGXGridCore* pGrid, BOOL bState, BOOL bRedraw)
{
    if (!IsFrameOn(pGrid) || bState == m_bShown)
        return;
    InvalidateSelectionFrame(pGrid, nullptr, m_range, m_nHandle, GX_INVALIDATE);
    m_bShown = bState;
    if (CGXAbstractGridUpdateHintImp* pHints = pGrid->HintSender(bRedraw))
        pHints->HintSelectionFrame(pGrid, bState);
}

void CGXGridExcelLikeFrameImp::DrawFrameOfPass(CGXGridCore* pGrid, CDC* pDC)
{
    CGXRange selected;
    if (!IsFrameOn(pGrid) || m_bLocked || pGrid->IsPrinting() || !SelectedRange(pGrid, selected))
        return;
    m_range = FrameRangeOf(pGrid, selected, m_nHandle);
    m_bShown = TRUE;
    Draw(pGrid, pDC, m_range, selected.IsTable() ? -1 : m_nHandle);
}

void CGXGridExcelLikeFrameImp::Draw(CGXGridCore* pGrid, CDC* pDC, const CGXRange& range, int nHandle)
{
    const CRect rect = FrameRect(pGrid, range);
    if (rect.IsRectEmpty())
        return;
    CBrush brush(RGB(0, 0, 0));
    const BOOL bTopOpen = range.top <= pGrid->GetHeaderRows() + 1;
    const BOOL bLeftOpen = range.left <= pGrid->GetHeaderCols() + 1;
    DrawSelectionFrame(pGrid, pDC, rect, &brush, bTopOpen, bLeftOpen, nHandle, FALSE);
}

void CGXGridExcelLikeFrameImp::RefreshExcelLikeFrame(CGXGridCore* pGrid)
{
    CGXRange selected;
    if (IsFrameOn(pGrid) && !m_bLocked && SelectedRange(pGrid, selected))
        UpdateSelectionFrame(pGrid, nullptr, TRUE, selected);
}

BOOL CGXGridExcelLikeFrameImp::LockFrame(CGXGridCore* pGrid, BOOL bLock, BOOL bRedraw)
{
    const BOOL bOld = m_bLocked;
    m_bLocked = bLock;
    if (bOld && !bLock && bRedraw)
        RefreshExcelLikeFrame(pGrid);
    return bOld;
}
