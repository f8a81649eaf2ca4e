// SECCaptionControlMsgFilter: one caption button's drawing, mouse tracking, hold timer and
// command.
#include <toolkit/frames/CaptionMsgFilter.h>

namespace tarnwick::frames
{
IMPLEMENT_DYNCREATE(SECCaptionControlMsgFilter, SECCaptionMsgFilter)
IMPLEMENT_DYNAMIC(SECCaptionControlMsgFilterTimer, CWnd)

BEGIN_MESSAGE_MAP(SECCaptionControlMsgFilterTimer, CWnd)
ON_WM_CREATE()
ON_WM_TIMER()
ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace
{
// The system command of each caption part.
struct PartCommand
{
    UINT nPart;
    UINT nCommand;
};
constexpr PartCommand partCommands[] = {
    {DFCS_CAPTIONCLOSE, SC_CLOSE},     {DFCS_CAPTIONMIN, SC_MINIMIZE},       {DFCS_CAPTIONMAX, SC_MAXIMIZE},
    {DFCS_CAPTIONRESTORE, SC_RESTORE}, {DFCS_CAPTIONHELP, SC_CONTEXTHELP},
};
// GetMenuState's answer for a missing item.
constexpr UINT NO_MENU_ITEM = static_cast<UINT>(-1);
} // namespace

SECCaptionControlMsgFilter::SECCaptionControlMsgFilter(CWnd* pOwner, UINT nID, UINT nStateFlags, UINT nType)
    : SECCaptionMsgFilter(pOwner, nID), m_rectButton(0, 0, 0, 0), m_nType(nType),
      m_nState(IsValidButtonID(nID) ? nStateFlags | nID : nStateFlags), m_bTracking(FALSE), m_nHoldDelay(-1),
      m_pHoldTimer(nullptr)
{
}

SECCaptionControlMsgFilter::~SECCaptionControlMsgFilter()
{
    KillHoldTimer();
}

SECMsgFilter* SECCaptionControlMsgFilter::Clone() const
{
    auto* pClone = static_cast<SECCaptionControlMsgFilter*>(SECCaptionMsgFilter::Clone());
    if (pClone != nullptr)
    {
        pClone->m_rectButton = m_rectButton;
        pClone->m_nType = m_nType;
        pClone->m_nState = m_nState;
        pClone->m_nHoldDelay = m_nHoldDelay;
    }
    return pClone;
}

void SECCaptionControlMsgFilter::Place(const CRect& rectButton, BOOL bInactive)
{
    m_rectButton = rectButton;
    m_nState = bInactive ? m_nState | DFCS_INACTIVE : m_nState & ~DFCS_INACTIVE;
}

DWORD SECCaptionControlMsgFilter::FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case WM_SETTEXT:
    case WM_SETCURSOR:
    case WM_NCPAINT:
    case WM_NCACTIVATE:
        Draw();
        return FILTER_HANDLED;
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN: {
        const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        if (wParam != HTCAPTION || !HitTest(point))
            break;
        if (m_nState & DFCS_INACTIVE)
            return BUTTON_TOOK_MOUSE;
        if (message == WM_NCLBUTTONDOWN)
            OnLButtonDown(point.x, point.y);
        else
            Execute(EXECUTE_RIGHT, point.x, point.y);
        return BUTTON_TOOK_MOUSE;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: {
        if (!m_bTracking)
            break;
        CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        GetWnd()->ClientToScreen(&point);
        if (message == WM_LBUTTONUP)
            OnLButtonUp(point.x, point.y);
        else
            OnMouseMove(point.x, point.y);
        return BUTTON_TOOK_MOUSE;
    }
    default:
        break;
    }
    return FilterChildren(message, wParam, lParam, pResult);
}

void SECCaptionControlMsgFilter::Draw()
{
    CWnd* pOwner = GetWnd();
    if (pOwner == nullptr || !::IsWindow(pOwner->m_hWnd) || m_rectButton.IsRectEmpty())
        return;
    CWindowDC dc(pOwner);
    Draw(&dc);
}

void SECCaptionControlMsgFilter::Draw(CDC* pDC)
{
    if (!IsValidButtonID(GetID()))
        return;
    CRect rect = m_rectButton;
    pDC->DrawFrameControl(&rect, m_nType, m_nState);
}

CRect SECCaptionControlMsgFilter::GetScreenRect()
{
    CRect rectWindow;
    GetWnd()->GetWindowRect(&rectWindow);
    CRect rect = m_rectButton;
    rect.OffsetRect(rectWindow.TopLeft());
    return rect;
}

BOOL SECCaptionControlMsgFilter::HitTest(CPoint ptScreen)
{
    CWnd* pOwner = GetWnd();
    if (pOwner == nullptr || !::IsWindow(pOwner->m_hWnd))
        return FALSE;
    // Client coordinates, then shifted by the client origin's place in the window.
    CRect rectWindow;
    pOwner->GetWindowRect(&rectWindow);
    CPoint ptClientOrigin(0, 0);
    pOwner->ClientToScreen(&ptClientOrigin);
    CPoint point = ptScreen;
    pOwner->ScreenToClient(&point);
    point += ptClientOrigin - rectWindow.TopLeft();
    return m_rectButton.PtInRect(point);
}

void SECCaptionControlMsgFilter::OnLButtonDown(int x, int y)
{
    BeginTrack(TRUE, TRUE);
    if (m_nHoldDelay == 0)
        OnHold(x, y);
    else
        StartHoldTimer(x, y);
}

void SECCaptionControlMsgFilter::OnLButtonUp(int x, int y)
{
    EndTrack(TRUE, TRUE);
    if (HitTest(CPoint(x, y)))
        Execute(EXECUTE_CLICK, x, y);
}

void SECCaptionControlMsgFilter::OnHold(int x, int y)
{
    EndTrack(FALSE, TRUE);
    Execute(EXECUTE_HOLD, x, y);
    // The button stayed down while its action ran (a menu, say); it comes up afterwards.
    m_nState &= ~DFCS_PUSHED;
    Draw();
}

void SECCaptionControlMsgFilter::OnMouseMove(int x, int y)
{
    if (!m_bTracking)
        return;
    const BOOL bHit = HitTest(CPoint(x, y));
    if (bHit == ((m_nState & DFCS_PUSHED) != 0))
        return;
    if (bHit)
        StartHoldTimer(x, y);
    else
        KillHoldTimer();
    m_nState = bHit ? m_nState | DFCS_PUSHED : m_nState & ~DFCS_PUSHED;
    Draw();
}

void SECCaptionControlMsgFilter::Execute(UINT nFlags, int x, int y)
{
    CWnd* pTarget = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    if (GetCommand(nFlags, x, y, pTarget, message, wParam, lParam))
        pTarget->PostMessage(message, wParam, lParam);
}

BOOL SECCaptionControlMsgFilter::GetCommand(UINT nFlags, int x, int y, CWnd*& pTarget, UINT& message, WPARAM& wParam,
                                            LPARAM& lParam)
{
    if (nFlags & (EXECUTE_RIGHT | EXECUTE_HOLD) || GetWnd() == nullptr)
        return FALSE;
    for (const PartCommand& entry : partCommands)
        if (entry.nPart == GetID())
        {
            pTarget = GetWnd();
            message = WM_SYSCOMMAND;
            wParam = entry.nCommand;
            lParam = MAKELONG(x, y);
            return TRUE;
        }
    return FALSE;
}

void SECCaptionControlMsgFilter::BeginTrack(BOOL bPressed, BOOL bRedraw)
{
    m_bTracking = TRUE;
    if (bPressed)
        m_nState |= DFCS_PUSHED;
    GetWnd()->SetCapture();
    if (bRedraw)
        Draw();
}

void SECCaptionControlMsgFilter::EndTrack(BOOL bClearPushed, BOOL bRedraw)
{
    m_bTracking = FALSE;
    KillHoldTimer();
    if (bClearPushed)
        m_nState &= ~DFCS_PUSHED;
    ::ReleaseCapture();
    if (bRedraw)
        Draw();
}

void SECCaptionControlMsgFilter::KillHoldTimer()
{
    if (m_pHoldTimer == nullptr)
        return;
    SECCaptionControlMsgFilterTimer* pTimer = m_pHoldTimer;
    m_pHoldTimer = nullptr;
    pTimer->DestroyWindow();
}

void SECCaptionControlMsgFilter::StartHoldTimer(int x, int y)
{
    KillHoldTimer();
    CWnd* pOwner = GetWnd();
    if (m_nHoldDelay <= 0 || pOwner == nullptr || !::IsWindow(pOwner->m_hWnd))
        return;
    auto* pTimer = new SECCaptionControlMsgFilterTimer(this, m_nHoldDelay, x, y);
    // A window that cannot set its timer is not made and has deleted itself.
    if (pTimer->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 0, 0), pOwner, 0))
        m_pHoldTimer = pTimer;
}

BOOL SECCaptionControlMsgFilter::IsButtonVisible(BOOL& bDisabled)
{
    bDisabled = FALSE;
    CWnd* pOwner = GetWnd();
    const UINT nID = GetID();
    if (!IsValidButtonID(nID) || pOwner == nullptr || !::IsWindow(pOwner->m_hWnd))
        return FALSE;
    const DWORD dwStyle = pOwner->GetStyle();
    if (!(dwStyle & WS_SYSMENU))
        return FALSE;
    if (nID == DFCS_CAPTIONCLOSE)
    {
        const HMENU hSysMenu = ::GetSystemMenu(pOwner->m_hWnd, FALSE);
        const UINT nClose = hSysMenu != nullptr ? ::GetMenuState(hSysMenu, SC_CLOSE, MF_BYCOMMAND) : NO_MENU_ITEM;
        bDisabled = nClose != NO_MENU_ITEM && (nClose & (MF_GRAYED | MF_DISABLED)) != 0;
        return TRUE;
    }
    if (pOwner->GetExStyle() & WS_EX_TOOLWINDOW)
        return FALSE;
    const DWORD dwBoxes = dwStyle & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    const BOOL bZoomed = pOwner->IsZoomed();
    const BOOL bIconic = pOwner->IsIconic();
    switch (nID)
    {
    case DFCS_CAPTIONMAX:
        if (dwBoxes == 0 || bZoomed)
            return FALSE;
        bDisabled = !(dwStyle & WS_MAXIMIZEBOX);
        return TRUE;
    case DFCS_CAPTIONRESTORE:
        if (dwBoxes == 0 || (!bZoomed && !bIconic))
            return FALSE;
        bDisabled = bZoomed ? !(dwStyle & WS_MAXIMIZEBOX) : !(dwStyle & WS_MINIMIZEBOX);
        return TRUE;
    case DFCS_CAPTIONMIN:
        if (dwBoxes == 0 || bIconic)
            return FALSE;
        bDisabled = !(dwStyle & WS_MINIMIZEBOX);
        return TRUE;
    case DFCS_CAPTIONHELP:
        return dwBoxes == 0 && (pOwner->GetExStyle() & WS_EX_CONTEXTHELP);
    default:
        return FALSE;
    }
}

SECCaptionControlMsgFilterTimer::SECCaptionControlMsgFilterTimer(SECCaptionControlMsgFilter* pButton, int nDelay, int x,
                                                                 int y)
    : m_pButton(pButton), m_nDelay(nDelay), m_bTimerSet(FALSE), m_bFired(FALSE), m_x(x), m_y(y)
{
}

int SECCaptionControlMsgFilterTimer::OnCreate(LPCREATESTRUCT)
{
    m_bTimerSet = SetTimer(HOLD_TIMER, static_cast<UINT>(m_nDelay), nullptr) != 0;
    return m_bTimerSet ? 0 : -1;
}

void SECCaptionControlMsgFilterTimer::OnTimer(UINT_PTR)
{
    if (m_bFired)
        return;
    m_bFired = TRUE;
    if (m_pButton != nullptr && m_pButton->IsTracking())
        m_pButton->OnHold(m_x, m_y);
}

void SECCaptionControlMsgFilterTimer::OnDestroy()
{
    if (m_bTimerSet)
        KillTimer(HOLD_TIMER);
    CWnd::OnDestroy();
}

void SECCaptionControlMsgFilterTimer::PostNcDestroy()
{
    // Gone with its owner window: the button no longer holds it.
    if (m_pButton != nullptr && m_pButton->m_pHoldTimer == this)
        m_pButton->m_pHoldTimer = nullptr;
    delete this;
}
} // namespace tarnwick::frames
