#include "CollectorLandscape.h"

#include <rfc/SaptuneGetStorageInfos.h>
#include <rfc/SaptuneGetSummaryStatistic.h>

#include <algorithm>
#include <ctime>

namespace
{
using Summary = CSaptuneGetSummaryStatistic;

constexpr __time64_t kMonday2pm = 1715608800; // 2024-05-13 14:00:00 UTC
constexpr __time64_t kSampleTime = 1715608000;

// A run of consecutive texts of a wrapper, from the first named one on, as the documented field
// table places them: numbers one after the other, or one text field of the given size.
template <class R> struct Texts
{
    size_t offset;
    Kind kind;
    CString R::*pFirst;
    size_t count = 1;
    size_t size = 0; // texts only
};

template <class R> void Put(GoldenRecord& golden, R& wrapper, const Texts<R>& run)
{
    const std::span<CString> texts = TextsOf(wrapper);
    const size_t first = &(wrapper.*run.pFirst) - texts.data();
    for (size_t i = 0; i < run.count; ++i)
    {
        const size_t width = run.kind == Kind::Text ? run.size : run.kind == Kind::Int32 ? 4 : 8;
        golden.Field(run.offset + width * i, width, run.kind, texts[first + i]);
    }
}

template <class R> std::vector<BYTE> Golden(size_t size, R& wrapper, std::initializer_list<Texts<R>> runs)
{
    GoldenRecord golden(size);
    for (const Texts<R>& run : runs)
        Put(golden, wrapper, run);
    return golden.Bytes();
}

// The per-row files of the summary capture, each with its documented record.
struct RowFile
{
    SessionFile file;
    void (CRfcClient::*write)();
    LPCWSTR table;
    size_t size;
    std::vector<Texts<Summary>> runs;
};

const RowFile kRowFiles[] = {
    {fileTableStatistics,
     &CRfcClient::WriteTableStatisticFile,
     L"TABLE_STATISTIC",
     496,
     {{8, Kind::Int64, &Summary::TABLE_STATISTIC_UPDCNT, 45},
      {368, Kind::Text, &Summary::TABLE_STATISTIC_TNAME, 1, 60},
      {428, Kind::Text, &Summary::TABLE_STATISTIC_REF, 1, 2},
      {430, Kind::Text, &Summary::TABLE_STATISTIC_RNAME, 1, 60},
      {490, Kind::Text, &Summary::TABLE_STATISTIC_BUF, 1, 2},
      {492, Kind::Text, &Summary::TABLE_STATISTIC_SQL, 1, 2},
      {494, Kind::Text, &Summary::TABLE_STATISTIC_BUF_STATE, 1, 2}}},
    {fileBufferStatistics,
     &CRfcClient::WriteBufferStatisticFile,
     L"BUFFER_STATISTIC",
     226,
     {{8, Kind::Int32, &Summary::BUFFER_STATISTIC_ALLOC_SIZE, 33},
      {140, Kind::Text, &Summary::BUFFER_STATISTIC_ALLOC, 1, 2},
      {142, Kind::Text, &Summary::BUFFER_STATISTIC_SMODE, 1, 2},
      {144, Kind::Text, &Summary::BUFFER_STATISTIC_UP_TIME, 1, 28},
      {172, Kind::Text, &Summary::BUFFER_STATISTIC_LAST_REFR, 1, 28},
      {200, Kind::Text, &Summary::BUFFER_STATISTIC_NAME, 1, 10},
      {210, Kind::Double, &Summary::BUFFER_STATISTIC_HITRATIO, 2}}},
    {fileTableQualities,
     &CRfcClient::WriteTableQualitiesFile,
     L"TABLE_QUALITIES",
     92,
     {{8, Kind::Text, &Summary::TABLE_QUALITIES_TNAME, 1, 60},
      {68, Kind::Double, &Summary::TABLE_QUALITIES_Q_DIRECTRD, 3}}},
    {fileCursorCache,
     &CRfcClient::WriteCursorCacheFile,
     L"CURSOR_CACHE_INFO",
     80,
     {{8, Kind::Int32, &Summary::CURSOR_CACHE_INFO_WRKPROCESS, 14},
      {64, Kind::Text, &Summary::CURSOR_CACHE_INFO_WP_PID, 1, 16}}},
};

class TuningCapturesTest : public CollectorLandscape
{
protected:
    void SetUp() override
    {
        CollectorLandscape::SetUp();
        Landscape().SetTime(kMonday2pm);
        Connect(m_client);
        m_client.m_nSampleTime = kSampleTime;
    }

    // The summary capture: its writers in order, the first exception ending it.
    void CaptureSummary()
    {
        m_client.GetSummaryStatistic();
        m_client.WriteSummaryFile();
        for (const RowFile& rows : kRowFiles)
            (m_client.*rows.write)();
    }

    CRfcClient m_client;
};
} // namespace

TEST_F(TuningCapturesTest, StorageInfosAreOneRecordOfTheExportsInAlphabeticalOrder)
{
    m_client.GetStorageInfos();
    m_client.WriteStorageInfosFile();
    CSaptuneGetStorageInfos& infos = *m_client.m_pStorageInfos;
    using S = CSaptuneGetStorageInfos;
    const std::vector<BYTE> expected = Golden<S>(80, infos,
                                                 {{0, Kind::Int32, &S::DW_BSS},
                                                  {4, Kind::Int32, &S::DW_DATA},
                                                  {8, Kind::Int32, &S::DW_ERROR},
                                                  {12, Kind::Int32, &S::DW_TEXT},
                                                  {16, Kind::Int32, &S::EXT_MEM},
                                                  {20, Kind::Int64, &S::HEAP_AREA_TOTAL},
                                                  {28, Kind::Int32, &S::NUM_SHMS},
                                                  {32, Kind::Int32, &S::PAGE_BUFSZ},
                                                  {36, Kind::Int32, &S::ROLL_AREA},
                                                  {40, Kind::Int32, &S::SHM_ASIZE_USED},
                                                  {44, Kind::Int32, &S::SHM_TOTAL},
                                                  {48, Kind::Int32, &S::SHM_TOTAL_NOT_USED},
                                                  {52, Kind::Int32, &S::SHM_TOTAL_USED},
                                                  {56, Kind::Int32, &S::SHORT_ST},
                                                  {60, Kind::Int32, &S::USE_PAGING},
                                                  {64, Kind::Int32, &S::VMEM_SIZE},
                                                  {68, Kind::Int32, &S::VMEM_SIZE_WP},
                                                  {72, Kind::Int32, &S::WP_ALL},
                                                  {76, Kind::Int32, &S::WP_NUMBER}});
    EXPECT_EQ(expected, ReadFileBytes(FileOf(m_client, fileStorageInfos)));
    EXPECT_NE(0, _wtoi(infos.SHM_TOTAL)) << "the record holds the result";
}

TEST_F(TuningCapturesTest, SummaryRecordIsStampedWithTheAnalysisTime)
{
    m_client.GetSummaryStatistic();
    m_client.WriteSummaryFile();
    Summary& summary = *m_client.m_pSummaryStatistic;
    ASSERT_STREQ(L"20240513", summary.ANALYSIS_DATE);
    ASSERT_STREQ(L"140000", summary.ANALYSIS_TIME);
    // The analysis time is a calendar time of this computer.
    struct tm analysis = {};
    analysis.tm_year = 124;
    analysis.tm_mon = 4;
    analysis.tm_mday = 13;
    analysis.tm_hour = 14;
    analysis.tm_isdst = -1;
    GoldenRecord golden(516);
    golden.Int64(0, _mktime64(&analysis));
    for (const Texts<Summary>& run : {
             Texts<Summary>{8, Kind::Double, &Summary::DB_ACCESSES_UPDATE, 5},
             {48, Kind::Int32, &Summary::EXTENDED_MEMORY_USAGE_ATTACHED, 6},
             {72, Kind::Int64, &Summary::EXTENDED_MEMORY_USAGE_QUOTA_DIA_64, 2},
             {88, Kind::Int32, &Summary::HEAP_MEMORY_USAGE_USED, 6},
             {112, Kind::Int64, &Summary::HEAP_MEMORY_USAGE_QUOTA_DIA_64, 2},
             {128, Kind::Int32, &Summary::LOGIC_ACCESSES_UPDCNT, 9},
             {164, Kind::Int32, &Summary::PAGING_AREA_AREA_WP, 8},
             {196, Kind::Int64, &Summary::PAGING_AREA_QUOTA_DIA_64, 2},
             {212, Kind::Int32, &Summary::PXA_INFO_GAPS, 2},
             {220, Kind::Int32, &Summary::ROLL_AREA_AREA_WP, 8},
             {252, Kind::Int64, &Summary::ROLL_AREA_QUOTA_DIA_64, 2},
             {268, Kind::Double, &Summary::SAP_CURSOR_CACHE_TOTAL_ID_REQ, 14},
             {380, Kind::Double, &Summary::TOTAL_DURATIONS_UPDATE, 5},
             {420, Kind::Double, &Summary::TOTAL_HITRATIO_DIRECT, 3},
             {444, Kind::Int64, &Summary::TOTAL_OPERATIONS_REQUESTS, 4},
             {476, Kind::Double, &Summary::TOTAL_ROWS_UPDATE, 5},
         })
        Put(golden, summary, run);
    EXPECT_EQ(golden.Bytes(), ReadFileBytes(FileOf(m_client, fileSummary)));
    EXPECT_FALSE(summary.HEAP_MEMORY_USAGE_QUOTA_DIA_64.IsEmpty()) << "the heap dialog quota is read";
}

TEST_F(TuningCapturesTest, RowFilesHoldOneRecordPerRowStampedWithTheSampleTime)
{
    m_client.GetSummaryStatistic();
    Summary& summary = *m_client.m_pSummaryStatistic;
    for (const RowFile& rows : kRowFiles)
    {
        std::vector<std::vector<BYTE>> expected;
        const unsigned count = summary.GetTableRowCount(rows.table);
        for (unsigned row = 0; row < count; ++row)
        {
            summary.OnTableRow(rows.table, row);
            GoldenRecord golden(rows.size);
            golden.Int64(0, kSampleTime);
            for (const Texts<Summary>& run : rows.runs)
                Put(golden, summary, run);
            expected.push_back(golden.Bytes());
        }
        EXPECT_LT(1u, expected.size()) << rows.table;
        (m_client.*rows.write)();
        EXPECT_EQ(expected, ReadRecords(FileOf(m_client, rows.file), rows.size)) << rows.table;
        EXPECT_EQ(0u, summary.GetTableRowCount(rows.table)) << "rows given back";
    }
    // "SCREEN" does not fit the five characters of a buffer name.
    const std::vector<BYTE> buffers = ReadFileBytes(FileOf(m_client, fileBufferStatistics));
    const std::vector<BYTE> screen = GoldenRecord(10).Text(0, 10, L"SCREE").Bytes();
    EXPECT_TRUE(std::search(buffers.begin(), buffers.end(), screen.begin(), screen.end()) != buffers.end());
}

TEST_F(TuningCapturesTest, EmptyAnalysisDateEmptiesTheSummaryAndEndsTheCapture)
{
    CaptureSummary();
    std::vector<std::vector<BYTE>> before;
    for (const RowFile& rows : kRowFiles)
    {
        before.push_back(ReadFileBytes(FileOf(m_client, rows.file)));
        EXPECT_FALSE(before.back().empty()) << rows.table;
    }
    ASSERT_EQ(516u, ReadFileBytes(FileOf(m_client, fileSummary)).size());

    AddFault(sapsim::FaultKind::EmptyResult, L"SAPTUNE_GET_SUMMARY_STATISTIC");
    bool invalid = false;
    try
    {
        CaptureSummary();
    }
    catch (CInvalidArgException* e)
    {
        invalid = true;
        e->Delete();
    }
    EXPECT_TRUE(invalid);
    EXPECT_STREQ(L"", m_client.m_pSummaryStatistic->ANALYSIS_DATE);
    EXPECT_TRUE(FileExists(FileOf(m_client, fileSummary)));
    EXPECT_TRUE(ReadFileBytes(FileOf(m_client, fileSummary)).empty());
    for (size_t i = 0; i < std::size(kRowFiles); ++i)
        EXPECT_EQ(before[i], ReadFileBytes(FileOf(m_client, kRowFiles[i].file))) << kRowFiles[i].table;
}

TEST_F(TuningCapturesTest, EmptyTableLeavesItsFileEmpty)
{
    CaptureSummary();
    ASSERT_FALSE(ReadFileBytes(FileOf(m_client, fileTableStatistics)).empty());
    AddFault(sapsim::FaultKind::EmptyResult, L"SAPTUNE_GET_SUMMARY_STATISTIC");
    m_client.GetSummaryStatistic();
    m_client.WriteTableStatisticFile();
    EXPECT_TRUE(FileExists(FileOf(m_client, fileTableStatistics)));
    EXPECT_TRUE(ReadFileBytes(FileOf(m_client, fileTableStatistics)).empty());
}
