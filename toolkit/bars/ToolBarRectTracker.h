// The rectangle that follows a toolbar button dragged over the desktop: a hatched drag frame as
// thick as the handle size less one.
#pragma once

#include <afxext.h>

namespace tarnwick::bars
{
class SECToolBarRectTracker : public CRectTracker
{
public:
    // The button's rectangle in its bar's client coordinates.
    explicit SECToolBarRectTracker(LPCRECT lpRect);

    void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd) override;
};
} // namespace tarnwick::bars
