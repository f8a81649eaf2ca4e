// The list core's painting: the header strip, the rows and their cells.
#include "ListBaseC.h"

#include <toolkit/foundation/MemDC.h>
#include <toolkit/foundation/VisualStyle.h>
#include <toolkit/foundation/GdiFallback.h>

#include <algorithm>
#include <memory>

namespace tarnwick::lists
{
namespace
{
constexpr int kHeadingLeft = 6;
constexpr int kHeadingRight = 5;
constexpr int kHeaderImageMinWidth = 23; // narrower buttons show no image
constexpr int kHeaderImageSize = 16;
constexpr COLORREF kDragImageFill = RGB(110, 110, 110);
constexpr UINT kHeadingFlags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP;
constexpr int kHeaderPartItem = 1;
constexpr int kHeaderPartRight = 3;

// The grid pens every list shares, made on first use.
CPen& GridPen(int nWhich)
{
    static CPen pens[2];
    if (pens[nWhich].m_hObject == nullptr)
        SECCreatePen(pens[nWhich], PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    return pens[nWhich];
}

BOOL VisualStylesActive()
{
    return SECIsAppThemed() && SECIsThemeActive();
}
} // namespace

template <class TWndBase> void SECListBaseT<TWndBase>::DrawControl(CDC* pDC)
{
    CRect inside;
    GetInsideRect(inside);
    CRect client;
    GetListClientRect(client);
    const BOOL bHeader = IsReportMode() && IsHeaderShown();
    // Printing, and drags that draw over the window, paint straight onto the target.
    if (pDC->IsPrinting() || m_bItemDrag || m_bColumnDrag)
    {
        std::unique_ptr<SECListPaintContext> pCtx(CreatePaintContext(pDC));
        if (bHeader)
            DrawHeader(*pCtx);
        PaintItems(*pCtx);
        return;
    }
    CRect area = inside;
    area.top = client.top;
    if (!(m_nScrollBarFlags & WS_HSCROLL))
        area.bottom = client.bottom;
    if (!(m_nScrollBarFlags & WS_VSCROLL))
        area.right = client.right;
    {
        foundation::SECMemDC memDC(pDC, area.left, area.top, area.right, area.bottom);
        memDC.FillSolidRect(area, GetBkColor());
        std::unique_ptr<SECListPaintContext> pCtx(CreatePaintContext(&memDC));
        if (bHeader)
            DrawHeader(*pCtx);
        memDC.IntersectClipRect(inside);
        PaintItems(*pCtx);
    }
    if ((m_nScrollBarFlags & (WS_HSCROLL | WS_VSCROLL)) == (WS_HSCROLL | WS_VSCROLL))
        pDC->FillSolidRect(CRect(inside.right + 1, inside.bottom + 1, client.right, client.bottom),
                           GetSharedColor(sharedCorner));
}

template <class TWndBase> void SECListBaseT<TWndBase>::PaintItems(SECListPaintContext& ctx)
{
    CDC* pDC = ctx.pDC;
    const BOOL bPrinting = pDC->IsPrinting();
    CRect inside;
    GetInsideRect(inside);
    const int nCount = bPrinting ? std::min(GetLastVisibleIndex() + 1, GetItemCount()) : GetItemCount();
    const UINT nView = m_nListStyle & LVS_SEC_VIEWMASK;
    ctx.nViewMode = nView;
    ctx.bFocus = HasFocus();
    int nDrawn = 0;
    const HGDIOBJ hOldFont = ::SelectObject(pDC->m_hDC, GetItemFont());
    if (nView == LVS_SEC_REPORT)
    {
        const int nLeft = GetColumnLeft(0);
        const int nRight = nLeft + GetContentWidth();
        int y = inside.top;
        for (int i = m_nTopIndex; i < nCount && y <= inside.bottom; i++, nDrawn++)
        {
            const int cy = GetRowPitch(i);
            const CRect row(nLeft, y, nRight, y + cy);
            if (bPrinting || pDC->RectVisible(row))
            {
                ctx.item.iItem = i;
                ctx.pItem = GetItemAt(i);
                ctx.rcRow = row;
                DrawRow(ctx);
            }
            y += cy;
        }
    }
    else if (nView == 0)
    {
        const int cxCell = GetColumnWidth(0);
        CPoint pt(GetColumnLeft(0), inside.top);
        int nLineBottom = inside.top;
        for (int i = m_nTopIndex; i < nCount && pt.y <= inside.bottom; i++, nDrawn++)
        {
            if (pt.x + cxCell > inside.right && pt.x > inside.left)
                pt = CPoint(inside.left, nLineBottom);
            if (pt.y > inside.bottom)
                break;
            const CRect cell(pt, CSize(cxCell, GetRowPitch(i)));
            nLineBottom = std::max<int>(nLineBottom, cell.bottom);
            if (bPrinting || pDC->RectVisible(cell))
            {
                ctx.item.iItem = i;
                ctx.pItem = GetItemAt(i);
                ctx.rcRow = cell;
                DrawRow(ctx);
            }
            pt.x += cxCell;
        }
    }
    ::SelectObject(pDC->m_hDC, hOldFont);
    if (!bPrinting && (m_nScrollBarFlags & WS_VSCROLL))
    {
        SCROLLINFO info = {sizeof(info), SIF_PAGE | SIF_POS, 0, 0, static_cast<UINT>(nDrawn), m_nTopIndex, 0};
        if (CScrollBar* pBar = GetScrollBarCtrl(SB_VERT))
            pBar->SetScrollInfo(&info, TRUE);
    }
}

template <class TWndBase> void SECListBaseT<TWndBase>::DrawRow(SECListPaintContext& ctx)
{
    SECListItem* pItem = ctx.pItem;
    if (UsesCallbacks(ctx.item.iItem))
        MarkForMeasuring(pItem);
    LayoutItemForPaint(ctx);
    const CRect row = ctx.rcRow;
    for (int i = 0; i < GetColumnCount(); i++)
    {
        SECListColumn* pColumn = GetColumn(i);
        CRect cell(GetColumnLeft(i), row.top, GetColumnRight(i), row.bottom);
        if (ctx.nViewMode == 0)
            cell.OffsetRect(row.left - cell.left, 0);
        if (GetColumnCount() == 1)
            cell.right = std::max<int>(cell.right, cell.left + pItem->m_rcLabel.right);
        if (!ctx.pDC->IsPrinting() && !ctx.pDC->RectVisible(cell))
            continue;
        ctx.nColumn = i;
        ctx.pColumn = pColumn;
        ctx.item.iSubItem = pColumn->iSubItem;
        ctx.pSubItem = pItem->GetSubItem(pColumn->iSubItem);
        ctx.rcCell = cell;
        if (PrepareCell(ctx))
            DrawSubItem(ctx);
    }
    if (ctx.nViewMode != LVS_SEC_REPORT)
        return;
    if (HasListStyleEx(LVXS_FULLROWSELECT) && ctx.item.iItem == m_nFocusItem && ctx.bFocus && GetColumnCount() >= 2)
    {
        CRect focus(GetColumnLeft(0) + pItem->m_rcLabel.left - 3, row.top, row.right, row.bottom);
        ctx.pDC->DrawFocusRect(focus);
    }
    if (HasListStyleEx(LVXS_VERTGRID))
        DrawGridLines(ctx.pDC, ctx.item.iItem, row);
    if (HasListStyleEx(LVXS_HORZGRID))
        DrawRowLine(ctx.pDC, ctx.item.iItem, row);
}

template <class TWndBase> void SECListBaseT<TWndBase>::SetBkColorOf(SECListPaintContext& ctx)
{
    ctx.crRowBk = GetBkColor();
}

template <class TWndBase> void SECListBaseT<TWndBase>::SetLineColor(SECListPaintContext& ctx)
{
    if (m_hWnd != nullptr && !IsWindowEnabled())
        ctx.crLine = GetBkColor();
    else if (IsItemSelected(ctx.item.iItem) && ctx.bFocus)
        ctx.crLine = m_colors[colorFocusBk];
    else
        ctx.crLine = m_colors[colorInactiveBk];
}

template <class TWndBase> void SECListBaseT<TWndBase>::SetCellColors(SECListPaintContext& ctx)
{
    const BOOL bGray = (ctx.extraState[1] & SECListPaintContext::GrayText) != 0;
    const BOOL bFullRow = HasListStyleEx(LVXS_FULLROWSELECT);
    if (m_hWnd != nullptr && !IsWindowEnabled())
    {
        ctx.crText = m_colors[colorGrayText];
        ctx.crCellBk = GetSharedColor(sharedDisabledBk);
        return;
    }
    const BOOL bFocus = ctx.bFocus;
    BOOL bHighlight = IsItemSelected(ctx.item.iItem) && (bFocus || HasListStyle(LVS_SEC_SHOWSELALWAYS));
    if (ctx.item.iSubItem != 0 && !bFullRow)
        bHighlight = FALSE;
    if (bHighlight && !bFocus && m_nEditItem == -1)
    {
        ctx.crText = GetSharedColor(sharedInactiveSelText);
        ctx.crCellBk = GetSharedColor(sharedDisabledBk);
    }
    else if (bHighlight)
    {
        ctx.crText = bGray ? m_colors[colorGrayText] : m_colors[colorSelText];
        ctx.crCellBk = m_colors[colorSelBk];
    }
    else
    {
        ctx.crText = bGray ? m_colors[colorGrayText] : m_colors[colorText];
        ctx.crCellBk = m_colors[colorTextBk];
    }
    if (ctx.item.iItem == m_nDropItem && (ctx.item.iSubItem == 0 || bFullRow))
    {
        ctx.crText = m_colors[colorSelText];
        ctx.crCellBk = m_colors[colorSelBk];
    }
}

template <class TWndBase> void SECListBaseT<TWndBase>::SetCellFont(SECListPaintContext& ctx)
{
    ctx.hFont = GetItemFont();
}

template <class TWndBase> void SECListBaseT<TWndBase>::DrawSubItem(SECListPaintContext& ctx)
{
    ctx.pDC->FillSolidRect(ctx.rcCell, ctx.crRowBk);
    if (ctx.item.pszText == nullptr || ctx.item.pszText == LPSTR_TEXTCALLBACKW)
        return;
    if (ctx.item.iSubItem == 0)
        DrawItemImage(ctx);
    DrawCellText(ctx);
}

template <class TWndBase> void SECListBaseT<TWndBase>::DrawItemImage(SECListPaintContext& ctx)
{
    CImageList* pList = GetImageList(ctx.nViewMode == 0 ? LVSIL_NORMAL : LVSIL_SMALL);
    if (pList == nullptr)
        return;
    const CRect& icon = ctx.pItem->m_rcIcon;
    CPoint pt(ctx.rcCell.left + icon.left, ctx.rcCell.top + icon.top);
    if (ctx.nViewMode == 0)
        pt.x = ctx.rcCell.left + (ctx.pItem->m_rcLabel.right - ctx.pItem->m_rcLabel.left - kHeaderImageSize) / 2;
    pList->Draw(ctx.pDC, ctx.item.iImage, pt, ILD_NORMAL);
}

template <class TWndBase> void SECListBaseT<TWndBase>::DrawCellText(SECListPaintContext& ctx)
{
    if (ctx.item.iItem == m_nEditItem && ctx.nColumn == m_nCurrentColumn)
        return;
    CRect text = ctx.rcCell;
    text.DeflateRect(kHeadingLeft, 0, kHeadingRight, 0);
    // Beside an icon only the text's own part takes the cell colours, so the icon stays.
    CRect fill = ctx.rcCell;
    const SECListItem* pItem = ctx.pItem;
    if (ctx.item.iSubItem == 0 && !CRect(pItem->m_rcIcon).IsRectEmpty())
    {
        CRect label = pItem->m_rcLabel;
        if (ctx.nViewMode == 0)
            text = label + ctx.rcCell.TopLeft();
        else
            text.SetRect(ctx.rcCell.left + pItem->m_rcIcon.right + 4, ctx.rcCell.top + 3,
                         ctx.rcCell.left + pItem->m_rcIcon.right + 4 + label.Width(), ctx.rcCell.bottom);
        fill.left = text.left - 1;
        fill.top = ctx.nViewMode == 0 ? text.top : fill.top;
    }
    CDC* pDC = ctx.pDC;
    // Selecting a font looks it up among the system's faces: the paint selects the item font
    // once, and a cell changes it only for a font of its own.
    const HGDIOBJ hOldFont =
        ::GetCurrentObject(pDC->m_hDC, OBJ_FONT) == ctx.hFont ? nullptr : ::SelectObject(pDC->m_hDC, ctx.hFont);
    const COLORREF crOldText = pDC->SetTextColor(ctx.crText);
    const COLORREF crOldBk = pDC->SetBkColor(ctx.crCellBk);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->FillSolidRect(fill, ctx.crCellBk);
    UINT nFlags = DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER | FormatToAlign(ctx.pColumn->fmt);
    if (!IsLabelWrap())
        nFlags |= DT_SINGLELINE | DT_END_ELLIPSIS;
    ::DrawTextW(pDC->m_hDC, ctx.item.pszText, LabelLength(ctx.item.pszText), &text, nFlags);
    pDC->SetBkMode(nOldMode);
    pDC->SetBkColor(crOldBk);
    pDC->SetTextColor(crOldText);
    if (hOldFont != nullptr)
        ::SelectObject(pDC->m_hDC, hOldFont);
}

template <class TWndBase> void SECListBaseT<TWndBase>::DrawRowLine(CDC* pDC, int, const CRect& rect)
{
    CPen* pOld = pDC->SelectObject(&GridPen(1));
    pDC->MoveTo(rect.left, rect.bottom - 1);
    pDC->LineTo(rect.right, rect.bottom - 1);
    pDC->SelectObject(pOld);
}

template <class TWndBase> void SECListBaseT<TWndBase>::DrawGridLines(CDC* pDC, int nRow, const CRect& rect)
{
    CPen* pOld = pDC->SelectObject(&GridPen(0));
    const int nLines = GetColumnCount() - (HasListStyleEx(LVXS_FITCOLUMNS) ? 1 : 0);
    for (int i = 0; i < nLines; i++)
    {
        const int x = GetColumnRight(i);
        pDC->MoveTo(x, rect.top);
        pDC->LineTo(x, rect.bottom);
    }
    if (nRow == GetItemCount() - 1)
    {
        pDC->MoveTo(rect.left, rect.bottom - 1);
        pDC->LineTo(rect.right, rect.bottom - 1);
    }
    pDC->SelectObject(pOld);
}

// ---- The header ----

namespace
{
// Draws a heading into its button, with the header image when the button is wide enough.
template <class TList> void DrawHeading(TList& list, CDC* pDC, int nColumn, CRect button, BOOL bPressed)
{
    CRect text = button;
    text.DeflateRect(kHeadingLeft, 0, kHeadingRight, 1);
    if (bPressed)
        text.OffsetRect(1, 1);
    UINT nAlign = SECListBaseC::FormatToAlign(list.GetColumnFormat(nColumn));
    const SECListColumn* pColumn = list.GetColumn(nColumn);
    if (list.GetImageList(LVSIL_SEC_HEADER) != nullptr && pColumn->iImage >= 0 &&
        button.Width() >= kHeaderImageMinWidth)
        list.DrawHeaderImage(pDC, nColumn, text, nAlign);
    UINT nFlags = kHeadingFlags | nAlign;
    if (pDC->GetTextExtent(pColumn->strHeading).cx > text.Width())
        nFlags |= DT_END_ELLIPSIS;
    ::DrawTextW(pDC->m_hDC, pColumn->strHeading, pColumn->strHeading.GetLength(), &text, nFlags);
}
} // namespace

template <class TWndBase> void SECListBaseT<TWndBase>::DrawHeader(SECListPaintContext& ctx)
{
    CDC* pDC = ctx.pDC;
    CRect client;
    GetListClientRect(client);
    const int nLeft = GetColumnLeft(0);
    CRect header(nLeft, client.top, nLeft + std::max(GetContentWidth(), client.Width() + 1),
                 client.top + m_nHeaderHeight);
    if (!pDC->IsPrinting() && !pDC->RectVisible(header))
        return;
    const HGDIOBJ hOldFont = ::SelectObject(pDC->m_hDC, GetHeaderFont());
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF crOldText = pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    pDC->FillSolidRect(header, ::GetSysColor(COLOR_BTNFACE));
    HTHEME hTheme = VisualStylesActive() ? m_themes.Get(m_hWnd, L"HEADER") : nullptr;
    int nRight = nLeft;
    for (int i = 0; i < GetColumnCount(); i++)
    {
        const int cx = GetColumn(i)->cx;
        if (cx <= 0)
            continue;
        CRect button(GetColumnLeft(i), header.top, GetColumnLeft(i) + cx, header.bottom);
        if (hTheme != nullptr)
            SECDrawThemeBackground(hTheme, pDC->m_hDC, kHeaderPartItem, i == m_nHotHeader ? 2 : 1, &button, nullptr);
        else
            pDC->DrawFrameControl(&button, DFC_BUTTON, DFCS_BUTTONPUSH);
        DrawHeading(*this, pDC, i, button, FALSE);
        nRight = button.right;
    }
    CRect filler(nRight, header.top, std::max<int>(nRight, client.right) + 2, header.bottom);
    if (hTheme != nullptr)
        SECDrawThemeBackground(hTheme, pDC->m_hDC, kHeaderPartRight, 1, &filler, nullptr);
    else
        pDC->DrawFrameControl(&filler, DFC_BUTTON, DFCS_BUTTONPUSH);
    pDC->SetTextColor(crOldText);
    pDC->SetBkMode(nOldMode);
    ::SelectObject(pDC->m_hDC, hOldFont);
}

template <class TWndBase> void SECListBaseT<TWndBase>::DrawHeaderItem(int nColumn, BOOL bPressed)
{
    const SECListColumn* pColumn = GetColumn(nColumn);
    if (pColumn == nullptr || m_hWnd == nullptr)
        return;
    CClientDC dc(this);
    CRect button(GetColumnLeft(nColumn), 0, GetColumnLeft(nColumn) + pColumn->cx, m_nHeaderHeight);
    if (m_nScrollBarFlags & WS_VSCROLL)
    {
        CRect inside;
        GetInsideRect(inside);
        dc.ExcludeClipRect(inside.right, 0, inside.right + ::GetSystemMetrics(SM_CXVSCROLL), m_nHeaderHeight);
    }
    const HGDIOBJ hOldFont = ::SelectObject(dc.m_hDC, GetHeaderFont());
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    dc.FillSolidRect(button, ::GetSysColor(COLOR_BTNFACE));
    HTHEME hTheme = VisualStylesActive() ? m_themes.Get(m_hWnd, L"HEADER") : nullptr;
    if (hTheme != nullptr)
    {
        const int nState = bPressed ? 3 : (nColumn == m_nHotHeader ? 2 : 1);
        SECDrawThemeBackground(hTheme, dc.m_hDC, kHeaderPartItem, nState, &button, nullptr);
    }
    else
        dc.DrawFrameControl(&button, DFC_BUTTON, DFCS_BUTTONPUSH | (bPressed ? DFCS_PUSHED | DFCS_FLAT : 0));
    DrawHeading(*this, &dc, nColumn, button, bPressed);
    dc.SetBkMode(nOldMode);
    ::SelectObject(dc.m_hDC, hOldFont);
}

template <class TWndBase> void SECListBaseT<TWndBase>::DrawHeaderImage(CDC* pDC, int nColumn, CRect& rect, UINT& nAlign)
{
    const SECListColumn* pColumn = GetColumn(nColumn);
    CImageList* pList = GetImageList(LVSIL_SEC_HEADER);
    HICON hIcon = pList->ExtractIcon(pColumn->iImage);
    if (hIcon == nullptr)
        return;
    const int cxHeading = pDC->GetTextExtent(pColumn->strHeading).cx;
    const int nFormat = pColumn->fmt & ~LVCFMT_BITMAP_ON_RIGHT;
    int x = rect.left;
    if (nFormat == LVCFMT_CENTER)
        x = rect.left + (rect.Width() - cxHeading - 26) / 2;
    else if (nFormat == LVCFMT_RIGHT)
        x = rect.right - cxHeading - 26;
    const BOOL bOnRight = (pColumn->fmt & LVCFMT_BITMAP_ON_RIGHT) != 0;
    if (bOnRight)
        x = std::min<int>(x + cxHeading + 10, rect.right - kHeaderImageSize);
    x = std::max<int>(x, rect.left);
    ::DrawIconEx(pDC->m_hDC, x, rect.top + 1, hIcon, kHeaderImageSize, kHeaderImageSize, 0, nullptr, DI_NORMAL);
    ::DestroyIcon(hIcon);
    if (bOnRight)
    {
        rect.right = x - 10;
        nAlign = DT_RIGHT;
    }
    else
    {
        rect.left = x + 26;
        nAlign = DT_LEFT;
    }
}

template <class TWndBase> CImageList* SECListBaseT<TWndBase>::CreateHeaderDragImage(int nColumn)
{
    const SECListColumn* pColumn = GetColumn(nColumn);
    if (pColumn == nullptr || m_hWnd == nullptr)
        return nullptr;
    CClientDC dcWnd(this);
    CDC dc;
    CBitmap bitmap;
    const CSize size(pColumn->cx, m_nHeaderHeight + 1);
    if (!dc.CreateCompatibleDC(&dcWnd) || !bitmap.CreateCompatibleBitmap(&dcWnd, size.cx, size.cy))
        return nullptr;
    CBitmap* pOld = dc.SelectObject(&bitmap);
    dc.FillSolidRect(CRect(CPoint(0, 0), size), kDragImageFill);
    const HGDIOBJ hOldFont = ::SelectObject(dc.m_hDC, GetHeaderFont());
    dc.SetBkMode(TRANSPARENT);
    DrawHeading(*this, &dc, nColumn, CRect(CPoint(0, 0), size), FALSE);
    ::SelectObject(dc.m_hDC, hOldFont);
    dc.SelectObject(pOld);
    auto* pImage = new CImageList;
    pImage->Create(size.cx, size.cy, ILC_COLOR32 | ILC_MASK, 1, 0);
    pImage->Add(&bitmap, ::GetSysColor(COLOR_BTNFACE));
    return pImage;
}
template class SECListBaseT<CWnd>;
template class SECListBaseT<CView>;
} // namespace tarnwick::lists
