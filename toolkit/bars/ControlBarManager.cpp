#include <toolkit/bars/ControlBarManager.h>

namespace tarnwick::bars
{
IMPLEMENT_DYNCREATE(SECControlBarManager, CObject)

SECControlBarManager::SECControlBarManager(CFrameWnd* pFrame) : m_pFrame(pFrame)
{
}

CFrameWnd* SECControlBarManager::GetFrame() const
{
    return m_pFrame;
}

UINT SECControlBarManager::GetBarTypeID(CControlBar*) const
{
    return 0;
}
} // namespace tarnwick::bars
