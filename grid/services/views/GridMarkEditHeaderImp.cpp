#include <grid/services/views/GridMarkEditHeaderImp.h>

#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/Properties.h>

namespace
{
// Shown between the frozen rows (columns) and the bottom (right) of the view, or frozen.
BOOL IsShown(CGXGridCore* pGrid, BOOL bRows, ROWCOL n)
{
    const ROWCOL nFrozen = bRows ? pGrid->GetFrozenRows() : pGrid->GetFrozenCols();
    const ROWCOL nFirst = bRows ? pGrid->GetTopRow() : pGrid->GetLeftCol();
    const ROWCOL nLast = bRows ? pGrid->GetLastVisibleRow() : pGrid->GetLastVisibleCol();
    return n <= nFrozen || (n >= nFirst && n <= nLast);
}

} // namespace

void CGXGridMarkEditHeaderImp::RefreshMarkedHeaders(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, int nWhich,
                                                    UINT flags)
{
    const CGXGridParam* pParam = pGrid->GetParam();
    const CGXProperties* pProperties = pGrid->GetProperties();
    if (pParam == nullptr || pProperties == nullptr || pParam->m_bLockUpdate)
        return;
    if ((nWhich == 0 || nWhich == 2) && pProperties->m_bMarkRowHeader && IsShown(pGrid, TRUE, nRow))
        pGrid->RedrawRowCol(nRow, 0, flags, FALSE);
    if ((nWhich == 0 || nWhich == 1) && pProperties->m_bMarkColHeader && IsShown(pGrid, FALSE, nCol))
        pGrid->RedrawRowCol(0, nCol, flags, FALSE);
}

BOOL CGXGridMarkEditHeaderImp::IsHeaderMarked(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol)
{
    const CGXGridParam* pParam = pGrid->GetParam();
    const CGXProperties* pProperties = pGrid->GetProperties();
    if (pParam == nullptr || pProperties == nullptr)
        return FALSE;
    CGXRange header(nRow, nCol);
    pGrid->GetCoveredCellsRowCol(nRow, nCol, header);
    ROWCOL nCurrentRow = 0;
    ROWCOL nCurrentCol = 0;
    if (pGrid->GetCurrentCell(&nCurrentRow, &nCurrentCol))
    {
        if (nCol == 0 && pProperties->m_bMarkRowHeader && nCurrentRow >= header.top && nCurrentRow <= header.bottom)
            return TRUE;
        if (nRow == 0 && pProperties->m_bMarkColHeader && nCurrentCol >= header.left && nCurrentCol <= header.right)
            return TRUE;
    }
    // The headers of selected whole rows and columns.
    const CGXRangeList& selection = pParam->m_SelRects;
    for (POSITION pos = selection.GetHeadPosition(); pos != nullptr;)
    {
        const CGXRange* pRange = selection.GetNextRange(pos);
        if (nCol == 0 && pRange->IsRows() && nRow >= pRange->top && nRow <= pRange->bottom)
            return TRUE;
        if (nRow == 0 && pRange->IsCols() && nCol >= pRange->left && nCol <= pRange->right)
            return TRUE;
    }
    return FALSE;
}
