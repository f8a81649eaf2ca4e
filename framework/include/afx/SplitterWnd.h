// A window whose client area is divided into a fixed grid of panes, each a child window made
// from a run-time class. The panes share the area evenly; the division does not move.
#pragma once

#include <afxwin.h>

struct CCreateContext;

class CSplitterWnd : public CWnd
{
    DECLARE_DYNAMIC(CSplitterWnd)
public:
    // The most panes in each direction.
    static constexpr int maxPanes = 16;

    CSplitterWnd();

    // Makes the window with nRows x nCols panes (1..16 each); the panes come with CreateView.
    BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                      UINT nID = AFX_IDW_PANE_FIRST);
    // Creates the pane (row, col) as an object of pViewClass with the context's document;
    // sizeInit is taken for the even division. FALSE when the place is wrong or taken, or the
    // window cannot be made.
    virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext);

    int GetRowCount() const;
    int GetColumnCount() const;
    // The pane's window, or null while it is not made.
    CWnd* GetPane(int row, int col) const;
    // The child id of the pane (row, col).
    int IdFromRowCol(int row, int col) const;
    // The pane of a child window of this splitter: FALSE when pWnd is not one of its panes.
    BOOL IsChildPane(CWnd* pWnd, int* pRow, int* pCol) const;

    // Places the panes evenly over the client area.
    virtual void RecalcLayout();

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    int m_nRows = 0;
    int m_nCols = 0;
};
