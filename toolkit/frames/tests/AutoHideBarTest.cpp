// The auto-hide strip in a hidden frame, and the dock contexts of bars and strips.
#include <toolkit/foundation/AuxData.h>
#include <toolkit/foundation/VisualStyle.h>
#include <toolkit/frames/AutoHideBar.h>
#include <toolkit/frames/DockBar.h>
#include <toolkit/frames/DockContext.h>

#include <cstdlib>

#include <gtest/gtest.h>
#include <testing/MemoryCanvas.h>
#include <testing/PrintString.h>

#include "HiddenFrameTest.h"

using tarnwick::frames::SECAutoHideBar;
using tarnwick::frames::SECAutoHideBarDockContext;
using tarnwick::frames::SECControlBar;
using tarnwick::frames::SECDockBar;
using tarnwick::frames::SECDockContext;

namespace
{
using AutoHideBarTest = HiddenFrameTest;

TEST_F(AutoHideBarTest, StripIsHiddenWithoutTabsAndSpansItsFrame)
{
    SECAutoHideBar strip;
    ASSERT_TRUE(strip.Create(m_pFrame, CBRS_ALIGN_LEFT | CBRS_SIZE_FIXED));
    EXPECT_EQ(strip.GetDlgCtrlID(), 0x8000);
    EXPECT_EQ(strip.GetParent(), m_pFrame);
    EXPECT_EQ(strip.m_dwStyle, DWORD(CBRS_ALIGN_LEFT | CBRS_SIZE_FIXED));
    EXPECT_EQ(strip.GetButtonCount(), 0);
    EXPECT_FALSE(strip.GetStyle() & WS_VISIBLE);
    // It docks anywhere, but cannot be dragged: its dock context is the strip's own.
    EXPECT_EQ(strip.m_dwDockStyle, DWORD(CBRS_ALIGN_ANY));
    EXPECT_NE(dynamic_cast<SECAutoHideBarDockContext*>(strip.m_pDockContext), nullptr);
    EXPECT_EQ(strip.m_pDockSite, m_pFrame);

    CRect rectFrame;
    m_pFrame->GetWindowRect(&rectFrame);
    EXPECT_EQ(strip.CalcFixedLayout(TRUE, TRUE), CSize(rectFrame.Width(), 24));
    EXPECT_EQ(strip.CalcFixedLayout(TRUE, FALSE), CSize(24, rectFrame.Height()));
    EXPECT_EQ(strip.CalcDynamicLayout(-1, LM_VERTDOCK), CSize(24, rectFrame.Height()));

    // A second strip takes the next free id.
    SECAutoHideBar second;
    ASSERT_TRUE(second.Create(m_pFrame, CBRS_ALIGN_TOP));
    EXPECT_EQ(second.GetDlgCtrlID(), 0x8001);
}

TEST_F(AutoHideBarTest, LabelFontsFollowTheMenuFont)
{
    SECAutoHideBar strip;
    ASSERT_TRUE(strip.Create(m_pFrame, CBRS_ALIGN_RIGHT));
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0));
    LOGFONT lfHorz{};
    LOGFONT lfVert{};
    ASSERT_TRUE(strip.GetHorzFont().GetLogFont(&lfHorz));
    ASSERT_TRUE(strip.GetVertFont().GetLogFont(&lfVert));
    EXPECT_EQ(lfHorz.lfHeight, ncm.lfMenuFont.lfHeight);
    EXPECT_EQ(CString(lfHorz.lfFaceName), CString(ncm.lfMenuFont.lfFaceName));
    EXPECT_EQ(lfVert.lfEscapement, -900);
    EXPECT_EQ(lfVert.lfOrientation, -900);
    EXPECT_EQ(CString(lfVert.lfFaceName), CString(_T("verdana")));
    EXPECT_EQ(strip.GetTextHeight(), std::abs(ncm.lfMenuFont.lfHeight));
    EXPECT_EQ(strip.GetButtonHeight(), std::max(ncm.iMenuHeight, ::GetSystemMetrics(SM_CYSMICON)));
    EXPECT_EQ(strip.GetTextOffset(), (strip.GetButtonHeight() - strip.GetTextHeight()) / 2);
}

TEST_F(AutoHideBarTest, BackgroundComesFromTheStyleTables)
{
    SECAutoHideBar strip;
    ASSERT_TRUE(strip.Create(m_pFrame, CBRS_ALIGN_BOTTOM));
    strip.SetWindowPos(nullptr, 0, 0, 300, 24, SWP_NOZORDER | SWP_NOACTIVATE);
    const int nOldStyle = SECGetVisualStyle();
    for (int nStyle : {1, 3})
    {
        SECSetVisualStyle(nStyle);
        MemoryCanvas canvas(300, 24, RGB(1, 2, 3));
        strip.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.Hdc()));
        const COLORREF clrWant = nStyle == 3 ? SECGetStyleColor2(2) : SECGetStyleColor(3);
        EXPECT_EQ(canvas.Pixel(150, 12), clrWant) << nStyle;
        EXPECT_EQ(strip.GetBackgroundColor(), clrWant) << nStyle;
    }
    SECSetVisualStyle(nOldStyle == 0 ? 1 : nOldStyle);
}

TEST_F(AutoHideBarTest, DockContextKnowsTheFrameLimitsAndReleasesItsBar)
{
    auto* pDockBar = new SECDockBar;
    ASSERT_TRUE(pDockBar->Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP));
    SECControlBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame, nullptr, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0, 0xE901));
    bar.EnableDocking(CBRS_ALIGN_ANY);
    auto* pContext = dynamic_cast<SECDockContext*>(bar.m_pDockContext);
    ASSERT_NE(pContext, nullptr);
    EXPECT_EQ(pContext->GetMinFrameSize(),
              CSize(::GetSystemMetrics(SM_CXMENUSIZE) +
                        2 * (::GetSystemMetrics(SM_CXFRAME) + ::GetSystemMetrics(SM_CXBORDER)),
                    ::GetSystemMetrics(SM_CYSMCAPTION) +
                        2 * (::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYBORDER))));
    EXPECT_EQ(pContext->GetMaxFrameSize(),
              CSize(::GetSystemMetrics(SM_CXFULLSCREEN), ::GetSystemMetrics(SM_CYFULLSCREEN)));
    EXPECT_EQ(pContext->GetOutlineRow(), -1);

    pDockBar->DockControlBarEx(&bar);
    ASSERT_EQ(pDockBar->FindBar(&bar), 1);
    delete bar.m_pDockContext;
    bar.m_pDockContext = nullptr;
    EXPECT_EQ(pDockBar->FindBar(&bar), -1);
    EXPECT_EQ(bar.m_pDockBar, nullptr);
}
} // namespace
