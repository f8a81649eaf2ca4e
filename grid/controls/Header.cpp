#include <grid/controls/Header.h>

#include <grid/core/AbstractUserAttribute.h>
#include <grid/core/Color.h>
#include <grid/core/DIB.h>
#include <grid/core/DrawingAndFormatting.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/Properties.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <toolkit/foundation/AuxData.h>
#include <toolkit/foundation/VisualStyle.h>

#include <algorithm>

namespace
{
constexpr COLORREF rgbBlack = RGB(0, 0, 0);
constexpr COLORREF rgbGrey = RGB(128, 128, 128);
constexpr COLORREF rgbWhite = RGB(255, 255, 255);
// The flat look fills an unmarked header with this entry of the toolkit's style colours.
constexpr UINT nFlatFaceColor = 5;
// Rotated header texts are cut to this many characters.
constexpr int nMaxRotatedText = 0x800;

BOOL UsesVisualStyles()
{
    return SECIsThemeActive() && SECIsAppThemed();
}

void HorizontalLine(CDC* pDC, int xFrom, int xTo, int y, COLORREF rgb)
{
    if (xTo > xFrom)
        pDC->FillSolidRect(xFrom, y, xTo - xFrom, 1, rgb);
}

void VerticalLine(CDC* pDC, int x, int yFrom, int yTo, COLORREF rgb)
{
    if (yTo > yFrom)
        pDC->FillSolidRect(x, yFrom, 1, yTo - yFrom, rgb);
}
} // namespace

const GXControlClass CGXHeader::classCGXHeader = {"CGXHeader", &CGXStatic::classCGXStatic};

CGXHeader::CGXHeader(CGXGridCore* pGrid) : CGXStatic(pGrid)
{
}

CGXControl* CGXHeader::Create(CGXGridCore* pGrid)
{
    return new CGXHeader(pGrid);
}

const GXControlClass* CGXHeader::GetControlClass() const
{
    return &classCGXHeader;
}

BOOL CGXHeader::GetHighlightSelected()
{
    return m_bHighlightSelected;
}

void CGXHeader::SetHighlightSelected(BOOL bHighlight)
{
    m_bHighlightSelected = bHighlight;
}

COLORREF CGXHeader::GetHighlightColor()
{
    return m_rgbHighlight;
}

void CGXHeader::SetHighlightColor(COLORREF rgbHighlight)
{
    m_rgbHighlight = rgbHighlight;
}

void CGXHeader::DrawCurrentCellFrame(CDC* pDC, const CRect& rect)
{
    pDC->DrawFocusRect(rect);
}

void CGXHeader::NotifyChildrenB()
{
    SECComputeStyleColors();
    CGXStatic::NotifyChildrenB();
}

LRESULT CGXHeader::ForwardFeatureC(DWORD dwRow, DWORD dwCol, DWORD dwValue3)
{
    LRESULT nMarked = CGXStatic::ForwardFeatureC(dwRow, dwCol, dwValue3);
    const CGXProperties* pProperties = m_pGrid->GetProperties();
    const CGXGridParam* pParam = m_pGrid->GetParam();
    if (pProperties == nullptr || pParam == nullptr)
        return nMarked;
    const CGXRangeList& selection = pParam->m_SelRects;
    if (pProperties->m_bMarkRowHeader && dwCol == 0 && selection.IsAnyCellFromRow(dwRow))
        nMarked = TRUE;
    if (pProperties->m_bMarkColHeader && dwRow == 0 && selection.IsAnyCellFromCol(dwCol))
        nMarked = TRUE;
    return nMarked;
}

void CGXHeader::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                     const CGXStyle* pStandardStyle)
{
    CRect rectText;
    GetCellClientRect(rectText, nRow, nCol, &rect);
    if (rectText.Width() < 2 || rectText.Height() < 2)
        return;

    const CGXGridParam* pParam = m_pGrid->GetParam();
    const BOOL bFlat = pParam != nullptr && pParam->m_bFlatHeaders;
    const BOOL bThemed = UsesVisualStyles();
    BOOL bMarked = ForwardFeatureC(nRow, nCol, 0) != 0;
    if (bFlat)
        bMarked = !bMarked;
    ROWCOL nCurrentRow = 0;
    ROWCOL nCurrentCol = 0;
    const BOOL bCurrent = m_pGrid->GetCurrentCell(&nCurrentRow, &nCurrentCol) &&
                          ((nRow != 0 && nCurrentRow == nRow) || (nCol != 0 && nCurrentCol == nCol));

    CGXStyle header(style);
    if (bFlat && !bThemed)
    {
        CGXFont font(header.GetFont());
        font.SetBold(bCurrent && !bMarked);
        header.SetFont(font);
    }

    CFont* pOldFont = m_pGrid->LoadFont(pDC, header, pStandardStyle);
    const CGXProperties* pProperties = m_pGrid->GetProperties();
    const BOOL bBlackWhite = pProperties != nullptr && pProperties->IsBlackWhiteOutput();
    pDC->SetTextColor(bBlackWhite ? rgbBlack : GXResolveColor(header.GetTextColor()));
    DrawBackground(pDC, rect, header, FALSE);
    CRect rectInner;
    m_pGrid->CalcCellInnerRect(rectInner, rect, header, TRUE);

    const BOOL bFace = !(header.GetInclude(CGXStyle::inclDraw3dFrame) && header.GetDraw3dFrame() != 0) &&
                       pProperties != nullptr && pProperties->m_b3dHeader;
    if (bFace && m_pGrid->IsPrinting())
        DrawPrintedEdges(pDC, rect, nRow, nCol, header);
    else if (bFace)
        DrawFace(pDC, rectInner, bMarked, bFlat, bThemed);

    if (bMarked && !(bFlat && bThemed))
        rectText.OffsetRect(1, 1);
    pDC->SetBkMode(TRANSPARENT);
    CString strText;
    if (!FormatDisplayText(strText, nRow, nCol, nullptr, header))
        strText.Empty();
    if (HANDLE hPicture = CGXDIBPool::GetPool()->GetDIB(strText))
        GXDrawDIB(pDC, hPicture, rect, GX_DIB_NOSCALE,
                  static_cast<UINT>(header.GetHorizontalAlignment() | header.GetVerticalAlignment()));
    else if (!strText.IsEmpty())
        DrawText(pDC, rectText, rect, header, strText);
    CGXControl::Draw(pDC, rect, nRow, nCol, header, pStandardStyle);
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
}

void CGXHeader::DrawFace(CDC* pDC, const CRect& i, BOOL bMarked, BOOL bFlat, BOOL bThemed)
{
    const COLORREF rgbLine = bFlat ? rgbGrey : rgbBlack;
    if (bFlat && bThemed)
    {
        if (!bMarked)
            pDC->FillSolidRect(i, SECGetStyleColor(nFlatFaceColor));
        HorizontalLine(pDC, i.left, i.right - 1, i.bottom - 1, rgbLine);
        VerticalLine(pDC, i.right - 1, i.top, i.bottom, rgbLine);
        return;
    }
    if (bMarked)
    {
        if (!bFlat && GetHighlightSelected())
            pDC->FillSolidRect(i, GetHighlightColor());
        HorizontalLine(pDC, i.left, i.right - 1, i.bottom - 1, rgbLine);
        VerticalLine(pDC, i.right - 1, i.top, i.bottom, rgbLine);
        if (bFlat)
            VerticalLine(pDC, i.left, i.top, i.bottom, rgbWhite);
        return;
    }
    pDC->Draw3dRect(CRect(i.left, i.top, i.right - 1, i.bottom - 1), ::GetSysColor(COLOR_BTNHIGHLIGHT), rgbLine);
    if (bFlat)
    {
        VerticalLine(pDC, i.left, i.top, i.bottom, rgbWhite);
        HorizontalLine(pDC, i.left, i.right, i.bottom - 1, rgbBlack);
        VerticalLine(pDC, i.right - 1, i.top, i.bottom, rgbBlack);
        HorizontalLine(pDC, i.left, i.right - 1, i.bottom - 2, rgbGrey);
        VerticalLine(pDC, i.right - 2, i.top, i.bottom - 1, rgbGrey);
    }
}

void CGXHeader::DrawPrintedEdges(CDC* pDC, const CRect& rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    if (nRow > m_pGrid->GetHeaderRows() && nCol > m_pGrid->GetHeaderCols())
        return;
    GXPenRecord gridLine;
    gridLine.SetStyle(PS_SOLID).SetWidth(1).SetColor(rgbBlack);
    const struct
    {
        BOOL bFrozen;
        GXDrawSide side;
    } edges[] = {{m_pGrid->GetFrozenRows() > 0, GXDrawSide::Bottom}, {m_pGrid->GetFrozenCols() > 0, GXDrawSide::Right}};
    for (const auto& edge : edges)
    {
        const GXPenRecord& border = style.GetBorders(GXBorderOfDrawSide(edge.side));
        if (edge.bFrozen && border.GetStyle() == PS_NULL)
            m_pGrid->DrawBorderLine(gridLine, rect, edge.side, pDC, style.GetInterior());
    }
}

void CGXHeader::DrawText(CDC* pDC, const CRect& rectText, const CRect& rectCell, const CGXStyle& style,
                         const CString& strText)
{
    const UINT nFormat = static_cast<UINT>(style.GetHorizontalAlignment() | style.GetVerticalAlignment()) |
                         DT_NOPREFIX | (style.GetWrapText() ? DT_WORDBREAK : DT_SINGLELINE);
    CGXDrawingAndFormatting* pDrawing = DrawingAndFormattingInstance();
    const CGXFont& font = style.GetFont();
    if (style.GetInclude(CGXStyle::inclFont) && font.GetIncludeOrientation() && font.GetOrientation() != 0)
        pDrawing->DrawRotatedText(pDC, strText, std::min(strText.GetLength(), nMaxRotatedText), rectText.left,
                                  rectText.top, rectText.right, rectText.bottom, nFormat,
                                  static_cast<int>(font.GetOrientation()), &rectCell);
    else if (style.HasUserAttribute(GX_IDS_UA_ELLIPSIS_TYPE))
        pDrawing->DrawTextOverflow(pDC, strText, strText.GetLength(), rectText, nFormat, rectCell,
                                   static_cast<int>(style.GetUserAttribute(GX_IDS_UA_ELLIPSIS_TYPE).GetLong()));
    else
        pDrawing->DrawTextPlain(pDC, strText, strText.GetLength(), rectText, nFormat, rectCell);
}
