#include <sapsim/LandscapeException.h>

namespace sapsim
{

IMPLEMENT_DYNAMIC(CLandscapeException, CException)

CLandscapeException::CLandscapeException(LPCWSTR message) : m_message(message)
{
}

BOOL CLandscapeException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    return CopyMessage(m_message, lpszError, nMaxError);
}

void CLandscapeException::Throw(LPCWSTR message)
{
    throw new CLandscapeException(message);
}

} // namespace sapsim
