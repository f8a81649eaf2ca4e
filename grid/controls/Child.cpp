#include <grid/controls/Child.h>

#include <grid/controls/Control.h>
#include <grid/controls/KeyDispatch.h>
#include <grid/core/AbstractUserAttribute.h>
#include <grid/core/DrawingAndFormatting.h>
#include <grid/core/GridCore.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <toolkit/foundation/VisualStyle.h>

#include <vsstyle.h>

#include <algorithm>
#include <cstdlib>

namespace
{
constexpr UINT nSpaceKey = 32;
constexpr UINT stateFocus = 0x1;
constexpr UINT statePressed = 0x4;
} // namespace

CGXChild::CGXChild(CGXControl* pComposite) : m_pComposite(pComposite), m_rect(0, 0, 0, 0)
{
}

CGXChild::~CGXChild() = default;

void CGXChild::SetRect(const CRect& rect)
{
    m_rect = rect;
}

CRect& CGXChild::GetRect(CRect& rect) const
{
    rect = m_rect;
    return rect;
}

BOOL CGXChild::HitTest(CPoint point) const
{
    return m_rect.PtInRect(point);
}

BOOL CGXChild::HasFocus() const
{
    return m_pComposite->GetFocusChild() == this;
}

void CGXChild::SetText(LPCTSTR pszText)
{
    m_strText = pszText;
}

CString& CGXChild::GetText(CString& strText) const
{
    strText = m_strText;
    return strText;
}

void CGXChild::Draw(CDC* pDC, BOOL bFocus, const CGXStyle* /*pStyle*/)
{
    DrawDefault(pDC, bFocus);
}

void CGXChild::Refresh()
{
    CWnd* pGridWnd = m_pComposite->GetGridWnd();
    if (pGridWnd != nullptr && pGridWnd->GetSafeHwnd() != nullptr)
        pGridWnd->InvalidateRect(m_rect, TRUE);
}

BOOL CGXChild::OnMouseMove(UINT /*nFlags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXChild::OnLButtonDown(UINT /*nFlags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXChild::OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXChild::OnLButtonDblClk(UINT /*nFlags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXChild::OnMButtonDown(UINT /*nFlags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXChild::OnMButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXChild::OnMButtonDblClk(UINT /*nFlags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXChild::OnRButtonDown(UINT /*nFlags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXChild::OnRButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXChild::OnRButtonDblClk(UINT /*nFlags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXChild::OnSetCursor(UINT /*nFlags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXChild::OnKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags)
{
    return GXDispatchKeyMessage(*this, m_bLeadUnitPending, m_chLeadUnit, nMessage, nChar, nRepCnt, nFlags);
}

BOOL CGXChild::OnKeyDown(UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    return FALSE;
}

BOOL CGXChild::OnKeyUp(UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    return FALSE;
}

BOOL CGXChild::OnChar(UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    return FALSE;
}

BOOL CGXChild::OnCharText(const CString& /*strText*/)
{
    return FALSE;
}

BOOL CGXChild::OnDeadChar(UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    return FALSE;
}

BOOL CGXChild::OnSysKeyDown(UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    return FALSE;
}

BOOL CGXChild::OnSysKeyUp(UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    return FALSE;
}

BOOL CGXChild::OnSysChar(UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    return FALSE;
}

BOOL CGXChild::OnSysDeadChar(UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    return FALSE;
}

void CGXChild::OnNotifyA(DWORD /*dwValue*/)
{
}

void CGXChild::OnNotifyB()
{
}

void CGXChild::CancelTracking()
{
}

CGXButton::CGXButton(CGXControl* pComposite) : CGXChild(pComposite)
{
}

UINT CGXButton::DrawingState(BOOL bFocus) const
{
    return (bFocus && HasFocus() ? stateFocus : 0) | (m_bPressed ? statePressed : 0);
}

void CGXButton::SetPressed(BOOL bPressed)
{
    const BOOL bChanged = (bPressed != FALSE) != (m_bPressed != FALSE);
    m_bPressed = bPressed;
    if (bChanged && m_bRedrawOnChange)
        Refresh();
}

BOOL CGXButton::DrawPartWith(HTHEME hTheme, CDC* pDC, int nPart, int nState, const CRect& rect, UINT nEdge)
{
    if (hTheme == nullptr)
        return FALSE;
    SECDrawThemeBackground(hTheme, pDC->GetSafeHdc(), nPart, nState, rect, nullptr);
    if (nEdge != 0)
        SECDrawThemeEdge(hTheme, pDC->GetSafeHdc(), nPart, nState, rect, nEdge, BF_RECT, nullptr);
    return TRUE;
}

BOOL CGXButton::DrawPartWith(tarnwick::foundation::SECThemeCache& themes, HWND hWnd, CDC* pDC, LPCWSTR pszClass,
                             int nPart, int nState, const CRect& rect, UINT nEdge)
{
    return SECIsAppThemed() && SECIsThemeActive() &&
           DrawPartWith(themes.Get(hWnd, pszClass), pDC, nPart, nState, rect, nEdge);
}

void CGXButton::DrawClassicFace(CDC* pDC, const CRect& rect, COLORREF rgbFace, BOOL bPressed)
{
    pDC->FillSolidRect(rect, rgbFace);
    CRect rectEdge = rect;
    pDC->DrawEdge(rectEdge, bPressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
}

void CGXButton::DrawCentredBitmap(CDC* pDC, HBITMAP hBitmap, const CRect& rect)
{
    BITMAP info{};
    if (hBitmap == nullptr || !::GetObject(hBitmap, sizeof(info), &info))
        return;
    CDC dcBitmap;
    if (!dcBitmap.CreateCompatibleDC(pDC))
        return;
    HGDIOBJ hOld = ::SelectObject(dcBitmap.GetSafeHdc(), hBitmap);
    const int x = rect.left + std::max(0, (rect.Width() - static_cast<int>(info.bmWidth)) / 2);
    const int y = rect.top + std::max(0, (rect.Height() - static_cast<int>(info.bmHeight)) / 2);
    pDC->BitBlt(x, y, std::min<int>(info.bmWidth, rect.Width()), std::min<int>(info.bmHeight, rect.Height()), &dcBitmap,
                0, 0, SRCCOPY);
    ::SelectObject(dcBitmap.GetSafeHdc(), hOld);
}

void CGXButton::DrawCaption(CDC* pDC, BOOL bFocus)
{
    if (m_strText.IsEmpty())
        return;
    CRect rectText(m_rect.left + 1, m_rect.top + 1, m_rect.right - 2, m_rect.bottom - 2);
    if (m_bPressed)
        rectText.OffsetRect(1, 1);
    DrawingAndFormattingInstance()->DrawCaption(pDC, rectText, m_strText, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                                                (DrawingState(bFocus) & stateFocus) != 0);
}

void CGXButton::DrawDefault(CDC* pDC, BOOL bFocus)
{
    if (!m_pComposite->DrawThemedPart(pDC, L"BUTTON", BP_PUSHBUTTON, m_bPressed ? PBS_PRESSED : PBS_NORMAL, m_rect))
        DrawClassicFace(pDC, m_rect, ::GetSysColor(COLOR_BTNFACE), m_bPressed);
    DrawCaption(pDC, bFocus);
}

void CGXButton::Draw(CDC* pDC, BOOL bFocus, const CGXStyle* pStyle)
{
    const CString strFace =
        pStyle != nullptr ? pStyle->GetUserAttribute(GX_IDS_UA_BUTTON_FACE_COLOR).GetValue() : CString();
    if (strFace.IsEmpty())
    {
        DrawDefault(pDC, bFocus);
        return;
    }
    DrawClassicFace(pDC, m_rect, static_cast<COLORREF>(_tcstoul(strFace, nullptr, 10)), m_bPressed);
    const BOOL bDisabled = pStyle->GetInclude(CGXStyle::inclEnabled) && !pStyle->GetEnabled();
    const COLORREF rgbOldText = pDC->SetTextColor(::GetSysColor(bDisabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    DrawCaption(pDC, bFocus);
    pDC->SetTextColor(rgbOldText);
}

BOOL CGXButton::OnLButtonDown(UINT /*nFlags*/, CPoint /*point*/)
{
    m_bTracking = TRUE;
    SetPressed(TRUE);
    CWnd* pGridWnd = m_pComposite->GetGridWnd();
    if (m_pComposite->IsActive() && pGridWnd != nullptr && pGridWnd->GetSafeHwnd() != nullptr)
        pGridWnd->UpdateWindow();
    return TRUE;
}

BOOL CGXButton::OnMouseMove(UINT /*nFlags*/, CPoint point)
{
    if (m_bTracking)
        SetPressed(HitTest(point));
    return TRUE;
}

BOOL CGXButton::OnLButtonUp(UINT /*nFlags*/, CPoint point)
{
    if (m_bPressed && HitTest(point))
        m_pComposite->OnChildClicked(this);
    m_bTracking = FALSE;
    SetPressed(FALSE);
    return TRUE;
}

BOOL CGXButton::OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if (nChar != nSpaceKey)
        return FALSE;
    SetPressed(TRUE);
    return TRUE;
}

BOOL CGXButton::OnKeyUp(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if (nChar != nSpaceKey || !m_bPressed)
        return FALSE;
    m_pComposite->OnChildClicked(this);
    SetPressed(FALSE);
    return TRUE;
}

void CGXButton::CancelTracking()
{
    if (!m_bPressed && !m_bTracking)
        return;
    m_bTracking = FALSE;
    m_bPressed = FALSE;
    Refresh();
}
