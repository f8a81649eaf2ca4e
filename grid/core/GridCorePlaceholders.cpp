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

void CGXGridCore::UpdateScrollbars(BOOL /*bRedraw*/, BOOL /*bOnlyIfDimensionChanged*/)
{
}

BOOL CGXGridCore::SetTopRow(ROWCOL /*nRow*/, UINT /*flags*/, BOOL /*bHint*/)
{
    return FALSE;
}

BOOL CGXGridCore::SetLeftCol(ROWCOL /*nCol*/, UINT /*flags*/, BOOL /*bHint*/)
{
    return FALSE;
}

BOOL CGXGridCore::DoScroll(int /*nDirection*/, ROWCOL /*nCount*/)
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

void CGXGridCore::OnGridPrepareDC(CDC* /*pDC*/, CPrintInfo* /*pInfo*/)
{
}

void CGXGridCore::DrawGrid(CDC* /*pDC*/)
{
}

BOOL CGXGridCore::OnGridCtlColor(CDC* /*pDC*/, CWnd* /*pWnd*/, UINT /*nCtlColor*/, HBRUSH& /*hBrush*/)
{
    return FALSE;
}

BOOL CGXGridCore::OnGridDestroy()
{
    return FALSE;
}

BOOL CGXGridCore::OnGridHScroll(UINT /*nSBCode*/, UINT /*nPos*/, CScrollBar* /*pScrollBar*/)
{
    return FALSE;
}

BOOL CGXGridCore::OnGridVScroll(UINT /*nSBCode*/, UINT /*nPos*/, CScrollBar* /*pScrollBar*/)
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

void CGXGridCore::OnGridCancelMode()
{
}

UINT CGXGridCore::OnGridGetDlgCode(UINT nDefaultCode)
{
    return nDefaultCode;
}

BOOL CGXGridCore::OnGridMouseActivate(CWnd* /*pDesktopWnd*/, UINT /*nHitTest*/, UINT /*nMessage*/, int& /*nResult*/)
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

BOOL CGXGridCore::RouteToPlugins(UINT /*nMessage*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*lResult*/)
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

BOOL CGXGridCore::OnGridDeactivateCheck(WPARAM /*wParam*/)
{
    return TRUE;
}

void CGXGridCore::OnGridNavigate(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
}

void CGXGridCore::OnFindReplace(CFindReplaceDialog* /*pDialog*/)
{
}
