// CWnd's message handling: dispatch through the message map, command and notification
// routing, reflection to child controls, and the default handlers.
#include <afxcmn.h>
#include <afxpriv.h>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

// clang-format off
BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_COMPAREITEM()
    ON_WM_DELETEITEM()
    ON_WM_CHARTOITEM()
    ON_WM_VKEYTOITEM()
    ON_WM_CTLCOLOR()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_PARENTNOTIFY()
    ON_WM_NCDESTROY()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_MESSAGE(WM_ACTIVATETOPLEVEL, OnActivateTopLevel)
END_MESSAGE_MAP()
// clang-format on

namespace
{
// Asks a command's update handler whether it is enabled, so that a command from a menu or
// an accelerator whose item has become disabled is dropped.
class CTestCmdUI : public CCmdUI
{
public:
    BOOL m_bEnabled = TRUE;

    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override
    {
    }
    void SetRadio(BOOL) override
    {
    }
    void SetText(LPCTSTR) override
    {
    }
};

// Dispatches a window message through the map chain; TRUE with lResult when a handler took it.
BOOL DispatchWindowMessage(CWnd* pWnd, const AFX_MSGMAP* pMap, UINT message, WPARAM wParam, LPARAM lParam,
                           LRESULT& lResult)
{
    AFX_DISPATCH call{message, wParam, lParam, 0, nullptr, 0};
    for (; pMap != nullptr; pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr)
    {
        if (message < AFX_REGISTERED_MESSAGE)
        {
            if (const AFX_MSGMAP_ENTRY* lpEntry = AfxFindMessageEntry(pMap->lpEntries, message, 0, 0))
            {
                lpEntry->pfn(pWnd, call);
                lResult = call.lResult;
                return TRUE;
            }
            continue;
        }
        // Each registered-message thunk checks its own variable.
        for (const AFX_MSGMAP_ENTRY* lpEntry = pMap->lpEntries;
             (lpEntry = AfxFindMessageEntry(lpEntry, AFX_REGISTERED_MESSAGE, 0, 0)) != nullptr; ++lpEntry)
        {
            if (lpEntry->pfn(pWnd, call))
            {
                lResult = call.lResult;
                return TRUE;
            }
        }
    }
    return FALSE;
}

// A top-level window learns that activation moves between it and another top-level window
// (frames keep their own active state with it).
void HandleActivate(CWnd* pWnd, WPARAM nState, HWND hWndOther)
{
    if (pWnd->GetStyle() & WS_CHILD)
        return;
    CWnd* pTopLevel = pWnd->GetTopLevelParent();
    if (pTopLevel == nullptr)
        return;
    CWnd* pOtherTop = ::IsWindow(hWndOther) ? CWnd::FromHandle(hWndOther)->GetTopLevelParent() : nullptr;
    if (pOtherTop == pTopLevel)
        return;
    HWND hWnd2[2] = {pWnd->m_hWnd, hWndOther};
    pTopLevel->SendMessage(WM_ACTIVATETOPLEVEL, nState, reinterpret_cast<LPARAM>(hWnd2));
}

// A click on a window disabled by a modal one brings the modal window to the front.
BOOL HandleSetCursor(CWnd* pWnd, UINT nHitTest, UINT nMsg)
{
    if (nHitTest != static_cast<UINT>(static_cast<WORD>(HTERROR)) ||
        (nMsg != WM_LBUTTONDOWN && nMsg != WM_MBUTTONDOWN && nMsg != WM_RBUTTONDOWN))
        return FALSE;
    CWnd* pLastActive = pWnd->GetTopLevelParent();
    if (pLastActive != nullptr)
        pLastActive = pLastActive->GetLastActivePopup();
    if (pLastActive == nullptr || pLastActive == CWnd::GetForegroundWindow() || !pLastActive->IsWindowEnabled())
        return FALSE;
    pLastActive->SetForegroundWindow();
    return TRUE;
}

// The last message's lParam as a window, for the handlers whose control comes that way.
HWND LastMessageWindow()
{
    return reinterpret_cast<HWND>(AfxGetThreadState()->m_lastSentMsg.lParam);
}
} // namespace

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // Handlers may destroy the window and delete this object: nothing below touches members
    // after the dispatch.
    LRESULT lResult = 0;
    if (message == WM_COMMAND)
    {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        lResult = 1;
    }
    else if (message == WM_NOTIFY)
    {
        const auto* pNMHDR = reinterpret_cast<const NMHDR*>(lParam);
        if (pNMHDR->hwndFrom == nullptr || !OnNotify(wParam, lParam, &lResult))
            return FALSE;
    }
    else
    {
        if (message == WM_ACTIVATE)
            HandleActivate(this, wParam, reinterpret_cast<HWND>(lParam));
        if (message == WM_SETCURSOR && HandleSetCursor(this, LOWORD(lParam), HIWORD(lParam)))
            lResult = 1;
        else if (!DispatchWindowMessage(this, GetMessageMap(), message, wParam, lParam, lResult))
        {
            if (message < WM_CTLCOLORMSGBOX || message > WM_CTLCOLORSTATIC)
                return FALSE;
            // The colour messages share the OnCtlColor handler.
            AFX_CTLCOLOR ctl{reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam),
                             message - WM_CTLCOLORMSGBOX};
            if (!DispatchWindowMessage(this, GetMessageMap(), WM_CTLCOLOR, 0, reinterpret_cast<LPARAM>(&ctl), lResult))
                return FALSE;
        }
    }
    if (pResult != nullptr)
        *pResult = lResult;
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr)
        return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
    WNDPROC pfnWndProc = *GetSuperWndProcAddr();
    if (pfnWndProc == nullptr)
        return ::DefWindowProc(m_hWnd, message, wParam, lParam);
    return ::CallWindowProc(pfnWndProc, m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

WNDPROC* CWnd::GetSuperWndProcAddr()
{
    return &m_pfnSuper;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    const HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hWndCtrl == nullptr)
    {
        if (nID == 0)
            return FALSE;
        // A menu item or accelerator whose command has become disabled does nothing.
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    }
    else
    {
        if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd)
            return TRUE;
        if (ReflectLastMsg(hWndCtrl))
            return TRUE;
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    const HWND hWndCtrl = pNMHDR->hwndFrom;
    // The id of the window that sent it: idFrom may be anything for some controls.
    const UINT nID = static_cast<UINT>(::GetDlgCtrlID(hWndCtrl));
    const int nCode = static_cast<int>(pNMHDR->code);
    if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd)
        return TRUE;
    if (ReflectLastMsg(hWndCtrl, pResult))
        return TRUE;
    AFX_NOTIFY notify{pResult, pNMHDR};
    return OnCmdMsg(nID, MAKELONG(nCode, WM_NOTIFY), &notify, nullptr);
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    // Only windows with objects of their own get reflected messages.
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    return pWnd != nullptr && pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // Reflected messages go straight to this object's map: they are not routed on.
    switch (message)
    {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
        return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    case WM_COMMAND:
        if (CWnd::OnCmdMsg(0, MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND), nullptr, nullptr))
        {
            if (pResult != nullptr)
                *pResult = 1;
            return TRUE;
        }
        return FALSE;
    case WM_NOTIFY: {
        auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        AFX_NOTIFY notify{pResult, pNMHDR};
        return CWnd::OnCmdMsg(0, MAKELONG(static_cast<int>(pNMHDR->code), WM_REFLECT_BASE + WM_NOTIFY), &notify,
                              nullptr);
    }
    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        {
            AFX_CTLCOLOR ctl{m_hWnd, reinterpret_cast<HDC>(wParam), message - WM_CTLCOLORMSGBOX};
            LRESULT lResult = 0;
            // A NULL brush leaves the colours to the parent.
            if (!CWnd::OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, 0, reinterpret_cast<LPARAM>(&ctl), &lResult) ||
                lResult == 0)
                return FALSE;
            if (pResult != nullptr)
                *pResult = lResult;
            return TRUE;
        }
        return FALSE;
    }
}

void CWnd::PreSubclassWindow()
{
}

void CWnd::PostNcDestroy()
{
}

BOOL CWnd::CheckAutoCenter()
{
    return TRUE;
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    // Controls changed by the exchange notify nobody.
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    const HWND hWndOldLockout = pState->m_hLockoutNotifyWindow;
    pState->m_hLockoutNotifyWindow = m_hWnd;
    BOOL bOK = TRUE;
    try
    {
        DoDataExchange(&dx);
    }
    catch (CUserException* e)
    {
        // The failing exchange has told the user already.
        e->Delete();
        bOK = FALSE;
    }
    catch (CException*)
    {
        pState->m_hLockoutNotifyWindow = hWndOldLockout;
        throw;
    }
    pState->m_hLockoutNotifyWindow = hWndOldLockout;
    return bOK;
}

void CWnd::DoDataExchange(CDataExchange*)
{
}

BOOL CWnd::IsFrameWnd() const
{
    return FALSE;
}

CScrollBar* CWnd::GetScrollBarCtrl(int) const
{
    return nullptr;
}

// Default handlers

int CWnd::OnCreate(LPCREATESTRUCT)
{
    return static_cast<int>(Default());
}

BOOL CWnd::OnNcCreate(LPCREATESTRUCT)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnDestroy()
{
    Default();
}

void CWnd::OnNcDestroy()
{
    // The thread ends with its main window.
    if (CWinThread* pThread = AfxGetThread(); pThread != nullptr && pThread->m_pMainWnd == this)
    {
        ::PostQuitMessage(0);
        pThread->m_pMainWnd = nullptr;
    }
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_pLastHit == this)
    {
        if (pState->m_pToolTip != nullptr)
            pState->m_pToolTip->SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&pState->m_lastInfo));
        pState->m_pLastHit = nullptr;
        pState->m_nLastHit = -1;
    }

    // Put the original procedure back unless someone subclassed the window after us.
    const auto pfnWndProc = reinterpret_cast<WNDPROC>(::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC));
    Default();
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC)) == pfnWndProc)
    {
        if (WNDPROC pfnSuper = *GetSuperWndProcAddr())
            ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnSuper));
    }
    Detach();
    PostNcDestroy();
}

void CWnd::OnClose()
{
    Default();
}

void CWnd::OnSize(UINT, int, int)
{
    Default();
}

void CWnd::OnSizing(UINT, LPRECT)
{
    Default();
}

void CWnd::OnMove(int, int)
{
    Default();
}

void CWnd::OnMoving(UINT, LPRECT)
{
    Default();
}

void CWnd::OnPaint()
{
    Default();
}

BOOL CWnd::OnEraseBkgnd(CDC*)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnTimer(UINT_PTR)
{
    Default();
}

void CWnd::OnSetFocus(CWnd*)
{
    Default();
}

void CWnd::OnKillFocus(CWnd*)
{
    Default();
}

void CWnd::OnLButtonDown(UINT, CPoint)
{
    Default();
}

void CWnd::OnLButtonUp(UINT, CPoint)
{
    Default();
}

void CWnd::OnLButtonDblClk(UINT, CPoint)
{
    Default();
}

void CWnd::OnRButtonDown(UINT, CPoint)
{
    Default();
}

void CWnd::OnRButtonUp(UINT, CPoint)
{
    Default();
}

void CWnd::OnRButtonDblClk(UINT, CPoint)
{
    Default();
}

void CWnd::OnMButtonDown(UINT, CPoint)
{
    Default();
}

void CWnd::OnMButtonUp(UINT, CPoint)
{
    Default();
}

void CWnd::OnMButtonDblClk(UINT, CPoint)
{
    Default();
}

void CWnd::OnMouseMove(UINT, CPoint)
{
    Default();
}

BOOL CWnd::OnMouseWheel(UINT, short, CPoint)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnKeyDown(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnKeyUp(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnChar(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnSysKeyDown(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnSysKeyUp(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnSysChar(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnSysCommand(UINT, LPARAM)
{
    Default();
}

LRESULT CWnd::OnNcHitTest(CPoint)
{
    return Default();
}

void CWnd::OnNcLButtonDown(UINT, CPoint)
{
    Default();
}

void CWnd::OnNcLButtonUp(UINT, CPoint)
{
    Default();
}

void CWnd::OnNcLButtonDblClk(UINT, CPoint)
{
    Default();
}

void CWnd::OnNcRButtonDown(UINT, CPoint)
{
    Default();
}

void CWnd::OnNcRButtonUp(UINT, CPoint)
{
    Default();
}

void CWnd::OnNcMButtonDown(UINT, CPoint)
{
    Default();
}

void CWnd::OnNcMButtonUp(UINT, CPoint)
{
    Default();
}

void CWnd::OnNcMouseMove(UINT, CPoint)
{
    Default();
}

void CWnd::OnNcPaint()
{
    Default();
}

void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*)
{
    Default();
}

BOOL CWnd::OnNcActivate(BOOL)
{
    return static_cast<BOOL>(Default());
}

BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnContextMenu(CWnd*, CPoint)
{
    Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar*)
{
    if (!ReflectLastMsg(LastMessageWindow()))
        Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar*)
{
    if (!ReflectLastMsg(LastMessageWindow()))
        Default();
}

void CWnd::OnGetMinMaxInfo(MINMAXINFO*)
{
    Default();
}

void CWnd::OnWindowPosChanging(WINDOWPOS*)
{
    Default();
}

void CWnd::OnWindowPosChanged(WINDOWPOS*)
{
    Default();
}

void CWnd::OnStyleChanging(int, LPSTYLESTRUCT)
{
    Default();
}

void CWnd::OnStyleChanged(int, LPSTYLESTRUCT)
{
    Default();
}

void CWnd::OnShowWindow(BOOL, UINT)
{
    Default();
}

void CWnd::OnActivate(UINT, CWnd*, BOOL)
{
    Default();
}

void CWnd::OnActivateApp(BOOL, DWORD)
{
    Default();
}

int CWnd::OnMouseActivate(CWnd*, UINT, UINT)
{
    return static_cast<int>(Default());
}

void CWnd::OnChildActivate()
{
    Default();
}

void CWnd::OnSettingChange(UINT, LPCTSTR)
{
    // Children of a top-level window do not get these from the system.
    if (!(GetStyle() & WS_CHILD))
    {
        const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
        SendMessageToDescendants(msg.message, msg.wParam, msg.lParam, TRUE, TRUE);
    }
    Default();
}

void CWnd::OnSysColorChange()
{
    if (!(GetStyle() & WS_CHILD))
        SendMessageToDescendants(WM_SYSCOLORCHANGE, 0, 0, TRUE, TRUE);
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT lResult = 0;
    if (pWnd != nullptr && pWnd->SendChildNotifyLastMsg(&lResult))
        return reinterpret_cast<HBRUSH>(lResult);
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType == ODT_MENU)
    {
        if (CMenu* pMenu = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(lpDrawItemStruct->hwndItem)))
        {
            pMenu->DrawItem(lpDrawItemStruct);
            return;
        }
    }
    else if (ReflectLastMsg(lpDrawItemStruct->hwndItem))
        return;
    Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType == ODT_MENU)
    {
        // The item's menu: the pop-up of the menu bar that holds its id.
        CMenu* pMenu = GetMenu();
        for (int i = 0; pMenu != nullptr && i < static_cast<int>(pMenu->GetMenuItemCount()); ++i)
        {
            CMenu* pPopup = pMenu->GetSubMenu(i);
            if (pPopup == nullptr || pPopup->GetMenuState(lpMeasureItemStruct->itemID, MF_BYCOMMAND) == UINT(-1))
                continue;
            if (CMenu* pOwner = CMenu::FromHandlePermanent(pPopup->m_hMenu))
            {
                pOwner->MeasureItem(lpMeasureItemStruct);
                return;
            }
        }
    }
    else if (CWnd* pChild = GetDescendantWindow(static_cast<int>(lpMeasureItemStruct->CtlID), TRUE))
    {
        if (pChild->SendChildNotifyLastMsg())
            return;
    }
    Default();
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    LRESULT lResult = 0;
    if (ReflectLastMsg(lpCompareItemStruct->hwndItem, &lResult))
        return static_cast<int>(lResult);
    return static_cast<int>(Default());
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    if (!ReflectLastMsg(lpDeleteItemStruct->hwndItem))
        Default();
}

int CWnd::OnCharToItem(UINT, CListBox*, UINT)
{
    LRESULT lResult = 0;
    if (ReflectLastMsg(LastMessageWindow(), &lResult))
        return static_cast<int>(lResult);
    return static_cast<int>(Default());
}

int CWnd::OnVKeyToItem(UINT, CListBox*, UINT)
{
    LRESULT lResult = 0;
    if (ReflectLastMsg(LastMessageWindow(), &lResult))
        return static_cast<int>(lResult);
    return static_cast<int>(Default());
}

void CWnd::OnParentNotify(UINT message, LPARAM lParam)
{
    // A child's creation and destruction are told to the child's object too.
    if ((LOWORD(message) == WM_CREATE || LOWORD(message) == WM_DESTROY) &&
        ReflectLastMsg(reinterpret_cast<HWND>(lParam)))
        return;
    Default();
}

UINT CWnd::OnGetDlgCode()
{
    return static_cast<UINT>(Default());
}

void CWnd::OnCancelMode()
{
    Default();
}

void CWnd::OnCaptureChanged(CWnd*)
{
    Default();
}

void CWnd::OnEnable(BOOL)
{
    Default();
}

void CWnd::OnInitMenu(CMenu*)
{
    Default();
}

void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL)
{
    Default();
}

void CWnd::OnMenuSelect(UINT, UINT, HMENU)
{
    Default();
}

void CWnd::OnEnterIdle(UINT, CWnd*)
{
    Default();
}

void CWnd::OnEnterMenuLoop(BOOL)
{
    Default();
}

void CWnd::OnExitMenuLoop(BOOL)
{
    Default();
}

void CWnd::OnDropFiles(HDROP)
{
    Default();
}

BOOL CWnd::OnHelpInfo(HELPINFO*)
{
    return static_cast<BOOL>(Default());
}

BOOL CWnd::OnQueryEndSession()
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnEndSession(BOOL)
{
    Default();
}

LRESULT CWnd::OnActivateTopLevel(WPARAM wParam, LPARAM)
{
    // A tip must not stay up over a window that lost activation.
    if (LOWORD(wParam) == WA_INACTIVE)
        CancelToolTips(TRUE);
    return 0;
}
