// Copying and moving cells inside one grid, and the direct paste of the grid's own cells.
#include <grid/services/cells/DirectCopyMoveCellsImp.h>

#include <grid/core/AppData.h>
#include <grid/core/Command.h>
#include <grid/core/Data.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/LongOperationImp.h>
#include <grid/core/ResourceIds.h>
#include <toolkit/foundation/ScopedValue.h>

#include <memory>

using tarnwick::foundation::SECScopedValue;

namespace
{
constexpr ULONGLONG maxUndoCells = 0x7FFFFFFF;
constexpr ULONGLONG maxUndoLines = 0x7FFF;

CGXRange DestinationOf(const CGXRange& source, ROWCOL nDestRow, ROWCOL nDestCol)
{
    CGXRange dest;
    dest.SetCells(nDestRow, nDestCol, nDestRow + (source.bottom - source.top), nDestCol + (source.right - source.left));
    return dest;
}
} // namespace

BOOL CGXGridDirectCopyMoveCellsImp::CopyCellsData(CGXGridCore* pGrid, const CGXRange* pRange, ROWCOL nDestRow,
                                                  ROWCOL nDestCol)
{
    CGXData* pData = pGrid->GetData();
    return pData == nullptr || pData->CopyCells(*pRange, nDestRow, nDestCol);
}

BOOL CGXGridDirectCopyMoveCellsImp::MoveCellsData(CGXGridCore* pGrid, const CGXRange* pRange, ROWCOL nDestRow,
                                                  ROWCOL nDestCol, CObject*& pUndoInfo, BOOL bCreateUndoInfo,
                                                  int /*nCommandKind*/)
{
    CGXData* pData = pGrid->GetData();
    return pData == nullptr || pData->MoveCells(*pRange, nDestRow, nDestCol, pUndoInfo, bCreateUndoInfo);
}

BOOL CGXGridDirectCopyMoveCellsImp::CopyCells(CGXGridCore* pGrid, const CGXRange* pRange, ROWCOL nDestRow,
                                              ROWCOL nDestCol, UINT flags)
{
    if (pGrid->IsReadOnly() || pGrid->GetParam() == nullptr)
        return FALSE;
    const CString& strCopy = pGrid->GetAppData()->m_sCopy;
    pGrid->BeginUndoBlock(strCopy);
    CGXLongOperationScope operation;
    GXSetLongOperationStatus(operation.Record(), strCopy);
    GXLongOpSetRollback(TRUE);
    const CGXRange dest = DestinationOf(*pRange, nDestRow, nDestCol);
    const ULONGLONG nRows = ULONGLONG(dest.bottom) - dest.top + 1;
    const ULONGLONG nCols = ULONGLONG(dest.right) - dest.left + 1;
    const BOOL bUndo = pGrid->m_pCommandFactory != nullptr && pGrid->GetParam()->m_bUndoEnabled;
    std::unique_ptr<CObArray, decltype(&GXDeleteUndoStyles)> oldStyles(nullptr, GXDeleteUndoStyles);
    BOOL bCopied = FALSE;
    try
    {
        if (bUndo)
        {
            if (nRows * nCols < maxUndoCells && nRows <= maxUndoLines && nCols <= maxUndoLines)
                oldStyles.reset(pGrid->CopyStyleRange(dest, pGrid->m_nDefaultType, TRUE));
            else if (AfxMessageBox(GXLoadResourceString(GX_IDS_UNDO_TOO_LARGE), MB_OKCANCEL | MB_ICONQUESTION) ==
                     IDCANCEL)
            {
                pGrid->RollbackUndoBlock();
                return FALSE;
            }
        }
        pGrid->FreeObjectCache();
        pGrid->BeginDataChange(dest);
        const int nOldMode = pGrid->SetDataObjectUndoState(pGrid->GetParam()->m_bUndoEnabled);
        bCopied = pGrid->CopyCellsData(*pRange, nDestRow, nDestCol);
        pGrid->SetDataObjectUndoState(nOldMode);
    }
    catch (CException*)
    {
        pGrid->DiscardDataObjectUndoInfo();
        pGrid->RollbackUndoBlock();
        throw;
    }
    if (!bCopied)
    {
        oldStyles.reset();
        pGrid->DiscardDataObjectUndoInfo();
        pGrid->RollbackUndoBlock();
    }
    else
    {
        pGrid->EndUndoBlock();
        pGrid->DelayFloatCells(dest);
        pGrid->DelayMergeCells(dest);
        pGrid->DocumentLinkCall(1);
        CObject* pEngineInfo = pGrid->GetDataObjectUndoInfo();
        if (oldStyles != nullptr)
        {
            if (pEngineInfo != nullptr)
                oldStyles->Add(pEngineInfo);
            CGXAbstractCommandFactory* pFactory = pGrid->m_pCommandFactory;
            pFactory->AddCommand(
                pGrid, pFactory->CreateSetStyleRangeCmd(dest, pGrid->m_nDefaultType, oldStyles.release(), gxDo), gxDo);
        }
        else
            delete pEngineInfo;
    }
    pGrid->EndDataChange();
    pGrid->RedrawGrid(flags);
    return bCopied;
}

BOOL CGXGridDirectCopyMoveCellsImp::MoveCells(CGXGridCore* pGrid, const CGXRange* pRange, ROWCOL nDestRow,
                                              ROWCOL nDestCol, CObject*& pUndoInfo, UINT flags, int nCommandKind)
{
    if (pGrid->IsReadOnly() || pGrid->GetData() == nullptr)
        return FALSE;
    CGXLongOperationScope operation;
    GXSetLongOperationStatus(operation.Record(), pGrid->GetAppData()->m_sMove);
    const CGXRange dest = DestinationOf(*pRange, nDestRow, nDestCol);
    pGrid->BeginDataChange(dest);
    pGrid->BeginDataChange(*pRange);
    const BOOL bUndo =
        pGrid->m_pCommandFactory != nullptr && pGrid->GetParam()->m_bUndoEnabled && nCommandKind != gxRollback;
    const BOOL bMoved = pGrid->MoveCellsData(*pRange, nDestRow, nDestCol, pUndoInfo, bUndo, nCommandKind);
    if (bMoved)
    {
        pGrid->DelayFloatCells(dest);
        pGrid->DelayMergeCells(dest);
        pGrid->DelayFloatCells(*pRange);
        pGrid->DelayMergeCells(*pRange);
        pGrid->DocumentLinkCall(1);
        // The information now belongs to the command that moves the cells back, or is spent.
        if (bUndo)
        {
            CGXAbstractCommandFactory* pFactory = pGrid->m_pCommandFactory;
            pFactory->AddCommand(pGrid, pFactory->CreateMoveCellsCmd(*pRange, nDestRow, nDestCol, pUndoInfo),
                                 nCommandKind);
        }
        else
            delete pUndoInfo;
        pUndoInfo = nullptr;
    }
    pGrid->EndDataChange();
    pGrid->RedrawGrid(flags);
    return bMoved;
}

BOOL CGXGridDirectCopyMoveCellsImp::PasteDirect(CGXGridCore* pGrid, const CGXRange& target)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr)
        return TRUE;
    const BOOL bCut = pParam->CutPending();
    if (pParam->DirectPasteMode() == 0 || !(bCut ? pParam->DirectCutPaste() : pParam->DirectCopyPaste()))
        return TRUE;

    CDWordArray rowStarts, rowEnds, colStarts, colEnds;
    pParam->ClipboardRangeList().GetRowArray(pGrid->GetRowCount(), rowStarts, rowEnds, FALSE);
    pParam->ClipboardRangeList().GetColArray(pGrid->GetColCount(), colStarts, colEnds, FALSE);
    const BOOL bOwnBlock = pParam->DirectPasteMode() > 1;
    const CString& strText = bCut ? pGrid->GetAppData()->m_sMove : pGrid->GetAppData()->m_sCopy;

    CGXLongOperationScope operation;
    GXSetLongOperationStatus(operation.Record(), strText);
    if (bOwnBlock)
        pGrid->BeginUndoBlock(strText);
    BOOL bOk = TRUE;
    BOOL bCurrentHit = FALSE;
    ROWCOL nCurrentRow = 0;
    ROWCOL nCurrentCol = 0;
    const BOOL bCurrent = pGrid->GetCurrentCell(&nCurrentRow, &nCurrentCol);
    {
        // A cut or a paste of several blocks locks the updates until it is through.
        const BOOL bWasLocked = pParam->m_bLockUpdate;
        const SECScopedValue<BOOL> lock(pParam->m_bLockUpdate, bWasLocked || bCut || bOwnBlock);
        try
        {
            ROWCOL nRowOffset = 0;
            for (INT_PTR i = 0; i < rowStarts.GetSize() && bOk; ++i)
            {
                ROWCOL nColOffset = 0;
                for (INT_PTR j = 0; j < colStarts.GetSize() && bOk; ++j)
                {
                    CGXRange source;
                    source.SetCells(rowStarts[i], colStarts[j], rowEnds[i], colEnds[j]);
                    const ROWCOL nRow = target.top + nRowOffset;
                    const ROWCOL nCol = target.left + nColOffset;
                    CObject* pNoInfo = nullptr;
                    bOk = bCut ? pGrid->MoveCells(source, nRow, nCol, pNoInfo, GX_UPDATENOW, gxDo)
                               : pGrid->CopyCells(source, nRow, nCol, GX_UPDATENOW);
                    if (bOk && bCurrent && DestinationOf(source, nRow, nCol).IsCellInRange(nCurrentRow, nCurrentCol))
                        bCurrentHit = TRUE;
                    nColOffset += colEnds[j] - colStarts[j] + 1;
                }
                nRowOffset += rowEnds[i] - rowStarts[i] + 1;
            }
        }
        catch (CMemoryException* e)
        {
            e->Delete();
            AfxMessageBox(GXLoadResourceString(GX_IDS_RANGE_TOO_BIG), MB_OK | MB_ICONEXCLAMATION);
            bOk = FALSE;
        }
        if (bOwnBlock)
        {
            if (bOk)
                pGrid->EndUndoBlock();
            else
                pGrid->RollbackUndoBlock();
        }
        if (bCut)
        {
            pParam->SetCutPending(FALSE);
            pParam->ClipboardRangeList().DeleteAll();
        }
        if (pParam->m_bLockUpdate && !bWasLocked)
        {
            pParam->m_bLockUpdate = FALSE;
            pGrid->EndDataChange();
            pGrid->RedrawGrid(GX_UPDATENOW);
        }
    }
    if (bCurrentHit)
    {
        pGrid->DelayFloatCells(CGXRange(nCurrentRow, nCurrentCol));
        pGrid->SetCurrentCell(nCurrentRow, nCurrentCol, GX_MOVECELL);
    }
    return bOk;
}
