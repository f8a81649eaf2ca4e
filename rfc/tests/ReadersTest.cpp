#include "SimulatedLandscape.h"

#include <rfc/AuthorityCheck.h>
#include <rfc/ControlPerfRequest.h>
#include <rfc/GetCpuAll.h>
#include <rfc/GetCpuVirtHox.h>
#include <rfc/GetDiskSingle.h>
#include <rfc/GetFsysSingle.h>
#include <rfc/GetKEMRALparInfo.h>
#include <rfc/GetKEMRASpagAll.h>
#include <rfc/GetKEMRAStorAll.h>
#include <rfc/GetLanSingle.h>
#include <rfc/GetMemAll.h>
#include <rfc/GetParameter.h>
#include <rfc/GetSystemTimeRemote.h>
#include <rfc/GetTopSingle.h>
#include <rfc/RfcException.h>
#include <rfc/RfcSystemInfo.h>
#include <rfc/SmonReadHardwareDescrFile.h>
#include <rfc/ThEnvironment.h>
#include <rfc/ThServerList.h>

#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace
{
using sapsim::FaultKind;
using sapsim::Operation;

std::vector<CString> Copy(std::span<CString> texts)
{
    return {texts.begin(), texts.end()};
}

struct ReaderCase
{
    LPCWSTR module = nullptr;
    LPCWSTR table = nullptr;       // the result table, or nullptr
    std::vector<LPCWSTR> defaults; // the import texts as constructed
    int readTexts = 0;             // how many texts one call and its first row fill
    std::function<std::unique_ptr<CBaseRfc>(CRfcConnection*)> make;
    std::function<std::span<CString>(CBaseRfc&)> texts;
    // Import values that a call needs besides the defaults.
    std::function<void(CBaseRfc&)> prepare;
    // The Get pattern: set the imports, call, read the exports.
    std::function<void(CBaseRfc&, CRfcConnection&)> get;
};

template <class T>
ReaderCase Reader(
    LPCWSTR module, LPCWSTR table, std::vector<LPCWSTR> defaults, int readTexts,
    std::function<void(T&)> prepare = [](T&) {})
{
    ReaderCase c;
    c.module = module;
    c.table = table;
    c.defaults = std::move(defaults);
    c.readTexts = readTexts;
    c.make = [](CRfcConnection* pConnection) { return std::make_unique<T>(pConnection); };
    c.texts = [](CBaseRfc& rfc) { return TextsOf(static_cast<T&>(rfc)); };
    c.prepare = [prepare](CBaseRfc& rfc) { prepare(static_cast<T&>(rfc)); };
    c.get = [](CBaseRfc& rfc, CRfcConnection& connection) {
        T& wrapper = static_cast<T&>(rfc);
        if constexpr (requires { wrapper.SetImportParameters(); })
            wrapper.SetImportParameters();
        wrapper.CallFunctionModule(&connection);
        if constexpr (requires { wrapper.GetExportParameters(); })
            wrapper.GetExportParameters();
    };
    return c;
}

// The mainframe figures come from a mainframe host, reached for remote access.
template <class T> void OnMainframe(T& wrapper)
{
    wrapper.LOCAL_REMOTE = L"INTERN";
    wrapper.LOGICAL_DESTINATION = L"SAPCCMSR.MVS01.99";
}

std::vector<ReaderCase> ReaderCases()
{
    const LPCWSTR blank = L" ";
    std::vector<LPCWSTR> authorityDefaults = {L"3", blank, blank};
    authorityDefaults.insert(authorityDefaults.end(), 20, blank);
    ReaderCase authority =
        Reader<CAuthorityCheck>(L"AUTHORITY_CHECK", nullptr, authorityDefaults, 0, [](CAuthorityCheck& check) {
            check.USER = kUser;
            check.OBJECT = L"S_RFC";
        });
    // The module answers with an ABAP exception, a passed check included.
    authority.get = [get = authority.get](CBaseRfc& rfc, CRfcConnection& connection) {
        try
        {
            get(rfc, connection);
        }
        catch (CRfcException* e)
        {
            if (e->m_nCode != RFC_ABAP_EXCEPTION)
                throw;
            e->Delete();
        }
    };
    const std::vector<LPCWSTR> local = {L"LOCAL", blank};
    const std::vector<LPCWSTR> mainframe = {L"LOCAL", blank, L"0"};
    return {
        authority,
        Reader<CRfcSystemInfo>(L"RFC_SYSTEM_INFO", nullptr, {}, 3 + 20),
        Reader<CThServerList>(L"TH_SERVER_LIST", L"LIST_IPV6", {L"FF", L"00"}, 14),
        Reader<CGetSystemTimeRemote>(L"GET_SYSTEM_TIME_REMOTE", nullptr, {}, 4),
        Reader<CControlPerfRequest>(L"CONTROL_PERF_REQUEST", nullptr,
                                    {L"LOCAL", blank, L"0", L"0", blank, blank, blank, blank}, 5,
                                    [](CControlPerfRequest& request) {
                                        request.REQUEST_TYP = L"112";
                                        request.REQUEST_MODE = L"P";
                                    }),
        Reader<CGetCpuAll>(L"GET_CPU_ALL", L"TF_CPU_ALL", local, 10 + 15),
        Reader<CGetCpuVirtHox>(L"GET_CPU_VIRT_HOX", L"TF_CPU_VIRT_HOX", local, 10 + 19),
        Reader<CGetMemAll>(L"GET_MEM_ALL", L"TF_MEM_ALL", local, 9 + 13),
        Reader<CGetDiskSingle>(L"GET_DISK_SINGLE", L"TF_DISK_SINGLE", local, 9 + 11),
        Reader<CGetFsysSingle>(L"GET_FSYS_SINGLE", L"TF_FSYS_SINGLE", local, 9 + 6),
        Reader<CGetLanSingle>(L"GET_LAN_SINGLE", L"TF_LAN_SINGLE", local, 9 + 10),
        Reader<CGetTopSingle>(L"GET_TOP_SINGLE", L"TF_TOP_SINGLE", local, 9 + 11),
        Reader<CGetKEMRALparInfo>(L"GET_KEMRA_LPAR_INFO", L"TF_LPAR_INFO", mainframe, 3 + 5,
                                  OnMainframe<CGetKEMRALparInfo>),
        Reader<CGetKEMRASpagAll>(L"GET_KEMRA_SPAG_ALL", L"TF_SPAG_ALL", mainframe, 10 + 15,
                                 OnMainframe<CGetKEMRASpagAll>),
        Reader<CGetKEMRAStorAll>(L"GET_KEMRA_STOR_ALL", L"TF_STOR_ALL", mainframe, 10 + 8,
                                 OnMainframe<CGetKEMRAStorAll>),
        Reader<CGetParameter>(L"GET_PARAMETER", nullptr, local, 17),
        Reader<CSmonReadHardwareDescrFile>(
            L"SMON_READ_HARDWARE_DESCR_FILE", L"HW_OBJECT_DESCR_TBL", {L""}, 1,
            [](CSmonReadHardwareDescrFile& file) { file.FILE_NAME = L"/usr/sap/tmp/hwinfo_saplx01_1234.txt"; }),
        Reader<CThEnvironment>(L"TH_ENVIRONMENT", L"ENVIRONMENT", {}, 1),
    };
}

class ReadersTest : public SimulatedLandscape
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

TEST_F(ReadersTest, EveryReaderStartsWithItsDefaultsAndReadsEveryField)
{
    // Every text of an overlong result is 600 characters long: a text that was read holds
    // the 512 that the buffer takes.
    AddFault(FaultKind::OverlongValues);
    for (const ReaderCase& c : ReaderCases())
    {
        SCOPED_TRACE(c.module);
        std::unique_ptr<CBaseRfc> reader = c.make(&m_connection);
        ASSERT_TRUE(reader->HasFunction(&m_connection));
        std::span<CString> texts = c.texts(*reader);
        ASSERT_GE(texts.size(), c.defaults.size());
        for (size_t i = 0; i < texts.size(); i++)
            EXPECT_STREQ(texts[i], i < c.defaults.size() ? c.defaults[i] : L"") << i;

        c.prepare(*reader);
        const std::vector<CString> before = Copy(texts);
        const unsigned long long invokes = Count(Operation::Invoke, c.module);
        c.get(*reader, m_connection);
        EXPECT_EQ(Count(Operation::Invoke, c.module), invokes + 1);
        if (c.table != nullptr)
        {
            ASSERT_GT(reader->GetTableRowCount(c.table), 0u);
            reader->OnTableRow(c.table, 0);
        }
        int read = 0;
        for (size_t i = 0; i < texts.size(); i++)
        {
            if (texts[i].GetLength() == 512)
                read++;
            else
                EXPECT_STREQ(texts[i], before[i]) << i;
        }
        EXPECT_EQ(read, c.readTexts);
    }
}

TEST_F(ReadersTest, AMissingModuleGivesAReaderThatDoesNothing)
{
    for (const ReaderCase& c : ReaderCases())
    {
        SCOPED_TRACE(c.module);
        AddFault(FaultKind::MissingModule, c.module);
        std::unique_ptr<CBaseRfc> reader = c.make(&m_connection);
        const unsigned long long lookups = Count(Operation::Describe, c.module);
        EXPECT_FALSE(reader->HasFunction(&m_connection));
        EXPECT_EQ(Count(Operation::Describe, c.module), lookups); // not looked up again

        c.prepare(*reader);
        const std::vector<CString> before = Copy(c.texts(*reader));
        c.get(*reader, m_connection);
        if (c.table != nullptr)
        {
            EXPECT_EQ(reader->GetTableRowCount(c.table), 0u);
            reader->OnTableRow(c.table, 0);
            reader->DeleteTableRows(c.table);
        }
        EXPECT_EQ(Count(Operation::Invoke, c.module), 0u);
        EXPECT_EQ(Copy(c.texts(*reader)), before);
    }
}

TEST_F(ReadersTest, AFailedCallReopensTheConnectionAndThrows)
{
    const size_t handles = OpenHandles();
    for (const ReaderCase& c : ReaderCases())
    {
        SCOPED_TRACE(c.module);
        const unsigned long long logons = Count(Operation::Logon);
        {
            std::unique_ptr<CBaseRfc> reader = c.make(&m_connection);
            c.prepare(*reader);
            ASSERT_EQ(Landscape().DropConnections(L"PRD"), 1);
            const CString thrown = ThrownText([&] { c.get(*reader, m_connection); });
            EXPECT_EQ(thrown.Find(L"RFC Exception -> Function: CBaseRfc::CallFunctionModule - RfcInvoke() | "
                                  L"Code: RFC_COMMUNICATION_FAILURE | Group: COMMUNICATION_FAILURE |"),
                      0)
                << thrown.GetString();
        }
        EXPECT_EQ(Count(Operation::Logon), logons + 1);
        EXPECT_TRUE(m_connection.IsAlive());
        EXPECT_EQ(OpenHandles(), handles);
    }
}

TEST_F(ReadersTest, SystemReadersReadTheSystem)
{
    CAuthorityCheck check(&m_connection);
    check.USER = kUser;
    check.OBJECT = L"S_RFC";
    check.SetImportParameters();
    CRfcException* e = Thrown([&] { check.CallFunctionModule(&m_connection); });
    ASSERT_NE(e, nullptr);
    EXPECT_STREQ(e->m_strKey, L"USER_IS_AUTHORIZED");
    e->Delete();

    CRfcSystemInfo info(&m_connection);
    info.CallFunctionModule(&m_connection);
    info.GetExportParameters();
    EXPECT_STREQ(info.RFCSYSID, L"PRD");
    EXPECT_STREQ(info.RFCSAPRL, L"700");
    EXPECT_STREQ(info.RFCDBSYS, L"ORACLE");
    EXPECT_STREQ(info.RFCOPSYS, L"Linux");
    EXPECT_STREQ(info.RFCMACH, L"560"); // sent with leading blanks
    EXPECT_STREQ(info.RFCDAYST, L"");   // sent blank
    EXPECT_STREQ(info.RECOMMENDED_DELAY, L"0");

    CThServerList servers(&m_connection);
    servers.SetImportParameters();
    servers.CallFunctionModule(&m_connection);
    ASSERT_EQ(servers.GetTableRowCount(L"LIST"), 1u);
    servers.OnTableRow(L"LIST", 0);
    EXPECT_STREQ(servers.NAME, L"saplx01_PRD_00");
    EXPECT_STREQ(servers.FormatMsgTypes(), L"Dialog Update Enqueue Backg Spool");
    EXPECT_STREQ(servers.HOSTNAMELONG, L"");
    servers.OnTableRow(L"LIST_IPV6", 0);
    EXPECT_STREQ(servers.HOSTNAMELONG, L"saplx01.corp.example");

    Landscape().SetTime(1709296496); // 2024-03-01 12:34:56 UTC; the host is on UTC
    CGetSystemTimeRemote time(&m_connection);
    time.CallFunctionModule(&m_connection);
    time.GetExportParameters();
    EXPECT_STREQ(time.L_DATE, L"20240301");
    EXPECT_STREQ(time.L_TIME, L"123456");

    // The request id of the first request goes out again with the second.
    CControlPerfRequest request(&m_connection);
    request.REQUEST_TYP = L"112";
    request.REQUEST_MODE = L"P";
    request.SetImportParameters();
    request.CallFunctionModule(&m_connection);
    request.GetExportParameters();
    EXPECT_STREQ(request.REQUEST_RETURN_CODE, L"0");
    const CString id = request.REQUEST_ID;
    EXPECT_GT(_wtoi(id), 0);
    request.REQUEST_MODE = L"G";
    request.SetImportParameters();
    request.CallFunctionModule(&m_connection);
    request.GetExportParameters();
    EXPECT_STREQ(request.REQUEST_PARAM1, L"/usr/sap/tmp/hwinfo_saplx01_" + id + L".txt");
}

TEST_F(ReadersTest, HostReadersReadTheHost)
{
    CGetCpuAll cpu(&m_connection);
    cpu.SetImportParameters();
    cpu.CallFunctionModule(&m_connection);
    cpu.GetExportParameters();
    EXPECT_STREQ(cpu.m_status.READ, L"X");
    EXPECT_STREQ(cpu.m_status.OP_SYSTEM, L"Linux");
    ASSERT_EQ(cpu.GetTableRowCount(L"TF_CPU_ALL"), 1u);
    cpu.OnTableRow(L"TF_CPU_ALL", 0);
    EXPECT_STREQ(cpu.NBR_CPU, L"4");

    CGetMemAll memory(&m_connection);
    memory.SetImportParameters();
    memory.CallFunctionModule(&m_connection);
    memory.GetExportParameters();
    EXPECT_STREQ(memory.m_status.ACTIVEFLAG, L"1");
    EXPECT_STREQ(memory.m_status.OP_SYSTEM, L""); // not among its exports

    CGetParameter parameter(&m_connection);
    parameter.SetImportParameters();
    parameter.CallFunctionModule(&m_connection);
    parameter.GetExportParameters();
    EXPECT_STREQ(parameter.FP_OPSYSTEM, L"Linux 5.14.21");

    CGetKEMRALparInfo partitions(&m_connection);
    OnMainframe(partitions);
    partitions.SetImportParameters();
    partitions.CallFunctionModule(&m_connection);
    partitions.GetExportParameters();
    EXPECT_GT(partitions.GetTableRowCount(L"TF_LPAR_INFO"), 0u);
    EXPECT_FALSE(partitions.CPU_MODEL.IsEmpty());

    CThEnvironment environment(&m_connection);
    environment.CallFunctionModule(&m_connection);
    ASSERT_GT(environment.GetTableRowCount(L"ENVIRONMENT"), 0u);
    environment.OnTableRow(L"ENVIRONMENT", 0);
    EXPECT_STREQ(environment.LINE, L"SAPSYSTEMNAME=PRD");
}

TEST(ThServerList, FormatsTheServicesOfMsgTypes)
{
    const struct
    {
        LPCWSTR msgTypes;
        LPCWSTR expected;
    } cases[] = {
        {L"FF", L"Dialog Update Enqueue Backg Spool Upd2 ATP ICM"},
        {L"0F", L"Dialog Update Enqueue Backg"},
        {L"00", L""},
        {L"80", L"ICM"},
        {L"41", L"Dialog ATP"},
        {L"", L""},
    };
    CThServerList list(nullptr);
    for (const auto& c : cases)
    {
        list.MSGTYPES = c.msgTypes;
        EXPECT_STREQ(list.FormatMsgTypes(), c.expected) << c.msgTypes;
    }
}
