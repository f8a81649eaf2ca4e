#include "GridTestSupport.h"

#include <grid/controls/CheckBoxEx.h>
#include <grid/controls/RadioButtonEx.h>
#include <grid/core/GridParam.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <grid/services/ControlFactory.h>
#include <testing/MemoryCanvas.h>

#include <gtest/gtest.h>

namespace
{
constexpr WORD idCheckBoxEx = 20130;
constexpr WORD idCheckBoxEx3d = 20131;
constexpr WORD idRadioEx = 20137;
constexpr WORD idRadioEx3d = 20136;
constexpr WORD idsAlignment = 51057;
constexpr WORD idsTextAlignment = 52568;
constexpr COLORREF rgbFill = RGB(1, 2, 3);

// Cell (m_nRow, 2) holds the control under test; the value reaches the store only when the current
// cell moves on.
class ActiveStateCellsTest : public HiddenGridTest
{
protected:
    void SetUp() override
    {
        HiddenGridTest::SetUp();
        m_grid.SetRowHeight(1, 3, 40);
        m_grid.SetColWidth(1, 3, 120);
    }
    // Each use takes a fresh row: the grid keeps the composed styles of the cells it showed.
    void Use(const CGXStyle& style)
    {
        ++m_nRow;
        m_grid.SetStyleRangeShort(CGXRange(m_nRow, 2), style);
        m_grid.SetCurrentCell(m_nRow, 2);
        m_pControl = m_grid.GetCurrentCellControl();
    }
    CString Stored()
    {
        return m_grid.GetValueRowCol(m_nRow, 2);
    }
    void LeaveCell()
    {
        m_grid.SetCurrentCell(m_nRow, 4);
    }
    // Draws the cell into the canvas at its place, as the grid would.
    void DrawCell(MemoryCanvas& canvas)
    {
        m_pControl->Draw(&canvas.Dc(), m_grid.CalcRectFromRowCol(m_nRow, 2), m_nRow, 2,
                         *m_grid.GetComposedStyle(m_nRow, 2), nullptr);
    }
    void Click(CPoint point)
    {
        m_grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        m_grid.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    }
    void CheckClickIsPendingUntilLeft(WORD nId)
    {
        Use(CGXStyle().SetControl(nId).SetValue(_T("0")));
        ASSERT_TRUE(m_pControl->IsControlKindOf(&CGXCheckBoxEx::classCGXCheckBoxEx));
        MemoryCanvas before(400, 300, rgbFill);
        DrawCell(before);
        EXPECT_TRUE(m_pControl->OnChildClicked(nullptr));
        EXPECT_TRUE(m_pControl->IsActive());
        EXPECT_TRUE(m_pControl->IsModified());
        EXPECT_EQ(Stored(), _T("0"));
        MemoryCanvas after(400, 300, rgbFill);
        DrawCell(after);
        const CRect rect = m_grid.CalcRectFromRowCol(m_nRow, 2);
        int nChanged = 0;
        for (int x = rect.left; x < rect.left + 30; ++x)
            for (int y = rect.top; y < rect.bottom; ++y)
                nChanged += before.Pixel(x, y) != after.Pixel(x, y);
        EXPECT_GT(nChanged, 0) << "the pending value is drawn";
        LeaveCell();
        EXPECT_EQ(Stored(), _T("1"));
    }

    CGXControl* m_pControl = nullptr;
    ROWCOL m_nRow = 0;
};

TEST_F(ActiveStateCellsTest, ACheckBoxClickIsDrawnAtOnceAndStoredWhenTheCellIsLeft)
{
    CheckClickIsPendingUntilLeft(idCheckBoxEx);
}

TEST_F(ActiveStateCellsTest, A3dCheckBoxClickIsDrawnAtOnceAndStoredWhenTheCellIsLeft)
{
    CheckClickIsPendingUntilLeft(idCheckBoxEx3d);
}

TEST_F(ActiveStateCellsTest, DeleteEmptiesOnlyAnActiveBoxAndTwoClicksStillStore)
{
    Use(CGXStyle().SetControl(idCheckBoxEx).SetValue(_T("1")));
    EXPECT_FALSE(m_pControl->OnKeyMessage(WM_KEYDOWN, VK_DELETE, 1, 0));
    EXPECT_FALSE(m_pControl->IsModified());
    m_pControl->OnChildClicked(nullptr);
    EXPECT_TRUE(m_pControl->OnKeyMessage(WM_KEYDOWN, VK_DELETE, 1, 0));
    auto* pBox = static_cast<CGXCheckBoxEx*>(m_pControl);
    EXPECT_EQ(pBox->GetState(m_nRow, 2, *pBox->LoadStyle()) & CGXCheckBox::stateUnchecked, CGXCheckBox::stateUnchecked);
    CGXStyle triState;
    triState.SetTriState(TRUE).SetValue(CString());
    EXPECT_EQ(CGXCheckBox::ImageOfState(pBox->GetState(1, 2, triState)), CGXCheckBox::imageIndeterminate);
    LeaveCell();
    EXPECT_EQ(Stored(), _T(""));

    Use(CGXStyle().SetControl(idCheckBoxEx).SetValue(_T("1")));
    m_pControl->OnChildClicked(nullptr);
    m_pControl->OnChildClicked(nullptr);
    EXPECT_TRUE(m_pControl->IsModified());
    m_grid.SetValueRange(CGXRange(m_nRow, 3), _T("x"));
    LeaveCell();
    EXPECT_EQ(Stored(), _T("1"));
}

TEST_F(ActiveStateCellsTest, AReadOnlyCellRefusesTheToggle)
{
    m_grid.GetParam()->m_bLockReadOnly = FALSE;
    Use(CGXStyle().SetControl(idCheckBoxEx).SetValue(_T("0")).SetReadOnly(TRUE));
    m_grid.GetParam()->m_bLockReadOnly = TRUE;
    m_pControl->OnChildClicked(nullptr);
    m_grid.SendMessage(WM_CHAR, _T(' '), 0);
    EXPECT_FALSE(m_pControl->IsModified());
    LeaveCell();
    EXPECT_EQ(Stored(), _T("0"));
}

TEST_F(ActiveStateCellsTest, HorizontalRadioButtonsLieSideBySide)
{
    Use(CGXStyle().SetControl(idRadioEx).SetChoiceList(_T("ab\ncd")).SetUserAttribute(idsAlignment, _T("1"))
            .SetUserAttribute(idsTextAlignment, _T("1")));
    CClientDC dc(&m_grid);
    const CGXStyle& style = *m_grid.GetComposedStyle(m_nRow, 2);
    CFont* pOld = m_grid.LoadFont(&dc, style, nullptr);
    CRect client;
    m_pControl->GetCellClientRect(client, m_nRow, 2);
    const auto places = CGXRadioButton::LayoutButtons(&dc, client, style, CGXRadioButtonEx::LayoutOf(style));
    const int nLabel = dc.GetTextExtent(_T("ab")).cx;
    dc.SelectObject(pOld);
    ASSERT_EQ(places.size(), 2u);
    EXPECT_EQ(places[0].rectLabel.left, client.left + 18);
    EXPECT_EQ(places[1].rectButton.left, client.left + 18 + nLabel + 2);
    EXPECT_EQ(places[1].rectButton.top, places[0].rectButton.top);

    MemoryCanvas canvas(400, 300, rgbFill);
    DrawCell(canvas);
    EXPECT_EQ(static_cast<CGXRadioButtonEx*>(m_pControl)->GetButtonCount(), 2);
    Click(places[1].rectButton.CenterPoint());
    EXPECT_TRUE(m_pControl->IsModified());
    EXPECT_EQ(m_pControl->LoadStyle()->GetValue(), _T("1"));
    EXPECT_EQ(Stored(), _T(""));
    LeaveCell();
    EXPECT_EQ(Stored(), _T("1"));
}

TEST_F(ActiveStateCellsTest, LabelSidesAndDirectionsFollowTheAttributes)
{
    const struct
    {
        LPCTSTR pszAlign;
        LPCTSTR pszText;
        BOOL bHorizontal;
        BOOL bLabelRight;
    } cases[] = {{_T("1"), _T("0"), TRUE, FALSE},
                 {_T("0"), _T("1"), FALSE, TRUE},
                 {_T("x"), _T("y"), FALSE, FALSE},
                 {_T(""), _T(""), FALSE, FALSE}};
    CClientDC dc(&m_grid);
    for (const auto& c : cases)
    {
        CGXStyle style;
        style.SetChoiceList(_T("ab\ncd")).SetUserAttribute(idsAlignment, c.pszAlign).SetUserAttribute(
            idsTextAlignment, c.pszText);
        const GXRadioButtonLayout layout = CGXRadioButtonEx::LayoutOf(style);
        EXPECT_EQ(layout.bHorizontal, c.bHorizontal) << CW2A(c.pszAlign);
        EXPECT_EQ(layout.bLabelRight, c.bLabelRight) << CW2A(c.pszText);
        const auto places = CGXRadioButton::LayoutButtons(&dc, CRect(0, 0, 300, 100), style, layout);
        ASSERT_EQ(places.size(), 2u);
        EXPECT_EQ(places[0].rectLabel.left < places[0].rectButton.left, !c.bLabelRight) << "label first";
        EXPECT_EQ(places[1].rectButton.top > places[0].rectButton.top, !c.bHorizontal);
    }
}

TEST_F(ActiveStateCellsTest, SpaceWrapsAndDeleteEmpties)
{
    Use(CGXStyle().SetControl(idRadioEx3d).SetChoiceList(_T("a\nb")).SetValue(_T("1")));
    EXPECT_TRUE(m_pControl->ReservedQueryB());
    MemoryCanvas canvas(400, 300, rgbFill);
    DrawCell(canvas);
    m_grid.SendMessage(WM_CHAR, _T(' '), 0);
    EXPECT_EQ(m_pControl->LoadStyle()->GetValue(), _T("0"));
    EXPECT_TRUE(m_pControl->OnKeyMessage(WM_KEYDOWN, VK_DELETE, 1, 0));
    EXPECT_EQ(m_pControl->LoadStyle()->GetValue(), _T(""));
    LeaveCell();
    EXPECT_EQ(Stored(), _T(""));
}

TEST_F(ActiveStateCellsTest, BothAttributesAreEditedByTheZeroBasedChoiceCombo)
{
    CGXStylesMap stylesMap;
    CGXControlFactory().RegisterAllUserAttributes(&stylesMap);
    for (WORD nId : {idsAlignment, idsTextAlignment})
    {
        const CGXStylesMap::UserAttributeEntry* pEntry = stylesMap.GetUserAttributeInfo(nId);
        ASSERT_NE(pEntry, nullptr) << nId;
        ASSERT_NE(pEntry->pStyle, nullptr);
        EXPECT_EQ(pEntry->pStyle->GetControl(), 52532);
        EXPECT_FALSE(pEntry->strName.IsEmpty());
    }
}
} // namespace
