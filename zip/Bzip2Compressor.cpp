#include <zip/Bzip2Compressor.h>

#include <cstring>

namespace ZipLib
{
namespace
{
const CBaseLibCompressor::CErrorMapping bzip2Errors[] = {
    {BZ_SEQUENCE_ERROR, CZipException::bzSequenceError},
    {BZ_PARAM_ERROR, CZipException::bzParamError},
    {BZ_MEM_ERROR, CZipException::bzMemError},
    {BZ_DATA_ERROR, CZipException::bzDataError},
    {BZ_DATA_ERROR_MAGIC, CZipException::bzDataErrorMagic},
    {BZ_IO_ERROR, CZipException::bzIoError},
    {BZ_UNEXPECTED_EOF, CZipException::bzUnexpectedEof},
    {BZ_OUTBUFF_FULL, CZipException::bzOutbuffFull},
    {BZ_CONFIG_ERROR, CZipException::bzConfigError},
};

const int WorkFactor = 30;
} // namespace

CBzip2Compressor::CBzip2Compressor(CZipStorage* pStorage) : CBaseLibCompressor(pStorage)
{
}

bool CBzip2Compressor::SupportsMethod(WORD uMethod) const
{
    return uMethod == methodBzip2;
}

int CBzip2Compressor::GetBlockSize(int iLevel)
{
    if (iLevel < 0)
        return 6;
    return iLevel == 0 ? 1 : iLevel;
}

void CBzip2Compressor::ResetStream()
{
    memset(&m_stream, 0, sizeof(m_stream));
    m_stream.bzalloc = [](void* pOpaque, int iItems, int iSize) { return Allocate(pOpaque, iItems, iSize); };
    m_stream.bzfree = Free;
    m_stream.opaque = GetAllocationOpaque();
}

void CBzip2Compressor::BeginCompression(int iLevel, CZipFileHeader* pFile, CZipCryptograph* pCryptograph)
{
    CBaseLibCompressor::BeginCompression(iLevel, pFile, pCryptograph);
    ResetStream();
    m_stream.next_out = m_pBuffer.GetBuffer();
    m_stream.avail_out = m_pBuffer.GetSize();
    CheckForError(BZ2_bzCompressInit(&m_stream, GetBlockSize(iLevel), 0, WorkFactor));
}

void CBzip2Compressor::Compress(const void* pBuffer, DWORD uSize)
{
    UpdateFileCrc(pBuffer, uSize);
    CompressData(m_stream, pBuffer, uSize, [this] { return BZ2_bzCompress(&m_stream, BZ_RUN); });
}

void CBzip2Compressor::EndCompression(bool bAfterException)
{
    if (!bAfterException)
    {
        FinishCompression(
            m_stream, [this] { return BZ2_bzCompress(&m_stream, BZ_FINISH); }, BZ_STREAM_END);
        FlushWriteBuffer();
        CheckForError(BZ2_bzCompressEnd(&m_stream));
        UpdateFileSizes();
    }
    else
        BZ2_bzCompressEnd(&m_stream); // frees the library's memory also when it is not recorded
    ReleaseResources();
}

void CBzip2Compressor::BeginDecompression(CZipFileHeader* pFile, CZipCryptograph* pCryptograph)
{
    CBaseLibCompressor::BeginDecompression(pFile, pCryptograph);
    ResetStream();
    CheckForError(BZ2_bzDecompressInit(&m_stream, 0, 0));
}

DWORD CBzip2Compressor::Decompress(void* pBuffer, DWORD uSize)
{
    return DecompressData(
        m_stream, pBuffer, uSize, [this] { return BZ2_bzDecompress(&m_stream); }, BZ_STREAM_END,
        m_options.m_bCheckLastBlock);
}

void CBzip2Compressor::EndDecompression(bool bAfterException)
{
    const int iErr = BZ2_bzDecompressEnd(&m_stream);
    if (!bAfterException)
        CheckForError(iErr);
    ReleaseResources();
}

const CBzip2Compressor::COptions* CBzip2Compressor::GetOptions() const
{
    return &m_options;
}

void CBzip2Compressor::ApplyOptions(const CZipCompressor::COptions* pOptions)
{
    CopyOptions(m_options, pOptions);
}

int CBzip2Compressor::MapLibraryError(int iErr) const
{
    return MapByTable(bzip2Errors, iErr);
}

bool CBzip2Compressor::IsResultAcceptable(int iErr) const
{
    return iErr >= BZ_OK && iErr <= BZ_FINISH_OK;
}
} // namespace ZipLib
