// Sends a request to the host's performance collector ("CONTROL_PERF_REQUEST").
#pragma once

#include <rfc/BaseRfc.h>

class CControlPerfRequest : public CBaseRfc
{
    DECLARE_DYNAMIC(CControlPerfRequest)
public:
    explicit CControlPerfRequest(CRfcConnection* pConnection);

    void SetImportParameters();
    void GetExportParameters();

    // "REQUEST_ID" and "REQUEST_PARAM1" to "REQUEST_PARAM3" go out and come back in the same
    // texts, so a follow-up request carries the id that the first one returned.
    CString LOCAL_REMOTE;
    CString LOGICAL_DESTINATION;
    CString REQUEST_TYP;
    CString REQUEST_ID;
    CString REQUEST_MODE;
    CString REQUEST_PARAM1;
    CString REQUEST_PARAM2;
    CString REQUEST_PARAM3;
    CString REQUEST_RETURN_CODE;
};
