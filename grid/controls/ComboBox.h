// The drawn combo cell: the edit cell with a drop button and a pop-up list of the style's
// choice list. The variant flags choose whether the value is the chosen text or its index and
// whether the cell shows the choice for an index. CGXComboListBox is the pop-up list; it hands
// the user's choice, cancel and moves back to the edit window through private messages.
#pragma once

#include <grid/controls/EditControl.h>

class CGXGridCombo;
class CGXComboBoxButton;

// What the dropped list tells the combo's edit window.
constexpr UINT GX_WM_LIST_CHOSEN = 0x7AD;     // take the choice and close
constexpr UINT GX_WM_LIST_CANCEL = 0x7B8;     // close without a choice (wParam: keep the focus)
constexpr UINT GX_WM_LIST_SELCHANGED = 0x7C3; // a key moved the selection; the list stays open
constexpr UINT GX_WM_LIST_KILLFOCUS = 0x7C4;  // the list lost the focus (wParam: the new window, lParam: the list)

class CGXComboBox : public CGXEditControl
{
    DECLARE_DYNAMIC(CGXComboBox)
public:
    // Variant flags.
    static constexpr UINT flagTextFit = 0x01;
    static constexpr UINT flagNoTextFit = 0x02;
    static constexpr UINT flagZeroBased = 0x04;
    static constexpr UINT flagOneBased = 0x08;
    static constexpr UINT flagDisplayChoice = 0x10;

    CGXComboBox(CGXGridCore* pGrid, UINT nEditID, UINT nListBoxID, UINT nFlags);
    // Closes an open list first.
    ~CGXComboBox() override;

    static const GXControlClass ctlClassCGXComboBox;
    // The factory's maker for a control id and its flags; edit and list take the id.
    template <UINT nId, UINT nFlags> static CGXControl* Create(CGXGridCore* pGrid)
    {
        return new CGXComboBox(pGrid, nId, nId, nFlags);
    }

    // Window-part operations.
    virtual CGXGridCombo* CreatePopupWnd(const CRect& rect);
    virtual CListBox* CreateListBox(CGXGridCombo* pPopup);
    virtual void ShowDropDown(BOOL bShow);
    virtual BOOL IsDroppedDown();
    virtual CGXGridCombo* GetDropDownWnd();
    virtual void OnStoreDroppedList(CListBox* pList);
    virtual void OnFillDroppedList(CListBox* pList);
    // The rectangle with its bottom moved down by the grid's drop-down height.
    virtual CRect GetDroppedStateRect(const CRect& rect);
    virtual void DestroyDropDownWnd(CGXGridCombo* pPopup);

    const GXControlClass* GetControlClass() const override;
    void SetActive(BOOL bActive) override;
    void Init(ROWCOL nRow, ROWCOL nCol) override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    void Reset() override;
    CRect GetCellClientRect(CRect& rectOut, ROWCOL nRow, ROWCOL nCol, const CRect* pRect = nullptr,
                            const CGXStyle* pStyle = nullptr) override;
    CSize AddFrameToSize(CSize& size, CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle) override;
    CSize GetPreferredSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, int nDirection) override;
    BOOL GetStyleValue(CString& strText) override;
    BOOL FormatDisplayText(CString& strOut, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszText, const CGXStyle& style) override;
    BOOL CanStoreValue(ROWCOL nRow, ROWCOL nCol, CString& strText, const CGXStyle* pStyle) override;
    // A press in the grid closes an open list without a choice.
    BOOL ReservedHookA(DWORD dwValue1, DWORD dwValue2, DWORD dwValue3, DWORD dwValue4) override;
    BOOL OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void SetCellText(const CString& strText) override;
    BOOL OnChildClicked(CGXChild* pChild) override;
    LRESULT OnGridScroll(const MSG& msg) override;
    void LayoutChildren(ROWCOL nRow, ROWCOL nCol, const CRect& rect) override;
    BOOL AcceptText(LPCTSTR pszText) override;

    CGXChild* DropButton() const;

    BOOL m_bFillWithChoiceList = TRUE;
    UINT m_nFlags;
    DWORD m_dwListBoxStyle = 0;
    BOOL m_bButtonOnlyInCurrentCell = FALSE;
    BOOL m_bAlwaysShowButton = FALSE;
    BOOL m_bDrawActiveAsStatic = FALSE;
    BOOL m_bSizeButtonToFont = TRUE;

protected:
    // The list's style, WS_VSCROLL | LBS_NOTIFY when none was set.
    DWORD ListBoxStyle();
    // The choice list's lines in order, the empty rest ending the list.
    static void AddChoiceLines(CListBox* pList, const CString& strChoiceList, BOOL bSkipFirst, int* pCount);
    // Whether the value is an index (zero- or one-based) and the offset it carries.
    BOOL IsIndexMode() const;
    int IndexOffset() const;
    // The looked-up choice of a text as the value to store: the entry's text, or its index
    // ("%d", offset added) with display choice; bFound tells whether anything matched.
    CString ChoiceValue(const CString& strText, const CString& strChoiceList, BOOL& bFound);
    // Whether the cell reserves room for the button.
    BOOL HasButtonAt(ROWCOL nRow, ROWCOL nCol);
    // Opens the list from the grid's key path or the edit window's: activates when asked,
    // scrolls the cell into view and shows the list; FALSE when editing is refused.
    BOOL DropDownByKey(BOOL bActivate);
    // Detaches and destroys the open pop-up; the window takes the focus when the list had it.
    void ClosePopup(CWnd* pFocusTo);

    afx_msg LRESULT OnWndSetFocus(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndSysKeyDown(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnListChosen(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnListCancel(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnListSelChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnListKillFocus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CGXComboBoxButton* m_pButton;
    UINT m_nListBoxID;
    CGXGridCombo* m_pDropDownWnd = nullptr;
    CFont m_font;
    int m_nTextHeight = 0;
    int m_nButtonMargin = 1;
    // Set while a choice is taken into the edit window, which may take the focus meanwhile.
    BOOL m_bTakingChoice = FALSE;
};

// The combo cell's dropped list.
class CGXComboListBox : public CListBox
{
public:
    explicit CGXComboListBox(CWnd* pOwner);

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;

protected:
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bKeyUsed = FALSE;
    BOOL m_bLButtonDown = FALSE;
    CWnd* m_pOwner;
    int m_nSelAtKey = LB_ERR;
    BOOL m_bAlphaNumericKey = FALSE;
    int m_nKeyRepeats = 0;
};
