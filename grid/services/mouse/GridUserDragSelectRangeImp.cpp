#include <grid/services/mouse/GridUserDragSelectRangeImp.h>

#include <grid/core/GridAxis.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/Properties.h>
#include <grid/services/rowscols/GridMoveRowsColsImp.h>

#include <algorithm>

namespace
{
// The properties colour of the drop line.
constexpr int colorDragLine = 3;

BOOL IsTableSelected(const CGXRangeList& selection)
{
    for (POSITION pos = selection.GetHeadPosition(); pos != nullptr;)
        if (selection.GetNextRange(pos)->IsTable())
            return TRUE;
    return FALSE;
}

BOOL IsLineSelected(const CGXRangeList& selection, BOOL bRows, ROWCOL n)
{
    for (POSITION pos = selection.GetHeadPosition(); pos != nullptr;)
    {
        const CGXRange* pRange = selection.GetNextRange(pos);
        if (bRows ? pRange->IsRows() && n >= pRange->top && n <= pRange->bottom
                  : pRange->IsCols() && n >= pRange->left && n <= pRange->right)
            return TRUE;
    }
    return FALSE;
}

} // namespace

CGXGridUserDragSelectRangeImp::CGXGridUserDragSelectRangeImp() = default;

CGXGridUserDragSelectRangeImp::~CGXGridUserDragSelectRangeImp() = default;

CWnd* CGXGridUserDragSelectRangeImp::GetLineWnd() const
{
    return m_pLineWnd.get();
}

BOOL CGXGridUserDragSelectRangeImp::OnStartDrag(CGXGridCore* pGrid, CPoint /*point*/, UINT flags, int /*nHit*/,
                                                ROWCOL nRow, ROWCOL nCol)
{
    // Ctrl with a click on a selected header changes the selection instead.
    const CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr || (flags & MK_CONTROL) != 0)
        return FALSE;
    const CGXRangeList& selection = pParam->m_SelRects;
    const ROWCOL nHeaderRows = pGrid->GetHeaderRows();
    const ROWCOL nHeaderCols = pGrid->GetHeaderCols();
    const BOOL bColDrag = nRow <= nHeaderRows && nCol > nHeaderCols && IsLineSelected(selection, FALSE, nCol) &&
                          pParam->m_bDragSelectCols;
    const BOOL bRowDrag = nCol <= nHeaderCols && nRow > nHeaderRows && IsLineSelected(selection, TRUE, nRow) &&
                          pParam->m_bDragSelectRows;
    if (IsTableSelected(selection) || (!bColDrag && !bRowDrag))
        return FALSE;
    m_bDragging = TRUE;
    if (!pGrid->StartDragRowsCols(bRowDrag ? nRow : 0, bColDrag ? nCol : 0))
    {
        m_nMode = 0;
        m_bDragging = FALSE;
        pGrid->GridWnd()->SendMessage(WM_CANCELMODE);
        return FALSE;
    }
    CWnd* pWnd = pGrid->GridWnd();
    if (::GetCapture() == pWnd->GetSafeHwnd())
        return TRUE;
    if (pGrid->m_pAutoScrollPlugin != nullptr && pGrid->m_bAutoScrollSetting)
        pGrid->StartMouseTracking(FALSE, bRowDrag && !pGrid->IsFrozenRow(nRow), bColDrag && !pGrid->IsFrozenCol(nCol));
    pGrid->SetCapture();
    return TRUE;
}

BOOL CGXGridUserDragSelectRangeImp::StartDragRowsCols(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol)
{
    m_nStartRow = std::max<ROWCOL>(nRow, 1);
    m_nStartCol = std::max<ROWCOL>(nCol, 1);
    m_nLastTarget = 0;
    const CGXRangeList& selection = pGrid->GetParam()->m_SelRects;
    POSITION posFound = nullptr;
    for (POSITION pos = selection.GetHeadPosition(); pos != nullptr && posFound == nullptr;)
    {
        const POSITION posThis = pos;
        const CGXRange* pRange = selection.GetNextRange(pos);
        if (nRow != 0 ? pRange->IsRows() && pRange->IsCellInRange(m_nStartRow, m_nStartCol)
                      : pRange->IsCols() && pRange->IsCellInRange(m_nStartRow, m_nStartCol))
            posFound = posThis;
    }
    if (posFound == nullptr || (nRow == 0 && nCol == 0))
        return FALSE;
    const CGXRange* pRange = selection.GetRangeAt(posFound);
    m_nMode = nRow != 0 ? 2 : 1;
    if (!(IsRows() ? pGrid->CanDragRows(pRange->top, pRange->bottom) : pGrid->CanDragCols(pRange->left, pRange->right)))
        return FALSE;
    m_posEdited = posFound;
    pGrid->SetOverrideCursor(GX_IDC_SELEDGE);
    return TRUE;
}

ROWCOL CGXGridUserDragSelectRangeImp::TargetAt(CGXGridCore* pGrid, CPoint point) const
{
    const ROWCOL nClient = IsRows() ? pGrid->CalcClientRowFromPoint(point) : pGrid->CalcClientColFromPoint(point);
    const ROWCOL nCount = IsRows() ? pGrid->GetRowCount() : pGrid->GetColCount();
    if (nClient == GX_INVALID)
        return nCount + 1;
    return std::max<ROWCOL>(IsRows() ? pGrid->VisibleRowToAbs(nClient) : pGrid->VisibleColToAbs(nClient), 1);
}

BOOL CGXGridUserDragSelectRangeImp::OnDragMove(CGXGridCore* pGrid, CPoint point, UINT /*flags*/)
{
    if (!m_bDragging)
        return FALSE;
    const ROWCOL nTarget = TargetAt(pGrid, point);
    pGrid->OnDragFeedback(m_nStartRow, m_nStartCol, IsRows() ? nTarget : m_nStartRow, IsRows() ? m_nStartCol : nTarget);
    return TRUE;
}

BOOL CGXGridUserDragSelectRangeImp::OnDragEnd(CGXGridCore* pGrid, CPoint point, UINT /*flags*/)
{
    if (!m_bDragging)
        return FALSE;
    CWnd* pWnd = pGrid->GridWnd();
    if (::GetCapture() == pWnd->GetSafeHwnd())
        ::ReleaseCapture();
    pGrid->StopMouseTracking();
    const ROWCOL nTarget = TargetAt(pGrid, point);
    const CGXRange* pRange = EditedRange(pGrid);
    if (pRange != nullptr)
        pGrid->OnDropRowsCols(pRange->top, pRange->left, IsRows() ? nTarget : pRange->top,
                              IsRows() ? pRange->left : nTarget);
    m_bDragging = FALSE;
    return TRUE;
}

const CGXRange* CGXGridUserDragSelectRangeImp::EditedRange(CGXGridCore* pGrid) const
{
    return m_posEdited != nullptr ? pGrid->GetParam()->m_SelRects.GetRangeAt(m_posEdited) : nullptr;
}

BOOL CGXGridUserDragSelectRangeImp::CanDrop(CGXGridCore* pGrid, ROWCOL nTarget) const
{
    const CGXRange* pRange = EditedRange(pGrid);
    return pRange != nullptr && (IsRows() ? pGrid->CanDropRows(pRange->top, pRange->bottom, nTarget)
                                          : pGrid->CanDropCols(pRange->left, pRange->right, nTarget));
}

void CGXGridUserDragSelectRangeImp::OnDragFeedback(CGXGridCore* pGrid, ROWCOL /*nStartRow*/, ROWCOL /*nStartCol*/,
                                                   ROWCOL nTargetRow, ROWCOL nTargetCol)
{
    const ROWCOL nTarget = std::max<ROWCOL>(IsRows() ? nTargetRow : nTargetCol, 1);
    if (nTarget == m_nLastTarget)
        return;
    if (m_pLineWnd != nullptr)
        m_pLineWnd->ShowWindow(SW_HIDE);
    m_nLastTarget = nTarget;
    if (!CanDrop(pGrid, nTarget))
    {
        pGrid->SetOverrideCursor(GX_IDC_NODROP);
        return;
    }
    pGrid->SetOverrideCursor(GX_IDC_SELEDGE);
    pGrid->GridWnd()->UpdateWindow();
    PlaceLine(pGrid, nTarget);
}

// The line lies on the boundary before the target row (column), across the grid area.
void CGXGridUserDragSelectRangeImp::PlaceLine(CGXGridCore* pGrid, ROWCOL nTarget)
{
    CWnd* pWnd = pGrid->GridWnd();
    if (m_pLineWnd == nullptr)
    {
        const CGXProperties* pProperties = pGrid->GetProperties();
        m_pLineWnd = std::make_unique<CGXDragLineWnd>(pProperties != nullptr ? pProperties->GetColor(colorDragLine)
                                                                              : RGB(0, 0, 0));
        if (!m_pLineWnd->CreateDragLine(pWnd))
            return;
    }
    const GXGridAxis axis(*pGrid, IsRows());
    CRect rect;
    pGrid->GetGridRect(&rect);
    const ROWCOL nCount = axis.Count();
    const ROWCOL nBefore = std::min(nTarget - 1, nCount);
    const ROWCOL nClient = axis.ToVisible(nBefore);
    const int nEdge = (IsRows() ? rect.top : rect.left) + axis.SumOfClientSizes(0, nClient, 0) - 1;
    const CRect rectLine = IsRows() ? CRect(rect.left, nEdge, rect.right, nEdge + 1)
                                    : CRect(nEdge, rect.top, nEdge + 1, rect.bottom);
    m_pLineWnd->SetWindowPos(&CWnd::wndTop, rectLine.left, rectLine.top, rectLine.Width(), rectLine.Height(),
                             SWP_SHOWWINDOW | SWP_NOACTIVATE);
    m_pLineWnd->UpdateWindow();
}

BOOL CGXGridUserDragSelectRangeImp::OnDropRowsCols(CGXGridCore* pGrid, ROWCOL /*nStartRow*/, ROWCOL /*nStartCol*/,
                                                   ROWCOL nTargetRow, ROWCOL nTargetCol)
{
    pGrid->SetOverrideCursor(0);
    const ROWCOL nTargetIn = IsRows() ? nTargetRow : nTargetCol;
    m_pLineWnd.reset();
    const CGXRange* pRange = EditedRange(pGrid);
    if (nTargetIn == 0 || pRange == nullptr || m_nMode == 0)
        return FALSE;
    const ROWCOL nFirst = IsRows() ? pRange->top : pRange->left;
    const ROWCOL nLast = IsRows() ? pRange->bottom : pRange->right;
    if (!CanDrop(pGrid, nTargetIn) ||
        !(IsRows() ? pGrid->OnDropRows(nFirst, nLast, nTargetIn) : pGrid->OnDropCols(nFirst, nLast, nTargetIn)))
        return FALSE;
    const ROWCOL nTarget = std::max<ROWCOL>(nTargetIn, 1);
    m_nLastTarget = nTarget;
    if (nTarget >= nFirst && nTarget <= nLast + 1)
        return FALSE;
    const ROWCOL nDest = nTarget > nLast ? nTarget - (nLast - nFirst + 1) : nTarget;
    return IsRows() ? pGrid->MoveRows(nFirst, nLast, nDest, GX_UPDATENOW) : pGrid->MoveCols(nFirst, nLast, nDest, GX_UPDATENOW);
}

void CGXGridUserDragSelectRangeImp::CancelDrag(CGXGridCore* pGrid)
{
    if (!m_bDragging && m_pLineWnd == nullptr)
        return;
    m_pLineWnd.reset();
    pGrid->SetOverrideCursor(0);
    m_bDragging = FALSE;
    m_nMode = 0;
    m_posEdited = nullptr;
}
