// SECFrameBar: the host of a dockable frame.
#include <toolkit/frames/FrameBar.h>

namespace tarnwick::frames
{
IMPLEMENT_DYNCREATE(SECFrameBar, SECControlBar)
IMPLEMENT_DYNAMIC(SECToolBar, SECControlBar)

BEGIN_MESSAGE_MAP(SECFrameBar, SECControlBar)
ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

BOOL SECFrameBar::PreTranslateMessage(MSG* pMsg)
{
    return CWnd::PreTranslateMessage(pMsg);
}

int SECFrameBar::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    if (!IsFloating())
        return CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    // The floating frame holding the bar: the top of its parent chain, not of its owners.
    ::SetActiveWindow(::GetAncestor(m_hWnd, GA_ROOT));
    return MA_ACTIVATE;
}
} // namespace tarnwick::frames
