// CSharedFile: a memory file in global memory, to hand to the clipboard or another process.
#pragma once

class CSharedFile : public CMemFile
{
    DECLARE_DYNAMIC(CSharedFile)
public:
    explicit CSharedFile(UINT nAllocFlags = GMEM_DDESHARE | GMEM_MOVEABLE, UINT nGrowBytes = 4096);
    ~CSharedFile() override;

    // Hands the global block, unlocked, to the caller and leaves the file empty. The block
    // may be larger than the file (it grows in steps).
    HGLOBAL Detach();
    // Takes over a global block: the file is its bytes, and it is freed on Close unless
    // detached. With bAllowGrow FALSE, writing past its end throws CMemoryException.
    void SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow = TRUE);

protected:
    BYTE* Alloc(SIZE_T nBytes) override;
    BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes) override;
    void Free(BYTE* lpMem) override;

    UINT m_nAllocFlags;
    HGLOBAL m_hGlobalMemory;
    BOOL m_bAllowGrow;
};
