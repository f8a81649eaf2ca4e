#include "GridTestSupport.h"

#include <grid/core/GridParam.h>
#include <testing/MemoryCanvas.h>

#include <gtest/gtest.h>

namespace
{
constexpr COLORREF rgbFill = RGB(1, 2, 3);

class OldDrawingTest : public HiddenGridOfTest<TestGrid>
{
protected:
    void Paint(MemoryCanvas& canvas)
    {
        m_grid.DrawGrid(&canvas.Dc());
    }
};

} // namespace

TEST_F(OldDrawingTest, TheOldPathDrawsTheLinesWhereStandardPaintingDoes)
{
    m_grid.SetDefaultRowHeight(20);
    m_grid.SetDefaultColWidth(50);
    MemoryCanvas standard(300, 200, rgbFill);
    Paint(standard);
    m_grid.GetParam()->m_bOldDrawing = TRUE;
    MemoryCanvas old(300, 200, rgbFill);
    Paint(old);
    m_grid.GetParam()->m_bOldDrawing = FALSE;

    int nLinePixels = 0;
    const int y = 20 * 2 + 10; // across row 2
    for (int x = 0; x < 300; ++x)
    {
        EXPECT_EQ(old.Pixel(x, y), standard.Pixel(x, y)) << x;
        nLinePixels += standard.Pixel(x, y) != standard.Pixel(x + 1 < 300 ? x + 1 : x - 1, y);
    }
    const int x = 50 * 2 + 25; // down column 2
    for (int yy = 0; yy < 200; ++yy)
        EXPECT_EQ(old.Pixel(x, yy), standard.Pixel(x, yy)) << yy;
    EXPECT_GT(nLinePixels, 4); // the row crosses grid lines
}
