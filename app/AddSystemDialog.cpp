#include <app/AddSystemDialog.h>

#include <app/EntryChecks.h>
#include <app/HandlerGuard.h>
#include <app/Password.h>
#include <rfc/RfcConnection.h>
#include <rfc/RfcException.h>

namespace
{
const TCHAR kSection[] = _T("Logon");
// The password placeholder, which validation takes as no password.
const TCHAR kNoPassword[] = _T("??????");

// The profile entries in the order in which they are written.
struct LogonEntry
{
    CString CAddSystemDialog::*pMember;
    LPCTSTR lpszEntry;
    LPCTSTR lpszPlaceholder; // shown when nothing is stored
};
const LogonEntry kLogonEntries[] = {
    {&CAddSystemDialog::HostName, _T("HostName"), kPlaceholder},
    {&CAddSystemDialog::Domain, _T("Domain"), _T("")},
    {&CAddSystemDialog::SapRouter, _T("SapRouter"), _T("")},
    {&CAddSystemDialog::SystemNumber, _T("SystemNumber"), _T("00")},
    {&CAddSystemDialog::Client, _T("Client"), _T("000")},
    {&CAddSystemDialog::User, _T("User"), kPlaceholder},
    {&CAddSystemDialog::Password, _T("Password"), kNoPassword},
    {&CAddSystemDialog::Language, _T("Language"), _T("EN")},
};

// The checks after the host name's, in their order: an entry that is empty or equal to its
// placeholder is refused with the message.
struct RequiredEntry
{
    CString CAddSystemDialog::*pMember;
    LPCTSTR lpszPlaceholder; // null: only the empty entry is refused
    int nIDC;
    LPCTSTR lpszMessage;
};
const RequiredEntry kRequiredEntries[] = {
    {&CAddSystemDialog::SystemNumber, nullptr, IDC_SYSTEM_NUMBER, _T("Please enter a system number.")},
    {&CAddSystemDialog::Client, nullptr, IDC_CLIENT, _T("Please enter a client.")},
    {&CAddSystemDialog::User, kPlaceholder, IDC_USER, _T("Please enter a SAP user id.")},
    {&CAddSystemDialog::Password, kNoPassword, IDC_PASSWORD, _T("Please enter a password.")},
    {&CAddSystemDialog::Language, nullptr, IDC_LANGUAGE, _T("Please enter a language.")},
};
} // namespace

CAddSystemDialog::CAddSystemDialog(CWnd* pParent) : CDialog(IDD, pParent), HostName(kPlaceholder)
{
}

void CAddSystemDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_HOST_NAME, HostName);
    DDX_Text(pDX, IDC_CLIENT, Client);
    DDX_Text(pDX, IDC_DOMAIN, Domain);
    DDX_Text(pDX, IDC_LANGUAGE, Language);
    DDX_Text(pDX, IDC_PASSWORD, Password);
    DDX_Text(pDX, IDC_SAP_ROUTER, SapRouter);
    DDX_Text(pDX, IDC_SYSTEM_NUMBER, SystemNumber);
    DDX_Text(pDX, IDC_USER, User);
}

BOOL CAddSystemDialog::OnInitDialog()
{
    LoadLogonData();
    return CDialog::OnInitDialog();
}

void CAddSystemDialog::LoadLogonData()
{
    CWinApp* pApp = AfxGetApp();
    for (const LogonEntry& entry : kLogonEntries)
    {
        CString& strValue = this->*entry.pMember;
        strValue = pApp->GetProfileString(kSection, entry.lpszEntry, _T(""));
        if (strValue.IsEmpty())
            strValue = entry.lpszPlaceholder;
        else if (entry.pMember == &CAddSystemDialog::Password)
            strValue = CPassword().Decode(strValue);
    }
}

void CAddSystemDialog::OnOK()
{
    const auto failure = TrapFailure(
        _T("CAddSystemDialog::OnOK"),
        [&] {
            SaveEntries(*this);
            CWaitCursor wait;
            ValidateEntries();
            TestLogon();
            SaveLogonData();
        },
        [&](CException* e) {
            if (const auto* pRfc = DYNAMIC_DOWNCAST(CRfcException, e))
            {
                GotoDlgCtrl(GetDlgItem(IDC_HOST_NAME));
                return pRfc->m_strMessage;
            }
            return EntryFailureText(e);
        });
    if (failure)
        ShowStop(*failure);
    else
        CDialog::OnOK();
}

void CAddSystemDialog::ValidateEntries()
{
    CheckShortHostName(*this, IDC_HOST_NAME, HostName, _T("Please enter a short host name."),
                       _T("Please do not enter an IP address or\n domain suffix for the short host name."));
    for (const RequiredEntry& entry : kRequiredEntries)
    {
        const CString& strValue = this->*entry.pMember;
        if (strValue.IsEmpty() || (entry.lpszPlaceholder != nullptr && strValue == entry.lpszPlaceholder))
            RefuseEntry(*this, entry.nIDC, entry.lpszMessage);
    }
}

void CAddSystemDialog::TestLogon()
{
    // A connection of its own: new, it holds no handle and no stop request, so Connect opens
    // it. A failure destroys it on the way out, which closes it.
    CRfcConnection connection;
    connection.SetLogonData(SapRouter, HostName, Domain, SystemNumber, Client, User, Password, Language);
    connection.Connect();
    SystemId = connection.GetAttribute(CRfcConnection::attrSysId);
    connection.Disconnect();
}

void CAddSystemDialog::SaveLogonData()
{
    CWinApp* pApp = AfxGetApp();
    for (const LogonEntry& entry : kLogonEntries)
    {
        const CString& strValue = this->*entry.pMember;
        pApp->WriteProfileString(kSection, entry.lpszEntry,
                                 entry.pMember == &CAddSystemDialog::Password ? CPassword().Encode(strValue)
                                                                              : strValue);
    }
}
