// The drawn radio button group cell: one button per non-empty line of the style's choice list,
// stacked from the top of the cell; the cell's value is the chosen button's zero-based index as
// a decimal text. A click on a button or its label, or the space bar, changes the choice.
// The layout, drawing and hit testing here serve the radio buttons with active state too.
#pragma once

#include <grid/controls/Control.h>
#include <grid/core/ResourceIds.h>

#include <vector>

// Draws one button in the line rectangle: a 12 x 12 circle 3 pixels from its left, centred
// vertically; themed with the grid's theme data of the control, flat, or from the 3-d images
// selected into pMemDC.
void GXDrawRadioButton(CGXControl& control, BOOL bChecked, CDC* pDC, CRect rect, BOOL bDraw3d, CDC* pMemDC);

// Where the buttons of a cell lie: each button's area (what GXDrawRadioButton gets and a click
// may hit) and its label's text rectangle.
struct GXRadioButtonPlace
{
    CRect rectButton;
    CRect rectLabel;
    CString strLabel;
};

// How a group lays out its buttons: down the cell or along it, each label right or left of its
// button.
struct GXRadioButtonLayout
{
    BOOL bHorizontal = FALSE;
    BOOL bLabelRight = TRUE;
};

class CGXRadioButton : public CGXControl
{
public:
    explicit CGXRadioButton(CGXGridCore* pGrid, BOOL bDraw3d = FALSE);

    static const GXControlClass classCGXRadioButton;
    static CGXControl* CreateFlat(CGXGridCore* pGrid);
    static CGXControl* Create3d(CGXGridCore* pGrid);
    static constexpr UINT idRadioButtonImages = GX_IDB_RADIO_3D;

    const GXControlClass* GetControlClass() const override;
    CSize GetPreferredSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, int nDirection) override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    // The button hit becomes the cell's value; a hit on the chosen one only notifies the grid.
    BOOL OnLButtonUp(UINT nFlags, CPoint point) override;
    // The space character chooses the next button, after the last the first.
    BOOL OnKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags) override;

    int GetButtonCount() const
    {
        return m_nRadioBtns;
    }

    // Shared with the radio buttons with active state.
    // A line's height in the selected font: at least 12 pixels.
    static int LineHeight(CDC* pDC);
    // The non-empty lines of a choice list split at carriage returns and line feeds.
    static std::vector<CString> SplitChoices(const CString& strChoices);
    // The value's index, -1 for an empty value.
    static int SelectedIndex(const CGXStyle& style);
    static std::vector<GXRadioButtonPlace> LayoutButtons(CDC* pDC, const CRect& rect, const CGXStyle& style,
                                                         const GXRadioButtonLayout& layout);
    // Draws the control's cell: background, buttons and labels; answers the number of buttons.
    static int DrawButtons(CGXControl& control, CDC* pDC, const CRect& rect, ROWCOL nRow, ROWCOL nCol,
                           const CGXStyle& style, const CGXStyle* pStandardStyle, const GXRadioButtonLayout& layout,
                           BOOL bDraw3d);
    // The index of the button whose area or label holds the point (in grid window coordinates),
    // -1 for none. A point in a cell scrolled out between the frozen rows or columns and the
    // first scrolling one is moved by what lies scrolled out.
    static int HitTestButtons(CGXControl& control, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, CPoint point,
                              const GXRadioButtonLayout& layout);

private:
    int m_nRadioBtns = 0;
    BOOL m_bDraw3d;
};
