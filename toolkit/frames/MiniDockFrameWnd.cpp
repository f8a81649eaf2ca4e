// SECMiniDockFrameWnd: a floating frame with a toolkit dock bar.
#include <toolkit/frames/DockBar.h>
#include <toolkit/frames/MiniDockFrameWnd.h>

namespace tarnwick::frames
{
IMPLEMENT_DYNCREATE(SECMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(SECMiniDockFrameWnd, CMiniDockFrameWnd)
ON_WM_PARENTNOTIFY()
END_MESSAGE_MAP()

SECMiniDockFrameWnd::SECMiniDockFrameWnd() : CMiniDockFrameWnd(new SECDockBar(TRUE, FALSE))
{
}

void SECMiniDockFrameWnd::OnParentNotify(UINT message, LPARAM)
{
    if (LOWORD(message) == WM_LBUTTONDOWN || LOWORD(message) == WM_RBUTTONDOWN)
        SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    Default();
}
} // namespace tarnwick::frames
