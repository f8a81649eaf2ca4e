// The toolkit's toolbar: a docking control bar holding an ordered array of button objects. It
// lays them out in rows, draws its background and gripper, tracks the hot button, fires
// commands to its owner and keeps its buttons' states up to date at idle time.
#pragma once

#include <toolkit/bars/StdBtn.h>
#include <toolkit/frames/ControlBar.h>

#include <vector>

namespace tarnwick::frames
{
class SECReBar;
}

namespace tarnwick::bars
{
enum SECBarNotification : int;
using frames::SECControlBar;

class SECBmpMgr;
class SECBtnDrawData;
class SECToolBarManager;

// The notifications of keyboard mode and menu buttons (WM_NOTIFY to the owner).
constexpr int TBN_SEC_DROPDOWN = -2120;
constexpr int TBN_SEC_REOPEN = -2121;
constexpr int TBN_SEC_KEYBOARDBUTTON = -2122;
constexpr int TBN_SEC_ENDKEYBOARD = -2123;

// Toolkit extended bar styles read by the toolbar.
constexpr DWORD CBRS_EX_COOLBORDERS = 0x100;
constexpr DWORD CBRS_EX_GRIPPERBAR = 0x200;
constexpr DWORD CBRS_EX_EXTRALENGTH = 0x400;
constexpr DWORD CBRS_EX_FULLLENGTH = 0x80;
constexpr DWORD CBRS_EX_THINBORDERS = 0x8000;
constexpr DWORD CBRS_EX_TOOLBAR = 0x20004;

// The hot-tracking timer.
constexpr UINT_PTR ID_TIMER_HOTTRACK = 0xE002;
// Drag flags: the bar's buttons may not be dropped on another bar.
constexpr DWORD SEC_TBDRAG_KEEPBUTTONS = 0x1;

class SECCustomToolBar : public SECControlBar
{
    DECLARE_DYNCREATE(SECCustomToolBar)
public:
    using SECBtnArray = std::vector<SECStdBtn*>;

    // One row of a layout: the index of its last button, whether a separator ends it, and
    // its size (the ending separator not counted in the width).
    struct Row
    {
        int nLast;
        BOOL bSepEnd;
        int cx;
        int cy;
    };

    SECCustomToolBar();
    ~SECCustomToolBar() override;

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR,
                        LPCTSTR lpszTitle = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                          UINT nID = AFX_IDW_TOOLBAR, LPCTSTR lpszTitle = nullptr);
    // The dock-state record, with the title and the buttons as its extra information.
    void GetBarInfoEx(frames::SECControlBarInfo* pInfo) override;
    // A record that carries buttons rebuilds the bar's; its title, when it has one, names the bar.
    void OnSetBarInfoEx(frames::SECControlBarInfo* pInfo) override;
    // The buttons a record lists; the MDI menu bar leaves out its child's buttons.
    virtual BOOL IsRecordedButton(const SECStdBtn* pBtn) const;
    // TRUE when buttons remain.
    virtual BOOL RemoveButton(int nIndex, BOOL bNoRecalc = FALSE);
    virtual void InsertButton(int nIndex, UINT nID, BOOL bSeparator = FALSE, BOOL bNoRecalc = FALSE);
    virtual int GetBitmapIndex(UINT nID) const;
    virtual void RecalcButtonSizes();
    virtual BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    virtual void SizeToParent(AFX_SIZEPARENTPARAMS* lpLayout);
    virtual void BeginKeyboardCommand(int nButton, int x, int y);
    virtual void ActivateButton(int nIndex);
    virtual void SetKeyboardButton(int nIndex);
    virtual void ActivateButtonAt(CPoint point);
    virtual void EndKeyboardMode();
    virtual BOOL IsKeyboardMode() const;
    virtual int FirstKeyboardButton() const;
    virtual int LastKeyboardButton() const;
    virtual int FirstMenuButton() const;
    virtual int NextKeyboardButton(BOOL bForward) const;
    virtual CFont* GetFont() const;
    virtual void BalanceRows(Row* pRows, int nCount);
    virtual BOOL IsCopyKeyDown() const;
    virtual void RemoveAllButtons();
    virtual BOOL IsCoolLook() const;
    virtual int GetImageWidth() const;
    virtual int GetImageHeight() const;
    virtual int GetButtonWidth() const;
    virtual int GetButtonHeight() const;
    virtual int GetGapWidth() const;
    // Handles a mouse message of keyboard mode; TRUE when it acted.
    virtual BOOL OnKeyboardMouse(const MSG* pMsg);
    virtual void CancelKeyboardButton();
    // Row records for the buttons at a width; answers the row count.
    virtual int WrapButtons(int nWidth, Row* pRows);
    virtual CSize CalcSize(int nLength, BOOL bVertical);
    virtual CSize CalcLayout(int nLength, DWORD dwMode);
    // Gives the band of pReBar that holds this bar the bar's new size as its minimum child
    // height (and width, for a full-length bar); only changed values are sent.
    virtual void UpdateRebarBand(frames::SECReBar* pReBar, CSize size);
    virtual void InvalidateButton(int nIndex);
    virtual int HitTest(int x, int y, LPCRECT lpRect = nullptr) const;
    virtual void UpdateButton(int nIndex);
    virtual SECStdBtn* CreateButton(UINT nID, SECCustomToolBar* pParent = nullptr);
    virtual SECStdBtn* CreateSeparator(SECCustomToolBar* pParent = nullptr);
    virtual void SetBkColor(COLORREF clr, BOOL bUse = TRUE);
    virtual BOOL GetBkColorUse() const;
    // Customisation: every toolbar takes dropped buttons.
    virtual BOOL AcceptsDrop() const;
    // Drags the button from a press at (x, y): moved, copied with Ctrl, deleted off every bar
    // or copied onto a new toolbar. TRUE when the drop changed something.
    virtual BOOL DragButton(int nIndex, int x, int y);
    // Takes a button dropped at rect (client coordinates), from pSource (this bar or another);
    // a copy leaves the source as it is. TRUE when handled.
    virtual BOOL DropButton(const CRect& rect, SECStdBtn* pBtn, BOOL bCopy, SECCustomToolBar* pSource);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;
    void DrawBorders(CDC* pDC, CRect& rect) override;
    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;
    // While the manager customises, a floating bar hides only after the posted
    // "WM_NODELAYHIDE", and only if still in customise mode then.
    void DelayShow(BOOL bShow) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

    void SetManager(SECToolBarManager* pManager)
    {
        m_pManager = pManager;
    }
    SECToolBarManager* GetManager() const
    {
        return m_pManager;
    }
    void SetBmpMgr(SECBmpMgr* pBmpMgr);
    SECBmpMgr* GetBmpMgr() const
    {
        return m_pBmpMgr;
    }
    // The button map used without a manager, and a second one that the bar owns.
    void SetButtonMap(const SECBtnMapEntry* pMap)
    {
        m_pButtonMap = pMap;
    }
    void SetSecondButtonMap(SECBtnMapEntry* pMap);
    void SetMenuLook(BOOL bMenuLook)
    {
        m_bMenuLook = bMenuLook;
    }

    int GetBtnCount() const
    {
        return static_cast<int>(m_btns.size());
    }
    // NULL for an index out of range.
    SECStdBtn* GetButton(int nIndex) const
    {
        return nIndex >= 0 && nIndex < GetBtnCount() ? m_btns[static_cast<size_t>(nIndex)] : nullptr;
    }
    int CommandToIndex(UINT nID) const;
    // The button's index, -1 when it is not this bar's.
    int IndexOf(const SECStdBtn* pBtn) const;
    // An empty rectangle and style 0 for an index out of range.
    CRect GetButtonRect(int nIndex) const;
    UINT GetButtonStyle(int nIndex) const;
    // Takes the style and repaints the button when it differs; nothing for an index out of
    // range.
    void SetButtonStyle(int nIndex, UINT nStyle);
    int GetHotButton() const
    {
        return m_nHotBtn;
    }
    int GetKeyboardButton() const
    {
        return m_nKeyboardBtn;
    }
    BOOL IsVertical() const
    {
        return m_bVertical;
    }
    BOOL GetCustomiseMode() const
    {
        return m_bCustomiseMode;
    }
    // A change clears the selection and repaints.
    void SetCustomiseMode(BOOL bCustomise);
    // Selects the button for customisation; another bar of the manager loses its selection.
    void SelectButton(int nIndex, BOOL bRedraw = TRUE);
    void ClearSelection(BOOL bRedraw = TRUE);
    // The selected button, -1 for none.
    int GetSelectedButton() const;
    void SetDragFlags(DWORD dwFlags)
    {
        m_dwDragFlags = dwFlags;
    }
    DWORD GetDragFlags() const
    {
        return m_dwDragFlags;
    }
    // The drawing data of the manager, or the bar's own.
    SECBtnDrawData& GetDrawData();
    // The window that gets commands and notifications: the owner, else the parent.
    CWnd* GetCommandOwner() const;
    // Sends a keyboard-mode or menu notification for a button.
    LRESULT SendBtnNotify(int nCode, int nIndex, CPoint point, const int* pExtra = nullptr, int nExtra = 0);

    // Process-wide: a command is being sent, or a menu of a menu bar is tracking.
    static BOOL IsCommandInProgress();
    static void SetMenuTracking(BOOL bTracking);
    static BOOL IsMenuTracking();
    // The registered "WM_NODELAYHIDE" that carries out a hide deferred while customising.
    static UINT NoDelayHideMessage();

protected:
    // The hot button from the cursor; none without the flat look or while a command runs.
    void UpdateHotTracking(BOOL bRedraw = TRUE);
    void SetHotButton(int nIndex, BOOL bRedraw = TRUE);
    void NotifyManager(SECBarNotification nCode);
    // Sets the separators of the row group around nIndex to the tallest button of the group.
    void FixSeparatorHeights(int nIndex);
    // Removes separators left at the start, at the end or doubled at nIndex; answers how
    // many entries before or at nIndex went.
    int RemoveDanglingSeparators(int nIndex);
    void RecalcAndRepaint();
    // Fires the command of a released button.
    void FireCommand(int nIndex, UINT nID);
    void RestoreIdlePrompt();
    // The rebar whose band holds this bar, or NULL.
    frames::SECReBar* GetOwnerReBar() const;
    // The layout's own answer, before a bar outside dock bars is stretched.
    CSize CalcDynamicLayoutOfButtons(int nLength, DWORD dwMode);
    // The buttons that the layout sees (hidden ones left out).
    SECBtnArray VisibleButtons() const;
    int RowHeight(const SECBtnArray& btns, int nFirst, int nLast) const;
    void PositionButtons(const SECBtnArray& btns, const CPoint& ptOrigin, BOOL bVertDock);
    static int SumWidths(const SECBtnArray& btns, int nFirst, int nLast);
    void FillRow(const SECBtnArray& btns, Row& row, int nFirst, int nLast, BOOL bSepEnd) const;
    // The trailing group that a row ending at a separator could pass on: first index and
    // width, or FALSE when the row holds no earlier separator.
    BOOL TrailingGroup(const SECBtnArray& btns, const Row* pRows, int nRow, int& nFirst, int& cx) const;
    BOOL CanPassOn(const SECBtnArray& btns, const Row* pRows, int nCount, int nRow, int cxLimit) const;

    // The rows of the laid-out buttons for a drop: first and last index, top and bottom.
    struct DropRow
    {
        int nFirst;
        int nLast;
        int yTop;
        int yBottom;
    };
    std::vector<DropRow> DropRows() const;
    // Where a dragged button of this bar went: the target bar, the customisation window,
    // empty space.
    BOOL DropDraggedButton(const CRect& rect, int nIndex, BOOL bCopy);
    // The button leaves this bar, which goes when it was the last of a user toolbar.
    void RemoveDraggedButton(int nIndex);
    // A new floating user toolbar at the screen point holding a copy of the command.
    BOOL CopyToNewToolBar(UINT nID, CPoint ptDrop);
    // Moves the separator before the button that was dropped on its own place.
    void MoveSeparatorBefore(int nIndex, const CRect& rectDrop);
    BOOL InsertDroppedButton(int nIndex, UINT nID);

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSysColorChange();
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAddButtons(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeleteButton(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNoDelayHide(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    SECToolBarManager* m_pManager;
    SECBmpMgr* m_pBmpMgr;
    int m_nSepWidth;
    int m_nPressedBtn;
    int m_nHotBtn;
    int m_nKeyboardBtn;
    BOOL m_bCustomiseMode;
    SECBtnDrawData* m_pOwnDrawData;
    BOOL m_bVertical;
    BOOL m_bDirtyFloat;
    BOOL m_bDirtyHorz;
    BOOL m_bDirtyVert;
    CSize m_sizeHorz;
    CSize m_sizeVert;
    CSize m_sizeFloat;
    DWORD m_dwDragFlags;
    CFont* m_pFont;
    const SECBtnMapEntry* m_pButtonMap;
    SECBtnMapEntry* m_pSecondButtonMap;
    BOOL m_bKeyboardMode;
    BOOL m_bMenuLook;
    foundation::SECThemeHandle m_themeRebar{L"Rebar"};
    foundation::SECThemeHandle m_themeMenu{L"Menu"};
    COLORREF m_clrBk;
    BOOL m_bUseBk;
    int m_cxButton;
    int m_cyButton;
    SECBtnArray m_btns;
    // The parent's length that a bar outside dock bars spans; 0 for docked bars.
    int m_nParentLength;
    // A hide deferred while customising.
    BOOL m_bDelayedHide;
};

} // namespace tarnwick::bars
