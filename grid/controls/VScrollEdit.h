// The edit cell whose wrapping edit window always has a vertical scroll bar; the cell's text
// rectangle leaves room for it.
#pragma once

#include <grid/controls/EditControl.h>

class CGXVScrollEdit : public CGXEditControl
{
    DECLARE_DYNAMIC(CGXVScrollEdit)
public:
    CGXVScrollEdit(CGXGridCore* pGrid, UINT nID);

    static const GXControlClass ctlClassCGXVScrollEdit;
    static CGXControl* Create(CGXGridCore* pGrid);

    DWORD CalcEditStyle(CRect* pRect, const int* pLineHeight) override;
    CRect GetCellClientRect(CRect& rectOut, ROWCOL nRow, ROWCOL nCol, const CRect* pRect = nullptr,
                            const CGXStyle* pStyle = nullptr) override;
    const GXControlClass* GetControlClass() const override;

    BOOL HasScrollBar() const
    {
        return m_bVertScrollBar;
    }

protected:
    DECLARE_MESSAGE_MAP()
};
