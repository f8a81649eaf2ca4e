// CWnd's relatives: parents, owners, frames and descendants, centring and the layout of
// control bars.
#include <afxpriv.h>

namespace
{
// Children with the id first (those with the same id as their parent before it), then each
// child's subtree in turn.
CWnd* FindDescendant(HWND hWnd, int nID, BOOL bOnlyPerm)
{
    if (const HWND hWndChild = ::GetDlgItem(hWnd, nID))
    {
        if (::GetTopWindow(hWndChild) != nullptr)
            if (CWnd* pWnd = FindDescendant(hWndChild, nID, bOnlyPerm))
                return pWnd;
        if (CWnd* pWnd = bOnlyPerm ? CWnd::FromHandlePermanent(hWndChild) : CWnd::FromHandle(hWndChild))
            return pWnd;
    }
    for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != nullptr;
         hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT))
    {
        if (CWnd* pWnd = FindDescendant(hWndChild, nID, bOnlyPerm))
            return pWnd;
    }
    return nullptr;
}

// CFrameWnd derives from CWnd alone, so the object's address is the same under both types.
CFrameWnd* AsFrame(CWnd* pWnd)
{
    return reinterpret_cast<CFrameWnd*>(pWnd);
}

CWnd* AsWnd(CFrameWnd* pFrame)
{
    return reinterpret_cast<CWnd*>(pFrame);
}

CWnd* FindParentFrame(const CWnd* pWnd)
{
    for (CWnd* pParent = pWnd->GetParent(); pParent != nullptr; pParent = pParent->GetParent())
    {
        if (pParent->IsFrameWnd())
            return pParent;
    }
    return nullptr;
}
} // namespace

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::SetParent(CWnd* pWndNewParent)
{
    return FromHandle(::SetParent(m_hWnd, pWndNewParent->GetSafeHwnd()));
}

CWnd* CWnd::GetWindow(UINT nCmd) const
{
    return FromHandle(::GetWindow(m_hWnd, nCmd));
}

CWnd* CWnd::GetTopWindow() const
{
    return FromHandle(::GetTopWindow(m_hWnd));
}

CWnd* CWnd::GetNextWindow(UINT nFlag) const
{
    return FromHandle(::GetNextWindow(m_hWnd, nFlag));
}

CWnd* CWnd::GetOwner() const
{
    return m_hWndOwner != nullptr ? FromHandle(m_hWndOwner) : GetParent();
}

void CWnd::SetOwner(CWnd* pOwnerWnd)
{
    m_hWndOwner = pOwnerWnd->GetSafeHwnd();
}

BOOL CWnd::IsChild(const CWnd* pWnd) const
{
    return ::IsChild(m_hWnd, pWnd->GetSafeHwnd());
}

CWnd* CWnd::GetParentOwner() const
{
    if (GetSafeHwnd() == nullptr)
        return nullptr;
    HWND hWndParent = m_hWnd;
    for (HWND hWndT; (::GetWindowLong(hWndParent, GWL_STYLE) & WS_CHILD) && (hWndT = ::GetParent(hWndParent));)
        hWndParent = hWndT;
    return FromHandle(hWndParent);
}

HWND AFXAPI AfxGetParentOwner(HWND hWnd)
{
    // An attached window may name an owner of its own.
    if (CWnd* pWnd = CWnd::FromHandlePermanent(hWnd))
        return pWnd->GetOwner()->GetSafeHwnd();
    return (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) ? ::GetParent(hWnd) : ::GetWindow(hWnd, GW_OWNER);
}

CWnd* CWnd::GetTopLevelParent() const
{
    if (GetSafeHwnd() == nullptr)
        return nullptr;
    HWND hWndParent = m_hWnd;
    for (HWND hWndT; (hWndT = AfxGetParentOwner(hWndParent)) != nullptr;)
        hWndParent = hWndT;
    return FromHandle(hWndParent);
}

CWnd* CWnd::GetTopLevelOwner() const
{
    if (GetSafeHwnd() == nullptr)
        return nullptr;
    HWND hWndOwner = m_hWnd;
    for (HWND hWndT; (hWndT = ::GetWindow(hWndOwner, GW_OWNER)) != nullptr;)
        hWndOwner = hWndT;
    return FromHandle(hWndOwner);
}

CFrameWnd* CWnd::GetParentFrame() const
{
    return GetSafeHwnd() != nullptr ? AsFrame(FindParentFrame(this)) : nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    if (GetSafeHwnd() == nullptr)
        return nullptr;
    CWnd* pFrame = IsFrameWnd() ? const_cast<CWnd*>(this) : FindParentFrame(this);
    for (CWnd* pParentFrame; pFrame != nullptr && (pParentFrame = FindParentFrame(pFrame)) != nullptr;)
        pFrame = pParentFrame;
    return AsFrame(pFrame);
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    return FindDescendant(m_hWnd, nID, bOnlyPerm);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

void PASCAL CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                           BOOL bOnlyPerm)
{
    for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != nullptr;
         hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT))
    {
        if (!bOnlyPerm)
            ::SendMessage(hWndChild, message, wParam, lParam);
        else if (CWnd* pWnd = FromHandlePermanent(hWndChild))
            AfxCallWndProc(pWnd, hWndChild, message, wParam, lParam);
        if (bDeep && ::GetTopWindow(hWndChild) != nullptr)
            SendMessageToDescendants(hWndChild, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

CWnd* PASCAL CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop)
{
    HWND hWnd = pParent->GetSafeHwnd();
    if (hWnd == nullptr)
    {
        // The frame routing the current command, else the main window.
        CFrameWnd* pFrame = AfxGetThreadState()->m_pRoutingFrame;
        hWnd = pFrame != nullptr ? AsWnd(pFrame)->GetSafeHwnd() : AfxGetMainWnd()->GetSafeHwnd();
    }
    // A pop-up cannot be owned by a child window.
    while (hWnd != nullptr && (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    HWND hWndTop = hWnd;
    for (HWND hWndT = hWnd; hWndT != nullptr; hWndT = ::GetParent(hWndT))
        hWndTop = hWndT;
    if (pParent == nullptr && hWnd != nullptr)
        hWnd = ::GetLastActivePopup(hWnd);
    if (pWndTop != nullptr)
    {
        if (hWndTop != nullptr && ::IsWindowEnabled(hWndTop) && hWndTop != hWnd)
        {
            *pWndTop = hWndTop;
            ::EnableWindow(hWndTop, FALSE);
        }
        else
            *pWndTop = nullptr;
    }
    return FromHandle(hWnd);
}

BOOL CWnd::IsTopParentActive() const
{
    CWnd* pTopLevel = GetTopLevelParent();
    return pTopLevel != nullptr && GetForegroundWindow() == pTopLevel->GetLastActivePopup();
}

void CWnd::ActivateTopParent()
{
    // A click in a floating palette activates the frame it belongs to.
    CWnd* pActive = GetForegroundWindow();
    if (pActive != nullptr && (pActive->m_hWnd == m_hWnd || ::IsChild(pActive->m_hWnd, m_hWnd)))
        return;
    if (CWnd* pTopLevel = GetTopLevelParent())
        pTopLevel->SetForegroundWindow();
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    const DWORD dwStyle = GetStyle();
    HWND hWndCenter = pAlternateOwner->GetSafeHwnd();
    if (pAlternateOwner == nullptr)
    {
        hWndCenter = (dwStyle & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
        if (hWndCenter != nullptr)
        {
            if (const auto hWndAlternate = reinterpret_cast<HWND>(::SendMessage(hWndCenter, WM_QUERYCENTERWND, 0, 0)))
                hWndCenter = hWndAlternate;
        }
    }

    CRect rcDlg;
    GetWindowRect(rcDlg);
    CRect rcArea;
    CRect rcCenter;
    if (dwStyle & WS_CHILD)
    {
        // In the parent's client coordinates.
        const HWND hWndParent = ::GetParent(m_hWnd);
        ::GetClientRect(hWndParent, rcArea);
        ::GetClientRect(hWndCenter, rcCenter);
        ::MapWindowPoints(hWndCenter, hWndParent, reinterpret_cast<LPPOINT>(&rcCenter), 2);
    }
    else
    {
        // Hidden and minimised owners are no place to centre on.
        if (hWndCenter != nullptr)
        {
            const DWORD dwCenterStyle = static_cast<DWORD>(::GetWindowLong(hWndCenter, GWL_STYLE));
            if (!(dwCenterStyle & WS_VISIBLE) || (dwCenterStyle & WS_MINIMIZE))
                hWndCenter = nullptr;
        }
        MONITORINFO mi{};
        mi.cbSize = sizeof(mi);
        if (hWndCenter == nullptr)
        {
            ::GetMonitorInfo(::MonitorFromWindow(AfxGetMainWnd()->GetSafeHwnd(), MONITOR_DEFAULTTOPRIMARY), &mi);
            rcCenter = mi.rcWork;
        }
        else
        {
            ::GetWindowRect(hWndCenter, rcCenter);
            ::GetMonitorInfo(::MonitorFromWindow(hWndCenter, MONITOR_DEFAULTTONEAREST), &mi);
        }
        rcArea = mi.rcWork;
    }

    int xLeft = (rcCenter.left + rcCenter.right) / 2 - rcDlg.Width() / 2;
    int yTop = (rcCenter.top + rcCenter.bottom) / 2 - rcDlg.Height() / 2;
    // Keep the window inside the area, its top left corner first.
    if (xLeft + rcDlg.Width() > rcArea.right)
        xLeft = rcArea.right - rcDlg.Width();
    if (xLeft < rcArea.left)
        xLeft = rcArea.left;
    if (yTop + rcDlg.Height() > rcArea.bottom)
        yTop = rcArea.bottom - rcDlg.Height();
    if (yTop < rcArea.top)
        yTop = rcArea.top;
    SetWindowPos(nullptr, xLeft, yTop, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch)
{
    const UINT nMode = nFlags & ~reposNoPosLeftOver;
    AFX_SIZEPARENTPARAMS layout{};
    layout.bStretch = bStretch;
    if (lpRectClient != nullptr)
        layout.rect = *lpRectClient;
    else
        GetClientRect(&layout.rect);
    layout.hDWP = nMode == reposQuery ? nullptr : ::BeginDeferWindowPos(8);

    // Each bar takes its part of the rectangle; the left-over pane gets the rest.
    HWND hWndLeftOver = nullptr;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr;
         hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT))
    {
        const auto nIDC = static_cast<UINT>(::GetDlgCtrlID(hWndChild));
        if (nIDC == nIDLeftOver)
            hWndLeftOver = hWndChild;
        else if (nIDC >= nIDFirst && nIDC <= nIDLast && FromHandlePermanent(hWndChild) != nullptr)
            ::SendMessage(hWndChild, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }

    if (nMode == reposQuery)
    {
        if (bStretch)
            ::CopyRect(lpRectParam, &layout.rect);
        else
            ::SetRect(lpRectParam, 0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
        return;
    }

    if (nIDLeftOver != 0 && hWndLeftOver != nullptr)
    {
        if (nMode == reposExtra)
        {
            layout.rect.left += lpRectParam->left;
            layout.rect.top += lpRectParam->top;
            layout.rect.right -= lpRectParam->right;
            layout.rect.bottom -= lpRectParam->bottom;
        }
        if (!(nFlags & reposNoPosLeftOver))
        {
            FromHandle(hWndLeftOver)->CalcWindowRect(&layout.rect);
            AfxRepositionWindow(&layout, hWndLeftOver, &layout.rect);
        }
    }
    if (layout.hDWP != nullptr)
        ::EndDeferWindowPos(layout.hDWP);
}

void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    if (lpLayout != nullptr && lpLayout->hDWP == nullptr)
        return;
    CRect rectOld;
    ::GetWindowRect(hWnd, rectOld);
    ::MapWindowPoints(nullptr, ::GetParent(hWnd), reinterpret_cast<LPPOINT>(&rectOld), 2);
    if (::EqualRect(rectOld, lpRect))
        return;
    const int cx = lpRect->right - lpRect->left;
    const int cy = lpRect->bottom - lpRect->top;
    if (lpLayout != nullptr)
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, nullptr, lpRect->left, lpRect->top, cx, cy,
                                          SWP_NOACTIVATE | SWP_NOZORDER);
    else
        ::SetWindowPos(hWnd, nullptr, lpRect->left, lpRect->top, cx, cy, SWP_NOACTIVATE | SWP_NOZORDER);
}

CWnd* AFXAPI AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr ? pThread->GetMainWnd() : nullptr;
}
