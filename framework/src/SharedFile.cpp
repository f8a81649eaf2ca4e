#include <afxadv.h>

IMPLEMENT_DYNAMIC(CSharedFile, CMemFile)

CSharedFile::CSharedFile(UINT nAllocFlags, UINT nGrowBytes)
    : CMemFile(nGrowBytes), m_nAllocFlags(nAllocFlags), m_hGlobalMemory(nullptr), m_bAllowGrow(TRUE)
{
}

CSharedFile::~CSharedFile()
{
    // Here, not in ~CMemFile: by then Free would no longer be this class's.
    if (m_lpBuffer != nullptr)
        Close();
}

HGLOBAL CSharedFile::Detach()
{
    HGLOBAL hMem = m_hGlobalMemory;
    if (hMem != nullptr)
        ::GlobalUnlock(hMem);
    m_hGlobalMemory = nullptr;
    CMemFile::Detach();
    return hMem;
}

void CSharedFile::SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow)
{
    ASSERT(m_hGlobalMemory == nullptr);
    BYTE* lpBuffer = static_cast<BYTE*>(::GlobalLock(hGlobalMemory));
    if (lpBuffer == nullptr)
        AfxThrowInvalidArgException();
    m_hGlobalMemory = hGlobalMemory;
    m_lpBuffer = lpBuffer;
    m_nBufferSize = m_nFileSize = ::GlobalSize(hGlobalMemory);
    m_nPosition = 0;
    m_bAllowGrow = bAllowGrow;
    m_bAutoDelete = TRUE;
}

BYTE* CSharedFile::Alloc(SIZE_T nBytes)
{
    m_hGlobalMemory = ::GlobalAlloc(m_nAllocFlags, nBytes);
    return m_hGlobalMemory == nullptr ? nullptr : static_cast<BYTE*>(::GlobalLock(m_hGlobalMemory));
}

BYTE* CSharedFile::Realloc(BYTE*, SIZE_T nBytes)
{
    if (!m_bAllowGrow)
        return nullptr;
    // A locked block cannot move: unlock it for the resize and lock where it ended up.
    ::GlobalUnlock(m_hGlobalMemory);
    HGLOBAL hNew = ::GlobalReAlloc(m_hGlobalMemory, nBytes, m_nAllocFlags);
    if (hNew != nullptr)
        m_hGlobalMemory = hNew;
    BYTE* lpMem = static_cast<BYTE*>(::GlobalLock(m_hGlobalMemory));
    return hNew == nullptr ? nullptr : lpMem;
}

void CSharedFile::Free(BYTE*)
{
    ::GlobalUnlock(m_hGlobalMemory);
    ::GlobalFree(m_hGlobalMemory);
    m_hGlobalMemory = nullptr;
}
