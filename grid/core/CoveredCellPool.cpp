#include <grid/core/CoveredCellPool.h>

#include <grid/core/AbstractImps.h>
#include <grid/core/AppData.h>
#include <grid/core/RangeList.h>

#include <iterator>
#include <new>

IMPLEMENT_DYNCREATE(CGXCoveredCellPool, CObject)

namespace
{
constexpr ROWCOL nLastRow = static_cast<ROWCOL>(-1);
} // namespace

POSITION CGXCoveredCellPool::Lookup(ROWCOL nRow, ROWCOL nCol) const
{
    const auto band = m_bands.upper_bound(nRow);
    if (band == m_bands.begin())
        return nullptr;
    const Band& extents = std::prev(band)->second;
    auto extent = extents.upper_bound(nCol);
    if (extent == extents.begin())
        return nullptr;
    --extent;
    return nCol <= extent->second.nRight ? extent->second.pos : nullptr;
}

BOOL CGXCoveredCellPool::SetSpan(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight, POSITION pos)
{
    if ((pos != nullptr && nTop == nBottom && nLeft == nRight) || nTop > nBottom || nLeft > nRight)
        return FALSE;
    try
    {
        return pos != nullptr ? Store(nTop, nLeft, nBottom, nRight, pos) : Clear(nTop, nLeft, nBottom);
    }
    catch (CMemoryException* e)
    {
        e->Delete();
    }
    catch (const std::bad_alloc&)
    {
    }
    return FALSE;
}

CGXCoveredCellPool::Bands::iterator CGXCoveredCellPool::CutAt(ROWCOL nRow)
{
    const auto next = m_bands.lower_bound(nRow);
    if (next != m_bands.end() && next->first == nRow)
        return next;
    Band held = next != m_bands.begin() ? std::prev(next)->second : Band();
    return m_bands.emplace_hint(next, nRow, std::move(held));
}

void CGXCoveredCellPool::JoinAt(ROWCOL nRow)
{
    const auto band = m_bands.find(nRow);
    if (band != m_bands.end() &&
        (band == m_bands.begin() ? band->second.empty() : std::prev(band)->second == band->second))
        m_bands.erase(band);
}

BOOL CGXCoveredCellPool::Store(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight, POSITION pos)
{
    // Every band the rows cross, the one that holds the top row first.
    auto first = m_bands.upper_bound(nTop);
    if (first != m_bands.begin())
        --first;
    for (auto band = first; band != m_bands.end() && band->first <= nBottom; ++band)
    {
        // The extents that start left of nRight, from the right: those ending before nLeft are
        // all the earlier ones.
        const Band& extents = band->second;
        for (auto extent = extents.upper_bound(nRight); extent != extents.begin();)
        {
            --extent;
            if (extent->second.nRight < nLeft)
                break;
            if (extent->second.pos != pos)
                return FALSE;
        }
    }
    const auto end = nBottom == nLastRow ? m_bands.end() : CutAt(nBottom + 1);
    for (auto band = CutAt(nTop); band != end; ++band)
    {
        std::erase_if(band->second, [pos](const auto& extent) { return extent.second.pos == pos; });
        band->second.insert_or_assign(nLeft, Extent{nRight, pos});
    }
    JoinCut(nTop, nBottom);
    return TRUE;
}

BOOL CGXCoveredCellPool::Clear(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom)
{
    BOOL bChanged = FALSE;
    const auto end = nBottom == nLastRow ? m_bands.end() : CutAt(nBottom + 1);
    for (auto band = CutAt(nTop); band != end; ++band)
    {
        Band& extents = band->second;
        auto extent = extents.upper_bound(nLeft);
        if (extent == extents.begin() || (--extent)->second.nRight < nLeft)
            continue;
        if (extent->first < nLeft)
            extent->second.nRight = nLeft - 1;
        else
            extents.erase(extent);
        bChanged = TRUE;
    }
    JoinCut(nTop, nBottom);
    return bChanged;
}

void CGXCoveredCellPool::JoinCut(ROWCOL nTop, ROWCOL nBottom)
{
    // Only the cuts are joined: bands between them that come to hold the same stay apart, which
    // costs a little memory, never a wrong answer.
    if (nBottom != nLastRow)
        JoinAt(nBottom + 1);
    JoinAt(nTop);
}

CGXCoveredCellPool* CGXCoveredCellPoolImp::CreatePool()
{
    return new CGXCoveredCellPool;
}

void CGXCoveredCellPoolImp::InitPool(CGXCoveredCellPool& pool, const CGXRangeList& list)
{
    pool.DeleteAll();
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
    {
        const POSITION at = pos;
        const CGXRange* pRange = list.GetNextRange(pos);
        pool.SetSpan(pRange->top, pRange->left, pRange->bottom, pRange->right, at);
    }
}

void GXInstallCoveredCellPoolImp()
{
    GXInstallImp<CGXCoveredCellPoolImp>(GXGetAppDataPtr()->m_pCoveredCellPoolImp);
}
