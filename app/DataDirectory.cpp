#include <app/DataDirectory.h>

#include <app/Lumiter5Exception.h>

#include <afxwin.h>

namespace
{
bool IsSeparator(TCHAR ch)
{
    return ch == _T('\\') || ch == _T('/');
}

bool HasDrive(const CString& strPath)
{
    return strPath.GetLength() >= 2 && strPath[1] == _T(':');
}

CString WithBackslash(CString strPath)
{
    if (strPath.IsEmpty() || strPath[strPath.GetLength() - 1] != _T('\\'))
        strPath += _T('\\');
    return strPath;
}

// The system's full form of an absolute path: separators as backslashes, "." and ".." gone.
CString FullPath(const CString& strPath)
{
    const DWORD nSize = ::GetFullPathName(strPath, 0, nullptr, nullptr);
    CString strFull;
    if (nSize == 0)
        return strPath;
    const DWORD nLength = ::GetFullPathName(strPath, nSize, strFull.GetBuffer(nSize), nullptr);
    strFull.ReleaseBuffer(nLength < nSize ? static_cast<int>(nLength) : 0);
    return strFull.IsEmpty() ? strPath : strFull;
}

// Where the walk starts: after "X:\" or after "\\server\share\".
int RootLength(const CString& strPath)
{
    if (HasDrive(strPath))
        return strPath.GetLength() > 2 && IsSeparator(strPath[2]) ? 3 : 2;
    if (strPath.GetLength() < 2 || !IsSeparator(strPath[0]) || !IsSeparator(strPath[1]))
        return 0;
    int nSeparators = 0;
    for (int i = 2; i < strPath.GetLength(); ++i)
        if (IsSeparator(strPath[i]) && ++nSeparators == 2)
            return i + 1;
    return strPath.GetLength();
}

bool IsDirectory(const CString& strPath)
{
    const DWORD dwAttributes = ::GetFileAttributes(strPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
} // namespace

CString ProgramDirectory()
{
    CWinApp* pApp = AfxGetApp();
    CString strProgramPath = pApp->GetProfileString(kPropertiesSection, _T("ProgramPath"));
    if (!strProgramPath.IsEmpty())
        return WithBackslash(strProgramPath);
    const DWORD nSize = ::GetCurrentDirectory(0, nullptr);
    const DWORD nLength = nSize == 0 ? 0 : ::GetCurrentDirectory(nSize, strProgramPath.GetBuffer(nSize));
    strProgramPath.ReleaseBuffer(nLength > 0 && nLength < nSize ? static_cast<int>(nLength) : 0);
    if (strProgramPath.IsEmpty())
        ThrowLumiter5Exception(_T("unable to get program path."));
    strProgramPath = WithBackslash(strProgramPath);
    pApp->WriteProfileString(kPropertiesSection, _T("ProgramPath"), strProgramPath);
    return strProgramPath;
}

CString DefaultDataPath(const CString& strProgramPath)
{
    return strProgramPath + _T("DATA\\");
}

CString DataDirectory(const CString& strDataPath, const CString& strProgramPath)
{
    CString strPath;
    if (strDataPath.IsEmpty())
        strPath = DefaultDataPath(strProgramPath);
    else if (RootLength(strDataPath) > 2)
        strPath = strDataPath; // "X:\..." or "\\server\share\..."
    else if (HasDrive(strDataPath))
        strPath = strDataPath.Left(2) + _T('\\') + strDataPath.Mid(2);
    else if (IsSeparator(strDataPath[0]))
        strPath = strProgramPath.Left(RootLength(strProgramPath)).TrimRight(_T("\\/")) + strDataPath;
    else
        strPath = WithBackslash(strProgramPath) + strDataPath;
    return WithBackslash(FullPath(strPath));
}

void CreateDirectoryLevels(const CString& strPath)
{
    for (int i = RootLength(strPath); i <= strPath.GetLength(); ++i)
    {
        if (i < strPath.GetLength() && !IsSeparator(strPath[i]))
            continue;
        const CString strLevel = strPath.Left(i);
        if (i == 0 || IsSeparator(strLevel[i - 1]) || IsDirectory(strLevel))
            continue;
        if (!::CreateDirectory(strLevel, nullptr) && !IsDirectory(strLevel))
        {
            CString strMessage;
            strMessage.Format(_T("unable to create directory %s"), static_cast<LPCTSTR>(strLevel));
            ThrowLumiter5Exception(strMessage);
        }
    }
}
