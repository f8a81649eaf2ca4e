#include "ZipError.h"

#include <zip/Exception.h>
#include <zip/MemFile.h>

#include <gtest/gtest.h>

#include <vector>

namespace
{

std::vector<char> Bytes(UINT nCount, char cFirst = 0)
{
    std::vector<char> bytes(nCount);
    for (UINT i = 0; i < nCount; ++i)
        bytes[i] = static_cast<char>(cFirst + i);
    return bytes;
}

TEST(ZipMemFileTest, GrowsLinearlyInWholeSteps)
{
    CZipMemFile file;
    EXPECT_TRUE(file.IsClosed());
    const std::vector<char> data = Bytes(1500);
    file.Write(data.data(), 1500);
    EXPECT_EQ(2048u, file.GetCapacity());
    EXPECT_EQ(1500u, file.GetLength());
    EXPECT_EQ(1500u, file.GetPosition());
    EXPECT_FALSE(file.IsClosed());
    file.Write(data.data(), 1500);
    EXPECT_EQ(3072u, file.GetCapacity());
}

TEST(ZipMemFileTest, ReadsWhatWasWrittenAndNothingAtTheEnd)
{
    CZipMemFile file(16);
    const std::vector<char> data = Bytes(40, 'a');
    file.Write(data.data(), 40);
    file.SeekToBegin();
    std::vector<char> read(64);
    EXPECT_EQ(40u, file.Read(read.data(), 64));
    EXPECT_EQ(0, memcmp(data.data(), read.data(), 40));
    EXPECT_EQ(0u, file.Read(read.data(), 64));
    file.Seek(-10, CZipAbstractFile::end);
    EXPECT_EQ(10u, file.Read(read.data(), 64));
    EXPECT_EQ(data[30], read[0]);
}

TEST(ZipMemFileTest, SeekBeforeTheStartThrowsNotEnoughMemory)
{
    CZipMemFile file;
    ExpectZipError(CZipException::memError, [&] { file.Seek(-1, CZipAbstractFile::begin); });
    ExpectZipError(CZipException::memError, [&] { file.Seek(0x100000000LL, CZipAbstractFile::begin); });
}

TEST(ZipMemFileTest, SeekBeyondTheEndGrowsTheBlockAndTheGapReadsAsZeros)
{
    CZipMemFile file;
    const std::vector<char> data = Bytes(100, 1);
    file.Write(data.data(), 100);
    EXPECT_EQ(5000u, file.Seek(5000, CZipAbstractFile::begin));
    EXPECT_GE(file.GetCapacity(), 5000u);
    EXPECT_EQ(100u, file.GetLength());

    // The bytes between the old end and the new data are zeros, not stale heap contents.
    const char cLast = 'z';
    file.Write(&cLast, 1);
    EXPECT_EQ(5001u, file.GetLength());
    std::vector<char> read(5001);
    file.SeekToBegin();
    ASSERT_EQ(5001u, file.Read(read.data(), 5001));
    EXPECT_EQ(std::vector<char>(4900, 0), std::vector<char>(read.begin() + 100, read.begin() + 5000));
    EXPECT_EQ('z', read[5000]);
}

TEST(ZipMemFileTest, SetLengthShrinksOrGrows)
{
    CZipMemFile file(1024);
    const std::vector<char> data = Bytes(600, 1);
    file.Write(data.data(), 600);
    file.SetLength(200);
    EXPECT_EQ(200u, file.GetLength());
    EXPECT_EQ(200u, file.GetPosition());

    // Within the block: the length and the position move, and the new bytes are zeros.
    file.SetLength(900);
    EXPECT_EQ(900u, file.GetPosition());
    std::vector<char> read(900);
    file.SeekToBegin();
    ASSERT_EQ(900u, file.Read(read.data(), 900));
    EXPECT_EQ(std::vector<char>(700, 0), std::vector<char>(read.begin() + 200, read.end()));

    // Beyond the block: it grows and the position stays.
    file.Seek(10, CZipAbstractFile::begin);
    file.SetLength(3000);
    EXPECT_EQ(3000u, file.GetLength());
    EXPECT_EQ(3072u, file.GetCapacity());
    EXPECT_EQ(10u, file.GetPosition());
}

TEST(ZipMemFileTest, GrowStepZeroCannotGrow)
{
    CZipMemFile file(0);
    const char c = 1;
    ExpectZipError(CZipException::memError, [&] { file.Write(&c, 1); });
}

TEST(ZipMemFileTest, CloseFreesEverything)
{
    CZipMemFile file;
    file.Write("abc", 3);
    file.Close();
    EXPECT_TRUE(file.IsClosed());
    EXPECT_EQ(0u, file.GetLength());
    EXPECT_EQ(0u, file.GetPosition());
    EXPECT_EQ(0u, file.GetCapacity());
    EXPECT_STREQ(_T(""), file.GetFilePath());
}

TEST(ZipMemFileTest, SafeSeekTakesHugeOffsetsFromTheOtherEnd)
{
    CZipMemFile file;
    file.Write("0123456789", 10);
    EXPECT_EQ(7u, file.SafeSeek(3, false));
    EXPECT_EQ(4u, file.SafeSeek(4));
    // Too large to be signed: the length minus the offset, from the other end.
    EXPECT_EQ(13u, file.SafeSeek(static_cast<ULONGLONG>(-3), false));
}
} // namespace
