// Which covered range holds a cell, found in constant time: per row an array of the list
// positions of the covered ranges, by column.
#pragma once

#include <afxcoll.h>

#include <grid/core/AbstractImps.h>
#include <grid/core/PtrArrayPtrArray.h>

class CGXRangeList;

class CGXCoveredCellPool : public CObject
{
    DECLARE_DYNCREATE(CGXCoveredCellPool)
public:
    CGXCoveredCellPool() = default;
    CGXCoveredCellPool(const CGXCoveredCellPool&) = delete;

    // The position of the covered range that holds the cell, or null.
    virtual POSITION Lookup(ROWCOL nRow, ROWCOL nCol) const;
    // Stores the position in every cell of the rectangle (a one-cell rectangle stores nothing),
    // or, with a null position, clears the cells held by the range at (row, left). Refuses
    // (FALSE, nothing written) a rectangle of which any cell another range holds.
    virtual BOOL SetSpan(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight, POSITION pos);

    void DeleteAll()
    {
        m_rows.DeleteAll();
    }

private:
    CGXPtrArrayPtrArray m_rows;
};

class CGXCoveredCellPoolImp : public CGXAbstractCoveredCellPoolImp
{
public:
    CGXCoveredCellPool* CreatePool() override;
    // Fills the pool anew from the list, in list order.
    void InitPool(CGXCoveredCellPool& pool, const CGXRangeList& list) override;
};

void GXInstallCoveredCellPoolImp();
