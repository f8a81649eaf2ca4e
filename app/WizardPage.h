// What every page of the information wizard shares: its place among the pages, which sets the
// wizard's buttons, and leaving it forward, whose failure shows its message and keeps the page.
#pragma once

#include <afxdlgs.h>

class CWizardPage : public CPropertyPage
{
    DECLARE_DYNAMIC(CWizardPage)
public:
    // The sheet sets both once it has added its pages.
    BOOL m_bFirstPage = TRUE;
    BOOL m_bLastPage = TRUE;

    BOOL OnSetActive() override;
    // Next and Finish run the page's leaving steps first; a failure answers -1 (stay) or FALSE.
    LRESULT OnWizardNext() override;
    BOOL OnWizardFinish() override;

    // Posts the buttons that the page's place gives to the sheet: Back except on the first
    // page, Finish on the last one and Next on the others.
    void UpdateWizardButtons();

    // The user finished the wizard on this page.
    BOOL IsFinished() const
    {
        return m_bFinished;
    }

protected:
    // The class name that names the handler in the message of a failure that is no exception.
    CWizardPage(UINT nIDTemplate, LPCTSTR lpszClassName);

    // Checks the entries and keeps them; a refused entry throws a CLumiter5Exception.
    virtual void LeaveForward() = 0;
    // After a failure has been shown.
    virtual void OnLeaveFailed()
    {
    }

private:
    LPCTSTR m_lpszClassName;
    BOOL m_bFinished = FALSE;

    // Runs LeaveForward under the handlers' guard; FALSE when it failed, once it is shown.
    BOOL Leave(LPCTSTR lpszOperation);
};
