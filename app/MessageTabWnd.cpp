#include <app/MessageTabWnd.h>

#include <collector/ForEachValue.h>
#include <collector/Lumiter5Message.h>

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
    const CLumiter5Message line(lpszSource, lpszTime, lpszText);
    AddMessages({&line});
}

void CMessageTabWnd::AddMessages(const std::vector<const CLumiter5Message*>& lines)
{
    CSingleLock lock(&m_Mutex, TRUE);
    // A list that is shown would repaint at every line: its drawing waits for the last one.
    std::vector<CMessageWnd*> reached;
    for (const CLumiter5Message* pLine : lines)
    {
        CMessageWnd* pList = FindOrCreateList(pLine->m_strSource);
        if (pList == nullptr)
            continue;
        if (std::find(reached.begin(), reached.end(), pList) == reached.end())
        {
            reached.push_back(pList);
            pList->SetRedraw(FALSE);
        }
        AppendLine(*pList, pLine->m_strTime, pLine->m_strText);
    }
    for (CMessageWnd* pList : reached)
    {
        ShowLastLine(*pList);
        pList->SetRedraw(TRUE);
        pList->Invalidate();
    }
}

CMessageWnd* CMessageTabWnd::FindOrCreateList(LPCTSTR lpszSource)
{
    CMessageWnd* pList = nullptr;
    if (!m_mapLists.Lookup(lpszSource, pList))
        pList = CreateList(lpszSource);
    return pList;
}

void CMessageTabWnd::AppendLine(CMessageWnd& list, LPCTSTR lpszTime, LPCTSTR lpszText)
{
    if (list.GetItemCount() >= MaxLines)
        list.DeleteItem(0);
    const CString strTime = lpszTime;
    const CString strText = CString(lpszText).Left(std::max(0, MaxLineLength - strTime.GetLength()));
    const int nItem = list.InsertItem(list.GetItemCount(), strTime);
    list.SetItemText(nItem, 1, strText);
}

void CMessageTabWnd::ShowLastLine(CMessageWnd& list)
{
    list.SetColumnWidth(0, LVSCW_AUTOSIZE);
    list.SetColumnWidth(1, LVSCW_AUTOSIZE);
    list.EnsureVisible(list.GetItemCount() - 1, FALSE);
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
