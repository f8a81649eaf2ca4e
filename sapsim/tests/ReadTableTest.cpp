#include "SimCall.h"

namespace
{
class ReadTableTest : public SimFixture
{
protected:
    void SetUp() override
    {
        sapsim::CTopology topology = sapsim::CTopology::Default();
        topology.systems[0].tables.push_back({L"ZWIDE", 3, 60});
        topology.systems[0].tables.push_back({L"ZBENCH", 1000, 20});
        m_landscape.Load(topology);
        m_landscape.SetTime(kMonday2pm);
    }

    std::vector<CString> Read(LPCWSTR table, LPCWSTR skip, LPCWSTR count, LPCWSTR field = nullptr,
                              LPCWSTR options = nullptr)
    {
        CSimCall call = Call(L"RFC_READ_TABLE");
        call.Set(L"QUERY_TABLE", table).Set(L"ROWSKIPS", skip).Set(L"ROWCOUNT", count);
        if (field != nullptr)
            call.AddRow(L"FIELDS", L"FIELDNAME", field);
        if (options != nullptr)
            call.AddRow(L"OPTIONS", L"TEXT", options);
        EXPECT_EQ(CString(), call.Invoke());
        return call.Column(L"DATA", L"WA");
    }
};

TEST_F(ReadTableTest, PagesCoverTheWholeTable)
{
    const std::vector<CString> all = Read(L"TRDIR", L"0", L"0", L"NAME");
    EXPECT_EQ(30000u, all.size());
    std::vector<CString> paged;
    for (int page = 0; page < 4; ++page)
    {
        CString skip;
        skip.Format(L"%d", page * 9000);
        const std::vector<CString> rows = Read(L"TRDIR", skip, L"9000", L"NAME");
        paged.insert(paged.end(), rows.begin(), rows.end());
    }
    EXPECT_EQ(all, paged);
    const size_t customer =
        std::count_if(all.begin(), all.end(), [](const CString& name) { return name[0] == L'Y' || name[0] == L'Z'; });
    EXPECT_LT(all.size() / 20, customer);
    EXPECT_GT(all.size() / 5, customer);
}

TEST_F(ReadTableTest, FieldsTellWhereEachValueStands)
{
    CSimCall call = Call(L"RFC_READ_TABLE");
    call.Set(L"QUERY_TABLE", L"RSDDSTAT_OLAP").Set(L"ROWCOUNT", L"50");
    ASSERT_EQ(CString(), call.Invoke());
    const std::vector<CString> names = call.Column(L"FIELDS", L"FIELDNAME");
    ASSERT_EQ(19u, names.size());
    EXPECT_EQ(CString(L"SESSIONUID"), names[0]);
    EXPECT_EQ(CString(L"STARTTIME"), names[18]);
    const std::vector<CString> offsets = call.Column(L"FIELDS", L"OFFSET");
    const std::vector<CString> lengths = call.Column(L"FIELDS", L"LENGTH");
    EXPECT_EQ(CString(L"000000"), offsets[0]);
    for (size_t i = 1; i < names.size(); ++i)
        EXPECT_EQ(_wtoi(offsets[i - 1]) + _wtoi(lengths[i - 1]), _wtoi(offsets[i]));

    // CALDAY and UTIME of each row are the moment of its event, which lies before now.
    const int calday = 9, utime = 8;
    for (const CString& row : call.Column(L"DATA", L"WA"))
    {
        const CString day = row.Mid(_wtoi(offsets[calday]), _wtoi(lengths[calday]));
        const CString time = row.Mid(_wtoi(offsets[utime]), _wtoi(lengths[utime]));
        EXPECT_LE(day + time, CString(L"20240513140000"));
        EXPECT_EQ(8, day.GetLength());
    }
}

TEST_F(ReadTableTest, OptionsSelectRows)
{
    const std::vector<CString> late =
        Read(L"RSDDSTAT_OLAP", L"0", L"0", L"UTIME", L"CALDAY >= '20240513' AND UTIME >= '133000'");
    EXPECT_EQ(31u, late.size()) << "one event a minute from 13:30 to 14:00";
    for (const CString& time : late)
        EXPECT_LE(CString(L"133000"), time);
    EXPECT_EQ(1u, Read(L"RSDDSTAT_DM", L"0", L"0", L"UTIME", L"UTIME EQ '140000' AND CALDAY = '20240513'").size());
    EXPECT_TRUE(Read(L"TRDIR", L"0", L"0", L"NAME", L"NAME < '0'").empty());
}

TEST_F(ReadTableTest, OptionsJoinConditionsWithOrAndParentheses)
{
    // Events a minute apart up to 14:00 on the 13th: the window from 13:50 takes the last eleven.
    const LPCWSTR kWindow = L"(CALDAY = '20240513' AND UTIME >= '135000') OR CALDAY > '20240513'";
    EXPECT_EQ(11u, Read(L"RSDDSTAT_OLAP", L"0", L"0", L"UTIME", kWindow).size());
    // AND binds closer than OR.
    EXPECT_EQ(
        841u,
        Read(L"RSDDSTAT_OLAP", L"0", L"0", L"UTIME", L"CALDAY = '20240513' OR CALDAY = '0' AND UTIME = '0'").size());
    EXPECT_TRUE(
        Read(L"RSDDSTAT_OLAP", L"0", L"0", L"UTIME", L"(CALDAY = '20240513' OR CALDAY = '0') AND UTIME = '0'").empty());

    // A selection may run over several lines of OPTIONS.
    CSimCall call = Call(L"RFC_READ_TABLE");
    call.Set(L"QUERY_TABLE", L"RSDDSTAT_DM").AddRow(L"FIELDS", L"FIELDNAME", L"UTIME");
    call.AddRow(L"OPTIONS", L"TEXT", L"( CALDAY = '20240513' AND").AddRow(L"OPTIONS", L"TEXT", L"UTIME >= '135500' )");
    ASSERT_EQ(CString(), call.Invoke());
    EXPECT_EQ(6u, call.Column(L"DATA", L"WA").size());
}

TEST_F(ReadTableTest, EventsKeepTheirValuesAsTimeGoesOn)
{
    const std::vector<CString> before = Read(L"RSDDSTAT_DM", L"0", L"0", L"STEPUID");
    m_landscape.SetTime(kMonday2pm + 600);
    const std::vector<CString> after = Read(L"RSDDSTAT_DM", L"0", L"0", L"STEPUID");
    ASSERT_EQ(before.size(), after.size());
    EXPECT_TRUE(std::equal(before.begin() + 10, before.end(), after.begin())) << "rows moved up by ten minutes";
    EXPECT_NE(before.back(), after.back());
}

TEST_F(ReadTableTest, GeneratedTableWithTwentyFields)
{
    CSimCall call = Call(L"RFC_READ_TABLE");
    ASSERT_EQ(CString(), call.Set(L"QUERY_TABLE", L"ZBENCH").Set(L"DELIMITER", L"|").Invoke());
    EXPECT_EQ(20u, call.Column(L"FIELDS", L"FIELDNAME").size());
    EXPECT_EQ(CString(L"000011"), call.Column(L"FIELDS", L"OFFSET").at(1));
    const std::vector<CString> rows = call.Column(L"DATA", L"WA");
    ASSERT_EQ(1000u, rows.size());
    EXPECT_EQ(CString(L"0000000999|"), rows[999].Left(11));
}

TEST_F(ReadTableTest, RefusesWhatItCannotRead)
{
    const struct
    {
        LPCWSTR table;
        LPCWSTR field;
        LPCWSTR options;
        LPCWSTR key;
    } kCases[] = {
        {L"ZNOWHERE", nullptr, nullptr, L"TABLE_NOT_AVAILABLE"},
        {L"TRDIR", L"NO_FIELD", nullptr, L"FIELD_NOT_VALID"},
        {L"TRDIR", nullptr, L"NAME LIKE 'Z%'", L"OPTION_NOT_VALID"},
        {L"TRDIR", nullptr, L"NAME = 'A' OR", L"OPTION_NOT_VALID"},
        {L"TRDIR", nullptr, L"(NAME = 'A' OR NAME = 'B'", L"OPTION_NOT_VALID"},
        {L"TRDIR", nullptr, L"NAME = 'A' ) AND NAME = 'B'", L"OPTION_NOT_VALID"},
        {L"TRDIR", nullptr, L"NAME = 'unclosed", L"OPTION_NOT_VALID"},
        {L"ZWIDE", nullptr, nullptr, L"DATA_BUFFER_EXCEEDED"},
    };
    for (const auto& test : kCases)
    {
        CSimCall call = Call(L"RFC_READ_TABLE");
        call.Set(L"QUERY_TABLE", test.table);
        if (test.field != nullptr)
            call.AddRow(L"FIELDS", L"FIELDNAME", test.field);
        if (test.options != nullptr)
            call.AddRow(L"OPTIONS", L"TEXT", test.options);
        EXPECT_EQ(CString(test.key), call.Invoke()) << test.table;
    }
}
} // namespace

TEST_F(ReadTableTest, FaultsOfTheAnswerLeaveTheRequestAsItCame)
{
    for (const sapsim::FaultKind kind : {sapsim::FaultKind::OverlongValues, sapsim::FaultKind::InvalidDates})
    {
        m_landscape.ClearFaults();
        sapsim::CFault fault;
        fault.kind = kind;
        m_landscape.AddFault(fault);
        // One function read page by page, as a reader does.
        CSimCall call = Call(L"RFC_READ_TABLE");
        call.Set(L"QUERY_TABLE", L"TRDIR").Set(L"ROWCOUNT", L"5");
        call.AddRow(L"FIELDS", L"FIELDNAME", L"NAME").AddRow(L"FIELDS", L"FIELDNAME", L"CDAT");
        call.AddRow(L"OPTIONS", L"TEXT", L"SUBC = 'F'");
        for (LPCWSTR skip : {L"0", L"5", L"10"})
        {
            SCOPED_TRACE(skip);
            call.Set(L"ROWSKIPS", skip);
            ASSERT_EQ(CString(), call.Invoke());
            EXPECT_EQ((std::vector<CString>{L"NAME", L"CDAT"}), call.Column(L"FIELDS", L"FIELDNAME"));
            EXPECT_EQ((std::vector<CString>{L"SUBC = 'F'"}), call.Column(L"OPTIONS", L"TEXT"));
            EXPECT_EQ(5u, call.Column(L"DATA", L"WA").size());
        }
        if (kind == sapsim::FaultKind::OverlongValues)
        {
            // What the module returns is still made overlong: the offsets it fills in.
            EXPECT_EQ(600, call.Column(L"FIELDS", L"OFFSET")[0].GetLength());
            EXPECT_EQ(600, call.Column(L"DATA", L"WA")[0].GetLength());
        }
    }
}
