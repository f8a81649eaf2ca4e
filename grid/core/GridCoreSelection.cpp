// Questions about the selection and the current cell's range, and the selection features.
#include <grid/core/GridCore.h>

#include <grid/controls/Control.h>
#include <grid/core/GridParam.h>

BOOL CGXGridCore::CopyRangeList(CGXRangeList& list, BOOL bCurrentCell)
{
    list.DeleteAll();
    if (m_pParam != nullptr)
        for (POSITION pos = m_pParam->m_SelRects.GetHeadPosition(); pos != nullptr;)
            list.AddTail(new CGXRange(*m_pParam->m_SelRects.GetNextRange(pos)));
    ROWCOL nRow, nCol;
    if (bCurrentCell && GetCurrentCell(&nRow, &nCol))
        list.AddTail(new CGXRange(nRow, nCol));
    return !list.IsEmpty();
}

BOOL CGXGridCore::GetSelectedRowRanges(CDWordArray& awFrom, CDWordArray& awTo, BOOL bRangeRowsOnly,
                                       BOOL bCanUseCurrentCell)
{
    awFrom.RemoveAll();
    awTo.RemoveAll();
    if (m_pParam != nullptr && m_pParam->m_SelRects.GetRowArray(GetRowCount(), awFrom, awTo, bRangeRowsOnly))
        return TRUE;
    ROWCOL nRow;
    if (!bCanUseCurrentCell || !GetCurrentCell(&nRow, nullptr))
        return FALSE;
    awFrom.Add(nRow);
    awTo.Add(nRow);
    return TRUE;
}

int CGXGridCore::GetSelectedRows(CDWordArray& awRows, BOOL bRangeRowsOnly, BOOL bCanUseCurrentCell)
{
    awRows.RemoveAll();
    CDWordArray awFrom, awTo;
    GetSelectedRowRanges(awFrom, awTo, bRangeRowsOnly, bCanUseCurrentCell);
    for (INT_PTR i = 0; i < awFrom.GetSize(); ++i)
        for (ULONGLONG nRow = awFrom[i]; nRow <= awTo[i]; ++nRow)
            awRows.Add(static_cast<DWORD>(nRow));
    return static_cast<int>(awRows.GetSize());
}

BOOL CGXGridCore::SelectRange(const CGXRange& range, BOOL bSelect, BOOL bUpdate)
{
    if (m_pUserSelectRangeImp == nullptr || m_pParam == nullptr)
        return FALSE;
    return m_pUserSelectRangeImp->SelectRange(this, range, bSelect, bUpdate);
}

void CGXGridCore::SetSelection(POSITION pos, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight)
{
    if (m_pUserSelectRangeImp != nullptr && m_pParam != nullptr)
        m_pUserSelectRangeImp->SetSelection(this, pos, nTop, nLeft, nBottom, nRight);
}

BOOL CGXGridCore::OnLeftClickedCell(ROWCOL nRow, ROWCOL nCol, UINT flags, CPoint point)
{
    if (m_pUserSelectRangeImp == nullptr || m_pParam == nullptr)
        return FALSE;
    return m_pUserSelectRangeImp->OnLeftClickedCell(this, nRow, nCol, flags, point);
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

BOOL CGXGridCore::IsRangeInList(ROWCOL nRow, ROWCOL nCol, const CGXRangeList* pList)
{
    return pList != nullptr && pList->IsCellInList(nRow, nCol);
}

CGXRange* CGXGridCore::GetCellRangeRowCol(ROWCOL nRow, ROWCOL nCol, CGXRange& range)
{
    if (GetCoveredCellsRowCol(nRow, nCol, range) != nullptr)
        return &range;
    if (GetMergedCellsRowCol(nRow, nCol, range) != nullptr)
        return &range;
    return GetFloatedCellsRowCol(nRow, nCol, range);
}

void CGXGridCore::GetSelectedText(CString& strText)
{
    if (CGXControl* pControl = GetCurrentCellControl())
        pControl->GetCopyText(strText);
    else
        strText.Empty();
}

void CGXGridCore::OnTextNotFound(LPCTSTR /*pszText*/)
{
    ::MessageBeep(MB_OK);
}

BOOL CGXGridCore::OnAfterSelectRange(const CGXRange& range, BOOL bFlag1, BOOL bFlag2)
{
    OnSelectRangeDone(range, bFlag1, bFlag2);
    return TRUE;
}

void CGXGridCore::OnSelectRangeDone(const CGXRange& /*range*/, BOOL /*bFlag1*/, BOOL /*bFlag2*/)
{
}

BOOL CGXGridCore::CanSelectCurrentCell(BOOL /*bSelect*/, ROWCOL /*nTop*/, ROWCOL /*nLeft*/, ROWCOL /*nBottom*/,
                                       ROWCOL /*nRight*/)
{
    return TRUE;
}

void CGXGridCore::RefreshHeaders(DWORD /*dwValue1*/, DWORD /*dwValue2*/, DWORD /*dwValue3*/)
{
    const ROWCOL nHeaderRows = GetHeaderRows();
    const ROWCOL nHeaderCols = GetHeaderCols();
    InvalidateRange(nHeaderRows + 1, 0, GetRowCount(), nHeaderCols, GX_UPDATENOW, FALSE);
    InvalidateRange(0, nHeaderCols + 1, nHeaderRows, GetColCount(), GX_UPDATENOW, FALSE);
}

void CGXGridCore::DrawSelectionFrame(CDC* pDC)
{
    if (m_pExcelLikeFrameImp != nullptr)
        m_pExcelLikeFrameImp->DrawFrameOfPass(this, pDC);
}

void CGXGridCore::RefreshExcelLikeFrame()
{
    if (m_pExcelLikeFrameImp != nullptr)
        m_pExcelLikeFrameImp->RefreshExcelLikeFrame(this);
}
