// Message loops for tests of windows. The pumps dispatch the calling thread's messages as the
// framework's loop does (PreTranslateMessage first) and never wait without a time limit.
#pragma once

#include <afxwin.h>

#include <functional>
#include <optional>

#include <gtest/gtest.h>

// Dispatches the messages that are waiting now, without idle processing.
void PumpPendingMessages();
// Dispatches messages as they come for the given time.
void PumpMessagesFor(DWORD dwMilliseconds);
// Dispatches messages until the condition holds; a failure names the time-out, so that a
// test fails instead of hanging: ASSERT_TRUE(PumpMessagesUntil(...)).
::testing::AssertionResult PumpMessagesUntil(const std::function<bool()>& condition, DWORD dwTimeout = 5000);
// The exit code of a WM_QUIT that one of the pumps took from the queue since the last call.
std::optional<int> TakeQuitMessage();

// A hidden top-level window of the framework for the test's duration: a parent for the
// windows under test. Temporary objects that the test made are freed with it.
class HiddenWindow
{
public:
    explicit HiddenWindow(int cx = 400, int cy = 300);
    ~HiddenWindow();
    HiddenWindow(const HiddenWindow&) = delete;
    HiddenWindow& operator=(const HiddenWindow&) = delete;

    CWnd& Wnd()
    {
        return m_wnd;
    }
    HWND Handle() const
    {
        return m_wnd.m_hWnd;
    }

private:
    CWnd m_wnd;
};

// A test with a hidden parent window.
class HiddenWindowTest : public ::testing::Test
{
protected:
    CWnd& Parent()
    {
        return m_parent.Wnd();
    }

private:
    HiddenWindow m_parent;
};
