// Column 0 of a tree row: indent, connecting lines, expand button, state image, icon, label.
#include "TreeBaseC.h"
#include "ListView.h"

#include <toolkit/foundation/VisualStyle.h>

#include <algorithm>

namespace tarnwick::lists
{
namespace
{
constexpr int kLabelGap = 6;          // between an image and the label
constexpr int kMaxLabel = 259;        // characters of a one-line label
constexpr int kNoWrapLimit = 10000;   // right limit of a label that does not wrap
constexpr int kButtonNoImage = 8;     // button size, and the line's x, without images
constexpr double kButtonRatio = 1.65; // icon height per button size
constexpr int kMaxButton = 15;
constexpr UINT kStateBits = TVIS_CUT | TVIS_DROPHILITED | TVIS_STATEIMAGEMASK;
constexpr int kGlyphPart = 2; // TVP_GLYPH
constexpr wchar_t kSplitMarker[] = L"\\{HI}";

// The pens of the button box and its plus or minus, made once.
CPen& ButtonPen(int nSysColor)
{
    static CPen shadow(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    static CPen text(PS_SOLID, 1, ::GetSysColor(COLOR_WINDOWTEXT));
    return nSysColor == COLOR_BTNSHADOW ? shadow : text;
}

CFont& BoldFont()
{
    static CFont font;
    return font;
}

int OneLineLength(LPCWSTR pszText)
{
    const wchar_t* pszFeed = wcschr(pszText, L'\n');
    const int nLength = pszFeed != nullptr ? static_cast<int>(pszFeed - pszText) : static_cast<int>(wcslen(pszText));
    return std::min(nLength, kMaxLabel);
}

BOOL ImageExists(const CImageList* pList, int nImage, IMAGEINFO& info)
{
    return pList != nullptr && nImage >= 0 && pList->GetImageInfo(nImage, &info);
}

int ImageWidth(const IMAGEINFO& info)
{
    return info.rcImage.right - info.rcImage.left;
}

int ImageHeight(const IMAGEINFO& info)
{
    return info.rcImage.bottom - info.rcImage.top;
}

int ShownImage(const TVITEMW& item, BOOL bSelected)
{
    return bSelected ? item.iSelectedImage : item.iImage;
}
} // namespace

template <class TListBase> SECListPaintContext* SECTreeBaseT<TListBase>::CreatePaintContext(CDC* pDC)
{
    return new SECTreePaintContext(pDC);
}

template <class TListBase> HFONT SECTreeBaseT<TListBase>::GetBoldFont(HFONT hFont)
{
    LOGFONTW lf = {};
    ::GetObjectW(hFont, sizeof(lf), &lf);
    lf.lfWeight = FW_BOLD;
    CFont& font = BoldFont();
    font.DeleteObject();
    if (!font.CreateFontIndirect(&lf))
        return hFont; // the label keeps its normal weight
    return static_cast<HFONT>(font.m_hObject);
}

template <class TListBase> BOOL SECTreeBaseT<TListBase>::PrepareCell(SECListPaintContext& ctx)
{
    auto& tree = static_cast<SECTreePaintContext&>(ctx);
    tree.pNode = GetRowNode(ctx.item.iItem);
    if (ctx.item.iSubItem != 0 || tree.pNode == nullptr)
        return TListBase::PrepareCell(ctx);
    tree.query = tree.pNode->m_item;
    tree.query.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_STATE | TVIF_HANDLE | TVIF_SELECTEDIMAGE;
    tree.query.stateMask = 0xFFFF;
    this->m_pszTextBuffer[0] = L'\0';
    tree.query.pszText = this->m_pszTextBuffer;
    tree.query.cchTextMax = this->TextBufferSize;
    if (!GetItem(&tree.query, FALSE, TRUE))
        return FALSE;
    if (tree.query.pszText == nullptr || tree.query.pszText == LPSTR_TEXTCALLBACKW)
        tree.query.pszText = const_cast<LPWSTR>(L"");
    ctx.nViewMode = this->m_nListStyle & LVS_SEC_VIEWMASK;
    ctx.item.pszText = tree.query.pszText;
    ctx.item.iImage = tree.query.iImage;
    UINT nState = this->GetItemStateByIndex(ctx.item.iItem, LVIS_SELECTED | LVIS_FOCUSED);
    nState |= tree.query.state & kStateBits;
    if (tree.query.state & TVIS_OVERLAYMASK)
        nState |= TVIS_OVERLAYMASK;
    ctx.item.state = nState;
    ctx.extraState[1] = IsDisabledInherited(tree.pNode) ? SECListPaintContext::GrayText : 0;
    this->SetCellStyle(ctx);
    if (tree.query.state & TVIS_BOLD)
        ctx.hFont = GetBoldFont(ctx.hFont);
    return TRUE;
}

template <class TListBase> void SECTreeBaseT<TListBase>::LayoutItemForPaint(SECListPaintContext& ctx)
{
    if (!ctx.pItem->m_bNeedsMeasuring)
        return;
    const _Node* pNode = GetRowNode(ctx.item.iItem);
    if (ctx.pItem->m_cyMeasured == -1 && pNode != nullptr && pNode->m_nRowHeight != 0)
        ctx.pItem->m_cyMeasured = pNode->m_nRowHeight;
    TListBase::LayoutItemForPaint(ctx);
}

template <class TListBase> int SECTreeBaseT<TListBase>::GetLevelX(const SECTreePaintContext& ctx, int nHalfWidth) const
{
    int x = ctx.rcCell.left + (ctx.pNode->GetDepth() - 2) * m_nIndent + nHalfWidth;
    if ((m_nTreeStyle & TVS_LINESATROOT) && (m_nTreeStyle & (TVS_HASBUTTONS | TVS_HASLINES)))
        x += m_nIndent;
    return x;
}

template <class TListBase> void SECTreeBaseT<TListBase>::MeasureSubItem(SECListPaintContext& ctx, int& cyCell)
{
    auto& tree = static_cast<SECTreePaintContext&>(ctx);
    if (ctx.item.iSubItem != 0 || tree.pNode == nullptr)
    {
        TListBase::MeasureSubItem(ctx, cyCell);
        return;
    }
    int x0 = (tree.pNode->GetDepth() - 1) * m_nIndent;
    if ((m_nTreeStyle & TVS_LINESATROOT) && (m_nTreeStyle & (TVS_HASBUTTONS | TVS_HASLINES)))
        x0 += m_nIndent;
    SECListItem* pItem = ctx.pItem;
    CRect rcState(x0, 0, x0, 0);
    CRect rcIcon(x0, 0, x0, 0);
    int xLabel = x0 + kLabelGap;
    IMAGEINFO info = {};
    const int nStateImage = static_cast<int>((tree.query.state & TVIS_STATEIMAGEMASK) >> 12);
    if (nStateImage != 0 && ImageExists(this->GetImageList(LVSIL_STATE), nStateImage, info))
    {
        rcState.SetRect(x0, 0, x0 + ImageWidth(info), ImageHeight(info));
        rcIcon.SetRect(rcState.right, 0, rcState.right, 0);
        xLabel = rcState.right + kLabelGap;
    }
    if (ImageExists(this->GetImageList(LVSIL_NORMAL), tree.query.iImage, info))
    {
        rcIcon.SetRect(rcState.right, 0, rcState.right + ImageWidth(info), ImageHeight(info));
        xLabel = rcIcon.right + kLabelGap;
    }
    CRect inside;
    this->GetInsideRect(inside);
    int xLimit = this->IsLabelWrap() ? inside.Width() - 5 : kNoWrapLimit;
    if (this->GetColumnCount() >= 2)
        xLimit = this->GetColumnWidth(0) - 5;
    CRect rcLabel(xLabel, 0, std::max(xLimit, xLabel + 1), 0);
    const HDC hDC = ctx.pDC->m_hAttribDC != nullptr ? ctx.pDC->m_hAttribDC : ctx.pDC->m_hDC;
    CDC* pDC = CDC::FromHandle(hDC);
    const HGDIOBJ hOldFont = ::SelectObject(hDC, ctx.hFont);
    MeasureLabel(pDC, tree, ctx.item.pszText, rcLabel);
    ::SelectObject(hDC, hOldFont);
    pItem->m_rcThird = rcState;
    pItem->m_rcIcon = rcIcon;
    pItem->m_rcLabel = rcLabel;
    const int cy = std::max({rcLabel.Height(), rcState.Height(), rcIcon.Height(), cyCell});
    cyCell = (cy + 1) & ~1;
}

template <class TListBase>
void SECTreeBaseT<TListBase>::MeasureLabel(CDC* pDC, SECTreePaintContext& ctx, LPCWSTR pszText, CRect& rect)
{
    const HDC hDC = pDC->m_hDC;
    if (!this->IsLabelWrap())
    {
        // One line without prefixes, tabs at eight average characters: its tabbed extent is
        // what DT_CALCRECT would measure, in one call where thousands of rows are measured.
        const DWORD dwExtent = ::GetTabbedTextExtentW(hDC, pszText, OneLineLength(pszText), 0, nullptr);
        rect.SetRect(rect.left, 0, rect.left + LOWORD(dwExtent), HIWORD(dwExtent) + 2);
        return;
    }
    const wchar_t* pszMarker = wcsstr(pszText, kSplitMarker);
    ctx.bSplit = pszMarker != nullptr;
    constexpr UINT kWrapFlags = DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK;
    if (ctx.bSplit)
    {
        ctx.strHead = CString(pszText, static_cast<int>(pszMarker - pszText));
        ctx.strTail = pszMarker + wcslen(kSplitMarker);
        const int cxHead = pDC->GetTextExtent(ctx.strHead).cx;
        CRect tail(rect.left + cxHead, 0, rect.right, 0);
        ::DrawTextW(hDC, ctx.strTail, ctx.strTail.GetLength(), &tail, kWrapFlags);
        rect.SetRect(rect.left, 0, tail.right, tail.bottom);
    }
    else
    {
        CRect calc(rect.left, 0, rect.right, 0);
        ::DrawTextW(hDC, pszText, -1, &calc, kWrapFlags);
        rect = calc;
    }
    rect.bottom += 2;
}

template <class TListBase> void SECTreeBaseT<TListBase>::DrawSubItem(SECListPaintContext& ctx)
{
    auto& tree = static_cast<SECTreePaintContext&>(ctx);
    if (ctx.item.iSubItem != 0 || tree.pNode == nullptr)
    {
        TListBase::DrawSubItem(ctx);
        return;
    }
    CDC* pDC = ctx.pDC;
    const CRect cell = ctx.rcCell;
    const SECListItem* pItem = ctx.pItem;
    const BOOL bEditing = ctx.item.iItem == this->m_nEditItem && ctx.nColumn == this->m_nCurrentColumn;
    const BOOL bSelected = (ctx.item.state & LVIS_SELECTED) != 0;
    pDC->FillSolidRect(cell, ctx.crRowBk);
    if (ctx.nFlag == 0)
    {
        CImageList* pStates = this->GetImageList(LVSIL_STATE);
        int nState = static_cast<int>((tree.query.state & TVIS_STATEIMAGEMASK) >> 12);
        if (pStates != nullptr && nState >= pStates->GetImageCount())
            nState = 0;
        if (pStates != nullptr && nState > 0)
            pStates->Draw(pDC, nState, CPoint(cell.left + pItem->m_rcThird.left, cell.top + pItem->m_rcThird.top),
                          ILD_NORMAL);
        CImageList* pImages = this->GetImageList(LVSIL_NORMAL);
        int nImage = ShownImage(tree.query, bSelected);
        if (pImages != nullptr && nImage != _Node::NoImage && !CRect(pItem->m_rcIcon).IsRectEmpty())
        {
            if (nImage < 0 || nImage >= pImages->GetImageCount())
                nImage = 0;
            const CRect& icon = pItem->m_rcIcon;
            UINT nStyle = ILD_NORMAL | INDEXTOOVERLAYMASK((tree.query.state & TVIS_OVERLAYMASK) >> 8);
            if (bSelected && this->HasListStyleEx(LVXS_BLENDSELECTED) &&
                (ctx.bFocus || ctx.item.iItem == this->m_nFocusItem))
                nStyle |= ILD_BLEND50;
            pImages->Draw(pDC, nImage, CPoint(cell.left + icon.left, cell.top + (cell.Height() - icon.Height()) / 2),
                          nStyle);
        }
    }
    if (pDC->GetSafeHdc() != nullptr)
    {
        if (m_nTreeStyle & TVS_HASLINES)
            DrawLines(tree);
        if (m_nTreeStyle & TVS_HASBUTTONS)
            DrawButton(tree);
    }
    CRect label = pItem->m_rcLabel;
    label.OffsetRect(cell.left, cell.top);
    label.left -= 3;
    const BOOL bFullRow = this->HasListStyleEx(LVXS_FULLROWSELECT) && this->GetColumnCount() >= 1;
    label.right = bFullRow ? cell.right : label.right + 3;
    if (this->GetColumnCount() >= 2)
        label.right = std::min<int>(label.right, this->GetColumnRight(0) - 2);
    // A one-line label lower than its row sits in the row's middle, beside the icon.
    if (!this->IsLabelWrap() && label.Height() < pItem->m_cyMeasured)
        label.OffsetRect(0, (pItem->m_cyMeasured - label.Height()) / 2);
    if (!bEditing || bFullRow)
    {
        const COLORREF crOldText = pDC->SetTextColor(ctx.crText);
        const COLORREF crOldBk = pDC->SetBkColor(ctx.crCellBk);
        const int nOldMode = pDC->SetBkMode(TRANSPARENT);
        const HGDIOBJ hOldFont = ::SelectObject(pDC->m_hDC, ctx.hFont);
        pDC->FillSolidRect(label, ctx.crCellBk);
        CRect text = label;
        text.OffsetRect(0, 1);
        text.left += 3;
        const UINT nAlign = this->FormatToAlign(this->GetColumnFormat(0));
        if (!this->IsLabelWrap())
        {
            ::DrawTextW(pDC->m_hDC, ctx.item.pszText, OneLineLength(ctx.item.pszText), &text,
                        DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | nAlign);
        }
        else if (!tree.bSplit)
            ::DrawTextW(pDC->m_hDC, ctx.item.pszText, -1, &text,
                        DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER);
        else
        {
            const int cxHead = pDC->GetTextExtent(tree.strHead).cx;
            CRect head(text.left, text.top, text.left + cxHead, text.bottom);
            ::DrawTextW(pDC->m_hDC, tree.strHead, tree.strHead.GetLength(), &head,
                        DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE);
            CRect tail(head.right, text.top, text.right, text.bottom);
            ::DrawTextW(pDC->m_hDC, tree.strTail, tree.strTail.GetLength(), &tail,
                        DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK);
        }
        ::SelectObject(pDC->m_hDC, hOldFont);
        pDC->SetBkMode(nOldMode);
        pDC->SetBkColor(crOldBk);
        pDC->SetTextColor(crOldText);
    }
    if ((!this->HasListStyleEx(LVXS_FULLROWSELECT) || this->GetColumnCount() == 1) &&
        ctx.item.iItem == this->m_nFocusItem && ctx.bFocus && !bEditing)
        pDC->DrawFocusRect(label);
}

// ---- Lines and buttons ----

template <class TListBase> void SECTreeBaseT<TListBase>::DrawHorzLine(CDC* pDC, int x1, int x2, int y)
{
    if (pDC->IsPrinting())
    {
        pDC->MoveTo(x1, y);
        pDC->LineTo(x2, y);
        return;
    }
    const COLORREF crDot = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF crGap = this->GetBkColor();
    // Dots on the even pixels of the scrolled content, so that scrolling keeps them in place.
    int x = x1;
    if ((this->m_nHScrollOffset + x) & 1)
        x--;
    for (; x < x2; x += 2)
    {
        pDC->SetPixelV(x, y, crDot);
        if (x + 1 < x2)
            pDC->SetPixelV(x + 1, y, crGap);
    }
}

template <class TListBase> void SECTreeBaseT<TListBase>::DrawVertLine(CDC* pDC, int x, int y1, int y2)
{
    if (pDC->IsPrinting())
    {
        pDC->MoveTo(x, y1);
        pDC->LineTo(x, y2);
        return;
    }
    const COLORREF crDot = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF crGap = this->GetBkColor();
    int y = y1;
    if (y & 1)
        y--;
    for (; y < y2; y += 2)
    {
        pDC->SetPixelV(x, y, crDot);
        if (y + 1 < y2)
            pDC->SetPixelV(x, y + 1, crGap);
    }
}

template <class TListBase>
void SECTreeBaseT<TListBase>::GetButtonRect(CRect& rect, const SECTreePaintContext& ctx, const CRect& rcRow)
{
    IMAGEINFO info = {};
    int nHalf = kButtonNoImage;
    int nSize = kButtonNoImage;
    const _Node* pNode = ctx.pNode;
    const BOOL bSelected = this->IsItemSelected(FindItemRow(pNode, 0));
    const int nStateImage = static_cast<int>((pNode->m_item.state & TVIS_STATEIMAGEMASK) >> 12);
    if (ShownImage(pNode->m_item, bSelected) != _Node::NoImage &&
        ImageExists(this->GetImageList(LVSIL_NORMAL), std::max(ShownImage(pNode->m_item, bSelected), 0), info))
    {
        nHalf = ImageWidth(info) / 2;
        nSize = std::min(static_cast<int>(ImageHeight(info) / kButtonRatio), kMaxButton);
    }
    else if (nStateImage != 0 && ImageExists(this->GetImageList(LVSIL_STATE), nStateImage, info))
    {
        nHalf = ImageWidth(info) / 2;
        nSize = std::min(static_cast<int>(ImageHeight(info) / kButtonRatio), kMaxButton);
    }
    SECTreePaintContext at(ctx.pDC);
    at.pNode = ctx.pNode;
    at.rcCell = rcRow;
    int x = GetLevelX(at, nHalf);
    int y = rcRow.top + rcRow.Height() / 2;
    // On the grid of the dotted lines: the box has a centre pixel on it.
    if (y & 1)
        y++;
    if ((this->m_nHScrollOffset + x) & 1)
        x++;
    if (!(nSize & 1))
        nSize++;
    rect.SetRect(x - nSize / 2, y - nSize / 2, x - nSize / 2 + nSize, y - nSize / 2 + nSize);
}

template <class TListBase> void SECTreeBaseT<TListBase>::DrawButton(SECTreePaintContext& ctx)
{
    const _Node* pNode = ctx.pNode;
    const HTREEITEM hItem = reinterpret_cast<HTREEITEM>(const_cast<_Node*>(pNode));
    if (!HasVisibleChild(pNode) && !HasPendingChildren(hItem))
        return;
    CRect box;
    GetButtonRect(box, ctx, ctx.rcCell);
    CDC* pDC = ctx.pDC;
    if (SECIsAppThemed() && SECIsThemeActive())
    {
        if (HTHEME hTheme = this->m_themes.Get(this->m_hWnd, L"TREEVIEW"))
        {
            SECDrawThemeBackground(hTheme, pDC->m_hDC, kGlyphPart, pNode->IsExpanded() ? 2 : 1, &box, nullptr);
            return;
        }
    }
    pDC->FillSolidRect(box,
                       this->m_hWnd == nullptr || this->IsWindowEnabled() ? RGB(255, 255, 255) : this->GetBkColor());
    CPen* pOldPen = pDC->SelectObject(&ButtonPen(COLOR_BTNSHADOW));
    pDC->MoveTo(box.left, box.top);
    pDC->LineTo(box.right - 1, box.top);
    pDC->LineTo(box.right - 1, box.bottom - 1);
    pDC->LineTo(box.left, box.bottom - 1);
    pDC->LineTo(box.left, box.top);
    pDC->SelectObject(&ButtonPen(COLOR_WINDOWTEXT));
    const CPoint centre = box.CenterPoint();
    const int nThird = box.Width() / 3;
    pDC->MoveTo(centre.x - nThird + 1, centre.y);
    pDC->LineTo(centre.x + nThird, centre.y);
    if (!pNode->IsExpanded())
    {
        pDC->MoveTo(centre.x, centre.y - nThird + 1);
        pDC->LineTo(centre.x, centre.y + nThird);
    }
    pDC->SelectObject(pOldPen);
}

template <class TListBase> void SECTreeBaseT<TListBase>::DrawLines(SECTreePaintContext& ctx)
{
    const _Node* pNode = ctx.pNode;
    const SECListItem* pItem = ctx.pItem;
    CDC* pDC = ctx.pDC;
    const CRect& row = ctx.rcCell;
    IMAGEINFO info = {};
    const int nImage = ShownImage(pNode->m_item, (ctx.item.state & LVIS_SELECTED) != 0);
    const int nHalf =
        nImage != _Node::NoImage && ImageExists(this->GetImageList(LVSIL_NORMAL), std::max(nImage, 0), info)
            ? ImageWidth(info) / 2
            : kButtonNoImage;
    int x = GetLevelX(ctx, nHalf);
    int y = row.top + row.Height() / 2;
    if (y & 1)
        y++;
    if ((this->m_nHScrollOffset + x) & 1)
        x++;
    const BOOL bLinesAtRoot = (m_nTreeStyle & TVS_LINESATROOT) != 0;
    const BOOL bTopLevel = pNode->GetParent() == m_pRoot;
    // To the item's first part: its state image, else its icon, else its label.
    int xFirst = row.left + pItem->m_rcLabel.left;
    if (!CRect(pItem->m_rcIcon).IsRectEmpty())
        xFirst = row.left + pItem->m_rcIcon.left;
    if (!CRect(pItem->m_rcThird).IsRectEmpty())
        xFirst = row.left + pItem->m_rcThird.left;
    if (!bTopLevel || bLinesAtRoot)
        DrawHorzLine(pDC, x, xFirst - 1, y);
    if (ctx.item.iItem != 0)
        DrawVertLine(pDC, x, row.top, y);
    if (HasVisibleChild(pNode) && pNode->IsExpanded())
    {
        const CRect& image = !CRect(pItem->m_rcIcon).IsRectEmpty() ? pItem->m_rcIcon : pItem->m_rcThird;
        const int yFrom = CRect(image).IsRectEmpty() ? y : row.top + (row.Height() + image.Height()) / 2;
        DrawVertLine(pDC, x + m_nIndent, yFrom, row.bottom);
    }
    // The item's own line down, then each ancestor's, one indent further left each.
    int xLevel = x;
    for (const SECTreeNode* pLevel = pNode; pLevel != nullptr && pLevel != m_pRoot;
         pLevel = pLevel->GetParent(), xLevel -= m_nIndent)
    {
        if (pLevel->GetParent() == m_pRoot && !bLinesAtRoot)
            break;
        const SECTreeNode* pNext = pLevel->GetNextSibling();
        while (pNext != nullptr && (static_cast<const _Node*>(pNext)->m_exState & _Node::ExHidden))
            pNext = pNext->GetNextSibling();
        if (pNext != nullptr)
            DrawVertLine(pDC, xLevel, pLevel == pNode ? y : row.top, row.bottom);
    }
}
} // namespace tarnwick::lists

// ---- Drag images ----

namespace tarnwick::lists
{
namespace
{
constexpr int kDragGap = 6; // between the icon and the label of a drag image
} // namespace

template <class TListBase> CImageList* SECTreeBaseT<TListBase>::CreateDragImage(HTREEITEM hItem)
{
    if (this->GetImageList(LVSIL_NORMAL) == nullptr || this->m_hWnd == nullptr)
        return nullptr;
    TVITEMW query = {};
    query.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_HANDLE;
    query.hItem = hItem;
    this->m_pszTextBuffer[0] = L'\0';
    query.pszText = this->m_pszTextBuffer;
    query.cchTextMax = this->TextBufferSize;
    if (!GetItem(&query, TRUE, TRUE))
        return nullptr;
    CClientDC dc(this);
    const HGDIOBJ hOldFont = ::SelectObject(dc.m_hDC, this->GetItemFont());
    CImageList* pLabel = CreateLabelImage(&dc, query.pszText);
    ::SelectObject(dc.m_hDC, hOldFont);
    CImageList* pIcon = CreateIconImage(query.iImage);
    if (pIcon == nullptr || pLabel == nullptr)
        return pLabel != nullptr ? pLabel : pIcon;
    CImageList* pMerged = MergeImages(pIcon, pLabel);
    delete pIcon;
    delete pLabel;
    return pMerged;
}

template <class TListBase> CImageList* SECTreeBaseT<TListBase>::CreateLabelImage(CDC* pDC, LPCWSTR pszText)
{
    CRect rect(0, 0, 0, 0);
    ::DrawTextW(pDC->m_hDC, pszText, -1, &rect, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    if (rect.IsRectEmpty())
        return nullptr;
    CDC memDC;
    CBitmap bitmap;
    if (!memDC.CreateCompatibleDC(pDC) || !bitmap.CreateCompatibleBitmap(pDC, rect.Width(), rect.Height()))
        return nullptr;
    CBitmap* pOld = memDC.SelectObject(&bitmap);
    const HGDIOBJ hOldFont = ::SelectObject(memDC.m_hDC, ::GetCurrentObject(pDC->m_hDC, OBJ_FONT));
    memDC.FillSolidRect(rect, this->GetBkColor());
    memDC.SetTextColor(this->m_colors[this->colorText]);
    memDC.SetBkMode(TRANSPARENT);
    ::DrawTextW(memDC.m_hDC, pszText, -1, &rect, DT_NOPREFIX | DT_EXPANDTABS);
    ::SelectObject(memDC.m_hDC, hOldFont);
    memDC.SelectObject(pOld);
    auto* pImage = new CImageList;
    pImage->Create(rect.Width(), rect.Height(), ILC_COLOR24 | ILC_MASK, 1, 0);
    pImage->Add(&bitmap, this->GetBkColor());
    return pImage;
}

template <class TListBase> CImageList* SECTreeBaseT<TListBase>::CreateIconImage(int nImage)
{
    CImageList* pNormal = this->GetImageList(LVSIL_NORMAL);
    IMAGEINFO info = {};
    if (nImage < 0 || !pNormal->GetImageInfo(nImage, &info))
        return nullptr;
    const HICON hIcon = pNormal->ExtractIcon(nImage);
    if (hIcon == nullptr)
        return nullptr;
    auto* pImage = new CImageList;
    pImage->Create(ImageWidth(info), ImageHeight(info), ILC_COLOR32 | ILC_MASK, 1, 0);
    pImage->Add(hIcon);
    ::DestroyIcon(hIcon);
    return pImage;
}

template <class TListBase> CImageList* SECTreeBaseT<TListBase>::MergeImages(CImageList* pIcon, CImageList* pLabel)
{
    IMAGEINFO info = {};
    pIcon->GetImageInfo(0, &info);
    auto* pMerged = new CImageList;
    pMerged->Attach(
        ::ImageList_Merge(pIcon->GetSafeHandle(), 0, pLabel->GetSafeHandle(), 0, ImageWidth(info) + kDragGap, 0));
    return pMerged;
}
template class SECTreeBaseT<SECListCtrl>;
template class SECTreeBaseT<SECListView>;
} // namespace tarnwick::lists
