// Resizing rows and columns by dragging the borders of their headers, and double-clicking a
// border to reset the size or to show hidden neighbours. Mode 1 sizes a row, 2 a column.
#pragma once

#include <grid/core/AbstractGridImps.h>

#include <memory>

class CGXDragLineWnd;

class CGXGridUserResizeCellsImp : public CGXAbstractGridUserResizeCellsImp
{
public:
    CGXGridUserResizeCellsImp();
    ~CGXGridUserResizeCellsImp() override;

    BOOL OnTrackMouseMove(CGXGridCore* pGrid, CPoint point, UINT flags) override;
    // Column borders (hit codes 1 and 7) need bit 0x01 or 0x02 of the column mask, row borders
    // (2 and 8) of the row mask; a started tracking captures the mouse.
    BOOL OnTrackButtonDown(CGXGridCore* pGrid, CPoint point, UINT flags, int nHit, ROWCOL nRow, ROWCOL nCol) override;
    BOOL OnTrackButtonUp(CGXGridCore* pGrid, CPoint point, UINT flags) override;
    BOOL OnTrackDoubleClick(CGXGridCore* pGrid, CPoint point, UINT flags, int nHit, ROWCOL nRow, ROWCOL nCol) override;
    BOOL OnStartTracking(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, int nMode) override;
    void OnMoveTracking(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, int nMode, int nSize) override;
    void OnCancelTracking(CGXGridCore* pGrid) override;
    void OnEndTracking(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, int nMode, int nSize) override;

    BOOL IsResizing() const
    {
        return m_bResizing;
    }
    // The tracking line as it is drawn now (client coordinates).
    const CRect& GetLineRect() const
    {
        return m_rectLine;
    }
    CWnd* GetLineWnd() const;

private:
    BOOL IsRows() const
    {
        return m_nMode == 1;
    }
    ROWCOL Tracked() const
    {
        return IsRows() ? m_nRow : m_nCol;
    }
    void InvertLine(CGXGridCore* pGrid, const CRect& rect);
    // Puts the starting size (and hidden state) back.
    void RestoreStartSize(CGXGridCore* pGrid);
    // Stores a size without undo: a hidden element is shown for a positive size.
    void StoreSize(CGXGridCore* pGrid, int nSize);
    void InvalidateStrip(CGXGridCore* pGrid);
    void RedrawTracked(CGXGridCore* pGrid, UINT flags);
    void ApplySize(CGXGridCore* pGrid, int nSize, UINT flags);
    void ShowHidden(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nTo);

    int m_nMode = 0;
    ROWCOL m_nRow = 0;
    ROWCOL m_nCol = 0;
    BOOL m_bResizing = FALSE;
    BOOL m_bMoved = FALSE;
    // The tracked element's start edge, its one-pixel start line and the line drawn now.
    int m_nStart = 0;
    CRect m_rectStartLine;
    CRect m_rectLine;
    BOOL m_bLive = FALSE;
    BOOL m_bPreview = FALSE;
    BOOL m_bLineWnd = FALSE;
    BOOL m_bOutline = FALSE;
    BOOL m_bMarkHeader = FALSE;
    int m_nStartSize = 0;
    BOOL m_bStartHidden = FALSE;
    BOOL m_bOwnSize = FALSE;
    std::unique_ptr<CGXDragLineWnd> m_pLineWnd;
};
