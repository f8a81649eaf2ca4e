// A frame for a document view that sits in a frame bar instead of among the MDI children, with
// the caption filters of an MDI child.
#pragma once

#include <toolkit/frames/FrameWnd.h>
#include <toolkit/frames/MsgFilter.h>

namespace tarnwick::frames
{
class SECDockableFrame : public SECFrameWnd
{
    DECLARE_DYNCREATE(SECDockableFrame)
public:
    SECDockableFrame();
    ~SECDockableFrame() override;

private:
    // Taken from the document template when the frame is loaded.
    HMENU m_hMenuShared;
    SECMsgFilter* m_pMsgFilter;
    SECMsgFilter::DescriptorTable m_descriptors;
};
} // namespace tarnwick::frames
