// CRectTracker: the tracking loop and the drag frame.
#include <afxext.h>

#include <windowsx.h>

#include <algorithm>

namespace
{
// The edges that each handle moves: left, top, right, bottom.
struct HandleEdges
{
    bool bLeft, bTop, bRight, bBottom;
};
constexpr HandleEdges handleEdges[] = {
    {true, true, false, false},  // top left
    {false, true, true, false},  // top right
    {false, false, true, true},  // bottom right
    {true, false, false, true},  // bottom left
    {false, true, false, false}, // top
    {false, false, true, false}, // right
    {false, false, false, true}, // bottom
    {true, false, false, false}, // left
    {true, true, true, true},    // middle
};
} // namespace

CRectTracker::CRectTracker() : CRectTracker(CRect(0, 0, 0, 0), 0)
{
}

CRectTracker::CRectTracker(LPCRECT lpSrcRect, UINT nStyle)
    : m_rect(lpSrcRect), m_nStyle(nStyle), m_nHandleSize(4), m_sizeMin(1, 1), m_bFinalErase(FALSE),
      m_rectLast(0, 0, 0, 0), m_sizeLast(0, 0), m_bErase(FALSE)
{
}

void CRectTracker::AdjustRect(int, LPRECT)
{
}

void CRectTracker::OnChangedRect(const CRect&)
{
}

void CRectTracker::DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd)
{
    DrawDragFrame(lpRect, pWndClipTo, pDC, pWnd, CSize(1, 1));
}

void CRectTracker::DrawDragFrame(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd, CSize size)
{
    CRect rect(lpRect);
    rect.NormalizeRect();
    if (pWndClipTo != nullptr && pWndClipTo != pWnd)
        ::MapWindowPoints(pWnd->m_hWnd, pWndClipTo->m_hWnd, reinterpret_cast<LPPOINT>(&rect), 2);
    if (m_bFinalErase)
        size = CSize(0, 0);
    pDC->DrawDragRect(rect, size, m_bErase ? &m_rectLast : nullptr, m_sizeLast);
    m_rectLast = rect;
    m_sizeLast = size;
    m_bErase = TRUE;
}

BOOL CRectTracker::TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo)
{
    if (nHandle < hitTopLeft || nHandle > hitMiddle || ::GetCapture() != nullptr)
        return FALSE;
    const HandleEdges& edges = handleEdges[nHandle];
    pWnd->SetCapture();
    pWnd->UpdateWindow();
    CWnd* pDrawWnd = pWndClipTo != nullptr ? pWndClipTo : pWnd;
    const HDC hDC = ::GetDCEx(pDrawWnd->m_hWnd, nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    CDC* pDC = CDC::FromHandle(hDC);
    const CRect rectSave = m_rect;
    m_bErase = FALSE;
    m_bFinalErase = FALSE;
    BOOL bCommitted = FALSE;
    bool bDone = false;
    while (!bDone && ::GetCapture() == pWnd->m_hWnd)
    {
        MSG msg;
        if (!::GetMessage(&msg, nullptr, 0, 0))
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        switch (msg.message)
        {
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        {
            CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            if (msg.hwnd != nullptr && msg.hwnd != pWnd->m_hWnd)
                ::MapWindowPoints(msg.hwnd, pWnd->m_hWnd, &pt, 1);
            const CSize delta = pt - point;
            const CRect rectOld = m_rect;
            m_rect = rectSave;
            if (edges.bLeft)
                m_rect.left += delta.cx;
            if (edges.bTop)
                m_rect.top += delta.cy;
            if (edges.bRight)
                m_rect.right += delta.cx;
            if (edges.bBottom)
                m_rect.bottom += delta.cy;
            if (nHandle != hitMiddle)
            {
                // Sizing keeps the smallest size, holding the opposite edge.
                if (m_rect.Width() < m_sizeMin.cx)
                    (edges.bLeft ? m_rect.left : m_rect.right) =
                        edges.bLeft ? m_rect.right - m_sizeMin.cx : m_rect.left + m_sizeMin.cx;
                if (m_rect.Height() < m_sizeMin.cy)
                    (edges.bTop ? m_rect.top : m_rect.bottom) =
                        edges.bTop ? m_rect.bottom - m_sizeMin.cy : m_rect.top + m_sizeMin.cy;
            }
            AdjustRect(nHandle, &m_rect);
            if (m_rect != rectOld)
                OnChangedRect(rectOld);
            if ((m_rect != rectOld || !m_bErase) && hDC != nullptr)
                DrawTrackerRect(m_rect, pWndClipTo, pDC, pWnd);
            if (msg.message == WM_LBUTTONUP)
            {
                bCommitted = m_rect != rectSave;
                bDone = true;
            }
            break;
        }
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
                bDone = true;
            break;
        case WM_RBUTTONDOWN:
            bDone = true;
            break;
        default:
            ::DispatchMessage(&msg);
            break;
        }
    }
    if (m_bErase)
    {
        m_bFinalErase = TRUE;
        DrawTrackerRect(m_rect, pWndClipTo, pDC, pWnd);
    }
    if (hDC != nullptr)
        ::ReleaseDC(pDrawWnd->m_hWnd, hDC);
    if (::GetCapture() == pWnd->m_hWnd)
        ::ReleaseCapture();
    if (!bCommitted)
        m_rect = rectSave;
    return bCommitted;
}
