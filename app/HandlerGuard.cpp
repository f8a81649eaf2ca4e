#include <app/HandlerGuard.h>

#include <rfc/RfcException.h>

#include <afxwin.h>

namespace
{
constexpr UINT kMessageBuffer = 255;
}

CString ErrorMessageOf(const CException* e)
{
    TCHAR szMessage[kMessageBuffer] = {};
    e->GetErrorMessage(szMessage, kMessageBuffer);
    return szMessage;
}

CString LowLevelText(LPCTSTR lpszFunction)
{
    CString strText;
    strText.Format(_T("%s()\nlow-level exception trapped."), lpszFunction);
    return strText;
}

CString FrameFailureText(CException* e)
{
    if (const auto* pRfc = DYNAMIC_DOWNCAST(CRfcException, e))
    {
        CString strText = pRfc->m_strText;
        return strText.Trim();
    }
    return ErrorMessageOf(e);
}

void ShowStop(const CString& strText)
{
    AfxMessageBox(strText, MB_OK | MB_ICONSTOP);
}
