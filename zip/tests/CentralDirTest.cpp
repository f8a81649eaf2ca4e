#include <testing/ArchiveLayout.h>
#include <testing/CheckDirectory.h>

#include <zip/Archive.h>

#include <testing/TempDirectory.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
ArchiveLayout::Layout WriteEmptyEntries(LPCTSTR lpszArchive, ULONGLONG uCount)
{
    const CString szArchive = CheckDirectory::Root() + lpszArchive;
    CZipArchive zip;
    EXPECT_TRUE(zip.Open(szArchive));
    for (ULONGLONG i = 0; i < uCount; ++i)
    {
        CZipFileHeader header;
        EXPECT_TRUE(zip.OpenNewFile(header, 0));
        EXPECT_TRUE(zip.CloseNewFile());
    }
    zip.Close();
    CheckDirectory::Expect(szArchive, {{"count", std::to_string(uCount)}});
    return ArchiveLayout::Parse(ArchiveLayout::ReadFileBytes(szArchive));
}
} // namespace

TEST(ZipCentralDirTest, Zip64RecordsBeginAt65535Entries)
{
    const ArchiveLayout::Layout below = WriteEmptyEntries(_T("entries65534.zip"), 65534);
    EXPECT_FALSE(below.bZip64);
    EXPECT_EQ(65534u, below.end.uDiskEntries);
    EXPECT_EQ(65534u, below.end.uTotalEntries);

    const ArchiveLayout::Layout at = WriteEmptyEntries(_T("entries65535.zip"), 65535);
    ASSERT_TRUE(at.bZip64);
    EXPECT_EQ(0xFFFFu, at.end.uDiskEntries);
    EXPECT_EQ(0xFFFFu, at.end.uTotalEntries);
    EXPECT_EQ(0u, at.end.uThisDisk);
    EXPECT_EQ(65535u, at.zip64.uDiskEntries);
    EXPECT_EQ(65535u, at.zip64.uTotalEntries);
    EXPECT_EQ(at.end.uSize, at.zip64.uSize) << "the size still fits in 32 bits";
    EXPECT_EQ(at.end.uOffset, at.zip64.uOffset);
    ASSERT_EQ(65535u, at.headers.size());
    EXPECT_EQ("file65534", at.headers.back().name);
}

// The find-fast index follows adds, removals (later indexes shift down) and renames, under
// the archive's comparison.
TEST(ZipCentralDirTest, FindFastLooksNamesUp)
{
    struct Lookup
    {
        LPCTSTR lpszName;
        ULONGLONG uIndex;
    };
    const ULONGLONG kNone = CZipCentralDir::s_uNoIndex;
    struct Case
    {
        bool bCaseSensitive;
        bool bEnableFirst; // else the index is built from the entries already there
        int iCommitMode;   // a deferred rename is found by its new name all the same
        std::vector<Lookup> lookups;
    } cases[] = {
        {false,
         false,
         CZipArchive::cmOnChange,
         {{_T("DELTA.LOG"), 0},
          {_T("alpha.log"), kNone},
          {_T("charlie.log"), kNone},
          {_T("zulu.LOG"), 1},
          {_T("Bravo.log"), 2},
          {_T("echo.log"), 3},
          {_T("foxtrot.log"), kNone}}},
        {true,
         true,
         CZipArchive::cmManual,
         {{_T("DELTA.LOG"), kNone},
          {_T("delta.log"), 0},
          {_T("zulu.log"), kNone},
          {_T("Zulu.log"), 1},
          {_T("bravo.log"), 2},
          {_T("Bravo.log"), kNone},
          {_T("echo.log"), 3}}},
    };
    TempDirectory directory;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.bCaseSensitive);
        CZipArchive zip;
        ASSERT_TRUE(zip.Open(directory.File(c.bCaseSensitive ? _T("sensitive.zip") : _T("insensitive.zip"))));
        zip.SetCommitMode(c.iCommitMode);
        CZipCentralDir& dir = zip.GetCentralDir();
        dir.SetCaseSensitivity(c.bCaseSensitive);
        if (c.bEnableFirst)
            dir.EnableFindFast();
        for (LPCTSTR lpszName : {_T("delta.log"), _T("Alpha.log"), _T("charlie.log"), _T("bravo.log"), _T("echo.log")})
        {
            CZipFileHeader header;
            header.SetFileName(lpszName);
            ASSERT_TRUE(zip.OpenNewFile(header, 0));
            ASSERT_TRUE(zip.CloseNewFile());
        }
        dir.EnableFindFast();
        EXPECT_EQ(1u, dir.FindFile(_T("Alpha.log")));
        dir.RemoveFile(nullptr, 1);
        ASSERT_TRUE(dir.GetAt(1)->SetFileName(_T("Zulu.log")));
        for (const Lookup& lookup : c.lookups)
            EXPECT_EQ(lookup.uIndex, dir.FindFile(lookup.lpszName)) << CW2A(lookup.lpszName);
        zip.Close();
    }
}
