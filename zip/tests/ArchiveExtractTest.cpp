// Closing an entry opened for extracting: the result for a whole and a partial read, the CRC
// and data-descriptor checks, the close after an exception, and writing that goes on after it.
#include "ZipError.h"

#include <zip/Archive.h>
#include <zip/Exception.h>

#include <testing/CheckDirectory.h>
#include <testing/TempDirectory.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace
{
// A reader of the archive it writes: the system itself never reads an archive back.
class CZipReader : public CZipArchive
{
public:
    using CZipArchive::CloseFile;
    using CZipArchive::OpenFile;
    using CZipArchive::ReadFile;

    // Reads up to uLimit bytes of the open entry.
    std::string Read(size_t uLimit = std::string::npos)
    {
        std::string bytes;
        char buffer[1000];
        while (bytes.size() < uLimit)
        {
            const DWORD uWanted = static_cast<DWORD>(std::min(sizeof(buffer), uLimit - bytes.size()));
            const DWORD uRead = ReadFile(buffer, uWanted);
            if (uRead == 0)
                break;
            bytes.append(buffer, uRead);
        }
        return bytes;
    }
};

// Compressible lines, many buffers long.
std::string Content()
{
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += "12:00:" + std::to_string(i % 60) + " capture " + std::to_string(i * 7919 % 1000) + " done\r\n";
    return text;
}

class ArchiveExtractTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (LPCTSTR lpszName : {_T("data.log"), _T("more.log")})
        {
            CFile file(m_dir.File(lpszName), CFile::modeCreate | CFile::modeWrite);
            file.Write(m_content.data(), static_cast<UINT>(m_content.size()));
        }
    }
    // An archive of the one file in the check directory, written with the method and encryption.
    void Create(LPCTSTR lpszName, WORD uMethod, int iEncryption)
    {
        m_strArchive = CheckDirectory::Root() + lpszName;
        ASSERT_TRUE(m_zip.Open(m_strArchive));
        m_zip.SetCompressionMethod(uMethod);
        m_zip.SetEncryptionMethod(iEncryption);
        ASSERT_TRUE(m_zip.SetPassword(iEncryption == 0xFF ? nullptr : _T("s3cret")));
        ASSERT_TRUE(m_zip.AddNewFile(m_dir.File(_T("data.log")), -1, false));
    }
    CZipFileHeader& Entry()
    {
        return *m_zip.GetCentralDir().GetAt(0);
    }

    const std::string m_content = Content();
    TempDirectory m_dir;
    CString m_strArchive;
    CZipReader m_zip;
};
} // namespace

TEST_F(ArchiveExtractTest, AWholeReadClosesWithOneAPartialWithMinusOne)
{
    const struct
    {
        LPCTSTR lpszArchive;
        WORD uMethod;
        int iEncryption;
    } cases[] = {
        {_T("extract-deflate.zip"), 8, 0xFF},  {_T("extract-stored.zip"), 0, 0xFF}, {_T("extract-bzip2.zip"), 12, 0xFF},
        {_T("extract-traditional.zip"), 8, 0}, {_T("extract-aes256.zip"), 8, 3},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(CW2A(c.lpszArchive));
        Create(c.lpszArchive, c.uMethod, c.iEncryption);
        EXPECT_EQ(0, m_zip.CloseFile()) << "nothing open";
        EXPECT_FALSE(m_zip.OpenFile(1));

        ASSERT_TRUE(m_zip.OpenFile(0));
        EXPECT_FALSE(m_zip.OpenFile(0)) << "one entry at a time";
        EXPECT_EQ(m_content, m_zip.Read());
        EXPECT_EQ(1, m_zip.CloseFile());
        EXPECT_EQ(0, m_zip.CloseFile()) << "forgotten";

        ASSERT_TRUE(m_zip.OpenFile(0));
        EXPECT_EQ(m_content.substr(0, 100), m_zip.Read(100));
        EXPECT_EQ(-1, m_zip.CloseFile());

        // An entry still open for extracting is closed by Close, which writes the directory.
        ASSERT_TRUE(m_zip.OpenFile(0));
        m_zip.Read(100);
        m_zip.Close();
        std::map<std::string, std::string> expected{{"count", "1"}};
        if (c.iEncryption != 0xFF)
            expected["password"] = "s3cret";
        CheckDirectory::Expect(m_strArchive, expected);
    }
}

TEST_F(ArchiveExtractTest, ChecksThrowAndTheEntryIsForgottenAllTheSame)
{
    // Traditional encryption keeps a data descriptor behind the data.
    Create(_T("extract-checks.zip"), 8, 0);
    ASSERT_TRUE(Entry().IsDataDescriptor());
    const DWORD uCrc = Entry().m_uCrc32;
    CZipCentralDir& dir = m_zip.GetCentralDir();
    EXPECT_EQ(CZipCentralDir::checkDefault, dir.GetIgnoredChecks());

    // A CRC that differs from the data read.
    ASSERT_TRUE(m_zip.OpenFile(0));
    m_zip.Read();
    Entry().m_uCrc32 = uCrc ^ 1;
    ExpectZipError(CZipException::badCrc, [&] { m_zip.CloseFile(); });
    EXPECT_EQ(0, m_zip.CloseFile());

    // Not when the CRC check is off or after an exception, and not for a partial read.
    dir.SetIgnoredChecks(CZipCentralDir::checkDefault | CZipCentralDir::checkCrc);
    ASSERT_TRUE(m_zip.OpenFile(0));
    m_zip.Read();
    EXPECT_EQ(1, m_zip.CloseFile());
    dir.SetIgnoredChecks(CZipCentralDir::checkDefault);
    for (size_t uLimit : {std::string::npos, size_t(10)})
    {
        ASSERT_TRUE(m_zip.OpenFile(0));
        m_zip.Read(uLimit);
        EXPECT_EQ(1, m_zip.CloseFile(true));
    }
    ASSERT_TRUE(m_zip.OpenFile(0));
    m_zip.Read(10);
    EXPECT_EQ(-1, m_zip.CloseFile());

    // With the data-descriptor check on, the descriptor must match the entry.
    dir.SetIgnoredChecks(CZipCentralDir::checkVolumeEntries | CZipCentralDir::checkCrc);
    Entry().m_uCrc32 = uCrc;
    ASSERT_TRUE(m_zip.OpenFile(0));
    m_zip.Read();
    EXPECT_EQ(1, m_zip.CloseFile());
    ASSERT_TRUE(m_zip.OpenFile(0));
    m_zip.Read();
    Entry().m_uCrc32 = uCrc ^ 1;
    ExpectZipError(CZipException::badZipFile, [&] { m_zip.CloseFile(); });
    EXPECT_EQ(0, m_zip.CloseFile());
    Entry().m_uCrc32 = uCrc;

    // Reading moved the file: writing goes on at the end of the data.
    dir.SetIgnoredChecks(CZipCentralDir::checkDefault);
    ASSERT_TRUE(m_zip.AddNewFile(m_dir.File(_T("more.log")), -1, false));
    m_zip.Close();
    CheckDirectory::Expect(m_strArchive, {{"count", "2"}, {"password", "s3cret"}});
}

TEST_F(ArchiveExtractTest, AWrongPasswordOrAForeignLocalHeaderIsRefused)
{
    Create(_T("extract-refused.zip"), 8, 3);
    ASSERT_TRUE(m_zip.SetPassword(_T("wrong")));
    ExpectZipError(CZipException::badPassword, [&] { m_zip.OpenFile(0); });
    EXPECT_EQ(0, m_zip.CloseFile());
    ASSERT_TRUE(m_zip.SetPassword(_T("s3cret")));
    Entry().m_uOffset += 1; // no local header there
    ExpectZipError(CZipException::badZipFile, [&] { m_zip.OpenFile(0); });
    Entry().m_uOffset -= 1;
    ASSERT_TRUE(m_zip.OpenFile(0));
    EXPECT_EQ(m_content, m_zip.Read());
    EXPECT_EQ(1, m_zip.CloseFile());
    m_zip.Close();
    CheckDirectory::Expect(m_strArchive, {{"count", "1"}, {"password", "s3cret"}});
}
