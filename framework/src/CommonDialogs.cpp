#include <afxdlgs.h>
#include <afxpriv.h>

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CFindReplaceDialog, CCommonDialog)

CCommonDialog::CCommonDialog(CWnd* pParentWnd) : CDialog(static_cast<UINT>(0), pParentWnd)
{
}

BOOL CCommonDialog::OnInitDialog()
{
    return static_cast<BOOL>(Default());
}

void CCommonDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    Default();
}

void CCommonDialog::OnCancel()
{
    Default();
}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog), m_szFileTitle{}, m_szFileName{}
{
    m_ofn = OPENFILENAME{};
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = _countof(m_szFileName);
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = _countof(m_szFileTitle);
    // Selections come back as a directory followed by names, each ended by a null.
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    if (lpszDefExt != nullptr)
    {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFileName != nullptr)
        ::lstrcpyn(m_szFileName, lpszFileName, _countof(m_szFileName));
    if (lpszFilter != nullptr)
    {
        // The system wants null separators and a double null at the end.
        m_strFilter = lpszFilter;
        if (m_strFilter.Right(1) != _T("|"))
            m_strFilter += _T('|');
        const int nLength = m_strFilter.GetLength();
        LPTSTR pch = m_strFilter.GetBuffer(nLength);
        for (int i = 0; i < nLength; ++i)
            if (pch[i] == '|')
                pch[i] = 0;
        m_strFilter.ReleaseBuffer(nLength);
        m_ofn.lpstrFilter = m_strFilter;
    }
}

INT_PTR CFileDialog::DoModal()
{
    CModalOwnerLock owner(m_pParentWnd);
    m_ofn.hwndOwner = owner.Owner();
    const BOOL bResult = m_bOpenFileDialog ? ::GetOpenFileName(&m_ofn) : ::GetSaveFileName(&m_ofn);
    owner.Release(nullptr);
    return bResult ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const
{
    return m_ofn.lpstrFile;
}

CString CFileDialog::GetFileName() const
{
    const CString strPath = GetPathName();
    const int nSlash = std::max(strPath.ReverseFind('\\'), strPath.ReverseFind('/'));
    return strPath.Mid(nSlash + 1);
}

CString CFileDialog::GetFileExt() const
{
    const CString strName = GetFileName();
    const int nDot = strName.ReverseFind('.');
    return nDot < 0 ? CString() : strName.Mid(nDot + 1);
}

POSITION CFileDialog::GetStartPosition() const
{
    return m_ofn.lpstrFile != nullptr && m_ofn.lpstrFile[0] != 0 ? reinterpret_cast<POSITION>(m_ofn.lpstrFile)
                                                                 : nullptr;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    LPCTSTR lpsz = reinterpret_cast<LPCTSTR>(pos);
    if (lpsz == m_ofn.lpstrFile)
    {
        // The first call: one selected file is the whole path.
        lpsz += ::lstrlen(lpsz) + 1;
        if (!(m_ofn.Flags & OFN_ALLOWMULTISELECT) || *lpsz == 0)
        {
            pos = nullptr;
            return m_ofn.lpstrFile;
        }
    }
    CString strPath = m_ofn.lpstrFile;
    if (strPath.Right(1) != _T("\\") && strPath.Right(1) != _T("/"))
        strPath += _T('\\');
    strPath += lpsz;
    lpsz += ::lstrlen(lpsz) + 1;
    pos = *lpsz == 0 ? nullptr : reinterpret_cast<POSITION>(const_cast<LPTSTR>(lpsz));
    return strPath;
}

CFindReplaceDialog::CFindReplaceDialog() : CCommonDialog(nullptr), m_szFindWhat{}, m_szReplaceWith{}
{
    m_fr = FINDREPLACE{};
    m_fr.lStructSize = sizeof(m_fr);
    m_fr.lpstrFindWhat = m_szFindWhat;
    m_fr.lpstrReplaceWith = m_szReplaceWith;
    // GetNotifier finds the object through it.
    m_fr.lCustData = reinterpret_cast<LPARAM>(this);
}

BOOL CFindReplaceDialog::Create(BOOL bFindDialogOnly, LPCTSTR lpszFindWhat, LPCTSTR lpszReplaceWith, DWORD dwFlags,
                                CWnd* pParentWnd)
{
    m_fr.wFindWhatLen = _countof(m_szFindWhat);
    m_fr.wReplaceWithLen = _countof(m_szReplaceWith);
    m_fr.Flags |= dwFlags;
    if (lpszFindWhat != nullptr)
        ::lstrcpyn(m_szFindWhat, lpszFindWhat, _countof(m_szFindWhat));
    if (lpszReplaceWith != nullptr)
        ::lstrcpyn(m_szReplaceWith, lpszReplaceWith, _countof(m_szReplaceWith));
    if (pParentWnd == nullptr)
        pParentWnd = AfxGetMainWnd();
    m_fr.hwndOwner = pParentWnd->GetSafeHwnd();
    AfxHookWindowCreate(this);
    const HWND hWnd = bFindDialogOnly ? ::FindText(&m_fr) : ::ReplaceText(&m_fr);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    return hWnd != nullptr;
}

CFindReplaceDialog* PASCAL CFindReplaceDialog::GetNotifier(LPARAM lParam)
{
    return reinterpret_cast<CFindReplaceDialog*>(reinterpret_cast<const FINDREPLACE*>(lParam)->lCustData);
}

CString CFindReplaceDialog::GetFindString() const
{
    return m_fr.lpstrFindWhat;
}

CString CFindReplaceDialog::GetReplaceString() const
{
    return m_fr.lpstrReplaceWith;
}

BOOL CFindReplaceDialog::SearchDown() const
{
    return (m_fr.Flags & FR_DOWN) != 0;
}

BOOL CFindReplaceDialog::FindNext() const
{
    return (m_fr.Flags & FR_FINDNEXT) != 0;
}

BOOL CFindReplaceDialog::MatchCase() const
{
    return (m_fr.Flags & FR_MATCHCASE) != 0;
}

BOOL CFindReplaceDialog::MatchWholeWord() const
{
    return (m_fr.Flags & FR_WHOLEWORD) != 0;
}

BOOL CFindReplaceDialog::ReplaceCurrent() const
{
    return (m_fr.Flags & FR_REPLACE) != 0;
}

BOOL CFindReplaceDialog::ReplaceAll() const
{
    return (m_fr.Flags & FR_REPLACEALL) != 0;
}

BOOL CFindReplaceDialog::IsTerminating() const
{
    return (m_fr.Flags & FR_DIALOGTERM) != 0;
}

void CFindReplaceDialog::PostNcDestroy()
{
    delete this;
}
