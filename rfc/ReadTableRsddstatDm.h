// Reads the BI statistics of the data manager ("RSDDSTAT_DM") through "RFC_READ_TABLE".
#pragma once

#include <rfc/RfcReadTable.h>

class CReadTableRsddstatDm : public CRfcReadTable
{
    DECLARE_DYNAMIC(CReadTableRsddstatDm)
public:
    explicit CReadTableRsddstatDm(CRfcConnection* pConnection);

    // A data row is cut into the fields below as soon as it is read.
    void OnTableRow(LPCTSTR lpszTable, unsigned nRow) override;
    void CutDataRow();

    // The fields of the data row read last
    CString STEPUID;
    CString HANDLEID;
    CString HANDLETP;
    CString UNAME;
    CString UTIME;
    CString CALDAY;
    CString OBJNAME;
    CString DMUID;
    CString ACCESSCNT;
    CString ACCESSTP;
    CString INFOPROV;
    CString PARTPROV;
    CString AGGREGATE;
    CString TABLTP;
    CString TIMEDMPREP;
    CString TIMEDMPOST;
    CString TIMEREAD;
    CString TIMESID;
    CString TIMENAVATTR;
    CString TIMEHIERARCHY;
    CString DBSEL;
    CString DBTRANS;
    CString WP_ID;
    CString PROCESSCNT;
    CString SLOTNR;
    CString STARTTIME;
};
