// The MDI menu bar shows a maximised child's icon button first and its caption boxes last;
// the boxes post the child's system commands.
#include <toolkit/bars/MDIMenuBar.h>

#include <afxpriv.h>

#include <gtest/gtest.h>

#include <testing/MessagePump.h>

using namespace tarnwick::bars;

namespace
{
class MDIMenuBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CMDIFrameWnd;
        ASSERT_TRUE(m_pFrame->LoadFrame(128, WS_OVERLAPPEDWINDOW));
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pBar = new SECMDIMenuBar;
        m_pBar->m_bAutoDelete = TRUE;
        ASSERT_TRUE(m_pBar->SetMenuInfo(2, 128, 130));
        ASSERT_TRUE(m_pBar->CreateEx(0, m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, 0xE8FF));
        m_pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(m_pBar, AFX_IDW_DOCKBAR_TOP);
    }
    void TearDown() override
    {
        m_pFrame->DestroyWindow();
        PumpPendingMessages();
    }
    CMDIChildWnd* NewChild(DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW)
    {
        auto* pChild = new CMDIChildWnd;
        EXPECT_TRUE(pChild->Create(nullptr, _T("Sheet"), dwStyle, CFrameWnd::rectDefault, m_pFrame));
        return pChild;
    }
    void Layout()
    {
        m_pBar->UpdateMDIButtons(FALSE);
        m_pFrame->RecalcLayout();
    }
    // Presses and releases the caption box nPart; answers the system command posted to the
    // child, 0 for none.
    WPARAM ClickBox(CMDIChildWnd* pChild, int nPart)
    {
        const SECBtnCaption& caption = m_pBar->m_btnCaption;
        const int x = caption.m_x + nPart * caption.m_cxBox + (nPart == 2 ? 2 : 0) + caption.m_cxBox / 2;
        const int y = caption.m_y + caption.m_cyBox / 2;
        m_pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        m_pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        MSG msg;
        WPARAM nCommand = 0;
        while (::PeekMessage(&msg, pChild->m_hWnd, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE))
            nCommand = msg.wParam;
        return nCommand;
    }

    CMDIFrameWnd* m_pFrame = nullptr;
    SECMDIMenuBar* m_pBar = nullptr;
};
} // namespace

TEST_F(MDIMenuBarTest, MaximisedChildShowsIconFirstAndCaptionBoxesLast)
{
    ASSERT_EQ(m_pBar->GetButton(0), &m_pBar->m_btnSysMenu);
    ASSERT_EQ(m_pBar->GetButton(m_pBar->GetBtnCount() - 1), &m_pBar->m_btnCaption);
    EXPECT_TRUE(m_pBar->m_btnSysMenu.m_nStyle & TBBS_HIDDEN);
    EXPECT_TRUE(m_pBar->m_btnCaption.m_nStyle & TBBS_HIDDEN);

    CMDIChildWnd* pChild = NewChild();
    m_pFrame->MDIMaximize(pChild);
    EXPECT_TRUE(m_pBar->UpdateMDIButtons(FALSE));
    EXPECT_FALSE(m_pBar->m_btnSysMenu.m_nStyle & TBBS_HIDDEN);
    EXPECT_FALSE(m_pBar->m_btnCaption.m_nStyle & TBBS_HIDDEN);
    EXPECT_EQ(m_pBar->m_btnCaption.m_dwChildStyle, static_cast<DWORD>(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    // Nothing changed since: no new layout.
    EXPECT_FALSE(m_pBar->UpdateMDIButtons(FALSE));

    // The caption boxes stand at the far end of the full-length bar.
    m_pFrame->RecalcLayout();
    CRect rectBar;
    m_pBar->GetClientRect(rectBar);
    EXPECT_GT(m_pBar->m_btnCaption.m_x, rectBar.Width() / 2);
    EXPECT_EQ(m_pBar->m_btnSysMenu.m_x, m_pBar->GetButton(0)->m_x);
    EXPECT_LT(m_pBar->m_btnSysMenu.m_x, m_pBar->GetButton(1)->m_x);

    m_pFrame->MDIRestore(pChild);
    EXPECT_TRUE(m_pBar->UpdateMDIButtons(FALSE));
    EXPECT_TRUE(m_pBar->m_btnSysMenu.m_nStyle & TBBS_HIDDEN);
    EXPECT_TRUE(m_pBar->m_btnCaption.m_nStyle & TBBS_HIDDEN);

    // Hiding is asked for explicitly by the frame's menu switching.
    m_pFrame->MDIMaximize(pChild);
    m_pBar->UpdateMDIButtons(FALSE);
    EXPECT_TRUE(m_pBar->UpdateMDIButtons(TRUE));
    EXPECT_TRUE(m_pBar->m_btnCaption.m_nStyle & TBBS_HIDDEN);
}

TEST_F(MDIMenuBarTest, CaptionBoxesPostTheChildsSystemCommands)
{
    CMDIChildWnd* pChild = NewChild();
    m_pFrame->MDIMaximize(pChild);
    Layout();
    PumpPendingMessages();
    EXPECT_EQ(ClickBox(pChild, 0), static_cast<WPARAM>(SC_MINIMIZE));
    EXPECT_EQ(ClickBox(pChild, 1), static_cast<WPARAM>(SC_RESTORE));
    EXPECT_EQ(ClickBox(pChild, 2), static_cast<WPARAM>(SC_CLOSE));
    EXPECT_EQ(m_pBar->m_btnCaption.m_nPressedPart, -1);
}

TEST_F(MDIMenuBarTest, ChildWithoutMinimiseBoxHasGreyBoxesThatDoNotReact)
{
    CMDIChildWnd* pChild = NewChild(WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX);
    m_pFrame->MDIMaximize(pChild);
    Layout();
    PumpPendingMessages();
    EXPECT_FALSE(m_pBar->m_btnCaption.m_dwChildStyle & WS_MINIMIZEBOX);
    EXPECT_EQ(ClickBox(pChild, 0), 0u);
    EXPECT_EQ(ClickBox(pChild, 1), 0u);
    EXPECT_EQ(ClickBox(pChild, 2), static_cast<WPARAM>(SC_CLOSE));
}

TEST_F(MDIMenuBarTest, MenuButtonsKeepTheMDIButtonsAtTheEnds)
{
    const int nCount = m_pBar->GetBtnCount();
    EXPECT_EQ(nCount, 11);
    EXPECT_TRUE(m_pBar->RemoveButton(1));
    EXPECT_EQ(m_pBar->GetBtnCount(), 10);
    EXPECT_FALSE(m_pBar->RemoveButton(0));
    m_pBar->InsertButton(m_pBar->GetBtnCount(), 0x80000001);
    EXPECT_EQ(m_pBar->GetButton(0), &m_pBar->m_btnSysMenu);
    EXPECT_EQ(m_pBar->GetButton(m_pBar->GetBtnCount() - 1), &m_pBar->m_btnCaption);
}
