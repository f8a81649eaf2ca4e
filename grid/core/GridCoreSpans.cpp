// The core's side of covered, merged and floating cells: which mode word limits an evaluation,
// installing the spanned drawing, and keeping the span pools in step with the structure.
#include <grid/core/GridCore.h>

#include <grid/core/AbstractImps.h>
#include <grid/core/AppData.h>
#include <grid/core/DrawSpannedCellsImp.h>
#include <grid/core/GridParam.h>
#include <grid/core/SpanCellPool.h>

#include <algorithm>

ROWCOL CGXGridCore::GetFloatOrMergeLimit() const
{
    if (m_pParam == nullptr)
        return 0;
    return m_bMergeEvalRunning ? m_pParam->m_wMergeCellsMode : m_pParam->m_wFloatCellsMode;
}

void CGXGridCore::ImplementDrawSpannedCells()
{
    GXInstallImp<CGXDrawSpannedCellsImp>(m_pDrawSpannedCellsImp);
}

void CGXGridCore::SetMergeCellsMode(WORD wMode, BOOL bRedraw)
{
    if (m_pMergeCellsImp != nullptr)
        m_pMergeCellsImp->SetMergeCellsMode(this, wMode, bRedraw);
}

void CGXGridCore::SetFloatCellsMode(WORD wMode, BOOL bRedraw)
{
    if (m_pFloatCellsImp != nullptr)
        m_pFloatCellsImp->SetFloatCellsMode(this, wMode, bRedraw);
}

// The merged and floating spans follow inserted (bInsert, nArg the count) or removed (nArg the
// last) rows or columns; those from the change to the grid's end are evaluated anew.
void CGXGridCore::FollowStructureInSpans(BOOL bRows, BOOL bInsert, ROWCOL nFrom, ROWCOL nArg)
{
    if (CGXAbstractSpanCellPoolImp* pImp = GXGetAppDataPtr()->m_pSpanCellPoolImp)
        for (CGXSpanCellPool* pPool : {m_pParam->m_pFloatCellsPool, m_pParam->m_pFloatCellsPool2,
                                       m_pParam->m_pMergeCellsPool, m_pParam->m_pMergeCellsPool2})
        {
            if (bRows)
                bInsert ? pImp->InsertRows(pPool, nFrom, nArg) : pImp->RemoveRows(pPool, nFrom, nArg);
            else
                bInsert ? pImp->InsertCols(pPool, nFrom, nArg) : pImp->RemoveCols(pPool, nFrom, nArg);
        }
    const WORD wMergeMode = m_pParam->m_wMergeCellsMode & 3;
    const WORD wFloatMode = m_pParam->m_wFloatCellsMode;
    if (wMergeMode == 0 && wFloatMode == 0)
        return;
    CGXRange range;
    if (bRows)
        range.SetCells(nFrom, 0, std::max(nFrom, GetRowCount()), GetColCount());
    else
        range.SetCells(0, nFrom, GetRowCount(), std::max(nFrom, GetColCount()));
    if (wMergeMode == 1)
        DelayMergeCells(range);
    else if (wMergeMode == 2 && m_pMergeCellsImp != nullptr)
        m_pMergeCellsImp->EvalMergeCells(this, range, nullptr);
    if (wFloatMode == 1)
        DelayFloatCells(range);
    else if (wFloatMode == 2 && m_pFloatCellsImp != nullptr)
        m_pFloatCellsImp->EvalFloatCells(this, range, nullptr);
}

// Changed cells: the merged spans of their neighbours and the float spans of their rows are
// worked out anew, later (delayed modes) or now (immediate modes).
void CGXGridCore::DelaySpansAround(const CGXRange& range)
{
    if (m_pParam == nullptr || !range.IsValid() ||
        ((m_pParam->m_wMergeCellsMode & 3) == 0 && m_pParam->m_wFloatCellsMode == 0))
        return;
    const ROWCOL nRows = GetRowCount();
    const ROWCOL nCols = GetColCount();
    CGXRange cells(range);
    cells.ExpandRange(0, 0, nRows, nCols);
    const CGXRange around(cells.top > 0 ? cells.top - 1 : 0, cells.left > 0 ? cells.left - 1 : 0,
                          std::min(cells.bottom, nRows - 1) + 1, std::min(cells.right, nCols - 1) + 1);
    const CGXRange rows(cells.top, 0, cells.bottom, nCols);
    if ((m_pParam->m_wMergeCellsMode & 3) == 2 && m_pMergeCellsImp != nullptr)
        m_pMergeCellsImp->EvalMergeCells(this, around, nullptr);
    else
        DelayMergeCells(around);
    if (m_pParam->m_wFloatCellsMode == 2 && m_pFloatCellsImp != nullptr)
        m_pFloatCellsImp->EvalFloatCells(this, rows, nullptr);
    else
        DelayFloatCells(rows);
}
