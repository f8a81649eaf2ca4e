#include "GridTestSupport.h"

#include <grid/controls/Child.h>
#include <grid/controls/PushButton.h>
#include <grid/controls/RadioButton.h>
#include <grid/core/GridParam.h>
#include <grid/core/Style.h>
#include <testing/FakeThemeLibrary.h>
#include <testing/MemoryCanvas.h>

#include <gtest/gtest.h>

namespace
{
constexpr WORD idPushbutton = 52514;
constexpr WORD idRadioFlat = 52515;
constexpr WORD idRadio3d = 52524;
constexpr COLORREF rgbFill = RGB(1, 2, 3);
constexpr COLORREF rgbWhite = RGB(255, 255, 255);
constexpr COLORREF rgbBlack = RGB(0, 0, 0);

// Counts the button notifications of its cells.
class ClickCountingGrid : public TestGrid
{
public:
    void OnClickedButtonRowCol(ROWCOL nRow, ROWCOL nCol) override
    {
        ++m_nClicks;
        TestGrid::OnClickedButtonRowCol(nRow, nCol);
    }
    int m_nClicks = 0;
};

class ButtonCellsTest : public HiddenGridOfTest<ClickCountingGrid>
{
protected:
    void SetUp() override
    {
        HiddenGridOfTest<ClickCountingGrid>::SetUp();
        m_grid.SetRowHeight(1, 3, 60);
        m_grid.SetColWidth(1, 3, 120);
    }
    void Press(CPoint point, UINT nMessage)
    {
        m_grid.SendMessage(nMessage, nMessage == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(point.x, point.y));
    }
    void Click(CPoint point)
    {
        Press(point, WM_LBUTTONDOWN);
        Press(point, WM_LBUTTONUP);
    }
    // A button line of cell (1, 2) in its font.
    int LineHeight()
    {
        CClientDC dc(&m_grid);
        CFont* pOld = m_grid.LoadFont(&dc, *m_grid.GetComposedStyle(1, 2), nullptr);
        const int h = CGXRadioButton::LineHeight(&dc);
        dc.SelectObject(pOld);
        return h;
    }
    CString Value(ROWCOL nRow = 1, ROWCOL nCol = 2)
    {
        return m_grid.GetValueRowCol(nRow, nCol);
    }
};

TEST_F(ButtonCellsTest, APushButtonClicksOnAReleaseInsideAndOnSpace)
{
    m_grid.SetStyleRangeShort(CGXRange(1, 2), CGXStyle().SetControl(idPushbutton).SetChoiceList(_T("Go")));
    const CRect rect = m_grid.CalcRectFromRowCol(1, 2);
    Click(rect.CenterPoint());
    EXPECT_EQ(m_grid.m_nClicks, 1);
    auto* pButton = static_cast<CGXPushbutton*>(m_grid.GetControl(1, 2));
    ASSERT_TRUE(pButton->IsControlKindOf(&CGXPushbutton::classCGXPushbutton));
    CString strCaption;
    EXPECT_EQ(pButton->Button()->GetText(strCaption), _T("Go"));
    Press(rect.CenterPoint(), WM_LBUTTONDOWN);
    Press(CPoint(rect.CenterPoint().x, rect.bottom + 10), WM_LBUTTONUP);
    EXPECT_EQ(m_grid.m_nClicks, 1) << "released outside";
    m_grid.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    m_grid.SendMessage(WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(m_grid.m_nClicks, 2);
}

TEST_F(ButtonCellsTest, APushButtonDrawsNothingInATinyCellAndNoFrame)
{
    m_grid.SetStyleRangeShort(CGXRange(1, 2), CGXStyle().SetControl(idPushbutton));
    CGXControl* pControl = m_grid.GetRegisteredControl(idPushbutton);
    MemoryCanvas canvas(100, 100, rgbFill);
    const CGXStyle& style = *m_grid.GetComposedStyle(1, 2);
    for (const CRect& rect : {CRect(10, 10, 11, 50), CRect(10, 10, 50, 11)})
    {
        pControl->Draw(&canvas.Dc(), rect, 1, 2, style, nullptr);
        EXPECT_EQ(canvas.Pixel(10, 10), rgbFill);
    }
    pControl->DrawCurrentCellFrame(&canvas.Dc(), CRect(0, 0, 100, 100));
    EXPECT_EQ(canvas.Pixel(0, 0), rgbFill);
    pControl->Draw(&canvas.Dc(), CRect(10, 10, 60, 40), 1, 2, style, nullptr);
    EXPECT_NE(canvas.Pixel(30, 25), rgbFill) << "a face without caption";
}

TEST_F(ButtonCellsTest, MakingAPushButtonCurrentRedrawsItsFace)
{
    m_grid.SetStyleRangeShort(CGXRange(2, 2), CGXStyle().SetControl(idPushbutton));
    Parent().ShowWindow(SW_SHOWNA);
    m_grid.ShowWindow(SW_SHOWNA);
    m_grid.UpdateWindow();
    m_grid.SetCurrentCell(2, 2);
    m_grid.ValidateRect(nullptr);
    m_grid.GetControl(2, 2)->Init(2, 2);
    CRect rectUpdate;
    EXPECT_TRUE(m_grid.GetUpdateRect(rectUpdate));
    CRect rectCell;
    m_grid.GetControl(2, 2)->GetCellClientRect(rectCell, 2, 2);
    EXPECT_TRUE(CRect().IntersectRect(rectUpdate, rectCell));
}

TEST_F(ButtonCellsTest, RadioButtonsSkipEmptyLinesAndStoreTheIndexClicked)
{
    m_grid.SetStyleRangeShort(CGXRange(1, 2), CGXStyle().SetControl(idRadioFlat).SetChoiceList(_T("a\r\n\r\nb")));
    const CRect rect = m_grid.CalcRectFromRowCol(1, 2);
    MemoryCanvas canvas(400, 300, rgbFill);
    CGXControl* pControl = m_grid.GetRegisteredControl(idRadioFlat);
    pControl->Draw(&canvas.Dc(), rect, 1, 2, *m_grid.GetComposedStyle(1, 2), nullptr);
    EXPECT_EQ(static_cast<CGXRadioButton*>(pControl)->GetButtonCount(), 2);

    const int h = LineHeight();
    const CPoint circleB(rect.left + 9, rect.top + h + h / 2);
    Click(circleB);
    EXPECT_EQ(Value(), _T("1"));
    EXPECT_EQ(m_grid.m_nClicks, 1);
    Click(CPoint(rect.left + 9, rect.top + h / 2));
    EXPECT_EQ(Value(), _T("0"));
    Click(CPoint(rect.left + 20, rect.top + h + h / 2));
    EXPECT_EQ(Value(), _T("1")) << "on b's label";
    Click(CPoint(rect.right - 5, rect.top + h / 2));
    EXPECT_EQ(Value(), _T("1")) << "right of a's text";
    EXPECT_EQ(m_grid.m_nClicks, 3);
    Click(circleB);
    EXPECT_EQ(Value(), _T("1"));
    EXPECT_EQ(m_grid.m_nClicks, 4) << "the chosen one notifies";
}

TEST_F(ButtonCellsTest, SpaceChoosesTheNextButtonAndWraps)
{
    const struct
    {
        LPCTSTR pszStart;
        LPCTSTR pszAfterSpace;
    } cases[] = {{_T(""), _T("0")}, {_T("5"), _T("0")}, {_T("0"), _T("1")}, {_T("2"), _T("0")}};
    for (const auto& c : cases)
    {
        m_grid.SetStyleRangeShort(CGXRange(1, 2), CGXStyle()
                                                      .SetControl(idRadioFlat)
                                                      .SetChoiceList(_T("x\ny\nz"))
                                                      .SetValue(c.pszStart));
        m_grid.SetCurrentCell(1, 2);
        MemoryCanvas canvas(400, 300, rgbFill);
        m_grid.GetControl(1, 2)->Draw(&canvas.Dc(), m_grid.CalcRectFromRowCol(1, 2), 1, 2,
                                      *m_grid.GetComposedStyle(1, 2), nullptr);
        m_grid.SendMessage(WM_CHAR, _T(' '), 0);
        EXPECT_EQ(Value(), c.pszAfterSpace) << CW2A(c.pszStart);
    }
}

TEST_F(ButtonCellsTest, MovingTheCurrentCellBindsTheNewCellsControl)
{
    m_grid.SetStyleRangeShort(CGXRange(1, 2), CGXStyle().SetControl(idRadioFlat).SetChoiceList(_T("a\nb")));
    m_grid.SetCurrentCell(1, 3);
    m_grid.SetCurrentCell(1, 2);
    CGXControl* pControl = m_grid.GetCurrentCellControl();
    ASSERT_EQ(pControl, m_grid.GetRegisteredControl(idRadioFlat));
    EXPECT_TRUE(pControl->IsActiveAt(1, 2));
}

TEST_F(ButtonCellsTest, AReadOnlyRadioCellRefuses)
{
    m_grid.GetParam()->m_bLockReadOnly = FALSE;
    m_grid.SetStyleRangeShort(CGXRange(1, 2),
                              CGXStyle().SetControl(idRadioFlat).SetChoiceList(_T("a\nb")).SetReadOnly(TRUE));
    m_grid.GetParam()->m_bLockReadOnly = TRUE;
    const CRect rect = m_grid.CalcRectFromRowCol(1, 2);
    Click(CPoint(rect.left + 9, rect.top + 5));
    m_grid.SendMessage(WM_CHAR, _T(' '), 0);
    EXPECT_EQ(Value(), _T(""));
    EXPECT_EQ(m_grid.m_nClicks, 0);
}

TEST_F(ButtonCellsTest, AFrozenRowsButtonIsHitWhereItIsDrawn)
{
    m_grid.SetFrozenRows(1, 0);
    m_grid.SetStyleRangeShort(CGXRange(1, 2), CGXStyle().SetControl(idRadioFlat).SetChoiceList(_T("a\nb")));
    m_grid.SetTopRow(3);
    const CRect rect = m_grid.CalcRectFromRowCol(1, 2);
    const int h = LineHeight();
    Click(CPoint(rect.left + 9, rect.top + h + h / 2));
    EXPECT_EQ(Value(), _T("1"));
}

TEST_F(ButtonCellsTest, FlatAnd3dLooksAndTheTheme)
{
    m_grid.SetStyleRangeShort(CGXRange(1, 2), CGXStyle().SetControl(idRadioFlat).SetChoiceList(_T("a\nb")).SetValue(
                                                  _T("1")).SetInteriorColor(RGB(0, 128, 0)));
    const CRect cell(0, 0, 120, 60);
    for (WORD nId : {idRadioFlat, idRadio3d})
    {
        MemoryCanvas canvas(200, 100, rgbFill);
        CGXStyle style(*m_grid.GetComposedStyle(1, 2));
        style.SetControl(nId);
        m_grid.GetRegisteredControl(nId)->Draw(&canvas.Dc(), cell, 1, 2, style, nullptr);
        CFont* pOld = m_grid.LoadFont(&canvas.Dc(), style, nullptr);
        const int h = CGXRadioButton::LineHeight(&canvas.Dc());
        canvas.Dc().SelectObject(pOld);
        CRect client;
        m_grid.GetRegisteredControl(nId)->GetCellClientRect(client, 1, 2, &cell, &style);
        const int yA = client.top + (h - 12) / 2;
        const int yB = yA + h;
        const int x0 = client.left;
        // Circle boxes at x 3: the centre is white when unchecked and black when checked.
        EXPECT_EQ(canvas.Pixel(x0 + 3 + 6, yA + 6), rgbWhite) << nId;
        EXPECT_EQ(canvas.Pixel(x0 + 3 + 6, yB + 6), rgbBlack) << nId;
        if (nId == idRadio3d)
        {
            EXPECT_EQ(canvas.Pixel(x0 + 3 + 1, yA + 3), RGB(128, 128, 128)) << "outer ring upper left";
            EXPECT_EQ(canvas.Pixel(x0 + 3 + 13, yA + 6), RGB(192, 192, 192)) << "the image's silver edge";
        }
        else
            EXPECT_EQ(canvas.Pixel(x0 + 3, yA + 6), rgbBlack) << "flat outline";
    }
    FakeThemeLibrary themed;
    MemoryCanvas canvas(200, 100, rgbFill);
    const auto draw = [&] {
        m_grid.GetRegisteredControl(idRadioFlat)
            ->Draw(&canvas.Dc(), cell, 1, 2, *m_grid.GetComposedStyle(1, 2), nullptr);
    };
    draw();
    EXPECT_EQ(themed.State().parts, (std::vector<std::pair<int, int>>{{2, 1}, {2, 5}}));
    // Every button of every picture draws with the data the grid opened once.
    for (int i = 0; i < 5; ++i)
        draw();
    EXPECT_EQ(themed.State().parts.size(), 12u);
    EXPECT_EQ(themed.State().classes, std::vector<std::wstring>{L"BUTTON"});
    EXPECT_EQ(themed.State().nThemesClosed, 0);

    m_grid.SendMessage(WM_THEMECHANGED);
    EXPECT_EQ(themed.State().nThemesClosed, 1);
    draw();
    EXPECT_EQ(themed.State().classes, (std::vector<std::wstring>{L"BUTTON", L"BUTTON"}));
}
} // namespace
