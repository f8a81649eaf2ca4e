#include <collector/InstanceThreads.h>

CInstanceThreads::~CInstanceThreads()
{
    RemoveAll();
}

BOOL CInstanceThreads::Add(const CString& strName, CInstanceThread* pThread)
{
    CSingleLock lock(&m_mutex, TRUE);
    CInstanceThread* pKnown = nullptr;
    if (m_threads.Lookup(strName, pKnown))
        return FALSE;
    m_threads.SetAt(strName, pThread);
    return TRUE;
}

BOOL CInstanceThreads::Contains(const CString& strName)
{
    CSingleLock lock(&m_mutex, TRUE);
    CInstanceThread* pKnown = nullptr;
    return m_threads.Lookup(strName, pKnown);
}

void CInstanceThreads::RemoveAll()
{
    CSingleLock lock(&m_mutex, TRUE);
    ForEach([](CInstanceThread& thread) { delete &thread; });
    m_threads.RemoveAll();
}

void CInstanceThreads::ForEachOwned(const std::function<void(CThreadObject&)>& f)
{
    // Without the mutex: the owner's worker may hold it while it waits in a ping for a
    // connection that only the stop request closes. The map changes only on the thread that asks.
    ForEachValue(m_threads, [&](CInstanceThread* pThread) { f(*pThread); });
}

void CInstanceThreads::SetEvents(std::initializer_list<int> events, const CThreadObject& owner)
{
    ForEach([&](CInstanceThread& thread) {
        if (owner.IsStopRequested())
            return;
        for (int nEvent : events)
            thread.SetEvent(nEvent);
    });
}

CInstanceThread* CInstanceThreads::FirstAnswering(const CThreadObject& owner)
{
    CInstanceThread* pFound = nullptr;
    ForEach([&](CInstanceThread& thread) {
        if (pFound == nullptr && !owner.IsStopRequested() && thread.IsAlive())
            pFound = &thread;
    });
    return pFound;
}
