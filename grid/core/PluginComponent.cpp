#include <grid/core/PluginComponent.h>

IMPLEMENT_DYNAMIC(CGXPluginComponent, CWnd)

CGXPluginComponent::~CGXPluginComponent()
{
    m_hWnd = nullptr;
}

BOOL CGXPluginComponent::PlugIn(CWnd* pWnd)
{
    m_hWnd = pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr;
    return TRUE;
}

BOOL CGXPluginComponent::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    m_bHandled = FALSE;
    m_bSkipDefault = FALSE;
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}
