#include <app/SessionDialog.h>

#include <app/DataDirectory.h>
#include <app/EntryChecks.h>

namespace
{
constexpr int kMaxPath = 260;
}

CSessionDialog::CSessionDialog(CWnd* pParent) : CDialog(IDD, pParent)
{
}

BOOL CSessionDialog::OnInitDialog()
{
    SessionPath = AfxGetApp()->GetProfileString(kPropertiesSection, _T("SessionPath"));
    CDialog::OnInitDialog();
    m_sessionPathEdit.Initialize(IDC_SESSION_PATH, this);
    return TRUE;
}

void CSessionDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SESSION_PATH, SessionPath);
    DDV_MaxChars(pDX, SessionPath, kMaxPath);
}

void CSessionDialog::OnOK()
{
    RunOkSteps(_T("CSessionDialog::OnOK"), [&] {
        SaveEntries(*this);
        if (SessionPath.IsEmpty())
            RefuseEntry(*this, IDC_SESSION_PATH, _T("Please enter path of session directory."));
        if (SessionPath[SessionPath.GetLength() - 1] != _T('\\'))
            SessionPath += _T('\\');
        EndDialog(IDOK);
    });
}
