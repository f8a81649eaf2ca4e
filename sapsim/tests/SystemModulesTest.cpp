#include "SimCall.h"

namespace
{
class SystemModulesTest : public SimFixture
{
};

TEST_F(SystemModulesTest, SystemInfoDescribesTheInstanceOfTheSession)
{
    CSimCall call = Call(L"RFC_SYSTEM_INFO", Logon(L"sapwin01", L"01"));
    ASSERT_EQ(CString(), call.Invoke());
    const struct
    {
        LPCWSTR field;
        LPCWSTR value;
    } kFields[] = {{L"RFCSYSID", L"PRD"},        {L"RFCDEST", L"sapwin01_PRD_01"},
                   {L"RFCHOST", L"sapwin01"},    {L"RFCHOST2", L"sapwin01"},
                   {L"RFCDATABS", L"PRD"},       {L"RFCDBHOST", L"saplx01"},
                   {L"RFCDBSYS", L"ORACLE"},     {L"RFCSAPRL", L"700"},
                   {L"RFCOPSYS", L"Windows NT"}, {L"RFCIPADDR", L"10.20.1.12"},
                   {L"RFCKERNRL", L"700"},       {L"RFCTZONE", L"  3600"},
                   {L"RFCCHARTYP", L"4103"}};
    for (const auto& field : kFields)
        EXPECT_EQ(CString(field.value), call.Field(L"RFCSI_EXPORT", field.field)) << field.field;
    EXPECT_EQ(CString(L"14"), call.Export(L"MAXIMAL_RESOURCES"));
}

TEST_F(SystemModulesTest, ServerListHasTheInstancesOfferingTheRequestedServices)
{
    const struct
    {
        LPCWSTR services;
        std::vector<CString> names;
    } kCases[] = {{L"FF", {L"saplx01_PRD_00", L"sapwin01_PRD_01"}},
                  {L"08", {L"saplx01_PRD_00", L"sapwin01_PRD_01"}},
                  {L"02", {L"saplx01_PRD_00"}},
                  {L"80", {}}};
    for (const auto& test : kCases)
    {
        CSimCall call = Call(L"TH_SERVER_LIST");
        ASSERT_EQ(CString(), call.Set(L"SERVICES", test.services).Invoke());
        EXPECT_EQ(test.names, call.Column(L"LIST", L"NAME")) << test.services;
        EXPECT_EQ(test.names, call.Column(L"LIST_IPV6", L"NAME")) << test.services;
    }
    CSimCall call = Call(L"TH_SERVER_LIST");
    ASSERT_EQ(CString(), call.Invoke());
    EXPECT_EQ(std::vector<CString>({L"sapdp00", L"sapdp01"}), call.Column(L"LIST", L"SERV"));
    EXPECT_EQ(std::vector<CString>({L"1F", L"09"}), call.Column(L"LIST", L"MSGTYPES"));
    EXPECT_EQ(std::vector<CString>({L"0A14010B", L"0A14010C"}), call.Column(L"LIST", L"HOSTADR"));
    EXPECT_EQ(std::vector<CString>({L"0C80", L"0C81"}), call.Column(L"LIST", L"SERVNO"));
    EXPECT_EQ(std::vector<CString>({L"saplx01.lumiter.example", L"sapwin01.lumiter.example"}),
              call.Column(L"LIST_IPV6", L"HOSTNAMELONG"));
}

TEST_F(SystemModulesTest, AuthorityCheckAnswersWithAnException)
{
    const struct
    {
        LPCWSTR user;
        LPCWSTR object;
        LPCWSTR key;
    } kCases[] = {{L"LUMITER", L"S_TABU_DIS", L"USER_IS_AUTHORIZED"},
                  {L"auditor", L"S_RFC", L"USER_IS_AUTHORIZED"},
                  {L"AUDITOR", L"S_RZL_ADM", L"USER_NOT_AUTHORIZED"},
                  {L"STRANGER", L"S_RFC", L"USER_DONT_EXIST"}};
    for (const auto& test : kCases)
    {
        CSimCall call = Call(L"AUTHORITY_CHECK");
        EXPECT_EQ(CString(test.key), call.Set(L"USER", test.user).Set(L"OBJECT", test.object).Invoke());
        EXPECT_EQ(sapsim::FailureKind::AbapException, call.Kind());
    }
}

TEST_F(SystemModulesTest, SystemTimeIsUtcAndTheHostsLocalTime)
{
    CSimCall call = Call(L"GET_SYSTEM_TIME_REMOTE");
    ASSERT_EQ(CString(), call.Invoke());
    EXPECT_EQ(CString(L"20240513"), call.Export(L"K_DATE"));
    EXPECT_EQ(CString(L"140000"), call.Export(L"K_TIME"));
    EXPECT_EQ(CString(L"20240513"), call.Export(L"L_DATE"));
    EXPECT_EQ(CString(L"150000"), call.Export(L"L_TIME"));
}

TEST_F(SystemModulesTest, HardwareRequestNamesAFileThatDescribesTheHost)
{
    CSimCall request = Call(L"CONTROL_PERF_REQUEST");
    request.Set(L"REQUEST_TYP", L"112").Set(L"REQUEST_ID", L"-1").Set(L"REQUEST_MODE", L"P");
    ASSERT_EQ(CString(), request.Invoke());
    EXPECT_EQ(CString(L"0"), request.Export(L"REQUEST_RETURN_CODE"));
    const CString id = request.Export(L"REQUEST_ID");
    EXPECT_LT(0, _wtoi(id));
    request.Set(L"REQUEST_MODE", L"G").Set(L"REQUEST_PARAM1", L" ");
    ASSERT_EQ(CString(), request.Invoke());
    const CString file = request.Export(L"REQUEST_PARAM1");
    EXPECT_EQ(CString(L"/usr/sap/tmp/hwinfo_saplx01_") + id + L".txt", file);

    CSimCall read = Call(L"SMON_READ_HARDWARE_DESCR_FILE");
    ASSERT_EQ(CString(), read.Set(L"FILE_NAME", file).Invoke());
    const std::vector<CString> lines = read.Column(L"HW_OBJECT_DESCR_TBL", L"DESCR");
    ASSERT_LE(7u, lines.size());
    EXPECT_EQ(CString(L"Hardware description of host saplx01"), lines[0]);
    EXPECT_EQ(CString(L"Number of processors: 16"), lines[3]);

    CSimCall missing = Call(L"SMON_READ_HARDWARE_DESCR_FILE");
    EXPECT_EQ(CString(L"FILE_NOT_FOUND"), missing.Set(L"FILE_NAME", L"/tmp/nothing.txt").Invoke());

    CSimCall unknown = Call(L"CONTROL_PERF_REQUEST");
    ASSERT_EQ(CString(), unknown.Set(L"REQUEST_TYP", L"999").Invoke());
    EXPECT_EQ(CString(L"8"), unknown.Export(L"REQUEST_RETURN_CODE"));
}

TEST_F(SystemModulesTest, MainframeClusterAnswerNamesItsMembers)
{
    sapsim::CTopology topology = sapsim::CTopology::Default();
    topology.hosts[0].os = L"KEMRA";
    m_landscape.Load(topology);
    CSimCall call = Call(L"CONTROL_PERF_REQUEST");
    ASSERT_EQ(CString(), call.Set(L"REQUEST_TYP", L"107").Set(L"REQUEST_PARAM1", L"CLUSMAR").Invoke());
    EXPECT_EQ(CString(L"PLEX1;SAPLX01;1"), call.Export(L"REQUEST_PARAM1"));

    CSimCall other = Call(L"CONTROL_PERF_REQUEST", Logon(L"sapwin01", L"01"));
    ASSERT_EQ(CString(), other.Set(L"REQUEST_TYP", L"107").Set(L"REQUEST_PARAM1", L"CLUSMAR").Invoke());
    EXPECT_EQ(CString(L""), other.Export(L"REQUEST_PARAM1"));
}
} // namespace
