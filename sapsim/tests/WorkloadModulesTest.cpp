#include "SimCall.h"

#include <sapsim/LandscapeFile.h>

namespace
{
// A date "YYYYMMDD" and a time "HHMMSS" as UTC seconds.
__time64_t Utc(const CString& date, const CString& time)
{
    tm parts{};
    parts.tm_year = _wtoi(date.Left(4)) - 1900;
    parts.tm_mon = _wtoi(date.Mid(4, 2)) - 1;
    parts.tm_mday = _wtoi(date.Mid(6, 2));
    parts.tm_hour = _wtoi(time.Left(2));
    parts.tm_min = _wtoi(time.Mid(2, 2));
    parts.tm_sec = _wtoi(time.Mid(4, 2));
    return _mkgmtime64(&parts);
}

// "HH:MM:SS" as "HHMMSS".
CString Plain(CString time)
{
    time.Remove(L':');
    return time;
}

class WorkloadModulesTest : public SimFixture
{
protected:
    CSimCall Read(LPCWSTR startDate, LPCWSTR startTime, LPCWSTR endDate, LPCWSTR endTime)
    {
        CSimCall call = Call(L"SWNC_STATREC_READ");
        call.Set(L"READ_START_DATE", startDate)
            .Set(L"READ_START_TIME", startTime)
            .Set(L"READ_END_DATE", endDate)
            .Set(L"READ_END_TIME", endTime);
        EXPECT_EQ(CString(), call.Invoke());
        return call;
    }

    // Every time column of every record lies in [begin, end).
    static void ExpectInside(CSimCall& call, __time64_t begin, __time64_t end)
    {
        const std::vector<CString> startDates = call.Column(L"NORMAL_RECORDS", L"STARTDATE");
        const std::vector<CString> startTimes = call.Column(L"NORMAL_RECORDS", L"STARTTIME");
        const std::vector<CString> endDates = call.Column(L"NORMAL_RECORDS", L"ENDDATE");
        const std::vector<CString> endTimes = call.Column(L"NORMAL_RECORDS", L"ENDTIME");
        const std::vector<CString> startStamps = call.Column(L"NORMAL_RECORDS", L"STARTTIMESTAMP");
        const std::vector<CString> endStamps = call.Column(L"NORMAL_RECORDS", L"ENDTIMESTAMP");
        for (size_t row = 0; row < startDates.size(); ++row)
        {
            for (const __time64_t moment : {Utc(startDates[row], startTimes[row]), Utc(endDates[row], endTimes[row]),
                                            Utc(startStamps[row].Left(8), startStamps[row].Mid(8)),
                                            Utc(endStamps[row].Left(8), endStamps[row].Mid(8))})
            {
                EXPECT_LE(begin, moment) << row;
                EXPECT_LT(moment, end) << row;
            }
        }
    }

    // What tells records apart.
    static std::vector<CString> Records(CSimCall& call)
    {
        const std::vector<CString> stamps = call.Column(L"NORMAL_RECORDS", L"STARTTIMESTAMP");
        const std::vector<CString> responses = call.Column(L"NORMAL_RECORDS", L"RESPTI");
        const std::vector<CString> transactions = call.Column(L"NORMAL_RECORDS", L"TRANSID");
        std::vector<CString> records;
        for (size_t row = 0; row < stamps.size(); ++row)
            records.push_back(stamps[row] + L"/" + responses[row] + L"/" + transactions[row]);
        return records;
    }
};

// The host of the instance is an hour east of UTC: a window read as local time would miss every record.
TEST_F(WorkloadModulesTest, RecordsLieInsideTheWindowReadAsUtc)
{
    const struct
    {
        LPCWSTR startDate, startTime, endDate, endTime;
        int records; // -1: not checked
    } kCases[] = {
        {L"20240513", L"130000", L"20240513", L"130500", 5 * 20},
        {L"20240513", L"13:00:00", L"20240513", L"13:05:00", 5 * 20},
        {L"20240513", L"131017", L"20240513", L"131541", -1},
        {L"20240513", L"135800", L"20240513", L"143000", 2 * 20}, // nothing after the current time, 14:00
        {L"20240513", L"131000", L"20240513", L"130000", 0},
    };
    for (const auto& test : kCases)
    {
        CSimCall call = Read(test.startDate, test.startTime, test.endDate, test.endTime);
        const size_t rows = call.Column(L"NORMAL_RECORDS", L"RECNO").size();
        if (test.records >= 0)
        {
            EXPECT_EQ(static_cast<size_t>(test.records), rows) << test.startTime;
        }
        EXPECT_EQ(_wtoi(call.Export(L"RECORDS_READ")), static_cast<int>(rows));
        EXPECT_EQ(CString(L"X"), call.Export(L"EOF_REACHED"));
        ExpectInside(call, Utc(test.startDate, Plain(test.startTime)),
                     std::min(Utc(test.endDate, Plain(test.endTime)), kMonday2pm));
    }
}

TEST_F(WorkloadModulesTest, AWindowAcrossMidnightReadsBothDays)
{
    m_landscape.SetTime(Utc(L"20240514", L"000500"));
    CSimCall call = Read(L"20240513", L"235800", L"20240514", L"000200");
    const std::vector<CString> dates = call.Column(L"NORMAL_RECORDS", L"STARTDATE");
    ASSERT_EQ(4u * 20, dates.size());
    EXPECT_EQ(CString(L"20240513"), dates.front());
    EXPECT_EQ(CString(L"20240514"), dates.back());
    ExpectInside(call, Utc(L"20240513", L"235800"), Utc(L"20240514", L"000200"));
}

TEST_F(WorkloadModulesTest, ALongerWindowReadsTheUnionOfShorterOnes)
{
    CSimCall whole = Read(L"20240513", L"130000", L"20240513", L"130700");
    CSimCall first = Read(L"20240513", L"130000", L"20240513", L"130317");
    CSimCall second = Read(L"20240513", L"130317", L"20240513", L"130700");
    std::vector<CString> parts = Records(first);
    const std::vector<CString> rest = Records(second);
    parts.insert(parts.end(), rest.begin(), rest.end());
    EXPECT_EQ(Records(whole), parts);
    EXPECT_FALSE(Records(first).empty());
    EXPECT_FALSE(rest.empty());

    m_landscape.SetTime(kMonday2pm + 3600);
    CSimCall later = Read(L"20240513", L"130000", L"20240513", L"130700");
    EXPECT_EQ(Records(whole), Records(later));
}

TEST_F(WorkloadModulesTest, AWindowThatIsNoTimeIsRefused)
{
    const LPCWSTR kCases[][2] = {
        {L"20240231", L"120000"}, {L"2024051", L"120000"},   {L"20240513", L"25:00:00"},
        {L"", L"000000"},         {L"20240513", L"12:0000"}, {L"2024-05-13", L"120000"},
    };
    for (const auto& test : kCases)
    {
        CSimCall call = Call(L"SWNC_STATREC_READ");
        call.Set(L"READ_START_DATE", test[0])
            .Set(L"READ_START_TIME", test[1])
            .Set(L"READ_END_DATE", L"20240513")
            .Set(L"READ_END_TIME", L"130000");
        EXPECT_EQ(CString(L"INVALID_TIME_PERIOD"), call.Invoke()) << test[0] << L" " << test[1];
        EXPECT_EQ(sapsim::FailureKind::AbapException, call.Kind());
    }
}

TEST_F(WorkloadModulesTest, RecordsPerMinuteAreSetPerInstance)
{
    sapsim::CTopology topology = sapsim::CTopology::Default();
    topology.systems[0].instances[0].statRecordsPerMinute = 100000;
    m_landscape.Load(topology);
    m_landscape.SetTime(kMonday2pm);
    CSimCall call = Read(L"20240513", L"135900", L"20240513", L"140000");
    EXPECT_EQ(100000u, call.Column(L"NORMAL_RECORDS", L"RECNO").size());
    ExpectInside(call, Utc(L"20240513", L"135900"), kMonday2pm);

    const sapsim::CTopology parsed = sapsim::CLandscapeFile::Parse(
        L"host a os=Linux\ndatabase D system=QUORV host=a\nsystem S release=700 database=D clients=000\n"
        L"user S U password=p\ninstance S host=a sysnr=00 statrecords=5\ninstance S host=a sysnr=01\n",
        L"records.txt");
    EXPECT_EQ(5u, parsed.systems[0].instances[0].statRecordsPerMinute);
    EXPECT_EQ(20u, parsed.systems[0].instances[1].statRecordsPerMinute);
}

TEST_F(WorkloadModulesTest, ComponentsAreTheSameOnEveryCallAndFiltered)
{
    CSimCall all = Call(L"SCSM_DSR_COMPONENTS_LIST_RFC");
    ASSERT_EQ(CString(), all.Invoke());
    const std::vector<CString> names = all.Column(L"DSR_COMPONENTS", L"COMPNAME");
    for (const CString& guid : all.Column(L"DSR_COMPONENTS", L"COMPGUID"))
        EXPECT_EQ(32, guid.GetLength());

    m_landscape.SetTime(kMonday2pm + 86400);
    CSimCall nodes = Call(L"SCSM_DSR_COMPONENTS_LIST_RFC");
    nodes.Set(L"RESTRICT_TO_COMPONENT_TYPE", L"SAPJ2ENode");
    ASSERT_EQ(CString(), nodes.Invoke());
    const std::vector<CString> classes = nodes.Column(L"DSR_COMPONENTS", L"COMPCLASS");
    EXPECT_FALSE(classes.empty());
    EXPECT_LT(classes.size(), names.size());
    for (const CString& name : nodes.Column(L"DSR_COMPONENTS", L"COMPNAME"))
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name.GetString();
    for (const CString& componentClass : classes)
        EXPECT_EQ(CString(L"SAPJ2ENode"), componentClass);

    CSimCall other = Call(L"SCSM_DSR_COMPONENTS_LIST_RFC");
    other.Set(L"RESTRICT_TO_MON_SYSTEM", L"XYZ");
    ASSERT_EQ(CString(), other.Invoke());
    EXPECT_TRUE(other.Column(L"DSR_COMPONENTS", L"COMPNAME").empty());
}

TEST_F(WorkloadModulesTest, DistributedRecordsBelongToAComponentOfTheSystem)
{
    CSimCall list = Call(L"SCSM_DSR_COMPONENTS_LIST_RFC");
    ASSERT_EQ(CString(), list.Invoke());
    const CString component = list.Column(L"DSR_COMPONENTS", L"COMPNAME").at(0);
    for (const auto& [name, records] : {std::pair<CString, LPCWSTR>{component, L"60"}, {L"NOSUCHNODE", L"0"}})
    {
        CSimCall call = Call(L"SAPWLN3_STATREC_DIRECT_READ");
        call.Set(L"COMPONENT", name)
            .Set(L"READ_START_DATE", L"20240513")
            .Set(L"READ_START_TIME", L"131000")
            .Set(L"READ_END_DATE", L"20240513")
            .Set(L"READ_END_TIME", L"131300");
        ASSERT_EQ(CString(), call.Invoke());
        EXPECT_EQ(CString(records), call.Field(L"RECORD_INFO", L"NOOFRECS")) << name.GetString();
        EXPECT_EQ(CString(L"X"), call.Field(L"RECORD_INFO", L"EOFREACHED"));
        if (name == component)
        {
            const __time64_t first =
                Utc(call.Field(L"RECORD_INFO", L"FIRSTRECDT"), call.Field(L"RECORD_INFO", L"FIRSTRECTM"));
            EXPECT_GE(first, Utc(L"20240513", L"131000"));
            EXPECT_LT(first, Utc(L"20240513", L"131100"));
            const __time64_t last =
                Utc(call.Field(L"RECORD_INFO", L"LASTRECDT"), call.Field(L"RECORD_INFO", L"LASTRECTM"));
            EXPECT_GE(last, Utc(L"20240513", L"131200"));
            EXPECT_LT(last, Utc(L"20240513", L"131300"));
        }
    }
}
} // namespace
