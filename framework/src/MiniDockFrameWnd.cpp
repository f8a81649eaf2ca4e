// CMiniDockFrameWnd: the tool window that floating bars live in. Its caption drags the bar,
// its borders size it, and closing it only hides the bars.
#include <afxpriv.h>

#include <algorithm>

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
ON_WM_CLOSE()
ON_WM_NCLBUTTONDOWN()
ON_WM_NCLBUTTONDBLCLK()
ON_WM_SHOWWINDOW()
ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
END_MESSAGE_MAP()

namespace
{
// A title as long as a path at most.
constexpr int MAX_TITLE = 260;
// The system menu of a floating frame moves and closes it only.
constexpr UINT removedSysCommands[] = {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE};
} // namespace

CMiniDockFrameWnd::CMiniDockFrameWnd() : CMiniDockFrameWnd(new CDockBar(TRUE))
{
}

CMiniDockFrameWnd::CMiniDockFrameWnd(CDockBar* pDockBar)
    : m_wndDockBar(*pDockBar), m_bInRecalcLayout(FALSE), m_pDockBar(pDockBar)
{
    // The frame owns its dock bar.
    m_wndDockBar.m_bAutoDelete = FALSE;
}

CMiniDockFrameWnd::~CMiniDockFrameWnd()
{
    m_wndDockBar.DestroyWindow();
}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    m_bInRecalcLayout = TRUE;
    const DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_4THICKFRAME | MFS_SYNCACTIVE | FWS_SNAPTOBARS |
                          ((dwBarStyle & CBRS_SIZE_DYNAMIC) ? 0 : MFS_MOVEFRAME);
    if (!CMiniFrameWnd::CreateEx(0, nullptr, _T(""), dwStyle, rectDefault, pParent))
    {
        m_bInRecalcLayout = FALSE;
        return FALSE;
    }
    if (HMENU hSysMenu = ::GetSystemMenu(m_hWnd, FALSE))
    {
        for (UINT nCommand : removedSysCommands)
            ::DeleteMenu(hSysMenu, nCommand, MF_BYCOMMAND);
        CString strHide;
        if (strHide.LoadString(AFX_IDS_HIDE))
        {
            ::DeleteMenu(hSysMenu, SC_CLOSE, MF_BYCOMMAND);
            ::AppendMenu(hSysMenu, MF_STRING | MF_ENABLED, SC_CLOSE, strHide);
        }
    }
    // Made in the frame, so that the frame lists it among its bars, then moved in here.
    const DWORD dwDockStyle = ((dwBarStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP) |
                              (dwBarStyle & CBRS_FLOAT_MULTI);
    const BOOL bCreated = m_wndDockBar.Create(pParent, WS_CHILD | WS_VISIBLE | dwDockStyle, AFX_IDW_DOCKBAR_FLOAT);
    if (bCreated)
    {
        m_wndDockBar.SetParent(this);
        m_wndDockBar.SetOwner(this);
    }
    m_bInRecalcLayout = FALSE;
    return bCreated;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout)
        return;
    CRect rect;
    GetWindowRect(&rect);
    RecalcWindowSize(rect.left, rect.top);
}

void CMiniDockFrameWnd::RecalcWindowSize(int x, int y)
{
    if (m_bInRecalcLayout)
        return;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    m_bInRecalcLayout = TRUE;
    if (GetStyle() & FWS_SNAPTOBARS)
    {
        // The frame takes the size its bars ask for.
        CRect rect(0, 0, 32767, 32767);
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect, &rect, FALSE);
        CalcWindowRect(&rect);
        y = std::max(y, ::GetSystemMetrics(SM_YVIRTUALSCREEN));
        SetWindowPos(nullptr, x, y, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
    }
    else
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
    SyncTitle();
    // The frame shows while it shows a bar.
    const BOOL bShow = m_wndDockBar.GetDockedVisibleCount() != 0;
    if (bShow != IsWindowVisible())
        ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
    m_bInRecalcLayout = FALSE;
}

void CMiniDockFrameWnd::SyncTitle()
{
    CString strTitle;
    m_wndDockBar.GetWindowText(strTitle);
    AfxSetWindowText(m_hWnd, strTitle.Left(MAX_TITLE));
}

CControlBar* CMiniDockFrameWnd::GetFirstBar() const
{
    for (int nPos = 1; nPos < m_wndDockBar.m_arrBars.GetSize(); ++nPos)
        if (CControlBar* pBar = m_wndDockBar.GetDockedControlBar(nPos))
            return pBar->m_pDockContext != nullptr ? pBar : nullptr;
    return nullptr;
}

CControlBar* CMiniDockFrameWnd::GetSingleBar() const
{
    return (m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) ? nullptr : GetFirstBar();
}

void CMiniDockFrameWnd::OnClose()
{
    // The bars stay; showing one shows this frame again.
    m_wndDockBar.ShowAll(FALSE);
    RecalcLayout();
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    if (nHitTest == HTCAPTION)
    {
        ActivateTopParent();
        if (CControlBar* pBar = GetSingleBar())
        {
            pBar->m_pDockContext->StartDrag(point);
            return;
        }
    }
    else if (nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT)
    {
        ActivateTopParent();
        // Dynamic bars size in steps of their own; others leave the border to the system.
        CControlBar* pBar = GetFirstBar();
        if (pBar != nullptr && (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC))
        {
            pBar->m_pDockContext->StartResize(static_cast<int>(nHitTest), point);
            return;
        }
    }
    Default();
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint)
{
    if (nHitTest == HTCAPTION)
    {
        ActivateTopParent();
        if (CControlBar* pBar = GetSingleBar())
        {
            pBar->m_pDockContext->ToggleDocking();
            return;
        }
    }
    Default();
}

void CMiniDockFrameWnd::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CMiniFrameWnd::OnShowWindow(bShow, nStatus);
    if (!bShow)
        return;
    // Shown without being activated, the frame takes its caption's look from its owner, as it
    // does whenever the owner's activation changes.
    const HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    const HWND hActive = ::GetActiveWindow();
    const bool bOwnerActive = hActive != nullptr && (hActive == hOwner || ::GetWindow(hActive, GW_OWNER) == hOwner);
    OnFloatStatus(bOwnerActive ? FS_ACTIVATE : FS_DEACTIVATE, 0);
}

LRESULT CMiniDockFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM)
{
    if (wParam & (FS_ENABLE | FS_DISABLE))
        EnableWindow((wParam & FS_DISABLE) == 0);
    const BOOL bSync = (GetStyle() & MFS_SYNCACTIVE) != 0;
    if (bSync && (wParam & (FS_ACTIVATE | FS_DEACTIVATE)))
        DefWindowProc(WM_NCACTIVATE, (wParam & FS_ACTIVATE) != 0, 0);
    return bSync;
}
