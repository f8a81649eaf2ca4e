// The toolkit's dock bar: docked bars in rows where each sizeable bar takes its share of the
// row, with placement by row and column and bars that keep a row of their own.
#pragma once

#include <afxext.h>
#include <afxpriv.h>
#include <afxtempl.h>

#include <toolkit/frames/BarTheme.h>

namespace tarnwick::frames
{
class SECControlBar;
class SECControlBarInfo;

// Where DockControlBarSized puts a bar: row and column, counted as the flags say.
struct SECDockPlacement
{
    int nRow;
    int nColumn;
    UINT nFlags;
};
constexpr UINT DOCKPLACE_ROW_FROM_LAST = 0x1;
constexpr UINT DOCKPLACE_COLUMN_FROM_END = 0x2;
constexpr UINT DOCKPLACE_NEW_ROW = 0x4;

class SECDockBar : public CDockBar
{
    DECLARE_DYNAMIC(SECDockBar)
public:
    explicit SECDockBar(BOOL bFloating = FALSE, BOOL bMDIChild = FALSE);
    ~SECDockBar() override;

    using CDockBar::Create;
    // A dock bar of an MDI child frame that hosts a bar knows it from creation.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle, BOOL bMDIChild, UINT nID);

    BOOL IsMDIChild() const
    {
        return m_bMDIChild;
    }
    // The platform's record with the MDI-child flag; an MDI child's dock bar records its child
    // frame's placement instead of a position.
    virtual void GetBarInfoEx(SECControlBarInfo* pInfo);
    // The rows as the platform rebuilds them; the shares of the bars restored count as settled.
    void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) override;
    float GetMinimumShare() const
    {
        return m_fMinimumShare;
    }

    // Lays the rows out: in a row with sizeable bars each takes its share of the row length
    // less the splitters, the last one the remainder; rows are parted by splitters and edges.
    // Rows of fixed-size bars keep the offsets their bars were put at.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    // With flat worksheet tabs below them, top and left dock bars grow by a pixel (two on
    // Windows 95 and later) so that their edge meets the tabs.
    static void SetFlatTabsFlag(BOOL bFlatTabs);
    // Splitters and edges, then the bars whose places changed.
    void DoPaint(CDC* pDC) override;
    // 0: dock bars show no menu on a right click; 1: they list the frame's bars to toggle.
    static void SetToolkitFrameFlag(int nFlag);
    static int GetToolkitFrameFlag();
    // The frame's bars that have a title, other than status, menu, dock and frame bars, as
    // commands from ID_FIRST_BAR_COMMAND, checked while shown; toolbars come last.
    void BuildBarMenu(CMenu& menu);
    static constexpr UINT ID_FIRST_BAR_COMMAND = 0xE001;
    static constexpr UINT ID_LAST_BAR_COMMAND = 0xE0FF;
    // Menu accelerators work while the focus is in a docked bar.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // A splitter between rows (kind SPLIT_ROWS) or between the bars of a row (SPLIT_BARS).
    enum SplitterKind
    {
        SPLIT_ROWS = 0,
        SPLIT_BARS = 1
    };
    class Splitter;
    class ClientEdge;
    int GetSplitterCount() const
    {
        return static_cast<int>(m_splitters.GetSize());
    }
    Splitter* GetSplitter(int nIndex) const;
    int GetClientEdgeCount() const
    {
        return static_cast<int>(m_clientEdges.GetSize());
    }
    ClientEdge* GetClientEdge(int nIndex) const;
    // The splitter under a client point, the last registered first; NULL when none.
    Splitter* SplitterAt(CPoint point) const;

    // Drags the splitter with the mouse (modal) and applies the distance; Escape or the
    // right button cancels.
    virtual void TrackSplitter(Splitter* pSplitter, CPoint point);
    // Keeps the splitter in this layout (an equal rectangle keeps its object) or makes one.
    virtual void RegisterSplitter(const CRect& rect, SplitterKind nKind, int nRowIndex);
    // How far the splitter may go: 24 pixels for each bar on either side of it within a row;
    // 19 pixels of thickness for a row and for the frame's client area.
    virtual void CalcSplitterLimits(Splitter* pSplitter, int& nMin, int& nMax);
    virtual void RegisterClientEdge(const CRect& rect);
    // Moves the splitter by nDelta pixels: shares pass between the bars on its two sides, or
    // the row's thickness changes.
    virtual void MoveSplitter(Splitter* pSplitter, int nDelta);
    // Repaints the bars whose places changed, once the frame's layout is done.
    virtual void RedrawChangedBars();

    virtual int GetVisibleBarCount();
    // TRUE while the bar is the only one of its row above the minimum share.
    virtual BOOL IsBarExpanded(SECControlBar* pBar);
    virtual BOOL IsAloneInRow(SECControlBar* pBar);
    // The bars of pBar's row: those before it nearest first, then it and those after it.
    virtual void GetRowBars(CPtrList& list, SECControlBar* pBar);
    // The toolbars of pBar's row repaint with the next changed bars.
    virtual void RedrawRowToolBars(SECControlBar* pBar);
    // Mode EXPAND_BAR gives the bar its whole row, the others the minimum; any other mode
    // gives the row's visible bars equal shares.
    enum
    {
        EXPAND_BAR = 1
    };
    virtual void ExpandBar(SECControlBar* pBar, int nMode);
    virtual void OnBarInserted(SECControlBar* pBar);

    // Docks the bar into the row under lpRect (screen coordinates), or as a new last row.
    virtual void DockControlBarEx(CControlBar* pBar, const RECT* lpRect = nullptr);
    // Docks the bar at a row and column and fits the row with it as the new bar.
    virtual void DockControlBarSized(SECControlBar* pBar, const SECDockPlacement& place);
    virtual void DockControlBarSizedAt(SECControlBar* pBar, int nColumn, int nRow);
    // Puts the bar back where its id holds its place, else docks it as DockControlBarEx does.
    virtual void ReDockControlBar(CControlBar* pBar, const RECT* lpRect = nullptr);
    // Takes the bar out as CDockBar does and forgets it for redrawing.
    virtual BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0);
    // Fits the shares of the row from nFirst: unsettled bars and pNewBar take what they ask
    // (at least the minimum share, at most 0.95) and the settled ones keep their proportions.
    virtual void NormalizeRowPercentages(int nFirst, SECControlBar* pNewBar, int* pnSizable, int* pnFixed);
    // 18 pixels of the row length, at most the whole row; 0.05 without a length.
    virtual void UpdateMinimumShare();
    static float MinimumShareFor(int nRowLength);
    // Adds fDelta to the bar's share; below the minimum share it keeps the minimum and the
    // shortfall (negative) is returned.
    virtual float AddPercent(float fDelta, SECControlBar* pBar);

    // Inserts the bar into the row whose band holds the centre (client coordinates), before
    // the first bar whose centre lies beyond the rectangle's leading edge.
    virtual int InsertBarAtRect(CControlBar* pBar, const CRect& rect, CPoint ptCentre);
    virtual int InsertBarAtPlace(SECControlBar* pBar, const SECDockPlacement& place);
    int InsertBarAtPlaceAt(SECControlBar* pBar, int nColumn, int nRow);
    virtual int InsertBarAsFirstRow(CControlBar* pBar);
    // Inserts at nIndex and keeps bars with CBRS_EX_OWNROW in rows of their own; answers the
    // index the bar took.
    virtual int InsertBarAt(int nIndex, CControlBar* pBar);
    // Where a bar dropped at rect (client coordinates) with the given centre would enter.
    int FindInsertIndex(const CRect& rect, CPoint ptCentre);
    // The landing outline (screen) of pBar dragged at rect with the mouse at point: the bar's
    // prospective share of the row and the row's thickness. *pnRow, *pLastRect and
    // *pLastPoint carry the last answer through a drag (*pnRow -1 before the first); over the
    // same row the last outline moves with the mouse.
    virtual CRect CalcDragDockRect(SECControlBar* pBar, const CRect& rect, CPoint point, int* pnRow,
                                   RECT* pLastRect, POINT* pLastPoint);

    // Bars to repaint after the next layout.
    void AddToRedrawList(CControlBar* pBar);
    // From the index to the end for top and left dock bars, from the start up to it for the others.
    void AddRunToRedrawList(int nIndex);
    BOOL IsInRedrawList(CControlBar* pBar) const;
    void RemoveFromRedrawList(CControlBar* pBar);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    // A bar of the menu shows or hides.
    afx_msg void OnBarCommand(UINT nID);
    DECLARE_MESSAGE_MAP()

private:
    // Fits a drag outline to the row from nRow (-1: a row of its own).
    void FitDragDockRect(SECControlBar* pBar, int nRow, CPoint point, CRect& rect);
    BOOL m_bMDIChild;
    CPtrArray m_arrRedraw;
    CObArray m_clientEdges;
    CObArray m_splitters;
    SECControlBar* m_pNewBar;
    BOOL m_bRedrawPending;
    int m_nNoRedraw;
    float m_fMinimumShare;
    SECBarTheme m_theme;
    // The bars of the last menu by command.
    CMap<UINT, UINT, SECControlBar*, SECControlBar*> m_mapBarCommands;

    SECControlBar* GetSizeableBar(int nPos) const;
    BOOL IsVisibleEntry(int nPos) const;
    int RowStart(int nPos) const;
    // The index of the row break that ends the row holding nPos (the list's size at the end).
    int RowEnd(int nPos) const;
    int RowCount() const;
    int NthRowStart(int nRow) const;
    int ColumnIndex(int nStart, int nColumn, BOOL bFromEnd) const;
    void DelayLayout();
    // Lays out the row from nStart at nOffset across the dock bar; answers its thickness.
    int LayoutSizableRow(int nStart, int nOffset, int nRowLength, HDWP& hdwp);
    int LayoutFixedRow(int nStart, int nOffset, int nRowLength, HDWP& hdwp);
    int RowLength() const;
    // The drag loop: the distance moved along the splitter's axis, 0 when cancelled.
    int DragSplitter(Splitter* pSplitter, CPoint point, int nMin, int nMax);
    void MoveBar(CControlBar* pBar, int nPos, const CRect& rect, HDWP& hdwp);
    // Puts the bar in a new row after every other; answers its index.
    int AppendRow(CControlBar* pBar);
    void SweepUnmarked();
    void DeleteSplittersAndEdges();
    // Takes the bar into this dock bar: its styles, the mini-frame's title and the parent.
    void AdoptBar(CControlBar* pBar);
    // Takes the bar out of the dock bar it came from (its entry here at nPosExclude stays) and
    // queues it for redrawing here.
    void ReleaseFromOldDockBar(CControlBar* pBar, int nPosExclude);
};
} // namespace tarnwick::frames
