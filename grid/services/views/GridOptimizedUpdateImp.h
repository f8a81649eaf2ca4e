// The repaint after rows or columns were inserted, removed, hidden or shown: what lies after the
// change is scrolled by its size and only the uncovered strip is repainted; a change above the
// view keeps the picture by moving the top row (left column).
#pragma once

#include <grid/core/AbstractGridImps.h>

class CGXGridOptimizedUpdateImp : public CGXAbstractGridOptimizedUpdateImp
{
public:
    void UpdateInsertRows(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCount, UINT& flags) override;
    void UpdateInsertCols(CGXGridCore* pGrid, ROWCOL nCol, ROWCOL nCount, UINT& flags) override;
    void UpdateRemoveRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, const int* pOldHeights, UINT& flags) override;
    void UpdateRemoveCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, const int* pOldWidths, UINT& flags) override;
    void UpdateHideRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, const int* pOldHeights, UINT& flags) override;
    void UpdateHideCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, const int* pOldWidths, UINT& flags) override;

private:
    enum class Change
    {
        insert,
        remove,
        hide
    };
    void Update(CGXGridCore* pGrid, BOOL bRows, Change change, ROWCOL nFrom, ROWCOL nTo, const int* pOldSizes,
                UINT& flags);
};
