#include <zip/File.h>

IMPLEMENT_DYNAMIC(CZipFile, CFile)

bool CZipFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, bool bThrow)
{
    CFileException error;
    if (CFile::Open(lpszFileName, nOpenFlags, &error))
        return true;
    if (bThrow)
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
    return false;
}

void CZipFile::Close()
{
    if (!IsClosed())
        CFile::Close();
}

void CZipFile::Flush()
{
    CFile::Flush();
}

ULONGLONG CZipFile::GetPosition() const
{
    return CFile::GetPosition();
}

ULONGLONG CZipFile::Seek(LONGLONG lOff, UINT nFrom)
{
    return CFile::Seek(lOff, nFrom);
}

ULONGLONG CZipFile::GetLength() const
{
    return CFile::GetLength();
}

void CZipFile::SetLength(ULONGLONG uNewLen)
{
    CFile::SetLength(uNewLen);
}

CString CZipFile::GetFilePath() const
{
    return CFile::GetFilePath();
}

void CZipFile::SetFilePath(LPCTSTR lpszNewName)
{
    if (lpszNewName == nullptr)
        AfxThrowInvalidArgException();
    CFile::SetFilePath(lpszNewName);
}

UINT CZipFile::Read(void* lpBuf, UINT nCount)
{
    return CFile::Read(lpBuf, nCount);
}

void CZipFile::Write(const void* lpBuf, UINT nCount)
{
    CFile::Write(lpBuf, nCount);
}

bool CZipFile::IsClosed() const
{
    return m_hFile == hFileNull;
}
