#include <zip/DeflateCompressor.h>

#include <zip/FileHeader.h>

#include <cstring>

namespace ZipLib
{
namespace
{
const CBaseLibCompressor::CErrorMapping zlibErrors[] = {
    {Z_VERSION_ERROR, CZipException::versionError}, {Z_BUF_ERROR, CZipException::bufError},
    {Z_MEM_ERROR, CZipException::memError},         {Z_DATA_ERROR, CZipException::dataError},
    {Z_STREAM_ERROR, CZipException::streamError},   {Z_ERRNO, CZipException::errNo},
    {Z_STREAM_END, CZipException::streamEnd},       {Z_NEED_DICT, CZipException::needDict},
};

// Raw deflate: a 15-bit window without zlib header or trailer.
const int WindowBits = -MAX_WBITS;
const int MemoryLevel = 8;
} // namespace

CDeflateCompressor::CDeflateCompressor(CZipStorage* pStorage) : CBaseLibCompressor(pStorage)
{
}

bool CDeflateCompressor::SupportsMethod(WORD uMethod) const
{
    return uMethod == methodStore || uMethod == methodDeflate;
}

bool CDeflateCompressor::IsDeflated() const
{
    return m_pFile->m_uMethod == methodDeflate;
}

void CDeflateCompressor::ResetStream()
{
    memset(&m_stream, 0, sizeof(m_stream));
    m_stream.zalloc = [](voidpf pOpaque, uInt uItems, uInt uSize) { return Allocate(pOpaque, uItems, uSize); };
    m_stream.zfree = Free;
    m_stream.opaque = GetAllocationOpaque();
}

void CDeflateCompressor::BeginCompression(int iLevel, CZipFileHeader* pFile, CZipCryptograph* pCryptograph)
{
    CBaseLibCompressor::BeginCompression(iLevel, pFile, pCryptograph);
    ResetStream();
    m_stream.next_out = reinterpret_cast<Bytef*>(m_pBuffer.GetBuffer());
    m_stream.avail_out = m_pBuffer.GetSize();
    if (IsDeflated())
        CheckForError(deflateInit2(&m_stream, iLevel, Z_DEFLATED, WindowBits, MemoryLevel, Z_DEFAULT_STRATEGY));
}

void CDeflateCompressor::Compress(const void* pBuffer, DWORD uSize)
{
    UpdateFileCrc(pBuffer, uSize);
    if (IsDeflated())
        CompressData(m_stream, pBuffer, uSize, [this] { return deflate(&m_stream, Z_NO_FLUSH); });
    else
        CompressData(m_stream, pBuffer, uSize, [this] { return Copy(); });
}

void CDeflateCompressor::EndCompression(bool bAfterException)
{
    if (!bAfterException)
    {
        if (IsDeflated())
            FinishCompression(
                m_stream, [this] { return deflate(&m_stream, Z_FINISH); }, Z_STREAM_END);
        FlushWriteBuffer();
        if (IsDeflated())
            CheckForError(deflateEnd(&m_stream));
        UpdateFileSizes();
    }
    else if (IsDeflated())
        deflateEnd(&m_stream); // frees the library's memory also when it is not recorded
    ReleaseResources();
}

void CDeflateCompressor::BeginDecompression(CZipFileHeader* pFile, CZipCryptograph* pCryptograph)
{
    CBaseLibCompressor::BeginDecompression(pFile, pCryptograph);
    ResetStream();
    if (IsDeflated())
        CheckForError(inflateInit2(&m_stream, WindowBits));
}

DWORD CDeflateCompressor::Decompress(void* pBuffer, DWORD uSize)
{
    if (IsDeflated())
        return DecompressData(
            m_stream, pBuffer, uSize, [this] { return inflate(&m_stream, Z_SYNC_FLUSH); }, Z_STREAM_END,
            m_options.m_bCheckLastBlock);
    return DecompressData(
        m_stream, pBuffer, uSize, [this] { return Copy(); }, Z_STREAM_END, false);
}

void CDeflateCompressor::EndDecompression(bool bAfterException)
{
    if (IsDeflated())
    {
        const int iErr = inflateEnd(&m_stream);
        if (!bAfterException)
            CheckForError(iErr);
    }
    ReleaseResources();
}

int CDeflateCompressor::Copy()
{
    const uInt uSize = m_stream.avail_in < m_stream.avail_out ? m_stream.avail_in : m_stream.avail_out;
    memcpy(m_stream.next_out, m_stream.next_in, uSize);
    m_stream.next_in += uSize;
    m_stream.avail_in -= uSize;
    m_stream.next_out += uSize;
    m_stream.avail_out -= uSize;
    return Z_OK;
}

const CDeflateCompressor::COptions* CDeflateCompressor::GetOptions() const
{
    return &m_options;
}

void CDeflateCompressor::ApplyOptions(const CZipCompressor::COptions* pOptions)
{
    CopyOptions(m_options, pOptions);
}

int CDeflateCompressor::MapLibraryError(int iErr) const
{
    return MapByTable(zlibErrors, iErr);
}

bool CDeflateCompressor::IsResultAcceptable(int iErr) const
{
    return iErr == Z_OK || iErr == Z_NEED_DICT;
}
} // namespace ZipLib
