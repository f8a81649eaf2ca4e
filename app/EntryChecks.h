// What the dialogs' OK buttons share: taking the entries from the controls, refusing an entry
// with the focus on its control, showing the failure, and the test of a short host name.
#pragma once

#include <afxwin.h>

#include <app/HandlerGuard.h>

// The placeholder of a text field with nothing stored; the checks take it as empty.
inline constexpr TCHAR kPlaceholder[] = _T("?");

// Exchanges the controls into the members; a failure throws a CLumiter5Exception.
void SaveEntries(CDialog& dialog);
// Moves the focus to the control and throws a CLumiter5Exception with the message.
[[noreturn]] void RefuseEntry(CDialog& dialog, int nIDC, LPCTSTR lpszMessage);

// What a dialog shows for a failed OK: a CLumiter5Exception's message, or another framework
// exception's error message.
CString EntryFailureText(CException* e);
// Runs the steps of an OK button; a failure is shown with the stop icon and the dialog stays
// open with the user's entries.
template <class Steps> void RunOkSteps(LPCTSTR lpszFunction, Steps steps)
{
    if (const auto failure = TrapFailure(lpszFunction, steps, EntryFailureText))
        ShowStop(*failure);
}

// Refuses a short host name that is missing (empty, the placeholder, or beginning with ".")
// or qualified (a "." further on: an IP address or a domain suffix) with the message of that.
void CheckShortHostName(CDialog& dialog, int nIDC, const CString& strName, LPCTSTR lpszMissing, LPCTSTR lpszQualified);
