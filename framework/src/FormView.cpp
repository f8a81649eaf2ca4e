// CFormView: a view from a dialog template.
#include <afxpriv.h>

IMPLEMENT_DYNAMIC(CFormView, CScrollView)

BEGIN_MESSAGE_MAP(CFormView, CScrollView)
ON_WM_CREATE()
END_MESSAGE_MAP()

CFormView::CFormView(UINT nIDTemplate) : CFormView(MAKEINTRESOURCE(nIDTemplate))
{
}

CFormView::CFormView(LPCTSTR lpszTemplateName) : m_lpszTemplateName(lpszTemplateName), m_pCreateContext(nullptr)
{
}

BOOL CFormView::Create(LPCTSTR, LPCTSTR, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                       CCreateContext* pContext)
{
    m_pCreateContext = pContext;
    const BOOL bCreated = CreateDlg(m_lpszTemplateName, pParentWnd);
    m_pCreateContext = nullptr;
    if (!bCreated)
        return FALSE;
    // The template's size is the form's scroll size.
    CRect rectTemplate;
    GetWindowRect(&rectTemplate);
    SetScrollSizes(MM_TEXT, rectTemplate.Size());
    SetDlgCtrlID(static_cast<int>(nID));
    ModifyStyle(0, dwStyle & (WS_BORDER | WS_HSCROLL | WS_VSCROLL | WS_TABSTOP | WS_GROUP | WS_CLIPSIBLINGS));
    ModifyStyleEx(0, WS_EX_CLIENTEDGE);
    SetWindowPos(nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (dwStyle & WS_VISIBLE)
        ShowWindow(SW_SHOWNORMAL);
    return TRUE;
}

int CFormView::OnCreate(LPCREATESTRUCT lpcs)
{
    lpcs->lpCreateParams = m_pCreateContext;
    return CScrollView::OnCreate(lpcs);
}

void CFormView::OnInitialUpdate()
{
    UpdateData(FALSE);
    CScrollView::OnInitialUpdate();
}

void CFormView::OnDraw(CDC*)
{
}

BOOL CFormView::PreTranslateMessage(MSG* pMsg)
{
    if (CScrollView::PreTranslateMessage(pMsg))
        return TRUE;
    // Keys go to the frame's accelerators first.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
        if (CFrameWnd* pFrame = GetParentFrame(); pFrame != nullptr && pFrame->PreTranslateMessage(pMsg))
            return TRUE;
    return ::IsDialogMessage(m_hWnd, pMsg);
}
