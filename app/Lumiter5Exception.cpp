#include <app/Lumiter5Exception.h>

namespace
{
constexpr int kMaxMessage = 511;
}

IMPLEMENT_DYNAMIC(CLumiter5Exception, CException)

CLumiter5Exception::CLumiter5Exception(LPCTSTR lpszMessage) : CException(TRUE)
{
    m_strMessage.Format(_T("Lumiter Exception: %s"), lpszMessage);
    m_strMessage.TrimRight();
    if (m_strMessage.GetLength() > kMaxMessage)
        m_strMessage.Truncate(kMaxMessage);
}

CLumiter5Exception::~CLumiter5Exception() = default;

BOOL CLumiter5Exception::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    return CopyMessage(m_strMessage, lpszError, nMaxError);
}

void ThrowLumiter5Exception(LPCTSTR lpszMessage)
{
    throw new CLumiter5Exception(lpszMessage);
}
