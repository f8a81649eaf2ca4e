// CScrollView: scroll sizes, the bars and the device context's origin.
#include <afxpriv.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CScrollView, CView)

const SIZE CScrollView::sizeDefault = {0, 0};

BEGIN_MESSAGE_MAP(CScrollView, CView)
ON_WM_SIZE()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
END_MESSAGE_MAP()

CScrollView::CScrollView() : m_nMapMode(MM_TEXT)
{
}

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    m_nMapMode = nMapMode;
    m_totalLog = sizeTotal;
    // Device sizes through a screen DC in the mapping mode; y grows upwards in the others.
    m_totalDev = m_totalLog;
    m_pageDev = sizePage;
    m_lineDev = sizeLine;
    if (m_nMapMode != MM_TEXT)
    {
        CClientDC dc(nullptr);
        dc.SetMapMode(m_nMapMode);
        for (CSize* pSize : {&m_totalDev, &m_pageDev, &m_lineDev})
        {
            dc.LPtoDP(pSize);
            pSize->cx = std::abs(pSize->cx);
            pSize->cy = std::abs(pSize->cy);
        }
    }
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalDev.cx / 10;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalDev.cy / 10;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = m_pageDev.cx / 10;
    if (m_lineDev.cy == 0)
        m_lineDev.cy = m_pageDev.cy / 10;
    if (m_hWnd != nullptr)
    {
        UpdateBars();
        Invalidate(TRUE);
    }
}

CSize CScrollView::GetTotalSize() const
{
    return m_totalLog;
}

CPoint CScrollView::GetDeviceScrollPosition() const
{
    return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
}

CPoint CScrollView::GetScrollPosition() const
{
    CPoint pt = GetDeviceScrollPosition();
    if (m_nMapMode != MM_TEXT)
    {
        CClientDC dc(nullptr);
        dc.SetMapMode(m_nMapMode);
        dc.DPtoLP(&pt);
    }
    return pt;
}

void CScrollView::ScrollToPosition(POINT pt)
{
    if (m_nMapMode != MM_TEXT)
    {
        CClientDC dc(nullptr);
        dc.SetMapMode(m_nMapMode);
        dc.LPtoDP(&pt);
    }
    ScrollToDevicePosition(pt);
}

void CScrollView::ScrollToDevicePosition(POINT ptDev)
{
    const CPoint ptOld = GetDeviceScrollPosition();
    ptDev.x = std::clamp(static_cast<int>(ptDev.x), 0, std::max(0, GetScrollLimit(SB_HORZ)));
    ptDev.y = std::clamp(static_cast<int>(ptDev.y), 0, std::max(0, GetScrollLimit(SB_VERT)));
    // Scrolling a window moves every child window, even by nothing: only a move is made.
    if (ptDev.x == ptOld.x && ptDev.y == ptOld.y)
        return;
    SetScrollPos(SB_HORZ, ptDev.x);
    SetScrollPos(SB_VERT, ptDev.y);
    ScrollWindow(ptOld.x - ptDev.x, ptOld.y - ptDev.y);
}

void CScrollView::UpdateBars()
{
    // The client area without the bars, less the bars that the sizes need: one bar can make
    // the other needed.
    CRect rectClient;
    GetClientRect(&rectClient);
    CSize sizeClient = rectClient.Size();
    const int cxBar = ::GetSystemMetrics(SM_CXVSCROLL);
    const int cyBar = ::GetSystemMetrics(SM_CYHSCROLL);
    if (GetStyle() & WS_VSCROLL)
        sizeClient.cx += cxBar;
    if (GetStyle() & WS_HSCROLL)
        sizeClient.cy += cyBar;
    BOOL bNeedHorz = m_totalDev.cx > sizeClient.cx;
    BOOL bNeedVert = m_totalDev.cy > sizeClient.cy;
    if (bNeedHorz)
    {
        sizeClient.cy -= cyBar;
        bNeedVert = m_totalDev.cy > sizeClient.cy;
    }
    if (bNeedVert)
    {
        sizeClient.cx -= cxBar;
        if (!bNeedHorz && m_totalDev.cx > sizeClient.cx)
        {
            bNeedHorz = TRUE;
            sizeClient.cy -= cyBar;
        }
    }
    const int nBars[] = {SB_HORZ, SB_VERT};
    const BOOL bNeeds[] = {bNeedHorz, bNeedVert};
    const int nTotals[] = {m_totalDev.cx, m_totalDev.cy};
    const int nPages[] = {sizeClient.cx, sizeClient.cy};
    for (int i = 0; i < 2; ++i)
    {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_PAGE | SIF_RANGE;
        info.nMax = bNeeds[i] ? nTotals[i] - 1 : 0;
        info.nPage = bNeeds[i] ? static_cast<UINT>(nPages[i]) : 0;
        // Setting a bar shows, hides or redraws it, each time: only a change is set.
        SCROLLINFO current{};
        current.cbSize = sizeof(current);
        if (GetScrollInfo(nBars[i], &current, SIF_PAGE | SIF_RANGE) && current.nMin == info.nMin &&
            current.nMax == info.nMax && current.nPage == info.nPage)
            continue;
        SetScrollInfo(nBars[i], &info, TRUE);
    }
    // The position may lie beyond the new range.
    ScrollToDevicePosition(GetDeviceScrollPosition());
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    pDC->SetMapMode(m_nMapMode);
    const CPoint ptScroll = GetDeviceScrollPosition();
    pDC->SetViewportOrg(-ptScroll.x, -ptScroll.y);
    CView::OnPrepareDC(pDC, pInfo);
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    UpdateBars();
}

int CScrollView::NewScrollPos(int nBar, UINT nSBCode, UINT nPos) const
{
    const int nCur = GetScrollPos(nBar);
    const int nPage = nBar == SB_HORZ ? m_pageDev.cx : m_pageDev.cy;
    const int nLine = nBar == SB_HORZ ? m_lineDev.cx : m_lineDev.cy;
    switch (nSBCode)
    {
    case SB_TOP:
        return 0;
    case SB_BOTTOM:
        return INT_MAX;
    case SB_LINEUP:
        return nCur - nLine;
    case SB_LINEDOWN:
        return nCur + nLine;
    case SB_PAGEUP:
        return nCur - nPage;
    case SB_PAGEDOWN:
        return nCur + nPage;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        return static_cast<int>(nPos);
    default:
        return nCur;
    }
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    ScrollToDevicePosition(CPoint(NewScrollPos(SB_HORZ, nSBCode, nPos), GetScrollPos(SB_VERT)));
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    ScrollToDevicePosition(CPoint(GetScrollPos(SB_HORZ), NewScrollPos(SB_VERT, nSBCode, nPos)));
}
