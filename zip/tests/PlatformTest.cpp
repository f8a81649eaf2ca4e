#include <zip/AutoBuffer.h>
#include <zip/Platform.h>

#include <testing/TempDirectory.h>

#include <gtest/gtest.h>

#include <time.h>

namespace
{
void CreateFileWithBytes(const CString& szPath, const char* pData, UINT nSize)
{
    CFile file(szPath, CFile::modeCreate | CFile::modeWrite);
    file.Write(pData, nSize);
}

void SetLastWriteTime(const CString& szPath, ULONGLONG uFileTime)
{
    HANDLE hFile = ::CreateFile(szPath, FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    FILETIME ft = {static_cast<DWORD>(uFileTime), static_cast<DWORD>(uFileTime >> 32)};
    EXPECT_TRUE(::SetFileTime(hFile, nullptr, nullptr, &ft));
    ::CloseHandle(hFile);
}

TEST(ZipPlatformTest, WideToMultiByteByCodePage)
{
    CZipAutoBuffer buffer(3);
    EXPECT_EQ(0, ZipPlatform::WideToMultiByte(L"", buffer, CP_UTF8));
    EXPECT_FALSE(buffer.IsAllocated());

    EXPECT_EQ(3, ZipPlatform::WideToMultiByte(L"a\x00FC", buffer, CP_UTF8));
    EXPECT_EQ(std::string("a\xC3\xBC"), std::string(buffer, buffer.GetSize()));

    CString szText;
    EXPECT_EQ(2, ZipPlatform::MultiByteToWide(buffer, szText, CP_UTF8));
    EXPECT_STREQ(L"a\x00FC", szText);

    EXPECT_EQ(0, ZipPlatform::MultiByteToWide(CZipAutoBuffer(), szText, CP_UTF8));
    EXPECT_STREQ(L"", szText);
    // An unknown code page fails and leaves nothing behind.
    EXPECT_EQ(-1, ZipPlatform::WideToMultiByte(L"abc", buffer, 12345));
    EXPECT_FALSE(buffer.IsAllocated());
}

TEST(ZipPlatformTest, ModificationTimeInUnixSeconds)
{
    TempDirectory directory;
    const CString szPath = directory.File(_T("t.txt"));
    CreateFileWithBytes(szPath, "x", 1);
    // 2001-09-09 01:46:40 UTC is 1000000000 seconds after 1970.
    SetLastWriteTime(szPath, 116444736000000000ULL + 1000000000ULL * 10000000ULL);
    EXPECT_EQ(1000000000, ZipPlatform::GetFileModificationTime(szPath));
}

TEST(ZipPlatformTest, MissingOrEarlyTimesBecomeNow)
{
    TempDirectory directory;
    const __time64_t tBefore = _time64(nullptr);
    EXPECT_GE(ZipPlatform::GetFileModificationTime(directory.File(_T("missing.txt"))), tBefore);

    const CString szPath = directory.File(_T("old.txt"));
    CreateFileWithBytes(szPath, "x", 1);
    SetLastWriteTime(szPath, 116444736000000000ULL - 10000000ULL); // one second before 1970
    EXPECT_GE(ZipPlatform::GetFileModificationTime(szPath), tBefore);
}

TEST(ZipPlatformTest, FileSize)
{
    TempDirectory directory;
    const CString szPath = directory.File(_T("s.bin"));
    CreateFileWithBytes(szPath, "12345", 5);
    ULONGLONG uSize = 0;
    EXPECT_TRUE(ZipPlatform::GetFileSize(szPath, uSize));
    EXPECT_EQ(5u, uSize);
    EXPECT_FALSE(ZipPlatform::GetFileSize(directory.File(_T("missing")), uSize));
}

TEST(ZipPlatformTest, TemporaryFileInTheGivenDirectoryWhenItHasRoom)
{
    TempDirectory directory;
    const CString szName = ZipPlatform::MakeTempFileName(directory.Path());
    ASSERT_FALSE(szName.IsEmpty());
    EXPECT_EQ(0, szName.Find(directory.Path() + _T("ZAR")));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributes(szName));

    // No disk has this much room.
    EXPECT_STREQ(_T(""), ZipPlatform::MakeTempFileName(directory.Path(), 1ULL << 62));
}

TEST(ZipPlatformTest, FreeSpaceAndCurrentDirectory)
{
    TempDirectory directory;
    EXPECT_GT(ZipPlatform::GetDeviceFreeSpace(directory.Path()), 0u);
    CString szCurrent;
    ASSERT_TRUE(ZipPlatform::GetCurrentDirectory(szCurrent));
    TCHAR szExpected[MAX_PATH];
    ::GetCurrentDirectoryW(MAX_PATH, szExpected);
    EXPECT_STREQ(szExpected, szCurrent);
}
} // namespace
