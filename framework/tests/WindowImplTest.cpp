// The window-implementation template: messages reach the object, the traits give the style, the
// class is registered once, and the last message detaches the object.
#include <atlwin.h>

#include <testing/MessagePump.h>

#include <vector>

#include <gtest/gtest.h>

namespace
{
constexpr UINT kPing = WM_APP + 7;

class CPingWindow : public ATL::CWindowImpl<CPingWindow, ATL::CWindow, ATL::CWinTraits<WS_CHILD | WS_DISABLED, 0>>
{
public:
    BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM, LRESULT& lResult, DWORD) override
    {
        if (uMsg == WM_CREATE)
            m_bCreated = hWnd == m_hWnd;
        if (uMsg != kPing)
            return FALSE;
        lResult = static_cast<LRESULT>(wParam) * 2;
        return TRUE;
    }
    void OnFinalMessage(HWND hWnd) override
    {
        m_finals.push_back(hWnd);
    }

    bool m_bCreated = false;
    std::vector<HWND> m_finals;
};

class WindowImplTest : public HiddenWindowTest
{
};

TEST_F(WindowImplTest, MessagesReachTheObjectFromTheFirstOnAndTheTraitsGiveTheStyle)
{
    CPingWindow first, second;
    RECT rc = {0, 0, 20, 10};
    ASSERT_NE(nullptr, first.Create(Parent().m_hWnd, rc));
    ASSERT_NE(nullptr, second.Create(Parent().m_hWnd, rc, nullptr, WS_CHILD | WS_VISIBLE, 0, 5));
    EXPECT_TRUE(first.m_bCreated) << "WM_CREATE already reached the object";
    EXPECT_EQ(42, ::SendMessage(first, kPing, 21, 0));
    EXPECT_EQ(10, ::SendMessage(second, kPing, 5, 0));
    EXPECT_EQ(static_cast<LONG>(WS_CHILD | WS_DISABLED),
              ::GetWindowLong(first, GWL_STYLE) & (WS_CHILD | WS_DISABLED | WS_VISIBLE));
    EXPECT_EQ(static_cast<LONG>(WS_CHILD | WS_VISIBLE),
              ::GetWindowLong(second, GWL_STYLE) & (WS_CHILD | WS_DISABLED | WS_VISIBLE));
    EXPECT_EQ(5, ::GetDlgCtrlID(second));
    EXPECT_EQ(::GetClassLongPtr(first, GCW_ATOM), ::GetClassLongPtr(second, GCW_ATOM)) << "one class";
    first.DestroyWindow();
    second.DestroyWindow();
}

TEST_F(WindowImplTest, TheLastMessageDetachesTheObjectAndAnObjectGoneFirstGetsNoMessages)
{
    const HWND hDestroyed = [&] {
        CPingWindow window;
        RECT rc = {0, 0, 20, 10};
        const HWND hWnd = window.Create(Parent().m_hWnd, rc);
        ::DestroyWindow(hWnd);
        EXPECT_EQ(std::vector<HWND>{hWnd}, window.m_finals);
        EXPECT_EQ(nullptr, window.m_hWnd);
        return hWnd;
    }();
    EXPECT_FALSE(::IsWindow(hDestroyed));

    HWND hOrphan = nullptr;
    {
        CPingWindow window;
        RECT rc = {0, 0, 20, 10};
        hOrphan = window.Create(Parent().m_hWnd, rc);
    }
    EXPECT_EQ(0, ::SendMessage(hOrphan, kPing, 21, 0)) << "the default procedure answers";
    ::DestroyWindow(hOrphan);
}
} // namespace
