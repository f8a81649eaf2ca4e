#include "3DTabWnd.h"

#include <toolkit/foundation/AuxData.h>

namespace tarnwick::tabs
{
namespace
{
// The style bits the tab window passes on to its strip.
constexpr DWORD STRIP_STYLE_BITS = 0xFF8;
// The classic page frame's rings from the outside in, top-left and bottom-right colours: a
// sunken edge inside a band of face colour; the thin frame keeps the middle two.
enum class FrameColor
{
    Face,
    Light,
    Shadow,
    Black
};
struct FrameRing
{
    FrameColor topLeft;
    FrameColor bottomRight;
};
constexpr FrameRing FRAME_RINGS[] = {{FrameColor::Face, FrameColor::Face},
                                     {FrameColor::Shadow, FrameColor::Light},
                                     {FrameColor::Black, FrameColor::Face},
                                     {FrameColor::Face, FrameColor::Face}};

COLORREF ToColor(FrameColor color)
{
    switch (color)
    {
    case FrameColor::Light:
        return SECGetAuxData()->clr3DLight;
    case FrameColor::Shadow:
        return ::GetSysColor(COLOR_BTNSHADOW);
    case FrameColor::Black:
        return RGB(0, 0, 0);
    default:
        return ::GetSysColor(COLOR_BTNFACE);
    }
}

bool IsTabStop(HWND hWnd)
{
    const LONG lStyle = ::GetWindowLong(hWnd, GWL_STYLE);
    return (lStyle & WS_TABSTOP) && (lStyle & WS_VISIBLE) && !(lStyle & WS_DISABLED);
}

// The first tab-stop window in the direction from hWnd on, not counting hWnd.
HWND NextTabStopSibling(HWND hWnd, UINT nDirection)
{
    for (HWND h = ::GetWindow(hWnd, nDirection); h != nullptr; h = ::GetWindow(h, nDirection))
    {
        if (IsTabStop(h))
            return h;
    }
    return nullptr;
}
} // namespace

IMPLEMENT_DYNCREATE(SEC3DTabWnd, SECTabWndBase)

BEGIN_MESSAGE_MAP(SEC3DTabWnd, SECTabWndBase)
ON_MESSAGE(TCM_TABSEL, OnTabSel)
ON_WM_NCCREATE()
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_SETFOCUS()
END_MESSAGE_MAP()

SEC3DTabWnd::SEC3DTabWnd() = default;

BOOL SEC3DTabWnd::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    const DWORD dwScroll = (dwStyle & 0x2) ? 0x2 : (dwStyle & 0x1);
    m_dwTabCtrlStyle = (dwStyle & STRIP_STYLE_BITS) | dwScroll;
    return SECTabWndBase::Create(pParentWnd, dwStyle & ~(STRIP_STYLE_BITS | 0x3), nID);
}

BOOL SEC3DTabWnd::CreateTabControl(DWORD, UINT)
{
    auto* pTabControl = new SEC3DTabControl;
    SetTabControl(pTabControl);
    return pTabControl->Create(m_dwTabCtrlStyle | WS_VISIBLE, CRect(0, 0, 0, 0), this, SEC_IDW_TABCTRL);
}

void SEC3DTabWnd::GetInsideRect(CRect& rect) const
{
    GetClientRect(&rect);
    const DWORD dwStyle = m_dwTabCtrlStyle;
    const int k = (dwStyle & TWS_NOACTIVE_GROW) && !(dwStyle & TWS_MODERN) ? -3 : 1;
    if (dwStyle & TWS_TABS_BOTTOM)
    {
        if (dwStyle & TWS_MODERN)
            rect.DeflateRect(2, 0, 2, 0);
        else
            rect.DeflateRect(6, 0, 7, 0);
        rect.top += 4;
        rect.bottom -= m_cyTabCtrl + k;
    }
    else if (dwStyle & TWS_TABS_TOP)
        rect.DeflateRect(6, m_cyTabCtrl + k, 7, 4);
    else if (dwStyle & TWS_TABS_LEFT)
        rect.DeflateRect(m_cxTabCtrl + k, 4, 7, 6);
    else
        rect.DeflateRect(6, 4, m_cxTabCtrl + k, 6);
}

CRect SEC3DTabWnd::GetStripRect(const CRect& rcPage) const
{
    CRect rcClient;
    GetClientRect(&rcClient);
    const DWORD dwStyle = m_dwTabCtrlStyle;
    const BOOL bModern = (dwStyle & TWS_MODERN) != 0;
    CRect rect;
    if (dwStyle & TWS_TABS_BOTTOM)
    {
        rect.SetRect(rcPage.left, rcPage.bottom + 1, rcPage.right, rcPage.bottom + 1 + rcClient.bottom - rcPage.bottom);
        if (bModern)
            rect.SetRect(rect.left - 1, rect.top, rect.right, rect.bottom - 2);
    }
    else if (dwStyle & TWS_TABS_TOP)
    {
        rect.SetRect(rcPage.left, rcClient.top, rcPage.right, rcPage.top);
        if (bModern)
            rect.SetRect(rect.left, rect.top + 3, rect.right, rect.bottom - 1);
    }
    else if (dwStyle & TWS_TABS_LEFT)
    {
        rect.SetRect(rcClient.left, rcPage.top, rcPage.left, rcPage.bottom);
        if (bModern)
            rect.SetRect(rect.left + 3, rect.top - 1, rect.right - 1, rect.bottom + 1);
    }
    else
    {
        rect.SetRect(rcPage.right, rcClient.top, rcClient.right, rcClient.top + rcPage.Height());
        if (bModern)
            rect.SetRect(rect.left, rect.top + 3, rect.right - 4, rect.bottom + 5);
    }
    return rect;
}

void SEC3DTabWnd::RecalcLayout()
{
    if (m_hWnd == nullptr || GetTabControl() == nullptr)
        return;
    const BOOL bHorizontal = (m_dwTabCtrlStyle & (TWS_TABS_BOTTOM | TWS_TABS_TOP)) != 0;
    m_cyTabCtrl = bHorizontal ? STRIP_THICKNESS : 0;
    m_cxTabCtrl = bHorizontal ? 0 : STRIP_THICKNESS;
    CRect rcPage;
    GetInsideRect(rcPage);
    HDWP hdwp = ::BeginDeferWindowPos(4);
    hdwp = DeferMove(hdwp, GetTabControl(), GetStripRect(rcPage), SWP_NOCOPYBITS | SWP_NOREDRAW);
    CRect rcActive = rcPage;
    rcActive.right -= 1;
    hdwp = DeferMove(hdwp, GetActivePage(), rcActive, SWP_NOCOPYBITS);
    if (hdwp != nullptr)
        ::EndDeferWindowPos(hdwp);
}

LRESULT SEC3DTabWnd::OnTabSel(WPARAM wParam, LPARAM lParam)
{
    Invalidate();
    return ForwardTabSel(wParam, lParam);
}

BOOL SEC3DTabWnd::OnNcCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (!CWnd::OnNcCreate(lpCreateStruct))
        return FALSE;
    if (CWnd* pParent = GetParent())
        pParent->ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    return TRUE;
}

void SEC3DTabWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType == SIZE_MINIMIZED || cx <= 0 || cy <= 0)
        return;
    RecalcLayout();
    if (GetTabControl() != nullptr)
        GetTabControl()->Invalidate(TRUE);
    Invalidate(FALSE);
}

BOOL SEC3DTabWnd::OnEraseBkgnd(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    CRect rcPage;
    GetInsideRect(rcPage);
    const int nSaved = pDC->SaveDC();
    if (GetTabControl() != nullptr && GetTabControl()->m_hWnd != nullptr)
    {
        CRect rcStrip;
        GetTabControl()->GetWindowRect(&rcStrip);
        ScreenToClient(&rcStrip);
        pDC->ExcludeClipRect(&rcStrip);
    }
    pDC->ExcludeClipRect(&rcPage);
    pDC->FillSolidRect(&rcClient, ::GetSysColor(COLOR_BTNFACE));
    pDC->RestoreDC(nSaved);
    return TRUE;
}

void SEC3DTabWnd::OnPaint()
{
    CPaintDC dc(this);
    if (SECTabControlBase* pStrip = GetTabControl(); pStrip != nullptr && pStrip->m_hWnd != nullptr)
    {
        CRect rcUpdate = dc.m_ps.rcPaint;
        MapWindowPoints(pStrip, &rcUpdate);
        pStrip->RedrawWindow(&rcUpdate, nullptr, RDW_INVALIDATE);
    }
    CRect rcPage;
    GetInsideRect(rcPage);
    DrawPageFrame(&dc, rcPage);
}

void SEC3DTabWnd::DrawPageFrame(CDC* pDC, const CRect& rcPage)
{
    const int nBottomShift = (m_dwTabCtrlStyle & (TWS_TABS_BOTTOM | TWS_TABS_RIGHT)) ? 1 : 0;
    if (m_dwTabCtrlStyle & TWS_MODERN)
    {
        const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
        CRect rect(rcPage.left - 1, rcPage.top - 1, rcPage.right, rcPage.bottom + nBottomShift);
        pDC->Draw3dRect(&rect, clrShadow, clrShadow);
        return;
    }
    const bool bThin = (m_dwTabCtrlStyle & TWS_THIN_FRAME) != 0;
    const int nFirst = bThin ? 1 : 0;
    const int nLast = bThin ? 2 : 3;
    for (int i = nFirst; i <= nLast; ++i)
    {
        const int nOut = 4 - i - (bThin ? 1 : 0);
        CRect rect = rcPage;
        rect.InflateRect(nOut, nOut);
        rect.bottom += nBottomShift;
        pDC->Draw3dRect(&rect, ToColor(FRAME_RINGS[i].topLeft), ToColor(FRAME_RINGS[i].bottomRight));
    }
}

void SEC3DTabWnd::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    SECTabControlBase* pStrip = GetTabControl();
    if (pStrip == nullptr || pStrip->m_hWnd == nullptr)
        return;
    HWND hNext = ::GetWindow(m_hWnd, GW_HWNDNEXT);
    CWnd* pPage = GetActivePage();
    // Shift+Tab from the sibling after this window lands on the page's last control.
    if (pOldWnd != nullptr && pOldWnd->m_hWnd == hNext && ::GetWindow(hNext, GW_HWNDNEXT) != nullptr &&
        pPage != nullptr)
    {
        pPage->SetFocus();
        pPage->SendMessage(WM_NEXTDLGCTL, 1, 0);
    }
    else
        pStrip->SetFocus();
}

BOOL SEC3DTabWnd::PageNavigation(MSG* pMsg)
{
    CWnd* pPage = GetActivePage();
    return pPage != nullptr && ::IsDialogMessage(pPage->m_hWnd, pMsg);
}

BOOL SEC3DTabWnd::NavigateTab(MSG* pMsg, BOOL bShift)
{
    CWnd* pPage = GetActivePage();
    HWND hFocus = ::GetFocus();
    const bool bInPage = pPage != nullptr && hFocus != nullptr && ::IsChild(pPage->m_hWnd, hFocus);
    if (bShift)
    {
        if (bInPage && NextTabStopSibling(hFocus, GW_HWNDPREV) == nullptr)
        {
            GetTabControl()->SetFocus();
            return TRUE;
        }
        return PageNavigation(pMsg);
    }
    if (!bInPage)
    {
        if (pPage != nullptr)
            FocusPage(pPage);
        return TRUE;
    }
    if (NextTabStopSibling(hFocus, GW_HWNDNEXT) != nullptr)
        return PageNavigation(pMsg);
    // Past the page's last control: on to the next tab stop after the tab window, or round
    // to the first one among its siblings.
    HWND hNext = NextTabStopSibling(m_hWnd, GW_HWNDNEXT);
    if (hNext == nullptr)
    {
        HWND hFirst = ::GetWindow(m_hWnd, GW_HWNDFIRST);
        hNext = IsTabStop(hFirst) ? hFirst : NextTabStopSibling(hFirst, GW_HWNDNEXT);
    }
    if (hNext == nullptr || hNext == m_hWnd)
        return PageNavigation(pMsg);
    ::SetFocus(hNext);
    return TRUE;
}

BOOL SEC3DTabWnd::PreTranslateMessage(MSG* pMsg)
{
    if (!(GetStyle() & WS_TABSTOP) || pMsg->message != WM_KEYDOWN)
        return SECTabWndBase::PreTranslateMessage(pMsg);
    if (SECTabWndBase::PreTranslateMessage(pMsg))
        return TRUE;
    const UINT nKey = static_cast<UINT>(pMsg->wParam);
    const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    const BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
    if (bCtrl && (nKey == VK_TAB || nKey == VK_PRIOR || nKey == VK_NEXT) &&
        SendMessage(WM_SEC3DTAB_CTRLKEY, 0, reinterpret_cast<LPARAM>(pMsg)) != 0)
        return TRUE;

    SECTabControlBase* pStrip = GetTabControl();
    if (pStrip != nullptr && ::GetFocus() == pStrip->m_hWnd)
    {
        UINT nArrow = 0;
        if (bCtrl && nKey == VK_TAB)
            nArrow = bShift ? VK_LEFT : VK_RIGHT;
        else if (nKey == VK_LEFT || nKey == VK_UP)
            nArrow = VK_LEFT;
        else if (nKey == VK_RIGHT || nKey == VK_DOWN)
            nArrow = VK_RIGHT;
        if (nArrow != 0)
        {
            pStrip->SendMessage(WM_KEYDOWN, nArrow, 0);
            return TRUE;
        }
    }
    if (nKey == VK_TAB && !bCtrl)
        return NavigateTab(pMsg, bShift);
    CWnd* pFocus = CWnd::FromHandlePermanent(::GetFocus());
    return pFocus != nullptr && pFocus != this && pFocus->PreTranslateMessage(pMsg);
}
} // namespace tarnwick::tabs
