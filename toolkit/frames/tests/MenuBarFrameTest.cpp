// The toolkit frames in menu-bar mode: the window keeps no menu line, the frame answers the bar's
// menu requests, the plug-in follows the frame's options, and the bar follows the active child.
#include <toolkit/bars/BmpMenuPlugIn.h>
#include <toolkit/bars/MDIMenuBar.h>
#include <toolkit/bars/MenuBarFeature.h>
#include <toolkit/bars/ToolBarManager.h>
#include <toolkit/frames/FrameWnd.h>
#include <toolkit/frames/MDIChildWnd.h>
#include <toolkit/frames/MDIFrameWnd.h>
#include <toolkit/frames/MultiDocTemplate.h>
#include <toolkit/frames/SysCommandEx.h>

#include <testing/MessagePump.h>

#include <memory>
#include <vector>

#include <gtest/gtest.h>

namespace
{
using tarnwick::bars::SECBmpMenuPlugIn;
using tarnwick::bars::SECMDIMenuBar;
using tarnwick::bars::SECMenuBarFeature;
using tarnwick::bars::SECMenuBarMessages;
using tarnwick::bars::SECToolBarManager;
using tarnwick::bars::TBBS_HIDDEN;
using tarnwick::frames::SECFrameWnd;
using tarnwick::frames::SECMDIChildWnd;
using tarnwick::frames::SECMDIFrameWnd;
using tarnwick::frames::SECMultiDocTemplate;

constexpr UINT IDR_MAINFRAME = 128;
constexpr UINT IDR_SESSIONTYPE = 130;
constexpr UINT MENU_128_POPUPS = 4;
constexpr UINT MENU_130_POPUPS = 5;

// The application's frame: the manager and the MDI menu bar stored before LoadFrame, the
// menus registered and the bars made in WM_CREATE.
class MenuBarFrame : public SECMDIFrameWnd
{
public:
    explicit MenuBarFrame(BOOL bMenuBar)
        : m_manager(this, nullptr), m_pMenuBar(bMenuBar ? std::make_unique<SECMDIMenuBar>() : nullptr)
    {
        SetControlBarManager(&m_manager);
        SetMenuBar(m_pMenuBar.get());
        SetMenuOptions(TRUE, 1);
    }
    SECToolBarManager m_manager;
    std::unique_ptr<SECMDIMenuBar> m_pMenuBar;
    std::vector<DWORD_PTR> m_helpContexts;

    void WinHelp(DWORD_PTR dwData, UINT) override
    {
        m_helpContexts.push_back(dwData);
    }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (SECMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        EnableDocking(CBRS_ALIGN_ANY);
        if (!m_manager.LoadToolBarResource(128, 129))
            return -1;
        if (m_pMenuBar != nullptr && !m_manager.SetMenuInfo(2, IDR_MAINFRAME, IDR_SESSIONTYPE))
            return -1;
        m_manager.CreateDefaultToolBars();
        return 0;
    }
    // Frames of the heap delete themselves; these live in the test.
    void PostNcDestroy() override
    {
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(MenuBarFrame, SECMDIFrameWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

class SessionDoc : public CDocument
{
    DECLARE_DYNCREATE(SessionDoc)
};
IMPLEMENT_DYNCREATE(SessionDoc, CDocument)

class SessionView : public CView
{
    DECLARE_DYNCREATE(SessionView)
protected:
    void OnDraw(CDC*) override
    {
    }
};
IMPLEMENT_DYNCREATE(SessionView, CView)

class SessionApp : public CWinApp
{
public:
    SessionApp() : CWinApp(_T("Frames"))
    {
    }
};

int VisibleMenuButtons(const SECMDIMenuBar& bar)
{
    int nCount = 0;
    for (int i = 0; i < bar.GetBtnCount(); ++i)
        if (bar.GetButton(i)->m_nType == tarnwick::bars::SECStdBtn::KindMenu &&
            !(bar.GetButton(i)->m_nStyle & TBBS_HIDDEN))
            ++nCount;
    return nCount;
}

class MenuBarFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_app.AddDocTemplate(new CMultiDocTemplate(IDR_SESSIONTYPE, RUNTIME_CLASS(SessionDoc),
                                                   RUNTIME_CLASS(SECMDIChildWnd), RUNTIME_CLASS(SessionView)));
    }
    void TearDown() override
    {
        if (m_pFrame != nullptr && m_pFrame->m_hWnd != nullptr)
            m_pFrame->DestroyWindow();
        PumpPendingMessages();
        m_app.m_pMainWnd = nullptr;
    }
    void Load(BOOL bMenuBar)
    {
        m_pFrame = std::make_unique<MenuBarFrame>(bMenuBar);
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
        m_app.m_pMainWnd = m_pFrame.get();
    }
    LRESULT AskForMenu(UINT nMenuID, int nPopup)
    {
        return m_pFrame->SendMessage(SECMenuBarMessages::GetMenuMessage(), nMenuID, nPopup);
    }
    CFrameWnd* OpenSession()
    {
        POSITION pos = m_app.GetFirstDocTemplatePosition();
        CDocTemplate* pTemplate = m_app.GetNextDocTemplate(pos);
        if (pTemplate->OpenDocumentFile(nullptr) == nullptr)
            return nullptr;
        PumpPendingMessages();
        return m_pFrame->MDIGetActive();
    }

    SessionApp m_app;
    std::unique_ptr<MenuBarFrame> m_pFrame;
};

TEST_F(MenuBarFrameTest, ABorderGivenAwayPutsTheMenuBarIntoBorderSpaceMode)
{
    Load(TRUE);
    EXPECT_FALSE(m_pFrame->m_pMenuBar->IsBorderSpaceMode());
    CRect rectNone(0, 0, 0, 0);
    EXPECT_TRUE(m_pFrame->NegotiateBorderSpace(CFrameWnd::borderSet, &rectNone));
    EXPECT_FALSE(m_pFrame->m_pMenuBar->IsBorderSpaceMode());
    CRect rectTop(0, 24, 0, 0);
    EXPECT_TRUE(m_pFrame->NegotiateBorderSpace(CFrameWnd::borderSet, &rectTop));
    EXPECT_TRUE(m_pFrame->m_pMenuBar->IsBorderSpaceMode());
}

TEST_F(MenuBarFrameTest, WithAMenuBarTheWindowHasNoMenuLineAndTheFrameAnswersTheBar)
{
    Load(TRUE);
    EXPECT_EQ(::GetMenu(m_pFrame->m_hWnd), nullptr);
    HMENU hFrameMenu = m_pFrame->GetMenuForId(IDR_MAINFRAME);
    ASSERT_NE(hFrameMenu, nullptr);
    EXPECT_EQ(m_pFrame->GetDefaultMenu(), hFrameMenu);
    EXPECT_EQ(AskForMenu(IDR_MAINFRAME, 1), reinterpret_cast<LRESULT>(::GetSubMenu(hFrameMenu, 1)));
    EXPECT_EQ(AskForMenu(999, 0), 0);
    // The template's menu is found through the application's templates.
    POSITION pos = m_app.GetFirstDocTemplatePosition();
    auto* pTemplate = static_cast<CMultiDocTemplate*>(m_app.GetNextDocTemplate(pos));
    EXPECT_EQ(m_pFrame->GetMenuForId(IDR_SESSIONTYPE), pTemplate->m_hMenuShared);

    // The manager was handed the bar, made it, and the frame shows its own menu.
    EXPECT_EQ(m_pFrame->m_manager.GetMenuBar(), m_pFrame->m_pMenuBar.get());
    ASSERT_NE(m_pFrame->m_pMenuBar->m_hWnd, nullptr);
    EXPECT_EQ(m_pFrame->m_pMenuBar->GetCurrentMenuId(), IDR_MAINFRAME);
    EXPECT_EQ(VisibleMenuButtons(*m_pFrame->m_pMenuBar), static_cast<int>(MENU_128_POPUPS));
    auto* pFeature = DYNAMIC_DOWNCAST(SECMenuBarFeature, m_pFrame->GetDocking().GetMessagePlugIn());
    ASSERT_NE(pFeature, nullptr);
    EXPECT_EQ(pFeature->GetMenuBar(), m_pFrame->m_pMenuBar.get());
    EXPECT_EQ(pFeature->m_dwMenuBarOptions, 1u);
    EXPECT_EQ(m_pFrame->GetMenu()->GetSafeHmenu(), hFrameMenu);

    // A frame hosting a floated bar shows the main window's menu under the toolkit's id.
    m_pFrame->m_pMenuBar->SwitchMenu(SECMDIMenuBar::ID_BAR_CHILD_MENU);
    EXPECT_EQ(m_pFrame->m_pMenuBar->GetCurrentMenuId(), SECMDIMenuBar::ID_BAR_CHILD_MENU);
    EXPECT_EQ(VisibleMenuButtons(*m_pFrame->m_pMenuBar), static_cast<int>(MENU_128_POPUPS));
    EXPECT_EQ(m_pFrame->GetMenu()->GetSafeHmenu(), hFrameMenu);
}

TEST_F(MenuBarFrameTest, APopupIsUpdatedBeforeItsItemsBecomeBitmapItems)
{
    Load(TRUE);
    auto* pFeature = DYNAMIC_DOWNCAST(SECMenuBarFeature, m_pFrame->GetDocking().GetMessagePlugIn());
    ASSERT_NE(pFeature, nullptr);
    HMENU hPopup = ::GetSubMenu(m_pFrame->GetMenuForId(IDR_MAINFRAME), 0);
    m_pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hPopup), MAKELPARAM(0, FALSE));
    ASSERT_NE(pFeature->FindMenu(hPopup), nullptr);
    // "&Add" has no handler: the update greyed it while it was still a text item.
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    ASSERT_TRUE(::GetMenuItemInfoW(hPopup, 0, TRUE, &info));
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    EXPECT_TRUE(info.fState & MFS_GRAYED);
}

TEST_F(MenuBarFrameTest, MenuButtonsShowTheirLabelsWithoutAToolbarImage)
{
    Load(TRUE);
    SECMDIMenuBar& bar = *m_pFrame->m_pMenuBar;
    CRect rect;
    bar.GetClientRect(&rect);
    ASSERT_FALSE(rect.IsRectEmpty());
    CClientDC dcScreen(nullptr);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(&dcScreen));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dcScreen, rect.Width(), rect.Height()));
    CBitmap* pOld = dc.SelectObject(&bitmap);
    bar.DoPaint(&dc);
    // Image 0 of the toolbar bitmap is a red square; the commands of menu buttons have none.
    int nRed = 0;
    for (int y = 0; y < rect.Height(); ++y)
        for (int x = 0; x < rect.Width(); ++x)
            nRed += dc.GetPixel(x, y) == RGB(255, 0, 0);
    dc.SelectObject(pOld);
    EXPECT_EQ(nRed, 0);
}

TEST_F(MenuBarFrameTest, TheFrameMenuGoesBeforeATemplateOfTheSameId)
{
    m_app.AddDocTemplate(new CMultiDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(SessionDoc),
                                               RUNTIME_CLASS(SECMDIChildWnd), RUNTIME_CLASS(SessionView)));
    Load(TRUE);
    EXPECT_EQ(m_pFrame->GetMenuForId(IDR_MAINFRAME), m_pFrame->GetDocking().GetFrameMenu());
}

TEST_F(MenuBarFrameTest, TheBarFollowsTheActiveChildAndItsMaximisedButtons)
{
    Load(TRUE);
    SECMDIMenuBar& bar = *m_pFrame->m_pMenuBar;
    CFrameWnd* pChild = OpenSession();
    ASSERT_NE(pChild, nullptr);
    // The child's menu is shown by id: the window still has no menu line.
    EXPECT_EQ(::GetMenu(m_pFrame->m_hWnd), nullptr);
    EXPECT_EQ(bar.GetCurrentMenuId(), IDR_SESSIONTYPE);
    EXPECT_EQ(VisibleMenuButtons(bar), static_cast<int>(MENU_130_POPUPS));
    EXPECT_TRUE(bar.m_btnCaption.m_nStyle & TBBS_HIDDEN);
    // The "&Window" popup of the child's menu lists the open children.
    HMENU hWindowMenu = ::GetSubMenu(m_pFrame->GetMenuForId(IDR_SESSIONTYPE), 3);
    const int nItems = ::GetMenuItemCount(hWindowMenu);
    ASSERT_GT(nItems, 0);
    EXPECT_EQ(::GetMenuItemID(hWindowMenu, nItems - 1), static_cast<UINT>(AFX_IDM_FIRST_MDICHILD));

    m_pFrame->MDIMaximize(pChild);
    PumpPendingMessages();
    EXPECT_FALSE(bar.m_btnCaption.m_nStyle & TBBS_HIDDEN);
    EXPECT_FALSE(bar.m_btnSysMenu.m_nStyle & TBBS_HIDDEN);
    m_pFrame->MDIRestore(pChild);
    PumpPendingMessages();
    EXPECT_TRUE(bar.m_btnCaption.m_nStyle & TBBS_HIDDEN);

    // The last child going gives the frame's own menu back.
    pChild->DestroyWindow();
    PumpPendingMessages();
    EXPECT_EQ(bar.GetCurrentMenuId(), IDR_MAINFRAME);
    EXPECT_EQ(VisibleMenuButtons(bar), static_cast<int>(MENU_128_POPUPS));
}

TEST_F(MenuBarFrameTest, WithoutAMenuBarBitmapMenusPlugInAndTheMenuLineStays)
{
    Load(FALSE);
    EXPECT_NE(::GetMenu(m_pFrame->m_hWnd), nullptr);
    CObject* pPlugIn = m_pFrame->GetDocking().GetMessagePlugIn();
    ASSERT_NE(pPlugIn, nullptr);
    EXPECT_TRUE(pPlugIn->IsKindOf(RUNTIME_CLASS(SECBmpMenuPlugIn)));
    EXPECT_FALSE(pPlugIn->IsKindOf(RUNTIME_CLASS(SECMenuBarFeature)));
    // Only a loaded frame menu answers.
    EXPECT_EQ(AskForMenu(IDR_MAINFRAME, 0), 0);
}

TEST(FrameMenuPlugInTest, WithoutMenuBarOrBitmapMenusNoPlugIn)
{
    // Deletes itself with its window.
    auto* pFrame = new SECFrameWnd;
    ASSERT_TRUE(pFrame->Create(nullptr, _T("Frame"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    EXPECT_EQ(pFrame->GetDocking().GetMessagePlugIn(), nullptr);
    pFrame->DestroyWindow();
}
} // namespace

TEST_F(MenuBarFrameTest, HelpModeNamesTheMaximisedChildsCaptionBoxesInTheBar)
{
    Load(TRUE);
    m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    SECMDIMenuBar& bar = *m_pFrame->m_pMenuBar;
    CFrameWnd* pChild = OpenSession();
    ASSERT_NE(pChild, nullptr);
    m_pFrame->MDIMaximize(pChild);
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    ASSERT_FALSE(bar.m_btnCaption.m_nStyle & TBBS_HIDDEN);

    const DWORD_PTR contexts[] = {0x1EF02, 0x1EF12, 0x1EF06};
    for (int nPart = 0; nPart < 3; ++nPart)
    {
        // In help mode the frame holds the capture: the press comes in its client coordinates.
        const auto& caption = bar.m_btnCaption;
        CPoint pt(caption.m_x + nPart * caption.m_cxBox + (nPart == 2 ? 2 : 0) + caption.m_cxBox / 2,
                  caption.m_y + caption.m_cyBox / 2);
        bar.ClientToScreen(&pt);
        m_pFrame->ScreenToClient(&pt);
        m_pFrame->m_helpContexts.clear();
        m_pFrame->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        m_pFrame->SendMessage(WM_COMMAND, ID_CONTEXT_HELP);
        EXPECT_EQ(m_pFrame->m_helpContexts, std::vector<DWORD_PTR>{contexts[nPart]}) << nPart;
        EXPECT_FALSE(m_pFrame->m_bHelpMode);
    }
    // Escape leaves help mode without help.
    m_pFrame->m_helpContexts.clear();
    m_pFrame->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    m_pFrame->SendMessage(WM_COMMAND, ID_CONTEXT_HELP);
    EXPECT_TRUE(m_pFrame->m_helpContexts.empty());
}

TEST_F(MenuBarFrameTest, TheActiveDockedFrameShowsItsTemplatesMenuInTheBar)
{
    using namespace tarnwick::frames::nsSysCommandEx;
    auto* pTemplate = new SECMultiDocTemplate(IDR_SESSIONTYPE, RUNTIME_CLASS(SessionDoc),
                                              RUNTIME_CLASS(SECMDIChildWnd), RUNTIME_CLASS(SessionView));
    m_app.AddDocTemplate(pTemplate);
    Load(TRUE);
    SECMDIMenuBar& bar = *m_pFrame->m_pMenuBar;
    CDocument* pDoc = pTemplate->OpenDocumentFile(nullptr);
    ASSERT_NE(pDoc, nullptr);
    POSITION pos = pDoc->GetFirstViewPosition();
    CView* pView = pDoc->GetNextView(pos);
    SysCommandExRecord record{};
    record.hWnd = pView->GetParentFrame()->m_hWnd;
    record.nCommand = STATE_TOGGLE;
    ASSERT_EQ(SendSysCommandExMessage(SCX_EXECUTE, record), TRUE);
    PumpPendingMessages();
    // The docked frame is the only document window and the active one: its template's menu.
    CFrameWnd* pDocked = pView->GetParentFrame();
    ASSERT_EQ(m_pFrame->GetActiveDockedFrame(), pDocked);
    EXPECT_EQ(bar.GetCurrentMenuId(), IDR_SESSIONTYPE);
    EXPECT_EQ(VisibleMenuButtons(bar), static_cast<int>(MENU_130_POPUPS));
    // Cleared, with no child to stand in, the frame's own menu.
    m_pFrame->SetActiveDockedFrame(nullptr, TRUE);
    EXPECT_EQ(bar.GetCurrentMenuId(), IDR_MAINFRAME);
    EXPECT_EQ(VisibleMenuButtons(bar), static_cast<int>(MENU_128_POPUPS));
    // Made active again, its menu comes back.
    m_pFrame->SetActiveDockedFrame(pDocked, TRUE);
    EXPECT_EQ(bar.GetCurrentMenuId(), IDR_SESSIONTYPE);
}
