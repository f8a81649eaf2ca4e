// The selection by mouse and keys: builds the parameter object's range list from presses,
// drags and Shift moves, and draws what changed.
#pragma once

#include <grid/core/AbstractGridImps.h>
#include <grid/core/RangeList.h>

class CGXGridUserSelectRangeImp : public CGXAbstractGridUserSelectRangeImp
{
public:
    BOOL MoveCurrentCellWithShift(CGXGridCore* pGrid, int nDirection, UINT nCount) override;
    BOOL OnStartSelection(CGXGridCore* pGrid, CPoint point, UINT flags, int nHit, ROWCOL nRow, ROWCOL nCol) override;
    BOOL OnMoveSelection(CGXGridCore* pGrid, CPoint point, UINT flags, ROWCOL nRow, ROWCOL nCol) override;
    BOOL OnEndSelection(CGXGridCore* pGrid, CPoint point, UINT flags, ROWCOL nRow, ROWCOL nCol) override;
    BOOL SelectRange(CGXGridCore* pGrid, const CGXRange& range, BOOL bSelect, BOOL bUpdate) override;
    // Selecting adds a copy; deselecting replaces every range it meets by the pieces outside it.
    BOOL ChangeSelectionList(CGXGridCore* pGrid, const CGXRange& range, BOOL bSelect) override;
    void RedrawSelectionChanges(CGXGridCore* pGrid, const CGXRangeList& oldList, BOOL bHint) override;
    // With no node the selection is cleared; corners with top (left) 0 make whole columns (rows).
    void SetSelection(CGXGridCore* pGrid, POSITION pos, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom,
                      ROWCOL nRight) override;
    void RedrawRangeChange(CGXGridCore* pGrid, POSITION pos, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight,
                           BOOL bHint) override;
    void RedrawSelectedCells(CGXGridCore* pGrid, BOOL bHint) override;
    BOOL OnLeftClickedCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, UINT flags, CPoint point) override;

    // The range that SetSelection makes of two corners.
    static CGXRange MakeRange(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight);

private:
    static CGXRangeList& Selection(CGXGridCore* pGrid);
    void ClearSelection(CGXGridCore* pGrid, BOOL bKey);
    // Asks the before-change hook, then gives the edited range the corners, draws and reports it.
    BOOL SetEditedRange(CGXGridCore* pGrid, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight, BOOL bDragging,
                        BOOL bKey, BOOL bUpdate = TRUE);
    POSITION StartEditedRange(CGXGridCore* pGrid, const CGXRange& range, ROWCOL nAnchorRow, ROWCOL nAnchorCol);
    // Inverts the visible cells whose selection state differs between the two lists.
    void DrawDifferences(CGXGridCore* pGrid, const CGXRangeList& before, const CGXRangeList& after);
    BOOL MoveInListBox(CGXGridCore* pGrid, int nDirection, UINT nCount, BOOL bExtend, BOOL bMultiple);
};
