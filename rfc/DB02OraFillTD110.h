// Reads the database statistics of an ORACLE database ("DB02_ORA_FILL_TD110").
#pragma once

#include <rfc/BaseRfc.h>

class CDB02OraFillTD110 : public CBaseRfc
{
    DECLARE_DYNAMIC(CDB02OraFillTD110)
public:
    explicit CDB02OraFillTD110(CRfcConnection* pConnection);

    void SetImportParameters();
    // The structure "TD110".
    void GetExportParameters();

    CString FLAG_REFRESH;
    // "TD110"
    CString DBSYS;
    CString DATUM;
    CString UZEIT;
    CString SYSID;
    CString TSNO;
    CString TSSI;
    CString TSFR;
    CString TSFRP;
    CString TSMF;
    CString TSUS;
    CString TANO;
    CString TINO;
    CString TA1E;
    CString TI1E;
    CString TASI;
    CString TISI;
    CString TACI;
    CString TICI;
    CString TAOI;
    CString TIOI;
    CString TAVI;
    CString TIVI;
    CString TSAU;
};
