// The toolkit's sizeable docking bar: remembered sizes per docking state, a share of its dock
// row, an extended style word for gripper, caption buttons, margins and child layout, and the
// bar side of auto-hide.
#pragma once

#include <afxext.h>

#include <toolkit/foundation/ScopedValue.h>
#include <toolkit/frames/BarTheme.h>
#include <toolkit/frames/CaptionButton.h>
#include <toolkit/frames/GripperInfo.h>

#include <vector>

namespace tarnwick::frames
{
// Extended bar styles (m_dwExStyle).
constexpr DWORD CBRS_EX_CONTEXTMENU = 0x1;
constexpr DWORD CBRS_EX_PROPORTIONAL = 0x2;
constexpr DWORD CBRS_EX_FIXEDSIZE = 0x4;
constexpr DWORD CBRS_EX_FIXEDROW = 0x8;
constexpr DWORD CBRS_EX_MARGINS = 0x10;
// The bar may float in an MDI child of the main window ("Float In Main Window").
constexpr DWORD CBRS_EX_FLOATINMAIN = 0x20;
constexpr DWORD CBRS_EX_STRETCHCHILD = 0x40;
constexpr DWORD CBRS_EX_OWNROW = 0x80;
constexpr DWORD CBRS_EX_BORDERS = 0x100;
constexpr DWORD CBRS_EX_GRIPPER = 0x200;
constexpr DWORD CBRS_EX_CLOSE = 0x400;
constexpr DWORD CBRS_EX_EXPAND = 0x800;
constexpr DWORD CBRS_EX_CAPTION = 0x10000;
constexpr DWORD CBRS_EX_THEMEDGRIPPER = 0x20000;

// The caption's "Hide" command, which the close button sends to its bar.
constexpr UINT ID_SEC_HIDE_BAR = 43041;
// Toggles whether the bar may dock.
constexpr UINT ID_SEC_ALLOW_DOCKING = 43040;
// Moves the bar into an MDI child of the main window and back.
constexpr UINT ID_SEC_FLOAT_IN_MAIN = 43042;
// Sent to the dock site while a bar's context menu is built: wParam the bar, lParam the CMenu.
constexpr UINT WM_SEC_BARCONTEXTMENU = 0x38FF;
// Tool ids of the caption buttons' tips.
constexpr UINT ID_SEC_CLOSE_TOOL = 1024;
constexpr UINT ID_SEC_EXPAND_TOOL = 2048;

// The dock bar id (AFX_IDW_DOCKBAR_*) of an auto-hide side (CBRS_ALIGN_*); 0 for others.
UINT AutoHideSideDockBarID(DWORD dwSide);

class SECAutoHideBar;
class SECControlBarInfo;

class SECControlBar : public CControlBar
{
    DECLARE_DYNCREATE(SECControlBar)
public:
    SECControlBar();
    ~SECControlBar() override;

    CSize m_szMRUHorzDock;
    CSize m_szMRUVertDock;
    CSize m_szMRUFloat;
    // The share of its dock row that the bar takes.
    float m_fPctWidth;
    DWORD m_dwExStyle;
    CRect m_rcMargins;
    SECGripperInfo m_gripperInfo;

    virtual BOOL Create(CWnd* pParentWnd, LPCTSTR lpszWindowName, DWORD dwStyle, DWORD dwExStyle, UINT nID,
                        CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, UINT nID, DWORD dwStyle, DWORD dwExStyle,
                          const RECT& rect, CWnd* pParentWnd, CCreateContext* pContext = nullptr);
    // The bar is a toolkit dock bar, or sits in one, and that dock bar is docked in its frame.
    static BOOL IsDockedInSECDockBar(const CControlBar* pBar);

    // The share has been fitted into the dock row; a hidden bar loses it so that it is fitted
    // again as new when shown.
    BOOL IsShareSettled() const
    {
        return m_bShareSettled;
    }
    void SetShareSettled(BOOL bSettled)
    {
        m_bShareSettled = bSettled;
    }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    // With LM_COMMIT stores nLength (with LM_STRETCH the share of it) as the remembered size
    // of the docking state the mode names.
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    // Marks the caption of the bar that holds the focus.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;
    // The toolkit's borders and gripper, or the classic one-pixel borders.
    void DrawBorders(CDC* pDC, CRect& rect) override;
    // Tips of the close and expand buttons.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

    virtual void GetInsideRect(CRect& rect) const;
    virtual void EnableDocking(DWORD dwDockStyle);
    virtual CDockContext* CreateDockContext();
    virtual void SetExBarStyle(DWORD dwExStyle, BOOL bRedraw = TRUE);
    void ModifyBarStyleEx(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw = TRUE);
    // The bar's dock-state record: the platform's fields, remembered sizes, share, styles,
    // auto-hide state, type id, class and window name; then OnGetBarInfoEx.
    virtual void GetBarInfoEx(SECControlBarInfo* pInfo);
    // Applies a record taken by GetBarInfoEx; OnSetBarInfoEx sees it before the bar is moved,
    // shown or hidden.
    void SetBarInfoEx(SECControlBarInfo* pInfo, CFrameWnd* pFrame);
    // With CBRS_EX_BORDERS: one pixel per border bit, the gripper strip or the borders.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz, BOOL bWithGripper) const;

    // Called by the frames around docking, floating and hosting the bar in an MDI child; each
    // "Before" calls its "On" hook.
    virtual void BeforeDock();
    virtual void OnBeforeDock();
    virtual void AfterDock();
    virtual void BeforeFloat();
    virtual void OnBeforeFloat();
    virtual void AfterFloat();
    virtual void BeforeMDIFloat();
    virtual void OnBeforeMDIFloat();
    virtual void AfterMDIFloat();

    // Hooks of derived bars into their records; the base does nothing.
    virtual void OnGetBarInfoEx(SECControlBarInfo* pInfo);
    virtual void OnSetBarInfoEx(SECControlBarInfo* pInfo);
    // Given the context menu before it is shown.
    virtual void OnContextMenuHook(CMenu* pMenu);
    // Shows a hidden bar and hides a shown one (delayed); TRUE when it is now hidden.
    virtual BOOL ToggleVisible();
    // Asked when the close or the expand button is pressed.
    virtual BOOL CanClose();
    virtual BOOL CanExpand();
    virtual void AdjustForGripper(CSize& size, BOOL bHorz) const;
    virtual void AdjustForGripper(CPoint& point, BOOL bHorz) const;

    // The gripper strip with its buttons, pin and caption.
    virtual void DrawCaptionGripper(CDC* pDC, CRect& rect);
    virtual void PlaceCloseButton(CDC* pDC, CRect& rectStrip, BOOL bVertStrip);
    virtual void DrawCloseButtonPressed(CDC* pDC);
    virtual void DrawCloseButtonRaised(CDC* pDC);
    virtual void DrawCloseButtonNormal(CDC* pDC);
    virtual void PlaceExpandButton(CDC* pDC, CRect& rectStrip, BOOL bVertStrip);
    virtual void DrawExpandButtonPressed(CDC* pDC);
    virtual void DrawExpandButtonRaised(CDC* pDC);
    virtual void DrawExpandButtonNormal(CDC* pDC);
    virtual void DrawPinButton(CDC* pDC, CRect& rectStrip, BOOL bVertStrip);
    // Whether the expand button can act (other bars share the row) and which way it points.
    virtual void UpdateExpandState(BOOL bHorzStrip);

    // The caption buttons' squares in client coordinates, empty until the strip is drawn.
    const CRect& GetCloseButtonRect() const
    {
        return m_btnClose.GetRect();
    }
    const CRect& GetExpandButtonRect() const
    {
        return m_btnExpand.GetRect();
    }
    BOOL IsExpandEnabled() const
    {
        return m_bExpandEnabled;
    }
    BOOL IsExpanded() const
    {
        return !m_bNotExpanded;
    }
    // The child window repainted after every paint of the bar.
    void SetRepaintWindow(HWND hWnd)
    {
        m_hWndRepaint = hWnd;
    }

    // Auto-hide: a bar that takes part has a pin button; attaching shows it docked and pinned.
    void SetAutoHide(BOOL bAutoHide)
    {
        m_bAutoHide = bAutoHide;
    }
    BOOL IsAutoHide() const
    {
        return m_bAutoHide;
    }
    BOOL IsPinned() const
    {
        return m_bPinned;
    }
    // CBRS_ALIGN_* of the auto-hide bar that holds the bar's tab, 0 while it has none.
    DWORD GetAutoHideSide() const
    {
        return m_dwAutoHideSide;
    }
    virtual BOOL AttachToAutoHideBar();
    // The pin's square in client coordinates, empty until the strip is drawn.
    const CRect& GetPinButtonRect() const
    {
        return m_btnPin.GetRect();
    }
    // Pinned: docked on its side. Unpinned: a tab in the strip of that side, the bar floating
    // hidden until it slides out.
    virtual void TogglePinned();
    // The floating frame of an unpinned bar slides out beside its strip, or back in; at once
    // when the slide time is 0 or less.
    virtual void SlideAutoHide(BOOL bHide);
    virtual void AutoHideSlideOut();
    virtual void AutoHideSlideIn();
    // The whole slide in milliseconds (50 by default).
    void SetSlideTime(int nMilliseconds)
    {
        m_nSlideTime = nMilliseconds;
    }
    int GetSlideTime() const
    {
        return m_nSlideTime;
    }
    // On while a dock bar's splitter is dragged: a bar asked to slide in keeps its place.
    static void SetNoSlide(BOOL bNoSlide);
    // The same, on for the life of the returned object.
    static foundation::SECScopedValue<BOOL> ScopedNoSlide();

    BOOL IsDockedLeft() const;
    BOOL IsDockedRight() const;
    BOOL IsDockedTop() const;
    BOOL IsDockedBottom() const;
    // The dock bar that holds the bar lives in an MDI child frame.
    BOOL IsMDIChildDocked() const;

    // The first control id from nStart upward that no bar of the frame uses; 0 after 1000.
    static UINT FindFreeBarID(CFrameWnd* pFrame, UINT nStart);
    // Above 0 (the default) children moved on resize, and bars moved by a dock bar's layout,
    // are not redrawn by the move.
    static void SetControlBarGlobalFlag(int nFlag);
    static int GetControlBarGlobalFlag();
    // The flag set to nFlag for the life of the returned object.
    static foundation::SECScopedValue<int> ScopedControlBarGlobalFlag(int nFlag);

protected:
    // Lays the children out in the area inside gripper and margins: scaled from their
    // recorded places (CBRS_EX_PROPORTIONAL) or the topmost one filling it (CBRS_EX_STRETCHCHILD).
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDownEx(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClkEx(UINT nFlags, CPoint point);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    // Timer 2: the pin is drawn again once the mouse has left it.
    afx_msg void OnTimerEx(UINT_PTR nIDEvent);
    afx_msg void OnDestroyEx();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    // Records where the children stand, for layouts in proportion.
    void CollectChildRects();
    // The frame that the bar's buttons and commands address.
    void SetOwnerFrame(CWnd* pOwnerFrame)
    {
        m_pOwnerFrame = pOwnerFrame;
    }
    afx_msg void OnNcPaint();
    afx_msg void OnHide();
    // Off: the bar floats and docks nowhere until it is switched on again.
    afx_msg void OnAllowDocking();
    // Into an MDI child of the main window, or back from there.
    afx_msg void OnFloatInMainWindow();
    // "Allow Docking" and "Hide", and what the dock site adds.
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    struct ChildRect
    {
        HWND hWnd;
        CRect rect;
    };

    BOOL m_bShareSettled;
    // The sides the bar docked to before "Allow Docking" was switched off.
    DWORD m_dwSavedDockStyle;
    // The client rectangle first, then each child's rectangle, when the children were recorded.
    std::vector<ChildRect> m_childRects;
    SECCaptionButton m_btnClose;
    SECCaptionButton m_btnExpand;
    // Other visible bars share the row, so the expand button can act.
    BOOL m_bExpandEnabled;
    BOOL m_bNotExpanded;
    // The bar lies along a top or bottom edge: its strip stands upright at its left.
    BOOL m_bHorzStrip;
    // What the user last asked of the expand button: expand (TRUE) or contract.
    BOOL m_bExpandRequest;
    HWND m_hWndRepaint;
    SECBarTheme m_theme;
    CWnd* m_pOwnerFrame;
    BOOL m_bAutoHide;
    BOOL m_bAttached;
    BOOL m_bPinned;
    // The focus is inside the bar; the bar's caption was the last one marked active.
    BOOL m_bFocus;
    BOOL m_bMarked;
    DWORD m_dwAutoHideSide;
    SECCaptionButton m_btnPin;
    int m_nSlideTime;

    // Floating: docked in a mini-frame's dock bar, as the bar style says.
    BOOL IsFloatingBar() const;
    // Floating, but not in a floating frame of the framework's kind: presses are its own.
    BOOL FloatsOutsideDockFrame() const;
    BOOL HasDockedGripper() const;
    // An auto-hide bar slid out of its strip floats but keeps a gripper.
    BOOL IsSlidOut() const;
    // The strip stands upright along the left of a top or bottom bar.
    BOOL IsVertStrip() const;
    CRect CalcGripperStrip(const CRect& rect) const;
    void PlaceButtons(CDC* pDC, CRect& rectStrip, BOOL bVertStrip);
    void DrawGripLines(CDC* pDC, const CRect& rectStrip, BOOL bVertStrip);
    // Answers where the title ends along the strip (its top on a vertical strip).
    int DrawCaptionText(CDC* pDC, CRect rectStrip, BOOL bVertStrip);
    TCHAR ExpandGlyph() const;
    BOOL IsDockedAt(UINT nDockBarID) const;
    // One pixel in from each bordered side.
    void InsetBorders(CRect& rect) const;
    void UpdateActiveCaptions();
    void LayoutChildren(int cx, int cy);
    // Redraws a pressed button up again and forgets the press.
    void ReleaseButtons();
    // The auto-hide strip of a side among the frame's bars; NULL when the frame has none.
    SECAutoHideBar* FindAutoHideStrip(DWORD dwSide) const;
    // The side (CBRS_ALIGN_*) of the dock bar that holds the bar: right, left, top, bottom.
    DWORD DockedSide() const;
    // Out of the strip and back into the dock bar of its side.
    void DockBackFromStrip();
    // A tab in the strip of that side, the bar floating hidden until it slides out.
    void MoveToStrip(SECAutoHideBar* pStrip, DWORD dwSide);
    // A record's auto-hide state: pinned in the dock bar of its side, or a tab in the strip.
    void ApplyAutoHide(const SECControlBarInfo* pInfo, CFrameWnd* pFrame);
    // Five steps with the slide time between them.
    void AnimateSlide(CFrameWnd* pMiniFrame, const CRect& rect, BOOL bHide);
    CFrameWnd* GetToolkitFrame() const;
};
} // namespace tarnwick::frames
