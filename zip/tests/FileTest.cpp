#include <zip/AutoBuffer.h>
#include <zip/File.h>

#include <testing/TempDirectory.h>

#include <gtest/gtest.h>

namespace
{
TEST(ZipFileTest, OpensThrowingOrQuietly)
{
    TempDirectory directory;
    const CString szMissing = directory.File(_T("missing.zip"));
    CZipFile file;
    EXPECT_TRUE(file.IsClosed());
    EXPECT_FALSE(file.Open(szMissing, CZipFile::modeReadExisting, false));
    EXPECT_TRUE(file.IsClosed());
    try
    {
        file.Open(szMissing, CZipFile::modeReadExisting, true);
        ADD_FAILURE() << "no file exception";
    }
    catch (CFileException* e)
    {
        EXPECT_EQ(CFileException::fileNotFound, e->m_cause);
        e->Delete();
    }

    const CString szPath = directory.File(_T("a.zip"));
    ASSERT_TRUE(file.Open(szPath, CZipFile::modeCreateArchive, true));
    EXPECT_FALSE(file.IsClosed());
    file.Write("abcdef", 6);
    EXPECT_EQ(6u, file.GetLength());
    EXPECT_STREQ(szPath, file.GetFilePath());
    file.Close();
    EXPECT_TRUE(file.IsClosed());
    file.Close(); // a second close does nothing
}

TEST(ZipFileTest, ServesAsAFrameworkFile)
{
    CZipFile file;
    EXPECT_STREQ("CZipFile", file.GetRuntimeClass()->m_lpszClassName);
    EXPECT_TRUE(file.IsKindOf(RUNTIME_CLASS(CFile)));
    try
    {
        file.SetFilePath(nullptr);
        ADD_FAILURE() << "a null path was accepted";
    }
    catch (CInvalidArgException* e)
    {
        e->Delete();
    }
}

TEST(ZipAutoBufferTest, KeepsOrReplacesItsBlock)
{
    CZipAutoBuffer buffer;
    EXPECT_FALSE(buffer.IsAllocated());
    char* pFirst = buffer.Allocate(8);
    memcpy(pFirst, "12345678", 8);
    EXPECT_EQ(pFirst, buffer.Allocate(8));
    EXPECT_EQ(0, memcmp(pFirst, "12345678", 8));
    buffer.Allocate(8, true);
    EXPECT_EQ(std::string(8, '\0'), std::string(buffer, 8));
    EXPECT_EQ(nullptr, buffer.Allocate(0));
    EXPECT_FALSE(buffer.IsAllocated());
    EXPECT_EQ(0u, buffer.GetSize());
}

TEST(ZipAutoBufferTest, CopiesAreDeep)
{
    CZipAutoBuffer buffer(4);
    memcpy(buffer, "abcd", 4);
    CZipAutoBuffer copy(buffer);
    copy.GetBuffer()[0] = 'x';
    EXPECT_EQ('a', buffer.GetBuffer()[0]);
    CZipAutoBuffer& same = copy;
    copy = same;
    EXPECT_EQ(std::string("xbcd"), std::string(copy, 4));
    copy = CZipAutoBuffer();
    EXPECT_FALSE(copy.IsAllocated());
}
} // namespace
