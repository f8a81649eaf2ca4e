// Row heights and column widths, the mapping between absolute and client rows and columns,
// cell rectangles, hit tests, cursors and zoom. Rows and columns share one implementation
// through GXGridAxis.
#include <grid/core/GridCore.h>

#include <grid/core/GridAxis.h>

#include <grid/core/AppData.h>
#include <grid/core/GridInit.h>
#include <grid/core/GridParam.h>
#include <grid/core/LongOperationImp.h>
#include <grid/core/Properties.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <grid/core/ThreadState.h>

#include <memory>
#include <algorithm>

int CGXGridCore::GetRowUnit() const
{
    return m_bPrinting ? m_nPrintRowUnit : m_nRowUnit;
}

int CGXGridCore::GetColUnit() const
{
    return m_bPrinting ? m_nPrintColUnit : m_nColUnit;
}

// Stored sizes are thousandths of the unit; a unit above 1000 pixels still counts 1 per pixel.
int CGXGridCore::PixelsToStored(int nPixels, int nUnit) const
{
    return std::max(1000 / std::max(nUnit, 1), 1) * nPixels;
}

int CGXGridCore::StoredToPixels(int nStored, int nUnit) const
{
    return nStored / std::max(1000 / std::max(nUnit, 1), 1);
}

int CGXGridCore::GetRowHeight(ROWCOL nRow)
{
    return GXGridAxis(*this, TRUE).GetSize(nRow);
}

int CGXGridCore::GetColWidth(ROWCOL nCol)
{
    return GXGridAxis(*this, FALSE).GetSize(nCol);
}

int CGXGridCore::GetDefaultRowHeight()
{
    return GXGridAxis(*this, TRUE).GetDefaultSize();
}

int CGXGridCore::GetDefaultColWidth()
{
    return GXGridAxis(*this, FALSE).GetDefaultSize();
}

BOOL CGXGridCore::StoreDefaultRowHeight(int nHeight)
{
    return GXGridAxis(*this, TRUE).StoreDefaultSize(nHeight);
}

BOOL CGXGridCore::StoreDefaultColWidth(int nWidth)
{
    return GXGridAxis(*this, FALSE).StoreDefaultSize(nWidth);
}

BOOL CGXGridCore::StoreRowHeight(ROWCOL nRow, int nHeight)
{
    return GXGridAxis(*this, TRUE).StoreSize(nRow, nHeight);
}

BOOL CGXGridCore::StoreColWidth(ROWCOL nCol, int nWidth)
{
    return GXGridAxis(*this, FALSE).StoreSize(nCol, nWidth);
}

BOOL CGXGridCore::SetDefaultRowHeight(int nHeight, UINT flags, int nCommandKind)
{
    return GXGridAxis(*this, TRUE).SetDefaultSize(nHeight, flags, nCommandKind);
}

BOOL CGXGridCore::SetDefaultColWidth(int nWidth, UINT flags, int nCommandKind)
{
    return GXGridAxis(*this, FALSE).SetDefaultSize(nWidth, flags, nCommandKind);
}

void CGXGridCore::UpdateChangedRowHeights(ROWCOL nFrom, ROWCOL nTo, const int* /*pOldHeights*/, UINT flags, BOOL bHint)
{
    GXGridAxis(*this, TRUE).UpdateChangedSizes(nFrom, nTo, flags, bHint);
}

void CGXGridCore::UpdateChangedColWidths(ROWCOL nFrom, ROWCOL nTo, const int* /*pOldWidths*/, UINT flags, BOOL bHint)
{
    GXGridAxis(*this, FALSE).UpdateChangedSizes(nFrom, nTo, flags, bHint);
}

void CGXGridCore::GetRowHeightsArray(ROWCOL nFrom, ROWCOL nTo, int* pHeights)
{
    GXGridAxis(*this, TRUE).GetSizes(nFrom, nTo, pHeights);
}

void CGXGridCore::GetColWidthsArray(ROWCOL nFrom, ROWCOL nTo, int* pWidths)
{
    GXGridAxis(*this, FALSE).GetSizes(nFrom, nTo, pWidths);
}

ROWCOL CGXGridCore::GetLastVisibleRow(BOOL* pbPartial)
{
    return GXGridAxis(*this, TRUE).GetLastVisible(pbPartial);
}

ROWCOL CGXGridCore::GetLastVisibleCol(BOOL* pbPartial)
{
    return GXGridAxis(*this, FALSE).GetLastVisible(pbPartial);
}

BOOL CGXGridCore::SetSizes(BOOL bRows, ROWCOL nFrom, ROWCOL nTo, int nSize, const int* pSizes, UINT flags,
                           int nCommandKind)
{
    if (nTo == 0)
        nTo = nFrom;
    if (nTo < nFrom)
        std::swap(nFrom, nTo);
    CGXLongOperationScope operation;
    const GXGridAxis axis(*this, bRows);
    std::unique_ptr<int[]> oldSizes(new int[static_cast<size_t>(nTo - nFrom) + 1]);
    axis.GetSizes(nFrom, nTo, oldSizes.get());
    BOOL bStored = FALSE;
    for (ULONGLONG n = nFrom; n <= nTo; ++n)
    {
        const int nNew = pSizes != nullptr ? pSizes[n - nFrom] : nSize;
        const auto nIndex = static_cast<ROWCOL>(n);
        bStored |= axis.Store(nIndex, nNew);
        GXShowLongOperationStatus(operation.Record());
    }
    if (!bStored)
        return FALSE;
    axis.UpdateChanged(nFrom, nTo, oldSizes.get(), flags);
    if (IsUndoRecorded(nCommandKind))
    {
        m_pCommandFactory->AddCommand(
            this, m_pCommandFactory->CreateSizesCmd(this, bRows, nFrom, nTo, oldSizes.release()), nCommandKind);
        if (nCommandKind == 2 || nCommandKind == 3)
            ShowCommandCell(bRows ? nFrom : GetTopRow(), bRows ? GetLeftCol() : nFrom, TRUE);
    }
    return TRUE;
}

BOOL CGXGridCore::SetRowHeight(ROWCOL nFrom, ROWCOL nTo, int nHeight, const int* pHeights, UINT flags, int nCommandKind)
{
    return SetSizes(TRUE, nFrom, nTo, nHeight, pHeights, flags, nCommandKind);
}

BOOL CGXGridCore::SetColWidth(ROWCOL nFrom, ROWCOL nTo, int nWidth, const int* pWidths, UINT flags, int nCommandKind)
{
    return SetSizes(FALSE, nFrom, nTo, nWidth, pWidths, flags, nCommandKind);
}

int CGXGridCore::CalcSumOfRowHeights(ROWCOL nFrom, ROWCOL nTo, int nLimit)
{
    return GXGridAxis(*this, TRUE).SumOfSizes(nFrom, nTo, nLimit);
}

int CGXGridCore::CalcSumOfColWidths(ROWCOL nFrom, ROWCOL nTo, int nLimit)
{
    return GXGridAxis(*this, FALSE).SumOfSizes(nFrom, nTo, nLimit);
}

int CGXGridCore::CalcSumOfClientRowHeights(ROWCOL nFrom, ROWCOL nTo, int nLimit)
{
    return GXGridAxis(*this, TRUE).SumOfClientSizes(nFrom, nTo, nLimit);
}

int CGXGridCore::CalcSumOfClientColWidths(ROWCOL nFrom, ROWCOL nTo, int nLimit)
{
    return GXGridAxis(*this, FALSE).SumOfClientSizes(nFrom, nTo, nLimit);
}

int CGXGridCore::GetClientRowTop(ROWCOL nClientRow)
{
    CRect rect;
    GetGridRect(&rect);
    return rect.top + (nClientRow == 0 ? 0 : CalcSumOfClientRowHeights(0, nClientRow - 1));
}

int CGXGridCore::GetClientColLeft(ROWCOL nClientCol)
{
    CRect rect;
    GetGridRect(&rect);
    return rect.left + (nClientCol == 0 ? 0 : CalcSumOfClientColWidths(0, nClientCol - 1));
}

ROWCOL CGXGridCore::CalcClientRowFromPoint(const POINT& pt, int* pRowTop)
{
    return GXGridAxis(*this, TRUE).ClientFromPoint(pt, pRowTop);
}

ROWCOL CGXGridCore::CalcClientColFromPoint(const POINT& pt, int* pColLeft)
{
    return GXGridAxis(*this, FALSE).ClientFromPoint(pt, pColLeft);
}

ROWCOL CGXGridCore::CalcBottomRowInRectEx(const RECT* pRect, BOOL* pbPastEnd)
{
    const ROWCOL nClient = CalcClientRowFromPoint(CPoint(pRect->right, pRect->bottom));
    if (pbPastEnd != nullptr)
        *pbPastEnd = nClient == GX_INVALID;
    return nClient == GX_INVALID ? GetRowCount() : VisibleRowToAbs(nClient);
}

ROWCOL CGXGridCore::CalcRightColInRectEx(const RECT* pRect, BOOL* pbPastEnd)
{
    const ROWCOL nClient = CalcClientColFromPoint(CPoint(pRect->right, pRect->bottom));
    if (pbPastEnd != nullptr)
        *pbPastEnd = nClient == GX_INVALID;
    return nClient == GX_INVALID ? GetColCount() : VisibleColToAbs(nClient);
}

ROWCOL CGXGridCore::CalcBottomRowInRect(const RECT* pRect)
{
    return CalcBottomRowInRectEx(pRect, nullptr);
}

ROWCOL CGXGridCore::CalcRightColInRect(const RECT* pRect)
{
    return CalcRightColInRectEx(pRect, nullptr);
}

void CGXGridCore::CalcBottomRightInRect(const RECT* pRect, ROWCOL* pRow, ROWCOL* pCol)
{
    *pRow = CalcBottomRowInRect(pRect);
    *pCol = CalcRightColInRect(pRect);
}

RECT* CGXGridCore::CalcClientRowRect(RECT* pRect, ROWCOL nRow)
{
    CRect rect;
    GetGridRect(&rect);
    rect.top = GetClientRowTop(AbsRowToVisible(nRow)) + GetRowHeight(nRow);
    *pRect = rect;
    return pRect;
}

RECT* CGXGridCore::CalcClientColRect(RECT* pRect, ROWCOL nCol)
{
    CRect rect;
    GetGridRect(&rect);
    rect.left = GetClientColLeft(AbsColToVisible(nCol)) + GetColWidth(nCol);
    *pRect = rect;
    return pRect;
}

RECT* CGXGridCore::CalcRectFromRowColEx(RECT* pRect, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight,
                                        BOOL bUnbounded)
{
    const ROWCOL nLastRow = m_bPrinting ? GX_INVALID : m_nLastVisibleRow;
    const ROWCOL nLastCol = m_bPrinting ? GX_INVALID : m_nLastVisibleCol;
    int nRowStart, nRowEnd, nColStart, nColEnd;
    if (GXGridAxis(*this, TRUE).Span(nTop, nBottom, nLastRow, bUnbounded, nRowStart, nRowEnd) &&
        GXGridAxis(*this, FALSE).Span(nLeft, nRight, nLastCol, bUnbounded, nColStart, nColEnd))
        ::SetRect(pRect, nColStart, nRowStart, nColEnd, nRowEnd);
    else
        ::SetRectEmpty(pRect);
    return pRect;
}

RECT* CGXGridCore::CalcRectFromRange(RECT* pRect, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight)
{
    CGXRange range;
    range.SetCells(nTop, nLeft, nBottom, nRight);
    ExpandRangeByCoveredCells(range);
    return CalcRectFromRowColEx(pRect, range.top, range.left, range.bottom, range.right, FALSE);
}

RECT* CGXGridCore::CalcRectFromRangeWithSpans(RECT* pRect, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight)
{
    CGXRange range;
    range.SetCells(nTop, nLeft, nBottom, nRight);
    ExpandRangeByMergedCells(range);
    ExpandRangeByFloatedCells(range);
    return CalcRectFromRange(pRect, range.top, range.left, range.bottom, range.right);
}

RECT* CGXGridCore::CalcRectFromCell(RECT* pRect, ROWCOL nRow, ROWCOL nCol)
{
    return CalcRectFromRange(pRect, nRow, nCol, nRow, nCol);
}

RECT* CGXGridCore::CalcRectFromCellWithSpans(RECT* pRect, ROWCOL nRow, ROWCOL nCol)
{
    return CalcRectFromRangeWithSpans(pRect, nRow, nCol, nRow, nCol);
}

ROWCOL CGXGridCore::AbsRowToVisible(ROWCOL nRow)
{
    return GXGridAxis(*this, TRUE).AbsToVisible(nRow);
}

ROWCOL CGXGridCore::AbsColToVisible(ROWCOL nCol)
{
    return GXGridAxis(*this, FALSE).AbsToVisible(nCol);
}

ROWCOL CGXGridCore::VisibleRowToAbs(ROWCOL nClientRow)
{
    return GXGridAxis(*this, TRUE).VisibleToAbs(nClientRow);
}

ROWCOL CGXGridCore::VisibleColToAbs(ROWCOL nClientCol)
{
    return GXGridAxis(*this, FALSE).VisibleToAbs(nClientCol);
}

int CGXGridCore::HitTest(const POINT& ptIn, ROWCOL* pRow, ROWCOL* pCol, RECT* pCell)
{
    const CPoint pt(std::max(ptIn.x, 0L), std::max(ptIn.y, 0L));
    CRect rectGrid;
    if (!GetGridRect(&rectGrid)->PtInRect(pt))
        return GX_NOHIT;

    const GXGridAxis rows(*this, TRUE);
    const GXGridAxis cols(*this, FALSE);
    int nRowTop = 0;
    int nColLeft = 0;
    const ROWCOL nClientRow = rows.ClientFromPoint(pt, &nRowTop);
    const ROWCOL nClientCol = cols.ClientFromPoint(pt, &nColLeft);
    const int nTolerance = m_nHitTolerance;
    ROWCOL nRow =
        nClientRow != GX_INVALID ? rows.ToAbs(nClientRow) : (pt.y > nTolerance / 2 + 1 ? GetRowCount() + 1 : 0);
    ROWCOL nCol =
        nClientCol != GX_INVALID ? cols.ToAbs(nClientCol) : (pt.x > nTolerance / 2 + 1 ? GetColCount() + 1 : 0);
    CRect rectCell;
    const BOOL bCell = nClientRow != GX_INVALID && nClientCol != GX_INVALID;
    if (bCell)
        rectCell.SetRect(nColLeft, nRowTop, nColLeft + GetColWidth(nCol), nRowTop + GetRowHeight(nRow));

    int nCode = GX_NOHIT;
    BOOL bSuppressed = FALSE;
    if (nClientCol != GX_INVALID && cols.IsResizeAllowed(1 | 2) && (nRow <= GetHeaderRows() || cols.IsResizeAllowed(4)))
        nCode = cols.HitEdge(pt.x, nColLeft, nCol, nTolerance, GX_HORZLINE, GX_HIDDENCOLHIT, nCol, bSuppressed);
    if (nCode == GX_NOHIT && !bSuppressed && nClientRow != GX_INVALID && rows.IsResizeAllowed(1 | 2) &&
        (nCol <= GetHeaderCols() || rows.IsResizeAllowed(4)))
        nCode = rows.HitEdge(pt.y, nRowTop, nRow, nTolerance, GX_VERTLINE, GX_HIDDENROWHIT, nRow, bSuppressed);
    if (nCode == GX_NOHIT && bCell)
    {
        nCode = HitTestSelectionFrame(nRow, nCol, pt, rectCell);
        if (nCode == GX_NOHIT)
            nCode = nCol > GetHeaderCols() && nRow > GetHeaderRows() ? GX_CELLHIT : GX_HEADERHIT;
    }
    if (pRow != nullptr)
        *pRow = nRow;
    if (pCol != nullptr)
        *pCol = nCol;
    if (pCell != nullptr)
        *pCell = rectCell;
    return nCode;
}

int CGXGridCore::HitTestSelectionFrame(ROWCOL nRow, ROWCOL nCol, const POINT& pt, const RECT& rectCell)
{
    const BOOL bExcelFrame = m_pParam != nullptr && m_pParam->m_anCoreSettings[3] != 0;
    if (m_pParam == nullptr || (!m_bReadyState && !bExcelFrame))
        return 0;
    const auto within = [](LONG nDistance) { return nDistance >= 0 && nDistance <= 4; };
    const CGXRangeList& selection = m_pParam->m_SelRects;
    if (selection.IsCellInList(0, 0))
    {
        if (nRow != 0 || nCol != 0)
            return 0;
        return within(pt.x - rectCell.left) || within(pt.y - rectCell.top) ? GX_SELEDGEHIT : 0;
    }

    CGXRange frame;
    if (selection.IsEmpty())
    {
        frame.SetCells(nRow, nCol, nRow, nCol);
        ExpandRangeByCoveredCells(frame);
        if (!IsCurrentCell(frame.top, frame.left) || frame.top == 0 || frame.left == 0)
            return 0;
    }
    else
    {
        POSITION pos = selection.FindRange(nRow, nCol);
        if (pos == nullptr)
            return 0;
        frame = *static_cast<CGXRange*>(selection.GetAt(pos));
    }
    const BOOL bOnFrame = (within(pt.x - rectCell.left) && !frame.IsRows() && frame.left == nCol) ||
                          (within(rectCell.right - pt.x) && !frame.IsRows() && frame.right == nCol) ||
                          (within(pt.y - rectCell.top) && !frame.IsCols() && frame.top == nRow) ||
                          (within(rectCell.bottom - pt.y) && !frame.IsCols() && frame.bottom == nRow);
    if (!bOnFrame)
        return 0;
    if (bExcelFrame && abs(pt.x - rectCell.right) <= 4 && abs(pt.y - rectCell.bottom) <= 4)
        return GX_FILLHANDLEHIT;
    return GX_SELEDGEHIT;
}

UINT CGXGridCore::GetCursorIdAt(const POINT& pt, LPCTSTR* ppszFallback)
{
    LPCTSTR pszFallback = IDC_ARROW;
    UINT nId = 0;
    if (m_nOverrideCursor != 0)
        nId = m_nOverrideCursor;
    else
    {
        ROWCOL nRow = 0;
        ROWCOL nCol = 0;
        switch (HitTest(pt, &nRow, &nCol))
        {
        case GX_HIDDENROWHIT:
            nId = GX_IDC_HIDDENROW;
            break;
        case GX_HIDDENCOLHIT:
            nId = GX_IDC_HIDDENCOL;
            break;
        case GX_FILLHANDLEHIT:
            nId = GX_IDC_FILLHANDLE;
            break;
        case GX_SELEDGEHIT:
            nId = GX_IDC_SELEDGE;
            break;
        case GX_VERTLINE:
            if (m_pUserResizeCellsImp != nullptr)
            {
                nId = GX_IDC_ROWSIZE;
                pszFallback = IDC_SIZENS;
            }
            break;
        case GX_HORZLINE:
            if (m_pUserResizeCellsImp != nullptr)
            {
                nId = GX_IDC_COLSIZE;
                pszFallback = IDC_SIZEWE;
            }
            break;
        case GX_HEADERHIT:
            if (nRow == 0 && nCol > 0)
            {
                const BOOL bSelected = m_pParam->m_SelRects.IsCellInList(0, nCol) && m_pParam->m_bDragSelectCols;
                if (!bSelected && m_pParam->IsAllowSelection(2))
                    nId = GX_IDC_SELCOL;
            }
            else if (nCol == 0 && nRow > 0)
            {
                const BOOL bSelected = m_pParam->m_SelRects.IsCellInList(nRow, 0) && m_pParam->m_bDragSelectRows;
                if (!bSelected && m_pParam->IsAllowSelection(1))
                    nId = GX_IDC_SELROW;
            }
            break;
        default:
            break;
        }
    }
    if (ppszFallback != nullptr)
        *ppszFallback = pszFallback;
    return nId;
}

void CGXGridCore::SetGridCursor(const POINT& pt)
{
    if (m_nOverrideCursor == 0 && m_pParam != nullptr && m_pParam->m_bCheckViewActivation && m_pGridWnd != nullptr &&
        m_pGridWnd->IsKindOf(RUNTIME_CLASS(CView)))
    {
        CWnd* pFocus = CWnd::GetFocus();
        CFrameWnd* pFrame = m_pGridWnd->GetParentFrame();
        if (pFocus == nullptr || pFocus->GetParentFrame() != pFrame || pFrame == nullptr ||
            pFrame->GetActiveView() != m_pGridWnd)
        {
            SetCursorResource(0, nullptr);
            return;
        }
    }
    LPCTSTR pszFallback = IDC_ARROW;
    const UINT nId = GetCursorIdAt(pt, &pszFallback);
    SetCursorResource(nId, pszFallback);
}

void CGXGridCore::SetCursorResource(UINT nResourceId, LPCTSTR pszSystemCursor)
{
    if (nResourceId == 0)
    {
        ::SetCursor(m_hcurArrow);
        return;
    }
    GX_CURSOR_STATE* pState = GXGetThreadState<GX_CURSOR_STATE>();
    if (pState->m_nCursorId != nResourceId)
    {
        const HCURSOR hPrevious = pState->m_hcurLoaded;
        HCURSOR hCursor = ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nResourceId));
        pState->m_hcurLoaded = hCursor;
        if (hCursor == nullptr)
            hCursor = ::LoadCursorW(nullptr, pszSystemCursor != nullptr ? pszSystemCursor : IDC_ARROW);
        pState->m_nCursorId = nResourceId;
        pState->m_hcurCurrent = hCursor;
        ::SetCursor(hCursor);
        if (hPrevious != nullptr)
            ::DestroyCursor(hPrevious);
        return;
    }
    ::SetCursor(pState->m_hcurCurrent);
}

void CGXGridCore::SetOverrideCursor(UINT nResourceId)
{
    m_nOverrideCursor = nResourceId;
    SetGridCursor(CPoint(0, 0));
}

void CGXGridCore::UpdateHideRows(ROWCOL nFrom, ROWCOL nTo, const BYTE* pOldStates, UINT flags, BOOL bHint)
{
    GXGridAxis(*this, TRUE).UpdateHidden(nFrom, nTo, pOldStates, flags);
    if (CGXAbstractGridUpdateHintImp* pHints = HintSender(bHint))
        pHints->HintHideRows(this, nFrom, nTo, pOldStates, flags);
}

void CGXGridCore::UpdateHideCols(ROWCOL nFrom, ROWCOL nTo, const BYTE* pOldStates, UINT flags, BOOL bHint)
{
    GXGridAxis(*this, FALSE).UpdateHidden(nFrom, nTo, pOldStates, flags);
    if (CGXAbstractGridUpdateHintImp* pHints = HintSender(bHint))
        pHints->HintHideCols(this, nFrom, nTo, pOldStates, flags);
}

int CGXGridCore::GetZoom()
{
    if (m_bPrinting || m_pParam == nullptr || m_pParam->m_bNoZoom)
        return 100;
    return m_nZoom;
}

BOOL CGXGridCore::StoreZoom(int nZoom, BOOL bHint)
{
    m_nZoom = nZoom;
    if (GetProperties() != nullptr)
        GetProperties()->m_nZoom = nZoom;
    if (CGXAbstractGridUpdateHintImp* pHints = HintSender(bHint))
        pHints->HintStoreZoom(this, nZoom);
    return TRUE;
}

void CGXGridCore::SetZoom(int nZoom, UINT flags)
{
    const int nOld = GetZoom();
    if (StoreZoom(nZoom, TRUE))
        UpdateZoom(nOld, flags, TRUE);
}

void CGXGridCore::UpdateZoom(int nOldZoom, UINT flags, BOOL bHint)
{
    FreeObjectCache();
    UpdateFontUnits();
    if (!m_bLockUpdate && GetZoom() != nOldZoom)
        RedrawGrid(flags, FALSE);
    if (CGXAbstractGridUpdateHintImp* pHints = HintSender(bHint))
        pHints->HintUpdateZoom(this, nOldZoom, flags);
}

void CGXGridCore::UpdateFontUnits()
{
    CGXStylesMap* pStylesMap = GetStylesMap();
    CGXStyle* pStandard = nullptr;
    if (pStylesMap == nullptr || !pStylesMap->LookupStyle(pStylesMap->m_wStyleStandard, pStandard))
        return;
    if (!pStandard->GetInclude(CGXStyle::inclFont))
    {
        m_nRowUnit = 15;
        m_nColUnit = 10;
        return;
    }
    CWnd* pWnd = m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr ? m_pGridWnd : CWnd::GetDesktopWindow();
    CClientDC dc(pWnd);
    CFont* pOld = SelectFontScaled(&dc, pStandard->GetFont());
    const CSize size = GetTextMetricsSize(&dc);
    dc.SelectObject(pOld);
    m_nColUnit = size.cx;
    m_nRowUnit = size.cy;
}

CSize CGXGridCore::GetTextMetricsSize(CDC* pDC)
{
    TEXTMETRIC tm{};
    pDC->GetTextMetrics(&tm);
    return CSize(((tm.tmPitchAndFamily & 1) | 2) * tm.tmAveCharWidth / 2, tm.tmHeight + tm.tmExternalLeading);
}

ROWCOL CGXGridCore::GetTopRow()
{
    return m_bPrinting ? m_nPrintTopRow : m_nTopRow;
}

ROWCOL CGXGridCore::GetLeftCol()
{
    return m_bPrinting ? m_nPrintLeftCol : m_nLeftCol;
}

void CGXGridCore::RedrawRowCol(ROWCOL nRow, ROWCOL nCol, UINT flags, BOOL bHint)
{
    RedrawRange(CGXRange(nRow, nCol), flags, bHint);
}

CRect CGXGridCore::CalcRectFromRowCol(ROWCOL nRow, ROWCOL nCol)
{
    CRect rect;
    CalcRectFromRowColEx(&rect, nRow, nCol, nRow, nCol, FALSE);
    return rect;
}

BOOL CGXGridCore::ScrollCells(int nDirection, UINT nCount)
{
    return DoScroll(nDirection, nCount);
}
