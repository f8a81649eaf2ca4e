// The current cell: leaving it (validate, store), entering another one, and moving it by keys
// over hidden, disabled and covered cells.
#include <grid/core/GridCore.h>

#include <grid/controls/Control.h>
#include <grid/core/GridAxis.h>
#include <grid/core/GridParam.h>
#include <grid/core/Style.h>
#include <toolkit/foundation/ScopedValue.h>

#include <algorithm>

using tarnwick::foundation::SECScopedValue;

namespace
{
// Flags of the key moves, with the selection following the new cell or not.
constexpr UINT keyMoveFlags = GX_NOSELECTFOLLOW | GX_MOVECELL;
constexpr UINT keyMoveSelectFlags = GX_MOVECELL;

// Where a jump starts looking (keep the index, first past the headers, last) and the directions
// it looks in.
enum JumpStart
{
    keepIndex,
    firstIndex,
    lastIndex
};

struct JumpMove
{
    int nDirection;
    JumpStart rowStart;
    JumpStart colStart;
    int nFirstLook;
    int nSecondLook;
};

constexpr JumpMove jumpMoves[] = {
    {7, firstIndex, keepIndex, 3, 0}, {8, lastIndex, keepIndex, 1, 0},    {9, keepIndex, firstIndex, 4, 0},
    {10, keepIndex, lastIndex, 2, 0}, {11, firstIndex, firstIndex, 3, 4}, {12, lastIndex, lastIndex, 1, 2},
};

ROWCOL JumpIndex(JumpStart start, ROWCOL nIndex, ROWCOL nHeaders, ROWCOL nCount)
{
    return start == firstIndex ? std::min(nCount, nHeaders + 1) : start == lastIndex ? nCount : nIndex;
}
} // namespace

BOOL CGXGridCore::IsGridOrChild(CWnd* pWnd) const
{
    return pWnd != nullptr && m_pGridWnd != nullptr &&
           (pWnd->m_hWnd == m_pGridWnd->m_hWnd || ::IsChild(m_pGridWnd->m_hWnd, pWnd->m_hWnd));
}

void CGXGridCore::DropPendingKeys(CWnd* pWnd)
{
    if (pWnd == nullptr)
        return;
    MSG msg;
    while (::PeekMessage(&msg, pWnd->m_hWnd, WM_KEYFIRST, WM_SYSDEADCHAR, PM_REMOVE))
    {
    }
}

BOOL CGXGridCore::CanChangeCurrentCell(BOOL bEnter, ROWCOL nRow, ROWCOL nCol, ROWCOL nOldRow, ROWCOL nOldCol)
{
    if (!bEnter)
    {
        m_strWarningText.Empty();
        CGXControl* pControl = GetControl(nOldRow, nOldCol);
        return pControl == nullptr || !pControl->IsModified() || pControl->ValidateValue();
    }
    if (nRow > GetRowCount() || nCol > GetColCount())
        return FALSE;
    return GetComposedStyle(nRow, nCol)->GetEnabled();
}

void CGXGridCore::DisplayWarningText()
{
    if (m_strWarningText.IsEmpty())
        return;
    const CString strText = m_strWarningText;
    m_strWarningText.Empty();
    // Keys typed ahead would act on a cell the user has not yet seen the warning for.
    CWnd* pFocus = CWnd::GetFocus();
    DropPendingKeys(pFocus);
    DropPendingKeys(m_pGridWnd);
    if (m_bCurrentCell)
        ScrollCellInView(m_nCurrentRow, m_nCurrentCol, GX_UPDATENOW);
    AfxMessageBox(strText);
    m_bMessageShown = TRUE;
    if (pFocus != nullptr && ::IsWindow(pFocus->m_hWnd))
        pFocus->SetFocus();
}

BOOL CGXGridCore::SetCurrentCell(ROWCOL nRow, ROWCOL nCol, UINT flags)
{
    CGXRange covered;
    if (nRow != GX_INVALID && nCol != GX_INVALID && GetCoveredCellsRowCol(nRow, nCol, covered) != nullptr)
    {
        nRow = covered.top;
        nCol = covered.left;
    }

    ROWCOL nOldRow = 0;
    ROWCOL nOldCol = 0;
    const BOOL bOld = GetCurrentCell(&nOldRow, &nOldCol);
    CGXControl* pOld = bOld ? GetCurrentCellControl() : nullptr;
    const BOOL bSame = bOld && nOldRow == nRow && nOldCol == nCol;
    if (bSame && pOld != nullptr && pOld->IsActive())
    {
        // Re-entering the edited cell only brings it into view.
        if (!ScrollCellInView(nRow, nCol, flags & GX_UPDATEBITS))
            pOld->RefreshCell();
        return TRUE;
    }
    if (pOld != nullptr && !LeaveCurrentCell(pOld, nOldRow, nOldCol, nRow, nCol, flags))
        return FALSE;
    if (nRow > GetRowCount() || nCol > GetColCount())
        return TRUE;

    if (!bSame && !CanChangeCurrentCell(TRUE, nRow, nCol, nOldRow, nOldCol))
    {
        if (bOld && CanChangeCurrentCell(TRUE, nOldRow, nOldCol, nOldRow, nOldCol))
            ReturnToCell(nOldRow, nOldCol);
        return FALSE;
    }

    if (!(flags & GX_NOUPDATEBEFORE) && !m_pParam->m_bLockUpdate && m_pGridWnd != nullptr &&
        m_pGridWnd->IsWindowVisible())
    {
        const SECScopedValue<BOOL> updating(m_bUpdatingForNewCell, TRUE);
        m_pGridWnd->UpdateWindow();
    }
    SetCurrentCellPosition(TRUE, nRow, nCol);
    if (CGXControl* pControl = GetCurrentCellControl())
    {
        pControl->Init(nRow, nCol);
        if (flags & GX_ACTIVATECELL)
            pControl->SetActive(TRUE);
    }
    if (!m_pParam->m_bLockUpdate)
    {
        RedrawRowCol(nRow, nCol, GX_INVALIDATE, FALSE);
        // The headers that lose the mark and those that gain it.
        if (!bSame)
        {
            if (bOld)
                MarkEditHeader(nOldRow, nOldCol, 0, GX_INVALIDATE);
            MarkEditHeader(nRow, nCol, 0, GX_INVALIDATE);
            // A frame that follows the current cell reaches beyond it: its old place is redrawn.
            RefreshExcelLikeFrame();
        }
        if (flags & GX_SCROLLINVIEW)
            ScrollCellInView(nRow, nCol, flags & GX_UPDATEBITS);
    }
    if ((flags & GX_UPDATEBITS) && m_pGridWnd != nullptr)
        m_pGridWnd->UpdateWindow();
    // The other views follow without scrolling, updating first, hinting or selecting.
    if (CGXAbstractGridUpdateHintImp* pHints = HintSender((flags & GX_NOHINTS) == 0))
        pHints->HintSetCurrentCell(this, nRow, nCol,
                                   (flags & ~GX_SCROLLINVIEW) | GX_NOUPDATEBEFORE | GX_NOHINTS | GX_NOSELECTFOLLOW);
    FollowWithSelection(nRow, nCol, flags);
    return TRUE;
}

// With the selection following the current cell, the entered cell (its covered range) becomes
// the selection.
void CGXGridCore::FollowWithSelection(ROWCOL nRow, ROWCOL nCol, UINT flags)
{
    if (!m_pParam->m_bSelectionFollowsCell || (flags & GX_NOSELECTFOLLOW) ||
        m_pParam->m_SelRects.IsCellInList(nRow, nCol))
        return;
    SetSelection(nullptr, 0, 0, 0, 0);
    RedrawGrid(GX_INVALIDATE, FALSE);
    if (nRow <= GetHeaderRows() || nCol <= GetHeaderCols())
        return;
    CGXRange range(nRow, nCol);
    GetCoveredCellsRowCol(nRow, nCol, range);
    SelectRange(range, TRUE, TRUE);
}

// Validates and stores the old cell's control; on failure the old cell stays current with its
// edit restored.
BOOL CGXGridCore::LeaveCurrentCell(CGXControl* pControl, ROWCOL nOldRow, ROWCOL nOldCol, ROWCOL nRow, ROWCOL nCol,
                                   UINT flags)
{
    const SECScopedValue<BOOL> inSet(m_bInSetCurrentCell, TRUE);
    m_bMessageShown = FALSE;
    const BOOL bModified = pControl->IsModified();
    CWnd* pFocus = CWnd::GetFocus();
    if (pControl->IsActive() && IsGridOrChild(pFocus))
        DropPendingKeys(pFocus);

    BOOL bLeft = CanChangeCurrentCell(FALSE, nRow, nCol, nOldRow, nOldCol);
    BOOL bStored = FALSE;
    if (bLeft && bModified)
        bLeft = bStored = pControl->StoreEditedValue();
    if (!bLeft)
    {
        DisplayWarningText();
        SetCurrentCellPosition(TRUE, nOldRow, nOldCol);
        if (bModified)
        {
            pControl->SetActive(TRUE);
            pControl->SetModified(TRUE);
        }
        pControl->RefreshCell();
        return FALSE;
    }

    if (pControl->IsBoundToCell())
        HideCurrentCell();
    SetCurrentCellPosition(FALSE, nOldRow, nOldCol);
    pControl->SetActive(FALSE);
    if (pControl->ForwardHookB(nRow, nCol) || bStored)
        RedrawRowCol(nOldRow, nOldCol, GX_INVALIDATE, FALSE);
    DisplayWarningText();
    pControl->ReportEditEnd();
    if ((flags & GX_UPDATEBITS) && m_pGridWnd != nullptr)
        m_pGridWnd->UpdateWindow();
    return TRUE;
}

BOOL CGXGridCore::ReturnToCell(ROWCOL nRow, ROWCOL nCol)
{
    SetCurrentCellPosition(TRUE, nRow, nCol);
    if (CGXControl* pControl = GetCurrentCellControl())
    {
        pControl->Init(nRow, nCol);
        pControl->RefreshCell();
    }
    RedrawRowCol(nRow, nCol, GX_INVALIDATE, FALSE);
    return TRUE;
}

BOOL CGXGridCore::ResetCurrentCell(BOOL bStoreIfModified)
{
    if (!m_bCurrentCell)
        return FALSE;
    if (bStoreIfModified)
        return SetCurrentCell(GX_INVALID, GX_INVALID, GX_INVALIDATE);
    const ROWCOL nRow = m_nCurrentRow;
    const ROWCOL nCol = m_nCurrentCol;
    if (CGXControl* pControl = GetCurrentCellControl())
    {
        pControl->SetModified(FALSE);
        pControl->SetActive(FALSE);
    }
    SetCurrentCellPosition(FALSE, nRow, nCol);
    RedrawRowCol(nRow, nCol, GX_INVALIDATE, FALSE);
    return TRUE;
}

BOOL CGXGridCore::TransferCurrentCell(BOOL bSaveAndValidate, UINT flags, BOOL bCreateHint)
{
    if (!m_bCurrentCell)
        return TRUE;
    BOOL bResult = TransferCurrentCellControl(bSaveAndValidate, flags);
    if (CGXAbstractGridUpdateHintImp* pHints = HintSender(bCreateHint))
        bResult = pHints->HintTransferCurrentCell(this, bSaveAndValidate, flags) && bResult;
    return bResult;
}

BOOL CGXGridCore::TransferCurrentCellControl(BOOL bSaveAndValidate, UINT flags)
{
    const ROWCOL nRow = m_nCurrentRow;
    const ROWCOL nCol = m_nCurrentCol;
    CGXControl* pControl = GetCurrentCellControl();
    if (pControl == nullptr)
        return TRUE;
    if (bSaveAndValidate)
        return !pControl->IsActive() || SetCurrentCell(nRow, nCol, flags);

    BOOL bResult = TRUE;
    if (pControl->IsActive())
        bResult = pControl->ReportChange();
    pControl->Init(nRow, nCol);
    pControl->RefreshCell();
    pControl->ForwardHookA();
    return bResult;
}

BOOL CGXGridCore::StoreCurrentCell(BOOL bSaveAndValidate, UINT flags, BOOL bCreateHint)
{
    return TransferCurrentCell(bSaveAndValidate, flags, bCreateHint);
}

void CGXGridCore::SaveCurrentCell(BOOL bStore)
{
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    CGXControl* pControl = GetCurrentCell(&nRow, &nCol) ? GetCurrentCellControl() : nullptr;
    if (pControl == nullptr)
        return;
    // A value the control's validation refuses is not stored, as when the cell is left.
    if (bStore && CanChangeCurrentCell(FALSE, nRow, nCol, nRow, nCol) && pControl->IsModified())
        pControl->StoreEditedValue();
    pControl->ReportEditEnd();
}

void CGXGridCore::HideCurrentCell()
{
    if (CGXControl* pControl = GetCurrentCellControl())
        pControl->HideControl();
}

void CGXGridCore::ResetCurrentCellControl(BOOL bStore)
{
    SaveCurrentCell(bStore);
    if (CGXControl* pControl = GetCurrentCellControl())
    {
        pControl->SetActive(FALSE);
        pControl->Init(m_nCurrentRow, m_nCurrentCol);
    }
}

void CGXGridCore::UpdateCurrentCellState(UINT /*nState*/, BOOL bValue1, BOOL /*bValue2*/)
{
    if (CGXControl* pControl = GetCurrentCellControl())
        pControl->SetActive(bValue1);
}

BOOL CGXGridCore::FindNextEnabledCell(int nDirection, ROWCOL& nRow, ROWCOL& nCol)
{
    const BOOL bRows = nDirection == 1 || nDirection == 3;
    const BOOL bForward = nDirection == 3 || nDirection == 4;
    const ROWCOL nLast = bRows ? GetRowCount() : GetColCount();
    ROWCOL nIndex = bRows ? nRow : nCol;
    while (nIndex >= 1 && nIndex <= nLast)
    {
        const ROWCOL nCandRow = bRows ? nIndex : nRow;
        const ROWCOL nCandCol = bRows ? nCol : nIndex;
        const BOOL bHidden = bRows ? GetRowHeight(nIndex) == 0 : GetColWidth(nIndex) == 0;
        if (!bHidden)
        {
            CGXRange covered;
            ROWCOL nJudgeRow = nCandRow;
            ROWCOL nJudgeCol = nCandCol;
            BOOL bCandidate = TRUE;
            if (GetCoveredCellsRowCol(nCandRow, nCandCol, covered) != nullptr)
            {
                bCandidate = bRows ? covered.top == nCandRow : covered.left == nCandCol;
                nJudgeRow = covered.top;
                nJudgeCol = covered.left;
            }
            if (bCandidate && GetComposedStyle(nJudgeRow, nJudgeCol)->GetEnabled())
            {
                nRow = nCandRow;
                nCol = nCandCol;
                return TRUE;
            }
        }
        nIndex = bForward ? nIndex + 1 : nIndex - 1;
    }
    return FALSE;
}

// The jumps to the first or last row, column or cell.
BOOL CGXGridCore::JumpToEdge(int nDirection, ROWCOL& nRow, ROWCOL& nCol)
{
    for (const JumpMove& jump : jumpMoves)
    {
        if (jump.nDirection != nDirection)
            continue;
        nRow = JumpIndex(jump.rowStart, nRow, GetHeaderRows(), GetRowCount());
        nCol = JumpIndex(jump.colStart, nCol, GetHeaderCols(), GetColCount());
        return FindNextEnabledCell(jump.nFirstLook, nRow, nCol) ||
               (jump.nSecondLook != 0 && FindNextEnabledCell(jump.nSecondLook, nRow, nCol));
    }
    return FALSE;
}

// Up (left) by nCount cells. From the top row (left column) the move enters the frozen rows
// (columns), or, with the parameter's frozen-edge flag, goes on above it, which scrolls. The
// scrollable rows (columns) it passed above the top on its way into the frozen ones are
// counted in nScrollBack, so that they can be shown again.
BOOL CGXGridCore::StepBack(BOOL bRows, UINT nCount, ROWCOL& nRow, ROWCOL& nCol, ROWCOL& nScrollBack)
{
    const GXGridAxis axis(*this, bRows);
    const ROWCOL nHeaders = axis.Headers();
    const ROWCOL nFrozen = axis.Frozen();
    const ROWCOL nFirst = axis.First();
    const BOOL bFrozenEdge = m_pParam->m_bScrollAtFrozenEdge;
    ROWCOL& nIndex = bRows ? nRow : nCol;
    ROWCOL nPassed = nFirst;
    BOOL bFound = FALSE;
    for (UINT n = 0; n < nCount && nIndex > nHeaders + 1; ++n)
    {
        const BOOL bIntoFrozen = !bFrozenEdge && nIndex == nFirst && nFrozen > nHeaders;
        ROWCOL nTryRow = nRow;
        ROWCOL nTryCol = nCol;
        (bRows ? nTryRow : nTryCol) = bIntoFrozen ? nFrozen : nIndex - 1;
        if (!FindNextEnabledCell(bRows ? 1 : 2, nTryRow, nTryCol) || (bRows ? nTryRow : nTryCol) <= nHeaders)
            break;
        nRow = nTryRow;
        nCol = nTryCol;
        bFound = TRUE;
        if (nIndex > nFrozen)
            nPassed = std::min(nPassed, nIndex);
    }
    nScrollBack = nIndex <= nFrozen ? nFirst - nPassed : 0;
    return bFound;
}

// Down (right) by nCount cells, over the covered range at each cell. Out of the frozen rows
// (columns) the step goes on in shown rows: it reaches the top row, wherever the grid scrolled.
BOOL CGXGridCore::StepForward(BOOL bRows, UINT nCount, ROWCOL& nRow, ROWCOL& nCol)
{
    const GXGridAxis axis(*this, bRows);
    const ROWCOL nFrozen = axis.Frozen();
    const ROWCOL nFirst = axis.First();
    const ROWCOL nLast = axis.Count();
    ROWCOL& nIndex = bRows ? nRow : nCol;
    const auto spanAt = [&](ROWCOL nAtRow, ROWCOL nAtCol) {
        CGXRange covered;
        if (GetCoveredCellsRowCol(nAtRow, nAtCol, covered) == nullptr)
            return ROWCOL(0);
        return bRows ? covered.bottom - covered.top : covered.right - covered.left;
    };
    BOOL bFound = FALSE;
    for (UINT n = 0; n < nCount; ++n)
    {
        ROWCOL nNext = nIndex + spanAt(nRow, nCol) + 1;
        if (nIndex <= nFrozen && nNext > nFrozen)
            nNext += nFirst - (nFrozen + 1);
        if (nNext > nLast)
            break;
        ROWCOL nTryRow = bRows ? nNext : nRow;
        ROWCOL nTryCol = bRows ? nCol : nNext;
        if (!FindNextEnabledCell(bRows ? 3 : 4, nTryRow, nTryCol))
            break;
        nRow = nTryRow;
        nCol = nTryCol;
        bFound = TRUE;
    }
    return bFound;
}

// Page up: the rows above the top row that fill the scrolling area; from the first page it goes
// to the first row.
BOOL CGXGridCore::PageUp(ROWCOL& nRow, ROWCOL& nCol)
{
    const ROWCOL nFrozen = GetFrozenRows();
    const ROWCOL nTop = GetTopRow();
    if (nTop <= nFrozen + 1)
        return JumpToEdge(7, nRow, nCol);
    CRect rectGrid;
    GetGridRect(&rectGrid);
    const int nArea = rectGrid.Height() - CalcSumOfRowHeights(0, nFrozen);
    int nSum = GetRowHeight(nTop);
    ROWCOL nPage = 0;
    for (ROWCOL nAbove = nTop - 1; nAbove > nFrozen && nSum < nArea; --nAbove, ++nPage)
        nSum += GetRowHeight(nAbove);
    nPage = std::max<ROWCOL>(nPage, 1);
    DoScroll(1, nPage);
    if (nRow > nFrozen)
        nRow = std::max(GetHeaderRows() + 1, std::max(nPage + 1, nRow) - nPage);
    return FindNextEnabledCell(1, nRow, nCol) || FindNextEnabledCell(3, nRow, nCol);
}

// Page down: the grid scrolls by the rows it shows, and a cell below the frozen rows goes along.
BOOL CGXGridCore::PageDown(ROWCOL& nRow, ROWCOL& nCol)
{
    const ROWCOL nRows = GetRowCount();
    const ROWCOL nTop = GetTopRow();
    if (nTop >= nRows)
        return FALSE;
    const ROWCOL nPage = std::max<ROWCOL>(1, GetLastVisibleRow() > nTop ? GetLastVisibleRow() - nTop : 1);
    DoScroll(3, nPage);
    if (nRow > GetFrozenRows())
        nRow = static_cast<ROWCOL>(std::min<ULONGLONG>(nRows, ULONGLONG(nRow) + nPage));
    return FindNextEnabledCell(3, nRow, nCol) || FindNextEnabledCell(1, nRow, nCol);
}

// The cell a key move reaches from (nRow, nCol), which it updates; FALSE when none. nScrollBack
// is what an up or left move passed above the top row or left of the left column.
BOOL CGXGridCore::FindMoveTarget(int nDirection, UINT nCount, ROWCOL& nRow, ROWCOL& nCol, ROWCOL& nScrollBack)
{
    nScrollBack = 0;
    switch (nDirection)
    {
    case 1:
    case 2:
        return StepBack(nDirection == 1, nCount, nRow, nCol, nScrollBack);
    case 3:
    case 4:
        return StepForward(nDirection == 3, nCount, nRow, nCol);
    case 5:
        return PageDown(nRow, nCol);
    case 6:
        return PageUp(nRow, nCol);
    default:
        return JumpToEdge(nDirection, nRow, nCol);
    }
}

BOOL CGXGridCore::MoveCurrentCell(int nDirection, UINT nCount, BOOL bSelect)
{
    nCount = std::max(1u, nCount);
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    const BOOL bCurrent = GetCurrentCell(&nRow, &nCol);
    if (!bCurrent)
    {
        nRow = std::min(std::max(nRow, GetHeaderRows() + 1), GetRowCount());
        nCol = std::min(std::max(nCol, GetHeaderCols() + 1), GetColCount());
    }
    const ROWCOL nStartRow = nRow;
    const ROWCOL nStartCol = nCol;
    const SECScopedValue<BOOL> moving(m_bMovingCurrentCell, TRUE);
    ROWCOL nScrollBack = 0;
    const BOOL bFound = FindMoveTarget(nDirection, nCount, nRow, nCol, nScrollBack);
    if (!bFound || (bCurrent && nRow == nStartRow && nCol == nStartCol))
        return FALSE;
    UINT flags = keyMoveFlags;
    if (bSelect && m_pParam->m_bSelectionFollowsCell)
    {
        CGXRangeList& selection = m_pParam->m_SelRects;
        if (!selection.IsEmpty() && !selection.IsCellInList(nRow, nCol))
        {
            SetSelection(nullptr, 0, 0, 0, 0);
            RedrawGrid(GX_INVALIDATE, FALSE);
        }
        flags = keyMoveSelectFlags;
    }
    if (!SetCurrentCell(nRow, nCol, flags))
        return FALSE;
    // Rows (columns) passed above the top on the way into the frozen ones are shown again.
    if (nScrollBack > 0)
        DoScroll(nDirection == 1 ? 1 : 2, nScrollBack);
    return TRUE;
}

BOOL CGXGridCore::MoveCurrentCellByKey(int nDirection, UINT nCount)
{
    if (m_pUserSelectRangeImp != nullptr && m_pParam != nullptr)
        return m_pUserSelectRangeImp->MoveCurrentCellWithShift(this, nDirection, nCount);
    m_bKeyTracking = FALSE;
    return MoveCurrentCell(nDirection, nCount, TRUE);
}
