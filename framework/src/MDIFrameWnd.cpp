// CMDIFrameWnd and CMDIChildWnd: the MDI client, its children, and the menu switching
// between the frame's menu and the active child's.
#include <afxpriv.h>

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
ON_WM_DESTROY()
ON_COMMAND_EX(ID_WINDOW_ARRANGE, OnMDIWindowCmd)
ON_COMMAND_EX(ID_WINDOW_CASCADE, OnMDIWindowCmd)
ON_COMMAND_EX(ID_WINDOW_TILE_HORZ, OnMDIWindowCmd)
ON_COMMAND_EX(ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
ON_COMMAND_EX(ID_WINDOW_NEW, OnMDIWindowCmd)
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() : m_hWndMDIClient(nullptr)
{
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
    if (hMenuBar == nullptr)
        return nullptr;
    const int nCount = ::GetMenuItemCount(hMenuBar);
    for (int nItem = 0; nItem < nCount; ++nItem)
    {
        HMENU hMenuPop = ::GetSubMenu(hMenuBar, nItem);
        if (hMenuPop == nullptr)
            continue;
        const int nCountPop = ::GetMenuItemCount(hMenuPop);
        for (int nItemPop = 0; nItemPop < nCountPop; ++nItemPop)
        {
            const UINT nID = ::GetMenuItemID(hMenuPop, nItemPop);
            // Pop-ups answer (UINT)-1.
            if ((nID >= AFX_IDM_FIRST_MDICHILD && nID != static_cast<UINT>(-1)) ||
                (nID >= ID_WINDOW_NEW && nID <= ID_WINDOW_TILE_VERT))
                return hMenuPop;
        }
    }
    return nCount >= 2 ? ::GetSubMenu(hMenuBar, nCount - 2) : nullptr;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*)
{
    return CreateClient(lpcs, CMenu::FromHandle(GetWindowMenuPopup(lpcs->hMenu)));
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu)
{
    CLIENTCREATESTRUCT ccs{pWindowMenu->GetSafeHmenu(), AFX_IDM_FIRST_MDICHILD};
    DWORD dwStyle = WS_VISIBLE | WS_CHILD | WS_BORDER | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | MDIS_ALLCHILDSTYLES;
    // The frame's scroll bars belong to the client.
    dwStyle |= lpCreateStruct->style & (WS_HSCROLL | WS_VSCROLL);
    m_hWndMDIClient = ::CreateWindowEx(WS_EX_CLIENTEDGE, _T("MDICLIENT"), nullptr, dwStyle, 0, 0, 0, 0, m_hWnd,
                                       reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)),
                                       AfxGetInstanceHandle(), &ccs);
    if (m_hWndMDIClient == nullptr)
        return FALSE;
    ::BringWindowToTop(m_hWndMDIClient);
    return TRUE;
}

void CMDIFrameWnd::OnDestroy()
{
    CFrameWnd::OnDestroy();
    // The client is destroyed next, before the children, and Wine frees the client's data at
    // its WM_DESTROY: whatever the children's going still asks of the frame (a document
    // retitling the windows it has left) must not reach the client.
    m_hWndMDIClient = nullptr;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProc(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    if (m_hWndMDIClient == nullptr)
    {
        if (pbMaximized != nullptr)
            *pbMaximized = FALSE;
        return nullptr;
    }
    BOOL bMaximized = FALSE;
    HWND hWnd = reinterpret_cast<HWND>(
        ::SendMessage(m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&bMaximized)));
    if (pbMaximized != nullptr)
        *pbMaximized = bMaximized;
    return dynamic_cast<CMDIChildWnd*>(FromHandlePermanent(hWnd));
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pWndActivate->GetSafeHwnd()), 0);
}

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd)
{
    ::SendMessage(m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(pWnd->GetSafeHwnd()), 0);
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd)
{
    ::SendMessage(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(pWnd->GetSafeHwnd()), 0);
}

void CMDIFrameWnd::MDINext()
{
    ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 0);
}

void CMDIFrameWnd::MDICascade()
{
    ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, 0, 0);
}

void CMDIFrameWnd::MDICascade(int nType)
{
    ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, static_cast<WPARAM>(nType), 0);
}

void CMDIFrameWnd::MDITile()
{
    ::SendMessage(m_hWndMDIClient, WM_MDITILE, 0, 0);
}

void CMDIFrameWnd::MDITile(int nType)
{
    ::SendMessage(m_hWndMDIClient, WM_MDITILE, static_cast<WPARAM>(nType), 0);
}

void CMDIFrameWnd::MDIIconArrange()
{
    ::SendMessage(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0);
}

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu)
{
    return CMenu::FromHandle(reinterpret_cast<HMENU>(
        ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(pFrameMenu->GetSafeHmenu()),
                      reinterpret_cast<LPARAM>(pWindowMenu->GetSafeHmenu()))));
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    BOOL bMaximized = FALSE;
    MDIGetActive(&bMaximized);
    CFrameWnd::OnUpdateFrameTitle(bAddToTitle && !bMaximized);
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (hMenuAlt == nullptr)
        hMenuAlt = m_hMenuDefault;
    if (hMenuAlt == nullptr)
        return;
    ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hMenuAlt),
                  reinterpret_cast<LPARAM>(GetWindowMenuPopup(hMenuAlt)));
    ::DrawMenuBar(m_hWnd);
}

namespace
{
// Another frame with a view of the active child's document, made by the document's template;
// nothing without an active document.
void OpenAnotherWindow(CMDIChildWnd* pActiveChild)
{
    CDocument* pDocument = pActiveChild != nullptr ? pActiveChild->GetActiveDocument() : nullptr;
    CDocTemplate* pTemplate = pDocument != nullptr ? pDocument->GetDocTemplate() : nullptr;
    if (pTemplate == nullptr)
        return;
    if (CFrameWnd* pFrame = pTemplate->CreateNewFrame(pDocument, pActiveChild))
        pTemplate->InitialUpdateFrame(pFrame, pDocument);
}
} // namespace

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID)
{
    switch (nID)
    {
    case ID_WINDOW_ARRANGE:
        MDIIconArrange();
        return TRUE;
    case ID_WINDOW_CASCADE:
        MDICascade();
        return TRUE;
    case ID_WINDOW_TILE_HORZ:
        MDITile(MDITILE_HORIZONTAL);
        return TRUE;
    case ID_WINDOW_TILE_VERT:
        MDITile(MDITILE_VERTICAL);
        return TRUE;
    case ID_WINDOW_NEW:
        OpenAnotherWindow(MDIGetActive());
        return TRUE;
    default:
        return FALSE;
    }
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    if (CMDIChildWnd* pActiveChild = MDIGetActive())
        return pActiveChild;
    return this;
}

CDocument* CMDIFrameWnd::GetActiveDocument()
{
    // The document of whichever frame a derived frame reports as active.
    CFrameWnd* pActiveFrame = GetActiveFrame();
    return pActiveFrame != nullptr && pActiveFrame != this ? pActiveFrame->GetActiveDocument() : nullptr;
}

HACCEL CMDIFrameWnd::GetDefaultAccelerator()
{
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild != nullptr && pActiveChild->m_hAccelTable != nullptr)
        return pActiveChild->m_hAccelTable;
    return m_hAccelTable;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CMDIChildWnd* pActiveChild = MDIGetActive())
        if (pActiveChild->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && MDIGetActive() != nullptr &&
        ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(pMsg);
}

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
ON_WM_CREATE()
ON_WM_SIZE()
AFX_WM_ENTRY(WM_MDIACTIVATE, void (CWnd::*)(BOOL, CWnd*, CWnd*), OnMDIActivate,
             reinterpret_cast<HWND>(call.lParam) == static_cast<CWnd*>(pTarget)->m_hWnd, AFX_LPARAM_WND, AFX_WPARAM_WND)
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() : m_hMenuShared(nullptr)
{
}

void CMDIChildWnd::OnSize(UINT nType, int cx, int cy)
{
    CFrameWnd::OnSize(nType, cx, cy);
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->OnUpdateFrameTitle(TRUE);
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CHILD;
    return CFrameWnd::PreCreateWindow(cs);
}

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (pParentWnd == nullptr)
        pParentWnd = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    if (pParentWnd == nullptr || pParentWnd->m_hWndMDIClient == nullptr)
    {
        PostNcDestroy();
        return FALSE;
    }
    CREATESTRUCT cs{};
    cs.style = dwStyle & ~WS_MAXIMIZE;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = pParentWnd->m_hWnd;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = pContext;
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }
    MDICREATESTRUCT mcs{cs.lpszClass,
                        cs.lpszName,
                        cs.hInstance,
                        cs.x,
                        cs.y,
                        cs.cx,
                        cs.cy,
                        static_cast<DWORD>(cs.style) & ~(WS_MAXIMIZE | WS_VISIBLE),
                        reinterpret_cast<LPARAM>(cs.lpCreateParams)};
    AfxHookWindowCreate(this);
    const HWND hWnd = reinterpret_cast<HWND>(
        ::SendMessage(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    if (hWnd == nullptr)
        return FALSE;
    // Shown after creation, so that the frame is complete before it becomes active.
    if (dwStyle & WS_VISIBLE)
    {
        ::ShowWindow(hWnd, (dwStyle & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
        ::SendMessage(pParentWnd->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    }
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    LPCTSTR lpszClass = LoadTitleAndIconClass(nIDResource);
    const CString strTitle = m_strTitle;
    if (!Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, dynamic_cast<CMDIFrameWnd*>(pParentWnd), pContext))
        return FALSE;
    // The template's shared menu and accelerators, else the resource's own.
    auto* pTemplate = pContext != nullptr ? dynamic_cast<CMultiDocTemplate*>(pContext->m_pNewDocTemplate) : nullptr;
    if (pTemplate != nullptr)
    {
        m_hMenuShared = pTemplate->m_hMenuShared;
        m_hAccelTable = pTemplate->m_hAccelTable;
    }
    else
    {
        m_hMenuShared = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
        m_hMenuDefault = m_hMenuShared;
        LoadAccelTable(MAKEINTRESOURCE(nIDResource));
    }
    if (pContext == nullptr)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    const auto* lpmcs = static_cast<const MDICREATESTRUCT*>(lpCreateStruct->lpCreateParams);
    return OnCreateHelper(lpCreateStruct, reinterpret_cast<CCreateContext*>(lpmcs->lParam));
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame()
{
    // The parent is the MDI client; its parent the frame.
    return dynamic_cast<CMDIFrameWnd*>(FromHandlePermanent(::GetParent(::GetParent(m_hWnd))));
}

void CMDIChildWnd::MDIDestroy()
{
    ::SendMessage(::GetParent(m_hWnd), WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIActivate()
{
    ::SendMessage(::GetParent(m_hWnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIMaximize()
{
    ::SendMessage(::GetParent(m_hWnd), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIRestore()
{
    ::SendMessage(::GetParent(m_hWnd), WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    MDIDestroy();
    return TRUE;
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProc(m_hWnd, message, wParam, lParam);
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd*)
{
    Default();
    if (CView* pView = GetActiveView())
        pView->OnActivateView(bActivate, pView, pView);
    OnUpdateFrameMenu(bActivate, pActivateWnd, nullptr);
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == nullptr)
        return;
    if (hMenuAlt == nullptr && bActive)
        hMenuAlt = m_hMenuShared;
    // Deactivated in favour of another child: that child sets its own menu.
    if (!bActive && pActivateWnd != nullptr)
        return;
    pFrame->OnUpdateFrameMenu(hMenuAlt);
    // The last child is going: the frame's title loses its document once the child is gone.
    if (!bActive)
        pFrame->DelayUpdateFrameTitle();
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    // The main frame is being destroyed: a child's title goes through its client too.
    if (pFrame != nullptr && pFrame->m_hWndMDIClient == nullptr)
        return;
    if (pFrame != nullptr)
        pFrame->OnUpdateFrameTitle(bAddToTitle);
    CDocument* pDocument = GetActiveDocument();
    if (bAddToTitle && (GetStyle() & FWS_ADDTOTITLE) && pDocument != nullptr)
    {
        AfxSetWindowText(m_hWnd, DocumentTitleWithNumber(pDocument->GetTitle()));
        // The client wrote the child's entry in the Window menu with the title it had then,
        // which for a new document's window is none yet.
        ::SendMessage(::GetParent(m_hWnd), WM_MDIREFRESHMENU, 0, 0);
    }
}
