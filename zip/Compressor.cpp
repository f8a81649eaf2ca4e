#include <zip/Compressor.h>

#include <zip/Bzip2Compressor.h>
#include <zip/Cryptograph.h>
#include <zip/DeflateCompressor.h>
#include <zip/Exception.h>
#include <zip/FileHeader.h>
#include <zip/Storage.h>

#include <zlib.h>

CZipCompressor::COptionsMap::~COptionsMap()
{
    POSITION pos = m_map.GetStartPosition();
    while (pos)
    {
        int iType;
        COptions* pOptions;
        m_map.GetNextAssoc(pos, iType, pOptions);
        delete pOptions;
    }
}

void CZipCompressor::COptionsMap::Set(const COptions& options)
{
    delete Get(options.GetType());
    m_map.SetAt(options.GetType(), options.Clone());
}

CZipCompressor::COptions* CZipCompressor::COptionsMap::Get(int iType) const
{
    COptions* pOptions = nullptr;
    return m_map.Lookup(iType, pOptions) ? pOptions : nullptr;
}

CZipCompressor* CZipCompressor::CreateCompressor(WORD uMethod, CZipStorage* pStorage)
{
    switch (uMethod)
    {
    case methodStore:
    case methodDeflate:
        return new ZipLib::CDeflateCompressor(pStorage);
    case methodBzip2:
        return new ZipLib::CBzip2Compressor(pStorage);
    default:
        return nullptr;
    }
}

CZipCompressor::CZipCompressor(CZipStorage* pStorage) : m_pStorage(pStorage)
{
}

void CZipCompressor::BeginCompression(int /*iLevel*/, CZipFileHeader* pFile, CZipCryptograph* pCryptograph)
{
    m_pFile = pFile;
    m_pCryptograph = pCryptograph;
    m_uComprLeft = 0;
}

void CZipCompressor::BeginDecompression(CZipFileHeader* pFile, CZipCryptograph* pCryptograph)
{
    m_pFile = pFile;
    m_pCryptograph = pCryptograph;
    const ULONGLONG uEncrypted = pFile->GetEncryptedInfoSize();
    m_uComprLeft = pFile->m_uComprSize > uEncrypted ? pFile->m_uComprSize - uEncrypted : 0;
    m_uUncomprLeft = pFile->m_uUncomprSize;
    m_uCrc32 = 0;
}

void CZipCompressor::EndCompression(bool /*bAfterException*/)
{
}

void CZipCompressor::EndDecompression(bool /*bAfterException*/)
{
}

const CZipCompressor::COptions* CZipCompressor::GetOptions() const
{
    return nullptr;
}

void CZipCompressor::ApplyOptions(const COptions* /*pOptions*/)
{
}

int CZipCompressor::MapLibraryError(int iErr) const
{
    return iErr;
}

void CZipCompressor::ThrowError(int iCode) const
{
    CZipException::Throw(iCode, m_pStorage->IsOpen() ? (LPCTSTR)m_pStorage->GetArchivePath() : nullptr);
}

void CZipCompressor::InitBuffer(DWORD uSize)
{
    const DWORD uWanted = uSize ? uSize : DefaultBufferSize;
    if (m_pBuffer.GetSize() != uWanted)
        m_pBuffer.Allocate(uWanted);
}

void CZipCompressor::UpdateFileCrc(const void* pBuffer, DWORD uSize)
{
    m_pFile->m_uCrc32 = crc32(m_pFile->m_uCrc32, static_cast<const Bytef*>(pBuffer), uSize);
}

void CZipCompressor::UpdateCrc(const void* pBuffer, DWORD uSize)
{
    m_uCrc32 = crc32(m_uCrc32, static_cast<const Bytef*>(pBuffer), uSize);
    m_uUncomprLeft -= uSize;
}

void CZipCompressor::FlushWriteBuffer()
{
    if (m_uComprLeft == 0)
        return;
    const DWORD uSize = static_cast<DWORD>(m_uComprLeft);
    if (m_pCryptograph)
        m_pCryptograph->Encode(m_pBuffer, uSize);
    m_pStorage->Write(m_pBuffer, uSize, false);
    m_uComprLeft = 0;
}

DWORD CZipCompressor::FillBuffer()
{
    const DWORD uSize = static_cast<DWORD>(m_uComprLeft < m_pBuffer.GetSize() ? m_uComprLeft : m_pBuffer.GetSize());
    if (uSize == 0)
        return 0;
    m_pStorage->Read(m_pBuffer, uSize, false);
    if (m_pCryptograph)
        m_pCryptograph->Decode(m_pBuffer, uSize);
    m_uComprLeft -= uSize;
    return uSize;
}
