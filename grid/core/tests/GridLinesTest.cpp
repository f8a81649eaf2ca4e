#include "GridTestSupport.h"

#include <grid/core/DrawStruct.h>
#include <grid/core/GridParam.h>
#include <grid/core/Properties.h>
#include <grid/core/Style.h>
#include <testing/MemoryCanvas.h>

#include <gtest/gtest.h>

#include <set>

namespace
{
constexpr COLORREF rgbWhite = RGB(255, 255, 255);
constexpr COLORREF rgbBlack = RGB(0, 0, 0);
constexpr COLORREF rgbLines = RGB(200, 0, 0);
constexpr COLORREF rgbDivider = RGB(0, 0, 200);
constexpr COLORREF rgbFilled = RGB(0, 150, 0);
constexpr COLORREF rgbPatterned = RGB(150, 150, 0);

// Counts the fills and grid lines that the line drawing asks for.
class LineGrid : public TestGrid
{
public:
    void FillBrushRect(CDC* pDC, const CRect& rect, const GXBrushRecord& brush) override
    {
        m_fills.push_back(rect);
        TestGrid::FillBrushRect(pDC, rect, brush);
    }
    void DrawGridLine(CDC* pDC, int x, int y, int cx, int cy, int nKind, ROWCOL nIndex, UINT flags) override
    {
        m_lines.push_back(CRect(x, y, x + cx, y + cy));
        TestGrid::DrawGridLine(pDC, x, y, cx, cy, nKind, nIndex, flags);
    }
    std::vector<CRect> m_fills;
    std::vector<CRect> m_lines;
};

// A drawing pass over a block of 3 rows of 10 pixels and 3 columns of 20 pixels at (0, 0),
// showing grid rows and columns 1-3, with column 1 and row 1 frozen. Every cell has the grid
// line flags that the painting sets; the last frozen column and row also their divider flags.
class Block
{
public:
    static constexpr ROWCOL nSize = 3;

    Block()
    {
        m_ds.nRowCount = m_ds.nColCount = nSize;
        m_ds.nFrozenCols = m_ds.nFrozenRows = 1;
        for (ROWCOL k = 0; k < nSize; ++k)
        {
            m_ds.anRowTops.push_back(static_cast<int>(k) * 10);
            m_ds.anRowHeights.push_back(10);
            m_ds.anColLefts.push_back(static_cast<int>(k) * 20);
            m_ds.anColWidths.push_back(20);
            m_ds.anRows.push_back(k + 1);
            m_ds.anCols.push_back(k + 1);
        }
        m_styles.resize(nSize * nSize);
        for (ROWCOL i = 0; i < nSize; ++i)
            for (ROWCOL j = 0; j < nSize; ++j)
            {
                m_styles[i * nSize + j].SetInteriorColor(rgbWhite);
                m_ds.apStyles.push_back(&m_styles[i * nSize + j]);
                WORD flags = GX_DS_VERT_GRIDLINE | GX_DS_HORZ_GRIDLINE;
                if (j == 0)
                    flags |= GX_DS_VERT_DIVIDER;
                if (i == 0)
                    flags |= GX_DS_HORZ_DIVIDER;
                m_ds.anFlags.push_back(flags);
            }
    }
    CGXStyle& Style(ROWCOL i, ROWCOL j)
    {
        return m_styles[i * nSize + j];
    }
    // The cell takes the left border of the style.
    void SetLeftBorder(ROWCOL i, const GXPenRecord& pen)
    {
        Style(i, 0).SetBorders(GXBorder::Left, pen);
        m_ds.Flags(i, 0) |= GX_DS_BORDER_LEFT;
    }
    void DrawColumns(CGXGridCore& grid, CDC& dc)
    {
        m_ds.pDC = &dc;
        for (ROWCOL j = 0; j < nSize; ++j)
            grid.DrawColumnLines(m_ds, j);
    }
    void DrawRows(CGXGridCore& grid, CDC& dc)
    {
        m_ds.pDC = &dc;
        for (ROWCOL i = 0; i < nSize; ++i)
            grid.DrawRowLines(m_ds, i);
    }

    DrawStruct m_ds;

private:
    std::vector<CGXStyle> m_styles;
};

GXPenRecord Pen(UINT nStyle, UINT nWidth, COLORREF color)
{
    GXPenRecord pen;
    pen.SetStyle(nStyle).SetWidth(nWidth).SetColor(color);
    return pen;
}

class GridLinesTest : public HiddenGridOfTest<LineGrid>
{
protected:
    void SetUp() override
    {
        HiddenGridOfTest::SetUp();
        CDWordArray& colors = Properties().GetColorArray();
        colors[CGXProperties::colorGridLines] = rgbLines;
        colors[CGXProperties::colorFixedLines] = rgbDivider;
        colors[CGXProperties::colorTrackingLine] = rgbFilled;
        colors[CGXProperties::colorDraggingLine] = rgbPatterned;
    }
    void TearDown() override
    {
        m_grid.SetPrinting(FALSE);
        HiddenGridOfTest::TearDown();
    }
    CGXProperties& Properties()
    {
        return *m_grid.GetProperties();
    }
    CGXGridParam& Param()
    {
        return *m_grid.GetParam();
    }
    void SetBlackWhite(BOOL bSet)
    {
        Properties().m_bBlackWhite = bSet;
        Properties().m_bPrintBlackWhite = bSet;
    }
};
} // namespace

TEST_F(GridLinesTest, GridLineKindsDrawInTheirPropertyColours)
{
    struct Case
    {
        UINT flags;
        BOOL bPrinting;
        BOOL bBlackWhite;
        COLORREF rgbExpected;
    };
    const Case cases[] = {
        {0, FALSE, FALSE, rgbLines},    {0, TRUE, FALSE, rgbLines},   {0, FALSE, TRUE, rgbBlack},
        {0x1, FALSE, FALSE, rgbFilled}, {0x1, FALSE, TRUE, rgbBlack}, {0x4, FALSE, FALSE, rgbBlack},
        {0x8, FALSE, FALSE, rgbBlack},
    };
    for (const Case& c : cases)
    {
        MemoryCanvas canvas(40, 10, rgbWhite);
        m_grid.SetPrinting(c.bPrinting);
        SetBlackWhite(c.bBlackWhite);
        m_grid.DrawGridLine(&canvas.Dc(), 5, 2, 20, 1, CGXGridCore::gridLineHorizontal, 1, c.flags);
        EXPECT_EQ(canvas.Pixel(5, 2), c.rgbExpected) << c.flags << " " << c.bPrinting << c.bBlackWhite;
        EXPECT_EQ(canvas.Pixel(24, 2), c.rgbExpected) << c.flags;
        EXPECT_EQ(canvas.Pixel(25, 2), rgbWhite) << c.flags;
        EXPECT_EQ(canvas.Pixel(10, 3), rgbWhite) << c.flags;
    }
}

TEST_F(GridLinesTest, PatternedGridLineIsDottedInColourThreeOverColourZero)
{
    MemoryCanvas canvas(40, 10, rgbWhite);
    m_grid.DrawGridLine(&canvas.Dc(), 0, 2, 32, 1, CGXGridCore::gridLineHorizontal, 1, CGXGridCore::gridLinePatterned);
    std::set<COLORREF> seen;
    for (int x = 0; x < 32; ++x)
        seen.insert(canvas.Pixel(x, 2));
    EXPECT_EQ(seen, (std::set<COLORREF>{rgbLines, rgbPatterned}));
    EXPECT_EQ(canvas.Pixel(32, 2), rgbWhite);
}

TEST_F(GridLinesTest, ColumnAndRowLinesUseColourZeroAndTheFrozenDividerColourOne)
{
    // x: cells at 0, 20, 40; y: cells at 0, 10, 20. The first column and row are frozen.
    struct Case
    {
        BOOL bRightBottom;
        BOOL bBlackWhite;
        // Column 1's leading and trailing lines, column 2's line, a cell inside.
        int xLead, xTrail, xNext;
        COLORREF rgbLead, rgbTrail, rgbNext;
    };
    const Case cases[] = {
        {FALSE, FALSE, 0, 19, 20, rgbLines, rgbDivider, rgbLines},
        {TRUE, FALSE, 0, 19, 39, rgbWhite, rgbDivider, rgbLines},
        {FALSE, TRUE, 0, 19, 20, rgbBlack, rgbBlack, rgbBlack},
    };
    for (const Case& c : cases)
    {
        Param().SetLinesRightBottom(c.bRightBottom);
        SetBlackWhite(c.bBlackWhite);
        MemoryCanvas columns(60, 30, rgbWhite);
        Block().DrawColumns(m_grid, columns.Dc());
        MemoryCanvas rows(60, 30, rgbWhite);
        Block().DrawRows(m_grid, rows.Dc());
        for (int k : {5, 15, 25})
        {
            const int x = k * 2;
            EXPECT_EQ(columns.Pixel(c.xLead, k), c.rgbLead) << c.bRightBottom << " y " << k;
            EXPECT_EQ(columns.Pixel(c.xTrail, k), c.rgbTrail) << c.bRightBottom << " y " << k;
            EXPECT_EQ(columns.Pixel(c.xNext, k), c.rgbNext) << c.bRightBottom << " y " << k;
            EXPECT_EQ(columns.Pixel(30, k), rgbWhite) << c.bRightBottom << " y " << k;
            EXPECT_EQ(rows.Pixel(x, c.xLead), c.rgbLead) << c.bRightBottom << " x " << x;
            EXPECT_EQ(rows.Pixel(x, c.xTrail / 2), c.rgbTrail) << c.bRightBottom << " x " << x;
            EXPECT_EQ(rows.Pixel(x, c.xNext / 2), c.rgbNext) << c.bRightBottom << " x " << x;
            EXPECT_EQ(rows.Pixel(x, 15), rgbWhite) << c.bRightBottom << " x " << x;
        }
    }
}

TEST_F(GridLinesTest, EqualCellsMakeOneLineRun)
{
    Block block;
    MemoryCanvas canvas(60, 30, rgbWhite);
    block.DrawColumns(m_grid, canvas.Dc());
    // Leading lines of the three columns: one run each over the three rows.
    ASSERT_EQ(m_grid.m_lines.size(), 3u);
    for (const CRect& line : m_grid.m_lines)
        EXPECT_EQ(line.Height(), 30);
    for (WORD flags : block.m_ds.anFlags)
        EXPECT_EQ(flags & (GX_DS_VERT_GRIDLINE | GX_DS_VERT_DIVIDER), 0) << "each cell is drawn once";
}

TEST_F(GridLinesTest, DashedBorderRunIsMergedOverEqualCells)
{
    const GXPenRecord dashed = Pen(PS_DASH, 1, RGB(255, 0, 0));
    Block block;
    for (ROWCOL i = 0; i < Block::nSize; ++i)
        block.SetLeftBorder(i, dashed);
    MemoryCanvas canvas(60, 30, rgbWhite);
    block.DrawColumns(m_grid, canvas.Dc());

    ASSERT_EQ(m_grid.m_fills.size(), 1u);
    EXPECT_EQ(m_grid.m_fills[0], CRect(0, 0, 1, 30));
    // Vertical dash pattern: three rows of the pen's colour, one of the interior.
    for (int y = 0; y < 30; ++y)
        EXPECT_EQ(canvas.Pixel(0, y), y % 4 == 3 ? rgbWhite : RGB(255, 0, 0)) << y;

    // A cell whose pen differs splits the run into three.
    Block split;
    for (ROWCOL i = 0; i < Block::nSize; ++i)
        split.SetLeftBorder(i, i == 1 ? Pen(PS_DASH, 1, RGB(0, 0, 255)) : dashed);
    m_grid.m_fills.clear();
    MemoryCanvas canvas2(60, 30, rgbWhite);
    split.DrawColumns(m_grid, canvas2.Dc());
    EXPECT_EQ(m_grid.m_fills.size(), 3u);
    EXPECT_EQ(canvas2.Pixel(0, 10), RGB(0, 0, 255));
}

TEST_F(GridLinesTest, InteriorFillsUseTheBrushColours)
{
    const COLORREF rgbFore = RGB(255, 0, 0);
    const COLORREF rgbBack = RGB(0, 0, 255);
    GXBrushRecord solid;
    solid.Set(GX_BRUSH_SOLID, rgbFore, 0).SetBkColor(rgbBack);
    GXBrushRecord hatched;
    hatched.Set(GX_BRUSH_HATCHED, rgbFore, HS_CROSS).SetBkColor(rgbBack);
    GXBrushRecord pattern;
    pattern.Set(GX_BRUSH_PATTERN, rgbFore, 0).SetBkColor(rgbBack).SetPattern(1);

    const auto coloursIn = [](MemoryCanvas& canvas) {
        std::set<COLORREF> seen;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                seen.insert(canvas.Pixel(x, y));
        return seen;
    };
    MemoryCanvas solidCanvas(20, 20, rgbWhite);
    m_grid.FillBrushRect(&solidCanvas.Dc(), CRect(0, 0, 16, 16), solid);
    EXPECT_EQ(coloursIn(solidCanvas), std::set<COLORREF>{rgbFore});

    MemoryCanvas hatchedCanvas(20, 20, rgbWhite);
    hatchedCanvas.Dc().SetBkColor(RGB(1, 2, 3));
    m_grid.FillBrushRect(&hatchedCanvas.Dc(), CRect(0, 0, 16, 16), hatched);
    EXPECT_EQ(coloursIn(hatchedCanvas), (std::set<COLORREF>{rgbFore, rgbBack}));
    EXPECT_EQ(hatchedCanvas.Dc().GetBkColor(), RGB(1, 2, 3));
    EXPECT_EQ(hatchedCanvas.Pixel(17, 17), rgbWhite);

    // Pattern 1 is a checkerboard starting 55: 0 bits take the foreground.
    MemoryCanvas patternCanvas(20, 20, rgbWhite);
    m_grid.FillBrushRect(&patternCanvas.Dc(), CRect(0, 0, 16, 16), pattern);
    EXPECT_EQ(patternCanvas.Pixel(0, 0), rgbFore);
    EXPECT_EQ(patternCanvas.Pixel(1, 0), rgbBack);
    EXPECT_EQ(patternCanvas.Pixel(0, 1), rgbBack);

    // On a printer the pattern is made at screen scale and copied: the same pixels here.
    m_grid.SetPrinting(TRUE);
    MemoryCanvas printed(20, 20, rgbWhite);
    m_grid.FillBrushRect(&printed.Dc(), CRect(2, 2, 16, 16), pattern);
    EXPECT_EQ(printed.Pixel(2, 2), rgbFore);
    EXPECT_EQ(printed.Pixel(3, 2), rgbBack);
    EXPECT_EQ(printed.Pixel(16, 16), rgbWhite);
}

TEST_F(GridLinesTest, CellBordersDrawEachSideByItsPen)
{
    CGXStyle style;
    style.SetInteriorColor(rgbWhite);
    style.SetBorders(GXBorder::Top, Pen(PS_SOLID, 3, RGB(255, 0, 0)));
    style.SetBorders(GXBorder::Left, Pen(PS_SOLID, 0, RGB(0, 255, 0)));
    style.SetBorders(GXBorder::Right, Pen(PS_NULL, 4, RGB(0, 0, 255)));
    style.SetBorders(GXBorder::Bottom, Pen(PS_DOT, 1, RGB(0, 0, 255)));
    MemoryCanvas canvas(40, 40, rgbWhite);
    m_grid.DrawCellBorders(&canvas.Dc(), CRect(10, 10, 30, 30), style);

    EXPECT_EQ(canvas.Pixel(20, 10), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(20, 12), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(20, 13), rgbWhite);
    EXPECT_EQ(canvas.Pixel(10, 20), RGB(0, 255, 0)) << "width 0 draws one pixel";
    EXPECT_EQ(canvas.Pixel(11, 20), rgbWhite);
    EXPECT_EQ(canvas.Pixel(29, 20), rgbWhite) << "pen style 5 draws nothing";
    std::set<COLORREF> bottom;
    for (int x = 12; x < 28; ++x)
        bottom.insert(canvas.Pixel(x, 29));
    EXPECT_EQ(bottom, (std::set<COLORREF>{RGB(0, 0, 255), rgbWhite}));

    // A printer gets a dashed pen line instead of the pattern.
    CGXStyle dashed;
    dashed.SetBorders(GXBorder::Left, Pen(PS_DASH, 1, RGB(255, 0, 0)));
    m_grid.SetPrinting(TRUE);
    MemoryCanvas printed(40, 40, rgbWhite);
    m_grid.DrawCellBorders(&printed.Dc(), CRect(10, 10, 30, 30), dashed);
    std::set<COLORREF> left;
    for (int y = 10; y < 29; ++y)
        left.insert(printed.Pixel(10, y));
    EXPECT_EQ(left, (std::set<COLORREF>{RGB(255, 0, 0), rgbWhite}));
    EXPECT_EQ(printed.Pixel(11, 12), rgbWhite);
    m_grid.SetPrinting(FALSE);

    SetBlackWhite(TRUE);
    MemoryCanvas blackWhite(40, 40, rgbWhite);
    m_grid.DrawCellBorders(&blackWhite.Dc(), CRect(10, 10, 30, 30), style);
    EXPECT_EQ(blackWhite.Pixel(20, 11), rgbBlack);
    EXPECT_EQ(blackWhite.Pixel(10, 20), rgbBlack);
}

TEST_F(GridLinesTest, SelectedCellsAreInvertedAndTheCurrentCellFramed)
{
    const CRect rect(10, 10, 40, 40);
    const auto draw = [&](MemoryCanvas& canvas, ROWCOL nRow, ROWCOL nCol) {
        m_grid.DrawSelectedCell(&canvas.Dc(), nRow, nCol, rect.left, rect.top, rect.right, rect.bottom);
    };
    m_grid.SetCurrentCellPosition(TRUE, 3, 3);

    MemoryCanvas other(50, 50, rgbWhite);
    draw(other, 2, 2);
    EXPECT_EQ(other.Pixel(10, 10), rgbBlack);
    EXPECT_EQ(other.Pixel(25, 25), rgbBlack);
    EXPECT_EQ(other.Pixel(40, 25), rgbWhite);

    MemoryCanvas currentPlain(50, 50, rgbWhite);
    draw(currentPlain, 3, 3);
    EXPECT_EQ(currentPlain.Pixel(25, 25), rgbWhite);
    EXPECT_EQ(currentPlain.Pixel(10, 10), rgbWhite);

    Param().SetCurrentCellFrame(TRUE);
    MemoryCanvas framed(50, 50, rgbWhite);
    draw(framed, 3, 3);
    struct Probe
    {
        int x, y;
        COLORREF rgb;
    };
    // Three pixels at the top and left, two at the right and bottom; each inverted once.
    const Probe probes[] = {
        {25, 10, rgbBlack}, {25, 12, rgbBlack}, {25, 13, rgbWhite}, {10, 25, rgbBlack}, {12, 25, rgbBlack},
        {13, 25, rgbWhite}, {25, 39, rgbBlack}, {25, 38, rgbBlack}, {25, 37, rgbWhite}, {39, 25, rgbBlack},
        {38, 25, rgbBlack}, {37, 25, rgbWhite}, {10, 10, rgbBlack}, {39, 39, rgbBlack}, {25, 25, rgbWhite},
    };
    for (const Probe& probe : probes)
        EXPECT_EQ(framed.Pixel(probe.x, probe.y), probe.rgb) << probe.x << "," << probe.y;

    // Selection mode 1 marks the current cell too: inverted, or framed when the frame is on.
    Param().SetSelectionMode(1);
    MemoryCanvas modeOneFramed(50, 50, rgbWhite);
    draw(modeOneFramed, 3, 3);
    EXPECT_EQ(modeOneFramed.Pixel(25, 25), rgbWhite);
    EXPECT_EQ(modeOneFramed.Pixel(25, 10), rgbBlack);
    Param().SetCurrentCellFrame(FALSE);
    MemoryCanvas modeOne(50, 50, rgbWhite);
    draw(modeOne, 3, 3);
    EXPECT_EQ(modeOne.Pixel(25, 25), rgbBlack);
}

TEST_F(GridLinesTest, InnerRectAndBorderSizeAreInverse)
{
    struct Case
    {
        const char* pszName;
        void (*pfnPrepare)(CGXStyle& style, CGXGridCore& grid);
        BOOL bGridLines;
        CRect insets; // left, top, right, bottom
    };
    const Case cases[] = {
        {"grid lines at the left and top", [](CGXStyle&, CGXGridCore&) {}, TRUE, CRect(1, 1, 0, 0)},
        {"without grid lines", [](CGXStyle&, CGXGridCore&) {}, FALSE, CRect(0, 0, 0, 0)},
        {"grid lines at the right and bottom",
         [](CGXStyle&, CGXGridCore& grid) { grid.GetParam()->SetLinesRightBottom(TRUE); }, TRUE, CRect(0, 0, 1, 1)},
        {"vertical lines hidden", [](CGXStyle&, CGXGridCore& grid) { grid.GetProperties()->m_bVerticalLines = FALSE; },
         TRUE, CRect(0, 1, 0, 0)},
        {"a border of width 3", [](CGXStyle& s, CGXGridCore&) { s.SetBorders(GXBorder::Left, Pen(PS_SOLID, 3, 0)); },
         TRUE, CRect(3, 1, 0, 0)},
        {"width 0 counts 1", [](CGXStyle& s, CGXGridCore&) { s.SetBorders(GXBorder::Right, Pen(PS_SOLID, 0, 0)); },
         TRUE, CRect(1, 1, 1, 0)},
        {"pen style 5 is not subtracted",
         [](CGXStyle& s, CGXGridCore&) { s.SetBorders(GXBorder::Bottom, Pen(PS_NULL, 4, 0)); }, TRUE,
         CRect(1, 1, 0, 0)},
        {"a 3-D frame takes 1 per side", [](CGXStyle& s, CGXGridCore&) { s.SetDraw3dFrame(1); }, TRUE,
         CRect(2, 2, 1, 1)},
    };
    const CRect cell(100, 50, 160, 80);
    for (const Case& c : cases)
    {
        Param().SetLinesRightBottom(FALSE);
        Properties().m_bVerticalLines = TRUE;
        CGXStyle style;
        c.pfnPrepare(style, m_grid);
        CRect inner;
        m_grid.CalcCellInnerRect(inner, cell, style, c.bGridLines);
        EXPECT_EQ(inner, CRect(cell.left + c.insets.left, cell.top + c.insets.top, cell.right - c.insets.right,
                               cell.bottom - c.insets.bottom))
            << c.pszName;
        if (c.bGridLines)
        {
            CSize size;
            m_grid.AddBorderSize(size, inner.Width(), inner.Height(), style);
            EXPECT_EQ(size, cell.Size()) << c.pszName;
        }
    }
}

TEST_F(GridLinesTest, DividerLinesLieOnTheGridLineSideAcrossTheGrid)
{
    // Header column 60 pixels, columns 100; header row 21, rows 18; the grid is 300 by 200.
    EXPECT_EQ(m_grid.CalcDividerRect(CGXGridCore::gridLineVertical, 2), CRect(160, 0, 161, 200));
    EXPECT_EQ(m_grid.CalcDividerRect(CGXGridCore::gridLineHorizontal, 1), CRect(0, 21, 300, 22));
    Param().SetLinesRightBottom(TRUE);
    EXPECT_EQ(m_grid.CalcDividerRect(CGXGridCore::gridLineVertical, 2), CRect(159, 0, 160, 200));
    m_grid.GetData()->SetColCount(1);
    EXPECT_EQ(m_grid.CalcDividerRect(CGXGridCore::gridLineHorizontal, 1), CRect(0, 20, 160, 21));

    MemoryCanvas canvas(300, 200, rgbWhite);
    m_grid.DrawDividerLine(&canvas.Dc(), CGXGridCore::gridLineVertical, 2, 0);
    EXPECT_EQ(canvas.Pixel(159, 100), rgbLines);
    EXPECT_EQ(canvas.Pixel(160, 100), rgbWhite);
}

TEST_F(GridLinesTest, CellFromPointAnswersTheVisibleCell)
{
    ROWCOL nRow = 9;
    ROWCOL nCol = 9;
    CRect rect;
    EXPECT_FALSE(m_grid.CalcCellFromPoint(CPoint(-1, 5), &nRow, &nCol, &rect));
    EXPECT_EQ(nRow, 0u);
    EXPECT_EQ(nCol, 0u);
    EXPECT_TRUE(m_grid.CalcCellFromPoint(CPoint(170, 45), &nRow, &nCol, &rect));
    EXPECT_EQ(nRow, 2u);
    EXPECT_EQ(nCol, 2u);
    EXPECT_EQ(rect, CRect(160, 39, 260, 57));
    m_grid.GetData()->SetColCount(1);
    EXPECT_FALSE(m_grid.CalcCellFromPoint(CPoint(170, 45), &nRow, &nCol, nullptr));
}
