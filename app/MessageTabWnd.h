// One category of the output window: a tab per source, each a list of its last lines.
#pragma once

#include <app/MessageWnd.h>

#include <toolkit/tabs/TabWnd.h>

#include <afxmt.h>
#include <afxtempl.h>

#include <vector>

class CLumiter5Message;

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
    // Appends the lines in their order; each list they reach is laid out and redrawn once, at
    // the end, so that a flood of lines costs little more than their texts.
    void AddMessages(const std::vector<const CLumiter5Message*>& lines);
    // Removes every source's tab and list; a source's next line makes them anew.
    void RemoveAllTabs();
    void DeleteAllLists();

private:
    CTypedPtrMap<CMapStringToPtr, CString, CMessageWnd*> m_mapLists;
    CMutex m_Mutex;

    CMessageWnd* CreateList(LPCTSTR lpszSource);
    // Called under the mutex: the source's list, made on its first line; null when it cannot be.
    CMessageWnd* FindOrCreateList(LPCTSTR lpszSource);
    // Called under the mutex: appends the line, dropping the oldest of a full list.
    static void AppendLine(CMessageWnd& list, LPCTSTR lpszTime, LPCTSTR lpszText);
    // Fits the columns to their texts and scrolls the last line into view.
    static void ShowLastLine(CMessageWnd& list);
};
