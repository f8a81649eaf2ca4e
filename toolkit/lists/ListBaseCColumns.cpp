// The list core's columns: inserting, describing and deleting them, and fitting their widths to
// the window.
#include "ListBaseC.h"

#include <algorithm>

namespace tarnwick::lists
{
namespace
{
constexpr int kMinMainColumn = 20;
} // namespace

template <class TWndBase>
BOOL SECListBaseT<TWndBase>::InsertColumn(int nIndex, LPCWSTR lpszHeading, int nFormat, int nWidth, int /*nSubItem*/,
                                          int nImage, BOOL bRedraw)
{
    auto* pColumn = new SECListColumn;
    pColumn->strHeading = lpszHeading;
    pColumn->fmt = nFormat;
    pColumn->cx = nWidth;
    pColumn->iImage = nImage;
    return InsertColumnRecord(nIndex, pColumn, bRedraw);
}

template <class TWndBase>
BOOL SECListBaseT<TWndBase>::InsertColumnByLV(int nIndex, const LVCOLUMNW* pColumn, BOOL bRedraw)
{
    const UINT nMask = pColumn->mask;
    return InsertColumn(nIndex, (nMask & LVCF_TEXT) ? pColumn->pszText : L"", (nMask & LVCF_FMT) ? pColumn->fmt : 0,
                        (nMask & LVCF_WIDTH) ? pColumn->cx : -1, (nMask & LVCF_SUBITEM) ? pColumn->iSubItem : -1,
                        (nMask & LVCF_IMAGE) ? pColumn->iImage : -1, bRedraw);
}

template <class TWndBase>
BOOL SECListBaseT<TWndBase>::InsertColumnRecord(int nIndex, SECListColumn* pColumn, BOOL bRedraw)
{
    nIndex = std::clamp(nIndex, 0, GetColumnCount());
    EndLabelEdit(TRUE);
    m_pTip->Hide();
    if (nIndex == 0)
    {
        pColumn->fmt = 0;
        pColumn->iSubItem = 0;
    }
    m_columns.InsertAt(nIndex, pColumn);
    const bool bMiddle = nIndex < GetColumnCount() - 1;
    if (pColumn->iSubItem == -1 || pColumn->iSubItem > m_nSubItemColumns)
    {
        pColumn->iSubItem = nIndex;
        // One blank sub-item per item; the later sub-items move one place on.
        for (INT_PTR i = 0; i < m_items.GetSize(); i++)
        {
            auto* pItem = static_cast<SECListItem*>(m_items[i]);
            pItem->m_subItems.InsertAt(std::min<INT_PTR>(std::max(nIndex - 1, 0), pItem->m_subItems.GetSize()),
                                       new SECListSubItem);
        }
        m_nSubItemColumns++;
    }
    if (pColumn->cx == -1)
        pColumn->cx = 10;
    if (bMiddle)
    {
        for (int i = nIndex + 1; i < GetColumnCount(); i++)
            GetColumn(i)->iSubItem++;
    }
    if (bRedraw && m_bRedraw && m_hWnd != nullptr)
    {
        if (HasListStyleEx(LVXS_FITCOLUMNS))
            FitColumnsToWidth();
        RecalcLayout();
        Invalidate(TRUE);
    }
    return TRUE;
}

template <class TWndBase>
BOOL SECListBaseT<TWndBase>::AddColumn(LPCWSTR lpszHeading, int nFormat, int nWidth, int nSubItem, int nImage)
{
    return InsertColumn(GetColumnCount(), lpszHeading, nFormat, nWidth, nSubItem, nImage, TRUE);
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::AddColumnRecord(SECListColumn* pColumn)
{
    return InsertColumnRecord(GetColumnCount(), pColumn, TRUE);
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::AddColumnByLV(const LVCOLUMNW* pColumn)
{
    return InsertColumnByLV(GetColumnCount(), pColumn, TRUE);
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::GetColumnByLV(int nIndex, LVCOLUMNW* pColumn) const
{
    const SECListColumn* pRecord = GetColumn(nIndex);
    if (pRecord == nullptr)
        return FALSE;
    if (pColumn->mask & LVCF_TEXT)
        CopyTextTerminated(pColumn->pszText, pColumn->cchTextMax, pRecord->strHeading);
    if (pColumn->mask & LVCF_FMT)
        pColumn->fmt = pRecord->fmt;
    if (pColumn->mask & LVCF_SUBITEM)
        pColumn->iSubItem = pRecord->iSubItem;
    if (pColumn->mask & LVCF_WIDTH)
        pColumn->cx = pRecord->cx;
    if (pColumn->mask & LVCF_IMAGE)
        pColumn->iImage = pRecord->iImage;
    return TRUE;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::SetColumnByLV(int nIndex, const LVCOLUMNW* pColumn, BOOL bRedraw)
{
    SECListColumn* pRecord = GetColumn(nIndex);
    if (pRecord == nullptr)
        return FALSE;
    if (pColumn->mask & LVCF_TEXT)
        pRecord->strHeading = pColumn->pszText;
    if (pColumn->mask & LVCF_FMT)
        pRecord->fmt = pColumn->fmt;
    if (pColumn->mask & LVCF_SUBITEM)
        pRecord->iSubItem = pColumn->iSubItem;
    if (pColumn->mask & LVCF_WIDTH)
        pRecord->cx = pColumn->cx;
    if (pColumn->mask & LVCF_IMAGE)
        pRecord->iImage = pColumn->iImage;
    if (bRedraw && m_hWnd != nullptr)
    {
        RecalcLayout();
        if (HasListStyleEx(LVXS_FITCOLUMNS))
            FitColumnsToWidth();
        Invalidate(TRUE);
    }
    return TRUE;
}

template <class TWndBase> SECListColumn* SECListBaseT<TWndBase>::GetColumn(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetColumnCount())
        return nullptr;
    return static_cast<SECListColumn*>(m_columns[nIndex]);
}

template <class TWndBase> int SECListBaseT<TWndBase>::GetColumnCount() const
{
    return static_cast<int>(m_columns.GetSize());
}

template <class TWndBase> int SECListBaseT<TWndBase>::GetColumnWidth(int nIndex) const
{
    if (GetColumnCount() == 0 && m_hWnd != nullptr)
    {
        CRect rc;
        GetListClientRect(rc);
        return rc.Width();
    }
    const SECListColumn* pColumn = GetColumn(nIndex);
    return pColumn != nullptr ? pColumn->cx : 0;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::SetColumnWidth(int nIndex, int nWidth)
{
    SECListColumn* pColumn = GetColumn(nIndex);
    if (pColumn == nullptr)
        return FALSE;
    pColumn->cx = nWidth;
    RepaintIfRedrawing();
    return TRUE;
}

template <class TWndBase> int SECListBaseT<TWndBase>::GetColumnFormat(int nIndex) const
{
    const SECListColumn* pColumn = GetColumn(nIndex);
    return pColumn != nullptr ? pColumn->fmt : 0;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::SetColumnHeading(int nIndex, LPCWSTR lpszHeading)
{
    SECListColumn* pColumn = GetColumn(nIndex);
    if (pColumn == nullptr)
        return FALSE;
    pColumn->strHeading = lpszHeading;
    RepaintIfRedrawing();
    return TRUE;
}

template <class TWndBase> CString SECListBaseT<TWndBase>::GetColumnHeading(int nIndex) const
{
    const SECListColumn* pColumn = GetColumn(nIndex);
    return pColumn != nullptr ? pColumn->strHeading : CString();
}

template <class TWndBase> int SECListBaseT<TWndBase>::GetColumnLeft(int nIndex) const
{
    int nLeft = 0;
    for (int i = 0; i < nIndex && i < GetColumnCount(); i++)
        nLeft += GetColumn(i)->cx;
    return nLeft - m_nHScrollOffset;
}

template <class TWndBase> int SECListBaseT<TWndBase>::GetColumnRight(int nIndex) const
{
    return GetColumnLeft(nIndex) + GetColumnWidth(nIndex);
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::FindColumn(LPCWSTR lpszHeading, int& nIndex, int& nSubItem) const
{
    for (int i = 0; i < GetColumnCount(); i++)
    {
        if (GetColumn(i)->strHeading == lpszHeading)
        {
            nIndex = i;
            nSubItem = GetColumn(i)->iSubItem;
            return TRUE;
        }
    }
    return FALSE;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::HasColumn(LPCWSTR lpszHeading) const
{
    int nIndex = 0;
    int nSubItem = 0;
    return FindColumn(lpszHeading, nIndex, nSubItem);
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::DeleteColumnByHeading(LPCWSTR lpszHeading)
{
    int nIndex = -1;
    int nSubItem = -1;
    return FindColumn(lpszHeading, nIndex, nSubItem) && DeleteColumn(nIndex);
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::DeleteColumn(int nIndex)
{
    if (nIndex == 0 && GetColumnCount() > 1)
        return FALSE;
    EndLabelEdit(TRUE);
    SECListColumn* pColumn = GetColumn(nIndex);
    if (pColumn == nullptr)
        return FALSE;
    const int nSubItem = pColumn->iSubItem;
    for (INT_PTR i = 0; i < m_items.GetSize(); i++)
    {
        auto* pItem = static_cast<SECListItem*>(m_items[i]);
        if (SECListSubItem* pSub = pItem->GetSubItem(nSubItem))
        {
            delete pSub;
            pItem->m_subItems.RemoveAt(nSubItem - 1);
        }
    }
    m_columns.RemoveAt(nIndex);
    if (!HasListStyleEx(LVXS_NOWIDENMAIN))
    {
        for (int i = 0; i < GetColumnCount(); i++)
        {
            if (GetColumn(i)->iSubItem == 0)
            {
                GetColumn(i)->cx += pColumn->cx;
                break;
            }
        }
    }
    if (m_nSubItemColumns > 0 && nSubItem > 0)
        m_nSubItemColumns--;
    for (int i = 0; i < GetColumnCount(); i++)
    {
        if (GetColumn(i)->iSubItem > nSubItem)
            GetColumn(i)->iSubItem--;
    }
    delete pColumn;
    if (GetColumnCount() == 0)
        DeleteAllItems();
    return TRUE;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::DeleteAllColumns()
{
    DeleteAllItems();
    for (INT_PTR i = m_columns.GetSize() - 1; i >= 0; i--)
        delete static_cast<SECListColumn*>(m_columns[i]);
    m_columns.RemoveAll();
    m_nSubItemColumns = 0;
    UpdateScrollState();
    return TRUE;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::AutoFitColumns()
{
    if (GetColumnCount() != 1 && !HasListStyleEx(LVXS_FITCOLUMNS))
        return FALSE;
    FitColumnsToWidth();
    return TRUE;
}

template <class TWndBase> void SECListBaseT<TWndBase>::FitColumnsToWidth()
{
    const int nColumns = GetColumnCount();
    if (nColumns == 0 || m_hWnd == nullptr)
        return;
    int nOthers = 0;
    SECListColumn* pMain = nullptr;
    for (int i = 0; i < nColumns; i++)
    {
        SECListColumn* pColumn = GetColumn(i);
        if (pColumn->iSubItem == 0)
            pMain = pColumn;
        else
            nOthers += pColumn->cx;
    }
    CRect inside;
    GetInsideRect(inside);
    const int nInside = inside.Width();
    if (pMain != nullptr)
        pMain->cx = nInside - nOthers;
    if (nInside <= nColumns + 19 || pMain == nullptr || pMain->cx >= kMinMainColumn)
        return;
    // Too narrow: the main column keeps its minimum and the others share the rest by width.
    pMain->cx = kMinMainColumn;
    int nRest = nInside - kMinMainColumn;
    for (int i = 1; i < nColumns - 1; i++)
    {
        SECListColumn* pColumn = GetColumn(i);
        const int nShare = static_cast<int>(static_cast<double>(pColumn->cx) / nOthers * (nInside - kMinMainColumn));
        pColumn->cx = nShare;
        nRest -= nShare;
    }
    GetColumn(nColumns - 1)->cx = nRest;
}
template class SECListBaseT<CWnd>;
template class SECListBaseT<CView>;
} // namespace tarnwick::lists
