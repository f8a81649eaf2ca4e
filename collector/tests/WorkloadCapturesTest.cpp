#include "CollectorLandscape.h"

#include <rfc/Sapwln3StatrecDirectRead.h>
#include <rfc/ScsmDsrComponentsListRfc.h>
#include <rfc/SwncStatrecRead.h>

#include <ctime>
#include <utility>

namespace
{
using Values = std::initializer_list<std::pair<LPCWSTR, LPCWSTR>>;

constexpr __time64_t kTick = 1767268800;                // 2026-01-01 12:00:00 UTC
constexpr __time64_t kLastOfJanuary = 1706745599;       // 2024-01-31 23:59:59 UTC
constexpr __time64_t kFirstOfFebruary = 1706745601;     // 2024-02-01 00:00:01 UTC
constexpr __time64_t kBeforeSpringForward = 1710053999; // 2024-03-10 06:59:59 UTC, 01:59:59 EST
constexpr __time64_t kAfterSpringForward = 1710054000;  // 2024-03-10 07:00:00 UTC, 03:00:00 EDT
constexpr __time64_t kSummerNoon = 1721044800;          // 2024-07-15 12:00:00 UTC
constexpr unsigned kDialogStepSize = 177;
constexpr unsigned kDsrSize = 716;

// Sets the process time zone for the life of the object.
class ProcessTimeZone
{
public:
    explicit ProcessTimeZone(LPCWSTR zone)
    {
        if (const wchar_t* previous = _wgetenv(L"TZ"))
        {
            m_hadZone = true;
            m_previous = previous;
        }
        Set(zone);
        // Some runtimes keep the daylight bias of the zone read before, which may have had none;
        // every zone here saves an hour.
        if (_daylight)
            _dstbias = -3600;
    }
    ~ProcessTimeZone()
    {
        Set(m_hadZone ? (LPCWSTR)m_previous : L"");
        _dstbias = m_previousBias;
    }

private:
    static void Set(LPCWSTR zone)
    {
        _wputenv_s(L"TZ", zone);
        _tzset();
    }

    bool m_hadZone = false;
    CString m_previous;
    long m_previousBias = _dstbias;
};

// 2024-07-15 12:00:00 read as a local time of the current zone.
__time64_t SummerNoonAsLocalTime()
{
    struct tm parts = {};
    parts.tm_year = 124;
    parts.tm_mon = 6;
    parts.tm_mday = 15;
    parts.tm_hour = 12;
    parts.tm_isdst = -1;
    return _mktime64(&parts);
}

void Append(CBaseRfc& reader, RFC_STRUCTURE_HANDLE row, Values values)
{
    for (const auto& [name, value] : values)
        reader.SetString(row, name, value);
}

void AppendStep(CSwncStatrecRead& read, Values values)
{
    Append(read, read.AppendTableRow(L"NORMAL_RECORDS"), values);
}

void AppendRequest(CSapwln3StatrecDirectRead& read, Values values)
{
    Append(read, read.GetStructure(read.AppendTableRow(L"STAT_RECORDS"), L"MAINREC"), values);
}

struct DialogStep
{
    __time64_t start;
    __time64_t end;
    LPCWSTR account;
    LPCWSTR tcode;
    LPCWSTR report;
    BYTE taskType;
    long long response; // (RESPTI + GUITIME + GUINETTIME) / 1000
    long long cpu;
    long long database;
    long long memory;
};

// The documented ".dss" layout.
std::vector<BYTE> Golden(const DialogStep& step)
{
    return GoldenRecord(kDialogStepSize)
        .Int64(0, step.start)
        .Int64(8, step.end)
        .Text(16, 24, step.account)
        .Text(40, 40, step.tcode)
        .Text(80, 80, step.report)
        .Int(160, step.taskType, 1)
        .Int32(161, step.response)
        .Int32(165, step.cpu)
        .Int32(169, step.database)
        .Int32(173, step.memory)
        .Bytes();
}

// 32 rows per minute: a record every 1.875 seconds, so the times of one read are distinct.
sapsim::CTopology ThreeInstanceTopology()
{
    sapsim::CTopology topology = MakeTestTopology();
    topology.systems[0].instances = {sapsim::CInstanceInfo{kHost, L"00", 0x1F, L"", 32},
                                     sapsim::CInstanceInfo{kHost, L"10", 0x1F, L"", 32},
                                     sapsim::CInstanceInfo{kHost, L"20", 0x1F, L"", 32}};
    return topology;
}

class WorkloadCapturesTest : public CollectorLandscape
{
protected:
    void SetUp() override
    {
        CollectorLandscape::SetUp();
        Landscape().Load(ThreeInstanceTopology());
        Connect(m_client);
        Tick(kTick);
    }

    void Tick(__time64_t time)
    {
        Landscape().SetTime(time);
        m_client.m_nSampleTime = time;
    }

    static void FailCalls(LPCWSTR module)
    {
        sapsim::CFault fault;
        fault.kind = sapsim::FaultKind::AbapException;
        fault.module = module;
        fault.key = L"INVALID_TIME_PERIOD";
        Landscape().AddFault(fault);
    }

    // A read of an empty window leaves the reader with a function and no rows.
    CSwncStatrecRead& EmptyStatRead()
    {
        m_client.m_nStartTime = m_client.m_nSampleTime;
        m_client.ReadStatRecords();
        EXPECT_EQ(0u, m_client.m_pStatRecords->GetTableRowCount(L"NORMAL_RECORDS"));
        return *m_client.m_pStatRecords;
    }

    CString StatFile() const
    {
        return FileOf(m_client, fileStatRecords);
    }
    CString DsrFile() const
    {
        return FileOf(m_client, fileDsrRecords);
    }

    CRfcClient m_client;
};

const Values kConversionStep = {
    {L"STARTTIMESTAMP", L"20240131235959"},
    {L"ENDTIMESTAMP", L"20240201000001"},
    {L"ACCOUNT", L"MUELLER"},
    {L"TCODE", L"VA01"},
    {L"REPORT", L"SAPMV45A"},
    {L"TASKTYPE", L"01"},
    {L"RESPTI", L"1500"},
    {L"GUITIME", L"700"},
    {L"GUINETTIME", L"0"},
    {L"CPUTI", L"2999"},
    {L"DBREQTIME", L"1000.5"},
    {L"DBPREQTIME", L"abc"},
    {L"MEMSUM", L"-2500"},
};
const DialogStep kConvertedStep = {
    kLastOfJanuary, kFirstOfFebruary, L"MUELLER", L"VA01", L"SAPMV45A", 0x01, 2, 2, 1, -2};
} // namespace

TEST_F(WorkloadCapturesTest, DialogStepsAreConvertedAlikeInEveryTimeZone)
{
    CSwncStatrecRead& read = EmptyStatRead();
    const struct
    {
        LPCWSTR zone;
        __time64_t summerNoonOffset; // local minus UTC at the summer noon
    } kZones[] = {{L"JST-9", -9 * 3600}, {L"EST5EDT", 4 * 3600}};
    std::vector<std::vector<BYTE>> expected;
    for (const auto& zone : kZones)
    {
        ProcessTimeZone timeZone(zone.zone);
        ASSERT_EQ(kSummerNoon + zone.summerNoonOffset, SummerNoonAsLocalTime()) << "the zone is in effect";

        AppendStep(read, kConversionStep);
        // Each side of the change to daylight saving time in the zone with it.
        AppendStep(read, {{L"STARTTIMESTAMP", L"20240310065959"},
                          {L"ENDTIMESTAMP", L"20240310070000"},
                          {L"ACCOUNT", L"ACCOUNTNAME_LONG"},
                          {L"TASKTYPE", L""},
                          {L"RESPTI", L"999"}});
        AppendStep(read, {{L"STARTTIMESTAMP", L"20240715120000"},
                          {L"ENDTIMESTAMP", L"20240715120000"},
                          {L"REPORT", L"SAPLSMTR_NAVIGATION"},
                          {L"TASKTYPE", L"FE"},
                          {L"MEMSUM", L"5000000000000"}});
        m_client.WriteStatRecordsFile();

        expected.push_back(Golden(kConvertedStep));
        expected.push_back(
            Golden({kBeforeSpringForward, kAfterSpringForward, L"ACCOUNTNAME_", L"", L"", 0, 0, 0, 0, 0}));
        // 5000000000 keeps its low 32 bits.
        expected.push_back(
            Golden({kSummerNoon, kSummerNoon, L"", L"", L"SAPLSMTR_NAVIGATION", 0xFE, 0, 0, 0, 705032704}));
        EXPECT_EQ(expected, ReadRecords(StatFile(), kDialogStepSize)) << zone.zone;
        EXPECT_EQ(3u, m_client.m_nDialogStepCount);
        EXPECT_EQ(0u, read.GetTableRowCount(L"NORMAL_RECORDS")) << "rows given back";
    }
    EXPECT_EQ(6u, read.m_nRowTotal);
}

TEST_F(WorkloadCapturesTest, RowsWithAnUnreadableTimeAreSkippedAndTheOthersWritten)
{
    CSwncStatrecRead& read = EmptyStatRead();
    Tick(kTick + 300);
    AppendStep(read, kConversionStep);
    for (LPCWSTR timestamp : {L"", L"20241350120000", L"20240131235960"})
    {
        AppendStep(read, {{L"STARTTIMESTAMP", timestamp}, {L"ENDTIMESTAMP", L"20240201000001"}});
        AppendStep(read, {{L"STARTTIMESTAMP", L"20240131235959"}, {L"ENDTIMESTAMP", timestamp}});
    }
    AppendStep(read, kConversionStep);
    const unsigned rows = read.GetTableRowCount(L"NORMAL_RECORDS");

    EXPECT_NO_THROW(m_client.WriteStatRecordsFile());

    const std::vector<BYTE> converted = Golden(kConvertedStep);
    EXPECT_EQ((std::vector<std::vector<BYTE>>{converted, converted}), ReadRecords(StatFile(), kDialogStepSize));
    EXPECT_EQ(2u, m_client.m_nDialogStepCount);
    EXPECT_EQ(6u, rows - m_client.m_nDialogStepCount) << "the skipped rows, for the log";
    EXPECT_EQ(static_cast<ULONGLONG>(kTick + 300), read.m_nWindowStart) << "the read is done with";
}

TEST_F(WorkloadCapturesTest, DialogStepWindowJoinsTheReadsAndOutlastsAFailedOne)
{
    const __time64_t start = kTick - 600;
    m_client.m_nStartTime = start;
    m_client.ReadStatRecords();
    CSwncStatrecRead& read = *m_client.m_pStatRecords;
    EXPECT_STREQ(L"20260101", read.READ_START_DATE);
    EXPECT_STREQ(L"115000", read.READ_START_TIME);
    EXPECT_STREQ(L"20260101", read.READ_END_DATE);
    EXPECT_STREQ(L"120000", read.READ_END_TIME);
    EXPECT_EQ(static_cast<ULONGLONG>(start), read.m_nWindowStart) << "moved only when the rows are written";
    m_client.WriteStatRecordsFile();
    EXPECT_EQ(320u, m_client.m_nDialogStepCount) << "ten minutes";
    EXPECT_EQ(static_cast<ULONGLONG>(kTick), read.m_nWindowStart);

    Tick(kTick + 300);
    FailCalls(L"SWNC_STATREC_READ");
    CRfcException* failure = Thrown([&] { m_client.ReadStatRecords(); });
    ASSERT_NE(nullptr, failure);
    failure->Delete();
    EXPECT_EQ(static_cast<ULONGLONG>(kTick), read.m_nWindowStart);
    Landscape().ClearFaults();

    Tick(kTick + 600);
    m_client.ReadStatRecords();
    EXPECT_STREQ(L"120000", read.READ_START_TIME) << "from the last successful read on";
    EXPECT_STREQ(L"121000", read.READ_END_TIME);
    m_client.WriteStatRecordsFile();
    EXPECT_EQ(320u, m_client.m_nDialogStepCount);
    EXPECT_EQ(640u, read.m_nRowTotal);

    // Twenty minutes of steps, each once and in order.
    const std::vector<std::vector<BYTE>> records = ReadRecords(StatFile(), kDialogStepSize);
    ASSERT_EQ(640u, records.size());
    const auto startOf = [](const std::vector<BYTE>& record) {
        long long time = 0;
        memcpy(&time, record.data(), sizeof(time));
        return time;
    };
    EXPECT_EQ(start, startOf(records.front()));
    EXPECT_GT(kTick + 600, startOf(records.back()));
    for (size_t i = 1; i < records.size(); ++i)
        ASSERT_LT(startOf(records[i - 1]), startOf(records[i])) << i;
}

TEST_F(WorkloadCapturesTest, DistributedRecordsCarryTheirComponentAndSkipUnreadableTimes)
{
    m_client.m_nStartTime = kTick;
    m_client.GetDsrComponents();
    CScsmDsrComponentsListRfc& components = *m_client.m_pDsrComponents;
    ASSERT_LT(0u, components.GetTableRowCount(L"DSR_COMPONENTS"));
    components.OnTableRow(L"DSR_COMPONENTS", 0);
    m_client.ReadDsrRecords();
    CSapwln3StatrecDirectRead& read = *m_client.m_pDsrRecords;
    EXPECT_STREQ(components.COMPNAME, read.COMPONENT);
    EXPECT_STREQ(L"SAPJ2ENode", read.COMPONENT_TYPE);
    ASSERT_EQ(0u, read.GetTableRowCount(L"STAT_RECORDS")) << "an empty window";

    const CString action(L'a', 128);
    const Values good = {{L"STARTDATE", L"20240131"}, {L"STARTTIME", L"235959"}, {L"ENDDATE", L"20240201"},
                         {L"ENDTIME", L"000001"},     {L"USER", L"NAKAMURA"},    {L"ACTION", action},
                         {L"CPUTIME", L"12abc"},      {L"QUEUETIME", L""},       {L"LOADTIME", L"-5"},
                         {L"GENTIME", L"4"},          {L"NETTIME", L"5"},        {L"WAITTIME", L"6"},
                         {L"MAXMEM", L"2147483647"},  {L"RESPTIME", L"480"}};
    AppendRequest(read, good);
    AppendRequest(read, {{L"STARTDATE", L""}, {L"STARTTIME", L""}, {L"ENDDATE", L"20240201"}, {L"ENDTIME", L"000001"}});
    AppendRequest(
        read,
        {{L"STARTDATE", L"20240131"}, {L"STARTTIME", L"235959"}, {L"ENDDATE", L"20240201"}, {L"ENDTIME", L"240000"}});
    AppendRequest(read, good);
    m_client.m_nDsrCount = 0;
    EXPECT_NO_THROW(m_client.WriteDsrRecordsFile());

    const std::vector<BYTE> expected = GoldenRecord(kDsrSize)
                                           .Int64(0, kLastOfJanuary)
                                           .Int64(8, kFirstOfFebruary)
                                           .Text(16, 264, components.COMPNAME)
                                           .Text(280, 80, L"SAPJ2ENode")
                                           .Text(360, 64, L"NAKAMURA")
                                           .Text(424, 256, action)
                                           .Int32(684, 12)
                                           .Int32(688, 0)
                                           .Int32(692, -5)
                                           .Int32(696, 4)
                                           .Int32(700, 5)
                                           .Int32(704, 6)
                                           .Int32(708, 2147483647)
                                           .Int32(712, 480)
                                           .Bytes();
    EXPECT_EQ((std::vector<std::vector<BYTE>>{expected, expected}), ReadRecords(DsrFile(), kDsrSize));
    EXPECT_EQ(2u, m_client.m_nDsrCount) << "two rows skipped";
    EXPECT_EQ(2u, read.m_nRowTotal);
    EXPECT_EQ(0u, read.GetTableRowCount(L"STAT_RECORDS"));
}

TEST_F(WorkloadCapturesTest, ComponentsOfATickShareTheWindowThatOutlastsAFailedRead)
{
    const __time64_t start = kTick - 600;
    m_client.m_nStartTime = start;
    // The walk of the instance thread's capture.
    const auto capture = [&](unsigned& components) {
        m_client.GetDsrComponents();
        CScsmDsrComponentsListRfc& list = *m_client.m_pDsrComponents;
        components = list.GetTableRowCount(L"DSR_COMPONENTS");
        for (unsigned row = 0; row < components; ++row)
        {
            list.OnTableRow(L"DSR_COMPONENTS", row);
            m_client.m_nDsrCount = 0;
            m_client.ReadDsrRecords();
            EXPECT_STREQ(L"115000", m_client.m_pDsrRecords->READ_START_TIME) << row;
            EXPECT_STREQ(L"120000", m_client.m_pDsrRecords->READ_END_TIME) << row;
            m_client.WriteDsrRecordsFile();
            EXPECT_EQ(320u, m_client.m_nDsrCount) << row;
        }
        m_client.m_pDsrRecords->m_nWindowStart = static_cast<ULONGLONG>(m_client.m_nSampleTime);
    };
    unsigned components = 0;
    capture(components);
    ASSERT_LE(3u, components);
    EXPECT_EQ(components * 320u, ReadRecords(DsrFile(), kDsrSize).size());

    CSapwln3StatrecDirectRead& read = *m_client.m_pDsrRecords;
    CScsmDsrComponentsListRfc& list = *m_client.m_pDsrComponents;
    Tick(kTick + 300);
    FailCalls(L"SAPWLN3_STATREC_DIRECT_READ");
    list.OnTableRow(L"DSR_COMPONENTS", 0);
    CRfcException* failure = Thrown([&] { m_client.ReadDsrRecords(); });
    ASSERT_NE(nullptr, failure);
    failure->Delete();
    EXPECT_EQ(static_cast<ULONGLONG>(kTick), read.m_nWindowStart) << "a read never moves the window itself";
    Landscape().ClearFaults();

    Tick(kTick + 600);
    m_client.m_nDsrCount = 0;
    m_client.ReadDsrRecords();
    EXPECT_STREQ(L"120000", read.READ_START_TIME);
    EXPECT_STREQ(L"121000", read.READ_END_TIME);
    m_client.WriteDsrRecordsFile();
    EXPECT_EQ(320u, m_client.m_nDsrCount);

    const std::vector<std::vector<BYTE>> records = ReadRecords(DsrFile(), kDsrSize);
    ASSERT_EQ((components + 1) * 320u, records.size());
    const std::vector<BYTE> component =
        GoldenRecord(kDsrSize).Text(16, 264, list.COMPNAME).Text(280, 80, L"SAPJ2ENode").Bytes();
    EXPECT_TRUE(std::equal(component.begin() + 16, component.begin() + 360, records.back().begin() + 16));
}
