// The core operations that only forward to a feature object: nothing (or 0) without it.
#include <grid/core/GridCore.h>

#include <grid/controls/Control.h>
#include <grid/core/AbstractImps.h>
#include <grid/core/CalcSizeImp.h>
#include <grid/core/GridHideCellsImp.h>
#include <grid/core/GridParam.h>
#include <grid/core/Style.h>

#include <vector>

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

BOOL CGXGridCore::SetRangeName(LPCTSTR /*pszName*/, const CGXRange& /*range*/, CObject* /*pValue*/, UINT /*flags*/,
                               int /*nCommandKind*/)
{
    return FALSE;
}

BOOL CGXGridCore::GetRangeName(LPCTSTR /*pszName*/, CGXRange& /*range*/)
{
    return FALSE;
}

BOOL CGXGridCore::DeleteRangeName(LPCTSTR /*pszName*/, UINT /*flags*/, int /*nCommandKind*/)
{
    return FALSE;
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
        m_pCoveredCellsImp->MergeCoveredCells(this, range);
}

CGXRange* CGXGridCore::GetFloatedCellsRowCol(ROWCOL nRow, ROWCOL nCol, CGXRange& range)
{
    return m_pFloatCellsImp != nullptr ? m_pFloatCellsImp->GetFloatedCellsRowCol(this, nRow, nCol, range) : nullptr;
}

void CGXGridCore::ExpandRangeByFloatedCells(CGXRange& range)
{
    if (m_pFloatCellsImp != nullptr)
        m_pFloatCellsImp->MergeFloatedCells(this, range);
}

CGXRange* CGXGridCore::GetMergedCellsRowCol(ROWCOL nRow, ROWCOL nCol, CGXRange& range, int nDirection)
{
    return m_pMergeCellsImp != nullptr ? m_pMergeCellsImp->GetMergedCellsRowCol(this, nRow, nCol, range, nDirection)
                                       : nullptr;
}

void CGXGridCore::ExpandRangeByMergedCells(CGXRange& range)
{
    if (m_pMergeCellsImp != nullptr)
        m_pMergeCellsImp->MergeMergedCells(this, range);
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
    return m_pCutPasteImp != nullptr && m_pCutPasteImp->CopyRangeList(this, list);
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
    return m_pCutPasteImp != nullptr && m_pCutPasteImp->PasteDirect(this, range);
}

BOOL CGXGridCore::PasteStylesFromClipboard(const CGXRange& range)
{
    return m_pCutPasteImp != nullptr && m_pCutPasteImp->PasteFromClipboard(this, range);
}

BOOL CGXGridCore::IsGridClipboardFormatAvailable()
{
    return m_pCutPasteImp != nullptr && m_pCutPasteImp->IsClipboardDataAvailable(this);
}

BOOL CGXGridCore::ConfirmClipboardAction()
{
    return m_pCutPasteImp != nullptr && m_pCutPasteImp->ConfirmPasteSizeMismatch(this);
}

BOOL CGXGridCore::CopyTextToClipboard(const CGXRangeList& list)
{
    return m_pCutPasteImp != nullptr && m_pCutPasteImp->CopyTextToClipboard(this, list);
}

BOOL CGXGridCore::CopyDataToClipboard(const CGXRangeList& list, BOOL bFlag)
{
    return m_pCutPasteImp != nullptr && m_pCutPasteImp->CopyStylesToClipboard(this, list, bFlag);
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
    return m_pClearCellsImp != nullptr && m_pClearCellsImp->CanClearCells(this);
}

BOOL CGXGridCore::ClearSelection(BOOL bStyles)
{
    return m_pClearCellsImp != nullptr && m_pClearCellsImp->ClearSelection(this, bStyles);
}

BOOL CGXGridCore::ClearRangeList(const CGXRangeList& list, BOOL bStyles)
{
    return m_pClearCellsImp != nullptr && m_pClearCellsImp->ClearCells(this, list, bStyles);
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

void CGXGridCore::OnGridEndPrinting(CDC* /*pDC*/, CPrintInfo* /*pInfo*/)
{
    if (m_pPrintImp != nullptr)
        m_pPrintImp->OnEndPrinting(this);
}

BOOL CGXGridCore::ResizeRowHeightsToFit(CGXRange range, BOOL bUseCovered, UINT flags)
{
    return m_pResizeToFitImp != nullptr && m_pResizeToFitImp->ResizeRowHeightsToFit(this, range, bUseCovered, flags);
}

BOOL CGXGridCore::ResizeColWidthsToFit(CGXRange range, BOOL bUseCovered, UINT flags)
{
    return m_pResizeToFitImp != nullptr && m_pResizeToFitImp->ResizeColWidthsToFit(this, range, bUseCovered, flags);
}

BOOL CGXGridCore::IsRowHiddenFlagSet(ROWCOL nRow, BOOL /*bFlag*/)
{
    return m_pParam != nullptr && CGXGridHideCellsImp::IsBitSet(m_pParam->m_hiddenRows, nRow);
}

BOOL CGXGridCore::IsColHiddenFlagSet(ROWCOL nCol, BOOL /*bFlag*/)
{
    return m_pParam != nullptr && CGXGridHideCellsImp::IsBitSet(m_pParam->m_hiddenCols, nCol);
}

BOOL CGXGridCore::OnTrackButtonDown(CPoint point, UINT flags)
{
    if (m_pUserResizeCellsImp == nullptr)
        return FALSE;
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    const int nHit = HitTest(point, &nRow, &nCol);
    return m_pUserResizeCellsImp->OnTrackButtonDown(this, point, flags, nHit, nRow, nCol);
}

BOOL CGXGridCore::OnTrackMouseMove(CPoint point, UINT flags)
{
    return m_pUserResizeCellsImp != nullptr && m_pUserResizeCellsImp->OnTrackMouseMove(this, point, flags);
}

BOOL CGXGridCore::OnTrackButtonUp(CPoint point, UINT flags)
{
    return m_pUserResizeCellsImp != nullptr && m_pUserResizeCellsImp->OnTrackButtonUp(this, point, flags);
}

void CGXGridCore::OnCancelTracking()
{
    if (m_pUserResizeCellsImp != nullptr)
        m_pUserResizeCellsImp->OnCancelTracking(this);
}

BOOL CGXGridCore::OnStartTracking(ROWCOL nRow, ROWCOL nCol, int nMode)
{
    return m_pUserResizeCellsImp != nullptr && m_pUserResizeCellsImp->OnStartTracking(this, nRow, nCol, nMode);
}

void CGXGridCore::OnMoveTracking(ROWCOL nRow, ROWCOL nCol, int nMode, int nSize)
{
    if (m_pUserResizeCellsImp != nullptr)
        m_pUserResizeCellsImp->OnMoveTracking(this, nRow, nCol, nMode, nSize);
}

void CGXGridCore::OnEndTracking(ROWCOL nRow, ROWCOL nCol, int nMode, int nSize)
{
    if (m_pUserResizeCellsImp != nullptr)
        m_pUserResizeCellsImp->OnEndTracking(this, nRow, nCol, nMode, nSize);
}

BOOL CGXGridCore::SetCoveredCellsRowCol(ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol, UINT flags,
                                        int nCommandKind)
{
    return m_pCoveredCellsImp != nullptr &&
           m_pCoveredCellsImp->SetCoveredCellsRowCol(this, nRow, nCol, nToRow, nToCol, flags, nCommandKind);
}

BOOL CGXGridCore::StoreCoveredCellsRowCol(ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol, BOOL bSet)
{
    return m_pCoveredCellsImp != nullptr &&
           m_pCoveredCellsImp->StoreCoveredCellsRowCol(this, nRow, nCol, nToRow, nToCol, bSet);
}

void CGXGridCore::UpdateCoveredCellsRowCol(ROWCOL nRow, ROWCOL nCol, ROWCOL nOldToRow, ROWCOL nOldToCol, UINT flags,
                                           BOOL bCreateHint)
{
    if (m_pCoveredCellsImp != nullptr)
        m_pCoveredCellsImp->UpdateCoveredCellsRowCol(this, nRow, nCol, nOldToRow, nOldToCol, flags, bCreateHint);
}

// The controls ask this for their default answer; the feature's own test asks the controls.
BOOL CGXGridCore::CanFloatCellRowCol(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, BOOL bFloatOrFlood,
                                     BOOL /*bFlag*/)
{
    return m_pFloatCellsImp != nullptr && m_pFloatCellsImp->CanFloatCellDefault(this, nRow, nCol, style, bFloatOrFlood);
}

BOOL CGXGridCore::CanMergeCellRowCol(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, int nDirection, BOOL /*bFlag*/)
{
    return m_pMergeCellsImp != nullptr && m_pMergeCellsImp->CanMergeCell(this, GetRegisteredControl(style.GetControl()),
                                                                         nRow, nCol, style, nDirection);
}

BOOL CGXGridCore::AreCellValuesMergeable(const CGXStyle& style1, const CGXStyle& style2)
{
    return m_pMergeCellsImp != nullptr && m_pMergeCellsImp->CanMergeCells(this, style1, style2);
}

void CGXGridCore::FindNextText(LPCTSTR pszFind, BOOL bNext, BOOL bCase)
{
    if (m_pFindReplaceImp != nullptr)
        m_pFindReplaceImp->Find(this, pszFind, bNext, bCase);
}

void CGXGridCore::ReplaceFoundText(LPCTSTR pszFind, LPCTSTR pszReplace, BOOL bNext, BOOL bCase)
{
    if (m_pFindReplaceImp != nullptr)
        m_pFindReplaceImp->Replace(this, pszFind, bNext, bCase, pszReplace);
}

void CGXGridCore::ReplaceAllText(LPCTSTR pszFind, LPCTSTR pszReplace, BOOL bCase)
{
    if (m_pFindReplaceImp != nullptr)
        m_pFindReplaceImp->ReplaceAll(this, pszFind, pszReplace, bCase, FALSE);
}

void CGXGridCore::ShowFindReplaceDialog(BOOL bFindOnly)
{
    if (m_pFindReplaceImp != nullptr)
        m_pFindReplaceImp->OnShowFindReplaceDialog(this, bFindOnly);
}

void CGXGridCore::OnFindReplace(CFindReplaceDialog* pDialog)
{
    OnFindReplaceMessage(pDialog);
}

void CGXGridCore::OnFindReplaceMessage(CFindReplaceDialog* pDialog)
{
    if (m_pFindReplaceImp != nullptr)
        m_pFindReplaceImp->OnFindReplace(this, pDialog);
}

void CGXGridCore::RecordCommand(CObject* pCommand, int nMode)
{
    if (m_pCommandFactory != nullptr)
        m_pCommandFactory->RecordCommand(this, pCommand, nMode);
}

void CGXGridCore::DiscardLastCommand(int nMode)
{
    if (m_pCommandFactory != nullptr)
        m_pCommandFactory->DiscardLastCommand(this, nMode);
}

void CGXGridCore::ShowCommandCell(ROWCOL nRow, ROWCOL nCol, BOOL bMakeCurrent)
{
    if (m_pCommandFactory != nullptr)
        m_pCommandFactory->ShowCommandCell(this, nRow, nCol, bMakeCurrent);
}

int CGXGridCore::SetDataObjectUndoState(int nState)
{
    return m_pCommandFactory != nullptr ? m_pCommandFactory->SetDataObjectUndoState(this, nState) : 0;
}

CObject* CGXGridCore::GetDataObjectUndoInfo()
{
    return m_pCommandFactory != nullptr ? m_pCommandFactory->GetDataObjectUndoInfo(this) : nullptr;
}

BOOL CGXGridCore::RestoreDataObjectUndoInfo(CObject* pUndoInfo, DWORD dwValue1, DWORD dwValue2)
{
    return m_pCommandFactory != nullptr &&
           m_pCommandFactory->RestoreDataObjectUndoInfo(this, pUndoInfo, dwValue1, dwValue2);
}

void CGXGridCore::DiscardDataObjectUndoInfo()
{
    if (m_pCommandFactory != nullptr)
        m_pCommandFactory->DiscardDataObjectUndoInfo(this);
}

namespace
{
// Takes the text that CopyText writes in pieces and keeps the pieces as they come, so that the
// text is put together once, in one block of its own length. A memory file would move it into
// ever bigger blocks as it grows, and for a long text each of them is fresh memory.
class CCopiedTextPieces : public CFile
{
public:
    void Write(const void* lpBuf, UINT nCount) override
    {
        m_pieces.emplace_back(static_cast<LPCTSTR>(lpBuf), static_cast<int>(nCount / sizeof(TCHAR)));
        m_nUnits += m_pieces.back().GetLength();
    }

    // The text, which ends at its zero unit.
    CString Join() const
    {
        CString strText;
        strText.Preallocate(m_nUnits);
        for (const CString& strPiece : m_pieces)
            strText += strPiece;
        strText.Truncate(m_nUnits > 0 ? m_nUnits - 1 : 0);
        return strText;
    }

private:
    std::vector<CString> m_pieces;
    int m_nUnits = 0;
};
} // namespace

BOOL CGXGridCore::CopyTextFromRangeList(const CGXRangeList& list, CString& strText)
{
    strText.Empty();
    if (m_pTextDataExchangeImp == nullptr)
        return FALSE;
    CCopiedTextPieces pieces;
    const BOOL bCopied = m_pTextDataExchangeImp->CopyText(this, pieces, list);
    strText = pieces.Join();
    return bCopied;
}

void CGXGridCore::GetCellTextForCopy(ROWCOL nRow, ROWCOL nCol, CString& strText)
{
    strText =
        m_pTextDataExchangeImp != nullptr ? m_pTextDataExchangeImp->GetCopyTextRowCol(this, nRow, nCol) : CString();
}

BOOL CGXGridCore::PasteTextToCells(const CString& strText, ROWCOL nRow, ROWCOL nCol)
{
    return m_pTextDataExchangeImp != nullptr &&
           m_pTextDataExchangeImp->PasteText(this, strText, strText.GetLength() * sizeof(TCHAR), CGXRange(nRow, nCol));
}

void CGXGridCore::SplitPasteLine(const CString& strLine, CStringArray& fields)
{
    fields.RemoveAll();
    if (m_pTextDataExchangeImp != nullptr)
        m_pTextDataExchangeImp->SplitPasteLine(this, strLine, fields);
}

BOOL CGXGridCore::StorePastedCellText(ROWCOL nRow, ROWCOL nCol, const CString& strText, UINT flags,
                                      const CGXStyle* pStyle)
{
    return m_pTextDataExchangeImp != nullptr &&
           m_pTextDataExchangeImp->SetPasteTextRowCol(this, nRow, nCol, strText, flags, pStyle);
}

void CGXGridCore::CalcTextDimension(LPCTSTR pszText, SIZE_T nLength, ROWCOL& nRows, ROWCOL& nCols)
{
    nRows = 0;
    nCols = 0;
    if (m_pTextDataExchangeImp != nullptr)
        m_pTextDataExchangeImp->CalcTextDimension(this, pszText, nLength, nRows, nCols);
}

BOOL CGXGridCore::CopyStylesFromRangeList(const CGXRangeList& list, CArchive& ar, BOOL bAllStyles)
{
    return m_pStyleDataExchangeImp != nullptr && m_pStyleDataExchangeImp->CopyStyles(this, ar, list, bAllStyles);
}

BOOL CGXGridCore::GetCellStyleForCopy(ROWCOL nRow, ROWCOL nCol, CGXStyle& style, BOOL bComposed)
{
    return m_pStyleDataExchangeImp != nullptr &&
           m_pStyleDataExchangeImp->GetCellStyleForCopy(this, nRow, nCol, style, bComposed);
}

BOOL CGXGridCore::PasteStylesFromArchive(CArchive& ar, const CGXRange& target, BOOL bNoSizeCheck)
{
    return m_pStyleDataExchangeImp != nullptr && m_pStyleDataExchangeImp->PasteStyles(this, ar, target, bNoSizeCheck);
}

BOOL CGXGridCore::CopyCellsData(CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol)
{
    return m_pDirectCopyMoveCellsImp != nullptr &&
           m_pDirectCopyMoveCellsImp->CopyCellsData(this, &range, nDestRow, nDestCol);
}

BOOL CGXGridCore::MoveCellsData(CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol, CObject*& pUndoInfo,
                                BOOL bCreateUndoInfo, int nCommandKind)
{
    return m_pDirectCopyMoveCellsImp != nullptr &&
           m_pDirectCopyMoveCellsImp->MoveCellsData(this, &range, nDestRow, nDestCol, pUndoInfo, bCreateUndoInfo,
                                                    nCommandKind);
}

BOOL CGXGridCore::CopyCells(CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol, UINT flags)
{
    return m_pDirectCopyMoveCellsImp != nullptr &&
           m_pDirectCopyMoveCellsImp->CopyCells(this, &range, nDestRow, nDestCol, flags);
}

BOOL CGXGridCore::MoveCells(CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol, CObject*& pUndoInfo, UINT flags,
                            int nCommandKind)
{
    return m_pDirectCopyMoveCellsImp != nullptr &&
           m_pDirectCopyMoveCellsImp->MoveCells(this, &range, nDestRow, nDestCol, pUndoInfo, flags, nCommandKind);
}

void CGXGridCore::SortRows(CGXRange sortRange, CGXSortInfoArray& sortInfo, UINT flags)
{
    if (m_pSortImp != nullptr)
        m_pSortImp->SortRows(this, &sortRange, sortInfo, flags);
}

BOOL CGXGridCore::MoveRowsToSortOrder(const CGXRange& range, const CDWordArray& order, UINT flags, int nCommandKind)
{
    return m_pSortImp != nullptr && m_pSortImp->MoveDataRows(this, range, order, flags, nCommandKind);
}

BOOL CGXGridCore::MoveRowDataToSortOrder(const CGXRange& range, const CDWordArray& order)
{
    return m_pSortImp != nullptr && m_pSortImp->MoveDataRowsInData(this, range, order);
}

void CGXGridCore::OnRowsSorted(const CGXRange& range, UINT flags, BOOL bHint)
{
    if (m_pSortImp != nullptr)
        m_pSortImp->OnMovedDataRows(this, range, flags, FALSE);
    if (CGXAbstractGridUpdateHintImp* pHints = HintSender(bHint))
        pHints->HintRowsSorted(this, range, flags);
}

void CGXGridCore::GetRowSortKeyTexts(ROWCOL nRow, const CGXSortInfoArray& sortInfo, CStringArray& keys)
{
    if (m_pSortImp != nullptr)
        m_pSortImp->GetSortKeyRow(this, nRow, sortInfo, keys);
}

void CGXGridCore::SortCols(CGXRange sortRange, CGXSortInfoArray& sortInfo, UINT flags)
{
    if (m_pSortImp != nullptr)
        m_pSortImp->SortCols(this, &sortRange, sortInfo, flags);
}

BOOL CGXGridCore::MoveColsToSortOrder(const CGXRange& range, const CDWordArray& order, UINT flags, int nCommandKind)
{
    return m_pSortImp != nullptr && m_pSortImp->MoveDataCols(this, range, order, flags, nCommandKind);
}

BOOL CGXGridCore::MoveColDataToSortOrder(const CGXRange& range, const CDWordArray& order)
{
    return m_pSortImp != nullptr && m_pSortImp->MoveDataColsInData(this, range, order);
}

void CGXGridCore::OnColsSorted(const CGXRange& range, UINT flags, BOOL bHint)
{
    if (m_pSortImp != nullptr)
        m_pSortImp->OnMovedDataCols(this, range, flags, FALSE);
    if (CGXAbstractGridUpdateHintImp* pHints = HintSender(bHint))
        pHints->HintColsSorted(this, range, flags);
}

void CGXGridCore::GetColSortKeyTexts(ROWCOL nCol, const CGXSortInfoArray& sortInfo, CStringArray& keys)
{
    if (m_pSortImp != nullptr)
        m_pSortImp->GetSortKeyCol(this, nCol, sortInfo, keys);
}

void CGXGridCore::SortKeyArray(const CGXSortInfoArray& sortInfo, CPtrArray& keys)
{
    if (m_pSortImp != nullptr)
        m_pSortImp->QuickSort(this, sortInfo, keys);
}

BOOL CGXGridCore::ClearRange(const CGXRange& range, BOOL bStyles)
{
    return m_pClearCellsImp != nullptr && m_pClearCellsImp->ClearRange(this, range, bStyles);
}

BOOL CGXGridCore::FillCells(const CGXRange& target, const CGXRange& source)
{
    return m_pExcelLikeFillImp != nullptr && m_pExcelLikeFillImp->FillCells(this, target, source);
}

BOOL CGXGridCore::SelectFillRange(const CGXRange& range)
{
    return m_pExcelLikeFillImp != nullptr && m_pExcelLikeFillImp->SelectFillRange(this, range);
}

BOOL CGXGridCore::CanStartFillDrag(const CGXRange& /*range*/, CPoint /*point*/, UINT /*flags*/)
{
    return TRUE;
}

BOOL CGXGridCore::SortOnHeaderDblClk(ROWCOL nRow, ROWCOL nCol)
{
    return m_pSortImp != nullptr && m_pSortImp->SortOnHeaderDblClk(this, nRow, nCol);
}

BOOL CGXGridCore::ExecuteCommand(CObject* pCommand, CGXGridCore* pGrid, int nMode)
{
    return m_pCommandFactory != nullptr && m_pCommandFactory->ExecuteCommand(pCommand, pGrid, nMode);
}

BOOL CGXGridCore::SpareCallA(DWORD /*dwValue1*/, DWORD /*dwValue2*/, DWORD /*dwValue3*/)
{
    return FALSE;
}

BOOL CGXGridCore::SpareCallB(DWORD /*dwValue1*/)
{
    return FALSE;
}

BOOL CGXGridCore::SpareCallC(DWORD /*dwValue1*/, DWORD /*dwValue2*/, DWORD /*dwValue3*/)
{
    return FALSE;
}

BOOL CGXGridCore::SpareCallD(DWORD /*dwValue1*/, DWORD /*dwValue2*/, DWORD /*dwValue3*/, DWORD /*dwValue4*/)
{
    return FALSE;
}

BOOL CGXGridCore::SpareCallE(DWORD /*dwValue1*/, DWORD /*dwValue2*/, DWORD /*dwValue3*/, DWORD /*dwValue4*/)
{
    return FALSE;
}

BOOL CGXGridCore::SpareCallF()
{
    return FALSE;
}

BOOL CGXGridCore::SpareCallG(DWORD /*dwValue1*/, DWORD /*dwValue2*/, DWORD /*dwValue3*/, DWORD /*dwValue4*/)
{
    return FALSE;
}

BOOL CGXGridCore::SpareCallH(DWORD /*dwValue1*/, DWORD /*dwValue2*/, DWORD /*dwValue3*/, DWORD /*dwValue4*/,
                             DWORD /*dwValue5*/)
{
    return FALSE;
}

void CGXGridCore::SpareCallI(DWORD /*dwValue1*/, DWORD /*dwValue2*/, DWORD /*dwValue3*/)
{
}

BOOL CGXGridCore::SpareCallJ(DWORD /*dwValue1*/, DWORD /*dwValue2*/, DWORD /*dwValue3*/, DWORD /*dwValue4*/)
{
    return FALSE;
}

void CGXGridCore::OnBeforeScroll(DWORD /*dwValue1*/, DWORD /*dwValue2*/, BOOL /*bFlag*/, DWORD /*dwValue4*/)
{
}

void CGXGridCore::DelayFloatCells(const CGXRange& range, ROWCOL nMaxCols)
{
    if (m_pFloatCellsImp != nullptr)
        m_pFloatCellsImp->DelayFloatCells(this, range, nMaxCols);
}

// Evaluates the block's delayed float spans (delayed mode only).
BOOL CGXGridCore::QueryDelayedFloatCells(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight)
{
    return m_pFloatCellsImp != nullptr && m_pParam != nullptr && m_pParam->m_wFloatCellsMode == 1 &&
           m_pFloatCellsImp->EvalFloatCells(this, CGXRange(nTop, nLeft, nBottom, nRight), nullptr);
}

BOOL CGXGridCore::EvalFloatCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* /*pStyle*/, BOOL /*bUpdate*/, BOOL /*bHint*/)
{
    return m_pFloatCellsImp != nullptr && m_pFloatCellsImp->EvalFloatCell(this, nRow, nCol, nullptr);
}

void CGXGridCore::RedrawFloatCell(ROWCOL nRow, ROWCOL nCol, const CGXRange& oldRange, const CGXRange& newRange,
                                  UINT flags, BOOL bHint)
{
    CGXRange area;
    if (m_pFloatCellsImp != nullptr && area.UnionRange(oldRange, newRange))
        m_pFloatCellsImp->UpdateFloatedCellsRowCol(this, nRow, nCol, area.bottom, area.right, flags, bHint);
}

void CGXGridCore::DelayMergeCells(const CGXRange& range, ROWCOL nMaxRows, ROWCOL nMaxCols)
{
    if (m_pMergeCellsImp != nullptr)
        m_pMergeCellsImp->DelayMergeCells(this, range, nMaxRows, nMaxCols);
}

// Evaluates the block's delayed merged spans (delayed mode only).
BOOL CGXGridCore::QueryDelayedMergeCells(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight)
{
    return m_pMergeCellsImp != nullptr && m_pParam != nullptr && (m_pParam->m_wMergeCellsMode & 3) == 1 &&
           m_pMergeCellsImp->EvalMergeCells(this, CGXRange(nTop, nLeft, nBottom, nRight), nullptr);
}

BOOL CGXGridCore::EvalMergeCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* /*pStyle*/, int /*nDirection*/,
                                BOOL /*bUpdate*/, BOOL /*bHint*/)
{
    return m_pMergeCellsImp != nullptr && m_pMergeCellsImp->EvalMergeCell(this, nRow, nCol, nullptr);
}

void CGXGridCore::RedrawMergeCell(ROWCOL nRow, ROWCOL nCol, const CGXRange& oldRange, const CGXRange& newRange,
                                  UINT flags, BOOL bHint)
{
    CGXRange area;
    if (m_pMergeCellsImp != nullptr && area.UnionRange(oldRange, newRange))
        m_pMergeCellsImp->UpdateMergedCellsRowCol(this, nRow, nCol, area.bottom, area.right, flags, bHint);
}

BOOL CGXGridCore::FindNext(BOOL bSetCell)
{
    return m_pFindReplaceImp != nullptr && m_pFindReplaceImp->FindNext(this, bSetCell);
}

BOOL CGXGridCore::SearchCells(ROWCOL& nRow, ROWCOL nCol, BOOL bSetCell)
{
    return m_pFindReplaceImp != nullptr && m_pFindReplaceImp->FindInColumn(this, nRow, nCol, bSetCell);
}

BOOL CGXGridCore::SingleRangeListCallA(const CGXRange& range, BOOL bFlag)
{
    CGXRangeList list;
    list.AddTail(new CGXRange(range));
    return CutRangeList(list, bFlag);
}

BOOL CGXGridCore::SingleRangeListCallB(const CGXRange& range, BOOL bFlag)
{
    CGXRangeList list;
    list.AddTail(new CGXRange(range));
    return ClearRangeList(list, bFlag);
}

CGXGridCore::HintImpScope::HintImpScope(CGXGridCore* pGrid) : m_pGrid(pGrid)
{
    if (pGrid->m_pExcelLikeFrameImp != nullptr)
    {
        m_bOldLock = pGrid->m_pExcelLikeFrameImp->LockFrame(pGrid, TRUE, TRUE);
        m_bKept = TRUE;
    }
}

CGXGridCore::HintImpScope::~HintImpScope()
{
    if (m_bKept && m_pGrid->m_pExcelLikeFrameImp != nullptr)
        m_pGrid->m_pExcelLikeFrameImp->LockFrame(m_pGrid, m_bOldLock, TRUE);
}

void CGXGridCore::ImplementCalcSize()
{
    GXInstallImp<CGXCalcSizeImp>(m_pCalcSizeImp);
}

CSize CGXGridCore::CalcSize(CGXControl* pControl, CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                            const CGXStyle* pStandardStyle, BOOL bVertical)
{
    return m_pCalcSizeImp != nullptr
               ? m_pCalcSizeImp->CalcSize(pControl, pDC, nRow, nCol, style, pStandardStyle, bVertical)
               : CSize(0, 0);
}
