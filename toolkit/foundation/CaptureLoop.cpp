// SECCaptureLoop: the message loop of a drag with the mouse captured.
#include <toolkit/foundation/CaptureLoop.h>

namespace tarnwick::foundation
{
SECCaptureLoop::SECCaptureLoop(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
{
    ASSERT(::IsWindow(m_hWnd));
    ::SetCapture(m_hWnd);
    AfxLockTempMaps();
}

SECCaptureLoop::~SECCaptureLoop()
{
    AfxUnlockTempMaps();
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

SECCaptureLoop::Result SECCaptureLoop::Run(const std::function<Action(const MSG&)>& handler,
                                           const std::function<void()>& idle)
{
    for (;;)
    {
        // Checked after every message, sent ones included: a window that took the capture or a
        // WM_CANCELMODE handled by the default procedure ends the drag at once.
        if (::GetCapture() != m_hWnd)
            return cancelled;
        MSG msg;
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (idle)
                idle();
            else
                ::WaitMessage();
            continue;
        }
        switch (msg.message)
        {
        case WM_QUIT:
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return cancelled;
        case WM_CANCELMODE:
        case WM_RBUTTONDOWN:
            return cancelled;
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
                return cancelled;
            break;
        default:
            break;
        }
        switch (handler(msg))
        {
        case finish:
            return finished;
        case dispatch:
            ::DispatchMessageW(&msg);
            break;
        case handled:
            break;
        }
    }
}

BOOL SECEndCapturedDrag(CWnd* pWnd, BOOL& bDragging)
{
    if (!bDragging)
        return FALSE;
    bDragging = FALSE;
    if (::GetCapture() == pWnd->GetSafeHwnd())
        ::ReleaseCapture();
    return TRUE;
}
} // namespace tarnwick::foundation
