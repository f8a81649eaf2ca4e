// Reads the virtual CPU figures of a partitioned host ("GET_CPU_VIRT_HOX").
#pragma once

#include <rfc/BaseRfc.h>
#include <rfc/CollectorStatus.h>

class CGetCpuVirtHox : public CBaseRfc
{
    DECLARE_DYNAMIC(CGetCpuVirtHox)
public:
    explicit CGetCpuVirtHox(CRfcConnection* pConnection);

    void SetImportParameters();
    void GetExportParameters();
    void OnTableRow(LPCTSTR lpszTable, unsigned nRow) override;

    CString LOCAL_REMOTE;
    CString LOGICAL_DESTINATION;
    CCollectorStatus m_status;
    // "TF_CPU_VIRT_HOX", the row read last
    CString TYPE;
    CString SUBTYPE;
    CString SERIALNR;
    CString PARTITION_NAME;
    CString PARTITION_ID;
    CString PARTITION_TYPE;
    CString POOL_CPU;
    CString VIRTUAL_CPU;
    CString PART_CONFIG;
    CString THREADS;
    CString PHYS_CPU_CONSUMP;
    CString PHYS_CPU_IDLE;
    CString ENTITLEMENT;
    CString ENTITLEMENT_CONSUMP;
    CString AVAILABLE;
    CString AVAILABLE_CONSUMP;
    CString MODELNAME;
    CString PROCESSOR;
    CString FREQUENCY;
};
