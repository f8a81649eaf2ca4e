#include <grid/controls/BCalendar.h>

#include <testing/MessagePump.h>
#include <testing/PrintString.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{
COleDateTime Date(int nYear, int nMonth, int nDay)
{
    return COleDateTime(nYear, nMonth, nDay, 12, 0, 0);
}

std::string Text(const COleDateTime& value)
{
    return value.GetStatus() == COleDateTime::valid ? static_cast<LPCSTR>(CW2A(value.Format(_T("%Y-%m-%d"))))
                                                    : "invalid";
}

// Holds Ctrl down in the thread's keyboard state while it lives.
class CtrlHeld
{
public:
    CtrlHeld()
    {
        SetCtrl(0x80);
    }
    ~CtrlHeld()
    {
        SetCtrl(0);
    }

private:
    static void SetCtrl(BYTE nState)
    {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[VK_CONTROL] = nState;
        ::SetKeyboardState(keys);
    }
};

// The calendar messages posted to a window, in order.
std::vector<UINT> TakeCalendarMessages(HWND hWnd)
{
    std::vector<UINT> messages;
    MSG msg;
    while (::PeekMessage(&msg, hWnd, GXB_CAL_SELECTED, GXB_CAL_CLOSED, PM_REMOVE))
        messages.push_back(msg.message);
    return messages;
}

class CalendarTest : public HiddenWindowTest
{
protected:
    void Make(const COleDateTime& date)
    {
        m_calendar.SetPage(date);
        m_calendar.SelectDate(date, TRUE);
        ASSERT_TRUE(m_calendar.Create(WS_VISIBLE, CRect(0, 0, 280, 240), &Parent(), 1));
        TakeCalendarMessages(Parent().m_hWnd);
    }
    void Key(UINT nKey)
    {
        m_calendar.SendMessage(WM_KEYDOWN, nKey, 1);
    }

    CGXBCalendar m_calendar;
};
} // namespace

TEST_F(CalendarTest, TheWeekStartsOnTheFirstDayOfWeek)
{
    Make(Date(2024, 2, 15));
    EXPECT_EQ(m_calendar.GetDayBar().WeekdayOfColumn(1), 2);
    EXPECT_EQ(m_calendar.GetDayBar().WeekdayOfColumn(7), 1);
    EXPECT_EQ(CGXBCalendar::DayName(m_calendar.GetDayBar().WeekdayOfColumn(1), FALSE), CGXBCalendar::DayName(2, FALSE));
    // 1 February 2024 is a Thursday: the page starts on Monday 29 January.
    EXPECT_EQ(Text(m_calendar.GetBox(0).GetDate()), "2024-01-29");
    EXPECT_TRUE(m_calendar.GetBox(0).IsOutsideMonth());
    EXPECT_EQ(Text(m_calendar.GetBox(41).GetDate()), "2024-03-10");

    m_calendar.SetFirstDayOfWeek(1);
    EXPECT_EQ(m_calendar.GetDayBar().WeekdayOfColumn(1), 1);
    EXPECT_EQ(Text(m_calendar.GetBox(0).GetDate()), "2024-01-28");
    // A month whose first day is the first day of the week starts with it.
    m_calendar.SetPage(Date(2024, 9, 10));
    EXPECT_EQ(Text(m_calendar.GetBox(0).GetDate()), "2024-09-01");
    EXPECT_EQ(m_calendar.GetTitle().GetTitleText(), CGXBCalendar::MonthName(9, TRUE) + _T(" 2024"));
}

TEST_F(CalendarTest, KeysMoveTheSelectionAndThePage)
{
    Make(Date(2024, 1, 31));
    Key(VK_NEXT);
    EXPECT_EQ(Text(m_calendar.GetSelectedDate()), "2024-02-01");
    EXPECT_EQ(m_calendar.GetPage().GetMonth(), 2);
    EXPECT_EQ(TakeCalendarMessages(Parent().m_hWnd), std::vector<UINT>{GXB_CAL_SELECTED});

    const struct
    {
        UINT nKey;
        bool bCtrl;
        COleDateTime from;
        const char* pszExpected;
    } cases[] = {
        {VK_DOWN, true, Date(2024, 2, 29), "2025-02-28"},  {VK_RIGHT, false, Date(2024, 2, 29), "2024-03-01"},
        {VK_UP, false, Date(2024, 3, 3), "2024-02-25"},    {VK_PRIOR, false, Date(2024, 3, 31), "2024-02-01"},
        {VK_LEFT, true, Date(2024, 3, 15), "2024-02-01"},  {VK_END, false, Date(2024, 2, 10), "2024-02-29"},
        {VK_HOME, false, Date(2024, 2, 10), "2024-02-01"}, {VK_PRIOR, true, Date(2024, 2, 29), "2023-02-28"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(Text(c.from) + " key " + std::to_string(c.nKey));
        m_calendar.SetPage(c.from);
        m_calendar.SelectDate(c.from, TRUE);
        if (c.bCtrl)
        {
            CtrlHeld ctrl;
            Key(c.nKey);
        }
        else
            Key(c.nKey);
        EXPECT_EQ(Text(m_calendar.GetSelectedDate()), c.pszExpected);
    }
}

TEST_F(CalendarTest, MovesOutOfTheSupportedMonthsOrWithoutSelectionChangeNothing)
{
    Make(Date(100, 3, 15));
    {
        CtrlHeld ctrl;
        Key(VK_UP);
    }
    EXPECT_EQ(Text(m_calendar.GetSelectedDate()), "0100-03-15");
    EXPECT_EQ(m_calendar.GetPage().GetYear(), 100);
    EXPECT_FALSE(m_calendar.IsMonthInRange(100, 1));
    EXPECT_TRUE(m_calendar.IsMonthInRange(100, 2));
    EXPECT_FALSE(m_calendar.IsMonthInRange(9999, 12));

    // Another month's page has no selected box: moves beep and do nothing.
    m_calendar.SetPage(Date(2024, 6, 1));
    EXPECT_EQ(m_calendar.GetSelectedDate().GetStatus(), COleDateTime::invalid);
    Key(VK_RIGHT);
    EXPECT_EQ(m_calendar.GetPage().GetMonth(), 6);
    EXPECT_EQ(m_calendar.GetSelectedDate().GetStatus(), COleDateTime::invalid);
    Key(VK_RETURN);
    EXPECT_EQ(TakeCalendarMessages(Parent().m_hWnd), std::vector<UINT>{GXB_CAL_CLOSED});
}

TEST_F(CalendarTest, MarkedDatesStayInOrder)
{
    Make(Date(2024, 2, 15));
    m_calendar.MarkDate(Date(2024, 2, 20), TRUE);
    m_calendar.MarkDate(Date(2024, 2, 10), TRUE);
    m_calendar.MarkDate(Date(2024, 2, 20), TRUE);
    EXPECT_TRUE(m_calendar.IsMarked(Date(2024, 2, 10)));
    EXPECT_TRUE(m_calendar.IsMarked(Date(2024, 2, 20)));
    EXPECT_EQ(TakeCalendarMessages(Parent().m_hWnd), (std::vector<UINT>{GXB_CAL_MARKED, GXB_CAL_MARKED}));
    m_calendar.ToggleMark(Date(2024, 2, 20));
    EXPECT_FALSE(m_calendar.IsMarked(Date(2024, 2, 20)));
}

namespace
{
class PopupCalendarTest : public HiddenWindowTest
{
protected:
    void Open(const COleDateTime& date)
    {
        m_pPopup = std::make_unique<CGXBPopupCalendar>();
        m_pPopup->SetChooseOnDeactivate(0);
        m_pPopup->SetBehaviour(m_pPopup->GetBehaviour() | 0x1000200);
        m_pPopup->SetDayDrawFlags(m_pPopup->GetDayDrawFlags() | 0x102);
        m_pPopup->SetPage(date);
        m_pPopup->SelectDate(date, TRUE);
        ASSERT_TRUE(m_pPopup->CreatePopup(0x90040001, CRect(10, 10, 200, 30), &Parent()));
        TakeCalendarMessages(Parent().m_hWnd);
    }
    CPoint CentreOfBoxOf(const COleDateTime& date) const
    {
        for (int i = 0; i < CGXBCalendar::nBoxes; ++i)
            if (Text(m_pPopup->GetBox(i).GetDate()) == Text(date))
                return m_pPopup->GetBox(i).GetRect().CenterPoint();
        return CPoint(-1, -1);
    }

    std::unique_ptr<CGXBPopupCalendar> m_pPopup;
};
} // namespace

TEST_F(PopupCalendarTest, AClickChoosesAndEscapeCloses)
{
    Open(Date(2024, 1, 15));
    CRect rectWindow;
    m_pPopup->GetWindowRect(rectWindow);
    EXPECT_EQ(rectWindow.left, 10);
    EXPECT_EQ(rectWindow.top, 30);

    // A day of the next month, shown at the end of the page.
    const CPoint point = CentreOfBoxOf(Date(2024, 2, 2));
    ASSERT_GE(point.x, 0);
    m_pPopup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    m_pPopup->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    EXPECT_EQ(TakeCalendarMessages(Parent().m_hWnd), (std::vector<UINT>{GXB_CAL_SELECTED, GXB_CAL_CHOSEN}));
    EXPECT_EQ(Text(m_pPopup->GetSelectedDate()), "2024-02-02");
    EXPECT_FALSE(m_pPopup->IsWindowVisible());

    Open(Date(2024, 1, 15));
    m_pPopup->SendMessage(WM_KEYDOWN, VK_RIGHT, 1);
    m_pPopup->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(TakeCalendarMessages(Parent().m_hWnd), (std::vector<UINT>{GXB_CAL_SELECTED, GXB_CAL_CHOSEN}));
    EXPECT_EQ(Text(m_pPopup->GetSelectedDate()), "2024-01-16");

    Open(Date(2024, 1, 15));
    m_pPopup->SendMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_EQ(TakeCalendarMessages(Parent().m_hWnd), std::vector<UINT>{GXB_CAL_CLOSED});
    EXPECT_FALSE(m_pPopup->IsWindowVisible());
}
