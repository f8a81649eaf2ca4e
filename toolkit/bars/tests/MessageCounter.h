// Counts the messages of one kind that a window receives through SendMessage, by a
// call-window hook of the test's thread.
#pragma once

#include <afxwin.h>

class MessageCounter
{
public:
    MessageCounter(HWND hWnd, UINT message) : m_hWnd(hWnd), m_message(message)
    {
        s_pActive = this;
        m_hHook = ::SetWindowsHookEx(WH_CALLWNDPROC, &Hook, nullptr, ::GetCurrentThreadId());
    }
    ~MessageCounter()
    {
        ::UnhookWindowsHookEx(m_hHook);
        s_pActive = nullptr;
    }
    MessageCounter(const MessageCounter&) = delete;
    MessageCounter& operator=(const MessageCounter&) = delete;

    int Count() const
    {
        return m_nCount;
    }

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        const auto* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (nCode == HC_ACTION && s_pActive != nullptr && pMsg->hwnd == s_pActive->m_hWnd &&
            pMsg->message == s_pActive->m_message)
            ++s_pActive->m_nCount;
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }

    static inline MessageCounter* s_pActive = nullptr;
    HWND m_hWnd;
    UINT m_message;
    HHOOK m_hHook;
    int m_nCount = 0;
};
