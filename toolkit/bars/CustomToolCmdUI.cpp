// SECCustomToolCmdUI: the button's style bits through its bar.
#include <toolkit/bars/CustomToolCmdUI.h>

#include <toolkit/bars/CustomToolBar.h>

namespace tarnwick::bars
{
void SECCustomToolCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    auto* pBar = static_cast<SECCustomToolBar*>(m_pOther);
    const int nIndex = static_cast<int>(m_nIndex);
    UINT nStyle = pBar->GetButtonStyle(nIndex) & ~TBBS_DISABLED;
    if (!bOn)
        nStyle |= TBBS_DISABLED;
    pBar->SetButtonStyle(nIndex, nStyle);
}

void SECCustomToolCmdUI::SetCheck(int nCheck)
{
    auto* pBar = static_cast<SECCustomToolBar*>(m_pOther);
    const int nIndex = static_cast<int>(m_nIndex);
    UINT nStyle = (pBar->GetButtonStyle(nIndex) & ~(TBBS_CHECKED | TBBS_INDETERMINATE)) | TBBS_CHECKBOX;
    if (nCheck == 1)
        nStyle |= TBBS_CHECKED;
    else if (nCheck == 2)
        nStyle |= TBBS_INDETERMINATE;
    pBar->SetButtonStyle(nIndex, nStyle);
}

void SECCustomToolCmdUI::SetText(LPCTSTR)
{
}
} // namespace tarnwick::bars
