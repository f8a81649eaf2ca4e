#include <afx.h>

#include <cwchar>
#include <iterator>

namespace
{
const wchar_t kTimeCodes[] = L"aAbBcdHIjmMpSUwWxXyYzZ%";

// The codes that are plain numbers, written here without the runtime (which allocates for each
// code): the field, what is added to it, the digits with leading zeros and the valid range.
struct CNumberCode
{
    wchar_t code;
    int tm::*pField;
    int nOffset;
    int nWidth;
    int nMin;
    int nMax;
};
const CNumberCode kNumberCodes[] = {
    {L'Y', &tm::tm_year, 1900, 4, 0, 9999}, {L'm', &tm::tm_mon, 1, 2, 1, 12}, {L'd', &tm::tm_mday, 0, 2, 1, 31},
    {L'H', &tm::tm_hour, 0, 2, 0, 23},      {L'M', &tm::tm_min, 0, 2, 0, 59}, {L'S', &tm::tm_sec, 0, 2, 0, 59},
};

// false when the code is not a number or its field is out of range: the runtime decides then.
bool AppendNumberCode(CString& result, wchar_t code, bool bNoLeadingZeros, const struct tm& tmTime)
{
    for (const CNumberCode& number : kNumberCodes)
    {
        if (number.code != code)
            continue;
        const int nValue = tmTime.*number.pField + number.nOffset;
        if (nValue < number.nMin || nValue > number.nMax)
            return false;
        wchar_t szDigits[8];
        int nDigits = 0;
        for (int n = nValue; nDigits == 0 || n > 0; n /= 10)
            szDigits[nDigits++] = static_cast<wchar_t>(L'0' + n % 10);
        for (int i = nDigits; i < (bNoLeadingZeros ? 0 : number.nWidth); ++i)
            result.AppendChar(L'0');
        while (nDigits > 0)
            result.AppendChar(szDigits[--nDigits]);
        return true;
    }
    return false;
}

int LocalPart(const CTime& time, int tm::*pField, int nOffset)
{
    struct tm tmLocal;
    return time.GetLocalTm(&tmLocal) != nullptr ? tmLocal.*pField + nOffset : 0;
}

SYSTEMTIME LocalSystemTime(const FILETIME& ft)
{
    const CFileTime ftLocal = CFileTime(ft).UTCToLocal();
    SYSTEMTIME st;
    if (!::FileTimeToSystemTime(&ftLocal, &st))
        AfxThrowInvalidArgException();
    return st;
}
} // namespace

CString AFXAPI AfxFormatTm(LPCTSTR pFormat, const struct tm& tmTime)
{
    // msvcrt narrows the whole format to the locale's code page, losing other characters, and
    // hands unknown codes to the invalid parameter handler: give it one known code at a time.
    CString result;
    for (LPCTSTR p = pFormat; p != nullptr && *p != 0; ++p)
    {
        if (*p != '%')
        {
            result.AppendChar(*p);
            continue;
        }
        const LPCTSTR pCode = p;
        const bool bNoLeadingZeros = *++p == '#';
        if (bNoLeadingZeros)
            ++p;
        if (*p == 0 || std::wcschr(kTimeCodes, *p) == nullptr)
            return CString();
        if (AppendNumberCode(result, *p, bNoLeadingZeros, tmTime))
            continue;
        // The '!' makes every success non-empty, so that 0 means failure.
        const CString code = CString(pCode, static_cast<int>(p - pCode + 1)) + L'!';
        wchar_t szText[128];
        const size_t nLength = std::wcsftime(szText, std::size(szText), code, &tmTime);
        if (nLength == 0)
            return CString();
        result.Append(szText, static_cast<int>(nLength) - 1);
    }
    return result;
}

CTimeSpan::CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs) noexcept
    : m_timeSpan(nSecs + 60 * (nMins + 60 * (nHours + __time64_t{24} * lDays)))
{
}

CString CTimeSpan::Format(LPCTSTR pFormat) const
{
    CString result;
    for (LPCTSTR p = pFormat; p != nullptr && *p != 0; ++p)
    {
        if (*p != '%')
        {
            result.AppendChar(*p);
            continue;
        }
        const bool bNoLeadingZero = *++p == '#';
        if (bNoLeadingZero)
            ++p;
        const LPCTSTR pszPart = bNoLeadingZero ? L"%ld" : L"%02ld";
        switch (*p)
        {
        case '%':
            result.AppendChar('%');
            break;
        case 'D':
            result.AppendFormat(L"%I64d", GetDays());
            break;
        case 'H':
            result.AppendFormat(pszPart, GetHours());
            break;
        case 'M':
            result.AppendFormat(pszPart, GetMinutes());
            break;
        case 'S':
            result.AppendFormat(pszPart, GetSeconds());
            break;
        default:
            return CString();
        }
    }
    return result;
}

CString CTimeSpan::Format(UINT nFormatID) const
{
    return Format(CString(MAKEINTRESOURCE(nFormatID)));
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
    if (nYear < 1900 || nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > 31 || nHour < 0 || nHour > 23 || nMin < 0 ||
        nMin > 59 || nSec < 0 || nSec > 59)
        AfxThrowInvalidArgException();
    struct tm tmLocal = {};
    tmLocal.tm_year = nYear - 1900;
    tmLocal.tm_mon = nMonth - 1;
    tmLocal.tm_mday = nDay;
    tmLocal.tm_hour = nHour;
    tmLocal.tm_min = nMin;
    tmLocal.tm_sec = nSec;
    tmLocal.tm_isdst = nDST;
    m_time = _mktime64(&tmLocal);
    if (m_time == -1)
        AfxThrowInvalidArgException();
}

CTime::CTime(const SYSTEMTIME& st, int nDST)
    : CTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, nDST)
{
}

CTime::CTime(const FILETIME& ft, int nDST) : CTime(LocalSystemTime(ft), nDST)
{
}

CTime WINAPI CTime::GetCurrentTime() noexcept
{
    return CTime(_time64(nullptr));
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const noexcept
{
    return ptm != nullptr && _localtime64_s(ptm, &m_time) == 0 ? ptm : nullptr;
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const noexcept
{
    return ptm != nullptr && _gmtime64_s(ptm, &m_time) == 0 ? ptm : nullptr;
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& timeDest) const noexcept
{
    struct tm tmLocal;
    if (GetLocalTm(&tmLocal) == nullptr)
        return FALSE;
    timeDest.wYear = static_cast<WORD>(tmLocal.tm_year + 1900);
    timeDest.wMonth = static_cast<WORD>(tmLocal.tm_mon + 1);
    timeDest.wDayOfWeek = static_cast<WORD>(tmLocal.tm_wday);
    timeDest.wDay = static_cast<WORD>(tmLocal.tm_mday);
    timeDest.wHour = static_cast<WORD>(tmLocal.tm_hour);
    timeDest.wMinute = static_cast<WORD>(tmLocal.tm_min);
    timeDest.wSecond = static_cast<WORD>(tmLocal.tm_sec);
    timeDest.wMilliseconds = 0;
    return TRUE;
}

int CTime::GetYear() const noexcept
{
    return LocalPart(*this, &tm::tm_year, 1900);
}

int CTime::GetMonth() const noexcept
{
    return LocalPart(*this, &tm::tm_mon, 1);
}

int CTime::GetDay() const noexcept
{
    return LocalPart(*this, &tm::tm_mday, 0);
}

int CTime::GetHour() const noexcept
{
    return LocalPart(*this, &tm::tm_hour, 0);
}

int CTime::GetMinute() const noexcept
{
    return LocalPart(*this, &tm::tm_min, 0);
}

int CTime::GetSecond() const noexcept
{
    return LocalPart(*this, &tm::tm_sec, 0);
}

int CTime::GetDayOfWeek() const noexcept
{
    return LocalPart(*this, &tm::tm_wday, 1);
}

CString CTime::Format(LPCTSTR pFormat) const
{
    struct tm tmLocal;
    return GetLocalTm(&tmLocal) != nullptr ? AfxFormatTm(pFormat, tmLocal) : CString();
}

CString CTime::Format(UINT nFormatID) const
{
    return Format(CString(MAKEINTRESOURCE(nFormatID)));
}

CString CTime::FormatGmt(LPCTSTR pFormat) const
{
    struct tm tmGmt;
    return GetGmtTm(&tmGmt) != nullptr ? AfxFormatTm(pFormat, tmGmt) : CString();
}

CString CTime::FormatGmt(UINT nFormatID) const
{
    return FormatGmt(CString(MAKEINTRESOURCE(nFormatID)));
}
