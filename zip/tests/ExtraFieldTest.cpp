#include <zip/ExtraField.h>
#include <zip/MemFile.h>
#include <zip/Storage.h>

#include <gtest/gtest.h>

#include <string>

namespace
{
class ZipExtraFieldTest : public testing::Test
{
protected:
    // The storage then reads these bytes from its start.
    void Load(const std::string& bytes)
    {
        m_storage.Open(m_file);
        m_file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        m_file.SeekToBegin();
    }
    void TearDown() override
    {
        m_storage.Close(false);
    }

    CZipMemFile m_file;
    CZipStorage m_storage;
};

const std::string kTwoRecords("\x01\x00\x02\x00\xAA\xBB"
                              "\x75\x70\x00\x00",
                              10);

TEST_F(ZipExtraFieldTest, ReadsRecordsAndWritesThemBackInOrder)
{
    Load(kTwoRecords);
    CZipExtraField field;
    ASSERT_TRUE(field.Read(&m_storage, 10));
    ASSERT_EQ(2, field.GetCount());
    EXPECT_EQ(0x0001, field.GetAt(0)->GetHeaderID());
    EXPECT_EQ(std::string("\xAA\xBB"), std::string(field.GetAt(0)->m_data, 2));
    EXPECT_EQ(0u, field.GetAt(1)->m_data.GetSize());
    EXPECT_EQ(10u, field.GetTotalSize());

    std::string written(10, '\0');
    field.Write(written.data());
    EXPECT_EQ(kTwoRecords, written);
}

TEST_F(ZipExtraFieldTest, MalformedFieldKeepsTheRecordsBeforeTheBadOne)
{
    // The second record claims 5 bytes where 1 is left; a record needs at least 4.
    Load(std::string("\x01\x00\x00\x00"
                     "\x02\x00\x05\x00\x01",
                     9));
    CZipExtraField field;
    EXPECT_FALSE(field.Read(&m_storage, 9));
    ASSERT_EQ(1, field.GetCount());
    EXPECT_EQ(0x0001, field.GetAt(0)->GetHeaderID());

    Load(std::string("\x01\x00\x00\x00\x09\x09", 6));
    EXPECT_FALSE(field.Read(&m_storage, 6));
    EXPECT_TRUE(field.Read(&m_storage, 0));
}

TEST(ZipExtraFieldRecordsTest, FindRemoveAndTheManagedRecords)
{
    CZipExtraField field;
    for (WORD uId : {0x0001, 0x9901, 0x7075, 0x6375, 0x5A4C, 0x000A, 0x7075})
        field.AppendRecord(uId)->m_data.Allocate(3);
    INT_PTR iIndex = -1;
    EXPECT_NE(nullptr, field.Find(0x6375, &iIndex));
    EXPECT_EQ(3, iIndex);
    EXPECT_EQ(nullptr, field.Find(0x1234));

    CZipExtraField copy(field);
    copy.GetAt(0)->m_data.GetBuffer()[0] = 'x';
    EXPECT_NE('x', field.GetAt(0)->m_data.GetBuffer()[0]);

    copy.RemoveManagedLocalRecords();
    ASSERT_EQ(3, copy.GetCount());
    EXPECT_EQ(0x0001, copy.GetAt(0)->GetHeaderID());
    EXPECT_EQ(0x5A4C, copy.GetAt(1)->GetHeaderID());

    field.RemoveManagedRecords();
    ASSERT_EQ(1, field.GetCount());
    EXPECT_EQ(0x000A, field.GetAt(0)->GetHeaderID());
    EXPECT_EQ(7u, field.GetTotalSize());
}
} // namespace
