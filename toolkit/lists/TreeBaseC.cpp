#include "TreeBaseC.h"

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

SECTreeBaseC::SECTreeBaseC()
{
    ModifyListStyle(0, LVS_SEC_REPORT | LVS_SEC_SHAREIMAGELISTS, FALSE);
    CreateRoot();
}

SECTreeBaseC::~SECTreeBaseC()
{
    delete m_pRoot;
}

_Node* SECTreeBaseC::CreateNode()
{
    return new _Node;
}

void SECTreeBaseC::CreateRoot()
{
    m_pRoot = CreateNode();
    m_pRoot->SetExpanded(TRUE);
}

_Node* SECTreeBaseC::HandleToNode(HTREEITEM hItem) const
{
    if (hItem == TVI_NONE || hItem == TVI_ROOT)
        return m_pRoot;
    return reinterpret_cast<_Node*>(hItem);
}

// ---- Creation and styles ----

BOOL SECTreeBaseC::CreateFromRect(DWORD dwStyle, DWORD dwExStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                                  CCreateContext* pContext)
{
    // The tree's one column; report mode keeps the list core from adding its own.
    if (GetColumnCount() == 0)
        InsertColumn(0, L"", LVCFMT_CENTER, 0, 0, -1, FALSE);
    return SECListCtrl::CreateFromRect(dwStyle, dwExStyle, rect, pParentWnd, nID, pContext);
}

void SECTreeBaseC::ApplyCreateStyles(CREATESTRUCT& cs)
{
    ModifyTreeStyle(0, cs.style & TVS_SEC_CREATEMASK, FALSE);
    ModifyTreeExStyle(0, cs.dwExStyle & TVXS_CREATEMASK, FALSE);
    cs.style &= ~static_cast<LONG>(TVS_SEC_CREATEMASK);
    cs.dwExStyle &= ~static_cast<DWORD>(TVXS_CREATEMASK);
    SECListCtrl::ApplyCreateStyles(cs);
}

UINT SECTreeBaseC::GetTreeStyle() const
{
    UINT nStyle = m_nTreeStyle;
    if (HasListStyle(LVS_SEC_EDITLABELS))
        nStyle |= TVS_EDITLABELS;
    if (HasListStyle(LVS_SEC_SHOWSELALWAYS))
        nStyle |= TVS_SHOWSELALWAYS;
    return nStyle;
}

void SECTreeBaseC::SetTreeStyle(UINT nStyle, BOOL bRedraw)
{
    m_nTreeStyle = nStyle & TVS_SEC_STYLEMASK;
    UINT nList = GetListStyle() & ~(LVS_SEC_EDITLABELS | LVS_SEC_SHOWSELALWAYS);
    if (nStyle & TVS_EDITLABELS)
        nList |= LVS_SEC_EDITLABELS;
    if (nStyle & TVS_SHOWSELALWAYS)
        nList |= LVS_SEC_SHOWSELALWAYS;
    SetListStyle(nList, bRedraw);
}

UINT SECTreeBaseC::GetTreeExStyle() const
{
    return m_nTreeStyleEx;
}

void SECTreeBaseC::SetTreeExStyle(UINT nExStyle, BOOL bRedraw)
{
    m_nTreeStyleEx = nExStyle;
    const auto has = [nExStyle](UINT nBits) { return (nExStyle & nBits) == nBits; };
    // List bits that are set while the tree bit is clear.
    UINT nList =
        GetListStyle() & ~(LVS_SEC_SINGLESEL | LVS_SEC_NOLABELWRAP | LVS_SEC_NOCOLUMNHEADER | LVS_SEC_NOSORTHEADER);
    if (!has(TVXS_MULTISELECT))
        nList |= LVS_SEC_SINGLESEL;
    if (!has(TVXS_LABELWRAP))
        nList |= LVS_SEC_NOLABELWRAP;
    if (!has(TVXS_HEADER))
        nList |= LVS_SEC_NOCOLUMNHEADER;
    if (!has(TVXS_HEADER | TVXS_HEADERBUTTONS))
        nList |= LVS_SEC_NOSORTHEADER;
    UINT nListEx = GetListStyleEx() & ~(LVXS_HEADERDRAG | LVXS_FLAG100000);
    if (has(TVXS_HEADERBUTTONS | TVXS_HEADERDRAG))
        nListEx |= LVXS_HEADERDRAG;
    if (has(TVXS_ITEMTIPS))
        nListEx |= LVXS_FLAG100000;
    SetListStyle(nList, bRedraw);
    SetListStyleEx(nListEx, bRedraw);
}

void SECTreeBaseC::ModifyTreeStyle(UINT nRemove, UINT nAdd, BOOL bRedraw)
{
    SetTreeStyle((GetTreeStyle() & ~nRemove) | nAdd, bRedraw);
}

void SECTreeBaseC::ModifyTreeExStyle(UINT nRemove, UINT nAdd, BOOL bRedraw)
{
    SetTreeExStyle((m_nTreeStyleEx & ~nRemove) | nAdd, bRedraw);
}

void SECTreeBaseC::KeepTreeExBit(UINT nBit, BOOL bOn)
{
    m_nTreeStyleEx = bOn ? (m_nTreeStyleEx | nBit) : (m_nTreeStyleEx & ~nBit);
}

void SECTreeBaseC::SetMultiSelect(BOOL bMulti)
{
    KeepTreeExBit(TVXS_MULTISELECT, bMulti);
    SECListCtrl::SetMultiSelect(bMulti);
}

void SECTreeBaseC::SetLabelWrap(BOOL bWrap)
{
    KeepTreeExBit(TVXS_LABELWRAP, bWrap);
    SECListCtrl::SetLabelWrap(bWrap);
}

void SECTreeBaseC::SetHeaderFlags(BOOL bShowHeader, BOOL bButtons)
{
    KeepTreeExBit(TVXS_HEADER, bShowHeader);
    KeepTreeExBit(TVXS_HEADERBUTTONS, bButtons);
    SECListCtrl::SetHeaderFlags(bShowHeader, bButtons);
}

void SECTreeBaseC::SetExFlag100000(BOOL bOn)
{
    KeepTreeExBit(TVXS_ITEMTIPS, bOn);
    SECListCtrl::SetExFlag100000(bOn);
}

CImageList* SECTreeBaseC::SetImageList(CImageList* pImageList, int nWhich)
{
    CImageList* pOld = SECListCtrl::SetImageList(pImageList, nWhich);
    IMAGEINFO info = {};
    if (nWhich == LVSIL_NORMAL && pImageList != nullptr && pImageList->GetImageCount() > 0 &&
        pImageList->GetImageInfo(0, &info) && info.rcImage.right - info.rcImage.left > m_nIndent)
        SetIndent(info.rcImage.right - info.rcImage.left);
    return pOld;
}

void SECTreeBaseC::GetExpandState(CDWordArray& states) const
{
    states.SetSize(GetCount());
    INT_PTR i = 0;
    for (SECTreeNode* pNode = m_pRoot->GetFirstChild(); pNode != nullptr && i < states.GetSize();
         pNode = pNode->GetNextNode())
        states[i++] = pNode->IsExpanded() ? 1 : 0;
}

void SECTreeBaseC::RestoreExpandState(const CDWordArray& states)
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

HTREEITEM SECTreeBaseC::InsertItem(const TVINSERTSTRUCTW* pInsert)
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
    RepaintIfRedrawing();
    return hNew;
}

HTREEITEM SECTreeBaseC::InsertItem(LPCWSTR lpszText, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCTW insert = {};
    insert.hParent = hParent;
    insert.hInsertAfter = hInsertAfter;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<LPWSTR>(lpszText);
    return InsertItem(&insert);
}

SECTreeNode* SECTreeBaseC::ResolveInsertAfter(SECTreeNode* pParent, HTREEITEM hInsertAfter, HTREEITEM hNew)
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

void SECTreeBaseC::SetNodeFields(const TVITEMW& item, _Node* pNode)
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
        NMTVDISPINFOW info = {};
        info.item = item;
        info.item.mask = nCallbacks;
        info.item.hItem = ToHandle(pNode);
        info.hdr.code = TVN_SETDISPINFOW;
        Notify(&info.hdr);
    }
}

// ---- Rows ----

void SECTreeBaseC::InsertRow(_Node* pNode)
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
    InsertItemRecord(nRow, CreateRowRecord(pNode));
}

SECListItem* SECTreeBaseC::CreateRowRecord(_Node* pNode)
{
    SECListItem* pRecord = CreateItem();
    pRecord->m_lParam = reinterpret_cast<LPARAM>(pNode);
    pRecord->m_cyMeasured = pNode->m_nRowHeight;
    pRecord->m_pszText = LPSTR_TEXTCALLBACKW; // the node answers for column 0
    return pRecord;
}

int SECTreeBaseC::FindItemRow(const SECTreeNode* pNode, int nStart) const
{
    const auto shows = [&](int nRow) {
        const SECListItem* pRecord = SECListBaseC::GetItemAt(nRow);
        return pRecord != nullptr && pRecord->m_lParam == reinterpret_cast<LPARAM>(pNode);
    };
    if (shows(m_nRowHint))
        return m_nRowHint;
    if (shows(m_nRowHint + 1))
        return ++m_nRowHint;
    for (int nRow = std::max(nStart, 0); nRow < GetItemCount(); nRow++)
    {
        if (shows(nRow))
            return m_nRowHint = nRow;
    }
    return -1;
}

void SECTreeBaseC::RebuildRows()
{
    for (SECTreeNode* pNode = m_pRoot->GetFirstChild(); pNode != nullptr; pNode = pNode->GetNextNode())
    {
        const int nRow = FindItemRow(pNode, 0);
        const BOOL bVisible = IsNodeVisible(pNode);
        if (bVisible && nRow == -1)
            InsertRow(AsNode(pNode));
        else if (!bVisible && nRow != -1)
        {
            if (GetDropHilite() == nRow)
                SetDropHilite(-1);
            SECListBaseC::DeleteItem(nRow, 1);
        }
    }
}

HTREEITEM SECTreeBaseC::GetItemAt(int nRow) const
{
    const SECListItem* pRecord = SECListBaseC::GetItemAt(nRow);
    return pRecord != nullptr ? reinterpret_cast<HTREEITEM>(pRecord->m_lParam) : nullptr;
}

int SECTreeBaseC::GetItemRow(HTREEITEM hItem, int nStartRow) const
{
    return FindItemRow(HandleToNode(hItem), nStartRow);
}

// ---- Visibility ----

BOOL SECTreeBaseC::IsNodeVisible(const SECTreeNode* pNode) const
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

BOOL SECTreeBaseC::IsHiddenInherited(const SECTreeNode* pNode) const
{
    return HasInheritedExBit(pNode, _Node::ExHidden);
}

BOOL SECTreeBaseC::IsDisabledInherited(const SECTreeNode* pNode) const
{
    return HasInheritedExBit(pNode, _Node::ExDisabled);
}

BOOL SECTreeBaseC::HasInheritedExBit(const SECTreeNode* pNode, UINT nBit)
{
    for (const SECTreeNode* p = pNode; p != nullptr; p = p->GetParent())
    {
        if (static_cast<const _Node*>(p)->m_exState & nBit)
            return TRUE;
    }
    return FALSE;
}

// ---- Deleting ----

BOOL SECTreeBaseC::DeleteItem(HTREEITEM hItem)
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
        if (!SECListBaseC::DeleteAllItems())
            return FALSE;
        CreateRoot();
    }
    RepaintIfRedrawing();
    return TRUE;
}

BOOL SECTreeBaseC::DeleteAllItems()
{
    return DeleteItem(TVI_ROOT);
}

BOOL SECTreeBaseC::DeleteLeaf(SECTreeNode* pLeaf, BOOL bRemoveRow)
{
    if (pLeaf->GetFirstChild() != nullptr)
        return FALSE;
    // The row goes even without a window, so that no row is left on a deleted node.
    const int nRow = bRemoveRow ? FindItemRow(pLeaf, 0) : -1;
    if (nRow != -1)
        SECListBaseC::DeleteItem(nRow, 1);
    NMTREEVIEWW nm = {};
    nm.itemOld.mask = TVIF_HANDLE | TVIF_PARAM;
    nm.itemOld.hItem = ToHandle(pLeaf);
    nm.itemOld.lParam = AsNode(pLeaf)->m_item.lParam;
    NotifyTree(TVN_DELETEITEMW, nm);
    pLeaf->Detach();
    delete pLeaf;
    return TRUE;
}

LRESULT SECTreeBaseC::NotifyTree(UINT nCode, NMTREEVIEWW& nm) const
{
    nm.hdr.code = nCode;
    return Notify(&nm.hdr);
}

// ---- Expanding ----

BOOL SECTreeBaseC::Expand(HTREEITEM hItem, UINT nCode, BOOL bRedraw, BOOL bForce)
{
    _Node* pNode = HandleToNode(hItem);
    if (pNode == nullptr)
        return FALSE;
    if (!bForce && pNode->GetFirstChild() == nullptr && !HasPendingChildren(hItem))
        return TRUE;
    CRect before;
    if (m_hWnd != nullptr)
        GetInsideRect(before);
    int nRow = FindItemRow(pNode, 0);
    if (nRow != -1)
        FocusItem(nRow);
    if (nCode == TVE_TOGGLE)
        nCode = pNode->IsExpanded() ? TVE_COLLAPSE : TVE_EXPAND;
    if (NotifyExpand(TVN_ITEMEXPANDINGW, pNode, nCode) == 1)
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
        for (int i = GetNextItem(-1, LVNI_SELECTED); i != -1 && nOldRow == -1; i = GetNextItem(i, LVNI_SELECTED))
        {
            if (pNode->IsAncestorOf(HandleToNode(GetItemAt(i))))
                nOldRow = i;
        }
        const BOOL bMoveSelection = nOldRow != -1;
        if (bMoveSelection)
        {
            NotifySelChange(TVN_SELCHANGINGW, nRow, nOldRow, TVC_BYMOUSE);
            SelectItem(nRow, TRUE);
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
    NotifyExpand(TVN_ITEMEXPANDEDW, pNode, nCode);
    if (!bRedraw || m_hWnd == nullptr)
        return TRUE;
    // Only an item on show scrolls its children into view: revealing them would expand the
    // collapsed items above it.
    if (nCode == TVE_EXPAND && m_bScrollOnExpand && nRow != -1 && pNode->GetFirstChild() != nullptr)
    {
        EnsureItemVisible(ToHandle(pNode->GetLastChild()), TRUE);
        nRow = FindItemRow(pNode, 0);
        if (nRow != -1 && nRow < GetTopIndex())
            ScrollItemToTop(hItem);
    }
    RecalcLayout();
    CRect after;
    GetInsideRect(after);
    if (after != before || nRow == -1)
        Invalidate(TRUE);
    else
        RedrawItemRows(nRow, FALSE, FALSE, TRUE, FALSE);
    return TRUE;
}

void SECTreeBaseC::ExpandAll(HTREEITEM hItem, BOOL bRedraw)
{
    if (!Expand(hItem, TVE_EXPAND, FALSE, FALSE))
        return;
    for (SECTreeNode* pChild = HandleToNode(hItem)->GetFirstChild(); pChild != nullptr;
         pChild = pChild->GetNextSibling())
        ExpandAll(ToHandle(pChild), FALSE);
    if (bRedraw && m_hWnd != nullptr)
    {
        RecalcLayout();
        Invalidate(TRUE);
    }
}

void SECTreeBaseC::InsertChildRows(SECTreeNode* pNode, int& nRow)
{
    for (SECTreeNode* pChild = pNode->GetFirstChild(); pChild != nullptr; pChild = pChild->GetNextSibling())
    {
        if (IsHiddenInherited(pChild))
            continue;
        SECListItem* pRecord = CreateRowRecord(AsNode(pChild));
        InsertItemRecord(++nRow, pRecord);
        // An animated expand shows its first rows one by one, the rest with the final paint.
        if (IsAnimated() && ++m_nAnimationCount <= m_nAnimationSteps)
        {
            UpdateScrollState();
            RedrawItemRows(nRow, FALSE, TRUE, TRUE, TRUE);
        }
        if (pChild->IsExpanded())
            InsertChildRows(pChild, nRow);
    }
}

void SECTreeBaseC::RemoveChildRows(SECTreeNode* pNode, int nRow)
{
    if (nRow == -1)
        return;
    int nCount = 0;
    while (const SECListItem* pRecord = SECListBaseC::GetItemAt(nRow + 1 + nCount))
    {
        if (!pNode->IsAncestorOf(reinterpret_cast<SECTreeNode*>(pRecord->m_lParam)))
            break;
        nCount++;
    }
    for (int i = nRow + nCount; i > nRow; i--)
        SetItemSelected(i, FALSE);
    if (nCount == 0)
        return;
    if (!IsAnimated())
    {
        SECListBaseC::DeleteItem(nRow + 1, nCount);
        return;
    }
    const int nStep = std::max(nCount / m_nAnimationSteps, 1);
    for (int i = 1; i <= nCount; i++)
    {
        SECListBaseC::DeleteItem(nRow + 1, 1);
        if (i % nStep == 0)
            UpdateWindow();
    }
    UpdateWindow();
}

BOOL SECTreeBaseC::IsAnimated() const
{
    return (m_nTreeStyleEx & TVXS_ANIMATE) && m_hWnd != nullptr;
}

LRESULT SECTreeBaseC::NotifyExpand(UINT nCode, _Node* pNode, UINT nAction) const
{
    NMTREEVIEWW nm = {};
    nm.action = nAction;
    nm.itemNew.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
    nm.itemNew.hItem = ToHandle(pNode);
    nm.itemNew.state = pNode->m_item.state;
    nm.itemNew.stateMask = TVIS_EXPANDED;
    nm.itemNew.lParam = pNode->m_item.lParam;
    return NotifyTree(nCode, nm);
}

LRESULT SECTreeBaseC::NotifySelChange(UINT nCode, int nNewRow, int nOldRow, UINT nAction) const
{
    NMTREEVIEWW nm = {};
    nm.action = nAction;
    const auto describe = [this](TVITEMW& item, int nRow) {
        item.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
        item.hItem = GetItemAt(nRow);
        if (const _Node* pNode = item.hItem != nullptr ? HandleToNode(item.hItem) : nullptr)
        {
            item.state = pNode->m_item.state;
            item.lParam = pNode->m_item.lParam;
        }
    };
    describe(nm.itemNew, nNewRow);
    describe(nm.itemOld, nOldRow);
    return NotifyTree(nCode, nm);
}

// ---- Navigation and counting ----

HTREEITEM SECTreeBaseC::GetChildItem(HTREEITEM hItem) const
{
    const _Node* pNode = HandleToNode(hItem);
    return pNode != nullptr ? ToHandle(pNode->GetFirstChild()) : nullptr;
}

HTREEITEM SECTreeBaseC::GetNextSiblingItem(HTREEITEM hItem) const
{
    const _Node* pNode = HandleToNode(hItem);
    return pNode != nullptr ? ToHandle(pNode->GetNextSibling()) : nullptr;
}

HTREEITEM SECTreeBaseC::GetParentItem(HTREEITEM hItem) const
{
    const _Node* pNode = HandleToNode(hItem);
    if (pNode == nullptr || pNode->GetParent() == m_pRoot)
        return nullptr;
    return ToHandle(pNode->GetParent());
}

HTREEITEM SECTreeBaseC::GetRootItem(HTREEITEM hItem) const
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

HTREEITEM SECTreeBaseC::GetSelectedItem() const
{
    return GetItemAt(GetFocusItem());
}

HTREEITEM SECTreeBaseC::GetDropHilightItem() const
{
    return GetItemAt(GetDropHilite());
}

int SECTreeBaseC::CountItems(HTREEITEM hItem, BOOL bRecursive, BOOL bExpandedOnly) const
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

int SECTreeBaseC::GetCount() const
{
    return CountItems(TVI_ROOT, TRUE, FALSE);
}

BOOL SECTreeBaseC::ItemHasChildren(HTREEITEM hItem) const
{
    const _Node* pNode = HandleToNode(hItem);
    return pNode != nullptr && pNode->GetFirstChild() != nullptr;
}

BOOL SECTreeBaseC::HasPendingChildren(HTREEITEM hItem)
{
    if (ItemHasChildren(hItem))
        return FALSE;
    TVITEMW item = {};
    item.mask = TVIF_CHILDREN | TVIF_HANDLE;
    item.hItem = hItem;
    return GetItem(&item) && item.cChildren >= 1;
}

BOOL SECTreeBaseC::IsItemExpanded(HTREEITEM hItem) const
{
    const _Node* pNode = HandleToNode(hItem);
    return pNode != nullptr && pNode->IsExpanded();
}

BOOL SECTreeBaseC::IsItemVisible(HTREEITEM hItem) const
{
    const _Node* pNode = HandleToNode(hItem);
    return pNode != nullptr && pNode != m_pRoot && IsNodeVisible(pNode);
}

BOOL SECTreeBaseC::IsItemHidden(HTREEITEM hItem) const
{
    const _Node* pNode = HandleToNode(hItem);
    return pNode != nullptr && pNode != m_pRoot && IsHiddenInherited(pNode);
}

// ---- Attributes and texts ----

BOOL SECTreeBaseC::GetItem(TVITEMW* pItem, BOOL bCopyText, BOOL bAskOwner)
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
        NMTVDISPINFOW info = {};
        info.item = *pItem;
        info.item.lParam = stored.lParam;
        info.item.mask = nWanted;
        info.hdr.code = TVN_GETDISPINFOW;
        Notify(&info.hdr);
        const UINT nMask = pItem->mask;
        *pItem = info.item;
        pItem->mask = nMask;
    }
    return TRUE;
}

BOOL SECTreeBaseC::SetItem(const TVITEMW* pItem)
{
    _Node* pNode = HandleToNode(pItem->hItem);
    if (pNode == nullptr || pNode == m_pRoot)
        return FALSE;
    SetNodeFields(*pItem, pNode);
    const int nRow = FindItemRow(pNode, 0);
    if (nRow != -1 && (pItem->mask & TVIF_STATE) && (pItem->stateMask & (TVIS_SELECTED | TVIS_DROPHILITED)))
    {
        if (pItem->stateMask & TVIS_SELECTED)
            SetItemSelected(nRow, (pItem->state & TVIS_SELECTED) != 0);
        if (pItem->stateMask & TVIS_DROPHILITED)
            SetDropHilite((pItem->state & TVIS_DROPHILITED) ? nRow : (GetDropHilite() == nRow ? -1 : GetDropHilite()));
    }
    if (nRow != -1 && (pItem->mask & (TVIF_TEXT | TVIF_IMAGE | TVIF_STATE)))
    {
        InvalidateItem(nRow);
        if (pItem->mask & TVIF_TEXT)
            UpdateScrollState();
    }
    return TRUE;
}

BOOL SECTreeBaseC::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask)
{
    TVITEMW item = {};
    item.mask = TVIF_STATE | TVIF_HANDLE;
    item.hItem = hItem;
    item.state = nState;
    item.stateMask = nStateMask;
    return SetItem(&item);
}

UINT SECTreeBaseC::GetItemState(HTREEITEM hItem, UINT nMask) const
{
    const _Node* pNode = HandleToNode(hItem);
    return pNode != nullptr ? pNode->m_item.state & nMask : 0;
}

BOOL SECTreeBaseC::SetItemEx(HTREEITEM hItem, UINT nState, UINT nMask)
{
    _Node* pNode = HandleToNode(hItem);
    if (pNode == nullptr || pNode == m_pRoot)
        return FALSE;
    pNode->m_exState = (pNode->m_exState & ~nMask) | (nState & nMask);
    if (nMask & _Node::ExHidden)
        RebuildRows();
    const int nRow = FindItemRow(pNode, 0);
    if (SECListItem* pRecord = SECListBaseC::GetItemAt(nRow))
    {
        constexpr UINT kRowBits = _Node::ExDisabled | _Node::ExHidden;
        pRecord->m_exState = (pRecord->m_exState & ~kRowBits) | (pNode->m_exState & kRowBits);
    }
    return TRUE;
}

UINT SECTreeBaseC::GetItemEx(HTREEITEM hItem, UINT nMask) const
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

CString SECTreeBaseC::GetItemText(HTREEITEM hItem, int nColumn)
{
    if (nColumn > 0)
        return SECListBaseC::GetItemText(GetItemRow(hItem), nColumn);
    TVITEMW item = {};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = hItem;
    item.pszText = m_pszTextBuffer;
    item.cchTextMax = 2048;
    m_pszTextBuffer[0] = L'\0';
    if (!GetItem(&item, TRUE, TRUE) || item.pszText == nullptr || item.pszText == LPSTR_TEXTCALLBACKW)
        return CString();
    return CString(item.pszText);
}

BOOL SECTreeBaseC::SetItemText(HTREEITEM hItem, int nColumn, LPCWSTR lpszText)
{
    if (nColumn > 0)
        return SECListBaseC::SetItemText(GetItemRow(hItem), nColumn, lpszText);
    TVITEMW item = {};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = hItem;
    item.pszText = const_cast<LPWSTR>(lpszText);
    return SetItem(&item);
}

int SECTreeBaseC::CompareItems(HTREEITEM hItem1, HTREEITEM hItem2)
{
    const CString str1 = GetItemText(hItem1);
    const CString str2 = GetItemText(hItem2);
    return ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, str1, str1.GetLength(), str2, str2.GetLength()) -
           CSTR_EQUAL;
}

int SECTreeBaseC::GetIndent() const
{
    return m_nIndent;
}

void SECTreeBaseC::SetIndent(int nIndent)
{
    // Kept even, so that the dotted lines of every level fall on the same grid.
    m_nIndent = (nIndent + 1) & ~1;
    if (m_hWnd != nullptr)
        Invalidate(TRUE);
}
} // namespace tarnwick::lists
