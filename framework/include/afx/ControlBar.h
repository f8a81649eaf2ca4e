// Control bars: child windows of a frame that take a strip of its client area, either along
// their alignment or docked into one of the frame's dock bars.
#pragma once

class CControlBarInfo;
class CDockBar;
class CDockContext;
struct AFX_SIZEPARENTPARAMS;

// Bar styles (m_dwStyle), beside the window styles.
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_FLOATING 0x0001L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL 0x0040FFFFL
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// CalcDynamicLayout modes.
#define LM_STRETCH 0x01
#define LM_HORZ 0x02
#define LM_MRUWIDTH 0x04
#define LM_HORZDOCK 0x08
#define LM_VERTDOCK 0x10
#define LM_LENGTHY 0x20
#define LM_COMMIT 0x40

// The mode in which a bar of dwStyle is asked for its size in a layout: a floating dynamic bar
// by its last width, others along their side.
DWORD AFXAPI AfxBarLayoutMode(DWORD dwStyle);

class CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar();
    // Takes the bar out of its frame's list.
    ~CControlBar() override;

    // Bar styles (CBRS_*); the window's own styles stay in the window.
    DWORD m_dwStyle;
    // The sides the bar may dock to (CBRS_ALIGN_*, CBRS_FLOAT_MULTI).
    DWORD m_dwDockStyle;
    // The frame the bar belongs to, the dock bar that holds it (NULL while not docked), and
    // the dock context made by EnableDocking.
    CFrameWnd* m_pDockSite;
    CDockBar* m_pDockBar;
    CDockContext* m_pDockContext;
    // The length of a dynamic bar as last sized by the user.
    int m_nMRUWidth;
    // Space inside the bar around its contents.
    int m_cxLeftBorder;
    int m_cxRightBorder;
    int m_cyTopBorder;
    int m_cyBottomBorder;
    int m_cxDefaultGap;
    // Bars made with new set it: the object goes with its window.
    BOOL m_bAutoDelete;

    // Delayed show and hide, the fly-by prompt's state.
    enum StateFlags
    {
        delayHide = 1,
        delayShow = 2,
        tempHide = 4,
        statusSet = 8
    };
    UINT m_nStateFlags;

    // The bar's size: along its orientation the whole length when stretched, else nothing.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // nLength -1 with a dock mode asks for the docked size; the default takes the fixed size.
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    // The area inside borders and gripper.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    // Updates the bar's items; runs at idle with the docking frame as target.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    virtual void DoPaint(CDC* pDC);
    // Draws the borders of m_dwStyle and takes them from rect.
    virtual void DrawBorders(CDC* pDC, CRect& rect);
    virtual void DrawGripper(CDC* pDC, const CRect& rect);
    virtual BOOL IsDockBar() const;
    // The bar's record in a dock state: id, visibility, position in its dock bar, and where it
    // docked and floated last.
    virtual void GetBarInfo(CControlBarInfo* pInfo);
    // Takes a record's visibility, width and docking memory; moves a docked bar to its position.
    virtual void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd);
    virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);

    void SetBarStyle(DWORD dwStyle);
    DWORD GetBarStyle();
    // Visible, or about to be shown by a delayed show.
    BOOL IsVisible() const;
    BOOL IsFloating() const;
    // The frame that lays the bar out: its parent frame, else the dock site.
    CFrameWnd* GetDockingFrame() const;
    // Allows docking to the sides of dwDockStyle and makes the dock context.
    void EnableDocking(DWORD dwDockStyle);
    // Shows or hides the bar at the next layout.
    virtual void DelayShow(BOOL bShow);
    // Carries out a delayed show or hide within a layout (deferred into lpLayout); answers
    // the bar's alignment and borders with WS_VISIBLE as they will be.
    DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // Registers and creates the window in the control-bar class.
    BOOL CreateBar(DWORD dwStyle, CWnd* pParentWnd, UINT nID, LPCTSTR lpszWindowName = nullptr);
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    // A press on the bar away from its tools drags it; a double click docks or floats it.
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The fly-by prompt: the tool under the mouse goes into the frame's status bar after a
    // short wait, and the idle prompt returns when the mouse leaves the tools.
    void TrackFlyBy(const MSG* pMsg);
    void SetStatusText(INT_PTR nHit);
    // The tool under the mouse at the last mouse message, -1 for none.
    INT_PTR m_nLastStatus;
    // The tool at a client point, -1 for none.
    INT_PTR ToolHit(CPoint point) const;
    // A docked or floating bar with a dock context, pressed away from its tools.
    BOOL IsDragPoint(CPoint point) const;
};
