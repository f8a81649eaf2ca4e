// The window classes' state of each thread: the messages being handled, the creation hook,
// command routing, temporary maps and tool tips.
#pragma once

class CFrameWnd;
class CView;
class CToolTipCtrl;

struct _AFX_THREAD_STATE
{
    // The message loop's current message.
    MSG m_msgCur;
    // The message that the innermost window procedure handles (Default, reflection).
    MSG m_lastSentMsg;
    // The last mouse move, so that repeated moves to the same point do not count as input.
    POINT m_ptCursorLast;
    UINT m_nMsgLast;
    // Control notifications to this window are dropped while it is set.
    HWND m_hLockoutNotifyWindow;

    // The object waiting for its window in CreateEx, and the hook that attaches it.
    CWnd* m_pWndInit;
    HHOOK m_hHookOldCbtFilter;

    // Set by frames and views while they route a command, for handlers that ask.
    CFrameWnd* m_pRoutingFrame;
    CView* m_pRoutingView;

    // The window objects of the thread's handles, made on first use and freed by
    // AfxTermThread; AfxLockTempMaps count.
    CHandleObjectMap<CWnd, HWND, &CWnd::m_hWnd>* m_pmapHWND;
    int m_nTempMapLock;

    // What AfxAtThreadTerm registered, newest first.
    struct TermFunc
    {
        void (*pfn)();
        TermFunc* pNext;
    };
    TermFunc* m_pTermFuncs;

    // The thread's tool tip control and the tool it shows.
    CToolTipCtrl* m_pToolTip;
    CWnd* m_pLastHit;
    INT_PTR m_nLastHit;
    TOOLINFO m_lastInfo;

    // AfxRegisterWndClass's result.
    TCHAR m_szTempClassName[96];
};

// The state is plain data: objects with destructors in thread-local storage are destroyed
// after their storage is freed when a thread other than the main one ends (emulated TLS).
_AFX_THREAD_STATE* AFXAPI AfxGetThreadState();
// Frees what the state holds; the framework's threads call it when they end.
void AFXAPI AfxTermThread();
