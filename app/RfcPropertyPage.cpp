#include <app/RfcPropertyPage.h>

#include <app/DataDirectory.h>
#include <app/EntryChecks.h>

#include <cstdlib>

namespace
{
struct RfcSetting
{
    CString CRfcPropertyPage::*pValue;
    LPCTSTR lpszEntry;
    int nDefault;
    int nIDC;
    LPCTSTR lpszMissing;
};

const RfcSetting kSettings[] = {
    {&CRfcPropertyPage::DsrInterval, _T("DsrInterval"), 15, IDC_DSR_INTERVAL, _T("Please enter DSR interval.")},
    {&CRfcPropertyPage::BiInterval, _T("BiInterval"), 15, IDC_BI_INTERVAL, _T("Please enter BI interval.")},
    {&CRfcPropertyPage::HostInterval, _T("HostInterval"), 1, IDC_HOST_INTERVAL, _T("Please enter host interval.")},
    {&CRfcPropertyPage::DatabaseInterval, _T("DatabaseInterval"), 20, IDC_DATABASE_INTERVAL,
     _T("Please enter database interval.")},
    {&CRfcPropertyPage::DialogStepInterval, _T("DialogStepInterval"), 15, IDC_DIALOG_STEP_INTERVAL,
     _T("Please enter dialog step interval.")},
    {&CRfcPropertyPage::BufferInterval, _T("BufferInterval"), 15, IDC_BUFFER_INTERVAL,
     _T("Please enter buffer interval.")},
    {&CRfcPropertyPage::DispatcherInterval, _T("DispatcherInterval"), 1, IDC_DISPATCHER_INTERVAL,
     _T("Please enter dispatcher interval.")},
    {&CRfcPropertyPage::WorkProcessInterval, _T("WorkProcessInterval"), 15, IDC_WORK_PROCESS_INTERVAL,
     _T("Please enter work process interval.")},
    {&CRfcPropertyPage::ReportInterval, _T("ReportInterval"), 5, IDC_REPORT_INTERVAL,
     _T("Please enter report interval.")},
    {&CRfcPropertyPage::ReportRowCount, _T("ReportRowCount"), 10000, IDC_REPORT_ROW_COUNT,
     _T("Please enter report row count.")},
    {&CRfcPropertyPage::TraceLevel, _T("TraceLevel"), 0, IDC_TRACE_LEVEL, _T("Please enter trace level.")},
};
} // namespace

BEGIN_MESSAGE_MAP(CRfcPropertyPage, CSettingsPropertyPage)
// The trace level has no change handler: changing only it does not enable Apply.
ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_DSR_INTERVAL, IDC_REPORT_ROW_COUNT, OnChangeSelection)
END_MESSAGE_MAP()

CRfcPropertyPage::CRfcPropertyPage() : CSettingsPropertyPage(IDD, _T("CRfcPropertyPage::OnApply"))
{
}

BOOL CRfcPropertyPage::OnInitDialog()
{
    CWinApp* pApp = AfxGetApp();
    for (const RfcSetting& setting : kSettings)
        (this->*setting.pValue)
            .Format(_T("%d"), pApp->GetProfileInt(kPropertiesSection, setting.lpszEntry, setting.nDefault));
    return CSettingsPropertyPage::OnInitDialog();
}

void CRfcPropertyPage::DoDataExchange(CDataExchange* pDX)
{
    CSettingsPropertyPage::DoDataExchange(pDX);
    for (const RfcSetting& setting : kSettings)
        DDX_CBString(pDX, setting.nIDC, this->*setting.pValue);
}

void CRfcPropertyPage::OnChangeSelection(UINT)
{
    MarkModified();
}

void CRfcPropertyPage::Validate()
{
    for (const RfcSetting& setting : kSettings)
        if ((this->*setting.pValue).IsEmpty())
            RefuseEntry(*this, setting.nIDC, setting.lpszMissing);
}

void CRfcPropertyPage::CheckEntries()
{
    Validate();
}

void CRfcPropertyPage::OnOK()
{
    CWinApp* pApp = AfxGetApp();
    for (const RfcSetting& setting : kSettings)
        pApp->WriteProfileInt(kPropertiesSection, setting.lpszEntry, _wtoi(this->*setting.pValue));
    CSettingsPropertyPage::OnOK();
}
