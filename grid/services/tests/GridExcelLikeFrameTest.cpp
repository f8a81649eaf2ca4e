#include "GridTestSupport.h"

#include <grid/core/GridParam.h>
#include <grid/services/mouse/GridExcelLikeFrameImp.h>
#include <testing/MemoryCanvas.h>

#include <gtest/gtest.h>

namespace
{
constexpr COLORREF rgbWhite = RGB(255, 255, 255);
constexpr COLORREF rgbBlack = RGB(0, 0, 0);

class ExcelLikeFrameTest : public HiddenGridOfTest<TestGrid>
{
protected:
    void SetUp() override
    {
        HiddenGridOfTest::SetUp();
        m_grid.GetParam()->m_anCoreSettings[3] = 1;
    }
    CGXGridExcelLikeFrameImp* Frame()
    {
        return static_cast<CGXGridExcelLikeFrameImp*>(m_grid.m_pExcelLikeFrameImp);
    }
    // The frame of rectangle (20, 20, 60, 50) with the handle at the bottom-right corner.
    void DrawFrame(MemoryCanvas& canvas, BOOL bTopOpen = FALSE)
    {
        CBrush black(rgbBlack);
        Frame()->DrawSelectionFrame(&m_grid, &canvas.Dc(), CRect(20, 20, 60, 50), &black, bTopOpen, FALSE, 0, FALSE);
    }
};

} // namespace

TEST_F(ExcelLikeFrameTest, WholeColumnsPutTheHandleTopRightWholeRowsBottomLeftCellsBottomRight)
{
    ASSERT_NE(Frame(), nullptr);
    struct Case
    {
        CGXRange selected;
        int nHandle;
        CGXRange frame;
    };
    const Case cases[] = {
        {CGXRange().SetCols(2, 3), 7, CGXRange(1, 2, 20, 3)},
        {CGXRange().SetRows(4, 5), 2, CGXRange(4, 1, 5, 5)},
        {CGXRange(2, 2, 3, 4), 0, CGXRange(2, 2, 3, 4)},
        {CGXRange().SetTable(), 0, CGXRange(1, 1, 20, 5)},
    };
    for (const Case& c : cases)
    {
        m_grid.GetParam()->m_SelRects.DeleteAll();
        m_grid.SelectRange(c.selected);
        m_grid.RefreshExcelLikeFrame();
        EXPECT_EQ(Frame()->GetHandle(), c.nHandle) << c.nHandle;
        EXPECT_EQ(RangeBounds(Frame()->GetFrameRange()), RangeBounds(c.frame)) << c.nHandle;
    }
}

TEST_F(ExcelLikeFrameTest, TheFrameIsThreePixelsAcrossEachEdgeWithAFiveByFiveHandle)
{
    MemoryCanvas canvas(100, 100, rgbWhite);
    DrawFrame(canvas);
    // Left edge at 20: 19, 20, 21 drawn; right edge at 60: 59, 60, 61.
    const int xs[][2] = {{18, 0}, {19, 1}, {20, 1}, {21, 1}, {22, 0}, {58, 0}, {59, 1}, {60, 1}, {61, 1}, {62, 0}};
    for (const auto& x : xs)
        EXPECT_EQ(canvas.Pixel(x[0], 35), x[1] ? rgbBlack : rgbWhite) << x[0];
    EXPECT_EQ(canvas.Pixel(40, 18), rgbWhite);
    EXPECT_EQ(canvas.Pixel(40, 19), rgbBlack);
    EXPECT_EQ(canvas.Pixel(40, 21), rgbBlack);
    EXPECT_EQ(canvas.Pixel(40, 22), rgbWhite);
    EXPECT_EQ(canvas.Pixel(40, 51), rgbBlack);
    EXPECT_EQ(canvas.Pixel(40, 52), rgbWhite);
    // The handle around the corner (60, 50): 58..62 both ways.
    for (int d = -2; d <= 2; ++d)
    {
        EXPECT_EQ(canvas.Pixel(60 + d, 52), rgbBlack) << d;
        EXPECT_EQ(canvas.Pixel(62, 50 + d), rgbBlack) << d;
    }
    EXPECT_EQ(canvas.Pixel(63, 50), rgbWhite);
    EXPECT_EQ(canvas.Pixel(60, 53), rgbWhite);
}

TEST_F(ExcelLikeFrameTest, AnOpenTopStaysInsideAndThePixelOffsetMovesTheFrame)
{
    MemoryCanvas open(100, 100, rgbWhite);
    DrawFrame(open, TRUE);
    EXPECT_EQ(open.Pixel(40, 19), rgbWhite);
    EXPECT_EQ(open.Pixel(40, 20), rgbBlack);
    EXPECT_EQ(open.Pixel(40, 22), rgbBlack);

    m_grid.GetParam()->m_bFramePixelOffset = TRUE;
    MemoryCanvas moved(100, 100, rgbWhite);
    DrawFrame(moved);
    EXPECT_EQ(moved.Pixel(19, 35), rgbWhite);
    EXPECT_EQ(moved.Pixel(20, 35), rgbBlack);
    EXPECT_EQ(moved.Pixel(22, 35), rgbBlack);
    EXPECT_EQ(moved.Pixel(23, 35), rgbWhite);
    m_grid.GetParam()->m_bFramePixelOffset = FALSE;
}
