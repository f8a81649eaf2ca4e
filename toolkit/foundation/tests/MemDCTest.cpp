// The off-screen DC over memory-bitmap targets: the picture arrives when it goes away, on the
// right pixels with and without the target's mapping.
#include <toolkit/foundation/MemDC.h>

#include <gtest/gtest.h>

#include <testing/MemoryCanvas.h>

using tarnwick::foundation::SECMemDC;

namespace
{
constexpr COLORREF WHITE = RGB(255, 255, 255);
constexpr COLORREF RED = RGB(255, 0, 0);

TEST(MemDCTest, PictureArrivesAtDestructionInsideTheRectangle)
{
    MemoryCanvas target(100, 100, WHITE);
    {
        SECMemDC dc(&target.Dc(), 10, 10, 30, 30);
        // Logical coordinates are the target's: the rectangle's corner is (10, 10).
        dc.FillSolidRect(0, 0, 100, 100, RED);
        EXPECT_EQ(dc.GetPixel(10, 10), RED);
        EXPECT_EQ(target.Pixel(15, 15), WHITE);
    }
    EXPECT_EQ(target.Pixel(10, 10), RED);
    EXPECT_EQ(target.Pixel(29, 29), RED);
    EXPECT_EQ(target.Pixel(30, 30), WHITE);
    EXPECT_EQ(target.Pixel(9, 9), WHITE);
}

TEST(MemDCTest, CopyMappingDrawsOnTheRightDevicePixels)
{
    MemoryCanvas target(100, 100, WHITE);
    // Two logical units to a pixel, and the origin at pixel (20, 20).
    target.Dc().SetMapMode(MM_ANISOTROPIC);
    target.Dc().SetWindowExt(200, 200);
    target.Dc().SetViewportExt(100, 100);
    target.Dc().SetViewportOrg(20, 20);
    {
        SECMemDC dc(&target.Dc(), -40, -40, 160, 160, TRUE, TRUE);
        // The whole rectangle is copied back: it is all painted.
        dc.FillSolidRect(-40, -40, 200, 200, WHITE);
        dc.FillSolidRect(0, 0, 20, 20, RED);
    }
    target.Dc().SetMapMode(MM_TEXT);
    target.Dc().SetViewportOrg(0, 0);
    EXPECT_EQ(target.Pixel(20, 20), RED);
    EXPECT_EQ(target.Pixel(29, 29), RED);
    EXPECT_EQ(target.Pixel(30, 30), WHITE);
    EXPECT_EQ(target.Pixel(19, 19), WHITE);
}

TEST(MemDCTest, ZeroWidthCopiesNothingAndNullTargetThrows)
{
    MemoryCanvas target(20, 20, WHITE);
    {
        SECMemDC dc(&target.Dc(), 5, 5, 5, 15);
        dc.FillSolidRect(0, 0, 20, 20, RED);
    }
    for (int x : {4, 5, 6})
        EXPECT_EQ(target.Pixel(x, 10), WHITE);

    bool bThrown = false;
    try
    {
        SECMemDC dc(nullptr, 0, 0, 10, 10);
    }
    catch (CResourceException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}

TEST(MemDCTest, DeferredSetUp)
{
    MemoryCanvas target(20, 20, WHITE);
    {
        SECMemDC dc(&target.Dc(), 0, 0, 10, 10, FALSE);
        EXPECT_EQ(dc.m_hDC, nullptr);
        dc.Create();
        dc.FillSolidRect(0, 0, 10, 10, RED);
    }
    EXPECT_EQ(target.Pixel(5, 5), RED);
    // Never set up: nothing is copied.
    {
        SECMemDC dc(&target.Dc(), 0, 0, 20, 20, FALSE);
    }
    EXPECT_EQ(target.Pixel(15, 15), WHITE);
}
} // namespace
