#include <collector/RfcClient.h>
#include <collector/SessionTime.h>
#include <rfc/SaptuneGetStorageInfos.h>
#include <rfc/SaptuneGetSummaryStatistic.h>

namespace
{
// The export parameters in alphabetical order.
constexpr RecordField<CSaptuneGetStorageInfos> kStorageInfosFields[] = {
    RECORD_FIELD(CSaptuneGetStorageInfos, 0, 4, Int32, DW_BSS),
    RECORD_FIELD(CSaptuneGetStorageInfos, 4, 4, Int32, DW_DATA),
    RECORD_FIELD(CSaptuneGetStorageInfos, 8, 4, Int32, DW_ERROR),
    RECORD_FIELD(CSaptuneGetStorageInfos, 12, 4, Int32, DW_TEXT),
    RECORD_FIELD(CSaptuneGetStorageInfos, 16, 4, Int32, EXT_MEM),
    RECORD_FIELD(CSaptuneGetStorageInfos, 20, 8, Int64, HEAP_AREA_TOTAL),
    RECORD_FIELD(CSaptuneGetStorageInfos, 28, 4, Int32, NUM_SHMS),
    RECORD_FIELD(CSaptuneGetStorageInfos, 32, 4, Int32, PAGE_BUFSZ),
    RECORD_FIELD(CSaptuneGetStorageInfos, 36, 4, Int32, ROLL_AREA),
    RECORD_FIELD(CSaptuneGetStorageInfos, 40, 4, Int32, SHM_ASIZE_USED),
    RECORD_FIELD(CSaptuneGetStorageInfos, 44, 4, Int32, SHM_TOTAL),
    RECORD_FIELD(CSaptuneGetStorageInfos, 48, 4, Int32, SHM_TOTAL_NOT_USED),
    RECORD_FIELD(CSaptuneGetStorageInfos, 52, 4, Int32, SHM_TOTAL_USED),
    RECORD_FIELD(CSaptuneGetStorageInfos, 56, 4, Int32, SHORT_ST),
    RECORD_FIELD(CSaptuneGetStorageInfos, 60, 4, Int32, USE_PAGING),
    RECORD_FIELD(CSaptuneGetStorageInfos, 64, 4, Int32, VMEM_SIZE),
    RECORD_FIELD(CSaptuneGetStorageInfos, 68, 4, Int32, VMEM_SIZE_WP),
    RECORD_FIELD(CSaptuneGetStorageInfos, 72, 4, Int32, WP_ALL),
    RECORD_FIELD(CSaptuneGetStorageInfos, 76, 4, Int32, WP_NUMBER),
};
constexpr RecordLayout<CSaptuneGetStorageInfos> kStorageInfosLayout{80, kStorageInfosFields};
static_assert(kStorageInfosLayout.IsValid());

// The structures in alphabetical order; the time is the analysis time of the result.
constexpr RecordField<CSaptuneGetSummaryStatistic> kSummaryFields[] = {
    RECORD_TIME(CSaptuneGetSummaryStatistic, 0),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 8, 8, Double, DB_ACCESSES_UPDATE),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 16, 8, Double, DB_ACCESSES_DELETE),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 24, 8, Double, DB_ACCESSES_INSERT),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 32, 8, Double, DB_ACCESSES_DIRECT),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 40, 8, Double, DB_ACCESSES_SEQUENTIAL),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 48, 4, Int32, EXTENDED_MEMORY_USAGE_ATTACHED),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 52, 4, Int32, EXTENDED_MEMORY_USAGE_ALLOCATED),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 56, 4, Int32, EXTENDED_MEMORY_USAGE_USED),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 60, 4, Int32, EXTENDED_MEMORY_USAGE_TOTAL),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 64, 4, Int32, EXTENDED_MEMORY_USAGE_QUOTA_DIA),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 68, 4, Int32, EXTENDED_MEMORY_USAGE_QUOTA_NDIA),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 72, 8, Int64, EXTENDED_MEMORY_USAGE_QUOTA_DIA_64),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 80, 8, Int64, EXTENDED_MEMORY_USAGE_QUOTA_NDIA_64),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 88, 4, Int32, HEAP_MEMORY_USAGE_USED),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 92, 4, Int32, HEAP_MEMORY_USAGE_TOTAL),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 96, 4, Int32, HEAP_MEMORY_USAGE_QUOTA_DIA),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 100, 4, Int32, HEAP_MEMORY_USAGE_QUOTA_NDIA),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 104, 4, Int32, HEAP_MEMORY_USAGE_TOTAL_DIA),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 108, 4, Int32, HEAP_MEMORY_USAGE_TOTAL_NDIA),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 112, 8, Int64, HEAP_MEMORY_USAGE_QUOTA_DIA_64),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 120, 8, Int64, HEAP_MEMORY_USAGE_QUOTA_NDIA_64),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 128, 4, Int32, LOGIC_ACCESSES_UPDCNT),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 132, 4, Int32, LOGIC_ACCESSES_UPDFAIL),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 136, 4, Int32, LOGIC_ACCESSES_DELCNT),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 140, 4, Int32, LOGIC_ACCESSES_DELFAIL),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 144, 4, Int32, LOGIC_ACCESSES_INSCNT),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 148, 4, Int32, LOGIC_ACCESSES_INSFAIL),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 152, 4, Int32, LOGIC_ACCESSES_DIRCNT),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 156, 4, Int32, LOGIC_ACCESSES_DIRFAIL),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 160, 4, Int32, LOGIC_ACCESSES_SEQCNT),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 164, 4, Int32, PAGING_AREA_AREA_WP),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 168, 4, Int32, PAGING_AREA_AREA_SHM),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 172, 4, Int32, PAGING_AREA_AREA_SIZE),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 176, 4, Int32, PAGING_AREA_CURR_USED),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 180, 4, Int32, PAGING_AREA_MAX_USED),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 184, 4, Int32, PAGING_AREA_FILE_SIZE),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 188, 4, Int32, PAGING_AREA_QUOTA_DIA),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 192, 4, Int32, PAGING_AREA_QUOTA_NDIA),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 196, 8, Int64, PAGING_AREA_QUOTA_DIA_64),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 204, 8, Int64, PAGING_AREA_QUOTA_NDIA_64),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 212, 4, Int32, PXA_INFO_GAPS),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 216, 4, Int32, PXA_INFO_PRG_GEN),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 220, 4, Int32, ROLL_AREA_AREA_WP),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 224, 4, Int32, ROLL_AREA_AREA_SHM),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 228, 4, Int32, ROLL_AREA_AREA_SIZE),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 232, 4, Int32, ROLL_AREA_CURR_USED),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 236, 4, Int32, ROLL_AREA_MAX_USED),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 240, 4, Int32, ROLL_AREA_FILE_SIZE),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 244, 4, Int32, ROLL_AREA_QUOTA_DIA),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 248, 4, Int32, ROLL_AREA_QUOTA_NDIA),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 252, 8, Int64, ROLL_AREA_QUOTA_DIA_64),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 260, 8, Int64, ROLL_AREA_QUOTA_NDIA_64),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 268, 8, Double, SAP_CURSOR_CACHE_TOTAL_ID_REQ),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 276, 8, Double, SAP_CURSOR_CACHE_TOTAL_ID_HITS),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 284, 8, Double, SAP_CURSOR_CACHE_TOTAL_ID_HITR),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 292, 8, Double, SAP_CURSOR_CACHE_TOTAL_ID_FREE),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 300, 8, Double, SAP_CURSOR_CACHE_TOTAL_ID_MAX),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 308, 8, Double, SAP_CURSOR_CACHE_TOTAL_ID_INS),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 316, 8, Double, SAP_CURSOR_CACHE_TOTAL_ID_DEL),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 324, 8, Double, SAP_CURSOR_CACHE_TOTAL_STMT_REQ),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 332, 8, Double, SAP_CURSOR_CACHE_TOTAL_STMT_HITS),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 340, 8, Double, SAP_CURSOR_CACHE_TOTAL_STMT_HITR),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 348, 8, Double, SAP_CURSOR_CACHE_TOTAL_STMT_FREE),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 356, 8, Double, SAP_CURSOR_CACHE_TOTAL_STMT_MAX),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 364, 8, Double, SAP_CURSOR_CACHE_TOTAL_STMT_INS),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 372, 8, Double, SAP_CURSOR_CACHE_TOTAL_STMT_DEL),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 380, 8, Double, TOTAL_DURATIONS_UPDATE),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 388, 8, Double, TOTAL_DURATIONS_DELETE),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 396, 8, Double, TOTAL_DURATIONS_INSERT),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 404, 8, Double, TOTAL_DURATIONS_DIRECT),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 412, 8, Double, TOTAL_DURATIONS_SEQUENTIAL),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 420, 8, Double, TOTAL_HITRATIO_DIRECT),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 428, 8, Double, TOTAL_HITRATIO_SEQUENTIAL),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 436, 8, Double, TOTAL_HITRATIO_AVERAGE),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 444, 8, Int64, TOTAL_OPERATIONS_REQUESTS),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 452, 8, Int64, TOTAL_OPERATIONS_FAILS),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 460, 8, Int64, TOTAL_OPERATIONS_CALLS),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 468, 8, Int64, TOTAL_OPERATIONS_ROWS),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 476, 8, Double, TOTAL_ROWS_UPDATE),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 484, 8, Double, TOTAL_ROWS_DELETE),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 492, 8, Double, TOTAL_ROWS_INSERT),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 500, 8, Double, TOTAL_ROWS_DIRECT),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 508, 8, Double, TOTAL_ROWS_SEQUENTIAL),
};
constexpr RecordLayout<CSaptuneGetSummaryStatistic> kSummaryLayout{516, kSummaryFields};
static_assert(kSummaryLayout.IsValid());

constexpr RecordField<CSaptuneGetSummaryStatistic> kTableStatisticFields[] = {
    RECORD_TIME(CSaptuneGetSummaryStatistic, 0),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 8, 8, Int64, TABLE_STATISTIC_UPDCNT),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 16, 8, Int64, TABLE_STATISTIC_UPDFAIL),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 24, 8, Int64, TABLE_STATISTIC_DELCNT),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 32, 8, Int64, TABLE_STATISTIC_DELFAIL),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 40, 8, Int64, TABLE_STATISTIC_INSCNT),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 48, 8, Int64, TABLE_STATISTIC_INSFAIL),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 56, 8, Int64, TABLE_STATISTIC_DIRCNT),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 64, 8, Int64, TABLE_STATISTIC_DIRFAIL),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 72, 8, Int64, TABLE_STATISTIC_SEQCNT),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 80, 8, Int64, TABLE_STATISTIC_SEQFAIL),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 88, 8, Int64, TABLE_STATISTIC_UPD_PREP),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 96, 8, Int64, TABLE_STATISTIC_UPD_EXEC),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 104, 8, Int64, TABLE_STATISTIC_UPD_ROW),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 112, 8, Int64, TABLE_STATISTIC_UPD_DUR),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 120, 8, Int64, TABLE_STATISTIC_DEL_PREP),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 128, 8, Int64, TABLE_STATISTIC_DEL_EXEC),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 136, 8, Int64, TABLE_STATISTIC_DEL_ROW),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 144, 8, Int64, TABLE_STATISTIC_DEL_DUR),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 152, 8, Int64, TABLE_STATISTIC_INS_PREP),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 160, 8, Int64, TABLE_STATISTIC_INS_EXEC),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 168, 8, Int64, TABLE_STATISTIC_INS_ROW),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 176, 8, Int64, TABLE_STATISTIC_INS_DUR),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 184, 8, Int64, TABLE_STATISTIC_DIR_PREP),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 192, 8, Int64, TABLE_STATISTIC_DIR_OPEN),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 200, 8, Int64, TABLE_STATISTIC_DIR_FETCH),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 208, 8, Int64, TABLE_STATISTIC_DIR_DUR),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 216, 8, Int64, TABLE_STATISTIC_SEQ_PREP),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 224, 8, Int64, TABLE_STATISTIC_SEQ_OPEN),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 232, 8, Int64, TABLE_STATISTIC_SEQ_FETCH),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 240, 8, Int64, TABLE_STATISTIC_SEQ_ROW),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 248, 8, Int64, TABLE_STATISTIC_SEQ_DUR),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 256, 8, Int64, TABLE_STATISTIC_LOAD_PREP),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 264, 8, Int64, TABLE_STATISTIC_LOAD_OPEN),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 272, 8, Int64, TABLE_STATISTIC_LOAD_FETCH),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 280, 8, Int64, TABLE_STATISTIC_LOAD_ROW),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 288, 8, Int64, TABLE_STATISTIC_LOAD_DUR),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 296, 8, Int64, TABLE_STATISTIC_BUF_RESET),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 304, 8, Int64, TABLE_STATISTIC_BUF_SIZE),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 312, 8, Int64, TABLE_STATISTIC_BUF_SIZEMX),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 320, 8, Int64, TABLE_STATISTIC_BUF_RECS),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 328, 8, Int64, TABLE_STATISTIC_BUF_RECSMX),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 336, 8, Int64, TABLE_STATISTIC_BUF_DIR),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 344, 8, Int64, TABLE_STATISTIC_BUF_SEQ),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 352, 8, Int64, TABLE_STATISTIC_REGIONS_N),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 360, 8, Int64, TABLE_STATISTIC_SEQ_SCAN),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 368, 60, Text, TABLE_STATISTIC_TNAME),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 428, 2, Text, TABLE_STATISTIC_REF),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 430, 60, Text, TABLE_STATISTIC_RNAME),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 490, 2, Text, TABLE_STATISTIC_BUF),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 492, 2, Text, TABLE_STATISTIC_SQL),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 494, 2, Text, TABLE_STATISTIC_BUF_STATE),
};
constexpr RecordLayout<CSaptuneGetSummaryStatistic> kTableStatisticLayout{496, kTableStatisticFields};
static_assert(kTableStatisticLayout.IsValid());

constexpr RecordField<CSaptuneGetSummaryStatistic> kBufferStatisticFields[] = {
    RECORD_TIME(CSaptuneGetSummaryStatistic, 0),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 8, 4, Int32, BUFFER_STATISTIC_ALLOC_SIZE),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 12, 4, Int32, BUFFER_STATISTIC_AVAIL_SIZE),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 16, 4, Int32, BUFFER_STATISTIC_FRAME_SIZE),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 20, 4, Int32, BUFFER_STATISTIC_MAX_OBJCTS),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 24, 4, Int32, BUFFER_STATISTIC_HASH_WIDTH),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 28, 4, Int32, BUFFER_STATISTIC_CUT_VALUE),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 32, 4, Int32, BUFFER_STATISTIC_ACT_OBJCTS),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 36, 4, Int32, BUFFER_STATISTIC_CON_OBJCTS),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 40, 4, Int32, BUFFER_STATISTIC_USED_SPACE),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 44, 4, Int32, BUFFER_STATISTIC_MAX_FRMES),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 48, 4, Int32, BUFFER_STATISTIC_ALLOC_FRMS),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 52, 4, Int32, BUFFER_STATISTIC_REQUEST),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 56, 4, Int32, BUFFER_STATISTIC_HIT),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 60, 4, Int32, BUFFER_STATISTIC_OBJ_N_FND),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 64, 4, Int32, BUFFER_STATISTIC_INSERT),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 68, 4, Int32, BUFFER_STATISTIC_UPDATE),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 72, 4, Int32, BUFFER_STATISTIC_REQ_DELETE),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 76, 4, Int32, BUFFER_STATISTIC_DELETE),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 80, 4, Int32, BUFFER_STATISTIC_FREE_OBJCT),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 84, 4, Int32, BUFFER_STATISTIC_DB_ACCESS),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 88, 4, Int32, BUFFER_STATISTIC_DB_ACC_SVD),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 92, 4, Int32, BUFFER_STATISTIC_REORG),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 96, 4, Int32, BUFFER_STATISTIC_SWAP),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 100, 4, Int32, BUFFER_STATISTIC_SWAP_FRAME),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 104, 4, Int32, BUFFER_STATISTIC_SEARCH),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 108, 4, Int32, BUFFER_STATISTIC_SEARCH_INS),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 112, 4, Int32, BUFFER_STATISTIC_SUM_SIZE),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 116, 4, Int32, BUFFER_STATISTIC_SUM_SIZE2),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 120, 4, Int32, BUFFER_STATISTIC_MAX_SIZE),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 124, 4, Int32, BUFFER_STATISTIC_MIN_SIZE),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 128, 4, Int32, BUFFER_STATISTIC_REFRESH),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 132, 4, Int32, BUFFER_STATISTIC_SIZE_UNIT),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 136, 4, Int32, BUFFER_STATISTIC_RESERVE),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 140, 2, Text, BUFFER_STATISTIC_ALLOC),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 142, 2, Text, BUFFER_STATISTIC_SMODE),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 144, 28, Text, BUFFER_STATISTIC_UP_TIME),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 172, 28, Text, BUFFER_STATISTIC_LAST_REFR),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 200, 10, Text, BUFFER_STATISTIC_NAME),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 210, 8, Double, BUFFER_STATISTIC_HITRATIO),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 218, 8, Double, BUFFER_STATISTIC_DB_QUALITY),
};
constexpr RecordLayout<CSaptuneGetSummaryStatistic> kBufferStatisticLayout{226, kBufferStatisticFields};
static_assert(kBufferStatisticLayout.IsValid());

constexpr RecordField<CSaptuneGetSummaryStatistic> kTableQualitiesFields[] = {
    RECORD_TIME(CSaptuneGetSummaryStatistic, 0),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 8, 60, Text, TABLE_QUALITIES_TNAME),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 68, 8, Double, TABLE_QUALITIES_Q_DIRECTRD),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 76, 8, Double, TABLE_QUALITIES_Q_SEQRD),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 84, 8, Double, TABLE_QUALITIES_Q_TOTAL),
};
constexpr RecordLayout<CSaptuneGetSummaryStatistic> kTableQualitiesLayout{92, kTableQualitiesFields};
static_assert(kTableQualitiesLayout.IsValid());

constexpr RecordField<CSaptuneGetSummaryStatistic> kCursorCacheFields[] = {
    RECORD_TIME(CSaptuneGetSummaryStatistic, 0),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 8, 4, Int32, CURSOR_CACHE_INFO_WRKPROCESS),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 12, 4, Int32, CURSOR_CACHE_INFO_SI_MAX),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 16, 4, Int32, CURSOR_CACHE_INFO_SI_REQUEST),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 20, 4, Int32, CURSOR_CACHE_INFO_SI_FOUNDS),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 24, 4, Int32, CURSOR_CACHE_INFO_SI_INSERTS),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 28, 4, Int32, CURSOR_CACHE_INFO_SI_DELETES),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 32, 4, Int32, CURSOR_CACHE_INFO_SI0_REQ),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 36, 4, Int32, CURSOR_CACHE_INFO_S_MAX),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 40, 4, Int32, CURSOR_CACHE_INFO_S_REQUEST),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 44, 4, Int32, CURSOR_CACHE_INFO_S_FOUNDS),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 48, 4, Int32, CURSOR_CACHE_INFO_S_INSERTS),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 52, 4, Int32, CURSOR_CACHE_INFO_S_DELETES),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 56, 4, Int32, CURSOR_CACHE_INFO_S_REPARSES),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 60, 4, Int32, CURSOR_CACHE_INFO_WP_ITYPE),
    RECORD_FIELD(CSaptuneGetSummaryStatistic, 64, 16, Text, CURSOR_CACHE_INFO_WP_PID),
};
constexpr RecordLayout<CSaptuneGetSummaryStatistic> kCursorCacheLayout{80, kCursorCacheFields};
static_assert(kCursorCacheLayout.IsValid());
} // namespace

void CRfcClient::GetStorageInfos()
{
    if (CSaptuneGetStorageInfos* pInfos = Prepare(m_pStorageInfos))
    {
        pInfos->SetImportParameters();
        pInfos->CallFunctionModule(this);
        pInfos->GetExportParameters();
    }
}

void CRfcClient::WriteStorageInfosFile()
{
    WriteRecord(m_pStorageInfos, fileStorageInfos, SessionFileMode::Snapshot, kStorageInfosLayout);
}

void CRfcClient::GetSummaryStatistic()
{
    if (CSaptuneGetSummaryStatistic* pSummary = Prepare(m_pSummaryStatistic))
    {
        pSummary->SetImportParameters();
        pSummary->CallFunctionModule(this);
        pSummary->GetExportParameters();
    }
}

void CRfcClient::WriteSummaryFile()
{
    CSaptuneGetSummaryStatistic* pSummary = Result(m_pSummaryStatistic);
    if (pSummary == nullptr)
        return;
    // Opened first: a result without a valid analysis time leaves the file empty.
    CSessionFile file(m_strFiles[fileSummary], SessionFileMode::Snapshot, *this);
    if (!file.IsOpen())
        return;
    const __time64_t nAnalysisTime = LocalDateTime(pSummary->ANALYSIS_DATE, pSummary->ANALYSIS_TIME);
    CSessionRecord record(kSummaryLayout.nSize);
    record.Fill(*pSummary, kSummaryLayout, nAnalysisTime);
    file.Write(record);
}

void CRfcClient::WriteTableStatisticFile()
{
    WriteTable(m_pSummaryStatistic, fileTableStatistics, SessionFileMode::Snapshot, _T("TABLE_STATISTIC"),
               kTableStatisticLayout);
}

void CRfcClient::WriteBufferStatisticFile()
{
    WriteTable(m_pSummaryStatistic, fileBufferStatistics, SessionFileMode::Snapshot, _T("BUFFER_STATISTIC"),
               kBufferStatisticLayout);
}

void CRfcClient::WriteTableQualitiesFile()
{
    WriteTable(m_pSummaryStatistic, fileTableQualities, SessionFileMode::Snapshot, _T("TABLE_QUALITIES"),
               kTableQualitiesLayout);
}

void CRfcClient::WriteCursorCacheFile()
{
    WriteTable(m_pSummaryStatistic, fileCursorCache, SessionFileMode::Snapshot, _T("CURSOR_CACHE_INFO"),
               kCursorCacheLayout);
}
