#include <afxmt.h>
#include <afxwin.h>

#include <atomic>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

namespace
{
const DWORD kJoinTimeout = 10000;

// A framework thread running a function; it is joined before it goes away.
class TestThread
{
public:
    explicit TestThread(std::function<UINT()> body) : m_body(std::move(body))
    {
        m_pThread = AfxBeginThread(&Entry, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        m_pThread->m_bAutoDelete = FALSE;
        m_pThread->ResumeThread();
    }
    ~TestThread()
    {
        // A thread that hangs keeps its object: the test has failed already.
        if (::WaitForSingleObject(*m_pThread, kJoinTimeout) == WAIT_OBJECT_0)
            delete m_pThread;
    }
    TestThread(const TestThread&) = delete;
    TestThread& operator=(const TestThread&) = delete;

    UINT Join()
    {
        EXPECT_EQ(::WaitForSingleObject(*m_pThread, kJoinTimeout), WAIT_OBJECT_0);
        DWORD code = 0;
        ::GetExitCodeThread(*m_pThread, &code);
        return code;
    }

private:
    static UINT Entry(LPVOID pParam)
    {
        return static_cast<TestThread*>(pParam)->m_body();
    }

    std::function<UINT()> m_body;
    CWinThread* m_pThread;
};

UINT OnOtherThread(std::function<UINT()> body)
{
    return TestThread(std::move(body)).Join();
}

// Whether another thread gets the object within the time-out.
bool OtherThreadLocks(CSyncObject& object, DWORD dwTimeout = 0)
{
    return OnOtherThread([&] {
        CSingleLock lock(&object);
        return lock.Lock(dwTimeout);
    });
}

CString UniqueName(LPCTSTR lpszBase)
{
    static LONG counter = 0;
    CString name;
    name.Format(_T("%s-%lu-%ld"), lpszBase, ::GetCurrentProcessId(), ::InterlockedIncrement(&counter));
    return name;
}

// Waits until the condition holds; false when it does not within the join time-out.
bool WaitUntil(const std::function<bool()>& condition)
{
    const ULONGLONG start = ::GetTickCount64();
    while (!condition())
    {
        if (::GetTickCount64() - start > kJoinTimeout)
            return false;
        ::Sleep(1);
    }
    return true;
}
} // namespace

TEST(Mutex, IsRecursiveAndTimesOutOnOtherThreads)
{
    CMutex mutex;
    {
        CSingleLock first(&mutex), second(&mutex);
        EXPECT_TRUE(first.Lock(0));
        EXPECT_TRUE(second.Lock(0));

        const ULONGLONG start = ::GetTickCount64();
        EXPECT_FALSE(OtherThreadLocks(mutex, 50));
        EXPECT_GE(::GetTickCount64() - start, 30u);

        // Still held once more.
        EXPECT_TRUE(first.Unlock());
        EXPECT_FALSE(OtherThreadLocks(mutex));
    }
    EXPECT_TRUE(OtherThreadLocks(mutex, 50));
}

TEST(Mutex, NamedMutexesAreSharedAndMayStartOwned)
{
    const CString name = UniqueName(_T("LumiterSyncTest"));
    CMutex owner(TRUE, name);
    CMutex other(FALSE, name);
    EXPECT_FALSE(OtherThreadLocks(other));
    EXPECT_TRUE(owner.Unlock());
    EXPECT_TRUE(OtherThreadLocks(other));
}

TEST(Mutex, AbandonedMutexIsAcquired)
{
    CMutex mutex;
    OnOtherThread([&] { return mutex.Lock(); });
    {
        CSingleLock lock(&mutex);
        EXPECT_TRUE(lock.Lock(0));
        EXPECT_TRUE(lock.IsLocked());
    }
    EXPECT_TRUE(OtherThreadLocks(mutex));
}

TEST(SyncObject, FailedCreationThrowsResourceException)
{
    const CString eventName = UniqueName(_T("LumiterSyncTestEvent"));
    const CString mutexName = UniqueName(_T("LumiterSyncTestMutex"));
    CEvent existingEvent(FALSE, FALSE, eventName);
    CMutex existingMutex(FALSE, mutexName);

    const std::function<void()> creations[] = {
        [] { CSemaphore semaphore(2, 1); },
        [] { CSemaphore semaphore(0, 0); },
        [] { CSemaphore semaphore(-1, 1); },
        [&] { CMutex mutex(FALSE, eventName); },
        [&] { CEvent event(FALSE, FALSE, mutexName); },
        [&] { CSemaphore semaphore(1, 1, eventName); },
    };
    for (size_t i = 0; i < std::size(creations); ++i)
    {
        bool thrown = false;
        try
        {
            creations[i]();
        }
        catch (CResourceException* e)
        {
            thrown = true;
            e->Delete();
        }
        EXPECT_TRUE(thrown) << i;
    }
}

TEST(SingleLock, InitialLockAndDestructorRelease)
{
    CMutex mutex;
    {
        CSingleLock lock(&mutex, TRUE);
        EXPECT_TRUE(lock.IsLocked());
        // Locking a held lock takes nothing more: one unlock frees the mutex.
        EXPECT_TRUE(lock.Lock(0));
        EXPECT_TRUE(lock.Unlock());
        EXPECT_FALSE(lock.IsLocked());
        EXPECT_TRUE(lock.Unlock());
        EXPECT_TRUE(OtherThreadLocks(mutex));

        EXPECT_TRUE(lock.Lock());
        EXPECT_FALSE(OtherThreadLocks(mutex));
    }
    EXPECT_TRUE(OtherThreadLocks(mutex));
}

TEST(Semaphore, CountsLocksAndReleases)
{
    CSemaphore semaphore(2, 3);
    CSingleLock a(&semaphore), b(&semaphore), c(&semaphore);
    EXPECT_TRUE(a.Lock(0));
    EXPECT_TRUE(b.Lock(0));
    EXPECT_FALSE(c.Lock(0));
    EXPECT_FALSE(c.IsLocked());

    LONG previous = -1;
    EXPECT_TRUE(a.Unlock(1, &previous));
    EXPECT_EQ(previous, 0);
    EXPECT_FALSE(a.IsLocked());
    EXPECT_TRUE(c.Lock(0));

    // Past the maximum nothing is released.
    EXPECT_FALSE(semaphore.Unlock(4));
    EXPECT_TRUE(semaphore.Unlock(3, &previous));
    EXPECT_EQ(previous, 0);
    EXPECT_FALSE(semaphore.Unlock());
}

TEST(CriticalSection, ExcludesOtherThreadsWhileLocked)
{
    CCriticalSection section;
    const auto otherThreadEnters = [&] {
        return OnOtherThread([&] {
            if (!::TryEnterCriticalSection(section))
                return FALSE;
            ::LeaveCriticalSection(section);
            return TRUE;
        });
    };
    {
        CSingleLock lock(&section, TRUE);
        EXPECT_TRUE(lock.IsLocked());
        EXPECT_FALSE(otherThreadEnters());
    }
    EXPECT_TRUE(otherThreadEnters());
}

TEST(Event, AutoResetWakesOneWaiterManualResetWakesAll)
{
    const int kWaiters = 3;
    for (const BOOL bManualReset : {FALSE, TRUE})
    {
        CEvent event(FALSE, bManualReset);
        CEvent done(FALSE, TRUE);
        std::atomic<int> waiting{0}, woken{0};
        std::vector<std::unique_ptr<TestThread>> waiters;
        for (int i = 0; i < kWaiters; ++i)
        {
            waiters.push_back(std::make_unique<TestThread>([&] {
                CSyncObject* objects[] = {&event, &done};
                CMultiLock lock(objects, 2);
                ++waiting;
                if (lock.Lock(INFINITE, FALSE) == WAIT_OBJECT_0)
                    ++woken;
                return 0u;
            }));
        }
        ASSERT_TRUE(WaitUntil([&] { return waiting == kWaiters; }));
        ::Sleep(20);

        EXPECT_TRUE(event.SetEvent());
        const int expected = bManualReset ? kWaiters : 1;
        EXPECT_TRUE(WaitUntil([&] { return woken == expected; })) << bManualReset;
        // Give a wrongly woken waiter time to show up.
        ::Sleep(100);
        EXPECT_EQ(woken, expected) << bManualReset;
        EXPECT_EQ(CSingleLock(&event).Lock(0), bManualReset);

        done.SetEvent();
        waiters.clear();
    }
}

TEST(MultiLock, WaitsForAllOrAny)
{
    CMutex mutex;
    CSemaphore semaphore(1, 1);
    CEvent event(FALSE, TRUE);
    CSyncObject* objects[] = {&mutex, &semaphore, &event};
    {
        CMultiLock lock(objects, 3);
        // Waiting for all acquires nothing while one is missing.
        EXPECT_EQ(lock.Lock(0), static_cast<DWORD>(WAIT_TIMEOUT));
        for (DWORD i = 0; i < 3; ++i)
            EXPECT_FALSE(lock.IsLocked(i)) << i;
        EXPECT_TRUE(OtherThreadLocks(mutex));
        EXPECT_TRUE(OtherThreadLocks(semaphore));

        event.SetEvent();
        EXPECT_EQ(lock.Lock(0), WAIT_OBJECT_0);
        for (DWORD i = 0; i < 3; ++i)
            EXPECT_TRUE(lock.IsLocked(i)) << i;
        EXPECT_FALSE(OtherThreadLocks(mutex));
        EXPECT_FALSE(OtherThreadLocks(semaphore));

        EXPECT_TRUE(lock.Unlock());
        for (DWORD i = 0; i < 3; ++i)
            EXPECT_FALSE(lock.IsLocked(i)) << i;
        EXPECT_TRUE(OtherThreadLocks(mutex));
        EXPECT_TRUE(OtherThreadLocks(semaphore));

        // The semaphore is taken: waiting for any gets the event.
        CSingleLock hold(&semaphore, TRUE);
        CSyncObject* some[] = {&semaphore, &event};
        CMultiLock any(some, 2);
        EXPECT_EQ(any.Lock(0, FALSE), WAIT_OBJECT_0 + 1);
        EXPECT_FALSE(any.IsLocked(0));
        EXPECT_TRUE(any.IsLocked(1));
    }
    // The destructor gave everything back.
    EXPECT_TRUE(OtherThreadLocks(mutex));
    EXPECT_TRUE(OtherThreadLocks(semaphore));
}

TEST(MultiLock, WakeMaskReturnsOnInput)
{
    CEvent event;
    CSyncObject* objects[] = {&event};
    CMultiLock lock(objects, 1);

    MSG msg;
    ::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE); // gives the thread its queue
    ASSERT_TRUE(::PostThreadMessage(::GetCurrentThreadId(), WM_APP, 0, 0));
    EXPECT_EQ(lock.Lock(kJoinTimeout, FALSE, QS_POSTMESSAGE), WAIT_OBJECT_0 + 1);
    EXPECT_FALSE(lock.IsLocked(0));
    EXPECT_TRUE(::PeekMessage(&msg, nullptr, WM_APP, WM_APP, PM_REMOVE));
}

TEST(MultiLock, RejectsObjectsWithoutHandles)
{
    CCriticalSection section;
    CEvent event;
    CSyncObject* objects[] = {&event, &section};
    bool thrown = false;
    try
    {
        CMultiLock lock(objects, 2);
    }
    catch (CInvalidArgException* e)
    {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
}
