// The exception with which the program reports the errors it finds itself (bad entries,
// unusable directories). Thrown by pointer; the catcher deletes it.
#pragma once

#include <afx.h>

class CLumiter5Exception : public CException
{
    DECLARE_DYNAMIC(CLumiter5Exception)
public:
    // The message is "Lumiter Exception: " and the text, right-trimmed, at most 511 characters.
    explicit CLumiter5Exception(LPCTSTR lpszMessage);
    ~CLumiter5Exception() override;

    // Handlers that take any framework exception show the message too.
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    CString m_strMessage;
};

[[noreturn]] void ThrowLumiter5Exception(LPCTSTR lpszMessage);
