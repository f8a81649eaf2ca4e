#include "3DTabControl.h"

#include <toolkit/foundation/AuxData.h>
#include <toolkit/foundation/BitmapDraw.h>
#include <toolkit/foundation/Colors.h>
#include <toolkit/foundation/VisualStyle.h>
#include <toolkit/foundation/GdiFallback.h>

#include <cstdlib>
#include <initializer_list>
#include <vector>

namespace tarnwick::tabs
{
namespace
{
constexpr int ICON_SIZE = 16;
// The room an icon takes in a tab's length: the icon and the gap after it.
constexpr int ICON_ROOM = 19;
// Padding on each side of a tab's content, and the slack a fitting strip keeps.
constexpr int TAB_PADDING = 6;
constexpr int STRIP_SLACK = 12;
// The active tab's growth in the classic look.
constexpr int ACTIVE_GROWTH = 3;
constexpr int THEME_TAB_ITEM = 1;
constexpr int THEME_TAB_PANE = 5;
constexpr int THEME_STATE_NORMAL = 1;
constexpr int THEME_STATE_SELECTED = 3;
// PSDPxax: the pattern where the monochrome source is dark, the destination elsewhere.
constexpr DWORD ROP_PATTERN_WHERE_DARK = 0x00B8074A;

const CString ELLIPSIS = _T("...");

// Maps points given for a tab below the page onto the tab on its own side. x runs along the
// strip from 0 to Length, y across it from 0 (the open edge, towards the page) to Thickness;
// both ends are pixels of the tab.
class TabFrame
{
public:
    TabFrame(const CRect& rect, DWORD dwSide) : m_rect(rect), m_side(dwSide)
    {
    }
    int Length() const
    {
        return (IsVertical() ? m_rect.Height() : m_rect.Width()) - 1;
    }
    int Thickness() const
    {
        return (IsVertical() ? m_rect.Width() : m_rect.Height()) - 1;
    }
    CPoint Map(int x, int y) const
    {
        switch (m_side)
        {
        case TWS_TABS_TOP:
            return {m_rect.left + x, m_rect.bottom - 1 - y};
        case TWS_TABS_RIGHT:
            return {m_rect.left + y, m_rect.top + x};
        case TWS_TABS_LEFT:
            return {m_rect.right - 1 - y, m_rect.top + x};
        default:
            return {m_rect.left + x, m_rect.top + y};
        }
    }
    void Path(CDC* pDC, CPen* pPen, std::initializer_list<POINT> points) const
    {
        CPen* pOldPen = pDC->SelectObject(pPen);
        bool bFirst = true;
        for (const POINT& pt : points)
        {
            const CPoint mapped = Map(pt.x, pt.y);
            if (bFirst)
                pDC->MoveTo(mapped);
            else
                pDC->LineTo(mapped);
            bFirst = false;
        }
        pDC->SelectObject(pOldPen);
    }

private:
    bool IsVertical() const
    {
        return m_side == TWS_TABS_LEFT || m_side == TWS_TABS_RIGHT;
    }

    CRect m_rect;
    DWORD m_side;
};

// The side of the page the strip stands on; a style without one puts it at the right.
DWORD StripSide(DWORD dwStyle)
{
    for (DWORD side : {TWS_TABS_BOTTOM, TWS_TABS_TOP, TWS_TABS_LEFT, TWS_TABS_RIGHT})
    {
        if (dwStyle & side)
            return side;
    }
    return TWS_TABS_RIGHT;
}

int Escapement(DWORD dwStyle)
{
    switch (StripSide(dwStyle))
    {
    case TWS_TABS_LEFT:
        return 900;
    case TWS_TABS_RIGHT:
        return -900;
    default:
        return 0;
    }
}

// The labels of tabs that are not selected in the modern look: the inactive caption text
// made darker.
COLORREF InactiveLabelColor()
{
    WORD hue = 0;
    WORD lightness = 0;
    WORD saturation = 0;
    SECHlsFromRgb(::GetSysColor(COLOR_INACTIVECAPTIONTEXT), &hue, &lightness, &saturation);
    lightness = lightness < 114 ? 30 : static_cast<WORD>(lightness - 113);
    return SECRgbFromHls(hue, lightness, saturation);
}
} // namespace

IMPLEMENT_DYNAMIC(SEC3DTabControl, SECTabControlBase)

BEGIN_MESSAGE_MAP(SEC3DTabControl, SECTabControlBase)
ON_WM_PAINT()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSEMOVE()
ON_WM_KEYDOWN()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_SYSCOLORCHANGE()
ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
ON_WM_DESTROY()
END_MESSAGE_MAP()

SEC3DTabControl::SEC3DTabControl() = default;

SEC3DTabControl::~SEC3DTabControl()
{
    DestroyGdiObjects();
}

void SEC3DTabControl::Initialize(DWORD dwStyle)
{
    // Labels are measured on this DC; without it no tab could be sized.
    if (m_dcMeasure.m_hDC == nullptr && !m_dcMeasure.CreateCompatibleDC(nullptr))
        AfxThrowResourceException();
    CreateFonts(dwStyle);
    m_penNormal.DeleteObject();
    m_penActive.DeleteObject();
    SECCreatePen(m_penNormal, PS_SOLID, 1, RGB(0, 0, 0));
    SECCreatePen(m_penActive, PS_SOLID, 1, RGB(0, 0, 0));
    CreatePens();
    m_clrTextNormal = ::GetSysColor(COLOR_BTNTEXT);
    m_clrTextActive = ::GetSysColor(COLOR_BTNTEXT);
    EnableToolTips(TRUE);
}

void SEC3DTabControl::CreatePens()
{
    m_penShadow.DeleteObject();
    m_penHighlight.DeleteObject();
    SECCreatePen(m_penShadow, PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    SECCreatePen(m_penHighlight, PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

void SEC3DTabControl::CreateFonts(DWORD dwStyle)
{
    LOGFONT lf{};
    lf.lfWeight = FW_NORMAL;
    lf.lfPitchAndFamily = FF_SWISS;
    lf.lfEscapement = lf.lfOrientation = Escapement(dwStyle);
    LOGFONT lfActive;
    if (dwStyle & TWS_MODERN)
    {
        HDC hdcScreen = ::GetDC(nullptr);
        lf.lfHeight = -::MulDiv(::GetDeviceCaps(hdcScreen, LOGPIXELSY), 85, 720);
        ::ReleaseDC(nullptr, hdcScreen);
        lstrcpyn(lf.lfFaceName, _T("Tahoma"), LF_FACESIZE);
        lfActive = lf;
    }
    else
    {
        lf.lfHeight = 15;
        lstrcpyn(lf.lfFaceName, _T("Arial Narrow"), LF_FACESIZE);
        lfActive = lf;
        lfActive.lfWeight = FW_SEMIBOLD;
    }
    if (m_pOldMeasureFont != nullptr)
        m_dcMeasure.SelectObject(m_pOldMeasureFont);
    ReplaceFont(m_fontNormal, lf);
    ReplaceFont(m_fontActive, lfActive);
    m_pOldMeasureFont = m_dcMeasure.SelectObject(&m_fontActive);
    ForgetLabelWidths();
}

void SEC3DTabControl::DestroyGdiObjects()
{
    if (m_pOldMeasureFont != nullptr)
    {
        m_dcMeasure.SelectObject(m_pOldMeasureFont);
        m_pOldMeasureFont = nullptr;
    }
    m_fontNormal.DeleteObject();
    m_fontActive.DeleteObject();
    m_penNormal.DeleteObject();
    m_penActive.DeleteObject();
    m_penShadow.DeleteObject();
    m_penHighlight.DeleteObject();
}

SECTab* SEC3DTabControl::CreateNewTab() const
{
    return new SEC3DTab;
}

SEC3DTab& SEC3DTabControl::GetTab3D(int nIndex) const
{
    return static_cast<SEC3DTab&>(GetTab(nIndex));
}

void SEC3DTabControl::EnableLabelFitting(BOOL bFit)
{
    m_bFitLabels = bFit;
    RecalcLayout();
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

BOOL SEC3DTabControl::AreLabelsShown() const
{
    return m_bShowLabels;
}

COLORREF SEC3DTabControl::GetInactiveTabColor()
{
    WORD hue = 0;
    WORD lightness = 0;
    WORD saturation = 0;
    SECHlsFromRgb(::GetSysColor(COLOR_BTNHIGHLIGHT), &hue, &lightness, &saturation);
    return SECRgbFromHls(hue, lightness, static_cast<WORD>(std::min(saturation + 100, 240)));
}

BOOL SEC3DTabControl::IsHorizontal() const
{
    const DWORD side = StripSide(GetStyle());
    return side == TWS_TABS_BOTTOM || side == TWS_TABS_TOP;
}

BOOL SEC3DTabControl::IsModern() const
{
    return (GetStyle() & TWS_MODERN) != 0;
}

BOOL SEC3DTabControl::IsParentTabStop() const
{
    const CWnd* pParent = GetParent();
    return pParent != nullptr && (pParent->GetStyle() & WS_TABSTOP) != 0;
}

int SEC3DTabControl::IconWidth(const SEC3DTab& tab) const
{
    return tab.m_hIcon != nullptr ? ICON_ROOM : 0;
}

int SEC3DTabControl::MeasureLabel(const CString& label) const
{
    return m_dcMeasure.GetTextExtent(label).cx;
}

int SEC3DTabControl::FullLabelWidth(SEC3DTab& tab) const
{
    if (tab.m_nFullLabelWidth < 0)
        tab.m_nFullLabelWidth = MeasureLabel(tab.m_csFullLabel);
    return tab.m_nFullLabelWidth;
}

void SEC3DTabControl::ForgetLabelWidths()
{
    for (int i = 0; i < GetTabCount(); ++i)
        GetTab3D(i).m_nFullLabelWidth = -1;
}

void SEC3DTabControl::RecalcLayout()
{
    if (m_hWnd == nullptr || m_fontActive.m_hObject == nullptr)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    const DWORD dwStyle = GetStyle();
    const DWORD side = StripSide(dwStyle);
    const BOOL bHorizontal = IsHorizontal();
    const int nLength = bHorizontal ? rcClient.Width() : rcClient.Height();

    int nTotal = 0;
    for (int i = 0; i < GetTabCount(); ++i)
    {
        SEC3DTab& tab = GetTab3D(i);
        nTotal += 2 * TAB_PADDING + IconWidth(tab) + FullLabelWidth(tab);
    }
    if (m_bFitLabels)
        FitLabels(nTotal, ICON_ROOM * GetTabCount(), nLength);
    else
    {
        for (int i = 0; i < GetTabCount(); ++i)
        {
            SEC3DTab& tab = GetTab3D(i);
            tab.m_csLabel = tab.m_csFullLabel;
            tab.m_bToolTip = FALSE;
        }
        m_bShowLabels = nLength > nTotal + STRIP_SLACK;
    }

    int x = 0;
    int y = 0;
    if (bHorizontal)
    {
        x = rcClient.left + m_nFirstOffset;
        y = side == TWS_TABS_BOTTOM ? rcClient.top + 2 : rcClient.bottom - m_nTabHeight - 3;
    }
    else
    {
        x = side == TWS_TABS_LEFT ? rcClient.right - m_nTabWidth - 3 : rcClient.left + 2;
        y = rcClient.top + m_nFirstOffset;
    }
    const DWORD dwSizeStyle = (dwStyle & ~TWS_TABS_SIDES) | side;
    for (int i = 0; i < GetTabCount(); ++i)
    {
        SizeTab(i, x, y, dwSizeStyle);
        const CRect& rect = GetTab3D(i).m_rect;
        if (bHorizontal)
            x = rect.right;
        else
            y = rect.bottom;
    }

    // The classic active tab stands out along the strip and away from the page.
    int nActive = 0;
    if (!(dwStyle & (TWS_NOACTIVE_GROW | TWS_MODERN)) && GetActiveTab(nActive) && IsValidTab(nActive))
    {
        CRect& rect = GetTab3D(nActive).m_rect;
        switch (side)
        {
        case TWS_TABS_BOTTOM:
            rect.InflateRect(ACTIVE_GROWTH, 0, ACTIVE_GROWTH, ACTIVE_GROWTH);
            break;
        case TWS_TABS_TOP:
            rect.InflateRect(ACTIVE_GROWTH, ACTIVE_GROWTH, ACTIVE_GROWTH, 0);
            break;
        case TWS_TABS_LEFT:
            rect.InflateRect(ACTIVE_GROWTH, ACTIVE_GROWTH, 0, ACTIVE_GROWTH);
            break;
        default:
            rect.InflateRect(0, ACTIVE_GROWTH, ACTIVE_GROWTH, ACTIVE_GROWTH);
            break;
        }
    }
}

void SEC3DTabControl::SizeTab(int nIndex, int x, int y, DWORD dwStyle)
{
    SEC3DTab& tab = GetTab3D(nIndex);
    int nLength = tab.m_hIcon != nullptr ? TAB_PADDING + ICON_ROOM : TAB_PADDING;
    if (m_bShowLabels)
        nLength +=
            (tab.m_csLabel == tab.m_csFullLabel ? FullLabelWidth(tab) : MeasureLabel(tab.m_csLabel)) + TAB_PADDING;
    const DWORD side = StripSide(dwStyle);
    if (side == TWS_TABS_BOTTOM || side == TWS_TABS_TOP)
    {
        tab.m_nWidth = nLength;
        tab.m_nHeight = m_nTabHeight;
    }
    else
    {
        tab.m_nWidth = m_nTabWidth;
        tab.m_nHeight = nLength;
    }
    tab.m_rect.SetRect(x, y, x + tab.m_nWidth, y + tab.m_nHeight);
}

void SEC3DTabControl::FitLabels(int nTotal, int nIconsOnly, int nAvailable)
{
    if (nTotal == 0)
        return;
    const int nCount = GetTabCount();
    std::vector<int> widths(nCount);
    // Characters of the full label kept before the "...".
    std::vector<int> kept(nCount);
    const auto shownTotal = [&] {
        int nSum = 0;
        for (int i = 0; i < nCount; ++i)
            nSum += 2 * TAB_PADDING + IconWidth(GetTab3D(i)) + widths[i];
        return nSum;
    };
    const auto fits = [&](int nLength) { return nAvailable > nLength + STRIP_SLACK; };
    const auto show = [&](int i, const CString& label, BOOL bToolTip, int nWidth) {
        SEC3DTab& tab = GetTab3D(i);
        tab.m_csLabel = label;
        tab.m_bToolTip = bToolTip;
        widths[i] = nWidth;
    };
    const int nEllipsisWidth = MeasureLabel(ELLIPSIS);

    // The trial: would the strip hold every long label as "..."?
    for (int i = 0; i < nCount; ++i)
    {
        SEC3DTab& tab = GetTab3D(i);
        kept[i] = tab.m_csFullLabel.GetLength();
        const BOOL bCut = tab.m_csFullLabel.GetLength() >= 3;
        show(i, bCut ? ELLIPSIS : tab.m_csFullLabel, bCut, bCut ? nEllipsisWidth : FullLabelWidth(tab));
    }
    const BOOL bCanShorten = fits(shownTotal());
    if (bCanShorten)
    {
        for (int i = 0; i < nCount; ++i)
            show(i, GetTab3D(i).m_csFullLabel, FALSE, FullLabelWidth(GetTab3D(i)));
    }

    m_bShowLabels = nAvailable > nIconsOnly;
    if (nAvailable <= 0)
        return;

    // The widest label gives up characters first.
    const auto widest = [&](auto&& canShrink) {
        int nBest = -1;
        for (int i = 0; i < nCount; ++i)
        {
            if (canShrink(i) && (nBest < 0 || widths[i] > widths[nBest]))
                nBest = i;
        }
        return nBest;
    };
    while (bCanShorten && !fits(shownTotal()))
    {
        const int i = widest([&](int j) { return kept[j] > 0; });
        if (i < 0)
            break;
        const CString& full = GetTab3D(i).m_csFullLabel;
        --kept[i];
        const CString shown = full.GetLength() >= 3 ? full.Left(kept[i]) + ELLIPSIS : full.Left(kept[i]);
        show(i, shown, TRUE, MeasureLabel(shown));
    }
    while (m_bShowLabels && !bCanShorten && !fits(shownTotal()))
    {
        for (int i = 0; i < nCount; ++i)
            GetTab3D(i).m_bToolTip = TRUE;
        const int i = widest([&](int j) { return !GetTab3D(j).m_csLabel.IsEmpty(); });
        if (i < 0)
        {
            m_bShowLabels = FALSE;
            break;
        }
        const CString shown = GetTab3D(i).m_csLabel.Left(GetTab3D(i).m_csLabel.GetLength() - 1);
        show(i, shown, TRUE, MeasureLabel(shown));
    }
}

void SEC3DTabControl::GetTabRect(int nIndex, CRect& rect) const
{
    rect = GetTab3D(nIndex).m_rect;
}

int SEC3DTabControl::HitTest(CPoint point, int nFrom) const
{
    for (int i = std::max(nFrom, 0); i < GetTabCount(); ++i)
    {
        const SEC3DTab& tab = GetTab3D(i);
        if (tab.m_bEnabled && tab.m_rect.PtInRect(point))
            return i;
    }
    return -1;
}

void SEC3DTabControl::OnActivateTab(int)
{
    RecalcLayout();
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void SEC3DTabControl::InvalidateTab(int nIndex)
{
    if (m_hWnd == nullptr || !IsValidTab(nIndex))
        return;
    CRect rect = GetTab3D(nIndex).m_rect;
    rect.InflateRect(0, 0, 1, 1);
    InvalidateRect(&rect, FALSE);
}

void SEC3DTabControl::SetTabIcon(int nIndex, LPCTSTR lpszResourceName, int cx, int cy)
{
    HICON hIcon = static_cast<HICON>(::LoadImage(AfxGetResourceHandle(), lpszResourceName, IMAGE_ICON, cx, cy, 0));
    if (!IsValidTab(nIndex))
    {
        if (hIcon != nullptr)
            ::DestroyIcon(hIcon);
        return;
    }
    GetTab3D(nIndex).SetIcon(hIcon);
    RecalcLayout();
    InvalidateTabsOnward(nIndex);
}

void SEC3DTabControl::SetTabIcon(int nIndex, UINT nIDResource, int cx, int cy)
{
    SetTabIcon(nIndex, MAKEINTRESOURCE(nIDResource), cx, cy);
}

void SEC3DTabControl::SetTabIcon(int nIndex, HICON hIcon)
{
    if (!IsValidTab(nIndex))
        return;
    // CopyImage makes the same copy as CopyIcon, for less under some systems.
    GetTab3D(nIndex).SetIcon(hIcon != nullptr ? static_cast<HICON>(::CopyImage(hIcon, IMAGE_ICON, 0, 0, 0)) : nullptr);
    RecalcLayout();
    InvalidateTabsOnward(nIndex);
}

void SEC3DTabControl::InvalidateTabsOnward(int nIndex)
{
    if (m_hWnd == nullptr || !IsValidTab(nIndex))
        return;
    CRect rect;
    GetClientRect(&rect);
    const CRect& rcTab = GetTab3D(nIndex).m_rect;
    (IsHorizontal() ? rect.left : rect.top) = (IsHorizontal() ? rcTab.left : rcTab.top) - ACTIVE_GROWTH;
    InvalidateRect(&rect, FALSE);
}

void SEC3DTabControl::EnableTab(int nIndex, BOOL bEnable)
{
    if (!IsValidTab(nIndex))
        return;
    SEC3DTab& tab = GetTab3D(nIndex);
    if (!tab.m_bEnabled != !bEnable)
    {
        tab.m_bEnabled = bEnable;
        InvalidateTab(nIndex);
    }
}

BOOL SEC3DTabControl::IsTabEnabled(int nIndex) const
{
    return IsValidTab(nIndex) && GetTab3D(nIndex).m_bEnabled;
}

BOOL SEC3DTabControl::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    const BOOL bChanged = CWnd::ModifyStyle(dwRemove, dwAdd, nFlags);
    if (dwAdd & TWS_TABS_SIDES)
    {
        CreateFonts(GetStyle());
        RecalcLayout();
        Invalidate(FALSE);
    }
    return bChanged;
}

BOOL SEC3DTabControl::SetTabFont(CFont* pFont, int nWhich, BOOL bRedraw)
{
    LOGFONT lf{};
    if (pFont == nullptr || (nWhich != 0 && nWhich != 1) || pFont->GetLogFont(&lf) == 0)
        return FALSE;
    lf.lfEscapement = lf.lfOrientation = Escapement(GetStyle());
    CFont& font = nWhich == 1 ? m_fontActive : m_fontNormal;
    if (nWhich == 1 && m_pOldMeasureFont != nullptr)
        m_dcMeasure.SelectObject(m_pOldMeasureFont);
    // A font that cannot be made leaves the old one in place.
    const BOOL bMade = ReplaceFont(font, lf);
    if (nWhich == 1)
    {
        m_pOldMeasureFont = m_dcMeasure.SelectObject(&m_fontActive);
        ForgetLabelWidths();
    }
    if (!bMade)
        return FALSE;
    RecalcLayout();
    if (bRedraw && m_hWnd != nullptr)
    {
        int nActive = 0;
        if (nWhich == 1 && GetActiveTab(nActive))
            InvalidateTab(nActive);
        else
            Invalidate(FALSE);
    }
    return TRUE;
}

void SEC3DTabControl::OnPaint()
{
    CPaintDC dc(this);
    PaintStrip(&dc, dc.m_ps.rcPaint);
}

LRESULT SEC3DTabControl::OnPrintClient(WPARAM wParam, LPARAM)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    PaintStrip(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), rcClient);
    return 0;
}

BOOL SEC3DTabControl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void SEC3DTabControl::PaintStrip(CDC* pDC, const CRect& rcUpdate)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty())
        return;
    CDC dcMem;
    CBitmap bitmap;
    if (!dcMem.CreateCompatibleDC(pDC) || !bitmap.CreateCompatibleBitmap(pDC, rcClient.Width(), rcClient.Height()))
        return;
    CBitmap* pOldBitmap = dcMem.SelectObject(&bitmap);
    dcMem.SetBkMode(TRANSPARENT);
    DrawBackground(&dcMem, rcClient);

    CFont* pOldFont = dcMem.SelectObject(&m_fontNormal);
    CPen* pOldPen = dcMem.SelectObject(&m_penNormal);
    dcMem.SetTextColor(m_clrTextNormal);
    int nActive = 0;
    const BOOL bActive = GetActiveTab(nActive) && IsValidTab(nActive);
    for (int i = 0; i < GetTabCount(); ++i)
    {
        if (!bActive || i != nActive)
            DrawTab(&dcMem, i);
    }
    CRect rcActive;
    if (bActive && rcActive.IntersectRect(GetTab3D(nActive).m_rect, rcUpdate))
    {
        dcMem.SelectObject(&m_fontActive);
        dcMem.SelectObject(&m_penActive);
        dcMem.SetTextColor(m_clrTextActive);
        DrawTab(&dcMem, nActive);
    }
    pDC->BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(pOldPen);
    dcMem.SelectObject(pOldFont);
    dcMem.SelectObject(pOldBitmap);
}

void SEC3DTabControl::DrawBackground(CDC* pDC, const CRect& rcClient)
{
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    if (!IsModern())
    {
        FillSolidRect(pDC, rcClient.left, rcClient.top, rcClient.Width(), rcClient.Height(), clrFace);
        return;
    }
    const BOOL bHorizontal = IsHorizontal();
    if (SECIsVisualStyle3())
    {
        // Two gradients across the strip's thickness, meeting in its middle.
        const COLORREF clrEdge = SECGetStyleColor2(2);
        const COLORREF clrMiddle = SECGetStyleColor2(1);
        if (bHorizontal)
        {
            const int nHalf = rcClient.Height() / 2;
            SECDrawGradientRect(*pDC, rcClient.left, rcClient.top, rcClient.Width(), nHalf, clrMiddle, clrEdge, FALSE);
            SECDrawGradientRect(*pDC, rcClient.left, rcClient.top + nHalf, rcClient.Width(), rcClient.Height() - nHalf,
                                clrEdge, clrMiddle, FALSE);
        }
        else
        {
            const int nHalf = rcClient.Width() / 2;
            SECDrawGradientRect(*pDC, rcClient.left, rcClient.top, nHalf, rcClient.Height(), clrMiddle, clrEdge, TRUE);
            SECDrawGradientRect(*pDC, rcClient.left + nHalf, rcClient.top, rcClient.Width() - nHalf, rcClient.Height(),
                                clrEdge, clrMiddle, TRUE);
        }
        return;
    }
    if (HTHEME hTheme = SECIsVisualStyle4() ? m_theme.Get(m_hWnd) : nullptr;
        hTheme != nullptr &&
        SECDrawThemeBackground(hTheme, *pDC, THEME_TAB_PANE, THEME_STATE_NORMAL, &rcClient, nullptr) >= 0)
        return;

    // The inactive colour with a button-face outline on the three sides away from the page.
    const DWORD side = StripSide(GetStyle());
    const TabFrame frame(rcClient, side);
    const int nLength = frame.Length();
    const int nThick = frame.Thickness();
    FillSolidRect(pDC, rcClient.left, rcClient.top, rcClient.Width(), rcClient.Height(), GetInactiveTabColor());
    if (side == TWS_TABS_BOTTOM)
        FillSolidRect(pDC, rcClient.left, rcClient.bottom - 2, rcClient.Width(), 2, clrFace);
    CPen penFace(PS_SOLID, 1, clrFace);
    frame.Path(pDC, &penFace, {{0, 0}, {0, nThick - 2}, {nLength, nThick - 2}, {nLength, -1}});
}

void SEC3DTabControl::DrawTab(CDC* pDC, int nIndex)
{
    SEC3DTab& tab = GetTab3D(nIndex);
    const DWORD dwStyle = GetStyle();
    const DWORD side = StripSide(dwStyle);
    int nActive = 0;
    const BOOL bActive = GetActiveTab(nActive) && nActive == nIndex;

    CRect rect = tab.m_rect;
    if (side == TWS_TABS_BOTTOM)
        rect.right -= 1;
    else if (side == TWS_TABS_RIGHT)
        rect.bottom -= 2;
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    if (!(dwStyle & TWS_MODERN))
        FillSolidRect(pDC, rect.left, rect.top, rect.Width(), rect.Height(), clrFace);
    else
    {
        if (bActive && side == TWS_TABS_TOP)
            rect.bottom += 1;
        else if (bActive && side == TWS_TABS_LEFT)
            rect.right += 1;
        if (SECIsVisualStyle3())
        {
            if (bActive && (dwStyle & TWS_TABS_SIDES))
                SECDrawGradientRect(*pDC, rect.left, rect.top, rect.Width(), rect.Height(), SECGetStyleColor2(2),
                                    SECGetStyleColor2(1), IsHorizontal());
        }
        else if (SECIsVisualStyle4())
        {
            if (bActive)
            {
                CRect rcTheme = rect;
                rcTheme.right += 1;
                HTHEME hTheme = m_theme.Get(m_hWnd);
                if (hTheme == nullptr ||
                    SECDrawThemeBackground(hTheme, *pDC, THEME_TAB_ITEM, THEME_STATE_SELECTED, &rcTheme, nullptr) < 0)
                    FillSolidRect(pDC, rect.left, rect.top, rect.Width(), rect.Height(), clrFace);
            }
        }
        else
            FillSolidRect(pDC, rect.left, rect.top, rect.Width(), rect.Height(),
                          bActive ? clrFace : GetInactiveTabColor());
    }

    const DWORD dwFlags = (dwStyle & TWS_MODERN) | side;
    switch (side)
    {
    case TWS_TABS_TOP:
        DrawTabTop(pDC, tab, dwFlags);
        break;
    case TWS_TABS_RIGHT:
        DrawTabRight(pDC, tab, dwFlags);
        break;
    case TWS_TABS_LEFT:
        DrawTabLeft(pDC, tab, dwFlags);
        break;
    default:
        DrawTabBottom(pDC, tab, dwFlags);
        break;
    }
}

void SEC3DTabControl::DrawTabBottom(CDC* pDC, SEC3DTab& tab, DWORD dwFlags)
{
    DrawTabEdges(pDC, tab, dwFlags, TWS_TABS_BOTTOM);
    DrawTabLabel(pDC, tab, dwFlags);
}

void SEC3DTabControl::DrawTabTop(CDC* pDC, SEC3DTab& tab, DWORD dwFlags)
{
    DrawTabEdges(pDC, tab, dwFlags, TWS_TABS_TOP);
    DrawTabLabel(pDC, tab, dwFlags);
}

void SEC3DTabControl::DrawTabLeft(CDC* pDC, SEC3DTab& tab, DWORD dwFlags)
{
    DrawTabEdges(pDC, tab, dwFlags, TWS_TABS_LEFT);
    DrawTabLabel(pDC, tab, dwFlags);
}

void SEC3DTabControl::DrawTabRight(CDC* pDC, SEC3DTab& tab, DWORD dwFlags)
{
    DrawTabEdges(pDC, tab, dwFlags, TWS_TABS_RIGHT);
    DrawTabLabel(pDC, tab, dwFlags);
}

void SEC3DTabControl::DrawTabEdges(CDC* pDC, SEC3DTab& tab, DWORD dwFlags, DWORD dwSide)
{
    const TabFrame frame(tab.m_rect, dwSide);
    const int R = frame.Length();
    const int B = frame.Thickness();
    CPen* pPassPen = pDC->GetCurrentPen();
    if (!(dwFlags & TWS_MODERN))
    {
        const int Rx = (GetStyle() & TWS_RIGHT_INSET) ? R - 1 : R;
        const BOOL bStyle4 = SECIsVisualStyle4();
        frame.Path(pDC, bStyle4 ? &m_penShadow : &m_penHighlight, {{0, 1}, {0, B - 2}});
        if (!bStyle4)
            frame.Path(
                pDC, &m_penShadow,
                {{1, B - 2}, {1, B - 1}, {Rx - 2, B - 1}, {Rx - 2, B - 2}, {Rx - 1, B - 2}, {Rx - 1, 0}, {Rx, 0}});
        frame.Path(pDC, pPassPen, {{Rx, 2}, {Rx, B - 2}, {Rx - 2, B}, {2, B}});
        return;
    }
    if (!tab.m_bSelected)
    {
        CPen penSeparator(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
        frame.Path(pDC, &penSeparator, {{R - 1, 3}, {R - 1, B - 1}});
        return;
    }
    if (SECIsVisualStyle3() || SECIsVisualStyle4())
    {
        frame.Path(pDC, &m_penHighlight, {{0, B}, {R - 1, B}, {R - 1, -1}});
        frame.Path(pDC, &m_penHighlight, {{0, B}, {0, -1}});
        return;
    }
    CPen penFrame(PS_SOLID, 1, ::GetSysColor(COLOR_WINDOWFRAME));
    CPen penInactive(PS_SOLID, 1, GetInactiveTabColor());
    frame.Path(pDC, &m_penHighlight, {{0, 0}, {0, B + 1}});
    frame.Path(pDC, &penFrame, {{1, B}, {R - 1, B}, {R - 1, -1}});
    // Covers the separator of the tab before.
    frame.Path(pDC, &penInactive, {{-1, 3}, {-1, B - 1}});
}

void SEC3DTabControl::DrawTabLabel(CDC* pDC, SEC3DTab& tab, DWORD dwFlags)
{
    const DWORD side = StripSide(dwFlags);
    const CRect& rect = tab.m_rect;
    TEXTMETRIC tm{};
    pDC->GetTextMetrics(&tm);
    const int nIcon = IconWidth(tab);
    const CPoint centre = rect.CenterPoint();
    CPoint ptIcon;
    CPoint ptText;
    switch (side)
    {
    case TWS_TABS_LEFT:
        ptIcon.SetPoint(centre.x - ICON_SIZE / 2, rect.bottom - TAB_PADDING - ICON_SIZE);
        ptText.SetPoint(centre.x - tm.tmHeight / 2, rect.bottom - TAB_PADDING - nIcon);
        break;
    case TWS_TABS_RIGHT:
        ptIcon.SetPoint(centre.x - ICON_SIZE / 2, rect.top + TAB_PADDING);
        ptText.SetPoint(centre.x + tm.tmHeight / 2, rect.top + TAB_PADDING + nIcon);
        break;
    default:
        ptIcon.SetPoint(rect.left + TAB_PADDING, centre.y - ICON_SIZE / 2);
        ptText.SetPoint(rect.left + TAB_PADDING + nIcon, centre.y - tm.tmHeight / 2);
        break;
    }

    const COLORREF clrOldText = pDC->GetTextColor();
    if ((dwFlags & TWS_MODERN) && !tab.m_bSelected)
        pDC->SetTextColor(InactiveLabelColor());
    if (tab.m_bEnabled)
    {
        if (tab.m_hIcon != nullptr)
            ::DrawIconEx(*pDC, ptIcon.x, ptIcon.y, tab.m_hIcon, ICON_SIZE, ICON_SIZE, 0, nullptr, DI_NORMAL);
        if (m_bShowLabels)
            pDC->ExtTextOut(ptText.x, ptText.y, ETO_CLIPPED, &rect, tab.m_csLabel, nullptr);
    }
    else
    {
        // The icon's shape and the label in black on white, then embossed.
        CDC dcMono;
        CBitmap bmMono;
        if (!dcMono.CreateCompatibleDC(pDC) || !bmMono.CreateBitmap(rect.Width(), rect.Height(), 1, 1, nullptr))
        {
            pDC->SetTextColor(clrOldText);
            return;
        }
        CBitmap* pOldBitmap = dcMono.SelectObject(&bmMono);
        dcMono.PatBlt(0, 0, rect.Width(), rect.Height(), WHITENESS);
        dcMono.SetWindowOrg(rect.left, rect.top);
        if (tab.m_hIcon != nullptr)
            ::DrawIconEx(dcMono, ptIcon.x, ptIcon.y, tab.m_hIcon, ICON_SIZE, ICON_SIZE, 0, nullptr, DI_MASK);
        if (m_bShowLabels)
        {
            CFont* pOldFont = dcMono.SelectObject(pDC->GetCurrentFont());
            dcMono.SetBkMode(TRANSPARENT);
            dcMono.SetTextColor(RGB(0, 0, 0));
            dcMono.ExtTextOut(ptText.x, ptText.y, ETO_CLIPPED, &rect, tab.m_csLabel, nullptr);
            dcMono.SelectObject(pOldFont);
        }
        dcMono.SetWindowOrg(0, 0);
        DrawDisabled(pDC, &dcMono, rect.left, rect.top, rect.Width(), rect.Height());
        dcMono.SelectObject(pOldBitmap);
    }
    pDC->SetTextColor(clrOldText);

    if (tab.m_bSelected && IsParentTabStop() && ::GetFocus() == m_hWnd)
    {
        CRect rcFocus = rect;
        rcFocus.DeflateRect(3, 3);
        pDC->DrawFocusRect(&rcFocus);
    }
}

void SEC3DTabControl::DrawDisabled(CDC* pDC, CDC* pMonoDC, int x, int y, int cx, int cy)
{
    const COLORREF clrOldBk = pDC->SetBkColor(RGB(255, 255, 255));
    const COLORREF clrOldText = pDC->SetTextColor(RGB(0, 0, 0));
    CBrush brHighlight(::GetSysColor(COLOR_BTNHIGHLIGHT));
    CBrush brShadow(::GetSysColor(COLOR_BTNSHADOW));
    CBrush* pOldBrush = pDC->SelectObject(&brHighlight);
    pDC->BitBlt(x + 1, y + 1, cx, cy, pMonoDC, 0, 0, ROP_PATTERN_WHERE_DARK);
    pDC->SelectObject(&brShadow);
    pDC->BitBlt(x, y, cx, cy, pMonoDC, 0, 0, ROP_PATTERN_WHERE_DARK);
    pDC->SelectObject(pOldBrush);
    pDC->SetTextColor(clrOldText);
    pDC->SetBkColor(clrOldBk);
}

void SEC3DTabControl::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    RecalcLayout();
    Invalidate(FALSE);
}

void SEC3DTabControl::OnLButtonDown(UINT, CPoint point)
{
    int nBefore = 0;
    const BOOL bHadActive = GetActiveTab(nBefore);
    // Where the enlarged active tab overlaps a neighbour, both are hit.
    for (int i = HitTest(point); i >= 0; i = HitTest(point, i + 1))
    {
        if (bHadActive && i == nBefore)
            NotifyReactivate();
        else
            ActivateTab(i);
    }
    if (GetStyle() & TWS_DRAGGABLE)
        SetCapture();
    if (IsParentTabStop())
        SetFocus();
}

void SEC3DTabControl::OnLButtonUp(UINT, CPoint)
{
    if ((GetStyle() & TWS_DRAGGABLE) && GetCapture() == this)
        ::ReleaseCapture();
}

void SEC3DTabControl::OnLButtonDblClk(UINT, CPoint point)
{
    for (int i = HitTest(point); i >= 0; i = HitTest(point, i + 1))
    {
        if (CWnd* pParent = GetParent())
            pParent->SendMessage(TCM_TABDBLCLK, static_cast<WPARAM>(i), 0);
    }
}

void SEC3DTabControl::OnMouseMove(UINT, CPoint point)
{
    int nActive = 0;
    if (!(GetStyle() & TWS_DRAGGABLE) || GetCapture() != this || !GetActiveTab(nActive))
        return;
    const int nHover = HitTest(point);
    if (nHover < 0 || nHover == nActive)
        return;
    const BOOL bHorizontal = IsHorizontal();
    const CRect& rcActive = GetTab3D(nActive).m_rect;
    const CRect& rcHover = GetTab3D(nHover).m_rect;
    const int nPos = bHorizontal ? point.x : point.y;
    const int nActiveStart = bHorizontal ? rcActive.left : rcActive.top;
    const int nActiveLength = bHorizontal ? rcActive.Width() : rcActive.Height();
    const int nHoverStart = bHorizontal ? rcHover.left : rcHover.top;
    const int nHoverLength = bHorizontal ? rcHover.Width() : rcHover.Height();
    // Only once the pointer would lie over the tab after the move, so that it does not jump back.
    const bool bMove = nHover > nActive ? nPos > nActiveStart + nHoverLength : nPos < nHoverStart + nActiveLength;
    if (!bMove)
        return;
    HWND hWndFocus = ::GetFocus();
    GetTab(nActive).m_bSelected = FALSE;
    MoveTab(nActive, nHover);
    ActivateTab(nHover);
    if (hWndFocus != nullptr && ::IsWindow(hWndFocus))
        ::SetFocus(hWndFocus);
}

void SEC3DTabControl::OnKeyDown(UINT nChar, UINT, UINT)
{
    int nActive = 0;
    const int nStep = (nChar == VK_LEFT || nChar == VK_UP) ? -1 : (nChar == VK_RIGHT || nChar == VK_DOWN) ? 1 : 0;
    if (nStep != 0 && GetActiveTab(nActive))
    {
        for (int i = nActive + nStep; IsValidTab(i); i += nStep)
        {
            if (GetTab3D(i).m_bEnabled)
            {
                ActivateTab(i);
                SetFocus();
                return;
            }
        }
    }
    Default();
}

void SEC3DTabControl::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    if (IsParentTabStop())
        Invalidate(FALSE);
}

void SEC3DTabControl::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    if (IsParentTabStop())
        Invalidate(FALSE);
}

void SEC3DTabControl::OnSysColorChange()
{
    CWnd::OnSysColorChange();
    m_clrTextNormal = ::GetSysColor(COLOR_BTNTEXT);
    m_clrTextActive = ::GetSysColor(COLOR_BTNTEXT);
    CreatePens();
}

INT_PTR SEC3DTabControl::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    const int nHit = HitTest(point);
    if (nHit < 0)
        return -1;
    const SEC3DTab& tab = GetTab3D(nHit);
    if (!tab.m_bToolTip && (m_bFitLabels || m_bShowLabels))
        return -1;
    if (pTI != nullptr)
    {
        pTI->hwnd = m_hWnd;
        pTI->uId = static_cast<UINT_PTR>(nHit + 1);
        pTI->rect = tab.m_rect;
        pTI->lpszText = _wcsdup(tab.m_csFullLabel);
    }
    return nHit + 1;
}

LRESULT SEC3DTabControl::OnThemeChanged(WPARAM, LPARAM)
{
    m_theme.Close();
    Invalidate(FALSE);
    return 0;
}

void SEC3DTabControl::OnDestroy()
{
    m_theme.Close();
    SECTabControlBase::OnDestroy();
}
} // namespace tarnwick::tabs
