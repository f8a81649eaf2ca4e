// The 3-D tab strip: tabs with icons and labels on any side of the page, the active tab
// drawn on top, labels shortened with "..." when the strip is too short (with tooltips of the
// full labels), arrow-key navigation, disabled tabs and optional reordering by dragging. A
// classic 3-D look, or a flat modern look that follows the toolkit's visual style.
#pragma once

#include "3DTab.h"
#include "TabControlBase.h"

#include <uxtheme.h>

#include <toolkit/foundation/ThemeHandle.h>

namespace tarnwick::tabs
{
// Window styles of the 3-D tab control (and of the 3-D tab window that passes them on).
constexpr DWORD TWS_MODERN = 0x0008;
constexpr DWORD TWS_TABS_BOTTOM = 0x0010;
constexpr DWORD TWS_TABS_TOP = 0x0020;
constexpr DWORD TWS_TABS_LEFT = 0x0040;
constexpr DWORD TWS_TABS_RIGHT = 0x0080;
constexpr DWORD TWS_NOACTIVE_GROW = 0x0100;
constexpr DWORD TWS_RIGHT_INSET = 0x0200;
constexpr DWORD TWS_THIN_FRAME = 0x0400;
constexpr DWORD TWS_DRAGGABLE = 0x0800;
constexpr DWORD TWS_TABS_SIDES = TWS_TABS_BOTTOM | TWS_TABS_TOP | TWS_TABS_LEFT | TWS_TABS_RIGHT;

class SEC3DTabControl : public SECTabControlBase
{
    DECLARE_DYNAMIC(SEC3DTabControl)
public:
    SEC3DTabControl();
    ~SEC3DTabControl() override;

    void Initialize(DWORD dwStyle) override;
    SECTab* CreateNewTab() const override;
    void RecalcLayout() override;
    void OnActivateTab(int nIndex) override;
    void DestroyGdiObjects() override;
    void SetTabIcon(int nIndex, LPCTSTR lpszResourceName, int cx, int cy) override;
    void SetTabIcon(int nIndex, UINT nIDResource, int cx, int cy) override;
    void SetTabIcon(int nIndex, HICON hIcon) override;
    void InvalidateTab(int nIndex) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

    virtual void CreateFonts(DWORD dwStyle);
    virtual void EnableTab(int nIndex, BOOL bEnable = TRUE);
    virtual BOOL IsTabEnabled(int nIndex) const;
    using CWnd::ModifyStyle;
    virtual BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    virtual void FitLabels(int nTotal, int nIconsOnly, int nAvailable);
    // nWhich: 0 the normal font, 1 the active tab's.
    virtual BOOL SetTabFont(CFont* pFont, int nWhich, BOOL bRedraw = TRUE);
    virtual void GetTabRect(int nIndex, CRect& rect) const;
    virtual void SizeTab(int nIndex, int x, int y, DWORD dwStyle);
    virtual void DrawTab(CDC* pDC, int nIndex);
    virtual void DrawTabBottom(CDC* pDC, SEC3DTab& tab, DWORD dwFlags);
    virtual void DrawTabTop(CDC* pDC, SEC3DTab& tab, DWORD dwFlags);
    virtual void DrawTabLeft(CDC* pDC, SEC3DTab& tab, DWORD dwFlags);
    virtual void DrawTabRight(CDC* pDC, SEC3DTab& tab, DWORD dwFlags);
    virtual void DrawTabLabel(CDC* pDC, SEC3DTab& tab, DWORD dwFlags);
    // Draws the dark pixels of the monochrome picture in pMonoDC embossed at (x, y).
    virtual void DrawDisabled(CDC* pDC, CDC* pMonoDC, int x, int y, int cx, int cy);

    SEC3DTab& GetTab3D(int nIndex) const;
    void EnableLabelFitting(BOOL bFit);
    BOOL AreLabelsShown() const;
    // The fill of tabs that are not active in the modern look.
    static COLORREF GetInactiveTabColor();

protected:
    // The width of a label in the active font; the one place where layout meets text metrics.
    virtual int MeasureLabel(const CString& label) const;

    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnSysColorChange();
    afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    BOOL IsHorizontal() const;
    BOOL IsModern() const;
    BOOL IsParentTabStop() const;
    int IconWidth(const SEC3DTab& tab) const;
    // Measured once for each label and font.
    int FullLabelWidth(SEC3DTab& tab) const;
    void ForgetLabelWidths();
    // One invalidation from the tab's start to the strip's end.
    void InvalidateTabsOnward(int nIndex);
    int HitTest(CPoint point, int nFrom = 0) const;
    // Draws the whole strip, buffered, into pDC.
    void PaintStrip(CDC* pDC, const CRect& rcUpdate);
    void DrawBackground(CDC* pDC, const CRect& rcClient);
    void DrawTabEdges(CDC* pDC, SEC3DTab& tab, DWORD dwFlags, DWORD dwSide);
    void DrawLabelContent(CDC* pDC, SEC3DTab& tab, int x, int y, UINT nTextOptions);
    void CreatePens();

    BOOL m_bFitLabels = TRUE;
    int m_nTabHeight = 22;
    int m_nTabWidth = 22;
    int m_nFirstOffset = 7;
    foundation::SECThemeHandle m_theme{L"Tab"};
    CFont m_fontNormal;
    CFont m_fontActive;
    CPen m_penNormal;
    CPen m_penActive;
    CPen m_penShadow;
    CPen m_penHighlight;
    COLORREF m_clrTextNormal = 0;
    COLORREF m_clrTextActive = 0;
    BOOL m_bShowLabels = TRUE;
    // Holds the active font for measuring labels.
    CDC m_dcMeasure;
    CFont* m_pOldMeasureFont = nullptr;
};
} // namespace tarnwick::tabs
