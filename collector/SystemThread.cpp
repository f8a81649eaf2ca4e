#include <collector/CollectorThread.h>
#include <collector/ForEachValue.h>
#include <collector/SapSystem.h>
#include <collector/SystemThread.h>

IMPLEMENT_DYNAMIC(CSystemThread, CLandscapeThread)

namespace
{
constexpr RecordField<CSystemThread> kSapInfoFields[] = {
    RECORD_FIELD(CSystemThread, 0, 20, Text, m_strInstallDate),
    RECORD_FIELD(CSystemThread, 20, 64, Text, m_strNetwork),
    RECORD_FIELD(CSystemThread, 84, 4, Int32, m_strUserCount),
    RECORD_FIELD(CSystemThread, 88, 4, Int32, m_strSap64Addr),
    RECORD_FIELD(CSystemThread, 92, 4, Int32, m_strDb64Addr),
    RECORD_FIELD(CSystemThread, 96, 4, Int32, m_strCen),
};
constexpr RecordLayout<CSystemThread> kSapInfoLayout{100, kSapInfoFields};
static_assert(kSapInfoLayout.IsValid());
} // namespace

CSystemThread::CSystemThread(CSapSystem* pSystem, CCollectorThread* pCollector)
    : CLandscapeThread(eventCount, pCollector), CSystemProfileTexts(*pSystem), m_strSystemId(pSystem->m_strSystemId),
      m_strSapRelease(pSystem->m_strSapRelease), m_strDatabaseSystem(pSystem->m_strDatabaseSystem), m_pSystem(pSystem),
      m_pSystemInstanceThread(nullptr)
{
}

CSystemThread::~CSystemThread()
{
    Stop();
    delete m_pSystemInstanceThread;
}

void CSystemThread::Start()
{
    m_strInfoFile.Format(_T("%s%s.sap"), (LPCTSTR)m_strSessionDirectory, (LPCTSTR)m_strSystemId);
    StartSystemInstanceThread();
    CSingleLock lock(&m_pSystem->m_instanceMutex, TRUE);
    ForEachValue(m_pSystem->m_instances, [&](CSapInstance* pInstance) { StartInstanceThread(*pInstance); });
}

void CSystemThread::ForEachOwnedThread(const std::function<void(CThreadObject&)>& f)
{
    CLandscapeThread::ForEachOwnedThread(f);
    if (m_pSystemInstanceThread != nullptr)
        f(*m_pSystemInstanceThread);
}

void CSystemThread::StartSystemInstanceThread()
{
    if (m_pSystemInstanceThread != nullptr)
        return;
    m_pSystemInstanceThread =
        CInstanceThread::CreateFor(m_pCollector, *m_pSystem, m_strSessionDirectory, CSessionHost::categorySystem);
    m_pSystemInstanceThread->m_bDsrEnabled = _wtoi(m_strCen);
    m_pSystemInstanceThread->Start();
    m_pSystemInstanceThread->SetEvent(CInstanceThread::eventOpenConnection);
    m_pSystemInstanceThread->SetEvent(CInstanceThread::eventInitialSystemTasks);
}

void CSystemThread::StartInstanceThread(const CRfcClient& instance)
{
    if (CInstanceThread* pThread = MapInstanceThread(instance, CSessionHost::categoryInstance))
    {
        pThread->Start();
        pThread->SetEvent(CInstanceThread::eventOpenConnection);
        pThread->SetEvent(CInstanceThread::eventInitialInstanceTasks);
    }
}

void CSystemThread::OnEvent(int nEvent)
{
    switch (nEvent)
    {
    case eventWriteSapInfoFile:
        Trap(_T("CSystemThread::WriteSapInfoFile"), [&] { WriteSapInfoFile(); });
        break;
    case eventPeriodicSystemTasks:
        Trap(_T("CSystemThread::EventPeriodicSystemTasks"), [&] { EventPeriodicSystemTasks(); });
        break;
    case eventPeriodicInstanceTasks:
        Trap(_T("CSystemThread::EventPeriodicInstanceTasks"), [&] { EventPeriodicInstanceTasks(); });
        break;
    }
}

void CSystemThread::WriteSapInfoFile()
{
    Log(_T("writing sap information file."));
    CSessionFile file(m_strInfoFile, SessionFileMode::Snapshot);
    CSessionRecord record(kSapInfoLayout.nSize);
    record.Fill(*this, kSapInfoLayout, 0);
    file.Write(record);
}

void CSystemThread::EventPeriodicSystemTasks()
{
    Log(_T("setting periodic system events."));
    if (m_pSystemInstanceThread != nullptr && !IsStopRequested())
    {
        m_pSystemInstanceThread->SetEvent(CInstanceThread::eventPingWithReconnect);
        m_pSystemInstanceThread->SetEvent(CInstanceThread::eventPeriodicSystemTasks);
    }
}

void CSystemThread::EventPeriodicInstanceTasks()
{
    Log(_T("setting periodic instance events."));
    m_instanceThreads.SetEvents({CInstanceThread::eventPingWithReconnect, CInstanceThread::eventPeriodicInstanceTasks},
                                *this);
}

CString CSystemThread::GetSourceName() const
{
    return m_strSystemId;
}

int CSystemThread::GetCategory() const
{
    return CSessionHost::categorySystem;
}
