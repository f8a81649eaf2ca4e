// The guard of the user-interface handlers: a handler's body runs inside it, and a failure
// becomes the one text that the handler logs or shows. Framework exceptions are deleted here.
#pragma once

#include <afx.h>

#include <optional>

// A framework exception's own error message, fetched as the handlers show it: at most 254
// characters.
CString ErrorMessageOf(const CException* e);
// The text for a failure that is no framework exception: "<function>()\nlow-level exception
// trapped.".
CString LowLevelText(LPCTSTR lpszFunction);
// The text that the main frame's handlers log and show: an RFC failure's line, trimmed at both
// ends, or another exception's own error message.
CString FrameFailureText(CException* e);
// Shows a failure's text in a message box with the stop icon.
void ShowStop(const CString& strText);

// Runs the body. Answers nothing when it succeeds, else the failure's text: textOf(e) for a
// framework exception e (deleted afterwards), LowLevelText(lpszFunction) for anything else.
template <class Body, class TextOf> std::optional<CString> TrapFailure(LPCTSTR lpszFunction, Body body, TextOf textOf)
{
    try
    {
        body();
        return std::nullopt;
    }
    catch (CException* e)
    {
        const CString strText = textOf(e);
        e->Delete();
        return strText;
    }
    catch (...)
    {
        return LowLevelText(lpszFunction);
    }
}
