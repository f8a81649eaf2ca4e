#include "GridTestSupport.h"

#include <grid/core/GridParam.h>
#include <grid/core/Properties.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <testing/MemoryCanvas.h>

#include <gtest/gtest.h>

#include <set>

namespace
{
constexpr COLORREF rgbWhite = RGB(255, 255, 255);
constexpr COLORREF rgbBlack = RGB(0, 0, 0);
constexpr COLORREF rgbLines = RGB(200, 0, 0);
constexpr COLORREF rgbBeyond = RGB(0, 0, 200);
constexpr COLORREF rgbGreen = RGB(0, 150, 0);
constexpr int nColWidth = 30;
constexpr int nRowHeight = 12;
constexpr int cxCanvas = 300;
constexpr int cyCanvas = 200;

// Counts the merged background fills.
class PaintGrid : public TestGrid
{
public:
    void FillBrushRect(CDC* pDC, const CRect& rect, const GXBrushRecord& brush) override
    {
        m_fills.push_back(rect);
        TestGrid::FillBrushRect(pDC, rect, brush);
    }
    std::vector<CRect> m_fills;
    using CGXGridCore::m_nDoubleBuffering;
};

// A grid of 5 rows and 4 columns of 30 x 12 pixels with empty white static cells, red grid
// lines and a blue area beyond the last row and column.
class GridPaintingTest : public HiddenGridOfTest<PaintGrid>
{
protected:
    void SetUp() override
    {
        HiddenGridOfTest::SetUp();
        m_grid.SetRowCount(5);
        m_grid.SetColCount(4);
        m_grid.SetColWidth(0, 4, nColWidth);
        m_grid.SetRowHeight(0, 5, nRowHeight);
        CGXStyle stat;
        stat.SetControl(52513).SetInteriorColor(rgbWhite);
        CGXStylesMap& styles = *m_grid.GetStylesMap();
        for (WORD id : {styles.m_wStyleStandard, styles.m_wStyleRowHeader, styles.m_wStyleColHeader})
            m_grid.ChangeBaseStyle(id, stat, 0);
        CDWordArray& colors = m_grid.GetProperties()->GetColorArray();
        colors[CGXProperties::colorGridLines] = rgbLines;
        colors[CGXProperties::colorFixedLines] = rgbLines;
        colors[CGXProperties::colorBackground] = rgbBeyond;
    }
    // The left-top corner of a cell.
    static CPoint Cell(ROWCOL nRow, ROWCOL nCol)
    {
        return CPoint(static_cast<int>(nCol) * nColWidth, static_cast<int>(nRow) * nRowHeight);
    }
    void Paint(MemoryCanvas& canvas)
    {
        m_grid.m_fills.clear();
        m_grid.DrawGrid(&canvas.Dc());
    }
};

TEST_F(GridPaintingTest, EqualBackgroundsAreOneFillAndTheAreaBeyondTheGridHasTheBackgroundColour)
{
    CGXStyle green;
    green.SetInteriorColor(rgbGreen);
    m_grid.SetStyleRangeShort(CGXRange(2, 1, 2, 3), green);
    MemoryCanvas canvas(cxCanvas, cyCanvas, rgbBlack);
    Paint(canvas);

    const CRect run(Cell(2, 1), Cell(3, 4));
    int nRunFills = 0;
    for (const CRect& rect : m_grid.m_fills)
        nRunFills += rect == run;
    EXPECT_EQ(nRunFills, 1);
    EXPECT_EQ(canvas.Pixel(Cell(2, 2).x + 10, Cell(2, 2).y + 6), rgbGreen);
    EXPECT_EQ(canvas.Pixel(Cell(3, 2).x + 10, Cell(3, 2).y + 6), rgbWhite);

    const CPoint end = Cell(6, 5);
    EXPECT_EQ(canvas.Pixel(end.x + 20, 30), rgbBeyond) << "right of the last column";
    EXPECT_EQ(canvas.Pixel(40, end.y + 20), rgbBeyond) << "below the last row";
    EXPECT_EQ(canvas.Pixel(cxCanvas - 1, cyCanvas - 1), rgbBeyond);
}

TEST_F(GridPaintingTest, GridLinesLieLeftTopOrRightBottom)
{
    const CPoint cell = Cell(2, 2);
    {
        MemoryCanvas canvas(cxCanvas, cyCanvas, rgbBlack);
        Paint(canvas);
        EXPECT_EQ(canvas.Pixel(cell.x, cell.y + 6), rgbLines);
        EXPECT_EQ(canvas.Pixel(cell.x + 10, cell.y), rgbLines);
        EXPECT_EQ(canvas.Pixel(cell.x + nColWidth - 1, cell.y + 6), rgbWhite);
        // The closing lines after the last column and row.
        const CPoint end = Cell(6, 5);
        EXPECT_EQ(canvas.Pixel(end.x, 30), rgbLines);
        EXPECT_EQ(canvas.Pixel(40, end.y), rgbLines);
    }
    m_grid.GetParam()->SetLinesRightBottom(TRUE);
    {
        MemoryCanvas canvas(cxCanvas, cyCanvas, rgbBlack);
        Paint(canvas);
        EXPECT_EQ(canvas.Pixel(cell.x + nColWidth - 1, cell.y + 6), rgbLines);
        EXPECT_EQ(canvas.Pixel(cell.x + 10, cell.y + nRowHeight - 1), rgbLines);
        EXPECT_EQ(canvas.Pixel(cell.x + 1, cell.y + 6), rgbWhite);
    }
}

TEST_F(GridPaintingTest, SelectedCellsAreInverted)
{
    m_grid.GetParam()->m_SelRects.AddTail(new CGXRange(2, 2, 3, 3));
    MemoryCanvas canvas(cxCanvas, cyCanvas, rgbBlack);
    Paint(canvas);
    EXPECT_EQ(canvas.Pixel(Cell(2, 2).x + 10, Cell(2, 2).y + 6), rgbBlack);
    EXPECT_EQ(canvas.Pixel(Cell(3, 3).x + 10, Cell(3, 3).y + 6), rgbBlack);
    EXPECT_EQ(canvas.Pixel(Cell(4, 3).x + 10, Cell(4, 3).y + 6), rgbWhite);

    m_grid.GetParam()->m_bMarkSelection = FALSE;
    Paint(canvas);
    EXPECT_EQ(canvas.Pixel(Cell(2, 2).x + 10, Cell(2, 2).y + 6), rgbWhite);
}

TEST_F(GridPaintingTest, BlackAndWhiteFillsWhiteBeyondTheGridAndDrawsBlackLines)
{
    CGXStyle green;
    green.SetInteriorColor(rgbGreen);
    m_grid.SetStyleRangeShort(CGXRange(2, 1, 2, 3), green);
    m_grid.GetProperties()->m_bBlackWhite = TRUE;
    MemoryCanvas canvas(cxCanvas, cyCanvas, rgbGreen);
    Paint(canvas);
    const CPoint end = Cell(6, 5);
    EXPECT_EQ(canvas.Pixel(end.x + 20, 30), rgbWhite);
    EXPECT_EQ(canvas.Pixel(40, end.y + 20), rgbWhite);
    EXPECT_EQ(canvas.Pixel(Cell(2, 2).x, Cell(2, 2).y + 6), rgbBlack);
    EXPECT_EQ(canvas.Pixel(Cell(2, 2).x + 10, Cell(2, 2).y + 6), rgbWhite) << "a solid run";

    GXBrushRecord hatch;
    hatch.Set(BS_HATCHED, rgbGreen, HS_CROSS);
    CGXStyle hatched;
    hatched.SetInterior(hatch);
    m_grid.SetStyleRangeShort(CGXRange(2, 1, 2, 3), hatched);
    Paint(canvas);
    std::set<COLORREF> seen;
    for (int x = Cell(2, 1).x + 1; x < Cell(2, 4).x; ++x)
        for (int y = Cell(2, 1).y + 1; y < Cell(3, 1).y; ++y)
            seen.insert(canvas.Pixel(x, y));
    EXPECT_EQ(seen, (std::set<COLORREF>{rgbBlack, rgbWhite})) << "a hatched run is black on white";
}

TEST_F(GridPaintingTest, BufferedAndDirectDrawingAgree)
{
    CGXStyle green;
    green.SetInteriorColor(rgbGreen).SetValue(_T("x"));
    m_grid.SetStyleRangeShort(CGXRange(1, 1, 3, 2), green);
    m_grid.GetParam()->m_SelRects.AddTail(new CGXRange(3, 2, 4, 4));
    MemoryCanvas direct(cxCanvas, cyCanvas, rgbBlack);
    MemoryCanvas buffered(cxCanvas, cyCanvas, rgbBlack);
    m_grid.m_nDoubleBuffering = 0;
    Paint(direct);
    m_grid.m_nDoubleBuffering = 1;
    Paint(buffered);
    int nDiffer = 0;
    for (int y = 0; y < cyCanvas; ++y)
        for (int x = 0; x < cxCanvas; ++x)
            nDiffer += direct.Pixel(x, y) != buffered.Pixel(x, y);
    EXPECT_EQ(nDiffer, 0);
}

TEST_F(GridPaintingTest, CalcVisibleRowColFromPointClampsToTheLastRowAndColumn)
{
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    EXPECT_TRUE(m_grid.CalcVisibleRowColFromPoint(CPoint(Cell(2, 3).x + 1, Cell(2, 3).y + 1), &nRow, &nCol));
    EXPECT_EQ(nRow, 2u);
    EXPECT_EQ(nCol, 3u);
    m_grid.CalcVisibleRowColFromPoint(CPoint(cxCanvas - 1, cyCanvas - 1), &nRow, &nCol);
    EXPECT_EQ(nRow, 5u);
    EXPECT_EQ(nCol, 4u);
    EXPECT_EQ(m_grid.CalcVisibleCellRect(2, 3), CRect(Cell(2, 3), Cell(3, 4)));
}

TEST_F(GridPaintingTest, LockedDrawingPaintsNothing)
{
    m_grid.GetParam()->m_bLockDrawing = TRUE;
    MemoryCanvas canvas(cxCanvas, cyCanvas, rgbGreen);
    Paint(canvas);
    EXPECT_EQ(canvas.Pixel(40, 30), rgbGreen);
    EXPECT_EQ(canvas.Pixel(cxCanvas - 1, cyCanvas - 1), rgbGreen);
}
} // namespace
