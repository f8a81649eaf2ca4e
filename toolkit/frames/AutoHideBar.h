// The thin strip along one side of a frame that holds the tabs of the bars unpinned on that
// side. It is shown only while it holds a tab, and it cannot be dragged.
#pragma once

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

    // A visible child of the frame with the first free id from 0x8000, along the side that
    // dwBarStyle names.
    virtual BOOL Create(CFrameWnd* pParentFrame, DWORD dwBarStyle);
    void EnableDocking(DWORD dwDockStyle) override;
    CDockContext* CreateDockContext() override;

    virtual int GetButtonCount() const;
    // The strip is as long as its frame and 24 pixels thick.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    // Label fonts for strips along the top and bottom, and along the sides.
    CFont& GetHorzFont()
    {
        return m_fontHorz;
    }
    CFont& GetVertFont()
    {
        return m_fontVert;
    }
    int GetTextHeight() const
    {
        return m_nTextHeight;
    }
    int GetButtonHeight() const
    {
        return m_nButtonHeight;
    }
    int GetTextOffset() const
    {
        return m_nTextOffset;
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
    DECLARE_MESSAGE_MAP()

private:
    CFont m_fontHorz;
    CFont m_fontVert;
    int m_nTextHeight;
    int m_nButtonHeight;
    int m_nTextOffset;
    int m_nButtons;
    COLORREF m_clrBackground;
    SECBarTheme m_theme;

    void CreateFonts();
    void UpdateVisibility();
    void FillBackground(CDC* pDC);
};
} // namespace tarnwick::frames
