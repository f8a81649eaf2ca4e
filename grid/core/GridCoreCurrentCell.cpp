// The current cell: leaving it (validate, store), entering another one, and moving it by keys
// over hidden, disabled and covered cells.
#include <grid/core/GridCore.h>

#include <grid/controls/Control.h>
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

    SetCurrentCellPosition(FALSE, nOldRow, nOldCol);
    if (pControl->IsBoundToCell())
        pControl->HideControl();
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

void CGXGridCore::ResetCurrentCellControl(BOOL bStore)
{
    if (CGXControl* pControl = GetCurrentCellControl())
    {
        if (bStore && pControl->IsModified())
            pControl->StoreEditedValue();
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

// The cell a key move reaches from (nRow, nCol), which it updates; FALSE when none.
BOOL CGXGridCore::FindMoveTarget(int nDirection, UINT nCount, ROWCOL& nRow, ROWCOL& nCol)
{
    const ROWCOL nHeaderRows = GetHeaderRows();
    const ROWCOL nHeaderCols = GetHeaderCols();
    const ROWCOL nRows = GetRowCount();
    const ROWCOL nCols = GetColCount();
    CGXRange covered;
    const BOOL bCovered = GetCoveredCellsRowCol(nRow, nCol, covered) != nullptr;
    BOOL bFound = FALSE;
    switch (nDirection)
    {
    case 1:
    case 2: {
        const BOOL bRows = nDirection == 1;
        ROWCOL& nIndex = bRows ? nRow : nCol;
        const ROWCOL nFirst = (bRows ? nHeaderRows : nHeaderCols) + 1;
        for (UINT n = 0; n < nCount && nIndex > nFirst; ++n)
        {
            ROWCOL nTryRow = bRows ? nIndex - 1 : nRow;
            ROWCOL nTryCol = bRows ? nCol : nIndex - 1;
            if (!FindNextEnabledCell(nDirection, nTryRow, nTryCol) || (bRows ? nTryRow : nTryCol) < nFirst)
                break;
            nRow = nTryRow;
            nCol = nTryCol;
            bFound = TRUE;
        }
        break;
    }
    case 3:
    case 4: {
        const BOOL bRows = nDirection == 3;
        ROWCOL& nIndex = bRows ? nRow : nCol;
        const ROWCOL nLast = bRows ? nRows : nCols;
        ROWCOL nSpan = bCovered ? (bRows ? covered.bottom - covered.top : covered.right - covered.left) : 0;
        for (UINT n = 0; n < nCount && nIndex + nSpan < nLast; ++n)
        {
            ROWCOL nTryRow = bRows ? nIndex + nSpan + 1 : nRow;
            ROWCOL nTryCol = bRows ? nCol : nIndex + nSpan + 1;
            if (!FindNextEnabledCell(nDirection, nTryRow, nTryCol))
                break;
            nRow = nTryRow;
            nCol = nTryCol;
            bFound = TRUE;
            nSpan = GetCoveredCellsRowCol(nRow, nCol, covered) != nullptr
                        ? (bRows ? covered.bottom - covered.top : covered.right - covered.left)
                        : 0;
        }
        break;
    }
    case 5:
    case 6: {
        const ROWCOL nTop = GetTopRow();
        const ROWCOL nPage = std::max<ROWCOL>(1, GetLastVisibleRow() > nTop ? GetLastVisibleRow() - nTop : 1);
        if (nDirection == 5)
        {
            if (nTop >= nRows)
                break;
            DoScroll(3, nPage);
            nRow = std::min(nRows, nRow + nPage);
            bFound = FindNextEnabledCell(3, nRow, nCol) || FindNextEnabledCell(1, nRow, nCol);
        }
        else
        {
            DoScroll(1, nPage);
            nRow = std::max(nHeaderRows + 1, nRow > nPage ? nRow - nPage : 1);
            bFound = FindNextEnabledCell(1, nRow, nCol) || FindNextEnabledCell(3, nRow, nCol);
        }
        break;
    }
    default:
        bFound = JumpToEdge(nDirection, nRow, nCol);
        break;
    }
    return bFound;
}

BOOL CGXGridCore::MoveCurrentCell(int nDirection, UINT nCount, BOOL bSelect)
{
    nCount = std::max(1u, nCount);
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    const BOOL bCurrent = GetCurrentCell(&nRow, &nCol);
    if (!bCurrent)
    {
        nRow = std::min(std::max(m_nCurrentRow, GetHeaderRows() + 1), GetRowCount());
        nCol = std::min(std::max(m_nCurrentCol, GetHeaderCols() + 1), GetColCount());
    }
    const ROWCOL nStartRow = nRow;
    const ROWCOL nStartCol = nCol;
    m_bMovingCurrentCell = TRUE;
    const BOOL bFound = FindMoveTarget(nDirection, nCount, nRow, nCol);
    BOOL bMoved = FALSE;
    if ((bFound && (nRow != nStartRow || nCol != nStartCol)) || (!bCurrent && bFound))
    {
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
        bMoved = SetCurrentCell(nRow, nCol, flags);
    }
    m_bMovingCurrentCell = FALSE;
    return bMoved;
}

BOOL CGXGridCore::MoveCurrentCellByKey(int nDirection, UINT nCount)
{
    if (m_pUserSelectRangeImp != nullptr && m_pParam != nullptr)
        return m_pUserSelectRangeImp->MoveCurrentCellWithShift(this, nDirection, nCount);
    m_bKeyTracking = FALSE;
    return MoveCurrentCell(nDirection, nCount, TRUE);
}
