// The tree's column texts: the store that keeps them for every node, and the column
// insertions, deletions and moves that keep them in their columns.
#include "TreeBaseC.h"
#include "ListView.h"

#include <algorithm>

namespace tarnwick::lists
{
template <class TListBase> void SECTreeBaseT<TListBase>::EnableSubItemTextStorage(BOOL bEnable)
{
    if (bEnable && m_pTextStorage == nullptr)
        m_pTextStorage = new SECSubItemTextStorage;
    else if (!bEnable && m_pTextStorage != nullptr)
    {
        delete m_pTextStorage;
        m_pTextStorage = nullptr;
    }
}

template <class TListBase> BOOL SECTreeBaseT<TListBase>::HasSubItemTextStorage() const
{
    return m_pTextStorage != nullptr;
}

template <class TListBase>
BOOL SECTreeBaseT<TListBase>::InsertColumn(int nIndex, LPCWSTR lpszHeading, int nFormat, int nWidth, int nSubItem,
                                           int nImage, BOOL bRedraw)
{
    const int nCount = this->GetColumnCount();
    nIndex = std::clamp(nIndex, 0, nCount);
    if (nIndex == 0 && nCount > 0)
        nIndex = 1;
    const HTREEITEM hSelected = GetSelectedItem();
    if (!TListBase::InsertColumn(nIndex, lpszHeading, nFormat, nWidth, nSubItem, nImage, FALSE))
        return FALSE;
    // The rows' own texts moved with the list's columns; the store holds every node's.
    if (m_pTextStorage != nullptr && nIndex > 0)
        m_pTextStorage->InsertColumn(nIndex);
    if (hSelected != nullptr && GetSelectedItem() != hSelected)
        Select(hSelected, TVGN_CARET);
    if (bRedraw && this->m_hWnd != nullptr)
    {
        this->RecalcLayout();
        this->Invalidate(TRUE);
    }
    return TRUE;
}

template <class TListBase> BOOL SECTreeBaseT<TListBase>::DeleteColumn(int nIndex)
{
    const int nCount = this->GetColumnCount();
    if (nIndex < 0 || nIndex >= nCount || (nIndex == 0 && nCount > 1))
        return FALSE;
    const HTREEITEM hSelected = GetSelectedItem();
    if (m_pTextStorage != nullptr && nIndex > 0)
    {
        // The texts right of the column move one left; the last column's becomes empty.
        for (SECTreeNode* pNode = m_pRoot->GetFirstChild(); pNode != nullptr; pNode = pNode->GetNextNode())
        {
            const HTREEITEM hItem = static_cast<_Node*>(pNode)->m_item.hItem;
            if (!m_pTextStorage->GetSubItemText(hItem, nIndex, nullptr, 0))
                continue;
            m_pTextStorage->MoveColumn(hItem, nIndex, nCount - 1);
            m_pTextStorage->SetSubItemText(hItem, nCount - 1, L"");
        }
    }
    if (!TListBase::DeleteColumn(nIndex))
        return FALSE;
    if (this->m_hWnd == nullptr)
        return TRUE;
    if (this->GetColumnCount() > 0)
    {
        if (hSelected != nullptr && GetSelectedItem() != hSelected && HandleToNode(hSelected) != nullptr)
            Select(hSelected, TVGN_CARET);
        this->RecalcLayout();
    }
    this->Invalidate(TRUE);
    return TRUE;
}

template <class TListBase> void SECTreeBaseT<TListBase>::ColumnMoved(int nFrom, int nTo)
{
    TListBase::ColumnMoved(nFrom, nTo);
    if (m_pTextStorage == nullptr)
        return;
    for (SECTreeNode* pNode = m_pRoot->GetFirstChild(); pNode != nullptr; pNode = pNode->GetNextNode())
        m_pTextStorage->MoveColumn(static_cast<_Node*>(pNode)->m_item.hItem, nFrom, nTo);
}

template <class TListBase> void SECTreeBaseT<TListBase>::NotifyGetDispInfo(LVITEMW* pItem)
{
    const _Node* pNode = GetRowNode(pItem->iItem);
    if (m_pTextStorage != nullptr && pItem->iSubItem > 0 && (pItem->mask & LVIF_TEXT) && pNode != nullptr)
    {
        m_pTextStorage->GetSubItemText(pNode->m_item.hItem, pItem->iSubItem, pItem->pszText, pItem->cchTextMax);
        pItem->mask &= ~LVIF_TEXT;
        if (pItem->mask == 0)
            return;
    }
    TListBase::NotifyGetDispInfo(pItem);
}

template <class TListBase> void SECTreeBaseT<TListBase>::SetDispInfoHook(const LVITEMW& item)
{
    const _Node* pNode = GetRowNode(item.iItem);
    if (m_pTextStorage != nullptr && item.iSubItem > 0 && (item.mask & LVIF_TEXT) && pNode != nullptr)
        m_pTextStorage->SetSubItemText(pNode->m_item.hItem, item.iSubItem, item.pszText);
    else
        TListBase::SetDispInfoHook(item);
}

template <class TListBase> void SECTreeBaseT<TListBase>::GetTreeStyles(UINT& nStyle, UINT& nExStyle) const
{
    nStyle = GetTreeStyle();
    nExStyle = GetTreeExStyle();
}

template <class TListBase> void SECTreeBaseT<TListBase>::SetTreeStyles(UINT nStyle, UINT nExStyle, BOOL bRedraw)
{
    SetTreeStyle(nStyle, FALSE);
    SetTreeExStyle(nExStyle, bRedraw);
}

template <class TListBase>
void SECTreeBaseT<TListBase>::ModifyTreeStyles(UINT nRemove, UINT nAdd, UINT nRemoveEx, UINT nAddEx, BOOL bRedraw)
{
    SetTreeStyles((GetTreeStyle() & ~nRemove) | nAdd, (GetTreeExStyle() & ~nRemoveEx) | nAddEx, bRedraw);
}
template class SECTreeBaseT<SECListCtrl>;
template class SECTreeBaseT<SECListView>;
} // namespace tarnwick::lists
