// SECDialogBar: a control bar made from a dialog template.
#include <toolkit/foundation/AuxData.h>
#include <toolkit/foundation/VisualStyle.h>
#include <toolkit/frames/DialogBar.h>

#include <afxpriv.h>

namespace tarnwick::frames
{
IMPLEMENT_DYNCREATE(SECDialogBar, SECControlBar)

BEGIN_MESSAGE_MAP(SECDialogBar, SECControlBar)
ON_MESSAGE(WM_INITDIALOG, OnInitDialog)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace
{
// The bar-style bits a dialog bar keeps of its style.
constexpr UINT DIALOGBAR_STYLE_MASK = 0x40FFFF;
// The colours of its background under the third visual style: the theme table's fill and
// the style table's frame.
constexpr int STYLE3_FILL = 2;
constexpr int STYLE3_FRAME = 26;
} // namespace

SECDialogBar::SECDialogBar()
    : m_sizeTemplate(0, 0), m_lpszTemplateName(nullptr), m_pOccDialogInfo(nullptr), m_lpszCreatingTemplate(nullptr)
{
}

SECDialogBar::~SECDialogBar()
{
    DestroyWindow();
}

BOOL SECDialogBar::Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, DWORD dwExStyle, UINT nID)
{
    m_dwStyle = nStyle & DIALOGBAR_STYLE_MASK;
    m_dwExStyle = dwExStyle;
    // The record only reaches PreCreateWindow: the window comes from the template.
    CREATESTRUCT cs{};
    cs.lpszClass = _afxWndControlBar;
    cs.style = static_cast<LONG>(nStyle | WS_CHILD);
    cs.hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID));
    cs.hInstance = AfxGetInstanceHandle();
    cs.hwndParent = pParentWnd->GetSafeHwnd();
    if (!PreCreateWindow(cs))
        return FALSE;
    if (!AfxDeferRegisterClass(AFX_WNDCONTROLBAR_REG))
        return FALSE;
    ::InitCommonControls();

    m_lpszTemplateName = lpszTemplateName;
    m_lpszCreatingTemplate = lpszTemplateName;
    const BOOL bCreated = CreateDlg(lpszTemplateName, pParentWnd);
    m_lpszCreatingTemplate = nullptr;
    if (!bCreated)
        return FALSE;
    SetDlgCtrlID(static_cast<int>(nID));
    CRect rect;
    GetWindowRect(&rect);
    m_sizeTemplate = rect.Size();
    ModifyStyle(WS_CAPTION, WS_CLIPSIBLINGS);
    if (!ExecuteDlgInit(lpszTemplateName))
        return FALSE;
    CollectChildRects();
    SetWindowPos(nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                     ((nStyle & WS_VISIBLE) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    m_szMRUFloat = m_szMRUHorzDock = m_szMRUVertDock = m_sizeTemplate;
    SetOwnerFrame(pParentWnd);
    return TRUE;
}

void SECDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

BOOL SECDialogBar::SetOccDialogInfo(void* pOccDialogInfo)
{
    m_pOccDialogInfo = pOccDialogInfo;
    return TRUE;
}

UINT SECDialogBar::GetTemplateID() const
{
    return IS_INTRESOURCE(m_lpszTemplateName) ? static_cast<UINT>(reinterpret_cast<UINT_PTR>(m_lpszTemplateName)) : 0;
}

LRESULT SECDialogBar::OnInitDialog(WPARAM, LPARAM)
{
    Default();
    return TRUE;
}

BOOL SECDialogBar::OnEraseBkgnd(CDC* pDC)
{
    if (!SECIsVisualStyle3())
        return SECControlBar::OnEraseBkgnd(pDC);
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(&rect, SECGetStyleColor2(STYLE3_FILL));
    CBrush brush(SECGetStyleColor(STYLE3_FRAME));
    pDC->FrameRect(&rect, &brush);
    return TRUE;
}
} // namespace tarnwick::frames
