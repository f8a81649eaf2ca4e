#include <grid/core/DrawSpannedCellsImp.h>

#include <grid/controls/Control.h>
#include <grid/core/DrawStruct.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/Style.h>

#include <algorithm>

namespace
{
// The span that holds the cell, in the order the pass asks: covered, merged across columns,
// merged across rows, floating. None for a merged or floating cell that holds the active
// current cell: that one draws itself.
BOOL FindSpan(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange& span, BOOL& bCovered)
{
    bCovered = pGrid->GetCoveredCellsRowCol(nRow, nCol, span) != nullptr;
    if (bCovered)
        return TRUE;
    if (pGrid->IsCurrentCell(nRow, nCol))
    {
        CGXControl* pControl = pGrid->GetCurrentCellControl();
        if (pControl != nullptr && pControl->IsActive())
            return FALSE;
    }
    return pGrid->GetMergedCellsRowCol(nRow, nCol, span, 0) != nullptr ||
           pGrid->GetMergedCellsRowCol(nRow, nCol, span, 1) != nullptr ||
           pGrid->GetFloatedCellsRowCol(nRow, nCol, span) != nullptr;
}

// The drawn rows (columns) of the pass that lie in first..last: [k0, k1]; FALSE when none.
BOOL DrawnExtent(const std::vector<ROWCOL>& anIndex, ROWCOL nCount, unsigned k, ROWCOL nFirst, ROWCOL nLast,
                 unsigned& k0, unsigned& k1)
{
    k0 = k;
    while (k0 > 0 && anIndex[k0 - 1] >= nFirst && anIndex[k0 - 1] <= nLast)
        --k0;
    k1 = k;
    while (k1 + 1 < nCount && anIndex[k1 + 1] >= nFirst && anIndex[k1 + 1] <= nLast)
        ++k1;
    return anIndex[k] >= nFirst && anIndex[k] <= nLast;
}

// The active current cell of a merged or floating span keeps its own drawing.
BOOL IsActiveCurrentCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol)
{
    if (!pGrid->IsCurrentCell(nRow, nCol))
        return FALSE;
    CGXControl* pControl = pGrid->GetCurrentCellControl();
    return pControl != nullptr && pControl->IsActive();
}

// The drawn pieces of a span: its rows (columns) in the frozen pane and in the scrolling one.
struct Piece
{
    unsigned nFirst;
    unsigned nLast;
};

int Pieces(const std::vector<ROWCOL>& anIndex, unsigned k0, unsigned k1, ROWCOL nFrozen, Piece (&pieces)[2])
{
    int nPieces = 0;
    unsigned k = k0;
    while (k <= k1)
    {
        const BOOL bFrozen = anIndex[k] <= nFrozen;
        unsigned e = k;
        while (e + 1 <= k1 && (anIndex[e + 1] <= nFrozen) == bFrozen)
            ++e;
        pieces[nPieces++] = {k, e};
        k = e + 1;
    }
    return nPieces;
}
} // namespace

int CGXDrawSpannedCellsImp::PrepareSpannedCell(CGXGridCore* pGrid, DrawStruct& ds, unsigned i, unsigned j)
{
    CGXRange span;
    BOOL bCovered = FALSE;
    if (!FindSpan(pGrid, ds.anRows[i], ds.anCols[j], span, bCovered))
        return 0;
    unsigned i0 = 0, i1 = 0, j0 = 0, j1 = 0;
    if (!DrawnExtent(ds.anRows, ds.nRowCount, i, span.top, span.bottom, i0, i1) ||
        !DrawnExtent(ds.anCols, ds.nColCount, j, span.left, span.right, j0, j1))
        return 0;
    CGXStyle* pStyle = pGrid->GetComposedStyle(span.top, span.left);
    if (pStyle == nullptr)
        return 0;

    const CGXGridParam* pParam = pGrid->GetParam();
    const BOOL bRightBottom = pParam != nullptr && pParam->GetLinesRightBottom();
    const BOOL bBorders = pStyle->GetInclude(CGXStyle::inclBorders);
    const auto hasBorder = [&](GXBorder border) { return bBorders && pStyle->HasBorder(border); };
    const WORD wLeft = hasBorder(GXBorder::Left) ? GX_DS_BORDER_LEFT : 0;
    const WORD wRight = hasBorder(GXBorder::Right) ? GX_DS_BORDER_RIGHT : 0;
    const WORD wTop = hasBorder(GXBorder::Top) ? GX_DS_BORDER_TOP : 0;
    const WORD wBottom = hasBorder(GXBorder::Bottom) ? GX_DS_BORDER_BOTTOM : 0;
    // The grid lines of the span's outer sides: left and top, or right and bottom.
    const BOOL bVertLine = !(bRightBottom ? wRight : wLeft);
    const BOOL bHorzLine = !(bRightBottom ? wBottom : wTop);
    const unsigned jLine = bRightBottom ? j1 : j0;
    const unsigned iLine = bRightBottom ? i1 : i0;

    for (unsigned a = i0; a <= i1; ++a)
        for (unsigned b = j0; b <= j1; ++b)
        {
            const ROWCOL nRow = ds.anRows[a];
            const ROWCOL nCol = ds.anCols[b];
            if (!bCovered && IsActiveCurrentCell(pGrid, nRow, nCol))
                continue;
            WORD wFlags = GX_DS_SPANNED | (bCovered ? GX_DS_SPAN_COVERED : 0);
            if (a != i0 || b != j0)
                wFlags |= GX_DS_SPAN_INNER;
            if (a == i0)
                wFlags |= wTop;
            if (a == i1)
                wFlags |= wBottom;
            if (b == j0)
                wFlags |= wLeft;
            if (b == j1)
                wFlags |= wRight;
            if (b == jLine && bVertLine)
                wFlags |= GX_DS_VERT_GRIDLINE;
            if (a == iLine && bHorzLine)
                wFlags |= GX_DS_HORZ_GRIDLINE;
            if (b == j1 && !wRight && nCol > ds.nHeaderCols && nCol == ds.nFrozenCols)
                wFlags |= GX_DS_VERT_DIVIDER;
            if (a == i1 && !wBottom && nRow > ds.nHeaderRows && nRow == ds.nFrozenRows)
                wFlags |= GX_DS_HORZ_DIVIDER;
            if (b == j1 && !wRight && b + 1 == ds.nColCount)
                wFlags |= GX_DS_SPAN_RIGHT_END;
            if (a == i1 && !wBottom && a + 1 == ds.nRowCount)
                wFlags |= GX_DS_SPAN_BOTTOM_END;
            if (ds.bMarkSelection && pParam != nullptr &&
                pGrid->IsRangeInList(nRow, nCol, &pGrid->GetParam()->m_SelRects))
                wFlags |= GX_DS_SELECTED;
            ds.Flags(a, b) = wFlags;
            ds.apStyles[a * ds.nColCount + b] = pStyle;
        }
    ds.bSpans = TRUE;
    if (ds.bRequestSpans)
        ds.Flags(i0, j0) |= GX_DS_SPAN_REQUEST;
    return 1;
}

int CGXDrawSpannedCellsImp::DrawSpannedCell(CGXGridCore* pGrid, DrawStruct& ds, unsigned i, unsigned j)
{
    const WORD wFlags = ds.Flags(i, j);
    const CGXStyle* pStyle = ds.Style(i, j);
    if ((wFlags & GX_DS_SPANNED) == 0 || (wFlags & GX_DS_SPAN_INNER) != 0 || pStyle == nullptr)
        return 0;
    CGXRange span;
    BOOL bCovered = FALSE;
    unsigned i0 = 0, i1 = 0, j0 = 0, j1 = 0;
    if (!FindSpan(pGrid, ds.anRows[i], ds.anCols[j], span, bCovered) ||
        !DrawnExtent(ds.anRows, ds.nRowCount, i, span.top, span.bottom, i0, i1) ||
        !DrawnExtent(ds.anCols, ds.nColCount, j, span.left, span.right, j0, j1))
        return 0;

    // The active current cell inside a merged or floating span draws itself.
    CRect rectOwn;
    ROWCOL nCurrentRow = 0;
    ROWCOL nCurrentCol = 0;
    if (!bCovered && pGrid->GetCurrentCell(&nCurrentRow, &nCurrentCol) && span.IsCellInRange(nCurrentRow, nCurrentCol) &&
        IsActiveCurrentCell(pGrid, nCurrentRow, nCurrentCol))
        for (unsigned a = i0; a <= i1; ++a)
            for (unsigned b = j0; b <= j1; ++b)
                if (ds.anRows[a] == nCurrentRow && ds.anCols[b] == nCurrentCol)
                    rectOwn = ds.CellRect(a, b);

    Piece rowPieces[2];
    Piece colPieces[2];
    const int nRowPieces = Pieces(ds.anRows, i0, i1, ds.nFrozenRows, rowPieces);
    const int nColPieces = Pieces(ds.anCols, j0, j1, ds.nFrozenCols, colPieces);
    CDC* pDC = ds.pDC;
    pGrid->m_bDrawBackground = (wFlags & GX_DS_BACKGROUND) != 0;
    for (int r = 0; r < nRowPieces; ++r)
        for (int c = 0; c < nColPieces; ++c)
        {
            const Piece& rows = rowPieces[r];
            const Piece& cols = colPieces[c];
            CRect rectPiece = ds.CellRect(rows.nFirst, cols.nFirst);
            rectPiece.UnionRect(rectPiece, ds.CellRect(rows.nLast, cols.nLast));
            CRect rectClip;
            if (!rectClip.IntersectRect(rectPiece, ds.rectClip))
                continue;
            // The contents are laid out over the whole span, as if every row and column of it
            // were drawn.
            CRect rectSpan = rectPiece;
            const ROWCOL nFirstRow = ds.anRows[rows.nFirst];
            const ROWCOL nLastRow = ds.anRows[rows.nLast];
            const ROWCOL nFirstCol = ds.anCols[cols.nFirst];
            const ROWCOL nLastCol = ds.anCols[cols.nLast];
            if (span.top < nFirstRow)
                rectSpan.top -= pGrid->CalcSumOfRowHeights(span.top, nFirstRow - 1);
            if (span.bottom > nLastRow)
                rectSpan.bottom += pGrid->CalcSumOfRowHeights(nLastRow + 1, span.bottom);
            if (span.left < nFirstCol)
                rectSpan.left -= pGrid->CalcSumOfColWidths(span.left, nFirstCol - 1);
            if (span.right > nLastCol)
                rectSpan.right += pGrid->CalcSumOfColWidths(nLastCol + 1, span.right);

            const int nSaved = pDC->SaveDC();
            pDC->IntersectClipRect(rectClip);
            if (!rectOwn.IsRectEmpty())
                pDC->ExcludeClipRect(rectOwn);
            pGrid->DrawCellItem(pDC, span.top, span.left, rectSpan, *pStyle);
            pDC->RestoreDC(nSaved);
        }
    pGrid->m_bDrawBackground = FALSE;

    if (pGrid->IsCurrentCell(span.top, span.left))
    {
        CGXControl* pControl = pGrid->GetCurrentCellControl();
        if (pControl != nullptr && !pControl->IsActive())
        {
            ds.pDeferredControl = pControl;
            ds.rectCurrentCell = ds.CellRect(i0, j0);
            ds.rectCurrentCell.UnionRect(ds.rectCurrentCell, ds.CellRect(i1, j1));
        }
    }
    return 1;
}

BOOL CGXDrawSpannedCellsImp::GetSpannedRangeFlags(CGXGridCore* pGrid, const CGXRange& range, ROWCOL nFrozenRows,
                                                  ROWCOL nFrozenCols, ROWCOL nTopRow, ROWCOL nLeftCol,
                                                  ROWCOL nBottomRow, ROWCOL nRightCol, CGXRange* /*pRefresh*/)
{
    CGXRange whole = range;
    if (range.IsTable() || !range.IsCells())
        whole.ExpandRange(0, 0, pGrid->GetRowCount(), pGrid->GetColCount());
    // The frozen part and the scrolling part of each axis, as drawn.
    const Piece rowParts[2] = {{whole.top, std::min(whole.bottom, nFrozenRows)},
                               {std::max(whole.top, std::max(nTopRow, nFrozenRows + 1)), std::min(whole.bottom, nBottomRow)}};
    const Piece colParts[2] = {{whole.left, std::min(whole.right, nFrozenCols)},
                               {std::max(whole.left, std::max(nLeftCol, nFrozenCols + 1)), std::min(whole.right, nRightCol)}};
    BOOL bChanged = FALSE;
    for (const Piece& rows : rowParts)
        for (const Piece& cols : colParts)
            if (rows.nFirst <= rows.nLast && cols.nFirst <= cols.nLast)
            {
                bChanged |= pGrid->QueryDelayedMergeCells(rows.nFirst, cols.nFirst, rows.nLast, cols.nLast);
                bChanged |= pGrid->QueryDelayedFloatCells(rows.nFirst, cols.nFirst, rows.nLast, cols.nLast);
            }
    return bChanged;
}
