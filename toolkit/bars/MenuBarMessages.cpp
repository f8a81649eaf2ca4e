// SECMenuBarMessages: menu mode, popups and their hand-over, and the hooks behind them.
#include <toolkit/bars/MenuBarMessages.h>

#include <afxpriv.h>
#include <toolkit/bars/CapMenuBtn.h>
#include <toolkit/bars/MDIMenuBar.h>
#include <toolkit/bars/MenuBar.h>

#include <windowsx.h>

#include <memory>

namespace tarnwick::bars
{
namespace
{
constexpr int MAX_ACCELERATORS = 255;
constexpr int SYSTEM_MENU_POPUP = -1;
// The system command of a click on the frame's system icon.
constexpr UINT SC_SYSTEM_ICON_CLICK = 0xF093;

// One menu bar per process tracks at a time.
struct TrackingState
{
    HWND hTrackingBar = nullptr;
    SECMenuBarMessages* pTracking = nullptr;
    HHOOK hMsgFilter = nullptr;
    BOOL bSystemMenu = FALSE;
    HHOOK hKeyboard = nullptr;
    HHOOK hMouse = nullptr;
    CPoint ptLastMouse{0, 0};
    std::unique_ptr<SECMenuRequest> pPending;
};
TrackingState g_state;

SECMenuBar* TrackingBar()
{
    return dynamic_cast<SECMenuBar*>(CWnd::FromHandlePermanent(g_state.hTrackingBar));
}

// A system menu without a default item gets SC_CLOSE.
void EnsureDefaultItem(HMENU hMenu)
{
    if (::GetMenuDefaultItem(hMenu, FALSE, 0) == static_cast<UINT>(-1))
        ::SetMenuDefaultItem(hMenu, SC_CLOSE, FALSE);
}

// The point of a mouse message in the bar's client coordinates.
MSG ToBarClient(const MSG& msg, HWND hBar)
{
    MSG local = msg;
    CPoint point = msg.pt;
    ::ScreenToClient(hBar, &point);
    local.hwnd = hBar;
    local.lParam = MAKELPARAM(point.x, point.y);
    return local;
}
} // namespace

SECMenuBarMessages::SECMenuBarMessages()
    : m_pMenuBar(nullptr), m_bKeyboardOpen(FALSE), m_bMenuSelected(FALSE), m_bProdNext(FALSE), m_bAltConsumed(FALSE)
{
}

SECMenuBarMessages::~SECMenuBarMessages()
{
    if (g_state.pTracking == this)
    {
        HookKeyboardAndMouse(FALSE);
        HookMsgFilter(FALSE);
        g_state.pTracking = nullptr;
    }
}

UINT SECMenuBarMessages::MenuProdMessage()
{
    static const UINT nMessage = ::RegisterWindowMessage(_T("WM_SEC_MENUPROD"));
    return nMessage;
}

UINT SECMenuBarMessages::GetMenuMessage()
{
    static const UINT nMessage = ::RegisterWindowMessage(_T("WM_SECGETMENU"));
    return nMessage;
}

SECMenuBarMessages* SECMenuBarMessages::GetTrackingObject()
{
    return g_state.pTracking;
}

BOOL SECMenuBarMessages::IsTrackingSystemMenu()
{
    return g_state.bSystemMenu;
}

void SECMenuBarMessages::PostMenuProd(BOOL bNext)
{
    m_bMenuSelected = FALSE;
    m_bProdNext = bNext;
    if (CWnd* pTarget = GetTargetWnd())
        pTarget->PostMessage(MenuProdMessage());
}

BOOL SECMenuBarMessages::OnMenuProd()
{
    if (m_pMenuBar != nullptr && !m_bMenuSelected)
    {
        m_bKeyboardOpen = TRUE;
        m_pMenuBar->ProdMenu(m_bProdNext);
    }
    return TRUE;
}

void SECMenuBarMessages::LeaveMenuMode()
{
    if (m_pMenuBar != nullptr && m_pMenuBar->IsKeyboardMode())
        m_pMenuBar->EndKeyboardMode();
}

void SECMenuBarMessages::CancelMenu()
{
    LeaveMenuMode();
    if (g_state.hTrackingBar != nullptr)
        if (CWnd* pTarget = GetTargetWnd())
            pTarget->SendMessage(WM_CANCELMODE);
}

void SECMenuBarMessages::OnSwitchMenu(UINT nMenuID)
{
    if (m_pMenuBar == nullptr)
        return;
    m_pMenuBar->SwitchMenu(nMenuID);
    if (CFrameWnd* pFrame = m_pMenuBar->GetDockingFrame())
        pFrame->RecalcLayout();
    m_pMenuBar->Invalidate();
}

void SECMenuBarMessages::OpenHotMenu()
{
    if (m_pMenuBar != nullptr && m_pMenuBar->IsKeyboardMode())
    {
        m_bKeyboardOpen = TRUE;
        m_pMenuBar->OpenHotButton();
    }
}

void SECMenuBarMessages::TrackMouse(CPoint point)
{
    if (m_pMenuBar == nullptr)
        return;
    m_pMenuBar->ScreenToClient(&point);
    const int nIndex = m_pMenuBar->HitTest(point.x, point.y);
    if (nIndex >= 0 && nIndex != m_pMenuBar->GetKeyboardButton())
        m_pMenuBar->SetKeyboardButton(nIndex);
}

void SECMenuBarMessages::ConsumeAltUp()
{
    m_bAltConsumed = TRUE;
}

BOOL SECMenuBarMessages::OnMenuSelect()
{
    m_bMenuSelected = TRUE;
    return FALSE;
}

BOOL SECMenuBarMessages::OnInitMenuPopup()
{
    if (m_bKeyboardOpen)
    {
        // A popup opened from the keyboard starts on its first item.
        m_bKeyboardOpen = FALSE;
        if (CWnd* pTarget = GetTargetWnd())
            pTarget->PostMessage(WM_KEYDOWN, VK_DOWN, 0);
    }
    return FALSE;
}

BOOL SECMenuBarMessages::OnSysCommand(UINT nID)
{
    if (nID != SC_SYSTEM_ICON_CLICK || m_pMenuBar == nullptr)
        return FALSE;
    m_pMenuBar->RequestSystemMenu();
    return TRUE;
}

BOOL SECMenuBarMessages::OnNcActivate(BOOL bActive)
{
    if (!bActive)
        CancelMenu();
    return FALSE;
}

BOOL SECMenuBarMessages::OnSysMenuClick(const MSG* pMsg)
{
    CWnd* pTarget = GetTargetWnd();
    if (pTarget == nullptr)
        return FALSE;
    CRect rect;
    pTarget->GetWindowRect(rect);
    if (pTarget->GetStyle() & WS_THICKFRAME)
        rect.OffsetRect(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
    rect.right = rect.left + ::GetSystemMetrics(SM_CXMENUSIZE) - 1;
    rect.bottom = rect.top + ::GetSystemMetrics(SM_CYMENUSIZE);
    if (!rect.PtInRect(pMsg->pt))
        return FALSE;
    pTarget->PostMessage(WM_CANCELMODE);
    if (pMsg->message == WM_LBUTTONDBLCLK)
    {
        HMENU hSysMenu = ::GetSystemMenu(pTarget->m_hWnd, FALSE);
        EnsureDefaultItem(hSysMenu);
        pTarget->PostMessage(WM_SYSCOMMAND, ::GetMenuDefaultItem(hSysMenu, FALSE, 0));
    }
    return TRUE;
}

HMENU SECMenuBarMessages::ResolvePopup(const SECMenuRequest& request, BOOL& bSystem)
{
    bSystem = FALSE;
    CWnd* pTarget = GetTargetWnd();
    if (pTarget == nullptr || request.nm.hdr.code != static_cast<UINT>(TBN_SEC_DROPDOWN))
        return nullptr;
    if (request.MenuID() != 0 && request.PopupIndex() >= 0)
        return reinterpret_cast<HMENU>(pTarget->SendMessage(GetMenuMessage(), request.MenuID(), request.PopupIndex()));
    if (request.MenuID() != 0)
        return nullptr;
    HWND hOwner = pTarget->m_hWnd;
    if (request.PopupIndex() == SECCapMenuBtn::CHILD_SYSTEM_MENU)
    {
        // The maximised MDI child's own system menu.
        auto* pMDIFrame = dynamic_cast<CMDIFrameWnd*>(pTarget);
        CMDIChildWnd* pChild = pMDIFrame != nullptr ? pMDIFrame->MDIGetActive() : nullptr;
        if (pChild == nullptr)
            return nullptr;
        hOwner = pChild->m_hWnd;
    }
    else if (request.PopupIndex() != SYSTEM_MENU_POPUP)
        return nullptr;
    HMENU hSysMenu = ::GetSystemMenu(hOwner, FALSE);
    if (hSysMenu != nullptr)
    {
        EnsureDefaultItem(hSysMenu);
        bSystem = request.PopupIndex() == SYSTEM_MENU_POPUP;
    }
    return hSysMenu;
}

BOOL SECMenuBarMessages::OnNotify(NMHDR* pNMHDR)
{
    if (m_pMenuBar == nullptr || pNMHDR->hwndFrom != m_pMenuBar->m_hWnd)
        return FALSE;
    const int nCode = static_cast<int>(pNMHDR->code);
    if (nCode == TBN_SEC_KEYBOARDBUTTON)
    {
        g_state.pTracking = this;
        HookKeyboardAndMouse(TRUE);
        return TRUE;
    }
    if (nCode == TBN_SEC_ENDKEYBOARD)
    {
        HookKeyboardAndMouse(FALSE);
        if (g_state.pTracking == this && g_state.hTrackingBar == nullptr)
            g_state.pTracking = nullptr;
        return TRUE;
    }
    if (nCode != TBN_SEC_DROPDOWN && nCode != TBN_SEC_REOPEN)
        return FALSE;

    auto* pRequest = reinterpret_cast<SECMenuRequest*>(pNMHDR);
    std::unique_ptr<SECMenuRequest> pTaken;
    for (;;)
    {
        BOOL bSystem = FALSE;
        HMENU hPopup = ResolvePopup(*pRequest, bSystem);
        if (g_state.hTrackingBar != nullptr)
        {
            // A popup is open: it closes, and its loop picks the request up.
            GetTargetWnd()->SendMessage(WM_CANCELMODE);
            if (hPopup != nullptr)
            {
                if (g_state.pPending == nullptr)
                    g_state.pPending = std::make_unique<SECMenuRequest>();
                *g_state.pPending = *pRequest;
                g_state.pPending->SetOwned(TRUE);
            }
            return TRUE;
        }
        if (hPopup == nullptr)
            return TRUE;
        g_state.hTrackingBar = pRequest->nm.hdr.hwndFrom;
        g_state.pTracking = this;
        SECCustomToolBar::SetMenuTracking(TRUE);
        if (bSystem)
            TrackSystemMenu(m_pMenuBar, hPopup, *pRequest);
        else
            TrackPopup(m_pMenuBar, hPopup, *pRequest);
        SECCustomToolBar::SetMenuTracking(FALSE);
        g_state.hTrackingBar = nullptr;
        g_state.pTracking = nullptr;
        pTaken.reset();
        if (g_state.pPending == nullptr)
            break;
        pTaken = std::move(g_state.pPending);
        pRequest = pTaken.get();
    }
    m_pMenuBar->CancelKeyboardButton();
    return TRUE;
}

void SECMenuBarMessages::TrackPopup(SECMenuBar* pBar, HMENU hMenu, const SECMenuRequest& request)
{
    CRect rect(0, 0, 0, 0);
    const int nIndex = request.ButtonIndex();
    if (nIndex >= 0 && nIndex < pBar->GetBtnCount())
    {
        rect = pBar->GetButtonRect(nIndex);
        pBar->ClientToScreen(rect);
        pBar->GetButton(nIndex)->m_nStyle |= TBBS_PRESSED;
        pBar->InvalidateButton(nIndex);
    }
    HookMsgFilter(TRUE);
    TPMPARAMS params{};
    params.cbSize = sizeof(params);
    params.rcExclude = rect;
    ::TrackPopupMenuEx(hMenu, 0, rect.left, rect.bottom, GetTargetWnd()->m_hWnd, &params);
    HookMsgFilter(FALSE);
    if (nIndex >= 0 && nIndex < pBar->GetBtnCount())
        pBar->GetButton(nIndex)->CancelPress();
}

void SECMenuBarMessages::TrackSystemMenu(SECMenuBar*, HMENU hMenu, const SECMenuRequest&)
{
    CWnd* pTarget = GetTargetWnd();
    CRect rect;
    pTarget->GetWindowRect(rect);
    rect.OffsetRect(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
    rect.right = rect.left + ::GetSystemMetrics(SM_CXMENUSIZE);
    rect.bottom = rect.top + ::GetSystemMetrics(SM_CYMENUSIZE);
    HookMsgFilter(TRUE);
    g_state.bSystemMenu = TRUE;
    TPMPARAMS params{};
    params.cbSize = sizeof(params);
    params.rcExclude = rect;
    const UINT nCommand =
        static_cast<UINT>(::TrackPopupMenuEx(hMenu, TPM_RETURNCMD, rect.left, rect.bottom, pTarget->m_hWnd, &params));
    g_state.bSystemMenu = FALSE;
    if (nCommand != 0)
        pTarget->PostMessage(WM_SYSCOMMAND, nCommand);
    HookMsgFilter(FALSE);
}

void SECMenuBarMessages::HookMsgFilter(BOOL bHook)
{
    if (bHook && g_state.hMsgFilter == nullptr)
    {
        g_state.ptLastMouse = CPoint(0, 0);
        g_state.hMsgFilter = ::SetWindowsHookEx(WH_MSGFILTER, &MsgFilterHook, nullptr, ::GetCurrentThreadId());
    }
    else if (!bHook && g_state.hMsgFilter != nullptr)
    {
        ::UnhookWindowsHookEx(g_state.hMsgFilter);
        g_state.hMsgFilter = nullptr;
    }
}

void SECMenuBarMessages::HookKeyboardAndMouse(BOOL bHook)
{
    if (bHook && g_state.hKeyboard == nullptr && g_state.hMouse == nullptr)
    {
        g_state.hKeyboard = ::SetWindowsHookEx(WH_KEYBOARD, &KeyboardHook, nullptr, ::GetCurrentThreadId());
        g_state.hMouse = ::SetWindowsHookEx(WH_MOUSE, &MouseHook, nullptr, ::GetCurrentThreadId());
    }
    else if (!bHook && g_state.hKeyboard != nullptr && g_state.hMouse != nullptr)
    {
        ::UnhookWindowsHookEx(g_state.hKeyboard);
        ::UnhookWindowsHookEx(g_state.hMouse);
        g_state.hKeyboard = g_state.hMouse = nullptr;
    }
}

LRESULT CALLBACK SECMenuBarMessages::MsgFilterHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    auto* pMsg = reinterpret_cast<MSG*>(lParam);
    SECMenuBarMessages* pTracking = g_state.pTracking;
    if (nCode != MSGF_MENU || pTracking == nullptr)
        return ::CallNextHookEx(g_state.hMsgFilter, nCode, wParam, lParam);
    if (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST && pMsg->hwnd != nullptr)
    {
        // Where the message itself says, as the menu reads it.
        CPoint point(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
        ::ClientToScreen(pMsg->hwnd, &point);
        pMsg->pt = point;
    }
    if (g_state.bSystemMenu && (pMsg->message == WM_LBUTTONDOWN || pMsg->message == WM_LBUTTONDBLCLK) &&
        pTracking->OnSysMenuClick(pMsg))
        return TRUE;
    if (pMsg->message == WM_LBUTTONDOWN)
        g_state.ptLastMouse = pMsg->pt;
    if (pMsg->message == WM_MOUSEMOVE)
    {
        if (g_state.ptLastMouse == CPoint(pMsg->pt) || g_state.ptLastMouse == CPoint(0, 0))
        {
            g_state.ptLastMouse = pMsg->pt;
            return TRUE;
        }
        g_state.ptLastMouse = pMsg->pt;
    }
    if ((pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_LBUTTONDOWN) &&
        ::WindowFromPoint(pMsg->pt) == g_state.hTrackingBar)
    {
        SECMenuBar* pBar = TrackingBar();
        // A press right after the bar's own press belongs to the menu (a double click on the
        // system-menu button).
        auto* pMDIBar = dynamic_cast<SECMDIMenuBar*>(pBar);
        const bool bOwnPress = pMsg->message == WM_LBUTTONDOWN && pMDIBar != nullptr && pMDIBar->m_dwPressTick != 0 &&
                               ::GetTickCount() - pMDIBar->m_dwPressTick <= ::GetDoubleClickTime();
        if (pBar != nullptr && !bOwnPress)
        {
            const MSG local = ToBarClient(*pMsg, g_state.hTrackingBar);
            if (pBar->OnKeyboardMouse(&local))
                return TRUE;
        }
    }
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_LEFT || pMsg->wParam == VK_RIGHT))
        pTracking->PostMenuProd(pMsg->wParam == VK_RIGHT);
    if (pMsg->message == WM_SYSKEYDOWN && pMsg->wParam == VK_MENU)
        pTracking->ConsumeAltUp();
    return ::CallNextHookEx(g_state.hMsgFilter, nCode, wParam, lParam);
}

LRESULT CALLBACK SECMenuBarMessages::KeyboardHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    SECMenuBarMessages* pTracking = g_state.pTracking;
    if (nCode != HC_ACTION || pTracking == nullptr)
        return ::CallNextHookEx(g_state.hKeyboard, nCode, wParam, lParam);
    const bool bRelease = (lParam & 0x80000000) != 0;
    if (bRelease)
        return wParam == VK_MENU ? ::CallNextHookEx(g_state.hKeyboard, nCode, wParam, lParam) : TRUE;
    switch (wParam)
    {
    case VK_RETURN:
    case VK_DOWN:
        pTracking->OpenHotMenu();
        return TRUE;
    case VK_ESCAPE:
        pTracking->CancelMenu();
        return TRUE;
    case VK_LEFT:
    case VK_RIGHT:
        pTracking->PostMenuProd(wParam == VK_RIGHT);
        return TRUE;
    case VK_MENU:
    case VK_F10:
        return ::CallNextHookEx(g_state.hKeyboard, nCode, wParam, lParam);
    default: {
        MSG msg{};
        msg.hwnd = pTracking->GetTargetWnd() != nullptr ? pTracking->GetTargetWnd()->m_hWnd : nullptr;
        msg.message = WM_SYSCOMMAND;
        msg.wParam = SC_KEYMENU;
        msg.lParam = static_cast<LPARAM>(wParam);
        pTracking->PreTranslateMessage(&msg);
        return TRUE;
    }
    }
}

LRESULT CALLBACK SECMenuBarMessages::MouseHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    SECMenuBarMessages* pTracking = g_state.pTracking;
    if (nCode == HC_ACTION && pTracking != nullptr)
    {
        const auto* pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        if (wParam == WM_MOUSEMOVE && CPoint(pInfo->pt) != g_state.ptLastMouse)
        {
            g_state.ptLastMouse = pInfo->pt;
            pTracking->TrackMouse(pInfo->pt);
        }
        else if (wParam == WM_LBUTTONDOWN || wParam == WM_RBUTTONDOWN || wParam == WM_MBUTTONDOWN)
            pTracking->CancelMenu();
    }
    return ::CallNextHookEx(g_state.hMouse, nCode, wParam, lParam);
}

BOOL SECMenuBarMessages::IsViewMnemonic(UINT nKey)
{
    CWnd* pTarget = GetTargetWnd();
    CFrameWnd* pFrame = pTarget != nullptr && pTarget->IsFrameWnd() ? static_cast<CFrameWnd*>(pTarget) : nullptr;
    if (pFrame == nullptr)
        return FALSE;
    CFrameWnd* pActive = pFrame->GetActiveFrame();
    CView* pView = pActive != nullptr ? pActive->GetActiveView() : nullptr;
    if (pView == nullptr)
        return FALSE;
    const TCHAR chKey = static_cast<TCHAR>(nKey);
    for (HWND hChild = ::GetTopWindow(pView->m_hWnd); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        TCHAR szText[256] = {};
        ::GetWindowText(hChild, szText, _countof(szText));
        const LPCTSTR pAmp = _tcschr(szText, _T('&'));
        if (pAmp != nullptr && pAmp[1] != 0 &&
            ::CompareString(LOCALE_USER_DEFAULT, NORM_IGNORECASE, pAmp + 1, 1, &chKey, 1) == CSTR_EQUAL)
            return TRUE;
    }
    return FALSE;
}

BOOL SECMenuBarMessages::IsF10Accelerator()
{
    CWnd* pMain = AfxGetMainWnd();
    CFrameWnd* pFrame = pMain != nullptr && pMain->IsFrameWnd() ? static_cast<CFrameWnd*>(pMain) : nullptr;
    if (pFrame == nullptr)
    {
        CWnd* pTarget = GetTargetWnd();
        pFrame = pTarget != nullptr && pTarget->IsFrameWnd() ? static_cast<CFrameWnd*>(pTarget) : nullptr;
    }
    CFrameWnd* pActive = pFrame != nullptr ? pFrame->GetActiveFrame() : nullptr;
    HACCEL hAccel = pActive != nullptr ? pActive->GetDefaultAccelerator() : nullptr;
    if (hAccel == nullptr)
        return FALSE;
    ACCEL accels[MAX_ACCELERATORS];
    const int nCount = ::CopyAcceleratorTable(hAccel, accels, MAX_ACCELERATORS);
    const BYTE fHeld =
        static_cast<BYTE>((::GetKeyState(VK_SHIFT) < 0 ? FSHIFT : 0) | (::GetKeyState(VK_CONTROL) < 0 ? FCONTROL : 0) |
                          (::GetKeyState(VK_MENU) < 0 ? FALT : 0));
    for (int i = 0; i < nCount; ++i)
        if ((accels[i].fVirt & FVIRTKEY) && accels[i].key == VK_F10 &&
            (accels[i].fVirt & (FSHIFT | FCONTROL | FALT)) == fHeld)
            return TRUE;
    return FALSE;
}

BOOL SECMenuBarMessages::DropDownMnemonic(UINT nKey)
{
    if (nKey == VK_SPACE || nKey == '-')
    {
        LeaveMenuMode();
        m_bKeyboardOpen = TRUE;
        m_pMenuBar->RequestSystemMenu();
        return TRUE;
    }
    const int nIndex = m_pMenuBar->FindMnemonic(static_cast<TCHAR>(
        reinterpret_cast<UINT_PTR>(::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(nKey & 0xFFFF))))));
    if (nIndex < 0)
        return FALSE;
    m_bKeyboardOpen = TRUE;
    m_pMenuBar->ActivateButton(nIndex);
    return TRUE;
}

BOOL SECMenuBarMessages::PreTranslateMessage(MSG* pMsg)
{
    if (m_pMenuBar == nullptr)
        return FALSE;
    const bool bAlt = ::GetKeyState(VK_MENU) < 0;
    const UINT nKey = static_cast<UINT>(pMsg->wParam);
    const bool bKeyMessage = pMsg->message == WM_SYSKEYDOWN || pMsg->message == WM_KEYDOWN;
    if (bAlt && bKeyMessage && (nKey < 0x3A || (nKey >= 0x41 && nKey <= 0x7A)) && nKey != VK_MENU &&
        IsViewMnemonic(nKey))
        return FALSE;
    if (pMsg->message == WM_SYSKEYDOWN && (nKey == VK_MENU || nKey == VK_F10) && m_pMenuBar->IsKeyboardMode())
    {
        LeaveMenuMode();
        m_bAltConsumed = TRUE;
        return TRUE;
    }
    if (pMsg->message == WM_SYSKEYUP && (nKey == VK_MENU || nKey == VK_F10))
    {
        if (!m_bAltConsumed)
        {
            if (m_pMenuBar->IsKeyboardMode())
                LeaveMenuMode();
            else if (!(nKey == VK_F10 && IsF10Accelerator()))
            {
                const int nFirst = m_pMenuBar->FirstMenuButton();
                if (nFirst >= 0)
                    m_pMenuBar->SetKeyboardButton(nFirst);
            }
        }
        m_bAltConsumed = FALSE;
        return TRUE;
    }
    if (pMsg->message == WM_SYSCOMMAND && (pMsg->wParam & 0xFFF0) == SC_KEYMENU)
    {
        DropDownMnemonic(static_cast<UINT>(pMsg->lParam));
        return TRUE;
    }
    if (pMsg->message == WM_SYSKEYDOWN && bAlt && nKey != VK_MENU)
        return DropDownMnemonic(nKey);
    return FALSE;
}
} // namespace tarnwick::bars
