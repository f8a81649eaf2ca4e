// The tab window with the flat tab strip along its bottom edge beside a horizontal scroll bar
// that the pages share (with a sizer between them), and a shared vertical scroll bar.
#pragma once

#include "TabControl.h"
#include "TabWndBase.h"

#include <vector>

namespace tarnwick::tabs
{
constexpr UINT SEC_IDW_HSCROLL = 0xEC00;
constexpr UINT SEC_IDW_VSCROLL = 0xECFF;

class SECTabWnd : public SECTabWndBase
{
    DECLARE_DYNCREATE(SECTabWnd)
public:
    // The narrowest room the horizontal bar keeps beside the strip.
    static constexpr int MIN_SCROLLBAR_WIDTH = 60;
    static constexpr int SIZER_WIDTH = 5;

    SECTabWnd();

    using SECTabWndBase::Create;
    // Style bit 0x1 gives the strip previous and next buttons, 0x2 all four.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE, UINT nID = AFX_IDW_PANE_FIRST) override;
    BOOL CreateTabControl(DWORD dwStyle, UINT nID) override;
    void SetScrollStyle(int nIndex, DWORD dwStyle) override;
    using SECTabWndBase::InsertTab;
    SECTab* InsertTab(CWnd* pWnd, int nIndex, LPCTSTR lpszLabel) override;
    using SECTabWndBase::RemoveTab;
    void RemoveTab(int nIndex) override;
    BOOL SetActiveTab(CWnd* pWnd, int nIndex) override;
    void GetInsideRect(CRect& rect) const override;
    void RecalcLayout() override;
    // nBar 0 horizontal, 1 vertical; pPage null means the active page. Null when the page
    // does not use that bar.
    virtual CWnd* GetScrollBar(int nBar, CWnd* pPage = nullptr) const;

    int GetTabAreaWidth() const;

protected:
    afx_msg LRESULT OnTabSel(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnCancelMode();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnSharedScroll(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    // What each page keeps of the shared bars while another page is shown.
    struct PageScrollState
    {
        SCROLLINFO horz;
        SCROLLINFO vert;
        DWORD dwStyle;
    };
    static PageScrollState FreshScrollState(DWORD dwStyle);

    CRect GetSizerRect() const;
    CRect GetStripRect() const;
    void InvalidateStripAndSizer();
    // Ends a drag of the sizer: at the button's release, and when the capture is lost (a
    // message box or a switch to another program mid-drag).
    void EndSizerDrag();

    int m_nTabAreaWidth = 0;
    int m_cyTabCtrl;
    int m_cxVScroll;
    int m_cyHScroll;
    int m_nDragOffset = 0;
    BOOL m_bDragging = FALSE;
    BOOL m_bOverSizer = FALSE;
    BOOL m_bFirstSize = TRUE;
    HCURSOR m_hcurSizer = nullptr;
    HCURSOR m_hcurArrow = nullptr;
    DWORD m_dwTabCtrlStyle = 0;
    std::vector<PageScrollState> m_scrollStates;
};
} // namespace tarnwick::tabs
