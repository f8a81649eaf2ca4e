// The spreadsheet-like selection frame: a three-pixel frame around the last selected range with
// a small square handle at one corner, kept in step with the selection.
#pragma once

#include <grid/core/AbstractGridImps.h>

class CGXGridExcelLikeFrameImp : public CGXAbstractGridExcelLikeFrameImp
{
public:
    // Fills the frame's sides (edge - 1 to edge + 2; at an open edge inside the cells) and the
    // 5 x 5 handle centred on its corner; with bNoFrame the handle alone.
    void DrawSelectionFrame(CGXGridCore* pGrid, CDC* pDC, const CRect& rect, CBrush* pBrush, BOOL bTopOpen,
                            BOOL bLeftOpen, int nHandle, BOOL bNoFrame) override;
    void InvalidateSelectionFrame(CGXGridCore* pGrid, CDC* pDC, const CGXRange& range, int nHandle,
                                  UINT flags) override;
    void UpdateSelectionFrame(CGXGridCore* pGrid, CDC* pDC, BOOL bRedrawOld, const CGXRange& range) override;
    void RedrawSelectionFrame(CGXGridCore* pGrid) override;
    void OnSelectionFrameChanged(CGXGridCore* pGrid, BOOL bState, BOOL bRedraw) override;
    void DrawFrameOfPass(CGXGridCore* pGrid, CDC* pDC) override;
    void RefreshExcelLikeFrame(CGXGridCore* pGrid) override;
    BOOL LockFrame(CGXGridCore* pGrid, BOOL bLock, BOOL bRedraw) override;

    const CGXRange& GetFrameRange() const
    {
        return m_range;
    }
    int GetHandle() const
    {
        return m_nHandle;
    }

    // The frame's window rectangle of a range: its visible rows and columns.
    static CRect FrameRect(CGXGridCore* pGrid, const CGXRange& range);

private:
    // The frame's range and handle for a selected range (whole rows, columns and the table become
    // cells within the table).
    static CGXRange FrameRangeOf(CGXGridCore* pGrid, const CGXRange& range, int& nHandle);
    // The range the frame shows now: the last selected range, else the current cell.
    static BOOL SelectedRange(CGXGridCore* pGrid, CGXRange& range);
    void Draw(CGXGridCore* pGrid, CDC* pDC, const CGXRange& range, int nHandle);

    CGXRange m_range;
    BOOL m_bShown = FALSE;
    int m_nHandle = 0;
    BOOL m_bLocked = FALSE;
};
