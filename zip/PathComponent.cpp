#include <zip/PathComponent.h>

#include <cstdlib>
#include <cwctype>
#include <vector>

namespace
{
// The long UNC prefix; its first 2 and 4 characters are prefixes too.
const TCHAR kPrefix[] = _T("\\\\?\\unc\\");
const int kPrefixLength = 8;

int PrefixLength(LPCTSTR lpszPath)
{
    int iMatch = 0;
    while (iMatch < kPrefixLength && lpszPath[iMatch] != 0 &&
           static_cast<TCHAR>(towlower(lpszPath[iMatch])) == kPrefix[iMatch])
        ++iMatch;
    return iMatch == 2 || iMatch == 4 || iMatch == kPrefixLength ? iMatch : 0;
}
} // namespace

CZipPathComponent::CZipPathComponent(LPCTSTR lpszFullPath)
{
    SetFullPath(lpszFullPath);
}

void CZipPathComponent::SetFullPath(LPCTSTR lpszFullPath)
{
    const int iPrefix = PrefixLength(lpszFullPath);
    m_szPrefix = CString(lpszFullPath, iPrefix);
    const CString szRest(lpszFullPath + iPrefix);

    // Each part is at most as long as the path.
    const size_t uSize = static_cast<size_t>(szRest.GetLength()) + 1;
    std::vector<TCHAR> drive(uSize), directory(uSize), title(uSize), ext(uSize);
    if (_wsplitpath_s(szRest, drive.data(), uSize, directory.data(), uSize, title.data(), uSize, ext.data(), uSize) !=
        0)
    {
        drive[0] = directory[0] = ext[0] = 0;
        lstrcpyn(title.data(), szRest, static_cast<int>(uSize));
    }
    m_szDrive = drive.data();
    m_szDirectory = directory.data();
    m_szDirectory.Trim(_T("\\/"));
    m_szFileTitle = title.data();
    m_szFileExt = ext.data();
    m_szFileExt.TrimLeft(_T('.'));
}

CString CZipPathComponent::GetFileName() const
{
    return m_szFileExt.IsEmpty() ? m_szFileTitle : m_szFileTitle + _T('.') + m_szFileExt;
}

CString CZipPathComponent::GetPathWithoutDrive() const
{
    const CString szFileName = GetFileName();
    if (m_szDirectory.IsEmpty())
        return szFileName;
    if (szFileName.IsEmpty())
        return m_szDirectory;
    return m_szDirectory + _T('\\') + szFileName;
}
