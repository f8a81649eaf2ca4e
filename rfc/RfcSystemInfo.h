// Reads the facts of the SAP system and its application server ("RFC_SYSTEM_INFO").
#pragma once

#include <rfc/BaseRfc.h>

class CRfcSystemInfo : public CBaseRfc
{
    DECLARE_DYNAMIC(CRfcSystemInfo)
public:
    explicit CRfcSystemInfo(CRfcConnection* pConnection);

    void GetExportParameters();

    CString CURRENT_RESOURCES;
    CString MAXIMAL_RESOURCES;
    CString RECOMMENDED_DELAY;
    // "RFCSI_EXPORT"
    CString RFCPROTO;
    CString RFCCHARTYP;
    CString RFCINTTYP;
    CString RFCFLOTYP;
    CString RFCDEST;
    CString RFCHOST;
    CString RFCSYSID;
    CString RFCDATABS;
    CString RFCDBHOST;
    CString RFCDBSYS;
    CString RFCSAPRL;
    CString RFCMACH;
    CString RFCOPSYS;
    CString RFCTZONE;
    CString RFCDAYST;
    CString RFCIPADDR;
    CString RFCKERNRL;
    CString RFCHOST2;
    CString RFCSI_RESV;
    CString RFCIPV6ADDR;
};
