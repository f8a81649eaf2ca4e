#include <grid/services/rowscols/GridFreezeMenuHelperImp.h>

#include <grid/core/AppData.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <toolkit/foundation/ScopedValue.h>

#include <algorithm>

using tarnwick::foundation::SECScopedValue;

namespace
{
CGXGridParam::FreezeRecord& RecordOf(CGXGridParam* pParam, BOOL bRows)
{
    return bRows ? pParam->m_freezeRows : pParam->m_freezeCols;
}

ROWCOL Headers(CGXGridCore* pGrid, BOOL bRows)
{
    return bRows ? pGrid->GetHeaderRows() : pGrid->GetHeaderCols();
}

ROWCOL Frozen(CGXGridCore* pGrid, BOOL bRows)
{
    return bRows ? pGrid->GetFrozenRows() : pGrid->GetFrozenCols();
}

// The selection's one block of whole rows (columns), or null.
const CGXRange* SingleBlock(CGXGridCore* pGrid, BOOL bRows)
{
    const CGXRangeList& selection = pGrid->GetParam()->m_SelRects;
    if (selection.GetCount() != 1)
        return nullptr;
    const CGXRange* pRange = selection.GetHeadRange();
    return (bRows ? pRange->IsRows() : pRange->IsCols()) ? pRange : nullptr;
}

BOOL Move(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest)
{
    return bRows ? pGrid->MoveRows(nFrom, nTo, nDest, GX_UPDATENOW, 0) : pGrid->MoveCols(nFrom, nTo, nDest, GX_UPDATENOW, 0);
}

void SetFrozen(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrozen)
{
    const ROWCOL nHeaders = Headers(pGrid, bRows);
    bRows ? pGrid->FreezeRows(nFrozen, nHeaders, GX_UPDATENOW, 0) : pGrid->FreezeCols(nFrozen, nHeaders, GX_UPDATENOW, 0);
}

} // namespace

BOOL CGXGridFreezeMenuHelperImp::CanFreezeCols(CGXGridCore* pGrid)
{
    return CanFreeze(pGrid, FALSE);
}

BOOL CGXGridFreezeMenuHelperImp::CanUnfreezeCols(CGXGridCore* pGrid)
{
    return CanUnfreeze(pGrid, FALSE);
}

void CGXGridFreezeMenuHelperImp::FreezeCols(CGXGridCore* pGrid)
{
    Freeze(pGrid, FALSE);
}

void CGXGridFreezeMenuHelperImp::UnfreezeCols(CGXGridCore* pGrid)
{
    Unfreeze(pGrid, FALSE);
}

BOOL CGXGridFreezeMenuHelperImp::CanFreezeRows(CGXGridCore* pGrid)
{
    return CanFreeze(pGrid, TRUE);
}

BOOL CGXGridFreezeMenuHelperImp::CanUnfreezeRows(CGXGridCore* pGrid)
{
    return CanUnfreeze(pGrid, TRUE);
}

void CGXGridFreezeMenuHelperImp::FreezeRows(CGXGridCore* pGrid)
{
    Freeze(pGrid, TRUE);
}

void CGXGridFreezeMenuHelperImp::UnfreezeRows(CGXGridCore* pGrid)
{
    Unfreeze(pGrid, TRUE);
}

BOOL CGXGridFreezeMenuHelperImp::CanFreeze(CGXGridCore* pGrid, BOOL bRows)
{
    return pGrid->GetParam() != nullptr && Frozen(pGrid, bRows) <= Headers(pGrid, bRows) &&
           SingleBlock(pGrid, bRows) != nullptr;
}

BOOL CGXGridFreezeMenuHelperImp::CanUnfreeze(CGXGridCore* pGrid, BOOL bRows)
{
    return pGrid->GetParam() != nullptr && Frozen(pGrid, bRows) > Headers(pGrid, bRows);
}

// The block moves to start right after the headers and that many rows (columns) are frozen.
void CGXGridFreezeMenuHelperImp::Freeze(CGXGridCore* pGrid, BOOL bRows)
{
    if (!CanFreeze(pGrid, bRows))
        return;
    CGXGridParam* pParam = pGrid->GetParam();
    const ROWCOL nHeaders = Headers(pGrid, bRows);
    const CGXRange* pBlock = SingleBlock(pGrid, bRows);
    const ROWCOL nStart = std::max(bRows ? pBlock->top : pBlock->left, nHeaders + 1);
    const ROWCOL nEnd = bRows ? pBlock->bottom : pBlock->right;
    if (nEnd < nStart)
        return;
    const CGXAppData* pAppData = GXGetAppDataPtr();
    pGrid->BeginUndoBlock(bRows ? pAppData->m_sFreezeRows : pAppData->m_sFreezeColumns);
    {
        const SECScopedValue<BOOL> locked(pParam->m_bLockUpdate, TRUE);
        pGrid->SelectRange(CGXRange().SetTable(), FALSE, FALSE);
        if (nStart != nHeaders + 1)
            Move(pGrid, bRows, nStart, nEnd, nHeaders + 1);
        CGXGridParam::FreezeRecord& record = RecordOf(pParam, bRows);
        record.freezeFirst = nHeaders + 1;
        record.freezeCount = nEnd - nStart + 1;
        record.freezeOrigin = nStart;
        SetFrozen(pGrid, bRows, nHeaders + record.freezeCount);
    }
    pGrid->RedrawGrid(GX_UPDATENOW, TRUE);
    pGrid->EndUndoBlock();
}

void CGXGridFreezeMenuHelperImp::Unfreeze(CGXGridCore* pGrid, BOOL bRows)
{
    if (!CanUnfreeze(pGrid, bRows))
        return;
    CGXGridParam* pParam = pGrid->GetParam();
    const CGXAppData* pAppData = GXGetAppDataPtr();
    pGrid->BeginUndoBlock(bRows ? pAppData->m_sFreezeRows : pAppData->m_sFreezeColumns);
    {
        const SECScopedValue<BOOL> locked(pParam->m_bLockUpdate, TRUE);
        const CGXGridParam::FreezeRecord& record = RecordOf(pParam, bRows);
        if (record.freezeCount > 0 && record.freezeFirst != record.freezeOrigin)
            Move(pGrid, bRows, record.freezeFirst, record.freezeFirst + record.freezeCount - 1, record.freezeOrigin);
        SetFrozen(pGrid, bRows, Headers(pGrid, bRows));
    }
    pGrid->RedrawGrid(GX_UPDATENOW, TRUE);
    pGrid->EndUndoBlock();
}
