// Hidden rows and columns: one bit per row (column) in the parameter object, so that every view
// of a grid hides the same ones; hiding repaints, tells the other views and records undo.
#pragma once

#include <grid/core/AbstractGridImps.h>

class CGXGridHideCellsImp : public CGXAbstractGridHideCellsImp
{
public:
    void RemoveHiddenRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo) override;
    void RemoveHiddenCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo) override;
    void InsertHiddenRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nCount) override;
    void InsertHiddenCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nCount) override;
    void MoveHiddenRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest) override;
    void MoveHiddenCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest) override;
    // Refuses a first index past the row count; a last index past it stops at the count.
    BOOL HideRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, BOOL bHide, CByteArray* pStates, UINT flags,
                  int nCommandKind) override;
    BOOL IsRowHidden(CGXGridCore* pGrid, ROWCOL nRow) override;
    BOOL StoreHideRow(CGXGridCore* pGrid, ROWCOL nRow, BOOL bHide) override;
    BOOL HideCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, BOOL bHide, CByteArray* pStates, UINT flags,
                  int nCommandKind) override;
    BOOL IsColHidden(CGXGridCore* pGrid, ROWCOL nCol) override;
    BOOL StoreHideCol(CGXGridCore* pGrid, ROWCOL nCol, BOOL bHide) override;

    // The bit set itself: bit n & 7 of byte n >> 3; bytes past the end and byte indexes from
    // 0x7FFFFFFF on read as clear.
    static BOOL IsBitSet(const CByteArray& bits, ROWCOL n);
    // Grows the array to the bit's byte, new bytes clear.
    static void SetBit(CByteArray& bits, ROWCOL n, BOOL bSet);
    // Clear bits nCount at nFrom, the following bits move up; nothing when nFrom lies past the
    // array or nCount is 0.
    static void InsertBits(CByteArray& bits, ROWCOL nFrom, ROWCOL nCount);
    // Bits nFrom..nTo go, the following move down; trailing clear bytes are cut off.
    static void RemoveBits(CByteArray& bits, ROWCOL nFrom, ROWCOL nTo);
    // Bits nFrom..nTo move so that they start at nDest.
    static void MoveBits(CByteArray& bits, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest);

private:
    BOOL Hide(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nTo, BOOL bHide, const CByteArray* pStates,
              UINT flags, int nCommandKind);
    BOOL IsHidden(CGXGridCore* pGrid, BOOL bRows, ROWCOL n);
};
