#include <grid/services/mouse/GridUserSelectRangeImp.h>

#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>

#include <algorithm>
#include <vector>

namespace
{
// Selection permissions of the parameter object.
constexpr WORD allowRows = 0x01;
constexpr WORD allowCols = 0x02;
constexpr WORD allowTable = 0x04;
constexpr WORD allowCells = 0x08;
constexpr WORD allowAdd = 0x10;
constexpr WORD allowMouseExtend = 0x20;
constexpr WORD allowKeyExtend = 0x40;
constexpr WORD allowAny = 0xFF;
// The tracking word: a mouse selection runs; a click selects its cell.
constexpr WORD selecting = 0x02;
constexpr WORD clickSelects = 0x80;

BOOL IsRowsLike(const CGXRange& range)
{
    return range.IsRows() || range.IsTable();
}

BOOL IsColsLike(const CGXRange& range)
{
    return range.IsCols() || range.IsTable();
}

// The rows or columns of the grid that can be seen: the frozen ones below the headers, then
// the scrolled ones up to the last visible one.
std::vector<ROWCOL> VisibleIndexes(ROWCOL nHeaders, ROWCOL nFrozen, ROWCOL nFirst, ROWCOL nLast)
{
    std::vector<ROWCOL> indexes;
    for (ROWCOL n = nHeaders + 1; n <= nFrozen; ++n)
        indexes.push_back(n);
    for (ROWCOL n = std::max(nFirst, nFrozen + 1); n <= nLast && n != GX_INVALID; ++n)
        indexes.push_back(n);
    return indexes;
}
} // namespace

CGXRangeList& CGXGridUserSelectRangeImp::Selection(CGXGridCore* pGrid)
{
    return pGrid->m_pParam->m_SelRects;
}

CGXRange CGXGridUserSelectRangeImp::MakeRange(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight)
{
    CGXRange range(nTop, nLeft, nBottom, nRight);
    if (range.top == 0 && range.left == 0)
        range.SetTable();
    else if (range.top == 0)
        range.SetCols(range.left, range.right);
    else if (range.left == 0)
        range.SetRows(range.top, range.bottom);
    return range;
}

void CGXGridUserSelectRangeImp::ClearSelection(CGXGridCore* pGrid, BOOL bKey)
{
    CGXRangeList old;
    old = Selection(pGrid);
    SetSelection(pGrid, nullptr, 0, 0, 0, 0);
    RedrawSelectionChanges(pGrid, old, TRUE);
    pGrid->OnSelectionChanged(nullptr, FALSE, bKey);
}

POSITION CGXGridUserSelectRangeImp::StartEditedRange(CGXGridCore* pGrid, const CGXRange& range, ROWCOL nAnchorRow,
                                                     ROWCOL nAnchorCol)
{
    pGrid->m_posEditedRange = Selection(pGrid).AddTail(new CGXRange(range));
    pGrid->m_nAnchorRow = pGrid->m_nEndRow = nAnchorRow;
    pGrid->m_nAnchorCol = pGrid->m_nEndCol = nAnchorCol;
    return pGrid->m_posEditedRange;
}

BOOL CGXGridUserSelectRangeImp::SetEditedRange(CGXGridCore* pGrid, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom,
                                               ROWCOL nRight, BOOL bDragging, BOOL bKey, BOOL bUpdate)
{
    POSITION pos = pGrid->m_posEditedRange;
    if (pos == nullptr)
        return FALSE;
    CGXRange range = MakeRange(nTop, nLeft, nBottom, nRight);
    if (!pGrid->CanChangeSelection(&range, bDragging, bKey))
        return FALSE;
    if (bUpdate)
        RedrawRangeChange(pGrid, pos, nTop, nLeft, nBottom, nRight, TRUE);
    SetSelection(pGrid, pos, nTop, nLeft, nBottom, nRight);
    pGrid->OnSelectionChanged(&range, bDragging, bKey);
    return TRUE;
}

BOOL CGXGridUserSelectRangeImp::OnStartSelection(CGXGridCore* pGrid, CPoint point, UINT flags, int /*nHit*/,
                                                 ROWCOL nRow, ROWCOL nCol)
{
    CGXGridParam* pParam = pGrid->m_pParam;
    CGXRangeList& list = Selection(pGrid);
    if (nRow == 0 && nCol == 0)
    {
        if (!pParam->IsAllowSelection(allowTable) || !pGrid->CanStartSelection(0, 0, flags, point) ||
            !pGrid->CanChangeSelection(nullptr, FALSE, FALSE))
            return FALSE;
        BOOL bSelected = FALSE;
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
            bSelected = bSelected || list.GetNextRange(pos)->IsTable();
        if (!bSelected)
            ClearSelection(pGrid, FALSE);
        CGXRange table(0, 0, pGrid->GetRowCount(), pGrid->GetColCount());
        SelectRange(pGrid, table.SetTable(), !bSelected, TRUE);
        return TRUE;
    }

    const ROWCOL nHeaderRows = pGrid->GetHeaderRows();
    const ROWCOL nHeaderCols = pGrid->GetHeaderCols();
    const BOOL bRowHeader = nCol <= nHeaderCols && nRow > nHeaderRows;
    const BOOL bColHeader = nRow <= nHeaderRows && nCol > nHeaderCols;
    const BOOL bCell = nRow > nHeaderRows && nCol > nHeaderCols;
    const BOOL bSingle = pParam->TestSpecialMode(GX_SINGLELISTBOX);
    const BOOL bMultiple = pParam->TestSpecialMode(GX_MULTIPLELISTBOX);
    BOOL bAdd = (flags & MK_CONTROL) && pParam->IsAllowSelection(allowAdd);
    BOOL bExtend = (flags & MK_SHIFT) && pParam->IsAllowSelection(allowMouseExtend);
    if (bMultiple)
    {
        bAdd = (flags & MK_CONTROL) != 0;
        bExtend = (flags & MK_SHIFT) != 0;
    }
    else if (bSingle)
        bAdd = bExtend = FALSE;

    if (!pParam->IsAllowSelection(allowAny) || !pGrid->CanStartSelection(nRow, nCol, flags, point))
        return FALSE;
    ROWCOL nCurRow = 0;
    ROWCOL nCurCol = 0;
    if (!bAdd && !bExtend)
    {
        if (pGrid->CanChangeSelection(nullptr, FALSE, FALSE))
            ClearSelection(pGrid, FALSE);
    }
    else if (bAdd && !bExtend && list.IsEmpty() && pGrid->GetCurrentCell(&nCurRow, &nCurCol) &&
             (nCurRow != nRow || nCurCol != nCol) && !bSingle && !bMultiple)
        SelectRange(pGrid, CGXRange(nCurRow, nCurCol), TRUE, TRUE); // the current cell stays selected

    if ((bRowHeader && !pParam->IsAllowSelection(allowRows)) || (bColHeader && !pParam->IsAllowSelection(allowCols)) ||
        (bCell && !pParam->IsAllowSelection(allowCells)) || (!bRowHeader && !bColHeader && !bCell))
        return FALSE;

    if (bExtend)
    {
        if (list.IsEmpty())
            StartEditedRange(pGrid, CGXRange(), pGrid->m_nCurrentRow, pGrid->m_nCurrentCol);
        else
            pGrid->m_posEditedRange = list.GetTailPosition();
        SetEditedRange(pGrid, pGrid->m_nAnchorRow, pGrid->m_nAnchorCol, nRow, nCol, FALSE, FALSE);
        pGrid->m_wSelectTracking |= selecting;
        return TRUE;
    }

    StartEditedRange(pGrid, CGXRange(), nRow, nCol);
    pGrid->m_wSelectTracking |= selecting;
    if (bCell && !bSingle && !bMultiple)
        return TRUE; // the first move makes the range
    if (bSingle)
        SetEditedRange(pGrid, nRow, 0, nRow, 0, FALSE, FALSE);
    else if (bRowHeader)
        SetEditedRange(pGrid, nRow, 0, nRow, 0, FALSE, FALSE);
    else if (bColHeader)
        SetEditedRange(pGrid, 0, nCol, 0, nCol, FALSE, FALSE);
    else
        SetEditedRange(pGrid, nRow, nCol, nRow, nCol, FALSE, FALSE);
    return TRUE;
}

BOOL CGXGridUserSelectRangeImp::OnMoveSelection(CGXGridCore* pGrid, CPoint /*point*/, UINT /*flags*/, ROWCOL nRow,
                                                ROWCOL nCol)
{
    CGXGridParam* pParam = pGrid->m_pParam;
    if (!pParam->IsAllowSelection(allowAny) || !(pGrid->m_wSelectTracking & selecting))
        return FALSE;
    const ROWCOL nHeaderRows = pGrid->GetHeaderRows();
    const ROWCOL nHeaderCols = pGrid->GetHeaderCols();
    const ROWCOL nAnchorRow = pGrid->m_nAnchorRow;
    const ROWCOL nAnchorCol = pGrid->m_nAnchorCol;
    if (pParam->TestSpecialMode(GX_SINGLELISTBOX))
        SetEditedRange(pGrid, nRow, 0, nRow, 0, TRUE, FALSE);
    else if (nAnchorRow <= nHeaderRows)
        SetEditedRange(pGrid, 0, nAnchorCol, 0, std::max(nCol, nHeaderCols + 1), TRUE, FALSE);
    else if (nAnchorCol <= nHeaderCols)
        SetEditedRange(pGrid, nAnchorRow, 0, std::max(nRow, nHeaderRows + 1), 0, TRUE, FALSE);
    else
        SetEditedRange(pGrid, nAnchorRow, nAnchorCol, std::max(nRow, nHeaderRows + 1), std::max(nCol, nHeaderCols + 1),
                       TRUE, FALSE);
    pGrid->m_nEndRow = nRow;
    pGrid->m_nEndCol = nCol;
    return TRUE;
}

BOOL CGXGridUserSelectRangeImp::OnEndSelection(CGXGridCore* pGrid, CPoint /*point*/, UINT /*flags*/, ROWCOL /*nRow*/,
                                               ROWCOL /*nCol*/)
{
    CGXGridParam* pParam = pGrid->m_pParam;
    if (!pParam->IsAllowSelection(allowAny) || !(pGrid->m_wSelectTracking & selecting))
        return FALSE;
    const BOOL bListBox = pParam->TestSpecialMode(GX_SINGLELISTBOX | GX_MULTIPLELISTBOX);
    const ROWCOL nAnchorRow = pGrid->m_nAnchorRow;
    const ROWCOL nAnchorCol = pGrid->m_nAnchorCol;
    // A click on a cell without a drag; presses in the headers have made their range already.
    const BOOL bClick = nAnchorRow == pGrid->m_nEndRow && nAnchorCol == pGrid->m_nEndCol &&
                        nAnchorRow > pGrid->GetHeaderRows() && nAnchorCol > pGrid->GetHeaderCols();
    if (!bListBox && bClick)
    {
        if (pGrid->m_wSelectTracking & clickSelects)
            SetEditedRange(pGrid, nAnchorRow, nAnchorCol, nAnchorRow, nAnchorCol, FALSE, FALSE, FALSE);
        else if (!pParam->m_bSelectionFollowsCell)
            ClearSelection(pGrid, FALSE);
    }
    else if (POSITION pos = pGrid->m_posEditedRange)
        pGrid->OnSelectionChanged(Selection(pGrid).GetRangeAt(pos), FALSE, FALSE);
    // A press that never became a range leaves nothing behind.
    CGXRangeList& list = Selection(pGrid);
    if (POSITION pos = pGrid->m_posEditedRange; pos != nullptr && !list.GetRangeAt(pos)->IsValid())
    {
        list.DeleteAt(pos);
        pGrid->m_posEditedRange = nullptr;
    }
    pGrid->m_wSelectTracking &= static_cast<WORD>(~selecting);
    return TRUE;
}

BOOL CGXGridUserSelectRangeImp::SelectRange(CGXGridCore* pGrid, const CGXRange& range, BOOL bSelect, BOOL bUpdate)
{
    if (!range.IsValid())
        return FALSE;
    CGXRangeList old;
    old = Selection(pGrid);
    const BOOL bChanged = ChangeSelectionList(pGrid, range, bSelect);
    if (bChanged)
        pGrid->OnSelectionChanged(&range, FALSE, FALSE);
    if (bUpdate)
        RedrawSelectionChanges(pGrid, old, TRUE);
    return bChanged;
}

BOOL CGXGridUserSelectRangeImp::ChangeSelectionList(CGXGridCore* pGrid, const CGXRange& range, BOOL bSelect)
{
    CGXRangeList& list = Selection(pGrid);
    if (bSelect)
    {
        list.AddTail(new CGXRange(range));
        return TRUE;
    }
    const ROWCOL nRows = pGrid->GetRowCount();
    const ROWCOL nCols = pGrid->GetColCount();
    CGXRange removed(range);
    removed.ExpandRange(1, 1, nRows, nCols);
    BOOL bChanged = FALSE;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
    {
        const POSITION posThis = pos;
        const CGXRange listRange = *list.GetNextRange(pos);
        CGXRange whole(listRange);
        whole.ExpandRange(1, 1, nRows, nCols);
        CGXRange cut;
        if (!listRange.IsValid() || !cut.IntersectRange(whole, removed))
            continue;
        const BOOL bRows = IsRowsLike(range) && IsRowsLike(listRange);
        const BOOL bCols = IsColsLike(range) && IsColsLike(listRange);
        auto addPiece = [&](ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight) {
            CGXRange piece(nTop, nLeft, nBottom, nRight);
            if (bRows)
                piece.SetRows(nTop, nBottom);
            else if (bCols)
                piece.SetCols(nLeft, nRight);
            list.InsertBefore(posThis, new CGXRange(piece));
        };
        if (cut.top > whole.top)
            addPiece(whole.top, whole.left, cut.top - 1, whole.right);
        if (cut.bottom < whole.bottom)
            addPiece(cut.bottom + 1, whole.left, whole.bottom, whole.right);
        if (cut.left > whole.left)
            addPiece(cut.top, whole.left, cut.bottom, cut.left - 1);
        if (cut.right < whole.right)
            addPiece(cut.top, cut.right + 1, cut.bottom, whole.right);
        if (posThis == pGrid->m_posEditedRange)
            pGrid->m_posEditedRange = nullptr;
        list.DeleteAt(posThis);
        bChanged = TRUE;
    }
    return bChanged;
}

void CGXGridUserSelectRangeImp::DrawDifferences(CGXGridCore* pGrid, const CGXRangeList& before,
                                                const CGXRangeList& after)
{
    CGXGridParam* pParam = pGrid->m_pParam;
    CWnd* pWnd = pGrid->m_pGridWnd;
    if (pParam->m_bLockUpdate || !pParam->m_bMarkSelection || pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return;
    const std::vector<ROWCOL> rows =
        VisibleIndexes(pGrid->GetHeaderRows(), pGrid->GetFrozenRows(), pGrid->GetTopRow(), pGrid->GetLastVisibleRow());
    const std::vector<ROWCOL> cols =
        VisibleIndexes(pGrid->GetHeaderCols(), pGrid->GetFrozenCols(), pGrid->GetLeftCol(), pGrid->GetLastVisibleCol());
    CRect rectGrid;
    pGrid->GetGridRect(&rectGrid);
    CClientDC dc(pWnd);
    dc.IntersectClipRect(rectGrid);
    pGrid->m_bDrawingSelection = TRUE;
    for (ROWCOL nRow : rows)
        for (ROWCOL nCol : cols)
        {
            if (before.IsCellInList(nRow, nCol) == after.IsCellInList(nRow, nCol))
                continue;
            const CRect rect = pGrid->CalcRectFromRowCol(nRow, nCol);
            pGrid->DrawSelectedCell(&dc, nRow, nCol, rect.left, rect.top, rect.right, rect.bottom);
        }
    pGrid->m_bDrawingSelection = FALSE;
}

void CGXGridUserSelectRangeImp::RedrawSelectionChanges(CGXGridCore* pGrid, const CGXRangeList& oldList, BOOL bHint)
{
    CGXRangeList& list = Selection(pGrid);
    if (CGXAbstractGridUpdateHintImp* pHints = pGrid->HintSender(bHint))
        pHints->HintSelectionChanges(pGrid, list.IsEmpty() ? CGXRange() : *list.GetTailRange(), &oldList);
    DrawDifferences(pGrid, oldList, list);
    pGrid->RefreshExcelLikeFrame();
    pGrid->m_posEditedRange = list.GetTailPosition();
    if (pGrid->m_posEditedRange != nullptr)
    {
        const CGXRange* pRange = list.GetTailRange();
        pGrid->m_nAnchorRow = pGrid->m_nEndRow = pRange->top;
        pGrid->m_nAnchorCol = pGrid->m_nEndCol = pRange->left;
    }
}

void CGXGridUserSelectRangeImp::SetSelection(CGXGridCore* pGrid, POSITION pos, ROWCOL nTop, ROWCOL nLeft,
                                             ROWCOL nBottom, ROWCOL nRight)
{
    CGXRangeList& list = Selection(pGrid);
    if (pos == nullptr)
    {
        if (!list.IsEmpty())
            pGrid->OnChangingSelection(nullptr, 0, 0, 0, 0, TRUE);
        list.DeleteAll();
        pGrid->m_posEditedRange = nullptr;
        return;
    }
    if (pGrid->m_pGridWnd != nullptr && pGrid->m_pGridWnd->GetSafeHwnd() != nullptr)
        pGrid->m_pGridWnd->UpdateWindow();
    const CGXRange range = MakeRange(nTop, nLeft, nBottom, nRight);
    pGrid->OnChangingSelection(pos, range.top, range.left, range.bottom, range.right, FALSE);
    *list.GetRangeAt(pos) = range;
}

void CGXGridUserSelectRangeImp::RedrawRangeChange(CGXGridCore* pGrid, POSITION pos, ROWCOL nTop, ROWCOL nLeft,
                                                  ROWCOL nBottom, ROWCOL nRight, BOOL bHint)
{
    if (CGXAbstractGridUpdateHintImp* pHints = pGrid->HintSender(bHint))
        pHints->HintRangeChange(pGrid, pos, nTop, nLeft, nBottom, nRight);
    const CGXRangeList& list = Selection(pGrid);
    CGXRangeList after;
    for (POSITION p = list.GetHeadPosition(); p != nullptr;)
    {
        const BOOL bNode = p == pos;
        const CGXRange* pRange = list.GetNextRange(p);
        after.AddTail(new CGXRange(bNode ? MakeRange(nTop, nLeft, nBottom, nRight) : *pRange));
    }
    DrawDifferences(pGrid, list, after);
}

void CGXGridUserSelectRangeImp::RedrawSelectedCells(CGXGridCore* pGrid, BOOL /*bHint*/)
{
    const CGXRangeList none;
    DrawDifferences(pGrid, none, Selection(pGrid));
}

BOOL CGXGridUserSelectRangeImp::OnLeftClickedCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, UINT flags,
                                                  CPoint /*point*/)
{
    if (!(flags & MK_CONTROL))
        return FALSE;
    const CGXRangeList& list = Selection(pGrid);
    const ROWCOL nHeaderRows = pGrid->GetHeaderRows();
    const ROWCOL nHeaderCols = pGrid->GetHeaderCols();
    const BOOL bRowHeader = nCol <= nHeaderCols && nRow > nHeaderRows;
    const BOOL bColHeader = nRow <= nHeaderRows && nCol > nHeaderCols;
    BOOL bSelected = FALSE;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
    {
        const BOOL bEdited = pos == pGrid->m_posEditedRange;
        const CGXRange* pRange = list.GetNextRange(pos);
        if (bEdited || !pRange->IsValid())
            continue;
        bSelected = bSelected || (bRowHeader && IsRowsLike(*pRange) && pRange->IsCellInRange(nRow, 1)) ||
                    (bColHeader && IsColsLike(*pRange) && pRange->IsCellInRange(1, nCol));
    }
    if (!bSelected)
        return FALSE;
    CGXRange band;
    if (bRowHeader)
        band.SetRows(nRow, nRow);
    else
        band.SetCols(nCol, nCol);
    SelectRange(pGrid, band, FALSE, TRUE);
    pGrid->m_posEditedRange = nullptr;
    return TRUE;
}

BOOL CGXGridUserSelectRangeImp::MoveInListBox(CGXGridCore* pGrid, int nDirection, UINT nCount, BOOL bExtend,
                                              BOOL bMultiple)
{
    if (pGrid->m_posEditedRange == nullptr || (bMultiple && !bExtend))
    {
        if (!pGrid->CanChangeSelection(nullptr, FALSE, TRUE))
            return FALSE;
        ClearSelection(pGrid, TRUE);
        StartEditedRange(pGrid, CGXRange(), pGrid->m_nCurrentRow, pGrid->m_nCurrentCol);
    }
    const BOOL bMoved = pGrid->MoveCurrentCell(nDirection, nCount, TRUE);
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    pGrid->GetCurrentCell(&nRow, &nCol);
    const ROWCOL nFirst = bMultiple && bExtend ? pGrid->m_nAnchorRow : nRow;
    SetEditedRange(pGrid, nFirst, 0, nRow, 0, FALSE, TRUE);
    pGrid->m_nEndRow = nRow;
    pGrid->m_nEndCol = nCol;
    if (!bMultiple || !bExtend)
    {
        pGrid->m_nAnchorRow = nRow;
        pGrid->m_nAnchorCol = nCol;
    }
    return bMoved;
}

BOOL CGXGridUserSelectRangeImp::MoveCurrentCellWithShift(CGXGridCore* pGrid, int nDirection, UINT nCount)
{
    CGXGridParam* pParam = pGrid->m_pParam;
    const BOOL bExtend = ::GetKeyState(VK_SHIFT) < 0 && pParam->IsAllowSelection(allowKeyExtend);
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    const BOOL bCurrent = pGrid->GetCurrentCell(&nRow, &nCol);
    if (bCurrent && pParam->TestSpecialMode(GX_MULTIPLELISTBOX | GX_SINGLELISTBOX))
        return MoveInListBox(pGrid, nDirection, nCount, bExtend, pParam->TestSpecialMode(GX_MULTIPLELISTBOX));
    if (!bExtend || !bCurrent)
    {
        const BOOL bMoved = pGrid->MoveCurrentCell(nDirection, nCount, TRUE);
        pGrid->m_posEditedRange = nullptr;
        return bMoved;
    }
    if (pGrid->m_posEditedRange == nullptr)
    {
        if (!pGrid->CanStartSelection(nRow, nCol, 0, CPoint(0, 0)) || !pGrid->CanChangeSelection(nullptr, FALSE, TRUE))
            return FALSE;
        ClearSelection(pGrid, TRUE);
        StartEditedRange(pGrid, CGXRange(nRow, nCol), nRow, nCol);
    }
    if (!pGrid->CanChangeSelection(Selection(pGrid).GetRangeAt(pGrid->m_posEditedRange), FALSE, TRUE) ||
        !pGrid->MoveCurrentCell(nDirection, nCount, FALSE))
        return FALSE;
    pGrid->GetCurrentCell(&nRow, &nCol);
    SetEditedRange(pGrid, pGrid->m_nAnchorRow, pGrid->m_nAnchorCol, nRow, nCol, FALSE, TRUE);
    pGrid->m_nEndRow = nRow;
    pGrid->m_nEndCol = nCol;
    return TRUE;
}
