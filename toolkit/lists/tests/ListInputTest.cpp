// The list's answers to sent mouse, wheel and key messages on a hidden report-mode list.
#include <toolkit/lists/ListCtrl.h>

#include <vector>

#include <gtest/gtest.h>

#include <testing/MessagePump.h>

#include "NotifyLog.h"
#include "SentInput.h"

using tarnwick::lists::LVS_SEC_REPORT;
using tarnwick::lists::LVXS_HEADERDRAG;
using tarnwick::lists::SECListCtrl;

namespace
{
class ListInputTest : public ::testing::Test
{
protected:
    CNotifyLog m_parent;
    SECListCtrl m_list;
    int m_cyRow = 0;

    void SetUp() override
    {
        m_parent.ShowWindow(SW_SHOWNA);
        ASSERT_TRUE(m_list.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | LVS_SEC_REPORT, CRect(0, 0, 300, 200),
                                  &m_parent, 100));
        m_list.AddColumn(L"Name", 0, 100);
        m_list.AddColumn(L"Size", 0, 80);
        m_list.AddColumn(L"Kind", 0, 80);
        const wchar_t* texts[] = {L"alpha", L"Abacus", L"beta", L"gamma", L"abc", L"delta"};
        for (const wchar_t* psz : texts)
            m_list.InsertItemText(m_list.GetItemCount(), psz);
        m_list.RecalcLayout();
        m_cyRow = m_list.GetRowPitch(0);
        m_parent.m_codes.clear();
    }
    void TearDown() override
    {
        m_list.DestroyWindow();
    }
    // The middle of an item's label.
    CPoint Label(int nItem)
    {
        CRect rect;
        EXPECT_TRUE(m_list.GetCellRect(nItem, 0, rect, 2));
        return rect.CenterPoint();
    }
    std::vector<int> Selection() const
    {
        std::vector<int> sel;
        for (int i = m_list.GetNextItem(-1, LVNI_SELECTED); i != -1; i = m_list.GetNextItem(i, LVNI_SELECTED))
            sel.push_back(i);
        return sel;
    }
    void Fill(int nCount)
    {
        while (m_list.GetItemCount() < nCount)
            m_list.InsertItemText(m_list.GetItemCount(), L"row");
        m_list.RecalcLayout();
    }
};

TEST_F(ListInputTest, ClicksSelectTogglesWaitForTheReleaseAndShiftTakesARange)
{
    SendClick(m_list, Label(1));
    EXPECT_EQ(Selection(), std::vector<int>{1});
    EXPECT_EQ(m_parent.m_codes.back(), static_cast<UINT>(NM_CLICK));

    // Ctrl toggles on the release, not on the press.
    SendMouse(m_list, WM_LBUTTONDOWN, Label(3), MK_LBUTTON | MK_CONTROL);
    EXPECT_EQ(Selection(), std::vector<int>{1});
    SendMouse(m_list, WM_LBUTTONUP, Label(3), MK_CONTROL);
    EXPECT_EQ(Selection(), (std::vector<int>{1, 3}));

    // A plain press on one of several keeps them; the release leaves it alone.
    SendMouse(m_list, WM_LBUTTONDOWN, Label(1), MK_LBUTTON);
    EXPECT_EQ(Selection(), (std::vector<int>{1, 3}));
    SendMouse(m_list, WM_LBUTTONUP, Label(1), 0);
    EXPECT_EQ(Selection(), std::vector<int>{1});
    EXPECT_EQ(m_list.GetFocusItem(), 1);

    // Shift selects from the anchor to the item; the anchor stays.
    SendClick(m_list, Label(4), MK_SHIFT);
    EXPECT_EQ(Selection(), (std::vector<int>{1, 2, 3, 4}));
    SendClick(m_list, Label(2), MK_SHIFT);
    EXPECT_EQ(Selection(), (std::vector<int>{1, 2}));
    EXPECT_EQ(m_list.GetAnchorItem(), 1);

    // A right click on a selected item moves only the focus.
    SendMouse(m_list, WM_RBUTTONDOWN, Label(1), MK_RBUTTON);
    SendMouse(m_list, WM_RBUTTONUP, Label(1), 0);
    EXPECT_EQ(Selection(), (std::vector<int>{1, 2}));
    EXPECT_EQ(m_list.GetFocusItem(), 1);
    EXPECT_EQ(m_parent.m_codes.back(), static_cast<UINT>(NM_RCLICK));
}

TEST_F(ListInputTest, ShiftRedrawsTheRangeAndTheRowsThatLoseTheirSelection)
{
    m_list.DeselectAllBut(-1);
    m_list.SelectItem(2, TRUE);
    m_list.SetItemSelected(5, TRUE);
    m_list.ValidateRect(nullptr);
    ASSERT_TRUE(m_list.SelectFromInput(3, 0, MK_SHIFT, TRUE));
    EXPECT_EQ(Selection(), (std::vector<int>{2, 3}));
    // Row 5 lost its selection outside the new range; rows 0 and 1 did not change.
    CRect first;
    CRect last;
    ASSERT_TRUE(m_list.GetCellRect(2, 0, first, 0));
    ASSERT_TRUE(m_list.GetCellRect(5, 0, last, 0));
    CRect update;
    m_list.GetUpdateRect(&update, FALSE);
    EXPECT_EQ(update.top, first.top);
    EXPECT_EQ(update.bottom, last.bottom);
}

TEST_F(ListInputTest, CtrlArrowMovesTheFocusAndCtrlSpaceToggles)
{
    SendClick(m_list, Label(0));
    {
        HeldKey ctrl(VK_CONTROL);
        SendKey(m_list, VK_DOWN);
        SendKey(m_list, VK_DOWN);
        EXPECT_EQ(m_list.GetFocusItem(), 2);
        EXPECT_EQ(Selection(), std::vector<int>{0});
        SendKey(m_list, VK_SPACE);
        EXPECT_EQ(Selection(), (std::vector<int>{0, 2}));
    }
    // Shift+arrow extends from the anchor, which the toggle put on its item.
    {
        HeldKey shift(VK_SHIFT);
        SendKey(m_list, VK_DOWN);
        SendKey(m_list, VK_DOWN);
        EXPECT_EQ(Selection(), (std::vector<int>{2, 3, 4}));
    }
    // A plain arrow onto one of several selected items selects it alone.
    SendKey(m_list, VK_UP);
    EXPECT_EQ(Selection(), std::vector<int>{3});
}

TEST_F(ListInputTest, PageDownGoesToThePageEdgeThenTurnsThePage)
{
    Fill(40);
    SendClick(m_list, Label(0));
    const int nLast = m_list.GetLastVisibleIndex();
    ASSERT_GT(nLast, 2);
    SendKey(m_list, VK_NEXT);
    EXPECT_EQ(m_list.GetFocusItem(), nLast);
    EXPECT_EQ(m_list.GetTopIndex(), 0);
    SendKey(m_list, VK_NEXT);
    EXPECT_GT(m_list.GetTopIndex(), 0);
    EXPECT_EQ(m_list.GetFocusItem(), m_list.GetLastVisibleIndex());
    SendKey(m_list, VK_HOME);
    EXPECT_EQ(m_list.GetTopIndex(), 0);
    EXPECT_EQ(Selection(), std::vector<int>{0});
}

TEST_F(ListInputTest, TheWheelTurnsWholeNotchesIntoRows)
{
    Fill(40);
    m_list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-60)), 0);
    EXPECT_EQ(m_list.GetTopIndex(), 0);
    m_list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-60)), 0);
    EXPECT_EQ(m_list.GetTopIndex(), 1);
    m_list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-360)), 0);
    EXPECT_EQ(m_list.GetTopIndex(), 4);
    m_list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 600), 0);
    EXPECT_EQ(m_list.GetTopIndex(), 0);
}

TEST_F(ListInputTest, TypeAheadMatchesPrefixesAndIgnoresEscEnterAndSpace)
{
    SendClick(m_list, Label(0));
    // "a" then "b" quickly: from the item after the focus, the first text that begins with "ab".
    SendChar(m_list, L'a');
    EXPECT_EQ(m_list.GetFocusItem(), 1); // "Abacus"
    SendChar(m_list, L'b');
    EXPECT_EQ(m_list.GetFocusItem(), 1);
    SendChar(m_list, L'c');
    EXPECT_EQ(m_list.GetFocusItem(), 4); // "abc"
    // Two quiet ticks end the prefix; one after a character keeps it.
    m_list.SendMessage(WM_TIMER, tarnwick::lists::LIST_TIMER_TYPEAHEAD);
    m_list.SendMessage(WM_TIMER, tarnwick::lists::LIST_TIMER_TYPEAHEAD);
    SendChar(m_list, L'a');
    EXPECT_EQ(m_list.GetFocusItem(), 0); // "alpha", wrapping round
    // A failed search drops the characters after it until a pause.
    SendChar(m_list, L'x');
    EXPECT_EQ(m_list.GetFocusItem(), 0);
    SendChar(m_list, L'l');
    m_list.SendMessage(WM_TIMER, tarnwick::lists::LIST_TIMER_TYPEAHEAD);
    m_list.SendMessage(WM_TIMER, tarnwick::lists::LIST_TIMER_TYPEAHEAD);
    m_list.SendMessage(WM_TIMER, tarnwick::lists::LIST_TIMER_TYPEAHEAD);
    SendChar(m_list, L'g');
    EXPECT_EQ(m_list.GetFocusItem(), 3);
    // Esc, Enter and space never search.
    m_list.SendMessage(WM_TIMER, tarnwick::lists::LIST_TIMER_TYPEAHEAD);
    m_list.SendMessage(WM_TIMER, tarnwick::lists::LIST_TIMER_TYPEAHEAD);
    for (wchar_t ch : {L'\x1b', L'\r', L' '})
    {
        SendChar(m_list, ch);
        EXPECT_EQ(m_list.GetFocusItem(), 3);
    }
}

TEST_F(ListInputTest, KeyDownIsNotifiedBeforeTabAndEscapeAct)
{
    SendKey(m_list, VK_TAB);
    SendKey(m_list, VK_ESCAPE);
    PumpPendingMessages();
    // Painting asks the owner for the callback texts of the sub-items.
    std::erase(m_parent.m_codes, static_cast<UINT>(LVN_GETDISPINFOW));
    const std::vector<UINT> expected = {static_cast<UINT>(LVN_KEYDOWN), static_cast<UINT>(LVN_KEYDOWN),
                                        CNotifyLog::NextDlgCtl, CNotifyLog::Cancel};
    EXPECT_EQ(m_parent.m_codes, expected);
    EXPECT_EQ(m_parent.m_keys, (std::vector<WORD>{VK_TAB, VK_ESCAPE}));
}

TEST_F(ListInputTest, HeaderDividerKeepsTenPixelsAndEscapeRestores)
{
    const CPoint divider(100, 10);
    UINT nFlags = 0;
    int nColumn = -1;
    EXPECT_EQ(m_list.HitTest(divider, nFlags, nColumn), 0);
    EXPECT_EQ(nFlags, tarnwick::lists::LHT_ONDIVIDER);
    // Dragged far left: the column keeps 10 pixels.
    m_list.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 10));
    m_list.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(-30), 10));
    SendMouse(m_list, WM_LBUTTONDOWN, divider, MK_LBUTTON);
    EXPECT_EQ(m_list.GetColumnWidth(0), 10);
    // Escape puts the edge back.
    m_list.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 10));
    m_list.PostMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    SendMouse(m_list, WM_LBUTTONDOWN, CPoint(10, 10), MK_LBUTTON);
    EXPECT_EQ(m_list.GetColumnWidth(0), 10);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(ListInputTest, ACancelOrAQuitDuringADividerDragRestoresTheEdge)
{
    const int nWidth = m_list.GetColumnWidth(0);
    const CPoint divider(m_list.GetColumnWidth(0), 10);
    for (UINT nEnd : {WM_CANCELMODE, WM_QUIT})
    {
        m_list.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 10));
        if (nEnd == WM_QUIT)
            ::PostQuitMessage(4);
        else
            m_list.PostMessage(nEnd);
        SendMouse(m_list, WM_LBUTTONDOWN, divider, MK_LBUTTON);
        EXPECT_EQ(m_list.GetColumnWidth(0), nWidth) << nEnd;
        EXPECT_EQ(::GetCapture(), nullptr) << nEnd;
    }
    // The quit is posted again for the application's loop.
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 4u);
}

TEST_F(ListInputTest, HeaderButtonsClickAndDragButTheFirstNeverMoves)
{
    m_list.ModifyListStyleEx(0, LVXS_HEADERDRAG);
    SendClick(m_list, CPoint(140, 10));
    EXPECT_EQ(m_parent.m_columnClicks, std::vector<int>{1});

    // Button 1 dragged past the right edge of column 2 moves there, and is no click.
    m_parent.m_columnClicks.clear();
    SendMouse(m_list, WM_LBUTTONDOWN, CPoint(140, 10), MK_LBUTTON);
    SendMouse(m_list, WM_MOUSEMOVE, CPoint(200, 10), MK_LBUTTON);
    SendMouse(m_list, WM_MOUSEMOVE, CPoint(250, 10), MK_LBUTTON);
    SendMouse(m_list, WM_LBUTTONUP, CPoint(250, 10));
    EXPECT_EQ(m_list.GetColumnHeading(1), L"Kind");
    EXPECT_EQ(m_list.GetColumnHeading(2), L"Size");
    EXPECT_TRUE(m_parent.m_columnClicks.empty());

    // Button 0 does not drag: the release is a click.
    SendMouse(m_list, WM_LBUTTONDOWN, CPoint(50, 10), MK_LBUTTON);
    SendMouse(m_list, WM_MOUSEMOVE, CPoint(250, 10), MK_LBUTTON);
    SendMouse(m_list, WM_LBUTTONUP, CPoint(50, 10));
    EXPECT_EQ(m_list.GetColumnHeading(0), L"Name");
    EXPECT_EQ(m_parent.m_columnClicks, std::vector<int>{0});
}
} // namespace
