// The tab of one unpinned bar in an auto-hide strip: its icon, and its label where there is
// room for it. Hovering it slides the bar out; the bar slides back once the mouse has left
// both the tab and the bar.
#pragma once

#include <toolkit/frames/BarTheme.h>
#include <toolkit/frames/Icon.h>

#include <afxwin.h>

#include <vector>

namespace tarnwick::frames
{
class SECAutoHideBar;
class SECControlBar;

// The label fonts of a strip and its tabs, made from the menu font: along the strip for the
// top and bottom sides, turned downwards for the left and right sides.
class SECAutoHideFonts
{
public:
    void Create();
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
    // The menu's height, at least a small icon's.
    int GetButtonHeight() const
    {
        return m_nButtonHeight;
    }
    // Where the text sits across a tab.
    int GetTextOffset() const
    {
        return m_nTextOffset;
    }

private:
    CFont m_fontHorz;
    CFont m_fontVert;
    int m_nTextHeight = 0;
    int m_nButtonHeight = 0;
    int m_nTextOffset = 0;
};

class SECAutoHideBarBtn : public CWnd
{
public:
    SECAutoHideBarBtn();

    // A child of the strip on side nSide (AFX_IDW_DOCKBAR_*) standing for hWndBar; its control
    // id is the side plus the bar's handle.
    virtual BOOL Create(LPCTSTR lpszLabel, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nSide,
                        HWND hWndBar);
    static UINT TabID(UINT nSide, HWND hWndBar);

    void SetOwnerStrip(SECAutoHideBar* pStrip)
    {
        m_pStrip = pStrip;
    }
    void SetIcon(HICON hIcon)
    {
        m_icon.Attach(hIcon);
    }
    BOOL HasIcon() const
    {
        return m_icon.GetHandle() != nullptr;
    }
    HWND GetBarHandle() const
    {
        return m_hWndBar;
    }
    UINT GetSide() const
    {
        return m_nSide;
    }
    const CString& GetLabel() const
    {
        return m_strLabel;
    }
    CFont& GetLabelFont();
    // The label is drawn at full width.
    BOOL IsSelected() const
    {
        return m_bSelected;
    }
    void SetSelected(BOOL bSelected)
    {
        m_bSelected = bSelected;
    }
    // Drawn pressed while its bar is out.
    BOOL IsShown() const
    {
        return m_bShown;
    }
    // The bar is out and the tab watches the mouse (timer 1).
    BOOL IsHot() const
    {
        return m_bHot;
    }
    // The label is drawn: the bar is out, the tab is selected or has no icon to stand for it.
    BOOL ShowsLabel() const
    {
        return m_bShown || m_bSelected || !HasIcon();
    }
    static constexpr int ICON_SIZE = 16;
    static constexpr UINT_PTR HIDE_TIMER = 1;
    static constexpr UINT HIDE_DELAY = 500;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bHot;
    BOOL m_bShown;
    BOOL m_bSelected;
    CString m_strLabel;
    UINT m_nSide;
    HWND m_hWndBar;
    SECAutoHideFonts m_fonts;
    SECAutoHideBar* m_pStrip;
    SECIcon m_icon;
    SECBarTheme m_theme;

    // The bar among the frame's control bars; NULL when it is gone.
    SECControlBar* FindBar() const;
    CFrameWnd* GetFrame() const;
    void SetShown(BOOL bShown);
    // The frame's other unpinned bars that are out.
    std::vector<SECControlBar*> OtherBarsOut(const SECControlBar* pBar) const;
    void DrawBackground(CDC* pDC, const CRect& rect);
    void DrawLabel(CDC* pDC, CRect rect);
};
} // namespace tarnwick::frames
