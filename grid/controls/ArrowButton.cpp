#include <grid/controls/ArrowButton.h>

#include <grid/controls/Control.h>

#include <algorithm>

#include <vsstyle.h>

CGXArrowButton::TickSource CGXArrowButton::s_pfnTicks = nullptr;

CGXArrowButton::CGXArrowButton(CGXControl* pComposite) : CGXButton(pComposite)
{
}

void CGXArrowButton::SetTickSource(TickSource pfnTicks)
{
    s_pfnTicks = pfnTicks;
}

DWORD CGXArrowButton::Now()
{
    return s_pfnTicks != nullptr ? s_pfnTicks() : ::GetTickCount();
}

BOOL CGXArrowButton::OnLButtonDown(UINT nFlags, CPoint point)
{
    CGXButton::OnLButtonDown(nFlags, point);
    m_dwLastRepeat = Now();
    m_dwRepeatDelay = nFirstDelay;
    m_pComposite->OnChildClicked(this);
    return TRUE;
}

BOOL CGXArrowButton::OnMouseMove(UINT nFlags, CPoint point)
{
    CGXButton::OnMouseMove(nFlags, point);
    const DWORD dwNow = Now();
    if (m_bPressed && HitTest(point) && dwNow - m_dwLastRepeat >= m_dwRepeatDelay)
    {
        if (m_dwRepeatDelay > nRepeatDelay)
            m_dwRepeatDelay = nRepeatDelay;
        else if (m_dwRepeatDelay > nShortestDelay)
            m_dwRepeatDelay = std::max(nShortestDelay, m_dwRepeatDelay - nDelayStep);
        m_dwLastRepeat = dwNow;
        m_pComposite->OnChildClicked(this);
    }
    return TRUE;
}

BOOL CGXArrowButton::OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
    // The clicks came with the press and the repeats.
    m_bTracking = FALSE;
    SetPressed(FALSE);
    return TRUE;
}

void CGXArrowButton::DrawArrow(CDC* pDC, int nThemePart, BOOL bUp)
{
    if (m_pComposite->DrawThemedPart(pDC, L"SPIN", nThemePart, m_bPressed ? UPS_PRESSED : UPS_NORMAL, m_rect))
        return;
    DrawClassicFace(pDC, m_rect, ::GetSysColor(COLOR_BTNFACE), m_bPressed);
    // Rows widening by two pixels from the tip, as many as half of the smaller half-side.
    const int nRows = std::max(1, std::min(m_rect.Width() / 2, m_rect.Height() / 2) / 2 + 1);
    const int xTip = m_rect.left + m_rect.Width() / 2 + (m_bPressed ? 1 : 0);
    const int yTop = m_rect.top + (m_rect.Height() - nRows) / 2 + (m_bPressed ? 1 : 0);
    const COLORREF rgbArrow = ::GetSysColor(COLOR_BTNTEXT);
    for (int i = 0; i < nRows; ++i)
    {
        const int nHalf = bUp ? i : nRows - 1 - i;
        pDC->FillSolidRect(xTip - nHalf, yTop + i, 2 * nHalf + 1, 1, rgbArrow);
    }
}

void CGXUpArrowButton::DrawDefault(CDC* pDC, BOOL /*bFocus*/)
{
    DrawArrow(pDC, SPNP_UP, TRUE);
}

void CGXDownArrowButton::DrawDefault(CDC* pDC, BOOL /*bFocus*/)
{
    DrawArrow(pDC, SPNP_DOWN, FALSE);
}
