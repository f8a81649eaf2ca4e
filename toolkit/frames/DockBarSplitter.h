// What a dock bar draws between its bars and rows: draggable splitters and thin client edges.
// Both are kept from one layout to the next while their rectangles stay the same.
#pragma once

#include <toolkit/frames/DockBar.h>

namespace tarnwick::frames
{
class SECDockBar::Splitter : public CObject
{
public:
    Splitter(const CRect& rect, BOOL bVertical, SplitterKind nKind, int nRowIndex);

    // A vertical splitter is dragged left and right, a horizontal one up and down.
    BOOL IsVertical() const
    {
        return m_bVertical;
    }
    SplitterKind GetKind() const
    {
        return m_nKind;
    }
    // The bar before the splitter within a row, or the start of the row it closes.
    int GetRowIndex() const
    {
        return m_nRowIndex;
    }
    const CRect& GetRect() const
    {
        return m_rect;
    }
    // Takes the place in this layout; an equal rectangle keeps the object.
    void Reuse(BOOL bVertical, SplitterKind nKind, int nRowIndex);
    BOOL IsMarked() const
    {
        return m_bMarked;
    }
    void Unmark()
    {
        m_bMarked = FALSE;
    }

    // The drag outline at nAt along the splitter's axis, one pixel in across it; answers the
    // outline drawn so that the next one erases it.
    void DrawDragRect(CDC* pDC, int nAt);
    void EraseDragRect(CDC* pDC);

    virtual void Draw(CDC* pDC);

private:
    CRect m_rect;
    BOOL m_bVertical;
    SplitterKind m_nKind;
    int m_nRowIndex;
    BOOL m_bMarked;
    // The outline shown by the drag, empty while none is.
    CRect m_rectDrag;
};

class SECDockBar::ClientEdge : public CObject
{
public:
    ClientEdge(const CRect& rect, BOOL bVertical);

    const CRect& GetRect() const
    {
        return m_rect;
    }
    void Reuse(BOOL bVertical);
    BOOL IsMarked() const
    {
        return m_bMarked;
    }
    void Unmark()
    {
        m_bMarked = FALSE;
    }

    virtual void Draw(CDC* pDC);

private:
    CRect m_rect;
    BOOL m_bVertical;
    BOOL m_bMarked;
};
} // namespace tarnwick::frames
