#include <grid/controls/RadioButtonEx.h>

#include <grid/controls/SelectedFont.h>
#include <grid/core/AbstractUserAttribute.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/StylesMap.h>

#include <algorithm>

namespace
{

CString Decimal(int nValue)
{
    CString strValue;
    strValue.Format(_T("%d"), nValue);
    return strValue;
}
} // namespace

const GXControlClass CGXRadioButtonEx::classCGXRadioButtonEx = {"CGXRadioButtonEx", &CGXControl::classCGXControl};

CGXRadioButtonEx::CGXRadioButtonEx(CGXGridCore* pGrid, BOOL bDraw3d)
    : CGXActiveStateControl<CGXControl>(pGrid), m_bDraw3d(bDraw3d)
{
}

CGXControl* CGXRadioButtonEx::CreateFlat(CGXGridCore* pGrid)
{
    return new CGXRadioButtonEx(pGrid, FALSE);
}

CGXControl* CGXRadioButtonEx::Create3d(CGXGridCore* pGrid)
{
    return new CGXRadioButtonEx(pGrid, TRUE);
}

const GXControlClass* CGXRadioButtonEx::GetControlClass() const
{
    return &classCGXRadioButtonEx;
}

void CGXRadioButtonEx::RegisterUserAttributes(CGXStylesMap* pStylesMap)
{
    const struct
    {
        WORD nId;
        LPCTSTR pszChoices;
    } attributes[] = {{GX_IDS_UA_RADIO_ALIGNMENT, _T("Vertical\nHorizontal")}, {GX_IDS_UA_RADIO_TEXT_ALIGNMENT, _T("Left\nRight")}};
    for (const auto& attribute : attributes)
    {
        CGXStyle editing;
        editing.SetControl(GX_IDS_CTRL_COMBO_CHOICE_ZERO_BASED).SetChoiceList(attribute.pszChoices);
        pStylesMap->AddUserAttribute(attribute.nId, &editing);
    }
}

GXRadioButtonLayout CGXRadioButtonEx::LayoutOf(const CGXStyle& style)
{
    GXRadioButtonLayout layout;
    layout.bHorizontal = style.GetUserAttribute(GX_IDS_UA_RADIO_ALIGNMENT).GetValue() == _T("1");
    layout.bLabelRight = style.GetUserAttribute(GX_IDS_UA_RADIO_TEXT_ALIGNMENT).GetValue() == _T("1");
    return layout;
}

BOOL CGXRadioButtonEx::ReservedQueryB()
{
    return TRUE;
}

void CGXRadioButtonEx::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                            const CGXStyle* pStandardStyle)
{
    const CGXStyle& drawn = StyleToDraw(nRow, nCol, style);
    m_nRadioBtns = CGXRadioButton::DrawButtons(*this, pDC, rect, nRow, nCol, drawn, pStandardStyle, LayoutOf(drawn),
                                               m_bDraw3d);
}

CSize CGXRadioButtonEx::GetPreferredSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                                         int /*nDirection*/)
{
    const CGXSelectedFont font(pDC, m_pGrid->LoadFont(pDC, style, nullptr));
    TEXTMETRIC tm{};
    pDC->GetTextMetrics(&tm);
    const int h = CGXRadioButton::LineHeight(pDC);
    const int w = std::max(12, static_cast<int>(tm.tmMaxCharWidth));
    const GXRadioButtonLayout layout = LayoutOf(style);
    const std::vector<CString> labels =
        CGXRadioButton::SplitChoices(style.GetInclude(CGXStyle::inclChoiceList) ? style.GetChoiceList() : CString());
    int nWidth = 0;
    for (const CString& strLabel : labels)
    {
        const int nCount = 18 + pDC->GetTextExtent(strLabel).cx + (layout.bLabelRight ? 2 : w + 3);
        nWidth = layout.bHorizontal ? nWidth + nCount : std::max(nWidth, nCount);
    }
    const int nHeight = layout.bHorizontal ? h : h * static_cast<int>(labels.size());
    if (style.GetUserAttribute(GX_IDS_UA_RADIO_TEXT_ALIGNMENT).GetValue() == _T("0"))
        nWidth -= w + 4;
    CSize size(nWidth + 4, nHeight + 4);
    return AddFrameToSize(size, pDC, nRow, nCol, &style);
}

BOOL CGXRadioButtonEx::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!IsBoundToCell() || IsReadOnlyCell())
        return FALSE;
    const CGXStyle& style = IsActive() ? *LoadStyle() : *m_pGrid->GetComposedStyle(BoundRow(), BoundCol());
    const int nCurrent = CGXRadioButton::SelectedIndex(style);
    const int nIndex = CGXRadioButton::HitTestButtons(*this, BoundRow(), BoundCol(), style, point, LayoutOf(style));
    m_pGrid->SetSkipScrollInView(TRUE);
    if (nIndex != -1)
    {
        if (StartEditing() && nIndex != nCurrent)
            SetPendingValue(Decimal(nIndex));
        OnChildClicked(nullptr);
    }
    return CGXControl::OnLButtonUp(nFlags, point);
}

BOOL CGXRadioButtonEx::OnKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (CGXControl::OnKeyMessage(nMessage, nChar, nRepCnt, nFlags))
        return TRUE;
    if (!IsBoundToCell())
        return FALSE;
    if (nMessage == WM_CHAR && nChar == _T(' '))
    {
        if (!StartEditing() || IsReadOnlyCell())
            return FALSE;
        int nNext = CGXRadioButton::SelectedIndex(*LoadStyle()) + 1;
        if (nNext >= m_nRadioBtns)
            nNext = 0;
        SetPendingValue(Decimal(nNext));
        return TRUE;
    }
    if (nMessage == WM_KEYDOWN && nChar == VK_DELETE && IsActive() && !IsReadOnlyCell())
    {
        SetPendingValue(CString());
        return TRUE;
    }
    return FALSE;
}
