// Reads the profile parameters of an instance ("PFL_GET_SERVER_PARAM_VALUES").
#pragma once

#include <rfc/BaseRfc.h>

class CPflGetServerParamValues : public CBaseRfc
{
    DECLARE_DYNAMIC(CPflGetServerParamValues)
public:
    explicit CPflGetServerParamValues(CRfcConnection* pConnection);

    void OnTableRow(LPCTSTR lpszTable, unsigned nRow) override;

    // "SUBST_SRV_PARAM_TBL" or "USUBST_SRV_PARAM_TBL", the row read last
    CString STATUS;
    CString PARAM_NAME;
    CString USER_VALUE;
    CString DFL_VALUE;
};
