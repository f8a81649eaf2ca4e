// The gripper strip of docked bars in a hidden frame: the squares of its buttons, pressing
// and releasing them, and their tips.
#include <toolkit/foundation/VisualStyle.h>
#include <toolkit/frames/ControlBar.h>
#include <toolkit/frames/DockBar.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include <gtest/gtest.h>
#include <testing/MemoryCanvas.h>
#include <testing/PrintString.h>

#include "HiddenFrameTest.h"

using tarnwick::frames::ID_SEC_HIDE_BAR;
using tarnwick::frames::SECControlBar;
using tarnwick::frames::SECDockBar;

namespace caption_test
{
// The bars act on the toolkit's frames only, which they know by class name; this one counts
// the layouts asked of it.
class SECFrameWnd : public CFrameWnd
{
    DECLARE_DYNAMIC(SECFrameWnd)
public:
    void RecalcLayout(BOOL bNotify = TRUE) override
    {
        ++m_nLayouts;
        CFrameWnd::RecalcLayout(bNotify);
    }
    int m_nLayouts = 0;
};
IMPLEMENT_DYNAMIC(SECFrameWnd, CFrameWnd)

// Counts the "Hide" commands it receives.
class CountingBar : public SECControlBar
{
public:
    int m_nHides = 0;

protected:
    afx_msg void OnHideCounted()
    {
        ++m_nHides;
        OnHide();
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CountingBar, SECControlBar)
ON_COMMAND(ID_SEC_HIDE_BAR, OnHideCounted)
END_MESSAGE_MAP()

constexpr DWORD CAPTION_STYLE = 0x100 | 0x200 | 0x400 | 0x800 | 0x10000;

class CaptionTest : public HiddenFrameTest
{
protected:
    CFrameWnd* NewFrame() override
    {
        return m_pToolkitFrame = new SECFrameWnd;
    }
    void TearDown() override
    {
        m_bars.clear();
        HiddenFrameTest::TearDown();
    }
    SECDockBar* MakeDockBar(DWORD dwAlign, UINT nID)
    {
        auto* pDockBar = new SECDockBar;
        EXPECT_TRUE(pDockBar->Create(m_pFrame, WS_CHILD | WS_VISIBLE | dwAlign, nID));
        return pDockBar;
    }
    // A bar with a caption, docked at the end of the dock bar's first row.
    CountingBar* AddBar(SECDockBar* pDockBar, DWORD dwExStyle = CAPTION_STYLE)
    {
        m_bars.push_back(std::make_unique<CountingBar>());
        CountingBar* pBar = m_bars.back().get();
        EXPECT_TRUE(pBar->Create(m_pFrame, _T("Output"), WS_CHILD | WS_VISIBLE | CBRS_TOOLTIPS, dwExStyle,
                                 0xE900 + static_cast<UINT>(m_bars.size())));
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        pDockBar->DockControlBarSizedAt(pBar, 99, 0);
        return pBar;
    }
    // Lays the frame out and draws the bar, which places its buttons.
    void LayOutAndPaint(CControlBar* pBar)
    {
        m_pFrame->RecalcLayout();
        MemoryCanvas canvas(800, 600, RGB(1, 2, 3));
        pBar->DoPaint(&canvas.Dc());
    }
    static void Click(CWnd* pBar, CPoint down, CPoint up)
    {
        pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
        pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
    }
    SECFrameWnd* m_pToolkitFrame = nullptr;
    std::vector<std::unique_ptr<CountingBar>> m_bars;
};

// The left end of the strip's grip dots in the toolkit's style: a black two-pixel square with a
// light companion one pixel down and right; -1 when none is drawn.
int FirstGripDot(const MemoryCanvas& canvas, const CRect& rect)
{
    for (int x = rect.left; x < rect.right - 2; ++x)
        for (int y = rect.top; y < rect.bottom - 2; ++y)
            if (canvas.Pixel(x, y) == RGB(0, 0, 0) && canvas.Pixel(x + 1, y + 1) == RGB(0, 0, 0) &&
                canvas.Pixel(x + 2, y + 2) == RGB(0xC0, 0xC0, 0xC0))
                return x;
    return -1;
}

TEST_F(CaptionTest, GripDotsStartAfterTheTitle)
{
    const BOOL bWasStyle3 = SECSelectVisualStyle(TRUE);
    SECControlBar* pBar = AddBar(MakeDockBar(CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT));
    m_pFrame->RecalcLayout();
    CRect rect;
    pBar->GetClientRect(&rect);
    ASSERT_GT(rect.Width(), 200);
    std::vector<int> starts;
    for (LPCTSTR lpszTitle : {_T(""), _T("W"), _T("SAP Landscape")})
    {
        pBar->SetWindowText(lpszTitle);
        MemoryCanvas canvas(rect.Width(), rect.Height(), RGB(1, 2, 3));
        pBar->DoPaint(&canvas.Dc());
        starts.push_back(FirstGripDot(canvas, rect));
    }
    SECSelectVisualStyle(bWasStyle3);
    // Without a title the dots start at the strip's left; a title pushes them past its end.
    ASSERT_GE(starts[0], 0);
    EXPECT_LT(starts[0], 10);
    EXPECT_GT(starts[1], starts[0] + 8);
    EXPECT_GT(starts[2], starts[1]);
}

TEST_F(CaptionTest, StripAndButtonSquares)
{
    const struct
    {
        DWORD dwAlign;
        UINT nID;
        // The squares, given the bar's client size.
        CRect (*close)(CSize);
        CRect (*expand)(CSize);
    } cases[] = {
        // Top and bottom bars: an upright strip at the left, inside the one-pixel borders.
        {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM, [](CSize) { return CRect(4, 5, 15, 16); },
         [](CSize) { return CRect(4, 18, 15, 29); }},
        // Other bars: a strip along the top, buttons from its right end.
        {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT, [](CSize s) { return CRect(s.cx - 16, 4, s.cx - 5, 15); },
         [](CSize s) { return CRect(s.cx - 29, 4, s.cx - 18, 15); }},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nID);
        SECControlBar* pBar = AddBar(MakeDockBar(c.dwAlign, c.nID));
        LayOutAndPaint(pBar);
        CRect rectClient;
        pBar->GetClientRect(&rectClient);
        ASSERT_FALSE(rectClient.IsRectEmpty());
        EXPECT_EQ(pBar->GetCloseButtonRect(), c.close(rectClient.Size()));
        EXPECT_EQ(pBar->GetExpandButtonRect(), c.expand(rectClient.Size()));
    }
}

TEST_F(CaptionTest, CloseSendsHideHidesTheBarAndLaysTheFrameOut)
{
    CountingBar* pBar = AddBar(MakeDockBar(CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM));
    LayOutAndPaint(pBar);
    const CPoint ptClose = pBar->GetCloseButtonRect().CenterPoint();

    // Released outside the button: the button comes up again and nothing else happens.
    pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptClose.x, ptClose.y));
    EXPECT_EQ(::GetCapture(), pBar->m_hWnd);
    pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptClose.x + 100, ptClose.y + 50));
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(pBar->m_nHides, 0);
    EXPECT_TRUE(pBar->GetStyle() & WS_VISIBLE);
    // The press is over: a release on the button alone does nothing.
    pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptClose.x, ptClose.y));
    EXPECT_EQ(pBar->m_nHides, 0);

    const int nLayouts = m_pToolkitFrame->m_nLayouts;
    Click(pBar, ptClose, ptClose);
    EXPECT_EQ(pBar->m_nHides, 1);
    EXPECT_FALSE(pBar->GetStyle() & WS_VISIBLE);
    EXPECT_GT(m_pToolkitFrame->m_nLayouts, nLayouts);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(CaptionTest, FloatingBarIgnoresClose)
{
    CountingBar* pBar = AddBar(MakeDockBar(CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM));
    LayOutAndPaint(pBar);
    const CPoint ptClose = pBar->GetCloseButtonRect().CenterPoint();
    pBar->m_dwStyle |= CBRS_FLOATING;
    pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptClose.x, ptClose.y));
    EXPECT_EQ(::GetCapture(), nullptr);
    pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptClose.x, ptClose.y));
    EXPECT_EQ(pBar->m_nHides, 0);
    EXPECT_TRUE(pBar->GetStyle() & WS_VISIBLE);
}

TEST_F(CaptionTest, ExpandActsOnlyWithOtherBarsInTheRow)
{
    SECDockBar* pDockBar = MakeDockBar(CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM);
    CountingBar* pA = AddBar(pDockBar);
    LayOutAndPaint(pA);
    EXPECT_FALSE(pA->IsExpandEnabled());
    const CPoint ptExpand = pA->GetExpandButtonRect().CenterPoint();
    // A press there is a press on the bar, which starts a drag: Escape ends it.
    pA->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    pA->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptExpand.x, ptExpand.y));
    EXPECT_EQ(::GetCapture(), nullptr);
    pA->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptExpand.x, ptExpand.y));
    EXPECT_FLOAT_EQ(pA->m_fPctWidth, 1.0f);

    CountingBar* pB = AddBar(pDockBar);
    LayOutAndPaint(pA);
    ASSERT_TRUE(pA->IsExpandEnabled());
    EXPECT_NEAR(pA->m_fPctWidth, 0.5f, 1e-4);
    Click(pA, ptExpand, ptExpand);
    EXPECT_GT(pA->m_fPctWidth, 0.9f);
    LayOutAndPaint(pA);
    EXPECT_TRUE(pA->IsExpanded());
    // Contracting gives the row equal shares again.
    Click(pA, ptExpand, ptExpand);
    EXPECT_NEAR(pA->m_fPctWidth, pB->m_fPctWidth, 1e-4);
    EXPECT_EQ(pA->m_nHides + pB->m_nHides, 0);
}

TEST_F(CaptionTest, ButtonTipsNameWhatTheButtonsDo)
{
    SECDockBar* pDockBar = MakeDockBar(CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM);
    SECControlBar* pBar = AddBar(pDockBar);
    AddBar(pDockBar);
    LayOutAndPaint(pBar);
    auto tip = [&](CPoint point, CString& strText, CRect& rect) {
        TOOLINFO ti{};
        ti.cbSize = sizeof(ti);
        const INT_PTR nHit = pBar->OnToolHitTest(point, &ti);
        strText = nHit != -1 ? ti.lpszText : _T("");
        rect = ti.rect;
        std::free(ti.lpszText);
        return nHit;
    };
    CString strText;
    CRect rect;
    EXPECT_EQ(tip(pBar->GetCloseButtonRect().CenterPoint(), strText, rect), 1024);
    EXPECT_EQ(strText, CString(_T("Hide docked window")));
    EXPECT_EQ(rect, pBar->GetCloseButtonRect());
    const CPoint ptExpand = pBar->GetExpandButtonRect().CenterPoint();
    EXPECT_EQ(tip(ptExpand, strText, rect), 2048);
    EXPECT_EQ(strText, CString(_T("Expand docked window")));
    Click(pBar, ptExpand, ptExpand);
    LayOutAndPaint(pBar);
    EXPECT_EQ(tip(ptExpand, strText, rect), 2048);
    EXPECT_EQ(strText, CString(_T("Contract docked window")));
    EXPECT_EQ(tip(CPoint(200, 100), strText, rect), -1);
    pBar->m_dwStyle &= ~CBRS_TOOLTIPS;
    EXPECT_EQ(tip(pBar->GetCloseButtonRect().CenterPoint(), strText, rect), -1);
}
} // namespace caption_test

namespace caption_test
{
// Bars of a frame that is not one of the toolkit's leave the release to the window.
class PlainFrameCaptionTest : public CaptionTest
{
protected:
    CFrameWnd* NewFrame() override
    {
        return new CFrameWnd;
    }
};

TEST_F(PlainFrameCaptionTest, CloseDoesNothing)
{
    CountingBar* pBar = AddBar(MakeDockBar(CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM));
    LayOutAndPaint(pBar);
    const CPoint ptClose = pBar->GetCloseButtonRect().CenterPoint();
    Click(pBar, ptClose, ptClose);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(pBar->m_nHides, 0);
    EXPECT_TRUE(pBar->GetStyle() & WS_VISIBLE);
    // The button came up again: the next press holds it.
    pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptClose.x, ptClose.y));
    EXPECT_EQ(::GetCapture(), pBar->m_hWnd);
    ::ReleaseCapture();
}
} // namespace caption_test
