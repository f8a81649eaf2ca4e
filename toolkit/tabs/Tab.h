// One tab of a tab control: its label, its laid-out size, its selection and the object it
// stands for (in a tab window, the page).
#pragma once

#include <afxwin.h>

namespace tarnwick::tabs
{
class SECTab : public CObject
{
    DECLARE_DYNCREATE(SECTab)
public:
    SECTab() = default;

    // The label that callers asking about the tab get; the 3-D tab's full label.
    virtual const CString& GetFullLabel() const;
    // A new label from the caller (the 3-D tab keeps it as its full label too).
    virtual void SetLabel(const CString& label);

    CString m_csLabel;
    int m_nWidth = 0;
    int m_nHeight = 0;
    BOOL m_bSelected = FALSE;
    void* m_pClient = nullptr;
    DWORD m_dwUserData = 0;
    DWORD m_dwUserData2 = 0;
};
} // namespace tarnwick::tabs
