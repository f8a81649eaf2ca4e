#include "ListItem.h"

#include <cwchar>

namespace tarnwick::lists
{
void FreeListText(LPWSTR pszText)
{
    if (pszText != nullptr && pszText != LPSTR_TEXTCALLBACKW)
        delete[] pszText;
}

LPWSTR CopyListText(LPCWSTR pszText)
{
    if (pszText == LPSTR_TEXTCALLBACKW)
        return LPSTR_TEXTCALLBACKW;
    if (pszText == nullptr)
        pszText = L"";
    const size_t cch = wcslen(pszText) + 1;
    auto* pszCopy = new WCHAR[cch];
    wmemcpy(pszCopy, pszText, cch);
    return pszCopy;
}

void CopyTextTerminated(LPWSTR pszDest, int cchMax, LPCWSTR pszSource)
{
    if (pszDest == nullptr || cchMax <= 0)
        return;
    if (pszSource == nullptr || pszSource == LPSTR_TEXTCALLBACKW)
        pszSource = L"";
    const size_t cch = wcsnlen(pszSource, static_cast<size_t>(cchMax - 1));
    wmemmove(pszDest, pszSource, cch);
    pszDest[cch] = L'\0';
}

SECListSubItem::~SECListSubItem()
{
    FreeListText(m_pszText);
}

SECListItem::~SECListItem()
{
    FreeListText(m_pszText);
    for (INT_PTR i = 0; i < m_subItems.GetSize(); i++)
        delete static_cast<SECListSubItem*>(m_subItems[i]);
}

SECListSubItem* SECListItem::GetSubItem(int iSubItem) const
{
    if (iSubItem < 1 || iSubItem > m_subItems.GetSize())
        return nullptr;
    return static_cast<SECListSubItem*>(m_subItems[iSubItem - 1]);
}
} // namespace tarnwick::lists
