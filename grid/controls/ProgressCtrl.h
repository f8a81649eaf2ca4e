// The progress bar cell: the cell's integer value drawn as a bar between a lower and an upper
// bound, with an optional caption centred over it in inverted colours where it covers the bar.
// It has no window; values stored into the cell are clamped to the bounds that are set.
#pragma once

#include <grid/controls/Control.h>

class CGXProgressCtrl : public CGXControl
{
public:
    explicit CGXProgressCtrl(CGXGridCore* pGrid);

    static const GXControlClass classCGXProgressCtrl;
    static CGXControl* Create(CGXGridCore* pGrid);
    // "Progress: Upper Bound", "Progress: Lower Bound" and "Progress: Caption", in this order.
    static void RegisterUserAttributes(CGXStylesMap* pStylesMap);

    // The caption with the value in place of its one integer conversion (%d, %i, %u, %ld, with
    // flags and width; %% is a percent sign). A caption with any other conversion, or more than
    // one, is shown as it stands.
    virtual void GetProgressText(CString& strOut, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style);
    // The text colour for the bar, the interior colour for the rest.
    virtual COLORREF GetBarColor(BOOL bBar, const CGXStyle& style);
    // The interior colour for caption text over the bar, the text colour over the rest.
    virtual COLORREF GetCaptionColor(BOOL bOnBar, const CGXStyle& style);

    const GXControlClass* GetControlClass() const override;
    // A value beyond a bound that is set (in the style or else in the cell) is stored as that
    // bound; with lower above upper a value beyond either is stored as lower.
    BOOL RebindToCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, int nMode, int nType) override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;

    // Units per pixel over the rectangle's width (1 for an empty rectangle).
    void ComputeScale(CRect rect, int nRange);
    // The bar from the cell's left edge: empty when upper is not above lower, the whole cell at
    // or above upper.
    void CalcBarRect(CRect& rectOut, long nValue, CRect rectCell, const CGXStyle& style);

    static CString FormatCaption(const CString& strCaption, long nValue);

private:
    double m_dUnitsPerPixel = 1.0;
};
