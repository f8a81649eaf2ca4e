// Recalculation through the data store and the invalidation that every change ends in.
#include <grid/core/GridCore.h>

#include <grid/core/Data.h>
#include <grid/core/GridParam.h>

BOOL CGXGridCore::IsCellDirty(ROWCOL nRow, ROWCOL nCol)
{
    CGXData* pData = GetData();
    if (pData == nullptr)
        return FALSE;
    CGXRange covered;
    if (GetCoveredCellsRowCol(nRow, nCol, covered) != nullptr)
        return pData->GetEngineCellFlag(covered.top, covered.left);
    return pData->GetEngineCellFlag(nRow, nCol);
}

void CGXGridCore::OnCellDrawn(ROWCOL nRow, ROWCOL nCol, BOOL bSet)
{
    if (CGXData* pData = GetData())
        pData->SetEngineCellFlag(nRow, nCol, bSet);
}

void CGXGridCore::OnDataNotify()
{
    CGXData* pData = GetData();
    if (pData != nullptr && !m_bNotifyLock)
        pData->UpdateEngineRange(CGXRange().SetTable());
}

void CGXGridCore::Recalc(BOOL bAll)
{
    if (CGXData* pData = GetData())
        pData->EnableEngineRecalc(bAll);
}

void CGXGridCore::ResetRecalc()
{
    if (CGXData* pData = GetData())
        pData->RecalcEngine();
}

BOOL CGXGridCore::GetRecalcError(CString& strError)
{
    CGXData* pData = GetData();
    return pData != nullptr && pData->GetEngineErrorText(strError);
}

void CGXGridCore::RecalcAndRedraw(BOOL bRecalc, CString* pError, BOOL bHint)
{
    if (GetRowCount() == 0 || GetColCount() == 0)
        return;
    IsCellDirty(1, 1);
    if (bRecalc)
    {
        ResetRecalc();
        Recalc(FALSE);
    }
    const BOOL bOldKeep = SetKeepGDIObjects(TRUE);
    if (m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr)
        m_pGridWnd->UpdateWindow();
    m_bDirtyOnly = TRUE;
    RedrawGrid(GX_UPDATENOW, FALSE);
    m_bDirtyOnly = FALSE;
    if (m_pParam != nullptr)
        m_pParam->m_RangeList1.DeleteAll();
    SetKeepGDIObjects(bOldKeep);
    if (!bOldKeep)
        FreeObjectCache();
    if (CGXAbstractGridUpdateHintImp* pHints = HintSender(bHint))
        pHints->HintRecalc(this, pError);

    CString strError;
    if (bRecalc && GetRecalcError(strError))
    {
        if (pError == nullptr)
            AfxMessageBox(strError);
        else
            *pError = strError;
        ResetRecalc();
    }
}

void CGXGridCore::InvalidateRange(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight, UINT flags, BOOL bHint)
{
    if (flags == 0)
        return;
    if (m_bPrinting)
        m_bRedrawAfterPrinting = TRUE;
    else if (m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr && m_pGridWnd->IsWindowVisible() &&
             !(m_pParam != nullptr && m_pParam->m_bLockUpdate))
    {
        CRect rect;
        CalcRectFromRowColEx(&rect, nTop, nLeft, nBottom, nRight, FALSE);
        m_pGridWnd->InvalidateRect(&rect, TRUE);
        if (flags & GX_UPDATENOW)
            m_pGridWnd->UpdateWindow();
    }
    if (CGXAbstractGridUpdateHintImp* pHints = HintSender(bHint))
        pHints->HintInvalidateRange(this, nTop, nLeft, nBottom, nRight, flags);
}

void CGXGridCore::InvalidateRangeEx(const CGXRange& range, UINT flags, BOOL bHint)
{
    CGXRange area(range);
    area.ExpandRange(0, 0, GetRowCount(), GetColCount());
    InvalidateRange(area.top, area.left, area.bottom, area.right, flags, bHint);
}

void CGXGridCore::RedrawGrid(UINT flags, BOOL bHint)
{
    m_nLastVisibleRow = GX_INVALID;
    m_nLastVisibleCol = GX_INVALID;
    if (flags != 0 && m_bPrinting)
        m_bRedrawAfterPrinting = TRUE;
    else if (flags != 0 && !(m_pParam != nullptr && m_pParam->m_bLockUpdate))
    {
        if (m_nTopRow > GetRowCount())
            SetTopRow(GetRowCount(), 0, FALSE);
        if (m_nLeftCol > GetColCount())
            SetLeftCol(GetColCount(), 0, FALSE);
        FreeObjectCache();
        if (m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr)
        {
            CRect rect;
            m_pGridWnd->InvalidateRect(GetGridRect(&rect), TRUE);
            UpdateScrollbars(TRUE, FALSE);
            if (flags & GX_UPDATENOW)
                m_pGridWnd->UpdateWindow();
        }
    }
    if (CGXAbstractGridUpdateHintImp* pHints = HintSender(bHint))
        pHints->HintRedrawGrid(this, flags);
}
