// The tip over cut-off labels, driven by sent mouse moves and its timer on a hidden list.
#include <toolkit/lists/ListCtrl.h>
#include <toolkit/lists/TreeCtrl.h>

#include <gtest/gtest.h>

#include "NotifyLog.h"
#include "SentInput.h"

using namespace tarnwick::lists;

namespace
{
CString WindowText(CWnd& wnd)
{
    CString strText;
    wnd.GetWindowText(strText);
    return strText;
}

// The weight of the font the window says it draws with.
LONG FontWeight(CWnd& wnd)
{
    LOGFONTW lf = {};
    const auto hFont = reinterpret_cast<HFONT>(wnd.SendMessage(WM_GETFONT));
    EXPECT_NE(::GetObjectW(hFont, sizeof(lf), &lf), 0);
    return lf.lfWeight;
}

class ListTipTest : public ::testing::Test
{
protected:
    CNotifyLog m_parent;
    SECListCtrl m_list;

    void SetUp() override
    {
        m_parent.ShowWindow(SW_SHOW);
        m_parent.SetActiveWindow();
        ASSERT_TRUE(m_list.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | LVS_SEC_REPORT | LVS_SEC_NOLABELWRAP,
                                  CRect(0, 0, 300, 200), &m_parent, 100));
        m_list.ModifyListStyleEx(0, LVXS_FLAG100000, FALSE);
        m_list.AddColumn(L"Name", 0, 80);
        m_list.AddColumn(L"Size", 0, 60);
        m_list.InsertItemText(0, L"a label far too long for its narrow column\nsecond line");
        m_list.InsertItemText(1, L"fits");
        m_list.RecalcLayout();
    }
    void TearDown() override
    {
        m_list.DestroyWindow();
    }
    SECListTip& Tip()
    {
        return *m_list.GetTip();
    }
    BOOL TipShows()
    {
        return Tip().GetSafeHwnd() != nullptr && Tip().IsWindowVisible();
    }
    CRect Cell(int nItem, int nPart)
    {
        CRect rect;
        EXPECT_TRUE(m_list.GetCellRect(nItem, 0, rect, nPart));
        return rect;
    }
    // A point on the label inside column 0 (the cut-off label runs on under column 1).
    CPoint OnLabel(int nItem, int dx = 0)
    {
        const CRect label = Cell(nItem, 2);
        return CPoint(label.left + 10 + dx, label.CenterPoint().y);
    }
    void MoveTo(CPoint point)
    {
        SendMouse(m_list, WM_MOUSEMOVE, point);
    }
};

TEST_F(ListTipTest, CutOffLabelShowsOverTheLabelAndAFittingOneNone)
{
    if (::GetActiveWindow() == nullptr)
        GTEST_SKIP() << "no active window on this display";
    const CRect label = Cell(0, 2);
    MoveTo(OnLabel(0));
    ASSERT_TRUE(TipShows());
    EXPECT_EQ(Tip().GetTipItem(), 0);
    CRect tip;
    Tip().GetWindowRect(&tip);
    CRect screen = label;
    m_list.ClientToScreen(&screen);
    EXPECT_EQ(tip.left, screen.left - 2 - 1);
    EXPECT_EQ(tip.top, screen.top);
    EXPECT_EQ(tip.Width(), label.Width() + 4 + 3);
    EXPECT_EQ(tip.Height(), Cell(0, 0).Height());
    EXPECT_EQ(::GetCapture(), m_list.m_hWnd);

    // Moving inside the cell keeps the same tip.
    MoveTo(OnLabel(0, 20));
    EXPECT_TRUE(TipShows());
    EXPECT_EQ(Tip().GetTipItem(), 0);

    MoveTo(OnLabel(1));
    EXPECT_FALSE(TipShows());
    EXPECT_EQ(Tip().GetTipItem(), -1);
    EXPECT_NE(::GetCapture(), m_list.m_hWnd);
}

TEST_F(ListTipTest, TheTipShowsTheFirstLineUpTo259CharactersInTheItemFont)
{
    if (::GetActiveWindow() == nullptr)
        GTEST_SKIP() << "no active window on this display";
    MoveTo(OnLabel(0));
    ASSERT_TRUE(TipShows());
    EXPECT_EQ(WindowText(Tip()), CString(L"a label far too long for its narrow column"));
    EXPECT_EQ(reinterpret_cast<HFONT>(Tip().SendMessage(WM_GETFONT)), m_list.GetItemFont());

    const CString strLong(L'x', 300);
    m_list.SetItemText(0, 0, strLong);
    MoveTo(OnLabel(1));
    MoveTo(OnLabel(0));
    ASSERT_TRUE(TipShows());
    EXPECT_EQ(WindowText(Tip()), strLong.Left(259));
}

TEST(TreeTipTest, ABoldItemsTipIsBold)
{
    CNotifyLog parent;
    parent.ShowWindow(SW_SHOW);
    parent.SetActiveWindow();
    if (::GetActiveWindow() == nullptr)
        GTEST_SKIP() << "no active window on this display";
    SECTreeCtrl tree;
    ASSERT_TRUE(tree.CreateFromRect(WS_CHILD | WS_VISIBLE, 0, CRect(0, 0, 120, 100), &parent, 5));
    tree.ModifyListStyleEx(0, LVXS_FLAG100000, FALSE);
    const HTREEITEM hBold = tree.InsertItem(L"a bold label far too long for the narrow tree");
    tree.SetItemState(hBold, TVIS_BOLD, TVIS_BOLD);
    tree.InsertItem(L"a plain label far too long for the narrow tree");
    tree.RecalcLayout();
    for (const int nRow : {0, 1})
    {
        CRect label;
        ASSERT_TRUE(tree.GetCellRect(nRow, 0, label, 2));
        SendMouse(tree, WM_MOUSEMOVE, CPoint(label.left + 10, label.CenterPoint().y));
        SECListTip& tip = *tree.GetTip();
        ASSERT_TRUE(tip.GetSafeHwnd() != nullptr && tip.IsWindowVisible()) << nRow;
        EXPECT_EQ(FontWeight(tip) >= FW_BOLD, nRow == 0) << nRow;
    }
    tree.DestroyWindow();
}

TEST_F(ListTipTest, TimerHidesOnlyWithTheCursorOutside)
{
    if (::GetActiveWindow() == nullptr)
        GTEST_SKIP() << "no active window on this display";
    MoveTo(OnLabel(0));
    ASSERT_TRUE(TipShows());
    CPoint inside = OnLabel(0);
    m_list.ClientToScreen(&inside);
    ::SetCursorPos(inside.x, inside.y);
    Tip().SendMessage(WM_TIMER, SECListTip::TimerId);
    EXPECT_TRUE(TipShows());
    CRect window;
    m_list.GetWindowRect(&window);
    ::SetCursorPos(window.right + 50, window.bottom + 50);
    Tip().SendMessage(WM_TIMER, SECListTip::TimerId);
    EXPECT_FALSE(TipShows());
}

TEST_F(ListTipTest, ClickOnTheTipSelectsTheItemUnderIt)
{
    if (::GetActiveWindow() == nullptr)
        GTEST_SKIP() << "no active window on this display";
    MoveTo(OnLabel(0));
    ASSERT_TRUE(TipShows());
    CRect client;
    Tip().GetClientRect(&client);
    MSG msg = {};
    msg.hwnd = Tip().m_hWnd;
    msg.message = WM_LBUTTONDOWN;
    msg.wParam = MK_LBUTTON;
    msg.lParam = MAKELPARAM(10, client.CenterPoint().y);
    EXPECT_TRUE(Tip().PreTranslateMessage(&msg));
    EXPECT_TRUE(m_list.IsItemSelected(0));
}

TEST_F(ListTipTest, NoTipWhileEditingOrWithoutTheTipStyle)
{
    m_list.ModifyListStyleEx(LVXS_FLAG100000, 0, FALSE);
    MoveTo(OnLabel(0));
    EXPECT_FALSE(TipShows());
}
} // namespace
