// The interface of a control's cell-tip object: whether a cell needs a tip (need flags, 0 for
// none), the tip's kind (1 text, 2 bitmap), and showing it in the tip window.
#pragma once

#include <afxwin.h>

#include <grid/core/Range.h>

class CGXStyle;

class CGXCellTipBase
{
public:
    virtual ~CGXCellTipBase() = default;
    virtual DWORD QueryTipA(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style) = 0;
    virtual DWORD QueryTipB(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style) = 0;
    virtual void ShowTip(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, CWnd* pTipWnd) = 0;
};
