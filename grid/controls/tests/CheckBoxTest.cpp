#include "GridTestSupport.h"

#include <grid/controls/CheckBox.h>
#include <grid/core/GridParam.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <testing/MemoryCanvas.h>

#include <gtest/gtest.h>

namespace
{
constexpr COLORREF rgbFill = RGB(1, 2, 3);
constexpr COLORREF rgbBlack = RGB(0, 0, 0);
constexpr COLORREF rgbWhite = RGB(255, 255, 255);

// Column 2 of the hidden grid holds 3-d check boxes; cell (1, 2) is current.
class CheckBoxTest : public HiddenGridTest
{
protected:
    void SetUp() override
    {
        HiddenGridTest::SetUp();
        m_grid.SetStyleRangeShort(CGXRange().SetCols(2, 2), CGXStyle().SetControl(GX_IDS_CTRL_CHECKBOX_3D));
        m_grid.SetValueRange(CGXRange(1, 2), _T("0"));
        m_grid.SetCurrentCell(1, 2);
        m_pCheckBox = static_cast<CGXCheckBox*>(m_grid.GetControl(1, 2));
        m_rectCell = m_grid.CalcRectFromRowCol(1, 2);
    }
    void SetCellStyle(const CGXStyle& style)
    {
        m_grid.SetStyleRangeShort(CGXRange(1, 2), style);
    }
    CString Value()
    {
        return m_grid.GetValueRowCol(1, 2);
    }
    // The box of the cell (1, 2) in grid window coordinates.
    CRect Box()
    {
        CRect client;
        m_pCheckBox->GetCellClientRect(client, 1, 2, &m_rectCell);
        CClientDC dc(&m_grid);
        return m_pCheckBox->ComputeCheckBoxRect(&dc, client, _T(""), 0);
    }
    void Click(CPoint point)
    {
        m_grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        m_grid.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    }
    // Draws cell (1, 2) into a canvas at the cell's own place.
    void DrawCell(MemoryCanvas& canvas)
    {
        m_pCheckBox->Draw(&canvas.Dc(), m_rectCell, 1, 2, *m_grid.GetComposedStyle(1, 2), nullptr);
    }

    CGXCheckBox* m_pCheckBox = nullptr;
    CRect m_rectCell;
};

TEST_F(CheckBoxTest, FactoryMakesThreeDimensionalAndFlatBoxes)
{
    ASSERT_NE(m_pCheckBox, nullptr);
    EXPECT_TRUE(m_pCheckBox->IsControlKindOf(&CGXCheckBox::classCGXCheckBox));
    m_grid.SetStyleRangeShort(CGXRange(2, 2), CGXStyle().SetControl(52516));
    EXPECT_TRUE(m_grid.GetControl(2, 2)->IsControlKindOf(&CGXCheckBox::classCGXCheckBox));
    EXPECT_NE(m_grid.GetControl(2, 2), m_pCheckBox);
}

TEST_F(CheckBoxTest, AClickInTheBoxTogglesTheStoredValue)
{
    const CRect box = Box();
    Click(box.CenterPoint());
    EXPECT_EQ(Value(), _T("1"));
    CGXStyle stored;
    ASSERT_TRUE(m_grid.GetData()->GetStyleImpl(1, 2, stored, 2, 0));
    EXPECT_EQ(stored.GetValue(), _T("1"));
    Click(box.CenterPoint());
    EXPECT_EQ(Value(), _T("0"));
    Click(CPoint(box.right + 20, box.CenterPoint().y));
    EXPECT_EQ(Value(), _T("0"));
    EXPECT_FALSE(m_pCheckBox->IsPressed());
}

TEST_F(CheckBoxTest, SpaceTogglesAsACharacterOnly)
{
    m_grid.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(Value(), _T("0"));
    m_grid.SendMessage(WM_CHAR, _T(' '), 0);
    EXPECT_EQ(Value(), _T("1"));
    EXPECT_FALSE(m_pCheckBox->OnKeyMessage(WM_CHAR, _T('x'), 1, 0));
    EXPECT_EQ(Value(), _T("1"));
}

TEST_F(CheckBoxTest, TogglingCyclesThroughTheValues)
{
    struct Case
    {
        BOOL bTriState;
        LPCTSTR pszStart;
        std::vector<CString> expected;
    };
    const Case cases[] = {
        {FALSE, _T("x"), {_T("1"), _T("0"), _T("1")}},
        {TRUE, _T("x"), {_T("1"), _T("0"), _T(""), _T("1")}},
    };
    for (const Case& c : cases)
    {
        SetCellStyle(CGXStyle().SetTriState(c.bTriState).SetValue(c.pszStart));
        m_grid.SetCurrentCell(1, 2);
        for (const CString& strExpected : c.expected)
        {
            m_pCheckBox->OnChildClicked(nullptr);
            EXPECT_EQ(Value(), strExpected) << c.bTriState;
        }
    }
}

TEST_F(CheckBoxTest, UserAttributesNameTheValues)
{
    CGXStyle style;
    style.SetUserAttribute(51019, _T("yes")).SetUserAttribute(51020, _T("no")).SetValue(_T("no"));
    SetCellStyle(style);
    m_grid.SetCurrentCell(1, 2);
    m_pCheckBox->OnChildClicked(nullptr);
    EXPECT_EQ(Value(), _T("yes"));
    m_pCheckBox->OnChildClicked(nullptr);
    EXPECT_EQ(Value(), _T("no"));
}

TEST_F(CheckBoxTest, AReadOnlyCellRefusesAndStaysUnpressed)
{
    // Read-only cells are changed only with the lock off.
    m_grid.GetParam()->m_bLockReadOnly = FALSE;
    SetCellStyle(CGXStyle().SetReadOnly(TRUE));
    m_grid.GetParam()->m_bLockReadOnly = TRUE;
    ASSERT_TRUE(m_grid.GetComposedStyle(1, 2)->GetReadOnly());
    const CPoint point = Box().CenterPoint();
    EXPECT_FALSE(m_pCheckBox->OnLButtonDown(MK_LBUTTON, point));
    EXPECT_FALSE(m_pCheckBox->IsPressed());
    m_pCheckBox->OnChildClicked(nullptr);
    m_grid.SendMessage(WM_CHAR, _T(' '), 0);
    EXPECT_EQ(Value(), _T("0"));
}

TEST_F(CheckBoxTest, PastedTextOtherThanTheValuesIsIndeterminateInAThreeStateBox)
{
    for (BOOL bTriState : {FALSE, TRUE})
    {
        SetCellStyle(CGXStyle().SetTriState(bTriState));
        for (LPCTSTR pszText : {_T("1"), _T("0"), _T("maybe")})
        {
            EXPECT_TRUE(m_pCheckBox->StoreValue(1, 2, pszText, nullptr));
            const BOOL bKept = !bTriState || CString(pszText) != _T("maybe");
            EXPECT_EQ(Value(), bKept ? CString(pszText) : CString()) << bTriState << CW2A(pszText);
        }
    }
}

TEST_F(CheckBoxTest, StateBitsFollowValueEnabledAndPress)
{
    CGXStyle style(*m_grid.GetComposedStyle(1, 2));
    style.SetValue(_T("1"));
    EXPECT_EQ(m_pCheckBox->GetState(1, 2, style), CGXCheckBox::stateCurrent | CGXCheckBox::stateChecked);
    // The enabled bit alone is read: a style without it draws grey.
    EXPECT_EQ(m_pCheckBox->GetState(3, 2, CGXStyle().SetValue(_T("0"))),
              CGXCheckBox::stateGrey | CGXCheckBox::stateUnchecked);
    style.SetValue(_T("?")).SetEnabled(FALSE);
    EXPECT_EQ(m_pCheckBox->GetState(3, 2, style), CGXCheckBox::stateGrey | CGXCheckBox::stateUnchecked);
    style.SetTriState(TRUE);
    EXPECT_EQ(CGXCheckBox::ImageOfState(m_pCheckBox->GetState(3, 2, style)), CGXCheckBox::imageIndeterminate);
    EXPECT_EQ(CGXCheckBox::ImageOfState(CGXCheckBox::stateGrey | CGXCheckBox::stateChecked),
              CGXCheckBox::imageCheckedGrey);
}

TEST_F(CheckBoxTest, ScreenStripIsRecolouredAndAPressShowsTheGreyImage)
{
    m_grid.SetValueRange(CGXRange(1, 2), _T("1"));
    const CRect box = Box();
    MemoryCanvas canvas(300, 200, rgbFill);
    DrawCell(canvas);
    // Interior, inner ring and the tick's first column.
    EXPECT_EQ(canvas.Pixel(box.left + 2, box.top + 2), ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(canvas.Pixel(box.left + 1, box.top + 5), ::GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(canvas.Pixel(box.left, box.top + 5), RGB(128, 128, 128));
    EXPECT_EQ(canvas.Pixel(box.left + 3, box.top + 6), ::GetSysColor(COLOR_WINDOWTEXT));

    EXPECT_TRUE(m_pCheckBox->OnLButtonDown(MK_LBUTTON, box.CenterPoint()));
    EXPECT_TRUE(m_pCheckBox->IsPressed());
    DrawCell(canvas);
    EXPECT_EQ(canvas.Pixel(box.left + 2, box.top + 2), ::GetSysColor(COLOR_BTNFACE));
    m_pCheckBox->OnMouseMove(MK_LBUTTON, CPoint(box.right + 5, box.top));
    EXPECT_FALSE(m_pCheckBox->IsPressed());
    DrawCell(canvas);
    EXPECT_EQ(canvas.Pixel(box.left + 2, box.top + 2), ::GetSysColor(COLOR_WINDOW));
    m_pCheckBox->OnMouseMove(MK_LBUTTON, box.CenterPoint());
    EXPECT_TRUE(m_pCheckBox->IsPressed());
    m_pCheckBox->CancelChildTracking();
    EXPECT_FALSE(m_pCheckBox->IsPressed());
}

TEST_F(CheckBoxTest, PrintingUsesTheFlatStripWithRedTurnedWhite)
{
    m_grid.SetValueRange(CGXRange(1, 2), _T("1"));
    const CRect box = Box();
    m_grid.m_bPrinting = TRUE;
    MemoryCanvas canvas(300, 200, rgbFill);
    DrawCell(canvas);
    m_grid.m_bPrinting = FALSE;
    EXPECT_EQ(canvas.Pixel(box.left, box.top + 5), rgbBlack);
    EXPECT_EQ(canvas.Pixel(box.left + 1, box.top + 1), rgbBlack);
    EXPECT_EQ(canvas.Pixel(box.left + 3, box.top + 1), rgbWhite);
    EXPECT_EQ(canvas.Pixel(box.left + 6, box.top + 6), rgbBlack);
}

TEST_F(CheckBoxTest, TranslateColorMapsTheStandInColours)
{
    struct Case
    {
        COLORREF rgb;
        COLORREF screen;
        COLORREF print;
    };
    const Case cases[] = {
        {rgbBlack, ::GetSysColor(COLOR_WINDOWTEXT), rgbBlack},
        {RGB(255, 0, 0), ::GetSysColor(COLOR_WINDOW), rgbWhite},
        {RGB(0, 255, 0), ::GetSysColor(COLOR_WINDOWFRAME), ::GetSysColor(COLOR_WINDOWFRAME)},
        {RGB(192, 192, 192), ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNFACE)},
        {RGB(128, 128, 128), RGB(128, 128, 128), RGB(128, 128, 128)},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(m_pCheckBox->TranslateColor(c.rgb, 0), c.screen) << c.rgb;
        EXPECT_EQ(m_pCheckBox->TranslateColor(c.rgb, 1), c.print) << c.rgb;
    }
}

TEST_F(CheckBoxTest, BoxPlacementFollowsTheAlignment)
{
    CClientDC dc(&m_grid);
    const CRect rect(10, 20, 110, 60);
    struct Case
    {
        UINT nAlign;
        CRect expected;
    };
    const Case cases[] = {
        {0, CRect(13, 23, 26, 36)},
        {DT_CENTER | DT_VCENTER, CRect(53, 33, 66, 46)},
        {DT_RIGHT | DT_BOTTOM, CRect(97, 47, 110, 60)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(m_pCheckBox->ComputeCheckBoxRect(&dc, rect, _T(""), c.nAlign), c.expected) << c.nAlign;
    EXPECT_EQ(m_pCheckBox->ComputeCheckBoxRect(&dc, CRect(0, 0, 8, 8), _T(""), 0), CRect(3, 0, 8, 8));
}
} // namespace
