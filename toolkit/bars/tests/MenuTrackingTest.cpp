// Menu tracking: Alt and F10 enter and leave menu mode, mnemonics open popups unless a control
// of the view has them, Right past the last popup opens the system menu, the mouse hands a
// popup over to the next button in one loop, and deactivation leaves menu mode. Popups are
// real modal menus: the keys and moves they take are queued when each popup opens.
#include <toolkit/bars/MenuBarFeature.h>

#include <afxpriv.h>
#include <toolkit/bars/MenuBar.h>
#include <toolkit/bars/TBMenuBtn.h>

#include <gtest/gtest.h>

#include "PlugInFrame.h"
#include <testing/MessagePump.h>

#include <functional>
#include <map>

using namespace tarnwick::bars;

namespace
{
// A frame that keeps its menus for "WM_SECGETMENU", notes the popups that open and runs a
// step of the test's script when one does.
class TrackingFrame : public PlugInFrame
{
public:
    ~TrackingFrame() override
    {
        for (const auto& [nID, hMenu] : m_menus)
            ::DestroyMenu(hMenu);
    }
    std::vector<std::pair<HMENU, BOOL>> m_popups;
    std::vector<std::function<void()>> m_script;
    std::map<UINT, HMENU> m_menus;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == SECMenuBarMessages::GetMenuMessage())
        {
            HMENU& hMenu = m_menus[static_cast<UINT>(wParam)];
            if (hMenu == nullptr)
                hMenu = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(wParam));
            return reinterpret_cast<LRESULT>(::GetSubMenu(hMenu, static_cast<int>(lParam)));
        }
        if (message != WM_INITMENUPOPUP)
            return PlugInFrame::WindowProc(message, wParam, lParam);
        // The test's input comes after what the popup's opening queues itself.
        const LRESULT lResult = PlugInFrame::WindowProc(message, wParam, lParam);
        m_popups.emplace_back(reinterpret_cast<HMENU>(wParam), HIWORD(lParam));
        const size_t nStep = m_popups.size() - 1;
        if (nStep < m_script.size())
            m_script[nStep]();
        return lResult;
    }
};

// Ends any menu still open after a while, so that a failing test cannot hang.
void CALLBACK EndMenuTimer(HWND, UINT, UINT_PTR, DWORD)
{
    ::EndMenu();
}

void SetKeyDown(int nVirtKey, bool bDown)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[nVirtKey] = bDown ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

class SimpleView : public CView
{
protected:
    void OnDraw(CDC*) override
    {
    }
};

class MenuTrackingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new TrackingFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, _T("Tracking"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 400)));
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pBar = new SECMenuBar;
        m_pBar->m_bAutoDelete = TRUE;
        ASSERT_TRUE(m_pBar->SetMenuInfo(2, 128, 130));
        ASSERT_TRUE(m_pBar->CreateEx(0, m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, 0xE8FF));
        m_pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(m_pBar, AFX_IDW_DOCKBAR_TOP);
        m_pBar->SwitchMenu(128);
        m_feature.SetMenuBar(m_pBar);
        ASSERT_TRUE(m_feature.PlugInTo(m_pFrame));
        m_pFrame->m_pPlugIn = &m_feature;
        m_pFrame->ShowWindow(SW_SHOWNA);
        m_pFrame->RecalcLayout();
        m_nTimer = ::SetTimer(nullptr, 0, 3000, &EndMenuTimer);
        SetKeyDown(VK_MENU, false);
    }
    void TearDown() override
    {
        ::KillTimer(nullptr, m_nTimer);
        SetKeyDown(VK_MENU, false);
        m_pFrame->m_pPlugIn = nullptr;
        m_feature.UnPlug();
        m_pFrame->DestroyWindow();
        PumpPendingMessages();
    }
    BOOL Key(UINT message, UINT nKey)
    {
        MSG msg{};
        msg.hwnd = m_pFrame->m_hWnd;
        msg.message = message;
        msg.wParam = nKey;
        return m_pFrame->PreTranslateMessage(&msg);
    }
    HMENU Popup(UINT nMenuID, int nIndex)
    {
        return m_pFrame->SendMessage(SECMenuBarMessages::GetMenuMessage(), nMenuID, nIndex) != 0
                   ? reinterpret_cast<HMENU>(
                         m_pFrame->SendMessage(SECMenuBarMessages::GetMenuMessage(), nMenuID, nIndex))
                   : nullptr;
    }
    void PostKey(UINT nKey)
    {
        m_pFrame->PostMessage(WM_KEYDOWN, nKey, 1);
    }

    TrackingFrame* m_pFrame = nullptr;
    SECMenuBar* m_pBar = nullptr;
    SECMenuBarFeature m_feature;
    UINT_PTR m_nTimer = 0;
};
} // namespace

TEST_F(MenuTrackingTest, AltPressAndReleaseMakesTheFirstButtonHotAndAltAgainLeaves)
{
    SetKeyDown(VK_MENU, true);
    EXPECT_FALSE(Key(WM_SYSKEYDOWN, VK_MENU));
    SetKeyDown(VK_MENU, false);
    EXPECT_TRUE(Key(WM_SYSKEYUP, VK_MENU));
    ASSERT_TRUE(m_pBar->IsKeyboardMode());
    EXPECT_EQ(m_pBar->GetKeyboardButton(), m_pBar->FirstMenuButton());
    EXPECT_TRUE(m_pBar->GetButtonStyle(0) & TBBS_HOT);
    EXPECT_EQ(SECMenuBarMessages::GetTrackingObject(), &m_feature);

    SetKeyDown(VK_MENU, true);
    EXPECT_TRUE(Key(WM_SYSKEYDOWN, VK_MENU));
    EXPECT_FALSE(m_pBar->IsKeyboardMode());
    SetKeyDown(VK_MENU, false);
    EXPECT_TRUE(Key(WM_SYSKEYUP, VK_MENU));
    EXPECT_FALSE(m_pBar->IsKeyboardMode());
    EXPECT_EQ(SECMenuBarMessages::GetTrackingObject(), nullptr);
}

TEST_F(MenuTrackingTest, F10WithAnF10AcceleratorDoesNotEnterMenuMode)
{
    ACCEL accel{FVIRTKEY, VK_F10, 1234};
    m_pFrame->m_hAccelTable = ::CreateAcceleratorTable(&accel, 1);
    EXPECT_TRUE(Key(WM_SYSKEYUP, VK_F10));
    EXPECT_FALSE(m_pBar->IsKeyboardMode());
    ::DestroyAcceleratorTable(m_pFrame->m_hAccelTable);
    m_pFrame->m_hAccelTable = nullptr;
    EXPECT_TRUE(Key(WM_SYSKEYUP, VK_F10));
    EXPECT_TRUE(m_pBar->IsKeyboardMode());
    m_pBar->EndKeyboardMode();
}

TEST_F(MenuTrackingTest, AltWithAControlsMnemonicGoesToTheControl)
{
    auto* pView = new SimpleView;
    ASSERT_TRUE(
        pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), m_pFrame, AFX_IDW_PANE_FIRST));
    CButton button;
    ASSERT_TRUE(button.Create(_T("&Go"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 40, 20), pView, 1));
    m_pFrame->SetActiveView(pView, FALSE);
    SetKeyDown(VK_MENU, true);
    EXPECT_FALSE(Key(WM_SYSKEYDOWN, 'G'));
    EXPECT_TRUE(m_pFrame->m_popups.empty());

    // A menu's mnemonic opens its popup (closed again by the queued Escape).
    m_pFrame->m_script = {[this] { PostKey(VK_ESCAPE); }};
    EXPECT_TRUE(Key(WM_SYSKEYDOWN, 'V'));
    SetKeyDown(VK_MENU, false);
    ASSERT_EQ(m_pFrame->m_popups.size(), 1u);
    EXPECT_EQ(m_pFrame->m_popups[0].first, Popup(128, 2));
    EXPECT_EQ(SECMenuBarMessages::GetTrackingObject(), nullptr);
}

TEST_F(MenuTrackingTest, RightOnTheLastPopupOpensTheSystemMenu)
{
    m_pFrame->m_script = {[this] { PostKey(VK_RIGHT); }, [this] { PostKey(VK_ESCAPE); }};
    SetKeyDown(VK_MENU, true);
    EXPECT_TRUE(Key(WM_SYSKEYDOWN, 'H'));
    SetKeyDown(VK_MENU, false);
    ASSERT_EQ(m_pFrame->m_popups.size(), 2u);
    EXPECT_EQ(m_pFrame->m_popups[0].first, Popup(128, 3));
    EXPECT_EQ(m_pFrame->m_popups[1].first, ::GetSystemMenu(m_pFrame->m_hWnd, FALSE));
    EXPECT_FALSE(SECMenuBarMessages::IsTrackingSystemMenu());
}

TEST_F(MenuTrackingTest, MovingOntoTheNextButtonSwitchesPopupsInOneLoop)
{
    const auto moveTo = [this](int nIndex) {
        const CPoint point = m_pBar->GetButtonRect(nIndex).CenterPoint();
        CPoint screen = point;
        m_pBar->ClientToScreen(&screen);
        ::SetCursorPos(screen.x, screen.y);
        m_pBar->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
    };
    m_pFrame->m_script = {[&] {
                              moveTo(0);
                              moveTo(1);
                          },
                          [this] { PostKey(VK_ESCAPE); }};
    SetKeyDown(VK_MENU, true);
    EXPECT_TRUE(Key(WM_SYSKEYDOWN, 'S'));
    SetKeyDown(VK_MENU, false);
    ASSERT_EQ(m_pFrame->m_popups.size(), 2u);
    EXPECT_EQ(m_pFrame->m_popups[0].first, Popup(128, 0));
    EXPECT_EQ(m_pFrame->m_popups[1].first, Popup(128, 1));
}

TEST_F(MenuTrackingTest, DeactivatingLeavesMenuMode)
{
    EXPECT_TRUE(Key(WM_SYSKEYUP, VK_MENU));
    ASSERT_TRUE(m_pBar->IsKeyboardMode());
    m_pFrame->SendMessage(WM_NCACTIVATE, FALSE);
    EXPECT_FALSE(m_pBar->IsKeyboardMode());
    EXPECT_EQ(SECMenuBarMessages::GetTrackingObject(), nullptr);
}
