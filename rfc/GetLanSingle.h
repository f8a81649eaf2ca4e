// Reads the packet counts of each network interface of a host ("GET_LAN_SINGLE").
#pragma once

#include <rfc/BaseRfc.h>
#include <rfc/CollectorStatus.h>

class CGetLanSingle : public CBaseRfc
{
    DECLARE_DYNAMIC(CGetLanSingle)
public:
    explicit CGetLanSingle(CRfcConnection* pConnection);

    void SetImportParameters();
    void GetExportParameters();
    void OnTableRow(LPCTSTR lpszTable, unsigned nRow) override;

    CString LOCAL_REMOTE;
    CString LOGICAL_DESTINATION;
    CCollectorStatus m_status;
    // "TF_LAN_SINGLE", the row read last
    CString TYPE;
    CString SUBTYPE;
    CString SERIALNR;
    CString LANNAME;
    CString IN_PACKETS;
    CString OUT_PACKET;
    CString IN_ERRORS;
    CString OUT_ERRORS;
    CString COLLISIONS;
    CString PACKETS;
};
