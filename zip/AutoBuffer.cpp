#include <zip/AutoBuffer.h>

#include <zip/Exception.h>

#include <cstring>
#include <new>

CZipAutoBuffer::CZipAutoBuffer(DWORD iSize, bool bZero)
{
    Allocate(iSize, bZero);
}

CZipAutoBuffer::CZipAutoBuffer(const CZipAutoBuffer& buffer)
{
    *this = buffer;
}

CZipAutoBuffer& CZipAutoBuffer::operator=(const CZipAutoBuffer& buffer)
{
    if (this != &buffer)
    {
        Allocate(buffer.m_iSize);
        if (m_iSize != 0)
            memcpy(m_pBuffer, buffer.m_pBuffer, m_iSize);
    }
    return *this;
}

CZipAutoBuffer::~CZipAutoBuffer()
{
    Release();
}

char* CZipAutoBuffer::Allocate(DWORD iSize, bool bZero)
{
    if (iSize != m_iSize)
    {
        Release();
        if (iSize == 0)
            return nullptr;
        m_pBuffer = new (std::nothrow) char[iSize];
        if (m_pBuffer == nullptr)
            CZipException::Throw(CZipException::memError);
        m_iSize = iSize;
    }
    if (bZero && m_iSize != 0)
        memset(m_pBuffer, 0, m_iSize);
    return m_pBuffer;
}

void CZipAutoBuffer::Release()
{
    delete[] m_pBuffer;
    m_pBuffer = nullptr;
    m_iSize = 0;
}
