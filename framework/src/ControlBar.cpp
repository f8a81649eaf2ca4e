// CControlBar: creation, layout within WM_SIZEPARENT, delayed show and hide, idle updates,
// classic borders and the fly-by prompt.
#include <afxext.h>
#include <afxpriv.h>

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

namespace
{
// The fly-by prompt waits a moment before it shows, then checks that the mouse stays.
constexpr UINT_PTR ID_TIMER_WAIT = 0xE000;
constexpr UINT_PTR ID_TIMER_CHECK = 0xE001;
constexpr UINT FLYBY_WAIT_MS = 300;
constexpr UINT FLYBY_CHECK_MS = 200;

// Borders of a docked bar are 2 pixels since Windows 95; the gripper is two 3-pixel ridges
// with 2 pixels around them.
constexpr int BORDER2 = 2;
constexpr int GRIPPER = 3;
constexpr int GRIPPER_MARGIN = 2;

bool IsMouseMessage(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}
} // namespace

DWORD AFXAPI AfxBarLayoutMode(DWORD dwStyle)
{
    if ((dwStyle & CBRS_SIZE_DYNAMIC) && (dwStyle & CBRS_FLOATING))
        return LM_HORZ | LM_MRUWIDTH;
    if (dwStyle & CBRS_ORIENT_HORZ)
        return LM_HORZ | LM_HORZDOCK;
    return LM_VERTDOCK;
}

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_TIMER()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_CTLCOLOR()
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CControlBar::CControlBar()
    : m_dwStyle(0), m_dwDockStyle(0), m_pDockSite(nullptr), m_pDockBar(nullptr), m_pDockContext(nullptr),
      m_nMRUWidth(32767), m_cxLeftBorder(6), m_cxRightBorder(6), m_cyTopBorder(1), m_cyBottomBorder(1),
      m_cxDefaultGap(2), m_bAutoDelete(FALSE), m_nStateFlags(0), m_nLastStatus(-1)
{
}

CControlBar::~CControlBar()
{
    DestroyWindow();
    if (m_pDockSite != nullptr)
        m_pDockSite->RemoveControlBar(this);
    delete m_pDockContext;
}

BOOL CControlBar::CreateBar(DWORD dwStyle, CWnd* pParentWnd, UINT nID, LPCTSTR lpszWindowName)
{
    // The bar styles share bits with window styles (CBRS_GRIPPER is WS_DLGFRAME's bit).
    m_dwStyle = dwStyle & CBRS_ALL;
    if (!AfxDeferRegisterClass(AFX_WNDCONTROLBAR_REG))
        return FALSE;
    return CWnd::Create(_afxWndControlBar, lpszWindowName, (dwStyle & ~CBRS_ALL) | WS_CHILD, CRect(0, 0, 0, 0),
                        pParentWnd, nID);
}

int CControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if (m_dwStyle & CBRS_TOOLTIPS)
        EnableToolTips();
    // A bar made in a frame belongs to it; one made in a dock bar is docked by the frame.
    CWnd* pParent = GetParent();
    if (pParent != nullptr && pParent->IsFrameWnd())
    {
        m_pDockSite = static_cast<CFrameWnd*>(pParent);
        m_pDockSite->AddControlBar(this);
    }
    return 0;
}

void CControlBar::OnDestroy()
{
    if (m_nStateFlags & statusSet)
        SetStatusText(-1);
    // The dock bar keeps no entry for a bar that is gone.
    if (m_pDockBar != nullptr && m_pDockBar->FindBar(this) > 0)
        m_pDockBar->RemoveControlBar(this);
    m_pDockBar = nullptr;
    if (m_pDockSite != nullptr)
    {
        m_pDockSite->RemoveControlBar(this);
        m_pDockSite = nullptr;
    }
    CWnd::OnDestroy();
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CControlBar::IsDockBar() const
{
    return FALSE;
}

void CControlBar::GetBarInfo(CControlBarInfo* pInfo)
{
    pInfo->m_pBar = this;
    pInfo->m_nBarID = LOWORD(::GetDlgCtrlID(m_hWnd));
    pInfo->m_bVisible = IsVisible();
    pInfo->m_nMRUWidth = static_cast<UINT>(m_nMRUWidth);
    if (m_pDockBar != nullptr)
    {
        CRect rect;
        GetWindowRect(&rect);
        m_pDockBar->ScreenToClient(&rect);
        pInfo->m_pointPos = rect.TopLeft();
    }
    if (m_pDockContext != nullptr)
    {
        pInfo->m_bDocking = TRUE;
        pInfo->m_uMRUDockID = m_pDockContext->m_uMRUDockID;
        pInfo->m_rectMRUDockPos = m_pDockContext->m_rectMRUDockPos;
        pInfo->m_dwMRUFloatStyle = m_pDockContext->m_dwMRUFloatStyle;
        pInfo->m_ptMRUFloatPos = m_pDockContext->m_ptMRUFloatPos;
    }
}

void CControlBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* /*pFrameWnd*/)
{
    m_nMRUWidth = static_cast<int>(pInfo->m_nMRUWidth);
    if (pInfo->m_bDocking && m_pDockContext != nullptr)
    {
        m_pDockContext->m_uMRUDockID = pInfo->m_uMRUDockID;
        m_pDockContext->m_rectMRUDockPos = pInfo->m_rectMRUDockPos;
        m_pDockContext->m_dwMRUFloatStyle = pInfo->m_dwMRUFloatStyle;
        m_pDockContext->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;
    }
    // The record decides: a delayed show or hide pending from before would undo it.
    m_nStateFlags &= ~(delayHide | delayShow);
    UINT nFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (pInfo->m_bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    if (m_pDockBar == nullptr)
        nFlags |= SWP_NOMOVE;
    SetWindowPos(nullptr, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0, nFlags);
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return CSize(bStretch && bHorz ? 32767 : 0, bStretch && !bHorz ? 32767 : 0);
}

CSize CControlBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    // A docked bar asked for its docked size takes its orientation from the dock side.
    const bool bDockQuery =
        nLength == -1 && !(dwMode & (LM_MRUWIDTH | LM_COMMIT)) && (dwMode & (LM_HORZDOCK | LM_VERTDOCK));
    const BOOL bHorz = bDockQuery ? (dwMode & LM_HORZDOCK) != 0 : (dwMode & LM_HORZ) != 0;
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, bHorz);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    if (m_dwStyle & CBRS_BORDER_LEFT)
        rect.left += BORDER2;
    if (m_dwStyle & CBRS_BORDER_TOP)
        rect.top += BORDER2;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= BORDER2;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= BORDER2;
    // The borders run along the bar: a vertical bar turns them.
    const bool bGripper = (m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER;
    if (bHorz)
    {
        rect.DeflateRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
        if (bGripper)
            rect.left += GRIPPER_MARGIN + GRIPPER + GRIPPER_MARGIN;
    }
    else
    {
        rect.DeflateRect(m_cyTopBorder, m_cxLeftBorder, m_cyBottomBorder, m_cxRightBorder);
        if (bGripper)
            rect.top += GRIPPER_MARGIN + GRIPPER + GRIPPER_MARGIN;
    }
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    const DWORD dwStyle = m_dwStyle;
    if (IsFloating() || !(dwStyle & CBRS_BORDER_ANY))
        return;
    // A shadow line on each bordered side; a 3-D border adds a highlight inside it, the
    // shadow then standing one pixel in from the right and bottom edges.
    const bool b3D = (dwStyle & CBRS_BORDER_3D) != 0;
    const int nInset = b3D ? 1 : 0;
    const int yTop = (dwStyle & CBRS_BORDER_TOP) ? BORDER2 : 0;
    const int yBottom = rect.bottom - ((dwStyle & CBRS_BORDER_BOTTOM) ? BORDER2 : 0);
    // One line on each bordered side: left and top at nNear, right and bottom nFar in from the
    // edge.
    const auto drawLines = [&](int nNear, int nFar, COLORREF clr) {
        if (dwStyle & CBRS_BORDER_LEFT)
            pDC->FillSolidRect(nNear, yTop, 1, yBottom - yTop, clr);
        if (dwStyle & CBRS_BORDER_TOP)
            pDC->FillSolidRect(0, nNear, rect.right, 1, clr);
        if (dwStyle & CBRS_BORDER_RIGHT)
            pDC->FillSolidRect(rect.right - 1 - nFar, yTop, 1, yBottom - yTop, clr);
        if (dwStyle & CBRS_BORDER_BOTTOM)
            pDC->FillSolidRect(0, rect.bottom - 1 - nFar, rect.right, 1, clr);
    };
    drawLines(0, nInset, ::GetSysColor(COLOR_BTNSHADOW));
    if (b3D)
        drawLines(1, 0, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    rect.DeflateRect((dwStyle & CBRS_BORDER_LEFT) ? BORDER2 : 0, yTop, (dwStyle & CBRS_BORDER_RIGHT) ? BORDER2 : 0,
                     (dwStyle & CBRS_BORDER_BOTTOM) ? BORDER2 : 0);
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect)
{
    if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) != CBRS_GRIPPER)
        return;
    const COLORREF clrHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    // A raised ridge across the bar's start, inside its borders.
    if (m_dwStyle & CBRS_ORIENT_HORZ)
        pDC->Draw3dRect(rect.left + GRIPPER_MARGIN, rect.top + m_cyTopBorder, GRIPPER,
                        rect.Height() - m_cyTopBorder - m_cyBottomBorder, clrHilite, clrShadow);
    else
        pDC->Draw3dRect(rect.left + m_cyTopBorder, rect.top + GRIPPER_MARGIN,
                        rect.Width() - m_cyTopBorder - m_cyBottomBorder, GRIPPER, clrHilite, clrShadow);
}

void CControlBar::DoPaint(CDC* pDC)
{
    CRect rect;
    GetClientRect(rect);
    DrawBorders(pDC, rect);
    DrawGripper(pDC, rect);
}

void CControlBar::OnPaint()
{
    PAINTSTRUCT ps;
    CDC* pDC = BeginPaint(&ps);
    DoPaint(pDC);
    EndPaint(&ps);
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    if (m_dwStyle == dwStyle)
        return;
    const DWORD dwOldStyle = m_dwStyle;
    m_dwStyle = dwStyle;
    OnBarStyleChange(dwOldStyle, dwStyle);
}

DWORD CControlBar::GetBarStyle()
{
    return m_dwStyle;
}

void CControlBar::OnBarStyleChange(DWORD, DWORD)
{
}

BOOL CControlBar::IsVisible() const
{
    if (m_nStateFlags & delayHide)
        return FALSE;
    return (m_nStateFlags & delayShow) || (GetStyle() & WS_VISIBLE);
}

BOOL CControlBar::IsFloating() const
{
    if (IsDockBar())
        return static_cast<const CDockBar*>(this)->m_bFloating;
    return m_pDockBar != nullptr && m_pDockBar->m_bFloating;
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    CFrameWnd* pFrame = GetParentFrame();
    return pFrame != nullptr ? pFrame : m_pDockSite;
}

void CControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle;
    if (m_pDockContext == nullptr)
        m_pDockContext = new CDockContext(this);
    // Commands keep going to the frame when the bar moves into a dock bar.
    if (m_hWndOwner == nullptr)
        m_hWndOwner = ::GetParent(m_hWnd);
}

void CControlBar::DelayShow(BOOL bShow)
{
    m_nStateFlags &= ~(delayHide | delayShow);
    const bool bVisible = (GetStyle() & WS_VISIBLE) != 0;
    if (bShow && !bVisible)
        m_nStateFlags |= delayShow;
    else if (!bShow && bVisible)
        m_nStateFlags |= delayHide;
}

DWORD CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout)
{
    DWORD dwStyle = (m_dwStyle & (CBRS_ALIGN_ANY | CBRS_BORDER_ANY)) | (GetStyle() & WS_VISIBLE);
    if (!(m_nStateFlags & (delayHide | delayShow)))
        return dwStyle;
    const bool bVisible = (dwStyle & WS_VISIBLE) != 0;
    const UINT swpShow =
        (m_nStateFlags & delayHide) ? (bVisible ? SWP_HIDEWINDOW : 0u) : (bVisible ? 0u : SWP_SHOWWINDOW);
    if (swpShow == 0)
    {
        // Already as asked.
        m_nStateFlags &= ~(delayHide | delayShow);
        return dwStyle;
    }
    // A query lays out as if done; only a real layout carries it out.
    dwStyle ^= WS_VISIBLE;
    if (lpLayout->hDWP != nullptr)
    {
        m_nStateFlags &= ~(delayHide | delayShow);
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, m_hWnd, nullptr, 0, 0, 0, 0,
                                          swpShow | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return dwStyle;
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    const DWORD dwStyle = RecalcDelayShow(lpLayout);
    if (!(dwStyle & WS_VISIBLE) || !(dwStyle & CBRS_ALIGN_ANY))
        return 0;

    CRect rect(lpLayout->rect);
    const CSize sizeAvail = rect.Size();
    const DWORD dwMode = (lpLayout->bStretch ? LM_STRETCH : 0) | AfxBarLayoutMode(m_dwStyle);
    CSize size = CalcDynamicLayout(-1, dwMode);
    size.cx = std::min(size.cx, sizeAvail.cx);
    size.cy = std::min(size.cy, sizeAvail.cy);

    // The bar takes its strip from the side it is aligned to.
    if (dwStyle & CBRS_ORIENT_HORZ)
    {
        lpLayout->sizeTotal.cy += size.cy;
        lpLayout->sizeTotal.cx = std::max(lpLayout->sizeTotal.cx, size.cx);
        if (dwStyle & CBRS_ALIGN_TOP)
            lpLayout->rect.top += size.cy;
        else
        {
            rect.top = rect.bottom - size.cy;
            lpLayout->rect.bottom -= size.cy;
        }
    }
    else
    {
        lpLayout->sizeTotal.cx += size.cx;
        lpLayout->sizeTotal.cy = std::max(lpLayout->sizeTotal.cy, size.cy);
        if (dwStyle & CBRS_ALIGN_LEFT)
            lpLayout->rect.left += size.cx;
        else
        {
            rect.left = rect.right - size.cx;
            lpLayout->rect.right -= size.cx;
        }
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    if (lpLayout->hDWP != nullptr)
        AfxRepositionWindow(lpLayout, m_hWnd, &rect);
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    // Only a bar that can be seen is updated; a docked one needs its dock bar shown too.
    if (!(GetStyle() & WS_VISIBLE) || (m_pDockBar != nullptr && !(m_pDockBar->GetStyle() & WS_VISIBLE)))
        return 0;
    CWnd* pOwner = GetOwner();
    CFrameWnd* pTarget = pOwner != nullptr && pOwner->IsFrameWnd() ? static_cast<CFrameWnd*>(pOwner) : GetParentFrame();
    if (pTarget != nullptr)
        OnUpdateCmdUI(pTarget, static_cast<BOOL>(wParam));
    return 0;
}

HBRUSH CControlBar::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    LRESULT lResult = 0;
    if (pWnd != nullptr && pWnd->SendChildNotifyLastMsg(&lResult))
        return reinterpret_cast<HBRUSH>(lResult);
    // Labels, buttons and dialogs on a bar stand on its face; edits, lists and scroll bars
    // keep their own colours.
    if (nCtlColor != CTLCOLOR_STATIC && nCtlColor != CTLCOLOR_BTN && nCtlColor != CTLCOLOR_DLG)
        return reinterpret_cast<HBRUSH>(Default());
    pDC->SetBkColor(::GetSysColor(COLOR_BTNFACE));
    pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    return ::GetSysColorBrush(COLOR_BTNFACE);
}

BOOL CControlBar::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if ((m_dwStyle & CBRS_FLYBY) && IsMouseMessage(pMsg->message))
        TrackFlyBy(pMsg);
    return FALSE;
}

INT_PTR CControlBar::ToolHit(CPoint point) const
{
    TOOLINFO ti{};
    ti.cbSize = sizeof(ti);
    const INT_PTR nHit = OnToolHitTest(point, &ti);
    // Hit tests may allocate the text with malloc.
    if (ti.lpszText != LPSTR_TEXTCALLBACK && ti.hinst == nullptr)
        std::free(ti.lpszText);
    return nHit;
}

void CControlBar::TrackFlyBy(const MSG* pMsg)
{
    CPoint point = pMsg->pt;
    ScreenToClient(&point);
    const INT_PTR nHit = ToolHit(point);
    if (nHit < 0)
    {
        SetStatusText(-1);
        KillTimer(ID_TIMER_WAIT);
        KillTimer(ID_TIMER_CHECK);
    }
    else if (m_nStateFlags & statusSet)
        SetStatusText(nHit);
    else if (nHit != m_nLastStatus)
        SetTimer(ID_TIMER_WAIT, FLYBY_WAIT_MS);
    m_nLastStatus = nHit;
}

void CControlBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != ID_TIMER_WAIT && nIDEvent != ID_TIMER_CHECK)
    {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    KillTimer(nIDEvent);
    // The mouse may have left without a message to the bar.
    CPoint point;
    ::GetCursorPos(&point);
    const HWND hWndAt = ::WindowFromPoint(point);
    ScreenToClient(&point);
    const INT_PTR nHit = hWndAt == m_hWnd || ::IsChild(m_hWnd, hWndAt) ? ToolHit(point) : -1;
    SetStatusText(nHit);
    // While a prompt shows, keep checking that the mouse has not left without a message.
    if (nHit >= 0)
        SetTimer(ID_TIMER_CHECK, FLYBY_CHECK_MS);
    m_nLastStatus = nHit;
}

void CControlBar::SetStatusText(INT_PTR nHit)
{
    CWnd* pOwner = GetOwner();
    CFrameWnd* pFrame = pOwner != nullptr ? pOwner->GetTopLevelFrame() : GetTopLevelFrame();
    if (pFrame == nullptr)
        return;
    if (nHit >= 0)
    {
        pFrame->SetMessageText(static_cast<UINT>(nHit));
        m_nStateFlags |= statusSet;
    }
    else if (m_nStateFlags & statusSet)
    {
        pFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
        m_nStateFlags &= ~statusSet;
    }
}

BOOL CControlBar::IsDragPoint(CPoint point) const
{
    return m_pDockBar != nullptr && m_pDockContext != nullptr && OnToolHitTest(point, nullptr) == -1;
}

void CControlBar::OnLButtonDown(UINT, CPoint point)
{
    if (!IsDragPoint(point))
    {
        Default();
        return;
    }
    ClientToScreen(&point);
    m_pDockContext->StartDrag(point);
}

void CControlBar::OnLButtonDblClk(UINT, CPoint point)
{
    if (!IsDragPoint(point))
    {
        Default();
        return;
    }
    m_pDockContext->ToggleDocking();
}
