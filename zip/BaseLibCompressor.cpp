#include <zip/BaseLibCompressor.h>

#include <zip/FileHeader.h>

#include <cstdlib>

namespace ZipLib
{
CBaseLibCompressor::CBaseLibCompressor(CZipStorage* pStorage) : CZipCompressor(pStorage)
{
}

CBaseLibCompressor::~CBaseLibCompressor()
{
    EmptyPtrList();
}

void CBaseLibCompressor::BeginCompression(int iLevel, CZipFileHeader* pFile, CZipCryptograph* pCryptograph)
{
    CZipCompressor::BeginCompression(iLevel, pFile, pCryptograph);
    InitBuffer(GetOptions()->m_iBufferSize);
    m_uTotalIn = m_uTotalOut = 0;
}

void CBaseLibCompressor::BeginDecompression(CZipFileHeader* pFile, CZipCryptograph* pCryptograph)
{
    CZipCompressor::BeginDecompression(pFile, pCryptograph);
    InitBuffer(GetOptions()->m_iBufferSize);
    m_bDecompressionDone = false;
}

void CBaseLibCompressor::CheckForError(int iErr) const
{
    if (!IsResultAcceptable(iErr))
        ThrowError(MapLibraryError(iErr));
}

void* CBaseLibCompressor::Allocate(void* pOpaque, size_t uItems, size_t uSize)
{
    void* pBlock = malloc(uItems * uSize);
    if (pBlock && pOpaque)
    {
        try
        {
            static_cast<CZipPtrList*>(pOpaque)->AddTail(pBlock);
        }
        catch (CException* e)
        {
            // The library reports a failed allocation itself; nothing may be thrown through it.
            e->Delete();
            free(pBlock);
            return nullptr;
        }
    }
    return pBlock;
}

void CBaseLibCompressor::Free(void* pOpaque, void* pAddress)
{
    if (pOpaque)
    {
        CZipPtrList* pList = static_cast<CZipPtrList*>(pOpaque);
        if (POSITION pos = pList->Find(pAddress))
            pList->RemoveAt(pos);
    }
    free(pAddress);
}

void* CBaseLibCompressor::GetAllocationOpaque()
{
    return GetOptions()->m_bDetectLibMemoryLeaks ? &m_list : nullptr;
}

void CBaseLibCompressor::EmptyPtrList()
{
    while (!m_list.IsEmpty())
        free(m_list.RemoveHead());
}

void CBaseLibCompressor::UpdateFileSizes()
{
    m_pFile->m_uComprSize += m_uTotalOut;
    m_pFile->m_uUncomprSize = m_uTotalIn;
}

void CBaseLibCompressor::ReleaseResources()
{
    EmptyPtrList();
    m_pBuffer.Release();
}
} // namespace ZipLib
