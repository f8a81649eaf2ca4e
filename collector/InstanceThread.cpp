#include <collector/CollectorThread.h>
#include <collector/InstanceThread.h>
#include <collector/SessionHost.h>
#include <rfc/ReadTableTrdir.h>
#include <rfc/Sapwln3StatrecDirectRead.h>
#include <rfc/ScsmDsrComponentsListRfc.h>

#include <array>

IMPLEMENT_DYNAMIC(CInstanceThread, CRfcClient)

using ClientStep = void (CRfcClient::*)();

// One capture: its trap name, the setting of its interval (none for the initial captures), the
// line it logs and the client's Gets and Writes in order.
struct CInstanceThread::Capture
{
    LPCTSTR lpszName;
    int nSetting;
    LPCTSTR lpszText;
    std::array<ClientStep, 6> steps;
};

namespace
{
using S = CCollectorSettings;
using C = CRfcClient;
const int kInitial = -1;

#define CAPTURE(name, setting, text, ...)                                                                              \
    const CInstanceThread::Capture k##name                                                                             \
    {                                                                                                                  \
        _T("CInstanceThread::Capture") _T(#name), setting, _T(text),                                                   \
        {                                                                                                              \
            __VA_ARGS__                                                                                                \
        }                                                                                                              \
    }

// The captures in the order of their definition.
CAPTURE(ComponentPatchInformation, kInitial, "capturing component & patch information.", &C::GetOcsInfo,
        &C::WriteComponentFile, &C::WritePatchFile);
CAPTURE(BiStatistics, S::settingBi, "capturing bi statistics.", &C::ReadRsddstatOlap, &C::WriteRsddstatOlapFile,
        &C::ReadRsddstatDm, &C::WriteRsddstatDmFile);
CAPTURE(OracleMainList, S::settingOracleMainList, "capturing ORACLE instance statistics.", &C::GetOraMainList,
        &C::WriteOraMainListFile);
CAPTURE(OracleFillTD110, S::settingOracleFillTD110, "capturing ORACLE database statistics.", &C::GetOraFillTD110,
        &C::WriteOraFillTD110File);
CAPTURE(DB6Pm1st4, S::settingDB6Pm1st4, "capturing XAQ database statistics.", &C::GetDb6Pm1st4, &C::WriteDb6Pm1st4File);
CAPTURE(DB6PmTabspaceConfig, S::settingDB6PmTabspaceConfig, "capturing XAQ tablespace statistics.",
        &C::GetDb6TablespaceConfig, &C::WriteDb6TablespaceFile);
CAPTURE(DB4St04Overview, S::settingDB4St04Overview, "capturing XAQ database statistics.", &C::GetDb4Overview,
        &C::WriteDb4OverviewFile);
CAPTURE(DB4FileInfo, S::settingDB4FileInfo, "capturing XAQ size statistics.", &C::GetDb4DbSize, &C::WriteDb4DbSizeFile);
CAPTURE(DB02GetMainScreenXAQ, S::settingDB02MainScreen, "capturing XAQ tablespace statistics.", &C::GetDb02MainScreen,
        &C::WriteDb02MainScreenFile);
CAPTURE(HardwareInformation, kInitial, "capturing host hardware information.", &C::ControlPerfRequest,
        &C::ControlPerfRequest2, &C::ReadHardwareDescrFile, &C::WriteHardwareDescrFile);
CAPTURE(Environment, kInitial, "capturing host environment.", &C::GetThEnvironment, &C::WriteEnvironmentFile);
CAPTURE(CpuStatistics, S::settingCpu, "capturing host cpu statistics.", &C::GetCpuAll, &C::WriteCpuAllFile);
CAPTURE(VirtCpuStatistics, S::settingVirtCpu, "capturing host virtual cpu statistics.", &C::GetCpuVirtHox,
        &C::WriteCpuVirtHoxFile);
CAPTURE(MemoryStatistics, S::settingMemory, "capturing host memory statistics.", &C::GetMemAll, &C::WriteMemAllFile);
CAPTURE(DiskStatistics, S::settingDisk, "capturing host disk statistics.", &C::GetDiskSingle, &C::WriteDiskSingleFile);
CAPTURE(FileSystemStatistics, S::settingFileSystem, "capturing host file system statistics.", &C::GetFsysSingle,
        &C::WriteFsysSingleFile);
CAPTURE(LanStatistics, S::settingLan, "capturing host lan statistics.", &C::GetLanSingle, &C::WriteLanSingleFile);
CAPTURE(ProcessStatistics, S::settingProcess, "capturing host process statistics.", &C::GetTopSingle,
        &C::WriteTopSingleFile);
CAPTURE(KEMRALparInfo, kInitial, "capturing KEMRA partition information.", &C::GetLparInfo, &C::WriteLparInfoFile);
CAPTURE(KEMRASpagStatistics, S::settingKEMRASpag, "capturing KEMRA processor statistics.", &C::GetSpagAll,
        &C::WriteSpagAllFile);
CAPTURE(KEMRAStorStatistics, S::settingKEMRAStor, "capturing KEMRA storage statistics.", &C::GetStorAll,
        &C::WriteStorAllFile);
CAPTURE(SystemInfo, kInitial, "capturing instance information.", &C::GetSystemInfo, &C::WriteSystemInfoFile);
CAPTURE(KernelInfo, kInitial, "capturing kernel information.", &C::GetSaprel, &C::WriteSaprelFile);
CAPTURE(SaposcolInfo, kInitial, "capturing saposcol information.", &C::GetParameter, &C::WriteParameterFile);
CAPTURE(ProfileParameters, kInitial, "capturing instance profile parameters.", &C::GetServerParamValues,
        &C::WriteServerParamFile);
CAPTURE(StorageInfo, kInitial, "capturing instance storage information.", &C::GetStorageInfos,
        &C::WriteStorageInfosFile);
CAPTURE(WorkProcessStatistics, S::settingWorkProcess, "capturing instance work process statistics.", &C::GetWpInfo,
        &C::WriteWpInfoFile);
CAPTURE(SummaryStatistics, S::settingBuffer, "capturing instance buffer statistics.", &C::GetSummaryStatistic,
        &C::WriteSummaryFile, &C::WriteTableStatisticFile, &C::WriteBufferStatisticFile, &C::WriteTableQualitiesFile,
        &C::WriteCursorCacheFile);
CAPTURE(DispatcherStatistics, S::settingDispatcher, "capturing instance dispatcher statistics.", &C::GetRequestQueue,
        &C::WriteRequestQueueFile);
CAPTURE(DialogStepStatistics, S::settingDialogStep, "capturing dialog step statistics.", &C::ReadStatRecords,
        &C::WriteStatRecordsFile);
// The three with bodies of their own.
CAPTURE(ReportInformation, S::settingReport, "capturing report information.");
CAPTURE(DistributedStatistics, S::settingDsr, "");
#undef CAPTURE

// The periodic database captures by database type; another type captures nothing.
struct DatabaseCaptures
{
    LPCTSTR lpszType;
    const CInstanceThread::Capture* captures[2];
};
const DatabaseCaptures kDatabaseCaptures[] = {
    {_T("ORACLE"), {&kOracleMainList, &kOracleFillTD110}},
    {_T("DB6"), {&kDB6Pm1st4, &kDB6PmTabspaceConfig}},
    {_T("QUORV"), {&kDB4St04Overview, &kDB4FileInfo}},
    {_T("XAQ"), {&kDB02GetMainScreenXAQ, nullptr}},
};

// Owner of each session data file, in the order of SessionFile.
enum class Owner
{
    System,
    Database,
    Host,
    Instance
};
struct FileName
{
    Owner owner;
    LPCTSTR lpszFormat;
};
const FileName kFileNames[] = {
    {Owner::System, _T("%s%s.cmp")},   {Owner::System, _T("%s%s.ptc")},   {Owner::System, _T("%s%s.rpt")},
    {Owner::System, _T("%s%s.dsr")},   {Owner::System, _T("%s%s.bif")},   {Owner::System, _T("%s%s.bib")},
    {Owner::Database, _T("%s%s.ors")}, {Owner::Database, _T("%s%s.ort")}, {Owner::Database, _T("%s%s.d6s")},
    {Owner::Database, _T("%s%s.d6t")}, {Owner::Database, _T("%s%s.d4s")}, {Owner::Database, _T("%s%s.d4t")},
    {Owner::Database, _T("%s%s.d2t")}, {Owner::Host, _T("%s%s.cpu")},     {Owner::Host, _T("%s%s.cpv")},
    {Owner::Host, _T("%s%s.mem")},     {Owner::Host, _T("%s%s.dsk")},     {Owner::Host, _T("%s%s.fs")},
    {Owner::Host, _T("%s%s.lan")},     {Owner::Host, _T("%s%s.ps")},      {Owner::Host, _T("%s%s.hw")},
    {Owner::Host, _T("%s%s.env")},     {Owner::Host, _T("%s%s.lpr")},     {Owner::Host, _T("%s%s.spg")},
    {Owner::Host, _T("%s%s.str")},     {Owner::Instance, _T("%s%s.sys")}, {Owner::Instance, _T("%s%s.krn")},
    {Owner::Instance, _T("%s%s.sos")}, {Owner::Instance, _T("%s%s.pfl")}, {Owner::Instance, _T("%s%s.wp")},
    {Owner::Instance, _T("%s%s.stg")}, {Owner::Instance, _T("%s%s.drq")}, {Owner::Instance, _T("%s%s.mem")},
    {Owner::Instance, _T("%s%s.sum")}, {Owner::Instance, _T("%s%s.tbl")}, {Owner::Instance, _T("%s%s.buf")},
    {Owner::Instance, _T("%s%s.tql")}, {Owner::Instance, _T("%s%s.ccs")}, {Owner::Instance, _T("%s%s.dss")},
};
static_assert(std::size(kFileNames) == fileCount);

const LPCTSTR kKEMRA = _T("KEMRA");
} // namespace

CInstanceThread::CInstanceThread(CCollectorThread* pCollector)
    : CThreadObject(eventCount, FALSE), m_nCategory(-1), m_pCollector(pCollector), m_nSampleMinute(-1)
{
}

CInstanceThread::~CInstanceThread()
{
    // The stop event, the lowest, is served before any other that is set.
    RequestStop();
    Stop();
}

CInstanceThread* CInstanceThread::CreateFor(CCollectorThread* pCollector, const CRfcClient& source,
                                            const CString& strSessionDirectory, int nCategory)
{
    auto* pThread = new CInstanceThread(pCollector);
    pThread->CopyLogonData(source);
    pThread->m_strSessionDirectory = strSessionDirectory;
    pThread->m_strSystemId = source.m_strSystemId;
    pThread->m_strInstanceName = source.m_strInstanceName;
    pThread->m_strSapRelease = source.m_strSapRelease;
    pThread->m_strKernelRelease = source.m_strKernelRelease;
    pThread->m_strHostName = source.m_strHostName;
    pThread->m_strOs = source.m_strOs;
    pThread->m_strServices = source.m_strServices;
    pThread->m_strDatabaseName = source.m_strDatabaseName;
    pThread->m_strDatabaseHost = source.m_strDatabaseHost;
    pThread->m_strDatabaseSystem = source.m_strDatabaseSystem;
    pThread->m_nCategory = nCategory;
    return pThread;
}

void CInstanceThread::RequestStop()
{
    if (GetStopFlag())
        return;
    // Any capture still running skips what is left of it, and a running call ends with the
    // connection.
    SetStopFlag(TRUE);
    Disconnect();
    SetEvent(eventStop);
}

void CInstanceThread::OnWorkerEnd()
{
    DeleteReaders();
}

void CInstanceThread::Start()
{
    BuildFileNames();
    StartWorker();
}

void CInstanceThread::BuildFileNames()
{
    // The host's files are named after the host that the connection reaches.
    const CString& strHost = LOCAL_REMOTE == _T("LOCAL") ? m_strHostName : m_strDatabaseHost;
    for (int nFile = 0; nFile < fileCount; ++nFile)
    {
        const CString* pOwner = nullptr;
        switch (kFileNames[nFile].owner)
        {
        case Owner::System:
            pOwner = &m_strSystemId;
            break;
        case Owner::Database:
            pOwner = &m_strDatabaseName;
            break;
        case Owner::Host:
            pOwner = &strHost;
            break;
        case Owner::Instance:
            pOwner = &m_strInstanceName;
            break;
        }
        m_strFiles[nFile].Format(kFileNames[nFile].lpszFormat, (LPCTSTR)m_strSessionDirectory, (LPCTSTR)*pOwner);
    }
    m_nStartTime = m_pCollector->GetSessionHost().Now();
}

BOOL CInstanceThread::IsStopRequested() const
{
    return GetStopFlag();
}

BOOL CInstanceThread::IsDue(int nInterval, int nMinute)
{
    return nInterval >= 1 && nInterval <= 60 && nMinute % nInterval == 0;
}

int CInstanceThread::LocalMinute(__time64_t nTime)
{
    struct tm local;
    if (_localtime64_s(&local, &nTime) != 0)
        return -1;
    return local.tm_min == 0 ? 60 : local.tm_min;
}

BOOL CInstanceThread::IsCaptureDue(int nSetting) const
{
    int nInterval = 0;
    m_pCollector->GetSetting(static_cast<CCollectorSettings::Setting>(nSetting), nInterval);
    return IsDue(nInterval, m_nSampleMinute);
}

void CInstanceThread::TakeSampleTime()
{
    m_nSampleTime = m_pCollector->GetSessionHost().Now();
    m_nSampleMinute = LocalMinute(m_nSampleTime);
}

BOOL CInstanceThread::RunCapture(const Capture& capture)
{
    if (capture.nSetting != kInitial && !IsCaptureDue(capture.nSetting))
        return FALSE;
    Trap(capture.lpszName, [&] {
        Log(capture.lpszText);
        for (ClientStep pStep : capture.steps)
        {
            if (pStep != nullptr && !GetStopFlag())
                (this->*pStep)();
        }
    });
    return TRUE;
}

void CInstanceThread::RunCaptures(std::initializer_list<const Capture*> captures)
{
    for (const Capture* pCapture : captures)
    {
        if (pCapture != nullptr && !GetStopFlag())
            RunCapture(*pCapture);
    }
}

void CInstanceThread::CaptureReportInformation()
{
    Trap(kReportInformation.lpszName, [&] {
        if (!IsCaptureDue(kReportInformation.nSetting))
            return;
        int nRowCount = 0;
        m_pCollector->GetReportRowCount(nRowCount);
        if (nRowCount <= 0)
            return;
        Log(kReportInformation.lpszText);
        if (!GetStopFlag())
            ReadTrdir(nRowCount);
        if (!GetStopFlag())
            WriteTrdirFile();
        if (m_pReadTrdir != nullptr)
        {
            CString strText;
            strText.Format(_T("total report rows processed %I64u."), m_pReadTrdir->m_nRowTotal);
            Log(strText);
        }
    });
}

void CInstanceThread::CaptureDialogStepStatistics()
{
    if (!RunCapture(kDialogStepStatistics))
        return;
    Trap(kDialogStepStatistics.lpszName, [&] {
        LogSkippedRecords();
        CString strText;
        strText.Format(_T("captured %I32u dialog step statistics"), m_nDialogStepCount);
        Log(strText);
    });
}

void CInstanceThread::CaptureDistributedStatistics()
{
    Trap(kDistributedStatistics.lpszName, [&] {
        if (!IsCaptureDue(kDistributedStatistics.nSetting))
            return;
        if (!GetStopFlag())
            GetDsrComponents();
        if (m_pDsrComponents == nullptr)
            return;
        const unsigned nComponents = m_pDsrComponents->GetTableRowCount(_T("DSR_COMPONENTS"));
        for (unsigned nRow = 0; nRow < nComponents; ++nRow)
        {
            // A failing component is logged and the next one still read.
            Trap(kDistributedStatistics.lpszName, [&] {
                m_pDsrComponents->OnTableRow(_T("DSR_COMPONENTS"), nRow);
                const CString strClass = m_pDsrComponents->COMPCLASS;
                const CString strName = m_pDsrComponents->COMPNAME;
                CString strText;
                strText.Format(_T("capturing distributed statistics records for %s %s."), (LPCTSTR)strClass,
                               (LPCTSTR)strName);
                Log(strText);
                m_nDsrCount = 0;
                if (!GetStopFlag())
                    ReadDsrRecords();
                if (!GetStopFlag())
                    WriteDsrRecordsFile();
                LogSkippedRecords();
                strText.Format(_T("captured %I32u distributed statistics records for %s %s."), m_nDsrCount,
                               (LPCTSTR)strClass, (LPCTSTR)strName);
                Log(strText);
            });
        }
        if (m_pDsrRecords != nullptr)
            m_pDsrRecords->m_nWindowStart = m_nSampleTime;
    });
}

void CInstanceThread::LogSkippedRecords()
{
    if (m_nSkippedRecords == 0)
        return;
    CString strText;
    strText.Format(_T("skipped %I32u statistics records with an unreadable time."), m_nSkippedRecords);
    Log(strText);
    m_nSkippedRecords = 0;
}

void CInstanceThread::ReadSystemTimeRemote(LPCTSTR lpszHandler)
{
    if (!GetStopFlag())
        Trap(lpszHandler, [&] { GetSystemTimeRemote(); });
}

void CInstanceThread::OnEvent(int nEvent)
{
    switch (nEvent)
    {
    case eventOpenConnection:
        EventOpenConnection();
        return;
    case eventPingWithReconnect:
        EventPingWithReconnect();
        return;
    case eventInitialSystemTasks:
        EventInitialSystemTasks();
        break;
    case eventPeriodicSystemTasks:
        EventPeriodicSystemTasks();
        break;
    case eventInitialDatabaseTasks:
        break; // there are none
    case eventPeriodicDatabaseTasks:
        EventPeriodicDatabaseTasks();
        break;
    case eventInitialHostTasks:
        EventInitialHostTasks();
        break;
    case eventPeriodicHostTasks:
        EventPeriodicHostTasks();
        break;
    case eventInitialInstanceTasks:
        EventInitialInstanceTasks();
        break;
    case eventPeriodicInstanceTasks:
        EventPeriodicInstanceTasks();
        break;
    default:
        return;
    }
    // A tick that arrived while the tasks ran is dropped.
    ResetEvent(nEvent);
}

void CInstanceThread::EventOpenConnection()
{
    Trap(_T("CInstanceThread::EventOpenConnection"), [&] {
        Log(_T("opening connection."));
        if (GetStopFlag())
            return;
        if (HasConnectionHandle())
            Reconnect();
        else
            Connect();
    });
}

void CInstanceThread::EventPingWithReconnect()
{
    Trap(_T("CInstanceThread::EventPingWithReconnect"), [&] {
        if (!GetStopFlag() && !IsAlive())
            Reconnect();
    });
}

void CInstanceThread::EventInitialSystemTasks()
{
    Trap(_T("CInstanceThread::EventInitialSystemTasks"), [&] { RunCaptures({&kComponentPatchInformation}); });
}

void CInstanceThread::EventPeriodicSystemTasks()
{
    Trap(_T("CInstanceThread::EventPeriodicSystemTasks"), [&] {
        TakeSampleTime();
        if (m_bDsrEnabled && !GetStopFlag())
            CaptureDistributedStatistics();
        RunCaptures({&kBiStatistics});
        if (!m_bReportComplete && !GetStopFlag())
            CaptureReportInformation();
    });
}

void CInstanceThread::EventPeriodicDatabaseTasks()
{
    Trap(_T("CInstanceThread::EventPeriodicDatabaseTasks"), [&] {
        TakeSampleTime();
        for (const DatabaseCaptures& database : kDatabaseCaptures)
        {
            if (m_strDatabaseSystem == database.lpszType)
            {
                RunCaptures({database.captures[0], database.captures[1]});
                return;
            }
        }
    });
}

void CInstanceThread::EventInitialHostTasks()
{
    Trap(_T("CInstanceThread::EventInitialHostTasks"), [&] {
        if (LOCAL_REMOTE == _T("LOCAL"))
        {
            if (m_strOs == kKEMRA)
                RunCaptures({&kKEMRALparInfo});
            else
                RunCaptures({&kEnvironment, &kHardwareInformation});
            return;
        }
        // A remote host reached through the logical destination: only a mainframe has
        // initial tasks.
        DetectOsType();
        if (m_strRemoteOs != kKEMRA)
            return;
        if (!m_strMainframeSystem.IsEmpty())
            ControlPerfRequestCluster();
        RunCaptures({&kKEMRALparInfo});
    });
}

void CInstanceThread::EventPeriodicHostTasks()
{
    Trap(_T("CInstanceThread::EventPeriodicHostTasks"), [&] {
        TakeSampleTime();
        const CString& strOs = LOCAL_REMOTE == _T("LOCAL") ? m_strOs : m_strRemoteOs;
        if (strOs == kKEMRA)
        {
            RunCaptures({&kKEMRASpagStatistics, &kKEMRAStorStatistics});
            return;
        }
        const BOOL bVirtual = strOs == _T("HOX") || strOs == _T("TOLVA");
        RunCaptures({&kCpuStatistics, bVirtual ? &kVirtCpuStatistics : nullptr, &kMemoryStatistics, &kDiskStatistics,
                     &kFileSystemStatistics, &kLanStatistics, &kProcessStatistics});
    });
}

void CInstanceThread::EventInitialInstanceTasks()
{
    Trap(_T("CInstanceThread::EventInitialInstanceTasks"), [&] {
        ReadSystemTimeRemote(_T("CInstanceThread::EventInitialInstanceTasks"));
        RunCaptures({&kSystemInfo, &kKernelInfo, &kSaposcolInfo, &kStorageInfo, &kProfileParameters});
    });
}

void CInstanceThread::EventPeriodicInstanceTasks()
{
    Trap(_T("CInstanceThread::EventPeriodicInstanceTasks"), [&] {
        TakeSampleTime();
        ReadSystemTimeRemote(_T("CInstanceThread::EventPeriodicInstanceTasks"));
        RunCaptures({&kDispatcherStatistics});
        if (!GetStopFlag())
            CaptureDialogStepStatistics();
        RunCaptures({&kSummaryStatistics, &kWorkProcessStatistics});
    });
}

CString CInstanceThread::GetSourceName() const
{
    switch (m_nCategory)
    {
    case CSessionHost::categorySystem:
        return m_strSystemId;
    case CSessionHost::categoryInstance:
        return m_strInstanceName;
    case CSessionHost::categoryHost:
        return LOCAL_REMOTE == _T("LOCAL") ? m_strHostName : m_strDatabaseHost;
    case CSessionHost::categoryDatabase:
        return m_strDatabaseName;
    default:
        return CString();
    }
}

int CInstanceThread::GetCategory() const
{
    return m_nCategory;
}

CString CInstanceThread::FormatLogFileName(DWORD dwThreadId) const
{
    CString strName;
    if (m_nCategory == CSessionHost::categoryDatabase)
        strName.Format(_T("%s%s_%s(0x%X).log"), (LPCTSTR)m_strSessionDirectory, (LPCTSTR)m_strDatabaseName,
                       (LPCTSTR)m_strDatabaseSystem, dwThreadId);
    else
        strName.Format(_T("%s%s(0x%X).log"), (LPCTSTR)m_strSessionDirectory, (LPCTSTR)GetSourceName(), dwThreadId);
    return strName;
}

HWND CInstanceThread::GetOutputWindow() const
{
    return m_pCollector->GetSessionHost().GetOutputWindow();
}
