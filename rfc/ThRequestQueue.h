// Reads the dispatcher request queues of an instance ("TH_REQUEST_QUEUE").
#pragma once

#include <rfc/BaseRfc.h>

class CThRequestQueue : public CBaseRfc
{
    DECLARE_DYNAMIC(CThRequestQueue)
public:
    explicit CThRequestQueue(CRfcConnection* pConnection);

    void OnTableRow(LPCTSTR lpszTable, unsigned nRow) override;

    // "REQUEST_QUEUES", the row read last
    CString THLINE;
};
