// The process-wide object through which the grid and its controls format cell values, draw
// rotated text and get the pattern bitmaps of pattern brushes. Made on first use and never
// replaced.
#pragma once

#include <grid/core/AbstractImps.h>

class CGXDrawingAndFormatting
{
public:
    virtual ~CGXDrawingAndFormatting() = default;

    // The monochrome 8x8 bitmap of a pattern (0-40), owned by the calling thread's drawing state;
    // null for any other number.
    virtual CBitmap* GetPatternBitmap(int nPattern);

    virtual int DrawRotatedText(CDC* pDC, LPCTSTR pszText, int nLength, int nLeft, int nTop, int nRight, int nBottom,
                                UINT nFormat, int nOrientation, const CRect* pClipRect);
    // The display text of a value; without number formatting the value as it is (the style's own
    // when pszValue is null).
    virtual void GetFormattedText(CString& strResult, const CGXStyle& style, LPCTSTR pszValue, UINT nValueType);
    // FALSE without number formatting.
    virtual BOOL ParseNumber(LPCTSTR pszText, double& dValue, int* pnFormat, int* pnPlaces);
};

CGXDrawingAndFormatting* DrawingAndFormattingInstance();
