// CZipCompressor: turns an entry's source bytes into the stored bytes behind its local header
// and back, keeping the entry's CRC-32 and sizes and passing every full buffer through the
// entry's cryptograph.
#pragma once

#include <zip/AutoBuffer.h>

#include <afxtempl.h>

class CZipCryptograph;
class CZipFileHeader;
class CZipStorage;

class CZipCompressor
{
public:
    // Compression methods of zip entries.
    enum Methods : WORD
    {
        methodStore = 0,
        methodDeflate = 8,
        methodBzip2 = 12,
    };

    // The output buffer's size when the options give none.
    static const DWORD DefaultBufferSize = 0x20000;

    // Options types.
    enum OptionsTypes
    {
        typeDeflate = 1,
        typeBzip2 = 2,
    };

    class COptions
    {
    public:
        virtual int GetType() const = 0;
        virtual COptions* Clone() const = 0;
        virtual ~COptions() = default;
    };

    // Owned clones of options, one per options type.
    class COptionsMap
    {
    public:
        COptionsMap() = default;
        COptionsMap(const COptionsMap&) = delete;
        COptionsMap& operator=(const COptionsMap&) = delete;
        ~COptionsMap();

        // Keeps a clone, replacing the one of the same type.
        void Set(const COptions& options);
        // The clone of the type, or null.
        COptions* Get(int iType) const;

    private:
        CMap<int, int, COptions*, COptions*> m_map;
    };

    // A new compressor for the method (0 and 8 deflate, 12 bzip2), owned by the caller; null for
    // any other method.
    static CZipCompressor* CreateCompressor(WORD uMethod, CZipStorage* pStorage);

    explicit CZipCompressor(CZipStorage* pStorage);
    CZipCompressor(const CZipCompressor&) = delete;
    CZipCompressor& operator=(const CZipCompressor&) = delete;
    virtual ~CZipCompressor() = default;

    virtual bool SupportsMethod(WORD uMethod) const = 0;
    // Level -1 is the library's default. The cryptograph is null for an entry that is not
    // encrypted.
    virtual void BeginCompression(int iLevel, CZipFileHeader* pFile, CZipCryptograph* pCryptograph);
    virtual void BeginDecompression(CZipFileHeader* pFile, CZipCryptograph* pCryptograph);
    virtual void Compress(const void* pBuffer, DWORD uSize) = 0;
    // Returns the bytes produced; 0 once the entry's data has ended.
    virtual DWORD Decompress(void* pBuffer, DWORD uSize) = 0;
    // After an exception nothing more is written.
    virtual void EndCompression(bool bAfterException);
    virtual void EndDecompression(bool bAfterException);
    virtual const COptions* GetOptions() const;
    virtual void ApplyOptions(const COptions* pOptions);

    // The CRC-32 of what has been decompressed so far.
    DWORD GetCrc32() const
    {
        return m_uCrc32;
    }
    // Decompressing: the bytes of the entry not read yet.
    ULONGLONG GetUncompressedLeft() const
    {
        return m_uUncomprLeft;
    }

protected:
    // A library result as a CZipException code.
    virtual int MapLibraryError(int iErr) const;
    [[noreturn]] void ThrowError(int iCode) const;

    // Sets the output buffer up, 131072 bytes when uSize is 0.
    void InitBuffer(DWORD uSize);
    // Adds source bytes to the entry's CRC.
    void UpdateFileCrc(const void* pBuffer, DWORD uSize);
    // Adds decompressed bytes to the running CRC and takes them from the bytes expected.
    void UpdateCrc(const void* pBuffer, DWORD uSize);
    // Encrypts and writes the bytes waiting in the output buffer.
    void FlushWriteBuffer();
    // Reads and decrypts the next compressed bytes into the buffer; returns their count.
    DWORD FillBuffer();

    CZipStorage* m_pStorage;
    CZipAutoBuffer m_pBuffer;
    CZipFileHeader* m_pFile = nullptr;
    CZipCryptograph* m_pCryptograph = nullptr;
    // Compressing: the bytes waiting in the buffer. Decompressing: the compressed bytes to read.
    ULONGLONG m_uComprLeft = 0;
    ULONGLONG m_uUncomprLeft = 0; // decompressing: the bytes still expected
    DWORD m_uCrc32 = 0;           // of the decompressed bytes
};
