#include "BrowseDirEdit.h"

#include "DirSelectDlg.h"

#include <toolkit/foundation/ToolkitRes.h>

namespace tarnwick::tabs
{
IMPLEMENT_DYNAMIC(SECBrowseDirEdit, SECBrowseEditBase)

SECBrowseDirEdit::SECBrowseDirEdit() : m_wMode(SECDirSelectDlg::ModeFileDialog)
{
    m_strTitle.LoadString(IDS_SEC_SELECT_DIRECTORY);
}

void SECBrowseDirEdit::OnBrowse()
{
    CString strText;
    GetWindowText(strText);
    SECDirSelectDlg dlg(m_wMode, m_strTitle, InitialDirectory(strText), GetParent(), 0);
    if (dlg.DoModal() != IDOK)
        return;
    CString strPath;
    dlg.GetPath(strPath);
    SetWindowText(strPath);
}

CString SECBrowseDirEdit::InitialDirectory(CString strText)
{
    if (strText.IsEmpty())
        return strText;
    if (strText.Right(1) == _T("\\"))
        strText.Delete(strText.GetLength() - 1);
    if (strText.Right(1) == _T(":"))
    {
        const UINT nType = ::GetDriveType(strText + _T('\\'));
        return nType != DRIVE_UNKNOWN && nType != DRIVE_NO_ROOT_DIR ? strText + _T('\\') : CString();
    }
    const DWORD dwAttributes = ::GetFileAttributes(strText);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) ? strText : CString();
}
} // namespace tarnwick::tabs
