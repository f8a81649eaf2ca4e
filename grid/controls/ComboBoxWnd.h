// The cell control that edits a cell through a real combo box window: the window lies over
// the current cell while it is active; other cells are drawn without a window. The items come
// from the style's choice list; the value is the chosen text or, in index mode, the item's
// number plus an offset. CGXComboEditPart is the combo's subclassed edit box.
#pragma once

#include <grid/controls/WindowControl.h>

#include <memory>

struct ComposedStyle;

class CGXComboBoxWnd;
class CGXComboBoxWndButton;

class CGXComboEditPart : public CEdit
{
public:
    explicit CGXComboEditPart(CGXComboBoxWnd* pCombo);

protected:
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()

private:
    CGXComboBoxWnd* m_pCombo;
};

class CGXComboBoxWnd : public CGXWindowControl<CComboBox>
{
    DECLARE_DYNAMIC(CGXComboBoxWnd)
public:
    explicit CGXComboBoxWnd(CGXGridCore* pGrid);
    ~CGXComboBoxWnd() override;

    static const GXControlClass ctlClassCGXComboBoxWnd;
    // The factory's maker for a control id and its window style.
    template <UINT nId, DWORD dwStyle> static CGXControl* Create(CGXGridCore* pGrid)
    {
        auto* pCombo = new CGXComboBoxWnd(pGrid);
        pCombo->CreateWithStyle(dwStyle, nId);
        pCombo->m_bFillWithChoiceList = TRUE;
        pCombo->m_bWantArrowKeys = FALSE;
        return pCombo;
    }

    // Makes the drop button and the combo window (class "GXCOMBOBOX", hidden, of the grid
    // window) and subclasses its edit box.
    BOOL CreateWithStyle(DWORD dwStyle, UINT nID);

    // Window-part operations.
    // The rectangle the combo takes for the cell; this class keeps it.
    virtual CRect AdjustComboRect(const CRect& rect);
    // The keys of the combo and its edit box: TRUE when the grid took the key.
    virtual BOOL ProcessEditKey(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void DropDownIfPending();

    void ActivateAndDropDown();
    void GetComboText(CString& strText);
    void GetSelRange(int& nStart, int& nEnd);
    void SetSelRange(int nStart, int nEnd);
    BOOL PreTranslateMessage(MSG* pMsg) override;

    const GXControlClass* GetControlClass() const override;
    void SetActive(BOOL bActive) override;
    void SetModified(BOOL bModified) override;
    BOOL IsModified() override;
    void Init(ROWCOL nRow, ROWCOL nCol) override;
    BOOL StoreEditedValue() override;
    CRect GetCellClientRect(CRect& rectOut, ROWCOL nRow, ROWCOL nCol, const CRect* pRect = nullptr,
                            const CGXStyle* pStyle = nullptr) override;
    CSize AddFrameToSize(CSize& size, CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle) override;
    CSize GetPreferredSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, int nDirection) override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    void GetCurrentText(CString& strText) override;
    BOOL StoreText(const CString& strText) override;
    BOOL GetStyleValue(CString& strText) override;
    void SetValue(LPCTSTR pszText) override;
    BOOL FormatDisplayText(CString& strOut, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszText, const CGXStyle& style) override;
    BOOL StoreValue(ROWCOL nRow, ROWCOL nCol, const CString& strText, const CGXStyle* pStyle) override;
    BOOL CanStoreValue(ROWCOL nRow, ROWCOL nCol, CString& strText, const CGXStyle* pStyle) override;
    void HideControl() override;
    BOOL OnLButtonUp(UINT nFlags, CPoint point) override;
    BOOL OnLButtonDblClk(UINT nFlags, CPoint point) override;
    BOOL OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL OnCharText(const CString& strText) override;
    BOOL OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL ForwardFeatureA(GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol, BOOL bFromCurrent, BOOL bSelect) override;
    BOOL ForwardFeatureB(GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol) override;
    void SetCellText(const CString& strText) override;
    void GetCopyText(CString& strText) override;
    BOOL OnChildClicked(CGXChild* pChild) override;
    BOOL OnGridCommand(WORD wCommand, HWND hWnd) override;
    void LayoutChildren(ROWCOL nRow, ROWCOL nCol, const CRect& rect) override;
    BOOL AcceptText(LPCTSTR pszText) override;

    // Whether the button is drawn in cells the control is not bound to.
    BOOL ShowsButtonInOtherCells() const;

    int m_nMargin;
    BOOL m_bFillWithChoiceList = TRUE;
    BOOL m_bWantArrowKeys = FALSE;
    BOOL m_bSizeToFont = FALSE;
    int m_nIndexValue = -1;
    BOOL m_bDispChoice = FALSE;
    BOOL m_bDropDownOnClick = TRUE;
    BOOL m_bButtonEverywhere = FALSE;
    BOOL m_bButtonInCurrentCellOnly = TRUE;
    BOOL m_bMarginsInHeight = FALSE;
    BOOL m_bInactiveFrame = TRUE;

protected:
    // Fills the list from the cell's choice list, one item a line (when the control fills).
    virtual void LoadChoices(const CGXStyle& style);
    // The low two bits of the window style: CBS_DROPDOWN (an edit box) or CBS_DROPDOWNLIST.
    UINT ComboKind() const;
    BOOL IsDroppedDown() const;
    BOOL IsIndexMode() const;
    // The cell's text before its list was dropped comes back on a read-only cell.
    void RestoreSavedState();
    // The current text and its selection held within it (the end at the text's end when the
    // selection runs on).
    void GetValueAndSelection(CString& strValue, int& nStart, int& nEnd);
    // Activates for editing unless refused; FALSE when the grid refused.
    BOOL ActivateForEditing();
    // Scrolls the bound cell into view and refreshes it when nothing scrolled.
    void ScrollInViewOrRefresh();
    // The text height of the style's font, measured once.
    int TextHeight(const CGXStyle& style);
    // The value's text, as find and replace see it, with the position to search from.
    CString TextForFind(GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol, int& nFrom, const CGXStyle*& pStyle,
                        std::unique_ptr<ComposedStyle>& composed);

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    BOOL m_bTextOperations = TRUE;
    CGXComboEditPart m_editPart;
    CGXComboBoxWndButton* m_pButton = nullptr;
    BOOL m_bModified = FALSE;
    CFont m_font;
    COLORREF m_rgbHighlightText;
    COLORREF m_rgbBackground = RGB(255, 255, 255);
    int m_nSavedSelStart = 0;
    int m_nSavedSelEnd = -1;
    BOOL m_bDropPending = FALSE;
    int m_nTextHeight = 0;
    CString m_strSavedText;
    int m_nSavedIndex = CB_ERR;
    CBrush m_brushBackground;
};
