#include <grid/services/spans/GridFloatCellsImp.h>

#include <grid/controls/Control.h>
#include <grid/core/AppData.h>
#include <grid/core/DelayedRangePool.h>
#include <grid/core/Font.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/SpanCellPool.h>
#include <grid/core/Style.h>
#include <toolkit/foundation/ScopedValue.h>

#include <algorithm>
#include <memory>

using tarnwick::foundation::SECScopedValue;

namespace
{
constexpr WORD modeDelayed = 1;
constexpr WORD modeImmediate = 2;
constexpr BOOL toFlood = FALSE;
constexpr BOOL toFloat = TRUE;
// The redraw flags of a span stored by the evaluation.
constexpr UINT evalFlags = 1;

WORD ModeOf(CGXGridCore* pGrid)
{
    return pGrid->GetParam() != nullptr ? pGrid->GetParam()->m_wFloatCellsMode : 0;
}

// A composed style of a cell, handed back to the grid when done.
class ComposedStyle
{
public:
    ComposedStyle(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol) : m_pGrid(pGrid), m_pStyle(pGrid->CreateStyle())
    {
        pGrid->ComposeStyleRowCol(nRow, nCol, m_pStyle, TRUE);
    }
    ~ComposedStyle()
    {
        m_pGrid->RecycleStyle(m_pStyle);
    }
    ComposedStyle(const ComposedStyle&) = delete;
    ComposedStyle& operator=(const ComposedStyle&) = delete;
    const CGXStyle& operator*() const
    {
        return *m_pStyle;
    }
    CGXControl* Control() const
    {
        return m_pGrid->GetRegisteredControl(m_pStyle->GetControl());
    }

private:
    CGXGridCore* m_pGrid;
    CGXStyle* m_pStyle;
};
} // namespace

CGXSpanCellPool* CGXGridFloatCellsImp::SpanPool(CGXGridCore* pGrid)
{
    CGXGridParam* pParam = pGrid->GetParam();
    return pGrid->IsPrinting() ? pParam->m_pFloatCellsPool2 : pParam->m_pFloatCellsPool;
}

CGXDelayedRangePool* CGXGridFloatCellsImp::DelayedPool(CGXGridCore* pGrid)
{
    CGXGridParam* pParam = pGrid->GetParam();
    return pGrid->IsPrinting() ? pParam->m_pFloatCellsWork2 : pParam->m_pFloatCellsWork;
}

BOOL CGXGridFloatCellsImp::BodyOf(CGXGridCore* pGrid, const CGXRange& range, CGXRange& body)
{
    if (!range.IsValid())
        return FALSE;
    const ROWCOL nFirstRow = pGrid->GetHeaderRows() + 1;
    const ROWCOL nFirstCol = pGrid->GetHeaderCols() + 1;
    body = range;
    body.ExpandRange(nFirstRow, nFirstCol, pGrid->GetRowCount(), pGrid->GetColCount());
    body.top = std::max(body.top, nFirstRow);
    body.left = std::max(body.left, nFirstCol);
    body.bottom = std::min(body.bottom, pGrid->GetRowCount());
    body.right = std::min(body.right, pGrid->GetColCount());
    return body.top <= body.bottom && body.left <= body.right;
}

void CGXGridFloatCellsImp::SetFloatCellsMode(CGXGridCore* pGrid, WORD wMode, BOOL bRedraw)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr || wMode > modeImmediate || wMode == pParam->m_wFloatCellsMode)
        return;
    delete pParam->m_pFloatCellsPool;
    delete pParam->m_pFloatCellsWork;
    pParam->m_pFloatCellsPool = nullptr;
    pParam->m_pFloatCellsWork = nullptr;
    pParam->m_wFloatCellsMode = wMode;
    const CGXAppData* pAppData = GXGetAppDataPtr();
    if (wMode != 0 && pAppData->m_pSpanCellPoolImp != nullptr)
        pParam->m_pFloatCellsPool = pAppData->m_pSpanCellPoolImp->CreatePool();
    const CGXRange table(0, 0, pGrid->GetRowCount(), pGrid->GetColCount());
    if (wMode == modeDelayed && pAppData->m_pDelayedRangePoolImp != nullptr)
    {
        pParam->m_pFloatCellsWork = pAppData->m_pDelayedRangePoolImp->CreatePool();
        DelayFloatCells(pGrid, table, GX_INVALID);
    }
    else if (wMode == modeImmediate)
        EvalFloatCellsImmediate(pGrid, table, nullptr);
    if (bRedraw)
        pGrid->RedrawGrid(GX_INVALIDATE);
}

void CGXGridFloatCellsImp::DelayFloatCells(CGXGridCore* pGrid, const CGXRange& range, ROWCOL nMaxCol)
{
    CGXRange body;
    if (ModeOf(pGrid) != modeDelayed || !BodyOf(pGrid, range, body))
        return;
    CGXGridParam* pParam = pGrid->GetParam();
    for (CGXDelayedRangePool* pPool :
         {pGrid->IsPrinting() ? nullptr : pParam->m_pFloatCellsWork, pParam->m_pFloatCellsWork2})
        if (pPool != nullptr)
        {
            pPool->DelayRange(body);
            if (nMaxCol != GX_INVALID)
                pPool->ClampCols(nMaxCol);
        }
}

BOOL CGXGridFloatCellsImp::EvalFloatCells(CGXGridCore* pGrid, const CGXRange& range, CGXRange* pRefresh)
{
    if (pGrid->m_bSpanEvalRunning)
        return FALSE;
    switch (ModeOf(pGrid))
    {
    case modeDelayed:
        return EvalFloatCellsDelayed(pGrid, range, pRefresh);
    case modeImmediate:
        return EvalFloatCellsImmediate(pGrid, range, pRefresh);
    default:
        return FALSE;
    }
}

CGXRange* CGXGridFloatCellsImp::GetFloatedCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange& range)
{
    range.SetCells(nRow, nCol, nRow, nCol);
    const CGXSpanCellPool* pPool = ModeOf(pGrid) != 0 ? SpanPool(pGrid) : nullptr;
    return pPool != nullptr && pPool->GetSpan(nRow, nCol, range) ? &range : nullptr;
}

BOOL CGXGridFloatCellsImp::CanFloatCellDefault(CGXGridCore* /*pGrid*/, ROWCOL /*nRow*/, ROWCOL /*nCol*/,
                                               const CGXStyle& style, BOOL bFloatOrFlood)
{
    if (!bFloatOrFlood)
        return style.GetValue().IsEmpty();
    // Rotated text never floats.
    const BOOL bRotated = style.GetInclude(CGXStyle::inclFont) && style.GetFont().GetIncludeOrientation() &&
                          style.GetFont().GetOrientation() != 0;
    return !bRotated && !style.GetValue().IsEmpty();
}

BOOL CGXGridFloatCellsImp::CanFloatCell(CGXGridCore* pGrid, CGXControl* pControl, ROWCOL nRow, ROWCOL nCol,
                                        const CGXStyle& style, BOOL bFloatOrFlood)
{
    CGXRange span;
    if (ModeOf(pGrid) == 0 || pControl == nullptr || pGrid->GetCoveredCellsRowCol(nRow, nCol, span) != nullptr ||
        pGrid->GetMergedCellsRowCol(nRow, nCol, span, -1) != nullptr)
        return FALSE;
    if (!bFloatOrFlood)
    {
        // Floating text never crosses the edge of the frozen columns.
        if (nCol == pGrid->GetFrozenCols() + 1 || !style.GetInclude(CGXStyle::inclFloodCell) || !style.GetFloodCell())
            return FALSE;
        return pControl->CanFloatCell(nRow, nCol, style, toFlood);
    }
    if (!style.GetInclude(CGXStyle::inclFloatCell) || !style.GetFloatCell())
        return FALSE;
    return pControl->CanFloatCell(nRow, nCol, style, bFloatOrFlood);
}

BOOL CGXGridFloatCellsImp::SetFloatedCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow,
                                                 ROWCOL nToCol, UINT flags)
{
    CGXRange old;
    GetFloatedCellsRowCol(pGrid, nRow, nCol, old);
    if (!StoreFloatedCellsRowCol(pGrid, nRow, nCol, nToRow, nToCol, nToRow != nRow || nToCol != nCol))
        return FALSE;
    if (!pGrid->m_bSpanNoRedraw)
        UpdateFloatedCellsRowCol(pGrid, nRow, nCol, std::max(old.bottom, nToRow), std::max(old.right, nToCol), flags,
                                 TRUE);
    return TRUE;
}

BOOL CGXGridFloatCellsImp::UpdateFloatedCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow,
                                                    ROWCOL nToCol, UINT flags, BOOL bCreateHint)
{
    if (!pGrid->GetParam()->m_bLockUpdate)
    {
        CGXRange span;
        GetFloatedCellsRowCol(pGrid, nRow, nCol, span);
        pGrid->InvalidateRange(nRow, nCol, std::max(nToRow, span.bottom), std::max(nToCol, span.right), flags, FALSE);
    }
    if (CGXAbstractGridUpdateHintImp* pHints = pGrid->HintSender(bCreateHint))
        return pHints->HintFloatedCells(pGrid, nRow, nCol, nToRow, nToCol, flags);
    return FALSE;
}

void CGXGridFloatCellsImp::MergeFloatedCells(CGXGridCore* pGrid, CGXRange& range)
{
    const CGXSpanCellPool* pPool = ModeOf(pGrid) != 0 ? SpanPool(pGrid) : nullptr;
    if (pPool == nullptr || !range.IsValid() || !range.IsCells())
        return;
    for (ROWCOL nRow = range.top; nRow <= range.bottom; ++nRow)
        for (ROWCOL nCol = range.left; nCol <= range.right; ++nCol)
        {
            CGXRange span(nRow, nCol);
            if (pPool->GetSpan(nRow, nCol, span))
            {
                range.UnionRange(range, span);
                nCol = span.right;
            }
        }
}

BOOL CGXGridFloatCellsImp::EvalFloatCellsImmediate(CGXGridCore* pGrid, const CGXRange& range, CGXRange* pRefresh)
{
    CGXRange body;
    if (ModeOf(pGrid) == 0 || !BodyOf(pGrid, range, body))
        return FALSE;
    CDWordArray starts;
    CDWordArray ends;
    const INT_PTR nRows = static_cast<INT_PTR>(body.bottom - body.top) + 1;
    starts.SetSize(nRows);
    ends.SetSize(nRows);
    std::fill(starts.GetData(), starts.GetData() + nRows, body.left);
    std::fill(ends.GetData(), ends.GetData() + nRows, body.right);
    return EvalRows(pGrid, body, starts, ends, pRefresh);
}

BOOL CGXGridFloatCellsImp::EvalFloatCellsDelayed(CGXGridCore* pGrid, const CGXRange& range, CGXRange* pRefresh)
{
    CGXRange body;
    CGXDelayedRangePool* pPool = DelayedPool(pGrid);
    CDWordArray starts;
    CDWordArray ends;
    if (pPool == nullptr || !BodyOf(pGrid, range, body) || !pPool->EvalRanges(body, starts, ends))
        return FALSE;
    return EvalRows(pGrid, body, starts, ends, pRefresh);
}

BOOL CGXGridFloatCellsImp::EvalRows(CGXGridCore* pGrid, const CGXRange& body, const CDWordArray& starts,
                                    const CDWordArray& ends, CGXRange* pRefresh)
{
    if (pGrid->m_bSpanEvalRunning)
        return FALSE;
    const SECScopedValue<BOOL> running(pGrid->m_bSpanEvalRunning, TRUE);
    const SECScopedValue<BOOL> lock(pGrid->GetParam()->m_bLockUpdate, TRUE);
    BOOL bChanged = FALSE;
    for (INT_PTR k = 0; k < starts.GetSize(); ++k)
    {
        const ROWCOL nRow = body.top + static_cast<ROWCOL>(k);
        if (starts[k] == 0xFFFFFFFF || pGrid->IsRowHidden(nRow))
            continue;
        for (ROWCOL nCol = starts[k]; nCol <= ends[k]; ++nCol)
            bChanged |= CalcFloatSpan(pGrid, nRow, nCol, pRefresh);
    }
    return bChanged;
}

BOOL CGXGridFloatCellsImp::EvalFloatCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange* pRefresh)
{
    return CalcFloatSpan(pGrid, nRow, nCol, pRefresh);
}

BOOL CGXGridFloatCellsImp::CalcFloatSpan(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange* pRefresh)
{
    if (ModeOf(pGrid) == 0 || SpanPool(pGrid) == nullptr || nRow <= pGrid->GetHeaderRows() ||
        nCol <= pGrid->GetHeaderCols() || nRow > pGrid->GetRowCount() || nCol > pGrid->GetColCount())
        return FALSE;
    CGXRange stored;
    GetFloatedCellsRowCol(pGrid, nRow, nCol, stored);
    const ROWCOL nSource = stored.left;
    const ComposedStyle source(pGrid, nRow, nSource);
    ROWCOL nEnd = nSource;
    if (CanFloatCell(pGrid, source.Control(), nRow, nSource, *source, toFloat))
    {
        if (pGrid->m_nFloatWidthsRow != nRow)
        {
            pGrid->m_anFloatWidths.RemoveAll();
            pGrid->m_nFloatWidthsRow = nRow;
        }
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        // Text widths stay int: a text wider than 32,767 pixels must not wrap negative.
        int nNeeded = source.Control()->GetPreferredSize(&dc, nRow, nSource, *source, 0).cx;
        pGrid->m_anFloatWidths.SetAtGrow(nSource, nNeeded);
        const ROWCOL nCols = pGrid->GetColCount();
        for (; nEnd < nCols && nNeeded > pGrid->GetColWidth(nEnd); ++nEnd)
        {
            const ComposedStyle next(pGrid, nRow, nEnd + 1);
            if (!CanFloatCell(pGrid, next.Control(), nRow, nEnd + 1, *next, toFlood))
                break;
            nNeeded -= pGrid->GetColWidth(nEnd);
        }
    }
    if (nEnd == stored.right || !SetFloatedCellsRowCol(pGrid, nRow, nSource, nRow, nEnd, evalFlags))
        return FALSE;
    if (pRefresh != nullptr)
    {
        if (!pRefresh->IsValid())
            pRefresh->SetCells(nRow, nSource, nRow, nSource);
        pRefresh->UnionRange(*pRefresh, CGXRange(nRow, nSource, nRow, std::max(nEnd, stored.right)));
    }
    return TRUE;
}

BOOL CGXGridFloatCellsImp::StoreFloatedCellsRowCol(CGXGridCore* pGrid, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom,
                                                   ROWCOL nRight, BOOL bSet)
{
    CGXSpanCellPool* pPool = ModeOf(pGrid) != 0 ? SpanPool(pGrid) : nullptr;
    return pPool != nullptr && pPool->SetSpan(nTop, nLeft, nBottom, nRight, bSet);
}
