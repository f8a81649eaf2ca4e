// Chooses a directory, either through a classic file dialog reduced to its folder and drive
// lists or through the shell's folder browser.
#pragma once

#include <afxdlgs.h>

namespace tarnwick::tabs
{
class SECDirSelectDlg : public CFileDialog
{
    DECLARE_DYNAMIC(SECDirSelectDlg)
public:
    // Mode bit: the reduced file dialog (template 2000) instead of the folder browser.
    static constexpr WORD ModeFileDialog = 0x1;

    // dwFlags 0 stands for the file-dialog flags that the reduced dialog needs.
    SECDirSelectDlg(WORD wMode, LPCTSTR lpszTitle, LPCTSTR lpszInitialDir, CWnd* pOwner, DWORD dwFlags = 0);

    // IDOK or IDCANCEL.
    INT_PTR DoModal() override;
    // The chosen directory, ending in a backslash.
    void GetPath(CString& strPath) const;

protected:
    BOOL OnInitDialog() override;

private:
    INT_PTR BrowseForFolder();

    WORD m_wMode;
    CString m_strTitle;
    CString m_strInitialDir;
    CWnd* m_pOwner;
    TCHAR m_szPath[MAX_PATH];
};
} // namespace tarnwick::tabs
