#include "ListEdit.h"

namespace tarnwick::lists
{
IMPLEMENT_DYNAMIC(SECListEdit, CEdit)

BEGIN_MESSAGE_MAP(SECListEdit, CEdit)
ON_WM_GETDLGCODE()
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
} // namespace tarnwick::lists
