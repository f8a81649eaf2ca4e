// Reads the storage figures of a mainframe system ("GET_KEMRA_STOR_ALL").
#pragma once

#include <rfc/BaseRfc.h>
#include <rfc/CollectorStatus.h>

class CGetKEMRAStorAll : public CBaseRfc
{
    DECLARE_DYNAMIC(CGetKEMRAStorAll)
public:
    explicit CGetKEMRAStorAll(CRfcConnection* pConnection);

    void SetImportParameters();
    void GetExportParameters();
    void OnTableRow(LPCTSTR lpszTable, unsigned nRow) override;

    CString LOCAL_REMOTE;
    CString LOGICAL_DESTINATION;
    CString SYSTEM_ID;
    CCollectorStatus m_status;
    // "TF_STOR_ALL", the row read last
    CString TYPE;
    CString SUBTYPE;
    CString SERIALNR;
    CString INTRVALSEC;
    CString HIGH_UIC_C;
    CString X_MIG_AGE;
    CString C_FRM_AVAL;
    CString X_FRM_AVAL;
};
