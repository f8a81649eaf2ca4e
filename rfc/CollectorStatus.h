// The status of the host's operating-system collector, which nine host readers return as
// export parameters beside their table.
#pragma once

#include <afx.h>

class CBaseRfc;

struct CCollectorStatus
{
    // Reads the status from the wrapper's function: first the flag named after the table
    // ("F_CPU_ALL_READ" for "TF_CPU_ALL"), then the others; some readers have no "OP_SYSTEM".
    void Read(CBaseRfc& rfc, LPCTSTR lpszReadFlag, BOOL bWithOpSystem);

    CString READ; // the flag named after the table
    CString ACTIVEFLAG;
    CString INTERVAL;
    CString OP_SYSTEM;
    CString DETAILSCOLL;
    CString DETAILSREQI;
    CString DETAILSMODE;
    CString LASTCOLLWRT;
    CString LASTCOLLINT;
    CString NORMCOLLINT;
};
