// A hidden top-level parent that logs the tab messages its children send, with a copy of each
// selection record.
#pragma once

#include <afxwin.h>

#include <toolkit/tabs/TabControlBase.h>

#include <vector>

struct TabMessage
{
    UINT message;
    WPARAM wParam;
    tarnwick::tabs::TAB_SEL_NOTIFY notify; // zeros unless the message carried one

    bool operator==(const TabMessage& other) const
    {
        return message == other.message && wParam == other.wParam;
    }
};

class CTabSpy : public CWnd
{
public:
    std::vector<TabMessage> m_log;

    CTabSpy()
    {
        CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr);
    }
    ~CTabSpy() override
    {
        DestroyWindow();
    }
    // The messages logged since the last call.
    std::vector<TabMessage> Take()
    {
        std::vector<TabMessage> log;
        log.swap(m_log);
        return log;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        using namespace tarnwick::tabs;
        if (message >= TCM_TABSEL && message <= TCM_TABREACTIVATE)
        {
            TabMessage entry{message, wParam, {}};
            if (message == TCM_TABSEL && lParam != 0)
                entry.notify = *reinterpret_cast<const TAB_SEL_NOTIFY*>(lParam);
            m_log.push_back(entry);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

inline TabMessage Sel(WPARAM wParam)
{
    return {tarnwick::tabs::TCM_TABSEL, wParam, {}};
}
