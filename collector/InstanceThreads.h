// The instance threads of a system, host or database thread: instance name to thread, under a
// mutex of their own. The owner deletes them.
#pragma once

#include <collector/ForEachValue.h>
#include <collector/InstanceThread.h>

#include <afxcoll.h>
#include <afxtempl.h>

class CInstanceThreads
{
public:
    CInstanceThreads() = default;
    CInstanceThreads(const CInstanceThreads&) = delete;
    CInstanceThreads& operator=(const CInstanceThreads&) = delete;
    ~CInstanceThreads();

    // Takes the thread under the name unless the name is known; FALSE when it was known.
    BOOL Add(const CString& strName, CInstanceThread* pThread);
    BOOL Contains(const CString& strName);
    // Deletes every thread, each stopping its worker, and empties the map.
    void RemoveAll();
    // Calls f for every thread, without the mutex. Called by the thread that adds and removes
    // the threads, while stopping.
    void ForEachOwned(const std::function<void(CThreadObject&)>& f);
    // Sets the events on every thread, in map order, while the owner is not stopping.
    void SetEvents(std::initializer_list<int> events, const CThreadObject& owner);
    // The first thread, in map order, whose connection answers a ping while the owner is not
    // stopping; null when none does.
    CInstanceThread* FirstAnswering(const CThreadObject& owner);

    // Calls f(thread) for every thread in map order, under the mutex.
    template <class F> void ForEach(F f)
    {
        CSingleLock lock(&m_mutex, TRUE);
        ForEachValue(m_threads, [&](CInstanceThread* pThread) { f(*pThread); });
    }

private:
    CTypedPtrMap<CMapStringToPtr, CString, CInstanceThread*> m_threads;
    CMutex m_mutex;
};
