// The bars' dock-state records: what a toolkit bar and a toolkit dock bar record of themselves,
// and how a bar takes its record back.
#include <toolkit/frames/AutoHideBar.h>
#include <toolkit/frames/ControlBar.h>
#include <toolkit/frames/DockBar.h>
#include <toolkit/frames/DockContext.h>
#include <toolkit/frames/DockState.h>

#include <toolkit/bars/ControlBarManager.h>

namespace tarnwick::frames
{
BOOL SECControlBar::IsDockedInSECDockBar(const CControlBar* pBar)
{
    if (pBar == nullptr)
        return FALSE;
    const CDockBar* pDockBar = pBar->IsKindOf(RUNTIME_CLASS(SECDockBar)) ? static_cast<const CDockBar*>(pBar)
                                                                         : pBar->m_pDockBar;
    if (pDockBar == nullptr || !pDockBar->IsKindOf(RUNTIME_CLASS(SECDockBar)))
        return FALSE;
    return !pDockBar->m_bFloating;
}

void SECControlBar::GetBarInfoEx(SECControlBarInfo* pInfo)
{
    GetBarInfo(pInfo);
    pInfo->m_szMRUHorzDock = m_szMRUHorzDock;
    pInfo->m_szMRUVertDock = m_szMRUVertDock;
    pInfo->m_szMRUFloat = m_szMRUFloat;
    pInfo->m_dwMRUDockingState = m_dwSavedDockStyle;
    pInfo->m_dwDockingStyle = m_dwDockStyle & CBRS_ALIGN_ANY;
    pInfo->m_fPctWidth = m_fPctWidth;
    pInfo->m_dwStyle = m_dwStyle;
    pInfo->m_dwExStyle = m_dwExStyle;
    if (auto* pContext = dynamic_cast<SECDockContext*>(m_pDockContext))
        pInfo->m_bPrevFloating = pContext->WasFloating();
    pInfo->m_bAutoHide = m_bAutoHide;
    pInfo->m_bAutoHidePinned = m_bPinned;
    pInfo->m_dwLastAlignedDocking = m_dwAutoHideSide;
    if (pInfo->m_pManager != nullptr)
        pInfo->m_nTypeID = pInfo->m_pManager->GetBarTypeID(this);
    pInfo->m_strClassName = GetRuntimeClass()->m_lpszClassName;
    GetWindowText(pInfo->m_strWindowName);
    OnGetBarInfoEx(pInfo);
}

void SECControlBar::SetBarInfoEx(SECControlBarInfo* pInfo, CFrameWnd* pFrame)
{
    m_szMRUHorzDock = pInfo->m_szMRUHorzDock;
    m_szMRUVertDock = pInfo->m_szMRUVertDock;
    m_szMRUFloat = pInfo->m_szMRUFloat;
    m_dwSavedDockStyle = pInfo->m_dwMRUDockingState;
    m_dwDockStyle = (m_dwDockStyle & ~CBRS_ALIGN_ANY) | (pInfo->m_dwDockingStyle & CBRS_ALIGN_ANY);
    if (m_pDockContext != nullptr)
        m_pDockContext->m_dwDockStyle = m_dwDockStyle;
    if (auto* pContext = dynamic_cast<SECDockContext*>(m_pDockContext))
        pContext->SetWasFloating(pInfo->m_bPrevFloating);
    // The restored share stands as it was: the next layout does not fit it in as new.
    m_fPctWidth = pInfo->m_fPctWidth;
    SetShareSettled(TRUE);
    SetBarStyle(pInfo->m_dwStyle);
    if (pInfo->m_bAutoHide)
        ApplyAutoHide(pInfo, pFrame);
    OnSetBarInfoEx(pInfo);
    CControlBar::SetBarInfo(pInfo, pFrame);
}

void SECControlBar::ApplyAutoHide(const SECControlBarInfo* pInfo, CFrameWnd* pFrame)
{
    m_bAutoHide = TRUE;
    AttachToAutoHideBar();
    const BOOL bWasPinned = m_bPinned;
    const DWORD dwSide = pInfo->m_dwLastAlignedDocking;
    if (pInfo->m_bAutoHidePinned)
    {
        if (!bWasPinned)
        {
            if (SECAutoHideBar* pStrip = FindAutoHideStrip(m_dwAutoHideSide))
                pStrip->RemoveBar(this);
            // The dock bars' records have put the bar back in its row where they name it.
            if (m_pDockBar == nullptr || m_pDockBar->m_bFloating)
            {
                m_dwAutoHideSide = dwSide;
                DockBackFromStrip();
            }
        }
        m_bPinned = TRUE;
        m_dwAutoHideSide = dwSide;
        pFrame->ShowControlBar(this, TRUE, FALSE);
    }
    else if (bWasPinned)
    {
        if (SECAutoHideBar* pStrip = FindAutoHideStrip(dwSide))
            MoveToStrip(pStrip, dwSide);
    }
    pFrame->RecalcLayout();
}

void SECControlBar::OnGetBarInfoEx(SECControlBarInfo* /*pInfo*/)
{
}

void SECControlBar::OnSetBarInfoEx(SECControlBarInfo* /*pInfo*/)
{
}

void SECDockBar::GetBarInfoEx(SECControlBarInfo* pInfo)
{
    GetBarInfo(pInfo);
    pInfo->m_bMDIChild = m_bMDIChild;
    if (!m_bMDIChild)
        return;
    pInfo->m_pointPos = CPoint(0, 0);
    if (CFrameWnd* pChild = GetParentFrame())
        pChild->GetWindowPlacement(&pInfo->m_wpMDIChild);
}

void SECDockBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd)
{
    CDockBar::SetBarInfo(pInfo, pFrameWnd);
    for (int nPos = 0; nPos < m_arrBars.GetSize(); ++nPos)
        if (auto* pBar = DYNAMIC_DOWNCAST(SECControlBar, GetDockedControlBar(nPos)))
            pBar->SetShareSettled(TRUE);
}
} // namespace tarnwick::frames
