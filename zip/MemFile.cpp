#include <zip/MemFile.h>

#include <zip/Exception.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace
{
const ULONGLONG kMaxSize = std::numeric_limits<UINT>::max();
}

CZipMemFile::CZipMemFile(UINT nGrowBy) : m_nGrowBy(nGrowBy)
{
}

CZipMemFile::~CZipMemFile()
{
    free(m_lpBuf);
}

void CZipMemFile::Close()
{
    free(m_lpBuf);
    m_lpBuf = nullptr;
    m_nBufSize = m_nDataSize = m_nPos = 0;
}

void CZipMemFile::Grow(ULONGLONG uNeeded)
{
    if (uNeeded <= m_nBufSize)
        return;
    if (m_nGrowBy == 0 || uNeeded > kMaxSize)
        CZipException::Throw(CZipException::memError);
    // Linear growth in whole steps, as many as needed at once.
    const ULONGLONG uSteps = (uNeeded - m_nBufSize + m_nGrowBy - 1) / m_nGrowBy;
    const ULONGLONG uNewSize = std::min(m_nBufSize + uSteps * m_nGrowBy, kMaxSize);
    BYTE* lpNew = static_cast<BYTE*>(realloc(m_lpBuf, static_cast<size_t>(uNewSize)));
    if (lpNew == nullptr)
        CZipException::Throw(CZipException::memError);
    m_lpBuf = lpNew;
    m_nBufSize = static_cast<UINT>(uNewSize);
}

void CZipMemFile::Extend(UINT nNewSize)
{
    if (nNewSize > m_nDataSize)
    {
        memset(m_lpBuf + m_nDataSize, 0, nNewSize - m_nDataSize);
        m_nDataSize = nNewSize;
    }
}

ULONGLONG CZipMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG lTarget = lOff;
    if (nFrom == current)
        lTarget += m_nPos;
    else if (nFrom == end)
        lTarget += m_nDataSize;
    if (lTarget < 0 || static_cast<ULONGLONG>(lTarget) > kMaxSize)
        CZipException::Throw(CZipException::memError);
    Grow(static_cast<ULONGLONG>(lTarget));
    m_nPos = static_cast<UINT>(lTarget);
    return m_nPos;
}

void CZipMemFile::SetLength(ULONGLONG uNewLen)
{
    if (uNewLen > m_nBufSize)
    {
        Grow(uNewLen);
        Extend(static_cast<UINT>(uNewLen));
    }
    else
    {
        const UINT nNewLen = static_cast<UINT>(uNewLen);
        Extend(nNewLen);
        m_nDataSize = m_nPos = nNewLen;
    }
}

UINT CZipMemFile::Read(void* lpBuf, UINT nCount)
{
    if (m_nPos >= m_nDataSize)
        return 0;
    const UINT nRead = std::min(nCount, m_nDataSize - m_nPos);
    memcpy(lpBuf, m_lpBuf + m_nPos, nRead);
    m_nPos += nRead;
    return nRead;
}

void CZipMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    const ULONGLONG uEnd = static_cast<ULONGLONG>(m_nPos) + nCount;
    Grow(uEnd);
    // A gap left by a seek beyond the end reads as zeros.
    Extend(m_nPos);
    memcpy(m_lpBuf + m_nPos, lpBuf, nCount);
    m_nPos = static_cast<UINT>(uEnd);
    m_nDataSize = std::max(m_nDataSize, m_nPos);
}
