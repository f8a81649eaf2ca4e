// Reads the figures of each disk of a host ("GET_DISK_SINGLE").
#pragma once

#include <rfc/BaseRfc.h>
#include <rfc/CollectorStatus.h>

class CGetDiskSingle : public CBaseRfc
{
    DECLARE_DYNAMIC(CGetDiskSingle)
public:
    explicit CGetDiskSingle(CRfcConnection* pConnection);

    void SetImportParameters();
    void GetExportParameters();
    void OnTableRow(LPCTSTR lpszTable, unsigned nRow) override;

    CString LOCAL_REMOTE;
    CString LOGICAL_DESTINATION;
    CCollectorStatus m_status;
    // "TF_DISK_SINGLE", the row read last
    CString TYPE;
    CString SUBTYPE;
    CString SERIALNR;
    CString DISKNAME;
    CString UTIL;
    CString AVG_QUEUEL;
    CString AVG_WAIT;
    CString AVG_SERVIC;
    CString KB_SEC;
    CString OP_SEC;
    CString RESPONSE;
};
