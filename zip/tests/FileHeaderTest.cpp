#include "ZipError.h"

#include <zip/Exception.h>
#include <zip/FileHeader.h>
#include <zip/MemFile.h>
#include <zip/Storage.h>

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

namespace
{
// Little-endian record bytes, laid out field by field from the APPNOTE tables.
class Golden
{
public:
    Golden& U16(unsigned uValue)
    {
        return Integer(uValue, 2);
    }
    Golden& U32(unsigned long long uValue)
    {
        return Integer(uValue, 4);
    }
    Golden& U64(unsigned long long uValue)
    {
        return Integer(uValue, 8);
    }
    Golden& Text(const std::string& text)
    {
        m_bytes += text;
        return *this;
    }
    const std::string& Bytes() const
    {
        return m_bytes;
    }

private:
    Golden& Integer(unsigned long long uValue, int iBytes)
    {
        for (int i = 0; i < iBytes; ++i)
            m_bytes += static_cast<char>((uValue >> (8 * i)) & 0xFF);
        return *this;
    }

    std::string m_bytes;
};

class FakeOwner : public CZipFileHeader::COwner
{
public:
    DWORD GetEncodingSetting() const override
    {
        return m_uSetting;
    }
    bool AcceptNameChange(CZipFileHeader*) override
    {
        ++m_iNameChanges;
        return m_bAccept;
    }
    bool IsModificationAllowed() const override
    {
        return m_bAllowed;
    }
    void OnCentralDataChange() override
    {
        ++m_iCentralChanges;
    }
    CString GetArchivePath() const override
    {
        return _T("C:\\owner.zip");
    }

    DWORD m_uSetting = 1; // the archive's default
    bool m_bAccept = true;
    bool m_bAllowed = true;
    int m_iNameChanges = 0;
    int m_iCentralChanges = 0;
};

__time64_t LocalTime(int iYear, int iMonth, int iDay, int iHour, int iMinute, int iSecond)
{
    tm t = {};
    t.tm_year = iYear - 1900;
    t.tm_mon = iMonth - 1;
    t.tm_mday = iDay;
    t.tm_hour = iHour;
    t.tm_min = iMinute;
    t.tm_sec = iSecond;
    t.tm_isdst = -1;
    return _mktime64(&t);
}

// DOS date and time as the APPNOTE packs them into bit fields.
unsigned DosDate(int iYear, int iMonth, int iDay)
{
    return ((iYear - 1980) << 9) | (iMonth << 5) | iDay;
}
unsigned DosTime(int iHour, int iMinute, int iSecond)
{
    return (iHour << 11) | (iMinute << 5) | (iSecond / 2);
}

DWORD Crc(const std::string& bytes)
{
    return crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size()));
}

class ZipFileHeaderTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_storage.Open(m_file);
    }
    void TearDown() override
    {
        m_storage.Close(false);
    }

    // A new entry as the central directory makes it: name, time, attributes, then prepared.
    void Prepare(CZipFileHeader& header, LPCTSTR lpszName, int iLevel = -1, DWORD uAttributes = FILE_ATTRIBUTE_ARCHIVE)
    {
        header.SetSystemCompatibility(0);
        header.SetFileName(lpszName);
        header.SetTime(LocalTime(2021, 3, 4, 5, 6, 8));
        header.SetNativeAttributes(uAttributes);
        header.PrepareForWrite(iLevel, false);
    }

    std::string Written()
    {
        m_storage.Flush();
        const ULONGLONG uPosition = m_file.GetPosition();
        std::string bytes(static_cast<size_t>(m_file.GetLength()), '\0');
        m_file.SeekToBegin();
        m_file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
        m_file.SafeSeek(uPosition);
        return bytes;
    }

    CZipMemFile m_file;
    CZipStorage m_storage;
    FakeOwner m_owner;
};

TEST_F(ZipFileHeaderTest, PlainDeflatedEntry)
{
    CZipFileHeader header(&m_owner);
    Prepare(header, _T("dir\\file.txt"));
    header.m_uLocalUncomprSize = 1000;
    header.WriteLocal(&m_storage);
    EXPECT_EQ(42u, header.m_uLocalHeaderSize);
    // What the compressor leaves behind.
    m_storage.Write(std::string(600, 'd').data(), 600, false);
    header.m_uCrc32 = 0x12345678;
    header.m_uComprSize = 600;
    header.m_uUncomprSize = 1000;
    header.UpdateLocalHeader(&m_storage);
    EXPECT_EQ(642u, m_storage.GetPosition());
    EXPECT_EQ(46u + 12u, header.GetSize());
    EXPECT_EQ(46u + 12u, header.WriteCentral(&m_storage));

    const std::string expected = Golden()
                                     .U32(0x04034B50)
                                     .U16(20) // version needed
                                     .U16(0)  // flag: default level, no descriptor
                                     .U16(8)
                                     .U16(DosTime(5, 6, 8))
                                     .U16(DosDate(2021, 3, 4))
                                     .U32(0x12345678)
                                     .U32(600)
                                     .U32(1000)
                                     .U16(12)
                                     .U16(0)
                                     .Text("dir/file.txt")
                                     .Text(std::string(600, 'd'))
                                     .U32(0x02014B50)
                                     .U16(46) // made by: zip format version 4.6 on MS-DOS
                                     .U16(20)
                                     .U16(0)
                                     .U16(8)
                                     .U16(DosTime(5, 6, 8))
                                     .U16(DosDate(2021, 3, 4))
                                     .U32(0x12345678)
                                     .U32(600)
                                     .U32(1000)
                                     .U16(12)
                                     .U16(0)
                                     .U16(0)
                                     .U16(0)          // disk
                                     .U16(0)          // internal attributes
                                     .U32(0x81B40020) // -rw-rw-r-- and archive
                                     .U32(0)          // local header offset
                                     .Text("dir/file.txt")
                                     .Bytes();
    EXPECT_EQ(expected, Written());
}

struct PrepareCase
{
    WORD uMethod;
    int iLevel;
    LPCTSTR lpszName;
    DWORD uAttributes;
    WORD uFlag;
    WORD uVersionNeeded;
};

class ZipFileHeaderPrepareTest : public ZipFileHeaderTest, public testing::WithParamInterface<PrepareCase>
{
};

TEST_P(ZipFileHeaderPrepareTest, FlagAndVersionNeeded)
{
    const PrepareCase& c = GetParam();
    CZipFileHeader header(&m_owner);
    header.m_uMethod = c.uMethod;
    Prepare(header, c.lpszName, c.iLevel, c.uAttributes);
    header.WriteLocal(&m_storage);
    const std::string bytes = Written();
    EXPECT_EQ(Golden().U16(c.uVersionNeeded).U16(c.uFlag).U16(c.uMethod).Bytes(), bytes.substr(4, 6));
}

INSTANTIATE_TEST_SUITE_P(
    Levels, ZipFileHeaderPrepareTest,
    testing::Values(PrepareCase{8, 9, _T("a"), 0x20, 0x0002, 20}, PrepareCase{8, 8, _T("a"), 0x20, 0x0002, 20},
                    PrepareCase{8, 1, _T("a"), 0x20, 0x0006, 20}, PrepareCase{8, 2, _T("a"), 0x20, 0x0004, 20},
                    PrepareCase{8, 5, _T("a"), 0x20, 0x0000, 20}, PrepareCase{8, -1, _T("a"), 0x20, 0x0000, 20},
                    PrepareCase{0, 9, _T("a"), 0x20, 0x0000, 20}, PrepareCase{12, 1, _T("a"), 0x20, 0x0000, 46},
                    PrepareCase{0, 0, _T("d/"), 0, 0x0000, 10}, PrepareCase{0, 0, _T("d"), 0x10, 0x0000, 10}));

TEST_F(ZipFileHeaderTest, SizeOfExactly0xFFFFFFFFIsZip64)
{
    CZipFileHeader header(&m_owner);
    header.m_uMethod = 0;
    header.m_uLocalUncomprSize = header.m_uLocalComprSize = 0xFFFFFFFF;
    Prepare(header, _T("big"), 0);
    header.WriteLocal(&m_storage);
    header.m_uCrc32 = 0xCAFEBABE;
    header.m_uComprSize = header.m_uUncomprSize = 0xFFFFFFFF;
    header.UpdateLocalHeader(&m_storage);
    const DWORD uCentral = header.GetSize();
    EXPECT_EQ(46u + 3u + 20u, uCentral);
    EXPECT_EQ(uCentral, header.WriteCentral(&m_storage));

    const std::string zip64 = Golden().U16(0x0001).U16(16).U64(0xFFFFFFFF).U64(0xFFFFFFFF).Bytes();
    const std::string expected = Golden()
                                     .U32(0x04034B50)
                                     .U16(45)
                                     .U16(0)
                                     .U16(0)
                                     .U16(DosTime(5, 6, 8))
                                     .U16(DosDate(2021, 3, 4))
                                     .U32(0xCAFEBABE)
                                     .U32(0xFFFFFFFF)
                                     .U32(0xFFFFFFFF)
                                     .U16(3)
                                     .U16(20)
                                     .Text("big")
                                     .Text(zip64)
                                     .U32(0x02014B50)
                                     .U16(46)
                                     .U16(45)
                                     .U16(0)
                                     .U16(0)
                                     .U16(DosTime(5, 6, 8))
                                     .U16(DosDate(2021, 3, 4))
                                     .U32(0xCAFEBABE)
                                     .U32(0xFFFFFFFF)
                                     .U32(0xFFFFFFFF)
                                     .U16(3)
                                     .U16(20)
                                     .U16(0)
                                     .U16(0)
                                     .U16(0)
                                     .U32(0x81B40020)
                                     .U32(0)
                                     .Text("big")
                                     .Text(zip64)
                                     .Bytes();
    EXPECT_EQ(expected, Written());
}

TEST_F(ZipFileHeaderTest, CentralZip64RecordHoldsOnlyTheOverflowingValues)
{
    CZipFileHeader header(&m_owner);
    Prepare(header, _T("x"));
    header.m_uComprSize = 0x123456789ULL;
    header.m_uUncomprSize = 0x1000;
    header.m_uOffset = 0x200000000ULL;
    header.m_uVolumeStart = 0x10000;
    header.WriteCentral(&m_storage);
    const std::string bytes = Written();
    ASSERT_EQ(46u + 1u + 24u, bytes.size());
    EXPECT_EQ(Golden().U16(45).Bytes(), bytes.substr(6, 2));
    EXPECT_EQ(Golden().U32(0xFFFFFFFF).U32(0x1000).Bytes(), bytes.substr(20, 8));
    EXPECT_EQ(Golden().U16(0xFFFF).Bytes(), bytes.substr(34, 2));
    EXPECT_EQ(Golden().U32(0xFFFFFFFF).Bytes(), bytes.substr(42, 4));
    EXPECT_EQ(Golden().U16(0x0001).U16(20).U64(0x123456789ULL).U64(0x200000000ULL).U32(0x10000).Bytes(),
              bytes.substr(47));
}

TEST_F(ZipFileHeaderTest, NameOf65535BytesFitsAndOf65536IsTooLong)
{
    CZipFileHeader fits(&m_owner);
    Prepare(fits, CString(_T('n'), 65535));
    fits.WriteLocal(&m_storage);
    EXPECT_EQ(30u + 65535u, fits.m_uLocalHeaderSize);
    EXPECT_EQ(46u + 65535u, fits.WriteCentral(&m_storage));
    EXPECT_EQ(Golden().U16(0xFFFF).U16(0).Bytes(), Written().substr(26, 4));

    CZipFileHeader tooLong(&m_owner);
    Prepare(tooLong, CString(_T('n'), 65536));
    ExpectZipError(CZipException::tooLongData, [&] { tooLong.WriteLocal(&m_storage); });
    ExpectZipError(CZipException::tooLongData, [&] { tooLong.WriteCentral(&m_storage); });
}

struct TimeCase
{
    int iYear, iMonth, iDay, iHour, iMinute, iSecond;
    unsigned uDate, uTime;
};

class ZipFileHeaderTimeTest : public testing::TestWithParam<TimeCase>
{
};

TEST_P(ZipFileHeaderTimeTest, DosDateAndTime)
{
    const TimeCase& c = GetParam();
    CZipFileHeader header;
    header.SetTime(LocalTime(c.iYear, c.iMonth, c.iDay, c.iHour, c.iMinute, c.iSecond));
    EXPECT_EQ(c.uDate, header.m_uModDate);
    EXPECT_EQ(c.uTime, header.m_uModTime);
}

INSTANTIATE_TEST_SUITE_P(Times, ZipFileHeaderTimeTest,
                         testing::Values(TimeCase{2021, 3, 4, 5, 6, 8, DosDate(2021, 3, 4), DosTime(5, 6, 8)},
                                         // Before 1980 the year field is 0, as for 1980.
                                         TimeCase{1979, 6, 15, 12, 0, 0, (6 << 5) | 15, 12 << 11},
                                         TimeCase{1980, 1, 1, 0, 0, 0, (1 << 5) | 1, 0},
                                         // Odd seconds round down to the even second below.
                                         TimeCase{2000, 12, 31, 23, 59, 59, DosDate(2000, 12, 31),
                                                  (23 << 11) | (59 << 5) | 29},
                                         // The year field has seven bits: later years stay at 2107.
                                         TimeCase{2110, 1, 1, 0, 0, 0, (127 << 9) | (1 << 5) | 1, 0}));

TEST_F(ZipFileHeaderTest, NonAsciiNameInTheOemCodePageWithAUnicodePathRecord)
{
    // u-umlaut is 0x81 in the OEM code pages 437 and 850.
    ASSERT_TRUE(::GetOEMCP() == 437 || ::GetOEMCP() == 850) << ::GetOEMCP();
    CZipFileHeader header(&m_owner);
    Prepare(header, L"M\x00FCller\\\x00FC.txt");
    EXPECT_EQ(static_cast<DWORD>(CZipFileHeader::sfUnicodePath), header.GetState() & CZipFileHeader::sfEncodingMask);
    header.WriteLocal(&m_storage);
    header.WriteCentral(&m_storage);

    const std::string oem = "M\x81ller/\x81.txt";
    const std::string utf8 = "M\xC3\xBCller/\xC3\xBC.txt";
    const std::string record = Golden().U16(0x7075).U16(5 + 14).Text("\x01").U32(Crc(oem)).Text(utf8).Bytes();
    const std::string bytes = Written();
    const size_t uLocal = 30 + oem.size() + record.size();
    ASSERT_EQ(uLocal + 46 + oem.size() + record.size(), bytes.size());
    EXPECT_EQ(uLocal, header.GetLocalSize());
    EXPECT_EQ(46 + oem.size() + record.size(), header.GetSize());
    // Flag bit 11 stays clear: the name is not UTF-8.
    EXPECT_EQ(Golden().U16(20).U16(0).Bytes(), bytes.substr(4, 4));
    EXPECT_EQ(Golden().U16(12).U16(static_cast<unsigned>(record.size())).Text(oem).Text(record).Bytes(),
              bytes.substr(26, uLocal - 26));
    EXPECT_EQ(Golden().U16(0).Bytes(), bytes.substr(uLocal + 8, 2));
    EXPECT_EQ(Golden().U16(12).U16(static_cast<unsigned>(record.size())).U16(0).Bytes(), bytes.substr(uLocal + 28, 6));
    EXPECT_EQ(oem + record, bytes.substr(uLocal + 46));
    EXPECT_STREQ(L"M\x00FCller\\\x00FC.txt", header.GetFileName());
}

TEST_F(ZipFileHeaderTest, Utf8SettingSetsFlagBit11)
{
    m_owner.m_uSetting = 2;
    CZipFileHeader header(&m_owner);
    Prepare(header, L"\x00FC");
    header.WriteLocal(&m_storage);
    const std::string bytes = Written();
    EXPECT_EQ(Golden().U16(0x0800).U16(8).Bytes(), bytes.substr(6, 4));
    EXPECT_EQ(Golden().U16(2).U16(0).Text("\xC3\xBC").Bytes(), bytes.substr(26));
}

TEST_F(ZipFileHeaderTest, NonAsciiCommentGetsAUnicodeCommentRecordInTheCentralHeader)
{
    ASSERT_EQ(1252u, ::GetACP());
    CZipFileHeader header(&m_owner);
    Prepare(header, _T("a"));
    const int iChanges = m_owner.m_iCentralChanges;
    EXPECT_TRUE(header.SetComment(L"\x00FC"));
    EXPECT_GT(m_owner.m_iCentralChanges, iChanges);
    header.WriteCentral(&m_storage);
    const std::string record = Golden().U16(0x6375).U16(5 + 2).Text("\x01").U32(Crc("\xFC")).Text("\xC3\xBC").Bytes();
    const std::string bytes = Written();
    EXPECT_EQ(Golden().U16(1).U16(static_cast<unsigned>(record.size())).U16(1).Bytes(), bytes.substr(28, 6));
    EXPECT_EQ("a" + record + "\xFC", bytes.substr(46));
    EXPECT_EQ(bytes.size(), header.GetSize());
}

TEST_F(ZipFileHeaderTest, ChangingToUtf8ReencodesNameAndComment)
{
    ASSERT_EQ(1252u, ::GetACP());
    CZipFileHeader header(&m_owner);
    Prepare(header, L"\x00E9");
    header.SetComment(L"\x00FC");
    EXPECT_EQ(std::string("\x82"), std::string(header.GetEncodedFileName(), 1)); // OEM
    EXPECT_EQ(std::string("\xFC"), std::string(header.GetEncodedComment(), 1));  // ANSI

    m_owner.m_uSetting = 2;
    EXPECT_TRUE(header.UpdateEncodingFlags());
    EXPECT_EQ(std::string("\xC3\xA9"), std::string(header.GetEncodedFileName(), 2));
    EXPECT_EQ(std::string("\xC3\xBC"), std::string(header.GetEncodedComment(), 2));
    EXPECT_STREQ(L"\x00E9", header.GetFileName());
    EXPECT_STREQ(L"\x00FC", header.GetComment());
}

TEST_F(ZipFileHeaderTest, EncryptedEntryUsesADataDescriptorWithSignature)
{
    CZipFileHeader header(&m_owner);
    header.m_uEncryptionMethod = CZipFileHeader::encStandard;
    header.m_uLocalUncomprSize = 50;
    Prepare(header, _T("e"));
    EXPECT_EQ(12u, header.m_uLocalComprSize);
    header.WriteLocal(&m_storage);
    header.m_uCrc32 = 0x01020304;
    header.m_uComprSize = 40;
    header.m_uUncomprSize = 50;
    header.UpdateLocalHeader(&m_storage); // nothing: the sizes follow the data
    header.WriteDataDescriptor(&m_storage);
    EXPECT_EQ(16u, header.GetDataDescriptorSize(true));

    const std::string expected = Golden()
                                     .U32(0x04034B50)
                                     .U16(20)
                                     .U16(0x0009)
                                     .U16(8)
                                     .U16(DosTime(5, 6, 8))
                                     .U16(DosDate(2021, 3, 4))
                                     .U32(0)
                                     .U32(0)
                                     .U32(0)
                                     .U16(1)
                                     .U16(0)
                                     .Text("e")
                                     .U32(0x08074B50)
                                     .U32(0x01020304)
                                     .U32(40)
                                     .U32(50)
                                     .Bytes();
    EXPECT_EQ(expected, Written());

    m_file.Seek(31, CZipAbstractFile::begin);
    EXPECT_TRUE(header.ReadDataDescriptor(&m_storage));
    header.m_uCrc32 = 0x01020305;
    m_file.Seek(31, CZipAbstractFile::begin);
    EXPECT_FALSE(header.ReadDataDescriptor(&m_storage));
}

TEST_F(ZipFileHeaderTest, AesEntryCarriesItsRecordAndMethod99)
{
    CZipFileHeader header(&m_owner);
    header.m_uEncryptionMethod = CZipFileHeader::encAes256;
    header.m_bIgnoreCrc32 = true; // under 20 bytes
    header.m_uLocalUncomprSize = 10;
    Prepare(header, _T("s"));
    EXPECT_EQ(28u, header.m_uLocalComprSize);
    header.m_uCrc32 = 0x55555555;
    header.WriteLocal(&m_storage);
    const std::string aes = Golden().U16(0x9901).U16(7).U16(2).Text("AE").Text("\x03").U16(8).Bytes();
    const std::string expected = Golden()
                                     .U32(0x04034B50)
                                     .U16(20)
                                     .U16(0x0001)
                                     .U16(99)
                                     .U16(DosTime(5, 6, 8))
                                     .U16(DosDate(2021, 3, 4))
                                     .U32(0) // the CRC is left out
                                     .U32(28)
                                     .U32(10)
                                     .U16(1)
                                     .U16(11)
                                     .Text("s")
                                     .Text(aes)
                                     .Bytes();
    EXPECT_EQ(expected, Written());
    EXPECT_EQ(expected.size(), header.GetLocalSize());
    EXPECT_EQ(0, header.m_aLocalExtraData.GetCount()); // the record is made at each write
}

TEST_F(ZipFileHeaderTest, SizesThatOutgrowTheLocalHeaderMoveToADescriptor)
{
    CZipFileHeader header(&m_owner);
    header.m_uLocalUncomprSize = 100;
    Prepare(header, _T("g"));
    header.WriteLocal(&m_storage);
    header.m_uCrc32 = 0x0A0B0C0D;
    header.m_uComprSize = 0x100000010ULL;
    header.m_uUncomprSize = 0x100000020ULL;
    header.UpdateLocalHeader(&m_storage);
    EXPECT_TRUE(header.IsDataDescriptor());
    const std::string bytes = Written();
    EXPECT_EQ(Golden().U16(45).U16(0x0008).Bytes(), bytes.substr(4, 4));
    EXPECT_EQ(Golden().U32(0x0A0B0C0D).U32(0).U32(0).Bytes(), bytes.substr(14, 12));
    EXPECT_EQ(24u - 4u, header.GetDataDescriptorSize(false));
}

TEST_F(ZipFileHeaderTest, UpdateRewritesTheLocalZip64Record)
{
    CZipFileHeader header(&m_owner);
    header.m_uLocalUncomprSize = 0x100000000ULL; // deflated: compressed size unknown
    Prepare(header, _T("z"));
    header.WriteLocal(&m_storage);
    m_storage.Write("data", 4, false);
    header.m_uCrc32 = 0x11111111;
    header.m_uComprSize = 0x80000000ULL;
    header.m_uUncomprSize = 0x100000000ULL;
    header.UpdateLocalHeader(&m_storage);
    EXPECT_EQ(31u + 20u + 4u, m_storage.GetPosition());
    const std::string bytes = Written();
    EXPECT_EQ(Golden().U32(0x11111111).U32(0x80000000).U32(0xFFFFFFFF).U16(1).U16(20).Text("z").Bytes(),
              bytes.substr(14, 17));
    EXPECT_EQ(Golden().U16(1).U16(16).U64(0x100000000ULL).U64(0x80000000ULL).Text("data").Bytes(), bytes.substr(31));
}

TEST_F(ZipFileHeaderTest, ReadLocalComparesWithTheCentralHeader)
{
    CZipFileHeader header(&m_owner);
    Prepare(header, _T("r.txt"));
    header.WriteLocal(&m_storage);
    m_storage.Write("xyz", 3, false);
    header.m_uCrc32 = 0x77;
    header.m_uComprSize = 3;
    header.m_uUncomprSize = 9;
    header.UpdateLocalHeader(&m_storage);
    m_storage.Flush();

    CZipFileHeader central(header);
    EXPECT_TRUE(central.ReadLocal(&m_storage, 0));
    EXPECT_EQ(35u, central.m_uLocalHeaderSize);
    EXPECT_EQ(3u, central.m_uLocalComprSize);

    central.m_uMethod = 0;
    EXPECT_FALSE(central.ReadLocal(&m_storage, 0));
    EXPECT_TRUE(central.ReadLocal(&m_storage, 0x02));
    central.m_uMethod = 8;
    central.m_uCrc32 = 0x78;
    EXPECT_FALSE(central.ReadLocal(&m_storage, 0));
    central.m_uCrc32 = 0x77;
    central.m_uOffset = 3; // not a local header
    EXPECT_FALSE(central.ReadLocal(&m_storage, 0));
}

TEST_F(ZipFileHeaderTest, AttributesBySystem)
{
    CZipFileHeader header(&m_owner);
    header.SetSystemCompatibility(3);
    header.SetFileName(_T("f"));
    EXPECT_TRUE(header.SetNativeAttributes(FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(0x81B40000u, header.m_uExternalAttr);
    header.m_uExternalAttr = 0x41ED0010; // drwxr-xr-x
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY), header.GetNativeAttributes());

    header.SetSystemCompatibility(5);
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE), header.GetNativeAttributes());
    ExpectZipError(CZipException::platformNotSupported, [&] { header.SetNativeAttributes(FILE_ATTRIBUTE_ARCHIVE); });

    header.SetSystemCompatibility(0);
    m_owner.m_bAllowed = false;
    EXPECT_FALSE(header.SetNativeAttributes(FILE_ATTRIBUTE_READONLY));
}

TEST_F(ZipFileHeaderTest, RenamingAsksTheOwnerAndKeepsTheOldNameOnRefusal)
{
    CZipFileHeader header(&m_owner);
    Prepare(header, _T("old.txt"));
    header.ClearModified();
    const int iAsked = m_owner.m_iNameChanges;
    EXPECT_TRUE(header.SetFileName(_T("old.txt\\")));
    EXPECT_EQ(iAsked, m_owner.m_iNameChanges); // unchanged once normalised
    EXPECT_FALSE(header.IsModified());

    m_owner.m_bAccept = false;
    EXPECT_FALSE(header.SetFileName(L"n\x00FC.txt"));
    EXPECT_STREQ(_T("old.txt"), header.GetFileName());
    EXPECT_EQ(0u, header.GetState());

    m_owner.m_bAccept = true;
    EXPECT_TRUE(header.SetFileName(_T("new.txt")));
    EXPECT_TRUE(header.IsModified());
    EXPECT_STREQ(_T("new.txt"), header.GetFileName());

    CZipFileHeader directory(&m_owner);
    Prepare(directory, _T("a\\b"), 0, FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(directory.SetFileName(_T("a\\c//")));
    EXPECT_STREQ(_T("a\\c\\"), directory.GetFileName());
}
} // namespace
