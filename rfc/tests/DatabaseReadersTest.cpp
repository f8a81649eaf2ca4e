#include "SimulatedLandscape.h"

#include <rfc/DB02GetMainScreenXAQ.h>
#include <rfc/DB02OraFillTD110.h>
#include <rfc/DB4St04Overview.h>
#include <rfc/DB6Pm1st4.h>
#include <rfc/DB6PmTabspaceConfig.h>
#include <rfc/DbOraMainList.h>
#include <rfc/GetDB4DbSize.h>

#include <span>

namespace
{
using sapsim::FaultKind;

// The texts declared from first to last.
std::span<CString> TextsFrom(CString& first, CString& last)
{
    return {&first, static_cast<size_t>(&last - &first) + 1};
}

int CountCut(std::span<CString> texts)
{
    int cut = 0;
    for (const CString& text : texts)
        cut += text.GetLength() == 512 ? 1 : 0;
    return cut;
}

template <class T> void Get(T& reader, CRfcConnection& connection)
{
    if constexpr (requires { reader.SetImportParameters(); })
        reader.SetImportParameters();
    reader.CallFunctionModule(&connection);
    reader.GetExportParameters();
}

class DatabaseReadersTest : public SimulatedLandscape
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

TEST_F(DatabaseReadersTest, OracleReadersStartWithTheirDefaults)
{
    CDbOraMainList mainList(&m_connection);
    std::span<CString> texts = TextsOf(mainList);
    ASSERT_EQ(texts.size(), 5u + 1 + 71 + 50);
    for (size_t i = 0; i < texts.size(); i++)
        EXPECT_STREQ(texts[i], i == 5 ? L" " : L"") << i;
    CDB02OraFillTD110 td110(&m_connection);
    ASSERT_EQ(TextsOf(td110).size(), 1u + 23);
    EXPECT_STREQ(td110.FLAG_REFRESH, L" ");
}

TEST_F(DatabaseReadersTest, OracleReadersReadEveryFieldCutTo512)
{
    AddFault(FaultKind::OverlongValues);
    CDbOraMainList mainList(&m_connection);
    Get(mainList, m_connection);
    EXPECT_EQ(CountCut(TextsOf(mainList)), 71 + 50);
    EXPECT_STREQ(mainList.ALL_INSTANCES, L" ");
    CDB02OraFillTD110 td110(&m_connection);
    td110.FLAG_REFRESH = L"Y";
    Get(td110, m_connection);
    EXPECT_EQ(CountCut(TextsOf(td110)), 23);
    EXPECT_STREQ(td110.FLAG_REFRESH, L"Y");
}

TEST_F(DatabaseReadersTest, OracleStatisticsDescribeTheDatabase)
{
    CDbOraMainList mainList(&m_connection);
    Get(mainList, m_connection);
    EXPECT_STREQ(mainList.DB_NAME, L"PRD");
    EXPECT_STREQ(mainList.GLOBAL_DB_NAME, L"PRD");
    EXPECT_STREQ(mainList.VERSION, L"10.2.0");
    EXPECT_STREQ(mainList.CPU_COUNT, L"4");
    EXPECT_STREQ(mainList.GLOBAL_DB_UP_DATE, mainList.DB_UP_DATE);
    EXPECT_GT(_wtoi64(mainList.COMMITS), 0);
    EXPECT_GT(_wtoi64(mainList.GLOBAL_PINGWRITES), 0);

    CDB02OraFillTD110 td110(&m_connection);
    td110.FLAG_REFRESH = L"Y";
    Get(td110, m_connection);
    EXPECT_STREQ(td110.DBSYS, L"ORACLE");
    EXPECT_STREQ(td110.SYSID, L"PRD");
    EXPECT_EQ(_wtoi64(td110.TSFR) + _wtoi64(td110.TSUS), _wtoi64(td110.TSSI));
}

TEST_F(DatabaseReadersTest, AnInactiveSegmentTableIsNotReturned)
{
    CDB02OraFillTD110 active(&m_connection);
    Get(active, m_connection);
    EXPECT_GT(active.GetTableRowCount(L"SEGMT"), 0u);
    CDB02OraFillTD110 td110(&m_connection);
    td110.SetParameterActive(L"SEGMT", FALSE);
    Get(td110, m_connection);
    EXPECT_EQ(td110.GetTableRowCount(L"SEGMT"), 0u);
}

TEST_F(DatabaseReadersTest, WithoutTheModuleNothingIsSetOrRead)
{
    AddFault(FaultKind::MissingModule, L"DB_ORA_MAIN_LIST");
    CDbOraMainList mainList(&m_connection);
    EXPECT_FALSE(mainList.HasFunction(&m_connection));
    const unsigned long long calls = LibraryCalls();
    mainList.SetImportParameters();
    mainList.GetExportParameters();
    EXPECT_EQ(LibraryCalls(), calls);
    EXPECT_STREQ(mainList.DB_NAME, L"");
}

TEST_F(DatabaseReadersTest, Db6ReadersStartWithTheirDefaults)
{
    CDB6Pm1st4 snapshot(&m_connection);
    EXPECT_STREQ(snapshot.ACTION, L"0");
    EXPECT_STREQ(snapshot.PARTITN, L"0");
    EXPECT_STREQ(snapshot.CONNECTION, L"");
    CDB6PmTabspaceConfig tablespaces(&m_connection);
    const LPCWSTR defaults[] = {L"0", L"0", L"U", L"", L""};
    std::span<CString> imports = TextsFrom(tablespaces.ACTION, tablespaces.CONNECTION);
    ASSERT_EQ(imports.size(), std::size(defaults));
    for (size_t i = 0; i < imports.size(); i++)
        EXPECT_STREQ(imports[i], defaults[i]) << i;
}

TEST_F(DatabaseReadersTest, Db6ReadersReadEveryColumnCutTo512)
{
    AddFault(FaultKind::OverlongValues);
    CDB6Pm1st4 snapshot(&m_connection);
    snapshot.ACTION = L"12";
    snapshot.SetImportParameters();
    snapshot.CallFunctionModule(&m_connection);
    snapshot.OnTableRow(L"IT_DB6PM1ST4", 0);
    EXPECT_EQ(CountCut(TextsFrom(snapshot.DBMSTRTTME, snapshot.SCPERHOUR)), 130);
    EXPECT_STREQ(snapshot.ACTION, L"12");

    CDB6PmTabspaceConfig tablespaces(&m_connection);
    tablespaces.ACTION = L"1";
    tablespaces.SetImportParameters();
    tablespaces.CallFunctionModule(&m_connection);
    tablespaces.OnTableRow(L"IT_DB6PMCP", 0);
    EXPECT_EQ(CountCut(TextsFrom(tablespaces.COL_COMPTIME, tablespaces.MAX_SIZE)), 28);
    EXPECT_EQ(CountCut(TextsFrom(tablespaces.ACTION, tablespaces.CONNECTION)), 0);
}

TEST_F(DatabaseReadersTest, TablespaceColumnsAreApartFromTheImports)
{
    CDB6PmTabspaceConfig tablespaces(&m_connection);
    tablespaces.ACTION = L"1";
    tablespaces.PARTITN = L"2";
    tablespaces.SetImportParameters();
    tablespaces.CallFunctionModule(&m_connection);
    const unsigned rows = tablespaces.GetTableRowCount(L"IT_DB6PMCP");
    ASSERT_EQ(rows, 5u);
    for (unsigned row = 0; row < rows; ++row)
    {
        tablespaces.OnTableRow(L"IT_DB6PMCP", row);
        EXPECT_STREQ(tablespaces.COL_PARTITN, L"2");
        EXPECT_STREQ(tablespaces.COL_CALLERFLAG, L"U");
        EXPECT_EQ(_wtoi64(tablespaces.USEDPAGES) + _wtoi64(tablespaces.FREEPAGES) + 64,
                  _wtoi64(tablespaces.TOTALPAGES));
    }
    tablespaces.OnTableRow(L"IT_DB6PMCP", 0);
    EXPECT_STREQ(tablespaces.TBS_NAME, L"SYSCATSPACE");
    EXPECT_STREQ(tablespaces.COMPTIME, L"");
    EXPECT_EQ(tablespaces.COL_COMPTIME.GetLength(), 14);
    tablespaces.DeleteTableRows(L"IT_DB6PMCP");
    EXPECT_EQ(tablespaces.GetTableRowCount(L"IT_DB6PMCP"), 0u);
}

TEST_F(DatabaseReadersTest, AnUnknownTableThrowsBeforeTheNameIsCompared)
{
    CDB6Pm1st4 snapshot(&m_connection);
    snapshot.SetImportParameters();
    snapshot.CallFunctionModule(&m_connection);
    const CString text = ThrownText([&] { snapshot.OnTableRow(L"IT_DB6PMCP", 0); });
    EXPECT_NE(text.Find(L"CBaseRfc::GetTableHandle - RfcGetTable"), -1) << text.GetString();
    EXPECT_NE(text.Find(L"IT_DB6PMCP"), -1);
    EXPECT_STREQ(snapshot.DBMSTRTTME, L"");
}

TEST_F(DatabaseReadersTest, QuorvAndXaqReadersStartWithTheirDefaults)
{
    CDB4St04Overview overview(&m_connection);
    std::span<CString> texts = TextsOf(overview);
    ASSERT_EQ(texts.size(), 4u + 5 + 31);
    for (size_t i = 0; i < texts.size(); i++)
        EXPECT_STREQ(texts[i], i == 0 ? L" " : L"") << i;
    CGetDB4DbSize size(&m_connection);
    EXPECT_EQ(TextsOf(size).size(), 4u);
    CDB02GetMainScreenXAQ screen(&m_connection);
    EXPECT_EQ(TextsOf(screen).size(), 19u);
}

TEST_F(DatabaseReadersTest, QuorvAndXaqReadersReadEveryFieldCutTo512)
{
    AddFault(FaultKind::OverlongValues);
    CDB4St04Overview overview(&m_connection);
    Get(overview, m_connection);
    EXPECT_EQ(CountCut(TextsOf(overview)), 5 + 31);
    EXPECT_STREQ(overview.RESETFLAG, L" ");
    CGetDB4DbSize size(&m_connection);
    Get(size, m_connection);
    EXPECT_EQ(CountCut(TextsOf(size)), 4);
    CDB02GetMainScreenXAQ screen(&m_connection);
    Get(screen, m_connection);
    EXPECT_EQ(CountCut(TextsOf(screen)), 19);
}

TEST_F(DatabaseReadersTest, QuorvAndXaqStatisticsDescribeTheDatabase)
{
    Landscape().SetTime(1715608800); // 2024-05-13 14:00 UTC
    CDB4St04Overview overview(&m_connection);
    Get(overview, m_connection);
    EXPECT_STREQ(overview.DATE, L"20240513");
    EXPECT_STREQ(overview.TIME, L"140000");
    const CString statements[] = {overview.QQCOMCNT, overview.QQRBKCNT, overview.QQSELCNT, overview.QQINSCNT,
                                  overview.QQUPDCNT, overview.QQDELCNT, overview.QQDDLCNT, overview.QQOTHCNT};
    long long sum = 0;
    for (const CString& count : statements)
        sum += _wtoi64(count);
    EXPECT_EQ(_wtoi64(overview.QQSUMCNT), sum);
    EXPECT_GT(_wtoi64(overview.LOGICREAD), _wtoi64(overview.PHYSREAD));
    EXPECT_EQ(overview.QQODFTIME.Left(19), L"2024-05-13-14.00.00");
    EXPECT_GT(_wtof(overview.QUALITY), 90.0);

    CGetDB4DbSize size(&m_connection);
    Get(size, m_connection);
    EXPECT_EQ(_wtoi64(size.DB_SIZE), _wtoi64(size.TAB_SIZE) + _wtoi64(size.CST_SIZE) + _wtoi64(size.IDX_SIZE));
    EXPECT_GT(_wtoi64(size.TAB_SIZE), 0);

    CDB02GetMainScreenXAQ screen(&m_connection);
    Get(screen, m_connection);
    EXPECT_STREQ(screen.SYSID, L"PRD");
    EXPECT_STREQ(screen.REFRDATE, L"20240513");
    const long long total = _wtoi64(screen.TSSIZE);
    EXPECT_EQ(_wtoi64(screen.TSPCTUSED), (total - _wtoi64(screen.TSFREE)) * 100 / total);
    EXPECT_STREQ(screen.MONI_VER, L"1");
}
