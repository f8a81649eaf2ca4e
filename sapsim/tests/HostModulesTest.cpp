#include "SimCall.h"

namespace
{
class HostModulesTest : public SimFixture
{
protected:
    CString CpuFigure(LPCWSTR field, __time64_t time)
    {
        m_landscape.SetTime(time);
        CSimCall call = Call(L"GET_CPU_ALL");
        EXPECT_EQ(CString(), call.Invoke());
        return call.Column(L"TF_CPU_ALL", field).at(0);
    }
};

TEST_F(HostModulesTest, CpuFiguresAddUpAndFollowTheWorkingDay)
{
    CSimCall call = Call(L"GET_CPU_ALL");
    ASSERT_EQ(CString(), call.Invoke());
    EXPECT_EQ(CString(L"X"), call.Export(L"F_CPU_ALL_READ"));
    EXPECT_EQ(CString(L"Linux"), call.Export(L"OP_SYSTEM"));
    EXPECT_EQ(CString(L"16"), call.Column(L"TF_CPU_ALL", L"NBR_CPU").at(0));
    const int user = _wtoi(call.Column(L"TF_CPU_ALL", L"USR_TOTAL").at(0));
    const int system = _wtoi(call.Column(L"TF_CPU_ALL", L"SYS_TOTAL").at(0));
    const int idle = _wtoi(call.Column(L"TF_CPU_ALL", L"IDLE_TOTAL").at(0));
    const int idleTrue = _wtoi(call.Column(L"TF_CPU_ALL", L"IDLE_TRUE").at(0));
    const int wait = _wtoi(call.Column(L"TF_CPU_ALL", L"WAIT_TRUE").at(0));
    EXPECT_EQ(100, user + system + idle);
    EXPECT_EQ(idle, idleTrue + wait);

    const __time64_t night = kMonday2pm - 14 * 3600; // 01:00 on the host
    EXPECT_GT(_wtoi(CpuFigure(L"USR_TOTAL", kMonday2pm)), 3 * _wtoi(CpuFigure(L"USR_TOTAL", night)));
}

TEST_F(HostModulesTest, TablesHaveOneRowPerDeviceOfTheHost)
{
    const struct
    {
        LPCWSTR module;
        LPCWSTR table;
        LPCWSTR column;
        std::vector<CString> linux;
        std::vector<CString> windows;
    } kCases[] = {
        {L"GET_DISK_SINGLE", L"TF_DISK_SINGLE", L"DISKNAME", {L"sda", L"sdb"}, {L"Disk0", L"Disk1"}},
        {L"GET_FSYS_SINGLE", L"TF_FSYS_SINGLE", L"FSYSNAME", {L"/", L"/usr/sap"}, {L"C:\\", L"D:\\"}},
        {L"GET_LAN_SINGLE", L"TF_LAN_SINGLE", L"LANNAME", {L"eth0", L"lo"}, {L"Ethernet"}},
        {L"GET_FSYS_SINGLE", L"TF_FSYS_SINGLE", L"CAPACITY", {L"1048576", L"2097152"}, {L"409600", L"819200"}},
        {L"GET_MEM_ALL", L"TF_MEM_ALL", L"PHYS_MEM", {L"134217728"}, {L"33554432"}},
        {L"GET_CPU_VIRT_HOX", L"TF_CPU_VIRT_HOX", L"PARTITION_ID", {L"0"}, {L"0"}},
        {L"GET_KEMRA_LPAR_INFO", L"TF_LPAR_INFO", L"NAME", {}, {}},
        {L"GET_KEMRA_SPAG_ALL", L"TF_SPAG_ALL", L"PG_IN", {}, {}},
        {L"GET_KEMRA_STOR_ALL", L"TF_STOR_ALL", L"X_MIG_AGE", {}, {}},
    };
    for (const auto& test : kCases)
    {
        CSimCall linux = Call(test.module);
        ASSERT_EQ(CString(), linux.Invoke()) << test.module;
        EXPECT_EQ(test.linux, linux.Column(test.table, test.column)) << test.module;
        CSimCall windows = Call(test.module, Logon(L"sapwin01", L"10", L"200"));
        ASSERT_EQ(CString(), windows.Invoke()) << test.module;
        EXPECT_EQ(test.windows, windows.Column(test.table, test.column)) << test.module;
    }
    CSimCall processes = Call(L"GET_TOP_SINGLE");
    ASSERT_EQ(CString(), processes.Invoke());
    EXPECT_EQ(10u, processes.Column(L"TF_TOP_SINGLE", L"COMMAND").size());
    EXPECT_EQ(CString(L"prdadm"), processes.Column(L"TF_TOP_SINGLE", L"USERNAME").at(0));
}

TEST_F(HostModulesTest, MemoryStaysWithinItsLimits)
{
    for (__time64_t time = kMonday2pm; time < kMonday2pm + 86400; time += 3 * 3600)
    {
        m_landscape.SetTime(time);
        CSimCall call = Call(L"GET_MEM_ALL");
        ASSERT_EQ(CString(), call.Invoke());
        const long long physical = _wtoi64(call.Column(L"TF_MEM_ALL", L"PHYS_MEM").at(0));
        const long long free = _wtoi64(call.Column(L"TF_MEM_ALL", L"FREE_MEM").at(0));
        EXPECT_LT(0, free);
        EXPECT_LE(free, physical);
        EXPECT_LE(_wtoi64(call.Column(L"TF_MEM_ALL", L"SWAP_FREE").at(0)),
                  _wtoi64(call.Column(L"TF_MEM_ALL", L"SWAP_SIZE").at(0)));
    }
}

TEST_F(HostModulesTest, RemoteDestinationReadsAnotherHost)
{
    CSimCall remote = Call(L"GET_CPU_ALL");
    remote.Set(L"LOCAL_REMOTE", L"INTERN").Set(L"LOGICAL_DESTINATION", L"SAPCCMSR.SAPWIN01.99");
    ASSERT_EQ(CString(), remote.Invoke());
    EXPECT_EQ(CString(L"8"), remote.Column(L"TF_CPU_ALL", L"NBR_CPU").at(0));
    EXPECT_EQ(CString(L"Windows NT"), remote.Export(L"OP_SYSTEM"));

    CSimCall unknown = Call(L"GET_CPU_ALL");
    unknown.Set(L"LOCAL_REMOTE", L"INTERN").Set(L"LOGICAL_DESTINATION", L"SAPCCMSR.NOWHERE.99");
    EXPECT_EQ(CString(L"DESTINATION_UNKNOWN"), unknown.Invoke());
}

TEST_F(HostModulesTest, CollectorParametersAndEnvironment)
{
    CSimCall parameters = Call(L"GET_PARAMETER", Logon(L"sapwin01", L"01"));
    ASSERT_EQ(CString(), parameters.Invoke());
    EXPECT_EQ(CString(L"Windows NT 6.3"), parameters.Export(L"FP_OPSYSTEM"));
    EXPECT_EQ(CString(L"10"), parameters.Export(L"FP_INTERVAL"));
    EXPECT_EQ(CString(L"2024/05/10 06:00:00"), parameters.Export(L"FP_COLLSINCE"));

    CSimCall environment = Call(L"TH_ENVIRONMENT");
    ASSERT_EQ(CString(), environment.Invoke());
    const std::vector<CString> lines = environment.Column(L"ENVIRONMENT", L"LINE");
    ASSERT_LE(3u, lines.size());
    EXPECT_EQ(CString(L"SAPSYSTEMNAME=PRD"), lines[0]);
    EXPECT_EQ(CString(L"SAPSYSTEM=00"), lines[1]);
    EXPECT_EQ(CString(L"ORACLE_HOME=/oracle/PRD/102_64"), lines.back());
}

TEST_F(HostModulesTest, MainframeHostsReportPartitionsPagingAndStorage)
{
    sapsim::CTopology topology = sapsim::CTopology::Default();
    topology.hosts[0].os = L"KEMRA";
    m_landscape.Load(topology);
    m_landscape.SetTime(kMonday2pm);
    const struct
    {
        LPCWSTR module;
        LPCWSTR table;
        size_t rows;
    } kCases[] = {{L"GET_KEMRA_LPAR_INFO", L"TF_LPAR_INFO", 3},
                  {L"GET_KEMRA_SPAG_ALL", L"TF_SPAG_ALL", 1},
                  {L"GET_KEMRA_STOR_ALL", L"TF_STOR_ALL", 1}};
    for (const auto& test : kCases)
    {
        CSimCall call = Call(test.module);
        ASSERT_EQ(CString(), call.Invoke()) << test.module;
        EXPECT_EQ(test.rows,
                  call.Column(test.table, test.table == CString(L"TF_LPAR_INFO") ? L"NAME" : L"INTRVALSEC").size());
    }
    CSimCall lpar = Call(L"GET_KEMRA_LPAR_INFO");
    ASSERT_EQ(CString(), lpar.Invoke());
    EXPECT_EQ(CString(L"3"), lpar.Export(L"NUM_OF_LOG_PARTITIONS"));
}
} // namespace
