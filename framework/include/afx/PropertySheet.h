// Property sheets and their pages, on the system's property sheet control. The sheet is made
// modeless; DoModal runs its own modal loop with the owner disabled until the sheet has no
// current page (OK, Cancel or Finish). Pages get the sheet's PSN_ notifications as virtual
// calls: a page leaves through OnKillActive (UpdateData(TRUE)) and is entered again through
// OnSetActive (UpdateData(FALSE)).
#pragma once

#include <afxcoll.h>

#include <prsht.h>

// The sheet's own buttons.
#define ID_APPLY_NOW 0x3021
#define ID_WIZBACK 0x3023
#define ID_WIZNEXT 0x3024
#define ID_WIZFINISH 0x3025

class CPropertySheet;

class CPropertyPage : public CDialog
{
    DECLARE_DYNAMIC(CPropertyPage)
public:
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

    // The page's record for the system; the sheet makes the page from it.
    PROPSHEETPAGE m_psp;

    // Marks the page changed (enabling Apply) or unchanged.
    void SetModified(BOOL bChanged = TRUE);
    // Renames Cancel to Close once changes cannot be undone.
    void CancelToClose();

    // FALSE keeps the page from being shown. Shown again, the page loads its data.
    virtual BOOL OnSetActive();
    // FALSE keeps the page: its data did not validate.
    virtual BOOL OnKillActive();
    // OK or Apply: FALSE keeps the sheet open on this page. The default calls OnOK.
    virtual BOOL OnApply();
    // Cancel: the default calls OnCancel.
    virtual void OnReset();
    virtual BOOL OnQueryCancel();
    // Wizards: 0 goes to the next or previous page, -1 stays, a template id goes there.
    virtual LRESULT OnWizardBack();
    virtual LRESULT OnWizardNext();
    // FALSE keeps the wizard open.
    virtual BOOL OnWizardFinish();

protected:
    // Pages end with their sheet: OK and Cancel only report.
    void OnOK() override;
    void OnCancel() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    BOOL m_bFirstSetActive;

private:
    void InitPage(UINT nIDCaption);
    CString m_strCaption;
};

class CPropertySheet : public CWnd
{
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    // The header given to the system; the pages are added when the sheet is made.
    PROPSHEETHEADER m_psh;

    // Pages belong to the caller and must live as long as the sheet.
    void AddPage(CPropertyPage* pPage);
    int GetPageCount() const;
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(CPropertyPage* pPage) const;
    // Before the sheet exists: the page it starts with.
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);

    // Wizard mode: Back, Next and Finish instead of OK, Cancel and Apply.
    void SetWizardMode();
    // PSWIZB_ flags; posted, as the pages call it from OnSetActive.
    void SetWizardButtons(DWORD dwFlags);
    // PSBTN_ buttons, posted to the sheet.
    void PressButton(int nButton);

    // ID_WIZFINISH, IDOK or IDCANCEL: the button that ended the sheet; -1 on failure.
    virtual INT_PTR DoModal();
    // Modeless; FALSE when the sheet could not be made.
    virtual BOOL Create(CWnd* pParentWnd = nullptr);

    virtual BOOL OnInitDialog();
    // Ends the modal loop once the sheet has no current page.
    BOOL ContinueModal() override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    CPtrArray m_pages;
    CWnd* m_pParentWnd;
    CString m_strCaption;

    DECLARE_MESSAGE_MAP()

private:
    void CommonConstruct(CWnd* pParentWnd, UINT iSelectPage);
    // Makes the modeless sheet with its pages, attached to this object.
    BOOL CreateSheet(HWND hWndParent);
};
