// The tab window whose 3-D tab strip stands on any side of a page framed in 3-D, with
// dialog-like keyboard navigation between the strip and the controls of the active page.
#pragma once

#include "3DTabControl.h"
#include "TabWndBase.h"

namespace tarnwick::tabs
{
// Sent to the tab window for Ctrl+Tab, Ctrl+Page Up and Ctrl+Page Down (lParam the MSG*); a
// nonzero answer consumes the key. The tab window leaves it to derived windows.
constexpr UINT WM_SEC3DTAB_CTRLKEY = WM_USER + 117;

class SEC3DTabWnd : public SECTabWndBase
{
    DECLARE_DYNCREATE(SEC3DTabWnd)
public:
    static constexpr int STRIP_THICKNESS = 30;

    SEC3DTabWnd();

    using SECTabWndBase::Create;
    // Style bits 0x8 to 0x800 go to the strip (see the 3-D tab control's styles); 0x400 also
    // gives the page a two-pixel frame.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | TWS_TABS_BOTTOM,
                UINT nID = AFX_IDW_PANE_FIRST) override;
    BOOL CreateTabControl(DWORD dwStyle, UINT nID) override;
    void GetInsideRect(CRect& rect) const override;
    void RecalcLayout() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    afx_msg LRESULT OnTabSel(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    DECLARE_MESSAGE_MAP()

private:
    CRect GetStripRect(const CRect& rcPage) const;
    void DrawPageFrame(CDC* pDC, const CRect& rcPage);
    BOOL NavigateTab(MSG* pMsg, BOOL bShift);
    // The page's own dialog navigation.
    BOOL PageNavigation(MSG* pMsg);

    int m_cyTabCtrl = STRIP_THICKNESS;
    int m_cxTabCtrl = STRIP_THICKNESS;
    DWORD m_dwTabCtrlStyle = 0;
};
} // namespace tarnwick::tabs
