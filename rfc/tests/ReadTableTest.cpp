#include "SimulatedLandscape.h"

#include <rfc/ReadTableRsddstatDm.h>
#include <rfc/ReadTableRsddstatOlap.h>
#include <rfc/ReadTableTrdir.h>

#include <functional>
#include <memory>
#include <vector>

namespace
{
class ReadTableTest : public SimulatedLandscape
{
protected:
    void SetUp() override
    {
        // The tables that the readers query, on the system of number 00.
        sapsim::CTopology topology = MakeTestTopology();
        topology.systems[0].tables = {{L"TRDIR", 40}, {L"RSDDSTAT_OLAP", 30}, {L"RSDDSTAT_DM", 30}};
        Landscape().Load(topology);
        SetLogon(m_connection);
        m_connection.Connect();
    }

    static void Get(CRfcReadTable& reader, CRfcConnection& connection)
    {
        reader.SetImportParameters();
        reader.CallFunctionModule(&connection);
    }
    static void AddField(CRfcReadTable& reader, LPCWSTR name, LPCWSTR offset = L"", LPCWSTR length = L"")
    {
        reader.FIELDNAME = name;
        reader.OFFSET = offset;
        reader.LENGTH = length;
        reader.AppendFieldsRow();
    }

    CRfcConnection m_connection;
};
} // namespace

TEST_F(ReadTableTest, EveryReaderStartsWithTheImportsOfItsTable)
{
    struct Case
    {
        std::function<std::unique_ptr<CRfcReadTable>(CRfcConnection*)> make;
        LPCWSTR table;
    };
    const Case cases[] = {
        {[](CRfcConnection* p) { return std::make_unique<CReadTableRsddstatOlap>(p); }, L"RSDDSTAT_OLAP"},
        {[](CRfcConnection* p) { return std::make_unique<CReadTableRsddstatDm>(p); }, L"RSDDSTAT_DM"},
        {[](CRfcConnection* p) { return std::make_unique<CReadTableTrdir>(p); }, L"TRDIR"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.table);
        std::unique_ptr<CRfcReadTable> reader = c.make(&m_connection);
        ASSERT_TRUE(reader->HasFunction(&m_connection));
        EXPECT_STREQ(reader->QUERY_TABLE, c.table);
        EXPECT_STREQ(reader->DELIMITER, L" ");
        EXPECT_STREQ(reader->NODATA, L" ");
        EXPECT_STREQ(reader->ROWSKIPS, L"0");
        EXPECT_STREQ(reader->ROWCOUNT, L"0");
        EXPECT_STREQ(reader->TEXT, L"");
        EXPECT_STREQ(reader->WA, L"");
    }
}

TEST_F(ReadTableTest, TheProgramDirectoryIsPagedByRowskipsAndRowcount)
{
    CReadTableTrdir reader(&m_connection);
    AddField(reader, L"NAME");
    reader.ROWCOUNT = L"5";
    Get(reader, m_connection);
    ASSERT_EQ(reader.GetTableRowCount(L"DATA"), 5u);
    reader.OnTableRow(L"FIELDS", 0);
    EXPECT_STREQ(reader.FIELDNAME, L"NAME");
    EXPECT_STREQ(reader.OFFSET, L"000000");
    EXPECT_STREQ(reader.LENGTH, L"000040");
    std::vector<CString> first;
    for (unsigned row = 0; row < 5; row++)
    {
        reader.OnTableRow(L"DATA", row);
        EXPECT_FALSE(reader.WA.IsEmpty());
        EXPECT_LE(reader.WA.GetLength(), 40);
        first.push_back(reader.WA);
    }

    reader.DeleteTableRows(L"DATA");
    reader.ROWSKIPS = L"4";
    Get(reader, m_connection);
    ASSERT_EQ(reader.GetTableRowCount(L"DATA"), 5u);
    reader.OnTableRow(L"DATA", 0);
    EXPECT_STREQ(reader.WA, first[4]);
}

TEST_F(ReadTableTest, AnOptionsRowIsAppendedOnceAndItsTextReplaced)
{
    CReadTableRsddstatOlap reader(&m_connection);
    reader.TEXT = L"STATLEVEL = '2'";
    reader.AppendOptionsRow();
    Get(reader, m_connection);
    EXPECT_EQ(reader.GetTableRowCount(L"DATA"), 0u); // every generated event has level 1

    reader.TEXT = L"STATLEVEL = '1'";
    reader.SetOptionsText();
    Get(reader, m_connection);
    EXPECT_EQ(reader.GetTableRowCount(L"OPTIONS"), 1u);
    EXPECT_GT(reader.GetTableRowCount(L"DATA"), 0u);
    reader.TEXT.Empty();
    reader.OnTableRow(L"OPTIONS", 0);
    EXPECT_STREQ(reader.TEXT, L"STATLEVEL = '1'");
}

TEST_F(ReadTableTest, OlapStatisticsAreCutIntoTheirFields)
{
    CReadTableRsddstatOlap reader(&m_connection);
    reader.ROWCOUNT = L"3";
    Get(reader, m_connection);
    ASSERT_EQ(reader.GetTableRowCount(L"FIELDS"), 19u);
    ASSERT_EQ(reader.GetTableRowCount(L"DATA"), 3u);
    reader.OnTableRow(L"DATA", 2);
    EXPECT_EQ(reader.SESSIONUID.GetLength(), 25);
    EXPECT_STREQ(reader.HANDLETP, L"OLAP");
    EXPECT_STREQ(reader.STEPTP, L"BEX3");
    EXPECT_STREQ(reader.STATLEVEL, L"1");
    EXPECT_STREQ(reader.OBJPROP, L"");
    EXPECT_STREQ(reader.CALDAY, reader.STARTTIME.Left(8));
    EXPECT_STREQ(reader.UTIME, reader.STARTTIME.Mid(8, 6));
    EXPECT_EQ(reader.OBJNAME.Find(reader.INFOPROV), 0);
    // Counters come with leading zeros and blanks, which go.
    for (const CString* number : {&reader.HANDLEID, &reader.EVENTID, &reader.STEPCNT, &reader.EVTIME})
    {
        ASSERT_FALSE(number->IsEmpty());
        EXPECT_NE((*number)[0], L'0');
        EXPECT_EQ(number->SpanIncluding(L"0123456789"), *number);
    }
}

TEST_F(ReadTableTest, DataManagerStatisticsAreCutIntoTheirFields)
{
    CReadTableRsddstatDm reader(&m_connection);
    reader.ROWCOUNT = L"1";
    Get(reader, m_connection);
    ASSERT_EQ(reader.GetTableRowCount(L"FIELDS"), 26u);
    ASSERT_EQ(reader.GetTableRowCount(L"DATA"), 1u);
    reader.OnTableRow(L"DATA", 0);
    EXPECT_EQ(reader.STEPUID.GetLength(), 25);
    EXPECT_EQ(reader.DMUID.GetLength(), 25);
    EXPECT_STREQ(reader.HANDLETP, L"DM");
    EXPECT_STREQ(reader.TABLTP, L"F");
    EXPECT_STREQ(reader.OBJNAME, reader.INFOPROV);
    EXPECT_STREQ(reader.PARTPROV, reader.INFOPROV);
    EXPECT_STREQ(reader.CALDAY, reader.STARTTIME.Left(8));
    EXPECT_STREQ(reader.UTIME, reader.STARTTIME.Mid(8, 6));
    EXPECT_EQ(reader.WP_ID.GetLength(), 4); // trimmed only, its zeros stay
    ASSERT_FALSE(reader.HANDLEID.IsEmpty());
    EXPECT_NE(reader.HANDLEID[0], L'0');
    ASSERT_FALSE(reader.ACCESSCNT.IsEmpty());
    EXPECT_NE(reader.ACCESSCNT[0], L'0');
}

TEST_F(ReadTableTest, ARowWhoseFirstFieldIsBlankKeepsEveryFieldInPlace)
{
    CReadTableRsddstatOlap reader(&m_connection);
    AddField(reader, L"OBJPROP");
    AddField(reader, L"STATLEVEL");
    AddField(reader, L"EVTIME");
    reader.ROWCOUNT = L"1";
    reader.UNAME = L"unchanged";
    reader.OBJPROP = L"old";
    Get(reader, m_connection);
    ASSERT_EQ(reader.GetTableRowCount(L"DATA"), 1u);
    reader.OnTableRow(L"DATA", 0);
    EXPECT_STREQ(reader.WA.Left(10), L"          ");
    EXPECT_STREQ(reader.OBJPROP, L"");
    EXPECT_STREQ(reader.STATLEVEL, L"1");
    EXPECT_FALSE(reader.EVTIME.IsEmpty());
    EXPECT_EQ(reader.EVTIME.SpanIncluding(L"0123456789"), reader.EVTIME);
    EXPECT_STREQ(reader.UNAME, L"unchanged"); // not requested
}

TEST_F(ReadTableTest, CutDataRowTakesEachFieldAtItsOffset)
{
    struct Case
    {
        LPCWSTR row;
        LPCWSTR field;
        LPCWSTR offset;
        LPCWSTR length;
        CString CReadTableRsddstatOlap::*text;
        LPCWSTR expected;
    };
    const Case cases[] = {
        {L"0123456789", L"UNAME", L"000000", L"000025", &CReadTableRsddstatOlap::UNAME, L"0123456789"},
        {L"ab00420000", L"HANDLEID", L"000002", L"000006", &CReadTableRsddstatOlap::HANDLEID, L"4200"},
        {L"ab 0 00 cd", L"HANDLEID", L"000002", L"000006", &CReadTableRsddstatOlap::HANDLEID, L""},
        {L"    0042", L"EVTIME", L"000000", L"000008", &CReadTableRsddstatOlap::EVTIME, L"42"},
        {L"   x  0042", L"UNAME", L"000000", L"000008", &CReadTableRsddstatOlap::UNAME, L"x  00"},
        {L"abc", L"UNAME", L"000005", L"000004", &CReadTableRsddstatOlap::UNAME, L""},
        {L"abc", L"Uname", L"000000", L"000003", &CReadTableRsddstatOlap::UNAME, L"before"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.row);
        CReadTableRsddstatOlap reader(&m_connection);
        AddField(reader, c.field, c.offset, c.length);
        reader.*c.text = L"before";
        reader.WA = c.row;
        reader.CutDataRow();
        EXPECT_STREQ(reader.*c.text, c.expected);
    }
}

TEST_F(ReadTableTest, FieldsWiderThanTheDataLineAreRefused)
{
    CReadTableTrdir reader(&m_connection);
    reader.QUERY_TABLE = L"RSDDSTAT_DM";
    reader.DELIMITER = L"|";
    for (int i = 0; i < 20; i++)
        AddField(reader, L"AGGREGATE");
    const CString thrown = ThrownText([&] { Get(reader, m_connection); });
    EXPECT_NE(thrown.Find(L"DATA_BUFFER_EXCEEDED"), -1);
}

TEST_F(ReadTableTest, WithoutTheModuleAReaderSetsAndReadsNothing)
{
    AddFault(sapsim::FaultKind::MissingModule, L"RFC_READ_TABLE");
    CReadTableRsddstatDm reader(&m_connection);
    EXPECT_FALSE(reader.HasFunction(&m_connection));
    reader.WA = L"0042";
    reader.HANDLEID = L"7";
    const CString thrown = ThrownText([&] {
        reader.AppendOptionsRow();
        reader.SetOptionsText();
        reader.AppendFieldsRow();
        reader.SetImportParameters();
        reader.OnTableRow(L"DATA", 0);
        reader.CutDataRow();
    });
    EXPECT_STREQ(thrown, L"(nothing thrown)");
    EXPECT_STREQ(reader.WA, L"0042");
    EXPECT_STREQ(reader.HANDLEID, L"7");
    EXPECT_EQ(reader.GetTableRowCount(L"FIELDS"), 0u);
}
