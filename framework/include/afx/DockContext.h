// The state that a dockable control bar keeps for dragging and for returning to where it was
// docked or floated last.
#pragma once

class CDockContext
{
public:
    explicit CDockContext(CControlBar* pBar);
    virtual ~CDockContext() = default;
    CDockContext(const CDockContext&) = delete;
    CDockContext& operator=(const CDockContext&) = delete;

    // The drag's last mouse point, outline and size.
    CPoint m_ptLast;
    CRect m_rectLast;
    CSize m_sizeLast;
    // The outlines of the bar as docked horizontally and vertically, and as floating.
    CRect m_rectDragHorz;
    CRect m_rectDragVert;
    CRect m_rectFrameDragHorz;
    CRect m_rectFrameDragVert;

    CControlBar* m_pBar;
    CFrameWnd* m_pDockSite;
    // The sides the bar may dock to, the side it is over, and its bar style.
    DWORD m_dwDockStyle;
    DWORD m_dwOverDockStyle;
    DWORD m_dwStyle;
    // Shift turns the outline, Ctrl keeps the bar floating.
    BOOL m_bFlip;
    BOOL m_bForceFrame;

    // Where the bar was docked last (dock bar id, rectangle) and how it floated last.
    UINT m_uMRUDockID;
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle;
    CPoint m_ptMRUFloatPos;
};
