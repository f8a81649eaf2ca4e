#include <grid/services/mouse/GridUserResizeCellsImp.h>

#include <grid/controls/Control.h>
#include <grid/core/AppData.h>
#include <grid/core/GridAxis.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/Properties.h>
#include <grid/services/rowscols/GridMoveRowsColsImp.h>
#include <toolkit/foundation/ScopedValue.h>

#include <algorithm>
#include <cstdlib>

using tarnwick::foundation::SECScopedValue;

namespace
{
// Bits of the tracking masks.
constexpr WORD trackDefault = 0x01;
constexpr WORD trackAllowed = 0x02;
constexpr WORD trackNoHeaders = 0x08;
constexpr WORD trackNoMark = 0x10;
constexpr WORD trackNoLineWnd = 0x20;
constexpr WORD trackNoOutline = 0x40;
constexpr WORD trackPreview = 0x80;
constexpr WORD trackLive = 0x100;
static_assert((trackAllowed | trackNoMark | trackNoLineWnd | trackPreview) == 178, "the default masks");

// The properties colour of the line while resizing.
constexpr int colorResizeLine = 2;

WORD MaskOf(CGXGridCore* pGrid, BOOL bRows)
{
    const CGXGridParam* pParam = pGrid->GetParam();
    return bRows ? pParam->m_wAllowTrackRowHeight : pParam->m_wAllowTrackColWidth;
}

int MinimumOf(CGXGridCore* pGrid, BOOL bRows)
{
    const CGXGridParam* pParam = pGrid->GetParam();
    return bRows ? pParam->m_nMinTrackRowHeight : pParam->m_nMinTrackColWidth;
}

BOOL CanResize(CGXGridCore* pGrid, BOOL bRows, ROWCOL n)
{
    return bRows ? pGrid->CanResizeRow(n) : pGrid->CanResizeCol(n);
}

BOOL IsHidden(CGXGridCore* pGrid, BOOL bRows, ROWCOL n)
{
    return bRows ? pGrid->IsRowHidden(n) : pGrid->IsColHidden(n);
}

// The selected blocks of whole rows (columns) that hold the element, when the whole table is
// not selected: each gets the new size.
BOOL IsInSelectedLines(CGXGridCore* pGrid, BOOL bRows, ROWCOL n)
{
    const CGXRangeList& selection = pGrid->GetParam()->m_SelRects;
    BOOL bIn = FALSE;
    for (POSITION pos = selection.GetHeadPosition(); pos != nullptr;)
    {
        const CGXRange* pRange = selection.GetNextRange(pos);
        if (pRange->IsTable())
            return FALSE;
        if ((bRows ? pRange->IsRows() && n >= pRange->top && n <= pRange->bottom
                   : pRange->IsCols() && n >= pRange->left && n <= pRange->right))
            bIn = TRUE;
    }
    return bIn;
}

template <class FN> void ForEachSelectedBlock(CGXGridCore* pGrid, BOOL bRows, FN fn)
{
    const CGXRangeList& selection = pGrid->GetParam()->m_SelRects;
    for (POSITION pos = selection.GetHeadPosition(); pos != nullptr;)
    {
        const CGXRange* pRange = selection.GetNextRange(pos);
        if (bRows ? pRange->IsRows() : pRange->IsCols())
            fn(std::max<ROWCOL>(bRows ? pRange->top : pRange->left, 1), bRows ? pRange->bottom : pRange->right);
    }
}

} // namespace

CGXGridUserResizeCellsImp::CGXGridUserResizeCellsImp() = default;

CGXGridUserResizeCellsImp::~CGXGridUserResizeCellsImp() = default;

CWnd* CGXGridUserResizeCellsImp::GetLineWnd() const
{
    return m_pLineWnd.get();
}

BOOL CGXGridUserResizeCellsImp::OnTrackButtonDown(CGXGridCore* pGrid, CPoint /*point*/, UINT /*flags*/, int nHit,
                                                  ROWCOL nRow, ROWCOL nCol)
{
    const BOOL bCols = nHit == GX_HORZLINE || nHit == GX_HIDDENCOLHIT;
    const BOOL bRows = nHit == GX_VERTLINE || nHit == GX_HIDDENROWHIT;
    if (pGrid->GetParam() == nullptr || (!bCols && !bRows) ||
        (MaskOf(pGrid, bRows) & (trackDefault | trackAllowed)) == 0)
        return FALSE;
    if (!pGrid->OnStartTracking(nRow, nCol, bRows ? 1 : 2))
        return FALSE;
    pGrid->SetCapture();
    return TRUE;
}

BOOL CGXGridUserResizeCellsImp::OnTrackMouseMove(CGXGridCore* pGrid, CPoint point, UINT /*flags*/)
{
    if (!m_bResizing)
        return FALSE;
    pGrid->OnMoveTracking(m_nRow, m_nCol, m_nMode, (IsRows() ? point.y : point.x) - m_nStart);
    return TRUE;
}

BOOL CGXGridUserResizeCellsImp::OnTrackButtonUp(CGXGridCore* pGrid, CPoint point, UINT /*flags*/)
{
    if (!m_bResizing)
        return FALSE;
    pGrid->OnEndTracking(m_nRow, m_nCol, m_nMode, (IsRows() ? point.y : point.x) - m_nStart);
    CWnd* pWnd = pGrid->GridWnd();
    if (pWnd != nullptr && ::GetCapture() == pWnd->GetSafeHwnd())
        ::ReleaseCapture();
    return TRUE;
}

BOOL CGXGridUserResizeCellsImp::OnStartTracking(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, int nMode)
{
    const BOOL bRows = nMode == 1;
    const ROWCOL n = bRows ? nRow : nCol;
    const GXGridAxis axis(*pGrid, bRows);
    const WORD wMask = MaskOf(pGrid, bRows);
    if (m_bResizing || (n <= axis.Headers() && (wMask & trackNoHeaders) != 0) || !CanResize(pGrid, bRows, n))
        return FALSE;
    m_nMode = nMode;
    m_nRow = nRow;
    m_nCol = nCol;
    m_bLive = (wMask & trackLive) != 0;
    m_bPreview = (wMask & trackPreview) != 0 && !m_bLive;
    m_bLineWnd = axis.Frozen() > 0 && (wMask & trackNoLineWnd) == 0 && !m_bLive;
    m_bOutline = (wMask & trackNoOutline) == 0 && !m_bLive;
    m_bMarkHeader = (wMask & trackNoMark) == 0 && !m_bLive;

    m_bStartHidden = axis.IsHidden(n);
    m_nStartSize = axis.Size(n);
    LONG nStored;
    m_bOwnSize = axis.StoredSizes().Lookup(n, nStored);

    // The line runs across the visible grid (below the headers when previewing).
    const GXGridAxis other(*pGrid, !bRows);
    CRect rectGrid;
    pGrid->GetGridRect(&rectGrid);
    int nLineStart = bRows ? rectGrid.left : rectGrid.top;
    if (m_bPreview)
        nLineStart += other.SumOfSizes(0, other.Headers(), 0);
    const ROWCOL nLastOther = bRows ? pGrid->GetLastVisibleCol() : pGrid->GetLastVisibleRow();
    const ROWCOL nLastClient = other.ToVisible(std::min(nLastOther, other.Count()));
    const int nLineEnd = std::min<int>(bRows ? rectGrid.right : rectGrid.bottom,
                                       (bRows ? rectGrid.left : rectGrid.top) + other.SumOfClientSizes(0, nLastClient, 0));
    m_nStart = bRows ? pGrid->GetClientRowTop(axis.ToVisible(n)) : pGrid->GetClientColLeft(axis.ToVisible(n));
    // The line runs along the element's far edge: the pointer's place once it moves.
    const int nEdge = m_nStart + m_nStartSize;
    m_rectStartLine = bRows ? CRect(nLineStart, nEdge, nLineEnd, nEdge + 1) : CRect(nEdge, nLineStart, nEdge + 1, nLineEnd);
    m_rectLine = m_rectStartLine;

    if (m_bLineWnd && pGrid->GridWnd() != nullptr)
    {
        const CGXProperties* pProperties = pGrid->GetProperties();
        m_pLineWnd = std::make_unique<CGXDragLineWnd>(pProperties != nullptr ? pProperties->GetColor(colorResizeLine)
                                                                              : RGB(0, 0, 0));
        if (m_pLineWnd->CreateDragLine(pGrid->GridWnd()))
        {
            m_pLineWnd->SetWindowPos(&CWnd::wndTop, m_rectStartLine.left, m_rectStartLine.top,
                                     m_rectStartLine.Width(), m_rectStartLine.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
            m_pLineWnd->UpdateWindow();
        }
    }
    m_bMoved = FALSE;
    m_bResizing = TRUE;
    if (m_bMarkHeader)
        pGrid->RedrawRowCol(bRows ? n : 0, bRows ? 0 : n, GX_INVALIDATE, FALSE);
    return TRUE;
}

void CGXGridUserResizeCellsImp::OnMoveTracking(CGXGridCore* pGrid, ROWCOL /*nRow*/, ROWCOL /*nCol*/, int /*nMode*/,
                                               int nSize)
{
    if (!m_bResizing)
        return;
    const BOOL bRows = IsRows();
    const ROWCOL n = Tracked();
    m_bMoved = TRUE;
    nSize = std::max(nSize, MinimumOf(pGrid, bRows));
    if (!(bRows ? pGrid->OnTrackRowHeight(n, nSize) : pGrid->OnTrackColWidth(n, nSize)))
        return;
    CRect rectGrid;
    pGrid->GetGridRect(&rectGrid);
    const int nFarEdge = (bRows ? rectGrid.bottom : rectGrid.right) - pGrid->m_nEdgeMargin - 1;
    int nPos = std::max(m_nStart + nSize, m_nStart);
    if (nPos > nFarEdge)
        nPos = bRows ? m_rectStartLine.top : m_rectStartLine.left;
    CRect rectNew = m_rectStartLine;
    if (bRows)
        rectNew.OffsetRect(0, nPos - rectNew.top);
    else
        rectNew.OffsetRect(nPos - rectNew.left, 0);
    if (rectNew == m_rectLine)
        return;
    if (m_bOutline)
    {
        if (m_rectLine != m_rectStartLine)
            InvertLine(pGrid, m_rectLine);
        if (rectNew != m_rectStartLine)
            InvertLine(pGrid, rectNew);
    }
    m_rectLine = rectNew;
    if (m_bLive)
    {
        CGXGridParam* pParam = pGrid->GetParam();
        {
            const SECScopedValue<BOOL> locked(pParam->m_bLockUpdate, TRUE);
            StoreSize(pGrid, nSize);
        }
        RedrawTracked(pGrid, GX_UPDATENOW);
    }
    else if (m_bPreview)
    {
        StoreSize(pGrid, nSize);
        InvalidateStrip(pGrid);
        pGrid->GridWnd()->UpdateWindow();
        RestoreStartSize(pGrid);
    }
}

void CGXGridUserResizeCellsImp::OnEndTracking(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, int nMode, int nSize)
{
    if (!m_bResizing)
        return;
    if (m_bMoved)
        OnMoveTracking(pGrid, nRow, nCol, nMode, nSize);
    m_pLineWnd.reset();
    const BOOL bRows = IsRows();
    const ROWCOL n = Tracked();
    nSize = std::max(nSize, MinimumOf(pGrid, bRows));
    m_bResizing = FALSE;
    if (m_bOutline && m_rectLine != m_rectStartLine)
        InvertLine(pGrid, m_rectLine);
    UINT flags = GX_UPDATENOW;
    if (m_bLive)
    {
        RestoreStartSize(pGrid);
        flags = GX_INVALIDATE;
    }
    else if (m_bPreview)
        InvalidateStrip(pGrid);

    const int nMove = bRows ? m_rectLine.top - m_rectStartLine.top : m_rectLine.left - m_rectStartLine.left;
    const BOOL bAccepted = bRows ? pGrid->OnTrackRowHeightEnd(n, nSize) : pGrid->OnTrackColWidthEnd(n, nSize);
    if (!bAccepted || std::abs(nMove) < 2 || !m_bMoved)
    {
        RedrawTracked(pGrid, flags);
        return;
    }
    const CGXAppData* pAppData = GXGetAppDataPtr();
    pGrid->BeginUndoBlock(bRows ? pAppData->m_sResizingRows : pAppData->m_sResizingColumns);
    ApplySize(pGrid, m_nStartSize + nMove, flags);
    pGrid->EndUndoBlock();

    pGrid->GridWnd()->UpdateWindow();
    pGrid->ScrollCellInView(bRows ? n : pGrid->GetLeftCol(), bRows ? pGrid->GetTopRow() : n, GX_UPDATENOW);
    CGXControl* pControl = pGrid->GetCurrentCellControl();
    if (pControl != nullptr && pGrid->IsActiveCurrentCell() && ::GetFocus() == pGrid->GridWnd()->GetSafeHwnd())
    {
        const BOOL bOldLock = pGrid->LockRedraw(TRUE);
        pControl->RefreshCell();
        pGrid->LockRedraw(bOldLock);
    }
}

// The new size goes to the default (mask 0x01), to every selected block of whole lines that holds
// the element, or to the element alone; a size below 1 hides.
void CGXGridUserResizeCellsImp::ApplySize(CGXGridCore* pGrid, int nSize, UINT flags)
{
    const BOOL bRows = IsRows();
    const ROWCOL n = Tracked();
    const GXGridAxis axis(*pGrid, bRows);
    if ((MaskOf(pGrid, bRows) & trackDefault) != 0 && n > axis.Headers())
    {
        bRows ? pGrid->SetDefaultRowHeight(nSize, flags) : pGrid->SetDefaultColWidth(nSize, flags);
        return;
    }
    auto sizeLines = [&](ROWCOL nFrom, ROWCOL nTo) {
        if (nSize < 1)
            bRows ? pGrid->HideRows(nFrom, nTo, TRUE, nullptr, flags) : pGrid->HideCols(nFrom, nTo, TRUE, nullptr, flags);
        else
        {
            ShowHidden(pGrid, bRows, nFrom, nTo);
            bRows ? pGrid->SetRowHeight(nFrom, nTo, nSize, nullptr, flags)
                  : pGrid->SetColWidth(nFrom, nTo, nSize, nullptr, flags);
        }
    };
    if (IsInSelectedLines(pGrid, bRows, n))
        ForEachSelectedBlock(pGrid, bRows, sizeLines);
    else
        sizeLines(n, n);
}

// A hidden column comes back through the show operation, or with width 0 while the parameter
// object's show setting asks for that.
void CGXGridUserResizeCellsImp::ShowHidden(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nTo)
{
    const BOOL bZeroWidth = !bRows && pGrid->GetParam()->m_wShowHiddenCols != 0;
    for (ULONGLONG n = nFrom; n <= nTo; ++n)
    {
        const auto nIndex = static_cast<ROWCOL>(n);
        if (!IsHidden(pGrid, bRows, nIndex))
            continue;
        if (bZeroWidth)
            pGrid->SetColWidth(nIndex, nIndex, 0);
        bRows ? pGrid->HideRows(nIndex, 0, FALSE) : pGrid->HideCols(nIndex, 0, FALSE);
    }
}

void CGXGridUserResizeCellsImp::OnCancelTracking(CGXGridCore* pGrid)
{
    if (!m_bResizing)
        return;
    m_bResizing = FALSE;
    m_pLineWnd.reset();
    if (m_bOutline && m_rectLine != m_rectStartLine)
        InvertLine(pGrid, m_rectLine);
    if (m_bLive || m_bPreview)
    {
        RestoreStartSize(pGrid);
        if (m_bLive)
            RedrawTracked(pGrid, GX_UPDATENOW);
        else
            InvalidateStrip(pGrid);
    }
    if (m_bMarkHeader)
        pGrid->RedrawRowCol(IsRows() ? Tracked() : 0, IsRows() ? 0 : Tracked(), GX_INVALIDATE, FALSE);
}

BOOL CGXGridUserResizeCellsImp::OnTrackDoubleClick(CGXGridCore* pGrid, CPoint /*point*/, UINT /*flags*/, int nHit,
                                                   ROWCOL nRow, ROWCOL nCol)
{
    const BOOL bCols = nHit == GX_HORZLINE || nHit == GX_HIDDENCOLHIT;
    const BOOL bRows = nHit == GX_VERTLINE || nHit == GX_HIDDENROWHIT;
    if (pGrid->GetParam() == nullptr || (!bCols && !bRows))
        return FALSE;
    const WORD wMask = MaskOf(pGrid, bRows);
    const GXGridAxis axis(*pGrid, bRows);
    const ROWCOL n = bRows ? nRow : nCol;
    if ((wMask & (trackDefault | trackAllowed)) == 0 || !CanResize(pGrid, bRows, n) ||
        (n > axis.Headers() && (wMask & trackDefault) != 0))
        return FALSE;
    const BOOL bNextHidden = n < axis.Count() && axis.IsHidden(n + 1);
    if (!axis.IsHidden(n) && !bNextHidden)
    {
        // Back to the default size.
        if (IsInSelectedLines(pGrid, bRows, n))
            ForEachSelectedBlock(pGrid, bRows, [&](ROWCOL nFrom, ROWCOL nTo) {
                if (axis.IsHidden(nFrom))
                    ShowHidden(pGrid, bRows, nFrom, nTo);
                else
                    bRows ? pGrid->SetRowHeight(nFrom, nTo, -1) : pGrid->SetColWidth(nFrom, nTo, -1);
            });
        else
            bRows ? pGrid->SetRowHeight(n, n, -1) : pGrid->SetColWidth(n, n, -1);
        return TRUE;
    }
    // The run of hidden elements around the border comes back.
    ROWCOL nFirst = n;
    while (nFirst > 0 && axis.IsHidden(nFirst) && CanResize(pGrid, bRows, nFirst))
        --nFirst;
    if (nFirst < n || axis.IsHidden(n))
        ShowHidden(pGrid, bRows, nFirst + (axis.IsHidden(nFirst) ? 0 : 1), n);
    ROWCOL nLast = n;
    while (nLast < axis.Count() && axis.IsHidden(nLast + 1) && CanResize(pGrid, bRows, nLast + 1))
        ++nLast;
    if (nLast > n)
        ShowHidden(pGrid, bRows, n + 1, nLast);
    return TRUE;
}

void CGXGridUserResizeCellsImp::InvertLine(CGXGridCore* pGrid, const CRect& rect)
{
    CWnd* pWnd = pGrid->GridWnd();
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return;
    CClientDC dc(pWnd);
    dc.PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), DSTINVERT);
}

void CGXGridUserResizeCellsImp::StoreSize(CGXGridCore* pGrid, int nSize)
{
    const GXGridAxis axis(*pGrid, IsRows());
    const ROWCOL n = Tracked();
    if (nSize > 0 && axis.IsHidden(n) && pGrid->m_pHideCellsImp != nullptr)
        IsRows() ? pGrid->m_pHideCellsImp->StoreHideRow(pGrid, n, FALSE) : pGrid->m_pHideCellsImp->StoreHideCol(pGrid, n, FALSE);
    axis.StoreSize(n, nSize);
    axis.LastVisible() = GX_INVALID;
}

void CGXGridUserResizeCellsImp::RestoreStartSize(CGXGridCore* pGrid)
{
    const GXGridAxis axis(*pGrid, IsRows());
    const ROWCOL n = Tracked();
    axis.StoreSize(n, m_bOwnSize ? m_nStartSize : -1);
    if (m_bStartHidden && pGrid->m_pHideCellsImp != nullptr)
        IsRows() ? pGrid->m_pHideCellsImp->StoreHideRow(pGrid, n, TRUE) : pGrid->m_pHideCellsImp->StoreHideCol(pGrid, n, TRUE);
    axis.LastVisible() = GX_INVALID;
}

void CGXGridUserResizeCellsImp::InvalidateStrip(CGXGridCore* pGrid)
{
    CRect rect;
    pGrid->GetGridRect(&rect);
    (IsRows() ? rect.top : rect.left) = m_nStart;
    pGrid->GridWnd()->InvalidateRect(rect);
}

void CGXGridUserResizeCellsImp::RedrawTracked(CGXGridCore* pGrid, UINT flags)
{
    const GXGridAxis axis(*pGrid, IsRows());
    axis.UpdateChangedSizes(Tracked(), Tracked(), flags, FALSE);
}
