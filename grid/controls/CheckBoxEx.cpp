#include <grid/controls/CheckBoxEx.h>

const GXControlClass CGXCheckBoxEx::classCGXCheckBoxEx = {"CGXCheckBoxEx", &CGXCheckBox::classCGXCheckBox};

CGXCheckBoxEx::CGXCheckBoxEx(CGXGridCore* pGrid, BOOL bDraw3d, UINT nBitmapResourceId, UINT nPrintResourceId)
    : CGXActiveStateControl<CGXCheckBox>(pGrid, bDraw3d, nBitmapResourceId, nPrintResourceId)
{
}

CGXControl* CGXCheckBoxEx::CreateFlat(CGXGridCore* pGrid)
{
    return new CGXCheckBoxEx(pGrid, FALSE);
}

CGXControl* CGXCheckBoxEx::Create3d(CGXGridCore* pGrid)
{
    return new CGXCheckBoxEx(pGrid, TRUE);
}

const GXControlClass* CGXCheckBoxEx::GetControlClass() const
{
    return &classCGXCheckBoxEx;
}

const CGXStyle* CGXCheckBoxEx::GetPressStyle()
{
    return IsActive() ? LoadStyle() : CGXCheckBox::GetPressStyle();
}

void CGXCheckBoxEx::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                         const CGXStyle* pStandardStyle)
{
    CGXCheckBox::Draw(pDC, rect, nRow, nCol, StyleToDraw(nRow, nCol, style), pStandardStyle);
}

BOOL CGXCheckBoxEx::OnChildClicked(CGXChild* pChild)
{
    if (!IsBoundToCell() || !StartEditing())
        return FALSE;
    const CGXStyle& style = *LoadStyle();
    if (IsReadOnlyCell() || IsStyleReadOnly(style))
        return FALSE;
    SetPendingValue(NextValue(style));
    return CGXControl::OnChildClicked(pChild);
}

BOOL CGXCheckBoxEx::OnKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (CGXCheckBox::OnKeyMessage(nMessage, nChar, nRepCnt, nFlags))
        return TRUE;
    if (nMessage != WM_KEYDOWN || nChar != VK_DELETE || !IsActive() || IsReadOnlyCell())
        return FALSE;
    SetPendingValue(CString());
    return TRUE;
}
