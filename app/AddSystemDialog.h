// The dialog that registers an SAP system: the logon data of its central instance, checked,
// proved by a test logon that also finds the system id, and remembered in the profile's
// section "Logon" for the next time (the password scrambled).
#pragma once

#include <afxwin.h>

#include <app/resource.h>

class CAddSystemDialog : public CDialog
{
public:
    enum
    {
        IDD = IDD_ADD_SYSTEM
    };

    explicit CAddSystemDialog(CWnd* pParent = nullptr);

    // The entries; after IDOK the password as typed and the system id of the test logon.
    CString HostName;
    CString Client;
    CString Domain;
    CString Language;
    CString Password;
    CString SapRouter;
    CString SystemNumber;
    CString User;
    CString SystemId;

    // The steps of OK. The first two throw: CLumiter5Exception with the focus on the refused
    // entry, CRfcException when the logon fails.
    void ValidateEntries();
    void TestLogon();
    void SaveLogonData();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    void LoadLogonData();
};
