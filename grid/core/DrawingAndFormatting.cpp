#include <grid/core/DrawingAndFormatting.h>

#include <grid/controls/Control.h>
#include <grid/core/AbstractUserAttribute.h>
#include <grid/core/AppData.h>
#include <grid/core/Color.h>
#include <grid/core/DrawState.h>
#include <grid/core/GridCore.h>
#include <grid/core/Properties.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <grid/core/ThreadState.h>
#include <toolkit/foundation/VisualStyle.h>

#include <algorithm>
#include <vector>
#include <cwchar>

namespace
{
// User attributes read by the cell-text drawing.

// Each row's low byte is a bit row of the bitmap; monochrome rows are word-aligned.
const WORD patternRows[GX_DRAW_STATE::nPatterns][8] = {
    {0x44, 0x11, 0x44, 0x11, 0x44, 0x11, 0x44, 0x11}, {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA},
    {0xBB, 0xEE, 0xBB, 0xEE, 0xBB, 0xEE, 0xBB, 0xEE}, {0xEE, 0xFF, 0xBB, 0xFF, 0xEE, 0xFF, 0xBB, 0xFF},
    {0xFF, 0xFF, 0xEE, 0xFF, 0xFF, 0xFF, 0xBB, 0xFF}, {0xFB, 0xFF, 0xBF, 0xFF, 0xFA, 0xFF, 0xAF, 0xFF},
    {0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00}, {0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC},
    {0x55, 0xCC, 0x99, 0x44, 0x55, 0xCC, 0x99, 0x44}, {0x44, 0x99, 0xCC, 0x55, 0x44, 0x99, 0xCC, 0x55},
    {0x55, 0x55, 0x99, 0x99, 0x55, 0x55, 0x99, 0x99}, {0x55, 0x00, 0x99, 0x00, 0x55, 0x00, 0x99, 0x00},
    {0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0xFF}, {0xDD, 0xDD, 0xDD, 0xDD, 0xDD, 0xDD, 0xDD, 0xDD},
    {0xEE, 0xDD, 0xBB, 0x77, 0xEE, 0xDD, 0xBB, 0x77}, {0x77, 0xBB, 0xDD, 0xEE, 0x77, 0xBB, 0xDD, 0xEE},
    {0xEE, 0x00, 0xEE, 0xEE, 0xEE, 0x00, 0xEE, 0xEE}, {0xEE, 0x55, 0xBB, 0x55, 0xEE, 0xBB, 0x55, 0xEE},
    {0x88, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, {0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF},
    {0xFE, 0xFF, 0xFB, 0xFF, 0xEF, 0xFF, 0xBF, 0xFF}, {0xF7, 0xFF, 0xFD, 0xFF, 0x7F, 0xFF, 0xDF, 0xFF},
    {0x88, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF}, {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
    {0xFE, 0xFE, 0xFE, 0xFE, 0xFE, 0xFE, 0xFE, 0xFE}, {0xFE, 0xFD, 0xFB, 0xF7, 0xEF, 0xDF, 0xBF, 0x7F},
    {0xF7, 0xFB, 0xFD, 0xFE, 0x7F, 0xBF, 0xDF, 0xEF}, {0x00, 0xFE, 0xFE, 0xFE, 0xFE, 0xFE, 0xFE, 0xFE},
    {0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, {0xF3, 0xF3, 0xF3, 0xF3, 0xF3, 0xF3, 0xF3, 0xF3},
    {0xF3, 0xF9, 0xFC, 0x7E, 0x3F, 0x9F, 0xCF, 0xE7}, {0xE7, 0xCF, 0x9F, 0x3F, 0x7E, 0xFC, 0xF9, 0xF3},
    {0x00, 0x00, 0xF3, 0xF3, 0xF3, 0xF3, 0xF3, 0xF3}, {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11},
    {0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}, {0xB1, 0xB1, 0xB1, 0xB1, 0xB1, 0xB1, 0xB1, 0xB1},
    {0x51, 0x51, 0x51, 0x51, 0x51, 0x51, 0x51, 0x51}, {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF},
    {0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF}, {0x00, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0xFF, 0xFF},
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF},
};

bool IsBlank(TCHAR ch)
{
    return ch == ' ' || ch == '\t';
}

bool IsLineBreak(TCHAR ch)
{
    return ch == '\r' || ch == '\n';
}

int TextLength(LPCTSTR pszText, int nLength)
{
    return nLength == -1 ? static_cast<int>(std::wcslen(pszText)) : nLength;
}

int TextWidth(CDC* pDC, LPCTSTR pszText, int nLength)
{
    return nLength > 0 ? pDC->GetTextExtent(pszText, nLength).cx : 0;
}

TEXTMETRIC Metrics(CDC* pDC)
{
    TEXTMETRIC tm = {};
    pDC->GetTextMetrics(&tm);
    return tm;
}

// The x of a line of the given width by the horizontal alignment, never left of the rectangle.
// Output clipped to a rectangle while it lives; the device context's clip region is restored
// at its end.
class ClipScope
{
public:
    ClipScope(CDC* pDC, const CRect& rectClip) : m_pDC(pDC), m_nSaved(pDC->SaveDC())
    {
        pDC->IntersectClipRect(rectClip);
    }
    ~ClipScope()
    {
        m_pDC->RestoreDC(m_nSaved);
    }
    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;

private:
    CDC* m_pDC;
    int m_nSaved;
};
} // namespace

void GXFillColorRect(CDC* pDC, const CRect& rect, COLORREF rgbColor)
{
    const COLORREF rgbOld = pDC->SetBkColor(GXResolveColor(rgbColor));
    pDC->ExtTextOut(rect.left, rect.top, ETO_OPAQUE, rect, nullptr, 0, nullptr);
    pDC->SetBkColor(rgbOld);
}

CBitmap* CGXDrawingAndFormatting::GetPatternBitmap(int nPattern)
{
    if (nPattern < 0 || nPattern >= GX_DRAW_STATE::nPatterns)
        return nullptr;
    CBitmap& bitmap = GXGetThreadState<GX_DRAW_STATE>()->m_abmpPattern[nPattern];
    if (bitmap.m_hObject == nullptr && !bitmap.CreateBitmap(8, 8, 1, 1, patternRows[nPattern]))
        AfxThrowResourceException();
    return &bitmap;
}

int CGXDrawingAndFormatting::BreakTextLines(CDC* pDC, LPCTSTR pszText, int nLength, CRect& rect, UINT nFormat,
                                            int* pnStarts, int* pnLengths, int nMaxLines)
{
    nLength = TextLength(pszText, nLength);
    const bool bWordBreak = (nFormat & DT_WORDBREAK) != 0;
    const int nWidth = rect.right - rect.left + 1;
    const TEXTMETRIC tm = Metrics(pDC);
    const int nLineHeight = std::max(1, static_cast<int>(tm.tmHeight + tm.tmExternalLeading));
    const int nHeight = rect.bottom - rect.top;
    const int nBudget = nHeight - nLineHeight / 3 > nLineHeight ? nHeight / nLineHeight : 0;
    const int nMade = bWordBreak ? std::min(nBudget + 1, nMaxLines) : std::min(1, nMaxLines);

    int nLines = 0;
    int nTotal = rect.top;
    auto record = [&](int nStart, int nLineLength) {
        pnStarts[nLines] = nStart;
        pnLengths[nLines] = nLineLength;
        ++nLines;
        nTotal += nLineHeight + 1;
    };
    int s = 0;
    while (s < nLength && nLines < nMade)
    {
        int e = s;
        int nWords = 0;
        int nLastWord = s;
        bool bFits = true;
        for (;;)
        {
            int w = e;
            while (w < nLength && IsBlank(pszText[w]))
                ++w;
            while (w < nLength && !IsBlank(pszText[w]) && !IsLineBreak(pszText[w]))
                ++w;
            while (w < nLength && IsBlank(pszText[w]))
                ++w;
            ++nWords;
            nLastWord = e;
            e = w;
            bFits = TextWidth(pDC, pszText + s, e - s) <= nWidth;
            if (!bFits || e >= nLength || IsLineBreak(pszText[e]))
                break;
        }
        if (bFits)
        {
            record(s, e - s);
            s = e;
            if (s < nLength && IsLineBreak(pszText[s]))
            {
                if (pszText[s] == '\r' && s + 1 < nLength && pszText[s + 1] == '\n')
                    ++s;
                ++s;
                if (s == nLength && nLines < nMade)
                    record(s, 0);
            }
        }
        else if (nWords >= 2 && nLines < nBudget && bWordBreak)
        {
            record(s, nLastWord - s);
            s = nLastWord;
        }
        else
        {
            int c = s;
            do
                ++c;
            while (c < nLength && TextWidth(pDC, pszText + s, c - s) <= nWidth);
            record(s, c - s);
            s = c;
        }
    }
    if (nTotal < rect.bottom)
    {
        if (nFormat & DT_VCENTER)
            rect.top += (rect.bottom - nTotal + tm.tmExternalLeading) / 2;
        else if (nFormat & DT_BOTTOM)
            rect.top += rect.bottom - nTotal;
    }
    return nLines;
}

int CGXDrawingAndFormatting::CountTextLines(CDC* pDC, LPCTSTR pszText, int nLength, CRect& rect, UINT nFormat)
{
    int anStarts[nMaxDrawnLines];
    int anLengths[nMaxDrawnLines];
    return BreakTextLines(pDC, pszText, nLength, rect, nFormat, anStarts, anLengths, nMaxDrawnLines);
}

CGXDrawingAndFormatting::BrokenText CGXDrawingAndFormatting::Break(CDC* pDC, LPCTSTR pszText, int nLength,
                                                                   const CRect& rect, UINT nFormat)
{
    BrokenText lines;
    lines.rect = rect;
    lines.nLines =
        BreakTextLines(pDC, pszText, nLength, lines.rect, nFormat, lines.anStarts, lines.anLengths, nMaxDrawnLines);
    return lines;
}

int CGXDrawingAndFormatting::DrawLineHeight(const TEXTMETRIC& tm)
{
    const int nLineHeight = tm.tmHeight + tm.tmExternalLeading;
    return nLineHeight >= 20 ? nLineHeight - 1 : nLineHeight;
}

void CGXDrawingAndFormatting::DrawTextPlain(CDC* pDC, LPCTSTR pszText, int nLength, const CRect& rect, UINT nFormat,
                                            const CRect& rectClip)
{
    DrawLines(pDC, pszText, nLength, rect, nFormat, rectClip, 0);
}

void CGXDrawingAndFormatting::DrawTextOverflow(CDC* pDC, LPCTSTR pszText, int nLength, const CRect& rect, UINT nFormat,
                                               const CRect& rectClip, int nOverflowMode)
{
    DrawLines(pDC, pszText, nLength, rect, nFormat, rectClip, nOverflowMode);
}

void CGXDrawingAndFormatting::DrawLines(CDC* pDC, LPCTSTR pszText, int nLength, const CRect& rect, UINT nFormat,
                                        const CRect& rectClip, int nOverflowMode)
{
    nLength = TextLength(pszText, nLength);
    const BrokenText lines = Break(pDC, pszText, nLength, rect, nFormat);
    const int nLines = lines.nLines;
    const int* anStarts = lines.anStarts;
    const int* anLengths = lines.anLengths;
    const CRect& rectLines = lines.rect;
    const TEXTMETRIC tm = Metrics(pDC);
    const int nLineHeight = DrawLineHeight(tm);
    // Text never runs over the neighbouring cells.
    const ClipScope clip(pDC, rectClip);
    int y = rectLines.top;
    for (int i = 0; i < nLines; ++i, y += nLineHeight)
    {
        const LPCTSTR pszLine = pszText + anStarts[i];
        CString strLine(pszLine, anLengths[i]);
        const bool bCut = anStarts[i] + anLengths[i] < nLength;
        if (nOverflowMode == 2 && (nFormat & DT_SINGLELINE) && bCut)
        {
            const int nMarkWidth = std::max(1, TextWidth(pDC, _T("#"), 1));
            const int nMarks = rect.Width() / nMarkWidth;
            if (nMarks < 1)
            {
                pDC->TextOut(rect.left, y, _T("#"), 1);
                continue;
            }
            strLine = CString(_T('#'), nMarks);
        }
        else if (nOverflowMode == 1 && bCut && strLine.GetLength() >= 2 &&
                 (i == nLines - 1 || rect.bottom - (y + nLineHeight) < tm.tmAscent * 3 / 4 + nLineHeight))
        {
            strLine = EllipsisText(pDC, strLine, rect.Width());
        }
        const int nWidth = TextWidth(pDC, strLine, strLine.GetLength());
        if (strLine.GetLength() == 1 && nWidth > rectClip.Width())
            pDC->TextOut(rectClip.left, y, strLine, 1);
        else
            pDC->TextOut(LineStart(rect, nFormat, nWidth), y, strLine, strLine.GetLength());
    }
}

CString CGXDrawingAndFormatting::EllipsisText(CDC* pDC, const CString& strLine, int nWidth)
{
    CString strMark = _T("...");
    CString strText = strLine;
    while (TextWidth(pDC, strText + strMark, strText.GetLength() + strMark.GetLength()) > nWidth && !strMark.IsEmpty())
    {
        if (strText.GetLength() > 1)
            strText.Truncate(strText.GetLength() - 1);
        else
            strMark.Truncate(strMark.GetLength() - 1);
    }
    return strText + strMark;
}

int CGXDrawingAndFormatting::LineStart(const CRect& rect, UINT nFormat, int nWidth)
{
    int x = rect.left;
    if (nFormat & DT_RIGHT)
        x = rect.right - nWidth;
    else if (nFormat & DT_CENTER)
        x = rect.left + (rect.Width() - nWidth) / 2;
    return std::max(x, static_cast<int>(rect.left));
}

int CGXDrawingAndFormatting::HitTestText(CDC* pDC, LPCTSTR pszText, int nLength, const CRect& rect, UINT nFormat, int x,
                                         int y)
{
    nLength = TextLength(pszText, nLength);
    const BrokenText lines = Break(pDC, pszText, nLength, rect, nFormat);
    const int nLines = lines.nLines;
    const int* anStarts = lines.anStarts;
    const int* anLengths = lines.anLengths;
    const CRect& rectLines = lines.rect;
    const TEXTMETRIC tm = Metrics(pDC);
    const int nLineHeight = std::max(1, static_cast<int>(tm.tmHeight + tm.tmExternalLeading));
    if (y < rectLines.top)
        return -1;
    const int nLine = (y - rectLines.top) / nLineHeight;
    if (nLine >= nLines || anLengths[nLine] == 0)
        return -1;
    const LPCTSTR pszLine = pszText + anStarts[nLine];
    const int nLineLength = anLengths[nLine];
    const int nLineWidth = TextWidth(pDC, pszLine, nLineLength);
    const int nSlack = tm.tmAveCharWidth / 3;
    const bool bRightToLeft = (pDC->GetTextAlign() & TA_RTLREADING) != 0;
    int nCount = 0;
    if (!bRightToLeft)
    {
        const int nStart = LineStart(rect, nFormat, nLineWidth);
        if (x < nStart - nSlack || x > nStart + nLineWidth + nSlack)
            return -1;
        while (nCount < nLineLength && nStart + TextWidth(pDC, pszLine, nCount + 1) <= x)
            ++nCount;
    }
    else
    {
        int nStart = rect.right;
        if (nFormat & DT_CENTER)
            nStart -= std::max(0, rect.Width() - nLineWidth) / 2;
        else if (!(nFormat & DT_RIGHT))
            nStart = std::min(nStart, static_cast<int>(rect.left) + nLineWidth);
        if (x > nStart + nSlack || x < nStart - nLineWidth - nSlack)
            return -1;
        while (nCount < nLineLength && nStart - TextWidth(pDC, pszLine, nCount + 1) >= x)
            ++nCount;
    }
    return anStarts[nLine] + nCount;
}

void CGXDrawingAndFormatting::DrawFrameRings(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom, int nWidth,
                                             COLORREF rgbTopLeft, COLORREF rgbBottomRight)
{
    const COLORREF rgbOld = pDC->GetBkColor();
    for (int i = 0; i < nWidth; ++i)
    {
        GXFillColorRect(pDC, CRect(nLeft, nTop, nRight, nTop + 1), rgbTopLeft);
        GXFillColorRect(pDC, CRect(nLeft, nTop, nLeft + 1, nBottom), rgbTopLeft);
        GXFillColorRect(pDC, CRect(nLeft, nBottom, nRight + 1, nBottom + 1), rgbBottomRight);
        GXFillColorRect(pDC, CRect(nRight, nTop, nRight + 1, nBottom), rgbBottomRight);
        ++nLeft;
        ++nTop;
        --nRight;
        --nBottom;
    }
    pDC->SetBkColor(rgbOld);
}

void CGXDrawingAndFormatting::DrawButtonEdge(CDC* pDC, const CRect& rect, BOOL bDrawFace, BOOL bPressed)
{
    if (!bDrawFace)
        return;
    CRect rectEdge = rect;
    pDC->DrawEdge(rectEdge, bPressed ? 12 : 3, bPressed ? 0x600F : 0xA00F);
    if (bPressed)
        pDC->DrawEdge(rectEdge, 10, 0x200F);
}

void CGXDrawingAndFormatting::DrawCaption(CDC* pDC, const CRect& rect, LPCTSTR pszText, UINT nFormat, BOOL bFocus)
{
    pDC->SetBkMode(TRANSPARENT);
    const bool bEmpty = pszText == nullptr || *pszText == 0;
    CRect rectText = rect;
    pDC->DrawText(bEmpty ? _T("--") : pszText, -1, rectText, nFormat | DT_CALCRECT);
    const CPoint topLeft(rect.left + (rect.Width() - rectText.Width()) / 2,
                         rect.top + (rect.Height() - rectText.Height()) / 2);
    CRect rectCaption(topLeft, rectText.Size());
    rectCaption.InflateRect(3, 0);
    rectCaption.IntersectRect(rectCaption, rect);
    if (!bEmpty)
        DrawTextPlain(pDC, pszText, -1, rectCaption, nFormat, rectCaption);
    const int nStyle = SECGetVisualStyle();
    if (!bFocus || nStyle == 3 || nStyle == 4)
        return;
    const COLORREF rgbShadow = ::GetSysColor(COLOR_BTNSHADOW);
    const CRect& r = rectCaption;
    GXFillColorRect(pDC, CRect(r.left + 2, r.top, r.right - 1, r.top + 1), rgbShadow);
    GXFillColorRect(pDC, CRect(r.left + 2, r.bottom - 1, r.right - 1, r.bottom), rgbShadow);
    GXFillColorRect(pDC, CRect(r.left, r.top + 2, r.left + 1, r.bottom - 1), rgbShadow);
    GXFillColorRect(pDC, CRect(r.right - 1, r.top + 2, r.right, r.bottom - 1), rgbShadow);
}

void CGXDrawingAndFormatting::DrawCellText(CGXControl* pControl, CDC* pDC, const CRect& rect, ROWCOL nRow, ROWCOL nCol,
                                           const CGXStyle& style, const CGXStyle* pStandardStyle)
{
    if (rect.Width() < 2 || rect.Height() < 2)
        return;
    CString strText;
    if (!pControl->FormatDisplayText(strText, nRow, nCol, nullptr, style))
        strText.Empty();

    // The background and frame are drawn for an empty cell too, or a lone coloured cell would
    // show nothing of its interior.
    CGXGridCore* pGrid = pControl->Grid();
    pControl->DrawBackground(pDC, rect, style, FALSE);
    if (!strText.IsEmpty())
    {
        CRect rectText;
        pControl->GetCellClientRect(rectText, nRow, nCol, &rect, &style);
        CFont* pOldFont = pGrid->LoadFont(pDC, style, pStandardStyle);
        const CGXProperties* pProperties = pGrid->GetProperties();
        const BOOL bBlackWhite = pProperties != nullptr && pProperties->IsBlackWhiteOutput();
        pDC->SetTextColor(bBlackWhite ? RGB(0, 0, 0) : GXResolveColor(style.GetTextColor()));
        pDC->SetBkColor(bBlackWhite ? RGB(255, 255, 255) : style.GetInterior().GetColor());
        pDC->SetBkMode(TRANSPARENT);

        const UINT nFormat = static_cast<UINT>(style.GetHorizontalAlignment() | style.GetVerticalAlignment()) |
                             DT_NOPREFIX | (style.GetWrapText() ? DT_WORDBREAK : DT_SINGLELINE);
        const UINT nOldAlign = pDC->GetTextAlign();
        if (style.GetUserAttribute(GX_IDS_UA_RTL_READING).GetLong() != 0)
            pDC->SetTextAlign(nOldAlign | TA_RTLREADING);

        const CGXFont& font = style.GetFont();
        if (style.GetInclude(CGXStyle::inclFont) && font.GetIncludeOrientation() && font.GetOrientation() != 0)
            DrawRotatedText(pDC, strText, strText.GetLength(), rectText.left, rectText.top, rectText.right,
                            rectText.bottom, nFormat, static_cast<int>(font.GetOrientation()), &rect);
        else if (style.HasUserAttribute(GX_IDS_UA_ELLIPSIS_TYPE))
            DrawTextOverflow(pDC, strText, strText.GetLength(), rectText, nFormat, rect,
                             static_cast<int>(style.GetUserAttribute(GX_IDS_UA_ELLIPSIS_TYPE).GetLong()));
        else
            DrawTextPlain(pDC, strText, strText.GetLength(), rectText, nFormat, rect);

        pDC->SetTextAlign(nOldAlign);
        if (pOldFont != nullptr)
            pDC->SelectObject(pOldFont);
    }
    // The control stays bound to its cell on paper, where no cell is current.
    if (pControl->IsActiveAt(nRow, nCol) && pGrid->IsCurrentCell(nRow, nCol))
        pControl->DrawCurrentCellFrame(pDC, rect);
}

int CGXDrawingAndFormatting::DrawRotatedText(CDC* pDC, LPCTSTR pszText, int nLength, int nLeft, int nTop, int nRight,
                                             int nBottom, UINT nFormat, int nOrientation, const CRect* pClipRect)
{
    CGXAbstractDrawRotatedTextImp* pImp = GXGetAppDataPtr()->m_pDrawRotatedTextImp;
    if (pImp == nullptr)
        return 0;
    return pImp->DrawRotatedText(pDC, pszText, nLength, nLeft, nTop, nRight, nBottom, nFormat, nOrientation, pClipRect);
}

void CGXDrawingAndFormatting::GetFormattedText(CString& strResult, const CGXStyle& style, LPCTSTR pszValue,
                                               UINT nValueType)
{
    if (CGXAbstractNumberFormattingImp* pImp = GXGetAppDataPtr()->m_pNumberFormattingImp)
        strResult = pImp->FormatValue(style, pszValue, nValueType);
    else if (pszValue != nullptr)
        strResult = pszValue;
    else if (style.GetInclude(CGXStyle::inclValue))
        strResult = style.GetValue();
    else
        strResult.Empty();
}

BOOL CGXDrawingAndFormatting::ParseNumber(LPCTSTR pszText, double& dValue, int* pnFormat, int* pnPlaces)
{
    CGXAbstractNumberFormattingImp* pImp = GXGetAppDataPtr()->m_pNumberFormattingImp;
    return pImp != nullptr && pImp->ParseNumber(pszText, dValue, pnFormat, pnPlaces);
}

CGXDrawingAndFormatting* DrawingAndFormattingInstance()
{
    static CGXDrawingAndFormatting instance;
    return &instance;
}

void GXInvertRect(CDC* pDC, const CRect& rect, const CRect* pClipRect)
{
    CRect rectInvert = rect;
    if (pClipRect != nullptr && !rectInvert.IntersectRect(rect, pClipRect))
        return;
    pDC->InvertRect(rectInvert);
}

int GXGetDibColorCount(const BITMAPINFOHEADER& header)
{
    if (header.biClrUsed != 0)
        return static_cast<int>(header.biClrUsed);
    switch (header.biBitCount)
    {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

namespace
{
// Columns are compared over at most this many characters.
constexpr int nMaxColumnText = 127;

std::vector<CString> SplitEntries(const CString& strChoiceList)
{
    std::vector<CString> entries;
    CString strRest = strChoiceList;
    while (!strRest.IsEmpty())
    {
        CString strHead;
        GXSplitFirstLine(strRest, strHead);
        entries.push_back(strHead);
    }
    return entries;
}

CString EntryKey(LPCTSTR pszEntry, int nColumn, int nMaxLength)
{
    return nColumn < 0 ? CString(pszEntry).Left(nMaxLength) : GXGetChoiceField(pszEntry, nColumn, nMaxLength);
}
} // namespace

void GXSplitFirstLine(CString& strText, CString& strHead)
{
    int nBreak = 0;
    while (nBreak < strText.GetLength() && !IsLineBreak(strText[nBreak]))
        ++nBreak;
    strHead = strText.Left(nBreak);
    int nRest = nBreak;
    if (nRest < strText.GetLength())
        nRest += strText[nRest] == '\r' && nRest + 1 < strText.GetLength() && strText[nRest + 1] == '\n' ? 2 : 1;
    strText = strText.Mid(nRest);
}

CString GXGetChoiceField(LPCTSTR pszEntry, int nField, int nMaxLength)
{
    LPCTSTR p = pszEntry;
    for (int i = 0; i < nField && *p != 0; ++i)
    {
        while (*p != 0 && *p != '\t')
            ++p;
        if (*p == '\t')
            ++p;
        else
            return CString();
    }
    int nLength = 0;
    while (p[nLength] != 0 && p[nLength] != '\t' && nLength < nMaxLength)
        ++nLength;
    return CString(p, nLength);
}

int GXFindChoiceListItem(LPCTSTR pszValue, LPCTSTR pszChoiceList, BOOL bExact, int nColumn, BOOL bTitle,
                         CString& strLine)
{
    const CString strValue = pszValue;
    const std::vector<CString> entries = SplitEntries(pszChoiceList);
    const size_t nFirst = bTitle && !entries.empty() ? 1 : 0;
    strLine.Empty();
    for (size_t i = nFirst; i < entries.size(); ++i)
    {
        const CString strKey = EntryKey(entries[i], nColumn, nMaxColumnText);
        const bool bMatch = bExact ? strKey == strValue
                                   : strKey.GetLength() >= strValue.GetLength() &&
                                         strKey.Left(strValue.GetLength()).CompareNoCase(strValue) == 0;
        if (bMatch)
        {
            strLine = entries[i];
            return static_cast<int>(i - nFirst);
        }
    }
    return -1;
}

int GXCompareChoiceEntries(LPCTSTR pszFirst, LPCTSTR pszSecond, int nColumn)
{
    return EntryKey(pszFirst, nColumn, nMaxColumnText).CompareNoCase(EntryKey(pszSecond, nColumn, nMaxColumnText));
}

void GXSortChoiceList(CString& strChoiceList, int nColumn, BOOL bHeader)
{
    std::vector<CString> entries = SplitEntries(strChoiceList);
    const auto first = entries.begin() + (bHeader && !entries.empty() ? 1 : 0);
    std::stable_sort(first, entries.end(), [nColumn](const CString& a, const CString& b) {
        return GXCompareChoiceEntries(a, b, nColumn) < 0;
    });
    strChoiceList.Empty();
    for (const CString& strEntry : entries)
        strChoiceList += strEntry + _T("\r\n");
}

// The tip window deletes itself once destroyed.
GX_DRAW_STATE::~GX_DRAW_STATE()
{
    if (m_pCellTipWnd != nullptr && ::IsWindow(m_pCellTipWnd->GetSafeHwnd()))
        m_pCellTipWnd->DestroyWindow();
}
