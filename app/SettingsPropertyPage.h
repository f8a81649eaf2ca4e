// What the two settings pages share: a change marks the page modified, leaving the page applies
// it, and a failed apply shows its message and keeps the page open and modified.
#pragma once

#include <afxdlgs.h>

class CSettingsPropertyPage : public CPropertyPage
{
    DECLARE_DYNAMIC(CSettingsPropertyPage)
public:
    BOOL OnKillActive() override;
    // Checks the entries, takes over a modified page's ones, then writes them (OnOK). A failure
    // shows its message with the exclamation icon and answers FALSE.
    BOOL OnApply() override;

protected:
    CSettingsPropertyPage(UINT nIDTemplate, LPCTSTR lpszApplyFunction);

    // The checks of every apply, modified or not, and what a modified page does before it is
    // written; a refused entry throws a CLumiter5Exception.
    virtual void CheckEntries()
    {
    }
    virtual void ApplyChanges()
    {
    }

    // Tells the sheet that the page changed.
    void MarkModified();
    // Setting the controls' first texts is no change of the user's.
    void ForgetInitialChanges();

    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    BOOL m_bModified = FALSE;

private:
    LPCTSTR m_lpszApplyFunction; // named by the message of a failure that is no exception
};
