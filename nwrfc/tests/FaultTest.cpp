#include "RfcFixture.h"

#include <afxmt.h>
#include <afxwin.h>

#include <nwrfc/EntryCounters.h>
#include <nwrfc/HandleRegistry.h>

namespace
{
class FaultTest : public RfcFixture
{
protected:
    static sapsim::CFault Fault(sapsim::FaultKind kind, LPCWSTR system = L"", LPCWSTR module = L"")
    {
        sapsim::CFault fault;
        fault.kind = kind;
        fault.system = system;
        fault.module = module;
        return fault;
    }

    RFC_RC Invoke(RFC_CONNECTION_HANDLE connection, RFC_FUNCTION_HANDLE function)
    {
        return RfcInvoke(connection, function, &m_error);
    }
};

TEST_F(FaultTest, HostDownRefusesLogonsAndBreaksOpenConnections)
{
    RFC_CONNECTION_HANDLE open = Open();
    sapsim::CFault down = Fault(sapsim::FaultKind::HostDown);
    down.host = L"saplx01";
    Landscape().AddFault(down);

    EXPECT_EQ(nullptr, Open());
    EXPECT_EQ(RFC_COMMUNICATION_FAILURE, m_error.code);
    EXPECT_EQ(COMMUNICATION_FAILURE, m_error.group);
    EXPECT_NE(nullptr, wcsstr(m_error.message, L"not reached")) << m_error.message;
    EXPECT_NE(nullptr, Open(L"sapwin01", L"01")) << "the other host is up";

    EXPECT_EQ(RFC_COMMUNICATION_FAILURE, RfcPing(open, &m_error));
    EXPECT_EQ(RFC_INVALID_HANDLE, RfcPing(open, &m_error)) << "the broken connection was released";

    Landscape().ClearFaults();
    EXPECT_NE(nullptr, Open());
}

TEST_F(FaultTest, DroppedConnectionFailsUntilReopened)
{
    RFC_CONNECTION_HANDLE prd = Open();
    RFC_CONNECTION_HANDLE old = Open(L"sapwin01", L"10", L"200");
    RFC_FUNCTION_HANDLE function = Create(prd, L"GET_CPU_ALL");
    ASSERT_NE(nullptr, function);

    EXPECT_EQ(1, Landscape().DropConnections(L"PRD"));
    EXPECT_EQ(RFC_COMMUNICATION_FAILURE, Invoke(prd, function));
    EXPECT_EQ(RFC_OK, RfcPing(old, &m_error)) << "another system's connection is untouched";

    RFC_CONNECTION_HANDLE reopened = Open();
    ASSERT_NE(nullptr, reopened);
    EXPECT_EQ(RFC_OK, RfcPing(reopened, &m_error));
    EXPECT_EQ(RFC_OK, Invoke(reopened, function)) << "the function is used again on the new connection";
}

TEST_F(FaultTest, MissingModuleHasNoDescription)
{
    Landscape().AddFault(Fault(sapsim::FaultKind::MissingModule, L"PRD", L"GET_CPU_VIRT_HOX"));
    RFC_CONNECTION_HANDLE connection = Open();
    EXPECT_EQ(nullptr, RfcGetFunctionDesc(connection, L"GET_CPU_VIRT_HOX", &m_error));
    EXPECT_EQ(RFC_NOT_FOUND, m_error.code);
    EXPECT_NE(nullptr, Create(connection, L"GET_CPU_ALL"));
    EXPECT_NE(nullptr, Create(Open(L"sapwin01", L"10", L"200"), L"GET_CPU_VIRT_HOX")) << "only PRD lacks it";
    EXPECT_EQ(nullptr, RfcGetFunctionDesc(connection, L"Z_NEVER_WRITTEN", &m_error));
    EXPECT_EQ(RFC_NOT_FOUND, m_error.code);
    EXPECT_EQ(ABAP_APPLICATION_FAILURE, m_error.group);
}

TEST_F(FaultTest, AbapExceptionCarriesItsKey)
{
    sapsim::CFault fault = Fault(sapsim::FaultKind::AbapException, L"", L"GET_MEM_ALL");
    fault.key = L"COLLECTOR_NOT_RUNNING";
    Landscape().AddFault(fault);
    RFC_CONNECTION_HANDLE connection = Open();
    EXPECT_EQ(RFC_ABAP_EXCEPTION, Invoke(connection, Create(connection, L"GET_MEM_ALL")));
    EXPECT_EQ(ABAP_APPLICATION_FAILURE, m_error.group);
    EXPECT_STREQ(L"COLLECTOR_NOT_RUNNING", m_error.key);
    EXPECT_EQ(RFC_OK, Invoke(connection, Create(connection, L"GET_CPU_ALL")));
    EXPECT_EQ(RFC_OK, RfcPing(connection, &m_error)) << "an ABAP exception leaves the connection open";
}

TEST_F(FaultTest, EmptyResultBlanksExportsAndTables)
{
    RFC_CONNECTION_HANDLE connection = Open();
    RFC_FUNCTION_HANDLE function = Create(connection, L"GET_DISK_SINGLE");
    ASSERT_EQ(RFC_OK, Invoke(connection, function));
    ASSERT_EQ(2u, Rows(Table(function, L"TF_DISK_SINGLE")));
    ASSERT_EQ(CString(L"1"), Get(function, L"ACTIVEFLAG"));

    Landscape().AddFault(Fault(sapsim::FaultKind::EmptyResult, L"PRD", L"GET_DISK_SINGLE"));
    ASSERT_EQ(RFC_OK, Invoke(connection, function));
    EXPECT_EQ(0u, Rows(Table(function, L"TF_DISK_SINGLE")));
    EXPECT_EQ(CString(L""), Get(function, L"ACTIVEFLAG"));
}

TEST_F(FaultTest, InvalidDatesAndOverlongValues)
{
    RFC_CONNECTION_HANDLE connection = Open();
    RFC_FUNCTION_HANDLE function = Create(connection, L"GET_SYSTEM_TIME_REMOTE");
    Landscape().AddFault(Fault(sapsim::FaultKind::InvalidDates));
    ASSERT_EQ(RFC_OK, Invoke(connection, function));
    EXPECT_EQ(CString(L"20231345"), Get(function, L"L_DATE"));
    EXPECT_EQ(CString(L"256199"), Get(function, L"L_TIME"));

    Landscape().ClearFaults();
    Landscape().AddFault(Fault(sapsim::FaultKind::OverlongValues));
    ASSERT_EQ(RFC_OK, Invoke(connection, function));
    const CString date = Get(function, L"L_DATE");
    EXPECT_EQ(512, date.GetLength());
    EXPECT_EQ(CString(L"20240513XX"), date.Left(10));
}

TEST_F(FaultTest, SlowCallTakesItsTime)
{
    sapsim::CFault slow = Fault(sapsim::FaultKind::SlowCall, L"PRD", L"GET_CPU_ALL");
    slow.delayMs = 150;
    Landscape().AddFault(slow);
    RFC_CONNECTION_HANDLE connection = Open();
    RFC_FUNCTION_HANDLE function = Create(connection, L"GET_CPU_ALL");
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(RFC_OK, Invoke(connection, function));
    EXPECT_GE(GetTickCount64() - start, 140u);
}

struct CSlowInvoke
{
    RFC_CONNECTION_HANDLE connection;
    RFC_FUNCTION_HANDLE function;
    RFC_RC rc = RFC_OK;
    ULONGLONG returnedAt = 0;
    CEvent done{FALSE, TRUE};

    static UINT Run(LPVOID parameter)
    {
        auto* call = static_cast<CSlowInvoke*>(parameter);
        RFC_ERROR_INFO error;
        call->rc = RfcInvoke(call->connection, call->function, &error);
        call->returnedAt = GetTickCount64();
        call->done.SetEvent();
        return 0;
    }
};

TEST_F(FaultTest, ClosingDuringAnInvokeEndsItPromptly)
{
    sapsim::CFault slow = Fault(sapsim::FaultKind::SlowCall);
    slow.delayMs = 30000;
    Landscape().AddFault(slow);
    CSlowInvoke call;
    call.connection = Open();
    call.function = Create(call.connection, L"TH_SERVER_LIST");
    ASSERT_NE(nullptr, call.function);
    const size_t openBefore = nwrfc::CHandleRegistry::Instance().OpenCount();

    const unsigned long long invokes = nwrfc::CEntryCounters::Get(nwrfc::EntryPoint::Invoke);
    AfxBeginThread(CSlowInvoke::Run, &call);
    while (nwrfc::CEntryCounters::Get(nwrfc::EntryPoint::Invoke) == invokes) // into the call
        Sleep(1);
    // On to its slow part: closing before the call finds its connection would fail it otherwise.
    Sleep(300);
    const ULONGLONG closedAt = GetTickCount64();
    ASSERT_EQ(RFC_OK, RfcCloseConnection(call.connection, &m_error));
    m_connections.clear();

    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(call.done, 5000)) << "the call did not end";
    EXPECT_EQ(RFC_CLOSED, call.rc);
    EXPECT_LT(call.returnedAt - closedAt, 1000u);
    EXPECT_EQ(openBefore - 1, nwrfc::CHandleRegistry::Instance().OpenCount());
    EXPECT_EQ(RFC_OK, RfcDestroyFunction(call.function, &m_error));
}
} // namespace
