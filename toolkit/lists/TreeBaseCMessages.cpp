// The tree's window messages.
#include "TreeBaseC.h"
#include "ListView.h"

namespace tarnwick::lists
{
namespace
{
// The expand and collapse keys, which type-ahead never sees.
constexpr wchar_t kExpandChars[] = L"-_=+*";
} // namespace

template <class TListBase> void SECTreeBaseT<TListBase>::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!this->HasFocus())
        this->SetFocus();
    const HTREEITEM hOld = GetSelectedItem();
    UINT nHit = 0;
    const HTREEITEM hHit = HitTest(point, &nHit);
    if ((GetTreeStyle() & TVS_SINGLEEXPAND) && hOld != nullptr && hHit != nullptr)
    {
        TListBase::OnLButtonDown(nFlags, point);
        const HTREEITEM hNew = GetSelectedItem();
        if (hNew != hHit)
            return;
        if (hNew == hOld)
        {
            Expand(hHit, TVE_TOGGLE, TRUE, FALSE);
            return;
        }
        // A selection outside the old item's subtree closes it.
        if (IsItemExpanded(hOld) && !HandleToNode(hOld)->IsAncestorOf(HandleToNode(hNew)))
            Expand(hOld, TVE_COLLAPSE, TRUE, FALSE);
        Expand(hNew, TVE_EXPAND, TRUE, FALSE);
        return;
    }
    if (nHit & TVHT_ONITEMBUTTON)
        Expand(hHit, TVE_TOGGLE, TRUE, FALSE);
    else
        TListBase::OnLButtonDown(nFlags, point);
}

template <class TListBase> void SECTreeBaseT<TListBase>::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    TListBase::OnLButtonDblClk(nFlags, point);
    if (this->GetLastNotifyAnswer() != 0)
        return;
    UINT nHit = 0;
    const HTREEITEM hHit = HitTest(point, &nHit);
    if (nFlags & (MK_SHIFT | MK_CONTROL))
        return;
    if (hHit != nullptr && (nHit & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMBUTTON)))
        Expand(hHit, TVE_TOGGLE, TRUE, FALSE);
    this->m_pTip->Hide();
}

template <class TListBase> void SECTreeBaseT<TListBase>::OnTimer(UINT_PTR nIDEvent)
{
    OnHoverTimer(nIDEvent);
    TListBase::OnTimer(nIDEvent);
}

template <class TListBase> void SECTreeBaseT<TListBase>::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar != 0 && wcschr(kExpandChars, static_cast<wchar_t>(nChar)) != nullptr)
        return;
    TListBase::OnChar(nChar, nRepCnt, nFlags);
}

template <class TListBase> void SECTreeBaseT<TListBase>::OnDestroy()
{
    DeleteItem(TVI_ROOT);
    TListBase::OnDestroy();
}

template <class TListBase> void SECTreeBaseT<TListBase>::OnSize(UINT nType, int cx, int cy)
{
    TListBase::OnSize(nType, cx, cy);
    // Sized while still empty, the column follows too: a tree filled later shows its heading.
    if (this->GetItemCount() == 0)
        this->AutoFitColumns();
}

template class SECTreeBaseT<SECListCtrl>;
template class SECTreeBaseT<SECListView>;
} // namespace tarnwick::lists
