#include <app/AddHostDialog.h>

#include <app/EntryChecks.h>

CAddHostDialog::CAddHostDialog(CWnd* pParent) : CDialog(IDD, pParent), HostName(kPlaceholder)
{
}

void CAddHostDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_NEW_HOST_NAME, HostName);
}

void CAddHostDialog::OnOK()
{
    RunOkSteps(_T("CAddHostDialog::OnOK"), [&] {
        SaveEntries(*this);
        CheckShortHostName(*this, IDC_NEW_HOST_NAME, HostName, _T("Please enter a host name."),
                           _T("Please do not enter an IP address or\n domain suffix for the host name."));
        EndDialog(IDOK);
    });
}
