// Synchronisation objects: mutexes, events, critical sections and semaphores, each locked
// through the same interface so that CSingleLock and CMultiLock can wait on any of them.
#pragma once

class CSyncObject : public CObject
{
    DECLARE_DYNAMIC(CSyncObject)
public:
    // The name is kept by the kernel object that the derived class creates.
    explicit CSyncObject(LPCTSTR pstrName);
    ~CSyncObject() override;
    CSyncObject(const CSyncObject&) = delete;
    CSyncObject& operator=(const CSyncObject&) = delete;

    operator HANDLE() const
    {
        return m_hObject;
    }

    // TRUE when the object was acquired (an abandoned mutex is acquired too), FALSE on time-out.
    virtual BOOL Lock(DWORD dwTimeout = INFINITE);
    virtual BOOL Unlock() = 0;
    // Objects without a count release once.
    virtual BOOL Unlock(LONG lCount, LPLONG lpPrevCount = nullptr);

    HANDLE m_hObject;
};

// Recursive: the owning thread may lock it again and unlocks it as often. Objects with the
// same name share one mutex, also across processes.
class CMutex : public CSyncObject
{
    DECLARE_DYNAMIC(CMutex)
public:
    explicit CMutex(BOOL bInitiallyOwn = FALSE, LPCTSTR lpszName = nullptr,
                    LPSECURITY_ATTRIBUTES lpsaAttribute = nullptr);

    using CSyncObject::Unlock;
    BOOL Unlock() override;
};

class CEvent : public CSyncObject
{
    DECLARE_DYNAMIC(CEvent)
public:
    // bInitiallyOwn: the event starts signalled.
    explicit CEvent(BOOL bInitiallyOwn = FALSE, BOOL bManualReset = FALSE, LPCTSTR lpszName = nullptr,
                    LPSECURITY_ATTRIBUTES lpsaAttribute = nullptr);

    BOOL SetEvent();
    BOOL ResetEvent();
    BOOL PulseEvent();

    // Waiting on an event takes nothing that needs giving back.
    using CSyncObject::Unlock;
    BOOL Unlock() override;
};

// Within one process only. It has no handle, so CMultiLock cannot wait on it, and it cannot
// wait with a time-out: Lock waits until it gets the section.
class CCriticalSection : public CSyncObject
{
    DECLARE_DYNAMIC(CCriticalSection)
public:
    CCriticalSection();
    ~CCriticalSection() override;

    operator CRITICAL_SECTION*()
    {
        return &m_sect;
    }

    BOOL Lock();
    BOOL Lock(DWORD dwTimeout) override;
    using CSyncObject::Unlock;
    BOOL Unlock() override;

    CRITICAL_SECTION m_sect;
};

class CSemaphore : public CSyncObject
{
    DECLARE_DYNAMIC(CSemaphore)
public:
    explicit CSemaphore(LONG lInitialCount = 1, LONG lMaxCount = 1, LPCTSTR pstrName = nullptr,
                        LPSECURITY_ATTRIBUTES lpsaAttributes = nullptr);

    BOOL Unlock() override;
    // FALSE when the count would pass the maximum; nothing is released then.
    BOOL Unlock(LONG lCount, LPLONG lprevCount = nullptr) override;
};
