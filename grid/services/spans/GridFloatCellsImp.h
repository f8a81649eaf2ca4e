// Floating cells: a text wider than its column is drawn over the empty cells to its right.
// The spans are worked out from the cells (lazily in the delayed mode) and kept in the
// parameter object's float pool; printing uses pools of its own.
#pragma once

#include <grid/core/AbstractGridImps.h>

class CGXDelayedRangePool;
class CGXSpanCellPool;

class CGXGridFloatCellsImp : public CGXAbstractGridFloatCellsImp
{
public:
    // 0 off, 1 delayed, 2 immediate evaluation.
    void SetFloatCellsMode(CGXGridCore* pGrid, WORD wMode, BOOL bRedraw) override;
    void DelayFloatCells(CGXGridCore* pGrid, const CGXRange& range, ROWCOL nMaxCol) override;
    BOOL EvalFloatCells(CGXGridCore* pGrid, const CGXRange& range, CGXRange* pRefresh) override;
    CGXRange* GetFloatedCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange& range) override;
    BOOL CanFloatCellDefault(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                             BOOL bFloatOrFlood) override;
    BOOL CanFloatCell(CGXGridCore* pGrid, CGXControl* pControl, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                      BOOL bFloatOrFlood) override;
    BOOL SetFloatedCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                               UINT flags) override;
    BOOL UpdateFloatedCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                                  UINT flags, BOOL bCreateHint) override;
    void MergeFloatedCells(CGXGridCore* pGrid, CGXRange& range) override;
    BOOL EvalFloatCellsImmediate(CGXGridCore* pGrid, const CGXRange& range, CGXRange* pRefresh) override;
    BOOL EvalFloatCellsDelayed(CGXGridCore* pGrid, const CGXRange& range, CGXRange* pRefresh) override;
    BOOL EvalFloatCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange* pRefresh) override;
    BOOL CalcFloatSpan(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange* pRefresh) override;
    BOOL StoreFloatedCellsRowCol(CGXGridCore* pGrid, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight,
                                 BOOL bSet) override;

private:
    // The pools in use: the print-time ones while the grid prints.
    static CGXSpanCellPool* SpanPool(CGXGridCore* pGrid);
    static CGXDelayedRangePool* DelayedPool(CGXGridCore* pGrid);
    // The range cut to the cells right of the header columns and below the header rows.
    static BOOL BodyOf(CGXGridCore* pGrid, const CGXRange& range, CGXRange& body);
    BOOL EvalRows(CGXGridCore* pGrid, const CGXRange& body, const CDWordArray& starts, const CDWordArray& ends,
                  CGXRange* pRefresh);
};
