// Reads the shared memory, roll and paging areas and process memory of an instance
// ("SAPTUNE_GET_STORAGE_INFOS").
#pragma once

#include <rfc/BaseRfc.h>

class CSaptuneGetStorageInfos : public CBaseRfc
{
    DECLARE_DYNAMIC(CSaptuneGetStorageInfos)
public:
    explicit CSaptuneGetStorageInfos(CRfcConnection* pConnection);

    void SetImportParameters();
    void GetExportParameters();
    void OnTableRow(LPCTSTR lpszTable, unsigned nRow) override;

    CString DESTINATION;
    CString SHM_TOTAL_USED;
    CString SHM_TOTAL;
    CString SHM_ASIZE_USED;
    CString SHM_TOTAL_NOT_USED;
    CString ROLL_AREA;
    CString EXT_MEM;
    CString USE_PAGING;
    CString HEAP_AREA_TOTAL;
    CString PAGE_BUFSZ;
    CString SHORT_ST;
    CString DW_TEXT;
    CString DW_DATA;
    CString DW_BSS;
    CString DW_ERROR;
    CString VMEM_SIZE;
    CString VMEM_SIZE_WP;
    CString WP_NUMBER;
    CString CURSOR_CACHE;
    CString NUM_SHMS;
    CString OP_SYS;
    CString WP_ALL;
    CString ANALYSIS_TIME;
    CString ANALYSIS_DATE;
    // "SHM_POOLS", the row read last
    CString P_NUM;
    CString PSIZE;
    CString PSIZE_USED;
    CString PSIZE_NUSE;
    // "SHMTABLE", the row read last
    CString SHMTABLE_SHMKEY;
    CString SIZE;
    CString PTR;
    CString FILL;
    CString PATTERN;
    CString OSKEY;
    CString HANDLE;
    CString ATTACH;
    // "SHM_TEXTS", the row read last
    CString SHM_TEXTS_SHMKEY;
    CString SHMNAME;
};
