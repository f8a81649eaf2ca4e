#include <grid/controls/SpinEdit.h>

#include <grid/controls/ArrowButton.h>
#include <grid/core/GridCore.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <grid/core/UserAttribute.h>

namespace
{
} // namespace

IMPLEMENT_DYNAMIC(CGXSpinEdit, CGXEditControl)

const GXControlClass CGXSpinEdit::ctlClassCGXSpinEdit = {"CGXSpinEdit", &CGXEditControl::ctlClassCGXEditControl};

CGXSpinEdit::CGXSpinEdit(CGXGridCore* pGrid, UINT nID)
    : CGXEditControl(pGrid, nID), m_pUpArrow(new CGXUpArrowButton(this)), m_pDownArrow(new CGXDownArrowButton(this))
{
    AddChild(m_pUpArrow);
    AddChild(m_pDownArrow);
}

CGXControl* CGXSpinEdit::Create(CGXGridCore* pGrid)
{
    return new CGXSpinEdit(pGrid, GX_IDS_CTRL_SPIN_EDIT);
}

void CGXSpinEdit::RegisterUserAttributes(CGXStylesMap* pStylesMap)
{
    CGXStyle spin;
    spin.SetControl(static_cast<WORD>(GX_IDS_CTRL_SPIN_EDIT));
    pStylesMap->AddUserAttribute(GX_IDS_UA_SPIN_MIN, &spin);
    pStylesMap->AddUserAttribute(GX_IDS_UA_SPIN_MAX, &spin);
    pStylesMap->AddUserAttribute(GX_IDS_UA_SPIN_START, &spin);
    CGXStyle checkBox;
    checkBox.SetControl(GX_IDS_CTRL_CHECKBOX_3D);
    pStylesMap->AddUserAttribute(GX_IDS_UA_SPIN_WRAP, &checkBox);
}

CGXChild* CGXSpinEdit::UpArrow() const
{
    return m_pUpArrow;
}

CGXChild* CGXSpinEdit::DownArrow() const
{
    return m_pDownArrow;
}

CRect CGXSpinEdit::GetCellClientRect(CRect& rectOut, ROWCOL nRow, ROWCOL nCol, const CRect* pRect,
                                     const CGXStyle* pStyle)
{
    CGXEditControl::GetCellClientRect(rectOut, nRow, nCol, pRect, pStyle);
    rectOut.right -= nButtonStrip;
    return rectOut;
}

CSize CGXSpinEdit::AddFrameToSize(CSize& size, CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle)
{
    size.cx += nButtonStrip;
    return CGXEditControl::AddFrameToSize(size, pDC, nRow, nCol, pStyle);
}

void CGXSpinEdit::Init(ROWCOL nRow, ROWCOL nCol)
{
    CGXEditControl::Init(nRow, nCol);
    if (CWnd* pGridWnd = GetGridWnd(); pGridWnd != nullptr && pGridWnd->GetSafeHwnd() != nullptr)
    {
        CRect rect;
        pGridWnd->InvalidateRect(m_pUpArrow->GetRect(rect), TRUE);
        pGridWnd->InvalidateRect(m_pDownArrow->GetRect(rect), TRUE);
    }
    LoadStyle();
}

// The arrows share the strip right of the text rectangle, the upper one above the middle.
void CGXSpinEdit::LayoutChildren(ROWCOL /*nRow*/, ROWCOL /*nCol*/, const CRect& rectText)
{
    CRect rect = rectText;
    rect.right += nButtonStrip;
    CRect rectButtons(rect.right - 15, rect.top + 1, rect.right - 1, rect.bottom - 1);
    rectButtons.IntersectRect(rectButtons, rect);
    const int nMid = rectButtons.top + rectButtons.Height() / 2;
    m_pUpArrow->SetRect(CRect(rectButtons.left, rectButtons.top, rectButtons.right, nMid));
    m_pDownArrow->SetRect(CRect(rectButtons.left, nMid, rectButtons.right, rectButtons.bottom));
}

void CGXSpinEdit::ReadBounds()
{
    if (!m_bIsBound)
        return;
    const CGXStyle& style = *LoadStyle();
    const CString strMin = style.GetUserAttribute(GX_IDS_UA_SPIN_MIN).GetValue();
    const CString strMax = style.GetUserAttribute(GX_IDS_UA_SPIN_MAX).GetValue();
    const CString strStart = style.GetUserAttribute(GX_IDS_UA_SPIN_START).GetValue();
    m_bWrap = _ttoi(style.GetUserAttribute(GX_IDS_UA_SPIN_WRAP).GetValue()) != 0;
    m_bHasMin = !strMin.IsEmpty();
    m_bHasMax = !strMax.IsEmpty();
    m_bHasStart = !strStart.IsEmpty();
    m_nMin = m_bHasMin ? _ttol(strMin) : 0;
    m_nMax = m_bHasMax ? _ttol(strMax) : 0;
    m_nStart = m_bHasStart ? _ttol(strStart) : 0;
}

BOOL CGXSpinEdit::OnLButtonDown(UINT nFlags, CPoint point)
{
    ReadBounds();
    return CGXStatic::OnLButtonDown(nFlags, point);
}

long CGXSpinEdit::Step(long nValue, BOOL bUp) const
{
    if (bUp)
    {
        if (!m_bHasMax || nValue < m_nMax)
            ++nValue;
        else if (m_bWrap && m_bHasMin)
            nValue = m_nMin;
    }
    else
    {
        if (!m_bHasMin || nValue > m_nMin)
            --nValue;
        else if (m_bWrap && m_bHasMax)
            nValue = m_nMax;
    }
    return nValue;
}

BOOL CGXSpinEdit::OnChildClicked(CGXChild* pChild)
{
    const BOOL bWasActive = m_bIsActive;
    if (!bWasActive)
    {
        if (!RequestEditing())
            return FALSE;
        SetActive(TRUE);
    }
    CString strText;
    GetWindowText(strText);
    LoadStyle();
    if (!IsReadOnlyCell())
    {
        // An empty cell starts at its start value, which is only held within the bounds.
        long nValue = 0;
        if (strText.IsEmpty() && m_bHasStart)
            nValue = m_nStart;
        else
            nValue = Step(_ttol(strText), pChild == m_pUpArrow);
        if (m_bHasMin && nValue < m_nMin)
            nValue = m_nMin;
        if (m_bHasMax && nValue > m_nMax)
            nValue = m_nMax;
        CString strValue;
        strValue.Format(_T("%ld"), nValue);
        SetWindowText(strValue);
        SetModified(TRUE);
        RequestCommit();
        SetSel(0, -1);
    }
    if (bWasActive)
        RefreshLayout();
    else
        RefreshCell();
    return CGXEditControl::OnChildClicked(pChild);
}

const GXControlClass* CGXSpinEdit::GetControlClass() const
{
    return &ctlClassCGXSpinEdit;
}
