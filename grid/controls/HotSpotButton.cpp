#include <grid/controls/HotSpotButton.h>

#include <grid/controls/Control.h>

#include <vsstyle.h>

namespace
{
// The glyph's filled rectangles from the button's top-left corner: x, y, width, height.
constexpr int aGlyph[][4] = {{3, 3, 6, 2}, {6, 4, 3, 3}, {4, 7, 7, 1}, {5, 8, 5, 1}, {6, 9, 3, 1}};
} // namespace

CGXHotSpotButton::CGXHotSpotButton(CGXControl* pComposite) : CGXButton(pComposite)
{
}

void CGXHotSpotButton::DrawDefault(CDC* pDC, BOOL /*bFocus*/)
{
    if (!m_pComposite->DrawThemedPart(pDC, L"BUTTON", BP_PUSHBUTTON, m_bPressed ? PBS_PRESSED : PBS_NORMAL, m_rect))
        DrawClassicFace(pDC, m_rect, ::GetSysColor(COLOR_BTNFACE), m_bPressed);
    if (m_rect.Height() < nGlyphMinHeight)
        return;
    const CPoint origin = m_rect.TopLeft() + (m_bPressed ? CSize(1, 1) : CSize(0, 0));
    for (const auto& part : aGlyph)
        pDC->FillSolidRect(origin.x + part[0], origin.y + part[1], part[2], part[3], RGB(0, 0, 0));
}
