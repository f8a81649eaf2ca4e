#include <testing/ArchiveLayout.h>
#include <testing/CheckDirectory.h>

#include <zip/ActionCallback.h>
#include <zip/Archive.h>

#include <gtest/gtest.h>

namespace
{
const ULONGLONG kFourGiB = 0x100000000ULL;

// A sparse file of zeros: cheap on disk, and quick to deflate.
void SetSparseLength(const CString& szPath, ULONGLONG uLength, DWORD uCreation)
{
    HANDLE hFile =
        ::CreateFile(szPath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, uCreation, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    LARGE_INTEGER length;
    length.QuadPart = static_cast<LONGLONG>(uLength);
    EXPECT_TRUE(::SetFilePointerEx(hFile, length, nullptr, FILE_BEGIN));
    EXPECT_TRUE(::SetEndOfFile(hFile));
    ::CloseHandle(hFile);
}

// Makes the source grow, as a file still being written does, once the add has begun reading it.
class GrowingSource : public CZipActionCallback
{
public:
    GrowingSource(const CString& szPath, ULONGLONG uGrownLength) : m_szPath(szPath), m_uGrownLength(uGrownLength)
    {
    }

protected:
    bool Callback(ULONGLONG) override
    {
        if (!m_bGrown)
        {
            SetSparseLength(m_szPath, m_uGrownLength, OPEN_EXISTING);
            m_bGrown = true;
        }
        return true;
    }

private:
    CString m_szPath;
    ULONGLONG m_uGrownLength;
    bool m_bGrown = false;
};
} // namespace

// The local header was written without Zip64 room for a source under 4 GiB; the sizes that
// grew past 32 bits go to a Zip64 data descriptor, and the entry behind it lies where the
// descriptor ends.
TEST(ZipLargeEntryTest, SourceGrowingPast4GiBGetsAZip64DataDescriptor)
{
    const CString szDir = CheckDirectory::Fresh(_T("large"));
    const CString szSource = szDir + _T("growing.bin");
    const ULONGLONG uGrown = kFourGiB + 0x10000;
    SetSparseLength(szSource, kFourGiB - 0x10000, CREATE_ALWAYS);
    const CString szSmall = szDir + _T("small.txt");
    {
        CFile file(szSmall, CFile::modeCreate | CFile::modeWrite);
        file.Write("behind the large entry", 22);
    }
    const CString szArchive = CheckDirectory::Root() + _T("large.zip");
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(szArchive));
    GrowingSource callback(szSource, uGrown);
    zip.SetCallback(&callback, CZipActionCallback::cbAdd);
    ASSERT_TRUE(zip.AddNewFile(szSource, 1));
    zip.SetCallback(nullptr, CZipActionCallback::cbAdd);
    ASSERT_TRUE(zip.AddNewFile(szSmall));
    zip.Close();
    ::DeleteFile(szSource);
    CheckDirectory::Expect(szArchive, {{"count", "2"}});

    const std::string bytes = ArchiveLayout::ReadFileBytes(szArchive);
    const ArchiveLayout::Layout layout = ArchiveLayout::Parse(bytes);
    ASSERT_EQ(2u, layout.headers.size());
    const ArchiveLayout::CentralHeader& large = layout.headers[0];
    EXPECT_EQ(uGrown, large.uUncomprSize);
    EXPECT_EQ(8, large.uFlag & 8);
    // Local header: version 45 and bit 3, the CRC, zero sizes, no extra field.
    EXPECT_EQ(45u, ArchiveLayout::Le(bytes, 4, 2));
    EXPECT_EQ(8u, ArchiveLayout::Le(bytes, 6, 2) & 8);
    EXPECT_EQ(large.uCrc, ArchiveLayout::Le(bytes, 14, 4));
    EXPECT_EQ(0u, ArchiveLayout::Le(bytes, 18, 8));
    EXPECT_EQ(0u, ArchiveLayout::Le(bytes, 28, 2));
    // The descriptor: CRC and both sizes in 8 bytes.
    const size_t uDescriptor = static_cast<size_t>(30 + large.name.size() + large.uComprSize);
    EXPECT_EQ(large.uCrc, ArchiveLayout::Le(bytes, uDescriptor, 4));
    EXPECT_EQ(large.uComprSize, ArchiveLayout::Le(bytes, uDescriptor + 4, 8));
    EXPECT_EQ(uGrown, ArchiveLayout::Le(bytes, uDescriptor + 12, 8));
    EXPECT_EQ(uDescriptor + 20, layout.headers[1].uLocalOffset);
}
