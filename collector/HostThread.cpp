#include <collector/CollectorThread.h>
#include <collector/ForEachValue.h>
#include <collector/HostThread.h>
#include <collector/SapHost.h>

IMPLEMENT_DYNAMIC(CHostThread, CLandscapeThread)

namespace
{
constexpr RecordField<CHostThread> kMachineInfoFields[] = {
    RECORD_FIELD(CHostThread, 0, 64, Text, m_strVendor),     RECORD_FIELD(CHostThread, 64, 64, Text, m_strModel),
    RECORD_FIELD(CHostThread, 128, 4, Int32, m_strCpuCount), RECORD_FIELD(CHostThread, 132, 4, Int32, m_strCpuSpeed),
    RECORD_FIELD(CHostThread, 136, 4, Int32, m_strMemory),   RECORD_FIELD(CHostThread, 140, 4, Int32, m_strDisk),
};
constexpr RecordLayout<CHostThread> kMachineInfoLayout{144, kMachineInfoFields};
static_assert(kMachineInfoLayout.IsValid());
} // namespace

CHostThread::CHostThread(CSapHost* pHost, CCollectorThread* pCollector)
    : CLandscapeThread(eventCount, pCollector), CHostTexts(*pHost), m_pHost(pHost), m_bInitialTasksSet(FALSE)
{
}

void CHostThread::Start()
{
    StartInstance();
    StartWorker();
}

void CHostThread::StartInstance()
{
    m_strMachineInfoFile.Format(_T("%s%s.mif"), (LPCTSTR)m_strSessionDirectory, (LPCTSTR)m_strHostName);
    CSingleLock lock(&m_pHost->m_instanceMutex, TRUE);
    ForEachValue(m_pHost->m_instances, [&](CSapInstance* pInstance) { CreateInstanceThread(*pInstance); });
}

void CHostThread::CreateInstanceThread(const CRfcClient& instance)
{
    if (CInstanceThread* pThread = MapInstanceThread(instance, CSessionHost::categoryHost))
    {
        pThread->LOCAL_REMOTE = instance.LOCAL_REMOTE;
        pThread->LOGICAL_DESTINATION = instance.LOGICAL_DESTINATION;
        pThread->m_strMainframeSystem = instance.m_strMainframeSystem;
        pThread->Start();
        pThread->SetEvent(CInstanceThread::eventOpenConnection);
    }
}

void CHostThread::OnEvent(int nEvent)
{
    switch (nEvent)
    {
    case eventWriteMachineInfoFile:
        Trap(_T("CHostThread::WriteMachineInfoFile"), [&] { WriteMachineInfoFile(); });
        break;
    case eventInitialHostTasks:
        Trap(_T("CHostThread::EventInitialHostTasks"), [&] { EventInitialHostTasks(); });
        break;
    case eventPeriodicHostTasks:
        Trap(_T("CHostThread::EventPeriodicHostTasks"), [&] { EventPeriodicHostTasks(); });
        break;
    }
}

void CHostThread::WriteMachineInfoFile()
{
    Log(_T("writing machine information file."));
    CSessionFile file(m_strMachineInfoFile, SessionFileMode::Snapshot);
    CSessionRecord record(kMachineInfoLayout.nSize);
    record.Fill(*this, kMachineInfoLayout, 0);
    file.Write(record);
}

void CHostThread::SetInitialHostTasks()
{
    if (!m_bInitialTasksSet)
        m_bInitialTasksSet = SetOnFirstAnswering(CInstanceThread::eventInitialHostTasks);
}

void CHostThread::EventInitialHostTasks()
{
    Log(_T("setting initial host events."));
    SetInitialHostTasks();
}

void CHostThread::EventPeriodicHostTasks()
{
    Log(_T("setting periodic host events."));
    m_instanceThreads.SetEvents({CInstanceThread::eventPingWithReconnect}, *this);
    // The thread that answers first serves its initial tasks before the tick's (lower event).
    SetInitialHostTasks();
    SetOnFirstAnswering(CInstanceThread::eventPeriodicHostTasks);
}

CString CHostThread::GetSourceName() const
{
    return m_strHostName;
}

int CHostThread::GetCategory() const
{
    return CSessionHost::categoryHost;
}
