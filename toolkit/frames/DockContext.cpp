// SECDockContext: the drag, resize and toggle of toolkit bars, with the toolkit dock bars'
// landing outlines and the floating frames' size limits.
#include <toolkit/foundation/AuxData.h>
#include <toolkit/foundation/ToolkitRes.h>
#include <toolkit/frames/ControlBar.h>
#include <toolkit/frames/DockBar.h>
#include <toolkit/frames/DockContext.h>
#include <toolkit/frames/MDIFrameWnd.h>

#include <algorithm>
#include <cstdlib>

namespace tarnwick::frames
{
SECDockContext::SECDockContext(CControlBar* pBar)
    : CDockContext(pBar), m_rectOutline(0, 0, 0, 0), m_ptDragStart(0, 0), m_ptOutline(0, 0), m_nOutlineRow(-1),
      m_bWasFloating(FALSE),
      // A floating frame keeps room for its caption buttons and its sizing frame.
      m_sizeMinFrame(
          ::GetSystemMetrics(SM_CXMENUSIZE) + 2 * (::GetSystemMetrics(SM_CXFRAME) + ::GetSystemMetrics(SM_CXBORDER)),
          ::GetSystemMetrics(SM_CYSMCAPTION) + 2 * (::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYBORDER))),
      m_sizeMaxFrame(::GetSystemMetrics(SM_CXFULLSCREEN), ::GetSystemMetrics(SM_CYFULLSCREEN)),
      m_fSavedPctWidth(-1.0f)
{
}

SECDockContext::~SECDockContext()
{
    CDockBar* pDockBar = m_pBar->m_pDockBar;
    if (pDockBar == nullptr)
        return;
    if (auto* pToolkitDockBar = DYNAMIC_DOWNCAST(SECDockBar, pDockBar))
        pToolkitDockBar->RemoveControlBar(m_pBar, -1, 0);
    else
        pDockBar->RemoveControlBar(m_pBar, -1, 0);
    m_pBar->m_pDockBar = nullptr;
}

namespace
{
// The drag moves this far (|dx| + |dy|) before a floating bar may dock.
constexpr int DOCK_DISTANCE = 5;

void SetMainStatus(UINT nID)
{
    if (CWnd* pMainWnd = AfxGetMainWnd())
        pMainWnd->SendMessage(WM_SETMESSAGESTRING, nID);
}

SECControlBar* ToolkitBar(CControlBar* pBar)
{
    return DYNAMIC_DOWNCAST(SECControlBar, pBar);
}

// Moves the rectangle so that pt lies inside it; past the far edges by cxBorder2 more.
void MoveToInclude(CRect& rect, CPoint pt)
{
    const SEC_AUX_DATA* pAux = SECGetAuxData();
    const int dx = pt.x < rect.left ? pt.x - rect.left : (pt.x > rect.right ? pt.x - rect.right + pAux->cxBorder2 : 0);
    const int dy = pt.y < rect.top ? pt.y - rect.top : (pt.y > rect.bottom ? pt.y - rect.bottom + pAux->cxBorder2 : 0);
    rect.OffsetRect(dx, dy);
}
} // namespace

void SECDockContext::AddFrameBorders(CRect& rect) const
{
    // A bar that floats in a frame without caption (an auto-hide bar) has no borders to add.
    CFrameWnd* pFrame = m_pBar->GetParentFrame();
    if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)) &&
        (pFrame->GetStyle() & WS_CAPTION) != WS_CAPTION)
        return;
    CMiniFrameWnd::CalcBorders(&rect, WS_THICKFRAME | WS_CAPTION);
}

BOOL SECDockContext::IsFloatingNearStart() const
{
    return m_pBar->IsFloating() &&
           std::abs(m_ptLast.x - m_ptDragStart.x) + std::abs(m_ptLast.y - m_ptDragStart.y) < DOCK_DISTANCE;
}

void SECDockContext::StartDrag(CPoint pt)
{
    m_nOutlineRow = -1;
    m_bDragging = TRUE;
    m_ptDragStart = pt;
    SetMainStatus(IDS_SEC_PREVENT_DOCKING);
    InitLoop();
    m_ptLast = pt;

    CRect rect;
    m_pBar->GetWindowRect(&rect);
    const CPoint ptOrigin = rect.TopLeft();
    if (m_dwStyle & CBRS_SIZE_DYNAMIC)
    {
        m_rectDragHorz = CRect(ptOrigin, m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK));
        m_rectDragVert = CRect(ptOrigin, m_pBar->CalcDynamicLayout(0, LM_VERTDOCK));
        m_rectFrameDragHorz = CRect(ptOrigin, m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH));
        m_rectFrameDragHorz.left -= 1;
        m_rectFrameDragHorz.top -= 1;
        m_rectFrameDragVert = m_rectFrameDragHorz;
    }
    else if (m_dwStyle & CBRS_SIZE_FIXED)
    {
        m_rectDragHorz = CRect(ptOrigin, m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK));
        m_rectDragVert = CRect(ptOrigin, m_pBar->CalcDynamicLayout(-1, LM_VERTDOCK));
        m_rectFrameDragHorz = m_rectDragHorz;
        m_rectFrameDragVert = m_rectDragVert;
    }
    else if (m_dwStyle & CBRS_ORIENT_HORZ)
    {
        m_rectDragHorz = rect;
        m_rectDragVert = CRect(CPoint(pt.x - rect.Height() / 2, rect.top), m_pBar->CalcDynamicLayout(-1, LM_VERTDOCK));
        m_rectFrameDragHorz = m_rectDragHorz;
        m_rectFrameDragVert = m_rectDragVert;
    }
    else
    {
        m_rectDragVert = rect;
        m_rectDragHorz =
            CRect(CPoint(rect.left, pt.y - rect.Width() / 2), m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK));
        m_rectFrameDragHorz = m_rectDragHorz;
        m_rectFrameDragVert = m_rectDragVert;
    }
    const SEC_AUX_DATA* pAux = SECGetAuxData();
    for (CRect* pRect : {&m_rectFrameDragHorz, &m_rectFrameDragVert})
    {
        AddFrameBorders(*pRect);
        pRect->InflateRect(-pAux->cxBorder2, -pAux->cyBorder2);
    }
    for (CRect* pRect : {&m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz, &m_rectFrameDragVert})
        MoveToInclude(*pRect, pt);

    m_dwOverDockStyle = CanDock();
    Move(pt);
    Track();
}

void SECDockContext::CancelLoop()
{
    CDockContext::CancelLoop();
    SetMainStatus(AFX_IDS_IDLEMESSAGE);
}

DWORD SECDockContext::CanDockVert()
{
    // Docking vertically needs the mouse over the dock bar itself.
    CDockBar* pDockBar = nullptr;
    const DWORD dwDock = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_HORZ, &pDockBar);
    if (pDockBar == nullptr)
        return dwDock;
    CRect rectDockBar;
    pDockBar->GetWindowRect(&rectDockBar);
    // An empty dock bar counts one pixel wide, as the frame's test takes it.
    rectDockBar.right = std::max(rectDockBar.right, rectDockBar.left + 1);
    rectDockBar.bottom = std::max(rectDockBar.bottom, rectDockBar.top + 1);
    return rectDockBar.PtInRect(m_ptLast) ? dwDock : 0;
}

BOOL SECDockContext::CalcDockOutline(CRect& rect)
{
    if (!(m_dwOverDockStyle & CBRS_ALIGN_ANY) || IsFloatingNearStart())
    {
        m_nOutlineRow = -1;
        return FALSE;
    }
    const BOOL bVert = (m_dwOverDockStyle & CBRS_ORIENT_VERT) != 0;
    rect = bVert ? m_rectDragVert : m_rectDragHorz;
    auto* pDockBar = DYNAMIC_DOWNCAST(SECDockBar, GetDockBar(m_dwOverDockStyle));
    SECControlBar* pBar = ToolkitBar(m_pBar);
    if (pDockBar != nullptr && pBar != nullptr)
    {
        rect = pDockBar->CalcDragDockRect(pBar, rect, m_ptLast, &m_nOutlineRow, &m_rectOutline, &m_ptOutline);
    }
    return TRUE;
}

void SECDockContext::EndDrag()
{
    CancelLoop();
    m_bDragging = FALSE;
    if (m_dwOverDockStyle != 0 && !IsFloatingNearStart())
    {
        const BOOL bVert = (m_dwOverDockStyle & CBRS_ORIENT_VERT) != 0;
        CDockBar* pDockBar = GetDockBar(m_dwOverDockStyle);
        if (pDockBar == nullptr)
            return;
        CRect rect = bVert ? m_rectDragVert : m_rectDragHorz;
        const UINT nID = static_cast<UINT>(::GetDlgCtrlID(pDockBar->m_hWnd));
        if (nID >= AFX_IDW_DOCKBAR_TOP && nID <= AFX_IDW_DOCKBAR_BOTTOM)
        {
            m_uMRUDockID = nID;
            m_rectMRUDockPos = rect;
            pDockBar->ScreenToClient(&m_rectMRUDockPos);
        }
        auto* pToolkitDockBar = DYNAMIC_DOWNCAST(SECDockBar, pDockBar);
        SECControlBar* pBar = ToolkitBar(m_pBar);
        if (pToolkitDockBar != nullptr && pBar != nullptr && m_pBar->IsFloating())
            pToolkitDockBar->OnBarInserted(pBar);
        m_pDockSite->DockControlBar(m_pBar, pDockBar, &rect);
        m_pDockSite->RecalcLayout();
        return;
    }
    if (!m_pBar->IsFloating())
        if (SECControlBar* pBar = ToolkitBar(m_pBar))
            m_fSavedPctWidth = pBar->m_fPctWidth;
    const BOOL bHorz = IsFloatingHorz();
    m_dwMRUFloatStyle = (bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT) | (m_dwDockStyle & CBRS_FLOAT_MULTI);
    if (bHorz)
    {
        const SEC_AUX_DATA* pAux = SECGetAuxData();
        m_ptMRUFloatPos = m_rectFrameDragHorz.TopLeft() + CSize(1 - pAux->cxBorder2, 1 - pAux->cyBorder2);
    }
    else
        m_ptMRUFloatPos = m_rectFrameDragVert.TopLeft();
    m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
}

void SECDockContext::StartResize(int nHitTest, CPoint pt)
{
    InitResize(nHitTest, pt);
    AddFrameBorders(m_rectFrameDragHorz);
    CRect rect;
    m_pBar->GetWindowRect(&rect);

    const SEC_AUX_DATA* pAux = SECGetAuxData();
    const BOOL bInside = pt.x > rect.left + pAux->cxBorder2 && pt.y > rect.top + pAux->cyBorder2;
    CFrameWnd* pFrame = m_pBar->GetParentFrame();
    if (pFrame == nullptr || pFrame->GetExStyle() == 0)
    {
        if (bInside)
            m_rectFrameDragHorz.DeflateRect(pAux->cxBorder2, pAux->cyBorder2);
        else
        {
            m_rectFrameDragHorz.right -= pAux->cxBorder2;
            m_rectFrameDragHorz.bottom -= pAux->cyBorder2;
        }
    }
    else if (bInside)
    {
        m_rectFrameDragHorz.DeflateRect(1, 1);
        m_rectFrameDragHorz.OffsetRect(-1, -1);
    }
    else
    {
        m_rectFrameDragHorz.left -= 1;
        m_rectFrameDragHorz.top -= 1;
        m_rectFrameDragHorz.OffsetRect(1, 1);
    }
    // The frame's border thickness, which Stretch adds back.
    m_rectFrameDragVert = CRect(0, 0, m_rectFrameDragHorz.Width() - m_rectDragVert.Width(),
                                m_rectFrameDragHorz.Height() - m_rectDragVert.Height());
    m_dwOverDockStyle = 0;
    Stretch(pt);
    Track();
}

void SECDockContext::Stretch(CPoint pt)
{
    const CPoint ptOffset = pt - m_ptLast;
    CRect& rect = m_rectFrameDragHorz;
    SECControlBar* pBar = ToolkitBar(m_pBar);
    if (pBar != nullptr && !(pBar->m_dwExStyle & CBRS_EX_FIXEDSIZE))
    {
        // Both directions at once, each kept within the frame limits.
        const CRect rectOld = rect;
        if (m_nHitTest == HTLEFT || m_nHitTest == HTTOPLEFT || m_nHitTest == HTBOTTOMLEFT)
            rect.left += ptOffset.x;
        if (m_nHitTest == HTRIGHT || m_nHitTest == HTTOPRIGHT || m_nHitTest == HTBOTTOMRIGHT)
            rect.right += ptOffset.x;
        if (rect.Width() < m_sizeMinFrame.cx || rect.Width() > m_sizeMaxFrame.cx)
            rect.left = rectOld.left, rect.right = rectOld.right;
        m_pBar->CalcDynamicLayout(std::max(rect.Width() - m_rectFrameDragVert.Width(), 0), LM_COMMIT | LM_HORZ);
        if (m_nHitTest == HTTOP || m_nHitTest == HTTOPLEFT || m_nHitTest == HTTOPRIGHT)
            rect.top += ptOffset.y;
        if (m_nHitTest == HTBOTTOM || m_nHitTest == HTBOTTOMLEFT || m_nHitTest == HTBOTTOMRIGHT)
            rect.bottom += ptOffset.y;
        if (rect.Height() < m_sizeMinFrame.cy || rect.Height() > m_sizeMaxFrame.cy)
            rect.top = rectOld.top, rect.bottom = rectOld.bottom;
        m_pBar->CalcDynamicLayout(std::max(rect.Height() - m_rectFrameDragVert.Height(), 0),
                                  LM_COMMIT | LM_LENGTHY | LM_HORZ);
    }
    else
    {
        const BOOL bAcross = m_nHitTest == HTLEFT || m_nHitTest == HTRIGHT;
        if (m_nHitTest == HTLEFT)
            rect.left += ptOffset.x;
        else if (m_nHitTest == HTRIGHT)
            rect.right += ptOffset.x;
        else if (m_nHitTest == HTTOP)
            rect.top += ptOffset.y;
        else if (m_nHitTest == HTBOTTOM)
            rect.bottom += ptOffset.y;
        const int nLength = bAcross ? rect.Width() - m_rectFrameDragVert.Width()
                                    : rect.Height() - m_rectFrameDragVert.Height();
        m_pBar->CalcDynamicLayout(std::max(nLength, 0), LM_COMMIT | (bAcross ? LM_HORZ : LM_LENGTHY));
    }
    // The bar's size as it now stands, placed at the moved frame.
    const CSize size = m_pBar->CalcDynamicLayout(-1, LM_HORZ);
    m_rectDragHorz = CRect(rect.TopLeft(), size);
    m_rectDragVert = m_rectDragHorz;
    m_ptLast = pt;
    DrawFocusRect();
}

void SECDockContext::EndResize()
{
    CancelLoop();
    const CRect& rect = m_rectFrameDragHorz;
    m_pBar->CalcDynamicLayout(std::max(rect.Width() - m_rectFrameDragVert.Width(), 0), LM_COMMIT | LM_HORZ);
    SECControlBar* pBar = ToolkitBar(m_pBar);
    if (pBar != nullptr && !(pBar->m_dwExStyle & CBRS_EX_FIXEDSIZE))
        m_pBar->CalcDynamicLayout(std::max(rect.Height() - m_rectFrameDragVert.Height(), 0),
                                  LM_COMMIT | LM_LENGTHY | LM_HORZ);
    m_pDockSite->FloatControlBar(m_pBar, rect.TopLeft(),
                                 CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC | (m_dwDockStyle & CBRS_FLOAT_MULTI));
}

void SECDockContext::ToggleDocking()
{
    m_pDockSite = m_pBar->m_pDockSite;
    SECControlBar* pBar = ToolkitBar(m_pBar);
    if (m_pBar->IsFloating())
    {
        if (!(m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY))
            return;
        if (pBar != nullptr && m_fSavedPctWidth > 0.0f)
            pBar->m_fPctWidth = m_fSavedPctWidth;
        CRect rect = m_rectMRUDockPos;
        CDockBar* pDockBar = nullptr;
        if (m_uMRUDockID != 0)
            if ((pDockBar = DYNAMIC_DOWNCAST(CDockBar, m_pDockSite->GetControlBar(m_uMRUDockID))) != nullptr)
                pDockBar->ClientToScreen(&rect);
        if (pBar != nullptr && (pBar->m_dwExStyle & CBRS_EX_GRIPPER))
            rect.right += 1;
        m_pDockSite->ReDockControlBar(m_pBar, pDockBar, &rect);
        m_pDockSite->RecalcLayout();
        return;
    }
    if (pBar != nullptr)
        m_fSavedPctWidth = pBar->m_fPctWidth;
    CPoint ptFloat = m_ptMRUFloatPos;
    if (::MonitorFromPoint(ptFloat, MONITOR_DEFAULTTONULL) == nullptr)
    {
        ptFloat = m_rectMRUDockPos.TopLeft();
        m_pBar->GetParent()->ClientToScreen(&ptFloat);
    }
    m_pDockSite->FloatControlBar(m_pBar, ptFloat, m_dwMRUFloatStyle);
}
} // namespace tarnwick::frames

namespace tarnwick::frames
{
void SECDockContext::ToggleMDIFloating()
{
    m_pDockSite = m_pBar->m_pDockSite;
    auto* pFrame = DYNAMIC_DOWNCAST(SECMDIFrameWnd, m_pDockSite);
    if (pFrame == nullptr)
        return;
    SECControlBar* pBar = ToolkitBar(m_pBar);
    if (pBar == nullptr || !pBar->IsMDIChildDocked())
    {
        if (pBar != nullptr)
            m_fSavedPctWidth = pBar->m_fPctWidth;
        m_bWasFloating = m_pBar->IsFloating();
        pFrame->FloatControlBarInMDIChild(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
        return;
    }
    if (m_bWasFloating)
    {
        pFrame->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
        return;
    }
    if (!(m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY))
        return;
    if (m_fSavedPctWidth > 0.0f)
        pBar->m_fPctWidth = m_fSavedPctWidth;
    CDockBar* pDockBar = DYNAMIC_DOWNCAST(CDockBar, pFrame->GetControlBar(m_uMRUDockID));
    CRect rect = m_rectMRUDockPos;
    if (pDockBar != nullptr)
        pDockBar->ClientToScreen(&rect);
    pFrame->ReDockControlBar(m_pBar, pDockBar, pDockBar != nullptr ? &rect : nullptr);
    pFrame->RecalcLayout();
}
} // namespace tarnwick::frames
