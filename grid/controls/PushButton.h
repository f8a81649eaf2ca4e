// The push button cell: the whole cell is one button captioned with the style's choice list.
// A completed click reaches the grid as the cell's button notification; the cell never shows
// the current-cell frame.
#pragma once

#include <grid/controls/Control.h>

class CGXButton;

class CGXPushbutton : public CGXControl
{
public:
    explicit CGXPushbutton(CGXGridCore* pGrid);

    static const GXControlClass classCGXPushbutton;
    static CGXControl* Create(CGXGridCore* pGrid);

    const GXControlClass* GetControlClass() const override;
    // Binds the cell and redraws the button face for it.
    void Init(ROWCOL nRow, ROWCOL nCol) override;
    // The caption's extent and a margin of 8 by 4, with the cell's borders.
    CSize GetPreferredSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, int nDirection) override;
    void DrawCurrentCellFrame(CDC* pDC, const CRect& rect) override;
    // Nothing in a cell less than 2 pixels wide or high.
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    // The button fills the cell, takes the keys and shows the choice list as its caption.
    void LayoutChildren(ROWCOL nRow, ROWCOL nCol, const CRect& rect) override;

    CGXButton* Button() const
    {
        return m_pButton;
    }

private:
    CGXButton* m_pButton;
};
