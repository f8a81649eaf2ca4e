// The button at the right of a hot-spot cell: a push button with a small black glyph once it
// is at least 12 pixels high.
#pragma once

#include <grid/controls/Child.h>

class CGXHotSpotButton : public CGXButton
{
public:
    explicit CGXHotSpotButton(CGXControl* pComposite);
    void DrawDefault(CDC* pDC, BOOL bFocus) override;

    static constexpr int nGlyphMinHeight = 12;
};
