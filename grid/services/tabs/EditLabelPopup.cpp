// The tab name editor's keys and focus.
#include <grid/services/tabs/EditLabelPopup.h>

#include <grid/services/tabs/TabWnd.h>

// clang-format off
BEGIN_MESSAGE_MAP(CGXEditLabelPopup, CEdit)
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_WM_KILLFOCUS()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()
// clang-format on

BOOL CGXEditLabelPopup::Create(const CRect& rect, CWnd* pTabWnd, UINT nID, BOOL bFlat)
{
    return CEdit::Create(WS_CHILD | (bFlat ? dwStyleFlat : dwStyleFramed), rect, pTabWnd, nID);
}

void CGXEditLabelPopup::PostNcDestroy()
{
    delete this;
}

void CGXEditLabelPopup::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_RETURN)
        GetParent()->SendMessage(WM_GX_ENDRENAME);
    else if (nChar == VK_ESCAPE)
        GetParent()->SendMessage(WM_GX_CANCELRENAME);
    else
        CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CGXEditLabelPopup::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar != VK_RETURN && nChar != VK_ESCAPE)
        CEdit::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CGXEditLabelPopup::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_GX_CANCELRENAME);
}

UINT CGXEditLabelPopup::OnGetDlgCode()
{
    return CEdit::OnGetDlgCode() | DLGC_WANTALLKEYS;
}
