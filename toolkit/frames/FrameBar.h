// The control bar that hosts a dockable frame, and the toolbar class whose identity the dock
// bars test.
#pragma once

#include <toolkit/frames/ControlBar.h>

namespace tarnwick::frames
{
class SECFrameBar : public SECControlBar
{
    DECLARE_DYNCREATE(SECFrameBar)
public:
    // The window's own: keys reach the hosted frame's accelerators instead of the bar's
    // handling.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // A floating bar brings its floating frame forward.
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()
};

class SECToolBar : public SECControlBar
{
    DECLARE_DYNAMIC(SECToolBar)
};
} // namespace tarnwick::frames
