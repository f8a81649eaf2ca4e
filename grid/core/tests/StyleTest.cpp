#include <grid/core/AppData.h>
#include <grid/core/Style.h>
#include <grid/core/SysData.h>
#include <grid/core/UserAttribute.h>
#include <grid/core/UserAttributeMap.h>

#include <clocale>

#include <gtest/gtest.h>

#include "ArchiveBytes.h"
#include "ArchiveFeatures.h"

namespace
{
GXPenRecord Pen(UINT nStyle, COLORREF color = RGB(0, 0, 0))
{
    GXPenRecord pen;
    pen.SetStyle(nStyle).SetColor(color);
    return pen;
}
} // namespace

TEST(StyleTest, AlignmentsKeepTheDrawTextValues)
{
    const struct
    {
        int nSet, nGet;
    } horizontal[] = {{DT_LEFT, DT_LEFT}, {DT_CENTER, DT_CENTER}, {DT_RIGHT, DT_RIGHT}, {7, DT_LEFT}},
      vertical[] = {{DT_TOP, DT_TOP}, {DT_VCENTER, DT_VCENTER}, {DT_BOTTOM, DT_BOTTOM}, {1, DT_TOP}};
    for (const auto& c : horizontal)
    {
        CGXStyle style;
        EXPECT_EQ(style.SetHorizontalAlignment(c.nSet).GetHorizontalAlignment(), c.nGet) << c.nSet;
        EXPECT_EQ(style.GetIncludeBits(), CGXStyle::inclHorizontalAlignment);
    }
    for (const auto& c : vertical)
    {
        CGXStyle style;
        EXPECT_EQ(style.SetVerticalAlignment(c.nSet).GetVerticalAlignment(), c.nGet) << c.nSet;
        EXPECT_EQ(style.GetIncludeBits(), CGXStyle::inclVerticalAlignment);
    }
}

TEST(StyleTest, ArchiveIncludeBitsExchangeFloodAndFloatCell)
{
    const struct
    {
        void (*pfnSet)(CGXStyle&);
        DWORD dwArchive;
    } cases[] = {
        {[](CGXStyle&) {}, 0},
        {[](CGXStyle& s) { s.SetFloodCell(TRUE); }, 0x400000},
        {[](CGXStyle& s) { s.SetFloatCell(FALSE); }, 0x200000},
        {[](CGXStyle& s) { s.SetFloatCell(TRUE).SetFloodCell(TRUE); }, 0x600000},
        {[](CGXStyle& s) { s.SetPlaces(2).SetFloodCell(TRUE).SetValue(_T("x")); }, 0x2400400},
    };
    for (const auto& c : cases)
    {
        CGXStyle style;
        c.pfnSet(style);
        EXPECT_EQ(style.GetIncludeBits(), c.dwArchive);

        CGXStyle loaded;
        loaded.SetIncludeBits(c.dwArchive);
        EXPECT_EQ(loaded.GetIncludeBits(), c.dwArchive);
    }

    CGXStyle style;
    style.SetIncludeBits(0x200000);
    EXPECT_TRUE(style.GetInclude(CGXStyle::inclFloatCell));
    EXPECT_FALSE(style.GetInclude(CGXStyle::inclFloodCell));
    style.SetIncludeBits(0xFFFFFFFF); // bits 26-31 are no attributes
    EXPECT_EQ(style.GetIncludeBits(), 0x3FFFFFFu);
}

TEST(StyleTest, TextColourOfASystemColourKeepsItsMarker)
{
    const COLORREF window = GXGetSysData()->GetSysColor(COLOR_WINDOW);
    CGXStyle style;
    style.SetTextColor(0xF9ABCDEF);
    EXPECT_EQ(style.GetTextColor(), (window & 0xFFFFFF) | 0xF9000000);
    style.SetTextColor(RGB(1, 2, 3));
    EXPECT_EQ(style.GetTextColor(), RGB(1, 2, 3));
    // The base style id shares the word and stays apart from the colour.
    style.SetBaseStyle(0x1A5);
    EXPECT_EQ(style.GetBaseStyle(), 0xA5);
    EXPECT_EQ(style.GetTextColor(), RGB(1, 2, 3));
}

TEST(StyleTest, BordersStayIncludedWhileASideIsSet)
{
    CGXStyle style;
    EXPECT_FALSE(style.HasBorder(GXBorder::Top));
    style.SetBorders(GXBorder::All, Pen(PS_DOT, RGB(9, 8, 7)));
    for (GXBorder side : {GXBorder::Top, GXBorder::Left, GXBorder::Bottom, GXBorder::Right})
    {
        EXPECT_TRUE(style.HasBorder(side));
        EXPECT_EQ(style.GetBorders(side).GetColor(), RGB(9, 8, 7));
    }

    style.SetIncludeBorders(GXBorder::Bottom, FALSE);
    EXPECT_TRUE(style.GetInclude(CGXStyle::inclBorders));
    EXPECT_FALSE(style.HasBorder(GXBorder::Bottom));
    style.SetIncludeBorders(GXBorder::Top, FALSE).SetIncludeBorders(GXBorder::Left, FALSE);
    EXPECT_TRUE(style.GetInclude(CGXStyle::inclBorders));
    style.SetIncludeBorders(GXBorder::Right, FALSE);
    EXPECT_FALSE(style.GetInclude(CGXStyle::inclBorders));

    // Marking set again turns an unset side solid.
    style.SetIncludeBorders(GXBorder::Left, TRUE);
    EXPECT_EQ(style.GetBorders(GXBorder::Left).GetStyle(), static_cast<UINT>(PS_SOLID));
    EXPECT_TRUE(style.HasBorder(GXBorder::Left));

    const GXPenRecord four[4] = {Pen(PS_SOLID), Pen(PS_DASH), Pen(PS_DOT), Pen(PS_NULL)};
    style.SetBorders(four);
    EXPECT_EQ(style.GetBorders(GXBorder::Left).GetStyle(), static_cast<UINT>(PS_DASH));
    EXPECT_EQ(style.GetBorders(GXBorder::Right).GetStyle(), static_cast<UINT>(PS_NULL));
    style.SetBorders(nullptr);
    EXPECT_FALSE(style.GetInclude(CGXStyle::inclBorders));
    EXPECT_FALSE(style.GetBorders(GXBorder::Left).IsSet());
}

TEST(StyleTest, ValuesAndTheirTypes)
{
    CGXStyle style;
    style.SetValue(2.5);
    EXPECT_STREQ(style.GetValue(), L"2.5");
    EXPECT_EQ(style.GetValueType(), CGXStyle::valueNumber);
    style.SetValue(1.0 / 3.0);
    EXPECT_STREQ(style.GetValue(), L"0.3333333333333");
    style.SetValue(_T("abc"));
    EXPECT_EQ(style.GetValueType(), CGXStyle::valueText);
    style.SetValueLong(4000000000u);
    EXPECT_STREQ(style.GetValue(), L"4000000000");
    EXPECT_EQ(style.GetValueType(), CGXStyle::valueNumber);

    style.SetIncludeValue(FALSE);
    EXPECT_FALSE(style.GetInclude(CGXStyle::inclValue));
    EXPECT_TRUE(style.GetValue().IsEmpty());
}

TEST(StyleTest, NumbersUseAPointWhenTheLocaleHasAComma)
{
    CGXAppData* pAppData = GXGetAppDataPtr();
    const CString strOldLocale = _wsetlocale(LC_NUMERIC, nullptr);
    if (_wsetlocale(LC_NUMERIC, L"German") == nullptr)
        GTEST_SKIP() << "no German locale";
    pAppData->m_bLocaleNumbers = TRUE;
    wcscpy(pAppData->m_szDecimalSeparator, L",");

    CGXStyle style;
    style.SetValue(-1234.5);
    EXPECT_STREQ(style.GetValue(), L"-1234.5");

    pAppData->m_bLocaleNumbers = FALSE;
    wcscpy(pAppData->m_szDecimalSeparator, L".");
    _wsetlocale(LC_NUMERIC, strOldLocale);
}

TEST(StyleTest, DefaultsOfTheStandardStyle)
{
    CGXStyle style;
    style.SetBorders(GXBorder::Top, Pen(PS_SOLID)).SetBaseStyle(3).SetUserAttribute(51022, CString(L"tip"));
    style.SetDefault();

    EXPECT_EQ(style.GetControl(), 52512);
    EXPECT_EQ(style.GetHorizontalAlignment(), DT_LEFT);
    EXPECT_EQ(style.GetVerticalAlignment(), DT_TOP);
    EXPECT_EQ(style.GetInterior().GetStyle(), GX_BRUSH_SOLID);
    EXPECT_EQ(style.GetInterior().GetColorCode(), (GXColorCode{COLOR_WINDOW, GX_COLORKIND_SYSTEM}));
    EXPECT_EQ(style.GetTextColor() >> 24, 254u - COLOR_WINDOWTEXT);
    EXPECT_TRUE(style.GetWrapText());
    EXPECT_FALSE(style.GetAllowEnter());
    EXPECT_TRUE(style.GetEnabled());
    EXPECT_TRUE(style.GetFloodCell());
    EXPECT_TRUE(style.GetFloatCell());
    EXPECT_EQ(style.GetPlaces(), 13);
    EXPECT_DOUBLE_EQ(style.GetFont().GetSize(), 8.25);
    EXPECT_STREQ(style.GetFont().GetFaceName(), L"Arial");
    EXPECT_TRUE(style.GetInclude(CGXStyle::inclValue));
    EXPECT_TRUE(style.GetValue().IsEmpty());

    EXPECT_FALSE(style.GetInclude(CGXStyle::inclBorders));
    EXPECT_FALSE(style.GetInclude(CGXStyle::inclBaseStyle));
    EXPECT_FALSE(style.GetInclude(CGXStyle::inclUserAttributes));
    EXPECT_EQ(style.GetIncludeBits(),
              0x3FFFFFFu & ~(CGXStyle::inclBorders | CGXStyle::inclBaseStyle | CGXStyle::inclUserAttributes));
}

namespace
{
// A cell style that has a little of everything.
CGXStyle Mine()
{
    CGXStyle style;
    style.SetHorizontalAlignment(DT_RIGHT)
        .SetFont(CGXFont().SetSize(10))
        .SetBorders(GXBorder::Top, Pen(PS_DASH))
        .SetUserAttribute(1, CString(L"mine"));
    return style;
}

CGXStyle Other()
{
    CGXStyle style;
    style.SetHorizontalAlignment(DT_CENTER)
        .SetVerticalAlignment(DT_BOTTOM)
        .SetValue(_T("other"))
        .SetFont(CGXFont().SetSize(12).SetBold(TRUE))
        .SetBorders(GXBorder::Top, Pen(PS_SOLID))
        .SetBorders(GXBorder::Left, Pen(PS_DOT))
        .SetUserAttribute(1, CString(L"other"))
        .SetUserAttribute(2, CString(L"two"));
    return style;
}
} // namespace

TEST(StyleTest, ApplyNewTakesOnlyWhatIsMissing)
{
    CGXStyle style = Mine();
    style.ChangeStyle(Other(), CGXStyle::modeApplyNew);
    EXPECT_EQ(style.GetHorizontalAlignment(), DT_RIGHT);
    EXPECT_EQ(style.GetVerticalAlignment(), DT_BOTTOM);
    EXPECT_STREQ(style.GetValue(), L"other");
    EXPECT_DOUBLE_EQ(style.GetFont().GetSize(), 10);
    EXPECT_EQ(style.GetFont().GetWeight(), 700);
    EXPECT_EQ(style.GetBorders(GXBorder::Top).GetStyle(), static_cast<UINT>(PS_DASH));
    EXPECT_EQ(style.GetBorders(GXBorder::Left).GetStyle(), static_cast<UINT>(PS_DOT));
    EXPECT_EQ(style.GetUserAttribute(1).GetValue(), L"mine");
    EXPECT_EQ(style.GetUserAttribute(2).GetValue(), L"two");
}

TEST(StyleTest, OverrideTakesEverythingTheOtherIncludes)
{
    CGXStyle style = Mine();
    style.SetReadOnly(TRUE);
    style.ChangeStyle(Other(), CGXStyle::modeOverride);
    EXPECT_EQ(style.GetHorizontalAlignment(), DT_CENTER);
    EXPECT_TRUE(style.GetReadOnly());
    EXPECT_DOUBLE_EQ(style.GetFont().GetSize(), 12);
    EXPECT_EQ(style.GetBorders(GXBorder::Top).GetStyle(), static_cast<UINT>(PS_SOLID));
    EXPECT_EQ(style.GetUserAttribute(1).GetValue(), L"other");

    // An empty style becomes a copy; an empty other changes nothing.
    CGXStyle empty;
    empty.ChangeStyle(Other(), CGXStyle::modeApplyNew);
    EXPECT_EQ(empty.GetIncludeBits(), Other().GetIncludeBits());
    style.ChangeStyle(CGXStyle(), CGXStyle::modeOverride);
    EXPECT_EQ(style.GetHorizontalAlignment(), DT_CENTER);
}

TEST(StyleTest, CopyReplacesEverything)
{
    CGXStyle style = Mine();
    style.ChangeStyle(Other(), CGXStyle::modeCopy);
    EXPECT_EQ(style.GetIncludeBits(), Other().GetIncludeBits());
    EXPECT_EQ(style.GetBorders(GXBorder::Top).GetStyle(), static_cast<UINT>(PS_SOLID));
    EXPECT_EQ(style.GetUserAttribute(2).GetValue(), L"two");

    style.ChangeStyle(CGXStyle(), CGXStyle::modeCopy);
    EXPECT_EQ(style.GetIncludeBits(), 0u);
    EXPECT_EQ(style.GetUserAttributeMap(), nullptr);
    EXPECT_FALSE(style.GetBorders(GXBorder::Top).IsSet());
}

TEST(StyleTest, ExcludeRemovesWhatTheOtherIncludes)
{
    CGXStyle style = Other();
    style.SetReadOnly(TRUE);

    CGXStyle remove;
    remove.SetValue(_T("")).SetHorizontalAlignment(DT_LEFT);
    remove.SetFont(CGXFont().SetBold(FALSE)).SetBorders(GXBorder::Top, Pen(PS_DASH));
    remove.SetUserAttribute(2, CString());
    style.ChangeStyle(remove, CGXStyle::modeExclude);

    EXPECT_FALSE(style.GetInclude(CGXStyle::inclValue));
    EXPECT_TRUE(style.GetValue().IsEmpty());
    EXPECT_FALSE(style.GetInclude(CGXStyle::inclHorizontalAlignment));
    EXPECT_TRUE(style.GetInclude(CGXStyle::inclVerticalAlignment));
    EXPECT_TRUE(style.GetReadOnly());
    EXPECT_FALSE(style.GetFont().GetIncludeWeight());
    EXPECT_TRUE(style.GetFont().GetIncludeSize());
    EXPECT_FALSE(style.HasBorder(GXBorder::Top));
    EXPECT_TRUE(style.HasBorder(GXBorder::Left));
    EXPECT_TRUE(style.HasUserAttribute(1));
    EXPECT_FALSE(style.HasUserAttribute(2));
}

TEST(StyleTest, CopiesAreDeepAndSelfAssignmentChangesNothing)
{
    const CGXStyle original = Other();
    CGXStyle copy(original);
    copy.SetFont(CGXFont().SetSize(20)).SetBorders(GXBorder::Left, Pen(PS_SOLID)).SetUserAttribute(2, CString(L"x"));
    EXPECT_DOUBLE_EQ(original.GetFont().GetSize(), 12);
    EXPECT_EQ(original.GetBorders(GXBorder::Left).GetStyle(), static_cast<UINT>(PS_DOT));
    EXPECT_EQ(original.GetUserAttribute(2).GetValue(), L"two");

    CGXStyle& self = copy;
    copy = self;
    EXPECT_DOUBLE_EQ(copy.GetFont().GetSize(), 20);
    EXPECT_STREQ(copy.GetValue(), L"other");

    // Attributes that the source does not include are not left behind to come back later.
    CGXStyle target = Other();
    CGXStyle source;
    source.SetReadOnly(TRUE);
    target = source;
    target.ChangeStyle(Mine(), CGXStyle::modeOverride);
    EXPECT_FALSE(target.HasUserAttribute(2));
    EXPECT_FALSE(target.HasBorder(GXBorder::Left));
    EXPECT_TRUE(target.GetValue().IsEmpty());

    // A clone is a copy of the same class.
    std::unique_ptr<CGXStyle> pClone(original.Clone());
    EXPECT_EQ(pClone->GetRuntimeClass(), RUNTIME_CLASS(CGXStyle));
    EXPECT_EQ(pClone->GetIncludeBits(), original.GetIncludeBits());
}

TEST(StyleTest, UserAttributes)
{
    CGXStyle style;
    EXPECT_FALSE(style.HasUserAttribute(51022));
    // Absent attributes read as one shared empty attribute.
    EXPECT_EQ(&style.GetUserAttribute(51022), &style.GetUserAttribute(1));
    EXPECT_TRUE(style.GetUserAttribute(51022).GetValue().IsEmpty());

    style.SetUserAttribute(51022, CString(L"Tip"));
    EXPECT_TRUE(style.GetInclude(CGXStyle::inclUserAttributes));
    EXPECT_EQ(style.GetUserAttribute(51022).GetValue(), L"Tip");
    style.SetUserAttribute(51022, CGXUserAttribute(L"Other tip"));
    EXPECT_EQ(style.GetUserAttribute(51022).GetValue(), L"Other tip");

    CGXUserAttributeMap map;
    map.SetAttribute(7, new CGXUserAttribute(L"seven"));
    style.SetUserAttributes(&map);
    EXPECT_FALSE(style.HasUserAttribute(51022));
    EXPECT_EQ(style.GetUserAttribute(7).GetValue(), L"seven");

    style.SetUserAttributes(nullptr);
    EXPECT_FALSE(style.GetInclude(CGXStyle::inclUserAttributes));
    EXPECT_EQ(style.GetUserAttributeMap(), nullptr);
}

namespace
{
// Records what reaches the style-serialize feature.
class CRecordingSerializeImp : public CGXAbstractStyleSerializeImp
{
public:
    void SerializeFont(CGXFont&, CArchive& ar) override
    {
        ar << static_cast<BYTE>('F');
    }
    void SerializeBrush(GXBrushRecord&, CArchive&) override
    {
    }
    void SerializePen(GXPenRecord&, CArchive&) override
    {
    }
    void SerializeStyle(CGXStyle&, CArchive& ar, const CGXStylesMap* pStylesMap) override
    {
        ar << static_cast<BYTE>(pStylesMap == nullptr ? 'S' : 'M');
    }
};
} // namespace

TEST(StyleTest, PersistenceDoesNothingUntilItsFeatureIsInstalled)
{
    CGXStyle style = Other();
    CGXFont font;
    CGXAppData* pAppData = GXGetAppDataPtr();
    const WithoutArchiveFeatures without;

    EXPECT_TRUE(Stored([&](CArchive& ar) { style.Serialize(ar); }).empty());
    EXPECT_TRUE(Stored([&](CArchive& ar) { font.Serialize(ar); }).empty());
    EXPECT_FALSE(style.IsSubSet(CGXStyle()));
    EXPECT_FALSE(style.WriteProfile(_T("Section"), nullptr));
    EXPECT_FALSE(style.ReadProfile(_T("Section"), nullptr));
    EXPECT_STREQ(style.GetValue(), L"other");

    pAppData->m_pStyleSerializeImp = new CRecordingSerializeImp;
    EXPECT_EQ(Stored([&](CArchive& ar) { style.Serialize(ar); }), (Bytes{'S'}));
    EXPECT_EQ(Stored([&](CArchive& ar) { font.Serialize(ar); }), (Bytes{'F'}));
    delete pAppData->m_pStyleSerializeImp;
    pAppData->m_pStyleSerializeImp = nullptr;
}
