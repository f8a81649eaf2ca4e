#include "TabWnd.h"

#include <afxres.h>
#include <toolkit/foundation/CaptureLoop.h>

#include <algorithm>

namespace tarnwick::tabs
{
IMPLEMENT_DYNCREATE(SECTabWnd, SECTabWndBase)

BEGIN_MESSAGE_MAP(SECTabWnd, SECTabWndBase)
ON_MESSAGE(TCM_TABSEL, OnTabSel)
ON_WM_NCCREATE()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_CAPTURECHANGED()
ON_WM_CANCELMODE()
ON_WM_SETCURSOR()
ON_MESSAGE(WM_HSCROLL, OnSharedScroll)
ON_MESSAGE(WM_VSCROLL, OnSharedScroll)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
END_MESSAGE_MAP()

SECTabWnd::SECTabWnd()
    : m_cyTabCtrl(::GetSystemMetrics(SM_CYHSCROLL)), m_cxVScroll(::GetSystemMetrics(SM_CXVSCROLL)),
      m_cyHScroll(::GetSystemMetrics(SM_CYHSCROLL))
{
}

BOOL SECTabWnd::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwTabCtrlStyle = (dwStyle & TCS_TABS_FULLSCROLL) ? TCS_TABS_FULLSCROLL : (dwStyle & TCS_TABS_PREVNEXT);
    if (!SECTabWndBase::Create(pParentWnd, dwStyle & ~(TCS_TABS_PREVNEXT | TCS_TABS_FULLSCROLL), nID))
        return FALSE;
    // Until the frames ship the split-bar cursor, the arrow stands in for it.
    m_hcurArrow = ::LoadCursor(nullptr, IDC_ARROW);
    m_hcurSizer = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(AFX_IDC_HSPLITBAR));
    if (m_hcurSizer == nullptr)
        m_hcurSizer = m_hcurArrow;
    if (!CreateScrollBar(SBS_HORZ, SEC_IDW_HSCROLL) || !CreateScrollBar(SBS_VERT, SEC_IDW_VSCROLL))
    {
        DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

BOOL SECTabWnd::CreateTabControl(DWORD, UINT nID)
{
    auto* pTabControl = new SECTabControl;
    SetTabControl(pTabControl);
    return pTabControl->Create(m_dwTabCtrlStyle | WS_VISIBLE, CRect(0, 0, 0, 0), this, nID);
}

SECTabWnd::PageScrollState SECTabWnd::FreshScrollState(DWORD dwStyle)
{
    PageScrollState state{};
    state.horz.cbSize = state.vert.cbSize = sizeof(SCROLLINFO);
    state.horz.fMask = state.vert.fMask = SIF_ALL;
    state.dwStyle = dwStyle;
    return state;
}

void SECTabWnd::SetScrollStyle(int nIndex, DWORD dwStyle)
{
    if (nIndex < 0)
        return;
    if (static_cast<size_t>(nIndex) >= m_scrollStates.size())
        m_scrollStates.push_back(FreshScrollState(dwStyle));
    else
        m_scrollStates[static_cast<size_t>(nIndex)].dwStyle = dwStyle;
}

SECTab* SECTabWnd::InsertTab(CWnd* pWnd, int nIndex, LPCTSTR lpszLabel)
{
    const size_t nAt = std::min(static_cast<size_t>(std::max(nIndex, 0)), m_scrollStates.size());
    m_scrollStates.insert(m_scrollStates.begin() + static_cast<std::ptrdiff_t>(nAt), FreshScrollState(0));
    return SECTabWndBase::InsertTab(pWnd, nIndex, lpszLabel);
}

void SECTabWnd::RemoveTab(int nIndex)
{
    if (nIndex >= 0 && static_cast<size_t>(nIndex) < m_scrollStates.size())
        m_scrollStates.erase(m_scrollStates.begin() + nIndex);
    SECTabWndBase::RemoveTab(nIndex);
}

CWnd* SECTabWnd::GetScrollBar(int nBar, CWnd* pPage) const
{
    if (nBar != 0 && nBar != 1)
        return nullptr;
    if (pPage == nullptr)
        pPage = GetActivePage();
    int nIndex = 0;
    if (pPage == nullptr || !FindTab(pPage, nIndex) || static_cast<size_t>(nIndex) >= m_scrollStates.size())
        return nullptr;
    const DWORD dwBit = nBar == 0 ? WS_HSCROLL : WS_VSCROLL;
    if (!(m_scrollStates[static_cast<size_t>(nIndex)].dwStyle & dwBit))
        return nullptr;
    return GetDlgItem(static_cast<int>(nBar == 0 ? SEC_IDW_HSCROLL : SEC_IDW_VSCROLL));
}

BOOL SECTabWnd::SetActiveTab(CWnd* pWnd, int nIndex)
{
    CWnd* pOldPage = GetActivePage();
    int nNew = 0;
    if (pWnd != pOldPage && pWnd != nullptr && FindTab(pWnd, nNew))
    {
        int nOld = 0;
        if (pOldPage != nullptr && FindTab(pOldPage, nOld))
        {
            PageScrollState& saved = m_scrollStates[static_cast<size_t>(nOld)];
            if (CWnd* pBar = GetScrollBar(0, pOldPage))
                ::GetScrollInfo(pBar->m_hWnd, SB_CTL, &saved.horz);
            if (CWnd* pBar = GetScrollBar(1, pOldPage))
                ::GetScrollInfo(pBar->m_hWnd, SB_CTL, &saved.vert);
        }
        PageScrollState& state = m_scrollStates[static_cast<size_t>(nNew)];
        for (int nBar = 0; nBar < 2; ++nBar)
        {
            CWnd* pShared = GetDlgItem(static_cast<int>(nBar == 0 ? SEC_IDW_HSCROLL : SEC_IDW_VSCROLL));
            if (pShared == nullptr)
                continue;
            if (GetScrollBar(nBar, pWnd) != nullptr)
            {
                ::SetScrollInfo(pShared->m_hWnd, SB_CTL, nBar == 0 ? &state.horz : &state.vert, TRUE);
                pShared->ShowWindow(SW_SHOW);
            }
            else
                pShared->ShowWindow(SW_HIDE);
        }
    }
    return SECTabWndBase::SetActiveTab(pWnd, nIndex);
}

void SECTabWnd::GetInsideRect(CRect& rect) const
{
    GetClientRect(&rect);
    rect.bottom -= m_cyTabCtrl;
    if (GetScrollBar(1) != nullptr)
        rect.right -= m_cxVScroll;
}

int SECTabWnd::GetTabAreaWidth() const
{
    return m_nTabAreaWidth;
}

CRect SECTabWnd::GetSizerRect() const
{
    CRect rcInside;
    GetInsideRect(rcInside);
    const int x = rcInside.left + m_nTabAreaWidth;
    return CRect(x, rcInside.bottom, x + SIZER_WIDTH, rcInside.bottom + m_cyTabCtrl);
}

CRect SECTabWnd::GetStripRect() const
{
    CRect rcInside;
    GetInsideRect(rcInside);
    const int cx = GetScrollBar(0) != nullptr ? m_nTabAreaWidth : rcInside.Width();
    return CRect(rcInside.left, rcInside.bottom, rcInside.left + cx, rcInside.bottom + m_cyTabCtrl);
}

void SECTabWnd::RecalcLayout()
{
    if (m_hWnd == nullptr || GetTabControl() == nullptr)
        return;
    CRect rcInside;
    GetInsideRect(rcInside);
    CWnd* pHorz = GetScrollBar(0);
    CWnd* pVert = GetScrollBar(1);
    HDWP hdwp = ::BeginDeferWindowPos(m_bDragging ? 2 : 4);
    if (pHorz != nullptr)
    {
        m_nTabAreaWidth =
            std::clamp(m_nTabAreaWidth, 0, std::max(static_cast<int>(rcInside.right) - MIN_SCROLLBAR_WIDTH, 0));
        const CRect rcSizer = GetSizerRect();
        hdwp = DeferMove(hdwp, pHorz,
                         CRect(rcSizer.right, rcInside.bottom, rcInside.right + 1, rcInside.bottom + m_cyHScroll), 0);
    }
    hdwp = DeferMove(hdwp, GetTabControl(), GetStripRect(), 0);
    if (!m_bDragging)
    {
        if (pVert != nullptr)
            hdwp = DeferMove(hdwp, pVert,
                             CRect(rcInside.right, rcInside.top, rcInside.right + m_cxVScroll, rcInside.bottom), 0);
        hdwp = DeferMove(hdwp, GetActivePage(), rcInside, 0);
    }
    if (hdwp != nullptr)
        ::EndDeferWindowPos(hdwp);

    // A bar too small to show its arrows still shows where it is.
    for (CWnd* pBar : {pHorz, pVert})
    {
        if (pBar == nullptr)
            continue;
        CRect rcBar;
        pBar->GetWindowRect(&rcBar);
        const bool bTiny = rcBar.Width() < 2 || rcBar.Height() < 2;
        pBar->ModifyStyle(bTiny ? 0 : WS_BORDER, bTiny ? WS_BORDER : 0);
    }
}

LRESULT SECTabWnd::OnTabSel(WPARAM wParam, LPARAM lParam)
{
    return ForwardTabSel(wParam, lParam);
}

BOOL SECTabWnd::OnNcCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (!CWnd::OnNcCreate(lpCreateStruct))
        return FALSE;
    // The edge moves from the parent to the tab window, around the pages only.
    if (CWnd* pParent = GetParent())
        pParent->ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
    return TRUE;
}

void SECTabWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType == SIZE_MINIMIZED || cx <= 0 || cy <= 0)
        return;
    if (GetScrollBar(0) == nullptr)
    {
        if (m_bFirstSize)
        {
            CRect rcInside;
            GetInsideRect(rcInside);
            m_nTabAreaWidth = rcInside.Width();
        }
    }
    else
    {
        const int nLimit = std::max(cx - MIN_SCROLLBAR_WIDTH, 0);
        m_nTabAreaWidth = m_bFirstSize ? nLimit : std::min(m_nTabAreaWidth, nLimit);
    }
    m_bFirstSize = FALSE;
    RecalcLayout();
    InvalidateStripAndSizer();
}

void SECTabWnd::InvalidateStripAndSizer()
{
    if (GetTabControl() != nullptr)
        GetTabControl()->Invalidate();
    const CRect rcSizer = GetSizerRect();
    InvalidateRect(&rcSizer, FALSE);
}

void SECTabWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    const CRect rcSizer = GetSizerRect();
    if (GetScrollBar(0) == nullptr || !rcSizer.PtInRect(point))
    {
        CWnd::OnLButtonDown(nFlags, point);
        return;
    }
    SetCapture();
    m_nDragOffset = point.x - rcSizer.left;
    m_bDragging = TRUE;
}

void SECTabWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bDragging || point.x == m_nTabAreaWidth)
    {
        m_bOverSizer = GetScrollBar(0) != nullptr && GetSizerRect().PtInRect(point);
        CWnd::OnMouseMove(nFlags, point);
        return;
    }
    const int nOld = m_nTabAreaWidth;
    m_nTabAreaWidth = point.x - m_nDragOffset - 1;
    RecalcLayout();
    if (GetTabControl() != nullptr)
    {
        CRect rcChanged(std::min(nOld, m_nTabAreaWidth), 0, std::max(nOld, m_nTabAreaWidth) + SIZER_WIDTH, m_cyTabCtrl);
        GetTabControl()->InvalidateRect(&rcChanged);
    }
    const CRect rcSizer = GetSizerRect();
    InvalidateRect(&rcSizer, FALSE);
    UpdateWindow();
}

void SECTabWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!m_bDragging)
    {
        CWnd::OnLButtonUp(nFlags, point);
        return;
    }
    EndSizerDrag();
}

void SECTabWnd::OnCaptureChanged(CWnd* /*pWnd*/)
{
    EndSizerDrag();
}

void SECTabWnd::OnCancelMode()
{
    CWnd::OnCancelMode();
    EndSizerDrag();
}

void SECTabWnd::EndSizerDrag()
{
    tarnwick::foundation::SECEndCapturedDrag(this, m_bDragging);
}

BOOL SECTabWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (pWnd == this && nHitTest == HTCLIENT && (m_bOverSizer || m_bDragging))
    {
        ::SetCursor(m_hcurSizer);
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

LRESULT SECTabWnd::OnSharedScroll(WPARAM wParam, LPARAM lParam)
{
    CWnd* pPage = GetActivePage();
    if (pPage == nullptr)
        return 0;
    return pPage->SendMessage(GetCurrentMessage()->message, wParam, lParam);
}

BOOL SECTabWnd::OnEraseBkgnd(CDC* pDC)
{
    if (GetActivePage() == nullptr)
        return FALSE;
    if (GetScrollBar(0) == nullptr && GetScrollBar(1) == nullptr)
        return TRUE;
    CRect rcClient;
    GetClientRect(&rcClient);
    pDC->FillSolidRect(rcClient.right - m_cxVScroll, rcClient.top, m_cxVScroll, rcClient.Height(),
                       ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void SECTabWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rcStrip = GetStripRect();
    if (GetTabControl() != nullptr && rcStrip.IntersectRect(rcStrip, &dc.m_ps.rcPaint))
    {
        MapWindowPoints(GetTabControl(), &rcStrip);
        GetTabControl()->RedrawWindow(&rcStrip, nullptr, RDW_INVALIDATE);
    }
    if (GetScrollBar(0) == nullptr)
        return;
    // Five lines, dark at both edges: a grip between the strip and the bar.
    const COLORREF colours[SIZER_WIDTH] = {RGB(0, 0, 0), ::GetSysColor(COLOR_BTNHIGHLIGHT),
                                           ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNSHADOW), RGB(0, 0, 0)};
    const CRect rcSizer = GetSizerRect();
    for (int i = 0; i < SIZER_WIDTH; ++i)
        dc.FillSolidRect(rcSizer.left + i, rcSizer.top, 1, rcSizer.Height(), colours[i]);
}
} // namespace tarnwick::tabs
