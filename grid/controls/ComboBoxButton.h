// The drop buttons of the combo-box cells: CGXComboBoxButton of the drawn combo box, and
// CGXComboBoxWndButton of the window-based one, which draws only where the window shows no
// button of its own.
#pragma once

#include <grid/controls/Child.h>
#include <grid/controls/Control.h>

class CGXComboBoxButton : public CGXButton
{
public:
    explicit CGXComboBoxButton(CGXControl* pComposite);
    void Draw(CDC* pDC, BOOL bFocus, const CGXStyle* pStyle) override;

    // The face of a drop button: the theme's drop-down part with its edge, or the classic face
    // with the arrow bitmap centred between two-pixel margins at top and bottom.
    // The theme data is the grid's of the composite control.
    static void DrawDropFace(CGXControl* pComposite, CDC* pDC, const CRect& rect, BOOL bPressed, BOOL bDisabled);
};

class CGXComboBoxWndButton : public CGXButton
{
public:
    explicit CGXComboBoxWndButton(CGXControl* pComposite);
    void Draw(CDC* pDC, BOOL bFocus, const CGXStyle* pStyle) override;
    void DrawDefault(CDC* pDC, BOOL bFocus) override;
};
