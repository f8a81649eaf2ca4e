// The frame's status bar: a control bar around the common status-bar control, one record per
// pane (indicator), with idle-time update of the panes through SECStatusCmdUI.
#pragma once

#include <toolkit/frames/ControlBar.h>

#include <vector>

namespace tarnwick::bars
{
using frames::SECControlBar;

// Pane styles beside the control's text drawing types.
constexpr UINT SBPS_NORMAL = 0x0000;
constexpr UINT SBPS_NOBORDERS = 0x0100;
constexpr UINT SBPS_POPOUT = 0x0200;
constexpr UINT SBPS_OWNERDRAW = 0x1000;
constexpr UINT SBPS_DISABLED = 0x04000000;
constexpr UINT SBPS_STRETCH = 0x08000000;

class SECStatusBar : public SECControlBar
{
    DECLARE_DYNAMIC(SECStatusBar)
public:
    SECStatusBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                  UINT nID = AFX_IDW_STATUS_BAR);

    virtual BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    int GetCount() const
    {
        return static_cast<int>(m_panes.size());
    }
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;

    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    CString GetPaneText(int nIndex) const;
    void GetPaneText(int nIndex, CString& rString) const;
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // With a size grip the grip's width is kept free while the frame is not maximised.
    void CalcInsideRect(CRect& rect, BOOL bHorz, BOOL bWithGripper = FALSE) const override;

protected:
    struct Pane
    {
        UINT nID = 0;
        int cxText = 0;
        UINT nStyle = 0;
        UINT nFlags = 0;
        CString strText;
    };
    static constexpr UINT SBPF_UPDATE = 0x1;
    static constexpr int CX_PANE_BORDER = 6;

    // Lays the pane edges out and sends the pending texts, as asked.
    void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);
    // The pane's text with its style to the control, or no text while it is disabled.
    void SendPaneText(int nIndex);
    CFont* GetBarFont() const;
    const Pane& PaneAt(int nIndex) const
    {
        return m_panes[static_cast<size_t>(nIndex)];
    }
    Pane& PaneAt(int nIndex)
    {
        return m_panes[static_cast<size_t>(nIndex)];
    }

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetMinHeight(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;

    std::vector<Pane> m_panes;
    int m_nMinHeight;
};

// The command-update object of one pane.
class SECStatusCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetText(LPCTSTR lpszText) override;
};
} // namespace tarnwick::bars
