// Clearing the values or the styles of cells: the selection, a list of ranges as one undo block,
// or one range together with the base styles of the whole rows (columns) it clears.
#pragma once

#include <grid/core/AbstractGridImps.h>

struct GXLongOperationRecord;

class CGXGridClearCellsImp : public CGXAbstractGridClearCellsImp
{
public:
    // FALSE while the grid is read-only; else whether cells are selected or a current cell
    // exists.
    BOOL CanClearCells(CGXGridCore* pGrid) override;
    // The selected ranges, or the current cell when nothing is selected.
    BOOL ClearSelection(CGXGridCore* pGrid, BOOL bStyles) override;
    // Each cell of the list once, even where ranges overlap; cells whose value is already
    // empty are left alone. A refused store or an abort ends the clearing with FALSE: what was
    // cleared stays as one undo step, or is undone when the abort asked for a rollback.
    BOOL ClearCells(CGXGridCore* pGrid, const CGXRangeList& list, BOOL bStyles) override;
    BOOL ClearRange(CGXGridCore* pGrid, const CGXRange& range, BOOL bStyles) override;

private:
    static BOOL ClearBand(CGXGridCore* pGrid, const CGXRange& band, BOOL bStyles, GXLongOperationRecord* pRecord);
    static BOOL ClearCellValue(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol);
};
