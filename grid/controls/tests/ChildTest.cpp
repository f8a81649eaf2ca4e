#include "GridTestSupport.h"

#include <grid/controls/ArrowButton.h>
#include <grid/controls/ComboBoxButton.h>
#include <grid/controls/HotSpotButton.h>
#include <grid/core/Style.h>
#include <testing/FakeThemeLibrary.h>
#include <testing/MemoryCanvas.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
constexpr COLORREF rgbBlack = RGB(0, 0, 0);
constexpr COLORREF rgbCanvas = RGB(1, 2, 3);

// A control that counts the clicks of its children.
class ClickCounter : public CGXControl
{
public:
    using CGXControl::CGXControl;
    BOOL OnChildClicked(CGXChild* pChild) override
    {
        m_clicks.push_back(pChild);
        return TRUE;
    }
    std::vector<CGXChild*> m_clicks;
};

class ChildTest : public HiddenGridTest
{
protected:
    template <class BUTTON> BUTTON* Add(const CRect& rect)
    {
        BUTTON* pButton = new BUTTON(&m_control);
        m_control.AddChild(pButton);
        pButton->SetRect(rect);
        return pButton;
    }

    ClickCounter m_control{&m_grid};
};

TEST_F(ChildTest, ButtonClicksOnlyWhenReleasedInside)
{
    CGXButton* pButton = Add<CGXButton>(CRect(10, 10, 30, 25));
    const CPoint inside(15, 15);
    const CPoint outside(50, 15);

    EXPECT_TRUE(pButton->OnLButtonDown(0, inside));
    EXPECT_TRUE(pButton->IsPressed());
    EXPECT_TRUE(pButton->OnMouseMove(0, outside));
    EXPECT_FALSE(pButton->IsPressed()) << "the pressed look follows the pointer";
    EXPECT_TRUE(pButton->OnLButtonUp(0, outside));
    EXPECT_TRUE(m_control.m_clicks.empty());
    EXPECT_FALSE(pButton->IsTracking());

    pButton->OnLButtonDown(0, inside);
    pButton->OnMouseMove(0, outside);
    pButton->OnMouseMove(0, inside);
    EXPECT_TRUE(pButton->IsPressed());
    pButton->OnLButtonUp(0, inside);
    ASSERT_EQ(m_control.m_clicks.size(), 1u);
    EXPECT_EQ(m_control.m_clicks[0], pButton);

    pButton->OnLButtonDown(0, inside);
    m_control.CancelChildTracking();
    EXPECT_FALSE(pButton->IsPressed());
    EXPECT_FALSE(pButton->IsTracking());
    pButton->OnLButtonUp(0, inside);
    EXPECT_EQ(m_control.m_clicks.size(), 1u) << "a cancelled press clicks nothing";
}

TEST_F(ChildTest, SpaceBarClicksTheFocusChild)
{
    Add<CGXButton>(CRect(0, 0, 10, 10));
    CGXButton* pButton = Add<CGXButton>(CRect(10, 0, 20, 10));
    m_control.SetFocusChild(pButton);
    EXPECT_FALSE(m_control.OnKeyMessage(WM_KEYDOWN, 'A', 1, 0));
    EXPECT_FALSE(m_control.OnKeyMessage(WM_KEYUP, VK_SPACE, 1, 0)) << "not pressed yet";
    EXPECT_TRUE(m_control.OnKeyMessage(WM_KEYDOWN, VK_SPACE, 1, 0));
    EXPECT_TRUE(pButton->IsPressed());
    EXPECT_TRUE(m_control.OnKeyMessage(WM_KEYUP, VK_SPACE, 1, 0));
    EXPECT_FALSE(pButton->IsPressed());
    ASSERT_EQ(m_control.m_clicks.size(), 1u);
    EXPECT_EQ(m_control.m_clicks[0], pButton);
}

DWORD g_dwNow = 0;
DWORD TestTicks()
{
    return g_dwNow;
}

TEST_F(ChildTest, HeldArrowRepeatsFasterDownToFiftyMilliseconds)
{
    CGXArrowButton::SetTickSource(&TestTicks);
    CGXUpArrowButton* pArrow = Add<CGXUpArrowButton>(CRect(0, 0, 12, 10));
    const CPoint inside(5, 5);
    std::vector<DWORD> clickTimes;
    g_dwNow = 1000;
    pArrow->OnLButtonDown(0, inside);
    ASSERT_EQ(m_control.m_clicks.size(), 1u) << "the press clicks at once";
    clickTimes.push_back(g_dwNow);
    for (g_dwNow = 1001; g_dwNow <= 6000; ++g_dwNow)
    {
        pArrow->OnMouseMove(0, inside);
        if (m_control.m_clicks.size() > clickTimes.size())
            clickTimes.push_back(g_dwNow);
    }
    std::vector<DWORD> expected{500};
    for (DWORD nDelay = 150; nDelay > 50; nDelay -= 5)
        expected.push_back(nDelay);
    ASSERT_GT(clickTimes.size(), expected.size() + 3);
    for (size_t i = 0; i + 1 < clickTimes.size(); ++i)
        EXPECT_EQ(clickTimes[i + 1] - clickTimes[i], i < expected.size() ? expected[i] : 50u) << i;

    // Outside the arrow nothing repeats; the release clicks no more.
    const size_t nClicks = m_control.m_clicks.size();
    g_dwNow += 1000;
    pArrow->OnMouseMove(0, CPoint(50, 50));
    pArrow->OnLButtonUp(0, inside);
    EXPECT_EQ(m_control.m_clicks.size(), nClicks);
    EXPECT_FALSE(pArrow->IsPressed());
    CGXArrowButton::SetTickSource(nullptr);
}

TEST_F(ChildTest, HotSpotGlyphNeedsTwelvePixels)
{
    const FakeThemeLibrary classic(FakeThemeLibrary::NONE);
    for (int nHeight : {12, 11})
    {
        ClickCounter control(&m_grid);
        CGXHotSpotButton* pButton = new CGXHotSpotButton(&control);
        control.AddChild(pButton);
        pButton->SetRect(CRect(0, 0, 16, nHeight));
        MemoryCanvas canvas(20, 20, rgbCanvas);
        pButton->DrawDefault(&canvas.Dc(), FALSE);
        // Inside the glyph's (6, 4, 3, 3) block, clear of the edges.
        EXPECT_EQ(canvas.Pixel(7, 5) == rgbBlack, nHeight >= 12) << nHeight;
        EXPECT_EQ(canvas.Pixel(2, 2), ::GetSysColor(COLOR_BTNFACE)) << nHeight;
    }
}

TEST_F(ChildTest, WithoutThemesButtonsDrawTheClassicFaces)
{
    const FakeThemeLibrary classic(FakeThemeLibrary::NONE);
    const COLORREF rgbFace = ::GetSysColor(COLOR_BTNFACE);
    CGXButton* pButton = Add<CGXButton>(CRect(0, 0, 20, 16));
    CGXUpArrowButton* pUp = Add<CGXUpArrowButton>(CRect(20, 0, 40, 16));
    CGXDownArrowButton* pDown = Add<CGXDownArrowButton>(CRect(40, 0, 60, 16));
    CGXComboBoxButton* pCombo = Add<CGXComboBoxButton>(CRect(60, 0, 80, 16));
    MemoryCanvas canvas(80, 16, rgbCanvas);
    pButton->Draw(&canvas.Dc(), FALSE, nullptr);
    pUp->Draw(&canvas.Dc(), FALSE, nullptr);
    pDown->Draw(&canvas.Dc(), FALSE, nullptr);
    pCombo->Draw(&canvas.Dc(), FALSE, nullptr);
    EXPECT_EQ(canvas.Pixel(10, 8), rgbFace);
    EXPECT_EQ(canvas.Pixel(0, 0), ::GetSysColor(COLOR_3DLIGHT)) << "raised edge";
    // The up arrow's tip row is one pixel wide, its base wider; the down arrow the other way.
    int nUpTop = -1;
    int nDownTop = -1;
    for (int y = 0; y < 16 && (nUpTop < 0 || nDownTop < 0); ++y)
    {
        if (nUpTop < 0 && canvas.Pixel(30, y) == rgbBlack)
            nUpTop = y;
        if (nDownTop < 0 && canvas.Pixel(50, y) == rgbBlack)
            nDownTop = y;
    }
    ASSERT_GE(nUpTop, 0);
    ASSERT_GE(nDownTop, 0);
    EXPECT_NE(canvas.Pixel(29, nUpTop), rgbBlack) << "tip";
    EXPECT_EQ(canvas.Pixel(49, nDownTop), rgbBlack) << "base";
    // The drop arrow bitmap lies centred in the combo button.
    int nBlack = 0;
    for (int x = 62; x < 78; ++x)
        for (int y = 2; y < 14; ++y)
            nBlack += canvas.Pixel(x, y) == rgbBlack;
    EXPECT_GT(nBlack, 0);
    EXPECT_EQ(canvas.Pixel(64, 3), rgbFace);

    // Pressed: sunken.
    pButton->OnLButtonDown(0, CPoint(5, 5));
    pButton->Draw(&canvas.Dc(), FALSE, nullptr);
    EXPECT_EQ(canvas.Pixel(0, 0), ::GetSysColor(COLOR_3DSHADOW));
}

TEST_F(ChildTest, ThemedButtonsDrawTheirParts)
{
    FakeThemeLibrary themed;
    CGXButton* pButton = Add<CGXButton>(CRect(0, 0, 20, 16));
    CGXUpArrowButton* pUp = Add<CGXUpArrowButton>(CRect(20, 0, 40, 16));
    CGXDownArrowButton* pDown = Add<CGXDownArrowButton>(CRect(40, 0, 60, 16));
    CGXComboBoxButton* pCombo = Add<CGXComboBoxButton>(CRect(60, 0, 80, 16));
    pDown->OnLButtonDown(0, CPoint(45, 5));
    MemoryCanvas canvas(80, 16, rgbCanvas);
    CGXStyle disabled;
    disabled.SetEnabled(FALSE);
    pButton->Draw(&canvas.Dc(), FALSE, nullptr);
    pUp->Draw(&canvas.Dc(), FALSE, nullptr);
    pDown->Draw(&canvas.Dc(), FALSE, nullptr);
    pCombo->Draw(&canvas.Dc(), FALSE, &disabled);
    // Each class is opened once for the grid.
    const std::vector<std::wstring> classes{L"BUTTON", L"SPIN", L"COMBOBOX"};
    const std::vector<std::pair<int, int>> parts{{1, 1}, {1, 1}, {2, 3}, {1, 4}};
    EXPECT_EQ(themed.State().classes, classes);
    EXPECT_EQ(themed.State().parts, parts);
    EXPECT_EQ(themed.State().nEdges, 1) << "the combo button's edge";
    EXPECT_EQ(canvas.Pixel(10, 8), rgbCanvas) << "no classic face under a theme";
}

TEST_F(ChildTest, TheGridKeepsThemeDataUntilTheThemeChanges)
{
    FakeThemeLibrary themed;
    CGXButton* pButton = Add<CGXButton>(CRect(0, 0, 20, 16));
    MemoryCanvas canvas(20, 16, rgbCanvas);
    for (int i = 0; i < 3; ++i)
        pButton->Draw(&canvas.Dc(), FALSE, nullptr);
    EXPECT_EQ(themed.State().classes, std::vector<std::wstring>{L"BUTTON"});
    EXPECT_EQ(themed.State().nThemesClosed, 0);

    // The new theme's data is opened for the next picture.
    m_grid.SendMessage(WM_THEMECHANGED);
    EXPECT_EQ(themed.State().nThemesClosed, 1);
    themed.State().clrBackground = RGB(0, 128, 0);
    pButton->Draw(&canvas.Dc(), FALSE, nullptr);
    EXPECT_EQ(themed.State().classes, (std::vector<std::wstring>{L"BUTTON", L"BUTTON"}));
    EXPECT_EQ(canvas.Pixel(10, 8), RGB(0, 128, 0));
}

TEST_F(ChildTest, FaceColourAttributeTakesTheClassicFace)
{
    FakeThemeLibrary themed;
    CGXButton* pButton = Add<CGXButton>(CRect(0, 0, 20, 16));
    CGXStyle style;
    style.SetUserAttribute(52569, _T("255")); // red
    MemoryCanvas canvas(20, 16, rgbCanvas);
    pButton->Draw(&canvas.Dc(), FALSE, &style);
    EXPECT_EQ(canvas.Pixel(10, 8), RGB(255, 0, 0));
    EXPECT_TRUE(themed.State().classes.empty());
}

TEST_F(ChildTest, ControlRoutesTheMouseToTheChildUnderThePoint)
{
    // Children laid out by the control: a button at the right of the cell.
    class ButtonCell : public ClickCounter
    {
    public:
        explicit ButtonCell(CGXGridCore* pGrid) : ClickCounter(pGrid)
        {
            AddChild(m_pButton = new CGXButton(this));
        }
        void LayoutChildren(ROWCOL, ROWCOL, const CRect& rect) override
        {
            m_pButton->SetRect(CRect(rect.right - 10, rect.top, rect.right, rect.bottom));
        }
        CGXButton* m_pButton;
    };
    ButtonCell control(&m_grid);
    EXPECT_FALSE(control.OnLButtonDown(0, CPoint(0, 0))) << "unbound";
    control.Init(2, 2);
    CRect rect;
    control.m_pButton->GetRect(rect);
    ASSERT_FALSE(rect.IsRectEmpty());
    EXPECT_FALSE(control.OnLButtonDown(0, CPoint(rect.left - 5, rect.top + 2)));
    EXPECT_EQ(control.GetFocusChild(), nullptr);
    EXPECT_TRUE(control.OnLButtonDown(0, rect.CenterPoint()));
    EXPECT_EQ(control.GetFocusChild(), control.m_pButton);
    EXPECT_TRUE(control.OnMouseMove(0, rect.CenterPoint()));
    EXPECT_TRUE(control.OnLButtonUp(0, rect.CenterPoint()));
    EXPECT_EQ(control.m_clicks.size(), 1u);
    EXPECT_EQ(control.GetChild(0), control.m_pButton);
    control.RemoveChild(control.m_pButton);
    EXPECT_EQ(control.GetFocusChild(), nullptr);
    EXPECT_EQ(control.GetChildCount(), 0);
    delete control.m_pButton;
}
} // namespace
