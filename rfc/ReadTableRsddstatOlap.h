// Reads the BI statistics of OLAP steps ("RSDDSTAT_OLAP") through "RFC_READ_TABLE".
#pragma once

#include <rfc/RfcReadTable.h>

class CReadTableRsddstatOlap : public CRfcReadTable
{
    DECLARE_DYNAMIC(CReadTableRsddstatOlap)
public:
    explicit CReadTableRsddstatOlap(CRfcConnection* pConnection);

    // A data row is cut into the fields below as soon as it is read.
    void OnTableRow(LPCTSTR lpszTable, unsigned nRow) override;
    void CutDataRow();

    // The fields of the data row read last
    CString SESSIONUID;
    CString STEPUID;
    CString HANDLEID;
    CString HANDLETP;
    CString EVENTID;
    CString UNAME;
    CString STEPTP;
    CString STEPCNT;
    CString UTIME;
    CString CALDAY;
    CString RUNTIME;
    CString INFOPROV;
    CString OBJNAME;
    CString OBJPROP;
    CString STATLEVEL;
    CString EVTIME;
    CString EVCOUNT;
    CString EVENTIDCNT;
    CString STARTTIME;
};
