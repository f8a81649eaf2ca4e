// Reads the instance statistics of an ORACLE database ("DB_ORA_MAIN_LIST").
#pragma once

#include <rfc/BaseRfc.h>

class CDbOraMainList : public CBaseRfc
{
    DECLARE_DYNAMIC(CDbOraMainList)
public:
    explicit CDbOraMainList(CRfcConnection* pConnection);

    // Sets "R1" to "R5" on the structure "ORA_RELEASE", then "ALL_INSTANCES".
    void SetImportParameters();
    // "DBORA", then "DBORA_GLOBAL".
    void GetExportParameters();

    // fields of the import structure "ORA_RELEASE"
    CString R1;
    CString R2;
    CString R3;
    CString R4;
    CString R5;
    CString ALL_INSTANCES;
    // "DBORA"
    CString DB_NAME;
    CString DB_THREAD;
    CString DB_INSTANC;
    CString DB_SERVER;
    CString CURR_TIME;
    CString CURR_DATE;
    CString DB_UP_TIME;
    CString DB_UP_DATE;
    CString THREAD_STA;
    CString SAPDBHOST;
    CString VERSION;
    CString ELAPSED_TI;
    CString ARCHIVER;
    CString LOG_SWITCH;
    CString BUFSIZE;
    CString BUFREADS;
    CString BUFQUAL;
    CString BUFPWRITES;
    CString BUFPREADS;
    CString BUFWAITS;
    CString BUFWTIME;
    CString DICTSIZE;
    CString DDQUAL;
    CString GETRATIO;
    CString PINRATIO;
    CString LOGSIZE;
    CString LOGENTRIES;
    CString LOGALLOC;
    CString LOGFAULT;
    CString USERCALLS;
    CString RECURCALLS;
    CString COMMITS;
    CString PARSES;
    CString ROLLBACKS;
    CString LOGWRITES;
    CString LOGWTIME;
    CString LOGBLOCKS;
    CString LOGWSIZE;
    CString LOGLATCH;
    CString SCANSHORT;
    CString SCANLONG;
    CString SCANROWS;
    CString SCANBLOCKS;
    CString FETCHROWID;
    CString FETCHCONT;
    CString SORTMEM;
    CString SORTDISK;
    CString SORTROWS;
    CString CPUUSAGE;
    CString CPUCALLS;
    CString CPURECURS;
    CString CPUPARSE;
    CString USERTOREC;
    CString READCALLRA;
    CString DD_GETS;
    CString DD_GET_MIS;
    CString CONSISTGET;
    CString GLOBLCKCON;
    CString LCKHITRATI;
    CString DBWRCROSSI;
    CString PINGWRITES;
    CString SQLRELOADS;
    CString REDO_WAIT;
    CString REDO_PROBL;
    CString CPU_TIME;
    CString WAIT_TOTAL;
    CString WAIT_BUSY;
    CString SESS_BUSY;
    CString CPU_BUSY;
    CString RESP_TIME;
    CString CPU_COUNT;
    // "DBORA_GLOBAL", each named as its field with "GLOBAL_" before it
    CString GLOBAL_DB_NAME;
    CString GLOBAL_DB_UP_DATE;
    CString GLOBAL_DB_UP_TIME;
    CString GLOBAL_BUFSIZE;
    CString GLOBAL_BUFREADS;
    CString GLOBAL_BUFQUAL;
    CString GLOBAL_BUFPWRITES;
    CString GLOBAL_BUFPREADS;
    CString GLOBAL_BUFWAITS;
    CString GLOBAL_BUFWTIME;
    CString GLOBAL_DICTSIZE;
    CString GLOBAL_DDQUAL;
    CString GLOBAL_GETRATIO;
    CString GLOBAL_PINRATIO;
    CString GLOBAL_LOGSIZE;
    CString GLOBAL_LOGENTRIES;
    CString GLOBAL_LOGALLOC;
    CString GLOBAL_LOGFAULT;
    CString GLOBAL_USERCALLS;
    CString GLOBAL_RECURCALLS;
    CString GLOBAL_COMMITS;
    CString GLOBAL_PARSES;
    CString GLOBAL_ROLLBACKS;
    CString GLOBAL_LOGWRITES;
    CString GLOBAL_LOGWTIME;
    CString GLOBAL_LOGBLOCKS;
    CString GLOBAL_LOGWSIZE;
    CString GLOBAL_LOGLATCH;
    CString GLOBAL_SCANSHORT;
    CString GLOBAL_SCANLONG;
    CString GLOBAL_SCANROWS;
    CString GLOBAL_SCANBLOCKS;
    CString GLOBAL_FETCHROWID;
    CString GLOBAL_FETCHCONT;
    CString GLOBAL_SORTMEM;
    CString GLOBAL_SORTDISK;
    CString GLOBAL_SORTROWS;
    CString GLOBAL_CPUUSAGE;
    CString GLOBAL_CPUCALLS;
    CString GLOBAL_CPURECURS;
    CString GLOBAL_CPUPARSE;
    CString GLOBAL_USERTOREC;
    CString GLOBAL_READCALLRA;
    CString GLOBAL_DD_GETS;
    CString GLOBAL_DD_GET_MIS;
    CString GLOBAL_CONSISTGET;
    CString GLOBAL_GLOBLCKCON;
    CString GLOBAL_LCKHITRATI;
    CString GLOBAL_DBWRCROSSI;
    CString GLOBAL_PINGWRITES;
};
