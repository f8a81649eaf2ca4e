// A dialog's edit control with a "..." button at its right end that opens a chooser; the
// chosen value replaces the edit's text. Derived edits supply the chooser.
#pragma once

#include <afxwin.h>

namespace tarnwick::tabs
{
class SECBrowseButton;

class SECBrowseEditBase : public CEdit
{
    DECLARE_DYNAMIC(SECBrowseEditBase)
public:
    SECBrowseEditBase() = default;
    ~SECBrowseEditBase() override;

    // Subclasses the dialog's edit nID, narrows it and puts the button in the room made.
    virtual BOOL Initialize(UINT nID, CWnd* pDialog);
    // Opens the chooser; called by the button.
    virtual void OnBrowse() = 0;

    // The button's window is gone (it deleted itself).
    void ButtonDestroyed();

protected:
    CString m_strTitle; // the chooser's title

    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

private:
    SECBrowseButton* m_pButton = nullptr;
};
} // namespace tarnwick::tabs
