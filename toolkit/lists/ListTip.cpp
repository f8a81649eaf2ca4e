#include "ListTip.h"

#include "ListBaseC.h"

#include <windowsx.h>

#include <algorithm>

namespace tarnwick::lists
{
namespace
{
constexpr UINT kTipClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC | CS_SAVEBITS;
constexpr DWORD kTipStyle = WS_POPUP | WS_BORDER;
static_assert(kTipClassStyle == 0x82b && kTipStyle == 0x80800000);
constexpr UINT kOwnerRepaint = RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME;
constexpr UINT kTipTextFormat = DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE | DT_VCENTER;
static_assert(kOwnerRepaint == 0x501);
constexpr int kBoundsInset = 5;  // the cell's right edge is taken this far in
constexpr int kLabelWiden = 2;   // each side
constexpr int kTextLeft = 2;
constexpr int kMaxTipText = 259; // characters drawn of the first line
constexpr UINT kBoldState = 0x10;
constexpr UINT kBoldQueryMask = 0x18;
// Non-client mouse messages become client ones this far up.
constexpr UINT kNcToClient = WM_MOUSEMOVE - WM_NCMOUSEMOVE;
static_assert(kNcToClient == 0x160);
} // namespace

IMPLEMENT_DYNAMIC(SECListTip, CWnd)

BEGIN_MESSAGE_MAP(SECListTip, CWnd)
ON_WM_PAINT()
ON_WM_DESTROY()
ON_WM_TIMER()
ON_MESSAGE(WM_GETFONT, OnGetFont)
END_MESSAGE_MAP()

SECListTip::SECListTip(SECListClient* pOwner) : m_pOwner(pOwner)
{
}

int SECListTip::GetTipItem() const
{
    return m_nItem;
}

void SECListTip::Hide()
{
    if (m_hWnd != nullptr && IsWindowVisible())
    {
        ShowWindow(SW_HIDE);
        ::RedrawWindow(m_pOwner->GetWnd(), &m_rcCell, nullptr, kOwnerRepaint);
        KillTimer(TimerId);
    }
    m_nItem = -1;
    m_nColumn = -1;
    m_rcCell.SetRectEmpty();
    const HWND hOwner = m_pOwner->GetWnd();
    if (hOwner != nullptr && ::GetCapture() == hOwner)
        ::ReleaseCapture();
}

BOOL SECListTip::IsCutOff(UINT nHitFlags, int nItem, int nColumn, int nSubItem, CRect& rcCell, CRect& rcLabel) const
{
    const BOOL bOnText = (nHitFlags & LHT_ONLABEL) || ((nHitFlags & LHT_ONROW) && nSubItem > 0);
    if (!bOnText || nItem == -1 || nColumn == -1 || ::GetActiveWindow() == nullptr)
        return FALSE;
    if (!m_pOwner->GetCellRect(nItem, nColumn, rcCell, 0) || !m_pOwner->GetCellRect(nItem, nColumn, rcLabel, 2))
        return FALSE;
    CRect inside;
    m_pOwner->GetInsideRect(inside);
    const int nRight = std::min<int>(inside.Width(), rcCell.right - kBoundsInset);
    return rcLabel.right > nRight || (rcLabel.left < inside.left && rcLabel.right > inside.left);
}

void SECListTip::Show(UINT nHitFlags, int nItem, int nColumn, int /*x*/, int /*y*/)
{
    if (m_hWnd == nullptr)
    {
        LPCTSTR lpszClass = AfxRegisterWndClass(kTipClassStyle, ::LoadCursor(nullptr, IDC_ARROW));
        if (!CreateEx(0, lpszClass, L"", kTipStyle, 0, 0, 0, 0, m_pOwner->GetWnd(), nullptr))
            return;
    }
    const int nSubItem = nColumn == -1 ? -1 : m_pOwner->GetColumnSubItem(nColumn);
    CRect rcCell;
    CRect rcLabel;
    if (!IsCutOff(nHitFlags, nItem, nColumn, nSubItem, rcCell, rcLabel))
    {
        Hide();
        return;
    }
    if (nItem == m_nItem && nColumn == m_nColumn)
        return;
    Hide();
    rcLabel.InflateRect(kLabelWiden, 0);
    m_nItem = nItem;
    m_nColumn = nColumn;
    m_rcCell = rcCell;
    const CString strLabel = m_pOwner->GetItemTextString(nItem, nSubItem);
    int nLength = strLabel.Find(L'\n');
    if (nLength < 0)
        nLength = strLabel.GetLength();
    m_strText = strLabel.Left(std::min(nLength, kMaxTipText));
    if (m_strText.IsEmpty())
        return;
    SetWindowText(m_strText);
    m_hFont = ChooseFont(nItem);
    CPoint topLeft = rcLabel.TopLeft();
    m_pOwner->ClientToScreen(topLeft);
    SetWindowPos(&wndTop, topLeft.x - 1, topLeft.y, rcLabel.Width() + 3, rcCell.Height(), SWP_NOACTIVATE);
    ShowWindow(SW_SHOWNOACTIVATE);
    SetTimer(TimerId, TimerPeriod, nullptr);
    m_pOwner->SetCapture(TRUE);
    UpdateWindow();
}

void SECListTip::Refresh()
{
    if (m_hWnd != nullptr && IsWindowVisible())
    {
        Invalidate();
        UpdateWindow();
    }
}

void SECListTip::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != TimerId)
    {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    const HWND hOwner = m_pOwner->GetWnd();
    CPoint point;
    ::GetCursorPos(&point);
    ::ScreenToClient(hOwner, &point);
    CRect client;
    ::GetClientRect(hOwner, &client);
    if (!client.PtInRect(point))
        Hide();
}

void SECListTip::OnDestroy()
{
    CWnd::OnDestroy();
    m_nItem = -1;
}

BOOL SECListTip::PreTranslateMessage(MSG* pMsg)
{
    const UINT message = pMsg->message;
    const BOOL bClient = message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK;
    const BOOL bNonClient = message >= WM_NCLBUTTONDOWN && message <= WM_NCMBUTTONDBLCLK;
    const HWND hOwner = m_pOwner->GetWnd();
    if ((!bClient && !bNonClient) || hOwner == nullptr)
        return CWnd::PreTranslateMessage(pMsg);
    CPoint point(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
    if (bClient)
        ::ClientToScreen(pMsg->hwnd, &point);
    ::ScreenToClient(hOwner, &point);
    if (bNonClient)
    {
        pMsg->wParam = message == WM_NCLBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON;
        pMsg->message = message + kNcToClient;
    }
    pMsg->lParam = MAKELPARAM(point.x, point.y);
    pMsg->hwnd = hOwner;
    ::DispatchMessage(pMsg);
    return TRUE;
}

HFONT SECListTip::ChooseFont(int nItem)
{
    const HFONT hFont = m_pOwner->GetItemFont();
    if (!(m_pOwner->QueryItemState(nItem, kBoldQueryMask) & kBoldState))
        return hFont;
    LOGFONTW lf = {};
    if (::GetObjectW(hFont, sizeof(lf), &lf) == 0)
        return hFont;
    lf.lfWeight = FW_BOLD;
    m_boldFont.DeleteObject();
    return m_boldFont.CreateFontIndirect(&lf) ? static_cast<HFONT>(m_boldFont.GetSafeHandle()) : hFont;
}

LRESULT SECListTip::OnGetFont(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(m_hFont);
}

void SECListTip::OnPaint()
{
    CPaintDC dc(this);
    if (m_nItem == -1)
        return;
    const BOOL bSelected = m_pOwner->IsItemSelected(m_nItem);
    const COLORREF crText = bSelected ? m_pOwner->GetSelTextColor() : m_pOwner->GetTipTextColor();
    const COLORREF crBk = bSelected ? m_pOwner->GetSelBkColor() : m_pOwner->GetTipBkColor();
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, crBk);
    const HGDIOBJ hOldFont = ::SelectObject(dc.m_hDC, m_hFont);
    dc.SetTextColor(crText);
    dc.SetBkMode(TRANSPARENT);
    client.left += kTextLeft;
    ::DrawTextW(dc.m_hDC, m_strText, m_strText.GetLength(), &client, kTipTextFormat);
    ::SelectObject(dc.m_hDC, hOldFont);
}
} // namespace tarnwick::lists
