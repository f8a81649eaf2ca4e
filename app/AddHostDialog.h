// The dialog that asks for the short name of a host to add to the landscape.
#pragma once

#include <afxwin.h>

#include <app/resource.h>

class CAddHostDialog : public CDialog
{
public:
    enum
    {
        IDD = IDD_ADD_HOST
    };

    explicit CAddHostDialog(CWnd* pParent = nullptr);

    CString HostName;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
};
