// SECDockContext: construction from the system's metrics, and the bar's release.
#include <toolkit/frames/DockBar.h>
#include <toolkit/frames/DockContext.h>

namespace tarnwick::frames
{
SECDockContext::SECDockContext(CControlBar* pBar)
    : CDockContext(pBar), m_rectOutline(0, 0, 0, 0), m_ptDragStart(0, 0), m_ptOutline(0, 0), m_nOutlineRow(-1),
      m_bWasFloating(FALSE),
      // A floating frame keeps room for its caption buttons and its sizing frame.
      m_sizeMinFrame(
          ::GetSystemMetrics(SM_CXMENUSIZE) + 2 * (::GetSystemMetrics(SM_CXFRAME) + ::GetSystemMetrics(SM_CXBORDER)),
          ::GetSystemMetrics(SM_CYSMCAPTION) + 2 * (::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYBORDER))),
      m_sizeMaxFrame(::GetSystemMetrics(SM_CXFULLSCREEN), ::GetSystemMetrics(SM_CYFULLSCREEN))
{
}

SECDockContext::~SECDockContext()
{
    CDockBar* pDockBar = m_pBar->m_pDockBar;
    if (pDockBar == nullptr)
        return;
    if (auto* pToolkitDockBar = DYNAMIC_DOWNCAST(SECDockBar, pDockBar))
        pToolkitDockBar->RemoveControlBar(m_pBar, -1, 0);
    else
        pDockBar->RemoveControlBar(m_pBar, -1, 0);
    m_pBar->m_pDockBar = nullptr;
}
} // namespace tarnwick::frames
