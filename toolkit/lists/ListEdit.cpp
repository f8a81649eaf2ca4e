#include "ListEdit.h"

namespace tarnwick::lists
{
IMPLEMENT_DYNAMIC(SECListEdit, CEdit)

BEGIN_MESSAGE_MAP(SECListEdit, CEdit)
ON_WM_GETDLGCODE()
ON_WM_KEYDOWN()
END_MESSAGE_MAP()

SECListEdit::SECListEdit(SECListClient* pOwner) : m_pOwner(pOwner)
{
}

SECListClient* SECListEdit::GetOwner() const
{
    return m_pOwner;
}

UINT SECListEdit::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

void SECListEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_RETURN && !m_pOwner->IsLabelWrap())
        m_pOwner->EndLabelEdit(TRUE);
    else if (nChar == VK_ESCAPE)
        m_pOwner->EndLabelEdit(FALSE);
    else
        CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}
} // namespace tarnwick::lists
