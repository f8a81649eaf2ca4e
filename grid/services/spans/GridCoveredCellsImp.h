// Covered cells: one cell (the top-left) takes the place of a rectangle of cells. The ranges
// live in the parameter object's list, found by cell through its covered-cell pool.
#pragma once

#include <grid/core/AbstractGridImps.h>

class CGXGridCoveredCellsImp : public CGXAbstractGridCoveredCellsImp
{
public:
    // The full change: store, re-evaluate the spans around it, redraw, hint and undo.
    // toRow = row and toCol = col removes the covering that starts at (row, col).
    BOOL SetCoveredCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                               UINT flags, int nCommandKind) override;
    CGXRange* GetCoveredCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange& range) override;
    // Changes the stored ranges only. Refuses reversed or out-of-range rectangles, a read-only
    // grid, and a covering that would intersect another one (one starting at the same cell is
    // replaced).
    BOOL StoreCoveredCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                                 BOOL bSet) override;
    BOOL UpdateCoveredCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                                  UINT flags, BOOL bCreateHint) override;
    // Widens the range until no covered range sticks out of it.
    void MergeCoveredCells(CGXGridCore* pGrid, CGXRange& range) override;
    BOOL AdjustCoveredCellsOnRemoveRows(CGXGridCore* pGrid, ROWCOL nFirst, ROWCOL nLast, UINT& flags,
                                        BOOL bSkip) override;
    BOOL AdjustCoveredCellsOnRemoveCols(CGXGridCore* pGrid, ROWCOL nFirst, ROWCOL nLast, UINT& flags,
                                        BOOL bSkip) override;

private:
    BOOL AdjustOnRemove(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFirst, ROWCOL nLast, UINT& flags, BOOL bSkip);
};
