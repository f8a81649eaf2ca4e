#include <grid/core/AppData.h>
#include <grid/core/FontState.h>
#include <grid/core/GridParam.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/SysData.h>
#include <grid/services/tabs/TabBeam.h>
#include <grid/services/tabs/TabWnd.h>

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include <testing/FakeThemeLibrary.h>
#include <testing/MemoryCanvas.h>

#include "GridTestSupport.h"

namespace
{
// A sheet that records the tab window's messages and answers its questions as told.
class RecordingSheet : public CWnd
{
public:
    void CreateIn(CWnd* pParent, UINT nID)
    {
        ASSERT_TRUE(Create(_T("GXWND"), nullptr, WS_CHILD, CRect(0, 0, 10, 10), pParent, nID));
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= WM_GX_TABINDEX && message <= WM_GX_SIZELOCK)
        {
            m_messages.emplace_back(message, wParam);
            if (message == WM_GX_TABCANACTIVATE)
                return m_nRefuseActivation;
            if (message == WM_GX_TABCANRENAME)
                return m_bAllowRename;
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<WPARAM> Received(UINT message) const
    {
        std::vector<WPARAM> result;
        for (const auto& [nMessage, wParam] : m_messages)
            if (nMessage == message)
                result.push_back(wParam);
        return result;
    }

    std::vector<std::pair<UINT, WPARAM>> m_messages;
    LRESULT m_nRefuseActivation = 0;
    BOOL m_bAllowRename = TRUE;
};

// A sheet owned by its tab: the object goes with its window.
class OwnedSheet : public RecordingSheet
{
protected:
    void PostNcDestroy() override
    {
        delete this;
    }
};

class TabWndTest : public GridWindowTest
{
protected:
    void SetUp() override
    {
        GridWindowTest::SetUp();
        m_pTabWnd = new CGXTabWnd;
        ASSERT_TRUE(m_pTabWnd->Create(&Parent(), WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, 7));
        m_pTabWnd->MoveWindow(0, 0, 400, 300);
        for (int i = 0; i < 3; ++i)
        {
            m_sheets[i].CreateIn(m_pTabWnd, CGXTabWnd::idFirstSheet + i);
            CString name;
            name.Format(_T("Sheet%d"), i + 1);
            m_pTabWnd->AttachWnd(&m_sheets[i], name);
        }
    }
    void TearDown() override
    {
        if (::IsWindow(TabHwnd()))
            m_pTabWnd->DestroyWindow();
    }
    HWND TabHwnd() const
    {
        return m_pTabWnd->GetSafeHwnd();
    }
    CGXTabBeam& Beam()
    {
        return m_pTabWnd->GetBeam();
    }
    // Inside the tab near its bottom left corner, below its name, in strip coordinates.
    int TabFillX(int nTab)
    {
        return Beam().GetButtonAreaWidth() + 1 + Beam().GetTabOffset(nTab) + 7 + 2;
    }
    // The middle of the tab in strip coordinates.
    int TabX(int nTab)
    {
        return Beam().GetButtonAreaWidth() + 1 + Beam().GetTabOffset(nTab) + Beam().GetTab(nTab).nWidth / 2 + 7;
    }
    void Click(int nTab, UINT nFlags = 0)
    {
        Beam().SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(TabX(nTab), 5));
        Beam().SendMessage(WM_LBUTTONUP, nFlags, MAKELPARAM(TabX(nTab), 5));
        PumpPendingMessages();
    }
    // Presses, moves and releases the mouse on the tab window.
    void Drag(CPoint from, int xTo)
    {
        m_pTabWnd->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        m_pTabWnd->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(xTo, from.y));
        m_pTabWnd->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(xTo, from.y));
    }

    CGXTabWnd* m_pTabWnd = nullptr;
    RecordingSheet m_sheets[3];
};

TEST_F(TabWndTest, TheFirstSheetIsActiveAndEverySheetLearnsItsIndex)
{
    EXPECT_EQ(m_pTabWnd->GetActivePane(), &m_sheets[0]);
    EXPECT_EQ(CWnd::GetFocus(), &m_sheets[0]);
    EXPECT_TRUE(m_sheets[0].GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(m_sheets[1].GetStyle() & WS_VISIBLE);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(m_sheets[i].Received(WM_GX_TABINDEX), std::vector<WPARAM>{static_cast<WPARAM>(i)});
    EXPECT_EQ(Beam().GetCount(), 3);
    EXPECT_EQ(Beam().GetCurrentTab(), 0);
    EXPECT_EQ(m_pTabWnd->GetTabName(&m_sheets[1]), _T("Sheet2"));
    EXPECT_EQ(m_pTabWnd->GetDlgItem(CGXTabWnd::idHorzBar)->GetSafeHwnd(),
              m_pTabWnd->GetScrollBarCtrl(SB_HORZ)->GetSafeHwnd());
    EXPECT_NE(m_pTabWnd->GetDlgItem(CGXTabWnd::idVertBar), nullptr);
    EXPECT_EQ(m_pTabWnd->GetDlgItem(CGXTabWnd::idBeam), &Beam());
}

TEST_F(TabWndTest, TheStripKeepsItsShareWhenTheWindowWidens)
{
    const CRect box = m_pTabWnd->GetSplitterBoxRect();
    Drag(box.CenterPoint(), 200);
    ASSERT_EQ(m_pTabWnd->GetStripWidth(), 200);
    m_pTabWnd->MoveWindow(0, 0, 800, 300);
    // 400 - (button area - 20): 386 for a button area of 34.
    EXPECT_EQ(m_pTabWnd->GetStripWidth(), 400 - (Beam().GetButtonAreaWidth() - 20));
    CRect rectBeam;
    Beam().GetClientRect(&rectBeam);
    EXPECT_EQ(rectBeam.Width(), m_pTabWnd->GetStripWidth());
}

TEST_F(TabWndTest, SplitterDragsOutsideTheLimitsAreIgnored)
{
    const int nStripHeight = m_pTabWnd->GetSplitterBoxRect().Height();
    const int nLow = Beam().GetButtonAreaWidth() + 20;
    const int nHigh = 400 - 2 * nStripHeight;
    for (const auto& [x, nExpected] :
         {std::pair{nLow - 1, 200}, std::pair{nLow, nLow}, std::pair{nHigh + 1, nLow}, std::pair{nHigh, nHigh}})
    {
        if (x == nLow - 1)
            Drag(m_pTabWnd->GetSplitterBoxRect().CenterPoint(), 200);
        Drag(m_pTabWnd->GetSplitterBoxRect().CenterPoint(), x);
        EXPECT_EQ(m_pTabWnd->GetStripWidth(), nExpected) << x;
    }

    // The sizing cursor over the box.
    CPoint point = m_pTabWnd->GetSplitterBoxRect().CenterPoint();
    m_pTabWnd->ClientToScreen(&point);
    ::SetCursorPos(point.x, point.y);
    m_pTabWnd->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(TabHwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    HCURSOR hSizing = ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(GX_IDC_TABSPLITTER));
    EXPECT_EQ(::GetCursor(), hSizing != nullptr ? hSizing : ::LoadCursorW(nullptr, IDC_SIZEWE));
}

TEST_F(TabWndTest, ASplitterDragEndsWhenTheCaptureIsLost)
{
    // Another window taking the capture (a message box mid-drag) and WM_CANCELMODE (a switch to
    // another program) each end the drag: the later moves leave the strip alone.
    for (const bool bCancelMode : {false, true})
    {
        Drag(m_pTabWnd->GetSplitterBoxRect().CenterPoint(), 200);
        const CPoint from = m_pTabWnd->GetSplitterBoxRect().CenterPoint();
        m_pTabWnd->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        ASSERT_EQ(::GetCapture(), TabHwnd());
        if (bCancelMode)
            m_pTabWnd->SendMessage(WM_CANCELMODE);
        else
            m_sheets[0].SetCapture();
        m_pTabWnd->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(250, from.y));
        EXPECT_EQ(m_pTabWnd->GetStripWidth(), 200) << bCancelMode;
        ::ReleaseCapture();
    }
}

TEST_F(TabWndTest, AClickAsksTheSheetsBeforeShowingTheNewOne)
{
    m_sheets[0].m_nRefuseActivation = 1;
    Click(1);
    EXPECT_EQ(m_pTabWnd->GetActivePane(), &m_sheets[0]);
    EXPECT_EQ(Beam().GetCurrentTab(), 0);
    EXPECT_EQ(CWnd::GetFocus(), &m_sheets[0]);
    EXPECT_EQ(m_sheets[0].Received(WM_GX_TABCANACTIVATE), std::vector<WPARAM>{0});

    m_sheets[0].m_nRefuseActivation = 0;
    m_sheets[2].m_nRefuseActivation = 1;
    Click(2);
    EXPECT_EQ(m_pTabWnd->GetActivePane(), &m_sheets[0]);
    EXPECT_EQ(m_sheets[2].Received(WM_GX_TABCANACTIVATE), std::vector<WPARAM>{1});

    Click(1);
    EXPECT_EQ(m_pTabWnd->GetActivePane(), &m_sheets[1]);
    EXPECT_EQ(Beam().GetCurrentTab(), 1);
    EXPECT_EQ(CWnd::GetFocus(), &m_sheets[1]);
    EXPECT_TRUE(m_sheets[1].GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(m_sheets[0].GetStyle() & WS_VISIBLE);
}

TEST_F(TabWndTest, ShiftMarksARunAndControlTogglesAMark)
{
    Click(2, MK_SHIFT);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(Beam().GetTab(i).bSel) << i;
    Click(1, MK_CONTROL);
    EXPECT_FALSE(Beam().GetTab(1).bSel);
    Click(1, MK_CONTROL);
    EXPECT_TRUE(Beam().GetTab(1).bSel);
    Click(1, MK_CONTROL);
    EXPECT_FALSE(Beam().GetTab(1).bSel);
    EXPECT_EQ(Beam().GetCurrentTab(), 0);
}

TEST_F(TabWndTest, DeletingTabs)
{
    auto* pOwned = new OwnedSheet;
    pOwned->CreateIn(m_pTabWnd, CGXTabWnd::idFirstSheet + 9);
    const HWND hOwned = pOwned->GetSafeHwnd();
    Beam().InsertTab(FALSE, _T("Owned"), pOwned, TRUE, -1, nullptr);
    for (int i = 0; i < 6; ++i)
        Beam().InsertTab(FALSE, _T("A long tab name"), nullptr, FALSE, -1, nullptr);
    Beam().ScrollTabs(CGXTabBeam::scrollLast);
    const int nFirst = Beam().GetFirstVisibleTab();
    ASSERT_GT(nFirst, 1);
    Beam().DeleteTab(1);
    EXPECT_EQ(Beam().GetFirstVisibleTab(), nFirst - 1);
    EXPECT_EQ(Beam().GetCurrentTab(), 0);
    Beam().DeleteTab(0);
    EXPECT_EQ(Beam().GetCurrentTab(), -1);
    EXPECT_EQ(Beam().FindTab(&m_sheets[2]), 0);
    Beam().DeleteTab(Beam().FindTab(pOwned));
    EXPECT_FALSE(::IsWindow(hOwned));
}

TEST_F(TabWndTest, ScrollingStopsAtTheLastTabAndButtonsAnswerOnlyWhenTheyCanScroll)
{
    for (int i = 0; i < 8; ++i)
        Beam().InsertTab(FALSE, _T("Another sheet"), nullptr, FALSE, -1, nullptr);
    const int nButton = Beam().GetButtonAreaWidth() / 2;
    // Two buttons: previous on the left, next on the right.
    EXPECT_EQ(Beam().ButtonFromPoint(nButton / 2, 5, -1, FALSE), -1);
    EXPECT_EQ(Beam().ButtonFromPoint(nButton + nButton / 2, 5, -1, FALSE), CGXTabBeam::scrollNext);
    EXPECT_EQ(Beam().ButtonFromPoint(nButton + nButton / 2, 5, CGXTabBeam::scrollPrevious, FALSE), -1);

    Beam().ScrollTabs(CGXTabBeam::scrollLast);
    CRect rect;
    Beam().GetClientRect(&rect);
    const int nLast = Beam().GetCount() - 1;
    const int nLastRight =
        Beam().GetButtonAreaWidth() + 1 + Beam().GetTabOffset(nLast) + Beam().GetTab(nLast).nWidth + 2 * 7;
    EXPECT_GE(nLastRight, rect.right);
    EXPECT_EQ(Beam().ButtonFromPoint(nButton + nButton / 2, 5, -1, FALSE), -1);
    const int nFirst = Beam().GetFirstVisibleTab();
    Beam().ScrollTabs(CGXTabBeam::scrollNext);
    EXPECT_EQ(Beam().GetFirstVisibleTab(), nFirst);
    EXPECT_EQ(Beam().ButtonFromPoint(nButton / 2, 5, -1, TRUE), CGXTabBeam::scrollPrevious);
    EXPECT_EQ(Beam().GetFirstVisibleTab(), nFirst - 1);
}

class FontBeam : public CGXTabBeam
{
public:
    using CGXTabBeam::StripLogFont;
};

TEST_F(TabWndTest, TheStripsFontIsArialInTheCharacterSetOfTheFontTable)
{
    LOGFONT lf{};
    ASSERT_NE(Beam().GetNormalFont().GetLogFont(&lf), 0);
    EXPECT_STREQ(lf.lfFaceName, _T("Arial"));
    EXPECT_EQ(lf.lfHeight, ::GetSystemMetrics(SM_CYHSCROLL) - 2);
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    GX_FONT_STATE* pFonts = GXGetFontState();
    const GXFaceEntry* pArial = pFonts->GetFaceEntry(pFonts->LookupFaceName(_T("Arial")));
    ASSERT_NE(pArial, nullptr);
    EXPECT_EQ(lf.lfCharSet, pArial->nCharSet);

    // Where characters may take two bytes, the stock user-interface font is the start.
    LOGFONT gui{};
    ASSERT_NE(::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(gui), &gui), 0);
    const LOGFONT dbcs = FontBeam::StripLogFont(13, TRUE);
    EXPECT_STREQ(dbcs.lfFaceName, gui.lfFaceName);
    EXPECT_EQ(dbcs.lfCharSet, gui.lfCharSet);
    EXPECT_EQ(dbcs.lfHeight, 13);
    EXPECT_EQ(dbcs.lfWeight, FW_NORMAL);
}

// A strip whose clock and waits are the test's.
class ClockedBeam : public CGXTabBeam
{
public:
    std::vector<DWORD> m_scrolls;
    int m_nWaits = 0;
    DWORD m_dwNow = 1000;
    // What the test does after the last scroll it waits for.
    size_t m_nLastScroll = 8;
    UINT m_nEndMessage = WM_LBUTTONUP;
    WPARAM m_wEndParam = 0;

    void ScrollTabs(int nAction) override
    {
        m_scrolls.push_back(m_dwNow - 1000);
        CGXTabBeam::ScrollTabs(nAction);
        if (m_scrolls.size() == m_nLastScroll)
            PostMessage(m_nEndMessage, m_wEndParam);
        else if (m_scrolls.size() == m_nLastScroll + 5)
            PostMessage(WM_LBUTTONUP); // a loop that ignored the message ends all the same
    }

protected:
    DWORD GetTicks() override
    {
        return m_dwNow;
    }
    void WaitForInput(DWORD dwMilliseconds) override
    {
        ++m_nWaits;
        m_dwNow += dwMilliseconds;
    }
};

TEST_F(TabWndTest, AHeldArrowRepeatsAfterShorterDelaysMeasuredFromTheLastRepeat)
{
    auto* pBeam = new ClockedBeam;
    ASSERT_TRUE(pBeam->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 20), &Parent(), 99));
    for (int i = 0; i < 30; ++i)
        pBeam->InsertTab(FALSE, _T("Sheet"), nullptr, FALSE, -1, nullptr);
    const int x = pBeam->GetButtonAreaWidth() * 3 / 4;
    pBeam->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
    EXPECT_EQ(pBeam->m_scrolls, (std::vector<DWORD>{0, 200, 380, 540, 680, 800, 900, 1000}));
    // One wait for each repeat: the loop sleeps instead of spinning.
    EXPECT_EQ(pBeam->m_nWaits, 7);
    EXPECT_EQ(pBeam->GetFirstVisibleTab(), 8);
    EXPECT_EQ(::GetCapture(), nullptr);
    pBeam->DestroyWindow();
}

TEST_F(TabWndTest, EscapeTheRightButtonOrCancelModeEndAHeldArrow)
{
    for (const auto& [nMessage, wParam] :
         {std::pair<UINT, WPARAM>{WM_KEYDOWN, VK_ESCAPE}, {WM_RBUTTONDOWN, MK_RBUTTON}, {WM_CANCELMODE, 0}})
    {
        auto* pBeam = new ClockedBeam;
        ASSERT_TRUE(pBeam->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 20), &Parent(), 99));
        for (int i = 0; i < 30; ++i)
            pBeam->InsertTab(FALSE, _T("Sheet"), nullptr, FALSE, -1, nullptr);
        pBeam->m_nLastScroll = 3;
        pBeam->m_nEndMessage = nMessage;
        pBeam->m_wEndParam = wParam;
        pBeam->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pBeam->GetButtonAreaWidth() * 3 / 4, 5));
        EXPECT_EQ(pBeam->m_scrolls.size(), 3u) << nMessage;
        EXPECT_EQ(::GetCapture(), nullptr) << nMessage;
        pBeam->DestroyWindow();
        PumpPendingMessages();
    }
}

TEST_F(TabWndTest, RenamingATab)
{
    const int nOldWidth = Beam().GetTab(0).nWidth;
    Beam().SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(TabX(1), 5));
    PumpPendingMessages();
    EXPECT_TRUE(m_sheets[1].Received(WM_GX_TABCANRENAME).empty()); // not the current tab

    m_sheets[0].m_bAllowRename = FALSE;
    Beam().SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(TabX(0), 5));
    PumpPendingMessages();
    EXPECT_EQ(m_sheets[0].Received(WM_GX_TABCANRENAME), std::vector<WPARAM>{0});
    EXPECT_EQ(m_pTabWnd->GetLabelEditor(), nullptr);

    m_sheets[0].m_bAllowRename = TRUE;
    Beam().SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(TabX(0), 5));
    PumpPendingMessages();
    CEdit* pEditor = m_pTabWnd->GetLabelEditor();
    ASSERT_NE(pEditor, nullptr);
    EXPECT_EQ(pEditor->GetDlgCtrlID(), 23001);
    EXPECT_TRUE(pEditor->GetStyle() & WS_CHILD);
    EXPECT_EQ(pEditor->GetParent(), m_pTabWnd);
    EXPECT_EQ(CWnd::GetFocus(), pEditor);
    CString strText;
    pEditor->GetWindowText(strText);
    EXPECT_EQ(strText, _T("Sheet1"));
    {
        CClientDC dc(&Beam());
        CFont* pOld = dc.SelectObject(&Beam().GetNormalFont());
        CRect rect;
        pEditor->GetWindowRect(&rect);
        EXPECT_EQ(rect.Width(), 15 * dc.GetTextExtent(_T("W"), 1).cx);
        dc.SelectObject(pOld);
    }
    EXPECT_EQ(pEditor->GetFont()->GetSafeHandle(), Beam().GetNormalFont().GetSafeHandle());

    pEditor->SetWindowText(_T("A much longer name"));
    pEditor->SendMessage(WM_KEYDOWN, VK_RETURN);
    PumpPendingMessages();
    EXPECT_EQ(m_pTabWnd->GetLabelEditor(), nullptr);
    EXPECT_EQ(Beam().GetTab(0).sLabel, _T("A much longer name"));
    EXPECT_GT(Beam().GetTab(0).nWidth, nOldWidth);
    EXPECT_EQ(m_sheets[0].Received(WM_GX_TABRENAMED), std::vector<WPARAM>{0});

    // Escape, the loss of the focus and a resize keep the name.
    for (int nWay = 0; nWay < 3; ++nWay)
    {
        m_pTabWnd->SendMessage(WM_GX_TABRENAME, 0);
        pEditor = m_pTabWnd->GetLabelEditor();
        ASSERT_NE(pEditor, nullptr);
        pEditor->SetWindowText(_T("Dropped"));
        if (nWay == 0)
            pEditor->SendMessage(WM_KEYDOWN, VK_ESCAPE);
        else if (nWay == 1)
            m_sheets[0].SetFocus();
        else
            m_pTabWnd->MoveWindow(0, 0, 420, 300);
        PumpPendingMessages();
        EXPECT_EQ(m_pTabWnd->GetLabelEditor(), nullptr) << nWay;
        EXPECT_EQ(Beam().GetTab(0).sLabel, _T("A much longer name")) << nWay;
    }
    EXPECT_EQ(m_sheets[0].Received(WM_GX_TABRENAMED).size(), 1u);
}

TEST_F(TabWndTest, TheStripIsDrawnInTheSystemColours)
{
    const FakeThemeLibrary classic(FakeThemeLibrary::NONE);
    Beam().SendMessage(WM_THEMECHANGED);
    m_pTabWnd->MoveWindow(0, 0, 800, 300);
    CRect rect;
    Beam().GetClientRect(&rect);
    MemoryCanvas canvas(rect.Width(), rect.Height(), RGB(1, 2, 3));
    Beam().Paint(&canvas.Dc());
    auto sys = [](int nIndex) { return ::GetSysColor(nIndex) & 0xFFFFFF; };
    const int xRight = rect.right - 3;
    EXPECT_EQ(canvas.Pixel(xRight, 5), sys(COLOR_SCROLLBAR));
    EXPECT_EQ(canvas.Pixel(xRight, 0), RGB(0, 0, 0));
    // The tabs hang from the top line down to the button height less the flat look's pixel.
    const int h = ::GetSystemMetrics(SM_CYHSCROLL) - (GXGetSysData()->m_bWin4 ? 1 : 0);
    EXPECT_EQ(canvas.Pixel(TabFillX(0), h - 2), sys(COLOR_WINDOW));
    EXPECT_EQ(canvas.Pixel(TabFillX(1), h - 2), sys(COLOR_3DFACE));
    // The current tab's top line joins the sheet; the others' are black.
    EXPECT_EQ(canvas.Pixel(TabX(0), 0), sys(COLOR_WINDOW));
    EXPECT_EQ(canvas.Pixel(TabX(2), 0), RGB(0, 0, 0));
    EXPECT_EQ(canvas.Pixel(TabX(1), h), RGB(0, 0, 0));
    EXPECT_EQ(canvas.Pixel(TabX(1), h - 1), sys(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.Pixel(TabX(1), h + 1), sys(COLOR_SCROLLBAR));

    CRect client;
    m_pTabWnd->GetClientRect(&client);
    MemoryCanvas box(client.Width(), client.Height(), RGB(1, 2, 3));
    m_pTabWnd->PaintSplitterBox(&box.Dc());
    const CRect rectBox = m_pTabWnd->GetSplitterBoxRect();
    const COLORREF lines[] = {RGB(0, 0, 0), sys(COLOR_BTNHIGHLIGHT), sys(COLOR_3DFACE), sys(COLOR_BTNSHADOW),
                              RGB(0, 0, 0)};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(box.Pixel(rectBox.left + i, rectBox.bottom - 3), lines[i]) << i;
}

TEST_F(TabWndTest, VisualStylesDrawTheHeaderBackgroundAndTrackTheHoveredTab)
{
    m_pTabWnd->MoveWindow(0, 0, 800, 300);
    FakeThemeLibrary themed;
    themed.State().clrBackground = RGB(10, 20, 30);
    Beam().SendMessage(WM_THEMECHANGED);
    CRect rect;
    Beam().GetClientRect(&rect);
    MemoryCanvas canvas(rect.Width(), rect.Height(), RGB(1, 2, 3));
    Beam().Paint(&canvas.Dc());
    EXPECT_EQ(canvas.Pixel(rect.right - 3, 5), RGB(10, 20, 30));
    EXPECT_EQ(themed.State().classes.back(), L"HEADER");

    Beam().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(TabX(1), 5));
    EXPECT_TRUE(Beam().GetTab(1).bHover);
    EXPECT_FALSE(Beam().GetTab(0).bHover);
    Beam().SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(Beam().GetTab(1).bHover);
    Beam().SendMessage(WM_THEMECHANGED);
}

TEST_F(GridWindowTest, GridSheetsKeepTheirPlaceAndTakeTheirTabsName)
{
    auto* pTabWnd = new CGXTabWnd;
    ASSERT_TRUE(pTabWnd->Create(&Parent()));
    pTabWnd->MoveWindow(0, 0, 400, 300);
    TestGrid grids[2];
    for (int i = 0; i < 2; ++i)
    {
        ASSERT_TRUE(
            grids[i].Create(_T("GXWND"), nullptr, WS_CHILD, CRect(0, 0, 10, 10), pTabWnd, CGXTabWnd::idFirstSheet + i));
        grids[i].Initialize();
        grids[i].SetRowCount(200);
        pTabWnd->AttachWnd(&grids[i], i == 0 ? _T("First") : _T("Second"));
    }
    grids[0].SetTopRow(50);
    pTabWnd->ActivateSheet(&grids[1]);
    EXPECT_EQ(pTabWnd->GetActivePane(), &grids[1]);
    pTabWnd->ActivateSheet(&grids[0]);
    EXPECT_EQ(grids[0].GetTopRow(), 50u);

    // A rename names the grid's parameter object.
    pTabWnd->RenameTab(1, _T("Renamed"), FALSE);
    grids[1].SendMessage(WM_GX_TABRENAMED, 1);
    EXPECT_EQ(grids[1].GetParam()->m_strName, _T("Renamed"));

    CGXAbstractTabWndInterface* pInterface = GXGetAppDataPtr()->m_pTabWndInterface;
    ASSERT_NE(pInterface, nullptr);
    struct Case
    {
        CWnd* pSheet;
        int nDirection;
        LPCTSTR pszIn;
        LPCTSTR pszOut;
        LPCTSTR pszTab;
    };
    CWnd outside;
    for (const Case& c :
         {Case{&grids[0], 0, _T("x"), _T("First"), _T("First")}, Case{&grids[0], 1, _T("New"), _T("New"), _T("New")},
          Case{&outside, 0, _T("kept"), _T("kept"), _T("New")}, Case{&Parent(), 1, _T("kept"), _T("kept"), _T("New")}})
    {
        CString strName = c.pszIn;
        pInterface->ExchangeTabName(c.pSheet, strName, c.nDirection);
        EXPECT_EQ(strName, c.pszOut);
        EXPECT_EQ(pTabWnd->GetTabName(&grids[0]), c.pszTab);
    }
    for (const auto& [pSheet, nTab, pszName] :
         {std::tuple{static_cast<CWnd*>(&grids[0]), 1, _T("Renamed")},
          std::tuple{static_cast<CWnd*>(&grids[1]), 0, _T("New")}, std::tuple{static_cast<CWnd*>(&grids[0]), 2, _T("")},
          std::tuple{static_cast<CWnd*>(&Parent()), 0, _T("")}})
        EXPECT_EQ(pInterface->GetTabNameAt(pSheet, nTab), pszName);
    pTabWnd->DestroyWindow();
}

TEST_F(GridWindowTest, ATemplateControlGetsATabWindowOfItsOwn)
{
    HWND hWnd = ::CreateWindowExW(0, L"CGXTabWnd", nullptr, WS_CHILD, 0, 0, 200, 100, Parent().GetSafeHwnd(), nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(hWnd, nullptr);
    auto* pTabWnd = DYNAMIC_DOWNCAST(CGXTabWnd, CWnd::FromHandlePermanent(hWnd));
    ASSERT_NE(pTabWnd, nullptr);
    RecordingSheet sheet;
    sheet.CreateIn(pTabWnd, CGXTabWnd::idFirstSheet);
    pTabWnd->AttachWnd(&sheet, _T("Only"));
    EXPECT_EQ(pTabWnd->GetActivePane(), &sheet);
    ::DestroyWindow(hWnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}
} // namespace
