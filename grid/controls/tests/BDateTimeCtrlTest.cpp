#include <grid/controls/BDateTimeCtrl.h>

#include <grid/controls/tests/DropDownFlagProbe.h>
#include <grid/controls/tests/ManualTimers.h>

#include <testing/MemoryCanvas.h>
#include <testing/MessagePump.h>
#include <testing/PrintString.h>

#include <gtest/gtest.h>

namespace
{
using Ctrl = CGXBDateTimeCtrl;

COleDateTime Date(int nYear, int nMonth, int nDay, int nHour = 0, int nMinute = 0, int nSecond = 0)
{
    return COleDateTime(nYear, nMonth, nDay, nHour, nMinute, nSecond);
}

std::string Text(const COleDateTime& value)
{
    return static_cast<LPCSTR>(CW2A(value.Format(_T("%Y-%m-%d %H:%M:%S"))));
}

class DateTimeCtrlTest : public HiddenWindowTest
{
protected:
    ~DateTimeCtrlTest() override
    {
        m_ctrl.DestroyWindow();
    }
    void Make(LPCTSTR pszFormat, const COleDateTime& value, DWORD dwStyle = 0)
    {
        ASSERT_TRUE(m_ctrl.Create(0, WS_VISIBLE | dwStyle, CRect(0, 0, 300, 24), &Parent(), 1007));
        m_ctrl.SetCustomFormat(pszFormat);
        ASSERT_TRUE(m_ctrl.SetDateTime(value));
        m_ctrl.SetFocus();
    }
    void Type(const char* pszKeys)
    {
        for (; *pszKeys != 0; ++pszKeys)
            m_ctrl.SendMessage(WM_CHAR, static_cast<WPARAM>(*pszKeys), 1);
    }
    void Key(UINT nKey, int nTimes = 1)
    {
        for (int i = 0; i < nTimes; ++i)
            m_ctrl.SendMessage(WM_KEYDOWN, nKey, 1);
    }
    int CurrentField() const
    {
        return m_ctrl.GetCurrentGadget()->GetID();
    }
    // The field gadgets' ids, -1 for literals, and the literals' texts.
    std::vector<std::pair<int, CString>> Gadgets() const
    {
        std::vector<std::pair<int, CString>> gadgets;
        for (INT_PTR i = 0; i < m_ctrl.GetGadgetCount(); ++i)
        {
            const CGXBDTGadget* pGadget = m_ctrl.GetGadget(i);
            const auto* pLiteral = dynamic_cast<const CGXBDTStaticGadget*>(pGadget);
            gadgets.emplace_back(pGadget->GetID(), pLiteral != nullptr ? pLiteral->GetText() : CString());
        }
        return gadgets;
    }

    ManualTimers m_timers;
    Ctrl m_ctrl;
};
} // namespace

TEST_F(DateTimeCtrlTest, TypedDigitsFillTheFieldsAndAdvance)
{
    Make(_T("dd/MM/yyyy"), Date(2024, 1, 15));
    EXPECT_EQ(Gadgets(), (std::vector<std::pair<int, CString>>{
                             {Ctrl::idDay, L""}, {-1, L"/"}, {Ctrl::idMonth, L""}, {-1, L"/"}, {Ctrl::idYear4, L""}}));
    Type("31");
    EXPECT_EQ(CurrentField(), Ctrl::idMonth);
    Type("12");
    EXPECT_EQ(CurrentField(), Ctrl::idYear4);
    Type("202");
    EXPECT_EQ(m_ctrl.GetModified() & Ctrl::modifiedTyping, Ctrl::modifiedTyping);
    Type("4");
    EXPECT_EQ(Text(m_ctrl.GetDateTime()), "2024-12-31 00:00:00");
    EXPECT_EQ(m_ctrl.GetModified(), UINT{Ctrl::modifiedValue});
    EXPECT_EQ(m_ctrl.GetGadget(0)->GetValue(), 31);
}

TEST_F(DateTimeCtrlTest, ATypedSeparatorSkipsToTheNextField)
{
    Make(_T("dd/MM/yyyy"), Date(2024, 1, 15));
    Type("5/");
    EXPECT_EQ(CurrentField(), Ctrl::idMonth);
    EXPECT_EQ(Text(m_ctrl.GetDateTime()), "2024-01-05 00:00:00");
    // A letter with no digits pending changes nothing.
    Type("x");
    EXPECT_EQ(CurrentField(), Ctrl::idMonth);
    EXPECT_EQ(Text(m_ctrl.GetDateTime()), "2024-01-05 00:00:00");
}

TEST_F(DateTimeCtrlTest, RaisingTheMonthKeepsTheDayInsideIt)
{
    Make(_T("dd/MM/yyyy"), Date(2024, 1, 31));
    Key(VK_RIGHT);
    Key(VK_UP);
    EXPECT_EQ(Text(m_ctrl.GetDateTime()), "2024-02-29 00:00:00");
    m_ctrl.SetDateTime(Date(2023, 1, 31));
    Key(VK_UP);
    EXPECT_EQ(Text(m_ctrl.GetDateTime()), "2023-02-28 00:00:00");
    Key(VK_END);
    EXPECT_EQ(Text(m_ctrl.GetDateTime()), "2023-12-28 00:00:00");
}

TEST_F(DateTimeCtrlTest, TwelveInATwelveHourFieldFollowsTheDesignator)
{
    Make(_T("hh:mm"), Date(2024, 1, 15, 9, 30));
    Type("12");
    EXPECT_EQ(m_ctrl.GetDateTime().GetHour(), 0);
    EXPECT_EQ(m_ctrl.GetGadget(0)->GetValue(), 12);
    m_ctrl.SetDateTime(Date(2024, 1, 15, 15, 30));
    Key(VK_LEFT);
    Type("12");
    EXPECT_EQ(m_ctrl.GetDateTime().GetHour(), 12);
    Key(VK_LEFT);
    Type("03");
    EXPECT_EQ(m_ctrl.GetDateTime().GetHour(), 15);
}

TEST_F(DateTimeCtrlTest, TheWholeRangeClampsWithinTheChangedUnit)
{
    Make(_T("dd/MM/yyyy"), Date(2024, 11, 15));
    ASSERT_TRUE(m_ctrl.SetRange(Date(2000, 1, 1), Date(2024, 12, 31, 23, 59, 59), Ctrl::rangeDateTime));
    Key(VK_RIGHT, 2);
    Key(VK_UP);
    EXPECT_EQ(Text(m_ctrl.GetDateTime()), "2024-11-15 00:00:00");
    Key(VK_LEFT);
    Key(VK_UP);
    EXPECT_EQ(Text(m_ctrl.GetDateTime()), "2024-12-15 00:00:00");

    m_ctrl.SetDateTime(Date(2024, 12, 31));
    Key(VK_LEFT);
    EXPECT_TRUE(m_ctrl.OnNotifyFromGadget(GXBDT_NOTIFY_SPINUP, Ctrl::idSpinButton, 1));
    EXPECT_EQ(Text(m_ctrl.GetDateTime()), "2024-12-01 00:00:00");

    // A value outside a new range becomes the crossed bound; a reversed range is refused.
    m_ctrl.SetDateTime(Date(2030, 5, 5));
    ASSERT_TRUE(m_ctrl.SetRange(Date(2000, 1, 1), Date(2024, 12, 31, 23, 59, 59), Ctrl::rangeDateTime));
    EXPECT_EQ(Text(m_ctrl.GetDateTime()), "2024-12-31 23:59:59");
    EXPECT_FALSE(m_ctrl.SetRange(Date(2025, 1, 1), Date(2024, 1, 1), Ctrl::rangeDateTime));
    COleDateTime invalid;
    invalid.SetStatus(COleDateTime::invalid);
    EXPECT_FALSE(m_ctrl.SetDateTime(invalid));
}

TEST_F(DateTimeCtrlTest, SpinStepsAreCappedForSmallUnitsAndWholeForTheYear)
{
    Make(_T("dd/MM/yyyy HH:mm:ss"), Date(2024, 1, 15, 10, 20, 30));
    const struct
    {
        int nField;
        const char* pszExpected;
    } cases[] = {
        {Ctrl::idDay, "2024-01-17 10:20:30"},    {Ctrl::idMonth, "2024-02-17 10:20:30"},
        {Ctrl::idYear4, "2029-02-17 10:20:30"},  {Ctrl::idHour24, "2029-02-17 12:20:30"},
        {Ctrl::idMinute, "2029-02-17 12:22:30"}, {Ctrl::idSecond, "2029-02-17 12:22:32"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nField);
        ASSERT_EQ(CurrentField(), c.nField);
        EXPECT_TRUE(m_ctrl.OnNotifyFromGadget(GXBDT_NOTIFY_SPINUP, Ctrl::idSpinButton, 5));
        EXPECT_EQ(Text(m_ctrl.GetDateTime()), c.pszExpected);
        Key(VK_TAB);
    }
}

TEST_F(DateTimeCtrlTest, HeldSpinButtonStepsTheCurrentField)
{
    Make(_T("dd/MM/yyyy"), Date(2024, 1, 15), GXBDT_DS_SPIN);
    const CGXBDTGadget* pSpin = m_ctrl.GetGadget(0);
    ASSERT_EQ(pSpin->GetID(), Ctrl::idSpinButton);
    EXPECT_EQ(pSpin->GetRect().right, 300);
    const CPoint ptUp(pSpin->GetRect().CenterPoint().x, 2);
    m_ctrl.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptUp.x, ptUp.y));
    EXPECT_EQ(m_ctrl.GetDateTime().GetDay(), 16);
    EXPECT_EQ(m_timers.m_nInterval, 500U);
    ASSERT_TRUE(CGXBDTGadget::DispatchTimer(m_timers.m_nRunning));
    EXPECT_EQ(m_ctrl.GetDateTime().GetDay(), 17);
    EXPECT_EQ(m_timers.m_nInterval, 100U);
    m_ctrl.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptUp.x, ptUp.y));
    EXPECT_EQ(m_timers.m_nRunning, 0U);
}

TEST_F(DateTimeCtrlTest, FormatCodesMakeTheirGadgets)
{
    Make(_T("g"), Date(2024, 1, 15));
    EXPECT_TRUE(Gadgets().empty());
    EXPECT_TRUE(m_ctrl.HasDateFields());
    EXPECT_EQ(m_ctrl.GetCurrentGadget(), nullptr);
    Key(VK_UP);
    Type("1");

    m_ctrl.SetCustomFormat(_T("'at' h"));
    EXPECT_EQ(Gadgets(), (std::vector<std::pair<int, CString>>{{-1, L"at"}, {-1, L" "}, {Ctrl::idHour12, L""}}));
    EXPECT_EQ(CurrentField(), Ctrl::idHour12);

    // A field in the no-edit mask is shown but never current.
    m_ctrl.SetCustomFormat(_T("dd.MM.yy"));
    m_ctrl.SetNoEditMask(Ctrl::noEditDay);
    EXPECT_EQ(CurrentField(), Ctrl::idMonth);
    Key(VK_LEFT);
    EXPECT_EQ(CurrentField(), Ctrl::idMonth);
}

TEST_F(DateTimeCtrlTest, ThePopupCalendarGivesTheDayAndKeepsTheTime)
{
    Make(_T("dd/MM/yyyy HH:mm"), Date(2024, 1, 15, 10, 20), GXBDT_DS_CALENDAR | GXBDT_DS_SPIN);
    EXPECT_EQ(m_ctrl.GetGadget(0)->GetID(), Ctrl::idDropButton);
    EXPECT_EQ(m_ctrl.GetGadget(1)->GetID(), Ctrl::idSpinButton);

    Key(VK_F4);
    CGXBPopupCalendar* pCalendar = m_ctrl.GetPopupCalendar();
    ASSERT_NE(pCalendar, nullptr);
    EXPECT_EQ(Text(pCalendar->GetSelectedDate()), "2024-01-15 12:00:00");
    pCalendar->SendMessage(WM_KEYDOWN, VK_RIGHT, 1);
    pCalendar->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
    ASSERT_TRUE(PumpMessagesUntil([&] { return m_ctrl.GetPopupCalendar() == nullptr; }));
    EXPECT_EQ(Text(m_ctrl.GetDateTime()), "2024-01-16 10:20:00");
    EXPECT_EQ(m_ctrl.GetModified() & Ctrl::modifiedValue, UINT{Ctrl::modifiedValue});

    // The drop button opens it too; Escape closes it without a change.
    const CPoint ptDrop = m_ctrl.GetGadget(0)->GetRect().CenterPoint();
    m_ctrl.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptDrop.x, ptDrop.y));
    m_ctrl.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptDrop.x, ptDrop.y));
    ASSERT_NE(m_ctrl.GetPopupCalendar(), nullptr);
    m_ctrl.GetPopupCalendar()->SendMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    ASSERT_TRUE(PumpMessagesUntil([&] { return m_ctrl.GetPopupCalendar() == nullptr; }));
    EXPECT_EQ(Text(m_ctrl.GetDateTime()), "2024-01-16 10:20:00");
}

TEST_F(DateTimeCtrlTest, TheDropDownFlagIsSetWhileTheCalendarIsCreated)
{
    Make(_T("dd/MM/yyyy"), Date(2024, 1, 15, 0, 0), GXBDT_DS_CALENDAR);
    {
        const DropDownFlagProbe probe;
        Key(VK_F4);
        ASSERT_NE(m_ctrl.GetPopupCalendar(), nullptr);
        ASSERT_FALSE(probe.Flags().empty());
        for (BOOL bFlag : probe.Flags())
            EXPECT_TRUE(bFlag);
    }
    EXPECT_FALSE(CGXGridCombo::IsDropDownOwner());
    m_ctrl.GetPopupCalendar()->SendMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    ASSERT_TRUE(PumpMessagesUntil([&] { return m_ctrl.GetPopupCalendar() == nullptr; }));
}

TEST_F(DateTimeCtrlTest, TabbingInStartsAtTheFirstOrLastField)
{
    Make(_T("dd/MM/yyyy"), Date(2024, 1, 15));
    Key(VK_RIGHT);
    Parent().SetFocus();
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_TAB] = 0x80;
    keys[VK_SHIFT] = 0x80;
    ::SetKeyboardState(keys);
    m_ctrl.SetFocus();
    EXPECT_EQ(CurrentField(), Ctrl::idYear4);
    keys[VK_SHIFT] = 0;
    ::SetKeyboardState(keys);
    Parent().SetFocus();
    m_ctrl.SetFocus();
    EXPECT_EQ(CurrentField(), Ctrl::idDay);
    keys[VK_TAB] = 0;
    ::SetKeyboardState(keys);
}

TEST_F(DateTimeCtrlTest, ATwoDigitYearGetsItsCentury)
{
    Make(_T("dd/MM/yy"), Date(1950, 6, 15));
    const struct
    {
        const char* pszTyped;
        int nYear;
    } cases[] = {{"05", 2005}, {"99", 1999}};
    for (const auto& c : cases)
    {
        Key(VK_END);
        Key(VK_RIGHT, 2);
        Type(c.pszTyped);
        EXPECT_EQ(m_ctrl.GetDateTime().GetYear(), c.nYear) << c.pszTyped;
        EXPECT_EQ(m_ctrl.ResolveTwoDigitYear(atoi(c.pszTyped)), c.nYear);
    }
    m_ctrl.ModifyStyle(0, GXBDT_DS_KEEPCENTURY);
    m_ctrl.SetDateTime(Date(1950, 6, 15));
    Type("05");
    EXPECT_EQ(m_ctrl.GetDateTime().GetYear(), 1905);
}

namespace
{
// The WM_COMMAND notifications that reach a window, through a subclassing procedure.
WNDPROC pfnParentProc = nullptr;
std::vector<std::pair<WPARAM, LPARAM>> parentCommands;

LRESULT CALLBACK RecordCommands(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_COMMAND)
        parentCommands.emplace_back(wParam, lParam);
    return ::CallWindowProc(pfnParentProc, hWnd, nMessage, wParam, lParam);
}
} // namespace

TEST_F(DateTimeCtrlTest, AChangeIsReportedToTheParentUnlessItsStyleSaysNo)
{
    Make(_T("dd/MM/yyyy"), Date(2024, 1, 15));
    parentCommands.clear();
    pfnParentProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtr(Parent().m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordCommands)));
    Key(VK_UP);
    m_ctrl.ModifyStyleEx(0, WS_EX_NOPARENTNOTIFY);
    Key(VK_UP);
    ::SetWindowLongPtr(Parent().m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnParentProc));
    ASSERT_EQ(parentCommands.size(), 1U);
    EXPECT_EQ(parentCommands[0].first, MAKEWPARAM(1007, 0x100));
    EXPECT_EQ(parentCommands[0].second, reinterpret_cast<LPARAM>(m_ctrl.m_hWnd));
    EXPECT_EQ(m_ctrl.GetDateTime().GetDay(), 17);
}

TEST_F(DateTimeCtrlTest, TheFocusedFieldIsDrawnHighlighted)
{
    Make(_T("dd/MM/yyyy"), Date(2024, 1, 15), GXBDT_DS_SPIN);
    MemoryCanvas canvas(300, 24, ::GetSysColor(COLOR_WINDOW));
    m_ctrl.DrawGadgets(canvas.Dc());
    const CRect rectDay = m_ctrl.GetCurrentGadget()->GetRect();
    const CRect rectYear = m_ctrl.GetGadget(5)->GetRect();
    EXPECT_EQ(canvas.Pixel(rectDay.left, rectDay.top), ::GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(canvas.Pixel(rectYear.left, rectYear.top), ::GetSysColor(COLOR_WINDOW));
    // The spin button at the right edge: its face and its arrow.
    EXPECT_EQ(canvas.Pixel(286, 4), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(canvas.Pixel(292, 6), ::GetSysColor(COLOR_BTNTEXT));
}
