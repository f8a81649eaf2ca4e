// A hidden top-level parent that records the notifications its list and tree children send.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include <vector>

class CNotifyLog : public CWnd
{
public:
    std::vector<UINT> m_codes;
    std::vector<int> m_deletedRows;        // LVN_DELETEITEM
    std::vector<HTREEITEM> m_deletedItems; // TVN_DELETEITEMW
    std::vector<UINT> m_expandedStates;    // TVN_ITEMEXPANDEDW: the item's TVIS_EXPANDED bit
    std::vector<UINT> m_selActions;        // TVN_SELCHANGINGW and TVN_SELCHANGEDW
    UINT m_nVetoCode = 0;                  // answered 1, all others 0

    CNotifyLog()
    {
        CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr);
    }
    ~CNotifyLog() override
    {
        DestroyWindow();
    }

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) override
    {
        const auto* pHdr = reinterpret_cast<const NMHDR*>(lParam);
        m_codes.push_back(pHdr->code);
        if (pHdr->code == LVN_DELETEITEM)
            m_deletedRows.push_back(reinterpret_cast<const NMLISTVIEW*>(lParam)->iItem);
        if (pHdr->code == TVN_DELETEITEMW)
            m_deletedItems.push_back(reinterpret_cast<const NMTREEVIEWW*>(lParam)->itemOld.hItem);
        if (pHdr->code == TVN_ITEMEXPANDEDW)
            m_expandedStates.push_back(reinterpret_cast<const NMTREEVIEWW*>(lParam)->itemNew.state & TVIS_EXPANDED);
        if (pHdr->code == TVN_SELCHANGINGW || pHdr->code == TVN_SELCHANGEDW)
            m_selActions.push_back(reinterpret_cast<const NMTREEVIEWW*>(lParam)->action);
        *pResult = pHdr->code == m_nVetoCode ? 1 : 0;
        return TRUE;
    }
};
