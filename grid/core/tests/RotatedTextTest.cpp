#include "GridTestSupport.h"

#include <grid/core/AppData.h>
#include <grid/core/DrawRotatedTextImp.h>
#include <grid/core/DrawingAndFormatting.h>

#include <gtest/gtest.h>

#include <cmath>

namespace
{
constexpr double dPi = 3.1415926535;
const CRect cell(10, 20, 110, 70);

CPoint Draw(RecordingDC& dc, UINT nFormat, int nOrientation, const CRect& rect = cell)
{
    CGXDrawRotatedTextImp imp;
    EXPECT_EQ(imp.DrawRotatedText(&dc, L"Total", -1, rect.left, rect.top, rect.right, rect.bottom, nFormat,
                                  nOrientation, nullptr),
              0);
    return dc.m_points.back();
}
} // namespace

TEST(RotatedTextTest, StartPointPerQuadrantAndAlignment)
{
    RecordingDC dc;
    const CSize extent = dc.GetTextExtent(L"Total", 5);
    const double cx = extent.cx, cy = extent.cy;
    const double W = cell.Width(), H = cell.Height();
    const double L = cell.left, T = cell.top;
    const double r30 = 30 * dPi / 180;
    struct Case
    {
        UINT nFormat;
        int nOrientation;
        double x, y;
    };
    const Case cases[] = {
        {0, 0, L, T + cy / 2},
        {0, 300, L, T + std::sin(r30) * cx + cy / 2},
        {0, 1200, L + std::sin(r30) * cx, T + std::cos(r30) * cx + cy},
        {0, 1800, L + cx + cy, T},
        {0, 3000, L + std::sin(r30) * cy, T},
        {0, -900, L + cy, T},
        {DT_RIGHT, 0, L + (W - cx) - cy, T + cy / 2},
        {DT_CENTER, 0, L + (W - cx) / 2 - cy / 2, T + cy / 2},
        {DT_BOTTOM, 0, L, T + cy / 2 + H - cy},
        {DT_VCENTER, 0, L, T + cy / 2 + H / 2 - cy / 2},
        {DT_VCENTER, 1800, L + cx + cy, T + H / 2},
        {DT_RIGHT | DT_CENTER, 0, L + (W - cx) - cy, T + cy / 2},
    };
    for (const Case& c : cases)
    {
        const CPoint point = Draw(dc, c.nFormat, c.nOrientation);
        EXPECT_EQ(point.x, static_cast<int>(c.x)) << c.nFormat << " at " << c.nOrientation;
        EXPECT_EQ(point.y, static_cast<int>(c.y)) << c.nFormat << " at " << c.nOrientation;
    }
    // -900 is 270 degrees: the third quadrant's last angle, cos(90 degrees) ~ 0.
    EXPECT_EQ(Draw(dc, 0, -900), Draw(dc, 0, 2700));
    EXPECT_EQ(Draw(dc, 0, 3600), Draw(dc, 0, 0));
    EXPECT_STREQ(dc.m_texts.back(), L"Total");
}

TEST(RotatedTextTest, SecondQuadrantStartBeyondTheRightEdgeIsPulledBack)
{
    RecordingDC dc;
    const CSize extent = dc.GetTextExtent(L"Total", 5);
    const CRect narrow(10, 20, 12, 200);
    const CPoint point = Draw(dc, 0, 1790, narrow);
    EXPECT_EQ(point.x, narrow.right - extent.cy);
}

TEST(RotatedTextTest, DrawingObjectForwardsAndDrawsNothingWithoutTheFeature)
{
    EnsureGridLibrary();
    RecordingDC dc;
    CGXDrawingAndFormatting* pDraw = DrawingAndFormattingInstance();
    EXPECT_EQ(pDraw->DrawRotatedText(&dc, L"Total", 5, 10, 20, 110, 70, 0, 0, nullptr), 0);
    EXPECT_EQ(dc.m_points.size(), 1u);

    CGXAppData* pAppData = GXGetAppDataPtr();
    CGXAbstractDrawRotatedTextImp* pImp = pAppData->m_pDrawRotatedTextImp;
    pAppData->m_pDrawRotatedTextImp = nullptr;
    pDraw->DrawRotatedText(&dc, L"Total", 5, 10, 20, 110, 70, 0, 0, nullptr);
    EXPECT_EQ(dc.m_points.size(), 1u);
    pAppData->m_pDrawRotatedTextImp = pImp;
}
