#include <afx.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(nullptr),
      m_bAutoDelete(TRUE)
{
}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : CMemFile(nGrowBytes)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile()
{
    if (m_lpBuffer != nullptr)
        Close();
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    if (lpBuffer == nullptr && nBufferSize != 0)
        AfxThrowInvalidArgException();
    ASSERT(m_lpBuffer == nullptr);
    m_nGrowBytes = nGrowBytes;
    m_nPosition = 0;
    m_nBufferSize = nBufferSize;
    m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
    m_lpBuffer = lpBuffer;
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach()
{
    BYTE* lpBuffer = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_nFileSize = 0;
    m_nBufferSize = 0;
    m_nPosition = 0;
    return lpBuffer;
}

ULONGLONG CMemFile::GetPosition() const
{
    return m_nPosition;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG lNewPos;
    switch (nFrom)
    {
    case begin:
        lNewPos = lOff;
        break;
    case current:
        lNewPos = static_cast<LONGLONG>(m_nPosition) + lOff;
        break;
    case end:
        lNewPos = static_cast<LONGLONG>(m_nFileSize) + lOff;
        break;
    default:
        AfxThrowInvalidArgException();
    }
    if (lNewPos < 0)
        AfxThrowFileException(CFileException::badSeek);
    m_nPosition = static_cast<SIZE_T>(lNewPos);
    return m_nPosition;
}

ULONGLONG CMemFile::GetLength() const
{
    return m_nFileSize;
}

void CMemFile::SetLength(ULONGLONG dwNewLen)
{
    const auto nNewLen = static_cast<SIZE_T>(dwNewLen);
    if (nNewLen > m_nBufferSize)
        GrowFile(nNewLen);
    if (nNewLen > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, nNewLen - m_nFileSize);
    if (nNewLen < m_nPosition)
        m_nPosition = nNewLen;
    m_nFileSize = nNewLen;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (m_nPosition >= m_nFileSize)
        return 0;
    const auto nRead = static_cast<UINT>(std::min<SIZE_T>(nCount, m_nFileSize - m_nPosition));
    Memcpy(static_cast<BYTE*>(lpBuf), m_lpBuffer + m_nPosition, nRead);
    m_nPosition += nRead;
    return nRead;
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    void* pBufStart;
    void* pBufMax;
    GetBufferPtr(bufferWrite, nCount, &pBufStart, &pBufMax);
    Memcpy(static_cast<BYTE*>(pBufStart), static_cast<const BYTE*>(lpBuf), nCount);
    GetBufferPtr(bufferCommit, nCount);
}

void CMemFile::Flush()
{
}

void CMemFile::Close()
{
    m_nGrowBytes = 0;
    m_nPosition = 0;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    if (m_lpBuffer != nullptr && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = nullptr;
}

void CMemFile::Abort()
{
    Close();
}

UINT CMemFile::GetBufferPtr(UINT nCommand, UINT nCount, void** ppBufStart, void** ppBufMax)
{
    if (nCommand == bufferCheck)
    {
        // Direct writers need room beyond the end, which only a growing file can give.
        return m_nGrowBytes > 0 ? bufferDirect : 0;
    }
    if (nCommand == bufferCommit)
    {
        m_nPosition += nCount;
        m_nFileSize = std::max(m_nFileSize, m_nPosition);
        return 0;
    }
    if (nCommand != bufferRead && nCommand != bufferWrite)
        AfxThrowInvalidArgException();
    if (ppBufStart == nullptr || ppBufMax == nullptr)
        return 0;

    if (nCommand == bufferWrite)
    {
        if (m_nPosition + nCount > m_nBufferSize)
            GrowFile(m_nPosition + nCount);
        // Bytes skipped by a seek past the end read as zeros once the file reaches them.
        if (m_nPosition > m_nFileSize)
            std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
        *ppBufStart = m_lpBuffer + m_nPosition;
        *ppBufMax = m_lpBuffer + m_nPosition + nCount;
        return nCount;
    }

    const SIZE_T nAvailable = m_nPosition < m_nFileSize ? m_nFileSize - m_nPosition : 0;
    const auto nRead = static_cast<UINT>(std::min<SIZE_T>(nCount, nAvailable));
    *ppBufStart = m_lpBuffer + m_nPosition;
    *ppBufMax = m_lpBuffer + m_nPosition + nRead;
    m_nPosition += nRead;
    return nRead;
}

CFile* CMemFile::Duplicate() const
{
    AfxThrowNotSupportedException();
}

void CMemFile::LockRange(ULONGLONG, ULONGLONG)
{
    AfxThrowNotSupportedException();
}

void CMemFile::UnlockRange(ULONGLONG, ULONGLONG)
{
    AfxThrowNotSupportedException();
}

BYTE* CMemFile::Alloc(SIZE_T nBytes)
{
    return static_cast<BYTE*>(std::malloc(nBytes));
}

BYTE* CMemFile::Realloc(BYTE* lpMem, SIZE_T nBytes)
{
    return static_cast<BYTE*>(std::realloc(lpMem, nBytes));
}

BYTE* CMemFile::Memcpy(BYTE* lpMemTarget, const BYTE* lpMemSource, SIZE_T nBytes)
{
    return static_cast<BYTE*>(std::memcpy(lpMemTarget, lpMemSource, nBytes));
}

void CMemFile::Free(BYTE* lpMem)
{
    std::free(lpMem);
}

void CMemFile::GrowFile(SIZE_T dwNewLen)
{
    if (dwNewLen <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0)
        AfxThrowMemoryException();
    // The buffer at least doubles, so that writing n bytes copies O(n) of them whatever the step.
    const SIZE_T nWanted = std::max(dwNewLen, std::min(2 * m_nBufferSize, SIZE_MAX - m_nGrowBytes));
    if (nWanted > SIZE_MAX - m_nGrowBytes)
        AfxThrowMemoryException();
    const SIZE_T nNewBufferSize = (nWanted + m_nGrowBytes - 1) / m_nGrowBytes * m_nGrowBytes;
    BYTE* lpNew = m_lpBuffer == nullptr ? Alloc(nNewBufferSize) : Realloc(m_lpBuffer, nNewBufferSize);
    if (lpNew == nullptr)
        AfxThrowMemoryException();
    m_lpBuffer = lpNew;
    m_nBufferSize = nNewBufferSize;
}
