#include <collector/RfcClient.h>
#include <rfc/DB02GetMainScreenXAQ.h>
#include <rfc/DB4St04Overview.h>
#include <rfc/GetDB4DbSize.h>

namespace
{
constexpr RecordField<CDB4St04Overview> kDb4OverviewFields[] = {
    RECORD_TIME(CDB4St04Overview, 0),
    RECORD_FIELD(CDB4St04Overview, 8, 52, Text, QQDMPTIME),
    RECORD_FIELD(CDB4St04Overview, 60, 8, Int64, QQSUMCNT),
    RECORD_FIELD(CDB4St04Overview, 68, 8, Int64, QQCOMCNT),
    RECORD_FIELD(CDB4St04Overview, 76, 8, Int64, QQRBKCNT),
    RECORD_FIELD(CDB4St04Overview, 84, 8, Int64, QQSELCNT),
    RECORD_FIELD(CDB4St04Overview, 92, 8, Int64, QQINSCNT),
    RECORD_FIELD(CDB4St04Overview, 100, 8, Int64, QQUPDCNT),
    RECORD_FIELD(CDB4St04Overview, 108, 8, Int64, QQDELCNT),
    RECORD_FIELD(CDB4St04Overview, 116, 8, Int64, QQDDLCNT),
    RECORD_FIELD(CDB4St04Overview, 124, 8, Int64, QQOTHCNT),
    RECORD_FIELD(CDB4St04Overview, 132, 8, Int64, QQTSCCNT),
    RECORD_FIELD(CDB4St04Overview, 140, 8, Int64, QQTSCTOTR),
    RECORD_FIELD(CDB4St04Overview, 148, 8, Double, QQTSCTTIME),
    RECORD_FIELD(CDB4St04Overview, 156, 8, Int64, QQSRTCNT),
    RECORD_FIELD(CDB4St04Overview, 164, 8, Int64, QQSRTTOTR),
    RECORD_FIELD(CDB4St04Overview, 172, 8, Double, QQSRTTTIME),
    RECORD_FIELD(CDB4St04Overview, 180, 8, Int64, QQIDCCNT),
    RECORD_FIELD(CDB4St04Overview, 188, 8, Double, QQIDCTTIME),
    RECORD_FIELD(CDB4St04Overview, 196, 8, Int64, QQTMFCNT),
    RECORD_FIELD(CDB4St04Overview, 204, 8, Double, QQTMFTTIME),
    RECORD_FIELD(CDB4St04Overview, 212, 8, Int64, QQIDACNT),
    RECORD_FIELD(CDB4St04Overview, 220, 8, Int64, QQIDATBCNT),
    RECORD_FIELD(CDB4St04Overview, 228, 8, Int64, QQIDAQRYCT),
    RECORD_FIELD(CDB4St04Overview, 236, 52, Text, QQODFTIME),
    RECORD_FIELD(CDB4St04Overview, 288, 8, Int64, QQTOTAVGT),
    RECORD_FIELD(CDB4St04Overview, 296, 8, Int64, QQTOTTIME),
    RECORD_FIELD(CDB4St04Overview, 304, 8, Int64, PHYSREAD),
    RECORD_FIELD(CDB4St04Overview, 312, 8, Int64, LOGICREAD),
    RECORD_FIELD(CDB4St04Overview, 320, 8, Double, QUALITY),
    RECORD_FIELD(CDB4St04Overview, 328, 8, Double, READPCALL),
    RECORD_FIELD(CDB4St04Overview, 336, 8, Double, TIMEPCALL),
};
constexpr RecordLayout<CDB4St04Overview> kDb4OverviewLayout{344, kDb4OverviewFields};
static_assert(kDb4OverviewLayout.IsValid());

constexpr RecordField<CGetDB4DbSize> kDb4DbSizeFields[] = {
    RECORD_TIME(CGetDB4DbSize, 0),
    RECORD_FIELD(CGetDB4DbSize, 8, 8, Int64, TAB_SIZE),
    RECORD_FIELD(CGetDB4DbSize, 16, 8, Int64, CST_SIZE),
    RECORD_FIELD(CGetDB4DbSize, 24, 8, Int64, IDX_SIZE),
    RECORD_FIELD(CGetDB4DbSize, 32, 8, Int64, DB_SIZE),
};
constexpr RecordLayout<CGetDB4DbSize> kDb4DbSizeLayout{40, kDb4DbSizeFields};
static_assert(kDb4DbSizeLayout.IsValid());

// The counts and percentages of ".d2t" keep the low 32 bits of their 64-bit value; they fill
// the gaps of the layout.
constexpr RecordField<CDB02GetMainScreenXAQ> kDb02MainScreenFields[] = {
    RECORD_TIME(CDB02GetMainScreenXAQ, 0),
    RECORD_FIELD(CDB02GetMainScreenXAQ, 8, 20, Text, DBSYS),
    RECORD_FIELD(CDB02GetMainScreenXAQ, 28, 16, Text, SYSID),
    RECORD_FIELD(CDB02GetMainScreenXAQ, 44, 16, Text, REFRDATE),
    RECORD_FIELD(CDB02GetMainScreenXAQ, 60, 12, Text, REFRTIME),
    RECORD_FIELD(CDB02GetMainScreenXAQ, 76, 8, Int64, TSSIZE),
    RECORD_FIELD(CDB02GetMainScreenXAQ, 84, 8, Int64, TSFREE),
    RECORD_FIELD(CDB02GetMainScreenXAQ, 100, 8, Int64, IXSIZE),
    RECORD_FIELD(CDB02GetMainScreenXAQ, 108, 8, Int64, IXFREE),
    RECORD_FIELD(CDB02GetMainScreenXAQ, 124, 8, Int64, TBSIZE),
    RECORD_FIELD(CDB02GetMainScreenXAQ, 148, 2, Text, MONI_VER),
};
constexpr RecordLayout<CDB02GetMainScreenXAQ> kDb02MainScreenLayout{150, kDb02MainScreenFields};
static_assert(kDb02MainScreenLayout.IsValid());

struct Low32Field
{
    unsigned nOffset;
    CString CDB02GetMainScreenXAQ::*pText;
};
const Low32Field kDb02MainScreenLow32Fields[] = {
    {72, &CDB02GetMainScreenXAQ::TSNUM},       {92, &CDB02GetMainScreenXAQ::TSPCTUSED},
    {96, &CDB02GetMainScreenXAQ::IXNUM},       {116, &CDB02GetMainScreenXAQ::IXPCTUSED},
    {120, &CDB02GetMainScreenXAQ::TBNUM},      {132, &CDB02GetMainScreenXAQ::TBMISSDB},
    {136, &CDB02GetMainScreenXAQ::IXMISSDB},   {140, &CDB02GetMainScreenXAQ::TBMISSDDIC},
    {144, &CDB02GetMainScreenXAQ::IXMISSDDIC},
};
} // namespace

void CRfcClient::GetDb4Overview()
{
    if (CDB4St04Overview* pOverview = Prepare(m_pDb4Overview))
    {
        pOverview->SetImportParameters();
        pOverview->CallFunctionModule(this);
        pOverview->GetExportParameters();
    }
}

void CRfcClient::WriteDb4OverviewFile()
{
    WriteRecord(m_pDb4Overview, fileDb4Overview, SessionFileMode::Snapshot, kDb4OverviewLayout);
}

void CRfcClient::GetDb4DbSize()
{
    if (CGetDB4DbSize* pSize = Prepare(m_pDb4DbSize))
    {
        pSize->CallFunctionModule(this);
        pSize->GetExportParameters();
    }
}

void CRfcClient::WriteDb4DbSizeFile()
{
    WriteRecord(m_pDb4DbSize, fileDb4DbSize, SessionFileMode::Snapshot, kDb4DbSizeLayout);
}

void CRfcClient::GetDb02MainScreen()
{
    if (CDB02GetMainScreenXAQ* pScreen = Prepare(m_pDb02MainScreen))
    {
        pScreen->CallFunctionModule(this);
        pScreen->GetExportParameters();
    }
}

void CRfcClient::WriteDb02MainScreenFile()
{
    const CDB02GetMainScreenXAQ* pScreen = Result(m_pDb02MainScreen);
    if (pScreen == nullptr)
        return;
    CSessionFile file(m_strFiles[fileDb02MainScreen], SessionFileMode::Snapshot, *this);
    if (!file.IsOpen())
        return;
    CSessionRecord record(kDb02MainScreenLayout.nSize);
    record.Fill(*pScreen, kDb02MainScreenLayout, m_nSampleTime);
    for (const Low32Field& field : kDb02MainScreenLow32Fields)
        record.SetInt32(field.nOffset, static_cast<int>(static_cast<UINT32>(_wtoi64(pScreen->*field.pText))));
    file.Write(record);
}
