#include "ArchiveLayout.h"
#include "CheckDirectory.h"

#include <zip/Archive.h>

#include <gtest/gtest.h>

#include <string>

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
