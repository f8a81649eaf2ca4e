// An RFC connection that collects: it owns one wrapper per function module it uses (made on
// first use and kept), the facts of its SAP instance, the names of its session data files and
// the times of the current tick. Each kind of data has a Get (call the module) and a Write
// (write the session data file from what the Get left in the wrapper).
#pragma once

#include <collector/SessionFile.h>
#include <rfc/RfcConnection.h>

class CAuthorityCheck;
class CControlPerfRequest;
class CGetParameter;
class CGetSystemTimeRemote;
class CRfcSystemInfo;
class CThServerList;
class CGetCpuAll;
class CGetCpuVirtHox;
class CGetMemAll;
class CGetDiskSingle;
class CGetFsysSingle;
class CGetLanSingle;
class CGetTopSingle;
class CGetKEMRALparInfo;
class CGetKEMRASpagAll;
class CGetKEMRAStorAll;
class CThEnvironment;
class CSmonReadHardwareDescrFile;
class CThSaprel;
class CPflGetServerParamValues;
class CThRequestQueue;
class CThWpInfo;
class CDbOraMainList;
class CDB02OraFillTD110;
class CDB6Pm1st4;
class CDB6PmTabspaceConfig;
class CSaptuneGetStorageInfos;
class CSaptuneGetSummaryStatistic;
class COcsGetInfo;
class CReadTableTrdir;
class CReadTableRsddstatOlap;
class CReadTableRsddstatDm;
class CDB4St04Overview;
class CGetDB4DbSize;
class CDB02GetMainScreenXAQ;
class CScsmDsrComponentsListRfc;
class CSapwln3StatrecDirectRead;
class CSwncStatrecRead;

// The session data files of a client, in the order in which their names are formed.
enum SessionFile
{
    // the system's
    fileComponents,    // ".cmp"
    filePatches,       // ".ptc"
    fileReports,       // ".rpt"
    fileDsrRecords,    // ".dsr"
    fileBiOlap,        // ".bif"
    fileBiDataManager, // ".bib"
    // the database's
    fileOraMainList,    // ".ors"
    fileOraFillTD110,   // ".ort"
    fileDb6Pm1st4,      // ".d6s"
    fileDb6Tablespaces, // ".d6t"
    fileDb4Overview,    // ".d4s"
    fileDb4DbSize,      // ".d4t"
    fileDb02MainScreen, // ".d2t"
    // the host's
    fileCpuAll,        // ".cpu"
    fileCpuVirtHox,    // ".cpv"
    fileMemAll,        // ".mem"
    fileDiskSingle,    // ".dsk"
    fileFsysSingle,    // ".fs"
    fileLanSingle,     // ".lan"
    fileTopSingle,     // ".ps"
    fileHardwareDescr, // ".hw"
    fileEnvironment,   // ".env"
    fileLparInfo,      // ".lpr"
    fileSpagAll,       // ".spg"
    fileStorAll,       // ".str"
    // the instance's
    fileSystemInfo,       // ".sys"
    fileSaprel,           // ".krn"
    fileSaposcol,         // ".sos"
    fileServerParams,     // ".pfl"
    fileWpInfo,           // ".wp"
    fileStorageInfos,     // ".stg"
    fileRequestQueue,     // ".drq"
    fileInstanceMemory,   // ".mem", named but never written
    fileSummary,          // ".sum"
    fileTableStatistics,  // ".tbl"
    fileBufferStatistics, // ".buf"
    fileTableQualities,   // ".tql"
    fileCursorCache,      // ".ccs"
    fileStatRecords,      // ".dss"
    fileCount
};

// Where the two baseline-and-latest files end their baseline. Held by the database so that
// the instance threads that take turns on its periodic task share it.
struct CBaselineEnds
{
    ULONGLONG nDb6Pm1st4 = 0;
    ULONGLONG nDb6Tablespaces = 0;
};

class CRfcClient : public CRfcConnection
{
    DECLARE_DYNCREATE(CRfcClient)
public:
    CRfcClient();
    ~CRfcClient() override;
    // Destroys the function-module wrappers and their library functions; the next Get makes
    // them afresh.
    void DeleteReaders();

    // The client's own operations.
    void AuthorityCheck(LPCTSTR lpszObject, LPCTSTR lpszField1, LPCTSTR lpszValue1, LPCTSTR lpszField2,
                        LPCTSTR lpszValue2, LPCTSTR lpszField3, LPCTSTR lpszValue3);
    void DetectOsType();
    void ControlPerfRequestCluster();
    void GetServerList();
    void GetSystemInfo();
    void WriteSystemInfoFile();
    // The application server's local date and time as a time of this computer; 0 without the
    // module or when stopping. An impossible date throws CInvalidArgException.
    __time64_t GetSystemTimeRemote();

    // Instance data
    void GetSaprel();
    void WriteSaprelFile();
    void GetServerParamValues();
    void WriteServerParamFile();
    void GetRequestQueue();
    void WriteRequestQueueFile();
    void GetWpInfo();
    void WriteWpInfoFile();

    // Host data
    void GetCpuAll();
    void WriteCpuAllFile();
    void GetCpuVirtHox();
    void WriteCpuVirtHoxFile();
    void GetMemAll();
    void WriteMemAllFile();
    void GetDiskSingle();
    void WriteDiskSingleFile();
    void GetFsysSingle();
    void WriteFsysSingleFile();
    void GetLanSingle();
    void WriteLanSingleFile();
    void GetTopSingle();
    void WriteTopSingleFile();
    void GetLparInfo();
    void WriteLparInfoFile();
    void GetSpagAll();
    void WriteSpagAllFile();
    void GetStorAll();
    void WriteStorAllFile();
    void GetParameter();
    void WriteParameterFile();
    void GetThEnvironment();
    void WriteEnvironmentFile();
    void ControlPerfRequest();
    void ControlPerfRequest2();
    void ReadHardwareDescrFile();
    void WriteHardwareDescrFile();

    // Database data
    void GetOraMainList();
    void WriteOraMainListFile();
    void GetOraFillTD110();
    void WriteOraFillTD110File();
    void GetDb6Pm1st4();
    void WriteDb6Pm1st4File();
    void GetDb6TablespaceConfig();
    void WriteDb6TablespaceFile();

    void GetDb4Overview();
    void WriteDb4OverviewFile();
    void GetDb4DbSize();
    void WriteDb4DbSizeFile();
    void GetDb02MainScreen();
    void WriteDb02MainScreenFile();

    // Workload statistics
    void GetDsrComponents();
    void ReadDsrRecords();
    void WriteDsrRecordsFile();
    void ReadStatRecords();
    void WriteStatRecordsFile();

    // Tuning statistics
    void GetStorageInfos();
    void WriteStorageInfosFile();
    void GetSummaryStatistic();
    void WriteSummaryFile();
    void WriteTableStatisticFile();
    void WriteBufferStatisticFile();
    void WriteTableQualitiesFile();
    void WriteCursorCacheFile();

    // System-level data
    void GetOcsInfo();
    void WriteComponentFile();
    void WritePatchFile();
    void ReadTrdir(int nRowCount);
    void WriteTrdirFile();
    void ReadRsddstatOlap();
    void WriteRsddstatOlapFile();
    void ReadRsddstatDm();
    void WriteRsddstatDmFile();

    const CString& GetFileName(SessionFile nFile) const
    {
        return m_strFiles[nFile];
    }

    // Passed to every reader that has these import parameters.
    CString LOCAL_REMOTE;
    CString LOGICAL_DESTINATION;
    // The mainframe system looked up in the cluster answer, and its member number there.
    CString m_strMainframeSystem;
    CString SYSTEM_ID;
    CString m_strRemoteOs; // found by DetectOsType
    // The facts of the instance.
    CString m_strSystemId;
    CString m_strInstanceName;
    CString m_strSapRelease;
    CString m_strKernelRelease;
    CString m_strServices;
    CString m_strHostName;
    CString m_strOs;
    CString m_strIpAddress;
    CString m_strCharType;
    CString m_strIntType;
    CString m_strFloatType;
    CString m_strMachineType;
    CString m_strTimeZone;
    CString m_strDaylightSaving;
    CString m_strDatabaseName;
    CString m_strDatabaseHost;
    CString m_strDatabaseSystem;
    CString m_strFiles[fileCount];

    // The schedule: the first lower bound of the read windows, and the time of this tick.
    __time64_t m_nStartTime;
    __time64_t m_nSampleTime;
    UINT32 m_nDsrCount;
    UINT32 m_nDialogStepCount;
    UINT32 m_nSkippedRecords;  // rows of the last statistics write left out for an unreadable time
    UINT32 m_nOtherReports;    // programs not starting with Y or Z, over all pages read
    UINT32 m_nCustomerReports; // programs starting with Y or Z
    BOOL m_bReportComplete;
    BOOL m_bDsrEnabled;

    // The database's shared baseline ends, or the client's own.
    CBaselineEnds* m_pBaselines;

    CAuthorityCheck* m_pAuthorityCheck;
    CControlPerfRequest* m_pControlPerfRequest;
    CGetParameter* m_pGetParameter;
    CGetSystemTimeRemote* m_pGetSystemTimeRemote;
    CRfcSystemInfo* m_pRfcSystemInfo;
    CThServerList* m_pThServerList;
    CGetCpuAll* m_pGetCpuAll;
    CGetCpuVirtHox* m_pGetCpuVirtHox;
    CGetMemAll* m_pGetMemAll;
    CGetDiskSingle* m_pGetDiskSingle;
    CGetFsysSingle* m_pGetFsysSingle;
    CGetLanSingle* m_pGetLanSingle;
    CGetTopSingle* m_pGetTopSingle;
    CGetKEMRALparInfo* m_pGetLparInfo;
    CGetKEMRASpagAll* m_pGetSpagAll;
    CGetKEMRAStorAll* m_pGetStorAll;
    CThEnvironment* m_pThEnvironment;
    CSmonReadHardwareDescrFile* m_pReadHardwareDescrFile;
    CThSaprel* m_pThSaprel;
    CPflGetServerParamValues* m_pServerParamValues;
    CThRequestQueue* m_pThRequestQueue;
    CThWpInfo* m_pThWpInfo;
    CDbOraMainList* m_pOraMainList;
    CDB02OraFillTD110* m_pOraFillTD110;
    CDB6Pm1st4* m_pDb6Pm1st4;
    CDB6PmTabspaceConfig* m_pDb6TablespaceConfig;
    CDB4St04Overview* m_pDb4Overview;
    CGetDB4DbSize* m_pDb4DbSize;
    CDB02GetMainScreenXAQ* m_pDb02MainScreen;
    CScsmDsrComponentsListRfc* m_pDsrComponents;
    CSapwln3StatrecDirectRead* m_pDsrRecords;
    CSwncStatrecRead* m_pStatRecords;
    CSaptuneGetStorageInfos* m_pStorageInfos;
    CSaptuneGetSummaryStatistic* m_pSummaryStatistic;
    COcsGetInfo* m_pOcsGetInfo;
    CReadTableTrdir* m_pReadTrdir;
    CReadTableRsddstatOlap* m_pReadRsddstatOlap;
    CReadTableRsddstatDm* m_pReadRsddstatDm;

protected:
    // The first steps of every Get: the wrapper, made on the first use unless stopping; it is
    // returned when it can be called now, else null.
    template <class R> R* Prepare(R*& pReader)
    {
        if (pReader == nullptr && !GetStopFlag())
            pReader = new R(this);
        return pReader != nullptr && pReader->HasFunction(this) && !GetStopFlag() ? pReader : nullptr;
    }
    // The Get of a reader of the host's operating-system collector: the destination (and the
    // mainframe member number) go with every call.
    template <class R> void GetHostReader(R*& pReader)
    {
        if (R* pCall = Prepare(pReader))
        {
            pCall->LOCAL_REMOTE = LOCAL_REMOTE;
            pCall->LOGICAL_DESTINATION = LOGICAL_DESTINATION;
            if constexpr (requires { pCall->SYSTEM_ID; })
                pCall->SYSTEM_ID = SYSTEM_ID;
            pCall->SetImportParameters();
            pCall->CallFunctionModule(this);
            pCall->GetExportParameters();
        }
    }
    // The facts of RFC_SYSTEM_INFO that systems and instances both keep: system id, releases,
    // operating system and database.
    void CopySystemFacts(const CRfcSystemInfo& info);
    // A request to the host's performance collector over the client's destination; the answer
    // is left in the wrapper's exports.
    void SendPerfRequest(CControlPerfRequest& request, LPCTSTR lpszType, LPCTSTR lpszMode, LPCTSTR lpszParam1);
    // The wrapper when its result may be written, else null.
    template <class R> R* Result(R* pReader) const
    {
        return pReader != nullptr && pReader->GetFunctionHandle() != nullptr && !GetStopFlag() ? pReader : nullptr;
    }

    // A per-row writer of the common shape.
    template <class R>
    void WriteTable(R* pReader, SessionFile nFile, SessionFileMode mode, LPCTSTR lpszTable,
                    const RecordLayout<R>& layout, ULONGLONG* pBaselineEnd = nullptr)
    {
        if (R* pResult = Result(pReader))
        {
            CSessionFile file(m_strFiles[nFile], mode, *this, pBaselineEnd);
            if (file.IsOpen())
                WriteTableRecords(file, *pResult, lpszTable, layout, m_nSampleTime, *this, pBaselineEnd);
        }
    }
    // A writer of one record from the wrapper's export texts.
    template <class R>
    void WriteRecord(R* pReader, SessionFile nFile, SessionFileMode mode, const RecordLayout<R>& layout)
    {
        if (R* pResult = Result(pReader))
        {
            CSessionFile file(m_strFiles[nFile], mode, *this);
            if (!file.IsOpen())
                return;
            CSessionRecord record(layout.nSize);
            record.Fill(*pResult, layout, m_nSampleTime);
            file.Write(record);
        }
    }

private:
    CBaselineEnds m_baselines;
};
