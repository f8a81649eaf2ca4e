// The base of a frame's control-bar managers: it holds the frame and gives the do-nothing
// forms of the managers' operations.
#pragma once

#include <afxwin.h>

namespace tarnwick::frames
{
class SECControlBarInfo;
class SECControlBarInfoEx;
} // namespace tarnwick::frames
namespace tarnwick::workspace
{
class SECPersistentTreeNode;
class SECPTNFactory;
} // namespace tarnwick::workspace

namespace tarnwick::bars
{
class SECControlBarManager : public CObject
{
    DECLARE_DYNCREATE(SECControlBarManager)
public:
    explicit SECControlBarManager(CFrameWnd* pFrame = nullptr);

    virtual CFrameWnd* GetFrame() const;
    // The manager's own settings in the workspace tree and in the profile; the base keeps none
    // (the node forms succeed when given a node).
    virtual BOOL LoadNodeState(workspace::SECPersistentTreeNode* pNode);
    virtual void LoadProfileState(LPCTSTR lpszSection);
    virtual BOOL SaveNodeState(workspace::SECPTNFactory& factory, workspace::SECPersistentTreeNode* pParent);
    virtual void SaveProfileState(LPCTSTR lpszSection);
    // The type id under which saved bar records name the bar; 0 for bars it does not know.
    virtual UINT GetBarTypeID(CControlBar* pBar) const;
    // The extra information stored with a bar's record, owned by the record; NULL for none.
    virtual frames::SECControlBarInfoEx* CreateBarInfoEx(frames::SECControlBarInfo* pInfo);
    // A bar for a record whose bar the frame lacks; NULL when the manager makes none.
    virtual CControlBar* CreateBar(frames::SECControlBarInfo* pInfo);

private:
    CFrameWnd* m_pFrame;
};
} // namespace tarnwick::bars
