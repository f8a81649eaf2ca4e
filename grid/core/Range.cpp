#include <grid/core/Range.h>

#include <algorithm>

CGXRange::CGXRange(const CGXRange* pRange)
{
    if (pRange != nullptr)
        *this = *pRange;
}

CGXRange::CGXRange(ROWCOL nRow, ROWCOL nCol)
{
    SetCells(nRow, nCol, nRow, nCol);
}

CGXRange::CGXRange(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight)
{
    SetCells(nTop, nLeft, nBottom, nRight);
}

CGXRange& CGXRange::SetCells(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight)
{
    type = cells;
    top = std::min(nTop, nBottom);
    bottom = std::max(nTop, nBottom);
    left = std::min(nLeft, nRight);
    right = std::max(nLeft, nRight);
    valid = TRUE;
    return *this;
}

CGXRange& CGXRange::SetRows(ROWCOL nFirst, ROWCOL nLast)
{
    type = rows;
    top = std::min(nFirst, nLast);
    bottom = std::max(nFirst, nLast);
    left = right = 0;
    valid = TRUE;
    return *this;
}

CGXRange& CGXRange::SetCols(ROWCOL nFirst, ROWCOL nLast)
{
    type = cols;
    left = std::min(nFirst, nLast);
    right = std::max(nFirst, nLast);
    top = bottom = 0;
    valid = TRUE;
    return *this;
}

CGXRange& CGXRange::SetTable()
{
    type = table;
    valid = TRUE;
    return *this;
}

CGXRange& CGXRange::ExpandRange(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight)
{
    if (type == rows || type == table)
    {
        left = nLeft;
        right = nRight;
    }
    if (type == cols || type == table)
    {
        top = nTop;
        bottom = nBottom;
    }
    type = cells;
    return *this;
}

BOOL CGXRange::IsCellInRange(ROWCOL nRow, ROWCOL nCol) const
{
    if (!valid)
        return FALSE;
    const bool bInRows = nRow >= top && nRow <= bottom;
    const bool bInCols = nCol >= left && nCol <= right;
    switch (type)
    {
    case table:
        return TRUE;
    case rows:
        return bInRows;
    case cols:
        return bInCols;
    default:
        return bInRows && bInCols;
    }
}

BOOL CGXRange::GetFirstCell(ROWCOL& nRow, ROWCOL& nCol) const
{
    if (!valid)
        return FALSE;
    nRow = top;
    nCol = left;
    return TRUE;
}

BOOL CGXRange::IntersectRange(const CGXRange& a0, const CGXRange& b0)
{
    // This range may be one of the two.
    const CGXRange a(a0);
    const CGXRange b(b0);

    if (a.type == table || b.type == table)
    {
        *this = a.type == table ? b : a;
        valid = TRUE;
        return valid;
    }
    if ((a.type == rows && b.type == cols) || (a.type == cols && b.type == rows))
    {
        const CGXRange& r = a.type == rows ? a : b;
        const CGXRange& c = a.type == cols ? a : b;
        SetCells(r.top, c.left, r.bottom, c.right);
        return valid;
    }
    if (a.type == cols || b.type == cols)
    {
        const CGXRange& other = a.type != cols ? a : b;
        const ROWCOL nLeft = std::max(a.left, b.left);
        const ROWCOL nRight = std::min(a.right, b.right);
        type = other.type;
        top = other.top;
        bottom = other.bottom;
        left = nLeft;
        right = nRight;
        valid = left <= right;
        return valid;
    }
    if (a.type == rows || b.type == rows)
    {
        const CGXRange& other = a.type != rows ? a : b;
        const ROWCOL nTop = std::max(a.top, b.top);
        const ROWCOL nBottom = std::min(a.bottom, b.bottom);
        type = other.type;
        left = other.left;
        right = other.right;
        top = nTop;
        bottom = nBottom;
        valid = top <= bottom;
        return valid;
    }
    type = cells;
    top = std::max(a.top, b.top);
    left = std::max(a.left, b.left);
    bottom = std::min(a.bottom, b.bottom);
    right = std::min(a.right, b.right);
    valid = top <= bottom && left <= right;
    return valid;
}

BOOL CGXRange::UnionRange(const CGXRange& a0, const CGXRange& b0)
{
    const CGXRange a(a0);
    const CGXRange b(b0);

    if (a.type == table || b.type == table || (a.type == rows && b.type == cols) || (a.type == cols && b.type == rows))
        SetTable();
    else if (a.type == cols || b.type == cols)
        SetCols(std::min(a.left, b.left), std::max(a.right, b.right));
    else if (a.type != rows && b.type != rows)
        SetCells(std::min(a.top, b.top), std::min(a.left, b.left), std::max(a.bottom, b.bottom),
                 std::max(a.right, b.right));
    else
        SetRows(std::min(a.top, b.top), std::max(a.bottom, b.bottom));
    return valid;
}

CArchive& AFXAPI operator<<(CArchive& ar, const CGXRange& range)
{
    ar << static_cast<DWORD>(range.top) << static_cast<DWORD>(range.left) << static_cast<DWORD>(range.bottom)
       << static_cast<DWORD>(range.right);
    ar << static_cast<BYTE>(range.type) << static_cast<BYTE>(range.valid ? 1 : 0);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CGXRange& range)
{
    DWORD dwTop, dwLeft, dwBottom, dwRight;
    BYTE nType, nValid;
    ar >> dwTop >> dwLeft >> dwBottom >> dwRight >> nType >> nValid;
    range.top = dwTop;
    range.left = dwLeft;
    range.bottom = dwBottom;
    range.right = dwRight;
    range.type = nType & 3;
    range.valid = nValid != 0;
    return ar;
}
