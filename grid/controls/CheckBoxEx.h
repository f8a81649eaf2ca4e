// The check box as an editing control: a click or the space bar changes the value in the
// control's cached style only, and the grid gets it when the current cell is stored.
#pragma once

#include <grid/controls/ActiveState.h>
#include <grid/controls/CheckBox.h>

class CGXCheckBoxEx : public CGXActiveStateControl<CGXCheckBox>
{
public:
    CGXCheckBoxEx(CGXGridCore* pGrid, BOOL bDraw3d = FALSE, UINT nBitmapResourceId = 0, UINT nPrintResourceId = 0);

    static const GXControlClass classCGXCheckBoxEx;
    static CGXControl* CreateFlat(CGXGridCore* pGrid);
    static CGXControl* Create3d(CGXGridCore* pGrid);

    const GXControlClass* GetControlClass() const override;
    // The active bound cell shows its pending value.
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    // Delete empties the pending value of an active box.
    BOOL OnKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags) override;
    // The toggle, into the cached style.
    BOOL OnChildClicked(CGXChild* pChild) override;

protected:
    const CGXStyle* GetPressStyle() override;
};
