#include <zip/AesCryptograph.h>
#include <zip/AutoBuffer.h>
#include <zip/Crc32Cryptograph.h>
#include <zip/DeflateCompressor.h>
#include <zip/Exception.h>
#include <zip/FileHeader.h>
#include <zip/MemFile.h>
#include <zip/Storage.h>

#include "Hex.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <zlib.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>

namespace
{
CZipAutoBuffer Password(const char* text)
{
    CZipAutoBuffer buffer;
    memcpy(buffer.Allocate(DWORD(strlen(text))), text, strlen(text));
    return buffer;
}

int CodeOf(const std::function<void()>& action)
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

// The plain text of the reference entries below.
std::string ReferenceText()
{
    std::string text;
    for (int i = 0; i < 12; i++)
        text += "host " + std::to_string(i) + ": cpu 41 memory 7 disk 3\r\n";
    return text;
}

// Local header and data of "data.txt" with the password "Secret1", deflated: made by Info-ZIP
// zip with traditional encryption, and by 7-Zip with AES-256 (WinZip AE-2).
const char* const infoZipEntry =
    "504b030414000900080044aa895d99dd8eee520000008201000008001c00646174612e74787455540900038fc5196b8fc5196b75"
    "780b000104000000000400000000d2b3188d411a286d48227b4fb240afb5a996ec861d40b87fd4cef8369347ddf94069bb1a242a"
    "e2fbf4344c2781035827362b7e3255de767041f0c60dee675074583a3aabec085be9c9bb8bba17a9b974411d";
const char* const sevenZipAesEntry =
    "504b030433000100630044aa895d00000000650000008201000008000b00646174612e74787401990700020041450308003b34a2"
    "8afa8345efa1e97cb3c460610facd38fa183c7a841f0ce0ec988772abfa9cd59041fdf9a6e449a14d4f3aff49ba5a854952b353e"
    "18edf4f575e404612387e90f5693f24fb3c169a660424fd379fec65953817c6d379d06f8127ce50bae4f26981d78";

class CryptographTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_storage.Open(m_file);
    }

    // Writes one entry as the archive does: local header, encryption header, data, code.
    void WriteEntry(CZipFileHeader& header, WORD uMethod, int iEncryption, const char* password,
                    const std::string& data)
    {
        header.m_uMethod = uMethod;
        header.m_uEncryptionMethod = BYTE(iEncryption);
        header.SetFileName(_T("data.txt"));
        header.SetTime(1700000000);
        header.PrepareForWrite(-1, false);
        header.WriteLocal(&m_storage);
        std::unique_ptr<CZipCryptograph> pCryptograph(CZipCryptograph::CreateCryptograph(iEncryption));
        std::unique_ptr<CZipCompressor> pCompressor(CZipCompressor::CreateCompressor(uMethod, &m_storage));
        if (pCryptograph)
            pCryptograph->BeginEncode(Password(password), &header, &m_storage);
        pCompressor->BeginCompression(-1, &header, pCryptograph.get());
        pCompressor->Compress(data.data(), DWORD(data.size()));
        pCompressor->EndCompression(false);
        if (pCryptograph)
            pCryptograph->EndEncode(&header, &m_storage);
        m_storage.Flush();
    }

    // Reads the entry whose data starts at uDataOffset as a reader would: 113 when the password
    // does not fit, 102 when the CRC does not match.
    std::string ReadEntry(CZipFileHeader& header, const char* password, ULONGLONG uDataOffset)
    {
        m_file.Seek(LONGLONG(uDataOffset), CZipAbstractFile::begin);
        std::unique_ptr<CZipCryptograph> pCryptograph(CZipCryptograph::CreateCryptograph(header.m_uEncryptionMethod));
        if (pCryptograph && !pCryptograph->BeginDecode(Password(password), &header, &m_storage))
            CZipException::Throw(CZipException::badPassword);
        std::unique_ptr<CZipCompressor> pCompressor(CZipCompressor::CreateCompressor(header.m_uMethod, &m_storage));
        pCompressor->BeginDecompression(&header, pCryptograph.get());
        std::string out;
        char chunk[100];
        while (DWORD uRead = pCompressor->Decompress(chunk, sizeof(chunk)))
            out.append(chunk, uRead);
        pCompressor->EndDecompression(false);
        if (pCryptograph)
            pCryptograph->EndDecode(&header, &m_storage);
        if (!header.m_bIgnoreCrc32 && pCompressor->GetCrc32() != header.m_uCrc32)
            CZipException::Throw(CZipException::badCrc);
        return out;
    }

    // Puts a reference entry into the storage's file and fills the header from its local header
    // (PKWARE APPNOTE layout); returns where its data starts.
    ULONGLONG LoadReference(const char* entryHex, CZipFileHeader& header)
    {
        const std::vector<BYTE> bytes = FromHex(entryHex);
        m_file.Write(bytes.data(), UINT(bytes.size()));
        const auto word = [&](size_t at) { return WORD(bytes[at] | bytes[at + 1] << 8); };
        const auto dword = [&](size_t at) { return DWORD(word(at) | DWORD(word(at + 2)) << 16); };
        header.m_uFlag = word(6);
        header.m_uMethod = word(8);
        header.m_uModTime = word(10);
        header.m_uModDate = word(12);
        header.m_uCrc32 = dword(14);
        header.m_uComprSize = dword(18);
        header.m_uUncomprSize = dword(22);
        const size_t uExtra = 30 + word(26);
        header.m_uEncryptionMethod = CZipFileHeader::encStandard;
        if (header.m_uMethod == 99)
        {
            // The AES record: id 0x9901, size 7, vendor version, "AE", strength, actual method.
            EXPECT_EQ(0x9901, word(uExtra));
            header.m_bIgnoreCrc32 = word(uExtra + 4) == 2;
            header.m_uEncryptionMethod = bytes[uExtra + 8];
            header.m_uMethod = word(uExtra + 9);
        }
        return uExtra + word(28);
    }

    CZipMemFile m_file;
    CZipStorage m_storage;
};
} // namespace

TEST(CryptographFactoryTest, MatchesEncryptionMethods)
{
    for (int iMethod : {0, 1, 2, 3, 4, 200, 0xFF})
    {
        std::unique_ptr<CZipCryptograph> pCryptograph(CZipCryptograph::CreateCryptograph(iMethod));
        if (iMethod == 0xFF)
        {
            EXPECT_EQ(nullptr, pCryptograph);
            continue;
        }
        const bool bAes = iMethod >= 1 && iMethod <= 3;
        EXPECT_EQ(bAes, dynamic_cast<CZipAesCryptograph*>(pCryptograph.get()) != nullptr) << iMethod;
        EXPECT_EQ(!bAes, dynamic_cast<CZipCrc32Cryptograph*>(pCryptograph.get()) != nullptr) << iMethod;
        for (int iOther : {0, 1, 2, 3, 4, 0xFF})
            EXPECT_EQ(bAes ? (iOther >= 1 && iOther <= 3) : iOther == 0, pCryptograph->SupportsMethod(iOther))
                << iMethod << " asked for " << iOther;
    }
}

TEST(CryptographFactoryTest, AesHeaderSizesByMethod)
{
    EXPECT_EQ(10u, CZipAesCryptograph::GetEncryptionHeaderSize(1));
    EXPECT_EQ(14u, CZipAesCryptograph::GetEncryptionHeaderSize(2));
    EXPECT_EQ(18u, CZipAesCryptograph::GetEncryptionHeaderSize(3));
    for (int iMethod : {0, 4, 0xFF})
    {
        EXPECT_EQ(CZipException::genericError, CodeOf([&] { CZipAesCryptograph::GetEncryptionHeaderSize(iMethod); }));
        EXPECT_EQ(CZipException::genericError, CodeOf([&] { CZipAesCryptograph cryptograph(iMethod); }));
    }
}

// Entries written by other programs decrypt with the right password only.
TEST_F(CryptographTest, DecryptsEntriesOfOtherPrograms)
{
    for (const char* entry : {infoZipEntry, sevenZipAesEntry})
    {
        CZipFileHeader header;
        m_file.SetLength(0);
        const ULONGLONG uData = LoadReference(entry, header);
        EXPECT_EQ(ReferenceText(), ReadEntry(header, "Secret1", uData));
        EXPECT_EQ(CZipException::badPassword, CodeOf([&] { ReadEntry(header, "Secret2", uData); }));
    }
}

// AES-256: salt, verifier and code make the entry 28 bytes longer than its deflated data; it
// reads back with its password, and a damaged byte fails the authentication code.
TEST_F(CryptographTest, Aes256EntryThroughTheStorage)
{
    const std::string data = ReferenceText() + ReferenceText();
    CZipFileHeader plain;
    WriteEntry(plain, 8, CZipFileHeader::encNone, "", data);
    const ULONGLONG uDeflated = plain.m_uComprSize;
    m_file.SetLength(0);

    CZipFileHeader header;
    WriteEntry(header, 8, CZipFileHeader::encAes256, "Secret1", data);
    EXPECT_EQ(uDeflated + 16 + 2 + 10, header.m_uComprSize);
    EXPECT_EQ(header.m_uLocalHeaderSize + header.m_uComprSize, m_file.GetLength());
    EXPECT_EQ(data.size(), header.m_uUncomprSize);
    EXPECT_EQ(data, ReadEntry(header, "Secret1", header.m_uLocalHeaderSize));
    // A wrong password that passes the 2-byte verifier (1 in 65536) still fails the code.
    EXPECT_THAT(CodeOf([&] { ReadEntry(header, "Secret2", header.m_uLocalHeaderSize); }),
                testing::AnyOf(CZipException::badPassword, CZipException::badAesAuthCode));
}

TEST_F(CryptographTest, DamagedAesDataFailsTheAuthenticationCode)
{
    for (int iMethod : {1, 2, 3})
    {
        m_file.SetLength(0);
        const std::string data = ReferenceText();
        CZipFileHeader header;
        WriteEntry(header, 0, iMethod, "Secret1", data);
        EXPECT_EQ(data.size() + CZipAesCryptograph::GetEncryptionHeaderSize(iMethod) + 10, header.m_uComprSize);
        // The last data byte, just before the code.
        const LONGLONG lLast = LONGLONG(m_file.GetLength()) - 11;
        BYTE b;
        m_file.Seek(lLast, CZipAbstractFile::begin);
        m_file.Read(&b, 1);
        b ^= 1;
        m_file.Seek(lLast, CZipAbstractFile::begin);
        m_file.Write(&b, 1);
        EXPECT_EQ(CZipException::badAesAuthCode,
                  CodeOf([&] { ReadEntry(header, "Secret1", header.m_uLocalHeaderSize); }))
            << "method " << iMethod;
    }
}

// Traditional encryption: a 12-byte header before the data, the entry readable with its
// password only.
TEST_F(CryptographTest, TraditionalEntryThroughTheStorage)
{
    const std::string data = ReferenceText();
    CZipFileHeader plain;
    WriteEntry(plain, 8, CZipFileHeader::encNone, "", data);
    const ULONGLONG uDeflated = plain.m_uComprSize;
    m_file.SetLength(0);

    CZipFileHeader header;
    WriteEntry(header, 8, CZipFileHeader::encStandard, "Secret1", data);
    EXPECT_TRUE(header.IsDataDescriptor());
    EXPECT_EQ(uDeflated + 12, header.m_uComprSize);
    EXPECT_EQ(data, ReadEntry(header, "Secret1", header.m_uLocalHeaderSize));
    // The check byte rejects a wrong password 255 times in 256; the rest fail on their data.
    for (const char* wrong : {"Secret2", "secret1", "Secret", "x", "Secret1 "})
        EXPECT_THAT(CodeOf([&] { ReadEntry(header, wrong, header.m_uLocalHeaderSize); }),
                    testing::AnyOf(CZipException::badPassword, CZipException::dataError, CZipException::badZipFile,
                                   CZipException::badCrc))
            << wrong;
}

// Without a data descriptor the password is checked against the CRC's high byte instead of the
// time's.
TEST_F(CryptographTest, TraditionalCheckByteFollowsTheDataDescriptorFlag)
{
    CZipFileHeader header;
    WriteEntry(header, 0, CZipFileHeader::encStandard, "Secret1", "data");
    const auto fits = [&] {
        m_file.Seek(header.m_uLocalHeaderSize, CZipAbstractFile::begin);
        CZipCrc32Cryptograph cryptograph;
        return cryptograph.BeginDecode(Password("Secret1"), &header, &m_storage);
    };
    EXPECT_TRUE(fits());
    header.m_uFlag &= ~8;
    header.m_uCrc32 = DWORD(BYTE(HIBYTE(header.m_uModTime) + 1)) << 24;
    EXPECT_FALSE(fits());
    header.m_uCrc32 = DWORD(HIBYTE(header.m_uModTime)) << 24;
    EXPECT_TRUE(fits());
}

// Two entries made at the same moment with the same password get different encryption headers.
TEST_F(CryptographTest, EncryptionHeadersAreRandom)
{
    for (int iMethod : {0, 3})
    {
        std::string headers[2];
        for (std::string& bytes : headers)
        {
            m_file.SetLength(0);
            CZipFileHeader header;
            WriteEntry(header, 0, iMethod, "Secret1", "same data");
            bytes.resize(iMethod == 0 ? 12 : 18);
            m_file.Seek(header.m_uLocalHeaderSize, CZipAbstractFile::begin);
            m_file.Read(bytes.data(), UINT(bytes.size()));
        }
        EXPECT_NE(headers[0], headers[1]) << "method " << iMethod;
    }
}

// The keystream and the authentication run on across calls: 5 and 11 bytes encrypt as 16.
TEST_F(CryptographTest, SplitCallsEncryptLikeOne)
{
    for (int iMethod : {0, 1, 3})
    {
        m_file.SetLength(0);
        CZipFileHeader header;
        WriteEntry(header, 0, iMethod, "Secret1", "");
        const auto continued = [&](std::initializer_list<DWORD> parts) {
            // Every cryptograph reads the same encryption header, so all start in the same state.
            m_file.Seek(header.m_uLocalHeaderSize, CZipAbstractFile::begin);
            std::unique_ptr<CZipCryptograph> pCryptograph(CZipCryptograph::CreateCryptograph(iMethod));
            EXPECT_TRUE(pCryptograph->BeginDecode(Password("Secret1"), &header, &m_storage));
            std::string text = "sixteen bytes!!!";
            DWORD uAt = 0;
            for (DWORD uPart : parts)
            {
                pCryptograph->Encode(text.data() + uAt, uPart);
                uAt += uPart;
            }
            return text;
        };
        const std::string whole = continued({16});
        EXPECT_NE("sixteen bytes!!!", whole);
        EXPECT_EQ(whole, continued({5, 11})) << "method " << iMethod;
    }
}
