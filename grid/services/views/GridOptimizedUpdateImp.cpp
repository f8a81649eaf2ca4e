#include <grid/services/views/GridOptimizedUpdateImp.h>

#include <grid/controls/Control.h>
#include <grid/core/GridAxis.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>

#include <algorithm>
#include <cstdlib>

namespace
{
// Only the three low bits of the redraw flags count here.
constexpr UINT flagsMask = 0x07;

// Numbered row headers (lettered column headers) read differently from the changed line on, when
// the parameter object numbers them: their strip is repainted from nStart (client pixels) on.
void InvalidateNumberedHeaders(CGXGridCore* pGrid, BOOL bRows, int nStart)
{
    if (!pGrid->GetParam()->m_abSettingsA[bRows ? 0 : 1])
        return;
    CRect rect;
    pGrid->GetGridRect(&rect);
    const GXGridAxis cross(*pGrid, !bRows);
    const int nHeaders = cross.SumOfSizes(0, cross.Headers(), 0);
    if (bRows)
        rect.SetRect(rect.left, nStart, rect.left + nHeaders, rect.bottom);
    else
        rect.SetRect(nStart, rect.top, rect.right, rect.top + nHeaders);
    pGrid->GridWnd()->InvalidateRect(rect);
}
} // namespace

void CGXGridOptimizedUpdateImp::UpdateInsertRows(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCount, UINT& flags)
{
    Update(pGrid, TRUE, Change::insert, nRow, nRow + nCount - 1, nullptr, flags);
}

void CGXGridOptimizedUpdateImp::UpdateInsertCols(CGXGridCore* pGrid, ROWCOL nCol, ROWCOL nCount, UINT& flags)
{
    Update(pGrid, FALSE, Change::insert, nCol, nCol + nCount - 1, nullptr, flags);
}

void CGXGridOptimizedUpdateImp::UpdateRemoveRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, const int* pOldHeights,
                                                 UINT& flags)
{
    Update(pGrid, TRUE, Change::remove, nFrom, nTo, pOldHeights, flags);
}

void CGXGridOptimizedUpdateImp::UpdateRemoveCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, const int* pOldWidths,
                                                 UINT& flags)
{
    Update(pGrid, FALSE, Change::remove, nFrom, nTo, pOldWidths, flags);
}

void CGXGridOptimizedUpdateImp::UpdateHideRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, const int* pOldHeights,
                                               UINT& flags)
{
    Update(pGrid, TRUE, Change::hide, nFrom, nTo == 0 ? nFrom : nTo, pOldHeights, flags);
}

void CGXGridOptimizedUpdateImp::UpdateHideCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, const int* pOldWidths,
                                               UINT& flags)
{
    Update(pGrid, FALSE, Change::hide, nFrom, nTo == 0 ? nFrom : nTo, pOldWidths, flags);
}

void CGXGridOptimizedUpdateImp::Update(CGXGridCore* pGrid, BOOL bRows, Change change, ROWCOL nFrom, ROWCOL nTo,
                                       const int* pOldSizes, UINT& flags)
{
    flags &= flagsMask;
    const CGXGridParam* pParam = pGrid->GetParam();
    CWnd* pWnd = pGrid->GridWnd();
    if (pParam == nullptr || pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return;
    const GXGridAxis axis(*pGrid, bRows);
    axis.LastVisible() = GX_INVALID;
    // Spans may change anywhere, and frozen rows shift everything after them.
    if (nFrom <= axis.Frozen() || pParam->m_wFloatCellsMode != 0 || (pParam->m_wMergeCellsMode & 3) != 0)
    {
        pGrid->RedrawGrid(flags, FALSE);
        return;
    }
    if (change == Change::hide && axis.IsCurrentIn(nFrom, nTo) && pGrid->IsActiveCurrentCell())
    {
        const ROWCOL nCurrent = bRows ? pGrid->m_nCurrentRow : pGrid->m_nCurrentCol;
        if (axis.IsHidden(nCurrent))
            pGrid->GetCurrentCellControl()->HideControl();
    }

    // A change wholly above the view keeps the same rows on screen.
    const ROWCOL nCount = axis.Count();
    ROWCOL& nFirst = axis.FirstField();
    const ROWCOL nChanged = nTo - nFrom + 1;
    const BOOL bAbove = nTo < nFirst;
    if (bAbove && change == Change::insert)
        nFirst += nChanged;
    else if (bAbove && change == Change::remove)
        nFirst -= std::min(nChanged, nFirst - 1);
    else if (change == Change::remove && nFrom < nFirst)
        nFirst = nFrom;
    const ROWCOL nLowest = std::min<ROWCOL>(axis.Frozen() + 1, std::max<ROWCOL>(nCount, 1));
    nFirst = std::max(std::min(nFirst, nCount), nLowest);
    axis.LastVisible() = GX_INVALID;
    // Flags 0 paint nothing; a change below the view needs no painting, nor one above it but
    // the numbers of the rows an insertion or removal moved.
    if (flags == 0 || nFrom > axis.GetLastVisible(nullptr) || (bAbove && change == Change::hide))
        return;
    CRect rectArea;
    pGrid->GetGridRect(&rectArea);
    if (bAbove)
    {
        InvalidateNumberedHeaders(pGrid, bRows,
                                  (bRows ? rectArea.top : rectArea.left) + axis.SumOfSizes(0, axis.Frozen(), 0));
        if ((flags & GX_UPDATENOW) != 0)
            pWnd->UpdateWindow();
        return;
    }

    const int nStart =
        bRows ? pGrid->GetClientRowTop(axis.ToVisible(nFrom)) : pGrid->GetClientColLeft(axis.ToVisible(nFrom));
    (bRows ? rectArea.top : rectArea.left) = nStart;
    const int nExtent = bRows ? rectArea.Height() : rectArea.Width();
    // The size the changed rows have now and had before, as far as the area reaches.
    int nNow = 0;
    int nBefore = 0;
    for (ULONGLONG n = nFrom; n <= nTo && (nNow < nExtent || nBefore < nExtent); ++n)
    {
        const auto nIndex = static_cast<ROWCOL>(n);
        if (change != Change::remove)
            nNow += axis.Size(nIndex);
        // Former sizes are read only until they fill the area.
        if (change != Change::insert && nBefore < nExtent)
            nBefore += pOldSizes != nullptr ? pOldSizes[n - nFrom] : nExtent;
    }
    nNow = std::min(nNow, nExtent);
    nBefore = std::min(nBefore, nExtent);
    const int nDelta = nNow - nBefore;

    if ((flags & GX_INVALIDATE) != 0 || std::abs(nDelta) >= nExtent)
        pWnd->InvalidateRect(rectArea);
    else if (nDelta != 0)
    {
        pGrid->ScrollWindow(bRows ? 0 : nDelta, bRows ? nDelta : 0, rectArea, rectArea);
        // The changed rows at their new size, and the strip that scrolling up uncovered.
        CRect rectChanged = rectArea;
        (bRows ? rectChanged.bottom : rectChanged.right) = nStart + std::max(nNow, 1);
        pWnd->InvalidateRect(rectChanged);
        if (nDelta < 0)
        {
            CRect rectUncovered = rectArea;
            (bRows ? rectUncovered.top : rectUncovered.left) = (bRows ? rectArea.bottom : rectArea.right) + nDelta;
            pWnd->InvalidateRect(rectUncovered);
        }
    }

    InvalidateNumberedHeaders(pGrid, bRows, nStart);

    // Covered ranges reaching across the first change are drawn whole.
    const CGXRangeList& covered = pParam->m_CoveredCellsList;
    for (POSITION pos = covered.GetHeadPosition(); pos != nullptr;)
    {
        const CGXRange* pRange = covered.GetNextRange(pos);
        const ROWCOL nRangeFirst = bRows ? pRange->top : pRange->left;
        const ROWCOL nRangeLast = bRows ? pRange->bottom : pRange->right;
        if (nRangeFirst < nFrom && nRangeLast >= nFrom)
        {
            RECT rect;
            pGrid->CalcRectFromRowColEx(&rect, pRange->top, pRange->left, pRange->bottom, pRange->right);
            pWnd->InvalidateRect(&rect);
        }
    }
    if ((flags & GX_UPDATENOW) != 0)
        pWnd->UpdateWindow();
}
