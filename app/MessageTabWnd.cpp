#include <app/MessageTabWnd.h>

#include <collector/ForEachValue.h>

#include <algorithm>

IMPLEMENT_DYNCREATE(CMessageTabWnd, SECTabWnd)

namespace
{
constexpr DWORD LIST_STYLE = WS_CHILD | WS_VISIBLE | LVS_SINGLESEL | LVS_SHAREIMAGELISTS;
constexpr UINT FIRST_LIST_ID = 3000;
} // namespace

CMessageTabWnd::~CMessageTabWnd()
{
    DeleteAllLists();
}

CMessageWnd* CMessageTabWnd::CreateList(LPCTSTR lpszSource)
{
    auto* pList = new CMessageWnd;
    m_mapLists.SetAt(lpszSource, pList);
    if (!pList->Create(LIST_STYLE | LVS_REPORT, CRect(0, 0, 0, 0), this, FIRST_LIST_ID + GetTabCount()))
    {
        delete pList;
        m_mapLists.RemoveKey(lpszSource);
        return nullptr;
    }
    AddTab(pList, lpszSource);
    pList->InsertColumn(0, _T("Time"), LVCFMT_LEFT, -1, 1);
    pList->InsertColumn(1, _T("Message"), LVCFMT_LEFT, -1, 0);
    ActivateTab(GetTabCount() - 1);
    pList->SetItemCount(MaxLines);
    return pList;
}

void CMessageTabWnd::AddMessage(LPCTSTR lpszSource, LPCTSTR lpszTime, LPCTSTR lpszText)
{
    CSingleLock lock(&m_Mutex, TRUE);
    CMessageWnd* pList = nullptr;
    if (!m_mapLists.Lookup(lpszSource, pList))
        pList = CreateList(lpszSource);
    if (pList == nullptr)
        return;
    if (pList->GetItemCount() >= MaxLines)
        pList->DeleteItem(0);
    const CString strTime = lpszTime;
    const CString strText = CString(lpszText).Left(std::max(0, MaxLineLength - strTime.GetLength()));
    const int nItem = pList->InsertItem(pList->GetItemCount(), strTime);
    pList->SetItemText(nItem, 1, strText);
    pList->SetColumnWidth(0, LVSCW_AUTOSIZE);
    pList->SetColumnWidth(1, LVSCW_AUTOSIZE);
    pList->EnsureVisible(nItem, FALSE);
}

void CMessageTabWnd::RemoveAllTabs()
{
    CSingleLock lock(&m_Mutex, TRUE);
    for (int nTab = GetTabCount() - 1; nTab >= 0; --nTab)
    {
        LPCTSTR lpszLabel = nullptr;
        BOOL bSelected = FALSE;
        CWnd* pWnd = nullptr;
        DWORD dwUserData = 0;
        if (!GetTabInfo(nTab, lpszLabel, bSelected, pWnd, dwUserData))
            continue;
        const CString strLabel = lpszLabel;
        RemoveTab(nTab);
        m_mapLists.RemoveKey(strLabel);
        delete pWnd;
    }
}

void CMessageTabWnd::DeleteAllLists()
{
    CSingleLock lock(&m_Mutex, TRUE);
    ForEachValue(m_mapLists, [](CMessageWnd* pList) { delete pList; });
    m_mapLists.RemoveAll();
}
