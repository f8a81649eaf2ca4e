// The one exception of RFC work: a library failure with its error info, or a text of the
// program's own. Thrown by pointer; the catcher reads m_strText and deletes it.
#pragma once

#include <afx.h>
#include <sapnwrfc.h>

class CRfcException : public CException
{
    DECLARE_DYNAMIC(CRfcException)
public:
    CRfcException(LPCTSTR lpszFunction, const RFC_ERROR_INFO& errorInfo);
    CRfcException(LPCTSTR lpszFunction, LPCTSTR lpszParameter, const RFC_ERROR_INFO& errorInfo);
    explicit CRfcException(LPCTSTR lpszText);
    // An authorization check that failed for the given parameter.
    CRfcException(LPCTSTR lpszParameter, LPCTSTR lpszText);

    [[noreturn]] static void PASCAL Throw(LPCTSTR lpszFunction, const RFC_ERROR_INFO& errorInfo);
    [[noreturn]] static void PASCAL ThrowParam(LPCTSTR lpszFunction, LPCTSTR lpszParameter,
                                               const RFC_ERROR_INFO& errorInfo);
    [[noreturn]] static void PASCAL ThrowText(LPCTSTR lpszText);
    [[noreturn]] static void PASCAL ThrowAuthority(LPCTSTR lpszParameter, LPCTSTR lpszText);

    // The line, cut to the buffer.
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    static LPCTSTR PASCAL GetCodeName(int nCode);
    static LPCTSTR PASCAL GetGroupName(int nGroup);

    int m_nCode;  // RFC_RC, -1 for a text
    int m_nGroup; // RFC_ERROR_GROUP, -1 for a text
    CString m_strCodeName;
    CString m_strGroupName;
    CString m_strKey;
    CString m_strMessage;
    CString m_strText; // the one line that catchers log or show

private:
    void FromErrorInfo(const RFC_ERROR_INFO& errorInfo);
    void FromText(LPCTSTR lpszText);
    void SetText(const CString& strText);
};
