// Reads the memory and paging figures of a host ("GET_MEM_ALL").
#pragma once

#include <rfc/BaseRfc.h>
#include <rfc/CollectorStatus.h>

class CGetMemAll : public CBaseRfc
{
    DECLARE_DYNAMIC(CGetMemAll)
public:
    explicit CGetMemAll(CRfcConnection* pConnection);

    void SetImportParameters();
    void GetExportParameters();
    void OnTableRow(LPCTSTR lpszTable, unsigned nRow) override;

    CString LOCAL_REMOTE;
    CString LOGICAL_DESTINATION;
    CCollectorStatus m_status;
    // "TF_MEM_ALL", the row read last
    CString TYPE;
    CString SUBTYPE;
    CString SERIALNR;
    CString IN_PG_SEC;
    CString OUT_PG_SEC;
    CString IN_KB_SEC;
    CString OUT_KB_SEC;
    CString FREE_MEM;
    CString PHYS_MEM;
    CString SWAP_CONF;
    CString SWAP_FREE;
    CString SWAP_SIZE;
    CString SWAP_MAX;
};
