#include <app/SettingsPropertyPage.h>

#include <app/EntryChecks.h>

#include <afxpriv.h>

IMPLEMENT_DYNAMIC(CSettingsPropertyPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CSettingsPropertyPage, CPropertyPage)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CSettingsPropertyPage::CSettingsPropertyPage(UINT nIDTemplate, LPCTSTR lpszApplyFunction)
    : CPropertyPage(nIDTemplate), m_lpszApplyFunction(lpszApplyFunction)
{
}

BOOL CSettingsPropertyPage::OnKillActive()
{
    if (!CPropertyPage::OnKillActive())
        return FALSE;
    return OnApply();
}

BOOL CSettingsPropertyPage::OnApply()
{
    try
    {
        CheckEntries();
        if (m_bModified)
        {
            ApplyChanges();
            SetModified(FALSE);
            m_bModified = FALSE;
        }
        return CPropertyPage::OnApply();
    }
    catch (CException* e)
    {
        const CString strText = EntryFailureText(e);
        e->Delete();
        AfxMessageBox(strText, MB_OK | MB_ICONEXCLAMATION);
    }
    catch (...)
    {
        ShowStop(LowLevelText(m_lpszApplyFunction));
    }
    return FALSE;
}

void CSettingsPropertyPage::MarkModified()
{
    SetModified(TRUE);
    m_bModified = TRUE;
}

void CSettingsPropertyPage::ForgetInitialChanges()
{
    SetModified(FALSE);
    m_bModified = FALSE;
}

LRESULT CSettingsPropertyPage::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    UpdateDialogControls(this, FALSE);
    return 0;
}
