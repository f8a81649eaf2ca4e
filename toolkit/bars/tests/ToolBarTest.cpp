// Toolbars in a frame: commands and their update, check boxes across the manager's bars, hot
// tracking, removing and adding buttons, the drawing of states, and menu-button mnemonics.
#include <toolkit/bars/CustomToolBar.h>

#include <afxpriv.h>
#include <toolkit/bars/BmpMgr.h>
#include <toolkit/bars/MenuBar.h>
#include <toolkit/bars/TBMenuBtn.h>
#include <toolkit/bars/ToolBarManager.h>
#include <toolkit/foundation/AuxData.h>

#include <gtest/gtest.h>

#include <algorithm>

#include <testing/FakeThemeLibrary.h>
#include <testing/MemoryCanvas.h>
#include <testing/MessagePump.h>

using namespace tarnwick::bars;

namespace
{
constexpr UINT ID_PLAIN = 0x800B; // handled
constexpr UINT ID_CHECK = 0x800D; // handled, a check box
constexpr UINT ID_NOHANDLER = 0xE100;
constexpr UINT ID_NEVERDISABLED = 0xE102;

class CommandFrame : public CFrameWnd
{
public:
    SECToolBarManager* m_pManager = nullptr;
    std::vector<UINT> m_commands;
    BOOL m_bRecordActive = FALSE;
    CRect m_rectRecord;
    // The checked state of the check-box buttons of both bars when the command came.
    std::vector<BOOL> m_checkedAtCommand;
    std::vector<SECCustomToolBar*> m_bars;

protected:
    void OnPlain()
    {
        m_commands.push_back(ID_PLAIN);
        SECToolBarManager::SECCurrentCommand* pRecord = m_pManager->GetCurrentCommand();
        m_bRecordActive = pRecord->m_bActive;
        m_rectRecord = pRecord->m_rcButton;
        pRecord->Release();
    }
    void OnCheck()
    {
        m_commands.push_back(ID_CHECK);
        m_checkedAtCommand.clear();
        for (SECCustomToolBar* pBar : m_bars)
            m_checkedAtCommand.push_back((pBar->GetButtonStyle(pBar->CommandToIndex(ID_CHECK)) & TBBS_CHECKED) != 0);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CommandFrame, CFrameWnd)
ON_COMMAND(ID_PLAIN, OnPlain)
ON_COMMAND(ID_CHECK, OnCheck)
END_MESSAGE_MAP()

const UINT kMainButtons[] = {0x800B, 0x800D, 0, 0xE100, 0xE102, 0x8018, 0, 0xE143, 0xE140};

class ToolBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CommandFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, _T("Bars"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 500)));
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pManager = new SECToolBarManager(m_pFrame);
        m_pFrame->m_pManager = m_pManager;
        ASSERT_TRUE(m_pManager->LoadToolBarResource(128, 129));
    }
    void TearDown() override
    {
        m_pFrame->DestroyWindow();
        delete m_pManager;
        PumpPendingMessages();
    }
    SECCustomToolBar* MakeBar(UINT nID, const UINT* pIDs, int nCount, DWORD dwExStyle = 0)
    {
        auto* pBar = new SECCustomToolBar;
        pBar->SetManager(m_pManager);
        pBar->SetBmpMgr(m_pManager->GetBmpMgr());
        EXPECT_TRUE(pBar->CreateEx(dwExStyle, m_pFrame, m_pManager->GetBarStyle(), nID, _T("Bar")));
        pBar->m_bAutoDelete = TRUE;
        pBar->SetButtons(pIDs, nCount);
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
        m_pFrame->RecalcLayout();
        m_pFrame->m_bars.push_back(pBar);
        return pBar;
    }
    static void Click(SECCustomToolBar* pBar, int nIndex)
    {
        const CPoint point = pBar->GetButtonRect(nIndex).CenterPoint();
        pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    }

    CommandFrame* m_pFrame = nullptr;
    SECToolBarManager* m_pManager = nullptr;
};
} // namespace

TEST_F(ToolBarTest, IdleUpdateDisablesButtonsWithoutHandlerExceptNeverDisabledOnes)
{
    SECCustomToolBar* pBar = MakeBar(0xE800, kMainButtons, 9);
    pBar->GetButton(4)->m_nStyle |= TBBS_NOUPDATE;
    pBar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_FALSE(pBar->GetButtonStyle(0) & TBBS_DISABLED);
    EXPECT_TRUE(pBar->GetButtonStyle(3) & TBBS_DISABLED);
    EXPECT_FALSE(pBar->GetButtonStyle(4) & TBBS_DISABLED);
}

TEST_F(ToolBarTest, ClickSendsTheCommandWhileTheCurrentCommandRecordIsActive)
{
    SECCustomToolBar* pBar = MakeBar(0xE800, kMainButtons, 9);
    Click(pBar, 0);
    ASSERT_EQ(m_pFrame->m_commands, std::vector<UINT>{ID_PLAIN});
    EXPECT_TRUE(m_pFrame->m_bRecordActive);
    CRect rectScreen = pBar->GetButtonRect(0);
    pBar->ClientToScreen(rectScreen);
    EXPECT_EQ(m_pFrame->m_rectRecord, rectScreen);
    SECToolBarManager::SECCurrentCommand* pRecord = m_pManager->GetCurrentCommand();
    EXPECT_FALSE(pRecord->m_bActive);
    pRecord->Release();
    // A disabled button sends nothing.
    pBar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    Click(pBar, 3);
    EXPECT_EQ(m_pFrame->m_commands.size(), 1u);
}

TEST_F(ToolBarTest, CheckBoxReleaseTogglesEveryButtonOfTheCommandFirst)
{
    const UINT ids[] = {ID_PLAIN, ID_CHECK};
    SECCustomToolBar* pFirst = MakeBar(0xE800, ids, 2);
    SECCustomToolBar* pSecond = MakeBar(0xE806, ids, 2);
    for (SECCustomToolBar* pBar : {pFirst, pSecond})
        pBar->GetButton(1)->m_nStyle |= TBBS_CHECKBOX;
    Click(pFirst, 1);
    EXPECT_EQ(m_pFrame->m_checkedAtCommand, (std::vector<BOOL>{TRUE, TRUE}));
    Click(pSecond, 1);
    EXPECT_EQ(m_pFrame->m_checkedAtCommand, (std::vector<BOOL>{FALSE, FALSE}));
}

TEST_F(ToolBarTest, HotTrackingSkipsDisabledButtons)
{
    SECCustomToolBar* pBar = MakeBar(0xE800, kMainButtons, 9, SECToolBarManager::CBRS_EX_COOLLOOK_BITS);
    m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    m_pFrame->RecalcLayout();
    pBar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    ASSERT_TRUE(pBar->GetButtonStyle(3) & TBBS_DISABLED);
    const auto hoverOver = [pBar](int nIndex) {
        CPoint point = pBar->GetButtonRect(nIndex).CenterPoint();
        pBar->ClientToScreen(&point);
        ::SetCursorPos(point.x, point.y);
        pBar->SendMessage(WM_TIMER, ID_TIMER_HOTTRACK);
    };
    hoverOver(0);
    EXPECT_EQ(pBar->GetHotButton(), 0);
    EXPECT_TRUE(pBar->GetButtonStyle(0) & TBBS_HOT);
    hoverOver(3);
    EXPECT_EQ(pBar->GetHotButton(), -1);
    EXPECT_FALSE(pBar->GetButtonStyle(0) & TBBS_HOT);
    EXPECT_FALSE(pBar->GetButtonStyle(3) & TBBS_HOT);
}

TEST_F(ToolBarTest, RemovingAButtonCleansUpItsSeparators)
{
    const UINT ids[] = {ID_PLAIN, 0, ID_CHECK, 0, ID_NOHANDLER};
    SECCustomToolBar* pBar = MakeBar(0xE800, ids, 5);
    EXPECT_TRUE(pBar->RemoveButton(2));
    ASSERT_EQ(pBar->GetBtnCount(), 3);
    EXPECT_EQ(pBar->GetButton(0)->m_nID, ID_PLAIN);
    EXPECT_TRUE(pBar->GetButton(1)->m_nStyle & TBBS_SEPARATOR);
    EXPECT_EQ(pBar->GetButton(2)->m_nID, ID_NOHANDLER);
    // The first button goes with the separator after it.
    EXPECT_TRUE(pBar->RemoveButton(0));
    ASSERT_EQ(pBar->GetBtnCount(), 1);
    EXPECT_EQ(pBar->GetButton(0)->m_nID, ID_NOHANDLER);
    EXPECT_FALSE(pBar->RemoveButton(5));
    EXPECT_EQ(pBar->GetBtnCount(), 1);
}

TEST_F(ToolBarTest, AddAndDeleteThroughToolbarMessages)
{
    SECCustomToolBar* pBar = MakeBar(0xE800, kMainButtons, 2);
    TBBUTTON buttons[2] = {};
    buttons[0].idCommand = 0;
    buttons[1].idCommand = ID_NOHANDLER;
    buttons[1].fsState = 0x04; // TBSTATE_ENABLED keeps the state byte
    buttons[1].fsStyle = TBSTYLE_CHECK;
    EXPECT_TRUE(pBar->SendMessage(0x414, 2, reinterpret_cast<LPARAM>(buttons)));
    ASSERT_EQ(pBar->GetBtnCount(), 4);
    EXPECT_TRUE(pBar->GetButton(2)->m_nStyle & TBBS_SEPARATOR);
    EXPECT_EQ(pBar->GetButton(3)->m_nID, ID_NOHANDLER);
    EXPECT_EQ(pBar->GetButton(3)->m_nStyle & 0xFFFFFF, 0x040000u | TBSTYLE_CHECK);
    EXPECT_EQ(pBar->SendMessage(TB_DELETEBUTTON, 0), 1);
    EXPECT_EQ(pBar->GetBtnCount(), 3);
}

TEST_F(ToolBarTest, OnlyUserToolbarsGoWhenEmptied)
{
    const UINT ids[] = {ID_PLAIN};
    SECCustomToolBar* pUser = MakeBar(ID_SEC_FIRSTUSERBAR, ids, 1);
    const HWND hUser = pUser->m_hWnd;
    EXPECT_EQ(pUser->SendMessage(TB_DELETEBUTTON, 0), 1);
    EXPECT_FALSE(::IsWindow(hUser));

    // The menu bar's id lies in the user range, but it stays for the rest of the run.
    SECMenuBar menuBar;
    menuBar.SetManager(m_pManager);
    ASSERT_TRUE(menuBar.CreateEx(0, m_pFrame, m_pManager->GetBarStyle(), ID_SEC_MENUBAR));
    ASSERT_TRUE(menuBar.SetMenuInfo(1, 128));
    while (menuBar.GetBtnCount() > 0)
        EXPECT_EQ(menuBar.SendMessage(TB_DELETEBUTTON, 0), 1);
    EXPECT_TRUE(::IsWindow(menuBar.m_hWnd));
    menuBar.DestroyWindow();
}

TEST(MenuButtonTest, MnemonicIsTheLetterAfterTheFirstAmpersand)
{
    const struct
    {
        LPCTSTR lpszLabel;
        TCHAR chMnemonic;
    } cases[] = {
        {_T("E&xit"), _T('X')}, {_T("&System"), _T('S')}, {_T("System"), 0}, {_T("Tail&"), 0}, {_T("A&b&c"), _T('B')}};
    for (const auto& c : cases)
    {
        SECTBMenuBtn btn;
        btn.m_strLabel = c.lpszLabel;
        btn.ParseMnemonic();
        EXPECT_EQ(btn.m_chMnemonic, c.chMnemonic) << static_cast<int>(c.chMnemonic);
    }
}

TEST_F(ToolBarTest, DisabledCheckedButtonDrawsEmbossedWithoutThePattern)
{
    const UINT ids[] = {ID_PLAIN, ID_CHECK};
    SECCustomToolBar* pBar = MakeBar(0xE800, ids, 2);
    const SEC_AUX_DATA* pAux = SECGetAuxData();
    const auto draw = [&](UINT nStyle) {
        SECStdBtn* pBtn = pBar->GetButton(0);
        pBtn->m_nStyle = nStyle;
        pBtn->SetPos(0, 0);
        auto canvas = std::make_unique<MemoryCanvas>(pBtn->m_cx, pBtn->m_cy, RGB(1, 2, 3));
        pBtn->Draw(canvas->Dc(), pBar->GetDrawData());
        return canvas;
    };
    SECStdBtn* pBtn = pBar->GetButton(0);
    // The image's cell: 16 x 15 centred in the 23 x 22 button; its shape (a monitor) starts 2
    // pixels in.
    const CPoint ptImage((pBtn->m_cx - 16) / 2, (pBtn->m_cy - 15) / 2);
    const auto checked = draw(TBBS_CHECKBOX | TBBS_CHECKED);
    // The image's own background is dithered: two neighbours differ.
    EXPECT_NE(checked->Pixel(ptImage.x + 1, ptImage.y + 1), checked->Pixel(ptImage.x + 2, ptImage.y + 1));

    const auto disabled = draw(TBBS_CHECKBOX | TBBS_CHECKED | TBBS_DISABLED);
    EXPECT_EQ(disabled->Pixel(ptImage.x + 1, ptImage.y + 1), disabled->Pixel(ptImage.x + 2, ptImage.y + 1));
    // The shape in the shadow colour, and its highlight one pixel down and right.
    EXPECT_EQ(disabled->Pixel(ptImage.x + 3, ptImage.y + 3), pAux->clrBtnShadow);
    EXPECT_EQ(disabled->Pixel(ptImage.x + 13, ptImage.y + 12), pAux->clrBtnHilite);
    EXPECT_EQ(disabled->Pixel(ptImage.x + 7, ptImage.y + 7), pAux->clrBtnShadow);

    // Enabled and not checked: the image itself, its grey bezel and its dark blue screen.
    const auto plain = draw(0);
    EXPECT_EQ(plain->Pixel(ptImage.x + 2, ptImage.y + 9), RGB(52, 52, 68));
    EXPECT_EQ(plain->Pixel(ptImage.x + 7, ptImage.y + 7), RGB(0, 0, 160));
}

TEST_F(ToolBarTest, AfterAThemeChangeButtonsDrawWithTheNewThemesData)
{
    FakeThemeLibrary themes;
    themes.State().themeColours = {RGB(0, 0, 200), RGB(0, 150, 0)};
    SECCustomToolBar* pBar = MakeBar(0xE800, kMainButtons, 9);
    SECStdBtn* pBtn = pBar->GetButton(0);
    pBtn->SetPos(0, 0);
    const auto draw = [&] {
        MemoryCanvas canvas(pBtn->m_cx, pBtn->m_cy, RGB(1, 2, 3));
        pBtn->Draw(canvas.Dc(), pBar->GetDrawData());
        return canvas.Pixel(1, 1);
    };
    EXPECT_EQ(draw(), RGB(0, 0, 200));
    EXPECT_EQ(draw(), RGB(0, 0, 200));
    const auto opens = [&] {
        return std::count(themes.State().classes.begin(), themes.State().classes.end(), L"Toolbar");
    };
    EXPECT_EQ(opens(), 1) << "kept between pictures";

    themes.State().nTheme = 1;
    pBar->SendMessage(WM_THEMECHANGED);
    EXPECT_EQ(draw(), RGB(0, 150, 0));
    EXPECT_EQ(opens(), 2);
    pBar->SendMessage(WM_THEMECHANGED);
    EXPECT_GE(themes.State().nThemesClosed, 2);
}

TEST_F(ToolBarTest, IndexesOutOfRangeAnswerNothing)
{
    SECCustomToolBar* pBar = MakeBar(0xE800, kMainButtons, 9);
    for (int nIndex : {-1, 9, 1000})
    {
        EXPECT_EQ(pBar->GetButton(nIndex), nullptr) << nIndex;
        EXPECT_TRUE(pBar->GetButtonRect(nIndex).IsRectNull()) << nIndex;
        EXPECT_EQ(pBar->GetButtonStyle(nIndex), 0u) << nIndex;
        pBar->SetButtonStyle(nIndex, TBBS_CHECKED);
    }
    EXPECT_EQ(pBar->GetButtonStyle(8) & TBBS_CHECKED, 0u);
}

TEST_F(ToolBarTest, BarOutsideDockBarsSpansItsParent)
{
    auto* pBar = new SECCustomToolBar;
    pBar->SetManager(m_pManager);
    pBar->SetBmpMgr(m_pManager->GetBmpMgr());
    ASSERT_TRUE(pBar->CreateEx(0, m_pFrame, m_pManager->GetBarStyle(), 0xE806, _T("Bar")));
    pBar->m_bAutoDelete = TRUE;
    pBar->SetButtons(kMainButtons, 9);
    m_pFrame->RecalcLayout();
    CRect rectFrame;
    CRect rectBar;
    m_pFrame->GetClientRect(rectFrame);
    pBar->GetWindowRect(rectBar);
    EXPECT_EQ(rectBar.Width(), rectFrame.Width());
}
