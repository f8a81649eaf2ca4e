// Core operations whose features are built elsewhere in the grid. Until then each answers
// what the grid answers without the feature: nothing to do, not handled, no current cell.
#include <grid/core/GridCore.h>

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

void CGXGridCore::OnGridShowWindow(BOOL /*bShow*/, UINT /*nStatus*/)
{
}

BOOL CGXGridCore::OnGridMouseActivate(CWnd* /*pDesktopWnd*/, UINT /*nHitTest*/, UINT /*nMessage*/, LRESULT* /*pResult*/)
{
    return FALSE;
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

void CGXGridCore::OnGridAppNotify(WPARAM /*wParam*/)
{
}

void CGXGridCore::OnFindReplace(CFindReplaceDialog* /*pDialog*/)
{
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

void CGXGridCore::OnPrintHeaderFooter(CDC* /*pDC*/, CPrintInfo* /*pInfo*/)
{
}

ROWCOL CGXGridCore::GetFloatOrMergeLimit() const
{
    return 0;
}
