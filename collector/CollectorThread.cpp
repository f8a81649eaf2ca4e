#include <collector/CollectorThread.h>
#include <collector/DatabaseThread.h>
#include <collector/ForEachValue.h>
#include <collector/HostThread.h>
#include <collector/PcInfo.h>
#include <collector/SapDatabase.h>
#include <collector/SapHost.h>
#include <collector/SapSystem.h>
#include <collector/SystemThread.h>

#include <afx/Heaps.h>
#include <nwrfc/Binding.h>

#include <utility>

IMPLEMENT_DYNAMIC(CCollectorThread, CObject)

namespace
{
struct ControlFileName
{
    LPCTSTR lpszFormat;
    LPCTSTR lpszWriter; // for the trap text
    LPCTSTR lpszText;   // logged before writing
};
// Indexed by ControlFile, in the order in which the start event writes them.
const ControlFileName kControlFiles[] = {
    {_T("%scustomer.ctl"), _T("CCollectorThread::WriteCustomerControlFile"), _T("writing customer control file.")},
    {_T("%szol.ctl"), _T("CCollectorThread::WriteZOLControlFile"), _T("writing zol control file.")},
    {_T("%spc.ctl"), _T("CCollectorThread::WritePcControlFile"), _T("writing pc control file.")},
    {_T("%ssystem.ctl"), _T("CCollectorThread::WriteSystemControlFile"), _T("writing system control file.")},
    {_T("%sinstance.ctl"), _T("CCollectorThread::WriteInstanceControlFile"), _T("writing instance control file.")},
    {_T("%shost.ctl"), _T("CCollectorThread::WriteHostControlFile"), _T("writing host control file.")},
    {_T("%sdatabase.ctl"), _T("CCollectorThread::WriteDatabaseControlFile"), _T("writing database control file.")},
};

// A text of the profile at its place in the record.
struct ProfileField
{
    LPCTSTR lpszKey;
    unsigned nOffset;
    unsigned nBytes;
};
const unsigned kCustomerSize = 3712;
const ProfileField kCustomerFields[] = {
    {_T("Company"), 0, 128},    {_T("Industry"), 128, 64},      {_T("Address1"), 192, 256},
    {_T("Address2"), 448, 256}, {_T("CityStateZip"), 704, 256}, {_T("Country"), 960, 256},
    {_T("Contact"), 1216, 256}, {_T("Telephone"), 1472, 64},    {_T("Email"), 1536, 128},
};
const unsigned kZOLSize = 4416;
const ProfileField kZOLFields[] = {
    {_T("Name"), 0, 128},           {_T("Address1"), 128, 256}, {_T("Address2"), 384, 256},
    {_T("CityStateZip"), 640, 256}, {_T("Country"), 896, 256},  {_T("Telephone"), 1152, 64},
    {_T("Email"), 1216, 128},       {_T("Reason"), 1344, 512},  {_T("Sizing"), 1856, 512},
};

const unsigned kPcSize = 2260;
const int kPcMark = 5072;

constexpr RecordField<CSystemThread> kSystemFields[] = {
    RECORD_FIELD(CSystemThread, 0, 16, Text, m_strSystemId),
    RECORD_FIELD(CSystemThread, 16, 8, Text, m_strSapRelease),
    RECORD_FIELD(CSystemThread, 24, 20, Text, m_strDatabaseSystem),
};
constexpr RecordLayout<CSystemThread> kSystemLayout{2092, kSystemFields};
static_assert(kSystemLayout.IsValid());

constexpr RecordField<CInstanceThread> kInstanceFields[] = {
    RECORD_FIELD(CInstanceThread, 0, 16, Text, m_strSystemId),
    RECORD_FIELD(CInstanceThread, 16, 64, Text, m_strInstanceName),
    RECORD_FIELD(CInstanceThread, 80, 64, Text, m_strHostName),
    RECORD_FIELD(CInstanceThread, 144, 128, Text, m_strServices),
    RECORD_FIELD(CInstanceThread, 272, 20, Text, m_strDatabaseSystem),
    RECORD_FIELD(CInstanceThread, 292, 64, Text, m_strDatabaseHost),
    RECORD_FIELD(CInstanceThread, 356, 20, Text, m_strDatabaseName),
    RECORD_FIELD(CInstanceThread, 376, 8, Text, m_strSapRelease),
    RECORD_FIELD(CInstanceThread, 384, 8, Text, m_strKernelRelease),
};
constexpr RecordLayout<CInstanceThread> kInstanceLayout{2440, kInstanceFields};
static_assert(kInstanceLayout.IsValid());

constexpr RecordField<CHostThread> kHostFields[] = {
    RECORD_FIELD(CHostThread, 0, 64, Text, m_strHostName),
    RECORD_FIELD(CHostThread, 64, 128, Text, m_strDestination),
    RECORD_FIELD(CHostThread, 192, 30, Text, m_strIpAddress),
    RECORD_FIELD(CHostThread, 222, 20, Text, m_strOs),
    RECORD_FIELD(CHostThread, 242, 8, Text, m_strCharType),
    RECORD_FIELD(CHostThread, 250, 6, Text, m_strIntType),
    RECORD_FIELD(CHostThread, 256, 6, Text, m_strFloatType),
    RECORD_FIELD(CHostThread, 262, 10, Text, m_strMachineType),
    RECORD_FIELD(CHostThread, 272, 2, Text, m_strDaylightSaving),
    RECORD_FIELD(CHostThread, 274, 4, Int32, m_strTimeZone),
};
constexpr RecordLayout<CHostThread> kHostLayout{2326, kHostFields};
static_assert(kHostLayout.IsValid());

constexpr RecordField<CDatabaseThread> kDatabaseFields[] = {
    RECORD_FIELD(CDatabaseThread, 0, 16, Text, m_strSystemId),
    RECORD_FIELD(CDatabaseThread, 16, 20, Text, m_strDatabaseName),
};
constexpr RecordLayout<CDatabaseThread> kDatabaseLayout{2084, kDatabaseFields};
static_assert(kDatabaseLayout.IsValid());

template <class T> using ChildMap = CTypedPtrMap<CMapStringToPtr, CString, T*>;

// Calls f(child) for every child of the map, in map order, under its mutex.
template <class T, class F> void ForEachChild(ChildMap<T>& children, CMutex& mutex, F f)
{
    CSingleLock lock(&mutex, TRUE);
    ForEachValue(children, [&](T* pChild) { f(*pChild); });
}

template <class T> void DeleteChildren(ChildMap<T>& children, CMutex& mutex)
{
    CSingleLock lock(&mutex, TRUE);
    ForEachChild(children, mutex, [](T& child) { delete &child; });
    children.RemoveAll();
}

// Writes one record of the layout per child.
template <class T>
void WriteChildRecords(CSessionFile& file, ChildMap<T>& children, CMutex& mutex, const RecordLayout<T>& layout)
{
    CSessionRecord record(layout.nSize);
    ForEachChild(children, mutex, [&](T& child) {
        record.Fill(child, layout, 0);
        file.Write(record);
    });
}

void WriteProfileRecord(CSessionFile& file, const CSessionHost& host, LPCTSTR lpszSection, unsigned nSize,
                        std::span<const ProfileField> fields)
{
    CSessionRecord record(nSize);
    for (const ProfileField& field : fields)
        record.SetText(field.nOffset, field.nBytes, host.GetProfileString(lpszSection, field.lpszKey, _T("")));
    file.Write(record);
}
} // namespace

CCollectorThread::CCollectorThread(CSessionHost* pOwner) : CThreadObject(eventCount, TRUE), m_pOwner(pOwner)
{
}

CCollectorThread::~CCollectorThread()
{
    ResetEvent(eventPeriodic);
    ResetEvent(eventStart);
    Stop();
    StopTogether({this});
    RemoveSystemThreads();
    RemoveHostThreads();
    RemoveDatabaseThreads();
    // The session's threads left each heap with the free room of its busiest minute.
    AfxReleaseFreeHeapPages();
}

void CCollectorThread::ForEachOwnedThread(const std::function<void(CThreadObject&)>& f)
{
    ForEachValue(m_systemThreads, [&](CSystemThread* pChild) { f(*pChild); });
    ForEachValue(m_hostThreads, [&](CHostThread* pChild) { f(*pChild); });
    ForEachValue(m_databaseThreads, [&](CDatabaseThread* pChild) { f(*pChild); });
}

void CCollectorThread::RemoveSystemThreads()
{
    DeleteChildren(m_systemThreads, m_systemMutex);
}

void CCollectorThread::RemoveHostThreads()
{
    DeleteChildren(m_hostThreads, m_hostMutex);
}

void CCollectorThread::RemoveDatabaseThreads()
{
    DeleteChildren(m_databaseThreads, m_databaseMutex);
}

void CCollectorThread::SetSessionDirectory(LPCTSTR lpszDirectory)
{
    m_strSessionDirectory = lpszDirectory;
    if (!m_strSessionDirectory.IsEmpty() && m_strSessionDirectory.Right(1) != _T("\\") &&
        m_strSessionDirectory.Right(1) != _T("/"))
        m_strSessionDirectory += _T('\\');
}

void CCollectorThread::Start()
{
    Initialize();
    StartWorker();
}

void CCollectorThread::Initialize()
{
    for (int nFile = 0; nFile < controlCount; ++nFile)
        m_strControlFiles[nFile].Format(kControlFiles[nFile].lpszFormat, (LPCTSTR)m_strSessionDirectory);
    LoadSettings(*m_pOwner);

    // The maps change only through commands of the user-interface thread, this one: they are
    // read here, and the children are started by the worker, so that starting a session does
    // not hold the windows up while a dozen threads begin their work.
    m_strSystemIdList.Empty();
    ForEachValue(m_pOwner->GetSystems(), [&](CSapSystem* pSystem) {
        m_newSystems.push_back(pSystem);
        if (!m_strSystemIdList.IsEmpty())
            m_strSystemIdList += _T(", ");
        m_strSystemIdList += pSystem->m_strSystemId;
    });
    ForEachValue(m_pOwner->GetHosts(), [&](CSapHost* pHost) { m_newHosts.push_back(pHost); });
    ForEachValue(m_pOwner->GetDatabases(), [&](CSapDatabase* pDatabase) { m_newDatabases.push_back(pDatabase); });
}

void CCollectorThread::CreateChildren()
{
    for (CSapSystem* pSystem : std::exchange(m_newSystems, {}))
        CreateSystemThreads(pSystem);
    for (CSapHost* pHost : std::exchange(m_newHosts, {}))
        CreateHostThreads(pHost);
    for (CSapDatabase* pDatabase : std::exchange(m_newDatabases, {}))
        CreateDatabaseThreads(pDatabase);
}

template <class T, class Make, class Begin>
void CCollectorThread::CreateChild(CTypedPtrMap<CMapStringToPtr, CString, T*>& children, CMutex& mutex,
                                   const CString& strKey, Make make, Begin begin)
{
    CSingleLock lock(&mutex, TRUE);
    T* pChild = nullptr;
    if (children.Lookup(strKey, pChild))
        return;
    // A child that cannot be started is neither kept nor run; the others still are.
    pChild = make();
    try
    {
        pChild->SetSessionDirectory(m_strSessionDirectory);
        begin(*pChild);
    }
    catch (CException* e)
    {
        delete pChild;
        LogException(e);
        return;
    }
    children.SetAt(strKey, pChild);
}

void CCollectorThread::CreateSystemThreads(CSapSystem* pSystem)
{
    CreateChild(
        m_systemThreads, m_systemMutex, pSystem->m_strSystemId, [&] { return new CSystemThread(pSystem, this); },
        [](CSystemThread& child) {
            child.Start();
            child.StartWorker();
            child.SetEvent(CSystemThread::eventWriteSapInfoFile);
        });
}

void CCollectorThread::CreateHostThreads(CSapHost* pHost)
{
    CreateChild(
        m_hostThreads, m_hostMutex, pHost->m_strHostName, [&] { return new CHostThread(pHost, this); },
        [](CHostThread& child) {
            child.Start();
            child.SetEvent(CHostThread::eventWriteMachineInfoFile);
            child.SetEvent(CHostThread::eventInitialHostTasks);
        });
}

void CCollectorThread::CreateDatabaseThreads(CSapDatabase* pDatabase)
{
    CreateChild(
        m_databaseThreads, m_databaseMutex, pDatabase->m_strDatabaseName,
        [&] { return new CDatabaseThread(pDatabase, this); },
        [](CDatabaseThread& child) {
            child.StartInstances();
            child.StartWorker();
            child.SetEvent(CDatabaseThread::eventInitialDatabaseTasks);
        });
}

void CCollectorThread::OnEvent(int nEvent)
{
    // Whichever event comes first finds the children started: a tick is not lost to them.
    CreateChildren();
    switch (nEvent)
    {
    case eventPeriodic:
        if (!IsStopRequested())
            SetEventPeriodicSystemTasks();
        if (!IsStopRequested())
            SetEventPeriodicHostTasks();
        if (!IsStopRequested())
            SetEventPeriodicDatabaseTasks();
        break;
    case eventStart:
        // Which library the session's figures come from: a real one or the simulation.
        Log(nwrfc::CBinding::Process().Describe());
        WriteControlFiles();
        break;
    }
}

void CCollectorThread::SetEventPeriodicSystemTasks()
{
    Trap(_T("CCollectorThread::SetEventPeriodicSystemTasks"), [&] {
        Log(_T("setting periodic system events."));
        ForEachChild(m_systemThreads, m_systemMutex, [&](CSystemThread& child) {
            if (IsStopRequested())
                return;
            child.SetEvent(CSystemThread::eventPeriodicSystemTasks);
            child.SetEvent(CSystemThread::eventPeriodicInstanceTasks);
        });
    });
}

void CCollectorThread::SetEventPeriodicHostTasks()
{
    Trap(_T("CCollectorThread::SetEventPeriodicHostTasks"), [&] {
        Log(_T("setting periodic host events."));
        ForEachChild(m_hostThreads, m_hostMutex, [&](CHostThread& child) {
            if (!IsStopRequested())
                child.SetEvent(CHostThread::eventPeriodicHostTasks);
        });
    });
}

void CCollectorThread::SetEventPeriodicDatabaseTasks()
{
    Trap(_T("CCollectorThread::SetEventPeriodicDatabaseTasks"), [&] {
        Log(_T("setting periodic database events."));
        ForEachChild(m_databaseThreads, m_databaseMutex, [&](CDatabaseThread& child) {
            if (!IsStopRequested())
                child.SetEvent(CDatabaseThread::eventPeriodicDatabaseTasks);
        });
    });
}

template <class Records> void CCollectorThread::WriteControlFile(ControlFile nFile, Records records)
{
    Trap(kControlFiles[nFile].lpszWriter, [&] {
        Log(kControlFiles[nFile].lpszText);
        CSessionFile file(m_strControlFiles[nFile], SessionFileMode::Snapshot);
        records(file);
    });
}

void CCollectorThread::WriteControlFiles()
{
    WriteCustomerControlFile();
    WriteZOLControlFile();
    WritePcControlFile();
    WriteSystemControlFile();
    WriteInstanceControlFile();
    WriteHostControlFile();
    WriteDatabaseControlFile();
}

void CCollectorThread::WriteCustomerControlFile()
{
    WriteControlFile(controlCustomer, [&](CSessionFile& file) {
        WriteProfileRecord(file, *m_pOwner, _T("Customer"), kCustomerSize, kCustomerFields);
    });
}

void CCollectorThread::WriteZOLControlFile()
{
    WriteControlFile(controlZOL,
                     [&](CSessionFile& file) { WriteProfileRecord(file, *m_pOwner, _T("ZOL"), kZOLSize, kZOLFields); });
}

void CCollectorThread::WritePcControlFile()
{
    WriteControlFile(controlPc, [&](CSessionFile& file) {
        const CPcInfo& pc = m_pOwner->GetPcInfo();
        CSessionRecord record(kPcSize);
        record.SetInt32(0, kPcMark);
        record.SetText(4, 128, pc.m_strOs);
        record.SetText(132, 32, pc.m_strProcessor);
        record.SetInt32(164, static_cast<int>(pc.m_nProcessors));
        record.SetInt32(168, static_cast<int>(pc.m_nMHz));
        record.SetInt64(172, static_cast<__int64>(pc.m_nMemoryLoad));
        record.SetInt64(180, static_cast<__int64>(pc.m_nTotalPhys));
        record.SetInt64(188, static_cast<__int64>(pc.m_nAvailPhys));
        record.SetInt64(196, static_cast<__int64>(pc.m_nTotalVirtual));
        record.SetInt64(204, pc.m_nUtcOffset);
        file.Write(record);
    });
}

void CCollectorThread::WriteSystemControlFile()
{
    WriteControlFile(controlSystem, [&](CSessionFile& file) {
        WriteChildRecords(file, m_systemThreads, m_systemMutex, kSystemLayout);
    });
}

void CCollectorThread::WriteInstanceControlFile()
{
    WriteControlFile(controlInstance, [&](CSessionFile& file) {
        ForEachChild(m_systemThreads, m_systemMutex, [&](CSystemThread& system) {
            // The system's own thread talks to the logon server and has no record.
            CSessionRecord record(kInstanceLayout.nSize);
            system.GetInstanceThreads().ForEach([&](CInstanceThread& instance) {
                record.Fill(instance, kInstanceLayout, 0);
                file.Write(record);
            });
        });
    });
}

void CCollectorThread::WriteHostControlFile()
{
    WriteControlFile(controlHost,
                     [&](CSessionFile& file) { WriteChildRecords(file, m_hostThreads, m_hostMutex, kHostLayout); });
}

void CCollectorThread::WriteDatabaseControlFile()
{
    WriteControlFile(controlDatabase, [&](CSessionFile& file) {
        WriteChildRecords(file, m_databaseThreads, m_databaseMutex, kDatabaseLayout);
    });
}

CString CCollectorThread::GetSourceName() const
{
    return _T("Collector");
}

int CCollectorThread::GetCategory() const
{
    return CSessionHost::categoryCollector;
}

CString CCollectorThread::FormatLogFileName(DWORD dwThreadId) const
{
    CString strName;
    strName.Format(_T("%scollector(0x%X).log"), (LPCTSTR)m_strSessionDirectory, dwThreadId);
    return strName;
}

HWND CCollectorThread::GetOutputWindow() const
{
    return m_pOwner->GetOutputWindow();
}
