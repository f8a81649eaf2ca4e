#include <afxwin.h>

#include <process.h>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace
{
// Holds the CWinThread of each thread that the framework started.
DWORD CurrentThreadSlot()
{
    static const DWORD slot = ::TlsAlloc();
    return slot;
}

// Detaches the calling thread from its object, deleting it when asked.
void DetachThreadObject(BOOL bDelete)
{
    auto* pThread = static_cast<CWinThread*>(::TlsGetValue(CurrentThreadSlot()));
    ::TlsSetValue(CurrentThreadSlot(), nullptr);
    if (pThread != nullptr && bDelete)
        pThread->Delete();
}

unsigned __stdcall ThreadEntry(void* pParam)
{
    auto* pThread = static_cast<CWinThread*>(pParam);
    ::TlsSetValue(CurrentThreadSlot(), pThread);
    UINT nResult;
    if (pThread->m_pfnThreadProc != nullptr)
        nResult = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
    else if (pThread->InitInstance())
        nResult = pThread->Run();
    else
        nResult = pThread->ExitInstance();
    DetachThreadObject(TRUE);
    return nResult;
}

CWinThread* StartThread(CWinThread* pThread, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                        LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs))
    {
        pThread->Delete();
        return nullptr;
    }
    pThread->SetThreadPriority(nPriority);
    if ((dwCreateFlags & CREATE_SUSPENDED) == 0)
        pThread->ResumeThread();
    return pThread;
}
} // namespace

CWinThread::CWinThread() : CWinThread(nullptr, nullptr)
{
}

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_hThread(nullptr), m_nThreadID(0), m_bAutoDelete(TRUE), m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam)
{
}

CWinThread::~CWinThread()
{
    if (m_hThread != nullptr)
        ::CloseHandle(m_hThread);
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (m_hThread != nullptr)
        return FALSE;
    // Always suspended at first: the handle and id must be stored before the thread can run
    // and, auto-deleting, destroy this object.
    unsigned threadId = 0;
    const auto hThread = reinterpret_cast<HANDLE>(
        _beginthreadex(lpSecurityAttrs, nStackSize, &ThreadEntry, this, dwCreateFlags | CREATE_SUSPENDED, &threadId));
    if (hThread == nullptr)
        return FALSE;
    m_hThread = hThread;
    m_nThreadID = threadId;
    if ((dwCreateFlags & CREATE_SUSPENDED) == 0)
        ::ResumeThread(hThread);
    return TRUE;
}

DWORD CWinThread::ResumeThread()
{
    return ::ResumeThread(m_hThread);
}

DWORD CWinThread::SuspendThread()
{
    return ::SuspendThread(m_hThread);
}

BOOL CWinThread::SetThreadPriority(int nPriority)
{
    return ::SetThreadPriority(m_hThread, nPriority);
}

int CWinThread::GetThreadPriority()
{
    return ::GetThreadPriority(m_hThread);
}

BOOL CWinThread::InitInstance()
{
    // A plain thread object has nothing to run.
    return FALSE;
}

int CWinThread::ExitInstance()
{
    return 0;
}

int CWinThread::Run()
{
    return ExitInstance();
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                                  DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (pfnThreadProc == nullptr)
        return nullptr;
    return StartThread(new CWinThread(pfnThreadProc, pParam), nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (pThreadClass == nullptr || !pThreadClass->IsDerivedFrom(RUNTIME_CLASS(CWinThread)))
        return nullptr;
    auto* pThread = static_cast<CWinThread*>(pThreadClass->CreateObject());
    if (pThread == nullptr)
        return nullptr;
    return StartThread(pThread, nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

CWinThread* AFXAPI AfxGetThread()
{
    if (auto* pThread = static_cast<CWinThread*>(::TlsGetValue(CurrentThreadSlot())))
        return pThread;
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_nThreadID == ::GetCurrentThreadId())
        return pApp;
    return nullptr;
}

void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete)
{
    DetachThreadObject(bDelete);
    _endthreadex(nExitCode);
}
