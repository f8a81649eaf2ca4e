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
// A whole share, 150 pixels long.
constexpr SECDockLayout DEFAULT_DOCK_LAYOUT = {1.0f, 150, 0};

// Posted to the MDI frame with a frame window's handle in wParam: the frame, which a document's
// view has left, goes once the command that moved the view has returned.
constexpr UINT WM_SEC_DESTROYFRAME = 0x38FE;

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

    // As the toolkit's frame floats bars; a dockable frame embedded in the bar takes the main
    // frame's looks while it floats and fills its floating frame.
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP) override;
    // Docking gives an embedded dockable frame its docked looks back first.
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar = nullptr, LPCRECT lpRect = nullptr) override;
    void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar = nullptr, LPCRECT lpRect = nullptr) override;
    // "Float In Main Window": the bar in an MDI child of its own at point (screen), or at the
    // next cascade place when a coordinate is negative; the child stays in the client area.
    virtual void FloatControlBarInMDIChild(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
    // A child of the bar-child class, loaded with the toolkit's resource 20514; NULL when it
    // cannot be loaded.
    virtual CMDIChildWnd* CreateBarChildFrame();
    // The bar's first child when it is a toolkit frame, else NULL.
    virtual CFrameWnd* GetEmbeddedFrame(CControlBar* pBar);
    // bFloating: the frame keeps its docked styles in window properties and takes the main
    // frame's caption and borders, its floating frame giving up its own; else the docked
    // styles come back.
    virtual void SwapFloatStyles(CFrameWnd* pFrame, BOOL bFloating);
    // The frame covers its parent frame.
    virtual void FitEmbeddedFrame(CFrameWnd* pFrame);
    // Where the next bar floated in the main window without a place goes (client coordinates).
    CPoint GetNextCascadePosition() const
    {
        return m_ptNextCascade;
    }

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

    // A docked document frame stands in for the active MDI child: it gets the active caption,
    // the commands, the focus and its template's menu; the MDI child loses activation. Null
    // hands activity back to the MDI children. Nothing when it is already active without
    // bForce.
    virtual void SetActiveDockedFrame(CFrameWnd* pFrame, BOOL bForce = FALSE);
    // The docked frame loses activity; bRestoreMDI: the MDI children get it back.
    virtual void ClearActiveDockedFrame(BOOL bRestoreMDI);
    // The menu bar shows the menu of the active frame's template.
    void ShowActiveFrameMenu();
    CFrameWnd* GetActiveDockedFrame() const
    {
        return m_pActiveDockedFrame;
    }
    // After WM_ACTIVATE: the active view (the frame's own, else the active frame's) takes the
    // focus when the frame becomes active.
    virtual void OnActivateFrame(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    // A border given to an embedded tool puts the menu bar into border-space mode.
    BOOL NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder) override;

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
    // The class of the children that host bars floated in the main window.
    void SetBarChildClass(CRuntimeClass* pClass)
    {
        m_pBarChildClass = pClass;
    }
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    // A bar's context menu: "Allow Docking" grayed in a bar child, "Float In Main Window" added
    // for bars that may float there.
    afx_msg LRESULT OnBarContextMenu(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDestroyFrame(WPARAM wParam, LPARAM lParam);

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
    CRuntimeClass* m_pBarChildClass;
    CPoint m_ptNextCascade;
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
    // Set while OnActivateFrame runs.
    BOOL m_bInActivateFrame;

    // The active docked frame, else the active MDI child.
    CFrameWnd* GetCommandTarget() const;
    // Focus and activation of the view of a frame that becomes active; nothing when the
    // focus is inside the view already.
    static void ActivateFrameView(CFrameWnd* pFrame);
    // The menu bar repaints and its frame relayouts.
    void RelayoutMenuBar();
    // A floating bar's embedded frame takes its docked styles back.
    void RestoreEmbeddedFrame(CControlBar* pBar);
};
} // namespace tarnwick::frames
