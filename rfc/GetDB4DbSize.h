// Reads the size statistics of a QUORV database ("GET_DB4_DBSIZE").
#pragma once

#include <rfc/BaseRfc.h>

class CGetDB4DbSize : public CBaseRfc
{
    DECLARE_DYNAMIC(CGetDB4DbSize)
public:
    explicit CGetDB4DbSize(CRfcConnection* pConnection);

    // The structure "DB4_DBSIZE".
    void GetExportParameters();

    // "DB4_DBSIZE"
    CString TAB_SIZE;
    CString CST_SIZE;
    CString IDX_SIZE;
    CString DB_SIZE;
};
