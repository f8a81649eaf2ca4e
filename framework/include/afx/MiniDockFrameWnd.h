// The floating frame of control bars: a mini frame around a floating dock bar.
#pragma once

#include <memory>

class CMiniDockFrameWnd : public CMiniFrameWnd
{
    DECLARE_DYNCREATE(CMiniDockFrameWnd)
public:
    CMiniDockFrameWnd();
    ~CMiniDockFrameWnd() override;

    // The floating dock bar (AFX_IDW_DOCKBAR_FLOAT) that holds the bars.
    CDockBar& m_wndDockBar;

    // A hidden tool window owned by pParent with its dock bar of dwBarStyle's alignment.
    virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
    // Fits the frame around its bars at (x, y), and takes the dock bar's title.
    virtual void RecalcWindowSize(int x, int y);
    void RecalcLayout(BOOL bNotify = TRUE) override;

protected:
    // Derived frames bring their own kind of floating dock bar.
    explicit CMiniDockFrameWnd(CDockBar* pDockBar);
    // Guards the layout against the sizes it causes.
    BOOL m_bInRecalcLayout;
    // The first bar of the frame (with a dock context), and the bar that the caption drags
    // and toggles: NULL when several bars may share the frame.
    CControlBar* GetFirstBar() const;
    CControlBar* GetSingleBar() const;
    void SyncTitle();

    afx_msg void OnClose();
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<CDockBar> m_pDockBar;
};
