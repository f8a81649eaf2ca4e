// Copying and moving cells inside one grid through its data object, with undo: the grid's own
// paste of its own cells, which keeps everything a cell holds (formulas included). It keeps the
// destination's styles with the core's CopyStyleRange (the design's CopyStyleArray) and tells the
// floating and merged cells of a change through DelayFloatCells and DelayMergeCells (the design's
// FloatCellsImpNotify and MergeCellsImpNotify).
#pragma once

#include <grid/core/AbstractGridImps.h>

class CGXGridDirectCopyMoveCellsImp : public CGXAbstractGridDirectCopyMoveCellsImp
{
public:
    // StoreCopyCells and StoreMoveCells: the data object's copy and move (TRUE without one).
    BOOL CopyCellsData(CGXGridCore* pGrid, const CGXRange* pRange, ROWCOL nDestRow, ROWCOL nDestCol) override;
    BOOL MoveCellsData(CGXGridCore* pGrid, const CGXRange* pRange, ROWCOL nDestRow, ROWCOL nDestCol,
                       CObject*& pUndoInfo, BOOL bCreateUndoInfo, int nCommandKind) override;
    // Copies the cells to the destination corner; undo restores the destination's former styles.
    // A destination too large for undo asks whether to copy without it.
    BOOL CopyCells(CGXGridCore* pGrid, const CGXRange* pRange, ROWCOL nDestRow, ROWCOL nDestCol, UINT flags) override;
    // Moves the cells; the undo information (in: the cells to put back; consumed on success)
    // lets undo restore the cells the move overwrote. FALSE when the data object refuses, and
    // nothing is recorded then.
    BOOL MoveCells(CGXGridCore* pGrid, const CGXRange* pRange, ROWCOL nDestRow, ROWCOL nDestCol, CObject*& pUndoInfo,
                   UINT flags, int nCommandKind) override;
    // Pastes the ranges of the clipboard range list, packed side by side at the target: moved
    // when a cut is pending, else copied. TRUE (doing nothing) where the direct paste does not
    // apply; FALSE when a block failed.
    BOOL PasteDirect(CGXGridCore* pGrid, const CGXRange& target) override;
};
