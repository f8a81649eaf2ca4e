#include <grid/core/AppData.h>
#include <grid/core/CollMapDWordToString.h>
#include <grid/core/Font.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <grid/core/SysData.h>
#include <grid/core/UserAttributeMap.h>
#include <grid/services/archive/StyleSerializeImp.h>

#include <gtest/gtest.h>

#include "ArchiveBytes.h"
#include "ArchiveInstall.h"

namespace
{
class StyleArchiveTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallArchiveFeatures();
    }

    static Bytes StoredStyle(const CGXStyle& style, const CGXStylesMap* pStylesMap = nullptr)
    {
        return Stored([&](CArchive& ar) { const_cast<CGXStyle&>(style).Serialize(ar, pStylesMap); });
    }

    static CGXStyle LoadedStyle(const Bytes& bytes, const CGXStylesMap* pStylesMap = nullptr)
    {
        CGXStyle style;
        EXPECT_TRUE(LoadsExactly(bytes, [&](CArchive& ar) { style.Serialize(ar, pStylesMap); }));
        return style;
    }

    static CGXStyleSerializeImp& Imp()
    {
        return *static_cast<CGXStyleSerializeImp*>(GXGetAppDataPtr()->m_pStyleSerializeImp);
    }

    static COLORREF Current(int nSysColor)
    {
        return GXGetSysData()->GetSysColor(nSysColor) & 0xFFFFFF;
    }
};

// A style record with nothing but the include word, empty borders and no user attributes.
Bytes Record(WORD wSchema, DWORD dwInclude, const Bytes& attributes = {}, const Bytes& after = {})
{
    return Join({Word(wSchema), DWord(dwInclude), attributes, Word(0), Word(0), after});
}

TEST_F(StyleArchiveTest, GoldenRecordsAreWrittenAndReadBack)
{
    const struct
    {
        const char* name;
        CGXStyle style;
        Bytes bytes;
    } cases[] = {
        {"empty", CGXStyle(), {0x06, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"text value",
         CGXStyle().SetValue(_T("1")),
         {0x06, 0, 0, 0x04, 0, 0, 0xFF, 0xFE, 0xFF, 0x01, 0x31, 0, 0, 0, 0, 0, 0}},
        {"float cell", CGXStyle().SetFloatCell(TRUE), {0x06, 0, 0, 0, 0x20, 0, 0, 0, 0, 0, 0x01}},
        {"bold font",
         CGXStyle().SetFont(CGXFont().SetWeight(700)),
         {0x06, 0,    0,    0x02, 0,    0,    0xFF, 0xFF, 0, 0,    0x07, 0, 0x43, 0x47, 0x58, 0x46,
          0x6F, 0x6E, 0x74, 0x02, 0x00, 0x40, 0,    0,    0, 0xBC, 0x02, 0, 0,    0,    0}},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(StoredStyle(c.style), c.bytes) << c.name;
        EXPECT_EQ(StoredStyle(LoadedStyle(c.bytes)), c.bytes) << c.name;
    }
    EXPECT_EQ(LoadedStyle(cases[3].bytes).GetFont().GetWeight(), 700);
}

TEST_F(StyleArchiveTest, OlderSchemasAndWideItemData)
{
    const CGXStyle wide = LoadedStyle({0x06, 0x80, 0, 0, 0x10, 0, 0, 0, 0, 0, 0x78, 0x56, 0x34, 0x12, 0, 0, 0, 0});
    EXPECT_EQ(wide.GetItemData(), 0x12345678u);

    // Schema 3: no value type after the value.
    const CGXStyle old = LoadedStyle({0x03, 0, 0, 0x04, 0, 0, 0xFF, 0xFE, 0xFF, 0x01, 0x31, 0, 0, 0, 0, 0});
    EXPECT_STREQ(old.GetValue(), L"1");
    EXPECT_EQ(old.GetValueType(), CGXStyle::valueText);

    // Schema 4 keeps the places with the format.
    const CGXStyle formatted = LoadedStyle({0x04, 0, 0, 0, 0, 0x01, 0, 0, 0, 0, 0x02, 0x03});
    EXPECT_EQ(formatted.GetFormat(), 2);
    EXPECT_EQ(formatted.GetPlaces(), 3);
    EXPECT_TRUE(formatted.GetInclude(CGXStyle::inclPlaces));

    ULONGLONG nRead = 0;
    CGXStyle style;
    EXPECT_EQ(LoadCause(
                  Record(7, 0), [&](CArchive& ar) { style.Serialize(ar); }, &nRead),
              CArchiveException::badSchema);
    EXPECT_EQ(nRead, 2u);
}

TEST_F(StyleArchiveTest, FontRecords)
{
    CGXFont font;
    ASSERT_TRUE(LoadsExactly({0x00, 0x00, 0x40, 0, 0, 0, 0xBC, 0x02}, [&](CArchive& ar) { font.Serialize(ar); }));
    EXPECT_EQ(font.GetWeight(), 700);
    EXPECT_FALSE(font.GetIncludeSize());
    EXPECT_EQ(LoadCause({0x03, 0x00, 0x40, 0, 0, 0, 0xBC, 0x02}, [&](CArchive& ar) { font.Serialize(ar); }),
              CArchiveException::badSchema);

    // Version 1: a LOGFONT-like record and a mask of what is set (weight and face).
    const CString strFace(L'F', 40);
    const Bytes old = Join(
        {Word(1), DWord(static_cast<DWORD>(-12)), DWord(700), {0, 0, 0}, ArchiveString(strFace), DWord(0x01 | 0x20)});
    ASSERT_TRUE(LoadsExactly(old, [&](CArchive& ar) { font.Serialize(ar); }));
    EXPECT_EQ(font.GetWeight(), 700);
    EXPECT_STREQ(font.GetFaceName(), strFace.Left(31));
    EXPECT_FALSE(font.GetIncludeItalic());
    EXPECT_FALSE(font.GetIncludeSize());

    // Sizes in quarter points survive the record's tenths of a point.
    for (double dSize : {8.25, 8.5, 8.75, 9.0, 0.25, 255.75})
    {
        CGXFont sized;
        sized.SetSize(dSize).SetFaceName(_T("Arial")).SetItalic(FALSE).SetOrientation(900);
        const Bytes bytes = Stored([&](CArchive& ar) { sized.Serialize(ar); });
        CGXFont loaded;
        ASSERT_TRUE(LoadsExactly(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }));
        EXPECT_EQ(loaded.GetKey(), sized.GetKey()) << dSize;
    }
}

TEST_F(StyleArchiveTest, BrushAndPenRecordsKeepSystemColours)
{
    GXBrushRecord brush;
    brush.Set(GX_BRUSH_HATCHED, GXSysColorRef(COLOR_HIGHLIGHT), 3).SetBkColor(GXSysColorRef(COLOR_WINDOW));
    const Bytes brushBytes = Join({DWord(2), DWord(Current(COLOR_WINDOW) | 0xF9000000u), DWord(3),
                                   DWord(GX_PATTERN_NONE), DWord(Current(COLOR_HIGHLIGHT) | 0xF1000000u)});
    EXPECT_EQ(Stored([&](CArchive& ar) { ar << brush; }), brushBytes);
    GXBrushRecord loaded;
    ASSERT_TRUE(LoadsExactly(brushBytes, [&](CArchive& ar) { ar >> loaded; }));
    EXPECT_EQ(loaded, brush);

    // A pattern past the known ones has no bitmap: the brush becomes hollow.
    ASSERT_TRUE(
        LoadsExactly(Join({DWord(3), DWord(0), DWord(0), DWord(41), DWord(0)}), [&](CArchive& ar) { ar >> loaded; }));
    EXPECT_EQ(loaded.GetStyle(), GX_BRUSH_HOLLOW);

    GXPenRecord pen;
    pen.SetStyle(PS_DASH).SetWidth(3).SetColor(GXSysColorRef(COLOR_BTNSHADOW));
    const Bytes penBytes = Join({DWord(PS_DASH), Word(3), Word(1), DWord(Current(COLOR_BTNSHADOW) | 0xEE000000u)});
    EXPECT_EQ(Stored([&](CArchive& ar) { Imp().SerializePen(pen, ar); }), penBytes);
    GXPenRecord loadedPen;
    ASSERT_TRUE(LoadsExactly(penBytes, [&](CArchive& ar) { Imp().SerializePen(loadedPen, ar); }));
    EXPECT_EQ(loadedPen, pen);

    GXPenRecord unset;
    unset.SetWidth(2);
    const Bytes unsetBytes = Stored([&](CArchive& ar) { Imp().SerializePen(unset, ar); });
    EXPECT_EQ(unsetBytes, Join({DWord(GX_PEN_UNSET), Word(2), Word(0), DWord(0)}));
    ASSERT_TRUE(LoadsExactly(unsetBytes, [&](CArchive& ar) { Imp().SerializePen(loadedPen, ar); }));
    EXPECT_FALSE(loadedPen.IsSet());
}

TEST_F(StyleArchiveTest, TextColourLosesItsSystemColourBordersAndInteriorKeepIt)
{
    GXPenRecord pen;
    pen.SetStyle(PS_SOLID).SetColor(GXSysColorRef(COLOR_WINDOWTEXT));
    CGXStyle style;
    style.SetTextColor(GXSysColorRef(COLOR_WINDOWTEXT))
        .SetInteriorColor(GXSysColorRef(COLOR_BTNFACE))
        .SetBorders(GXBorder::Bottom, pen);
    const CGXStyle loaded = LoadedStyle(StoredStyle(style));
    EXPECT_EQ(loaded.GetTextColor(), Current(COLOR_WINDOWTEXT));
    EXPECT_EQ(loaded.GetInterior(), style.GetInterior());
    EXPECT_EQ(loaded.GetBorders(GXBorder::Bottom), pen);
    EXPECT_FALSE(loaded.HasBorder(GXBorder::Top));

    // A pen text of four numbers leaves the side unset.
    const Bytes fourNumbers =
        Join({Word(6), DWord(0x100), Word(1), Word(1), ArchiveString(L"0 1 2 3"), Word(0), Word(0), Word(0), Word(0)});
    EXPECT_FALSE(LoadedStyle(fourNumbers).HasBorder(GXBorder::Top));
}

TEST_F(StyleArchiveTest, OldUserAttributesNeedTheCompatibilityFeature)
{
    const Bytes oldMap = Join({NewClassTag(0, "CGXCollMapDWordToString"), Word(1), DWord(51011), ArchiveString(L"5")});
    const Bytes record = Join({Word(4), DWord(0x400), ArchiveString(L"x"), Word(0), oldMap, {0x00}});
    const CGXStyle style = LoadedStyle(record);
    EXPECT_STREQ(style.GetUserAttribute(51011).GetValue(), L"5");
    EXPECT_STREQ(style.GetValue(), L"x");

    CGXAppData* pAppData = GXGetAppDataPtr();
    CGXAbstractSerializeTW5CompatibleImp* pCompatible = std::exchange(pAppData->m_pSerializeTW5CompatibleImp, nullptr);
    CGXStyle partial;
    EXPECT_EQ(LoadCause(record, [&](CArchive& ar) { partial.Serialize(ar); }), CArchiveException::badSchema);
    pAppData->m_pSerializeTW5CompatibleImp = pCompatible;
    EXPECT_STREQ(partial.GetValue(), L"x");
}

TEST_F(StyleArchiveTest, BaseStylesByStringIdOrByName)
{
    CGXStylesMap map;
    map.CreateStandardStyles();
    const WORD nTotals = map.RegisterStyleByName(_T("Totals"), CGXStyle(), 0);

    CGXStyle style;
    style.SetBaseStyle(map.m_wStyleRowHeader);
    const Bytes byId = Join({Word(6), DWord(0x4000), Word(0), DWord(CGXStylesMap::idsRowHeader), Word(0)});
    EXPECT_EQ(StoredStyle(style, &map), byId);
    style.SetBaseStyle(nTotals);
    const Bytes byName = Join({Word(6), DWord(0x4000), Word(0), DWord(0), ArchiveString(L"Totals"), Word(0)});
    EXPECT_EQ(StoredStyle(style, &map), byName);

    // Styles without a map of their own find it through the archive.
    EXPECT_EQ(Stored([&](CArchive& ar) {
                  const CGXArchiveStylesMapScope scope(ar, &map);
                  style.Serialize(ar);
              }),
              byName);

    CGXStylesMap reading;
    reading.RegisterStyleByName(_T("First"), CGXStyle(), 0);
    reading.CreateStandardStyles();
    const WORD nReadingTotals = reading.RegisterStyleByName(_T("Totals"), CGXStyle(), 0);
    ASSERT_NE(nReadingTotals, nTotals);
    EXPECT_EQ(LoadedStyle(byName, &reading).GetBaseStyle(), nReadingTotals);
    EXPECT_EQ(LoadedStyle(byId, &reading).GetBaseStyle(), reading.m_wStyleRowHeader);
    EXPECT_TRUE(LoadedStyle(byName).GetInclude(CGXStyle::inclBaseStyle));
}

TEST_F(StyleArchiveTest, EveryAttributeSurvivesTheRoundTrip)
{
    GXPenRecord pen;
    pen.SetStyle(PS_DOT).SetWidth(2).SetColor(RGB(1, 2, 3));
    CGXStyle style;
    style.SetHorizontalAlignment(DT_RIGHT)
        .SetVerticalAlignment(DT_BOTTOM)
        .SetReadOnly(TRUE)
        .SetControl(52520)
        .SetInteriorColor(RGB(9, 8, 7))
        .SetTextColor(RGB(4, 5, 6))
        .SetWrapText(FALSE)
        .SetAllowEnter(TRUE)
        .SetBorders(GXBorder::Left, pen)
        .SetFont(CGXFont().SetFaceName(_T("Arial")).SetSize(10.5).SetItalic(TRUE))
        .SetValue(2.5)
        .SetChoiceList(_T("a\nb"))
        .SetVerticalScrollbar(TRUE)
        .SetMaxLength(12)
        .SetEnabled(FALSE)
        .SetTriState(TRUE)
        .SetDraw3dFrame(2)
        .SetAutoSize(TRUE)
        .SetItemData(77)
        .SetFloatCell(FALSE)
        .SetFloodCell(TRUE)
        .SetMergeCell(3)
        .SetFormat(11)
        .SetPlaces(4)
        .SetUserAttribute(51011, _T("u"));
    const Bytes bytes = StoredStyle(style);
    const CGXStyle loaded = LoadedStyle(bytes);
    EXPECT_EQ(StoredStyle(loaded), bytes);
    EXPECT_EQ(loaded.GetIncludeBits(), style.GetIncludeBits());
    EXPECT_EQ(loaded.GetValueType(), CGXStyle::valueNumber);
    EXPECT_TRUE(loaded.IsSubSet(style) && style.IsSubSet(loaded));
}
} // namespace
