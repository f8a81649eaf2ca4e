// The tree's selection, visibility, hit testing and keys, and the list core's hooks answered
// with tree notifications.
#include "TreeBaseC.h"
#include "ListView.h"

namespace tarnwick::lists
{
namespace
{
HTREEITEM ToHandle(const SECTreeNode* pNode)
{
    return reinterpret_cast<HTREEITEM>(const_cast<SECTreeNode*>(pNode));
}

// The list core's cause of a selection change as a tree notification's action.
constexpr UINT kCauseActions[] = {TVC_BYKEYBOARD, TVC_BYMOUSE, TVC_UNKNOWN};
constexpr int kCauseUnknown = 2;

// List hit flags on a row and the tree flags they become; the indent is tested separately.
struct HitMapping
{
    UINT nList;
    UINT nTree;
};
constexpr HitMapping kRowHits[] = {
    {LHT_ONLABEL, TVHT_ONITEMLABEL},
    {LHT_ONICON, TVHT_ONITEMICON},
    {LHT_ROWRIGHT, TVHT_ONITEMRIGHT},
    {LHT_ONSTATEICON, TVHT_ONITEMSTATEICON},
};
constexpr HitMapping kOffRowHits[] = {
    {LHT_ONDIVIDER, 0x1000}, {LHT_ONHEADER, 0x2000},    {LHT_NOWHERE, TVHT_NOWHERE}, {LHT_ABOVE, TVHT_ABOVE},
    {LHT_BELOW, TVHT_BELOW}, {LHT_TOLEFT, TVHT_TOLEFT}, {LHT_TORIGHT, TVHT_TORIGHT},
};
constexpr UINT kOnRow = 0x4000;
} // namespace

template <class TListBase> _Node* SECTreeBaseT<TListBase>::GetRowNode(int nRow) const
{
    const SECListItem* pRecord = TListBase::GetItemAt(nRow);
    return pRecord != nullptr ? reinterpret_cast<_Node*>(pRecord->m_lParam) : nullptr;
}

template <class TListBase> BOOL SECTreeBaseT<TListBase>::HasVisibleChild(const SECTreeNode* pNode) const
{
    for (const SECTreeNode* pChild = pNode->GetFirstChild(); pChild != nullptr; pChild = pChild->GetNextSibling())
    {
        if (!(static_cast<const _Node*>(pChild)->m_exState & _Node::ExHidden))
            return TRUE;
    }
    return FALSE;
}

// ---- Hit testing ----

template <class TListBase> HTREEITEM SECTreeBaseT<TListBase>::HitTest(CPoint point, UINT* pFlags)
{
    UINT nListFlags = 0;
    int nColumn = -1;
    const int nRow = TListBase::HitTest(point, nListFlags, nColumn);
    UINT nFlags = 0;
    HTREEITEM hItem = nullptr;
    if (nListFlags & LHT_ONROW)
    {
        nFlags = kOnRow;
        hItem = GetItemAt(nRow);
        for (const HitMapping& map : kRowHits)
        {
            if (nListFlags & map.nList)
            {
                nFlags |= map.nTree;
                break;
            }
        }
        if ((nListFlags & LHT_ROWLEFT) && nFlags == kOnRow)
        {
            SECTreePaintContext& ctx = static_cast<SECTreePaintContext&>(this->MeasuringContext());
            ctx.pNode = GetRowNode(nRow);
            CRect row;
            this->GetCellRect(nRow, 0, row, 0);
            CRect button;
            GetButtonRect(button, ctx, row);
            nFlags |= (m_nTreeStyle & TVS_HASBUTTONS) && button.PtInRect(point) ? TVHT_ONITEMBUTTON : TVHT_ONITEMINDENT;
        }
        // Beside the item's parts only a full-row selection names it.
        if (nFlags == kOnRow && !this->HasListStyleEx(LVXS_FULLROWSELECT))
            hItem = nullptr;
    }
    else
    {
        for (const HitMapping& map : kOffRowHits)
        {
            if (nListFlags & map.nList)
                nFlags |= map.nTree;
        }
    }
    if (pFlags != nullptr)
        *pFlags = nFlags;
    return hItem;
}

// ---- Selection and visibility ----

template <class TListBase> BOOL SECTreeBaseT<TListBase>::EnsureItemVisible(HTREEITEM hItem, BOOL bRange)
{
    if (hItem == nullptr)
        return FALSE;
    _Node* pNode = HandleToNode(hItem);
    if (pNode == m_pRoot)
        return FALSE;
    int nRow = FindItemRow(pNode, 0);
    if (nRow == -1)
    {
        for (SECTreeNode* pAbove = pNode->GetParent(); pAbove != nullptr && pAbove != m_pRoot;
             pAbove = pAbove->GetParent())
        {
            if (!pAbove->IsExpanded() && !Expand(ToHandle(pAbove), TVE_EXPAND, FALSE, FALSE))
                return FALSE;
        }
        RebuildRows();
        this->UpdateScrollState();
        if (this->m_hWnd != nullptr)
            this->Invalidate(TRUE);
        nRow = FindItemRow(pNode, 0);
        if (nRow == -1)
            return FALSE; // hidden
    }
    if (bRange)
    {
        const int nParentRow = FindItemRow(pNode->GetParent(), 0);
        this->EnsureRangeVisible(nParentRow != -1 ? nParentRow : nRow, nRow);
    }
    else
        this->EnsureVisible(nRow);
    return TRUE;
}

template <class TListBase> void SECTreeBaseT<TListBase>::ScrollItemToTop(HTREEITEM hItem)
{
    EnsureItemVisible(hItem, FALSE);
    const int nRow = GetItemRow(hItem);
    if (nRow == -1)
        return;
    this->ScrollToTop(nRow);
    this->SelectItem(nRow, TRUE);
}

template <class TListBase> BOOL SECTreeBaseT<TListBase>::Select(HTREEITEM hItem, UINT nCode)
{
    if (nCode == TVGN_DROPHILITE && hItem == nullptr)
        return SelectDropTarget(nullptr);
    if (!EnsureItemVisible(hItem, FALSE))
        return FALSE;
    const int nRow = GetItemRow(hItem);
    switch (nCode)
    {
    case TVGN_FIRSTVISIBLE:
        this->ScrollToTop(nRow);
        return TRUE;
    case TVGN_DROPHILITE:
        return SelectDropTarget(hItem);
    case TVGN_CARET: {
        const int nOld = this->GetFocusItem();
        if (SelChanging(nRow, nOld, kCauseUnknown))
            return FALSE;
        this->SelectItem(nRow, TRUE);
        if (this->m_hWnd != nullptr)
            this->Invalidate(FALSE);
        SelChanged(nRow, nOld, kCauseUnknown);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

template <class TListBase> BOOL SECTreeBaseT<TListBase>::SelectDropTarget(HTREEITEM hItem)
{
    if (hItem == nullptr)
    {
        this->SetDropHilite(-1);
        if (m_nHoverTimer != 0 && this->m_hWnd != nullptr)
            this->KillTimer(m_nHoverTimer);
        m_nHoverTimer = 0;
        if (this->m_hWnd != nullptr)
            this->Invalidate(FALSE);
        return TRUE;
    }
    const int nRow = GetItemRow(hItem);
    const BOOL bChanged = nRow != this->GetDropHilite();
    if (bChanged && this->HasListStyleEx(LVXS_FLAG100000))
        this->m_pTip->Hide();
    this->SetDropHilite(nRow);
    if (bChanged && (m_nTreeStyleEx & TVXS_HOVEREXPAND) && this->m_hWnd != nullptr)
    {
        if (m_nHoverTimer != 0)
            this->KillTimer(m_nHoverTimer);
        m_nHoverTimer = this->SetTimer(TREE_TIMER_HOVER, m_nHoverDelay, nullptr);
    }
    if (this->m_hWnd != nullptr)
        this->Invalidate(FALSE);
    return TRUE;
}

template <class TListBase> void SECTreeBaseT<TListBase>::SetHoverDelay(UINT nMilliseconds)
{
    m_nHoverDelay = nMilliseconds;
}

template <class TListBase> void SECTreeBaseT<TListBase>::OnHoverTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != TREE_TIMER_HOVER || m_nHoverTimer == 0)
        return;
    this->KillTimer(m_nHoverTimer);
    m_nHoverTimer = 0;
    const HTREEITEM hDrop = GetDropHilightItem();
    if ((m_nTreeStyleEx & TVXS_HOVEREXPAND) && hDrop != nullptr && !IsItemExpanded(hDrop))
    {
        Expand(hDrop, TVE_EXPAND, TRUE, FALSE);
        this->UpdateWindow();
    }
}

// ---- Keys ----

template <class TListBase> void SECTreeBaseT<TListBase>::KeyLeft(const KeyArgs& key)
{
    _Node* pNode = GetRowNode(key.nItem);
    if (pNode == nullptr)
        return;
    const HTREEITEM hItem = ToHandle(pNode);
    if ((ItemHasChildren(hItem) || HasPendingChildren(hItem)) && pNode->IsExpanded())
        Expand(hItem, TVE_COLLAPSE, TRUE, FALSE);
    else if (const HTREEITEM hParent = GetParentItem(hItem))
    {
        this->DeselectAllBut(-1);
        Select(hParent, TVGN_CARET);
    }
    this->m_pTip->Hide();
}

template <class TListBase> void SECTreeBaseT<TListBase>::KeyBack(const KeyArgs& key)
{
    KeyLeft(key);
}

template <class TListBase> void SECTreeBaseT<TListBase>::KeyRight(const KeyArgs& key)
{
    _Node* pNode = GetRowNode(key.nItem);
    if (pNode == nullptr)
        return;
    const HTREEITEM hItem = ToHandle(pNode);
    if (pNode->IsExpanded() && ItemHasChildren(hItem))
    {
        for (SECTreeNode* pChild = pNode->GetFirstChild(); pChild != nullptr; pChild = pChild->GetNextSibling())
        {
            if (!IsHiddenInherited(pChild))
            {
                this->DeselectAllBut(-1);
                Select(ToHandle(pChild), TVGN_CARET);
                break;
            }
        }
    }
    else if (ItemHasChildren(hItem) || HasPendingChildren(hItem))
        Expand(hItem, TVE_EXPAND, TRUE, FALSE);
    this->m_pTip->Hide();
}

template <class TListBase> void SECTreeBaseT<TListBase>::KeyMultiply(const KeyArgs& key)
{
    if (_Node* pNode = GetRowNode(key.nItem))
        ExpandAll(ToHandle(pNode), TRUE);
}

// ---- Notifications ----

template <class TListBase> BOOL SECTreeBaseT<TListBase>::SelChanging(int nItem, int nOldFocus, int nCause)
{
    return NotifySelChange(TVN_SELCHANGINGW, nItem, nOldFocus, kCauseActions[nCause]) == 1;
}

template <class TListBase> void SECTreeBaseT<TListBase>::SelChanged(int nItem, int nOldFocus, int nCause)
{
    NotifySelChange(TVN_SELCHANGEDW, nItem, nOldFocus, kCauseActions[nCause]);
}

template <class TListBase> LRESULT SECTreeBaseT<TListBase>::NotifyDrag(UINT nCode, int nRow, int x, int y)
{
    // The drag state ends here either way: the owner runs the drag.
    this->m_bItemDrag = FALSE;
    const _Node* pNode = GetRowNode(nRow);
    if ((m_nTreeStyle & TVS_DISABLEDRAGDROP) || pNode == nullptr)
        return 0;
    NMTREEVIEWW nm = {};
    nm.itemNew = pNode->m_item;
    nm.ptDrag = CPoint(x, y);
    return NotifyTree(nCode, nm);
}

template <class TListBase> void SECTreeBaseT<TListBase>::BeginDrag(int nItem, int x, int y)
{
    NotifyDrag(TVN_BEGINDRAGW, nItem, x, y);
}

template <class TListBase> void SECTreeBaseT<TListBase>::BeginRDrag(int nItem, int x, int y)
{
    NotifyDrag(TVN_BEGINRDRAGW, nItem, x, y);
}

template <class TListBase> void SECTreeBaseT<TListBase>::NotifyKeyDown(UINT nKey)
{
    NMTVKEYDOWN nm = {};
    nm.hdr.code = TVN_KEYDOWN;
    nm.wVKey = static_cast<WORD>(nKey);
    this->Notify(&nm.hdr);
}

namespace
{
// The node's item with its text asked for.
NMTVDISPINFOW MakeTreeLabelEditRecord(UINT nCode, const _Node& node)
{
    NMTVDISPINFOW info = {};
    info.hdr.code = nCode;
    info.item = node.m_item;
    info.item.mask |= TVIF_TEXT;
    return info;
}
} // namespace

template <class TListBase> LRESULT SECTreeBaseT<TListBase>::NotifyBeginLabelEdit(int nItem, int nSubItem)
{
    const _Node* pNode = GetRowNode(nItem);
    if (nSubItem != 0 || pNode == nullptr)
        return TListBase::NotifyBeginLabelEdit(nItem, nSubItem);
    NMTVDISPINFOW info = MakeTreeLabelEditRecord(TVN_BEGINLABELEDITW, *pNode);
    return this->Notify(&info.hdr);
}

template <class TListBase>
BOOL SECTreeBaseT<TListBase>::NotifyEndLabelEdit(int nItem, int nSubItem, CString& strText, BOOL bCommit)
{
    const _Node* pNode = GetRowNode(nItem);
    if (nSubItem != 0 || pNode == nullptr)
        return TListBase::NotifyEndLabelEdit(nItem, nSubItem, strText, bCommit);
    NMTVDISPINFOW info = MakeTreeLabelEditRecord(TVN_ENDLABELEDITW, *pNode);
    info.item.pszText = nullptr;
    return this->SendEndLabelEdit(info.hdr, info.item.pszText, info.item.cchTextMax, strText, bCommit);
}

template <class TListBase> void SECTreeBaseT<TListBase>::LabelEditAccepted(int nItem, int nSubItem)
{
    static const UINT s_nEndEditMessage = ::RegisterWindowMessageW(L"SECTreeCtrlNotifyEndLabelEditRegMsg");
    const _Node* pNode = GetRowNode(nItem);
    CWnd* pNotify = this->GetNotifyWnd();
    if (nSubItem != 0 || pNode == nullptr || pNotify == nullptr)
        return;
    pNotify->SendMessage(s_nEndEditMessage, static_cast<WPARAM>(this->GetDlgCtrlID()),
                         reinterpret_cast<LPARAM>(pNode->m_item.hItem));
}

template <class TListBase> UINT SECTreeBaseT<TListBase>::QueryItemState(int nRow, UINT nMask) const
{
    const _Node* pNode = GetRowNode(nRow);
    return pNode != nullptr ? pNode->m_item.state & nMask : 0;
}

// ---- The list core's view of column 0 ----

template <class TListBase> BOOL SECTreeBaseT<TListBase>::GetItem(LVITEMW* pItem, BOOL bCopyText, BOOL bAskOwner)
{
    const _Node* pNode = GetRowNode(pItem->iItem);
    if (pItem->iSubItem != 0 || pNode == nullptr)
        return TListBase::GetItem(pItem, bCopyText, bAskOwner);
    // Text and image come from the node; what it does not answer, the list core does.
    LVITEMW rest = *pItem;
    rest.mask &= ~(LVIF_TEXT | LVIF_IMAGE);
    if (!TListBase::GetItem(&rest, bCopyText, bAskOwner))
        return FALSE;
    TVITEMW query = {};
    query.mask = TVIF_HANDLE | (pItem->mask & LVIF_TEXT ? TVIF_TEXT : 0) | (pItem->mask & LVIF_IMAGE ? TVIF_IMAGE : 0);
    query.hItem = ToHandle(pNode);
    query.pszText = pItem->pszText;
    query.cchTextMax = pItem->cchTextMax;
    if (!GetItem(&query, bCopyText, bAskOwner))
        return FALSE;
    const UINT nMask = pItem->mask;
    *pItem = rest;
    pItem->mask = nMask;
    if (nMask & LVIF_TEXT)
        pItem->pszText = query.pszText;
    if (nMask & LVIF_IMAGE)
        pItem->iImage = query.iImage;
    return TRUE;
}

template <class TListBase> BOOL SECTreeBaseT<TListBase>::SetItem(const LVITEMW* pItem, BOOL bRedraw)
{
    const _Node* pNode = GetRowNode(pItem->iItem);
    if (pItem->iSubItem != 0 || pNode == nullptr || !(pItem->mask & (LVIF_TEXT | LVIF_IMAGE)))
        return TListBase::SetItem(pItem, bRedraw);
    TVITEMW item = {};
    item.mask = TVIF_HANDLE | (pItem->mask & LVIF_TEXT ? TVIF_TEXT : 0) | (pItem->mask & LVIF_IMAGE ? TVIF_IMAGE : 0);
    item.hItem = ToHandle(pNode);
    item.pszText = pItem->pszText;
    item.iImage = pItem->iImage;
    if (!SetItem(&item))
        return FALSE;
    LVITEMW rest = *pItem;
    rest.mask &= ~(LVIF_TEXT | LVIF_IMAGE);
    return rest.mask == 0 || TListBase::SetItem(&rest, bRedraw);
}

template <class TListBase> BOOL SECTreeBaseT<TListBase>::UsesCallbacks(int nRow) const
{
    if (const _Node* pNode = GetRowNode(nRow))
    {
        const TVITEMW& item = pNode->m_item;
        if (item.pszText == LPSTR_TEXTCALLBACKW || item.iImage == -1 || item.iSelectedImage == -1 ||
            item.cChildren == -1)
            return TRUE;
    }
    // The row's own text marker only says that the node answers.
    const SECListItem* pRecord = TListBase::GetItemAt(nRow);
    if (pRecord == nullptr || this->GetColumnCount() < 2)
        return FALSE;
    for (int i = 1; i < this->GetColumnCount(); i++)
    {
        const SECListSubItem* pSub = pRecord->GetSubItem(this->GetColumn(i)->iSubItem);
        if (pSub != nullptr && pSub->m_pszText == LPSTR_TEXTCALLBACKW)
            return TRUE;
    }
    return FALSE;
}
template class SECTreeBaseT<SECListCtrl>;
template class SECTreeBaseT<SECListView>;
} // namespace tarnwick::lists
