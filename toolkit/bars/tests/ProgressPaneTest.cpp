// The progress control's percentage, layouts, text and timers, and the status bar's progress
// pane with and without a label.
#include <toolkit/bars/CustomStatusBar.h>
#include <toolkit/bars/ProgressCtrl.h>

#include <gtest/gtest.h>

#include "StatusBarFixture.h"
#include <testing/MemoryCanvas.h>

using namespace tarnwick::bars;

namespace
{
// Remembers the text the control was about to draw.
class TextProgressCtrl : public SECProgressCtrl
{
public:
    void FormatText(CString& strText) override
    {
        m_strDrawn = strText;
    }
    CString m_strDrawn;
};

class ProgressCtrlTest : public HiddenWindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_ctrl.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 50), &Parent(), 1, 0x4100));
    }
    CString DrawnText()
    {
        MemoryCanvas canvas(100, 50, RGB(1, 2, 3));
        m_ctrl.OnDraw(&canvas.Dc());
        return m_ctrl.m_strDrawn;
    }
    TextProgressCtrl m_ctrl;
};

class ProgressPaneTest : public StatusBarFixture<SECCustomStatusBar>
{
protected:
    static int PaneWidth(const SECStatusBar& bar, int nIndex)
    {
        UINT nID = 0;
        UINT nStyle = 0;
        int cxWidth = 0;
        bar.GetPaneInfo(nIndex, nID, nStyle, cxWidth);
        return cxWidth;
    }
    CRect ProgressRect()
    {
        CRect rect;
        m_bar.GetProgressCtrl()->GetWindowRect(rect);
        m_bar.ScreenToClient(rect);
        return rect;
    }
};
} // namespace

TEST_F(ProgressCtrlTest, PercentIsThePositionsShareOfTheRangeComparedAsSigned)
{
    struct Case
    {
        int nPos, nLower, nUpper;
        float fPercent;
    };
    const Case cases[] = {
        {50, 0, 100, 50.0f},   {-5, 0, 100, 0.0f},   {150, 0, 100, 100.0f},
        {5, 5, 5, 0.0f},       {-75, -100, 0, 25.0f}, {0, INT_MIN, INT_MAX, 50.0f},
        {INT_MAX, 0, 10, 100.0f},
    };
    for (const Case& c : cases)
    {
        m_ctrl.SetRange(c.nLower, c.nUpper);
        m_ctrl.SetPos(c.nPos);
        EXPECT_NEAR(m_ctrl.GetPercent(), c.fPercent, 0.01f) << c.nPos << " in " << c.nLower << ".." << c.nUpper;
    }
}

TEST_F(ProgressCtrlTest, PercentTextRoundsAndStopsAtAHundred)
{
    const std::pair<int, const TCHAR*> cases[] = {{0, _T("0 %")}, {100, _T("50 %")}, {199, _T("100 %")},
                                                  {-20, _T("0 %")}, {500, _T("100 %")}};
    m_ctrl.SetRange(0, 200);
    for (const auto& [nPos, lpszText] : cases)
    {
        m_ctrl.SetPos(nPos);
        EXPECT_EQ(DrawnText(), lpszText) << nPos;
    }
    // Equal bounds: no division by zero.
    m_ctrl.SetRange(7, 7);
    m_ctrl.SetPos(7);
    EXPECT_EQ(DrawnText(), _T("0 %"));
    // Its own text instead, or nothing.
    m_ctrl.SetText(_T("Busy"));
    m_ctrl.SetProgressStyle(PBS_SEC_TEXT);
    EXPECT_EQ(DrawnText(), _T("Busy"));
    m_ctrl.m_strDrawn.Empty();
    m_ctrl.SetProgressStyle(0);
    EXPECT_EQ(DrawnText(), _T(""));
}

TEST_F(ProgressCtrlTest, BarAndRestFollowTheLayout)
{
    struct Case
    {
        DWORD dwStyle;
        CRect rectBar, rectRest;
    };
    // 100 x 50 at 50 %: the bar is 50 long across and 25 long upright, a marquee block a
    // fifth of the length.
    const Case cases[] = {
        {0, {0, 0, 50, 50}, {50, 0, 100, 50}},
        {PBS_SEC_MARQUEE, {40, 0, 60, 50}, {60, 0, 100, 50}},
        {PBS_SEC_RIGHTTOLEFT, {50, 0, 100, 50}, {0, 0, 50, 50}},
        {PBS_SEC_RIGHTTOLEFT | PBS_SEC_MARQUEE, {40, 0, 60, 50}, {0, 0, 40, 50}},
        {PBS_SEC_VERTICAL | PBS_SEC_TOPTOBOTTOM, {0, 0, 100, 25}, {0, 25, 100, 50}},
        {PBS_SEC_VERTICAL | PBS_SEC_TOPTOBOTTOM | PBS_SEC_MARQUEE, {0, 20, 100, 30}, {0, 30, 100, 50}},
        {PBS_SEC_VERTICAL, {0, 25, 100, 50}, {0, 0, 100, 25}},
        {PBS_SEC_VERTICAL | PBS_SEC_MARQUEE, {0, 20, 100, 30}, {0, 0, 100, 20}},
    };
    for (const Case& c : cases)
    {
        m_ctrl.SetProgressStyle(c.dwStyle);
        CRect rectBar;
        CRect rectRest;
        m_ctrl.CalcRects(50.0f, rectBar, rectRest);
        EXPECT_EQ(rectBar, c.rectBar) << std::hex << c.dwStyle;
        EXPECT_EQ(rectRest, c.rectRest) << std::hex << c.dwStyle;
    }
}

TEST_F(ProgressCtrlTest, TimersStepTheBar)
{
    // The stepping timer stops at the upper bound.
    m_ctrl.SetRange(0, 30);
    ASSERT_TRUE(m_ctrl.StartTimer(10));
    ASSERT_TRUE(PumpMessagesUntil([this] { return m_ctrl.GetPos() >= 30; }));
    PumpMessagesFor(50);
    EXPECT_EQ(m_ctrl.GetPos(), 30);
    EXPECT_FALSE(m_ctrl.StartTimer(10));
    // The marquee moves, and wraps round at the upper bound.
    m_ctrl.SetProgressStyle(PBS_SEC_MARQUEE | PBS_SEC_PERCENT);
    m_ctrl.SetPos(0);
    m_ctrl.StartMarquee();
    EXPECT_TRUE(m_ctrl.IsMarqueeRunning());
    ASSERT_TRUE(PumpMessagesUntil([this] { return m_ctrl.GetPos() >= 20; }));
    ASSERT_TRUE(PumpMessagesUntil([this] { return m_ctrl.GetPos() == 0; }));
    // Stopped, the marquee takes one last step on its timer's next tick and ends the timer.
    m_ctrl.SetMarqueeRunning(FALSE);
    const int nLast = m_ctrl.GetPos();
    ASSERT_TRUE(PumpMessagesUntil([&] { return m_ctrl.GetPos() != nLast; }));
    const int nPos = m_ctrl.GetPos();
    PumpMessagesFor(240);
    EXPECT_EQ(m_ctrl.GetPos(), nPos);
}

TEST_F(ProgressPaneTest, TheApplicationsPaneCoversTheBarAndShowsItsPercentInTwoColours)
{
    ASSERT_TRUE(m_bar.InitProgressPane(nullptr, 0, 100, TRUE, 0x4100, 10));
    SECProgressCtrl* pCtrl = m_bar.GetProgressCtrl();
    ASSERT_NE(pCtrl, nullptr);
    CRect rectClient;
    m_bar.GetClientRect(rectClient);
    EXPECT_EQ(ProgressRect(), rectClient);
    EXPECT_TRUE(pCtrl->GetStyle() & WS_VISIBLE);
    EXPECT_EQ(pCtrl->GetPos(), 0);

    m_bar.SetProgressPos(50);
    const CSize size = rectClient.Size();
    MemoryCanvas canvas(size.cx, size.cy, RGB(1, 2, 3));
    pCtrl->OnDraw(&canvas.Dc());
    const COLORREF crBar = RGB(0, 0, 128);
    const COLORREF crBk = RGB(255, 255, 255);
    const int y = size.cy / 2;
    EXPECT_EQ(canvas.Pixel(2, y), crBar);
    EXPECT_EQ(canvas.Pixel(size.cx - 3, y), crBk);
    // The text straddles the middle: white glyphs over the bar, blue ones over the rest.
    const int cxText = canvas.Dc().GetTextExtent(_T("50 %")).cx;
    bool bWhiteOverBar = false;
    bool bBlueOverRest = false;
    for (int x = size.cx / 2 - cxText; x < size.cx / 2 + cxText; ++x)
        for (int yy = 0; yy < size.cy; ++yy)
        {
            bWhiteOverBar |= x < size.cx / 2 && canvas.Pixel(x, yy) == crBk;
            bBlueOverRest |= x >= size.cx / 2 && canvas.Pixel(x, yy) == crBar;
        }
    EXPECT_TRUE(bWhiteOverBar);
    EXPECT_TRUE(bBlueOverRest);

    // While open, the bar's window text leaves pane 0 alone.
    m_bar.SetPaneText(0, _T("Zipping Files"));
    m_bar.SetWindowText(_T("Ready"));
    EXPECT_EQ(m_bar.GetPaneText(0), _T("Zipping Files"));
    m_bar.CloseProgressPane();
    EXPECT_EQ(m_bar.GetProgressCtrl(), nullptr);
    m_bar.SetWindowText(_T("Ready"));
    EXPECT_EQ(m_bar.GetPaneText(0), _T("Ready"));
}

TEST_F(ProgressPaneTest, ALabelKeepsItsWidthAndClosingGivesPaneZeroBack)
{
    m_bar.SetPaneText(0, _T("Ready"));
    const int cxBefore = PaneWidth(m_bar, 0);
    const UINT nStyleBefore = m_bar.GetPaneStyle(0);
    ASSERT_TRUE(nStyleBefore & SBPS_STRETCH);
    ASSERT_TRUE(m_bar.InitProgressPane(_T("Zipping"), 0, 10, TRUE, 0x4100, 2));
    EXPECT_EQ(m_bar.GetProgressCtrl()->GetStep(), 2);

    int cxLabel = 0;
    {
        CClientDC dc(&m_bar);
        CFont* pOld = dc.SelectObject(CFont::FromHandle(reinterpret_cast<HFONT>(m_bar.SendMessage(WM_GETFONT))));
        cxLabel = dc.GetTextExtent(_T("Zipping ")).cx;
        dc.SelectObject(pOld);
    }
    EXPECT_EQ(m_bar.GetPaneText(0), _T("Zipping "));
    EXPECT_EQ(PaneWidth(m_bar, 0), cxLabel);
    EXPECT_FALSE(m_bar.GetPaneStyle(0) & SBPS_STRETCH);
    CRect rectPane;
    m_bar.GetItemRect(0, rectPane);
    EXPECT_EQ(rectPane.Width(), cxLabel + 6);
    const CRect rectCtrl = ProgressRect();
    EXPECT_GT(rectCtrl.left, cxLabel);
    CRect rectClient;
    m_bar.GetClientRect(rectClient);
    EXPECT_EQ(rectCtrl.right, rectClient.right);

    // A second label does not overwrite what was saved.
    ASSERT_TRUE(m_bar.InitProgressPane(_T("Packing"), 0, 10, FALSE, 0x4100));
    m_bar.CloseProgressPane();
    EXPECT_EQ(m_bar.GetPaneText(0), _T("Ready"));
    EXPECT_EQ(PaneWidth(m_bar, 0), cxBefore);
    EXPECT_EQ(m_bar.GetPaneStyle(0), nStyleBefore);
}

TEST_F(ProgressPaneTest, WithoutAnOpenPaneNothingHappens)
{
    m_bar.SetProgressPos(40);
    m_bar.CloseProgressPane();
    EXPECT_EQ(m_bar.GetProgressCtrl(), nullptr);
}
