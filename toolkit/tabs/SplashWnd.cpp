#include "SplashWnd.h"

namespace tarnwick::tabs
{
IMPLEMENT_DYNAMIC(SECSplashWnd, CWnd)

BEGIN_MESSAGE_MAP(SECSplashWnd, CWnd)
ON_WM_TIMER()
ON_WM_CLOSE()
ON_WM_PAINT()
ON_MESSAGE(WM_QUERYNEWPALETTE, OnQueryNewPalette)
ON_MESSAGE(WM_PALETTECHANGED, OnPaletteChanged)
END_MESSAGE_MAP()

SECSplashWnd::SECSplashWnd(UINT nBitmapID, UINT nTimeout, BOOL bDeferStart, BOOL bTopMost)
    : m_bTopMost(bTopMost), m_bDeferStart(bDeferStart), m_nTimeout(nTimeout), m_nBitmapID(nBitmapID)
{
}

SECSplashWnd::~SECSplashWnd() = default;

BOOL SECSplashWnd::Create(CWnd* pParent, DWORD dwStyle, DWORD dwExStyle)
{
    dwExStyle &= ~static_cast<DWORD>(WS_EX_TOOLWINDOW);
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_CLASSDC);
    m_pOwner = pParent != nullptr ? pParent : AfxGetMainWnd();
    if (m_pOwner == nullptr && !m_bCustomTitle)
    {
        // Without an owner the splash would get a taskbar button; a hidden tool window owns it.
        CString strParent;
        strParent.LoadString(IDS_SEC_SPLASHWND_PARENT);
        m_hWndHiddenOwner = ::CreateWindowExW(WS_EX_TOOLWINDOW, lpszClass, strParent, WS_POPUP, 0, 0, 0, 0, nullptr,
                                              nullptr, AfxGetInstanceHandle(), nullptr);
        dwExStyle |= WS_EX_TOPMOST;
    }

    // A bitmap that cannot be loaded leaves an empty 0 x 0 window that still closes on time.
    CBitmap bitmap;
    bitmap.Attach(
        ::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_nBitmapID), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP bm = {};
    if (bitmap.GetSafeHandle() != nullptr && bitmap.GetObject(sizeof(bm), &bm) != 0)
    {
        m_cxBitmap = bm.bmWidth;
        m_cyBitmap = bm.bmHeight;
    }
    const int x = (::GetSystemMetrics(SM_CXSCREEN) - m_cxBitmap) / 2;
    const int y = (::GetSystemMetrics(SM_CYSCREEN) - m_cyBitmap) / 2;

    if (m_bTopMost)
        dwExStyle |= WS_EX_TOPMOST;
    CString strTitle = m_strTitle;
    if (m_bCustomTitle)
        dwExStyle |= WS_EX_APPWINDOW;
    else
        strTitle.LoadString(IDS_SEC_SPLASHWND);

    HWND hWndOwner = m_pOwner != nullptr ? m_pOwner->GetSafeHwnd() : m_hWndHiddenOwner;
    if (!CreateEx(dwExStyle, lpszClass, strTitle, dwStyle & ~WS_VISIBLE, x, y, m_cxBitmap, m_cyBitmap, hWndOwner,
                  nullptr))
        return FALSE;

    if (bitmap.GetSafeHandle() != nullptr)
    {
        CClientDC dc(this);
        if (m_image.CreateFromBitmap(&dc, &bitmap) && m_image.GetPalette() != nullptr)
        {
            dc.SelectPalette(m_image.GetPalette(), FALSE);
            dc.RealizePalette();
        }
    }
    if (!m_bDeferStart)
        m_nTimer = SetTimer(TimerId, m_nTimeout, nullptr);
    if (dwStyle & WS_VISIBLE)
    {
        ShowWindow(SW_SHOW);
        UpdateWindow();
    }
    return TRUE;
}

void SECSplashWnd::SetTitle(LPCTSTR lpszTitle)
{
    m_bCustomTitle = TRUE;
    m_strTitle = lpszTitle;
}

void SECSplashWnd::Close()
{
    SendMessage(WM_CLOSE);
}

BOOL SECSplashWnd::StartTimeout()
{
    return SetTimeout(m_nTimeout);
}

BOOL SECSplashWnd::SetTimeout(UINT nMilliseconds)
{
    m_nTimeout = nMilliseconds;
    if (m_hWnd != nullptr)
        m_nTimer = SetTimer(TimerId, m_nTimeout, nullptr);
    m_bDeferStart = FALSE;
    return TRUE;
}

void SECSplashWnd::DisableParent(BOOL bDisable)
{
    if (m_pOwner == nullptr || m_pOwner->GetSafeHwnd() == nullptr)
        return;
    m_bOwnerDisabled = bDisable;
    m_pOwner->EnableWindow(!bDisable);
    if (m_hWnd != nullptr)
        EnableWindow(TRUE);
}

void SECSplashWnd::SetTopMost(BOOL bTopMost)
{
    m_bTopMost = bTopMost;
    if (m_hWnd != nullptr)
        SetWindowPos(bTopMost ? &CWnd::wndTopMost : &CWnd::wndNoTopMost, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void SECSplashWnd::SetCloseOnInput(BOOL bClose)
{
    m_bCloseOnInput = bClose;
}

void SECSplashWnd::DrawOverlay(CDC*, const CRect&)
{
}

HWND SECSplashWnd::GetHiddenOwner() const
{
    return m_hWndHiddenOwner;
}

BOOL SECSplashWnd::PreTranslateMessage(MSG* pMsg)
{
    if (!m_bDeferStart && m_bCloseOnInput)
    {
        switch (pMsg->message)
        {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
            PostMessage(WM_CLOSE);
            return TRUE;
        default:
            break;
        }
    }
    return CWnd::PreTranslateMessage(pMsg);
}

void SECSplashWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == m_nTimer && m_nTimer != 0)
        PostMessage(WM_CLOSE);
    else
        CWnd::OnTimer(nIDEvent);
}

void SECSplashWnd::OnClose()
{
    if (m_nTimer != 0)
        KillTimer(m_nTimer);
    m_nTimer = 0;
    if (m_hWndHiddenOwner != nullptr)
        ::PostMessageW(m_hWndHiddenOwner, WM_CLOSE, 0, 0);
    if (m_bOwnerDisabled && m_pOwner != nullptr && ::IsWindow(m_pOwner->GetSafeHwnd()))
        m_pOwner->EnableWindow(TRUE);
    CWnd::OnClose();
}

void SECSplashWnd::Paint(CDC* pDC)
{
    CPalette* pOldPalette = nullptr;
    if (m_image.GetPalette() != nullptr)
    {
        pOldPalette = pDC->SelectPalette(m_image.GetPalette(), TRUE);
        pDC->RealizePalette();
    }
    m_image.StretchDIBits(pDC, 0, 0, static_cast<int>(m_image.GetWidth()), static_cast<int>(m_image.GetHeight()));
    if (pOldPalette != nullptr)
        pDC->SelectPalette(pOldPalette, TRUE);
    CRect rect;
    GetClientRect(&rect);
    DrawOverlay(pDC, rect);
}

void SECSplashWnd::OnPaint()
{
    CPaintDC dc(this);
    Paint(&dc);
}

BOOL SECSplashWnd::RealizeSplashPalette(BOOL bBackground)
{
    if (m_image.GetPalette() == nullptr)
        return FALSE;
    CClientDC dc(this);
    CPalette* pOld = dc.SelectPalette(m_image.GetPalette(), bBackground);
    const UINT nChanged = dc.RealizePalette();
    dc.SelectPalette(pOld, TRUE);
    if (nChanged == 0)
        return FALSE;
    Invalidate(TRUE);
    return TRUE;
}

LRESULT SECSplashWnd::OnQueryNewPalette(WPARAM, LPARAM)
{
    return RealizeSplashPalette(FALSE);
}

LRESULT SECSplashWnd::OnPaletteChanged(WPARAM wParam, LPARAM)
{
    const HWND hWndChanger = reinterpret_cast<HWND>(wParam);
    if (hWndChanger == m_hWnd || ::IsChild(m_hWnd, hWndChanger))
        return FALSE;
    return RealizeSplashPalette(TRUE);
}

void SECSplashWnd::PostNcDestroy()
{
    delete this;
}
} // namespace tarnwick::tabs
