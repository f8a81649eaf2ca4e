// The framework's internal messages and helpers that frames, views, control bars and
// dialogs share.
#pragma once

#include <afxext.h>

#include <afx/ThreadState.h>
#include <afx/DockBar.h>
#include <afx/DockContext.h>
#include <afx/DockState.h>
#include <afx/MiniDockFrameWnd.h>
#include <afx/PreviewView.h>

#define WM_QUERYAFXWNDPROC 0x0360 // answered 1 by AfxWndProc
#define WM_SIZEPARENT 0x0361      // lParam: AFX_SIZEPARENTPARAMS*
#define WM_SETMESSAGESTRING 0x0362
#define WM_IDLEUPDATECMDUI 0x0363 // wParam: disable if no handler
#define WM_INITIALUPDATE 0x0364
#define WM_COMMANDHELP 0x0365
#define WM_HELPHITTEST 0x0366
#define WM_EXITHELPMODE 0x0367
#define WM_RECALCPARENT 0x0368
#define WM_SIZECHILD 0x0369
#define WM_KICKIDLE 0x036A // wParam: MSGF_DIALOGBOX, lParam: idle count
#define WM_QUERYCENTERWND 0x036B
#define WM_DISABLEMODAL 0x036C
#define WM_FLOATSTATUS 0x036D
#define WM_ACTIVATETOPLEVEL 0x036E // wParam: as WM_ACTIVATE, lParam: HWND[2] (window, other)
#define WM_RESERVED_036F 0x036F
#define WM_RESERVED_0370 0x0370
#define WM_RESERVED_0371 0x0371
#define WM_RESERVED_0372 0x0372
#define WM_SOCKET_NOTIFY 0x0373
#define WM_SOCKET_DEAD 0x0374
#define WM_POPMESSAGESTRING 0x0375
#define WM_HELPPROMPTADDR 0x0376
#define WM_QUEUE_SENTINEL 0x037A
#define WM_FORWARDMSG 0x037F

// Help contexts: commands, resources, non-client hit codes and controls.
#define HID_BASE_COMMAND 0x00010000UL
#define HID_BASE_RESOURCE 0x00020000UL
#define HID_BASE_NCAREAS 0x00040000UL
#define HID_BASE_CONTROL 0x00050000UL

// WM_SIZEPARENT: each control bar takes its part of rect and defers its move into hDWP
// (NULL while the layout is only queried).
struct AFX_SIZEPARENTPARAMS
{
    HDWP hDWP;
    RECT rect;
    SIZE sizeTotal;
    BOOL bStretch;
};

// The dialog procedure of the framework's dialogs and property pages: the window procedure
// handles their messages through the message maps, WM_INITDIALOG included.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Moves a child to lpRect (parent client coordinates) unless it is there already, deferred
// into lpLayout when given.
void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);

// The framework's window classes, registered on first use by AfxDeferRegisterClass.
#define AFX_WND_REG 0x00001
#define AFX_WNDCONTROLBAR_REG 0x00002
#define AFX_WNDMDIFRAME_REG 0x00004
#define AFX_WNDFRAMEORVIEW_REG 0x00008
#define AFX_WNDCOMMCTLS_REG 0x00010
#define AFX_WNDCOMMCTL_COOL_REG 0x00020
extern const TCHAR _afxWnd[];
extern const TCHAR _afxWndControlBar[];
extern const TCHAR _afxWndMDIFrame[];
extern const TCHAR _afxWndFrameOrView[];
BOOL AFXAPI AfxDeferRegisterClass(LONG fToRegister);

// The creation hook around CreateWindowEx: the next window that the thread creates is
// attached to pWnd and subclassed before its first message. Unhook answers FALSE when no
// window was attached.
void AFXAPI AfxHookWindowCreate(CWnd* pWnd);
BOOL AFXAPI AfxUnhookWindowCreate();

// The thread's message loop steps, through the thread object when there is one.
BOOL AFXAPI AfxPumpMessage();
BOOL AFXAPI AfxPreTranslateMessage(MSG* pMsg);
BOOL AFXAPI AfxIsIdleMessage(MSG* pMsg);
// Handles a framework exception that escaped a window procedure: the thread's
// ProcessWndProcException, or its default when the thread has no object.
LRESULT AFXAPI AfxProcessWndProcException(CException* e, const MSG* pMsg);

// The parent of a child, else the owner (an attached window's GetOwner).
HWND AFXAPI AfxGetParentOwner(HWND hWnd);
