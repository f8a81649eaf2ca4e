// Reads the tablespaces of a DB6 database ("DB6_PM_TABSPACECONFIG").
#pragma once

#include <rfc/BaseRfc.h>

class CDB6PmTabspaceConfig : public CBaseRfc
{
    DECLARE_DYNAMIC(CDB6PmTabspaceConfig)
public:
    explicit CDB6PmTabspaceConfig(CRfcConnection* pConnection);

    void SetImportParameters();
    void OnTableRow(LPCTSTR lpszTable, unsigned nRow) override;

    CString ACTION;
    CString PARTITN;
    CString CALLERFLAG;
    CString COMPTIME;
    CString CONNECTION;
    // "IT_DB6PMCP", the row read last; a column named as an import has "COL_" before its name
    CString COL_COMPTIME;
    CString COL_PARTITN;
    CString TBS_ID;
    CString COL_CALLERFLAG;
    CString DBMSTRTTME;
    CString PRGVERS;
    CString TBS_NAME;
    CString TBS_TYPE;
    CString CONTENTS;
    CString TBSSTATE;
    CString TOTALPAGES;
    CString USABLEPGS;
    CString PAGESIZE;
    CString EXTSIZE;
    CString PF_SZ;
    CString NUM_CONT;
    CString USEDPAGES;
    CString FREEPAGES;
    CString HGHWTRMRK;
    CString AUTOSTOR;
    CString AUTORESIZ;
    CString INITSIZ;
    CString CURRSIZ;
    CString INCRSIZABS;
    CString INCRSIZPCT;
    CString LASTRESIZ;
    CString LASTRSZFAI;
    CString MAX_SIZE;
};
