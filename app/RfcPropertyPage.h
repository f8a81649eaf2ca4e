// The settings page of the collection intervals in minutes, the records per report call and the
// RFC trace level. Its drop-down lists take their entries from the dialog's initialisation data.
#pragma once

#include <app/SettingsPropertyPage.h>
#include <app/resource.h>

class CRfcPropertyPage : public CSettingsPropertyPage
{
public:
    enum
    {
        IDD = IDD_RFC_PAGE
    };

    CRfcPropertyPage();

    // The values as their lists show them, in the order of the profile entries.
    CString DsrInterval;
    CString BiInterval;
    CString HostInterval;
    CString DatabaseInterval;
    CString DialogStepInterval;
    CString BufferInterval;
    CString DispatcherInterval;
    CString WorkProcessInterval;
    CString ReportInterval;
    CString ReportRowCount;
    CString TraceLevel;

    BOOL OnInitDialog() override;
    // Writes all eleven values.
    void OnOK() override;
    // The first list without a selection gets the focus and its message.
    void Validate();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Every apply validates: a list whose stored value matched no entry must not be written back
    // as 0.
    void CheckEntries() override;

    afx_msg void OnChangeSelection(UINT nID);
    DECLARE_MESSAGE_MAP()
};
