// Caption buttons drawn in the non-client area: the caption's geometry, the row's layout by the
// owner's style, presses, releases and holds, and the picture.
#include <toolkit/frames/CaptionMsgFilter.h>

#include <memory>

#include <gtest/gtest.h>

#include <testing/MemoryCanvas.h>
#include <testing/MessagePump.h>

using tarnwick::frames::SECCapConLstMDIMaxChildMsgFilter;
using tarnwick::frames::SECCaptionControlListMsgFilter;
using tarnwick::frames::SECCaptionControlMsgFilter;
using tarnwick::frames::SECCaptionControlMsgFilterTimer;
using tarnwick::frames::SECCaptionMsgFilter;

namespace
{
// Counts its holds and draws into a given DC.
class ProbeButton : public SECCaptionControlMsgFilter
{
    DECLARE_DYNCREATE(ProbeButton)
public:
    explicit ProbeButton(CWnd* pOwner = nullptr, UINT nID = DFCS_CAPTIONCLOSE)
        : SECCaptionControlMsgFilter(pOwner, nID)
    {
    }
    int m_nHolds = 0;
    void OnHold(int x, int y) override
    {
        ++m_nHolds;
        SECCaptionControlMsgFilter::OnHold(x, y);
    }
    void DrawInto(CDC& dc)
    {
        Draw(&dc);
    }
};
IMPLEMENT_DYNCREATE(ProbeButton, SECCaptionControlMsgFilter)

// A hidden top-level window of the given styles.
std::unique_ptr<CWnd> MakeOwner(DWORD dwStyle, DWORD dwExStyle = 0)
{
    auto pWnd = std::make_unique<CWnd>();
    EXPECT_TRUE(pWnd->CreateEx(dwExStyle, AfxRegisterWndClass(0), _T("Owner"), dwStyle & ~WS_VISIBLE, 100, 80, 400,
                               300, nullptr, nullptr));
    return pWnd;
}

CRect ScreenRect(CWnd& owner, const SECCaptionControlMsgFilter& button)
{
    CRect rectWindow;
    owner.GetWindowRect(&rectWindow);
    CRect rect = button.GetButtonRect();
    rect.OffsetRect(rectWindow.TopLeft());
    return rect;
}

LPARAM ScreenParam(CPoint point)
{
    return MAKELPARAM(point.x, point.y);
}

LPARAM ClientParam(CWnd& owner, CPoint point)
{
    owner.ScreenToClient(&point);
    return MAKELPARAM(point.x, point.y);
}

// The WM_SYSCOMMANDs waiting for the window, taken from the queue.
std::vector<MSG> TakeSysCommands(CWnd& owner)
{
    std::vector<MSG> commands;
    MSG msg;
    while (::PeekMessage(&msg, owner.m_hWnd, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE))
        commands.push_back(msg);
    return commands;
}

SECCaptionControlMsgFilter* Button(SECCaptionControlListMsgFilter& row, UINT nPart)
{
    return static_cast<SECCaptionControlMsgFilter*>(row.FindFilter(nPart, nullptr, 0));
}

TEST(CaptionMsgFilterTest, CaptionRectangleByFrameKind)
{
    struct Case
    {
        const char* pszKind;
        DWORD dwStyle;
        DWORD dwExStyle;
        int nCxBorder;
        int nCyBorder;
        int nCaption;
    };
    const int cyBorder = ::GetSystemMetrics(SM_CYBORDER);
    const Case cases[] = {
        {"thick frame", WS_OVERLAPPEDWINDOW, 0, SM_CXFRAME, SM_CYFRAME, SM_CYCAPTION},
        {"dialog frame", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, SM_CXDLGFRAME, SM_CYDLGFRAME, SM_CYCAPTION},
        {"iconic", WS_OVERLAPPEDWINDOW | WS_MINIMIZE, 0, SM_CXDLGFRAME, SM_CYDLGFRAME, SM_CYCAPTION},
        {"tool window", WS_OVERLAPPEDWINDOW, WS_EX_TOOLWINDOW, SM_CXFRAME, SM_CYFRAME, SM_CYSMCAPTION},
        {"border only", WS_POPUP | WS_BORDER | WS_THICKFRAME, 0, SM_CXFRAME, SM_CYFRAME, -1},
    };
    for (const Case& c : cases)
    {
        auto pOwner = MakeOwner(c.dwStyle, c.dwExStyle);
        if (c.dwStyle & WS_MINIMIZE)
            pOwner->ModifyStyle(0, WS_MINIMIZE);
        CRect rectWindow;
        pOwner->GetWindowRect(&rectWindow);
        SECCaptionMsgFilter filter(pOwner.get());
        const int cx = ::GetSystemMetrics(c.nCxBorder);
        const int cy = ::GetSystemMetrics(c.nCyBorder);
        const int nHeight = c.nCaption < 0 ? 0 : ::GetSystemMetrics(c.nCaption) - cyBorder;
        EXPECT_EQ(filter.GetCaptionRect(), CRect(cx, cy, rectWindow.Width() - cx, cy + nHeight)) << c.pszKind;
        pOwner->DestroyWindow();
    }
    SECCaptionMsgFilter orphan;
    EXPECT_TRUE(orphan.GetCaptionRect().IsRectNull());
}

TEST(CaptionMsgFilterTest, RowShowsTheButtonsTheStyleAsksFor)
{
    // A zoomed window with both boxes: close, restore and minimize from the right.
    auto pOwner = MakeOwner(WS_OVERLAPPEDWINDOW);
    pOwner->ModifyStyle(0, WS_MAXIMIZE);
    SECCaptionControlListMsgFilter row(pOwner.get());
    row.Layout();
    const CRect rectCaption = row.GetCaptionRect();
    const CSize size(::GetSystemMetrics(SM_CXSIZE) - 2, ::GetSystemMetrics(SM_CYSIZE) - 4);
    const int xClose = rectCaption.right - size.cx - 2;
    const int y = rectCaption.top + 2;
    EXPECT_EQ(Button(row, DFCS_CAPTIONCLOSE)->GetButtonRect(), CRect(CPoint(xClose, y), size));
    EXPECT_EQ(Button(row, DFCS_CAPTIONRESTORE)->GetButtonRect(), CRect(CPoint(xClose - size.cx - 2, y), size));
    EXPECT_EQ(Button(row, DFCS_CAPTIONMIN)->GetButtonRect(), CRect(CPoint(xClose - 2 * size.cx - 2, y), size));
    EXPECT_TRUE(Button(row, DFCS_CAPTIONMAX)->GetButtonRect().IsRectEmpty());
    EXPECT_TRUE(Button(row, DFCS_CAPTIONHELP)->GetButtonRect().IsRectEmpty());
    // The row one caption lower, menu-sized, for a maximised child in its frame.
    SECCapConLstMDIMaxChildMsgFilter childRow(pOwner.get());
    childRow.Layout();
    const CSize sizeMenu(::GetSystemMetrics(SM_CXMENUSIZE) - 2, ::GetSystemMetrics(SM_CYMENUSIZE) - 4);
    EXPECT_EQ(Button(childRow, DFCS_CAPTIONCLOSE)->GetButtonRect(),
              CRect(CPoint(rectCaption.right - sizeMenu.cx - 2, rectCaption.top + ::GetSystemMetrics(SM_CYCAPTION) + 2),
                    sizeMenu));
    pOwner->DestroyWindow();

    struct Case
    {
        const char* pszKind;
        DWORD dwStyle;
        DWORD dwExStyle;
        UINT nVisibleMask; // bit n: caption part n shows
    };
    const Case cases[] = {
        {"tool window", WS_OVERLAPPEDWINDOW, WS_EX_TOOLWINDOW, 1u << DFCS_CAPTIONCLOSE},
        {"help without boxes", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_CONTEXTHELP,
         1u << DFCS_CAPTIONCLOSE | 1u << DFCS_CAPTIONHELP},
        {"no help with boxes", WS_OVERLAPPEDWINDOW, WS_EX_CONTEXTHELP,
         1u << DFCS_CAPTIONCLOSE | 1u << DFCS_CAPTIONMAX | 1u << DFCS_CAPTIONMIN},
        {"no system menu", WS_OVERLAPPED | WS_CAPTION | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0, 0},
    };
    for (const Case& c : cases)
    {
        auto pCaseOwner = MakeOwner(c.dwStyle, c.dwExStyle);
        SECCaptionControlListMsgFilter caseRow(pCaseOwner.get());
        caseRow.Layout();
        for (UINT nPart = DFCS_CAPTIONCLOSE; nPart <= DFCS_CAPTIONHELP; ++nPart)
            EXPECT_EQ(!Button(caseRow, nPart)->GetButtonRect().IsRectEmpty(), (c.nVisibleMask >> nPart & 1) != 0)
                << c.pszKind << " part " << nPart;
        if (c.dwExStyle & WS_EX_TOOLWINDOW)
        {
            EXPECT_EQ(Button(caseRow, DFCS_CAPTIONCLOSE)->GetButtonRect().Size(),
                      CSize(::GetSystemMetrics(SM_CXSMSIZE) - 2, ::GetSystemMetrics(SM_CYSMSIZE) - 4));
        }
        pCaseOwner->DestroyWindow();
    }
}

class CaptionButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pOwner = MakeOwner(WS_OVERLAPPEDWINDOW);
        m_row.SetWnd(m_pOwner.get(), TRUE);
        m_row.Layout();
        m_rect = ScreenRect(*m_pOwner, *Button(m_row, DFCS_CAPTIONCLOSE));
        TakeSysCommands(*m_pOwner);
    }
    void TearDown() override
    {
        m_row.SetWnd(nullptr, TRUE);
        m_pOwner->DestroyWindow();
    }
    DWORD Press(UINT message = WM_NCLBUTTONDOWN)
    {
        return m_row.Filter(message, HTCAPTION, ScreenParam(m_rect.CenterPoint()), &m_lResult);
    }
    DWORD Send(UINT message, CPoint ptScreen)
    {
        return m_row.Filter(message, 0, ClientParam(*m_pOwner, ptScreen), &m_lResult);
    }
    HWND HoldTimerWindow()
    {
        for (HWND hChild = ::GetWindow(m_pOwner->m_hWnd, GW_CHILD); hChild != nullptr;
             hChild = ::GetWindow(hChild, GW_HWNDNEXT))
            if (CWnd* pChild = CWnd::FromHandlePermanent(hChild))
                if (pChild->IsKindOf(RUNTIME_CLASS(SECCaptionControlMsgFilterTimer)))
                    return hChild;
        return nullptr;
    }

    SECCaptionControlListMsgFilter m_row;
    std::unique_ptr<CWnd> m_pOwner;
    CRect m_rect;
    LRESULT m_lResult = 0;
};

TEST_F(CaptionButtonTest, ReleaseOnTheButtonPostsItsCommandWithThePoint)
{
    SECCaptionControlMsgFilter* pClose = Button(m_row, DFCS_CAPTIONCLOSE);
    const CPoint inside = m_rect.CenterPoint();
    const CPoint outside(m_rect.left - 40, m_rect.top);

    EXPECT_EQ(Press(), 7u);
    EXPECT_TRUE(pClose->GetState() & DFCS_PUSHED);
    EXPECT_EQ(::GetCapture(), m_pOwner->m_hWnd);
    EXPECT_EQ(Send(WM_LBUTTONUP, inside), 7u);
    std::vector<MSG> commands = TakeSysCommands(*m_pOwner);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, static_cast<WPARAM>(SC_CLOSE));
    EXPECT_EQ(commands[0].lParam, ScreenParam(inside));
    EXPECT_FALSE(pClose->GetState() & DFCS_PUSHED);
    EXPECT_EQ(::GetCapture(), nullptr);

    // Released outside: nothing.
    Press();
    Send(WM_MOUSEMOVE, outside);
    EXPECT_FALSE(pClose->GetState() & DFCS_PUSHED);
    Send(WM_LBUTTONUP, outside);
    EXPECT_TRUE(TakeSysCommands(*m_pOwner).empty());
    // Out and back in: the command.
    Press();
    Send(WM_MOUSEMOVE, outside);
    Send(WM_MOUSEMOVE, inside);
    EXPECT_TRUE(pClose->GetState() & DFCS_PUSHED);
    Send(WM_LBUTTONUP, inside);
    EXPECT_EQ(TakeSysCommands(*m_pOwner).size(), 1u);
    // The right button: nothing, and no tracking.
    EXPECT_EQ(Press(WM_NCRBUTTONDOWN), 7u);
    EXPECT_FALSE(pClose->IsTracking());
    EXPECT_TRUE(TakeSysCommands(*m_pOwner).empty());
    // Mouse messages while not tracking and presses elsewhere are not the button's.
    EXPECT_EQ(Send(WM_LBUTTONUP, inside), 0u);
    EXPECT_EQ(m_row.Filter(WM_NCLBUTTONDOWN, HTCAPTION, ScreenParam(outside), &m_lResult), 0u);
    EXPECT_EQ(m_row.Filter(WM_NCLBUTTONDOWN, HTSYSMENU, ScreenParam(inside), &m_lResult), 0u);
}

TEST_F(CaptionButtonTest, AGrayedCloseIsDrawnInactiveAndItsPressDoesNothing)
{
    ::EnableMenuItem(::GetSystemMenu(m_pOwner->m_hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    SECCaptionControlMsgFilter* pClose = Button(m_row, DFCS_CAPTIONCLOSE);
    m_row.Layout();
    EXPECT_TRUE(pClose->GetState() & DFCS_INACTIVE);
    m_rect = ScreenRect(*m_pOwner, *pClose);
    EXPECT_EQ(Press(), 7u);
    EXPECT_FALSE(pClose->IsTracking());
    EXPECT_EQ(::GetCapture(), nullptr);
    Send(WM_LBUTTONUP, m_rect.CenterPoint());
    EXPECT_TRUE(TakeSysCommands(*m_pOwner).empty());
    ::GetSystemMenu(m_pOwner->m_hWnd, TRUE);
    m_row.Layout();
    EXPECT_FALSE(pClose->GetState() & DFCS_INACTIVE);
}

TEST_F(CaptionButtonTest, TheHoldDelayDecidesWhetherAndWhenAHoldFires)
{
    // The probe takes the close button's square.
    ProbeButton probe(m_pOwner.get(), DFCS_CAPTIONCLOSE);
    probe.Place(Button(m_row, DFCS_CAPTIONCLOSE)->GetButtonRect(), FALSE);
    const CRect rect = ScreenRect(*m_pOwner, probe);
    const LPARAM lPress = ScreenParam(rect.CenterPoint());

    // Never: no timer window.
    probe.Filter(WM_NCLBUTTONDOWN, HTCAPTION, lPress, &m_lResult);
    EXPECT_EQ(HoldTimerWindow(), nullptr);
    probe.Filter(WM_LBUTTONUP, 0, ClientParam(*m_pOwner, rect.CenterPoint()), &m_lResult);
    EXPECT_EQ(probe.m_nHolds, 0);
    TakeSysCommands(*m_pOwner);

    // At once: held on the press, which ends the tracking and leaves the button up.
    probe.SetHoldDelay(0);
    probe.Filter(WM_NCLBUTTONDOWN, HTCAPTION, lPress, &m_lResult);
    EXPECT_EQ(probe.m_nHolds, 1);
    EXPECT_FALSE(probe.IsTracking());
    EXPECT_FALSE(probe.GetState() & DFCS_PUSHED);
    EXPECT_EQ(HoldTimerWindow(), nullptr);
    EXPECT_TRUE(TakeSysCommands(*m_pOwner).empty());

    // After the delay: the timer window's first tick holds, a second does nothing.
    probe.SetHoldDelay(400);
    probe.Filter(WM_NCLBUTTONDOWN, HTCAPTION, lPress, &m_lResult);
    const HWND hTimer = HoldTimerWindow();
    ASSERT_NE(hTimer, nullptr);
    EXPECT_FALSE(::IsWindowVisible(hTimer));
    ::SendMessage(hTimer, WM_TIMER, 1, 0);
    EXPECT_EQ(probe.m_nHolds, 2);
    EXPECT_FALSE(::IsWindow(hTimer));
    EXPECT_FALSE(probe.GetState() & DFCS_PUSHED);
    // Leaving the button kills the timer; coming back starts another.
    probe.Filter(WM_NCLBUTTONDOWN, HTCAPTION, lPress, &m_lResult);
    probe.Filter(WM_MOUSEMOVE, 0, ClientParam(*m_pOwner, CPoint(rect.left - 40, rect.top)), &m_lResult);
    EXPECT_EQ(HoldTimerWindow(), nullptr);
    probe.Filter(WM_MOUSEMOVE, 0, ClientParam(*m_pOwner, rect.CenterPoint()), &m_lResult);
    const HWND hSecond = HoldTimerWindow();
    ASSERT_NE(hSecond, nullptr);
    ::SendMessage(hSecond, WM_TIMER, 1, 0);
    ::SendMessage(hSecond, WM_TIMER, 1, 0);
    EXPECT_EQ(probe.m_nHolds, 3);
    probe.SetWnd(nullptr, TRUE);
}

TEST_F(CaptionButtonTest, TheButtonLooksAsTheSystemDrawsItsCaptionPart)
{
    for (UINT nPushed : {0u, static_cast<UINT>(DFCS_PUSHED)})
    {
        MemoryCanvas drawn(40, 40, RGB(1, 2, 3));
        MemoryCanvas expected(40, 40, RGB(1, 2, 3));
        ProbeButton probe(m_pOwner.get(), DFCS_CAPTIONCLOSE);
        probe.Place(CRect(4, 4, 24, 22), FALSE);
        if (nPushed)
            probe.BeginTrack(TRUE, FALSE);
        probe.DrawInto(drawn.Dc());
        CRect rect(4, 4, 24, 22);
        ::DrawFrameControl(expected.Hdc(), &rect, DFC_CAPTION, DFCS_CAPTIONCLOSE | nPushed);
        for (int y = 0; y < 40; y += 3)
            for (int x = 0; x < 40; x += 3)
                ASSERT_EQ(drawn.Pixel(x, y), expected.Pixel(x, y)) << x << "," << y << " pushed " << nPushed;
        EXPECT_NE(drawn.Pixel(5, 5), RGB(1, 2, 3));
        EXPECT_EQ(drawn.Pixel(30, 30), RGB(1, 2, 3));
        probe.EndTrack(TRUE, FALSE);
        probe.SetWnd(nullptr, TRUE);
    }
}
} // namespace
