// The grid window's paint path through the core, and the notifications that the cell controls
// and the window send it.
#include <grid/core/GridCore.h>

BOOL CGXGridCore::OnGridDraw(CDC* pDC, const CRect* /*pRect*/)
{
    OnGridPrepareDC(pDC, nullptr);
    DrawGrid(pDC);
    return TRUE;
}

void CGXGridCore::AfterPaint(CDC* /*pDC*/)
{
}

BOOL CGXGridCore::OnGridWindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return RouteToPlugins(nMessage, wParam, lParam, pResult);
}

BOOL CGXGridCore::OnStartEditing(ROWCOL /*nRow*/, ROWCOL /*nCol*/)
{
    return TRUE;
}

BOOL CGXGridCore::OnModifyCell(ROWCOL /*nRow*/, ROWCOL /*nCol*/)
{
    return TRUE;
}

BOOL CGXGridCore::OnCanceledEditing(ROWCOL /*nRow*/, ROWCOL /*nCol*/)
{
    return TRUE;
}

BOOL CGXGridCore::OnEndEditing(ROWCOL /*nRow*/, ROWCOL /*nCol*/)
{
    return TRUE;
}

BOOL CGXGridCore::OnDeleteCell(ROWCOL /*nRow*/, ROWCOL /*nCol*/)
{
    return TRUE;
}

BOOL CGXGridCore::OnValidateCell(ROWCOL /*nRow*/, ROWCOL /*nCol*/)
{
    return TRUE;
}

void CGXGridCore::OnClickedButtonRowCol(ROWCOL /*nRow*/, ROWCOL /*nCol*/)
{
}

void CGXGridCore::SetWarningText(LPCTSTR pszText)
{
    m_strWarningText = pszText;
}

void CGXGridCore::SetCapture()
{
    if (m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr)
        m_pGridWnd->SetCapture();
}

void CGXGridCore::OnFrozenCountChanged()
{
    m_nLastVisibleRow = GX_INVALID;
    m_nLastVisibleCol = GX_INVALID;
}
