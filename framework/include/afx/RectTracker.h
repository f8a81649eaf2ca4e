// A rectangle that follows the mouse while one of its handles (or all of it) is dragged, drawn
// as a drag frame on the way.
#pragma once

#include <afxwin.h>

class CRectTracker
{
public:
    enum StyleFlags
    {
        solidLine = 1,
        dottedLine = 2,
        hatchedBorder = 4,
        resizeInside = 8,
        resizeOutside = 16,
        hatchInside = 32
    };
    // The handles: corners, sides and the middle, which moves the whole rectangle.
    enum TrackerHit
    {
        hitNothing = -1,
        hitTopLeft = 0,
        hitTopRight = 1,
        hitBottomRight = 2,
        hitBottomLeft = 3,
        hitTop = 4,
        hitRight = 5,
        hitBottom = 6,
        hitLeft = 7,
        hitMiddle = 8
    };

    CRectTracker();
    CRectTracker(LPCRECT lpSrcRect, UINT nStyle);
    virtual ~CRectTracker() = default;

    // Follows the mouse from point (client coordinates of pWnd, which takes the capture)
    // until the left button goes up: TRUE with the new rectangle in m_rect when it changed;
    // FALSE with m_rect as before after Escape, the right button, a lost capture or no change.
    // The frame is drawn in pWndClipTo, or in pWnd without one.
    BOOL TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo);

    // Draws the frame at lpRect (client coordinates of pWnd) in pDC, the DC of pWndClipTo (or
    // of pWnd), taking away the one drawn before; a final call with m_bFinalErase set only
    // takes it away.
    virtual void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd);
    // A chance to correct the rectangle while a handle moves.
    virtual void AdjustRect(int nHandle, LPRECT lpRect);
    // Called after each change of m_rect while tracking.
    virtual void OnChangedRect(const CRect& rectOld);

    CRect m_rect;
    UINT m_nStyle;
    int m_nHandleSize;
    // The smallest size that a sizing handle leaves.
    CSize m_sizeMin;

protected:
    // Draws a drag frame of the given thickness, mapping lpRect from pWnd to pWndClipTo and
    // erasing the last frame.
    void DrawDragFrame(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd, CSize size);

    BOOL m_bFinalErase;
    CRect m_rectLast;
    CSize m_sizeLast;
    BOOL m_bErase;
};
