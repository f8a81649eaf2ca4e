#include "TreeCtrl.h"

#include <toolkit/foundation/VisualStyle.h>

namespace tarnwick::lists
{
namespace
{
// The expand and collapse keys, which type-ahead never sees.
constexpr wchar_t kExpandChars[] = L"-_=+*";
constexpr int kBorderPart = 1;
} // namespace

IMPLEMENT_DYNAMIC(SECTreeCtrl, SECTreeBaseC)

BEGIN_MESSAGE_MAP(SECTreeCtrl, SECTreeBaseC)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_TIMER()
ON_WM_CHAR()
ON_WM_DESTROY()
ON_WM_SIZE()
ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
END_MESSAGE_MAP()

SECTreeCtrl::~SECTreeCtrl()
{
    if (m_hBorderTheme != nullptr)
        SECCloseThemeData(m_hBorderTheme);
}

void SECTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!HasFocus())
        SetFocus();
    const HTREEITEM hOld = GetSelectedItem();
    UINT nHit = 0;
    const HTREEITEM hHit = HitTest(point, &nHit);
    if ((GetTreeStyle() & TVS_SINGLEEXPAND) && hOld != nullptr && hHit != nullptr)
    {
        SECListCtrl::OnLButtonDown(nFlags, point);
        const HTREEITEM hNew = GetSelectedItem();
        if (hNew != hHit)
            return;
        if (hNew == hOld)
        {
            Expand(hHit, TVE_TOGGLE, TRUE, FALSE);
            return;
        }
        // A selection outside the old item's subtree closes it.
        if (IsItemExpanded(hOld) && !HandleToNode(hOld)->IsAncestorOf(HandleToNode(hNew)))
            Expand(hOld, TVE_COLLAPSE, TRUE, FALSE);
        Expand(hNew, TVE_EXPAND, TRUE, FALSE);
        return;
    }
    if (nHit & TVHT_ONITEMBUTTON)
        Expand(hHit, TVE_TOGGLE, TRUE, FALSE);
    else
        SECListCtrl::OnLButtonDown(nFlags, point);
}

void SECTreeCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    SECListCtrl::OnLButtonDblClk(nFlags, point);
    if (GetLastNotifyAnswer() != 0)
        return;
    UINT nHit = 0;
    const HTREEITEM hHit = HitTest(point, &nHit);
    if (nFlags & (MK_SHIFT | MK_CONTROL))
        return;
    if (hHit != nullptr && (nHit & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMBUTTON)))
        Expand(hHit, TVE_TOGGLE, TRUE, FALSE);
    m_pTip->Hide();
}

void SECTreeCtrl::OnTimer(UINT_PTR nIDEvent)
{
    OnHoverTimer(nIDEvent);
    SECListCtrl::OnTimer(nIDEvent);
}

void SECTreeCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar != 0 && wcschr(kExpandChars, static_cast<wchar_t>(nChar)) != nullptr)
        return;
    SECListCtrl::OnChar(nChar, nRepCnt, nFlags);
}

void SECTreeCtrl::OnDestroy()
{
    DeleteItem(TVI_ROOT);
    SECListCtrl::OnDestroy();
}

void SECTreeCtrl::OnSize(UINT nType, int cx, int cy)
{
    SECListCtrl::OnSize(nType, cx, cy);
    // Sized while still empty, the column follows too: a tree filled later shows its heading.
    if (GetItemCount() == 0)
        AutoFitColumns();
}

LRESULT SECTreeCtrl::OnThemeChanged(WPARAM, LPARAM)
{
    // The border's theme is opened again for the new visual style.
    if (m_hBorderTheme != nullptr)
        SECCloseThemeData(m_hBorderTheme);
    m_hBorderTheme = nullptr;
    return Default();
}

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
    if (m_hBorderTheme == nullptr)
        m_hBorderTheme = SECOpenThemeData(m_hWnd, L"TREEVIEW");
    if (m_hBorderTheme == nullptr)
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
    SECDrawThemeBackground(m_hBorderTheme, dc.m_hDC, kBorderPart, nState, &window, nullptr);
}
} // namespace tarnwick::lists
