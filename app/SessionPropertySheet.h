// The program's settings: the data directory page and the interval page in one modal sheet.
#pragma once

#include <app/IdleUpdateSheet.h>
#include <app/ProgramPropertyPage.h>
#include <app/RfcPropertyPage.h>

class CSessionPropertySheet : public CIdleUpdateSheet
{
public:
    explicit CSessionPropertySheet(CWnd* pParentWnd = nullptr);

    CProgramPropertyPage m_programPage;
    CRfcPropertyPage m_rfcPage;

protected:
    // Apply takes over and applies the page on show only.
    afx_msg void OnApplyNow();
    DECLARE_MESSAGE_MAP()
};
