// The multi-column combo box window cell: every choice line is a row of tab-separated columns,
// the dropped list shows them side by side under a title header, the cell stores the key
// column's text and shows the text column's. CGXTabbedCBEditWnd is its edit box: it shows the
// first column of an item and completes typed text from the list.
#pragma once

#include <grid/controls/ComboBoxWnd.h>
#include <grid/controls/TabbedColumns.h>

class CGXStylesMap;
class CGXTabbedComboBoxWnd;
class CGXTabbedLBoxHeader;

class CGXTabbedCBEditWnd : public CGXComboEditPart
{
public:
    explicit CGXTabbedCBEditWnd(CGXTabbedComboBoxWnd* pCombo);

protected:
    // A text set into the box is cut at its first tab within the first 255 characters.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()

private:
    CGXTabbedComboBoxWnd* m_pTabbedCombo;
};

class CGXTabbedComboBoxWnd : public CGXComboBoxWnd
{
    DECLARE_DYNAMIC(CGXTabbedComboBoxWnd)
public:
    explicit CGXTabbedComboBoxWnd(CGXGridCore* pGrid);
    ~CGXTabbedComboBoxWnd() override;

    static const GXControlClass ctlClassCGXTabbedComboBoxWnd;
    // The factory's maker: CBS_DROPDOWN, or CBS_DROPDOWNLIST dropping on a click.
    template <UINT nId, DWORD dwStyle> static CGXControl* Create(CGXGridCore* pGrid)
    {
        auto* pCombo = new CGXTabbedComboBoxWnd(pGrid);
        pCombo->CreateWithStyle(dwStyle, nId);
        pCombo->m_bDropDownOnClick = (dwStyle & 0x3) == CBS_DROPDOWNLIST;
        return pCombo;
    }
    static void RegisterUserAttributes(CGXStylesMap* pStylesMap);

    // Makes the owner-drawn "GXCOMBOBOX" window with its button and the tabbed edit box.
    BOOL CreateWithStyle(DWORD dwStyle, UINT nID);
    // Fills the list from the cached style's choice list and measures the columns.
    void FillList();
    // Read-only disables the combo; its edit box stays enabled and read-only, so text can still
    // be selected.
    void SetReadOnly(BOOL bReadOnly);
    void SetColumnCount(int nColumns);
    // Activates the cell (unless refused) and drops the list, for every combo style.
    void ActivateAndDropDown();

    const GXControlClass* GetControlClass() const override;
    void Init(ROWCOL nRow, ROWCOL nCol) override;
    BOOL ValidateValue() override;
    CSize GetPreferredSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, int nDirection) override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    void GetCurrentText(CString& strText) override;
    BOOL GetStyleValue(CString& strText) override;
    void SetValue(LPCTSTR pszText) override;
    BOOL FormatDisplayText(CString& strOut, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszText, const CGXStyle& style) override;
    BOOL CanStoreValue(ROWCOL nRow, ROWCOL nCol, CString& strText, const CGXStyle* pStyle) override;
    BOOL AcceptText(LPCTSTR pszText) override;
    BOOL RebindToCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, int nMode, int nType) override;
    void HideControl() override;
    BOOL OnLButtonUp(UINT nFlags, CPoint point) override;
    BOOL OnGridCommand(WORD wCommand, HWND hWnd) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

    // The columns as the last Init read them, the list's total width and its tab stops.
    const CGXTabbedColumns& Columns() const
    {
        return m_columns;
    }
    int GetTotalWidth() const
    {
        return m_nTotalWidth;
    }
    const CArray<int, int>& GetTabStops() const
    {
        return m_tabStops;
    }
    CGXTabbedLBoxHeader* GetHeader() const
    {
        return m_pHeader;
    }

protected:
    void LoadChoices(const CGXStyle& style) override;
    // Places the dropped list and the title header above it when the list is coloured.
    void PlaceDroppedList(CWnd* pList);

    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

private:
    void HideHeader();
    // The item's text, or the title line for an item without text.
    CString ItemText(int nItem);

    CGXTabbedColumns m_columns;
    COLORREF m_rgbGridLine = RGB(192, 192, 192);
    COLORREF m_rgbListBack = RGB(255, 255, 255);
    COLORREF m_rgbListText = RGB(0, 0, 0);
    int m_nLineFlag = 0;
    CRect m_rectList;
    int m_nTotalWidth = 0;
    // The selection field's height as Draw set it last.
    int m_nFieldHeight = 0;
    CGXTabbedCBEditWnd* m_pEdit = nullptr;
    CArray<int, int> m_tabStops;
    CGXTabbedLBoxHeader* m_pHeader;
    BOOL m_bMeasuringOff = FALSE;
    CString m_strTitle;
};
