// Reads the CPU figures of a host ("GET_CPU_ALL").
#pragma once

#include <rfc/BaseRfc.h>
#include <rfc/CollectorStatus.h>

class CGetCpuAll : public CBaseRfc
{
    DECLARE_DYNAMIC(CGetCpuAll)
public:
    explicit CGetCpuAll(CRfcConnection* pConnection);

    void SetImportParameters();
    void GetExportParameters();
    void OnTableRow(LPCTSTR lpszTable, unsigned nRow) override;

    CString LOCAL_REMOTE;
    CString LOGICAL_DESTINATION;
    CCollectorStatus m_status;
    // "TF_CPU_ALL", the row read last
    CString TYPE;
    CString SUBTYPE;
    CString SERIALNR;
    CString NBR_CPU;
    CString LOAD1_AVG;
    CString LOAD5_AVG;
    CString LOAD15_AVG;
    CString INT_SEC;
    CString SYSC_SEC;
    CString CS_SEC;
    CString USR_TOTAL;
    CString SYS_TOTAL;
    CString IDLE_TOTAL;
    CString IDLE_TRUE;
    CString WAIT_TRUE;
};
