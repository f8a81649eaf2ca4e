#include <grid/controls/BCalculator.h>

#include <testing/MessagePump.h>
#include <testing/PrintString.h>

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace
{
int s_nBeeps = 0;

void CountBeep()
{
    ++s_nBeeps;
}

// Counts the calculator's beeps while it lives.
class BeepCounter
{
public:
    BeepCounter() : m_pfnOld(GXBSetBeepFunction(CountBeep))
    {
        s_nBeeps = 0;
    }
    ~BeepCounter()
    {
        GXBSetBeepFunction(m_pfnOld);
    }
    int Count() const
    {
        return s_nBeeps;
    }

private:
    GXBBeepFunction m_pfnOld;
};

// A window that keeps the results a popup calculator sends it.
class ResultOwner : public CWnd
{
public:
    ResultOwner()
    {
        CreateEx(0, AfxRegisterWndClass(0), _T("owner"), WS_POPUP, CRect(100, 100, 300, 130), nullptr, 0);
    }
    ~ResultOwner() override
    {
        DestroyWindow();
    }
    std::vector<CString> m_results;

protected:
    afx_msg LRESULT OnResult(WPARAM /*wParam*/, LPARAM lParam)
    {
        m_results.emplace_back(reinterpret_cast<LPCTSTR>(lParam));
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ResultOwner, CWnd)
ON_MESSAGE(GXB_CALC_RESULT, OnResult)
END_MESSAGE_MAP()

void Type(CWnd& wnd, LPCTSTR pszKeys)
{
    for (; *pszKeys != 0; ++pszKeys)
        wnd.SendMessage(WM_CHAR, static_cast<WPARAM>(*pszKeys), 1);
}

class CalculatorTest : public HiddenWindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_calc.Create(WS_CHILD, CPoint(0, 0), &Parent(), 1));
        CString strSeparator;
        m_calc.GetDecimalSeparator(strSeparator);
        ASSERT_EQ(strSeparator, _T(".")) << "the tests pin the user's locale to en-US";
    }
    CString Run(LPCTSTR pszKeys)
    {
        Type(m_calc, pszKeys);
        return m_calc.GetDisplayText();
    }

    CGXBCalculator m_calc;
};
} // namespace

TEST_F(CalculatorTest, EvaluatesFromLeftToRight)
{
    struct Case
    {
        LPCTSTR pszKeys;
        LPCTSTR pszDisplay;
    };
    const Case cases[] = {
        {_T("2+3*4="), _T("20.")},   {_T("200*10%"), _T("20.")}, {_T("200+10%"), _T("0.")},
        {_T("12="), _T("12.")},      {_T("1/4="), _T("0.25")},   {_T("000"), _T("0")},
        {_T("1..5"), _T("1.5")},     {_T("7-9="), _T("-2.")},
    };
    for (const Case& c : cases)
    {
        Type(m_calc, _T("c"));
        EXPECT_EQ(Run(c.pszKeys), c.pszDisplay) << CW2A(c.pszKeys);
    }
    m_calc.SendMessage(WM_KEYDOWN, 'C', 1);
    Type(m_calc, _T("5*3"));
    m_calc.SendMessage(WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(m_calc.GetDisplayText(), _T("15."));
    EXPECT_DOUBLE_EQ(m_calc.GetValue(), 15.0);
}

TEST_F(CalculatorTest, DivisionByZeroHoldsTheErrorUntilCleared)
{
    BeepCounter beeps;
    EXPECT_EQ(Run(_T("1/0=")), _T("Error "));
    EXPECT_TRUE(m_calc.IsInError());
    EXPECT_EQ(beeps.Count(), 0);
    Type(m_calc, _T("5.+-*/%=\b"));
    m_calc.SendMessage(WM_KEYDOWN, VK_DELETE, 1);
    m_calc.SendMessage(WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(beeps.Count(), 11);
    EXPECT_EQ(m_calc.GetDisplayText(), _T("Error "));
    Type(m_calc, _T("c"));
    EXPECT_FALSE(m_calc.IsInError());
    EXPECT_EQ(m_calc.GetDisplayText(), _T("0"));
    // Clear entry in error clears all.
    Run(_T("1/0="));
    m_calc.SendMessage(WM_KEYDOWN, 'E', 1);
    EXPECT_FALSE(m_calc.IsInError());
    EXPECT_EQ(beeps.Count(), 11);
}

TEST_F(CalculatorTest, EntryLimitsBeep)
{
    BeepCounter beeps;
    EXPECT_EQ(Run(_T("1234567890123")), _T("1234567890123"));
    EXPECT_EQ(beeps.Count(), 0);
    EXPECT_EQ(Run(_T("4")), _T("1234567890123"));
    EXPECT_EQ(beeps.Count(), 1);
    // Backspace right after an operator leaves the shown result alone.
    Type(m_calc, _T("c12+\b"));
    EXPECT_EQ(m_calc.GetDisplayText(), _T("12."));
    EXPECT_EQ(Run(_T("3\b4=")), _T("16."));
    // A result wider than the display is an error.
    Type(m_calc, _T("c9999999999999*1000="));
    EXPECT_TRUE(m_calc.IsInError());
}

TEST_F(CalculatorTest, LaysOutSixRows)
{
    const std::vector<CGXBCalcBtn>& buttons = m_calc.GetButtons();
    ASSERT_EQ(buttons.size(), 20u);
    std::set<LONG> rows;
    for (const CGXBCalcBtn& button : buttons)
        rows.insert(button.GetRect().top);
    EXPECT_EQ(rows.size(), 6u);
    const CSize unit = m_calc.GetUnitSize();
    ASSERT_GT(unit.cx, 0);
    EXPECT_EQ(buttons[16].GetLabel(), _T("0"));
    EXPECT_EQ(buttons[16].GetRect().Width(), 2 * unit.cx);
    EXPECT_EQ(buttons[19].GetRect().Width(), 4 * unit.cx);
    EXPECT_EQ(buttons[19].GetRect().Height(), unit.cy);
    EXPECT_EQ(m_calc.GetDisplayRect().right, buttons[19].GetRect().right);
    EXPECT_GT(buttons[0].GetRect().top, m_calc.GetDisplayRect().bottom);
    EXPECT_EQ(m_calc.GetPopupFlags(), 0u);
}

TEST_F(CalculatorTest, ThePopupReportsToItsOwnerAndCloses)
{
    ResultOwner owner;
    CRect rectUnder(100, 100, 200, 120);
    struct Case
    {
        LPCTSTR pszKeys;
        UINT nMessage;
        UINT nKey;
        LPCTSTR pszResult;
    };
    const Case cases[] = {
        {_T("2*3"), WM_KEYDOWN, VK_RETURN, _T("6.")},
        {_T("2*4"), WM_SYSKEYDOWN, VK_DOWN, _T("8.")},
        {_T("2*5"), WM_KEYDOWN, VK_ESCAPE, nullptr},
        {_T("1/0"), WM_KEYDOWN, VK_RETURN, nullptr},
        {_T("2*6"), 0, 0, nullptr},
    };
    for (const Case& c : cases)
    {
        owner.m_results.clear();
        auto* pPopup = new CGXBPopupCalculator;
        ASSERT_TRUE(pPopup->CreatePopup(WS_VISIBLE, rectUnder, &owner));
        const HWND hPopup = pPopup->m_hWnd;
        EXPECT_EQ(pPopup->GetPopupFlags(), 2048u);
        CRect rectWindow;
        pPopup->GetWindowRect(rectWindow);
        EXPECT_EQ(rectWindow.TopLeft(), CPoint(100, 120));
        EXPECT_TRUE((pPopup->GetStyle() & WS_BORDER) != 0);
        Type(*pPopup, c.pszKeys);
        if (c.nMessage != 0)
            ::SendMessage(hPopup, c.nMessage, c.nKey, 1);
        else
        {
            // Losing the focus closes it.
            owner.SetFocus();
            EXPECT_TRUE(PumpMessagesUntil([&] { return !::IsWindow(hPopup); }));
        }
        EXPECT_FALSE(::IsWindow(hPopup)) << CW2A(c.pszKeys);
        // Closed by a key, the focus goes back to the owner.
        EXPECT_EQ(::GetFocus(), owner.m_hWnd) << CW2A(c.pszKeys);
        if (c.pszResult == nullptr)
            EXPECT_TRUE(owner.m_results.empty()) << CW2A(c.pszKeys);
        else
        {
            ASSERT_EQ(owner.m_results.size(), 1u) << CW2A(c.pszKeys);
            EXPECT_EQ(owner.m_results[0], c.pszResult);
        }
    }
}

TEST_F(CalculatorTest, SetValueShowsTheValue)
{
    auto* pPopup = new CGXBPopupCalculator;
    pPopup->SetValue(-12.5);
    ResultOwner owner;
    ASSERT_TRUE(pPopup->CreatePopup(0, CRect(0, 0, 10, 10), &owner));
    EXPECT_EQ(pPopup->GetDisplayText(), _T("-12.5"));
    pPopup->DestroyWindow();
}

TEST_F(CalculatorTest, AClickRunsTheButtonReleasedOver)
{
    const std::vector<CGXBCalcBtn>& buttons = m_calc.GetButtons();
    const auto Click = [&](size_t nDown, size_t nUp) {
        const CPoint ptDown = buttons[nDown].GetRect().CenterPoint();
        const CPoint ptUp = buttons[nUp].GetRect().CenterPoint();
        m_calc.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptDown.x, ptDown.y));
        EXPECT_TRUE(buttons[nDown].IsState(CGXBCalcBtn::statePressed));
        m_calc.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptUp.x, ptUp.y));
        EXPECT_EQ(buttons[nDown].IsState(CGXBCalcBtn::statePressed), nDown == nUp);
        m_calc.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptUp.x, ptUp.y));
        EXPECT_FALSE(buttons[nDown].IsState(CGXBCalcBtn::statePressed));
    };
    // Buttons 12 and 13 are "1" and "2", 18 is "+", 19 "Enter".
    Click(12, 12);
    Click(18, 18);
    Click(13, 12);
    Click(13, 13);
    Click(19, 19);
    EXPECT_EQ(m_calc.GetDisplayText(), _T("3."));
    EXPECT_NE(::GetCapture(), m_calc.m_hWnd);
}
