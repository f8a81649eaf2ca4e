#include <testing/ModalScript.h>

#include <utility>

#include <gtest/gtest.h>

namespace
{
// How long a window may take input with no action left for it before it is cancelled.
constexpr ULONGLONG kGraceMs = 5000;
constexpr UINT kTickMs = 10;

thread_local ModalScript* t_pScript = nullptr;

CString TextOf(HWND hWnd)
{
    CString strText;
    if (hWnd != nullptr)
        CWnd::FromHandle(hWnd)->GetWindowText(strText);
    return strText;
}

bool IsClass(HWND hWnd, LPCTSTR lpszClass)
{
    TCHAR szClass[32] = {};
    ::GetClassName(hWnd, szClass, _countof(szClass));
    return ::lstrcmpi(szClass, lpszClass) == 0;
}

bool IsIconStatic(HWND hWnd)
{
    return IsClass(hWnd, _T("Static")) && (::GetWindowLong(hWnd, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

// Calls f for each direct child of the window.
template <class F> void ForEachChild(HWND hWnd, F f)
{
    for (HWND hChild = ::GetWindow(hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        f(hChild);
}

// The thread's dialog or message box that takes input: visible and enabled. Windows come in
// z-order, so a nested modal window comes before the one it disabled anyway.
HWND FindModalWindow()
{
    HWND hFound = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            if (!IsClass(hWnd, _T("#32770")) || !::IsWindowVisible(hWnd) || !::IsWindowEnabled(hWnd))
                return TRUE;
            *reinterpret_cast<HWND*>(lParam) = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&hFound));
    return hFound;
}
} // namespace

CString ModalWindow::Caption() const
{
    return TextOf(m_hWnd);
}

CString ModalWindow::Text() const
{
    CString strText;
    ForEachChild(m_hWnd, [&](HWND hChild) {
        if (!IsClass(hChild, _T("Static")) || IsIconStatic(hChild) || ::GetWindowTextLength(hChild) == 0)
            return;
        if (!strText.IsEmpty())
            strText += _T('\n');
        strText += TextOf(hChild);
    });
    return strText;
}

HICON ModalWindow::Icon() const
{
    HICON hIcon = nullptr;
    ForEachChild(m_hWnd, [&](HWND hChild) {
        if (hIcon == nullptr && IsIconStatic(hChild))
            hIcon = reinterpret_cast<HICON>(::SendMessage(hChild, STM_GETICON, 0, 0));
    });
    return hIcon;
}

CString ModalWindow::ItemText(int nID) const
{
    return TextOf(::GetDlgItem(m_hWnd, nID));
}

void ModalWindow::SetItemText(int nID, LPCTSTR lpszText) const
{
    ::SetDlgItemText(m_hWnd, nID, lpszText);
}

HWND ModalWindow::Focus() const
{
    // Test programs beside this one share the desktop and may hold the activation.
    if (::GetActiveWindow() != m_hWnd)
        ::SetActiveWindow(m_hWnd);
    return ::GetFocus();
}

int ModalWindow::FocusedItem() const
{
    const HWND hFocus = Focus();
    return hFocus != nullptr && ::GetParent(hFocus) == m_hWnd ? ::GetDlgCtrlID(hFocus) : 0;
}

void ModalWindow::Press(int nID) const
{
    ::PostMessage(m_hWnd, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, nID)));
}

ModalScript::ModalScript(std::vector<Action> actions) : m_actions(std::move(actions))
{
    if (t_pScript != nullptr)
        ADD_FAILURE() << "one modal script at a time";
    t_pScript = this;
    m_ullLast = ::GetTickCount64();
    m_nTimer = ::SetTimer(nullptr, 0, kTickMs, &ModalScript::OnTimer);
}

ModalScript::~ModalScript()
{
    ::KillTimer(nullptr, m_nTimer);
    t_pScript = nullptr;
}

void CALLBACK ModalScript::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (t_pScript != nullptr)
        t_pScript->Step();
}

void ModalScript::Step()
{
    const HWND hWnd = FindModalWindow();
    if (hWnd == nullptr)
        return;
    const ULONGLONG ullNow = ::GetTickCount64();
    if (Done() || hWnd == m_hLast)
    {
        if (ullNow - m_ullLast > kGraceMs)
        {
            ADD_FAILURE() << "the window \"" << CW2A(TextOf(hWnd), CP_UTF8) << "\" ("
                          << CW2A(ModalWindow(hWnd).Text(), CP_UTF8) << ") stayed open with "
                          << m_actions.size() - m_nNext << " action(s) left";
            m_hLast = hWnd;
            m_ullLast = ullNow;
            ::PostMessage(hWnd, WM_COMMAND, IDCANCEL, 0);
        }
        return;
    }
    m_hLast = hWnd;
    m_ullLast = ullNow;
    // The action may show a window of its own; the timer must not act on it meanwhile.
    const Action& action = m_actions[m_nNext++];
    ModalScript* const pSelf = std::exchange(t_pScript, nullptr);
    ModalWindow window(hWnd);
    action(window);
    t_pScript = pSelf;
}
