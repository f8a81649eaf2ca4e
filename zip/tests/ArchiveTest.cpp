#include <testing/ArchiveLayout.h>
#include <testing/CheckDirectory.h>
#include "ZipError.h"

#include <zip/Archive.h>
#include <zip/Bzip2Compressor.h>
#include <zip/DeflateCompressor.h>
#include <zip/Exception.h>

#include <testing/TempDirectory.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using ArchiveLayout::Layout;

namespace
{
void WriteBytes(const CString& szPath, const std::string& bytes)
{
    CFile file(szPath, CFile::modeCreate | CFile::modeWrite);
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
}

// Fixed-size binary records, as the collector writes them: compressible but not trivial.
std::string Records(int iCount, int iSize)
{
    std::string bytes;
    for (int i = 0; i < iCount; ++i)
    {
        std::string record(static_cast<size_t>(iSize), '\0');
        for (int j = 0; j < iSize; ++j)
            record[static_cast<size_t>(j)] = static_cast<char>((j < 8) ? (i * 7 + j) : (j % 13 == 0 ? i : 0));
        bytes += record;
    }
    return bytes;
}

// Bytes that do not compress.
std::string Noise(size_t uSize)
{
    std::string bytes(uSize, '\0');
    unsigned uState = 12345;
    for (char& c : bytes)
    {
        uState = uState * 1103515245 + 12345;
        c = static_cast<char>(uState >> 23);
    }
    return bytes;
}

std::string Log(int iLines)
{
    std::string text;
    for (int i = 0; i < iLines; ++i)
        text += "12:00:" + std::to_string(i % 60) + " capture of instance " + std::to_string(i % 4) + " done\r\n";
    return text;
}

struct SessionFile
{
    LPCTSTR lpszName;
    std::string bytes;
    WORD uMethod; // expected with smartness 7
};

// Files like a session directory's; the archive names them by their path without the drive.
std::vector<SessionFile> SessionFiles()
{
    return {
        {_T("SAP_PRD_00.cpu"), Records(300, 96), 8}, {_T("SAP_PRD_00.wlh"), Records(1000, 412), 8},
        {_T("collector(0x1F4).log"), Log(200), 8},   {_T("empty.d6s"), std::string(), 0},
        {_T("four.env"), std::string("abcd"), 0},    {_T("five.env"), std::string("abcde"), 8},
        {_T("M\u00fcller_\u03a9.log"), Log(3), 8},
    };
}

class ZipArchiveTest : public ::testing::Test
{
protected:
    CString Path(LPCTSTR lpszName) const
    {
        return m_dir.File(lpszName);
    }

    TempDirectory m_dir;
    CZipArchive m_zip;
};

} // namespace

TEST_F(ZipArchiveTest, PackageRoadArchivesASessionDirectory)
{
    const CString szDir = CheckDirectory::Fresh(_T("session"));
    const std::vector<SessionFile> files = SessionFiles();
    for (const SessionFile& file : files)
        WriteBytes(szDir + file.lpszName, file.bytes);
    const CString szArchive = CheckDirectory::Root() + _T("SAP_DATA_1.zip");

    // The Package command's own steps.
    CZipArchive zip;
    zip.GetStorage().Open(szArchive);
    zip.ResetAfterOpen(0);
    for (const SessionFile& file : files)
        ASSERT_TRUE(zip.AddNewFile(szDir + file.lpszName, -1, true, 7, 65536));
    EXPECT_EQ(szArchive, zip.Close(0));
    CheckDirectory::Expect(szArchive, {{"count", std::to_string(files.size())}, {"compare", "1"}});

    const std::string bytes = ArchiveLayout::ReadFileBytes(szArchive);
    const Layout layout = ArchiveLayout::Parse(bytes);
    EXPECT_FALSE(layout.bZip64);
    EXPECT_EQ(0u, layout.end.uThisDisk);
    EXPECT_EQ(0u, layout.end.uStartDisk);
    EXPECT_EQ(files.size(), layout.end.uDiskEntries);
    EXPECT_EQ(files.size(), layout.end.uTotalEntries);
    EXPECT_EQ(0u, layout.end.uCommentLength);
    EXPECT_EQ(bytes.size() - 22, layout.end.uOffset + layout.end.uSize) << "the end record follows the directory";
    ASSERT_EQ(files.size(), layout.headers.size());
    for (size_t i = 0; i < files.size(); ++i)
    {
        const ArchiveLayout::CentralHeader& header = layout.headers[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(files[i].uMethod, header.uMethod);
        EXPECT_EQ(files[i].bytes.size(), header.uUncomprSize);
        EXPECT_EQ(0, header.uFlag & 1) << "not encrypted";
        EXPECT_EQ(0x04034B50u, ArchiveLayout::Le(bytes, static_cast<size_t>(header.uLocalOffset), 4));
        if (i + 1 < files.size())
        {
            EXPECT_EQ(CheckDirectory::EntryName(szDir + files[i].lpszName), header.name);
        }
    }
    // The non-ASCII name carries its Unicode path record.
    EXPECT_NE(std::string::npos, layout.headers.back().extra.find("up"));
}

TEST_F(ZipArchiveTest, EmptyArchiveIsTheEndRecordAlone)
{
    const CString szArchive = CheckDirectory::Root() + _T("empty.zip");
    ASSERT_TRUE(m_zip.Open(szArchive));
    EXPECT_FALSE(m_zip.Open(szArchive)) << "already open";
    m_zip.Close();
    CheckDirectory::Expect(szArchive, {{"count", "0"}});
    EXPECT_EQ(std::string("PK\x05\x06", 4) + std::string(18, '\0'), ArchiveLayout::ReadFileBytes(szArchive));
}

TEST_F(ZipArchiveTest, PredictsNamesInTheArchive)
{
    ASSERT_TRUE(m_zip.Open(Path(_T("n.zip"))));
    struct Case
    {
        LPCTSTR lpszPath;
        bool bFullPath;
        int iKind;
        LPCTSTR lpszRoot;
        LPCTSTR lpszExpected;
    } cases[] = {
        {_T("C:\\a\\b.txt"), true, CZipArchive::prFile, nullptr, _T("a\\b.txt")},
        {_T("\\\\server\\share\\b.txt"), true, CZipArchive::prFile, nullptr, _T("server\\share\\b.txt")},
        {_T("C:\\a\\b.txt"), false, CZipArchive::prFile, nullptr, _T("b.txt")},
        {_T("C:\\a\\sub\\"), true, CZipArchive::prFile, nullptr, _T("a\\sub\\")},
        {_T("C:\\a\\sub"), false, CZipArchive::prDir, nullptr, _T("sub\\")},
        {_T("C:\\Root\\x\\y.txt"), false, CZipArchive::prFile, _T("c:\\root\\"), _T("x\\y.txt")},
        {_T("C:\\Rooted\\y.txt"), false, CZipArchive::prFile, _T("C:\\Root"), _T("y.txt")},
        {_T("C:\\Root"), false, CZipArchive::prDir, _T("C:\\Root"), _T("")},
        {_T(""), true, CZipArchive::prFile, nullptr, _T("")},
        {_T("\\\\/"), true, CZipArchive::prFile, nullptr, _T("")},
    };
    for (const Case& c : cases)
    {
        m_zip.SetRootPath(c.lpszRoot);
        EXPECT_EQ(CString(c.lpszExpected), m_zip.PredictFileNameInZip(c.lpszPath, c.bFullPath, c.iKind))
            << CW2A(c.lpszPath);
    }
    m_zip.Close();
}

TEST_F(ZipArchiveTest, RefusalsReturnFalseWithoutWriting)
{
    EXPECT_EQ(CString(), m_zip.Close()) << "not open";
    CZipFileHeader header;
    EXPECT_FALSE(m_zip.OpenNewFile(header)) << "not open";
    ASSERT_TRUE(m_zip.Open(Path(_T("r.zip"))));
    const CString szFile = Path(_T("f.txt"));
    WriteBytes(szFile, "some text");
    EXPECT_FALSE(m_zip.AddNewFile(_T(""))) << "empty path";
    EXPECT_FALSE(m_zip.AddNewFile(_T("\\\\"))) << "nothing but separators";
    EXPECT_FALSE(m_zip.AddNewFile(szFile, -1, true, 7, 0)) << "no buffer";
    ASSERT_TRUE(m_zip.OpenNewFile(header));
    CZipFileHeader second;
    EXPECT_FALSE(m_zip.OpenNewFile(second)) << "an entry is open";
    EXPECT_FALSE(m_zip.SetPassword(_T("x"))) << "an entry is open";
    EXPECT_TRUE(m_zip.CloseNewFile());
    EXPECT_FALSE(m_zip.CloseNewFile()) << "nothing open";
    ExpectZipError(CZipException::fileError, [&] { m_zip.AddNewFile(Path(_T("missing.txt"))); });
    EXPECT_EQ(1u, m_zip.GetCount());
    m_zip.Close();
}

TEST_F(ZipArchiveTest, EntriesWithoutNameAndDirectories)
{
    const CString szArchive = CheckDirectory::Root() + _T("names.zip");
    ASSERT_TRUE(m_zip.Open(szArchive));
    for (int i = 0; i < 2; ++i)
    {
        CZipFileHeader header;
        ASSERT_TRUE(m_zip.OpenNewFile(header));
        ASSERT_TRUE(m_zip.CloseNewFile());
    }
    ASSERT_TRUE(m_zip.AddNewFile(m_dir.Path(), -1, false));
    m_zip.Close();
    CheckDirectory::Expect(szArchive, {{"count", "3"}});

    const Layout layout = ArchiveLayout::Parse(ArchiveLayout::ReadFileBytes(szArchive));
    ASSERT_EQ(3u, layout.headers.size());
    EXPECT_EQ("file0", layout.headers[0].name);
    EXPECT_EQ("file1", layout.headers[1].name);
    const ArchiveLayout::CentralHeader& dir = layout.headers[2];
    EXPECT_EQ('/', dir.name.back());
    EXPECT_EQ(0, dir.uMethod);
    EXPECT_EQ(0u, dir.uComprSize);
}

TEST_F(ZipArchiveTest, MethodsAndEncryptionAreReadableByOthers)
{
    const CString szDir = CheckDirectory::Fresh(_T("methods"));
    const std::vector<SessionFile> files = SessionFiles();
    for (const SessionFile& file : files)
        WriteBytes(szDir + file.lpszName, file.bytes);
    struct Case
    {
        LPCTSTR lpszArchive;
        WORD uMethod;
        int iEncryption;
        LPCTSTR lpszPassword;
    } cases[] = {
        {_T("bzip2.zip"), 12, 0xFF, nullptr},          {_T("stored.zip"), 0, 0xFF, nullptr},
        {_T("traditional.zip"), 8, 0, _T("s3cret")},   {_T("aes128.zip"), 8, 1, _T("s3cret")},
        {_T("aes256-bzip2.zip"), 12, 3, _T("s3cret")},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(CW2A(c.lpszArchive));
        const CString szArchive = CheckDirectory::Root() + c.lpszArchive;
        CZipArchive zip;
        ASSERT_TRUE(zip.Open(szArchive));
        zip.SetCompressionMethod(c.uMethod);
        zip.SetEncryptionMethod(c.iEncryption);
        ASSERT_TRUE(zip.SetPassword(c.lpszPassword));
        for (const SessionFile& file : files)
            ASSERT_TRUE(zip.AddNewFile(szDir + file.lpszName));
        zip.Close();
        std::map<std::string, std::string> expected{{"count", std::to_string(files.size())}, {"compare", "1"}};
        if (c.lpszPassword != nullptr)
            expected["password"] = std::string(CW2A(c.lpszPassword));
        CheckDirectory::Expect(szArchive, expected);

        const Layout layout = ArchiveLayout::Parse(ArchiveLayout::ReadFileBytes(szArchive));
        ASSERT_EQ(files.size(), layout.headers.size());
        for (size_t i = 0; i < files.size(); ++i)
        {
            const ArchiveLayout::CentralHeader& header = layout.headers[i];
            const bool bEmpty = files[i].bytes.empty();
            // Empty files stay plain with smartness 7; small ones are stored.
            EXPECT_EQ(c.lpszPassword != nullptr && !bEmpty, (header.uFlag & 1) != 0) << i;
            const WORD uMethod = files[i].bytes.size() < 5 ? 0 : c.uMethod;
            EXPECT_EQ((c.iEncryption >= 1 && c.iEncryption <= 3 && !bEmpty) ? 99 : uMethod, header.uMethod) << i;
        }
    }
}

TEST_F(ZipArchiveTest, EfficiencyCheckStoresWhatWouldNotShrink)
{
    const CString szDir = CheckDirectory::Fresh(_T("efficiency"));
    WriteBytes(szDir + _T("noise.bin"), Noise(200000));
    WriteBytes(szDir + _T("records.bin"), Records(500, 96));
    const CString szArchive = CheckDirectory::Root() + _T("efficiency.zip");
    ASSERT_TRUE(m_zip.Open(szArchive));
    const int iSmartness = CZipAddRequest::smDefault | CZipAddRequest::smCheckEfficiency;
    ASSERT_TRUE(m_zip.AddNewFile(szDir + _T("noise.bin"), 9, true, iSmartness));
    ASSERT_TRUE(m_zip.AddNewFile(szDir + _T("records.bin"), 9, true, iSmartness));
    EXPECT_FALSE(m_zip.RemoveLastFile()) << "the records compress";
    m_zip.Close();
    CheckDirectory::Expect(szArchive, {{"count", "2"}, {"compare", "1"}});

    const std::string bytes = ArchiveLayout::ReadFileBytes(szArchive);
    const Layout layout = ArchiveLayout::Parse(bytes);
    ASSERT_EQ(2u, layout.headers.size());
    EXPECT_EQ(0, layout.headers[0].uMethod);
    EXPECT_EQ(200000u, layout.headers[0].uComprSize);
    EXPECT_EQ(8, layout.headers[1].uMethod);
    EXPECT_EQ(layout.headers[0].uComprSize + 30 + layout.headers[0].name.size(), layout.headers[1].uLocalOffset)
        << "the deflated attempt was cut off the file";
}

TEST_F(ZipArchiveTest, ReplacingTheLastEntryAppendsInItsPlace)
{
    const CString szDir = CheckDirectory::Fresh(_T("replace"));
    for (LPCTSTR lpszName : {_T("a.txt"), _T("b.txt"), _T("c.txt")})
        WriteBytes(szDir + lpszName, Log(20));
    const CString szArchive = CheckDirectory::Root() + _T("replace.zip");
    ASSERT_TRUE(m_zip.Open(szArchive));
    ASSERT_TRUE(m_zip.AddNewFile(szDir + _T("a.txt")));
    ASSERT_TRUE(m_zip.AddNewFile(szDir + _T("b.txt")));
    CZipAddRequest request(szDir + _T("c.txt"), true);
    request.m_uReplaceIndex = 2;
    EXPECT_FALSE(m_zip.AddFileByRequest(request)) << "beyond the entries";
    request.m_uReplaceIndex = 1;
    ASSERT_TRUE(m_zip.AddFileByRequest(request));
    EXPECT_EQ(CZipCentralDir::s_uNoIndex, request.m_uReplaceIndex);
    m_zip.Close();
    CheckDirectory::Expect(szArchive, {{"count", "2"}, {"compare", "1"}});

    const Layout layout = ArchiveLayout::Parse(ArchiveLayout::ReadFileBytes(szArchive));
    ASSERT_EQ(2u, layout.headers.size());
    EXPECT_EQ(CheckDirectory::EntryName(szDir + _T("a.txt")), layout.headers[0].name);
    EXPECT_EQ(CheckDirectory::EntryName(szDir + _T("c.txt")), layout.headers[1].name);
}

TEST_F(ZipArchiveTest, AutoFinalizeRewritesTheDirectoryAfterEachEntry)
{
    const CString szDir = CheckDirectory::Fresh(_T("finalize"));
    WriteBytes(szDir + _T("a.log"), Log(50));
    WriteBytes(szDir + _T("b.log"), Log(70));
    const CString szArchive = CheckDirectory::Root() + _T("finalize.zip");
    ASSERT_TRUE(m_zip.Open(szArchive));
    m_zip.SetAutoFinalize(true);
    ASSERT_TRUE(m_zip.AddNewFile(szDir + _T("a.log")));
    {
        // Complete already, while still open.
        const Layout layout = ArchiveLayout::Parse(ArchiveLayout::ReadFileBytes(szArchive));
        EXPECT_EQ(1u, layout.headers.size());
    }
    ASSERT_TRUE(m_zip.AddNewFile(szDir + _T("b.log")));
    m_zip.Close();
    CheckDirectory::Expect(szArchive, {{"count", "2"}, {"compare", "1"}});
    const Layout layout = ArchiveLayout::Parse(ArchiveLayout::ReadFileBytes(szArchive));
    ASSERT_EQ(2u, layout.headers.size());
    EXPECT_EQ(layout.end.uOffset,
              layout.headers[1].uLocalOffset + 30 + layout.headers[1].name.size() + layout.headers[1].uComprSize)
        << "the first directory was cut off before the second entry";
}

TEST_F(ZipArchiveTest, SplitArchiveSpreadsOverVolumes)
{
    const CString szDir = CheckDirectory::Fresh(_T("split"));
    WriteBytes(szDir + _T("noise.bin"), Noise(150000));
    WriteBytes(szDir + _T("records.bin"), Records(300, 96));
    const CString szVolumes = CheckDirectory::Fresh(_T("split-archive"));
    const CString szArchive = szVolumes + _T("split.zip");
    m_zip.GetStorage().OpenSplit(szArchive, 65536, false);
    m_zip.ResetAfterOpen(0);
    ASSERT_TRUE(m_zip.AddNewFile(szDir + _T("noise.bin"), 0));
    ASSERT_TRUE(m_zip.AddNewFile(szDir + _T("records.bin")));
    CZipAddRequest request(szDir + _T("records.bin"), true);
    request.m_uReplaceIndex = 1;
    EXPECT_FALSE(m_zip.AddFileByRequest(request)) << "no replacing in a segmented archive";
    m_zip.Close();
    CheckDirectory::Expect(szArchive, {{"count", "2"}, {"split", "1"}});
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributes(szVolumes + _T("split.z02")));
}

TEST_F(ZipArchiveTest, SettingsAreRefusedWhereTheyCannotApply)
{
    EXPECT_FALSE(m_zip.SetSystemCompatibility(3)) << "closed";
    ASSERT_TRUE(m_zip.Open(Path(_T("s.zip"))));
    EXPECT_EQ(0, m_zip.GetSystemCompatibility());
    for (int iSystem : {0, 3, 6, 7, 11, 15, 20})
    {
        EXPECT_TRUE(m_zip.SetSystemCompatibility(iSystem)) << iSystem;
        EXPECT_EQ(iSystem, m_zip.GetSystemCompatibility());
    }
    for (int iSystem : {1, 2, 4, 5, 8, 9, 10, 12, 21, -1})
        EXPECT_FALSE(m_zip.SetSystemCompatibility(iSystem)) << iSystem;
    EXPECT_EQ(20, m_zip.GetSystemCompatibility());

    EXPECT_TRUE(m_zip.SetPassword(_T("pa55")));
    EXPECT_EQ(CString(_T("pa55")), m_zip.GetPassword());
    EXPECT_TRUE(m_zip.SetPassword(nullptr));
    EXPECT_EQ(CString(), m_zip.GetPassword());
    m_zip.Close();
    EXPECT_TRUE(m_zip.Open(Path(_T("s2.zip"))));
    EXPECT_EQ(0, m_zip.GetSystemCompatibility()) << "set again at every open";
    m_zip.Close();
}

// Options registered with the archive reach every compressor of their kind it picks, a new one
// included; the archive stays readable by others.
TEST_F(ZipArchiveTest, RegisteredOptionsReachTheCompressor)
{
    const CString szDir = CheckDirectory::Fresh(_T("options"));
    WriteBytes(szDir + _T("records.bin"), Records(2000, 96));
    const CString szArchive = CheckDirectory::Root() + _T("options.zip");
    ASSERT_TRUE(m_zip.Open(szArchive));
    ZipLib::CDeflateCompressor::COptions deflate;
    deflate.m_iBufferSize = 4096;
    deflate.m_bDetectLibMemoryLeaks = false;
    deflate.m_bCheckLastBlock = false;
    m_zip.SetCompressionOptions(deflate);
    ZipLib::CBzip2Compressor::COptions bzip2;
    bzip2.m_iBufferSize = 1000;
    bzip2.m_bCheckLastBlock = true;
    m_zip.SetCompressionOptions(bzip2);

    for (WORD uMethod : {8, 12, 8})
    {
        SCOPED_TRACE(uMethod);
        m_zip.SetCompressionMethod(uMethod);
        ASSERT_TRUE(m_zip.AddNewFile(szDir + _T("records.bin")));
        const auto* pOptions =
            static_cast<const ZipLib::CBaseLibCompressor::COptions*>(m_zip.GetCurrentCompressor()->GetOptions());
        EXPECT_EQ(uMethod == 8 ? 4096u : 1000u, pOptions->m_iBufferSize);
        EXPECT_EQ(uMethod == 12, pOptions->m_bCheckLastBlock);
        EXPECT_EQ(uMethod == 12, pOptions->m_bDetectLibMemoryLeaks);
    }
    m_zip.Close();
    CheckDirectory::Expect(szArchive, {{"count", "3"}, {"compare", "1"}});
}

// Data that fits the first volume makes an ordinary archive of one file, at Close or when
// finalizing finishes the segmentation: no signature in front, no data descriptors.
TEST_F(ZipArchiveTest, SplitArchiveOnOneVolumeBecomesAnOrdinaryArchive)
{
    const CString szDir = CheckDirectory::Fresh(_T("one-volume"));
    WriteBytes(szDir + _T("records.bin"), Records(300, 96));
    WriteBytes(szDir + _T("log.txt"), Log(100));
    for (bool bFinalize : {false, true})
    {
        SCOPED_TRACE(bFinalize);
        const CString szVolumes =
            CheckDirectory::Fresh(bFinalize ? _T("one-volume-finalized") : _T("one-volume-closed"));
        const CString szArchive = szVolumes + _T("one.zip");
        m_zip.GetStorage().OpenSplit(szArchive, 1 << 20, false);
        m_zip.ResetAfterOpen(0);
        ASSERT_TRUE(m_zip.AddNewFile(szDir + _T("records.bin")));
        ASSERT_TRUE(m_zip.AddNewFile(szDir + _T("log.txt")));
        if (bFinalize)
        {
            m_zip.SetAutoFinalize(true);
            m_zip.Finalize();
            EXPECT_FALSE(m_zip.GetStorage().IsSegmented());
        }
        EXPECT_EQ(szArchive, m_zip.Close());
        CheckDirectory::Expect(szArchive, {{"count", "2"}, {"compare", "1"}});
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributes(szVolumes + _T("one.z01")));

        const std::string bytes = ArchiveLayout::ReadFileBytes(szArchive);
        const Layout layout = ArchiveLayout::Parse(bytes);
        ASSERT_EQ(2u, layout.headers.size());
        EXPECT_EQ(0u, layout.headers[0].uLocalOffset);
        for (const ArchiveLayout::CentralHeader& header : layout.headers)
        {
            const size_t uLocal = static_cast<size_t>(header.uLocalOffset);
            EXPECT_EQ(0, header.uFlag & 8);
            EXPECT_EQ(header.uCrc, ArchiveLayout::Le(bytes, uLocal + 14, 4));
            EXPECT_EQ(header.uComprSize, ArchiveLayout::Le(bytes, uLocal + 18, 4));
            EXPECT_EQ(header.uUncomprSize, ArchiveLayout::Le(bytes, uLocal + 22, 4));
        }
        EXPECT_EQ(layout.headers[1].uLocalOffset, 30 + layout.headers[0].name.size() + layout.headers[0].uComprSize)
            << "the descriptor is gone";
    }
}
