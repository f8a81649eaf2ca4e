#include <afxmt.h>
#include <afxwin.h>

#include <atomic>
#include <functional>

#include <gtest/gtest.h>

namespace
{
const DWORD kJoinTimeout = 10000;

UINT SetFlag(LPVOID pParam)
{
    *static_cast<std::atomic<bool>*>(pParam) = true;
    return 3;
}

// Counts its destruction, to show who deletes it and when.
class CountedThread : public CWinThread
{
public:
    CountedThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam) : CWinThread(pfnThreadProc, pParam)
    {
    }
    ~CountedThread() override
    {
        ++s_destroyed;
    }
    static std::atomic<int> s_destroyed;
};
std::atomic<int> CountedThread::s_destroyed{0};

// Thread objects that run InitInstance, Run and ExitInstance; each result names the step.
class StartingThread : public CWinThread
{
    DECLARE_DYNCREATE(StartingThread)
public:
    BOOL InitInstance() override
    {
        return AfxGetThread() == this;
    }
    int Run() override
    {
        return 40;
    }
};
IMPLEMENT_DYNCREATE(StartingThread, CWinThread)

class RefusingThread : public CWinThread
{
    DECLARE_DYNCREATE(RefusingThread)
public:
    BOOL InitInstance() override
    {
        return FALSE;
    }
    int ExitInstance() override
    {
        return 41;
    }
    int Run() override
    {
        return 99;
    }
};
IMPLEMENT_DYNCREATE(RefusingThread, CWinThread)

class NotAThread : public CObject
{
    DECLARE_DYNCREATE(NotAThread)
};
IMPLEMENT_DYNCREATE(NotAThread, CObject)

DWORD ExitCodeOf(HANDLE hThread)
{
    DWORD code = STILL_ACTIVE;
    EXPECT_TRUE(::GetExitCodeThread(hThread, &code));
    return code;
}
} // namespace

TEST(WinThread, SuspendedThreadRunsOnlyAfterResume)
{
    // Started both ways: AfxBeginThread, and an object of the caller's with CreateThread.
    const std::function<CWinThread*(std::atomic<bool>&)> starts[] = {
        [](std::atomic<bool>& ran) {
            return AfxBeginThread(&SetFlag, &ran, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        },
        [](std::atomic<bool>& ran) {
            auto* pThread = new CWinThread(&SetFlag, &ran);
            EXPECT_TRUE(pThread->CreateThread(CREATE_SUSPENDED));
            return pThread;
        },
    };
    for (const auto& start : starts)
    {
        std::atomic<bool> ran{false};
        CWinThread* pThread = start(ran);
        ASSERT_NE(pThread, nullptr);
        pThread->m_bAutoDelete = FALSE;
        EXPECT_NE(pThread->m_nThreadID, 0u);

        EXPECT_EQ(::WaitForSingleObject(*pThread, 100), static_cast<DWORD>(WAIT_TIMEOUT));
        EXPECT_FALSE(ran);
        EXPECT_EQ(pThread->ResumeThread(), 1u);
        ASSERT_EQ(::WaitForSingleObject(*pThread, kJoinTimeout), WAIT_OBJECT_0);
        EXPECT_TRUE(ran);
        EXPECT_EQ(ExitCodeOf(*pThread), 3u);
        delete pThread;
    }
}

TEST(WinThread, StartsWithTheAskedPriority)
{
    std::atomic<bool> ran{false};
    CWinThread* pThread = AfxBeginThread(&SetFlag, &ran, THREAD_PRIORITY_BELOW_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(pThread, nullptr);
    pThread->m_bAutoDelete = FALSE;
    EXPECT_EQ(pThread->GetThreadPriority(), THREAD_PRIORITY_BELOW_NORMAL);
    EXPECT_TRUE(pThread->SetThreadPriority(THREAD_PRIORITY_ABOVE_NORMAL));
    EXPECT_EQ(pThread->GetThreadPriority(), THREAD_PRIORITY_ABOVE_NORMAL);
    EXPECT_EQ(pThread->SuspendThread(), 1u);
    EXPECT_EQ(pThread->ResumeThread(), 2u);
    EXPECT_EQ(pThread->ResumeThread(), 1u);
    EXPECT_EQ(::WaitForSingleObject(*pThread, kJoinTimeout), WAIT_OBJECT_0);
    EXPECT_TRUE(ran);
    delete pThread;
}

TEST(WinThread, AutoDeleteDecidesWhoDeletesTheObject)
{
    struct Case
    {
        BOOL bAutoDelete;
        bool bEndThread; // the thread ends itself with AfxEndThread
    };
    for (const Case c : {Case{TRUE, false}, Case{FALSE, false}, Case{TRUE, true}, Case{FALSE, true}})
    {
        struct Context
        {
            bool bEndThread;
            std::atomic<CWinThread*> pSeen{nullptr};
            std::atomic<bool> bPastEnd{false};
        } context{c.bEndThread};
        const auto proc = [](LPVOID pParam) -> UINT {
            auto& context = *static_cast<Context*>(pParam);
            context.pSeen = AfxGetThread();
            if (context.bEndThread)
                AfxEndThread(7);
            context.bPastEnd = true;
            return 5;
        };
        const int destroyedBefore = CountedThread::s_destroyed;
        auto* pThread = new CountedThread(proc, &context);
        ASSERT_TRUE(pThread->CreateThread(CREATE_SUSPENDED));
        pThread->m_bAutoDelete = c.bAutoDelete;
        // A handle of the test's own outlives an auto-deleting object.
        HANDLE hThread = nullptr;
        ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), *pThread, ::GetCurrentProcess(), &hThread, 0, FALSE,
                                      DUPLICATE_SAME_ACCESS));
        pThread->ResumeThread();

        ASSERT_EQ(::WaitForSingleObject(hThread, kJoinTimeout), WAIT_OBJECT_0);
        EXPECT_EQ(ExitCodeOf(hThread), c.bEndThread ? 7u : 5u);
        EXPECT_EQ(context.pSeen, pThread);
        EXPECT_EQ(context.bPastEnd, !c.bEndThread);
        ::CloseHandle(hThread);
        EXPECT_EQ(CountedThread::s_destroyed - destroyedBefore, c.bAutoDelete ? 1 : 0);
        if (!c.bAutoDelete)
        {
            // The object's handle stays valid until the owner deletes it.
            EXPECT_EQ(::WaitForSingleObject(pThread->m_hThread, 0), WAIT_OBJECT_0);
            EXPECT_EQ(ExitCodeOf(pThread->m_hThread), c.bEndThread ? 7u : 5u);
            delete pThread;
            EXPECT_EQ(CountedThread::s_destroyed - destroyedBefore, 1);
        }
    }
}

TEST(WinThread, WorkerEndsSoonAfterItsStopEvent)
{
    struct Worker
    {
        CEvent stop;
        CEvent work;
        std::atomic<int> jobs{0};
        std::atomic<int> timeouts{0};
    } worker;
    const auto proc = [](LPVOID pParam) -> UINT {
        auto& worker = *static_cast<Worker*>(pParam);
        CSyncObject* objects[] = {&worker.stop, &worker.work};
        CMultiLock lock(objects, 2);
        for (;;)
        {
            const DWORD result = lock.Lock(200, FALSE);
            if (result == WAIT_OBJECT_0)
                return 0;
            if (result == WAIT_OBJECT_0 + 1)
                ++worker.jobs;
            else if (result == WAIT_TIMEOUT)
                ++worker.timeouts;
            else
                return 1;
            lock.Unlock();
        }
    };
    CWinThread* pThread = AfxBeginThread(proc, &worker, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(pThread, nullptr);
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();

    worker.work.SetEvent();
    // The worker goes on waiting after its time-outs.
    const ULONGLONG start = ::GetTickCount64();
    while ((worker.jobs == 0 || worker.timeouts == 0) && ::GetTickCount64() - start < kJoinTimeout)
        ::Sleep(10);
    EXPECT_EQ(worker.jobs, 1);
    EXPECT_GE(worker.timeouts, 1);

    const ULONGLONG stopped = ::GetTickCount64();
    worker.stop.SetEvent();
    ASSERT_EQ(::WaitForSingleObject(*pThread, kJoinTimeout), WAIT_OBJECT_0);
    EXPECT_LT(::GetTickCount64() - stopped, 1000u);
    EXPECT_EQ(ExitCodeOf(*pThread), 0u);
    delete pThread;
}

TEST(WinThread, ThreadObjectsRunTheirInstanceSteps)
{
    const struct
    {
        CRuntimeClass* pClass;
        DWORD exitCode;
    } cases[] = {
        {RUNTIME_CLASS(StartingThread), 40}, // InitInstance saw its own object, then Run
        {RUNTIME_CLASS(RefusingThread), 41}, // InitInstance failed: ExitInstance
    };
    for (const auto& c : cases)
    {
        CWinThread* pThread = AfxBeginThread(c.pClass, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        ASSERT_NE(pThread, nullptr) << c.pClass->m_lpszClassName;
        EXPECT_TRUE(pThread->IsKindOf(c.pClass));
        pThread->m_bAutoDelete = FALSE;
        pThread->ResumeThread();
        ASSERT_EQ(::WaitForSingleObject(*pThread, kJoinTimeout), WAIT_OBJECT_0);
        EXPECT_EQ(ExitCodeOf(*pThread), c.exitCode) << c.pClass->m_lpszClassName;
        delete pThread;
    }

    // Only creatable thread classes start.
    EXPECT_EQ(AfxBeginThread(RUNTIME_CLASS(NotAThread)), nullptr);
    EXPECT_EQ(AfxBeginThread(RUNTIME_CLASS(CWinThread)), nullptr);
    EXPECT_EQ(AfxBeginThread(static_cast<CRuntimeClass*>(nullptr)), nullptr);
}

TEST(WinThread, ApplicationIsTheThreadObjectOfItsThread)
{
    EXPECT_EQ(AfxGetThread(), nullptr);
    {
        CWinApp app(_T("Thread Test"));
        EXPECT_EQ(AfxGetThread(), &app);
        EXPECT_EQ(app.m_nThreadID, ::GetCurrentThreadId());

        // Other threads see the application and a handle of its thread, but not as theirs.
        struct Seen
        {
            std::atomic<CWinApp*> pApp{nullptr};
            std::atomic<CWinThread*> pThread{nullptr};
            std::atomic<DWORD> wait{0};
        } seen;
        const auto proc = [](LPVOID pParam) -> UINT {
            auto& seen = *static_cast<Seen*>(pParam);
            seen.pApp = AfxGetApp();
            seen.pThread = AfxGetThread();
            seen.wait = ::WaitForSingleObject(AfxGetApp()->m_hThread, 0);
            return 0;
        };
        CWinThread* pThread = AfxBeginThread(proc, &seen, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        ASSERT_NE(pThread, nullptr);
        pThread->m_bAutoDelete = FALSE;
        pThread->ResumeThread();
        ASSERT_EQ(::WaitForSingleObject(*pThread, kJoinTimeout), WAIT_OBJECT_0);
        EXPECT_EQ(seen.pApp, &app);
        EXPECT_EQ(seen.pThread, pThread);
        EXPECT_EQ(seen.wait, static_cast<DWORD>(WAIT_TIMEOUT));
        delete pThread;
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
    EXPECT_EQ(AfxGetThread(), nullptr);
}
