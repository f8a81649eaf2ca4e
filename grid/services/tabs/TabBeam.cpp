// The sheet tab strip: tabs, arrow buttons, selection by mouse and drawing.
#include <grid/services/tabs/TabBeam.h>

#include <grid/core/FontState.h>

#include <toolkit/foundation/CaptureLoop.h>
#include <toolkit/foundation/VisualStyle.h>

#include <grid/core/GridInit.h>
#include <grid/core/SysData.h>
#include <grid/services/tabs/TabWnd.h>

#include <algorithm>
#include <vsstyle.h>
#include <windowsx.h>

IMPLEMENT_DYNAMIC(CGXTabInfo, CObject)
IMPLEMENT_DYNCREATE(CGXTabBeam, CWnd)

using tarnwick::foundation::SECCaptureLoop;

namespace
{
// The held arrow's first repeat delay, its step down and its shortest delay, in milliseconds.
constexpr DWORD dwFirstRepeatDelay = 200;
constexpr DWORD dwRepeatDelayStep = 20;
constexpr DWORD dwShortestRepeatDelay = 100;

// 0 or 1: the flat look of the library, which also lowers the tabs by a pixel.
int FrameStyle()
{
    return GXGetSysData()->m_bWin4 ? 1 : 0;
}

void FillSolid(CDC* pDC, const CRect& rect, COLORREF color)
{
    pDC->FillSolidRect(&rect, color);
}
} // namespace

CGXTabInfo::CGXTabInfo() = default;

CGXTabInfo::~CGXTabInfo()
{
    if (bDeleteExtra && pExtra != nullptr)
    {
        if (pExtra->GetSafeHwnd() != nullptr)
            pExtra->DestroyWindow();
        else
            delete pExtra;
    }
}

// clang-format off
BEGIN_MESSAGE_MAP(CGXTabBeam, CWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
END_MESSAGE_MAP()
// clang-format on

CGXTabBeam::CGXTabBeam()
    : m_nButtonAreaWidth(2 * ::GetSystemMetrics(SM_CYHSCROLL)), m_nButtonHeight(::GetSystemMetrics(SM_CYHSCROLL)),
      m_nButtonWidth(::GetSystemMetrics(SM_CYHSCROLL))
{
}

CGXTabBeam::~CGXTabBeam()
{
    for (INT_PTR i = 0; i < m_TabInfo.GetSize(); ++i)
        delete m_TabInfo[i];
}

namespace
{
// Objects for windows of the class made by someone else; deleted with their windows.
LRESULT CALLBACK BeamClassWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GXAttachToClassWindow(hWnd, message, wParam, lParam, []() -> CWnd* { return new CGXTabBeam; });
}
} // namespace

void CGXTabBeam::RegisterClass(HINSTANCE hInstance)
{
    GXRegisterWndClass(hInstance, L"CGXTabBeam", BeamClassWndProc, ::LoadCursorW(nullptr, IDC_ARROW));
}

void CGXTabBeam::UnregisterClass(HINSTANCE hInstance)
{
    ::UnregisterClassW(L"CGXTabBeam", hInstance);
}

BOOL CGXTabBeam::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CWnd::Create(L"CGXTabBeam", nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID))
        return FALSE;
    CreateFonts();
    SetWindowPos(nullptr, 0, 0, rect.right - rect.left, m_nButtonHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

void CGXTabBeam::PostNcDestroy()
{
    delete this;
}

LOGFONT CGXTabBeam::StripLogFont(int nHeight, BOOL bDoubleByte)
{
    LOGFONT lf{};
    // Where characters may take two bytes, the system's user-interface font knows the script.
    if (!bDoubleByte || (::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf) == 0 &&
                         ::GetObject(::GetStockObject(SYSTEM_FONT), sizeof(lf), &lf) == 0))
    {
        lf = LOGFONT{};
        lf.lfClipPrecision = 0x12;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
        lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
        GX_FONT_STATE* pFonts = GXGetFontState();
        const GXFaceEntry* pFace = pFonts->GetFaceEntry(pFonts->LookupFaceName(lf.lfFaceName));
        lf.lfCharSet = pFace != nullptr ? pFace->nCharSet : DEFAULT_CHARSET;
    }
    lf.lfHeight = nHeight;
    lf.lfWidth = 0;
    lf.lfWeight = FW_NORMAL;
    lf.lfItalic = FALSE;
    lf.lfUnderline = FALSE;
    return lf;
}

void CGXTabBeam::CreateFonts()
{
    m_fontNormal.DeleteObject();
    m_fontBold.DeleteObject();
    LOGFONT lf = StripLogFont(m_nButtonHeight - 2, ::GetSystemMetrics(SM_DBCSENABLED));
    m_fontNormal.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fontBold.CreateFontIndirect(&lf);
}

CWnd* CGXTabBeam::GetNotifyWnd() const
{
    return m_pNotifyWnd != nullptr ? m_pNotifyWnd : GetParent();
}

int CGXTabBeam::MeasureTab(LPCTSTR pszName)
{
    CClientDC dc(GetSafeHwnd() != nullptr ? this : CWnd::GetDesktopWindow());
    CFont* pOld = dc.SelectObject(&m_fontNormal);
    const int cx = dc.GetTextExtent(pszName, lstrlenW(pszName)).cx;
    dc.SelectObject(pOld);
    return cx + m_nTabSpacing;
}

int CGXTabBeam::GetTabOffset(int nTab)
{
    int x = 0;
    for (int i = m_nFirstTab; i < nTab; ++i)
        x += GetTab(i).nWidth + m_nTabSpacing;
    for (int i = nTab; i < m_nFirstTab; ++i)
        x -= GetTab(i).nWidth + m_nTabSpacing;
    return x;
}

int CGXTabBeam::TabFromPoint(int x)
{
    if (x < TabsLeft())
        return -1;
    int nRight = TabsLeft();
    for (int i = m_nFirstTab; i < m_nTabs; ++i)
    {
        nRight += GetTab(i).nWidth + m_nTabSpacing;
        if (x < nRight)
            return i;
    }
    return -1;
}

int CGXTabBeam::GetLastVisibleTab()
{
    CRect rect;
    GetClientRect(&rect);
    int nLast = m_nFirstTab;
    for (int i = m_nFirstTab; i < m_nTabs && TabsLeft() + GetTabOffset(i) < rect.right; ++i)
        nLast = i;
    return std::min(nLast, m_nTabs - 1);
}

int CGXTabBeam::GetLastFirstTab()
{
    // The last first tab from which the tabs still reach the right edge; 0 when all fit.
    CRect rect;
    GetClientRect(&rect);
    const int nRoom = rect.Width() - TabsLeft();
    int nWidth = m_nTabSpacing;
    for (int nFirst = m_nTabs - 1; nFirst > 0; --nFirst)
    {
        nWidth += GetTab(nFirst).nWidth + m_nTabSpacing;
        if (nWidth >= nRoom)
            return nFirst;
    }
    return 0;
}

BOOL CGXTabBeam::CanScrollOn()
{
    return m_nFirstTab < GetLastFirstTab();
}

int CGXTabBeam::ButtonFromPoint(int x, int y, int nMatch, BOOL bPress)
{
    if (!m_bButtons || x < 0 || x >= m_nButtonAreaWidth || y < 0 || y >= m_nButtonHeight || m_nButtonWidth <= 0)
        return -1;
    int nButton = x / m_nButtonWidth;
    if (m_nButtons == 2)
        ++nButton;
    const BOOL bCan = nButton <= scrollPrevious ? CanScrollBack() : CanScrollOn();
    if (nButton > scrollLast || !bCan || (nMatch != -1 && nButton != nMatch))
        return -1;
    if (bPress)
        ScrollTabs(nButton);
    return nButton;
}

void CGXTabBeam::ScrollTabs(int nAction)
{
    if (CWnd* pNotify = GetNotifyWnd())
        pNotify->SendMessage(WM_GX_CANCELRENAME);
    const int nLastFirst = GetLastFirstTab();
    int nFirst = m_nFirstTab;
    switch (nAction)
    {
    case scrollFirst:
        nFirst = 0;
        break;
    case scrollPrevious:
        nFirst = std::max(m_nFirstTab - 1, 0);
        break;
    case scrollNext:
        nFirst = std::max(std::min(m_nFirstTab + 1, nLastFirst), m_nFirstTab);
        break;
    case scrollLast:
        nFirst = std::max(nLastFirst, m_nFirstTab);
        break;
    default:
        return;
    }
    if (nFirst == m_nFirstTab)
        return;
    // The tabs that stay in view move by the width of the tabs passed; what the move uncovers,
    // the seam where the tabs' slanted edges overlap and the arrow buttons are drawn anew.
    const int nDistance = GetTabOffset(nFirst);
    m_nFirstTab = nFirst;
    if (GetSafeHwnd() == nullptr)
        return;
    CRect rectTabs;
    GetClientRect(&rectTabs);
    rectTabs.left = TabsLeft();
    if (rectTabs.IsRectEmpty())
        return;
    ScrollWindowEx(-nDistance, 0, &rectTabs, &rectTabs, nullptr, nullptr, SW_INVALIDATE);
    const int nSeam = rectTabs.left + std::max(-nDistance, 0);
    InvalidateRect(CRect(nSeam, rectTabs.top, nSeam + 2 * m_nTabSpacing + 1, rectTabs.bottom), FALSE);
    InvalidateRect(CRect(0, rectTabs.top, rectTabs.left, rectTabs.bottom), FALSE);
}

void CGXTabBeam::ScrollToTab(int nTab)
{
    if (nTab < 0 || nTab >= m_nTabs)
        return;
    if (nTab < m_nFirstTab)
        m_nFirstTab = nTab;
    else if (GetSafeHwnd() != nullptr)
    {
        CRect rect;
        GetClientRect(&rect);
        // A strip not laid out yet shows no tab: it keeps its first tab.
        while (rect.Width() > TabsLeft() && m_nFirstTab < nTab &&
               TabsLeft() + GetTabOffset(nTab) + GetTab(nTab).nWidth + 2 * m_nTabSpacing > rect.right)
            ++m_nFirstTab;
    }
    if (GetSafeHwnd() != nullptr)
        Invalidate(FALSE);
}

void CGXTabBeam::SetCurrentTab(int nTab)
{
    ScrollToTab(nTab);
    if (nTab == m_nCurrent)
        return;
    m_nCurrent = nTab;
    if (GetSafeHwnd() != nullptr)
        Invalidate(FALSE);
}

void CGXTabBeam::InsertTab(BOOL bInsertBeforeCurrent, LPCTSTR pszName, CWnd* pWnd, BOOL bOwnsWindow, int nWidth,
                           void* pData)
{
    auto* pTab = new CGXTabInfo;
    pTab->sLabel = pszName;
    pTab->pExtra = pWnd;
    pTab->bDeleteExtra = bOwnsWindow;
    pTab->pData = pData;
    pTab->nWidth = nWidth == -1 ? MeasureTab(pszName) : nWidth;
    const int nAt = bInsertBeforeCurrent && m_nCurrent >= 0 ? m_nCurrent : m_nTabs;
    m_TabInfo.InsertAt(nAt, pTab);
    ++m_nTabs;
    if (m_nCurrent >= nAt && bInsertBeforeCurrent)
        ++m_nCurrent;
    if (GetSafeHwnd() != nullptr)
        Invalidate(FALSE);
}

void CGXTabBeam::DeleteTab(int nTab)
{
    if (nTab < 0 || nTab >= m_nTabs)
        return;
    CGXTabInfo* pTab = &GetTab(nTab);
    m_TabInfo.RemoveAt(nTab);
    --m_nTabs;
    if (nTab == m_nCurrent)
        m_nCurrent = -1;
    else if (nTab < m_nCurrent)
        --m_nCurrent;
    if (nTab <= m_nFirstTab && m_nFirstTab > 0)
        --m_nFirstTab;
    delete pTab;
    if (GetSafeHwnd() != nullptr)
        Invalidate(FALSE);
}

void CGXTabBeam::SetTabName(int nTab, LPCTSTR pszName)
{
    if (nTab < 0 || nTab >= m_nTabs)
        return;
    GetTab(nTab).sLabel = pszName;
    GetTab(nTab).nWidth = MeasureTab(pszName);
    if (GetSafeHwnd() != nullptr)
        Invalidate(FALSE);
}

int CGXTabBeam::FindTab(const CWnd* pWnd) const
{
    for (int i = 0; i < m_nTabs; ++i)
        if (GetTab(i).pExtra == pWnd)
            return i;
    return -1;
}

void CGXTabBeam::SelectTabAt(int x, UINT /*nFlags*/)
{
    int nTab = TabFromPoint(x);
    // The left slope of the first visible tab lies over the tab before it.
    if (nTab == m_nFirstTab && m_nFirstTab > 0 && x < TabsLeft() + m_nTabSpacing)
        --nTab;
    if (nTab < 0)
        return;
    CWnd* pNotify = GetNotifyWnd();
    if (pNotify != nullptr && pNotify->SendMessage(WM_GX_TABCANSELECT, static_cast<WPARAM>(nTab)) != 0)
        return;
    if (!GetTab(nTab).bSel)
        for (int i = 0; i < m_nTabs; ++i)
            GetTab(i).bSel = FALSE;
    SetCurrentTab(nTab);
    Invalidate(FALSE);
    if (pNotify != nullptr)
        pNotify->PostMessage(WM_GX_TABSELECTED, static_cast<WPARAM>(nTab));
}

void CGXTabBeam::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_nPressedButton = ButtonFromPoint(point.x, point.y, -1, TRUE);
    if (m_nPressedButton >= 0)
    {
        m_ptButton = point;
        Invalidate(FALSE);
        UpdateWindow();
        OnButton(WM_LBUTTONUP);
        m_nPressedButton = -1;
        Invalidate(FALSE);
        return;
    }
    const int nTab = TabFromPoint(point.x);
    if ((nFlags & MK_SHIFT) != 0 && nTab >= 0 && m_nCurrent >= 0)
    {
        for (int i = std::min(nTab, m_nCurrent); i <= std::max(nTab, m_nCurrent); ++i)
            GetTab(i).bSel = TRUE;
        Invalidate(FALSE);
    }
    else if ((nFlags & MK_CONTROL) != 0 && nTab >= 0)
    {
        GetTab(nTab).bSel = !GetTab(nTab).bSel;
        Invalidate(FALSE);
    }
    else
        SelectTabAt(point.x, nFlags);
}

void CGXTabBeam::OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
}

void CGXTabBeam::OnLButtonDblClk(UINT /*nFlags*/, CPoint point)
{
    const int nTab = TabFromPoint(point.x);
    if (nTab >= 0 && nTab == m_nCurrent)
        if (CWnd* pNotify = GetNotifyWnd())
            pNotify->PostMessage(WM_GX_TABRENAME, static_cast<WPARAM>(nTab));
}

DWORD CGXTabBeam::GetTicks()
{
    return ::GetTickCount();
}

void CGXTabBeam::WaitForInput(DWORD dwMilliseconds)
{
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, dwMilliseconds, QS_ALLINPUT);
}

void CGXTabBeam::OnButton(UINT nEndMessage)
{
    CPoint point = m_ptButton;
    // Each delay counts from the last repeat, so the loop sleeps between repeats.
    DWORD dwLast = GetTicks();
    DWORD dwDelay = dwFirstRepeatDelay;
    SECCaptureLoop loop(this);
    loop.Run(
        [&](const MSG& msg) {
            if (msg.message == nEndMessage)
                return SECCaptureLoop::finish;
            if (msg.message == WM_MOUSEMOVE && msg.hwnd == GetSafeHwnd())
            {
                point = CPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
                return SECCaptureLoop::handled;
            }
            ::TranslateMessage(&msg);
            return SECCaptureLoop::dispatch;
        },
        [&] {
            const DWORD dwElapsed = GetTicks() - dwLast;
            if (dwElapsed < dwDelay)
            {
                WaitForInput(dwDelay - dwElapsed);
                return;
            }
            dwLast += dwDelay;
            if (dwDelay > dwShortestRepeatDelay)
                dwDelay -= dwRepeatDelayStep;
            ButtonFromPoint(point.x, point.y, m_nPressedButton, TRUE);
            UpdateWindow();
        });
}

void CGXTabBeam::OnMouseMove(UINT /*nFlags*/, CPoint point)
{
    if (m_theme.Get(GetSafeHwnd()) != nullptr)
        TrackHover(point);
}

void CGXTabBeam::TrackHover(CPoint point)
{
    BOOL bChanged = FALSE;
    const int nButton = ButtonFromPoint(point.x, point.y, -1, FALSE);
    if (nButton != m_nHoverButton)
    {
        m_nHoverButton = nButton;
        bChanged = TRUE;
    }
    const int nTab = point.x >= 0 ? TabFromPoint(point.x) : -1;
    for (int i = 0; i < m_nTabs; ++i)
        if (GetTab(i).bHover != (i == nTab))
        {
            GetTab(i).bHover = i == nTab;
            bChanged = TRUE;
        }
    if (bChanged)
        Invalidate(FALSE);
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, GetSafeHwnd(), 0};
    SECTrackMouseEvent(&track);
}

LRESULT CGXTabBeam::OnMouseLeave(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    TrackHover(CPoint(-1, -1));
    return 0;
}

BOOL CGXTabBeam::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CGXTabBeam::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    if (rect.IsRectEmpty())
        return;
    CDC dcMem;
    CBitmap bitmap;
    if (!dcMem.CreateCompatibleDC(&dc) || !bitmap.CreateCompatibleBitmap(&dc, rect.Width(), rect.Height()))
    {
        Paint(&dc);
        return;
    }
    CBitmap* pOld = dcMem.SelectObject(&bitmap);
    Paint(&dcMem);
    dc.BitBlt(0, 0, rect.Width(), rect.Height(), &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(pOld);
}

void CGXTabBeam::Paint(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    HTHEME hTheme = m_theme.Get(GetSafeHwnd());
    if (hTheme == nullptr ||
        FAILED(SECDrawThemeBackground(hTheme, pDC->GetSafeHdc(), HP_HEADERITEM, HIS_NORMAL, &rect, nullptr)))
        FillSolid(pDC, rect, ::GetSysColor(COLOR_SCROLLBAR));
    FillSolid(pDC, CRect(rect.left, 0, rect.right, 1), RGB(0, 0, 0));
    if (m_bButtons)
        for (int i = 0; i < m_nButtons; ++i)
            DrawButton(pDC, m_nButtons == 2 ? i + 1 : i, m_nPressedButton == (m_nButtons == 2 ? i + 1 : i));
    const int nLast = GetLastVisibleTab();
    const int h = m_nButtonHeight - FrameStyle();
    for (int i = nLast; i >= m_nFirstTab && m_nTabs > 0; --i)
        if (i != m_nCurrent)
            DrawTab(pDC, i, CRect(TabsLeft() + GetTabOffset(i), 0, TabsLeft() + GetTabOffset(i) + GetTab(i).nWidth, h),
                    FALSE);
    if (m_nCurrent >= m_nFirstTab && m_nCurrent <= nLast)
        DrawTab(pDC, m_nCurrent,
                CRect(TabsLeft() + GetTabOffset(m_nCurrent), 0,
                      TabsLeft() + GetTabOffset(m_nCurrent) + GetTab(m_nCurrent).nWidth, h),
                TRUE);
}

void CGXTabBeam::DrawTab(CDC* pDC, int nTab, const CRect& rect, BOOL bCurrent)
{
    const CGXTabInfo& tab = GetTab(nTab);
    const int x = rect.left;
    const int w = rect.Width();
    const int h = rect.Height();
    const int s = m_nTabSpacing;
    POINT points[4] = {{x, 0}, {x + w + 2 * s, 0}, {x + s + w, h}, {x + s, h}};
    const BOOL bLight = bCurrent || tab.bSel;
    HBRUSH hbrOwn = bLight ? tab.hbrSelBack : tab.hbrBack;
    CBrush brush;
    if (hbrOwn == nullptr)
        brush.CreateSolidBrush(::GetSysColor(bLight ? COLOR_WINDOW : COLOR_3DFACE));
    CRgn region;
    region.CreatePolygonRgn(points, 4, WINDING);
    HTHEME hTheme = bLight || tab.bHover ? m_theme.Get(GetSafeHwnd()) : nullptr;
    const int nSaved = pDC->SaveDC();
    pDC->SelectClipRgn(&region);
    const CRect rectTab(x, 0, x + w + 2 * s, h + 1);
    if (hTheme == nullptr ||
        FAILED(SECDrawThemeBackground(hTheme, pDC->GetSafeHdc(), HP_HEADERITEM,
                                      tab.bHover && !bLight ? HIS_HOT : HIS_PRESSED, &rectTab, nullptr)))
        pDC->FillRgn(&region, hbrOwn != nullptr ? CBrush::FromHandle(hbrOwn) : &brush);
    pDC->RestoreDC(nSaved);

    CPen penBlack(PS_SOLID, 1, RGB(0, 0, 0));
    CPen penShadow(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    CPen penWindow(PS_SOLID, 1, ::GetSysColor(COLOR_WINDOW));
    CPen* pOldPen = pDC->SelectObject(&penShadow);
    pDC->MoveTo(x + s + 1, h - 1);
    pDC->LineTo(x + s + w - 1, h - 1);
    pDC->LineTo(x + w + 2 * s - 2, 0);
    pDC->SelectObject(&penBlack);
    pDC->MoveTo(x + w + 2 * s, 0);
    pDC->LineTo(x, 0);
    pDC->LineTo(x + s, h);
    pDC->LineTo(x + s + w, h);
    pDC->LineTo(x + w + 2 * s, 0);
    // The current tab joins the sheet above it.
    if (bCurrent)
    {
        pDC->SelectObject(&penWindow);
        pDC->MoveTo(x + 1, 0);
        pDC->LineTo(x + w + 2 * s, 0);
    }
    pDC->SelectObject(pOldPen);

    CFont* pOldFont = pDC->SelectObject(bCurrent ? &m_fontBold : &m_fontNormal);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColor = pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    const int cyT = pDC->GetTextExtent(_T("t"), 1).cy;
    CRect rectText(x + s, (h - cyT) / 2, x + s + w, (h - cyT) / 2 + cyT);
    pDC->DrawText(tab.sLabel, &rectText, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    pDC->SetTextColor(oldColor);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

void CGXTabBeam::DrawButton(CDC* pDC, int nButton, BOOL bPressed)
{
    const int nPlace = m_nButtons == 2 ? nButton - 1 : nButton;
    CRect rect(nPlace * m_nButtonWidth, 1, (nPlace + 1) * m_nButtonWidth, m_nButtonHeight);
    const BOOL bEnabled = nButton <= scrollPrevious ? CanScrollBack() : CanScrollOn();
    UINT nState = nButton <= scrollPrevious ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT;
    if (bPressed)
        nState |= DFCS_PUSHED | DFCS_FLAT;
    if (!bEnabled)
        nState |= DFCS_INACTIVE;
    pDC->DrawFrameControl(&rect, DFC_SCROLL, nState);
    // First and last carry a bar at the arrow's tip.
    if (nButton == scrollFirst || nButton == scrollLast)
    {
        const int xBar = nButton == scrollFirst ? rect.left + rect.Width() / 4 : rect.right - rect.Width() / 4 - 1;
        FillSolid(pDC, CRect(xBar, rect.top + rect.Height() / 4, xBar + 1, rect.bottom - rect.Height() / 4),
                  ::GetSysColor(bEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    }
}

void CGXTabBeam::OnSysColorChange()
{
    Invalidate(FALSE);
}

void CGXTabBeam::OnSettingChange(UINT /*uFlags*/, LPCTSTR /*lpszSection*/)
{
    m_nButtonHeight = m_nButtonWidth = ::GetSystemMetrics(SM_CYHSCROLL);
    m_nButtonAreaWidth = m_nButtons * m_nButtonWidth;
    CreateFonts();
    for (int i = 0; i < m_nTabs; ++i)
        GetTab(i).nWidth = MeasureTab(GetTab(i).sLabel);
    Invalidate(FALSE);
}

LRESULT CGXTabBeam::OnThemeChanged(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    m_theme.Close();
    Invalidate(FALSE);
    return 0;
}
