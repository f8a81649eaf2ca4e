#include <app/InfoPropertySheet.h>

#include <afxpriv.h>

BEGIN_MESSAGE_MAP(CInfoPropertySheet, CPropertySheet)
ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

CInfoPropertySheet::CInfoPropertySheet() : CPropertySheet(IDS_INFO_WIZARD)
{
    CWizardPage* const pages[] = {&m_customerPage, &m_zolPage, &m_sapPage, &m_machinePage};
    for (CWizardPage* pPage : pages)
    {
        AddPage(pPage);
        pPage->m_bFirstPage = pPage == pages[0];
        pPage->m_bLastPage = pPage == pages[_countof(pages) - 1];
    }
    SetWizardMode();
}

INT_PTR CInfoPropertySheet::DoModal()
{
    // The last button pressed may be a Finish that a page refused before the sheet was closed
    // through its system menu.
    const bool bFinished = CPropertySheet::DoModal() == ID_WIZFINISH &&
                           (m_customerPage.IsFinished() || m_zolPage.IsFinished() || m_sapPage.IsFinished() ||
                            m_machinePage.IsFinished());
    return bFinished ? ID_WIZFINISH : IDCANCEL;
}

BOOL CInfoPropertySheet::OnInitDialog()
{
    const BOOL bResult = CPropertySheet::OnInitDialog();
    if (CWnd* pHelp = GetDlgItem(IDHELP))
    {
        pHelp->EnableWindow(FALSE);
        pHelp->ShowWindow(SW_HIDE);
    }
    return bResult;
}

LRESULT CInfoPropertySheet::OnKickIdle(WPARAM, LPARAM)
{
    UpdateDialogControls(this, FALSE);
    SendMessageToDescendants(WM_IDLEUPDATECMDUI, 0, 0, TRUE, TRUE);
    return 0;
}
