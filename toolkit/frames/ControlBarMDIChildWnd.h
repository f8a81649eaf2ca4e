// MDI children that host a control bar floated in the main window ("Float In Main Window"): a
// dock bar of their own fills them, their title is the bar's, closing them hides the bar, and
// they show while the bar shows.
#pragma once

#include <toolkit/frames/DockBar.h>
#include <toolkit/frames/MDIChildWnd.h>

namespace tarnwick::frames
{
// What the hosting children share, whatever child frame class they derive from.
class SECBarChildHost
{
public:
    explicit SECBarChildHost(CMDIChildWnd& child);
    SECBarChildHost(const SECBarChildHost&) = delete;
    SECBarChildHost& operator=(const SECBarChildHost&) = delete;

    SECDockBar& GetDockBar()
    {
        return m_wndDockBar;
    }
    // The one bar hosted, NULL when the dock bar takes several or none.
    CControlBar* GetSingleBar() const;
    void PreCreateWindow(CREATESTRUCT& cs) const;
    // The dock bar is made in the main frame, which lists it among its bars, and moved in here.
    BOOL CreateDockBar();
    // Runs the child's layout once at a time; the title follows the bar, and the child shows
    // while its bar does.
    template <class TLayout> void RecalcLayout(TLayout layout)
    {
        if (m_bInLayout)
            return;
        m_bInLayout = TRUE;
        layout();
        AfterLayout();
        m_bInLayout = FALSE;
    }
    // The bar takes the child's size as its floating size.
    void OnSize(int cx, int cy);
    // TRUE when the child only hid its bar instead of closing.
    BOOL OnClose();
    void OnWindowPosChanged();
    void OnShowWindow(BOOL bShow);

private:
    CMDIChildWnd& m_child;
    SECDockBar m_wndDockBar;
    BOOL m_bInLayout;

    void AfterLayout();
};

class SECControlBarMDIChildWnd : public SECMDIChildWnd
{
    DECLARE_DYNCREATE(SECControlBarMDIChildWnd)
public:
    SECControlBarMDIChildWnd();
    SECDockBar& GetDockBar()
    {
        return m_host.GetDockBar();
    }
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    // The title is the bar's.
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnClose();
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

private:
    SECBarChildHost m_host;
};
} // namespace tarnwick::frames
