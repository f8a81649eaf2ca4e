// The docking services that the toolkit's frame and MDI frame share: the layout pass that tells
// the dock bars, docking through the side table, the owner-drawn caption with its gradient, the
// plug-ins that see messages and commands first, and the dock bars' destruction.
#pragma once

#include <toolkit/frames/DockBar.h>

#include <afxext.h>

#include <functional>

namespace tarnwick::foundation
{
class SECWndPlugIn;
}
namespace tarnwick::bars
{
class SECControlBarManager;
class SECMenuBar;
} // namespace tarnwick::bars

namespace tarnwick::frames
{
class SECFrameDocking
{
public:
    explicit SECFrameDocking(CFrameWnd& frame);
    // Deletes the owned objects, the message plug-in and the workspace manager.
    ~SECFrameDocking();
    SECFrameDocking(const SECFrameDocking&) = delete;
    SECFrameDocking& operator=(const SECFrameDocking&) = delete;

    // The docking services of a toolkit frame (SECFrameWnd, SECMDIFrameWnd); NULL for others.
    static SECFrameDocking* FromFrame(CWnd* pFrame);

    // The sides in the order docking searches them: dock-bar id and alignment bits.
    struct DockSide
    {
        UINT nID;
        DWORD dwAlign;
    };
    static const DockSide dockSides[4];
    // The dock bar of the first side (bLast: the last) whose alignment equals the bar's.
    CDockBar* FindDockBarFor(const CControlBar* pBar, BOOL bLast = FALSE) const;
    // The frame's control bar of that id when it is a dock bar, else the side's.
    CDockBar* FindDockBar(UINT nDockBarID, const CControlBar* pBar) const;

    // After the framework's layout: the toolkit's dock bars repaint the bars that moved, or the
    // whole frame is redrawn when the last pass left no client area; then what is left for the
    // view is remembered.
    void OnLayoutDone();
    const CRect& GetRemainingClientRect() const
    {
        return m_rectRemaining;
    }

    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect);
    // Back into the dock bar that keeps the bar's place, else the last side of its alignment.
    void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect);
    // Floats the bar at point (screen), kept 10 pixels on its monitor's work area: the bar's own
    // floating frame moves when the bar is alone in it with a matching alignment, else a new
    // floating frame takes it. beforeShow sees a new frame before it is placed and shown.
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle,
                         const std::function<void(CMiniDockFrameWnd*)>& beforeShow = {});
    // The top-left of a window of that size moved so that 10 pixels of it stay on the work area
    // of the monitor nearest to point.
    static CPoint KeepOnWorkArea(CPoint point, CSize size);
    // A sizeable bar floats sizeable, and one that stood along a side floats along the top.
    static DWORD AdjustFloatStyle(const CControlBar* pBar, DWORD dwStyle);
    // The floating frame class of the toolkit, unless the frame chose one.
    void SetDefaultFloatingFrameClass();

    // Commits the length in the layout mode (LM_COMMIT added) and docks at the placement; a
    // toolkit bar takes the share.
    void DockControlBarAt(CControlBar* pBar, CDockBar* pDockBar, const SECDockPlacement& place, float fPercent,
                          int nLength, DWORD dwLayoutMode);

    // The caption style; FALSE (unchanged) without the new shell or under active visual styles.
    BOOL SetCaptionStyle(BOOL bOn, BOOL bRepaint);
    BOOL IsCaptionStyleOn() const
    {
        return m_bCaptionStyle;
    }
    BOOL IsCaptionActive() const
    {
        return m_bCaptionActive;
    }
    // Window coordinates of the title area, less the caption buttons.
    void CalcCaptionRect(CRect& rect) const;
    BOOL CreateCaptionFont(CFont& font) const;
    BOOL CreateItalicCaptionFont(CFont& font) const;
    void PaintCaption();
    // n = min(120, width) bands, each channel stepping from the first colour to the second
    // in 8.8 fixed point; nothing for an empty rectangle.
    static void FillGradient(CDC& dc, const CRect& rect, COLORREF crFrom, COLORREF crTo);
    // The caption's share of WM_NCACTIVATE, WM_NCPAINT and WM_SETTEXT while the style is on;
    // FALSE leaves the message to the frame's base.
    BOOL HandleCaptionMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& lResult);

    // Sets the top-level frame's stay-active flag when the window activated is this frame or a
    // window of it that keeps the frame's caption active (WM_FLOATSTATUS, FS_SYNCACTIVE).
    void UpdateStayActive(UINT nState, CWnd* pWndOther);

    // Made from a SECWorkspaceManagerEx class, initialised and plugged into the frame.
    foundation::SECWndPlugIn* CreateWorkspaceManager(LPCTSTR lpszKey, BOOL bRegistry, CRuntimeClass* pClass,
                                                     BOOL bApplicationKey);
    foundation::SECWndPlugIn* GetWorkspaceManager() const
    {
        return m_pWorkspaceManager;
    }
    // The frame's workspace manager, else its top-level toolkit frame's, gets the command
    // first; TRUE with its result when it marked it handled.
    BOOL RouteToWorkspaceManager(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo, BOOL& bResult);
    // The message plug-in sees every message first; TRUE with its result when it took it.
    BOOL OfferToPlugIn(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& lResult);
    BOOL PreTranslateThroughPlugIn(MSG* pMsg);
    // Help mode: a press on the menu bar names the tool under it. TRUE when the press was the
    // menu bar's (taken from the queue), with bGoOn whether help mode goes on and *pContext
    // the help context when it ends.
    BOOL HelpClickOnMenuBar(const MSG& msg, DWORD* pContext, BOOL& bGoOn);
    void SetMessagePlugIn(foundation::SECWndPlugIn* pPlugIn);
    foundation::SECWndPlugIn* GetMessagePlugIn() const
    {
        return m_pMsgPlugIn;
    }
    void DeleteMessagePlugIn();
    // Deleted with the frame.
    void AddOwnedObject(CObject* pObject)
    {
        m_listOwned.AddTail(pObject);
    }
    // The owned objects, which a dock state's load adds the bars it creates to.
    CPtrList& GetOwnedObjects()
    {
        return m_listOwned;
    }

    // Docked dock bars go, floating ones with their frames, then every other bar.
    static void DestroyDockBars(CFrameWnd& frame);

    // Menu-bar mode: the application stores the bar and the manager (neither owned) before
    // LoadFrame; the frame then shows its menus in the bar instead of the window's menu line.
    void SetMenuBar(bars::SECMenuBar* pMenuBar)
    {
        m_pMenuBar = pMenuBar;
    }
    bars::SECMenuBar* GetMenuBar() const
    {
        return m_pMenuBar;
    }
    bars::SECControlBarManager* SetControlBarManager(bars::SECControlBarManager* pManager)
    {
        return m_pControlBarManager = pManager;
    }
    bars::SECControlBarManager* GetControlBarManager() const
    {
        return m_pControlBarManager;
    }
    // The profile form of the frame's dock state: a load hands the owned objects to the state
    // for the bars it recreates; a save writes only what the capture took.
    void LoadDockState(LPCTSTR lpszProfileName);
    void SaveDockState(LPCTSTR lpszProfileName);
    // The manager is in customise mode.
    BOOL IsCustomising() const;
    void SetMenuOptions(BOOL bBitmapMenus, int nOption)
    {
        m_bBitmapMenus = bBitmapMenus;
        m_nMenuOption = nOption;
    }
    BOOL AreBitmapMenusOn() const
    {
        return m_bBitmapMenus;
    }
    int GetMenuOption() const
    {
        return m_nMenuOption;
    }
    // The previous flag.
    int SetBitmapMenuColor(COLORREF crColor, int nFlag);
    COLORREF GetBitmapMenuColor() const
    {
        return m_crBitmapMenu;
    }
    // The menu of the frame's resource, loaded in menu-bar mode; destroyed with the frame.
    void LoadFrameMenu(UINT nIDResource);
    HMENU GetFrameMenu() const
    {
        return m_hMenuFrame;
    }
    UINT GetFrameMenuId() const
    {
        return m_nFrameMenuId;
    }
    // The frame menu when it is loaded for that id, else null.
    HMENU GetFrameMenuForId(UINT nID) const;
    // The window's descendants hear of new system colours from the framework; the toolbars
    // floating in their own frames are told here.
    void RefreshFloatingToolBars();
    // WM_CREATE's plug-in: the menu-bar feature with a menu bar, else the bitmap menus when on;
    // either gets the toolbar manager's image store.
    void CreateMenuPlugIn();

private:
    CFrameWnd& m_frame;
    BOOL m_bNewShell;
    CRect m_rectRemaining;
    // 0 left, 1 centred, else right.
    int m_nCaptionTextAlign;
    BOOL m_bCaptionStyle;
    BOOL m_bCaptionActive;
    foundation::SECWndPlugIn* m_pWorkspaceManager;
    foundation::SECWndPlugIn* m_pMsgPlugIn;
    CPtrList m_listOwned;
    bars::SECMenuBar* m_pMenuBar;
    bars::SECControlBarManager* m_pControlBarManager;
    BOOL m_bBitmapMenus;
    int m_nMenuOption;
    COLORREF m_crBitmapMenu;
    int m_nBitmapMenuColorFlag;
    HMENU m_hMenuFrame;
    UINT m_nFrameMenuId;

    // Runs the frame's default processing with WS_VISIBLE off, so that the system draws no
    // caption.
    LRESULT DefaultWithoutCaption(UINT message, WPARAM wParam, LPARAM lParam);
    void DrawCaptionText(CDC& dc, CRect rect, const CString& strTitle);
};
} // namespace tarnwick::frames
