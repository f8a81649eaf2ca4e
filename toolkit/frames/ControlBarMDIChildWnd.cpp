// SECBarChildHost and SECControlBarMDIChildWnd: a control bar hosted in an MDI child.
#include <toolkit/foundation/AuxData.h>
#include <toolkit/foundation/ScopedValue.h>
#include <toolkit/frames/ControlBarMDIChildWnd.h>

#include <afxpriv.h>

namespace tarnwick::frames
{
using foundation::SECScopedValue;
SECBarChildHost::SECBarChildHost(CMDIChildWnd& child) : m_child(child), m_wndDockBar(TRUE, TRUE), m_bInLayout(FALSE)
{
    // A member of the child, not deleted by its window.
    m_wndDockBar.m_bAutoDelete = FALSE;
}

CControlBar* SECBarChildHost::GetSingleBar() const
{
    if (m_wndDockBar.m_hWnd == nullptr || (m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) ||
        m_wndDockBar.GetDockedCount() != 1)
        return nullptr;
    for (int nPos = 1; nPos < m_wndDockBar.m_arrBars.GetSize(); ++nPos)
        if (CControlBar* pBar = m_wndDockBar.GetDockedControlBar(nPos))
            return pBar;
    return nullptr;
}

void SECBarChildHost::PreCreateWindow(CREATESTRUCT& cs) const
{
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
}

BOOL SECBarChildHost::CreateDockBar()
{
    CMDIFrameWnd* pMainFrame = m_child.GetMDIFrame();
    if (pMainFrame == nullptr)
        return FALSE;
    const SECScopedValue<BOOL> inLayout(m_bInLayout, TRUE);
    const BOOL bCreated =
        m_wndDockBar.Create(pMainFrame, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT, TRUE, AFX_IDW_DOCKBAR_FLOAT);
    if (bCreated)
    {
        m_wndDockBar.SetParent(&m_child);
        m_wndDockBar.SetOwner(&m_child);
    }
    return bCreated;
}

void SECBarChildHost::AfterLayout()
{
    if (m_wndDockBar.m_hWnd == nullptr)
        return;
    CString strTitle;
    m_wndDockBar.GetWindowText(strTitle);
    if (!strTitle.IsEmpty())
        AfxSetWindowText(m_child.m_hWnd, strTitle);
    // Like a floating frame, the child shows while it shows a bar.
    const BOOL bShow = m_wndDockBar.GetDockedVisibleCount() != 0;
    if (m_wndDockBar.GetDockedCount() != 0 && bShow != m_child.IsWindowVisible())
        m_child.ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
}

void SECBarChildHost::OnSize(int cx, int cy)
{
    CControlBar* pBar = GetSingleBar();
    if (pBar == nullptr)
        return;
    const SEC_AUX_DATA* pAux = SECGetAuxData();
    pBar->CalcDynamicLayout(cx + 2 * pAux->cxBorder2, LM_MRUWIDTH | LM_COMMIT);
    pBar->CalcDynamicLayout(cy + 2 * pAux->cyBorder2, LM_MRUWIDTH | LM_LENGTHY | LM_COMMIT);
}

BOOL SECBarChildHost::OnClose()
{
    CControlBar* pBar = GetSingleBar();
    if (pBar == nullptr)
        return FALSE;
    const HWND hWndClient = ::GetParent(m_child.m_hWnd);
    ::SendMessage(hWndClient, WM_MDINEXT, reinterpret_cast<WPARAM>(m_child.m_hWnd), 0);
    ::SendMessage(hWndClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_child.m_hWnd), 0);
    m_child.ShowControlBar(pBar, FALSE, FALSE);
    m_child.RecalcLayout();
    return TRUE;
}

void SECBarChildHost::OnWindowPosChanged()
{
    CControlBar* pBar = GetSingleBar();
    if (pBar == nullptr || pBar->m_pDockContext == nullptr)
        return;
    CRect rect;
    m_child.GetWindowRect(&rect);
    pBar->m_pDockContext->m_ptMRUFloatPos = rect.TopLeft();
}

void SECBarChildHost::OnShowWindow(BOOL bShow)
{
    const HWND hWndClient = ::GetParent(m_child.m_hWnd);
    if (bShow)
        ::SendMessage(hWndClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_child.m_hWnd), 0);
    ::PostMessage(hWndClient, WM_MDIREFRESHMENU, 0, 0);
}

IMPLEMENT_DYNCREATE(SECControlBarMDIChildWnd, SECMDIChildWnd)

BEGIN_MESSAGE_MAP(SECControlBarMDIChildWnd, SECMDIChildWnd)
ON_WM_SIZE()
ON_WM_CLOSE()
ON_WM_WINDOWPOSCHANGED()
ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

SECControlBarMDIChildWnd::SECControlBarMDIChildWnd() : m_host(*this)
{
}

BOOL SECControlBarMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    m_host.PreCreateWindow(cs);
    return SECMDIChildWnd::PreCreateWindow(cs);
}

BOOL SECControlBarMDIChildWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext*)
{
    return m_host.CreateDockBar();
}

void SECControlBarMDIChildWnd::RecalcLayout(BOOL bNotify)
{
    m_host.RecalcLayout([&] { SECMDIChildWnd::RecalcLayout(bNotify); });
}

void SECControlBarMDIChildWnd::OnUpdateFrameTitle(BOOL)
{
}

void SECControlBarMDIChildWnd::OnSize(UINT nType, int cx, int cy)
{
    m_host.OnSize(cx, cy);
    SECMDIChildWnd::OnSize(nType, cx, cy);
}

void SECControlBarMDIChildWnd::OnClose()
{
    if (!m_host.OnClose())
        SECMDIChildWnd::OnClose();
}

void SECControlBarMDIChildWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    SECMDIChildWnd::OnWindowPosChanged(lpwndpos);
    m_host.OnWindowPosChanged();
}

void SECControlBarMDIChildWnd::OnShowWindow(BOOL bShow, UINT nStatus)
{
    SECMDIChildWnd::OnShowWindow(bShow, nStatus);
    m_host.OnShowWindow(bShow);
}
} // namespace tarnwick::frames
