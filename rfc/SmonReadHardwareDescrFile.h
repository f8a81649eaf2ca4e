// Reads a hardware description file that the host's collector has written ("SMON_READ_HARDWARE_DESCR_FILE").
#pragma once

#include <rfc/BaseRfc.h>

class CSmonReadHardwareDescrFile : public CBaseRfc
{
    DECLARE_DYNAMIC(CSmonReadHardwareDescrFile)
public:
    explicit CSmonReadHardwareDescrFile(CRfcConnection* pConnection);

    void SetImportParameters();
    void OnTableRow(LPCTSTR lpszTable, unsigned nRow) override;

    CString FILE_NAME;
    // "HW_OBJECT_DESCR_TBL", the row read last
    CString DESCR;
};
