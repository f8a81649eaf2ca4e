// The size a cell needs for its whole text (or bitmap), as it would be drawn: the widest of its
// lines, or the height of its lines when it wraps. Text cells answer their preferred size here.
#pragma once

#include <grid/core/AbstractGridImps.h>

class CGXCalcSizeImp : public CGXAbstractCalcSizeImp
{
public:
    CSize CalcSize(CGXControl* pControl, CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                   const CGXStyle* pStandardStyle, BOOL bVertical) override;

private:
    // The size of the text's lines in the cell, with the font selected: an empty text takes one
    // character and line; wrapped lines are broken at the cell's width.
    static CSize MeasureLines(CGXControl* pControl, CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                              const CString& strText, BOOL bWrap, BOOL bVertical);
};
