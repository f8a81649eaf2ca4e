#include <afxwin.h>

#include <cerrno>
#include <cfloat>
#include <cwchar>
#include <cwctype>
#include <limits>
#include <type_traits>

namespace
{
// The prompts come from the resources when the program has them, as the other framework
// prompts do; these are the texts otherwise.
CString LoadPrompt(UINT nIDPrompt)
{
    CString prompt;
    if (prompt.LoadString(nIDPrompt))
        return prompt;
    switch (nIDPrompt)
    {
    case AFX_IDP_PARSE_INT:
        return _T("Please enter an integer.");
    case AFX_IDP_PARSE_REAL:
        return _T("Please enter a number.");
    case AFX_IDP_PARSE_INT_RANGE:
        return _T("Please enter an integer between %1 and %2.");
    case AFX_IDP_PARSE_REAL_RANGE:
        return _T("Please enter a number between %1 and %2.");
    default:
        return _T("Please enter no more than %1 characters.");
    }
}

[[noreturn]] void FailWith(CDataExchange* pDX, UINT nIDPrompt, LPCTSTR const* rglpsz, int nString, UINT nType)
{
    CString prompt;
    AfxFormatStrings(prompt, LoadPrompt(nIDPrompt), rglpsz, nString);
    AfxMessageBox(prompt, nType, nIDPrompt);
    pDX->Fail();
}

CString WindowText(HWND hWnd)
{
    CString text;
    const int nLen = ::GetWindowTextLength(hWnd);
    ::GetWindowText(hWnd, text.GetBuffer(nLen), nLen + 1);
    text.ReleaseBuffer();
    return text;
}

// Setting the same text again would only flicker and send change notifications.
void SetTextIfChanged(HWND hWnd, LPCTSTR lpszText)
{
    if (WindowText(hWnd) != lpszText)
        ::SetWindowText(hWnd, lpszText);
}

CString FormatValue(int value)
{
    CString text;
    text.Format(_T("%d"), value);
    return text;
}

CString FormatValue(UINT value)
{
    CString text;
    text.Format(_T("%u"), value);
    return text;
}

CString FormatValue(long value)
{
    CString text;
    text.Format(_T("%ld"), value);
    return text;
}

CString FormatValue(DWORD value)
{
    CString text;
    text.Format(_T("%lu"), value);
    return text;
}

CString FormatValue(double value)
{
    CString text;
    text.Format(_T("%.*g"), DBL_DIG, value);
    return text;
}

// The whole text must be the number, blanks around it allowed; out of the type's range fails.
template <class T> bool ParseValue(LPCTSTR psz, T& value)
{
    while (std::iswspace(*psz))
        ++psz;
    wchar_t* pEnd = nullptr;
    errno = 0;
    if constexpr (std::is_floating_point_v<T>)
    {
        const double d = std::wcstod(psz, &pEnd);
        if (errno == ERANGE)
            return false;
        value = d;
    }
    else if constexpr (std::is_signed_v<T>)
    {
        const long long n = std::wcstoll(psz, &pEnd, 10);
        if (errno == ERANGE || n < std::numeric_limits<T>::min() || n > std::numeric_limits<T>::max())
            return false;
        value = static_cast<T>(n);
    }
    else
    {
        if (*psz == '-')
            return false;
        const unsigned long long n = std::wcstoull(psz, &pEnd, 10);
        if (errno == ERANGE || n > std::numeric_limits<T>::max())
            return false;
        value = static_cast<T>(n);
    }
    if (pEnd == psz)
        return false;
    while (std::iswspace(*pEnd))
        ++pEnd;
    return *pEnd == 0;
}

template <class T> void ExchangeNumber(CDataExchange* pDX, int nIDC, T& value)
{
    const HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate)
    {
        SetTextIfChanged(hWndCtrl, FormatValue(value));
        return;
    }
    T parsed{};
    if (!ParseValue(WindowText(hWndCtrl), parsed))
        FailWith(pDX, std::is_floating_point_v<T> ? AFX_IDP_PARSE_REAL : AFX_IDP_PARSE_INT, nullptr, 0, MB_OK);
    value = parsed;
}

// Only saved values are checked; a member out of range is shown as it is.
template <class T> void CheckRange(CDataExchange* pDX, T value, T minVal, T maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    const CString strMin = FormatValue(minVal);
    const CString strMax = FormatValue(maxVal);
    const LPCTSTR texts[] = {strMin, strMax};
    FailWith(pDX, std::is_floating_point_v<T> ? AFX_IDP_PARSE_REAL_RANGE : AFX_IDP_PARSE_INT_RANGE, texts, 2,
             MB_ICONEXCLAMATION);
}

void ExchangeCBString(CDataExchange* pDX, int nIDC, CString& value, UINT nFindMessage)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    // A combo box with an edit field fails like an edit control.
    if ((::GetWindowLong(hWndCtrl, GWL_STYLE) & 0x3) != CBS_DROPDOWNLIST)
        hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        // A drop list answers with its selected item.
        value = WindowText(hWndCtrl);
        return;
    }
    const LRESULT nIndex = ::SendMessage(hWndCtrl, nFindMessage, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(value)));
    if (nIndex == CB_ERR)
        SetTextIfChanged(hWndCtrl, value);
    else if (nFindMessage != CB_SELECTSTRING)
        ::SendMessage(hWndCtrl, CB_SETCURSEL, nIndex, 0);
}

void ExchangeIndex(CDataExchange* pDX, int nIDC, int& index, UINT nGetMessage, UINT nSetMessage)
{
    const HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessage(hWndCtrl, nGetMessage, 0, 0));
    else
        ::SendMessage(hWndCtrl, nSetMessage, index, 0);
}
} // namespace

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_idLastControl(0), m_bEditLastControl(FALSE)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = nullptr;
    m_pDlgWnd->GetDlgItem(nIDC, &hWndCtrl);
    if (hWndCtrl == nullptr)
        AfxThrowNotSupportedException();
    m_idLastControl = nIDC;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    const HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (m_idLastControl != 0)
    {
        HWND hWndLastControl = nullptr;
        m_pDlgWnd->GetDlgItem(m_idLastControl, &hWndLastControl);
        ::SetFocus(hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessage(hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    const HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = WindowText(hWndCtrl);
    else
        SetTextIfChanged(hWndCtrl, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeNumber(pDX, nIDC, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeNumber(pDX, nIDC, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    ExchangeNumber(pDX, nIDC, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    ExchangeNumber(pDX, nIDC, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    ExchangeNumber(pDX, nIDC, value);
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    const HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        value = static_cast<int>(::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0));
        return;
    }
    // Only the three button states exist.
    if (value < 0 || value > 2)
        value = 0;
    ::SendMessage(hWndCtrl, BM_SETCHECK, value, 0);
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int iButton = 0;
    do
    {
        if (::SendMessage(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
        {
            if (!pDX->m_bSaveAndValidate)
                ::SendMessage(hWndCtrl, BM_SETCHECK, iButton == value, 0);
            else if (::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0) != BST_UNCHECKED)
                value = iButton;
            ++iButton;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl != nullptr && !(::GetWindowLong(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    ExchangeCBString(pDX, nIDC, value, CB_SELECTSTRING);
}

void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    ExchangeCBString(pDX, nIDC, value, CB_FINDSTRINGEXACT);
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    ExchangeIndex(pDX, nIDC, index, CB_GETCURSEL, CB_SETCURSEL);
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    ExchangeIndex(pDX, nIDC, index, LB_GETCURSEL, LB_SETCURSEL);
}

void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    const HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate)
    {
        ::SendMessage(hWndCtrl, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                      reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(value)));
        return;
    }
    const LRESULT nIndex = ::SendMessage(hWndCtrl, LB_GETCURSEL, 0, 0);
    if (nIndex == LB_ERR)
    {
        value.Empty();
        return;
    }
    const int nLen = static_cast<int>(::SendMessage(hWndCtrl, LB_GETTEXTLEN, nIndex, 0));
    ::SendMessage(hWndCtrl, LB_GETTEXT, nIndex, reinterpret_cast<LPARAM>(value.GetBuffer(nLen)));
    value.ReleaseBuffer(nLen);
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != nullptr)
        return;
    if (!rControl.SubclassWindow(pDX->PrepareCtrl(nIDC)))
        AfxThrowNotSupportedException();
}

void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate)
    {
        if (value.GetLength() <= nChars)
            return;
        const CString strMax = FormatValue(nChars);
        const LPCTSTR texts[] = {strMax};
        FailWith(pDX, AFX_IDP_PARSE_STRING_SIZE, texts, 1, MB_ICONEXCLAMATION);
    }
    if (pDX->m_idLastControl == 0 || !pDX->m_bEditLastControl)
        return;
    HWND hWndLastControl = nullptr;
    pDX->m_pDlgWnd->GetDlgItem(pDX->m_idLastControl, &hWndLastControl);
    // The control is an edit or a combo box with an edit field: each ignores the other's message.
    ::SendMessage(hWndLastControl, EM_LIMITTEXT, nChars, 0);
    ::SendMessage(hWndLastControl, CB_LIMITTEXT, nChars, 0);
}

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    CheckRange(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    CheckRange(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    CheckRange(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal)
{
    CheckRange(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal)
{
    CheckRange(pDX, value, minVal, maxVal);
}
