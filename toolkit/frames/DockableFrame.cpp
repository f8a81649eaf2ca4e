// SECDockableFrame: loading with the template's resources, activation as the MDI frame's
// active docked frame, the caption's drag and double-click, its filters and its going away.
#include <toolkit/foundation/AuxData.h>
#include <toolkit/frames/DockContext.h>
#include <toolkit/frames/DockableFrame.h>
#include <toolkit/frames/FrameBar.h>
#include <toolkit/frames/MDIFrameWnd.h>
#include <toolkit/frames/SysCommandEx.h>
#include <toolkit/frames/VisibleFrames.h>

namespace tarnwick::frames
{
using nsSysCommandEx::ScxButtonMsgFilter;

IMPLEMENT_DYNCREATE(SECDockableFrame, SECFrameWnd)

BEGIN_MESSAGE_MAP(SECDockableFrame, SECFrameWnd)
ON_WM_CREATE()
ON_WM_ACTIVATE()
ON_WM_MOUSEACTIVATE()
ON_WM_PARENTNOTIFY()
ON_WM_NCLBUTTONDOWN()
ON_WM_NCLBUTTONDBLCLK()
ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace
{
// Hit codes on which a press on a docked frame drags its bar: the caption, the border and
// the sizing edges.
BOOL DragsTheBar(UINT nHitTest)
{
    return nHitTest == HTCAPTION || nHitTest == HTBORDER || (nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT);
}
} // namespace

SECDockableFrame::SECDockableFrame() : m_hMenuShared(nullptr), m_pMsgFilter(new SECMsgFilter(this))
{
    nsSysCommandEx::AddDocumentFrameFilters(m_descriptors, RUNTIME_CLASS(ScxButtonMsgFilter));
}

SECDockableFrame::~SECDockableFrame()
{
    delete m_pMsgFilter;
}

BOOL SECDockableFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!SECFrameWnd::PreCreateWindow(cs))
        return FALSE;
    if (SECGetAuxData()->bWin4)
        cs.dwExStyle |= WS_EX_TOOLWINDOW;
    cs.style &= ~FWS_PREFIXTITLE;
    return TRUE;
}

BOOL SECDockableFrame::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    if (auto* pTemplate = pContext != nullptr ? DYNAMIC_DOWNCAST(CMultiDocTemplate, pContext->m_pNewDocTemplate) : nullptr)
    {
        m_hMenuShared = pTemplate->m_hMenuShared;
        m_hAccelTable = pTemplate->m_hAccelTable;
    }
    LPCTSTR lpszClass = LoadTitleAndIconClass(nIDResource);
    const CString strTitle = m_strTitle;
    if (!Create(lpszClass, strTitle, dwDefaultStyle | WS_CHILD, CRect(0, 0, 0, 0), pParentWnd, nullptr, 0, pContext))
        return FALSE;
    if (m_hAccelTable == nullptr)
        LoadAccelTable(MAKEINTRESOURCE(nIDResource));
    return TRUE;
}

SECMDIFrameWnd* SECDockableFrame::GetMDIFrame() const
{
    if (auto* pFrame = DYNAMIC_DOWNCAST(SECMDIFrameWnd, GetParentFrame()))
        return pFrame;
    return DYNAMIC_DOWNCAST(SECMDIFrameWnd, AfxGetMainWnd());
}

CControlBar* SECDockableFrame::GetParentBar() const
{
    return m_hWnd != nullptr ? DYNAMIC_DOWNCAST(CControlBar, GetParent()) : nullptr;
}

BOOL SECDockableFrame::IsFloating() const
{
    const CControlBar* pBar = GetParentBar();
    return pBar != nullptr && pBar->IsFloating();
}

void SECDockableFrame::InstallFilters(UINT nMask)
{
    nsSysCommandEx::InstallDocumentFrameFilters(*m_pMsgFilter, m_descriptors, nMask);
}

void SECDockableFrame::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (SECMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->OnUpdateFrameTitle(bAddToTitle);
    if (!(GetStyle() & FWS_ADDTOTITLE) || !bAddToTitle)
        return;
    if (CDocument* pDoc = GetActiveDocument())
        AfxSetWindowText(m_hWnd, DocumentTitleWithNumber(pDoc->GetTitle()));
}

void SECDockableFrame::OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    SECMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == nullptr || pFrame->m_hWndMDIClient == nullptr)
        return;
    HMENU hMenu = hMenuAlt;
    if (hMenu == nullptr && pFrame->HasMenuBar())
    {
        // The menu bar shows the template's menu by id.
        if (::GetMenu(pFrame->m_hWnd) != nullptr)
        {
            ::SetMenu(pFrame->m_hWnd, nullptr);
            pFrame->DrawMenuBar();
        }
        pFrame->SyncWindowMenu();
        return;
    }
    if (hMenu == nullptr)
        hMenu = m_hMenuShared;
    if (hMenu == nullptr)
    {
        ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
        return;
    }
    if (bActivate)
        ::SendMessage(pFrame->m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hMenu),
                      reinterpret_cast<LPARAM>(pFrame->GetWindowMenuPopup(hMenu)));
    else if (pActivateWnd != nullptr)
        ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    else
        ::SendMessage(pFrame->m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(pFrame->m_hMenuDefault), 0);
}

BOOL SECDockableFrame::PreTranslateMessage(MSG* pMsg)
{
    if (GetDocking().PreTranslateThroughPlugIn(pMsg))
        return TRUE;
    if (pMsg->message == WM_SYSCOMMAND && (pMsg->wParam & 0xFFF0) == SC_KEYMENU && GetDocking().IsCustomising())
        return TRUE;
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    // The commands go to the main window, which routes them here while this frame is active.
    CWnd* pMainWnd = AfxGetMainWnd();
    const HACCEL hAccel = GetDefaultAccelerator();
    return hAccel != nullptr && pMainWnd != nullptr && ::TranslateAccelerator(pMainWnd->m_hWnd, hAccel, pMsg);
}

LRESULT SECDockableFrame::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (nsSysCommandEx::DispatchSysCommandEx(*m_pMsgFilter, message, wParam, lParam, lResult))
        return lResult;
    return CWnd::DefWindowProc(message, wParam, lParam);
}

BOOL SECDockableFrame::DestroyWindow()
{
    // The frame bar was made for this frame; any other parent is not this frame's to destroy.
    if (auto* pBar = m_hWnd != nullptr ? DYNAMIC_DOWNCAST(SECFrameBar, GetParent()) : nullptr)
        return pBar->DestroyWindow();
    return SECFrameWnd::DestroyWindow();
}

LRESULT SECDockableFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCRBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: {
        LRESULT lResult = 0;
        if (m_pMsgFilter->Offer(message, wParam, lParam, &lResult))
            return lResult;
        break;
    }
    case WM_NCACTIVATE:
    case WM_SETTEXT:
    case WM_NCPAINT: {
        // The caption buttons draw over what the system drew.
        const LRESULT lResult = SECFrameWnd::WindowProc(message, wParam, lParam);
        LRESULT lFiltered = 0;
        m_pMsgFilter->Filter(message, wParam, lParam, &lFiltered);
        return lResult;
    }
    default:
        break;
    }
    return SECFrameWnd::WindowProc(message, wParam, lParam);
}

int SECDockableFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (SECFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    InstallFilters(1);
    return 0;
}

void SECDockableFrame::MakeActiveDockedFrame()
{
    if (SECMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->SetActiveDockedFrame(this, FALSE);
}

void SECDockableFrame::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    SECFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    if (nState != WA_INACTIVE)
        MakeActiveDockedFrame();
}

int SECDockableFrame::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    const int nResult = SECFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    MakeActiveDockedFrame();
    return nResult;
}

void SECDockableFrame::OnParentNotify(UINT message, LPARAM lParam)
{
    SECFrameWnd::OnParentNotify(message, lParam);
    if (LOWORD(message) == WM_LBUTTONDOWN || LOWORD(message) == WM_RBUTTONDOWN)
        MakeActiveDockedFrame();
}

void SECDockableFrame::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    MakeActiveDockedFrame();
    LRESULT lResult = 0;
    if (m_pMsgFilter->Offer(WM_NCLBUTTONDOWN, nHitTest, MAKELPARAM(point.x, point.y), &lResult))
        return;
    CControlBar* pBar = GetParentBar();
    if (pBar != nullptr && IsFloating())
    {
        // The floating frame's own caption handling; its close box is this frame's.
        if (nHitTest != HTCLOSE)
        {
            pBar->GetParentFrame()->SendMessage(WM_NCLBUTTONDOWN, nHitTest, MAKELPARAM(point.x, point.y));
            return;
        }
    }
    else if (pBar != nullptr && pBar->m_pDockContext != nullptr && DragsTheBar(nHitTest))
    {
        pBar->m_pDockContext->StartDrag(point);
        return;
    }
    Default();
}

void SECDockableFrame::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetParentBar();
    if (nHitTest != HTCAPTION || pBar == nullptr)
    {
        Default();
        return;
    }
    if (IsFloating())
    {
        pBar->GetParentFrame()->SendMessage(WM_NCLBUTTONDBLCLK, nHitTest, MAKELPARAM(point.x, point.y));
        return;
    }
    // The bar's own double-click toggles only over its empty face, and this frame covers all of
    // it: the caption's double-click toggles the bar's docking itself.
    if (pBar->m_pDockBar != nullptr && pBar->m_pDockContext != nullptr)
        pBar->m_pDockContext->ToggleDocking();
}

void SECDockableFrame::OnDestroy()
{
    // The MDI frame must not route commands to a frame that is gone: another visible docked
    // frame takes over, else the MDI children.
    SECMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != nullptr && pFrame->GetActiveDockedFrame() == this)
    {
        if (SECDockableFrame* pOther = FindOtherVisibleDockableFrame(this))
            pFrame->SetActiveDockedFrame(pOther, TRUE);
        else
            pFrame->ClearActiveDockedFrame(TRUE);
    }
    SECFrameWnd::OnDestroy();
}
} // namespace tarnwick::frames
