// SECToolBarRectTracker: the drag frame of a dragged button.
#include <toolkit/bars/ToolBarRectTracker.h>

#include <algorithm>

namespace tarnwick::bars
{
SECToolBarRectTracker::SECToolBarRectTracker(LPCRECT lpRect) : CRectTracker(lpRect, hatchedBorder)
{
}

void SECToolBarRectTracker::DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd)
{
    const int nThickness = std::max(1, m_nHandleSize - 1);
    DrawDragFrame(lpRect, pWndClipTo, pDC, pWnd, CSize(nThickness, nThickness));
}
} // namespace tarnwick::bars
