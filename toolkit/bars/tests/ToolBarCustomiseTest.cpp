// Customising toolbars by dragging their buttons, with Alt or in customise mode: separators
// moved by small drags, buttons deleted off every bar, copied onto new user toolbars, moved and
// copied between bars; and the hide of a floating bar deferred while customising. Every drag
// gets its mouse input posted before the press that starts it.
#include <toolkit/bars/CustomToolBar.h>

#include <afxpriv.h>
#include <toolkit/bars/MenuBar.h>
#include <toolkit/bars/ToolBarManager.h>

#include <gtest/gtest.h>

#include <testing/MessagePump.h>

using namespace tarnwick::bars;

namespace
{
const UINT kMainButtons[] = {0x800B, 0x800D, 0, 0xE100, 0xE102, 0x8018, 0, 0xE143, 0xE140};
const UINT kOtherButtons[] = {0xE103, 0xE104};
constexpr UINT ID_OTHER = 0xE810;

// Holds the given keys down for the test thread while it lives.
class HeldKeys
{
public:
    HeldKeys(std::initializer_list<int> keys)
    {
        ::GetKeyboardState(m_saved);
        BYTE state[256];
        ::GetKeyboardState(state);
        for (int nKey : keys)
            state[nKey] = 0x80;
        ::SetKeyboardState(state);
    }
    ~HeldKeys()
    {
        ::SetKeyboardState(m_saved);
    }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    BYTE m_saved[256];
};

class ToolBarCustomiseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, _T("Bars"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 700, 450)));
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pManager = new SECToolBarManager(m_pFrame);
        ASSERT_TRUE(m_pManager->LoadToolBarResource(128, 129));
        m_pMenuBar = new SECMenuBar;
        m_pMenuBar->m_bAutoDelete = TRUE;
        m_pManager->SetMenuBar(m_pMenuBar);
        ASSERT_TRUE(m_pManager->SetMenuInfo(2, 128, 130));
        m_pManager->DefineDefaultToolBar(AFX_IDW_TOOLBAR, _T("Main"), 9, kMainButtons);
        m_pManager->DefineDefaultToolBar(ID_OTHER, _T("Other"), 2, kOtherButtons, CBRS_ALIGN_ANY,
                                         AFX_IDW_DOCKBAR_BOTTOM);
        ASSERT_TRUE(m_pManager->CreateDefaultToolBars());
        m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        m_pFrame->RecalcLayout();
        m_pMain = m_pManager->FindToolBar(AFX_IDW_TOOLBAR);
        m_pOther = m_pManager->FindToolBar(ID_OTHER);
        ASSERT_NE(m_pMain, nullptr);
        ASSERT_NE(m_pOther, nullptr);
    }
    void TearDown() override
    {
        m_pFrame->DestroyWindow();
        delete m_pManager;
        PumpPendingMessages();
    }
    static std::vector<UINT> Ids(const SECCustomToolBar* pBar)
    {
        std::vector<UINT> ids;
        for (int i = 0; i < pBar->GetBtnCount(); ++i)
            ids.push_back(pBar->GetButton(i)->m_nID);
        return ids;
    }
    static CPoint ButtonCentre(SECCustomToolBar* pBar, int nIndex)
    {
        return pBar->GetButtonRect(nIndex).CenterPoint();
    }
    static CPoint ScreenCentre(SECCustomToolBar* pBar, int nIndex)
    {
        CPoint pt = ButtonCentre(pBar, nIndex);
        pBar->ClientToScreen(&pt);
        return pt;
    }
    static void Post(SECCustomToolBar* pBar, UINT message, CPoint ptClient)
    {
        pBar->PostMessage(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                          MAKELPARAM(static_cast<WORD>(ptClient.x), static_cast<WORD>(ptClient.y)));
    }
    // Presses the button and releases it at a screen point, the moves posted first.
    static void DragTo(SECCustomToolBar* pBar, int nIndex, CPoint ptScreen)
    {
        const CPoint ptFrom = ButtonCentre(pBar, nIndex);
        CPoint ptTo = ptScreen;
        pBar->ScreenToClient(&ptTo);
        Post(pBar, WM_LBUTTONDOWN, ptFrom);
        Post(pBar, WM_MOUSEMOVE, ptTo);
        Post(pBar, WM_LBUTTONUP, ptTo);
        PumpPendingMessages();
    }
    static void DragBy(SECCustomToolBar* pBar, int nIndex, int dx)
    {
        DragTo(pBar, nIndex, ScreenCentre(pBar, nIndex) + CSize(dx, 0));
    }
    // A point on the desktop away from every window of the test.
    CPoint EmptySpace() const
    {
        CRect rect;
        m_pFrame->GetWindowRect(rect);
        return CPoint(rect.right + 150, rect.top + 100);
    }
    static int SelectedCount(const SECCustomToolBar* pBar)
    {
        int nCount = 0;
        for (int i = 0; i < pBar->GetBtnCount(); ++i)
            nCount += (pBar->GetButton(i)->m_nStyle & TBBS_CUSTOMISE) != 0;
        return nCount;
    }

    CFrameWnd* m_pFrame = nullptr;
    SECToolBarManager* m_pManager = nullptr;
    SECMenuBar* m_pMenuBar = nullptr;
    SECCustomToolBar* m_pMain = nullptr;
    SECCustomToolBar* m_pOther = nullptr;
};
} // namespace

TEST_F(ToolBarCustomiseTest, AltDragOfThreePixelsInsertsASeparatorAndDraggingBackRemovesIt)
{
    HeldKeys alt{VK_MENU};
    DragBy(m_pMain, 1, 3);
    EXPECT_EQ(Ids(m_pMain), (std::vector<UINT>{0x800B, 0, 0x800D, 0, 0xE100, 0xE102, 0x8018, 0, 0xE143, 0xE140}));
    EXPECT_TRUE(m_pMain->GetButton(1)->m_nStyle & TBBS_SEPARATOR);
    // An Alt drag leaves nothing selected.
    EXPECT_EQ(SelectedCount(m_pMain), 0);
    EXPECT_EQ(m_pManager->GetCustomiseFocus(), nullptr);
    m_pFrame->RecalcLayout();
    DragBy(m_pMain, 2, -3);
    EXPECT_EQ(Ids(m_pMain), std::vector<UINT>(std::begin(kMainButtons), std::end(kMainButtons)));
    // Two pixels are no move of a separator.
    m_pFrame->RecalcLayout();
    DragBy(m_pMain, 1, 2);
    EXPECT_EQ(Ids(m_pMain), std::vector<UINT>(std::begin(kMainButtons), std::end(kMainButtons)));
}

TEST_F(ToolBarCustomiseTest, OffEveryBarAButtonIsDeletedAndWithCtrlCopiedOntoANewFloatingToolBar)
{
    {
        HeldKeys alt{VK_MENU};
        DragTo(m_pMain, 0, EmptySpace());
    }
    EXPECT_EQ(Ids(m_pMain), (std::vector<UINT>{0x800D, 0, 0xE100, 0xE102, 0x8018, 0, 0xE143, 0xE140}));

    for (int nRound = 0; nRound < 2; ++nRound)
    {
        {
            HeldKeys altCtrl{VK_MENU, VK_CONTROL};
            DragTo(m_pMain, 0, EmptySpace());
        }
        // The source keeps its button; the copy floats on "ToolBar1", and that id and number
        // come back once the bar is gone.
        EXPECT_EQ(m_pMain->GetBtnCount(), 8) << nRound;
        SECCustomToolBar* pUser = m_pManager->FindToolBar(0xE820);
        ASSERT_NE(pUser, nullptr) << nRound;
        CString strTitle;
        pUser->GetWindowText(strTitle);
        EXPECT_EQ(strTitle, CString(_T("ToolBar1")));
        EXPECT_TRUE(pUser->IsFloating());
        EXPECT_EQ(Ids(pUser), std::vector<UINT>{0x800D});
        CRect rectUser;
        pUser->GetWindowRect(rectUser);
        EXPECT_LE((rectUser.TopLeft() - EmptySpace()).cx, 8);
        EXPECT_LE((rectUser.TopLeft() - EmptySpace()).cy, 8);
        // Dragged off every bar, its only button takes the user toolbar with it.
        {
            HeldKeys alt{VK_MENU};
            DragTo(pUser, 0, EmptySpace() + CSize(0, 150));
        }
        PumpPendingMessages();
        EXPECT_EQ(m_pManager->FindToolBar(0xE820), nullptr) << nRound;
    }
}

TEST_F(ToolBarCustomiseTest, DroppedOnTheCustomisationWindowAButtonStays)
{
    CWnd customise;
    ASSERT_TRUE(customise.CreateEx(0, AfxRegisterWndClass(0), _T("Customise"), WS_POPUP,
                                   CRect(EmptySpace(), CSize(100, 100)), nullptr, 0));
    m_pManager->SetCustomiseWnd(&customise);
    HeldKeys alt{VK_MENU};
    DragTo(m_pMain, 0, EmptySpace() + CSize(20, 20));
    EXPECT_EQ(m_pMain->GetBtnCount(), 9);
    m_pManager->SetCustomiseWnd(nullptr);
    customise.DestroyWindow();
}

TEST_F(ToolBarCustomiseTest, DroppedOnAnotherBarAButtonMovesAndWithCtrlIsCopied)
{
    {
        HeldKeys alt{VK_MENU};
        DragTo(m_pMain, 3, ScreenCentre(m_pOther, 1) + CSize(4, 0));
    }
    EXPECT_EQ(Ids(m_pMain), (std::vector<UINT>{0x800B, 0x800D, 0, 0xE102, 0x8018, 0, 0xE143, 0xE140}));
    EXPECT_EQ(Ids(m_pOther), (std::vector<UINT>{0xE103, 0xE100, 0xE104}));
    m_pFrame->RecalcLayout();
    {
        HeldKeys altCtrl{VK_MENU, VK_CONTROL};
        DragTo(m_pMain, 0, ScreenCentre(m_pOther, 0) - CSize(4, 0));
    }
    EXPECT_EQ(m_pMain->GetBtnCount(), 8);
    EXPECT_EQ(Ids(m_pOther), (std::vector<UINT>{0x800B, 0xE103, 0xE100, 0xE104}));
    // A bar that keeps its buttons lets none go to another bar.
    m_pFrame->RecalcLayout();
    m_pMain->SetDragFlags(SEC_TBDRAG_KEEPBUTTONS);
    {
        HeldKeys alt{VK_MENU};
        DragTo(m_pMain, 0, ScreenCentre(m_pOther, 0));
    }
    EXPECT_EQ(m_pMain->GetBtnCount(), 8);
    EXPECT_EQ(m_pOther->GetBtnCount(), 4);
}

TEST_F(ToolBarCustomiseTest, AButtonMovesWithinItsBar)
{
    HeldKeys alt{VK_MENU};
    // 0x800B onto 0xE102: out of its place, in before 0xE102.
    DragTo(m_pMain, 0, ScreenCentre(m_pMain, 4) - CSize(4, 0));
    EXPECT_EQ(Ids(m_pMain), (std::vector<UINT>{0x800D, 0, 0xE100, 0x800B, 0xE102, 0x8018, 0, 0xE143, 0xE140}));
    // Past the last button: appended, and the separator left leading goes.
    m_pFrame->RecalcLayout();
    CPoint ptEnd(m_pMain->GetButtonRect(m_pMain->GetBtnCount() - 1).right + 1, ButtonCentre(m_pMain, 0).y);
    m_pMain->ClientToScreen(&ptEnd);
    DragTo(m_pMain, 0, ptEnd);
    EXPECT_EQ(Ids(m_pMain), (std::vector<UINT>{0xE100, 0x800B, 0xE102, 0x8018, 0, 0xE143, 0xE140, 0x800D}));
}

TEST_F(ToolBarCustomiseTest, TheMenuBarSurvivesLosingEveryButton)
{
    HeldKeys alt{VK_MENU};
    ASSERT_GT(m_pMenuBar->GetBtnCount(), 0);
    const HWND hMenuBar = m_pMenuBar->m_hWnd;
    for (int nLeft = m_pMenuBar->GetBtnCount(); nLeft > 0; --nLeft)
    {
        m_pFrame->RecalcLayout();
        int nIndex = 0;
        while (nIndex < m_pMenuBar->GetBtnCount() && (m_pMenuBar->GetButton(nIndex)->m_nStyle & TBBS_HIDDEN))
            ++nIndex;
        if (nIndex == m_pMenuBar->GetBtnCount())
            break;
        DragTo(m_pMenuBar, nIndex, EmptySpace());
        ASSERT_EQ(m_pMenuBar->GetBtnCount(), nLeft - 1);
    }
    EXPECT_TRUE(::IsWindow(hMenuBar));
    EXPECT_EQ(m_pManager->GetMenuBar(), m_pMenuBar);
}

TEST_F(ToolBarCustomiseTest, InCustomiseModeAPressDragsAndTheDroppedButtonStaysSelected)
{
    m_pMain->SetCustomiseMode(TRUE);
    m_pOther->SetCustomiseMode(TRUE);
    m_pOther->SelectButton(0);
    EXPECT_EQ(m_pManager->GetCustomiseFocus(), m_pOther);
    DragBy(m_pMain, 4, 3);
    // The separator went in before 0xE102, which stays selected; the other bar lost its
    // selection.
    EXPECT_EQ(m_pMain->GetButton(5)->m_nID, 0xE102u);
    EXPECT_TRUE(m_pMain->GetButton(4)->m_nStyle & TBBS_SEPARATOR);
    EXPECT_EQ(m_pMain->GetSelectedButton(), 5);
    EXPECT_EQ(m_pManager->GetCustomiseFocus(), m_pMain);
    EXPECT_EQ(m_pOther->GetSelectedButton(), -1);
    EXPECT_EQ(SelectedCount(m_pOther), 0);
    // Leaving customise mode clears the selection.
    m_pMain->SetCustomiseMode(FALSE);
    EXPECT_EQ(SelectedCount(m_pMain), 0);
    EXPECT_EQ(m_pManager->GetCustomiseFocus(), nullptr);
}

TEST_F(ToolBarCustomiseTest, WhileCustomisingAFloatingBarHidesOnlyThroughThePostedMessage)
{
    m_pFrame->FloatControlBar(m_pOther, CPoint(200, 200));
    ASSERT_TRUE(m_pOther->IsFloating());
    m_pManager->SetCustomiseMode(TRUE);
    // Out of customise mode by the time the message comes: the bar stays.
    m_pFrame->ShowControlBar(m_pOther, FALSE, TRUE);
    EXPECT_TRUE(m_pOther->IsWindowVisible());
    PumpPendingMessages();
    EXPECT_TRUE(m_pOther->IsWindowVisible());
    // In customise mode: hidden when the message comes.
    m_pOther->SetCustomiseMode(TRUE);
    m_pFrame->ShowControlBar(m_pOther, FALSE, TRUE);
    EXPECT_TRUE(m_pOther->IsWindowVisible());
    PumpPendingMessages();
    EXPECT_FALSE(m_pOther->IsWindowVisible());
}

TEST_F(ToolBarCustomiseTest, FindToolBarAtPrefersTheTopmostFloatingBar)
{
    CRect rectMain;
    m_pMain->GetWindowRect(rectMain);
    EXPECT_EQ(m_pManager->FindToolBarAt(CRect(rectMain.CenterPoint(), CSize(2, 2))), m_pMain);
    EXPECT_EQ(m_pManager->FindToolBarAt(CRect(EmptySpace(), CSize(2, 2))), nullptr);
    // A floating bar over the docked one wins.
    m_pFrame->FloatControlBar(m_pOther, rectMain.TopLeft());
    m_pFrame->RecalcLayout();
    CRect rectOther;
    m_pOther->GetParentFrame()->GetWindowRect(rectOther);
    CRect rectBoth;
    ASSERT_TRUE(rectBoth.IntersectRect(rectOther, rectMain));
    EXPECT_EQ(m_pManager->FindToolBarAt(rectBoth), m_pOther);
}
