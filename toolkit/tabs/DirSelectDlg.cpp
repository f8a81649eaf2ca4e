#include "DirSelectDlg.h"

#include <afxpriv.h>
#include <shlobj.h>

#include <toolkit/foundation/ToolkitRes.h>

namespace tarnwick::tabs
{
namespace
{
constexpr WORD NoFileOffset = 0xFFFF;
// The file-dialog controls that a directory chooser does without.
constexpr int HiddenFileControls[] = {1090, 1152, 1120, 1089, 1136};
constexpr int IDC_FILE_NAME = 1152;
constexpr int IDC_FOLDER_LIST = 1121;

// The start folder goes by its path, read when the tree is there: an item list read before
// carries the times of the folders on the way, and the shell finds no folder in the tree whose
// time has changed since, as any folder does that another program writes into meanwhile.
int CALLBACK SelectInitialFolder(HWND hWnd, UINT message, LPARAM, LPARAM lpData)
{
    if (message == BFFM_INITIALIZED)
        ::SendMessage(hWnd, BFFM_SETSELECTION, TRUE, lpData);
    return 0;
}
} // namespace

IMPLEMENT_DYNAMIC(SECDirSelectDlg, CFileDialog)

SECDirSelectDlg::SECDirSelectDlg(WORD wMode, LPCTSTR lpszTitle, LPCTSTR lpszInitialDir, CWnd* pOwner, DWORD dwFlags)
    : CFileDialog(FALSE, nullptr, nullptr,
                  dwFlags != 0 ? dwFlags : OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_SHOWHELP | OFN_ENABLETEMPLATE,
                  _T("(nofiles)|NOFILES.$$$||"), pOwner),
      m_wMode(wMode), m_strTitle(lpszTitle), m_strInitialDir(lpszInitialDir), m_pOwner(pOwner), m_szPath{}
{
    m_ofn.Flags &= ~static_cast<DWORD>(OFN_EXPLORER);
    m_ofn.hInstance = AfxGetResourceHandle();
    m_ofn.lpTemplateName = MAKEINTRESOURCE(IDD_SEC_DIRSELECT);
    m_ofn.lpstrFile = m_szPath;
    m_ofn.nMaxFile = _countof(m_szPath);
    m_ofn.lpstrTitle = m_strTitle;
    m_ofn.lpstrInitialDir = m_strInitialDir.IsEmpty() ? nullptr : static_cast<LPCTSTR>(m_strInitialDir);
}

INT_PTR SECDirSelectDlg::DoModal()
{
    if (!(m_wMode & ModeFileDialog))
        return BrowseForFolder();
    // The dialog becomes this object's window, so that OnInitDialog can reduce it.
    AfxHookWindowCreate(this);
    const INT_PTR nResult = CFileDialog::DoModal();
    AfxUnhookWindowCreate();
    return nResult;
}

void SECDirSelectDlg::GetPath(CString& strPath) const
{
    // The reduced dialog confirms a made-up name in the chosen folder: the folder ends before it.
    if (m_ofn.nFileOffset < NoFileOffset)
        strPath = CString(m_szPath, m_ofn.nFileOffset);
    else
        strPath = m_szPath;
}

BOOL SECDirSelectDlg::OnInitDialog()
{
    CFileDialog::OnInitDialog();
    for (const int nID : HiddenFileControls)
        if (CWnd* pControl = GetDlgItem(nID))
            pControl->ShowWindow(SW_HIDE);
    // OK then accepts the current folder instead of waiting for a file name.
    CString strName;
    strName.LoadString(IDS_SEC_NOCLOSE);
    SetDlgItemText(IDC_FILE_NAME, strName);
    if (CWnd* pFolders = GetDlgItem(IDC_FOLDER_LIST))
        pFolders->SetFocus();
    return FALSE;
}

INT_PTR SECDirSelectDlg::BrowseForFolder()
{
    CString strStart = m_strInitialDir;
    if (strStart.IsEmpty())
    {
        const DWORD nLength = ::GetCurrentDirectory(MAX_PATH, strStart.GetBuffer(MAX_PATH));
        strStart.ReleaseBuffer(nLength < MAX_PATH ? static_cast<int>(nLength) : 0);
    }

    IMalloc* pMalloc = nullptr;
    if (FAILED(::SHGetMalloc(&pMalloc)))
        return IDCANCEL;
    IShellFolder* pDesktop = nullptr;
    if (FAILED(::SHGetDesktopFolder(&pDesktop)))
    {
        pMalloc->Release();
        return IDCANCEL;
    }
    INT_PTR nResult = IDCANCEL;
    // A start folder that the shell does not know opens no browser.
    LPITEMIDLIST pidlStart = nullptr;
    if (SUCCEEDED(pDesktop->ParseDisplayName(nullptr, nullptr, strStart.GetBuffer(), nullptr, &pidlStart, nullptr)))
    {
        BROWSEINFO info = {};
        info.hwndOwner = m_pOwner->GetSafeHwnd();
        info.lpszTitle = m_strTitle;
        info.lpfn = &SelectInitialFolder;
        info.lParam = reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(strStart));
        if (LPITEMIDLIST pidlChosen = ::SHBrowseForFolder(&info))
        {
            TCHAR szChosen[MAX_PATH] = {};
            if (::SHGetPathFromIDList(pidlChosen, szChosen))
            {
                CString strChosen = szChosen;
                if (strChosen.Right(1) != _T("\\"))
                    strChosen += _T('\\');
                ::lstrcpyn(m_szPath, strChosen, _countof(m_szPath));
                m_ofn.nFileOffset = NoFileOffset;
                nResult = IDOK;
            }
            pMalloc->Free(pidlChosen);
        }
        pMalloc->Free(pidlStart);
    }
    strStart.ReleaseBuffer();
    pDesktop->Release();
    pMalloc->Release();
    return nResult;
}
} // namespace tarnwick::tabs
