// Reads the paging figures of a mainframe system ("GET_KEMRA_SPAG_ALL").
#pragma once

#include <rfc/BaseRfc.h>
#include <rfc/CollectorStatus.h>

class CGetKEMRASpagAll : public CBaseRfc
{
    DECLARE_DYNAMIC(CGetKEMRASpagAll)
public:
    explicit CGetKEMRASpagAll(CRfcConnection* pConnection);

    void SetImportParameters();
    void GetExportParameters();
    void OnTableRow(LPCTSTR lpszTable, unsigned nRow) override;

    CString LOCAL_REMOTE;
    CString LOGICAL_DESTINATION;
    CString SYSTEM_ID;
    CCollectorStatus m_status;
    // "TF_SPAG_ALL", the row read last
    CString TYPE;
    CString SUBTYPE;
    CString SERIALNR;
    CString INTRVALSEC;
    CString AVGPROCUTL;
    CString AVGSYSPGRT;
    CString AVGKEMRACUTL;
    CString PG_IN;
    CString PG_OUT;
    CString PG_IN_PRV;
    CString PG_OT_PRV;
    CString PG_TO_EXST;
    CString PG_FR_EXST;
    CString PG_IN_BLCK;
    CString PG_IN_BNUM;
};
