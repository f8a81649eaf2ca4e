#include <grid/services/spans/GridMergeCellsImp.h>

#include <grid/controls/Control.h>
#include <grid/core/AppData.h>
#include <grid/core/DelayedRangePool.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/SpanCellPool.h>
#include <grid/core/Style.h>
#include <toolkit/foundation/ScopedValue.h>

#include <algorithm>

using tarnwick::foundation::SECScopedValue;

namespace
{
// The mode word of the parameter object.
constexpr WORD modeMask = 0x3;
constexpr WORD modeDelayed = 1;
constexpr WORD modeImmediate = 2;
constexpr WORD noVertical = 0x4;
constexpr WORD noHorizontal = 0x8;
constexpr WORD withHidden = 0x10;
// The merge-cell attribute's flags.
constexpr int mergeHorizontal = 0x1;
constexpr int mergeVertical = 0x2;
constexpr int mergeValuesOnly = 0x4;
// The redraw flags of a span stored by the evaluation.
constexpr UINT evalFlags = 2;

constexpr int across = 0; // a span over columns
constexpr int down = 1;   // a span over rows

// The cell at position n of a line: a row (across) or a column (down).
void CellOf(int nDirection, ROWCOL nLine, ROWCOL n, ROWCOL& nRow, ROWCOL& nCol)
{
    nRow = nDirection == across ? nLine : n;
    nCol = nDirection == across ? n : nLine;
}

ROWCOL StartOf(const CGXRange& range, int nDirection)
{
    return nDirection == across ? range.left : range.top;
}

ROWCOL EndOf(const CGXRange& range, int nDirection)
{
    return nDirection == across ? range.right : range.bottom;
}

WORD ModeOf(CGXGridCore* pGrid)
{
    return pGrid->GetParam() != nullptr ? pGrid->GetParam()->m_wMergeCellsMode : 0;
}

BOOL IsHiddenAt(CGXGridCore* pGrid, int nDirection, ROWCOL n)
{
    return nDirection == across ? pGrid->IsColHidden(n) : pGrid->IsRowHidden(n);
}

ROWCOL CountOf(CGXGridCore* pGrid, int nDirection)
{
    return nDirection == across ? pGrid->GetColCount() : pGrid->GetRowCount();
}

// A span stored, not cleared, by the last pair.
BOOL IsStoredSpan(const CGXRange& last, int nDirection)
{
    return last.IsValid() && EndOf(last, nDirection) > StartOf(last, nDirection);
}
} // namespace

CGXGridMergeCellsImp::~CGXGridMergeCellsImp()
{
    for (auto& entry : m_styles)
        delete entry.second;
}

CGXSpanCellPool* CGXGridMergeCellsImp::PoolOf(CGXGridCore* pGrid, int nDirection)
{
    CGXGridParam* pParam = pGrid->GetParam();
    return nDirection == across ? pParam->m_pMergeCellsPool : pParam->m_pMergeCellsPool2;
}

void CGXGridMergeCellsImp::SetMergeCellsMode(CGXGridCore* pGrid, WORD wMode, BOOL bRedraw)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if ((wMode & modeMask) == modeMask || pParam == nullptr || wMode == pParam->m_wMergeCellsMode)
        return;
    delete pParam->m_pMergeCellsPool;
    delete pParam->m_pMergeCellsPool2;
    delete pParam->m_pMergeCellsWork;
    pParam->m_pMergeCellsPool = nullptr;
    pParam->m_pMergeCellsPool2 = nullptr;
    pParam->m_pMergeCellsWork = nullptr;
    pParam->m_wMergeCellsMode = wMode;

    const CGXAppData* pAppData = GXGetAppDataPtr();
    const WORD wEval = wMode & modeMask;
    if (wEval != 0 && pAppData->m_pSpanCellPoolImp != nullptr)
    {
        pParam->m_pMergeCellsPool = pAppData->m_pSpanCellPoolImp->CreatePool();
        pParam->m_pMergeCellsPool2 = pAppData->m_pSpanCellPoolImp->CreatePool();
    }
    const CGXRange table(0, 0, pGrid->GetRowCount(), pGrid->GetColCount());
    if (wEval == modeDelayed && pAppData->m_pDelayedRangePoolImp != nullptr)
    {
        pParam->m_pMergeCellsWork = pAppData->m_pDelayedRangePoolImp->CreatePool();
        DelayMergeCells(pGrid, table, GX_INVALID, GX_INVALID);
    }
    else if (wEval == modeImmediate)
        EvalMergeCells(pGrid, table, nullptr);
    if (bRedraw)
        pGrid->RedrawGrid(GX_INVALIDATE);
}

void CGXGridMergeCellsImp::DelayMergeCells(CGXGridCore* pGrid, const CGXRange& range, ROWCOL nMaxRow, ROWCOL nMaxCol)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr || (pParam->m_wMergeCellsMode & modeMask) != modeDelayed ||
        pParam->m_pMergeCellsWork == nullptr || !range.IsValid())
        return;
    const ROWCOL nRows = pGrid->GetRowCount();
    const ROWCOL nCols = pGrid->GetColCount();
    CGXRange area(range);
    area.ExpandRange(0, 0, nRows, nCols);
    if ((pParam->m_wMergeCellsMode & withHidden) != 0)
    {
        while (area.top > 0 && pGrid->IsRowHidden(area.top))
            --area.top;
        while (area.bottom < nRows && pGrid->IsRowHidden(area.bottom))
            ++area.bottom;
        while (area.left > 0 && pGrid->IsColHidden(area.left))
            --area.left;
        while (area.right < nCols && pGrid->IsColHidden(area.right))
            ++area.right;
    }
    pParam->m_pMergeCellsWork->DelayRange(area);
    if (nMaxRow != GX_INVALID)
        pParam->m_pMergeCellsWork->ClampRows(nMaxRow);
    if (nMaxCol != GX_INVALID)
        pParam->m_pMergeCellsWork->ClampCols(nMaxCol);
}

BOOL CGXGridMergeCellsImp::EvalMergeCells(CGXGridCore* pGrid, const CGXRange& range, CGXRange* pRefresh)
{
    CGXGridParam* pParam = pGrid->GetParam();
    const WORD wMode = ModeOf(pGrid);
    if (pGrid->m_bSpanEvalRunning || (wMode & modeMask) == 0 || PoolOf(pGrid, across) == nullptr || !range.IsValid())
        return FALSE;
    CGXRange area(range);
    area.ExpandRange(0, 0, pGrid->GetRowCount(), pGrid->GetColCount());
    area.bottom = std::min(area.bottom, pGrid->GetRowCount());
    area.right = std::min(area.right, pGrid->GetColCount());
    if (area.top > area.bottom || area.left > area.right)
        return FALSE;

    CDWordArray starts;
    CDWordArray ends;
    if ((wMode & modeMask) == modeDelayed)
    {
        if (pParam->m_pMergeCellsWork == nullptr || !pParam->m_pMergeCellsWork->EvalRanges(area, starts, ends))
            return FALSE;
    }
    else
    {
        const INT_PTR nRows = static_cast<INT_PTR>(area.bottom - area.top) + 1;
        starts.SetSize(nRows);
        ends.SetSize(nRows);
        std::fill(starts.GetData(), starts.GetData() + nRows, area.left);
        std::fill(ends.GetData(), ends.GetData() + nRows, area.right);
    }

    const SECScopedValue<BOOL> running(pGrid->m_bSpanEvalRunning, TRUE);
    const SECScopedValue<BOOL> merging(pGrid->m_bMergeEvalRunning, TRUE);
    const SECScopedValue<BOOL> lock(pParam->m_bLockUpdate, TRUE);
    const BOOL bHidden = (wMode & withHidden) != 0;
    BOOL bChanged = FALSE;
    for (INT_PTR k = 0; k < starts.GetSize(); ++k)
    {
        const ROWCOL nRow = area.top + static_cast<ROWCOL>(k);
        if (starts[k] == 0xFFFFFFFF || (!bHidden && pGrid->IsRowHidden(nRow)))
            continue;
        for (ROWCOL nCol = starts[k]; nCol <= ends[k]; ++nCol)
            if (bHidden || !pGrid->IsColHidden(nCol))
                bChanged |= EvalAround(pGrid, nRow, nCol, pRefresh);
        FreeStyles(pGrid);
    }
    return bChanged;
}

CGXRange* CGXGridMergeCellsImp::GetMergedCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange& range,
                                                     int nDirection)
{
    if ((ModeOf(pGrid) & modeMask) == 0)
        return nullptr;
    range.SetCells(nRow, nCol, nRow, nCol);
    BOOL bFound = FALSE;
    for (int nDir : {across, down})
    {
        const CGXSpanCellPool* pPool = PoolOf(pGrid, nDir);
        if ((nDirection == -1 || nDirection == nDir) && pPool != nullptr)
            bFound |= pPool->GetSpan(nRow, nCol, range);
    }
    return bFound ? &range : nullptr;
}

BOOL CGXGridMergeCellsImp::CanMergeCell(CGXGridCore* pGrid, CGXControl* pControl, ROWCOL nRow, ROWCOL nCol,
                                        const CGXStyle& style, int nDirection)
{
    const WORD wMode = ModeOf(pGrid);
    if ((wMode & withHidden) != 0 && (pGrid->IsRowHidden(nRow) || pGrid->IsColHidden(nCol)))
        return TRUE;
    if ((wMode & modeMask) == 0 || !style.GetInclude(CGXStyle::inclMergeCell))
        return FALSE;
    const int nFlags = style.GetMergeCell();
    const BOOL bAllowed = nDirection == across ? (nFlags & mergeHorizontal) != 0 && (wMode & noHorizontal) == 0
                                               : (nFlags & mergeVertical) != 0 && (wMode & noVertical) == 0;
    CGXRange covered;
    if (!bAllowed || pGrid->GetCoveredCellsRowCol(nRow, nCol, covered) != nullptr)
        return FALSE;
    return pControl == nullptr || pControl->CellHasValue(nRow, nCol, style);
}

BOOL CGXGridMergeCellsImp::CanMergeCells(CGXGridCore* /*pGrid*/, const CGXStyle& style1, const CGXStyle& style2)
{
    if (!style1.GetInclude(CGXStyle::inclMergeCell) || !style2.GetInclude(CGXStyle::inclMergeCell))
        return FALSE;
    if ((style1.GetMergeCell() & mergeValuesOnly) != 0 && (style2.GetMergeCell() & mergeValuesOnly) != 0)
        return style1.GetValue() == style2.GetValue();
    return style1.IsSubSet(style2) && style2.IsSubSet(style1);
}

BOOL CGXGridMergeCellsImp::SetMergedCellsRowCol(CGXGridCore* pGrid, int nDirection, ROWCOL nRow, ROWCOL nCol,
                                                ROWCOL nToRow, ROWCOL nToCol, UINT flags)
{
    CGXSpanCellPool* pPool = PoolOf(pGrid, nDirection);
    if (pPool == nullptr)
        return FALSE;
    CGXRange old(nRow, nCol);
    pPool->GetSpan(nRow, nCol, old);
    const BOOL bSet = nToRow != nRow || nToCol != nCol;
    if (!pPool->SetSpan(nRow, nCol, nToRow, nToCol, bSet))
        return FALSE;
    pGrid->m_lastMergedRange.SetCells(nRow, nCol, nToRow, nToCol);
    CGXRange area;
    area.UnionRange(old, pGrid->m_lastMergedRange);
    pGrid->DelayFloatCells(area);
    if (!pGrid->m_bSpanNoRedraw)
        UpdateMergedCellsRowCol(pGrid, area.top, area.left, area.bottom, area.right, flags, TRUE);
    return TRUE;
}

BOOL CGXGridMergeCellsImp::UpdateMergedCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow,
                                                   ROWCOL nToCol, UINT flags, BOOL bCreateHint)
{
    if (!pGrid->GetParam()->m_bLockUpdate)
    {
        CGXRange area(nRow, nCol, nToRow, nToCol);
        CGXRange span;
        if (GetMergedCellsRowCol(pGrid, nRow, nCol, span, -1) != nullptr)
            area.UnionRange(area, span);
        pGrid->InvalidateRange(area.top, area.left, area.bottom, area.right, flags, FALSE);
    }
    if (CGXAbstractGridUpdateHintImp* pHints = pGrid->HintSender(bCreateHint))
        return pHints->HintMergedCells(pGrid, nRow, nCol, nToRow, nToCol, flags);
    return FALSE;
}

void CGXGridMergeCellsImp::MergeMergedCells(CGXGridCore* pGrid, CGXRange& range)
{
    if ((ModeOf(pGrid) & modeMask) == 0 || !range.IsValid() || !range.IsCells())
        return;
    // Across first, row by row; then down, column by column. The bounds are read anew on every
    // step, so that a growing range is walked to its new edges.
    for (int nDir : {across, down})
    {
        const CGXSpanCellPool* pPool = PoolOf(pGrid, nDir);
        if (pPool == nullptr)
            continue;
        for (ROWCOL nLine = nDir == across ? range.top : range.left;
             nLine <= (nDir == across ? range.bottom : range.right); ++nLine)
            for (ROWCOL n = StartOf(range, nDir); n <= EndOf(range, nDir); ++n)
            {
                ROWCOL nRow = 0;
                ROWCOL nCol = 0;
                CellOf(nDir, nLine, n, nRow, nCol);
                CGXRange span(nRow, nCol);
                if (pPool->GetSpan(nRow, nCol, span))
                {
                    range.UnionRange(range, span);
                    n = EndOf(span, nDir);
                }
            }
    }
}

BOOL CGXGridMergeCellsImp::EvalMergeCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange* pRefresh)
{
    if (pGrid->m_bSpanEvalRunning || (ModeOf(pGrid) & modeMask) == 0)
        return FALSE;
    const SECScopedValue<BOOL> running(pGrid->m_bSpanEvalRunning, TRUE);
    const SECScopedValue<BOOL> merging(pGrid->m_bMergeEvalRunning, TRUE);
    const BOOL bChanged = EvalAround(pGrid, nRow, nCol, pRefresh);
    FreeStyles(pGrid);
    return bChanged;
}

BOOL CGXGridMergeCellsImp::EvalAround(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange* pRefresh)
{
    const WORD wMode = ModeOf(pGrid);
    BOOL bChanged = FALSE;
    if ((wMode & noHorizontal) == 0)
    {
        bChanged |= EvalBefore(pGrid, across, nRow, nCol, pRefresh);
        bChanged |= EvalAfter(pGrid, across, nRow, nCol, TRUE, pRefresh);
    }
    if ((wMode & noVertical) == 0)
    {
        bChanged |= EvalBefore(pGrid, down, nCol, nRow, pRefresh);
        bChanged |= EvalAfter(pGrid, down, nCol, nRow, FALSE, pRefresh);
    }
    return bChanged;
}

BOOL CGXGridMergeCellsImp::EvalBefore(CGXGridCore* pGrid, int nDirection, ROWCOL nLine, ROWCOL n, CGXRange* pRefresh)
{
    if (n == 0 || n > CountOf(pGrid, nDirection))
        return FALSE;
    const BOOL bHidden = (ModeOf(pGrid) & withHidden) != 0;
    CGXRange& last = pGrid->m_lastMergedRange;
    last.valid = FALSE;
    ROWCOL a = n - 1;
    while (bHidden && a > 0 && IsHiddenAt(pGrid, nDirection, a))
        --a;
    BOOL bChanged = EvalPair(pGrid, nDirection, nLine, a, n, pRefresh);
    // Continues beyond the stored span's edge while the edge moves.
    for (ROWCOL nEdge = StartOf(last, nDirection); IsStoredSpan(last, nDirection) && nEdge > 0;)
    {
        last.valid = FALSE;
        if (!EvalPair(pGrid, nDirection, nLine, nEdge - 1, nEdge, pRefresh))
            break;
        bChanged = TRUE;
        if (!IsStoredSpan(last, nDirection) || StartOf(last, nDirection) >= nEdge)
            break;
        nEdge = StartOf(last, nDirection);
    }
    return bChanged;
}

BOOL CGXGridMergeCellsImp::EvalAfter(CGXGridCore* pGrid, int nDirection, ROWCOL nLine, ROWCOL n, BOOL bContinue,
                                     CGXRange* pRefresh)
{
    const ROWCOL nCount = CountOf(pGrid, nDirection);
    if (n >= nCount)
        return FALSE;
    const BOOL bHidden = (ModeOf(pGrid) & withHidden) != 0;
    CGXRange& last = pGrid->m_lastMergedRange;
    last.valid = FALSE;
    ROWCOL b = n + 1;
    while (bHidden && b < nCount && IsHiddenAt(pGrid, nDirection, b))
        ++b;
    BOOL bChanged = EvalPair(pGrid, nDirection, nLine, n, b, pRefresh);
    for (ROWCOL nEdge = EndOf(last, nDirection); bContinue && IsStoredSpan(last, nDirection) && nEdge < nCount;)
    {
        last.valid = FALSE;
        if (!EvalPair(pGrid, nDirection, nLine, nEdge, nEdge + 1, pRefresh))
            break;
        bChanged = TRUE;
        if (!IsStoredSpan(last, nDirection) || EndOf(last, nDirection) <= nEdge)
            break;
        nEdge = EndOf(last, nDirection);
    }
    return bChanged;
}

BOOL CGXGridMergeCellsImp::EvalPair(CGXGridCore* pGrid, int nDirection, ROWCOL nLine, ROWCOL a, ROWCOL b,
                                    CGXRange* pRefresh)
{
    CGXSpanCellPool* pPool = PoolOf(pGrid, nDirection);
    if (pPool == nullptr)
        return FALSE;
    ROWCOL nRowA = 0, nColA = 0, nRowB = 0, nColB = 0;
    CellOf(nDirection, nLine, a, nRowA, nColA);
    CellOf(nDirection, nLine, b, nRowB, nColB);
    CGXRange spanA(nRowA, nColA);
    CGXRange spanB(nRowB, nColB);
    const BOOL bHadA = pPool->GetSpan(nRowA, nColA, spanA);
    const BOOL bHadB = pPool->GetSpan(nRowB, nColB, spanB);

    const CGXStyle& styleA = StyleOf(pGrid, nRowA, nColA);
    const CGXStyle& styleB = StyleOf(pGrid, nRowB, nColB);
    const BOOL bCanA =
        CanMergeCell(pGrid, pGrid->GetRegisteredControl(styleA.GetControl()), nRowA, nColA, styleA, nDirection);
    if ((ModeOf(pGrid) & withHidden) != 0 && IsHiddenAt(pGrid, nDirection, b))
        return TRUE;
    const BOOL bCanB =
        CanMergeCell(pGrid, pGrid->GetRegisteredControl(styleB.GetControl()), nRowB, nColB, styleB, nDirection);

    // A span from s to e along the line (a one-cell span clears).
    const auto store = [&](ROWCOL s, ROWCOL e) {
        ROWCOL nRow1 = 0, nCol1 = 0, nRow2 = 0, nCol2 = 0;
        CellOf(nDirection, nLine, s, nRow1, nCol1);
        CellOf(nDirection, nLine, e, nRow2, nCol2);
        return SetMergedCellsRowCol(pGrid, nDirection, nRow1, nCol1, nRow2, nCol2, evalFlags);
    };
    const ROWCOL nStartA = StartOf(spanA, nDirection);
    const ROWCOL nEndA = EndOf(spanA, nDirection);
    const ROWCOL nStartB = StartOf(spanB, nDirection);
    const ROWCOL nEndB = EndOf(spanB, nDirection);
    BOOL bChanged = FALSE;
    if (bCanA && bCanB && CanMergeCells(pGrid, styleA, styleB))
    {
        if (nEndA == nEndB)
            return FALSE;
        if (bHadB)
            bChanged |= store(nStartB, nStartB);
        bChanged |= store(nStartA, nEndB);
    }
    else
    {
        if (bHadA && nEndA >= b)
        {
            bChanged |= store(nStartA, nStartA);
            if (nStartA < a)
                bChanged |= store(nStartA, a);
        }
        if (bHadB && nStartB <= a)
        {
            if (nEndA != nEndB)
                bChanged |= store(nStartB, nStartB);
            if (nEndB > b)
                bChanged |= store(b, nEndB);
        }
    }
    if (bChanged && pRefresh != nullptr)
    {
        if (!pRefresh->IsValid())
            pRefresh->SetCells(nRowB, nColB, nRowB, nColB);
        CGXRange reach;
        reach.UnionRange(spanA, spanB);
        pRefresh->UnionRange(*pRefresh, reach);
    }
    return bChanged;
}

const CGXStyle& CGXGridMergeCellsImp::StyleOf(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol)
{
    const ULONGLONG nKey = (static_cast<ULONGLONG>(nRow) << 32) | nCol;
    CGXStyle*& pStyle = m_styles[nKey];
    if (pStyle == nullptr)
    {
        pStyle = pGrid->CreateStyle();
        pGrid->ComposeStyleRowCol(nRow, nCol, pStyle, TRUE);
    }
    return *pStyle;
}

void CGXGridMergeCellsImp::FreeStyles(CGXGridCore* pGrid)
{
    for (auto& entry : m_styles)
        pGrid->RecycleStyle(entry.second);
    m_styles.clear();
}
