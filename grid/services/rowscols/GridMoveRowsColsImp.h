// Moving blocks of rows and columns: the data, the sizes, hidden states, selection, covered,
// floating and merged cells and the current cell follow; undo records the inverse move.
// CGXDragLineWnd is the thin line that marks where a dragged block would land.
#pragma once

#include <grid/core/AbstractGridImps.h>

class CGXGridMoveRowsColsImp : public CGXAbstractGridMoveRowsColsImp
{
public:
    // 1 when the rows moved; 0 for a move onto itself or one that nothing stored.
    BOOL StoreMoveRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, BOOL bProcessed) override;
    void UpdateMoveRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, UINT flags, BOOL bHint) override;
    BOOL StoreMoveCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, BOOL bProcessed) override;
    void UpdateMoveCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, UINT flags, BOOL bHint) override;
    // The whole move: pending edit stored, cut coverings undone, store, repaint, undo record.
    BOOL MoveRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, UINT flags, int nCommandKind) override;
    BOOL MoveCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, UINT flags, int nCommandKind) override;

private:
    BOOL StoreMove(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, BOOL bProcessed);
    void UpdateMove(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, UINT flags);
    BOOL Move(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, UINT flags, int nCommandKind);
    // Uncovers every covered range that the move would cut apart; TRUE when any was.
    BOOL UncoverCutRanges(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest);
};

// Where a row (column) index lands when rows nFrom..nTo move to start at nDest.
ROWCOL GXMovedIndex(ROWCOL n, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest);

// A child line window over the grid: a 1-pixel-wide window shows a vertical line, a 1-pixel-high
// one a horizontal line, in the colour given.
class CGXDragLineWnd : public CWnd
{
public:
    explicit CGXDragLineWnd(COLORREF rgbLine);
    // A hidden child at (0, 0, 1, 1) of the window, with the grid's save-bits class.
    BOOL CreateDragLine(CWnd* pParent);
    // The line from the top-left corner of the rectangle to its bottom-right pixel.
    void DrawLine(CDC* pDC, const CRect& rect) const;

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    COLORREF m_rgbLine;
};
