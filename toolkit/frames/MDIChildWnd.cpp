// SECMDIChildWnd: filters, activation by a click, and destruction of its bars.
#include <toolkit/frames/FrameDocking.h>
#include <toolkit/frames/MDIChildWnd.h>
#include <toolkit/frames/MDIFrameWnd.h>
#include <toolkit/frames/MultiDocTemplate.h>
#include <toolkit/frames/SysCommandEx.h>

namespace tarnwick::frames
{
using nsSysCommandEx::ScxButtonMDIChildMsgFilter;

IMPLEMENT_DYNCREATE(SECMDIChildWnd, CMDIChildWnd)

BEGIN_MESSAGE_MAP(SECMDIChildWnd, CMDIChildWnd)
ON_WM_CREATE()
ON_WM_CHILDACTIVATE()
ON_WM_PARENTNOTIFY()
ON_WM_MOUSEACTIVATE()
ON_WM_DESTROY()
ON_WM_SIZE()
AFX_WM_ENTRY(WM_MDIACTIVATE, void (CWnd::*)(BOOL, CWnd*, CWnd*), OnMDIActivate,
             reinterpret_cast<HWND>(call.lParam) == static_cast<CWnd*>(pTarget)->m_hWnd, AFX_LPARAM_WND, AFX_WPARAM_WND)
END_MESSAGE_MAP()

namespace
{
constexpr int FIRST_SIZING_HIT = HTLEFT;
constexpr int LAST_SIZING_HIT = HTBOTTOMRIGHT;
} // namespace

SECMDIChildWnd::SECMDIChildWnd() : m_nMenuId(0), m_bMenuById(FALSE), m_hMenuAlt(nullptr), m_pMsgFilter(new SECMsgFilter(this))
{
    nsSysCommandEx::AddDocumentFrameFilters(m_descriptors, RUNTIME_CLASS(ScxButtonMDIChildMsgFilter));
}

SECMDIChildWnd::~SECMDIChildWnd()
{
    delete m_pMsgFilter;
}

void SECMDIChildWnd::InstallFilters(UINT nMask)
{
    nsSysCommandEx::InstallDocumentFrameFilters(*m_pMsgFilter, m_descriptors, nMask);
}

SECMDIFrameWnd* SECMDIChildWnd::GetMenuBarFrame()
{
    auto* pFrame = DYNAMIC_DOWNCAST(SECMDIFrameWnd, GetMDIFrame());
    return pFrame != nullptr && pFrame->HasMenuBar() ? pFrame : nullptr;
}

BOOL SECMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    // Known before creation: the child is activated while it is made.
    auto* pMenuBarFrame = DYNAMIC_DOWNCAST(SECMDIFrameWnd, pParentWnd != nullptr ? pParentWnd : AfxGetMainWnd());
    if (pMenuBarFrame != nullptr && pMenuBarFrame->HasMenuBar())
    {
        auto* pTemplate =
            pContext != nullptr ? DYNAMIC_DOWNCAST(CMultiDocTemplate, pContext->m_pNewDocTemplate) : nullptr;
        m_nMenuId = pTemplate != nullptr ? pTemplate->m_nIDResource : nIDResource;
        m_bMenuById = m_nMenuId != 0;
    }
    if (!CMDIChildWnd::LoadFrame(nIDResource, dwDefaultStyle | WS_CHILD, pParentWnd, pContext))
        return FALSE;
    // The menu bar shows the child's menu by id; the window's menu line stays empty.
    if (m_bMenuById)
        m_hMenuShared = nullptr;
    return TRUE;
}

void SECMDIChildWnd::OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    m_hMenuAlt = hMenuAlt;
    CMDIChildWnd::OnUpdateFrameMenu(bActive, pActivateWnd, hMenuAlt);
    SECMDIFrameWnd* pFrame = GetMenuBarFrame();
    if (pFrame == nullptr)
        return;
    if (!bActive && pActivateWnd == nullptr)
    {
        if (CView* pView = GetActiveView())
            pView->OnActivateView(FALSE, pView, pView);
        if (::GetMenu(pFrame->m_hWnd) != nullptr)
        {
            ::SetMenu(pFrame->m_hWnd, nullptr);
            pFrame->DrawMenuBar();
        }
    }
    pFrame->SyncWindowMenu();
}

void SECMDIChildWnd::OnSize(UINT nType, int cx, int cy)
{
    if (nType == SIZE_RESTORED || nType == SIZE_MINIMIZED || nType == SIZE_MAXIMIZED)
        if (SECMDIFrameWnd* pFrame = GetMenuBarFrame())
            pFrame->RefreshMDIButtons();
    CMDIChildWnd::OnSize(nType, cx, cy);
}

LRESULT SECMDIChildWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCACTIVATE)
    {
        // Drawn active only while no docked document frame stands in for the active child.
        CMDIFrameWnd* pFrame = GetMDIFrame();
        CFrameWnd* pActive = pFrame != nullptr ? pFrame->GetActiveFrame() : nullptr;
        if (wParam && pActive != nullptr && pActive != pFrame && !pActive->IsKindOf(RUNTIME_CLASS(SECMDIChildWnd)))
            wParam = FALSE;
    }
    const LRESULT lResult = CMDIChildWnd::WindowProc(message, wParam, lParam);
    const BOOL bSizingBorder = message == WM_SETCURSOR && static_cast<short>(LOWORD(lParam)) >= FIRST_SIZING_HIT &&
                               static_cast<short>(LOWORD(lParam)) <= LAST_SIZING_HIT;
    // The caption buttons draw over what the system drew.
    if (message == WM_NCACTIVATE || message == WM_SETTEXT || message == WM_NCPAINT || bSizingBorder)
    {
        LRESULT lFiltered = 0;
        m_pMsgFilter->Filter(message, wParam, lParam, &lFiltered);
    }
    return lResult;
}

BOOL SECMDIChildWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const BOOL bOffered =
        (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || SECMsgFilter::IsNcButtonMessage(message);
    if (bOffered && m_pMsgFilter->Offer(message, wParam, lParam, pResult))
        return TRUE;
    return CMDIChildWnd::OnWndMsg(message, wParam, lParam, pResult);
}

LRESULT SECMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (nsSysCommandEx::DispatchSysCommandEx(*m_pMsgFilter, message, wParam, lParam, lResult))
        return lResult;
    return CMDIChildWnd::DefWindowProc(message, wParam, lParam);
}

void SECMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd)
{
    // A child activated while its frame is in the background takes the frame with it.
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (bActivate && pFrame != nullptr && ::GetActiveWindow() != pFrame->m_hWnd)
        pFrame->SetFocus();
    CMDIChildWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
    SECMDIFrameWnd* pMenuBarFrame = GetMenuBarFrame();
    if (pMenuBarFrame == nullptr || !m_bMenuById)
        return;
    if (bActivate)
        pMenuBarFrame->SetMenuBarMenu(m_nMenuId);
    else if (pActivateWnd == nullptr && pMenuBarFrame->GetActiveDockedFrame() != nullptr)
        // The last child going leaves the active docked frame's menu in the bar.
        pMenuBarFrame->ShowActiveFrameMenu();
    else if (pActivateWnd == nullptr)
        pMenuBarFrame->SetMenuBarMenu(static_cast<UINT>(-1));
}

int SECMDIChildWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMDIChildWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    // Only the children of dockable documents get the caption button and the extended
    // commands; the application's other children stay as they are.
    const auto* lpmcs = static_cast<const MDICREATESTRUCT*>(lpCreateStruct->lpCreateParams);
    const auto* pContext = reinterpret_cast<const CCreateContext*>(lpmcs->lParam);
    if (pContext != nullptr && pContext->m_pNewDocTemplate != nullptr &&
        pContext->m_pNewDocTemplate->IsKindOf(RUNTIME_CLASS(SECMultiDocTemplate)))
        InstallFilters(1);
    return 0;
}

void SECMDIChildWnd::ClearActiveDockedFrame()
{
    auto* pFrame = DYNAMIC_DOWNCAST(SECMDIFrameWnd, GetMDIFrame());
    if (pFrame != nullptr && pFrame->GetActiveDockedFrame() != nullptr)
        pFrame->ClearActiveDockedFrame(FALSE);
}

void SECMDIChildWnd::OnChildActivate()
{
    ClearActiveDockedFrame();
    Default();
    SendMessage(WM_NCACTIVATE, TRUE);
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->SendMessageToDescendants(WM_NCPAINT, 0, 0, TRUE, TRUE);
}

void SECMDIChildWnd::ActivateOnClick()
{
    ClearActiveDockedFrame();
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != nullptr && pFrame->MDIGetActive() != this)
        MDIActivate();
    CView* pView = GetActiveView();
    HWND hWndFocus = ::GetFocus();
    if (pView != nullptr && hWndFocus != pView->m_hWnd && !::IsChild(pView->m_hWnd, hWndFocus))
        pView->SetFocus();
    SendMessage(WM_NCACTIVATE, TRUE);
    OnUpdateFrameTitle(TRUE);
    OnUpdateFrameMenu(TRUE, this, m_hMenuAlt);
    if (SECMDIFrameWnd* pMenuBarFrame = GetMenuBarFrame(); pMenuBarFrame != nullptr && m_bMenuById)
        pMenuBarFrame->SetMenuBarMenu(m_nMenuId);
    if (pFrame != nullptr)
        pFrame->DrawMenuBar();
}

void SECMDIChildWnd::OnParentNotify(UINT message, LPARAM lParam)
{
    CMDIChildWnd::OnParentNotify(message, lParam);
    if (LOWORD(message) == WM_LBUTTONDOWN || LOWORD(message) == WM_RBUTTONDOWN)
        ActivateOnClick();
}

int SECMDIChildWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    ClearActiveDockedFrame();
    const int nResult = CMDIChildWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    ActivateOnClick();
    return nResult;
}

void SECMDIChildWnd::OnDestroy()
{
    // The frame's caption held the zoomed child's buttons.
    if (IsZoomed())
        if (CWnd* pMain = AfxGetMainWnd())
            pMain->SetWindowPos(nullptr, 0, 0, 0, 0,
                                SWP_FRAMECHANGED | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                                    SWP_NOOWNERZORDER);
    SECFrameDocking::DestroyDockBars(*this);
    CMDIChildWnd::OnDestroy();
}
} // namespace tarnwick::frames
