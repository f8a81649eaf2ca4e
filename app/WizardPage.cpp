#include <app/WizardPage.h>

#include <app/EntryChecks.h>

IMPLEMENT_DYNAMIC(CWizardPage, CPropertyPage)

CWizardPage::CWizardPage(UINT nIDTemplate, LPCTSTR lpszClassName)
    : CPropertyPage(nIDTemplate), m_lpszClassName(lpszClassName)
{
}

BOOL CWizardPage::OnSetActive()
{
    UpdateWizardButtons();
    return CPropertyPage::OnSetActive();
}

void CWizardPage::UpdateWizardButtons()
{
    DWORD dwButtons = 0;
    if (m_bFirstPage && m_bLastPage)
        dwButtons = PSWIZB_FINISH;
    else if (m_bFirstPage)
        dwButtons = PSWIZB_NEXT;
    else if (m_bLastPage)
        dwButtons = PSWIZB_BACK | PSWIZB_FINISH;
    else
        dwButtons = PSWIZB_BACK | PSWIZB_NEXT;
    ::PostMessage(::GetParent(m_hWnd), PSM_SETWIZBUTTONS, 0, dwButtons);
}

LRESULT CWizardPage::OnWizardNext()
{
    if (!Leave(_T("OnWizardNext")))
        return -1;
    return CPropertyPage::OnWizardNext();
}

BOOL CWizardPage::OnWizardFinish()
{
    if (!Leave(_T("OnWizardFinish")))
        return FALSE;
    m_bFinished = CPropertyPage::OnWizardFinish();
    return m_bFinished;
}

BOOL CWizardPage::Leave(LPCTSTR lpszOperation)
{
    CString strFunction;
    strFunction.Format(_T("%s::%s"), m_lpszClassName, lpszOperation);
    const auto failure = TrapFailure(strFunction, [this] { LeaveForward(); }, EntryFailureText);
    if (!failure)
        return TRUE;
    ShowStop(*failure);
    OnLeaveFailed();
    return FALSE;
}
