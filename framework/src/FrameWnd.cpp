// CFrameWnd: creation from resources, layout, command routing and updates, title and
// activation of the view.
#include <afxpriv.h>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

namespace
{
// Handlers can ask which frame routes the current command; nested routing restores it.
class CPushRoutingFrame
{
public:
    explicit CPushRoutingFrame(CFrameWnd* pFrame) : m_pOld(AfxGetThreadState()->m_pRoutingFrame)
    {
        AfxGetThreadState()->m_pRoutingFrame = pFrame;
    }
    ~CPushRoutingFrame()
    {
        AfxGetThreadState()->m_pRoutingFrame = m_pOld;
    }
    CPushRoutingFrame(const CPushRoutingFrame&) = delete;
    CPushRoutingFrame& operator=(const CPushRoutingFrame&) = delete;

private:
    CFrameWnd* m_pOld;
};

} // namespace

void AFXAPI AfxSetWindowText(HWND hWndCtrl, LPCTSTR lpszNew)
{
    const int nNewLen = lstrlen(lpszNew);
    CString strOld;
    const int nOldLen = ::GetWindowTextLength(hWndCtrl);
    if (nOldLen == nNewLen)
    {
        CWnd::FromHandle(hWndCtrl)->GetWindowText(strOld);
        if (strOld == lpszNew)
            return;
    }
    ::SetWindowText(hWndCtrl, lpszNew);
}

BOOL AFXAPI AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString, TCHAR chSep)
{
    rString.Empty();
    if (lpszFullString == nullptr)
        return FALSE;
    for (; iSubString > 0; --iSubString)
    {
        lpszFullString = _tcschr(lpszFullString, chSep);
        if (lpszFullString == nullptr)
            return FALSE;
        ++lpszFullString;
    }
    LPCTSTR lpchEnd = _tcschr(lpszFullString, chSep);
    const int nLen = lpchEnd == nullptr ? lstrlen(lpszFullString) : static_cast<int>(lpchEnd - lpszFullString);
    rString = CString(lpszFullString, nLen);
    return TRUE;
}

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_CLOSE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_ACTIVATE()
ON_WM_ENABLE()
ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)
ON_WM_INITMENUPOPUP()
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
ON_UPDATE_COMMAND_UI_RANGE(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, OnUpdateControlBarMenu)
ON_COMMAND_EX_RANGE(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, OnBarCheck)
ON_UPDATE_COMMAND_UI_RANGE(ID_INDICATOR_CAPS, ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnToolTipText)
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd()
    : m_nIdleFlags(0), m_nWindow(-1), m_bAutoMenuEnable(TRUE), m_hAccelTable(nullptr), m_hMenuDefault(nullptr),
      m_nIDHelp(0), m_pFloatingFrameClass(RUNTIME_CLASS(CMiniDockFrameWnd)), m_bHelpMode(FALSE), m_pViewActive(nullptr),
      m_rectBorder(0, 0, 0, 0)
{
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                       LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU hMenu = nullptr;
    if (lpszMenuName != nullptr)
    {
        hMenu = ::LoadMenu(AfxGetResourceHandle(), lpszMenuName);
        if (hMenu == nullptr)
        {
            PostNcDestroy();
            return FALSE;
        }
    }
    m_strTitle = lpszWindowName;
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), hMenu, pContext))
    {
        if (hMenu != nullptr)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    LPCTSTR lpszClass = LoadTitleAndIconClass(nIDResource);
    const CString strTitle = m_strTitle;
    if (!Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, pParentWnd, MAKEINTRESOURCE(nIDResource), 0,
                pContext))
        return FALSE;
    m_hMenuDefault = ::GetMenu(m_hWnd);
    LoadAccelTable(MAKEINTRESOURCE(nIDResource));
    if (pContext == nullptr)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

LPCTSTR CFrameWnd::LoadTitleAndIconClass(UINT nIDResource)
{
    m_nIDHelp = nIDResource;
    CString strFullString;
    if (strFullString.LoadString(nIDResource))
        AfxExtractSubString(m_strTitle, strFullString, 0);
    // The resource's icon needs a class of its own.
    HICON hIcon = ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
    if (hIcon == nullptr)
        return nullptr;
    return AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1),
                               hIcon);
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName)
{
    m_hAccelTable = ::LoadAccelerators(AfxGetResourceHandle(), lpszResourceName);
    return m_hAccelTable != nullptr;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
    {
        AfxDeferRegisterClass(AFX_WNDFRAMEORVIEW_REG);
        cs.lpszClass = _afxWndFrameOrView;
    }
    // The document's name comes first, as the shell's convention has it.
    if (cs.style & FWS_ADDTOTITLE)
        cs.style |= FWS_PREFIXTITLE;
    return CWnd::PreCreateWindow(cs);
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return OnCreateHelper(lpCreateStruct, static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams));
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    if (CWnd::OnCreate(lpcs) == -1 || !OnCreateClient(lpcs, pContext))
        return -1;
    // The status bar shows the idle prompt once the frame is up.
    PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext != nullptr && pContext->m_pNewViewClass != nullptr)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    CWnd* pView = dynamic_cast<CWnd*>(pObject);
    if (pView == nullptr)
    {
        delete pObject;
        return nullptr;
    }
    // A view that fails deletes itself through PostNcDestroy.
    if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, nID, pContext))
        return nullptr;
    return pView;
}

BOOL CFrameWnd::IsFrameWnd() const
{
    return TRUE;
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

void CFrameWnd::RecalcLayout(BOOL)
{
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
}

BOOL CFrameWnd::NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder)
{
    switch (nBorderCmd)
    {
    case borderGet:
        if (lpRectBorder == nullptr)
            return FALSE;
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, lpRectBorder);
        return TRUE;
    case borderRequest: {
        if (lpRectBorder == nullptr)
            return TRUE;
        CRect rectFree;
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rectFree);
        return lpRectBorder->left >= 0 && lpRectBorder->top >= 0 && lpRectBorder->right >= 0 &&
               lpRectBorder->bottom >= 0 && lpRectBorder->left + lpRectBorder->right <= rectFree.Width() &&
               lpRectBorder->top + lpRectBorder->bottom <= rectFree.Height();
    }
    case borderSet: {
        const CRect rectNew = lpRectBorder != nullptr ? CRect(lpRectBorder) : CRect(0, 0, 0, 0);
        if (rectNew != m_rectBorder)
        {
            m_rectBorder = rectNew;
            RecalcLayout();
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}

void CFrameWnd::DelayRecalcLayout(BOOL bNotify)
{
    m_nIdleFlags |= idleLayout | (bNotify ? idleNotify : 0);
}

void CFrameWnd::DelayUpdateFrameTitle()
{
    m_nIdleFlags |= idleTitle;
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (m_nIdleFlags & idleMenu)
        if (CFrameWnd* pFrame = GetTopLevelFrame())
            pFrame->DrawMenuBar();
    if (m_nIdleFlags & idleTitle)
        OnUpdateFrameTitle(TRUE);
    if (m_nIdleFlags & idleLayout)
        RecalcLayout(m_nIdleFlags & idleNotify);
    m_nIdleFlags = 0;
    return 0;
}

CView* CFrameWnd::GetActiveView() const
{
    return m_pViewActive;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    // Set first: the old view's OnActivateView may ask for the active view.
    m_pViewActive = nullptr;
    if (bNotify && pViewOld != nullptr)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    m_pViewActive = pViewNew;
    if (bNotify && pViewNew != nullptr)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* pView = GetActiveView();
    return pView != nullptr ? pView->GetDocument() : nullptr;
}

CFrameWnd* CFrameWnd::GetActiveFrame()
{
    return this;
}

void CFrameWnd::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle;
}

CString CFrameWnd::GetTitle() const
{
    return m_strTitle;
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CDocument* pDocument = GetActiveDocument();
    if (bAddToTitle && pDocument != nullptr)
        UpdateFrameTitleForDocument(pDocument->GetTitle());
    else
        UpdateFrameTitleForDocument(nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName)
{
    CString strText;
    if (lpszDocName == nullptr)
        strText = m_strTitle;
    else
    {
        const CString strDoc = DocumentTitleWithNumber(lpszDocName);
        if (GetStyle() & FWS_PREFIXTITLE)
            strText = strDoc + _T(" - ") + m_strTitle;
        else
            strText = m_strTitle + _T(" - ") + strDoc;
    }
    AfxSetWindowText(m_hWnd, strText);
}

CString CFrameWnd::DocumentTitleWithNumber(LPCTSTR lpszDocName) const
{
    CString strDoc = lpszDocName;
    if (m_nWindow > 0)
    {
        CString strNumber;
        strNumber.Format(_T(":%d"), m_nWindow);
        strDoc += strNumber;
    }
    return strDoc;
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, nID);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    CWnd* pBar = GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
    if (pBar == nullptr)
        return 0;
    // lParam is the text itself; else wParam names a string resource.
    CString strText;
    LPCTSTR lpszText = reinterpret_cast<LPCTSTR>(lParam);
    if (lpszText == nullptr && wParam != 0)
    {
        strText.LoadString(static_cast<UINT>(wParam));
        lpszText = strText;
    }
    // A command's string is "prompt\ntip": the status bar shows the prompt.
    CString strPrompt;
    AfxExtractSubString(strPrompt, lpszText, 0);
    pBar->SetWindowText(strPrompt);
    return 0;
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    static const UINT keys[] = {VK_CAPITAL, VK_NUMLOCK, VK_SCROLL};
    // The pane keeps its text; a key that is off only disables it.
    pCmdUI->Enable(::GetKeyState(keys[pCmdUI->m_nID - ID_INDICATOR_CAPS]) & 1);
}

BOOL CFrameWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pTTT = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
    UINT_PTR nID = pNMHDR->idFrom;
    if (pTTT->uFlags & TTF_IDISHWND)
        nID = static_cast<UINT_PTR>(::GetDlgCtrlID(reinterpret_cast<HWND>(nID)));
    // A command's string is "prompt\ntip": the tip is the part after the line break.
    CString strFull;
    CString strTip;
    if (nID != 0 && nID <= 0xFFFF && strFull.LoadString(static_cast<UINT>(nID)))
        AfxExtractSubString(strTip, strFull, 1);
    lstrcpyn(pTTT->szText, strTip, _countof(pTTT->szText));
    *pResult = 0;
    // Tips above the others.
    ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0,
                   SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE | SWP_NOOWNERZORDER);
    return TRUE;
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
    {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1)
    {
        ShowWindow(nCmdShow);
        BringWindowToTop();
    }
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* pView = GetActiveView();
    if (pView == nullptr)
    {
        // The pane becomes the active view.
        pView = dynamic_cast<CView*>(GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE));
        if (pView != nullptr)
            SetActiveView(pView, FALSE);
    }
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    if (bMakeVisible)
    {
        ActivateFrame();
        if (pView != nullptr)
            pView->OnActivateView(TRUE, pView, pView);
    }
    if (pDoc != nullptr)
        pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

HACCEL CFrameWnd::GetDefaultAccelerator()
{
    return m_hAccelTable;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return CWnd::PreTranslateMessage(pMsg);
    const HACCEL hAccel = GetDefaultAccelerator();
    return hAccel != nullptr && ::TranslateAccelerator(m_hWnd, hAccel, pMsg);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CPushRoutingFrame push(this);
    CView* pView = GetActiveView();
    if (pView != nullptr && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    if (!bSysMenu)
        AfxUpdateMenuCmdUI(pPopupMenu, this, m_bAutoMenuEnable);
}

void CFrameWnd::OnClose()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == this)
    {
        // The main window takes every document with it.
        pApp->CloseAllDocuments(FALSE);
        if (pApp->m_pMainWnd == nullptr)
            return;
    }
    // Asked only now: closing the documents may have taken the active one.
    CDocument* pDocument = GetActiveDocument();
    if (pDocument != nullptr && pDocument->m_bAutoDelete)
    {
        // The document closes with its last frame, and takes that frame with it.
        BOOL bOtherFrame = FALSE;
        POSITION pos = pDocument->GetFirstViewPosition();
        while (pos != nullptr && !bOtherFrame)
        {
            CView* pView = pDocument->GetNextView(pos);
            bOtherFrame = pView->GetParentFrame() != this;
        }
        if (!bOtherFrame)
        {
            pDocument->OnCloseDocument();
            return;
        }
        pDocument->PreCloseFrame(this);
    }
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    DestroyDockBars();
    // The menu bar may be a shared one: the window destroys its own default menu instead.
    // A child has no menu bar and destroys its menu itself.
    if (m_hMenuDefault != nullptr && ::GetMenu(m_hWnd) != m_hMenuDefault)
    {
        if (GetStyle() & WS_CHILD)
            ::DestroyMenu(m_hMenuDefault);
        else
            ::SetMenu(m_hWnd, m_hMenuDefault);
    }
    CWnd::OnDestroy();
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive != nullptr)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}
