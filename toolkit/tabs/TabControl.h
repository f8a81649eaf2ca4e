// The flat tab strip of the tab window: overlapping trapezoid tabs along the bottom edge,
// with optional buttons at the left that scroll the row when it is longer than the strip, and
// a multiple selection by Shift and Ctrl clicks.
#pragma once

#include "TabControlBase.h"

#include <uxtheme.h>

#include <toolkit/foundation/ThemeHandle.h>

#include <functional>

namespace tarnwick::tabs
{
// Window styles of the flat tab control: which scroll buttons it has.
constexpr DWORD TCS_TABS_PREVNEXT = 0x1;
constexpr DWORD TCS_TABS_FULLSCROLL = 0x2;

class SECTabControl : public SECTabControlBase
{
    DECLARE_DYNAMIC(SECTabControl)
public:
    // The scroll buttons, as bits of the button masks.
    static constexpr UINT BUTTON_FIRST = 0x1;
    static constexpr UINT BUTTON_PREV = 0x2;
    static constexpr UINT BUTTON_NEXT = 0x4;
    static constexpr UINT BUTTON_LAST = 0x8;
    static constexpr UINT ALL_BUTTONS = 0xF;
    static constexpr int TAB_OVERLAP = 5;
    static constexpr int TAB_SLANT = 6;
    static constexpr int TAB_EXTRA_WIDTH = 20;
    static constexpr int SCROLL_STEP = 10;
    static constexpr int SCROLL_MARGIN = 20;
    // The delays of a held scroll button: before the first repeat, and between repeats.
    static constexpr DWORD FIRST_REPEAT_DELAY = 300;
    static constexpr DWORD REPEAT_DELAY = 20;

    SECTabControl();
    ~SECTabControl() override;

    void Initialize(DWORD dwStyle) override;
    void RecalcLayout() override;
    void DestroyGdiObjects() override;
    void ScrollToTab(int nIndex) override;
    void InvalidateTab(int nIndex) override;

    virtual void DrawTab(CDC* pDC, int nIndex, CRgn* pRgn);
    virtual BOOL HitTestTab(int nIndex, CPoint point);
    // nWhich: 0 normal, 1 selected, 2 active.
    virtual BOOL SetTabFont(CFont* pFont, int nWhich, BOOL bRedraw = TRUE);
    virtual void DrawButton(CDC* pDC, UINT nButton);
    virtual void GetTabRgn(int nIndex, CRgn& rgn);
    virtual void GetTabArea(CRect& rect) const;
    virtual void GetButtonArea(CRect& rect) const;
    virtual void GetButtonRect(UINT nButton, CRect& rect) const;
    virtual void UpdateButtons();
    // Scrolls by the button, then repeats previous and next while the button is held.
    virtual void OnButton(UINT nButton);
    virtual int GetTabTextWidth(int nIndex);

    int GetScrollOffset() const;
    UINT GetButtonMask() const;
    UINT GetDisabledButtons() const;
    void EnableMultipleSelection(BOOL bEnable);
    // The millisecond clock that paces a held scroll button (GetTickCount by default).
    void SetClock(std::function<DWORD()> clock);

protected:
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnSysColorChange();
    afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // The left edge of a tab at the current offset.
    int TabLeft(int nIndex) const;
    int HitTabAt(CPoint point);
    // The present button under the point, 0 when none.
    UINT HitButton(CPoint point) const;
    BOOL PressButton(CPoint point);
    // Moves the offset by a button's step; FALSE when the button has none.
    BOOL StepButton(UINT nButton);
    void ScrollBy(int nOldOffset);
    void PaintStrip(CDC* pDC, const CRect& rcUpdate);
    void DrawTopLine(CDC* pDC);
    void DrawTriangle(CDC* pDC, UINT nButton, const CRect& rect);
    BOOL DrawThemedButton(CDC* pDC, UINT nButton, const CRect& rect);
    void CreateBrushes();

    int m_nScrollOffset = 0;
    BOOL m_bMultiSelect = TRUE;
    CFont m_fontNormal;
    CFont m_fontSelected;
    CFont m_fontActive;
    CPen m_penNormal;
    CPen m_penSelected;
    CPen m_penActive;
    CPen m_penShadow;
    CBrush m_brushNormal;
    CBrush m_brushSelected;
    CBrush m_brushActive;
    COLORREF m_clrTextNormal = 0;
    COLORREF m_clrTextSelected = 0;
    COLORREF m_clrTextActive = 0;
    UINT m_nButtonMask = 0;
    UINT m_nPressedButton = 0;
    UINT m_nDisabledButtons = 0;
    int m_cxButton;
    int m_cyButton;
    foundation::SECThemeCache m_themes;
    std::function<DWORD()> m_clock;
};
} // namespace tarnwick::tabs
