// Undo and redo commands: what each keeps and which grid operation it runs.
#include <grid/core/Command.h>

#include <grid/core/AppData.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/LongOperationImp.h>
#include <grid/core/Properties.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <toolkit/foundation/ScopedValue.h>

#include <optional>

using tarnwick::foundation::SECScopedValue;

namespace
{
// Every command replays with the grid repainting at once.
constexpr UINT flagsReplay = GX_UPDATENOW;

// A command class's name, loaded once; a blank when the string table lacks it.
CString LoadCommandName(CString& strCache, UINT nId)
{
    if (strCache.IsEmpty() && !strCache.LoadString(nId))
        strCache = _T(" ");
    return strCache;
}

} // namespace

void GXDeleteUndoStyles(CObArray* pStyles)
{
    if (pStyles == nullptr)
        return;
    for (INT_PTR i = 0; i < pStyles->GetSize(); ++i)
    {
        CObject* pObject = pStyles->GetAt(i);
        if (auto* pList = DYNAMIC_DOWNCAST(CObList, pObject))
        {
            while (!pList->IsEmpty())
                delete pList->RemoveHead();
        }
        delete pObject;
    }
    delete pStyles;
}

IMPLEMENT_DYNAMIC(CGXCommand, CObject)

CGXCommand::~CGXCommand()
{
    delete m_pEngineUndoInfo;
}

IMPLEMENT_DYNAMIC(CGXBlockCmd, CGXCommand)

CGXBlockCmd::CGXBlockCmd(LPCTSTR pszName) : m_CommandList(10), m_strName(pszName != nullptr ? pszName : _T("Block"))
{
}

CGXBlockCmd::~CGXBlockCmd()
{
    while (!m_CommandList.IsEmpty())
        delete m_CommandList.RemoveHead();
}

CString CGXBlockCmd::GetName()
{
    return m_strName;
}

// The inverse of every command lands in a new block at the head of the opposite list. A block
// that fails part-way takes back what it did: the partial inverse runs as a rollback, so the
// grid is as before and the block stays whole on its list.
BOOL CGXBlockCmd::Execute(CGXGridCore* pGrid, int nMode)
{
    CGXLongOperationScope operation;
    CString strStatus = m_strName;
    if (nMode == gxRedo || nMode == gxUndo)
        AfxFormatString1(strStatus, nMode == gxRedo ? GX_IDS_REDOING : GX_IDS_UNDOING, m_strName);
    GXSetLongOperationStatus(operation.Record(), strStatus);

    CGXGridParam* pParam = pGrid->GetParam();
    CGXBlockCmd* pInverse = nullptr;
    CObList* pInverseList = nullptr;
    if (nMode == gxUndo || nMode == gxRedo)
    {
        pInverse = new CGXBlockCmd(m_strName);
        pInverse->m_bCurrentCell = pGrid->GetCurrentCell(&pInverse->m_nRow, &pInverse->m_nCol);
        pInverseList = nMode == gxUndo ? pParam->GetRedoList() : pParam->GetUndoList();
        pInverseList->AddHead(pInverse);
    }
    const BOOL bOldExecuting = pGrid->m_bExecutingBlock;
    pGrid->m_bDeferredCellPending = FALSE;
    const INT_PTR nCount = m_CommandList.GetCount();
    BOOL bResult = TRUE;
    {
        const SECScopedValue<BOOL> executing(pGrid->m_bExecutingBlock, TRUE);
        {
            // The parameter tells that several commands run, until the block is through.
            const SECScopedValue<BOOL> several(pParam->m_bSeveralCommands, nCount > 1 || pParam->m_bSeveralCommands);
            std::optional<CGXLongOpFeedbackFreeze> freeze;
            if (nCount > 1)
                freeze.emplace();
            INT_PTR nDone = 0;
            for (POSITION pos = m_CommandList.GetHeadPosition(); pos != nullptr && bResult; ++nDone)
            {
                bResult = pGrid->ExecuteCommand(m_CommandList.GetNext(pos), pGrid, nMode);
                if (GXLongOpIsFeedbackDue(operation.Record()))
                {
                    GXLongOpSetPercentDone(
                        GXPercentDone(static_cast<ULONGLONG>(nDone + 1) * 100, static_cast<ULONGLONG>(nCount) * 100));
                    GXShowLongOperationStatus(operation.Record());
                }
            }
        }
        if (nCount > 1)
            pGrid->RedrawGrid(GX_UPDATENOW, TRUE);

        if (!bResult && pInverse != nullptr)
        {
            // The commands that ran are taken back without a record of their own.
            pInverseList->RemoveHead();
            pInverse->Execute(pGrid, gxRollback);
            delete pInverse;
        }
    }
    if (pGrid->m_bDeferredCellPending && !bOldExecuting)
    {
        pGrid->m_bDeferredCellPending = FALSE;
        pGrid->ShowCommandCell(pGrid->m_nDeferredRow, pGrid->m_nDeferredCol, pGrid->m_bDeferredCellFlag);
    }
    return bResult;
}

#define GX_IMPLEMENT_COMMAND(class_name, nNameId)                                                                      \
    IMPLEMENT_DYNAMIC(class_name, CGXCommand)                                                                          \
    CString class_name::GetName()                                                                                      \
    {                                                                                                                  \
        static CString s_strName;                                                                                      \
        return LoadCommandName(s_strName, nNameId);                                                                    \
    }

GX_IMPLEMENT_COMMAND(CGXSetRowHeightCmd, GX_IDS_CHANGE_ROW_HEIGHTS)
GX_IMPLEMENT_COMMAND(CGXSetColWidthCmd, GX_IDS_CHANGE_COL_WIDTHS)
GX_IMPLEMENT_COMMAND(CGXHideRowsCmd, GX_IDS_HIDE_ROWS)
GX_IMPLEMENT_COMMAND(CGXHideColsCmd, GX_IDS_HIDE_COLS)
GX_IMPLEMENT_COMMAND(CGXSetDefaultRowHeightCmd, GX_IDS_CHANGE_DEFAULT_ROW_HEIGHT)
GX_IMPLEMENT_COMMAND(CGXSetDefaultColWidthCmd, GX_IDS_CHANGE_DEFAULT_COL_WIDTH)
GX_IMPLEMENT_COMMAND(CGXMoveRowsCmd, GX_IDS_MOVE_ROWS)
GX_IMPLEMENT_COMMAND(CGXMoveColsCmd, GX_IDS_MOVE_COLS)
GX_IMPLEMENT_COMMAND(CGXRemoveRowsCmd, GX_IDS_INSERT_ROWS)
GX_IMPLEMENT_COMMAND(CGXRemoveColsCmd, GX_IDS_INSERT_COLS)
GX_IMPLEMENT_COMMAND(CGXInsertRowsCmd, GX_IDS_REMOVING_ROWS)
GX_IMPLEMENT_COMMAND(CGXInsertColsCmd, GX_IDS_REMOVING_COLS)
GX_IMPLEMENT_COMMAND(CGXSetCoveredCellsCmd, GX_IDS_COVER_CELLS)
GX_IMPLEMENT_COMMAND(CGXSetStyleRangeCmd, GX_IDS_CELLS_COMMAND)
GX_IMPLEMENT_COMMAND(CGXSetFrozenRowsCmd, GX_IDS_FREEZE_ROWS)
GX_IMPLEMENT_COMMAND(CGXSetFrozenColsCmd, GX_IDS_FREEZE_COLS)
GX_IMPLEMENT_COMMAND(CGXMoveDataRowsCmd, GX_IDS_SORT_ROWS)
GX_IMPLEMENT_COMMAND(CGXMoveDataColsCmd, GX_IDS_SORT_COLS)
GX_IMPLEMENT_COMMAND(CGXChangeStylesMapCmd, GX_IDS_STYLES_MAP_CHANGES)
GX_IMPLEMENT_COMMAND(CGXChangePropertiesCmd, GX_IDS_PROPERTY_SETTINGS)
GX_IMPLEMENT_COMMAND(CGXMoveCellsCmd, GX_IDS_MOVE)
GX_IMPLEMENT_COMMAND(CGXSetRangeNameCmd, GX_IDS_SET_RANGE_NAME)
GX_IMPLEMENT_COMMAND(CGXDeleteRangeNameCmd, GX_IDS_DELETE_RANGE_NAME)

#undef GX_IMPLEMENT_COMMAND

IMPLEMENT_DYNAMIC(CGXChangeBaseStyleCmd, CGXCommand)

CString CGXChangeBaseStyleCmd::GetName()
{
    return m_strName;
}

BOOL CGXSetRowHeightCmd::Execute(CGXGridCore* pGrid, int nMode)
{
    return pGrid->SetRowHeight(m_nFrom, m_nTo, 0, m_pValues.get(), flagsReplay, nMode);
}

BOOL CGXSetColWidthCmd::Execute(CGXGridCore* pGrid, int nMode)
{
    return pGrid->SetColWidth(m_nFrom, m_nTo, 0, m_pValues.get(), flagsReplay, nMode);
}

BOOL CGXHideRowsCmd::Execute(CGXGridCore* pGrid, int nMode)
{
    return pGrid->HideRows(m_nFrom, m_nTo, FALSE, m_pValues.get(), flagsReplay, nMode);
}

BOOL CGXHideColsCmd::Execute(CGXGridCore* pGrid, int nMode)
{
    return pGrid->HideCols(m_nFrom, m_nTo, FALSE, m_pValues.get(), flagsReplay, nMode);
}

BOOL CGXSetDefaultRowHeightCmd::Execute(CGXGridCore* pGrid, int nMode)
{
    return pGrid->SetDefaultRowHeight(m_nHeight, flagsReplay, nMode);
}

BOOL CGXSetDefaultColWidthCmd::Execute(CGXGridCore* pGrid, int nMode)
{
    return pGrid->SetDefaultColWidth(m_nWidth, flagsReplay, nMode);
}

BOOL CGXMoveRowsCmd::Execute(CGXGridCore* pGrid, int nMode)
{
    return pGrid->MoveRows(m_nFrom, m_nTo, m_nDest, flagsReplay, nMode);
}

BOOL CGXMoveColsCmd::Execute(CGXGridCore* pGrid, int nMode)
{
    return pGrid->MoveCols(m_nFrom, m_nTo, m_nDest, flagsReplay, nMode);
}

BOOL CGXRemoveRowsCmd::Execute(CGXGridCore* pGrid, int nMode)
{
    return pGrid->RemoveRows(m_nFrom, m_nTo, flagsReplay, nMode);
}

BOOL CGXRemoveColsCmd::Execute(CGXGridCore* pGrid, int nMode)
{
    return pGrid->RemoveCols(m_nFrom, m_nTo, flagsReplay, nMode);
}

CGXInsertLinesCmd::~CGXInsertLinesCmd()
{
    GXDeleteUndoStyles(m_pCellStyles);
    GXDeleteUndoStyles(m_pLineStyles);
}

BOOL CGXInsertRowsCmd::Execute(CGXGridCore* pGrid, int nMode)
{
    return pGrid->InsertRows(m_nFirst, m_nCount, m_pSizes.get(), m_pCellStyles, m_pLineStyles, m_nOtherCount,
                             flagsReplay, nMode);
}

BOOL CGXInsertColsCmd::Execute(CGXGridCore* pGrid, int nMode)
{
    return pGrid->InsertCols(m_nFirst, m_nCount, m_pSizes.get(), m_pCellStyles, m_pLineStyles, m_nOtherCount,
                             flagsReplay, nMode);
}

BOOL CGXSetCoveredCellsCmd::Execute(CGXGridCore* pGrid, int nMode)
{
    return pGrid->SetCoveredCellsRowCol(m_nTop, m_nLeft, m_nBottom, m_nRight, flagsReplay, nMode);
}

CGXSetStyleRangeCmd::CGXSetStyleRangeCmd(const CGXRange& range, int nType, CObArray* pStyles)
    : m_range(range), m_nType(nType), m_pStyles(pStyles)
{
}

CGXSetStyleRangeCmd::~CGXSetStyleRangeCmd()
{
    GXDeleteUndoStyles(m_pStyles);
}

BOOL CGXSetStyleRangeCmd::Execute(CGXGridCore* pGrid, int nMode)
{
    return pGrid->SetStyleRange(m_range, nullptr, CGXStyle::modeCopy, m_nType, m_pStyles, flagsReplay, nMode);
}

BOOL CGXSetFrozenRowsCmd::Execute(CGXGridCore* pGrid, int nMode)
{
    return pGrid->FreezeRows(m_nFrozen, m_nHeader, flagsReplay, nMode);
}

BOOL CGXSetFrozenColsCmd::Execute(CGXGridCore* pGrid, int nMode)
{
    return pGrid->FreezeCols(m_nFrozen, m_nHeader, flagsReplay, nMode);
}

BOOL CGXMoveDataRowsCmd::Execute(CGXGridCore* pGrid, int nMode)
{
    return pGrid->MoveRowsToSortOrder(m_range, *m_pOrder, flagsReplay, nMode);
}

BOOL CGXMoveDataColsCmd::Execute(CGXGridCore* pGrid, int nMode)
{
    return pGrid->MoveColsToSortOrder(m_range, *m_pOrder, flagsReplay, nMode);
}

CGXChangeStylesMapCmd::CGXChangeStylesMapCmd(const CGXStylesMap& stylesMap) : m_pStylesMap(new CGXStylesMap(stylesMap))
{
}

CGXChangeStylesMapCmd::~CGXChangeStylesMapCmd()
{
    delete m_pStylesMap;
}

BOOL CGXChangeStylesMapCmd::Execute(CGXGridCore* pGrid, int nMode)
{
    return pGrid->ChangeStylesMap(*m_pStylesMap, flagsReplay, nMode);
}

CGXChangePropertiesCmd::CGXChangePropertiesCmd(const CGXProperties& properties)
    : m_pProperties(new CGXProperties(properties))
{
}

CGXChangePropertiesCmd::~CGXChangePropertiesCmd()
{
    delete m_pProperties;
}

BOOL CGXChangePropertiesCmd::Execute(CGXGridCore* pGrid, int nMode)
{
    return pGrid->ChangeProperties(*m_pProperties, flagsReplay, nMode);
}

CGXChangeBaseStyleCmd::CGXChangeBaseStyleCmd(const CGXStyle& style, LPCTSTR pszName, WORD nBaseStyleId)
    : m_pStyle(style.Clone()), m_strName(pszName), m_nBaseStyleId(nBaseStyleId)
{
}

CGXChangeBaseStyleCmd::~CGXChangeBaseStyleCmd()
{
    delete m_pStyle;
}

BOOL CGXChangeBaseStyleCmd::Execute(CGXGridCore* pGrid, int nMode)
{
    return pGrid->ChangeBaseStyle(m_nBaseStyleId, *m_pStyle, CGXStyle::modeCopy, flagsReplay, nMode);
}

CGXMoveCellsCmd::~CGXMoveCellsCmd()
{
    delete m_pUndoInfo;
}

// The information passes to the move only when the move succeeds (the move then owns it); after
// a failure the command still holds it, so a retry restores the overwritten cells.
BOOL CGXMoveCellsCmd::Execute(CGXGridCore* pGrid, int nMode)
{
    CGXRange dest;
    dest.SetCells(m_nDestRow, m_nDestCol, m_nDestRow + (m_source.bottom - m_source.top),
                  m_nDestCol + (m_source.right - m_source.left));
    CObject* pInfo = m_pUndoInfo;
    if (!pGrid->MoveCells(dest, m_source.top, m_source.left, pInfo, flagsReplay, nMode))
        return FALSE;
    m_pUndoInfo = nullptr;
    return TRUE;
}

BOOL CGXSetRangeNameCmd::Execute(CGXGridCore* pGrid, int nMode)
{
    if (m_bHadRange)
        return pGrid->SetRangeName(m_strName, m_oldRange, nullptr, flagsReplay, nMode);
    return pGrid->DeleteRangeName(m_strName, 0, nMode);
}

CGXDeleteRangeNameCmd::~CGXDeleteRangeNameCmd()
{
    delete m_pInfo;
}

BOOL CGXDeleteRangeNameCmd::Execute(CGXGridCore* pGrid, int nMode)
{
    return pGrid->SetRangeName(m_strName, m_range, m_pInfo, flagsReplay, nMode);
}
