// Pane formats of the custom status bar: an opaque background, a bitmap that sizes its pane
// and the bar, and disabled panes that are not drawn.
#include <toolkit/bars/CustomStatusBar.h>

#include <gtest/gtest.h>

#include "StatusBarFixture.h"
#include <testing/MemoryCanvas.h>

using namespace tarnwick::bars;

namespace
{
class CustomStatusBarTest : public StatusBarFixture<SECCustomStatusBar>
{
protected:
    void Draw(MemoryCanvas& canvas, int nIndex)
    {
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_STATIC;
        dis.itemID = static_cast<UINT>(nIndex);
        dis.hDC = canvas.Hdc();
        dis.rcItem = {0, 0, 60, 20};
        m_bar.DrawItem(&dis);
    }
};
} // namespace

TEST_F(CustomStatusBarTest, EveryPaneIsOwnerDrawn)
{
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(m_bar.GetPaneStyle(i) & SBPS_OWNERDRAW) << i;
}

TEST_F(CustomStatusBarTest, BackgroundColourFillsThePane)
{
    SECPaneInfo info;
    info.iIndex = 0;
    info.uMask = SBP_BACKGROUND | SBP_TEXT;
    info.crTextBackground = RGB(0, 0, 255);
    info.strText = _T("Busy");
    m_bar.SetPaneInfoEx(info);
    MemoryCanvas canvas(60, 20, RGB(1, 2, 3));
    Draw(canvas, 0);
    EXPECT_EQ(canvas.Pixel(59, 19), RGB(0, 0, 255));
    SECPaneInfo back;
    back.iIndex = 0;
    back.uMask = SBP_BACKGROUND | SBP_TEXT | SBP_ID;
    m_bar.GetPaneInfoEx(back);
    EXPECT_EQ(back.crTextBackground, RGB(0, 0, 255));
    EXPECT_EQ(back.strText, _T("Busy"));
    EXPECT_EQ(back.nID, 0u);
}

TEST_F(CustomStatusBarTest, BitmapSizesItsPaneAndTheBar)
{
    MemoryCanvas source(12, 40, RGB(255, 0, 0));
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&source.Dc(), 12, 40);
    {
        CDC dc;
        dc.CreateCompatibleDC(&source.Dc());
        CBitmap* pOld = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, 12, 40, RGB(255, 0, 0));
        dc.SelectObject(pOld);
    }
    SECPaneInfo info;
    info.iIndex = 1;
    info.uMask = SBP_BITMAP;
    info.hBitmap = static_cast<HBITMAP>(bitmap.m_hObject);
    m_bar.SetPaneInfoEx(info, TRUE);
    UINT nID = 0;
    UINT nStyle = 0;
    int cxWidth = 0;
    m_bar.GetPaneInfo(1, nID, nStyle, cxWidth);
    EXPECT_EQ(cxWidth, 12);
    EXPECT_EQ(nID, static_cast<UINT>(ID_INDICATOR_CAPS));
    EXPECT_GE(m_bar.CalcFixedLayout(TRUE, TRUE).cy, 40);
    MemoryCanvas canvas(60, 20, RGB(1, 2, 3));
    Draw(canvas, 1);
    EXPECT_EQ(canvas.Pixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(20, 0), RGB(1, 2, 3));
}

TEST_F(CustomStatusBarTest, DisabledPaneIsNotDrawn)
{
    SECPaneInfo info;
    info.iIndex = 2;
    info.uMask = SBP_BACKGROUND;
    info.crTextBackground = RGB(0, 0, 255);
    m_bar.SetPaneInfoEx(info);
    m_bar.SetPaneStyle(2, m_bar.GetPaneStyle(2) | SBPS_DISABLED);
    MemoryCanvas canvas(60, 20, RGB(1, 2, 3));
    Draw(canvas, 2);
    EXPECT_EQ(canvas.Pixel(30, 10), RGB(1, 2, 3));
}

TEST_F(CustomStatusBarTest, ALargerFontMakesTheFrameLayTheTallerBarOut)
{
    CRect rectBefore;
    m_bar.GetWindowRect(rectBefore);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(240, _T("Tahoma")));
    // No layout of the test's own: the bar asks the frame for it.
    m_bar.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.m_hObject), FALSE);
    CRect rectAfter;
    m_bar.GetWindowRect(rectAfter);
    EXPECT_EQ(rectAfter.Height(), m_bar.CalcFixedLayout(TRUE, TRUE).cy);
    EXPECT_GT(rectAfter.Height(), rectBefore.Height());
    // Still at the frame's bottom edge.
    CRect rectClient;
    m_pFrame->GetClientRect(rectClient);
    m_pFrame->ClientToScreen(rectClient);
    EXPECT_EQ(rectAfter.bottom, rectClient.bottom);
    m_bar.SendMessage(WM_SETFONT, 0, FALSE);
}

TEST_F(CustomStatusBarTest, PaneWindowsFollowTheirPanesAsTheFlagsSay)
{
    const struct
    {
        UINT nFlags;
        // The expected rectangle from the pane's, and the window's own size.
        CRect (*expected)(const CRect& rectPane, const CSize& sizeOwn);
    } cases[] = {
        {0, [](const CRect& r, const CSize&) { return r; }},
        {SBPW_INSET,
         [](const CRect& r, const CSize&) { return CRect(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1); }},
        {SBPW_KEEPWIDTH | SBPW_INSET,
         [](const CRect& r, const CSize& s) { return CRect(r.left + 1, r.top + 1, r.left + 1 + s.cx, r.bottom - 1); }},
        {SBPW_KEEPHEIGHT, [](const CRect& r, const CSize& s) { return CRect(r.left, r.top, r.right, r.top + s.cy); }},
    };
    for (const auto& c : cases)
    {
        CWnd child;
        ASSERT_TRUE(child.Create(nullptr, _T("Pane"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 9, 7), &m_bar, 100));
        m_bar.SetPaneWindow(2, &child, c.nFlags);
        EXPECT_EQ(m_bar.GetPaneWindow(2), &child);
        // The frame grows: the stretching pane 0 pushes pane 2 to the right.
        m_pFrame->SetWindowPos(nullptr, 0, 0, 820, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_pFrame->RecalcLayout();
        CRect rectPane;
        m_bar.GetItemRect(2, rectPane);
        CRect rectChild;
        child.GetWindowRect(rectChild);
        m_bar.ScreenToClient(rectChild);
        EXPECT_EQ(rectChild, c.expected(rectPane, CSize(9, 7))) << c.nFlags;
        m_bar.ShowPaneWindows(FALSE);
        EXPECT_FALSE(child.IsWindowVisible()) << c.nFlags;
        m_bar.ShowPaneWindows(TRUE);
        EXPECT_TRUE(child.GetStyle() & WS_VISIBLE) << c.nFlags;
        m_bar.SetPaneWindow(2, nullptr);
        child.DestroyWindow();
        m_pFrame->SetWindowPos(nullptr, 0, 0, 700, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    EXPECT_EQ(m_bar.GetPaneWindow(2), nullptr);
    EXPECT_EQ(m_bar.GetPaneWindow(4), nullptr);
    EXPECT_EQ(m_bar.GetPaneWindow(-1), nullptr);
}
