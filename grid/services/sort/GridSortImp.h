// Sorting the rows of a range by key columns, or its columns by key rows: every key is read as
// the text its cell shows, converted once (text, number, absolute number or date; an automatic
// key decides by its values), the records are ordered, and the data object's rows (columns)
// are moved into the order with an undo command that puts them back.
#pragma once

#include <grid/core/AbstractGridImps.h>
#include <grid/core/AbstractImps.h>

class CGXGridSortImp : public CGXAbstractGridSortImp
{
public:
    void QuickSort(CGXGridCore* pGrid, const CGXSortInfoArray& sortInfo, CPtrArray& records) override;
    // An abort while the keys are read ends the sort with nothing moved.
    void SortRows(CGXGridCore* pGrid, const CGXRange* pRange, CGXSortInfoArray& sortInfo, UINT flags) override;
    // FALSE, recording nothing, when the data object refuses the move.
    BOOL MoveDataRows(CGXGridCore* pGrid, const CGXRange& range, const CDWordArray& order, UINT flags,
                      int nCommandKind) override;
    BOOL MoveDataRowsInData(CGXGridCore* pGrid, const CGXRange& range, const CDWordArray& order) override;
    void OnMovedDataRows(CGXGridCore* pGrid, const CGXRange& range, UINT flags, BOOL bHint) override;
    void GetSortKeyRow(CGXGridCore* pGrid, ROWCOL nRow, const CGXSortInfoArray& sortInfo,
                       CStringArray& keys) override;
    void SortCols(CGXGridCore* pGrid, const CGXRange* pRange, CGXSortInfoArray& sortInfo, UINT flags) override;
    BOOL MoveDataCols(CGXGridCore* pGrid, const CGXRange& range, const CDWordArray& order, UINT flags,
                      int nCommandKind) override;
    BOOL MoveDataColsInData(CGXGridCore* pGrid, const CGXRange& range, const CDWordArray& order) override;
    void OnMovedDataCols(CGXGridCore* pGrid, const CGXRange& range, UINT flags, BOOL bHint) override;
    void GetSortKeyCol(CGXGridCore* pGrid, ROWCOL nCol, const CGXSortInfoArray& sortInfo,
                       CStringArray& keys) override;
    BOOL SortOnHeaderDblClk(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol) override;

private:
    static void Sort(CGXGridCore* pGrid, BOOL bRows, const CGXRange* pRange, CGXSortInfoArray& sortInfo, UINT flags);
    static BOOL MoveData(CGXGridCore* pGrid, BOOL bRows, const CGXRange& range, const CDWordArray& order, UINT flags,
                         int nCommandKind);
    static void GetSortKeys(CGXGridCore* pGrid, BOOL bRows, ROWCOL nIndex, const CGXSortInfoArray& sortInfo,
                            CStringArray& keys);
};

// Reorders the storage of the data object: the cell rows (or the cells inside every row) and
// the base styles of the rows (columns) of the range.
class CGXGridSortMoveDataImp : public CGXAbstractGridSortMoveDataImp
{
public:
    BOOL MoveDataRows(CGXData* pData, const CGXRange& range, const CDWordArray& order) override;
    BOOL MoveDataCols(CGXData* pData, const CGXRange& range, const CDWordArray& order) override;
};

void GXInstallGridSortMoveDataImp();
