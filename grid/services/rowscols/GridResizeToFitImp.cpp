#include <grid/services/rowscols/GridResizeToFitImp.h>

#include <grid/controls/Control.h>
#include <grid/core/AppData.h>
#include <grid/core/GridAxis.h>
#include <grid/core/GridCore.h>
#include <grid/core/LongOperationImp.h>
#include <grid/core/Style.h>

#include <algorithm>

namespace
{
// The area the fitted sizes must stay within: the grid's rectangle, else the client area of the
// window's parent or of its top child, else the largest window coordinates.
CRect VisibleArea(CGXGridCore* pGrid)
{
    CRect rect;
    pGrid->GetGridRect(&rect);
    if (!rect.IsRectEmpty())
        return rect;
    CWnd* pWnd = pGrid->GridWnd();
    CWnd* pOther = pWnd == nullptr ? nullptr : pWnd->GetParent() != nullptr ? pWnd->GetParent() : pWnd->GetTopWindow();
    if (pOther != nullptr)
    {
        pOther->GetClientRect(&rect);
        return rect;
    }
    return CRect(0, 0, 32767, 32767);
}

// A cell's need along the axis, measured by its control.
int MeasureCell(CGXGridCore* pGrid, CDC* pDC, BOOL bRows, ROWCOL nRow, ROWCOL nCol)
{
    CGXStyle* pStyle = pGrid->CreateStyle();
    pGrid->ComposeStyleRowCol(nRow, nCol, pStyle);
    int nNeed = 0;
    if (CGXControl* pControl = pGrid->GetRegisteredControl(pStyle->GetControl()))
    {
        const CSize size = pControl->GetPreferredSize(pDC, nRow, nCol, *pStyle, bRows ? 1 : 0);
        nNeed = bRows ? size.cy : size.cx;
    }
    pGrid->RecycleStyle(pStyle);
    return nNeed;
}

void ThrowIfAborted(GXLongOperationRecord* pRecord)
{
    BOOL bAborted = FALSE;
    if (GXLongOpIsFeedbackDue(pRecord) && GXGetLongOperationAbort(pRecord, bAborted) && bAborted)
        AfxThrowUserException();
}

} // namespace

BOOL CGXGridResizeToFitImp::ResizeRowHeightsToFit(CGXGridCore* pGrid, const CGXRange& range, BOOL bUseCovered,
                                                  UINT flags)
{
    return Fit(pGrid, TRUE, range, bUseCovered, flags);
}

BOOL CGXGridResizeToFitImp::ResizeColWidthsToFit(CGXGridCore* pGrid, const CGXRange& range, BOOL bUseCovered,
                                                 UINT flags)
{
    return Fit(pGrid, FALSE, range, bUseCovered, flags);
}

// Each line (row for heights, column for widths) takes the largest need of its cells across the
// range; a covered range counts at its last line, less the lines it covers above.
BOOL CGXGridResizeToFitImp::Fit(CGXGridCore* pGrid, BOOL bRows, const CGXRange& rangeIn, BOOL bUseCovered,
                                UINT flags)
{
    CWnd* pWnd = pGrid->GridWnd();
    if (pGrid->GetParam() == nullptr || pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    CClientDC dc(pWnd);
    const int nSavedDC = dc.SaveDC();
    pGrid->OnGridPrepareDC(&dc, nullptr);
    // Most cells measure in the standard font; with it selected once, they need not select their own.
    if (pGrid->GetStylesMap() != nullptr)
        pGrid->SelectFontScaled(&dc, pGrid->GetStandardStyle()->GetFont());

    CGXRange range(rangeIn);
    range.ExpandRange(0, 0, pGrid->GetRowCount(), pGrid->GetColCount());
    pGrid->ExpandRangeByMergedCells(range);
    pGrid->ExpandRangeByFloatedCells(range);

    const GXGridAxis axis(*pGrid, bRows);
    const CGXAppData* pAppData = GXGetAppDataPtr();
    const CString& strName = bRows ? pAppData->m_sResizingRows : pAppData->m_sResizingColumns;
    CGXLongOperationScope operation;
    GXSetLongOperationStatus(operation.Record(), strName);
    pGrid->BeginUndoBlock(strName);

    const CRect rectArea = VisibleArea(pGrid);
    const int nArea = bRows ? rectArea.Height() : rectArea.Width();
    const ROWCOL nFrozen = axis.Frozen();
    const ROWCOL nFirstLine = bRows ? range.top : range.left;
    const ROWCOL nLastLine = bRows ? range.bottom : range.right;
    const ROWCOL nFirstCross = bRows ? range.left : range.top;
    const ROWCOL nLastCross = bRows ? range.right : range.bottom;
    BOOL bDone = TRUE;
    try
    {
        for (ULONGLONG nLine64 = nFirstLine; nLine64 <= nLastLine; ++nLine64)
        {
            const auto nLine = static_cast<ROWCOL>(nLine64);
            int nLimit = nLine == 0 ? nArea - 1
                         : nLine <= nFrozen ? nArea - axis.SumOfSizes(0, nLine - 1, 0) - 1
                                            : nArea - axis.SumOfSizes(0, nFrozen, 0) - 1;
            nLimit = std::max(nLimit, 0);
            int nNeed = 0;
            for (ULONGLONG nCross64 = nFirstCross; nCross64 <= nLastCross; ++nCross64)
            {
                const auto nCross = static_cast<ROWCOL>(nCross64);
                const ROWCOL nRow = bRows ? nLine : nCross;
                const ROWCOL nCol = bRows ? nCross : nLine;
                CGXRange covered;
                if (pGrid->GetCoveredCellsRowCol(nRow, nCol, covered) == nullptr)
                {
                    if ((bRows ? pGrid->GetColWidth(nCol) : pGrid->GetRowHeight(nRow)) > 0)
                        nNeed = std::max(nNeed, MeasureCell(pGrid, &dc, bRows, nRow, nCol));
                }
                else
                {
                    const ROWCOL nCoverFirst = bRows ? covered.top : covered.left;
                    const ROWCOL nCoverLast = bRows ? covered.bottom : covered.right;
                    const ROWCOL nCoverCross = bRows ? covered.left : covered.top;
                    const ROWCOL nCoverCrossEnd = bRows ? covered.right : covered.bottom;
                    if (bUseCovered && nCross == nCoverCross && nLine == nCoverLast && nCoverFirst >= nFirstLine &&
                        nCoverCross >= nFirstCross && nCoverCrossEnd <= nLastCross)
                    {
                        const int nAbove = nCoverFirst < nLine ? axis.SumOfSizes(nCoverFirst, nLine - 1, 0) : 0;
                        nNeed = std::max(nNeed,
                                         MeasureCell(pGrid, &dc, bRows, covered.top, covered.left) - nAbove);
                    }
                    nCross64 = std::max<ULONGLONG>(nCross64, nCoverCrossEnd);
                }
                ThrowIfAborted(operation.Record());
            }
            // Widths reach past the visible area while the grid does not limit them.
            const int nNew = bRows || axis.LimitsSize() ? std::min(nNeed, nLimit) : nNeed;
            const int nOld = axis.Size(nLine);
            const BOOL bSet = (flags & GX_GROWONLY) != 0 ? nNew > nOld : nNew != nOld && nNew > 0;
            if (bSet)
                bRows ? pGrid->SetRowHeight(nLine, nLine, nNew, nullptr, flags & ~GX_GROWONLY)
                      : pGrid->SetColWidth(nLine, nLine, nNew, nullptr, flags & ~GX_GROWONLY);
        }
        pGrid->EndUndoBlock();
    }
    catch (CUserException* pException)
    {
        pException->Delete();
        pGrid->RollbackUndoBlock();
        bDone = FALSE;
    }
    dc.RestoreDC(nSavedDC);
    return bDone;
}
