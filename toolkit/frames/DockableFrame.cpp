#include <toolkit/frames/DockableFrame.h>
#include <toolkit/frames/SysCommandEx.h>

namespace tarnwick::frames
{
using nsSysCommandEx::ScxButtonMsgFilter;

IMPLEMENT_DYNCREATE(SECDockableFrame, SECFrameWnd)

SECDockableFrame::SECDockableFrame() : m_hMenuShared(nullptr), m_pMsgFilter(new SECMsgFilter(this))
{
    nsSysCommandEx::AddDocumentFrameFilters(m_descriptors, RUNTIME_CLASS(ScxButtonMsgFilter));
}

SECDockableFrame::~SECDockableFrame()
{
    delete m_pMsgFilter;
}
} // namespace tarnwick::frames
