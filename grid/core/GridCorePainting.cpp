// The paint path: from the window's paint request to each cell's control. A pass over a block
// of visible rows and columns composes every style once, fills equal backgrounds in runs,
// lets the controls draw the cells, draws the lines in merged runs, fills the space beyond
// the last row and column and marks the selected cells.
#include <grid/core/GridCore.h>

#include <grid/controls/Control.h>
#include <grid/core/DrawStruct.h>
#include <grid/core/DrawingAndFormatting.h>
#include <grid/core/GridParam.h>
#include <grid/core/Properties.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>

#include <toolkit/foundation/MemDC.h>

namespace
{
constexpr COLORREF rgbWhite = RGB(255, 255, 255);
// The fill right of the last column reaches this far below the clip box.
constexpr int nFillOverhang = 5;

BOOL IsEmptyBrush(const GXBrushRecord& brush)
{
    return brush.GetStyle() == BS_NULL;
}

// A brush as printed in black and white: a pattern or hatch black on white, a solid colour
// white, so that no colour turns into a black block.
GXBrushRecord BlackWhiteBrush(const GXBrushRecord& brush)
{
    GXBrushRecord brushBW = brush;
    brushBW.SetColor(brush.GetStyle() == BS_SOLID ? rgbWhite : RGB(0, 0, 0)).SetBkColor(rgbWhite);
    return brushBW;
}

// The cells of one row or column of the block: how many, and the running start and the size
// of each.
void FillAxis(CGXGridCore& grid, BOOL bRows, ROWCOL nFirstVisible, ROWCOL nCount, int nStart,
              std::vector<ROWCOL>& anIndex, std::vector<int>& anSize, std::vector<int>& anStart)
{
    int nRunning = nStart;
    for (ROWCOL k = 0; k < nCount; ++k)
    {
        anIndex[k] = bRows ? grid.VisibleRowToAbs(nFirstVisible + k) : grid.VisibleColToAbs(nFirstVisible + k);
        anSize[k] = bRows ? grid.GetRowHeight(anIndex[k]) : grid.GetColWidth(anIndex[k]);
        anStart[k] = nRunning;
        nRunning += anSize[k];
    }
    const ROWCOL nAfter = nCount > 0 ? anIndex[nCount - 1] + 1 : 0;
    anIndex[nCount] = nAfter > (bRows ? grid.GetRowCount() : grid.GetColCount()) ? 0 : nAfter;
}

// Restores the core's pass pointer and depth however the pass ends.
class DrawPassScope
{
public:
    DrawPassScope(DrawStruct*& pCurrent, int& nDepth, DrawStruct& ds)
        : m_pCurrent(pCurrent), m_nDepth(nDepth), m_pSaved(pCurrent)
    {
        ++m_nDepth;
        m_pCurrent = &ds;
    }
    ~DrawPassScope()
    {
        --m_nDepth;
        m_pCurrent = m_pSaved;
    }
    DrawPassScope(const DrawPassScope&) = delete;
    DrawPassScope& operator=(const DrawPassScope&) = delete;

private:
    DrawStruct*& m_pCurrent;
    int& m_nDepth;
    DrawStruct* m_pSaved;
};
} // namespace

BOOL CGXGridCore::IsPaintLocked() const
{
    return m_pParam != nullptr && m_pParam->m_bLockDrawing;
}

BOOL CGXGridCore::IsTransparentBackground() const
{
    return m_pParam != nullptr && m_pParam->m_bTransparentBackground;
}

void CGXGridCore::DrawGrid(CDC* pDC)
{
    OnBeforeScroll(0, 0, TRUE, 0);
    m_bPaintPending = FALSE;
    if (IsPaintLocked())
        return;

    CRect rectGrid;
    GetGridRect(&rectGrid);
    CRect rectClip;
    pDC->GetClipBox(&rectClip);
    if (rectClip.IsRectEmpty())
        return;
    if (m_bDeferPainting)
    {
        m_bInvalidatedWhileDeferred = TRUE;
        return;
    }

    const int nDefaultHeight = GetDefaultRowHeight();
    const int nDefaultWidth = GetDefaultColWidth();
    const ROWCOL nMoreRows = nDefaultHeight > 0 ? static_cast<ROWCOL>(rectGrid.Height() / nDefaultHeight) : 0;
    const ROWCOL nMoreCols = nDefaultWidth > 0 ? static_cast<ROWCOL>(rectGrid.Width() / nDefaultWidth) : 0;
    ROWCOL nLastRow = 0;
    ROWCOL nLastCol = 0;
    CalcBottomRightInRect(&rectClip, &nLastRow, &nLastCol);
    PrepareRowsUpTo(nLastRow + nMoreRows, nLastCol + nMoreCols);

    m_bScrollPending = FALSE;
    UpdateScrollbars(TRUE, TRUE);
    if (m_bScrollPending)
    {
        InvalidateGrid(FALSE);
        return;
    }
    if (m_nDoubleBuffering == 1)
        DrawGridBuffered(pDC);
    else
        DrawGridToDC(pDC);
}

void CGXGridCore::PrepareRowsUpTo(ROWCOL /*nRow*/, ROWCOL /*nCol*/)
{
}

void CGXGridCore::DrawGridToDC(CDC* pDC)
{
    CRect rectClip;
    pDC->GetClipBox(&rectClip);
    DrawGridPass(pDC, pDC, rectClip);
}

void CGXGridCore::DrawGridBuffered(CDC* pDC)
{
    CRect rectClip;
    pDC->GetClipBox(&rectClip);
    if (rectClip.Width() <= 0 || rectClip.Height() <= 0)
        return;
    tarnwick::foundation::SECMemDC dcMem(pDC, rectClip.left, rectClip.top, rectClip.right, rectClip.bottom);
    OnGridPrepareDC(&dcMem, nullptr);
    DrawGridPass(&dcMem, pDC, rectClip);
}

void CGXGridCore::DrawGridPass(CDC* pDC, CDC* pTargetDC, const CRect& rectClipBox)
{
    if (CGXStylesMap* pStylesMap = GetStylesMap())
    {
        pStylesMap->LookupStyle(pStylesMap->m_wStyleStandard, m_pStyleStandard);
        pStylesMap->LookupStyle(pStylesMap->m_wStyleRowHeader, m_pStyleRowHeader);
        pStylesMap->LookupStyle(pStylesMap->m_wStyleColHeader, m_pStyleColHeader);
    }
    FreeObjectCache();

    CFont* pOldFont = m_pStyleStandard != nullptr ? LoadFont(pDC, *m_pStyleStandard, nullptr) : nullptr;
    PrepareColors(pDC);

    CRect rectGrid;
    GetGridRect(&rectGrid);
    CRect rectClip = rectGrid;
    CRgn rgnTest;
    rgnTest.CreateRectRgn(0, 0, 0, 0);
    if (::GetClipRgn(pTargetDC->GetSafeHdc(), static_cast<HRGN>(rgnTest.GetSafeHandle())) == 1)
        rectClip.IntersectRect(rectClipBox, rectGrid);
    if (!rectClip.IsRectEmpty())
    {
        if (m_bGridFrame)
        {
            GXFillColorRect(pDC, CRect(rectGrid.left - 1, rectGrid.top - 1, rectGrid.right, rectGrid.top), 0);
            GXFillColorRect(pDC, CRect(rectGrid.left - 1, rectGrid.top, rectGrid.left, rectGrid.bottom), 0);
            GXFillColorRect(pDC, CRect(rectGrid.right, rectGrid.top - 1, rectGrid.right + 1, rectGrid.bottom), 0);
            GXFillColorRect(pDC, CRect(rectGrid.left - 1, rectGrid.bottom, rectGrid.right + 1, rectGrid.bottom + 1), 0);
        }
        pDC->IntersectClipRect(rectGrid);

        ROWCOL nTop = 0;
        ROWCOL nLeft = 0;
        ROWCOL nBottom = 0;
        ROWCOL nRight = 0;
        CalcVisibleRowColFromPoint(rectClip.TopLeft(), &nTop, &nLeft);
        CalcVisibleRowColFromPoint(CPoint(rectClip.right - 1, rectClip.bottom - 1), &nBottom, &nRight);
        DrawCellRange(nTop, nLeft, nBottom, nRight, pDC);
        DrawSelectionFrame(pDC);
    }

    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
    while (!m_CleanRects.IsEmpty())
    {
        CRect* pRect = static_cast<CRect*>(m_CleanRects.RemoveHead());
        if (pTargetDC != pDC)
            pTargetDC->ExcludeClipRect(pRect);
        delete pRect;
    }
    ReleaseClientDC();
}

void CGXGridCore::PrepareColors(CDC* /*pDC*/)
{
}

void CGXGridCore::DrawCellRange(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight, CDC* pDC)
{
    if (nBottom < nTop || nRight < nLeft)
        return;
    DrawStruct ds;
    DrawPassScope scope(m_pDrawStruct, m_nDrawingDepth, ds);

    ds.nRowCount = nBottom - nTop + 1;
    ds.nColCount = nRight - nLeft + 1;
    ds.nTopRow = GetTopRow();
    ds.nLeftCol = GetLeftCol();
    ds.nFrozenCols = GetFrozenCols();
    ds.nFrozenRows = GetFrozenRows();
    ds.nHeaderCols = GetHeaderCols();
    ds.nHeaderRows = GetHeaderRows();
    ds.nBlockTop = nTop;
    ds.nBlockLeft = nLeft;
    ds.nBlockBottom = nBottom;
    ds.nBlockRight = nRight;
    ds.pDC = pDC;
    pDC->GetClipBox(&ds.rectClip);
    ds.ptOrigin = CalcVisibleCellRect(nTop, nLeft).TopLeft();

    // Sizes are checked before any allocation: a huge block throws the memory exception.
    const ULONGLONG nCells = static_cast<ULONGLONG>(ds.nRowCount) * ds.nColCount;
    if (ds.nRowCount >= GX_INVALID || ds.nColCount >= GX_INVALID || nCells > static_cast<ULONGLONG>(INT_MAX))
        AfxThrowMemoryException();
    ds.anRowHeights.resize(ds.nRowCount);
    ds.anRowTops.resize(ds.nRowCount);
    ds.anRows.resize(ds.nRowCount + 1);
    ds.anColWidths.resize(ds.nColCount);
    ds.anColLefts.resize(ds.nColCount);
    ds.anCols.resize(ds.nColCount + 1);
    ds.apStyles.assign(static_cast<size_t>(nCells), nullptr);
    ds.anFlags.assign(static_cast<size_t>(nCells), 0);

    const CGXProperties* pProperties = GetProperties();
    ds.bMarkSelection = !pDC->IsPrinting() && m_pParam != nullptr && m_pParam->m_bMarkSelection;
    ds.bColor = pProperties == nullptr || !pProperties->IsBlackWhiteOutput();
    ds.rgbBackground =
        ds.bColor && pProperties != nullptr ? pProperties->GetColor(CGXProperties::colorBackground) : rgbWhite;

    FillAxis(*this, TRUE, nTop, ds.nRowCount, ds.ptOrigin.y, ds.anRows, ds.anRowHeights, ds.anRowTops);
    FillAxis(*this, FALSE, nLeft, ds.nColCount, ds.ptOrigin.x, ds.anCols, ds.anColWidths, ds.anColLefts);
    ds.ptRunning = CPoint(ds.anColLefts.back() + ds.anColWidths.back(), ds.anRowTops.back() + ds.anRowHeights.back());

    ROWCOL nCurrentRow = 0;
    ROWCOL nCurrentCol = 0;
    const BOOL bCurrentCell = GetCurrentCell(&nCurrentRow, &nCurrentCol);
    if (bCurrentCell && !m_bKeepCurrentCellStyle && IsCellInBlock(ds, nCurrentRow, nCurrentCol))
    {
        m_pCurrentControl = nullptr;
        if (m_pCurrentCellStyle != nullptr)
            m_pCurrentCellStyle->Free();
    }

    if (m_pParam != nullptr && m_pParam->m_bLoadStylesAhead)
        for (ROWCOL j = 0; j < ds.nColCount; ++j)
            for (ROWCOL i = 0; i < ds.nRowCount; ++i)
                if (ds.anRowHeights[i] > 0 && ds.anColWidths[j] > 0)
                    ds.apStyles[i * ds.nColCount + j] = GetComposedStyle(ds.anRows[i], ds.anCols[j]);

    for (ROWCOL i = 0; i < ds.nRowCount; ++i)
        for (ROWCOL j = 0; j < ds.nColCount; ++j)
            if (ds.anRows[i] != 0 && ds.anCols[j] != 0 && IsCellDirty(ds.anRows[i], ds.anCols[j]))
                DelayFloatCells(CGXRange(ds.anRows[i], ds.anCols[j]));

    NotifyDrawRange(ds);

    for (unsigned i = 0; i < ds.nRowCount; ++i)
        for (unsigned j = 0; j < ds.nColCount; ++j)
        {
            const ROWCOL nRow = ds.anRows[i];
            const ROWCOL nCol = ds.anCols[j];
            if (bCurrentCell && nRow == nCurrentRow && nCol == nCurrentCol)
                GetCurrentCellControl();
            if (!m_bDirtyOnly || (nRow != 0 && nCol != 0 && IsCellDirty(nRow, nCol)))
                PrepareDrawCell(ds, i, j);
            else
                m_CleanRects.AddTail(new CRect(ds.CellRect(i, j)));
        }

    if (!OnOldDrawing(ds))
    {
        BOOL bFrameDrawn = FALSE;
        for (unsigned i = 0; i < ds.nRowCount; ++i)
            DrawBlockRow(ds, i, bFrameDrawn);
        FillBeyondGrid(ds);
        for (unsigned j = 0; j < ds.nColCount; ++j)
            DrawColumnLines(ds, j);
        if (ds.bMarkSelection)
            DrawSelectionMarks(ds);
    }
}

BOOL CGXGridCore::IsCellInBlock(const DrawStruct& ds, ROWCOL nRow, ROWCOL nCol) const
{
    BOOL bRow = FALSE;
    for (ROWCOL i = 0; i < ds.nRowCount && !bRow; ++i)
        bRow = ds.anRows[i] == nRow;
    BOOL bCol = FALSE;
    for (ROWCOL j = 0; j < ds.nColCount && !bCol; ++j)
        bCol = ds.anCols[j] == nCol;
    return bRow && bCol;
}

void CGXGridCore::DrawBlockRow(DrawStruct& ds, unsigned i, BOOL& bFrameDrawn)
{
    BOOL bDirtyRow = !m_bDirtyOnly;
    unsigned nFirstDirty = 0;
    for (unsigned j = 0; j < ds.nColCount && !bDirtyRow; ++j)
        if (ds.anRows[i] != 0 && ds.anCols[j] != 0 && IsCellDirty(ds.anRows[i], ds.anCols[j]))
        {
            bDirtyRow = TRUE;
            nFirstDirty = j;
        }
    if (!bDirtyRow)
        return;

    CDC* pDC = ds.pDC;
    if (m_bDirtyOnly)
    {
        if (m_pParam != nullptr)
            m_pParam->m_RangeList1.AddTail(new CGXRange(ds.anRows[i], ds.anCols[nFirstDirty]));
        pDC->IntersectClipRect(ds.rectClip.left, ds.anRowTops[i], ds.rectClip.right,
                               ds.anRowTops[i] + ds.anRowHeights[i]);
    }
    DrawRowBackgrounds(ds, i);
    for (unsigned j = 0; j < ds.nColCount; ++j)
    {
        ds.rectCell = ds.CellRect(i, j);
        DrawCell(ds, i, j);
        if (!m_bDirtyOnly)
            OnCellDrawn(ds.anRows[i], ds.anCols[j], FALSE);
    }
    if (m_bDirtyOnly)
    {
        pDC->SelectClipRgn(nullptr);
        pDC->IntersectClipRect(ds.rectClip);
    }
    if (ds.pDeferredControl != nullptr && !bFrameDrawn && !ds.rectClip.IsRectEmpty() &&
        ds.rectCurrentCell.top >= ds.anRowTops[i] && ds.rectCurrentCell.top < ds.anRowTops[i] + ds.anRowHeights[i])
    {
        ds.pDeferredControl->DrawCurrentCellFrame(pDC, ds.rectCurrentCell);
        bFrameDrawn = TRUE;
    }
    DrawRowLines(ds, i);
}

void CGXGridCore::FillBeyondGrid(DrawStruct& ds)
{
    if (IsTransparentBackground())
        return;
    const CGXProperties* pProperties = GetProperties();
    const BOOL bColor = ds.bColor && !IsPrinting() && pProperties != nullptr;
    const COLORREF rgbFill = bColor ? pProperties->GetColor(CGXProperties::colorBackground) : rgbWhite;
    const BOOL bLinesLeftTop = m_pParam == nullptr || !m_pParam->GetLinesRightBottom();
    const CRect& rectClip = ds.rectClip;

    const unsigned nLastCol = static_cast<unsigned>(ds.nColCount - 1);
    if (ds.anCols[nLastCol] == GetColCount())
    {
        const int x = ds.anColLefts[nLastCol] + ds.anColWidths[nLastCol];
        GXFillColorRect(
            ds.pDC,
            CRect(x, rectClip.top, std::max(x, static_cast<int>(rectClip.right)), rectClip.bottom + nFillOverhang),
            rgbFill);
        if (bLinesLeftTop && AreGridLinesShown(TRUE))
            DrawDividerLine(ds.pDC, gridLineVertical, ds.nBlockRight + 1, 0);
    }
    const unsigned nLastRow = static_cast<unsigned>(ds.nRowCount - 1);
    if (ds.anRows[nLastRow] == GetRowCount())
    {
        const int y = ds.anRowTops[nLastRow] + ds.anRowHeights[nLastRow];
        GXFillColorRect(ds.pDC, CRect(rectClip.left, y, rectClip.right, std::max(y, static_cast<int>(rectClip.bottom))),
                        rgbFill);
        if (bLinesLeftTop && AreGridLinesShown(FALSE))
            DrawDividerLine(ds.pDC, gridLineHorizontal, ds.nBlockBottom + 1, 0);
    }
}

void CGXGridCore::PrepareDrawCell(DrawStruct& ds, unsigned i, unsigned j)
{
    const BOOL bRightBottom = m_pParam != nullptr && m_pParam->GetLinesRightBottom();
    const WORD wVertMask = bRightBottom ? GX_DS_BORDER_RIGHT : GX_DS_BORDER_LEFT;
    const WORD wHorzMask = bRightBottom ? GX_DS_BORDER_BOTTOM : GX_DS_BORDER_TOP;

    WORD& wFlags = ds.Flags(i, j);
    if ((wFlags & GX_DS_SPANNED) != 0 ||
        (m_pDrawSpannedCellsImp != nullptr && m_pDrawSpannedCellsImp->PrepareSpannedCell(this, ds, i, j) != 0))
        return;
    // A cell of a hidden row or column draws nothing and needs no style.
    if (ds.anRowHeights[i] <= 0 || ds.anColWidths[j] <= 0)
        return;
    const ROWCOL nRow = ds.anRows[i];
    const ROWCOL nCol = ds.anCols[j];
    CGXStyle*& pStyle = ds.apStyles[i * ds.nColCount + j];
    if (pStyle == nullptr)
        pStyle = GetComposedStyle(nRow, nCol);
    if (pStyle == nullptr)
        return;

    if (!IsEmptyBrush(pStyle->GetInterior()))
        wFlags |= GX_DS_BACKGROUND;
    if (pStyle->GetInclude(CGXStyle::inclBorders))
        wFlags |= (pStyle->HasBorder(GXBorder::Left) ? GX_DS_BORDER_LEFT : 0) |
                  (pStyle->HasBorder(GXBorder::Right) ? GX_DS_BORDER_RIGHT : 0) |
                  (pStyle->HasBorder(GXBorder::Top) ? GX_DS_BORDER_TOP : 0) |
                  (pStyle->HasBorder(GXBorder::Bottom) ? GX_DS_BORDER_BOTTOM : 0);
    if ((wFlags & wVertMask) == 0)
    {
        wFlags |= GX_DS_VERT_GRIDLINE;
        if (nCol > ds.nHeaderCols && nCol == ds.nFrozenCols)
            wFlags |= GX_DS_VERT_DIVIDER;
    }
    if ((wFlags & wHorzMask) == 0)
    {
        wFlags |= GX_DS_HORZ_GRIDLINE;
        if (nRow > ds.nHeaderRows && nRow == ds.nFrozenRows)
            wFlags |= GX_DS_HORZ_DIVIDER;
    }
    if (ds.bMarkSelection && m_pParam != nullptr && IsRangeInList(nRow, nCol, &m_pParam->m_SelRects))
        wFlags |= GX_DS_SELECTED;
}

void CGXGridCore::DrawRowBackgrounds(DrawStruct& ds, unsigned i)
{
    if (IsTransparentBackground())
        return;
    for (unsigned j = 0; j < ds.nColCount; ++j)
        ds.Flags(i, j) |= GX_DS_BACKGROUND;

    unsigned j = 0;
    while (j < ds.nColCount)
    {
        const CGXStyle* pFirst = ds.Style(i, j);
        const WORD wFirst = ds.Flags(i, j);
        if (pFirst == nullptr || (wFirst & GX_DS_BACKGROUND) == 0 || (wFirst & GX_DS_SPANNED) != 0)
        {
            ++j;
            continue;
        }
        const GXBrushRecord& brush = pFirst->GetInterior();
        unsigned nEnd = j + 1;
        while (nEnd < ds.nColCount)
        {
            const CGXStyle* pNext = ds.Style(i, nEnd);
            const WORD wNext = ds.Flags(i, nEnd);
            const BOOL bTaken =
                (wNext & GX_DS_SPANNED) == 0 &&
                (pNext == nullptr || (pNext->GetInterior() == brush && (wNext & GX_DS_BACKGROUND) != 0));
            if (!bTaken)
                break;
            ds.Flags(i, nEnd) &= static_cast<WORD>(~GX_DS_BACKGROUND);
            ++nEnd;
        }
        if (nEnd - j > 1)
        {
            ds.Flags(i, j) &= static_cast<WORD>(~GX_DS_BACKGROUND);
            const CRect rectRun(ds.anColLefts[j], ds.anRowTops[i], ds.anColLefts[nEnd - 1] + ds.anColWidths[nEnd - 1],
                                ds.anRowTops[i] + ds.anRowHeights[i]);
            FillBrushRect(ds.pDC, rectRun, ds.bColor ? brush : BlackWhiteBrush(brush));
        }
        j = nEnd;
    }
}

void CGXGridCore::DrawCell(DrawStruct& ds, unsigned i, unsigned j)
{
    const CGXStyle* pStyle = ds.Style(i, j);
    const CRect rect = ds.CellRect(i, j);
    if ((ds.Flags(i, j) & GX_DS_SPANNED) != 0)
    {
        if (m_pDrawSpannedCellsImp != nullptr)
            m_pDrawSpannedCellsImp->DrawSpannedCell(this, ds, i, j);
        return;
    }
    if (pStyle == nullptr || rect.IsRectEmpty())
        return;
    const ROWCOL nRow = ds.anRows[i];
    const ROWCOL nCol = ds.anCols[j];
    const BOOL bCurrent = nRow != 0 && nCol != 0 && IsCurrentCell(nRow, nCol);
    CGXControl* pCurrentControl = bCurrent ? GetCurrentCellControl() : nullptr;

    m_bDrawBackground = (ds.Flags(i, j) & GX_DS_BACKGROUND) != 0;
    DrawCellItem(ds.pDC, nRow, nCol, rect, *pStyle);
    m_bDrawBackground = FALSE;

    if (pCurrentControl != nullptr && !pCurrentControl->IsActive())
    {
        ds.pDeferredControl = pCurrentControl;
        ds.rectCurrentCell = rect;
    }
}

void CGXGridCore::DrawCellItem(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CRect& rect, const CGXStyle& style)
{
    CGXControl* pControl = GetRegisteredControl(style.GetControl());
    if (pControl == nullptr)
        return;
    if (nRow != 0 && nCol != 0 && IsCurrentCell(nRow, nCol) && !pControl->IsActiveAt(nRow, nCol))
        pControl->Init(nRow, nCol);
    pControl->Draw(pDC, rect, nRow, nCol, style, m_pStyleStandard);
}

void CGXGridCore::DrawSelectionMarks(DrawStruct& ds)
{
    for (unsigned i = 0; i < ds.nRowCount; ++i)
        for (unsigned j = 0; j < ds.nColCount; ++j)
            if ((ds.Flags(i, j) & GX_DS_SELECTED) != 0)
            {
                const CRect rect = ds.CellRect(i, j);
                DrawSelectedCell(ds.pDC, ds.anRows[i], ds.anCols[j], rect.left, rect.top, rect.right, rect.bottom);
            }
}

void CGXGridCore::NotifyDrawRange(DrawStruct& ds)
{
    OnDrawRange(
        CGXRange(ds.anRows.front(), ds.anCols.front(), ds.anRows[ds.nRowCount - 1], ds.anCols[ds.nColCount - 1]));
}

// Works out the delayed merged and floating spans of the block before it is prepared.
BOOL CGXGridCore::OnDrawRange(const CGXRange& range)
{
    if (m_pDrawSpannedCellsImp == nullptr)
        return FALSE;
    return m_pDrawSpannedCellsImp->GetSpannedRangeFlags(this, range, GetFrozenRows(), GetFrozenCols(), GetTopRow(),
                                                        GetLeftCol(), range.bottom, range.right, nullptr);
}

CRect CGXGridCore::CalcVisibleCellRect(ROWCOL nClientRow, ROWCOL nClientCol)
{
    CRect rectGrid;
    GetGridRect(&rectGrid);
    int y = rectGrid.top;
    for (ROWCOL k = 0; k < nClientRow && y <= 2 * rectGrid.bottom; ++k)
        y += GetRowHeight(VisibleRowToAbs(k));
    int x = rectGrid.left;
    for (ROWCOL k = 0; k < nClientCol && x <= 2 * rectGrid.right; ++k)
        x += GetColWidth(VisibleColToAbs(k));
    m_rectLastVisibleCell.SetRect(x, y, x + GetColWidth(VisibleColToAbs(nClientCol)),
                                  y + GetRowHeight(VisibleRowToAbs(nClientRow)));
    return m_rectLastVisibleCell;
}

BOOL CGXGridCore::CalcVisibleRowColFromPoint(CPoint point, ROWCOL* pClientRow, ROWCOL* pClientCol)
{
    const ROWCOL nLastRow = AbsRowToVisible(GetRowCount());
    const ROWCOL nLastCol = AbsColToVisible(GetColCount());
    ROWCOL nRow = CalcClientRowFromPoint(point);
    ROWCOL nCol = CalcClientColFromPoint(point);
    if (nRow == GX_INVALID || nRow > nLastRow)
        nRow = nLastRow;
    if (nCol == GX_INVALID || nCol > nLastCol)
        nCol = nLastCol;
    if (pClientRow != nullptr)
        *pClientRow = nRow;
    if (pClientCol != nullptr)
        *pClientCol = nCol;
    return TRUE;
}
