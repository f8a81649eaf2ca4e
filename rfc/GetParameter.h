// Reads the parameters of the host's operating-system collector ("GET_PARAMETER").
#pragma once

#include <rfc/BaseRfc.h>

class CGetParameter : public CBaseRfc
{
    DECLARE_DYNAMIC(CGetParameter)
public:
    explicit CGetParameter(CRfcConnection* pConnection);

    void SetImportParameters();
    void GetExportParameters();

    CString LOCAL_REMOTE;
    CString LOGICAL_DESTINATION;
    CString FP_RECCOUNT;
    CString FP_MAXRECORDS;
    CString FP_RECORDSIZE;
    CString FP_ACTIVEFLAG;
    CString FP_INTERVAL;
    CString FP_COLLVERSION;
    CString FP_COLLSINCE;
    CString FP_OPSYSTEM;
    CString FP_DETAILSCOLL;
    CString FP_DETAILSREQI;
    CString FP_DETAILSMODE;
    CString FP_LASTCOLLWRT;
    CString FP_LASTCOLLINT;
    CString FP_NORMCOLLINT;
    CString FP_TRACELEVEL;
    CString FP_IDLEINTERVAL;
    CString FP_IDLEAFTER;
};
