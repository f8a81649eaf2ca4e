#include "CollectorLandscape.h"

#include <rfc/PflGetServerParamValues.h>
#include <rfc/ThRequestQueue.h>
#include <rfc/ThSaprel.h>
#include <rfc/ThWpInfo.h>

#include <map>
#include <vector>

namespace
{
using sapsim::FaultKind;

using InstanceCapturesTest = CaptureLandscape;

// The ".wp" record of the row that the reader read last, from the field table.
GoldenRecord WpRecord(const CThWpInfo& wp, __time64_t time)
{
    GoldenRecord record(484);
    record.Int64(0, time)
        .Text(8, 4, wp.WP_NO)
        .Text(12, 6, wp.WP_TYP)
        .Text(18, 16, wp.WP_PID)
        .Text(34, 14, wp.WP_STATUS)
        .Text(48, 10, wp.WP_WAITING)
        .Text(58, 4, wp.WP_SEM)
        .Text(62, 8, wp.WP_RESTART)
        .Text(70, 4, wp.WP_DUMPS)
        .Text(74, 16, wp.WP_CPU)
        .Text(90, 12, wp.WP_ELTIME)
        .Text(102, 6, wp.WP_MANDT)
        .Text(108, 24, wp.WP_BNAME)
        .Text(132, 80, wp.WP_REPORT)
        .Text(212, 50, wp.WP_ACTION)
        .Text(262, 60, wp.WP_TABLE)
        .Text(322, 40, wp.WP_SERVER)
        .Text(362, 80, wp.WP_WAITINF)
        .Text(442, 16, wp.WP_WAITTIM)
        .Text(458, 6, wp.WP_SEMSTAT)
        .Text(464, 20, wp.WP_INDEX);
    return record;
}

// The records of every row of "WPLIST", read before the writer walks the table again.
std::vector<std::vector<BYTE>> WpRecords(CThWpInfo& wp, __time64_t time)
{
    std::vector<std::vector<BYTE>> records;
    for (unsigned row = 0; row < wp.GetTableRowCount(L"WPLIST"); ++row)
    {
        wp.OnTableRow(L"WPLIST", row);
        records.push_back(WpRecord(wp, time).Bytes());
    }
    return records;
}

// The ".drq" record: the time, then NOWP, DIA, UPD, ENQ, BTC, SPO, UP2.
std::vector<BYTE> QueueRecord(__time64_t time, const std::map<CString, int>& lengths)
{
    const std::map<CString, size_t> offsets = {{L"NOWP", 8}, {L"DIA", 12}, {L"UPD", 16}, {L"ENQ", 20},
                                               {L"BTC", 24}, {L"SPO", 28}, {L"UP2", 32}};
    GoldenRecord record(36);
    record.Int64(0, time);
    for (const auto& [queue, length] : lengths)
        record.Int32(offsets.at(queue), length);
    return record.Bytes();
}

void ReplaceRows(CBaseRfc& reader, LPCWSTR table, LPCWSTR column, const std::vector<CString>& values)
{
    reader.DeleteTableRows(table);
    for (const CString& value : values)
        reader.SetString(reader.AppendTableRow(table), column, value);
}
} // namespace

TEST_F(InstanceCapturesTest, KernelRecordHoldsTheFiveReleaseTexts)
{
    m_client.GetSaprel();
    m_client.WriteSaprelFile();
    m_client.WriteSaprelFile();
    GoldenRecord expected(800);
    expected.Text(0, 160, L"721")
        .Text(160, 160, L"ORACLE 10.2.0")
        .Text(320, 160, L"Linux 5.14.21")
        .Text(480, 160, L"Jan 12 2026 08:15:42")
        .Text(640, 160, L"100");
    EXPECT_EQ(ReadFileBytes(File(fileSaprel)), expected.Bytes());
}

TEST_F(InstanceCapturesTest, OverlongTextsAreCutToTheirFields)
{
    AddFault(FaultKind::OverlongValues);
    m_client.GetSaprel();
    m_client.WriteSaprelFile();
    const CThSaprel& saprel = *m_client.m_pThSaprel;
    ASSERT_GT(saprel.KERN_REL.GetLength(), 80);
    GoldenRecord kernel(800);
    kernel.Text(0, 160, saprel.KERN_REL)
        .Text(160, 160, saprel.KERN_DBLIB)
        .Text(320, 160, saprel.KERN_COMP_ON)
        .Text(480, 160, saprel.KERN_COMP_TIME)
        .Text(640, 160, saprel.KERN_PATCHLEVEL);
    EXPECT_EQ(ReadFileBytes(File(fileSaprel)), kernel.Bytes());

    m_client.GetWpInfo();
    const std::vector<std::vector<BYTE>> expected = WpRecords(*m_client.m_pThWpInfo, kSampleTime);
    ASSERT_GT(m_client.m_pThWpInfo->WP_REPORT.GetLength(), 40);
    m_client.WriteWpInfoFile();
    EXPECT_EQ(ReadRecords(File(fileWpInfo), 484), expected);
}

TEST_F(InstanceCapturesTest, ProfileParametersTakeTheUserValueElseTheDefault)
{
    m_client.GetServerParamValues();
    // A user value equal to the default is still the user's.
    CPflGetServerParamValues& params = *m_client.m_pServerParamValues;
    RFC_STRUCTURE_HANDLE row = params.AppendTableRow(L"SUBST_SRV_PARAM_TBL");
    params.SetString(row, L"PARAM_NAME", L"rdisp/keepalive");
    params.SetString(row, L"USER_VALUE", L"1200");
    params.SetString(row, L"DFL_VALUE", L"1200");
    m_client.WriteServerParamFile();

    const std::pair<LPCWSTR, LPCWSTR> parameters[] = {
        {L"SAPSYSTEMNAME", L"PRD"},
        {L"SAPSYSTEM", L"00"},
        {L"rdisp/wp_no_dia", L"6"},
        {L"rdisp/wp_no_vb", L"2"},
        {L"rdisp/wp_no_btc", L"3"},
        {L"rdisp/max_wprun_time", L"600"}, // no user value
        {L"abap/heap_area_total", L"2147483648"},
        {L"login/system_client", L"100"},
        {L"rdisp/keepalive", L"1200"},
    };
    std::vector<std::vector<BYTE>> expected;
    for (const auto& [name, value] : parameters)
        expected.push_back(GoldenRecord(240).Text(0, 120, name).Text(120, 120, value).Bytes());
    EXPECT_EQ(ReadRecords(File(fileServerParams), 240), expected);
    EXPECT_EQ(params.GetTableRowCount(L"SUBST_SRV_PARAM_TBL"), 0u);

    // The next capture replaces the file.
    m_client.GetServerParamValues();
    m_client.WriteServerParamFile();
    EXPECT_EQ(ReadFileBytes(File(fileServerParams)).size(), 8u * 240);
}

TEST_F(InstanceCapturesTest, RequestQueuesTakeTheFirstNumberOfEachQueueLine)
{
    m_client.GetRequestQueue();
    CThRequestQueue& queue = *m_client.m_pThRequestQueue;
    std::map<CString, int> lengths;
    const unsigned rows = queue.GetTableRowCount(L"REQUEST_QUEUES");
    ASSERT_EQ(rows, 7u);
    for (unsigned row = 0; row < rows; ++row)
    {
        queue.OnTableRow(L"REQUEST_QUEUES", row);
        lengths[queue.THLINE.Left(4).Trim()] = _wtoi(queue.THLINE.Mid(5));
    }
    m_client.WriteRequestQueueFile();
    EXPECT_EQ(ReadRecords(File(fileRequestQueue), 36),
              std::vector<std::vector<BYTE>>{QueueRecord(kSampleTime, lengths)});
    EXPECT_EQ(queue.GetTableRowCount(L"REQUEST_QUEUES"), 0u);
}

TEST_F(InstanceCapturesTest, RequestQueueLinesParseSafely)
{
    struct Case
    {
        std::vector<CString> lines;
        std::map<CString, int> lengths;
    };
    const Case cases[] = {
        {{L"NOWP 1", L"DIA 2", L"UPD 3", L"ENQ 4", L"BTC 5", L"SPO 6", L"UP2 7"},
         {{L"NOWP", 1}, {L"DIA", 2}, {L"UPD", 3}, {L"ENQ", 4}, {L"BTC", 5}, {L"SPO", 6}, {L"UP2", 7}}},
        {{L"DIA  3 10 2000 5 2"}, {{L"DIA", 3}}},
        {{L"DIALOG 9 9 2000 1 1", L"dia 5", L"XYZ 6", L"NOWP7 8"}, {}},
        {{L"DIA 3", L"DIA 4"}, {{L"DIA", 4}}},
        {{L"UPD 5", L"UPD"}, {}}, // the later line has no number
        {{L"", L"   ", L"ENQ", L"BTC abc 4", L"SPO\t-2x", L"UP2 +6 1 2 3 4 5 6 7"}, {{L"SPO", -2}, {L"UP2", 6}}},
        {{CString(L'A', 80), CString(L'9', 80), L"NOWP 12abc"}, {{L"NOWP", 12}}},
    };
    std::vector<std::vector<BYTE>> expected;
    __time64_t time = kSampleTime;
    for (const Case& c : cases)
    {
        m_client.m_nSampleTime = ++time;
        m_client.GetRequestQueue();
        ReplaceRows(*m_client.m_pThRequestQueue, L"REQUEST_QUEUES", L"THLINE", c.lines);
        m_client.WriteRequestQueueFile();
        expected.push_back(QueueRecord(time, c.lengths));
    }
    // An empty table adds nothing.
    m_client.GetRequestQueue();
    m_client.m_pThRequestQueue->DeleteTableRows(L"REQUEST_QUEUES");
    m_client.WriteRequestQueueFile();

    const std::vector<std::vector<BYTE>> records = ReadRecords(File(fileRequestQueue), 36);
    ASSERT_EQ(records.size(), expected.size());
    for (size_t i = 0; i < records.size(); ++i)
        EXPECT_EQ(records[i], expected[i]) << "case " << i;
}

TEST_F(InstanceCapturesTest, WorkProcessRecordsHoldEveryRowWithItsCpuTime)
{
    m_client.GetWpInfo();
    CThWpInfo& wp = *m_client.m_pThWpInfo;
    const std::vector<std::vector<BYTE>> expected = WpRecords(wp, kSampleTime);
    ASSERT_EQ(expected.size(), 13u);
    EXPECT_NE(wp.WP_CPU.Find(L':'), -1) << "asked with the CPU times";
    m_client.WriteWpInfoFile();
    EXPECT_EQ(ReadRecords(File(fileWpInfo), 484), expected);
    EXPECT_EQ(wp.GetTableRowCount(L"WPLIST"), 0u);

    // The next capture replaces the file.
    m_client.m_nSampleTime = kSampleTime + 60;
    m_client.GetWpInfo();
    const std::vector<std::vector<BYTE>> next = WpRecords(wp, kSampleTime + 60);
    m_client.WriteWpInfoFile();
    EXPECT_EQ(ReadRecords(File(fileWpInfo), 484), next);
}

TEST_F(InstanceCapturesTest, NothingIsWrittenWithoutAReaderOrWhenStopping)
{
    m_client.WriteSaprelFile();
    m_client.WriteServerParamFile();
    m_client.WriteRequestQueueFile();
    m_client.WriteWpInfoFile();
    m_client.GetRequestQueue();
    m_client.SetStopFlag(TRUE);
    m_client.GetSaprel();
    m_client.WriteRequestQueueFile();
    EXPECT_EQ(m_client.m_pThSaprel, nullptr);
    for (SessionFile file : {fileSaprel, fileServerParams, fileRequestQueue, fileWpInfo})
        EXPECT_FALSE(FileExists(File(file))) << file;
}
