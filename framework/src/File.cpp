#include <afx.h>

#include <cstdlib>

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace
{
[[noreturn]] void ThrowLastError(const CString& strFileName)
{
    CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), strFileName);
}

DWORD DesiredAccess(UINT nOpenFlags)
{
    switch (nOpenFlags & 3)
    {
    case CFile::modeRead:
        return GENERIC_READ;
    case CFile::modeWrite:
        return GENERIC_WRITE;
    case CFile::modeReadWrite:
        return GENERIC_READ | GENERIC_WRITE;
    }
    AfxThrowInvalidArgException();
}

DWORD ShareMode(UINT nOpenFlags)
{
    switch (nOpenFlags & 0x70)
    {
    case CFile::shareCompat:
    case CFile::shareExclusive:
        return 0;
    case CFile::shareDenyWrite:
        return FILE_SHARE_READ;
    case CFile::shareDenyRead:
        return FILE_SHARE_WRITE;
    case CFile::shareDenyNone:
        return FILE_SHARE_READ | FILE_SHARE_WRITE;
    }
    AfxThrowInvalidArgException();
}

DWORD CreationDisposition(UINT nOpenFlags)
{
    if (!(nOpenFlags & CFile::modeCreate))
        return OPEN_EXISTING;
    return (nOpenFlags & CFile::modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
}

DWORD FlagsAndAttributes(UINT nOpenFlags)
{
    DWORD dwFlags = FILE_ATTRIBUTE_NORMAL;
    if (nOpenFlags & CFile::osNoBuffer)
        dwFlags |= FILE_FLAG_NO_BUFFERING;
    if (nOpenFlags & CFile::osWriteThrough)
        dwFlags |= FILE_FLAG_WRITE_THROUGH;
    if (nOpenFlags & CFile::osRandomAccess)
        dwFlags |= FILE_FLAG_RANDOM_ACCESS;
    if (nOpenFlags & CFile::osSequentialScan)
        dwFlags |= FILE_FLAG_SEQUENTIAL_SCAN;
    return dwFlags;
}

void FillStatus(CFileStatus& rStatus, DWORD dwAttributes, const FILETIME& ftCreation, const FILETIME& ftLastAccess,
                const FILETIME& ftLastWrite, DWORD nSizeHigh, DWORD nSizeLow)
{
    rStatus.m_ctime = AfxTimeFromFileTime(ftCreation);
    rStatus.m_atime = AfxTimeFromFileTime(ftLastAccess);
    rStatus.m_mtime = AfxTimeFromFileTime(ftLastWrite);
    rStatus.m_size = (static_cast<ULONGLONG>(nSizeHigh) << 32) | nSizeLow;
    // The low byte holds the Attribute bits; FILE_ATTRIBUTE_NORMAL (0x80) has no counterpart.
    rStatus.m_attribute = static_cast<BYTE>(dwAttributes & ~FILE_ATTRIBUTE_NORMAL);
    rStatus.m_padding = 0;
}

void CopyFullName(CFileStatus& rStatus, LPCTSTR lpszFullName)
{
    lstrcpyn(rStatus.m_szFullName, lpszFullName, _MAX_PATH);
}

} // namespace

CTime AFXAPI AfxTimeFromFileTime(const FILETIME& ft)
{
    try
    {
        return CTime(ft);
    }
    catch (CInvalidArgException* e)
    {
        e->Delete();
        return CTime();
    }
}

CString AFXAPI AfxGetFullPath(LPCTSTR lpszFileName)
{
    CString strPath;
    DWORD dwLength = ::GetFullPathName(lpszFileName, 0, nullptr, nullptr);
    if (dwLength == 0)
        return lpszFileName;
    dwLength = ::GetFullPathName(lpszFileName, dwLength, strPath.GetBuffer(static_cast<int>(dwLength)), nullptr);
    strPath.ReleaseBuffer(static_cast<int>(dwLength));
    return strPath;
}

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : CFile()
{
    OpenOrThrow(lpszFileName, nOpenFlags);
}

CFile::~CFile()
{
    if (m_hFile != hFileNull && m_bCloseOnDelete)
    {
        try
        {
            Close();
        }
        catch (CException* e)
        {
            e->Delete();
        }
    }
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    ASSERT(m_hFile == hFileNull);
    const DWORD dwAccess = DesiredAccess(nOpenFlags);
    const DWORD dwShareMode = ShareMode(nOpenFlags);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName = AfxGetFullPath(lpszFileName);

    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, !(nOpenFlags & modeNoInherit)};
    HANDLE hFile = ::CreateFile(lpszFileName, dwAccess, dwShareMode, &sa, CreationDisposition(nOpenFlags),
                                FlagsAndAttributes(nOpenFlags), nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
    {
        if (pError != nullptr)
        {
            pError->m_lOsError = static_cast<LONG>(::GetLastError());
            pError->m_cause = CFileException::OsErrorToException(pError->m_lOsError);
            pError->m_strFileName = lpszFileName;
        }
        m_strFileName.Empty();
        return FALSE;
    }
    m_hFile = hFile;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

void CFile::OpenOrThrow(LPCTSTR lpszFileName, UINT nOpenFlags)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER position;
    if (!::SetFilePointerEx(m_hFile, LARGE_INTEGER{}, &position, FILE_CURRENT))
        ThrowLastError(m_strFileName);
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LARGE_INTEGER distance;
    distance.QuadPart = lOff;
    LARGE_INTEGER position;
    if (!::SetFilePointerEx(m_hFile, distance, &position, nFrom))
        ThrowLastError(m_strFileName);
    return static_cast<ULONGLONG>(position.QuadPart);
}

void CFile::SeekToBegin()
{
    Seek(0, begin);
}

ULONGLONG CFile::SeekToEnd()
{
    return Seek(0, end);
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(m_hFile, &size))
        ThrowLastError(m_strFileName);
    return static_cast<ULONGLONG>(size.QuadPart);
}

void CFile::SetLength(ULONGLONG dwNewLen)
{
    Seek(static_cast<LONGLONG>(dwNewLen), begin);
    if (!::SetEndOfFile(m_hFile))
        ThrowLastError(m_strFileName);
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    DWORD dwRead = 0;
    if (!::ReadFile(m_hFile, lpBuf, nCount, &dwRead, nullptr))
        ThrowLastError(m_strFileName);
    return dwRead;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    DWORD dwWritten = 0;
    if (!::WriteFile(m_hFile, lpBuf, nCount, &dwWritten, nullptr))
        ThrowLastError(m_strFileName);
    if (dwWritten != nCount)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

void CFile::Flush()
{
    if (m_hFile != hFileNull && !::FlushFileBuffers(m_hFile))
        ThrowLastError(m_strFileName);
}

void CFile::Close()
{
    const bool bError = m_hFile != hFileNull && !::CloseHandle(m_hFile);
    const DWORD dwError = ::GetLastError();
    const CString strFileName = m_strFileName;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
    if (bError)
        CFileException::ThrowOsError(static_cast<LONG>(dwError), strFileName);
}

void CFile::Abort()
{
    if (m_hFile != hFileNull)
        ::CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

CFile* CFile::Duplicate() const
{
    if (m_hFile == hFileNull)
        return nullptr;
    HANDLE hProcess = ::GetCurrentProcess();
    HANDLE hFile;
    if (!::DuplicateHandle(hProcess, m_hFile, hProcess, &hFile, 0, FALSE, DUPLICATE_SAME_ACCESS))
        ThrowLastError(m_strFileName);
    CFile* pFile = new CFile(hFile);
    // The duplicate's handle is a new one that nobody else will close.
    pFile->m_bCloseOnDelete = TRUE;
    pFile->m_strFileName = m_strFileName;
    return pFile;
}

void CFile::LockRange(ULONGLONG dwPos, ULONGLONG dwCount)
{
    if (!::LockFile(m_hFile, static_cast<DWORD>(dwPos), static_cast<DWORD>(dwPos >> 32), static_cast<DWORD>(dwCount),
                    static_cast<DWORD>(dwCount >> 32)))
        ThrowLastError(m_strFileName);
}

void CFile::UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount)
{
    if (!::UnlockFile(m_hFile, static_cast<DWORD>(dwPos), static_cast<DWORD>(dwPos >> 32), static_cast<DWORD>(dwCount),
                      static_cast<DWORD>(dwCount >> 32)))
        ThrowLastError(m_strFileName);
}

UINT CFile::GetBufferPtr(UINT nCommand, UINT, void**, void**)
{
    // CArchive asks every file; 0 tells it to buffer the file itself.
    if (nCommand == bufferCheck)
        return 0;
    AfxThrowNotSupportedException();
}

CString CFile::GetFilePath() const
{
    return m_strFileName;
}

CString CFile::GetFileName() const
{
    TCHAR szName[_MAX_FNAME];
    TCHAR szExt[_MAX_EXT];
    _wsplitpath_s(m_strFileName, nullptr, 0, nullptr, 0, szName, _MAX_FNAME, szExt, _MAX_EXT);
    return CString(szName) + szExt;
}

CString CFile::GetFileTitle() const
{
    TCHAR szName[_MAX_FNAME];
    _wsplitpath_s(m_strFileName, nullptr, 0, nullptr, 0, szName, _MAX_FNAME, nullptr, 0);
    return szName;
}

void CFile::SetFilePath(LPCTSTR lpszNewName)
{
    m_strFileName = lpszNewName;
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const
{
    CopyFullName(rStatus, m_strFileName);
    BY_HANDLE_FILE_INFORMATION info = {};
    if (m_hFile != hFileNull && !::GetFileInformationByHandle(m_hFile, &info))
        return FALSE;
    FillStatus(rStatus, info.dwFileAttributes, info.ftCreationTime, info.ftLastAccessTime, info.ftLastWriteTime,
               info.nFileSizeHigh, info.nFileSizeLow);
    return TRUE;
}

BOOL PASCAL CFile::GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus)
{
    CopyFullName(rStatus, AfxGetFullPath(lpszFileName));
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesEx(lpszFileName, GetFileExInfoStandard, &data))
        return FALSE;
    FillStatus(rStatus, data.dwFileAttributes, data.ftCreationTime, data.ftLastAccessTime, data.ftLastWriteTime,
               data.nFileSizeHigh, data.nFileSizeLow);
    return TRUE;
}

void PASCAL CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName)
{
    if (!::MoveFile(lpszOldName, lpszNewName))
        ThrowLastError(lpszOldName);
}

void PASCAL CFile::Remove(LPCTSTR lpszFileName)
{
    if (!::DeleteFile(lpszFileName))
        ThrowLastError(lpszFileName);
}
