// The cache of merged and floating spans: per cell, the row (column) where the span over
// rows (columns) that holds it starts. Evaluation fills it; inserted, removed and moved rows
// and columns keep it in step until the changed area is evaluated anew.
#pragma once

#include <afxcoll.h>

#include <grid/core/AbstractImps.h>
#include <grid/core/Range.h>

// A pointer array of owned 32-bit value arrays. Clearing and destroying delete the inner
// arrays; assignment copies them deeply (an empty slot becomes an empty array).
class CGXDWordArrayPtrArray : public CPtrArray
{
    DECLARE_DYNAMIC(CGXDWordArrayPtrArray)
public:
    CGXDWordArrayPtrArray() = default;
    CGXDWordArrayPtrArray(const CGXDWordArrayPtrArray&) = delete;
    ~CGXDWordArrayPtrArray() override;
    CGXDWordArrayPtrArray& operator=(const CGXDWordArrayPtrArray& source);

    void DeleteAll();
    // The inner array at nIndex, or null (also beyond the end).
    CDWordArray* GetArray(INT_PTR nIndex) const
    {
        return nIndex < GetSize() ? static_cast<CDWordArray*>(GetAt(nIndex)) : nullptr;
    }
    // The inner array at nIndex, made (and the outer array grown) when missing.
    CDWordArray& EnsureArray(INT_PTR nIndex);

    // Version 1, then the slots as a sparse array of inner arrays. Loading an index beyond the
    // count throws CArchiveException (bad index), keeping what was read before; another version
    // throws CArchiveException (bad schema).
    void Serialize(CArchive& ar) override;
};

// 0xFFFFFFFF in a slot: the cell belongs to no span in that direction.
constexpr DWORD GX_NOSPAN = 0xFFFFFFFF;

class CGXSpanCellPool : public CObject
{
    DECLARE_SERIAL(CGXSpanCellPool)
public:
    CGXSpanCellPool() = default;
    CGXSpanCellPool(const CGXSpanCellPool&) = delete;

    // rowSpans, then colSpans. Loading refuses a slot whose span starts after it or leaves a gap
    // before it with CArchiveException (bad index).
    void Serialize(CArchive& ar) override;

    // The span that holds the cell: left and right from the span over columns, top and bottom
    // from the span over rows; a direction without a span leaves its fields as the caller set
    // them. TRUE when either direction has a span.
    virtual BOOL GetSpan(ROWCOL nRow, ROWCOL nCol, CGXRange& range) const;
    // Stores (bSet) or clears the rectangle in both directions; a direction one cell wide
    // stores nothing. TRUE when either direction changed.
    virtual BOOL SetSpan(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight, BOOL bSet);
    // Keep the stored spans with their cells; start values are not renumbered, the changed
    // area is evaluated anew. Inserted cells belong to no span. nDest is where the first moved
    // row (column) ends up.
    virtual BOOL InsertRows(ROWCOL nFirst, ROWCOL nCount);
    virtual BOOL RemoveRows(ROWCOL nFirst, ROWCOL nLast);
    virtual BOOL MoveRows(ROWCOL nFirst, ROWCOL nLast, ROWCOL nDest);
    virtual BOOL InsertCols(ROWCOL nFirst, ROWCOL nCount);
    virtual BOOL RemoveCols(ROWCOL nFirst, ROWCOL nLast);
    virtual BOOL MoveCols(ROWCOL nFirst, ROWCOL nLast, ROWCOL nDest);
    virtual CGXSpanCellPool& operator=(const CGXSpanCellPool& source);

private:
    BOOL IsEmpty() const;
    // The changes along one axis: outer is indexed by that axis, inner crosses it.
    BOOL InsertAlong(CGXDWordArrayPtrArray& outer, CGXDWordArrayPtrArray& inner, ROWCOL nFirst, ROWCOL nCount);
    BOOL RemoveAlong(CGXDWordArrayPtrArray& outer, CGXDWordArrayPtrArray& inner, ROWCOL nFirst, ROWCOL nLast);
    BOOL MoveAlong(CGXDWordArrayPtrArray& outer, CGXDWordArrayPtrArray& inner, ROWCOL nFirst, ROWCOL nLast,
                   ROWCOL nDest);

    // Indexed by column, then row: the first row of the span over rows.
    CGXDWordArrayPtrArray m_colSpans;
    // Indexed by row, then column: the first column of the span over columns.
    CGXDWordArrayPtrArray m_rowSpans;
};

class CGXSpanCellPoolImp : public CGXAbstractSpanCellPoolImp
{
public:
    CGXSpanCellPool* CreatePoolCopy(const CGXSpanCellPool& source) override;
    CGXSpanCellPool* CreatePool() override;
    void AssignPool(CGXSpanCellPool& target, const CGXSpanCellPool& source) override;
    // A null pool is left alone.
    void InsertRows(CGXSpanCellPool* pPool, ROWCOL nFirst, ROWCOL nCount) override;
    void RemoveRows(CGXSpanCellPool* pPool, ROWCOL nFirst, ROWCOL nLast) override;
    void MoveRows(CGXSpanCellPool* pPool, ROWCOL nFirst, ROWCOL nLast, ROWCOL nDest) override;
    void InsertCols(CGXSpanCellPool* pPool, ROWCOL nFirst, ROWCOL nCount) override;
    void RemoveCols(CGXSpanCellPool* pPool, ROWCOL nFirst, ROWCOL nLast) override;
    void MoveCols(CGXSpanCellPool* pPool, ROWCOL nFirst, ROWCOL nLast, ROWCOL nDest) override;
};

void GXInstallSpanCellPoolImp();
