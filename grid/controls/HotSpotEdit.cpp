#include <grid/controls/HotSpotEdit.h>

#include <grid/controls/HotSpotButton.h>
#include <grid/core/ResourceIds.h>

namespace
{
}

IMPLEMENT_DYNAMIC(CGXHotSpotEdit, CGXEditControl)

const GXControlClass CGXHotSpotEdit::ctlClassCGXHotSpotEdit = {"CGXHotSpotEdit",
                                                               &CGXEditControl::ctlClassCGXEditControl};

CGXHotSpotEdit::CGXHotSpotEdit(CGXGridCore* pGrid, UINT nID)
    : CGXEditControl(pGrid, nID), m_pHotSpot(new CGXHotSpotButton(this))
{
    AddChild(m_pHotSpot);
}

CGXControl* CGXHotSpotEdit::Create(CGXGridCore* pGrid)
{
    return new CGXHotSpotEdit(pGrid, GX_IDS_CTRL_HOTSPOT_EDIT);
}

CRect CGXHotSpotEdit::GetCellClientRect(CRect& rectOut, ROWCOL nRow, ROWCOL nCol, const CRect* pRect,
                                        const CGXStyle* pStyle)
{
    CGXEditControl::GetCellClientRect(rectOut, nRow, nCol, pRect, pStyle);
    rectOut.right -= nButtonStrip;
    return rectOut;
}

CSize CGXHotSpotEdit::AddFrameToSize(CSize& size, CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle)
{
    size.cx += nButtonStrip;
    return CGXEditControl::AddFrameToSize(size, pDC, nRow, nCol, pStyle);
}

void CGXHotSpotEdit::Init(ROWCOL nRow, ROWCOL nCol)
{
    CGXEditControl::Init(nRow, nCol);
    CRect rect;
    m_pHotSpot->GetRect(rect);
    if (CWnd* pGridWnd = GetGridWnd(); pGridWnd != nullptr && pGridWnd->GetSafeHwnd() != nullptr)
        pGridWnd->InvalidateRect(rect, TRUE);
}

// The children get the text rectangle; the button sits in the strip to its right, at most 13
// pixels high and clipped to the cell, one pixel down when the cell has room below it.
void CGXHotSpotEdit::LayoutChildren(ROWCOL /*nRow*/, ROWCOL /*nCol*/, const CRect& rectText)
{
    CRect rect = rectText;
    rect.right += nButtonStrip;
    CRect rectButton(rect.right - 14, rect.top, rect.right - 1, rect.top + 13);
    rectButton.IntersectRect(rectButton, rect);
    if (rectButton.Height() < rect.Height() - 1)
        rectButton.OffsetRect(0, 1);
    m_pHotSpot->SetRect(rectButton);
}

const GXControlClass* CGXHotSpotEdit::GetControlClass() const
{
    return &ctlClassCGXHotSpotEdit;
}
