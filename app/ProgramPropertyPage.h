// The settings page of the data directory, below which each session makes its directory.
#pragma once

#include <app/SettingsPropertyPage.h>
#include <app/resource.h>
#include <toolkit/tabs/BrowseDirEdit.h>

class CProgramPropertyPage : public CSettingsPropertyPage
{
public:
    enum
    {
        IDD = IDD_PROGRAM_PAGE
    };

    CProgramPropertyPage();

    CString DataPath;
    CString ProgramPath;

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Refuses an empty path, shows it as the absolute directory it names and makes every
    // missing level of it.
    void ApplyChanges() override;

    afx_msg void OnChangeDataPath();
    DECLARE_MESSAGE_MAP()

private:
    tarnwick::tabs::SECBrowseDirEdit m_dataPathEdit;
};
