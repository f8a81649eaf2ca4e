#include <grid/controls/Static.h>

#include <grid/core/DrawingAndFormatting.h>
#include <grid/core/GridCore.h>
#include <grid/core/Style.h>

#include <algorithm>

const GXControlClass CGXStatic::classCGXStatic = {"CGXStatic", &CGXControl::classCGXControl};

CGXStatic::CGXStatic(CGXGridCore* pGrid) : CGXControl(pGrid)
{
}

CGXControl* CGXStatic::Create(CGXGridCore* pGrid)
{
    return new CGXStatic(pGrid);
}

const GXControlClass* CGXStatic::GetControlClass() const
{
    return &classCGXStatic;
}

int CGXStatic::TextMargin()
{
    return std::max(2, ::GetSystemMetrics(SM_CXFRAME) / 2);
}

CRect CGXStatic::GetCellClientRect(CRect& rectOut, ROWCOL nRow, ROWCOL nCol, const CRect* pRect, const CGXStyle* pStyle)
{
    if (pStyle == nullptr)
        pStyle = m_pGrid->GetComposedStyle(nRow, nCol);
    CGXControl::GetCellClientRect(rectOut, nRow, nCol, pRect, pStyle);
    const int m = TextMargin();
    rectOut.left += m;
    if (pStyle->GetInclude(CGXStyle::inclHorizontalAlignment) && pStyle->GetHorizontalAlignment() == DT_RIGHT)
        rectOut.right -= m + 1;
    else
        rectOut.right -= m / 2;
    return rectOut;
}

TEXTMETRIC CGXStatic::CreateCellFont(CFont& font, CDC* pDC, const CGXStyle& style)
{
    font.DeleteObject();
    LOGFONT lf;
    style.GetFont().GetLogFontScaled(lf, m_pGrid->GetZoom());
    lf.lfOrientation = 0;
    lf.lfEscapement = 0;
    // A font that cannot be made leaves the system font in its place.
    if (!font.CreateFontIndirect(&lf))
        VERIFY(font.CreateStockObject(SYSTEM_FONT));
    CFont* pOldFont = pDC->SelectObject(&font);
    TEXTMETRIC tm{};
    ::GetTextMetrics(pDC->m_hAttribDC != nullptr ? pDC->m_hAttribDC : pDC->m_hDC, &tm);
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
    return tm;
}

void CGXStatic::FitSingleLine(CRect& rectText, const CGXStyle& style, int nLineHeight)
{
    if (style.GetInclude(CGXStyle::inclWrapText) && style.GetWrapText())
        return;
    const int nVAlign = style.GetInclude(CGXStyle::inclVerticalAlignment) ? style.GetVerticalAlignment() : 0;
    if (nVAlign == DT_VCENTER)
        rectText.top += std::max(0, (rectText.Height() - nLineHeight) / 2);
    else if (nVAlign == DT_BOTTOM && rectText.bottom - nLineHeight > rectText.top)
        rectText.top = rectText.bottom - nLineHeight;
    rectText.bottom = std::min(rectText.bottom, rectText.top + nLineHeight);
}

CSize CGXStatic::AddFrameToSize(CSize& size, CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle)
{
    size.cx += 2 * TextMargin() + 1;
    return CGXControl::AddFrameToSize(size, pDC, nRow, nCol, pStyle);
}

BOOL CGXStatic::CanFloatCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, BOOL bFloatOrFlood)
{
    return m_pGrid->CanFloatCellRowCol(nRow, nCol, style, bFloatOrFlood, FALSE);
}

void CGXStatic::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                     const CGXStyle* pStandardStyle)
{
    DrawingAndFormattingInstance()->DrawCellText(this, pDC, rect, nRow, nCol, style, pStandardStyle);
}

CSize CGXStatic::GetPreferredSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, int nDirection)
{
    return m_pGrid->CalcSize(this, pDC, nRow, nCol, style, nullptr, nDirection != 0);
}
