// The button-image blits on memory DCs: which pixels each one changes, and the gradient's bands.
#include <toolkit/foundation/BitmapDraw.h>

#include <gtest/gtest.h>

#include <testing/MemoryCanvas.h>

namespace
{
constexpr COLORREF MAGENTA = RGB(255, 0, 255);
constexpr COLORREF GREEN = RGB(0, 128, 0);
constexpr COLORREF RED = RGB(255, 0, 0);
constexpr COLORREF BLACK = RGB(0, 0, 0);
constexpr COLORREF WHITE = RGB(255, 255, 255);

// A 16×15 image on magenta: black at (1..4, 1..4), white at (6..9, 1..4), red at (11..14, 1..4).
class ImageTest : public ::testing::Test
{
protected:
    ImageTest() : m_image(16, 15, MAGENTA), m_target(20, 20, GREEN)
    {
        m_image.Fill(1, 1, 4, 4, BLACK);
        m_image.Fill(6, 1, 4, 4, WHITE);
        m_image.Fill(11, 1, 4, 4, RED);
    }
    MemoryCanvas m_image;
    MemoryCanvas m_target;
};

TEST_F(ImageTest, MaskedBitmapLeavesTransparentPixelsAlone)
{
    EXPECT_TRUE(SECDrawMaskedBitmap(m_target.Hdc(), 2, 2, 16, 15, m_image.Hdc(), 0, 0, 16, 15, MAGENTA));
    EXPECT_EQ(m_target.Pixel(0, 0), GREEN);
    EXPECT_EQ(m_target.Pixel(2, 2), GREEN);
    EXPECT_EQ(m_target.Pixel(3, 3), BLACK);
    EXPECT_EQ(m_target.Pixel(8, 3), WHITE);
    EXPECT_EQ(m_target.Pixel(13, 3), RED);
    EXPECT_EQ(m_target.Pixel(10, 12), GREEN);
    // The source keeps its colours.
    EXPECT_EQ(m_image.Pixel(0, 0), MAGENTA);
}

TEST_F(ImageTest, MonochromeAndSilhouettePaintOnlyWhereTheMaskIsBlack)
{
    struct Case
    {
        const char* name;
        void (*draw)(HDC, int, int, int, int, HDC, int, int, COLORREF, COLORREF);
        COLORREF black, white, red;
    };
    const Case cases[] = {
        // Dark pixels take the paint; light ones (white) and transparent ones do not.
        {"monochrome", &SECDrawMonochromeBitmap, BLACK, GREEN, BLACK},
        {"silhouette", &SECDrawSilhouetteBitmap, BLACK, BLACK, BLACK},
    };
    for (const Case& c : cases)
    {
        MemoryCanvas target(16, 15, GREEN);
        c.draw(target.Hdc(), 0, 0, 16, 15, m_image.Hdc(), 0, 0, MAGENTA, BLACK);
        EXPECT_EQ(target.Pixel(0, 0), GREEN) << c.name;
        EXPECT_EQ(target.Pixel(2, 2), c.black) << c.name;
        EXPECT_EQ(target.Pixel(7, 2), c.white) << c.name;
        EXPECT_EQ(target.Pixel(12, 2), c.red) << c.name;
    }
    // The paint colour is the one given.
    MemoryCanvas target(16, 15, GREEN);
    SECDrawSilhouetteBitmap(target.Hdc(), 0, 0, 16, 15, m_image.Hdc(), 0, 0, MAGENTA, RGB(1, 2, 3));
    EXPECT_EQ(target.Pixel(12, 2), RGB(1, 2, 3));
}

TEST_F(ImageTest, PixelCopiesChangeOnlyOpaquePixels)
{
    SECDrawBitmapPixels(m_target.Hdc(), 0, 0, 16, 15, m_image.Hdc(), 0, 0, MAGENTA, TRUE);
    EXPECT_EQ(m_target.Pixel(0, 0), GREEN);
    // Extremes swapped, then lightened by 32.
    EXPECT_EQ(m_target.Pixel(2, 2), WHITE);
    EXPECT_EQ(m_target.Pixel(7, 2), RGB(32, 32, 32));
    // Red is dark by its luminance.
    EXPECT_EQ(m_target.Pixel(12, 2), WHITE);

    MemoryCanvas blended(16, 15, GREEN);
    SECDrawBlendedBitmap(blended.Hdc(), 0, 0, 16, 15, m_image.Hdc(), 0, 0, MAGENTA, RGB(0, 0, 255), 128);
    EXPECT_EQ(blended.Pixel(0, 0), GREEN);
    EXPECT_EQ(blended.Pixel(12, 2), RGB(255 * 128 / 256, 0, 255 * 127 / 256));
}

TEST(BitmapDrawTest, GradientRunsFromTheStartColourToOneStepShortOfTheEnd)
{
    MemoryCanvas canvas(255, 510, WHITE);
    EXPECT_TRUE(SECDrawGradientRect(canvas.Hdc(), 0, 0, 255, 10, RGB(255, 0, 100), BLACK, TRUE));
    EXPECT_EQ(canvas.Pixel(0, 5), BLACK);
    EXPECT_EQ(canvas.Pixel(1, 5), RGB(1, 0, 0));
    EXPECT_EQ(canvas.Pixel(254, 5), RGB(254, 0, 99));
    EXPECT_EQ(canvas.Pixel(0, 10), WHITE);

    // Down the rectangle, two rows a band.
    EXPECT_TRUE(SECDrawGradientRect(canvas.Hdc(), 0, 0, 4, 510, RGB(0, 0, 0), RGB(255, 255, 255), FALSE));
    EXPECT_EQ(canvas.Pixel(2, 1), WHITE);
    EXPECT_EQ(canvas.Pixel(2, 2), RGB(254, 254, 254));
    EXPECT_EQ(canvas.Pixel(2, 509), RGB(1, 1, 1));
    EXPECT_EQ(canvas.Pixel(4, 509), WHITE);
}
} // namespace
