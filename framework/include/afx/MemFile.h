// CMemFile: a file held in a block of memory that grows as it is written.
#pragma once

class CMemFile : public CFile
{
    DECLARE_DYNAMIC(CMemFile)
public:
    // An empty file that grows in whole steps of nGrowBytes, at least doubling each time.
    explicit CMemFile(UINT nGrowBytes = 1024);
    // Over the caller's buffer (see Attach).
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    ~CMemFile() override;

    // With nGrowBytes 0 the file is the buffer's bytes and cannot grow; otherwise it starts
    // empty and grows the buffer with Realloc. The buffer stays the caller's either way.
    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Hands the buffer to the caller and leaves the file empty.
    BYTE* Detach();

    ULONGLONG GetPosition() const override;
    // Positions past the end are allowed; writing there fills the gap with zeros.
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetLength() const override;
    void SetLength(ULONGLONG dwNewLen) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    // Throws CMemoryException when the buffer cannot grow.
    void Write(const void* lpBuf, UINT nCount) override;
    void Flush() override;
    void Close() override;
    void Abort() override;

    // bufferCheck: bufferDirect when the file can grow, else 0. bufferRead: the next nCount
    // bytes (at most up to the end) in place, advancing the position. bufferWrite: room for
    // nCount bytes at the position, growing the buffer; bufferCommit then adds nCount
    // written bytes to the position and the length. The return value is the byte count.
    UINT GetBufferPtr(UINT nCommand, UINT nCount = 0, void** ppBufStart = nullptr, void** ppBufMax = nullptr) override;

    // A memory file has no handle to share or lock: these throw CNotSupportedException.
    CFile* Duplicate() const override;
    void LockRange(ULONGLONG dwPos, ULONGLONG dwCount) override;
    void UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount) override;

protected:
    // The allocation hooks, over the C heap here; derived classes put the file elsewhere.
    virtual BYTE* Alloc(SIZE_T nBytes);
    virtual BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes);
    virtual BYTE* Memcpy(BYTE* lpMemTarget, const BYTE* lpMemSource, SIZE_T nBytes);
    virtual void Free(BYTE* lpMem);
    // Makes the buffer at least dwNewLen bytes and at least twice as big, in whole steps of m_nGrowBytes.
    virtual void GrowFile(SIZE_T dwNewLen);

    SIZE_T m_nGrowBytes;
    SIZE_T m_nPosition;
    SIZE_T m_nBufferSize;
    SIZE_T m_nFileSize;
    BYTE* m_lpBuffer;
    // Whether Close frees the buffer: not for a buffer the caller attached.
    BOOL m_bAutoDelete;
};
