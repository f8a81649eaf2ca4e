// Moving selected whole rows or columns by dragging their headers: a line marks where the block
// would land, a drop moves it there. Mode 2 drags rows, 1 columns.
#pragma once

#include <grid/core/AbstractGridImps.h>
#include <grid/core/ResourceIds.h>

#include <memory>

class CGXDragLineWnd;

class CGXGridUserDragSelectRangeImp : public CGXAbstractGridUserDragSelectRangeImp
{
public:
    CGXGridUserDragSelectRangeImp();
    ~CGXGridUserDragSelectRangeImp() override;

    BOOL OnStartDrag(CGXGridCore* pGrid, CPoint point, UINT flags, int nHit, ROWCOL nRow, ROWCOL nCol) override;
    BOOL OnDragMove(CGXGridCore* pGrid, CPoint point, UINT flags) override;
    BOOL OnDragEnd(CGXGridCore* pGrid, CPoint point, UINT flags) override;
    BOOL StartDragRowsCols(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol) override;
    void OnDragFeedback(CGXGridCore* pGrid, ROWCOL nStartRow, ROWCOL nStartCol, ROWCOL nTargetRow,
                        ROWCOL nTargetCol) override;
    // 1 when the block moved; a drop onto the block or right after it moves nothing.
    BOOL OnDropRowsCols(CGXGridCore* pGrid, ROWCOL nStartRow, ROWCOL nStartCol, ROWCOL nTargetRow,
                        ROWCOL nTargetCol) override;
    void CancelDrag(CGXGridCore* pGrid) override;

    BOOL IsDragging() const
    {
        return m_bDragging;
    }
    // The line that marks the drop position, while shown.
    CWnd* GetLineWnd() const;

private:
    BOOL IsRows() const
    {
        return m_nMode == 2;
    }
    // The row (column) under the point; past the last one the count plus 1.
    ROWCOL TargetAt(CGXGridCore* pGrid, CPoint point) const;
    const CGXRange* EditedRange(CGXGridCore* pGrid) const;
    BOOL CanDrop(CGXGridCore* pGrid, ROWCOL nTarget) const;
    void PlaceLine(CGXGridCore* pGrid, ROWCOL nTarget);

    BOOL m_bDragging = FALSE;
    int m_nMode = 0;
    ROWCOL m_nStartRow = 0;
    ROWCOL m_nStartCol = 0;
    ROWCOL m_nLastTarget = 0;
    POSITION m_posEdited = nullptr;
    std::unique_ptr<CGXDragLineWnd> m_pLineWnd;
};
