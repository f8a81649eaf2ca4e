// CWnd's part in the message loop: the modal loop, pre-translation, tool tips and the
// command updates of child controls.
#include <afxcmn.h>
#include <afxpriv.h>

#include <cstdlib>
#include <cstring>

int CWnd::RunModalLoop(DWORD dwFlags)
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    const HWND hWndParent = ::GetParent(m_hWnd);
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    MSG* pMsg = &AfxGetThreadState()->m_msgCur;

    const auto showNow = [&] {
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
        bShowIdle = FALSE;
    };
    for (;;)
    {
        while (bIdle && !::PeekMessage(pMsg, nullptr, 0, 0, PM_NOREMOVE))
        {
            if (bShowIdle)
                showNow();
            if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent != nullptr && lIdleCount == 0)
                ::SendMessage(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(m_hWnd));
            // The window does its idle work (updating its controls) while it answers TRUE.
            if ((dwFlags & MLF_NOKICKIDLE) || !SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
                bIdle = FALSE;
        }
        do
        {
            if (!AfxPumpMessage())
            {
                // Pass the quit on to the thread's own loop.
                ::PostQuitMessage(static_cast<int>(pMsg->wParam));
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return -1;
            }
            // The caret's blink and a key with Alt show a dialog that waits for idle.
            if (bShowIdle && (pMsg->message == 0x118 || pMsg->message == WM_SYSKEYDOWN))
                showNow();
            if (!ContinueModal())
            {
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return m_nModalResult;
            }
            if (AfxIsIdleMessage(pMsg))
            {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessage(pMsg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL)
    {
        m_nFlags &= ~WF_CONTINUEMODAL;
        // The loop may be waiting for a message.
        PostMessage(WM_NULL);
    }
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    FilterToolTipMessage(pMsg);
    return FALSE;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd))
    {
        if (CWnd* pWnd = FromHandlePermanent(hWnd); pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    // A stand-in object for each child; it must not destroy the child when it goes.
    struct CTempWnd : CWnd
    {
        ~CTempWnd() override
        {
            m_hWnd = nullptr;
        }
    } wndTemp;
    CCmdUI state;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr;
         hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT))
    {
        wndTemp.m_hWnd = hWndChild;
        state.m_nID = static_cast<UINT>(::GetDlgCtrlID(hWndChild));
        state.m_pOther = &wndTemp;

        // The control's own update handler first, then this window's, without routing.
        if (CWnd* pWnd = FromHandlePermanent(hWndChild);
            pWnd != nullptr && pWnd->CWnd::OnCmdMsg(0, MAKELONG(0xFFFF, WM_COMMAND + WM_REFLECT_BASE), &state, nullptr))
            continue;
        if (CWnd::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;

        // Only push buttons are disabled for want of a handler: check boxes, radio buttons
        // and group boxes work on their own.
        BOOL bDisableTemp = bDisableIfNoHndler;
        if (bDisableTemp)
        {
            if (!(wndTemp.SendMessage(WM_GETDLGCODE) & DLGC_BUTTON))
                bDisableTemp = FALSE;
            else
            {
                const UINT nStyle = wndTemp.GetStyle() & 0x0F;
                if (nStyle == BS_AUTOCHECKBOX || nStyle == BS_AUTO3STATE || nStyle == BS_GROUPBOX ||
                    nStyle == BS_AUTORADIOBUTTON)
                    bDisableTemp = FALSE;
            }
        }
        state.DoUpdate(pTarget, bDisableTemp);
    }
}

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    if (bEnable)
    {
        m_nFlags |= WF_TOOLTIPS;
        return TRUE;
    }
    if (!(m_nFlags & WF_TOOLTIPS))
        return TRUE;
    if (GetCapture() == this)
        SendMessage(WM_CANCELMODE);
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_pLastHit == this)
    {
        if (pState->m_pToolTip->GetSafeHwnd() != nullptr)
            pState->m_pToolTip->SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&pState->m_lastInfo));
        pState->m_pLastHit = nullptr;
        pState->m_nLastHit = -1;
    }
    m_nFlags &= ~WF_TOOLTIPS;
    return TRUE;
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    // A visible child control under the point; disabled ones count too, which
    // ChildWindowFromPoint would skip.
    ClientToScreen(&point);
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr;
         hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT))
    {
        const int nID = ::GetDlgCtrlID(hWndChild);
        CRect rect;
        ::GetWindowRect(hWndChild, rect);
        if (static_cast<WORD>(nID) == 0xFFFF || !(::GetWindowLong(hWndChild, GWL_STYLE) & WS_VISIBLE) ||
            !rect.PtInRect(point))
            continue;
        if (pTI != nullptr)
        {
            pTI->hwnd = m_hWnd;
            pTI->uId = reinterpret_cast<UINT_PTR>(hWndChild);
            pTI->uFlags |= TTF_IDISHWND;
            pTI->lpszText = LPSTR_TEXTCALLBACK;
            // Tips of controls other than buttons stand centred below them.
            if (!(::SendMessage(hWndChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON))
                pTI->uFlags |= TTF_NOTBUTTON | TTF_CENTERTIP;
        }
        return nID;
    }
    return -1;
}

void PASCAL CWnd::CancelToolTips(BOOL)
{
    if (CToolTipCtrl* pToolTip = AfxGetThreadState()->m_pToolTip; pToolTip->GetSafeHwnd() != nullptr)
        pToolTip->Activate(FALSE);
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    // The window whose tips these are: the first one up from the message's window that has
    // tips enabled. Only that window handles the message.
    CWnd* pTipWnd = nullptr;
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr && pTipWnd == nullptr; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != nullptr && (pWnd->m_nFlags & WF_TOOLTIPS))
            pTipWnd = pWnd;
    }
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    const UINT message = pMsg->message;
    const bool bMouseMove = message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE || message == WM_LBUTTONUP ||
                            message == WM_RBUTTONUP || message == WM_MBUTTONUP;
    const bool bButtonsUp =
        ::GetKeyState(VK_LBUTTON) >= 0 && ::GetKeyState(VK_RBUTTON) >= 0 && ::GetKeyState(VK_MBUTTON) >= 0;
    if (!bMouseMove || !bButtonsUp)
    {
        // Keys and clicks hide the tip.
        const bool bKeys = (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
                           (message >= WM_SYSKEYDOWN && message <= WM_SYSDEADCHAR);
        const bool bClick = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDOWN ||
                            message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDOWN || message == WM_MBUTTONDBLCLK ||
                            message == WM_NCLBUTTONDOWN || message == WM_NCLBUTTONDBLCLK ||
                            message == WM_NCRBUTTONDOWN || message == WM_NCRBUTTONDBLCLK ||
                            message == WM_NCMBUTTONDOWN || message == WM_NCMBUTTONDBLCLK;
        if (pTipWnd == this && (bKeys || bClick))
            CancelToolTips(bKeys);
        return;
    }
    if (pTipWnd != this)
    {
        if (pTipWnd == nullptr)
        {
            pState->m_pLastHit = nullptr;
            pState->m_nLastHit = -1;
        }
        return;
    }

    // One tip control per thread, owned by the top-level window of the tools.
    CWnd* pOwner = GetParentOwner();
    CToolTipCtrl* pToolTip = pState->m_pToolTip;
    if (pToolTip != nullptr && pToolTip->GetOwner() != pOwner)
    {
        pToolTip->DestroyWindow();
        delete pToolTip;
        pState->m_pToolTip = pToolTip = nullptr;
        pState->m_pLastHit = nullptr;
        pState->m_nLastHit = -1;
        pState->m_lastInfo = TOOLINFO{};
    }
    if (pToolTip == nullptr)
    {
        pToolTip = new CToolTipCtrl;
        if (!pToolTip->Create(pOwner, TTS_ALWAYSTIP))
        {
            delete pToolTip;
            return;
        }
        pToolTip->Activate(FALSE);
        pState->m_pToolTip = pToolTip;
    }

    CPoint point = pMsg->pt;
    ScreenToClient(&point);
    TOOLINFO tiHit{};
    tiHit.cbSize = TTTOOLINFOW_V2_SIZE;
    const INT_PTR nHit = OnToolHitTest(point, &tiHit);
    CWnd* pHitWnd = nHit == -1 ? nullptr : this;
    if (pState->m_nLastHit != nHit || pState->m_pLastHit != pHitWnd)
    {
        if (nHit != -1)
        {
            TOOLINFO ti = tiHit;
            ti.uFlags &= ~(TTF_NOTBUTTON | TTF_ALWAYSTIP);
            pToolTip->SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
            if ((tiHit.uFlags & TTF_ALWAYSTIP) || IsTopParentActive())
            {
                pToolTip->Activate(TRUE);
                ::SetWindowPos(pToolTip->m_hWnd, HWND_TOP, 0, 0, 0, 0,
                               SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE | SWP_NOOWNERZORDER);
            }
        }
        else
            pToolTip->Activate(FALSE);
        pToolTip->RelayEvent(pMsg);
        // The old tool goes only now, so that the tip sees the move out of it.
        if (pState->m_lastInfo.cbSize != 0)
            pToolTip->SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&pState->m_lastInfo));
        pState->m_pLastHit = pHitWnd;
        pState->m_nLastHit = nHit;
        pState->m_lastInfo = tiHit;
    }
    else
        pToolTip->RelayEvent(pMsg);
    // OnToolHitTest overrides may allocate the text with malloc.
    if (tiHit.lpszText != LPSTR_TEXTCALLBACK && tiHit.hinst == nullptr)
    {
        std::free(tiHit.lpszText);
        pState->m_lastInfo.lpszText = nullptr;
    }
}

BOOL CWnd::ExecuteDlgInit(LPCTSTR lpszResourceName)
{
    LPVOID lpResource = nullptr;
    if (lpszResourceName != nullptr)
    {
        const HINSTANCE hInst = AfxGetResourceHandle();
        if (const HRSRC hDlgInit = ::FindResource(hInst, lpszResourceName, RT_DLGINIT))
        {
            const HGLOBAL hResource = ::LoadResource(hInst, hDlgInit);
            if (hResource == nullptr)
                return FALSE;
            lpResource = ::LockResource(hResource);
        }
    }
    return ExecuteDlgInit(lpResource);
}

BOOL CWnd::ExecuteDlgInit(LPVOID lpResource)
{
    // Records of control id (WORD), message (WORD), data length (DWORD) and narrow text,
    // up to a zero id; the messages are the 16-bit list and combo box ones.
    constexpr WORD kWin16LbAddString = 0x0401;
    constexpr WORD kWin16CbAddString = 0x0403;
    constexpr WORD kAfxCbAddString = 0x1234;
    BOOL bSuccess = TRUE;
    const auto* pRecord = static_cast<const BYTE*>(lpResource);
    while (bSuccess && pRecord != nullptr && *reinterpret_cast<const WORD*>(pRecord) != 0)
    {
        WORD nIDC, nMsg;
        DWORD dwLength;
        std::memcpy(&nIDC, pRecord, sizeof(nIDC));
        std::memcpy(&nMsg, pRecord + 2, sizeof(nMsg));
        std::memcpy(&dwLength, pRecord + 4, sizeof(dwLength));
        const auto* pszText = reinterpret_cast<const char*>(pRecord + 8);
        if (nMsg == kWin16LbAddString || nMsg == kWin16CbAddString)
        {
            const UINT nMessage = nMsg == kWin16LbAddString ? LB_ADDSTRING : CB_ADDSTRING;
            if (::SendDlgItemMessageA(m_hWnd, nIDC, nMessage, 0, reinterpret_cast<LPARAM>(pszText)) < 0)
                bSuccess = FALSE;
        }
        else if (nMsg == kAfxCbAddString)
        {
            // An extended combo box item.
            const CString text(pszText);
            COMBOBOXEXITEM item{};
            item.mask = CBEIF_TEXT;
            item.iItem = -1;
            item.pszText = const_cast<LPTSTR>(text.GetString());
            if (::SendDlgItemMessage(m_hWnd, nIDC, CBEM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item)) < 0)
                bSuccess = FALSE;
        }
        pRecord += 8 + dwLength;
    }
    // The controls learn that their data is in.
    if (bSuccess)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, FALSE, FALSE);
    return bSuccess;
}
