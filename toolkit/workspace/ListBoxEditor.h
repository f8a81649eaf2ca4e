// SECListBoxEditor turns a dialog's list box into an editable list: a header strip with a
// caption and up to four buttons (New, Delete, Move Up, Move Down) above it, in-place editing,
// a trailing empty item for new entries, and moves by buttons, keys or dragging. Its owner hears
// of every change through the virtual operations and through commands to the parent.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include <functional>

namespace tarnwick::workspace
{
class SECListBoxEditor;

// The in-place edit: Enter ends it, Escape cancels, the navigation keys and Tab end it and move on.
class SECListBoxEdit : public CEdit
{
public:
    explicit SECListBoxEdit(SECListBoxEditor& editor) : m_editor(editor)
    {
    }

    static constexpr UINT ID_EDIT = 100;
    static constexpr UINT ID_BROWSE = 101;
    // The notification with which the edit reports that it is done.
    static constexpr UINT EN_EDITDONE = 1000;

protected:
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

private:
    // Reports the end to the editor; bCancel marks it cancelled first.
    void Finish(BOOL bCancel);
    SECListBoxEditor& m_editor;
    BOOL m_bDone = FALSE;
};

// The subclassed list box: keys and double clicks start the editor's operations.
class SECListBoxEditorHelper : public CListBox
{
public:
    explicit SECListBoxEditorHelper(SECListBoxEditor& editor) : m_editor(editor)
    {
    }

    // Sets the edit's cancelled flag.
    static constexpr UINT WM_CANCELEDIT = 0x500;

protected:
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg LRESULT OnCancelEdit(WPARAM wParam, LPARAM lParam);
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()

private:
    SECListBoxEditor& m_editor;
};

// Follows the mouse while an item is dragged and marks the insertion point with a line.
class SECListBoxDragWnd : public CWnd
{
public:
    // Runs the drag of the item from the press; the index to move it before, or -1 when it
    // does not move.
    static int Track(SECListBoxEditor& editor, CListBox& listBox, int nItem, CPoint ptPress);
    // The place above or below the item under the point, at most the count of real items.
    static int InsertionPoint(CListBox& listBox, CPoint point, int nRealCount);
};

// The pressed look of a header button while the mouse holds it.
class SECFakeButton
{
public:
    // Follows the mouse until the button is released; TRUE when released inside.
    static BOOL Track(SECListBoxEditor& editor, int nButton);
};

class SECListBoxEditor : public CWnd
{
public:
    // Style bits.
    static constexpr DWORD LBE_BROWSE = 0x01;
    static constexpr DWORD LBE_AUTOEDIT = 0x02;
    static constexpr DWORD LBE_BUTTONS = 0x04;
    static constexpr DWORD LBE_TOOLTIPS = 0x08;
    static constexpr DWORD LBE_SHORTCUTS = 0x10;
    static constexpr DWORD LBE_NOTRAILINGBLANK = 0x40;
    static constexpr DWORD LBE_NEWBUTTON = 0x100;
    static constexpr DWORD LBE_DELBUTTON = 0x200;
    static constexpr DWORD LBE_UPBUTTON = 0x400;
    static constexpr DWORD LBE_DOWNBUTTON = 0x800;
    // The notifications sent to the parent in the list box's command.
    static constexpr UINT LBN_ITEMDELETED = 10;
    static constexpr UINT LBN_ITEMMOVED = 11;
    // The header buttons, in their order.
    enum Button
    {
        btnNew,
        btnDelete,
        btnUp,
        btnDown,
        buttonCount
    };
    // How long a drag must last before it moves anything or scrolls.
    static constexpr ULONGLONG DRAG_DELAY = 250;

    SECListBoxEditor();
    ~SECListBoxEditor() override;

    virtual BOOL Attach(CWnd* pDialog, UINT nListBoxID, DWORD dwStyle);
    // FALSE when the dialog has no such list box.
    virtual BOOL Initialize(CWnd* pDialog, UINT nListBoxID, DWORD dwStyle);
    virtual void SetSpaceAdvance(BOOL bOn);
    virtual void EndEdit();
    virtual void OnEditStarted();
    virtual void OnEditEnded();
    virtual void OnItemRenamed(int nIndex, CString strOldText, CString strNewText);
    virtual void OnItemAdded(int nIndex, CString strText);
    virtual void OnItemMoved(int nFrom, int nTo, CString strText);
    // FALSE refuses the deletion.
    virtual BOOL OnItemDeleting(int nIndex, CString strText);
    virtual void OnNew();
    virtual void OnDelete();
    virtual BOOL OnMoveDown();
    virtual BOOL OnMoveUp();
    // nChar 0: no typed character.
    virtual void BeginEdit(UINT nChar);
    virtual int GetHeaderHeight();
    virtual void CreateButtons();
    virtual void UpdateTooltips();
    virtual void Layout();
    virtual void SetButtonFlags(DWORD dwStyle);
    virtual void EditItem(int nIndex, BOOL bAdding, LPCTSTR lpszInitialText);
    virtual void SwapWithPrevious(int nIndex);
    // FALSE for an index outside the list, the trailing empty item, or a refusal.
    virtual BOOL DeleteItem(int nIndex);
    virtual void SetSpaceAdvanceCount(int nCount);

    CListBox* GetListBox() const;
    SECListBoxEdit* GetEdit() const
    {
        return m_pEdit;
    }
    DWORD GetEditorStyle() const
    {
        return m_dwStyle;
    }
    BOOL IsButtonShown(int nButton) const
    {
        return m_bButtonShown[nButton];
    }
    const CRect& GetButtonRect(int nButton) const
    {
        return m_rectButtons[nButton];
    }
    CToolTipCtrl& GetToolTips()
    {
        return m_toolTips;
    }
    BOOL IsSpaceAdvance() const
    {
        return m_bSpaceAdvance;
    }
    int GetSpaceAdvanceCount() const
    {
        return m_nSpaceAdvanceCount;
    }
    // The real items: the count without the trailing empty item while it is in use.
    int GetRealCount() const;
    BOOL HasTrailingItem() const
    {
        return !(m_dwStyle & LBE_NOTRAILINGBLANK);
    }
    void SetCancelled(BOOL bCancelled)
    {
        m_bCancelled = bCancelled;
    }
    // The header button under a point of the editor's client area, or -1.
    int ButtonAt(CPoint point) const;
    // Runs a header button's operation.
    void RunButton(int nButton);
    // Draws the header; nPressed: the button that shows its pressed look.
    void PaintHeader(CDC& dc, int nPressed = -1);
    // Tests give the drag its clock; the system's tick count otherwise.
    void SetTickSource(std::function<ULONGLONG()> source)
    {
        m_tickSource = std::move(source);
    }
    ULONGLONG Now() const
    {
        return m_tickSource ? m_tickSource() : ::GetTickCount64();
    }
    // A press on an item: the drag, and the move it ends in.
    void DragItem(int nItem, CPoint ptPress);

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    BOOL PreTranslateMessage(MSG* pMsg) override;
    DECLARE_MESSAGE_MAP()

private:
    // Ensures the trailing empty item while one is in use.
    void EnsureTrailingItem();
    // Posts the list box's selection-change command to the parent.
    void NotifyParent(UINT nCode, BOOL bPost);
    // Moves the item from nFrom to nTo one neighbour at a time, selected, reporting each step.
    void MoveItem(int nFrom, int nTo);

    CButton m_btnBrowse;
    CToolTipCtrl m_toolTips;
    SECListBoxEdit* m_pEdit;
    SECListBoxEditorHelper* m_pListBox;
    CRect m_rectButtons[buttonCount];
    BOOL m_bButtonShown[buttonCount];
    DWORD m_dwStyle;
    BOOL m_bInitialized;
    int m_nHeaderHeight;
    BOOL m_bAdding;
    CString m_strTextBefore;
    BOOL m_bCancelled;
    int m_nLastIndexes[2];
    BOOL m_bSpaceAdvance;
    int m_nSpaceAdvanceCount;
    CBitmap m_bitmaps[buttonCount];
    int m_nEditIndex;
    int m_nHotButton;
    std::function<ULONGLONG()> m_tickSource;
};
} // namespace tarnwick::workspace
