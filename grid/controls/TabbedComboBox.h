// The multi-column drop-down cell of the edit family: the cell is edited in an edit window and
// its button drops a list of the choice list's tab-separated lines, side by side in columns under
// a title header. The cell stores the key column's text and shows the text column's. Cells with
// the same unique choice-list id share lookup tables that the grid's parameter object keeps, so
// that a long choice list is searched once per id rather than line by line per cell.
#pragma once

#include <grid/controls/ComboBox.h>
#include <grid/controls/TabbedColumns.h>

#include <memory>

class CGXGridParam;
class CGXStylesMap;
class CGXTabbedComboBox;
class CGXTabbedLBoxHeader;

// The dropped list: its items are drawn and measured in the owner's columns.
class CGXTabbedComboLBox : public CGXComboListBox
{
public:
    explicit CGXTabbedComboLBox(CGXTabbedComboBox* pOwner);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

private:
    CGXTabbedComboBox* m_pTabbedOwner;
};

class CGXTabbedComboBox : public CGXComboBox
{
    DECLARE_DYNAMIC(CGXTabbedComboBox)
public:
    CGXTabbedComboBox(CGXGridCore* pGrid, UINT nId);
    // Closes an open list and destroys the title header, which lives from the first drop on.
    ~CGXTabbedComboBox() override;

    static const GXControlClass ctlClassCGXTabbedComboBox;
    template <UINT nId> static CGXControl* Create(CGXGridCore* pGrid)
    {
        return new CGXTabbedComboBox(pGrid, nId);
    }
    static void RegisterUserAttributes(CGXStylesMap* pStylesMap);

    // The unique choice-list id of the style: 0 when absent, and for ids above 65,535, which
    // would make the tables' arrays huge.
    static int ChoiceListId(const CGXStyle& style);
    // The tables of the style's id, built from its choice list on first need: key-column text to
    // line and text-column text to line (a later equal text replaces the earlier line); nullptr
    // for ids below 1.
    static CMapStringToString* KeyTable(CGXGridParam* pParam, const CGXStyle& style);
    static CMapStringToString* TextTable(CGXGridParam* pParam, const CGXStyle& style);
    // Drops the tables of an id (-1: all of them) and raises the tables' version; ids 0 and below
    // -1 drop nothing.
    static void DropTables(CGXGridParam* pParam, int nId);

    // Completes the edit text from the choice list, selecting what was added to the typed text.
    void AutoComplete();

    CGXGridCombo* CreatePopupWnd(const CRect& rect) override;
    CListBox* CreateListBox(CGXGridCombo* pPopup) override;
    void ShowDropDown(BOOL bShow) override;
    void OnStoreDroppedList(CListBox* pList) override;
    void OnFillDroppedList(CListBox* pList) override;
    CRect GetDroppedStateRect(const CRect& rect) override;
    void DestroyDropDownWnd(CGXGridCombo* pPopup) override;

    const GXControlClass* GetControlClass() const override;
    void Init(ROWCOL nRow, ROWCOL nCol) override;
    BOOL ValidateValue() override;
    BOOL OnKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void SetValue(LPCTSTR pszText) override;
    BOOL GetStyleValue(CString& strText) override;
    BOOL FormatDisplayText(CString& strOut, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszText, const CGXStyle& style) override;
    BOOL CanStoreValue(ROWCOL nRow, ROWCOL nCol, CString& strText, const CGXStyle* pStyle) override;
    BOOL AcceptText(LPCTSTR pszText) override;
    BOOL RebindToCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, int nMode, int nType) override;
    CSize GetPreferredSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, int nDirection) override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;

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
    CGXTabbedComboLBox* GetTabbedListBox() const
    {
        return m_pListBox;
    }

    BOOL m_bAutoComplete = TRUE;
    COLORREF m_rgbGridLine = RGB(192, 192, 192);
    int m_nLineFlag = 0;

protected:
    // A printable character on a writable cell replaces the completed rest first and completes
    // the text after the edit family has taken it.
    afx_msg LRESULT OnTabbedChar(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    friend class CGXTabbedComboLBox;

    // The line of the choice list whose column equals the text, through the table when the
    // style's id has one.
    BOOL FindLine(const CGXStyle& style, CMapStringToString* pTable, int nColumn, LPCTSTR pszText,
                  CString& strLine) const;
    BOOL IsWritable();
    void PlaceHeader(CListBox* pList);
    void ShowTextStartWhenAllSelected(ROWCOL nRow, ROWCOL nCol);

    CGXTabbedColumns m_columns;
    COLORREF m_rgbListBack = RGB(255, 255, 255);
    COLORREF m_rgbListText = RGB(0, 0, 0);
    int m_nItemHeight = 10;
    int m_nTotalWidth = 0;
    CArray<int, int> m_tabStops;
    CString m_strTitle;
    CGXTabbedLBoxHeader* m_pHeader;
    BOOL m_bListFilled = FALSE;
    // The choice-list id and the shared tables' version the kept list was filled for.
    int m_nCachedId = 0;
    int m_nCachedVersion = -1;
    // The list of the open drop window; its window owns it.
    CGXTabbedComboLBox* m_pListBox = nullptr;
    // The drop window and its list, made on the first drop and hidden between drops.
    std::unique_ptr<CGXGridCombo> m_pKeptPopup;
    CGXTabbedComboLBox* m_pKeptList = nullptr;
};
