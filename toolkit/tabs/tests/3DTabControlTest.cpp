#include "TabSpy.h"

#include <testing/MemoryCanvas.h>
#include <testing/PrintString.h>
#include <toolkit/foundation/AuxData.h>
#include <toolkit/foundation/Colors.h>
#include <toolkit/foundation/VisualStyle.h>
#include <toolkit/tabs/3DTabControl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

using namespace tarnwick::tabs;

namespace
{
// Every character is 7 pixels wide, so that fitting does not depend on the fonts at hand.
constexpr int CHAR_WIDTH = 7;

class CMeasured3DTabControl : public SEC3DTabControl
{
protected:
    int MeasureLabel(const CString& label) const override
    {
        return CHAR_WIDTH * label.GetLength();
    }
};

// Hidden strips under a spy parent; the visual style is put back afterwards.
class ThreeDTabControlTest : public ::testing::Test
{
protected:
    ThreeDTabControlTest() : m_nOldStyle(SECGetVisualStyle())
    {
    }
    ~ThreeDTabControlTest() override
    {
        SECSetVisualStyle(m_nOldStyle != 0 ? m_nOldStyle : 1);
    }
    void Create(DWORD dwStyle, int cx, int cy, const std::vector<CString>& labels)
    {
        ASSERT_TRUE(m_control.Create(dwStyle | WS_VISIBLE, CRect(0, 0, cx, cy), &m_spy, kControlId));
        for (const CString& label : labels)
            m_control.AddTab(label);
    }
    std::vector<CString> Shown() const
    {
        std::vector<CString> shown;
        for (int i = 0; i < m_control.GetTabCount(); ++i)
            shown.push_back(m_control.GetTab3D(i).m_csLabel);
        return shown;
    }
    std::vector<BOOL> Tips() const
    {
        std::vector<BOOL> tips;
        for (int i = 0; i < m_control.GetTabCount(); ++i)
            tips.push_back(m_control.GetTab3D(i).m_bToolTip);
        return tips;
    }
    void Resize(int cx, int cy)
    {
        m_control.SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER);
    }
    int Active()
    {
        int nIndex = -1;
        return m_control.GetActiveTab(nIndex) ? nIndex : -1;
    }

    static constexpr UINT kControlId = 9;
    int m_nOldStyle;
    CTabSpy m_spy;
    CMeasured3DTabControl m_control;
};

TEST_F(ThreeDTabControlTest, LabelsShortenWidestFirstAndGetTipsOfTheirFullText)
{
    // Tab length: 6 + label + 6, and a strip fits when it is longer than the total + 12.
    const std::vector<CString> labels = {_T("Lumiter5"), _T("System"), _T("Instance")};
    Create(TWS_TABS_BOTTOM, 210, 30, labels);
    EXPECT_EQ(Shown(), labels);
    EXPECT_EQ(Tips(), (std::vector<BOOL>{FALSE, FALSE, FALSE}));
    EXPECT_EQ(m_control.OnToolHitTest(m_control.GetTab3D(1).m_rect.CenterPoint(), nullptr), -1);

    struct Case
    {
        int cx;
        std::vector<CString> shown;
        std::vector<BOOL> tips;
    };
    const Case cases[] = {
        // "..." would fit: the widest labels give up characters until all fit.
        {180, {_T("Lum..."), _T("System"), _T("Ins...")}, {TRUE, FALSE, TRUE}},
        // Not even "..." fits: every tab gets a tip, the widest lose their last character.
        {100, {_T(".."), _T(".."), _T("...")}, {TRUE, TRUE, TRUE}},
        // Wide again: the full labels come back.
        {210, labels, {FALSE, FALSE, FALSE}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "strip " << c.cx);
        Resize(c.cx, 30);
        EXPECT_EQ(Shown(), c.shown);
        EXPECT_EQ(Tips(), c.tips);
        EXPECT_TRUE(m_control.AreLabelsShown());
    }

    Resize(180, 30);
    TOOLINFO ti{};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(m_control.OnToolHitTest(m_control.GetTab3D(2).m_rect.CenterPoint(), &ti), 3);
    EXPECT_EQ(ti.uId, 3u);
    EXPECT_EQ(CRect(ti.rect), m_control.GetTab3D(2).m_rect);
    EXPECT_STREQ(ti.lpszText, _T("Instance"));
    std::free(ti.lpszText);
    EXPECT_EQ(m_control.OnToolHitTest(m_control.GetTab3D(1).m_rect.CenterPoint(), nullptr), -1);

    // GetTabInfo answers the full label.
    LPCTSTR lpszLabel = nullptr;
    BOOL bSelected = FALSE;
    void* pClient = nullptr;
    DWORD dw1 = 0;
    DWORD dw2 = 0;
    ASSERT_TRUE(m_control.GetTabInfo(0, lpszLabel, bSelected, pClient, dw1, dw2));
    EXPECT_STREQ(lpszLabel, _T("Lumiter5"));
}

TEST_F(ThreeDTabControlTest, AStripOf19PixelsOrLessATabShowsOnlyIcons)
{
    Create(TWS_TABS_BOTTOM, 57, 30, {_T("System"), _T("Host"), _T("Database")});
    for (int i = 0; i < 3; ++i)
        m_control.SetTabIcon(i, 136 - i, 16, 16);
    EXPECT_FALSE(m_control.AreLabelsShown());
    // Without labels a tab is 6 + 19 long.
    EXPECT_EQ(m_control.GetTab3D(0).m_rect.Width(), 25);
    // Without labels or fitting, every tab has a tip.
    m_control.EnableLabelFitting(FALSE);
    EXPECT_FALSE(m_control.AreLabelsShown());
    EXPECT_EQ(m_control.OnToolHitTest(m_control.GetTab3D(1).m_rect.CenterPoint(), nullptr), 2);

    m_control.EnableLabelFitting(TRUE);
    Resize(3 * (12 + 19 + 8 * CHAR_WIDTH) + 13, 30);
    EXPECT_TRUE(m_control.AreLabelsShown());
    EXPECT_EQ(Shown(), (std::vector<CString>{_T("System"), _T("Host"), _T("Database")}));
    EXPECT_EQ(m_control.GetTab3D(0).m_rect.Width(), 25 + 6 * CHAR_WIDTH + 6);
}

TEST_F(ThreeDTabControlTest, TabsStandFromTheStripsStartOnTheirSideOfThePage)
{
    struct Case
    {
        DWORD dwStyle;
        CPoint ptFirst;
        bool bHorizontal;
    };
    // A strip of 400 x 300 with the tabs "ab" (length 26) and "abcd" (length 40).
    const Case cases[] = {
        {TWS_TABS_BOTTOM | TWS_MODERN, {7, 2}, true},
        {TWS_TABS_TOP | TWS_MODERN, {7, 300 - 25}, true},
        {TWS_TABS_LEFT | TWS_MODERN, {400 - 25, 7}, false},
        {TWS_TABS_RIGHT | TWS_MODERN, {2, 7}, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "style " << c.dwStyle);
        CMeasured3DTabControl control;
        ASSERT_TRUE(control.Create(c.dwStyle | WS_VISIBLE, CRect(0, 0, 400, 300), &m_spy, 1));
        control.AddTab(_T("ab"));
        control.AddTab(_T("abcd"));
        control.ActivateTab(1);
        const CSize along0 = c.bHorizontal ? CSize(26, 22) : CSize(22, 26);
        const CSize along1 = c.bHorizontal ? CSize(40, 22) : CSize(22, 40);
        EXPECT_EQ(control.GetTab3D(0).m_rect, CRect(c.ptFirst, along0));
        const CPoint ptSecond =
            c.bHorizontal ? CPoint(c.ptFirst.x + 26, c.ptFirst.y) : CPoint(c.ptFirst.x, c.ptFirst.y + 26);
        // The modern look does not enlarge the active tab.
        EXPECT_EQ(control.GetTab3D(1).m_rect, CRect(ptSecond, along1));
        control.DestroyWindow();
    }
}

TEST_F(ThreeDTabControlTest, TheClassicActiveTabGrowsAwayFromThePage)
{
    Create(TWS_TABS_BOTTOM, 400, 30, {_T("ab"), _T("abcd")});
    m_control.ActivateTab(1);
    EXPECT_EQ(m_control.GetTab3D(1).m_rect, CRect(7 + 26 - 3, 2, 7 + 26 + 40 + 3, 2 + 22 + 3));
    EXPECT_EQ(m_control.GetTab3D(0).m_rect, CRect(7, 2, 7 + 26, 24));
    m_control.ModifyStyle(0, TWS_NOACTIVE_GROW);
    m_control.RecalcLayout();
    EXPECT_EQ(m_control.GetTab3D(1).m_rect, CRect(7 + 26, 2, 7 + 26 + 40, 24));
}

TEST_F(ThreeDTabControlTest, ArrowKeysSkipDisabledTabsAndStopAtTheEnds)
{
    Create(TWS_TABS_BOTTOM | TWS_MODERN, 400, 30, {_T("a"), _T("b"), _T("c"), _T("d")});
    m_control.EnableTab(1, FALSE);
    EXPECT_FALSE(m_control.IsTabEnabled(1));
    m_control.ActivateTab(0);
    m_spy.Take();
    struct Key
    {
        UINT nKey;
        int nActive;
    };
    const Key keys[] = {{VK_RIGHT, 2}, {VK_DOWN, 3}, {VK_RIGHT, 3}, {VK_LEFT, 2}, {VK_UP, 0}, {VK_LEFT, 0}};
    for (const Key& key : keys)
    {
        m_control.SendMessage(WM_KEYDOWN, key.nKey, 0);
        EXPECT_EQ(Active(), key.nActive) << "key " << key.nKey;
    }
    EXPECT_EQ(m_spy.Take(), (std::vector<TabMessage>{Sel(2), Sel(3), Sel(2), Sel(0)}));

    // A click on a disabled tab does nothing.
    const CPoint pt = m_control.GetTab3D(1).m_rect.CenterPoint();
    m_control.SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(Active(), 0);
}

TEST_F(ThreeDTabControlTest, IconsLoadAtTheAskedSize)
{
    Create(TWS_TABS_BOTTOM, 400, 30, {_T("a"), _T("b")});
    m_control.SetTabIcon(0, 136, 16, 16);
    m_control.SetTabIcon(1, 137, 32, 32);
    for (int i = 0; i < 2; ++i)
    {
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(m_control.GetTab3D(i).m_hIcon, &info));
        BITMAP bm{};
        ::GetObject(info.hbmMask, sizeof(bm), &bm);
        EXPECT_EQ(bm.bmWidth, i == 0 ? 16 : 32);
        ::DeleteObject(info.hbmMask);
        if (info.hbmColor != nullptr)
            ::DeleteObject(info.hbmColor);
    }
    // The icon adds 19 to the tab: 6 + 19 + label + 6.
    EXPECT_EQ(m_control.GetTab3D(0).m_rect.Width(), 25 + CHAR_WIDTH + 6);
}

bool Near(COLORREF a, COLORREF b, int nTolerance = 6)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= nTolerance && std::abs(GetGValue(a) - GetGValue(b)) <= nTolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= nTolerance;
}

TEST_F(ThreeDTabControlTest, TheToolkitStyleFillsTheActiveTabWithAGradientOverAShadedStrip)
{
    ASSERT_TRUE(SECSetVisualStyle(3));
    const COLORREF clrEdge = SECGetStyleColor2(2);
    const COLORREF clrMiddle = SECGetStyleColor2(1);
    ASSERT_FALSE(Near(clrEdge, clrMiddle, 20)) << "the theme colours must differ for this test";
    Create(TWS_TABS_BOTTOM | TWS_MODERN, 200, 30, {_T("abcdefgh"), _T("abcdefgh"), _T("abcdefgh")});
    m_control.ActivateTab(1);
    MemoryCanvas canvas(200, 30, RGB(255, 0, 255));
    m_control.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Hdc()), PRF_CLIENT);

    // The strip: from the edge colour at the top to the middle colour half way down.
    EXPECT_TRUE(Near(canvas.Pixel(2, 0), clrEdge));
    EXPECT_TRUE(Near(canvas.Pixel(2, 14), clrMiddle));
    EXPECT_TRUE(Near(canvas.Pixel(2, 29), clrEdge));
    // The active tab: left to right from the middle colour to the edge colour.
    const CRect rcActive = m_control.GetTab3D(1).m_rect;
    EXPECT_TRUE(Near(canvas.Pixel(rcActive.left + 2, rcActive.top + 2), clrMiddle));
    EXPECT_TRUE(Near(canvas.Pixel(rcActive.right - 4, rcActive.top + 2), clrEdge, 12));
    // An inactive tab is not filled: the strip's shade shows through it.
    const CRect rcInactive = m_control.GetTab3D(2).m_rect;
    for (int y : {rcInactive.top + 1, rcInactive.top + 10})
        EXPECT_EQ(canvas.Pixel(rcInactive.left + 2, y), canvas.Pixel(2, y)) << "row " << y;
}

TEST_F(ThreeDTabControlTest, TheModernLookWithoutToolkitStyleShadesInactiveTabs)
{
    ASSERT_TRUE(SECSetVisualStyle(1));
    Create(TWS_TABS_BOTTOM | TWS_MODERN, 200, 30, {_T("abcdefgh"), _T("abcdefgh")});
    m_control.ActivateTab(0);
    MemoryCanvas canvas(200, 30, RGB(255, 0, 255));
    m_control.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Hdc()), PRF_CLIENT);

    // Button highlight with its saturation raised by 100 on the 0..240 scale.
    WORD hue = 0;
    WORD lightness = 0;
    WORD saturation = 0;
    SECHlsFromRgb(::GetSysColor(COLOR_BTNHIGHLIGHT), &hue, &lightness, &saturation);
    const COLORREF clrInactive = SECRgbFromHls(hue, lightness, static_cast<WORD>(std::min(saturation + 100, 240)));
    const CRect rcActive = m_control.GetTab3D(0).m_rect;
    const CRect rcInactive = m_control.GetTab3D(1).m_rect;
    EXPECT_EQ(canvas.Pixel(rcActive.left + 2, rcActive.top + 2), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(canvas.Pixel(rcInactive.left + 2, rcInactive.top + 1), clrInactive);
    // The separator at the inactive tab's right edge, inside the column the fill leaves out.
    EXPECT_EQ(canvas.Pixel(rcInactive.right - 2, rcInactive.top + 5), ::GetSysColor(COLOR_BTNSHADOW));
}
TEST_F(ThreeDTabControlTest, DraggingTheActiveTabMovesItOnceThePointerPassesTheNeighbour)
{
    Create(TWS_TABS_BOTTOM | TWS_MODERN | TWS_DRAGGABLE, 400, 30, {_T("aaaa"), _T("bb"), _T("cccccc")});
    int clients[3] = {0, 1, 2};
    for (int i = 0; i < 3; ++i)
        m_control.GetTab(i).m_pClient = &clients[i];
    const CPoint ptFirst = m_control.GetTab3D(0).m_rect.CenterPoint();
    m_control.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptFirst.x, ptFirst.y));
    EXPECT_EQ(Active(), 0);

    // Tab 0 is 40 long, tab 1 26: the move waits until the pointer is past 7 + 26.
    const int y = ptFirst.y;
    m_control.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(7 + 26, y));
    EXPECT_EQ(m_control.GetTab(0).m_pClient, &clients[0]);
    m_control.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(7 + 40 + 2, y));
    EXPECT_EQ(m_control.GetTab(0).m_pClient, &clients[1]);
    EXPECT_EQ(m_control.GetTab(1).m_pClient, &clients[0]);
    EXPECT_EQ(Active(), 1);
    m_control.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(7 + 40 + 2, y));
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(ThreeDTabControlTest, ADisabledTabsIconIsEmbossed)
{
    ASSERT_TRUE(SECSetVisualStyle(1));
    Create(TWS_TABS_BOTTOM, 200, 30, {_T("a"), _T("b")});
    m_control.SetTabIcon(0, 136, 16, 16);
    m_control.SetTabIcon(1, 136, 16, 16);
    m_control.EnableTab(1, FALSE);
    MemoryCanvas canvas(200, 30, RGB(255, 0, 255));
    m_control.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Hdc()), PRF_CLIENT);
    // The icon's middle: the system's dark blue screen when enabled, the shadow colour when
    // disabled.
    const auto iconMiddle = [&](int i) {
        const CRect& rect = m_control.GetTab3D(i).m_rect;
        return canvas.Pixel(rect.left + 6 + 8, rect.CenterPoint().y);
    };
    EXPECT_EQ(iconMiddle(0), RGB(0, 0, 160));
    EXPECT_EQ(iconMiddle(1), ::GetSysColor(COLOR_BTNSHADOW));
}

TEST_F(ThreeDTabControlTest, ClassicTabsAreLitFromTheLeftWithACutCorner)
{
    ASSERT_TRUE(SECSetVisualStyle(1));
    Create(TWS_TABS_BOTTOM, 300, 30, {_T("abcdefgh"), _T("abcdefgh"), _T("abcdefgh")});
    m_control.ActivateTab(0);
    MemoryCanvas canvas(300, 30, RGB(255, 0, 255));
    m_control.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Hdc()), PRF_CLIENT);
    // A tab away from the enlarged active one: highlight at its left, black at its right and
    // bottom, shadow just inside, and the bottom-right corner cut.
    const CRect rect = m_control.GetTab3D(2).m_rect;
    const int R = rect.right - 1;
    const int B = rect.bottom - 1;
    EXPECT_EQ(canvas.Pixel(rect.left, rect.top + 5), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.Pixel(R, rect.top + 5), RGB(0, 0, 0));
    EXPECT_EQ(canvas.Pixel(R - 1, rect.top + 5), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.Pixel(rect.left + 5, B), RGB(0, 0, 0));
    EXPECT_EQ(canvas.Pixel(R, B), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(canvas.Pixel(rect.left + 5, rect.top + 3), ::GetSysColor(COLOR_BTNFACE));
}
} // namespace
