// Reads the environment of the application server ("TH_ENVIRONMENT").
#pragma once

#include <rfc/BaseRfc.h>

class CThEnvironment : public CBaseRfc
{
    DECLARE_DYNAMIC(CThEnvironment)
public:
    explicit CThEnvironment(CRfcConnection* pConnection);

    void OnTableRow(LPCTSTR lpszTable, unsigned nRow) override;

    // "ENVIRONMENT", the row read last
    CString LINE;
};
