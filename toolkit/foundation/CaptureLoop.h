// A modal drag with the mouse captured by a window. The loop takes the thread's messages until its
// handler finishes the drag; Escape, a press of the right button, WM_CANCELMODE and a loss of the
// capture cancel it, and a WM_QUIT cancels it and is posted again for the application's own loop.
// The capture and the lock on the temporary handle maps are given back on every way out, an
// exception included.
#pragma once

#include <afxwin.h>

#include <functional>

namespace tarnwick::foundation
{
class SECCaptureLoop
{
public:
    // What the handler makes of a message: dispatch it, swallow it, or finish the drag with it.
    enum Action
    {
        dispatch,
        handled,
        finish
    };
    enum Result
    {
        finished,
        cancelled
    };

    // Captures the mouse for the window.
    explicit SECCaptureLoop(CWnd* pWnd);
    ~SECCaptureLoop();
    SECCaptureLoop(const SECCaptureLoop&) = delete;
    SECCaptureLoop& operator=(const SECCaptureLoop&) = delete;

    // Gives the handler every message but those that cancel the drag. With an idle function, it
    // is called whenever no message waits, in place of waiting for one: a drag that repeats
    // an action while the button is held waits there itself, as long as the next repeat allows.
    Result Run(const std::function<Action(const MSG&)>& handler, const std::function<void()>& idle = nullptr);

private:
    HWND m_hWnd;
};

// Ends a drag of the window's that holds the mouse captured without a loop of its own: clears the
// flag first, since releasing the capture reports its change to the window again, then gives the
// capture back. FALSE when no drag was on.
BOOL SECEndCapturedDrag(CWnd* pWnd, BOOL& bDragging);

// A cache DC of a window that draws over its children too (a drag's outline), released when the
// object goes.
class SECDragDC : public CDC
{
public:
    explicit SECDragDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
    {
        Attach(::GetDCEx(m_hWnd, nullptr, DCX_CACHE));
    }
    ~SECDragDC() override
    {
        ::ReleaseDC(m_hWnd, Detach());
    }
    SECDragDC(const SECDragDC&) = delete;
    SECDragDC& operator=(const SECDragDC&) = delete;

private:
    HWND m_hWnd;
};
} // namespace tarnwick::foundation
