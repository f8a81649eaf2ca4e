// A bar's context menu and "Float In Main Window" in a hidden workbook: the bar becomes a
// worksheet with a tab, cascading, and comes back; closing the worksheet hides the bar.
#include <toolkit/frames/ControlBar.h>
#include <toolkit/frames/ControlBarWorksheet.h>
#include <toolkit/frames/DockBar.h>
#include <toolkit/frames/WorkbookWnd.h>

#include <afxpriv.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <testing/MessagePump.h>

using tarnwick::frames::ID_SEC_FLOAT_IN_MAIN;
using tarnwick::frames::SECControlBar;
using tarnwick::frames::SECControlBarWorksheet;
using tarnwick::frames::SECDockBar;
using tarnwick::frames::SECWorkbookWnd;

namespace
{
constexpr DWORD APP_BAR_EX_STYLE = 0x10F31;

// Notes the items of the context menu as it opens, then closes it.
class MenuBar : public SECControlBar
{
public:
    std::vector<std::wstring> m_items;

protected:
    afx_msg void OnInitMenuPopup(CMenu* pMenu, UINT, BOOL)
    {
        m_items.clear();
        for (UINT i = 0; i < pMenu->GetMenuItemCount(); ++i)
        {
            MENUITEMINFOW info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_STRING | MIIM_STATE | MIIM_FTYPE;
            wchar_t text[64] = {};
            info.dwTypeData = text;
            info.cch = 63;
            ::GetMenuItemInfoW(pMenu->m_hMenu, i, TRUE, &info);
            if (info.fType & MFT_SEPARATOR)
            {
                m_items.push_back(L"-");
                continue;
            }
            std::wstring item = text;
            if (info.fState & MFS_CHECKED)
                item += L" [checked]";
            if (info.fState & MFS_GRAYED)
                item += L" [grayed]";
            m_items.push_back(item);
        }
        ::EndMenu();
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(MenuBar, SECControlBar)
ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

class FloatInMainTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new SECWorkbookWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, _T("Workbook"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600)));
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    }
    void TearDown() override
    {
        m_bars.clear();
        m_pFrame->DestroyWindow();
        PumpPendingMessages();
    }
    MenuBar* AddBar(LPCTSTR lpszTitle)
    {
        m_bars.push_back(std::make_unique<MenuBar>());
        MenuBar* pBar = m_bars.back().get();
        EXPECT_TRUE(pBar->Create(m_pFrame, lpszTitle, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, APP_BAR_EX_STYLE,
                                 0xE900 + static_cast<UINT>(m_bars.size())));
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBarSized(pBar, AFX_IDW_DOCKBAR_BOTTOM, 0, 0, 1.0f, 200);
        m_pFrame->RecalcLayout();
        return pBar;
    }
    std::vector<std::wstring> ContextMenu(MenuBar* pBar)
    {
        CRect rect;
        pBar->GetWindowRect(&rect);
        pBar->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(pBar->m_hWnd),
                          MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y));
        return pBar->m_items;
    }
    static SECControlBarWorksheet* SheetOf(CControlBar* pBar)
    {
        return DYNAMIC_DOWNCAST(SECControlBarWorksheet, pBar->GetParentFrame());
    }
    // The child's place in the MDI client.
    CPoint PlaceOf(CWnd* pChild) const
    {
        CRect rect;
        pChild->GetWindowRect(&rect);
        ::ScreenToClient(m_pFrame->m_hWndMDIClient, &rect.TopLeft());
        return rect.TopLeft();
    }
    CRect MDIClientRect() const
    {
        CRect rect;
        ::GetClientRect(m_pFrame->m_hWndMDIClient, &rect);
        return rect;
    }
    SECWorkbookWnd* m_pFrame = nullptr;
    std::vector<std::unique_ptr<MenuBar>> m_bars;
};

TEST_F(FloatInMainTest, TheContextMenuOffersFloatingInTheMainWindowAndTheBarComesBack)
{
    MenuBar* pBar = AddBar(_T("Output"));
    const HICON hIcon = ::LoadIcon(nullptr, IDI_APPLICATION);
    pBar->SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hIcon));
    EXPECT_EQ(ContextMenu(pBar), (std::vector<std::wstring>{L"Allow Docking [checked]", L"Hide", L"-",
                                                             L"Float In Main Window"}));

    pBar->SendMessage(WM_COMMAND, ID_SEC_FLOAT_IN_MAIN);
    SECControlBarWorksheet* pSheet = SheetOf(pBar);
    ASSERT_NE(pSheet, nullptr);
    EXPECT_TRUE(pBar->IsMDIChildDocked());
    EXPECT_TRUE(pSheet->IsWindowVisible());
    CString strTitle;
    pSheet->GetWindowText(strTitle);
    EXPECT_EQ(strTitle, CString(_T("Output")));
    ASSERT_EQ(m_pFrame->GetSheetCount(), 1);
    EXPECT_EQ(m_pFrame->GetSheet(0), pSheet);
    // The tab shows the bar's big icon, a copy of its own.
    EXPECT_NE(pSheet->GetIcon(), nullptr);
    EXPECT_NE(pSheet->GetIcon(), hIcon);
    EXPECT_EQ(PlaceOf(pSheet), CPoint(30, 30));
    EXPECT_EQ(ContextMenu(pBar), (std::vector<std::wstring>{L"Allow Docking [checked] [grayed]", L"Hide", L"-",
                                                             L"Float In Main Window [checked]"}));

    pBar->SendMessage(WM_COMMAND, ID_SEC_FLOAT_IN_MAIN);
    PumpPendingMessages();
    EXPECT_FALSE(pBar->IsFloating());
    EXPECT_EQ(pBar->m_pDockBar->GetDlgCtrlID(), AFX_IDW_DOCKBAR_BOTTOM);
    EXPECT_EQ(m_pFrame->GetSheetCount(), 0);
}

TEST_F(FloatInMainTest, BarsWithoutAPlaceCascadeAndRestartBeforeTheClientsFarEdges)
{
    MenuBar* pBar = AddBar(_T("Output"));
    const CRect rectClient = MDIClientRect();
    CPoint expected(30, 30);
    for (int i = 0; i < 25; ++i)
    {
        m_pFrame->FloatControlBarInMDIChild(pBar, CPoint(-1, -1));
        ASSERT_NE(SheetOf(pBar), nullptr);
        EXPECT_EQ(PlaceOf(SheetOf(pBar)), expected) << i;
        expected += CSize(20, 23);
        if (expected.x > rectClient.Width() - 30)
            expected.x = 30;
        if (expected.y > rectClient.Height() - 30)
            expected.y = 30;
    }
    // The sequence has wrapped at least once along y.
    EXPECT_LT(m_pFrame->GetNextCascadePosition().y, 30 + 25 * 23);
}

TEST_F(FloatInMainTest, APlaceBeyondTheClientKeepsTheChildInView)
{
    MenuBar* pBar = AddBar(_T("Output"));
    const CRect rectClient = MDIClientRect();
    CPoint ptFar(rectClient.right + 500, rectClient.bottom + 500);
    ::ClientToScreen(m_pFrame->m_hWndMDIClient, &ptFar);
    m_pFrame->FloatControlBarInMDIChild(pBar, ptFar);
    EXPECT_EQ(PlaceOf(SheetOf(pBar)), CPoint(rectClient.Width() - 30, rectClient.Height() - 30));
}

TEST_F(FloatInMainTest, ClosingTheWorksheetHidesTheBarAndShowingTheBarShowsItAgain)
{
    MenuBar* pBar = AddBar(_T("Output"));
    pBar->SendMessage(WM_COMMAND, ID_SEC_FLOAT_IN_MAIN);
    SECControlBarWorksheet* pSheet = SheetOf(pBar);
    ASSERT_NE(pSheet, nullptr);
    pSheet->SendMessage(WM_CLOSE);
    ASSERT_TRUE(::IsWindow(pSheet->m_hWnd));
    EXPECT_FALSE(pBar->IsWindowVisible());
    EXPECT_FALSE(pSheet->IsShown());

    m_pFrame->ShowControlBar(pBar, TRUE, FALSE);
    EXPECT_EQ(SheetOf(pBar), pSheet);
    EXPECT_TRUE(pSheet->IsShown());
}
TEST_F(FloatInMainTest, DockBarsListTheBarsToToggleOnlyWhenTheFlagIsSet)
{
    MenuBar* pOutput = AddBar(_T("Output"));
    MenuBar* pLandscape = AddBar(_T("SAP Landscape"));
    m_pFrame->ShowControlBar(pLandscape, FALSE, FALSE);
    auto* pDockBar = static_cast<SECDockBar*>(pOutput->m_pDockBar);
    const auto items = [](CMenu& menu) {
        std::vector<std::wstring> result;
        for (UINT i = 0; i < menu.GetMenuItemCount(); ++i)
        {
            CString strText;
            menu.GetMenuString(i, strText, MF_BYPOSITION);
            const UINT nState = menu.GetMenuState(i, MF_BYPOSITION);
            result.push_back(std::wstring(static_cast<LPCTSTR>(strText)) + ((nState & MF_CHECKED) ? L" [checked]" : L"") +
                             L" " + std::to_wstring(menu.GetMenuItemID(i)));
        }
        return result;
    };
    // Dock bars and the strips, which have no title, are not offered.
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    pDockBar->BuildBarMenu(menu);
    EXPECT_EQ(items(menu), (std::vector<std::wstring>{L"Output [checked] 57345", L"SAP Landscape 57346"}));
    pDockBar->SendMessage(WM_COMMAND, SECDockBar::ID_FIRST_BAR_COMMAND + 1);
    EXPECT_TRUE(pLandscape->IsVisible());

    // Without the flag a right click shows nothing (a menu would wait for the user here).
    SECDockBar::SetToolkitFrameFlag(0);
    CRect rect;
    pDockBar->GetWindowRect(&rect);
    pDockBar->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(pDockBar->m_hWnd),
                          MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y));
    SECDockBar::SetToolkitFrameFlag(1);
}
} // namespace
