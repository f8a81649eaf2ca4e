// The texts of a tree's extra columns, kept beside the rows by item handle so that nodes
// without rows (collapsed or hidden) keep theirs. Columns are 1-based: column 1 is the first
// extra column.
#pragma once

#include <afxcmn.h>
#include <afxcoll.h>
#include <afxtempl.h>

namespace tarnwick::lists
{
class SECSubItemTextStorage
{
public:
    SECSubItemTextStorage();
    virtual ~SECSubItemTextStorage();
    SECSubItemTextStorage(const SECSubItemTextStorage&) = delete;
    SECSubItemTextStorage& operator=(const SECSubItemTextStorage&) = delete;

    // Grows the item's texts with empty ones as needed.
    void SetSubItemText(HTREEITEM hItem, int nColumn, LPCWSTR lpszText);
    // Copies at most nSize - 1 characters and a terminator; FALSE (and an empty text) when the
    // item has no text in that column.
    BOOL GetSubItemText(HTREEITEM hItem, int nColumn, LPWSTR lpszBuffer, int nSize) const;
    void RemoveItem(HTREEITEM hItem);
    // Every item with texts gets an empty one at the column; the later ones move right.
    BOOL InsertColumn(int nColumn);
    // The item's text moves from one column to the other; the texts between shift.
    void MoveColumn(HTREEITEM hItem, int nFrom, int nTo);

private:
    CMap<HTREEITEM, HTREEITEM, CStringArray*, CStringArray*> m_texts;
};
} // namespace tarnwick::lists
