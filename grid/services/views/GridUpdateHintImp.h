// Keeps several views of one grid in step: each change a view makes goes out as a hint to the
// other views of its document, which replay it through the same core operation without
// broadcasting it again.
#pragma once

#include <grid/core/AbstractGridImps.h>

class CGXGridHint;

class CGXGridUpdateHintImp : public CGXAbstractGridUpdateHintImp
{
public:
    void OnHint(CGXGridCore* pGrid, CObject* pHint) override;
    BOOL HintParamSettingChanged(CGXGridCore* pGrid, DWORD nSetting) override;
    BOOL HintSetCurrentCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, UINT flags) override;
    BOOL HintTransferCurrentCell(CGXGridCore* pGrid, BOOL bSaveAndValidate, UINT flags) override;
    BOOL HintChangedRowCount(CGXGridCore* pGrid, ROWCOL nOldCount, UINT flags) override;
    BOOL HintChangedColCount(CGXGridCore* pGrid, ROWCOL nOldCount, UINT flags) override;
    BOOL HintFrozenCols(CGXGridCore* pGrid, ROWCOL nOldFrozenCols, ROWCOL nOldHeaderCols, UINT flags) override;
    BOOL HintFrozenRows(CGXGridCore* pGrid, ROWCOL nOldFrozenRows, ROWCOL nOldHeaderRows, UINT flags) override;
    BOOL HintTopRow(CGXGridCore* pGrid, ROWCOL nRow, UINT flags) override;
    BOOL HintLeftCol(CGXGridCore* pGrid, ROWCOL nCol, UINT flags) override;
    BOOL HintInsertRows(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCount, UINT flags) override;
    BOOL HintInsertCols(CGXGridCore* pGrid, ROWCOL nCol, ROWCOL nCount, UINT flags) override;
    BOOL HintInvalidateRange(CGXGridCore* pGrid, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight,
                             UINT flags) override;
    BOOL HintRedraw(CGXGridCore* pGrid, UINT flags) override;
    BOOL HintRecalc(CGXGridCore* pGrid, CString* pError) override;
    BOOL HintAppNotify(CGXGridCore* pGrid) override;
    BOOL HintScroll(CGXGridCore* pGrid, int nDirection) override;
    BOOL HintSelectionChanges(CGXGridCore* pGrid, const CGXRange& range, const CGXRangeList* pOldList) override;
    BOOL HintSelectionFrame(CGXGridCore* pGrid, BOOL bOn) override;
    BOOL HintRangeChange(CGXGridCore* pGrid, POSITION pos, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom,
                         ROWCOL nRight) override;
    BOOL HintUpdateWindow(CGXGridCore* pGrid) override;
    BOOL HintHideRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, const BYTE* pOldStates, UINT flags) override;
    BOOL HintHideCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, const BYTE* pOldStates, UINT flags) override;
    BOOL HintStoreZoom(CGXGridCore* pGrid, int nZoom) override;
    BOOL HintUpdateZoom(CGXGridCore* pGrid, int nOldZoom, UINT flags) override;
    BOOL HintRedrawRange(CGXGridCore* pGrid, const CGXRange& range, UINT flags) override;
    BOOL HintRefreshBaseStyles(CGXGridCore* pGrid, UINT flags) override;
    BOOL HintRedrawGrid(CGXGridCore* pGrid, UINT flags) override;
    BOOL HintBaseStyleChange(CGXGridCore* pGrid, WORD nBaseStyleId, UINT flags) override;
    BOOL HintCoveredCells(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                          UINT flags) override;
    BOOL HintFloatedCells(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                          UINT flags) override;
    BOOL HintMergedCells(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                         UINT flags) override;
    BOOL HintRowsSorted(CGXGridCore* pGrid, const CGXRange& range, UINT flags) override;
    BOOL HintColsSorted(CGXGridCore* pGrid, const CGXRange& range, UINT flags) override;
    BOOL HintRemoveRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, const int* pOldHeights, UINT flags) override;
    BOOL HintRemoveCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, const int* pOldWidths, UINT flags) override;
    BOOL HintMoveRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, UINT flags) override;
    BOOL HintMoveCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, UINT flags) override;

private:
    // Replays a hint that passed the checks of OnHint.
    static void Replay(CGXGridCore* pGrid, CGXGridHint& hint);
    // Sends a hint of kind 25 (bRows) or 26 to every other pane of the grid's splitter row
    // (column), naming that pane; FALSE when the splitter has no such panes.
    static BOOL SendToPanesBeside(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFirst, UINT flags);
};
