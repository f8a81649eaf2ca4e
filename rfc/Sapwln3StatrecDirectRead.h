// Reads the distributed statistics records of one component for a time window
// ("SAPWLN3_STATREC_DIRECT_READ"). The client keeps the window start and the running total of written records in
// m_nWindowStart and m_nRowTotal.
#pragma once

#include <rfc/BaseRfc.h>

class CSapwln3StatrecDirectRead : public CBaseRfc
{
    DECLARE_DYNAMIC(CSapwln3StatrecDirectRead)
public:
    explicit CSapwln3StatrecDirectRead(CRfcConnection* pConnection);

    void SetImportParameters();
    // The structure "RECORD_INFO".
    void GetExportParameters();
    // A "STAT_RECORDS" row holds the structures "MAINREC" and "CLIENTINFO".
    void OnTableRow(LPCTSTR lpszTable, unsigned nRow) override;

    CString COMPONENT;
    CString COMPONENT_TYPE;
    CString MONITORING_SYSTEM;
    CString READ_START_DATE;
    CString READ_START_TIME;
    CString READ_END_DATE;
    CString READ_END_TIME;
    CString TIMEZONE;
    CString READ_TRANSID;
    CString READ_SERVICE;
    CString READ_ACTION;
    CString READ_ACTION_TYPE;
    CString READ_USERNAME;
    CString READ_EXCLUDE_USERNAME;
    CString READ_MAX_NO_OF_RECORDS;
    CString GET_TEST_DATA;
    // "RECORD_INFO"
    CString FIRSTRECDT;
    CString FIRSTRECTM;
    CString LASTRECDT;
    CString LASTRECTM;
    CString EOFREACHED;
    CString NOOFRECS;
    // structure "MAINREC" of the "STAT_RECORDS" row read last
    CString STARTDATE;
    CString STARTTIME;
    CString ENDDATE;
    CString ENDTIME;
    CString TRANSID;
    CString SERVICE;
    CString ACTION;
    CString ACTIONTYPE;
    CString USER;
    CString PROCESSID;
    CString THREADID;
    CString CPUTIME;
    CString QUEUETIME;
    CString LOADTIME;
    CString GENTIME;
    CString NETTIME;
    CString WAITTIME;
    CString MAXMEM;
    CString LUWINFO;
    CString RESPTIME;
    CString ADDITINFO;
    CString STARTTIME1;
    CString STARTTIME2;
    CString ENDTIME1;
    CString ENDTIME2;
    // structure "CLIENTINFO" of the "STAT_RECORDS" row read last
    CString I_SYSTEM;
    CString I_ACTION;
    CString I_ACTTYPE;
    CString I_SERVICE;
    CString I_USER;
    CString PRE_SYSID;
    CString TRACEFLAG;
    // "CTYP1RECS", the row read last, named after the table
    CString CTYP1RECS_COMPTYPE;
    CString CTYP1RECS_COMPNAME;
    CString CTYP1RECS_DESTINAT;
    CString CTYP1RECS_CALLTIME;
    CString CTYP1RECS_REXECTIME;
    CString CTYP1RECS_SENTBYTES;
    CString CTYP1RECS_RCVDBYTES;
    CString CTYP1RECS_NOOFCALLS;
    CString CTYP1RECS_ADDITINFO;
};
