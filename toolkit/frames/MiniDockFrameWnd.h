// The floating frame of toolkit bars: the framework's floating frame around a toolkit dock
// bar, so that floating bars keep the toolkit's rows, splitters and shares.
#pragma once

#include <afxpriv.h>

namespace tarnwick::frames
{
class SECMiniDockFrameWnd : public CMiniDockFrameWnd
{
    DECLARE_DYNCREATE(SECMiniDockFrameWnd)
public:
    SECMiniDockFrameWnd();

protected:
    // A click in a bar brings the frame to the top.
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
} // namespace tarnwick::frames
