#include "SubItemTextStorage.h"

namespace tarnwick::lists
{
namespace
{
constexpr INT_PTR kBlockSize = 10;
} // namespace

SECSubItemTextStorage::SECSubItemTextStorage() : m_texts(kBlockSize)
{
}

SECSubItemTextStorage::~SECSubItemTextStorage()
{
    for (auto* pPair = m_texts.PGetFirstAssoc(); pPair != nullptr; pPair = m_texts.PGetNextAssoc(pPair))
        delete pPair->value;
    m_texts.RemoveAll();
}

void SECSubItemTextStorage::SetSubItemText(HTREEITEM hItem, int nColumn, LPCWSTR lpszText)
{
    if (nColumn < 1)
        return;
    CStringArray* pTexts = nullptr;
    if (!m_texts.Lookup(hItem, pTexts))
    {
        pTexts = new CStringArray;
        m_texts.SetAt(hItem, pTexts);
    }
    pTexts->SetAtGrow(nColumn - 1, lpszText != nullptr ? lpszText : L"");
}

BOOL SECSubItemTextStorage::GetSubItemText(HTREEITEM hItem, int nColumn, LPWSTR lpszBuffer, int nSize) const
{
    CStringArray* pTexts = nullptr;
    const BOOL bFound = m_texts.Lookup(hItem, pTexts) && nColumn >= 1 && nColumn - 1 < pTexts->GetSize();
    if (lpszBuffer == nullptr || nSize <= 0)
        return bFound;
    LPCWSTR pszText = bFound ? static_cast<LPCWSTR>(pTexts->GetAt(nColumn - 1)) : L"";
    wcsncpy(lpszBuffer, pszText, static_cast<size_t>(nSize - 1));
    lpszBuffer[nSize - 1] = L'\0';
    return bFound;
}

void SECSubItemTextStorage::RemoveItem(HTREEITEM hItem)
{
    CStringArray* pTexts = nullptr;
    if (!m_texts.Lookup(hItem, pTexts))
        return;
    delete pTexts;
    m_texts.RemoveKey(hItem);
}

BOOL SECSubItemTextStorage::InsertColumn(int nColumn)
{
    for (auto* pPair = m_texts.PGetFirstAssoc(); pPair != nullptr; pPair = m_texts.PGetNextAssoc(pPair))
    {
        CStringArray* pTexts = pPair->value;
        if (nColumn >= 1 && nColumn - 1 <= pTexts->GetSize())
            pTexts->InsertAt(nColumn - 1, CString());
    }
    return TRUE;
}

void SECSubItemTextStorage::MoveColumn(HTREEITEM hItem, int nFrom, int nTo)
{
    CStringArray* pTexts = nullptr;
    if (!m_texts.Lookup(hItem, pTexts) || nFrom < 1 || nTo < 1)
        return;
    const INT_PTR nCount = pTexts->GetSize();
    if (nFrom - 1 < nCount)
    {
        const CString strText = pTexts->GetAt(nFrom - 1);
        pTexts->RemoveAt(nFrom - 1);
        if (nTo - 1 > pTexts->GetSize())
            pTexts->SetSize(nTo - 1);
        pTexts->InsertAt(nTo - 1, strText);
    }
    else if (nTo - 1 < nCount)
        pTexts->InsertAt(nTo - 1, CString());
}
} // namespace tarnwick::lists
