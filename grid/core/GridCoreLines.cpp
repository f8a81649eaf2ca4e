// Grid lines and frozen dividers, cell borders from the styles' pens, fills from brush records,
// the merging of equal line segments of a drawing pass, the inner rectangle of a cell and the
// marking of selected cells.
#include <grid/core/GridCore.h>

#include <grid/core/DrawStruct.h>
#include <grid/core/DrawingAndFormatting.h>
#include <grid/core/GridParam.h>
#include <grid/core/Properties.h>
#include <grid/core/Style.h>

#include <algorithm>

namespace
{
constexpr COLORREF rgbBlack = RGB(0, 0, 0);
constexpr COLORREF rgbWhite = RGB(255, 255, 255);

BOOL IsBlackWhite(const CGXGridCore& grid)
{
    const CGXProperties* pProperties = grid.GetProperties();
    return pProperties != nullptr && pProperties->IsBlackWhiteOutput();
}

// A colour of the properties as drawn: black in black-and-white mode.
COLORREF GridColor(const CGXGridCore& grid, int nIndex)
{
    const CGXProperties* pProperties = grid.GetProperties();
    if (pProperties == nullptr || pProperties->IsBlackWhiteOutput())
        return rgbBlack;
    return GXResolveColor(pProperties->GetColor(nIndex));
}

BOOL AreLinesRightBottom(const CGXGridCore& grid)
{
    return grid.GetParam() != nullptr && grid.GetParam()->GetLinesRightBottom();
}

BOOL IsTrailingSide(GXDrawSide side)
{
    return side == GXDrawSide::Right || side == GXDrawSide::Bottom;
}

BOOL IsHorizontalSide(GXDrawSide side)
{
    return side == GXDrawSide::Top || side == GXDrawSide::Bottom;
}

// Grid lines lie on the leading sides (left, top), or on the trailing ones with the setting.
BOOL IsGridLineSide(const CGXGridCore& grid, GXDrawSide side)
{
    return IsTrailingSide(side) == AreLinesRightBottom(grid);
}

BOOL IsVisiblePen(const GXPenRecord& pen)
{
    return pen.GetStyle() != PS_NULL && pen.IsSet();
}

int PenWidth(const GXPenRecord& pen)
{
    return std::max(1, static_cast<int>(pen.GetWidth()));
}

BOOL IsPatternedPen(const GXPenRecord& pen)
{
    return pen.GetStyle() >= PS_DASH && pen.GetStyle() <= PS_DASHDOTDOT;
}

// The strip of the given width along one side, inside the rectangle.
CRect EdgeRect(const CRect& rect, GXDrawSide side, int nWidth)
{
    switch (side)
    {
    case GXDrawSide::Left:
        return CRect(rect.left, rect.top, rect.left + nWidth, rect.bottom);
    case GXDrawSide::Right:
        return CRect(rect.right - nWidth, rect.top, rect.right, rect.bottom);
    case GXDrawSide::Top:
        return CRect(rect.left, rect.top, rect.right, rect.top + nWidth);
    case GXDrawSide::Bottom:
        break;
    }
    return CRect(rect.left, rect.bottom - nWidth, rect.right, rect.bottom);
}

// A solid fill: blended on screen, with a cached brush on a printer.
void FillSolid(CGXGridCore& grid, CDC* pDC, const CRect& rect, COLORREF color)
{
    if (grid.IsPrinting())
        pDC->FillRect(rect, grid.GetBrushCached(GXBrushRecord().Set(GX_BRUSH_SOLID, color, 0)));
    else
        GXFillColorRect(pDC, rect, color);
}

// How far borders, grid lines and a 3-D frame reach into a cell on each side.
CRect BorderInsets(const CGXGridCore& grid, const CGXStyle& style, BOOL bGridLines)
{
    const int nFrame = bGridLines && style.GetInclude(CGXStyle::inclDraw3dFrame) && style.GetDraw3dFrame() != 0;
    CRect insets(nFrame, nFrame, nFrame, nFrame);
    const auto inset = [&](GXDrawSide side, LONG& nInset) {
        const GXBorder border = GXBorderOfDrawSide(side);
        if (style.HasBorder(border) && IsVisiblePen(style.GetBorders(border)))
            nInset += PenWidth(style.GetBorders(border));
        else if (bGridLines && grid.AreGridLinesShown(!IsHorizontalSide(side)) && IsGridLineSide(grid, side))
            nInset += 1;
    };
    inset(GXDrawSide::Left, insets.left);
    inset(GXDrawSide::Top, insets.top);
    inset(GXDrawSide::Right, insets.right);
    inset(GXDrawSide::Bottom, insets.bottom);
    return insets;
}

// The interior behind a cell's lines; a cell without a style shows white.
GXBrushRecord InteriorOf(const CGXStyle* pStyle)
{
    return pStyle != nullptr ? pStyle->GetInterior() : GXBrushRecord().Set(GX_BRUSH_SOLID, rgbWhite, 0);
}

// The lines of one column (bColumn) or one row of a drawing pass. Each cell along the line
// gives a border segment or a grid-line segment for each of its two sides; neighbouring cells
// with equal pens (equal derived brushes for dashed pens) make one segment, drawn once.
class LineRuns
{
public:
    LineRuns(CGXGridCore& grid, DrawStruct& ds, ROWCOL nLine, BOOL bColumn)
        : m_grid(grid), m_ds(ds), m_nLine(nLine), m_bColumn(bColumn)
    {
    }

    void Draw()
    {
        const BOOL bShown = m_grid.AreGridLinesShown(m_bColumn);
        const ROWCOL nAbs = m_bColumn ? m_ds.anCols[m_nLine] : m_ds.anRows[m_nLine];
        const BOOL bDivider = m_bColumn ? nAbs > m_ds.nHeaderCols && nAbs == m_ds.nFrozenCols
                                        : nAbs > m_ds.nHeaderRows && nAbs == m_ds.nFrozenRows;
        const CGXProperties* pProperties = m_grid.GetProperties();
        const CGXGridParam* pParam = m_grid.GetParam();
        m_gridPen.SetStyle(pParam != nullptr ? pParam->GetGridLineStyle() : PS_SOLID).SetWidth(1);
        m_gridPen.SetColor(pProperties != nullptr ? pProperties->GetColor(CGXProperties::colorGridLines) : rgbBlack);
        for (const GXDrawSide side :
             {m_bColumn ? GXDrawSide::Left : GXDrawSide::Top, m_bColumn ? GXDrawSide::Right : GXDrawSide::Bottom})
        {
            const BOOL bTrailing = IsTrailingSide(side);
            m_bDividerSide = bTrailing && bDivider;
            if (m_bDividerSide && pProperties != nullptr)
                m_gridPen.SetColor(pProperties->GetColor(CGXProperties::colorFixedLines));
            m_wBorderBit = static_cast<WORD>(1 << static_cast<int>(side));
            m_wGridBits = 0;
            if (bShown && IsGridLineSide(m_grid, side))
                m_wGridBits |= m_bColumn ? GX_DS_VERT_GRIDLINE : GX_DS_HORZ_GRIDLINE;
            if (bShown && bTrailing && bDivider)
                m_wGridBits |= m_bColumn ? GX_DS_VERT_DIVIDER : GX_DS_HORZ_DIVIDER;
            DrawSide(side);
        }
    }

private:
    enum class Kind
    {
        none,
        border,
        gridLine
    };

    ROWCOL CellCount() const
    {
        return m_bColumn ? m_ds.nRowCount : m_ds.nColCount;
    }
    WORD& Flags(ROWCOL k) const
    {
        return m_bColumn ? m_ds.Flags(k, m_nLine) : m_ds.Flags(m_nLine, k);
    }
    CGXStyle* Style(ROWCOL k) const
    {
        return m_bColumn ? m_ds.Style(k, m_nLine) : m_ds.Style(m_nLine, k);
    }
    CRect CellRect(ROWCOL k) const
    {
        return m_bColumn ? m_ds.CellRect(k, m_nLine) : m_ds.CellRect(m_nLine, k);
    }
    Kind KindOf(ROWCOL k) const
    {
        const CGXStyle* pStyle = Style(k);
        if (pStyle != nullptr && (Flags(k) & m_wBorderBit) && pStyle->HasBorder(GXBorder::All))
            return Kind::border;
        return (Flags(k) & m_wGridBits) != 0 ? Kind::gridLine : Kind::none;
    }
    GXPenRecord PenOf(ROWCOL k, Kind kind, GXDrawSide side) const
    {
        return kind == Kind::border ? Style(k)->GetBorders(GXBorderOfDrawSide(side)) : m_gridPen;
    }
    static BOOL IsDrawnDirectly(const GXPenRecord& pen)
    {
        return !IsPatternedPen(pen) && pen.GetStyle() != PS_NULL;
    }
    GXBrushRecord DerivedBrush(const GXPenRecord& pen, ROWCOL k, GXDrawSide side) const
    {
        GXBrushRecord brush;
        brush.SetBorderPattern(pen, InteriorOf(Style(k)), IsHorizontalSide(side), IsBlackWhite(m_grid));
        return brush;
    }
    void TakeCell(ROWCOL k, Kind kind)
    {
        Flags(k) &= static_cast<WORD>(~(kind == Kind::border ? m_wBorderBit : m_wGridBits));
    }

    void DrawSide(GXDrawSide side)
    {
        const ROWCOL nCount = CellCount();
        for (ROWCOL k = 0; k < nCount;)
        {
            const Kind kind = KindOf(k);
            if (kind == Kind::none)
            {
                ++k;
                continue;
            }
            const GXPenRecord pen = PenOf(k, kind, side);
            const BOOL bDirect = IsDrawnDirectly(pen);
            const GXBrushRecord brush = DerivedBrush(pen, k, side);
            CRect rectRun = CellRect(k);
            TakeCell(k, kind);
            ROWCOL e = k + 1;
            for (; e < nCount && KindOf(e) == kind; ++e)
            {
                const GXPenRecord next = PenOf(e, kind, side);
                if (bDirect ? !(next == pen) : !(DerivedBrush(next, e, side) == brush))
                    break;
                rectRun.UnionRect(rectRun, CellRect(e));
                TakeCell(e, kind);
            }
            DrawRun(rectRun, side, kind, pen, bDirect, InteriorOf(Style(k)));
            k = e;
        }
    }

    void DrawRun(const CRect& rect, GXDrawSide side, Kind kind, const GXPenRecord& pen, BOOL bDirect,
                 const GXBrushRecord& interior)
    {
        // DrawGridLine draws in the grid-line colour: the divider goes with its own pen.
        if (kind == Kind::border || !bDirect || m_bDividerSide)
        {
            m_grid.DrawBorderLine(pen, rect, side, m_ds.pDC, interior);
            return;
        }
        const CRect line = EdgeRect(rect, side, 1);
        const ROWCOL nVisible = (m_bColumn ? m_ds.nBlockLeft : m_ds.nBlockTop) + m_nLine;
        m_grid.DrawGridLine(m_ds.pDC, line.left, line.top, line.Width(), line.Height(),
                            m_bColumn ? CGXGridCore::gridLineVertical : CGXGridCore::gridLineHorizontal, nVisible, 0);
    }

    CGXGridCore& m_grid;
    DrawStruct& m_ds;
    ROWCOL m_nLine;
    BOOL m_bColumn;
    GXPenRecord m_gridPen;
    WORD m_wBorderBit = 0;
    WORD m_wGridBits = 0;
    BOOL m_bDividerSide = FALSE;
};
} // namespace

void CGXGridCore::DrawGridLine(CDC* pDC, int x, int y, int cx, int cy, int nKind, ROWCOL /*nIndex*/, UINT flags)
{
    const CRect rect(x, y, x + cx, y + cy);
    if (flags & gridLineInverted)
    {
        pDC->InvertRect(rect);
    }
    else if (flags & gridLinePatterned)
    {
        GXPenRecord pen;
        pen.SetStyle(m_nPatternedLineStyle).SetWidth(1).SetColor(GridColor(*this, CGXProperties::colorDraggingLine));
        const int nOldMode = pDC->SetBkMode(OPAQUE);
        GXFillColorRect(pDC, rect, GridColor(*this, CGXProperties::colorGridLines));
        if (CPen* pPen = GetPenCached(pen))
        {
            CPen* pOldPen = pDC->SelectObject(pPen);
            pDC->MoveTo(x, y);
            if (nKind == gridLineVertical)
                pDC->LineTo(x, y + cy);
            else
                pDC->LineTo(x + cx, y);
            pDC->SelectObject(pOldPen);
        }
        pDC->SetBkMode(nOldMode);
    }
    else if (flags & gridLineFilled)
    {
        GXFillColorRect(pDC, rect, GridColor(*this, CGXProperties::colorTrackingLine));
    }
    else
    {
        FillSolid(*this, pDC, rect, GridColor(*this, CGXProperties::colorGridLines));
    }
}

CRect CGXGridCore::CalcDividerRect(int nKind, ROWCOL nIndex)
{
    CRect rectGrid;
    GetGridRect(&rectGrid);
    // A line on the leading edge of the cells lies on the first pixel of position nIndex, one
    // on the trailing edge on the last pixel before it.
    const int nShift = AreLinesRightBottom(*this) ? -1 : 0;
    if (nKind == gridLineHorizontal)
    {
        const int nWidth =
            std::min(CalcSumOfClientColWidths(0, AbsColToVisible(GetColCount()), rectGrid.Width()), rectGrid.Width());
        const int y = GetClientRowTop(nIndex) + nShift;
        return CRect(rectGrid.left, y, rectGrid.left + nWidth, y + 1);
    }
    const int nHeight =
        std::min(CalcSumOfClientRowHeights(0, AbsRowToVisible(GetRowCount()), rectGrid.Height()), rectGrid.Height());
    const int x = GetClientColLeft(nIndex) + nShift;
    return CRect(x, rectGrid.top, x + 1, rectGrid.top + nHeight);
}

void CGXGridCore::DrawDividerLine(CDC* pDC, int nKind, ROWCOL nIndex, UINT flags)
{
    const CRect rect = CalcDividerRect(nKind, nIndex);
    DrawGridLine(pDC, rect.left, rect.top, rect.Width(), rect.Height(), nKind, nIndex, flags);
}

void CGXGridCore::DrawBorderLine(const GXPenRecord& pen, const CRect& rect, GXDrawSide side, CDC* pDC,
                                 const GXBrushRecord& interior)
{
    if (!IsVisiblePen(pen))
        return;
    const BOOL bBlackWhite = IsBlackWhite(*this);
    const int nWidth = PenWidth(pen);
    if (IsPatternedPen(pen) && !(m_bPrinting && nWidth == 1))
    {
        // Dashes as an 8x8 pattern aligned to the device: segments of neighbouring cells join.
        GXBrushRecord brush;
        brush.SetBorderPattern(pen, interior, IsHorizontalSide(side), bBlackWhite);
        FillBrushRect(pDC, EdgeRect(rect, side, nWidth), brush);
    }
    else if (IsPatternedPen(pen))
    {
        // A printer's pixels would shrink the pattern to nothing: a pen of that style instead.
        GXPenRecord linePen = pen;
        if (bBlackWhite)
            linePen.SetColor(rgbBlack);
        CPen* pPen = GetPenCached(linePen);
        if (pPen == nullptr)
            return;
        CPen* pOldPen = pDC->SelectObject(pPen);
        const CPoint ptFrom(side == GXDrawSide::Right ? rect.right - 1 : rect.left,
                            side == GXDrawSide::Bottom ? rect.bottom - 1 : rect.top);
        pDC->MoveTo(ptFrom);
        if (IsHorizontalSide(side))
            pDC->LineTo(rect.right - 1, ptFrom.y);
        else
            pDC->LineTo(ptFrom.x, rect.bottom - 1);
        pDC->SelectObject(pOldPen);
    }
    else
    {
        FillSolid(*this, pDC, EdgeRect(rect, side, nWidth), bBlackWhite ? rgbBlack : pen.GetColor());
    }
}

void CGXGridCore::DrawCellBorders(CDC* pDC, const CRect& rect, const CGXStyle& style)
{
    for (const GXDrawSide side : {GXDrawSide::Top, GXDrawSide::Bottom, GXDrawSide::Left, GXDrawSide::Right})
    {
        const GXBorder border = GXBorderOfDrawSide(side);
        if (style.HasBorder(border))
            DrawBorderLine(style.GetBorders(border), rect, side, pDC, style.GetInterior());
    }
}

void CGXGridCore::FillBrushRect(CDC* pDC, const CRect& rect, const GXBrushRecord& brush)
{
    switch (brush.GetStyle())
    {
    case GX_BRUSH_SOLID:
        GXFillColorRect(pDC, rect, brush.GetColor());
        return;
    case GX_BRUSH_HOLLOW:
        return;
    default:
        break;
    }
    // A monochrome pattern takes the text colour for its 0 bits and the background for its 1
    // bits; a hatch draws in its own colour over an opaque background.
    const COLORREF rgbOldBk = pDC->SetBkColor(brush.GetBkColor());
    const COLORREF rgbOldText = pDC->SetTextColor(brush.GetColor());
    const int nOldMode = pDC->SetBkMode(OPAQUE);
    CBrush* pBrush = GetBrushCached(brush);
    if (brush.GetStyle() == GX_BRUSH_PATTERN && m_bPrinting)
    {
        // The pattern at screen scale, stretched by the printer's mapping.
        CDC memDC;
        CBitmap bitmap;
        if (memDC.CreateCompatibleDC(pDC) && bitmap.CreateCompatibleBitmap(pDC, rect.Width(), rect.Height()))
        {
            CBitmap* pOldBitmap = memDC.SelectObject(&bitmap);
            memDC.SetBkColor(brush.GetBkColor());
            memDC.SetTextColor(brush.GetColor());
            memDC.FillRect(CRect(0, 0, rect.Width(), rect.Height()), pBrush);
            pDC->StretchBlt(rect.left, rect.top, rect.Width(), rect.Height(), &memDC, 0, 0, rect.Width(), rect.Height(),
                            SRCCOPY);
            memDC.SelectObject(pOldBitmap);
        }
    }
    else
    {
        pDC->FillRect(rect, pBrush);
    }
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(rgbOldText);
    pDC->SetBkColor(rgbOldBk);
}

void CGXGridCore::DrawColumnLines(DrawStruct& ds, ROWCOL nCol)
{
    LineRuns(*this, ds, nCol, TRUE).Draw();
}

void CGXGridCore::DrawRowLines(DrawStruct& ds, ROWCOL nRow)
{
    LineRuns(*this, ds, nRow, FALSE).Draw();
}

void CGXGridCore::DrawSelectedCell(CDC* pDC, ROWCOL nRow, ROWCOL nCol, int left, int top, int right, int bottom)
{
    const CRect rect(left, top, right, bottom);
    const BOOL bCurrent = IsCurrentCell(nRow, nCol);
    const BOOL bFrame = m_pParam != nullptr && m_pParam->GetCurrentCellFrame();
    CGXRange covered;
    const BOOL bCovered = GetCoveredCellsRowCol(nRow, nCol, covered) != nullptr;
    if (!bCurrent || (m_pParam != nullptr && m_pParam->GetSelectionMode() == 1))
    {
        // A covered cell is drawn over its whole range with its anchor: that one is marked.
        if (!(bCurrent && bFrame) && !(bCovered && !bCurrent && IsCurrentCell(covered.top, covered.left)))
            pDC->InvertRect(rect);
    }
    if (!bCurrent || !bFrame)
        return;
    CRect frame = rect;
    if (bCovered)
        CalcRectFromRowColEx(&frame, covered.top, covered.left, covered.bottom, covered.right);
    // Four bands that do not overlap, so that each pixel is inverted once.
    pDC->InvertRect(CRect(frame.left, frame.top, frame.right, frame.top + 3));
    pDC->InvertRect(CRect(frame.left, frame.bottom - 2, frame.right, frame.bottom));
    pDC->InvertRect(CRect(frame.left, frame.top + 3, frame.left + 3, frame.bottom - 2));
    pDC->InvertRect(CRect(frame.right - 2, frame.top + 3, frame.right, frame.bottom - 2));
}

CRect CGXGridCore::CalcCellInnerRect(CRect& rectOut, const CRect& rectCell, const CGXStyle& style, BOOL bGridLines)
{
    const CRect insets = BorderInsets(*this, style, bGridLines);
    rectOut.SetRect(rectCell.left + insets.left, rectCell.top + insets.top, rectCell.right - insets.right,
                    rectCell.bottom - insets.bottom);
    return rectOut;
}

CSize CGXGridCore::AddBorderSize(CSize& sizeOut, int cx, int cy, const CGXStyle& style)
{
    const CRect insets = BorderInsets(*this, style, TRUE);
    sizeOut.cx = cx + insets.left + insets.right;
    sizeOut.cy = cy + insets.top + insets.bottom;
    return sizeOut;
}

BOOL CGXGridCore::CalcCellFromPoint(CPoint pt, ROWCOL* pnVisRow, ROWCOL* pnVisCol, CRect* pRect)
{
    if (pt.x < 0 || pt.y < 0)
    {
        *pnVisRow = 0;
        *pnVisCol = 0;
        return FALSE;
    }
    int nRowTop = 0;
    int nColLeft = 0;
    *pnVisRow = CalcClientRowFromPoint(pt, &nRowTop);
    *pnVisCol = CalcClientColFromPoint(pt, &nColLeft);
    if (*pnVisRow == GX_INVALID || *pnVisCol == GX_INVALID)
        return FALSE;
    if (pRect != nullptr)
        pRect->SetRect(nColLeft, nRowTop, nColLeft + GetColWidth(VisibleColToAbs(*pnVisCol)),
                       nRowTop + GetRowHeight(VisibleRowToAbs(*pnVisRow)));
    return TRUE;
}

// Whether the properties show vertical (else horizontal) grid lines, on screen or in print.
BOOL CGXGridCore::AreGridLinesShown(BOOL bVertical) const
{
    const CGXProperties* pProperties = GetProperties();
    if (pProperties == nullptr)
        return TRUE;
    if (IsPrinting())
        return bVertical ? pProperties->m_bPrintVertLines : pProperties->m_bPrintHorzLines;
    return bVertical ? pProperties->m_bVerticalLines : pProperties->m_bHorizontalLines;
}
