// The cell-tip object of the text-showing controls: whether a cell needs a tip (its text or
// bitmap does not fit the cell, or the cell is cut by the grid window or the screen), of which
// kind, and filling and placing the tip window so that its text lies over the cell's own.
#pragma once

#include <grid/controls/CellTipBase.h>

class CGXControl;
class CGXCellTipWnd;

class CGXCellTipStatic : public CGXCellTipBase
{
public:
    // Need flags.
    enum : DWORD
    {
        needTaller = 0x01,
        needWider = 0x02,
        needCutByClientX = 0x04,
        needCutByClientY = 0x08,
        needOffScreenX = 0x10,
        needOffScreenY = 0x20
    };

    explicit CGXCellTipStatic(CGXControl* pControl) : m_pControl(pControl)
    {
    }

    // NeedsTip: the need flags, 0 for no tip.
    DWORD QueryTipA(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style) override;
    // GetTipKind: 2 for a bitmap value in a control that is no edit, else 1.
    DWORD QueryTipB(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style) override;
    // Fills the tip window and moves it, hidden, over the cell's text.
    void ShowTip(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, CWnd* pTipWnd) override;

    DWORD NeedsTip(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
    {
        return QueryTipA(nRow, nCol, style);
    }
    DWORD GetTipKind(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
    {
        return QueryTipB(nRow, nCol, style);
    }

    // The cell's display text.
    CString GXGetCellTipText(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style);
    // The text's extent in the style's font at the grid's zoom; 0 x 0 without a font.
    CSize MeasureTipText(const CGXStyle& style, const CString& strText);
    // The cell in screen coordinates, inside its border pens.
    CRect ComputeTipRect(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style);
    // Where the control draws the text, in screen coordinates.
    CRect ComputeTextRect(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style);
    // How a screen rectangle is cut by the grid window's client area and the virtual screen.
    DWORD GetClipFlags(const CRect& rectArea);
    // Where the cell shows its first character (shortened right or centred text included).
    CPoint GetTextOrigin(const CRect& rectText, const CGXStyle& style, const CString& strText, CSize size);
    DWORD GetTipNeedFlags(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, const CString& strText);
    DWORD GetBitmapTipNeedFlags(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, const CString& strText);
    // A bitmap of the size placed in the text rectangle as a text would be.
    CPoint GetBitmapOrigin(const CRect& rectText, const CGXStyle& style, CSize size);

    // The tip window's content and place.
    void SetTipFont(CWnd* pTipWnd, const CGXStyle& style);
    void SetTipText(CWnd* pTipWnd, const CString& strText);
    void SetTextRect(CWnd* pTipWnd, const CRect& rect);
    void SetTipBitmap(CWnd* pTipWnd, HANDLE hDIB);
    void SetBitmapRect(CWnd* pTipWnd, const CRect& rect);
    // Moves the tip hidden, without activating or redrawing it.
    void MoveToRect(CWnd* pTipWnd, const CRect& rect);
    void MoveToCoords(CWnd* pTipWnd, int x, int y, int cx, int cy);

    // The tip's rectangle for content of the size from the origin, with its margins, kept on
    // the virtual screen and never left of or above 0.
    static CRect PlaceTip(CPoint ptOrigin, CSize sizeContent, const CRect& rectText);
    // The bitmap of a "#BMP(" value (case ignored) and its size; null for none.
    static HANDLE BitmapOfText(const CString& strText, CSize& size);

private:
    BOOL IsBitmapText(const CString& strText) const;
    CGXCellTipWnd* TipWindow(CWnd* pTipWnd) const;

    CGXControl* m_pControl;
};
