#include "TreeCtrl.h"

#include <toolkit/foundation/VisualStyle.h>

namespace tarnwick::lists
{
namespace
{
constexpr int kBorderPart = 1;
} // namespace

IMPLEMENT_DYNAMIC(SECTreeCtrl, SECTreeBaseC)

BEGIN_MESSAGE_MAP(SECTreeCtrl, SECTreeBaseC)
SEC_TREE_MESSAGE_ENTRIES()
END_MESSAGE_MAP()

LRESULT SECTreeCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCPAINT)
    {
        OnNcPaint();
        return 0;
    }
    return SECTreeBaseC::DefWindowProc(message, wParam, lParam);
}

void SECTreeCtrl::OnNcPaint()
{
    HTHEME hTheme = m_themes.Get(m_hWnd, L"TREEVIEW");
    if (hTheme == nullptr)
        return;
    CWindowDC dc(this);
    int nState = 1;
    if (!IsWindowEnabled())
        nState = 4;
    else if (::GetFocus() == ::GetParent(m_hWnd))
        nState = 2;
    CRect window;
    GetWindowRect(&window);
    window.OffsetRect(-window.left, -window.top);
    CRect client;
    GetClientRect(&client);
    ClientToScreen(&client);
    CRect origin;
    GetWindowRect(&origin);
    client.OffsetRect(-origin.left, -origin.top);
    dc.ExcludeClipRect(&client);
    SECDrawThemeBackground(hTheme, dc.m_hDC, kBorderPart, nState, &window, nullptr);
}
} // namespace tarnwick::lists
