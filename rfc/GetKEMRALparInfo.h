// Reads the logical partitions of a mainframe ("GET_KEMRA_LPAR_INFO").
#pragma once

#include <rfc/BaseRfc.h>

class CGetKEMRALparInfo : public CBaseRfc
{
    DECLARE_DYNAMIC(CGetKEMRALparInfo)
public:
    explicit CGetKEMRALparInfo(CRfcConnection* pConnection);

    void SetImportParameters();
    void GetExportParameters();
    void OnTableRow(LPCTSTR lpszTable, unsigned nRow) override;

    CString LOCAL_REMOTE;
    CString LOGICAL_DESTINATION;
    CString SYSTEM_ID;
    CString CPU_MODEL;
    CString NUM_OF_PROCESSORS;
    CString NUM_OF_LOG_PARTITIONS;
    // "TF_LPAR_INFO", the row read last
    CString NAME;
    CString ACTIVE;
    CString CPUS;
    CString WEIGHT;
    CString CAPPING;
};
