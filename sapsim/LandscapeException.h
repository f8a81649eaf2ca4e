// A landscape description that cannot be used: a syntax error in a landscape file or facts
// that do not fit together. Thrown by pointer; the catcher calls Delete().
#pragma once

#include <afx.h>

namespace sapsim
{

class CLandscapeException : public CException
{
    DECLARE_DYNAMIC(CLandscapeException)
public:
    explicit CLandscapeException(LPCWSTR message);

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    [[noreturn]] static void Throw(LPCWSTR message);

    CString m_message;
};

} // namespace sapsim
