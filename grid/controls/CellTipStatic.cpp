#include <grid/controls/CellTipStatic.h>

#include <grid/controls/CellTipWnd.h>
#include <grid/controls/Control.h>
#include <grid/controls/EditControl.h>
#include <grid/core/DIB.h>
#include <grid/core/DrawingAndFormatting.h>
#include <grid/core/GridCore.h>
#include <grid/core/PenRecord.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <grid/core/UserAttribute.h>

#include <algorithm>

namespace
{
constexpr UINT tipMoveFlags = SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOREDRAW;
static_assert(tipMoveFlags == 0x98);
// The tip's margins around its content: 3 pixels left and right, 1 above and below.
constexpr int nMarginX = 3;
constexpr int nMarginY = 1;

CSize VirtualScreen()
{
    return CSize(::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

constexpr UINT horizontalBits = DT_CENTER | DT_RIGHT;

// The top of content of the height in the rectangle by the style's vertical alignment.
int VerticalStart(const CRect& rect, const CGXStyle& style, int nHeight)
{
    const UINT nAlign = CGXControl::TextAlignment(style);
    if (nAlign & DT_BOTTOM)
        return rect.top + std::max(0, static_cast<int>(rect.bottom - rect.top) - nHeight);
    if (nAlign & DT_VCENTER)
        return rect.top + std::max(0, (static_cast<int>(rect.bottom - rect.top) - nHeight) / 2);
    return rect.top;
}
} // namespace

CGXCellTipWnd* CGXCellTipStatic::TipWindow(CWnd* pTipWnd) const
{
    return pTipWnd != nullptr && pTipWnd->GetSafeHwnd() != nullptr ? DYNAMIC_DOWNCAST(CGXCellTipWnd, pTipWnd)
                                                                   : nullptr;
}

CString CGXCellTipStatic::GXGetCellTipText(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    CString strText;
    if (m_pControl == nullptr || !m_pControl->FormatDisplayText(strText, nRow, nCol, nullptr, style))
        strText.Empty();
    return strText;
}

BOOL CGXCellTipStatic::IsBitmapText(const CString& strText) const
{
    return !m_pControl->IsControlKindOf(&CGXEditControl::ctlClassCGXEditControl) &&
           strText.Left(5).CompareNoCase(_T("#BMP(")) == 0;
}

HANDLE CGXCellTipStatic::BitmapOfText(const CString& strText, CSize& size)
{
    HANDLE hDIB = CGXDIBPool::GetPool()->GetDIB(strText);
    if (hDIB == nullptr)
        return nullptr;
    const auto* pHeader = static_cast<const BITMAPINFOHEADER*>(::GlobalLock(hDIB));
    if (pHeader == nullptr)
        return nullptr;
    size = pHeader->biSize == sizeof(BITMAPCOREHEADER)
               ? CSize(reinterpret_cast<const BITMAPCOREHEADER*>(pHeader)->bcWidth,
                       reinterpret_cast<const BITMAPCOREHEADER*>(pHeader)->bcHeight)
               : CSize(pHeader->biWidth, std::abs(pHeader->biHeight));
    ::GlobalUnlock(hDIB);
    return hDIB;
}

DWORD CGXCellTipStatic::QueryTipA(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    if (m_pControl == nullptr)
        return 0;
    const CString strText = GXGetCellTipText(nRow, nCol, style);
    if (strText.IsEmpty())
        return 0;
    if (IsBitmapText(strText))
        return GetBitmapTipNeedFlags(nRow, nCol, style, strText);
    if (style.GetInclude(CGXStyle::inclWrapText) && style.GetWrapText())
        return 0;
    return GetTipNeedFlags(nRow, nCol, style, strText);
}

DWORD CGXCellTipStatic::QueryTipB(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    if (m_pControl == nullptr)
        return CGXCellTipWnd::kindText;
    return IsBitmapText(GXGetCellTipText(nRow, nCol, style)) ? CGXCellTipWnd::kindBitmap : CGXCellTipWnd::kindText;
}

CSize CGXCellTipStatic::MeasureTipText(const CGXStyle& style, const CString& strText)
{
    CWnd* pGridWnd = m_pControl->GetGridWnd();
    if (!style.GetInclude(CGXStyle::inclFont) || pGridWnd == nullptr || pGridWnd->GetSafeHwnd() == nullptr)
        return CSize(0, 0);
    LOGFONT lf;
    style.GetFont().GetLogFontScaled(lf, m_pControl->Grid()->GetZoom());
    CFont font;
    if (!font.CreateFontIndirect(&lf))
        return CSize(0, 0);
    CClientDC dc(pGridWnd);
    CFont* pOld = dc.SelectObject(&font);
    const CSize size = dc.GetTextExtent(strText);
    dc.SelectObject(pOld);
    return size;
}

CRect CGXCellTipStatic::ComputeTipRect(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    CRect rect = m_pControl->Grid()->CalcRectFromRowCol(nRow, nCol);
    if (style.GetInclude(CGXStyle::inclBorders))
    {
        const auto width = [&style](GXBorder side) { return static_cast<int>(style.GetBorders(side).GetWidth()); };
        rect.left += width(GXBorder::Left);
        rect.top += width(GXBorder::Top);
        rect.right -= std::max(0, width(GXBorder::Right) - 1);
        rect.bottom -= std::max(0, width(GXBorder::Bottom) - 1);
    }
    m_pControl->GetGridWnd()->ClientToScreen(rect);
    return rect;
}

CRect CGXCellTipStatic::ComputeTextRect(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    CRect rect;
    m_pControl->GetCellClientRect(rect, nRow, nCol, nullptr, &style);
    m_pControl->GetGridWnd()->ClientToScreen(rect);
    return rect;
}

DWORD CGXCellTipStatic::GetClipFlags(const CRect& rectArea)
{
    DWORD dwFlags = 0;
    CRect rectClient;
    CWnd* pGridWnd = m_pControl->GetGridWnd();
    pGridWnd->GetClientRect(rectClient);
    pGridWnd->ClientToScreen(rectClient);
    if (rectArea.left < rectClient.left || rectArea.right > rectClient.right)
        dwFlags |= needCutByClientX;
    if (rectArea.top < rectClient.top || rectArea.bottom > rectClient.bottom)
        dwFlags |= needCutByClientY;
    const CSize screen = VirtualScreen();
    if (rectArea.left < 0 || rectArea.right > screen.cx)
        dwFlags |= needOffScreenX;
    if (rectArea.top < 0 || rectArea.bottom > screen.cy)
        dwFlags |= needOffScreenY;
    return dwFlags;
}

CPoint CGXCellTipStatic::GetTextOrigin(const CRect& rectText, const CGXStyle& style, const CString& strText,
                                       CSize size)
{
    const UINT nHorizontal = CGXControl::TextAlignment(style) & horizontalBits;
    int nWidth = size.cx;
    const BOOL bDots = style.GetUserAttribute(GX_IDS_UA_ELLIPSIS_TYPE).GetLong() == 1;
    if (nHorizontal != 0 && bDots && nWidth > rectText.Width())
    {
        // Measured as the cell shows it: shortened, with dots.
        LOGFONT lf;
        style.GetFont().GetLogFontScaled(lf, m_pControl->Grid()->GetZoom());
        CFont font;
        CClientDC dc(m_pControl->GetGridWnd());
        CFont* pOld = font.CreateFontIndirect(&lf) ? dc.SelectObject(&font) : nullptr;
        nWidth = dc.GetTextExtent(CGXDrawingAndFormatting::EllipsisText(&dc, strText, rectText.Width())).cx;
        if (pOld != nullptr)
            dc.SelectObject(pOld);
    }
    return CPoint(CGXDrawingAndFormatting::LineStart(rectText, nHorizontal, nWidth),
                  VerticalStart(rectText, style, size.cy));
}

CPoint CGXCellTipStatic::GetBitmapOrigin(const CRect& rectText, const CGXStyle& style, CSize size)
{
    return CPoint(CGXDrawingAndFormatting::LineStart(rectText, CGXControl::TextAlignment(style) & horizontalBits, size.cx),
                  VerticalStart(rectText, style, size.cy));
}

namespace
{
// The need flags of content of the size from the origin within the text rectangle.
DWORD NeedFlags(CGXCellTipStatic& tip, const CRect& rectText, CPoint ptOrigin, CSize size)
{
    const CRect rectArea(ptOrigin.x, ptOrigin.y, std::max(ptOrigin.x, rectText.right),
                         std::max(ptOrigin.y, rectText.bottom));
    DWORD dwFlags = tip.GetClipFlags(rectArea);
    if (size.cx > rectArea.Width())
        dwFlags |= CGXCellTipStatic::needWider;
    if (size.cy > rectArea.Height() + 1)
        dwFlags |= CGXCellTipStatic::needTaller;
    return dwFlags;
}
} // namespace

DWORD CGXCellTipStatic::GetTipNeedFlags(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, const CString& strText)
{
    const CGXFont& font = style.GetFont();
    if (style.GetInclude(CGXStyle::inclFont) && font.GetIncludeOrientation() && font.GetOrientation() != 0)
        return 0;
    const CRect rectText = ComputeTextRect(nRow, nCol, style);
    const CSize size = MeasureTipText(style, strText);
    return NeedFlags(*this, rectText, GetTextOrigin(rectText, style, strText, size), size);
}

DWORD CGXCellTipStatic::GetBitmapTipNeedFlags(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                                              const CString& strText)
{
    CSize size;
    if (BitmapOfText(strText, size) == nullptr)
        return 0;
    const CRect rectText = ComputeTextRect(nRow, nCol, style);
    return NeedFlags(*this, rectText, GetBitmapOrigin(rectText, style, size), size);
}

CRect CGXCellTipStatic::PlaceTip(CPoint ptOrigin, CSize sizeContent, const CRect& rectText)
{
    CRect rect(ptOrigin.x - nMarginX, ptOrigin.y - nMarginY, ptOrigin.x - nMarginX + sizeContent.cx + 2 * nMarginX,
               ptOrigin.y - nMarginY + sizeContent.cy + 2 * nMarginY);
    rect.right = std::max(rect.right, static_cast<LONG>(rectText.right));
    rect.bottom = std::max(rect.bottom, static_cast<LONG>(rectText.bottom));
    const CSize screen = VirtualScreen();
    rect.OffsetRect(std::min(0L, screen.cx - rect.right), std::min(0L, screen.cy - rect.bottom));
    rect.OffsetRect(std::max(0L, -rect.left), std::max(0L, -rect.top));
    return rect;
}

void CGXCellTipStatic::ShowTip(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, CWnd* pTipWnd)
{
    CGXCellTipWnd* pTip = TipWindow(pTipWnd);
    if (pTip == nullptr || m_pControl == nullptr)
        return;
    const CString strText = GXGetCellTipText(nRow, nCol, style);
    const CRect rectText = ComputeTextRect(nRow, nCol, style);
    if (IsBitmapText(strText))
    {
        CSize size;
        const HANDLE hDIB = BitmapOfText(strText, size);
        if (hDIB == nullptr)
            return;
        SetTipBitmap(pTip, hDIB);
        // Room for the border: the bitmap lies at (nMarginX, nMarginY) of the client area.
        MoveToRect(pTip, PlaceTip(GetBitmapOrigin(rectText, style, size), size + CSize(2, 2), rectText));
        SetBitmapRect(pTip, CRect(CPoint(nMarginX, nMarginY), size));
        return;
    }
    SetTipText(pTip, strText);
    SetTipFont(pTip, style);
    const CSize size = MeasureTipText(style, strText);
    MoveToRect(pTip, PlaceTip(GetTextOrigin(rectText, style, strText, size), size, rectText));
    // The border takes one pixel, so the text starts at the origin.
    CRect rectClient;
    pTip->GetClientRect(rectClient);
    SetTextRect(pTip, CRect(nMarginX - 1, nMarginY - 1, std::min(static_cast<int>(rectClient.right), static_cast<int>(size.cx) + nMarginX + 1),
                            std::min(static_cast<int>(rectClient.bottom), static_cast<int>(size.cy) + nMarginY + 1)));
}

void CGXCellTipStatic::SetTipFont(CWnd* pTipWnd, const CGXStyle& style)
{
    CGXCellTipWnd* pTip = TipWindow(pTipWnd);
    if (pTip == nullptr)
        return;
    LOGFONT lf;
    style.GetFont().GetLogFontScaled(lf, m_pControl->Grid()->GetZoom());
    lf.lfOrientation = 0;
    lf.lfEscapement = 0;
    pTip->m_font.DeleteObject();
    pTip->m_font.CreateFontIndirect(&lf);
}

void CGXCellTipStatic::SetTipText(CWnd* pTipWnd, const CString& strText)
{
    if (CGXCellTipWnd* pTip = TipWindow(pTipWnd))
    {
        pTip->m_nKind = CGXCellTipWnd::kindText;
        pTip->SetWindowText(strText);
    }
}

void CGXCellTipStatic::SetTextRect(CWnd* pTipWnd, const CRect& rect)
{
    if (CGXCellTipWnd* pTip = TipWindow(pTipWnd))
        pTip->m_rectText = rect;
}

void CGXCellTipStatic::SetTipBitmap(CWnd* pTipWnd, HANDLE hDIB)
{
    if (CGXCellTipWnd* pTip = TipWindow(pTipWnd))
    {
        pTip->m_nKind = CGXCellTipWnd::kindBitmap;
        pTip->m_hDIB = hDIB;
    }
}

void CGXCellTipStatic::SetBitmapRect(CWnd* pTipWnd, const CRect& rect)
{
    if (CGXCellTipWnd* pTip = TipWindow(pTipWnd))
        pTip->m_rectBitmap = rect;
}

void CGXCellTipStatic::MoveToRect(CWnd* pTipWnd, const CRect& rect)
{
    MoveToCoords(pTipWnd, rect.left, rect.top, rect.Width(), rect.Height());
}

void CGXCellTipStatic::MoveToCoords(CWnd* pTipWnd, int x, int y, int cx, int cy)
{
    if (CGXCellTipWnd* pTip = TipWindow(pTipWnd))
        pTip->SetWindowPos(nullptr, x, y, cx, cy, tipMoveFlags);
}
