// A wizard page of text fields kept in one profile section: the fields come from the section,
// with their placeholders where nothing is stored, and go back to it, all of them, each time
// the user leaves the page forward with valid entries.
#pragma once

#include <app/WizardPage.h>

#include <vector>

class CProfileFormPage : public CWizardPage
{
    DECLARE_DYNAMIC(CProfileFormPage)
public:
    BOOL OnInitDialog() override;

    // Writes every field to the page's section, in the page's order.
    void SaveProfile();

protected:
    // A field: its profile value, its control, what it shows while nothing is stored (null for
    // nothing), the member that holds it, and whether the control is a list that selects the
    // field's text.
    struct Field
    {
        LPCTSTR lpszEntry;
        int nIDC;
        LPCTSTR lpszPlaceholder;
        CString* pValue;
        bool bList = false;
    };

    CProfileFormPage(UINT nIDTemplate, LPCTSTR lpszClassName, LPCTSTR lpszSection, std::vector<Field> fields);

    void DoDataExchange(CDataExchange* pDX) override;
    // Takes the entries from the controls, validates them and saves them.
    void LeaveForward() override;
    // The checks in their order; a refused entry throws with the focus on its control.
    virtual void Validate() = 0;
    // Before the controls get the fields.
    virtual void FillLists()
    {
    }

    // Refuses an empty field or one still holding its placeholder.
    void Require(int nIDC, const CString& strValue, LPCTSTR lpszMessage);

private:
    LPCTSTR m_lpszSection;
    std::vector<Field> m_fields;
};
