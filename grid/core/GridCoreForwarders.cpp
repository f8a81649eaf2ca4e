// The core operations that only forward to a feature object: nothing (or 0) without it.
#include <grid/core/GridCore.h>

#include <grid/controls/Control.h>

BOOL CGXGridCore::IsRowHidden(ROWCOL nRow)
{
    return m_pHideCellsImp != nullptr && m_pHideCellsImp->IsRowHidden(this, nRow);
}

BOOL CGXGridCore::IsColHidden(ROWCOL nCol)
{
    return m_pHideCellsImp != nullptr && m_pHideCellsImp->IsColHidden(this, nCol);
}

BOOL CGXGridCore::HideRows(ROWCOL nFrom, ROWCOL nTo, BOOL bHide, CByteArray* pOldStates, UINT flags, int nCommandKind)
{
    return m_pHideCellsImp != nullptr &&
           m_pHideCellsImp->HideRows(this, nFrom, nTo, bHide, pOldStates, flags, nCommandKind);
}

BOOL CGXGridCore::HideCols(ROWCOL nFrom, ROWCOL nTo, BOOL bHide, CByteArray* pOldStates, UINT flags, int nCommandKind)
{
    return m_pHideCellsImp != nullptr &&
           m_pHideCellsImp->HideCols(this, nFrom, nTo, bHide, pOldStates, flags, nCommandKind);
}

BOOL CGXGridCore::StartDragText(ROWCOL /*nRow*/, ROWCOL /*nCol*/)
{
    return FALSE;
}

CGXRange* CGXGridCore::GetCoveredCellsRowCol(ROWCOL nRow, ROWCOL nCol, CGXRange& range)
{
    return m_pCoveredCellsImp != nullptr ? m_pCoveredCellsImp->GetCoveredCellsRowCol(this, nRow, nCol, range) : nullptr;
}

void CGXGridCore::ExpandRangeByCoveredCells(CGXRange& range)
{
    if (m_pCoveredCellsImp != nullptr)
        m_pCoveredCellsImp->ExpandRangeByCoveredCells(this, range);
}

CGXRange* CGXGridCore::GetFloatedCellsRowCol(ROWCOL nRow, ROWCOL nCol, CGXRange& range)
{
    return m_pFloatCellsImp != nullptr ? m_pFloatCellsImp->GetFloatedCellsRowCol(this, nRow, nCol, range) : nullptr;
}

void CGXGridCore::ExpandRangeByFloatedCells(CGXRange& range)
{
    if (m_pFloatCellsImp != nullptr)
        m_pFloatCellsImp->ExpandRangeByFloatedCells(this, range);
}

CGXRange* CGXGridCore::GetMergedCellsRowCol(ROWCOL nRow, ROWCOL nCol, CGXRange& range, BOOL bFlag)
{
    return m_pMergeCellsImp != nullptr ? m_pMergeCellsImp->GetMergedCellsRowCol(this, nRow, nCol, range, bFlag)
                                       : nullptr;
}

void CGXGridCore::ExpandRangeByMergedCells(CGXRange& range)
{
    if (m_pMergeCellsImp != nullptr)
        m_pMergeCellsImp->ExpandRangeByMergedCells(this, range);
}

BOOL CGXGridCore::Undo()
{
    return m_pCommandFactory != nullptr && m_pCommandFactory->Undo(this);
}

BOOL CGXGridCore::Redo()
{
    return m_pCommandFactory != nullptr && m_pCommandFactory->Redo(this);
}

BOOL CGXGridCore::UpdateUndoCommandUI(CCmdUI* pCmdUI)
{
    if (m_pCommandFactory != nullptr)
        return m_pCommandFactory->UpdateUndoCommandUI(this, pCmdUI);
    pCmdUI->Enable(FALSE);
    return FALSE;
}

BOOL CGXGridCore::UpdateRedoCommandUI(CCmdUI* pCmdUI)
{
    if (m_pCommandFactory != nullptr)
        return m_pCommandFactory->UpdateRedoCommandUI(this, pCmdUI);
    pCmdUI->Enable(FALSE);
    return FALSE;
}

void CGXGridCore::BeginUndoBlock(LPCTSTR pszDescription)
{
    if (m_pCommandFactory != nullptr)
        m_pCommandFactory->BeginUndoBlock(this, pszDescription);
}

void CGXGridCore::EndUndoBlock()
{
    if (m_pCommandFactory != nullptr)
        m_pCommandFactory->EndUndoBlock(this);
}

void CGXGridCore::RollbackUndoBlock()
{
    if (m_pCommandFactory != nullptr)
        m_pCommandFactory->RollbackUndoBlock(this);
}

BOOL CGXGridCore::CopyRangeListToClipboard(const CGXRangeList& list)
{
    return m_pCutPasteImp != nullptr && m_pCutPasteImp->CopyRangeListToClipboard(this, list);
}

BOOL CGXGridCore::CopyRangeToClipboard(const CGXRange& range)
{
    CGXRangeList list;
    list.AddTail(new CGXRange(range));
    return CopyRangeListToClipboard(list);
}

BOOL CGXGridCore::CutRangeList(const CGXRangeList& list, BOOL bFlag)
{
    return m_pCutPasteImp != nullptr && m_pCutPasteImp->CutRangeList(this, list, bFlag);
}

BOOL CGXGridCore::PasteRangeList(const CGXRange& range)
{
    return m_pCutPasteImp != nullptr && m_pCutPasteImp->PasteRangeList(this, range);
}

BOOL CGXGridCore::PasteStylesFromClipboard(const CGXRange& range)
{
    return m_pCutPasteImp != nullptr && m_pCutPasteImp->PasteStylesFromClipboard(this, range);
}

BOOL CGXGridCore::IsGridClipboardFormatAvailable()
{
    return m_pCutPasteImp != nullptr && m_pCutPasteImp->IsGridClipboardFormatAvailable(this);
}

BOOL CGXGridCore::ConfirmClipboardAction()
{
    return m_pCutPasteImp != nullptr && m_pCutPasteImp->ConfirmClipboardAction(this);
}

BOOL CGXGridCore::CopyTextToClipboard(const CString& strText)
{
    return m_pCutPasteImp != nullptr && m_pCutPasteImp->CopyTextToClipboard(this, strText);
}

BOOL CGXGridCore::CopyDataToClipboard(const CGXRangeList& list, BOOL bFlag)
{
    return m_pCutPasteImp != nullptr && m_pCutPasteImp->CopyDataToClipboard(this, list, bFlag);
}

BOOL CGXGridCore::Copy()
{
    return m_pCutPasteImp != nullptr && m_pCutPasteImp->Copy(this);
}

BOOL CGXGridCore::Paste()
{
    return m_pCutPasteImp != nullptr && m_pCutPasteImp->Paste(this);
}

BOOL CGXGridCore::Cut()
{
    return m_pCutPasteImp != nullptr && m_pCutPasteImp->Cut(this);
}

BOOL CGXGridCore::CanCopy()
{
    return m_pCutPasteImp != nullptr && m_pCutPasteImp->CanCopy(this);
}

BOOL CGXGridCore::CanCut()
{
    return m_pCutPasteImp != nullptr && m_pCutPasteImp->CanCut(this);
}

BOOL CGXGridCore::CanPaste()
{
    return m_pCutPasteImp != nullptr && m_pCutPasteImp->CanPaste(this);
}

LRESULT CGXGridCore::GetControlCopyText(CGXControl* pControl, ROWCOL nRow, ROWCOL nCol, LPCTSTR /*pszValue*/,
                                        const CGXStyle& style, CString& strText)
{
    pControl->GetValueForCopy(nRow, nCol, style, strText);
    return TRUE;
}

BOOL CGXGridCore::CanClear()
{
    return m_pClearCellsImp != nullptr && m_pClearCellsImp->CanClear(this);
}

BOOL CGXGridCore::ClearSelection(BOOL bFlag)
{
    return m_pClearCellsImp != nullptr && m_pClearCellsImp->ClearSelection(this, bFlag);
}

BOOL CGXGridCore::ClearRangeList(const CGXRangeList& list, BOOL bFlag)
{
    return m_pClearCellsImp != nullptr && m_pClearCellsImp->ClearRangeList(this, list, bFlag);
}

void CGXGridCore::OnGridBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_pPrintImp != nullptr)
        m_pPrintImp->OnBeginPrinting(this, pDC, pInfo);
}

void CGXGridCore::OnGridPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_pPrintImp != nullptr)
        m_pPrintImp->OnPrint(this, pDC, pInfo);
}

void CGXGridCore::OnGridEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_pPrintImp != nullptr)
        m_pPrintImp->OnEndPrinting(this, pDC, pInfo);
}
