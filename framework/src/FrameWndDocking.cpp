// CFrameWnd's docking: its dock bars, docking and showing bars, the list of its bars and the
// View menu's bar toggles.
#include <afxpriv.h>

namespace
{
// The frame's dock bars and their sides, in the order they are searched and made.
struct DockSide
{
    UINT nID;
    DWORD dwStyle;
};
constexpr DockSide dockSides[] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT},
};
} // namespace

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    if (POSITION pos = m_listControlBars.Find(pBar))
        m_listControlBars.RemoveAt(pos);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    if (nID == 0)
        return nullptr;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        auto* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (static_cast<UINT>(::GetDlgCtrlID(pBar->m_hWnd)) == nID)
            return pBar;
    }
    return nullptr;
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    for (const DockSide& side : dockSides)
    {
        if (!(side.dwStyle & dwDockStyle & CBRS_ALIGN_ANY) || GetControlBar(side.nID) != nullptr)
            continue;
        auto* pDockBar = new CDockBar;
        // A dock bar that fails has deleted itself.
        if (!pDockBar->Create(this, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE | side.dwStyle, side.nID))
            AfxThrowResourceException();
    }
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    CDockBar* pDockBar = nDockBarID == 0 ? nullptr : dynamic_cast<CDockBar*>(GetControlBar(nDockBarID));
    DockControlBar(pBar, pDockBar, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (pDockBar == nullptr)
    {
        // The dock bar of the bar's own side.
        for (const DockSide& side : dockSides)
            if ((side.dwStyle & CBRS_ALIGN_ANY) == (pBar->m_dwStyle & CBRS_ALIGN_ANY))
            {
                pDockBar = dynamic_cast<CDockBar*>(GetControlBar(side.nID));
                break;
            }
    }
    // Docking needs a dock bar (EnableDocking) and a bar of this frame (its EnableDocking).
    if (pDockBar == nullptr || pBar->m_pDockContext == nullptr || pBar->m_pDockSite != this)
        return;
    pDockBar->DockControlBar(pBar, lpRect);
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    // The frame that lays the bar out: its own, or this one for a bar outside any frame.
    CFrameWnd* pFrame = pBar->GetDockingFrame();
    if (pFrame == nullptr)
        pFrame = this;
    if (bDelay)
    {
        pBar->DelayShow(bShow);
        pFrame->DelayRecalcLayout();
        return;
    }
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                       SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE |
                           (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    // A delayed show or hide asked earlier would undo this one.
    pBar->DelayShow(bShow);
    if (bShow || !pBar->IsFloating())
        pFrame->RecalcLayout(FALSE);
}

DWORD CFrameWnd::CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar)
{
    dwDockStyle &= CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI;
    if (ppDockBar != nullptr)
        *ppDockBar = nullptr;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        auto* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (!pBar->IsDockBar() || !pBar->IsWindowVisible())
            continue;
        auto* pDockBar = static_cast<CDockBar*>(pBar);
        // A floating dock bar takes more bars only when both allow it.
        if (!(pDockBar->m_dwStyle & dwDockStyle & CBRS_ALIGN_ANY) ||
            (pDockBar->m_bFloating && !(dwDockStyle & pDockBar->m_dwStyle & CBRS_FLOAT_MULTI)))
            continue;
        // An empty dock bar still counts along its edge.
        CRect rectBar;
        pDockBar->GetWindowRect(&rectBar);
        if (rectBar.Width() == 0)
            ++rectBar.right;
        if (rectBar.Height() == 0)
            ++rectBar.bottom;
        if (rectBar.IntersectRect(rectBar, rect))
        {
            if (ppDockBar != nullptr)
                *ppDockBar = pDockBar;
            return pDockBar->m_dwStyle & dwDockStyle;
        }
    }
    return 0;
}

void CFrameWnd::DestroyDockBars()
{
    // Destroying changes the list: collect the handles first.
    CList<HWND, HWND> listDockBars;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        auto* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar->IsDockBar())
            listDockBars.AddTail(pBar->m_hWnd);
    }
    for (POSITION pos = listDockBars.GetHeadPosition(); pos != nullptr;)
    {
        auto* pDockBar = dynamic_cast<CDockBar*>(CWnd::FromHandlePermanent(listDockBars.GetNext(pos)));
        if (pDockBar == nullptr)
            continue;
        // A floating dock bar goes with its frame.
        if (pDockBar->m_bFloating)
            pDockBar->GetParentFrame()->DestroyWindow();
        else
            pDockBar->DestroyWindow();
    }
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    if (CControlBar* pBar = GetControlBar(pCmdUI->m_nID))
        pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
    else
        pCmdUI->ContinueRouting();
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* pBar = GetControlBar(nID);
    if (pBar == nullptr)
        return FALSE;
    ShowControlBar(pBar, (pBar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return TRUE;
}

CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD dwStyle)
{
    auto* pFrame = static_cast<CMiniDockFrameWnd*>(m_pFloatingFrameClass->CreateObject());
    if (pFrame == nullptr)
        AfxThrowMemoryException();
    if (!pFrame->Create(this, dwStyle))
    {
        // A frame that got no window is not deleted by its window.
        if (pFrame->m_hWnd == nullptr)
            delete pFrame;
        AfxThrowResourceException();
    }
    return pFrame;
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    // A bar alone in its floating frame with a matching alignment only moves the frame.
    CDockBar* pOldDockBar = pBar->m_pDockBar;
    if (pBar->m_pDockSite != nullptr && pOldDockBar != nullptr && pOldDockBar->m_bFloating &&
        pOldDockBar->GetDockedCount() == 1 && (dwStyle & pOldDockBar->m_dwStyle & CBRS_ALIGN_ANY))
    {
        auto* pOldFrame = static_cast<CMiniDockFrameWnd*>(pOldDockBar->GetParent());
        pOldFrame->RecalcWindowSize(point.x, point.y);
        pOldFrame->UpdateWindow();
        return;
    }
    // A dynamic bar floats along the top, however it was docked.
    if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC)
    {
        dwStyle |= CBRS_SIZE_DYNAMIC;
        if (dwStyle & CBRS_ORIENT_VERT)
            dwStyle = (dwStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP;
    }
    CMiniDockFrameWnd* pDockFrame = CreateFloatingFrame(dwStyle);
    pDockFrame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (pDockFrame->m_hWndOwner == nullptr)
        pDockFrame->m_hWndOwner = pBar->m_hWnd;
    pDockFrame->m_wndDockBar.DockControlBar(pBar);
    pDockFrame->RecalcWindowSize(point.x, point.y);
    if (pBar->GetStyle() & WS_VISIBLE)
    {
        pDockFrame->ShowWindow(SW_SHOWNA);
        pDockFrame->UpdateWindow();
    }
}

void CFrameWnd::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (pDockBar == nullptr)
    {
        // The dock bar that keeps the bar's place, else the last one of its alignment.
        CControlBar* pPlaceHolder = reinterpret_cast<CControlBar*>(static_cast<UINT_PTR>(
            static_cast<WORD>(::GetDlgCtrlID(pBar->m_hWnd))));
        CDockBar* pAligned = nullptr;
        for (const DockSide& side : dockSides)
        {
            auto* pSideBar = dynamic_cast<CDockBar*>(GetControlBar(side.nID));
            if (pSideBar == nullptr)
                continue;
            if (pPlaceHolder != nullptr && pSideBar->FindBar(pPlaceHolder) > 0)
            {
                pDockBar = pSideBar;
                break;
            }
            if ((side.dwStyle & CBRS_ALIGN_ANY) == (pBar->m_dwStyle & CBRS_ALIGN_ANY))
                pAligned = pSideBar;
        }
        if (pDockBar == nullptr)
            pDockBar = pAligned;
    }
    if (pDockBar != nullptr)
        pDockBar->ReDockControlBar(pBar, lpRect);
}

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags)
{
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        auto* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar->IsDockBar() && static_cast<CDockBar*>(pBar)->m_bFloating && pBar->m_hWnd != nullptr)
            ::SendMessage(::GetParent(pBar->m_hWnd), WM_FLOATSTATUS, dwFlags, 0);
    }
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    // Floating frames look active with their frame, also while one of them is the active one.
    const BOOL bActive = nState != WA_INACTIVE ||
                         (pWndOther != nullptr && ::GetWindow(pWndOther->m_hWnd, GW_OWNER) == m_hWnd);
    NotifyFloatingWindows(bActive ? FS_ACTIVATE : FS_DEACTIVATE);
}

void CFrameWnd::OnEnable(BOOL bEnable)
{
    CWnd::OnEnable(bEnable);
    NotifyFloatingWindows(bEnable ? FS_ENABLE : FS_DISABLE);
}
