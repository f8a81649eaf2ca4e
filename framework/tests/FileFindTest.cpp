#include <afx.h>
#include <testing/TempDirectory.h>

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

namespace
{
void MakeFile(const CString& path, const char* content)
{
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    file.Write(content, static_cast<UINT>(strlen(content)));
}

struct Found
{
    CString name;
    ULONGLONG length;
    bool directory;
    bool dots;
    bool readOnly;
    CString path;
    CString title;

    bool operator<(const Found& other) const
    {
        return name < other.name;
    }
};

// Everything a search yields, read the documented way: FindNextFile before each item, and the
// item that FindNextFile answered FALSE for is the last.
std::vector<Found> FindAll(CFileFind& finder, LPCTSTR pattern)
{
    std::vector<Found> found;
    BOOL more = finder.FindFile(pattern);
    while (more)
    {
        more = finder.FindNextFile();
        found.push_back({finder.GetFileName(), finder.GetLength(), !!finder.IsDirectory(), !!finder.IsDots(),
                         !!finder.IsReadOnly(), finder.GetFilePath(), finder.GetFileTitle()});
    }
    std::sort(found.begin(), found.end());
    return found;
}

// The directory without its trailing backslash, as GetRoot reports it.
CString RootOf(const TempDirectory& dir)
{
    return dir.Path().Left(dir.Path().GetLength() - 1);
}

class FileFind : public ::testing::Test
{
protected:
    FileFind()
    {
        MakeFile(dir.File(_T("b.txt")), "bbb");
        MakeFile(dir.File(_T("a.log")), "");
        MakeFile(dir.File(_T("c.tar.gz")), "c");
        ::SetFileAttributes(dir.File(_T("c.tar.gz")), FILE_ATTRIBUTE_READONLY);
        ::CreateDirectory(dir.File(_T("sub")), nullptr);
        MakeFile(dir.File(_T("sub\\inner.txt")), "inner");
    }
    ~FileFind() override
    {
        ::SetFileAttributes(dir.File(_T("c.tar.gz")), FILE_ATTRIBUTE_NORMAL);
    }
    TempDirectory dir;
};
} // namespace

TEST_F(FileFind, ListsADirectory)
{
    CFileFind finder;
    const std::vector<Found> found = FindAll(finder, dir.File(_T("*.*")));
    const struct
    {
        LPCTSTR name;
        ULONGLONG length;
        bool directory;
        bool dots;
        bool readOnly;
        LPCTSTR title;
    } expected[] = {
        {_T("."), 0, true, true, false, _T("")},
        {_T(".."), 0, true, true, false, _T(".")},
        {_T("a.log"), 0, false, false, false, _T("a")},
        {_T("b.txt"), 3, false, false, false, _T("b")},
        {_T("c.tar.gz"), 1, false, false, true, _T("c.tar")},
        {_T("sub"), 0, true, false, false, _T("sub")},
    };
    ASSERT_EQ(found.size(), std::size(expected));
    for (size_t i = 0; i < found.size(); ++i)
    {
        const Found& f = found[i];
        EXPECT_EQ(f.name, expected[i].name);
        EXPECT_EQ(f.length, expected[i].length) << f.name.GetString();
        EXPECT_EQ(f.directory, expected[i].directory) << f.name.GetString();
        EXPECT_EQ(f.dots, expected[i].dots) << f.name.GetString();
        EXPECT_EQ(f.readOnly, expected[i].readOnly) << f.name.GetString();
        EXPECT_EQ(f.path, dir.File(expected[i].name));
        EXPECT_EQ(f.title, expected[i].title) << f.name.GetString();
    }
    EXPECT_EQ(finder.GetRoot(), RootOf(dir));
}

TEST_F(FileFind, TheLastItemIsReadableAfterFindNextFileSaysFalse)
{
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(dir.File(_T("b.*"))));
    EXPECT_TRUE(finder.GetFileName().IsEmpty()) << "nothing is read before the first FindNextFile";
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_EQ(finder.GetFileName(), _T("b.txt"));
    EXPECT_EQ(finder.GetLength(), 3u);
    EXPECT_TRUE(finder.MatchesMask(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL));
    EXPECT_FALSE(finder.MatchesMask(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY));

    finder.Close();
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_TRUE(finder.GetFileName().IsEmpty());
}

TEST_F(FileFind, SearchesInASubdirectoryAndTheCurrentDirectory)
{
    CFileFind finder;
    std::vector<Found> found = FindAll(finder, dir.File(_T("sub\\*.txt")));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].path, dir.File(_T("sub\\inner.txt")));
    EXPECT_EQ(finder.GetRoot(), dir.File(_T("sub")));

    // Without a name the search is "*.*" in the current directory.
    TCHAR previous[MAX_PATH];
    ::GetCurrentDirectory(MAX_PATH, previous);
    ASSERT_TRUE(::SetCurrentDirectory(dir.File(_T("sub"))));
    found = FindAll(finder, nullptr);
    ::SetCurrentDirectory(previous);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[2].path, dir.File(_T("sub\\inner.txt")));
}

TEST_F(FileFind, NothingFound)
{
    const struct
    {
        CString pattern;
        DWORD error;
    } cases[] = {
        {dir.File(_T("*.none")), ERROR_FILE_NOT_FOUND},
        {dir.File(_T("nodir\\*.*")), ERROR_PATH_NOT_FOUND},
    };
    for (const auto& c : cases)
    {
        CFileFind finder;
        EXPECT_FALSE(finder.FindFile(c.pattern));
        EXPECT_EQ(::GetLastError(), c.error) << c.pattern.GetString();
        EXPECT_FALSE(finder.FindNextFile());
        EXPECT_TRUE(finder.GetRoot().IsEmpty());
    }
}

TEST_F(FileFind, LastWriteTime)
{
    // 2021-03-04 05:06:07 UTC: 132593079670000000 ticks of 100 ns since 1601.
    const FILETIME written = {0x1567C980, 0x01D710B4};
    {
        CFile file(dir.File(_T("b.txt")), CFile::modeWrite);
        ASSERT_TRUE(::SetFileTime(file.m_hFile, nullptr, nullptr, &written));
    }
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(dir.File(_T("b.txt"))));
    FILETIME ft = {};
    CTime time;
    EXPECT_FALSE(finder.GetLastWriteTime(&ft)) << "before the first FindNextFile";
    finder.FindNextFile();
    ASSERT_TRUE(finder.GetLastWriteTime(&ft));
    EXPECT_EQ(ft.dwLowDateTime, written.dwLowDateTime);
    EXPECT_EQ(ft.dwHighDateTime, written.dwHighDateTime);
    ASSERT_TRUE(finder.GetLastWriteTime(time));
    EXPECT_EQ(time.GetTime(), 1614834367);
}
