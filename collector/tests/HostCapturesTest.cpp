#include "CollectorLandscape.h"

#include <rfc/ControlPerfRequest.h>
#include <rfc/GetCpuAll.h>
#include <rfc/GetCpuVirtHox.h>
#include <rfc/GetKEMRALparInfo.h>
#include <rfc/GetParameter.h>
#include <rfc/GetTopSingle.h>
#include <rfc/SmonReadHardwareDescrFile.h>
#include <rfc/ThEnvironment.h>

#include <functional>

namespace
{
using Records = std::vector<std::vector<BYTE>>;

const __time64_t kFirstTick = 0x00000001234567F0LL; // above 32 bits, so both halves count
const __time64_t kSecondTick = kFirstTick + 300;

// The expected record of each row of the reader's table, read before the writer walks it.
template <class R> Records ExpectedRows(R& reader, LPCTSTR table, const std::function<GoldenRecord(const R&)>& golden)
{
    Records records;
    for (unsigned row = 0; row < reader.GetTableRowCount(table); ++row)
    {
        reader.OnTableRow(table, row);
        records.push_back(golden(reader).Bytes());
    }
    return records;
}

// The text lines of the reader's table joined as the text files hold them.
template <class R> std::string ExpectedLines(R& reader, LPCTSTR table, CString R::*line)
{
    std::string text;
    for (unsigned row = 0; row < reader.GetTableRowCount(table); ++row)
    {
        reader.OnTableRow(table, row);
        // The simulated lines are ASCII, the same in every code page.
        for (int i = 0; i < (reader.*line).GetLength(); ++i)
            text += static_cast<char>((reader.*line)[i]);
        text += "\r\n";
    }
    return text;
}

std::string TextOf(const CString& path)
{
    const std::vector<BYTE> bytes = ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

void WriteFileBytes(const CString& path, const std::vector<BYTE>& bytes)
{
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
}

Records Concat(Records first, const Records& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

GoldenRecord CpuRecord(const CGetCpuAll& cpu, __time64_t tick)
{
    GoldenRecord record(56);
    record.Int64(0, tick);
    const CString* fields[] = {&cpu.NBR_CPU,   &cpu.LOAD1_AVG,  &cpu.LOAD5_AVG, &cpu.LOAD15_AVG,
                               &cpu.INT_SEC,   &cpu.SYSC_SEC,   &cpu.CS_SEC,    &cpu.USR_TOTAL,
                               &cpu.SYS_TOTAL, &cpu.IDLE_TOTAL, &cpu.IDLE_TRUE, &cpu.WAIT_TRUE};
    size_t offset = 8;
    for (const CString* field : fields)
    {
        record.Int32(offset, _wtoi(*field));
        offset += 4;
    }
    return record;
}

GoldenRecord CpuVirtRecord(const CGetCpuVirtHox& cpu, __time64_t tick)
{
    GoldenRecord record(144);
    record.Int64(0, tick).Text(8, 20, cpu.PARTITION_NAME);
    const CString* fields[] = {&cpu.PARTITION_ID,        &cpu.PARTITION_TYPE, &cpu.POOL_CPU,
                               &cpu.VIRTUAL_CPU,         &cpu.PART_CONFIG,    &cpu.THREADS,
                               &cpu.PHYS_CPU_CONSUMP,    &cpu.PHYS_CPU_IDLE,  &cpu.ENTITLEMENT,
                               &cpu.ENTITLEMENT_CONSUMP, &cpu.AVAILABLE,      &cpu.AVAILABLE_CONSUMP};
    size_t offset = 28;
    for (const CString* field : fields)
    {
        record.Int32(offset, _wtoi(*field));
        offset += 4;
    }
    return record.Text(76, 32, cpu.MODELNAME).Text(108, 32, cpu.PROCESSOR).Int32(140, _wtoi(cpu.FREQUENCY));
}
} // namespace

class HostCaptures : public CollectorLandscape
{
protected:
    void SetUp() override
    {
        CollectorLandscape::SetUp();
        Connect(m_client);
    }
    // The host figures of another host of the landscape, through the central system.
    static void ReadRemote(CRfcClient& client, LPCWSTR host)
    {
        client.LOCAL_REMOTE = L"REMOTE";
        client.LOGICAL_DESTINATION = CString(L"SAPCCMSR.") + host + L".99";
    }

    CRfcClient m_client;
};

TEST_F(HostCaptures, CpuRecordsFollowTheFieldTableAndGrowByOneGroupPerCapture)
{
    const CString path = FileOf(m_client, fileCpuAll);
    m_client.m_nSampleTime = kFirstTick;
    m_client.GetCpuAll();
    const Records first = ExpectedRows<CGetCpuAll>(*m_client.m_pGetCpuAll, L"TF_CPU_ALL",
                                                   [](const CGetCpuAll& cpu) { return CpuRecord(cpu, kFirstTick); });
    ASSERT_EQ(1u, first.size());
    m_client.WriteCpuAllFile();
    EXPECT_EQ(first, ReadRecords(path, 56));
    EXPECT_EQ(0u, m_client.m_pGetCpuAll->GetTableRowCount(L"TF_CPU_ALL")) << "the rows are given back";

    Landscape().SetTime(Landscape().Now() + 300);
    m_client.m_nSampleTime = kSecondTick;
    m_client.GetCpuAll();
    const Records second = ExpectedRows<CGetCpuAll>(*m_client.m_pGetCpuAll, L"TF_CPU_ALL",
                                                    [](const CGetCpuAll& cpu) { return CpuRecord(cpu, kSecondTick); });
    m_client.WriteCpuAllFile();
    EXPECT_EQ(Concat(first, second), ReadRecords(path, 56));

    // A capture without rows keeps the file as it is.
    AddFault(sapsim::FaultKind::EmptyResult, L"GET_CPU_ALL");
    m_client.GetCpuAll();
    m_client.WriteCpuAllFile();
    EXPECT_EQ(Concat(first, second), ReadRecords(path, 56));
}

TEST_F(HostCaptures, VirtualCpuRecordsStopAfterAPartitionZero)
{
    sapsim::CTopology topology = MakeTestTopology();
    sapsim::CHostInfo partitioned = topology.hosts.front();
    partitioned.name = L"hoxpartition1"; // longer than the 10 characters of the name field
    partitioned.os = L"HOX";
    partitioned.model = L"Partitioned processor model 9000"; // longer than 16 characters
    topology.hosts.push_back(partitioned);
    Landscape().Load(topology);
    CRfcClient client; // a session keeps the landscape of its logon
    Connect(client);
    const CString path = FileOf(client, fileCpuVirtHox);

    // Before the first write the partition is unknown, so the first capture writes.
    ReadRemote(client, L"hoxpartition1");
    client.m_nSampleTime = kFirstTick;
    client.GetCpuVirtHox();
    Records expected =
        ExpectedRows<CGetCpuVirtHox>(*client.m_pGetCpuVirtHox, L"TF_CPU_VIRT_HOX",
                                     [](const CGetCpuVirtHox& cpu) { return CpuVirtRecord(cpu, kFirstTick); });
    ASSERT_EQ(1u, expected.size());
    EXPECT_EQ(L"HOXPARTITION1", client.m_pGetCpuVirtHox->PARTITION_NAME) << "the field cuts it, not the reader";
    client.WriteCpuVirtHoxFile();
    EXPECT_EQ(expected, ReadRecords(path, 144));

    // The unpartitioned host answers partition 0: that record is still written...
    client.LOCAL_REMOTE = L"LOCAL";
    client.m_nSampleTime = kSecondTick;
    client.GetCpuVirtHox();
    client.WriteCpuVirtHoxFile();
    expected.push_back(GoldenRecord(144).Int64(0, kSecondTick).Bytes());
    EXPECT_EQ(expected, ReadRecords(path, 144));

    // ...but from then on nothing, whichever host answers.
    client.GetCpuVirtHox();
    client.WriteCpuVirtHoxFile();
    ReadRemote(client, L"hoxpartition1");
    client.GetCpuVirtHox();
    client.WriteCpuVirtHoxFile();
    EXPECT_EQ(expected, ReadRecords(path, 144));
    EXPECT_EQ(1u, client.m_pGetCpuVirtHox->GetTableRowCount(L"TF_CPU_VIRT_HOX")) << "nor is the table emptied";
}

TEST_F(HostCaptures, ProcessRecordsCarryNoTime)
{
    m_client.m_nSampleTime = kFirstTick;
    m_client.GetTopSingle();
    const Records expected =
        ExpectedRows<CGetTopSingle>(*m_client.m_pGetTopSingle, L"TF_TOP_SINGLE", [](const CGetTopSingle& top) {
            GoldenRecord record(100);
            return record.Int32(0, _wtoi(top.PROC_ID))
                .Text(4, 24, top.USERNAME)
                .Text(28, 40, top.COMMAND)
                .Int32(68, _wtoi(top.CPU_UTIL))
                .Text(72, 16, top.CPU_TIME)
                .Int32(88, _wtoi(top.RES_SIZE))
                .Int32(92, _wtoi(top.PRIORITY))
                .Int32(96, _wtoi(top.PRIV_PAGES));
        });
    ASSERT_GT(expected.size(), 2u);
    m_client.WriteTopSingleFile();
    EXPECT_EQ(expected, ReadRecords(FileOf(m_client, fileTopSingle), 100));
}

TEST_F(HostCaptures, PartitionRecordsRepeatTheMachineInEveryRecord)
{
    ReadRemote(m_client, L"mvs01");
    m_client.m_nSampleTime = kFirstTick;
    m_client.GetLparInfo();
    CGetKEMRALparInfo& lpar = *m_client.m_pGetLparInfo;
    EXPECT_EQ(L"Test CPU @ 2.10GHz", lpar.CPU_MODEL);
    const Records expected = ExpectedRows<CGetKEMRALparInfo>(lpar, L"TF_LPAR_INFO", [](const CGetKEMRALparInfo& info) {
        GoldenRecord record(156);
        return record.Text(0, 104, info.CPU_MODEL)
            .Int32(104, _wtoi(info.NUM_OF_PROCESSORS))
            .Int32(108, _wtoi(info.NUM_OF_LOG_PARTITIONS))
            .Text(112, 20, info.NAME)
            .Text(132, 2, info.ACTIVE)
            .Text(134, 8, info.CPUS)
            .Text(142, 8, info.WEIGHT)
            .Text(150, 6, info.CAPPING);
    });
    ASSERT_EQ(3u, expected.size());
    m_client.WriteLparInfoFile();
    EXPECT_EQ(expected, ReadRecords(FileOf(m_client, fileLparInfo), 156));
}

TEST_F(HostCaptures, ParameterFileHoldsOneRecordOfTheLatestCapture)
{
    const CString path = FileOf(m_client, fileSaposcol);
    WriteFileBytes(path, std::vector<BYTE>(1000, 0xAA));
    m_client.GetParameter();
    const CGetParameter& p = *m_client.m_pGetParameter;
    GoldenRecord expected(360);
    expected.Int32(0, _wtoi(p.FP_RECCOUNT))
        .Int32(4, _wtoi(p.FP_MAXRECORDS))
        .Int32(8, _wtoi(p.FP_RECORDSIZE))
        .Int32(12, _wtoi(p.FP_ACTIVEFLAG))
        .Int32(16, _wtoi(p.FP_INTERVAL))
        .Text(20, 104, p.FP_COLLVERSION)
        .Text(124, 50, p.FP_COLLSINCE)
        .Text(174, 104, p.FP_OPSYSTEM)
        .Int32(278, _wtoi(p.FP_DETAILSCOLL))
        .Int32(282, _wtoi(p.FP_DETAILSREQI))
        .Int32(286, _wtoi(p.FP_DETAILSMODE))
        .Text(290, 50, p.FP_LASTCOLLWRT)
        .Int32(340, _wtoi(p.FP_LASTCOLLINT))
        .Int32(344, _wtoi(p.FP_NORMCOLLINT))
        .Int32(348, _wtoi(p.FP_TRACELEVEL))
        .Int32(352, _wtoi(p.FP_IDLEINTERVAL))
        .Int32(356, _wtoi(p.FP_IDLEAFTER));
    EXPECT_EQ(L"Linux 5.14.21", p.FP_OPSYSTEM);
    m_client.WriteParameterFile();
    EXPECT_EQ(expected.Bytes(), ReadFileBytes(path));
    m_client.WriteParameterFile();
    EXPECT_EQ(expected.Bytes(), ReadFileBytes(path)) << "a snapshot, not a history";
}

TEST_F(HostCaptures, EnvironmentIsWrittenAsTextLines)
{
    const CString path = FileOf(m_client, fileEnvironment);
    m_client.GetThEnvironment();
    const std::string expected = ExpectedLines(*m_client.m_pThEnvironment, L"ENVIRONMENT", &CThEnvironment::LINE);
    EXPECT_EQ(0u, expected.rfind("SAPSYSTEMNAME=PRD\r\nSAPSYSTEM=00\r\nHOSTNAME=saplx01\r\n", 0)) << expected;
    m_client.WriteEnvironmentFile();
    EXPECT_EQ(expected, TextOf(path));
    EXPECT_EQ(0u, m_client.m_pThEnvironment->GetTableRowCount(L"ENVIRONMENT"));

    // Each capture recreates the file.
    m_client.GetThEnvironment();
    m_client.WriteEnvironmentFile();
    EXPECT_EQ(expected, TextOf(path));
}

TEST_F(HostCaptures, HardwareDescriptionIsReadFromTheFileThatTheRequestMade)
{
    m_client.ControlPerfRequest();
    const CString requestId = m_client.m_pControlPerfRequest->REQUEST_ID;
    m_client.ControlPerfRequest2();
    m_client.ReadHardwareDescrFile();
    EXPECT_EQ(L"/usr/sap/tmp/hwinfo_saplx01_" + requestId + L".txt", m_client.m_pReadHardwareDescrFile->FILE_NAME)
        << "the second request carries the id of the first";
    m_client.WriteHardwareDescrFile();
    EXPECT_EQ("Hardware description of host saplx01\r\n"
              "Operating system: Linux 5.14.21\r\n"
              "Processor: Test CPU @ 2.10GHz\r\n"
              "Number of processors: 4\r\n"
              "Processor speed (MHz): 2000\r\n"
              "Physical memory (MB): 4096\r\n"
              "Swap space (MB): 8192\r\n"
              "Disk sda (MB): 1048576\r\n"
              "Network interface: eth0\r\n",
              TextOf(FileOf(m_client, fileHardwareDescr)));
}

TEST_F(HostCaptures, FailedHardwareRequestLeavesAnEmptyDescription)
{
    struct Case
    {
        const char* name;
        bool emptyAnswer; // the requests answer no return code
        bool askForFile;  // the second request, which names the file, is made
    };
    const Case cases[] = {{"no return code", true, true}, {"no file name", false, false}};
    const CString path = FileOf(m_client, fileHardwareDescr);
    for (const Case& c : cases)
    {
        Landscape().Load(MakeTestTopology());
        CRfcClient client;
        Connect(client);
        WriteFileBytes(path, {'o', 'l', 'd', '\r', '\n'});
        if (c.emptyAnswer)
            AddFault(sapsim::FaultKind::EmptyResult, L"CONTROL_PERF_REQUEST");
        client.ControlPerfRequest();
        if (c.askForFile)
            client.ControlPerfRequest2();
        client.ReadHardwareDescrFile();
        client.WriteHardwareDescrFile();
        EXPECT_EQ(0u, Count(sapsim::Operation::Invoke, L"SMON_READ_HARDWARE_DESCR_FILE")) << c.name;
        EXPECT_TRUE(FileExists(path)) << c.name;
        EXPECT_EQ("", TextOf(path)) << c.name;
    }
}

TEST_F(HostCaptures, StoppedClientWritesNothing)
{
    // The captures ran; then the client is stopped before their writers.
    m_client.GetCpuAll();
    m_client.GetParameter();
    m_client.GetThEnvironment();
    m_client.ControlPerfRequest();
    m_client.ControlPerfRequest2();
    m_client.ReadHardwareDescrFile();
    const SessionFile kept[] = {fileCpuAll, fileSaposcol, fileEnvironment};
    const std::vector<BYTE> old = {'o', 'l', 'd'};
    for (SessionFile file : kept)
        WriteFileBytes(FileOf(m_client, file), old);
    const unsigned long long calls = Count(sapsim::Operation::Invoke);

    m_client.SetStopFlag(TRUE);
    m_client.GetCpuAll();
    m_client.GetMemAll();
    m_client.ControlPerfRequest();
    m_client.ReadHardwareDescrFile();
    EXPECT_EQ(calls, Count(sapsim::Operation::Invoke)) << "a stopped client calls nothing";
    EXPECT_EQ(nullptr, m_client.m_pGetMemAll) << "nor makes a wrapper";
    m_client.WriteCpuAllFile();
    m_client.WriteMemAllFile();
    m_client.WriteParameterFile();
    m_client.WriteEnvironmentFile();
    m_client.WriteHardwareDescrFile();
    for (SessionFile file : kept)
        EXPECT_EQ(old, ReadFileBytes(FileOf(m_client, file))) << file;
    EXPECT_FALSE(FileExists(FileOf(m_client, fileMemAll)));
    EXPECT_FALSE(FileExists(FileOf(m_client, fileHardwareDescr)));
}

TEST_F(HostCaptures, MissingModuleWritesNoFile)
{
    AddFault(sapsim::FaultKind::MissingModule, L"GET_MEM_ALL");
    AddFault(sapsim::FaultKind::MissingModule, L"TH_ENVIRONMENT");
    m_client.GetMemAll();
    m_client.WriteMemAllFile();
    m_client.GetThEnvironment();
    m_client.WriteEnvironmentFile();
    EXPECT_FALSE(FileExists(FileOf(m_client, fileMemAll)));
    EXPECT_FALSE(FileExists(FileOf(m_client, fileEnvironment)));
}
