#include <afxpriv.h>

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

// Detaches the calling thread from its object, deleting it when asked, and frees the
// thread's framework state.
void DetachThreadObject(BOOL bDelete)
{
    AfxTermThread();
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

// The loop steps of CWinThread, also used by threads that have no thread object.
BOOL PumpThreadMessage()
{
    MSG& msg = AfxGetThreadState()->m_msgCur;
    if (!::GetMessage(&msg, nullptr, 0, 0))
        return FALSE;
    // WM_KICKIDLE is posted only to wake a modal loop up.
    if (msg.message != WM_KICKIDLE && !AfxPreTranslateMessage(&msg))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    return TRUE;
}

BOOL PreTranslateThreadMessage(MSG* pMsg)
{
    CWnd* pMainWnd = AfxGetMainWnd();
    if (CWnd::WalkPreTranslateTree(pMainWnd->GetSafeHwnd(), pMsg))
        return TRUE;
    // Modeless windows outside the main window still get its accelerators.
    if (pMainWnd != nullptr && CWnd::FromHandle(pMsg->hwnd)->GetTopLevelParent() != pMainWnd)
        return pMainWnd->PreTranslateMessage(pMsg);
    return FALSE;
}

BOOL IsIdleThreadMessage(const MSG* pMsg)
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE)
    {
        if (pState->m_ptCursorLast.x == pMsg->pt.x && pState->m_ptCursorLast.y == pMsg->pt.y &&
            pState->m_nMsgLast == pMsg->message)
            return FALSE;
        pState->m_ptCursorLast = pMsg->pt;
        pState->m_nMsgLast = pMsg->message;
        return TRUE;
    }
    // 0x0118 is the system timer that blinks the caret.
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

LRESULT HandleWndProcException(CException* e, const MSG* pMsg)
{
    if (pMsg->message == WM_CREATE)
        return -1;
    if (pMsg->message == WM_PAINT)
    {
        // Else the same paint comes back at once, and fails again.
        ::ValidateRect(pMsg->hwnd, nullptr);
        return 0;
    }
    LRESULT lResult = 0;
    // A failed command counts as handled.
    if (pMsg->message == WM_COMMAND)
        lResult = TRUE;
    if (e->IsKindOf(RUNTIME_CLASS(CMemoryException)))
        e->ReportError(MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
    else if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
        e->ReportError(MB_ICONSTOP);
    return lResult;
}
} // namespace

CWinThread::CWinThread() : CWinThread(nullptr, nullptr)
{
}

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pMainWnd(nullptr), m_hThread(nullptr), m_nThreadID(0), m_bAutoDelete(TRUE), m_pfnThreadProc(pfnThreadProc),
      m_pThreadParams(pParam)
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
    return static_cast<int>(AfxGetThreadState()->m_msgCur.wParam);
}

int CWinThread::Run()
{
    MSG& msg = AfxGetThreadState()->m_msgCur;
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;)
    {
        while (bIdle && !::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE))
        {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do
        {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&msg))
            {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

CWnd* CWinThread::GetMainWnd()
{
    return m_pMainWnd;
}

BOOL CWinThread::PumpMessage()
{
    return PumpThreadMessage();
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    return PreTranslateThreadMessage(pMsg);
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0)
    {
        CWnd* pMainWnd = m_pMainWnd;
        if (pMainWnd != nullptr && pMainWnd->m_hWnd != nullptr && pMainWnd->IsWindowVisible())
        {
            AfxCallWndProc(pMainWnd, pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
            pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        // The thread's other visible frames (floating bars' frames among them) lay out too.
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND hWnd, LPARAM lParam) -> BOOL {
                auto* pFrame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(hWnd));
                if (pFrame != nullptr && hWnd != reinterpret_cast<HWND>(lParam) && ::IsWindowVisible(hWnd))
                {
                    AfxCallWndProc(pFrame, hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
                    pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(pMainWnd != nullptr ? pMainWnd->m_hWnd : nullptr));
    }
    else if (lCount == 1 && AfxGetThreadState()->m_nTempMapLock == 0)
    {
        AfxLockTempMaps();
        AfxUnlockTempMaps();
    }
    return lCount < 1;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    return IsIdleThreadMessage(pMsg);
}

LRESULT CWinThread::ProcessWndProcException(CException* e, const MSG* pMsg)
{
    return HandleWndProcException(e, pMsg);
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

BOOL AFXAPI AfxPumpMessage()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr ? pThread->PumpMessage() : PumpThreadMessage();
}

BOOL AFXAPI AfxPreTranslateMessage(MSG* pMsg)
{
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr ? pThread->PreTranslateMessage(pMsg) : PreTranslateThreadMessage(pMsg);
}

BOOL AFXAPI AfxIsIdleMessage(MSG* pMsg)
{
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr ? pThread->IsIdleMessage(pMsg) : IsIdleThreadMessage(pMsg);
}

LRESULT AFXAPI AfxProcessWndProcException(CException* e, const MSG* pMsg)
{
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr ? pThread->ProcessWndProcException(e, pMsg) : HandleWndProcException(e, pMsg);
}
