// The docking bar "SAP Landscape": the registered systems, hosts and databases, each a tree in
// a tab of its own.
#pragma once

#include <app/DatabaseTree.h>
#include <app/HostTree.h>
#include <app/SystemTree.h>

#include <toolkit/frames/ControlBar.h>
#include <toolkit/tabs/3DTabWnd.h>

class CLandscapeWnd : public tarnwick::frames::SECControlBar
{
    DECLARE_DYNCREATE(CLandscapeWnd)
public:
    CLandscapeWnd() = default;
    ~CLandscapeWnd() override;

    CSystemTree& GetSystemTree()
    {
        return m_wndSystemTree;
    }
    CHostTree& GetHostTree()
    {
        return m_wndHostTree;
    }
    CDatabaseTree& GetDatabaseTree()
    {
        return m_wndDatabaseTree;
    }

    // The caption does not follow the focus.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    tarnwick::tabs::SEC3DTabWnd m_wndTabs;
    CSystemTree m_wndSystemTree;
    CDatabaseTree m_wndDatabaseTree;
    CHostTree m_wndHostTree;
};
