// Scoped access to synchronisation objects: whatever a lock object acquired, it gives back
// when it is unlocked or destroyed.
#pragma once

#include <vector>

class CSingleLock
{
public:
    explicit CSingleLock(CSyncObject* pObject, BOOL bInitialLock = FALSE);
    ~CSingleLock();
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    // TRUE when acquired, FALSE on time-out. Locking again while locked acquires nothing more.
    BOOL Lock(DWORD dwTimeOut = INFINITE);
    // TRUE when the object is no longer held.
    BOOL Unlock();
    BOOL Unlock(LONG lCount, LPLONG lPrevCount = nullptr);
    BOOL IsLocked() const
    {
        return m_bAcquired;
    }

private:
    CSyncObject* m_pObject;
    BOOL m_bAcquired;
};

class CMultiLock
{
public:
    // The objects need handles: a critical section throws CInvalidArgException.
    CMultiLock(CSyncObject* ppObjects[], DWORD dwCount, BOOL bInitialLock = FALSE);
    ~CMultiLock();
    CMultiLock(const CMultiLock&) = delete;
    CMultiLock& operator=(const CMultiLock&) = delete;

    // The result of WaitForMultipleObjects (MsgWaitForMultipleObjects with a wake mask):
    // WAIT_OBJECT_0 + i or WAIT_ABANDONED_0 + i when acquired, WAIT_OBJECT_0 + count for
    // input, WAIT_TIMEOUT, WAIT_FAILED.
    DWORD Lock(DWORD dwTimeOut = INFINITE, BOOL bWaitForAll = TRUE, DWORD dwWakeMask = 0);
    // Unlocks every object that is held; TRUE when none is held any more.
    BOOL Unlock();
    BOOL Unlock(LONG lCount, LPLONG lPrevCount = nullptr);
    BOOL IsLocked(DWORD dwItem) const;

private:
    template <typename Release> BOOL UnlockEach(Release release);

    std::vector<CSyncObject*> m_objects;
    std::vector<HANDLE> m_handles;
    std::vector<BOOL> m_locked;
};
