// CZipMemFile: a file in a block of the C heap that grows linearly as it is written.
#pragma once

#include <zip/AbstractFile.h>

class CZipMemFile : public CZipAbstractFile
{
public:
    explicit CZipMemFile(UINT nGrowBy = 1024);
    CZipMemFile(const CZipMemFile&) = delete;
    CZipMemFile& operator=(const CZipMemFile&) = delete;
    ~CZipMemFile() override;

    void Close() override;
    void Flush() override
    {
    }
    ULONGLONG GetPosition() const override
    {
        return m_nPos;
    }
    // A target before the start or beyond 32 bits throws CZipException memError; one beyond the
    // end grows the block but not the length.
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetLength() const override
    {
        return m_nDataSize;
    }
    void SetLength(ULONGLONG uNewLen) override;
    CString GetFilePath() const override
    {
        return CString();
    }
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    bool IsClosed() const override
    {
        return m_lpBuf == nullptr;
    }

    // The size of the block, which may exceed the length.
    UINT GetCapacity() const
    {
        return m_nBufSize;
    }

private:
    void Grow(ULONGLONG uNeeded);
    // Bytes between the old length and a new one read as zeros, as in a disk file.
    void Extend(UINT nNewSize);

    UINT m_nGrowBy;
    UINT m_nPos = 0;
    UINT m_nBufSize = 0;
    UINT m_nDataSize = 0;
    BYTE* m_lpBuf = nullptr;
};
