// SECCaptionButton: the square of a gripper button and its looks.
#include <toolkit/foundation/VisualStyle.h>
#include <toolkit/frames/CaptionButton.h>

#include <algorithm>

namespace tarnwick::frames
{
namespace
{
// Across the strip a square starts 2 pixels in and ends 4 pixels before the strip's end.
constexpr int SQUARE_INSET_START = 4 - 2;
constexpr int SQUARE_INSET_END = 6 - 2;
constexpr int GAP_AFTER_SQUARE = 2;
constexpr int GLYPH_POINTS = 60;
} // namespace

void SECCaptionButton::Place(CRect& rectStrip, BOOL bVertStrip)
{
    if (bVertStrip)
    {
        const int nLeft = std::max<int>(rectStrip.left + SQUARE_INSET_START, 0);
        const int nRight = std::min<int>(rectStrip.right - SQUARE_INSET_END, rectStrip.right);
        m_rect.SetRect(nLeft, rectStrip.top, nRight, rectStrip.top + (nRight - nLeft));
        rectStrip.top = m_rect.bottom + GAP_AFTER_SQUARE;
    }
    else
    {
        const int nTop = std::max<int>(rectStrip.top + SQUARE_INSET_START, 0);
        const int nBottom = std::min<int>(rectStrip.bottom - SQUARE_INSET_END, rectStrip.bottom);
        m_rect.SetRect(rectStrip.right - (nBottom - nTop), nTop, rectStrip.right, nBottom);
        rectStrip.right = m_rect.left - GAP_AFTER_SQUARE;
    }
}

void SECCaptionButton::Draw(CDC* pDC, Look nLook, TCHAR chGlyph, BOOL bFlat, BOOL bInactive) const
{
    CRect rect = m_rect;
    if (!bFlat)
    {
        UINT nState = DFCS_CAPTIONCLOSE;
        if (nLook == lookPressed)
            nState |= DFCS_PUSHED;
        else if (nLook == lookNormal && bInactive)
            nState |= DFCS_INACTIVE;
        pDC->DrawFrameControl(&rect, DFC_CAPTION, nState);
        return;
    }
    switch (nLook)
    {
    case lookNormal:
        if (!SECIsVisualStyle3() && !SECIsVisualStyle4())
            pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
        break;
    case lookRaised:
        pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
        pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
        break;
    case lookPressed:
        pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        break;
    }
    CFont font;
    font.CreatePointFont(::MulDiv(GLYPH_POINTS, 96, pDC->GetDeviceCaps(LOGPIXELSX)), _T("Marlett"), pDC);
    CFont* pOldFont = pDC->SelectObject(&font);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOld = pDC->SetTextColor(::GetSysColor(bInactive ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    const int nShift = nLook == lookPressed ? 3 : 2;
    pDC->TextOut(rect.left + nShift, rect.top + nShift, CString(chGlyph));
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}
} // namespace tarnwick::frames
