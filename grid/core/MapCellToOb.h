// Objects by cell: the grid's cache of composed styles. The key is (row, column).
#pragma once

#include <grid/core/HashMap.h>

// The column's low bits above the row's block of 16, so that a screen of cells spreads.
inline UINT GXHashCellKey(const GXDWORDPAIR& cell)
{
    return ((cell.nSecond & 0xFFFF) << 12) | ((cell.nFirst >> 4) & 0xFFF);
}

class CGXMapCellToOb : public CGXHashMap<GXDWORDPAIR, CObject*, GXHashCellKey>
{
    DECLARE_SERIAL(CGXMapCellToOb)
public:
    explicit CGXMapCellToOb(INT_PTR nBlockSize = 10);
};
