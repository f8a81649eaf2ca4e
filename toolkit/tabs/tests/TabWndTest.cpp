#include "TabSpy.h"

#include <toolkit/tabs/TabWnd.h>

#include <gtest/gtest.h>

#include <vector>

using namespace tarnwick::tabs;

namespace
{
class CTestPage : public CWnd
{
    DECLARE_DYNCREATE(CTestPage)
};
IMPLEMENT_DYNCREATE(CTestPage, CWnd)

class CTestView : public CView
{
    DECLARE_DYNCREATE(CTestView)
protected:
    void OnDraw(CDC*) override
    {
    }
};
IMPLEMENT_DYNCREATE(CTestView, CView)

// Records what the tab window does on its way to a page.
class CRecordingTabWnd : public SECTabWnd
{
public:
    int m_nLayouts = 0;
    // The active page as each activation found it.
    std::vector<CWnd*> m_pagesBefore;

    BOOL SetActiveTab(CWnd* pWnd, int nIndex) override
    {
        m_pagesBefore.push_back(GetActivePage());
        return SECTabWnd::SetActiveTab(pWnd, nIndex);
    }
    void RecalcLayout() override
    {
        ++m_nLayouts;
        SECTabWnd::RecalcLayout();
    }
};

bool HasStyle(CWnd* pWnd, DWORD dwStyle)
{
    return pWnd != nullptr && (pWnd->GetStyle() & dwStyle) == dwStyle;
}

class TabWndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tabWnd.Create(&m_spy, 0x50300012, AFX_IDW_PANE_FIRST));
        for (LPCTSTR lpszLabel : {_T("One"), _T("Two"), _T("Three")})
            m_pages.push_back(m_tabWnd.AddTab(RUNTIME_CLASS(CTestPage), lpszLabel));
        ASSERT_NE(m_pages.back(), nullptr);
    }
    // Sizes the client area (the tab window has a client edge of its own).
    void Resize(int cx, int cy)
    {
        CRect rect(0, 0, cx, cy);
        ::AdjustWindowRectEx(&rect, m_tabWnd.GetStyle(), FALSE, m_tabWnd.GetExStyle());
        m_tabWnd.SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOMOVE | SWP_NOZORDER);
    }
    CWnd* Bar(UINT nID)
    {
        return m_tabWnd.GetDlgItem(static_cast<int>(nID));
    }

    CTabSpy m_spy;
    CRecordingTabWnd m_tabWnd;
    std::vector<CWnd*> m_pages;
};

TEST_F(TabWndTest, TheApplicationsStyleGivesAllFourButtonsAndNoOwnScrollBars)
{
    EXPECT_EQ(m_tabWnd.GetDlgCtrlID(), static_cast<int>(AFX_IDW_PANE_FIRST));
    EXPECT_EQ(m_tabWnd.GetStyle() & (WS_HSCROLL | WS_VSCROLL | 0x3), 0u);
    auto* pStrip = DYNAMIC_DOWNCAST(SECTabControl, m_tabWnd.GetTabControl());
    ASSERT_NE(pStrip, nullptr);
    EXPECT_EQ(pStrip->GetDlgCtrlID(), static_cast<int>(SEC_IDW_TABCTRL));
    EXPECT_EQ(pStrip->GetButtonMask(), SECTabControl::ALL_BUTTONS);
    EXPECT_NE(Bar(SEC_IDW_HSCROLL), nullptr);
    EXPECT_NE(Bar(SEC_IDW_VSCROLL), nullptr);
}

TEST(TabWndCreateTest, AStripThatCannotBeMadeLeavesNoWindowBehind)
{
    class CStriplessTabWnd : public SECTabWndBase
    {
    };
    CTabSpy spy;
    CStriplessTabWnd tabWnd;
    EXPECT_FALSE(tabWnd.Create(&spy, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST));
    EXPECT_EQ(tabWnd.m_hWnd, nullptr);
    EXPECT_EQ(spy.GetWindow(GW_CHILD), nullptr);
}

TEST_F(TabWndTest, PagesWithoutAnIdGetTheFirstPageIdPlusTheTabCount)
{
    EXPECT_EQ(m_pages[0]->GetDlgCtrlID(), 0xEB00);
    EXPECT_EQ(m_pages[2]->GetDlgCtrlID(), 0xEB02);
    CWnd* pFourth = m_tabWnd.AddTab(RUNTIME_CLASS(CTestPage), _T("Four"));
    ASSERT_NE(pFourth, nullptr);
    EXPECT_EQ(pFourth->GetDlgCtrlID(), 0xEB03);
    CWnd* pOwnId = m_tabWnd.InsertTab(RUNTIME_CLASS(CTestPage), 0, _T("Own"), nullptr, 4711);
    ASSERT_NE(pOwnId, nullptr);
    EXPECT_EQ(pOwnId->GetDlgCtrlID(), 4711);
    int nIndex = -1;
    EXPECT_TRUE(m_tabWnd.FindTab(pFourth, nIndex));
    EXPECT_EQ(nIndex, 4);
    // Nothing became active by itself.
    CWnd* pActive = nullptr;
    EXPECT_FALSE(m_tabWnd.GetActiveTab(pActive));
}

TEST_F(TabWndTest, SelectingATabReachesTheNotifyWindowWithTheTabWindowsId)
{
    m_tabWnd.ActivateTab(0);
    m_tabWnd.ActivateTab(1);
    const std::vector<TabMessage> log = m_spy.Take();
    ASSERT_EQ(log, (std::vector<TabMessage>{Sel(0), Sel(1)}));
    EXPECT_EQ(log[1].notify.nPrevTabIndex, 0);
    EXPECT_EQ(log[1].notify.nCtrlID, AFX_IDW_PANE_FIRST);
    EXPECT_EQ(log[1].notify.pClient, m_pages[1]);
    EXPECT_TRUE(HasStyle(m_pages[1], WS_VISIBLE));
    EXPECT_FALSE(HasStyle(m_pages[0], WS_VISIBLE));

    // A click on the strip goes the same way.
    m_tabWnd.GetTabControl()->ActivateTab(2);
    EXPECT_EQ(m_spy.Take(), (std::vector<TabMessage>{Sel(2)}));
    CWnd* pActive = nullptr;
    ASSERT_TRUE(m_tabWnd.GetActiveTab(pActive));
    EXPECT_EQ(pActive, m_pages[2]);
    EXPECT_FALSE(HasStyle(m_pages[1], WS_VISIBLE));
}

TEST_F(TabWndTest, ActivatingTheActiveTabShowsItsPageWithoutAskingTheStripAgain)
{
    m_tabWnd.ActivateTab(1);
    m_spy.Take();
    m_pages[1]->ShowWindow(SW_HIDE);
    const int nLayouts = m_tabWnd.m_nLayouts;
    m_tabWnd.ActivateTab(1);
    EXPECT_TRUE(m_spy.Take().empty());
    EXPECT_TRUE(HasStyle(m_pages[1], WS_VISIBLE));
    EXPECT_GT(m_tabWnd.m_nLayouts, nLayouts);
}

TEST_F(TabWndTest, RemovingTheActiveTabLeavesNoActivePageUntilTheNeighbourIsActivated)
{
    m_tabWnd.ActivateTab(1);
    m_tabWnd.m_pagesBefore.clear();
    m_spy.Take();
    m_tabWnd.RemoveTab(1);
    EXPECT_EQ(m_tabWnd.m_pagesBefore, (std::vector<CWnd*>{nullptr}));
    EXPECT_EQ(m_spy.Take(), (std::vector<TabMessage>{Sel(1)}));
    CWnd* pActive = nullptr;
    ASSERT_TRUE(m_tabWnd.GetActiveTab(pActive));
    EXPECT_EQ(pActive, m_pages[2]);
    EXPECT_FALSE(HasStyle(m_pages[1], WS_VISIBLE));
    EXPECT_FALSE(m_tabWnd.RemoveTab(m_pages[1]));
}

TEST_F(TabWndTest, SharedScrollBarsFollowThePagesAndKeepTheirPositions)
{
    Resize(400, 300);
    m_tabWnd.SetScrollStyle(0, WS_HSCROLL | WS_VSCROLL);
    m_tabWnd.SetScrollStyle(2, WS_HSCROLL);
    m_tabWnd.ActivateTab(0);
    CWnd* pHorz = m_tabWnd.GetScrollBar(0);
    ASSERT_EQ(pHorz, Bar(SEC_IDW_HSCROLL));
    ASSERT_EQ(m_tabWnd.GetScrollBar(1), Bar(SEC_IDW_VSCROLL));
    EXPECT_EQ(m_tabWnd.GetScrollBar(2), nullptr);
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_POS, 0, 100, 0, 40, 0};
    ::SetScrollInfo(pHorz->m_hWnd, SB_CTL, &si, FALSE);

    // A page without scroll bits: no shared bar.
    m_tabWnd.ActivateTab(1);
    EXPECT_EQ(m_tabWnd.GetScrollBar(0), nullptr);
    EXPECT_FALSE(HasStyle(Bar(SEC_IDW_HSCROLL), WS_VISIBLE));
    EXPECT_FALSE(HasStyle(Bar(SEC_IDW_VSCROLL), WS_VISIBLE));
    CRect rcInside;
    m_tabWnd.GetInsideRect(rcInside);
    EXPECT_EQ(rcInside.right, 400);

    // Another page with its own, fresh horizontal state.
    m_tabWnd.ActivateTab(2);
    EXPECT_TRUE(HasStyle(Bar(SEC_IDW_HSCROLL), WS_VISIBLE));
    EXPECT_EQ(::GetScrollPos(Bar(SEC_IDW_HSCROLL)->m_hWnd, SB_CTL), 0);

    m_tabWnd.ActivateTab(0);
    EXPECT_TRUE(HasStyle(Bar(SEC_IDW_HSCROLL), WS_VISIBLE));
    EXPECT_EQ(::GetScrollPos(Bar(SEC_IDW_HSCROLL)->m_hWnd, SB_CTL), 40);
    m_tabWnd.GetInsideRect(rcInside);
    EXPECT_EQ(rcInside.right, 400 - ::GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(rcInside.bottom, 300 - ::GetSystemMetrics(SM_CYHSCROLL));
}

TEST_F(TabWndTest, TheSizerDragsBetweenNothingAndTheBarsLeastWidth)
{
    m_tabWnd.SetScrollStyle(0, WS_HSCROLL);
    m_tabWnd.ActivateTab(0);
    Resize(400, 300);
    EXPECT_EQ(m_tabWnd.GetTabAreaWidth(), 400 - SECTabWnd::MIN_SCROLLBAR_WIDTH);

    const int y = 300 - ::GetSystemMetrics(SM_CYHSCROLL) / 2;
    const auto drag = [&](int xFrom, int xTo) {
        m_tabWnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(xFrom, y));
        m_tabWnd.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(xTo, y));
        m_tabWnd.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(xTo, y));
    };
    // Grabbed 2 pixels into the sizer: the strip ends where the sizer's left edge lands, less one.
    drag(340 + 2, 200);
    EXPECT_EQ(m_tabWnd.GetTabAreaWidth(), 200 - 2 - 1);
    drag(197 + 2, static_cast<short>(-50));
    EXPECT_EQ(m_tabWnd.GetTabAreaWidth(), 0);
    drag(0 + 2, 399);
    EXPECT_EQ(m_tabWnd.GetTabAreaWidth(), 400 - SECTabWnd::MIN_SCROLLBAR_WIDTH);

    EXPECT_TRUE(m_tabWnd.GetExStyle() & WS_EX_CLIENTEDGE);
    CRect rcStrip;
    m_tabWnd.GetTabControl()->GetWindowRect(&rcStrip);
    EXPECT_EQ(rcStrip.Width(), 400 - SECTabWnd::MIN_SCROLLBAR_WIDTH);
    CRect rcBar;
    Bar(SEC_IDW_HSCROLL)->GetWindowRect(&rcBar);
    EXPECT_EQ(rcBar.Width(), 400 - (400 - SECTabWnd::MIN_SCROLLBAR_WIDTH + SECTabWnd::SIZER_WIDTH) + 1);
}

TEST_F(TabWndTest, ASizerDragEndsWhenTheCaptureIsLost)
{
    m_tabWnd.SetScrollStyle(0, WS_HSCROLL);
    m_tabWnd.ActivateTab(0);
    Resize(400, 300);
    const int y = 300 - ::GetSystemMetrics(SM_CYHSCROLL) / 2;
    // Another window taking the capture (a message box mid-drag) and WM_CANCELMODE (a switch to
    // another program) each end the drag: the later moves leave the strip alone.
    for (const bool bCancelMode : {false, true})
    {
        const int nWidth = m_tabWnd.GetTabAreaWidth();
        m_tabWnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(nWidth + 2, y));
        ASSERT_EQ(::GetCapture(), m_tabWnd.GetSafeHwnd());
        if (bCancelMode)
            m_tabWnd.SendMessage(WM_CANCELMODE);
        else
            m_tabWnd.GetTabControl()->SetCapture();
        m_tabWnd.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(200, y));
        EXPECT_EQ(m_tabWnd.GetTabAreaWidth(), nWidth) << bCancelMode;
        ::ReleaseCapture();
    }
}

TEST_F(TabWndTest, AWindowNarrowerThanTheBarsLeastWidthLeavesTheStripNoRoom)
{
    m_tabWnd.SetScrollStyle(0, WS_HSCROLL);
    m_tabWnd.ActivateTab(0);
    Resize(50, 100);
    EXPECT_EQ(m_tabWnd.GetTabAreaWidth(), 0);
    Resize(300, 100);
    EXPECT_EQ(m_tabWnd.GetTabAreaWidth(), 0);
}

TEST_F(TabWndTest, ScrollMessagesOfTheSharedBarsGoToTheActivePage)
{
    class CScrollLog : public CWnd
    {
    public:
        std::vector<UINT> m_messages;

    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_HSCROLL || message == WM_VSCROLL)
                m_messages.push_back(message);
            return CWnd::WindowProc(message, wParam, lParam);
        }
    } page;
    ASSERT_TRUE(page.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 0, 0), &m_tabWnd, 100));
    m_tabWnd.AddTab(&page, _T("Log"));
    m_tabWnd.ActivateTab(3);
    m_tabWnd.SendMessage(WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(Bar(SEC_IDW_HSCROLL)->m_hWnd));
    m_tabWnd.SendMessage(WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(Bar(SEC_IDW_VSCROLL)->m_hWnd));
    EXPECT_EQ(page.m_messages, (std::vector<UINT>{WM_HSCROLL, WM_VSCROLL}));
    m_tabWnd.RemoveTab(&page);
    page.DestroyWindow();
}
TEST(TabWndViewTest, AViewPageBecomesItsFramesActiveView)
{
    auto* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(nullptr, _T("Views"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
    auto* pTabWnd = new SECTabWnd;
    ASSERT_TRUE(pTabWnd->Create(pFrame, 0x50300012, AFX_IDW_PANE_FIRST));
    CWnd* pFirst = pTabWnd->AddTab(RUNTIME_CLASS(CTestView), _T("First"));
    CWnd* pSecond = pTabWnd->AddTab(RUNTIME_CLASS(CTestView), _T("Second"));
    ASSERT_NE(pSecond, nullptr);
    pTabWnd->ActivateTab(1);
    EXPECT_EQ(pFrame->GetActiveView(), pSecond);
    pTabWnd->ActivateTab(0);
    EXPECT_EQ(pFrame->GetActiveView(), pFirst);
    pFrame->DestroyWindow();
    delete pTabWnd;
}
} // namespace
