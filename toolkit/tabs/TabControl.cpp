#include "TabControl.h"

#include <toolkit/foundation/VisualStyle.h>
#include <toolkit/foundation/GdiFallback.h>

#include <algorithm>
#include <array>

namespace tarnwick::tabs
{
namespace
{
constexpr std::array<UINT, 4> BUTTONS = {SECTabControl::BUTTON_FIRST, SECTabControl::BUTTON_PREV,
                                         SECTabControl::BUTTON_NEXT, SECTabControl::BUTTON_LAST};
constexpr int THEME_TAB_ITEM = 1;
constexpr int THEME_PUSHBUTTON = 1;

// Theme states of a scroll button: normal, disabled and pressed, for the two theme classes.
struct ButtonThemeStates
{
    int nNormal;
    int nDisabled;
    int nPressed;
};
constexpr ButtonThemeStates TAB_THEME_STATES = {1, 4, 5};
constexpr ButtonThemeStates BUTTON_THEME_STATES = {1, 4, 3};
} // namespace

IMPLEMENT_DYNAMIC(SECTabControl, SECTabControlBase)

BEGIN_MESSAGE_MAP(SECTabControl, SECTabControlBase)
ON_WM_PAINT()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_SYSCOLORCHANGE()
ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
ON_WM_DESTROY()
END_MESSAGE_MAP()

SECTabControl::SECTabControl()
    : m_cxButton(::GetSystemMetrics(SM_CYHSCROLL) + 1), m_cyButton(::GetSystemMetrics(SM_CYHSCROLL) + 1),
      m_clock(&::GetTickCount)
{
}

SECTabControl::~SECTabControl()
{
    DestroyGdiObjects();
}

void SECTabControl::Initialize(DWORD dwStyle)
{
    m_nButtonMask = (dwStyle & TCS_TABS_PREVNEXT)     ? BUTTON_PREV | BUTTON_NEXT
                    : (dwStyle & TCS_TABS_FULLSCROLL) ? ALL_BUTTONS
                                                      : 0;
    LOGFONT lf{};
    lf.lfHeight = ::GetSystemMetrics(SM_CYHSCROLL) - 4;
    lf.lfWeight = FW_NORMAL;
    lf.lfPitchAndFamily = FF_SWISS;
    lstrcpyn(lf.lfFaceName, _T("Tahoma"), LF_FACESIZE);
    ReplaceFont(m_fontNormal, lf);
    ReplaceFont(m_fontSelected, lf);
    lf.lfWeight = FW_BOLD;
    ReplaceFont(m_fontActive, lf);
    for (CPen* pPen : {&m_penNormal, &m_penSelected, &m_penActive})
    {
        pPen->DeleteObject();
        SECCreatePen(*pPen, PS_SOLID, 1, RGB(0, 0, 0));
    }
    CreateBrushes();
    m_clrTextNormal = ::GetSysColor(COLOR_BTNTEXT);
    m_clrTextSelected = ::GetSysColor(COLOR_BTNTEXT);
    m_clrTextActive = ::GetSysColor(COLOR_WINDOWTEXT);
    UpdateButtons();
}

void SECTabControl::CreateBrushes()
{
    m_brushNormal.DeleteObject();
    m_brushSelected.DeleteObject();
    m_brushActive.DeleteObject();
    m_penShadow.DeleteObject();
    SECCreateSolidBrush(m_brushNormal, ::GetSysColor(COLOR_BTNFACE));
    SECCreateSolidBrush(m_brushSelected, ::GetSysColor(COLOR_WINDOW));
    SECCreateSolidBrush(m_brushActive, ::GetSysColor(COLOR_WINDOW));
    SECCreatePen(m_penShadow, PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
}

void SECTabControl::DestroyGdiObjects()
{
    for (CGdiObject* pObject : std::initializer_list<CGdiObject*>{
             &m_fontNormal, &m_fontSelected, &m_fontActive, &m_penNormal, &m_penSelected, &m_penActive, &m_penShadow,
             &m_brushNormal, &m_brushSelected, &m_brushActive})
        pObject->DeleteObject();
}

int SECTabControl::GetScrollOffset() const
{
    return m_nScrollOffset;
}

UINT SECTabControl::GetButtonMask() const
{
    return m_nButtonMask;
}

UINT SECTabControl::GetDisabledButtons() const
{
    return m_nDisabledButtons;
}

void SECTabControl::EnableMultipleSelection(BOOL bEnable)
{
    m_bMultiSelect = bEnable;
}

void SECTabControl::SetClock(std::function<DWORD()> clock)
{
    m_clock = std::move(clock);
}

int SECTabControl::GetTabTextWidth(int nIndex)
{
    CClientDC dc(nullptr);
    CFont* pOldFont = dc.SelectObject(&m_fontActive);
    const int cx = dc.GetTextExtent(GetTab(nIndex).m_csLabel).cx;
    dc.SelectObject(pOldFont);
    return cx;
}

void SECTabControl::RecalcLayout()
{
    for (int i = 0; i < GetTabCount(); ++i)
        GetTab(i).m_nWidth = GetTabTextWidth(i) + TAB_EXTRA_WIDTH;
    // A row that grew or shrank changes what the buttons can reach.
    const int nOld = m_nScrollOffset;
    UpdateButtons();
    if (m_nScrollOffset != nOld && m_hWnd != nullptr)
        Invalidate();
}

void SECTabControl::GetButtonRect(UINT nButton, CRect& rect) const
{
    int nLeft = 0;
    for (UINT nLower : BUTTONS)
    {
        if (nLower < nButton && (m_nButtonMask & nLower))
            nLeft += m_cxButton;
    }
    rect.SetRect(nLeft, 0, nLeft + m_cxButton, m_cyButton);
}

void SECTabControl::GetTabArea(CRect& rect) const
{
    GetClientRect(&rect);
    for (UINT nButton : BUTTONS)
    {
        if (m_nButtonMask & nButton)
            rect.left += m_cxButton;
    }
}

void SECTabControl::GetButtonArea(CRect& rect) const
{
    GetClientRect(&rect);
    int nRight = rect.left + 1;
    for (UINT nButton : BUTTONS)
    {
        if (m_nButtonMask & nButton)
            nRight += m_cxButton;
    }
    rect.right = nRight;
}

int SECTabControl::TabLeft(int nIndex) const
{
    CRect rcArea;
    GetTabArea(rcArea);
    int x = rcArea.left + m_nScrollOffset;
    for (int i = 0; i < nIndex; ++i)
        x += GetTab(i).m_nWidth - TAB_OVERLAP;
    return x;
}

void SECTabControl::GetTabRgn(int nIndex, CRgn& rgn)
{
    CRect rcArea;
    GetTabArea(rcArea);
    const int x0 = TabLeft(nIndex);
    const int cx = GetTab(nIndex).m_nWidth;
    // Wider at the top, which faces the page.
    POINT points[] = {
        {x0, rcArea.top}, {x0 + TAB_SLANT, rcArea.bottom}, {x0 + cx - TAB_SLANT, rcArea.bottom}, {x0 + cx, rcArea.top}};
    rgn.DeleteObject();
    rgn.CreatePolygonRgn(points, 4, ALTERNATE);
}

BOOL SECTabControl::HitTestTab(int nIndex, CPoint point)
{
    CRgn rgn;
    GetTabRgn(nIndex, rgn);
    return rgn.PtInRegion(point);
}

int SECTabControl::HitTabAt(CPoint point)
{
    for (int i = 0; i < GetTabCount(); ++i)
    {
        if (HitTestTab(i, point))
            return i;
    }
    return -1;
}

UINT SECTabControl::HitButton(CPoint point) const
{
    for (UINT nButton : BUTTONS)
    {
        CRect rect;
        GetButtonRect(nButton, rect);
        if ((m_nButtonMask & nButton) && rect.PtInRect(point))
            return nButton;
    }
    return 0;
}

void SECTabControl::InvalidateTab(int nIndex)
{
    if (m_hWnd == nullptr || !IsValidTab(nIndex))
        return;
    CRgn rgn;
    GetTabRgn(nIndex, rgn);
    InvalidateRgn(&rgn, TRUE);
}

void SECTabControl::UpdateButtons()
{
    UINT nDisabled = ALL_BUTTONS;
    if (GetTabCount() > 0)
    {
        nDisabled = 0;
        // The offset at which the last tab ends at the client's right edge. Clamped to it
        // first, so that a row brought back to 0 also disables first and previous.
        CRect rcClient;
        GetClientRect(&rcClient);
        const int nLast = GetTabCount() - 1;
        const int nEndOffset = rcClient.right - (TabLeft(nLast) - m_nScrollOffset + GetTab(nLast).m_nWidth);
        if (m_nScrollOffset <= nEndOffset)
        {
            m_nScrollOffset = std::min(nEndOffset, 0);
            nDisabled |= BUTTON_NEXT | BUTTON_LAST;
        }
        if (m_nScrollOffset >= 0)
        {
            m_nScrollOffset = 0;
            nDisabled |= BUTTON_FIRST | BUTTON_PREV;
        }
    }
    const UINT nChanged = nDisabled ^ m_nDisabledButtons;
    m_nDisabledButtons = nDisabled;
    if (m_hWnd == nullptr)
        return;
    for (UINT nButton : BUTTONS)
    {
        if ((nChanged & nButton) && (m_nButtonMask & nButton))
        {
            CRect rect;
            GetButtonRect(nButton, rect);
            InvalidateRect(&rect, FALSE);
        }
    }
}

void SECTabControl::ScrollBy(int nOldOffset)
{
    if (m_nScrollOffset == nOldOffset || m_hWnd == nullptr)
        return;
    CRect rcArea;
    GetTabArea(rcArea);
    ScrollWindow(m_nScrollOffset - nOldOffset, 0, &rcArea, &rcArea);
    UpdateWindow();
}

void SECTabControl::ScrollToTab(int nIndex)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty() || !IsValidTab(nIndex))
        return;
    CRect rcArea;
    GetTabArea(rcArea);
    const int nOld = m_nScrollOffset;
    const int cx = GetTab(nIndex).m_nWidth;
    const int nMargin = cx + SCROLL_MARGIN < rcArea.Width() ? SCROLL_MARGIN : 0;
    if (TabLeft(nIndex) + cx > rcArea.right)
        m_nScrollOffset -= TabLeft(nIndex) + cx - (rcArea.right - nMargin);
    if (TabLeft(nIndex) < rcArea.left)
        m_nScrollOffset += rcArea.left + nMargin - TabLeft(nIndex);
    UpdateButtons();
    ScrollBy(nOld);
}

BOOL SECTabControl::StepButton(UINT nButton)
{
    switch (nButton)
    {
    case BUTTON_FIRST:
        m_nScrollOffset = 0;
        return TRUE;
    case BUTTON_PREV:
        m_nScrollOffset += SCROLL_STEP;
        return TRUE;
    case BUTTON_NEXT:
        m_nScrollOffset -= SCROLL_STEP;
        return TRUE;
    case BUTTON_LAST:
        if (GetTabCount() > 0)
        {
            CRect rcArea;
            GetTabArea(rcArea);
            const int nLast = GetTabCount() - 1;
            m_nScrollOffset += rcArea.right - (TabLeft(nLast) + GetTab(nLast).m_nWidth);
        }
        return TRUE;
    default:
        return FALSE;
    }
}

void SECTabControl::OnButton(UINT nButton)
{
    if (m_nDisabledButtons & nButton)
        return;
    int nOld = m_nScrollOffset;
    if (!StepButton(nButton))
        return;
    UpdateButtons();
    ScrollBy(nOld);

    // Held down, previous and next repeat, first after a pause, then quickly.
    const bool bRepeats = nButton == BUTTON_PREV || nButton == BUTTON_NEXT;
    DWORD dwLast = m_clock();
    DWORD dwDelay = FIRST_REPEAT_DELAY;
    for (;;)
    {
        MSG msg;
        if (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (msg.message == WM_QUIT)
            {
                // The application's loop must still see it.
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
            if (msg.message == WM_LBUTTONUP || !::IsWindow(m_hWnd))
                return;
            continue;
        }
        if (bRepeats && !(m_nDisabledButtons & nButton) && m_clock() - dwLast > dwDelay)
        {
            nOld = m_nScrollOffset;
            StepButton(nButton);
            UpdateButtons();
            ScrollBy(nOld);
            dwLast = m_clock();
            dwDelay = REPEAT_DELAY;
        }
        else
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

BOOL SECTabControl::PressButton(CPoint point)
{
    const UINT nButton = HitButton(point);
    if (nButton == 0)
        return FALSE;
    m_nPressedButton = nButton;
    CRect rect;
    GetButtonRect(nButton, rect);
    InvalidateRect(&rect, FALSE);
    OnButton(nButton);
    return TRUE;
}

void SECTabControl::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (PressButton(point))
        return;
    const int nHit = HitTabAt(point);
    if (nHit < 0)
    {
        Default();
        return;
    }
    int nActive = 0;
    const BOOL bActive = GetActiveTab(nActive);
    SECTab& hit = GetTab(nHit);
    if (m_bMultiSelect && (nFlags & MK_CONTROL))
    {
        hit.m_bSelected = !hit.m_bSelected;
        if (bActive && nActive == nHit)
            DropActiveTab();
        InvalidateTab(nHit);
    }
    else if (m_bMultiSelect && (nFlags & MK_SHIFT))
    {
        // From the active index stored last, even when Ctrl cleared the active tab.
        DropActiveTab();
        const int nFrom = std::min(nActive, nHit);
        const int nTo = std::max(nActive, nHit);
        for (int i = 0; i < GetTabCount(); ++i)
        {
            SECTab& tab = GetTab(i);
            const BOOL bSelected = i >= nFrom && i <= nTo;
            if (!tab.m_bSelected != !bSelected)
            {
                tab.m_bSelected = bSelected;
                InvalidateTab(i);
            }
        }
        ActivateTab(nHit);
    }
    else if (bActive && nActive == nHit)
        NotifyReactivate();
    else
    {
        for (int i = 0; i < GetTabCount(); ++i)
        {
            SECTab& tab = GetTab(i);
            if (tab.m_bSelected || i == nHit)
            {
                tab.m_bSelected = FALSE;
                InvalidateTab(i);
            }
        }
        ActivateTab(nHit);
    }
}

void SECTabControl::OnLButtonUp(UINT, CPoint)
{
    if (m_nPressedButton != 0)
    {
        CRect rect;
        GetButtonRect(m_nPressedButton, rect);
        InvalidateRect(&rect, FALSE);
    }
    m_nPressedButton = 0;
}

void SECTabControl::OnLButtonDblClk(UINT, CPoint point)
{
    if (PressButton(point))
        return;
    Default();
    const int nHit = HitTabAt(point);
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(TCM_TABDBLCLK, static_cast<WPARAM>(std::max(nHit, 0)), 0);
}

void SECTabControl::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    const int nOld = m_nScrollOffset;
    UpdateButtons();
    ScrollBy(nOld);
}

BOOL SECTabControl::OnEraseBkgnd(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    pDC->FillRect(&rcClient, &m_brushNormal);
    return TRUE;
}

void SECTabControl::OnPaint()
{
    CPaintDC dc(this);
    PaintStrip(&dc, dc.m_ps.rcPaint);
}

LRESULT SECTabControl::OnPrintClient(WPARAM wParam, LPARAM)
{
    CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
    CRect rcClient;
    GetClientRect(&rcClient);
    OnEraseBkgnd(pDC);
    PaintStrip(pDC, rcClient);
    return 0;
}

void SECTabControl::PaintStrip(CDC* pDC, const CRect& rcUpdate)
{
    CRect rect;
    for (UINT nButton : BUTTONS)
    {
        GetButtonRect(nButton, rect);
        if ((m_nButtonMask & nButton) && rect.IntersectRect(rect, rcUpdate))
            DrawButton(pDC, nButton);
    }

    const int nSaved = pDC->SaveDC();
    CRect rcArea;
    GetTabArea(rcArea);
    pDC->IntersectClipRect(&rcArea);
    pDC->SetBkMode(TRANSPARENT);
    int nActive = 0;
    const BOOL bActive = GetActiveTab(nActive) && IsValidTab(nActive);
    // Plain tabs first, then the selected ones, then the active one over its neighbours.
    struct Pass
    {
        COLORREF clrText;
        CBrush* pBrush;
        CFont* pFont;
        CPen* pPen;
    };
    const Pass passes[] = {{m_clrTextNormal, &m_brushNormal, &m_fontNormal, &m_penNormal},
                           {m_clrTextSelected, &m_brushSelected, &m_fontSelected, &m_penSelected},
                           {m_clrTextActive, &m_brushActive, &m_fontActive, &m_penActive}};
    for (int nPass = 0; nPass < 3; ++nPass)
    {
        pDC->SetTextColor(passes[nPass].clrText);
        pDC->SelectObject(passes[nPass].pBrush);
        pDC->SelectObject(passes[nPass].pFont);
        pDC->SelectObject(passes[nPass].pPen);
        for (int i = 0; i < GetTabCount(); ++i)
        {
            const bool bIsActive = bActive && i == nActive;
            const int nTabPass = bIsActive ? 2 : GetTab(i).m_bSelected ? 1 : 0;
            if (nTabPass != nPass)
                continue;
            CRgn rgn;
            GetTabRgn(i, rgn);
            if (bIsActive || rgn.RectInRegion(&rcUpdate))
                DrawTab(pDC, i, &rgn);
        }
    }
    DrawTopLine(pDC);
    pDC->RestoreDC(nSaved);
}

void SECTabControl::DrawTopLine(CDC* pDC)
{
    CRect rcArea;
    GetTabArea(rcArea);
    CRect rcButtons;
    GetButtonArea(rcButtons);
    pDC->SelectObject(&m_penActive);
    int nActive = 0;
    if (!GetActiveTab(nActive) || !IsValidTab(nActive))
    {
        pDC->MoveTo(rcArea.left, rcArea.top);
        pDC->LineTo(rcArea.right, rcArea.top);
        return;
    }
    // Broken under the active tab, which stays open towards the page.
    const int x0 = TabLeft(nActive);
    if (x0 > rcButtons.right)
    {
        pDC->MoveTo(rcArea.left, rcArea.top);
        pDC->LineTo(x0, rcArea.top);
    }
    pDC->MoveTo(x0 + GetTab(nActive).m_nWidth - 1, rcArea.top);
    pDC->LineTo(rcArea.right, rcArea.top);
}

void SECTabControl::DrawTab(CDC* pDC, int nIndex, CRgn* pRgn)
{
    pDC->FillRgn(pRgn, pDC->GetCurrentBrush());
    CRect rcArea;
    GetTabArea(rcArea);
    const int x0 = TabLeft(nIndex);
    const int xRight = x0 + GetTab(nIndex).m_nWidth - 1;
    const int nTop = rcArea.top;
    const int nBottom = rcArea.bottom - 1;
    pDC->MoveTo(x0, nTop);
    pDC->LineTo(x0 + TAB_SLANT, nBottom + 1);
    pDC->MoveTo(xRight, nTop);
    pDC->LineTo(xRight - TAB_SLANT, nBottom + 1);
    pDC->MoveTo(x0 + TAB_SLANT, nBottom);
    pDC->LineTo(xRight - TAB_SLANT + 1, nBottom);

    CPen* pPassPen = pDC->SelectObject(&m_penShadow);
    pDC->MoveTo(x0 + TAB_SLANT, nBottom - 1);
    pDC->LineTo(xRight - TAB_SLANT + 1, nBottom - 1);
    int nActive = 0;
    if (!GetActiveTab(nActive) || nActive != nIndex)
    {
        pDC->MoveTo(xRight - 1, nTop);
        pDC->LineTo(xRight - 1 - TAB_SLANT, nBottom);
    }
    pDC->SelectObject(pPassPen);

    TEXTMETRIC tm{};
    pDC->GetTextMetrics(&tm);
    const UINT nOldAlign = pDC->SetTextAlign(TA_BOTTOM | TA_CENTER);
    pDC->TextOut((x0 + xRight) / 2, nTop + (rcArea.Height() + tm.tmHeight) / 2 - tm.tmDescent / 2,
                 GetTab(nIndex).m_csLabel);
    pDC->SetTextAlign(nOldAlign);
}

BOOL SECTabControl::DrawThemedButton(CDC* pDC, UINT nButton, const CRect& rect)
{
    const bool bStyle4 = SECIsVisualStyle4();
    if (!bStyle4 && !SECIsVisualStyle2() && !SECIsVisualStyle3())
        return FALSE;
    HTHEME hTheme = m_themes.Get(m_hWnd, bStyle4 ? L"Tab" : L"Button");
    if (hTheme == nullptr)
        return FALSE;
    const ButtonThemeStates& states = bStyle4 ? TAB_THEME_STATES : BUTTON_THEME_STATES;
    const int nPart = bStyle4 ? THEME_TAB_ITEM : THEME_PUSHBUTTON;
    const int nState = (m_nDisabledButtons & nButton) ? states.nDisabled
                       : m_nPressedButton == nButton  ? states.nPressed
                                                      : states.nNormal;
    if (bStyle4 && !SECIsThemePartDefined(hTheme, nPart, nState))
        return FALSE;
    return SECDrawThemeBackground(hTheme, *pDC, nPart, nState, &rect, nullptr) >= 0;
}

void SECTabControl::DrawButton(CDC* pDC, UINT nButton)
{
    CRect rect;
    GetButtonRect(nButton, rect);
    const BOOL bPressed = m_nPressedButton == nButton;
    if (!DrawThemedButton(pDC, nButton, rect))
    {
        pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_WINDOWFRAME));
        CRect rcInside = rect;
        rcInside.DeflateRect(1, 1);
        pDC->FillSolidRect(&rcInside, ::GetSysColor(COLOR_BTNFACE));
        const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
        if (bPressed)
        {
            pDC->FillSolidRect(rcInside.left, rcInside.top, rcInside.Width(), 1, clrShadow);
            pDC->FillSolidRect(rcInside.left, rcInside.top, 1, rcInside.Height(), clrShadow);
        }
        else
            pDC->Draw3dRect(&rcInside, ::GetSysColor(COLOR_BTNHIGHLIGHT), clrShadow);
    }
    DrawTriangle(pDC, nButton, rect);
}

void SECTabControl::DrawTriangle(CDC* pDC, UINT nButton, const CRect& rect)
{
    // Odd sizes keep the point on a pixel row.
    const int cy = (rect.Height() / 3) | 1;
    const int cx = cy / 2 + 1;
    const int nShift = m_nPressedButton == nButton ? 1 : 0;
    const int x = rect.left + (rect.Width() - cx) / 2 + nShift;
    const int y = rect.top + (rect.Height() - cy) / 2 + nShift;
    const bool bLeft = nButton == BUTTON_FIRST || nButton == BUTTON_PREV;
    const COLORREF clr = (m_nDisabledButtons & nButton) ? ::GetSysColor(COLOR_BTNSHADOW) : RGB(0, 0, 0);
    // Column by column from the tip, each two rows taller than the last.
    for (int i = 0; i < cx; ++i)
    {
        const int xColumn = bLeft ? x + i : x + cx - 1 - i;
        pDC->FillSolidRect(xColumn, y + cy / 2 - i, 1, 2 * i + 1, clr);
    }
    if (nButton == BUTTON_FIRST)
        pDC->FillSolidRect(x - 2, y, 1, cy, clr);
    else if (nButton == BUTTON_LAST)
        pDC->FillSolidRect(x + cx + 1, y, 1, cy, clr);
}

BOOL SECTabControl::SetTabFont(CFont* pFont, int nWhich, BOOL bRedraw)
{
    LOGFONT lf{};
    if (pFont == nullptr || nWhich < 0 || nWhich > 2 || pFont->GetLogFont(&lf) == 0)
        return FALSE;
    CFont* fonts[] = {&m_fontNormal, &m_fontSelected, &m_fontActive};
    if (!ReplaceFont(*fonts[nWhich], lf))
        return FALSE;
    RecalcLayout();
    if (bRedraw && m_hWnd != nullptr)
    {
        int nActive = 0;
        if (nWhich == 2 && GetActiveTab(nActive))
            InvalidateTab(nActive);
        else
            InvalidateTabsFrom(0);
    }
    return TRUE;
}

void SECTabControl::OnSysColorChange()
{
    CWnd::OnSysColorChange();
    CreateBrushes();
    m_clrTextNormal = m_clrTextSelected = m_clrTextActive = ::GetSysColor(COLOR_BTNTEXT);
}

LRESULT SECTabControl::OnThemeChanged(WPARAM, LPARAM)
{
    m_themes.Close();
    Invalidate();
    return 0;
}

void SECTabControl::OnDestroy()
{
    m_themes.Close();
    SECTabControlBase::OnDestroy();
}
} // namespace tarnwick::tabs
