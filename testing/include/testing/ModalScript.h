// Drives the modal dialogs and message boxes that code under test shows on the calling thread:
// a thread timer runs inside their modal loops, finds the window that takes input and gives it
// to the next action of a script. Actions fill controls, read texts and press buttons.
#pragma once

#include <afxwin.h>

#include <functional>
#include <vector>

// A dialog or message box that a script acts on.
class ModalWindow
{
public:
    explicit ModalWindow(HWND hWnd) : m_hWnd(hWnd)
    {
    }

    HWND Handle() const
    {
        return m_hWnd;
    }
    CString Caption() const;
    // A message box's message: the texts of its static text controls, one per line.
    CString Text() const;
    // The icon a message box shows, or null.
    HICON Icon() const;

    CString ItemText(int nID) const;
    void SetItemText(int nID, LPCTSTR lpszText) const;
    // The window that has the keyboard focus once this window is active again, as after the
    // user returns to it.
    HWND Focus() const;
    // The id of the focused control when it is one of this window's own; 0 otherwise.
    int FocusedItem() const;
    // Presses the button as a click does: its command is posted, so the action ends first.
    void Press(int nID) const;

private:
    HWND m_hWnd;
};

class ModalScript
{
public:
    using Action = std::function<void(ModalWindow&)>;

    // Each action runs on the next dialog or message box that takes input, one window at a
    // time: an action never runs on the window that the previous one acted on while that
    // window still takes input, so a dialog, its message box and the dialog again take three
    // actions. A window that stays open after the last action is cancelled after a while and
    // the test fails, so that a failing test ends.
    explicit ModalScript(std::vector<Action> actions);
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    // Every action has run.
    bool Done() const
    {
        return m_nNext == m_actions.size();
    }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Step();

    std::vector<Action> m_actions;
    size_t m_nNext = 0;
    HWND m_hLast = nullptr;
    ULONGLONG m_ullLast = 0;
    UINT_PTR m_nTimer = 0;
};
