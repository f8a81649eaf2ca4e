// The default cell control: the cell's value as text, edited in place in an edit window that
// lies over the cell while the cell is active. Password, spin, hot-spot and scroll-bar edits
// derive from it and share its activation, key routing, character filter and storing.
#pragma once

#include <afxwin.h>

#include <grid/controls/WindowControl.h>
#include <grid/core/Font.h>

class GX_FR_STATE;

class CGXEditControl : public CGXWindowControl<CEdit>
{
    DECLARE_DYNAMIC(CGXEditControl)
public:
    CGXEditControl(CGXGridCore* pGrid, UINT nID);
    ~CGXEditControl() override;

    static const GXControlClass ctlClassCGXEditControl;
    static CGXControl* Create(CGXGridCore* pGrid);

    // Window-side operations.
    // A number-formatted cell's text as "%.14g" with '.' as the decimal separator.
    virtual BOOL GetNumberFromText(CString& strText, const CGXStyle& style, double* pValue);
    // A number-formatted cell's value shown with the locale's decimal separator.
    virtual BOOL PrepareNumberText(CString& strText, const CGXStyle& style);
    virtual BOOL IsNumberFormat(const CGXStyle* pStyle);
    // The character filter of WM_CHAR: TRUE lets the window and then the grid process it.
    virtual BOOL ProcessChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL CreateControl(DWORD dwStyle, const RECT* pRect);
    // The window style the cell needs, and its formatting rectangle in pRect.
    virtual DWORD CalcEditStyle(CRect* pRect, const int* pLineHeight);

    const GXControlClass* GetControlClass() const override;
    void SetActive(BOOL bActive) override;
    void SetModified(BOOL bModified) override;
    BOOL IsModified() override;
    void Init(ROWCOL nRow, ROWCOL nCol) override;
    BOOL StoreEditedValue() override;
    BOOL ForwardHookA() override;
    BOOL CanFloatCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, BOOL bFloatOrFlood) override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    void GetCurrentText(CString& strText) override;
    BOOL StoreText(const CString& strText) override;
    BOOL GetStyleValue(CString& strText) override;
    void SetValue(LPCTSTR pszText) override;
    BOOL StoreValue(ROWCOL nRow, ROWCOL nCol, const CString& strText, const CGXStyle* pStyle) override;
    void HideControl() override;
    BOOL OnLButtonUp(UINT nFlags, CPoint point) override;
    BOOL OnLButtonDblClk(UINT nFlags, CPoint point) override;
    BOOL OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL OnCharText(const CString& strText) override;
    BOOL ForwardFeatureA(GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol, BOOL bFromCurrent, BOOL bSelect) override;
    BOOL ForwardFeatureB(GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol) override;
    void SetCellText(const CString& strText) override;
    void GetCopyText(CString& strText) override;
    BOOL OnGridCommand(WORD wCommand, HWND hWnd) override;
    BOOL AcceptPasteText(LPCTSTR pszText) override;

    // The window's selection as 32-bit positions.
    void GetSelection(int& nStart, int& nEnd) const;
    // The window's layout for the cell's wrapping, alignment and scroll bar; TRUE when the
    // window was made anew.
    BOOL RefreshLayout();
    static BOOL IsImeComposing();
    // Finds the search text in the source from nFrom (the upper-cased copy unless case matters).
    static int FindIn(const GX_FR_STATE& find, const CString& strSource, int nFrom);
    // Replaces every match from nFrom on, keeping the case of the untouched text; the number
    // of replacements, the result in strResult.
    static int ReplaceAllIn(const GX_FR_STATE& find, const CString& strSource, int nFrom, CString& strResult);

protected:
    // The grid's key processing for a key the control leaves.
    BOOL PassToGrid(UINT nMessage, WPARAM wParam, LPARAM lParam);
    // A number-formatted cell's number as a number, any other text as it stands.
    BOOL StoreNumberOrText(ROWCOL nRow, ROWCOL nCol, const CString& strText, const CGXStyle& style, UINT nTextFlags);
    // The text the window would hold with its selection replaced.
    CString TextWithSelectionReplaced(const CString& strInsert) const;
    // The cell's display text through a composed style when the find state carries none.
    CString CellTextForFind(const GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol);
    // The character of the cell text under the point, -1 when none.
    int HitTestCellText(CPoint point);
    // Activates for a click on the character (the whole text when none lies there).
    void ActivateAtCharacter(int nChar);
    void ReEvaluateFloat();

    afx_msg LRESULT OnWndGetDlgCode(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndKeyDown(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndKeyUp(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndChar(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndSysKey(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndEraseBkgnd(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndShowWindow(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndSetFocus(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndKillFocus(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndLButtonDown(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndStyleChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndContextMenu(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndImeStartComposition(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndImeEndComposition(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    BOOL m_bAutoSize = FALSE;
    BOOL m_bVertScrollBar = FALSE;
    BOOL m_bForceLeft = FALSE;
    UINT m_nID;
    CFont m_font;
    COLORREF m_rgbHighlightText;
    DWORD m_dwEditStyle = 0;
    UINT m_nAlign = 0;
    BOOL m_bBusy = FALSE;
    int m_nLineHeight = 0;
    int m_nMaxCharWidth = 0;
    COLORREF m_rgbInterior = 0;
    BOOL m_bAllowEnter = FALSE;
    BOOL m_bWrapText = FALSE;
    BOOL m_bRTLReading = FALSE;
    CString m_strPending;
    BOOL m_bReplacing = FALSE;
    UINT m_nMaxLength = 0;
    BOOL m_bFloatChanged = FALSE;
};
