// One category of the output window: a tab per source, each a list of its last lines.
#pragma once

#include <app/MessageWnd.h>

#include <toolkit/tabs/TabWnd.h>

#include <afxmt.h>
#include <afxtempl.h>

class CMessageTabWnd : public tarnwick::tabs::SECTabWnd
{
    DECLARE_DYNCREATE(CMessageTabWnd)
public:
    // Lines a source keeps; the oldest goes first.
    static constexpr int MaxLines = 200;
    // Time and message together stay within this many characters.
    static constexpr int MaxLineLength = 250;

    CMessageTabWnd() = default;
    ~CMessageTabWnd() override;

    // Appends the line to the source's list, making its tab on the source's first line.
    void AddMessage(LPCTSTR lpszSource, LPCTSTR lpszTime, LPCTSTR lpszText);
    // Removes every source's tab and list; a source's next line makes them anew.
    void RemoveAllTabs();
    void DeleteAllLists();

private:
    CTypedPtrMap<CMapStringToPtr, CString, CMessageWnd*> m_mapLists;
    CMutex m_Mutex;

    CMessageWnd* CreateList(LPCTSTR lpszSource);
};
