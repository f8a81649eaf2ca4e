#include "RfcFixture.h"

#include <nwrfc/EntryCounters.h>

namespace
{
class ContainerTest : public RfcFixture
{
protected:
    void SetUp() override
    {
        RfcFixture::SetUp();
        m_connection = Open();
        ASSERT_NE(nullptr, m_connection) << m_error.message;
    }

    RFC_FUNCTION_HANDLE Invoked(LPCWSTR module)
    {
        RFC_FUNCTION_HANDLE function = Create(m_connection, module);
        EXPECT_NE(nullptr, function) << m_error.message;
        EXPECT_EQ(RFC_OK, RfcInvoke(m_connection, function, &m_error)) << m_error.message;
        return function;
    }

    RFC_CONNECTION_HANDLE m_connection = nullptr;
};

TEST_F(ContainerTest, GetStringCutsLongValuesToTheBuffer)
{
    sapsim::CFault overlong;
    overlong.kind = sapsim::FaultKind::OverlongValues;
    Landscape().AddFault(overlong);
    RFC_FUNCTION_HANDLE function = Invoked(L"TH_ENVIRONMENT");
    RFC_TABLE_HANDLE table = Table(function, L"ENVIRONMENT");
    ASSERT_LT(0u, Rows(table));

    SAP_UC buffer[513];
    buffer[512] = L'#';
    unsigned length = 0;
    ASSERT_EQ(RFC_OK, RfcGetString(table, L"LINE", buffer, 512, &length, &m_error));
    EXPECT_EQ(512u, length);
    EXPECT_EQ(L'#', buffer[512]) << "written past the buffer";
    EXPECT_EQ(0, wcsncmp(buffer, L"SAPSYSTEMNAME=PRD", 17));

    // A short value is terminated when there is room.
    Landscape().ClearFaults();
    ASSERT_EQ(RFC_OK, RfcInvoke(m_connection, function, &m_error));
    ASSERT_EQ(RFC_OK, RfcMoveTo(table, 0, &m_error));
    ASSERT_EQ(RFC_OK, RfcGetString(table, L"LINE", buffer, 512, &length, &m_error));
    EXPECT_EQ(17u, length);
    EXPECT_STREQ(L"SAPSYSTEMNAME=PRD", buffer);
    ASSERT_EQ(RFC_OK, RfcGetString(table, L"LINE", buffer, 8, &length, &m_error));
    EXPECT_EQ(8u, length);
    EXPECT_EQ(0, wcsncmp(buffer, L"SAPSYSTE", 8));
}

TEST_F(ContainerTest, GetCharsPadsWithBlanks)
{
    RFC_FUNCTION_HANDLE function = Invoked(L"TH_SERVER_LIST");
    RFC_TABLE_HANDLE table = Table(function, L"LIST");
    SAP_UC buffer[21];
    buffer[20] = L'#';
    ASSERT_EQ(RFC_OK, RfcGetChars(table, L"SERV", buffer, 20, &m_error));
    EXPECT_EQ(0, wcsncmp(buffer, L"sapdp00             #", 21));
    ASSERT_EQ(RFC_OK, RfcGetChars(table, L"SERV", buffer, 4, &m_error));
    EXPECT_EQ(0, wcsncmp(buffer, L"sapd", 4));
}

TEST_F(ContainerTest, TableHandleReadsItsCurrentRowAndStopsAtTheEnd)
{
    RFC_FUNCTION_HANDLE function = Invoked(L"TH_SERVER_LIST");
    RFC_TABLE_HANDLE table = Table(function, L"LIST");
    ASSERT_EQ(2u, Rows(table));
    ASSERT_EQ(RFC_OK, RfcMoveTo(table, 1, &m_error));
    EXPECT_EQ(CString(L"sapwin01_PRD_01"), Get(table, L"NAME"));
    ASSERT_EQ(RFC_OK, RfcMoveTo(table, 0, &m_error));
    EXPECT_EQ(CString(L"saplx01_PRD_00"), Get(table, L"NAME"));

    EXPECT_EQ(RFC_TABLE_MOVE_EOF, RfcMoveTo(table, 2, &m_error));
    EXPECT_EQ(CString(L"saplx01_PRD_00"), Get(table, L"NAME")) << "a failed move keeps the row";

    ASSERT_EQ(RFC_OK, RfcDeleteAllRows(table, &m_error));
    EXPECT_EQ(0u, Rows(table));
    EXPECT_EQ(RFC_TABLE_MOVE_EOF, RfcMoveTo(table, 0, &m_error));
    EXPECT_EQ(CString(L"<19>"), Get(table, L"NAME")) << "no current row";
}

TEST_F(ContainerTest, TablesGoBothWays)
{
    RFC_FUNCTION_HANDLE function = Create(m_connection, L"RFC_READ_TABLE");
    ASSERT_NE(nullptr, function);
    ASSERT_EQ(RFC_OK, Set(function, L"QUERY_TABLE", L"TRDIR"));
    ASSERT_EQ(RFC_OK, Set(function, L"ROWCOUNT", L"5"));
    RFC_TABLE_HANDLE fields = Table(function, L"FIELDS");
    RFC_STRUCTURE_HANDLE row = RfcAppendNewRow(fields, &m_error);
    ASSERT_NE(nullptr, row);
    ASSERT_EQ(RFC_OK, Set(row, L"FIELDNAME", L"NAME"));
    RFC_TABLE_HANDLE options = Table(function, L"OPTIONS");
    ASSERT_EQ(RFC_OK, Set(RfcAppendNewRow(options, &m_error), L"TEXT", L"NAME >= 'Z'"));

    ASSERT_EQ(RFC_OK, RfcInvoke(m_connection, function, &m_error)) << m_error.message;
    // The server read both tables: one field, customer programs only.
    EXPECT_EQ(std::vector<CString>({L"NAME"}), Column(function, L"FIELDS", L"FIELDNAME"));
    EXPECT_EQ(std::vector<CString>({L"000040"}), Column(function, L"FIELDS", L"LENGTH"));
    const std::vector<CString> names = Column(function, L"DATA", L"WA");
    ASSERT_EQ(5u, names.size());
    for (const CString& name : names)
        EXPECT_EQ(L'Z', name[0]) << name.GetString();
    // What the caller sent comes back.
    EXPECT_EQ(std::vector<CString>({L"NAME >= 'Z'"}), Column(function, L"OPTIONS", L"TEXT"));
}

TEST_F(ContainerTest, InactiveTablesAreNeitherFilledNorCleared)
{
    RFC_FUNCTION_HANDLE function = Create(m_connection, L"TH_SERVER_LIST");
    RFC_TABLE_HANDLE listV6 = Table(function, L"LIST_IPV6");
    ASSERT_EQ(RFC_OK, Set(RfcAppendNewRow(listV6, &m_error), L"NAME", L"mine"));
    ASSERT_EQ(RFC_OK, RfcSetParameterActive(function, L"LIST_IPV6", 0, &m_error));

    ASSERT_EQ(RFC_OK, RfcInvoke(m_connection, function, &m_error));
    EXPECT_EQ(std::vector<CString>({L"mine"}), Column(function, L"LIST_IPV6", L"NAME"));
    EXPECT_EQ(2u, Rows(Table(function, L"LIST")));

    ASSERT_EQ(RFC_OK, RfcSetParameterActive(function, L"LIST_IPV6", 1, &m_error));
    ASSERT_EQ(RFC_OK, RfcInvoke(m_connection, function, &m_error));
    EXPECT_EQ(std::vector<CString>({L"saplx01_PRD_00", L"sapwin01_PRD_01"}), Column(function, L"LIST_IPV6", L"NAME"));
}

TEST_F(ContainerTest, UnknownNamesAreInvalidParameters)
{
    RFC_FUNCTION_HANDLE function = Invoked(L"RFC_SYSTEM_INFO");
    RFC_STRUCTURE_HANDLE structure = nullptr;
    ASSERT_EQ(RFC_OK, RfcGetStructure(function, L"RFCSI_EXPORT", &structure, &m_error));
    RFC_TABLE_HANDLE table = nullptr;
    SAP_UC buffer[16];
    unsigned length = 0;
    const std::vector<std::pair<const char*, RFC_RC>> kCalls = {
        {"get", RfcGetString(function, L"NO_SUCH_FIELD", buffer, 16, &length, &m_error)},
        {"get in structure", RfcGetString(structure, L"RFCSYSID2", buffer, 16, &length, &m_error)},
        {"lower case", RfcGetString(structure, L"rfcsysid", buffer, 16, &length, &m_error)},
        {"set", RfcSetString(function, L"NO_SUCH_FIELD", L"X", 1, &m_error)},
        {"chars", RfcGetChars(structure, L"NO_SUCH_FIELD", buffer, 16, &m_error)},
        {"structure", RfcGetStructure(function, L"NO_SUCH_STRUCTURE", &structure, &m_error)},
        {"table", RfcGetTable(function, L"NO_SUCH_TABLE", &table, &m_error)},
        {"text as table", RfcGetTable(function, L"CURRENT_RESOURCES", &table, &m_error)},
        {"active", RfcSetParameterActive(function, L"NO_SUCH_PARAMETER", 0, &m_error)},
        {"null name", RfcGetString(function, nullptr, buffer, 16, &length, &m_error)},
    };
    for (const auto& [what, rc] : kCalls)
        EXPECT_EQ(RFC_INVALID_PARAMETER, rc) << what;
    RfcSetParameterActive(function, L"NO_SUCH_PARAMETER", 0, &m_error);
    EXPECT_EQ(EXTERNAL_RUNTIME_FAILURE, m_error.group);
    EXPECT_NE(nullptr, wcsstr(m_error.message, L"NO_SUCH_PARAMETER")) << m_error.message;
    EXPECT_EQ(CString(L"PRD"), Get(structure, L"RFCSYSID"));
}

TEST_F(ContainerTest, TooLongImportIsRefusedNotCut)
{
    RFC_FUNCTION_HANDLE function = Create(m_connection, L"AUTHORITY_CHECK");
    EXPECT_EQ(RFC_BUFFER_TOO_SMALL, Set(function, L"USER", L"THIRTEEN_CHAR"));
    EXPECT_EQ(RFC_OK, Set(function, L"USER", L"TWELVE_CHARS"));
    EXPECT_EQ(CString(L"TWELVE_CHARS"), Get(function, L"USER"));
    EXPECT_EQ(CString(L"3"), Get(function, L"NEW_BUFFERING")) << "imports start with their defaults";
}

TEST_F(ContainerTest, RowHandlesStayOnTheirRow)
{
    RFC_FUNCTION_HANDLE function = Create(m_connection, L"RFC_READ_TABLE");
    RFC_TABLE_HANDLE options = Table(function, L"OPTIONS");
    RFC_STRUCTURE_HANDLE first = RfcAppendNewRow(options, &m_error);
    RFC_STRUCTURE_HANDLE second = RfcAppendNewRow(options, &m_error);
    ASSERT_EQ(RFC_OK, Set(first, L"TEXT", L"one"));
    ASSERT_EQ(RFC_OK, Set(second, L"TEXT", L"two"));
    EXPECT_EQ(CString(L"two"), Get(options, L"TEXT")) << "the table reads the appended row";
    EXPECT_EQ(std::vector<CString>({L"one", L"two"}), Column(function, L"OPTIONS", L"TEXT"));
    ASSERT_EQ(RFC_OK, RfcDeleteAllRows(options, &m_error));
    EXPECT_EQ(RFC_INVALID_HANDLE, Set(first, L"TEXT", L"gone"));
}

TEST_F(ContainerTest, EntryPointsAreCounted)
{
    const unsigned long long invokes = nwrfc::CEntryCounters::Get(nwrfc::EntryPoint::Invoke);
    const unsigned long long reads = nwrfc::CEntryCounters::Get(nwrfc::EntryPoint::GetString);
    RFC_FUNCTION_HANDLE function = Invoked(L"GET_CPU_ALL");
    Get(function, L"OP_SYSTEM");
    Get(function, L"NO_SUCH_FIELD");
    EXPECT_EQ(invokes + 1, nwrfc::CEntryCounters::Get(nwrfc::EntryPoint::Invoke));
    EXPECT_EQ(reads + 2, nwrfc::CEntryCounters::Get(nwrfc::EntryPoint::GetString));
    EXPECT_EQ(1u, Landscape().Count(sapsim::Operation::Invoke, L"GET_CPU_ALL"));
}
} // namespace
