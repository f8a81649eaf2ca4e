#include "SimulatedLandscape.h"

#include <rfc/SaptuneGetStorageInfos.h>
#include <rfc/SaptuneGetSummaryStatistic.h>

#include <span>

namespace
{
using sapsim::FaultKind;

// The destination, 13 export parameters, 107 structure fields and 261 table columns.
const size_t kSummaryTexts = 1 + 13 + 107 + 261;
static_assert(sizeof(CSaptuneGetSummaryStatistic) - sizeof(CBaseRfc) == kSummaryTexts * sizeof(CString));

std::span<CString> TextsOf(CSaptuneGetSummaryStatistic& reader)
{
    return {reinterpret_cast<CString*>(reinterpret_cast<BYTE*>(&reader) + sizeof(CBaseRfc)), kSummaryTexts};
}

class TuningReadersTest : public SimulatedLandscape
{
protected:
    void SetUp() override
    {
        SimulatedLandscape::SetUp();
        SetLogon(m_connection);
        m_connection.Connect();
    }

    CRfcConnection m_connection;
};
} // namespace

TEST_F(TuningReadersTest, StorageInfosReadTheSharedMemoryOfTheInstance)
{
    CSaptuneGetStorageInfos reader(&m_connection);
    EXPECT_STREQ(reader.DESTINATION, L"NONE");
    ASSERT_TRUE(reader.HasFunction(&m_connection));
    reader.SetImportParameters();
    reader.CallFunctionModule(&m_connection);
    reader.GetExportParameters();

    EXPECT_EQ(_wtoi64(reader.SHM_TOTAL), _wtoi64(reader.SHM_TOTAL_USED) + _wtoi64(reader.SHM_TOTAL_NOT_USED));
    EXPECT_GT(_wtoi64(reader.SHM_TOTAL_USED), 0);
    EXPECT_EQ(static_cast<unsigned>(_wtoi(reader.NUM_SHMS)), reader.GetTableRowCount(L"SHMTABLE"));
    EXPECT_EQ(reader.GetTableRowCount(L"SHM_TEXTS"), reader.GetTableRowCount(L"SHMTABLE"));
    EXPECT_STREQ(reader.OP_SYS, L"Linux");
    EXPECT_STREQ(reader.DW_ERROR, L"");
    EXPECT_EQ(reader.ANALYSIS_DATE.GetLength(), 8);
    EXPECT_EQ(reader.ANALYSIS_TIME.GetLength(), 6);
    EXPECT_GT(_wtoi(reader.WP_NUMBER), 0);

    ASSERT_GT(reader.GetTableRowCount(L"SHM_POOLS"), 0u);
    reader.OnTableRow(L"SHM_POOLS", 0);
    EXPECT_EQ(_wtoi64(reader.PSIZE), _wtoi64(reader.PSIZE_USED) + _wtoi64(reader.PSIZE_NUSE));
}

TEST_F(TuningReadersTest, StorageTablesWithEqualColumnsKeepSeparateTexts)
{
    CSaptuneGetStorageInfos reader(&m_connection);
    reader.SetImportParameters();
    reader.CallFunctionModule(&m_connection);
    reader.OnTableRow(L"SHMTABLE", 1);
    EXPECT_STREQ(reader.SHMTABLE_SHMKEY, L"2");
    EXPECT_STREQ(reader.ATTACH, L"X");
    reader.OnTableRow(L"SHM_TEXTS", 0);
    EXPECT_STREQ(reader.SHM_TEXTS_SHMKEY, L"1");
    EXPECT_FALSE(reader.SHMNAME.IsEmpty());
    EXPECT_STREQ(reader.SHMTABLE_SHMKEY, L"2");

    // Names are compared exactly: a lower-case name is a table the function does not have.
    const CString thrown = ThrownText([&] { reader.OnTableRow(L"shm_texts", 1); });
    EXPECT_NE(thrown.Find(L"CBaseRfc::GetTableHandle - RfcGetTable"), -1);
    EXPECT_STREQ(reader.SHM_TEXTS_SHMKEY, L"1");
}

TEST_F(TuningReadersTest, TheSummaryReadsEveryExportAndStructureField)
{
    // Every value of an overlong result is 600 characters long, so a text that was read
    // holds the 512 that the buffer takes.
    AddFault(FaultKind::OverlongValues);
    CSaptuneGetSummaryStatistic reader(&m_connection);
    EXPECT_STREQ(reader.DESTINATION, L"NONE");
    ASSERT_TRUE(reader.HasFunction(&m_connection));
    reader.SetImportParameters();
    reader.CallFunctionModule(&m_connection);
    reader.GetExportParameters();
    int read = 0;
    for (const CString& text : TextsOf(reader))
        read += text.GetLength() == 512 ? 1 : 0;
    EXPECT_EQ(read, 13 + 107);
    EXPECT_STREQ(reader.DESTINATION, L"NONE");
}

TEST_F(TuningReadersTest, TheSummaryKeepsTheTextsOfEachStructureAndTableApart)
{
    CSaptuneGetSummaryStatistic reader(&m_connection);
    reader.SetImportParameters();
    reader.CallFunctionModule(&m_connection);
    reader.GetExportParameters();
    EXPECT_EQ(reader.ANALYSIS_DATE.GetLength(), 8);
    EXPECT_EQ(reader.ANALYSIS_TIME.GetLength(), 6);
    EXPECT_LT(reader.STARTUP_DATE, reader.ANALYSIS_DATE);
    EXPECT_STREQ(reader.BUFSTAT_AVAILABLE, L"X");
    EXPECT_EQ(static_cast<unsigned>(_wtoi(reader.NUMBER_OF_TABLES)), reader.GetTableRowCount(L"TABLE_STATISTIC"));
    EXPECT_FALSE(reader.ROLL_AREA_AREA_SIZE.IsEmpty());
    EXPECT_FALSE(reader.PAGING_AREA_AREA_SIZE.IsEmpty());
    EXPECT_FALSE(reader.HEAP_MEMORY_USAGE_QUOTA_DIA_64.IsEmpty());
    EXPECT_FALSE(reader.TOTAL_ROWS_64_SEQUENTIAL.IsEmpty());

    reader.OnTableRow(L"TABLE_STATISTIC", 0);
    EXPECT_STREQ(reader.TABLE_STATISTIC_TNAME, L"MARA");
    reader.OnTableRow(L"TABLE_QUALITIES", 1);
    EXPECT_STREQ(reader.TABLE_QUALITIES_TNAME, L"T000");
    EXPECT_FALSE(reader.TABLE_QUALITIES_Q_TOTAL.IsEmpty());
    EXPECT_STREQ(reader.TABLE_STATISTIC_TNAME, L"MARA");

    reader.OnTableRow(L"BUFFER_STATISTIC", 0);
    reader.OnTableRow(L"BUFFER_STATISTIC_64", 1);
    EXPECT_STREQ(reader.BUFFER_STATISTIC_NAME, L"PXA");
    EXPECT_STREQ(reader.BUFFER_STATISTIC_64_NAME, L"CUA");

    ASSERT_GT(reader.GetTableRowCount(L"CURSOR_CACHE_INFO"), 0u);
    reader.OnTableRow(L"CURSOR_CACHE_INFO", 0);
    EXPECT_FALSE(reader.CURSOR_CACHE_INFO_WRKPROCESS.IsEmpty());

    const CString thrown = ThrownText([&] { reader.OnTableRow(L"buffer_statistic", 0); });
    EXPECT_NE(thrown.Find(L"CBaseRfc::GetTableHandle - RfcGetTable"), -1);
    EXPECT_STREQ(reader.BUFFER_STATISTIC_NAME, L"PXA");
}
