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

private:
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
};
} // namespace tarnwick::frames
