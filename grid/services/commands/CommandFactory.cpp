// Undo and redo: making the commands, the undo and redo lists, blocks and the menu items.
#include <grid/services/commands/CommandFactory.h>

#include <grid/controls/Control.h>
#include <grid/core/AppData.h>
#include <grid/core/Command.h>
#include <grid/core/Data.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/LongOperationImp.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <toolkit/foundation/ScopedValue.h>

#include <memory>
#include <new>

using tarnwick::foundation::SECScopedValue;

namespace
{
// Arrays of undo styles are indexed in 32 bits and a line holds at most this many cells.
constexpr ULONGLONG maxUndoCells = 0x7FFFFFFF;
constexpr ULONGLONG maxUndoLines = 0x7FFF;

// A new command, or null when memory runs out.
template <class COMMAND, class... ARGS> CObject* NewCommand(ARGS&&... args)
{
    try
    {
        return new COMMAND(std::forward<ARGS>(args)...);
    }
    catch (CMemoryException* e)
    {
        e->Delete();
    }
    catch (const std::bad_alloc&)
    {
    }
    return nullptr;
}

// Commands whose engine information restores cells at their old coordinates: it goes back after
// the rows or columns are where they were.
BOOL AppliesEngineInfoAfter(const CGXCommand* pCommand)
{
    static CRuntimeClass* const s_apClasses[] = {RUNTIME_CLASS(CGXRemoveRowsCmd), RUNTIME_CLASS(CGXRemoveColsCmd),
                                                 RUNTIME_CLASS(CGXMoveRowsCmd), RUNTIME_CLASS(CGXMoveColsCmd)};
    for (CRuntimeClass* pClass : s_apClasses)
        if (pCommand->IsKindOf(pClass))
            return TRUE;
    return FALSE;
}

void DeleteCommandAt(CObList& list, BOOL bHead)
{
    if (!list.IsEmpty())
        delete (bHead ? list.RemoveHead() : list.RemoveTail());
}

BOOL IsBlockOpen(CGXGridCore* pGrid, const CGXGridParam* pParam)
{
    return pParam->m_nUndoBlockLevel > 0 || pGrid->IsExecutingBlock();
}

CGXBlockCmd* HeadBlock(CObList* pList)
{
    return pList->IsEmpty() ? nullptr : DYNAMIC_DOWNCAST(CGXBlockCmd, pList->GetHead());
}

// The current cell's control while it edits, or null.
CGXControl* ActiveControl(CGXGridCore* pGrid, ROWCOL& nRow, ROWCOL& nCol)
{
    if (!pGrid->GetCurrentCell(&nRow, &nCol))
        return nullptr;
    CGXControl* pControl = pGrid->GetControl(nRow, nCol);
    return pControl != nullptr && pControl->IsActive() ? pControl : nullptr;
}
} // namespace

CObject* CGXCommandFactory::CreateBlockCmd(LPCTSTR pszName)
{
    return NewCommand<CGXBlockCmd>(pszName);
}

CObject* CGXCommandFactory::CreateSetStyleRangeCmd(const CGXRange& range, int nType, CObArray* pOldStyles,
                                                   int /*nCommandKind*/)
{
    return NewCommand<CGXSetStyleRangeCmd>(range, nType, pOldStyles);
}

CObject* CGXCommandFactory::CreateStylesMapCmd(CGXGridCore* /*pGrid*/, const CGXStylesMap& oldStylesMap)
{
    return NewCommand<CGXChangeStylesMapCmd>(oldStylesMap);
}

CObject* CGXCommandFactory::CreatePropertiesCmd(CGXGridCore* /*pGrid*/, const CGXProperties& oldProperties)
{
    return NewCommand<CGXChangePropertiesCmd>(oldProperties);
}

CObject* CGXCommandFactory::CreateBaseStyleCmd(CGXGridCore* pGrid, WORD nBaseStyleId, const CGXStyle& oldStyle)
{
    UINT nResourceId = 0;
    const CGXStylesMap* pStylesMap = pGrid->GetStylesMap();
    LPCTSTR pszName = pStylesMap != nullptr ? pStylesMap->GetStyleName(nBaseStyleId, nResourceId) : nullptr;
    return NewCommand<CGXChangeBaseStyleCmd>(oldStyle, pszName != nullptr ? pszName : _T(""), nBaseStyleId);
}

CObject* CGXCommandFactory::CreateSizesCmd(CGXGridCore* /*pGrid*/, BOOL bRows, ROWCOL nFrom, ROWCOL nTo, int* pOldSizes)
{
    if (bRows)
        return NewCommand<CGXSetRowHeightCmd>(nFrom, nTo, pOldSizes);
    return NewCommand<CGXSetColWidthCmd>(nFrom, nTo, pOldSizes);
}

CObject* CGXCommandFactory::CreateDefaultSizeCmd(CGXGridCore* /*pGrid*/, BOOL bRows, int nOldSize)
{
    if (bRows)
        return NewCommand<CGXSetDefaultRowHeightCmd>(nOldSize);
    return NewCommand<CGXSetDefaultColWidthCmd>(nOldSize);
}

CObject* CGXCommandFactory::CreateFreezeCmd(CGXGridCore* /*pGrid*/, BOOL bRows, ROWCOL nOldFrozen, ROWCOL nOldHeader)
{
    if (bRows)
        return NewCommand<CGXSetFrozenRowsCmd>(nOldFrozen, nOldHeader);
    return NewCommand<CGXSetFrozenColsCmd>(nOldFrozen, nOldHeader);
}

CObject* CGXCommandFactory::CreateInsertCmd(CGXGridCore* /*pGrid*/, BOOL bRows, ROWCOL nFrom, ROWCOL nCount)
{
    if (bRows)
        return NewCommand<CGXRemoveRowsCmd>(nFrom, nFrom + nCount - 1);
    return NewCommand<CGXRemoveColsCmd>(nFrom, nFrom + nCount - 1);
}

CObject* CGXCommandFactory::CreateRemoveCmd(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nCount, int* pOldSizes,
                                            CObject* pOldStyles, ROWCOL nOtherCount)
{
    std::unique_ptr<CObArray> kept(static_cast<CObArray*>(pOldStyles));
    CObArray* pCellStyles = kept != nullptr ? static_cast<CObArray*>(kept->GetAt(0)) : nullptr;
    CObArray* pLineStyles = kept != nullptr ? static_cast<CObArray*>(kept->GetAt(1)) : nullptr;
    if (CObject* pEngineInfo = pGrid->GetDataObjectUndoInfo())
    {
        if (pCellStyles == nullptr)
            pCellStyles = new CObArray;
        pCellStyles->SetAtGrow(static_cast<INT_PTR>(nCount) * nOtherCount, pEngineInfo);
    }
    if (bRows)
        return NewCommand<CGXInsertRowsCmd>(nFrom, nCount, pOldSizes, pCellStyles, pLineStyles, nOtherCount);
    return NewCommand<CGXInsertColsCmd>(nFrom, nCount, pOldSizes, pCellStyles, pLineStyles, nOtherCount);
}

CObject* CGXCommandFactory::CreateCoveredCellsCmd(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight)
{
    return NewCommand<CGXSetCoveredCellsCmd>(nTop, nLeft, nBottom, nRight);
}

CObject* CGXCommandFactory::CreateHideCmd(BOOL bRows, ROWCOL nFrom, ROWCOL nTo, CByteArray* pOldStates)
{
    if (bRows)
        return NewCommand<CGXHideRowsCmd>(nFrom, nTo, pOldStates);
    return NewCommand<CGXHideColsCmd>(nFrom, nTo, pOldStates);
}

CObject* CGXCommandFactory::CreateMoveRowsColsCmd(BOOL bRows, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest)
{
    if (bRows)
        return NewCommand<CGXMoveRowsCmd>(nFrom, nTo, nDest);
    return NewCommand<CGXMoveColsCmd>(nFrom, nTo, nDest);
}

CObject* CGXCommandFactory::CreateMoveDataCmd(BOOL bRows, CDWordArray* pOrder, const CGXRange& range)
{
    if (bRows)
        return NewCommand<CGXMoveDataRowsCmd>(pOrder, range);
    return NewCommand<CGXMoveDataColsCmd>(pOrder, range);
}

CObject* CGXCommandFactory::CreateMoveCellsCmd(const CGXRange& source, ROWCOL nDestRow, ROWCOL nDestCol,
                                               CObject* pUndoInfo)
{
    return NewCommand<CGXMoveCellsCmd>(source, nDestRow, nDestCol, pUndoInfo);
}

CObject* CGXCommandFactory::CreateSetRangeNameCmd(LPCTSTR pszName, BOOL bHadRange, const CGXRange& oldRange)
{
    return NewCommand<CGXSetRangeNameCmd>(pszName, bHadRange, oldRange);
}

CObject* CGXCommandFactory::CreateDeleteRangeNameCmd(LPCTSTR pszName, const CGXRange& range, CObject* pInfo)
{
    return NewCommand<CGXDeleteRangeNameCmd>(pszName, range, pInfo);
}

CObArray* CGXCommandFactory::KeepLineStyles(CGXGridCore* pGrid, BOOL bRows, BOOL bCellStyles, ROWCOL nFrom,
                                            ULONGLONG nCount, ROWCOL nOtherCount, ULONGLONG nDoneBefore,
                                            ULONGLONG nTotal, BOOL& bDeclined)
{
    const ULONGLONG nOther = bCellStyles ? nOtherCount : 1;
    if (nCount * nOther >= maxUndoCells || nCount > maxUndoLines || (bCellStyles && nOther > maxUndoLines))
    {
        bDeclined =
            AfxMessageBox(GXLoadResourceString(GX_IDS_UNDO_TOO_LARGE), MB_OKCANCEL | MB_ICONQUESTION) == IDCANCEL;
        return nullptr;
    }
    std::unique_ptr<CObArray, decltype(&GXDeleteUndoStyles)> styles(new CObArray, GXDeleteUndoStyles);
    styles->SetSize(static_cast<INT_PTR>(nCount * nOther));
    CGXLongOperationScope operation;
    GXSetLongOperationStatus(operation.Record(), pGrid->GetAppData()->m_sGenUndo);
    ULONGLONG nIndex = 0;
    for (ULONGLONG i = 0; i < nCount; ++i)
        for (ULONGLONG j = 0; j < nOther; ++j, ++nIndex)
        {
            const auto nLine = static_cast<ROWCOL>(nFrom + i);
            const auto nCell = static_cast<ROWCOL>(bCellStyles ? j : 0);
            CGXStyle* pStyle = pGrid->CreateStyle();
            const int nType = bCellStyles ? pGrid->m_nDefaultType : -1;
            if (pGrid->GetStyleRowCol(bRows ? nLine : nCell, bRows ? nCell : nLine, *pStyle, CGXStyle::modeCopy, nType))
                styles->SetAt(static_cast<INT_PTR>(nIndex), pStyle);
            else
                pGrid->RecycleStyle(pStyle);
            if (GXLongOpIsFeedbackDue(operation.Record()))
            {
                BOOL bAborted = FALSE;
                GXSetLongOperationStatus(operation.Record(), pGrid->GetAppData()->m_sGenUndo, nDoneBefore + nIndex,
                                         nTotal);
                GXGetLongOperationAbort(operation.Record(), bAborted);
                if (bAborted)
                    AfxThrowUserException();
            }
        }
    return styles.release();
}

BOOL CGXCommandFactory::SaveRemovedStyles(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nTo, ROWCOL nOtherCount,
                                          CObject*& pOldStyles)
{
    pOldStyles = nullptr;
    const CGXGridParam* pParam = pGrid->GetParam();
    const WORD wFlags = bRows ? pParam->m_wRowUndoFlags : pParam->m_wColUndoFlags;
    const ULONGLONG nCount = ULONGLONG(nTo) - nFrom + 1;
    const BOOL bCells = (wFlags & 2) != 0;
    const BOOL bLines = (wFlags & 1) != 0;
    const ULONGLONG nTotal = (bCells ? nCount * nOtherCount : 0) + (bLines ? nCount : 0);
    std::unique_ptr<CObArray, decltype(&GXDeleteUndoStyles)> kept(new CObArray, GXDeleteUndoStyles);
    kept->SetSize(2);
    BOOL bDeclined = FALSE;
    if (bCells)
    {
        CObArray* pCells = KeepLineStyles(pGrid, bRows, TRUE, nFrom, nCount, nOtherCount, 0, nTotal, bDeclined);
        if (pCells == nullptr)
            return !bDeclined; // OK: the removal goes on without undo styles
        kept->SetAt(0, pCells);
    }
    if (bLines)
    {
        const ULONGLONG nBefore = bCells ? nCount * nOtherCount : 0;
        CObArray* pLines = KeepLineStyles(pGrid, bRows, FALSE, nFrom, nCount, nOtherCount, nBefore, nTotal, bDeclined);
        if (pLines == nullptr)
            return !bDeclined;
        kept->SetAt(1, pLines);
    }
    pOldStyles = kept.release();
    return TRUE;
}

void CGXCommandFactory::AddCommand(CGXGridCore* pGrid, CObject* pCommand, int nMode)
{
    CGXCommand* pNew = DYNAMIC_DOWNCAST(CGXCommand, pCommand);
    CGXGridParam* pParam = pGrid->GetParam();
    if (pNew == nullptr || pParam == nullptr)
    {
        delete pCommand;
        return;
    }
    if (nMode == gxDo)
        pParam->EmptyRedoList();
    if (pNew->m_pEngineUndoInfo == nullptr)
        pNew->m_pEngineUndoInfo = pGrid->GetDataObjectUndoInfo();
    CObList* pList = nMode == gxDo || nMode == gxRedo ? pParam->GetUndoList() : pParam->GetRedoList();
    CObList* pTarget = pList;
    if (IsBlockOpen(pGrid, pParam))
    {
        if (CGXBlockCmd* pBlock = HeadBlock(pList))
            pTarget = &pBlock->m_CommandList;
    }
    else if (static_cast<ULONGLONG>(pList->GetCount()) > pParam->m_nMaxUndo)
        DeleteCommandAt(*pList, FALSE);
    try
    {
        pNew->m_bCurrentCell = pGrid->GetCurrentCell(&pNew->m_nRow, &pNew->m_nCol);
        pTarget->AddHead(pNew);
    }
    catch (CException* e)
    {
        e->Delete();
        delete pNew;
    }
}

void CGXCommandFactory::RecordCommand(CGXGridCore* pGrid, CObject* pCommand, int nMode)
{
    AddCommand(pGrid, pCommand, nMode);
}

void CGXCommandFactory::DiscardLastCommand(CGXGridCore* pGrid, int nMode)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr)
        return;
    CObList* pList = nMode == gxDo || nMode == gxRedo ? pParam->GetUndoList() : pParam->GetRedoList();
    CGXBlockCmd* pBlock = IsBlockOpen(pGrid, pParam) ? HeadBlock(pList) : nullptr;
    DeleteCommandAt(pBlock != nullptr ? pBlock->m_CommandList : *pList, TRUE);
}

BOOL CGXCommandFactory::Undo(CGXGridCore* pGrid)
{
    return UndoOrRedo(pGrid, FALSE);
}

BOOL CGXCommandFactory::Redo(CGXGridCore* pGrid)
{
    return UndoOrRedo(pGrid, TRUE);
}

BOOL CGXCommandFactory::UndoOrRedo(CGXGridCore* pGrid, BOOL bRedo)
{
    CGXGridParam* pParam = pGrid->GetParam();
    // Inside an open block the head of the undo list is that block.
    if (pParam == nullptr || pParam->m_nUndoBlockLevel > 0 || pGrid->IsExecutingBlock())
        return FALSE;
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if (CGXControl* pControl = ActiveControl(pGrid, nRow, nCol))
    {
        if (bRedo)
        {
            if (!pGrid->StoreCurrentCell(FALSE, GX_INVALIDATE, FALSE))
                return FALSE;
        }
        else
        {
            // Undo takes back the pending edit first.
            if (!pControl->ReportChange())
                return FALSE;
            const BOOL bModified = pControl->IsModified();
            pControl->Init(nRow, nCol);
            pControl->RefreshCell();
            pControl->ReportEditEnd();
            if (bModified)
                return TRUE;
        }
    }
    CObList* pList = bRedo ? pParam->GetRedoList() : pParam->GetUndoList();
    if (pList->IsEmpty())
        return FALSE;
    CGXCommand* pCommand = static_cast<CGXCommand*>(pList->RemoveHead());
    const BOOL bDone = pGrid->ExecuteCommand(pCommand, pGrid, bRedo ? gxRedo : gxUndo);
    if (bDone)
    {
        if (bRedo && pCommand->m_bCurrentCell)
            pGrid->SetCurrentCell(pCommand->m_nRow, pCommand->m_nCol, GX_MOVECELL);
        delete pCommand;
    }
    else
        pList->AddHead(pCommand);
    pGrid->RecalcAndRedraw(TRUE, nullptr, TRUE);
    pGrid->UpdateScrollbars(FALSE, FALSE);
    return bDone;
}

void CGXCommandFactory::BeginUndoBlock(CGXGridCore* pGrid, LPCTSTR pszDescription)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr || !pParam->m_bUndoEnabled)
        return;
    if (pParam->m_nUndoBlockLevel > 0)
    {
        ++pParam->m_nUndoBlockLevel;
        return;
    }
    pGrid->m_strBlockName = pszDescription != nullptr ? pszDescription : _T("");
    auto* pBlock = static_cast<CGXBlockCmd*>(CreateBlockCmd(pGrid->m_strBlockName));
    if (pBlock == nullptr)
        return;
    pBlock->m_bCurrentCell = pGrid->GetCurrentCell(&pBlock->m_nRow, &pBlock->m_nCol);
    pParam->GetUndoList()->AddHead(pBlock);
    pParam->m_nUndoBlockLevel = 1;
}

void CGXCommandFactory::EndUndoBlock(CGXGridCore* pGrid)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr || pParam->m_nUndoBlockLevel == 0 || !pParam->m_bUndoEnabled)
        return;
    if (--pParam->m_nUndoBlockLevel > 0)
        return;
    CObList* pList = pParam->GetUndoList();
    CGXBlockCmd* pBlock = HeadBlock(pList);
    if (pBlock == nullptr)
        return;
    if (pBlock->m_CommandList.IsEmpty())
        DeleteCommandAt(*pList, TRUE);
    else if (static_cast<ULONGLONG>(pList->GetCount()) > pParam->m_nMaxUndo)
        DeleteCommandAt(*pList, FALSE);
}

void CGXCommandFactory::RollbackUndoBlock(CGXGridCore* pGrid)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr || pParam->m_nUndoBlockLevel == 0 || !pParam->m_bUndoEnabled)
        return;
    if (--pParam->m_nUndoBlockLevel > 0)
        return;
    pParam->m_nUndoBlockLevel = 0;
    CObList* pList = pParam->GetUndoList();
    if (HeadBlock(pList) == nullptr)
        return;
    std::unique_ptr<CObject> block(pList->RemoveHead());
    pGrid->ExecuteCommand(block.get(), pGrid, gxRollback);
    pGrid->RecalcAndRedraw(TRUE, nullptr, TRUE);
}

void CGXCommandFactory::ShowCommandCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, BOOL bMakeCurrent)
{
    if (pGrid->IsExecutingBlock())
    {
        pGrid->m_nDeferredRow = nRow;
        pGrid->m_nDeferredCol = nCol;
        pGrid->m_bDeferredCellFlag = bMakeCurrent;
        pGrid->m_bDeferredCellPending = TRUE;
        return;
    }
    if (bMakeCurrent && !pGrid->IsCurrentCell(nRow, nCol))
        pGrid->SetCurrentCell(nRow, nCol, GX_MOVECELL);
    else
        pGrid->ScrollCellInView(nRow, nCol, GX_UPDATENOW, FALSE);
    if (CWnd* pWnd = pGrid->GridWnd(); pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr)
        pWnd->UpdateWindow();
}

BOOL CGXCommandFactory::UpdateUndoCommandUI(CGXGridCore* pGrid, CCmdUI* pCmdUI)
{
    return UpdateCommandUI(pGrid, pCmdUI, FALSE);
}

BOOL CGXCommandFactory::UpdateRedoCommandUI(CGXGridCore* pGrid, CCmdUI* pCmdUI)
{
    return UpdateCommandUI(pGrid, pCmdUI, TRUE);
}

BOOL CGXCommandFactory::UpdateCommandUI(CGXGridCore* pGrid, CCmdUI* pCmdUI, BOOL bRedo)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr)
    {
        pCmdUI->Enable(FALSE);
        return FALSE;
    }
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    CGXControl* pControl = bRedo ? nullptr : ActiveControl(pGrid, nRow, nCol);
    const BOOL bEditPending = pControl != nullptr && pControl->IsModified();
    CObList* pList = bRedo ? pParam->GetRedoList() : pParam->GetUndoList();
    if (pCmdUI->m_pMenu != nullptr)
    {
        CString& strText = bRedo ? pGrid->m_strRedoMenuText : pGrid->m_strUndoMenuText;
        if (strText.IsEmpty())
        {
            CString strResource;
            strResource.LoadString(pCmdUI->m_nID);
            const int nFirst = strResource.Find(_T('\n'));
            const int nSecond = nFirst >= 0 ? strResource.Find(_T('\n'), nFirst + 1) : -1;
            if (nSecond >= 0)
                strText = strResource.Mid(nSecond + 1);
            else
                pCmdUI->m_pMenu->GetMenuString(pCmdUI->m_nID, strText, MF_BYCOMMAND);
            if (strText.IsEmpty())
                strText = bRedo ? _T("Redo %1") : _T("Undo %1");
        }
        CString strName;
        if (bEditPending)
            strName = GXLoadResourceString(GX_IDS_CURRENT_CELL);
        else if (!pList->IsEmpty())
            strName = static_cast<CGXCommand*>(pList->GetHead())->GetName();
        CString strItem;
        LPCTSTR apszNames[] = {strName};
        AfxFormatStrings(strItem, strText, apszNames, 1);
        pCmdUI->SetText(strItem);
    }
    const BOOL bEnable = bEditPending || !pList->IsEmpty();
    pCmdUI->Enable(bEnable);
    return bEnable;
}

int CGXCommandFactory::SetDataObjectUndoState(CGXGridCore* pGrid, int nState)
{
    CGXData* pData = pGrid->GetData();
    return pData != nullptr ? pData->ExchangeEngineMode(nState) : 0;
}

CObject* CGXCommandFactory::GetDataObjectUndoInfo(CGXGridCore* pGrid)
{
    CGXData* pData = pGrid->GetData();
    return pData != nullptr ? pData->DetachEngineUndoInfo() : nullptr;
}

BOOL CGXCommandFactory::RestoreDataObjectUndoInfo(CGXGridCore* pGrid, CObject* pUndoInfo, DWORD dwValue1,
                                                  DWORD dwValue2)
{
    CGXData* pData = pGrid->GetData();
    return pData != nullptr && pUndoInfo != nullptr && pData->ApplyEngineUndoInfo(pUndoInfo, dwValue1, dwValue2);
}

void CGXCommandFactory::DiscardDataObjectUndoInfo(CGXGridCore* pGrid)
{
    delete pGrid->GetDataObjectUndoInfo();
}

void CGXCommandFactory::ApplyEngineInfo(CGXGridCore* pGrid, CGXCommand* pCommand, int nMode)
{
    if (pGrid->GetData() == nullptr || pCommand->m_pEngineUndoInfo == nullptr)
        return;
    const int nOld = pGrid->SetDataObjectUndoState(nMode == gxRollback ? 0 : 1);
    pGrid->RestoreDataObjectUndoInfo(pCommand->m_pEngineUndoInfo, 1, 0);
    pGrid->SetDataObjectUndoState(nOld);
}

BOOL CGXCommandFactory::ExecuteCommand(CObject* pCommand, CGXGridCore* pGrid, int nMode)
{
    CGXCommand* pToRun = DYNAMIC_DOWNCAST(CGXCommand, pCommand);
    CGXGridParam* pParam = pGrid->GetParam();
    if (pToRun == nullptr || pParam == nullptr)
        return FALSE;
    // The read-only lock is off while the command runs.
    const SECScopedValue<BOOL> unlock(pParam->m_bLockReadOnly, FALSE);
    const BOOL bAfter = AppliesEngineInfoAfter(pToRun);
    if (!bAfter)
        ApplyEngineInfo(pGrid, pToRun, nMode);
    const BOOL bDone = pToRun->Execute(pGrid, nMode);
    if (bDone && bAfter)
        ApplyEngineInfo(pGrid, pToRun, nMode);
    return bDone;
}
