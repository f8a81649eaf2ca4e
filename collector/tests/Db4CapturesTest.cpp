#include "CollectorLandscape.h"

#include <rfc/DB02GetMainScreenXAQ.h>
#include <rfc/DB4St04Overview.h>
#include <rfc/GetDB4DbSize.h>

#include <vector>

namespace
{
constexpr __time64_t kSampleTime = 1767268800; // 2026-01-01 12:00:00 UTC

// The documented field tables follow the sample time at offset 0.

const Column<CDB4St04Overview> kOverviewColumns[] = {
    {8, 52, Kind::Text, &CDB4St04Overview::QQDMPTIME},     {60, 8, Kind::Int64, &CDB4St04Overview::QQSUMCNT},
    {68, 8, Kind::Int64, &CDB4St04Overview::QQCOMCNT},     {76, 8, Kind::Int64, &CDB4St04Overview::QQRBKCNT},
    {84, 8, Kind::Int64, &CDB4St04Overview::QQSELCNT},     {92, 8, Kind::Int64, &CDB4St04Overview::QQINSCNT},
    {100, 8, Kind::Int64, &CDB4St04Overview::QQUPDCNT},    {108, 8, Kind::Int64, &CDB4St04Overview::QQDELCNT},
    {116, 8, Kind::Int64, &CDB4St04Overview::QQDDLCNT},    {124, 8, Kind::Int64, &CDB4St04Overview::QQOTHCNT},
    {132, 8, Kind::Int64, &CDB4St04Overview::QQTSCCNT},    {140, 8, Kind::Int64, &CDB4St04Overview::QQTSCTOTR},
    {148, 8, Kind::Double, &CDB4St04Overview::QQTSCTTIME}, {156, 8, Kind::Int64, &CDB4St04Overview::QQSRTCNT},
    {164, 8, Kind::Int64, &CDB4St04Overview::QQSRTTOTR},   {172, 8, Kind::Double, &CDB4St04Overview::QQSRTTTIME},
    {180, 8, Kind::Int64, &CDB4St04Overview::QQIDCCNT},    {188, 8, Kind::Double, &CDB4St04Overview::QQIDCTTIME},
    {196, 8, Kind::Int64, &CDB4St04Overview::QQTMFCNT},    {204, 8, Kind::Double, &CDB4St04Overview::QQTMFTTIME},
    {212, 8, Kind::Int64, &CDB4St04Overview::QQIDACNT},    {220, 8, Kind::Int64, &CDB4St04Overview::QQIDATBCNT},
    {228, 8, Kind::Int64, &CDB4St04Overview::QQIDAQRYCT},  {236, 52, Kind::Text, &CDB4St04Overview::QQODFTIME},
    {288, 8, Kind::Int64, &CDB4St04Overview::QQTOTAVGT},   {296, 8, Kind::Int64, &CDB4St04Overview::QQTOTTIME},
    {304, 8, Kind::Int64, &CDB4St04Overview::PHYSREAD},    {312, 8, Kind::Int64, &CDB4St04Overview::LOGICREAD},
    {320, 8, Kind::Double, &CDB4St04Overview::QUALITY},    {328, 8, Kind::Double, &CDB4St04Overview::READPCALL},
    {336, 8, Kind::Double, &CDB4St04Overview::TIMEPCALL},
};
const Column<CGetDB4DbSize> kDbSizeColumns[] = {
    {8, 8, Kind::Int64, &CGetDB4DbSize::TAB_SIZE},
    {16, 8, Kind::Int64, &CGetDB4DbSize::CST_SIZE},
    {24, 8, Kind::Int64, &CGetDB4DbSize::IDX_SIZE},
    {32, 8, Kind::Int64, &CGetDB4DbSize::DB_SIZE},
};
const Column<CDB02GetMainScreenXAQ> kMainScreenColumns[] = {
    {8, 20, Kind::Text, &CDB02GetMainScreenXAQ::DBSYS},
    {28, 16, Kind::Text, &CDB02GetMainScreenXAQ::SYSID},
    {44, 16, Kind::Text, &CDB02GetMainScreenXAQ::REFRDATE},
    {60, 12, Kind::Text, &CDB02GetMainScreenXAQ::REFRTIME},
    {72, 4, Kind::Low32, &CDB02GetMainScreenXAQ::TSNUM},
    {76, 8, Kind::Int64, &CDB02GetMainScreenXAQ::TSSIZE},
    {84, 8, Kind::Int64, &CDB02GetMainScreenXAQ::TSFREE},
    {92, 4, Kind::Low32, &CDB02GetMainScreenXAQ::TSPCTUSED},
    {96, 4, Kind::Low32, &CDB02GetMainScreenXAQ::IXNUM},
    {100, 8, Kind::Int64, &CDB02GetMainScreenXAQ::IXSIZE},
    {108, 8, Kind::Int64, &CDB02GetMainScreenXAQ::IXFREE},
    {116, 4, Kind::Low32, &CDB02GetMainScreenXAQ::IXPCTUSED},
    {120, 4, Kind::Low32, &CDB02GetMainScreenXAQ::TBNUM},
    {124, 8, Kind::Int64, &CDB02GetMainScreenXAQ::TBSIZE},
    {132, 4, Kind::Low32, &CDB02GetMainScreenXAQ::TBMISSDB},
    {136, 4, Kind::Low32, &CDB02GetMainScreenXAQ::IXMISSDB},
    {140, 4, Kind::Low32, &CDB02GetMainScreenXAQ::TBMISSDDIC},
    {144, 4, Kind::Low32, &CDB02GetMainScreenXAQ::IXMISSDDIC},
    {148, 2, Kind::Text, &CDB02GetMainScreenXAQ::MONI_VER},
};

sapsim::CTopology TopologyWithDatabase(LPCWSTR system)
{
    sapsim::CTopology topology = MakeTestTopology();
    topology.databases[0].system = system;
    return topology;
}

class Db4CapturesTest : public CollectorLandscape
{
protected:
    void Load(LPCWSTR system)
    {
        Landscape().Load(TopologyWithDatabase(system));
        Tick(kSampleTime);
        Connect(m_client);
    }
    void Tick(__time64_t time)
    {
        Landscape().SetTime(time);
        m_client.m_nSampleTime = time;
    }
    std::vector<std::vector<BYTE>> Records(SessionFile file, size_t size) const
    {
        return ReadRecords(FileOf(m_client, file), size);
    }

    CRfcClient m_client;
};
} // namespace

TEST_F(Db4CapturesTest, QuorvSnapshotsHoldTheLatestCapture)
{
    Load(L"QUORV");
    for (const __time64_t time : {kSampleTime, kSampleTime + 3 * 86400 + 3600})
    {
        Tick(time);
        m_client.GetDb4Overview();
        m_client.WriteDb4OverviewFile();
        m_client.GetDb4DbSize();
        m_client.WriteDb4DbSizeFile();
        ASSERT_FALSE(m_client.m_pDb4Overview->QQSUMCNT.IsEmpty()) << "the module answered";
        ASSERT_FALSE(m_client.m_pDb4DbSize->DB_SIZE.IsEmpty());
        EXPECT_EQ((std::vector<std::vector<BYTE>>{Expected(344, time, *m_client.m_pDb4Overview, kOverviewColumns)}),
                  Records(fileDb4Overview, 344));
        EXPECT_EQ((std::vector<std::vector<BYTE>>{Expected(40, time, *m_client.m_pDb4DbSize, kDbSizeColumns)}),
                  Records(fileDb4DbSize, 40));
    }
    EXPECT_EQ(2u, Count(sapsim::Operation::Invoke, L"DB4_ST04_OVERVIEW")) << "the reader is kept";
}

TEST_F(Db4CapturesTest, XaqCountsKeepTheirLowThirtyTwoBits)
{
    Load(L"XAQ");
    m_client.GetDb02MainScreen();
    CDB02GetMainScreenXAQ& screen = *m_client.m_pDb02MainScreen;
    EXPECT_STREQ(L"XAQ", screen.DBSYS);
    m_client.WriteDb02MainScreenFile();
    EXPECT_EQ((std::vector<std::vector<BYTE>>{Expected(150, kSampleTime, screen, kMainScreenColumns)}),
              Records(fileDb02MainScreen, 150));

    // 2^32 + 5 in a 32-bit field and in a 64-bit one.
    screen.TSNUM = L"4294967301";
    screen.TSSIZE = L"4294967301";
    screen.TBMISSDB = L"-1";
    m_client.WriteDb02MainScreenFile();
    const std::vector<std::vector<BYTE>> records = Records(fileDb02MainScreen, 150);
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ(Expected(150, kSampleTime, screen, kMainScreenColumns), records[0]);
    const std::vector<BYTE> low = GoldenRecord(12).Int32(0, 5).Int64(4, 4294967301LL).Bytes();
    EXPECT_TRUE(std::equal(low.begin(), low.end(), records[0].begin() + 72));
    EXPECT_EQ(0xFF, records[0][132 + 3]);
}

TEST_F(Db4CapturesTest, EmptyResultsStillWriteOneRecordWithTheTime)
{
    Load(L"QUORV");
    sapsim::CFault empty;
    empty.kind = sapsim::FaultKind::EmptyResult;
    Landscape().AddFault(empty);
    m_client.GetDb4Overview();
    m_client.WriteDb4OverviewFile();
    m_client.GetDb4DbSize();
    m_client.WriteDb4DbSizeFile();
    m_client.GetDb02MainScreen();
    m_client.WriteDb02MainScreenFile();
    const struct
    {
        SessionFile file;
        size_t size;
    } kFiles[] = {{fileDb4Overview, 344}, {fileDb4DbSize, 40}, {fileDb02MainScreen, 150}};
    for (const auto& file : kFiles)
    {
        EXPECT_EQ((std::vector<std::vector<BYTE>>{GoldenRecord(file.size).Int64(0, kSampleTime).Bytes()}),
                  Records(file.file, file.size))
            << file.size;
    }
}

TEST_F(Db4CapturesTest, NothingIsWrittenWithoutAResult)
{
    Load(L"QUORV");
    sapsim::CFault missing;
    missing.kind = sapsim::FaultKind::MissingModule;
    missing.module = L"GET_DB4_DBSIZE";
    Landscape().AddFault(missing);
    m_client.GetDb4DbSize();
    m_client.WriteDb4DbSizeFile();
    EXPECT_FALSE(FileExists(FileOf(m_client, fileDb4DbSize)));
    EXPECT_EQ(0u, Count(sapsim::Operation::Invoke, L"GET_DB4_DBSIZE"));

    m_client.SetStopFlag(TRUE);
    m_client.GetDb4Overview();
    m_client.WriteDb4OverviewFile();
    EXPECT_EQ(nullptr, m_client.m_pDb4Overview) << "no reader made while stopping";
    EXPECT_FALSE(FileExists(FileOf(m_client, fileDb4Overview)));
}
