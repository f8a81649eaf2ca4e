#include "ListTip.h"

namespace tarnwick::lists
{
IMPLEMENT_DYNAMIC(SECListTip, CWnd)

SECListTip::SECListTip(SECListClient* pOwner) : m_pOwner(pOwner)
{
}

void SECListTip::Hide()
{
    if (m_hWnd != nullptr && IsWindowVisible())
        ShowWindow(SW_HIDE);
    m_nItem = -1;
    m_nColumn = -1;
}

int SECListTip::GetTipItem() const
{
    return m_nItem;
}
} // namespace tarnwick::lists
