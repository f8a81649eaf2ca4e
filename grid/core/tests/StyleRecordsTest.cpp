#include <grid/core/BorderSide.h>
#include <grid/core/BrushRecord.h>
#include <grid/core/Color.h>
#include <grid/core/PenRecord.h>
#include <grid/core/SysData.h>

#include <cstring>

#include <gtest/gtest.h>

namespace
{
template <class RECORD, size_t N> void ExpectWords(const RECORD& record, const DWORD (&words)[N])
{
    static_assert(sizeof(RECORD) == sizeof(words));
    DWORD actual[N];
    std::memcpy(actual, &record, sizeof(actual));
    for (size_t i = 0; i < N; ++i)
        EXPECT_EQ(actual[i], words[i]) << "word " << i;
}
} // namespace

TEST(ColorTest, TopBytesFrom65To254NameSystemColours)
{
    const struct
    {
        COLORREF color;
        GXColorCode code;
    } cases[] = {
        {0xF9000000, {5, GX_COLORKIND_SYSTEM}},
        {0xF6000000, {8, GX_COLORKIND_SYSTEM}},
        {0x41000000, {189, GX_COLORKIND_SYSTEM}}, // top byte 65
        {0xFE123456, {0, GX_COLORKIND_SYSTEM}},   // 254; the RGB bits are not looked at
        {0x40123456, {0x123456, 0}},              // 64: RGB, kind from the low two bits
        {0xFF123456, {0x123456, 3}},              // 255
        {0x02ABCDEF, {0xABCDEF, 2}},
        {RGB(1, 2, 3), {0x030201, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GXEncodeColor(c.color), c.code) << std::hex << c.color;
}

TEST(ColorTest, DecodingResolvesSystemColoursThroughTheThreadCache)
{
    const COLORREF window = GXGetSysData()->GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(GXDecodeColor(GXEncodeColor(GXSysColorRef(COLOR_WINDOW))), window);
    EXPECT_EQ(GXEncodedColor(GXEncodeColor(GXSysColorRef(COLOR_WINDOW))), (window & 0xFFFFFF) | 0xF9000000);
    EXPECT_EQ(GXDecodeColor({0x123456, 2}), 0x02123456u);
}

TEST(PenRecordTest, LayoutOfANewAndASetPen)
{
    GXPenRecord pen;
    EXPECT_FALSE(pen.IsSet());
    ExpectWords(pen, {GX_PEN_UNSET | (1u << 3), 0});

    pen.SetStyle(PS_DASHDOT).SetWidth(0xABCD).SetColor(RGB(0x11, 0x22, 0x33) | 0x02000000);
    ExpectWords(pen, {PS_DASHDOT | (0xABCDu << 3) | (2u << 19), 0x332211});
    EXPECT_EQ(pen.GetColor(), 0x02332211u);

    pen.SetColor(GXSysColorRef(COLOR_BTNFACE));
    ExpectWords(pen, {PS_DASHDOT | (0xABCDu << 3) | (3u << 19), COLOR_BTNFACE});
    EXPECT_EQ(pen.GetColor(), GXGetSysData()->GetSysColor(COLOR_BTNFACE));

    const LOGPEN lp = pen.GetLogPen();
    EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_DASHDOT));
    EXPECT_EQ(lp.lopnWidth.x, 0xABCD);
    EXPECT_EQ(lp.lopnWidth.y, 0);
}

TEST(PenRecordTest, MarkingSetAndUnset)
{
    GXPenRecord pen;
    pen.SetInclude(TRUE);
    EXPECT_EQ(pen.GetStyle(), static_cast<UINT>(PS_SOLID));
    pen.SetStyle(PS_DOT).SetInclude(TRUE);
    EXPECT_EQ(pen.GetStyle(), static_cast<UINT>(PS_DOT));
    pen.SetInclude(FALSE);
    EXPECT_EQ(pen.GetStyle(), GX_PEN_UNSET);
}

TEST(BrushRecordTest, LayoutOfANewAndASetBrush)
{
    GXBrushRecord brush;
    ExpectWords(brush, {0, (63u << 24) | 0xFFFFFF, GX_BRUSH_SOLID});

    brush.Set(GX_BRUSH_HATCHED, RGB(0x10, 0x20, 0x30) | 0x01000000, HS_CROSS);
    brush.SetBkColor(GXSysColorRef(COLOR_WINDOW));
    ExpectWords(brush,
                {HS_CROSS | (1u << 3) | (3u << 5) | (0x302010u << 7), (63u << 24) | COLOR_WINDOW, GX_BRUSH_HATCHED});

    brush.SetPattern(40);
    EXPECT_EQ(brush.GetStyle(), GX_BRUSH_PATTERN);
    EXPECT_EQ(brush.GetPattern(), 40u);

    // Set starts over with white and no pattern.
    brush.Set(GX_BRUSH_SOLID, RGB(1, 2, 3), 0);
    EXPECT_EQ(brush.GetBkColor(), RGB(255, 255, 255));
    EXPECT_EQ(brush.GetPattern(), GX_PATTERN_NONE);
    EXPECT_EQ(brush.GetFillColor(), RGB(1, 2, 3));
}

TEST(BrushRecordTest, BorderPatternsOfDashedAndDottedPens)
{
    GXBrushRecord background;
    background.Set(GX_BRUSH_SOLID, RGB(200, 100, 50), 0);
    GXPenRecord pen;
    pen.SetColor(RGB(1, 2, 3));

    const struct
    {
        UINT nPenStyle;
        BOOL bHorizontal;
        UINT nPattern;
    } cases[] = {
        {PS_DASH, TRUE, 33},  {PS_DOT, TRUE, 34},  {PS_DASHDOT, TRUE, 35},  {PS_DASHDOTDOT, TRUE, 36},
        {PS_DASH, FALSE, 37}, {PS_DOT, FALSE, 38}, {PS_DASHDOT, FALSE, 39}, {PS_DASHDOTDOT, FALSE, 40},
    };
    for (const auto& c : cases)
    {
        GXBrushRecord brush;
        EXPECT_TRUE(brush.SetBorderPattern(pen.SetStyle(c.nPenStyle), background, c.bHorizontal, FALSE));
        EXPECT_EQ(brush.GetStyle(), GX_BRUSH_PATTERN);
        EXPECT_EQ(brush.GetPattern(), c.nPattern);
        EXPECT_EQ(brush.GetColor(), RGB(1, 2, 3));
        EXPECT_EQ(brush.GetBkColor(), RGB(200, 100, 50)); // a solid background shows its foreground
    }

    // A patterned background shows its background colour; black and white ignores the colours.
    background.Set(GX_BRUSH_HATCHED, RGB(9, 9, 9), HS_CROSS).SetBkColor(RGB(7, 7, 7));
    GXBrushRecord brush;
    brush.SetBorderPattern(pen.SetStyle(PS_DOT), background, FALSE, FALSE);
    EXPECT_EQ(brush.GetBkColor(), RGB(7, 7, 7));
    brush.SetBorderPattern(pen, background, FALSE, TRUE);
    EXPECT_EQ(brush.GetColor(), RGB(0, 0, 0));
    EXPECT_EQ(brush.GetBkColor(), RGB(255, 255, 255));

    // No line: the background itself. Solid lines need no brush.
    EXPECT_TRUE(brush.SetBorderPattern(pen.SetStyle(PS_NULL), background, TRUE, FALSE));
    EXPECT_EQ(brush, background);
    EXPECT_FALSE(brush.SetBorderPattern(pen.SetStyle(PS_SOLID), background, TRUE, FALSE));
}

TEST(BorderSideTest, DrawingSidesConvertToStyleSides)
{
    EXPECT_EQ(GXBorderOfDrawSide(GXDrawSide::Left), GXBorder::Left);
    EXPECT_EQ(GXBorderOfDrawSide(GXDrawSide::Right), GXBorder::Right);
    EXPECT_EQ(GXBorderOfDrawSide(GXDrawSide::Top), GXBorder::Top);
    EXPECT_EQ(GXBorderOfDrawSide(GXDrawSide::Bottom), GXBorder::Bottom);
}
