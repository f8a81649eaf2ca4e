#include <toolkit/frames/FrameBar.h>

namespace tarnwick::frames
{
IMPLEMENT_DYNCREATE(SECFrameBar, SECControlBar)
IMPLEMENT_DYNAMIC(SECToolBar, SECControlBar)
} // namespace tarnwick::frames
