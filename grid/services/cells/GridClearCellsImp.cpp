// Clearing cells: the bands of a range list, each cell once, as one undo block.
#include <grid/services/cells/GridClearCellsImp.h>

#include <grid/controls/ComposedStyle.h>
#include <grid/controls/Control.h>
#include <grid/core/AppData.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/LongOperationImp.h>
#include <grid/core/Style.h>
#include <grid/core/UndoBlockScope.h>
#include <toolkit/foundation/ScopedValue.h>

#include <algorithm>
#include <vector>

using tarnwick::foundation::SECScopedValue;

namespace
{
// Removing a style: the store mode that deletes what a cell (row, column, table) holds.
constexpr int modeRemove = 4;

// The ranges of the list as cell ranges; whole rows, columns and the table reach from below
// the headers to the counts.
std::vector<CGXRange> CellRanges(CGXGridCore* pGrid, const CGXRangeList& list)
{
    const ROWCOL nRows = pGrid->GetRowCount();
    const ROWCOL nCols = pGrid->GetColCount();
    std::vector<CGXRange> ranges;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
    {
        CGXRange range(*list.GetNextRange(pos));
        if (!range.IsValid())
            continue;
        range.ExpandRange(pGrid->GetHeaderRows() + 1, pGrid->GetHeaderCols() + 1, nRows, nCols);
        range.bottom = std::min(range.bottom, nRows);
        range.right = std::min(range.right, nCols);
        if (range.top <= range.bottom && range.left <= range.right)
            ranges.push_back(range);
    }
    return ranges;
}

// The edges where a band starts: every first row (column) of a range and the one after its last.
std::vector<ULONGLONG> BandEdges(const std::vector<CGXRange>& ranges, bool bRows)
{
    std::vector<ULONGLONG> edges;
    for (const CGXRange& range : ranges)
    {
        edges.push_back(bRows ? range.top : range.left);
        edges.push_back(ULONGLONG(bRows ? range.bottom : range.right) + 1);
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    return edges;
}

BOOL IsInAny(const std::vector<CGXRange>& ranges, ROWCOL nRow, ROWCOL nCol)
{
    return std::any_of(ranges.begin(), ranges.end(),
                       [=](const CGXRange& range) { return range.IsCellInRange(nRow, nCol); });
}

BOOL IsAborted(GXLongOperationRecord* pRecord)
{
    BOOL bAborted = FALSE;
    GXGetLongOperationAbort(pRecord, bAborted);
    return bAborted;
}
} // namespace

BOOL CGXGridClearCellsImp::CanClearCells(CGXGridCore* pGrid)
{
    if (pGrid->IsReadOnly() || pGrid->GetParam() == nullptr)
        return FALSE;
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    return !pGrid->GetParam()->m_SelRects.IsEmpty() || pGrid->GetCurrentCell(&nRow, &nCol);
}

BOOL CGXGridClearCellsImp::ClearSelection(CGXGridCore* pGrid, BOOL bStyles)
{
    CGXRangeList list;
    if (!pGrid->CopyRangeList(list, TRUE))
        return FALSE;
    CGXLongOperationScope operation;
    return pGrid->ClearRangeList(list, bStyles);
}

BOOL CGXGridClearCellsImp::ClearCells(CGXGridCore* pGrid, const CGXRangeList& list, BOOL bStyles)
{
    if (pGrid->GetParam() == nullptr || pGrid->IsChangeLocked())
        return FALSE;
    const std::vector<CGXRange> ranges = CellRanges(pGrid, list);
    const std::vector<ULONGLONG> rowEdges = BandEdges(ranges, true);
    const std::vector<ULONGLONG> colEdges = BandEdges(ranges, false);

    const CString& strName = pGrid->GetAppData()->m_sClearCells;
    BOOL bCleared = TRUE;
    {
        CGXUndoBlockScope block(pGrid, strName);
        CGXLongOperationScope operation;
        GXSetLongOperationStatus(operation.Record(), strName);
        GXLongOpSetRollback(TRUE);
        const CGXLongOpFeedbackFreeze freeze;
        try
        {
            for (size_t i = 0; i + 1 < rowEdges.size() && bCleared; ++i)
                for (size_t j = 0; j + 1 < colEdges.size() && bCleared; ++j)
                {
                    const CGXRange band(static_cast<ROWCOL>(rowEdges[i]), static_cast<ROWCOL>(colEdges[j]),
                                        static_cast<ROWCOL>(rowEdges[i + 1] - 1),
                                        static_cast<ROWCOL>(colEdges[j + 1] - 1));
                    if (IsInAny(ranges, band.top, band.left))
                        bCleared = ClearBand(pGrid, band, bStyles, operation.Record());
                }
        }
        catch (CUserException* e)
        {
            e->Delete();
            bCleared = FALSE;
        }
        if (!bCleared && GXLongOpGetRollbackRequested())
            block.Rollback();
    }
    pGrid->RecalcAndRedraw(TRUE, nullptr, TRUE);
    return bCleared;
}

BOOL CGXGridClearCellsImp::ClearBand(CGXGridCore* pGrid, const CGXRange& band, BOOL bStyles,
                                     GXLongOperationRecord* pRecord)
{
    if (!pGrid->m_bLockUpdate)
        pGrid->PrepareRangeUpdate(band);
    const SECScopedValue<BOOL> lockUpdate(pGrid->m_bLockUpdate, TRUE);
    if (bStyles)
        return pGrid->SetStyleRange(band, nullptr, modeRemove, 0, nullptr, GX_UPDATENOW, 0) && !IsAborted(pRecord);
    for (ULONGLONG nRow = band.top; nRow <= band.bottom; ++nRow)
        for (ULONGLONG nCol = band.left; nCol <= band.right; ++nCol)
            if (!ClearCellValue(pGrid, static_cast<ROWCOL>(nRow), static_cast<ROWCOL>(nCol)) || IsAborted(pRecord))
                return FALSE;
    return TRUE;
}

BOOL CGXGridClearCellsImp::ClearCellValue(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol)
{
    const ComposedStyle composed(pGrid, nRow, nCol);
    CGXControl* pControl = pGrid->GetRegisteredControl(composed.m_pStyle->GetControl());
    if (pControl == nullptr || !pControl->CellHasValue(nRow, nCol, *composed.m_pStyle))
        return TRUE;
    return pGrid->StoreCellValue(nRow, nCol, CString(), GX_INVALIDATE, composed.m_pStyle);
}

BOOL CGXGridClearCellsImp::ClearRange(CGXGridCore* pGrid, const CGXRange& range, BOOL bStyles)
{
    if (!bStyles)
        return pGrid->SingleRangeListCallB(range, FALSE);
    // The base styles go with the cells, in the same undo step.
    CGXUndoBlockScope block(pGrid, pGrid->GetAppData()->m_sClearCells);
    if (!pGrid->SingleRangeListCallB(range, TRUE))
    {
        if (GXLongOpGetRollbackRequested())
            block.Rollback();
        return FALSE;
    }
    // Only the base styles of the rows (columns) cleared whole.
    const ROWCOL nRows = pGrid->GetRowCount();
    const ROWCOL nCols = pGrid->GetColCount();
    CGXRange cells(range);
    cells.ExpandRange(1, 1, nRows, nCols);
    const BOOL bWholeRows = cells.left <= 1 && cells.right >= nCols;
    const BOOL bWholeCols = cells.top <= 1 && cells.bottom >= nRows;
    const auto remove = [pGrid](const CGXRange& lines) {
        pGrid->SetStyleRange(lines, nullptr, modeRemove, 0, nullptr, GX_UPDATENOW, 0);
    };
    if (bWholeRows && cells.top <= nRows)
        remove(CGXRange().SetRows(cells.top, std::min(cells.bottom, nRows)));
    if (bWholeCols && cells.left <= nCols)
        remove(CGXRange().SetCols(cells.left, std::min(cells.right, nCols)));
    if (bWholeRows && bWholeCols)
        remove(CGXRange().SetTable());
    return TRUE;
}
