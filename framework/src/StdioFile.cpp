#include <afx.h>

#include <cerrno>
#include <fcntl.h>
#include <iterator>
#include <io.h>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

namespace
{
// The C run-time's fopen mode for the flags; the handle is already open with the right
// access and creation, so "w" and "a" only say that the stream writes.
CString StreamMode(UINT nOpenFlags)
{
    CString strMode;
    if (nOpenFlags & CFile::modeCreate)
        strMode = (nOpenFlags & CFile::modeNoTruncate) ? _T("a") : _T("w");
    else if (nOpenFlags & CFile::modeWrite)
        strMode = _T("a");
    else
        strMode = _T("r");
    const bool bReads = strMode == _T("r");
    if ((bReads && (nOpenFlags & CFile::modeReadWrite)) || (!bReads && !(nOpenFlags & CFile::modeWrite)))
        strMode += _T('+');
    strMode += (nOpenFlags & CFile::typeBinary) ? _T('b') : _T('t');
    return strMode;
}
} // namespace

CStdioFile::CStdioFile() : m_pStream(nullptr)
{
}

CStdioFile::CStdioFile(FILE* pOpenStream)
    : CFile(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(pOpenStream)))), m_pStream(pOpenStream)
{
}

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_pStream(nullptr)
{
    OpenOrThrow(lpszFileName, nOpenFlags);
}

CStdioFile::~CStdioFile()
{
    if (m_pStream != nullptr && m_bCloseOnDelete)
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

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    m_pStream = nullptr;
    if (!CFile::Open(lpszFileName, nOpenFlags & ~typeText, pError))
        return FALSE;

    int nFlags = (nOpenFlags & typeBinary) ? _O_BINARY : _O_TEXT;
    if (!(nOpenFlags & (modeWrite | modeReadWrite)))
        nFlags |= _O_RDONLY;
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(m_hFile), nFlags);
    if (fd != -1)
        m_pStream = _wfdopen(fd, StreamMode(nOpenFlags));
    if (m_pStream != nullptr)
        return TRUE;

    const int nErrno = errno;
    if (pError != nullptr)
    {
        pError->m_lOsError = nErrno;
        pError->m_cause = CFileException::ErrnoToException(nErrno);
        pError->m_strFileName = lpszFileName;
    }
    // Once the descriptor exists it owns the handle.
    if (fd != -1)
    {
        _close(fd);
        m_hFile = hFileNull;
    }
    CFile::Abort();
    return FALSE;
}

void CStdioFile::WriteString(LPCTSTR lpsz)
{
    if (fputws(lpsz, m_pStream) == WEOF)
        CFileException::ThrowErrno(errno, m_strFileName);
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax)
{
    LPTSTR lpszResult = fgetws(lpsz, static_cast<int>(nMax), m_pStream);
    if (lpszResult == nullptr && !feof(m_pStream))
    {
        const int nErrno = errno;
        clearerr(m_pStream);
        CFileException::ThrowErrno(nErrno, m_strFileName);
    }
    return lpszResult;
}

BOOL CStdioFile::ReadString(CString& rString)
{
    rString.Empty();
    TCHAR szChunk[128];
    while (ReadString(szChunk, static_cast<UINT>(std::size(szChunk))) != nullptr)
    {
        rString += szChunk;
        const int nLength = rString.GetLength();
        if (nLength > 0 && rString[nLength - 1] == _T('\n'))
        {
            rString.Truncate(nLength - 1);
            return TRUE;
        }
    }
    // The last line may lack its line end.
    return !rString.IsEmpty();
}

ULONGLONG CStdioFile::GetPosition() const
{
    const LONGLONG lPos = _ftelli64(m_pStream);
    if (lPos < 0)
        CFileException::ThrowErrno(errno, m_strFileName);
    return static_cast<ULONGLONG>(lPos);
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom)
{
    if (_fseeki64(m_pStream, lOff, static_cast<int>(nFrom)) != 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    return GetPosition();
}

ULONGLONG CStdioFile::GetLength() const
{
    const ULONGLONG nPos = GetPosition();
    auto* pThis = const_cast<CStdioFile*>(this);
    const ULONGLONG nLength = pThis->Seek(0, end);
    pThis->Seek(static_cast<LONGLONG>(nPos), begin);
    return nLength;
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    const auto nRead = static_cast<UINT>(fread(lpBuf, 1, nCount, m_pStream));
    if (ferror(m_pStream))
    {
        const int nErrno = errno;
        clearerr(m_pStream);
        CFileException::ThrowErrno(nErrno, m_strFileName);
    }
    return nRead;
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    if (fwrite(lpBuf, 1, nCount, m_pStream) != nCount)
        CFileException::ThrowErrno(errno, m_strFileName);
}

void CStdioFile::Flush()
{
    if (m_pStream != nullptr && fflush(m_pStream) != 0)
        CFileException::ThrowErrno(errno, m_strFileName);
}

void CStdioFile::Close()
{
    const bool bError = m_pStream != nullptr && fclose(m_pStream) != 0;
    const int nErrno = errno;
    const CString strFileName = m_strFileName;
    m_pStream = nullptr;
    // The stream closed the handle.
    m_hFile = hFileNull;
    CFile::Close();
    if (bError)
        CFileException::ThrowErrno(nErrno, strFileName);
}

void CStdioFile::Abort()
{
    if (m_pStream != nullptr && m_bCloseOnDelete)
        fclose(m_pStream);
    m_pStream = nullptr;
    m_hFile = hFileNull;
    CFile::Abort();
}

CFile* CStdioFile::Duplicate() const
{
    AfxThrowNotSupportedException();
}

void CStdioFile::LockRange(ULONGLONG, ULONGLONG)
{
    AfxThrowNotSupportedException();
}

void CStdioFile::UnlockRange(ULONGLONG, ULONGLONG)
{
    AfxThrowNotSupportedException();
}
