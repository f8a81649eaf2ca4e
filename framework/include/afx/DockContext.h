// The state that a dockable control bar keeps for dragging and for returning to where it was
// docked or floated last, and the modal loops that drag, resize and toggle it.
#pragma once

class CDockContext
{
public:
    explicit CDockContext(CControlBar* pBar);
    virtual ~CDockContext() = default;
    CDockContext(const CDockContext&) = delete;
    CDockContext& operator=(const CDockContext&) = delete;

    // The drag's last mouse point, outline and size, and whether it was drawn dithered.
    CPoint m_ptLast;
    CRect m_rectLast;
    CSize m_sizeLast;
    BOOL m_bDitherLast;
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
    // The desktop DC that outlines are drawn on while a loop runs.
    CDC* m_pDC;
    // Dragging (else resizing), and the border being dragged while resizing.
    BOOL m_bDragging;
    int m_nHitTest;

    // Where the bar was docked last (dock bar id, rectangle) and how it floated last.
    UINT m_uMRUDockID;
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle;
    CPoint m_ptMRUFloatPos;

    // Drags the bar from pt (screen) until the button comes up: it docks where it is over a
    // dock bar that takes it, else it floats.
    virtual void StartDrag(CPoint pt);
    virtual void Move(CPoint pt);
    virtual void EndDrag();
    virtual void OnKey(int nChar, BOOL bDown);
    // Sizes a floating dynamic bar by the border of nHitTest (HTLEFT ... HTBOTTOMRIGHT).
    virtual void StartResize(int nHitTest, CPoint pt);
    virtual void Stretch(CPoint pt);
    virtual void EndResize();
    // Docks a floating bar where it was docked last, or floats a docked one where it floated.
    virtual void ToggleDocking();

protected:
    virtual void InitLoop();
    // A resize's start: the loop prepared and the outlines at the bar's floating size.
    void InitResize(int nHitTest, CPoint pt);
    virtual void CancelLoop();
    // The modal loop: FALSE when cancelled (Escape, the right button, the capture lost).
    virtual BOOL Track();
    virtual void DrawFocusRect(BOOL bRemoveRect = FALSE);
    // The sides of the dock bar under the outline that take the bar, 0 for none.
    virtual DWORD CanDock();
    // The vertical outline's answer, asked first for a bar that docks vertically.
    virtual DWORD CanDockVert();
    virtual CDockBar* GetDockBar(DWORD dwOverDockStyle);
    // The outline to draw over a dock bar; FALSE draws the floating frame instead.
    virtual BOOL CalcDockOutline(CRect& rect);
    // The bar floats along the top (else along the left) as the drag stands now.
    BOOL IsFloatingHorz() const;

private:
    void AdjustWindowForFloat(CRect& rect) const;
};
