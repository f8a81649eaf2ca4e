// Core operations whose features are built elsewhere in the grid. Until then each answers
// what the grid answers without the feature: nothing to do, not handled, no current cell.
#include <grid/core/GridCore.h>

BOOL CGXGridCore::SetCurrentCell(ROWCOL /*nRow*/, ROWCOL /*nCol*/, UINT /*flags*/)
{
    return FALSE;
}

BOOL CGXGridCore::MoveCurrentCell(int /*nDirection*/, UINT /*nCount*/, BOOL /*bSelect*/)
{
    return FALSE;
}

BOOL CGXGridCore::ResetCurrentCell(BOOL /*bStoreIfModified*/)
{
    return FALSE;
}

BOOL CGXGridCore::TransferCurrentCell(BOOL /*bSaveAndValidate*/, UINT /*flags*/, BOOL /*bCreateHint*/)
{
    return TRUE;
}

BOOL CGXGridCore::ProcessKeys(CWnd* /*pSender*/, UINT /*nMessage*/, UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*flags*/)
{
    return FALSE;
}

void CGXGridCore::GetMarkedHeaders(ROWCOL& nRow, ROWCOL& nCol)
{
    nRow = 0;
    nCol = 0;
}

void CGXGridCore::AttachPluginComponents()
{
}

HBRUSH CGXGridCore::OnGridCtlColor(CDC* /*pDC*/, CWnd* /*pWnd*/, UINT /*nCtlColor*/)
{
    return nullptr;
}

BOOL CGXGridCore::OnGridDestroy()
{
    return FALSE;
}

BOOL CGXGridCore::OnGridSize(UINT /*nType*/, int /*cx*/, int /*cy*/)
{
    return FALSE;
}

BOOL CGXGridCore::OnGridSetCursor(CWnd* /*pWnd*/, UINT /*nHitTest*/, UINT /*nMessage*/)
{
    return FALSE;
}

BOOL CGXGridCore::OnGridLButtonDown(UINT /*flags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXGridCore::OnGridLButtonUp(UINT /*flags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXGridCore::OnGridLButtonDblClk(UINT /*flags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXGridCore::OnGridMButtonDown(UINT /*flags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXGridCore::OnGridMButtonUp(UINT /*flags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXGridCore::OnGridMButtonDblClk(UINT /*flags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXGridCore::OnGridRButtonDown(UINT /*flags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXGridCore::OnGridRButtonUp(UINT /*flags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXGridCore::OnGridRButtonDblClk(UINT /*flags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXGridCore::OnGridMouseMove(UINT /*flags*/, CPoint /*point*/)
{
    return FALSE;
}

void CGXGridCore::OnGridSetFocus(CWnd* /*pOldWnd*/)
{
}

void CGXGridCore::OnGridKillFocus(CWnd* /*pNewWnd*/)
{
}

void CGXGridCore::OnGridShowWindow(BOOL /*bShow*/, UINT /*nStatus*/)
{
}

BOOL CGXGridCore::OnGridCancelMode()
{
    return FALSE;
}

UINT CGXGridCore::OnGridGetDlgCode(UINT nDefaultCode)
{
    return nDefaultCode;
}

BOOL CGXGridCore::OnGridMouseActivate(CWnd* /*pDesktopWnd*/, UINT /*nHitTest*/, UINT /*nMessage*/, LRESULT* /*pResult*/)
{
    return FALSE;
}

void CGXGridCore::OnGridSysColorChange()
{
}

void CGXGridCore::OnGridWinIniChange(LPCTSTR /*pszSection*/)
{
}

void CGXGridCore::OnGridTimer(UINT_PTR /*nIDEvent*/)
{
}

BOOL CGXGridCore::OnGridCommand(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return FALSE;
}

BOOL CGXGridCore::OnGridPreTranslateMessage(MSG* /*pMsg*/)
{
    return FALSE;
}

BOOL CGXGridCore::RouteToPlugins(UINT /*nMessage*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT* /*pResult*/)
{
    return FALSE;
}

CScrollBar* CGXGridCore::GetScrollBarCtrl(int /*nBar*/) const
{
    return nullptr;
}

void CGXGridCore::OnGridAppNotify(WPARAM /*wParam*/)
{
}

BOOL CGXGridCore::OnGridDeactivateCheck(BOOL /*bActivate*/)
{
    return TRUE;
}

void CGXGridCore::OnGridNavigate(int /*nCode*/, int /*nCount*/)
{
}

void CGXGridCore::OnFindReplace(CFindReplaceDialog* /*pDialog*/)
{
}

BOOL CGXGridCore::StoreCurrentCell(BOOL /*bSaveAndValidate*/, UINT /*flags*/, BOOL /*bCreateHint*/)
{
    return TRUE;
}

void CGXGridCore::ResetCurrentCellControl(BOOL /*bStore*/)
{
}

void CGXGridCore::UpdateCurrentCellState(UINT /*nState*/, BOOL /*bValue1*/, BOOL /*bValue2*/)
{
}

BOOL CGXGridCore::OnLButtonHitRowCol(ROWCOL /*nStartRow*/, ROWCOL /*nStartCol*/, ROWCOL /*nRow*/, ROWCOL /*nCol*/,
                                     int /*x*/, int /*y*/, UINT /*flags*/, WORD /*nHitState*/)
{
    return FALSE;
}

BOOL CGXGridCore::OnMButtonHitRowCol(ROWCOL /*nStartRow*/, ROWCOL /*nStartCol*/, ROWCOL /*nRow*/, ROWCOL /*nCol*/,
                                     int /*x*/, int /*y*/, UINT /*flags*/, WORD /*nHitState*/)
{
    return FALSE;
}

BOOL CGXGridCore::OnRButtonHitRowCol(ROWCOL /*nStartRow*/, ROWCOL /*nStartCol*/, ROWCOL /*nRow*/, ROWCOL /*nCol*/,
                                     int /*x*/, int /*y*/, UINT /*flags*/, WORD /*nHitState*/)
{
    return FALSE;
}

BOOL CGXGridCore::OnLButtonDblClkRowCol(ROWCOL /*nRow*/, ROWCOL /*nCol*/, UINT /*flags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXGridCore::OnMButtonDblClkRowCol(ROWCOL /*nRow*/, ROWCOL /*nCol*/, UINT /*flags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXGridCore::OnRButtonDblClkRowCol(ROWCOL /*nRow*/, ROWCOL /*nCol*/, UINT /*flags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXGridCore::CanStartSelection(ROWCOL /*nRow*/, ROWCOL /*nCol*/, UINT /*flags*/, CPoint /*point*/)
{
    return TRUE;
}

BOOL CGXGridCore::CanChangeSelection(CGXRange* /*pRange*/, BOOL /*bIsDragging*/, BOOL /*bKey*/)
{
    return TRUE;
}

void CGXGridCore::OnSelectionChanged(const CGXRange* /*pRange*/, BOOL /*bIsDragging*/, BOOL /*bKey*/)
{
}

BOOL CGXGridCore::OnChangingSelection(POSITION /*pos*/, ROWCOL /*nTop*/, ROWCOL /*nLeft*/, ROWCOL /*nBottom*/,
                                      ROWCOL /*nRight*/, BOOL /*bKey*/)
{
    return TRUE;
}

void CGXGridCore::SetSelection(POSITION /*pos*/, ROWCOL /*nTop*/, ROWCOL /*nLeft*/, ROWCOL /*nBottom*/,
                               ROWCOL /*nRight*/)
{
}

BOOL CGXGridCore::OnActivateGrid(BOOL /*bActivate*/)
{
    return FALSE;
}

void CGXGridCore::InvalidateGrid(BOOL /*bErase*/)
{
}

BOOL CGXGridCore::SetDoubleBuffering(BOOL /*bDoubleBuffering*/)
{
    return FALSE;
}

LRESULT CGXGridCore::OnGridControlMessage(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return 0;
}

LRESULT CGXGridCore::OnGridTimerRelay()
{
    return 0;
}

BOOL CGXGridCore::OnGridShowTips(BOOL /*bShow*/)
{
    return TRUE;
}

BOOL CGXGridCore::BeginMouseButton(UINT /*nOtherButtons*/, UINT /*flags*/, CPoint /*point*/, int& nHit, ROWCOL& nRow,
                                   ROWCOL& nCol)
{
    nHit = GX_NOHIT;
    nRow = 0;
    nCol = 0;
    return FALSE;
}

void CGXGridCore::OnPrintHeaderFooter(CDC* /*pDC*/, CPrintInfo* /*pInfo*/)
{
}

ROWCOL CGXGridCore::GetFloatOrMergeLimit() const
{
    return 0;
}
