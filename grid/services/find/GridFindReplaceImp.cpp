// Find and replace: the dialog, the search down or up a column, replacing in the current cell
// and Replace All.
#include <grid/services/find/GridFindReplaceImp.h>

#include <grid/controls/ComposedStyle.h>
#include <grid/controls/Control.h>
#include <grid/core/AppData.h>
#include <grid/core/FindReplaceState.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/LongOperationImp.h>
#include <grid/core/Style.h>
#include <grid/core/UndoBlockScope.h>

#include <algorithm>
#include <cwchar>
#include <optional>

namespace
{
// The search text of the find state, prepared for the length of a find or replace.
class PreparedFind
{
public:
    explicit PreparedFind(GX_FR_STATE& find) : m_find(find)
    {
        find.PrepareFind();
    }
    ~PreparedFind()
    {
        m_find.FreeAnsiFind();
    }
    PreparedFind(const PreparedFind&) = delete;
    PreparedFind& operator=(const PreparedFind&) = delete;

private:
    GX_FR_STATE& m_find;
};

// The style of the examined cell, known to the find state while the cell is examined.
class ExaminedCell
{
public:
    ExaminedCell(CGXGridCore* pGrid, GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol)
        : m_find(find), m_composed(pGrid, nRow, nCol)
    {
        find.m_pStyle = m_composed.m_pStyle;
    }
    ~ExaminedCell()
    {
        m_find.m_pStyle = nullptr;
    }
    ExaminedCell(const ExaminedCell&) = delete;
    ExaminedCell& operator=(const ExaminedCell&) = delete;
    const CGXStyle& Style() const
    {
        return *m_composed.m_pStyle;
    }

private:
    GX_FR_STATE& m_find;
    ComposedStyle m_composed;
};

const CString& SearchText(const GX_FR_STATE& find)
{
    return find.m_bCase ? find.m_strFind : find.m_strFindUpper;
}

// SetCurrentCell flags: a found cell comes into view and is drawn at once; the first cell the
// dialog starts from is entered without updating before.
constexpr UINT foundCellFlags = GX_SCROLLINVIEW | GX_UPDATENOW;
constexpr UINT firstCellFlags = GX_NOUPDATEBEFORE | GX_SCROLLINVIEW | GX_UPDATENOW;
static_assert(foundCellFlags == 10 && firstCellFlags == 42);

// Progress and abort of a walk down (up) a column: TRUE when the user aborted.
BOOL ColumnWalkAborted(GXLongOperationRecord* pRecord, ULONGLONG nDone, ULONGLONG nToGo)
{
    if (GXLongOpIsBeyondCutoff() || !GXLongOpIsFeedbackDue(pRecord))
        return FALSE;
    GXLongOpSetPercentDone(static_cast<int>(nDone / (nToGo + 1)));
    BOOL bAborted = FALSE;
    GXGetLongOperationAbort(pRecord, bAborted);
    return bAborted;
}
} // namespace

void CGXGridFindReplaceImp::StoreOptions(LPCTSTR pszFind, BOOL bDown, BOOL bCase)
{
    GX_FR_STATE* pFind = GXGetFindReplaceState();
    pFind->m_strFind = pszFind != nullptr ? pszFind : _T("");
    pFind->m_bNext = bDown;
    pFind->m_bCase = bCase;
}

void CGXGridFindReplaceImp::OnShowFindReplaceDialog(CGXGridCore* pGrid, BOOL bFindOnly)
{
    const ROWCOL nRows = pGrid->GetRowCount();
    const ROWCOL nCols = pGrid->GetColCount();
    if (nRows == 0 || nCols == 0 || pGrid->GridWnd() == nullptr)
        return;
    GX_FR_STATE* pFind = GXGetFindReplaceState();
    pFind->m_pActiveGrid = pGrid;
    m_pGrid = pGrid;

    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if (pGrid->GetCurrentCell(&nRow, &nCol))
        pGrid->ScrollCellInView(nRow, nCol, GX_UPDATENOW, FALSE);
    else
        pGrid->SetCurrentCell(std::min(pGrid->GetTopRow(), nRows), std::min(pGrid->GetLeftCol(), nCols),
                              firstCellFlags);
    CString strInitial;
    if (pGrid->GetCurrentCell(&nRow, &nCol))
        if (CGXControl* pControl = pGrid->GetControl(nRow, nCol))
            pControl->GetCopyText(strInitial);
    if (strInitial.IsEmpty())
        strInitial = pFind->m_strFind;

    if (pFind->m_pDialog != nullptr && ::IsWindow(pFind->m_pDialog->GetSafeHwnd()))
    {
        if (pFind->m_bFindOnly == bFindOnly)
        {
            pFind->m_pDialog->SetActiveWindow();
            pFind->m_pDialog->ShowWindow(SW_SHOW);
            return;
        }
        CFindReplaceDialog* pOld = pFind->m_pDialog;
        pFind->m_pDialog = nullptr;
        pOld->SendMessage(WM_CLOSE);
    }
    auto* pDialog = new CFindReplaceDialog;
    const DWORD dwFlags = FR_HIDEWHOLEWORD | (pFind->m_bNext ? FR_DOWN : 0) | (pFind->m_bCase ? FR_MATCHCASE : 0);
    pFind->m_pDialog = nullptr;
    // A dialog that could not be made has deleted itself.
    if (!pDialog->Create(bFindOnly, strInitial, pFind->m_strReplace, dwFlags, pGrid->GridWnd()))
        return;
    pFind->m_pDialog = pDialog;
    pFind->m_bFindOnly = bFindOnly;
    pFind->m_hWndParent = pGrid->GridWnd()->GetSafeHwnd();
}

void CGXGridFindReplaceImp::OnFindReplace(CGXGridCore* pGrid, CFindReplaceDialog* pDialog)
{
    GX_FR_STATE* pFind = GXGetFindReplaceState();
    if (pFind->m_pActiveGrid != nullptr && pFind->m_pActiveGrid != pGrid)
    {
        pFind->m_pActiveGrid->OnFindReplaceMessage(pDialog);
        return;
    }
    if (pDialog == nullptr)
        return;
    if (pDialog->IsTerminating())
    {
        if (pFind->m_pDialog == pDialog)
            pFind->m_pDialog = nullptr;
        return;
    }
    const CString strFind = pDialog->GetFindString();
    if (pDialog->FindNext())
        Find(pGrid, strFind, pDialog->SearchDown(), pDialog->MatchCase());
    else if (pDialog->ReplaceCurrent())
    {
        pFind->m_strReplace = pDialog->GetReplaceString();
        Replace(pGrid, strFind, pDialog->SearchDown(), pDialog->MatchCase(), pFind->m_strReplace);
    }
    else if (pDialog->ReplaceAll())
    {
        pFind->m_strReplace = pDialog->GetReplaceString();
        ReplaceAll(pGrid, strFind, pFind->m_strReplace, pDialog->MatchCase(), TRUE);
    }
}

void CGXGridFindReplaceImp::OnGridDestroyed(CGXGridCore* pGrid)
{
    GX_FR_STATE* pFind = GXGetFindReplaceState();
    if (m_pGrid == pGrid)
        m_pGrid = nullptr;
    if (pFind->m_pActiveGrid != pGrid)
        return;
    pFind->m_pActiveGrid = nullptr;
    CFindReplaceDialog* pDialog = pFind->m_pDialog;
    pFind->m_pDialog = nullptr;
    if (pDialog != nullptr && ::IsWindow(pDialog->GetSafeHwnd()))
        pDialog->DestroyWindow();
}

void CGXGridFindReplaceImp::Find(CGXGridCore* pGrid, LPCTSTR pszFind, BOOL bDown, BOOL bCase)
{
    StoreOptions(pszFind, bDown, bCase);
    GX_FR_STATE* pFind = GXGetFindReplaceState();
    if (pFind->m_strFind.IsEmpty())
        return;
    const PreparedFind prepared(*pFind);
    pGrid->FindNext(TRUE);
}

BOOL CGXGridFindReplaceImp::FindNext(CGXGridCore* pGrid, BOOL bSelect)
{
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    GX_FR_STATE* pFind = GXGetFindReplaceState();
    if (!pGrid->GetCurrentCell(&nRow, &nCol) || pFind->m_strFind.IsEmpty())
        return FALSE;
    const CGXLongOperationScope operation;
    // The current cell first, from its caret on; then the cells of the column.
    CGXControl* pControl = pGrid->GetControl(nRow, nCol);
    if (pControl != nullptr && pControl->ForwardFeatureA(*pFind, nRow, nCol, FALSE, bSelect))
        return TRUE;
    const BOOL bFound = pGrid->SearchCells(nRow, nCol, bSelect);
    if (!bFound && bSelect)
        pGrid->OnTextNotFound(pFind->m_strFind);
    return bFound;
}

BOOL CGXGridFindReplaceImp::FindInColumn(CGXGridCore* pGrid, ROWCOL& nRow, ROWCOL nCol, BOOL bSelect)
{
    GX_FR_STATE* pFind = GXGetFindReplaceState();
    const ROWCOL nRows = pGrid->GetRowCount();
    const ULONGLONG nToGo = pFind->m_bNext ? ULONGLONG(nRows) - std::min(nRow, nRows) : nRow;
    nRow = pFind->m_bNext ? nRow + 1 : nRow - 1;
    CGXLongOperationScope operation;
    GXSetLongOperationStatus(operation.Record(), pGrid->GetAppData()->m_sSearchingValues);
    ULONGLONG nDone = 0;
    while (nRow != 0 && nRow <= nRows)
    {
        nDone += 100;
        if (ColumnWalkAborted(operation.Record(), nDone, nToGo))
            return FALSE;
        {
            const ExaminedCell cell(pGrid, *pFind, nRow, nCol);
            CGXControl* pControl = pGrid->GetRegisteredControl(cell.Style().GetControl());
            if (pControl != nullptr && cell.Style().GetEnabled() &&
                pControl->ForwardFeatureA(*pFind, nRow, nCol, FALSE, bSelect))
                return TRUE;
        }
        nRow = pFind->m_bNext ? nRow + 1 : nRow - 1;
        pGrid->PrepareRowsUpTo(nRow + 1, 0);
    }
    return FALSE;
}

CString CGXGridFindReplaceImp::CellText(CGXGridCore* pGrid, CGXControl* pControl, const GX_FR_STATE& find, ROWCOL nRow,
                                        ROWCOL nCol)
{
    CString strText;
    if (find.m_pStyle != nullptr)
        pControl->FormatDisplayText(strText, nRow, nCol, nullptr, *find.m_pStyle);
    else
    {
        const ComposedStyle composed(pGrid, nRow, nCol);
        pControl->FormatDisplayText(strText, nRow, nCol, nullptr, *composed.m_pStyle);
    }
    return strText;
}

BOOL CGXGridFindReplaceImp::FindTextInCell(CGXGridCore* pGrid, CGXControl* pControl, GX_FR_STATE& find, ROWCOL nRow,
                                           ROWCOL nCol, BOOL bFromCurrent, BOOL bSelect)
{
    const CString& strSearch = SearchText(find);
    if (strSearch.IsEmpty() || (!bFromCurrent && pGrid->IsCurrentCell(nRow, nCol)))
        return FALSE;
    CString strText = CellText(pGrid, pControl, find, nRow, nCol);
    if (!find.m_bCase)
        strText.MakeUpper();
    if (std::wcsstr(strText, strSearch) == nullptr)
        return FALSE;
    if (bSelect)
        pGrid->SetCurrentCell(nRow, nCol, foundCellFlags);
    return TRUE;
}

BOOL CGXGridFindReplaceImp::ReplaceAllInCell(CGXGridCore* pGrid, CGXControl* pControl, GX_FR_STATE& find, ROWCOL nRow,
                                             ROWCOL nCol)
{
    const CString& strSearch = SearchText(find);
    if (strSearch.IsEmpty())
        return FALSE;
    const CString strText = CellText(pGrid, pControl, find, nRow, nCol);
    CString strSearchIn(strText);
    if (!find.m_bCase)
        strSearchIn.MakeUpper();
    CString strResult;
    int nFrom = 0;
    BOOL bReplaced = FALSE;
    for (int nFound = strSearchIn.Find(strSearch, nFrom); nFound >= 0; nFound = strSearchIn.Find(strSearch, nFrom))
    {
        strResult += strText.Mid(nFrom, nFound - nFrom);
        strResult += find.m_strReplace;
        nFrom = nFound + strSearch.GetLength();
        bReplaced = TRUE;
    }
    if (!bReplaced)
        return FALSE;
    strResult += strText.Mid(nFrom);
    return pGrid->StoreCellValue(nRow, nCol, strResult, GX_UPDATENOW, find.m_pStyle);
}

void CGXGridFindReplaceImp::Replace(CGXGridCore* pGrid, LPCTSTR pszFind, BOOL bDown, BOOL bCase, LPCTSTR pszReplace)
{
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if (pGrid->GetRowCount() == 0 || pGrid->GetColCount() == 0 || !pGrid->GetCurrentCell(&nRow, &nCol))
        return;
    StoreOptions(pszFind, bDown, bCase);
    GX_FR_STATE* pFind = GXGetFindReplaceState();
    pFind->m_strReplace = pszReplace != nullptr ? pszReplace : _T("");
    if (pFind->m_strFind.IsEmpty())
        return;
    const PreparedFind prepared(*pFind);
    const CGXLongOperationScope operation;
    CGXControl* pControl = pGrid->GetControl(nRow, nCol);
    BOOL bFound = FALSE;
    if (pControl != nullptr && pControl->ForwardFeatureA(*pFind, nRow, nCol, TRUE, TRUE))
    {
        pControl->SetCellText(pFind->m_strReplace);
        // A further hit in the same cell is selected next.
        if (pControl->ForwardFeatureA(*pFind, nRow, nCol, TRUE, FALSE))
            bFound = pControl->ForwardFeatureA(*pFind, nRow, nCol, TRUE, TRUE);
    }
    if (!bFound)
        bFound = pGrid->SearchCells(nRow, nCol, TRUE);
    if (!bFound)
        pGrid->OnTextNotFound(pFind->m_strFind);
}

BOOL CGXGridFindReplaceImp::ReplaceAll(CGXGridCore* pGrid, LPCTSTR pszFind, LPCTSTR pszReplace, BOOL bCase,
                                       BOOL bFromDialog)
{
    GX_FR_STATE* pFind = GXGetFindReplaceState();
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    const ROWCOL nRows = pGrid->GetRowCount();
    if (nRows == 0 || pGrid->GetColCount() == 0 || !pGrid->GetCurrentCell(&nRow, &nCol))
        return FALSE;
    StoreOptions(pszFind, TRUE, bCase);
    pFind->m_strReplace = pszReplace != nullptr ? pszReplace : _T("");
    if (pFind->m_strFind.IsEmpty())
        return FALSE;
    const PreparedFind prepared(*pFind);
    BOOL bReplaced = FALSE;
    BOOL bAborted = FALSE;
    {
        std::optional<CGXUndoBlockScope> block;
        if (bFromDialog)
            block.emplace(pGrid, pGrid->GetAppData()->m_sReplaceAll);
        CGXLongOperationScope operation;
        GXSetLongOperationStatus(operation.Record(), pGrid->GetAppData()->m_sReplacingValues);
        GXLongOpSetRollback(TRUE);
        {
            const CGXLongOpFeedbackFreeze freeze;
            const ULONGLONG nToGo = ULONGLONG(nRows) - nRow;
            ULONGLONG nDone = 0;
            try
            {
                for (ULONGLONG n = nRow; n <= nRows && !bAborted; ++n)
                {
                    nDone += 100;
                    bAborted = ColumnWalkAborted(operation.Record(), nDone, nToGo);
                    if (bAborted)
                        break;
                    const ROWCOL nCellRow = static_cast<ROWCOL>(n);
                    {
                        const ExaminedCell cell(pGrid, *pFind, nCellRow, nCol);
                        if (CGXControl* pControl = pGrid->GetRegisteredControl(cell.Style().GetControl()))
                            bReplaced |= pControl->ForwardFeatureB(*pFind, nCellRow, nCol);
                    }
                    pGrid->PrepareRowsUpTo(nCellRow + 1, 0);
                }
            }
            catch (CUserException* e)
            {
                e->Delete();
                bAborted = TRUE;
            }
        }
        GXLongOpSetPercentDone(-1);
        if (bAborted && block && GXLongOpGetRollbackRequested())
            block->Rollback();
    }
    if (!bReplaced && !bAborted)
        pGrid->OnTextNotFound(pFind->m_strFind);
    pGrid->RecalcAndRedraw(TRUE, nullptr, TRUE);
    return bReplaced && !bAborted;
}
