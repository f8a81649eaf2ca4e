// The list core: its creation, items, selection and the client interface its parts ask.
#include "ListBaseC.h"

#include <algorithm>

namespace tarnwick::lists
{
namespace
{
constexpr int kTextBufferSize = SECListBaseC::TextBufferSize;
constexpr UINT kIndexStates = LVIS_SELECTED | LVIS_FOCUSED | LVIS_DROPHILITED;

CString LowerText(LPCWSTR psz)
{
    CString str(psz);
    if (!str.IsEmpty())
        CharLowerBuffW(str.GetBuffer(), static_cast<DWORD>(str.GetLength()));
    str.ReleaseBuffer();
    return str;
}
} // namespace

IMPLEMENT_DYNAMIC(SECListBaseC, CWnd)

template <class TWndBase>
SECListBaseT<TWndBase>::SECListBaseT()
    : m_pszTextBuffer(new WCHAR[kTextBufferSize]), m_pTip(new SECListTip(this)), m_pEdit(new SECListEdit(this))
{
    m_pszTextBuffer[0] = L'\0';
    m_bTrackSysColors = TRUE;
    LoadColors();
    m_bTrackSysColors = FALSE;
}

template <class TWndBase> SECListBaseT<TWndBase>::~SECListBaseT()
{
    delete m_pTip;
    delete m_pEdit;
    delete[] m_pszTextBuffer;
    ReleaseMeasuringContext();
    // A control used without a window still owns its records.
    for (INT_PTR i = 0; i < m_items.GetSize(); i++)
        delete static_cast<SECListItem*>(m_items[i]);
    for (INT_PTR i = 0; i < m_columns.GetSize(); i++)
        delete static_cast<SECListColumn*>(m_columns[i]);
}

template <class TWndBase>
BOOL SECListBaseT<TWndBase>::Create(LPCTSTR, LPCTSTR, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                                    CCreateContext* pContext)
{
    return CreateFromRect(dwStyle, 0, rect, pParentWnd, nID, pContext);
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::CreateFromDlgItem(UINT nID, CWnd* pParentWnd)
{
    CWnd* pItem = pParentWnd != nullptr ? pParentWnd->GetDlgItem(static_cast<int>(nID)) : nullptr;
    if (pItem == nullptr)
        return FALSE;
    const DWORD dwStyle = pItem->GetStyle() | WS_BORDER;
    const DWORD dwExStyle = pItem->GetExStyle();
    CRect rect;
    pItem->GetWindowRect(&rect);
    pParentWnd->ScreenToClient(&rect);
    pItem->DestroyWindow();
    return CreateFromRect(dwStyle, dwExStyle, rect, pParentWnd, nID);
}

template <class TWndBase>
BOOL SECListBaseT<TWndBase>::CreateFromRect(DWORD dwStyle, DWORD dwExStyle, const RECT& rect, CWnd* pParentWnd,
                                            UINT nID, CCreateContext* pContext)
{
    return this->CreateEx(dwExStyle, nullptr, nullptr, dwStyle, rect.left, rect.top, rect.right - rect.left,
                          rect.bottom - rect.top, pParentWnd != nullptr ? pParentWnd->GetSafeHwnd() : nullptr,
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), pContext);
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!TWndBase::PreCreateWindow(cs))
        return FALSE;
    ApplyCreateStyles(cs);
    return TRUE;
}

template <class TWndBase> void SECListBaseT<TWndBase>::ApplyCreateStyles(CREATESTRUCT& cs)
{
    ModifyListStyle(0, cs.style & LVS_SEC_STYLEMASK, FALSE);
    m_nListStyleEx |= cs.dwExStyle & LVXS_STYLEMASK;
    cs.style &= ~static_cast<LONG>(LVS_SEC_STYLEMASK);
    cs.dwExStyle &= ~static_cast<DWORD>(LVXS_STYLEMASK);
}

// ---- Items ----

template <class TWndBase> int SECListBaseT<TWndBase>::InsertItem(const LVITEMW* pItem)
{
    LVITEMW item = *pItem;
    item.iItem = std::clamp(item.iItem, 0, GetItemCount());
    item.iSubItem = 0;
    InsertItemRecord(item.iItem, CreateItem());
    SetItem(&item, m_bRedraw);
    RepaintIfRedrawing();
    return item.iItem;
}

template <class TWndBase>
int SECListBaseT<TWndBase>::InsertItemEx(UINT nMask, int nItem, LPCWSTR lpszItem, UINT nState, UINT nStateMask,
                                         int nImage, LPARAM lParam)
{
    LVITEMW item = {};
    item.mask = nMask;
    item.iItem = nItem;
    item.pszText = const_cast<LPWSTR>(lpszItem);
    item.state = nState;
    item.stateMask = nStateMask;
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(&item);
}

template <class TWndBase> int SECListBaseT<TWndBase>::InsertItemImage(int nItem, LPCWSTR lpszItem, int nImage)
{
    return InsertItemEx(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0);
}

template <class TWndBase> int SECListBaseT<TWndBase>::InsertItemText(int nItem, LPCWSTR lpszItem)
{
    return InsertItemEx(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0);
}

template <class TWndBase> int SECListBaseT<TWndBase>::InsertItemAfter(SECListItem* pAfter, LVITEMW* pItem)
{
    if (pAfter == nullptr)
        pItem->iItem = 0;
    else if (const int nIndex = FindItemIndex(pAfter); nIndex >= 0)
        pItem->iItem = nIndex + 1;
    return InsertItem(pItem);
}

template <class TWndBase> int SECListBaseT<TWndBase>::InsertItemBeforeRecord(SECListItem* pBefore, LVITEMW* pItem)
{
    // At the found record's own index, so that the new item lands before it.
    if (const int nIndex = FindItemIndex(pBefore); nIndex >= 0)
        pItem->iItem = nIndex;
    return InsertItem(pItem);
}

template <class TWndBase> void SECListBaseT<TWndBase>::ShiftIndexesForInsert(int nIndex)
{
    if (m_nFocusItem >= nIndex)
        m_nFocusItem++;
    if (m_nDropItem >= nIndex)
        m_nDropItem++;
    INT_PTR nPos = 0;
    FindSelected(nIndex, nPos);
    for (; nPos < m_selection.GetSize(); nPos++)
        m_selection[nPos]++;
}

template <class TWndBase> int SECListBaseT<TWndBase>::InsertItemRecord(int nIndex, SECListItem* pItem)
{
    nIndex = std::clamp(nIndex, 0, GetItemCount());
    m_items.InsertAt(nIndex, pItem);
    ShiftIndexesForInsert(nIndex);
    if (m_nFocusItem == -1)
        SelectItem(0, TRUE);
    while (pItem->m_subItems.GetSize() < GetColumnCount() - 1)
        pItem->m_subItems.Add(new SECListSubItem);
    return nIndex;
}

template <class TWndBase> SECListItem* SECListBaseT<TWndBase>::CreateItem()
{
    auto* pItem = new SECListItem;
    InitItem(pItem);
    return pItem;
}

template <class TWndBase> void SECListBaseT<TWndBase>::InitItem(SECListItem* pItem)
{
    AddSubItems(pItem);
}

template <class TWndBase> void SECListBaseT<TWndBase>::AddSubItems(SECListItem* pItem)
{
    for (int i = 0; i < m_nSubItemColumns; i++)
        pItem->m_subItems.Add(new SECListSubItem);
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::DeleteItem(int nIndex, int nCount)
{
    const int nItems = GetItemCount();
    if (nIndex < 0 || nIndex >= nItems)
        return FALSE;
    nCount = std::clamp(nCount, 1, nItems - nIndex);
    RedrawItemRows(std::max(nIndex - 1, 0), FALSE, TRUE, TRUE, FALSE);
    NotifyDeleteItem(nIndex);

    for (int i = nIndex; i < nIndex + nCount; i++)
        delete static_cast<SECListItem*>(m_items[i]);
    m_items.RemoveAt(nIndex, nCount);
    const int nNewCount = GetItemCount();
    const int nRunEnd = nIndex + nCount; // first index past the deleted run
    m_nTopIndex = std::min(m_nTopIndex, nNewCount);

    if (m_nFocusItem >= nRunEnd)
        m_nFocusItem -= nCount;
    else if (m_nFocusItem > nIndex || m_nFocusItem >= nNewCount)
        m_nFocusItem = nIndex - 1;
    if (m_nDropItem >= nRunEnd)
        m_nDropItem -= nCount;
    else if (m_nDropItem > nIndex)
        m_nDropItem = nIndex - 1;

    for (INT_PTR nPos = m_selection.GetSize() - 1; nPos >= 0 && static_cast<int>(m_selection[nPos]) >= nIndex; nPos--)
    {
        if (static_cast<int>(m_selection[nPos]) < nRunEnd)
            m_selection.RemoveAt(nPos);
        else
            m_selection[nPos] -= nCount;
    }
    if (m_selection.GetSize() == 0 && m_nFocusItem >= 0)
        SelectItem(m_nFocusItem, TRUE);
    UpdateScrollState();
    return TRUE;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::DeleteItemRecord(SECListItem* pItem)
{
    return DeleteItem(FindItemIndex(pItem), 1);
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::DeleteAllItems()
{
    if (m_nEditDelayTimer != 0 && m_hWnd != nullptr)
        KillTimer(m_nEditDelayTimer);
    m_nEditDelayTimer = 0;
    for (INT_PTR i = 0; i < m_items.GetSize(); i++)
        delete static_cast<SECListItem*>(m_items[i]);
    m_items.RemoveAll();
    m_selection.RemoveAll();
    m_nTopIndex = 0;
    m_nFocusItem = -1;
    UpdateScrollState();
    if (m_hWnd != nullptr)
        Invalidate(TRUE);
    return TRUE;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::GetItem(LVITEMW* pItem, BOOL bCopyText, BOOL bAskOwner)
{
    const SECListItem* pRecord = GetItemAt(pItem->iItem);
    if (pRecord == nullptr)
        return FALSE;
    UINT nWanted = 0;
    if (pItem->mask & LVIF_TEXT)
    {
        const SECListSubItem* pSub = pItem->iSubItem > 0 ? pRecord->GetSubItem(pItem->iSubItem) : nullptr;
        if (pItem->iSubItem == 0 || pSub != nullptr)
        {
            LPWSTR pszStored = pItem->iSubItem == 0 ? pRecord->m_pszText : pSub->m_pszText;
            if (pszStored == LPSTR_TEXTCALLBACKW)
            {
                nWanted |= LVIF_TEXT;
                if (!bAskOwner)
                    pItem->pszText = LPSTR_TEXTCALLBACKW;
            }
            else if (bCopyText)
                CopyTextTerminated(pItem->pszText, pItem->cchTextMax, pszStored);
            else
                pItem->pszText = pszStored != nullptr ? pszStored : const_cast<LPWSTR>(L"");
        }
    }
    if (pItem->mask & LVIF_IMAGE)
    {
        const SECListSubItem* pSub = pItem->iSubItem > 0 ? pRecord->GetSubItem(pItem->iSubItem) : nullptr;
        pItem->iImage = pSub != nullptr ? pSub->m_iImage : pRecord->m_iImage;
        if (pItem->iImage == I_IMAGECALLBACK)
            nWanted |= LVIF_IMAGE;
    }
    if (pItem->mask & LVIF_STATE)
    {
        if (m_nCallbackMask != 0)
            nWanted |= LVIF_STATE;
        else
        {
            UINT nState = pRecord->m_state & ~kIndexStates;
            if (IsItemSelected(pItem->iItem))
                nState |= LVIS_SELECTED;
            if (pItem->iItem == m_nFocusItem)
                nState |= LVIS_FOCUSED;
            if (pItem->iItem == m_nDropItem)
                nState |= LVIS_DROPHILITED;
            pItem->state = nState & pItem->stateMask;
        }
    }
    if ((pItem->mask & LVIF_PARAM) || nWanted != 0)
        pItem->lParam = pRecord->m_lParam;
    if (bAskOwner && nWanted != 0)
    {
        LVITEMW asked = *pItem;
        asked.mask = nWanted;
        if (nWanted & LVIF_TEXT)
        {
            m_pszTextBuffer[0] = L'\0';
            asked.pszText = m_pszTextBuffer;
            asked.cchTextMax = kTextBufferSize;
        }
        NotifyGetDispInfo(&asked);
        if (nWanted & LVIF_TEXT)
        {
            // The owner may fill the buffer or point at its own text.
            if (bCopyText)
                CopyTextTerminated(pItem->pszText, pItem->cchTextMax, asked.pszText);
            else
                pItem->pszText = asked.pszText;
        }
        if (nWanted & LVIF_IMAGE)
            pItem->iImage = asked.iImage;
        if (nWanted & LVIF_STATE)
            pItem->state = asked.state & pItem->stateMask;
        // An owner that asks to keep its answer is not asked again; a state kept by the owner
        // (the callback mask) stays with it.
        if (asked.mask & LVIF_DI_SETITEM)
        {
            asked.mask = (nWanted & (LVIF_TEXT | LVIF_IMAGE)) | LVIF_DI_SETITEM;
            SetItem(&asked, FALSE);
        }
    }
    return TRUE;
}

template <class TWndBase> void SECListBaseT<TWndBase>::NotifyGetDispInfo(LVITEMW* pItem)
{
    NMLVDISPINFOW info = {};
    info.hdr.code = LVN_GETDISPINFOW;
    info.item = *pItem;
    Notify(&info.hdr);
    *pItem = info.item;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::SetItem(const LVITEMW* pItem, BOOL bRedraw)
{
    SECListItem* pRecord = GetItemAt(pItem->iItem);
    if (pRecord == nullptr)
        return FALSE;
    SECListSubItem* pSub = pItem->iSubItem > 0 ? pRecord->GetSubItem(pItem->iSubItem) : nullptr;
    if (pItem->iSubItem > 0 && pSub == nullptr)
        return FALSE;
    const bool bKeepCallbacks = (pItem->mask & LVIF_DI_SETITEM) == 0;
    UINT nToldOwner = 0;
    if (pItem->mask & LVIF_TEXT)
    {
        // The callback marker always goes to the item's own text.
        LPWSTR& pszStored =
            pSub != nullptr && pItem->pszText != LPSTR_TEXTCALLBACKW ? pSub->m_pszText : pRecord->m_pszText;
        if (pszStored == LPSTR_TEXTCALLBACKW && pItem->pszText != LPSTR_TEXTCALLBACKW && bKeepCallbacks)
            nToldOwner |= LVIF_TEXT;
        else
        {
            FreeListText(pszStored);
            pszStored = CopyListText(pItem->pszText);
        }
        MarkForMeasuring(pRecord);
    }
    if (pItem->mask & LVIF_IMAGE)
    {
        int& iStored = pSub != nullptr ? pSub->m_iImage : pRecord->m_iImage;
        if (iStored == I_IMAGECALLBACK && pItem->iImage != I_IMAGECALLBACK && bKeepCallbacks)
            nToldOwner |= LVIF_IMAGE;
        else
            iStored = pItem->iImage;
    }
    if ((pItem->mask & LVIF_STATE) && pSub == nullptr)
    {
        const UINT nMask = pItem->stateMask;
        if (nMask & LVIS_SELECTED)
            SetItemSelected(pItem->iItem, (pItem->state & LVIS_SELECTED) != 0);
        if (nMask & LVIS_FOCUSED)
        {
            if (pItem->state & LVIS_FOCUSED)
                m_nFocusItem = pItem->iItem;
            else if (m_nFocusItem == pItem->iItem)
                m_nFocusItem = -1;
        }
        if (nMask & LVIS_DROPHILITED)
        {
            if (pItem->state & LVIS_DROPHILITED)
                m_nDropItem = pItem->iItem;
            else if (m_nDropItem == pItem->iItem)
                m_nDropItem = -1;
        }
        const UINT nStored = nMask & ~kIndexStates;
        pRecord->m_state = (pRecord->m_state & ~nStored) | (pItem->state & nStored);
    }
    if ((pItem->mask & LVIF_PARAM) && pSub == nullptr)
        pRecord->m_lParam = pItem->lParam;
    if (nToldOwner != 0)
    {
        LVITEMW reported = *pItem;
        reported.mask = nToldOwner;
        SetDispInfoHook(reported);
    }
    if (bRedraw && m_hWnd != nullptr && pItem->iItem != m_nEditItem && (pItem->mask & (LVIF_TEXT | LVIF_STATE)))
        RedrawItemRows(pItem->iItem, FALSE, TRUE, FALSE, FALSE);
    return TRUE;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::SetItemText(int nItem, int nSubItem, LPCWSTR lpszText)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPWSTR>(lpszText);
    return SetItem(&item, m_bRedraw);
}

template <class TWndBase> int SECListBaseT<TWndBase>::GetItemText(int nItem, int nSubItem, LPWSTR lpszText, int nLen)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.pszText = lpszText;
    item.cchTextMax = nLen;
    CopyTextTerminated(lpszText, nLen, L"");
    if (!GetItem(&item, TRUE, TRUE) || nLen <= 0)
        return 0;
    return static_cast<int>(wcslen(lpszText));
}

template <class TWndBase> CString SECListBaseT<TWndBase>::GetItemText(int nItem, int nSubItem)
{
    GetItemText(nItem, nSubItem, m_pszTextBuffer, kTextBufferSize);
    return CString(m_pszTextBuffer);
}

template <class TWndBase> LPARAM SECListBaseT<TWndBase>::GetItemParam(const SECListItem* pItem) const
{
    return pItem != nullptr ? pItem->m_lParam : 0;
}

template <class TWndBase> int SECListBaseT<TWndBase>::GetItemCount() const
{
    return static_cast<int>(m_items.GetSize());
}

template <class TWndBase> SECListItem* SECListBaseT<TWndBase>::GetItemAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetItemCount())
        return nullptr;
    return static_cast<SECListItem*>(m_items[nIndex]);
}

template <class TWndBase> int SECListBaseT<TWndBase>::FindItemIndex(const SECListItem* pItem) const
{
    for (int i = 0; i < GetItemCount(); i++)
        if (m_items[i] == pItem)
            return i;
    return -1;
}

template <class TWndBase> int SECListBaseT<TWndBase>::GetSubItemColumnCount() const
{
    return m_nSubItemColumns;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::SetItemImage(int nIndex, int nImage)
{
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = nIndex;
    item.iImage = nImage;
    return SetItem(&item, m_bRedraw);
}

template <class TWndBase> int SECListBaseT<TWndBase>::GetItemImage(int nIndex) const
{
    const SECListItem* pItem = GetItemAt(nIndex);
    return pItem != nullptr ? pItem->m_iImage : 0;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::SetItemStateByIndex(int nIndex, UINT nState, UINT nMask)
{
    LVITEMW item = {};
    item.mask = LVIF_STATE;
    item.iItem = nIndex;
    item.state = nState;
    item.stateMask = nMask;
    return SetItem(&item, m_bRedraw);
}

template <class TWndBase> UINT SECListBaseT<TWndBase>::GetItemStateByIndex(int nIndex, UINT nMask) const
{
    const SECListItem* pItem = GetItemAt(nIndex);
    if (pItem == nullptr)
        return 0;
    UINT nState = pItem->m_state & ~kIndexStates;
    if (IsItemSelected(nIndex))
        nState |= LVIS_SELECTED;
    if (nIndex == m_nFocusItem)
        nState |= LVIS_FOCUSED;
    if (nIndex == m_nDropItem)
        nState |= LVIS_DROPHILITED;
    return nState & nMask;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::SetItemSelected(int nIndex, BOOL bSelect)
{
    if (GetItemAt(nIndex) == nullptr)
        return FALSE;
    if (bSelect && !IsMultiSelect())
        DeselectAllBut(nIndex);
    INT_PTR nPos = 0;
    const BOOL bFound = FindSelected(nIndex, nPos);
    if (bSelect && !bFound)
        m_selection.InsertAt(nPos, static_cast<DWORD>(nIndex));
    else if (!bSelect && bFound)
        m_selection.RemoveAt(nPos);
    return TRUE;
}

template <class TWndBase> int SECListBaseT<TWndBase>::GetNextItem(int nStart, UINT nFlags) const
{
    UINT nFilter = 0;
    if (nFlags & LVNI_SELECTED)
        nFilter |= LVIS_SELECTED;
    if (nFlags & LVNI_FOCUSED)
        nFilter |= LVIS_FOCUSED;
    if (nFlags & LVNI_DROPHILITED)
        nFilter |= LVIS_DROPHILITED;
    if (nFlags & LVNI_CUT)
        nFilter |= LVIS_CUT;
    int nStep;
    if (nFlags & (LVNI_ABOVE | LVNI_TOLEFT))
        nStep = -1;
    else if ((nFlags & ~0xFu) == 0 || (nFlags & (LVNI_BELOW | LVNI_TORIGHT)))
        nStep = 1;
    else
        return -1;
    const int nCount = GetItemCount();
    for (int i = nStart + nStep; i >= 0 && i < nCount; i += nStep)
    {
        if (nFilter == 0 || GetItemStateByIndex(i, nFilter) != 0)
            return i;
    }
    return -1;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::UsesCallbacks(int nItem) const
{
    const SECListItem* pItem = GetItemAt(nItem);
    if (pItem == nullptr || GetColumnCount() == 0)
        return FALSE;
    if (pItem->m_pszText == LPSTR_TEXTCALLBACKW || pItem->m_iImage == I_IMAGECALLBACK || m_nCallbackMask != 0 ||
        m_nExCallbackMask != 0)
        return TRUE;
    for (int i = 0; i < GetColumnCount(); i++)
    {
        const SECListSubItem* pSub = pItem->GetSubItem(GetColumn(i)->iSubItem);
        if (pSub != nullptr && pSub->m_pszText == LPSTR_TEXTCALLBACKW)
            return TRUE;
    }
    return FALSE;
}

template <class TWndBase> int SECListBaseT<TWndBase>::FindItemPrefix(int nStart, LPCWSTR lpszPrefix)
{
    const int nCount = GetItemCount();
    if (nCount == 0)
        return -1;
    // A start outside the items (a focus of -1) counts as the first; at most one round.
    int nItem = nStart >= 0 && nStart < nCount ? nStart : 0;
    const CString strPrefix = LowerText(lpszPrefix);
    for (int nProbe = 0; nProbe < nCount; nProbe++)
    {
        if (LowerText(GetItemText(nItem, 0)).Left(strPrefix.GetLength()) == strPrefix)
            return nItem;
        nItem = GetNextItem(nItem, LVNI_BELOW);
        if (nItem == -1)
            nItem = 0;
    }
    return -1;
}

template <class TWndBase> UINT SECListBaseT<TWndBase>::GetCallbackMask() const
{
    return m_nCallbackMask;
}

template <class TWndBase> void SECListBaseT<TWndBase>::SetCallbackMask(UINT nMask)
{
    m_nCallbackMask = nMask;
}

template <class TWndBase> UINT SECListBaseT<TWndBase>::GetExCallbackMask() const
{
    return m_nExCallbackMask;
}

template <class TWndBase> void SECListBaseT<TWndBase>::SetExCallbackMask(UINT nMask)
{
    m_nExCallbackMask = nMask;
}

template <class TWndBase>
BOOL SECListBaseT<TWndBase>::SetItemFields(int nItem, int nSubItem, UINT nMask, LPCWSTR lpszText, int nImage,
                                           UINT nState, UINT nStateMask, LPARAM lParam)
{
    LVITEMW item = {};
    item.mask = nMask;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPWSTR>(lpszText);
    item.iImage = nImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item, TRUE);
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::SetItemExState(int nItem, UINT nState, UINT nMask)
{
    SECListItem* pItem = GetItemAt(nItem);
    if (pItem == nullptr)
        return FALSE;
    pItem->m_exState = (pItem->m_exState & ~nMask) | (nState & nMask);
    return TRUE;
}

template <class TWndBase> UINT SECListBaseT<TWndBase>::GetItemExState(int nItem, UINT nMask) const
{
    const SECListItem* pItem = GetItemAt(nItem);
    return pItem != nullptr ? pItem->m_exState & nMask : 0;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::DeleteAllSubItems(SECListItem* pItem)
{
    while (pItem->m_subItems.GetSize() > 0)
    {
        delete static_cast<SECListSubItem*>(pItem->m_subItems[0]);
        pItem->m_subItems.RemoveAt(0);
    }
    return TRUE;
}

// ---- Selection ----

template <class TWndBase> int SECListBaseT<TWndBase>::GetSelectedCount() const
{
    return static_cast<int>(m_selection.GetSize());
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::FindSelected(int nIndex, INT_PTR& nPos) const
{
    // The selection is ascending: nPos is the first entry at or past nIndex.
    const DWORD* pBegin = m_selection.GetData();
    const DWORD* pEnd = pBegin + m_selection.GetSize();
    const DWORD* pFound = nIndex < 0 ? pBegin : std::lower_bound(pBegin, pEnd, static_cast<DWORD>(nIndex));
    nPos = pFound - pBegin;
    return nIndex >= 0 && pFound != pEnd && *pFound == static_cast<DWORD>(nIndex);
}

template <class TWndBase> void SECListBaseT<TWndBase>::DeselectAllBut(int nIndex)
{
    const BOOL bKeep = IsItemSelected(nIndex);
    m_selection.RemoveAll();
    if (bKeep)
        m_selection.Add(static_cast<DWORD>(nIndex));
}

template <class TWndBase> void SECListBaseT<TWndBase>::SelectRange(int nFrom, int nTo, BOOL bSelect)
{
    if (nFrom > nTo)
        std::swap(nFrom, nTo);
    for (int i = nFrom; i <= nTo; i++)
        SetItemSelected(i, bSelect);
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::SelectItem(int nIndex, BOOL bSelect)
{
    if (!IsMultiSelect())
        DeselectAllBut(nIndex);
    if (GetItemAt(nIndex) != nullptr)
    {
        m_nFocusItem = nIndex;
        if (bSelect)
            SetItemSelected(nIndex, TRUE);
    }
    m_nAnchorItem = m_nFocusItem;
    return TRUE;
}

template <class TWndBase> void SECListBaseT<TWndBase>::FocusItem(int nIndex)
{
    m_nFocusItem = GetItemAt(nIndex) != nullptr ? nIndex : -1;
    m_nAnchorItem = m_nFocusItem;
}

template <class TWndBase> int SECListBaseT<TWndBase>::GetFocusItem() const
{
    return m_nFocusItem;
}

template <class TWndBase> void SECListBaseT<TWndBase>::SetDropHilite(int nIndex)
{
    m_nDropItem = GetItemAt(nIndex) != nullptr ? nIndex : -1;
}

template <class TWndBase> int SECListBaseT<TWndBase>::GetDropHilite() const
{
    return m_nDropItem;
}

template <class TWndBase> int SECListBaseT<TWndBase>::GetAnchorItem() const
{
    return m_nAnchorItem;
}

template <class TWndBase> int SECListBaseT<TWndBase>::GetTopIndex() const
{
    return m_nTopIndex;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::HasFocus() const
{
    return m_hWnd != nullptr && ::GetFocus() == m_hWnd;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::IsReportMode() const
{
    return (m_nListStyle & LVS_SEC_VIEWMASK) == LVS_SEC_REPORT;
}

// ---- Client interface ----

template <class TWndBase> HWND SECListBaseT<TWndBase>::GetWnd() const
{
    return m_hWnd;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::IsLabelWrap() const
{
    return (m_nListStyle & LVS_SEC_NOLABELWRAP) == 0;
}

template <class TWndBase> int SECListBaseT<TWndBase>::GetColumnSubItem(int iColumn) const
{
    const SECListColumn* pColumn = GetColumn(iColumn);
    return pColumn != nullptr ? pColumn->iSubItem : -1;
}

template <class TWndBase> CString SECListBaseT<TWndBase>::GetItemTextString(int iItem, int iSubItem)
{
    return GetItemText(iItem, iSubItem);
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::IsItemSelected(int iItem) const
{
    INT_PTR nPos = 0;
    return iItem != -1 && FindSelected(iItem, nPos);
}

template <class TWndBase> COLORREF SECListBaseT<TWndBase>::GetSelTextColor() const
{
    return m_colors[colorSelText];
}

template <class TWndBase> COLORREF SECListBaseT<TWndBase>::GetSelBkColor() const
{
    return m_colors[colorSelBk];
}

template <class TWndBase> COLORREF SECListBaseT<TWndBase>::GetTipTextColor() const
{
    return m_colors[colorTipText];
}

template <class TWndBase> COLORREF SECListBaseT<TWndBase>::GetTipBkColor() const
{
    return m_colors[colorTipBk];
}

// ---- Notifications and repainting ----

template <class TWndBase> LRESULT SECListBaseT<TWndBase>::NotifyItem(UINT nCode, int nItem, int nSubItem) const
{
    NMLISTVIEW nm = {};
    nm.hdr.code = nCode;
    nm.iItem = nItem;
    nm.iSubItem = nSubItem;
    nm.ptAction.x = -1;
    nm.ptAction.y = -1;
    const SECListItem* pItem = GetItemAt(nItem);
    nm.lParam = pItem != nullptr ? pItem->m_lParam : 0;
    return Notify(&nm.hdr);
}

template <class TWndBase> void SECListBaseT<TWndBase>::SetDispInfoHook(const LVITEMW&)
{
    // The plain list keeps callback fields with the owner; the tree tells it here.
}

template <class TWndBase> void SECListBaseT<TWndBase>::RepaintIfRedrawing()
{
    if (m_bRedraw && m_hWnd != nullptr)
    {
        UpdateScrollState();
        Invalidate(TRUE);
    }
}
template class SECListBaseT<CWnd>;
template class SECListBaseT<CView>;
} // namespace tarnwick::lists
