// Threads: worker threads that run one function, and thread objects that run their own
// InitInstance, Run and ExitInstance; user-interface threads run a message loop.
#pragma once

#include <atomic>

#define AFX_CDECL __cdecl

typedef UINT(AFX_CDECL* AFX_THREADPROC)(LPVOID);

class CWnd;

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
    // The exit code of the WM_QUIT that ended the message loop (0 when there was none).
    virtual int ExitInstance();
    // The message loop: idle processing while the queue is empty, then PumpMessage until
    // WM_QUIT; returns ExitInstance.
    virtual int Run();

    // The user-interface side. The thread's loop ends when m_pMainWnd is destroyed.
    CWnd* m_pMainWnd;
    virtual CWnd* GetMainWnd();
    // Gets and dispatches one message; FALSE on WM_QUIT.
    virtual BOOL PumpMessage();
    // Offers a message to the windows from its target up to the main window, then to the
    // main window; TRUE when one of them translated it.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Idle work, called with a rising count while the queue stays empty; TRUE asks for
    // more. Count 0 sends WM_IDLEUPDATECMDUI to a visible main window and its attached
    // descendants, count 1 frees the temporary handle maps.
    virtual BOOL OnIdle(LONG lCount);
    // FALSE for messages that do not restart idle processing: repeated mouse moves to the
    // same point, WM_PAINT and the caret's timer.
    virtual BOOL IsIdleMessage(MSG* pMsg);
    // A framework exception escaped a window procedure: it is reported (through
    // AfxMessageBox, not for CUserException) and the message gets a harmless result;
    // WM_CREATE fails and WM_PAINT is validated without a report.
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);

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
