// Reads the database statistics of a QUORV database ("DB4_ST04_OVERVIEW").
#pragma once

#include <rfc/BaseRfc.h>

class CDB4St04Overview : public CBaseRfc
{
    DECLARE_DYNAMIC(CDB4St04Overview)
public:
    explicit CDB4St04Overview(CRfcConnection* pConnection);

    void SetImportParameters();
    // The five export parameters, then "DB_STATS".
    void GetExportParameters();

    CString RESETFLAG;
    CString DBHOST;
    CString SCHEMANAME;
    CString SYSTEM_ID;
    // export parameters
    CString DATE;
    CString TIME;
    CString WAIT_STATS_DATE;
    CString WAIT_STATS_TIME;
    CString WAIT_STAT_SUBRC;
    // "DB_STATS"
    CString QQDMPTIME;
    CString QQSUMCNT;
    CString QQCOMCNT;
    CString QQRBKCNT;
    CString QQSELCNT;
    CString QQINSCNT;
    CString QQUPDCNT;
    CString QQDELCNT;
    CString QQDDLCNT;
    CString QQOTHCNT;
    CString QQTSCCNT;
    CString QQTSCTOTR;
    CString QQTSCTTIME;
    CString QQSRTCNT;
    CString QQSRTTOTR;
    CString QQSRTTTIME;
    CString QQIDCCNT;
    CString QQIDCTTIME;
    CString QQTMFCNT;
    CString QQTMFTTIME;
    CString QQIDACNT;
    CString QQIDATBCNT;
    CString QQIDAQRYCT;
    CString QQODFTIME;
    CString QQTOTAVGT;
    CString QQTOTTIME;
    CString PHYSREAD;
    CString LOGICREAD;
    CString QUALITY;
    CString READPCALL;
    CString TIMEPCALL;
};
