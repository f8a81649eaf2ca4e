// ZipLib::CBzip2Compressor: bzip2 (method 12) over libbz2.
#pragma once

#include <zip/BaseLibCompressor.h>

#include <bzlib.h>

namespace ZipLib
{
class CBzip2Compressor : public CBaseLibCompressor
{
public:
    using COptions = CLibCompressorOptions<typeBzip2, false>;

    explicit CBzip2Compressor(CZipStorage* pStorage);

    bool SupportsMethod(WORD uMethod) const override;
    void BeginCompression(int iLevel, CZipFileHeader* pFile, CZipCryptograph* pCryptograph) override;
    void BeginDecompression(CZipFileHeader* pFile, CZipCryptograph* pCryptograph) override;
    void Compress(const void* pBuffer, DWORD uSize) override;
    DWORD Decompress(void* pBuffer, DWORD uSize) override;
    void EndCompression(bool bAfterException) override;
    void EndDecompression(bool bAfterException) override;
    const COptions* GetOptions() const override;
    void ApplyOptions(const CZipCompressor::COptions* pOptions) override;

    // The block size in units of 100 kB for a compression level: -1 gives 6, 0 gives 1.
    static int GetBlockSize(int iLevel);

protected:
    int MapLibraryError(int iErr) const override;
    bool IsResultAcceptable(int iErr) const override;

private:
    // A stream with no state, allocating through the library callbacks.
    void ResetStream();

    COptions m_options;
    bz_stream m_stream = {};
};
} // namespace ZipLib
