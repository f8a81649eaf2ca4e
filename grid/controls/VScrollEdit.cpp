#include <grid/controls/VScrollEdit.h>

#include <grid/core/ResourceIds.h>

namespace
{
}

IMPLEMENT_DYNAMIC(CGXVScrollEdit, CGXEditControl)

const GXControlClass CGXVScrollEdit::ctlClassCGXVScrollEdit = {"CGXVScrollEdit",
                                                               &CGXEditControl::ctlClassCGXEditControl};

BEGIN_MESSAGE_MAP(CGXVScrollEdit, CGXEditControl)
END_MESSAGE_MAP()

CGXVScrollEdit::CGXVScrollEdit(CGXGridCore* pGrid, UINT nID) : CGXEditControl(pGrid, nID)
{
}

CGXControl* CGXVScrollEdit::Create(CGXGridCore* pGrid)
{
    return new CGXVScrollEdit(pGrid, GX_IDS_CTRL_SCROLL_EDIT);
}

DWORD CGXVScrollEdit::CalcEditStyle(CRect* pRect, const int* pLineHeight)
{
    m_bVertScrollBar = TRUE;
    return CGXEditControl::CalcEditStyle(pRect, pLineHeight);
}

CRect CGXVScrollEdit::GetCellClientRect(CRect& rectOut, ROWCOL nRow, ROWCOL nCol, const CRect* pRect,
                                        const CGXStyle* pStyle)
{
    CGXEditControl::GetCellClientRect(rectOut, nRow, nCol, pRect, pStyle);
    if (pStyle != nullptr && m_bVertScrollBar)
        rectOut.right -= ::GetSystemMetrics(SM_CXVSCROLL);
    return rectOut;
}

const GXControlClass* CGXVScrollEdit::GetControlClass() const
{
    return &ctlClassCGXVScrollEdit;
}
