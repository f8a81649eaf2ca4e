// Asks for the session directory to pack, proposing the last session's one.
#pragma once

#include <afxwin.h>

#include <app/resource.h>
#include <toolkit/tabs/BrowseDirEdit.h>

class CSessionDialog : public CDialog
{
public:
    enum
    {
        IDD = IDD_SESSION_DIRECTORY
    };

    explicit CSessionDialog(CWnd* pParent = nullptr);

    // After IDOK: the directory, ending in a backslash.
    CString SessionPath;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

private:
    tarnwick::tabs::SECBrowseDirEdit m_sessionPathEdit;
};
