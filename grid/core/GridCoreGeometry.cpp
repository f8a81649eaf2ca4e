// Row heights and column widths, the mapping between absolute and client rows and columns,
// cell rectangles, hit tests, cursors and zoom. Rows and columns share one implementation
// through GXGridAxis.
#include <grid/core/GridCore.h>

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

// One direction of the grid: rows (heights, vertical coordinates) or columns.
class GXGridAxis
{
public:
    GXGridAxis(CGXGridCore& grid, BOOL bRows) : m_grid(grid), m_bRows(bRows)
    {
    }

    int Size(ROWCOL n) const
    {
        return m_bRows ? m_grid.GetRowHeight(n) : m_grid.GetColWidth(n);
    }
    ROWCOL Count() const
    {
        return m_bRows ? m_grid.GetRowCount() : m_grid.GetColCount();
    }
    ROWCOL Headers() const
    {
        return m_bRows ? m_grid.GetHeaderRows() : m_grid.GetHeaderCols();
    }
    ROWCOL Frozen() const
    {
        return m_bRows ? m_grid.GetFrozenRows() : m_grid.GetFrozenCols();
    }
    ROWCOL First() const
    {
        return m_bRows ? m_grid.GetTopRow() : m_grid.GetLeftCol();
    }
    ROWCOL ToVisible(ROWCOL n) const
    {
        return m_bRows ? m_grid.AbsRowToVisible(n) : m_grid.AbsColToVisible(n);
    }
    ROWCOL ToAbs(ROWCOL n) const
    {
        return m_bRows ? m_grid.VisibleRowToAbs(n) : m_grid.VisibleColToAbs(n);
    }
    BOOL IsHidden(ROWCOL n) const
    {
        return m_bRows ? m_grid.IsRowHidden(n) : m_grid.IsColHidden(n);
    }
    int Unit() const
    {
        return m_bRows ? m_grid.GetRowUnit() : m_grid.GetColUnit();
    }
    CGXMapDWordToLong& StoredSizes() const
    {
        return m_bRows ? m_grid.GetParam()->m_RowHeights : m_grid.GetParam()->m_ColWidths;
    }
    int& StoredDefault() const
    {
        return m_bRows ? m_grid.GetParam()->m_nDefaultHeight : m_grid.GetParam()->m_nDefaultWidth;
    }
    BOOL LimitsSize() const
    {
        return m_bRows ? m_grid.m_bLimitRowHeight : m_grid.m_bLimitColWidth;
    }
    // The last visible row (column), the top row (left column) it was found for, and
    // whether it is cut.
    ROWCOL& LastVisible() const
    {
        return m_bRows ? m_grid.m_nLastVisibleRow : m_grid.m_nLastVisibleCol;
    }
    ROWCOL& LastVisibleFirst() const
    {
        return m_bRows ? m_grid.m_nLastVisibleRowTop : m_grid.m_nLastVisibleColLeft;
    }
    BOOL& LastVisiblePartial() const
    {
        return m_bRows ? m_grid.m_bLastVisibleRowPartial : m_grid.m_bLastVisibleColPartial;
    }
    BOOL IsCurrentIn(ROWCOL nFrom, ROWCOL nTo) const
    {
        const ROWCOL nCurrent = m_bRows ? m_grid.m_nCurrentRow : m_grid.m_nCurrentCol;
        return m_grid.m_bCurrentCell && nCurrent >= nFrom && nCurrent <= nTo;
    }

    int GetSize(ROWCOL n) const
    {
        if (IsHidden(n) || m_grid.m_pParam == nullptr)
            return 0;
        LONG nStored;
        int nSize = StoredSizes().Lookup(n, nStored) ? m_grid.StoredToPixels(nStored, Unit()) : GetDefaultSize();
        if (LimitsSize() && m_grid.m_pGridWnd != nullptr && m_grid.m_pGridWnd->IsWindowVisible() && n > Frozen())
        {
            CRect rect;
            m_grid.GetGridRect(&rect);
            const int nRest = (m_bRows ? rect.Height() : rect.Width()) - SumOfSizes(0, Frozen(), 0);
            if (nSize >= nRest)
                nSize = nRest;
        }
        return nSize;
    }
    int GetDefaultSize() const
    {
        return m_grid.m_pParam != nullptr ? m_grid.StoredToPixels(StoredDefault(), Unit()) : 0;
    }
    BOOL StoreDefaultSize(int nSize) const
    {
        if (nSize < 1 || m_grid.m_pParam == nullptr)
            return FALSE;
        StoredDefault() = m_grid.PixelsToStored(nSize, Unit());
        m_grid.DocumentLinkCall(1);
        return TRUE;
    }
    // A negative size removes the entry: back to the default.
    BOOL StoreSize(ROWCOL n, int nSize) const
    {
        if (m_grid.m_pParam == nullptr)
            return FALSE;
        if (nSize >= 0)
            StoredSizes().SetAt(n, m_grid.PixelsToStored(nSize, Unit()));
        else
            StoredSizes().RemoveKey(n);
        m_grid.DocumentLinkCall(1);
        return TRUE;
    }
    // The core's virtual operations of this direction.
    BOOL Store(ROWCOL n, int nSize) const
    {
        return m_bRows ? m_grid.StoreRowHeight(n, nSize) : m_grid.StoreColWidth(n, nSize);
    }
    void UpdateChanged(ROWCOL nFrom, ROWCOL nTo, const int* pOldSizes, UINT flags) const
    {
        if (m_bRows)
            m_grid.UpdateChangedRowHeights(nFrom, nTo, pOldSizes, flags, TRUE);
        else
            m_grid.UpdateChangedColWidths(nFrom, nTo, pOldSizes, flags, TRUE);
    }

    BOOL SetDefaultSize(int nSize, UINT flags, int nCommandKind) const
    {
        const int nOld = m_bRows ? m_grid.GetDefaultRowHeight() : m_grid.GetDefaultColWidth();
        if (!(m_bRows ? m_grid.StoreDefaultRowHeight(nSize) : m_grid.StoreDefaultColWidth(nSize)))
            return FALSE;
        UpdateChanged(1, Count(), nullptr, flags);
        if (m_grid.IsUndoRecorded(nCommandKind))
            m_grid.m_pCommandFactory->AddCommand(
                &m_grid, m_grid.m_pCommandFactory->CreateDefaultSizeCmd(&m_grid, m_bRows, nOld), nCommandKind);
        return TRUE;
    }
    void UpdateChangedSizes(ROWCOL nFrom, ROWCOL nTo, UINT flags, BOOL bHint) const
    {
        LastVisible() = GX_INVALID;
        if (Size(nFrom) == 0 && IsCurrentIn(nFrom, nTo))
            m_grid.ResetCurrentCell(TRUE);
        if (!m_grid.m_bLockUpdate)
        {
            const ROWCOL nRows = m_grid.GetRowCount();
            const ROWCOL nCols = m_grid.GetColCount();
            m_grid.InvalidateRange(m_bRows ? nFrom : 0, m_bRows ? 0 : nFrom, nRows, nCols, flags, FALSE);
        }
        if (bHint && m_grid.m_bHintsEnabled && m_grid.m_pUpdateHintImp != nullptr)
            m_grid.m_pUpdateHintImp->HintGridChanged(&m_grid, flags);
    }
    void GetSizes(ROWCOL nFrom, ROWCOL nTo, int* pSizes) const
    {
        for (ULONGLONG n = nFrom; n <= std::max(nFrom, nTo); ++n)
            pSizes[n - nFrom] = Size(static_cast<ROWCOL>(n));
    }
    ROWCOL GetLastVisible(BOOL* pbPartial) const
    {
        if (LastVisible() != GX_INVALID && LastVisibleFirst() == First())
            return LastVisible();
        LastVisibleFirst() = First();
        CRect rect;
        m_grid.GetGridRect(&rect);
        int nStart = 0;
        const ROWCOL nClient = ClientFromPoint(CPoint(rect.right - 1, rect.bottom - 1), &nStart);
        LastVisible() = nClient == GX_INVALID ? Count() : ToAbs(nClient);
        LastVisiblePartial() = nClient != GX_INVALID && nStart + Size(LastVisible()) > End(rect);
        if (pbPartial != nullptr)
            *pbPartial = LastVisiblePartial();
        return LastVisible();
    }

    // Bits 1 and 2: sizing allowed; 4: also outside the headers; 8: not at header edges.
    BOOL IsResizeAllowed(WORD wMask) const
    {
        const CGXGridParam* pParam = m_grid.GetParam();
        return pParam != nullptr &&
               (m_bRows ? pParam->IsAllowTrackRowHeight(wMask) : pParam->IsAllowTrackColWidth(wMask));
    }
    int Coord(const POINT& pt) const
    {
        return m_bRows ? pt.y : pt.x;
    }
    LONG& Start(RECT& rect) const
    {
        return m_bRows ? rect.top : rect.left;
    }
    LONG& End(RECT& rect) const
    {
        return m_bRows ? rect.bottom : rect.right;
    }

    int SumOfSizes(ROWCOL nFrom, ROWCOL nTo, int nLimit) const
    {
        int nSum = 0;
        for (ULONGLONG n = nFrom; n <= nTo && (nLimit == 0 || nSum <= nLimit); ++n)
            nSum += Size(static_cast<ROWCOL>(n));
        return nSum;
    }
    int SumOfClientSizes(ROWCOL nFrom, ROWCOL nTo, int nLimit) const
    {
        int nSum = 0;
        for (ULONGLONG n = nFrom; n <= nTo && (nLimit == 0 || nSum <= nLimit); ++n)
            nSum += Size(ToAbs(static_cast<ROWCOL>(n)));
        return nSum;
    }

    // Client row (column) under the coordinate, with its start; GX_INVALID past the end.
    ROWCOL ClientFromPoint(const POINT& pt, int* pStart) const
    {
        CRect rect;
        m_grid.GetGridRect(&rect);
        const int nStart = Start(rect);
        const int nPos = Coord(pt);
        const ROWCOL nCount = Count();
        int nEdge = nStart;
        ROWCOL nClient = 0;
        int nClientStart = nStart;
        while (nEdge <= nPos && ToAbs(nClient) <= nCount)
        {
            nClientStart = nEdge;
            nEdge += Size(ToAbs(nClient));
            ++nClient;
        }
        if (nEdge == nStart && ToAbs(nClient) <= nCount)
            nClient = 1; // the point lies before the first row: row 0
        else if (nEdge <= nPos)
            return GX_INVALID;
        if (pStart != nullptr)
            *pStart = nClientStart;
        return nClient - 1;
    }

    ROWCOL AbsToVisible(ROWCOL n) const
    {
        const ROWCOL nFrozen = Frozen();
        const ROWCOL nFirst = First();
        if (n <= nFrozen || nFirst < nFrozen + 2)
            return n;
        return n < nFirst ? 0 : n - nFirst + nFrozen + 1;
    }
    ROWCOL VisibleToAbs(ROWCOL nClient) const
    {
        const ROWCOL nFrozen = Frozen();
        const ROWCOL nFirst = First();
        if (nClient <= nFrozen || nFirst < nFrozen + 2)
            return nClient;
        return nClient + nFirst - nFrozen - 1;
    }

    // The pixel span of rows (columns) nFirst..nLast; FALSE when scrolled out or past the
    // visible area.
    BOOL Span(ROWCOL nFirst, ROWCOL nLast, ROWCOL nLastVisible, BOOL bUnbounded, int& nStartOut, int& nEndOut) const
    {
        if (nFirst > nLast)
            std::swap(nFirst, nLast);
        const ROWCOL nFrozen = Frozen();
        const ROWCOL nScrolled = First();
        if (nFirst > nFrozen && nLast < nScrolled)
            return FALSE;
        const ROWCOL nClientFirst = nFirst > nFrozen && nFirst < nScrolled ? ToVisible(nScrolled) : ToVisible(nFirst);
        if (nLastVisible != GX_INVALID && nClientFirst > ToVisible(nLastVisible))
            return FALSE;
        const ROWCOL nClientLast = nLast > nFrozen && nLast < nScrolled ? nFrozen : ToVisible(nLast);

        CRect rect;
        m_grid.GetGridRect(&rect);
        const LONGLONG nLimit = 2LL * End(rect);
        LONGLONG nEdge = Start(rect);
        for (ROWCOL n = 0; n < nClientFirst && (bUnbounded || nEdge <= nLimit); ++n)
            nEdge += Size(ToAbs(n));
        nStartOut = static_cast<int>(nEdge);
        for (ULONGLONG n = nClientFirst; n <= nClientLast && (bUnbounded || nEdge <= nLimit); ++n)
            nEdge += Size(ToAbs(static_cast<ROWCOL>(n)));
        nEndOut = static_cast<int>(nEdge);
        return TRUE;
    }

    // The resize edge at the coordinate (hit code and the row or column it sizes), for the
    // cell whose span starts at nStart; bSuppressed when a header edge that bit 8 protects is
    // in reach.
    int HitEdge(int nPos, int nStart, ROWCOL n, int nTolerance, int nEdgeCode, int nHiddenCode, ROWCOL& nHit,
                BOOL& bSuppressed) const
    {
        const ROWCOL nHeaders = Headers();
        const BOOL bProtected = IsResizeAllowed(8);
        const int nEnd = nStart + Size(n);
        if (abs(nPos - nEnd) <= nTolerance / 2)
        {
            if (n <= nHeaders && bProtected)
            {
                bSuppressed = TRUE;
                return 0;
            }
            nHit = n;
            return nEdgeCode;
        }
        if (abs(nPos - nStart) <= nTolerance / 2 && n != 0)
        {
            if (n <= nHeaders + 1 && bProtected)
            {
                bSuppressed = TRUE;
                return 0;
            }
            if (nPos - nStart > nTolerance / 4 && Size(n - 1) == 0)
            {
                nHit = n - 1;
                return nHiddenCode;
            }
            ROWCOL nSized = n - 1;
            while (nSized > 0 && Size(nSized) == 0)
                --nSized;
            nHit = nSized;
            return nEdgeCode;
        }
        return 0;
    }

private:
    CGXGridCore& m_grid;
    BOOL m_bRows;
};

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
            SetCurrentCell(bRows ? nFrom : GetTopRow(), bRows ? GetLeftCol() : nFrom);
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
    if (bHint && m_bHintsEnabled && m_pUpdateHintImp != nullptr)
        m_pUpdateHintImp->HintGridChanged(this, 0);
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
    if (bHint && m_bHintsEnabled && m_pUpdateHintImp != nullptr)
        m_pUpdateHintImp->HintGridChanged(this, flags);
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
