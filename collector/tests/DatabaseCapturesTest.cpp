#include "CollectorLandscape.h"

#include <rfc/DB02OraFillTD110.h>
#include <rfc/DB6Pm1st4.h>
#include <rfc/DB6PmTabspaceConfig.h>
#include <rfc/DbOraMainList.h>

#include <vector>

namespace
{
using sapsim::FaultKind;

// The documented field tables follow the time at offset 0.

const Column<CDbOraMainList> kOraMainListColumns[] = {
    {8, 6, Kind::Text, &CDbOraMainList::DB_NAME},        {14, 16, Kind::Text, &CDbOraMainList::DB_THREAD},
    {30, 32, Kind::Text, &CDbOraMainList::DB_INSTANC},   {62, 32, Kind::Text, &CDbOraMainList::DB_SERVER},
    {94, 12, Kind::Text, &CDbOraMainList::CURR_TIME},    {106, 16, Kind::Text, &CDbOraMainList::CURR_DATE},
    {122, 12, Kind::Text, &CDbOraMainList::DB_UP_TIME},  {134, 16, Kind::Text, &CDbOraMainList::DB_UP_DATE},
    {150, 12, Kind::Text, &CDbOraMainList::THREAD_STA},  {162, 64, Kind::Text, &CDbOraMainList::SAPDBHOST},
    {226, 34, Kind::Text, &CDbOraMainList::VERSION},     {260, 28, Kind::Text, &CDbOraMainList::ELAPSED_TI},
    {288, 14, Kind::Text, &CDbOraMainList::ARCHIVER},    {302, 22, Kind::Text, &CDbOraMainList::LOG_SWITCH},
    {324, 28, Kind::Text, &CDbOraMainList::BUFSIZE},     {352, 28, Kind::Text, &CDbOraMainList::BUFREADS},
    {380, 12, Kind::Text, &CDbOraMainList::BUFQUAL},     {392, 28, Kind::Text, &CDbOraMainList::BUFPWRITES},
    {420, 28, Kind::Text, &CDbOraMainList::BUFPREADS},   {448, 28, Kind::Text, &CDbOraMainList::BUFWAITS},
    {476, 28, Kind::Text, &CDbOraMainList::BUFWTIME},    {504, 28, Kind::Text, &CDbOraMainList::DICTSIZE},
    {532, 12, Kind::Text, &CDbOraMainList::DDQUAL},      {544, 12, Kind::Text, &CDbOraMainList::GETRATIO},
    {556, 12, Kind::Text, &CDbOraMainList::PINRATIO},    {568, 28, Kind::Text, &CDbOraMainList::LOGSIZE},
    {596, 28, Kind::Text, &CDbOraMainList::LOGENTRIES},  {624, 28, Kind::Text, &CDbOraMainList::LOGALLOC},
    {652, 28, Kind::Text, &CDbOraMainList::LOGFAULT},    {680, 28, Kind::Text, &CDbOraMainList::USERCALLS},
    {708, 28, Kind::Text, &CDbOraMainList::RECURCALLS},  {736, 28, Kind::Text, &CDbOraMainList::COMMITS},
    {764, 28, Kind::Text, &CDbOraMainList::PARSES},      {792, 28, Kind::Text, &CDbOraMainList::ROLLBACKS},
    {820, 28, Kind::Text, &CDbOraMainList::LOGWRITES},   {848, 28, Kind::Text, &CDbOraMainList::LOGWTIME},
    {876, 28, Kind::Text, &CDbOraMainList::LOGBLOCKS},   {904, 28, Kind::Text, &CDbOraMainList::LOGWSIZE},
    {932, 28, Kind::Text, &CDbOraMainList::LOGLATCH},    {960, 28, Kind::Text, &CDbOraMainList::SCANSHORT},
    {988, 28, Kind::Text, &CDbOraMainList::SCANLONG},    {1016, 28, Kind::Text, &CDbOraMainList::SCANROWS},
    {1044, 28, Kind::Text, &CDbOraMainList::SCANBLOCKS}, {1072, 28, Kind::Text, &CDbOraMainList::FETCHROWID},
    {1100, 28, Kind::Text, &CDbOraMainList::FETCHCONT},  {1128, 28, Kind::Text, &CDbOraMainList::SORTMEM},
    {1156, 28, Kind::Text, &CDbOraMainList::SORTDISK},   {1184, 28, Kind::Text, &CDbOraMainList::SORTROWS},
    {1212, 28, Kind::Text, &CDbOraMainList::CPUUSAGE},   {1240, 28, Kind::Text, &CDbOraMainList::CPUCALLS},
    {1268, 28, Kind::Text, &CDbOraMainList::CPURECURS},  {1296, 28, Kind::Text, &CDbOraMainList::CPUPARSE},
    {1324, 10, Kind::Text, &CDbOraMainList::USERTOREC},  {1334, 10, Kind::Text, &CDbOraMainList::READCALLRA},
    {1344, 40, Kind::Text, &CDbOraMainList::DD_GETS},    {1384, 40, Kind::Text, &CDbOraMainList::DD_GET_MIS},
    {1424, 40, Kind::Text, &CDbOraMainList::CONSISTGET}, {1464, 40, Kind::Text, &CDbOraMainList::GLOBLCKCON},
    {1504, 12, Kind::Text, &CDbOraMainList::LCKHITRATI}, {1516, 48, Kind::Text, &CDbOraMainList::DBWRCROSSI},
    {1564, 12, Kind::Text, &CDbOraMainList::PINGWRITES}, {1576, 28, Kind::Text, &CDbOraMainList::SQLRELOADS},
    {1604, 28, Kind::Text, &CDbOraMainList::REDO_WAIT},  {1632, 28, Kind::Text, &CDbOraMainList::REDO_PROBL},
    {1660, 28, Kind::Text, &CDbOraMainList::CPU_TIME},   {1688, 28, Kind::Text, &CDbOraMainList::WAIT_TOTAL},
    {1716, 28, Kind::Text, &CDbOraMainList::WAIT_BUSY},  {1744, 28, Kind::Text, &CDbOraMainList::SESS_BUSY},
    {1772, 28, Kind::Text, &CDbOraMainList::CPU_BUSY},   {1800, 28, Kind::Text, &CDbOraMainList::RESP_TIME},
    {1828, 12, Kind::Text, &CDbOraMainList::CPU_COUNT},
};
const Column<CDB02OraFillTD110> kOraFillTD110Columns[] = {
    {8, 20, Kind::Text, &CDB02OraFillTD110::DBSYS},  {28, 16, Kind::Text, &CDB02OraFillTD110::DATUM},
    {44, 12, Kind::Text, &CDB02OraFillTD110::UZEIT}, {56, 16, Kind::Text, &CDB02OraFillTD110::SYSID},
    {72, 6, Kind::Text, &CDB02OraFillTD110::TSNO},   {78, 28, Kind::Text, &CDB02OraFillTD110::TSSI},
    {106, 28, Kind::Text, &CDB02OraFillTD110::TSFR}, {134, 6, Kind::Text, &CDB02OraFillTD110::TSFRP},
    {140, 28, Kind::Text, &CDB02OraFillTD110::TSMF}, {168, 6, Kind::Text, &CDB02OraFillTD110::TSUS},
    {174, 12, Kind::Text, &CDB02OraFillTD110::TANO}, {186, 12, Kind::Text, &CDB02OraFillTD110::TINO},
    {198, 12, Kind::Text, &CDB02OraFillTD110::TA1E}, {210, 12, Kind::Text, &CDB02OraFillTD110::TI1E},
    {222, 28, Kind::Text, &CDB02OraFillTD110::TASI}, {250, 28, Kind::Text, &CDB02OraFillTD110::TISI},
    {278, 12, Kind::Text, &CDB02OraFillTD110::TACI}, {290, 12, Kind::Text, &CDB02OraFillTD110::TICI},
    {302, 12, Kind::Text, &CDB02OraFillTD110::TAOI}, {314, 12, Kind::Text, &CDB02OraFillTD110::TIOI},
    {326, 12, Kind::Text, &CDB02OraFillTD110::TAVI}, {338, 12, Kind::Text, &CDB02OraFillTD110::TIVI},
    {350, 28, Kind::Text, &CDB02OraFillTD110::TSAU},
};
const Column<CDB6Pm1st4> kDb6Pm1st4Columns[] = {
    {8, 28, Kind::Text, &CDB6Pm1st4::DBMSTRTTME},    {36, 28, Kind::Text, &CDB6Pm1st4::COMPTIME},
    {64, 28, Kind::Text, &CDB6Pm1st4::LAST_RESET},   {92, 8, Kind::Int64, &CDB6Pm1st4::BUFFPAGE},
    {100, 8, Kind::Int64, &CDB6Pm1st4::BP_SZ},       {108, 8, Kind::Double, &CDB6Pm1st4::BP_QAL},
    {116, 8, Kind::Int64, &CDB6Pm1st4::BP_AV_RTM},   {124, 8, Kind::Int64, &CDB6Pm1st4::BP_AV_WTM},
    {132, 8, Kind::Double, &CDB6Pm1st4::BP_D_HITRT}, {140, 8, Kind::Double, &CDB6Pm1st4::BP_I_HITRT},
    {148, 8, Kind::Int64, &CDB6Pm1st4::BP_NUM},      {156, 8, Kind::Int64, &CDB6Pm1st4::PL_D_LRS},
    {164, 8, Kind::Int64, &CDB6Pm1st4::PL_D_PRS},    {172, 8, Kind::Int64, &CDB6Pm1st4::PL_D_WS},
    {180, 8, Kind::Int64, &CDB6Pm1st4::BP_D_SPRS},   {188, 8, Kind::Int64, &CDB6Pm1st4::BP_D_SWS},
    {196, 8, Kind::Int64, &CDB6Pm1st4::PL_I_LRS},    {204, 8, Kind::Int64, &CDB6Pm1st4::PL_I_PRS},
    {212, 8, Kind::Int64, &CDB6Pm1st4::PL_I_WS},     {220, 8, Kind::Int64, &CDB6Pm1st4::BP_I_SPRS},
    {228, 8, Kind::Int64, &CDB6Pm1st4::BP_I_SWS},    {236, 8, Kind::Int64, &CDB6Pm1st4::PL_RD_TM},
    {244, 8, Kind::Int64, &CDB6Pm1st4::PL_WT_TM},    {252, 8, Kind::Int64, &CDB6Pm1st4::CATCA_SZ},
    {260, 8, Kind::Double, &CDB6Pm1st4::CATCA_QAL},  {268, 8, Kind::Int64, &CDB6Pm1st4::MAXAPPLS},
    {276, 8, Kind::Int64, &CDB6Pm1st4::PKG_CA_SZ},   {284, 8, Kind::Double, &CDB6Pm1st4::PKG_CA_QAL},
    {292, 8, Kind::Int64, &CDB6Pm1st4::CATCA_LKU},   {300, 8, Kind::Int64, &CDB6Pm1st4::CATCA_INS},
    {308, 8, Kind::Int64, &CDB6Pm1st4::CATCA_OF},    {316, 8, Kind::Int64, &CDB6Pm1st4::CATCA_HPFL},
    {324, 8, Kind::Int64, &CDB6Pm1st4::PKG_CA_LKU},  {332, 8, Kind::Int64, &CDB6Pm1st4::PKG_CA_INS},
    {340, 8, Kind::Int64, &CDB6Pm1st4::PKG_NUM_OV},  {348, 8, Kind::Int64, &CDB6Pm1st4::PKG_SZ_TOP},
    {356, 8, Kind::Int64, &CDB6Pm1st4::NUM_IOSVRS},  {364, 8, Kind::Double, &CDB6Pm1st4::AV_ASP_RTM},
    {372, 8, Kind::Int64, &CDB6Pm1st4::NUM_IOCLNS},  {380, 8, Kind::Double, &CDB6Pm1st4::AV_ASP_WTM},
    {388, 8, Kind::Int64, &CDB6Pm1st4::PL_A_DRS},    {396, 8, Kind::Int64, &CDB6Pm1st4::PL_A_DWS},
    {404, 8, Kind::Int64, &CDB6Pm1st4::PL_A_IRS},    {412, 8, Kind::Int64, &CDB6Pm1st4::PL_A_IWS},
    {420, 8, Kind::Int64, &CDB6Pm1st4::PL_A_RTM},    {428, 8, Kind::Int64, &CDB6Pm1st4::PL_A_WTM},
    {436, 8, Kind::Int64, &CDB6Pm1st4::LCKLISTSZ},   {444, 8, Kind::Int64, &CDB6Pm1st4::LCK_LSTIU},
    {452, 8, Kind::Int64, &CDB6Pm1st4::LCK_ESCALS},  {460, 8, Kind::Int64, &CDB6Pm1st4::X_LCK_ESCA},
    {468, 8, Kind::Int64, &CDB6Pm1st4::LCK_WAITS},   {476, 8, Kind::Int64, &CDB6Pm1st4::LCK_W_TM},
    {484, 8, Kind::Double, &CDB6Pm1st4::AV_WTM_LCK}, {492, 8, Kind::Int64, &CDB6Pm1st4::LCKS_HELD},
    {500, 8, Kind::Int64, &CDB6Pm1st4::DEADLOCKS},   {508, 8, Kind::Int64, &CDB6Pm1st4::LCK_TMOUT},
    {516, 8, Kind::Int64, &CDB6Pm1st4::CMMT_SQLST},  {524, 8, Kind::Int64, &CDB6Pm1st4::RBCK_SQLST},
    {532, 8, Kind::Int64, &CDB6Pm1st4::SELC_SQLST},  {540, 8, Kind::Int64, &CDB6Pm1st4::UID_SQLST},
    {548, 8, Kind::Int64, &CDB6Pm1st4::DYN_SQLST},   {556, 8, Kind::Int64, &CDB6Pm1st4::STC_SQLST},
    {564, 8, Kind::Int64, &CDB6Pm1st4::FAIL_SQLST},  {572, 8, Kind::Int64, &CDB6Pm1st4::DDL_SQLST},
    {580, 8, Kind::Int64, &CDB6Pm1st4::RW_DELETED},  {588, 8, Kind::Int64, &CDB6Pm1st4::RW_INSRTED},
    {596, 8, Kind::Int64, &CDB6Pm1st4::RW_SELECED},  {604, 8, Kind::Int64, &CDB6Pm1st4::RW_UPDATED},
    {612, 8, Kind::Int64, &CDB6Pm1st4::SORTHEAPSZ},  {620, 8, Kind::Int64, &CDB6Pm1st4::SRT_HP_ALO},
    {628, 8, Kind::Int64, &CDB6Pm1st4::TOT_SORTS},   {636, 8, Kind::Int64, &CDB6Pm1st4::TOT_SRT_TM},
    {644, 8, Kind::Double, &CDB6Pm1st4::AV_SORT_TM}, {652, 8, Kind::Int64, &CDB6Pm1st4::SRT_OF},
    {660, 8, Kind::Int64, &CDB6Pm1st4::ACTIV_SORT},  {668, 8, Kind::Int64, &CDB6Pm1st4::DIRCT_RDS},
    {676, 8, Kind::Int64, &CDB6Pm1st4::DIRCT_WTS},   {684, 8, Kind::Int64, &CDB6Pm1st4::DIRCT_RTM},
    {692, 8, Kind::Int64, &CDB6Pm1st4::DIRCT_WTM},   {700, 8, Kind::Int64, &CDB6Pm1st4::DIRCT_RRQS},
    {708, 8, Kind::Int64, &CDB6Pm1st4::DIRCT_WRQS},  {716, 8, Kind::Double, &CDB6Pm1st4::AV_DCT_RTM},
    {724, 8, Kind::Double, &CDB6Pm1st4::AV_DCT_WTM}, {732, 8, Kind::Double, &CDB6Pm1st4::AV_DCT_RDS},
    {740, 8, Kind::Double, &CDB6Pm1st4::AV_DCT_WTS}, {748, 8, Kind::Int64, &CDB6Pm1st4::PL_D_TE},
    {756, 8, Kind::Int64, &CDB6Pm1st4::PL_D_FE},     {764, 8, Kind::Int64, &CDB6Pm1st4::PL_I_TE},
    {772, 8, Kind::Int64, &CDB6Pm1st4::PL_I_FE},     {780, 8, Kind::Int64, &CDB6Pm1st4::TOT_LGUTOP},
    {788, 8, Kind::Int64, &CDB6Pm1st4::SEC_LGUSTP},  {796, 8, Kind::Int64, &CDB6Pm1st4::SEC_LGALLO},
    {804, 8, Kind::Int64, &CDB6Pm1st4::LOG_READS},   {812, 8, Kind::Int64, &CDB6Pm1st4::LOG_WRITES},
    {820, 8, Kind::Int64, &CDB6Pm1st4::TOT_LGUSED},  {828, 8, Kind::Int64, &CDB6Pm1st4::TOT_LGAVL},
    {836, 8, Kind::Int64, &CDB6Pm1st4::LOGFILSIZ},   {844, 8, Kind::Int64, &CDB6Pm1st4::LOGPRIMARY},
    {852, 8, Kind::Int64, &CDB6Pm1st4::LOGSECOND},   {860, 8, Kind::Int64, &CDB6Pm1st4::TOT_HAJN},
    {868, 8, Kind::Int64, &CDB6Pm1st4::TOT_HALOOP},  {876, 8, Kind::Int64, &CDB6Pm1st4::HAJN_OF},
    {884, 8, Kind::Int64, &CDB6Pm1st4::HAJN_SM_OF},  {892, 8, Kind::Int64, &CDB6Pm1st4::PL_TD_LRS},
    {900, 8, Kind::Int64, &CDB6Pm1st4::PL_TD_PRS},   {908, 8, Kind::Int64, &CDB6Pm1st4::PL_TI_LRS},
    {916, 8, Kind::Int64, &CDB6Pm1st4::PL_TI_PRS},   {924, 8, Kind::Int64, &CDB6Pm1st4::PL_A_DRRQ},
    {932, 8, Kind::Int64, &CDB6Pm1st4::PL_A_IRRQ},   {940, 8, Kind::Int64, &CDB6Pm1st4::CATCASZTOP},
    {948, 8, Kind::Double, &CDB6Pm1st4::LSNGAP_PCT}, {956, 8, Kind::Double, &CDB6Pm1st4::RESTRTRNGE},
    {964, 8, Kind::Double, &CDB6Pm1st4::AVGLWTPPAG}, {972, 8, Kind::Double, &CDB6Pm1st4::AVGLWTPIO},
    {980, 8, Kind::Double, &CDB6Pm1st4::AVGLRTPPAG}, {988, 8, Kind::Double, &CDB6Pm1st4::AVGLRTPIO},
    {996, 8, Kind::Double, &CDB6Pm1st4::LGBUFHITRT}, {1004, 8, Kind::Int64, &CDB6Pm1st4::LOGREADTS},
    {1012, 8, Kind::Int64, &CDB6Pm1st4::LOGREADTNS}, {1020, 8, Kind::Int64, &CDB6Pm1st4::LOGWRITS},
    {1028, 8, Kind::Int64, &CDB6Pm1st4::LOGWRITNS},  {1036, 8, Kind::Int64, &CDB6Pm1st4::NUMLOGWRIO},
    {1044, 8, Kind::Int64, &CDB6Pm1st4::NUMLOGRDIO}, {1052, 8, Kind::Int64, &CDB6Pm1st4::NUMLOGPPIO},
    {1060, 8, Kind::Int64, &CDB6Pm1st4::NUMLOGBFUL}, {1068, 8, Kind::Int64, &CDB6Pm1st4::NUMLOGDFND},
    {1076, 8, Kind::Int64, &CDB6Pm1st4::LOGREDOREC}, {1084, 8, Kind::Int64, &CDB6Pm1st4::LOGHELDDTY},
    {1092, 4, Kind::Int32, &CDB6Pm1st4::SOFTMAX},    {1096, 8, Kind::Int64, &CDB6Pm1st4::SCPERHOUR},
};
const Column<CDB6PmTabspaceConfig> kDb6TablespaceColumns[] = {
    {8, 28, Kind::Text, &CDB6PmTabspaceConfig::COL_COMPTIME},
    {36, 4, Kind::Int32, &CDB6PmTabspaceConfig::COL_PARTITN},
    {40, 8, Kind::Int64, &CDB6PmTabspaceConfig::TBS_ID},
    {48, 2, Kind::Text, &CDB6PmTabspaceConfig::COL_CALLERFLAG},
    {50, 28, Kind::Text, &CDB6PmTabspaceConfig::DBMSTRTTME},
    {78, 40, Kind::Text, &CDB6PmTabspaceConfig::PRGVERS},
    {118, 60, Kind::Text, &CDB6PmTabspaceConfig::TBS_NAME},
    {178, 100, Kind::Text, &CDB6PmTabspaceConfig::TBS_TYPE},
    {278, 100, Kind::Text, &CDB6PmTabspaceConfig::CONTENTS},
    {378, 100, Kind::Text, &CDB6PmTabspaceConfig::TBSSTATE},
    {478, 8, Kind::Int64, &CDB6PmTabspaceConfig::TOTALPAGES},
    {486, 8, Kind::Int64, &CDB6PmTabspaceConfig::USABLEPGS},
    {494, 8, Kind::Int64, &CDB6PmTabspaceConfig::PAGESIZE},
    {502, 8, Kind::Int64, &CDB6PmTabspaceConfig::EXTSIZE},
    {510, 8, Kind::Int64, &CDB6PmTabspaceConfig::PF_SZ},
    {518, 8, Kind::Int64, &CDB6PmTabspaceConfig::NUM_CONT},
    {526, 8, Kind::Int64, &CDB6PmTabspaceConfig::USEDPAGES},
    {534, 8, Kind::Int64, &CDB6PmTabspaceConfig::FREEPAGES},
    {542, 8, Kind::Int64, &CDB6PmTabspaceConfig::HGHWTRMRK},
    {550, 6, Kind::Text, &CDB6PmTabspaceConfig::AUTOSTOR},
    {556, 6, Kind::Text, &CDB6PmTabspaceConfig::AUTORESIZ},
    {562, 8, Kind::Int64, &CDB6PmTabspaceConfig::INITSIZ},
    {570, 8, Kind::Int64, &CDB6PmTabspaceConfig::CURRSIZ},
    {578, 8, Kind::Int64, &CDB6PmTabspaceConfig::INCRSIZABS},
    {586, 8, Kind::Int64, &CDB6PmTabspaceConfig::INCRSIZPCT},
    {594, 28, Kind::Text, &CDB6PmTabspaceConfig::LASTRESIZ},
    {622, 4, Kind::Int32, &CDB6PmTabspaceConfig::LASTRSZFAI},
    {626, 8, Kind::Int64, &CDB6PmTabspaceConfig::MAX_SIZE},
};

// The records of every row of the table, read before the writer walks it again.
template <class R, size_t N>
std::vector<std::vector<BYTE>> ExpectedRows(size_t size, __time64_t time, R& reader, LPCWSTR table,
                                            const Column<R> (&columns)[N])
{
    std::vector<std::vector<BYTE>> records;
    for (unsigned row = 0; row < reader.GetTableRowCount(table); ++row)
    {
        reader.OnTableRow(table, row);
        records.push_back(Expected(size, time, reader, columns));
    }
    return records;
}

std::vector<std::vector<BYTE>> Concat(std::vector<std::vector<BYTE>> first,
                                      const std::vector<std::vector<BYTE>>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

class DatabaseCapturesTest : public CaptureLandscape
{
protected:
    // Both the landscape's clock and the client's tick.
    void Tick(CRfcClient& client, __time64_t time)
    {
        Landscape().SetTime(time);
        client.m_nSampleTime = time;
    }
    static void AddAbapException(LPCWSTR module, LPCWSTR key)
    {
        sapsim::CFault fault;
        fault.kind = FaultKind::AbapException;
        fault.module = module;
        fault.key = key;
        Landscape().AddFault(fault);
    }
};

class Db6CapturesTest : public DatabaseCapturesTest
{
protected:
    void SetUp() override
    {
        CollectorLandscape::SetUp();
        sapsim::CTopology topology = MakeTestTopology();
        topology.databases[0].system = L"DB6";
        Landscape().Load(topology);
        Connect(m_client);
        m_client.m_pBaselines = &m_database;
    }

    // A capture of ".d6s" whose table holds two more rows than the module returns.
    std::vector<std::vector<BYTE>> CaptureDb6Pm1st4(CRfcClient& client, __time64_t time)
    {
        Tick(client, time);
        client.GetDb6Pm1st4();
        CDB6Pm1st4& snapshot = *client.m_pDb6Pm1st4;
        for (int extra = 1; extra <= 2; ++extra)
        {
            RFC_STRUCTURE_HANDLE row = snapshot.AppendTableRow(L"IT_DB6PM1ST4");
            snapshot.SetString(row, L"COMPTIME", L"20260101120000");
            snapshot.SetString(row, L"BP_QAL", L"97.25");
            snapshot.SetString(row, L"SOFTMAX", L"-4");
            CString value;
            value.Format(L"%I64d", time * 10 + extra);
            snapshot.SetString(row, L"SCPERHOUR", value);
        }
        std::vector<std::vector<BYTE>> expected =
            ExpectedRows(1104, time, snapshot, L"IT_DB6PM1ST4", kDb6Pm1st4Columns);
        client.WriteDb6Pm1st4File();
        return expected;
    }

    // The baseline ends of the database, shared by its instance threads.
    CBaselineEnds m_database;
};
} // namespace

TEST_F(DatabaseCapturesTest, OracleMainListRecordHoldsTheInstanceStatistics)
{
    m_client.GetOraMainList();
    CDbOraMainList& mainList = *m_client.m_pOraMainList;
    EXPECT_STREQ(mainList.DB_NAME, L"PRD");
    // The global statistics go nowhere.
    std::span<CString> texts = TextsOf(mainList);
    for (CString& text : texts.last(50))
        text = L"-1";
    m_client.WriteOraMainListFile();
    EXPECT_EQ(ReadFileBytes(File(fileOraMainList)), Expected(1840, kSampleTime, mainList, kOraMainListColumns));

    // The next capture replaces it.
    Tick(m_client, kSampleTime + 300);
    m_client.GetOraMainList();
    m_client.WriteOraMainListFile();
    EXPECT_EQ(ReadFileBytes(File(fileOraMainList)), Expected(1840, kSampleTime + 300, mainList, kOraMainListColumns));
}

TEST_F(DatabaseCapturesTest, OracleFillTD110RefreshesWithoutSegments)
{
    m_client.GetOraFillTD110();
    CDB02OraFillTD110& fill = *m_client.m_pOraFillTD110;
    EXPECT_STREQ(fill.FLAG_REFRESH, L"Y");
    EXPECT_STREQ(fill.DBSYS, L"ORACLE");
    EXPECT_EQ(fill.GetTableRowCount(L"SEGMT"), 0u);
    m_client.WriteOraFillTD110File();
    EXPECT_EQ(ReadFileBytes(File(fileOraFillTD110)), Expected(378, kSampleTime, fill, kOraFillTD110Columns));

    m_client.GetOraFillTD110();
    EXPECT_EQ(fill.GetTableRowCount(L"SEGMT"), 0u);
}

TEST_F(DatabaseCapturesTest, OracleRecordsStayWholeWithOverlongOrEmptyValues)
{
    for (FaultKind kind : {FaultKind::OverlongValues, FaultKind::EmptyResult})
    {
        SCOPED_TRACE(static_cast<int>(kind));
        Landscape().ClearFaults();
        AddFault(kind);
        m_client.GetOraMainList();
        m_client.GetOraFillTD110();
        m_client.WriteOraMainListFile();
        m_client.WriteOraFillTD110File();
        EXPECT_EQ(ReadFileBytes(File(fileOraMainList)),
                  Expected(1840, kSampleTime, *m_client.m_pOraMainList, kOraMainListColumns));
        EXPECT_EQ(ReadFileBytes(File(fileOraFillTD110)),
                  Expected(378, kSampleTime, *m_client.m_pOraFillTD110, kOraFillTD110Columns));
    }
}

TEST_F(DatabaseCapturesTest, AMissingModuleLeavesTheOtherCapturesWorking)
{
    AddFault(FaultKind::MissingModule, L"DB_ORA_MAIN_LIST");
    EXPECT_STREQ(ThrownText([&] { m_client.GetOraMainList(); }), L"(nothing thrown)");
    m_client.WriteOraMainListFile();
    EXPECT_FALSE(FileExists(File(fileOraMainList)));
    m_client.GetOraFillTD110();
    m_client.WriteOraFillTD110File();
    EXPECT_EQ(ReadFileBytes(File(fileOraFillTD110)).size(), 378u);
}

TEST_F(DatabaseCapturesTest, AFailingCallThrowsItsTextAndLeavesTheOtherCapturesWorking)
{
    m_client.GetOraMainList();
    m_client.WriteOraMainListFile();
    const std::vector<BYTE> written = ReadFileBytes(File(fileOraMainList));

    // The module went away after its description was fetched.
    AddFault(FaultKind::MissingModule, L"DB_ORA_MAIN_LIST");
    const CString text = ThrownText([&] { m_client.GetOraMainList(); });
    EXPECT_NE(text.Find(L"DB_ORA_MAIN_LIST"), -1) << text.GetString();
    EXPECT_EQ(ReadFileBytes(File(fileOraMainList)), written);

    AddAbapException(L"DB02_ORA_FILL_TD110", L"NO_STATISTICS");
    EXPECT_NE(ThrownText([&] { m_client.GetOraFillTD110(); }).Find(L"NO_STATISTICS"), -1);

    Landscape().ClearFaults();
    m_client.GetOraMainList();
    m_client.GetOraFillTD110();
    m_client.WriteOraFillTD110File();
    EXPECT_EQ(ReadFileBytes(File(fileOraFillTD110)).size(), 378u);
}

TEST_F(Db6CapturesTest, SnapshotFileKeepsItsBaselineAndTheLatestCapture)
{
    const std::vector<std::vector<BYTE>> baseline = CaptureDb6Pm1st4(m_client, kSampleTime);
    ASSERT_EQ(baseline.size(), 3u);
    EXPECT_STREQ(m_client.m_pDb6Pm1st4->ACTION, L"12");
    EXPECT_EQ(ReadRecords(File(fileDb6Pm1st4), 1104), baseline);
    EXPECT_EQ(m_database.nDb6Pm1st4, 3u * 1104);
    EXPECT_EQ(m_client.m_pDb6Pm1st4->GetTableRowCount(L"IT_DB6PM1ST4"), 0u);

    const std::vector<std::vector<BYTE>> second = CaptureDb6Pm1st4(m_client, kSampleTime + 600);
    EXPECT_EQ(ReadRecords(File(fileDb6Pm1st4), 1104), Concat(baseline, second));
    const std::vector<std::vector<BYTE>> third = CaptureDb6Pm1st4(m_client, kSampleTime + 1200);
    EXPECT_EQ(ReadRecords(File(fileDb6Pm1st4), 1104), Concat(baseline, third));

    // Another instance thread of the database takes over and keeps the baseline.
    CRfcClient other;
    Connect(other);
    other.m_pBaselines = &m_database;
    const std::vector<std::vector<BYTE>> fourth = CaptureDb6Pm1st4(other, kSampleTime + 1800);
    EXPECT_EQ(ReadRecords(File(fileDb6Pm1st4), 1104), Concat(baseline, fourth));
    EXPECT_EQ(m_database.nDb6Pm1st4, 3u * 1104);
}

TEST_F(Db6CapturesTest, TablespaceBaselineIsTheFirstCaptureWithRows)
{
    AddFault(FaultKind::EmptyResult);
    Tick(m_client, kSampleTime);
    m_client.GetDb6TablespaceConfig();
    m_client.WriteDb6TablespaceFile();
    EXPECT_TRUE(FileExists(File(fileDb6Tablespaces)));
    EXPECT_TRUE(ReadFileBytes(File(fileDb6Tablespaces)).empty());
    EXPECT_EQ(m_database.nDb6Tablespaces, 0u);

    Landscape().ClearFaults();
    std::vector<std::vector<std::vector<BYTE>>> captures;
    for (__time64_t time : {kSampleTime + 600, kSampleTime + 1200})
    {
        Tick(m_client, time);
        m_client.GetDb6TablespaceConfig();
        CDB6PmTabspaceConfig& tablespaces = *m_client.m_pDb6TablespaceConfig;
        EXPECT_STREQ(tablespaces.ACTION, L"1");
        captures.push_back(ExpectedRows(634, time, tablespaces, L"IT_DB6PMCP", kDb6TablespaceColumns));
        ASSERT_EQ(captures.back().size(), 5u);
        EXPECT_STREQ(tablespaces.COL_CALLERFLAG, L"U");
        EXPECT_FALSE(tablespaces.COL_COMPTIME.IsEmpty());
        m_client.WriteDb6TablespaceFile();
    }
    EXPECT_EQ(ReadRecords(File(fileDb6Tablespaces), 634), Concat(captures[0], captures[1]));
    EXPECT_EQ(m_database.nDb6Tablespaces, 5u * 634);

    // Fewer rows than before leave the surplus of the earlier capture after them.
    Tick(m_client, kSampleTime + 1800);
    m_client.GetDb6TablespaceConfig();
    CDB6PmTabspaceConfig& tablespaces = *m_client.m_pDb6TablespaceConfig;
    tablespaces.DeleteTableRows(L"IT_DB6PMCP");
    tablespaces.SetString(tablespaces.AppendTableRow(L"IT_DB6PMCP"), L"TBS_NAME", L"PSAPTEMP");
    std::vector<std::vector<BYTE>> expected = captures[0];
    expected.push_back(ExpectedRows(634, kSampleTime + 1800, tablespaces, L"IT_DB6PMCP", kDb6TablespaceColumns).at(0));
    expected.insert(expected.end(), captures[1].begin() + 1, captures[1].end());
    m_client.WriteDb6TablespaceFile();
    EXPECT_EQ(ReadRecords(File(fileDb6Tablespaces), 634), expected);
}

TEST_F(Db6CapturesTest, AFailingDb6CallLeavesTheOtherCaptureWorking)
{
    AddAbapException(L"DB6_PM_1ST4", L"NO_DB_CONNECTION");
    EXPECT_NE(ThrownText([&] { m_client.GetDb6Pm1st4(); }).Find(L"NO_DB_CONNECTION"), -1);
    m_client.GetDb6TablespaceConfig();
    m_client.WriteDb6TablespaceFile();
    EXPECT_EQ(ReadFileBytes(File(fileDb6Tablespaces)).size(), 5u * 634);
}
