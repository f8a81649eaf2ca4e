// SECCustomToolBar's input: hot tracking, presses and the commands they fire, and the keyboard
// mode of its menu buttons.
#include <toolkit/bars/CustomToolBar.h>

#include <afxpriv.h>
#include <toolkit/bars/ToolBarManager.h>
#include <toolkit/foundation/ScopedValue.h>

#include <windowsx.h>

namespace tarnwick::bars
{
using foundation::SECScopedValue;

namespace
{
constexpr UINT HOTTRACK_MS = 100;

BOOL g_bCommandInProgress = FALSE;
BOOL g_bMenuTracking = FALSE;

bool IsKeyboardKind(const SECStdBtn* pBtn)
{
    return pBtn->m_nType == SECStdBtn::KindMenu || pBtn->m_nType == SECStdBtn::KindCapMenu;
}
} // namespace

BOOL SECCustomToolBar::IsCommandInProgress()
{
    return g_bCommandInProgress;
}

void SECCustomToolBar::SetMenuTracking(BOOL bTracking)
{
    g_bMenuTracking = bTracking;
}

BOOL SECCustomToolBar::IsMenuTracking()
{
    return g_bMenuTracking;
}

void SECCustomToolBar::RestoreIdlePrompt()
{
    if (CWnd* pOwner = GetCommandOwner())
        pOwner->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
}

void SECCustomToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    const int nIndex = HitTest(point.x, point.y);
    if (nIndex < 0 || g_bCommandInProgress)
    {
        SECControlBar::OnLButtonDown(nFlags, point);
        return;
    }
    SECStdBtn* pBtn = GetButton(nIndex);
    const bool bAlt = ::GetKeyState(VK_MENU) < 0;
    if (m_pManager != nullptr && (bAlt || m_bCustomiseMode))
    {
        if (pBtn->CanDrag())
            DragButton(nIndex, point.x, point.y);
        return;
    }
    if (pBtn->m_nStyle & TBBS_DISABLED)
        return;
    UpdateButton(nIndex);
    if (IsKeyboardKind(pBtn))
    {
        // A menu button opens its menu within the press; the menu takes the mouse.
        m_nKeyboardBtn = nIndex;
        pBtn->OnLButtonDown(point.x, point.y);
        return;
    }
    if (!pBtn->OnLButtonDown(point.x, point.y))
        return;
    m_nPressedBtn = nIndex;
    InvalidateButton(nIndex);
    SetCapture();
    if (CWnd* pOwner = GetCommandOwner())
        pOwner->SendMessage(WM_SETMESSAGESTRING, pBtn->m_nID);
}

void SECCustomToolBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_nPressedBtn >= 0 && !m_bCustomiseMode)
    {
        if (GetCapture() != this)
        {
            // Another window took the mouse: the press is over.
            GetButton(m_nPressedBtn)->CancelPress();
            m_nPressedBtn = -1;
            RestoreIdlePrompt();
            return;
        }
        SECStdBtn* pBtn = GetButton(m_nPressedBtn);
        const UINT nOld = pBtn->m_nStyle;
        pBtn->OnMouseMove(point.x, point.y);
        if (pBtn->m_nStyle != nOld)
            InvalidateButton(m_nPressedBtn);
        return;
    }
    if (IsCoolLook() && !g_bMenuTracking && !g_bCommandInProgress && m_hWnd != nullptr)
    {
        UpdateHotTracking();
        if (m_nHotBtn >= 0)
            SetTimer(ID_TIMER_HOTTRACK, HOTTRACK_MS, nullptr);
    }
    SECControlBar::OnMouseMove(nFlags, point);
}

void SECCustomToolBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_nPressedBtn < 0 || m_bCustomiseMode)
    {
        SECControlBar::OnLButtonUp(nFlags, point);
        return;
    }
    const int nIndex = m_nPressedBtn;
    m_nPressedBtn = -1;
    ReleaseCapture();
    SECStdBtn* pBtn = GetButton(nIndex);
    const UINT nID = pBtn->OnLButtonUp(point.x, point.y);
    RestoreIdlePrompt();
    InvalidateButton(nIndex);
    if (nID != 0)
        FireCommand(nIndex, nID);
}

void SECCustomToolBar::FireCommand(int nIndex, UINT nID)
{
    CRect rect = GetButtonRect(nIndex);
    ClientToScreen(rect);
    SECToolBarManager::SECCurrentCommand* pCommand = m_pManager != nullptr ? m_pManager->GetCurrentCommand() : nullptr;
    if (pCommand != nullptr)
    {
        pCommand->m_rcButton = rect;
        pCommand->m_bActive = TRUE;
    }
    if (CWnd* pOwner = GetCommandOwner())
    {
        const SECScopedValue<BOOL> inProgress(g_bCommandInProgress, TRUE);
        pOwner->SendMessage(WM_COMMAND, nID);
    }
    if (pCommand != nullptr)
    {
        pCommand->m_bActive = FALSE;
        ::SetRectEmpty(&pCommand->m_rcButton);
        pCommand->Release();
    }
}

void SECCustomToolBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    const int nIndex = HitTest(point.x, point.y);
    if (nIndex >= 0 && ::GetKeyState(VK_MENU) >= 0 && !(GetButton(nIndex)->m_nStyle & TBBS_DISABLED) &&
        !m_bCustomiseMode && !g_bCommandInProgress)
    {
        // A second press, never a drag.
        SECStdBtn* pBtn = GetButton(nIndex);
        UpdateButton(nIndex);
        if (pBtn->OnLButtonDown(point.x, point.y))
        {
            m_nPressedBtn = nIndex;
            InvalidateButton(nIndex);
            SetCapture();
        }
        return;
    }
    SECControlBar::OnLButtonDblClk(nFlags, point);
}

void SECCustomToolBar::OnCancelMode()
{
    SECControlBar::OnCancelMode();
    if (m_bKeyboardMode)
        EndKeyboardMode();
    if (!m_bCustomiseMode && !g_bMenuTracking && m_nPressedBtn >= 0)
    {
        if (GetCapture() == this)
            ReleaseCapture();
        GetButton(m_nPressedBtn)->CancelPress();
        m_nPressedBtn = -1;
    }
}

void SECCustomToolBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != ID_TIMER_HOTTRACK)
    {
        SECControlBar::OnTimer(nIDEvent);
        return;
    }
    UpdateHotTracking();
    if (m_nHotBtn < 0)
        KillTimer(ID_TIMER_HOTTRACK);
}

void SECCustomToolBar::UpdateHotTracking(BOOL bRedraw)
{
    int nHot = -1;
    if (IsCoolLook() && !g_bMenuTracking && !g_bCommandInProgress)
    {
        CPoint point;
        ::GetCursorPos(&point);
        if (::WindowFromPoint(point) == m_hWnd || m_bKeyboardMode)
        {
            ScreenToClient(&point);
            nHot = HitTest(point.x, point.y);
            if (nHot >= 0 && (GetButton(nHot)->m_nStyle & TBBS_DISABLED))
                nHot = -1;
        }
    }
    if (m_bKeyboardMode && nHot < 0)
        nHot = m_nKeyboardBtn;
    SetHotButton(nHot, bRedraw);
}

void SECCustomToolBar::SetHotButton(int nIndex, BOOL bRedraw)
{
    if (nIndex == m_nHotBtn)
        return;
    if (m_nHotBtn >= 0 && m_nHotBtn < GetBtnCount())
    {
        GetButton(m_nHotBtn)->m_nStyle &= ~TBBS_HOT;
        if (bRedraw)
            InvalidateButton(m_nHotBtn);
    }
    m_nHotBtn = nIndex;
    if (m_nHotBtn >= 0)
    {
        GetButton(m_nHotBtn)->m_nStyle |= TBBS_HOT;
        if (bRedraw)
            InvalidateButton(m_nHotBtn);
    }
}

// Keyboard mode.

LRESULT SECCustomToolBar::SendBtnNotify(int nCode, int nIndex, CPoint point, const int* pExtra, int nExtra)
{
    // The common controls' toolbar notification, with the button index and a point (and
    // what a menu button adds) in its button rectangle.
    NMTOOLBARW nm{};
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    nm.hdr.code = static_cast<UINT>(nCode);
    nm.iItem = nIndex >= 0 && nIndex < GetBtnCount() ? static_cast<int>(GetButton(nIndex)->m_nID) : 0;
    nm.rcButton.left = nIndex;
    nm.rcButton.top = point.x;
    nm.rcButton.right = point.y;
    if (nExtra > 0)
        nm.rcButton.bottom = pExtra[0];
    CWnd* pOwner = GetCommandOwner();
    return pOwner != nullptr ? pOwner->SendMessage(WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm)) : 0;
}

void SECCustomToolBar::BeginKeyboardCommand(int nButton, int x, int y)
{
    m_nKeyboardBtn = nButton;
    UpdateHotTracking(FALSE);
    SendBtnNotify(TBN_SEC_DROPDOWN, nButton, CPoint(x, y));
}

void SECCustomToolBar::ActivateButton(int nIndex)
{
    EndKeyboardMode();
    if (nIndex < 0 || nIndex >= GetBtnCount() || !IsKeyboardKind(GetButton(nIndex)))
        return;
    if (m_nKeyboardBtn >= 0 && m_nKeyboardBtn < GetBtnCount())
        GetButton(m_nKeyboardBtn)->CancelPress();
    m_nKeyboardBtn = nIndex;
    SECStdBtn* pBtn = GetButton(nIndex);
    pBtn->OnLButtonDown(pBtn->m_x, pBtn->m_y);
}

void SECCustomToolBar::SetKeyboardButton(int nIndex)
{
    if (m_nKeyboardBtn >= 0 && m_nKeyboardBtn < GetBtnCount())
    {
        GetButton(m_nKeyboardBtn)->m_nStyle &= ~TBBS_HOT;
        InvalidateButton(m_nKeyboardBtn);
    }
    m_nKeyboardBtn = nIndex;
    if (nIndex >= 0 && nIndex < GetBtnCount())
    {
        GetButton(nIndex)->m_nStyle |= TBBS_HOT;
        InvalidateButton(nIndex);
    }
    m_nHotBtn = nIndex;
    m_bKeyboardMode = TRUE;
    SendBtnNotify(TBN_SEC_KEYBOARDBUTTON, nIndex, CPoint(0, 0));
    if (CWnd* pOwner = GetCommandOwner())
        pOwner->SendMessage(WM_SETMESSAGESTRING, 0);
}

void SECCustomToolBar::ActivateButtonAt(CPoint point)
{
    const int nIndex = HitTest(point.x, point.y);
    if (nIndex >= 0)
        SetKeyboardButton(nIndex);
}

void SECCustomToolBar::EndKeyboardMode()
{
    if (!m_bKeyboardMode)
        return;
    m_bKeyboardMode = FALSE;
    SendBtnNotify(TBN_SEC_ENDKEYBOARD, m_nKeyboardBtn, CPoint(0, 0));
    if (m_nKeyboardBtn >= 0 && m_nKeyboardBtn < GetBtnCount())
    {
        GetButton(m_nKeyboardBtn)->m_nStyle &= ~TBBS_HOT;
        InvalidateButton(m_nKeyboardBtn);
    }
    if (m_nHotBtn == m_nKeyboardBtn)
        m_nHotBtn = -1;
    m_nKeyboardBtn = -1;
    RestoreIdlePrompt();
}

BOOL SECCustomToolBar::IsKeyboardMode() const
{
    return m_bKeyboardMode;
}

int SECCustomToolBar::FirstKeyboardButton() const
{
    for (int i = 0; i < GetBtnCount(); ++i)
        if (IsKeyboardKind(GetButton(i)) && !(GetButton(i)->m_nStyle & TBBS_HIDDEN))
            return i;
    return -1;
}

int SECCustomToolBar::LastKeyboardButton() const
{
    for (int i = GetBtnCount() - 1; i >= 0; --i)
        if (IsKeyboardKind(GetButton(i)) && !(GetButton(i)->m_nStyle & TBBS_HIDDEN))
            return i;
    return -1;
}

int SECCustomToolBar::FirstMenuButton() const
{
    for (int i = 0; i < GetBtnCount(); ++i)
        if (GetButton(i)->m_nType == SECStdBtn::KindMenu && !(GetButton(i)->m_nStyle & TBBS_HIDDEN))
            return i;
    return -1;
}

int SECCustomToolBar::NextKeyboardButton(BOOL bForward) const
{
    const int nFrom = m_nKeyboardBtn >= 0 ? m_nKeyboardBtn : m_nHotBtn;
    if (nFrom < 0)
        return bForward ? FirstKeyboardButton() : LastKeyboardButton();
    for (int i = nFrom + (bForward ? 1 : -1); i >= 0 && i < GetBtnCount(); i += bForward ? 1 : -1)
        if (IsKeyboardKind(GetButton(i)) && !(GetButton(i)->m_nStyle & TBBS_HIDDEN))
            return i;
    return -1;
}

BOOL SECCustomToolBar::OnKeyboardMouse(const MSG* pMsg)
{
    CPoint point(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
    if (pMsg->hwnd != m_hWnd)
    {
        ::ClientToScreen(pMsg->hwnd, &point);
        ScreenToClient(&point);
    }
    const int nIndex = HitTest(point.x, point.y);
    if (pMsg->message == WM_MOUSEMOVE)
    {
        if (nIndex < 0 || nIndex == m_nKeyboardBtn || !IsKeyboardKind(GetButton(nIndex)))
            return FALSE;
        // The other button asks for its menu, then the open one is closed.
        const int nOld = m_nKeyboardBtn;
        ActivateButton(nIndex);
        m_nKeyboardBtn = nIndex;
        SetHotButton(nIndex);
        SendBtnNotify(TBN_SEC_REOPEN, nOld, point);
        return TRUE;
    }
    if (pMsg->message == WM_LBUTTONDOWN && nIndex >= 0 && nIndex == m_nKeyboardBtn)
    {
        SendBtnNotify(TBN_SEC_REOPEN, nIndex, point);
        return TRUE;
    }
    return FALSE;
}

void SECCustomToolBar::CancelKeyboardButton()
{
    if (m_nKeyboardBtn >= 0 && m_nKeyboardBtn < GetBtnCount())
        GetButton(m_nKeyboardBtn)->CancelPress();
    m_nKeyboardBtn = -1;
    UpdateHotTracking();
}
} // namespace tarnwick::bars
