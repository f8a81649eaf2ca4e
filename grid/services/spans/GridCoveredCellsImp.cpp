#include <grid/services/spans/GridCoveredCellsImp.h>

#include <grid/core/AppData.h>
#include <grid/core/CoveredCellPool.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <toolkit/foundation/ScopedValue.h>

#include <algorithm>

using tarnwick::foundation::SECScopedValue;

namespace
{
constexpr ROWCOL nMaxIndex = 0x7FFFFFFF;

// The position of the covered range that holds the cell, or null.
POSITION FindCovering(const CGXGridParam* pParam, ROWCOL nRow, ROWCOL nCol)
{
    if (pParam == nullptr || pParam->m_pCoveredCellPool == nullptr || nRow >= nMaxIndex || nCol >= nMaxIndex)
        return nullptr;
    return pParam->m_pCoveredCellPool->Lookup(nRow, nCol);
}

// A read-only grid refuses coverings while the parameter object locks it.
BOOL IsCoveringLocked(CGXGridCore* pGrid)
{
    const CGXGridParam* pParam = pGrid->GetParam();
    if (!pParam->m_bLockReadOnly)
        return FALSE;
    const CGXStyle* pStandard = pGrid->GetStandardStyle();
    return pGrid->IsReadOnly() ||
           (pStandard != nullptr && pStandard->GetInclude(CGXStyle::inclReadOnly) && pStandard->GetReadOnly());
}

} // namespace

BOOL CGXGridCoveredCellsImp::SetCoveredCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow,
                                                   ROWCOL nToCol, UINT flags, int nCommandKind)
{
    CGXRange old(nRow, nCol);
    GetCoveredCellsRowCol(pGrid, nRow, nCol, old);
    const ROWCOL nOldBottom = old.bottom;
    const ROWCOL nOldRight = old.right;
    if (!StoreCoveredCellsRowCol(pGrid, nRow, nCol, nToRow, nToCol, nToRow != nRow || nToCol != nCol))
        return FALSE;

    CGXRange area(nRow, nCol, std::max(nOldBottom, nToRow), std::max(nOldRight, nToCol));
    pGrid->DelayFloatCells(area);
    pGrid->DelayMergeCells(area);
    pGrid->ExpandRangeByMergedCells(area);
    pGrid->ExpandRangeByFloatedCells(area);
    UpdateCoveredCellsRowCol(pGrid, area.top, area.left, area.bottom, area.right, flags, TRUE);

    if (pGrid->IsUndoRecorded(nCommandKind))
    {
        CGXAbstractCommandFactory* pFactory = pGrid->m_pCommandFactory;
        pFactory->AddCommand(pGrid, pFactory->CreateCoveredCellsCmd(nRow, nCol, nOldBottom, nOldRight), nCommandKind);
        if (nCommandKind == 2 || nCommandKind == 3)
            pFactory->ShowCommandCell(pGrid, nRow, nCol, TRUE);
    }
    return TRUE;
}

CGXRange* CGXGridCoveredCellsImp::GetCoveredCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange& range)
{
    const CGXGridParam* pParam = pGrid->GetParam();
    const POSITION pos = FindCovering(pParam, nRow, nCol);
    if (pos == nullptr)
        return nullptr;
    range = *pParam->m_CoveredCellsList.GetRangeAt(pos);
    return &range;
}

BOOL CGXGridCoveredCellsImp::StoreCoveredCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow,
                                                     ROWCOL nToCol, BOOL bSet)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr || pParam->m_pCoveredCellPool == nullptr || nToRow >= nMaxIndex || nToCol >= nMaxIndex ||
        nRow > nToRow || nCol > nToCol || IsCoveringLocked(pGrid))
        return FALSE;
    CGXCoveredCellPool& pool = *pParam->m_pCoveredCellPool;
    CGXRangeList& list = pParam->m_CoveredCellsList;
    const POSITION found = pool.Lookup(nRow, nCol);
    CGXRange* pFound = found != nullptr ? list.GetRangeAt(found) : nullptr;
    const BOOL bStartsHere = pFound != nullptr && pFound->top == nRow && pFound->left == nCol;
    try
    {
        if (!bSet)
        {
            if (!bStartsHere)
                return FALSE;
            pool.SetSpan(nRow, nCol, pFound->bottom, pFound->right, nullptr);
            list.DeleteAt(found);
            return TRUE;
        }
        const CGXRange range(nRow, nCol, nToRow, nToCol);
        if (pFound == nullptr)
        {
            const POSITION pos = list.AddTail(new CGXRange(range));
            if (pool.SetSpan(nRow, nCol, nToRow, nToCol, pos))
                return TRUE;
            list.DeleteAt(pos);
            return FALSE;
        }
        if (!bStartsHere || (pFound->bottom == nToRow && pFound->right == nToCol))
            return FALSE;
        // The old extent goes first, so that rows it no longer reaches are free.
        const CGXRange old = *pFound;
        pool.SetSpan(old.top, old.left, old.bottom, old.right, nullptr);
        if (!pool.SetSpan(nRow, nCol, nToRow, nToCol, found))
        {
            pool.SetSpan(old.top, old.left, old.bottom, old.right, found);
            return FALSE;
        }
        *pFound = range;
        return TRUE;
    }
    catch (CMemoryException* e)
    {
        e->Delete();
        return FALSE;
    }
}

BOOL CGXGridCoveredCellsImp::UpdateCoveredCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow,
                                                      ROWCOL nToCol, UINT flags, BOOL bCreateHint)
{
    if (!pGrid->GetParam()->m_bLockUpdate)
    {
        CGXRange covered(nRow, nCol);
        ROWCOL nCurrentRow = 0;
        ROWCOL nCurrentCol = 0;
        if (GetCoveredCellsRowCol(pGrid, nRow, nCol, covered) != nullptr &&
            pGrid->GetCurrentCell(&nCurrentRow, &nCurrentCol) && covered.IsCellInRange(nCurrentRow, nCurrentCol) &&
            (nCurrentRow != covered.top || nCurrentCol != covered.left))
            pGrid->SetCurrentCell(covered.top, covered.left, flags | GX_SCROLLINVIEW);
        pGrid->InvalidateRange(nRow, nCol, std::max(nToRow, covered.bottom), std::max(nToCol, covered.right), flags,
                               FALSE);
    }
    if (CGXAbstractGridUpdateHintImp* pHints = pGrid->HintSender(bCreateHint))
        return pHints->HintCoveredCells(pGrid, nRow, nCol, nToRow, nToCol, flags);
    return FALSE;
}

void CGXGridCoveredCellsImp::MergeCoveredCells(CGXGridCore* pGrid, CGXRange& range)
{
    const CGXRangeList& list = pGrid->GetParam()->m_CoveredCellsList;
    if (list.IsEmpty() || !range.IsValid())
        return;
    const ULONGLONG nCells = (static_cast<ULONGLONG>(range.bottom) - range.top + 1) * (range.right - range.left + 1);
    if (static_cast<ULONGLONG>(list.GetCount()) < nCells)
    {
        // Fewer ranges than cells: widen by every range that reaches in, until none does.
        for (BOOL bGrown = TRUE; bGrown;)
        {
            bGrown = FALSE;
            for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
            {
                const CGXRange& covered = *list.GetNextRange(pos);
                const BOOL bTouches = covered.top <= range.bottom && covered.bottom >= range.top &&
                                      covered.left <= range.right && covered.right >= range.left;
                if (bTouches && (covered.top < range.top || covered.left < range.left ||
                                 covered.bottom > range.bottom || covered.right > range.right))
                {
                    range.UnionRange(range, covered);
                    bGrown = TRUE;
                }
            }
        }
        return;
    }
    for (ROWCOL nRow = range.top; nRow <= range.bottom; ++nRow)
        for (ROWCOL nCol = range.left; nCol <= range.right; ++nCol)
        {
            CGXRange covered;
            if (GetCoveredCellsRowCol(pGrid, nRow, nCol, covered) != nullptr)
            {
                range.UnionRange(range, covered);
                nCol = covered.right;
            }
        }
}

BOOL CGXGridCoveredCellsImp::AdjustCoveredCellsOnRemoveRows(CGXGridCore* pGrid, ROWCOL nFirst, ROWCOL nLast,
                                                            UINT& flags, BOOL bSkip)
{
    return AdjustOnRemove(pGrid, TRUE, nFirst, nLast, flags, bSkip);
}

BOOL CGXGridCoveredCellsImp::AdjustCoveredCellsOnRemoveCols(CGXGridCore* pGrid, ROWCOL nFirst, ROWCOL nLast,
                                                            UINT& flags, BOOL bSkip)
{
    return AdjustOnRemove(pGrid, FALSE, nFirst, nLast, flags, bSkip);
}

BOOL CGXGridCoveredCellsImp::AdjustOnRemove(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFirst, ROWCOL nLast, UINT& flags,
                                            BOOL bSkip)
{
    if (bSkip || nFirst > nLast)
        return FALSE;
    CGXGridParam* pParam = pGrid->GetParam();
    const SECScopedValue<BOOL> lock(pParam->m_bLockUpdate, TRUE);
    pGrid->BeginUndoBlock(GXLoadResourceString(bRows ? GX_IDS_REMOVING_ROWS : GX_IDS_REMOVING_COLS));

    // The changes below edit the list: take the ranges first.
    CArray<CGXRange, const CGXRange&> ranges;
    for (POSITION pos = pParam->m_CoveredCellsList.GetHeadPosition(); pos != nullptr;)
        ranges.Add(*pParam->m_CoveredCellsList.GetNextRange(pos));
    const UINT nRedrawFlags = flags;
    BOOL bChanged = FALSE;
    for (INT_PTR k = 0; k < ranges.GetSize(); ++k)
    {
        const CGXRange& covered = ranges[k];
        const ROWCOL nStart = bRows ? covered.top : covered.left;
        const ROWCOL nEnd = bRows ? covered.bottom : covered.right;
        if (nStart >= nFirst && nStart <= nLast)
            bChanged |=
                SetCoveredCellsRowCol(pGrid, covered.top, covered.left, covered.top, covered.left, nRedrawFlags, 0);
        else if (nStart < nFirst && nEnd >= nFirst && nEnd <= nLast)
        {
            bChanged |=
                SetCoveredCellsRowCol(pGrid, covered.top, covered.left, covered.top, covered.left, nRedrawFlags, 0);
            bChanged |= SetCoveredCellsRowCol(pGrid, covered.top, covered.left, bRows ? nFirst - 1 : covered.bottom,
                                              bRows ? covered.right : nFirst - 1, nRedrawFlags, 0);
        }
    }
    if (bChanged)
        flags = 1;
    pGrid->EndUndoBlock();
    return bChanged;
}
