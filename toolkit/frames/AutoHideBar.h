// The thin strip along one side of a frame that holds the tabs of the bars unpinned on that
// side. It is shown only while it holds a tab, and it cannot be dragged.
#pragma once

#include <toolkit/frames/AutoHideBarBtn.h>
#include <toolkit/frames/ControlBar.h>
#include <toolkit/frames/DockContext.h>

namespace tarnwick::frames
{
// The strip's dock context: the strip stays where its frame put it.
class SECAutoHideBarDockContext : public SECDockContext
{
public:
    using SECDockContext::SECDockContext;
};

class SECAutoHideBar : public SECControlBar
{
public:
    SECAutoHideBar();
    // The tabs go with the window, which reaches this class's WM_DESTROY only from here.
    ~SECAutoHideBar() override;

    // A visible child of the frame with the first free id from 0x8000, along the side that
    // dwBarStyle names.
    virtual BOOL Create(CFrameWnd* pParentFrame, DWORD dwBarStyle);
    void EnableDocking(DWORD dwDockStyle) override;
    CDockContext* CreateDockContext() override;

    // A tab for the unpinned bar on its auto-hide side, with the bar's small icon; the first
    // tab is selected. The strip shows while it holds a tab.
    virtual void AddBar(SECControlBar* pBar);
    // Drops the bar's tab; a lone tab left is selected.
    virtual void RemoveBar(SECControlBar* pBar);
    virtual int GetButtonCount() const;
    SECAutoHideBarBtn* GetButton(int nIndex) const;
    // The bar's tab, NULL when the strip holds none for it.
    SECAutoHideBarBtn* FindButton(const SECControlBar* pBar) const;
    // Selects the tab alone and lays the tabs out again.
    void SelectButton(SECAutoHideBarBtn* pButton);
    // One after another from 24 pixels in: a selected tab, or one without an icon, as long as
    // the longest label needs, the others as long as their icon.
    void LayoutButtons();
    // The strip is as long as its frame and 24 pixels thick.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    // Label fonts for strips along the top and bottom, and along the sides.
    CFont& GetHorzFont()
    {
        return m_fonts.GetHorzFont();
    }
    CFont& GetVertFont()
    {
        return m_fonts.GetVertFont();
    }
    int GetTextHeight() const
    {
        return m_fonts.GetTextHeight();
    }
    int GetButtonHeight() const
    {
        return m_fonts.GetButtonHeight();
    }
    int GetTextOffset() const
    {
        return m_fonts.GetTextOffset();
    }
    // The colour the strip was last filled with.
    COLORREF GetBackgroundColor() const
    {
        return m_clrBackground;
    }
    static constexpr int THICKNESS = 24;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // The tabs, owned.
    CPtrArray m_buttons;
    SECAutoHideFonts m_fonts;
    int m_nButtons;
    COLORREF m_clrBackground;
    SECBarTheme m_theme;

    void DeleteButtons();
    void UpdateVisibility();
    void FillBackground(CDC* pDC);
};
} // namespace tarnwick::frames
