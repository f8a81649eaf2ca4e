// A hidden top-level parent that records the notifications its list and tree children send.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include <functional>
#include <utility>
#include <vector>

class CNotifyLog : public CWnd
{
public:
    std::vector<UINT> m_codes;
    std::vector<int> m_deletedRows;        // LVN_DELETEITEM
    std::vector<HTREEITEM> m_deletedItems; // TVN_DELETEITEMW
    std::vector<UINT> m_expandedStates;    // TVN_ITEMEXPANDEDW: the item's TVIS_EXPANDED bit
    std::vector<UINT> m_selActions;        // TVN_SELCHANGINGW and TVN_SELCHANGEDW
    std::vector<WORD> m_keys;              // LVN_KEYDOWN and TVN_KEYDOWN
    std::vector<int> m_columnClicks;       // LVN_COLUMNCLICK
    UINT m_nVetoCode = 0;                  // answered 1, all others 0
    std::function<void()> m_onExpanding;   // run while TVN_ITEMEXPANDINGW is answered
    std::function<LRESULT(NMHDR*)> m_answer; // when set, answers every notification
    std::vector<std::pair<WPARAM, LPARAM>> m_registered; // registered messages received

    CNotifyLog()
    {
        CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr);
    }
    ~CNotifyLog() override
    {
        DestroyWindow();
    }

    // Codes logged for what the lists post to their parent.
    static constexpr UINT NextDlgCtl = 0x10000;
    static constexpr UINT Cancel = 0x10001;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NEXTDLGCTL)
            m_codes.push_back(NextDlgCtl);
        if (message == WM_COMMAND && wParam == IDCANCEL)
            m_codes.push_back(Cancel);
        if (message >= 0xC000 && message <= 0xFFFF)
            m_registered.emplace_back(wParam, lParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
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
        if (pHdr->code == LVN_KEYDOWN || pHdr->code == TVN_KEYDOWN)
            m_keys.push_back(reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey);
        if (pHdr->code == LVN_COLUMNCLICK)
            m_columnClicks.push_back(reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem);
        if (pHdr->code == TVN_SELCHANGINGW || pHdr->code == TVN_SELCHANGEDW)
            m_selActions.push_back(reinterpret_cast<const NMTREEVIEWW*>(lParam)->action);
        if (pHdr->code == TVN_ITEMEXPANDINGW && m_onExpanding)
            m_onExpanding();
        if (m_answer)
            *pResult = m_answer(const_cast<NMHDR*>(pHdr));
        else
            *pResult = pHdr->code == m_nVetoCode ? 1 : 0;
        return TRUE;
    }
};
