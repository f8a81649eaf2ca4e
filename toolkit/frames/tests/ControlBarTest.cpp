// The control bar's remembered sizes and styles, and ids and placeholders on real hidden
// windows.
#include <toolkit/foundation/AuxData.h>
#include <toolkit/frames/ControlBar.h>
#include <toolkit/frames/DockBar.h>

#include <memory>
#include <vector>

#include <gtest/gtest.h>
#include <testing/MemoryCanvas.h>
#include <testing/PrintString.h>

#include "HiddenFrameTest.h"

using tarnwick::frames::SECControlBar;
using tarnwick::frames::SECDockBar;

namespace
{
TEST(ControlBarTest, CalcDynamicLayoutStoresTheSizeOfItsMode)
{
    const struct
    {
        DWORD nMode;
        int nLength;
        CSize horz, vert, floating, result;
    } cases[] = {
        {LM_HORZDOCK | LM_HORZ, -1, {10, 20}, {30, 40}, {50, 60}, {10, 20}},
        {LM_VERTDOCK, -1, {10, 20}, {30, 40}, {50, 60}, {30, 40}},
        {0, -1, {10, 20}, {30, 40}, {50, 60}, {50, 60}},
        {LM_COMMIT | LM_HORZDOCK | LM_HORZ, 99, {99, 20}, {30, 40}, {50, 60}, {99, 20}},
        {LM_COMMIT | LM_HORZDOCK | LM_LENGTHY | LM_HORZ, 77, {10, 77}, {30, 40}, {50, 60}, {10, 77}},
        {LM_COMMIT | LM_VERTDOCK | LM_STRETCH, 401, {10, 20}, {100, 40}, {50, 60}, {100, 40}}, // 0.25 of 401
        {LM_COMMIT | LM_VERTDOCK | LM_LENGTHY, 88, {10, 20}, {30, 88}, {50, 60}, {30, 88}},
        {LM_COMMIT | LM_LENGTHY, 66, {10, 20}, {30, 40}, {50, 66}, {50, 66}},
        {LM_COMMIT, 55, {10, 20}, {30, 40}, {55, 60}, {55, 60}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nMode);
        SECControlBar bar;
        bar.m_fPctWidth = 0.25f;
        bar.m_szMRUHorzDock = CSize(10, 20);
        bar.m_szMRUVertDock = CSize(30, 40);
        bar.m_szMRUFloat = CSize(50, 60);
        EXPECT_EQ(bar.CalcDynamicLayout(c.nLength, c.nMode), c.result);
        EXPECT_EQ(bar.m_szMRUHorzDock, c.horz);
        EXPECT_EQ(bar.m_szMRUVertDock, c.vert);
        EXPECT_EQ(bar.m_szMRUFloat, c.floating);
        EXPECT_EQ(bar.m_nMRUWidth, c.floating.cx == 55 ? 55 : bar.m_nMRUWidth);
    }
}

TEST(ControlBarTest, ThemedGripperBitIsNeverCleared)
{
    SECControlBar bar;
    bar.SetExBarStyle(0x20000 | 0x200, FALSE);
    bar.SetExBarStyle(0x400, FALSE);
    EXPECT_EQ(bar.m_dwExStyle, 0x20400u);
    bar.ModifyBarStyleEx(0x20400, 0x800, FALSE);
    EXPECT_EQ(bar.m_dwExStyle, 0x20800u);
}

TEST(ControlBarTest, InsideRectLeavesGripperAndMargins)
{
    SECControlBar bar;
    bar.m_dwStyle = CBRS_ALIGN_TOP | CBRS_BORDER_TOP | CBRS_BORDER_LEFT;
    bar.m_cxLeftBorder = bar.m_cxRightBorder = bar.m_cyTopBorder = bar.m_cyBottomBorder = 2;
    bar.m_dwExStyle = 0x100 | 0x200;
    CRect rect(0, 0, 200, 100);
    bar.CalcInsideRect(rect, TRUE, TRUE);
    EXPECT_EQ(rect, CRect(1 + 17, 1 + 2, 198, 98));
    rect = CRect(0, 0, 100, 200);
    bar.CalcInsideRect(rect, FALSE, TRUE);
    EXPECT_EQ(rect, CRect(1 + 2, 1 + 17, 98, 198));
    rect = CRect(0, 0, 100, 200);
    bar.CalcInsideRect(rect, FALSE, FALSE); // the gripper counts only when asked for
    EXPECT_EQ(rect, CRect(3, 3, 98, 198));
}

TEST(ControlBarTest, ClassicBordersAreDarkerInRowsOfFixedSizeBars)
{
    const SEC_AUX_DATA* pAux = SECGetAuxData();
    const struct
    {
        DWORD dwExStyle;
        COLORREF outer, inner;
    } cases[] = {
        {0, pAux->clrBtnFace, pAux->clrBtnFace},
        {0x8, pAux->bWin4 ? pAux->clrBtnShadow : pAux->clrWindowFrame, pAux->clrBtnHilite},
    };
    for (const auto& c : cases)
    {
        SECControlBar bar;
        bar.m_dwStyle = CBRS_ALIGN_TOP | CBRS_BORDER_TOP | CBRS_BORDER_BOTTOM | CBRS_BORDER_3D;
        bar.m_dwExStyle = c.dwExStyle;
        MemoryCanvas canvas(100, 40, RGB(1, 2, 3));
        CRect rect(0, 0, 100, 40);
        bar.DrawBorders(&canvas.Dc(), rect);
        EXPECT_EQ(canvas.Pixel(50, 0), c.outer) << c.dwExStyle;
        EXPECT_EQ(canvas.Pixel(50, 1), c.inner) << c.dwExStyle;
        EXPECT_EQ(canvas.Pixel(50, 39), c.outer) << c.dwExStyle;
        EXPECT_EQ(canvas.Pixel(50, 20), RGB(1, 2, 3));
        EXPECT_EQ(rect, CRect(0, pAux->cyBorder2, 100, 40 - pAux->cyBorder2));
    }
}

class FrameBarsTest : public HiddenFrameTest
{
protected:
    void TearDown() override
    {
        m_bars.clear();
        HiddenFrameTest::TearDown();
    }
    SECControlBar* AddBar(UINT nID)
    {
        m_bars.push_back(std::make_unique<SECControlBar>());
        EXPECT_TRUE(m_bars.back()->Create(m_pFrame, nullptr, WS_CHILD | CBRS_TOP, 0, nID));
        return m_bars.back().get();
    }
    std::vector<std::unique_ptr<SECControlBar>> m_bars;
};

TEST_F(FrameBarsTest, FindFreeBarIDGivesUpAfter1000Ids)
{
    EXPECT_EQ(SECControlBar::FindFreeBarID(m_pFrame, 0xE900), 0xE900u);
    for (UINT nID = 0xE900; nID < 0xE900 + 1000; ++nID)
        AddBar(nID);
    EXPECT_EQ(SECControlBar::FindFreeBarID(m_pFrame, 0xE900), 0u);
    EXPECT_EQ(SECControlBar::FindFreeBarID(m_pFrame, 0xE901), 0xE900u + 1000);
    EXPECT_EQ(SECControlBar::FindFreeBarID(m_pFrame, 0xE8FF), 0xE8FFu);
}

CRect ChildRect(HWND hChild)
{
    CRect rect;
    ::GetWindowRect(hChild, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(hChild), reinterpret_cast<LPPOINT>(&rect), 2);
    return rect;
}

HWND AddChild(CWnd* pParent, const CRect& rect)
{
    return ::CreateWindowW(L"STATIC", L"", WS_CHILD | WS_VISIBLE, rect.left, rect.top, rect.Width(), rect.Height(),
                           pParent->m_hWnd, nullptr, nullptr, nullptr);
}

TEST_F(FrameBarsTest, StretchedChildFillsTheAreaInsideGripperAndMargins)
{
    SECControlBar* pBar = AddBar(0xE901);
    HWND hChild = AddChild(pBar, CRect(1, 1, 5, 5));
    const struct
    {
        DWORD dwExStyle;
        DWORD dwAlign;
        BOOL bFloating;
        CSize size;
        CRect want;
    } cases[] = {
        {0x200 | 0x40, CBRS_ALIGN_TOP, FALSE, {200, 100}, {17, 3, 197, 97}},
        {0x200 | 0x40, CBRS_ALIGN_LEFT, FALSE, {100, 200}, {3, 17, 97, 197}},
        {0x200 | 0x40, CBRS_ALIGN_LEFT, FALSE, {0, 200}, {3, 17, 97, 197}},  // no width: nothing moves
        {0x200 | 0x40, CBRS_ALIGN_LEFT, TRUE, {120, 150}, {0, 0, 120, 150}}, // floating: no gripper
        {0x200 | 0x40, CBRS_ALIGN_LEFT, TRUE, {120, 0}, {0, 0, 120, 150}},
        {0x10 | 0x40, CBRS_ALIGN_TOP, FALSE, {200, 100}, {10, 10, 190, 90}},
        {0x10 | 0x40, CBRS_ALIGN_TOP, FALSE, {15, 100}, {10, 10, 10, 90}}, // margins wider than the bar
        {0x40, CBRS_ALIGN_TOP, FALSE, {200, 100}, {0, 0, 200, 100}},
    };
    for (const auto& c : cases)
    {
        pBar->m_dwExStyle = c.dwExStyle;
        pBar->m_dwStyle = c.dwAlign | (c.bFloating ? CBRS_FLOATING : 0);
        pBar->SetWindowPos(nullptr, 0, 0, c.size.cx, c.size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_EQ(ChildRect(hChild), c.want) << c.dwExStyle << " " << c.size.cx << "x" << c.size.cy;
    }
}

TEST_F(FrameBarsTest, InsideRectLeavesGripperOrMargins)
{
    SECControlBar* pBar = AddBar(0xE901);
    pBar->SetWindowPos(nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const struct
    {
        DWORD dwExStyle;
        DWORD dwStyle;
        BOOL bAutoHide;
        CRect want;
    } cases[] = {
        {0x200, CBRS_ALIGN_TOP, FALSE, {17, 3, 197, 97}},
        {0x200 | 0x10, CBRS_ALIGN_LEFT, FALSE, {3, 17, 197, 97}},
        {0x200 | 0x10, CBRS_ALIGN_TOP | CBRS_FLOATING, FALSE, {10, 10, 190, 90}}, // no gripper while floating
        {0x200, CBRS_ALIGN_TOP | CBRS_FLOATING, FALSE, {0, 0, 200, 100}},
        {0x10, CBRS_ALIGN_TOP, FALSE, {10, 10, 190, 90}},
        {0x10, CBRS_ALIGN_TOP, TRUE, {3, 17, 197, 97}}, // an unpinned auto-hide bar keeps a gripper
        {0, CBRS_ALIGN_TOP, FALSE, {0, 0, 200, 100}},
    };
    for (const auto& c : cases)
    {
        pBar->m_dwExStyle = c.dwExStyle;
        pBar->m_dwStyle = c.dwStyle;
        pBar->SetAutoHide(c.bAutoHide);
        CRect rect;
        pBar->GetInsideRect(rect);
        EXPECT_EQ(rect, c.want) << c.dwExStyle << " " << c.dwStyle;
    }
}

TEST(ControlBarTest, GripperIsSeventeenPixelsAndItsTipsComeFromTheStringTable)
{
    const tarnwick::frames::SECGripperInfo info;
    EXPECT_EQ(info.GetWidth(), 17);
    EXPECT_EQ(info.GetHeight(), 17);
    EXPECT_EQ(info.GetMargin(), 3);
    EXPECT_EQ(info.GetCloseTip(), CString(_T("Hide docked window")));
    EXPECT_EQ(info.GetExpandTip(), CString(_T("Expand docked window")));
    EXPECT_EQ(info.GetContractTip(), CString(_T("Contract docked window")));
}

TEST_F(FrameBarsTest, DockedBarsKnowTheirSideToggleAndAttach)
{
    auto* pDockBar = new SECDockBar(FALSE, TRUE);
    ASSERT_TRUE(pDockBar->Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT));
    SECControlBar* pBar = AddBar(0xE901);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    EXPECT_FALSE(pBar->IsDockedLeft());
    pDockBar->DockControlBarEx(pBar);
    EXPECT_TRUE(pBar->IsDockedLeft());
    EXPECT_FALSE(pBar->IsDockedRight() || pBar->IsDockedTop() || pBar->IsDockedBottom());
    EXPECT_TRUE(pBar->IsMDIChildDocked());

    // Shown and hidden at the next layout.
    pBar->ShowWindow(SW_SHOWNA);
    EXPECT_TRUE(pBar->ToggleVisible());
    EXPECT_TRUE(pBar->GetStyle() & WS_VISIBLE);
    m_pFrame->RecalcLayout();
    EXPECT_FALSE(pBar->GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(pBar->ToggleVisible());
    m_pFrame->RecalcLayout();
    EXPECT_TRUE(pBar->GetStyle() & WS_VISIBLE);

    // Attaching needs auto-hide, then shows the bar docked and pinned.
    pBar->ShowWindow(SW_HIDE);
    EXPECT_FALSE(pBar->AttachToAutoHideBar());
    pBar->SetAutoHide(TRUE);
    EXPECT_TRUE(pBar->AttachToAutoHideBar());
    EXPECT_TRUE(pBar->IsPinned());
    EXPECT_TRUE(pBar->GetStyle() & WS_VISIBLE);
    EXPECT_EQ(pBar->GetAutoHideSide(), 0u);
    EXPECT_TRUE(pBar->AttachToAutoHideBar());
}

TEST_F(FrameBarsTest, DestroyedBarLeavesTheRedrawListAndAsksForALayout)
{
    auto* pDockBar = new SECDockBar;
    ASSERT_TRUE(pDockBar->Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP));
    SECControlBar* pBar = AddBar(0xE901);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    pDockBar->DockControlBarEx(pBar);
    ASSERT_TRUE(pDockBar->IsInRedrawList(pBar));
    m_pFrame->m_nIdleFlags = 0;
    pBar->DestroyWindow();
    EXPECT_FALSE(pDockBar->IsInRedrawList(pBar));
    EXPECT_EQ(pDockBar->FindBar(pBar), -1);
    EXPECT_EQ(m_pFrame->m_nIdleFlags & 12, 12u);
}

TEST_F(FrameBarsTest, ProportionalChildrenScaleFromTheirFirstSizedPlaces)
{
    SECControlBar* pBar = AddBar(0xE901);
    HWND hChild = AddChild(pBar, CRect(10, 10, 50, 30));
    // Switched on while the bar has no size: the record has nothing to scale from yet.
    pBar->SetExBarStyle(0x2, FALSE);
    pBar->SetWindowPos(nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(ChildRect(hChild), CRect(10, 10, 50, 30));
    pBar->SetWindowPos(nullptr, 0, 0, 400, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(ChildRect(hChild), CRect(20, 20, 100, 60));
    pBar->SetWindowPos(nullptr, 0, 0, 100, 50, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(ChildRect(hChild), CRect(5, 5, 25, 15));
    pBar->ShowWindow(SW_MINIMIZE);
    EXPECT_EQ(ChildRect(hChild), CRect(5, 5, 25, 15));
}

TEST_F(FrameBarsTest, RemoveControlBarKeepsOnePlaceholderPerId)
{
    SECDockBar dockBar;
    SECControlBar* pA = AddBar(0xE901);
    SECControlBar* pB = AddBar(0xE902);
    pA->ShowWindow(SW_SHOWNA);
    pB->ShowWindow(SW_SHOWNA);
    dockBar.m_dwStyle = CBRS_ALIGN_BOTTOM;
    dockBar.m_arrBars.RemoveAll();
    for (void* pEntry : {static_cast<void*>(nullptr), static_cast<void*>(pA), static_cast<void*>(nullptr),
                         static_cast<void*>(pB), static_cast<void*>(nullptr)})
        dockBar.m_arrBars.Add(pEntry);
    dockBar.AddToRedrawList(pA);

    EXPECT_FALSE(dockBar.RemoveControlBar(pA, -1, 1));
    ASSERT_EQ(dockBar.m_arrBars.GetSize(), 5);
    EXPECT_EQ(dockBar.m_arrBars[1], reinterpret_cast<void*>(0xE901));
    EXPECT_FALSE(dockBar.IsInRedrawList(pA));
    // Alone in its row, B's removal redraws the bars up to it (a bottom dock bar).
    dockBar.RemoveControlBar(pB, -1, 0);
    EXPECT_EQ(dockBar.m_arrBars.GetSize(), 3); // the empty row collapses
    EXPECT_FALSE(dockBar.IsInRedrawList(pB));

    // A placeholder already standing for the id is not doubled.
    dockBar.m_arrBars.InsertAt(2, pA);
    dockBar.RemoveControlBar(pA, -1, 1);
    EXPECT_EQ(dockBar.m_arrBars.GetSize(), 3);
    EXPECT_EQ(dockBar.m_arrBars[1], reinterpret_cast<void*>(0xE901));
}

// The toolkit's and the framework's texts, icon and cursors for floating, customising and help.
TEST(FrameResourcesTest, StringsIconAndCursorsAreLinked)
{
    const struct
    {
        UINT nID;
        LPCTSTR lpszText;
    } strings[] = {{20535, _T("Press the Ctrl key to prevent docking.")},
                   {20624, _T("noclose")},
                   {20625, _T("Select Directory")},
                   {20674, _T("ToolBar%d")},
                   {AFX_IDS_HELPMODEMESSAGE, _T("Select an object on which to get Help")}};
    for (const auto& entry : strings)
    {
        CString strText;
        EXPECT_TRUE(strText.LoadString(entry.nID)) << entry.nID;
        EXPECT_EQ(strText, CString(entry.lpszText)) << entry.nID;
    }
    const HINSTANCE hInstance = AfxGetResourceHandle();
    EXPECT_NE(::LoadImage(hInstance, MAKEINTRESOURCE(20514), IMAGE_ICON, 16, 16, LR_SHARED), nullptr);
    for (UINT nCursor : {20691u, static_cast<UINT>(AFX_IDC_CONTEXTHELP)})
        EXPECT_NE(::LoadCursor(hInstance, MAKEINTRESOURCE(nCursor)), nullptr) << nCursor;
}
} // namespace
