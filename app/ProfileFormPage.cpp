#include <app/ProfileFormPage.h>

#include <app/EntryChecks.h>

IMPLEMENT_DYNAMIC(CProfileFormPage, CWizardPage)

CProfileFormPage::CProfileFormPage(UINT nIDTemplate, LPCTSTR lpszClassName, LPCTSTR lpszSection,
                                   std::vector<Field> fields)
    : CWizardPage(nIDTemplate, lpszClassName), m_lpszSection(lpszSection), m_fields(std::move(fields))
{
}

BOOL CProfileFormPage::OnInitDialog()
{
    CWinApp* pApp = AfxGetApp();
    for (const Field& field : m_fields)
    {
        *field.pValue = pApp->GetProfileString(m_lpszSection, field.lpszEntry, _T(""));
        if (field.pValue->IsEmpty() && field.lpszPlaceholder != nullptr)
            *field.pValue = field.lpszPlaceholder;
    }
    FillLists();
    return CWizardPage::OnInitDialog();
}

void CProfileFormPage::DoDataExchange(CDataExchange* pDX)
{
    CWizardPage::DoDataExchange(pDX);
    for (const Field& field : m_fields)
    {
        if (field.bList)
            DDX_CBString(pDX, field.nIDC, *field.pValue);
        else
            DDX_Text(pDX, field.nIDC, *field.pValue);
    }
}

void CProfileFormPage::LeaveForward()
{
    SaveEntries(*this);
    Validate();
    SaveProfile();
}

void CProfileFormPage::SaveProfile()
{
    CWinApp* pApp = AfxGetApp();
    for (const Field& field : m_fields)
        pApp->WriteProfileString(m_lpszSection, field.lpszEntry, *field.pValue);
}

void CProfileFormPage::Require(int nIDC, const CString& strValue, LPCTSTR lpszMessage)
{
    if (strValue.IsEmpty() || strValue == kPlaceholder)
        RefuseEntry(*this, nIDC, lpszMessage);
}
