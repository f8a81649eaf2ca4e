// Threads: worker threads that run one function, and thread objects that run their own
// InitInstance, Run and ExitInstance.
#pragma once

#include <atomic>

#define AFX_CDECL __cdecl

typedef UINT(AFX_CDECL* AFX_THREADPROC)(LPVOID);

class CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;

    // The thread starts suspended when dwCreateFlags has CREATE_SUSPENDED.
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

    operator HANDLE() const
    {
        return m_hThread;
    }
    // These return the previous suspend count, or (DWORD)-1 on failure.
    DWORD ResumeThread();
    DWORD SuspendThread();
    BOOL SetThreadPriority(int nPriority);
    int GetThreadPriority();

    // A thread object without a worker function runs these on its thread: Run when
    // InitInstance succeeds, else ExitInstance. Their result is the thread's exit code.
    virtual BOOL InitInstance();
    virtual int ExitInstance();
    virtual int Run();

    // Called when the thread ends: deletes the object when m_bAutoDelete is set.
    virtual void Delete();

    HANDLE m_hThread;
    DWORD m_nThreadID;
    // Read by the thread when it ends; clear it before the thread can end (create it
    // suspended) to keep the object and its handle until the owner deletes it.
    std::atomic<BOOL> m_bAutoDelete;

    AFX_THREADPROC m_pfnThreadProc;
    LPVOID m_pThreadParams;
};

// NULL when the thread cannot be made. Unless created suspended, an auto-deleting thread may
// already be gone when this returns.
CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority = THREAD_PRIORITY_NORMAL,
                                  UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
// The class must be a CWinThread with dynamic creation; NULL otherwise.
CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL,
                                  UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

// The calling thread's object: the one it was started with, the application object on the
// application's thread, else NULL.
CWinThread* AFXAPI AfxGetThread();

// Ends the calling thread at once; objects on its stack are not destroyed.
[[noreturn]] void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);
