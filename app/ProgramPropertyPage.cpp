#include <app/ProgramPropertyPage.h>

#include <app/DataDirectory.h>
#include <app/EntryChecks.h>

namespace
{
constexpr int kMaxPath = 260;
}

BEGIN_MESSAGE_MAP(CProgramPropertyPage, CSettingsPropertyPage)
ON_EN_CHANGE(IDC_DATA_PATH, OnChangeDataPath)
END_MESSAGE_MAP()

CProgramPropertyPage::CProgramPropertyPage() : CSettingsPropertyPage(IDD, _T("CProgramPropertyPage::OnApply"))
{
}

BOOL CProgramPropertyPage::OnInitDialog()
{
    // A fresh profile gets its program path here as at a session's start, so that the data
    // path is never built from an empty one.
    if (const auto failure = TrapFailure(
            _T("CProgramPropertyPage::OnInitDialog"), [&] { ProgramPath = ProgramDirectory(); }, EntryFailureText))
        AfxMessageBox(*failure, MB_OK | MB_ICONEXCLAMATION);
    DataPath = AfxGetApp()->GetProfileString(kPropertiesSection, _T("DataPath"));
    if (DataPath.IsEmpty())
        DataPath = DefaultDataPath(ProgramPath);
    CSettingsPropertyPage::OnInitDialog();
    m_dataPathEdit.Initialize(IDC_DATA_PATH, this);
    ForgetInitialChanges();
    return TRUE;
}

void CProgramPropertyPage::DoDataExchange(CDataExchange* pDX)
{
    CSettingsPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_DATA_PATH, DataPath);
    DDV_MaxChars(pDX, DataPath, kMaxPath);
}

void CProgramPropertyPage::OnChangeDataPath()
{
    MarkModified();
}

void CProgramPropertyPage::ApplyChanges()
{
    if (DataPath.IsEmpty())
        RefuseEntry(*this, IDC_DATA_PATH, _T("Please enter path of data directory."));
    DataPath = DataDirectory(DataPath, ProgramPath);
    SetDlgItemText(IDC_DATA_PATH, DataPath);
    CreateDirectoryLevels(DataPath);
}

void CProgramPropertyPage::OnOK()
{
    AfxGetApp()->WriteProfileString(kPropertiesSection, _T("DataPath"), DataPath);
    CSettingsPropertyPage::OnOK();
}
