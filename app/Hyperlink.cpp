#include <app/Hyperlink.h>

#include <app/resource.h>

#include <shellapi.h>
#include <windowsx.h>

HINSTANCE(WINAPI* SECHyperlink::s_pfnShellExecute)(HWND, LPCTSTR, LPCTSTR, LPCTSTR, LPCTSTR, INT) = &::ShellExecute;

SECHyperlink::SECHyperlink()
    : m_strVerb(_T("open")), m_nShowCommand(SW_SHOWNORMAL), m_clrLink(RGB(0, 0, 0xFF)), m_clrVisited(RGB(0, 0, 0x80)),
      m_bOption(TRUE), m_bVisited(FALSE), m_bAutoSize(FALSE), m_hFont(nullptr), m_hPreviousCursor(nullptr),
      m_hLinkCursor(nullptr)
{
}

SECHyperlink::~SECHyperlink() = default;

BOOL SECHyperlink::Create(HWND hWndParent, const RECT& rect, UINT nID, DWORD dwExStyle, DWORD dwStyle)
{
    if (!::IsWindow(hWndParent))
        return FALSE;
    RECT rc = rect;
    CWindowImpl::Create(hWndParent, rc, nullptr, dwStyle, dwExStyle, nID);
    return IsWindow();
}

BOOL SECHyperlink::ProcessWindowMessage(HWND, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult, DWORD)
{
    lResult = 0;
    switch (uMsg)
    {
    case WM_MOUSEMOVE:
        OnMouseMove(lParam);
        return TRUE;
    case WM_LBUTTONUP:
        OnLButtonUp(lParam);
        return TRUE;
    case WM_PAINT:
        OnPaint(reinterpret_cast<HDC>(wParam));
        return TRUE;
    case WM_ERASEBKGND:
        // The dialog's background shows through.
        return TRUE;
    default:
        return FALSE;
    }
}

bool SECHyperlink::IsInside(LPARAM lParam) const
{
    RECT rcClient;
    GetClientRect(&rcClient);
    const POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return ::PtInRect(&rcClient, pt) != FALSE;
}

void SECHyperlink::OnMouseMove(LPARAM lParam)
{
    if (!IsInside(lParam))
    {
        if (m_hPreviousCursor != nullptr)
            ::SetCursor(m_hPreviousCursor);
        ::ReleaseCapture();
        return;
    }
    // The capture tells when the pointer leaves.
    ::SetCapture(m_hWnd);
    const HCURSOR hLink =
        m_hLinkCursor != nullptr ? m_hLinkCursor : ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(IDC_LINK_HAND));
    const HCURSOR hReplaced = ::SetCursor(hLink);
    // Further moves over the link replace the link cursor itself, which must not come back
    // when the pointer leaves.
    if (hReplaced != hLink)
        m_hPreviousCursor = hReplaced;
}

void SECHyperlink::OnLButtonUp(LPARAM lParam)
{
    if (!IsInside(lParam))
        return;
    s_pfnShellExecute(m_hWnd, m_strVerb, m_strTarget, m_strParameters, m_strDirectory, m_nShowCommand);
    m_bVisited = TRUE;
    Invalidate(TRUE);
}

void SECHyperlink::OnPaint(HDC hDC)
{
    PAINTSTRUCT ps{};
    const HDC hPaintDC = hDC != nullptr ? hDC : ::BeginPaint(m_hWnd, &ps);
    const int nSaved = ::SaveDC(hPaintDC);
    if (m_hFont != nullptr)
        ::SelectObject(hPaintDC, m_hFont);
    ::SetTextColor(hPaintDC, m_bVisited ? m_clrVisited : m_clrLink);
    if (m_bAutoSize)
    {
        SIZE size{};
        ::GetTextExtentPoint32(hPaintDC, m_strText, m_strText.GetLength(), &size);
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::SetBkMode(hPaintDC, TRANSPARENT);
    ::TextOut(hPaintDC, 0, 0, m_strText, m_strText.GetLength());
    ::RestoreDC(hPaintDC, nSaved);
    if (hDC == nullptr)
        ::EndPaint(m_hWnd, &ps);
}

LPCTSTR SECHyperlink::SetTarget(LPCTSTR lpszTarget)
{
    m_strTarget = lpszTarget;
    return m_strTarget;
}

LPCTSTR SECHyperlink::GetTarget() const
{
    return m_strTarget;
}

LPCTSTR SECHyperlink::SetVerb(LPCTSTR lpszVerb)
{
    m_strVerb = lpszVerb;
    return m_strVerb;
}

LPCTSTR SECHyperlink::GetVerb() const
{
    return m_strVerb;
}

LPCTSTR SECHyperlink::SetParameters(LPCTSTR lpszParameters)
{
    m_strParameters = lpszParameters;
    return m_strParameters;
}

LPCTSTR SECHyperlink::GetParameters() const
{
    return m_strParameters;
}

LPCTSTR SECHyperlink::SetDirectory(LPCTSTR lpszDirectory)
{
    m_strDirectory = lpszDirectory;
    return m_strDirectory;
}

LPCTSTR SECHyperlink::GetDirectory() const
{
    return m_strDirectory;
}

int SECHyperlink::SetShowCommand(int nShowCommand)
{
    return m_nShowCommand = nShowCommand;
}

int SECHyperlink::GetShowCommand() const
{
    return m_nShowCommand;
}

LPCTSTR SECHyperlink::GetText() const
{
    return m_strText;
}

LPCTSTR SECHyperlink::SetText(LPCTSTR lpszText)
{
    m_strText = lpszText;
    return m_strText;
}

COLORREF SECHyperlink::SetLinkColor(COLORREF clrLink)
{
    return m_clrLink = clrLink;
}

COLORREF SECHyperlink::GetLinkColor() const
{
    return m_clrLink;
}

COLORREF SECHyperlink::SetVisitedColor(COLORREF clrVisited)
{
    return m_clrVisited = clrVisited;
}

COLORREF SECHyperlink::GetVisitedColor() const
{
    return m_clrVisited;
}

BOOL SECHyperlink::SetVisited(BOOL bVisited)
{
    return m_bVisited = bVisited;
}

BOOL SECHyperlink::GetVisited() const
{
    return m_bVisited;
}

HFONT SECHyperlink::SetLinkFont(HFONT hFont)
{
    return m_hFont = hFont;
}

HFONT SECHyperlink::GetLinkFont() const
{
    return m_hFont;
}

HCURSOR SECHyperlink::SetLinkCursor(HCURSOR hCursor)
{
    return m_hLinkCursor = hCursor;
}

HCURSOR SECHyperlink::GetLinkCursor() const
{
    return m_hLinkCursor;
}

BOOL SECHyperlink::SetAutoSize(BOOL bAutoSize)
{
    return m_bAutoSize = bAutoSize;
}

BOOL SECHyperlink::GetAutoSize() const
{
    return m_bAutoSize;
}

BOOL SECHyperlink::SetOption(BOOL bOption)
{
    return m_bOption = bOption;
}

BOOL SECHyperlink::GetOption() const
{
    return m_bOption;
}
