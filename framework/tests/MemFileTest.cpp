#include <afxadv.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace
{
std::string ReadAll(CFile& file)
{
    file.SeekToBegin();
    std::string bytes(static_cast<size_t>(file.GetLength()) + 8, '\0');
    bytes.resize(file.Read(bytes.data(), static_cast<UINT>(bytes.size())));
    return bytes;
}

void Write(CFile& file, const std::string& bytes)
{
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
}

// Records the sizes the file asks its allocation hooks for.
class RecordingMemFile : public CMemFile
{
public:
    explicit RecordingMemFile(UINT nGrowBytes) : CMemFile(nGrowBytes)
    {
    }
    std::vector<SIZE_T> allocs;
    std::vector<SIZE_T> reallocs;
    int frees = 0;

protected:
    BYTE* Alloc(SIZE_T nBytes) override
    {
        allocs.push_back(nBytes);
        return CMemFile::Alloc(nBytes);
    }
    BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes) override
    {
        reallocs.push_back(nBytes);
        return CMemFile::Realloc(lpMem, nBytes);
    }
    void Free(BYTE* lpMem) override
    {
        ++frees;
        CMemFile::Free(lpMem);
    }
};

template <typename Exception, typename Action> bool Throws(Action action)
{
    try
    {
        action();
    }
    catch (Exception* e)
    {
        e->Delete();
        return true;
    }
    return false;
}
} // namespace

TEST(MemFile, GrowsInWholeStepsAndAtLeastDoubles)
{
    RecordingMemFile file(16);
    Write(file, "0123456789");
    Write(file, "abcdefghij");
    Write(file, std::string(20, 'z'));
    Write(file, std::string(30, 'x'));
    EXPECT_EQ(file.allocs, std::vector<SIZE_T>{16});
    EXPECT_EQ(file.reallocs, (std::vector<SIZE_T>{32, 64, 128}));
    EXPECT_EQ(file.GetLength(), 70u);
    EXPECT_EQ(file.GetPosition(), 70u);
    EXPECT_EQ(ReadAll(file), "0123456789abcdefghij" + std::string(20, 'z') + std::string(30, 'x'));

    // One write of more than the doubled size grows once, to the next whole step.
    Write(file, std::string(200, 'y'));
    EXPECT_EQ(file.reallocs.back(), 272u);
    EXPECT_EQ(file.reallocs.size(), 4u);

    // A file of a million bytes written in small pieces grows about twenty times, not a
    // thousand: each growth copies what was written so far.
    RecordingMemFile big(1024);
    for (int i = 0; i < 1000; ++i)
        Write(big, std::string(1000, 'b'));
    EXPECT_LE(big.reallocs.size(), 12u);
    EXPECT_EQ(big.GetLength(), 1000000u);
    file.Close();
    EXPECT_EQ(file.frees, 1);
    EXPECT_EQ(file.GetLength(), 0u);
}

TEST(MemFile, SeekAndReadAtTheEnd)
{
    CMemFile file;
    Write(file, "abcdef");
    EXPECT_EQ(file.Seek(-2, CFile::end), 4u);
    char buffer[8] = {};
    EXPECT_EQ(file.Read(buffer, 8), 2u);
    EXPECT_EQ(std::string(buffer, 2), "ef");
    EXPECT_EQ(file.Read(buffer, 8), 0u);
    EXPECT_EQ(file.Seek(10, CFile::current), 16u);
    EXPECT_EQ(file.Read(buffer, 8), 0u) << "after the end";
    EXPECT_EQ(file.GetLength(), 6u) << "seeking does not extend the file";
    EXPECT_EQ(file.Seek(1, CFile::begin), 1u);

    try
    {
        file.Seek(-2, CFile::current);
        ADD_FAILURE() << "no exception";
    }
    catch (CFileException* e)
    {
        EXPECT_EQ(e->m_cause, CFileException::badSeek);
        e->Delete();
    }
    EXPECT_EQ(file.GetPosition(), 1u) << "a failed seek keeps the position";
}

TEST(MemFile, GapsAndExtensionsReadAsZeros)
{
    CMemFile file(64);
    // Shrinking leaves old bytes in the buffer; they must not come back.
    Write(file, "abcdefgh");
    file.SetLength(2);
    EXPECT_EQ(file.GetPosition(), 2u) << "the position is clipped to the new length";
    file.Seek(5, CFile::begin);
    Write(file, "X");
    EXPECT_EQ(ReadAll(file), std::string("ab\0\0\0X", 6));

    file.SetLength(1);
    file.SetLength(4);
    EXPECT_EQ(ReadAll(file), std::string("a\0\0\0", 4));

    // A gap larger than the buffer grows it first.
    file.Seek(100, CFile::begin);
    Write(file, "Z");
    const std::string bytes = ReadAll(file);
    EXPECT_EQ(bytes.size(), 101u);
    EXPECT_EQ(bytes, std::string("a") + std::string(99, '\0') + "Z");
}

TEST(MemFile, AFixedBufferIsTheFileAndCannotGrow)
{
    BYTE buffer[8] = {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h'};
    CMemFile file(buffer, sizeof(buffer));
    EXPECT_EQ(file.GetLength(), 8u);
    EXPECT_EQ(ReadAll(file), "abcdefgh");
    EXPECT_EQ(file.GetBufferPtr(CFile::bufferCheck), 0u);

    file.Seek(6, CFile::begin);
    Write(file, "XY");
    EXPECT_EQ(buffer[6], 'X');
    EXPECT_EQ(buffer[7], 'Y');
    file.Seek(7, CFile::begin);
    EXPECT_TRUE(Throws<CMemoryException>([&] { Write(file, "12"); }));
    EXPECT_EQ(file.GetLength(), 8u);

    EXPECT_EQ(file.Detach(), buffer);
    EXPECT_EQ(file.GetLength(), 0u);
}

TEST(MemFile, AttachedGrowableBufferStartsEmptyAndDetachHandsItBack)
{
    auto* initial = static_cast<BYTE*>(std::malloc(4));
    CMemFile file;
    file.Attach(initial, 4, 4);
    EXPECT_EQ(file.GetLength(), 0u) << "with grow bytes the attached contents are ignored";
    Write(file, "0123456789");
    BYTE* detached = file.Detach();
    ASSERT_NE(detached, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(detached), 10), "0123456789");
    EXPECT_EQ(file.GetLength(), 0u);
    EXPECT_EQ(file.GetPosition(), 0u);
    std::free(detached);

    // After Detach the file starts over with a buffer of its own.
    Write(file, "new");
    EXPECT_EQ(ReadAll(file), "new");

    EXPECT_TRUE(Throws<CInvalidArgException>([] {
        CMemFile other;
        other.Attach(nullptr, 4);
    }));
}

TEST(MemFile, DirectBufferProtocol)
{
    CMemFile file(64);
    EXPECT_EQ(file.GetBufferPtr(CFile::bufferCheck), static_cast<UINT>(CFile::bufferDirect));

    void* start = nullptr;
    void* max = nullptr;
    ASSERT_EQ(file.GetBufferPtr(CFile::bufferWrite, 5, &start, &max), 5u);
    ASSERT_EQ(static_cast<BYTE*>(max) - static_cast<BYTE*>(start), 5);
    memcpy(start, "hello", 5);
    EXPECT_EQ(file.GetLength(), 0u) << "nothing counts before the commit";
    EXPECT_EQ(file.GetBufferPtr(CFile::bufferCommit, 5), 0u);
    EXPECT_EQ(file.GetLength(), 5u);
    EXPECT_EQ(file.GetPosition(), 5u);

    file.SeekToBegin();
    ASSERT_EQ(file.GetBufferPtr(CFile::bufferRead, 3, &start, &max), 3u);
    EXPECT_EQ(std::string(static_cast<char*>(start), 3), "hel");
    EXPECT_EQ(file.GetPosition(), 3u);
    // (UINT)-1 asks for everything that is left.
    ASSERT_EQ(file.GetBufferPtr(CFile::bufferRead, static_cast<UINT>(-1), &start, &max), 2u);
    EXPECT_EQ(std::string(static_cast<char*>(start), static_cast<char*>(max)), "lo");
    EXPECT_EQ(file.GetBufferPtr(CFile::bufferRead, 4, &start, &max), 0u);
    EXPECT_EQ(start, max);
    EXPECT_EQ(file.GetPosition(), 5u);

    // A write request beyond the buffer grows it.
    file.Seek(0, CFile::end);
    ASSERT_EQ(file.GetBufferPtr(CFile::bufferWrite, 200, &start, &max), 200u);
    memset(start, 'x', 200);
    file.GetBufferPtr(CFile::bufferCommit, 200);
    EXPECT_EQ(ReadAll(file), "hello" + std::string(200, 'x'));
}

TEST(MemFile, HandleOperationsAreNotSupported)
{
    CMemFile file;
    EXPECT_TRUE(Throws<CNotSupportedException>([&] { file.Duplicate(); }));
    EXPECT_TRUE(Throws<CNotSupportedException>([&] { file.LockRange(0, 1); }));
    EXPECT_TRUE(Throws<CNotSupportedException>([&] { file.UnlockRange(0, 1); }));
    EXPECT_TRUE(file.IsKindOf(RUNTIME_CLASS(CFile)));
}

TEST(SharedFile, DetachGivesAnUnlockedGlobalBlockHoldingTheBytes)
{
    CSharedFile file(GMEM_MOVEABLE, 16);
    // Several steps: the block is reallocated on the way.
    for (char c = 'a'; c <= 'z'; ++c)
        Write(file, std::string(3, c));
    ASSERT_EQ(file.GetLength(), 78u);

    HGLOBAL h = file.Detach();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(file.GetLength(), 0u);
    EXPECT_EQ(::GlobalFlags(h) & GMEM_LOCKCOUNT, 0u);
    // The block doubled on the way: 16, 32, 64, 128 bytes.
    EXPECT_EQ(::GlobalSize(h), 128u);
    const char* p = static_cast<const char*>(::GlobalLock(h));
    ASSERT_NE(p, nullptr);
    std::string expected;
    for (char c = 'a'; c <= 'z'; ++c)
        expected += std::string(3, c);
    EXPECT_EQ(std::string(p, 78), expected);
    ::GlobalUnlock(h);
    EXPECT_EQ(::GlobalFree(h), nullptr);
}

TEST(SharedFile, SetHandleTakesOverABlock)
{
    const auto makeBlock = [] {
        HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, 4);
        memcpy(::GlobalLock(h), "wxyz", 4);
        ::GlobalUnlock(h);
        return h;
    };

    CSharedFile fixed;
    fixed.SetHandle(makeBlock(), FALSE);
    EXPECT_EQ(ReadAll(fixed), "wxyz");
    fixed.Seek(0, CFile::end);
    EXPECT_TRUE(Throws<CMemoryException>([&] { Write(fixed, "!"); }));
    ::GlobalFree(fixed.Detach());

    CSharedFile growing;
    growing.SetHandle(makeBlock());
    growing.Seek(0, CFile::end);
    Write(growing, "12345");
    EXPECT_EQ(ReadAll(growing), "wxyz12345");
    // Closing frees the block it owns; nothing is left to detach.
    growing.Close();
    EXPECT_EQ(growing.Detach(), nullptr);
}
