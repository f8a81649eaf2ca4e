// The toolbar manager: the application's default toolbar, the cool look, bars docked beside
// others, and the menu bar's buttons from the application's two menus.
#include <toolkit/bars/ToolBarManager.h>

#include <afxpriv.h>
#include <toolkit/bars/BmpMgr.h>
#include <toolkit/bars/CustomToolBar.h>
#include <toolkit/bars/MDIMenuBar.h>
#include <toolkit/bars/TBMenuBtn.h>

#include <gtest/gtest.h>

#include <testing/MessagePump.h>

using namespace tarnwick::bars;

namespace
{
const UINT kMainButtons[] = {0x800B, 0x800D, 0, 0xE100, 0xE102, 0x8018, 0, 0xE143, 0xE140};

class ToolBarManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, _T("Bars"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 500)));
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pManager = new SECToolBarManager(m_pFrame);
        ASSERT_TRUE(m_pManager->LoadToolBarResource(128, 129));
    }
    void TearDown() override
    {
        m_pFrame->DestroyWindow();
        delete m_pManager;
        PumpPendingMessages();
    }
    int CountBars() const
    {
        return static_cast<int>(m_pManager->GetToolBars().size());
    }
    // The menu buttons shown now.
    static std::vector<CString> ShownLabels(const SECMenuBar& bar)
    {
        std::vector<CString> labels;
        for (int i = 0; i < bar.GetBtnCount(); ++i)
            if (const SECStdBtn* pBtn = bar.GetButton(i);
                pBtn->m_nType == SECStdBtn::KindMenu && !(pBtn->m_nStyle & TBBS_HIDDEN))
                labels.push_back(static_cast<const SECTBMenuBtn*>(pBtn)->m_strLabel);
        return labels;
    }

    CFrameWnd* m_pFrame = nullptr;
    SECToolBarManager* m_pManager = nullptr;
};
} // namespace

TEST_F(ToolBarManagerTest, NoDefinitionsAndNoMenuBarOnlyLayOut)
{
    EXPECT_TRUE(m_pManager->CreateDefaultToolBars());
    EXPECT_EQ(CountBars(), 0);
}

TEST_F(ToolBarManagerTest, TheApplicationsDefinitionMakesMainDockedTop)
{
    m_pManager->DefineDefaultToolBar(AFX_IDW_TOOLBAR, _T("Main"), 9, kMainButtons, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP,
                                     0, TRUE, TRUE);
    ASSERT_TRUE(m_pManager->CreateDefaultToolBars());
    SECCustomToolBar* pMain = m_pManager->FindToolBar(AFX_IDW_TOOLBAR);
    ASSERT_NE(pMain, nullptr);
    CString strTitle;
    pMain->GetWindowText(strTitle);
    EXPECT_EQ(strTitle, _T("Main"));
    ASSERT_EQ(pMain->GetBtnCount(), 9);
    for (int i = 0; i < 9; ++i)
    {
        EXPECT_EQ(pMain->GetButton(i)->m_nID, kMainButtons[i]);
        EXPECT_EQ((pMain->GetButton(i)->m_nStyle & TBBS_SEPARATOR) != 0, kMainButtons[i] == 0) << i;
    }
    // The images follow the store: Package (0x8018) is the fifth image.
    EXPECT_EQ(pMain->GetButton(5)->m_nImage, 4);
    ASSERT_NE(pMain->m_pDockBar, nullptr);
    EXPECT_EQ(pMain->m_pDockBar->GetDlgCtrlID(), AFX_IDW_DOCKBAR_TOP);
    EXPECT_TRUE(pMain->IsWindowVisible() || (pMain->GetStyle() & WS_VISIBLE));
    EXPECT_EQ(pMain->GetBarStyle() & (CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC),
              static_cast<DWORD>(CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC));
    EXPECT_EQ(pMain->GetButton(0)->m_cx, 23);
    EXPECT_EQ(pMain->GetButton(0)->m_cy, 22);
}

TEST_F(ToolBarManagerTest, CoolLookSetsTheBitsAndDelaysALayoutOnce)
{
    m_pManager->DefineDefaultToolBar(AFX_IDW_TOOLBAR, _T("Main"), 9, kMainButtons);
    ASSERT_TRUE(m_pManager->CreateDefaultToolBars());
    SECCustomToolBar* pMain = m_pManager->FindToolBar(AFX_IDW_TOOLBAR);
    m_pFrame->m_nIdleFlags = 0;
    m_pManager->EnableCoolLook(TRUE, 0x300);
    EXPECT_EQ(pMain->m_dwExStyle & 0x300, 0x300u);
    EXPECT_TRUE(m_pFrame->m_nIdleFlags & CFrameWnd::idleLayout);
    m_pFrame->m_nIdleFlags = 0;
    m_pManager->EnableCoolLook(TRUE, 0x300);
    EXPECT_EQ(m_pFrame->m_nIdleFlags, 0u);
    // New bars take the look.
    EXPECT_EQ(m_pManager->GetBarExStyle(), 0x300u);
}

TEST_F(ToolBarManagerTest, BarBesideAnotherDocksInItsRowAfterIt)
{
    const UINT ids[] = {0xE140};
    m_pManager->DefineDefaultToolBar(AFX_IDW_TOOLBAR, _T("Main"), 9, kMainButtons);
    m_pManager->DefineDefaultToolBar(0xE806, _T("Help"), 1, ids, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP, AFX_IDW_TOOLBAR);
    ASSERT_TRUE(m_pManager->CreateDefaultToolBars());
    SECCustomToolBar* pMain = m_pManager->FindToolBar(AFX_IDW_TOOLBAR);
    SECCustomToolBar* pHelp = m_pManager->FindToolBar(0xE806);
    ASSERT_NE(pHelp, nullptr);
    ASSERT_EQ(pHelp->m_pDockBar, pMain->m_pDockBar);
    CRect rectMain;
    CRect rectHelp;
    pMain->GetWindowRect(rectMain);
    pHelp->GetWindowRect(rectHelp);
    EXPECT_EQ(rectHelp.top, rectMain.top);
    // Bars of a row overlap by their borders.
    EXPECT_GE(rectHelp.left, rectMain.right - 2);
}

TEST_F(ToolBarManagerTest, MenuInfoGivesNineButtonsWithMasksOfTheirMenus)
{
    SECMenuBar menuBar;
    EXPECT_FALSE(m_pManager->SetMenuInfo(2, 128, 130));
    m_pManager->SetMenuBar(&menuBar);
    ASSERT_TRUE(m_pManager->SetMenuInfo(2, 128, 130));
    int nCount = 0;
    const UINT* pIDs = m_pManager->GetMenuBarIds(nCount);
    ASSERT_EQ(nCount, 9);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(pIDs[i], 0x80000001u + static_cast<UINT>(i));
    for (int i = 0; i < 9; ++i)
    {
        const SECBtnMapEntry& entry = m_pManager->GetSecondButtonMap()[i];
        EXPECT_EQ(entry.params[3], i < 4 ? 1u : 2u) << i;
        EXPECT_EQ(entry.params[0], i < 4 ? 128u : 130u) << i;
        EXPECT_EQ(entry.params[1], static_cast<UINT_PTR>(i < 4 ? i : i - 4)) << i;
        EXPECT_EQ(entry.nStyle, 0x30000000u);
    }
    EXPECT_EQ(m_pManager->GetSecondButtonMap()[9].pClass, nullptr);

    ASSERT_TRUE(m_pManager->CreateDefaultToolBars());
    ASSERT_NE(menuBar.m_hWnd, nullptr);
    EXPECT_EQ(menuBar.GetDlgCtrlID(), static_cast<int>(ID_SEC_MENUBAR));
    CString strTitle;
    menuBar.GetWindowText(strTitle);
    EXPECT_EQ(strTitle, _T("Menu bar"));
    EXPECT_EQ(ShownLabels(menuBar).size(), 9u);

    menuBar.SwitchMenu(130);
    EXPECT_EQ(ShownLabels(menuBar),
              (std::vector<CString>{_T("System"), _T("S&ession"), _T("&View"), _T("&Window"), _T("&Help")}));
    menuBar.SwitchMenu(128);
    EXPECT_EQ(ShownLabels(menuBar), (std::vector<CString>{_T("&System"), _T("S&ession"), _T("&View"), _T("&Help")}));
    EXPECT_EQ(menuBar.GetCurrentMenuId(), 128u);
    // An unknown menu changes nothing.
    menuBar.SwitchMenu(4711);
    EXPECT_EQ(menuBar.GetCurrentMenuId(), 128u);
    EXPECT_EQ(ShownLabels(menuBar).size(), 4u);

    // A second call replaces the table and numbers from the start again.
    ASSERT_TRUE(m_pManager->SetMenuInfo(1, 130));
    pIDs = m_pManager->GetMenuBarIds(nCount);
    ASSERT_EQ(nCount, 5);
    EXPECT_EQ(pIDs[0], 0x80000001u);
    EXPECT_EQ(menuBar.GetBtnCount(), 5);
    menuBar.DestroyWindow();
}

TEST_F(ToolBarManagerTest, MnemonicsOfHiddenButtonsAreNotFound)
{
    SECMenuBar menuBar;
    ASSERT_TRUE(menuBar.SetMenuInfo(2, 128, 130));
    menuBar.SwitchMenu(130);
    // "&System" belongs to menu 128 only; "System" of menu 130 has none.
    EXPECT_EQ(menuBar.FindMnemonic(_T('S')), -1);
    const int nWindow = menuBar.FindMnemonic(_T('W'));
    ASSERT_GE(nWindow, 0);
    EXPECT_EQ(static_cast<SECTBMenuBtn*>(menuBar.GetButton(nWindow))->m_strLabel, _T("&Window"));
    menuBar.SwitchMenu(128);
    EXPECT_EQ(menuBar.FindMnemonic(_T('W')), -1);
    EXPECT_EQ(menuBar.FindMnemonic(_T('S')), 0);
}

TEST_F(ToolBarManagerTest, MissingMenusGiveNoButtons)
{
    SECMenuBar menuBar;
    EXPECT_FALSE(menuBar.SetMenuInfo(1, 4711));
    EXPECT_EQ(menuBar.GetBtnCount(), 0);
    ASSERT_TRUE(menuBar.SetMenuInfo(2, 4711, 130));
    EXPECT_EQ(menuBar.GetBtnCount(), 5);
}

TEST_F(ToolBarManagerTest, LargeButtonsAndToolTipsReachEveryBar)
{
    m_pManager->DefineDefaultToolBar(AFX_IDW_TOOLBAR, _T("Main"), 9, kMainButtons);
    ASSERT_TRUE(m_pManager->CreateDefaultToolBars());
    SECCustomToolBar* pMain = m_pManager->FindToolBar(AFX_IDW_TOOLBAR);
    m_pManager->EnableLargeButtons(TRUE);
    EXPECT_EQ(pMain->GetButton(0)->m_cx, 31);
    EXPECT_EQ(pMain->GetButton(0)->m_cy, 30);
    // Separators are a third of the image width plus 8.
    EXPECT_EQ(pMain->GetButton(2)->m_cx, 10);
    EXPECT_FALSE(m_pManager->GetBmpMgr()->GetSmallImages());
    m_pManager->EnableLargeButtons(FALSE);
    EXPECT_EQ(pMain->GetButton(0)->m_cx, 23);
    EXPECT_EQ(pMain->GetButton(2)->m_cx, 8);

    m_pManager->EnableToolTips(FALSE);
    EXPECT_FALSE(pMain->GetBarStyle() & CBRS_TOOLTIPS);
    m_pManager->EnableToolTips(TRUE);
    EXPECT_TRUE(pMain->GetBarStyle() & CBRS_TOOLTIPS);
}
