// The toolkit's MDI main frame: the shared docking services of the toolkit's frames, four
// auto-hide strips made with the dock bars, message filters for caption buttons and extended
// system commands, and a cycle of default dock positions.
#pragma once

#include <toolkit/frames/AutoHideBar.h>
#include <toolkit/frames/DockingFrame.h>
#include <toolkit/frames/MsgFilter.h>

#include <afxtempl.h>

namespace tarnwick::frames
{
// How a bar is docked: its share of the row and its length across the dock bar.
struct SECDockLayout
{
    float fPercent;
    int nLength;
    int nReserved;
};

class SECMDIFrameWnd : public SECDockingFrame<CMDIFrameWnd>
{
    DECLARE_DYNCREATE(SECMDIFrameWnd)
public:
    SECMDIFrameWnd();
    ~SECMDIFrameWnd() override;

    virtual CDockBar* CreateDockBarObject();
    // Into the dock bar of that id (else the side of the bar's alignment) at the placement,
    // committing the layout's length along the side's orientation.
    virtual void DockControlBarAt(CControlBar* pBar, const SECDockPlacement& position, UINT nDockBarID,
                                  const SECDockLayout& layout);
    // DockControlBarAt at row placeB, column placeA.
    virtual void DockControlBarSized(CControlBar* pBar, UINT nDockBarID, int nPlaceA, int nPlaceB, float fPercent,
                                     int nLength);
    // The filters of the descriptor table, the caption button row only with bCaptionList.
    virtual void InstallFilters(BOOL bCaptionList);
    // The next default dock position of the cycle: bottom, left, right, with row breaks; the
    // layout is a full share 150 pixels long.
    virtual void NextDockPosition(UINT& nDockBarID, SECDockPlacement& flags, SECDockLayout& layout);

    // The dock bars of the sides in dwStyle, each with its auto-hide strip docked and hidden;
    // dwDockStyle is the dock bars' MDI-child flag.
    void EnableDocking(DWORD dwStyle, DWORD dwDockStyle = 0);
    // Nothing when the bar already is as asked; with bDelay at the next idle layout.
    void ShowBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    // The strip of a side (CBRS_ALIGN_LEFT, _TOP, _BOTTOM or _RIGHT); NULL for others.
    SECAutoHideBar* GetAutoHideBar(DWORD dwAlign);

    // The frame menu, else the shared menu of the first MDI template of that id, else the kept
    // menu of that id.
    HMENU GetMenuForId(UINT nID) override;
    // Keeps a menu for the menu bar under a resource id; the frame destroys it.
    void SetTemplateMenu(UINT nID, HMENU hMenu);
    // Shows a menu in the menu bar: 0 or -1 the frame's own (the MDI buttons then hidden).
    void SetMenuBarMenu(UINT nID);
    // Hides the MDI child's buttons in the menu bar, relayouting when that changed them.
    void RefreshMDIButtons();
    // Hands the current menu's window popup to the MDI client for its child list.
    void SyncWindowMenu();
    // In menu-bar mode the menu shown in the bar.
    CMenu* GetMenu() const;
    // With a menu bar, the window popup follows.
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;

    CFrameWnd* GetActiveFrame() override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // After the base, WM_NCACTIVATE and WM_SETTEXT go to the filters too.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Mouse moves and non-client button messages go to the filters first.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // The extended system commands go to the filters.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void OnFrameMenuLoaded() override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);

    SECMsgFilter& GetMsgFilter()
    {
        return *m_pMsgFilter;
    }
    SECMsgFilter::DescriptorTable& GetDescriptorTable()
    {
        return m_descriptors;
    }

    DECLARE_MESSAGE_MAP()

private:
    CRuntimeClass* m_pDockBarClass;
    // A document frame that stands in for the active MDI child.
    CFrameWnd* m_pActiveDockedFrame;
    SECMsgFilter* m_pMsgFilter;
    SECMsgFilter::DescriptorTable m_descriptors;
    // Left, top, bottom, right.
    SECAutoHideBar m_autoHideBars[4];
    // Menus kept for the menu bar by resource id; destroyed with the frame.
    CMap<UINT, UINT, HMENU, HMENU> m_mapTemplateMenus;
    // Dock-bar ids with 0 as row breaks.
    CArray<UINT, UINT> m_dockCycle;
    int m_nDockCycleCursor;

    // The active docked frame, else the active MDI child.
    CFrameWnd* GetCommandTarget() const;
    // The menu bar repaints and its frame relayouts.
    void RelayoutMenuBar();
};
} // namespace tarnwick::frames
