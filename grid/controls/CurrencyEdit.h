// The currency cell: the value is a plain decimal number ("." as decimal point) that the cell
// shows and edits as an amount through a currency edit window laid over the current cell. Seven
// user attributes of the style make the cell's format; a hidden second window formats and
// converts the values of the other cells.
#pragma once

#include <afxwin.h>

#include <grid/controls/BCurrencyEdit.h>
#include <grid/controls/WindowControl.h>

class GX_FR_STATE;

class CGXCurrencyEdit : public CGXWindowControl<CGXBCurrencyEdit>
{
    DECLARE_DYNAMIC(CGXCurrencyEdit)
public:
    CGXCurrencyEdit(CGXGridCore* pGrid, UINT nID);
    ~CGXCurrencyEdit() override;

    static const GXControlClass ctlClassCGXCurrencyEdit;
    static CGXControl* Create(CGXGridCore* pGrid);
    static void RegisterUserAttributes(CGXStylesMap* pStylesMap);

    // Window-side operations.
    // The style's currency attributes on top of the window's format (the control's own window
    // when none is named); attribute values out of range keep what the format had.
    virtual void ApplyStyleToFormat(CGXBCurrencyEdit* pWnd, const CGXStyle& style);
    // Creates the editing window over the grid window and the hidden formatting window.
    virtual BOOL CreateControl(DWORD dwStyle);
    // The character check of the window: everything passes while m_bNoValidate is set.
    virtual BOOL IsValidChar(UINT nChar);
    void SetNoValidate(BOOL bNoValidate)
    {
        m_bNoValidate = bNoValidate;
    }

    // Control operations (the slots of the cell-control base).
    const GXControlClass* GetControlClass() const override;
    void SetActive(BOOL bActive) override;
    void SetModified(BOOL bModified) override;
    BOOL IsModified() override;
    void Init(ROWCOL nRow, ROWCOL nCol) override;
    BOOL StoreEditedValue() override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    void GetCurrentText(CString& strText) override;
    BOOL GetStyleValue(CString& strText) override;
    void SetValue(LPCTSTR pszText) override;
    BOOL StoreText(const CString& strText) override;
    BOOL FormatDisplayText(CString& strOut, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszText, const CGXStyle& style) override;
    BOOL CanStoreValue(ROWCOL nRow, ROWCOL nCol, CString& strText, const CGXStyle* pStyle) override;
    BOOL RebindToCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, int nMode, int nType) override;
    void HideControl() override;
    BOOL OnLButtonUp(UINT nFlags, CPoint point) override;
    BOOL OnLButtonDblClk(UINT nFlags, CPoint point) override;
    BOOL OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL OnCharText(const CString& strText) override;
    BOOL OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void GetValueForCopy(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, CString& strText) override;
    BOOL ForwardFeatureA(GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol, BOOL bFromCurrent, BOOL bSelect) override;
    BOOL ForwardFeatureB(GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol) override;
    void SetCellText(const CString& strText) override;
    void GetCopyText(CString& strText) override;
    BOOL OnGridCommand(WORD wCommand, HWND hWnd) override;

    // A stored number as the format reads it: its "." becomes the format's decimal separator.
    static CString ToFormatText(const CString& strValue, const CGXBCurrencyFormat& format);
    // An amount as the number text a cell stores: "." as decimal point, the format's decimals.
    static CString ToNumberText(double dValue, BOOL bNegative, int nDecimals);

protected:
    afx_msg LRESULT OnWndGetDlgCode(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndKeyDown(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndChar(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndSysKeyDown(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndSysKey(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndKillFocus(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndLButtonDown(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndEraseBkgnd(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndContextMenu(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndCalculatorResult(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    ROWCOL Row() const
    {
        return static_cast<ROWCOL>(m_nRow);
    }
    ROWCOL Col() const
    {
        return static_cast<ROWCOL>(m_nCol);
    }
    BOOL PassToGrid(UINT nMessage, WPARAM wParam, LPARAM lParam);
    // Init's work on the window while m_bInitializing is set.
    void InitWindow(ROWCOL nRow, ROWCOL nCol);
    // Whether the style asks for the drop button (the fourth attribute character not '0').
    static BOOL HasDropButton(const CGXStyle& style);
    // Activates the control for editing when the grid agrees; FALSE when it does not.
    BOOL ActivateForEditing();
    // Activates the control with the caret at the character under the point of the grid window.
    void ActivateAtPoint(CPoint point);
    // Shows the amount with its sign flipped, as an edit of the cell.
    void FlipSign(double dValue, BOOL bNegative);
    // The format a cell's style makes, in m_captive.
    const CGXBCurrencyFormat& CaptiveFormatFor(const CGXStyle& style);

    UINT m_nID;
    CFont m_font;
    int m_nLineHeight = 0;
    int m_nMaxCharWidth = 0;
    BOOL m_bInitializing = FALSE;
    BOOL m_bModified = FALSE;
    CGXCaptiveCurEdit m_captive;
    BOOL m_bNoValidate = FALSE;
};
