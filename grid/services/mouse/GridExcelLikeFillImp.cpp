// Filling by the selection's corner handle: the drag, its frame, and the fill itself.
#include <grid/services/mouse/GridExcelLikeFillImp.h>

#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/LongOperationImp.h>
#include <grid/core/Style.h>
#include <grid/core/UndoBlockScope.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace
{
// The fill options of the parameter object.
constexpr WORD fillValues = 0x1;
constexpr WORD fillStyles = 0x2;

ROWCOL RowCount(const CGXRange& range)
{
    return range.bottom - range.top + 1;
}

ROWCOL ColCount(const CGXRange& range)
{
    return range.right - range.left + 1;
}

BOOL SameCells(const CGXRange& a, const CGXRange& b)
{
    return a.top == b.top && a.left == b.left && a.bottom == b.bottom && a.right == b.right;
}

// Clears the band of a shrunk target through the core, styles with the styles option.
BOOL ClearGivenUp(CGXGridCore* pGrid, const CGXRange& band, WORD wOptions)
{
    CGXRangeList list;
    list.AddTail(new CGXRange(band));
    return pGrid->ClearRangeList(list, (wOptions & fillStyles) != 0);
}
} // namespace

BOOL CGXGridExcelLikeFillImp::OnStartFillDrag(CGXGridCore* pGrid, CPoint point, UINT flags, ROWCOL nRow, ROWCOL nCol)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr)
        return FALSE;
    // Without a selection the frame, and so the handle, is the current cell's.
    CGXRange range(nRow, nCol);
    if (const POSITION pos = pParam->m_SelRects.FindRange(nRow, nCol); pos != nullptr)
        range = *pParam->m_SelRects.GetRangeAt(pos);
    else if (!pParam->m_SelRects.IsEmpty() || !pGrid->IsCurrentCell(nRow, nCol))
        return FALSE;
    if (nRow < pGrid->GetTopRow() || nCol < pGrid->GetLeftCol() || !range.IsCells())
        return FALSE;
    if (!pGrid->CanStartFillDrag(range, point, flags) || !pGrid->StoreCurrentCell(TRUE, GX_UPDATENOW, TRUE))
        return FALSE;
    pGrid->m_wMouseState |= GX_FILLDRAGGING;
    m_source = range;
    m_rectFrame.SetRectEmpty();
    m_target = CGXRange();
    return TRUE;
}

CGXRange CGXGridExcelLikeFillImp::TargetAt(CGXGridCore* pGrid, CPoint point, ROWCOL nRow, ROWCOL nCol) const
{
    // The visible part of the source, as the pointer sees it.
    CRect rect;
    pGrid->CalcRectFromRowColEx(&rect, std::max(m_source.top, pGrid->GetTopRow()),
                                std::max(m_source.left, pGrid->GetLeftCol()), m_source.bottom, m_source.right);
    CGXRange target(m_source);
    const int nAbove = rect.top - point.y;
    const int nBelow = point.y - rect.bottom;
    const int nBefore = rect.left - point.x;
    const int nAfter = point.x - rect.right;
    const int nRowsBeyond = std::max(nAbove, nBelow);
    const int nColsBeyond = std::max(nBefore, nAfter);
    if (nRowsBeyond <= 0 && nColsBeyond <= 0)
    {
        // Inside: the frame shrinks to the cell under the pointer, rows first.
        if (nRow >= m_source.top && nRow < m_source.bottom)
            target.bottom = nRow;
        else if (nCol >= m_source.left && nCol < m_source.right)
            target.right = nCol;
    }
    else if (nRowsBeyond >= nColsBeyond)
    {
        if (nAbove > 0)
            target.top = std::min(nRow, m_source.top);
        else
            target.bottom = std::max(nRow, m_source.bottom);
    }
    else if (nBefore > 0)
        target.left = std::min(nCol, m_source.left);
    else
        target.right = std::max(nCol, m_source.right);
    return target;
}

BOOL CGXGridExcelLikeFillImp::OnFillDragMove(CGXGridCore* pGrid, CPoint point, UINT /*flags*/, ROWCOL nRow,
                                             ROWCOL nCol)
{
    if ((pGrid->m_wMouseState & GX_FILLDRAGGING) == 0)
        return FALSE;
    DrawFillFrame(pGrid, TargetAt(pGrid, point, nRow, nCol), TRUE, TRUE);
    return TRUE;
}

BOOL CGXGridExcelLikeFillImp::OnEndFillDrag(CGXGridCore* pGrid, CPoint /*point*/, UINT /*flags*/)
{
    if ((pGrid->m_wMouseState & GX_FILLDRAGGING) == 0)
        return FALSE;
    const CGXRange target(m_target);
    DrawFillFrame(pGrid, CGXRange(), TRUE, FALSE);
    pGrid->m_wMouseState &= static_cast<WORD>(~GX_FILLDRAGGING);
    if (!target.IsValid())
        return TRUE;
    pGrid->SetSelection(nullptr, 0, 0, 0, 0);
    pGrid->FillCells(target, m_source);
    pGrid->SelectFillRange(target);
    pGrid->RecalcAndRedraw(TRUE, nullptr, TRUE);
    return TRUE;
}

void CGXGridExcelLikeFillImp::OnCancelFillDrag(CGXGridCore* pGrid)
{
    DrawFillFrame(pGrid, CGXRange(), TRUE, FALSE);
    pGrid->m_wMouseState &= static_cast<WORD>(~GX_FILLDRAGGING);
}

void CGXGridExcelLikeFillImp::DrawFillFrame(CGXGridCore* pGrid, const CGXRange& target, BOOL bErase, BOOL bDraw)
{
    CWnd* pWnd = pGrid->GridWnd();
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
    {
        m_target = bDraw ? target : CGXRange();
        return;
    }
    CClientDC dc(pWnd);
    DrawFillFrameOn(pGrid, &dc, target, bErase, bDraw);
}

void CGXGridExcelLikeFillImp::DrawFillFrameOn(CGXGridCore* pGrid, CDC* pDC, const CGXRange& target, BOOL bErase,
                                              BOOL bDraw)
{
    CRect rectGrid;
    pGrid->GetGridRect(&rectGrid);
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(&rectGrid);
    if (bErase && !m_rectFrame.IsRectEmpty())
        pDC->DrawFocusRect(&m_rectFrame);
    m_rectFrame.SetRectEmpty();
    m_target = CGXRange();
    if (bDraw && target.IsValid())
    {
        m_target = target;
        pGrid->CalcRectFromRowColEx(&m_rectFrame, target.top, target.left, target.bottom, target.right);
        m_rectFrame.IntersectRect(&m_rectFrame, &rectGrid);
        if (!m_rectFrame.IsRectEmpty())
            pDC->DrawFocusRect(&m_rectFrame);
    }
    pDC->RestoreDC(nSaved);
}

void CGXGridExcelLikeFillImp::HideFillFrame(CGXGridCore* pGrid)
{
    // The frame comes back at the next move of the drag; a release before it fills the target.
    const CGXRange target(m_target);
    DrawFillFrame(pGrid, target, TRUE, FALSE);
    m_target = target;
}

BOOL CGXGridExcelLikeFillImp::SelectFillRange(CGXGridCore* pGrid, const CGXRange& range)
{
    return pGrid->SelectRange(range, TRUE, TRUE);
}

BOOL CGXGridExcelLikeFillImp::FillCells(CGXGridCore* pGrid, const CGXRange& target, const CGXRange& source)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr || !target.IsValid() || !source.IsValid() || SameCells(target, source))
        return FALSE;
    const WORD wOptions = pParam->m_wFillOptions & (fillValues | fillStyles);
    if (wOptions == 0 || pGrid->IsChangeLocked())
        return FALSE;
    CGXUndoBlockScope block(pGrid, nullptr);
    CGXLongOperationScope operation;
    GXLongOpSetRollback(TRUE);
    try
    {
        if (RowCount(target) < RowCount(source))
            return ClearGivenUp(pGrid, CGXRange(target.bottom + 1, target.left, source.bottom, target.right), wOptions);
        if (ColCount(target) < ColCount(source))
            return ClearGivenUp(pGrid, CGXRange(target.top, target.right + 1, target.bottom, source.right), wOptions);
        return FillExtension(pGrid, target, source, wOptions);
    }
    catch (CUserException* e)
    {
        e->Delete();
        if (GXLongOpGetRollbackRequested())
            block.Rollback();
        return FALSE;
    }
}

BOOL CGXGridExcelLikeFillImp::FillExtension(CGXGridCore* pGrid, const CGXRange& target, const CGXRange& source,
                                            WORD wOptions)
{
    if (ColCount(target) == ColCount(source))
    {
        // Vertical: the rows below (or above) the source, the source rows repeating.
        const ROWCOL nFirst = target.top < source.top ? target.top : source.bottom + 1;
        const ROWCOL nLast = target.top < source.top ? source.top - 1 : target.bottom;
        ROWCOL nSourceRow = source.top;
        for (ROWCOL nRow = nFirst; nRow <= nLast && nRow != 0; ++nRow)
        {
            for (ROWCOL nCol = target.left; nCol <= target.right; ++nCol)
                if (!CopyCell(pGrid, nRow, nCol, nSourceRow, nCol, wOptions))
                    return FALSE;
            nSourceRow = nSourceRow == source.bottom ? source.top : nSourceRow + 1;
        }
        return TRUE;
    }
    // Horizontal: the columns right (or left) of the source, the source columns repeating.
    const ROWCOL nFirst = target.left < source.left ? target.left : source.right + 1;
    const ROWCOL nLast = target.left < source.left ? source.left - 1 : target.right;
    ROWCOL nSourceCol = source.left;
    for (ROWCOL nCol = nFirst; nCol <= nLast && nCol != 0; ++nCol)
    {
        for (ROWCOL nRow = target.top; nRow <= target.bottom; ++nRow)
            if (!CopyCell(pGrid, nRow, nCol, nRow, nSourceCol, wOptions))
                return FALSE;
        nSourceCol = nSourceCol == source.right ? source.left : nSourceCol + 1;
    }
    return TRUE;
}

BOOL CGXGridExcelLikeFillImp::CopyCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nSourceRow,
                                       ROWCOL nSourceCol, WORD wOptions)
{
    if (wOptions & fillStyles)
    {
        const std::unique_ptr<CGXStyle, std::function<void(CGXStyle*)>> style(
            pGrid->CreateStyle(), [pGrid](CGXStyle* pStyle) { pGrid->RecycleStyle(pStyle); });
        pGrid->ComposeStyleRowCol(nSourceRow, nSourceCol, style.get(), FALSE);
        return pGrid->SetStyleRange(CGXRange(nRow, nCol), style.get(), CGXStyle::modeOverride, 0, nullptr,
                                    GX_UPDATENOW, 0);
    }
    CString strValue;
    pGrid->GetCellValueText(strValue, nSourceRow, nSourceCol);
    return pGrid->StoreCellValue(nRow, nCol, strValue, GX_UPDATENOW, nullptr);
}
