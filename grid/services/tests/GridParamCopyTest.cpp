#include <grid/core/AppData.h>
#include <grid/core/Data.h>
#include <grid/core/GridParam.h>
#include <grid/core/Properties.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <grid/core/SysData.h>
#include <grid/core/UserAttributeMap.h>
#include <grid/services/spans/GridMergeCellsImp.h>

#include <gtest/gtest.h>

#include "ArchiveBytes.h"
#include "ArchiveInstall.h"

// A style that counts its instances, so that copies of styles maps can be counted.
class CCountedStyle : public CGXStyle
{
    DECLARE_DYNCREATE(CCountedStyle)
public:
    CCountedStyle()
    {
        ++s_nLive;
    }
    CCountedStyle(const CCountedStyle& source) : CGXStyle(source)
    {
        ++s_nLive;
    }
    ~CCountedStyle() override
    {
        --s_nLive;
    }
    CGXStyle* Clone() const override
    {
        return new CCountedStyle(*this);
    }
    static int s_nLive;
};
int CCountedStyle::s_nLive = 0;
IMPLEMENT_DYNCREATE(CCountedStyle, CGXStyle)

namespace
{
class GridParamCopyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallArchiveFeatures();
    }
};

Bytes StoredObject(CObject& object)
{
    return Stored([&](CArchive& ar) { object.Serialize(ar); });
}

void Own(CGXGridParam& param)
{
    param.m_pStylesMap = new CGXStylesMap;
    param.m_pStylesMap->CreateStandardStyles();
    param.m_bOwnStylesMap = TRUE;
    param.m_pData = new CGXData;
    param.m_pData->StoreStyleImpl(2, 3, &CGXStyle().SetValue(_T("cell")), CGXStyle::modeCopy, 0);
    param.m_bOwnData = TRUE;
    param.m_pProperties = new CGXProperties;
    param.m_pProperties->AddDefaultUserProperties();
    param.m_bOwnProperties = TRUE;
}

TEST_F(GridParamCopyTest, CopyingIntoItselfChangesNothing)
{
    CGXGridParam param;
    Own(param);
    param.m_nFrozenRows = 2;
    const Bytes before = StoredObject(param);
    CGXStylesMap* pStylesMap = param.m_pStylesMap;
    param = param;
    EXPECT_EQ(param.m_pStylesMap, pStylesMap);
    EXPECT_EQ(StoredObject(param), before);
    *param.m_pStylesMap = *param.m_pStylesMap;
    GXGetAppDataPtr()->m_pParamCopyOperatorImp->CopyProperties(*param.m_pProperties, *param.m_pProperties);
    EXPECT_EQ(StoredObject(param), before);
}

TEST_F(GridParamCopyTest, ObjectsTheSourceDoesNotOwnAreCopiedAndDeletedWithTheDestination)
{
    CCountedStyle::s_nLive = 0;
    {
        CGXStylesMap shared(RUNTIME_CLASS(CCountedStyle));
        shared.CreateStandardStyles();
        shared.RegisterStyleByName(_T("Totals"), CCountedStyle(), 0);
        const int nShared = CCountedStyle::s_nLive;
        ASSERT_EQ(nShared, 4);

        CGXGridParam source;
        source.m_pStylesMap = &shared;
        {
            CGXGridParam dest;
            dest = source;
            ASSERT_NE(dest.m_pStylesMap, nullptr);
            EXPECT_NE(dest.m_pStylesMap, &shared);
            EXPECT_FALSE(dest.m_bOwnStylesMap);
            EXPECT_EQ(CCountedStyle::s_nLive, 2 * nShared);
            EXPECT_EQ(dest.m_pStylesMap->LookupStyleId(_T("Totals")), shared.LookupStyleId(_T("Totals")));
            EXPECT_EQ(StoredObject(*dest.m_pStylesMap), StoredObject(shared));

            // A second copy replaces the first one's objects.
            dest = source;
            EXPECT_EQ(CCountedStyle::s_nLive, 2 * nShared);
            // Both write the same record: the own-flag says "not owned" on both sides.
            EXPECT_EQ(StoredObject(dest), StoredObject(source));
        }
        EXPECT_EQ(CCountedStyle::s_nLive, nShared);
    }
    EXPECT_EQ(CCountedStyle::s_nLive, 0);
}

TEST_F(GridParamCopyTest, TheCopyStoresWhatTheSourceStoresExceptTheFieldsLeftOut)
{
    CGXGridParam source;
    Own(source);
    source.m_strName = _T("Copied");
    source.m_nFrozenRows = 70000; // more than its record word holds: copied whole
    source.m_SelRects.AddTail(new CGXRange(1, 1, 2, 2));
    source.m_RowHeights.SetAt(4, 3000);
    source.m_hiddenCols.Add(0x02);
    source.m_wSpecialMode = 5;
    source.m_nMaxUndo = 10;
    source.m_abSettings3[0] = 1;   // left out
    source.m_adwSettings3[2] = 7;  // copied
    source.m_wValueDisplay = 2;    // left out
    source.m_bSetting11 = 1;       // left out
    source.m_adwSettings11[1] = 9; // left out
    source.GetUndoList()->AddTail(new CGXStyle);
    source.GetRedoList()->AddTail(new CGXStyle);

    CGXGridParam dest;
    auto* pUndo = new CGXStyle;
    dest.GetUndoList()->AddTail(pUndo);
    dest = source;
    EXPECT_EQ(dest.m_nFrozenRows, 70000u);
    ASSERT_EQ(dest.GetUndoList()->GetCount(), 1);
    EXPECT_EQ(dest.GetUndoList()->GetHead(), static_cast<CObject*>(pUndo));
    EXPECT_TRUE(dest.GetRedoList()->IsEmpty());
    EXPECT_EQ(dest.m_abSettings3[0], 0);
    EXPECT_EQ(dest.m_wValueDisplay, 0);
    EXPECT_EQ(dest.m_bSetting11, 0);
    EXPECT_EQ(dest.m_adwSettings11[1], 0u);

    dest.m_abSettings3[0] = 1;
    dest.m_wValueDisplay = 2;
    dest.m_bSetting11 = 1;
    dest.m_adwSettings11[1] = 9;
    EXPECT_EQ(ByteDifference(StoredObject(dest), StoredObject(source)), "");
    EXPECT_NE(dest.m_pData, source.m_pData);
    EXPECT_NE(dest.m_pProperties, source.m_pProperties);
}

TEST_F(GridParamCopyTest, AColourTableWithNamesButNoValuesIsRefused)
{
    CGXProperties source;
    source.GetColorArray().RemoveAll();
    CGXProperties dest;
    dest.m_nZoom = 150;
    source.m_nZoom = 50;
    const auto copyInto = [&](CGXProperties& target) {
        try
        {
            GXGetAppDataPtr()->m_pParamCopyOperatorImp->CopyProperties(target, source);
        }
        catch (CInvalidArgException* e)
        {
            e->Delete();
            return true;
        }
        return false;
    };
    EXPECT_TRUE(copyInto(dest));
    EXPECT_EQ(dest.m_nZoom, 150);
    EXPECT_EQ(dest.GetColorArray().GetSize(), dest.GetColorNameArray().GetSize());
}

TEST_F(GridParamCopyTest, SubsetTest)
{
    GXPenRecord red;
    red.SetStyle(PS_SOLID).SetColor(RGB(255, 0, 0));
    GXPenRecord wide = red;
    wide.SetWidth(2);
    const COLORREF windowText = GXGetSysData()->GetSysColor(COLOR_WINDOWTEXT) & 0xFFFFFF;
    const struct
    {
        const char* name;
        CGXStyle style;
        CGXStyle other;
        BOOL bSubset;
    } cases[] = {
        {"anything against empty", CGXStyle().SetValue(_T("a")).SetReadOnly(TRUE), CGXStyle(), TRUE},
        {"empty against a value", CGXStyle(), CGXStyle().SetValue(_T("a")), FALSE},
        {"values by case", CGXStyle().SetValue(_T("a")), CGXStyle().SetValue(_T("A")), FALSE},
        {"system text colour", CGXStyle().SetTextColor(GXSysColorRef(COLOR_WINDOWTEXT)),
         CGXStyle().SetTextColor(windowText), TRUE},
        {"identical pens", CGXStyle().SetBorders(GXBorder::Top, red).SetBorders(GXBorder::Left, red),
         CGXStyle().SetBorders(GXBorder::Top, red), TRUE},
        {"pens of other widths", CGXStyle().SetBorders(GXBorder::Top, red), CGXStyle().SetBorders(GXBorder::Top, wide),
         FALSE},
        {"a side not set", CGXStyle().SetBorders(GXBorder::Top, red), CGXStyle().SetBorders(GXBorder::Left, red),
         FALSE},
        {"font subset", CGXStyle().SetFont(CGXFont().SetBold(TRUE).SetItalic(TRUE)),
         CGXStyle().SetFont(CGXFont().SetBold(TRUE)), TRUE},
        {"font superset", CGXStyle().SetFont(CGXFont().SetBold(TRUE)),
         CGXStyle().SetFont(CGXFont().SetBold(TRUE).SetItalic(TRUE)), FALSE},
        {"user attributes by id", CGXStyle().SetUserAttribute(3, _T("x")).SetUserAttribute(7, _T("y")),
         CGXStyle().SetUserAttribute(7, _T("y")), TRUE},
        {"user attribute differs", CGXStyle().SetUserAttribute(7, _T("z")), CGXStyle().SetUserAttribute(7, _T("y")),
         FALSE},
        {"user attribute missing", CGXStyle().SetValue(_T("a")), CGXStyle().SetUserAttribute(7, _T("y")), FALSE},
        {"interiors", CGXStyle().SetInteriorColor(RGB(1, 1, 1)), CGXStyle().SetInteriorColor(RGB(1, 1, 2)), FALSE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.style.IsSubSet(c.other), c.bSubset) << c.name;
}

TEST_F(GridParamCopyTest, MergeCellsCompareTheirStylesBothWays)
{
    CGXGridMergeCellsImp merge;
    CGXStyle a;
    a.SetMergeCell(3).SetValue(_T("same")).SetFont(CGXFont().SetBold(TRUE)).SetInteriorColor(RGB(0, 0, 255));
    CGXStyle b = a;
    EXPECT_TRUE(merge.CanMergeCells(nullptr, a, b));
    b.SetInteriorColor(RGB(0, 255, 0));
    EXPECT_FALSE(merge.CanMergeCells(nullptr, a, b));
}
} // namespace
