// A failed conversation with the simulated landscape, as the RFC library reports it to its
// caller. Thrown by pointer; the catcher calls Delete().
#pragma once

#include <afx.h>

namespace sapsim
{

enum class FailureKind
{
    Logon,            // bad client, user or password
    Communication,    // partner not reached, connection broken
    Closed,           // the connection was closed during the call
    NotFound,         // no such function module
    AbapException,    // the function module raised an exception; the key names it
    AbapRuntime,      // the function module ended with a runtime error
    InvalidParameter, // the call itself was malformed
};

class CFailure : public CException
{
    DECLARE_DYNAMIC(CFailure)
public:
    CFailure(FailureKind kind, LPCWSTR key, LPCWSTR message);

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    [[noreturn]] static void Throw(FailureKind kind, LPCWSTR key, LPCWSTR message);

    FailureKind m_kind;
    CString m_key;
    CString m_message;
};

} // namespace sapsim
