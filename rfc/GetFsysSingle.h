// Reads the size and free space of each file system of a host ("GET_FSYS_SINGLE").
#pragma once

#include <rfc/BaseRfc.h>
#include <rfc/CollectorStatus.h>

class CGetFsysSingle : public CBaseRfc
{
    DECLARE_DYNAMIC(CGetFsysSingle)
public:
    explicit CGetFsysSingle(CRfcConnection* pConnection);

    void SetImportParameters();
    void GetExportParameters();
    void OnTableRow(LPCTSTR lpszTable, unsigned nRow) override;

    CString LOCAL_REMOTE;
    CString LOGICAL_DESTINATION;
    CCollectorStatus m_status;
    // "TF_FSYS_SINGLE", the row read last
    CString TYPE;
    CString SUBTYPE;
    CString SERIALNR;
    CString FSYSNAME;
    CString CAPACITY;
    CString FREE;
};
