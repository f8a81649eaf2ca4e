// SECCustomStatusBar: pane formats and the owner drawing of the panes.
#include <toolkit/bars/CustomStatusBar.h>

#include <afxpriv.h>
#include <toolkit/bars/ProgressCtrl.h>

namespace tarnwick::bars
{
IMPLEMENT_DYNAMIC(SECCustomStatusBar, SECStatusBar)

namespace
{
constexpr UINT FORMAT_FLAGS = SBP_TEXTALIGN | SBP_FOREGROUND | SBP_BACKGROUND | SBP_BITMAP | SBP_CURSOR;
constexpr UINT ID_PROGRESS_PANE = 1;
} // namespace

BEGIN_MESSAGE_MAP(SECCustomStatusBar, SECStatusBar)
ON_WM_SETCURSOR()
ON_WM_DRAWITEM_REFLECT()
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_WM_SIZE()
ON_MESSAGE(WM_SETFONT, OnSetFont)
END_MESSAGE_MAP()

SECCustomStatusBar::SECCustomStatusBar() = default;

SECCustomStatusBar::~SECCustomStatusBar() = default;

BOOL SECCustomStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    const BOOL bResult = SECStatusBar::SetIndicators(lpIDArray, nIDCount);
    m_formats.assign(static_cast<size_t>(GetCount()), PaneFormat{});
    m_paneWnds.assign(static_cast<size_t>(GetCount()), nullptr);
    m_paneWndFlags.assign(static_cast<size_t>(GetCount()), 0);
    for (int i = 0; i < GetCount(); ++i)
        SetPaneStyle(i, GetPaneStyle(i) | SBPS_OWNERDRAW);
    return bResult;
}

void SECCustomStatusBar::SetPaneInfoEx(const SECPaneInfo& info, BOOL bSizeToBitmap)
{
    UINT nID = 0;
    UINT nStyle = 0;
    int cxWidth = 0;
    GetPaneInfo(info.iIndex, nID, nStyle, cxWidth);
    if (info.uMask & SBP_ID)
        nID = info.nID;
    if (info.uMask & SBP_STYLE)
        nStyle = info.nStyle;
    int cyBitmap = 0;
    if (info.uMask & SBP_WIDTH)
        cxWidth = info.cxWidth;
    else if (bSizeToBitmap && (info.uMask & SBP_BITMAP) && info.hBitmap != nullptr)
    {
        BITMAP bm{};
        ::GetObject(info.hBitmap, sizeof(bm), &bm);
        cxWidth = bm.bmWidth;
        cyBitmap = bm.bmHeight;
    }
    SetPaneInfo(info.iIndex, nID, nStyle | SBPS_OWNERDRAW, cxWidth);
    if (info.uMask & SBP_TEXT)
        SetPaneText(info.iIndex, info.strText);
    PaneFormat& format = m_formats[static_cast<size_t>(info.iIndex)];
    if (info.uMask & SBP_TEXTALIGN)
        format.nAlign = info.nTextAlign;
    if (info.uMask & SBP_FOREGROUND)
        format.crText = info.crTextForeground;
    if (info.uMask & SBP_BACKGROUND)
        format.crBack = info.crTextBackground;
    if (info.uMask & SBP_BITMAP)
        format.hBitmap = info.hBitmap;
    if (info.uMask & SBP_CURSOR)
        format.hCursor = info.hCursor;
    format.nFlags = info.uMask & FORMAT_FLAGS;
    if (cyBitmap > 0)
    {
        // A taller bitmap makes the bar taller: the frame lays out again.
        int borders[3] = {0, 0, 0};
        SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
        SendMessage(SB_SETMINHEIGHT, cyBitmap + 2 * borders[1]);
        if (CFrameWnd* pFrame = GetParentFrame())
        {
            CRect rect;
            pFrame->GetClientRect(rect);
            pFrame->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rect.Width(), rect.Height()));
        }
    }
    if (info.uMask & SBP_WIDTH)
        PositionPaneWindows();
    CRect rect;
    GetItemRect(info.iIndex, rect);
    InvalidateRect(rect);
}

void SECCustomStatusBar::GetPaneInfoEx(SECPaneInfo& info) const
{
    if (info.uMask & (SBP_ID | SBP_STYLE | SBP_WIDTH))
        GetPaneInfo(info.iIndex, info.nID, info.nStyle, info.cxWidth);
    if (info.uMask & SBP_TEXT)
        info.strText = GetPaneText(info.iIndex);
    const PaneFormat& format = m_formats[static_cast<size_t>(info.iIndex)];
    if (info.uMask & SBP_TEXTALIGN)
        info.nTextAlign = format.nAlign;
    if (info.uMask & SBP_FOREGROUND)
        info.crTextForeground = format.crText;
    if (info.uMask & SBP_BACKGROUND)
        info.crTextBackground = format.crBack;
    if (info.uMask & SBP_BITMAP)
        info.hBitmap = format.hBitmap;
    if (info.uMask & SBP_CURSOR)
        info.hCursor = format.hCursor;
}

int SECCustomStatusBar::PaneFromPoint(CPoint point) const
{
    for (int i = 0; i < GetCount(); ++i)
    {
        CRect rect;
        GetItemRect(i, rect);
        if (rect.PtInRect(point))
            return i;
    }
    return -1;
}

void SECCustomStatusBar::OnDrawItemReflect(LPDRAWITEMSTRUCT lpDIS)
{
    DrawItem(lpDIS);
}

void SECCustomStatusBar::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    const int nIndex = static_cast<int>(lpDIS->itemID);
    if (nIndex < 0 || nIndex >= GetCount() || (GetPaneStyle(nIndex) & SBPS_DISABLED))
        return;
    // The progress pane covers every pane but the label's.
    if (m_pProgress != nullptr && nIndex != 0)
        return;
    const PaneFormat& format = m_formats[static_cast<size_t>(nIndex)];
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const CRect rect(lpDIS->rcItem);
    if (format.nFlags & SBP_BITMAP)
    {
        CDC dcBitmap;
        if (!dcBitmap.CreateCompatibleDC(pDC))
            return;
        const HGDIOBJ hOld = ::SelectObject(dcBitmap.m_hDC, format.hBitmap);
        BITMAP bm{};
        ::GetObject(format.hBitmap, sizeof(bm), &bm);
        pDC->BitBlt(rect.left, rect.top, bm.bmWidth, bm.bmHeight, &dcBitmap, 0, 0, SRCCOPY);
        ::SelectObject(dcBitmap.m_hDC, hOld);
        return;
    }
    const int nSaved = pDC->SaveDC();
    pDC->SelectObject(CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT))));
    if (format.nFlags & SBP_FOREGROUND)
        pDC->SetTextColor(format.crText);
    UINT nOptions = ETO_CLIPPED;
    if (format.nFlags & SBP_BACKGROUND)
    {
        pDC->SetBkColor(format.crBack);
        nOptions |= ETO_OPAQUE;
    }
    else
        pDC->SetBkMode(TRANSPARENT);
    int x = rect.left + 1;
    if (format.nFlags & SBP_TEXTALIGN)
    {
        pDC->SetTextAlign(format.nAlign);
        if (format.nAlign == TA_RIGHT)
            x = rect.right - 1;
        else if (format.nAlign == TA_CENTER)
            x = rect.CenterPoint().x;
    }
    const CString strText = GetPaneText(nIndex);
    const CSize sizeText = pDC->GetTextExtent(strText);
    pDC->ExtTextOut(x, rect.top + (rect.Height() - sizeText.cy) / 2, nOptions, rect, strText, nullptr);
    pDC->RestoreDC(nSaved);
}

BOOL SECCustomStatusBar::InitProgressPane(LPCTSTR lpszText, int nLower, int nUpper, BOOL bResetPos,
                                          DWORD dwProgressStyle, int nStep)
{
    CRect rect;
    GetClientRect(rect);
    const BOOL bNew = m_pProgress == nullptr;
    if (bNew)
    {
        auto pProgress = std::make_unique<SECProgressCtrl>();
        if (!pProgress->Create(WS_CHILD, rect, this, ID_PROGRESS_PANE, dwProgressStyle))
            return FALSE;
        m_pProgress = std::move(pProgress);
    }
    else
        m_pProgress->SetProgressStyle(dwProgressStyle);
    if (nStep != 10)
        m_pProgress->SetStep(nStep);
    if (lpszText != nullptr)
    {
        const PaneFormat& format = m_formats[0];
        if (m_pSavedPane0 == nullptr)
        {
            // What the label changes; the colours only where pane 0 had them set.
            m_pSavedPane0 = std::make_unique<SECPaneInfo>();
            m_pSavedPane0->iIndex = 0;
            m_pSavedPane0->uMask = SBP_ID | SBP_STYLE | SBP_WIDTH | SBP_TEXT | SBP_TEXTALIGN |
                                   (format.nFlags & (SBP_FOREGROUND | SBP_BACKGROUND));
            GetPaneInfoEx(*m_pSavedPane0);
        }
        SECPaneInfo label;
        label.iIndex = 0;
        label.uMask =
            SBP_STYLE | SBP_WIDTH | SBP_TEXT | SBP_TEXTALIGN | (format.nFlags & (SBP_FOREGROUND | SBP_BACKGROUND));
        label.nStyle = SBPS_NOBORDERS;
        label.nTextAlign = TA_LEFT;
        label.crTextForeground = m_pSavedPane0->crTextForeground;
        label.crTextBackground = m_pSavedPane0->crTextBackground;
        label.strText = CString(lpszText) + _T(" ");
        {
            CClientDC dc(this);
            CFont* pOldFont = dc.SelectObject(GetBarFont());
            label.cxWidth = dc.GetTextExtent(label.strText).cx;
            dc.SelectObject(pOldFont);
        }
        SetPaneInfoEx(label, TRUE);
        int borders[3] = {0, 0, 0};
        SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
        rect.left += label.cxWidth + 1 + 2 * (borders[0] + borders[2]);
    }
    m_pProgress->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                              SWP_NOZORDER | SWP_NOACTIVATE | (bNew ? SWP_SHOWWINDOW : 0));
    m_pProgress->SetRange(nLower, nUpper);
    if (bResetPos)
        m_pProgress->SetPos(nLower, TRUE);
    return TRUE;
}

void SECCustomStatusBar::CloseProgressPane()
{
    if (m_pProgress != nullptr)
    {
        m_pProgress->DestroyWindow();
        m_pProgress.reset();
    }
    if (m_pSavedPane0 != nullptr)
    {
        SetPaneInfoEx(*m_pSavedPane0);
        m_pSavedPane0.reset();
    }
    Invalidate();
}

void SECCustomStatusBar::SetProgressPos(int nPos)
{
    if (m_pProgress != nullptr)
        m_pProgress->SetPos(nPos, TRUE);
}

LRESULT SECCustomStatusBar::OnSetText(WPARAM wParam, LPARAM lParam)
{
    // The progress pane keeps pane 0's label while it is open.
    if (m_pProgress != nullptr)
        return 0;
    return SECStatusBar::OnSetText(wParam, lParam);
}

void SECCustomStatusBar::ShowPaneWindows(BOOL bShow)
{
    for (HWND hWnd : m_paneWnds)
        if (hWnd != nullptr && ::IsWindow(hWnd))
            ::ShowWindow(hWnd, bShow ? SW_SHOWNA : SW_HIDE);
}

void SECCustomStatusBar::PositionPaneWindows()
{
    for (int i = 0; i < static_cast<int>(m_paneWnds.size()); ++i)
    {
        const HWND hWnd = m_paneWnds[static_cast<size_t>(i)];
        if (hWnd == nullptr || !::IsWindow(hWnd))
            continue;
        const UINT nFlags = m_paneWndFlags[static_cast<size_t>(i)];
        CRect rect;
        GetItemRect(i, rect);
        if (nFlags & SBPW_INSET)
            rect.DeflateRect(1, 1);
        CRect rectOwn;
        ::GetWindowRect(hWnd, rectOwn);
        if (nFlags & SBPW_KEEPWIDTH)
            rect.right = rect.left + rectOwn.Width();
        if (nFlags & SBPW_KEEPHEIGHT)
            rect.bottom = rect.top + rectOwn.Height();
        ::SetWindowPos(hWnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void SECCustomStatusBar::SetPaneWindow(int nIndex, CWnd* pWnd, UINT nFlags)
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_paneWnds.size()))
        return;
    m_paneWnds[static_cast<size_t>(nIndex)] = pWnd != nullptr ? pWnd->m_hWnd : nullptr;
    m_paneWndFlags[static_cast<size_t>(nIndex)] = nFlags;
    PositionPaneWindows();
}

CWnd* SECCustomStatusBar::GetPaneWindow(int nIndex) const
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_paneWnds.size()))
        return nullptr;
    const HWND hWnd = m_paneWnds[static_cast<size_t>(nIndex)];
    return hWnd != nullptr && ::IsWindow(hWnd) ? CWnd::FromHandle(hWnd) : nullptr;
}

LRESULT SECCustomStatusBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = SECStatusBar::OnSizeParent(wParam, lParam);
    FitPaneChildren();
    return lResult;
}

void SECCustomStatusBar::OnSize(UINT nType, int cx, int cy)
{
    SECStatusBar::OnSize(nType, cx, cy);
    // The layout sizes the bar after asking it: the panes' children follow the new panes.
    FitPaneChildren();
}

LRESULT SECCustomStatusBar::OnSetFont(WPARAM, LPARAM)
{
    const LRESULT lResult = Default();
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->RecalcLayout();
    return lResult;
}

void SECCustomStatusBar::FitPaneChildren()
{
    if (m_pProgress != nullptr)
        StretchProgressPane();
    else
        PositionPaneWindows();
}

void SECCustomStatusBar::StretchProgressPane()
{
    if (m_pProgress == nullptr || m_pProgress->m_hWnd == nullptr)
        return;
    CRect rectClient;
    GetClientRect(rectClient);
    CRect rect;
    m_pProgress->GetWindowRect(rect);
    ScreenToClient(rect);
    m_pProgress->SetWindowPos(nullptr, 0, 0, rectClient.right - rect.left, rect.Height(),
                              SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL SECCustomStatusBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT)
    {
        CPoint point(static_cast<int>(static_cast<short>(LOWORD(::GetMessagePos()))),
                     static_cast<int>(static_cast<short>(HIWORD(::GetMessagePos()))));
        ScreenToClient(&point);
        const int nIndex = PaneFromPoint(point);
        if (nIndex >= 0 && (m_formats[static_cast<size_t>(nIndex)].nFlags & SBP_CURSOR) &&
            m_formats[static_cast<size_t>(nIndex)].hCursor != nullptr)
        {
            ::SetCursor(m_formats[static_cast<size_t>(nIndex)].hCursor);
            return TRUE;
        }
    }
    return SECStatusBar::OnSetCursor(pWnd, nHitTest, message);
}
} // namespace tarnwick::bars
