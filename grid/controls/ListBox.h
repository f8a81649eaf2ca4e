// The list box cell: the cell shows the lines of the style's choice list with the line equal to
// its value inverted; the active current cell shows a list box window in which the user picks
// a line, and the picked line becomes the cell's value when the cell is stored.
#pragma once

#include <afxwin.h>

#include <grid/controls/WindowControl.h>

class CGXListBox : public CGXWindowControl<CListBox>
{
    DECLARE_DYNAMIC(CGXListBox)
public:
    CGXListBox(CGXGridCore* pGrid, UINT nID);
    ~CGXListBox() override;

    static const GXControlClass ctlClassCGXListBox;
    static CGXControl* Create(CGXGridCore* pGrid);

    // Window-side operations.
    // A hidden "GXLISTBOX" child of the grid window (scroll bars, notifying).
    virtual BOOL CreateControl();
    // The choice list's lines, with the first line that begins with the cell's display text
    // selected (case ignored).
    virtual void FillFromStyle();

    const GXControlClass* GetControlClass() const override;
    void SetActive(BOOL bActive) override;
    void SetModified(BOOL bModified) override;
    BOOL IsModified() override;
    void Init(ROWCOL nRow, ROWCOL nCol) override;
    // Writes the selected line when the user changed the selection; a read-only cell is
    // re-bound instead.
    BOOL StoreEditedValue() override;
    CSize AddFrameToSize(CSize& size, CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle) override;
    // The widest line and the lines' heights, with a margin of 4.
    CSize GetPreferredSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, int nDirection) override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    // The selected line while active.
    void GetCurrentText(CString& strText) override;
    // Selects the first line that begins with the text (case ignored); FALSE, and nothing
    // changed, when no line does.
    BOOL StoreText(const CString& strText) override;
    void HideControl() override;
    BOOL OnLButtonUp(UINT nFlags, CPoint point) override;
    BOOL OnLButtonDblClk(UINT nFlags, CPoint point) override;
    // A key press activates the list.
    BOOL OnKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags) override;
    // A selection change of the window marks the cell changed.
    BOOL OnGridCommand(WORD wCommand, HWND hWnd) override;

    // How many lines the inactive cell skips so that the value's line is the last one shown.
    static int LinesToSkip(int nSelected, int nLineHeight, int nHeight);

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg LRESULT OnWndKeyDown(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndPassFirst(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndKillFocus(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndEraseBkgnd(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndGetDlgCode(WPARAM wParam, LPARAM lParam);

private:
    // The live window over the active current cell.
    void DrawLive(CDC* pDC, const CRect& rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                  const CGXStyle* pStandardStyle);
    void DrawLines(CDC* pDC, const CRect& rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                   const CGXStyle* pStandardStyle);
    CString SelectedLine() const;
    // Activates when the grid agrees and clicks the window at the point.
    void ActivateAndClick(CPoint point);

    UINT m_nID;
    BOOL m_bModified = FALSE;
    CFont m_font;
    COLORREF m_rgbWindowBack = RGB(255, 255, 255);
};
