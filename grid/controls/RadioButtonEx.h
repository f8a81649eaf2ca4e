// Radio buttons with active state: the radio button group whose choice goes into the control's
// cached style and reaches the grid when the current cell is stored, laid out down or along
// the cell ("RadioButton: Alignment" "1") with each label right of its button ("RadioButton:
// Text Alignment" "1") or left of it.
#pragma once

#include <grid/controls/ActiveState.h>
#include <grid/controls/RadioButton.h>

class CGXRadioButtonEx : public CGXActiveStateControl<CGXControl>
{
public:
    explicit CGXRadioButtonEx(CGXGridCore* pGrid, BOOL bDraw3d = FALSE);

    static const GXControlClass classCGXRadioButtonEx;
    static CGXControl* CreateFlat(CGXGridCore* pGrid);
    static CGXControl* Create3d(CGXGridCore* pGrid);
    // "RadioButton: Alignment" and "RadioButton: Text Alignment", edited by a zero-based
    // choice combo.
    static void RegisterUserAttributes(CGXStylesMap* pStylesMap);
    static GXRadioButtonLayout LayoutOf(const CGXStyle& style);

    const GXControlClass* GetControlClass() const override;
    CSize GetPreferredSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, int nDirection) override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    // A click on a button activates the control and makes that button the pending choice.
    BOOL OnLButtonUp(UINT nFlags, CPoint point) override;
    // Space chooses the next button, Delete empties the pending value.
    BOOL OnKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL ReservedQueryB() override;

    int GetButtonCount() const
    {
        return m_nRadioBtns;
    }

private:
    int m_nRadioBtns = 0;
    BOOL m_bDraw3d;
};
