// Scrolling views: a view larger than its window, scrolled through its scroll bars, whose
// device context OnPrepareDC moves by the scroll position.
#pragma once

class CScrollView : public CView
{
    DECLARE_DYNAMIC(CScrollView)
public:
    static const SIZE sizeDefault;

    // Sizes in logical units of nMapMode; the default page is a tenth of the total size and
    // the default line a tenth of the page.
    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    CSize GetTotalSize() const;
    // The scroll position in logical units (device units for MM_TEXT).
    CPoint GetScrollPosition() const;
    CPoint GetDeviceScrollPosition() const;
    // Scrolls to the logical point, kept within the scroll range.
    void ScrollToPosition(POINT pt);

    // Sets the mapping mode and moves the origin by the scroll position.
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;

protected:
    CScrollView();

    int m_nMapMode;
    CSize m_totalLog;
    CSize m_totalDev;
    CSize m_pageDev;
    CSize m_lineDev;

    // The bars' ranges and pages after a change of sizes or of the window's size.
    void UpdateBars();
    // Moves the window's contents and the bar to the bar's new position.
    void ScrollToDevicePosition(POINT ptDev);
    int NewScrollPos(int nBar, UINT nSBCode, UINT nPos) const;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);

    DECLARE_MESSAGE_MAP()
};
