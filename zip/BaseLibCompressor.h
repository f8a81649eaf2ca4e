// ZipLib::CBaseLibCompressor: what the compressors over zlib and bzip2 share: their options,
// the record of the library's allocations, the 64-bit byte totals and the data loops.
#pragma once

#include <zip/Collections.h>
#include <zip/Compressor.h>
#include <zip/Exception.h>

namespace ZipLib
{
class CBaseLibCompressor : public CZipCompressor
{
public:
    class COptions : public CZipCompressor::COptions
    {
    public:
        explicit COptions(bool bCheckLastBlock) : m_bCheckLastBlock(bCheckLastBlock)
        {
        }

        DWORD m_iBufferSize = DefaultBufferSize;
        // The library's allocations are recorded so that none survives the entry.
        bool m_bDetectLibMemoryLeaks = true;
        // After the last decompressed byte, the library's stream must report its end.
        bool m_bCheckLastBlock;
    };

    explicit CBaseLibCompressor(CZipStorage* pStorage);
    ~CBaseLibCompressor() override;

    void BeginCompression(int iLevel, CZipFileHeader* pFile, CZipCryptograph* pCryptograph) override;
    void BeginDecompression(CZipFileHeader* pFile, CZipCryptograph* pCryptograph) override;
    const COptions* GetOptions() const override = 0;

    // A library result and its CZipException code.
    struct CErrorMapping
    {
        int iLibraryResult;
        int iCode;
    };

protected:
    virtual bool IsResultAcceptable(int iErr) const = 0;
    void CheckForError(int iErr) const;
    // The code of a library result in a table; genericError when it is not there.
    template <size_t N> static int MapByTable(const CErrorMapping (&table)[N], int iErr)
    {
        for (const CErrorMapping& mapping : table)
            if (mapping.iLibraryResult == iErr)
                return mapping.iCode;
        return CZipException::genericError;
    }

    // The library's memory callbacks; the opaque pointer is the allocation list or null.
    static void* Allocate(void* pOpaque, size_t uItems, size_t uSize);
    static void Free(void* pOpaque, void* pAddress);
    void* GetAllocationOpaque();
    void EmptyPtrList();

    // The data loops over a zlib or bzip2 stream. call() runs the library once and returns its
    // result; iStreamEnd is the library's end-of-stream result.
    template <class TStream, class TCall>
    void CompressData(TStream& stream, const void* pBuffer, DWORD uSize, TCall call);
    template <class TStream, class TCall> void FinishCompression(TStream& stream, TCall call, int iStreamEnd);
    template <class TStream, class TCall>
    DWORD DecompressData(TStream& stream, void* pBuffer, DWORD uSize, TCall call, int iStreamEnd, bool bCheckEnd);
    // Copies options of the compressor's own type.
    template <class TOptions> static void CopyOptions(TOptions& options, const CZipCompressor::COptions* pOptions)
    {
        if (pOptions && pOptions->GetType() == options.GetType())
            options = *static_cast<const TOptions*>(pOptions);
    }
    // Adds the totals to the entry's sizes; the compressed size already holds the encryption header.
    void UpdateFileSizes();
    // Frees the recorded allocations and the buffer.
    void ReleaseResources();

    bool m_bDecompressionDone = false;
    CZipPtrList m_list;
    ULONGLONG m_uTotalIn = 0;
    ULONGLONG m_uTotalOut = 0;

private:
    template <class TStream> void ResetOutput(TStream& stream);
};

template <class TStream> void CBaseLibCompressor::ResetOutput(TStream& stream)
{
    FlushWriteBuffer();
    stream.next_out = reinterpret_cast<decltype(stream.next_out)>(m_pBuffer.GetBuffer());
    stream.avail_out = m_pBuffer.GetSize();
}

template <class TStream, class TCall>
void CBaseLibCompressor::CompressData(TStream& stream, const void* pBuffer, DWORD uSize, TCall call)
{
    using InPointer = decltype(stream.next_in);
    stream.next_in = reinterpret_cast<InPointer>(const_cast<void*>(pBuffer));
    stream.avail_in = uSize;
    while (stream.avail_in > 0)
    {
        if (stream.avail_out == 0)
            ResetOutput(stream);
        const DWORD uInBefore = stream.avail_in, uOutBefore = stream.avail_out;
        const int iErr = call();
        CheckForError(iErr);
        m_uTotalIn += uInBefore - stream.avail_in;
        m_uTotalOut += uOutBefore - stream.avail_out;
        m_uComprLeft += uOutBefore - stream.avail_out;
    }
}

template <class TStream, class TCall>
void CBaseLibCompressor::FinishCompression(TStream& stream, TCall call, int iStreamEnd)
{
    int iErr;
    do
    {
        if (stream.avail_out == 0)
            ResetOutput(stream);
        const DWORD uOutBefore = stream.avail_out;
        iErr = call();
        m_uTotalOut += uOutBefore - stream.avail_out;
        m_uComprLeft += uOutBefore - stream.avail_out;
    } while (iErr != iStreamEnd && IsResultAcceptable(iErr));
    if (iErr != iStreamEnd)
        CheckForError(iErr);
}

template <class TStream, class TCall>
DWORD CBaseLibCompressor::DecompressData(TStream& stream, void* pBuffer, DWORD uSize, TCall call, int iStreamEnd,
                                         bool bCheckEnd)
{
    if (m_bDecompressionDone)
        return 0;
    using InPointer = decltype(stream.next_in);
    const auto refill = [&] {
        stream.avail_in = FillBuffer();
        stream.next_in = reinterpret_cast<InPointer>(m_pBuffer.GetBuffer());
        return stream.avail_in > 0;
    };

    if (uSize > m_uUncomprLeft)
        uSize = static_cast<DWORD>(m_uUncomprLeft);
    stream.next_out = reinterpret_cast<decltype(stream.next_out)>(pBuffer);
    stream.avail_out = uSize;
    while (stream.avail_out > 0 && (stream.avail_in > 0 || refill()))
    {
        const int iErr = call();
        if (iErr == iStreamEnd)
        {
            m_bDecompressionDone = true;
            break;
        }
        CheckForError(iErr);
    }
    const DWORD uProduced = uSize - stream.avail_out;
    UpdateCrc(pBuffer, uProduced);
    if (uProduced == 0 && !m_bDecompressionDone)
    {
        // Nothing more comes: the stream must end here.
        if (bCheckEnd)
        {
            if (stream.avail_in == 0)
                refill();
            if (call() != iStreamEnd)
                ThrowError(CZipException::badZipFile);
        }
        m_bDecompressionDone = true;
    }
    return uProduced;
}

// The options of one library compressor: its type and whether the stream's end is checked.
template <int iType, bool bCheckLastBlock> class CLibCompressorOptions : public CBaseLibCompressor::COptions
{
public:
    CLibCompressorOptions() : CBaseLibCompressor::COptions(bCheckLastBlock)
    {
    }
    int GetType() const override
    {
        return iType;
    }
    CLibCompressorOptions* Clone() const override
    {
        return new CLibCompressorOptions(*this);
    }
};
} // namespace ZipLib
