// The status bar with per-pane formats: text and background colours, alignment, a bitmap and
// a cursor, every pane drawn by the bar itself; and a progress pane over the panes, optionally
// after a label in pane 0.
#pragma once

#include <toolkit/bars/StatusBar.h>

#include <memory>

namespace tarnwick::bars
{
class SECProgressCtrl;

// What a SECPaneInfo carries (its mask).
constexpr UINT SBP_ID = 0x1;
constexpr UINT SBP_STYLE = 0x2;
constexpr UINT SBP_WIDTH = 0x4;
constexpr UINT SBP_TEXT = 0x8;
constexpr UINT SBP_TEXTALIGN = 0x10;
constexpr UINT SBP_FOREGROUND = 0x20;
constexpr UINT SBP_BACKGROUND = 0x40;
constexpr UINT SBP_BITMAP = 0x80;
constexpr UINT SBP_CURSOR = 0x100;

// How a window placed in a pane fits it: its own width, its own height, one pixel in from the
// pane's edges on the sides it does not keep.
constexpr UINT SBPW_KEEPWIDTH = 0x1;
constexpr UINT SBPW_KEEPHEIGHT = 0x2;
constexpr UINT SBPW_INSET = 0x4;

struct SECPaneInfo
{
    int iIndex = 0;
    UINT nID = 0;
    UINT nStyle = 0;
    int cxWidth = 0;
    CString strText;
    COLORREF crTextForeground = 0;
    COLORREF crTextBackground = 0;
    HBITMAP hBitmap = nullptr;
    HCURSOR hCursor = nullptr;
    UINT nTextAlign = TA_LEFT;
    UINT uMask = 0;
};

class SECCustomStatusBar : public SECStatusBar
{
    DECLARE_DYNAMIC(SECCustomStatusBar)
public:
    SECCustomStatusBar();
    ~SECCustomStatusBar() override;

    // The panes, each drawn by the bar, with default formats.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount) override;
    void SetPaneInfoEx(const SECPaneInfo& info, BOOL bSizeToBitmap = FALSE);
    void GetPaneInfoEx(SECPaneInfo& info) const;
    // The pane under a client point, -1 for none.
    int PaneFromPoint(CPoint point) const;

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDIS);
    // Opens the progress pane over the panes (after the label in pane 0 when there is one)
    // with the range, the progress style and the step; an open pane takes the new style.
    virtual BOOL InitProgressPane(LPCTSTR lpszText, int nLower, int nUpper, BOOL bResetPos, DWORD dwProgressStyle,
                                  int nStep = 10);
    // Closes the pane and gives pane 0 back what the label took.
    virtual void CloseProgressPane();
    // Shows or hides every window placed in a pane.
    virtual void ShowPaneWindows(BOOL bShow);
    // Fits every window placed in a pane to the pane's rectangle.
    virtual void PositionPaneWindows();
    // Places pWnd, a child of the bar, in the pane with the SBPW_* flags; NULL takes the pane's
    // window out. Nothing for an index outside the panes.
    void SetPaneWindow(int nIndex, CWnd* pWnd, UINT nFlags = 0);
    // NULL for none and for an index outside the panes.
    CWnd* GetPaneWindow(int nIndex) const;
    // Moves the open pane's position and repaints it at once.
    void SetProgressPos(int nPos);
    SECProgressCtrl* GetProgressCtrl() const
    {
        return m_pProgress.get();
    }

protected:
    struct PaneFormat
    {
        COLORREF crText = ::GetSysColor(COLOR_WINDOWTEXT);
        COLORREF crBack = ::GetSysColor(COLOR_WINDOW);
        HBITMAP hBitmap = nullptr;
        HCURSOR hCursor = nullptr;
        UINT nAlign = TA_LEFT;
        UINT nFlags = 0;
    };

    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnDrawItemReflect(LPDRAWITEMSTRUCT lpDIS);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    // Another font makes the bar another height: the frame lays out again.
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    // The progress pane when open, else the pane windows, follow the panes.
    void FitPaneChildren();
    // The pane keeps its left edge and height and reaches the bar's right edge.
    void StretchProgressPane();
    DECLARE_MESSAGE_MAP()

    std::vector<PaneFormat> m_formats;
    // The windows placed in the panes (NULL for none) and their SBPW_* flags, one per pane.
    std::vector<HWND> m_paneWnds;
    std::vector<UINT> m_paneWndFlags;
    std::unique_ptr<SECProgressCtrl> m_pProgress;
    // Pane 0 as it was before a label took it.
    std::unique_ptr<SECPaneInfo> m_pSavedPane0;
};
} // namespace tarnwick::bars
