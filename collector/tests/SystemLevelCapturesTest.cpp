#include "CollectorLandscape.h"

#include <rfc/OcsGetInfo.h>
#include <rfc/ReadTableRsddstatDm.h>
#include <rfc/ReadTableRsddstatOlap.h>
#include <rfc/ReadTableTrdir.h>

#include <algorithm>
#include <ctime>
#include <map>

namespace
{
constexpr __time64_t kMonday2pm = 1715608800;      // 2024-05-13 14:00:00 UTC
constexpr __time64_t kBeforeMidnight = 1715644200; // 2024-05-13 23:50:00 UTC
constexpr __time64_t kNextMorning = 1715673630;    // 2024-05-14 08:00:30 UTC
constexpr int kBiEvents = 600;                     // one a minute, from 22:01 on the 13th

sapsim::CTopology TopologyWithTables(int programs)
{
    sapsim::CTopology topology = MakeTestTopology();
    topology.systems[0].tables = {
        {L"TRDIR", programs, 0}, {L"RSDDSTAT_OLAP", kBiEvents, 0}, {L"RSDDSTAT_DM", kBiEvents, 0}};
    return topology;
}

__time64_t LocalTime(int year, int month, int day, int hour, int minute, int second)
{
    struct tm parts = {};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
    parts.tm_isdst = -1;
    return _mktime64(&parts);
}

// A line of the given width with each value at its position.
CString Line(int width, std::initializer_list<std::pair<int, LPCWSTR>> values)
{
    CString line(L' ', width);
    for (const auto& [start, value] : values)
    {
        for (int i = 0; value[i] != 0; ++i)
            line.SetAt(start + i, value[i]);
    }
    return line;
}

std::vector<BYTE> Report(UINT32 other, UINT32 customer)
{
    return GoldenRecord(8).Int32(0, other).Int32(4, customer).Bytes();
}

class SystemLevelCapturesTest : public CollectorLandscape
{
protected:
    void SetUp() override
    {
        CollectorLandscape::SetUp();
        Landscape().Load(TopologyWithTables(25000));
        Landscape().SetTime(kMonday2pm);
        Connect(m_client);
        m_client.m_nSampleTime = kMonday2pm;
    }

    CRfcClient m_client;
};
} // namespace

TEST_F(SystemLevelCapturesTest, ComponentsCarryTheTextOfTheirAddOn)
{
    m_client.GetOcsInfo();
    EXPECT_STREQ(L"700", m_client.m_pOcsGetInfo->EV_SAPRL);
    m_client.WriteComponentFile();

    const auto component = [](LPCWSTR name, LPCWSTR release, LPCWSTR level, LPCWSTR addon) {
        GoldenRecord golden(220);
        golden.Text(0, 60, name).Text(60, 20, release).Text(80, 20, level).Text(100, 120, addon);
        return golden.Bytes();
    };
    const std::vector<std::vector<BYTE>> expected = {
        component(L"SAP_BASIS", L"700", L"0012", L""),
        component(L"SAP_ABA", L"700", L"0012", L""),
        component(L"SAP_BW", L"700", L"0014", L""),
        component(L"ST-PI", L"2008_1_700", L"0003", L"SAP Solution Tools Plug-In"),
    };
    EXPECT_EQ(expected, ReadRecords(FileOf(m_client, fileComponents), 220));
    EXPECT_EQ(4u, m_client.m_pOcsGetInfo->GetTableRowCount(L"TT_COMPONENT")) << "the rows are kept";
    EXPECT_EQ(1u, m_client.m_pOcsGetInfo->GetTableRowCount(L"TT_ADDON"));
}

TEST_F(SystemLevelCapturesTest, PatchesWithoutAValidDateKeepTheirPlaceWithTimeZero)
{
    m_client.GetOcsInfo();
    COcsGetInfo& info = *m_client.m_pOcsGetInfo;
    const unsigned installed = info.GetTableRowCount(L"TT_PATCH");
    ASSERT_LT(0u, installed);
    info.OnTableRow(L"TT_PATCH", 0);
    const CString firstDate = info.TT_PATCH_107;
    const CString firstTime = info.TT_PATCH_115;
    const LPCWSTR kText = L"Support Package 99 for SAP_BASIS, a long description of sixty characters or more";
    const struct
    {
        LPCWSTR name;
        LPCWSTR date;
        LPCWSTR time;
        __time64_t expected;
    } kAdded[] = {
        {L"SAPKB70097", L"", L"", 0},
        {L"SAPKB70098", L"20241350", L"120000", 0},
        {L"SAPKB70099", L"20240102", L"030405", LocalTime(2024, 1, 2, 3, 4, 5)},
    };
    for (const auto& patch : kAdded)
    {
        info.SetString(info.AppendTableRow(L"TT_PATCH"), L"LINE",
                       Line(300, {{0, patch.name}, {20, kText}, {107, patch.date}, {115, patch.time}}));
    }
    EXPECT_NO_THROW(m_client.WritePatchFile()) << "a bad date is no reason to lose the list";

    const std::vector<std::vector<BYTE>> records = ReadRecords(FileOf(m_client, filePatches), 168);
    ASSERT_EQ(installed + std::size(kAdded), records.size()) << "no row lost";
    const std::vector<BYTE> first =
        GoldenRecord(168)
            .Int64(0, LocalTime(_wtoi(firstDate.Left(4)), _wtoi(firstDate.Mid(4, 2)), _wtoi(firstDate.Right(2)),
                                _wtoi(firstTime.Left(2)), _wtoi(firstTime.Mid(2, 2)), _wtoi(firstTime.Right(2))))
            .Text(8, 40, L"SAPKB70001")
            .Text(48, 120, L"Support Package 01 for SAP_BASIS")
            .Bytes();
    EXPECT_EQ(first, records[0]);
    for (size_t i = 0; i < std::size(kAdded); ++i)
    {
        const std::vector<BYTE> expected = GoldenRecord(168)
                                               .Int64(0, kAdded[i].expected)
                                               .Text(8, 40, kAdded[i].name)
                                               .Text(48, 120, CString(kText).Left(60))
                                               .Bytes();
        EXPECT_EQ(expected, records[installed + i]) << kAdded[i].name;
    }
    EXPECT_EQ(0u, info.GetTableRowCount(L"TT_PATCH")) << "rows given back";
}

TEST_F(SystemLevelCapturesTest, ReportPagesCountEveryProgramOnce)
{
    const struct
    {
        int programs;
        unsigned pages; // the last one shorter than asked for, or empty
    } kCases[] = {{25000, 3}, {20000, 3}};
    for (const auto& test : kCases)
    {
        Landscape().Load(TopologyWithTables(test.programs));
        CRfcClient client;
        Connect(client);
        unsigned pages = 0;
        std::vector<std::vector<BYTE>> files;
        while (!client.m_bReportComplete && pages < 10)
        {
            client.ReadTrdir(10000);
            client.WriteTrdirFile();
            ++pages;
            files.push_back(ReadFileBytes(FileOf(client, fileReports)));
        }
        ASSERT_EQ(test.pages, pages) << test.programs;
        EXPECT_EQ(test.pages, Count(sapsim::Operation::Invoke, L"RFC_READ_TABLE"));

        // All programs in one read, counted here.
        CReadTableTrdir all(&client);
        all.FIELDNAME = L"NAME";
        all.AppendFieldsRow();
        all.SetImportParameters();
        all.CallFunctionModule(&client);
        ASSERT_EQ(static_cast<unsigned>(test.programs), all.GetTableRowCount(L"DATA"));
        UINT32 customer = 0;
        for (unsigned row = 0; row < all.GetTableRowCount(L"DATA"); ++row)
        {
            all.OnTableRow(L"DATA", row);
            customer += all.WA[0] == L'Y' || all.WA[0] == L'Z';
        }
        EXPECT_LT(0u, customer);
        EXPECT_EQ(Report(test.programs - customer, customer), files.back()) << test.programs;
        if (test.programs % 10000 == 0)
        {
            EXPECT_EQ(files[pages - 2], files.back()) << "an empty page leaves the file";
        }
    }
}

TEST_F(SystemLevelCapturesTest, ProgramsStartingWithCapitalYOrZAreCustomerPrograms)
{
    const struct
    {
        LPCWSTR name;
        bool customer;
    } kCases[] = {
        {L"ZREPORT", true},  {L"YTEST", true},    {L"yreport", false},
        {L"zreport", false}, {L"SAPLZ01", false}, {L"", false},
    };
    m_client.ReadTrdir(10);
    CReadTableTrdir& reader = *m_client.m_pReadTrdir;
    for (const auto& test : kCases)
    {
        const UINT32 other = m_client.m_nOtherReports;
        const UINT32 customer = m_client.m_nCustomerReports;
        reader.DeleteTableRows(L"DATA");
        reader.SetString(reader.AppendTableRow(L"DATA"), L"WA", test.name);
        m_client.WriteTrdirFile();
        EXPECT_EQ(test.customer ? customer + 1 : customer, m_client.m_nCustomerReports) << test.name;
        EXPECT_EQ(test.customer ? other : other + 1, m_client.m_nOtherReports) << test.name;
        EXPECT_EQ(Report(m_client.m_nOtherReports, m_client.m_nCustomerReports),
                  ReadFileBytes(FileOf(m_client, fileReports)));
    }
}

namespace
{
enum class Kind
{
    Int32,
    Double,
    Text,
};

struct BiField
{
    LPCWSTR name;
    size_t offset;
    Kind kind;
    size_t size = 0;    // texts only
    bool zeros = false; // cleaned of leading blanks and zeros, else trimmed
};

const BiField kOlapFields[] = {
    {L"SESSIONUID", 0, Kind::Text, 50},  {L"STEPUID", 50, Kind::Text, 50},  {L"HANDLEID", 100, Kind::Int32},
    {L"HANDLETP", 104, Kind::Text, 8},   {L"EVENTID", 112, Kind::Int32},    {L"UNAME", 116, Kind::Text, 24},
    {L"STEPTP", 140, Kind::Text, 8},     {L"STEPCNT", 148, Kind::Int32},    {L"UTIME", 152, Kind::Text, 12},
    {L"CALDAY", 164, Kind::Text, 16},    {L"RUNTIME", 180, Kind::Double},   {L"INFOPROV", 188, Kind::Text, 60},
    {L"OBJNAME", 248, Kind::Text, 60},   {L"OBJPROP", 308, Kind::Text, 20}, {L"STATLEVEL", 328, Kind::Int32},
    {L"EVTIME", 332, Kind::Double},      {L"EVCOUNT", 340, Kind::Double},   {L"EVENTIDCNT", 348, Kind::Int32},
    {L"STARTTIME", 352, Kind::Text, 50},
};

const BiField kDmFields[] = {
    {L"STEPUID", 0, Kind::Text, 50},         {L"HANDLEID", 50, Kind::Int32},        {L"HANDLETP", 54, Kind::Text, 8},
    {L"UNAME", 62, Kind::Text, 24},          {L"UTIME", 86, Kind::Text, 12},        {L"CALDAY", 98, Kind::Text, 16},
    {L"OBJNAME", 114, Kind::Text, 60},       {L"DMUID", 174, Kind::Text, 50},       {L"ACCESSCNT", 224, Kind::Int32},
    {L"ACCESSTP", 228, Kind::Text, 2, true}, {L"INFOPROV", 230, Kind::Text, 60},    {L"PARTPROV", 290, Kind::Text, 60},
    {L"AGGREGATE", 350, Kind::Text, 60},     {L"TABLTP", 410, Kind::Text, 2},       {L"TIMEDMPREP", 412, Kind::Double},
    {L"TIMEDMPOST", 420, Kind::Double},      {L"TIMEREAD", 428, Kind::Double},      {L"TIMESID", 436, Kind::Double},
    {L"TIMENAVATTR", 444, Kind::Double},     {L"TIMEHIERARCHY", 452, Kind::Double}, {L"DBSEL", 460, Kind::Int32},
    {L"DBTRANS", 464, Kind::Int32},          {L"WP_ID", 468, Kind::Int32},          {L"PROCESSCNT", 472, Kind::Int32},
    {L"SLOTNR", 476, Kind::Int32},           {L"STARTTIME", 480, Kind::Text, 50},
};

// The records of the rows of the table whose moment (CALDAY, UTIME in UTC) is not before the
// given time, from one read of the whole table cut here by its FIELDS rows.
template <class R>
std::vector<std::vector<BYTE>> RowsSince(CRfcClient& client, __time64_t since, std::span<const BiField> fields,
                                         size_t size)
{
    R all(&client);
    all.SetImportParameters();
    all.CallFunctionModule(&client);
    std::map<CString, std::pair<int, int>> places;
    for (unsigned row = 0; row < all.GetTableRowCount(L"FIELDS"); ++row)
    {
        all.OnTableRow(L"FIELDS", row);
        places[all.FIELDNAME] = {_wtoi(all.OFFSET), _wtoi(all.LENGTH)};
    }
    std::vector<std::vector<BYTE>> records;
    for (unsigned row = 0; row < all.GetTableRowCount(L"DATA"); ++row)
    {
        all.OnTableRow(L"DATA", row);
        const auto value = [&](LPCWSTR name) { return all.WA.Mid(places.at(name).first, places.at(name).second); };
        const CString day = value(L"CALDAY");
        const CString time = value(L"UTIME");
        struct tm moment = {};
        moment.tm_year = _wtoi(day.Left(4)) - 1900;
        moment.tm_mon = _wtoi(day.Mid(4, 2)) - 1;
        moment.tm_mday = _wtoi(day.Right(2));
        moment.tm_hour = _wtoi(time.Left(2));
        moment.tm_min = _wtoi(time.Mid(2, 2));
        moment.tm_sec = _wtoi(time.Right(2));
        if (_mkgmtime64(&moment) < since)
            continue;
        GoldenRecord golden(size);
        for (const BiField& field : fields)
        {
            CString text = value(field.name);
            field.zeros ? text.TrimLeft(L" 0") : text.Trim();
            if (field.kind == Kind::Int32)
                golden.Int32(field.offset, _wtoi(text));
            else if (field.kind == Kind::Double)
                golden.Double(field.offset, _wtof(text));
            else
                golden.Text(field.offset, field.size, text);
        }
        records.push_back(golden.Bytes());
    }
    return records;
}

// How many records hold the event of the given day and time.
size_t EventsAt(const std::vector<std::vector<BYTE>>& records, size_t dayOffset, size_t timeOffset, LPCWSTR day,
                LPCWSTR time)
{
    const std::vector<BYTE> dayBytes = GoldenRecord(16).Text(0, 16, day).Bytes();
    const std::vector<BYTE> timeBytes = GoldenRecord(12).Text(0, 12, time).Bytes();
    return std::count_if(records.begin(), records.end(), [&](const std::vector<BYTE>& record) {
        return std::equal(dayBytes.begin(), dayBytes.end(), record.begin() + dayOffset) &&
               std::equal(timeBytes.begin(), timeBytes.end(), record.begin() + timeOffset);
    });
}
} // namespace

TEST_F(SystemLevelCapturesTest, BiWindowReachesOverMidnight)
{
    m_client.m_nStartTime = kBeforeMidnight;
    const struct
    {
        SessionFile file;
        size_t size;
        size_t dayOffset;
        size_t timeOffset;
    } kFiles[] = {{fileBiOlap, 402, 164, 152}, {fileBiDataManager, 530, 98, 86}};

    // The first tick, at 08:00:30 the next morning, reads from 23:50 on.
    Landscape().SetTime(kNextMorning);
    m_client.m_nSampleTime = kNextMorning;
    std::vector<std::vector<BYTE>> expected[] = {
        RowsSince<CReadTableRsddstatOlap>(m_client, kBeforeMidnight, kOlapFields, 402),
        RowsSince<CReadTableRsddstatDm>(m_client, kBeforeMidnight, kDmFields, 530),
    };
    m_client.ReadRsddstatOlap();
    m_client.WriteRsddstatOlapFile();
    m_client.ReadRsddstatDm();
    m_client.WriteRsddstatDmFile();
    for (size_t i = 0; i < std::size(kFiles); ++i)
    {
        EXPECT_EQ(10u + 8 * 60 + 1, expected[i].size()) << "23:50 to 23:59, then 00:00 to 08:00";
        EXPECT_EQ(expected[i], ReadRecords(FileOf(m_client, kFiles[i].file), kFiles[i].size));
    }

    // Ten minutes later the window starts at the first tick and the records are appended.
    Landscape().SetTime(kNextMorning + 600);
    m_client.m_nSampleTime = kNextMorning + 600;
    const std::vector<std::vector<BYTE>> later[] = {
        RowsSince<CReadTableRsddstatOlap>(m_client, kNextMorning, kOlapFields, 402),
        RowsSince<CReadTableRsddstatDm>(m_client, kNextMorning, kDmFields, 530),
    };
    m_client.ReadRsddstatOlap();
    m_client.WriteRsddstatOlapFile();
    m_client.ReadRsddstatDm();
    m_client.WriteRsddstatDmFile();
    for (size_t i = 0; i < std::size(kFiles); ++i)
    {
        EXPECT_EQ(10u, later[i].size());
        expected[i].insert(expected[i].end(), later[i].begin(), later[i].end());
        const std::vector<std::vector<BYTE>> records = ReadRecords(FileOf(m_client, kFiles[i].file), kFiles[i].size);
        EXPECT_EQ(expected[i], records);
        EXPECT_EQ(1u, EventsAt(records, kFiles[i].dayOffset, kFiles[i].timeOffset, L"20240514", L"080000"))
            << "the next day's early event is read once";
    }
    EXPECT_EQ(static_cast<ULONGLONG>(kNextMorning + 600), m_client.m_pReadRsddstatOlap->m_nWindowStart);
    EXPECT_EQ(0u, m_client.m_pReadRsddstatDm->GetTableRowCount(L"DATA")) << "rows given back";
}
