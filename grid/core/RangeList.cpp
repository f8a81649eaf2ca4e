#include <grid/core/RangeList.h>

#include <algorithm>
#include <memory>

IMPLEMENT_SERIAL(CGXRangeList, CPtrList, 0)

namespace
{
// The row and column twins of every operation differ only in the coordinates they read.
struct Axis
{
    ROWCOL CGXRange::*pFirst;
    ROWCOL CGXRange::*pLast;
    int nBandType;  // whole rows (columns) along this axis
    int nCrossType; // whole columns (rows): every row (column) of the axis
};

constexpr Axis rowAxis{&CGXRange::top, &CGXRange::bottom, CGXRange::rows, CGXRange::cols};
constexpr Axis colAxis{&CGXRange::left, &CGXRange::right, CGXRange::cols, CGXRange::rows};

constexpr WORD wVersion = 1;
} // namespace

CGXRangeList::CGXRangeList() : CPtrList(10)
{
}

CGXRangeList::~CGXRangeList()
{
    DeleteAll();
}

void CGXRangeList::DeleteAll()
{
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
        delete GetNextRange(pos);
    RemoveAll();
}

void CGXRangeList::DeleteAt(POSITION pos)
{
    if (pos == nullptr)
        AfxThrowInvalidArgException();
    delete GetRangeAt(pos);
    RemoveAt(pos);
}

void CGXRangeList::DeleteInvalidRanges()
{
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
    {
        const POSITION posThis = pos;
        if (!GetNextRange(pos)->IsValid())
            DeleteAt(posThis);
    }
}

CGXRangeList& CGXRangeList::operator=(const CGXRangeList& other)
{
    if (&other == this)
        return *this;
    DeleteAll();
    for (POSITION pos = other.GetHeadPosition(); pos != nullptr;)
    {
        const CGXRange* pRange = other.GetNextRange(pos);
        if (pRange->IsValid())
            AddHead(new CGXRange(*pRange));
    }
    return *this;
}

BOOL CGXRangeList::IsCellInList(ROWCOL nRow, ROWCOL nCol, POSITION posSkip) const
{
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
    {
        const POSITION posThis = pos;
        if (GetNextRange(pos)->IsCellInRange(nRow, nCol) && posThis != posSkip)
            return TRUE;
    }
    return FALSE;
}

POSITION CGXRangeList::FindRange(ROWCOL nRow, ROWCOL nCol) const
{
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
    {
        const POSITION posThis = pos;
        if (GetNextRange(pos)->IsCellInRange(nRow, nCol))
            return posThis;
    }
    return nullptr;
}

namespace
{
void InsertAlong(const CGXRangeList& list, const Axis& axis, ROWCOL nAt, ROWCOL nCount)
{
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
    {
        CGXRange& r = *list.GetNextRange(pos);
        if (r.*axis.pFirst >= nAt)
            r.*axis.pFirst += nCount;
        if (r.*axis.pLast >= nAt)
            r.*axis.pLast += nCount;
    }
}

void RemoveAlong(const CGXRangeList& list, const Axis& axis, ROWCOL nFirst, ROWCOL nLast, ROWCOL nNewCount)
{
    const ROWCOL n = nLast - nFirst + 1;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
    {
        CGXRange& r = *list.GetNextRange(pos);
        if (!r.IsValid())
            continue;
        ROWCOL& first = r.*axis.pFirst;
        ROWCOL& last = r.*axis.pLast;
        if (first >= nFirst && last <= nLast)
        {
            r.valid = FALSE;
        }
        else
        {
            if (first >= nFirst)
                first = std::max(std::max(first, nLast) - n, nFirst);
            if (last >= nFirst)
                last = std::max(last, nLast) - n;
            r.valid = last >= first;
        }
        last = std::min(last, nNewCount);
    }
}

void MoveAlong(const CGXRangeList& list, const Axis& axis, ROWCOL nFirst, ROWCOL nLast, ROWCOL nDest, ROWCOL nMax)
{
    const ROWCOL n = nLast - nFirst + 1;
    const ROWCOL d = nDest > nFirst ? nDest + n : nDest;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
    {
        CGXRange& r = *list.GetNextRange(pos);
        ROWCOL& first = r.*axis.pFirst;
        ROWCOL& last = r.*axis.pLast;
        const ROWCOL t = first;
        // Unsigned arithmetic wraps, so a move up adds the two's complement.
        ROWCOL nDelta = 0;
        if (t >= nFirst && t <= nLast && (nLast < d || d < nFirst))
            nDelta = nDest - nFirst;
        else if (t > nLast && t < d)
            nDelta = 0 - n;
        else if (t < nFirst && t >= d)
            nDelta = n;
        first += nDelta;
        last = std::min<ROWCOL>(last + nDelta, nMax);
    }
}

BOOL IsAnyCellAlong(const CGXRangeList& list, const Axis& axis, ROWCOL nIndex)
{
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
    {
        const CGXRange& r = *list.GetNextRange(pos);
        if (!r.IsValid())
            continue;
        if (r.type == axis.nCrossType || r.type == CGXRange::table ||
            (nIndex >= r.*axis.pFirst && nIndex <= r.*axis.pLast))
            return TRUE;
    }
    return FALSE;
}

// Widens the first interval that the new one overlaps, else inserts it in order.
void MergeInterval(CDWordArray& awStarts, CDWordArray& awEnds, DWORD dwStart, DWORD dwEnd)
{
    for (INT_PTR i = 0; i < awStarts.GetSize(); ++i)
    {
        if (dwStart <= awEnds[i] && awStarts[i] <= dwEnd)
        {
            awStarts[i] = std::min(awStarts[i], dwStart);
            awEnds[i] = std::max(awEnds[i], dwEnd);
            return;
        }
    }
    INT_PTR i = 0;
    while (i < awStarts.GetSize() && awStarts[i] <= dwStart)
        ++i;
    awStarts.InsertAt(i, dwStart);
    awEnds.InsertAt(i, dwEnd);
}

BOOL GetIntervalsAlong(const CGXRangeList& list, const Axis& axis, ROWCOL nCount, CDWordArray& awStarts,
                       CDWordArray& awEnds, BOOL bWholeOnly)
{
    awStarts.RemoveAll();
    awEnds.RemoveAll();
    BOOL bAny = FALSE;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
    {
        const CGXRange& r = *list.GetNextRange(pos);
        if (!r.IsValid() || (bWholeOnly && r.type != axis.nBandType && r.type != CGXRange::table))
            continue;
        const bool bWhole = r.type == axis.nCrossType || r.type == CGXRange::table;
        MergeInterval(awStarts, awEnds, r.*axis.pFirst, bWhole ? nCount : r.*axis.pLast);
        bAny = TRUE;
    }
    // Widening may have made neighbours touch: join them.
    for (INT_PTR i = 0; i + 1 < awStarts.GetSize();)
    {
        if (static_cast<ULONGLONG>(awEnds[i]) + 1 >= awStarts[i + 1])
        {
            awEnds[i] = std::max(awEnds[i], awEnds[i + 1]);
            awStarts.RemoveAt(i + 1);
            awEnds.RemoveAt(i + 1);
        }
        else
        {
            ++i;
        }
    }
    return bAny;
}
} // namespace

void CGXRangeList::InsertRows(ROWCOL nAt, ROWCOL nCount)
{
    InsertAlong(*this, rowAxis, nAt, nCount);
}

void CGXRangeList::InsertCols(ROWCOL nAt, ROWCOL nCount)
{
    InsertAlong(*this, colAxis, nAt, nCount);
}

void CGXRangeList::RemoveRows(ROWCOL nFirst, ROWCOL nLast, ROWCOL nNewCount)
{
    RemoveAlong(*this, rowAxis, nFirst, nLast, nNewCount);
}

void CGXRangeList::RemoveCols(ROWCOL nFirst, ROWCOL nLast, ROWCOL nNewCount)
{
    RemoveAlong(*this, colAxis, nFirst, nLast, nNewCount);
}

void CGXRangeList::MoveRows(ROWCOL nFirst, ROWCOL nLast, ROWCOL nDest, ROWCOL nMaxRow)
{
    MoveAlong(*this, rowAxis, nFirst, nLast, nDest, nMaxRow);
}

void CGXRangeList::MoveCols(ROWCOL nFirst, ROWCOL nLast, ROWCOL nDest, ROWCOL nMaxCol)
{
    MoveAlong(*this, colAxis, nFirst, nLast, nDest, nMaxCol);
}

BOOL CGXRangeList::IsAnyCellFromRow(ROWCOL nRow) const
{
    return IsAnyCellAlong(*this, rowAxis, nRow);
}

BOOL CGXRangeList::IsAnyCellFromCol(ROWCOL nCol) const
{
    return IsAnyCellAlong(*this, colAxis, nCol);
}

BOOL CGXRangeList::GetRowArray(ROWCOL nRowCount, CDWordArray& awStarts, CDWordArray& awEnds, BOOL bWholeRowsOnly) const
{
    return GetIntervalsAlong(*this, rowAxis, nRowCount, awStarts, awEnds, bWholeRowsOnly);
}

BOOL CGXRangeList::GetColArray(ROWCOL nColCount, CDWordArray& awStarts, CDWordArray& awEnds, BOOL bWholeColsOnly) const
{
    return GetIntervalsAlong(*this, colAxis, nColCount, awStarts, awEnds, bWholeColsOnly);
}

void CGXRangeList::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        DeleteInvalidRanges();
        ar << wVersion << static_cast<DWORD>(GetCount());
        for (POSITION pos = GetHeadPosition(); pos != nullptr;)
            ar << *GetNextRange(pos);
        return;
    }

    WORD wStored;
    ar >> wStored;
    if (wStored != wVersion)
        AfxThrowArchiveException(CArchiveException::badSchema);
    DWORD dwCount;
    ar >> dwCount;
    for (DWORD i = 0; i < dwCount; ++i)
    {
        auto pRange = std::make_unique<CGXRange>();
        ar >> *pRange;
        AddTail(pRange.release());
    }
}
