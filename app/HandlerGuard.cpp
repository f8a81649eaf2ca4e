#include <app/HandlerGuard.h>

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

void ShowStop(const CString& strText)
{
    AfxMessageBox(strText, MB_OK | MB_ICONSTOP);
}
