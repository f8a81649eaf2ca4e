#include <app/AboutDlg.h>

namespace
{
const COLORREF kLinkColor = 0xFF0000;
const COLORREF kVisitedColor = 0x7D7D00;

struct AboutLink
{
    UINT nID;
    SECHyperlink CAboutDlg::*pLink;
    LPCTSTR lpszText;
    LPCTSTR lpszTarget;
};

const AboutLink kLinks[] = {
    {IDC_WEBSITE_LINK, &CAboutDlg::m_websiteLink, _T("visit website"), _T("https://www.lumiter.example/")},
    {IDC_EMAIL_LINK, &CAboutDlg::m_emailLink, _T("email support"), _T("mailto:support@lumiter.example")},
};
} // namespace

CAboutDlg::CAboutDlg(CWnd* pParent) : CDialog(IDD, pParent)
{
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (const AboutLink& entry : kLinks)
    {
        SECHyperlink& link = this->*entry.pLink;
        ReplaceStatic(entry.nID, this, link);
        link.SetText(entry.lpszText);
        link.SetTarget(entry.lpszTarget);
        link.SetLinkColor(kLinkColor);
        link.SetVisitedColor(kVisitedColor);
        link.SetAutoSize(TRUE);
        // The dialog's own font, as the texts beside the links have.
        link.SetLinkFont(static_cast<HFONT>(GetFont()->GetSafeHandle()));
    }
    return TRUE;
}

HWND CAboutDlg::ReplaceStatic(UINT nID, CWnd* pDialog, SECHyperlink& link)
{
    if (pDialog == nullptr || !::IsWindow(pDialog->GetSafeHwnd()))
        return nullptr;
    const RECT rcEmpty = {};
    if (!link.Create(pDialog->m_hWnd, rcEmpty, nID, 0, WS_CHILD | WS_VISIBLE))
        return nullptr;
    // The link was made with the static's id, so look for the static behind it.
    HWND hStatic = nullptr;
    for (HWND hChild = ::GetWindow(pDialog->m_hWnd, GW_CHILD); hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        if (hChild != link.m_hWnd && ::GetDlgCtrlID(hChild) == static_cast<int>(nID))
            hStatic = hChild;
    if (hStatic == nullptr)
    {
        link.DestroyWindow();
        return nullptr;
    }
    const DWORD dwHelpId = ::GetWindowContextHelpId(hStatic);
    RECT rc;
    ::GetWindowRect(hStatic, &rc);
    ::MapWindowPoints(nullptr, pDialog->m_hWnd, reinterpret_cast<LPPOINT>(&rc), 2);
    link.SetWindowPos(hStatic, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                      SWP_SHOWWINDOW | SWP_NOACTIVATE);
    ::SetWindowContextHelpId(link.m_hWnd, dwHelpId);
    ::DestroyWindow(hStatic);
    return link.m_hWnd;
}
