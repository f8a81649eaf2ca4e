// One direction of the grid, rows or columns, for the core's operations that have a row and a
// column twin. Internal to the grid core's sources.
#pragma once

#include <grid/core/GridCore.h>

#include <grid/core/GridParam.h>

#include <algorithm>
#include <vector>

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
    // The first scrollable row (column) shown, its print-time value and the one a scroll left.
    ROWCOL& FirstField() const
    {
        return m_bRows ? m_grid.m_nTopRow : m_grid.m_nLeftCol;
    }
    ROWCOL& PrintFirstField() const
    {
        return m_bRows ? m_grid.m_nPrintTopRow : m_grid.m_nPrintLeftCol;
    }
    ROWCOL& PrevFirstField() const
    {
        return m_bRows ? m_grid.m_nPrevTopRow : m_grid.m_nPrevLeftCol;
    }
    BOOL CanChangeFirst(ROWCOL n) const
    {
        return m_bRows ? m_grid.CanChangeTopRow(n) : m_grid.CanChangeLeftCol(n);
    }
    void OnFirstChanged() const
    {
        m_bRows ? m_grid.OnTopRowChanged() : m_grid.OnLeftColChanged();
    }
    int Bar() const
    {
        return m_bRows ? SB_VERT : SB_HORZ;
    }
    // DoScroll's direction towards the start (up, left) or the end (down, right).
    int Direction(BOOL bBack) const
    {
        return m_bRows ? (bBack ? 1 : 3) : (bBack ? 2 : 4);
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
    // The refresh after rows (columns) were hidden or shown: the optimized update scrolls by the
    // change of their sizes (former sizes 0 where hidden before), else they and the rows after
    // them are repainted.
    void UpdateHidden(ROWCOL nFrom, ROWCOL nTo, const BYTE* pOldStates, UINT flags) const
    {
        if (nTo < nFrom)
            nTo = nFrom;
        if (m_grid.m_pOptimizedUpdateImp == nullptr || pOldStates == nullptr || m_grid.m_bLockUpdate)
        {
            UpdateChangedSizes(nFrom, nTo, flags, FALSE);
            return;
        }
        LastVisible() = GX_INVALID;
        // The optimized update reads the former sizes only until they fill the grid's area: so
        // many are made, however many rows changed.
        CRect rect;
        m_grid.GetGridRect(&rect);
        const int nExtent = m_bRows ? rect.Height() : rect.Width();
        std::vector<int> oldSizes;
        int nSum = 0;
        for (ULONGLONG n = nFrom; n <= nTo && nSum < nExtent; ++n)
        {
            oldSizes.push_back(pOldStates[n - nFrom] != 0 ? 0 : GetShownSize(static_cast<ROWCOL>(n)));
            nSum += oldSizes.back();
        }
        if (m_bRows)
            m_grid.m_pOptimizedUpdateImp->UpdateHideRows(&m_grid, nFrom, nTo, oldSizes.data(), flags);
        else
            m_grid.m_pOptimizedUpdateImp->UpdateHideCols(&m_grid, nFrom, nTo, oldSizes.data(), flags);
    }
    BOOL IsCurrentIn(ROWCOL nFrom, ROWCOL nTo) const
    {
        const ROWCOL nCurrent = m_bRows ? m_grid.m_nCurrentRow : m_grid.m_nCurrentCol;
        return m_grid.m_bCurrentCell && nCurrent >= nFrom && nCurrent <= nTo;
    }

    int GetSize(ROWCOL n) const
    {
        return IsHidden(n) ? 0 : GetShownSize(n);
    }
    // The size the row (column) has while shown, hidden or not.
    int GetShownSize(ROWCOL n) const
    {
        if (m_grid.m_pParam == nullptr)
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
    void SetFirst(ROWCOL n, UINT flags, BOOL bHint) const
    {
        m_bRows ? m_grid.SetTopRow(n, flags, bHint) : m_grid.SetLeftCol(n, flags, bHint);
    }
    void UpdateChangedCount(ROWCOL nOldCount, UINT flags, BOOL bHint) const
    {
        m_bRows ? m_grid.UpdateChangedRowCount(nOldCount, flags, bHint)
                : m_grid.UpdateChangedColCount(nOldCount, flags, bHint);
    }
    void UpdateFrozen(ROWCOL nOldFrozen, ROWCOL nOldHeaders, UINT flags, BOOL bHint) const
    {
        m_bRows ? m_grid.UpdateFrozenRows(nOldFrozen, nOldHeaders, flags, bHint)
                : m_grid.UpdateFrozenCols(nOldFrozen, nOldHeaders, flags, bHint);
    }
    void UpdateHide(ROWCOL nFrom, ROWCOL nTo, const BYTE* pOldStates, UINT flags, BOOL bHint) const
    {
        m_bRows ? m_grid.UpdateHideRows(nFrom, nTo, pOldStates, flags, bHint)
                : m_grid.UpdateHideCols(nFrom, nTo, pOldStates, flags, bHint);
    }
    void UpdateInsert(ROWCOL n, ROWCOL nCount, UINT flags, BOOL bHint) const
    {
        m_bRows ? m_grid.UpdateInsertRows(n, nCount, flags, bHint) : m_grid.UpdateInsertCols(n, nCount, flags, bHint);
    }
    void UpdateRemove(ROWCOL nFrom, ROWCOL nTo, int* pOldSizes, UINT flags, BOOL bHint) const
    {
        m_bRows ? m_grid.UpdateRemoveRows(nFrom, nTo, pOldSizes, flags, bHint)
                : m_grid.UpdateRemoveCols(nFrom, nTo, pOldSizes, flags, bHint);
    }
    void UpdateMove(ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, UINT flags, BOOL bHint) const
    {
        m_bRows ? m_grid.UpdateMoveRows(nFrom, nTo, nDest, flags, bHint)
                : m_grid.UpdateMoveCols(nFrom, nTo, nDest, flags, bHint);
    }
    void OnSorted(const CGXRange& range, UINT flags, BOOL bHint) const
    {
        m_bRows ? m_grid.OnRowsSorted(range, flags, bHint) : m_grid.OnColsSorted(range, flags, bHint);
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
        if (CGXAbstractGridUpdateHintImp* pHints = m_grid.HintSender(bHint))
            pHints->HintRedraw(&m_grid, flags);
    }
    void GetSizes(ROWCOL nFrom, ROWCOL nTo, int* pSizes) const
    {
        for (ULONGLONG n = nFrom; n <= std::max(nFrom, nTo); ++n)
            pSizes[n - nFrom] = Size(static_cast<ROWCOL>(n));
    }
    ROWCOL GetLastVisible(BOOL* pbPartial) const
    {
        if (LastVisible() == GX_INVALID || LastVisibleFirst() != First())
        {
            LastVisibleFirst() = First();
            CRect rect;
            m_grid.GetGridRect(&rect);
            int nStart = 0;
            const ROWCOL nClient = ClientFromPoint(CPoint(rect.right - 1, rect.bottom - 1), &nStart);
            LastVisible() = nClient == GX_INVALID ? Count() : ToAbs(nClient);
            LastVisiblePartial() = nClient != GX_INVALID && nStart + Size(LastVisible()) > End(rect);
        }
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
