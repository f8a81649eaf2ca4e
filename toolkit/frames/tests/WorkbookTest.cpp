// The workbook in a hidden window: its margins, the tabs' width and shapes, clicks on tabs,
// label tips, the active-sheet notice and the workbook-mode command.
#include <toolkit/frames/WorkbookClientWnd.h>
#include <toolkit/frames/WorkbookWnd.h>
#include <toolkit/frames/WorksheetWnd.h>

#include <afxpriv.h>

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include <testing/MessagePump.h>

using tarnwick::frames::SECWorkbookWnd;
using tarnwick::frames::SECWorksheetWnd;
using tarnwick::frames::WM_SECWORKBOOK_ACTIVESHEET;

namespace
{
constexpr UINT ID_SHEET = 0x7001;

class WorkbookTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new SECWorkbookWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, _T("Workbook"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600)));
        ASSERT_NE(m_pFrame->GetClientWnd(), nullptr);
        // The MDI client's window reaches over its place by its border.
        m_nBorder = ::GetSystemMetrics(SM_CXBORDER);
    }
    void TearDown() override
    {
        m_pFrame->DestroyWindow();
        PumpPendingMessages();
    }
    SECWorksheetWnd* AddSheet(LPCTSTR lpszTitle)
    {
        auto* pSheet = new SECWorksheetWnd;
        EXPECT_TRUE(pSheet->LoadFrame(ID_SHEET, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, m_pFrame));
        pSheet->SetWindowText(lpszTitle);
        pSheet->MDIActivate();
        return pSheet;
    }
    // Sets the MDI client's width with the workbook's margins off.
    void SetClientWidth(int cx)
    {
        m_pFrame->SetWorkbookMode(FALSE);
        CRect rectWindow;
        m_pFrame->GetWindowRect(&rectWindow);
        CRect rectClient;
        ::GetWindowRect(m_pFrame->m_hWndMDIClient, &rectClient);
        m_pFrame->SetWindowPos(nullptr, 0, 0, rectWindow.Width() + cx - rectClient.Width(), rectWindow.Height(),
                               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_pFrame->RecalcLayout();
        ::GetWindowRect(m_pFrame->m_hWndMDIClient, &rectClient);
        ASSERT_EQ(rectClient.Width(), cx);
    }
    CRect ClientArea() const
    {
        CRect rect;
        ::GetWindowRect(m_pFrame->m_hWndMDIClient, &rect);
        m_pFrame->ScreenToClient(&rect);
        return rect;
    }
    std::vector<CPoint> Polygon(SECWorksheetWnd* pSheet)
    {
        LPPOINT lpPoints = nullptr;
        int nCount = 0;
        m_pFrame->GetTabPolygon(pSheet, lpPoints, nCount);
        const std::unique_ptr<POINT[]> points(lpPoints);
        return std::vector<CPoint>(points.get(), points.get() + nCount);
    }
    // A point well inside the tab.
    CPoint InsideTab(SECWorksheetWnd* pSheet)
    {
        const std::vector<CPoint> points = Polygon(pSheet);
        return CPoint((points[0].x + points[4].x) / 2, points[0].y + 8);
    }
    SECWorkbookWnd* m_pFrame = nullptr;
    int m_nBorder = 0;
};

TEST_F(WorkbookTest, MarginsFollowTheModeAndTheTabStyle)
{
    struct Case
    {
        BOOL bMode;
        int nStyle;
        CRect margins;
    };
    const Case cases[] = {
        {TRUE, 0, CRect(13, 13, 13, 33)},
        {TRUE, 1, CRect(3, 3, 5, 30)},
        {FALSE, 0, CRect(0, 0, 0, 0)},
        {FALSE, 1, CRect(0, 0, 0, 0)},
    };
    for (const Case& c : cases)
    {
        m_pFrame->SetTabStyle(c.nStyle);
        m_pFrame->SetWorkbookMode(c.bMode);
        EXPECT_EQ(m_pFrame->GetClientWnd()->GetMargins(), c.margins) << c.bMode << c.nStyle;
        // The MDI client sits inside them.
        CRect rectFrame;
        m_pFrame->GetClientRect(&rectFrame);
        const CRect rectClient = ClientArea();
        EXPECT_EQ(rectClient.left - rectFrame.left, c.margins.left - m_nBorder);
        EXPECT_EQ(rectFrame.bottom - rectClient.bottom, c.margins.bottom - m_nBorder);
    }
}

TEST_F(WorkbookTest, TabsShareTheClientWidthUpToTheirMaximum)
{
    SetClientWidth(600);
    for (int i = 0; i < 3; ++i)
        AddSheet(_T("Sheet"));
    EXPECT_EQ(m_pFrame->CalcTabWidth(), 90);
    EXPECT_EQ(m_pFrame->GetTabWidth(), 90);
    for (int i = 3; i < 10; ++i)
        AddSheet(_T("Sheet"));
    EXPECT_EQ(m_pFrame->CalcTabWidth(), 60);
    EXPECT_EQ(m_pFrame->GetTabWidth(), 60);
    // Closing sheets renumbers the rest and widens the tabs again.
    for (int i = 0; i < 7; ++i)
        m_pFrame->GetSheet(0)->DestroyWindow();
    ASSERT_EQ(m_pFrame->GetSheetCount(), 3);
    EXPECT_EQ(m_pFrame->GetTabWidth(), 90);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(m_pFrame->GetSheet(i)->GetTabIndex(), i);
}

TEST_F(WorkbookTest, TabPolygonsHangBelowTheClientWithCutCorners)
{
    m_pFrame->SetWorkbookMode(TRUE);
    SECWorksheetWnd* pFirst = AddSheet(_T("One"));
    SECWorksheetWnd* pHidden = AddSheet(_T("Two"));
    SECWorksheetWnd* pThird = AddSheet(_T("Three"));
    pHidden->ShowWindow(SW_HIDE);
    pFirst->MDIActivate();
    const int w = m_pFrame->GetTabWidth();
    struct Case
    {
        int nStyle;
        SECWorksheetWnd* pSheet;
        // From the MDI client's lower left corner, 4 pixels down.
        std::vector<CPoint> offsets;
    };
    // Tab height 23, bevel 2; the active 3-D tab is 4 wider (2 each side) and 2 taller; the
    // hidden sheet takes no room, so the third tab stands second; flat tabs keep their width.
    const Case cases[] = {
        {0, pFirst, {{-2, 0}, {-2, 21}, {0, 25}, {w, 25}, {w + 2, 21}, {w + 2, 0}, {-2, 0}}},
        {0, pThird, {{w, 0}, {w, 21}, {w + 2, 23}, {2 * w - 2, 23}, {2 * w, 21}, {2 * w, 0}, {w, 0}}},
        {1, pFirst, {{0, 0}, {0, 21}, {2, 25}, {w - 2, 25}, {w, 21}, {w, 0}, {0, 0}}},
        {1, pThird, {{w, 0}, {w, 21}, {w + 2, 23}, {2 * w - 2, 23}, {2 * w, 21}, {2 * w, 0}, {w, 0}}},
    };
    for (const Case& c : cases)
    {
        m_pFrame->SetTabStyle(c.nStyle);
        ASSERT_EQ(m_pFrame->GetTabWidth(), w);
        const CRect r = ClientArea();
        std::vector<CPoint> points;
        for (const CPoint& offset : c.offsets)
            points.push_back(CPoint(r.left + offset.x, r.bottom + 4 + offset.y));
        EXPECT_EQ(Polygon(c.pSheet), points) << "style " << c.nStyle << " tab " << c.pSheet->GetTabIndex();
    }
}

TEST_F(WorkbookTest, AClickActivatesAnotherTabButNotTheActiveOne)
{
    m_pFrame->SetWorkbookMode(TRUE);
    SECWorksheetWnd* pFirst = AddSheet(_T("One"));
    SECWorksheetWnd* pSecond = AddSheet(_T("Two"));
    ASSERT_EQ(m_pFrame->MDIGetActive(), pSecond);

    const CPoint ptFirst = InsideTab(pFirst);
    m_pFrame->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptFirst.x, ptFirst.y));
    EXPECT_EQ(m_pFrame->MDIGetActive(), pFirst);
    EXPECT_TRUE(pFirst->IsPressed());
    m_pFrame->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptFirst.x, ptFirst.y));
    EXPECT_FALSE(pFirst->IsPressed());

    // The active tab is no target: nothing is pressed.
    m_pFrame->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptFirst.x, ptFirst.y));
    EXPECT_FALSE(pFirst->IsPressed());
    EXPECT_EQ(m_pFrame->MDIGetActive(), pFirst);

    // Outside workbook mode the tabs do not answer.
    m_pFrame->SetWorkbookMode(FALSE);
    const CPoint ptSecond = InsideTab(pSecond);
    m_pFrame->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptSecond.x, ptSecond.y));
    EXPECT_EQ(m_pFrame->MDIGetActive(), pFirst);
}

TEST_F(WorkbookTest, OnlyACutLabelHasATip)
{
    m_pFrame->SetWorkbookMode(TRUE);
    SECWorksheetWnd* pShort = AddSheet(_T("A"));
    SECWorksheetWnd* pLong = AddSheet(CString(_T('W'), 200));
    TOOLINFO ti{};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(m_pFrame->OnToolHitTest(InsideTab(pShort), &ti), -1);
    EXPECT_EQ(m_pFrame->OnToolHitTest(InsideTab(pLong), &ti), 2);
    EXPECT_EQ(CString(ti.lpszText), CString(_T('W'), 200));
    free(ti.lpszText);
    EXPECT_EQ(m_pFrame->OnToolHitTest(CPoint(1, 1), nullptr), -1);
}

TEST_F(WorkbookTest, TheActiveSheetNoticeFollowsTheActiveTab)
{
    m_pFrame->SetWorkbookMode(TRUE);
    SECWorksheetWnd* pFirst = AddSheet(_T("One"));
    AddSheet(_T("Two"));
    SECWorksheetWnd* pThird = AddSheet(_T("Three"));
    m_pFrame->SendMessage(WM_SECWORKBOOK_ACTIVESHEET);
    EXPECT_EQ(m_pFrame->GetLastActiveTab(), 2);
    pFirst->MDIActivate();
    m_pFrame->SendMessage(WM_SECWORKBOOK_ACTIVESHEET);
    EXPECT_EQ(m_pFrame->GetLastActiveTab(), 0);
    // A menu change through the MDI client tells the frame too.
    pThird->MDIActivate();
    ::SendMessage(m_pFrame->m_hWndMDIClient, tarnwick::frames::WM_SECWORKBOOK_REFRESHTABS, static_cast<WPARAM>(-1), -1);
    EXPECT_EQ(m_pFrame->GetLastActiveTab(), 2);
    // Without an active sheet the count stands for none.
    for (int i = 0; i < 3; ++i)
        m_pFrame->GetSheet(0)->DestroyWindow();
    m_pFrame->SendMessage(WM_SECWORKBOOK_ACTIVESHEET);
    EXPECT_EQ(m_pFrame->GetLastActiveTab(), 0);
}

// Records the check mark the command update sets.
class CheckUI : public CCmdUI
{
public:
    int m_nCheck = -1;
    void SetCheck(int nCheck) override
    {
        m_nCheck = nCheck;
    }
};

TEST_F(WorkbookTest, TheWorkbookModeCommandTogglesAndItsUpdateChecks)
{
    CheckUI ui;
    m_pFrame->OnWorkbookMode();
    EXPECT_TRUE(m_pFrame->GetWorkbookMode());
    m_pFrame->OnUpdateWorkbookMode(&ui);
    EXPECT_EQ(ui.m_nCheck, 1);
    m_pFrame->OnWorkbookMode();
    EXPECT_FALSE(m_pFrame->GetWorkbookMode());
    m_pFrame->OnUpdateWorkbookMode(&ui);
    EXPECT_EQ(ui.m_nCheck, 0);
}
} // namespace
