#include <sapsim/Failure.h>

namespace sapsim
{

IMPLEMENT_DYNAMIC(CFailure, CException)

CFailure::CFailure(FailureKind kind, LPCWSTR key, LPCWSTR message) : m_kind(kind), m_key(key), m_message(message)
{
}

BOOL CFailure::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    return CopyMessage(m_message, lpszError, nMaxError);
}

void CFailure::Throw(FailureKind kind, LPCWSTR key, LPCWSTR message)
{
    throw new CFailure(kind, key, message);
}

} // namespace sapsim
