// The control bar that hosts a dockable frame, and the toolbar class whose identity the dock
// bars test.
#pragma once

#include <toolkit/frames/ControlBar.h>

namespace tarnwick::frames
{
class SECFrameBar : public SECControlBar
{
    DECLARE_DYNCREATE(SECFrameBar)
};

class SECToolBar : public SECControlBar
{
    DECLARE_DYNAMIC(SECToolBar)
};
} // namespace tarnwick::frames
