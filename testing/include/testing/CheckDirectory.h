// The directory whose archives check_archives.py tests with independent readers after the
// test run. A ".check" file beside an archive tells the script what to expect of it.
#pragma once

#include <afx.h>

#include <testing/TempDirectory.h>

#include <map>
#include <string>

namespace CheckDirectory
{
// The directory an environment variable set by the test's CTest entry names, the fallback
// otherwise; made when missing, with a trailing backslash.
inline CString Named(LPCTSTR lpszVariable, LPCTSTR lpszFallback)
{
    TCHAR szDir[MAX_PATH] = {};
    CString szRoot = ::GetEnvironmentVariable(lpszVariable, szDir, MAX_PATH) > 0 ? CString(szDir) : CString(lpszFallback);
    szRoot.Replace(_T('/'), _T('\\'));
    szRoot.TrimRight(_T('\\'));
    ::CreateDirectory(szRoot, nullptr);
    return szRoot + _T('\\');
}

// ZIP_CHECK_DIR, or a fixed place under /tmp.
inline CString Root()
{
    return Named(_T("ZIP_CHECK_DIR"), _T("Z:\\tmp\\lumiter-zip-check"));
}

// A fresh subdirectory of the root.
inline CString Fresh(LPCTSTR lpszName)
{
    const CString szDir = Root() + lpszName;
    RemoveDirectoryTree(szDir);
    ::CreateDirectory(szDir, nullptr);
    return szDir + _T('\\');
}

// Expectations as "key=value" lines: count, password, split.
inline void Expect(const CString& szArchive, const std::map<std::string, std::string>& expected)
{
    std::string text;
    for (const auto& [key, value] : expected)
        text += key + "=" + value + "\n";
    CFile file(szArchive + _T(".check"), CFile::modeCreate | CFile::modeWrite);
    file.Write(text.data(), static_cast<UINT>(text.size()));
}

// The archive's name of a file added with its full path: the path without the drive, with slashes.
inline std::string EntryName(const CString& szPath)
{
    CString szName = szPath.Mid(3);
    szName.Replace(_T('\\'), _T('/'));
    return std::string(CW2A(szName));
}

// Numbered lines of text, as a session's logs hold.
inline void WriteLines(const CString& szPath, int iLines, const char* pszWord)
{
    std::string text;
    for (int i = 0; i < iLines; ++i)
        text += std::to_string(i * 31 % 977) + " " + pszWord + " row of the workload history\r\n";
    CFile file(szPath, CFile::modeCreate | CFile::modeWrite);
    file.Write(text.data(), static_cast<UINT>(text.size()));
}
} // namespace CheckDirectory
