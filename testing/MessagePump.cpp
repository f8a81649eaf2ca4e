#include <testing/MessagePump.h>

#include <afxpriv.h>

#include <algorithm>
#include <utility>

namespace
{
thread_local std::optional<int> t_quitCode;

// Dispatches one waiting message; FALSE when there is none.
bool DispatchOne()
{
    MSG msg;
    if (!::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT)
        t_quitCode = static_cast<int>(msg.wParam);
    else if (!AfxPreTranslateMessage(&msg))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    return true;
}

// Waits for the next message, at most until the deadline and never long: conditions may
// change on other threads without a message here.
void WaitForMessage(ULONGLONG ullDeadline)
{
    constexpr ULONGLONG kPollInterval = 5;
    const ULONGLONG ullNow = ::GetTickCount64();
    if (ullNow < ullDeadline)
        ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(std::min(ullDeadline - ullNow, kPollInterval)),
                                      QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}
} // namespace

void PumpPendingMessages()
{
    while (DispatchOne())
    {
    }
}

void PumpMessagesFor(DWORD dwMilliseconds)
{
    const ULONGLONG ullDeadline = ::GetTickCount64() + dwMilliseconds;
    while (::GetTickCount64() < ullDeadline)
    {
        PumpPendingMessages();
        WaitForMessage(ullDeadline);
    }
}

::testing::AssertionResult PumpMessagesUntil(const std::function<bool()>& condition, DWORD dwTimeout)
{
    const ULONGLONG ullDeadline = ::GetTickCount64() + dwTimeout;
    for (;;)
    {
        PumpPendingMessages();
        if (condition())
            return ::testing::AssertionSuccess();
        if (::GetTickCount64() >= ullDeadline)
            return ::testing::AssertionFailure() << "the condition did not hold within " << dwTimeout << " ms";
        WaitForMessage(ullDeadline);
    }
}

std::optional<int> TakeQuitMessage()
{
    return std::exchange(t_quitCode, std::nullopt);
}

HiddenWindow::HiddenWindow(int cx, int cy)
{
    if (!m_wnd.CreateEx(0, AfxRegisterWndClass(0), _T("HiddenWindow"), WS_OVERLAPPEDWINDOW, 0, 0, cx, cy, nullptr,
                        nullptr))
        ADD_FAILURE() << "the hidden window was not created";
}

HiddenWindow::~HiddenWindow()
{
    m_wnd.DestroyWindow();
    AfxLockTempMaps();
    AfxUnlockTempMaps();
}
