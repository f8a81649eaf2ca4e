// Records the process-wide drop-down flag at each window creation of the thread while it lives.
#pragma once

#include <grid/controls/GridCombo.h>

#include <vector>

class DropDownFlagProbe
{
public:
    DropDownFlagProbe()
    {
        s_flags.clear();
        m_hHook = ::SetWindowsHookExW(WH_CBT, &Record, nullptr, ::GetCurrentThreadId());
    }
    ~DropDownFlagProbe()
    {
        ::UnhookWindowsHookEx(m_hHook);
    }
    DropDownFlagProbe(const DropDownFlagProbe&) = delete;
    DropDownFlagProbe& operator=(const DropDownFlagProbe&) = delete;

    // The flag at each creation, in order.
    const std::vector<BOOL>& Flags() const
    {
        return s_flags;
    }

private:
    static LRESULT CALLBACK Record(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HCBT_CREATEWND)
            s_flags.push_back(CGXGridCombo::IsDropDownOwner());
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }

    static inline std::vector<BOOL> s_flags;
    HHOOK m_hHook;
};
