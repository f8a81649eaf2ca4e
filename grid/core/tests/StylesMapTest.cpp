#include <grid/core/AppData.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "ArchiveBytes.h"
#include "ArchiveFeatures.h"

namespace
{
// Resource ids of GridCoreTest.rc.
constexpr UINT idsNoString = 52799;
constexpr WORD idUserAttribute = 52792;

template <class EXCEPTION> bool Throws(const std::function<void()>& call)
{
    try
    {
        call();
    }
    catch (EXCEPTION* e)
    {
        e->Delete();
        return true;
    }
    return false;
}

CGXStyle Based(WORD nBaseStyle)
{
    CGXStyle style;
    style.SetBaseStyle(nBaseStyle);
    return style;
}
} // namespace

TEST(StylesMapTest, StandardStylesGetIdsZeroOneTwo)
{
    CGXStylesMap map;
    map.CreateStandardStyles();
    EXPECT_EQ(map.m_wStyleStandard, 0);
    EXPECT_EQ(map.m_wStyleColHeader, 1);
    EXPECT_EQ(map.m_wStyleRowHeader, 2);
    EXPECT_EQ(map.LookupStyleId(_T("Standard")), 0);
    EXPECT_EQ(map.LookupStyleId(_T("Column Header")), 1);
    EXPECT_EQ(map.LookupResourceId(CGXStylesMap::idsRowHeader), 2);

    UINT nResourceId = 0;
    EXPECT_STREQ(map.GetStyleName(1, nResourceId), L"Column Header");
    EXPECT_EQ(nResourceId, CGXStylesMap::idsColumnHeader);

    CGXStyle* pStandard = nullptr;
    ASSERT_TRUE(map.LookupStyle(0, pStandard));
    EXPECT_DOUBLE_EQ(pStandard->GetFont().GetSize(), 8);
    EXPECT_EQ(pStandard->GetControl(), 52512);

    // The headers include only what they set.
    CGXStyle* pColHeader = nullptr;
    ASSERT_TRUE(map.LookupStyle(1, pColHeader));
    EXPECT_EQ(pColHeader->GetIncludeBits(), CGXStyle::inclFont | CGXStyle::inclInterior |
                                                CGXStyle::inclHorizontalAlignment | CGXStyle::inclVerticalAlignment |
                                                CGXStyle::inclControl);
    EXPECT_EQ(pColHeader->GetFont().GetWeight(), 700);
    EXPECT_FALSE(pColHeader->GetFont().GetIncludeSize());
    EXPECT_EQ(pColHeader->GetInterior().GetColorCode(), (GXColorCode{COLOR_BTNFACE, GX_COLORKIND_SYSTEM}));
    EXPECT_EQ(pColHeader->GetControl(), CGXStylesMap::idHeaderControl);
    CGXStyle* pRowHeader = nullptr;
    ASSERT_TRUE(map.LookupStyle(2, pRowHeader));
    EXPECT_EQ(pRowHeader->GetIncludeBits(), CGXStyle::inclInterior | CGXStyle::inclControl);
}

TEST(StylesMapTest, RegisteringAgainReplacesTheStyleUnderTheSameId)
{
    CGXStylesMap map;
    CGXStyle first;
    first.SetValue(_T("first"));
    CGXStyle second;
    second.SetValue(_T("second"));

    const WORD nId = map.RegisterStyleByResourceId(CGXStylesMap::idsStandard, first, 1);
    EXPECT_EQ(map.RegisterStyleByResourceId(CGXStylesMap::idsStandard, second, 1), nId);
    CGXStyle* pStored = nullptr;
    ASSERT_TRUE(map.LookupStyle(nId, pStored));
    EXPECT_STREQ(pStored->GetValue(), L"second");
    EXPECT_NE(pStored, &second); // a clone

    EXPECT_EQ(map.RegisterStyleByName(_T("Mine"), first, 0), 1);
    EXPECT_EQ(map.RegisterStyleByName(_T("Mine"), second, 0), 1);
    EXPECT_EQ(map.GetStyleCount(), 2);

    // Without a string the name is "UA" and the id.
    const WORD nUnnamed = map.RegisterStyleByResourceId(idsNoString, first, 0);
    UINT nResourceId = 0;
    EXPECT_STREQ(map.GetStyleName(nUnnamed, nResourceId), L"UA52799");
    EXPECT_EQ(map.LookupStyleId(_T("UA52799")), nUnnamed);

    EXPECT_EQ(map.LookupStyleId(_T("Unknown")), 0);
    EXPECT_EQ(map.LookupResourceId(4711), 0);
    EXPECT_EQ(map.GetStyleName(99, nResourceId), nullptr);
    EXPECT_EQ(nResourceId, 0u);
}

TEST(StylesMapTest, RemoveAllKeepsTheIdsOfStringIds)
{
    CGXStylesMap map;
    map.CreateStandardStyles();
    map.RemoveAll();
    CGXStyle* pStyle = nullptr;
    EXPECT_FALSE(map.LookupStyle(0, pStyle));
    EXPECT_EQ(map.GetStartPosition(), nullptr);

    EXPECT_EQ(map.RegisterStyleByName(_T("First"), CGXStyle(), 0), 0);
    EXPECT_EQ(map.RegisterStyleByResourceId(CGXStylesMap::idsColumnHeader, CGXStyle(), 1), 1);
}

TEST(StylesMapTest, IteratesTheStylesByName)
{
    CGXStylesMap map;
    map.CreateStandardStyles();
    map.RegisterStyleByName(_T("Mine"), CGXStyle(), 0);

    std::vector<CString> names;
    std::vector<UINT> resourceIds;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;)
    {
        WORD nId;
        CString strName;
        CGXStyle* pStyle;
        UINT nResourceId;
        map.GetNextStyle(pos, nId, strName, pStyle, nResourceId);
        CGXStyle* pExpected = nullptr;
        EXPECT_TRUE(map.LookupStyle(nId, pExpected));
        EXPECT_EQ(pStyle, pExpected);
        names.push_back(strName);
        resourceIds.push_back(nResourceId);
    }
    EXPECT_EQ(names, (std::vector<CString>{L"Standard", L"Column Header", L"Row Header", L"Mine"}));
    EXPECT_EQ(resourceIds, (std::vector<UINT>{52768, 52770, 52769, 0}));
}

TEST(StylesMapTest, ControlsAndUserAttributesNeedTheirStrings)
{
    CGXStylesMap map;
    map.RegisterControl(CGXStylesMap::idHeaderControl);
    EXPECT_STREQ(map.GetControlName(CGXStylesMap::idHeaderControl), L"Header");
    EXPECT_TRUE(Throws<CResourceException>([&] { map.RegisterControl(static_cast<WORD>(idsNoString)); }));
    EXPECT_EQ(map.GetControlName(static_cast<WORD>(idsNoString)), nullptr);

    CGXStyle edit;
    edit.SetControl(52529);
    map.AddUserAttribute(idUserAttribute, &edit);
    const auto* pInfo = map.GetUserAttributeInfo(idUserAttribute);
    ASSERT_NE(pInfo, nullptr);
    EXPECT_STREQ(pInfo->strName, L"Type of ellipses that will be drawn");
    EXPECT_EQ(pInfo->pStyle->GetControl(), 52529);
    map.AddUserAttribute(idUserAttribute, nullptr); // registered already: kept
    EXPECT_EQ(map.GetUserAttributeInfo(idUserAttribute)->pStyle->GetControl(), 52529);

    EXPECT_TRUE(Throws<CResourceException>([&] { map.AddUserAttribute(static_cast<WORD>(idsNoString)); }));
    EXPECT_EQ(map.GetUserAttributeInfo(static_cast<WORD>(idsNoString)), nullptr);
}

TEST(StylesMapTest, BaseStylesAreInheritedThroughTheMap)
{
    CGXStylesMap map;
    map.CreateStandardStyles();
    CGXStyle mine;
    mine.SetTextColor(RGB(1, 2, 3)).SetBaseStyle(map.m_wStyleColHeader);
    const WORD nMine = map.RegisterStyleByName(_T("Mine"), mine, 0);

    CGXStyle cell;
    cell.SetHorizontalAlignment(DT_RIGHT).SetBaseStyle(nMine);
    CGXStyle* pColHeader = nullptr;
    map.LookupStyle(map.m_wStyleColHeader, pColHeader);
    EXPECT_EQ(cell.LoadBaseStyle(map), pColHeader);

    EXPECT_EQ(cell.GetHorizontalAlignment(), DT_RIGHT); // the cell's own wins
    EXPECT_EQ(cell.GetTextColor(), RGB(1, 2, 3));       // from "Mine"
    EXPECT_EQ(cell.GetVerticalAlignment(), DT_VCENTER); // from "Column Header"
    EXPECT_EQ(cell.GetFont().GetWeight(), 700);
    EXPECT_EQ(cell.GetBaseStyle(), nMine);

    // No base style: the style itself. An unknown id: none.
    CGXStyle plain;
    EXPECT_EQ(plain.LoadBaseStyle(map), &plain);
    CGXStyle lost = Based(200);
    EXPECT_EQ(lost.LoadBaseStyle(map), nullptr);
}

TEST(StylesMapTest, ACyclicBaseStyleChainEnds)
{
    // "A" names "B" as its base and "B" names "A", as a damaged profile could.
    CGXStylesMap map;
    const WORD nA = map.RegisterStyleByName(_T("A"), CGXStyle(), 0);
    const WORD nB = map.RegisterStyleByName(_T("B"), Based(nA), 0);
    CGXStyle a = Based(nB);
    a.SetValue(_T("from A"));
    map.RegisterStyleByName(_T("A"), a, 0);
    CGXStyle* pB = nullptr;
    map.LookupStyle(nB, pB);
    pB->SetTriState(TRUE);

    CGXStyle cell = Based(nA);
    EXPECT_EQ(cell.LoadBaseStyle(map), pB);
    EXPECT_STREQ(cell.GetValue(), L"from A");
    EXPECT_TRUE(cell.GetTriState());

    // A style that names itself.
    CGXStyle* pA = nullptr;
    map.LookupStyle(nA, pA);
    pA->SetBaseStyle(nA);
    CGXStyle other = Based(nA);
    EXPECT_EQ(other.LoadBaseStyle(map), pA);
}

TEST(StylesMapTest, CopyAndPersistenceWaitForTheirFeatures)
{
    CGXStylesMap map;
    map.CreateStandardStyles();
    const WithoutArchiveFeatures without;

    const CGXStylesMap copy(map);
    EXPECT_EQ(copy.GetStyleCount(), 0);
    CGXStylesMap assigned;
    assigned = map;
    EXPECT_EQ(assigned.GetStyleCount(), 0);

    EXPECT_TRUE(Stored([&](CArchive& ar) { map.Serialize(ar); }).empty());
    EXPECT_FALSE(map.WriteProfile());
    EXPECT_FALSE(map.ReadProfile());
    EXPECT_EQ(map.GetStyleCount(), 3);
}

TEST(StylesMapTest, NewStylesAreOfTheStyleClass)
{
    const CGXStylesMap map(nullptr);
    EXPECT_EQ(map.GetStyleClass(), RUNTIME_CLASS(CGXStyle));
    std::unique_ptr<CGXStyle> pStyle(map.CreateStyle());
    EXPECT_EQ(pStyle->GetIncludeBits(), 0u);
    EXPECT_EQ(map.m_strProfileSection, L"Styles");
}
