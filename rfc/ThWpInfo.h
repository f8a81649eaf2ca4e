// Reads the work processes of an instance ("TH_WPINFO").
#pragma once

#include <rfc/BaseRfc.h>

class CThWpInfo : public CBaseRfc
{
    DECLARE_DYNAMIC(CThWpInfo)
public:
    explicit CThWpInfo(CRfcConnection* pConnection);

    void SetImportParameters();
    void OnTableRow(LPCTSTR lpszTable, unsigned nRow) override;

    CString SRVNAME;
    CString WITH_CPU;
    // "WPLIST", the row read last
    CString WP_NO;
    CString WP_ITYPE;
    CString WP_TYP;
    CString WP_PID;
    CString WP_ISTATUS;
    CString WP_STATUS;
    CString WP_IWAIT;
    CString WP_WAITING;
    CString WP_SEM;
    CString WP_IRESTRT;
    CString WP_RESTART;
    CString WP_DUMPS;
    CString WP_CPU;
    CString WP_ELTIME;
    CString WP_MANDT;
    CString WP_BNAME;
    CString WP_REPORT;
    CString WP_IACTION;
    CString WP_ACTION;
    CString WP_TABLE;
    CString WP_SERVER;
    CString WP_WAITINF;
    CString WP_WAITTIM;
    CString WP_SEMSTAT;
    CString WP_INDEX;
};
