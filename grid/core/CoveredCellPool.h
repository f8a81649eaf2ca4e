// Which covered range holds a cell: the rows are cut into bands at the ranges' top and bottom
// edges, and each band keeps the column extents of the ranges that cross it. Lookup takes
// logarithmic time, and storing a range costs in the number of ranges, never in its cells.
#pragma once

#include <afxcoll.h>

#include <map>

#include <grid/core/AbstractImps.h>

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
    // dropping what the same position held elsewhere in those rows; or, with a null position,
    // clears in each row of the rectangle the cells from left on held by the range there.
    // Refuses (FALSE, nothing written) a rectangle of which any cell another range holds, and
    // answers FALSE when memory runs out.
    virtual BOOL SetSpan(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight, POSITION pos);

    void DeleteAll()
    {
        m_bands.clear();
    }

private:
    struct Extent
    {
        ROWCOL nRight;
        POSITION pos;
        bool operator==(const Extent&) const = default;
    };
    // The extents of one band by their left column.
    using Band = std::map<ROWCOL, Extent>;
    // The bands by their first row; a band reaches to the row before the next one.
    using Bands = std::map<ROWCOL, Band>;

    // The band that starts at the row, cut from the one that held it.
    Bands::iterator CutAt(ROWCOL nRow);
    // Joins the band at the row to the one before when both hold the same.
    void JoinAt(ROWCOL nRow);
    // Joins the bands cut at the top row and after the bottom one where they became needless.
    void JoinCut(ROWCOL nTop, ROWCOL nBottom);
    BOOL Store(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight, POSITION pos);
    BOOL Clear(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom);

    Bands m_bands;
};

class CGXCoveredCellPoolImp : public CGXAbstractCoveredCellPoolImp
{
public:
    CGXCoveredCellPool* CreatePool() override;
    // Fills the pool anew from the list, in list order.
    void InitPool(CGXCoveredCellPool& pool, const CGXRangeList& list) override;
};

void GXInstallCoveredCellPoolImp();
