// Reads the date and time of the application server ("GET_SYSTEM_TIME_REMOTE").
#pragma once

#include <rfc/BaseRfc.h>

class CGetSystemTimeRemote : public CBaseRfc
{
    DECLARE_DYNAMIC(CGetSystemTimeRemote)
public:
    explicit CGetSystemTimeRemote(CRfcConnection* pConnection);

    void GetExportParameters();

    CString K_DATE;
    CString K_TIME;
    CString L_DATE;
    CString L_TIME;
};
