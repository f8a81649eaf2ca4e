// Dialog boxes from dialog templates: modal (DoModal runs the window's own modal loop with the
// owner disabled) and modeless (Create). Commands IDOK and IDCANCEL end the dialog; OnOK
// first takes the controls' data through UpdateData(TRUE) and stays open when it fails.
#pragma once

class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Modeless: FALSE when the template is missing or the dialog ended while initialising.
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    // The result given to EndDialog; -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    // Called for WM_INITDIALOG: fills the controls from the template's initialisation data
    // and the members (UpdateData(FALSE)). TRUE lets the system focus the first control.
    virtual BOOL OnInitDialog();

    // Focus moves as with Tab, Shift+Tab, or to the control (selecting an edit's text).
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID);
    // HIWORD is DC_HASDEFID when there is a default push button.
    DWORD GetDefID() const;
    void MapDialogRect(LPRECT lpRect) const;

    // Keyboard and mouse input go through IsDialogMessage: Tab, arrows, Enter and Esc.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    virtual void OnOK();
    virtual void OnCancel();

    LPCTSTR m_lpszTemplateName;
    UINT m_nIDHelp;
    CWnd* m_pParentWnd;

    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

// For modal windows of the framework: disables the owner that GetSafeOwner finds (and the
// top-level window above it) while the modal window runs; Release gives the input back and
// the activation to the owner before the modal window is destroyed.
class CModalOwnerLock
{
public:
    explicit CModalOwnerLock(CWnd* pParentWnd);
    ~CModalOwnerLock();
    CModalOwnerLock(const CModalOwnerLock&) = delete;
    CModalOwnerLock& operator=(const CModalOwnerLock&) = delete;

    HWND Owner() const
    {
        return m_hWndParent;
    }
    void Release(HWND hWndModal);

private:
    HWND m_hWndParent;
    HWND m_hWndTop;
    bool m_bEnableParent;
};
