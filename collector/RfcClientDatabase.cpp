#include <collector/RfcClient.h>
#include <rfc/DB02OraFillTD110.h>
#include <rfc/DB6Pm1st4.h>
#include <rfc/DB6PmTabspaceConfig.h>
#include <rfc/DbOraMainList.h>

namespace
{
// ".ors": the instance's own statistics ("DBORA"), never the global ones.
constexpr RecordField<CDbOraMainList> kOraMainListFields[] = {
    RECORD_TIME(CDbOraMainList, 0),
    RECORD_FIELD(CDbOraMainList, 8, 6, Text, DB_NAME),
    RECORD_FIELD(CDbOraMainList, 14, 16, Text, DB_THREAD),
    RECORD_FIELD(CDbOraMainList, 30, 32, Text, DB_INSTANC),
    RECORD_FIELD(CDbOraMainList, 62, 32, Text, DB_SERVER),
    RECORD_FIELD(CDbOraMainList, 94, 12, Text, CURR_TIME),
    RECORD_FIELD(CDbOraMainList, 106, 16, Text, CURR_DATE),
    RECORD_FIELD(CDbOraMainList, 122, 12, Text, DB_UP_TIME),
    RECORD_FIELD(CDbOraMainList, 134, 16, Text, DB_UP_DATE),
    RECORD_FIELD(CDbOraMainList, 150, 12, Text, THREAD_STA),
    RECORD_FIELD(CDbOraMainList, 162, 64, Text, SAPDBHOST),
    RECORD_FIELD(CDbOraMainList, 226, 34, Text, VERSION),
    RECORD_FIELD(CDbOraMainList, 260, 28, Text, ELAPSED_TI),
    RECORD_FIELD(CDbOraMainList, 288, 14, Text, ARCHIVER),
    RECORD_FIELD(CDbOraMainList, 302, 22, Text, LOG_SWITCH),
    RECORD_FIELD(CDbOraMainList, 324, 28, Text, BUFSIZE),
    RECORD_FIELD(CDbOraMainList, 352, 28, Text, BUFREADS),
    RECORD_FIELD(CDbOraMainList, 380, 12, Text, BUFQUAL),
    RECORD_FIELD(CDbOraMainList, 392, 28, Text, BUFPWRITES),
    RECORD_FIELD(CDbOraMainList, 420, 28, Text, BUFPREADS),
    RECORD_FIELD(CDbOraMainList, 448, 28, Text, BUFWAITS),
    RECORD_FIELD(CDbOraMainList, 476, 28, Text, BUFWTIME),
    RECORD_FIELD(CDbOraMainList, 504, 28, Text, DICTSIZE),
    RECORD_FIELD(CDbOraMainList, 532, 12, Text, DDQUAL),
    RECORD_FIELD(CDbOraMainList, 544, 12, Text, GETRATIO),
    RECORD_FIELD(CDbOraMainList, 556, 12, Text, PINRATIO),
    RECORD_FIELD(CDbOraMainList, 568, 28, Text, LOGSIZE),
    RECORD_FIELD(CDbOraMainList, 596, 28, Text, LOGENTRIES),
    RECORD_FIELD(CDbOraMainList, 624, 28, Text, LOGALLOC),
    RECORD_FIELD(CDbOraMainList, 652, 28, Text, LOGFAULT),
    RECORD_FIELD(CDbOraMainList, 680, 28, Text, USERCALLS),
    RECORD_FIELD(CDbOraMainList, 708, 28, Text, RECURCALLS),
    RECORD_FIELD(CDbOraMainList, 736, 28, Text, COMMITS),
    RECORD_FIELD(CDbOraMainList, 764, 28, Text, PARSES),
    RECORD_FIELD(CDbOraMainList, 792, 28, Text, ROLLBACKS),
    RECORD_FIELD(CDbOraMainList, 820, 28, Text, LOGWRITES),
    RECORD_FIELD(CDbOraMainList, 848, 28, Text, LOGWTIME),
    RECORD_FIELD(CDbOraMainList, 876, 28, Text, LOGBLOCKS),
    RECORD_FIELD(CDbOraMainList, 904, 28, Text, LOGWSIZE),
    RECORD_FIELD(CDbOraMainList, 932, 28, Text, LOGLATCH),
    RECORD_FIELD(CDbOraMainList, 960, 28, Text, SCANSHORT),
    RECORD_FIELD(CDbOraMainList, 988, 28, Text, SCANLONG),
    RECORD_FIELD(CDbOraMainList, 1016, 28, Text, SCANROWS),
    RECORD_FIELD(CDbOraMainList, 1044, 28, Text, SCANBLOCKS),
    RECORD_FIELD(CDbOraMainList, 1072, 28, Text, FETCHROWID),
    RECORD_FIELD(CDbOraMainList, 1100, 28, Text, FETCHCONT),
    RECORD_FIELD(CDbOraMainList, 1128, 28, Text, SORTMEM),
    RECORD_FIELD(CDbOraMainList, 1156, 28, Text, SORTDISK),
    RECORD_FIELD(CDbOraMainList, 1184, 28, Text, SORTROWS),
    RECORD_FIELD(CDbOraMainList, 1212, 28, Text, CPUUSAGE),
    RECORD_FIELD(CDbOraMainList, 1240, 28, Text, CPUCALLS),
    RECORD_FIELD(CDbOraMainList, 1268, 28, Text, CPURECURS),
    RECORD_FIELD(CDbOraMainList, 1296, 28, Text, CPUPARSE),
    RECORD_FIELD(CDbOraMainList, 1324, 10, Text, USERTOREC),
    RECORD_FIELD(CDbOraMainList, 1334, 10, Text, READCALLRA),
    RECORD_FIELD(CDbOraMainList, 1344, 40, Text, DD_GETS),
    RECORD_FIELD(CDbOraMainList, 1384, 40, Text, DD_GET_MIS),
    RECORD_FIELD(CDbOraMainList, 1424, 40, Text, CONSISTGET),
    RECORD_FIELD(CDbOraMainList, 1464, 40, Text, GLOBLCKCON),
    RECORD_FIELD(CDbOraMainList, 1504, 12, Text, LCKHITRATI),
    RECORD_FIELD(CDbOraMainList, 1516, 48, Text, DBWRCROSSI),
    RECORD_FIELD(CDbOraMainList, 1564, 12, Text, PINGWRITES),
    RECORD_FIELD(CDbOraMainList, 1576, 28, Text, SQLRELOADS),
    RECORD_FIELD(CDbOraMainList, 1604, 28, Text, REDO_WAIT),
    RECORD_FIELD(CDbOraMainList, 1632, 28, Text, REDO_PROBL),
    RECORD_FIELD(CDbOraMainList, 1660, 28, Text, CPU_TIME),
    RECORD_FIELD(CDbOraMainList, 1688, 28, Text, WAIT_TOTAL),
    RECORD_FIELD(CDbOraMainList, 1716, 28, Text, WAIT_BUSY),
    RECORD_FIELD(CDbOraMainList, 1744, 28, Text, SESS_BUSY),
    RECORD_FIELD(CDbOraMainList, 1772, 28, Text, CPU_BUSY),
    RECORD_FIELD(CDbOraMainList, 1800, 28, Text, RESP_TIME),
    RECORD_FIELD(CDbOraMainList, 1828, 12, Text, CPU_COUNT),
};
constexpr RecordLayout<CDbOraMainList> kOraMainListLayout{1840, kOraMainListFields};
static_assert(kOraMainListLayout.IsValid());

constexpr RecordField<CDB02OraFillTD110> kOraFillTD110Fields[] = {
    RECORD_TIME(CDB02OraFillTD110, 0),
    RECORD_FIELD(CDB02OraFillTD110, 8, 20, Text, DBSYS),
    RECORD_FIELD(CDB02OraFillTD110, 28, 16, Text, DATUM),
    RECORD_FIELD(CDB02OraFillTD110, 44, 12, Text, UZEIT),
    RECORD_FIELD(CDB02OraFillTD110, 56, 16, Text, SYSID),
    RECORD_FIELD(CDB02OraFillTD110, 72, 6, Text, TSNO),
    RECORD_FIELD(CDB02OraFillTD110, 78, 28, Text, TSSI),
    RECORD_FIELD(CDB02OraFillTD110, 106, 28, Text, TSFR),
    RECORD_FIELD(CDB02OraFillTD110, 134, 6, Text, TSFRP),
    RECORD_FIELD(CDB02OraFillTD110, 140, 28, Text, TSMF),
    RECORD_FIELD(CDB02OraFillTD110, 168, 6, Text, TSUS),
    RECORD_FIELD(CDB02OraFillTD110, 174, 12, Text, TANO),
    RECORD_FIELD(CDB02OraFillTD110, 186, 12, Text, TINO),
    RECORD_FIELD(CDB02OraFillTD110, 198, 12, Text, TA1E),
    RECORD_FIELD(CDB02OraFillTD110, 210, 12, Text, TI1E),
    RECORD_FIELD(CDB02OraFillTD110, 222, 28, Text, TASI),
    RECORD_FIELD(CDB02OraFillTD110, 250, 28, Text, TISI),
    RECORD_FIELD(CDB02OraFillTD110, 278, 12, Text, TACI),
    RECORD_FIELD(CDB02OraFillTD110, 290, 12, Text, TICI),
    RECORD_FIELD(CDB02OraFillTD110, 302, 12, Text, TAOI),
    RECORD_FIELD(CDB02OraFillTD110, 314, 12, Text, TIOI),
    RECORD_FIELD(CDB02OraFillTD110, 326, 12, Text, TAVI),
    RECORD_FIELD(CDB02OraFillTD110, 338, 12, Text, TIVI),
    RECORD_FIELD(CDB02OraFillTD110, 350, 28, Text, TSAU),
};
constexpr RecordLayout<CDB02OraFillTD110> kOraFillTD110Layout{378, kOraFillTD110Fields};
static_assert(kOraFillTD110Layout.IsValid());

constexpr RecordField<CDB6Pm1st4> kDb6Pm1st4Fields[] = {
    RECORD_TIME(CDB6Pm1st4, 0),
    RECORD_FIELD(CDB6Pm1st4, 8, 28, Text, DBMSTRTTME),
    RECORD_FIELD(CDB6Pm1st4, 36, 28, Text, COMPTIME),
    RECORD_FIELD(CDB6Pm1st4, 64, 28, Text, LAST_RESET),
    RECORD_FIELD(CDB6Pm1st4, 92, 8, Int64, BUFFPAGE),
    RECORD_FIELD(CDB6Pm1st4, 100, 8, Int64, BP_SZ),
    RECORD_FIELD(CDB6Pm1st4, 108, 8, Double, BP_QAL),
    RECORD_FIELD(CDB6Pm1st4, 116, 8, Int64, BP_AV_RTM),
    RECORD_FIELD(CDB6Pm1st4, 124, 8, Int64, BP_AV_WTM),
    RECORD_FIELD(CDB6Pm1st4, 132, 8, Double, BP_D_HITRT),
    RECORD_FIELD(CDB6Pm1st4, 140, 8, Double, BP_I_HITRT),
    RECORD_FIELD(CDB6Pm1st4, 148, 8, Int64, BP_NUM),
    RECORD_FIELD(CDB6Pm1st4, 156, 8, Int64, PL_D_LRS),
    RECORD_FIELD(CDB6Pm1st4, 164, 8, Int64, PL_D_PRS),
    RECORD_FIELD(CDB6Pm1st4, 172, 8, Int64, PL_D_WS),
    RECORD_FIELD(CDB6Pm1st4, 180, 8, Int64, BP_D_SPRS),
    RECORD_FIELD(CDB6Pm1st4, 188, 8, Int64, BP_D_SWS),
    RECORD_FIELD(CDB6Pm1st4, 196, 8, Int64, PL_I_LRS),
    RECORD_FIELD(CDB6Pm1st4, 204, 8, Int64, PL_I_PRS),
    RECORD_FIELD(CDB6Pm1st4, 212, 8, Int64, PL_I_WS),
    RECORD_FIELD(CDB6Pm1st4, 220, 8, Int64, BP_I_SPRS),
    RECORD_FIELD(CDB6Pm1st4, 228, 8, Int64, BP_I_SWS),
    RECORD_FIELD(CDB6Pm1st4, 236, 8, Int64, PL_RD_TM),
    RECORD_FIELD(CDB6Pm1st4, 244, 8, Int64, PL_WT_TM),
    RECORD_FIELD(CDB6Pm1st4, 252, 8, Int64, CATCA_SZ),
    RECORD_FIELD(CDB6Pm1st4, 260, 8, Double, CATCA_QAL),
    RECORD_FIELD(CDB6Pm1st4, 268, 8, Int64, MAXAPPLS),
    RECORD_FIELD(CDB6Pm1st4, 276, 8, Int64, PKG_CA_SZ),
    RECORD_FIELD(CDB6Pm1st4, 284, 8, Double, PKG_CA_QAL),
    RECORD_FIELD(CDB6Pm1st4, 292, 8, Int64, CATCA_LKU),
    RECORD_FIELD(CDB6Pm1st4, 300, 8, Int64, CATCA_INS),
    RECORD_FIELD(CDB6Pm1st4, 308, 8, Int64, CATCA_OF),
    RECORD_FIELD(CDB6Pm1st4, 316, 8, Int64, CATCA_HPFL),
    RECORD_FIELD(CDB6Pm1st4, 324, 8, Int64, PKG_CA_LKU),
    RECORD_FIELD(CDB6Pm1st4, 332, 8, Int64, PKG_CA_INS),
    RECORD_FIELD(CDB6Pm1st4, 340, 8, Int64, PKG_NUM_OV),
    RECORD_FIELD(CDB6Pm1st4, 348, 8, Int64, PKG_SZ_TOP),
    RECORD_FIELD(CDB6Pm1st4, 356, 8, Int64, NUM_IOSVRS),
    RECORD_FIELD(CDB6Pm1st4, 364, 8, Double, AV_ASP_RTM),
    RECORD_FIELD(CDB6Pm1st4, 372, 8, Int64, NUM_IOCLNS),
    RECORD_FIELD(CDB6Pm1st4, 380, 8, Double, AV_ASP_WTM),
    RECORD_FIELD(CDB6Pm1st4, 388, 8, Int64, PL_A_DRS),
    RECORD_FIELD(CDB6Pm1st4, 396, 8, Int64, PL_A_DWS),
    RECORD_FIELD(CDB6Pm1st4, 404, 8, Int64, PL_A_IRS),
    RECORD_FIELD(CDB6Pm1st4, 412, 8, Int64, PL_A_IWS),
    RECORD_FIELD(CDB6Pm1st4, 420, 8, Int64, PL_A_RTM),
    RECORD_FIELD(CDB6Pm1st4, 428, 8, Int64, PL_A_WTM),
    RECORD_FIELD(CDB6Pm1st4, 436, 8, Int64, LCKLISTSZ),
    RECORD_FIELD(CDB6Pm1st4, 444, 8, Int64, LCK_LSTIU),
    RECORD_FIELD(CDB6Pm1st4, 452, 8, Int64, LCK_ESCALS),
    RECORD_FIELD(CDB6Pm1st4, 460, 8, Int64, X_LCK_ESCA),
    RECORD_FIELD(CDB6Pm1st4, 468, 8, Int64, LCK_WAITS),
    RECORD_FIELD(CDB6Pm1st4, 476, 8, Int64, LCK_W_TM),
    RECORD_FIELD(CDB6Pm1st4, 484, 8, Double, AV_WTM_LCK),
    RECORD_FIELD(CDB6Pm1st4, 492, 8, Int64, LCKS_HELD),
    RECORD_FIELD(CDB6Pm1st4, 500, 8, Int64, DEADLOCKS),
    RECORD_FIELD(CDB6Pm1st4, 508, 8, Int64, LCK_TMOUT),
    RECORD_FIELD(CDB6Pm1st4, 516, 8, Int64, CMMT_SQLST),
    RECORD_FIELD(CDB6Pm1st4, 524, 8, Int64, RBCK_SQLST),
    RECORD_FIELD(CDB6Pm1st4, 532, 8, Int64, SELC_SQLST),
    RECORD_FIELD(CDB6Pm1st4, 540, 8, Int64, UID_SQLST),
    RECORD_FIELD(CDB6Pm1st4, 548, 8, Int64, DYN_SQLST),
    RECORD_FIELD(CDB6Pm1st4, 556, 8, Int64, STC_SQLST),
    RECORD_FIELD(CDB6Pm1st4, 564, 8, Int64, FAIL_SQLST),
    RECORD_FIELD(CDB6Pm1st4, 572, 8, Int64, DDL_SQLST),
    RECORD_FIELD(CDB6Pm1st4, 580, 8, Int64, RW_DELETED),
    RECORD_FIELD(CDB6Pm1st4, 588, 8, Int64, RW_INSRTED),
    RECORD_FIELD(CDB6Pm1st4, 596, 8, Int64, RW_SELECED),
    RECORD_FIELD(CDB6Pm1st4, 604, 8, Int64, RW_UPDATED),
    RECORD_FIELD(CDB6Pm1st4, 612, 8, Int64, SORTHEAPSZ),
    RECORD_FIELD(CDB6Pm1st4, 620, 8, Int64, SRT_HP_ALO),
    RECORD_FIELD(CDB6Pm1st4, 628, 8, Int64, TOT_SORTS),
    RECORD_FIELD(CDB6Pm1st4, 636, 8, Int64, TOT_SRT_TM),
    RECORD_FIELD(CDB6Pm1st4, 644, 8, Double, AV_SORT_TM),
    RECORD_FIELD(CDB6Pm1st4, 652, 8, Int64, SRT_OF),
    RECORD_FIELD(CDB6Pm1st4, 660, 8, Int64, ACTIV_SORT),
    RECORD_FIELD(CDB6Pm1st4, 668, 8, Int64, DIRCT_RDS),
    RECORD_FIELD(CDB6Pm1st4, 676, 8, Int64, DIRCT_WTS),
    RECORD_FIELD(CDB6Pm1st4, 684, 8, Int64, DIRCT_RTM),
    RECORD_FIELD(CDB6Pm1st4, 692, 8, Int64, DIRCT_WTM),
    RECORD_FIELD(CDB6Pm1st4, 700, 8, Int64, DIRCT_RRQS),
    RECORD_FIELD(CDB6Pm1st4, 708, 8, Int64, DIRCT_WRQS),
    RECORD_FIELD(CDB6Pm1st4, 716, 8, Double, AV_DCT_RTM),
    RECORD_FIELD(CDB6Pm1st4, 724, 8, Double, AV_DCT_WTM),
    RECORD_FIELD(CDB6Pm1st4, 732, 8, Double, AV_DCT_RDS),
    RECORD_FIELD(CDB6Pm1st4, 740, 8, Double, AV_DCT_WTS),
    RECORD_FIELD(CDB6Pm1st4, 748, 8, Int64, PL_D_TE),
    RECORD_FIELD(CDB6Pm1st4, 756, 8, Int64, PL_D_FE),
    RECORD_FIELD(CDB6Pm1st4, 764, 8, Int64, PL_I_TE),
    RECORD_FIELD(CDB6Pm1st4, 772, 8, Int64, PL_I_FE),
    RECORD_FIELD(CDB6Pm1st4, 780, 8, Int64, TOT_LGUTOP),
    RECORD_FIELD(CDB6Pm1st4, 788, 8, Int64, SEC_LGUSTP),
    RECORD_FIELD(CDB6Pm1st4, 796, 8, Int64, SEC_LGALLO),
    RECORD_FIELD(CDB6Pm1st4, 804, 8, Int64, LOG_READS),
    RECORD_FIELD(CDB6Pm1st4, 812, 8, Int64, LOG_WRITES),
    RECORD_FIELD(CDB6Pm1st4, 820, 8, Int64, TOT_LGUSED),
    RECORD_FIELD(CDB6Pm1st4, 828, 8, Int64, TOT_LGAVL),
    RECORD_FIELD(CDB6Pm1st4, 836, 8, Int64, LOGFILSIZ),
    RECORD_FIELD(CDB6Pm1st4, 844, 8, Int64, LOGPRIMARY),
    RECORD_FIELD(CDB6Pm1st4, 852, 8, Int64, LOGSECOND),
    RECORD_FIELD(CDB6Pm1st4, 860, 8, Int64, TOT_HAJN),
    RECORD_FIELD(CDB6Pm1st4, 868, 8, Int64, TOT_HALOOP),
    RECORD_FIELD(CDB6Pm1st4, 876, 8, Int64, HAJN_OF),
    RECORD_FIELD(CDB6Pm1st4, 884, 8, Int64, HAJN_SM_OF),
    RECORD_FIELD(CDB6Pm1st4, 892, 8, Int64, PL_TD_LRS),
    RECORD_FIELD(CDB6Pm1st4, 900, 8, Int64, PL_TD_PRS),
    RECORD_FIELD(CDB6Pm1st4, 908, 8, Int64, PL_TI_LRS),
    RECORD_FIELD(CDB6Pm1st4, 916, 8, Int64, PL_TI_PRS),
    RECORD_FIELD(CDB6Pm1st4, 924, 8, Int64, PL_A_DRRQ),
    RECORD_FIELD(CDB6Pm1st4, 932, 8, Int64, PL_A_IRRQ),
    RECORD_FIELD(CDB6Pm1st4, 940, 8, Int64, CATCASZTOP),
    RECORD_FIELD(CDB6Pm1st4, 948, 8, Double, LSNGAP_PCT),
    RECORD_FIELD(CDB6Pm1st4, 956, 8, Double, RESTRTRNGE),
    RECORD_FIELD(CDB6Pm1st4, 964, 8, Double, AVGLWTPPAG),
    RECORD_FIELD(CDB6Pm1st4, 972, 8, Double, AVGLWTPIO),
    RECORD_FIELD(CDB6Pm1st4, 980, 8, Double, AVGLRTPPAG),
    RECORD_FIELD(CDB6Pm1st4, 988, 8, Double, AVGLRTPIO),
    RECORD_FIELD(CDB6Pm1st4, 996, 8, Double, LGBUFHITRT),
    RECORD_FIELD(CDB6Pm1st4, 1004, 8, Int64, LOGREADTS),
    RECORD_FIELD(CDB6Pm1st4, 1012, 8, Int64, LOGREADTNS),
    RECORD_FIELD(CDB6Pm1st4, 1020, 8, Int64, LOGWRITS),
    RECORD_FIELD(CDB6Pm1st4, 1028, 8, Int64, LOGWRITNS),
    RECORD_FIELD(CDB6Pm1st4, 1036, 8, Int64, NUMLOGWRIO),
    RECORD_FIELD(CDB6Pm1st4, 1044, 8, Int64, NUMLOGRDIO),
    RECORD_FIELD(CDB6Pm1st4, 1052, 8, Int64, NUMLOGPPIO),
    RECORD_FIELD(CDB6Pm1st4, 1060, 8, Int64, NUMLOGBFUL),
    RECORD_FIELD(CDB6Pm1st4, 1068, 8, Int64, NUMLOGDFND),
    RECORD_FIELD(CDB6Pm1st4, 1076, 8, Int64, LOGREDOREC),
    RECORD_FIELD(CDB6Pm1st4, 1084, 8, Int64, LOGHELDDTY),
    RECORD_FIELD(CDB6Pm1st4, 1092, 4, Int32, SOFTMAX),
    RECORD_FIELD(CDB6Pm1st4, 1096, 8, Int64, SCPERHOUR),
};
constexpr RecordLayout<CDB6Pm1st4> kDb6Pm1st4Layout{1104, kDb6Pm1st4Fields};
static_assert(kDb6Pm1st4Layout.IsValid());

// ".d6t": the row's COMPTIME, PARTITN and CALLERFLAG, not the imports of those names.
constexpr RecordField<CDB6PmTabspaceConfig> kDb6TablespaceFields[] = {
    RECORD_TIME(CDB6PmTabspaceConfig, 0),
    RECORD_FIELD(CDB6PmTabspaceConfig, 8, 28, Text, COL_COMPTIME),
    RECORD_FIELD(CDB6PmTabspaceConfig, 36, 4, Int32, COL_PARTITN),
    RECORD_FIELD(CDB6PmTabspaceConfig, 40, 8, Int64, TBS_ID),
    RECORD_FIELD(CDB6PmTabspaceConfig, 48, 2, Text, COL_CALLERFLAG),
    RECORD_FIELD(CDB6PmTabspaceConfig, 50, 28, Text, DBMSTRTTME),
    RECORD_FIELD(CDB6PmTabspaceConfig, 78, 40, Text, PRGVERS),
    RECORD_FIELD(CDB6PmTabspaceConfig, 118, 60, Text, TBS_NAME),
    RECORD_FIELD(CDB6PmTabspaceConfig, 178, 100, Text, TBS_TYPE),
    RECORD_FIELD(CDB6PmTabspaceConfig, 278, 100, Text, CONTENTS),
    RECORD_FIELD(CDB6PmTabspaceConfig, 378, 100, Text, TBSSTATE),
    RECORD_FIELD(CDB6PmTabspaceConfig, 478, 8, Int64, TOTALPAGES),
    RECORD_FIELD(CDB6PmTabspaceConfig, 486, 8, Int64, USABLEPGS),
    RECORD_FIELD(CDB6PmTabspaceConfig, 494, 8, Int64, PAGESIZE),
    RECORD_FIELD(CDB6PmTabspaceConfig, 502, 8, Int64, EXTSIZE),
    RECORD_FIELD(CDB6PmTabspaceConfig, 510, 8, Int64, PF_SZ),
    RECORD_FIELD(CDB6PmTabspaceConfig, 518, 8, Int64, NUM_CONT),
    RECORD_FIELD(CDB6PmTabspaceConfig, 526, 8, Int64, USEDPAGES),
    RECORD_FIELD(CDB6PmTabspaceConfig, 534, 8, Int64, FREEPAGES),
    RECORD_FIELD(CDB6PmTabspaceConfig, 542, 8, Int64, HGHWTRMRK),
    RECORD_FIELD(CDB6PmTabspaceConfig, 550, 6, Text, AUTOSTOR),
    RECORD_FIELD(CDB6PmTabspaceConfig, 556, 6, Text, AUTORESIZ),
    RECORD_FIELD(CDB6PmTabspaceConfig, 562, 8, Int64, INITSIZ),
    RECORD_FIELD(CDB6PmTabspaceConfig, 570, 8, Int64, CURRSIZ),
    RECORD_FIELD(CDB6PmTabspaceConfig, 578, 8, Int64, INCRSIZABS),
    RECORD_FIELD(CDB6PmTabspaceConfig, 586, 8, Int64, INCRSIZPCT),
    RECORD_FIELD(CDB6PmTabspaceConfig, 594, 28, Text, LASTRESIZ),
    RECORD_FIELD(CDB6PmTabspaceConfig, 622, 4, Int32, LASTRSZFAI),
    RECORD_FIELD(CDB6PmTabspaceConfig, 626, 8, Int64, MAX_SIZE),
};
constexpr RecordLayout<CDB6PmTabspaceConfig> kDb6TablespaceLayout{634, kDb6TablespaceFields};
static_assert(kDb6TablespaceLayout.IsValid());
} // namespace

void CRfcClient::GetOraMainList()
{
    if (CDbOraMainList* pList = Prepare(m_pOraMainList))
    {
        pList->SetImportParameters();
        pList->CallFunctionModule(this);
        pList->GetExportParameters();
    }
}

void CRfcClient::WriteOraMainListFile()
{
    WriteRecord(m_pOraMainList, fileOraMainList, SessionFileMode::Snapshot, kOraMainListLayout);
}

void CRfcClient::GetOraFillTD110()
{
    const bool bNew = m_pOraFillTD110 == nullptr;
    CDB02OraFillTD110* pFill = Prepare(m_pOraFillTD110);
    // The segment table is large and never written: switched off once for the reader's life.
    if (bNew && m_pOraFillTD110 != nullptr && m_pOraFillTD110->GetFunctionHandle() != nullptr)
        m_pOraFillTD110->SetParameterActive(_T("SEGMT"), FALSE);
    if (pFill == nullptr)
        return;
    pFill->FLAG_REFRESH = _T("Y");
    pFill->SetImportParameters();
    pFill->CallFunctionModule(this);
    pFill->GetExportParameters();
}

void CRfcClient::WriteOraFillTD110File()
{
    WriteRecord(m_pOraFillTD110, fileOraFillTD110, SessionFileMode::Snapshot, kOraFillTD110Layout);
}

// The rows of the two DB6 readers are read by their writers.
void CRfcClient::GetDb6Pm1st4()
{
    if (CDB6Pm1st4* pSnapshot = Prepare(m_pDb6Pm1st4))
    {
        pSnapshot->ACTION = _T("12");
        pSnapshot->SetImportParameters();
        pSnapshot->CallFunctionModule(this);
    }
}

// The baseline end is the database's, so that an instance thread taking over its task keeps the
// baseline that an earlier one wrote.
void CRfcClient::WriteDb6Pm1st4File()
{
    WriteTable(m_pDb6Pm1st4, fileDb6Pm1st4, SessionFileMode::BaselineAndLatest, _T("IT_DB6PM1ST4"), kDb6Pm1st4Layout,
               &m_pBaselines->nDb6Pm1st4);
}

void CRfcClient::GetDb6TablespaceConfig()
{
    if (CDB6PmTabspaceConfig* pTablespaces = Prepare(m_pDb6TablespaceConfig))
    {
        pTablespaces->ACTION = _T("1");
        pTablespaces->SetImportParameters();
        pTablespaces->CallFunctionModule(this);
    }
}

void CRfcClient::WriteDb6TablespaceFile()
{
    WriteTable(m_pDb6TablespaceConfig, fileDb6Tablespaces, SessionFileMode::BaselineAndLatest, _T("IT_DB6PMCP"),
               kDb6TablespaceLayout, &m_pBaselines->nDb6Tablespaces);
}
