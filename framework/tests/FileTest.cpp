#include <afx.h>
#include <testing/TempDirectory.h>

#include <cstdio>
#include <memory>
#include <string>

#include <gtest/gtest.h>

namespace
{
std::string ReadBytes(const CString& path)
{
    std::string bytes;
    FILE* f = _wfopen(path, L"rb");
    if (f == nullptr)
        return "<missing>";
    for (int c; (c = fgetc(f)) != EOF;)
        bytes += static_cast<char>(c);
    fclose(f);
    return bytes;
}

void WriteBytes(const CString& path, const std::string& bytes)
{
    FILE* f = _wfopen(path, L"wb");
    ASSERT_NE(f, nullptr);
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

std::string ReadAll(CFile& file, UINT nMax = 64)
{
    std::string bytes(nMax, '\0');
    bytes.resize(file.Read(bytes.data(), nMax));
    return bytes;
}

// Runs the action and returns the cause of the CFileException it throws (-1: none thrown).
template <typename Action> int FileErrorOf(Action action, CString* pFileName = nullptr)
{
    try
    {
        action();
    }
    catch (CFileException* e)
    {
        const int cause = e->m_cause;
        if (pFileName != nullptr)
            *pFileName = e->m_strFileName;
        e->Delete();
        return cause;
    }
    return -1;
}
} // namespace

TEST(File, OpenFailuresFillTheException)
{
    TempDirectory dir;
    const struct
    {
        CString name;
        int cause;
        LONG osError;
    } cases[] = {
        {dir.File(_T("missing.dat")), CFileException::fileNotFound, ERROR_FILE_NOT_FOUND},
        {dir.File(_T("no-dir\\missing.dat")), CFileException::badPath, ERROR_PATH_NOT_FOUND},
    };
    for (const auto& c : cases)
    {
        CFile file;
        CFileException error;
        EXPECT_FALSE(file.Open(c.name, CFile::modeRead, &error));
        EXPECT_EQ(error.m_cause, c.cause) << c.name.GetString();
        EXPECT_EQ(error.m_lOsError, c.osError);
        EXPECT_EQ(error.m_strFileName, c.name);
        EXPECT_EQ(file.m_hFile, CFile::hFileNull);
        EXPECT_FALSE(file.Open(c.name, CFile::modeRead)) << "no exception object to fill";

        CString thrownName;
        EXPECT_EQ(FileErrorOf([&] { CFile opened(c.name, CFile::modeRead); }, &thrownName), c.cause);
        EXPECT_EQ(thrownName, c.name);
    }
}

TEST(File, SharingModesDecideWhetherASecondHandleMayOpen)
{
    TempDirectory dir;
    const CString path = dir.File(_T("shared.dat"));
    WriteBytes(path, "data");

    const struct
    {
        UINT firstShare;
        UINT secondAccess;
        bool opens;
    } cases[] = {
        {CFile::shareDenyWrite, CFile::modeRead, true},  {CFile::shareDenyWrite, CFile::modeWrite, false},
        {CFile::shareDenyNone, CFile::modeWrite, true},  {CFile::shareDenyNone, CFile::modeReadWrite, true},
        {CFile::shareExclusive, CFile::modeRead, false}, {CFile::shareCompat, CFile::modeRead, false},
        {CFile::shareDenyRead, CFile::modeRead, false},  {CFile::shareDenyRead, CFile::modeWrite, true},
    };
    for (const auto& c : cases)
    {
        CFile first(path, CFile::modeRead | c.firstShare);
        CFile second;
        CFileException error;
        EXPECT_EQ(!!second.Open(path, c.secondAccess | CFile::shareDenyNone, &error), c.opens)
            << std::hex << c.firstShare << " " << c.secondAccess;
        if (!c.opens)
        {
            EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
            EXPECT_EQ(error.m_lOsError, ERROR_SHARING_VIOLATION);
        }
    }
}

TEST(File, CreateTruncatesUnlessNoTruncate)
{
    TempDirectory dir;
    const CString path = dir.File(_T("log.txt"));
    WriteBytes(path, "old content");
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(file.GetLength(), 0u);
        file.Write("new", 3);
    }
    EXPECT_EQ(ReadBytes(path), "new");
    {
        CFile file(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite);
        EXPECT_EQ(file.GetPosition(), 0u);
        EXPECT_EQ(file.SeekToEnd(), 3u);
        file.Write("+more", 5);
    }
    EXPECT_EQ(ReadBytes(path), "new+more");

    // modeNoTruncate still creates a missing file; without modeCreate a missing file fails.
    const CString fresh = dir.File(_T("fresh.txt"));
    EXPECT_EQ(FileErrorOf([&] { CFile file(fresh, CFile::modeWrite); }), CFileException::fileNotFound);
    EXPECT_EQ(FileErrorOf([&] { CFile file(fresh, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite); }),
              -1);
    EXPECT_EQ(ReadBytes(fresh), "");
}

TEST(File, SeekLengthAndReadingAtTheEnd)
{
    TempDirectory dir;
    CFile file(dir.File(_T("seek.dat")), CFile::modeCreate | CFile::modeReadWrite);
    file.Write("0123456789", 10);
    EXPECT_EQ(file.GetPosition(), 10u);
    EXPECT_EQ(file.GetLength(), 10u);

    EXPECT_EQ(file.Seek(-3, CFile::end), 7u);
    EXPECT_EQ(ReadAll(file, 5), "789");
    EXPECT_EQ(ReadAll(file, 5), "") << "reading at the end gives 0 bytes";
    EXPECT_EQ(file.Read(nullptr, 0), 0u);

    EXPECT_EQ(file.Seek(2, CFile::begin), 2u);
    EXPECT_EQ(file.Seek(3, CFile::current), 5u);
    EXPECT_EQ(ReadAll(file, 2), "56");

    // Positions beyond 4 GB need the full 64 bits; nothing is written there.
    EXPECT_EQ(file.Seek(0x100000005LL, CFile::begin), 0x100000005ULL);
    EXPECT_EQ(file.GetLength(), 10u);
    EXPECT_EQ(FileErrorOf([&] { file.Seek(-1, CFile::begin); }), CFileException::badSeek);

    file.SetLength(4);
    EXPECT_EQ(file.GetLength(), 4u);
    EXPECT_EQ(file.GetPosition(), 4u);
    file.SetLength(6);
    file.SeekToBegin();
    EXPECT_EQ(ReadAll(file), std::string("0123\0\0", 6));
}

TEST(File, ReadingAndWritingWithoutTheRightAccessThrow)
{
    TempDirectory dir;
    const CString path = dir.File(_T("ro.dat"));
    WriteBytes(path, "abc");
    CFile reader(path, CFile::modeRead | CFile::shareDenyNone);
    CString name;
    EXPECT_EQ(FileErrorOf([&] { reader.Write("x", 1); }, &name), CFileException::accessDenied);
    EXPECT_EQ(name, path);
    CFile writer(path, CFile::modeWrite | CFile::shareDenyNone);
    char buffer[4];
    EXPECT_EQ(FileErrorOf([&] { writer.Read(buffer, 4); }), CFileException::accessDenied);
}

TEST(File, CloseIsIdempotentAbortNeverThrowsAndTheDestructorCloses)
{
    TempDirectory dir;
    const CString path = dir.File(_T("c.dat"));
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
        file.Close();
        EXPECT_EQ(file.m_hFile, CFile::hFileNull);
        EXPECT_TRUE(file.GetFilePath().IsEmpty());
        file.Close();
        file.Abort();
    }
    {
        CFile file(path, CFile::modeWrite | CFile::shareExclusive);
    }
    // The exclusive handle is gone once the object is.
    CFile again(path, CFile::modeWrite | CFile::shareExclusive);
    again.Abort();
    EXPECT_EQ(again.m_hFile, CFile::hFileNull);

    // A handle the system does not know: Close reports it, Abort does not.
    CFile bogus(reinterpret_cast<HANDLE>(0x7770));
    EXPECT_EQ(FileErrorOf([&] { bogus.Close(); }), CFileException::fileNotFound);
    EXPECT_EQ(bogus.m_hFile, CFile::hFileNull);
    CFile bogus2(reinterpret_cast<HANDLE>(0x7770));
    bogus2.Abort();
    EXPECT_EQ(bogus2.m_hFile, CFile::hFileNull);
}

TEST(File, AnAttachedHandleStaysTheCallers)
{
    TempDirectory dir;
    const CString path = dir.File(_T("h.dat"));
    HANDLE h = ::CreateFile(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    {
        CFile file(h);
        file.Write("abc", 3);
    }
    DWORD written = 0;
    EXPECT_TRUE(::WriteFile(h, "d", 1, &written, nullptr)) << "the destructor must leave the handle open";
    ::CloseHandle(h);
    EXPECT_EQ(ReadBytes(path), "abcd");
}

TEST(File, DuplicateSharesThePositionAndClosesItsOwnHandle)
{
    TempDirectory dir;
    const CString path = dir.File(_T("dup.dat"));
    CFile file(path, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive);
    file.Write("ab", 2);
    {
        std::unique_ptr<CFile> copy(file.Duplicate());
        ASSERT_NE(copy, nullptr);
        EXPECT_NE(copy->m_hFile, file.m_hFile);
        EXPECT_EQ(copy->GetFilePath(), path);
        EXPECT_EQ(copy->GetPosition(), 2u);
        copy->Write("cd", 2);
    }
    EXPECT_EQ(file.GetPosition(), 4u);
    file.Close();
    // No handle is left behind: an exclusive open succeeds.
    CFile again(path, CFile::modeRead | CFile::shareExclusive);
    EXPECT_EQ(ReadAll(again), "abcd");
    again.Close();
    EXPECT_EQ(again.Duplicate(), nullptr);
}

TEST(File, LockedRangesStopOtherHandles)
{
    TempDirectory dir;
    const CString path = dir.File(_T("lock.dat"));
    WriteBytes(path, "0123456789");
    CFile owner(path, CFile::modeReadWrite | CFile::shareDenyNone);
    CFile other(path, CFile::modeReadWrite | CFile::shareDenyNone);
    owner.LockRange(2, 4);
    const struct
    {
        ULONGLONG pos;
        ULONGLONG count;
        bool conflicts;
    } cases[] = {{0, 2, false}, {0, 3, true}, {5, 1, true}, {6, 4, false}, {3, 1, true}};
    for (const auto& c : cases)
    {
        const int cause = FileErrorOf([&] { other.LockRange(c.pos, c.count); });
        EXPECT_EQ(cause, c.conflicts ? CFileException::lockViolation : -1) << c.pos << "+" << c.count;
        if (cause == -1)
            other.UnlockRange(c.pos, c.count);
    }
    owner.UnlockRange(2, 4);
    other.LockRange(0, 10);
    EXPECT_NE(FileErrorOf([&] { owner.UnlockRange(2, 4); }), -1) << "nothing of the owner's is locked";
}

TEST(File, NamesAndStatus)
{
    TempDirectory dir;
    const CString path = dir.File(_T("report.v2.txt"));
    const CTime before = CTime::GetCurrentTime();
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    file.Write("12345", 5);
    file.Flush();
    EXPECT_EQ(file.GetFilePath(), path);
    EXPECT_EQ(file.GetFileName(), _T("report.v2.txt"));
    EXPECT_EQ(file.GetFileTitle(), _T("report.v2"));

    CFileStatus status;
    ASSERT_TRUE(file.GetStatus(status));
    EXPECT_EQ(status.m_size, 5u);
    EXPECT_STREQ(status.m_szFullName, path);
    EXPECT_EQ(status.m_attribute & (CFile::directory | CFile::readOnly), 0);
    EXPECT_GE(status.m_mtime.GetTime(), before.GetTime() - 2);
    EXPECT_LE(status.m_mtime.GetTime(), CTime::GetCurrentTime().GetTime() + 2);
    file.Close();

    ASSERT_TRUE(::SetFileAttributes(path, FILE_ATTRIBUTE_READONLY));
    CFileStatus byName;
    ASSERT_TRUE(CFile::GetStatus(path, byName));
    EXPECT_EQ(byName.m_size, 5u);
    EXPECT_EQ(byName.m_attribute & CFile::readOnly, CFile::readOnly);
    EXPECT_EQ(byName.m_mtime, status.m_mtime);
    EXPECT_STREQ(byName.m_szFullName, path);
    ::SetFileAttributes(path, FILE_ATTRIBUTE_NORMAL);

    ASSERT_TRUE(CFile::GetStatus(dir.Path(), byName));
    EXPECT_EQ(byName.m_attribute & CFile::directory, CFile::directory);
    EXPECT_FALSE(CFile::GetStatus(dir.File(_T("none.txt")), byName));

    file.SetFilePath(_T("C:\\elsewhere\\x.bin"));
    EXPECT_EQ(file.GetFileName(), _T("x.bin"));
    EXPECT_EQ(file.GetFileTitle(), _T("x"));
}

TEST(File, RemoveAndRename)
{
    TempDirectory dir;
    const CString from = dir.File(_T("a.txt"));
    const CString to = dir.File(_T("b.txt"));
    WriteBytes(from, "payload");
    CFile::Rename(from, to);
    EXPECT_EQ(ReadBytes(from), "<missing>");
    EXPECT_EQ(ReadBytes(to), "payload");
    CFile::Remove(to);
    EXPECT_EQ(ReadBytes(to), "<missing>");

    CString name;
    EXPECT_EQ(FileErrorOf([&] { CFile::Remove(to); }, &name), CFileException::fileNotFound);
    EXPECT_EQ(name, to);
    EXPECT_EQ(FileErrorOf([&] { CFile::Rename(from, to); }, &name), CFileException::fileNotFound);
    EXPECT_EQ(name, from);
}

TEST(File, APlainFileOffersNoDirectBuffer)
{
    TempDirectory dir;
    CFile file(dir.File(_T("b.dat")), CFile::modeCreate | CFile::modeReadWrite);
    EXPECT_EQ(file.GetBufferPtr(CFile::bufferCheck), 0u);
    void* start = nullptr;
    void* max = nullptr;
    try
    {
        file.GetBufferPtr(CFile::bufferRead, 1, &start, &max);
        ADD_FAILURE() << "no exception";
    }
    catch (CNotSupportedException* e)
    {
        e->Delete();
    }
    EXPECT_TRUE(file.IsKindOf(RUNTIME_CLASS(CFile)));
}
