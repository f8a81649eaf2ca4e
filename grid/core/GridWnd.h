// The grid as a child window: a framework window that is also a grid core. Every message goes
// to one core operation; the framework's handling runs only where the core declines.
#pragma once

#include <afxwin.h>

#include <grid/core/GridCore.h>

// The grid's private messages.
constexpr UINT WM_GX_QUERYPARAM = 0x0790;
constexpr UINT WM_GX_APPNOTIFY = 0x0791;
constexpr UINT WM_GX_DEACTIVATECHECK = 0x0792;
constexpr UINT WM_GX_NAVIGATE = 0x07A3;
constexpr UINT WM_GX_SIZELOCK = 0x07CB;

class CGXGridWnd : public CWnd, public CGXGridCore
{
    DECLARE_DYNCREATE(CGXGridWnd)
public:
    CGXGridWnd();
    ~CGXGridWnd() override;

    // Sets the scroll-bar modes from the window's styles and initialises the core; call
    // once the window exists.
    void Initialize();

    // Printing the grid through the core's print feature; nothing without it.
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);

    // Runs the core's initialisation.
    virtual void OnGridInitialize();

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    CScrollBar* GetScrollBarCtrl(int nBar) const override;
    BOOL ShowScrollBar(int nBar, BOOL bShow = TRUE) override;
    // The window's scroll bars are the core's: its scaled values and its repaint rules.
    using CGXGridCore::GetScrollPos;
    using CGXGridCore::GetScrollRange;
    using CGXGridCore::ScrollWindow;
    using CGXGridCore::SetScrollPos;
    using CGXGridCore::SetScrollRange;

    // The class "CGXGridWnd": windows made by class name (as in a dialog template) get an
    // object of their own that is deleted with the window. Registration failure throws
    // CResourceException.
    static void RegisterClass(HINSTANCE hInstance);
    static void UnregisterClass(HINSTANCE hInstance);

    // Asks for the 3-D frame around the window, as the window style bit 0x200 does.
    BOOL m_bDraw3dFrame = FALSE;

protected:
    void PostNcDestroy() override;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnNcPaint();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDestroy();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnKeyMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnCancelMode();
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg UINT OnGetDlgCode();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnFindReplaceMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnQueryParam(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAppNotify(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeactivateCheck(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNavigate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSizeLock(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    // The focus first, unless this window or one of its children has it.
    void TakeFocus();
    void OnButtonMessage(BOOL (CGXGridCore::*pfnCore)(UINT, CPoint), UINT nFlags, CPoint point, BOOL bFocus);
    static LRESULT CALLBACK ClassWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};
