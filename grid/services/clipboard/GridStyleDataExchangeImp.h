// Cells with their whole styles as an archive stream: the row count and the column count (32
// bits each), then an object array of one style per cell, row by row, a null object where a
// cell has no style. Base styles travel by name through the grid's styles map.
#pragma once

#include <grid/core/AbstractGridImps.h>

class CGXGridStyleDataExchangeImp : public CGXAbstractGridStyleDataExchangeImp
{
public:
    // Clipboard flag 0x0800 reads each cell's own style with the grid's type word. 32768 rows
    // or columns, or 0x3FFFFFFF cells, are too many: "Range too big." and FALSE. FALSE too when
    // the user aborted.
    BOOL CopyStyles(CGXGridCore* pGrid, CArchive& ar, const CGXRangeList& list, BOOL bComposed) override;
    // With bComposed the cell's composed style (TRUE); else its own style, TRUE when it has one.
    BOOL GetCellStyleForCopy(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXStyle& style, BOOL bComposed) override;
    // Pastes the block from the target's top-left cell in one undo block "Paste.", growing
    // the grid unless the clipboard flags 0x0200 and 0x0400 forbid it (then the block is
    // clipped). The stream is checked whole before anything changes: a damaged or foreign one,
    // a refused store, an abort or a top-left cell outside the grid change nothing and answer
    // FALSE.
    BOOL PasteStyles(CGXGridCore* pGrid, CArchive& ar, const CGXRange& target, BOOL bNoSizeCheck) override;
};

// Whether a block of nRows × nCols cells is within the limits of a styles copy: fewer than 32768
// rows and columns and fewer than 0x3FFFFFFF cells.
BOOL GXIsCopyableSize(ULONGLONG nRows, ULONGLONG nCols);
