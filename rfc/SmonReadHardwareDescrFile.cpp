#include <rfc/SmonReadHardwareDescrFile.h>

IMPLEMENT_DYNAMIC(CSmonReadHardwareDescrFile, CBaseRfc)

namespace
{
const RfcText<CSmonReadHardwareDescrFile> kImports[] = {
    RFC_IMPORT(CSmonReadHardwareDescrFile, FILE_NAME, ""),
};
const RfcText<CSmonReadHardwareDescrFile> kHwObjectDescrTblColumns[] = {
    RFC_TEXT(CSmonReadHardwareDescrFile, DESCR),
};
const RfcTextGroup<CSmonReadHardwareDescrFile> kTables[] = {
    {_T("HW_OBJECT_DESCR_TBL"), kHwObjectDescrTblColumns},
};
} // namespace

CSmonReadHardwareDescrFile::CSmonReadHardwareDescrFile(CRfcConnection* pConnection)
    : CBaseRfc(pConnection, _T("SMON_READ_HARDWARE_DESCR_FILE"))
{
    SetDefaults(*this, kImports);
}

void CSmonReadHardwareDescrFile::SetImportParameters()
{
    SetStrings(GetFunctionHandle(), *this, kImports);
}

void CSmonReadHardwareDescrFile::OnTableRow(LPCTSTR lpszTable, unsigned nRow)
{
    ReadTableRow(*this, lpszTable, nRow, kTables);
}
