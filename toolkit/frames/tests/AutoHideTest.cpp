// Unpinning bars of an MDI frame into its auto-hide strips, their tabs, sliding them out on a
// hover and back in on the hide timer, and pinning them again; slide time 0.
#include <toolkit/frames/AutoHideBar.h>
#include <toolkit/frames/ControlBar.h>
#include <toolkit/frames/DockBar.h>
#include <toolkit/frames/Icon.h>
#include <toolkit/frames/MDIFrameWnd.h>

#include <afxpriv.h>

#include <memory>
#include <vector>

#include <gtest/gtest.h>
#include <testing/MemoryCanvas.h>
#include <testing/MessagePump.h>

using tarnwick::frames::SECAutoHideBar;
using tarnwick::frames::SECAutoHideBarBtn;
using tarnwick::frames::SECControlBar;
using tarnwick::frames::SECIcon;
using tarnwick::frames::SECMDIFrameWnd;

namespace
{
// The application's docked windows: caption, buttons, margins, context menu, float in main window.
constexpr DWORD APP_BAR_EX_STYLE = 0x10F31;

class AutoHideTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new SECMDIFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, _T("Frames"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600)));
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        m_hIcon = ::LoadIcon(nullptr, IDI_APPLICATION);
    }
    void TearDown() override
    {
        m_bars.clear();
        m_pFrame->DestroyWindow();
        PumpPendingMessages();
    }
    // An auto-hide bar docked and pinned on the left, with a small icon when bIcon.
    SECControlBar* AddBar(LPCTSTR lpszTitle, bool bIcon)
    {
        m_bars.push_back(std::make_unique<SECControlBar>());
        SECControlBar* pBar = m_bars.back().get();
        EXPECT_TRUE(pBar->Create(m_pFrame, lpszTitle, WS_CHILD | WS_VISIBLE | CBRS_LEFT, APP_BAR_EX_STYLE,
                                 0xE900 + static_cast<UINT>(m_bars.size())));
        if (bIcon)
            pBar->SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBarSized(pBar, AFX_IDW_DOCKBAR_LEFT, 0, 0, 1.0f, 250);
        pBar->SetAutoHide(TRUE);
        pBar->AttachToAutoHideBar();
        pBar->SetSlideTime(0);
        m_pFrame->RecalcLayout();
        return pBar;
    }
    SECAutoHideBar& LeftStrip()
    {
        return *m_pFrame->GetAutoHideBar(CBRS_ALIGN_LEFT);
    }
    // Draws the bar, which places its pin, then clicks the pin.
    void ClickPin(SECControlBar* pBar)
    {
        MemoryCanvas canvas(800, 600, RGB(1, 2, 3));
        pBar->DoPaint(&canvas.Dc());
        const CPoint pt = pBar->GetPinButtonRect().CenterPoint();
        pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    }
    // The mouse enters the tab while the frame is the active window.
    // Tabs answer the mouse only while their frame is in the foreground, which test programs
    // running beside this one can take for a moment.
    void Hover(SECAutoHideBarBtn* pTab)
    {
        EXPECT_TRUE(PumpMessagesUntil([this] {
            m_pFrame->SetForegroundWindow();
            return ::GetForegroundWindow() == m_pFrame->GetSafeHwnd();
        }));
        pTab->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    }
    void TickAt(SECAutoHideBarBtn* pTab, CPoint ptScreen)
    {
        ::SetCursorPos(ptScreen.x, ptScreen.y);
        pTab->SendMessage(WM_TIMER, SECAutoHideBarBtn::HIDE_TIMER);
    }
    static bool IsShown(const CWnd* pWnd)
    {
        return (pWnd->GetStyle() & WS_VISIBLE) != 0;
    }
    static CRect WindowRect(const CWnd* pWnd)
    {
        CRect rect;
        pWnd->GetWindowRect(&rect);
        return rect;
    }
    SECMDIFrameWnd* m_pFrame = nullptr;
    HICON m_hIcon = nullptr;
    std::vector<std::unique_ptr<SECControlBar>> m_bars;
};

TEST_F(AutoHideTest, ThePinMovesTheBarIntoItsStripAsATabAndBack)
{
    SECControlBar* pBar = AddBar(_T("SAP Landscape"), true);
    ASSERT_TRUE(pBar->IsPinned());
    EXPECT_FALSE(IsShown(&LeftStrip()));

    ClickPin(pBar);
    EXPECT_FALSE(pBar->IsPinned());
    EXPECT_EQ(pBar->GetAutoHideSide(), DWORD(CBRS_ALIGN_LEFT));
    ASSERT_EQ(LeftStrip().GetButtonCount(), 1);
    EXPECT_TRUE(IsShown(&LeftStrip()));
    SECAutoHideBarBtn* pTab = LeftStrip().GetButton(0);
    EXPECT_TRUE(pTab->IsSelected());
    EXPECT_TRUE(pTab->HasIcon());
    EXPECT_EQ(pTab->GetLabel(), CString(_T("SAP Landscape")));
    EXPECT_EQ(static_cast<UINT>(pTab->GetDlgCtrlID()),
              AFX_IDW_DOCKBAR_LEFT + static_cast<UINT>(reinterpret_cast<UINT_PTR>(pBar->m_hWnd)));
    // Hidden in a floating frame without a title, until it slides out.
    EXPECT_TRUE(pBar->IsFloating());
    EXPECT_FALSE(IsShown(pBar));
    CFrameWnd* pMiniFrame = pBar->GetParentFrame();
    EXPECT_NE(pMiniFrame->GetStyle() & WS_CAPTION, DWORD(WS_CAPTION));
    EXPECT_FALSE(IsShown(pMiniFrame));

    pBar->AutoHideSlideOut();
    ASSERT_TRUE(IsShown(pMiniFrame));
    const CRect rectStrip = WindowRect(&LeftStrip());
    const CRect rectOut = WindowRect(pMiniFrame);
    EXPECT_EQ(rectOut.TopLeft(), rectStrip.TopLeft() + CSize(30, 2));

    // Pinned again it docks on its side and the empty strip goes.
    ClickPin(pBar);
    EXPECT_TRUE(pBar->IsPinned());
    EXPECT_FALSE(pBar->IsFloating());
    EXPECT_TRUE(pBar->IsDockedLeft());
    EXPECT_TRUE(IsShown(pBar));
    EXPECT_EQ(pBar->GetAutoHideSide(), 0u);
    EXPECT_EQ(LeftStrip().GetButtonCount(), 0);
    EXPECT_FALSE(IsShown(&LeftStrip()));
}

TEST_F(AutoHideTest, HoveringSlidesTheBarOutAndTheTimerSlidesItInOnceTheMouseLeftTabAndBar)
{
    SECControlBar* pBar = AddBar(_T("SAP Landscape"), true);
    pBar->TogglePinned();
    SECAutoHideBarBtn* pTab = LeftStrip().GetButton(0);

    Hover(pTab);
    ASSERT_TRUE(IsShown(pBar));
    EXPECT_TRUE(IsShown(pBar->GetParentFrame()));
    EXPECT_TRUE(pTab->IsHot());
    EXPECT_TRUE(pTab->IsShown());

    // Between the tab and the bar is inside.
    const CRect rectTab = WindowRect(pTab);
    const CRect rectBar = WindowRect(pBar);
    ASSERT_LT(rectTab.right, rectBar.left);
    TickAt(pTab, CPoint((rectTab.right + rectBar.left) / 2, rectTab.CenterPoint().y));
    EXPECT_TRUE(IsShown(pBar));
    EXPECT_TRUE(pTab->IsHot());
    TickAt(pTab, rectBar.CenterPoint());
    EXPECT_TRUE(IsShown(pBar));

    TickAt(pTab, CPoint(rectBar.right + 100, rectBar.bottom - 10));
    EXPECT_FALSE(IsShown(pBar));
    EXPECT_FALSE(IsShown(pBar->GetParentFrame()));
    EXPECT_FALSE(pTab->IsHot());
    EXPECT_FALSE(pTab->IsShown());
}

TEST_F(AutoHideTest, OnlyTheSelectedTabAndTabsWithoutIconsShowLabelsAndASecondTabTakesOver)
{
    SECControlBar* pLandscape = AddBar(_T("SAP Landscape"), true);
    SECControlBar* pOutput = AddBar(_T("Output"), true);
    SECControlBar* pPlain = AddBar(_T("Plain"), false);
    for (SECControlBar* pBar : {pLandscape, pOutput, pPlain})
        pBar->TogglePinned();
    ASSERT_EQ(LeftStrip().GetButtonCount(), 3);
    SECAutoHideBarBtn* pFirst = LeftStrip().GetButton(0);
    SECAutoHideBarBtn* pSecond = LeftStrip().GetButton(1);
    SECAutoHideBarBtn* pThird = LeftStrip().GetButton(2);
    EXPECT_TRUE(pFirst->ShowsLabel());
    EXPECT_FALSE(pSecond->ShowsLabel());
    EXPECT_TRUE(pThird->ShowsLabel());
    // A tab with its label is as long as the longest label needs; one without only its icon.
    const CRect rectFirst = WindowRect(pFirst);
    const CRect rectSecond = WindowRect(pSecond);
    EXPECT_EQ(rectSecond.Height(), SECAutoHideBarBtn::ICON_SIZE + 6);
    EXPECT_GT(rectFirst.Height(), rectSecond.Height() + 20);
    EXPECT_EQ(WindowRect(pThird).Height(), rectFirst.Height());
    EXPECT_EQ(rectSecond.top, rectFirst.bottom);
    EXPECT_EQ(rectFirst.top - WindowRect(&LeftStrip()).top, 24);

    Hover(pFirst);
    ASSERT_TRUE(pLandscape->IsVisible());
    Hover(pSecond);
    EXPECT_TRUE(pSecond->IsSelected());
    EXPECT_FALSE(pFirst->IsSelected());
    EXPECT_TRUE(pOutput->IsVisible());
    // The first makes way at the next idle layout.
    EXPECT_FALSE(pLandscape->IsVisible());
    EXPECT_TRUE(IsShown(pLandscape));
    CFrameWnd* pLandscapeFrame = pLandscape->GetParentFrame();
    pLandscapeFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_FALSE(IsShown(pLandscape));
    EXPECT_FALSE(IsShown(pLandscapeFrame));
    // Its tab then lets go without sliding the other bar in.
    TickAt(pFirst, CPoint(700, 500));
    EXPECT_FALSE(pFirst->IsShown());
    EXPECT_TRUE(IsShown(pOutput));
}

TEST(SECIconTest, SizeComesFromTheHotSpotOrTheRequest)
{
    SECIcon never;
    EXPECT_EQ(never.GetWidth(), -1);
    EXPECT_EQ(never.GetHeight(), -1);

    BYTE andMask[32 * 4] = {};
    BYTE xorMask[32 * 4] = {};
    ICONINFO info{};
    info.fIcon = FALSE;
    info.xHotspot = 8;
    info.yHotspot = 8;
    info.hbmMask = ::CreateBitmap(32, 32, 1, 1, andMask);
    info.hbmColor = ::CreateBitmap(32, 32, 1, 1, xorMask);
    HICON hCursor = ::CreateIconIndirect(&info);
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);
    SECIcon icon;
    icon.Attach(hCursor);
    EXPECT_EQ(icon.GetWidth(), 16);
    EXPECT_EQ(icon.GetHeight(), 16);
    ::DestroyIcon(hCursor);

    SECIcon missing;
    EXPECT_FALSE(missing.LoadIcon(65000, 16, 16));
    EXPECT_EQ(missing.GetHandle(), nullptr);
}
} // namespace
