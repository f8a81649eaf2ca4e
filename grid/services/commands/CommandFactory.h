// The grid's undo and redo: it makes the commands that the core's change operations record,
// keeps the undo and redo lists of the parameter object, runs Undo and Redo, groups commands
// into blocks and keeps the Edit menu's Undo and Redo items up to date.
//
// The interface's operations stand for these operations of the command-factory design:
//   CreateSizesCmd, CreateDefaultSizeCmd, CreateFreezeCmd (bRows)   the row or the column command
//   CreateInsertCmd (an insertion's inverse)   CGXRemoveRowsCmd, CGXRemoveColsCmd
//   CreateRemoveCmd (a removal's inverse)      CGXInsertRowsCmd, CGXInsertColsCmd
//   SaveRemovedStyles                          GenerateRemoveRowsUndoInfo, GenerateRemoveColsUndoInfo
//   AddCommand, RecordCommand                  AddCommand (one body)
//   DiscardLastCommand                         RemoveNewestCommand
//   BeginUndoBlock, EndUndoBlock, RollbackUndoBlock   BeginTrans, CommitTrans, Rollback
//   ShowCommandCell                            SetCurrentCellAfterUndo
//   UpdateUndoCommandUI, UpdateRedoCommandUI   OnUpdateEditUndo, OnUpdateEditRedo
//   SetDataObjectUndoState                     SetEngineUndoMode
//   GetDataObjectUndoInfo                      TakeEngineUndoInfo
//   RestoreDataObjectUndoInfo                  ApplyEngineUndoInfo
//   DiscardDataObjectUndoInfo                  DiscardEngineUndoInfo
// It calls back the core's RecalcAndRedraw where the design says RefreshViews, and the long
// operation's GXLongOpIsFeedbackDue and GXShowLongOperationStatus for GXLongOpFree and
// GXLongOpImpCall5. The core installs it with CGXGridCore::InstallCommandFactory.
#pragma once

#include <grid/core/AbstractGridImps.h>

class CGXCommand;
class CGXGridParam;
class CGXLongOperationScope;

class CGXCommandFactory : public CGXAbstractCommandFactory
{
public:
    CObject* CreateBlockCmd(LPCTSTR pszName) override;
    CObject* CreateSetStyleRangeCmd(const CGXRange& range, int nType, CObArray* pOldStyles, int nCommandKind) override;
    CObject* CreateStylesMapCmd(CGXGridCore* pGrid, const CGXStylesMap& oldStylesMap) override;
    CObject* CreatePropertiesCmd(CGXGridCore* pGrid, const CGXProperties& oldProperties) override;
    CObject* CreateBaseStyleCmd(CGXGridCore* pGrid, WORD nBaseStyleId, const CGXStyle& oldStyle) override;
    CObject* CreateSizesCmd(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nTo, int* pOldSizes) override;
    CObject* CreateDefaultSizeCmd(CGXGridCore* pGrid, BOOL bRows, int nOldSize) override;
    CObject* CreateFreezeCmd(CGXGridCore* pGrid, BOOL bRows, ROWCOL nOldFrozen, ROWCOL nOldHeader) override;
    CObject* CreateInsertCmd(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nCount) override;
    // The kept styles (SaveRemovedStyles' object) and the data object's pending undo
    // information (after the cell styles) pass to the command.
    CObject* CreateRemoveCmd(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nCount, int* pOldSizes,
                             CObject* pOldStyles, ROWCOL nOtherCount) override;
    CObject* CreateCoveredCellsCmd(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight) override;
    CObject* CreateHideCmd(BOOL bRows, ROWCOL nFrom, ROWCOL nTo, CByteArray* pOldStates) override;
    CObject* CreateMoveRowsColsCmd(BOOL bRows, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest) override;
    CObject* CreateMoveDataCmd(BOOL bRows, CDWordArray* pOrder, const CGXRange& range) override;
    CObject* CreateMoveCellsCmd(const CGXRange& source, ROWCOL nDestRow, ROWCOL nDestCol, CObject* pUndoInfo) override;
    CObject* CreateSetRangeNameCmd(LPCTSTR pszName, BOOL bHadRange, const CGXRange& oldRange) override;
    CObject* CreateDeleteRangeNameCmd(LPCTSTR pszName, const CGXRange& range, CObject* pInfo) override;

    // Keeps the cell styles (over nOtherCount columns from column 0) and the base styles of the
    // rows (columns) nFrom .. nTo as the row (column) undo flags ask, in one CObArray of two
    // arrays. FALSE when the user declines a removal too large to undo.
    BOOL SaveRemovedStyles(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nTo, ROWCOL nOtherCount,
                           CObject*& pOldStyles) override;

    // Mode 0 (a new action) empties the redo list; modes 0 and 3 add to the undo list, 1 and 2
    // to the redo list; inside a block into the block at the list's head. A full list loses its
    // oldest entry. Takes the command (deleted when it cannot be kept).
    void AddCommand(CGXGridCore* pGrid, CObject* pCommand, int nMode) override;
    void RecordCommand(CGXGridCore* pGrid, CObject* pCommand, int nMode) override;
    void DiscardLastCommand(CGXGridCore* pGrid, int nMode) override;
    // Both answer FALSE while a block is open. A modified edit of the current cell counts as
    // the newest undo entry: Undo only discards it.
    BOOL Undo(CGXGridCore* pGrid) override;
    BOOL Redo(CGXGridCore* pGrid) override;
    BOOL UpdateUndoCommandUI(CGXGridCore* pGrid, CCmdUI* pCmdUI) override;
    BOOL UpdateRedoCommandUI(CGXGridCore* pGrid, CCmdUI* pCmdUI) override;
    // Blocks nest by counting; only the outermost makes a block command.
    void BeginUndoBlock(CGXGridCore* pGrid, LPCTSTR pszDescription) override;
    void EndUndoBlock(CGXGridCore* pGrid) override;
    void RollbackUndoBlock(CGXGridCore* pGrid) override;
    // While a block runs, only remembers the cell; shown once the block is over.
    void ShowCommandCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, BOOL bMakeCurrent) override;
    int SetDataObjectUndoState(CGXGridCore* pGrid, int nState) override;
    CObject* GetDataObjectUndoInfo(CGXGridCore* pGrid) override;
    BOOL RestoreDataObjectUndoInfo(CGXGridCore* pGrid, CObject* pUndoInfo, DWORD dwValue1, DWORD dwValue2) override;
    void DiscardDataObjectUndoInfo(CGXGridCore* pGrid) override;
    // With the read-only lock off; the command's engine information goes back first, or for
    // rows and columns inserted, removed or moved after the structure was put back.
    BOOL ExecuteCommand(CObject* pCommand, CGXGridCore* pGrid, int nMode) override;

private:
    BOOL UndoOrRedo(CGXGridCore* pGrid, BOOL bRedo);
    BOOL UpdateCommandUI(CGXGridCore* pGrid, CCmdUI* pCmdUI, BOOL bRedo);
    void ApplyEngineInfo(CGXGridCore* pGrid, CGXCommand* pCommand, int nMode);
    // The styles of nCount lines from nFrom; null when the user abandons a too large array
    // (bDeclined set when the removal is refused).
    CObArray* KeepLineStyles(CGXGridCore* pGrid, BOOL bRows, BOOL bCellStyles, ROWCOL nFrom, ULONGLONG nCount,
                             ROWCOL nOtherCount, ULONGLONG nDoneBefore, ULONGLONG nTotal, BOOL& bDeclined);
};
