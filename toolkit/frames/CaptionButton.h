// A button in a docked bar's gripper strip (close or expand): its square, whether it is held
// down, and its three looks.
#pragma once

#include <afxwin.h>

namespace tarnwick::frames
{
class SECCaptionButton
{
public:
    // Takes the button's square from the end of the strip where buttons stand (the top of a
    // vertical strip, the right of a horizontal one) and shortens the strip past it.
    void Place(CRect& rectStrip, BOOL bVertStrip);
    void Reset()
    {
        m_rect.SetRectEmpty();
        m_bPressed = FALSE;
    }

    const CRect& GetRect() const
    {
        return m_rect;
    }
    BOOL HitTest(CPoint point) const
    {
        return m_rect.PtInRect(point);
    }
    BOOL IsPressed() const
    {
        return m_bPressed;
    }
    void SetPressed(BOOL bPressed)
    {
        m_bPressed = bPressed;
    }

    enum Look
    {
        lookNormal,
        lookRaised,
        lookPressed
    };
    // A Marlett glyph on a flat face (the caption-style strip), or with bFlat clear the
    // system's caption close button; bInactive greys the glyph.
    void Draw(CDC* pDC, Look nLook, TCHAR chGlyph, BOOL bFlat, BOOL bInactive) const;

private:
    CRect m_rect{0, 0, 0, 0};
    BOOL m_bPressed = FALSE;
};
} // namespace tarnwick::frames
