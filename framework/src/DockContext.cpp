// CDockContext: a dockable bar's remembered places, and the modal loops that drag it between
// dock bars and floating frames and size it while it floats.
#include <afxpriv.h>

#include <windowsx.h>

#include <algorithm>

namespace
{
// Docked bars have 2-pixel borders (Windows 95 and later); an outline over a dock bar is
// drawn one pixel wide and one pixel in.
constexpr int BORDER2 = 2;

BOOL IsHorz(DWORD dwStyle)
{
    return (dwStyle & CBRS_ORIENT_HORZ) != 0;
}

BOOL IsVert(DWORD dwStyle)
{
    return (dwStyle & CBRS_ORIENT_VERT) != 0;
}

// Moves the rectangle the least distance that brings pt inside it.
void MoveToInclude(CRect& rect, CPoint pt)
{
    const int dx = pt.x < rect.left ? pt.x - rect.left : (pt.x > rect.right ? pt.x - rect.right : 0);
    const int dy = pt.y < rect.top ? pt.y - rect.top : (pt.y > rect.bottom ? pt.y - rect.bottom : 0);
    rect.OffsetRect(dx, dy);
}
} // namespace

CDockContext::CDockContext(CControlBar* pBar)
    : m_ptLast(0, 0), m_rectLast(0, 0, 0, 0), m_sizeLast(0, 0), m_bDitherLast(FALSE), m_rectDragHorz(0, 0, 0, 0),
      m_rectDragVert(0, 0, 0, 0), m_rectFrameDragHorz(0, 0, 0, 0), m_rectFrameDragVert(0, 0, 0, 0), m_pBar(pBar),
      m_pDockSite(pBar->m_pDockSite), m_dwDockStyle(0), m_dwOverDockStyle(0), m_dwStyle(0), m_bFlip(FALSE),
      m_bForceFrame(FALSE), m_pDC(nullptr), m_bDragging(FALSE), m_nHitTest(0), m_uMRUDockID(0),
      m_rectMRUDockPos(0, 0, 0, 0), m_ptMRUFloatPos(CW_USEDEFAULT, 0)
{
    // A bar floats the way it stands: a dynamic bar keeps its sizing, others float along the
    // top or the left as they are oriented.
    const DWORD dwStyle = pBar->m_dwStyle;
    if (dwStyle & CBRS_SIZE_DYNAMIC)
        m_dwMRUFloatStyle = dwStyle & (CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC);
    else if (dwStyle & CBRS_ORIENT_HORZ)
        m_dwMRUFloatStyle = CBRS_ALIGN_TOP | (dwStyle & CBRS_FLOAT_MULTI);
    else
        m_dwMRUFloatStyle = CBRS_ALIGN_LEFT | (dwStyle & CBRS_FLOAT_MULTI);
}

void CDockContext::InitLoop()
{
    // The bar's styles may have changed since the context was made.
    m_dwStyle = m_pBar->m_dwStyle;
    m_dwDockStyle = m_pBar->m_dwDockStyle;
    m_pDockSite = m_pBar->m_pDockSite;
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    m_bDitherLast = FALSE;
    m_bFlip = FALSE;
    m_bForceFrame = FALSE;
    // Outlines go on the desktop, over every window, without leaving traces in them.
    CWnd* pDesktop = CWnd::GetDesktopWindow();
    const BOOL bLocked = pDesktop->LockWindowUpdate();
    m_pDC = CDC::FromHandle(::GetDCEx(pDesktop->m_hWnd, nullptr,
                                      DCX_WINDOW | DCX_CACHE | (bLocked ? DCX_LOCKWINDOWUPDATE : 0)));
}

void CDockContext::CancelLoop()
{
    DrawFocusRect(TRUE);
    ::ReleaseCapture();
    CWnd* pDesktop = CWnd::GetDesktopWindow();
    pDesktop->UnlockWindowUpdate();
    if (m_pDC != nullptr)
    {
        ::ReleaseDC(pDesktop->m_hWnd, m_pDC->m_hDC);
        m_pDC = nullptr;
    }
}

void CDockContext::AdjustWindowForFloat(CRect& rect) const
{
    CMiniFrameWnd::CalcBorders(&rect, WS_THICKFRAME | WS_CAPTION);
    rect.InflateRect(-BORDER2, -BORDER2);
}

void CDockContext::StartDrag(CPoint pt)
{
    m_bDragging = TRUE;
    InitLoop();
    m_ptLast = pt;

    CRect rect;
    m_pBar->GetWindowRect(&rect);
    if (m_dwStyle & CBRS_SIZE_DYNAMIC)
    {
        m_rectDragHorz = CRect(rect.TopLeft(), m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK));
        m_rectDragVert = CRect(rect.TopLeft(), m_pBar->CalcDynamicLayout(0, LM_VERTDOCK));
        m_rectFrameDragHorz = CRect(rect.TopLeft(), m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH));
        m_rectFrameDragVert = m_rectFrameDragHorz;
    }
    else if (m_dwStyle & CBRS_SIZE_FIXED)
    {
        m_rectDragHorz = CRect(rect.TopLeft(), m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK));
        m_rectDragVert = CRect(rect.TopLeft(), m_pBar->CalcDynamicLayout(-1, LM_VERTDOCK));
        m_rectFrameDragHorz = m_rectDragHorz;
        m_rectFrameDragVert = m_rectDragVert;
    }
    else
    {
        // The other orientation is centred across the bar on the mouse.
        if (IsHorz(m_dwStyle))
        {
            m_rectDragHorz = rect;
            m_rectDragVert = CRect(CPoint(pt.x - rect.Height() / 2, rect.top),
                                   m_pBar->CalcDynamicLayout(-1, LM_VERTDOCK));
        }
        else
        {
            m_rectDragVert = rect;
            m_rectDragHorz = CRect(CPoint(rect.left, pt.y - rect.Width() / 2),
                                   m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK));
        }
        m_rectFrameDragHorz = m_rectDragHorz;
        m_rectFrameDragVert = m_rectDragVert;
    }
    AdjustWindowForFloat(m_rectFrameDragHorz);
    AdjustWindowForFloat(m_rectFrameDragVert);

    for (CRect* pRect : {&m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz, &m_rectFrameDragVert})
        MoveToInclude(*pRect, pt);

    m_dwOverDockStyle = CanDock();
    Move(pt);
    Track();
}

void CDockContext::Move(CPoint pt)
{
    const CPoint ptOffset = pt - m_ptLast;
    for (CRect* pRect : {&m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz, &m_rectFrameDragVert})
        pRect->OffsetRect(ptOffset);
    m_ptLast = pt;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

void CDockContext::OnKey(int nChar, BOOL bDown)
{
    BOOL* pFlag = nChar == VK_CONTROL ? &m_bForceFrame : (nChar == VK_SHIFT ? &m_bFlip : nullptr);
    if (pFlag == nullptr || *pFlag == bDown)
        return;
    *pFlag = bDown;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

BOOL CDockContext::IsFloatingHorz() const
{
    return (m_dwStyle & CBRS_SIZE_DYNAMIC) || (IsHorz(m_dwStyle) && !m_bFlip) || (IsVert(m_dwStyle) && m_bFlip);
}

void CDockContext::EndDrag()
{
    CancelLoop();
    if (m_dwOverDockStyle != 0)
    {
        CDockBar* pDockBar = GetDockBar(m_dwOverDockStyle);
        CRect rect = IsVert(m_dwOverDockStyle) ? m_rectDragVert : m_rectDragHorz;
        const UINT nID = static_cast<UINT>(::GetDlgCtrlID(pDockBar->m_hWnd));
        if (nID >= AFX_IDW_DOCKBAR_TOP && nID <= AFX_IDW_DOCKBAR_BOTTOM)
        {
            m_uMRUDockID = nID;
            m_rectMRUDockPos = rect;
            pDockBar->ScreenToClient(&m_rectMRUDockPos);
        }
        m_pDockSite->DockControlBar(m_pBar, pDockBar, &rect);
        m_pDockSite->RecalcLayout();
        return;
    }
    const BOOL bHorz = IsFloatingHorz();
    m_dwMRUFloatStyle = (bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT) | (m_dwDockStyle & CBRS_FLOAT_MULTI);
    m_ptMRUFloatPos = (bHorz ? m_rectFrameDragHorz : m_rectFrameDragVert).TopLeft();
    m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
}

void CDockContext::InitResize(int nHitTest, CPoint pt)
{
    m_bDragging = FALSE;
    InitLoop();
    m_ptLast = pt;
    m_nHitTest = nHitTest;

    // While resizing, the horizontal outline is the size asked for, the vertical one the
    // size the bar takes, the horizontal frame outline the frame around it and the vertical
    // frame outline the frame's borders.
    CRect rect;
    m_pBar->GetWindowRect(&rect);
    m_rectDragHorz = CRect(rect.TopLeft(), m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH));
    m_rectDragVert = m_rectDragHorz;
    m_rectFrameDragHorz = m_rectDragHorz;
}

void CDockContext::StartResize(int nHitTest, CPoint pt)
{
    InitResize(nHitTest, pt);
    CMiniFrameWnd::CalcBorders(&m_rectFrameDragHorz, WS_THICKFRAME);
    m_rectFrameDragVert = CRect(CPoint(0, 0), m_rectFrameDragHorz.Size() - m_rectDragVert.Size());

    m_dwOverDockStyle = 0;
    DrawFocusRect();
    Track();
}

void CDockContext::Stretch(CPoint pt)
{
    const CPoint ptOffset = pt - m_ptLast;
    int nLength;
    DWORD dwMode = LM_HORZ;
    if (m_nHitTest == HTLEFT || m_nHitTest == HTRIGHT)
    {
        (m_nHitTest == HTLEFT ? m_rectDragHorz.left : m_rectDragHorz.right) += ptOffset.x;
        nLength = m_rectDragHorz.Width();
    }
    else
    {
        dwMode |= LM_LENGTHY;
        (m_nHitTest == HTTOP ? m_rectDragHorz.top : m_rectDragHorz.bottom) += ptOffset.y;
        nLength = m_rectDragHorz.Height();
    }
    const CSize size = m_pBar->CalcDynamicLayout(std::max(nLength, 0), dwMode);

    // The frame grows from the edge that is dragged, and only while it stays on the desktop.
    CRect rectDesktop;
    ::GetWindowRect(::GetDesktopWindow(), &rectDesktop);
    CRect rectFrame = m_rectFrameDragHorz;
    const CSize sizeFrame = size + m_rectFrameDragVert.Size();
    const BOOL bFromTopLeft = m_nHitTest == HTLEFT || m_nHitTest == HTTOP;
    if (bFromTopLeft)
        rectFrame.SetRect(rectFrame.right - sizeFrame.cx, rectFrame.bottom - sizeFrame.cy, rectFrame.right,
                          rectFrame.bottom);
    else
        rectFrame.SetRect(rectFrame.left, rectFrame.top, rectFrame.left + sizeFrame.cx, rectFrame.top + sizeFrame.cy);
    CRect rectVisible;
    if (rectVisible.IntersectRect(rectDesktop, rectFrame))
    {
        m_rectFrameDragHorz = rectFrame;
        m_rectDragVert = bFromTopLeft ? CRect(m_rectDragVert.BottomRight() - size, m_rectDragVert.BottomRight())
                                      : CRect(m_rectDragVert.TopLeft(), size);
    }
    m_ptLast = pt;
    DrawFocusRect();
}

void CDockContext::EndResize()
{
    CancelLoop();
    m_pBar->CalcDynamicLayout(m_rectDragVert.Width(), LM_HORZ | LM_COMMIT);
    m_pDockSite->FloatControlBar(m_pBar, m_rectFrameDragHorz.TopLeft(),
                                 CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI) | CBRS_SIZE_DYNAMIC);
}

void CDockContext::ToggleDocking()
{
    m_pDockSite = m_pBar->m_pDockSite;
    if (m_pBar->IsFloating())
    {
        // Only a bar that may dock goes back.
        if (!(m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY))
            return;
        CRect rect = m_rectMRUDockPos;
        CDockBar* pDockBar = nullptr;
        if (m_uMRUDockID != 0)
        {
            pDockBar = static_cast<CDockBar*>(m_pDockSite->GetControlBar(m_uMRUDockID));
            if (pDockBar != nullptr)
                pDockBar->ClientToScreen(&rect);
        }
        m_pDockSite->ReDockControlBar(m_pBar, pDockBar, &rect);
        m_pDockSite->RecalcLayout();
        return;
    }
    CPoint ptFloat = m_ptMRUFloatPos;
    if (ptFloat.x < 0 || ptFloat.y < 0)
    {
        ptFloat = m_rectMRUDockPos.TopLeft();
        m_pBar->GetParent()->ClientToScreen(&ptFloat);
    }
    m_pDockSite->FloatControlBar(m_pBar, ptFloat, m_dwMRUFloatStyle);
}

BOOL CDockContext::Track()
{
    if (::GetCapture() != nullptr)
        return FALSE;
    m_pBar->SetCapture();
    while (::GetCapture() == m_pBar->m_hWnd)
    {
        MSG msg;
        if (!::GetMessage(&msg, nullptr, 0, 0))
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        // The mouse point in screen coordinates, as the message gave it.
        CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
        if (msg.hwnd != nullptr)
            ::ClientToScreen(msg.hwnd, &pt);
        switch (msg.message)
        {
        case WM_LBUTTONUP:
            if (m_bDragging)
                EndDrag();
            else
                EndResize();
            return TRUE;
        case WM_MOUSEMOVE:
            if (m_bDragging)
                Move(pt);
            else
                Stretch(pt);
            break;
        case WM_KEYUP:
            if (m_bDragging)
                OnKey(static_cast<int>(msg.wParam), FALSE);
            break;
        case WM_KEYDOWN:
            if (m_bDragging)
                OnKey(static_cast<int>(msg.wParam), TRUE);
            if (msg.wParam == VK_ESCAPE)
            {
                CancelLoop();
                return FALSE;
            }
            break;
        case WM_RBUTTONDOWN:
            CancelLoop();
            return FALSE;
        default:
            ::DispatchMessage(&msg);
            break;
        }
    }
    CancelLoop();
    return FALSE;
}

BOOL CDockContext::CalcDockOutline(CRect& rect)
{
    if (IsHorz(m_dwOverDockStyle))
        rect = m_rectDragHorz;
    else if (IsVert(m_dwOverDockStyle))
        rect = m_rectDragVert;
    else
        return FALSE;
    return TRUE;
}

void CDockContext::DrawFocusRect(BOOL bRemoveRect)
{
    if (m_pDC == nullptr)
        return;
    CBrush* pWhiteBrush = CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    CBrush* pDitherBrush = CDC::GetHalftoneBrush();
    CBrush* pBrush = pWhiteBrush;
    CRect rect;
    CSize size(1, 1);
    if (CalcDockOutline(rect))
        rect.DeflateRect(1, 1);
    else
    {
        // A floating frame: a thick halftone band.
        size = CSize(::GetSystemMetrics(SM_CXFRAME) - 1, ::GetSystemMetrics(SM_CYFRAME) - 1);
        rect = !m_bDragging || IsFloatingHorz() ? m_rectFrameDragHorz : m_rectFrameDragVert;
        pBrush = pDitherBrush;
    }
    if (bRemoveRect)
        size = CSize(0, 0);
    m_pDC->DrawDragRect(&rect, size, &m_rectLast, m_sizeLast, pBrush, m_bDitherLast ? pDitherBrush : pWhiteBrush);
    m_rectLast = rect;
    m_sizeLast = size;
    m_bDitherLast = pBrush == pDitherBrush;
}

DWORD CDockContext::CanDockVert()
{
    return m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
}

DWORD CDockContext::CanDock()
{
    const BOOL bHorz = m_bFlip ? !IsHorz(m_dwStyle) : IsHorz(m_dwStyle);
    DWORD dwDock = 0;
    if (bHorz && IsHorz(m_dwDockStyle))
        dwDock = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_VERT);
    else if (IsVert(m_dwDockStyle))
        dwDock = CanDockVert();
    if (m_bFlip)
        return dwDock;
    // Across its orientation a bar docks only where both outlines agree.
    if (dwDock == 0 && IsHorz(m_dwDockStyle))
    {
        const DWORD dwStyle = m_dwDockStyle & ~CBRS_ORIENT_VERT;
        dwDock = m_pDockSite->CanDock(m_rectDragHorz, dwStyle);
        if (dwDock != m_pDockSite->CanDock(m_rectDragVert, dwStyle))
            dwDock = 0;
    }
    if (dwDock == 0 && IsVert(m_dwDockStyle))
    {
        const DWORD dwStyle = m_dwDockStyle & ~CBRS_ORIENT_HORZ;
        dwDock = m_pDockSite->CanDock(m_rectDragVert, dwStyle);
        if (dwDock != m_pDockSite->CanDock(m_rectDragHorz, dwStyle))
            dwDock = 0;
    }
    return dwDock;
}

CDockBar* CDockContext::GetDockBar(DWORD dwOverDockStyle)
{
    CDockBar* pDockBar = nullptr;
    const CRect& rect = IsHorz(dwOverDockStyle) ? m_rectDragHorz : m_rectDragVert;
    const DWORD dwStyle = m_dwDockStyle & (IsHorz(dwOverDockStyle) ? ~CBRS_ORIENT_VERT : ~CBRS_ORIENT_HORZ);
    m_pDockSite->CanDock(rect, dwStyle, &pDockBar);
    return pDockBar;
}
