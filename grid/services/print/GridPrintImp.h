// The grid's print feature: divides the table into pages (frozen rows and columns open every
// page), draws one page with its header, footer, frame and centring, and builds the header and
// footer texts from the properties' tokens. It keeps nothing of its own: the page breaks live in
// the grid core.
#pragma once

#include <grid/core/AbstractGridImps.h>

#include <ctime>

class CGXGridPrintImp : public CGXAbstractGridPrintImp
{
public:
    // Breaks the printed range (the table, or the first selected range when the print dialog
    // asks for the selection) into pages of the print rectangle; sets the page count, the page
    // description's " / n" and, in preview, the page holding the top-left cell on screen.
    void OnBeginPrinting(CGXGridCore* pGrid, CDC* pDC, CPrintInfo* pInfo) override;
    // Draws page m_nCurPage. A page past the page count draws nothing and ends the job.
    void OnPrint(CGXGridCore* pGrid, CDC* pDC, CPrintInfo* pInfo) override;
    // Deletes the print-time float pools; the screen's spans stay.
    void OnEndPrinting(CGXGridCore* pGrid) override;

    // Fills the page tokens and draws the header above and the footer below the cells, whose
    // rectangle is pInfo->m_rectDraw.
    void PrintHeaderFooter(CGXProperties* pProperties, CDC* pDC, CPrintInfo* pInfo, CDocument* pDocument,
                           CGXGridParam* pParam) override;
    // The tallest of the block's three columns, counting each line that has a value.
    int CalcHeaderFooterHeight(CDC* pDC, CGXData& block, CGXStylesMap* pStylesMap) override;
    // Column 1 left-aligned, 2 centred, 3 right-aligned, 8 units in from the rectangle's sides.
    void DrawHeaderFooter(CGXProperties* pProperties, CDC* pDC, const CRect& rect, CGXData& block,
                          CGXStylesMap* pStylesMap) override;
    // Each token (case-insensitive, first match in the token order) replaced by its value.
    CString SubstituteTokens(CGXProperties* pProperties, const CString& strText) override;
    // Token 4 is the local time, formatted by a "{...}" argument or "%c"; a format the C library
    // would reject, or a result over 255 characters, gives "". Others: the stored value or "".
    CString GetTokenValue(CGXProperties* pProperties, int nToken, CString& strRest) override;
    // The text inside a leading "{...}", taken out of strRest; "" and strRest kept otherwise.
    CString TakeTokenArgument(CString& strRest) override;

protected:
    // The clock of the date token; tests give a fixed time.
    virtual time_t CurrentTime() const;

private:
    // The grid in its printing state for the life of the object: the print-time rows, columns
    // and units, no cached drawing objects, the standard style's font in the DC. A redraw that
    // the drawing asked for meanwhile redraws the whole window when the scope ends.
    class CPrintingScope;

    // Appends page breaks after the last one until a page passes nEnd; the last break is then
    // nEnd + 1. A page holds what the print rectangle shows from its first row (column), at
    // least one; a user break inside it starts the next page. The page holding nScreenFirst is
    // recorded in nPreviewPage.
    static void AppendBreaks(CGXGridCore& grid, BOOL bRows, CDWordArray& breaks, ROWCOL nEnd,
                             const CDWordArray& userBreaks, ROWCOL nScreenFirst, int& nPreviewPage);
    // Finds the page's row and column of breaks; FALSE for a page outside the breaks.
    static BOOL LocatePage(CGXGridCore& grid, UINT nPage, INT_PTR& nRowPage, INT_PTR& nColPage);
};
