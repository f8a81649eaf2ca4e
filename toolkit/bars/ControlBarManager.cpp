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

BOOL SECControlBarManager::LoadNodeState(workspace::SECPersistentTreeNode* pNode)
{
    return pNode != nullptr;
}

void SECControlBarManager::LoadProfileState(LPCTSTR /*lpszSection*/)
{
}

BOOL SECControlBarManager::SaveNodeState(workspace::SECPTNFactory& /*factory*/, workspace::SECPersistentTreeNode* pParent)
{
    return pParent != nullptr;
}

void SECControlBarManager::SaveProfileState(LPCTSTR /*lpszSection*/)
{
}

UINT SECControlBarManager::GetBarTypeID(CControlBar*) const
{
    return 0;
}

frames::SECControlBarInfoEx* SECControlBarManager::CreateBarInfoEx(frames::SECControlBarInfo* /*pInfo*/)
{
    return nullptr;
}

CControlBar* SECControlBarManager::CreateBar(frames::SECControlBarInfo* /*pInfo*/)
{
    return nullptr;
}
} // namespace tarnwick::bars
