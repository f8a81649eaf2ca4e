#include <zip/Bzip2Compressor.h>
#include <zip/DeflateCompressor.h>
#include <zip/Exception.h>
#include <zip/FileHeader.h>
#include <zip/MemFile.h>
#include <zip/Storage.h>

#include <testing/TempDirectory.h>

#include <bzlib.h>
#include <zlib.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
// Text-like bytes that compress, different for every seed.
std::string SampleText(size_t uSize, unsigned seed = 1)
{
    static const char words[][8] = {"sap ", "host ", "cpu ", "memory ", "disk ", "41 ", "7\r\n", "db "};
    std::string text;
    unsigned x = seed;
    while (text.size() < uSize)
    {
        x = x * 1103515245 + 12345;
        text += words[(x >> 16) & 7];
    }
    text.resize(uSize);
    return text;
}

std::string RawInflate(const std::string& stored)
{
    z_stream stream = {};
    EXPECT_EQ(Z_OK, inflateInit2(&stream, -MAX_WBITS));
    std::string out;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stored.data()));
    stream.avail_in = uInt(stored.size());
    int iErr;
    do
    {
        char chunk[16384];
        stream.next_out = reinterpret_cast<Bytef*>(chunk);
        stream.avail_out = sizeof(chunk);
        iErr = inflate(&stream, Z_NO_FLUSH);
        out.append(chunk, sizeof(chunk) - stream.avail_out);
    } while (iErr == Z_OK);
    EXPECT_EQ(Z_STREAM_END, iErr);
    EXPECT_EQ(0u, stream.avail_in) << "bytes behind the deflate stream";
    inflateEnd(&stream);
    return out;
}

std::string RawDeflate(const std::string& source)
{
    z_stream stream = {};
    EXPECT_EQ(Z_OK, deflateInit2(&stream, 9, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY));
    std::string out(deflateBound(&stream, uLong(source.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(source.data()));
    stream.avail_in = uInt(source.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    EXPECT_EQ(Z_STREAM_END, deflate(&stream, Z_FINISH));
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

std::string Bunzip2(const std::string& stored, size_t uExpected)
{
    std::string out(uExpected + 1, '\0');
    unsigned uSize = unsigned(out.size());
    EXPECT_EQ(BZ_OK, BZ2_bzBuffToBuffDecompress(out.data(), &uSize, const_cast<char*>(stored.data()),
                                                unsigned(stored.size()), 0, 0));
    out.resize(uSize);
    return out;
}

std::string Bzip2(const std::string& source)
{
    std::string out(source.size() + source.size() / 100 + 600, '\0');
    unsigned uSize = unsigned(out.size());
    EXPECT_EQ(BZ_OK, BZ2_bzBuffToBuffCompress(out.data(), &uSize, const_cast<char*>(source.data()),
                                              unsigned(source.size()), 9, 0, 30));
    out.resize(uSize);
    return out;
}

DWORD ReferenceCrc(const std::string& data)
{
    return crc32(0, reinterpret_cast<const Bytef*>(data.data()), uInt(data.size()));
}

class CompressorTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_storage.Open(m_file);
    }

    // The entry's stored bytes, compressed from the source given in chunks.
    std::string Compress(WORD uMethod, int iLevel, const std::string& source, size_t chunk = 65536)
    {
        m_file.SetLength(0);
        m_header = CZipFileHeader();
        m_header.m_uMethod = uMethod;
        std::unique_ptr<CZipCompressor> pCompressor(CZipCompressor::CreateCompressor(uMethod, &m_storage));
        pCompressor->BeginCompression(iLevel, &m_header, nullptr);
        for (size_t i = 0; i < source.size(); i += chunk)
            pCompressor->Compress(source.data() + i, DWORD(std::min(chunk, source.size() - i)));
        pCompressor->EndCompression(false);
        return StorageBytes();
    }

    std::string StorageBytes()
    {
        m_storage.Flush();
        std::string bytes(size_t(m_file.GetLength()), '\0');
        m_file.SeekToBegin();
        m_file.Read(bytes.data(), UINT(bytes.size()));
        return bytes;
    }

    // Decompresses stored bytes placed in the storage as an entry of the given sizes.
    std::string Decompress(CZipCompressor& compressor, WORD uMethod, const std::string& stored, size_t uSize,
                           DWORD uChunk = 1000)
    {
        m_file.SetLength(0);
        m_file.Write(stored.data(), UINT(stored.size()));
        m_file.SeekToBegin();
        m_header = CZipFileHeader();
        m_header.m_uMethod = uMethod;
        m_header.m_uComprSize = stored.size();
        m_header.m_uUncomprSize = uSize;
        compressor.BeginDecompression(&m_header, nullptr);
        std::string out;
        std::vector<char> chunk(uChunk);
        while (DWORD uRead = compressor.Decompress(chunk.data(), uChunk))
            out.append(chunk.data(), uRead);
        compressor.EndDecompression(false);
        return out;
    }

    std::string Decompress(WORD uMethod, const std::string& stored, size_t uSize, DWORD uChunk = 1000)
    {
        std::unique_ptr<CZipCompressor> pCompressor(CZipCompressor::CreateCompressor(uMethod, &m_storage));
        return Decompress(*pCompressor, uMethod, stored, uSize, uChunk);
    }

    static int CodeOf(const std::function<void()>& action)
    {
        try
        {
            action();
        }
        catch (CZipException* e)
        {
            const int iCode = e->m_iCause;
            e->Delete();
            return iCode;
        }
        return 0;
    }

    CZipMemFile m_file;
    CZipStorage m_storage;
    CZipFileHeader m_header;
};
} // namespace

TEST_F(CompressorTest, FactoryMatchesMethods)
{
    struct
    {
        WORD uMethod;
        const char* kind; // null: no compressor
    } const cases[] = {{0, "deflate"}, {8, "deflate"}, {12, "bzip2"}, {14, nullptr}, {9, nullptr}, {99, nullptr}};
    for (const auto& c : cases)
    {
        std::unique_ptr<CZipCompressor> pCompressor(CZipCompressor::CreateCompressor(c.uMethod, &m_storage));
        if (!c.kind)
        {
            EXPECT_EQ(nullptr, pCompressor) << c.uMethod;
            continue;
        }
        ASSERT_NE(nullptr, pCompressor) << c.uMethod;
        const bool bDeflate = std::string(c.kind) == "deflate";
        EXPECT_EQ(bDeflate, dynamic_cast<ZipLib::CDeflateCompressor*>(pCompressor.get()) != nullptr) << c.uMethod;
        EXPECT_TRUE(pCompressor->SupportsMethod(c.uMethod));
        EXPECT_EQ(bDeflate, pCompressor->SupportsMethod(0));
        EXPECT_EQ(bDeflate, pCompressor->SupportsMethod(8));
        EXPECT_EQ(!bDeflate, pCompressor->SupportsMethod(12));
        EXPECT_FALSE(pCompressor->SupportsMethod(14));
        EXPECT_EQ(bDeflate ? CZipCompressor::typeDeflate : CZipCompressor::typeBzip2,
                  pCompressor->GetOptions()->GetType());
    }
}

// Deflate output is a raw deflate stream the reference inflate reads to its end, and the entry
// gets the CRC and sizes of the source.
TEST_F(CompressorTest, DeflateIsReadByTheReferenceInflate)
{
    // Sources of 0 bytes, a published CRC check value, and more than one 131072-byte buffer.
    const std::string sources[] = {"", "123456789", SampleText(300000), std::string(140000, '\0')};
    for (const std::string& source : sources)
        for (int iLevel : {-1, 1, 9})
        {
            const std::string stored = Compress(8, iLevel, source, 5000);
            EXPECT_EQ(source, RawInflate(stored)) << source.size() << " bytes at level " << iLevel;
            EXPECT_EQ(ReferenceCrc(source), m_header.m_uCrc32);
            EXPECT_EQ(source.size(), m_header.m_uUncomprSize);
            EXPECT_EQ(stored.size(), m_header.m_uComprSize);
        }
    EXPECT_EQ(0xCBF43926u, (Compress(8, -1, "123456789"), m_header.m_uCrc32));
}

TEST_F(CompressorTest, EmptySourceGivesTheEmptyDeflateStream)
{
    EXPECT_EQ(std::string("\x03\x00", 2), Compress(8, -1, ""));
    EXPECT_EQ(0u, m_header.m_uCrc32);
    EXPECT_EQ(0u, m_header.m_uUncomprSize);
    EXPECT_EQ(2u, m_header.m_uComprSize);
}

TEST_F(CompressorTest, StoredDataIsCopiedWithTheSameCrc)
{
    const std::string source = SampleText(200000, 7);
    EXPECT_EQ(source, Compress(0, 0, source, 3000));
    EXPECT_EQ(source.size(), m_header.m_uComprSize);
    EXPECT_EQ(source.size(), m_header.m_uUncomprSize);
    EXPECT_EQ(ReferenceCrc(source), m_header.m_uCrc32);
    EXPECT_EQ(source, Decompress(0, source, source.size(), 777));
}

// bzip2 output is read by the reference library; the block size follows the level.
TEST_F(CompressorTest, Bzip2IsReadByTheReferenceLibrary)
{
    struct
    {
        int iLevel;
        char blockSize;
    } const levels[] = {{-1, '6'}, {0, '1'}, {1, '1'}, {9, '9'}};
    for (const std::string& source : {std::string(), SampleText(400000, 3)})
        for (const auto& level : levels)
        {
            const std::string stored = Compress(12, level.iLevel, source, 7000);
            ASSERT_GE(stored.size(), 4u);
            EXPECT_EQ(std::string("BZh") + level.blockSize, stored.substr(0, 4)) << "level " << level.iLevel;
            EXPECT_EQ(source, Bunzip2(stored, source.size()));
            EXPECT_EQ(ReferenceCrc(source), m_header.m_uCrc32);
            EXPECT_EQ(source.size(), m_header.m_uUncomprSize);
            EXPECT_EQ(stored.size(), m_header.m_uComprSize);
        }
}

// Streams made by the reference libraries come back whole through the compressors, in chunks
// smaller and larger than the buffer, with the CRC of the data.
TEST_F(CompressorTest, DecompressesReferenceStreams)
{
    for (const std::string& source : {std::string(), SampleText(50), SampleText(500000, 5)})
        for (DWORD uChunk : {1u, 4096u, 200000u})
        {
            if (uChunk == 1 && source.size() > 1000)
                continue;
            std::unique_ptr<CZipCompressor> pDeflate(CZipCompressor::CreateCompressor(8, &m_storage));
            EXPECT_EQ(source, Decompress(*pDeflate, 8, RawDeflate(source), source.size(), uChunk));
            EXPECT_EQ(ReferenceCrc(source), pDeflate->GetCrc32());

            std::unique_ptr<CZipCompressor> pBzip2(CZipCompressor::CreateCompressor(12, &m_storage));
            EXPECT_EQ(source, Decompress(*pBzip2, 12, Bzip2(source), source.size(), uChunk));
            EXPECT_EQ(ReferenceCrc(source), pBzip2->GetCrc32());
        }
}

TEST_F(CompressorTest, DamagedStreamsThrowTheLibraryCodes)
{
    const std::string source = SampleText(100000, 9);
    std::string deflated = RawDeflate(source);
    std::string bzipped = Bzip2(source);

    // Bits that make no deflate block.
    EXPECT_EQ(CZipException::dataError, CodeOf([&] { Decompress(8, std::string(100, '\xff'), 1000); }));
    // Not a bzip2 stream, and one damaged inside its data.
    EXPECT_EQ(CZipException::bzDataErrorMagic, CodeOf([&] { Decompress(12, "XYZ" + bzipped, source.size()); }));
    bzipped[bzipped.size() / 2] ^= 0x55;
    EXPECT_EQ(CZipException::bzDataError, CodeOf([&] { Decompress(12, bzipped, source.size()); }));

    // A deflate stream cut short never reports its end.
    deflated.resize(deflated.size() / 2);
    EXPECT_EQ(CZipException::badZipFile, CodeOf([&] { Decompress(8, deflated, source.size()); }));
}

TEST_F(CompressorTest, CheckOfTheLastBlockFollowsTheOptions)
{
    std::string deflated = RawDeflate(SampleText(100000, 9));
    deflated.resize(deflated.size() / 2);

    ZipLib::CDeflateCompressor::COptions options;
    EXPECT_TRUE(options.m_bCheckLastBlock);
    EXPECT_FALSE(ZipLib::CBzip2Compressor::COptions().m_bCheckLastBlock);
    options.m_bCheckLastBlock = false;
    options.m_iBufferSize = 1000;

    CZipCompressor::COptionsMap map;
    map.Set(options);
    EXPECT_EQ(nullptr, map.Get(CZipCompressor::typeBzip2));
    ASSERT_NE(nullptr, map.Get(CZipCompressor::typeDeflate));
    ZipLib::CDeflateCompressor compressor(&m_storage);
    compressor.ApplyOptions(map.Get(CZipCompressor::typeDeflate));
    EXPECT_FALSE(compressor.GetOptions()->m_bCheckLastBlock);
    EXPECT_EQ(1000u, compressor.GetOptions()->m_iBufferSize);

    // Without the check, the cut stream gives what it holds and then ends.
    const std::string out = Decompress(compressor, 8, deflated, 100000);
    EXPECT_GT(out.size(), 0u);
    EXPECT_LT(out.size(), 100000u);
}

TEST_F(CompressorTest, ErrorsNameTheArchive)
{
    TempDirectory directory;
    CZipStorage storage;
    storage.Open(directory.File(_T("named.zip")));
    storage.Write("not bzip2!", 10, false);
    storage.Flush();
    storage.GetFile()->SeekToBegin();
    CZipFileHeader header;
    header.m_uMethod = 12;
    header.m_uComprSize = 10;
    header.m_uUncomprSize = 100;
    ZipLib::CBzip2Compressor compressor(&storage);
    compressor.BeginDecompression(&header, nullptr);
    try
    {
        char buffer[100];
        compressor.Decompress(buffer, sizeof(buffer));
        ADD_FAILURE() << "no error";
    }
    catch (CZipException* e)
    {
        EXPECT_EQ(CZipException::bzDataErrorMagic, e->m_iCause);
        EXPECT_EQ(directory.File(_T("named.zip")), e->m_szFileName);
        e->Delete();
    }
    compressor.EndDecompression(true);
    storage.Close(false);
}

// After an exception the entry's end writes nothing, and the compressor serves the next entry.
TEST_F(CompressorTest, EndAfterAnExceptionWritesNothing)
{
    for (WORD uMethod : {WORD(8), WORD(12)})
    {
        std::unique_ptr<CZipCompressor> pCompressor(CZipCompressor::CreateCompressor(uMethod, &m_storage));
        CZipFileHeader header;
        header.m_uMethod = uMethod;
        pCompressor->BeginCompression(-1, &header, nullptr);
        const std::string source = SampleText(1000);
        pCompressor->Compress(source.data(), DWORD(source.size()));
        pCompressor->EndCompression(true);
        EXPECT_EQ("", StorageBytes());
        EXPECT_EQ(0u, header.m_uComprSize);

        pCompressor->BeginCompression(-1, &header, nullptr);
        pCompressor->Compress(source.data(), DWORD(source.size()));
        pCompressor->EndCompression(false);
        const std::string stored = StorageBytes();
        EXPECT_EQ(source, uMethod == 8 ? RawInflate(stored) : Bunzip2(stored, source.size()));
        m_file.SetLength(0);
    }
}

namespace
{
// The 64 MiB source, made one 65536-byte chunk at a time.
const size_t BigChunk = 65536;
const size_t BigChunks = 1024;

std::string BigSourceChunk(size_t uIndex)
{
    std::string chunk = SampleText(BigChunk, unsigned(uIndex % 16 + 1));
    memcpy(chunk.data(), &uIndex, sizeof(uIndex));
    return chunk;
}
} // namespace

// 64 MiB pass through the compressor chunk by chunk into a disk file; the reference inflate
// reads the file back chunk by chunk as well.
TEST_F(CompressorTest, LargeSourceStreamsThroughTheBuffer)
{
    TempDirectory directory;
    const CString path = directory.File(_T("big.bin"));
    CZipStorage storage;
    storage.Open(path);
    CZipFileHeader header;
    header.m_uMethod = 8;
    ZipLib::CDeflateCompressor compressor(&storage);
    compressor.BeginCompression(-1, &header, nullptr);
    DWORD uCrc = 0;
    for (size_t i = 0; i < BigChunks; i++)
    {
        const std::string chunk = BigSourceChunk(i);
        uCrc = crc32(uCrc, reinterpret_cast<const Bytef*>(chunk.data()), uInt(chunk.size()));
        compressor.Compress(chunk.data(), DWORD(chunk.size()));
    }
    compressor.EndCompression(false);
    storage.Close(true);
    EXPECT_EQ(ULONGLONG(BigChunk) * BigChunks, header.m_uUncomprSize);
    EXPECT_EQ(uCrc, header.m_uCrc32);

    CFile file(path, CFile::modeRead | CFile::shareDenyWrite);
    EXPECT_EQ(header.m_uComprSize, file.GetLength());
    z_stream stream = {};
    ASSERT_EQ(Z_OK, inflateInit2(&stream, -MAX_WBITS));
    std::vector<char> in(100000);
    std::string out(BigChunk, '\0');
    int iErr = Z_OK;
    for (size_t i = 0; i < BigChunks && iErr == Z_OK; i++)
    {
        stream.next_out = reinterpret_cast<Bytef*>(out.data());
        stream.avail_out = uInt(out.size());
        while (stream.avail_out > 0 && iErr == Z_OK)
        {
            if (stream.avail_in == 0)
            {
                stream.avail_in = file.Read(in.data(), UINT(in.size()));
                stream.next_in = reinterpret_cast<Bytef*>(in.data());
            }
            iErr = inflate(&stream, Z_NO_FLUSH);
        }
        ASSERT_TRUE(out == BigSourceChunk(i)) << "chunk " << i;
    }
    EXPECT_EQ(Z_STREAM_END, iErr);
    inflateEnd(&stream);
}
