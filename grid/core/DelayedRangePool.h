// The parts of the grid whose merged or floating spans still have to be worked out, and which
// of their rows already were: spans are evaluated only for the rows about to be drawn.
#pragma once

#include <afxcoll.h>

#include <grid/core/AbstractImps.h>
#include <grid/core/Range.h>

class CGXDelayedRange : public CObject
{
    DECLARE_SERIAL(CGXDelayedRange)
public:
    CGXDelayedRange() = default;
    explicit CGXDelayedRange(const CGXRange& range) : m_range(range)
    {
    }
    CGXDelayedRange(const CGXDelayedRange& source);
    CGXDelayedRange& operator=(const CGXDelayedRange& source);

    // The range, then the evaluated starts and ends; the free flag is not written.
    void Serialize(CArchive& ar) override;

    // Frees the entry: no evaluated rows, not in use.
    void Reset();
    // Records the rows of `rows` (a part of the entry) as evaluated; `rows` keeps only those
    // that were not evaluated before. FALSE when all were. An entry whose rows are all
    // evaluated becomes free.
    BOOL RecordRows(CGXRange& rows);

    CGXRange m_range;
    CDWordArray m_evalEnds;
    CDWordArray m_evalStarts;
    DWORD m_bFree = 0;
};

class CGXDelayedRangePool : public CObject
{
    DECLARE_SERIAL(CGXDelayedRangePool)
public:
    CGXDelayedRangePool() = default;
    CGXDelayedRangePool(const CGXDelayedRangePool&) = delete;
    ~CGXDelayedRangePool() override;
    // Drops the free entries here, then appends copies of the source's entries.
    CGXDelayedRangePool& operator=(const CGXDelayedRangePool& source);

    void Serialize(CArchive& ar) override;

    // Records the range as to be evaluated: entries inside it are freed and reused, an
    // unevaluated entry that it continues is extended.
    void DelayRange(const CGXRange& range);
    // Splits the entries that the range crosses so that each keeps only the intersection.
    void SplitRanges(const CGXRange& range);
    // Per row of the range (index row - range.top), the columns still to evaluate (anStarts
    // 0xFFFFFFFF: none), recorded as evaluated now. TRUE when any row was left to evaluate.
    BOOL EvalRanges(const CGXRange& range, CDWordArray& anStarts, CDWordArray& anEnds);
    void RemoveFreeRanges();
    void ClampRows(ROWCOL nMaxRow);
    void ClampCols(ROWCOL nMaxCol);
    void ClearRanges();

    INT_PTR GetCount() const
    {
        return m_ranges.GetSize();
    }
    CGXDelayedRange* GetAt(INT_PTR nIndex) const
    {
        return static_cast<CGXDelayedRange*>(m_ranges.GetAt(nIndex));
    }

private:
    CObArray m_ranges;
};

class CGXDelayedRangePoolImp : public CGXAbstractDelayedRangePoolImp
{
public:
    CGXDelayedRangePool* CreatePoolCopy(const CGXDelayedRangePool& source) override;
    CGXDelayedRangePool* CreatePool() override;
    void AssignPool(CGXDelayedRangePool& target, const CGXDelayedRangePool& source) override;
};

void GXInstallDelayedRangePoolImp();
