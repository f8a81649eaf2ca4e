// Merged cells: neighbouring cells with equal contents or styles drawn as one, across columns
// and across rows. The spans are worked out from the cells and kept in the parameter object's
// span pools; in the delayed mode only for the rows about to be drawn.
#pragma once

#include <grid/core/AbstractGridImps.h>

#include <unordered_map>

class CGXSpanCellPool;

class CGXGridMergeCellsImp : public CGXAbstractGridMergeCellsImp
{
public:
    // Mode word: bits 0-1 off (0), delayed (1) or immediate (2), 3 refused; 4 no merging
    // across rows, 8 none across columns, 16 hidden rows and columns take part.
    void SetMergeCellsMode(CGXGridCore* pGrid, WORD wMode, BOOL bRedraw) override;
    void DelayMergeCells(CGXGridCore* pGrid, const CGXRange& range, ROWCOL nMaxRow, ROWCOL nMaxCol) override;
    BOOL EvalMergeCells(CGXGridCore* pGrid, const CGXRange& range, CGXRange* pRefresh) override;
    CGXRange* GetMergedCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange& range,
                                   int nDirection) override;
    BOOL CanMergeCell(CGXGridCore* pGrid, CGXControl* pControl, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                      int nDirection) override;
    BOOL CanMergeCells(CGXGridCore* pGrid, const CGXStyle& style1, const CGXStyle& style2) override;
    BOOL SetMergedCellsRowCol(CGXGridCore* pGrid, int nDirection, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow,
                              ROWCOL nToCol, UINT flags) override;
    BOOL UpdateMergedCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                                 UINT flags, BOOL bCreateHint) override;
    void MergeMergedCells(CGXGridCore* pGrid, CGXRange& range) override;
    BOOL EvalMergeCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange* pRefresh) override;

    ~CGXGridMergeCellsImp() override;

private:
    BOOL EvalAround(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange* pRefresh);
    // The pair (row, a)-(row, b) across columns (direction 0) or (a, col)-(b, col) across rows.
    BOOL EvalPair(CGXGridCore* pGrid, int nDirection, ROWCOL nLine, ROWCOL a, ROWCOL b, CGXRange* pRefresh);
    // One direction around a cell: the pair with the neighbour before (after) it, skipping
    // hidden lines with bit 16, and with bContinue the pairs beyond the stored span's edge.
    BOOL EvalBefore(CGXGridCore* pGrid, int nDirection, ROWCOL nLine, ROWCOL n, CGXRange* pRefresh);
    BOOL EvalAfter(CGXGridCore* pGrid, int nDirection, ROWCOL nLine, ROWCOL n, BOOL bContinue, CGXRange* pRefresh);
    const CGXStyle& StyleOf(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol);
    void FreeStyles(CGXGridCore* pGrid);
    static CGXSpanCellPool* PoolOf(CGXGridCore* pGrid, int nDirection);

    // The composed styles of the cells met while one row is evaluated.
    std::unordered_map<ULONGLONG, CGXStyle*> m_styles;
};
