// Filling by dragging the selection's corner handle: a focus-rectangle frame follows the
// pointer in one direction; the release copies the selection's cells over the extension in a
// cycle (values, whole styles or both, by the parameter's fill options), or clears what a
// shrunk frame gave up, as one undo step.
#pragma once

#include <grid/core/AbstractGridImps.h>

class CDC;

class CGXGridExcelLikeFillImp : public CGXAbstractGridExcelLikeFillImp
{
public:
    // Not on whole rows or columns, not above the top row or left of the left column, and
    // not when the core's CanStartFillDrag refuses.
    BOOL OnStartFillDrag(CGXGridCore* pGrid, CPoint point, UINT flags, ROWCOL nRow, ROWCOL nCol) override;
    // The frame follows the side the pointer lies farther beyond (rows first on a tie); inside
    // the selection it shrinks to the cell under the pointer.
    BOOL OnFillDragMove(CGXGridCore* pGrid, CPoint point, UINT flags, ROWCOL nRow, ROWCOL nCol) override;
    BOOL OnEndFillDrag(CGXGridCore* pGrid, CPoint point, UINT flags) override;
    void OnCancelFillDrag(CGXGridCore* pGrid) override;
    void DrawFillFrame(CGXGridCore* pGrid, const CGXRange& target, BOOL bErase, BOOL bDraw) override;
    BOOL FillCells(CGXGridCore* pGrid, const CGXRange& target, const CGXRange& source) override;
    BOOL SelectFillRange(CGXGridCore* pGrid, const CGXRange& range) override;
    void HideFillFrame(CGXGridCore* pGrid) override;

    // DrawFillFrame on a given device context: the focus rectangle is drawn by XOR, so drawing
    // the same frame again takes it away.
    void DrawFillFrameOn(CGXGridCore* pGrid, CDC* pDC, const CGXRange& target, BOOL bErase, BOOL bDraw);
    const CGXRange& GetTarget() const
    {
        return m_target;
    }

private:
    static BOOL FillExtension(CGXGridCore* pGrid, const CGXRange& target, const CGXRange& source, WORD wOptions);
    static BOOL CopyCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nSourceRow, ROWCOL nSourceCol,
                         WORD wOptions);
    CGXRange TargetAt(CGXGridCore* pGrid, CPoint point, ROWCOL nRow, ROWCOL nCol) const;

    CGXRange m_source;
    CRect m_rectFrame;
    CGXRange m_target;
};
