// SECControlBar: sizes, shares, the extended style word, child layout, borders, background,
// and the gripper strip with its caption, buttons and pin.
#include <toolkit/foundation/AuxData.h>
#include <toolkit/foundation/BitmapDraw.h>
#include <toolkit/foundation/VisualStyle.h>
#include <toolkit/frames/AutoHideBar.h>
#include <toolkit/frames/ControlBar.h>
#include <toolkit/frames/DockBar.h>
#include <toolkit/frames/DockContext.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>

namespace tarnwick::frames
{
IMPLEMENT_DYNCREATE(SECControlBar, CControlBar)

namespace
{
// The size every bar starts with in each docking state.
const CSize DEFAULT_BAR_SIZE(300, 180);
constexpr UINT MAX_ID_PROBES = 1000;
int g_nControlBarGlobalFlag = 1;
BOOL g_bNoSlide = FALSE;

// An auto-hide bar slid out stands this much narrower than when docked.
constexpr int SLID_OUT_NARROWING = 24;
// Room kept free for the pin at the end of the caption text.
constexpr int PIN_ROOM = 15;
constexpr int CAPTION_POINTS = 80;
// Under the toolkit's own style the caption text starts further in.
constexpr int STYLE3_TEXT_INSET = 8;
constexpr int RP_GRIPPER = 1;

// An unpinned bar floats here, hidden, until it slides out beside its strip.
const CPoint UNPINNED_FLOAT_POINT(400, 400);
// A bar slides out this far from the strip's outer edge (one pixel less on the right), and
// clear of the strip's ends along it.
constexpr int SLIDE_OFFSET = 30;
constexpr int SLIDE_END_INSET = 2;
constexpr int SLIDE_STEPS = 5;
constexpr int DEFAULT_SLIDE_TIME = 50;
constexpr UINT_PTR PIN_TIMER = 2;
constexpr UINT PIN_TIMER_INTERVAL = 100;
constexpr int KEYBOARD_MENU_TOP = 10;

UINT ChildMoveFlags()
{
    return g_nControlBarGlobalFlag > 0 ? SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE : SWP_NOZORDER | SWP_NOACTIVATE;
}

// The frames stand on the bars, so the bars know them by class name only.
bool IsToolkitFrame(const CWnd* pWnd)
{
    if (pWnd == nullptr)
        return false;
    for (const CRuntimeClass* pClass = pWnd->GetRuntimeClass(); pClass != nullptr; pClass = pClass->m_pBaseClass)
        if (std::strcmp(pClass->m_lpszClassName, "SECFrameWnd") == 0 ||
            std::strcmp(pClass->m_lpszClassName, "SECMDIFrameWnd") == 0)
            return true;
    return false;
}
} // namespace

UINT AutoHideSideDockBarID(DWORD dwSide)
{
    switch (dwSide)
    {
    case CBRS_ALIGN_LEFT:
        return AFX_IDW_DOCKBAR_LEFT;
    case CBRS_ALIGN_TOP:
        return AFX_IDW_DOCKBAR_TOP;
    case CBRS_ALIGN_RIGHT:
        return AFX_IDW_DOCKBAR_RIGHT;
    case CBRS_ALIGN_BOTTOM:
        return AFX_IDW_DOCKBAR_BOTTOM;
    default:
        return 0;
    }
}

BEGIN_MESSAGE_MAP(SECControlBar, CControlBar)
ON_WM_SIZE()
AFX_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDownEx)
ON_WM_LBUTTONUP()
AFX_MOUSE_ENTRY(WM_LBUTTONDBLCLK, OnLButtonDblClkEx)
ON_WM_KILLFOCUS()
AFX_WM_ENTRY(WM_TIMER, void (CWnd::*)(UINT_PTR), OnTimerEx, call.wParam)
AFX_WM_ENTRY(WM_DESTROY, void (CWnd::*)(), OnDestroyEx)
ON_WM_ERASEBKGND()
ON_WM_NCPAINT()
ON_COMMAND(ID_SEC_HIDE_BAR, OnHide)
ON_COMMAND(ID_SEC_ALLOW_DOCKING, OnAllowDocking)
ON_COMMAND(ID_SEC_FLOAT_IN_MAIN, OnFloatInMainWindow)
ON_WM_CONTEXTMENU()
ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
END_MESSAGE_MAP()

SECControlBar::SECControlBar()
    : m_szMRUHorzDock(0, 0), m_szMRUVertDock(0, 0), m_szMRUFloat(0, 0), m_fPctWidth(1.0f), m_dwExStyle(0),
      m_rcMargins(10, 10, 10, 10), m_bShareSettled(TRUE), m_dwSavedDockStyle(0), m_bExpandEnabled(TRUE), m_bNotExpanded(TRUE),
      m_bHorzStrip(TRUE), m_bExpandRequest(FALSE), m_hWndRepaint(nullptr), m_pOwnerFrame(nullptr), m_bAutoHide(FALSE),
      m_bAttached(FALSE), m_bPinned(FALSE), m_bFocus(FALSE), m_bMarked(FALSE), m_dwAutoHideSide(0),
      m_nSlideTime(DEFAULT_SLIDE_TIME)
{
}

SECControlBar::~SECControlBar()
{
    // Destroyed here, the window still reaches this class's WM_DESTROY handling.
    DestroyWindow();
}

BOOL SECControlBar::Create(CWnd* pParentWnd, LPCTSTR lpszWindowName, DWORD dwStyle, DWORD dwExStyle, UINT nID,
                           CCreateContext* pContext)
{
    return CreateEx(nullptr, lpszWindowName, nID, dwStyle, dwExStyle, CRect(0, 0, 0, 0), pParentWnd, pContext);
}

BOOL SECControlBar::CreateEx(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, UINT nID, DWORD dwStyle, DWORD dwExStyle,
                             const RECT& rect, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    m_dwExStyle = dwExStyle;
    if (lpszClassName == nullptr)
    {
        if (!AfxDeferRegisterClass(AFX_WNDCONTROLBAR_REG))
            return FALSE;
        lpszClassName = _afxWndControlBar;
    }
    // The bar styles share bits with window styles (CBRS_GRIPPER is WS_DLGFRAME's bit).
    if (!CWnd::Create(lpszClassName, lpszWindowName, (dwStyle & ~CBRS_ALL) | WS_CHILD, rect, pParentWnd, nID, pContext))
        return FALSE;
    m_theme.Get(m_hWnd);
    if (m_dwExStyle & CBRS_EX_PROPORTIONAL)
        CollectChildRects();
    m_szMRUHorzDock = m_szMRUVertDock = m_szMRUFloat = DEFAULT_BAR_SIZE;
    m_nMRUWidth = DEFAULT_BAR_SIZE.cx;
    EnableToolTips(TRUE);
    m_pOwnerFrame = pParentWnd;
    return TRUE;
}

CSize SECControlBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    return bHorz ? m_szMRUHorzDock : m_szMRUVertDock;
}

CSize SECControlBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    if (nMode & LM_COMMIT)
    {
        const int nValue = (nMode & LM_STRETCH) ? static_cast<int>(m_fPctWidth * static_cast<float>(nLength)) : nLength;
        const bool bLengthY = (nMode & LM_LENGTHY) != 0;
        if (nMode & LM_HORZDOCK)
            (bLengthY ? m_szMRUHorzDock.cy : m_szMRUHorzDock.cx) = nValue;
        else if (nMode & LM_VERTDOCK)
            (bLengthY ? m_szMRUVertDock.cy : m_szMRUVertDock.cx) = nValue;
        else if (bLengthY)
            m_szMRUFloat.cy = nValue;
        else
            m_szMRUFloat.cx = m_nMRUWidth = nValue;
    }
    CSize size = (nMode & (LM_HORZDOCK | LM_VERTDOCK)) ? CalcFixedLayout(nMode & LM_STRETCH, (nMode & LM_HORZ) != 0)
                                                       : m_szMRUFloat;
    if (!IsSlidOut() || m_pDockSite == nullptr)
        return size;
    // Slid out of its strip, the bar runs along the dock bar of its side.
    CRect rectDockBar(0, 0, 0, 0);
    if (CControlBar* pDockBar = m_pDockSite->GetControlBar(AutoHideSideDockBarID(m_dwAutoHideSide)))
        pDockBar->GetWindowRect(&rectDockBar);
    switch (m_dwAutoHideSide)
    {
    case CBRS_ALIGN_LEFT:
    case CBRS_ALIGN_RIGHT:
        size = CSize(m_szMRUVertDock.cx - SLID_OUT_NARROWING, rectDockBar.Height() - 2);
        break;
    case CBRS_ALIGN_TOP:
    case CBRS_ALIGN_BOTTOM:
        size = CSize(rectDockBar.Width() - 2, m_szMRUHorzDock.cy);
        break;
    default:
        return m_szMRUFloat;
    }
    m_szMRUFloat = size;
    return size;
}

void SECControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    const HWND hFocus = ::GetFocus();
    m_bFocus = hFocus != nullptr && ::IsChild(m_hWnd, hFocus);
    if (m_bFocus && !m_bMarked)
        UpdateActiveCaptions();
}

void SECControlBar::UpdateActiveCaptions()
{
    CFrameWnd* pFrame = m_pDockSite;
    if (pFrame == nullptr)
        return;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        auto* pDockBar = DYNAMIC_DOWNCAST(CDockBar, static_cast<CObject*>(pFrame->m_listControlBars.GetNext(pos)));
        if (pDockBar == nullptr || !pDockBar->IsWindowVisible() || (pDockBar->m_bFloating && !m_bAutoHide))
            continue;
        for (INT_PTR i = 0; i < pDockBar->m_arrBars.GetSize(); ++i)
        {
            auto* pBar = DYNAMIC_DOWNCAST(SECControlBar, pDockBar->GetDockedControlBar(static_cast<int>(i)));
            if (pBar == nullptr || !pBar->IsVisible())
                continue;
            if (pBar == this)
            {
                m_bFocus = m_bMarked;
                m_bMarked = TRUE;
            }
            else
            {
                pBar->m_bFocus = pBar->m_bMarked = FALSE;
            }
            pBar->SendMessage(WM_NCPAINT);
        }
    }
}

BOOL SECControlBar::IsFloatingBar() const
{
    return (m_dwStyle & CBRS_FLOATING) != 0;
}

BOOL SECControlBar::IsSlidOut() const
{
    return m_bAutoHide && !m_bPinned && IsFloatingBar();
}

BOOL SECControlBar::HasDockedGripper() const
{
    return (m_dwExStyle & CBRS_EX_GRIPPER) && !IsFloatingBar();
}

void SECControlBar::GetInsideRect(CRect& rect) const
{
    GetClientRect(&rect);
    const int nMargin = m_gripperInfo.GetMargin();
    if (HasDockedGripper())
    {
        if (m_dwStyle & CBRS_ORIENT_HORZ)
            rect.DeflateRect(m_gripperInfo.GetWidth(), nMargin, nMargin, nMargin);
        else
            rect.DeflateRect(nMargin, m_gripperInfo.GetHeight(), nMargin, nMargin);
    }
    else if (m_dwExStyle & CBRS_EX_MARGINS)
    {
        // A bar slid out of its auto-hide strip keeps its gripper instead of the margins.
        if (m_bAutoHide && !m_bPinned)
            rect.DeflateRect(nMargin, m_gripperInfo.GetHeight(), nMargin, nMargin);
        else
            rect.DeflateRect(m_rcMargins.left, m_rcMargins.top, m_rcMargins.right, m_rcMargins.bottom);
    }
}

void SECControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle;
    if (m_pDockContext == nullptr)
        m_pDockContext = CreateDockContext();
    // Commands keep going to the frame when the bar moves into a dock bar.
    if (m_hWndOwner == nullptr)
        m_hWndOwner = ::GetParent(m_hWnd);
}

CDockContext* SECControlBar::CreateDockContext()
{
    return new SECDockContext(this);
}

void SECControlBar::SetExBarStyle(DWORD dwExStyle, BOOL bRedraw)
{
    const DWORD dwOld = m_dwExStyle;
    if (IsFloatingBar() && m_hWnd != nullptr)
        if (CFrameWnd* pMiniFrame = GetParentFrame())
        {
            if (dwExStyle & CBRS_EX_FIXEDSIZE)
                pMiniFrame->ModifyStyle(0, MFS_4THICKFRAME, SWP_NOSIZE | SWP_NOMOVE);
            else
                pMiniFrame->ModifyStyle(MFS_4THICKFRAME, WS_THICKFRAME | MFS_THICKFRAME, SWP_NOSIZE | SWP_NOMOVE);
        }
    if (!(dwOld & dwExStyle & CBRS_EX_PROPORTIONAL))
    {
        if (dwExStyle & CBRS_EX_PROPORTIONAL)
            CollectChildRects();
        else
            m_childRects.clear();
    }
    m_dwExStyle = dwExStyle | (dwOld & CBRS_EX_THEMEDGRIPPER);
    if (m_dwExStyle != dwOld && bRedraw && m_hWnd != nullptr)
        SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE);
}

void SECControlBar::ModifyBarStyleEx(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw)
{
    SetExBarStyle((m_dwExStyle & ~dwRemove) | dwAdd, bRedraw);
}

void SECControlBar::CalcInsideRect(CRect& rect, BOOL bHorz, BOOL bWithGripper) const
{
    if (!(m_dwExStyle & CBRS_EX_BORDERS))
    {
        CControlBar::CalcInsideRect(rect, bHorz);
        return;
    }
    if (!m_bAutoHide)
        InsetBorders(rect);
    if (bHorz)
    {
        if (HasDockedGripper())
        {
            CPoint ptLeft(rect.left, rect.top);
            AdjustForGripper(ptLeft, TRUE);
            rect.left = ptLeft.x;
        }
        else
        {
            rect.left += m_cxLeftBorder;
        }
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
    }
    else
    {
        rect.left += m_cyTopBorder;
        rect.top += (bWithGripper && HasDockedGripper()) ? m_gripperInfo.GetHeight() : m_cxLeftBorder;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
    }
}

void SECControlBar::InsetBorders(CRect& rect) const
{
    rect.left += (m_dwStyle & CBRS_BORDER_LEFT) ? 1 : 0;
    rect.top += (m_dwStyle & CBRS_BORDER_TOP) ? 1 : 0;
    rect.right -= (m_dwStyle & CBRS_BORDER_RIGHT) ? 1 : 0;
    rect.bottom -= (m_dwStyle & CBRS_BORDER_BOTTOM) ? 1 : 0;
}

void SECControlBar::AdjustForGripper(CSize& size, BOOL bHorz) const
{
    (bHorz ? size.cx : size.cy) += bHorz ? m_gripperInfo.GetWidth() : m_gripperInfo.GetHeight();
}

void SECControlBar::AdjustForGripper(CPoint& point, BOOL bHorz) const
{
    (bHorz ? point.x : point.y) += bHorz ? m_gripperInfo.GetWidth() : m_gripperInfo.GetHeight();
}

void SECControlBar::BeforeDock()
{
    OnBeforeDock();
}

void SECControlBar::OnBeforeDock()
{
}

void SECControlBar::AfterDock()
{
}

void SECControlBar::BeforeFloat()
{
    OnBeforeFloat();
}

void SECControlBar::OnBeforeFloat()
{
}

void SECControlBar::AfterFloat()
{
}

void SECControlBar::BeforeMDIFloat()
{
    OnBeforeMDIFloat();
}

void SECControlBar::OnBeforeMDIFloat()
{
}

void SECControlBar::AfterMDIFloat()
{
}

BOOL SECControlBar::ToggleVisible()
{
    if (m_bAutoHide && !m_bPinned)
    {
        if (IsVisible())
            AutoHideSlideIn();
        else
        {
            AutoHideSlideOut();
            SetFocus();
        }
        return !IsVisible();
    }
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->ShowControlBar(this, !IsVisible(), TRUE);
    return !IsVisible();
}

BOOL SECControlBar::CanClose()
{
    return TRUE;
}

BOOL SECControlBar::CanExpand()
{
    return TRUE;
}

BOOL SECControlBar::AttachToAutoHideBar()
{
    if (m_bAttached)
        return TRUE;
    if (!m_bAutoHide)
        return FALSE;
    // Docked and pinned: the auto-hide strip holds a tab only once the bar is unpinned.
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->ShowControlBar(this, TRUE, FALSE);
    m_bAttached = TRUE;
    m_bPinned = TRUE;
    return TRUE;
}

void SECControlBar::SetNoSlide(BOOL bNoSlide)
{
    g_bNoSlide = bNoSlide;
}

foundation::SECScopedValue<BOOL> SECControlBar::ScopedNoSlide()
{
    return {g_bNoSlide, TRUE};
}

SECAutoHideBar* SECControlBar::FindAutoHideStrip(DWORD dwSide) const
{
    if (m_pDockSite == nullptr || dwSide == 0)
        return nullptr;
    for (POSITION pos = m_pDockSite->m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        auto* pStrip = dynamic_cast<SECAutoHideBar*>(static_cast<CControlBar*>(m_pDockSite->m_listControlBars.GetNext(pos)));
        if (pStrip != nullptr && (pStrip->m_dwStyle & CBRS_ALIGN_ANY) == dwSide)
            return pStrip;
    }
    return nullptr;
}

DWORD SECControlBar::DockedSide() const
{
    if (IsDockedRight())
        return CBRS_ALIGN_RIGHT;
    if (IsDockedLeft())
        return CBRS_ALIGN_LEFT;
    if (IsDockedTop())
        return CBRS_ALIGN_TOP;
    if (IsDockedBottom())
        return CBRS_ALIGN_BOTTOM;
    return 0;
}

void SECControlBar::DockBackFromStrip()
{
    if (SECAutoHideBar* pStrip = FindAutoHideStrip(m_dwAutoHideSide))
        pStrip->RemoveBar(this);
    m_bPinned = TRUE;
    if (m_pDockSite != nullptr)
        m_pDockSite->DockControlBar(
            this, DYNAMIC_DOWNCAST(CDockBar, m_pDockSite->GetControlBar(AutoHideSideDockBarID(m_dwAutoHideSide))));
}

void SECControlBar::TogglePinned()
{
    if (m_pDockSite == nullptr)
        return;
    if (!m_bPinned)
    {
        DockBackFromStrip();
        if (auto* pDockBar = DYNAMIC_DOWNCAST(SECDockBar, m_pDockBar))
            pDockBar->ExpandBar(this,
                                (m_dwExStyle & CBRS_EX_EXPAND) && m_bExpandRequest ? SECDockBar::EXPAND_BAR : 0);
        m_pDockSite->ShowControlBar(this, TRUE, FALSE);
        m_dwAutoHideSide = 0;
        return;
    }
    const DWORD dwSide = DockedSide();
    SECAutoHideBar* pStrip = FindAutoHideStrip(dwSide);
    if (pStrip == nullptr)
        return;
    MoveToStrip(pStrip, dwSide);
}

void SECControlBar::MoveToStrip(SECAutoHideBar* pStrip, DWORD dwSide)
{
    m_dwAutoHideSide = dwSide;
    m_bPinned = FALSE;
    pStrip->AddBar(this);
    m_pDockSite->ShowControlBar(this, FALSE, FALSE);
    m_pDockSite->FloatControlBar(this, UNPINNED_FLOAT_POINT, CBRS_ALIGN_TOP);
    // The bar slides out as a panel beside its strip, without a title of its own.
    if (CFrameWnd* pMiniFrame = IsFloating() ? GetParentFrame() : nullptr)
        pMiniFrame->ModifyStyle(WS_CAPTION, 0, SWP_FRAMECHANGED);
}

void SECControlBar::SlideAutoHide(BOOL bHide)
{
    CFrameWnd* pMiniFrame = IsFloating() ? GetParentFrame() : nullptr;
    if (pMiniFrame == nullptr || m_pDockSite == nullptr)
        return;
    // Beside the strip of its side; a frame without strips lends the dock bar of that side.
    CWnd* pRef = FindAutoHideStrip(m_dwAutoHideSide);
    if (pRef == nullptr)
        pRef = m_pDockSite->GetControlBar(AutoHideSideDockBarID(m_dwAutoHideSide));
    if (pRef == nullptr)
        return;
    CRect rectRef;
    pRef->GetWindowRect(&rectRef);
    CRect rect;
    switch (m_dwAutoHideSide)
    {
    case CBRS_ALIGN_LEFT:
        rect.SetRect(rectRef.left + SLIDE_OFFSET, rectRef.top + SLIDE_END_INSET,
                     rectRef.left + SLIDE_OFFSET + m_szMRUFloat.cx, rectRef.bottom - SLIDE_END_INSET);
        break;
    case CBRS_ALIGN_RIGHT:
        rect.SetRect(rectRef.right - (SLIDE_OFFSET - 1) - m_szMRUFloat.cx, rectRef.top + SLIDE_END_INSET,
                     rectRef.right - (SLIDE_OFFSET - 1), rectRef.bottom - SLIDE_END_INSET);
        break;
    case CBRS_ALIGN_TOP:
        rect.SetRect(rectRef.left, rectRef.top + SLIDE_OFFSET, rectRef.right, rectRef.top + SLIDE_OFFSET + m_szMRUFloat.cy);
        break;
    case CBRS_ALIGN_BOTTOM:
        rect.SetRect(rectRef.left, rectRef.bottom - SLIDE_OFFSET - m_szMRUFloat.cy, rectRef.right,
                     rectRef.bottom - SLIDE_OFFSET);
        break;
    default:
        return;
    }
    if (m_nSlideTime > 0)
        AnimateSlide(pMiniFrame, rect, bHide);
    pMiniFrame->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    pMiniFrame->ShowWindow(bHide ? SW_HIDE : SW_SHOW);
    m_szMRUFloat = rect.Size();
}

void SECControlBar::AnimateSlide(CFrameWnd* pMiniFrame, const CRect& rect, BOOL bHide)
{
    // The frame would snap back to its bars' size at every step.
    const BOOL bSnap = (pMiniFrame->GetStyle() & FWS_SNAPTOBARS) != 0;
    pMiniFrame->ModifyStyle(FWS_SNAPTOBARS, 0);
    CRect rectLast = bHide ? rect : CRect(rect.TopLeft(), CSize(0, 0));
    for (int nStep = 1; nStep <= SLIDE_STEPS; ++nStep)
    {
        const int nParts = bHide ? SLIDE_STEPS - nStep : nStep;
        CRect rectStep = rect;
        switch (m_dwAutoHideSide)
        {
        case CBRS_ALIGN_LEFT:
            rectStep.right = rect.left + rect.Width() * nParts / SLIDE_STEPS;
            break;
        case CBRS_ALIGN_RIGHT:
            rectStep.left = rect.right - rect.Width() * nParts / SLIDE_STEPS;
            break;
        case CBRS_ALIGN_TOP:
            rectStep.bottom = rect.top + rect.Height() * nParts / SLIDE_STEPS;
            break;
        default:
            rectStep.top = rect.bottom - rect.Height() * nParts / SLIDE_STEPS;
            break;
        }
        if (rectStep.IsRectEmpty())
            pMiniFrame->ShowWindow(SW_HIDE);
        else
            pMiniFrame->SetWindowPos(nullptr, rectStep.left, rectStep.top, rectStep.Width(), rectStep.Height(),
                                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        ::Sleep(static_cast<DWORD>(m_nSlideTime / SLIDE_STEPS));
        pMiniFrame->UpdateWindow();
        // What the frame gave up shows the window beneath again.
        CRect rectExposed;
        if (rectExposed.SubtractRect(&rectLast, &rectStep))
        {
            m_pDockSite->ScreenToClient(&rectExposed);
            m_pDockSite->RedrawWindow(&rectExposed, nullptr,
                                      RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        }
        rectLast = rectStep;
    }
    if (bSnap)
        pMiniFrame->ModifyStyle(0, FWS_SNAPTOBARS);
}

void SECControlBar::AutoHideSlideOut()
{
    if (m_pDockSite != nullptr)
        m_pDockSite->ShowControlBar(this, TRUE, FALSE);
    SlideAutoHide(FALSE);
}

void SECControlBar::AutoHideSlideIn()
{
    // While a splitter is dragged a docked bar keeps its place and only takes the focus.
    if (g_bNoSlide && DYNAMIC_DOWNCAST(SECDockBar, m_pDockBar) != nullptr)
    {
        SetFocus();
        return;
    }
    if (m_pDockSite != nullptr)
        m_pDockSite->ShowControlBar(this, FALSE, FALSE);
    SlideAutoHide(TRUE);
}

void SECControlBar::OnKillFocus(CWnd* pNewWnd)
{
    // The focus moving into the bar's own windows keeps it out.
    const bool bIntoBar = pNewWnd != nullptr && ::IsChild(m_hWnd, pNewWnd->m_hWnd);
    if (m_bAutoHide && !m_bPinned && IsVisible() && !bIntoBar)
        AutoHideSlideIn();
    Default();
}

void SECControlBar::OnTimerEx(UINT_PTR nIDEvent)
{
    if (nIDEvent != PIN_TIMER)
    {
        CControlBar::OnTimer(nIDEvent);
        return;
    }
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    if (m_btnPin.HitTest(point))
        return;
    KillTimer(PIN_TIMER);
    SendMessage(WM_NCPAINT);
}

BOOL SECControlBar::IsDockedAt(UINT nDockBarID) const
{
    const HWND hParent = m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr;
    return hParent != nullptr && static_cast<UINT>(::GetDlgCtrlID(hParent)) == nDockBarID;
}

BOOL SECControlBar::IsDockedLeft() const
{
    return IsDockedAt(AFX_IDW_DOCKBAR_LEFT);
}

BOOL SECControlBar::IsDockedRight() const
{
    return IsDockedAt(AFX_IDW_DOCKBAR_RIGHT);
}

BOOL SECControlBar::IsDockedTop() const
{
    return IsDockedAt(AFX_IDW_DOCKBAR_TOP);
}

BOOL SECControlBar::IsDockedBottom() const
{
    return IsDockedAt(AFX_IDW_DOCKBAR_BOTTOM);
}

BOOL SECControlBar::IsMDIChildDocked() const
{
    const auto* pDockBar = DYNAMIC_DOWNCAST(SECDockBar, m_pDockBar);
    return pDockBar != nullptr && pDockBar->IsMDIChild();
}

UINT SECControlBar::FindFreeBarID(CFrameWnd* pFrame, UINT nStart)
{
    CMap<UINT, UINT, BOOL, BOOL> used;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        auto* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        used[LOWORD(pBar->GetDlgCtrlID())] = TRUE;
    }
    BOOL bUsed = FALSE;
    for (UINT nID = nStart, nProbes = 0; nProbes < MAX_ID_PROBES; ++nID, ++nProbes)
        if (!used.Lookup(nID, bUsed))
            return nID;
    return 0;
}

void SECControlBar::SetControlBarGlobalFlag(int nFlag)
{
    g_nControlBarGlobalFlag = nFlag;
}

int SECControlBar::GetControlBarGlobalFlag()
{
    return g_nControlBarGlobalFlag;
}

foundation::SECScopedValue<int> SECControlBar::ScopedControlBarGlobalFlag(int nFlag)
{
    return {g_nControlBarGlobalFlag, nFlag};
}

void SECControlBar::CollectChildRects()
{
    m_childRects.clear();
    if (m_hWnd == nullptr)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    m_childRects.push_back({nullptr, rectClient});
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        CRect rect;
        ::GetWindowRect(hChild, &rect);
        ScreenToClient(&rect);
        m_childRects.push_back({hChild, rect});
    }
}

void SECControlBar::OnSize(UINT nType, int cx, int cy)
{
    if (nType != SIZE_MINIMIZED && cx > 0 && cy > 0)
        LayoutChildren(cx, cy);
    Default();
}

void SECControlBar::LayoutChildren(int cx, int cy)
{
    const int nGripperWidth = m_gripperInfo.GetWidth();
    const int nGripperHeight = m_gripperInfo.GetHeight();
    const int nMargin = m_gripperInfo.GetMargin();
    CPoint origin(0, 0);
    CSize size(cx, cy);
    if (m_dwExStyle & CBRS_EX_GRIPPER)
    {
        if (m_dwStyle & CBRS_ORIENT_HORZ)
        {
            origin = CPoint(nGripperWidth, nMargin);
            size = CSize(cx - nGripperWidth - nMargin, cy - 2 * nMargin);
        }
        else
        {
            origin = CPoint(nMargin, nGripperHeight);
            size = CSize(cx - 2 * nMargin, cy - nMargin - nGripperHeight);
        }
    }
    else if (m_dwExStyle & CBRS_EX_MARGINS)
    {
        origin = m_rcMargins.TopLeft();
        size = CSize(cx - m_rcMargins.left - m_rcMargins.right, cy - m_rcMargins.top - m_rcMargins.bottom);
    }
    size.cx = std::max<LONG>(size.cx, 0);
    size.cy = std::max<LONG>(size.cy, 0);

    if ((m_dwExStyle & CBRS_EX_PROPORTIONAL) && !m_childRects.empty())
    {
        // Recorded while the bar had no size there is nothing to scale from: the places the
        // children have now become the record.
        const CSize recorded = m_childRects.front().rect.Size();
        if (recorded.cx <= 0 || recorded.cy <= 0)
        {
            CollectChildRects();
            return;
        }
        HDWP hdwp = ::BeginDeferWindowPos(static_cast<int>(m_childRects.size()));
        for (auto it = m_childRects.begin() + 1; it != m_childRects.end() && hdwp != nullptr; ++it)
        {
            CRect rect(
                it->rect.left * size.cx / recorded.cx + origin.x, it->rect.top * size.cy / recorded.cy + origin.y,
                it->rect.right * size.cx / recorded.cx + origin.x, it->rect.bottom * size.cy / recorded.cy + origin.y);
            if (m_dwExStyle & CBRS_EX_MARGINS)
                rect.OffsetRect(m_rcMargins.left, m_rcMargins.top);
            hdwp = ::DeferWindowPos(hdwp, it->hWnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                                    ChildMoveFlags());
        }
        if (hdwp != nullptr)
            ::EndDeferWindowPos(hdwp);
        if (IsFloatingBar())
            Invalidate();
    }
    else if (m_dwExStyle & CBRS_EX_STRETCHCHILD)
    {
        if (IsFloatingBar() && (m_dwExStyle & CBRS_EX_GRIPPER))
        {
            // A floating bar draws no gripper: its child takes the strip back.
            origin = CPoint(0, 0);
            size = CSize(cx, cy);
        }
        if (HWND hChild = ::GetTopWindow(m_hWnd))
            ::SetWindowPos(hChild, nullptr, origin.x, origin.y, size.cx, size.cy, ChildMoveFlags());
    }
}

void SECControlBar::DoPaint(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    DrawBorders(pDC, rect);
    if (m_hWndRepaint != nullptr && ::IsWindow(m_hWndRepaint))
        ::RedrawWindow(m_hWndRepaint, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void SECControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    const DWORD dwStyle = m_dwStyle;
    if (!(dwStyle & CBRS_BORDER_ANY))
        return;
    if (m_dwExStyle & CBRS_EX_BORDERS)
    {
        if (!m_bAutoHide)
            InsetBorders(rect);
        if (SECIsVisualStyle4() && !m_theme.DrawBackground(m_hWnd, pDC, rect))
            pDC->FillSolidRect(&rect, pDC->GetBkColor());
        if (m_dwExStyle & CBRS_EX_GRIPPER)
            DrawCaptionGripper(pDC, rect);
        return;
    }
    const SEC_AUX_DATA* pAux = SECGetAuxData();
    // A bar in a row of fixed-size bars has the darker borders of a toolbar.
    const bool bFixedRow = (m_dwExStyle & CBRS_EX_FIXEDROW) != 0;
    const COLORREF clrOuter = bFixedRow ? (pAux->bWin4 ? pAux->clrBtnShadow : pAux->clrWindowFrame) : pAux->clrBtnFace;
    const COLORREF clrInner = bFixedRow ? pAux->clrBtnHilite : pAux->clrBtnFace;
    int xStart = rect.left;
    int cxLine = rect.Width();
    if (!(dwStyle & CBRS_ORIENT_HORZ))
    {
        xStart += 2;
        cxLine -= 3;
    }
    const auto drawLines = [&](int nIn, COLORREF clr) {
        if (dwStyle & CBRS_BORDER_LEFT)
            pDC->FillSolidRect(rect.left + nIn, rect.top, 1, rect.Height(), clr);
        if (dwStyle & CBRS_BORDER_TOP)
            pDC->FillSolidRect(xStart, rect.top + nIn, cxLine, 1, clr);
        if (dwStyle & CBRS_BORDER_RIGHT)
            pDC->FillSolidRect(rect.right - 1 - nIn, rect.top, 1, rect.Height(), clr);
        if (dwStyle & CBRS_BORDER_BOTTOM)
            pDC->FillSolidRect(xStart, rect.bottom - 1 - nIn, cxLine, 1, clr);
    };
    drawLines(0, clrOuter);
    if (dwStyle & CBRS_BORDER_3D)
        drawLines(1, clrInner);
    rect.DeflateRect(
        (dwStyle & CBRS_BORDER_LEFT) ? pAux->cxBorder2 : 0, (dwStyle & CBRS_BORDER_TOP) ? pAux->cyBorder2 : 0,
        (dwStyle & CBRS_BORDER_RIGHT) ? pAux->cxBorder2 : 0, (dwStyle & CBRS_BORDER_BOTTOM) ? pAux->cyBorder2 : 0);
}

BOOL SECControlBar::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    if (SECIsVisualStyle3())
    {
        pDC->FillSolidRect(&rect, SECGetStyleColor2(2));
        if (m_dwStyle & CBRS_ORIENT_VERT)
        {
            rect.top += 1;
            rect.bottom -= 2;
        }
        CBrush brush(SECGetStyleColor(26));
        pDC->FrameRect(&rect, &brush);
        return TRUE;
    }
    if (SECIsVisualStyle4())
        return m_theme.DrawBackground(m_hWnd, pDC, rect) ? TRUE : static_cast<BOOL>(Default());
    if (!(m_dwExStyle & CBRS_EX_MARGINS))
        return static_cast<BOOL>(Default());
    Default();
    // The band between the clip box and the inside rectangle in the face colour.
    CRect rectClip;
    pDC->GetClipBox(&rectClip);
    CRect rectInside;
    GetInsideRect(rectInside);
    CBrush brush(::GetSysColor(COLOR_BTNFACE));
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    pDC->PatBlt(rectClip.left, rectClip.top, rectClip.Width(), rectInside.top - rectClip.top, PATCOPY);
    pDC->PatBlt(rectClip.left, rectInside.bottom, rectClip.Width(), rectClip.bottom - rectInside.bottom, PATCOPY);
    pDC->PatBlt(rectClip.left, rectInside.top, rectInside.left - rectClip.left, rectInside.Height(), PATCOPY);
    pDC->PatBlt(rectInside.right, rectInside.top, rectClip.right - rectInside.right, rectInside.Height(), PATCOPY);
    pDC->SelectObject(pOldBrush);
    return TRUE;
}

void SECControlBar::OnNcPaint()
{
    CWindowDC dc(this);
    CRect rectClient;
    GetClientRect(&rectClient);
    ClientToScreen(&rectClient);
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    dc.ExcludeClipRect(&rectClient);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    DrawBorders(&dc, rectWindow);
    SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()));
}

LRESULT SECControlBar::OnThemeChanged(WPARAM, LPARAM)
{
    m_theme.Close();
    return Default();
}

void SECControlBar::OnDestroyEx()
{
    if (auto* pDockBar = DYNAMIC_DOWNCAST(SECDockBar, m_pDockBar))
        pDockBar->RemoveFromRedrawList(this);
    m_childRects.clear();
    m_theme.Close();
    CFrameWnd* pFrame = GetDockingFrame();
    CControlBar::OnDestroy();
    if (pFrame != nullptr)
        pFrame->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
}

void SECControlBar::OnHide()
{
    CFrameWnd* pParentFrame = GetParentFrame();
    if (pParentFrame != nullptr && pParentFrame->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) && pParentFrame->IsZoomed())
        ::SendMessage(::GetParent(pParentFrame->m_hWnd), WM_MDIRESTORE, reinterpret_cast<WPARAM>(pParentFrame->m_hWnd),
                      0);
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame == nullptr)
        return;
    pFrame->ShowControlBar(this, FALSE, FALSE);
    if (CView* pView = pFrame->GetActiveView())
        pView->SetFocus();
}

void SECControlBar::OnAllowDocking()
{
    if (!(m_dwDockStyle & CBRS_ALIGN_ANY))
    {
        EnableDocking(m_dwSavedDockStyle);
        return;
    }
    m_dwSavedDockStyle = m_dwDockStyle & CBRS_ALIGN_ANY;
    if (m_pDockContext != nullptr && m_pDockBar != nullptr && !IsFloating())
        m_pDockContext->ToggleDocking();
    EnableDocking(0);
}

void SECControlBar::OnFloatInMainWindow()
{
    if (auto* pContext = dynamic_cast<SECDockContext*>(m_pDockContext))
        pContext->ToggleMDIFloating();
}

void SECControlBar::OnContextMenuHook(CMenu*)
{
}

void SECControlBar::OnContextMenu(CWnd* pWnd, CPoint point)
{
    // The strips have no menu of their own.
    if (!(m_dwExStyle & CBRS_EX_CONTEXTMENU) || dynamic_cast<SECAutoHideBar*>(this) != nullptr)
    {
        Default();
        return;
    }
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    menu.AppendMenu(MF_STRING | ((m_dwDockStyle & CBRS_ALIGN_ANY) ? MF_CHECKED : MF_UNCHECKED), ID_SEC_ALLOW_DOCKING,
                    _T("Allow Docking"));
    menu.AppendMenu(MF_STRING, ID_SEC_HIDE_BAR, _T("Hide"));
    OnContextMenuHook(&menu);
    if (m_pDockContext != nullptr && m_pDockContext->m_pDockSite != nullptr &&
        m_pDockContext->m_pDockSite->m_hWnd != nullptr)
        m_pDockContext->m_pDockSite->SendMessage(WM_SEC_BARCONTEXTMENU, reinterpret_cast<WPARAM>(this),
                                                 reinterpret_cast<LPARAM>(&menu));
    // From the keyboard the menu opens a quarter into the window, near its top.
    if (point.x == -1 && point.y == -1)
    {
        CWnd* pTarget = pWnd != nullptr ? pWnd : this;
        CRect rect;
        pTarget->GetClientRect(&rect);
        point = CPoint(rect.Width() / 4, KEYBOARD_MENU_TOP);
        pTarget->ClientToScreen(&point);
    }
    menu.TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
}

BOOL SECControlBar::IsVertStrip() const
{
    return (m_dwStyle & CBRS_ORIENT_HORZ) && !IsSlidOut();
}

CRect SECControlBar::CalcGripperStrip(const CRect& rect) const
{
    const int nMargin = m_gripperInfo.GetMargin();
    CRect rectStrip = rect;
    rectStrip.DeflateRect(1, 1);
    if (IsVertStrip())
    {
        rectStrip.right = rectStrip.left + m_gripperInfo.GetWidth();
        rectStrip.DeflateRect(0, nMargin);
    }
    else
    {
        rectStrip.bottom = rectStrip.top + m_gripperInfo.GetHeight();
        rectStrip.DeflateRect(nMargin, 0);
    }
    return rectStrip;
}

void SECControlBar::DrawCaptionGripper(CDC* pDC, CRect& rect)
{
    if (IsFloatingBar() && !IsSlidOut())
        return;
    const BOOL bVertStrip = IsVertStrip();
    CRect rectStrip = CalcGripperStrip(rect);
    const bool bStyle3 = SECIsVisualStyle3() != FALSE;
    const auto fillGradient = [&](const CRect& r) {
        SECDrawGradientRect(pDC->GetSafeHdc(), r.left, r.top, r.Width(), r.Height(), SECGetStyleColor2(1),
                            SECGetStyleColor2(0), !bVertStrip);
    };
    if (m_dwExStyle & CBRS_EX_THEMEDGRIPPER)
    {
        PlaceButtons(pDC, rectStrip, bVertStrip);
        if (!(SECIsAppThemed() && SECIsThemeActive() && m_theme.DrawPart(m_hWnd, pDC, rectStrip, RP_GRIPPER, 1)))
            DrawGripLines(pDC, rectStrip, bVertStrip);
        return;
    }
    if (m_dwExStyle & CBRS_EX_CAPTION)
    {
        if (bStyle3)
            fillGradient(rectStrip);
        else if (!SECIsVisualStyle4())
        {
            pDC->FillSolidRect(&rectStrip, ::GetSysColor(COLOR_BTNFACE));
            CRect rectOutline = rectStrip;
            rectOutline.DeflateRect(1, 1);
            CBrush brush(::GetSysColor(COLOR_BTNSHADOW));
            pDC->FrameRect(&rectOutline, &brush);
        }
        PlaceButtons(pDC, rectStrip, bVertStrip);
        const int nTextEnd = DrawCaptionText(pDC, rectStrip, bVertStrip);
        if (!bStyle3)
            return;
        // Dots of two pixels with light companions, every four pixels from the title to the buttons.
        const int nPin = m_bAutoHide ? PIN_ROOM : 0;
        const int nFrom = bVertStrip ? rectStrip.top + 3 + nPin : std::max<int>(rectStrip.left + 3, nTextEnd + 4);
        const int nTo = bVertStrip ? std::min<int>(rectStrip.bottom - 5, nTextEnd - 4) : rectStrip.right - 5 - nPin;
        const int nAcross =
            (bVertStrip ? rectStrip.left + rectStrip.Width() / 2 : rectStrip.top + rectStrip.Height() / 2) - 1;
        for (int n = nFrom; n < nTo; n += 4)
        {
            const CPoint pt = bVertStrip ? CPoint(nAcross, n) : CPoint(n, nAcross);
            pDC->FillSolidRect(pt.x + 1, pt.y + 1, 2, 2, RGB(0xC0, 0xC0, 0xC0));
            pDC->FillSolidRect(pt.x, pt.y, 2, 2, RGB(0, 0, 0));
        }
        return;
    }
    if (bStyle3)
        fillGradient(rectStrip);
    PlaceButtons(pDC, rectStrip, bVertStrip);
    if (!bStyle3)
        DrawGripLines(pDC, rectStrip, bVertStrip);
}

void SECControlBar::PlaceButtons(CDC* pDC, CRect& rectStrip, BOOL bVertStrip)
{
    if (m_dwExStyle & CBRS_EX_CLOSE)
        PlaceCloseButton(pDC, rectStrip, bVertStrip);
    else
        m_btnClose.Reset();
    if (m_dwExStyle & CBRS_EX_EXPAND)
        PlaceExpandButton(pDC, rectStrip, bVertStrip);
    else
        m_btnExpand.Reset();
    if (m_bAutoHide)
        DrawPinButton(pDC, rectStrip, bVertStrip);
}

void SECControlBar::DrawGripLines(CDC* pDC, const CRect& rectStrip, BOOL bVertStrip)
{
    const SEC_AUX_DATA* pAux = SECGetAuxData();
    for (int nAt : {4, 8})
    {
        if (bVertStrip)
            pDC->Draw3dRect(rectStrip.left + nAt, rectStrip.top, 3, rectStrip.Height(), pAux->clrBtnHilite,
                            pAux->clrBtnShadow);
        else
            pDC->Draw3dRect(rectStrip.left, rectStrip.top + nAt, rectStrip.Width(), 3, pAux->clrBtnHilite,
                            pAux->clrBtnShadow);
    }
}

int SECControlBar::DrawCaptionText(CDC* pDC, CRect rectStrip, BOOL bVertStrip)
{
    if (m_bAutoHide)
        (bVertStrip ? rectStrip.top : rectStrip.right) += bVertStrip ? PIN_ROOM : -PIN_ROOM;
    CString strText;
    GetWindowText(strText);
    if (strText.IsEmpty() || rectStrip.IsRectEmpty())
        return bVertStrip ? rectStrip.bottom : rectStrip.left;
    LOGFONT lf{};
    lf.lfHeight = ::MulDiv(CAPTION_POINTS, 96, pDC->GetDeviceCaps(LOGPIXELSX));
    lf.lfEscapement = lf.lfOrientation = bVertStrip ? 900 : 0;
    ::wcsncpy(lf.lfFaceName, L"Tahoma", LF_FACESIZE - 1);
    CFont font;
    font.CreatePointFontIndirect(&lf, pDC);
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(&rectStrip);
    pDC->SelectObject(&font);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    const int nInset = SECIsVisualStyle3() ? STYLE3_TEXT_INSET : 1;
    const int nLength = pDC->GetTextExtent(strText).cx;
    int nTextEnd = 0;
    if (bVertStrip)
    {
        pDC->TextOut(rectStrip.left - 1, rectStrip.bottom - nInset, strText);
        nTextEnd = rectStrip.bottom - nInset - nLength;
    }
    else
    {
        pDC->TextOut(rectStrip.left + nInset, rectStrip.top, strText);
        nTextEnd = rectStrip.left + nInset + nLength;
    }
    pDC->RestoreDC(nSaved);
    return nTextEnd;
}

void SECControlBar::PlaceCloseButton(CDC* pDC, CRect& rectStrip, BOOL bVertStrip)
{
    m_btnClose.Place(rectStrip, bVertStrip);
    DrawCloseButtonNormal(pDC);
}

void SECControlBar::DrawCloseButtonNormal(CDC* pDC)
{
    m_btnClose.Draw(pDC, SECCaptionButton::lookNormal, _T('r'), (m_dwExStyle & CBRS_EX_CAPTION) != 0,
                    m_bAutoHide && !m_bPinned);
}

void SECControlBar::DrawCloseButtonRaised(CDC* pDC)
{
    m_btnClose.Draw(pDC, SECCaptionButton::lookRaised, _T('r'), (m_dwExStyle & CBRS_EX_CAPTION) != 0, FALSE);
}

void SECControlBar::DrawCloseButtonPressed(CDC* pDC)
{
    m_btnClose.Draw(pDC, SECCaptionButton::lookPressed, _T('r'), (m_dwExStyle & CBRS_EX_CAPTION) != 0, FALSE);
}

void SECControlBar::PlaceExpandButton(CDC* pDC, CRect& rectStrip, BOOL bVertStrip)
{
    m_btnExpand.Place(rectStrip, bVertStrip);
    UpdateExpandState(bVertStrip);
    DrawExpandButtonNormal(pDC);
}

TCHAR SECControlBar::ExpandGlyph() const
{
    // Marlett's arrows: left and right for bars side by side in a top or bottom row, up and
    // down for the others.
    if (m_bHorzStrip)
        return m_bNotExpanded ? _T('3') : _T('4');
    return m_bNotExpanded ? _T('5') : _T('6');
}

void SECControlBar::DrawExpandButtonNormal(CDC* pDC)
{
    m_btnExpand.Draw(pDC, SECCaptionButton::lookNormal, ExpandGlyph(), TRUE, FALSE);
}

void SECControlBar::DrawExpandButtonRaised(CDC* pDC)
{
    m_btnExpand.Draw(pDC, SECCaptionButton::lookRaised, ExpandGlyph(), TRUE, FALSE);
}

void SECControlBar::DrawExpandButtonPressed(CDC* pDC)
{
    m_btnExpand.Draw(pDC, SECCaptionButton::lookPressed, ExpandGlyph(), TRUE, FALSE);
}

void SECControlBar::DrawPinButton(CDC* pDC, CRect& rectStrip, BOOL bVertStrip)
{
    if (bVertStrip)
        rectStrip.top += 2;
    m_btnPin.Place(rectStrip, bVertStrip);
    const CRect& rect = m_btnPin.GetRect();
    const CPoint c = rect.CenterPoint();
    const int nQuarter = rect.Height() / 4;
    const int nEighth = rect.Height() / 8;
    CPen pen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNTEXT));
    CPen* pOldPen = pDC->SelectObject(&pen);
    // Upright when pinned: head above the centre, crossbar through it, needle below; lying on
    // its side when not.
    const auto line = [&](int x0, int y0, int x1, int y1) {
        if (m_bPinned)
        {
            pDC->MoveTo(c.x + x0, c.y + y0);
            pDC->LineTo(c.x + x1, c.y + y1);
        }
        else
        {
            pDC->MoveTo(c.x - y0, c.y + x0);
            pDC->LineTo(c.x - y1, c.y + x1);
        }
    };
    line(-nEighth, -nQuarter, -nEighth, 0);
    line(nEighth, -nQuarter, nEighth, 0);
    line(-nEighth, -nQuarter, nEighth, -nQuarter);
    line(-nQuarter, 0, nQuarter + 1, 0);
    line(0, 0, 0, nQuarter + 1);
    pDC->SelectObject(pOldPen);
}

void SECControlBar::UpdateExpandState(BOOL bHorzStrip)
{
    m_bHorzStrip = bHorzStrip;
    auto* pDockBar = DYNAMIC_DOWNCAST(SECDockBar, m_pDockBar);
    if (pDockBar == nullptr || IsFloatingBar())
        return;
    m_bNotExpanded = !pDockBar->IsBarExpanded(this);
    m_bExpandEnabled = !pDockBar->IsAloneInRow(this);
}

INT_PTR SECControlBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    const INT_PTR nHit = CControlBar::OnToolHitTest(point, pTI);
    if (nHit != -1)
        return nHit;
    if (!(m_dwStyle & CBRS_TOOLTIPS) || pTI == nullptr || IsFloatingBar())
        return -1;
    const CString* pText = nullptr;
    const SECCaptionButton* pButton = nullptr;
    UINT nTool = 0;
    if ((m_dwExStyle & CBRS_EX_CLOSE) && m_btnClose.HitTest(point))
    {
        pButton = &m_btnClose;
        nTool = ID_SEC_CLOSE_TOOL;
        pText = &m_gripperInfo.GetCloseTip();
    }
    else if ((m_dwExStyle & CBRS_EX_EXPAND) && m_btnExpand.HitTest(point))
    {
        pButton = &m_btnExpand;
        nTool = ID_SEC_EXPAND_TOOL;
        pText = m_bNotExpanded ? &m_gripperInfo.GetExpandTip() : &m_gripperInfo.GetContractTip();
    }
    if (pButton == nullptr)
        return -1;
    pTI->hwnd = m_hWnd;
    pTI->uId = nTool;
    pTI->rect = pButton->GetRect();
    // The tip machinery frees the text.
    pTI->lpszText = ::_wcsdup(static_cast<LPCTSTR>(*pText));
    return nTool;
}

void SECControlBar::OnLButtonDownEx(UINT nFlags, CPoint point)
{
    const auto press = [&](SECCaptionButton& button, BOOL (SECControlBar::*pfnCan)(),
                           void (SECControlBar::*pfnDrawPressed)(CDC*)) {
        // A floating bar shows no pressed buttons.
        if (IsFloatingBar())
        {
            button.SetPressed(FALSE);
            return;
        }
        if (button.IsPressed() || !(this->*pfnCan)())
            return;
        CClientDC dc(this);
        (this->*pfnDrawPressed)(&dc);
        button.SetPressed(TRUE);
        SetCapture();
    };
    if ((m_dwExStyle & CBRS_EX_CLOSE) && m_btnClose.HitTest(point))
    {
        press(m_btnClose, &SECControlBar::CanClose, &SECControlBar::DrawCloseButtonPressed);
        return;
    }
    if ((m_dwExStyle & CBRS_EX_EXPAND) && m_bExpandEnabled && m_btnExpand.HitTest(point))
    {
        press(m_btnExpand, &SECControlBar::CanExpand, &SECControlBar::DrawExpandButtonPressed);
        return;
    }
    if (m_bAutoHide && m_btnPin.HitTest(point))
    {
        SetCapture();
        SetTimer(PIN_TIMER, PIN_TIMER_INTERVAL, nullptr);
        return;
    }
    if (IsFloatingBar() && m_bAutoHide)
        return;
    ReleaseButtons();
    if (FloatsOutsideDockFrame())
        Default();
    else
        CControlBar::OnLButtonDown(nFlags, point);
}

BOOL SECControlBar::FloatsOutsideDockFrame() const
{
    CFrameWnd* pFrame = GetDockingFrame();
    return IsFloating() && (pFrame == nullptr || !pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
}

void SECControlBar::ReleaseButtons()
{
    if (!m_btnClose.IsPressed() && !m_btnExpand.IsPressed())
        return;
    CClientDC dc(this);
    if (m_btnClose.IsPressed())
        DrawCloseButtonNormal(&dc);
    if (m_btnExpand.IsPressed())
        DrawExpandButtonNormal(&dc);
    m_btnClose.SetPressed(FALSE);
    m_btnExpand.SetPressed(FALSE);
}

void SECControlBar::OnLButtonUp(UINT, CPoint point)
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (!IsToolkitFrame(m_pOwnerFrame))
    {
        // No button stays down for a frame that cannot act on it.
        ReleaseButtons();
        Default();
        return;
    }
    auto* pFrame = static_cast<CFrameWnd*>(m_pOwnerFrame);
    if (m_btnClose.IsPressed() && m_btnClose.HitTest(point))
    {
        ReleaseButtons();
        SendMessage(WM_COMMAND, ID_SEC_HIDE_BAR);
        // A hidden unpinned bar leaves its strip for its dock bar, where showing finds it.
        if (m_dwAutoHideSide != 0)
        {
            DockBackFromStrip();
            m_dwAutoHideSide = 0;
        }
        pFrame->ShowControlBar(this, FALSE, FALSE);
        SendMessage(WM_NCPAINT);
    }
    else if (m_btnExpand.IsPressed() && m_btnExpand.HitTest(point))
    {
        ReleaseButtons();
        if (auto* pDockBar = DYNAMIC_DOWNCAST(SECDockBar, m_pDockBar))
        {
            m_bExpandRequest = m_bNotExpanded;
            pDockBar->ExpandBar(this, m_bNotExpanded ? SECDockBar::EXPAND_BAR : 0);
        }
        pFrame->Invalidate();
    }
    else if (m_bAutoHide && m_btnPin.HitTest(point))
        TogglePinned();
    ReleaseButtons();
    pFrame->RecalcLayout();
}

void SECControlBar::OnLButtonDblClkEx(UINT nFlags, CPoint point)
{
    const bool bOnButton = ((m_dwExStyle & CBRS_EX_CLOSE) && m_btnClose.HitTest(point)) ||
                           ((m_dwExStyle & CBRS_EX_EXPAND) && m_btnExpand.HitTest(point)) ||
                           (m_bAutoHide && m_btnPin.HitTest(point));
    if (bOnButton || (m_bAutoHide && !m_bPinned))
        return;
    if (FloatsOutsideDockFrame())
        Default();
    else
        CControlBar::OnLButtonDblClk(nFlags, point);
}
} // namespace tarnwick::frames
