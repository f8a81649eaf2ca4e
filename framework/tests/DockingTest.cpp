// Control bars, dock bars and a frame's docking on hidden windows: layout of aligned and
// docked bars, delayed showing, the View menu's toggles, the dock bar's list of rows and the
// bars' end with their frame.
#include <afxpriv.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <testing/MemoryCanvas.h>
#include <testing/MessagePump.h>

namespace
{
int g_nBarsDeleted = 0;

// A bar of a fixed size, which counts its idle updates.
class CTestBar : public CControlBar
{
public:
    explicit CTestBar(CSize size) : m_size(size)
    {
    }
    ~CTestBar() override
    {
        ++g_nBarsDeleted;
    }
    BOOL Create(CWnd* pParent, DWORD dwStyle, UINT nID)
    {
        return CreateBar(dwStyle | WS_VISIBLE, pParent, nID);
    }
    CSize CalcFixedLayout(BOOL, BOOL) override
    {
        return m_size;
    }
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) override
    {
        m_updateTargets.push_back(pTarget);
    }
    std::vector<CFrameWnd*> m_updateTargets;

private:
    CSize m_size;
};

CRect ChildRect(CWnd* pWnd, CWnd* pParent)
{
    CRect rect;
    pWnd->GetWindowRect(&rect);
    pParent->ScreenToClient(&rect);
    return rect;
}

// A hidden frame with a view in its pane.
class DockingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, _T("Docking"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
        m_hWndFrame = m_pFrame->m_hWnd;
        ASSERT_TRUE(
            m_view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), m_pFrame, AFX_IDW_PANE_FIRST));
    }
    void TearDown() override
    {
        if (::IsWindow(m_hWndFrame))
            m_pFrame->DestroyWindow();
    }
    // A bar that frees itself with its window.
    CTestBar* NewBar(CSize size, DWORD dwStyle, UINT nID)
    {
        auto* pBar = new CTestBar(size);
        pBar->m_bAutoDelete = TRUE;
        EXPECT_TRUE(pBar->Create(m_pFrame, dwStyle, nID));
        return pBar;
    }
    // A 40-pixel bar docked on the left, the frame's docking enabled on all sides.
    CTestBar* DockLeftBar()
    {
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        CTestBar* pBar = NewBar(CSize(40, 100), CBRS_LEFT, 0xE811);
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(pBar);
        return pBar;
    }
    CRect ViewRect()
    {
        return ChildRect(&m_view, m_pFrame);
    }
    CRect Client()
    {
        CRect rect;
        m_pFrame->GetClientRect(&rect);
        return rect;
    }
    void Idle()
    {
        m_pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    }

    CFrameWnd* m_pFrame = nullptr;
    HWND m_hWndFrame = nullptr;
    CWnd m_view;
};

TEST_F(DockingTest, ViewGetsTheClientLessAnAlignedBarAndADockedOne)
{
    CTestBar* pTop = NewBar(CSize(400, 20), CBRS_TOP, 0xE810);
    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    CTestBar* pLeft = NewBar(CSize(40, 100), CBRS_LEFT, 0xE811);
    pLeft->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(pLeft, AFX_IDW_DOCKBAR_LEFT);
    m_pFrame->RecalcLayout();

    auto* pDockBar = static_cast<CDockBar*>(m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
    ASSERT_NE(pDockBar, nullptr);
    EXPECT_EQ(pLeft->m_pDockBar, pDockBar);
    EXPECT_EQ(pLeft->GetParent(), pDockBar);
    EXPECT_EQ(pLeft->m_dwStyle & CBRS_ALIGN_ANY, static_cast<DWORD>(CBRS_ALIGN_LEFT));
    EXPECT_FALSE(pLeft->IsFloating());
    EXPECT_EQ(pLeft->GetDockingFrame(), m_pFrame);

    // The top bar ends where the view begins; so does the docked bar, which overlaps its
    // dock bar's edge by the border.
    const CRect rectClient = Client();
    const CRect rectTop = ChildRect(pTop, m_pFrame);
    const CRect rectLeft = ChildRect(pLeft, m_pFrame);
    const CRect rectView = ViewRect();
    EXPECT_EQ(rectTop.Height(), 20);
    EXPECT_EQ(rectView.top, rectTop.bottom);
    EXPECT_EQ(rectView.left, rectLeft.right);
    EXPECT_EQ(rectView.left, ChildRect(pDockBar, m_pFrame).right);
    EXPECT_EQ(rectView.right, rectClient.right);
    EXPECT_EQ(rectView.bottom, rectClient.bottom);
    EXPECT_GT(rectView.left, 30);
    EXPECT_LE(rectView.left, 40);
    // The other sides' dock bars are there but take nothing.
    EXPECT_EQ(ChildRect(m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_RIGHT), m_pFrame).Width(), 0);

    // The dock context remembers where the layout put the bar, and floats a vertical bar on
    // the left, at the system's default place.
    const CDockContext* pContext = pLeft->m_pDockContext;
    ASSERT_NE(pContext, nullptr);
    EXPECT_EQ(pContext->m_pBar, pLeft);
    EXPECT_EQ(pContext->m_pDockSite, m_pFrame);
    EXPECT_EQ(pContext->m_dwMRUFloatStyle, static_cast<DWORD>(CBRS_ALIGN_LEFT));
    EXPECT_EQ(pContext->m_ptMRUFloatPos.x, CW_USEDEFAULT);
    EXPECT_EQ(pContext->m_rectMRUDockPos, ChildRect(pLeft, pDockBar));

    // A rectangle over the left dock bar may dock there once the frame shows (under the null
    // driver nothing is drawn); one over the view may not.
    CRect rectScreen(rectLeft.CenterPoint(), CSize(4, 4));
    m_pFrame->ClientToScreen(&rectScreen);
    EXPECT_EQ(m_pFrame->CanDock(rectScreen, CBRS_ALIGN_ANY), 0u);
    m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    CDockBar* pDockBarFound = nullptr;
    EXPECT_EQ(m_pFrame->CanDock(rectScreen, CBRS_ALIGN_ANY, &pDockBarFound) & CBRS_ALIGN_ANY,
              static_cast<DWORD>(CBRS_ALIGN_LEFT));
    EXPECT_EQ(pDockBarFound, pDockBar);
    EXPECT_EQ(m_pFrame->CanDock(rectScreen, CBRS_ALIGN_TOP, &pDockBarFound) & CBRS_ALIGN_LEFT, 0u);
    CRect rectMiddle(rectView.CenterPoint(), CSize(4, 4));
    m_pFrame->ClientToScreen(&rectMiddle);
    EXPECT_EQ(m_pFrame->CanDock(rectMiddle, CBRS_ALIGN_ANY), 0u);
}

TEST_F(DockingTest, AlignedBarsTakeTheirSide)
{
    struct Case
    {
        DWORD dwStyle;
        CSize size;
        CRect rectLess; // taken from the client's left, top, right and bottom
    };
    const Case cases[] = {
        {CBRS_TOP, CSize(400, 20), CRect(0, 20, 0, 0)},
        {CBRS_BOTTOM, CSize(400, 25), CRect(0, 0, 0, 25)},
        {CBRS_LEFT, CSize(30, 100), CRect(30, 0, 0, 0)},
        {CBRS_RIGHT, CSize(35, 100), CRect(0, 0, 35, 0)},
        // A bar without an alignment takes nothing.
        {CBRS_NOALIGN, CSize(50, 50), CRect(0, 0, 0, 0)},
    };
    for (const Case& c : cases)
    {
        CTestBar* pBar = NewBar(c.size, c.dwStyle, 0xE810);
        m_pFrame->RecalcLayout();
        CRect rectExpected = Client();
        rectExpected.DeflateRect(c.rectLess.left, c.rectLess.top, c.rectLess.right, c.rectLess.bottom);
        EXPECT_EQ(ViewRect(), rectExpected) << std::hex << c.dwStyle;
        pBar->DestroyWindow();
    }
    // Bars are laid out in the frame's space only: a bar taller than the client gets the client.
    CTestBar* pTall = NewBar(CSize(400, 5000), CBRS_TOP, 0xE810);
    m_pFrame->RecalcLayout();
    EXPECT_EQ(ChildRect(pTall, m_pFrame).Height(), Client().Height());
}

TEST_F(DockingTest, DockingNeedsADockBarOfTheSide)
{
    m_pFrame->EnableDocking(CBRS_ALIGN_TOP);
    CTestBar* pBar = NewBar(CSize(40, 100), CBRS_LEFT, 0xE811);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(pBar);
    EXPECT_EQ(pBar->m_pDockBar, nullptr);
    EXPECT_EQ(pBar->GetParent(), m_pFrame);
    EXPECT_EQ(m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT), nullptr);
}

TEST_F(DockingTest, DelayedHideWaitsForTheIdleLayout)
{
    CTestBar* pLeft = DockLeftBar();
    CTestBar* pTop = NewBar(CSize(400, 20), CBRS_TOP, 0xE810);
    m_pFrame->RecalcLayout();
    const CRect rectBefore = ViewRect();
    ASSERT_GT(rectBefore.left, 0);

    m_pFrame->ShowControlBar(pLeft, FALSE, TRUE);
    EXPECT_TRUE(pLeft->GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(pLeft->IsVisible());
    EXPECT_EQ(ViewRect(), rectBefore);
    EXPECT_EQ(m_pFrame->m_nIdleFlags & (CFrameWnd::idleLayout | CFrameWnd::idleNotify), 12u);

    Idle();
    EXPECT_FALSE(pLeft->GetStyle() & WS_VISIBLE);
    EXPECT_EQ(ViewRect().left, 0);
    EXPECT_EQ(ViewRect().top, rectBefore.top);

    // Without delay at once.
    m_pFrame->ShowControlBar(pTop, FALSE, FALSE);
    EXPECT_FALSE(pTop->GetStyle() & WS_VISIBLE);
    EXPECT_EQ(ViewRect(), Client());
    m_pFrame->ShowControlBar(pLeft, TRUE, FALSE);
    EXPECT_EQ(ViewRect().left, rectBefore.left);

    // A delayed show counts as shown for the layout's queries before it is carried out.
    m_pFrame->ShowControlBar(pLeft, FALSE, FALSE);
    m_pFrame->ShowControlBar(pLeft, TRUE, TRUE);
    EXPECT_FALSE(pLeft->GetStyle() & WS_VISIBLE);
    EXPECT_TRUE(pLeft->IsVisible());
    CRect rectQuery;
    m_pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rectQuery);
    EXPECT_EQ(rectQuery.left, rectBefore.left);
    EXPECT_FALSE(pLeft->GetStyle() & WS_VISIBLE);
    Idle();
    EXPECT_TRUE(pLeft->GetStyle() & WS_VISIBLE);
    EXPECT_EQ(ViewRect().left, rectBefore.left);
}

TEST_F(DockingTest, IdleUpdatesGoToTheFrameOfVisibleBars)
{
    CTestBar* pDocked = DockLeftBar();
    CTestBar* pHidden = NewBar(CSize(400, 20), CBRS_TOP, 0xE810);
    m_pFrame->ShowControlBar(pHidden, FALSE, FALSE);

    m_pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    EXPECT_EQ(pDocked->m_updateTargets, std::vector<CFrameWnd*>{m_pFrame});
    EXPECT_TRUE(pHidden->m_updateTargets.empty());
}

TEST_F(DockingTest, BarCommandTogglesTheBarAndItsMenuItemShowsIt)
{
    CTestBar* pBar = NewBar(CSize(400, 20), CBRS_TOP, ID_VIEW_TOOLBAR);
    m_pFrame->RecalcLayout();
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_VIEW_TOOLBAR, _T("&Toolbar"));
    menu.AppendMenu(MF_STRING, ID_VIEW_STATUS_BAR, _T("&Status Bar"));
    const auto isChecked = [&](UINT nID) {
        AfxUpdateMenuCmdUI(&menu, m_pFrame, TRUE);
        return (menu.GetMenuState(nID, MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    EXPECT_TRUE(isChecked(ID_VIEW_TOOLBAR));
    // No status bar: its item stays unchecked.
    EXPECT_FALSE(menu.GetMenuState(ID_VIEW_STATUS_BAR, MF_BYCOMMAND) & MF_CHECKED);

    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_FALSE(pBar->GetStyle() & WS_VISIBLE);
    EXPECT_EQ(ViewRect(), Client());
    EXPECT_FALSE(isChecked(ID_VIEW_TOOLBAR));

    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_TRUE(pBar->GetStyle() & WS_VISIBLE);
    EXPECT_EQ(ViewRect().top, 20);
    EXPECT_TRUE(isChecked(ID_VIEW_TOOLBAR));
}

TEST_F(DockingTest, ClosingTheFrameDestroysItsDockBarsAndBars)
{
    DockLeftBar();
    NewBar(CSize(400, 20), CBRS_TOP, 0xE810);
    std::vector<HWND> hWnds;
    const UINT ids[] = {
        AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT, 0xE810, 0xE811};
    for (UINT nID : ids)
    {
        CControlBar* pBar = m_pFrame->GetControlBar(nID);
        ASSERT_NE(pBar, nullptr) << nID;
        hWnds.push_back(pBar->m_hWnd);
    }
    g_nBarsDeleted = 0;

    m_pFrame->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(m_hWndFrame));
    for (HWND hWnd : hWnds)
        EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(g_nBarsDeleted, 2);
}

TEST_F(DockingTest, DockedBarsFormRowsAndWrapWhenTheFrameNarrows)
{
    m_pFrame->SetWindowPos(nullptr, 0, 0, 700, 300, SWP_NOMOVE | SWP_NOZORDER);
    m_pFrame->EnableDocking(CBRS_ALIGN_TOP);
    auto* pDockBar = static_cast<CDockBar*>(m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
    ASSERT_NE(pDockBar, nullptr);
    CTestBar* pBars[3];
    for (int i = 0; i < 3; ++i)
    {
        pBars[i] = NewBar(CSize(250, 24), CBRS_TOP, 0xE820 + i);
        pBars[i]->EnableDocking(CBRS_ALIGN_ANY);
    }
    const auto rows = [&] {
        std::string text;
        for (INT_PTR i = 0; i < pDockBar->m_arrBars.GetSize(); ++i)
        {
            void* pEntry = pDockBar->m_arrBars[i];
            text += pEntry == nullptr ? '|' : static_cast<char>('A' + (std::find(pBars, pBars + 3, pEntry) - pBars));
        }
        return text;
    };

    m_pFrame->DockControlBar(pBars[0]);
    m_pFrame->RecalcLayout();
    EXPECT_EQ(rows(), "|A|");
    // Docked at a place right of A in A's row, and at one below the row.
    CRect rectA;
    pBars[0]->GetWindowRect(&rectA);
    CRect rectB(rectA);
    rectB.OffsetRect(300, 0);
    m_pFrame->DockControlBar(pBars[1], AFX_IDW_DOCKBAR_TOP, rectB);
    CRect rectC(rectA);
    rectC.OffsetRect(0, 40);
    m_pFrame->DockControlBar(pBars[2], pDockBar, rectC);
    m_pFrame->RecalcLayout();
    EXPECT_EQ(rows(), "|AB|C|");
    // B keeps the place it was put at; the dock bar is two rows high.
    EXPECT_EQ(ChildRect(pBars[1], pDockBar).left, ChildRect(pBars[0], pDockBar).left + 300);
    EXPECT_EQ(ChildRect(pBars[2], pDockBar).top, ChildRect(pBars[0], pDockBar).bottom - 2);
    EXPECT_EQ(ViewRect().top, ChildRect(pDockBar, m_pFrame).bottom);
    EXPECT_GE(ViewRect().top, 2 * 24 - 4);

    // Narrower than two bars: B moves back to just after A, then to a row of its own.
    m_pFrame->SetWindowPos(nullptr, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(rows(), "|AB|C|");
    EXPECT_EQ(ChildRect(pBars[1], pDockBar).left, ChildRect(pBars[0], pDockBar).right - 2);
    m_pFrame->SetWindowPos(nullptr, 0, 0, 250, 300, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(rows(), "|A|B|C|");
    EXPECT_EQ(ChildRect(pBars[1], pDockBar).left, -2);
}

TEST(ControlBarTest, ControlsOnABarStandOnItsFaceAndBordersAreDrawnClassically)
{
    HiddenWindow parent;
    CTestBar bar(CSize(100, 20));
    ASSERT_TRUE(bar.Create(&parent.Wnd(), CBRS_TOP | CBRS_BORDER_TOP | CBRS_BORDER_3D | CBRS_TOOLTIPS, 0xE810));
    EXPECT_TRUE(bar.m_nFlags & WF_TOOLTIPS);
    // The bar styles stay out of the window's styles (CBRS_GRIPPER shares WS_DLGFRAME's bit).
    EXPECT_EQ(bar.GetStyle() & CBRS_ALL, 0u);
    bar.SetWindowPos(nullptr, 0, 0, 100, 20, SWP_NOZORDER);
    CStatic label;
    ASSERT_TRUE(label.Create(_T("x"), WS_CHILD, CRect(0, 0, 10, 10), &bar));
    CClientDC dc(&bar);
    const auto hbr = reinterpret_cast<HBRUSH>(
        bar.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.m_hDC), reinterpret_cast<LPARAM>(label.m_hWnd)));
    EXPECT_EQ(hbr, ::GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(dc.GetBkColor(), ::GetSysColor(COLOR_BTNFACE));

    MemoryCanvas canvas(100, 20, RGB(1, 2, 3));
    bar.DoPaint(&canvas.Dc());
    EXPECT_EQ(canvas.Pixel(50, 0), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.Pixel(50, 1), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.Pixel(50, 2), RGB(1, 2, 3));

    // The inside leaves the borders (top and, from CBRS_TOP, bottom) and the margins out.
    CRect rect(0, 0, 100, 20);
    bar.CalcInsideRect(rect, TRUE);
    EXPECT_EQ(rect, CRect(6, 3, 94, 17));
}

// A floating frame that notes how its caption was last drawn, active or not.
class CCaptionFrame : public CMiniDockFrameWnd
{
    DECLARE_DYNCREATE(CCaptionFrame)
public:
    int m_nLastNcActivate = -1;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NCACTIVATE)
            m_nLastNcActivate = wParam != 0;
        return CMiniDockFrameWnd::DefWindowProc(message, wParam, lParam);
    }
};
IMPLEMENT_DYNCREATE(CCaptionFrame, CMiniDockFrameWnd)

TEST_F(DockingTest, AFloatingFrameShowsItsCaptionActiveWhileItsOwnerIsActive)
{
    m_pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CCaptionFrame);
    for (const bool bActive : {true, false})
    {
        CTestBar* pBar = DockLeftBar();
        ::SetActiveWindow(bActive ? m_hWndFrame : nullptr);
        m_pFrame->FloatControlBar(pBar, CPoint(100, 100), CBRS_ALIGN_TOP);
        auto* pFloating = DYNAMIC_DOWNCAST(CCaptionFrame, pBar->GetParentFrame());
        ASSERT_NE(pFloating, nullptr);
        EXPECT_TRUE(pFloating->IsWindowVisible());
        EXPECT_EQ(pFloating->m_nLastNcActivate, bActive ? 1 : 0) << "owner active " << bActive;
        pBar->DestroyWindow();
    }
}

// The dock bar's list of rows, with bars of ids 101 to 103 and placeholders of their ids.
class DockBarListTest : public HiddenWindowTest
{
protected:
    void SetUp() override
    {
        // 'D' has no child id.
        for (UINT nID : {101u, 102u, 103u, 0u})
        {
            m_bars.push_back(std::make_unique<CTestBar>(CSize(10, 10)));
            ASSERT_TRUE(m_bars.back()->Create(&Parent(), CBRS_TOP, nID));
        }
    }
    // 'A'..'D' are the bars, digits 1..3 the placeholders of A..C, '|' a row break.
    void Fill(const std::string& text)
    {
        m_dockBar.m_arrBars.RemoveAll();
        for (char c : text)
            m_dockBar.m_arrBars.Add(Entry(c));
    }
    void* Entry(char c)
    {
        if (c == '|')
            return nullptr;
        if (c >= '1' && c <= '3')
            return reinterpret_cast<void*>(static_cast<UINT_PTR>(100 + c - '0'));
        return m_bars[c - 'A'].get();
    }
    CControlBar* Bar(char c)
    {
        return static_cast<CControlBar*>(Entry(c));
    }
    std::string Text()
    {
        std::string text;
        for (INT_PTR i = 0; i < m_dockBar.m_arrBars.GetSize(); ++i)
        {
            const auto value = reinterpret_cast<UINT_PTR>(m_dockBar.m_arrBars[i]);
            if (value == 0)
                text += '|';
            else if (value <= 0xFFFF)
                text += static_cast<char>('0' + value - 100);
            else
                for (int b = 0; b < 4; ++b)
                    if (m_dockBar.m_arrBars[i] == m_bars[b].get())
                        text += static_cast<char>('A' + b);
        }
        return text;
    }

    std::vector<std::unique_ptr<CTestBar>> m_bars;
    CDockBar m_dockBar;
};

TEST_F(DockBarListTest, RemoveControlBarKeepsRowsAndPlaceholders)
{
    struct Case
    {
        const char* before;
        char bar;
        int nPosExclude;
        int nAddPlaceHolder;
        const char* after;
    };
    const Case cases[] = {
        {"|AB|C|", 'B', -1, 0, "|A|C|"},
        {"|A|C|", 'C', -1, 0, "|A|"},
        {"|C|A|", 'C', -1, 0, "|A|"},
        {"|AB|", 'B', -1, 1, "|A2|"},
        {"|2|AB|", 'B', -1, 1, "|2|A|"},
        {"|2|B|", 'B', -1, 1, "|2|"},
        {"|2|AB|", 'B', -1, 0, "|A|"},
        {"|2|AB|", 'B', -1, -1, "|2|A|"},
        {"|AB|B|", 'B', 2, 0, "|AB|"},
        {"|A|", 'B', -1, 0, "|A|"},
        // A bar without an id cannot keep a place: its id would read as a row break.
        {"|AD|", 'D', -1, 1, "|A|"},
    };
    for (const Case& c : cases)
    {
        Fill(c.before);
        EXPECT_FALSE(m_dockBar.RemoveControlBar(Bar(c.bar), c.nPosExclude, c.nAddPlaceHolder));
        EXPECT_EQ(Text(), c.after) << c.before << " less " << c.bar << " (" << c.nAddPlaceHolder << ")";
    }
}

TEST_F(DockBarListTest, FindBarAndCounts)
{
    Fill("|A2|B|C|");
    struct Case
    {
        char entry;
        int nPosExclude;
        int nPos;
    };
    const Case cases[] = {{'A', -1, 1}, {'2', -1, 2}, {'B', -1, 4}, {'B', 4, -1}, {'3', -1, -1}, {'|', -1, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(m_dockBar.FindBar(Bar(c.entry), c.nPosExclude), c.nPos) << c.entry;

    EXPECT_EQ(m_dockBar.GetDockedControlBar(1), Bar('A'));
    EXPECT_EQ(m_dockBar.GetDockedControlBar(2), nullptr);
    EXPECT_EQ(m_dockBar.GetDockedCount(), 3);
    m_bars[1]->ShowWindow(SW_HIDE);
    EXPECT_EQ(m_dockBar.GetDockedVisibleCount(), 2);
    m_bars[1]->DelayShow(TRUE);
    EXPECT_EQ(m_dockBar.GetDockedVisibleCount(), 3);

    // Only the low 16 bits make a placeholder: an address above 4 GB whose bits 16 to 31 are
    // zero is a bar.
    Fill("|");
    m_dockBar.m_arrBars.Add(reinterpret_cast<void*>(static_cast<UINT_PTR>(0x100000040ull)));
    EXPECT_NE(m_dockBar.GetDockedControlBar(1), nullptr);
    m_dockBar.m_arrBars.RemoveAll();
}

} // namespace
