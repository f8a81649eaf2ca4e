// A rectangular part of the grid: a block of cells, a band of whole rows, a band of whole
// columns, or the whole table. Row and column numbers are unsigned.
#pragma once

#include <afx.h>

typedef ULONG ROWCOL;

class CGXRange
{
public:
    enum : int
    {
        cells = 0,
        rows = 1,
        cols = 2,
        table = 3
    };

    // Empty: a cells range of zeros, not valid.
    CGXRange() = default;
    CGXRange(const CGXRange&) = default;
    // NULL gives the empty range.
    explicit CGXRange(const CGXRange* pRange);
    CGXRange(ROWCOL nRow, ROWCOL nCol);
    CGXRange(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight);
    CGXRange& operator=(const CGXRange&) = default;

    // Each of these makes a valid range with sorted bounds.
    CGXRange& SetCells(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight);
    CGXRange& SetRows(ROWCOL nFirst, ROWCOL nLast);
    CGXRange& SetCols(ROWCOL nFirst, ROWCOL nLast);
    // The coordinates stay as they are.
    CGXRange& SetTable();

    // Turns any range into a cells range, taking the bounds it lacks from the arguments.
    CGXRange& ExpandRange(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight);

    BOOL IsCells() const
    {
        return type == cells;
    }
    BOOL IsRows() const
    {
        return type == rows;
    }
    BOOL IsCols() const
    {
        return type == cols;
    }
    BOOL IsTable() const
    {
        return type == table;
    }
    BOOL IsValid() const
    {
        return valid != 0;
    }

    BOOL IsCellInRange(ROWCOL nRow, ROWCOL nCol) const;
    // FALSE when not valid.
    BOOL GetFirstCell(ROWCOL& nRow, ROWCOL& nCol) const;

    // Store the intersection (union) of a and b here; return whether it is valid.
    BOOL IntersectRange(const CGXRange& a, const CGXRange& b);
    BOOL UnionRange(const CGXRange& a, const CGXRange& b);

    int type = cells;
    ROWCOL top = 0;
    ROWCOL left = 0;
    ROWCOL bottom = 0;
    ROWCOL right = 0;
    BOOL valid = FALSE;
};

// The four coordinates as 32-bit values, then type and valid as one byte each.
CArchive& AFXAPI operator<<(CArchive& ar, const CGXRange& range);
CArchive& AFXAPI operator>>(CArchive& ar, CGXRange& range);
