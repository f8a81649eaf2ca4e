// Reads the busiest processes of a host ("GET_TOP_SINGLE").
#pragma once

#include <rfc/BaseRfc.h>
#include <rfc/CollectorStatus.h>

class CGetTopSingle : public CBaseRfc
{
    DECLARE_DYNAMIC(CGetTopSingle)
public:
    explicit CGetTopSingle(CRfcConnection* pConnection);

    void SetImportParameters();
    void GetExportParameters();
    void OnTableRow(LPCTSTR lpszTable, unsigned nRow) override;

    CString LOCAL_REMOTE;
    CString LOGICAL_DESTINATION;
    CCollectorStatus m_status;
    // "TF_TOP_SINGLE", the row read last
    CString TYPE;
    CString SUBTYPE;
    CString SERIALNR;
    CString PROC_ID;
    CString USERNAME;
    CString COMMAND;
    CString CPU_UTIL;
    CString CPU_TIME;
    CString RES_SIZE;
    CString PRIORITY;
    CString PRIV_PAGES;
};
