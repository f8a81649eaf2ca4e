// The cell tip: one small pop-up window per thread that shows the whole text (or bitmap) of a
// cell its cell cuts, laid over the cell's own text, and the relay of each grid that decides
// when it shows: the pointer resting on one cell for the system's hover time.
#pragma once

#include <afxwin.h>

#include <grid/core/GridCore.h>

class CGXGridCore;
class CGXCellTipStatic;

class CGXCellTipWnd : public CWnd
{
    DECLARE_DYNAMIC(CGXCellTipWnd)
public:
    // The kinds of content.
    enum : DWORD
    {
        kindText = 1,
        kindBitmap = 2
    };

    // The thread's tip window, made hidden on first use and owned by the grid that asks for it.
    static CGXCellTipWnd* GetTipWnd(CGXGridCore* pGrid);
    // The thread's tip window when there is one.
    static CGXCellTipWnd* FindTipWnd();

    CGXGridCore* GetOwnerGrid() const
    {
        return m_pOwnerGrid;
    }
    DWORD GetKind() const
    {
        return m_nKind;
    }
    const CRect& GetTextRect() const
    {
        return m_rectText;
    }
    const CRect& GetBitmapRect() const
    {
        return m_rectBitmap;
    }
    CFont& Font()
    {
        return m_font;
    }
    // Hides the tip when it is shown.
    void Hide();

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    void PostNcDestroy() override;

private:
    friend class CGXCellTipStatic;

    CGXCellTipWnd() = default;

    CGXGridCore* m_pOwnerGrid = nullptr;
    DWORD m_nKind = kindText;
    CFont m_font;
    HANDLE m_hDIB = nullptr;
    CRect m_rectText;
    CRect m_rectBitmap;
};

// A grid's message-only window that turns the grid's pointer moves into tips: a move onto
// another cell hides the tip and starts timer 993 for the hover time; when it fires with the
// pointer still on that cell, tips are on and the cell is not the active current cell, the
// cell's control fills and places the tip and it is shown without activation. WM_CANCELMODE
// hides it.
class CGXCellTipRelay : public CWnd
{
public:
    static constexpr UINT_PTR nHoverTimer = 993;

    // Made once per grid window; the grid keeps it in m_pCellTipRelay.
    static void Install(CGXGridCore* pGrid);

    // The cell the pointer rests on, (GX_INVALID, GX_INVALID) for none.
    ROWCOL GetRow() const
    {
        return m_nRow;
    }
    ROWCOL GetCol() const
    {
        return m_nCol;
    }

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg LRESULT OnRelayMouseMove(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnRelayCancelMode(WPARAM wParam, LPARAM lParam);
    void PostNcDestroy() override;

private:
    explicit CGXCellTipRelay(CGXGridCore* pGrid) : m_pGrid(pGrid)
    {
    }
    // The cell under a point of the grid window, FALSE when none.
    BOOL CellAt(CPoint point, ROWCOL& nRow, ROWCOL& nCol) const;
    void ShowTipOfCell();
    void HideTip();

    CGXGridCore* m_pGrid;
    CPoint m_ptLast;
    ROWCOL m_nRow = GX_INVALID;
    ROWCOL m_nCol = GX_INVALID;
};
