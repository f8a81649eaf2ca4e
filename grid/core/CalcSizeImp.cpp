#include <grid/core/CalcSizeImp.h>

#include <grid/controls/Control.h>
#include <grid/controls/EditControl.h>
#include <grid/core/DIB.h>
#include <grid/core/DrawingAndFormatting.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/Style.h>

#include <algorithm>

namespace
{
// Bit of the parameter object's value-display flags: measure the stored value, not the shown text.
constexpr WORD valueDisplayStored = 0x2;

// The width and height of a packed DIB.
CSize DibSize(HANDLE hDib)
{
    CSize size(0, 0);
    if (const auto* pHeader = static_cast<const BITMAPINFOHEADER*>(::GlobalLock(hDib)))
    {
        size = CSize(pHeader->biWidth, std::abs(pHeader->biHeight));
        ::GlobalUnlock(hDib);
    }
    return size;
}

int TextWidth(CDC* pDC, LPCTSTR pszText, int nLength)
{
    CSize size(0, 0);
    if (nLength > 0)
        ::GetTextExtentPoint32(pDC->GetSafeHdc(), pszText, nLength, &size);
    return size.cx;
}

// The widest of the text's own lines, split at its line breaks.
int WidestOwnLine(CDC* pDC, const CString& strText)
{
    int nWidest = 0;
    for (int nStart = 0; nStart <= strText.GetLength();)
    {
        int nEnd = strText.Find(_T('\n'), nStart);
        if (nEnd < 0)
            nEnd = strText.GetLength();
        const int nLength = nEnd > nStart && strText[nEnd - 1] == _T('\r') ? nEnd - 1 - nStart : nEnd - nStart;
        nWidest = std::max(nWidest, TextWidth(pDC, strText.GetString() + nStart, nLength));
        nStart = nEnd + 1;
    }
    return nWidest;
}

} // namespace

CSize CGXCalcSizeImp::CalcSize(CGXControl* pControl, CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                               const CGXStyle* /*pStandardStyle*/, BOOL bVertical)
{
    CGXGridCore* pGrid = pControl->Grid();
    const CGXGridParam* pParam = pGrid->GetParam();
    CString strText;
    if (pParam != nullptr && (pParam->m_wValueDisplay & valueDisplayStored) != 0)
        strText = style.GetValue();
    else
        pControl->FormatDisplayText(strText, nRow, nCol, nullptr, style);

    if (!pControl->IsControlKindOf(&CGXEditControl::ctlClassCGXEditControl))
    {
        if (HANDLE hDib = CGXDIBPool::GetPool()->GetDIB(strText))
        {
            CSize size = DibSize(hDib);
            return pControl->AddFrameToSize(size, pDC, nRow, nCol, &style);
        }
    }

    // Cells mostly share one font: selecting it again (and back) would cost more than the measuring.
    const BOOL bSelected =
        style.GetInclude(CGXStyle::inclFont) &&
        ::GetCurrentObject(pDC->GetSafeHdc(), OBJ_FONT) == pGrid->GetFontScaled(style.GetFont())->GetSafeHandle();
    CFont* pOldFont = bSelected ? nullptr : pGrid->LoadFont(pDC, style, nullptr);
    const BOOL bWrap = style.GetInclude(CGXStyle::inclWrapText) && style.GetWrapText();
    CSize size;
    // The common case, an unwrapped width, needs neither the cell nor the line height.
    if (!strText.IsEmpty() && !bWrap && !bVertical)
        size = CSize(WidestOwnLine(pDC, strText), 0);
    else
        size = MeasureLines(pControl, pDC, nRow, nCol, style, strText, bWrap, bVertical);
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
    return pControl->AddFrameToSize(size, pDC, nRow, nCol, &style);
}

CSize CGXCalcSizeImp::MeasureLines(CGXControl* pControl, CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                                   const CString& strText, BOOL bWrap, BOOL bVertical)
{
    CGXGridCore* pGrid = pControl->Grid();
    CRect rectCell(0, 0, pGrid->GetColWidth(nCol), pGrid->GetRowHeight(nRow));
    CRect rect;
    pControl->GetCellClientRect(rect, nRow, nCol, &rectCell, &style);
    TEXTMETRIC tm;
    pDC->GetTextMetrics(&tm);
    const int nLineHeight = tm.tmHeight + tm.tmExternalLeading;

    if (strText.IsEmpty())
        return CSize(tm.tmMaxCharWidth, nLineHeight + 1);

    constexpr int nMaxLines = CGXDrawingAndFormatting::nMaxDrawnLines;
    int anStarts[nMaxLines];
    int anLengths[nMaxLines];
    const auto breakLines = [&](int nMost) {
        CRect rectMeasure(rect.left, rect.top, rect.right, 0x7FFF);
        const UINT nFormat = static_cast<UINT>(style.GetHorizontalAlignment() | style.GetVerticalAlignment()) |
                             DT_WORDBREAK | DT_NOPREFIX;
        return std::max(1, DrawingAndFormattingInstance()->BreakTextLines(
                               pDC, strText, strText.GetLength(), rectMeasure, nFormat, anStarts, anLengths, nMost));
    };
    if (bVertical)
        return CSize(0, bWrap ? breakLines(nMaxLines) * nLineHeight : nLineHeight + 1);

    // A width takes the wrapped lines only where the cell holds them all (n lines need n line heights
    // and a pixel), else the text's own lines; breaking one line more than the cell holds tells which.
    // A cell holding one line at most always takes the own lines: a text that wraps into one line is
    // one line of its own.
    const int nHeld = rect.Height() > 0 ? (rect.Height() - 1) / std::max(1, nLineHeight) : 0;
    if (bWrap && nHeld >= 2)
    {
        const int nLines = breakLines(std::min(nHeld + 1, nMaxLines));
        if (nLines <= nHeld)
        {
            int nWidest = 0;
            for (int i = 0; i < nLines; ++i)
                nWidest = std::max(nWidest, TextWidth(pDC, strText.GetString() + anStarts[i], anLengths[i]));
            return CSize(nWidest, 0);
        }
    }
    return CSize(WidestOwnLine(pDC, strText), 0);
}
