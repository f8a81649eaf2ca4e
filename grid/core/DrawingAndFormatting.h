// The process-wide object through which the grid and its controls measure, break, draw and
// format cell text, draw frame rings and button edges, and get the pattern bitmaps of pattern
// brushes. Made on first use and never replaced.
#pragma once

#include <grid/core/AbstractImps.h>

class CGXControl;

class CGXDrawingAndFormatting
{
public:
    virtual ~CGXDrawingAndFormatting() = default;

    // The monochrome 8x8 bitmap of a pattern (0-40), owned by the calling thread's drawing state;
    // null for any other number.
    virtual CBitmap* GetPatternBitmap(int nPattern);
    // Multi-line text; mode 1 ends cut lines in "...", mode 2 shows single-line text that does
    // not fit as "#" marks, mode 0 draws as DrawTextPlain.
    virtual void DrawTextOverflow(CDC* pDC, LPCTSTR pszText, int nLength, const CRect& rect, UINT nFormat,
                                  const CRect& rectClip, int nOverflowMode);
    virtual void DrawTextPlain(CDC* pDC, LPCTSTR pszText, int nLength, const CRect& rect, UINT nFormat,
                               const CRect& rectClip);

    virtual int DrawRotatedText(CDC* pDC, LPCTSTR pszText, int nLength, int nLeft, int nTop, int nRight, int nBottom,
                                UINT nFormat, int nOrientation, const CRect* pClipRect);
    // The index of the character under the point, -1 outside the text.
    virtual int HitTestText(CDC* pDC, LPCTSTR pszText, int nLength, const CRect& rect, UINT nFormat, int x, int y);
    virtual int CountTextLines(CDC* pDC, LPCTSTR pszText, int nLength, CRect& rect, UINT nFormat);
    // Breaks the text into at most nMaxLines lines of the rectangle's width (word breaking with
    // DT_WORDBREAK, else one line); moves the rectangle's top for DT_VCENTER and DT_BOTTOM.
    virtual int BreakTextLines(CDC* pDC, LPCTSTR pszText, int nLength, CRect& rect, UINT nFormat, int* pnStarts,
                               int* pnLengths, int nMaxLines);
    // The display text of a value; without number formatting the value as it is (the style's own
    // when pszValue is null).
    virtual void GetFormattedText(CString& strResult, const CGXStyle& style, LPCTSTR pszValue, UINT nValueType);
    // FALSE without number formatting.
    virtual BOOL ParseNumber(LPCTSTR pszText, double& dValue, int* pnFormat, int* pnPlaces);
    // nWidth rings from the outside in; right and bottom are inclusive.
    virtual void DrawFrameRings(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom, int nWidth, COLORREF rgbTopLeft,
                                COLORREF rgbBottomRight);
    virtual void DrawButtonEdge(CDC* pDC, const CRect& rect, BOOL bDrawFace, BOOL bPressed);
    // A control's caption centred in the rectangle, framed in the button shadow colour when it
    // has the focus (not in the toolkit's visual styles 3 and 4).
    virtual void DrawCaption(CDC* pDC, const CRect& rect, LPCTSTR pszText, UINT nFormat, BOOL bFocus);
    // A static-text cell: the control's background, the cell's display text in the style's font,
    // colours and alignment, and the control's frame.
    virtual void DrawCellText(CGXControl* pControl, CDC* pDC, const CRect& rect, ROWCOL nRow, ROWCOL nCol,
                              const CGXStyle& style, const CGXStyle* pStandardStyle);

    static constexpr int nMaxDrawnLines = 32;
    // A cut line as the "..." overflow mode shows it: characters give way to the dots until
    // the line fits the width, then the dots give way.
    static CString EllipsisText(CDC* pDC, const CString& strLine, int nWidth);
    // Where a line of the width starts in the rectangle by the format's horizontal alignment;
    // never left of the rectangle.
    static int LineStart(const CRect& rect, UINT nFormat, int nWidth);

private:
    // Up to nMaxDrawnLines lines of a text, with the rectangle as breaking moved its top.
    struct BrokenText
    {
        int nLines = 0;
        int anStarts[nMaxDrawnLines];
        int anLengths[nMaxDrawnLines];
        CRect rect;
    };
    BrokenText Break(CDC* pDC, LPCTSTR pszText, int nLength, const CRect& rect, UINT nFormat);
    // The line height used to step from one drawn line to the next.
    static int DrawLineHeight(const TEXTMETRIC& tm);
    void DrawLines(CDC* pDC, LPCTSTR pszText, int nLength, const CRect& rect, UINT nFormat, const CRect& rectClip,
                   int nOverflowMode);
};

CGXDrawingAndFormatting* DrawingAndFormattingInstance();

// Fills the rectangle in a grid colour (system colours resolved) by an opaque empty text output,
// keeping the device context's background colour.
void GXFillColorRect(CDC* pDC, const CRect& rect, COLORREF rgbColor);

// Inverts the rectangle, or only its part inside pClipRect when one is given.
void GXInvertRect(CDC* pDC, const CRect& rect, const CRect* pClipRect);
// The colour-table entries that follow a device-independent bitmap's header.
int GXGetDibColorCount(const BITMAPINFOHEADER& header);

// Choice lists: entries separated by line breaks, fields of an entry by tabs. A column below 0
// means the whole entry.

// Moves the text up to the first line break into strHead and keeps what follows the break (a
// CR LF pair counts as one) in strText; without a break the whole text moves.
void GXSplitFirstLine(CString& strText, CString& strHead);
// Field nField of an entry, at most nMaxLength characters.
CString GXGetChoiceField(LPCTSTR pszEntry, int nField, int nMaxLength);
// The index of the entry whose field (at most 127 characters) equals the value (case-sensitive)
// or, without bExact, starts with it ignoring case; -1 when none does. With bTitle the first entry
// is a title: it is skipped and the index counts the entries after it. strLine gets the whole
// entry found (empty when none).
int GXFindChoiceListItem(LPCTSTR pszValue, LPCTSTR pszChoiceList, BOOL bExact, int nColumn, BOOL bTitle,
                         CString& strLine);
// Entries compared ignoring case by the field of the column.
int GXCompareChoiceEntries(LPCTSTR pszFirst, LPCTSTR pszSecond, int nColumn);
// Sorts the entries by the column; with bHeader the first entry stays first. Each entry of the
// result ends in CR LF.
void GXSortChoiceList(CString& strChoiceList, int nColumn, BOOL bHeader);
