#include "SimulatedLandscape.h"

#include <rfc/Sapwln3StatrecDirectRead.h>
#include <rfc/ScsmDsrComponentsListRfc.h>
#include <rfc/SwncStatrecRead.h>

#include <vector>

namespace
{
using nwrfc::CEntryCounters;
using nwrfc::EntryPoint;
using sapsim::FaultKind;

const __time64_t kNow = 1715608830; // 2024-05-13 14:00:30 UTC

std::vector<CString> Words(LPCWSTR text)
{
    std::vector<CString> words;
    CString all = text;
    int position = 0;
    for (CString word = all.Tokenize(L" ", position); position >= 0; word = all.Tokenize(L" ", position))
        words.push_back(word);
    return words;
}

CString Number(size_t value)
{
    CString text;
    text.Format(L"%I64u", static_cast<ULONGLONG>(value));
    return text;
}

// The documented columns of a table or of a structure of its rows, and the text that must hold the first.
template <class T> struct Columns
{
    LPCWSTR structure; // nullptr: the row's own columns
    LPCWSTR names;
    CString T::*first;
};

// Appends a row holding each column's position as its value, reads it with the row hook and expects the
// wrapper's texts, from the first one on, to hold the columns in their documented order.
template <class T> void ExpectRowRead(T& reader, LPCWSTR table, std::initializer_list<Columns<T>> groups)
{
    RFC_STRUCTURE_HANDLE row = reader.AppendTableRow(table);
    ASSERT_NE(row, nullptr) << table;
    for (const Columns<T>& group : groups)
    {
        DATA_CONTAINER_HANDLE container = group.structure == nullptr ? row : reader.GetStructure(row, group.structure);
        const std::vector<CString> names = Words(group.names);
        for (size_t i = 0; i < names.size(); i++)
            reader.SetString(container, names[i], Number(i));
    }
    reader.OnTableRow(table, reader.GetTableRowCount(table) - 1);
    std::span<CString> texts = TextsOf(reader);
    for (const Columns<T>& group : groups)
    {
        const size_t first = &(reader.*group.first) - texts.data();
        const std::vector<CString> names = Words(group.names);
        ASSERT_LE(first + names.size(), texts.size()) << table;
        for (size_t i = 0; i < names.size(); i++)
            EXPECT_STREQ(texts[first + i], Number(i)) << table << L" " << names[i].GetString();
    }
}

// The window texts as the client sends them.
template <class T> void SetWindow(T& reader, LPCWSTR startTime, LPCWSTR endTime)
{
    reader.READ_START_DATE = L"20240513";
    reader.READ_START_TIME = startTime;
    reader.READ_END_DATE = L"20240513";
    reader.READ_END_TIME = endTime;
}

class WorkloadReadersTest : public SimulatedLandscape
{
protected:
    void SetUp() override
    {
        SimulatedLandscape::SetUp();
        Landscape().SetTime(kNow);
        SetLogon(m_connection);
        m_connection.Connect();
    }

    CRfcConnection m_connection;
};
} // namespace

TEST_F(WorkloadReadersTest, ReadersStartWithTheirDefaults)
{
    CSwncStatrecRead statistics(&m_connection);
    CScsmDsrComponentsListRfc components(&m_connection);
    CSapwln3StatrecDirectRead distributed(&m_connection);
    const struct
    {
        std::span<CString> texts;
        size_t count;
        std::vector<LPCWSTR> imports; // their defaults; every other text is empty
    } kCases[] = {
        {TextsOf(statistics),
         17 + 4 + 79 + 3 + 25 + 5 + 20 + 20 + 38 + 41 + 47,
         {L"UTC", L"-1", L"", L"00:00:00", L"", L"00:00:00", L"", L"", L"", L"FFFF", L"", L"", L"", L"", L"", L"X",
          L" "}},
        {TextsOf(components), 3 + 3, {L"", L"", L""}},
        {TextsOf(distributed),
         16 + 6 + 25 + 7 + 9,
         {L"", L"", L"", L"", L"00:00:00", L"", L"00:00:00", L"UTC", L"", L"-1", L"", L"-1", L"", L"", L"-1", L""}},
    };
    for (const auto& test : kCases)
    {
        ASSERT_EQ(test.texts.size(), test.count);
        for (size_t i = 0; i < test.count; i++)
            EXPECT_STREQ(test.texts[i], i < test.imports.size() ? test.imports[i] : L"") << test.count << L" " << i;
    }
    EXPECT_EQ(statistics.m_nWindowStart, 0u);
    EXPECT_EQ(distributed.m_nRowTotal, 0u);
}

TEST_F(WorkloadReadersTest, EveryColumnIsReadIntoItsOwnTextInOrder)
{
    using S = CSwncStatrecRead;
    S statistics(&m_connection);
    ExpectRowRead(
        statistics, L"NORMAL_RECORDS",
        {{nullptr,
          L"RECNO DISPCNT ZTTADATE STARTDATE STARTTIME STARTTIMESTAMP ENDDATE ENDTIME ENDTIMESTAMP TARGETTIMEZONE "
          L"RESPTI CPUTI QUEUETI WPID TASKTYPE TABLOAD ACCOUNT MANDT ROLLKEY INPUTLEN OUTPUTLEN MAXROLL MAXPAGE "
          L"ROLLINCNT ROLLINTI ROLLOUTCNT ROLLOUTTI LOCKCNT LOCKTI GENERATETI REPLOADTI CUALOADTI DYNPLOADTI DSQLCNT "
          L"QUECNT QUETI DDICTI RFCCNT RFCTI HTTPCNT HTTPTIME MEMSUM PRIVSUM USEDBYTES MAXBYTES MAXBYTESDI ADCNT "
          L"ADTIME ABGC_RUN_COUNT ABGC_TIME ABGC_FREED_OBJS ABGC_ALLOC_OBJS ABGC_CALLED_EXPL PRIVMODE WPRESTART "
          L"TRANSID CONTEXT_ID DIALOG_STEP ROLLED_OUT LUW_INFO SLI_CNT ENTRY_ID TERMINALID DYNPRONR REPORT TCODE "
          L"STARTTIME1 STARTTIME2 ENDTIME1 ENDTIME2 PROCTI GUITIME GUICNT GUINETTIME DBREQTIME DBPREQTIME DBPCOUNT "
          L"CUA_PROG CUA_FUNC",
          &S::RECNO}});
    ExpectRowRead(statistics, L"BTC_STEP_RECORDS", {{nullptr, L"STEP JOBNAME JOBCOUNT", &S::BTC_STEP_RECORDS_STEP}});
    ExpectRowRead(statistics, L"DB_RECORDS",
                  {{nullptr,
                    L"CONNECTION_NAME READDIRCNT READDIRTI READDIRREC READDIRBUF READSEQCNT READSEQTI READSEQREC "
                    L"READSEQBUF PHYREADCNT INSCNT INSTI INSREC PHYINSCNT UPDCNT UPDTI UPDREC PHYUPDCNT DELCNT DELTI "
                    L"DELREC PHYDELCNT COMMITTI DBPROCNT DBPROCTI",
                    &S::DB_RECORDS_CONNECTION_NAME}});
    ExpectRowRead(statistics, L"TABLE_RECORDS",
                  {{nullptr, L"TABNAME MODCNT DIRCNT SEQCNT TABTIME", &S::TABLE_RECORDS_TABNAME}});
    const CString rfc = L"CALL_STEP CALL_NUMBER CONNECTION_ID DESTINATION_NAME TIMESTAMP FUNCTION_NAME PROGRAM_NAME "
                        L"PROGRAM_LINE CALL_TIME EXECUTION_TIME IDLE_TIME DATA_SEND APPL_DATA_SEND DATA_RECEIVE "
                        L"APPL_DATA_RECEIVE PARTNER_INSTANCE_NAME DATA_SEND_TIME DATA_RECEIVE_TIME ";
    ExpectRowRead(statistics, L"RFC_CLIENT_RECORDS",
                  {{nullptr, rfc + L"RFC_USER_NAME RFC_CLIENT_NUMBER", &S::RFC_CLIENT_RECORDS_CALL_STEP}});
    ExpectRowRead(statistics, L"RFC_SERVER_RECORDS",
                  {{nullptr, rfc + L"CALLER_USER_NAME CALLER_CLIENT_NUMBER", &S::RFC_SERVER_RECORDS_CALL_STEP}});
    const CString dest =
        L"CONNECTION_ID RFC_TYPE ENGINE_TYPE PARTNER_ENGINE_TYPE TRANSACTION_CODE PROGRAM_NAME DESTINATION_NAME "
        L"IP_ADDRESS PARTNER_IP_ADDRESS INSTANCE_NAME PARTNER_INSTANCE_NAME PARTNER_RELEASE CALL_TIME_DIA "
        L"CALL_TIME_CON EXECUTION_TIME_DIA EXECUTION_TIME_CON IDLE_TIME_DIA IDLE_TIME_CON DATA_SEND_DIA DATA_SEND_CON "
        L"APPL_DATA_SEND_DIA APPL_DATA_SEND_CON DATA_RECEIVE_DIA DATA_RECEIVE_CON APPL_DATA_RECEIVE_DIA "
        L"APPL_DATA_RECEIVE_CON CALL_NUMBER_DIA CALL_NUMBER_CON INBOUND_TID INBOUND_QUEUE_NAME OUTBOUND_TID "
        L"OUTBOUND_QUEUE_NAME DATA_SEND_TIME_DIA DATA_SEND_TIME_CON DATA_RECEIVE_TIME_DIA DATA_RECEIVE_TIME_CON ";
    ExpectRowRead(statistics, L"RFC_CLIENT_DEST_RECORDS",
                  {{nullptr, dest + L"RFC_USER_NAME RFC_CLIENT_NUMBER", &S::RFC_CLIENT_DEST_RECORDS_CONNECTION_ID}});
    ExpectRowRead(statistics, L"RFC_SERVER_DEST_RECORDS",
                  {{nullptr, dest + L"CALLER_USER_NAME CALLER_CLIENT_NUMBER LOGON_METHOD LOGON_TIME AUTHORIZATION_TIME",
                    &S::RFC_SERVER_DEST_RECORDS_CONNECTION_ID}});
    ExpectRowRead(statistics, L"SUBRECORD_INDEX",
                  {{nullptr,
                    L"RECORDNO DB_B DB_E TAB_B TAB_E BTC_B BTC_E RFC_CLI_B RFC_CLI_E RFC_SERV_B RFC_SERV_E RFC_CLID_B "
                    L"RFC_CLID_E RFC_SERVDB RFC_SERVDE SPO_PRI_B SPO_PRI_E SPO_ACT_B SPO_ACT_E TI_INT_B TI_INT_E ADM_B "
                    L"ADM_E DB_PROC_B DB_PROC_E CLINFO_B CLINFO_E HTP_CLI_B HTP_CLI_E HTP_CLID_B HTP_CLID_E HTP_SRV_B "
                    L"HTP_SRV_E HTP_SRVD_B HTP_SRVD_E SMTP_CLI_B SMTP_CLI_E SMTP_CLID_B SMTP_CLID_E SMTP_SRV_B "
                    L"SMTP_SRV_E SMTP_SRVD_B SMTP_SRVD_E VMC_B VMC_E ASTAT_B ASTAT_E",
                    &S::SUBRECORD_INDEX_RECORDNO}});
    // The tables of the same columns were read into texts of their own.
    EXPECT_STREQ(statistics.RFC_CLIENT_RECORDS_PROGRAM_NAME, L"6");
    EXPECT_STREQ(statistics.RFC_CLIENT_DEST_RECORDS_PROGRAM_NAME, L"5");

    CScsmDsrComponentsListRfc components(&m_connection);
    ExpectRowRead(components, L"DSR_COMPONENTS",
                  {{nullptr, L"COMPNAME COMPCLASS COMPGUID", &CScsmDsrComponentsListRfc::COMPNAME}});

    using D = CSapwln3StatrecDirectRead;
    D distributed(&m_connection);
    ExpectRowRead(distributed, L"STAT_RECORDS",
                  {{L"MAINREC",
                    L"STARTDATE STARTTIME ENDDATE ENDTIME TRANSID SERVICE ACTION ACTIONTYPE USER PROCESSID THREADID "
                    L"CPUTIME QUEUETIME LOADTIME GENTIME NETTIME WAITTIME MAXMEM LUWINFO RESPTIME ADDITINFO STARTTIME1 "
                    L"STARTTIME2 ENDTIME1 ENDTIME2",
                    &D::STARTDATE},
                   {L"CLIENTINFO", L"I_SYSTEM I_ACTION I_ACTTYPE I_SERVICE I_USER PRE_SYSID TRACEFLAG", &D::I_SYSTEM}});
    ExpectRowRead(distributed, L"CTYP1RECS",
                  {{nullptr, L"COMPTYPE COMPNAME DESTINAT CALLTIME REXECTIME SENTBYTES RCVDBYTES NOOFCALLS ADDITINFO",
                    &D::CTYP1RECS_COMPTYPE}});
    EXPECT_STREQ(distributed.ADDITINFO, L"20");
}

TEST_F(WorkloadReadersTest, StatisticRecordsOfTheWindowAreRead)
{
    CSwncStatrecRead statistics(&m_connection);
    statistics.ActivateNormalRecordsOnly();
    SetWindow(statistics, L"135500", L"140000");
    const unsigned long long sent = CEntryCounters::Get(EntryPoint::SetString);
    statistics.SetImportParameters();
    EXPECT_EQ(CEntryCounters::Get(EntryPoint::SetString) - sent, 17u); // empty texts too
    statistics.CallFunctionModule(&m_connection);
    statistics.GetExportParameters();
    const unsigned rows = statistics.GetTableRowCount(L"NORMAL_RECORDS");
    EXPECT_EQ(rows, 5u * 20);
    EXPECT_STREQ(statistics.RECORDS_READ, Number(rows));
    EXPECT_STREQ(statistics.EOF_REACHED, L"X");
    for (unsigned row = 0; row < rows; ++row)
    {
        statistics.OnTableRow(L"NORMAL_RECORDS", row);
        EXPECT_GE(statistics.STARTTIMESTAMP.Compare(L"20240513135500"), 0) << row;
        EXPECT_LT(statistics.ENDTIMESTAMP.Compare(L"20240513140000"), 0) << row;
        EXPECT_STREQ(statistics.MANDT, L"100");
    }
    statistics.DeleteTableRows(L"NORMAL_RECORDS");
    EXPECT_EQ(statistics.GetTableRowCount(L"NORMAL_RECORDS"), 0u);
    EXPECT_STREQ(statistics.READ_START_TIME, L"135500");
}

TEST_F(WorkloadReadersTest, OnlyNormalRecordsTakePartInTheCall)
{
    const LPCWSTR kOthers[] = {
        L"BTC_STEP_RECORDS",
        L"DB_RECORDS",
        L"TABLE_RECORDS",
        L"RFC_CLIENT_RECORDS",
        L"RFC_SERVER_RECORDS",
        L"RFC_CLIENT_DEST_RECORDS",
        L"RFC_SERVER_DEST_RECORDS",
        L"TIMEINT_RECORDS",
        L"SPOOL_PRINT_RECORDS",
        L"SPOOL_ACTIVITY_RECORDS",
        L"DB_PROCEDURE_RECORDS",
        L"ADM_MESSAGE_RECORDS",
        L"CLIENT_INFO_RECORDS",
        L"SUBRECORD_INDEX",
        L"ASTAT_RECORDS",
        L"HTTP_CLIENT_RECORDS",
        L"HTTP_CLIENT_DEST_RECORDS",
        L"HTTP_SERVER_RECORDS",
        L"HTTP_SERVER_DEST_RECORDS",
        L"SMTP_CLIENT_RECORDS",
        L"SMTP_CLIENT_DEST_RECORDS",
        L"SMTP_SERVER_RECORDS",
        L"SMTP_SERVER_DEST_RECORDS",
        L"VM_CONTAINER_RECORDS",
    };
    // A table that takes part in the call comes back as the module fills it; the others keep what was there.
    for (const bool switched : {false, true})
    {
        CSwncStatrecRead statistics(&m_connection);
        const unsigned long long switches = CEntryCounters::Get(EntryPoint::SetParameterActive);
        if (switched)
            statistics.ActivateNormalRecordsOnly();
        EXPECT_EQ(CEntryCounters::Get(EntryPoint::SetParameterActive) - switches, switched ? 25u : 0u);
        for (LPCWSTR table : kOthers)
            statistics.AppendTableRow(table);
        SetWindow(statistics, L"135900", L"140000");
        statistics.SetImportParameters();
        statistics.CallFunctionModule(&m_connection);
        EXPECT_EQ(statistics.GetTableRowCount(L"NORMAL_RECORDS"), 20u);
        for (LPCWSTR table : kOthers)
            EXPECT_EQ(statistics.GetTableRowCount(table), switched ? 1u : 0u) << table;
    }
}

TEST_F(WorkloadReadersTest, DistributedRecordsOfAComponentAreRead)
{
    CScsmDsrComponentsListRfc components(&m_connection);
    components.RESTRICT_TO_COMPONENT_TYPE = L"SAPJ2ENode";
    components.SetImportParameters();
    components.CallFunctionModule(&m_connection);
    ASSERT_GT(components.GetTableRowCount(L"DSR_COMPONENTS"), 0u);
    components.OnTableRow(L"DSR_COMPONENTS", 0);
    EXPECT_STREQ(components.COMPCLASS, L"SAPJ2ENode");

    CSapwln3StatrecDirectRead distributed(&m_connection);
    distributed.COMPONENT = components.COMPNAME;
    distributed.COMPONENT_TYPE = components.COMPCLASS;
    SetWindow(distributed, L"135800", L"140000");
    distributed.SetImportParameters();
    distributed.CallFunctionModule(&m_connection);
    distributed.GetExportParameters();
    const unsigned rows = distributed.GetTableRowCount(L"STAT_RECORDS");
    EXPECT_EQ(rows, 2u * 20);
    EXPECT_STREQ(distributed.NOOFRECS, Number(rows));
    EXPECT_STREQ(distributed.EOFREACHED, L"X");
    const CString first = distributed.FIRSTRECDT + distributed.FIRSTRECTM;
    const CString last = distributed.LASTRECDT + distributed.LASTRECTM;
    for (unsigned row = 0; row < rows; ++row)
    {
        distributed.OnTableRow(L"STAT_RECORDS", row);
        const CString start = distributed.STARTDATE + distributed.STARTTIME;
        EXPECT_GE(start.Compare(row == 0 ? first : CString(L"20240513135800")), 0) << row;
        EXPECT_LE((distributed.ENDDATE + distributed.ENDTIME).Compare(last), 0) << row;
        EXPECT_STREQ(distributed.I_SYSTEM, L"PRD");
        EXPECT_STREQ(distributed.I_USER, distributed.USER);
    }
    EXPECT_STREQ(distributed.STARTDATE + distributed.STARTTIME, last);
}

TEST_F(WorkloadReadersTest, WithoutTheModuleNothingIsSwitchedOrSent)
{
    AddFault(FaultKind::MissingModule, L"SWNC_STATREC_READ");
    CSwncStatrecRead statistics(&m_connection);
    EXPECT_FALSE(statistics.HasFunction(&m_connection));
    const unsigned long long calls = LibraryCalls();
    statistics.ActivateNormalRecordsOnly();
    statistics.SetImportParameters();
    statistics.CallFunctionModule(&m_connection);
    statistics.GetExportParameters();
    EXPECT_EQ(LibraryCalls(), calls);
    EXPECT_STREQ(statistics.RECORDS_READ, L"");
}
