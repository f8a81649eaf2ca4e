#include <afx.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

IMPLEMENT_DYNAMIC(CFileFind, CObject)

namespace
{
using FindTime = FILETIME WIN32_FIND_DATA::*;

BOOL CopyTime(const WIN32_FIND_DATA* pInfo, FindTime pTime, FILETIME* pTimeStamp)
{
    if (pInfo == nullptr || pTimeStamp == nullptr)
        return FALSE;
    *pTimeStamp = pInfo->*pTime;
    return TRUE;
}

BOOL CopyTime(const WIN32_FIND_DATA* pInfo, FindTime pTime, CTime& refTime)
{
    if (pInfo == nullptr)
        return FALSE;
    refTime = AfxTimeFromFileTime(pInfo->*pTime);
    return TRUE;
}
} // namespace

CFileFind::CFileFind() : m_pFoundInfo(nullptr), m_pNextInfo(nullptr), m_hContext(nullptr), m_chDirSeparator(_T('\\'))
{
}

CFileFind::~CFileFind()
{
    Close();
}

BOOL CFileFind::FindFile(LPCTSTR pstrName, DWORD)
{
    Close();
    if (pstrName == nullptr)
        pstrName = _T("*.*");
    m_pNextInfo = new WIN32_FIND_DATA;
    m_hContext = ::FindFirstFile(pstrName, m_pNextInfo);
    if (m_hContext == INVALID_HANDLE_VALUE)
    {
        const DWORD dwError = ::GetLastError();
        Close();
        ::SetLastError(dwError);
        return FALSE;
    }

    // The root is the full path up to its last separator, either kind.
    m_strRoot = AfxGetFullPath(pstrName);
    const int nLast = std::max(m_strRoot.ReverseFind(_T('\\')), m_strRoot.ReverseFind(_T('/')));
    if (nLast >= 0)
        m_strRoot.Truncate(nLast);
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (m_hContext == nullptr)
        return FALSE;
    if (m_pFoundInfo == nullptr)
        m_pFoundInfo = new WIN32_FIND_DATA;
    std::swap(m_pFoundInfo, m_pNextInfo);
    return ::FindNextFile(m_hContext, m_pNextInfo);
}

void CFileFind::Close()
{
    delete m_pFoundInfo;
    m_pFoundInfo = nullptr;
    delete m_pNextInfo;
    m_pNextInfo = nullptr;
    if (m_hContext != nullptr)
    {
        if (m_hContext != INVALID_HANDLE_VALUE)
            CloseContext();
        m_hContext = nullptr;
    }
    m_strRoot.Empty();
}

void CFileFind::CloseContext()
{
    ::FindClose(m_hContext);
}

CString CFileFind::GetFileName() const
{
    return m_pFoundInfo != nullptr ? m_pFoundInfo->cFileName : _T("");
}

CString CFileFind::GetFilePath() const
{
    CString strResult = m_strRoot;
    const int nLength = strResult.GetLength();
    if (nLength == 0 || (strResult[nLength - 1] != _T('\\') && strResult[nLength - 1] != _T('/')))
        strResult += m_chDirSeparator;
    return strResult + GetFileName();
}

CString CFileFind::GetFileTitle() const
{
    TCHAR szName[_MAX_FNAME];
    _wsplitpath_s(GetFileName(), nullptr, 0, nullptr, 0, szName, _MAX_FNAME, nullptr, 0);
    return szName;
}

CString CFileFind::GetRoot() const
{
    return m_strRoot;
}

ULONGLONG CFileFind::GetLength() const
{
    if (m_pFoundInfo == nullptr)
        return 0;
    return (static_cast<ULONGLONG>(m_pFoundInfo->nFileSizeHigh) << 32) | m_pFoundInfo->nFileSizeLow;
}

BOOL CFileFind::GetLastWriteTime(FILETIME* pTimeStamp) const
{
    return CopyTime(m_pFoundInfo, &WIN32_FIND_DATA::ftLastWriteTime, pTimeStamp);
}

BOOL CFileFind::GetLastAccessTime(FILETIME* pTimeStamp) const
{
    return CopyTime(m_pFoundInfo, &WIN32_FIND_DATA::ftLastAccessTime, pTimeStamp);
}

BOOL CFileFind::GetCreationTime(FILETIME* pTimeStamp) const
{
    return CopyTime(m_pFoundInfo, &WIN32_FIND_DATA::ftCreationTime, pTimeStamp);
}

BOOL CFileFind::GetLastWriteTime(CTime& refTime) const
{
    return CopyTime(m_pFoundInfo, &WIN32_FIND_DATA::ftLastWriteTime, refTime);
}

BOOL CFileFind::GetLastAccessTime(CTime& refTime) const
{
    return CopyTime(m_pFoundInfo, &WIN32_FIND_DATA::ftLastAccessTime, refTime);
}

BOOL CFileFind::GetCreationTime(CTime& refTime) const
{
    return CopyTime(m_pFoundInfo, &WIN32_FIND_DATA::ftCreationTime, refTime);
}

BOOL CFileFind::MatchesMask(DWORD dwMask) const
{
    return m_pFoundInfo != nullptr && (m_pFoundInfo->dwFileAttributes & dwMask) != 0;
}

BOOL CFileFind::IsDots() const
{
    if (!IsDirectory())
        return FALSE;
    const CString strName = GetFileName();
    return strName == _T(".") || strName == _T("..");
}

BOOL CFileFind::IsReadOnly() const
{
    return MatchesMask(FILE_ATTRIBUTE_READONLY);
}

BOOL CFileFind::IsDirectory() const
{
    return MatchesMask(FILE_ATTRIBUTE_DIRECTORY);
}

BOOL CFileFind::IsCompressed() const
{
    return MatchesMask(FILE_ATTRIBUTE_COMPRESSED);
}

BOOL CFileFind::IsSystem() const
{
    return MatchesMask(FILE_ATTRIBUTE_SYSTEM);
}

BOOL CFileFind::IsHidden() const
{
    return MatchesMask(FILE_ATTRIBUTE_HIDDEN);
}

BOOL CFileFind::IsTemporary() const
{
    return MatchesMask(FILE_ATTRIBUTE_TEMPORARY);
}

BOOL CFileFind::IsNormal() const
{
    return MatchesMask(FILE_ATTRIBUTE_NORMAL);
}

BOOL CFileFind::IsArchived() const
{
    return MatchesMask(FILE_ATTRIBUTE_ARCHIVE);
}
