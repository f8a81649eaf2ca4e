#include <grid/controls/BDTGadget.h>

#include <grid/controls/tests/ManualTimers.h>

#include <testing/MessagePump.h>
#include <testing/PrintString.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{
struct Notification
{
    int nCode;
    int nID;
    int nNumber;
    bool operator==(const Notification&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Notification& n)
{
    return os << "{" << n.nCode << ", " << n.nID << ", " << n.nNumber << "}";
}

// An owner that records what the gadgets report and accepts proposed values unless told not to.
class RecordingOwner : public CGXBDTGadgetOwner
{
public:
    explicit RecordingOwner(HWND hWnd) : m_hWnd(hWnd)
    {
    }
    HWND GetGadgetWindow() const override
    {
        return m_hWnd;
    }
    HFONT GetGadgetFont() const override
    {
        return static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    }
    COLORREF GetGadgetBackground() const override
    {
        return ::GetSysColor(COLOR_WINDOW);
    }
    UINT GetSpinInitialDelay() const override
    {
        return 500;
    }
    UINT GetSpinRepeatDelay() const override
    {
        return 100;
    }
    void InvalidateGadget(const CRect&) override
    {
    }
    BOOL OnNotifyFromGadget(int nCode, int nID, int nNumber) override
    {
        m_notifications.push_back({nCode, nID, nNumber});
        return nCode != GXBDT_NOTIFY_TEST || m_bAccept;
    }
    std::vector<Notification> Take()
    {
        return std::exchange(m_notifications, {});
    }

    bool m_bAccept = true;

private:
    HWND m_hWnd;
    std::vector<Notification> m_notifications;
};

class GadgetTest : public HiddenWindowTest
{
protected:
    void Type(CGXBDTGadget& gadget, const char* pszKeys)
    {
        for (; *pszKeys != 0; ++pszKeys)
            gadget.OnChar(static_cast<UINT>(*pszKeys));
    }

    RecordingOwner m_owner{Parent().m_hWnd};
    ManualTimers m_timers;
};

constexpr int idDay = 0x20;
constexpr int idMonthName = 0x100;
constexpr int idSpin = 0x8000;
constexpr int idDrop = 0x4000;
} // namespace

TEST_F(GadgetTest, NumberFieldCommitsWhenItsDigitsAreTyped)
{
    CGXBDTNumericGadget day(&m_owner, idDay, 1, 31, TRUE);
    EXPECT_EQ(day.GetDigitCount(), 2);
    Type(day, "00");
    EXPECT_EQ(day.GetTypedDigitCount(), 1);
    EXPECT_EQ(m_owner.Take(), (std::vector<Notification>{{10, idDay, 1}}));
    Type(day, "7");
    EXPECT_EQ(day.GetTypedDigitCount(), 0);
    EXPECT_EQ(day.GetValue(), 7);
    EXPECT_EQ(m_owner.Take(),
              (std::vector<Notification>{{6, idDay, 7}, {7, idDay, 7}, {10, idDay, 0}, {11, idDay, 0}}));

    const struct
    {
        int nMax;
        int nDigits;
    } widths[] = {{9, 1}, {12, 2}, {999, 3}, {9999, 4}};
    for (const auto& w : widths)
        EXPECT_EQ(CGXBDTNumericGadget(&m_owner, idDay, 0, w.nMax, FALSE).GetDigitCount(), w.nDigits) << w.nMax;
}

TEST_F(GadgetTest, NumberFieldRefusalsAndLetters)
{
    CGXBDTNumericGadget day(&m_owner, idDay, 1, 31, FALSE);
    Type(day, "x");
    EXPECT_TRUE(m_owner.Take().empty());

    Type(day, "3x");
    EXPECT_EQ(day.GetTypedDigitCount(), 0);
    EXPECT_EQ(m_owner.Take(), (std::vector<Notification>{{10, idDay, 1}, {10, idDay, 0}}));

    m_owner.m_bAccept = false;
    day.SetValue(5);
    Type(day, "45");
    EXPECT_EQ(day.GetValue(), 5);
    EXPECT_EQ(m_owner.Take(), (std::vector<Notification>{{10, idDay, 1}, {6, idDay, 45}, {10, idDay, 0}}));

    // A navigation key commits a pending entry first; a refused one stops the key.
    Type(day, "4");
    day.OnKeyDown(VK_UP);
    EXPECT_EQ(m_owner.Take(), (std::vector<Notification>{{10, idDay, 1}, {6, idDay, 4}, {10, idDay, 0}}));
    m_owner.m_bAccept = true;
    Type(day, "4");
    day.OnKeyDown(VK_UP);
    EXPECT_EQ(m_owner.Take(),
              (std::vector<Notification>{{10, idDay, 1}, {6, idDay, 4}, {7, idDay, 4}, {10, idDay, 0}, {1, idDay, 0}}));
    const struct
    {
        UINT nKey;
        int nCode;
    } keys[] = {{VK_HOME, 8}, {VK_END, 9}, {VK_UP, 1}, {VK_ADD, 1}, {VK_DOWN, 2}, {VK_SUBTRACT, 2}};
    for (const auto& k : keys)
    {
        day.OnKeyDown(k.nKey);
        EXPECT_EQ(m_owner.Take(), (std::vector<Notification>{{k.nCode, idDay, 0}})) << k.nKey;
    }
}

TEST_F(GadgetTest, MonthNamesTypeAheadWithAPrefixTimer)
{
    CStringArray months;
    for (LPCTSTR psz : {_T("January"), _T("February"), _T("March"), _T("April"), _T("May"), _T("June"), _T("July"),
                        _T("August"), _T("September"), _T("October"), _T("November"), _T("December")})
        months.Add(psz);
    CGXBDTListGadget month(&m_owner, idMonthName, months);
    Type(month, "M");
    EXPECT_EQ(month.GetValue(), 2);
    EXPECT_EQ(m_timers.m_nInterval, 2000U);
    Type(month, "m");
    EXPECT_EQ(month.GetValue(), 4);
    Type(month, "a");
    EXPECT_EQ(month.GetValue(), 4);
    EXPECT_EQ(month.GetTypedPrefix(), L"ma");

    m_timers.Tick();
    EXPECT_TRUE(month.GetTypedPrefix().IsEmpty());
    EXPECT_EQ(m_timers.m_nRunning, 0U);
    Type(month, "ju");
    EXPECT_EQ(month.GetValue(), 5);

    // A refused choice is passed over; no match beeps and forgets the prefix.
    m_owner.Take();
    Type(month, "q");
    EXPECT_EQ(month.GetValue(), 5);
    EXPECT_TRUE(month.GetTypedPrefix().IsEmpty());
}

TEST_F(GadgetTest, HeldSpinButtonRepeatsFasterTheLongerItIsHeld)
{
    CGXBDTSpinGadget spin(&m_owner, idSpin);
    spin.SetRect(CRect(0, 0, 16, 20));
    spin.OnLButtonDown(CPoint(8, 3));
    EXPECT_TRUE(spin.IsUpPressed());
    EXPECT_EQ(::GetCapture(), Parent().m_hWnd);
    EXPECT_EQ(m_timers.m_nInterval, 500U);
    EXPECT_EQ(m_owner.Take(), (std::vector<Notification>{{3, idSpin, 1}}));

    std::vector<int> steps;
    for (int nTick = 1; nTick <= 52; ++nTick)
    {
        m_timers.Tick();
        steps.push_back(m_owner.Take().at(0).nNumber);
    }
    EXPECT_EQ(m_timers.m_nInterval, 100U);
    EXPECT_EQ(steps[0], 1);
    EXPECT_EQ(steps[19], 1);
    EXPECT_EQ(steps[20], 2);
    EXPECT_EQ(steps[49], 2);
    EXPECT_EQ(steps[50], 5);

    // Outside the half the repeat stops; back inside it restarts at the slow step.
    spin.OnMouseMove(CPoint(8, 15));
    EXPECT_FALSE(spin.IsUpPressed());
    EXPECT_EQ(m_timers.m_nRunning, 0U);
    spin.OnMouseMove(CPoint(8, 4));
    EXPECT_TRUE(spin.IsUpPressed());
    m_timers.Tick();
    EXPECT_EQ(m_owner.Take(), (std::vector<Notification>{{3, idSpin, 1}}));

    spin.OnLButtonUp(CPoint(8, 4));
    EXPECT_EQ(m_timers.m_nRunning, 0U);
    EXPECT_EQ(::GetCapture(), nullptr);

    spin.OnLButtonDown(CPoint(8, 15));
    EXPECT_TRUE(spin.IsDownPressed());
    EXPECT_EQ(m_owner.Take(), (std::vector<Notification>{{4, idSpin, 1}}));
    spin.OnCancelMode();
    EXPECT_EQ(m_timers.m_nRunning, 0U);
    spin.OnLButtonDown(CPoint(30, 15));
    EXPECT_TRUE(m_owner.Take().empty());
}

TEST_F(GadgetTest, DropButtonClicksOnlyWhenReleasedOverIt)
{
    CGXBDTButtonGadget button(&m_owner, idDrop, 20028);
    button.SetRect(CRect(100, 0, 116, 20));
    button.OnLButtonDown(CPoint(105, 5));
    EXPECT_TRUE(button.IsDrawnPressed());
    button.OnMouseMove(CPoint(50, 5));
    EXPECT_FALSE(button.IsDrawnPressed());
    button.OnMouseMove(CPoint(110, 5));
    EXPECT_TRUE(button.IsDrawnPressed());
    button.OnLButtonUp(CPoint(110, 5));
    EXPECT_EQ(m_owner.Take(), (std::vector<Notification>{{5, idDrop, 0}}));

    button.OnLButtonDown(CPoint(105, 5));
    button.OnLButtonUp(CPoint(50, 5));
    button.OnLButtonDown(CPoint(105, 5));
    button.OnCancelMode();
    EXPECT_FALSE(button.IsDrawnPressed());
    EXPECT_TRUE(m_owner.Take().empty());
}

TEST_F(GadgetTest, ADeletedGadgetTakesItsTimerWithIt)
{
    CStringArray choices;
    choices.Add(_T("AM"));
    choices.Add(_T("PM"));
    auto pList = std::make_unique<CGXBDTListGadget>(&m_owner, 0x10, choices);
    Type(*pList, "p");
    const UINT_PTR nTimer = m_timers.m_nRunning;
    ASSERT_NE(nTimer, 0U);
    pList.reset();
    EXPECT_EQ(m_timers.m_nRunning, 0U);
    EXPECT_FALSE(CGXBDTGadget::DispatchTimer(nTimer));
}

TEST(GadgetThreadTimerTest, ThreadTimersReachTheGadget)
{
    RecordingOwner owner(nullptr);
    CStringArray choices;
    choices.Add(_T("AM"));
    choices.Add(_T("PM"));
    CGXBDTListGadget list(&owner, 0x10, choices);
    list.OnChar('p');
    EXPECT_EQ(list.GetTypedPrefix(), L"p");
    // The real prefix timer fires after its two seconds.
    ASSERT_TRUE(PumpMessagesUntil([&] { return list.GetTypedPrefix().IsEmpty(); }));
}
