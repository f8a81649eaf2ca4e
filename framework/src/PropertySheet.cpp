#include <afxdlgs.h>
#include <afxpriv.h>

#include <vector>

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

namespace
{
// The system makes the page's dialog right after this call: the object is attached to it
// before its first message.
UINT CALLBACK PageCallback(HWND, UINT uMsg, LPPROPSHEETPAGE ppsp)
{
    if (uMsg == PSPCB_CREATE)
        AfxHookWindowCreate(reinterpret_cast<CPropertyPage*>(ppsp->lParam));
    return TRUE;
}
} // namespace

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CDialog(nIDTemplate)
{
    InitPage(nIDCaption);
}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption) : CDialog(lpszTemplateName)
{
    InitPage(nIDCaption);
}

void CPropertyPage::InitPage(UINT nIDCaption)
{
    m_bFirstSetActive = TRUE;
    m_psp = PROPSHEETPAGE{};
    m_psp.dwSize = sizeof(m_psp);
    m_psp.dwFlags = PSP_USECALLBACK;
    m_psp.hInstance = AfxGetResourceHandle();
    m_psp.pszTemplate = m_lpszTemplateName;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    m_psp.pfnCallback = &PageCallback;
    // Without a dialog procedure the system sends a page no WM_INITDIALOG.
    m_psp.pfnDlgProc = &AfxDlgProc;
    if (nIDCaption != 0 && m_strCaption.LoadString(nIDCaption))
    {
        m_psp.pszTitle = m_strCaption;
        m_psp.dwFlags |= PSP_USETITLE;
    }
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    ::SendMessage(::GetParent(m_hWnd), bChanged ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CPropertyPage::CancelToClose()
{
    ::SendMessage(::GetParent(m_hWnd), PSM_CANCELTOCLOSE, 0, 0);
}

BOOL CPropertyPage::OnSetActive()
{
    // OnInitDialog has loaded the data for the first showing.
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

LRESULT CPropertyPage::OnWizardBack()
{
    return 0;
}

LRESULT CPropertyPage::OnWizardNext()
{
    return 0;
}

BOOL CPropertyPage::OnWizardFinish()
{
    return TRUE;
}

void CPropertyPage::OnOK()
{
}

void CPropertyPage::OnCancel()
{
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* pNMHDR = reinterpret_cast<const NMHDR*>(lParam);
    if (pNMHDR->hwndFrom != ::GetParent(m_hWnd))
        return CDialog::OnNotify(wParam, lParam, pResult);
    switch (pNMHDR->code)
    {
    case PSN_SETACTIVE:
        *pResult = OnSetActive() ? 0 : -1;
        return TRUE;
    case PSN_KILLACTIVE:
        *pResult = !OnKillActive();
        return TRUE;
    case PSN_APPLY:
        *pResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        return TRUE;
    case PSN_RESET:
        OnReset();
        return TRUE;
    case PSN_QUERYCANCEL:
        *pResult = !OnQueryCancel();
        return TRUE;
    case PSN_WIZBACK:
        *pResult = OnWizardBack();
        return TRUE;
    case PSN_WIZNEXT:
        *pResult = OnWizardNext();
        return TRUE;
    case PSN_WIZFINISH:
        *pResult = !OnWizardFinish();
        return TRUE;
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
}

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet()
{
    CommonConstruct(nullptr, 0);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption.LoadString(nIDCaption);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage) : m_strCaption(pszCaption)
{
    CommonConstruct(pParentWnd, iSelectPage);
}

void CPropertySheet::CommonConstruct(CWnd* pParentWnd, UINT iSelectPage)
{
    m_psh = PROPSHEETHEADER{};
    m_psh.dwSize = sizeof(m_psh);
    m_psh.nStartPage = iSelectPage;
    m_pParentWnd = pParentWnd;
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    m_pages.Add(pPage);
    if (m_hWnd == nullptr)
        return;
    const HPROPSHEETPAGE hPage = ::CreatePropertySheetPage(&pPage->m_psp);
    if (hPage == nullptr || !SendMessage(PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(hPage)))
    {
        if (hPage != nullptr)
            ::DestroyPropertySheetPage(hPage);
        m_pages.RemoveAt(m_pages.GetUpperBound());
        AfxThrowMemoryException();
    }
}

int CPropertySheet::GetPageCount() const
{
    return static_cast<int>(m_pages.GetSize());
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return static_cast<CPropertyPage*>(m_pages.GetAt(nPage));
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const
{
    for (int i = 0; i < GetPageCount(); ++i)
        if (GetPage(i) == pPage)
            return i;
    return -1;
}

int CPropertySheet::GetActiveIndex() const
{
    if (m_hWnd == nullptr)
        return static_cast<int>(m_psh.nStartPage);
    const HWND hWndPage = reinterpret_cast<HWND>(::SendMessage(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0));
    for (int i = 0; i < GetPageCount(); ++i)
        if (GetPage(i)->m_hWnd == hWndPage)
            return i;
    return -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    const int nPage = GetActiveIndex();
    return nPage >= 0 && nPage < GetPageCount() ? GetPage(nPage) : nullptr;
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (m_hWnd == nullptr)
    {
        m_psh.nStartPage = nPage;
        return TRUE;
    }
    return SendMessage(PSM_SETCURSEL, nPage, 0) != 0;
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage)
{
    const int nPage = GetPageIndex(pPage);
    return nPage >= 0 && SetActivePage(nPage);
}

void CPropertySheet::SetWizardMode()
{
    m_psh.dwFlags |= PSH_WIZARD;
}

void CPropertySheet::SetWizardButtons(DWORD dwFlags)
{
    PostMessage(PSM_SETWIZBUTTONS, 0, dwFlags);
}

void CPropertySheet::PressButton(int nButton)
{
    PostMessage(PSM_PRESSBUTTON, nButton, 0);
}

BOOL CPropertySheet::CreateSheet(HWND hWndParent)
{
    if (!AfxDeferRegisterClass(AFX_WNDCOMMCTLS_REG))
        return FALSE;
    std::vector<HPROPSHEETPAGE> pages;
    for (int i = 0; i < GetPageCount(); ++i)
    {
        const HPROPSHEETPAGE hPage = ::CreatePropertySheetPage(&GetPage(i)->m_psp);
        if (hPage == nullptr)
        {
            for (HPROPSHEETPAGE hMade : pages)
                ::DestroyPropertySheetPage(hMade);
            return FALSE;
        }
        pages.push_back(hPage);
    }
    m_psh.dwFlags |= PSH_MODELESS;
    m_psh.hwndParent = hWndParent;
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.pszCaption = m_strCaption;
    m_psh.nPages = static_cast<UINT>(pages.size());
    m_psh.phpage = pages.data();
    m_nFlags |= WF_CONTINUEMODAL;
    AfxHookWindowCreate(this);
    const INT_PTR nResult = ::PropertySheet(&m_psh);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    m_psh.phpage = nullptr;
    return nResult > 0 && m_hWnd != nullptr;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd)
{
    if (pParentWnd != nullptr)
        m_pParentWnd = pParentWnd;
    return CreateSheet(m_pParentWnd->GetSafeHwnd());
}

INT_PTR CPropertySheet::DoModal()
{
    CModalOwnerLock owner(m_pParentWnd);
    m_nModalResult = -1;
    if (CreateSheet(owner.Owner()))
    {
        RunModalLoop(MLF_SHOWONIDLE);
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    owner.Release(m_hWnd);
    DestroyWindow();
    return m_nModalResult;
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM)
{
    return OnInitDialog();
}

BOOL CPropertySheet::OnInitDialog()
{
    // The system's own initialisation makes the pages.
    return static_cast<BOOL>(Default());
}

BOOL CPropertySheet::ContinueModal()
{
    return CWnd::ContinueModal() && SendMessage(PSM_GETCURRENTPAGEHWND) != 0;
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // The push button that ends the sheet gives DoModal its result.
    const HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    if (hWndCtrl != nullptr && HIWORD(wParam) == BN_CLICKED &&
        (::SendMessage(hWndCtrl, WM_GETDLGCODE, 0, 0) & (DLGC_BUTTON | DLGC_DEFPUSHBUTTON)))
    {
        const LONG lStyle = ::GetWindowLong(hWndCtrl, GWL_STYLE) & BS_TYPEMASK;
        if (lStyle == BS_PUSHBUTTON || lStyle == BS_DEFPUSHBUTTON || lStyle == BS_USERBUTTON || lStyle == BS_OWNERDRAW)
            m_nModalResult = LOWORD(wParam);
    }
    return CWnd::OnCommand(wParam, lParam);
}
