#include <grid/core/Font.h>
#include <grid/core/SysData.h>
#include <grid/services/archive/RecordDescription.h>

#include <gtest/gtest.h>

namespace
{
// Red, green and blue of a colour as the descriptions write them.
CString Rgb(COLORREF rgb)
{
    CString strText;
    strText.Format(_T("%d %d %d"), GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
    return strText;
}

TEST(PenDescription, ReadsFiveOrSixFields)
{
    GXPenRecord pen;
    GXParseStyleDescription(pen, _T("2 3 10 20 30"));
    EXPECT_EQ(pen.GetStyle(), 2u);
    EXPECT_EQ(pen.GetWidth(), 3u);
    EXPECT_EQ(pen.GetColorCode(), (GXColorCode{RGB(10, 20, 30), 0}));

    GXParseStyleDescription(pen, _T("  0   1 0 0 0 239"));
    EXPECT_EQ(pen.GetStyle(), 0u);
    EXPECT_EQ(pen.GetWidth(), 1u);
    EXPECT_EQ(pen.GetColorCode(), (GXColorCode{15, GX_COLORKIND_SYSTEM}));
}

TEST(PenDescription, FewerThanFiveFieldsUnsetThePen)
{
    GXPenRecord pen;
    pen.SetStyle(PS_DOT).SetWidth(4).SetColor(RGB(1, 2, 3));
    GXParseStyleDescription(pen, _T("0 1"));
    EXPECT_FALSE(pen.IsSet());
    EXPECT_EQ(pen.GetWidth(), 4u);
    EXPECT_EQ(pen.GetColorCode(), (GXColorCode{0, 0}));
}

TEST(PenDescription, WritesStyleWidthColourAndTopByte)
{
    GXPenRecord pen;
    pen.SetStyle(PS_DASH).SetWidth(300).SetColor(RGB(1, 2, 3));
    EXPECT_EQ(GXWriteStyleDescription(pen), _T("1 300 1 2 3 0"));

    // A system colour is written as its current value with its marker.
    pen.SetColor(0xEF000000);
    EXPECT_EQ(GXWriteStyleDescription(pen), _T("1 300 ") + Rgb(GXGetSysData()->GetSysColor(15)) + _T(" 239"));

    for (const GXPenRecord& original : {pen, GXPenRecord().SetStyle(PS_SOLID).SetColor(0x02112233), GXPenRecord()})
    {
        GXPenRecord read;
        GXParseStyleDescription(read, GXWriteStyleDescription(original));
        EXPECT_EQ(read, original);
    }
}

TEST(BrushDescription, RoundTripsSolidHatchedAndPatternBrushes)
{
    GXBrushRecord solid;
    solid.Set(GX_BRUSH_SOLID, RGB(200, 100, 50), 0).SetBkColor(RGB(1, 2, 3));
    GXBrushRecord hatched;
    hatched.Set(GX_BRUSH_HATCHED, 0xF9000000, HS_DIAGCROSS);
    GXBrushRecord pattern;
    pattern.SetColor(RGB(0, 0, 255)).SetBkColor(RGB(255, 255, 0)).SetPattern(17);
    GXBrushRecord palette;
    palette.SetColor(0x01000102);
    GXBrushRecord hollow;
    hollow.Set(GX_BRUSH_HOLLOW, 0x02102030, 0);

    for (const GXBrushRecord& original : {solid, hatched, pattern, palette, hollow})
    {
        GXBrushRecord read;
        SetBrushRecordDescription(read, GetBrushRecordDescription(original));
        EXPECT_EQ(read, original) << GetBrushRecordDescription(original).GetString();
    }

    EXPECT_EQ(GetBrushRecordDescription(solid), _T("0 0 200 100 50 1 2 3 0"));
    EXPECT_EQ(GetBrushRecordDescription(pattern), _T("3 17 0 0 255 255 255 0 0"));
    EXPECT_EQ(GetBrushRecordDescription(hatched),
              _T("2 5 ") + Rgb(GXGetSysData()->GetSysColor(COLOR_WINDOW)) + _T(" 255 255 255 249"));
}

TEST(BrushDescription, ReadsKindPatternAndColours)
{
    GXBrushRecord brush;
    SetBrushRecordDescription(brush, _T("3 40 1 2 3 4 5 6"));
    EXPECT_EQ(brush.GetStyle(), GX_BRUSH_PATTERN);
    EXPECT_EQ(brush.GetPattern(), 40u);
    EXPECT_EQ(brush.GetColorCode(), (GXColorCode{RGB(1, 2, 3), 0}));
    EXPECT_EQ(brush.GetBkColorCode(), (GXColorCode{RGB(4, 5, 6), 0}));

    // Without the background fields the background is black; top byte 1 is a palette index.
    SetBrushRecordDescription(brush, _T("2 3 7 1 9 8 8 8 1"));
    EXPECT_EQ(brush.GetStyle(), GX_BRUSH_HATCHED);
    EXPECT_EQ(brush.GetHatch(), 3u);
    EXPECT_EQ(brush.GetColorCode(), (GXColorCode{7 + 256 * 1, 1}));
    SetBrushRecordDescription(brush, _T("0 0 9 9 9"));
    EXPECT_EQ(brush.GetBkColorCode(), (GXColorCode{0, 0}));

    SetBrushRecordDescription(brush, _T("0 0 9"));
    EXPECT_EQ(brush.GetColorCode(), (GXColorCode{0, 0}));
    EXPECT_EQ(brush.GetBkColorCode(), (GXColorCode{0, 0}));
}

TEST(FontDescription, WritesOnlyTheIncludedFields)
{
    EXPECT_EQ(CGXFont().GetDescription(), _T(",,,,,,"));
    CGXFont font;
    font.SetFaceName(_T("Arial")).SetSize(10).SetWeight(700);
    EXPECT_EQ(font.GetDescription(), _T("Arial,10,700,,,,"));
    font.SetItalic(TRUE).SetUnderline(FALSE).SetStrikeOut(TRUE).SetOrientation(900);
    EXPECT_EQ(font.GetDescription(), _T("Arial,10,700,1,0,1,900"));
}

TEST(FontDescription, RoundTrips)
{
    CGXFont font;
    font.SetFaceName(_T("Courier New")).SetSize(12).SetBold(TRUE).SetItalic(FALSE).SetOrientation(2700);
    CGXFont read(font.GetDescription());
    EXPECT_EQ(read.GetDescription(), font.GetDescription());
    EXPECT_STREQ(read.GetFaceName(), _T("Courier New"));
    EXPECT_EQ(read.GetSize(), 12);
    EXPECT_EQ(read.GetWeight(), 700);
    EXPECT_TRUE(read.GetIncludeItalic());
    EXPECT_FALSE(read.GetItalic());
    EXPECT_EQ(read.GetOrientation(), 2700);
    EXPECT_FALSE(read.GetIncludeUnderline());
}

TEST(FontDescription, ReadsOnlyThePresentFields)
{
    CGXFont font;
    font.SetFaceName(_T("Arial")).SetWeight(400);
    font.SetDescription(_T(",12,,1,,,"));
    EXPECT_FALSE(font.GetIncludeFaceName());
    EXPECT_FALSE(font.GetIncludeWeight());
    EXPECT_EQ(font.GetSize(), 12);
    EXPECT_TRUE(font.GetItalic());
    EXPECT_FALSE(font.GetIncludeUnderline());
    EXPECT_FALSE(font.GetIncludeOrientation());

    EXPECT_EQ(CGXFont(_T("")).GetDescription(), _T(",,,,,,"));
    EXPECT_EQ(CGXFont(_T("Arial")).GetDescription(), _T("Arial,,,,,,"));
}
} // namespace
