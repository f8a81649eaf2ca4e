#include <afxmt.h>

#include <algorithm>

CSingleLock::CSingleLock(CSyncObject* pObject, BOOL bInitialLock) : m_pObject(pObject), m_bAcquired(FALSE)
{
    if (pObject == nullptr)
        AfxThrowInvalidArgException();
    if (bInitialLock)
        Lock();
}

CSingleLock::~CSingleLock()
{
    Unlock();
}

BOOL CSingleLock::Lock(DWORD dwTimeOut)
{
    // A second acquisition would be given back only once, leaving a mutex owned.
    if (!m_bAcquired)
        m_bAcquired = m_pObject->Lock(dwTimeOut);
    return m_bAcquired;
}

BOOL CSingleLock::Unlock()
{
    if (m_bAcquired)
        m_bAcquired = !m_pObject->Unlock();
    return !m_bAcquired;
}

BOOL CSingleLock::Unlock(LONG lCount, LPLONG lPrevCount)
{
    if (m_bAcquired)
        m_bAcquired = !m_pObject->Unlock(lCount, lPrevCount);
    return !m_bAcquired;
}

CMultiLock::CMultiLock(CSyncObject* ppObjects[], DWORD dwCount, BOOL bInitialLock)
    : m_objects(ppObjects, ppObjects + dwCount), m_locked(dwCount, FALSE)
{
    if (dwCount == 0 || dwCount > MAXIMUM_WAIT_OBJECTS)
        AfxThrowInvalidArgException();
    for (CSyncObject* pObject : m_objects)
    {
        if (pObject == nullptr || pObject->m_hObject == nullptr)
            AfxThrowInvalidArgException();
        m_handles.push_back(pObject->m_hObject);
    }
    if (bInitialLock)
        Lock();
}

CMultiLock::~CMultiLock()
{
    Unlock();
}

DWORD CMultiLock::Lock(DWORD dwTimeOut, BOOL bWaitForAll, DWORD dwWakeMask)
{
    const DWORD count = static_cast<DWORD>(m_handles.size());
    const DWORD result = dwWakeMask == 0
                             ? ::WaitForMultipleObjects(count, m_handles.data(), bWaitForAll, dwTimeOut)
                             : ::MsgWaitForMultipleObjects(count, m_handles.data(), bWaitForAll, dwTimeOut, dwWakeMask);

    DWORD index = count;
    if (result >= WAIT_OBJECT_0 && result < WAIT_OBJECT_0 + count)
        index = result - WAIT_OBJECT_0;
    else if (result >= WAIT_ABANDONED_0 && result < WAIT_ABANDONED_0 + count)
        index = result - WAIT_ABANDONED_0;
    if (index < count)
    {
        if (bWaitForAll)
            std::fill(m_locked.begin(), m_locked.end(), TRUE);
        else
            m_locked[index] = TRUE;
    }
    return result;
}

template <typename Release> BOOL CMultiLock::UnlockEach(Release release)
{
    BOOL bNoneHeld = TRUE;
    for (size_t i = 0; i < m_objects.size(); ++i)
    {
        if (m_locked[i])
            m_locked[i] = !release(m_objects[i]);
        bNoneHeld = bNoneHeld && !m_locked[i];
    }
    return bNoneHeld;
}

BOOL CMultiLock::Unlock()
{
    return UnlockEach([](CSyncObject* pObject) { return pObject->Unlock(); });
}

BOOL CMultiLock::Unlock(LONG lCount, LPLONG lPrevCount)
{
    return UnlockEach([=](CSyncObject* pObject) { return pObject->Unlock(lCount, lPrevCount); });
}

BOOL CMultiLock::IsLocked(DWORD dwItem) const
{
    if (dwItem >= m_locked.size())
        AfxThrowInvalidArgException();
    return m_locked[dwItem];
}
