// Drawing covered, merged and floating cells: the cells of a span are marked in the pass's
// table and the span's first drawn cell draws the anchor once over the whole span.
#pragma once

#include <grid/core/AbstractGridImps.h>

class CGXDrawSpannedCellsImp : public CGXAbstractDrawSpannedCellsImp
{
public:
    int PrepareSpannedCell(CGXGridCore* pGrid, DrawStruct& ds, unsigned i, unsigned j) override;
    int DrawSpannedCell(CGXGridCore* pGrid, DrawStruct& ds, unsigned i, unsigned j) override;
    BOOL GetSpannedRangeFlags(CGXGridCore* pGrid, const CGXRange& range, ROWCOL nFrozenRows, ROWCOL nFrozenCols,
                              ROWCOL nTopRow, ROWCOL nLeftCol, ROWCOL nBottomRow, ROWCOL nRightCol,
                              CGXRange* pRefresh) override;
};
