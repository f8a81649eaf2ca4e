// The drag-and-drop state of a toolkit control bar: the framework's places and outlines, and
// what the toolkit's dock bars, floating frames and MDI hosting add to them.
#pragma once

#include <afxext.h>
#include <afxpriv.h>

namespace tarnwick::frames
{
class SECDockContext : public CDockContext
{
public:
    explicit SECDockContext(CControlBar* pBar);
    // Takes the bar out of the dock bar that still holds it.
    ~SECDockContext() override;

    // The smallest and largest size a floating frame may be given.
    const CSize& GetMinFrameSize() const
    {
        return m_sizeMinFrame;
    }
    const CSize& GetMaxFrameSize() const
    {
        return m_sizeMaxFrame;
    }
    // The row start of the last landing outline in the dock bar's list, -1 while none.
    int GetOutlineRow() const
    {
        return m_nOutlineRow;
    }
    // The bar floated before it was hosted in an MDI child; kept in the bar's dock-state record.
    BOOL WasFloating() const
    {
        return m_bWasFloating;
    }
    void SetWasFloating(BOOL bWasFloating)
    {
        m_bWasFloating = bWasFloating;
    }

    // The drag shows the Ctrl hint in the status line; a floating bar must move 5 pixels
    // before it docks.
    void StartDrag(CPoint pt) override;
    void EndDrag() override;
    // Floating frames size from every edge and corner, within the frame limits.
    void StartResize(int nHitTest, CPoint pt) override;
    void Stretch(CPoint pt) override;
    void EndResize() override;
    // Keeps the bar's row share while it floats.
    void ToggleDocking() override;
    // Into an MDI child of the main window, or back to where the bar floated or docked
    // before; only in a toolkit MDI frame.
    virtual void ToggleMDIFloating();

protected:
    void CancelLoop() override;
    DWORD CanDockVert() override;
    BOOL CalcDockOutline(CRect& rect) override;

private:
    // A floating bar moved less than 5 pixels from the drag start stays floating.
    BOOL IsFloatingNearStart() const;
    // The mini-frame borders, unless the bar floats in a frame without a caption.
    void AddFrameBorders(CRect& rect) const;

    // The last landing outline (screen), the point the drag started at, and the mouse point
    // and row the outline was made for.
    CRect m_rectOutline;
    CPoint m_ptDragStart;
    CPoint m_ptOutline;
    int m_nOutlineRow;
    // The bar floated before it was hosted in an MDI child.
    BOOL m_bWasFloating;
    CSize m_sizeMinFrame;
    CSize m_sizeMaxFrame;
    // The row share the bar had when it last went floating, -1 before that.
    float m_fSavedPctWidth;
};
} // namespace tarnwick::frames
