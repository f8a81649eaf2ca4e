#include <zip/PathComponent.h>

#include <gtest/gtest.h>

namespace
{
struct PathCase
{
    LPCTSTR lpszPath;
    LPCTSTR lpszPrefix;
    LPCTSTR lpszDrive;
    LPCTSTR lpszFileName;
    LPCTSTR lpszWithoutDrive;
};

class ZipPathComponentTest : public testing::TestWithParam<PathCase>
{
};

TEST_P(ZipPathComponentTest, SplitsAndJoins)
{
    const PathCase& c = GetParam();
    const CZipPathComponent path(c.lpszPath);
    EXPECT_STREQ(c.lpszPrefix, path.GetPrefix());
    EXPECT_STREQ(c.lpszDrive, path.GetFileDrive());
    EXPECT_STREQ(c.lpszFileName, path.GetFileName());
    EXPECT_STREQ(c.lpszWithoutDrive, path.GetPathWithoutDrive());
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ZipPathComponentTest,
    testing::Values(PathCase{_T("C:\\a\\b.txt"), _T(""), _T("C:"), _T("b.txt"), _T("a\\b.txt")},
                    PathCase{_T("C:\\dir\\session\\x.cpu"), _T(""), _T("C:"), _T("x.cpu"), _T("dir\\session\\x.cpu")},
                    PathCase{_T("\\\\server\\share\\b.txt"), _T("\\\\"), _T(""), _T("b.txt"),
                             _T("server\\share\\b.txt")},
                    PathCase{_T("\\\\?\\C:\\a\\b"), _T("\\\\?\\"), _T("C:"), _T("b"), _T("a\\b")},
                    PathCase{_T("\\\\?\\UnC\\srv\\s\\f.x"), _T("\\\\?\\UnC\\"), _T(""), _T("f.x"), _T("srv\\s\\f.x")},
                    PathCase{_T("C:/a/b.txt"), _T(""), _T("C:"), _T("b.txt"), _T("a\\b.txt")},
                    PathCase{_T("name"), _T(""), _T(""), _T("name"), _T("name")},
                    PathCase{_T("C:\\dir\\"), _T(""), _T("C:"), _T(""), _T("dir")}));

TEST(ZipPathComponentPartsTest, TitleAndExtensionWithoutTheDot)
{
    const CZipPathComponent path(_T("C:\\a\\archive.tar.gz"));
    EXPECT_STREQ(_T("archive.tar"), path.GetFileTitle());
    EXPECT_STREQ(_T("gz"), path.GetFileExt());
    EXPECT_STREQ(_T("a"), path.GetFileDir());
}
} // namespace
