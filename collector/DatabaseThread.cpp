#include <collector/CollectorThread.h>
#include <collector/DatabaseThread.h>
#include <collector/ForEachValue.h>
#include <collector/SapDatabase.h>

IMPLEMENT_DYNAMIC(CDatabaseThread, CLandscapeThread)

CDatabaseThread::CDatabaseThread(CSapDatabase* pDatabase, CCollectorThread* pCollector)
    : CLandscapeThread(eventCount, pCollector), m_strSystemId(pDatabase->m_strSystemId),
      m_strDatabaseName(pDatabase->m_strDatabaseName), m_strDatabaseSystem(pDatabase->m_strDatabaseSystem),
      m_pDatabase(pDatabase)
{
}

void CDatabaseThread::StartInstances()
{
    CSingleLock lock(&m_pDatabase->m_instanceMutex, TRUE);
    ForEachValue(m_pDatabase->m_instances, [&](CSapInstance* pInstance) { StartInstanceThread(*pInstance); });
}

void CDatabaseThread::StartInstanceThread(const CRfcClient& instance)
{
    if (CInstanceThread* pThread = MapInstanceThread(instance, CSessionHost::categoryDatabase))
    {
        pThread->m_pBaselines = &m_baselines;
        pThread->Start();
        pThread->SetEvent(CInstanceThread::eventOpenConnection);
    }
}

void CDatabaseThread::OnEvent(int nEvent)
{
    switch (nEvent)
    {
    case eventInitialDatabaseTasks:
        Trap(_T("CDatabaseThread::EventInitialDatabaseTasks"), [&] { EventInitialDatabaseTasks(); });
        break;
    case eventPeriodicDatabaseTasks:
        Trap(_T("CDatabaseThread::EventPeriodicDatabaseTasks"), [&] { EventPeriodicDatabaseTasks(); });
        break;
    }
}

void CDatabaseThread::EventInitialDatabaseTasks()
{
    Log(_T("setting initial database events."));
    SetOnFirstAnswering(CInstanceThread::eventInitialDatabaseTasks);
}

void CDatabaseThread::EventPeriodicDatabaseTasks()
{
    Log(_T("setting periodic database events."));
    m_instanceThreads.SetEvents({CInstanceThread::eventPingWithReconnect}, *this);
    SetOnFirstAnswering(CInstanceThread::eventPeriodicDatabaseTasks);
}

CString CDatabaseThread::GetSourceName() const
{
    return m_strDatabaseName;
}

int CDatabaseThread::GetCategory() const
{
    return CSessionHost::categoryDatabase;
}

CString CDatabaseThread::FormatLogFileName(DWORD dwThreadId) const
{
    CString strName;
    strName.Format(_T("%s%s_%s(0x%X).log"), (LPCTSTR)m_strSessionDirectory, (LPCTSTR)m_strDatabaseName,
                   (LPCTSTR)m_strDatabaseSystem, dwThreadId);
    return strName;
}
