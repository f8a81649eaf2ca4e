// The list core's measuring, its rows of individual heights, its scrolling, and its client area
// with the scroll bars.
#include "ListBaseC.h"

#include <algorithm>
#include <cstdlib>

namespace tarnwick::lists
{
namespace
{
constexpr int kIconOffset = 2; // the icon's left and top inside a row
constexpr int kTextLeft = 6;   // text of a cell without an icon
constexpr int kTextTop = 2;
constexpr int kIconTextGap = 5;      // text left = icon right + 5
constexpr int kIconModeTextLeft = 8; // below the icon in icon mode
constexpr int kIconReserve = 11;     // text width = column width - icon width - 11
constexpr int kIconModeExtra = 5;
constexpr int kLabelMargin = 5; // right of the widest label in the content width
constexpr UINT kMeasureFlags = DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK;

BOOL HasText(const SECListPaintContext& ctx)
{
    return ctx.item.pszText != nullptr && ctx.item.pszText != LPSTR_TEXTCALLBACKW;
}

constexpr UINT kHorzBarId = 0xEA00;
constexpr UINT kVertBarId = 0xEA10;

// Read once for all list controls.
const CSize& ScrollBarMetrics()
{
    static const CSize size(::GetSystemMetrics(SM_CXVSCROLL), ::GetSystemMetrics(SM_CYHSCROLL));
    return size;
}
} // namespace

// ---- Measuring ----

template <class TWndBase> SECListPaintContext* SECListBaseT<TWndBase>::CreatePaintContext(CDC* pDC)
{
    return new SECListPaintContext(pDC);
}

template <class TWndBase> SECListPaintContext& SECListBaseT<TWndBase>::MeasuringContext()
{
    if (m_pMeasureContext == nullptr)
    {
        // Kept until released: measuring happens row by row.
        m_pMeasureDC = GetMeasureDC(&m_bDeleteMeasureDC);
        if (m_pMeasureDC == nullptr || m_pMeasureDC->GetSafeHdc() == nullptr)
            AfxThrowResourceException();
        m_pMeasureContext = CreatePaintContext(m_pMeasureDC);
        m_pMeasureContext->nFlag = SECListPaintContext::MeasurePass;
    }
    return *m_pMeasureContext;
}

template <class TWndBase> void SECListBaseT<TWndBase>::ReleaseMeasuringContext()
{
    delete m_pMeasureContext;
    m_pMeasureContext = nullptr;
    if (m_bDeleteMeasureDC)
        delete m_pMeasureDC;
    m_pMeasureDC = nullptr;
    m_bDeleteMeasureDC = FALSE;
}

template <class TWndBase> void SECListBaseT<TWndBase>::MarkForMeasuring(SECListItem* pItem)
{
    pItem->m_cyMeasured = -1;
    pItem->m_bNeedsMeasuring = TRUE;
}

template <class TWndBase> void SECListBaseT<TWndBase>::MarkAllForMeasuring()
{
    for (INT_PTR i = 0; i < m_items.GetSize(); i++)
        MarkForMeasuring(static_cast<SECListItem*>(m_items[i]));
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::PrepareCell(SECListPaintContext& ctx)
{
    ctx.item.mask = LVIF_TEXT | LVIF_STATE | LVIF_IMAGE;
    ctx.item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    m_pszTextBuffer[0] = L'\0';
    ctx.item.pszText = m_pszTextBuffer;
    ctx.item.cchTextMax = TextBufferSize;
    ctx.nViewMode = m_nListStyle & LVS_SEC_VIEWMASK;
    if (!GetItem(&ctx.item, FALSE, TRUE))
        return FALSE;
    SetCellStyle(ctx);
    return TRUE;
}

template <class TWndBase> void SECListBaseT<TWndBase>::SetCellStyle(SECListPaintContext& ctx)
{
    if (ctx.nFlag != SECListPaintContext::MeasurePass)
    {
        SetBkColorOf(ctx);
        SetLineColor(ctx);
        SetCellColors(ctx);
    }
    SetCellFont(ctx);
}

template <class TWndBase> void SECListBaseT<TWndBase>::LayoutItemForPaint(SECListPaintContext& ctx)
{
    SECListItem* pItem = ctx.pItem;
    if (!pItem->m_bNeedsMeasuring)
        return;
    int cyItem = std::max(pItem->m_cyMeasured, 0);
    for (int i = 0; i < GetColumnCount(); i++)
    {
        ctx.nColumn = i;
        ctx.pColumn = GetColumn(i);
        ctx.item.iSubItem = ctx.pColumn->iSubItem;
        ctx.pSubItem = pItem->GetSubItem(ctx.item.iSubItem);
        if (!PrepareCell(ctx))
            continue;
        int cyCell = 0;
        MeasureSubItem(ctx, cyCell);
        cyItem = std::max(cyItem, cyCell);
    }
    pItem->m_cyMeasured = cyItem;
    pItem->m_bNeedsMeasuring = FALSE;
}

template <class TWndBase> void SECListBaseT<TWndBase>::MeasureItemAt(int nItem, SECListPaintContext* pCtx)
{
    SECListItem* pItem = GetItemAt(nItem);
    if (pItem == nullptr)
        return;
    SECListPaintContext& ctx = pCtx != nullptr ? *pCtx : MeasuringContext();
    ctx.item.iItem = nItem;
    ctx.pItem = pItem;
    LayoutItemForPaint(ctx);
}

template <class TWndBase> void SECListBaseT<TWndBase>::MeasureSubItem(SECListPaintContext& ctx, int& cyCell)
{
    if (!HasText(ctx))
        return;
    CRect rcIcon(0, 0, 0, 0);
    int cxText = ctx.pColumn->cx;
    if (ctx.item.iSubItem == 0)
    {
        GetIconRect(ctx, rcIcon);
        ctx.pItem->m_rcIcon = rcIcon;
        cxText = ctx.pColumn->cx - rcIcon.Width() - kIconReserve;
    }
    CRect rcText(0, 0, std::max(cxText, 0), 0);
    GetTextRect(ctx, rcText);
    if (ctx.nViewMode == 0)
        cyCell = rcIcon.Height() + rcText.Height() + kIconModeExtra;
    else if (ctx.nViewMode == LVS_SEC_REPORT)
        // The icon sits 2 pixels down: the row takes in its bottom, so that no icon is cut.
        cyCell = std::max<int>(rcIcon.IsRectEmpty() ? 0 : rcIcon.bottom, rcText.Height());
}

template <class TWndBase> int SECListBaseT<TWndBase>::GetIconRect(SECListPaintContext& ctx, CRect& rect)
{
    rect.SetRectEmpty();
    const CImageList* pList = GetImageList(ctx.nViewMode == 0 ? LVSIL_NORMAL : LVSIL_SMALL);
    IMAGEINFO info = {};
    if (pList == nullptr || !pList->GetImageInfo(ctx.item.iImage, &info))
        return 0;
    rect.SetRect(kIconOffset, kIconOffset, kIconOffset + info.rcImage.right - info.rcImage.left,
                 kIconOffset + info.rcImage.bottom - info.rcImage.top);
    return 2;
}

template <class TWndBase> UINT SECListBaseT<TWndBase>::FormatToAlign(int nFormat)
{
    switch (nFormat & ~LVCFMT_BITMAP_ON_RIGHT)
    {
    case LVCFMT_RIGHT:
        return DT_RIGHT;
    case LVCFMT_CENTER:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}

template <class TWndBase> int SECListBaseT<TWndBase>::LabelLength(LPCWSTR pszText) const
{
    const int nLength = static_cast<int>(wcslen(pszText));
    if (IsLabelWrap())
        return nLength;
    const wchar_t* pszFeed = wcschr(pszText, L'\n');
    return pszFeed != nullptr ? static_cast<int>(pszFeed - pszText) + 1 : nLength;
}

template <class TWndBase> void SECListBaseT<TWndBase>::GetTextRect(SECListPaintContext& ctx, CRect& rect)
{
    UINT nFlags = kMeasureFlags | FormatToAlign(ctx.pColumn->fmt);
    if (!IsLabelWrap())
        nFlags |= DT_SINGLELINE;
    const HDC hDC = ctx.pDC->m_hAttribDC != nullptr ? ctx.pDC->m_hAttribDC : ctx.pDC->m_hDC;
    const HGDIOBJ hOldFont = ::SelectObject(hDC, ctx.hFont);
    CRect rcText(0, 0, rect.Width(), 0);
    ::DrawTextW(hDC, ctx.item.pszText, LabelLength(ctx.item.pszText), &rcText, nFlags);
    ::SelectObject(hDC, hOldFont);

    CPoint ptAt(kTextLeft, kTextTop);
    const CRect& rcIcon = ctx.pItem->m_rcIcon;
    if (ctx.item.iSubItem == 0 && !rcIcon.IsRectEmpty())
    {
        if (ctx.nViewMode == 0)
            ptAt = CPoint(kIconModeTextLeft, rcIcon.bottom + 2);
        else
            ptAt = CPoint(rcIcon.right + kIconTextGap, (rcIcon.Height() - rcText.Height()) / 2);
    }
    rect = rcText;
    rect.OffsetRect(ptAt);
    if (ctx.item.iSubItem == 0)
        ctx.pItem->m_rcLabel = rect;
    else if (ctx.pSubItem != nullptr)
        ctx.pSubItem->m_rcText = rect;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::SetItemHeight(int nItem, int cy)
{
    SECListItem* pItem = GetItemAt(nItem);
    if (pItem == nullptr)
        return FALSE;
    pItem->m_cyMeasured = cy;
    return TRUE;
}

template <class TWndBase> void SECListBaseT<TWndBase>::SetColumnWidthRemeasure(int nColumn, int nWidth)
{
    SECListColumn* pColumn = GetColumn(nColumn);
    if (pColumn == nullptr)
        return;
    pColumn->cx = nWidth;
    if (IsLabelWrap())
        MarkAllForMeasuring();
}

// ---- Rows ----

template <class TWndBase> int SECListBaseT<TWndBase>::GetRowSpacing() const
{
    return 0;
}

template <class TWndBase> int SECListBaseT<TWndBase>::GetRowPitch(int nItem)
{
    const SECListItem* pItem = GetItemAt(nItem);
    if (pItem == nullptr)
        return 0;
    if (pItem->m_bNeedsMeasuring || pItem->m_cyMeasured < 0)
        MeasureItemAt(nItem);
    return std::max(pItem->m_cyMeasured, 0) + GetRowSpacing();
}

template <class TWndBase> int SECListBaseT<TWndBase>::GetLastVisibleIndex()
{
    CRect inside;
    GetInsideRect(inside);
    const int nCount = GetItemCount();
    int y = 0;
    for (int i = m_nTopIndex; i < nCount; i++)
    {
        y += GetRowPitch(i);
        if (y > inside.Height())
            return i - 1;
    }
    return nCount - 1;
}

template <class TWndBase> int SECListBaseT<TWndBase>::RowsOnPage()
{
    CRect inside;
    GetInsideRect(inside);
    const int nCount = GetItemCount();
    int nRows = 0;
    int y = 0;
    for (int i = m_nTopIndex; i < nCount; i++, nRows++)
    {
        y += GetRowPitch(i);
        if (y > inside.Height())
            return nRows;
    }
    // Room left after the last item: rows above the top count while they fit.
    for (int i = m_nTopIndex - 1; i >= 0; i--, nRows++)
    {
        y += GetRowPitch(i);
        if (y > inside.Height())
            break;
    }
    return nRows;
}

template <class TWndBase> int SECListBaseT<TWndBase>::RowsAbovePage()
{
    CRect inside;
    GetInsideRect(inside);
    int nRows = 0;
    int y = 0;
    for (int i = m_nTopIndex - 1; i >= 0; i--, nRows++)
    {
        y += GetRowPitch(i);
        if (y > inside.Height())
            break;
    }
    return nRows;
}

template <class TWndBase> int SECListBaseT<TWndBase>::FirstRowOfLastPage()
{
    CRect inside;
    GetInsideRect(inside);
    const int nCount = GetItemCount();
    int y = 0;
    for (int i = nCount - 1; i >= 0; i--)
    {
        y += GetRowPitch(i);
        if (y > inside.Height())
            return i + 1;
    }
    return 0;
}

template <class TWndBase> int SECListBaseT<TWndBase>::FirstRowBelowPage()
{
    CRect inside;
    GetInsideRect(inside);
    // The row after those it takes to fill the page; the count when they do not.
    return m_nTopIndex + RowsInHeight(inside.Height(), m_nTopIndex, TRUE);
}

template <class TWndBase> int SECListBaseT<TWndBase>::FirstRowOfPreviousPage()
{
    if (m_nTopIndex == 0)
        return 0;
    CRect inside;
    GetInsideRect(inside);
    int y = 0;
    for (int i = m_nTopIndex; i >= 0; i--)
    {
        y += GetRowPitch(i);
        if (y >= inside.Height())
            return i;
    }
    return -1;
}

template <class TWndBase> int SECListBaseT<TWndBase>::RowFromY(CPoint point)
{
    const int nCount = GetItemCount();
    int y = 0;
    for (int i = 0; i < nCount; i++)
    {
        if (y >= point.y)
            return i;
        y += GetRowPitch(i);
    }
    return nCount;
}

template <class TWndBase> int SECListBaseT<TWndBase>::RowDistance(int nFrom, int nTo, BOOL bInclusive)
{
    const int nLow = std::min(nFrom, nTo);
    const int nHigh = std::max(nFrom, nTo);
    // Rows outside the list have no pitch: the walk keeps to the items.
    const int nEnd = std::min(bInclusive ? nHigh + 1 : nHigh, GetItemCount());
    int cy = 0;
    for (int i = std::max(nLow, 0); i < nEnd; i++)
        cy += GetRowPitch(i);
    return nTo < nFrom ? -cy : cy;
}

template <class TWndBase> int SECListBaseT<TWndBase>::RowsInHeight(int nHeight, int nRow, BOOL bForward)
{
    const int nCount = GetItemCount();
    const int nStep = bForward ? 1 : -1;
    int nRows = 0;
    int y = 0;
    for (int i = nRow; y < nHeight && i >= 0 && i < nCount; i += nStep, nRows++)
        y += GetRowPitch(i);
    return nRows;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::InvalidateRows(int nFrom, int nTo)
{
    // Rows below the page are not drawn: the band ends with the first of them.
    const int nLast = std::min(std::max(nFrom, nTo), FirstRowBelowPage());
    if (m_hWnd == nullptr || nLast < m_nTopIndex)
        return TRUE;
    CRect inside;
    GetInsideRect(inside);
    const int nFirst = std::max(std::min(nFrom, nTo), m_nTopIndex);
    const int yFirst = inside.top + RowDistance(m_nTopIndex, nFirst, FALSE);
    const int yLast = inside.top + RowDistance(m_nTopIndex, nLast, TRUE);
    // To the inside right edge: scrolled rows reach it wherever their left edge lies.
    const CRect band(GetColumnLeft(0), yFirst, inside.right, yLast);
    InvalidateRect(&band, TRUE);
    return TRUE;
}

template <class TWndBase> int SECListBaseT<TWndBase>::GetContentWidth()
{
    if (GetColumnCount() >= 2)
    {
        int cx = 0;
        for (int i = 0; i < GetColumnCount(); i++)
            cx += GetColumn(i)->cx;
        return cx;
    }
    CRect inside;
    GetInsideRect(inside);
    // Wrapping labels are as wide as the page allows: only the rows on it count.
    const int nLast = IsLabelWrap() ? std::min(GetItemCount(), m_nTopIndex + RowsOnPage()) : GetItemCount();
    int cx = 0;
    for (int i = IsLabelWrap() ? m_nTopIndex : 0; i < nLast; i++)
    {
        const SECListItem* pItem = GetItemAt(i);
        if (pItem->m_bNeedsMeasuring)
            MeasureItemAt(i);
        cx = std::max<int>(cx, pItem->m_rcLabel.right + kLabelMargin);
    }
    if (IsReportMode())
        cx = std::max(cx, inside.Width());
    return cx;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::GetCellRect(int nItem, int nColumn, CRect& rect, int nPart)
{
    const SECListItem* pItem = GetItemAt(nItem);
    if (pItem == nullptr || nItem < m_nTopIndex || nPart < 0 || nPart > 2)
        return FALSE;
    CRect inside;
    GetInsideRect(inside);
    int y = inside.top;
    for (int i = m_nTopIndex; i < nItem; i++)
        y += GetRowPitch(i);
    rect.SetRect(GetColumnLeft(nColumn), y, GetColumnRight(nColumn), y + GetRowPitch(nItem));
    if (GetColumnCount() == 1)
        rect.right = inside.right;
    if (nPart == 0)
        return TRUE;
    const int nSubItem = GetColumnSubItem(nColumn);
    if (nSubItem == 0)
    {
        CRect part = nPart == 2 ? pItem->m_rcLabel : pItem->m_rcIcon;
        part.OffsetRect(rect.TopLeft());
        rect = part;
        return TRUE;
    }
    const SECListSubItem* pSub = pItem->GetSubItem(nSubItem);
    if (nPart != 2 || pSub == nullptr)
        return FALSE;
    CRect part = pSub->m_rcText;
    if ((GetColumnFormat(nColumn) & ~LVCFMT_BITMAP_ON_RIGHT) == 3)
        part.OffsetRect(rect.left + (rect.Width() - part.Width()) / 2 - part.left, rect.top);
    else
        part.OffsetRect(rect.TopLeft());
    rect = part;
    return TRUE;
}

template <class TWndBase>
void SECListBaseT<TWndBase>::RedrawItemRows(int nItem, BOOL bLabelOnly, BOOL bErase, BOOL bUpdate, BOOL bNow)
{
    if (m_hWnd == nullptr || nItem < m_nTopIndex || GetItemAt(nItem) == nullptr)
        return;
    CRect inside;
    GetInsideRect(inside);
    int y = inside.top;
    for (int i = m_nTopIndex; i < nItem && y < inside.bottom; i++)
        y += GetRowPitch(i);
    if (y >= inside.bottom)
        return;
    const int nLeft = GetColumnLeft(0);
    CRect rect(nLeft, y, std::max<int>(nLeft + GetContentWidth(), inside.right), y + GetRowPitch(nItem));
    if (bUpdate)
    {
        if (bErase)
        {
            CClientDC dc(this);
            dc.FillSolidRect(CRect(rect.left, rect.top, rect.right, inside.bottom), GetBkColor());
        }
        else
            rect.bottom = inside.bottom;
    }
    if (bLabelOnly && !HasListStyleEx(LVXS_FULLROWSELECT))
    {
        CRect label = GetItemAt(nItem)->m_rcLabel;
        label.OffsetRect(nLeft, y);
        label.InflateRect(3, 0);
        rect.left = label.left;
        rect.right = label.right;
    }
    if (bNow)
        RedrawWindow(&rect, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | (bErase ? RDW_ERASE : 0));
    else
        InvalidateRect(&rect, bErase);
}

template <class TWndBase> void SECListBaseT<TWndBase>::InvalidateItem(int nItem)
{
    if (SECListItem* pItem = GetItemAt(nItem))
        MarkForMeasuring(pItem);
    RedrawItemRows(nItem, FALSE, TRUE, FALSE, FALSE);
}

// ---- Layout and scrolling ----

template <class TWndBase> void SECListBaseT<TWndBase>::RecalcLayout()
{
    MarkAllForMeasuring();
    UpdateScrollState();
}

template <class TWndBase> CSize SECListBaseT<TWndBase>::GetContentExtent()
{
    return CSize(GetContentWidth(), GetItemCount());
}

template <class TWndBase> void SECListBaseT<TWndBase>::UpdateScrollState()
{
    if (m_hWnd == nullptr)
        return;
    ScrollBarUpdateV(RowsOnPage());
    if (IsLabelWrap())
        MarkAllForMeasuring();
    ScrollBarUpdateH(GetContentExtent().cx);
    ScrollBarUpdateV(RowsOnPage());
    PositionScrollBars();
}

template <class TWndBase> void SECListBaseT<TWndBase>::ScrollBarUpdateV(int nRowsFit)
{
    CRect before;
    GetInsideRect(before);
    const int nCount = GetItemCount();
    if (nRowsFit >= nCount)
    {
        if (m_nTopIndex != 0)
            ScrollRows(-m_nTopIndex);
        ShowScrollBar(SB_VERT, FALSE);
    }
    else
    {
        const int nLastPage = FirstRowOfLastPage();
        if (m_nTopIndex > nLastPage)
            ScrollRows(nLastPage - m_nTopIndex);
        SCROLLINFO info = {sizeof(info), SIF_ALL, 0, nCount - 1, static_cast<UINT>(nRowsFit), m_nTopIndex, 0};
        ShowScrollBar(SB_VERT, TRUE, &info);
    }
    CRect after;
    GetInsideRect(after);
    if (after.Size() != before.Size() && HasListStyleEx(LVXS_FITCOLUMNS))
        Invalidate(TRUE);
}

template <class TWndBase> void SECListBaseT<TWndBase>::ScrollBarUpdateH(int nContentWidth)
{
    CRect inside;
    GetInsideRect(inside);
    if (nContentWidth <= inside.Width())
    {
        m_nHScrollOffset = 0;
        ShowScrollBar(SB_HORZ, FALSE);
        return;
    }
    m_nHScrollOffset = std::min(m_nHScrollOffset, nContentWidth - inside.Width());
    SCROLLINFO info = {sizeof(info), SIF_ALL, 0, nContentWidth, static_cast<UINT>(inside.Width()), m_nHScrollOffset, 0};
    ShowScrollBar(SB_HORZ, TRUE, &info);
}

template <class TWndBase> int SECListBaseT<TWndBase>::GetHScrollOffset() const
{
    return m_nHScrollOffset;
}

template <class TWndBase> void SECListBaseT<TWndBase>::ScrollRows(int nRows, BOOL bByPixels)
{
    if (bByPixels)
    {
        const int nPixels = nRows;
        nRows = RowsInHeight(std::abs(nPixels), GetLastVisibleIndex(), nPixels > 0);
        if (nPixels < 0)
            nRows = -nRows;
    }
    const int nTop = std::clamp(m_nTopIndex + nRows, 0, std::max(GetItemCount() - 1, 0));
    if (nTop == m_nTopIndex)
        return;
    m_nTopIndex = nTop;
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

template <class TWndBase> void SECListBaseT<TWndBase>::ScrollHorz(int nPixels)
{
    CRect inside;
    GetInsideRect(inside);
    // As far as the content goes: one column's labels may be wider than the column.
    m_nHScrollOffset = std::clamp(m_nHScrollOffset - nPixels, 0, std::max(GetContentWidth() - inside.Width(), 0));
    if (CScrollBar* pBar = GetScrollBarCtrl(SB_HORZ))
        pBar->SetScrollPos(m_nHScrollOffset);
    Invalidate(FALSE);
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::EnsureVisible(int nItem)
{
    const int nLast = GetLastVisibleIndex();
    if (nItem == nLast && nLast == GetItemCount() - 1)
        return TRUE;
    if (nItem >= nLast && nLast != -1)
        ScrollRows(nItem - nLast);
    else if (nItem < m_nTopIndex)
        ScrollRows(nItem - m_nTopIndex - 1);
    return TRUE;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::EnsureRangeVisible(int nFirst, int nLast)
{
    if (nFirst < 0 || nLast >= GetItemCount() || nLast < nFirst)
        return FALSE;
    if (nFirst >= m_nTopIndex && nLast <= GetLastVisibleIndex())
        return TRUE;
    CRect inside;
    GetInsideRect(inside);
    // The height left over shows the rows before the first, as many whole ones as fit: the rows
    // it takes to pass it, less the one that passes.
    const int cyLeft = inside.Height() - RowDistance(nFirst, nLast, TRUE);
    int nAbove = RowsInHeight(cyLeft + 1, nFirst - 1, FALSE);
    if (nAbove > 0 && RowDistance(nFirst - nAbove, nFirst, FALSE) > cyLeft)
        nAbove--;
    ScrollRows(nFirst - nAbove - m_nTopIndex);
    return TRUE;
}

template <class TWndBase> void SECListBaseT<TWndBase>::ScrollToTop(int nRow)
{
    ScrollRows(nRow - m_nTopIndex);
    UpdateScrollState();
}

// ---- Client area and scroll bars ----

template <class TWndBase> void SECListBaseT<TWndBase>::GetListClientRect(CRect& rect) const
{
    if (m_hWnd != nullptr)
        GetClientRect(&rect);
    else
        rect.SetRectEmpty();
}

template <class TWndBase> CDC* SECListBaseT<TWndBase>::GetMeasureDC(BOOL* pbDelete)
{
    *pbDelete = TRUE;
    return new CClientDC(this);
}

template <class TWndBase> void SECListBaseT<TWndBase>::GetInsideRect(CRect& rect) const
{
    GetListClientRect(rect);
    if ((m_nListStyle & LVS_SEC_VIEWMASK) == LVS_SEC_REPORT && IsHeaderShown())
        rect.top += m_nHeaderHeight;
    if (m_nScrollBarFlags & WS_VSCROLL)
        rect.right -= ScrollBarMetrics().cx - 1;
    if (m_nScrollBarFlags & WS_HSCROLL)
        rect.bottom -= ScrollBarMetrics().cy - 1;
    rect.bottom += 1;
}

template <class TWndBase> CScrollBar* SECListBaseT<TWndBase>::GetScrollBarCtrl(int nBar) const
{
    if (m_hWnd == nullptr)
        return nullptr;
    return static_cast<CScrollBar*>(GetDlgItem(nBar == SB_HORZ ? kHorzBarId : kVertBarId));
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::CreateScrollBarCtrl(DWORD dwBarStyle, UINT nID)
{
    return ::CreateWindowExW(0, L"SCROLLBAR", nullptr, dwBarStyle | WS_CHILD | WS_VISIBLE, 0, 0, 1, 1, m_hWnd,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), AfxGetInstanceHandle(),
                             nullptr) != nullptr;
}

template <class TWndBase> void SECListBaseT<TWndBase>::ShowScrollBar(int nBar, BOOL bShow, SCROLLINFO* pInfo)
{
    if (m_nListStyle & LVS_SEC_NOSCROLL)
        bShow = FALSE;
    if (nBar == SB_BOTH)
    {
        ShowScrollBar(SB_HORZ, bShow);
        ShowScrollBar(SB_VERT, bShow);
        return;
    }
    const UINT nID = nBar == SB_HORZ ? kHorzBarId : kVertBarId;
    HWND hBar = ::GetDlgItem(m_hWnd, static_cast<int>(nID));
    if (hBar == nullptr)
    {
        if (!CreateScrollBarCtrl(nBar == SB_HORZ ? SBS_HORZ : SBS_VERT, nID))
            AfxThrowResourceException();
        hBar = ::GetDlgItem(m_hWnd, static_cast<int>(nID));
    }
    if (pInfo != nullptr)
        ::SetScrollInfo(hBar, SB_CTL, pInfo, FALSE);
    const UINT nFlag = nBar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
    const UINT nOld = m_nScrollBarFlags;
    m_nScrollBarFlags = bShow ? (m_nScrollBarFlags | nFlag) : (m_nScrollBarFlags & ~nFlag);
    if (m_nScrollBarFlags != nOld)
    {
        ::ShowWindow(hBar, bShow ? SW_SHOW : SW_HIDE);
        PositionScrollBars();
    }
}

template <class TWndBase> void SECListBaseT<TWndBase>::PositionScrollBars()
{
    HWND hHorz = ::GetDlgItem(m_hWnd, static_cast<int>(kHorzBarId));
    HWND hVert = ::GetDlgItem(m_hWnd, static_cast<int>(kVertBarId));
    if (hHorz == nullptr && hVert == nullptr)
        return;
    CRect inside;
    GetInsideRect(inside);
    CRect client;
    GetListClientRect(client);
    const int nHeader = IsHeaderShown() ? m_nHeaderHeight : 0;
    const CRect targets[2] = {
        CRect(CPoint(inside.left, inside.bottom - 1), CSize(inside.Width() + 1, ScrollBarMetrics().cy)),
        CRect(CPoint(inside.right, client.top), CSize(ScrollBarMetrics().cx, inside.Height() + 1 + nHeader))};
    const HWND bars[2] = {hHorz, hVert};
    HDWP hdwp = ::BeginDeferWindowPos(2);
    for (int i = 0; i < 2; i++)
    {
        if (bars[i] == nullptr)
            continue;
        CRect current;
        ::GetWindowRect(bars[i], &current);
        ScreenToClient(&current);
        if (current == targets[i])
            continue;
        hdwp = ::DeferWindowPos(hdwp, bars[i], nullptr, targets[i].left, targets[i].top, targets[i].Width(),
                                targets[i].Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        ::InvalidateRect(bars[i], nullptr, TRUE);
    }
    ::EndDeferWindowPos(hdwp);
}
template class SECListBaseT<CWnd>;
template class SECListBaseT<CView>;
} // namespace tarnwick::lists
