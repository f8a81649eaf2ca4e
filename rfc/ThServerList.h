// Lists the application servers of the SAP system ("TH_SERVER_LIST").
#pragma once

#include <rfc/BaseRfc.h>

class CThServerList : public CBaseRfc
{
    DECLARE_DYNAMIC(CThServerList)
public:
    explicit CThServerList(CRfcConnection* pConnection);

    void SetImportParameters();
    void OnTableRow(LPCTSTR lpszTable, unsigned nRow) override;
    // The services of the row read last, decoded from "MSGTYPES".
    CString FormatMsgTypes() const;

    CString SERVICES;
    CString SYSSERVICE;
    // "LIST" and "LIST_IPV6" share these texts; the row read last
    CString NAME;
    CString HOST;
    CString SERV;
    CString MSGTYPES;
    CString HOSTADR;
    CString SERVNO;
    CString STATE;
    // "LIST_IPV6" only
    CString HOSTNAMELONG;
    CString HOSTADDR_V4_STR;
    CString HOSTADDR_V6_STR;
    CString SYSSERVICE0;
    CString SYSSERVICE1;
    CString SYSSERVICE2;
    CString SYSSERVICE3;
};
