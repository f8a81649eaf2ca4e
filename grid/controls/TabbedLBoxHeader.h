// The one-line title row that a tabbed combo box shows with its dropped list, and the routines
// that measure and draw the list's tab-separated items in columns. A piece of an item that
// names a bitmap of the thread's bitmap pool ("#BMP(...)") shows that bitmap.
#pragma once

#include <afxwin.h>

#include <toolkit/foundation/ThemeHandle.h>

class CGXTabbedLBoxHeader : public CWnd
{
public:
    CGXTabbedLBoxHeader() = default;

    // Creates the hidden, zero-sized child of the desktop; the combo box places and shows it.
    BOOL CreateHeader();

    // Set by the tabbed combo box before each showing.
    BOOL m_bAllColumns = FALSE;
    int m_nDisplayCol = 0;
    int m_nColumns = 0;
    const int* m_pColumnEdges = nullptr;
    CFont* m_pFont = nullptr;
    CString m_strHeaderText;

    // When not zero, the header is created without the tool-window style.
    static int s_nPlainHeaderStyle;

protected:
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // Paints the titles double-buffered into the device context.
    void Paint(CDC* pTargetDC);
    void DrawTitle(CDC* pDC, const CRect& rect, const CString& strTitle, BOOL bDisplayColumn);

    tarnwick::foundation::SECThemeCache m_themes;
};

// Widens each of the first nColumns widths to its piece of the text where that is wider.
void GXMeasureTabbedColumns(CDC* pDC, LPCTSTR pszText, int nColumns, int* pWidths);
// Draws one item: the background, then (without bSingleColumn) a line at each column edge and
// each piece in its column, or (with it) the display column's piece across the item.
void GXDrawTabbedListItem(CDC* pDC, const CRect& rect, LPCTSTR pszText, BOOL bSingleColumn, int nDisplayCol,
                          int nColumns, const int* pColumnEdges, COLORREF rgbLine, COLORREF rgbText, COLORREF rgbBack,
                          int nLeftOffset);
// Raises the height to that of any bitmap among the pieces shown.
void GXMeasureTabbedListItem(CDC* pDC, int& nHeight, LPCTSTR pszText, BOOL bSingleColumn, int nDisplayCol);
