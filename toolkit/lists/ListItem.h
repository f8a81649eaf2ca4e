// The records a list control keeps: items, their sub-items, and columns.
#pragma once

#include <afxwin.h>

namespace tarnwick::lists
{
// One cell beyond the first column. Texts are owned; LPSTR_TEXTCALLBACKW asks the owner.
class SECListSubItem
{
public:
    SECListSubItem() = default;
    virtual ~SECListSubItem();
    SECListSubItem(const SECListSubItem&) = delete;
    SECListSubItem& operator=(const SECListSubItem&) = delete;

    LPWSTR m_pszText = LPSTR_TEXTCALLBACKW;
    int m_iImage = 0;
    RECT m_rcText = {};
};

// One row: the item itself is sub-item 0, element k of m_subItems is sub-item k + 1.
class SECListItem
{
public:
    SECListItem() = default;
    virtual ~SECListItem();
    SECListItem(const SECListItem&) = delete;
    SECListItem& operator=(const SECListItem&) = delete;

    SECListSubItem* GetSubItem(int iSubItem) const;

    CPtrArray m_subItems;
    LPWSTR m_pszText = nullptr;
    UINT m_state = 0;
    int m_iImage = 0;
    LPARAM m_lParam = 0;
    int m_cyMeasured = 0;
    UINT m_exState = 0;
    BOOL m_bNeedsMeasuring = TRUE;
    RECT m_rcLabel = {};
    RECT m_rcIcon = {};
    RECT m_rcThird = {};
};

// A column in display order; sub-item index 0 shows the item itself.
struct SECListColumn
{
    UINT mask = 0;
    int fmt = LVCFMT_LEFT;
    int cx = -1;
    CString strHeading;
    int cchTextMax = 0;
    int iSubItem = -1;
    int iImage = -1;
};

// Frees an owned item text; null and the callback marker are not owned.
void FreeListText(LPWSTR pszText);
// A fresh owned copy of the text, or the callback marker itself.
LPWSTR CopyListText(LPCWSTR pszText);
// Copies at most cchMax - 1 characters and always terminates; nothing for a size of 0.
void CopyTextTerminated(LPWSTR pszDest, int cchMax, LPCWSTR pszSource);
} // namespace tarnwick::lists
