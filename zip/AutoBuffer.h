// CZipAutoBuffer: an owned byte array.
#pragma once

#include <windows.h>

class CZipAutoBuffer
{
public:
    CZipAutoBuffer() = default;
    explicit CZipAutoBuffer(DWORD iSize, bool bZero = false);
    CZipAutoBuffer(const CZipAutoBuffer& buffer);
    CZipAutoBuffer& operator=(const CZipAutoBuffer& buffer);
    virtual ~CZipAutoBuffer();

    // Keeps the block when the size is unchanged (cleared when bZero); size 0 leaves the buffer
    // empty. Throws CZipException memError when memory runs out.
    char* Allocate(DWORD iSize, bool bZero = false);
    void Release();

    char* GetBuffer() const
    {
        return m_pBuffer;
    }
    DWORD GetSize() const
    {
        return m_iSize;
    }
    bool IsAllocated() const
    {
        return m_pBuffer != nullptr;
    }
    operator char*() const
    {
        return m_pBuffer;
    }

private:
    char* m_pBuffer = nullptr;
    DWORD m_iSize = 0;
};
