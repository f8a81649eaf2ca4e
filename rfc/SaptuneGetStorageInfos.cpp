#include <rfc/SaptuneGetStorageInfos.h>

IMPLEMENT_DYNAMIC(CSaptuneGetStorageInfos, CBaseRfc)

namespace
{
const RfcText<CSaptuneGetStorageInfos> kImports[] = {
    RFC_IMPORT(CSaptuneGetStorageInfos, DESTINATION, "NONE"),
};
const RfcText<CSaptuneGetStorageInfos> kExports[] = {
    RFC_TEXT(CSaptuneGetStorageInfos, SHM_TOTAL_USED), RFC_TEXT(CSaptuneGetStorageInfos, SHM_TOTAL),
    RFC_TEXT(CSaptuneGetStorageInfos, SHM_ASIZE_USED), RFC_TEXT(CSaptuneGetStorageInfos, SHM_TOTAL_NOT_USED),
    RFC_TEXT(CSaptuneGetStorageInfos, ROLL_AREA),      RFC_TEXT(CSaptuneGetStorageInfos, EXT_MEM),
    RFC_TEXT(CSaptuneGetStorageInfos, USE_PAGING),     RFC_TEXT(CSaptuneGetStorageInfos, HEAP_AREA_TOTAL),
    RFC_TEXT(CSaptuneGetStorageInfos, PAGE_BUFSZ),     RFC_TEXT(CSaptuneGetStorageInfos, SHORT_ST),
    RFC_TEXT(CSaptuneGetStorageInfos, DW_TEXT),        RFC_TEXT(CSaptuneGetStorageInfos, DW_DATA),
    RFC_TEXT(CSaptuneGetStorageInfos, DW_BSS),         RFC_TEXT(CSaptuneGetStorageInfos, DW_ERROR),
    RFC_TEXT(CSaptuneGetStorageInfos, VMEM_SIZE),      RFC_TEXT(CSaptuneGetStorageInfos, VMEM_SIZE_WP),
    RFC_TEXT(CSaptuneGetStorageInfos, WP_NUMBER),      RFC_TEXT(CSaptuneGetStorageInfos, CURSOR_CACHE),
    RFC_TEXT(CSaptuneGetStorageInfos, NUM_SHMS),       RFC_TEXT(CSaptuneGetStorageInfos, OP_SYS),
    RFC_TEXT(CSaptuneGetStorageInfos, WP_ALL),         RFC_TEXT(CSaptuneGetStorageInfos, ANALYSIS_TIME),
    RFC_TEXT(CSaptuneGetStorageInfos, ANALYSIS_DATE),
};
const RfcTextGroup<CSaptuneGetStorageInfos> kExportGroups[] = {
    {nullptr, kExports},
};
const RfcText<CSaptuneGetStorageInfos> kShmPoolsColumns[] = {
    RFC_TEXT(CSaptuneGetStorageInfos, P_NUM),
    RFC_TEXT(CSaptuneGetStorageInfos, PSIZE),
    RFC_TEXT(CSaptuneGetStorageInfos, PSIZE_USED),
    RFC_TEXT(CSaptuneGetStorageInfos, PSIZE_NUSE),
};
const RfcText<CSaptuneGetStorageInfos> kShmTableColumns[] = {
    {_T("SHMKEY"), &CSaptuneGetStorageInfos::SHMTABLE_SHMKEY},
    RFC_TEXT(CSaptuneGetStorageInfos, SIZE),
    RFC_TEXT(CSaptuneGetStorageInfos, PTR),
    RFC_TEXT(CSaptuneGetStorageInfos, FILL),
    RFC_TEXT(CSaptuneGetStorageInfos, PATTERN),
    RFC_TEXT(CSaptuneGetStorageInfos, OSKEY),
    RFC_TEXT(CSaptuneGetStorageInfos, HANDLE),
    RFC_TEXT(CSaptuneGetStorageInfos, ATTACH),
};
const RfcText<CSaptuneGetStorageInfos> kShmTextsColumns[] = {
    {_T("SHMKEY"), &CSaptuneGetStorageInfos::SHM_TEXTS_SHMKEY},
    RFC_TEXT(CSaptuneGetStorageInfos, SHMNAME),
};
const RfcTextGroup<CSaptuneGetStorageInfos> kTables[] = {
    {_T("SHM_POOLS"), kShmPoolsColumns},
    {_T("SHMTABLE"), kShmTableColumns},
    {_T("SHM_TEXTS"), kShmTextsColumns},
};
} // namespace

CSaptuneGetStorageInfos::CSaptuneGetStorageInfos(CRfcConnection* pConnection)
    : CBaseRfc(pConnection, _T("SAPTUNE_GET_STORAGE_INFOS"))
{
    SetDefaults(*this, kImports);
}

void CSaptuneGetStorageInfos::SetImportParameters()
{
    SetStrings(GetFunctionHandle(), *this, kImports);
}

void CSaptuneGetStorageInfos::GetExportParameters()
{
    GetExports(*this, kExportGroups);
}

void CSaptuneGetStorageInfos::OnTableRow(LPCTSTR lpszTable, unsigned nRow)
{
    ReadTableRow(*this, lpszTable, nRow, kTables);
}
