#include <grid/controls/ComboBoxButton.h>

#include <grid/controls/ComboBoxWnd.h>

#include <grid/controls/Control.h>
#include <grid/core/Style.h>
#include <grid/core/SysData.h>

#include <vsstyle.h>

namespace
{
BOOL IsDisabled(const CGXStyle* pStyle)
{
    return pStyle != nullptr && pStyle->GetInclude(CGXStyle::inclEnabled) && !pStyle->GetEnabled();
}
} // namespace

CGXComboBoxButton::CGXComboBoxButton(CGXControl* pComposite) : CGXButton(pComposite)
{
}

void CGXComboBoxButton::DrawDropFace(CGXControl* pComposite, CDC* pDC, const CRect& rect, BOOL bPressed, BOOL bDisabled)
{
    const int nState = bDisabled ? CBXS_DISABLED : (bPressed ? CBXS_PRESSED : CBXS_NORMAL);
    if (pComposite->DrawThemedPart(pDC, L"COMBOBOX", CP_DROPDOWNBUTTON, nState, rect,
                                   bPressed ? EDGE_SUNKEN : EDGE_RAISED))
        return;
    DrawClassicFace(pDC, rect, ::GetSysColor(COLOR_BTNFACE), bPressed);
    const GX_SYS_DATA* pSysData = GXGetSysData();
    CRect rectArrow(rect.left, rect.top + 2, rect.right, rect.bottom - 2);
    DrawCentredBitmap(pDC, bDisabled ? pSysData->m_hbm20211 : pSysData->m_hbmDropArrow, rectArrow);
}

void CGXComboBoxButton::Draw(CDC* pDC, BOOL /*bFocus*/, const CGXStyle* pStyle)
{
    DrawDropFace(m_pComposite, pDC, m_rect, m_bPressed, IsDisabled(pStyle));
}

CGXComboBoxWndButton::CGXComboBoxWndButton(CGXControl* pComposite) : CGXButton(pComposite)
{
}

void CGXComboBoxWndButton::Draw(CDC* pDC, BOOL bFocus, const CGXStyle* pStyle)
{
    // Other cells show the button where the control reserves its room.
    const auto* pCombo = dynamic_cast<const CGXComboBoxWnd*>(m_pComposite);
    const BOOL bShowButton = pCombo != nullptr && pCombo->ShowsButtonInOtherCells();
    BOOL bPressed = FALSE;
    if (bFocus)
    {
        // The active window shows its own button.
        if (m_pComposite->IsActive())
            return;
        bPressed = HasFocus() && m_bPressed;
    }
    else if (!bShowButton)
        return;
    CGXComboBoxButton::DrawDropFace(m_pComposite, pDC, m_rect, bPressed, IsDisabled(pStyle));
}

void CGXComboBoxWndButton::DrawDefault(CDC* pDC, BOOL bFocus)
{
    Draw(pDC, bFocus, nullptr);
}
