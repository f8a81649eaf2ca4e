#include "Tab.h"

namespace tarnwick::tabs
{
IMPLEMENT_DYNCREATE(SECTab, CObject)

const CString& SECTab::GetFullLabel() const
{
    return m_csLabel;
}

void SECTab::SetLabel(const CString& label)
{
    m_csLabel = label;
}
} // namespace tarnwick::tabs
