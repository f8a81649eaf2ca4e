#include "TabSpy.h"

#include <toolkit/tabs/3DTabWnd.h>

#include <gtest/gtest.h>

#include <vector>

using namespace tarnwick::tabs;

namespace
{
class C3DTestPage : public CWnd
{
    DECLARE_DYNCREATE(C3DTestPage)
};
IMPLEMENT_DYNCREATE(C3DTestPage, CWnd)

constexpr DWORD APP_STYLE = 0x50000018; // a visible child, strip below the page, modern look

class ThreeDTabWndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tabWnd.Create(&m_spy, APP_STYLE, AFX_IDW_PANE_FIRST));
        m_tabWnd.SetWindowPos(nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
        for (LPCTSTR lpszLabel : {_T("Lumiter5"), _T("System"), _T("Instance"), _T("Host"), _T("Database")})
            m_pages.push_back(m_tabWnd.AddTab(RUNTIME_CLASS(C3DTestPage), lpszLabel));
        m_tabWnd.ActivateTab(0);
        m_spy.Take();
    }
    static CRect WindowRectIn(CWnd* pWnd, CWnd* pParent)
    {
        CRect rect;
        pWnd->GetWindowRect(&rect);
        pParent->ScreenToClient(&rect);
        return rect;
    }

    CTabSpy m_spy;
    SEC3DTabWnd m_tabWnd;
    std::vector<CWnd*> m_pages;
};

TEST_F(ThreeDTabWndTest, TheApplicationsStylePutsAThirtyPixelStripBelowANarrowlyInsetPage)
{
    EXPECT_EQ(m_tabWnd.GetStyle() & 0xFFF, 0u);
    SECTabControlBase* pStrip = m_tabWnd.GetTabControl();
    ASSERT_TRUE(pStrip->IsKindOf(RUNTIME_CLASS(SEC3DTabControl)));
    EXPECT_EQ(pStrip->GetStyle() & 0xFFF, TWS_TABS_BOTTOM | TWS_MODERN);

    CRect rcPage;
    m_tabWnd.GetInsideRect(rcPage);
    EXPECT_EQ(rcPage, CRect(2, 4, 300 - 2, 200 - (SEC3DTabWnd::STRIP_THICKNESS + 1)));
    // The page one pixel narrower; the strip from one pixel left of it to the bottom, less 2.
    EXPECT_EQ(WindowRectIn(m_pages[0], &m_tabWnd), CRect(2, 4, 300 - 3, 169));
    EXPECT_EQ(WindowRectIn(pStrip, &m_tabWnd), CRect(1, 170, 298, 200 - 2 + 1));
}

TEST_F(ThreeDTabWndTest, SelectingATabRepaintsTheWindowAndForwardsItsOwnId)
{
    // Only a shown window collects an update region.
    m_spy.ShowWindow(SW_SHOWNA);
    m_tabWnd.ValidateRect(nullptr);
    m_tabWnd.GetTabControl()->ActivateTab(3);
    const std::vector<TabMessage> log = m_spy.Take();
    ASSERT_EQ(log, (std::vector<TabMessage>{Sel(3)}));
    EXPECT_EQ(log[0].notify.nCtrlID, AFX_IDW_PANE_FIRST);
    EXPECT_EQ(log[0].notify.pClient, m_pages[3]);
    CRect rcUpdate;
    EXPECT_TRUE(m_tabWnd.GetUpdateRect(&rcUpdate));
    EXPECT_EQ(rcUpdate, CRect(0, 0, 300, 200));
    EXPECT_EQ(WindowRectIn(m_pages[3], &m_tabWnd), CRect(2, 4, 297, 169));
}

// A shown top-level window, so that focus moves as it does for a user.
class ThreeDTabWndFocusTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.CreateEx(0, AfxRegisterWndClass(0), _T("Focus"), WS_POPUP | WS_VISIBLE, 0, 0, 400, 300,
                                     nullptr, nullptr));
        m_frame.SetForegroundWindow();
        m_frame.SetActiveWindow();
        ASSERT_TRUE(m_before.Create(_T("BUTTON"), _T("Before"), WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 50, 20),
                                    &m_frame, 1));
        ASSERT_TRUE(m_tabWnd.Create(&m_frame, APP_STYLE | WS_TABSTOP, AFX_IDW_PANE_FIRST));
        m_tabWnd.SetWindowPos(&CWnd::wndBottom, 0, 30, 300, 200, SWP_NOZORDER);
        ASSERT_TRUE(m_after.Create(_T("BUTTON"), _T("After"), WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                                   CRect(310, 0, 360, 20), &m_frame, 2));
        ASSERT_TRUE(m_page.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), &m_tabWnd, 100));
        for (int i = 0; i < 2; ++i)
            ASSERT_TRUE(m_edits[i].Create(_T("EDIT"), nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                                          CRect(0, 30 * i, 100, 30 * i + 20), &m_page, 10 + i));
        m_tabWnd.AddTab(&m_page, _T("Page"));
        m_tabWnd.ActivateTab(0);
    }
    void TearDown() override
    {
        SetShift(false);
        m_frame.DestroyWindow();
    }
    static void SetShift(bool bDown)
    {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = bDown ? 0x80 : 0;
        ::SetKeyboardState(keys);
    }
    BOOL PressTab()
    {
        MSG msg{::GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
        return m_tabWnd.PreTranslateMessage(&msg);
    }

    CWnd m_frame;
    CWnd m_before;
    SEC3DTabWnd m_tabWnd;
    CWnd m_after;
    CWnd m_page;
    CWnd m_edits[2];
};

TEST_F(ThreeDTabWndFocusTest, TabLeavesThePageForTheNextSiblingAndShiftTabReturnsToTheStrip)
{
    m_edits[1].SetFocus();
    ASSERT_EQ(::GetFocus(), m_edits[1].m_hWnd) << "the window manager gave no focus";
    EXPECT_TRUE(PressTab());
    EXPECT_EQ(::GetFocus(), m_after.m_hWnd);

    // Within the page, Tab moves on to the next control.
    m_edits[0].SetFocus();
    PressTab();
    EXPECT_EQ(::GetFocus(), m_edits[1].m_hWnd);

    SetShift(true);
    m_edits[0].SetFocus();
    EXPECT_TRUE(PressTab());
    EXPECT_EQ(::GetFocus(), m_tabWnd.GetTabControl()->m_hWnd);
    SetShift(false);

    // From the strip, Tab enters the page at its first control.
    EXPECT_TRUE(PressTab());
    EXPECT_EQ(::GetFocus(), m_edits[0].m_hWnd);
}
} // namespace
