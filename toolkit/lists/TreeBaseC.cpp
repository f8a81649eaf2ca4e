#include "TreeBaseC.h"
#include "ListView.h"

#include <algorithm>

namespace tarnwick::lists
{
namespace
{
constexpr HTREEITEM TVI_NONE = nullptr;

_Node* AsNode(SECTreeNode* pNode)
{
    return static_cast<_Node*>(pNode);
}

HTREEITEM ToHandle(const SECTreeNode* pNode)
{
    return reinterpret_cast<HTREEITEM>(const_cast<SECTreeNode*>(pNode));
}
} // namespace

IMPLEMENT_DYNAMIC(SECTreeBaseC, SECListCtrl)

template <class TListBase> SECTreeBaseT<TListBase>::SECTreeBaseT()
{
    this->ModifyListStyle(0, LVS_SEC_REPORT | LVS_SEC_SHAREIMAGELISTS, FALSE);
    CreateRoot();
}

template <class TListBase> SECTreeBaseT<TListBase>::~SECTreeBaseT()
{
    delete m_pTextStorage;
    delete m_pRoot;
}

template <class TListBase> _Node* SECTreeBaseT<TListBase>::CreateNode()
{
    return new _Node;
}

template <class TListBase> void SECTreeBaseT<TListBase>::CreateRoot()
{
    m_pRoot = CreateNode();
    m_pRoot->SetExpanded(TRUE);
}

template <class TListBase> _Node* SECTreeBaseT<TListBase>::HandleToNode(HTREEITEM hItem) const
{
    if (hItem == TVI_NONE || hItem == TVI_ROOT)
        return m_pRoot;
    return reinterpret_cast<_Node*>(hItem);
}

// ---- Creation and styles ----

template <class TListBase>
BOOL SECTreeBaseT<TListBase>::CreateFromRect(DWORD dwStyle, DWORD dwExStyle, const RECT& rect, CWnd* pParentWnd,
                                             UINT nID, CCreateContext* pContext)
{
    // The tree's one column; report mode keeps the list core from adding its own.
    if (this->GetColumnCount() == 0)
        TListBase::InsertColumn(0, L"", LVCFMT_CENTER, 0, 0, -1, FALSE);
    return TListBase::CreateFromRect(dwStyle, dwExStyle, rect, pParentWnd, nID, pContext);
}

template <class TListBase> void SECTreeBaseT<TListBase>::ApplyCreateStyles(CREATESTRUCT& cs)
{
    ModifyTreeStyle(0, cs.style & TVS_SEC_CREATEMASK, FALSE);
    ModifyTreeExStyle(0, cs.dwExStyle & TVXS_CREATEMASK, FALSE);
    cs.style &= ~static_cast<LONG>(TVS_SEC_CREATEMASK);
    cs.dwExStyle &= ~static_cast<DWORD>(TVXS_CREATEMASK);
    TListBase::ApplyCreateStyles(cs);
}

template <class TListBase> UINT SECTreeBaseT<TListBase>::GetTreeStyle() const
{
    UINT nStyle = m_nTreeStyle;
    if (this->HasListStyle(LVS_SEC_EDITLABELS))
        nStyle |= TVS_EDITLABELS;
    if (this->HasListStyle(LVS_SEC_SHOWSELALWAYS))
        nStyle |= TVS_SHOWSELALWAYS;
    return nStyle;
}

template <class TListBase> void SECTreeBaseT<TListBase>::SetTreeStyle(UINT nStyle, BOOL bRedraw)
{
    m_nTreeStyle = nStyle & TVS_SEC_STYLEMASK;
    UINT nList = this->GetListStyle() & ~(LVS_SEC_EDITLABELS | LVS_SEC_SHOWSELALWAYS);
    if (nStyle & TVS_EDITLABELS)
        nList |= LVS_SEC_EDITLABELS;
    if (nStyle & TVS_SHOWSELALWAYS)
        nList |= LVS_SEC_SHOWSELALWAYS;
    this->SetListStyle(nList, bRedraw);
}

template <class TListBase> UINT SECTreeBaseT<TListBase>::GetTreeExStyle() const
{
    return m_nTreeStyleEx;
}

template <class TListBase> void SECTreeBaseT<TListBase>::SetTreeExStyle(UINT nExStyle, BOOL bRedraw)
{
    m_nTreeStyleEx = nExStyle;
    const auto has = [nExStyle](UINT nBits) { return (nExStyle & nBits) == nBits; };
    // List bits that are set while the tree bit is clear.
    UINT nList = this->GetListStyle() &
                 ~(LVS_SEC_SINGLESEL | LVS_SEC_NOLABELWRAP | LVS_SEC_NOCOLUMNHEADER | LVS_SEC_NOSORTHEADER);
    if (!has(TVXS_MULTISELECT))
        nList |= LVS_SEC_SINGLESEL;
    if (!has(TVXS_LABELWRAP))
        nList |= LVS_SEC_NOLABELWRAP;
    if (!has(TVXS_HEADER))
        nList |= LVS_SEC_NOCOLUMNHEADER;
    if (!has(TVXS_HEADER | TVXS_HEADERBUTTONS))
        nList |= LVS_SEC_NOSORTHEADER;
    UINT nListEx = this->GetListStyleEx() & ~(LVXS_HEADERDRAG | LVXS_FLAG100000);
    if (has(TVXS_HEADERBUTTONS | TVXS_HEADERDRAG))
        nListEx |= LVXS_HEADERDRAG;
    if (has(TVXS_ITEMTIPS))
        nListEx |= LVXS_FLAG100000;
    this->SetListStyle(nList, bRedraw);
    this->SetListStyleEx(nListEx, bRedraw);
}

template <class TListBase> void SECTreeBaseT<TListBase>::ModifyTreeStyle(UINT nRemove, UINT nAdd, BOOL bRedraw)
{
    SetTreeStyle((GetTreeStyle() & ~nRemove) | nAdd, bRedraw);
}

template <class TListBase> void SECTreeBaseT<TListBase>::ModifyTreeExStyle(UINT nRemove, UINT nAdd, BOOL bRedraw)
{
    SetTreeExStyle((m_nTreeStyleEx & ~nRemove) | nAdd, bRedraw);
}

template <class TListBase> void SECTreeBaseT<TListBase>::KeepTreeExBit(UINT nBit, BOOL bOn)
{
    m_nTreeStyleEx = bOn ? (m_nTreeStyleEx | nBit) : (m_nTreeStyleEx & ~nBit);
}

template <class TListBase> void SECTreeBaseT<TListBase>::SetMultiSelect(BOOL bMulti)
{
    KeepTreeExBit(TVXS_MULTISELECT, bMulti);
    TListBase::SetMultiSelect(bMulti);
}

template <class TListBase> void SECTreeBaseT<TListBase>::SetLabelWrap(BOOL bWrap)
{
    KeepTreeExBit(TVXS_LABELWRAP, bWrap);
    TListBase::SetLabelWrap(bWrap);
}

template <class TListBase> void SECTreeBaseT<TListBase>::SetHeaderFlags(BOOL bShowHeader, BOOL bButtons)
{
    KeepTreeExBit(TVXS_HEADER, bShowHeader);
    KeepTreeExBit(TVXS_HEADERBUTTONS, bButtons);
    TListBase::SetHeaderFlags(bShowHeader, bButtons);
}

template <class TListBase> void SECTreeBaseT<TListBase>::SetExFlag100000(BOOL bOn)
{
    KeepTreeExBit(TVXS_ITEMTIPS, bOn);
    TListBase::SetExFlag100000(bOn);
}

template <class TListBase> CImageList* SECTreeBaseT<TListBase>::SetImageList(CImageList* pImageList, int nWhich)
{
    CImageList* pOld = TListBase::SetImageList(pImageList, nWhich);
    IMAGEINFO info = {};
    if (nWhich == LVSIL_NORMAL && pImageList != nullptr && pImageList->GetImageCount() > 0 &&
        pImageList->GetImageInfo(0, &info) && info.rcImage.right - info.rcImage.left > m_nIndent)
        SetIndent(info.rcImage.right - info.rcImage.left);
    return pOld;
}

template <class TListBase> void SECTreeBaseT<TListBase>::GetExpandState(CDWordArray& states) const
{
    states.SetSize(GetCount());
    INT_PTR i = 0;
    for (SECTreeNode* pNode = m_pRoot->GetFirstChild(); pNode != nullptr && i < states.GetSize();
         pNode = pNode->GetNextNode())
        states[i++] = pNode->IsExpanded() ? 1 : 0;
}

template <class TListBase> void SECTreeBaseT<TListBase>::RestoreExpandState(const CDWordArray& states)
{
    INT_PTR i = 0;
    for (SECTreeNode* pNode = m_pRoot->GetFirstChild(); pNode != nullptr && i < states.GetSize();
         pNode = pNode->GetNextNode(), i++)
    {
        if (states[i] == 0)
            Expand(ToHandle(pNode), TVE_TOGGLE, FALSE, FALSE);
    }
}

// ---- Inserting ----

template <class TListBase> HTREEITEM SECTreeBaseT<TListBase>::InsertItem(const TVINSERTSTRUCTW* pInsert)
{
    if (m_pRoot == nullptr)
        CreateRoot();
    TVINSERTSTRUCTW insert = *pInsert;
    _Node* pParent = HandleToNode(insert.hParent);
    _Node* pNode = CreateNode();
    const HTREEITEM hNew = ToHandle(pNode);
    pNode->m_item.hItem = hNew;
    insert.item.mask |= TVIF_HANDLE;
    insert.item.hItem = hNew;
    SetNodeFields(insert.item, pNode);

    SECTreeNode* pAfter = ResolveInsertAfter(pParent, insert.hInsertAfter, hNew);
    if (!SECTreeNode::AddChild(pParent, pNode, pAfter))
    {
        delete pNode;
        return nullptr;
    }
    pNode->SetExpanded((insert.item.mask & TVIF_STATE) && (insert.item.stateMask & TVIS_EXPANDED) &&
                       (insert.item.state & TVIS_EXPANDED));
    if (IsNodeVisible(pNode))
        InsertRow(pNode);
    this->RepaintIfRedrawing();
    return hNew;
}

template <class TListBase>
HTREEITEM SECTreeBaseT<TListBase>::InsertItem(LPCWSTR lpszText, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCTW insert = {};
    insert.hParent = hParent;
    insert.hInsertAfter = hInsertAfter;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<LPWSTR>(lpszText);
    return InsertItem(&insert);
}

template <class TListBase>
SECTreeNode* SECTreeBaseT<TListBase>::ResolveInsertAfter(SECTreeNode* pParent, HTREEITEM hInsertAfter, HTREEITEM hNew)
{
    const auto asAfter = [](UINT_PTR n) { return reinterpret_cast<SECTreeNode*>(n); };
    if (hInsertAfter == TVI_NONE || hInsertAfter == TVI_ROOT || hInsertAfter == TVI_LAST)
        return asAfter(SECTreeNode::AddLast);
    if (hInsertAfter == TVI_FIRST)
        return asAfter(SECTreeNode::AddFirst);
    if (hInsertAfter == TVI_SORT || hInsertAfter == TVI_SORTDESCENDING)
    {
        // After the last child that does not sort behind the new item: equal labels keep
        // their insertion order.
        const int nSign = hInsertAfter == TVI_SORT ? 1 : -1;
        SECTreeNode* pPassed = asAfter(SECTreeNode::AddFirst);
        for (SECTreeNode* pChild = pParent->GetFirstChild(); pChild != nullptr; pChild = pChild->GetNextSibling())
        {
            if (nSign * CompareItems(ToHandle(pChild), hNew) > 0)
                break;
            pPassed = pChild;
        }
        return pPassed;
    }
    if (pParent->GetFirstChild() == nullptr)
        return asAfter(SECTreeNode::AddLast);
    return HandleToNode(hInsertAfter);
}

template <class TListBase> void SECTreeBaseT<TListBase>::SetNodeFields(const TVITEMW& item, _Node* pNode)
{
    TVITEMW& stored = pNode->m_item;
    UINT nCallbacks = 0;
    const auto storeField = [&](UINT nBit, int& nStored, int nValue) {
        if (!(item.mask & nBit))
            return;
        if (nStored == -1)
            nCallbacks |= nBit;
        else
            nStored = nValue;
    };
    storeField(TVIF_CHILDREN, stored.cChildren, item.cChildren);
    storeField(TVIF_IMAGE, stored.iImage, item.iImage);
    storeField(TVIF_SELECTEDIMAGE, stored.iSelectedImage, item.iSelectedImage);
    if (item.mask & TVIF_PARAM)
        stored.lParam = item.lParam;
    if (item.mask & TVIF_STATE)
        stored.state = (stored.state & ~item.stateMask) | (item.state & item.stateMask);
    if (item.mask & TVIF_TEXT)
    {
        if (item.pszText == LPSTR_TEXTCALLBACKW || stored.pszText != LPSTR_TEXTCALLBACKW)
        {
            FreeListText(stored.pszText);
            stored.pszText = CopyListText(item.pszText);
        }
        else
            nCallbacks |= TVIF_TEXT;
    }
    if (nCallbacks != 0)
    {
        TVITEMW supplied = item;
        supplied.mask = nCallbacks;
        supplied.hItem = ToHandle(pNode);
        NotifySetTreeDispInfo(&supplied);
    }
}

// ---- Rows ----

template <class TListBase> void SECTreeBaseT<TListBase>::InsertRow(_Node* pNode)
{
    int nRow = 0;
    if (pNode->GetParent() != m_pRoot || pNode->GetPrevSibling() != nullptr)
    {
        SECTreeNode* pPrev = pNode->GetPrevNode();
        while (pPrev != nullptr && pPrev != m_pRoot && !IsNodeVisible(pPrev))
            pPrev = pPrev->GetPrevNode();
        if (pPrev != nullptr && pPrev != m_pRoot)
            nRow = FindItemRow(pPrev, 0) + 1;
    }
    this->InsertItemRecord(nRow, CreateRowRecord(pNode));
}

template <class TListBase> SECListItem* SECTreeBaseT<TListBase>::CreateRowRecord(_Node* pNode)
{
    SECListItem* pRecord = this->CreateItem();
    pRecord->m_lParam = reinterpret_cast<LPARAM>(pNode);
    pRecord->m_cyMeasured = pNode->m_nRowHeight;
    pRecord->m_pszText = LPSTR_TEXTCALLBACKW; // the node answers for column 0
    return pRecord;
}

template <class TListBase> int SECTreeBaseT<TListBase>::FindItemRow(const SECTreeNode* pNode, int nStart) const
{
    const auto shows = [&](int nRow) {
        const SECListItem* pRecord = TListBase::GetItemAt(nRow);
        return pRecord != nullptr && pRecord->m_lParam == reinterpret_cast<LPARAM>(pNode);
    };
    if (shows(m_nRowHint))
        return m_nRowHint;
    if (shows(m_nRowHint + 1))
        return ++m_nRowHint;
    for (int nRow = std::max(nStart, 0); nRow < this->GetItemCount(); nRow++)
    {
        if (shows(nRow))
            return m_nRowHint = nRow;
    }
    return -1;
}

template <class TListBase> void SECTreeBaseT<TListBase>::RebuildRows()
{
    for (SECTreeNode* pNode = m_pRoot->GetFirstChild(); pNode != nullptr; pNode = pNode->GetNextNode())
    {
        const int nRow = FindItemRow(pNode, 0);
        const BOOL bVisible = IsNodeVisible(pNode);
        if (bVisible && nRow == -1)
            InsertRow(AsNode(pNode));
        else if (!bVisible && nRow != -1)
        {
            if (this->GetDropHilite() == nRow)
                this->SetDropHilite(-1);
            TListBase::DeleteItem(nRow, 1);
        }
    }
}

template <class TListBase> HTREEITEM SECTreeBaseT<TListBase>::GetItemAt(int nRow) const
{
    const SECListItem* pRecord = TListBase::GetItemAt(nRow);
    return pRecord != nullptr ? reinterpret_cast<HTREEITEM>(pRecord->m_lParam) : nullptr;
}

template <class TListBase> int SECTreeBaseT<TListBase>::GetItemRow(HTREEITEM hItem, int nStartRow) const
{
    return FindItemRow(HandleToNode(hItem), nStartRow);
}

// ---- Visibility ----

template <class TListBase> BOOL SECTreeBaseT<TListBase>::IsNodeVisible(const SECTreeNode* pNode) const
{
    if (AsNode(const_cast<SECTreeNode*>(pNode))->m_exState & _Node::ExHidden)
        return FALSE;
    for (SECTreeNode* pAbove = pNode->GetParent(); pAbove != nullptr; pAbove = pAbove->GetParent())
    {
        if (!pAbove->IsExpanded() || (AsNode(pAbove)->m_exState & _Node::ExHidden))
            return FALSE;
    }
    return TRUE;
}

template <class TListBase> BOOL SECTreeBaseT<TListBase>::IsHiddenInherited(const SECTreeNode* pNode) const
{
    return HasInheritedExBit(pNode, _Node::ExHidden);
}

template <class TListBase> BOOL SECTreeBaseT<TListBase>::IsDisabledInherited(const SECTreeNode* pNode) const
{
    return HasInheritedExBit(pNode, _Node::ExDisabled);
}

template <class TListBase> BOOL SECTreeBaseT<TListBase>::HasInheritedExBit(const SECTreeNode* pNode, UINT nBit)
{
    for (const SECTreeNode* p = pNode; p != nullptr; p = p->GetParent())
    {
        if (static_cast<const _Node*>(p)->m_exState & nBit)
            return TRUE;
    }
    return FALSE;
}

// ---- Deleting ----

template <class TListBase> BOOL SECTreeBaseT<TListBase>::DeleteItem(HTREEITEM hItem)
{
    if (m_pRoot == nullptr)
        return TRUE;
    const BOOL bAll = hItem == TVI_NONE || hItem == TVI_ROOT;
    SECTreeNode* pNode = HandleToNode(hItem);
    while (pNode->GetFirstChild() != nullptr)
    {
        if (!DeleteLeaf(pNode->GetFirstLeaf(), !bAll))
            return FALSE;
    }
    if (!bAll)
    {
        if (!DeleteLeaf(pNode, TRUE))
            return FALSE;
    }
    else
    {
        delete m_pRoot;
        m_pRoot = nullptr;
        // Not virtual: our own override would come back here.
        if (!TListBase::DeleteAllItems())
            return FALSE;
        CreateRoot();
    }
    this->RepaintIfRedrawing();
    return TRUE;
}

template <class TListBase> BOOL SECTreeBaseT<TListBase>::DeleteAllItems()
{
    return DeleteItem(TVI_ROOT);
}

template <class TListBase> BOOL SECTreeBaseT<TListBase>::DeleteLeaf(SECTreeNode* pLeaf, BOOL bRemoveRow)
{
    if (pLeaf->GetFirstChild() != nullptr)
        return FALSE;
    // The row goes even without a window, so that no row is left on a deleted node.
    const int nRow = bRemoveRow ? FindItemRow(pLeaf, 0) : -1;
    if (nRow != -1)
        TListBase::DeleteItem(nRow, 1);
    NotifyDeleteTreeItem(ToHandle(pLeaf));
    // Also without a window: a later node may get the same handle.
    if (m_pTextStorage != nullptr)
        m_pTextStorage->RemoveItem(ToHandle(pLeaf));
    pLeaf->Detach();
    delete pLeaf;
    return TRUE;
}

template <class TListBase> LRESULT SECTreeBaseT<TListBase>::NotifyTree(UINT nCode, NMTREEVIEWW& nm) const
{
    nm.hdr.code = nCode;
    return this->Notify(&nm.hdr);
}

// ---- Expanding ----

template <class TListBase> BOOL SECTreeBaseT<TListBase>::Expand(HTREEITEM hItem, UINT nCode, BOOL bRedraw, BOOL bForce)
{
    _Node* pNode = HandleToNode(hItem);
    if (pNode == nullptr)
        return FALSE;
    if (!bForce && pNode->GetFirstChild() == nullptr && !HasPendingChildren(hItem))
        return TRUE;
    CRect before;
    if (this->m_hWnd != nullptr)
        this->GetInsideRect(before);
    int nRow = FindItemRow(pNode, 0);
    if (nRow != -1)
        this->FocusItem(nRow);
    if (nCode == TVE_TOGGLE)
        nCode = pNode->IsExpanded() ? TVE_COLLAPSE : TVE_EXPAND;
    if (NotifyItemExpanding(ToHandle(pNode), nCode) == 1)
        return FALSE;
    if (nCode == TVE_EXPAND)
    {
        if (pNode->IsExpanded())
            return TRUE;
        if (pNode->GetFirstChild() == nullptr)
            return FALSE;
        pNode->SetExpanded(TRUE);
        m_nAnimationCount = 0;
        if (pNode == m_pRoot || nRow != -1)
            InsertChildRows(pNode, nRow);
    }
    else if ((nCode == TVE_COLLAPSE || (nCode & TVE_COLLAPSERESET)) && pNode->IsExpanded())
    {
        // A collapse that hides a selected row moves the selection to the collapsed item. The
        // focus is already on the item, so the selected rows tell.
        int nOldRow = -1;
        for (int i = this->GetNextItem(-1, LVNI_SELECTED); i != -1 && nOldRow == -1;
             i = this->GetNextItem(i, LVNI_SELECTED))
        {
            if (pNode->IsAncestorOf(HandleToNode(GetItemAt(i))))
                nOldRow = i;
        }
        const BOOL bMoveSelection = nOldRow != -1;
        if (bMoveSelection)
        {
            NotifySelChange(TVN_SELCHANGINGW, nRow, nOldRow, TVC_BYMOUSE);
            this->SelectItem(nRow, TRUE);
        }
        pNode->SetExpanded(FALSE);
        RemoveChildRows(pNode, nRow);
        if (bMoveSelection)
            NotifySelChange(TVN_SELCHANGEDW, nRow, nOldRow, TVC_BYMOUSE);
    }
    if (nCode & TVE_COLLAPSERESET)
    {
        while (pNode->GetFirstChild() != nullptr)
            DeleteItem(ToHandle(pNode->GetFirstChild()));
    }
    NotifyItemExpanded(ToHandle(pNode), nCode);
    if (!bRedraw || this->m_hWnd == nullptr)
        return TRUE;
    // Only an item on show scrolls its children into view: revealing them would expand the
    // collapsed items above it.
    if (nCode == TVE_EXPAND && m_bScrollOnExpand && nRow != -1 && pNode->GetFirstChild() != nullptr)
    {
        EnsureItemVisible(ToHandle(pNode->GetLastChild()), TRUE);
        nRow = FindItemRow(pNode, 0);
        if (nRow != -1 && nRow < this->GetTopIndex())
            ScrollItemToTop(hItem);
    }
    this->RecalcLayout();
    CRect after;
    this->GetInsideRect(after);
    if (after != before || nRow == -1)
        this->Invalidate(TRUE);
    else
        this->RedrawItemRows(nRow, FALSE, FALSE, TRUE, FALSE);
    return TRUE;
}

template <class TListBase> void SECTreeBaseT<TListBase>::ExpandAll(HTREEITEM hItem, BOOL bRedraw)
{
    if (!Expand(hItem, TVE_EXPAND, FALSE, FALSE))
        return;
    for (SECTreeNode* pChild = HandleToNode(hItem)->GetFirstChild(); pChild != nullptr;
         pChild = pChild->GetNextSibling())
        ExpandAll(ToHandle(pChild), FALSE);
    if (bRedraw && this->m_hWnd != nullptr)
    {
        this->RecalcLayout();
        this->Invalidate(TRUE);
    }
}

template <class TListBase> void SECTreeBaseT<TListBase>::InsertChildRows(SECTreeNode* pNode, int& nRow)
{
    for (SECTreeNode* pChild = pNode->GetFirstChild(); pChild != nullptr; pChild = pChild->GetNextSibling())
    {
        if (IsHiddenInherited(pChild))
            continue;
        SECListItem* pRecord = CreateRowRecord(AsNode(pChild));
        this->InsertItemRecord(++nRow, pRecord);
        // An animated expand shows its first rows one by one, the rest with the final paint.
        if (IsAnimated() && ++m_nAnimationCount <= m_nAnimationSteps)
        {
            this->UpdateScrollState();
            this->RedrawItemRows(nRow, FALSE, TRUE, TRUE, TRUE);
        }
        if (pChild->IsExpanded())
            InsertChildRows(pChild, nRow);
    }
}

template <class TListBase> void SECTreeBaseT<TListBase>::RemoveChildRows(SECTreeNode* pNode, int nRow)
{
    if (nRow == -1)
        return;
    int nCount = 0;
    while (const SECListItem* pRecord = TListBase::GetItemAt(nRow + 1 + nCount))
    {
        if (!pNode->IsAncestorOf(reinterpret_cast<SECTreeNode*>(pRecord->m_lParam)))
            break;
        nCount++;
    }
    for (int i = nRow + nCount; i > nRow; i--)
        this->SetItemSelected(i, FALSE);
    if (nCount == 0)
        return;
    if (!IsAnimated())
    {
        TListBase::DeleteItem(nRow + 1, nCount);
        return;
    }
    const int nStep = std::max(nCount / m_nAnimationSteps, 1);
    for (int i = 1; i <= nCount; i++)
    {
        TListBase::DeleteItem(nRow + 1, 1);
        if (i % nStep == 0)
            this->UpdateWindow();
    }
    this->UpdateWindow();
}

template <class TListBase> BOOL SECTreeBaseT<TListBase>::IsAnimated() const
{
    return (m_nTreeStyleEx & TVXS_ANIMATE) && this->m_hWnd != nullptr;
}

template <class TListBase> void SECTreeBaseT<TListBase>::NotifyDeleteTreeItem(HTREEITEM hItem)
{
    NMTREEVIEWW nm = {};
    nm.itemOld.mask = TVIF_HANDLE | TVIF_PARAM;
    nm.itemOld.hItem = hItem;
    nm.itemOld.lParam = HandleToNode(hItem)->m_item.lParam;
    NotifyTree(TVN_DELETEITEMW, nm);
}

template <class TListBase> void SECTreeBaseT<TListBase>::NotifyGetTreeDispInfo(TVITEMW* pItem)
{
    NMTVDISPINFOW info = {};
    info.item = *pItem;
    info.hdr.code = TVN_GETDISPINFOW;
    this->Notify(&info.hdr);
    *pItem = info.item;
}

template <class TListBase> void SECTreeBaseT<TListBase>::NotifySetTreeDispInfo(const TVITEMW* pItem)
{
    NMTVDISPINFOW info = {};
    info.item = *pItem;
    info.hdr.code = TVN_SETDISPINFOW;
    this->Notify(&info.hdr);
}

template <class TListBase> LRESULT SECTreeBaseT<TListBase>::NotifyItemExpanding(HTREEITEM hItem, UINT nCode)
{
    return NotifyExpand(TVN_ITEMEXPANDINGW, hItem, nCode);
}

template <class TListBase> void SECTreeBaseT<TListBase>::NotifyItemExpanded(HTREEITEM hItem, UINT nCode)
{
    NotifyExpand(TVN_ITEMEXPANDEDW, hItem, nCode);
}

template <class TListBase> LRESULT SECTreeBaseT<TListBase>::NotifyExpand(UINT nCode, HTREEITEM hItem, UINT nAction) const
{
    const _Node* pNode = HandleToNode(hItem);
    NMTREEVIEWW nm = {};
    nm.action = nAction;
    nm.itemNew = pNode->m_item;
    // After the change the state tells only whether the item is open now.
    if (nCode == TVN_ITEMEXPANDEDW)
        nm.itemNew.state = pNode->IsExpanded() ? TVIS_EXPANDED : 0;
    return NotifyTree(nCode, nm);
}

template <class TListBase>
LRESULT SECTreeBaseT<TListBase>::NotifySelChange(UINT nCode, int nNewRow, int nOldRow, UINT nAction) const
{
    NMTREEVIEWW nm = {};
    nm.action = nAction;
    // Each row's node as it is stored.
    const auto describe = [this](TVITEMW& item, int nRow) {
        if (const _Node* pNode = this->GetRowNode(nRow))
            item = pNode->m_item;
    };
    describe(nm.itemNew, nNewRow);
    describe(nm.itemOld, nOldRow);
    return NotifyTree(nCode, nm);
}

// ---- Navigation and counting ----

template <class TListBase> HTREEITEM SECTreeBaseT<TListBase>::GetChildItem(HTREEITEM hItem) const
{
    const _Node* pNode = HandleToNode(hItem);
    return pNode != nullptr ? ToHandle(pNode->GetFirstChild()) : nullptr;
}

template <class TListBase> HTREEITEM SECTreeBaseT<TListBase>::GetNextSiblingItem(HTREEITEM hItem) const
{
    const _Node* pNode = HandleToNode(hItem);
    return pNode != nullptr ? ToHandle(pNode->GetNextSibling()) : nullptr;
}

template <class TListBase> HTREEITEM SECTreeBaseT<TListBase>::GetParentItem(HTREEITEM hItem) const
{
    const _Node* pNode = HandleToNode(hItem);
    if (pNode == nullptr || pNode->GetParent() == m_pRoot)
        return nullptr;
    return ToHandle(pNode->GetParent());
}

template <class TListBase> HTREEITEM SECTreeBaseT<TListBase>::GetRootItem(HTREEITEM hItem) const
{
    const SECTreeNode* pNode = HandleToNode(hItem);
    if (pNode == nullptr)
        return nullptr;
    if (pNode == m_pRoot)
        return ToHandle(m_pRoot->GetFirstChild());
    while (pNode->GetParent() != m_pRoot && pNode->GetParent() != nullptr)
        pNode = pNode->GetParent();
    return ToHandle(pNode);
}

template <class TListBase> HTREEITEM SECTreeBaseT<TListBase>::GetSelectedItem() const
{
    return GetItemAt(this->GetFocusItem());
}

template <class TListBase> HTREEITEM SECTreeBaseT<TListBase>::GetDropHilightItem() const
{
    return GetItemAt(this->GetDropHilite());
}

template <class TListBase>
int SECTreeBaseT<TListBase>::CountItems(HTREEITEM hItem, BOOL bRecursive, BOOL bExpandedOnly) const
{
    const SECTreeNode* pNode = HandleToNode(hItem);
    if (pNode == nullptr)
        return 0;
    int nCount = 0;
    for (SECTreeNode* pChild = pNode->GetFirstChild(); pChild != nullptr; pChild = pChild->GetNextSibling())
    {
        nCount++;
        if (bRecursive && pChild->GetFirstChild() != nullptr && (!bExpandedOnly || pChild->IsExpanded()))
            nCount += CountItems(ToHandle(pChild), TRUE, bExpandedOnly);
    }
    return nCount;
}

template <class TListBase> int SECTreeBaseT<TListBase>::GetCount() const
{
    return CountItems(TVI_ROOT, TRUE, FALSE);
}

template <class TListBase> BOOL SECTreeBaseT<TListBase>::ItemHasChildren(HTREEITEM hItem) const
{
    const _Node* pNode = HandleToNode(hItem);
    return pNode != nullptr && pNode->GetFirstChild() != nullptr;
}

template <class TListBase> BOOL SECTreeBaseT<TListBase>::HasPendingChildren(HTREEITEM hItem)
{
    if (ItemHasChildren(hItem))
        return FALSE;
    TVITEMW item = {};
    item.mask = TVIF_CHILDREN | TVIF_HANDLE;
    item.hItem = hItem;
    return GetItem(&item) && item.cChildren >= 1;
}

template <class TListBase> BOOL SECTreeBaseT<TListBase>::IsItemExpanded(HTREEITEM hItem) const
{
    const _Node* pNode = HandleToNode(hItem);
    return pNode != nullptr && pNode->IsExpanded();
}

template <class TListBase> BOOL SECTreeBaseT<TListBase>::IsItemVisible(HTREEITEM hItem) const
{
    const _Node* pNode = HandleToNode(hItem);
    return pNode != nullptr && pNode != m_pRoot && IsNodeVisible(pNode);
}

template <class TListBase> BOOL SECTreeBaseT<TListBase>::IsItemHidden(HTREEITEM hItem) const
{
    const _Node* pNode = HandleToNode(hItem);
    return pNode != nullptr && pNode != m_pRoot && IsHiddenInherited(pNode);
}

// ---- Attributes and texts ----

template <class TListBase> BOOL SECTreeBaseT<TListBase>::GetItem(TVITEMW* pItem, BOOL bCopyText, BOOL bAskOwner)
{
    const _Node* pNode = HandleToNode(pItem->hItem);
    if (pNode == nullptr)
        return FALSE;
    const TVITEMW& stored = pNode->m_item;
    UINT nWanted = 0;
    const auto readField = [&](UINT nBit, int& nOut, int nValue) {
        if (!(pItem->mask & nBit))
            return;
        nOut = nValue;
        if (nValue == -1)
            nWanted |= nBit;
    };
    readField(TVIF_CHILDREN, pItem->cChildren, stored.cChildren);
    readField(TVIF_IMAGE, pItem->iImage, stored.iImage);
    readField(TVIF_SELECTEDIMAGE, pItem->iSelectedImage, stored.iSelectedImage);
    if (pItem->mask & TVIF_PARAM)
        pItem->lParam = stored.lParam;
    if (pItem->mask & TVIF_STATE)
        pItem->state = stored.state & pItem->stateMask;
    if (pItem->mask & TVIF_TEXT)
    {
        if (stored.pszText == LPSTR_TEXTCALLBACKW)
        {
            nWanted |= TVIF_TEXT;
            if (!bAskOwner)
            {
                pItem->pszText = LPSTR_TEXTCALLBACKW;
                return TRUE;
            }
        }
        else if (bCopyText)
            CopyTextTerminated(pItem->pszText, pItem->cchTextMax, stored.pszText);
        else
            pItem->pszText = stored.pszText != nullptr ? stored.pszText : const_cast<LPWSTR>(L"");
    }
    if (bAskOwner && nWanted != 0)
    {
        TVITEMW asked = *pItem;
        asked.lParam = stored.lParam;
        asked.mask = nWanted;
        NotifyGetTreeDispInfo(&asked);
        const UINT nMask = pItem->mask;
        *pItem = asked;
        pItem->mask = nMask;
    }
    return TRUE;
}

template <class TListBase> BOOL SECTreeBaseT<TListBase>::SetItem(const TVITEMW* pItem)
{
    _Node* pNode = HandleToNode(pItem->hItem);
    if (pNode == nullptr || pNode == m_pRoot)
        return FALSE;
    SetNodeFields(*pItem, pNode);
    const int nRow = FindItemRow(pNode, 0);
    if (nRow != -1 && (pItem->mask & TVIF_STATE) && (pItem->stateMask & (TVIS_SELECTED | TVIS_DROPHILITED)))
    {
        if (pItem->stateMask & TVIS_SELECTED)
            this->SetItemSelected(nRow, (pItem->state & TVIS_SELECTED) != 0);
        if (pItem->stateMask & TVIS_DROPHILITED)
            this->SetDropHilite((pItem->state & TVIS_DROPHILITED)
                                    ? nRow
                                    : (this->GetDropHilite() == nRow ? -1 : this->GetDropHilite()));
    }
    if (nRow != -1 && (pItem->mask & (TVIF_TEXT | TVIF_IMAGE | TVIF_STATE)))
    {
        this->InvalidateItem(nRow);
        if (pItem->mask & TVIF_TEXT)
            this->UpdateScrollState();
    }
    return TRUE;
}

template <class TListBase> BOOL SECTreeBaseT<TListBase>::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask)
{
    TVITEMW item = {};
    item.mask = TVIF_STATE | TVIF_HANDLE;
    item.hItem = hItem;
    item.state = nState;
    item.stateMask = nStateMask;
    return SetItem(&item);
}

template <class TListBase> UINT SECTreeBaseT<TListBase>::GetItemState(HTREEITEM hItem, UINT nMask) const
{
    const _Node* pNode = HandleToNode(hItem);
    return pNode != nullptr ? pNode->m_item.state & nMask : 0;
}

template <class TListBase> BOOL SECTreeBaseT<TListBase>::SetItemEx(HTREEITEM hItem, UINT nState, UINT nMask)
{
    _Node* pNode = HandleToNode(hItem);
    if (pNode == nullptr || pNode == m_pRoot)
        return FALSE;
    pNode->m_exState = (pNode->m_exState & ~nMask) | (nState & nMask);
    if (nMask & _Node::ExHidden)
        RebuildRows();
    const int nRow = FindItemRow(pNode, 0);
    if (SECListItem* pRecord = TListBase::GetItemAt(nRow))
    {
        constexpr UINT kRowBits = _Node::ExDisabled | _Node::ExHidden;
        pRecord->m_exState = (pRecord->m_exState & ~kRowBits) | (pNode->m_exState & kRowBits);
    }
    return TRUE;
}

template <class TListBase> UINT SECTreeBaseT<TListBase>::GetItemEx(HTREEITEM hItem, UINT nMask) const
{
    const _Node* pNode = HandleToNode(hItem);
    if (pNode == nullptr)
        return 0;
    UINT nState = pNode->m_exState & ~(_Node::ExDisabled | _Node::ExHidden);
    if (IsDisabledInherited(pNode))
        nState |= _Node::ExDisabled;
    if (IsHiddenInherited(pNode))
        nState |= _Node::ExHidden;
    return nState & nMask;
}

template <class TListBase> CString SECTreeBaseT<TListBase>::GetItemText(HTREEITEM hItem, int nColumn)
{
    if (nColumn > 0 && m_pTextStorage != nullptr)
    {
        m_pTextStorage->GetSubItemText(hItem, nColumn, this->m_pszTextBuffer, TListBase::TextBufferSize);
        return CString(this->m_pszTextBuffer);
    }
    if (nColumn > 0)
        return TListBase::GetItemText(GetItemRow(hItem), nColumn);
    TVITEMW item = {};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = hItem;
    item.pszText = this->m_pszTextBuffer;
    item.cchTextMax = 2048;
    this->m_pszTextBuffer[0] = L'\0';
    if (!GetItem(&item, TRUE, TRUE) || item.pszText == nullptr || item.pszText == LPSTR_TEXTCALLBACKW)
        return CString();
    return CString(item.pszText);
}

template <class TListBase> BOOL SECTreeBaseT<TListBase>::SetItemText(HTREEITEM hItem, int nColumn, LPCWSTR lpszText)
{
    if (nColumn > 0 && m_pTextStorage != nullptr)
    {
        if (hItem == TVI_NONE || hItem == TVI_ROOT || nColumn > this->GetColumnCount())
            return FALSE;
        m_pTextStorage->SetSubItemText(hItem, nColumn, lpszText);
        const int nRow = GetItemRow(hItem);
        if (nRow != -1 && this->m_hWnd != nullptr)
            this->InvalidateItem(nRow);
        return TRUE;
    }
    if (nColumn > 0)
        return TListBase::SetItemText(GetItemRow(hItem), nColumn, lpszText);
    TVITEMW item = {};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = hItem;
    item.pszText = const_cast<LPWSTR>(lpszText);
    return SetItem(&item);
}

template <class TListBase> int SECTreeBaseT<TListBase>::CompareItems(HTREEITEM hItem1, HTREEITEM hItem2)
{
    const CString str1 = GetItemText(hItem1);
    const CString str2 = GetItemText(hItem2);
    return ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, str1, str1.GetLength(), str2, str2.GetLength()) -
           CSTR_EQUAL;
}

template <class TListBase> int SECTreeBaseT<TListBase>::GetIndent() const
{
    return m_nIndent;
}

template <class TListBase> void SECTreeBaseT<TListBase>::SetIndent(int nIndent)
{
    // Kept even, so that the dotted lines of every level fall on the same grid.
    m_nIndent = (nIndent + 1) & ~1;
    if (this->m_hWnd != nullptr)
        this->Invalidate(TRUE);
}
template class SECTreeBaseT<SECListCtrl>;
template class SECTreeBaseT<SECListView>;
} // namespace tarnwick::lists
