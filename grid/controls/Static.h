// The static-text cell: shows its value and is never edited in place. The text rectangle and
// border arithmetic here are inherited by every text control.
#pragma once

#include <grid/controls/Control.h>

class CGXStatic : public CGXControl
{
public:
    explicit CGXStatic(CGXGridCore* pGrid);

    static const GXControlClass classCGXStatic;
    static CGXControl* Create(CGXGridCore* pGrid);

    const GXControlClass* GetControlClass() const override;
    CRect GetCellClientRect(CRect& rectOut, ROWCOL nRow, ROWCOL nCol, const CRect* pRect = nullptr,
                            const CGXStyle* pStyle = nullptr) override;
    CSize AddFrameToSize(CSize& size, CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle) override;
    // The grid's size calculation: the whole text's width (nDirection 0) or height.
    CSize GetPreferredSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, int nDirection) override;
    BOOL CanFloatCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, BOOL bFloatOrFlood) override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;

    // Half the system frame width, at least 2: the space between the text and the cell's edges.
    static int TextMargin();
    // The style's font at the grid's zoom, upright, for the window of an active cell; answers
    // the font's text metrics measured on the device context.
    TEXTMETRIC CreateCellFont(CFont& font, CDC* pDC, const CGXStyle& style);
    // Without text wrapping, the window of an active cell is one line high, placed in the text
    // rectangle as the style's vertical alignment says.
    static void FitSingleLine(CRect& rectText, const CGXStyle& style, int nLineHeight);
};
