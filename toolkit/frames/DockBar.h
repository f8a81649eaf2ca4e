// The toolkit's dock bar: docked bars in rows where each sizeable bar takes its share of the
// row, with placement by row and column and bars that keep a row of their own.
#pragma once

#include <afxext.h>
#include <afxpriv.h>

#include <vector>

namespace tarnwick::frames
{
class SECControlBar;

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

    BOOL IsMDIChild() const
    {
        return m_bMDIChild;
    }
    float GetMinimumShare() const
    {
        return m_fMinimumShare;
    }

    // Lays the rows out: in a row with sizeable bars each takes its share of the row length
    // less the splitters, the last one the remainder; rows are parted by splitters and edges.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    // A splitter between rows (kind SPLIT_ROWS) or between the bars of a row (SPLIT_BARS);
    // nIndex is the row start or the bar before the splitter.
    enum SplitterKind
    {
        SPLIT_ROWS = 0,
        SPLIT_BARS = 1
    };
    struct SplitterPlace
    {
        CRect rect;
        SplitterKind nKind;
        int nIndex;
    };
    const std::vector<SplitterPlace>& GetSplitters() const
    {
        return m_splitters;
    }
    const std::vector<CRect>& GetClientEdges() const
    {
        return m_clientEdges;
    }

    // Drags the splitter with the mouse (modal) and applies the distance; Escape or the
    // right button cancels.
    virtual void TrackSplitter(const SplitterPlace& splitter, CPoint point);
    // How far the splitter may go: 24 pixels for each bar on either side of it within a row,
    // 19 pixels of thickness for a row.
    virtual void CalcSplitterLimits(const SplitterPlace& splitter, int& nMin, int& nMax);
    // Moves the splitter by nDelta pixels: shares pass between the bars on its two sides, or
    // the row's thickness changes.
    virtual void MoveSplitter(const SplitterPlace& splitter, int nDelta);

    virtual int GetVisibleBarCount();
    // TRUE while the bar is the only one of its row above the minimum share.
    virtual BOOL IsBarExpanded(SECControlBar* pBar);
    virtual BOOL IsAloneInRow(SECControlBar* pBar);
    // The bars of pBar's row: those before it nearest first, then it and those after it.
    virtual void GetRowBars(CPtrList& list, SECControlBar* pBar);
    // Mode EXPAND_BAR gives the bar its whole row, the others the minimum; any other mode
    // gives the row's visible bars equal shares.
    enum
    {
        EXPAND_BAR = 1
    };
    virtual void ExpandBar(SECControlBar* pBar, int nMode);
    virtual void OnBarInserted(SECControlBar* pBar);

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

    virtual int InsertBarAtPlace(SECControlBar* pBar, const SECDockPlacement& place);
    int InsertBarAtPlaceAt(SECControlBar* pBar, int nColumn, int nRow);
    virtual int InsertBarAsFirstRow(SECControlBar* pBar);
    // Inserts at nIndex and keeps bars with CBRS_EX_OWNROW in rows of their own; answers the
    // index the bar took.
    virtual int InsertBarAt(int nIndex, SECControlBar* pBar);
    // Where a bar dropped at rect (client coordinates) with the given centre would enter.
    int FindInsertIndex(const CRect& rect, CPoint ptCentre);

    // Bars to repaint after the next layout.
    void AddToRedrawList(CControlBar* pBar);
    // From the index to the end for top and left dock bars, from the start up to it for the others.
    void AddRunToRedrawList(int nIndex);
    BOOL IsInRedrawList(CControlBar* pBar) const;
    void RemoveFromRedrawList(CControlBar* pBar);

private:
    BOOL m_bMDIChild;
    CPtrArray m_arrRedraw;
    SECControlBar* m_pNewBar;
    int m_nNoRedraw;
    float m_fMinimumShare;
    std::vector<SplitterPlace> m_splitters;
    std::vector<CRect> m_clientEdges;

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
    int LayoutRow(int nStart, int nOffset, int nRowLength, HDWP& hdwp);
    int RowLength() const;
    // The drag loop: the distance moved along the splitter's axis, 0 when cancelled.
    int DragSplitter(const SplitterPlace& splitter, CPoint point, int nMin, int nMax);
    void MoveBar(CControlBar* pBar, const CRect& rect, HDWP& hdwp);
};
} // namespace tarnwick::frames
