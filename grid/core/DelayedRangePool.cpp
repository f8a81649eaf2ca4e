#include <grid/core/DelayedRangePool.h>

#include <grid/core/AbstractImps.h>
#include <grid/core/AppData.h>

#include <algorithm>
#include <memory>

IMPLEMENT_SERIAL(CGXDelayedRange, CObject, 1)
IMPLEMENT_SERIAL(CGXDelayedRangePool, CObject, 1)

namespace
{
// The cells that both hold (delayed ranges are cell ranges); FALSE when they hold none.
BOOL IntersectCells(const CGXRange& a, const CGXRange& b, CGXRange& result)
{
    const ROWCOL nTop = std::max(a.top, b.top);
    const ROWCOL nLeft = std::max(a.left, b.left);
    const ROWCOL nBottom = std::min(a.bottom, b.bottom);
    const ROWCOL nRight = std::min(a.right, b.right);
    if (nTop > nBottom || nLeft > nRight)
        return FALSE;
    result.SetCells(nTop, nLeft, nBottom, nRight);
    return TRUE;
}

BOOL ContainsCells(const CGXRange& outer, const CGXRange& inner)
{
    return outer.top <= inner.top && outer.left <= inner.left && outer.bottom >= inner.bottom &&
           outer.right >= inner.right;
}
} // namespace

CGXDelayedRange::CGXDelayedRange(const CGXDelayedRange& source) : CObject()
{
    *this = source;
}

CGXDelayedRange& CGXDelayedRange::operator=(const CGXDelayedRange& source)
{
    m_bFree = source.m_bFree;
    m_range = source.m_range;
    m_evalEnds.Copy(source.m_evalEnds);
    m_evalStarts.Copy(source.m_evalStarts);
    return *this;
}

void CGXDelayedRange::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_range;
    else
    {
        ar >> m_range;
        m_bFree = 0;
    }
    m_evalStarts.Serialize(ar);
    m_evalEnds.Serialize(ar);
    if (!ar.IsStoring() && m_evalStarts.GetSize() != m_evalEnds.GetSize())
        AfxThrowArchiveException(CArchiveException::badIndex);
}

void CGXDelayedRange::Reset()
{
    m_evalStarts.RemoveAll();
    m_evalEnds.RemoveAll();
    m_bFree = 1;
}

BOOL CGXDelayedRange::RecordRows(CGXRange& rows)
{
    // Signed row numbers, so that "one before the first row" exists.
    const LONGLONG nTop = rows.top;
    const LONGLONG nBottom = rows.bottom;
    INT_PTR k = 0;
    BOOL bChanged = FALSE;
    for (; k < m_evalStarts.GetSize() && !bChanged; ++k)
    {
        const LONGLONG nStart = m_evalStarts[k];
        const LONGLONG nEnd = m_evalEnds[k];
        if (nEnd < nTop - 1)
            continue;
        if (nStart > nBottom + 1)
            break;
        if (nStart <= nTop && nEnd >= nBottom)
            return FALSE;
        if (nStart <= nTop)
        {
            rows.top = static_cast<ROWCOL>(nEnd + 1);
            m_evalEnds[k] = rows.bottom;
        }
        else if (nEnd >= nBottom)
        {
            rows.bottom = static_cast<ROWCOL>(nStart - 1);
            m_evalStarts[k] = rows.top;
        }
        else
        {
            m_evalStarts[k] = rows.top;
            m_evalEnds[k] = rows.bottom;
        }
        bChanged = TRUE;
    }
    if (!bChanged)
    {
        m_evalStarts.InsertAt(k, rows.top);
        m_evalEnds.InsertAt(k, rows.bottom);
    }
    for (INT_PTR n = 0; n + 1 < m_evalStarts.GetSize();)
    {
        if (m_evalEnds[n] >= m_evalStarts[n + 1])
        {
            m_evalEnds[n] = std::max(m_evalEnds[n], m_evalEnds[n + 1]);
            m_evalStarts.RemoveAt(n + 1);
            m_evalEnds.RemoveAt(n + 1);
        }
        else
            ++n;
    }
    if (m_evalStarts.GetSize() == 1 && m_evalStarts[0] <= m_range.top && m_evalEnds[0] >= m_range.bottom)
        Reset();
    return TRUE;
}

CGXDelayedRangePool::~CGXDelayedRangePool()
{
    ClearRanges();
}

CGXDelayedRangePool& CGXDelayedRangePool::operator=(const CGXDelayedRangePool& source)
{
    if (&source == this)
        return *this;
    RemoveFreeRanges();
    for (INT_PTR k = 0; k < source.GetCount(); ++k)
    {
        CGXDelayedRange* pCopy = new CGXDelayedRange(*source.GetAt(k));
        try
        {
            m_ranges.Add(pCopy);
        }
        catch (...)
        {
            delete pCopy;
            throw;
        }
    }
    return *this;
}

void CGXDelayedRangePool::Serialize(CArchive& ar)
{
    // The object array's form: the count, then every entry in full.
    if (ar.IsStoring())
    {
        ar.WriteCount(m_ranges.GetSize());
        for (INT_PTR k = 0; k < m_ranges.GetSize(); ++k)
            ar.WriteOwnedObject(m_ranges[k]);
        return;
    }
    ClearRanges();
    for (DWORD_PTR nCount = ar.ReadCount(); nCount > 0; --nCount)
    {
        std::unique_ptr<CObject> pEntry(ar.ReadOwnedObject(RUNTIME_CLASS(CGXDelayedRange)));
        if (pEntry == nullptr)
            AfxThrowArchiveException(CArchiveException::badClass, ar.m_strFileName);
        m_ranges.Add(pEntry.get());
        pEntry.release();
    }
}

void CGXDelayedRangePool::DelayRange(const CGXRange& range)
{
    ASSERT(range.top <= range.bottom && range.left <= range.right);
    CGXDelayedRange* pLastFree = nullptr;
    CGXDelayedRange* pFirstReset = nullptr;
    for (INT_PTR k = 0; k < GetCount(); ++k)
    {
        CGXDelayedRange* pEntry = GetAt(k);
        if (pEntry->m_bFree)
        {
            pLastFree = pEntry;
            continue;
        }
        CGXRange& entry = pEntry->m_range;
        if (ContainsCells(range, entry))
        {
            pEntry->Reset();
            if (pFirstReset == nullptr)
                pFirstReset = pEntry;
            continue;
        }
        if (pEntry->m_evalStarts.IsEmpty())
        {
            if (range.left > 0 && entry.right == range.left - 1)
                entry.right = range.right;
            if (range.top > 0 && entry.bottom == range.top - 1)
                entry.bottom = range.bottom;
            if (ContainsCells(entry, range))
                return;
        }
    }
    CGXDelayedRange* pTarget = pLastFree != nullptr ? pLastFree : pFirstReset;
    if (pTarget == nullptr)
    {
        pTarget = new CGXDelayedRange;
        try
        {
            m_ranges.InsertAt(0, pTarget);
        }
        catch (...)
        {
            delete pTarget;
            throw;
        }
    }
    pTarget->Reset();
    pTarget->m_range = range;
    pTarget->m_bFree = 0;
}

void CGXDelayedRangePool::SplitRanges(const CGXRange& range)
{
    ASSERT(range.top <= range.bottom && range.left <= range.right);
    const INT_PTR nCount = GetCount();
    for (INT_PTR k = 0; k < nCount; ++k)
    {
        CGXDelayedRange* pEntry = GetAt(k);
        CGXRange cut;
        if (pEntry->m_bFree || !IntersectCells(pEntry->m_range, range, cut))
            continue;
        const CGXRange whole = pEntry->m_range;
        if (whole.left < cut.left)
        {
            CGXDelayedRange* pLeft = new CGXDelayedRange(*pEntry);
            pLeft->m_range.SetCells(whole.top, whole.left, whole.bottom, cut.left - 1);
            m_ranges.Add(pLeft);
        }
        if (whole.right > cut.right)
        {
            CGXDelayedRange* pRight = new CGXDelayedRange(*pEntry);
            pRight->m_range.SetCells(whole.top, cut.right + 1, whole.bottom, whole.right);
            m_ranges.Add(pRight);
        }
        pEntry->m_range.SetCells(whole.top, cut.left, whole.bottom, cut.right);
    }
}

BOOL CGXDelayedRangePool::EvalRanges(const CGXRange& range, CDWordArray& anStarts, CDWordArray& anEnds)
{
    if (range.bottom < range.top || range.right < range.left)
        return FALSE;
    const INT_PTR nRows = static_cast<INT_PTR>(range.bottom - range.top) + 1;
    anStarts.SetSize(nRows);
    anEnds.SetSize(nRows);
    std::fill(anStarts.GetData(), anStarts.GetData() + nRows, 0xFFFFFFFF);
    std::fill(anEnds.GetData(), anEnds.GetData() + nRows, 0);
    SplitRanges(range);

    BOOL bAny = FALSE;
    for (INT_PTR k = 0; k < GetCount(); ++k)
    {
        CGXDelayedRange* pEntry = GetAt(k);
        CGXRange rows;
        if (pEntry->m_bFree || !IntersectCells(pEntry->m_range, range, rows))
            continue;
        const ROWCOL nLeft = pEntry->m_range.left;
        const ROWCOL nRight = pEntry->m_range.right;
        if (!pEntry->RecordRows(rows))
            continue;
        bAny = TRUE;
        for (ROWCOL nRow = rows.top; nRow <= rows.bottom; ++nRow)
        {
            const INT_PTR n = nRow - range.top;
            anStarts[n] = anStarts[n] == 0xFFFFFFFF ? nLeft : std::min<DWORD>(anStarts[n], nLeft);
            anEnds[n] = std::max<DWORD>(anEnds[n], nRight);
        }
    }
    if (bAny)
        RemoveFreeRanges();
    return bAny;
}

void CGXDelayedRangePool::RemoveFreeRanges()
{
    for (INT_PTR k = GetCount() - 1; k >= 0; --k)
        if (GetAt(k)->m_bFree)
        {
            delete GetAt(k);
            m_ranges.RemoveAt(k);
        }
}

void CGXDelayedRangePool::ClampRows(ROWCOL nMaxRow)
{
    for (INT_PTR k = 0; k < GetCount(); ++k)
    {
        CGXRange& range = GetAt(k)->m_range;
        range.top = std::min(range.top, nMaxRow);
        range.bottom = std::min(range.bottom, nMaxRow);
    }
}

void CGXDelayedRangePool::ClampCols(ROWCOL nMaxCol)
{
    for (INT_PTR k = 0; k < GetCount(); ++k)
    {
        CGXRange& range = GetAt(k)->m_range;
        range.left = std::min(range.left, nMaxCol);
        range.right = std::min(range.right, nMaxCol);
    }
}

void CGXDelayedRangePool::ClearRanges()
{
    for (INT_PTR k = 0; k < GetCount(); ++k)
        delete GetAt(k);
    m_ranges.RemoveAll();
}

CGXDelayedRangePool* CGXDelayedRangePoolImp::CreatePoolCopy(const CGXDelayedRangePool& source)
{
    CGXDelayedRangePool* pPool = new CGXDelayedRangePool;
    *pPool = source;
    return pPool;
}

CGXDelayedRangePool* CGXDelayedRangePoolImp::CreatePool()
{
    return new CGXDelayedRangePool;
}

void CGXDelayedRangePoolImp::AssignPool(CGXDelayedRangePool& target, const CGXDelayedRangePool& source)
{
    target = source;
}

void GXInstallDelayedRangePoolImp()
{
    GXInstallImp<CGXDelayedRangePoolImp>(GXGetAppDataPtr()->m_pDelayedRangePoolImp);
}
