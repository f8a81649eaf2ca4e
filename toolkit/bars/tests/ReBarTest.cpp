// A customisable toolbar in a band of the toolkit's rebar: the band follows the bar's size as
// its buttons change, and the bar's commands reach the frame.
#include <toolkit/bars/CustomToolBar.h>
#include <toolkit/bars/ToolBarManager.h>
#include <toolkit/frames/ReBar.h>

#include <afxpriv.h>

#include <gtest/gtest.h>

#include <testing/MessagePump.h>

#include <vector>

using tarnwick::bars::CBRS_EX_FULLLENGTH;
using tarnwick::bars::SECCustomToolBar;
using tarnwick::bars::SECToolBarManager;
using tarnwick::frames::SECReBar;

namespace
{
constexpr UINT ID_PLAIN = 0x800B;
const UINT kButtons[] = {ID_PLAIN, 0x800D, 0, 0xE100, 0xE102};

class CommandFrame : public CFrameWnd
{
public:
    std::vector<UINT> m_commands;

protected:
    void OnPlain()
    {
        m_commands.push_back(ID_PLAIN);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CommandFrame, CFrameWnd)
ON_COMMAND(ID_PLAIN, OnPlain)
END_MESSAGE_MAP()

class ReBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CommandFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, _T("Rebar"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 300)));
        m_pManager = new SECToolBarManager(m_pFrame);
        ASSERT_TRUE(m_pManager->LoadToolBarResource(128, 129));
        ASSERT_TRUE(m_reBar.Create(m_pFrame));
    }
    void TearDown() override
    {
        m_bar.DestroyWindow();
        m_other.DestroyWindow();
        m_reBar.DestroyWindow();
        m_pFrame->DestroyWindow();
        delete m_pManager;
        PumpPendingMessages();
    }
    // A toolbar of the five buttons in a new band.
    void AddToolBar(SECCustomToolBar& bar, DWORD dwExStyle, UINT nID)
    {
        bar.SetManager(m_pManager);
        bar.SetBmpMgr(m_pManager->GetBmpMgr());
        ASSERT_TRUE(bar.CreateEx(dwExStyle, &m_reBar, m_pManager->GetBarStyle(), nID));
        bar.SetButtons(kButtons, 5);
        ASSERT_TRUE(m_reBar.AddBar(&bar));
    }
    REBARBANDINFOW Band() const
    {
        REBARBANDINFOW info{};
        info.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE;
        EXPECT_TRUE(m_reBar.GetBandInfo(0, info));
        return info;
    }
    int ReBarClientWidth() const
    {
        CRect rect;
        m_reBar.GetClientRect(rect);
        return rect.Width();
    }

    CommandFrame* m_pFrame = nullptr;
    SECToolBarManager* m_pManager = nullptr;
    SECReBar m_reBar;
    SECCustomToolBar m_bar;
    SECCustomToolBar m_other;
};
} // namespace

TEST_F(ReBarTest, TheBarInItsBandIsOwnedByTheRebarAndSizesTheBand)
{
    AddToolBar(m_bar, CBRS_EX_FULLLENGTH, AFX_IDW_TOOLBAR);
    ASSERT_EQ(m_reBar.GetBandCount(), 1);
    EXPECT_TRUE(m_bar.GetOwner()->IsKindOf(RUNTIME_CLASS(SECReBar)));
    EXPECT_EQ(Band().hwndChild, m_bar.m_hWnd);
    EXPECT_EQ(m_reBar.FindBand(m_bar.m_hWnd), 0);
    EXPECT_EQ(m_reBar.FindBand(m_pFrame->m_hWnd), -1);
    // The frame gave the rebar its width: a full-length bar spans it less the band's edges.
    ASSERT_GT(ReBarClientWidth(), 12);
    const CSize size = m_bar.CalcFixedLayout(FALSE, TRUE);
    EXPECT_EQ(size.cx, ReBarClientWidth() - 12);
    EXPECT_EQ(Band().cxMinChild, static_cast<UINT>(size.cx));
    EXPECT_EQ(Band().cyMinChild, static_cast<UINT>(size.cy));
}

TEST_F(ReBarTest, ButtonsThatNoLongerFitInOneRowMakeTheBandAndTheRebarTaller)
{
    AddToolBar(m_bar, CBRS_EX_FULLLENGTH, AFX_IDW_TOOLBAR);
    const UINT nOneRow = Band().cyMinChild;
    CRect rectBefore;
    m_reBar.GetWindowRect(rectBefore);
    // Enough buttons for a second row in the rebar's width.
    for (int i = 0; i < 10; ++i)
        m_bar.InsertButton(m_bar.GetBtnCount(), 0x800D);
    const CSize size = m_bar.CalcFixedLayout(FALSE, TRUE);
    EXPECT_GT(Band().cyMinChild, nOneRow);
    EXPECT_EQ(Band().cyMinChild, static_cast<UINT>(size.cy));
    EXPECT_EQ(Band().cxMinChild, static_cast<UINT>(ReBarClientWidth() - 12));
    m_pFrame->RecalcLayout();
    CRect rectAfter;
    m_reBar.GetWindowRect(rectAfter);
    EXPECT_GT(rectAfter.Height(), rectBefore.Height());
    // Taken out again, the band is one row high again.
    while (m_bar.GetBtnCount() > 5)
        m_bar.RemoveButton(m_bar.GetBtnCount() - 1);
    EXPECT_EQ(Band().cyMinChild, nOneRow);
}

TEST_F(ReBarTest, AButtonInTheBandSendsItsCommandToTheFrame)
{
    AddToolBar(m_bar, CBRS_EX_FULLLENGTH, AFX_IDW_TOOLBAR);
    m_pFrame->RecalcLayout();
    const CPoint point = m_bar.GetButtonRect(0).CenterPoint();
    m_bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    m_bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    EXPECT_EQ(m_pFrame->m_commands, std::vector<UINT>{ID_PLAIN});
}

TEST_F(ReBarTest, BandsThatWrapInANarrowerFrameMakeTheFrameLayTheRebarOutAgain)
{
    m_pFrame->SetWindowPos(nullptr, 0, 0, 700, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    AddToolBar(m_bar, 0, AFX_IDW_TOOLBAR);
    AddToolBar(m_other, 0, AFX_IDW_TOOLBAR + 1);
    CRect rectOneRow;
    m_reBar.GetWindowRect(rectOneRow);
    // The narrower frame gives the rebar the old height; its bands then take two rows.
    m_pFrame->SetWindowPos(nullptr, 0, 0, 200, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(m_pFrame->m_nIdleFlags & CFrameWnd::idleLayout);
    m_pFrame->SendMessage(WM_IDLEUPDATECMDUI);
    CRect rectTwoRows;
    m_reBar.GetWindowRect(rectTwoRows);
    EXPECT_GT(rectTwoRows.Height(), rectOneRow.Height());
    EXPECT_EQ(rectTwoRows.Height(), static_cast<int>(m_reBar.SendMessage(RB_GETBARHEIGHT)));
}
