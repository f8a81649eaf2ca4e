// Sizes by row or column: a map from a row (column) number to a 32-bit value whose keys follow
// the rows (columns) when they are inserted, removed or moved.
#pragma once

#include <grid/core/HashMap.h>

class CGXCollMapDWordToLong : public CGXHashMap<DWORD, LONG, GXHashDWordKey>
{
    DECLARE_SERIAL(CGXCollMapDWordToLong)
public:
    explicit CGXCollMapDWordToLong(INT_PTR nBlockSize = 10);

    // Every key from nFrom on grows by nCount.
    void InsertKeys(DWORD nFrom, DWORD nCount);
    // Keys nFrom..nTo are dropped; the keys above nTo close the gap.
    void RemoveKeys(DWORD nFrom, DWORD nTo);
    // The keys nFrom..nTo move so that the block starts at nDest, as the rows move.
    void MoveKeys(DWORD nFrom, DWORD nTo, DWORD nDest);

private:
    template <class FN> void Renumber(FN newKey);
};
