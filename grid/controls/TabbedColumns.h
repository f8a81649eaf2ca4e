// The column model that the tabbed combo cells share: which column of a tab-separated choice
// line is the value and which is shown, the user attributes that set them, and the filling of a
// list with the lines measured into column widths and tab stops.
#pragma once

#include <afxwin.h>

#include <functional>
#include <vector>

class CGXControl;
class CGXGridCore;
class CGXStyle;
class CGXStylesMap;

class CGXTabbedColumns
{
public:
    // Reads the attributes of the style: integers as decimal numbers, absent ones as 0, except
    // show-all-columns (absent: TRUE) and the sort column (absent: -1).
    void ReadAttributes(const CGXStyle& style);
    // Registers key column, text column, show all columns and column titles (both edited by a
    // 3-d check box), the sort column and, with bUniqueId, the choice-list id.
    static void RegisterUserAttributes(CGXStylesMap* pStylesMap, BOOL bUniqueId);

    // What a style stored into the current tabbed cell (by override or apply-new) asks of it:
    // new columns or choices (lists built anew), a new control or a value the user has not
    // changed (the cell shown anew), or nothing. The choice-list id counts with bUniqueId.
    enum class StoredStyleEffect
    {
        none,
        reset,
        newColumns
    };
    static StoredStyleEffect EffectOfStoredStyle(const CGXStyle* pStyle, int nMode, BOOL bModified, BOOL bUniqueId);
    // FALSE while the control is active and modified with a text that gives no value.
    static BOOL HasValidEditedText(CGXControl& control);

    // Column nColumn of a choice line, at most 127 characters.
    static CString ColumnText(LPCTSTR pszLine, int nColumn);
    // A choice line as a list item: the line, with the text column and a tab put before it when
    // the text column is not 0; and the line of such an item.
    CString ItemOf(const CString& strLine) const;
    CString LineOf(const CString& strItem) const;
    // The title line as the header takes it: side by side like an item, alone as the line.
    CString HeaderText(const CString& strTitle) const;
    // The choice list as the list shows it: sorted by the sort column, the title line kept first.
    CString SortedChoiceList(const CString& strChoiceList) const;
    // The line of the choice list whose column equals the text exactly; FALSE when none does.
    BOOL FindLine(const CString& strChoiceList, int nColumn, LPCTSTR pszText, CString& strLine) const;
    // TRUE when some line's text column begins with the text, ignoring case.
    BOOL HasTextPrefix(const CString& strChoiceList, LPCTSTR pszText) const;

    // What filling gives: the list items (the text column and a tab put before the line when the
    // text column is not 0), the title line, the right edge of every column and the total width
    // (column widths plus a vertical scroll bar).
    struct Filling
    {
        std::vector<CString> items;
        CString strTitle;
        CArray<int, int> tabStops;
        int nTotalWidth = 0;
    };
    // Measures the lines with the font selected into pDC; widths come from the widths attribute
    // where it has a number left, else the measured width plus 4 (0 for a hidden column).
    void Fill(CDC* pDC, const CString& strChoiceList, Filling& filling) const;

    // The size a cell needs for the widest text-column entry of the style's choice list (the
    // title line left out), measured with the style's font; with bChoices off only one line.
    CSize TextColumnExtent(CGXGridCore* pGrid, CDC* pDC, const CGXStyle& style, BOOL bChoices) const;
    // Draws a list item in the columns (only its first column when bFirstOnly or when not all
    // columns are shown), in the highlight colours when selected.
    void DrawItem(CDC* pDC, const CRect& rect, const CString& strItem, BOOL bSelected, BOOL bFirstOnly,
                  const CArray<int, int>& tabStops, COLORREF rgbLine, COLORREF rgbText, COLORREF rgbBack,
                  int nLineFlag) const;
    // Draws an owner-drawn item of a list that holds nCount items, its text from textOf, with
    // the focus rectangle the item asks for; an item the list does not hold draws nothing.
    void DrawOwnerDrawnItem(const DRAWITEMSTRUCT& item, int nCount, const std::function<CString(int)>& textOf,
                            BOOL bFirstOnly, const CArray<int, int>& tabStops, COLORREF rgbLine, COLORREF rgbText,
                            COLORREF rgbBack, int nLineFlag) const;

    int m_nKeyCol = 0;
    int m_nTextCol = 0;
    BOOL m_bShowAllCols = TRUE;
    BOOL m_bDispTitles = TRUE;
    int m_nSortCol = -1;
    CString m_strColWidths;
};
