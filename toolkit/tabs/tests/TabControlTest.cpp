#include "TabSpy.h"

#include <testing/MemoryCanvas.h>

#include <toolkit/tabs/TabControl.h>

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

using namespace tarnwick::tabs;

namespace
{
constexpr int STRIP_WIDTH = 300;
constexpr int STRIP_HEIGHT = 20;

// Labels are their own text widths, so that the geometry does not depend on fonts.
class CFixedTabControl : public SECTabControl
{
public:
    int GetTabTextWidth(int nIndex) override
    {
        return _ttoi(GetTab(nIndex).m_csLabel);
    }
};

class TabControlTest : public ::testing::Test
{
protected:
    void Create(DWORD dwStyle, const std::vector<int>& textWidths)
    {
        ASSERT_TRUE(m_control.Create(dwStyle | WS_VISIBLE, CRect(0, 0, STRIP_WIDTH, STRIP_HEIGHT), &m_spy, 5));
        for (int cx : textWidths)
        {
            CString label;
            label.Format(_T("%d"), cx);
            m_control.AddTab(label);
        }
        m_textWidths = textWidths;
    }
    // Buttons are as wide as a horizontal scroll bar is high, plus one.
    int ButtonsWidth() const
    {
        int nButtons = 0;
        for (UINT nMask = m_control.GetButtonMask(); nMask != 0; nMask &= nMask - 1)
            ++nButtons;
        return nButtons * (::GetSystemMetrics(SM_CYHSCROLL) + 1);
    }
    // The left edge of a tab, from the documented rule rather than from the control.
    int ExpectedLeft(int nIndex) const
    {
        int x = ButtonsWidth() + m_control.GetScrollOffset();
        for (int i = 0; i < nIndex; ++i)
            x += m_textWidths[i] + SECTabControl::TAB_EXTRA_WIDTH - SECTabControl::TAB_OVERLAP;
        return x;
    }
    int ExpectedWidth(int nIndex) const
    {
        return m_textWidths[nIndex] + SECTabControl::TAB_EXTRA_WIDTH;
    }
    CPoint Centre(int nIndex) const
    {
        return CPoint(ExpectedLeft(nIndex) + ExpectedWidth(nIndex) / 2, STRIP_HEIGHT / 2);
    }
    // A press of a scroll button that is released at once.
    void Press(UINT nButton)
    {
        m_control.PostMessage(WM_LBUTTONUP);
        m_control.OnButton(nButton);
    }
    void Click(int nIndex, UINT nKeys = 0)
    {
        const CPoint pt = Centre(nIndex);
        m_control.SendMessage(WM_LBUTTONDOWN, nKeys, MAKELPARAM(pt.x, pt.y));
        m_control.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    }
    int Active()
    {
        int nIndex = -1;
        return m_control.GetActiveTab(nIndex) ? nIndex : -1;
    }

    CTabSpy m_spy;
    CFixedTabControl m_control;
    std::vector<int> m_textWidths;
};

TEST_F(TabControlTest, TabsAreOverlappingTrapezoidsWiderTowardsThePage)
{
    Create(TCS_TABS_FULLSCROLL, {30, 50, 40});
    for (int nOffsetSteps = 0; nOffsetSteps < 2; ++nOffsetSteps)
    {
        for (int i = 0; i < 3; ++i)
        {
            SCOPED_TRACE(testing::Message() << "tab " << i << ", offset " << m_control.GetScrollOffset());
            const int x0 = ExpectedLeft(i);
            const int cx = ExpectedWidth(i);
            const int yBottom = STRIP_HEIGHT - 1;
            EXPECT_TRUE(m_control.HitTestTab(i, CPoint(x0 + 1, 0)));
            EXPECT_TRUE(m_control.HitTestTab(i, CPoint(x0 + cx - 2, 0)));
            EXPECT_FALSE(m_control.HitTestTab(i, CPoint(x0 + cx + 1, 0)));
            // The slant: 6 pixels in at the bottom on both sides.
            EXPECT_FALSE(m_control.HitTestTab(i, CPoint(x0 + 3, yBottom)));
            EXPECT_TRUE(m_control.HitTestTab(i, CPoint(x0 + SECTabControl::TAB_SLANT + 1, yBottom)));
            EXPECT_FALSE(m_control.HitTestTab(i, CPoint(x0 + cx - 3, yBottom)));
            EXPECT_EQ(m_control.GetTab(i).m_nWidth, cx);
        }
        // Scrolled right to left, the row moves with the offset.
        m_control.ActivateTab(2);
        m_control.SetWindowPos(nullptr, 0, 0, ButtonsWidth() + 100, STRIP_HEIGHT, SWP_NOMOVE | SWP_NOZORDER);
        m_control.ScrollToTab(2);
        ASSERT_LT(m_control.GetScrollOffset(), 0);
    }
}

TEST_F(TabControlTest, ButtonsFollowTheOffsetAndClampIt)
{
    constexpr UINT FIRST_PREV = SECTabControl::BUTTON_FIRST | SECTabControl::BUTTON_PREV;
    constexpr UINT NEXT_LAST = SECTabControl::BUTTON_NEXT | SECTabControl::BUTTON_LAST;
    Create(TCS_TABS_FULLSCROLL, {});
    EXPECT_EQ(m_control.GetButtonMask(), SECTabControl::ALL_BUTTONS);
    EXPECT_EQ(m_control.GetDisabledButtons(), SECTabControl::ALL_BUTTONS);
    Press(SECTabControl::BUTTON_NEXT);
    EXPECT_EQ(m_control.GetScrollOffset(), 0);

    // Six tabs of 80: the row ends 6 * 80 - 5 * 5 pixels after the area's left edge.
    for (int i = 0; i < 6; ++i)
        m_control.AddTab(_T("60"));
    m_textWidths.assign(6, 60);
    const int nEnd = STRIP_WIDTH - (ButtonsWidth() + 6 * 80 - 5 * 5);
    ASSERT_LT(nEnd, -30);
    EXPECT_EQ(m_control.GetDisabledButtons(), FIRST_PREV);

    struct Step
    {
        UINT nButton;
        int nOffset;
        UINT nDisabled;
    };
    const Step steps[] = {
        {SECTabControl::BUTTON_NEXT, -10, 0},          {SECTabControl::BUTTON_NEXT, -20, 0},
        {SECTabControl::BUTTON_PREV, -10, 0},          {SECTabControl::BUTTON_LAST, nEnd, NEXT_LAST},
        {SECTabControl::BUTTON_NEXT, nEnd, NEXT_LAST}, // disabled: nothing happens
        {SECTabControl::BUTTON_PREV, nEnd + 10, 0},    {SECTabControl::BUTTON_FIRST, 0, FIRST_PREV},
        {SECTabControl::BUTTON_PREV, 0, FIRST_PREV},
    };
    for (const Step& step : steps)
    {
        SCOPED_TRACE(testing::Message() << "button " << step.nButton);
        Press(step.nButton);
        EXPECT_EQ(m_control.GetScrollOffset(), step.nOffset);
        EXPECT_EQ(m_control.GetDisabledButtons(), step.nDisabled);
    }

    // Widening the strip past the row's end brings the row back and disables next and last.
    Press(SECTabControl::BUTTON_LAST);
    m_control.SetWindowPos(nullptr, 0, 0, ButtonsWidth() + 600, STRIP_HEIGHT, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(m_control.GetScrollOffset(), 0);
    EXPECT_EQ(m_control.GetDisabledButtons(), FIRST_PREV | NEXT_LAST);
}

TEST_F(TabControlTest, ActivatedTabsScrollIntoViewWithAMargin)
{
    Create(TCS_TABS_PREVNEXT, {60, 60, 60, 60, 60, 200, 60});
    const int nAreaLeft = 2 * (::GetSystemMetrics(SM_CYHSCROLL) + 1);
    const auto left = [&](int nIndex) {
        int x = nAreaLeft + m_control.GetScrollOffset();
        for (int i = 0; i < nIndex; ++i)
            x += m_textWidths[i] + 15;
        return x;
    };
    m_control.ActivateTab(4);
    EXPECT_EQ(left(4) + 80, STRIP_WIDTH - SECTabControl::SCROLL_MARGIN);
    m_control.ActivateTab(1);
    EXPECT_EQ(left(1), nAreaLeft + SECTabControl::SCROLL_MARGIN);
    // A tab as wide as the area less the margin gets no margin.
    m_control.SetWindowPos(nullptr, 0, 0, nAreaLeft + 230, STRIP_HEIGHT, SWP_NOMOVE | SWP_NOZORDER);
    m_control.ActivateTab(5);
    EXPECT_EQ(left(5) + 220, nAreaLeft + 230);
    m_control.ActivateTab(0);
    EXPECT_EQ(m_control.GetScrollOffset(), 0);
}

TEST_F(TabControlTest, CtrlClickDropsTheActiveTabAndShiftClickSelectsFromItsIndex)
{
    Create(0, {40, 40, 40, 40, 40});
    Click(1);
    EXPECT_EQ(m_spy.Take(), (std::vector<TabMessage>{Sel(1)}));
    Click(1);
    EXPECT_EQ(m_spy.Take(), (std::vector<TabMessage>{{TCM_TABREACTIVATE, 1, {}}}));

    Click(1, MK_CONTROL);
    EXPECT_EQ(Active(), -1);
    EXPECT_FALSE(m_control.GetTab(1).m_bSelected);
    EXPECT_TRUE(m_spy.Take().empty());

    Click(3, MK_SHIFT);
    EXPECT_EQ(Active(), 3);
    EXPECT_EQ(m_spy.Take(), (std::vector<TabMessage>{Sel(3)}));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(m_control.GetTab(i).m_bSelected, i >= 1 && i <= 3) << "tab " << i;

    // Ctrl adds to the selection; a plain click leaves only the clicked tab.
    Click(0, MK_CONTROL);
    EXPECT_TRUE(m_control.GetTab(0).m_bSelected);
    EXPECT_EQ(Active(), 3);
    Click(4);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(m_control.GetTab(i).m_bSelected, i == 4) << "tab " << i;

    m_control.EnableMultipleSelection(FALSE);
    Click(2, MK_SHIFT);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(m_control.GetTab(i).m_bSelected, i == 2) << "tab " << i;
}

TEST_F(TabControlTest, DoubleClickNamesTheTabHitOrZero)
{
    Create(0, {40, 40, 40});
    const CPoint pt = Centre(2);
    m_control.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(pt.x, pt.y));
    m_control.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(STRIP_WIDTH - 5, STRIP_HEIGHT / 2));
    EXPECT_EQ(m_spy.Take(), (std::vector<TabMessage>{{TCM_TABDBLCLK, 2, {}}, {TCM_TABDBLCLK, 0, {}}}));
}

TEST_F(TabControlTest, AHeldNextButtonStepsAtOnceThenAfter300ThenEvery20Milliseconds)
{
    Create(TCS_TABS_PREVNEXT, std::vector<int>(20, 80));
    CRect rcNext;
    m_control.GetButtonRect(SECTabControl::BUTTON_NEXT, rcNext);
    // A clock that moves one millisecond a reading and lets the button go at a given time:
    // steps fall at 0, 301, 323, 345 and 367.
    const std::pair<DWORD, int> cases[] = {{250, -10}, {310, -20}, {330, -30}, {350, -40}, {380, -50}};
    for (const auto& [dwRelease, nOffset] : cases)
    {
        SCOPED_TRACE(testing::Message() << "released at " << dwRelease);
        Press(SECTabControl::BUTTON_FIRST);
        DWORD dwNow = 0;
        m_control.SetClock([&] {
            if (++dwNow == dwRelease)
                m_control.PostMessage(WM_LBUTTONUP);
            return dwNow;
        });
        m_control.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rcNext.CenterPoint().x, rcNext.CenterPoint().y));
        EXPECT_EQ(m_control.GetScrollOffset(), nOffset);
        m_control.SetClock(&::GetTickCount);
    }
}

TEST_F(TabControlTest, AQuitWhileAButtonIsHeldReachesTheApplicationLoop)
{
    Create(TCS_TABS_PREVNEXT, std::vector<int>(20, 80));
    CRect rcNext;
    m_control.GetButtonRect(SECTabControl::BUTTON_NEXT, rcNext);
    // The clock never repeats a step; it lets go of the button only if the loop kept running.
    DWORD dwNow = 0;
    m_control.SetClock([&] {
        if (++dwNow == 100000)
            m_control.PostMessage(WM_LBUTTONUP);
        return 0;
    });
    ::PostQuitMessage(7);
    m_control.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rcNext.CenterPoint().x, rcNext.CenterPoint().y));

    EXPECT_LT(dwNow, 100000u);
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_EQ(m_control.GetScrollOffset(), -SECTabControl::SCROLL_STEP);
}
TEST_F(TabControlTest, PaintingFillsEachTabInItsPassAndLeavesTheTopLineOpenUnderTheActiveTab)
{
    Create(0, {40, 40, 40});
    m_control.SelectTab(2);
    m_control.ActivateTab(1);
    MemoryCanvas canvas(STRIP_WIDTH, STRIP_HEIGHT, RGB(255, 0, 255));
    m_control.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Hdc()), PRF_CLIENT);

    const int y = 3;
    EXPECT_EQ(canvas.Pixel(ExpectedLeft(0) + 10, y), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(canvas.Pixel(ExpectedLeft(1) + 30, y), ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(canvas.Pixel(ExpectedLeft(2) + 50, y), ::GetSysColor(COLOR_WINDOW));
    // The top line is black but for the active tab's width.
    EXPECT_EQ(canvas.Pixel(ExpectedLeft(0) + 10, 0), RGB(0, 0, 0));
    EXPECT_EQ(canvas.Pixel(ExpectedLeft(1) + 30, 0), ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(canvas.Pixel(STRIP_WIDTH - 5, 0), RGB(0, 0, 0));
    // Past the last tab the strip keeps the button face, and each tab ends in a black bottom edge.
    EXPECT_EQ(canvas.Pixel(STRIP_WIDTH - 5, y), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(canvas.Pixel(ExpectedLeft(0) + 25, STRIP_HEIGHT - 1), RGB(0, 0, 0));
}
} // namespace
