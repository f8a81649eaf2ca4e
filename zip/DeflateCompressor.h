// ZipLib::CDeflateCompressor: raw deflate (method 8) over zlib, and stored data (method 0).
#pragma once

#include <zip/BaseLibCompressor.h>

#include <zlib.h>

namespace ZipLib
{
class CDeflateCompressor : public CBaseLibCompressor
{
public:
    using COptions = CLibCompressorOptions<typeDeflate, true>;

    explicit CDeflateCompressor(CZipStorage* pStorage);

    bool SupportsMethod(WORD uMethod) const override;
    void BeginCompression(int iLevel, CZipFileHeader* pFile, CZipCryptograph* pCryptograph) override;
    void BeginDecompression(CZipFileHeader* pFile, CZipCryptograph* pCryptograph) override;
    void Compress(const void* pBuffer, DWORD uSize) override;
    DWORD Decompress(void* pBuffer, DWORD uSize) override;
    void EndCompression(bool bAfterException) override;
    void EndDecompression(bool bAfterException) override;
    const COptions* GetOptions() const override;
    void ApplyOptions(const CZipCompressor::COptions* pOptions) override;

protected:
    int MapLibraryError(int iErr) const override;
    bool IsResultAcceptable(int iErr) const override;

private:
    bool IsDeflated() const;
    // A stream with no state, allocating through the library callbacks.
    void ResetStream();
    // Stored data: copies what fits from the input to the output.
    int Copy();

    COptions m_options;
    z_stream m_stream = {};
};
} // namespace ZipLib
