// Reads the tablespace statistics of an XAQ database ("DB02_GET_MAIN_SCREEN_XAQ").
#pragma once

#include <rfc/BaseRfc.h>

class CDB02GetMainScreenXAQ : public CBaseRfc
{
    DECLARE_DYNAMIC(CDB02GetMainScreenXAQ)
public:
    explicit CDB02GetMainScreenXAQ(CRfcConnection* pConnection);

    // The structure "ENTRY_SCREEN_DATA".
    void GetExportParameters();

    // "ENTRY_SCREEN_DATA"
    CString DBSYS;
    CString SYSID;
    CString REFRDATE;
    CString REFRTIME;
    CString TSNUM;
    CString TSSIZE;
    CString TSFREE;
    CString TSPCTUSED;
    CString IXNUM;
    CString IXSIZE;
    CString IXFREE;
    CString IXPCTUSED;
    CString TBNUM;
    CString TBSIZE;
    CString TBMISSDB;
    CString IXMISSDB;
    CString TBMISSDDIC;
    CString IXMISSDDIC;
    CString MONI_VER;
};
