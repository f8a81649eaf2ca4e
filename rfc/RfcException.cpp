#include <rfc/RfcException.h>

#include <iterator>

IMPLEMENT_DYNAMIC(CRfcException, CException)

namespace
{
// Indexed by RFC_RC.
const LPCTSTR kCodeNames[] = {
    _T("RFC_OK"),
    _T("RFC_COMMUNICATION_FAILURE"),
    _T("RFC_LOGON_FAILURE"),
    _T("RFC_ABAP_RUNTIME_FAILURE"),
    _T("RFC_ABAP_MESSAGE"),
    _T("RFC_ABAP_EXCEPTION"),
    _T("RFC_CLOSED"),
    _T("RFC_CANCELED"),
    _T("RFC_TIMEOUT"),
    _T("RFC_MEMORY_INSUFFICIENT"),
    _T("RFC_VERSION_MISMATCH"),
    _T("RFC_INVALID_PROTOCOL"),
    _T("RFC_SERIALIZATION_FAILURE"),
    _T("RFC_INVALID_HANDLE"),
    _T("RFC_RETRY"),
    _T("RFC_EXTERNAL_FAILURE"),
    _T("RFC_EXECUTED"),
    _T("RFC_NOT_FOUND"),
    _T("RFC_NOT_SUPPORTED"),
    _T("RFC_ILLEGAL_STATE"),
    _T("RFC_INVALID_PARAMETER"),
    _T("RFC_CODEPAGE_CONVERSION_FAILURE"),
    _T("RFC_CONVERSION_FAILURE"),
    _T("RFC_BUFFER_TOO_SMALL"),
    _T("RFC_TABLE_MOVE_BOF"),
    _T("RFC_TABLE_MOVE_EOF"),
};

// Indexed by RFC_ERROR_GROUP.
const LPCTSTR kGroupNames[] = {
    _T("OK"),
    _T("ABAP_APPLICATION_FAILURE"),
    _T("ABAP_RUNTIME_FAILURE"),
    _T("LOGON_FAILURE"),
    _T("COMMUNICATION_FAILURE"),
    _T("EXTERNAL_RUNTIME_FAILURE"),
    _T("EXTERNAL_APPLICATION_FAILURE"),
};

const int kMaxText = 511;

template <size_t N> LPCTSTR NameOf(const LPCTSTR (&names)[N], int nValue, LPCTSTR lpszUndefined)
{
    return nValue >= 0 && nValue < static_cast<int>(N) ? names[nValue] : lpszUndefined;
}

// The error info's texts need not be terminated within their arrays.
template <size_t N> CString TextOf(const SAP_UC (&text)[N])
{
    CString str(text, static_cast<int>(wcsnlen(text, N)));
    return str.TrimRight();
}
} // namespace

CRfcException::CRfcException(LPCTSTR lpszFunction, const RFC_ERROR_INFO& errorInfo)
{
    FromErrorInfo(errorInfo);
    CString strText;
    strText.Format(_T("RFC Exception -> Function: %s() | Code: %s | Group: %s | Key: %s | Message : %s."), lpszFunction,
                   (LPCTSTR)m_strCodeName, (LPCTSTR)m_strGroupName, (LPCTSTR)m_strKey, (LPCTSTR)m_strMessage);
    SetText(strText);
}

CRfcException::CRfcException(LPCTSTR lpszFunction, LPCTSTR lpszParameter, const RFC_ERROR_INFO& errorInfo)
{
    FromErrorInfo(errorInfo);
    CString strText;
    strText.Format(_T("RFC Exception -> Function: %s(%s) | Code: %s | Group: %s | Key: %s | Message : %s."),
                   lpszFunction, lpszParameter, (LPCTSTR)m_strCodeName, (LPCTSTR)m_strGroupName, (LPCTSTR)m_strKey,
                   (LPCTSTR)m_strMessage);
    SetText(strText);
}

CRfcException::CRfcException(LPCTSTR lpszText)
{
    FromText(lpszText);
    SetText(_T("RFC Exception -> ") + m_strMessage);
}

CRfcException::CRfcException(LPCTSTR lpszParameter, LPCTSTR lpszText)
{
    FromText(lpszText);
    CString strText;
    strText.Format(_T("RFC Exception -> %s(%s): %s"), _T("AuthorityCheck"), lpszParameter, (LPCTSTR)m_strMessage);
    SetText(strText);
}

void PASCAL CRfcException::Throw(LPCTSTR lpszFunction, const RFC_ERROR_INFO& errorInfo)
{
    throw new CRfcException(lpszFunction, errorInfo);
}

void PASCAL CRfcException::ThrowParam(LPCTSTR lpszFunction, LPCTSTR lpszParameter, const RFC_ERROR_INFO& errorInfo)
{
    throw new CRfcException(lpszFunction, lpszParameter, errorInfo);
}

void PASCAL CRfcException::ThrowText(LPCTSTR lpszText)
{
    throw new CRfcException(lpszText);
}

void PASCAL CRfcException::ThrowAuthority(LPCTSTR lpszParameter, LPCTSTR lpszText)
{
    throw new CRfcException(lpszParameter, lpszText);
}

LPCTSTR PASCAL CRfcException::GetCodeName(int nCode)
{
    return NameOf(kCodeNames, nCode, _T("UNDEFINED_ERROR_CODE"));
}

LPCTSTR PASCAL CRfcException::GetGroupName(int nGroup)
{
    return NameOf(kGroupNames, nGroup, _T("UNDEFINED_ERROR_GROUP"));
}

void CRfcException::FromErrorInfo(const RFC_ERROR_INFO& errorInfo)
{
    m_nCode = errorInfo.code;
    m_nGroup = errorInfo.group;
    m_strCodeName = GetCodeName(m_nCode);
    m_strGroupName = GetGroupName(m_nGroup);
    m_strKey = TextOf(errorInfo.key);
    m_strMessage = TextOf(errorInfo.message);
}

void CRfcException::FromText(LPCTSTR lpszText)
{
    m_nCode = -1;
    m_nGroup = -1;
    m_strCodeName = GetCodeName(m_nCode);
    m_strGroupName = GetGroupName(m_nGroup);
    m_strKey = _T("RFC_EXCEPTION");
    m_strMessage = lpszText != nullptr ? lpszText : _T("");
    m_strMessage.TrimRight();
}

void CRfcException::SetText(const CString& strText)
{
    m_strText = strText;
    m_strText.TrimRight();
    if (m_strText.GetLength() > kMaxText)
        m_strText.Truncate(kMaxText);
}

BOOL CRfcException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT) const
{
    return CopyMessage(m_strText, lpszError, nMaxError);
}
