// The information wizard that a session runs before it starts: the customer, the sales
// representative, the SAP systems and the machines. It ends with ID_WIZFINISH only when the
// user finished it on the last page.
#pragma once

#include <app/CustomerPropertyPage.h>
#include <app/MachinePropertyPage.h>
#include <app/SapPropertyPage.h>
#include <app/ZOLPropertyPage.h>

class CInfoPropertySheet : public CPropertySheet
{
public:
    CInfoPropertySheet();

    // ID_WIZFINISH when the wizard was finished, IDCANCEL otherwise.
    INT_PTR DoModal() override;
    // Hides the Help button, which has no help behind it.
    BOOL OnInitDialog() override;

    CCustomerPropertyPage m_customerPage;
    CZOLPropertyPage m_zolPage;
    CSapPropertyPage m_sapPage;
    CMachinePropertyPage m_machinePage;

protected:
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()
};
