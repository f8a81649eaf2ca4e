// Colour arithmetic: blending by per cent and per mille, contrast against light and dark
// references, and both hue/lightness/saturation conversions.
#include <toolkit/foundation/Colors.h>

#include <gtest/gtest.h>

namespace
{
TEST(ColorsTest, BlendWeightsByPerCentBelow100AndPerMilleFrom100)
{
    const COLORREF c0 = RGB(200, 100, 0);
    const COLORREF c1 = RGB(0, 100, 200);
    struct Case
    {
        BYTE p;
        COLORREF expected;
    };
    // (200·99 + 50) / 100 = 198; (200·1 + 50) / 100 = 2; (200·100 + 500) / 1000 = 20.
    const Case cases[] = {{99, RGB(198, 100, 2)}, {100, RGB(20, 100, 180)}, {0, c1}, {255, RGB(51, 100, 149)}};
    for (const Case& c : cases)
        EXPECT_EQ(SECBlendColors(c0, c1, c.p), c.expected) << int(c.p);
}

TEST(ColorsTest, LightenClampsAndDistanceWeighsTheChannels)
{
    EXPECT_EQ(SECLightenColor(RGB(250, 10, 0), 32), RGB(255, 42, 32));
    EXPECT_NEAR(SECColorDistance(RGB(0, 0, 0), RGB(255, 255, 255)), 441.0, 1.0);
    EXPECT_NEAR(SECColorDistance(RGB(0, 0, 0), RGB(0, 255, 0)), 390.0, 0.1);
}

TEST(ColorsTest, EnsureContrastKeepsDistantColoursAndMovesNearOnesAlongTheirLine)
{
    // Far enough from white: unchanged.
    EXPECT_EQ(SECEnsureContrast(RGB(100, 100, 100), RGB(255, 255, 255), 100), RGB(100, 100, 100));
    // Too near white: moved towards black to the distance, staying grey.
    const COLORREF clrDarker = SECEnsureContrast(RGB(250, 250, 250), RGB(255, 255, 255), 100);
    EXPECT_EQ(GetRValue(clrDarker), GetGValue(clrDarker));
    EXPECT_EQ(GetGValue(clrDarker), GetBValue(clrDarker));
    EXPECT_NEAR(SECColorDistance(clrDarker, RGB(255, 255, 255)), 100.0, 2.0);
    // Against black the distance counts double, and the colour moves away from black.
    const COLORREF clrLighter = SECEnsureContrast(RGB(10, 10, 10), RGB(0, 0, 0), 50);
    EXPECT_NEAR(SECColorDistance(clrLighter, RGB(0, 0, 0)), 100.0, 2.0);
}

TEST(ColorsTest, SolveContrastGivesTheClampedProjectionWhenNoPointIsFarEnough)
{
    // The line through blue passes 390 from green: no point lies 10 away, and the projection
    // of green onto the line is black.
    EXPECT_EQ(SECSolveContrastColor(RGB(0, 0, 255), RGB(0, 255, 0), 10), RGB(0, 0, 0));
}

TEST(ColorsTest, FloatHlsRoundTripsAndAdjusts)
{
    for (COLORREF clr : {RGB(255, 0, 0), RGB(10, 200, 90), RGB(30, 60, 250), RGB(128, 128, 128)})
    {
        float h, s, l;
        SECRGBToHLS(clr, &h, &s, &l);
        ASSERT_GE(h, 0.0f);
        ASSERT_LE(h, 1.0f);
        const COLORREF back = SECHLSToRGB(&h, &s, &l);
        EXPECT_NEAR(GetRValue(back), GetRValue(clr), 1);
        EXPECT_NEAR(GetGValue(back), GetGValue(clr), 1);
        EXPECT_NEAR(GetBValue(back), GetBValue(clr), 1);
    }
    float h, s, l;
    SECRGBToHLS(RGB(0, 0, 255), &h, &s, &l);
    EXPECT_FLOAT_EQ(h, 2.0f / 3);
    // Full lightness is white, but for the truncation of channels a hair below 1.
    const COLORREF white = SECAdjustColorHLS(RGB(30, 60, 250), 0, 0, 1);
    for (BYTE channel : {GetRValue(white), GetGValue(white), GetBValue(white)})
        EXPECT_GE(channel, 254);
    EXPECT_EQ(SECAdjustColorHLS(RGB(30, 60, 250), 0, 0, -1), RGB(0, 0, 0));
    // Full desaturation leaves a grey of the same lightness.
    const COLORREF grey = SECAdjustColorHLS(RGB(200, 100, 0), 0, -1, 0);
    EXPECT_EQ(GetRValue(grey), GetBValue(grey));
    EXPECT_NEAR(GetRValue(grey), 100, 1);
}

TEST(ColorsTest, IntegerHlsOnTheScaleOf240)
{
    struct Case
    {
        COLORREF rgb;
        WORD hue, lightness, saturation;
        bool bExactBack;
    };
    const Case cases[] = {
        {RGB(192, 192, 192), 160, 181, 0, true},
        {RGB(255, 255, 255), 160, 240, 0, true},
        {RGB(0, 0, 0), 160, 0, 0, true},
        {RGB(255, 0, 0), 0, 120, 240, true},
        {RGB(0, 255, 0), 80, 120, 240, true},
        {RGB(0, 0, 255), 160, 120, 240, true},
        // Red highest, blue above green: 24 − 40 wraps to 224. The scale of 240 loses a
        // little of the blue on the way back.
        {RGB(255, 0, 100), 224, 120, 240, false},
    };
    for (const Case& c : cases)
    {
        WORD hue = 0, lightness = 0, saturation = 0;
        SECHlsFromRgb(c.rgb, &hue, &lightness, &saturation);
        EXPECT_EQ(hue, c.hue) << std::hex << c.rgb;
        EXPECT_EQ(lightness, c.lightness) << std::hex << c.rgb;
        EXPECT_EQ(saturation, c.saturation) << std::hex << c.rgb;
        const COLORREF back = SECRgbFromHls(hue, lightness, saturation);
        if (c.bExactBack)
            EXPECT_EQ(back, c.rgb) << std::hex << c.rgb;
        else
            EXPECT_NEAR(GetBValue(back), GetBValue(c.rgb), 3);
    }
}
} // namespace
