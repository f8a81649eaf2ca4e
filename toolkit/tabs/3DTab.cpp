#include "3DTab.h"

namespace tarnwick::tabs
{
IMPLEMENT_DYNCREATE(SEC3DTab, SECTab)

SEC3DTab::SEC3DTab()
{
    m_nWidth = 90;
}

SEC3DTab::~SEC3DTab()
{
    SetIcon(nullptr);
}

const CString& SEC3DTab::GetFullLabel() const
{
    return m_csFullLabel;
}

void SEC3DTab::SetLabel(const CString& label)
{
    m_csLabel = label;
    m_csFullLabel = label;
    m_nFullLabelWidth = -1;
}

void SEC3DTab::SetIcon(HICON hIcon)
{
    if (m_hIcon != nullptr)
        ::DestroyIcon(m_hIcon);
    m_hIcon = hIcon;
}
} // namespace tarnwick::tabs
