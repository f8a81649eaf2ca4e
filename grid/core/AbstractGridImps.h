// The interfaces of the grid's per-grid feature objects ("Imps"). The grid core holds one
// pointer per kind, owns the object and forwards to it; every forwarder does nothing (or
// answers 0) while its pointer is empty. Each kind's operations take the grid first and are
// added by the feature that implements the kind.
#pragma once

#include <afxwin.h>

#include <grid/core/Range.h>

class CGXGridCore;
class CGXProperties;
class CGXRangeList;
class CFindReplaceDialog;
class GX_FR_STATE;
class CGXStyle;
class CGXStylesMap;
class CGXData;
class CGXGridParam;
class CDocument;
struct CPrintInfo;

#define GX_DECLARE_ABSTRACT_IMP(kind)                                                                                  \
    class kind                                                                                                         \
    {                                                                                                                  \
    public:                                                                                                            \
        virtual ~kind() = default;                                                                                     \
    };

GX_DECLARE_ABSTRACT_IMP(CGXAbstractSpareImp)

#undef GX_DECLARE_ABSTRACT_IMP

class CGXSortInfoArray;
struct DrawStruct;
class CGXControl;

// The size a cell needs to show its whole text or bitmap: the widest line (bVertical FALSE) or
// the height of its lines, with the control's borders.
class CGXAbstractCalcSizeImp
{
public:
    virtual ~CGXAbstractCalcSizeImp() = default;
    virtual CSize CalcSize(CGXControl* pControl, CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                           const CGXStyle* pStandardStyle, BOOL bVertical) = 0;
};

// Teaches the drawing pass about covered, merged and floating cells: each span is drawn once,
// by its anchor, over the whole span.
class CGXAbstractDrawSpannedCellsImp
{
public:
    virtual ~CGXAbstractDrawSpannedCellsImp() = default;
    // Marks the drawn cells of the span that starts at drawn cell (i, j); 1 when it did.
    virtual int PrepareSpannedCell(CGXGridCore* pGrid, DrawStruct& ds, unsigned i, unsigned j) = 0;
    // Draws the anchor at drawn cell (i, j) over its span; 0 when it is no anchor.
    virtual int DrawSpannedCell(CGXGridCore* pGrid, DrawStruct& ds, unsigned i, unsigned j) = 0;
    // Evaluates the delayed merged and floating spans of the range, cut into the four panes
    // of the frozen and scrolling rows and columns; TRUE when any span changed.
    virtual BOOL GetSpannedRangeFlags(CGXGridCore* pGrid, const CGXRange& range, ROWCOL nFrozenRows, ROWCOL nFrozenCols,
                                      ROWCOL nTopRow, ROWCOL nLeftCol, ROWCOL nBottomRow, ROWCOL nRightCol,
                                      CGXRange* pRefresh) = 0;
};

// Sorting rows by key columns and columns by key rows. The core's forwarders keep their own
// names: SortKeyArray -> QuickSort, MoveRowsToSortOrder -> MoveDataRows, MoveRowDataToSortOrder
// -> MoveDataRowsInData, OnRowsSorted -> OnMovedDataRows, GetRowSortKeyTexts -> GetSortKeyRow,
// the column twins alike.
class CGXAbstractGridSortImp
{
public:
    virtual ~CGXAbstractGridSortImp() = default;
    // Orders the sort records (one per row or column) by the keys.
    virtual void QuickSort(CGXGridCore* pGrid, const CGXSortInfoArray& sortInfo, CPtrArray& records) = 0;
    // pRange null or the whole table: every row below the headers.
    virtual void SortRows(CGXGridCore* pGrid, const CGXRange* pRange, CGXSortInfoArray& sortInfo, UINT flags) = 0;
    // Entry i of the order names the old position (from the range's top) of the row that goes
    // to position i; records the inverse order as an undo command.
    virtual BOOL MoveDataRows(CGXGridCore* pGrid, const CGXRange& range, const CDWordArray& order, UINT flags,
                              int nCommandKind) = 0;
    virtual BOOL MoveDataRowsInData(CGXGridCore* pGrid, const CGXRange& range, const CDWordArray& order) = 0;
    virtual void OnMovedDataRows(CGXGridCore* pGrid, const CGXRange& range, UINT flags, BOOL bHint) = 0;
    // The text each key cell of the row shows.
    virtual void GetSortKeyRow(CGXGridCore* pGrid, ROWCOL nRow, const CGXSortInfoArray& sortInfo,
                               CStringArray& keys) = 0;
    virtual void SortCols(CGXGridCore* pGrid, const CGXRange* pRange, CGXSortInfoArray& sortInfo, UINT flags) = 0;
    virtual BOOL MoveDataCols(CGXGridCore* pGrid, const CGXRange& range, const CDWordArray& order, UINT flags,
                              int nCommandKind) = 0;
    virtual BOOL MoveDataColsInData(CGXGridCore* pGrid, const CGXRange& range, const CDWordArray& order) = 0;
    virtual void OnMovedDataCols(CGXGridCore* pGrid, const CGXRange& range, UINT flags, BOOL bHint) = 0;
    virtual void GetSortKeyCol(CGXGridCore* pGrid, ROWCOL nCol, const CGXSortInfoArray& sortInfo,
                               CStringArray& keys) = 0;
    // A double-click on a row header sorts the columns, on a column header the rows, toggling
    // the direction; FALSE for any other cell.
    virtual BOOL SortOnHeaderDblClk(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol) = 0;
};

class CGXAbstractGridOldDrawingImp
{
public:
    virtual ~CGXAbstractGridOldDrawingImp() = default;
    virtual BOOL DrawCells(CGXGridCore* pGrid, CDC* pDC, DrawStruct& ds) = 0;
    virtual BOOL DrawGridFrame(CGXGridCore* pGrid, DrawStruct& ds) = 0;
};

// Filling by dragging the selection's corner handle. The core forwards FillCells and
// SelectFillRange by those names.
class CGXAbstractGridExcelLikeFillImp
{
public:
    virtual ~CGXAbstractGridExcelLikeFillImp() = default;
    // A press on the fill handle of the selected range that holds (nRow, nCol); TRUE when a drag
    // started.
    virtual BOOL OnStartFillDrag(CGXGridCore* pGrid, CPoint point, UINT flags, ROWCOL nRow, ROWCOL nCol) = 0;
    virtual BOOL OnFillDragMove(CGXGridCore* pGrid, CPoint point, UINT flags, ROWCOL nRow, ROWCOL nCol) = 0;
    virtual BOOL OnEndFillDrag(CGXGridCore* pGrid, CPoint point, UINT flags) = 0;
    virtual void OnCancelFillDrag(CGXGridCore* pGrid) = 0;
    // Erases the frame last drawn (bErase) and draws the one of the target (bDraw).
    virtual void DrawFillFrame(CGXGridCore* pGrid, const CGXRange& target, BOOL bErase, BOOL bDraw) = 0;
    // Copies the source cells over the target's extension in a cycle, or clears what the target
    // gave up; one undo block.
    virtual BOOL FillCells(CGXGridCore* pGrid, const CGXRange& target, const CGXRange& source) = 0;
    virtual BOOL SelectFillRange(CGXGridCore* pGrid, const CGXRange& range) = 0;
    // Takes the fill frame off the window before its contents move.
    virtual void HideFillFrame(CGXGridCore* pGrid) = 0;
};

// Dragging selected whole rows or columns by their headers to a new place.
class CGXAbstractGridUserDragSelectRangeImp
{
public:
    virtual ~CGXAbstractGridUserDragSelectRangeImp() = default;
    // The mouse: a press on a selected header (TRUE when a drag started), moves and the release.
    virtual BOOL OnStartDrag(CGXGridCore* pGrid, CPoint point, UINT flags, int nHit, ROWCOL nRow, ROWCOL nCol) = 0;
    virtual BOOL OnDragMove(CGXGridCore* pGrid, CPoint point, UINT flags) = 0;
    virtual BOOL OnDragEnd(CGXGridCore* pGrid, CPoint point, UINT flags) = 0;
    virtual BOOL StartDragRowsCols(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol) = 0;
    virtual void OnDragFeedback(CGXGridCore* pGrid, ROWCOL nStartRow, ROWCOL nStartCol, ROWCOL nTargetRow,
                                ROWCOL nTargetCol) = 0;
    virtual BOOL OnDropRowsCols(CGXGridCore* pGrid, ROWCOL nStartRow, ROWCOL nStartCol, ROWCOL nTargetRow,
                                ROWCOL nTargetCol) = 0;
    virtual void CancelDrag(CGXGridCore* pGrid) = 0;
};

class CGXAbstractGridMoveRowsColsImp
{
public:
    virtual ~CGXAbstractGridMoveRowsColsImp() = default;
    virtual BOOL StoreMoveRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, BOOL bProcessed) = 0;
    virtual void UpdateMoveRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, UINT flags, BOOL bHint) = 0;
    virtual BOOL StoreMoveCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, BOOL bProcessed) = 0;
    virtual void UpdateMoveCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, UINT flags, BOOL bHint) = 0;
    virtual BOOL MoveRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, UINT flags, int nCommandKind) = 0;
    virtual BOOL MoveCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, UINT flags, int nCommandKind) = 0;
};

// Repaints only what a change of the structure uncovered; may clear bits of the flags.
class CGXAbstractGridOptimizedUpdateImp
{
public:
    virtual ~CGXAbstractGridOptimizedUpdateImp() = default;
    virtual void UpdateInsertRows(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCount, UINT& flags) = 0;
    virtual void UpdateInsertCols(CGXGridCore* pGrid, ROWCOL nCol, ROWCOL nCount, UINT& flags) = 0;
    virtual void UpdateRemoveRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, const int* pOldHeights,
                                  UINT& flags) = 0;
    virtual void UpdateRemoveCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, const int* pOldWidths, UINT& flags) = 0;
    // pOldHeights: the former heights, 0 where a row was hidden before, read only until they fill
    // the grid's area; nTo 0 means nFrom.
    virtual void UpdateHideRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, const int* pOldHeights, UINT& flags) = 0;
    virtual void UpdateHideCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, const int* pOldWidths, UINT& flags) = 0;
};

class CGXAbstractGridMarkEditHeaderImp
{
public:
    virtual ~CGXAbstractGridMarkEditHeaderImp() = default;
    virtual void RefreshMarkedHeaders(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, int nWhich, UINT flags) = 0;
    virtual BOOL IsHeaderMarked(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol) = 0;
};

class CGXAbstractGridFreezeMenuHelperImp
{
public:
    virtual ~CGXAbstractGridFreezeMenuHelperImp() = default;
    virtual BOOL CanFreezeCols(CGXGridCore* pGrid) = 0;
    virtual BOOL CanUnfreezeCols(CGXGridCore* pGrid) = 0;
    virtual void FreezeCols(CGXGridCore* pGrid) = 0;
    virtual void UnfreezeCols(CGXGridCore* pGrid) = 0;
    virtual BOOL CanFreezeRows(CGXGridCore* pGrid) = 0;
    virtual BOOL CanUnfreezeRows(CGXGridCore* pGrid) = 0;
    virtual void FreezeRows(CGXGridCore* pGrid) = 0;
    virtual void UnfreezeRows(CGXGridCore* pGrid) = 0;
};

// Hidden rows and columns, kept as bit sets in the parameter object so that every view of a
// grid hides the same ones.
class CGXAbstractGridHideCellsImp
{
public:
    virtual ~CGXAbstractGridHideCellsImp() = default;
    // The hidden states follow removed (nFrom..nTo), inserted (nCount at nFrom) and moved
    // (nFrom..nTo to start at nDest) rows and columns.
    virtual void RemoveHiddenRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo) = 0;
    virtual void RemoveHiddenCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo) = 0;
    virtual void InsertHiddenRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nCount) = 0;
    virtual void InsertHiddenCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nCount) = 0;
    virtual void MoveHiddenRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest) = 0;
    virtual void MoveHiddenCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest) = 0;
    // nTo 0: nFrom alone. pStates (may be null) gives each row's new state in place of bHide.
    virtual BOOL HideRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, BOOL bHide, CByteArray* pStates, UINT flags,
                          int nCommandKind) = 0;
    virtual BOOL IsRowHidden(CGXGridCore* pGrid, ROWCOL nRow) = 0;
    virtual BOOL StoreHideRow(CGXGridCore* pGrid, ROWCOL nRow, BOOL bHide) = 0;
    virtual BOOL HideCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, BOOL bHide, CByteArray* pStates, UINT flags,
                          int nCommandKind) = 0;
    virtual BOOL IsColHidden(CGXGridCore* pGrid, ROWCOL nCol) = 0;
    virtual BOOL StoreHideCol(CGXGridCore* pGrid, ROWCOL nCol, BOOL bHide) = 0;
};

class CGXAbstractGridCoveredCellsImp
{
public:
    virtual ~CGXAbstractGridCoveredCellsImp() = default;
    virtual BOOL SetCoveredCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                                       UINT flags, int nCommandKind) = 0;
    virtual CGXRange* GetCoveredCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange& range) = 0;
    virtual BOOL StoreCoveredCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                                         BOOL bSet) = 0;
    virtual BOOL UpdateCoveredCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                                          UINT flags, BOOL bCreateHint) = 0;
    virtual void MergeCoveredCells(CGXGridCore* pGrid, CGXRange& range) = 0;
    // Bring the covered ranges into line before rows (columns) nFirst..nLast go; flags is
    // the redraw flags of the changes and becomes 1 when any covering changed.
    virtual BOOL AdjustCoveredCellsOnRemoveRows(CGXGridCore* pGrid, ROWCOL nFirst, ROWCOL nLast, UINT& flags,
                                                BOOL bSkip) = 0;
    virtual BOOL AdjustCoveredCellsOnRemoveCols(CGXGridCore* pGrid, ROWCOL nFirst, ROWCOL nLast, UINT& flags,
                                                BOOL bSkip) = 0;
};

class CGXControl;

// Floating cells: long text drawn over the empty cells to its right.
class CGXAbstractGridFloatCellsImp
{
public:
    virtual ~CGXAbstractGridFloatCellsImp() = default;
    virtual void SetFloatCellsMode(CGXGridCore* pGrid, WORD wMode, BOOL bRedraw) = 0;
    // Marks the range for a later evaluation; nMaxCol GX_INVALID: no limit.
    virtual void DelayFloatCells(CGXGridCore* pGrid, const CGXRange& range, ROWCOL nMaxCol) = 0;
    // Works out the float spans of the range; pRefresh (may be null) grows by what changed.
    virtual BOOL EvalFloatCells(CGXGridCore* pGrid, const CGXRange& range, CGXRange* pRefresh) = 0;
    virtual CGXRange* GetFloatedCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange& range) = 0;
    // What a control answers by default: bFloatOrFlood 0 may the cell be flooded, else may it float.
    virtual BOOL CanFloatCellDefault(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                                     BOOL bFloatOrFlood) = 0;
    virtual BOOL CanFloatCell(CGXGridCore* pGrid, CGXControl* pControl, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                              BOOL bFloatOrFlood) = 0;
    virtual BOOL SetFloatedCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                                       UINT flags) = 0;
    virtual BOOL UpdateFloatedCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                                          UINT flags, BOOL bCreateHint) = 0;
    virtual void MergeFloatedCells(CGXGridCore* pGrid, CGXRange& range) = 0;
    virtual BOOL EvalFloatCellsImmediate(CGXGridCore* pGrid, const CGXRange& range, CGXRange* pRefresh) = 0;
    virtual BOOL EvalFloatCellsDelayed(CGXGridCore* pGrid, const CGXRange& range, CGXRange* pRefresh) = 0;
    virtual BOOL EvalFloatCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange* pRefresh) = 0;
    virtual BOOL CalcFloatSpan(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange* pRefresh) = 0;
    virtual BOOL StoreFloatedCellsRowCol(CGXGridCore* pGrid, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight,
                                         BOOL bSet) = 0;
};

// Merged cells: equal neighbours drawn as one. Directions: 0 across columns, 1 across rows,
// -1 both.
class CGXAbstractGridMergeCellsImp
{
public:
    virtual ~CGXAbstractGridMergeCellsImp() = default;
    virtual void SetMergeCellsMode(CGXGridCore* pGrid, WORD wMode, BOOL bRedraw) = 0;
    // Marks the range for a later evaluation; GX_INVALID limits: none.
    virtual void DelayMergeCells(CGXGridCore* pGrid, const CGXRange& range, ROWCOL nMaxRow, ROWCOL nMaxCol) = 0;
    // Works out the merged spans of the range; pRefresh (may be null) grows by what changed.
    virtual BOOL EvalMergeCells(CGXGridCore* pGrid, const CGXRange& range, CGXRange* pRefresh) = 0;
    virtual CGXRange* GetMergedCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange& range,
                                           int nDirection) = 0;
    virtual BOOL CanMergeCell(CGXGridCore* pGrid, CGXControl* pControl, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                              int nDirection) = 0;
    virtual BOOL CanMergeCells(CGXGridCore* pGrid, const CGXStyle& style1, const CGXStyle& style2) = 0;
    virtual BOOL SetMergedCellsRowCol(CGXGridCore* pGrid, int nDirection, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow,
                                      ROWCOL nToCol, UINT flags) = 0;
    virtual BOOL UpdateMergedCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                                         UINT flags, BOOL bCreateHint) = 0;
    virtual void MergeMergedCells(CGXGridCore* pGrid, CGXRange& range) = 0;
    // The evaluation around one cell: its pairs with the neighbours in each allowed direction.
    virtual BOOL EvalMergeCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange* pRefresh) = 0;
};

class CGXAbstractCommandFactory
{
public:
    virtual ~CGXAbstractCommandFactory() = default;
    // An undo command holding the old styles of a range; ownership of the styles passes.
    virtual CObject* CreateSetStyleRangeCmd(const CGXRange& range, int nType, CObArray* pOldStyles,
                                            int nCommandKind) = 0;
    // Undo commands that hold the old styles map, properties or base style (copies made here).
    virtual CObject* CreateStylesMapCmd(CGXGridCore* pGrid, const CGXStylesMap& oldStylesMap) = 0;
    virtual CObject* CreatePropertiesCmd(CGXGridCore* pGrid, const CGXProperties& oldProperties) = 0;
    virtual CObject* CreateBaseStyleCmd(CGXGridCore* pGrid, WORD nBaseStyleId, const CGXStyle& oldStyle) = 0;
    // Undo commands of row heights or column widths (the array of old sizes passes) and of
    // the default height or width.
    virtual CObject* CreateSizesCmd(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nTo, int* pOldSizes) = 0;
    virtual CObject* CreateDefaultSizeCmd(CGXGridCore* pGrid, BOOL bRows, int nOldSize) = 0;
    // Undo commands of the structure (rows or columns): the old frozen and header counts; the
    // inserted nFrom .. nFrom + nCount - 1; the removed ones with their old sizes and the
    // styles that SaveRemovedStyles kept (ownership of both passes).
    virtual CObject* CreateFreezeCmd(CGXGridCore* pGrid, BOOL bRows, ROWCOL nOldFrozen, ROWCOL nOldHeader) = 0;
    virtual CObject* CreateInsertCmd(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nCount) = 0;
    virtual CObject* CreateRemoveCmd(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nCount, int* pOldSizes,
                                     CObject* pOldStyles, ROWCOL nOtherCount) = 0;
    // Keeps the styles of rows (columns) nFrom .. nTo before they are removed; FALSE refuses the
    // removal.
    virtual BOOL SaveRemovedStyles(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nTo, ROWCOL nOtherCount,
                                   CObject*& pOldStyles) = 0;
    // Puts the command on the undo list (mode 0 empties the redo list first).
    virtual void AddCommand(CGXGridCore* pGrid, CObject* pCommand, int nMode) = 0;
    virtual BOOL Undo(CGXGridCore* pGrid) = 0;
    virtual BOOL Redo(CGXGridCore* pGrid) = 0;
    virtual BOOL UpdateUndoCommandUI(CGXGridCore* pGrid, CCmdUI* pCmdUI) = 0;
    virtual BOOL UpdateRedoCommandUI(CGXGridCore* pGrid, CCmdUI* pCmdUI) = 0;
    virtual void BeginUndoBlock(CGXGridCore* pGrid, LPCTSTR pszDescription) = 0;
    virtual void EndUndoBlock(CGXGridCore* pGrid) = 0;
    virtual void RollbackUndoBlock(CGXGridCore* pGrid) = 0;
    virtual void RecordCommand(CGXGridCore* pGrid, CObject* pCommand, int nMode) = 0;
    virtual void DiscardLastCommand(CGXGridCore* pGrid, int nMode) = 0;
    virtual void ShowCommandCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, BOOL bMakeCurrent) = 0;
    virtual int SetDataObjectUndoState(CGXGridCore* pGrid, int nState) = 0;
    virtual CObject* GetDataObjectUndoInfo(CGXGridCore* pGrid) = 0;
    virtual BOOL RestoreDataObjectUndoInfo(CGXGridCore* pGrid, CObject* pUndoInfo, DWORD dwValue1, DWORD dwValue2) = 0;
    virtual void DiscardDataObjectUndoInfo(CGXGridCore* pGrid) = 0;
    // Runs one undo or redo command between the data object's undo hooks.
    virtual BOOL ExecuteCommand(CObject* pCommand, CGXGridCore* pGrid, int nMode) = 0;
    // A block of commands undone as one step ("Block" without a name), and the undo commands of
    // covered cells (the covering at the top left cell reached to bottom, right before; the cell
    // itself: none), hidden rows or columns (the old states pass), moved rows or columns, rows
    // or columns put in a sort order (the order that puts them back passes), moved cells (the
    // move's undo information passes) and range names.
    virtual CObject* CreateBlockCmd(LPCTSTR pszName) = 0;
    virtual CObject* CreateCoveredCellsCmd(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight) = 0;
    virtual CObject* CreateHideCmd(BOOL bRows, ROWCOL nFrom, ROWCOL nTo, CByteArray* pOldStates) = 0;
    virtual CObject* CreateMoveRowsColsCmd(BOOL bRows, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest) = 0;
    virtual CObject* CreateMoveDataCmd(BOOL bRows, CDWordArray* pOrder, const CGXRange& range) = 0;
    virtual CObject* CreateMoveCellsCmd(const CGXRange& source, ROWCOL nDestRow, ROWCOL nDestCol,
                                        CObject* pUndoInfo) = 0;
    virtual CObject* CreateSetRangeNameCmd(LPCTSTR pszName, BOOL bHadRange, const CGXRange& oldRange) = 0;
    virtual CObject* CreateDeleteRangeNameCmd(LPCTSTR pszName, const CGXRange& range, CObject* pInfo) = 0;
};

// Keeps the views of one grid in step: OnHint replays a received hint, every other operation
// broadcasts one kind of change (their answers are the broadcast's, the query's its own).
class CGXAbstractGridUpdateHintImp
{
public:
    virtual ~CGXAbstractGridUpdateHintImp() = default;
    virtual void OnHint(CGXGridCore* pGrid, CObject* pHint) = 0;
    virtual BOOL HintParamSettingChanged(CGXGridCore* pGrid, DWORD nSetting) = 0;
    virtual BOOL HintSetCurrentCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, UINT flags) = 0;
    virtual BOOL HintTransferCurrentCell(CGXGridCore* pGrid, BOOL bSaveAndValidate, UINT flags) = 0;
    virtual BOOL HintChangedRowCount(CGXGridCore* pGrid, ROWCOL nOldCount, UINT flags) = 0;
    virtual BOOL HintChangedColCount(CGXGridCore* pGrid, ROWCOL nOldCount, UINT flags) = 0;
    virtual BOOL HintFrozenCols(CGXGridCore* pGrid, ROWCOL nOldFrozenCols, ROWCOL nOldHeaderCols, UINT flags) = 0;
    virtual BOOL HintFrozenRows(CGXGridCore* pGrid, ROWCOL nOldFrozenRows, ROWCOL nOldHeaderRows, UINT flags) = 0;
    virtual BOOL HintTopRow(CGXGridCore* pGrid, ROWCOL nRow, UINT flags) = 0;
    virtual BOOL HintLeftCol(CGXGridCore* pGrid, ROWCOL nCol, UINT flags) = 0;
    virtual BOOL HintInsertRows(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCount, UINT flags) = 0;
    virtual BOOL HintInsertCols(CGXGridCore* pGrid, ROWCOL nCol, ROWCOL nCount, UINT flags) = 0;
    virtual BOOL HintInvalidateRange(CGXGridCore* pGrid, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight,
                                     UINT flags) = 0;
    virtual BOOL HintRedraw(CGXGridCore* pGrid, UINT flags) = 0;
    // After a recalculation; pError is the caller's error text, or null.
    virtual BOOL HintRecalc(CGXGridCore* pGrid, CString* pError) = 0;
    virtual BOOL HintAppNotify(CGXGridCore* pGrid) = 0;
    // The top row (directions 1, 3) or left column (2, 4) after a scroll, to the panes beside.
    virtual BOOL HintScroll(CGXGridCore* pGrid, int nDirection) = 0;
    virtual BOOL HintSelectionChanges(CGXGridCore* pGrid, const CGXRange& range, const CGXRangeList* pOldList) = 0;
    virtual BOOL HintSelectionFrame(CGXGridCore* pGrid, BOOL bOn) = 0;
    virtual BOOL HintRangeChange(CGXGridCore* pGrid, POSITION pos, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom,
                                 ROWCOL nRight) = 0;
    virtual BOOL HintUpdateWindow(CGXGridCore* pGrid) = 0;
    virtual BOOL HintHideRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, const BYTE* pOldStates, UINT flags) = 0;
    virtual BOOL HintHideCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, const BYTE* pOldStates, UINT flags) = 0;
    virtual BOOL HintStoreZoom(CGXGridCore* pGrid, int nZoom) = 0;
    virtual BOOL HintUpdateZoom(CGXGridCore* pGrid, int nOldZoom, UINT flags) = 0;
    virtual BOOL HintRedrawRange(CGXGridCore* pGrid, const CGXRange& range, UINT flags) = 0;
    virtual BOOL HintRefreshBaseStyles(CGXGridCore* pGrid, UINT flags) = 0;
    virtual BOOL HintRedrawGrid(CGXGridCore* pGrid, UINT flags) = 0;
    virtual BOOL HintBaseStyleChange(CGXGridCore* pGrid, WORD nBaseStyleId, UINT flags) = 0;
    // The covered, floated and merged cells of (nRow, nCol) to (nToRow, nToCol) changed.
    virtual BOOL HintCoveredCells(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                                  UINT flags) = 0;
    virtual BOOL HintFloatedCells(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                                  UINT flags) = 0;
    virtual BOOL HintMergedCells(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                                 UINT flags) = 0;
    virtual BOOL HintRowsSorted(CGXGridCore* pGrid, const CGXRange& range, UINT flags) = 0;
    virtual BOOL HintColsSorted(CGXGridCore* pGrid, const CGXRange& range, UINT flags) = 0;
    virtual BOOL HintRemoveRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, const int* pOldHeights, UINT flags) = 0;
    virtual BOOL HintRemoveCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, const int* pOldWidths, UINT flags) = 0;
    virtual BOOL HintMoveRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, UINT flags) = 0;
    virtual BOOL HintMoveCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, UINT flags) = 0;
};

// Building the selection with the mouse and the keys, and drawing its changes.
class CGXAbstractGridUserSelectRangeImp
{
public:
    virtual ~CGXAbstractGridUserSelectRangeImp() = default;
    virtual BOOL MoveCurrentCellWithShift(CGXGridCore* pGrid, int nDirection, UINT nCount) = 0;
    virtual BOOL OnStartSelection(CGXGridCore* pGrid, CPoint point, UINT flags, int nHit, ROWCOL nRow, ROWCOL nCol) = 0;
    virtual BOOL OnMoveSelection(CGXGridCore* pGrid, CPoint point, UINT flags, ROWCOL nRow, ROWCOL nCol) = 0;
    virtual BOOL OnEndSelection(CGXGridCore* pGrid, CPoint point, UINT flags, ROWCOL nRow, ROWCOL nCol) = 0;
    virtual BOOL SelectRange(CGXGridCore* pGrid, const CGXRange& range, BOOL bSelect, BOOL bUpdate) = 0;
    virtual BOOL ChangeSelectionList(CGXGridCore* pGrid, const CGXRange& range, BOOL bSelect) = 0;
    virtual void RedrawSelectionChanges(CGXGridCore* pGrid, const CGXRangeList& oldList, BOOL bHint) = 0;
    virtual void SetSelection(CGXGridCore* pGrid, POSITION pos, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom,
                              ROWCOL nRight) = 0;
    virtual void RedrawRangeChange(CGXGridCore* pGrid, POSITION pos, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom,
                                   ROWCOL nRight, BOOL bHint) = 0;
    virtual void RedrawSelectedCells(CGXGridCore* pGrid, BOOL bHint) = 0;
    virtual BOOL OnLeftClickedCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, UINT flags, CPoint point) = 0;
};

// The spreadsheet-like frame around the selection with its drag handle. Handle positions: 2
// bottom-left, 7 top-right, any other bottom-right.
class CGXAbstractGridExcelLikeFrameImp
{
public:
    virtual ~CGXAbstractGridExcelLikeFrameImp() = default;
    virtual void DrawSelectionFrame(CGXGridCore* pGrid, CDC* pDC, const CRect& rect, CBrush* pBrush, BOOL bTopOpen,
                                    BOOL bLeftOpen, int nHandle, BOOL bNoFrame) = 0;
    virtual void InvalidateSelectionFrame(CGXGridCore* pGrid, CDC* pDC, const CGXRange& range, int nHandle,
                                          UINT flags) = 0;
    virtual void UpdateSelectionFrame(CGXGridCore* pGrid, CDC* pDC, BOOL bRedrawOld, const CGXRange& range) = 0;
    virtual void RedrawSelectionFrame(CGXGridCore* pGrid) = 0;
    virtual void OnSelectionFrameChanged(CGXGridCore* pGrid, BOOL bState, BOOL bRedraw) = 0;
    // The frame of the current selection drawn at the end of a painting pass.
    virtual void DrawFrameOfPass(CGXGridCore* pGrid, CDC* pDC) = 0;
    // The frame follows the selection: its old and new places are repainted.
    virtual void RefreshExcelLikeFrame(CGXGridCore* pGrid) = 0;
    // Locks (TRUE) or unlocks the frame's drawing; answers the former lock.
    virtual BOOL LockFrame(CGXGridCore* pGrid, BOOL bLock, BOOL bRedraw) = 0;
};

// The clipboard commands; each answers whether it did its work. The core's forwarders keep
// their own names: CopyRangeListToClipboard is CopyRangeList, CopyDataToClipboard is
// CopyStylesToClipboard, IsGridClipboardFormatAvailable is IsClipboardDataAvailable,
// PasteRangeList is PasteDirect, PasteStylesFromClipboard is PasteFromClipboard and
// ConfirmClipboardAction is ConfirmPasteSizeMismatch.
class CGXAbstractGridCutPasteImp
{
public:
    virtual ~CGXAbstractGridCutPasteImp() = default;
    virtual BOOL CanCopy(CGXGridCore* pGrid) = 0;
    virtual BOOL Copy(CGXGridCore* pGrid) = 0;
    // Text, styles and the direct-copy marker of the ranges.
    virtual BOOL CopyRangeList(CGXGridCore* pGrid, const CGXRangeList& list) = 0;
    virtual BOOL CopyTextToClipboard(CGXGridCore* pGrid, const CGXRangeList& list) = 0;
    virtual BOOL CopyStylesToClipboard(CGXGridCore* pGrid, const CGXRangeList& list, BOOL bComposed) = 0;
    virtual BOOL CanCut(CGXGridCore* pGrid) = 0;
    virtual BOOL Cut(CGXGridCore* pGrid) = 0;
    // Copies, then clears (bStyles: whole styles), in one undo block.
    virtual BOOL CutRangeList(CGXGridCore* pGrid, const CGXRangeList& list, BOOL bStyles) = 0;
    virtual BOOL CanPaste(CGXGridCore* pGrid) = 0;
    // The clipboard holds text or the grid's styles.
    virtual BOOL IsClipboardDataAvailable(CGXGridCore* pGrid) = 0;
    virtual BOOL Paste(CGXGridCore* pGrid) = 0;
    // The grid's own cells at the target, without the clipboard.
    virtual BOOL PasteDirect(CGXGridCore* pGrid, const CGXRange& target) = 0;
    // The open clipboard's styles, else its text, at the target.
    virtual BOOL PasteFromClipboard(CGXGridCore* pGrid, const CGXRange& target) = 0;
    virtual BOOL ConfirmPasteSizeMismatch(CGXGridCore* pGrid) = 0;
};

// Clearing cells. The core's forwarders: CanClear -> CanClearCells, ClearSelection,
// ClearRangeList -> ClearCells, ClearRange. bStyles clears the styles, else only the values.
class CGXAbstractGridClearCellsImp
{
public:
    virtual ~CGXAbstractGridClearCellsImp() = default;
    virtual BOOL CanClearCells(CGXGridCore* pGrid) = 0;
    virtual BOOL ClearSelection(CGXGridCore* pGrid, BOOL bStyles) = 0;
    virtual BOOL ClearCells(CGXGridCore* pGrid, const CGXRangeList& list, BOOL bStyles) = 0;
    // With bStyles also the base styles of the whole rows (columns) the range clears.
    virtual BOOL ClearRange(CGXGridCore* pGrid, const CGXRange& range, BOOL bStyles) = 0;
};

// Pagination and drawing of printed pages, and the header and footer that the properties print
// on each page (token texts, heights, drawing).
class CGXAbstractGridPrintImp
{
public:
    virtual ~CGXAbstractGridPrintImp() = default;
    virtual void OnBeginPrinting(CGXGridCore* pGrid, CDC* pDC, CPrintInfo* pInfo) = 0;
    virtual void OnPrint(CGXGridCore* pGrid, CDC* pDC, CPrintInfo* pInfo) = 0;
    virtual void OnEndPrinting(CGXGridCore* pGrid) = 0;
    virtual void PrintHeaderFooter(CGXProperties* pProperties, CDC* pDC, CPrintInfo* pInfo, CDocument* pDocument,
                                   CGXGridParam* pParam) = 0;
    virtual int CalcHeaderFooterHeight(CDC* pDC, CGXData& block, CGXStylesMap* pStylesMap) = 0;
    virtual void DrawHeaderFooter(CGXProperties* pProperties, CDC* pDC, const CRect& rect, CGXData& block,
                                  CGXStylesMap* pStylesMap) = 0;
    virtual CString SubstituteTokens(CGXProperties* pProperties, const CString& strText) = 0;
    virtual CString GetTokenValue(CGXProperties* pProperties, int nToken, CString& strRest) = 0;
    virtual CString TakeTokenArgument(CString& strRest) = 0;
};

// Fits row heights and column widths to what the cells' contents need. useCovered: covered
// ranges count towards their bottom row (right column); flags 8: grow only.
class CGXAbstractGridResizeToFitImp
{
public:
    virtual ~CGXAbstractGridResizeToFitImp() = default;
    virtual BOOL ResizeRowHeightsToFit(CGXGridCore* pGrid, const CGXRange& range, BOOL bUseCovered, UINT flags) = 0;
    virtual BOOL ResizeColWidthsToFit(CGXGridCore* pGrid, const CGXRange& range, BOOL bUseCovered, UINT flags) = 0;
};

// Resizing rows and columns by dragging their header borders. Modes: 1 row height, 2 column width.
class CGXAbstractGridUserResizeCellsImp
{
public:
    virtual ~CGXAbstractGridUserResizeCellsImp() = default;
    virtual BOOL OnTrackMouseMove(CGXGridCore* pGrid, CPoint point, UINT flags) = 0;
    virtual BOOL OnTrackButtonDown(CGXGridCore* pGrid, CPoint point, UINT flags, int nHit, ROWCOL nRow,
                                   ROWCOL nCol) = 0;
    virtual BOOL OnTrackButtonUp(CGXGridCore* pGrid, CPoint point, UINT flags) = 0;
    virtual BOOL OnTrackDoubleClick(CGXGridCore* pGrid, CPoint point, UINT flags, int nHit, ROWCOL nRow,
                                    ROWCOL nCol) = 0;
    virtual BOOL OnStartTracking(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, int nMode) = 0;
    virtual void OnMoveTracking(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, int nMode, int nSize) = 0;
    virtual void OnCancelTracking(CGXGridCore* pGrid) = 0;
    virtual void OnEndTracking(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, int nMode, int nSize) = 0;
};

// Find and replace through the thread's find state and its dialog. The core's forwarders:
// FindNextText -> Find, ReplaceFoundText -> Replace, ReplaceAllText -> ReplaceAll,
// ShowFindReplaceDialog -> OnShowFindReplaceDialog, OnFindReplaceMessage -> OnFindReplace,
// FindNext, SearchCells -> FindInColumn. The controls' find and replace-all default to
// FindTextInCell and ReplaceAllInCell.
class CGXAbstractGridFindReplaceImp
{
public:
    virtual ~CGXAbstractGridFindReplaceImp() = default;
    virtual void OnShowFindReplaceDialog(CGXGridCore* pGrid, BOOL bFindOnly) = 0;
    virtual void Find(CGXGridCore* pGrid, LPCTSTR pszFind, BOOL bDown, BOOL bCase) = 0;
    // bFromCurrent FALSE leaves the current cell to its control.
    virtual BOOL FindTextInCell(CGXGridCore* pGrid, CGXControl* pControl, GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol,
                                BOOL bFromCurrent, BOOL bSelect) = 0;
    // Walks the column from the row after nRow; nRow ends where the search stopped.
    virtual BOOL FindInColumn(CGXGridCore* pGrid, ROWCOL& nRow, ROWCOL nCol, BOOL bSelect) = 0;
    virtual BOOL FindNext(CGXGridCore* pGrid, BOOL bSelect) = 0;
    virtual void Replace(CGXGridCore* pGrid, LPCTSTR pszFind, BOOL bDown, BOOL bCase, LPCTSTR pszReplace) = 0;
    // bFromDialog: the dialog's Replace All, undone as one step.
    virtual BOOL ReplaceAll(CGXGridCore* pGrid, LPCTSTR pszFind, LPCTSTR pszReplace, BOOL bCase, BOOL bFromDialog) = 0;
    virtual void OnFindReplace(CGXGridCore* pGrid, CFindReplaceDialog* pDialog) = 0;
    virtual BOOL ReplaceAllInCell(CGXGridCore* pGrid, CGXControl* pControl, GX_FR_STATE& find, ROWCOL nRow,
                                  ROWCOL nCol) = 0;
    // The grid goes away: it leaves the find state and closes the dialog it opened.
    virtual void OnGridDestroyed(CGXGridCore* pGrid) = 0;
};

// Cells as tab-separated text. The core's forwarders: CopyTextFromRangeList is CopyText (it
// hands back the text), GetCellTextForCopy is GetCopyTextRowCol, PasteTextToCells is PasteText
// and StorePastedCellText is SetPasteTextRowCol.
class CGXAbstractGridTextDataExchangeImp
{
public:
    virtual ~CGXAbstractGridTextDataExchangeImp() = default;
    // Writes the text of the ranges' cells with its zero unit; TRUE when a cell had text.
    virtual BOOL CopyText(CGXGridCore* pGrid, CFile& file, const CGXRangeList& list) = 0;
    virtual CString GetCopyTextRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol) = 0;
    // Pastes nBytes of text (up to its first zero unit) from the target's top-left cell on.
    virtual BOOL PasteText(CGXGridCore* pGrid, LPCTSTR pszText, SIZE_T nBytes, const CGXRange& target) = 0;
    virtual BOOL SetPasteTextRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, const CString& strText, UINT nMode,
                                    const CGXStyle* pStyle) = 0;
    // The rows and the widest row's cells of nLength units of text.
    virtual void CalcTextDimension(CGXGridCore* pGrid, LPCTSTR pszText, SIZE_T nLength, ROWCOL& nRows,
                                   ROWCOL& nCols) = 0;
    // Splits one line at the cell ends of a paste (the paste separators, or TAB) into the fields,
    // which then hold its cells alone; the strings already there are reused.
    virtual void SplitPasteLine(CGXGridCore* pGrid, const CString& strLine, CStringArray& fields) = 0;
};

// Cells with their whole styles through an archive. The core's forwarders:
// CopyStylesFromRangeList is CopyStyles and PasteStylesFromArchive is PasteStyles.
class CGXAbstractGridStyleDataExchangeImp
{
public:
    virtual ~CGXAbstractGridStyleDataExchangeImp() = default;
    virtual BOOL CopyStyles(CGXGridCore* pGrid, CArchive& ar, const CGXRangeList& list, BOOL bComposed) = 0;
    virtual BOOL GetCellStyleForCopy(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXStyle& style, BOOL bComposed) = 0;
    // bNoSizeCheck FALSE: a block of another size than the target asks first.
    virtual BOOL PasteStyles(CGXGridCore* pGrid, CArchive& ar, const CGXRange& target, BOOL bNoSizeCheck) = 0;
};

class CGXAbstractGridDirectCopyMoveCellsImp
{
public:
    virtual ~CGXAbstractGridDirectCopyMoveCellsImp() = default;
    virtual BOOL CopyCellsData(CGXGridCore* pGrid, const CGXRange* pRange, ROWCOL nDestRow, ROWCOL nDestCol) = 0;
    virtual BOOL MoveCellsData(CGXGridCore* pGrid, const CGXRange* pRange, ROWCOL nDestRow, ROWCOL nDestCol,
                               CObject*& pUndoInfo, BOOL bCreateUndoInfo, int nCommandKind) = 0;
    virtual BOOL CopyCells(CGXGridCore* pGrid, const CGXRange* pRange, ROWCOL nDestRow, ROWCOL nDestCol,
                           UINT flags) = 0;
    virtual BOOL MoveCells(CGXGridCore* pGrid, const CGXRange* pRange, ROWCOL nDestRow, ROWCOL nDestCol,
                           CObject*& pUndoInfo, UINT flags, int nCommandKind) = 0;
    // Pastes the cells of the last copy or cut of this grid at the target without the clipboard.
    virtual BOOL PasteDirect(CGXGridCore* pGrid, const CGXRange& target) = 0;
};
