#include <testing/TempDirectory.h>

#include <gtest/gtest.h>

TEST(TempDirectory, IsFreshAndRemovedWithItsContents)
{
    CString path;
    {
        TempDirectory first, second;
        path = first.Path();
        EXPECT_NE(first.Path(), second.Path());
        EXPECT_EQ(path.Right(1), _T("\\"));
        ASSERT_TRUE(::CreateDirectory(first.File(_T("sub")), nullptr));
        HANDLE file = ::CreateFile(first.File(_T("sub\\data.bin")), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_READONLY, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        ::CloseHandle(file);
    }
    EXPECT_EQ(::GetFileAttributes(path), INVALID_FILE_ATTRIBUTES);
}
