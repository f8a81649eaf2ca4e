// SECAutoHideBarBtn: a strip's tab, its painting and the hover that slides its bar out and in.
#include <toolkit/foundation/AuxData.h>
#include <toolkit/foundation/BitmapDraw.h>
#include <toolkit/foundation/VisualStyle.h>
#include <toolkit/frames/AutoHideBar.h>
#include <toolkit/frames/AutoHideBarBtn.h>
#include <toolkit/foundation/GdiFallback.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>

namespace tarnwick::frames
{
namespace
{
// The non-client metrics as they were before the padded border was added to them.
constexpr UINT NONCLIENTMETRICS_SIZE = 500;
constexpr int ICON_INSET = 2;
// A label beside an icon starts this far in.
constexpr int LABEL_AFTER_ICON = SECAutoHideBarBtn::ICON_SIZE + 4;
// A turned label starts this far below the tab's top.
constexpr int VERT_LABEL_TOP = 5;
constexpr int BP_USERBUTTON = 6;

bool IsVertSide(UINT nSide)
{
    return nSide == AFX_IDW_DOCKBAR_LEFT || nSide == AFX_IDW_DOCKBAR_RIGHT;
}
} // namespace

void SECAutoHideFonts::Create()
{
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = std::min<UINT>(NONCLIENTMETRICS_SIZE, sizeof(ncm));
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0);
    SECCreateFont(m_fontHorz, ncm.lfMenuFont);
    LOGFONTW lfVert = ncm.lfMenuFont;
    lfVert.lfEscapement = lfVert.lfOrientation = -900;
    ::wcsncpy(lfVert.lfFaceName, L"verdana", LF_FACESIZE - 1);
    SECCreateFont(m_fontVert, lfVert);
    m_nTextHeight = std::abs(static_cast<int>(ncm.lfMenuFont.lfHeight));
    m_nButtonHeight = std::max(ncm.iMenuHeight, ::GetSystemMetrics(SM_CYSMICON));
    m_nTextOffset = (m_nButtonHeight - m_nTextHeight) / 2;
}

BEGIN_MESSAGE_MAP(SECAutoHideBarBtn, CWnd)
ON_WM_CREATE()
ON_WM_MOUSEMOVE()
ON_WM_TIMER()
ON_WM_PAINT()
END_MESSAGE_MAP()

SECAutoHideBarBtn::SECAutoHideBarBtn()
    : m_bHot(FALSE), m_bShown(FALSE), m_bSelected(FALSE), m_nSide(0), m_hWndBar(nullptr), m_pStrip(nullptr),
      m_theme(L"Button")
{
}

UINT SECAutoHideBarBtn::TabID(UINT nSide, HWND hWndBar)
{
    // Window handles are 32-bit values in 64-bit processes too.
    return nSide + static_cast<UINT>(reinterpret_cast<UINT_PTR>(hWndBar) & 0xFFFFFFFFu);
}

BOOL SECAutoHideBarBtn::Create(LPCTSTR lpszLabel, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nSide,
                               HWND hWndBar)
{
    m_strLabel = lpszLabel;
    m_nSide = nSide;
    m_hWndBar = hWndBar;
    return CWnd::Create(nullptr, lpszLabel, dwStyle | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect, pParentWnd,
                        TabID(nSide, hWndBar));
}

int SECAutoHideBarBtn::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    m_fonts.Create();
    return 0;
}

CFont& SECAutoHideBarBtn::GetLabelFont()
{
    return IsVertSide(m_nSide) ? m_fonts.GetVertFont() : m_fonts.GetHorzFont();
}

CFrameWnd* SECAutoHideBarBtn::GetFrame() const
{
    return m_pStrip != nullptr ? m_pStrip->GetDockingFrame() : nullptr;
}

SECControlBar* SECAutoHideBarBtn::FindBar() const
{
    CFrameWnd* pFrame = GetFrame();
    if (pFrame == nullptr)
        return nullptr;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        auto* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd == m_hWndBar)
            return DYNAMIC_DOWNCAST(SECControlBar, pBar);
    }
    return nullptr;
}

void SECAutoHideBarBtn::SetShown(BOOL bShown)
{
    m_bShown = bShown;
    Invalidate();
    UpdateWindow();
}

void SECAutoHideBarBtn::OnMouseMove(UINT, CPoint point)
{
    CWnd* pTop = GetTopLevelParent();
    CRect rectClient;
    GetClientRect(&rectClient);
    if (m_bHot || pTop == nullptr || !IsTopParentActive() || !pTop->IsWindowEnabled() || !rectClient.PtInRect(point))
        return;
    if (m_pStrip != nullptr)
        m_pStrip->SelectButton(this);
    SECControlBar* pBar = FindBar();
    CFrameWnd* pFrame = GetFrame();
    if (pBar == nullptr || pFrame == nullptr)
        return;
    if (pBar->IsVisible())
    {
        if (!pBar->IsAutoHide())
            return;
        SetShown(FALSE);
        pBar->AutoHideSlideIn();
        pFrame->ShowControlBar(pBar, FALSE, FALSE);
        return;
    }
    SetShown(TRUE);
    // The bar of another tab that is out makes way for this one.
    for (SECControlBar* pOther : OtherBarsOut(pBar))
        pFrame->ShowControlBar(pOther, FALSE, TRUE);
    pBar->AutoHideSlideOut();
    m_bHot = TRUE;
    SetTimer(HIDE_TIMER, HIDE_DELAY, nullptr);
}

void SECAutoHideBarBtn::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != HIDE_TIMER)
    {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    SECControlBar* pBar = FindBar();
    CPoint point;
    ::GetCursorPos(&point);
    CRect rectTab;
    GetWindowRect(&rectTab);
    CRect rectBar(0, 0, 0, 0);
    if (pBar != nullptr)
    {
        pBar->GetWindowRect(&rectBar);
        // The gap between the tab and the bar counts as inside.
        switch (pBar->GetAutoHideSide())
        {
        case CBRS_ALIGN_LEFT:
            rectTab.right = rectBar.left;
            break;
        case CBRS_ALIGN_TOP:
            rectTab.bottom = rectBar.top;
            break;
        case CBRS_ALIGN_RIGHT:
            rectTab.left = rectBar.right;
            break;
        case CBRS_ALIGN_BOTTOM:
            rectTab.top = rectBar.bottom;
            break;
        default:
            break;
        }
    }
    if (rectBar.PtInRect(point) || rectTab.PtInRect(point))
        return;
    m_bHot = FALSE;
    // Another bar out has taken this one's place already.
    if (pBar != nullptr && OtherBarsOut(pBar).empty())
        pBar->AutoHideSlideIn();
    SetShown(FALSE);
    KillTimer(HIDE_TIMER);
}

std::vector<SECControlBar*> SECAutoHideBarBtn::OtherBarsOut(const SECControlBar* pBar) const
{
    std::vector<SECControlBar*> bars;
    CFrameWnd* pFrame = GetFrame();
    if (pFrame == nullptr)
        return bars;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        auto* pOther = DYNAMIC_DOWNCAST(SECControlBar, static_cast<CObject*>(pFrame->m_listControlBars.GetNext(pos)));
        if (pOther != nullptr && pOther != pBar && pOther->IsAutoHide() && !pOther->IsPinned() && pOther->IsVisible())
            bars.push_back(pOther);
    }
    return bars;
}

void SECAutoHideBarBtn::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    DrawBackground(&dc, rect);
    if (HasIcon())
        m_icon.DrawIcon(&dc, rect.left + ICON_INSET, rect.top + ICON_INSET, ICON_SIZE, ICON_SIZE);
    // The edge towards the frame's inside is left open in the fill colour.
    const COLORREF clrFill = SECGetStyleColor(3);
    switch (m_nSide)
    {
    case AFX_IDW_DOCKBAR_TOP:
        dc.FillSolidRect(rect.left, rect.top, rect.Width(), 1, clrFill);
        break;
    case AFX_IDW_DOCKBAR_BOTTOM:
        dc.FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, clrFill);
        break;
    case AFX_IDW_DOCKBAR_LEFT:
        dc.FillSolidRect(rect.left, rect.top, 1, rect.Height(), clrFill);
        break;
    default:
        dc.FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), clrFill);
        break;
    }
    if (ShowsLabel())
        DrawLabel(&dc, rect);
}

void SECAutoHideBarBtn::DrawBackground(CDC* pDC, const CRect& rect)
{
    const COLORREF clrFrame = SECGetStyleColor(30);
    CBrush brushFrame(clrFrame);
    if (SECIsVisualStyle3())
    {
        SECDrawGradientRect(pDC->GetSafeHdc(), rect.left, rect.top, rect.Width(), rect.Height(), SECGetStyleColor2(1),
                            SECGetStyleColor2(1), TRUE);
        return;
    }
    if (SECIsVisualStyle4())
    {
        if (!m_theme.DrawPart(m_hWnd, pDC, rect, BP_USERBUTTON, 2))
            pDC->FrameRect(&rect, &brushFrame);
        return;
    }
    pDC->FillSolidRect(&rect, SECGetStyleColor(3));
    pDC->FrameRect(&rect, &brushFrame);
}

void SECAutoHideBarBtn::DrawLabel(CDC* pDC, CRect rect)
{
    const int nSaved = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);
    pDC->SelectObject(&GetLabelFont());
    if (!IsVertSide(m_nSide))
    {
        if (HasIcon())
            rect.left += LABEL_AFTER_ICON;
        pDC->DrawText(m_strLabel, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    else
    {
        // Turned downwards, the text's top faces right: it starts the text offset in from
        // the right and runs down from the top.
        ::SetGraphicsMode(pDC->GetSafeHdc(), GM_ADVANCED);
        pDC->SetTextColor(::GetSysColor(COLOR_WINDOWFRAME));
        CRect rectText(rect.right - m_fonts.GetTextOffset(), rect.top + VERT_LABEL_TOP, rect.right, rect.bottom);
        if (HasIcon())
            rectText.top += LABEL_AFTER_ICON;
        pDC->DrawText(m_strLabel, &rectText, DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    }
    pDC->RestoreDC(nSaved);
}
} // namespace tarnwick::frames
