// An ordered list of owned ranges: the grid's selection, covered and merged cells and pending
// updates, adjusted when rows or columns are inserted, removed or moved.
#pragma once

#include <afxcoll.h>

#include <grid/core/Range.h>

class CGXRangeList : public CPtrList
{
    DECLARE_SERIAL(CGXRangeList)
public:
    CGXRangeList();
    CGXRangeList(const CGXRangeList&) = delete;
    ~CGXRangeList() override;

    // Storing drops the invalid ranges first; loading appends. Version 1.
    void Serialize(CArchive& ar) override;
    // Copies the valid ranges of the other list; each copy goes to the head, so the order is
    // reversed.
    virtual CGXRangeList& operator=(const CGXRangeList& other);

    CGXRange* GetNextRange(POSITION& pos) const
    {
        return static_cast<CGXRange*>(GetNext(pos));
    }
    CGXRange* GetRangeAt(POSITION pos) const
    {
        return static_cast<CGXRange*>(GetAt(pos));
    }
    CGXRange* GetHeadRange() const
    {
        return static_cast<CGXRange*>(GetHead());
    }
    CGXRange* GetTailRange() const
    {
        return static_cast<CGXRange*>(GetTail());
    }

    // Whether any range holds the cell, leaving out the one at posSkip (may be NULL).
    BOOL IsCellInList(ROWCOL nRow, ROWCOL nCol, POSITION posSkip = nullptr) const;
    // The first range that holds the cell, or NULL.
    POSITION FindRange(ROWCOL nRow, ROWCOL nCol) const;

    void DeleteAll();
    // NULL throws CInvalidArgException.
    void DeleteAt(POSITION pos);
    void DeleteInvalidRanges();

    void InsertRows(ROWCOL nAt, ROWCOL nCount);
    void InsertCols(ROWCOL nAt, ROWCOL nCount);
    void RemoveRows(ROWCOL nFirst, ROWCOL nLast, ROWCOL nNewCount);
    void RemoveCols(ROWCOL nFirst, ROWCOL nLast, ROWCOL nNewCount);
    // nDest is where the first moved row (column) ends up.
    void MoveRows(ROWCOL nFirst, ROWCOL nLast, ROWCOL nDest, ROWCOL nMaxRow);
    void MoveCols(ROWCOL nFirst, ROWCOL nLast, ROWCOL nDest, ROWCOL nMaxCol);

    BOOL IsAnyCellFromRow(ROWCOL nRow) const;
    BOOL IsAnyCellFromCol(ROWCOL nCol) const;

    // The selected rows (columns) as sorted, disjoint intervals; TRUE when any range gave one.
    BOOL GetRowArray(ROWCOL nRowCount, CDWordArray& awStarts, CDWordArray& awEnds, BOOL bWholeRowsOnly) const;
    BOOL GetColArray(ROWCOL nColCount, CDWordArray& awStarts, CDWordArray& awEnds, BOOL bWholeColsOnly) const;
};
