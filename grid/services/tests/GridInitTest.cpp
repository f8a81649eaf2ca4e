#include "GridTestSupport.h"

#include <grid/core/AppData.h>
#include <grid/core/GridInit.h>
#include <grid/core/LongOperationImp.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <grid/services/ControlFactory.h>
#include <grid/services/format/NumberFormattingImp.h>

#include <gtest/gtest.h>

namespace
{
class TestNumberFormatting : public CGXNumberFormattingImp
{
};

// The standard factory that remembers which grids it equipped and whether it still lives.
class RecordingFactory : public CGXControlFactory
{
public:
    explicit RecordingFactory(bool* pbDeleted = nullptr) : m_pbDeleted(pbDeleted)
    {
    }
    ~RecordingFactory() override
    {
        if (m_pbDeleted != nullptr)
            *m_pbDeleted = true;
    }
    void InitializeGridComponents(CGXGridCore* pGrid) override
    {
        m_grids.push_back(pGrid);
        CGXControlFactory::InitializeGridComponents(pGrid);
    }
    std::vector<CGXGridCore*> m_grids;

private:
    bool* m_pbDeleted;
};

UINT ClassStyle(LPCWSTR pszClass)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    EXPECT_TRUE(::GetClassInfoExW(::GetModuleHandleW(nullptr), pszClass, &wc)) << pszClass;
    return wc.style;
}

WNDPROC ClassProc(HINSTANCE hInstance, LPCWSTR pszClass)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    return ::GetClassInfoExW(hInstance, pszClass, &wc) ? wc.lpfnWndProc : nullptr;
}
} // namespace

TEST(GridInitTest, RegistersTheWindowClassesAndTheClipboardFormat)
{
    EnsureGridLibrary();
    EXPECT_EQ(ClassStyle(L"GXWND"), 0x400Bu);
    EXPECT_EQ(ClassStyle(L"GXNDBLCLKSWND"), 0x4003u);
    EXPECT_EQ(ClassStyle(L"GxMdiFrame"), 0x4008u);
    EXPECT_EQ(ClassStyle(L"CGXGridWnd"), 0x4008u);
    const struct
    {
        LPCWSTR pszClass, pszSystemClass;
    } copies[] = {{L"GXEDIT", L"edit"}, {L"GXLISTBOX", L"listbox"}, {L"GXCOMBOBOX", L"combobox"}};
    for (const auto& c : copies)
    {
        EXPECT_TRUE(ClassStyle(c.pszClass) & CS_GLOBALCLASS) << c.pszClass;
        EXPECT_EQ(ClassProc(::GetModuleHandleW(nullptr), c.pszClass), ClassProc(nullptr, c.pszSystemClass));
    }

    WCHAR szName[64] = {};
    ASSERT_GT(::GetClipboardFormatNameW(GXGetAppDataPtr()->m_uiClipboardFormat, szName, 64), 0);
    CString strExpected;
    strExpected.Format(L"Grid Styles %08x", static_cast<UINT>(reinterpret_cast<UINT_PTR>(::GetModuleHandleW(nullptr))));
    EXPECT_STREQ(szName, strExpected);
    EXPECT_TRUE(GXGetAppDataPtr()->m_bInitDone);
    EXPECT_STREQ(GXGetAppDataPtr()->m_sGenUndo, L"Generating undo information ...");
}

TEST(GridInitTest, ASecondInitKeepsClassesAndFeaturesAndReplacesTheFactory)
{
    EnsureGridLibrary();
    CGXAppData* pAppData = GXGetAppDataPtr();
    CGXAbstractLongOperationImp* pLongOperation = pAppData->m_pLongOperationImp;
    ASSERT_NE(dynamic_cast<CGXLongOperationImp*>(pLongOperation), nullptr);
    const WNDPROC pfnGridWnd = ClassProc(::GetModuleHandleW(nullptr), L"CGXGridWnd");
    // The formatting feature in place (an earlier grid may have installed it) comes back afterwards.
    CGXAbstractNumberFormattingImp* pInstalled = pAppData->m_pNumberFormattingImp;
    auto* pPlaced = new TestNumberFormatting;
    pAppData->m_pNumberFormattingImp = pPlaced;
    // A class removed since is registered again; the others are found and kept.
    ASSERT_TRUE(::UnregisterClassW(L"GXLISTBOX", ::GetModuleHandleW(nullptr)));

    bool bFirstDeleted = false;
    GXInit(new RecordingFactory(&bFirstDeleted));
    GXInit(new CGXControlFactory);

    EXPECT_TRUE(bFirstDeleted);
    EXPECT_EQ(pAppData->m_pNumberFormattingImp, pPlaced);
    EXPECT_EQ(pAppData->m_pLongOperationImp, pLongOperation);
    EXPECT_EQ(ClassProc(::GetModuleHandleW(nullptr), L"CGXGridWnd"), pfnGridWnd);
    EXPECT_TRUE(ClassStyle(L"GXLISTBOX") & CS_GLOBALCLASS);
    pAppData->m_pNumberFormattingImp = pInstalled;
    delete pPlaced;
}

TEST(ControlFactoryTest, RegistersTheControlsWithTheirNamesInOrder)
{
    const struct
    {
        WORD nId;
        LPCWSTR pszName;
    } controls[] = {
        {52512, L"Edit Control"},
        {52520, L"Header"},
        {52527, L"ComboBox, text-fit"},
        {52517, L"ComboBox, no text-fit"},
        {52526, L"ComboBox, one-based"},
        {52525, L"ComboBox, zero-based"},
        {52531, L"Combo, disp.choice, 1-base"},
        {52532, L"Combo, disp.choice, 0-base"},
        {52528, L"MFC ComboBox"},
        {52529, L"MFC DropDownList"},
        {52522, L"Listbox"},
        {52513, L"Static Text"},
        {52514, L"Pushbutton"},
        {52515, L"Radio Buttons"},
        {52524, L"Radio Buttons, 3d-Effect"},
        {52516, L"Checkbox, 1/0"},
        {52523, L"Checkbox, 3d-Effect"},
        {20130, L"Checkbox with modify state"},
        {20131, L"3D Checkbox with modify state"},
        {20137, L"Radio Buttons, with active state"},
        {20136, L"Radio Buttons, 3d-Effect and active state"},
        {52535, L"Masked Edit"},
        {52536, L"Progressbar"},
        {52537, L"Password Edit"},
        {52539, L"Tabbed MFC ComboBox"},
        {52540, L"Tabbed MFC DropDownList"},
        {52541, L"Tabbed ComboBox"},
        {52534, L"Rich Edit"},
        {52542, L"Dropdown CheckListBox"},
        {52519, L"Spin Edit"},
        {52518, L"Hotspot Edit"},
        {52521, L"Edit Control, Scrollbar"},
        {52543, L"Date Time Control with popup calendar"},
        {52544, L"Date time control without calendar"},
        {52545, L"Currency control"},
    };
    static_assert(std::size(controls) == std::size(CGXControlFactory::s_anControlIds));
    CGXStylesMap stylesMap;
    CGXControlFactory().RegisterAllControls(&stylesMap);
    for (size_t i = 0; i < std::size(controls); ++i)
    {
        EXPECT_EQ(CGXControlFactory::s_anControlIds[i], controls[i].nId) << i;
        EXPECT_STREQ(stylesMap.GetControlName(controls[i].nId), controls[i].pszName);
    }
}

TEST(ControlFactoryTest, RegistersTheTooltipAndEllipsisAttributes)
{
    CGXStylesMap stylesMap;
    CGXControlFactory().RegisterAllUserAttributes(&stylesMap);

    const auto* pTooltip = stylesMap.GetUserAttributeInfo(51022);
    ASSERT_NE(pTooltip, nullptr);
    EXPECT_STREQ(pTooltip->strName, L"Tooltip-Text");
    EXPECT_EQ(pTooltip->pStyle->GetIncludeBits(), CGXStyle::inclWrapText | CGXStyle::inclAutoSize);
    EXPECT_TRUE(pTooltip->pStyle->GetWrapText());
    EXPECT_TRUE(pTooltip->pStyle->GetAutoSize());

    const auto* pEllipsis = stylesMap.GetUserAttributeInfo(52792);
    ASSERT_NE(pEllipsis, nullptr);
    EXPECT_STREQ(pEllipsis->strName, L"Type of ellipses that will be drawn");
    EXPECT_EQ(pEllipsis->pStyle->GetControl(), 52529);
    EXPECT_STREQ(pEllipsis->pStyle->GetChoiceList(), L"No ellipse\nDotted....\nPound###");
}

TEST_F(GridWindowTest, EachGridGetsItsOwnFeaturesTheApplicationOneSet)
{
    auto* pFactory = new RecordingFactory;
    GXInit(pFactory);
    CGXAbstractLongOperationImp* pLongOperation = GXGetAppDataPtr()->m_pLongOperationImp;
    {
        TestGrid grid1;
        TestGrid grid2;
        EXPECT_EQ(pFactory->m_grids, (std::vector<CGXGridCore*>{&grid1, &grid2}));
    }
    GXInitLibraryDefault();
    EXPECT_EQ(GXGetAppDataPtr()->m_pLongOperationImp, pLongOperation);
}
